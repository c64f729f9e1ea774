// The system page's project commands and the settings file, through the
// page's buttons and file dialogs: which file is the current project, what
// the save at exit writes, and what a damaged project leaves alone. No
// device is selected: the commands work on the record the pages show.
#include "AppPaths.h"
#include "CustomMsgBox.h"
#include "GuiTest.h"
#include "MiddleHandler.h"
#include "MiscDlg.h"
#include "ProjectFile.h"
#include "SystemDevice.h"
#include "XmlStreamHelper.h"

#include "FileBytes.h"
#include <QDialogButtonBox>

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What the main window reads at start-up and exit.
QString CurrentProject()
{
    XmlStreamHelper xml;
    xml.openRead(MiscDlg::SettingsPath());
    QString path;
    xml.findElementText("PROJECTPATH", path);
    return path;
}

MData& Record()
{
    return *MiddleHandler::GetInstance()->GetCurrentMData();
}

int BrightLevelIn(const QString& project)
{
    MData m;
    XmlStreamHelper xml;
    if (ProjectFile::Read(xml, project, m) != ProjectFile::ReadResult::Loaded)
        return -1;
    return m.M_AllCfg.brightLevel;
}

}  // namespace

class TestProjectCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openThenSaveAsThenExit();
    void pathWithAmpersand();
    void settingsAfterSaveBeginWithLineFeed();
    void cancelledOpenChangesNothing();
    void damagedProjectIsNeverOverwritten_data();
    void damagedProjectIsNeverOverwritten();
    void missingProjectIsCreatedAtExit();
    void failedSaveAsIsReported();

private:
    QString path(const QString& name) const { return dir.filePath(name); }
    void open(const QString& file);
    void saveAs(const QString& file);
    void writeProject(const QString& file, int brightLevel);

    QTemporaryDir dir;
    std::unique_ptr<MiscDlg> page;
};

void TestProjectCommands::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("app"));
    qputenv("LEDZ_APP_DIR", path("app").toUtf8());
    InitAppResources();
}

void TestProjectCommands::init()
{
    QFile::remove(MiscDlg::SettingsPath());
    Record() = MData();
    page = std::make_unique<MiscDlg>(nullptr);
}

void TestProjectCommands::cleanup()
{
    page.reset();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CustomMsgBox*>(w))
            delete w;
}

void TestProjectCommands::open(const QString& file)
{
    ChooseInNextFileDialog(file);
    page->findChild<QPushButton*>("pushButton_14")->click();
}

void TestProjectCommands::saveAs(const QString& file)
{
    ChooseInNextFileDialog(file);
    page->findChild<QPushButton*>("pushButton_15")->click();
}

void TestProjectCommands::writeProject(const QString& file, int brightLevel)
{
    MData m;
    m.M_AllCfg.brightLevel = brightLevel;
    XmlStreamHelper xml;
    QVERIFY(ProjectFile::Write(xml, file, m));
}

void TestProjectCommands::openThenSaveAsThenExit()
{
    const QString a = path("a.KPrj"), b = path("b.KPrj");
    writeProject(a, 1);
    QSignalSpy refresh(page.get(), &MiscDlg::sigUIRefreshAll);
    open(a);
    QCOMPARE(refresh.count(), 1);
    QVERIFY(!NoticeShown("Open Project Failed!"));
    QCOMPARE(Record().M_AllCfg.brightLevel, 1);
    QCOMPARE(CurrentProject(), a);

    Record().M_AllCfg.brightLevel = 2;
    saveAs(b);
    QCOMPARE(BrightLevelIn(b), 2);
    QCOMPARE(CurrentProject(), a);  // save as does not change the current project

    Record().M_AllCfg.brightLevel = 3;
    page->SaveProject(CurrentProject());  // the exit
    QCOMPARE(BrightLevelIn(a), 3);
    QCOMPARE(BrightLevelIn(b), 2);
}

void TestProjectCommands::pathWithAmpersand()
{
    const QString a = path("R&D <hall>.KPrj");
    writeProject(a, 4);
    open(a);
    QVERIFY(ReadFileBytes(MiscDlg::SettingsPath()).contains("R&amp;D &lt;hall&gt;.KPrj"));
    QCOMPARE(CurrentProject(), a);
    // Nothing but the one element.
    QVERIFY(ReadFileBytes(MiscDlg::SettingsPath()).startsWith("<PROJECTPATH>"));
    QVERIFY(ReadFileBytes(MiscDlg::SettingsPath()).endsWith("</PROJECTPATH>"));
}

void TestProjectCommands::settingsAfterSaveBeginWithLineFeed()
{
    // After a project saved through the page's helper, its writer formats:
    // the settings file then starts with a line feed and still reads.
    const QString a = path("lf.KPrj");
    writeProject(a, 5);
    saveAs(path("other.KPrj"));
    open(a);
    QVERIFY(ReadFileBytes(MiscDlg::SettingsPath()).startsWith("\n<PROJECTPATH>"));
    QCOMPARE(CurrentProject(), a);
}

void TestProjectCommands::cancelledOpenChangesNothing()
{
    QVERIFY(WriteFileBytes(MiscDlg::SettingsPath(), "<PROJECTPATH>/x.KPrj</PROJECTPATH>"));
    Record().M_AllCfg.brightLevel = 6;
    QSignalSpy refresh(page.get(), &MiscDlg::sigUIRefreshAll);
    open(QString());
    QCOMPARE(refresh.count(), 0);
    QCOMPARE(Record().M_AllCfg.brightLevel, 6);
    QCOMPARE(ReadFileBytes(MiscDlg::SettingsPath()),
             QByteArray("<PROJECTPATH>/x.KPrj</PROJECTPATH>"));
}

void TestProjectCommands::damagedProjectIsNeverOverwritten_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("truncated") << QByteArray(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROJECTDATA>\n    <ALLCONFG>\n"
        "        <BRIGHTLEVEL>9</BRIGHTLEVEL>\n        <SYSTEMWORK>4</SYS");
    QTest::newRow("foreign") << QByteArray("<notes><BRIGHTLEVEL>9</BRIGHTLEVEL></notes>\n");
    QTest::newRow("empty") << QByteArray();
    // Well-formed, with a value that would load, but no project is that large.
    QByteArray large =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROJECTDATA>\n    <ALLCONFG>\n"
        "        <BRIGHTLEVEL>9</BRIGHTLEVEL>\n    </ALLCONFG>\n<!--";
    large += QByteArray(ProjectFile::kMaxFileBytes, 'x') + "-->\n</PROJECTDATA>\n";
    QTest::newRow("over 4 MB") << large;
}

void TestProjectCommands::damagedProjectIsNeverOverwritten()
{
    QFETCH(QByteArray, content);
    // The settings file names a damaged project: the start-up load changes
    // nothing and the exit leaves the file as it is.
    const QString bad = path("bad.KPrj");
    QVERIFY(WriteFileBytes(bad, content));
    Record().M_AllCfg.brightLevel = 7;
    page->LoadProject(bad);
    QCOMPARE(Record().M_AllCfg.brightLevel, 7);
    QCOMPARE(Record().M_AllCfg.workMode, 0);
    page->SaveProject(bad);
    QCOMPARE(ReadFileBytes(bad), content);

    // Opened by the operator: the record and the settings file stay.
    QVERIFY(WriteFileBytes(MiscDlg::SettingsPath(), "<PROJECTPATH>/x.KPrj</PROJECTPATH>"));
    QSignalSpy refresh(page.get(), &MiscDlg::sigUIRefreshAll);
    open(bad);
    QCOMPARE(refresh.count(), 1);  // the pages are redrawn all the same
    QVERIFY(NoticeShown("Open Project Failed!"));
    QCOMPARE(Record().M_AllCfg.brightLevel, 7);
    QCOMPARE(CurrentProject(), QStringLiteral("/x.KPrj"));
    QCOMPARE(ReadFileBytes(bad), content);
}

void TestProjectCommands::missingProjectIsCreatedAtExit()
{
    const QString gone = path("gone.KPrj");
    Record().M_AllCfg.brightLevel = 8;
    page->LoadProject(gone);  // not there: nothing loaded
    page->SaveProject(gone);  // the exit creates it again
    QCOMPARE(BrightLevelIn(gone), 8);
    page->SaveProject(QString());  // no settings file: nothing to write
}

void TestProjectCommands::failedSaveAsIsReported()
{
    Record().M_AllCfg.brightLevel = 9;
    saveAs(path("no-such-folder/p.KPrj"));
    QTRY_VERIFY(NoticeShown("Save Project Failed!"));
    QVERIFY(!QFile::exists(path("no-such-folder/p.KPrj")));
}

LEDZ_GUI_TEST_MAIN(TestProjectCommands)
#include "test_projectcommands.moc"
