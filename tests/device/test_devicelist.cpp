// The device list: discovery replies, sorting, address corrections, set-IP
// requests and confirmations, publishing and look-ups. No sockets.
#include "DeviceList.h"

#include <QtTest>

namespace {

const QString kPc = QStringLiteral("192.168.1.10");

Payload Reply(const MacAddress& mac, const QString& ip, const QString& board = "255.255.255.255")
{
    Payload p;
    p.set8(0, 0x02);
    p.set8(1, 0x0D);
    p.set8(2, 0x04);
    for (int i = 0; i < 6; ++i)
        p.set8(3 + i, mac[size_t(i)]);
    const auto o = Ipv4Octets(ip);
    const auto b = Ipv4Octets(board);
    for (int i = 0; i < 4; ++i) {
        p.set8(9 + i, o[size_t(i)]);
        p.set8(17 + i, b[size_t(i)]);
    }
    return p;
}

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

QTEST_GUILESS_MAIN(TestDeviceList)
#include "test_devicelist.moc"
