// Discovery over real UDP inside the private test network: the search that
// answers an announcing device, announcements without an address, bursts
// and floods of announcing devices with ever new MACs, and the local
// addresses and netmasks the search and the set-IP requests rely on.
#include "Announcer.h"
#include "MiddleHandler.h"
#include "LinkedDevice.h"
#include "SearchGroups.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QtTest>
#include <map>
#include <set>

using namespace TestNet;

namespace {

// Not among the flood's MACs (02:4B:53:...), which would take the device's place.
const QString kMac1 = QStringLiteral("00:1c:88:00:00:01");
const QString kBroadcastDev = QStringLiteral("255.255.255.255");

}  // namespace

class TestDiscovery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    // First: it needs a handler that has not sorted its list for a while.
    void burstIsPublishedAtItsEdges();
    void followUpSearchToAnnouncingDevice();
    void announcementWithoutAddressDoesNothing();
    void stormOfNewDevices_data();
    void stormOfNewDevices();
    void localAddressesAndNetmasks();

private:
    MiddleHandler* h = nullptr;
    std::unique_ptr<LinkedDevice> device;
    QStringList announced;
};

void TestDiscovery::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    h = MiddleHandler::GetInstance();
    connect(h, &MiddleHandler::SigMachineIPEvent, this,
            [this](QString ip, BYTE* mac, QString) { announced << (mac ? ip : QString("(empty)")); });
}

void TestDiscovery::init()
{
    h->SetAckTimeout(2000);
    h->SetInquiryDelay(300);
    h->ResetForTest();
    announced.clear();
    device = std::make_unique<LinkedDevice>();
}

void TestDiscovery::cleanup()
{
    device.reset();
    if (h)
        h->ResetForTest();
}

void TestDiscovery::cleanupTestCase()
{
    if (h)
        h->ShutdownForTest();
}

// Fifty devices announce themselves in one go: the first is published at
// once, the other 49 together at the end of the burst.
void TestDiscovery::burstIsPublishedAtItsEdges()
{
    QVERIFY(h->OpenBroadcastPort(kPcIp, kBroadcastLocalPort));
    // When each announcement came: in which call of the feed (negative), or
    // in which turn of the event loop after it.
    int turn = 0;
    QTimer turns;
    connect(&turns, &QTimer::timeout, [&] { ++turn; });
    turns.start(0);
    std::vector<int> turnOf;
    QObject receiver;
    connect(h, &MiddleHandler::SigMachineIPEvent, &receiver,
            [&](QString, BYTE*, QString) { turnOf.push_back(turn); });

    QElapsedTimer feeding;
    feeding.start();
    for (int i = 0; i < 50; ++i) {
        const QByteArray frame =
            Announce::Frame(Announce::FloodMac(i), "192.168.1." + QString::number(100 + i));
        turn = -1 - i;
        h->ParseNetData(reinterpret_cast<const uint8_t*>(frame.constData()), frame.size(),
                        kDeviceIp2);
        if (i == 0)
            QCOMPARE(announced, QStringList{"192.168.1.100"});  // at once
    }
    const qint64 fed = feeding.elapsed();
    turn = 1;
    QTRY_COMPARE_WITH_TIMEOUT(announced.size(), 50, 5000);
    QCOMPARE(h->GetMachineCount(), 50);
    // One publication per 100 ms at most: the first at once and the rest at
    // the end (more only when feeding took that long on a loaded machine).
    const size_t publications = std::set<int>(turnOf.begin(), turnOf.end()).size();
    QVERIFY2(publications >= 2 && publications <= size_t(2 + fed / 100),
             qPrintable(QString("%1 publications in %2 ms").arg(publications).arg(fed)));
    QCOMPARE(std::count(turnOf.begin(), turnOf.end(), -1), 1L);
}

void TestDiscovery::followUpSearchToAnnouncingDevice()
{
    h->SetInquiryDelay(10000);
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--announce"}));
    QVERIFY(device->search());
    // Published long before the sort of the search.
    QTRY_COMPARE_WITH_TIMEOUT(announced, QStringList{kDeviceIp1}, 2000);
    // The device itself got the PC's search: 0xFF and the PC's address, from
    // the broadcast socket.
    QVERIFY(device->frames().waitFor(
        [](const LoggedFrame& f) {
            return f.rx && f.dev == kDeviceIp1 && f.code == 0x8080 &&
                   f.text() == "8080 ffc0a8010a" && f.peer == kPcIp + ":61215";
        },
        2000));
    // Later broadcasts reach every device again.
    QCOMPARE(h->GetBroadcastRemoteIp(), kBroadcastDev);
    QCOMPARE(h->GetMachineCount(), 1);
}

void TestDiscovery::announcementWithoutAddressDoesNothing()
{
    QVERIFY(h->OpenBroadcastPort(kPcIp, kBroadcastLocalPort));
    Announcer devices(kDeviceIp2, kPcIp);
    QVERIFY(devices.isBound());
    QVERIFY(devices.announce(Announce::FloodMac(1), "0.168.1.21"));
    // One with an address after it: once it is published, the first has been
    // handled (one socket, in order).
    QVERIFY(devices.announce(Announce::FloodMac(2), kDeviceIp2));
    QTRY_VERIFY_WITH_TIMEOUT(!announced.isEmpty(), 3000);
    // No publication of an empty list before it, no entry for the first.
    QCOMPARE(announced, QStringList{kDeviceIp2});
    QCOMPARE(h->GetMachineCount(), 1);
    QCOMPARE(h->GetBroadcastRemoteIp(), kBroadcastDev);
}

void TestDiscovery::stormOfNewDevices_data()
{
    QTest::addColumn<QString>("claimed");
    QTest::newRow("all on the PC's address") << kPcIp;
    QTest::newRow("all on one device address") << kDeviceIp2;
}

// 300 devices with ever new MACs announce themselves, 200 a second, while
// the selected device is read back: each is told its address at most three
// times in all, and a read-back started right after the flood ends.
void TestDiscovery::stormOfNewDevices()
{
    QFETCH(QString, claimed);
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--state",
                           ProcSim::stateFile("z7050-1.json"), "--status-interval", "0"}));
    QVERIFY(device->search());
    QTRY_COMPARE_WITH_TIMEOUT(announced, QStringList{kDeviceIp1}, 3000);
    QVERIFY(device->selectAndReadBack(kDeviceIp1));

    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    Announcer flood(kDeviceIp2, kPcIp);
    QVERIFY(flood.isBound());
    connect(&flood, &Announcer::floodDone, [] {
        SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    });
    flood.flood(300, 5, [&](int) { return claimed; });
    QTRY_VERIFY_WITH_TIMEOUT(!flood.flooding(), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(end.count() > 0, 10000);
    QCOMPARE(h->GetCurrentIp(), kDeviceIp1);
    QCOMPARE(h->GetMachineCount(), DeviceList::kMaxEntries);

    // Once no repeat is due, a marker broadcast behind the last of them.
    QTRY_VERIFY_WITH_TIMEOUT(h->Devices().NextSetIpRepeatMs() < 0, 10000);
    Payload marker;
    marker.set8(0, 0xEE);
    h->SendBroadcastFrame(0x0580, marker.data(), Frame::kHeaderA, Frame::kHeaderB);
    QVERIFY(device->frames().waitForReceived(0x0580, kBroadcastDev));

    std::map<QString, int> perMac;
    for (const LoggedFrame& f : device->frames().received(kBroadcastDev))
        if (f.code == 0x8100)
            ++perMac[QString::fromLatin1(f.payload.left(6).toHex())];
    QVERIFY2(perMac.size() >= 200, qPrintable(QString::number(perMac.size())));
    // The selected device keeps its address.
    QVERIFY(!perMac.count(QString(kMac1).remove(':')));
    for (const auto& m : perMac)
        QVERIFY2(m.second <= DeviceList::kSetIpSends,
                 qPrintable(QString("%1: %2 set-IP requests").arg(m.first).arg(m.second)));
    QVERIFY(TestSupport::WaitSenderIdle(h));
}

// scripts/netns puts these addresses on the loopback device, each /24.
void TestDiscovery::localAddressesAndNetmasks()
{
    const QStringList addresses = kAllAddresses;
    QCOMPARE(LocalIpv4Addresses(), addresses);
    for (const QString& ip : addresses) {
        QString mask = "kept";
        NetmaskOfLocalIp(ip, mask);
        QCOMPARE(mask, QString("255.255.255.0"));
    }
    QString mask = "kept";
    NetmaskOfLocalIp("127.0.0.1", mask);
    QCOMPARE(mask, QString("255.0.0.0"));
    mask = "kept";
    NetmaskOfLocalIp("192.168.1.11", mask);
    QCOMPARE(mask, QString("kept"));

    QStringList listed;
    for (const LocalNetmask& local : LocalInterfaceNetmasks())
        listed << local.ip + "/" + local.mask;
    for (const QString& ip : addresses)
        QVERIFY2(listed.contains(ip + "/255.255.255.0"), qPrintable(listed.join(", ")));
}

LEDZ_TEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
