// The USB control keyboard end to end: the main window with the simulated
// keyboard reached through the real libusb (under umockdev-wrapper) and a
// simulated processor as the selected device, inside the private network.
// Hot-plug, the announcement and lamp reset, the key reports with their
// combinations and keys, and the lamps as the keyboard shows them.
#include "AppPaths.h"
#include "GuiTest.h"
#include "KeyLamps.h"
#include "MainWindow.h"
#include "MiddleHandler.h"
#include "LinkedDevice.h"
#include "SearchGroups.h"
#include "SendCommand.h"
#include "SimKeyboard.h"
#include "TestNet.h"
#include "TestSupport.h"
#include "TitleBar.h"
#include "UsbHotplug.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace GuiTest;
using namespace TestNet;
using TestSupport::WaitReadBackEnds;
using TestSupport::WaitSenderIdle;

namespace {

QImage KeyboardOk()
{
    return QPixmap(QStringLiteral(":/res/Image/keyboardok.png")).toImage();
}

// Payloads as the simulated processor logs them (hex of the 32 bytes).
const QString kFill = QStringLiteral("55");
const QString kFreezePayload = QStringLiteral("06") + kFill.repeated(31);
const QString kTakePayload = kFill.repeated(32);

uint16_t Code(const QByteArray& transfer)
{
    return uint16_t(uint8_t(transfer[4]) | uint8_t(transfer[5]) << 8);
}

QByteArray PayloadOf(const QByteArray& transfer)
{
    return transfer.mid(6, kLampPlaneSize);
}

// The keys of a plane's payload whose bits are set.
QVector<int> PlaneKeys(const QByteArray& payload)
{
    QVector<int> keys;
    for (int k = 0; k < 8 * payload.size(); ++k)
        if (uint8_t(payload[k / 8]) & (1u << (k % 8)))
            keys << k;
    return keys;
}

// The presets of working mode 0 that the processor's state holds.
const QVector<int> kStoredPresets = {0, 1, 2, 5};

// Expected lamps as "key=A/B" (colours) or "key=S" (selected), blank-separated.
using LampPattern = QString;

}  // namespace

Q_DECLARE_METATYPE(QList<QVector<int>>)

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void keyboardAttachedAtStartIsOpened();
    void plugInAndUnplug();
    void deviceNotifications_data();
    void deviceNotifications();
    void keyReports_data();
    void keyReports();
    void shortReportIsIgnored_data();
    void shortReportIsIgnored();
    void freezeLampSendsOnChangeOnly();
    void lockLampFlushesEveryTime();
    void resetKeepsTheTable();
    void deviceReadBackResetsTheLamps();

private:
    void makeWindow();
    void showPresets();
    int Rx(int code, const QString& payloadPrefix = QString()) const;
    QList<int> PresetLoads() const;
    bool waitForReadBacks(int count);
    bool readBacksOver();
    void checkFlush(const QList<QByteArray>& transfers, int at, bool reset);
    void checkLamps(const LampPattern& pattern);

    std::unique_ptr<SimKeyboard> sim_;
    std::unique_ptr<LinkedDevice> proc_;
    // Everything the program logs, to count what it did; passed on.
    std::unique_ptr<TestSupport::LogCapture> log_;
    std::unique_ptr<MainWindow> window_;
    MiddleHandler* h_ = nullptr;
    // Every read-back's end as the program sees it, from the first one on.
    std::unique_ptr<QSignalSpy> readBackEnds_;
    QTemporaryDir appDir_;
};

void TestKeyboard::initTestCase()
{
    if (!SimKeyboard::mockEnvironment())
        QSKIP("needs umockdev's preload library: run under umockdev-wrapper");
    REQUIRE_PRIVATE_NETWORK();
    // Before anything asks libusb or udev for devices.
    sim_ = std::make_unique<SimKeyboard>();

    log_ = std::make_unique<TestSupport::LogCapture>(true);
    InitAppResources();
    qApp->setQuitOnLastWindowClosed(false);
    QVERIFY(appDir_.isValid());
    qputenv("LEDZ_APP_DIR", appDir_.path().toLocal8Bit());

    // One selected device for every test, found and selected as the
    // communication page would, read back once.
    h_ = MiddleHandler::GetInstance();
    h_->SetInquiryDelay(300);
    readBackEnds_ = std::make_unique<QSignalSpy>(h_, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    proc_ = std::make_unique<LinkedDevice>();
    QVERIFY(proc_->link(LinkedDevice::oneDevice()));
    QCOMPARE(Rx(0x0600), 1);
    // The presets that the rows below count on, as the processor reported them.
    const MData* data = h_->GetCurrentMData();
    QCOMPARE(data->M_AllCfg.workMode, int32_t(MOSAIC_MODE));
    for (int p = 0; p < MDataLimits::kPresets; ++p)
        QCOMPARE(data->M_PresetValid[MOSAIC_MODE][p] != 0, kStoredPresets.contains(p));
}

void TestKeyboard::init()
{
    KeyLamps() = KeyLampTable();
    sim_->clearTransfers();
}

void TestKeyboard::cleanup()
{
    window_.reset();
    // The program never closes the keyboard; each test starts without it.
    h_->CloseUsbPort();
    sim_->unplug();
    // No reply of this test's read-backs is left to reach the next one.
    QVERIFY(readBacksOver());
}

void TestKeyboard::cleanupTestCase()
{
    proc_.reset();
    if (h_)
        h_->ShutdownForTest();
    log_.reset();
}

void TestKeyboard::makeWindow()
{
    window_ = std::make_unique<MainWindow>();
}

// The preset page enables a preset's button with the device's validity
// report: a window made after the test case's read-back reads the device
// back again, as the communication page does on selection.
void TestKeyboard::showPresets()
{
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    QVERIFY(readBacksOver());
}

// Frames of that code (and payload start) that the processor received.
int TestKeyboard::Rx(int code, const QString& payloadPrefix) const
{
    return proc_->frames().count(code, payloadPrefix);
}

// The presets recalled so far, in order.
QList<int> TestKeyboard::PresetLoads() const
{
    QList<int> presets;
    for (const LoggedFrame& f : proc_->frames().received())
        if (f.code == 0x0603 && f.payload.startsWith("\x01\x01"))
            presets << uint8_t(f.payload[2]);
    return presets;
}

// Until count read-backs in all (the PC's address, then the request for
// everything) have reached the processor and every one of them has ended;
// true when there are exactly that many.
bool TestKeyboard::waitForReadBacks(int count)
{
    if (!QTest::qWaitFor([&] { return Rx(0x0600) >= count; }, 10000))
        return false;
    return readBacksOver() && Rx(0x0600) == count && Rx(0x0401) == count;
}

// Until every read-back that has reached the processor has ended as the
// program sees it, with nothing left to send: no lamp flush of a read-back's
// preset report is still to come.
bool TestKeyboard::readBacksOver()
{
    if (!WaitSenderIdle(h_))
        return false;
    const int requests = Rx(0x0600);
    return WaitReadBackEnds(h_, *readBackEnds_, requests) && readBackEnds_->count() == requests;
}

// Nine planes in sending order from transfer at: a reset (colour A and B off
// for every key) or a flush.
void TestKeyboard::checkFlush(const QList<QByteArray>& transfers, int at, bool reset)
{
    QVERIFY(transfers.size() >= at + kLampPlaneCount);
    for (int i = 0; i < kLampPlaneCount; ++i) {
        const QByteArray& t = transfers[at + i];
        QCOMPARE(Code(t), kLampPlaneCodes[i]);
        if (reset) {
            const bool off = kLampPlaneCodes[i] == 0x00B7 || kLampPlaneCodes[i] == 0x00BA;
            QCOMPARE(PayloadOf(t), QByteArray(kLampPlaneSize, off ? '\xFF' : '\0'));
        }
    }
}

void TestKeyboard::checkLamps(const LampPattern& pattern)
{
    for (const QString& item : pattern.split(' ', Qt::SkipEmptyParts)) {
        const QStringList kv = item.split('=');
        const int key = kv[0].toInt();
        const SimLamp lamp = sim_->lamp(key);
        if (kv[1] == "S") {
            QVERIFY2(lamp.mode == SimLamp::Selected, qPrintable(item));
        } else {
            const QStringList ab = kv[1].split('/');
            QVERIFY2(lamp.mode == SimLamp::Colours, qPrintable(item));
            QVERIFY2(lamp.colorA == ab[0].toInt() && lamp.colorB == ab[1].toInt(),
                     qPrintable(item + QString::asprintf(": %d/%d", lamp.colorA, lamp.colorB)));
        }
    }
}

void TestKeyboard::keyboardAttachedAtStartIsOpened()
{
    const int readBacks = Rx(0x0600);
    sim_->plug();
    makeWindow();
    QVERIFY(sim_->isClaimed());
    QVERIFY(sim_->hostAnnounced());
    const QList<QByteArray> t = sim_->transfers();
    QCOMPARE(t.size(), 1 + kLampPlaneCount);
    QCOMPARE(Code(t[0]), uint16_t(0x0001));
    QCOMPARE(PayloadOf(t[0]), QByteArray(1, '\1') + QByteArray(31, '\x55'));
    checkFlush(t, 1, true);
    QCOMPARE(statusIcon(window_.get(), 0), KeyboardOk());
    // Opened at start, not on arrival: nothing is read back.
    QVERIFY(waitForReadBacks(readBacks));
}

void TestKeyboard::plugInAndUnplug()
{
    makeWindow();
    QVERIFY(statusIcon(window_.get(), 0).isNull());
    QVERIFY(!sim_->isClaimed());
    const int readBacks = Rx(0x0600);

    // The platform announces one plug-in twice: two opens, each announcing
    // the PC and resetting the lamps, and one read-back.
    sim_->plug();
    QTRY_VERIFY(sim_->transferCount() >= 2 * (1 + kLampPlaneCount));
    const QList<QByteArray> t = sim_->transfers();
    for (int at : {0, 1 + kLampPlaneCount}) {
        QCOMPARE(Code(t[at]), uint16_t(0x0001));
        QCOMPARE(uint8_t(t[at][6]), uint8_t(1));
        checkFlush(t, at + 1, true);
    }
    QVERIFY(sim_->isClaimed());
    QVERIFY(sim_->hostAnnounced());
    QCOMPARE(statusIcon(window_.get(), 0), KeyboardOk());
    QVERIFY(waitForReadBacks(readBacks + 1));
    // The read-back's preset report lit the preset lamps; the others
    // stay as the reset left them.
    QCOMPARE(sim_->lamp(13).colorB, 1);
    for (int k = 0; k < SimKeyboard::kKeyCount; ++k) {
        const bool preset = k >= 13 && k <= 32;
        const bool stored = preset && kStoredPresets.contains(k - 13);
        checkLamps(QStringLiteral("%1=%2/%3").arg(k).arg(preset && !stored).arg(int(stored)));
    }

    // Keys work on the keyboard opened by hot-plug.
    sim_->clearTransfers();
    QSignalSpy handled(h_, &MiddleHandler::SigUsbNormalToPc);
    sim_->sendKeys({5});
    QTRY_COMPARE(handled.count(), 1);
    QCOMPARE(sim_->transferCount(), kLampPlaneCount);
    checkLamps("5=S");

    sim_->unplug();
    QTRY_VERIFY(statusIcon(window_.get(), 0).isNull());
    QVERIFY(!sim_->isClaimed());

    // Plugged in again: opened again and read back once more.
    sim_->clearTransfers();
    sim_->plug();
    QTRY_VERIFY(sim_->transferCount() >= 2 * (1 + kLampPlaneCount));
    QTRY_COMPARE(statusIcon(window_.get(), 0), KeyboardOk());
    QVERIFY(waitForReadBacks(readBacks + 2));
}

void TestKeyboard::deviceNotifications_data()
{
    // "+path" an arrival, "-path" a removal, handled in this order.
    QTest::addColumn<bool>("plugged");
    QTest::addColumn<QStringList>("notifications");
    QTest::addColumn<int>("opens");
    QTest::addColumn<int>("readBacks");
    QTest::addColumn<bool>("icon");

    const QString kbd = "+" + UsbHotplug::devicePath(0x080A, 0x96FF, 1, 2);
    const QString kbdIf = "+" + UsbHotplug::interfacePath(0x080A, 0x96FF, 1, 2);
    const QString gone = "-" + UsbHotplug::devicePath(0x080A, 0x96FF, 1, 2);
    const QString other = "+" + UsbHotplug::devicePath(0x080A, 0x96FE, 1, 3);
    QTest::newRow("one plug-in, two notifications") << true << QStringList{kbd, kbdIf} << 2 << 1
                                                    << true;
    QTest::newRow("one notification opens without a read-back")
        << true << QStringList{kbd} << 1 << 0 << true;
    QTest::newRow("every second arrival reads back")
        << true << QStringList{kbd, kbd, kbd, kbd, kbd} << 5 << 2 << true;
    QTest::newRow("a removal starts the count again")
        << true << QStringList{kbd, gone, kbd} << 2 << 0 << true;
    QTest::newRow("removal last clears the icon")
        << true << QStringList{kbd, kbdIf, gone} << 2 << 1 << false;
    QTest::newRow("another device changes nothing")
        << true << QStringList{kbd, other, "-" + other.mid(1), kbd} << 2 << 1 << true;
    QTest::newRow("lower-case hex digits are read")
        << true << QStringList{"+\\\\?\\USB#VID_080a&PID_96ff#1-2"} << 1 << 0 << true;
    QTest::newRow("markers are case-sensitive")
        << true << QStringList{"+\\\\?\\USB#vid_080A&pid_96FF#1-2"} << 0 << 0 << false;
    QTest::newRow("no product marker") << true << QStringList{"+\\\\?\\USB#VID_080A#1-2"} << 0
                                       << 0 << false;
    QTest::newRow("path cut short after the marker")
        << true << QStringList{"+USB#VID_080A&PID_96"} << 0 << 0 << false;
    QTest::newRow("refused opens leave the count alone")
        << false << QStringList{kbd, kbd} << 0 << 0 << false;
}

void TestKeyboard::deviceNotifications()
{
    QFETCH(bool, plugged);
    QFETCH(QStringList, notifications);
    QFETCH(int, opens);
    QFETCH(int, readBacks);
    QFETCH(bool, icon);
    // Attached before the window, so that the notifications of the row are
    // the only ones; the window's own open at start is not counted.
    if (plugged)
        sim_->plug();
    makeWindow();
    sim_->clearTransfers();
    if (plugged)
        window_->findChild<TitleBar*>(QString(), Qt::FindDirectChildrenOnly)
            ->findChild<QLabel*>("statusIcon0")
            ->clear();
    const int before = Rx(0x0600);

    for (const QString& n : notifications)
        QVERIFY(QMetaObject::invokeMethod(
            window_.get(), n.startsWith('+') ? "On_sigDeviceArrival" : "On_sigDeviceRemoveComplete",
            Q_ARG(QString, n.mid(1))));
    QVERIFY(waitForReadBacks(before + readBacks));
    int announced = 0;
    for (const QByteArray& t : sim_->transfers())
        announced += Code(t) == 0x0001;
    QCOMPARE(announced, opens);
    QCOMPARE(!statusIcon(window_.get(), 0).isNull(), icon);
}

void TestKeyboard::keyReports_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QList<QVector<int>>>("reports");
    QTest::addColumn<bool>("lockAfter");
    QTest::addColumn<bool>("freezeAfter");
    QTest::addColumn<int>("freezeFrames");
    QTest::addColumn<int>("takeFrames");
    QTest::addColumn<QList<int>>("recalls");
    QTest::addColumn<int>("quickTakes");
    QTest::addColumn<int>("flushes");
    QTest::addColumn<int>("checkedPreset");  // -1: the preset lamps stay off
    QTest::addColumn<LampPattern>("lamps");

    using Reports = QList<QVector<int>>;
    // Presets 0, 1, 2 and 5 are stored, the others empty. After every recall
    // the processor reports the presets again, and the preset page flushes
    // its lamps once more.
    QTest::newRow("locked: a preset key does nothing")
        << true << true << Reports{{13}} << true << false << 0 << 0 << QList<int>{} << 0 << 0
        << -1 << "13=0/1";
    QTest::newRow("locked: lock keys unlock, key 10's lamp off")
        << true << true << Reports{{10, 75}} << false << false << 0 << 0 << QList<int>{} << 0
        << 2 << -1 << "10=0/0";
    QTest::newRow("locked: unlock and recall in one report")
        << true << true << Reports{{10, 75, 13}} << false << false << 0 << 0 << QList<int>{0}
        << 0 << 4 << 0 << "10=0/0";
    QTest::newRow("lock keys lock, key 10's lamp on")
        << false << true << Reports{{10, 75}} << true << false << 0 << 0 << QList<int>{} << 0
        << 2 << -1 << "10=0/1";
    QTest::newRow("lock, then locked keys are ignored")
        << false << true << Reports{{10, 75}, {13}, {77, 78}} << true << false << 0 << 0
        << QList<int>{} << 0 << 2 << -1 << "10=0/1";
    QTest::newRow("freeze keys freeze")
        << false << true << Reports{{73, 75}} << false << true << 1 << 0 << QList<int>{} << 0
        << 2 << -1 << "73=0/1";
    QTest::newRow("freeze keys again unfreeze")
        << false << true << Reports{{73, 75}, {73, 75}} << false << false << 2 << 0
        << QList<int>{} << 0 << 4 << -1 << "73=0/0";
    QTest::newRow("lock wins over freeze")
        << false << true << Reports{{10, 73, 75}} << true << false << 0 << 0 << QList<int>{}
        << 0 << 2 << -1 << "10=0/1 73=0/0";
    QTest::newRow("take once per report")
        << false << true << Reports{{77, 78}, {77, 78}} << false << false << 0 << 2
        << QList<int>{} << 0 << 0 << -1 << "";
    QTest::newRow("74 and 75 block the take")
        << false << true << Reports{{74, 75, 77, 78}} << false << false << 0 << 0
        << QList<int>{} << 0 << 1 << -1 << "";
    QTest::newRow("74 alone does not block the take")
        << false << true << Reports{{74, 77, 78}} << false << false << 0 << 1 << QList<int>{}
        << 0 << 1 << -1 << "";
    QTest::newRow("one take key alone does nothing")
        << false << true << Reports{{77}, {78}} << false << false << 0 << 0 << QList<int>{}
        << 0 << 0 << -1 << "";
    QTest::newRow("two preset keys recall in key order")
        << false << true << Reports{{13, 14}} << false << false << 0 << 0 << QList<int>{0, 1}
        << 0 << 5 << 1 << "";
    QTest::newRow("a stored preset is recalled and checked")
        << false << true << Reports{{15}} << false << false << 0 << 0 << QList<int>{2} << 0
        << 3 << 2 << "15=0/2";
    QTest::newRow("an empty preset is checked, not recalled")
        << false << true << Reports{{16}} << false << false << 0 << 0 << QList<int>{} << 0
        << 2 << 3 << "16=2/0";
    QTest::newRow("last preset key") << false << true << Reports{{32}} << false << false << 0
                                     << 0 << QList<int>{} << 0 << 2 << 19 << "32=2/0";
    QTest::newRow("group key selected")
        << false << true << Reports{{5}} << false << false << 0 << 0 << QList<int>{} << 0 << 1
        << -1 << "5=S";
    QTest::newRow("group selection moves")
        << false << true << Reports{{3}, {5}} << false << false << 0 << 0 << QList<int>{} << 0
        << 2 << -1 << "3=0/0 5=S";
    QTest::newRow("both group ends in one report")
        << false << true << Reports{{0, 9}} << false << false << 0 << 0 << QList<int>{} << 0
        << 1 << -1 << "0=0/0 9=S";
    QTest::newRow("lamp keys flush, nothing else")
        << false << true << Reports{{11}, {12}} << false << false << 0 << 0 << QList<int>{}
        << 0 << 2 << -1 << "11=0/0 12=0/0";
    QTest::newRow("quick take on every report")
        << false << true << Reports{{76}, {76}} << false << false << 0 << 0 << QList<int>{}
        << 2 << 0 << -1 << "";
    QTest::newRow("keys without a role do nothing")
        << false << true << Reports{{33, 50, 72}, {}} << false << false << 0 << 0
        << QList<int>{} << 0 << 0 << -1 << "";
    QTest::newRow("disabled window ignores reports")
        << false << false << Reports{{10, 75}, {73, 75}, {77, 78}, {13}, {76}} << false << false
        << 0 << 0 << QList<int>{} << 0 << 0 << -1 << "";
}

void TestKeyboard::keyReports()
{
    QFETCH(bool, locked);
    QFETCH(bool, enabled);
    QFETCH(QList<QVector<int>>, reports);
    QFETCH(bool, lockAfter);
    QFETCH(bool, freezeAfter);
    QFETCH(int, freezeFrames);
    QFETCH(int, takeFrames);
    QFETCH(QList<int>, recalls);
    QFETCH(int, quickTakes);
    QFETCH(int, flushes);
    QFETCH(int, checkedPreset);
    QFETCH(LampPattern, lamps);

    sim_->plug();
    makeWindow();
    showPresets();
    // The freeze lamp follows the processor's freeze once the layer panel has
    // read it back, and a row that froze the processor leaves it frozen: each
    // row starts with it running.
    if (h_->GetCurrentMData()->M_AllCfg.freeze) {
        SendCommand(nullptr, SEND_FREEZECMD, nullptr, QString());
        QTRY_VERIFY(!h_->GetCurrentMData()->M_AllCfg.freeze);
        QVERIFY(WaitSenderIdle(h_));
    }
    QVERIFY(!KeyLamps().freezeOn);
    window_->setEnabled(enabled);
    KeyLamps().keyboardLocked = locked;
    // No read-back is answering: its preset reports would flush the lamps
    // among the transfers counted below.
    QVERIFY(readBacksOver());
    sim_->clearTransfers();
    const int freezesBefore = Rx(0x0601, kFreezePayload);
    const int takesBefore = Rx(0x0700, kTakePayload);
    const int recallsBefore = PresetLoads().size();
    const int quickTakesBefore = log_->count("QuickTake", true);
    const int presetOpsBefore = Rx(0x0603);

    QSignalSpy handled(h_, &MiddleHandler::SigUsbNormalToPc);
    QSignalSpy presetReports(h_, &MiddleHandler::SigUiRefreshPresetValid);
    for (const QVector<int>& keys : reports) {
        const int before = handled.count();
        const int freezes = Rx(0x0601, kFreezePayload);
        sim_->sendKeys(keys);
        QTRY_COMPARE(handled.count(), before + 1);
        // The processor answers a freeze with its state, which the freeze
        // lamp follows: the next report comes after that answer, as the
        // operator's next press does.
        if (enabled && Rx(0x0601, kFreezePayload) > freezes) {
            QVERIFY(WaitSenderIdle(h_));
            QTRY_COMPARE(h_->GetCurrentMData()->M_AllCfg.freeze != 0, KeyLamps().freezeOn);
        }
    }
    QTRY_COMPARE(handled.count(), reports.size());
    QVERIFY(WaitSenderIdle(h_));
    // The processor answers every preset operation with its preset report;
    // the flush that follows each one is among the transfers counted below.
    QTRY_COMPARE_WITH_TIMEOUT(presetReports.count(), Rx(0x0603) - presetOpsBefore, 10000);

    QCOMPARE(KeyLamps().keyboardLocked, lockAfter);
    QCOMPARE(KeyLamps().freezeOn, freezeAfter);
    QCOMPARE(Rx(0x0601, kFreezePayload) - freezesBefore, freezeFrames);
    QCOMPARE(Rx(0x0700, kTakePayload) - takesBefore, takeFrames);
    QCOMPARE(PresetLoads().mid(recallsBefore), recalls);
    QCOMPARE(log_->count("QuickTake", true) - quickTakesBefore, quickTakes);

    QCOMPARE(sim_->transferCount(), flushes * kLampPlaneCount);
    const QList<QByteArray> t = sim_->transfers();
    for (int i = 0; i < flushes; ++i)
        checkFlush(t, i * kLampPlaneCount, false);
    checkLamps(lamps);
    // The preset page's redraw leaves all twenty preset lamps plain, showing
    // the stored presets and the checked one.
    for (int p = 0; p < MDataLimits::kPresets; ++p) {
        const int checked = p == checkedPreset ? 2 : 1;
        checkLamps(QStringLiteral("%1=%2/%3")
                       .arg(13 + p)
                       .arg(kStoredPresets.contains(p) ? 0 : checked)
                       .arg(kStoredPresets.contains(p) ? checked : 0));
    }
}

void TestKeyboard::shortReportIsIgnored_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("handled");
    QTest::newRow("empty") << 0 << false;
    QTest::newRow("one byte") << 1 << false;
    QTest::newRow("nine bytes") << 9 << false;
    QTest::newRow("ten bytes") << 10 << true;
    QTest::newRow("longer than ten") << 12 << true;
}

void TestKeyboard::shortReportIsIgnored()
{
    QFETCH(int, length);
    QFETCH(bool, handled);
    sim_->plug();
    makeWindow();
    showPresets();
    sim_->clearTransfers();
    const int recallsBefore = PresetLoads().size();
    const QString ignored = QStringLiteral("Key report of %1 bytes ignored").arg(length);
    const int ignoredBefore = log_->count(ignored, true);

    // Key 14 (preset 1) down, as far as the report reaches.
    QByteArray report = SimKeyboard::keyReport({14}).leftJustified(length, '\0', true);
    QSignalSpy reports(h_, &MiddleHandler::SigUsbNormalToPc);
    QSignalSpy presetReports(h_, &MiddleHandler::SigUiRefreshPresetValid);
    sim_->sendFrame(0x00AC, report);
    QTRY_COMPARE(reports.count(), 1);
    QVERIFY(WaitSenderIdle(h_));
    QCOMPARE(log_->count(ignored, true) - ignoredBefore, handled ? 0 : 1);
    QCOMPARE(PresetLoads().mid(recallsBefore), handled ? QList<int>{1} : QList<int>{});
    // The preset lamps, the report's own flush and the one after the
    // processor's preset report.
    QTRY_COMPARE_WITH_TIMEOUT(presetReports.count(), handled ? 1 : 0, 10000);
    QCOMPARE(sim_->transferCount(), handled ? 3 * kLampPlaneCount : 0);
}

void TestKeyboard::freezeLampSendsOnChangeOnly()
{
    sim_->plug();
    QVERIFY(h_->OpenUsbPort(SimKeyboard::kVendorId, SimKeyboard::kProductId));
    const int before = Rx(0x0601, kFreezePayload);

    SetFreezeLamp(true, true);
    SetFreezeLamp(true, true);
    QVERIFY(WaitSenderIdle(h_));
    QCOMPARE(Rx(0x0601, kFreezePayload) - before, 1);
    QCOMPARE(sim_->transferCount(), kLampPlaneCount);
    checkLamps("73=0/1");
    // As the layer panel follows the device: the lamp, no command.
    SetFreezeLamp(false, false);
    QVERIFY(WaitSenderIdle(h_));
    QCOMPARE(Rx(0x0601, kFreezePayload) - before, 1);
    QCOMPARE(sim_->transferCount(), 2 * kLampPlaneCount);
    checkLamps("73=0/0");
}

void TestKeyboard::lockLampFlushesEveryTime()
{
    sim_->plug();
    QVERIFY(h_->OpenUsbPort(SimKeyboard::kVendorId, SimKeyboard::kProductId));
    SetLockLamp(true);
    SetLockLamp(true);
    const QList<QByteArray> t = sim_->transfers();
    QCOMPARE(t.size(), 2 * kLampPlaneCount);
    checkFlush(t, 0, false);
    checkFlush(t, kLampPlaneCount, false);
    // Both carry key 10 alone: colour A off, colour B on.
    for (int at : {0, kLampPlaneCount}) {
        for (int i = 0; i < kLampPlaneCount; ++i) {
            const uint16_t code = kLampPlaneCodes[i];
            const bool set = code == 0x00B7 || code == 0x00B9;
            QCOMPARE(PlaneKeys(PayloadOf(t[at + i])),
                     set ? QVector<int>{kLockKey} : QVector<int>{});
        }
    }
    checkLamps("10=0/1");
}

void TestKeyboard::resetKeepsTheTable()
{
    sim_->plug();
    QVERIFY(h_->OpenUsbPort(SimKeyboard::kVendorId, SimKeyboard::kProductId));
    KeyLamps().entries[20] = {1, 1, LAMP_PLAIN, 1};
    FlushKeyLamps();
    checkLamps("20=1/1");

    ResetKeyLamps();
    checkLamps("20=0/0");
    QCOMPARE(int(KeyLamps().entries[20].colorA), 1);
    QCOMPARE(int(KeyLamps().entries[20].colorB), 1);

    sim_->clearTransfers();
    KeyLamps().entries[21] = {2, 0, LAMP_PLAIN, 1};
    FlushKeyLamps();
    const QList<QByteArray> t = sim_->transfers();
    QCOMPARE(t.size(), kLampPlaneCount);
    QCOMPARE(PlaneKeys(PayloadOf(t[6])), QVector<int>{21});  // 0x00B8: colour A checked
    checkLamps("20=0/0 21=2/0");  // key 20 catches up only with its next change

    // With the keyboard closed nothing is sent, but the entry counts as sent.
    h_->CloseUsbPort();
    KeyLamps().entries[22] = {1, 0, LAMP_PLAIN, 1};
    FlushKeyLamps();
    QCOMPARE(sim_->transferCount(), kLampPlaneCount);
    QCOMPARE(int(KeyLamps().entries[22].dirty), 0);
}

void TestKeyboard::deviceReadBackResetsTheLamps()
{
    sim_->plug();
    makeWindow();
    KeyLamps().entries[40] = {1, 2, LAMP_PLAIN, 0};
    QVERIFY(readBacksOver());
    sim_->clearTransfers();
    // The communication page has selected a device and reads it back.
    QVERIFY(QMetaObject::invokeMethod(window_.get(), "On_sigInquireMachineData"));
    const QList<QByteArray> t = sim_->transfers();
    QCOMPARE(t.size(), kLampPlaneCount);
    checkFlush(t, 0, true);
    QCOMPARE(int(KeyLamps().entries[40].colorB), 2);
}

LEDZ_GUI_TEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
