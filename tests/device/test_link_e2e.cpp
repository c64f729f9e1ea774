// The device link end to end over real UDP against the simulated processor,
// inside the private test network: search, selection, read-back, changes,
// the whole-configuration send, resend and give-up, discovery.
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "ProcSim.h"
#include "SearchGroups.h"
#include "SendCommand.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QtTest>

using namespace TestNet;
using TestSupport::WaitSenderIdle;

namespace {

const QString kMac1 = QStringLiteral("00:1c:88:00:00:01");
const QString kMac2 = QStringLiteral("00:1c:88:00:00:02");

// Fields that no reply carries: names the operator gives, values the device
// keeps to itself, and the logo size that one reply writes into every layer.
const QStringList kNotReadBack = {
    "M_InputData.port[*].inputRename", "M_InputData.tile[*].name", "M_PresetName",
    "*.chromaKey[*].mode",             "*.layer[*].logoWidth",      "*.layer[*].logoHeight",
    "M_MosaicLayerCfg.layer[*].bMain", "M_TaskCfg.task[*].flag",
};

int Rx(const QList<QJsonObject>& log, int code)
{
    int n = 0;
    for (const QJsonObject& l : log)
        n += l.value("dir").toString() == "rx" && l.value("code").toInt() == code &&
             !l.value("inBatch").toBool();
    return n;
}

// Frames the device received with that code whose payload starts with the hex text.
int RxWith(const QList<QJsonObject>& log, int code, const QString& payloadStart)
{
    int n = 0;
    for (const QJsonObject& l : log)
        n += l.value("dir").toString() == "rx" && l.value("code").toInt() == code &&
             l.value("payload").toString().startsWith(payloadStart);
    return n;
}

QList<qint64> RxTimes(const QList<QJsonObject>& log, int code)
{
    QList<qint64> times;
    for (const QJsonObject& l : log)
        if (l.value("dir").toString() == "rx" && l.value("code").toInt() == code)
            times << qint64(l.value("t").toDouble());
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
    bool startSim(const QStringList& args);
    void search();
    QString waitForDevice(int timeoutMs = 3000);
    bool selectAndReadBack(const QString& ip);
    QStringList diffWithSim(const QString& ip, const QStringList& ignored = kNotReadBack);

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
    QStringList announced;
    QStringList ethIps;
};

void TestLinkE2E::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    h = MiddleHandler::GetInstance();
    connect(h, &MiddleHandler::SigMachineIPEvent, this, [this](QString ip, BYTE* mac, QString eth) {
        if (!ip.isEmpty() && mac) {
            announced << ip;
            ethIps << eth;
        }
    });
}

void TestLinkE2E::init()
{
    h->SetAckTimeout(2000);
    h->SetInquiryDelay(300);
    h->ResetForTest();
    announced.clear();
    ethIps.clear();
}

void TestLinkE2E::cleanup()
{
    sim.reset();
    if (h)
        h->ResetForTest();
}

void TestLinkE2E::cleanupTestCase()
{
    if (h)
        h->ShutdownForTest();
}

bool TestLinkE2E::startSim(const QStringList& args)
{
    sim = std::make_unique<ProcSim>();
    if (sim->start(args))
        return true;
    qWarning() << sim->errors();
    return false;
}

// What the communication page does for one search step.
void TestLinkE2E::search()
{
    QVERIFY(h->OpenBroadcastPort(kPcIp, kBroadcastLocalPort));
    const auto octets = Ipv4Octets(kPcIp);
    SendCommand(octets.data(), SEND_SEARCHCMD, nullptr, QString());
    SearchHostIp = kPcIp;
}

QString TestLinkE2E::waitForDevice(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (announced.isEmpty() && t.elapsed() < timeoutMs)
        QTest::qWait(10);
    return announced.value(0);
}

// What selecting a device does: it becomes the target, the unicast socket
// opens on the search address, and the whole configuration is requested.
bool TestLinkE2E::selectAndReadBack(const QString& ip)
{
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    h->SelectMachine(ip);
    h->SetUnicastRemote(ip, kDevicePort);
    h->OpenUnicastPort(h->GetBroadcastLocalIp(), kDevicePort);
    SendCommand(nullptr, SEND_HOSTIPCMD, nullptr, QString());
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    if (end.wait(5000) || end.count() > 0)
        return true;
    const QList<QJsonObject> log = sim->logLines();
    qWarning() << "read-back did not end; device log lines:" << log.size()
               << (log.isEmpty() ? QJsonObject() : log.last());
    return false;
}

QStringList TestLinkE2E::diffWithSim(const QString& ip, const QStringList& ignored)
{
    bool selected = false;
    MData* record = h->FindMDataByIp(ip, &selected);
    if (!record)
        return {"no record for " + ip};
    return CompareMDataJson(sim->dumpedState(ip), MDataToJson(*record), ignored);
}

void TestLinkE2E::searchSelectAndReadBack()
{
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--state",
                      ProcSim::stateFile("z7050-1.json")}));
    search();
    const QString ip = waitForDevice();
    QCOMPARE(ip, kDeviceIp1);
    QVERIFY(selectAndReadBack(ip));
    QCOMPARE(h->GetCurrentIp(), kDeviceIp1);
    QVERIFY(WaitSenderIdle(h));
    // The host address and the request both reached the device.
    QCOMPARE(Rx(sim->logLines(), 0x0401), 1);
    QCOMPARE(Rx(sim->logLines(), 0x0600), 1);
    const QStringList diff = diffWithSim(ip);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
    // The state is not trivially empty.
    QVERIFY(h->GetCurrentMData()->M_InputData.port[0].portNum > 0);
}

void TestLinkE2E::changeRoundTrip()
{
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--state",
                      ProcSim::stateFile("z7050-1.json")}));
    search();
    QVERIFY(selectAndReadBack(waitForDevice()));
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
    const QStringList diff = diffWithSim(kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestLinkE2E::wholeConfigurationSend()
{
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--state",
                      ProcSim::stateFile("z7050-1.json")}));
    search();
    QVERIFY(selectAndReadBack(waitForDevice()));
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
    QCOMPARE(Rx(sim->logLines(), 0x0402), 6);

    const QStringList diff = diffWithSim(kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestLinkE2E::silentDeviceGivesUp()
{
    // The one real-time case: the device answers searches and nothing else.
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--silent"}));
    search();
    const QString ip = waitForDevice();
    h->SelectMachine(ip);
    h->SetUnicastRemote(ip, kDevicePort);
    h->OpenUnicastPort(h->GetBroadcastLocalIp(), kDevicePort);
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());

    QTRY_VERIFY_WITH_TIMEOUT(h->IsTimedOut(), 12000);
    const QList<qint64> times = RxTimes(sim->logLines(), 0x0600);
    QCOMPARE(times.size(), 4);
    // The device stamps a frame when it reads it, so a late read of one frame
    // shortens the gap before the next: some slack below the 2 s, far above
    // what an early resend would leave.
    for (int i = 1; i < times.size(); ++i) {
        const qint64 gap = times[i] - times[i - 1];
        QVERIFY2(gap > 1800, qPrintable(QString::number(gap)));
    }
    QCOMPARE(Rx(sim->logLines(), 0x0700), 0);  // emptied with the queue
    QCOMPARE(h->PendingShortFrames(), 0);

    // The next frame clears the mark and goes out at once, not after the
    // 2 s that the sender would wait for the given-up frame.
    SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());
    QVERIFY(!h->IsTimedOut());
    QVERIFY(sim->waitForLog(
        [](const QJsonObject& l) { return l.value("code").toInt() == 0x0700; }, 1500));
}

// A device that acknowledges every frame twice: two freeze toggles in a row
// both reach it (the second acknowledgement of the first must not free the
// second before it has gone out).
void TestLinkE2E::repeatedAcknowledgements()
{
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--dup-ack", "--state",
                      ProcSim::stateFile("z7050-1.json")}));
    search();
    QVERIFY(selectAndReadBack(waitForDevice()));
    QVERIFY(WaitSenderIdle(h));

    const QString freeze = QStringLiteral("06");
    const int before = RxWith(sim->logLines(), 0x0601, freeze);
    SendCommand(nullptr, SEND_FREEZECMD, nullptr, QString());
    SendCommand(nullptr, SEND_FREEZECMD, nullptr, QString());
    const uint8_t pattern = 3;
    SendCommand(&pattern, SEND_TESTPATTERNCMD, nullptr, QString());
    QVERIFY(WaitSenderIdle(h));
    // The test pattern went last: once it is there, so is everything before it.
    QVERIFY(sim->waitForLog([](const QJsonObject& l) {
        return l.value("dir").toString() == "rx" && l.value("code").toInt() == 0x0601 &&
               l.value("payload").toString().startsWith(QLatin1String("0503"));
    }, 5000));
    QCOMPARE(RxWith(sim->logLines(), 0x0601, freeze) - before, 2);
    QVERIFY(!h->IsTimedOut());
}

// Acknowledgements that come after the resend (the device handles every
// frame later than the wait): every frame still reaches the device, in
// order, and the link does not give up.
void TestLinkE2E::lateAcknowledgements()
{
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--ack-delay", "400"}));
    h->SetAckTimeout(250);
    search();
    const QString ip = waitForDevice();
    h->SelectMachine(ip);
    h->SetUnicastRemote(ip, kDevicePort);
    h->OpenUnicastPort(h->GetBroadcastLocalIp(), kDevicePort);

    for (uint8_t pattern = 1; pattern <= 4; ++pattern)
        SendCommand(&pattern, SEND_TESTPATTERNCMD, nullptr, QString());
    QVERIFY(WaitSenderIdle(h, 15000));
    QVERIFY(!h->IsTimedOut());
    // Each pattern arrived at least once, the first ones before the later ones.
    QList<int> seen;
    for (const QJsonObject& l : sim->logLines()) {
        const QByteArray payload = QByteArray::fromHex(l.value("payload").toString().toLatin1());
        if (l.value("dir").toString() != "rx" || l.value("code").toInt() != 0x0601 ||
            payload.size() < 2 || payload.at(0) != 0x05)
            continue;
        const int pattern = payload.at(1);
        if (seen.isEmpty() || seen.last() != pattern)
            seen << pattern;
    }
    QCOMPARE(seen, (QList<int>{1, 2, 3, 4}));
}

// The take broadcasts of the take groups leave through the broadcast socket
// and reach the devices; every command is logged with its target.
void TestLinkE2E::takeBroadcasts()
{
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1}));
    search();
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
        QVERIFY2(sim->waitForLog([code](const QJsonObject& l) {
            return l.value("dir").toString() == "rx" && l.value("code").toInt() == code &&
                   l.value("payload").toString().startsWith(QLatin1String("1415ff"));
        }, 3000), qPrintable(QString::number(code, 16)));
    }
}

void TestLinkE2E::queueOrderAndOverflow()
{
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--ack-delay", "300"}));
    search();
    const QString ip = waitForDevice();
    h->SelectMachine(ip);
    h->SetUnicastRemote(ip, kDevicePort);
    h->OpenUnicastPort(h->GetBroadcastLocalIp(), kDevicePort);

    // While the first frame awaits its acknowledgement, a batch and then a
    // short frame are queued: the short one goes first.
    const uint8_t pattern = 1;
    SendCommand(&pattern, SEND_TESTPATTERNCMD, nullptr, QString());
    QTest::qWait(50);
    SendBatchCommand(h->GetCurrentMData(), SEND_ALLTASKCMD, QString());
    SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());
    QVERIFY(WaitSenderIdle(h));
    QList<int> order;
    for (const QJsonObject& l : sim->logLines())
        if (l.value("dir").toString() == "rx" && !l.value("inBatch").toBool())
            order << l.value("code").toInt();
    order.removeAll(0x8080);
    QCOMPARE(order, QList<int>({0x0601, 0x0700, 0x0402}));

    // Forty frames fill the queue; the forty-first is dropped.
    for (int i = 0; i < 41; ++i) {
        const uint8_t p = uint8_t(i);
        SendCommand(&p, SEND_TESTPATTERNCMD, nullptr, QString());
    }
    QCOMPARE(h->PendingShortFrames(), 40);
}

void TestLinkE2E::discovery()
{
    QVERIFY(startSim({"--device", kDeviceIp2 + "," + kMac2, "--device",
                      kDeviceIp1 + "," + kMac1 + "," + kDeviceIp3}));
    search();
    QTRY_COMPARE_WITH_TIMEOUT(announced.size(), 2, 3000);
    QCOMPARE(announced, QStringList({kDeviceIp1, kDeviceIp2}));  // sorted by text
    QCOMPARE(ethIps, QStringList({kDeviceIp3, QString()}));
    h->SelectMachine(kDeviceIp1);
    QCOMPARE(h->GetCurrentEthIp(), kDeviceIp3);
    QCOMPARE(h->GetMachineCount(), 3);  // two processors and one video board
}

void TestLinkE2E::announcementIsPublishedAtOnce()
{
    h->SetInquiryDelay(10000);
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--announce"}));
    search();
    QTRY_VERIFY_WITH_TIMEOUT(!announced.isEmpty(), 2000);  // long before the timer
    QCOMPARE(announced.first(), kDeviceIp1);
    // Later broadcasts reach every device again.
    QCOMPARE(h->GetBroadcastRemoteIp(), QString("255.255.255.255"));
}

void TestLinkE2E::deviceOnPcAddressIsReaddressed()
{
    QVERIFY(startSim({"--device", kPcIp + "," + kMac1}));
    search();
    // Reported only once it has confirmed the address it was given.
    const QString ip = waitForDevice();
    QCOMPARE(ip, QString("192.168.1.11"));
    QVERIFY(sim->waitForLog([](const QJsonObject& l) {
        return l.value("dir").toString() == "tx" && l.value("code").toInt() == 0x8100;
    }, 1000));
    QCOMPARE(h->Devices().Snapshot().at(0).needsNewIp, uint8_t(0));
}

void TestLinkE2E::foreignRepliesAndHeartbeats()
{
    QVERIFY(startSim({"--device", kDeviceIp1 + "," + kMac1, "--state",
                      ProcSim::stateFile("z7050-1.json"), "--foreign-replies", "--status-interval",
                      "200"}));
    QSignalSpy beats(h, &MiddleHandler::SigHpsEvent);
    search();
    QVERIFY(selectAndReadBack(waitForDevice()));
    QVERIFY(WaitSenderIdle(h));
    bool selected = false;
    QVERIFY(!h->FindMDataByIp("192.168.1.30", &selected));
    QCOMPARE(h->GetMachineCount(), 1);
    const QStringList diff = diffWithSim(kDeviceIp1);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
    // Status frames keep the device's heartbeat going.
    beats.clear();
    QTRY_VERIFY_WITH_TIMEOUT(beats.count() >= 2, 2000);
    QVERIFY(std::any_of(beats.begin(), beats.end(),
                        [](const QList<QVariant>& a) { return a.at(0).toString() == kDeviceIp1; }));
}

QTEST_GUILESS_MAIN(TestLinkE2E)
#include "test_link_e2e.moc"
