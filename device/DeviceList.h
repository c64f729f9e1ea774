// The list of processors found on the local network: discovery replies fill
// it, a sort corrects addresses that collide with the PC or with each other,
// and publishing reports each device once. Entries live behind pointers so a
// record keeps its address across appends and sorts.
//
// Everything here is guarded by the list's own mutex; what has to leave the
// list (set-IP broadcasts, announcements to the pages, log lines) is gathered
// in an Outbox that the caller carries out after the mutex is released.
// Nothing under the mutex asks the system anything: the local netmasks come
// in from the caller.
//
// A flood of replies with ever new MACs stays cheap: the list holds at most
// one /24 of devices, address corrections look up taken addresses in a hash,
// and each device gets at most kSetIpSends set-IP requests, kSetIpRepeatMs
// apart, however often the list is published.
#pragma once

#include "Frames.h"
#include "MachineRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

constexpr uint16_t kSearchCode = 0x8080;
constexpr uint16_t kAnnounceCode = 0x8081;
constexpr uint16_t kSetIpCode = 0x8100;

// Address helpers.
bool CheckDeviceMarker(const uint8_t* payload);
bool LessByIp(const MachineRecord& a, const MachineRecord& b);
void SplitIpv4(const QString& text, QString& a, QString& b, QString& c, QString& d);
// The four octets of a dotted text, each part read as a decimal number (low byte).
std::array<uint8_t, 4> Ipv4Octets(const QString& text);
QString Ipv4Text(const uint8_t* octets);
QStringList LocalIpv4Addresses();
// The octet handed out after n: n + 1, but never 0, 1 or 255 and nothing
// above (those become 20).
int NextOctet(int n);

// One address of a local interface with its netmask, both dotted texts.
struct LocalNetmask {
    QString ip;
    QString mask;
};
using LocalNetmasks = std::vector<LocalNetmask>;
// Every IPv4 address of every local interface (this asks the system: call
// it outside any lock).
LocalNetmasks LocalInterfaceNetmasks();
// mask becomes the netmask of the local address ip; it keeps its value when
// no local interface has that address.
void NetmaskOfLocalIp(const QString& ip, QString& mask);
void NetmaskOfLocalIp(const QString& ip, QString& mask, const LocalNetmasks& locals);

class DeviceList {
public:
    struct Announcement {
        QString ip;  // empty: the list is empty
        MacAddress mac{};
        QString ethIp;
    };
    struct Outbox {
        std::vector<Payload> setIpRequests;
        std::vector<Announcement> announcements;
        QStringList log;
    };

    // A /24 holds no more devices; later MACs are logged and ignored.
    static constexpr int kMaxEntries = 253;
    // Set-IP requests per entry in all: when decided, then repeated while the
    // device has not confirmed, kSetIpRepeatMs apart.
    static constexpr int kSetIpSends = 3;
    static constexpr int64_t kSetIpRepeatMs = 1000;
    // The clock of the set-IP repeats (steady, in ms).
    static int64_t NowMs();

    void Clear();

    // A discovery reply (0x8080 or 0x8081) with its payload; localIp is the
    // broadcast socket's address. Returns true when the reply was an
    // announcement (0x8081) with a valid marker and a device address (P9 not
    // 0) that the list took: the caller answers it and publishes.
    bool HandleDiscoveryReply(uint16_t code, const uint8_t* payload, const QString& localIp);
    void UpdateMachineRecord(MachineRecord record, const QString& localIp);
    // Sort, address corrections and publishing. The short forms gather the
    // local netmasks themselves (before locking) and use NowMs().
    void SortMachineList(const QString& localIp, Outbox& out);
    void SortMachineList(const QString& localIp, const LocalNetmasks& locals, int64_t nowMs,
                         Outbox& out);
    void PublishMachineList(Outbox& out);
    void PublishMachineList(const LocalNetmasks& locals, int64_t nowMs, Outbox& out);
    // A device's confirmation (0x8100) of the address it was given.
    void HandleSetIpConfirmation(const uint8_t* payload, Outbox& out);
    // The set-IP requests still unconfirmed whose repeat is due at nowMs.
    void RepeatSetIpRequests(int64_t nowMs, Outbox& out);
    // When the next repeat is due; -1 when none is outstanding.
    int64_t NextSetIpRepeatMs() const;

    void SelectMachine(const QString& ip);
    MData* CurrentMData();  // null when none is selected
    QString CurrentIp() const;
    MData* FindMDataByIp(const QString& ip, bool* selected);
    QString CurrentEthIp() const;
    int Count() const;
    // A copy of the entries, in list order (tests and diagnostics).
    QList<MachineRecord> Snapshot() const;

private:
    // An entry with what the list remembers of its set-IP requests.
    struct Node : MachineRecord {
        explicit Node(MachineRecord r) : MachineRecord(std::move(r)) {}
        Payload setIp;           // the request last sent
        int setIpSends = 0;      // requests sent for this entry in all
        int64_t setIpDueMs = 0;  // when that request is repeated
    };
    using Entry = std::unique_ptr<Node>;
    enum class Update { Taken, Refused, Full };

    Update UpdateLocked(MachineRecord record, const QString& localIp);
    void PublishLocked(const LocalNetmasks& locals, int64_t nowMs, Outbox& out);
    void OfferSetIp(Node& entry, const Payload& request, int64_t nowMs, Outbox& out);
    QString FindEthBoardIpLocked(const MachineRecord& entry) const;
    MachineRecord* FirstProcessorWithMac(const MacAddress& mac) const;

    mutable std::mutex mutex_;
    std::vector<Entry> list_;
};
