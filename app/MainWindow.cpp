#include "MainWindow.h"

#include "ui_MainWindow.h"

#include "AppPaths.h"
#include "CustomMsgBox.h"
#include "DestinationDlg.h"
#include "InputSrcSetDlg.h"
#include "KSV_OpSetDlg.h"
#include "KSV_PicSetDlg.h"
#include "KSV_ShowVideoDlg.h"
#include "MiddleHandler.h"
#include "MiscDlg.h"
#include "PresetDlg.h"
#include "TitleBar.h"
#include "XmlStreamHelper.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QPainter>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

namespace {
// The translator now installed, or the one whose pack failed to load.
QTranslator* g_translator = nullptr;

const char* const kLanguagePacks[] = {
    "/Language/KSV_Z9050_English.qm",
    "/Language/KSV_Z9050_Chinese.qm",
    "/Language/KSV_Z9050_ChineseTrad.qm",
};

// Title-bar captions of the pages, in page-button order.
const char* const kPageCaptions[] = {
    QT_TRANSLATE_NOOP("MainWindow", "PICTURE"),   QT_TRANSLATE_NOOP("MainWindow", "OUTPUT"),
    QT_TRANSLATE_NOOP("MainWindow", "INPUT"),     QT_TRANSLATE_NOOP("MainWindow", "LAYERS"),
    QT_TRANSLATE_NOOP("MainWindow", "SAVE/LOAD"), QT_TRANSLATE_NOOP("MainWindow", "COMM."),
    QT_TRANSLATE_NOOP("MainWindow", "MISC."),
};
enum PageButton { kPicture, kOutput, kInput, kLayers, kPresets, kComm, kMisc, kPageButtons };

const QString kNetworkError = QStringLiteral(":/res/Image/network-error.png");
constexpr int kStatusPeriodMs = 800;
constexpr int kSyncLockIcon = 1;
constexpr int kNetworkIcon = 2;
}  // namespace

QString projectPathFromConfig()
{
    XmlStreamHelper xml;
    xml.openRead(AppDirPath() + QStringLiteral("/Config_ksv4.xml"));
    QString path;
    xml.findElementText(QStringLiteral("PROJECTPATH"), path);
    return path;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    initWindow();
    loadStartupProject();
    On_sigLanguageChange(LANGUAGE_ENGLISH);  // every start is in English

    statusTimer_ = new QTimer(this);
    connect(statusTimer_, SIGNAL(timeout()), this, SLOT(On_StatusOnLine()));
    statusTimer_->start(kStatusPeriodMs);

    connect(MiddleHandler::GetInstance(), SIGNAL(SigUIRefreshSyncLock(int)), this,
            SLOT(On_SigUIRefreshSyncLock(int)));

    // Widget tests build the window without touching the network.
    if (qEnvironmentVariableIsEmpty("LEDZ_NO_SEARCH"))
        destinationDlg_->StartSearch();
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::initWindow()
{
    setWindowTitle(QStringLiteral("LED-Z7050"));
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setGeometry(0, 0, 1366, 768);

    pageButtons_ = {ui->PicSet_Btn,   ui->Output_Btn,   ui->pushButton_3, ui->pushButton_4,
                    ui->pushButton_5, ui->pushButton_6, ui->pushButton_8};
    QFont font(QStringLiteral("Microsoft YaHei"), 14, 80);
    font.setItalic(false);
    for (QPushButton* button : pageButtons_) {
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setFont(font);
    }

    createTitleBar();
    createPages();
    loadStyleSheet();
    MiddleHandler::GetInstance();
}

void MainWindow::createTitleBar()
{
    titleBar_ = new TitleBar(this);
    titleBar_->setIcon(QStringLiteral(":/KESTRAVOL.ico"));
    titleBar_->setLabelText(0, QStringLiteral("LED-Z7050"));
    titleBar_->setStatusIcon(kNetworkIcon, kNetworkError);
}

void MainWindow::createPages()
{
    picSetDlg_ = new KSV_PicSetDlg(this);
    opSetDlg_ = new KSV_OpSetDlg(this);
    inputSrcSetDlg_ = new InputSrcSetDlg(this);
    presetDlg_ = new PresetDlg(this);
    destinationDlg_ = new DestinationDlg(this);
    miscDlg_ = new MiscDlg(this);
    showVideoDlg_ = new KSV_ShowVideoDlg(nullptr);

    // The right half of the window, below the title bar, half its height.
    const QRect frame = frameGeometry();
    showVideoDlg_->setGeometry(frame.width() / 2, 50, frame.width() / 2,
                               (frame.height() - 50) / 2);

    for (QWidget* page : std::initializer_list<QWidget*>{picSetDlg_, opSetDlg_, inputSrcSetDlg_,
                                                         presetDlg_, destinationDlg_, miscDlg_})
        ui->stackedWidget->addWidget(page);
    ui->stackedWidget->setCurrentWidget(opSetDlg_);
    ui->Output_Btn->setChecked(true);
    on_Output_Btn_clicked();

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->setSpacing(10);
    for (QPushButton* button : pageButtons_)
        buttonColumn->addWidget(button);
    auto* row = new QHBoxLayout;
    row->addLayout(buttonColumn);
    row->addWidget(ui->stackedWidget);
    auto* outer = new QVBoxLayout;
    outer->addLayout(row);
    outer->setContentsMargins(0, titleBar_->geometry().bottom(), 0, 0);
    ui->centralWidget->setLayout(outer);
    setCentralWidget(ui->centralWidget);

    connect(miscDlg_, SIGNAL(sigUIRefreshAll()), this, SLOT(UiRefreshAll()));
    connect(miscDlg_, SIGNAL(sigSysWorkModeChange(SystemWorkingMode)), presetDlg_,
            SLOT(On_sigSysWorkModeChange(SystemWorkingMode)));
    connect(miscDlg_, SIGNAL(sigLanguageChange(LANGUAGE_TYPE)), this,
            SLOT(On_sigLanguageChange(LANGUAGE_TYPE)));
    connect(miscDlg_, SIGNAL(sigVideoShow()), this, SLOT(On_sigVideoShow()));
    connect(inputSrcSetDlg_, SIGNAL(SigRenameInputSrc(int, QString)), opSetDlg_,
            SLOT(On_SigRenameInputSrc(int, QString)));
    connect(opSetDlg_, SIGNAL(SigRenameToInputSrc(int, QString)), inputSrcSetDlg_,
            SLOT(On_SigRenameToInputSrc(int, QString)));
    connect(inputSrcSetDlg_, SIGNAL(SigInputTileEnable(int, bool)), opSetDlg_,
            SLOT(On_SigInputTileEnable(int, bool)));
    connect(inputSrcSetDlg_, SIGNAL(SigChangeInputSubSrc(int, int)), opSetDlg_,
            SLOT(On_SigChangeInputSubSrc(int, int)));
    connect(MiddleHandler::GetInstance(), SIGNAL(SigUIRefreshOutputReso()), this,
            SLOT(On_SigUIRefreshOutputReso()));
    connect(destinationDlg_, SIGNAL(sigMachineOnOffLine(bool)), this,
            SLOT(On_sigMachineOnOffLine(bool)));
    connect(destinationDlg_, SIGNAL(sigInquireMachineData()), this,
            SLOT(On_sigInquireMachineData()));
    connect(destinationDlg_, SIGNAL(sigConnectEthBoard(QString)), this,
            SLOT(On_sigConnectEthBoard(QString)));
}

void MainWindow::loadStyleSheet()
{
    QFile file(QStringLiteral(":/res/qss/style_Main.qss"));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Can't open the style sheet file.");
        return;
    }
    QByteArray text = file.readAll();
    const int nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    qApp->setStyleSheet(QString::fromUtf8(text));
}

void MainWindow::loadStartupProject()
{
    // The record filled here is the fallback one: no device is selected yet.
    QString path = projectPathFromConfig();
    if (!QFile::exists(path)) {
        path = AppDirPath() + QStringLiteral("/PRO.xml");
        if (!QFile::exists(path))
            return;
    }
    miscDlg_->LoadProject(path);
    UiRefreshAll();
}

void MainWindow::On_SigUIRefreshAllCfg()
{
    const MData* data = MiddleHandler::GetInstance()->GetCurrentMData();
    const int switcherType = data->M_SwitcherType;
    QString text;
    switch (data->M_AllCfg.workMode) {
    case MOSAIC_MODE:
        text = tr("Mosaic Mode");
        break;
    case BACKUP_MODE:
        text = tr("Backup Mode");
        break;
    case SWITCHER_MODE:
        if (switcherType == 0)
            text = tr("HDMI Switcher");
        else if (switcherType == 1)
            text = tr("DP Switcher Mode");
        else if (switcherType == 4)
            text = tr("Switcher Mode");
        break;
    default:
        break;
    }
    switch (data->M_OutputData.M_OutputResoCfg.outputMode) {
    case DVI_MODE:
        text += QStringLiteral(": DVI");
        break;
    case HDMI_MODE:
        if (switcherType == 0)
            text += tr(": HDMI");
        else if (switcherType == 1)
            text += tr(": DP");
        break;
    default:
        break;
    }
    titleBar_->setLabelText(3, text);
}

void MainWindow::On_SigUIRefreshOutputReso()
{
    On_SigUIRefreshAllCfg();
}

void MainWindow::On_StatusOnLine()
{
    if (onLine_) {
        titleBar_->setStatusIcon(kNetworkIcon, netPhase_
                                                   ? QStringLiteral(":/res/Image/netstatus-rx.png")
                                                   : QStringLiteral(":/res/Image/netstatus-tx.png"));
        netPhase_ = !netPhase_;
        lastOnLine_ = true;
    } else if (lastOnLine_) {
        titleBar_->setStatusIcon(kNetworkIcon, kNetworkError);
        lastOnLine_ = false;
    }
}

void MainWindow::On_SigUIRefreshSyncLock(int Status)
{
    if (!firstSyncLock_ && Status == static_cast<int>(lastSyncLock_))
        return;
    firstSyncLock_ = false;
    titleBar_->setStatusIcon(kSyncLockIcon,
                             Status != 0 ? QStringLiteral(":/res/Image/tongbu.png") : QString());
    lastSyncLock_ = Status != 0;
}

void MainWindow::On_sigLanguageChange(LANGUAGE_TYPE LanguageType)
{
    if (g_translator) {
        qApp->removeTranslator(g_translator);
        delete g_translator;
    }
    g_translator = new QTranslator;
    QString path;
    if (LanguageType >= LANGUAGE_ENGLISH && LanguageType <= LANGUAGE_CHINESETRAD)
        path = AppDirPath() + QString::fromLatin1(kLanguagePacks[LanguageType]);
    // Without a pack no translator is installed: the source texts show.
    if (g_translator->load(path, QString(), QString(), QString()))
        qApp->installTranslator(g_translator);

    ui->pushButton_6->setText(tr("通讯设置"));
    ui->pushButton_8->setText(tr("Misc"));
    ui->pushButton_3->setText(tr("输入设置"));
    ui->pushButton_4->setText(tr("模式"));
    ui->Output_Btn->setText(tr("输出设置"));
    ui->pushButton_5->setText(tr("预设"));
    ui->PicSet_Btn->setText(tr("图像设置"));

    for (int i = 0; i < kPageButtons; ++i)
        if (pageButtons_[i]->isChecked())
            titleBar_->setLabelText(1, tr(kPageCaptions[i]));
    On_SigUIRefreshAllCfg();
}

void MainWindow::showPage(QWidget* page, int caption)
{
    ui->stackedWidget->setCurrentWidget(page);
    titleBar_->setLabelText(1, tr(kPageCaptions[caption]));
}

void MainWindow::on_PicSet_Btn_clicked()
{
    showPage(picSetDlg_, kPicture);
}

void MainWindow::on_Output_Btn_clicked()
{
    opSetDlg_->setMode(0);
    showPage(opSetDlg_, kOutput);
}

void MainWindow::on_pushButton_3_clicked()
{
    showPage(inputSrcSetDlg_, kInput);
}

void MainWindow::on_pushButton_4_clicked()
{
    opSetDlg_->setMode(1);
    showPage(opSetDlg_, kLayers);
}

void MainWindow::on_pushButton_5_clicked()
{
    showPage(presetDlg_, kPresets);
}

void MainWindow::on_pushButton_6_clicked()
{
    showPage(destinationDlg_, kComm);
}

void MainWindow::on_pushButton_8_clicked()
{
    showPage(miscDlg_, kMisc);
}

void MainWindow::UiRefreshAll()
{
    On_SigUIRefreshAllCfg();
    picSetDlg_->UiRefreshAll();
    opSetDlg_->UiRefreshAll();
    inputSrcSetDlg_->UiRefreshAll();
    miscDlg_->UiRefreshAll();
}

void MainWindow::On_sigMachineOnOffLine(bool bOnLine)
{
    onLine_ = bOnLine;
    if (!bOnLine)
        showVideoDlg_->StopVideo();
}

void MainWindow::On_sigInquireMachineData()
{
    opSetDlg_->ResetCells();
    inputSrcSetDlg_->ResetCells();
}

void MainWindow::On_sigConnectEthBoard(QString EthIp)
{
    showVideoDlg_->ConnectVideoShow(EthIp, true);
    miscDlg_->EnableEthOutput(EthIp);
}

void MainWindow::On_sigVideoShow()
{
    showVideoDlg_->setVisible(!showVideoDlg_->isVisible());
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    event->ignore();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    event->ignore();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    event->ignore();
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area(0, 0, width(), height());
    painter.setBrush(QColor(64, 64, 64));
    painter.drawRect(area);
    painter.setPen(QPen(QColor(16, 16, 16), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawRect(area);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    if (titleBar_)
        titleBar_->resize(width(), TitleBar::kHeight);
    event->ignore();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    CustomMsgBox box(this, tr("Tips"), tr("Exit System?"),
                     QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
    if (box.exec() != QDialogButtonBox::Ok) {
        event->ignore();
        return;
    }
    miscDlg_->SaveProject(projectPathFromConfig());
    showVideoDlg_->close();
    event->accept();
}
