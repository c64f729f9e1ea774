// The list of processors found on the local network: discovery replies fill
// it, a sort corrects addresses that collide with the PC or with each other,
// and publishing reports each device once. Entries live behind pointers so a
// record keeps its address across appends and sorts.
//
// Everything here is guarded by the list's own mutex; what has to leave the
// list (set-IP broadcasts, announcements to the pages) is gathered in an
// Outbox that the caller carries out after the mutex is released.
#pragma once

#include "Frames.h"
#include "MachineRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
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
void NetmaskOfLocalIp(const QString& ip, QString& mask);

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
    };

    void Clear();

    // A discovery reply (0x8080 or 0x8081) with its payload; localIp is the
    // broadcast socket's address. Returns true when the reply was an
    // announcement (0x8081) with a valid marker.
    bool HandleDiscoveryReply(uint16_t code, const uint8_t* payload, const QString& localIp);
    void UpdateMachineRecord(MachineRecord record, const QString& localIp);
    void SortMachineList(const QString& localIp, Outbox& out);
    void PublishMachineList(Outbox& out);
    // A device's confirmation (0x8100) of the address it was given.
    void HandleSetIpConfirmation(const uint8_t* payload, Outbox& out);

    void SelectMachine(const QString& ip);
    MData* CurrentMData();  // null when none is selected
    QString CurrentIp() const;
    MData* FindMDataByIp(const QString& ip, bool* selected);
    QString CurrentEthIp() const;
    int Count() const;
    // A copy of the entries, in list order (tests and diagnostics).
    QList<MachineRecord> Snapshot() const;

private:
    using Entry = std::unique_ptr<MachineRecord>;

    void UpdateLocked(MachineRecord record, const QString& localIp);
    void PublishLocked(Outbox& out);
    QString FindEthBoardIpLocked(const MachineRecord& entry) const;
    MachineRecord* FirstProcessorWithMac(const MacAddress& mac) const;
    bool AddressTaken(const QString& ip, const QString& localIp) const;
    QString FreeAddressAfter(const QString& prefix, int octet, const QString& localIp) const;
    Payload SetIpRequest(const MacAddress& mac, const QString& ip, const QString& maskSource) const;

    mutable std::mutex mutex_;
    std::vector<Entry> list_;
};
