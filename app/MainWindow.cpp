#include "MainWindow.h"

#include "ui_MainWindow.h"

#include "AppPaths.h"
#include "CustomMsgBox.h"
#include "DestinationDlg.h"
#include "DeviceLog.h"
#include "InputNames.h"
#include "InputSrcSetDlg.h"
#include "KeyLamps.h"
#include "KeyReport.h"
#include "KSV_OpSetDlg.h"
#include "KSV_PicSetDlg.h"
#include "KSV_ShowVideoDlg.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "MiscDlg.h"
#include "PageHelper.h"
#include "PresetDlg.h"
#include "SendCommand.h"
#include "TitleBar.h"
#include "XmlStreamHelper.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QPainter>
#include <QStackedWidget>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>

#include <dbt.h>  // after windows.h, whose types it needs
#else
#include "UsbHotplug.h"
#endif

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
constexpr int kFirstFrameWaitMs = 1000;
constexpr int kKeyboardIcon = 0;
constexpr int kSyncLockIcon = 1;
constexpr int kNetworkIcon = 2;

// The USB control keyboard; the roles of its keys are in KeyReport.h.
constexpr int kKeyboardVendorId = 0x080A;
constexpr int kKeyboardProductId = 0x96FF;

// The ids in a device path ("...VID_080A&PID_96FF..."): the four characters
// after each marker, read as hexadecimal. False when a marker is missing.
bool UsbIdsOfPath(const QString& path, int* vendorId, int* productId)
{
    const int vid = path.indexOf(QLatin1String("VID_"));
    const int pid = path.indexOf(QLatin1String("PID_"));
    if (vid < 0 || pid < 0)
        return false;
    *vendorId = HexToInt(path.mid(vid + 4, 4));
    *productId = HexToInt(path.mid(pid + 4, 4));
    return true;
}
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
    // Before the form's widgets exist: a change of window flags restyles
    // every widget of the window once more.
    setWindowFlags(Qt::FramelessWindowHint);
    ui->setupUi(this);
    initWindow();
    loadStartupProject();
    On_sigLanguageChange(LANGUAGE_ENGLISH);  // every start is in English

    statusTimer_ = new QTimer(this);
    connect(statusTimer_, SIGNAL(timeout()), this, SLOT(On_StatusOnLine()));
    statusTimer_->start(kStatusPeriodMs);

    connect(MiddleHandler::GetInstance(), SIGNAL(SigUIRefreshSyncLock(int)), this,
            SLOT(On_SigUIRefreshSyncLock(int)));
    connect(MiddleHandler::GetInstance(), SIGNAL(SigUsbNormalToPc(QByteArray)), this,
            SLOT(On_SigUsbNormalToPc(QByteArray)));

    // Widget tests build the window without touching the network. The
    // search, with its progress dialog, starts once the first frame is on
    // screen, or after a while if none comes (a window mapped where it
    // cannot be seen).
    if (qEnvironmentVariableIsEmpty("LEDZ_NO_SEARCH")) {
        searchDue_ = true;
        QTimer::singleShot(kFirstFrameWaitMs, this, &MainWindow::afterFirstFrame);
    }

    // A keyboard attached at start is opened at once; later ones on hot-plug.
    openUsbKeyboard(kKeyboardVendorId, kKeyboardProductId, false);
    registerDeviceNotify();
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::initWindow()
{
    setWindowTitle(QStringLiteral("LED-Z7050"));
    setAttribute(Qt::WA_TranslucentBackground);
    setGeometry(0, 0, 1366, 768);

    pageButtons_ = {ui->PicSet_Btn,   ui->Output_Btn,   ui->pushButton_3, ui->pushButton_4,
                    ui->pushButton_5, ui->pushButton_6, ui->pushButton_8};
    const QFont font = Look::Font(14);
    for (QPushButton* button : pageButtons_) {
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setFont(font);
    }

    // Before the pages: each widget is then polished once, by the one sheet.
    loadStyleSheet();
    createTitleBar();
    createPages();
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
    // Built in the stack that holds them: moving a built page into it
    // restyles every widget of the page once more.
    QStackedWidget* stack = ui->stackedWidget;
    for (Later& later : later_)
        later.standIn = new QWidget(stack);
    // Its layer view, which the first frame does not show, is built once
    // that frame is on screen, before the search; with a device already
    // selected (a window made again), at once, since its panels follow that
    // device's reports.
    opSetDlg_ = new KSV_OpSetDlg(stack, MiddleHandler::GetInstance()->GetCurrentIp().isEmpty());
    destinationDlg_ = new DestinationDlg(stack);

    for (QWidget* page : {later_[kLaterPicture].standIn, static_cast<QWidget*>(opSetDlg_),
                          later_[kLaterInput].standIn, later_[kLaterPresets].standIn,
                          static_cast<QWidget*>(destinationDlg_), later_[kLaterSystem].standIn})
        stack->addWidget(page);
    stack->setCurrentWidget(opSetDlg_);
    ui->Output_Btn->setChecked(true);
    on_Output_Btn_clicked();

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->setSpacing(10);
    for (QPushButton* button : pageButtons_)
        buttonColumn->addWidget(button);
    auto* row = new QHBoxLayout;
    row->addLayout(buttonColumn);
    row->addWidget(stack);
    auto* outer = new QVBoxLayout;
    outer->addLayout(row);
    outer->setContentsMargins(0, titleBar_->geometry().bottom(), 0, 0);
    ui->centralWidget->setLayout(outer);
    setCentralWidget(ui->centralWidget);

    connect(MiddleHandler::GetInstance(), SIGNAL(SigUIRefreshOutputReso()), this,
            SLOT(On_SigUIRefreshOutputReso()));
    // A video board's format that comes before the preview is built is kept
    // in the preview built for it.
    connect(MiddleHandler::GetInstance(), &MiddleHandler::SigIpBoardVideoFormat, this,
            [this](int format) {
                if (!showVideoDlg_)
                    preview()->On_SigIpBoardVideoFormat(format);
            });
    connect(destinationDlg_, SIGNAL(sigMachineOnOffLine(bool)), this,
            SLOT(On_sigMachineOnOffLine(bool)));
    connect(destinationDlg_, SIGNAL(sigInquireMachineData()), this,
            SLOT(On_sigInquireMachineData()));
    connect(destinationDlg_, SIGNAL(sigConnectEthBoard(QString)), this,
            SLOT(On_sigConnectEthBoard(QString)));
    followUnbuiltPages();
}

void MainWindow::followUnbuiltPages()
{
    // The picture page redraws the whole of itself from the record on any of
    // its reports; the input page redraws each report's part of itself.
    MiddleHandler* h = MiddleHandler::GetInstance();
    const auto picSetRedraw = [this] { picSetOwesRedraw_ = true; };
    later_[kLaterPicture].follows = {
        connect(h, &MiddleHandler::SigUIRefreshAllCfg, this, picSetRedraw),
        connect(h, &MiddleHandler::SigUIRefreshLayerData, this, picSetRedraw),
        connect(h, &MiddleHandler::SigUIRefreshPictureData, this, picSetRedraw)};
    // The preset page drives the keyboard's preset lamps: the device's first
    // validity report builds it. Until then it owes only the look of its
    // source buttons, which follows the working mode.
    later_[kLaterPresets].follows = {
        connect(h, &MiddleHandler::SigUiRefreshPresetValid, this,
                [this] { presetPage()->On_SigUiRefreshPresetValid(); }),
        connect(h, &MiddleHandler::SigUIRefreshAllCfg, this,
                [this] { presetMode_ = kRecordMode; })};
    later_[kLaterInput].follows = {
        connect(h, &MiddleHandler::SigUIRefreshInputCfg, this, [this] { inputOwesRedraw_ = true; }),
        connect(h, &MiddleHandler::SigUIRefreshInputSignal, this,
                [this](int input, int port) {
                    noteInputReport({InputReport::kSignal, input, port, QString()});
                }),
        connect(h, &MiddleHandler::SigUIRefreshInputTile, this,
                [this] {
                    noteInputReport({InputReport::kTile, 0, 0, QString()});
                }),
        connect(opSetDlg_, &KSV_OpSetDlg::SigRenameToInputSrc, this,
                [this](int input, const QString& name) {
                    noteInputReport({InputReport::kRename, input, 0, name});
                })};
}

void MainWindow::noteInputReport(const InputReport& report)
{
    // Each report redraws from the record as it then stands: of repeats, the
    // last one alone leaves its mark, in its place among the others.
    const auto same = [&report](const InputReport& r) {
        return r.kind == report.kind && r.input == report.input &&
               (r.kind == InputReport::kRename || r.port == report.port);
    };
    inputReports_.erase(std::remove_if(inputReports_.begin(), inputReports_.end(), same),
                        inputReports_.end());
    inputReports_.push_back(report);
}

void MainWindow::putInStack(Later& later)
{
    QStackedWidget* stack = ui->stackedWidget;
    stack->insertWidget(stack->indexOf(later.standIn), later.page);
    stack->removeWidget(later.standIn);
    delete later.standIn;
    later.standIn = nullptr;
    // The page itself and any part left are polished as it is laid out.
    later.unpolished.clear();
}

QWidget* MainWindow::laterPage(LaterPage which)
{
    Later& later = later_[which];
    if (!later.page)
        startLaterPage(which);
    if (!later.built) {
        later.steps.runAll();
        finishLaterPage(which);
    }
    if (later.standIn)
        putInStack(later);
    return later.page;
}

void MainWindow::startLaterPage(LaterPage which)
{
    // Built in the stack that is to hold it: moving a built page into it
    // restyles every widget of the page once more.
    QStackedWidget* stack = ui->stackedWidget;
    Later& later = later_[which];
    switch (which) {
    case kLaterPicture:
        later.page = new KSV_PicSetDlg(stack, &later.steps);
        break;
    case kLaterInput:
        later.page = new InputSrcSetDlg(stack, &later.steps);
        break;
    case kLaterPresets:
        later.page = new PresetDlg(stack);
        break;
    case kLaterSystem:
        later.page = new MiscDlg(stack, &later.steps);
        break;
    case kLaterPages:
        break;
    }
}

void MainWindow::finishLaterPage(LaterPage which)
{
    Later& later = later_[which];
    for (const QMetaObject::Connection& c : later.follows)
        disconnect(c);
    later.follows.clear();
    later.built = true;
    // The pages built with the window had the start's language switch (and
    // any since) reach them as an event; this one has it now.
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(later.page, &change);
    switch (which) {
    case kLaterPicture:
        picSetDlg_ = static_cast<KSV_PicSetDlg*>(later.page);
        if (picSetOwesRedraw_)
            picSetDlg_->UiRefreshAll();
        break;
    case kLaterInput:
        inputSrcSetDlg_ = static_cast<InputSrcSetDlg*>(later.page);
        connect(inputSrcSetDlg_, SIGNAL(SigRenameInputSrc(int, QString)), opSetDlg_,
                SLOT(On_SigRenameInputSrc(int, QString)));
        connect(opSetDlg_, SIGNAL(SigRenameToInputSrc(int, QString)), inputSrcSetDlg_,
                SLOT(On_SigRenameToInputSrc(int, QString)));
        connect(inputSrcSetDlg_, SIGNAL(SigInputTileEnable(int, bool)), opSetDlg_,
                SLOT(On_SigInputTileEnable(int, bool)));
        connect(inputSrcSetDlg_, SIGNAL(SigChangeInputSubSrc(int, int)), opSetDlg_,
                SLOT(On_SigChangeInputSubSrc(int, int)));
        for (const InputReport& r : inputReports_) {
            switch (r.kind) {
            case InputReport::kSignal:
                inputSrcSetDlg_->On_SigUIRefreshInputSignal(r.input, r.port);
                break;
            case InputReport::kTile:
                inputSrcSetDlg_->On_SigUIRefreshInputTile();
                break;
            case InputReport::kRename:
                inputSrcSetDlg_->SetInputName(r.input, r.name);
                break;
            }
        }
        inputReports_.clear();
        // Coalesced as the page's own: drawn when it is next shown.
        if (inputOwesRedraw_)
            inputSrcSetDlg_->redraws()->request();
        break;
    case kLaterPresets:
        presetDlg_ = static_cast<PresetDlg*>(later.page);
        if (miscDlg_)
            connect(miscDlg_, SIGNAL(sigSysWorkModeChange(SystemWorkingMode)), presetDlg_,
                    SLOT(On_sigSysWorkModeChange(SystemWorkingMode)));
        if (presetMode_ == kRecordMode)
            presetMode_ = Page::CurrentRecord().M_AllCfg.workMode;
        if (presetMode_ != kNoMode)
            presetDlg_->On_sigSysWorkModeChange(static_cast<SystemWorkingMode>(presetMode_));
        break;
    case kLaterSystem:
        // The system page and its sub-pages follow many of the device's
        // reports (test patterns, factory reset, versions, logos, tasks) and
        // start their progress on some. None comes before a device is
        // selected, and the window hears of every selection before it is
        // made: the page is built by then, and so follows every report.
        miscDlg_ = static_cast<MiscDlg*>(later.page);
        connect(miscDlg_, SIGNAL(sigUIRefreshAll()), this, SLOT(UiRefreshAll()));
        connect(miscDlg_, SIGNAL(sigLanguageChange(LANGUAGE_TYPE)), this,
                SLOT(On_sigLanguageChange(LANGUAGE_TYPE)));
        connect(miscDlg_, SIGNAL(sigVideoShow()), this, SLOT(On_sigVideoShow()));
        if (presetDlg_)
            connect(miscDlg_, SIGNAL(sigSysWorkModeChange(SystemWorkingMode)), presetDlg_,
                    SLOT(On_sigSysWorkModeChange(SystemWorkingMode)));
        else
            connect(miscDlg_, &MiscDlg::sigSysWorkModeChange, this, [this](SystemWorkingMode mode) {
                if (!presetDlg_)
                    presetMode_ = mode;
            });
        break;
    case kLaterPages:
        break;
    }
}

void MainWindow::spreadPolish(Later& later)
{
    // Each new widget asks to be polished at the next turn of the loop, where
    // the page's request would polish the whole of it (the style sheet's
    // rules matched for every widget) in one long turn. Taken back, the
    // page's parts are polished one per turn once it is built.
    QCoreApplication::removePostedEvents(later.page, QEvent::PolishRequest);
    for (QWidget* w : later.page->findChildren<QWidget*>())
        QCoreApplication::removePostedEvents(w, QEvent::PolishRequest);
    if (!later.built)
        return;
    const QObjectList& parts = later.page->children();
    for (auto it = parts.rbegin(); it != parts.rend(); ++it)
        if ((*it)->isWidgetType())
            later.unpolished.emplace_back(static_cast<QWidget*>(*it));
}

KSV_PicSetDlg* MainWindow::picSetPage()
{
    return static_cast<KSV_PicSetDlg*>(laterPage(kLaterPicture));
}

InputSrcSetDlg* MainWindow::inputPage()
{
    return static_cast<InputSrcSetDlg*>(laterPage(kLaterInput));
}

PresetDlg* MainWindow::presetPage()
{
    return static_cast<PresetDlg*>(laterPage(kLaterPresets));
}

MiscDlg* MainWindow::miscPage()
{
    return static_cast<MiscDlg*>(laterPage(kLaterSystem));
}

void MainWindow::afterFirstFrame()
{
    // Before any device can report.
    opSetDlg_->buildLayerView();
    if (searchDue_) {
        searchDue_ = false;
        destinationDlg_->StartSearch();
    }
    if (!pagesStarted_) {
        pagesStarted_ = true;
        QTimer::singleShot(0, this, &MainWindow::buildNextPage);
    }
}

void MainWindow::buildNextPage()
{
    for (int i = 0; i < kLaterPages; ++i) {
        Later& later = later_[i];
        if (!later.standIn)
            continue;
        if (!later.built) {
            if (!later.page)
                startLaterPage(static_cast<LaterPage>(i));
            else
                later.steps.runNext();
            if (later.steps.done())
                finishLaterPage(static_cast<LaterPage>(i));
            spreadPolish(later);
        } else if (!later.unpolished.empty()) {
            const QPointer<QWidget> part = later.unpolished.back();
            later.unpolished.pop_back();
            if (part)
                part->ensurePolished();
        } else {
            putInStack(later);
        }
        QTimer::singleShot(0, this, &MainWindow::buildNextPage);
        return;
    }
}

KSV_ShowVideoDlg* MainWindow::preview()
{
    if (!showVideoDlg_) {
        showVideoDlg_ = new KSV_ShowVideoDlg(nullptr);
        // The right half of the window, below the title bar, half its height.
        const QRect frame = frameGeometry();
        showVideoDlg_->setGeometry(frame.width() / 2, 50, frame.width() / 2,
                                   (frame.height() - 50) / 2);
    }
    return showVideoDlg_;
}

void MainWindow::loadStyleSheet()
{
    Look::ApplyStyleSheet();
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
    // The layer view follows what the project's load reports.
    opSetDlg_->buildLayerView();
    miscPage()->LoadProject(path);
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
    showPage(picSetPage(), kPicture);
}

void MainWindow::on_Output_Btn_clicked()
{
    opSetDlg_->setMode(0);
    showPage(opSetDlg_, kOutput);
}

void MainWindow::on_pushButton_3_clicked()
{
    showPage(inputPage(), kInput);
}

void MainWindow::on_pushButton_4_clicked()
{
    opSetDlg_->setMode(1);
    showPage(opSetDlg_, kLayers);
}

void MainWindow::on_pushButton_5_clicked()
{
    showPage(presetPage(), kPresets);
}

void MainWindow::on_pushButton_6_clicked()
{
    showPage(destinationDlg_, kComm);
}

void MainWindow::on_pushButton_8_clicked()
{
    showPage(miscPage(), kMisc);
}

void MainWindow::UiRefreshAll()
{
    On_SigUIRefreshAllCfg();
    if (picSetDlg_)
        picSetDlg_->UiRefreshAll();
    else
        picSetOwesRedraw_ = true;
    opSetDlg_->UiRefreshAll();
    // Redraws only its open crop panel: an input page still to be built has none.
    if (inputSrcSetDlg_)
        inputSrcSetDlg_->UiRefreshAll();
    // Until it is built, the system page owes nothing: see miscPage().
    if (miscDlg_)
        miscDlg_->UiRefreshAll();
}

void MainWindow::On_sigMachineOnOffLine(bool bOnLine)
{
    onLine_ = bOnLine;
    if (!bOnLine && showVideoDlg_)
        showVideoDlg_->StopVideo();
}

void MainWindow::On_sigInquireMachineData()
{
    miscPage();
    opSetDlg_->ResetCells();
    if (inputSrcSetDlg_)
        inputSrcSetDlg_->ResetCells();
    ResetKeyLamps();
}

void MainWindow::On_sigConnectEthBoard(QString EthIp)
{
    preview()->ConnectVideoShow(EthIp, true);
    miscPage()->EnableEthOutput(EthIp);
}

void MainWindow::On_sigVideoShow()
{
    preview()->setVisible(!preview()->isVisible());
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
    if (!firstFrameSeen_) {
        firstFrameSeen_ = true;
        // The frame is flushed to the screen before the next turn of the loop.
        QTimer::singleShot(0, this, &MainWindow::afterFirstFrame);
    }
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
    if (!miscPage()->SaveProject(projectPathFromConfig())) {
        // The session's work did not reach the project (read-only file, full
        // disk, folder gone): leaving now loses it, so the operator decides.
        CustomMsgBox failed(
            this, tr("Tips"),
            MiscDlg::tr("Save Project Failed!") + QLatin1Char('\n') + tr("Exit System?"),
            QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Cancel);
        if (failed.exec() != QDialogButtonBox::Ok) {
            event->ignore();
            return;
        }
    }
    if (showVideoDlg_)
        showVideoDlg_->close();
    event->accept();
}

void MainWindow::registerDeviceNotify()
{
#ifdef Q_OS_WIN
    // Device interfaces of all classes: the class below does not restrict them.
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = {0x745A17A0, 0x74D3, 0x11D0,
                             {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};
    if (!RegisterDeviceNotificationW(reinterpret_cast<HANDLE>(winId()), &filter,
                                     DEVICE_NOTIFY_WINDOW_HANDLE |
                                         DEVICE_NOTIFY_ALL_INTERFACE_CLASSES))
        DeviceLog("RegisterDeviceNotification failed!!");
#else
    usbHotplug_ = std::make_unique<UsbHotplug>();
    connect(usbHotplug_.get(), SIGNAL(sigDeviceArrival(QString)), this,
            SLOT(On_sigDeviceArrival(QString)));
    connect(usbHotplug_.get(), SIGNAL(sigDeviceRemoveComplete(QString)), this,
            SLOT(On_sigDeviceRemoveComplete(QString)));
    if (!usbHotplug_->start())
        DeviceLog("RegisterDeviceNotification failed!!");
#endif
}

#ifdef Q_OS_WIN
bool MainWindow::nativeEvent(const QByteArray&, void* message, long*)
{
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_DEVICECHANGE)
        return false;
    DeviceLog("Recv Event ");
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(msg->lParam);
    const auto deviceName = [header] {
        return QString::fromWCharArray(
            reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header)->dbcc_name);
    };
    switch (msg->wParam) {
    case DBT_DEVICEARRIVAL:
        if (header && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
            On_sigDeviceArrival(deviceName());
        DeviceLog("DBT_DEVICEARRIVAL");
        break;
    case DBT_DEVICEREMOVECOMPLETE:
        if (header && header->dbch_devicetype == DBT_DEVTYP_VOLUME &&
            reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header)->dbcv_flags == 0)
            DeviceLog("USB_delete");
        else if (header && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
            On_sigDeviceRemoveComplete(deviceName());
        DeviceLog("DBT_DEVICEREMOVECOMPLETE");
        break;
    case DBT_DEVICETYPESPECIFIC:
        DeviceLog("DBT_DEVICETYPESPECIFIC ");
        break;
    default:
        break;
    }
    return false;
}
#endif

void MainWindow::On_sigDeviceArrival(QString DevicePath)
{
    int vendorId = 0;
    int productId = 0;
    if (UsbIdsOfPath(DevicePath, &vendorId, &productId) &&
        openUsbKeyboard(vendorId, productId, false)) {
        if (arrivalToggle_) {
            arrivalToggle_ = false;
        } else {
            miscPage()->InquireMachineData();
            arrivalToggle_ = true;
        }
    }
    DeviceLog("设备插入%s", DevicePath.toUtf8().constData());
}

void MainWindow::On_sigDeviceRemoveComplete(QString DevicePath)
{
    int vendorId = 0;
    int productId = 0;
    if (UsbIdsOfPath(DevicePath, &vendorId, &productId) &&
        openUsbKeyboard(vendorId, productId, true))
        arrivalToggle_ = true;
}

bool MainWindow::openUsbKeyboard(int vendorId, int productId, bool remove)
{
    if (vendorId != kKeyboardVendorId || productId != kKeyboardProductId)
        return false;
    MiddleHandler* handler = MiddleHandler::GetInstance();
    if (remove) {
        handler->CloseUsbPort();
        titleBar_->setStatusIcon(kKeyboardIcon, QString());
        return true;
    }
    if (!handler->OpenUsbPort(kKeyboardVendorId, kKeyboardProductId))
        return false;
    const uint8_t attached = 1;
    SendCommand(&attached, SEND_USBCONNECTCMD, nullptr, QString());
    ResetKeyLamps();
    titleBar_->setStatusIcon(kKeyboardIcon, QStringLiteral(":/res/Image/keyboardok.png"));
    return true;
}

void MainWindow::On_SigUsbNormalToPc(QByteArray Qdata)
{
    const KeyReportActions actions = DecodeKeyReport(Qdata, KeyLamps().keyboardLocked);
    if (actions.gate == KeyReportActions::TooShort) {
        DeviceLog("Key report of %d bytes ignored", Qdata.size());
        return;
    }
    if (!isEnabled() || actions.gate == KeyReportActions::Locked)
        return;
    DeviceLog("On_SigUsbNormalToPc");

    if (actions.combination == kCombinationTake)
        DeviceLog("HandlerKeyCombination");
    if (actions.combination != kCombinationNone)
        HandlerKeyCombination(actions.combination);
    for (const KeyPress& press : actions.keys) {
        if (press.groupFirst >= 0)
            SelectLampInGroup(press.groupFirst, press.groupLast, press.key);
        dispatchKey(press.key);
    }
    if (actions.flush)
        FlushKeyLamps();
}

void MainWindow::HandlerKeyCombination(int kind)
{
    switch (kind) {
    case kCombinationLock:
        SetLockLamp(!KeyLamps().keyboardLocked);
        break;
    case kCombinationFreeze: {
        SetFreezeLamp(!KeyLamps().freezeOn, true);
        // Logged only: the keyboard learns of the freeze by its lamp.
        const uint8_t frozen = KeyLamps().freezeOn;
        SendCommand(&frozen, SEND_USBFREEZECMD, nullptr, QString());
        break;
    }
    case kCombinationTake:
        DeviceLog("CK_USBKEYTAKE SEND_TAKECMD before");
        SendCommand(nullptr, SEND_TAKECMD, nullptr, QString());
        DeviceLog("CK_USBKEYTAKE SEND_TAKECMD after");
        break;
    default:
        break;
    }
}

void MainWindow::dispatchKey(int key)
{
    if (key >= kFirstPresetKey && key <= kLastPresetKey)
        presetPage()->ClickPresetByKey(key);
    else if (key == kQuickTakeKey)
        opSetDlg_->QuickTake();
}
