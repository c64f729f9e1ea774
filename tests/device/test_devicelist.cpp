// The device list: discovery replies, sorting, address corrections, set-IP
// requests and confirmations, publishing and look-ups. No sockets.
#include "Announcer.h"
#include "DeviceList.h"

#include <QRandomGenerator>
#include <QtTest>
#include <map>
#include <numeric>

namespace {

const QString kPc = QStringLiteral("192.168.1.10");

using Announce::Reply;

MacAddress Mac(uint8_t last)
{
    return {0x00, 0x1C, 0x88, 0x00, 0x00, last};
}

QStringList Ips(const DeviceList& list)
{
    QStringList ips;
    for (const MachineRecord& r : list.Snapshot())
        ips << r.ip;
    return ips;
}

QStringList Announced(const DeviceList::Outbox& out)
{
    QStringList ips;
    for (const auto& a : out.announcements)
        ips << a.ip;
    return ips;
}

QString AddressAt(const Payload& p, int at)
{
    return Ipv4Text(p.data() + at);
}

MacAddress MacOf(int n)
{
    return {0x02, 0x4B, 0x53, uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
}

// The address corrections as a walk over the whole list for every pair, the
// way the list once did them: the reference for the hashed version.
struct RefEntry {
    MacAddress mac;
    QString ip;
    bool moved = false;
};

QString RefPrefix(const QString& ip)
{
    return ip.left(ip.lastIndexOf('.') + 1);
}

bool RefTaken(const std::vector<RefEntry>& list, const QString& ip, const QString& pc)
{
    if (ip == pc)
        return true;
    for (const RefEntry& e : list)
        if (e.ip == ip)
            return true;
    return false;
}

QString RefFreeAfter(const std::vector<RefEntry>& list, const QString& prefix, int octet,
                     const QString& pc)
{
    int n = octet;
    for (int tries = 0; tries < 256; ++tries) {
        n = NextOctet(n);
        const QString candidate = prefix + QString::number(n);
        if (!RefTaken(list, candidate, pc))
            return candidate;
    }
    return QString();
}

void RefSort(std::vector<RefEntry>& list, const QString& pc)
{
    auto byIp = [](const RefEntry& a, const RefEntry& b) { return a.ip < b.ip; };
    std::stable_sort(list.begin(), list.end(), byIp);
    for (RefEntry& e : list) {
        if (e.ip != pc)
            continue;
        const QString moved = RefFreeAfter(list, RefPrefix(e.ip), Ipv4Octets(list.back().ip)[3], pc);
        if (moved.isEmpty())
            continue;
        e.ip = moved;
        e.moved = true;
    }
    for (RefEntry& a : list) {
        for (const RefEntry& b : list) {
            if (&b == &a || b.ip != a.ip)
                continue;
            const QString moved = RefFreeAfter(list, RefPrefix(a.ip), Ipv4Octets(b.ip)[3], pc);
            if (moved.isEmpty())
                continue;
            a.ip = moved;
            a.moved = true;
        }
    }
    std::stable_sort(list.begin(), list.end(), byIp);
}

// "ip:moved" per entry, in list order.
QStringList Described(const std::vector<RefEntry>& list)
{
    QStringList out;
    for (const RefEntry& e : list)
        out << e.ip + (e.moved ? ":moved" : "");
    return out;
}

QStringList Described(const DeviceList& list)
{
    QStringList out;
    for (const MachineRecord& r : list.Snapshot())
        out << r.ip + (r.needsNewIp ? ":moved" : "");
    return out;
}

// Set-IP requests per MAC (P0..P5).
std::map<MacAddress, int> RequestsPerMac(const std::vector<Payload>& requests)
{
    std::map<MacAddress, int> count;
    for (const Payload& p : requests) {
        MacAddress mac;
        std::copy(p.data(), p.data() + 6, mac.begin());
        ++count[mac];
    }
    return count;
}

}  // namespace

class TestDeviceList : public QObject {
    Q_OBJECT
private slots:
    void sortsAsText();
    void pcAddressConflict_data();
    void pcAddressConflict();
    void deviceOnPcAddressIsReportedAfterConfirmation();
    void outsideNetworkIsReaddressed_data();
    void outsideNetworkIsReaddressed();
    void duplicateAddresses();
    void repeatedRepliesAndAnnouncement();
    void ignoredReplies();
    void emptyListPublishesMarker();
    void ethBoardEntry();
    void ethBoardReaddressing();
    void selectionAndLookUps();
    void splitIpv4();

    void nextOctet_data();
    void nextOctet();
    void announcementWithoutAddress_data();
    void announcementWithoutAddress();
    void listHoldsOneNetwork_data();
    void listHoldsOneNetwork();
    void setIpRepeats_data();
    void setIpRepeats();
    void floodOfNewDevices_data();
    void floodOfNewDevices();
    void addressChangeIsAnnouncedAgain_data();
    void addressChangeIsAnnouncedAgain();
    void freeAddressesAsTheWalkFoundThem_data();
    void freeAddressesAsTheWalkFoundThem();
    void netmaskOfGivenInterfaces_data();
    void netmaskOfGivenInterfaces();
};

void TestDeviceList::sortsAsText()
{
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.9").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(2), "192.168.1.10").data() , "192.168.1.50");
    DeviceList::Outbox out;
    list.SortMachineList("192.168.1.50", out);
    QCOMPARE(Ips(list), QStringList({"192.168.1.10", "192.168.1.9"}));
    QCOMPARE(Announced(out), QStringList({"192.168.1.10", "192.168.1.9"}));
    QVERIFY(out.setIpRequests.empty());
}

void TestDeviceList::pcAddressConflict_data()
{
    QTest::addColumn<QStringList>("others");
    QTest::addColumn<QString>("expected");
    QTest::newRow("alone") << QStringList() << "192.168.1.11";
    QTest::newRow("after .254 comes 20") << QStringList({"192.168.1.254"}) << "192.168.1.20";
    QTest::newRow("after .255 comes 20") << QStringList({"192.168.1.255"}) << "192.168.1.20";
    // .9 sorts last as text; the next octet, .10, is the PC's own.
    QTest::newRow("never onto the PC") << QStringList({"192.168.1.9"}) << "192.168.1.11";
    QTest::newRow("never onto another device") << QStringList({"192.168.1.254", "192.168.1.20"})
                                               << "192.168.1.21";
}

void TestDeviceList::pcAddressConflict()
{
    QFETCH(QStringList, others);
    QFETCH(QString, expected);
    DeviceList list;
    uint8_t n = 10;
    for (const QString& ip : others)
        list.HandleDiscoveryReply(kSearchCode, Reply(Mac(n++), ip).data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), kPc).data(), kPc);
    DeviceList::Outbox out;
    list.SortMachineList(kPc, out);
    QVERIFY(Ips(list).contains(expected));
    QVERIFY(!Ips(list).contains(kPc));
    QCOMPARE(out.setIpRequests.size(), size_t(1));
    QCOMPARE(AddressAt(out.setIpRequests[0], 6), expected);
}

void TestDeviceList::deviceOnPcAddressIsReportedAfterConfirmation()
{
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), kPc).data(), kPc);
    DeviceList::Outbox out;
    list.SortMachineList(kPc, out);
    QCOMPARE(Ips(list), QStringList({"192.168.1.11"}));
    QVERIFY(out.announcements.empty());
    QCOMPARE(out.setIpRequests.size(), size_t(1));
    const Payload& req = out.setIpRequests[0];
    for (int i = 0; i < 6; ++i)
        QCOMPARE(req.at(i), Mac(1)[size_t(i)]);
    QCOMPARE(AddressAt(req, 6), QString("192.168.1.11"));
    QCOMPARE(AddressAt(req, 27), QString("192.168.1.1"));
    QCOMPARE(req.at(14), uint8_t(0x55));
    QCOMPARE(req.at(15), uint8_t(0x55));
    QCOMPARE(req.at(31), uint8_t(0x55));

    // A confirmation of some other address changes nothing.
    DeviceList::Outbox wrong;
    list.HandleSetIpConfirmation(Reply(Mac(1), "192.168.1.12").data(), wrong);
    QVERIFY(wrong.announcements.empty());

    DeviceList::Outbox confirmed;
    list.HandleSetIpConfirmation(Reply(Mac(1), "192.168.1.11").data(), confirmed);
    QCOMPARE(Announced(confirmed), QStringList({"192.168.1.11"}));
    QCOMPARE(list.Snapshot().at(0).needsNewIp, uint8_t(0));

    // Reported once only.
    DeviceList::Outbox again;
    list.PublishMachineList(again);
    QVERIFY(again.announcements.empty());
}

void TestDeviceList::outsideNetworkIsReaddressed_data()
{
    QTest::addColumn<QString>("pc");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("expected");
    QTest::newRow("other network") << "192.168.1.50" << "10.0.0.7" << "192.168.1.51";
    // The comparison includes the last '.': 192.168.10.x is another network.
    QTest::newRow("longer third octet") << kPc << "192.168.10.5" << "192.168.1.11";
    QTest::newRow("same network keeps it") << kPc << "192.168.1.77" << "192.168.1.77";
}

void TestDeviceList::outsideNetworkIsReaddressed()
{
    QFETCH(QString, pc);
    QFETCH(QString, device);
    QFETCH(QString, expected);
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), device).data(), pc);
    DeviceList::Outbox out;
    list.SortMachineList(pc, out);
    QCOMPARE(Ips(list), QStringList({expected}));
    const bool moved = expected != device;
    QCOMPARE(out.setIpRequests.size(), size_t(moved ? 1 : 0));
    QCOMPARE(out.announcements.size(), size_t(moved ? 0 : 1));
}

void TestDeviceList::duplicateAddresses()
{
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(2), "192.168.1.20").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(3), "192.168.1.21").data(), kPc);
    DeviceList::Outbox out;
    list.SortMachineList(kPc, out);
    const QStringList ips = Ips(list);
    QCOMPARE(ips, QStringList({"192.168.1.20", "192.168.1.21", "192.168.1.22"}));
    // The first of the pair moved, to an address nobody holds.
    const QList<MachineRecord> entries = list.Snapshot();
    QCOMPARE(entries.at(2).mac, Mac(1));
    QCOMPARE(entries.at(2).needsNewIp, uint8_t(1));
    QCOMPARE(out.setIpRequests.size(), size_t(1));
    QCOMPARE(AddressAt(out.setIpRequests[0], 6), QString("192.168.1.22"));
    QCOMPARE(Announced(out), QStringList({"192.168.1.20", "192.168.1.21"}));
}

void TestDeviceList::repeatedRepliesAndAnnouncement()
{
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20").data(), kPc);
    QCOMPARE(list.Count(), 1);
    DeviceList::Outbox first;
    list.SortMachineList(kPc, first);
    QCOMPARE(first.announcements.size(), size_t(1));

    DeviceList::Outbox second;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20").data(), kPc);
    list.SortMachineList(kPc, second);
    QVERIFY(second.announcements.empty());

    DeviceList::Outbox announced;
    QVERIFY(list.HandleDiscoveryReply(kAnnounceCode, Reply(Mac(1), "192.168.1.20").data(), kPc));
    list.SortMachineList(kPc, announced);
    QCOMPARE(Announced(announced), QStringList({"192.168.1.20"}));
    QCOMPARE(list.Count(), 1);
}

void TestDeviceList::ignoredReplies()
{
    DeviceList list;
    Payload search;
    search.set8(0, 0xFF);
    QVERIFY(!list.HandleDiscoveryReply(kSearchCode, search.data(), kPc));
    Payload badMarker = Reply(Mac(1), "192.168.1.20");
    badMarker.set8(1, 0x0E);
    QVERIFY(!list.HandleDiscoveryReply(kAnnounceCode, badMarker.data(), kPc));
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "0.1.2.3").data(), kPc);  // P9 = 0
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "255.255.255.255").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20").data(), "");  // no socket
    QCOMPARE(list.Count(), 0);
}

void TestDeviceList::emptyListPublishesMarker()
{
    DeviceList list;
    DeviceList::Outbox out;
    list.SortMachineList(kPc, out);
    QCOMPARE(out.announcements.size(), size_t(1));
    QVERIFY(out.announcements[0].ip.isEmpty());
    QVERIFY(out.announcements[0].ethIp.isEmpty());
}

void TestDeviceList::ethBoardEntry()
{
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20", "192.168.1.40").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(2), "192.168.1.21", "85.85.85.85").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(3), "192.168.1.22", "0.0.0.0").data(), kPc);
    QCOMPARE(list.Count(), 4);
    DeviceList::Outbox out;
    list.SortMachineList(kPc, out);
    QCOMPARE(out.announcements.size(), size_t(3));
    QCOMPARE(out.announcements[0].ip, QString("192.168.1.20"));
    QCOMPARE(out.announcements[0].ethIp, QString("192.168.1.40"));
    QVERIFY(out.announcements[1].ethIp.isEmpty());

    list.SelectMachine("192.168.1.20");
    QCOMPARE(list.CurrentEthIp(), QString("192.168.1.40"));
    list.SelectMachine("192.168.1.21");
    QCOMPARE(list.CurrentEthIp(), QString());
}

void TestDeviceList::ethBoardReaddressing()
{
    // The board answers from the PC's own address: the processor waits for it.
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20", kPc).data(), kPc);
    DeviceList::Outbox out;
    list.SortMachineList(kPc, out);
    QVERIFY(out.announcements.empty());
    QCOMPARE(out.setIpRequests.size(), size_t(1));
    const Payload& req = out.setIpRequests[0];
    QCOMPARE(AddressAt(req, 6), QString("192.168.1.20"));
    QCOMPARE(req.at(14), uint8_t(0xFF));
    QCOMPARE(AddressAt(req, 15), QString("192.168.1.21"));
    QCOMPARE(AddressAt(req, 19), QString("255.255.255.0"));
    QCOMPARE(AddressAt(req, 23), QString("192.168.1.1"));

    DeviceList::Outbox confirmed;
    list.HandleSetIpConfirmation(Reply(Mac(1), "192.168.1.20", "192.168.1.21").data(), confirmed);
    QCOMPARE(confirmed.announcements.size(), size_t(1));
    QCOMPARE(confirmed.announcements[0].ip, QString("192.168.1.20"));
    QCOMPARE(confirmed.announcements[0].ethIp, QString("192.168.1.21"));
}

void TestDeviceList::selectionAndLookUps()
{
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(2), "192.168.1.21").data(), kPc);
    QVERIFY(!list.CurrentMData());
    QCOMPARE(list.CurrentIp(), QString());

    bool selected = true;
    MData* second = list.FindMDataByIp("192.168.1.21", &selected);
    QVERIFY(second);
    QVERIFY(!selected);
    QVERIFY(!list.FindMDataByIp("192.168.1.99", &selected));

    list.SelectMachine("192.168.1.21");
    QCOMPARE(list.CurrentIp(), QString("192.168.1.21"));
    QCOMPARE(list.CurrentMData(), second);

    // Records keep their addresses across a sort.
    DeviceList::Outbox out;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(3), "192.168.1.2").data(), kPc);
    list.SortMachineList(kPc, out);
    QCOMPARE(list.CurrentMData(), second);

    list.SelectMachine("192.168.1.99");
    QVERIFY(!list.CurrentMData());
}

void TestDeviceList::splitIpv4()
{
    QString a, b, c, d;
    SplitIpv4("192.168.1.10", a, b, c, d);
    QCOMPARE(QStringList({a, b, c, d}), QStringList({"192", "168", "1", "10"}));
    SplitIpv4("1.2", a, b, c, d);
    QCOMPARE(QStringList({a, b, c, d}), QStringList({"1", "2", "", ""}));
    const auto o = Ipv4Octets("192.168.1.300");
    QCOMPARE(int(o[3]), 300 & 0xFF);
}

void TestDeviceList::nextOctet_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("next");
    QTest::newRow("plain") << 11 << 12;
    QTest::newRow("from 1") << 1 << 2;
    QTest::newRow("0 would give 1") << 0 << 20;
    QTest::newRow("not a number (-1) would give 0") << -1 << 20;
    QTest::newRow("253") << 253 << 254;
    QTest::newRow("254 would give 255") << 254 << 20;
    QTest::newRow("255 would give 256") << 255 << 20;
}

void TestDeviceList::nextOctet()
{
    QFETCH(int, n);
    QFETCH(int, next);
    QCOMPARE(NextOctet(n), next);
}

void TestDeviceList::announcementWithoutAddress_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("entries");
    QTest::newRow("announcement") << int(kAnnounceCode) << "255.255.255.255" << 0;
    QTest::newRow("announcement with a video board") << int(kAnnounceCode) << "192.168.1.40" << 1;
    QTest::newRow("search reply") << int(kSearchCode) << "255.255.255.255" << 0;
}

void TestDeviceList::announcementWithoutAddress()
{
    QFETCH(int, code);
    QFETCH(QString, board);
    QFETCH(int, entries);
    DeviceList list;
    // P9 = 0: no device address. Nothing to answer or publish, whatever the code.
    QVERIFY(!list.HandleDiscoveryReply(uint16_t(code), Reply(Mac(1), "0.168.1.20", board).data(), kPc));
    QCOMPARE(list.Count(), entries);
    for (const MachineRecord& r : list.Snapshot())
        QCOMPARE(r.ethBoard, uint8_t(1));
}

void TestDeviceList::listHoldsOneNetwork_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("mac");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("board");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<bool>("known");
    const QString none = "255.255.255.255";
    QTest::newRow("a new device") << int(kSearchCode) << 300 << "192.168.1.77" << none << false << false;
    QTest::newRow("a new device announcing itself")
        << int(kAnnounceCode) << 300 << "192.168.1.77" << none << false << false;
    QTest::newRow("a known device announcing itself")
        << int(kAnnounceCode) << 5 << "192.168.1.7" << none << true << true;
    QTest::newRow("a known device at a new address")
        << int(kAnnounceCode) << 5 << "192.168.1.99" << none << true << true;
    QTest::newRow("a known device's new video board")
        << int(kSearchCode) << 5 << "192.168.1.7" << "192.168.1.40" << false << true;
}

void TestDeviceList::listHoldsOneNetwork()
{
    QFETCH(int, code);
    QFETCH(int, mac);
    QFETCH(QString, ip);
    QFETCH(QString, board);
    QFETCH(bool, answered);
    QFETCH(bool, known);
    DeviceList list;
    for (int i = 0; i < DeviceList::kMaxEntries; ++i)
        list.HandleDiscoveryReply(kSearchCode,
                                  Reply(MacOf(i), "192.168.1." + QString::number(2 + i)).data(), kPc);
    QCOMPARE(list.Count(), 253);

    QCOMPARE(list.HandleDiscoveryReply(uint16_t(code), Reply(MacOf(mac), ip, board).data(), kPc),
             answered);
    QCOMPARE(list.Count(), 253);
    const QList<MachineRecord> entries = list.Snapshot();
    const bool listed = std::any_of(entries.begin(), entries.end(), [&](const MachineRecord& r) {
        return r.mac == MacOf(mac) && !r.ethBoard && r.ip == ip;
    });
    QCOMPARE(listed, known);
    QVERIFY(std::none_of(entries.begin(), entries.end(),
                         [](const MachineRecord& r) { return r.ethBoard; }));
}

// Steps "op@ms": sort, publish, repeat; confirm (the device confirms the
// address it was given); moved (it answers from the PC's address once more
// while another device has taken the address it was given).
void TestDeviceList::setIpRepeats_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("sent");
    QTest::addColumn<QList<int>>("nextDue");
    QTest::newRow("three in all, a second apart")
        << QStringList{"sort@0",    "publish@10", "repeat@999", "repeat@1000", "sort@1500",
                       "repeat@1999", "repeat@2000", "repeat@3000", "publish@4000"}
        << QList<int>{1, 0, 0, 1, 0, 0, 1, 0, 0}
        << QList<int>{1000, 1000, 1000, 2000, 2000, 2000, -1, -1, -1};
    QTest::newRow("a late repeat goes once")
        << QStringList{"sort@0", "repeat@5000", "repeat@5500", "repeat@6000", "repeat@9000"}
        << QList<int>{1, 1, 0, 1, 0} << QList<int>{1000, 6000, 6000, -1, -1};
    QTest::newRow("confirmed: no more")
        << QStringList{"sort@0", "confirm@400", "repeat@1000", "publish@2000"}
        << QList<int>{1, 0, 0, 0} << QList<int>{1000, -1, -1, -1};
    QTest::newRow("moved again: told at once, within the three")
        << QStringList{"sort@0", "repeat@1000", "moved@1200", "sort@1200", "repeat@2200",
                       "repeat@3200"}
        << QList<int>{1, 1, 0, 1, 0, 0} << QList<int>{1000, 2000, 2000, -1, -1, -1};
    QTest::newRow("moved before its first repeat")
        << QStringList{"sort@0", "moved@300", "sort@300", "repeat@1000", "repeat@1300",
                       "repeat@2300"}
        << QList<int>{1, 0, 1, 0, 1, 0} << QList<int>{1000, 1000, 1300, 1300, -1, -1};
}

void TestDeviceList::setIpRepeats()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, sent);
    QFETCH(QList<int>, nextDue);
    const LocalNetmasks locals;
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), kPc).data(), kPc);
    auto addressOf = [&](const MacAddress& mac) {
        for (const MachineRecord& r : list.Snapshot())
            if (r.mac == mac)
                return r.ip;
        return QString();
    };
    Payload last;
    for (int i = 0; i < steps.size(); ++i) {
        const QStringList step = steps[i].split('@');
        const QString op = step[0];
        const int64_t t = step[1].toLongLong();
        DeviceList::Outbox out;
        if (op == "sort") {
            list.SortMachineList(kPc, locals, t, out);
        } else if (op == "publish") {
            list.PublishMachineList(locals, t, out);
        } else if (op == "repeat") {
            list.RepeatSetIpRequests(t, out);
        } else if (op == "confirm") {
            list.HandleSetIpConfirmation(Reply(Mac(1), addressOf(Mac(1))).data(), out);
        } else if (op == "moved") {
            const QString given = addressOf(Mac(1));
            list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), kPc).data(), kPc);
            list.HandleDiscoveryReply(kSearchCode, Reply(Mac(9), given).data(), kPc);
        } else {
            QFAIL(qPrintable("unknown step " + op));
        }
        QVERIFY2(int(out.setIpRequests.size()) == sent[i],
                 qPrintable(QString("%1: %2 requests").arg(steps[i]).arg(out.setIpRequests.size())));
        QVERIFY2(list.NextSetIpRepeatMs() == nextDue[i],
                 qPrintable(QString("%1: next at %2").arg(steps[i]).arg(list.NextSetIpRepeatMs())));
        if (!out.setIpRequests.empty())
            last = out.setIpRequests.back();
    }
    // What went out last named the address that the device holds in the list.
    QCOMPARE(AddressAt(last, 6), addressOf(Mac(1)));
    // Three at most, whatever happened.
    QVERIFY(std::accumulate(sent.begin(), sent.end(), 0) <= DeviceList::kSetIpSends);
}

// 300 devices with ever new MACs announce themselves, each followed at once
// by a sort (no coalescing here) and a look at the repeats, 50 ms apart.
void TestDeviceList::floodOfNewDevices_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("all on the PC's address") << kPc;
    QTest::newRow("all on one device address") << "192.168.1.21";
    QTest::newRow("all outside the network") << "10.0.0.7";
}

void TestDeviceList::floodOfNewDevices()
{
    QFETCH(QString, address);
    const LocalNetmasks locals;
    DeviceList list;
    std::vector<Payload> requests;
    int answered = 0;
    int64_t t = 0;
    for (int i = 0; i < 300; ++i, t += 50) {
        DeviceList::Outbox out;
        if (list.HandleDiscoveryReply(kAnnounceCode, Reply(MacOf(i), address).data(), kPc)) {
            ++answered;
            list.SortMachineList(kPc, locals, t, out);
        }
        list.RepeatSetIpRequests(t, out);
        requests.insert(requests.end(), out.setIpRequests.begin(), out.setIpRequests.end());
    }
    for (; list.NextSetIpRepeatMs() >= 0; t += 50) {
        QVERIFY(t < 20000);
        DeviceList::Outbox out;
        list.RepeatSetIpRequests(t, out);
        requests.insert(requests.end(), out.setIpRequests.begin(), out.setIpRequests.end());
    }

    QCOMPARE(list.Count(), DeviceList::kMaxEntries);
    QCOMPARE(answered, DeviceList::kMaxEntries);
    const std::map<MacAddress, int> perMac = RequestsPerMac(requests);
    for (const auto& m : perMac)
        QVERIFY2(m.second <= DeviceList::kSetIpSends, qPrintable(QString::number(m.second)));
    // Each device given an address was told three times in all. The walk
    // never hands out octets below its start, so a few stay where they are.
    int moved = 0;
    for (const MachineRecord& r : list.Snapshot()) {
        if (!r.needsNewIp)
            continue;
        ++moved;
        QCOMPARE(perMac.count(r.mac) ? perMac.at(r.mac) : 0, DeviceList::kSetIpSends);
    }
    QVERIFY2(moved >= 230, qPrintable(QString::number(moved)));
}

void TestDeviceList::addressChangeIsAnnouncedAgain_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("board");
    QTest::addColumn<QStringList>("announced");
    QTest::newRow("search reply, same address")
        << int(kSearchCode) << "192.168.1.20" << "192.168.1.40" << QStringList();
    QTest::newRow("announcement, same address")
        << int(kAnnounceCode) << "192.168.1.20" << "192.168.1.40"
        << QStringList{"192.168.1.20 192.168.1.40"};
    QTest::newRow("search reply, new address")
        << int(kSearchCode) << "192.168.1.25" << "192.168.1.40"
        << QStringList{"192.168.1.25 192.168.1.40"};
    QTest::newRow("announcement, new address")
        << int(kAnnounceCode) << "192.168.1.25" << "192.168.1.40"
        << QStringList{"192.168.1.25 192.168.1.40"};
    QTest::newRow("its video board at a new address")
        << int(kSearchCode) << "192.168.1.20" << "192.168.1.41"
        << QStringList{"192.168.1.20 192.168.1.41"};
}

void TestDeviceList::addressChangeIsAnnouncedAgain()
{
    QFETCH(int, code);
    QFETCH(QString, ip);
    QFETCH(QString, board);
    QFETCH(QStringList, announced);
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "192.168.1.20", "192.168.1.40").data(), kPc);
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(2), "192.168.1.21").data(), kPc);
    DeviceList::Outbox first;
    list.SortMachineList(kPc, first);
    QCOMPARE(first.announcements.size(), size_t(2));
    list.SelectMachine("192.168.1.20");

    list.HandleDiscoveryReply(uint16_t(code), Reply(Mac(1), ip, board).data(), kPc);
    DeviceList::Outbox out;
    list.SortMachineList(kPc, out);
    QStringList got;
    for (const DeviceList::Announcement& a : out.announcements) {
        QCOMPARE(a.mac, Mac(1));
        got << a.ip + " " + a.ethIp;
    }
    QCOMPARE(got, announced);
    QVERIFY(out.setIpRequests.empty());
    // Still one entry for it, still the selected one, at its address now.
    QCOMPARE(list.Count(), 3);
    QCOMPARE(list.CurrentIp(), ip);
    QCOMPARE(list.CurrentEthIp(), board);

    // Reported once for the change.
    DeviceList::Outbox again;
    list.PublishMachineList(again);
    QVERIFY(again.announcements.empty());
}

// The corrections find the addresses that a walk over the whole list for
// every pair found.
void TestDeviceList::freeAddressesAsTheWalkFoundThem_data()
{
    QTest::addColumn<QString>("pc");
    QTest::addColumn<QStringList>("octets");
    QTest::newRow("two on .20 beside .21") << kPc << QStringList{"20", "20", "21"};
    QTest::newRow("one on the PC's address") << kPc << QStringList{"10"};
    QTest::newRow("PC's address, last entry .254") << kPc << QStringList{"254", "10"};
    QTest::newRow("PC's address, last entry .255") << kPc << QStringList{"255", "10"};
    QTest::newRow("PC's address, .9 sorts last") << kPc << QStringList{"9", "10"};
    QTest::newRow("PC at .50, device on it") << "192.168.1.50" << QStringList{"50", "7"};
    QTest::newRow("three on one address") << kPc << QStringList{"20", "20", "20"};
    QTest::newRow("a chain of taken octets") << kPc << QStringList{"20", "20", "21", "22", "23"};
    QTest::newRow("PC's address twice, and a pair") << kPc << QStringList{"10", "10", "11", "11"};
    QTest::newRow("a pair on .255") << kPc << QStringList{"255", "255", "20"};
    QTest::newRow("a pair on .0") << kPc << QStringList{"0", "0", "1", "1"};
    QStringList forty;
    for (int i = 0; i < 40; ++i)
        forty << "21";
    QTest::newRow("forty on one address") << kPc << forty;
    // 253 entries; .11 is free but no walk from .20 up reaches it.
    QStringList full;
    for (int o = 2; o <= 254; ++o)
        if (o != 10 && o != 11)
            full << QString::number(o);
    full << "10" << "20";
    QTest::newRow("no free address the walk reaches") << kPc << full;
    QRandomGenerator random(8);
    const QList<int> pool = {2, 9, 10, 11, 12, 19, 20, 21, 22, 25, 100, 253, 254, 255};
    for (int row = 0; row < 12; ++row) {
        QStringList octets;
        const int n = 2 + int(random.bounded(30));
        for (int i = 0; i < n; ++i)
            octets << QString::number(pool[int(random.bounded(pool.size()))]);
        QTest::newRow(qPrintable(QString("random %1").arg(row))) << kPc << octets;
    }
}

void TestDeviceList::freeAddressesAsTheWalkFoundThem()
{
    QFETCH(QString, pc);
    QFETCH(QStringList, octets);
    DeviceList list;
    std::vector<RefEntry> reference;
    for (int i = 0; i < octets.size(); ++i) {
        const QString ip = "192.168.1." + octets[i];
        list.HandleDiscoveryReply(kSearchCode, Reply(MacOf(i), ip).data(), pc);
        reference.push_back({MacOf(i), ip});
    }
    RefSort(reference, pc);
    DeviceList::Outbox out;
    list.SortMachineList(pc, LocalNetmasks(), 0, out);
    QCOMPARE(Described(list), Described(reference));
    // The same devices moved.
    const QList<MachineRecord> entries = list.Snapshot();
    for (int i = 0; i < entries.size(); ++i)
        QCOMPARE(entries[i].mac, reference[size_t(i)].mac);
}

void TestDeviceList::netmaskOfGivenInterfaces_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mask");
    QTest::newRow("a /24") << "192.168.1.10" << "255.255.255.0";
    QTest::newRow("a /16") << "10.1.2.3" << "255.255.0.0";
    QTest::newRow("loopback") << "127.0.0.1" << "255.0.0.0";
    QTest::newRow("no such address: kept") << "192.168.1.11" << "caller's";
    QTest::newRow("empty text: kept") << "" << "caller's";
}

void TestDeviceList::netmaskOfGivenInterfaces()
{
    QFETCH(QString, ip);
    QFETCH(QString, mask);
    const LocalNetmasks locals = {{"127.0.0.1", "255.0.0.0"},
                                  {"192.168.1.10", "255.255.255.0"},
                                  {"10.1.2.3", "255.255.0.0"}};
    QString got = "caller's";
    NetmaskOfLocalIp(ip, got, locals);
    QCOMPARE(got, mask);

    // A set-IP request takes the mask of the address it names.
    DeviceList list;
    list.HandleDiscoveryReply(kSearchCode, Reply(Mac(1), "10.1.2.3").data(), "10.1.2.3");
    DeviceList::Outbox out;
    list.SortMachineList("10.1.2.3", locals, 0, out);
    QCOMPARE(out.setIpRequests.size(), size_t(1));
    QCOMPARE(AddressAt(out.setIpRequests[0], 6), QString("10.1.2.4"));
    QCOMPARE(AddressAt(out.setIpRequests[0], 10), QString("255.255.255.0"));  // 10.1.2.4 is not local
}

QTEST_GUILESS_MAIN(TestDeviceList)
#include "test_devicelist.moc"
