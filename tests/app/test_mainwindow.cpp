// The main window: its pages and buttons, the status caption and icons, the
// language packs, the start-up project and the exit question.

#include "AppPaths.h"
#include "DestinationDlg.h"
#include "GuiTest.h"
#include "MainWindow.h"
#include "MiddleHandler.h"
#include "MiscDlg.h"
#include "MouseEvents.h"
#include "TitleBar.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace GuiTest;

namespace {
MData* record()
{
    return MiddleHandler::GetInstance()->GetCurrentMData();
}

void resetRecord()
{
    *record() = MData();
    InitFallbackRecord(*record());
}

QString labelText(QWidget* w, const char* name)
{
    // The main window's own title bar: the system page's sub-pages carry title bars too.
    return w->findChild<TitleBar*>(QString(), Qt::FindDirectChildrenOnly)
        ->findChild<QLabel*>(name)
        ->text();
}

QImage image(const char* path)
{
    return QPixmap(QString::fromLatin1(path)).toImage();
}

// The main window's own button: the pages in its stack name theirs
// pushButton_N too.
QPushButton* button(QWidget* w, const QString& name)
{
    auto* stack = w->findChild<QStackedWidget*>("stackedWidget");
    for (QPushButton* b : w->findChildren<QPushButton*>(name))
        if (!stack->isAncestorOf(b))
            return b;
    return nullptr;
}

// The tests tick the status timer by hand. The preview window outlives its
// main window: the old ones go, so that the newest window's is the only one.
std::unique_ptr<MainWindow> makeWindow()
{
    dropPreviews();
    auto w = std::make_unique<MainWindow>();
    for (QTimer* t : w->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        t->stop();
    return w;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QByteArray project(int brightLevel, int workMode)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROJECTDATA>\n"
                          "    <ALLCONFG>\n        <BRIGHTLEVEL>%1</BRIGHTLEVEL>\n"
                          "        <SYSTEMWORK>%2</SYSTEMWORK>\n    </ALLCONFG>\n</PROJECTDATA>\n")
        .arg(brightLevel)
        .arg(workMode)
        .toUtf8();
}
}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void window();
    void pageButtons_data();
    void pageButtons();
    void workModeCaption_data();
    void workModeCaption();
    void language_data();
    void language();
    void languageKeepsOtherButtonsAlone();
    void networkIcon();
    void syncLockIcon();
    void previewWindow();
    void onlyTheTitleBarDrags();
    void readBackEndLeavesIdleProgressAlone();
    void startupProject_data();
    void startupProject();
    void exit_data();
    void exit();
    void exitWhenTheSaveFails_data();
    void exitWhenTheSaveFails();

private:
    QString path(const QString& name) const { return appDir_.filePath(name); }

    QTemporaryDir appDir_;
};

void TestMainWindow::initTestCase()
{
    InitAppResources();
    // Closing the last window must not post a quit that ends a later modal loop.
    qApp->setQuitOnLastWindowClosed(false);
    QVERIFY(appDir_.isValid());
    qputenv("LEDZ_APP_DIR", appDir_.path().toLocal8Bit());
    QVERIFY(QDir(appDir_.path()).mkdir("Language"));
    for (const char* pack : {"English", "Chinese", "ChineseTrad"}) {
        const QString name = QStringLiteral("KSV_Z9050_%1.qm").arg(pack);
        QVERIFY(QFile::copy(QStringLiteral(LEDZ_LANGUAGE_DIR "/") + name,
                            path(QStringLiteral("Language/") + name)));
    }
}

void TestMainWindow::init()
{
    QFile::remove(path("Config_ksv4.xml"));
    QFile::remove(path("PRO.xml"));
    resetRecord();
}

void TestMainWindow::cleanupTestCase()
{
    MiddleHandler::GetInstance()->ShutdownForTest();
}

void TestMainWindow::window()
{
    auto w = makeWindow();
    QCOMPARE(w->size(), QSize(1366, 768));
    QCOMPARE(w->windowTitle(), QStringLiteral("LED-Z7050"));
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    auto* stack = w->findChild<QStackedWidget*>("stackedWidget");
    QCOMPARE(stack->count(), 6);
    QCOMPARE(stack->currentWidget()->metaObject()->className(), "KSV_OpSetDlg");
    QVERIFY(button(w.get(), "Output_Btn")->isChecked());
    QCOMPARE(labelText(w.get(), "titleText0"), QStringLiteral("LED-Z7050"));
    QCOMPARE(labelText(w.get(), "titleText1"), QStringLiteral("OUTPUT"));
    QCOMPARE(statusIcon(w.get(), 2), image(":/res/Image/network-error.png"));
    QVERIFY(statusIcon(w.get(), 1).isNull());

    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->findChild<TitleBar*>()->geometry(), QRect(0, 0, 1366, 32));
}

void TestMainWindow::pageButtons_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("caption");
    QTest::newRow("picture") << "PicSet_Btn" << "KSV_PicSetDlg" << "PICTURE";
    QTest::newRow("output") << "Output_Btn" << "KSV_OpSetDlg" << "OUTPUT";
    QTest::newRow("input") << "pushButton_3" << "InputSrcSetDlg" << "INPUT";
    QTest::newRow("layers") << "pushButton_4" << "KSV_OpSetDlg" << "LAYERS";
    QTest::newRow("presets") << "pushButton_5" << "PresetDlg" << "SAVE/LOAD";
    QTest::newRow("communication") << "pushButton_6" << "DestinationDlg" << "COMM.";
    QTest::newRow("system") << "pushButton_8" << "MiscDlg" << "MISC.";
}

void TestMainWindow::pageButtons()
{
    QFETCH(QString, buttonName);
    QFETCH(QString, page);
    QFETCH(QString, caption);
    auto w = makeWindow();
    button(w.get(), "PicSet_Btn")->click();
    QPushButton* b = button(w.get(), buttonName);
    b->click();
    auto* stack = w->findChild<QStackedWidget*>("stackedWidget");
    QCOMPARE(QString::fromLatin1(stack->currentWidget()->metaObject()->className()), page);
    QCOMPARE(labelText(w.get(), "titleText1"), caption);
    int checked = 0;
    auto* pages = w->findChild<QStackedWidget*>("stackedWidget");
    for (QPushButton* other : w->findChildren<QPushButton*>(QRegularExpression("_Btn$|^pushButton_")))
        checked += other->isChecked() && !pages->isAncestorOf(other);
    QVERIFY(b->isChecked());
    QCOMPARE(checked, 1);
}

void TestMainWindow::workModeCaption_data()
{
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("switcherType");
    QTest::addColumn<int>("outputMode");
    QTest::addColumn<QString>("caption");
    QTest::newRow("mosaic, DVI") << 0 << 0 << 0 << "Mosaic Mode: DVI";
    QTest::newRow("mosaic, other output") << 0 << 0 << 2 << "Mosaic Mode";
    QTest::newRow("backup, HDMI") << 4 << 0 << 1 << "Backup Mode: HDMI";
    QTest::newRow("HDMI switcher, DVI") << 2 << 0 << 0 << "HDMI Switcher: DVI";
    QTest::newRow("switcher 4, HDMI") << 2 << 4 << 1 << "Switcher Mode";
    QTest::newRow("DP switcher, HDMI") << 2 << 1 << 1 << "DP Switcher Mode: DP";
    QTest::newRow("unknown switcher type") << 2 << 7 << 0 << ": DVI";
    QTest::newRow("mode 1") << 1 << 0 << 0 << ": DVI";
    QTest::newRow("mode 3, HDMI") << 3 << 0 << 1 << ": HDMI";
}

void TestMainWindow::workModeCaption()
{
    QFETCH(int, workMode);
    QFETCH(int, switcherType);
    QFETCH(int, outputMode);
    QFETCH(QString, caption);
    auto w = makeWindow();
    record()->M_AllCfg.workMode = workMode;
    record()->M_SwitcherType = static_cast<uint8_t>(switcherType);
    record()->M_OutputData.M_OutputResoCfg.outputMode = outputMode;
    // Not on the device's system settings report: on its output resolution one.
    const QString before = labelText(w.get(), "titleText3");
    emit MiddleHandler::GetInstance()->SigUIRefreshAllCfg();
    QCOMPARE(labelText(w.get(), "titleText3"), before);
    emit MiddleHandler::GetInstance()->SigUIRefreshOutputReso();
    QCOMPARE(labelText(w.get(), "titleText3"), caption);
}

void TestMainWindow::language_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("pictureButton");
    QTest::addColumn<QString>("systemButton");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("status");
    QTest::newRow("English") << 0 << "Picture" << "Misc" << "OUTPUT" << "Mosaic Mode: DVI";
    QTest::newRow("simplified Chinese")
        << 1 << QString::fromUtf8("图像设置") << QString::fromUtf8("系统设置")
        << QString::fromUtf8("输出") << QString::fromUtf8("拼接模式: DVI");
    QTest::newRow("traditional Chinese")
        << 2 << QString::fromUtf8("圖像設置") << QString::fromUtf8("系統設置")
        << QString::fromUtf8("輸出") << QString::fromUtf8("拼接模式: DVI");
    // No pack: the form's source texts and the English source texts.
    QTest::newRow("unknown language") << 3 << QString::fromUtf8("图像设置") << "Misc" << "OUTPUT"
                                      << "Mosaic Mode: DVI";
}

void TestMainWindow::language()
{
    QFETCH(int, language);
    QFETCH(QString, pictureButton);
    QFETCH(QString, systemButton);
    QFETCH(QString, caption);
    QFETCH(QString, status);
    auto w = makeWindow();
    QCOMPARE(button(w.get(), "PicSet_Btn")->text(), QStringLiteral("Picture"));
    // The system page is built when first opened; the output page is up again.
    button(w.get(), "pushButton_8")->click();
    button(w.get(), "Output_Btn")->click();
    if (language <= 2)
        w->findChild<MiscDlg*>()
            ->findChild<QPushButton*>(QStringLiteral("pushButton_%1").arg(11 + language))
            ->click();
    else
        w->On_sigLanguageChange(static_cast<LANGUAGE_TYPE>(language));
    QCOMPARE(button(w.get(), "PicSet_Btn")->text(), pictureButton);
    QCOMPARE(button(w.get(), "pushButton_8")->text(), systemButton);
    QCOMPARE(labelText(w.get(), "titleText1"), caption);
    QCOMPARE(labelText(w.get(), "titleText3"), status);
    w->On_sigLanguageChange(LANGUAGE_ENGLISH);
    QCOMPARE(button(w.get(), "pushButton_6")->text(), QStringLiteral("Communication"));
}

void TestMainWindow::languageKeepsOtherButtonsAlone()
{
    auto w = makeWindow();
    button(w.get(), "pushButton_5")->click();
    w->On_sigLanguageChange(LANGUAGE_CHINESE);
    QCOMPARE(labelText(w.get(), "titleText1"), QString::fromUtf8("预设"));
    w->On_sigLanguageChange(LANGUAGE_ENGLISH);
    QCOMPARE(labelText(w.get(), "titleText1"), QStringLiteral("SAVE/LOAD"));
}

void TestMainWindow::networkIcon()
{
    auto w = makeWindow();
    auto* comm = w->findChild<DestinationDlg*>();
    const QImage tx = image(":/res/Image/netstatus-tx.png");
    const QImage rx = image(":/res/Image/netstatus-rx.png");
    const QImage error = image(":/res/Image/network-error.png");

    // Never on line: the ticks leave the icon alone.
    clearStatusIcon(w.get(), 2);
    w->On_StatusOnLine();
    QVERIFY(statusIcon(w.get(), 2).isNull());

    emit comm->sigMachineOnOffLine(true);
    for (const QImage& expected : {tx, rx, tx, rx}) {
        w->On_StatusOnLine();
        QCOMPARE(statusIcon(w.get(), 2), expected);
    }

    emit comm->sigMachineOnOffLine(false);
    w->On_StatusOnLine();
    QCOMPARE(statusIcon(w.get(), 2), error);
    clearStatusIcon(w.get(), 2);
    w->On_StatusOnLine();
    QVERIFY(statusIcon(w.get(), 2).isNull());
}

void TestMainWindow::syncLockIcon()
{
    auto w = makeWindow();
    MiddleHandler* mh = MiddleHandler::GetInstance();
    const QImage lock = image(":/res/Image/tongbu.png");
    const QImage marker = image(":/res/Image/keyboardok.png");
    auto mark = [&] {
        w->findChild<TitleBar*>(QString(), Qt::FindDirectChildrenOnly)
            ->findChild<QLabel*>("statusIcon1")
            ->setPixmap(QPixmap::fromImage(marker));
    };

    // The first report applies even when it is 0.
    mark();
    emit mh->SigUIRefreshSyncLock(0);
    QVERIFY(statusIcon(w.get(), 1).isNull());
    mark();
    emit mh->SigUIRefreshSyncLock(0);
    QCOMPARE(statusIcon(w.get(), 1), marker);

    emit mh->SigUIRefreshSyncLock(1);
    QCOMPARE(statusIcon(w.get(), 1), lock);
    mark();
    emit mh->SigUIRefreshSyncLock(1);
    QCOMPARE(statusIcon(w.get(), 1), marker);
    // 2 differs from the stored 1.
    emit mh->SigUIRefreshSyncLock(2);
    QCOMPARE(statusIcon(w.get(), 1), lock);
    emit mh->SigUIRefreshSyncLock(0);
    QVERIFY(statusIcon(w.get(), 1).isNull());
}

void TestMainWindow::previewWindow()
{
    auto w = makeWindow();
    w->show();
    auto* comm = w->findChild<DestinationDlg*>();
    // "Eth Output" of the system page, in its group that stays hidden; the
    // page is built when first opened.
    button(w.get(), "pushButton_8")->click();
    auto* eth = w->findChild<MiscDlg*>()->findChild<QPushButton*>("pushButton_19");
    QVERIFY(!eth->isEnabled());
    emit comm->sigConnectEthBoard(QStringLiteral("192.168.1.20"));
    QVERIFY(eth->isEnabled());

    QWidget* preview = currentPreview();
    QVERIFY(preview);
    QVERIFY(preview->inherits("KSV_ShowVideoDlg"));
    QVERIFY(!preview->parent());
    QVERIFY(!preview->isVisible());
    QCOMPARE(preview->geometry(), QRect(683, 50, 683, 359));
    eth->click();
    QVERIFY(preview->isVisible());
    eth->click();
    QVERIFY(!preview->isVisible());
}

void TestMainWindow::readBackEndLeavesIdleProgressAlone()
{
    auto w = makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // The pages build their progress dialogs when they first run them.
    QVERIFY(w->findChildren<QProgressDialog*>().isEmpty());

    // The end of a read-back that none of the pages started: every page that
    // follows it stops its progress. Not one dialog comes into being, so none
    // is shown and hidden for it.
    emit MiddleHandler::GetInstance()->SigUIRefreshRequstCmdEnd();
    QVERIFY(w->findChildren<QProgressDialog*>().isEmpty());
}

void TestMainWindow::onlyTheTitleBarDrags()
{
    auto w = makeWindow();
    w->move(20, 20);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QPoint start = w->pos();
    QWidget* body = w->findChild<QWidget*>("centralWidget");
    MouseEvents::press(body, QPoint(600, 400));
    MouseEvents::moveGlobal(body, body->mapToGlobal(QPoint(700, 450)));
    MouseEvents::release(body, QPoint(700, 450));
    QCOMPARE(w->pos(), start);

    auto* bar = w->findChild<TitleBar*>();
    MouseEvents::press(bar, QPoint(600, 10));
    MouseEvents::moveGlobal(bar, bar->mapToGlobal(QPoint(600, 10)) + QPoint(100, 50));
    MouseEvents::release(bar, QPoint(600, 10));
    QTRY_COMPARE(w->pos(), start + QPoint(100, 50));
}

void TestMainWindow::startupProject_data()
{
    QTest::addColumn<QString>("config");  // "" none, else the file it names
    QTest::addColumn<bool>("fallback");   // PRO.xml exists
    QTest::addColumn<int>("brightLevel");
    // The named project has brightness 5, PRO.xml 9; nothing loaded leaves 99.
    QTest::newRow("named file") << "named.KPrj" << false << 5;
    QTest::newRow("named file before PRO.xml") << "named.KPrj" << true << 5;
    QTest::newRow("named file missing, PRO.xml") << "missing.KPrj" << true << 9;
    QTest::newRow("no settings file, PRO.xml") << "" << true << 9;
    QTest::newRow("named file missing, no PRO.xml") << "missing.KPrj" << false << 99;
    QTest::newRow("neither") << "" << false << 99;
}

void TestMainWindow::startupProject()
{
    QFETCH(QString, config);
    QFETCH(bool, fallback);
    QFETCH(int, brightLevel);
    writeFile(path("named.KPrj"), project(5, BACKUP_MODE));
    if (!config.isEmpty())
        writeFile(path("Config_ksv4.xml"),
                  "<PROJECTPATH>" + path(config).toUtf8() + "</PROJECTPATH>");
    if (fallback)
        writeFile(path("PRO.xml"), project(9, SWITCHER_MODE));
    record()->M_AllCfg.brightLevel = 99;

    auto w = makeWindow();
    QCOMPARE(record()->M_AllCfg.brightLevel, brightLevel);
    const int mode = brightLevel == 5 ? BACKUP_MODE : brightLevel == 9 ? SWITCHER_MODE : MOSAIC_MODE;
    QCOMPARE(record()->M_AllCfg.workMode, mode);
}

void TestMainWindow::exit_data()
{
    QTest::addColumn<bool>("config");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Ok saves to the named project") << true << "ok" << true << true;
    QTest::newRow("Ok without settings file saves nothing") << false << "ok" << true << false;
    QTest::newRow("Cancel keeps the window") << true << "cancel" << false << false;
    QTest::newRow("closing the box is Cancel") << true << "close" << false << false;
}

void TestMainWindow::exit()
{
    QFETCH(bool, config);
    QFETCH(QString, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    const QString target = path("exit.KPrj");
    QFile::remove(target);
    if (config)
        writeFile(path("Config_ksv4.xml"), "<PROJECTPATH>" + target.toUtf8() + "</PROJECTPATH>");

    auto w = makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->On_sigVideoShow();
    QWidget* preview = currentPreview();
    QVERIFY(preview && preview->isVisible());
    record()->M_AllCfg.brightLevel = 12;
    record()->M_AllCfg.gammaValue = 23;

    const BoxAnswer box(answer == "ok"       ? QDialogButtonBox::Ok
                          : answer == "cancel" ? QDialogButtonBox::Cancel
                                               : QDialogButtonBox::NoButton);
    QCOMPARE(w->close(), closes);
    QVERIFY(box.answered());
    QCOMPARE(w->isVisible(), !closes);
    QCOMPARE(preview->isVisible(), !closes);
    QCOMPARE(QFile::exists(target), saved);

    if (saved) {
        // The next start reads back what the exit wrote.
        resetRecord();
        auto again = makeWindow();
        QCOMPARE(record()->M_AllCfg.brightLevel, 12);
        QCOMPARE(int(record()->M_AllCfg.gammaValue), 23);
    }
}

void TestMainWindow::exitWhenTheSaveFails_data()
{
    QTest::addColumn<int>("answer");  // a QDialogButtonBox::StandardButton
    QTest::addColumn<bool>("closes");
    QTest::newRow("Ok leaves anyway") << int(QDialogButtonBox::Ok) << true;
    QTest::newRow("Cancel stays") << int(QDialogButtonBox::Cancel) << false;
    QTest::newRow("closing the box stays") << int(QDialogButtonBox::NoButton) << false;
}

// The project named by the settings file cannot be written (its folder is
// gone): the operator is told and chooses between leaving without the
// session's work and staying, to leave again once the folder is back.
void TestMainWindow::exitWhenTheSaveFails()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);
    const QString folder = path("gone");
    QDir(folder).removeRecursively();
    const QString target = folder + QStringLiteral("/exit.KPrj");
    writeFile(path("Config_ksv4.xml"), "<PROJECTPATH>" + target.toUtf8() + "</PROJECTPATH>");

    auto w = makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    record()->M_AllCfg.brightLevel = 14;

    std::unique_ptr<BoxAnswer> failure;
    const BoxAnswer exitBox([&](QWidget* box) {
        failure = std::make_unique<BoxAnswer>(QDialogButtonBox::StandardButton(answer));
        QVERIFY(clickBoxButton(box, QDialogButtonBox::Ok));
    });
    QCOMPARE(w->close(), closes);
    QVERIFY(exitBox.answered());
    QVERIFY(failure && failure->answered());
    QCOMPARE(failure->question(), QStringLiteral("Tips: Save Project Failed!\nExit System?"));
    QCOMPARE(w->isVisible(), !closes);
    QVERIFY(!QFile::exists(target));
    if (closes)
        return;

    QVERIFY(QDir().mkpath(folder));
    const BoxAnswer again(QDialogButtonBox::Ok);
    QVERIFY(w->close());
    QCOMPARE(again.question(), QStringLiteral("Tips: Exit System?"));
    resetRecord();
    auto next = makeWindow();
    QCOMPARE(record()->M_AllCfg.brightLevel, 14);
}

LEDZ_GUI_TEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
