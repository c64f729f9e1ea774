// The take controls against a simulated processor selected and read back
// inside the private network: the frames the processor received, in order and
// with their spacing measured on its own clock, the record, the key lamp and
// the take progress.
#include "KeyLamps.h"
#include "GuiTest.h"
#include "SystemDevice.h"
#include "MiddleHandler.h"
#include "ProgressHelper.h"
#include "SearchGroups.h"
#include "TakeControl.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QJsonObject>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

constexpr int kTakeCode = 0x0700;
const QString kDurationHead = QStringLiteral("001122330201");
const QString kPlainTake = QString(64, QLatin1Char('5'));

// One 0x0700, 0x0580 or 0x0581 frame the processor received: its time on
// the processor's clock and what it was.
struct Received {
    double t;
    QString what;  // "take", "duration m d", "multi1 <payload>", "multi2 <payload>"
};

QStringList Whats(const QList<Received>& frames)
{
    QStringList out;
    for (const Received& r : frames)
        out << r.what;
    return out;
}

// Empty when b reached the processor one pause (200 ms +- 50, measured on
// its clock) after a, else what the spacing was.
QString PauseBetween(const Received& a, const Received& b)
{
    const double spacing = b.t - a.t;
    if (spacing >= TakeControl::kPauseMs - 50 && spacing <= TakeControl::kPauseMs + 50)
        return QString();
    return QStringLiteral("%1 -> %2: %3 ms").arg(a.what, b.what).arg(spacing);
}

}  // namespace

// The pause is measured on the processor's clock, which also counts the
// sender thread's and the scheduler's delays on a loaded machine: a run whose
// spacing is off is repeated, up to kRuns; order and contents must hold in
// every run, a pause of the wrong length in every run fails.
constexpr int kRuns = 3;

class TestTakeControl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void durationSliderStoresAndSends();
    void quickTakeInMosaicSendsNoTake();
    void quickTakeInSwitcherAndBackup_data();
    void quickTakeInSwitcherAndBackup();
    void secondQuickTakeDuringThePauseIsIgnored();
    void multiTakeBroadcastsBothHalves();
    void quickTakeRestoresAfterTheMultiTake();
    void autoBackupRefusesTheMultiTake();
    void freezeLampFollowsTheDevice();
    void takeProgressEndsOnStatusZero();
    void takeProgressEndsSilently();
    void quickTakeBeforeTheLastOneIsReportedBack();

private:
    MData& data() { return device_.data(); }
    // The take-related frames received since the mark, in order.
    QList<Received> received() const;
    bool waitForReceived(int count);
    // Sets the duration of mode on the device (and so in the record) and
    // waits until the device's report of it came back.
    bool setDeviceDuration(int mode, int duration);

    SystemDevice device_;
    std::unique_ptr<QWidget> panel_;
    TakeControl* take_ = nullptr;
    int mark_ = 0;
};

QList<Received> TestTakeControl::received() const
{
    QList<Received> out;
    const QList<QJsonObject> lines = device_.sim().logLines();
    for (int i = mark_; i < lines.size(); ++i) {
        const QJsonObject& l = lines[i];
        if (l.value("dir").toString() != "rx" || l.value("inBatch").toBool())
            continue;
        const int code = l.value("code").toInt();
        const QString p = l.value("payload").toString();
        const double t = l.value("t").toDouble();
        if (code == kTakeCode && p.startsWith(kDurationHead))
            out.append({t, QStringLiteral("duration %1 %2")
                               .arg(p.mid(12, 2).toInt(nullptr, 16))
                               .arg(p.mid(14, 2).toInt(nullptr, 16))});
        else if (code == kTakeCode && p == kPlainTake)
            out.append({t, QStringLiteral("take")});
        else if (code == 0x0580)
            out.append({t, QStringLiteral("multi1 ") + p.left(8)});
        else if (code == 0x0581)
            out.append({t, QStringLiteral("multi2 ") + p.left(8)});
    }
    return out;
}

bool TestTakeControl::waitForReceived(int count)
{
    return QTest::qWaitFor([&] { return received().size() >= count; }, 5000);
}

bool TestTakeControl::setDeviceDuration(int mode, int duration)
{
    QSignalSpy reports(device_.handler(), &MiddleHandler::SigUIRefreshTakeData);
    const int was = data().M_AllCfg.workMode;
    data().M_AllCfg.workMode = mode;
    take_->SetDuration(float(duration));
    data().M_AllCfg.workMode = was;
    return QTest::qWaitFor([&] { return !reports.isEmpty(); }, 5000) &&
           TestSupport::WaitSenderIdle(device_.handler());
}

void TestTakeControl::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    QVERIFY2(device_.start(), qPrintable(device_.error()));
    panel_ = std::make_unique<QWidget>();
    take_ = new TakeControl(panel_.get());
}

void TestTakeControl::init()
{
    QVERIFY(device_.settle());
    // A take's status 0 comes 300 ms after its status 1: the progress that an
    // earlier test's take started ends before this test looks.
    QTRY_VERIFY(!take_->progress()->isRunning());
    mark_ = device_.sim().logLines().size();
    CheckedGroupIndex = -1;
    data().M_AllCfg.autoBackup = 0;
}

void TestTakeControl::cleanup()
{
    // Whatever a test left pending goes out before the next one marks.
    QTRY_VERIFY(!take_->isQuickTakeWaiting() && !take_->isMultiTakeWaiting());
    CheckedGroupIndex = -1;
}

void TestTakeControl::cleanupTestCase()
{
    panel_.reset();
    device_.stop();
}

void TestTakeControl::durationSliderStoresAndSends()
{
    data().M_AllCfg.workMode = SWITCHER_MODE;
    data().M_SwitchLayerCfg.durationTime = 2;
    take_->SetDuration(0.9f);  // truncated toward zero: CUT
    QCOMPARE(data().M_SwitchLayerCfg.durationTime, uint8_t(0));
    QVERIFY(waitForReceived(1));
    QCOMPARE(received().first().what, QStringLiteral("duration 2 0"));

    // The device's report shows on the slider.
    QSignalSpy shown(take_, &TakeControl::SigDurationChanged);
    take_->SetDuration(3.0f);
    QTRY_VERIFY(!shown.isEmpty() && shown.last().first().toInt() == 3);
    QCOMPARE(TakeControl::DurationMaximum(MOSAIC_MODE), 2);
    QCOMPARE(TakeControl::DurationMaximum(BACKUP_MODE), 3);
}

void TestTakeControl::quickTakeInMosaicSendsNoTake()
{
    QVERIFY(setDeviceDuration(MOSAIC_MODE, 2));
    data().M_AllCfg.workMode = MOSAIC_MODE;
    QString pause;
    for (int run = 0; run < kRuns && (run == 0 || !pause.isEmpty()); ++run) {
        QVERIFY(device_.settle());
        mark_ = device_.sim().logLines().size();
        take_->QuickTake(TakeControl::IsTakeEnabled(MOSAIC_MODE));
        QVERIFY(waitForReceived(2));
        QTRY_VERIFY(!take_->isQuickTakeWaiting());
        QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));
        const QList<Received> r = received();
        QCOMPARE(Whats(r), QStringList({"duration 0 0", "duration 0 2"}));
        pause = PauseBetween(r[0], r[1]);
        QTRY_COMPARE(data().M_MosaicLayerCfg.durationTime, uint8_t(2));
    }
    QVERIFY2(pause.isEmpty(), qPrintable(pause));
}

void TestTakeControl::quickTakeInSwitcherAndBackup_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("switcher") << int(SWITCHER_MODE);
    QTest::newRow("backup") << int(BACKUP_MODE);
}

void TestTakeControl::quickTakeInSwitcherAndBackup()
{
    QFETCH(int, mode);
    QVERIFY(setDeviceDuration(mode, 3));
    data().M_AllCfg.workMode = mode;
    uint8_t& duration = mode == SWITCHER_MODE ? data().M_SwitchLayerCfg.durationTime
                                              : data().M_BackupLayerCfg.durationTime;
    QString pause;
    for (int run = 0; run < kRuns && (run == 0 || !pause.isEmpty()); ++run) {
        QVERIFY(device_.settle());
        mark_ = device_.sim().logLines().size();
        QCOMPARE(duration, uint8_t(3));

        // The device's report of the CUT comes back within the pause and
        // turns the record's duration to 0; the restored duration is the one
        // from before the quick take all the same. A run in which a loaded
        // machine held the report back past the pause is run again.
        QSignalSpy reports(device_.handler(), &MiddleHandler::SigUIRefreshTakeData);
        take_->QuickTake(TakeControl::IsTakeEnabled(mode));
        QTRY_VERIFY(!reports.isEmpty());
        const bool cutInPause = take_->isQuickTakeWaiting();
        if (cutInPause)
            QCOMPARE(duration, uint8_t(0));

        QVERIFY(waitForReceived(3));
        QTRY_VERIFY(!take_->isQuickTakeWaiting());
        const QList<Received> r = received();
        QCOMPARE(Whats(r), QStringList({QStringLiteral("duration %1 0").arg(mode), "take",
                                        QStringLiteral("duration %1 3").arg(mode)}));
        pause =
            cutInPause ? PauseBetween(r[1], r[2]) : QStringLiteral("CUT reported after the pause");
        QTRY_COMPARE(duration, uint8_t(3));
        QTRY_VERIFY(!take_->progress()->isRunning());
    }
    QVERIFY2(pause.isEmpty(), qPrintable(pause));
}

void TestTakeControl::secondQuickTakeDuringThePauseIsIgnored()
{
    QVERIFY(setDeviceDuration(SWITCHER_MODE, 1));
    mark_ = device_.sim().logLines().size();
    data().M_AllCfg.workMode = SWITCHER_MODE;
    take_->QuickTake(true);
    QVERIFY(take_->isQuickTakeWaiting());
    take_->QuickTake(true);
    QTRY_VERIFY(!take_->isQuickTakeWaiting());
    QVERIFY(waitForReceived(3));
    QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));
    QVERIFY(device_.settle());  // anything sent later would be in the log now
    QCOMPARE(Whats(received()), QStringList({"duration 2 0", "take", "duration 2 1"}));
}

void TestTakeControl::multiTakeBroadcastsBothHalves()
{
    CheckedMachineList[0] = QByteArray("\x15", 1);
    CheckedMachineList[1] = QByteArray("\x14\x16", 2);  // .20 (the device) and .22
    QString pause;
    for (int run = 0; run < kRuns && (run == 0 || !pause.isEmpty()); ++run) {
        QVERIFY(device_.settle());
        QTRY_VERIFY(!take_->progress()->isRunning());
        mark_ = device_.sim().logLines().size();
        data().M_AllCfg.workMode = BACKUP_MODE;
        CheckedGroupIndex = 1;
        QSignalSpy status(device_.handler(), &MiddleHandler::SigUiRefreshTakeStatus);
        take_->Take();
        QVERIFY(take_->isMultiTakeWaiting());
        // Switching tabs within the pause does not change the second half's
        // group.
        CheckedGroupIndex = 0;
        QVERIFY(waitForReceived(2));
        const QList<Received> r = received();
        QCOMPARE(Whats(r), QStringList({"multi1 1416ffff", "multi2 1416ffff"}));
        pause = PauseBetween(r[0], r[1]);
        // The device in the group took.
        QTRY_VERIFY(!status.isEmpty());
        QCOMPARE(CheckedGroupIndex, 0);
    }
    QVERIFY2(pause.isEmpty(), qPrintable(pause));
}

void TestTakeControl::quickTakeRestoresAfterTheMultiTake()
{
    // A quick take in backup mode with a group tab current: its take is the
    // multi-take, and the duration comes back one pause after its second half.
    QVERIFY(setDeviceDuration(BACKUP_MODE, 3));
    CheckedMachineList[1] = QByteArray("\x14\x16", 2);  // .20 (the device) and .22
    QString pause;
    for (int run = 0; run < kRuns && (run == 0 || !pause.isEmpty()); ++run) {
        QVERIFY(device_.settle());
        QTRY_VERIFY(!take_->progress()->isRunning());
        QTRY_COMPARE(data().M_BackupLayerCfg.durationTime, uint8_t(3));
        mark_ = device_.sim().logLines().size();
        data().M_AllCfg.workMode = BACKUP_MODE;
        CheckedGroupIndex = 1;
        take_->QuickTake(true);
        QVERIFY(take_->isQuickTakeWaiting());
        take_->QuickTake(true);  // within the pauses: ignored
        QVERIFY(waitForReceived(4));
        QTRY_VERIFY(!take_->isQuickTakeWaiting());
        QVERIFY(TestSupport::WaitSenderIdle(device_.handler()));
        QVERIFY(device_.settle());
        const QList<Received> r = received();
        // The broadcast goes outside the send queue and may pass the queued
        // CUT; both precede the second half.
        QStringList whats = Whats(r);
        QCOMPARE(whats.size(), 4);
        std::sort(whats.begin(), whats.begin() + 2);
        QCOMPARE(whats, QStringList({"duration 4 0", "multi1 1416ffff", "multi2 1416ffff",
                                     "duration 4 3"}));
        const Received& first = r[0].what.startsWith("multi1") ? r[0] : r[1];
        pause = PauseBetween(first, r[2]);
        if (pause.isEmpty())
            pause = PauseBetween(r[2], r[3]);
    }
    QVERIFY2(pause.isEmpty(), qPrintable(pause));
}

void TestTakeControl::autoBackupRefusesTheMultiTake()
{
    CheckedMachineList[1] = QByteArray("\x14", 1);
    CheckedGroupIndex = 1;
    take_->SetAutoBackup(true);
    QCOMPARE(data().M_AllCfg.autoBackup, uint8_t(1));
    QVERIFY(device_.settle());
    // The device reports its whole settings back, auto backup on.
    QCOMPARE(data().M_AllCfg.autoBackup, uint8_t(1));
    QCOMPARE(device_.sim()
                 .dumpedState(TestNet::kDeviceIp1)
                 .value("M_AllCfg")
                 .toObject()
                 .value("autoBackup")
                 .toInt(),
             1);
    mark_ = device_.sim().logLines().size();
    data().M_AllCfg.workMode = BACKUP_MODE;

    QString shown;
    AnswerNextBox(QDialogButtonBox::Ok, &shown);
    take_->Take();
    QVERIFY(!take_->isMultiTakeWaiting());
    QTRY_COMPARE(shown, QStringLiteral("Auto Backup Is On,Can't Do Multi-Take Action."));
    QVERIFY(waitForReceived(1));
    QCOMPARE(received().first().what, QStringLiteral("take"));

    take_->SetAutoBackup(false);
    QCOMPARE(data().M_AllCfg.autoBackup, uint8_t(0));
    QVERIFY(device_.settle());
    QCOMPARE(data().M_AllCfg.autoBackup, uint8_t(0));
}

void TestTakeControl::freezeLampFollowsTheDevice()
{
    QSignalSpy shown(take_, &TakeControl::SigFreezeChanged);
    const bool was = data().M_AllCfg.freeze != 0;
    SetFreezeLamp(was, false);
    take_->Freeze();
    // Nothing changes before the device's report.
    QCOMPARE(KeyLamps().freezeOn, was);
    QTRY_VERIFY(!shown.isEmpty());
    QCOMPARE(shown.last().first().toBool(), !was);
    QCOMPARE(KeyLamps().freezeOn, !was);
    QCOMPARE(KeyLamps().entries[kFreezeKey].colorB, uint8_t(was ? 0 : 1));
    QCOMPARE(device_.frames(0x0601, 1), QStringList({"06"}));

    take_->Freeze();
    QTRY_COMPARE(KeyLamps().freezeOn, was);
}

void TestTakeControl::takeProgressEndsOnStatusZero()
{
    // The device reports take status 1, then 0 after 300 ms.
    data().M_AllCfg.workMode = SWITCHER_MODE;
    QSignalSpy status(device_.handler(), &MiddleHandler::SigUiRefreshTakeStatus);
    take_->Take();
    QTRY_VERIFY(status.size() >= 1);
    QCOMPARE(status.first().first().toInt(), 1);
    QVERIFY(take_->progress()->isRunning());
    QTRY_VERIFY(status.size() >= 2);
    QCOMPARE(status.at(1).first().toInt(), 0);
    QVERIFY(!take_->progress()->isRunning());
    QCOMPARE(take_->progress()->count(), ProgressHelper::kSteps);
    QCOMPARE(take_->progress()->dialog()->labelText(), QStringLiteral("Take Action..."));
}

void TestTakeControl::takeProgressEndsSilently()
{
    // A status 1 with no 0 after it: the progress ends by itself after 100
    // ticks of 50 ms, with no message.
    emit device_.handler()->SigUiRefreshTakeStatus(1);
    QVERIFY(take_->progress()->isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!take_->progress()->isRunning(), 20000);
    QCOMPARE(take_->progress()->count(), ProgressHelper::kSteps);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!(w->isVisible() && w->inherits("CustomMsgBox")), "a message was shown");
    // Another status changes nothing.
    emit device_.handler()->SigUiRefreshTakeStatus(7);
    QVERIFY(!take_->progress()->isRunning());
}

// Last: it replaces the processor with a slow one.
void TestTakeControl::quickTakeBeforeTheLastOneIsReportedBack()
{
    // A processor that answers each frame a second late: the report of the
    // CUT comes after the pause, and the report of the restored duration a
    // second after that. A quick take begun in between, while the record
    // holds the CUT's 0 (the keyboard's quick-take key pressed twice), must
    // restore the duration from before both.
    device_.handler()->ResetForTest();
    QVERIFY2(device_.start(QStringLiteral("z7050-1.json"), {"--ack-delay", "1000"}),
             qPrintable(device_.error()));
    QVERIFY(setDeviceDuration(MOSAIC_MODE, 2));
    data().M_AllCfg.workMode = MOSAIC_MODE;
    mark_ = device_.sim().logLines().size();
    bool again = false;
    const QMetaObject::Connection c =
        connect(device_.handler(), &MiddleHandler::SigUIRefreshTakeData, take_, [&] {
            if (!again && !take_->isQuickTakeWaiting() &&
                data().M_MosaicLayerCfg.durationTime == 0) {
                again = true;
                take_->QuickTake(false);
            }
        });
    take_->QuickTake(false);
    QTRY_VERIFY_WITH_TIMEOUT(again, 10000);
    disconnect(c);
    QTRY_VERIFY(!take_->isQuickTakeWaiting());
    QTRY_VERIFY_WITH_TIMEOUT(received().size() >= 4, 10000);
    QVERIFY(device_.settle());
    QCOMPARE(Whats(received()),
             QStringList({"duration 0 0", "duration 0 2", "duration 0 0", "duration 0 2"}));
    QCOMPARE(data().M_MosaicLayerCfg.durationTime, uint8_t(2));
}

LEDZ_GUI_TEST_MAIN(TestTakeControl)
#include "test_takecontrol.moc"
