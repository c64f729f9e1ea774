#include "DeviceList.h"

#include "DeviceLog.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <algorithm>
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

// The octet that follows n; 0, 1 and 255 are never handed out.
int NextOctet(int n)
{
    const int next = n + 1;
    return (next <= 1 || next >= 255) ? 20 : next;
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

}  // namespace

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

void NetmaskOfLocalIp(const QString& ip, QString& mask)
{
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces())
        for (const QNetworkAddressEntry& entry : iface.addressEntries())
            if (entry.ip().toString() == ip) {
                mask = entry.netmask().toString();
                return;
            }
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
    std::lock_guard<std::mutex> lock(mutex_);
    const MacAddress mac = MacFrom(p + 3);
    // A video board's address rides along in P17..P20; filler and "none"
    // values are not addresses.
    const QString boardIp = Ipv4Text(p + 17);
    if (boardIp != QLatin1String("0.0.0.0") && boardIp != kLimitedBroadcast &&
        boardIp != QLatin1String("85.85.85.85")) {
        MachineRecord board;
        board.mac = mac;
        board.ip = boardIp;
        board.ethBoard = 1;
        UpdateLocked(std::move(board), localIp);
    }
    if (p[9] != 0) {
        MachineRecord device;
        device.mac = mac;
        device.ip = Ipv4Text(p + 9);
        device.announced = code == kAnnounceCode;
        UpdateLocked(std::move(device), localIp);
    }
    return code == kAnnounceCode;
}

void DeviceList::UpdateMachineRecord(MachineRecord record, const QString& localIp)
{
    std::lock_guard<std::mutex> lock(mutex_);
    UpdateLocked(std::move(record), localIp);
}

void DeviceList::UpdateLocked(MachineRecord r, const QString& localIp)
{
    if (r.ip == kLimitedBroadcast)
        return;
    const int k = localIp.lastIndexOf(QLatin1Char('.'));
    if (k < 0)
        return;
    // Compare up to and including the last '.', so that 192.168.10.5 is not
    // taken to lie in 192.168.1.x. A device outside the PC's network takes the
    // PC's address for now; the sort then moves it to a free one.
    if (r.ip.left(k + 1) != localIp.left(k + 1))
        r.ip = localIp;

    for (Entry& e : list_) {
        if (e->ethBoard != r.ethBoard || e->mac != r.mac)
            continue;
        if (e->ip != r.ip) {
            e->ip = r.ip;
        } else if (!r.ethBoard && r.announced) {
            e->announced = 1;
            e->reported = 0;
        }
        return;
    }
    list_.push_back(std::make_unique<MachineRecord>(std::move(r)));
}

bool DeviceList::AddressTaken(const QString& ip, const QString& localIp) const
{
    if (ip == localIp)
        return true;
    return std::any_of(list_.begin(), list_.end(), [&](const Entry& e) { return e->ip == ip; });
}

QString DeviceList::FreeAddressAfter(const QString& prefix, int octet, const QString& localIp) const
{
    int n = octet;
    for (int tries = 0; tries < 256; ++tries) {
        n = NextOctet(n);
        const QString candidate = prefix + QString::number(n);
        if (!AddressTaken(candidate, localIp))
            return candidate;
    }
    return QString();  // the whole network is taken
}

void DeviceList::SortMachineList(const QString& localIp, Outbox& out)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto byIp = [](const Entry& a, const Entry& b) { return LessByIp(*a, *b); };
    std::stable_sort(list_.begin(), list_.end(), byIp);

    // A device on the PC's own address moves past the last entry's octet.
    for (Entry& e : list_) {
        if (e->ip != localIp)
            continue;
        const QString moved =
            FreeAddressAfter(Prefix(e->ip), Ipv4Octets(list_.back()->ip)[3], localIp);
        if (moved.isEmpty()) {
            DeviceLog("No free address for %s", qPrintable(e->ip));
            continue;
        }
        e->ip = moved;
        e->needsNewIp = 1;
    }

    // Two entries on one address: the first moves to a free address.
    for (Entry& a : list_) {
        for (const Entry& b : list_) {
            if (b == a || b->ip != a->ip)
                continue;
            const QString moved = FreeAddressAfter(Prefix(a->ip), Ipv4Octets(b->ip)[3], localIp);
            if (moved.isEmpty())
                continue;
            a->ip = moved;
            a->needsNewIp = 1;
        }
    }

    std::stable_sort(list_.begin(), list_.end(), byIp);
    PublishLocked(out);
}

void DeviceList::PublishMachineList(Outbox& out)
{
    std::lock_guard<std::mutex> lock(mutex_);
    PublishLocked(out);
}

Payload DeviceList::SetIpRequest(const MacAddress& mac, const QString& ip, const QString& maskSource) const
{
    Payload p;
    for (int i = 0; i < 6; ++i)
        p.set8(i, mac[size_t(i)]);
    PutAddress(p, 6, ip);
    QString mask = kDefaultMask;
    NetmaskOfLocalIp(maskSource, mask);
    PutAddress(p, 10, mask);
    PutAddress(p, 27, WithLastOctet(ip, 1));
    return p;
}

void DeviceList::PublishLocked(Outbox& out)
{
    if (list_.empty()) {
        out.announcements.push_back(Announcement{});
        return;
    }
    auto boardNeedsIp = [this](const MacAddress& mac) {
        return std::any_of(list_.begin(), list_.end(), [&](const Entry& e) {
            return e->ethBoard && e->mac == mac && e->needsNewIp;
        });
    };
    for (const Entry& e : list_) {
        if (!e->ethBoard && e->needsNewIp) {
            Payload p = SetIpRequest(e->mac, e->ip, e->ip);
            for (const Entry& board : list_) {
                if (!board->ethBoard || board->mac != e->mac || !board->needsNewIp)
                    continue;
                p.set8(14, Frame::kFill);
                PutAddress(p, 15, board->ip);
                for (int i = 0; i < 4; ++i)
                    p.set8(19 + i, p.at(10 + i));
                PutAddress(p, 23, WithLastOctet(e->ip, 1));
            }
            out.setIpRequests.push_back(p);
        } else if (!e->ethBoard) {
            if (boardNeedsIp(e->mac) || e->reported)
                continue;
            e->reported = 1;
            e->announced = 0;
            out.announcements.push_back({e->ip, e->mac, FindEthBoardIpLocked(*e)});
        } else if (e->needsNewIp) {
            for (const Entry& f : list_) {
                if (f->ethBoard || f->mac != e->mac || f->needsNewIp)
                    continue;
                Payload p = SetIpRequest(e->mac, f->ip, e->ip);
                p.set8(14, 0xFF);
                PutAddress(p, 15, e->ip);
                for (int i = 0; i < 4; ++i)
                    p.set8(19 + i, p.at(10 + i));
                PutAddress(p, 23, WithLastOctet(f->ip, 1));
                out.setIpRequests.push_back(p);
            }
        }
    }
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
