#include "DeviceList.h"

#include "DeviceLog.h"

#include <QHash>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QSet>
#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

const QString kLimitedBroadcast = QStringLiteral("255.255.255.255");
const QString kDefaultMask = QStringLiteral("255.255.255.0");

MacAddress MacFrom(const uint8_t* p)
{
    MacAddress mac;
    std::memcpy(mac.data(), p, mac.size());
    return mac;
}

quint64 MacKey(const MacAddress& mac)
{
    quint64 key = 0;
    for (uint8_t b : mac)
        key = (key << 8) | b;
    return key;
}

QString MacText(const MacAddress& m)
{
    return QString::asprintf("%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
}

QString Prefix(const QString& ip)
{
    return ip.left(ip.lastIndexOf(QLatin1Char('.')) + 1);
}

QString WithLastOctet(const QString& ip, int octet)
{
    return Prefix(ip) + QString::number(octet);
}

void PutAddress(Payload& p, int at, const QString& ip)
{
    const auto octets = Ipv4Octets(ip);
    for (int i = 0; i < 4; ++i)
        p.set8(at + i, octets[size_t(i)]);
}

// The addresses that entries and the PC hold during one sort, with how many
// hold each, so that a free address is found without walking the list.
class TakenAddresses {
public:
    explicit TakenAddresses(const QString& localIp) : localIp_(localIp) {}
    void Add(const QString& ip) { ++count_[ip]; }
    void Move(const QString& from, const QString& to)
    {
        auto it = count_.find(from);
        if (it != count_.end() && --it.value() == 0)
            count_.erase(it);
        Add(to);
    }
    int Holders(const QString& ip) const { return count_.value(ip); }
    bool Taken(const QString& ip) const { return ip == localIp_ || count_.contains(ip); }

    // The first address after octet, in the order of NextOctet, that neither
    // the PC nor an entry holds; empty when the whole network is taken.
    QString FreeAfter(const QString& prefix, int octet) const
    {
        int n = octet;
        for (int tries = 0; tries < 256; ++tries) {
            n = NextOctet(n);
            const QString candidate = prefix + QString::number(n);
            if (!Taken(candidate))
                return candidate;
        }
        return QString();
    }

private:
    QString localIp_;
    QHash<QString, int> count_;
};

Payload SetIpRequest(const MacAddress& mac, const QString& ip, const QString& maskSource,
                     const LocalNetmasks& locals)
{
    Payload p;
    for (int i = 0; i < 6; ++i)
        p.set8(i, mac[size_t(i)]);
    PutAddress(p, 6, ip);
    QString mask = kDefaultMask;
    NetmaskOfLocalIp(maskSource, mask, locals);
    PutAddress(p, 10, mask);
    PutAddress(p, 27, WithLastOctet(ip, 1));
    return p;
}

}  // namespace

int NextOctet(int n)
{
    const int next = n + 1;
    return (next <= 1 || next >= 255) ? 20 : next;
}

bool CheckDeviceMarker(const uint8_t* payload)
{
    return payload[0] == 0x02 && payload[1] == 0x0D && payload[2] == 0x04;
}

bool LessByIp(const MachineRecord& a, const MachineRecord& b)
{
    return a.ip < b.ip;
}

void SplitIpv4(const QString& text, QString& a, QString& b, QString& c, QString& d)
{
    QString* parts[3] = {&a, &b, &c};
    QString rest = text;
    for (QString* part : parts) {
        const int dot = rest.indexOf(QLatin1Char('.'));
        *part = rest.left(dot);  // no '.': the whole rest
        rest = dot < 0 ? QString() : rest.mid(dot + 1);
    }
    d = rest;
}

std::array<uint8_t, 4> Ipv4Octets(const QString& text)
{
    QString parts[4];
    SplitIpv4(text, parts[0], parts[1], parts[2], parts[3]);
    std::array<uint8_t, 4> octets{};
    for (int i = 0; i < 4; ++i)
        octets[size_t(i)] = static_cast<uint8_t>(parts[i].toInt());
    return octets;
}

QString Ipv4Text(const uint8_t* o)
{
    return QString::asprintf("%d.%d.%d.%d", o[0], o[1], o[2], o[3]);
}

QStringList LocalIpv4Addresses()
{
    QStringList result;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && a != QHostAddress(QHostAddress::LocalHost))
            result << a.toString();
    if (result.isEmpty())
        result << QHostAddress(QHostAddress::LocalHost).toString();
    return result;
}

LocalNetmasks LocalInterfaceNetmasks()
{
    LocalNetmasks result;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces())
        for (const QNetworkAddressEntry& entry : iface.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                result.push_back({entry.ip().toString(), entry.netmask().toString()});
    return result;
}

void NetmaskOfLocalIp(const QString& ip, QString& mask)
{
    NetmaskOfLocalIp(ip, mask, LocalInterfaceNetmasks());
}

void NetmaskOfLocalIp(const QString& ip, QString& mask, const LocalNetmasks& locals)
{
    for (const LocalNetmask& local : locals)
        if (local.ip == ip) {
            mask = local.mask;
            return;
        }
}

int64_t DeviceList::NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void DeviceList::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    list_.clear();
}

bool DeviceList::HandleDiscoveryReply(uint16_t code, const uint8_t* p, const QString& localIp)
{
    if (code == kSearchCode && p[0] == 0xFF)
        return false;  // a search frame, ours or another PC's
    if (!CheckDeviceMarker(p))
        return false;
    const MacAddress mac = MacFrom(p + 3);
    bool full = false;
    bool taken = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // A video board's address rides along in P17..P20; filler and "none"
        // values are not addresses.
        const QString boardIp = Ipv4Text(p + 17);
        if (boardIp != QLatin1String("0.0.0.0") && boardIp != kLimitedBroadcast &&
            boardIp != QLatin1String("85.85.85.85")) {
            MachineRecord board;
            board.mac = mac;
            board.ip = boardIp;
            board.ethBoard = 1;
            full = UpdateLocked(std::move(board), localIp) == Update::Full;
        }
        // P9 = 0: no device address, nothing more to do.
        if (p[9] != 0) {
            MachineRecord device;
            device.mac = mac;
            device.ip = Ipv4Text(p + 9);
            device.announced = code == kAnnounceCode;
            const Update result = UpdateLocked(std::move(device), localIp);
            full = full || result == Update::Full;
            taken = result == Update::Taken;
        }
    }
    if (full)
        DeviceLog("Device list full (%d entries): %s ignored", kMaxEntries, qPrintable(MacText(mac)));
    return code == kAnnounceCode && taken;
}

void DeviceList::UpdateMachineRecord(MachineRecord record, const QString& localIp)
{
    const MacAddress mac = record.mac;
    Update result;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        result = UpdateLocked(std::move(record), localIp);
    }
    if (result == Update::Full)
        DeviceLog("Device list full (%d entries): %s ignored", kMaxEntries, qPrintable(MacText(mac)));
}

DeviceList::Update DeviceList::UpdateLocked(MachineRecord r, const QString& localIp)
{
    if (r.ip == kLimitedBroadcast)
        return Update::Refused;
    const int k = localIp.lastIndexOf(QLatin1Char('.'));
    if (k < 0)
        return Update::Refused;
    // Compare up to and including the last '.', so that 192.168.10.5 is not
    // taken to lie in 192.168.1.x. A device outside the PC's network takes the
    // PC's address for now; the sort then moves it to a free one.
    if (r.ip.left(k + 1) != localIp.left(k + 1))
        r.ip = localIp;

    for (Entry& e : list_) {
        if (e->ethBoard != r.ethBoard || e->mac != r.mac)
            continue;
        if (e->ip != r.ip) {
            // A known device at another address (DHCP, or a change on its own
            // panel): the pages are told again, as for a new device, so that
            // they follow it there. A board's new address reaches them with
            // its processor.
            e->ip = r.ip;
            MachineRecord* device = r.ethBoard ? FirstProcessorWithMac(r.mac) : e.get();
            if (device)
                device->reported = 0;
        } else if (!r.ethBoard && r.announced) {
            e->announced = 1;
            e->reported = 0;
        }
        return Update::Taken;
    }
    if (int(list_.size()) >= kMaxEntries)
        return Update::Full;
    list_.push_back(std::make_unique<Node>(std::move(r)));
    return Update::Taken;
}

void DeviceList::SortMachineList(const QString& localIp, Outbox& out)
{
    SortMachineList(localIp, LocalInterfaceNetmasks(), NowMs(), out);
}

void DeviceList::SortMachineList(const QString& localIp, const LocalNetmasks& locals, int64_t nowMs,
                                 Outbox& out)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto byIp = [](const Entry& a, const Entry& b) { return LessByIp(*a, *b); };
    std::stable_sort(list_.begin(), list_.end(), byIp);

    TakenAddresses taken(localIp);
    for (const Entry& e : list_)
        taken.Add(e->ip);
    auto moveTo = [&](Node& e, const QString& ip) {
        taken.Move(e.ip, ip);
        e.ip = ip;
        e.needsNewIp = 1;
    };

    // A device on the PC's own address moves past the last entry's octet.
    for (Entry& e : list_) {
        if (e->ip != localIp)
            continue;
        const QString moved = taken.FreeAfter(Prefix(e->ip), Ipv4Octets(list_.back()->ip)[3]);
        if (moved.isEmpty()) {
            out.log << QStringLiteral("No free address for %1").arg(e->ip);
            continue;
        }
        moveTo(*e, moved);
    }

    // Two entries on one address: the first moves to a free address. Once
    // moved it holds an address nobody else has, so each entry is looked at
    // once.
    for (Entry& a : list_) {
        if (taken.Holders(a->ip) < 2)
            continue;
        const QString moved = taken.FreeAfter(Prefix(a->ip), Ipv4Octets(a->ip)[3]);
        if (!moved.isEmpty())
            moveTo(*a, moved);
    }

    std::stable_sort(list_.begin(), list_.end(), byIp);
    PublishLocked(locals, nowMs, out);
}

void DeviceList::PublishMachineList(Outbox& out)
{
    PublishMachineList(LocalInterfaceNetmasks(), NowMs(), out);
}

void DeviceList::PublishMachineList(const LocalNetmasks& locals, int64_t nowMs, Outbox& out)
{
    std::lock_guard<std::mutex> lock(mutex_);
    PublishLocked(locals, nowMs, out);
}

void DeviceList::OfferSetIp(Node& e, const Payload& request, int64_t nowMs, Outbox& out)
{
    // The same request again is left to the repeats; a new one (the entry
    // moved again) goes at once while the entry has requests left.
    if (e.setIpSends > 0 && e.setIp.bytes() == request.bytes())
        return;
    if (e.setIpSends >= kSetIpSends)
        return;
    e.setIp = request;
    ++e.setIpSends;
    e.setIpDueMs = nowMs + kSetIpRepeatMs;
    out.setIpRequests.push_back(request);
}

void DeviceList::PublishLocked(const LocalNetmasks& locals, int64_t nowMs, Outbox& out)
{
    if (list_.empty()) {
        out.announcements.push_back(Announcement{});
        return;
    }
    // Per MAC: the first video board's address, the boards that need a new
    // address, and the processor entries that do not.
    QHash<quint64, QString> boardIp;
    QHash<quint64, std::vector<const Node*>> boardsNeedingIp;
    QHash<quint64, std::vector<const Node*>> settledProcessors;
    for (const Entry& e : list_) {
        const quint64 key = MacKey(e->mac);
        if (e->ethBoard) {
            if (!boardIp.contains(key))
                boardIp.insert(key, e->ip);
            if (e->needsNewIp)
                boardsNeedingIp[key].push_back(e.get());
        } else if (!e->needsNewIp) {
            settledProcessors[key].push_back(e.get());
        }
    }

    for (const Entry& e : list_) {
        const quint64 key = MacKey(e->mac);
        if (!e->ethBoard && e->needsNewIp) {
            Payload p = SetIpRequest(e->mac, e->ip, e->ip, locals);
            for (const Node* board : boardsNeedingIp.value(key)) {
                p.set8(14, Frame::kFill);
                PutAddress(p, 15, board->ip);
                for (int i = 0; i < 4; ++i)
                    p.set8(19 + i, p.at(10 + i));
                PutAddress(p, 23, WithLastOctet(e->ip, 1));
            }
            OfferSetIp(*e, p, nowMs, out);
        } else if (!e->ethBoard) {
            if (boardsNeedingIp.contains(key) || e->reported)
                continue;
            e->reported = 1;
            e->announced = 0;
            out.announcements.push_back({e->ip, e->mac, boardIp.value(key)});
        } else if (e->needsNewIp) {
            for (const Node* f : settledProcessors.value(key)) {
                Payload p = SetIpRequest(e->mac, f->ip, e->ip, locals);
                p.set8(14, 0xFF);
                PutAddress(p, 15, e->ip);
                for (int i = 0; i < 4; ++i)
                    p.set8(19 + i, p.at(10 + i));
                PutAddress(p, 23, WithLastOctet(f->ip, 1));
                OfferSetIp(*e, p, nowMs, out);
            }
        }
    }
}

void DeviceList::RepeatSetIpRequests(int64_t nowMs, Outbox& out)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Entry& e : list_) {
        if (!e->needsNewIp || e->setIpSends == 0 || e->setIpSends >= kSetIpSends ||
            nowMs < e->setIpDueMs)
            continue;
        ++e->setIpSends;
        e->setIpDueMs = nowMs + kSetIpRepeatMs;
        out.setIpRequests.push_back(e->setIp);
    }
}

int64_t DeviceList::NextSetIpRepeatMs() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    int64_t next = -1;
    for (const Entry& e : list_)
        if (e->needsNewIp && e->setIpSends > 0 && e->setIpSends < kSetIpSends &&
            (next < 0 || e->setIpDueMs < next))
            next = e->setIpDueMs;
    return next;
}

void DeviceList::HandleSetIpConfirmation(const uint8_t* p, Outbox& out)
{
    if (!CheckDeviceMarker(p))
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    const MacAddress mac = MacFrom(p + 3);
    const QString deviceIp = Ipv4Text(p + 9);
    const QString boardIp = Ipv4Text(p + 17);
    for (const Entry& e : list_) {
        if (e->mac != mac || !e->needsNewIp)
            continue;
        MachineRecord* first = FirstProcessorWithMac(mac);
        if (!e->ethBoard) {
            if (e->ip == deviceIp)
                e->needsNewIp = 0;
            if (first && !first->needsNewIp && !e->reported) {
                e->reported = 1;
                e->announced = 0;
                out.announcements.push_back({e->ip, e->mac, FindEthBoardIpLocked(*e)});
            }
        } else {
            if (e->ip == boardIp)
                e->needsNewIp = 0;
            if (first && !first->needsNewIp && !first->reported) {
                first->reported = 1;
                first->announced = 0;
                out.announcements.push_back({first->ip, first->mac, e->ip});
            }
        }
    }
}

MachineRecord* DeviceList::FirstProcessorWithMac(const MacAddress& mac) const
{
    for (const Entry& e : list_)
        if (!e->ethBoard && e->mac == mac)
            return e.get();
    return nullptr;
}

QString DeviceList::FindEthBoardIpLocked(const MachineRecord& entry) const
{
    for (const Entry& e : list_)
        if (e->ethBoard && e->mac == entry.mac)
            return e->ip;
    return QString();
}

void DeviceList::SelectMachine(const QString& ip)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (Entry& e : list_)
        e->selected = e->ip == ip;
}

MData* DeviceList::CurrentMData()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (Entry& e : list_)
        if (e->selected)
            return &e->data;
    return nullptr;
}

QString DeviceList::CurrentIp() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Entry& e : list_)
        if (e->selected)
            return e->ip;
    return QString();
}

MData* DeviceList::FindMDataByIp(const QString& ip, bool* selected)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (Entry& e : list_)
        if (e->ip == ip) {
            if (selected)
                *selected = e->selected;
            return &e->data;
        }
    return nullptr;
}

QString DeviceList::CurrentEthIp() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Entry& e : list_)
        if (e->selected)
            return FindEthBoardIpLocked(*e);
    return QString();
}

int DeviceList::Count() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return int(list_.size());
}

QList<MachineRecord> DeviceList::Snapshot() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    QList<MachineRecord> copy;
    for (const Entry& e : list_)
        copy.append(*e);
    return copy;
}
