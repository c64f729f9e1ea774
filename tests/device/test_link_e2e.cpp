// The device link end to end over real UDP against the simulated processor,
// inside the private test network: search, selection, read-back, changes,
// the whole-configuration send, resend and give-up, discovery.
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "LinkedDevice.h"
#include "SearchGroups.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QtTest>

using namespace TestNet;
using TestSupport::WaitSenderIdle;

namespace {

const QString kMac1 = LinkedDevice::kMac1;
const QString kMac2 = LinkedDevice::kMac2;

// When the device received the frames of that code (ms since it started).
QList<qint64> rxTimes(const FrameLog& frames, int code)
{
    QList<qint64> times;
    for (const LoggedFrame& f : frames.received())
        if (f.code == code)
            times << qint64(f.t);
    return times;
}

}  // namespace

class TestLinkE2E : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void searchSelectAndReadBack();
    void changeRoundTrip();
    void wholeConfigurationSend();
    void silentDeviceGivesUp();
    void repeatedAcknowledgements();
    void lateAcknowledgements();
    void takeBroadcasts();
    void queueOrderAndOverflow();
    void discovery();
    void announcementIsPublishedAtOnce();
    void deviceOnPcAddressIsReaddressed();
    void foreignRepliesAndHeartbeats();

private:
    // The first device announced since the search, or "" after timeoutMs.
    QString waitForDevice(int timeoutMs = 3000)
    {
        return device->waitForDevices(1, timeoutMs) ? device->announced().value(0) : QString();
    }
    FrameLog& frames() { return device->frames(); }

    MiddleHandler* h = nullptr;
    std::unique_ptr<LinkedDevice> device;
};

void TestLinkE2E::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    h = MiddleHandler::GetInstance();
}

void TestLinkE2E::init()
{
    h->SetAckTimeout(2000);
    h->SetInquiryDelay(300);
    h->ResetForTest();
    device = std::make_unique<LinkedDevice>();
}

void TestLinkE2E::cleanup()
{
    device.reset();
    if (h)
        h->ResetForTest();
}

void TestLinkE2E::cleanupTestCase()
{
    if (h)
        h->ShutdownForTest();
}

void TestLinkE2E::searchSelectAndReadBack()
{
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--state",
                      ProcSim::stateFile("z7050-1.json")}));
    QVERIFY(device->search());
    const QString ip = waitForDevice();
    QCOMPARE(ip, kDeviceIp1);
    QVERIFY(device->selectAndReadBack(ip));
    QCOMPARE(h->GetCurrentIp(), kDeviceIp1);
    QVERIFY(WaitSenderIdle(h));
    // The host address and the request both reached the device.
    QCOMPARE(frames().count(0x0401), 1);
    QCOMPARE(frames().count(0x0600), 1);
    const QStringList diff = device->diffWithSim(ip);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
    // The state is not trivially empty.
    QVERIFY(h->GetCurrentMData()->M_InputData.port[0].portNum > 0);
}

void TestLinkE2E::changeRoundTrip()
{
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--state",
                      ProcSim::stateFile("z7050-1.json")}));
    QVERIFY(device->search());
    QVERIFY(device->selectAndReadBack(waitForDevice()));
    QVERIFY(WaitSenderIdle(h));

    MData* d = h->GetCurrentMData();
    LayerRecord& layer = d->M_MosaicLayerCfg.layer[1];
    layer.hs = 123;
    layer.vs = 45;
    layer.hact = 640;
    layer.vact = 360;
    const uint8_t addr[3] = {3, 1, 0};
    SendCommand(&layer, SEND_LAYERCMD, addr, QString());
    QVERIFY(WaitSenderIdle(h));

    layer = LayerRecord();  // forget it here; the device has it
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    QVERIFY(end.wait(5000));
    QCOMPARE(layer.hs, 123u);
    QCOMPARE(layer.vs, 45u);
    QCOMPARE(layer.hact, 640u);
    QCOMPARE(layer.vact, 360u);
    const QStringList diff = device->diffWithSim(kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestLinkE2E::wholeConfigurationSend()
{
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--state",
                      ProcSim::stateFile("z7050-1.json")}));
    QVERIFY(device->search());
    QVERIFY(device->selectAndReadBack(waitForDevice()));
    QVERIFY(WaitSenderIdle(h));

    // Change something in every table the send carries.
    MData* d = h->GetCurrentMData();
    d->M_AllCfg.brightLevel = 9;
    d->M_AllCfg.gammaValue = 22;
    d->M_InputData.crop[5].hs[4] = 77;
    d->M_InputData.crop[0].onOff[0] = true;
    d->M_OutputData.M_OutputResoCfg.resoId = 27;
    d->M_OutputData.M_OutputResoCfg.htotal = 2200;
    d->M_OutputData.M_OPDisplayCfg[3].mosaicHs = 3840;
    d->M_MosaicLayerCfg.picture[2].contrast = 61;
    d->M_SwitchLayerCfg.zoom[1].hRange = 1920;
    d->M_SwitchLayerCfg.chromaKey[4].maxG = 200;
    d->M_BackupLayerCfg.layer[1].alpha = 40;
    d->M_TaskCfg.task[19].presetId = 7;
    d->M_TaskCfg.task[0].period = 600;

    SendCommand(&d->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
    for (int type = SEND_ALLCROPCMD; type <= SEND_ALLTASKCMD; ++type)
        SendBatchCommand(d, type, QString());
    QVERIFY(WaitSenderIdle(h, 10000));
    QVERIFY(!h->IsTimedOut());
    QCOMPARE(frames().count(0x0402), 6);

    const QStringList diff = device->diffWithSim(kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestLinkE2E::silentDeviceGivesUp()
{
    // The one real-time case: the device answers searches and nothing else.
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--silent"}));
    QVERIFY(device->search());
    const QString ip = waitForDevice();
    device->select(ip);
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());

    QTRY_VERIFY_WITH_TIMEOUT(h->IsTimedOut(), 12000);
    const QList<qint64> times = rxTimes(frames(), 0x0600);
    QCOMPARE(times.size(), 4);
    // The device stamps a frame when it reads it, so a late read of one frame
    // shortens the gap before the next: some slack below the 2 s, far above
    // what an early resend would leave.
    for (int i = 1; i < times.size(); ++i) {
        const qint64 gap = times[i] - times[i - 1];
        QVERIFY2(gap > 1800, qPrintable(QString::number(gap)));
    }
    QCOMPARE(frames().count(0x0700), 0);  // emptied with the queue
    QCOMPARE(h->PendingShortFrames(), 0);

    // The next frame clears the mark and goes out at once, not after the
    // 2 s that the sender would wait for the given-up frame.
    SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());
    QVERIFY(!h->IsTimedOut());
    QVERIFY(frames().waitForReceived(0x0700, kDeviceIp1, QString(), 1500));
}

// A device that acknowledges every frame twice: two freeze toggles in a row
// both reach it (the second acknowledgement of the first must not free the
// second before it has gone out).
void TestLinkE2E::repeatedAcknowledgements()
{
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--dup-ack", "--state",
                      ProcSim::stateFile("z7050-1.json")}));
    QVERIFY(device->search());
    QVERIFY(device->selectAndReadBack(waitForDevice()));
    QVERIFY(WaitSenderIdle(h));

    const QString freeze = QStringLiteral("06");
    const int before = frames().count(0x0601, freeze);
    SendCommand(nullptr, SEND_FREEZECMD, nullptr, QString());
    SendCommand(nullptr, SEND_FREEZECMD, nullptr, QString());
    const uint8_t pattern = 3;
    SendCommand(&pattern, SEND_TESTPATTERNCMD, nullptr, QString());
    QVERIFY(WaitSenderIdle(h));
    // The test pattern went last: once it is there, so is everything before it.
    QVERIFY(frames().waitForReceived(0x0601, kDeviceIp1, "0503"));
    QCOMPARE(frames().count(0x0601, freeze) - before, 2);
    QVERIFY(!h->IsTimedOut());
}

// Acknowledgements that come after the resend (the device handles every
// frame later than the wait): every frame still reaches the device, in
// order, and the link does not give up.
void TestLinkE2E::lateAcknowledgements()
{
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--ack-delay", "400"}));
    h->SetAckTimeout(250);
    QVERIFY(device->search());
    const QString ip = waitForDevice();
    device->select(ip);

    for (uint8_t pattern = 1; pattern <= 4; ++pattern)
        SendCommand(&pattern, SEND_TESTPATTERNCMD, nullptr, QString());
    QVERIFY(WaitSenderIdle(h, 15000));
    QVERIFY(!h->IsTimedOut());
    // Each pattern arrived at least once, the first ones before the later ones.
    QList<int> seen;
    for (const LoggedFrame& f : frames().received()) {
        if (f.code != 0x0601 || f.payload.size() < 2 || f.payload.at(0) != 0x05)
            continue;
        const int pattern = f.payload.at(1);
        if (seen.isEmpty() || seen.last() != pattern)
            seen << pattern;
    }
    QCOMPARE(seen, (QList<int>{1, 2, 3, 4}));
}

// The take broadcasts of the take groups leave through the broadcast socket
// and reach the devices; every command is logged with its target.
void TestLinkE2E::takeBroadcasts()
{
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1}));
    QVERIFY(device->search());
    QCOMPARE(waitForDevice(), kDeviceIp1);
    h->SelectMachine(kDeviceIp1);

    const QByteArray savedGroup = CheckedMachineList[1];
    const int savedIndex = CheckedGroupIndex;
    CheckedMachineList[1] = QByteArray("\x14\x15", 2);
    CheckedGroupIndex = 1;
    TestSupport::LogCapture log;
    SendCommand(nullptr, SEND_MULTITAKE1CMD, nullptr, QString());
    SendCommand(nullptr, SEND_MULTITAKE2CMD, nullptr, QString());
    CheckedMachineList[1] = savedGroup;
    CheckedGroupIndex = savedIndex;
    QCOMPARE(log.count(QStringLiteral("Send CommandType:35 IPAddr:192.168.1.20"), true), 1);
    QCOMPARE(log.count(QStringLiteral("Send CommandType:36 IPAddr:192.168.1.20"), true), 1);

    for (int code : {0x0580, 0x0581}) {
        QVERIFY2(frames().waitForReceived(code, QString(), "1415ff", 3000),
                 qPrintable(QString::number(code, 16)));
    }
}

void TestLinkE2E::queueOrderAndOverflow()
{
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--ack-delay", "300"}));
    QVERIFY(device->search());
    const QString ip = waitForDevice();
    device->select(ip);

    // While the first frame awaits its acknowledgement, a batch and then a
    // short frame are queued: the short one goes first.
    const uint8_t pattern = 1;
    SendCommand(&pattern, SEND_TESTPATTERNCMD, nullptr, QString());
    QTest::qWait(50);
    SendBatchCommand(h->GetCurrentMData(), SEND_ALLTASKCMD, QString());
    SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());
    QVERIFY(WaitSenderIdle(h));
    QCOMPARE(frames().receivedCodes(), QList<int>({0x0601, 0x0700, 0x0402}));

    // Forty frames fill the queue; the forty-first is dropped.
    for (int i = 0; i < 41; ++i) {
        const uint8_t p = uint8_t(i);
        SendCommand(&p, SEND_TESTPATTERNCMD, nullptr, QString());
    }
    QCOMPARE(h->PendingShortFrames(), 40);
}

void TestLinkE2E::discovery()
{
    QVERIFY(device->start({"--device", kDeviceIp2 + "," + kMac2, "--device",
                      kDeviceIp1 + "," + kMac1 + "," + kDeviceIp3}));
    QVERIFY(device->search());
    QVERIFY(device->waitForDevices(2, 3000));
    QCOMPARE(device->announced(), QStringList({kDeviceIp1, kDeviceIp2}));  // sorted by text
    QCOMPARE(device->announcedBoards(), QStringList({kDeviceIp3, QString()}));
    h->SelectMachine(kDeviceIp1);
    QCOMPARE(h->GetCurrentEthIp(), kDeviceIp3);
    QCOMPARE(h->GetMachineCount(), 3);  // two processors and one video board
}

void TestLinkE2E::announcementIsPublishedAtOnce()
{
    h->SetInquiryDelay(10000);
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--announce"}));
    QVERIFY(device->search());
    QVERIFY(device->waitForDevices(1, 2000));  // long before the timer
    QCOMPARE(device->announced().first(), kDeviceIp1);
    // Later broadcasts reach every device again.
    QCOMPARE(h->GetBroadcastRemoteIp(), QString("255.255.255.255"));
}

void TestLinkE2E::deviceOnPcAddressIsReaddressed()
{
    QVERIFY(device->start({"--device", kPcIp + "," + kMac1}));
    QVERIFY(device->search());
    // Reported only once it has confirmed the address it was given.
    const QString ip = waitForDevice();
    QCOMPARE(ip, QString("192.168.1.11"));
    QVERIFY(frames().waitFor([](const LoggedFrame& f) { return !f.rx && f.code == 0x8100; },
                             1000));
    QCOMPARE(h->Devices().Snapshot().at(0).needsNewIp, uint8_t(0));
}

void TestLinkE2E::foreignRepliesAndHeartbeats()
{
    QVERIFY(device->start({"--device", kDeviceIp1 + "," + kMac1, "--state",
                      ProcSim::stateFile("z7050-1.json"), "--foreign-replies", "--status-interval",
                      "200"}));
    QSignalSpy beats(h, &MiddleHandler::SigHpsEvent);
    QVERIFY(device->search());
    QVERIFY(device->selectAndReadBack(waitForDevice()));
    QVERIFY(WaitSenderIdle(h));
    bool selected = false;
    QVERIFY(!h->FindMDataByIp("192.168.1.30", &selected));
    QCOMPARE(h->GetMachineCount(), 1);
    const QStringList diff = device->diffWithSim(kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
    // Status frames keep the device's heartbeat going.
    beats.clear();
    QTRY_VERIFY_WITH_TIMEOUT(beats.count() >= 2, 2000);
    QVERIFY(std::any_of(beats.begin(), beats.end(),
                        [](const QList<QVariant>& a) { return a.at(0).toString() == kDeviceIp1; }));
}

LEDZ_TEST_GUILESS_MAIN(TestLinkE2E)
#include "test_link_e2e.moc"
