// The system page as an operator uses it, against the simulated processor in
// the private test network: working mode with its progress and time-out, the
// whole read and send, test patterns and the factory reset.
#include "AppPaths.h"
#include "BoardStubs.h"
#include "CustomMsgBox.h"
#include "GuiTest.h"
#include "LogoSettingDlg.h"
#include "MDataJson.h"
#include "MiddleHandler.h"
#include "MiscDlg.h"
#include "NeoSliderComb.h"
#include "ProcSim.h"
#include "ProgressHelper.h"
#include "ProgressTest.h"
#include "ProjectFile.h"
#include "ScheduleTaskDlg.h"
#include "SearchGroups.h"
#include "SendCommand.h"
#include "StatusInfoDlg.h"
#include "SystemDevice.h"
#include "TestNet.h"
#include "TestSupport.h"
#include "UpgradeWorker.h"
#include "XmlStreamHelper.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QFile>
#include <QSlider>
#include <QtTest>

using namespace TestNet;

namespace {

const QString kMac1 = QStringLiteral("00:1c:88:00:00:01");

// Fields that no reply carries (names, values the device keeps to itself).
const QStringList kNotReadBack = {
    "M_InputData.port[*].inputRename",
    "M_InputData.tile[*].name",
    "M_PresetName",
    "*.chromaKey[*].mode",
    "*.layer[*].logoWidth",
    "*.layer[*].logoHeight",
    "M_MosaicLayerCfg.layer[*].bMain",
    "M_TaskCfg.task[*].flag",
};

int Rx(const QList<QJsonObject>& log, int code, const QString& payloadStart = QString())
{
    int n = 0;
    for (const QJsonObject& l : log)
        n += l.value("dir").toString() == "rx" && l.value("code").toInt() == code &&
             !l.value("inBatch").toBool() && l.value("payload").toString().startsWith(payloadStart);
    return n;
}

SystemWorkingMode ModeOf(const QVariant& v)
{
    return *static_cast<const SystemWorkingMode*>(v.constData());
}

}  // namespace

class TestMiscDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void workModeSwitch();
    void workModeAlreadySet();
    void workModeTimesOut();
    void syncLockSendsEveryTime();
    void wholeRead();
    void wholeSendAfterOpeningProject();
    void testPattern();
    void testPatternRebuild();
    void factoryResetRestarts();
    void factoryResetCancelled();
    void subPages();
    void upgradeShowsTheWorkersResult();
    void progressEndsBeforeItsFirstTick_data();
    void progressEndsBeforeItsFirstTick();
    void rebuildTakesOverTheDialogOnScreen();
    void progressTextsFollowALanguageSwitch();
    void upgradeCancelAndLeavingEndTheTransfer();
    void refreshChecksButtons_data();
    void refreshChecksButtons();
    void screenshot();

private:
    bool link(const QStringList& extraArgs = {});
    QPushButton* button(const QString& name) { return page->findChild<QPushButton*>(name); }
    // The page's one progress.
    ProgressHelper* progress();
    void clickConfirmed(const QString& name);

    MiddleHandler* h = nullptr;
    SystemDevice device;
    std::unique_ptr<MiscDlg> page;
    QTemporaryDir appDir;
};

void TestMiscDlg::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    qputenv("LEDZ_APP_DIR", appDir.path().toUtf8());
    qRegisterMetaType<SystemWorkingMode>("SystemWorkingMode");
    qRegisterMetaType<BYTE*>("BYTE*");
    InitAppResources();
    h = MiddleHandler::GetInstance();
    h->SetAckTimeout(1000);
    h->SetInquiryDelay(100);
}

void TestMiscDlg::init()
{
    h->ResetForTest();
    page = std::make_unique<MiscDlg>(nullptr);
    page->resize(1100, 620);
    page->show();
}

void TestMiscDlg::cleanup()
{
    page.reset();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CustomMsgBox*>(w))
            delete w;
    if (h)
        h->ResetForTest();
}

void TestMiscDlg::cleanupTestCase()
{
    device.stop();
}

bool TestMiscDlg::link(const QStringList& extraArgs)
{
    if (device.start(QStringLiteral("z7050-1.json"), extraArgs))
        return true;
    qWarning() << device.error();
    return false;
}

ProgressHelper* TestMiscDlg::progress()
{
    const QList<ProgressHelper*> all = page->findChildren<ProgressHelper*>();
    return all.size() == 1 ? all[0] : nullptr;
}

void TestMiscDlg::clickConfirmed(const QString& name)
{
    AnswerNextBox(QDialogButtonBox::Ok);
    button(name)->click();
}

void TestMiscDlg::workModeSwitch()
{
    QVERIFY(link());
    QCOMPARE(h->GetCurrentMData()->M_AllCfg.workMode, int(MOSAIC_MODE));
    QSignalSpy modes(page.get(), &MiscDlg::sigSysWorkModeChange);
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    ProgressHelper* p = progress();
    QVERIFY(p);

    button("pushButton_7")->click();
    QCOMPARE(modes.count(), 1);
    QCOMPARE(ModeOf(modes[0][0]), BACKUP_MODE);
    QVERIFY(p->isRunning());
    QCOMPARE(p->dialog()->labelText(), QStringLiteral("Switch Work Mode..."));
    // The device answers the new mode with its whole configuration; its end
    // finishes the progress without a notice.
    QVERIFY(TestSupport::WaitReadBackEnds(h, end, 1));
    QVERIFY(!p->isRunning());
    QVERIFY(!NoticeShown("Switch Work Mode Timeout"));
    QVERIFY(button("pushButton_7")->isChecked());
    QCOMPARE(Rx(device.sim().logLines(), 0x0601, "ff04"), 1);
    QCOMPARE(device.sim().dumpedState(kDeviceIp1)["M_AllCfg"].toObject()["workMode"].toInt(), 4);
    QCOMPARE(h->GetCurrentMData()->M_AllCfg.workMode, int(BACKUP_MODE));
}

void TestMiscDlg::workModeAlreadySet()
{
    QVERIFY(link());
    QSignalSpy modes(page.get(), &MiscDlg::sigSysWorkModeChange);
    button("pushButton_5")->click();  // mosaic, the device's mode already
    QCOMPARE(modes.count(), 1);
    QCOMPARE(ModeOf(modes[0][0]), MOSAIC_MODE);
    QVERIFY(!progress()->isRunning());
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QCOMPARE(Rx(device.sim().logLines(), 0x0601, "ff"), 0);
}

void TestMiscDlg::workModeTimesOut()
{
    // A device that never answers: after 100 ticks of 100 ms the notice.
    QVERIFY(link({"--silent"}));
    button("pushButton_7")->click();
    ProgressHelper* p = progress();
    QVERIFY(p->isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(NoticeShown("Switch Work Mode Timeout"), 20000);
    QVERIFY(!p->isRunning());
    // The page keeps the operator's choice.
    QVERIFY(button("pushButton_7")->isChecked());
    QCOMPARE(h->GetCurrentMData()->M_AllCfg.workMode, int(BACKUP_MODE));
}

void TestMiscDlg::syncLockSendsEveryTime()
{
    QVERIFY(link());
    button("pushButton_10")->click();
    QVERIFY(TestSupport::WaitSenderIdle(h));
    button("pushButton_10")->click();
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QCOMPARE(Rx(device.sim().logLines(), 0x0601, "ff"), 2);
    QCOMPARE(device.sim().dumpedState(kDeviceIp1)["M_AllCfg"].toObject()["syncLock"].toInt(), 2);
    QVERIFY(!progress()->isRunning());
}

void TestMiscDlg::wholeRead()
{
    QVERIFY(link());
    // Spoil the record: the read must bring the device's state back.
    MData* record = h->GetCurrentMData();
    record->M_AllCfg.brightLevel = 99;
    record->M_OutputData.M_OutputResoCfg.htotal = 1;
    QSignalSpy end(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    device.markFrames();
    clickConfirmed("pushButton_16");
    ProgressHelper* p = progress();
    QVERIFY(p->isRunning());
    QCOMPARE(p->dialog()->labelText(), QStringLiteral("Inquire Machine Data."));
    QVERIFY(TestSupport::WaitReadBackEnds(h, end, 1));
    QVERIFY(!p->isRunning());
    QVERIFY(!NoticeShown("Inquire Machine Data Timeout."));
    QCOMPARE(device.frames(0x0401).size(), 1);  // the PC's address first
    QCOMPARE(device.frames(0x0600).size(), 1);
    const QStringList diff =
        CompareMDataJson(device.sim().dumpedState(kDeviceIp1), MDataToJson(*record), kNotReadBack);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestMiscDlg::wholeSendAfterOpeningProject()
{
    QVERIFY(link());
    // A project: the device's configuration with changes in every group
    // that the send carries, and names that it does not carry.
    MData project = *h->GetCurrentMData();
    project.M_AllCfg.brightLevel = 7;
    project.M_AllCfg.syncLock = 1;
    const int input = 0;
    QVERIFY(project.M_InputData.port[input].portNum > 0);
    project.M_InputData.crop[input].hs[1] = 16;
    project.M_InputData.crop[input].onOff[1] = true;
    project.M_OutputData.M_OPDisplayCfg[2].hact = 640;
    project.M_OutputData.M_OutputResoCfg.htotal = 2222;
    project.M_MosaicLayerCfg.layer[1].hs = 321;
    project.M_BackupLayerCfg.picture[0].contrast = 77;
    project.M_TaskCfg.task[3].day = 21;
    project.M_InputData.port[input].inputRename = "Stage";
    project.M_PresetName[0][3] = "Finale";
    const QString file = appDir.filePath("send.KPrj");
    XmlStreamHelper xml;
    QVERIFY(ProjectFile::Write(xml, file, project));

    QSignalSpy refresh(page.get(), &MiscDlg::sigUIRefreshAll);
    ChooseInNextFileDialog(file);
    button("pushButton_14")->click();
    QCOMPARE(refresh.count(), 1);
    QCOMPARE(h->GetCurrentMData()->M_MosaicLayerCfg.layer[1].hs, 321u);

    const int before = device.sim().logLines().size();
    clickConfirmed("pushButton_17");
    QVERIFY(TestSupport::WaitSenderIdle(h, 10000));
    // One short frame, then the batches: crops, outputs, three layer sets, tasks.
    QList<int> codes;
    const QList<QJsonObject> log = device.sim().logLines();
    for (int i = before; i < log.size(); ++i)
        if (log[i]["dir"].toString() == "rx" && !log[i]["inBatch"].toBool())
            codes << log[i]["code"].toInt();
    QCOMPARE(codes, (QList<int>{0x0601, 0x0402, 0x0402, 0x0402, 0x0402, 0x0402, 0x0402}));

    const QJsonObject state = device.sim().dumpedState(kDeviceIp1);
    const QJsonObject sent = MDataToJson(*h->GetCurrentMData());
    const QStringList notSent =
        kNotReadBack + QStringList{"M_InputData.port",    "M_InputData.tile",
                                   "M_InputData.edid",    "M_InputData.signal",
                                   "*.durationTime",      "M_AllCfg.freeze",
                                   "M_AllCfg.autoBackup", "M_OutputData.M_HdmiSettingCfg",
                                   "M_PresetValid",       "M_MachineInfo",
                                   "M_LogoInfo",          "M_SwitcherType",
                                   "M_TaskCfg.status"};
    const QStringList diff = CompareMDataJson(sent, state, notSent);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
    QCOMPARE(state["M_MosaicLayerCfg"].toObject()["layer"].toArray()[1].toObject()["hs"].toInt(),
             321);
    // Names stay on the PC.
    QVERIFY(state["M_InputData"]
                .toObject()["port"]
                .toArray()[input]
                .toObject()["inputRename"]
                .toString() != "Stage");
    QVERIFY(state["M_PresetName"].toArray()[0].toArray()[3].toString() != "Finale");
}

void TestMiscDlg::testPattern()
{
    QVERIFY(link());
    auto* slider = page->findChild<NeoSliderComb*>("0")->findChild<QSlider*>();
    auto* value = page->findChild<NeoSliderComb*>("0")->findChild<QLineEdit*>();
    QCOMPARE(value->text(), QStringLiteral("OFF"));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    QVERIFY(device.sim().waitForLog(
        [](const QJsonObject& l) {
            return l["dir"] == "rx" && l["code"].toInt() == 0x0601 &&
                   l["payload"].toString().startsWith("056f");
        },
        3000));
    QTest::keyClick(slider, Qt::Key_Home);
    QVERIFY(device.sim().waitForLog(
        [](const QJsonObject& l) {
            return l["dir"] == "rx" && l["code"].toInt() == 0x0601 &&
                   l["payload"].toString().startsWith("0500");
        },
        3000));
    QCOMPARE(value->text(), QStringLiteral("OFF"));
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QCOMPARE(device.sim()
                 .dump()["devices"]
                 .toArray()[0]
                 .toObject()["settings"]
                 .toObject()["testPattern"]
                 .toInt(),
             0);
    // Nothing of it goes into the record.
    QVERIFY(!progress()->isRunning());
}

void TestMiscDlg::testPatternRebuild()
{
    QVERIFY(link());
    auto* rebuild = button("pushButton_18");
    auto* slider = page->findChild<NeoSliderComb*>("0")->findChild<QSlider*>();
    QVERIFY(!rebuild->isEnabled());
    // The device reports test patterns off: the slider rests, the rebuild is offered.
    emit h->SigUIRefreshTestPattern(0, 0);
    QVERIFY(rebuild->isEnabled());
    QVERIFY(!slider->isEnabled());
    QSignalSpy reports(h, &MiddleHandler::SigUIRefreshTestPattern);
    rebuild->click();
    // The device drives the value: 0 starts, 50, then 100 ends it.
    ProgressHelper* p = progress();
    QTRY_VERIFY_WITH_TIMEOUT(reports.count() >= 1, 3000);
    QVERIFY(p->isRunning());
    QCOMPARE(p->dialog()->labelText(), QStringLiteral("ReBuild Test Pattern Data."));
    QTRY_VERIFY_WITH_TIMEOUT(reports.count() >= 2, 3000);
    QCOMPARE(p->dialog()->value(), 50);
    QTRY_VERIFY_WITH_TIMEOUT(reports.count() >= 3, 3000);
    QVERIFY(!p->isRunning());
    QCOMPARE(Rx(device.sim().logLines(), 0x05F0, "01"), 1);
    emit h->SigUIRefreshTestPattern(1, 0);
    QVERIFY(!rebuild->isEnabled());
    QVERIFY(slider->isEnabled());
}

void TestMiscDlg::factoryResetRestarts()
{
    QVERIFY(link({"--reset-restarts"}));
    QSignalSpy reports(h, &MiddleHandler::SigUIRefreshResetFactory);
    clickConfirmed("pushButton_4");
    ProgressHelper* p = progress();
    QTRY_VERIFY_WITH_TIMEOUT(p->isRunning(), 3000);
    QCOMPARE(p->dialog()->labelText(), QStringLiteral("Reset Factory..."));
    // The second report 0 starts the 30 s again: the count falls back.
    QTRY_VERIFY_WITH_TIMEOUT(reports.count() >= 2, 5000);
    QCOMPARE(reports[1][0].toInt(), 0);
    QVERIFY(p->isRunning());
    QVERIFY(p->count() <= 2);
    // The completion closes it without a notice.
    QTRY_VERIFY_WITH_TIMEOUT(reports.count() >= 3, 5000);
    QVERIFY(!p->isRunning());
    QVERIFY(!NoticeShown("Factory Reset Completed, Please Restart The Machine"));
    QCOMPARE(Rx(device.sim().logLines(), 0x05F0, "00"), 1);
}

void TestMiscDlg::factoryResetCancelled()
{
    QVERIFY(link());
    AnswerNextBox(QDialogButtonBox::Cancel);
    button("pushButton_4")->click();
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QCOMPARE(Rx(device.sim().logLines(), 0x05F0), 0);
    QVERIFY(!progress()->isRunning());
}

void TestMiscDlg::subPages()
{
    QVERIFY(link());
    const QStringList controls = {"pushButton", "pushButton_2", "pushButton_3", "pushButton_4"};
    struct Case {
        const char* button;
        QWidget* sub;
    } cases[] = {{"pushButton", page->findChild<StatusInfoDlg*>()},
                 {"pushButton_2", page->findChild<LogoSettingDlg*>()},
                 {"pushButton_3", page->findChild<ScheduleTaskDlg*>()}};
    for (const Case& c : cases) {
        QVERIFY(c.sub && !c.sub->isVisible());
        button(c.button)->click();
        QVERIFY(c.sub->isVisible());
        for (const QString& name : controls)
            QVERIFY(!button(name)->isVisible());
        QVERIFY(!page->findChild<QGroupBox*>("groupBox_5")->isVisible());
        c.sub->close();
        QTRY_VERIFY(!c.sub->isVisible());
        for (const QString& name : controls)
            QVERIFY(button(name)->isVisible());
        QVERIFY(!page->findChild<QGroupBox*>("groupBox_6")->isVisible());
    }
    // "Status Info" asks for the voltages.
    QVERIFY(TestSupport::WaitSenderIdle(h));
    QCOMPARE(Rx(device.sim().logLines(), 0x0710, "02"), 1);
}

// "Upgrade": the picked package goes to the worker that the page runs, and
// its result is shown 10 s later; a wrong name is refused before anything
// reaches the video board.
void TestMiscDlg::upgradeShowsTheWorkersResult()
{
    const QString package = appDir.filePath(QStringLiteral("Z9050_venc.tar.gz"));
    QFile file(package);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("firmware");
    file.close();

    ChooseInNextFileDialog(package);
    QVERIFY(QMetaObject::invokeMethod(page.get(), "on_pushButton_20_clicked"));
    QVERIFY(progress()->isRunning());
    QCOMPARE(progress()->dialog()->labelText(), QStringLiteral("Upgrade Eth Output Video"));
    QTRY_VERIFY_WITH_TIMEOUT(NoticeShown(QStringLiteral("Please Select the correct File")), 20000);
    QVERIFY(!progress()->isRunning());
    AnswerNextBox(QDialogButtonBox::Ok);
    QTRY_VERIFY(!NoticeShown(QStringLiteral("Please Select the correct File")));

    // A cancelled file dialog starts nothing.
    ChooseInNextFileDialog(QString());
    QVERIFY(QMetaObject::invokeMethod(page.get(), "on_pushButton_20_clicked"));
    QVERIFY(!progress()->isRunning());
}

// Every operation of the page ended before its progress's first tick: the
// dialog never comes up afterwards. No device: the page works on the
// default record, and the test plays the device's reports.
void TestMiscDlg::progressEndsBeforeItsFirstTick_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("label");
    QTest::newRow("working mode") << "pushButton_7"
                                  << "Switch Work Mode...";
    QTest::newRow("whole read") << "read"
                                << "Inquire Machine Data.";
    QTest::newRow("factory reset") << "reset"
                                   << "Reset Factory...";
    QTest::newRow("test-pattern rebuild") << "rebuild"
                                          << "ReBuild Test Pattern Data.";
}

void TestMiscDlg::progressEndsBeforeItsFirstTick()
{
    QFETCH(QString, operation);
    QFETCH(QString, label);
    ProgressHelper* p = progress();
    QVERIFY(p);
    h->GetCurrentMData()->M_AllCfg.workMode = MOSAIC_MODE;
    if (operation == "read")
        page->InquireMachineData();
    else if (operation == "reset")
        emit h->SigUIRefreshResetFactory(0);
    else if (operation == "rebuild")
        emit h->SigUIRefreshTestPattern(2, 0);
    else
        button(operation)->click();
    QVERIFY(p->isRunning());
    QCOMPARE(p->dialog()->labelText(), label);
    QCOMPARE(p->count(), 0);
    if (operation == "reset")
        emit h->SigUIRefreshResetFactory(1);
    else if (operation == "rebuild")
        emit h->SigUIRefreshTestPattern(2, 100);
    else
        emit h->SigUIRefreshRequstCmdEnd();
    QVERIFY(!p->isRunning());
    QVERIFY(ProgressTest::ClosedForGood(p->dialog()));
    QCOMPARE(page->findChildren<QProgressDialog*>().size(), 1);
}

// The device's rebuild report during a working-mode switch takes over the
// dialog on screen: the same window, the rebuild's label and count, and no
// working-mode time-out any more.
void TestMiscDlg::rebuildTakesOverTheDialogOnScreen()
{
    ProgressHelper* p = progress();
    QVERIFY(p);
    // On screen from its first step, so that the test need not wait for it.
    p->dialog()->setMinimumDuration(0);
    h->GetCurrentMData()->M_AllCfg.workMode = MOSAIC_MODE;
    button("pushButton_7")->click();
    QVERIFY(p->isRunning());
    p->updateProgressDialog();
    QTRY_VERIFY(p->dialog()->isVisible());
    QCOMPARE(p->timeOutText(), QStringLiteral("Switch Work Mode Timeout"));

    emit h->SigUIRefreshTestPattern(2, 0);
    QVERIFY(p->dialog()->isVisible());
    QCOMPARE(page->findChildren<QProgressDialog*>().size(), 1);
    QCOMPARE(p->dialog()->labelText(), QStringLiteral("ReBuild Test Pattern Data."));
    QCOMPARE(p->count(), 0);
    QCOMPARE(p->dialog()->value(), 0);
    QCOMPARE(p->timeOutText(), QString());
    // The read-back end of the switch no longer ends it; the device does.
    emit h->SigUIRefreshTestPattern(2, 40);
    QCOMPARE(p->dialog()->value(), 40);
    emit h->SigUIRefreshTestPattern(2, 100);
    QVERIFY(!p->isRunning());
    QVERIFY(ProgressTest::ClosedForGood(p->dialog()));
    QVERIFY(!NoticeShown("Switch Work Mode Timeout"));

    // A working-mode switch takes it back in turn, with its own texts.
    button("pushButton_5")->click();
    QVERIFY(p->isRunning());
    QCOMPARE(p->dialog()->labelText(), QStringLiteral("Switch Work Mode..."));
    QCOMPARE(p->timeOutText(), QStringLiteral("Switch Work Mode Timeout"));
    emit h->SigUIRefreshRequstCmdEnd();
    QVERIFY(ProgressTest::ClosedForGood(p->dialog()));
}

// The label, time-out text and cancel text of a running progress follow a
// language switch (the texts of the page's own translation context).
void TestMiscDlg::progressTextsFollowALanguageSwitch()
{
    using ProgressTest::MarkingTranslator;
    ProgressHelper* p = progress();
    QVERIFY(p);
    page->InquireMachineData();
    MarkingTranslator marking;
    qApp->installTranslator(&marking);  // the language change is posted
    QTRY_COMPARE(p->dialog()->labelText(),
                 MarkingTranslator::mark("MiscDlg", "Inquire Machine Data."));
    QCOMPARE(p->timeOutText(), MarkingTranslator::mark("MiscDlg", "Inquire Machine Data Timeout."));
    QCOMPARE(p->dialog()->findChild<QPushButton*>()->text(),
             MarkingTranslator::mark("ProgressHelper", "Cancel"));
    // The next operation starts in the new language.
    emit h->SigUIRefreshResetFactory(0);
    QCOMPARE(p->dialog()->labelText(), MarkingTranslator::mark("MiscDlg", "Reset Factory..."));
    QCOMPARE(
        p->timeOutText(),
        MarkingTranslator::mark("MiscDlg", "Factory Reset Completed, Please Restart The Machine"));
    qApp->removeTranslator(&marking);
    QTRY_COMPARE(p->dialog()->labelText(), QStringLiteral("Reset Factory..."));
    emit h->SigUIRefreshResetFactory(1);
    QVERIFY(ProgressTest::ClosedForGood(p->dialog()));
}

// A video board that takes 100 kB and then reads no more holds the upgrade:
// the progress's Cancel ends the transfer (no result box follows), a retry
// sends the whole package, and a page that goes away during a held transfer
// does not wait for the board.
void TestMiscDlg::upgradeCancelAndLeavingEndTheTransfer()
{
    QVERIFY(link());
    MachineRecord board;
    board.mac = MacAddress{{0x00, 0x1c, 0x88, 0x00, 0x00, 0x01}};
    board.ip = kDeviceIp3;
    board.ethBoard = 1;
    h->Devices().UpdateMachineRecord(board, kPcIp);
    QCOMPARE(h->GetCurrentEthIp(), kDeviceIp3);
    h->SetTcpTimeouts(600000, 600000);  // nothing but the operator ends it
    constexpr int kTaken = 100 * 1024;
    TakingBoard videoBoard(kTaken);
    QVERIFY(videoBoard.listen(kDeviceIp3, UpgradeWorker::kBoardPort));
    const QString package = appDir.filePath(QStringLiteral("z9050_venc.tar.gz"));
    QFile file(package);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1 << 20, 'f'));
    file.close();
    auto upgrade = [&] {
        ChooseInNextFileDialog(package);
        QVERIFY(QMetaObject::invokeMethod(page.get(), "on_pushButton_20_clicked"));
    };
    ProgressHelper* p = progress();
    QVERIFY(p);

    upgrade();
    QTRY_COMPARE_WITH_TIMEOUT(videoBoard.lastBytes().size(), kTaken, 10000);
    QVERIFY(p->isRunning());
    {
        Rescue rescue([this] { h->DisconnectTcp(); }, 20000);
        p->dialog()->findChild<QPushButton*>()->click();  // Cancel
        QVERIFY(!p->isRunning());
        // The transfer has ended once a new one goes through.
        videoBoard.setTake(-1);
        upgrade();
        QTRY_COMPARE_WITH_TIMEOUT(videoBoard.connections(), 2, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(videoBoard.lastBytes().size(), 15 + (1 << 20) + 15, 10000);
        QVERIFY(!rescue.rescued());
    }

    videoBoard.setTake(kTaken);
    upgrade();
    QTRY_COMPARE_WITH_TIMEOUT(videoBoard.connections(), 3, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(videoBoard.lastBytes().size(), kTaken, 10000);
    Rescue rescue([this] { h->DisconnectTcp(); }, 20000);
    page.reset();
    QVERIFY(!rescue.rescued());
}

void TestMiscDlg::refreshChecksButtons_data()
{
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("syncLock");
    QTest::addColumn<QString>("modeButton");  // checked afterwards
    QTest::addColumn<QString>("syncButton");
    QTest::newRow("backup, genlock") << 4 << 2 << "pushButton_7"
                                     << "pushButton_10";
    QTest::newRow("switcher checks the hidden button") << 2 << 1 << "pushButton_6"
                                                       << "pushButton_9";
    QTest::newRow("unknown values change nothing") << 3 << 3 << "pushButton_5"
                                                   << "pushButton_8";
}

void TestMiscDlg::refreshChecksButtons()
{
    QFETCH(int, workMode);
    QFETCH(int, syncLock);
    QFETCH(QString, modeButton);
    QFETCH(QString, syncButton);
    MData* record = h->GetCurrentMData();
    record->M_AllCfg.workMode = workMode;
    record->M_AllCfg.syncLock = syncLock;
    QSignalSpy modes(page.get(), &MiscDlg::sigSysWorkModeChange);
    page->UiRefreshAll();
    QVERIFY(button(modeButton)->isChecked());
    QVERIFY(button(syncButton)->isChecked());
    QVERIFY(!button("pushButton_6")->isVisible());
    QCOMPARE(modes.count(), 0);
    QCOMPARE(h->PendingShortFrames(), 0);
}

void TestMiscDlg::screenshot()
{
    const QString out = qEnvironmentVariable("LEDZ_SCREENSHOT");
    if (out.isEmpty())
        QSKIP("set LEDZ_SCREENSHOT to a file name");
    QVERIFY(link());
    page->UiRefreshAll();
    // The page sits on the main window's dark background.
    page->setStyleSheet(page->styleSheet() + "MiscDlg { background: rgb(64, 64, 64); }");
    page->setAttribute(Qt::WA_StyledBackground);
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    QVERIFY(page->grab().save(out));
}

LEDZ_GUI_TEST_MAIN(TestMiscDlg)
#include "test_miscdlg.moc"
