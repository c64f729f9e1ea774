#include "MiscDlg.h"

#include "AppPaths.h"
#include "CustomMsgBox.h"
#include "LogoSettingDlg.h"
#include "MiddleHandler.h"
#include "NeoSliderComb.h"
#include "PageHelper.h"
#include "ProgressHelper.h"
#include "ProjectFile.h"
#include "ScheduleTaskDlg.h"
#include "SendCommand.h"
#include "StatusInfoDlg.h"

#include <QDebug>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QFont ButtonFont()
{
    return QFont(QStringLiteral("Microsoft YaHei"), 12, 80);
}

// The page's long operations: label, time-out text (none: the device ends
// it) and tick. The test-pattern rebuild has no timer: the device reports its
// progress and ends it. The upgrade's result comes after 10 s, before the
// 100th tick of 200 ms.
const ProgressHelper::Operation kProgressOps[] = {
    {QT_TRANSLATE_NOOP("MiscDlg", "Switch Work Mode..."),
     QT_TRANSLATE_NOOP("MiscDlg", "Switch Work Mode Timeout"), 100},
    {QT_TRANSLATE_NOOP("MiscDlg", "Inquire Machine Data."),
     QT_TRANSLATE_NOOP("MiscDlg", "Inquire Machine Data Timeout."), 60},
    {QT_TRANSLATE_NOOP("MiscDlg", "Reset Factory..."),
     QT_TRANSLATE_NOOP("MiscDlg", "Factory Reset Completed, Please Restart The Machine"), 300},
    {QT_TRANSLATE_NOOP("MiscDlg", "ReBuild Test Pattern Data."), nullptr, 0},
    {QT_TRANSLATE_NOOP("MiscDlg", "Upgrade Eth Output Video"), nullptr, 200},
};

MData* Record()
{
    return MiddleHandler::GetInstance()->GetCurrentMData();
}

}  // namespace

QString MiscDlg::SettingsPath()
{
    return AppDirPath() + QStringLiteral("/Config_ksv4.xml");
}

MiscDlg::MiscDlg(QWidget* parent, Page::BuildSteps* later) : QWidget(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("MiscDlg"));
    Page::Setup(this);
    Page::BuildSteps now;
    Page::BuildSteps& steps = later ? *later : now;
    initButtons();
    // The sub-pages, the page's heaviest parts, are a step each.
    steps.add([this] {
        statusDlg_ = new StatusInfoDlg(this);
        statusDlg_->hide();
    });
    steps.add([this] {
        logoDlg_ = new LogoSettingDlg(this);
        logoDlg_->hide();
    });
    steps.add([this] {
        schTaskDlg_ = new ScheduleTaskDlg(this);
        schTaskDlg_->hide();
    });
    steps.add([this] { finishBuild(); });
    now.runAll();
}

void MiscDlg::finishBuild()
{
    initWidgets();
    initProgressDialog();
    upgrade_.Start();
    upgradeResult_.setSingleShot(true);
    upgradeResult_.setInterval(10000);
    connect(&upgradeResult_, &QTimer::timeout, this, &MiscDlg::On_ShowMsgTimer);
    QMetaObject::connectSlotsByName(this);

    MiddleHandler* h = MiddleHandler::GetInstance();
    redraw_ = new RedrawCoalescer(this, [this] { On_SigUIRefreshAllCfg(); });
    redraw_->follow(h, &MiddleHandler::SigUIRefreshAllCfg);
    connect(h, SIGNAL(SigUIRefreshTestPattern(int, int)), this,
            SLOT(On_SigUIRefreshTestPattern(int, int)));
    connect(h, SIGNAL(SigUIRefreshResetFactory(int)), this, SLOT(On_SigUIRefreshResetFactory(int)));
    connect(h, SIGNAL(SigUIRefreshRequstCmdEnd()), this, SLOT(On_SigUIRefreshRequstCmdEnd()));
    connect(h, SIGNAL(SigUIRefreshMachineVer(VerInfo_Enum)), this,
            SLOT(On_SigUIRefreshMachineVer(VerInfo_Enum)));
}

void MiscDlg::initButtons()
{
    const QFont font = ButtonFont();
    for (int n = 0; n <= 20; ++n) {
        if (n == 1)
            continue;
        auto* b = new QPushButton(this);
        b->setObjectName(n == 0 ? QStringLiteral("pushButton")
                                : QStringLiteral("pushButton_%1").arg(n));
        b->setFont(font);
        buttons_[n] = b;
    }
    for (int g = 1; g <= 6; ++g) {
        auto* box = new QGroupBox(this);
        box->setObjectName(g == 1 ? QStringLiteral("groupBox")
                                  : QStringLiteral("groupBox_%1").arg(g));
        box->setFont(font);
        box->setAlignment(Qt::AlignHCenter);
        groups_[g] = box;
    }
    // Radio groups: working mode, sync lock, language.
    for (int n : {5, 6, 7, 8, 9, 10, 11, 12, 13}) {
        button(n)->setCheckable(true);
        button(n)->setAutoExclusive(true);
    }
}

void MiscDlg::initWidgets()
{
    const QFont font = ButtonFont();
    testPattern_ = new NeoSliderComb(this);
    testPattern_->setAllFont(font);
    testPattern_->setRange(0, 111);
    testPattern_->setSpecialText(QStringLiteral("OFF"), false);
    testPattern_->setValue(0, false);
    testPattern_->setLabelText(tr("Test Pattern"));
    testPattern_->setLabelFixedSize(120, 28);
    testPattern_->setSliderFixedSize(160, 28);
    testPattern_->setObjectName(QStringLiteral("0"));
    connect(testPattern_, SIGNAL(SliderValueChange(float)), this,
            SLOT(SetSliderValueChange(float)));

    button(18)->setEnabled(false);
    groups_[6]->hide();
    groups_[6]->setEnabled(false);  // until a video board is known
    // The switcher mode exists on the device but is not offered here.
    button(6)->hide();

    auto* topRow = new QHBoxLayout;
    for (int n : {0, 2, 3, 4})
        topRow->addWidget(button(n));
    topRow->addStretch();

    auto* files = new QGridLayout(groups_[5]);
    files->addWidget(button(14), 0, 0);
    files->addWidget(button(15), 0, 1);
    files->addWidget(button(16), 1, 0);
    files->addWidget(button(17), 1, 1);
    auto* pattern = new QVBoxLayout(groups_[3]);
    pattern->addWidget(testPattern_, 0, Qt::AlignHCenter);
    pattern->addWidget(button(18), 0, Qt::AlignHCenter);
    auto* language = new QHBoxLayout(groups_[4]);
    for (int n : {11, 12, 13})
        language->addWidget(button(n));
    auto* middleRow = new QHBoxLayout;
    middleRow->addWidget(groups_[5]);
    middleRow->addWidget(groups_[3]);
    middleRow->addWidget(groups_[4]);
    middleRow->addStretch();

    auto* mode = new QVBoxLayout(groups_[1]);
    for (int n : {5, 6, 7})
        mode->addWidget(button(n));
    auto* eth = new QVBoxLayout(groups_[6]);
    eth->addWidget(button(19));
    eth->addWidget(button(20));
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(groups_[1]);
    modeRow->addWidget(groups_[6]);
    modeRow->addStretch();

    auto* sync = new QHBoxLayout(groups_[2]);
    for (int n : {8, 9, 10})
        sync->addWidget(button(n));
    auto* syncRow = new QHBoxLayout;
    syncRow->addWidget(groups_[2]);
    syncRow->addStretch();

    auto* column = new QVBoxLayout(this);
    column->addLayout(topRow);
    column->addLayout(middleRow);
    column->addLayout(modeRow);
    column->addLayout(syncRow);
    // The sub-pages take the place of the page's controls while shown.
    column->addWidget(statusDlg_);
    column->addWidget(logoDlg_);
    column->addWidget(schTaskDlg_);
    column->addStretch();
    connect(statusDlg_, SIGNAL(DlgClose()), this, SLOT(onStatusDlgClose()));
    connect(logoDlg_, SIGNAL(DlgClose()), this, SLOT(onLogoDlgClose()));
    connect(schTaskDlg_, SIGNAL(DlgClose()), this, SLOT(onSchTaskDlgClose()));
    // Checked once the buttons sit in their groups: auto-exclusion works
    // among the buttons of one parent.
    button(5)->setChecked(true);
    button(8)->setChecked(true);
    button(11)->setChecked(true);
    retranslate();
}

void MiscDlg::initProgressDialog()
{
    progress_ = new ProgressHelper(this, 0, QString());
}

void MiscDlg::retranslate()
{
    setWindowTitle(tr("Form"));
    const std::pair<int, const char*> texts[] = {
        {0, QT_TR_NOOP("Status Info")},
        {2, QT_TR_NOOP("Logo")},
        {3, QT_TR_NOOP("Schedule & Task")},
        {4, QT_TR_NOOP("Factory Reset")},
        {5, QT_TR_NOOP("Mosaic Mode")},
        {7, QT_TR_NOOP("Backup Mode")},
        {8, QT_TR_NOOP("FreeRun")},
        {9, QT_TR_NOOP("Lock To Layer1")},
        {10, QT_TR_NOOP("Genlock")},
        {14, QT_TR_NOOP("打开工程")},
        {15, QT_TR_NOOP("保存工程")},
        {16, QT_TR_NOOP("Get Destination Data")},
        {17, QT_TR_NOOP(" Send Data To Destination")},
        {18, QT_TR_NOOP("Rebuild Test Pattern ")},
        {19, QT_TR_NOOP("Eth Output")},
        {20, QT_TR_NOOP("Upgrade")},
    };
    // A button shows "&" only doubled; single, it would mark a shortcut.
    for (const auto& t : texts)
        button(t.first)->setText(tr(t.second).replace(QLatin1Char('&'), QStringLiteral("&&")));
    // Each language is offered in its own script, whatever the current one.
    button(11)->setText(QStringLiteral("English"));
    button(12)->setText(QString::fromUtf8("简体中文"));
    button(13)->setText(QString::fromUtf8("繁体中文"));
    button(6)->setText(switcherText());
    const std::pair<int, const char*> titles[] = {
        {1, QT_TR_NOOP("Working Mode")}, {2, QT_TR_NOOP("Sync Lock Setting")},
        {3, QT_TR_NOOP("Test Pattern")}, {4, QT_TR_NOOP("语言/language")},
        {5, QT_TR_NOOP("文件设置")},     {6, QT_TR_NOOP("Eth Output")},
    };
    for (const auto& t : titles)
        groups_[t.first]->setTitle(tr(t.second));
    fitButtonWidths();
}

void MiscDlg::fitButtonWidths()
{
    // Wide enough for the text of the current language in the font the
    // button ends up with (the application's font substitution applies only
    // once the page is shown), and no wider than the button image reads well.
    for (QPushButton* b : buttons_) {
        if (!b)
            continue;
        const int text = b->fontMetrics().horizontalAdvance(b->text()) + 20;
        b->setMinimumWidth(qMax(100, text));
        b->setMaximumWidth(qMax(200, text));
    }
}

void MiscDlg::showEvent(QShowEvent* event)
{
    fitButtonWidths();
    QWidget::showEvent(event);
}

QString MiscDlg::switcherText() const
{
    const MData* data = Record();
    switch (data ? data->M_SwitcherType : 0) {
    case 0:
        return tr("HDMI Switcher");
    case 1:
        return tr("DP Switcher Mode");
    case 4:
        return tr("Switcher Mode");
    default:
        return QString();
    }
}

void MiscDlg::changeEvent(QEvent* event)
{
    // A page still being built in steps takes the language as its building
    // ends.
    if (event->type() == QEvent::LanguageChange && progress_) {
        retranslate();
        testPattern_->setLabelText(tr("Test Pattern"));
        progress_->retranslate();
    }
    QWidget::changeEvent(event);
}

void MiscDlg::UiRefreshAll()
{
    On_SigUIRefreshAllCfg();
}

void MiscDlg::On_SigUIRefreshAllCfg()
{
    const MData* data = Record();
    if (!data)
        return;
    // Checking an auto-exclusive button unchecks its siblings without a
    // click, so a redraw sends nothing. Other values leave the group alone.
    switch (data->M_AllCfg.workMode) {
    case MOSAIC_MODE:
        button(5)->setChecked(true);
        break;
    case SWITCHER_MODE:
        button(6)->setChecked(true);
        break;
    case BACKUP_MODE:
        button(7)->setChecked(true);
        break;
    default:
        break;
    }
    if (data->M_AllCfg.syncLock >= 0 && data->M_AllCfg.syncLock <= 2)
        button(8 + data->M_AllCfg.syncLock)->setChecked(true);
}

void MiscDlg::On_SigUIRefreshMachineVer(VerInfo_Enum VerType)
{
    if (VerType == VER_MAINBOARD)
        button(6)->setText(switcherText());
}

void MiscDlg::EnableEthOutput(QString ethIp)
{
    groups_[6]->setEnabled(!ethIp.isEmpty());
}

// --- Sub-pages ---------------------------------------------------------------

void MiscDlg::showPageControls(bool show)
{
    groups_[6]->hide();
    for (QWidget* w :
         std::initializer_list<QWidget*>{button(0), button(2), button(3), button(4), groups_[1],
                                         groups_[2], groups_[3], groups_[4], groups_[5]})
        w->setVisible(show);
}

void MiscDlg::on_pushButton_clicked()
{
    showPageControls(false);
    statusDlg_->show();
    // The status sub-page shows the voltages that this asks for.
    const uint8_t kind = VER_ELECTRIC;
    SendCommand(&kind, SEND_INQUIREVERCMD, nullptr, QString());
}

void MiscDlg::on_pushButton_2_clicked()
{
    showPageControls(false);
    logoDlg_->show();
}

void MiscDlg::on_pushButton_3_clicked()
{
    showPageControls(false);
    schTaskDlg_->show();
}

void MiscDlg::onStatusDlgClose()
{
    showPageControls(true);
}

void MiscDlg::onLogoDlgClose()
{
    showPageControls(true);
}

void MiscDlg::onSchTaskDlgClose()
{
    showPageControls(true);
}

// --- Working mode, sync lock, language ----------------------------------------

void MiscDlg::switchWorkMode(SystemWorkingMode mode)
{
    emit sigSysWorkModeChange(mode);
    MData* data = Record();
    if (!data || data->M_AllCfg.workMode == mode)
        return;
    data->M_AllCfg.workMode = mode;
    SendCommand(&data->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
    // The device answers a new working mode with its whole configuration,
    // whose end finishes the progress.
    startProgress(kModeSwitch);
}

void MiscDlg::on_pushButton_5_clicked()
{
    switchWorkMode(MOSAIC_MODE);
}

void MiscDlg::on_pushButton_6_clicked()
{
    switchWorkMode(SWITCHER_MODE);
}

void MiscDlg::on_pushButton_7_clicked()
{
    switchWorkMode(BACKUP_MODE);
}

void MiscDlg::setSyncLock(int lock)
{
    MData* data = Record();
    if (!data)
        return;
    data->M_AllCfg.syncLock = lock;
    SendCommand(&data->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
}

void MiscDlg::on_pushButton_8_clicked()
{
    setSyncLock(0);
}

void MiscDlg::on_pushButton_9_clicked()
{
    setSyncLock(1);
}

void MiscDlg::on_pushButton_10_clicked()
{
    setSyncLock(2);
}

void MiscDlg::on_pushButton_11_clicked()
{
    emit sigLanguageChange(LANGUAGE_ENGLISH);
}

void MiscDlg::on_pushButton_12_clicked()
{
    emit sigLanguageChange(LANGUAGE_CHINESE);
}

void MiscDlg::on_pushButton_13_clicked()
{
    emit sigLanguageChange(LANGUAGE_CHINESETRAD);
}

void MiscDlg::on_pushButton_19_clicked()
{
    emit sigVideoShow();
}

// --- Video-board upgrade ---------------------------------------------------------

void MiscDlg::on_pushButton_20_clicked()
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open File"), QString(), tr("Config Files (*.gz)"));
    if (path.isEmpty())
        return;
    upgrade_.Request(path);
    upgradeResult_.start();
    startProgress(kUpgrade);
    // The progress's Cancel ends the transfer, not only the dialog.
    connect(progress_->dialog(), &QProgressDialog::canceled, this,
            &MiscDlg::On_UpgradeCanceled, Qt::UniqueConnection);
}

void MiscDlg::On_UpgradeCanceled()
{
    // The page's one dialog serves every operation: only the upgrade's own
    // Cancel ends the transfer. A transfer that has ended already keeps its
    // result for the operator.
    if (progressOp_ != kUpgrade || !upgrade_.RequestPending())
        return;
    upgrade_.Cancel();
    upgradeResult_.stop();
    progress_->stopProgressDialog();
}

void MiscDlg::On_ShowMsgTimer()
{
    finishProgress();
    auto* box = new CustomMsgBox(this, tr("Tips"), upgrade_.Message(), QDialogButtonBox::Ok,
                                 QDialogButtonBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QDialog::finished, box, &QObject::deleteLater);
}

// --- Test patterns and factory reset -------------------------------------------

void MiscDlg::SetSliderValueChange(float Value)
{
    if (!qobject_cast<NeoSliderComb*>(sender()))
        return;
    const int value = int(Value);
    const uint8_t pattern = uint8_t(qBound(0, value, 111));
    SendCommand(&pattern, SEND_TESTPATTERNCMD, nullptr, QString());
}

void MiscDlg::on_pushButton_18_clicked()
{
    SendCommand(nullptr, SEND_REBUILDTESTPATTERNCMD, nullptr, QString());
}

void MiscDlg::On_SigUIRefreshTestPattern(int Status1, int Status2)
{
    switch (Status1) {
    case 0:
        testPattern_->setSliderEnabled(false);
        button(18)->setEnabled(true);
        break;
    case 1:
        testPattern_->setSliderEnabled(true);
        button(18)->setEnabled(false);
        break;
    case 2:
        if (Status2 == 0) {
            startProgress(kRebuild);
        } else if (progressOp_ != kRebuild || Status2 > 100) {
            // Only the rebuild's own run follows its reports; a value above
            // 100 lies outside the range.
        } else if (Status2 == 100) {
            progress_->stopProgressDialog();
        } else {
            progress_->setProgressValue(Status2);
        }
        break;
    default:
        break;
    }
}

void MiscDlg::on_pushButton_4_clicked()
{
    if (confirm(tr("Factory Reset?")))
        SendCommand(nullptr, SEND_FACTORYRESETCMD, nullptr, QString());
}

void MiscDlg::On_SigUIRefreshResetFactory(int Status)
{
    if (Status == 0)
        startProgress(kFactoryReset);  // a second report starts the 30 s again
    else if (Status == 1)
        finishProgress();
}

// --- Whole configuration -------------------------------------------------------

void MiscDlg::on_pushButton_16_clicked()
{
    if (confirm(tr("Get Destination Data?")))
        InquireMachineData();
}

void MiscDlg::on_pushButton_17_clicked()
{
    if (confirm(tr("Send To Destination Data?")))
        SendMachineData();
}

void MiscDlg::InquireMachineData()
{
    SendCommand(nullptr, SEND_HOSTIPCMD, nullptr, QString());
    SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    startProgress(kWholeRead);
}

void MiscDlg::SendMachineData()
{
    MData* data = Record();
    if (!data)
        return;
    // Names, tiles, EDID timings, durations and presets stay on the PC.
    SendCommand(&data->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
    SendBatchCommand(data, SEND_ALLCROPCMD, QString());
    SendBatchCommand(data, SEND_ALLOUTPUTCMD, QString());
    SendBatchCommand(data, SEND_ALLLAYERCMD, QString());
    SendBatchCommand(data, SEND_ALLTASKCMD, QString());
}

void MiscDlg::On_SigUIRefreshRequstCmdEnd()
{
    finishProgress();
}

// --- Progress ----------------------------------------------------------------------

void MiscDlg::startProgress(Operation op)
{
    static_assert(sizeof(kProgressOps) / sizeof(kProgressOps[0]) == kOperations,
                  "one progress per operation");
    // One dialog for every operation: a new one takes over the dialog on
    // screen with its own label and count, and the one it replaces never
    // times out.
    progressOp_ = op;
    progress_->startOperation(kProgressOps[op]);
}

void MiscDlg::finishProgress()
{
    progress_->stopProgressDialog();
}

bool MiscDlg::confirm(const QString& text)
{
    CustomMsgBox box(this, tr("Tips"), text, QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                     QDialogButtonBox::Ok);
    return box.exec() == QDialogButtonBox::Ok;
}

// --- Projects and the settings file ----------------------------------------------

void MiscDlg::on_pushButton_14_clicked()
{
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr("Open File"), QString(), tr("Config Files (*.KPrj)"));
    if (!fileName.isEmpty()) {
        // The settings file names a project only once it has been read: a
        // file that failed to load must not become the target of the save
        // at exit.
        const bool loaded = ReadProjectXml(fileName);
        if (loaded) {
            xml_.openWrite(SettingsPath());
            xml_.writeTextElement(QStringLiteral("PROJECTPATH"), fileName);
            xml_.close();
        }
        emit sigUIRefreshAll();
        // Nothing of an unreadable, damaged or foreign file was applied: the
        // pages look the same, so the operator is told.
        if (!loaded) {
            auto* notice = new CustomMsgBox(this, tr("Tips"), tr("Open Project Failed!"),
                                            QDialogButtonBox::Ok, QDialogButtonBox::Ok);
            notice->setAttribute(Qt::WA_DeleteOnClose);
        }
    }
    qDebug("Open fileName:%s", qPrintable(fileName));
}

void MiscDlg::on_pushButton_15_clicked()
{
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr("save as"), QString(), tr("Config Files (*.KPrj)"));
    if (!fileName.isEmpty() && !WriteProjectXml(fileName))
        new CustomMsgBox(this, tr("Tips"), tr("Save Project Failed!"), QDialogButtonBox::Ok,
                         QDialogButtonBox::Ok);
    qDebug("save fileName:%s", qPrintable(fileName));
}

void MiscDlg::LoadProject(QString path)
{
    ReadProjectXml(path);
}

bool MiscDlg::SaveProject(QString path)
{
    if (path.isEmpty())
        return true;
    if (QFileInfo::exists(path) && !goodProjects_.contains(QFileInfo(path).absoluteFilePath())) {
        qDebug("not saved: %s was not loaded in this run", qPrintable(path));
        return true;
    }
    return WriteProjectXml(path);
}

bool MiscDlg::ReadProjectXml(const QString& path)
{
    MData* data = Record();
    if (!data)
        return false;
    const bool loaded = ProjectFile::Read(xml_, path, *data) == ProjectFile::ReadResult::Loaded;
    if (loaded)
        goodProjects_.insert(QFileInfo(path).absoluteFilePath());
    return loaded;
}

bool MiscDlg::WriteProjectXml(const QString& path)
{
    const MData* data = Record();
    if (!data)
        return false;
    const bool written = ProjectFile::Write(xml_, path, *data);
    if (written)
        goodProjects_.insert(QFileInfo(path).absoluteFilePath());
    return written;
}
