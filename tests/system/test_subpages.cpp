// The status, logo and schedule sub-pages of the system page as the operator
// uses them, against a simulated processor selected and read back inside the
// private network: the frames it received, the record, and what the pages
// show of its reports.
#include "AppPaths.h"
#include "GuiTest.h"
#include "LinkedDevice.h"
#include "LogoSettingDlg.h"
#include "ScheduleTaskDlg.h"
#include "SendCommand.h"
#include "StatusInfoDlg.h"
#include "TestNet.h"
#include "TestSupport.h"

#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTableView>
#include <QTranslator>
#include <QtTest>

using TestSupport::WaitSenderIdle;

using GuiTest::BoxAnswer;

namespace {

QString Hex(std::initializer_list<int> bytes)
{
    QString s;
    for (int b : bytes)
        s += QString::asprintf("%02x", b);
    return s;
}

}  // namespace

class TestSubPages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void statusTexts_data();
    void statusTexts();
    void statusShowsTheDevicesReports();

    void logoStateTexts_data();
    void logoStateTexts();
    void logoSaveIsRefusedOnARotatedLayer_data();
    void logoSaveIsRefusedOnARotatedLayer();
    void logoSaveShowsItsProgress();
    void logoDeleteShowsNoLogo();

    void scheduleSetFromTheStartState();
    void scheduleSetWritesOptionPeriodAndPreset_data();
    void scheduleSetWritesOptionPeriodAndPreset();
    void scheduleClearTasksZeroesOnlyOptions();
    void scheduleStatusReports();
    void scheduleIgnoresWhatNoWidgetCanShow();
    void scheduleDateShowsDigitsInEveryLanguage_data();
    void scheduleDateShowsDigitsInEveryLanguage();

private:
    MData& data() { return *device_.handler()->GetCurrentMData(); }

    LinkedDevice device_;
    MData readBack_;
};

void TestSubPages::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    InitAppResources();
    MiddleHandler::GetInstance()->SetInquiryDelay(300);
    QVERIFY(device_.link(LinkedDevice::oneDevice()));
    readBack_ = data();
}

void TestSubPages::init()
{
    // Nothing of the previous test is still to arrive.
    QVERIFY(device_.settle());
}

void TestSubPages::cleanupTestCase()
{
    device_.stop();
    device_.handler()->ShutdownForTest();
}

void TestSubPages::statusTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("a");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("main board, no date") << 0 << 0x12 << 0xAB << "" << "Main Board: B0012 A00AB ";
    QTest::newRow("UI board with date")
        << 1 << 0xBEEF << 2 << "Mar 1 2019 10:26:25" << "UI Board: BBEEF A0002 Mar 1 2019 10:26:25";
    QTest::newRow("Ethernet board") << 3 << 0x0203 << 0 << "" << "Eth Board: V0203";
    QTest::newRow("voltages: no label") << 2 << 1 << 1 << "" << "";
    QTest::newRow("unknown kind") << 9 << 1 << 1 << "" << "";
}

void TestSubPages::statusTexts()
{
    QFETCH(int, kind);
    QFETCH(int, b);
    QFETCH(int, a);
    QFETCH(QString, date);
    QFETCH(QString, text);
    MachineInfo info;
    for (BoardVersion& board : info.board)
        board = {uint16_t(b), uint16_t(a), date};
    info.ethVersion = uint16_t(b);
    QCOMPARE(StatusInfoDlg::BoardText(VerInfo_Enum(kind), info), text);

    info.stdVoltage[0] = 3300;
    info.voltage[0] = 3287;
    info.stdVoltage[6] = 65535;
    QCOMPARE(StatusInfoDlg::VoltageText(info, 0), QStringLiteral("Voltage,(STD: 3300 mv),3287 mv"));
    QCOMPARE(StatusInfoDlg::VoltageText(info, 6), QStringLiteral("Voltage,(STD: 65535 mv),0 mv"));
}

void TestSubPages::statusShowsTheDevicesReports()
{
    StatusInfoDlg page(nullptr);
    auto* label = page.findChild<QLabel*>("label");
    auto* label3 = page.findChild<QLabel*>("label_3");
    auto* table = page.findChild<QTableView*>("tableView");
    QCOMPARE(label->text(), QStringLiteral("Main Board: B0000 A0001 Jan 7 2019 15:00:25"));
    QCOMPARE(table->model()->rowCount(), 7);
    QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Electrical state"));
    QVERIFY(table->model()->index(0, 0).data().toString().isEmpty());

    // The system page asks for the voltages; the boards report as they like.
    QSignalSpy voltages(device_.handler(), &MiddleHandler::SigUIRefreshMachineElectric);
    QSignalSpy versions(device_.handler(), &MiddleHandler::SigUIRefreshMachineVer);
    for (uint8_t kind : {VER_ELECTRIC, VER_MAINBOARD, VER_UIBOARD, VER_ETHBOARD})
        SendCommand(&kind, SEND_INQUIREVERCMD, nullptr, QString());
    QTRY_COMPARE(voltages.count(), 1);
    QTRY_COMPARE(versions.count(), 3);
    QCOMPARE(device_.frames().payloads(0x0710, 1), (QStringList{"02", "00", "01", "03"}));

    QCOMPARE(label->text(), QStringLiteral("Main Board: B0003 A0070 Mar 12 2024 10:41:07"));
    QCOMPARE(page.findChild<QLabel*>("label_2")->text(),
             QStringLiteral("UI Board: B0001 A002D Jan 30 2024 16:05:51"));
    QCOMPARE(page.findChild<QLabel*>("label_4")->text(), QStringLiteral("Eth Board: V0203"));
    QCOMPARE(label3->text(), QStringLiteral("Z7050 Ver:1.04"));
    const QStringList rows = {"(STD: 5000 mv),5020 mv", "(STD: 3300 mv),3310 mv",
                              "(STD: 2500 mv),2490 mv", "(STD: 1800 mv),1805 mv",
                              "(STD: 1500 mv),1497 mv", "(STD: 1200 mv),1203 mv",
                              "(STD: 1000 mv),998 mv"};
    for (int row = 0; row < 7; ++row) {
        const QModelIndex cell = table->model()->index(row, 0);
        QCOMPARE(cell.data().toString(), "Voltage," + rows[row]);
        QCOMPARE(cell.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    }
    QVERIFY(!(table->editTriggers() & QAbstractItemView::DoubleClicked));
}

void TestSubPages::logoStateTexts_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << 0 << "LOGO  None  ";
    QTest::newRow("saved, mosaic") << 3 << 0 << "LOGO  Saved    1920 x 1080  Mosaic Mode";
    QTest::newRow("loaded, switcher") << 6 << 2 << "LOGO  Loaded    1920 x 1080  HDMI Switcher";
    QTest::newRow("saved, backup") << 3 << 4 << "LOGO  Saved    1920 x 1080  Backup Mode";
    QTest::newRow("saved, unknown mode") << 3 << 7 << "LOGO  Saved    1920 x 1080  ";
    QTest::newRow("saving") << 2 << 0 << "";
    QTest::newRow("loading") << 5 << 0 << "";
    QTest::newRow("state 4") << 4 << 0 << "";
    QTest::newRow("state 200") << 200 << 0 << "";
}

void TestSubPages::logoStateTexts()
{
    QFETCH(int, state);
    QFETCH(int, mode);
    QFETCH(QString, text);
    LogoInfo info;
    info.state = uint8_t(state);
    info.workMode = mode;
    info.width = 1920;
    info.height = 1080;
    QCOMPARE(LogoSettingDlg::StateText(info), text);
}

void TestSubPages::logoSaveIsRefusedOnARotatedLayer_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("mosaic") << int(MOSAIC_MODE);
    QTest::newRow("switcher") << int(SWITCHER_MODE);
    QTest::newRow("backup") << int(BACKUP_MODE);
}

void TestSubPages::logoSaveIsRefusedOnARotatedLayer()
{
    QFETCH(int, mode);
    LogoSettingDlg page(nullptr);
    data().M_AllCfg.workMode = mode;
    data().M_MosaicLayerCfg.layer[2].rotation = 1;
    data().M_LogoInfo.op = 0x5A;
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_4"), Qt::LeftButton);  // Layer 3

    const BoxAnswer told(QDialogButtonBox::Ok);
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_6"), Qt::LeftButton);  // Start
    QTRY_COMPARE(told.text(), QStringLiteral("Layer Roation Is On,Can't Save Logo."));
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton"), Qt::LeftButton);    // Load
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_9"), Qt::LeftButton);  // Delete
    QVERIFY(WaitSenderIdle(device_.handler()));
    // Byte 0 repeats the device's last report; then mode, side (Preview),
    // layer and operation.
    QCOMPARE(device_.frames().payloads(0x0605, 5),
             (QStringList{Hex({0x5A, mode, 1, 2, 4}), Hex({0x5A, mode, 1, 2, 7})}));
    QCOMPARE(data().M_LogoInfo.workMode, mode);

    data().M_MosaicLayerCfg.layer[2].rotation = readBack_.M_MosaicLayerCfg.layer[2].rotation;
    data().M_AllCfg.workMode = readBack_.M_AllCfg.workMode;
}

void TestSubPages::logoSaveShowsItsProgress()
{
    LogoSettingDlg page(nullptr);
    page.show();
    auto* bar = page.progressDialog()->findChild<QProgressBar*>();
    QVERIFY(bar);
    QSignalSpy values(bar, &QProgressBar::valueChanged);
    QSignalSpy reports(device_.handler(), &MiddleHandler::SigUIRefreshLogoData);
    auto* text = page.findChild<QLineEdit*>("lineEdit");
    text->setText(QStringLiteral("stale"));

    // Mosaic mode hides the sides; the last checked one (Preview) still counts.
    data().M_AllCfg.workMode = MOSAIC_MODE;
    page.On_SigUIRefreshAllCfg();
    QVERIFY(page.findChild<QPushButton*>("pushButton_7")->isHidden());
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_6"), Qt::LeftButton);
    QVERIFY(WaitSenderIdle(device_.handler()));
    QCOMPARE(device_.frames().payloads(0x0605, 5).value(0).mid(2), Hex({0, 1, 0, 1}));

    // State 2 at 0 %: the label and an empty text field.
    QTRY_VERIFY(reports.count() >= 1);
    QCOMPARE(page.progressDialog()->labelText(), QStringLiteral("Logo Saving"));
    QCOMPARE(text->text(), QString());
    QTRY_COMPARE(reports.count(), 4);
    QList<int> seen;
    for (const QList<QVariant>& v : values)
        seen << v.at(0).toInt();
    // 100 % resets the dialog, which hides it; the saved logo's report
    // leaves it alone.
    QCOMPARE(seen.mid(0, 2), (QList<int>{0, 40}));
    QCOMPARE(page.progressDialog()->value(), -1);
    QCOMPARE(page.progressDialog()->labelText(), QStringLiteral("Logo Saving"));
    QVERIFY(!page.progressDialog()->isVisible());
    QVERIFY(text->text().startsWith(QStringLiteral("LOGO  Saved    ")));
    QVERIFY(text->text().endsWith(QStringLiteral("  Mosaic Mode")));
    QVERIFY(page.findChild<QPushButton*>("pushButton")->isEnabled());
}

void TestSubPages::logoDeleteShowsNoLogo()
{
    LogoSettingDlg page(nullptr);
    QSignalSpy reports(device_.handler(), &MiddleHandler::SigUIRefreshLogoData);
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_9"), Qt::LeftButton);
    QTRY_COMPARE(reports.count(), 1);
    QCOMPARE(page.findChild<QLineEdit*>("lineEdit")->text(), QStringLiteral("LOGO  None  "));
    QVERIFY(!page.findChild<QPushButton*>("pushButton")->isEnabled());
}

void TestSubPages::scheduleSetFromTheStartState()
{
    ScheduleTaskDlg page(nullptr);
    QVERIFY(page.taskButton(0)->isChecked());
    for (int i = 0; i < ScheduleTaskDlg::kPresetCount; ++i)
        QVERIFY(!page.presetButton(i)->isEnabled());
    QVERIFY(page.findChild<QSpinBox*>("spinBox")->isHidden());

    // The device reported task 0 disabled, "Every Day" with preset 0.
    ScheduleTask& task = data().M_TaskCfg.task[0];
    task.flag = 0;
    task.option = 2;
    task.presetId = 0;
    page.findChild<QDateTimeEdit*>("dateTimeEdit")
        ->setDateTime(QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7)));
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_4"), Qt::LeftButton);  // Set
    QVERIFY(WaitSenderIdle(device_.handler()));
    // Option and preset kept; the period is the spin box's; 01 enabled.
    QCOMPARE(device_.frames().payloads(0x0607, 16),
             QStringList{Hex({0x00, 0x0E, 0x01, 0x55, 0, 27, 3, 4, 5, 6, 7, 2, 1, 0, 1, 0})});
    QCOMPARE(int(task.year), 27);
    QCOMPARE(int(task.period), 1);
    QVERIFY(page.taskIndicator(0)->isChecked());
}

void TestSubPages::scheduleSetWritesOptionPeriodAndPreset_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("period");
    QTest::addColumn<bool>("indicator");
    QTest::newRow("Period, 45 min") << QStringList{"pushButton_8"} << 3 << 45 << true;
    QTest::newRow("Period then Skip keeps the period")
        << QStringList{"pushButton_8", "pushButton_5"} << 0 << 45 << false;
    QTest::newRow("Only Once") << QStringList{"pushButton_6"} << 1 << 45 << true;
}

void TestSubPages::scheduleSetWritesOptionPeriodAndPreset()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, option);
    QFETCH(int, period);
    QFETCH(bool, indicator);
    ScheduleTaskDlg page(nullptr);
    // Presets 0, 1, 2 and 5 are stored: their buttons are enabled.
    page.On_SigUiRefreshPresetValid();
    QVERIFY(page.presetButton(5)->isEnabled());
    QVERIFY(!page.presetButton(6)->isEnabled());
    QTest::mouseClick(page.taskButton(7), Qt::LeftButton);
    QTest::mouseClick(page.presetButton(5), Qt::LeftButton);
    // A checked preset that a report then disables still counts.
    data().M_PresetValid[MOSAIC_MODE][5] = 0;
    page.On_SigUiRefreshPresetValid();
    QVERIFY(!page.presetButton(5)->isEnabled());
    QVERIFY(page.presetButton(5)->isChecked());

    auto* spin = page.findChild<QSpinBox*>("spinBox");
    for (const QString& name : clicks) {
        QTest::mouseClick(page.findChild<QPushButton*>(name), Qt::LeftButton);
        if (name == "pushButton_8") {
            QVERIFY(!spin->isHidden());
            spin->setValue(period);
        }
    }
    QCOMPARE(spin->isHidden(), option != 3);
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_4"), Qt::LeftButton);
    const ScheduleTask& task = data().M_TaskCfg.task[7];
    QCOMPARE(int(task.option), option);
    QCOMPARE(int(task.period), period);
    QCOMPARE(int(task.presetId), 5);
    QCOMPARE(page.taskIndicator(7)->isChecked(), indicator);
    QVERIFY(WaitSenderIdle(device_.handler()));
    const QString sent = device_.frames().payloads(0x0607, 16).value(0);
    QCOMPARE(sent.mid(22, 10), Hex({option, period, 0, 1, 5}));
    data().M_PresetValid[MOSAIC_MODE][5] = 1;
}

void TestSubPages::scheduleClearTasksZeroesOnlyOptions()
{
    ScheduleTaskDlg page(nullptr);
    QSignalSpy status(device_.handler(), &MiddleHandler::SigUIRefreshTaskData);
    QTest::mouseClick(page.taskButton(2), Qt::LeftButton);  // "Period", 30 min
    QVERIFY(!page.findChild<QSpinBox*>("spinBox")->isHidden());
    QVERIFY(page.findChild<QPushButton*>("pushButton_8")->isChecked());
    const TaskCfg before = data().M_TaskCfg;

    QTest::mouseClick(page.findChild<QPushButton*>("pushButton"), Qt::LeftButton);
    for (int i = 0; i < ScheduleTaskDlg::kTaskCount; ++i) {
        const ScheduleTask& t = data().M_TaskCfg.task[i];
        QCOMPARE(int(t.option), 0);
        QCOMPARE(int(t.period), int(before.task[i].period));
        QCOMPARE(int(t.presetId), int(before.task[i].presetId));
        QCOMPARE(int(t.day), int(before.task[i].day));
        QVERIFY(!page.taskIndicator(i)->isChecked());
    }
    QVERIFY(page.findChild<QPushButton*>("pushButton_5")->isChecked());
    QVERIFY(page.findChild<QSpinBox*>("spinBox")->isHidden());
    QVERIFY(WaitSenderIdle(device_.handler()));
    QCOMPARE(device_.frames().payloads(0x0607, 2), QStringList{"01ff"});
    QTRY_VERIFY(status.count() >= 1);
}

void TestSubPages::scheduleStatusReports()
{
    ScheduleTaskDlg page(nullptr);
    auto* run = page.findChild<QPushButton*>("pushButton_2");
    auto* stop = page.findChild<QPushButton*>("pushButton_3");
    QSignalSpy status(device_.handler(), &MiddleHandler::SigUIRefreshTaskData);
    QTest::mouseClick(run, Qt::LeftButton);
    QTRY_COMPARE(status.count(), 1);
    QVERIFY(run->isChecked());
    QTest::mouseClick(stop, Qt::LeftButton);
    QTRY_COMPARE(status.count(), 2);
    QVERIFY(stop->isChecked() && !run->isChecked());

    // Status 2 leaves Run and Stop, but the current task and the indicators
    // are shown again.
    data().M_TaskCfg.task[4].option = 1;
    QTest::mouseClick(page.taskButton(4), Qt::LeftButton);
    data().M_TaskCfg.task[4].option = 3;
    const uint8_t two = 2;
    SendCommand(&two, SEND_TASKRUNCMD, nullptr, QString());
    QTRY_COMPARE(status.count(), 3);
    QCOMPARE(int(data().M_TaskCfg.status), 2);
    QVERIFY(stop->isChecked() && !run->isChecked());
    QVERIFY(page.findChild<QPushButton*>("pushButton_8")->isChecked());
    QVERIFY(page.taskIndicator(4)->isChecked());
    QVERIFY(WaitSenderIdle(device_.handler()));
    QCOMPARE(device_.frames().payloads(0x0607, 2), (QStringList{"0201", "0200", "0202"}));
}

void TestSubPages::scheduleIgnoresWhatNoWidgetCanShow()
{
    ScheduleTaskDlg page(nullptr);
    auto* edit = page.findChild<QDateTimeEdit*>("dateTimeEdit");
    const QDateTime shown(QDate(2026, 12, 24), QTime(18, 0, 0));
    edit->setDateTime(shown);
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_7"), Qt::LeftButton);
    page.On_SigUiRefreshPresetValid();
    QTest::mouseClick(page.presetButton(1), Qt::LeftButton);

    ScheduleTask& bad = data().M_TaskCfg.task[9];
    bad = ScheduleTask();
    bad.month = 13;
    bad.day = 40;
    bad.hour = 25;
    bad.option = 9;
    bad.presetId = 20;
    bad.period = 77;
    QTest::mouseClick(page.taskButton(9), Qt::LeftButton);
    QCOMPARE(edit->dateTime(), shown);
    QVERIFY(page.findChild<QPushButton*>("pushButton_7")->isChecked());
    QVERIFY(page.presetButton(1)->isChecked());
    QCOMPARE(page.findChild<QSpinBox*>("spinBox")->value(), 77);
    bad.presetId = 255;
    QTest::mouseClick(page.taskButton(9), Qt::LeftButton);
    QVERIFY(page.presetButton(1)->isChecked());

    // A working mode outside the validity rows leaves the preset buttons.
    for (int mode : {7, -1}) {
        data().M_AllCfg.workMode = mode;
        page.On_SigUiRefreshPresetValid();
        QVERIFY(page.presetButton(1)->isEnabled());
        QVERIFY(!page.presetButton(3)->isEnabled());
    }
    data().M_AllCfg.workMode = readBack_.M_AllCfg.workMode;
}

void TestSubPages::scheduleDateShowsDigitsInEveryLanguage_data()
{
    QTest::addColumn<QString>("pack");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("calendarLocale");
    // The main window's form keeps the Chinese locale in every language.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QTest::newRow("English") << "English" << chinese << "en_US";
    QTest::newRow("simplified Chinese") << "Chinese" << chinese << "zh_CN";
    QTest::newRow("traditional Chinese") << "ChineseTrad" << chinese << "zh_TW";
    QTest::newRow("no pack, English locale")
        << QString() << QLocale(QLocale::English, QLocale::UnitedStates) << "en_US";
}

void TestSubPages::scheduleDateShowsDigitsInEveryLanguage()
{
    QFETCH(QString, pack);
    QFETCH(QLocale, locale);
    QFETCH(QString, calendarLocale);
    QWidget window;
    window.setLocale(locale);
    auto* page = new ScheduleTaskDlg(&window);
    auto* edit = page->findChild<QDateTimeEdit*>("dateTimeEdit");
    // The language is switched with the page built, as the operator does.
    QTranslator translator;
    if (!pack.isEmpty()) {
        QVERIFY(translator.load(QStringLiteral(LEDZ_LANGUAGE_DIR "/KSV_Z9050_%1.qm").arg(pack)));
        QCoreApplication::installTranslator(&translator);
    }
    const auto removeTranslator =
        qScopeGuard([&] { QCoreApplication::removeTranslator(&translator); });
    // The pop-up's month and weekday names are the language's.
    QTRY_COMPARE(edit->calendarWidget()->locale().name(), calendarLocale);
    const QDate day = QDate::currentDate().addDays(45);
    ScheduleTask& task = data().M_TaskCfg.task[3];
    task.year = uint8_t(day.year() - 2000);
    task.month = uint8_t(day.month());
    task.day = uint8_t(day.day());
    task.hour = 7;
    task.minute = 5;
    task.second = 0;
    QTest::mouseClick(page->taskButton(3), Qt::LeftButton);
    QCOMPARE(edit->locale(), locale);
    QCOMPARE(edit->text(),
             QString::asprintf("%04d-%02d-%02d 07:05:00", day.year(), day.month(), day.day()));
}

LEDZ_GUI_TEST_MAIN(TestSubPages)
#include "test_subpages.moc"
