#include "KSV_OpSetDlg.h"

#include "DeviceLog.h"
#include "InputDragInfo.h"
#include "InputNames.h"
#include "InputSrcSetDlg.h"
#include "LayerSettingDlg.h"
#include "Look.h"
#include "MiddleHandler.h"
#include "OpParamSet.h"
#include "PageHelper.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCanvasSize = 10000;
constexpr int kButtonSize = 48;
constexpr double kScaleStep = 0.5;
// Zooming in past the finest step starts over at a middle scale instead of
// reaching 0, which would put every cell at the same point.
constexpr double kScaleRestart = 4.0;
constexpr double kScaleMax = 25.0;

QRect Inclusive(int x, int y, int w, int h)
{
    return QRect(QPoint(x, y), QPoint(x + w - 1, y + h - 1));
}

QRect MosaicArea(const OutputWindowRecord& w)
{
    return Inclusive(w.mosaicHs, w.mosaicVs, w.mosaicHact, w.mosaicVact);
}

QRect LayerRect(const LayerRecord& l)
{
    return l.logoOnOff ? Inclusive(l.hs, l.vs, l.logoWidth, l.logoHeight)
                       : Inclusive(l.hs, l.vs, l.hact, l.vact);
}

// What the canvas shows as a layer's source: the tile, or the input with the
// half it takes, whether its active port carries two halves and its type.
struct LayerSource {
    int gid = 0;
    int area = 0;
    bool dual = false;
    int type = 0;
};

LayerSource SourceOf(const LayerRecord& l, const MData& d)
{
    LayerSource s;
    if (l.tileEnable) {
        s.gid = 6 + l.tileId;
        return s;
    }
    s.gid = l.inputId;
    s.area = l.halfId;
    // The indices come from the device: an input or port beyond the record
    // leaves the caption without a type rather than reading past it.
    if (l.inputId < MDataLimits::kInputs) {
        const InputPortCfg& port = d.M_InputData.port[l.inputId];
        if (port.actId < MDataLimits::kPorts) {
            const InputSignalInfo& sig = d.M_InputData.signal[l.inputId];
            s.dual = sig.width[1][port.actId] != 0 && sig.height[1][port.actId] != 0;
            s.type = port.inputType[port.actId];
        }
    }
    return s;
}

// The layer record that layer cell idx shows in the record's working mode, or
// null when that mode has no such layer.
const LayerRecord* LiveLayer(const MData& d, int idx)
{
    switch (d.M_AllCfg.workMode) {
    case MOSAIC_MODE:
        return idx < MDataLimits::kMosaicLayers ? &d.M_MosaicLayerCfg.layer[idx] : nullptr;
    case SWITCHER_MODE:
        // Group 1 of the switch set is the one on the output.
        return idx < MDataLimits::kSwitchGroupLayers
                   ? &d.M_SwitchLayerCfg.layer[MDataLimits::kSwitchGroupLayers + idx]
                   : nullptr;
    case BACKUP_MODE:
        return idx < MDataLimits::kBackupLayers ? &d.M_BackupLayerCfg.layer[idx] : nullptr;
    default:
        return nullptr;
    }
}

QString Subtitle(int workMode, bool logo)
{
    if (workMode == BACKUP_MODE)
        return logo ? QStringLiteral("LOGO  MAIN Layer") : QStringLiteral("MAIN Layer");
    return logo ? QStringLiteral("LOGO") : QString();
}

}  // namespace

KSV_OpSetDlg::KSV_OpSetDlg(QWidget* parent, bool layerViewLater) : QDialog(parent)
{
    // Given a parent, the page lives in it (the main window's page stack), not
    // in a dialog window of its own. Made a child now, while it holds no
    // widget: turned into one later, every widget of the page would be
    // restyled once more.
    if (parent)
        setWindowFlags(windowFlags() & ~Qt::WindowType_Mask);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("KSV_OpSetDlg"));
    resize(400, 300);
    stack_ = new QStackedWidget(this);
    stack_->setObjectName(QStringLiteral("stackedWidget"));
    stack_->setGeometry(10, 200, 371, 81);
    setWindowTitle(tr("Dialog"));
    Page::Setup(this, [this] { setWindowTitle(tr("Dialog")); });
    setAttribute(Qt::WA_TranslucentBackground);
    setAcceptDrops(true);

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName(QStringLiteral("opSetScrollArea"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    // Built where setWidget puts it, in the viewport: moved there, the canvas
    // and its cells would be restyled once more.
    canvas_ = new PaintCellCtrl(scrollArea_->viewport());
    canvas_->setObjectName(QStringLiteral("PaintCellCtrl"));
    canvas_->setScale(scale_, scale_);
    scrollArea_->setGeometry(geometry());
    canvas_->setGeometry(0, 0, kCanvasSize, kCanvasSize);
    scrollArea_->setWidget(canvas_);
    buildButtons();

    // Built in the stack that holds them, for the same reason.
    outputPanel_ = new OpParamSet(stack_);
    stack_->addWidget(outputPanel_);
    stack_->setCurrentWidget(outputPanel_);

    row_ = new QHBoxLayout;
    row_->addWidget(scrollArea_, 10);
    auto* column = new QVBoxLayout(this);
    // The page reaches the window's right edge: the window's one-pixel dark
    // border stays visible beside the scroll bar.
    column->setContentsMargins(0, 0, 1, 0);
    column->addLayout(row_, 4);
    column->addWidget(stack_, 1);

    viewRedraw_ = new RedrawCoalescer(this, [this] { setMode(mode_); });
    if (!layerViewLater)
        buildLayerView();
    building_ = false;

    for (int i = 0; i < 4; ++i)
        canvas_->setOutputRect(Inclusive(i % 2 ? 1920 : 0, i >= 2 ? 1080 : 0, 1920, 1080), i);
}

KSV_OpSetDlg::~KSV_OpSetDlg() = default;

void KSV_OpSetDlg::buildLayerView()
{
    if (layerPanel_)
        return;
    layerPanel_ = new LayerSettingDlg(stack_);
    inputList_ = new InputSrcSetDlg(this);
    inputList_->SetLayerPanelMode();
    stack_->addWidget(layerPanel_);
    row_->addWidget(inputList_, 1);
    if (building_) {
        connectAll();
        return;
    }
    inputList_->setVisible(mode_ == 1);
    connectAll();
    // What the view announced without them (its selection) again.
    setMode(mode_);
    // Built after the window's language switch (every start switches to
    // English), which came after that announcement: it reaches them now,
    // and each passes it on to its children, as the page did then.
    if (owesLanguageChange_) {
        owesLanguageChange_ = false;
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(layerPanel_, &change);
        QCoreApplication::sendEvent(inputList_, &change);
    }
}

void KSV_OpSetDlg::buildButtons()
{
    // The buttons float over the canvas's bottom right corner: the layout is
    // the scroll area's own, above its viewport.
    auto* overlay = new QHBoxLayout(scrollArea_);
    overlay->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    overlay->setContentsMargins(0, 0, 15, 12);
    for (int i = 0; i < kCellButtons; ++i) {
        auto* b = new QPushButton(QString::number(i + 1), scrollArea_);
        b->setObjectName(QString::number(i));
        b->setProperty("opSetCellButton", true);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setFixedSize(kButtonSize, kButtonSize);
        b->setFont(Look::Font(12));
        connect(b, SIGNAL(clicked()), this, SLOT(OnClickedCellBtn()));
        overlay->addWidget(b);
        cellButtons_[i] = b;
    }
    zoomIn_ = new QPushButton(scrollArea_);
    zoomIn_->setObjectName(QStringLiteral("0"));
    zoomIn_->setProperty("opSetZoom", QStringLiteral("in"));
    zoomOut_ = new QPushButton(scrollArea_);
    zoomOut_->setObjectName(QStringLiteral("1"));
    zoomOut_->setProperty("opSetZoom", QStringLiteral("out"));
    for (QPushButton* b : {zoomIn_, zoomOut_}) {
        b->setFixedSize(kButtonSize, kButtonSize);
        connect(b, SIGNAL(clicked()), this, SLOT(OnClickedZoomBtn()));
        overlay->addWidget(b);
    }
}

// In the order the panels rely on: a click on a cell reaches the panel
// before the page's buttons follow it (rows 7 and 18, 12 and 19).
void KSV_OpSetDlg::connectAll()
{
    MiddleHandler* h = MiddleHandler::GetInstance();
    connect(h, SIGNAL(SigUIRefreshOutputWindow(int)), this, SLOT(On_SigUIRefreshOutputWindow(int)));
    connect(h, SIGNAL(SigUIRefreshOutputReso()), this, SLOT(On_SigUIRefreshOutputReso()));
    connect(inputList_, SIGNAL(ChangeInputSrcEvent(int, int, bool, QString)), canvas_,
            SLOT(OnChangeCellInput(int, int, bool, QString)));
    connect(layerPanel_, SIGNAL(sigChangeInputSrcEvent(int, int, int, bool, QString, bool)),
            canvas_, SLOT(On_ChangeInputSrcEvent(int, int, int, bool, QString, bool)));
    connect(layerPanel_, SIGNAL(sigChangeInputSrc(int, int)), inputList_,
            SLOT(OnClickCell(int, int)));
    connect(canvas_, SIGNAL(ClickCellEvent(int, int)), inputList_, SLOT(OnClickCell(int, int)));
    connect(canvas_, SIGNAL(SigClickOutputCell(int)), outputPanel_,
            SLOT(On_SigClickOutputCell(int)));
    connect(canvas_, SIGNAL(SigMouseMoveOPCell(QRect)), outputPanel_,
            SLOT(On_SigMouseMoveOPCell(QRect)));
    connect(canvas_, SIGNAL(SigMouseMoveLayerCell(QRect)), layerPanel_,
            SLOT(On_SigMouseMoveLayerCell(QRect)));
    connect(outputPanel_, SIGNAL(sigOPPosChange(void*, int)), this,
            SLOT(On_sigOPPosChange(void*, int)));
    connect(layerPanel_, SIGNAL(sigLayerPosChange(void*, int)), this,
            SLOT(On_sigLayerPosChange(void*, int)));
    connect(canvas_, SIGNAL(SigClickLayerCell(int)), layerPanel_, SLOT(On_SigClickLayerCell(int)));
    connect(canvas_, SIGNAL(SigLayerInputSrcChange(int, int, int)), layerPanel_,
            SLOT(On_SigLayerInputSrcChange(int, int, int)));
    connect(this, SIGNAL(SigSelectLayerCell(int)), canvas_, SLOT(On_SigSelectLayerCell(int)));
    connect(this, SIGNAL(SigSelectOpCell(int)), canvas_, SLOT(On_SigSelectOpCell(int)));
    connect(this, SIGNAL(SigSelectLayerCell(int)), layerPanel_, SLOT(On_SigClickLayerCell(int)));
    connect(this, SIGNAL(SigSelectOpCell(int)), outputPanel_, SLOT(On_SigClickOutputCell(int)));
    connect(canvas_, SIGNAL(SigClickOutputCell(int)), this, SLOT(On_SigClickOutputCell(int)));
    connect(canvas_, SIGNAL(SigClickLayerCell(int)), this, SLOT(On_SigClickLayerCell(int)));
    connect(canvas_, SIGNAL(SigLayerCellOnOff(int, bool)), layerPanel_,
            SLOT(On_SigLayerCellOnOff(int, bool)));
    connect(canvas_, SIGNAL(SigOutputCellOnOff(int, bool)), outputPanel_,
            SLOT(On_SigOutputCellOnOff(int, bool)));
    connect(outputPanel_, SIGNAL(sigOPOnoff(void*, int)), this, SLOT(On_sigOPOnoff(void*, int)));
    connect(layerPanel_, SIGNAL(sigLayerOnoff(void*, int)), this,
            SLOT(On_sigLayerOnoff(void*, int)));
    connect(layerPanel_, SIGNAL(sigLayerLogoOnOff(void*, int)), this,
            SLOT(On_sigLayerLogoOnOff(void*, int)));
    connect(layerPanel_, SIGNAL(sigLayerRotationSet(int, RoationType)), this,
            SLOT(On_sigLayerRotationSet(int, RoationType)));
    connect(outputPanel_, SIGNAL(SigOuputMode(OutputMode_Enum)), this,
            SLOT(On_SigOuputMode(OutputMode_Enum)));
    connect(outputPanel_, SIGNAL(SigOuputLayout()), layerPanel_, SLOT(On_SigOuputLayout()));
    connect(inputList_, SIGNAL(SigRenameInputSrc(int, QString)), this,
            SLOT(On_SigRenameToInputSrc(int, QString)));
    connect(h, SIGNAL(SigUIRefreshLayerData(int)), this, SLOT(On_SigUIRefreshLayerData(int)));
}

void KSV_OpSetDlg::setCellButtonsEnabled(bool b0, bool b1, bool b2, bool b3)
{
    const bool on[kCellButtons] = {b0, b1, b2, b3};
    for (int i = 0; i < kCellButtons; ++i)
        cellButtons_[i]->setEnabled(on[i]);
}

void KSV_OpSetDlg::setMode(int mode)
{
    if (mode != 0 && mode != 1)
        return;
    mode_ = mode;
    const MData& d = *MiddleHandler::GetInstance()->GetCurrentMData();
    const int work = d.M_AllCfg.workMode;
    const int opMode = d.M_OutputData.M_OutputResoCfg.outputMode;
    const bool dvi = opMode == DVI_MODE;
    const bool hdmi = opMode == HDMI_MODE;

    if (mode == 0) {
        stack_->setCurrentWidget(outputPanel_);
        if (inputList_)
            inputList_->hide();
        canvas_->hideLayerCells();
        canvas_->enterOutputView();
        canvas_->reannounceSelection();
        // The switcher's output is one raster: its windows are only frames.
        if (work == SWITCHER_MODE)
            canvas_->enterLayerView();
        if (work == MOSAIC_MODE || work == SWITCHER_MODE || work == BACKUP_MODE) {
            if (dvi)
                setCellButtonsEnabled(true, true, true, true);
            else if (hdmi && work == SWITCHER_MODE)
                setCellButtonsEnabled(true, false, false, false);
            else if (hdmi)
                setCellButtonsEnabled(true, true, false, false);
        }
        return;
    }

    buildLayerView();
    outputPanel_->CloseResoDlg();
    stack_->setCurrentWidget(layerPanel_);
    inputList_->show();
    canvas_->showLayerCells();
    canvas_->enterLayerView();
    canvas_->reannounceSelection();
    inputList_->SetLayerPanelMode();
    for (int i = 0; i < 4; ++i)
        canvas_->setCloseHidden(i, work == BACKUP_MODE, false);
    switch (work) {
    case MOSAIC_MODE:
        canvas_->setMaxLayers(4);
        if (dvi || hdmi)
            setCellButtonsEnabled(true, true, true, true);
        break;
    case SWITCHER_MODE: {
        const OutputResoCfg& reso = d.M_OutputData.M_OutputResoCfg;
        if (dvi) {
            canvas_->setMaxLayers(3);
            setCellButtonsEnabled(true, true, true, true);
        } else if (hdmi && reso.hact >= 3840 && reso.vact >= 2160) {
            canvas_->setMaxLayers(1);
            setCellButtonsEnabled(true, false, false, false);
        } else if (hdmi) {
            canvas_->setMaxLayers(3);
            setCellButtonsEnabled(true, true, true, false);
        }
        break;
    }
    case BACKUP_MODE:
        if (dvi || hdmi) {
            canvas_->setMaxLayers(1);
            setCellButtonsEnabled(true, true, false, false);
        }
        break;
    default:
        break;
    }
}

void KSV_OpSetDlg::ResetCells()
{
    for (int i = 0; i < 4; ++i)
        canvas_->setOutputCell(QRect(), i, false);
    for (int i = 0; i < 4; ++i)
        canvas_->setLayerCell(QRect(), i, false, 0, 0, false, 0, false);
    buildLayerView();
    inputList_->ResetCells();
}

void KSV_OpSetDlg::UiRefreshAll()
{
    buildLayerView();
    refreshingAll_ = true;
    for (int i = 0; i < MDataLimits::kOutputWindows; ++i)
        refreshOutputCell(i);
    setMode(mode_);
    for (int i = 0; i < 4; ++i)
        refreshLayerCell(i);
    setMode(mode_);
    outputPanel_->UiRefreshAll();
    refreshingAll_ = false;
}

void KSV_OpSetDlg::QuickTake()
{
    DeviceLog("QuickTake");
    buildLayerView();
    layerPanel_->QuickTake();
}

// The output panel reports the output mode as it redraws from the device's
// report (or from UiRefreshAll).
void KSV_OpSetDlg::On_SigOuputMode(OutputMode_Enum OPMode)
{
    if (refreshingAll_) {
        refreshOutputMode(OPMode);
        return;
    }
    canvas_->beginReport();
    refreshOutputMode(OPMode);
    canvas_->endReport();
}

void KSV_OpSetDlg::refreshOutputMode(OutputMode_Enum OPMode)
{
    if (OPMode == HDMI_MODE) {
        canvas_->setOutputCell(QRect(), 2, false);
        canvas_->setOutputCell(QRect(), 3, false);
        cellButtons_[2]->setEnabled(false);
        cellButtons_[3]->setEnabled(false);
    } else if (OPMode == DVI_MODE) {
        // The cells follow the window records: the panel reports the output
        // mode on every refresh, and a window that is off must stay off.
        for (int i = 0; i < 4; ++i)
            refreshOutputCell(i);
        setCellButtonsEnabled(true, true, true, true);
    }
}

void KSV_OpSetDlg::On_sigOPPosChange(void* data, int idx)
{
    if (data)
        canvas_->setOutputRect(MosaicArea(*static_cast<const OutputWindowRecord*>(data)), idx);
}

void KSV_OpSetDlg::On_sigLayerPosChange(void* data, int idx)
{
    if (data)
        canvas_->setLayerRect(LayerRect(*static_cast<const LayerRecord*>(data)), idx);
}

void KSV_OpSetDlg::OnClickedZoomBtn()
{
    bool ok = false;
    const int index = sender() ? sender()->objectName().toInt(&ok) : -1;
    DeviceLog("index:%d", index);
    if (!ok)
        return;
    if (index == 0) {
        scale_ -= kScaleStep;
        if (scale_ <= 0)
            scale_ = kScaleRestart;
    } else if (index == 1) {
        scale_ = qMin(scale_ + kScaleStep, kScaleMax);
    } else {
        return;
    }
    canvas_->setScale(scale_, scale_);
}

void KSV_OpSetDlg::OnClickedCellBtn()
{
    bool ok = false;
    const int index = sender() ? sender()->objectName().toInt(&ok) : -1;
    DeviceLog("index:%d", index);
    if (!ok)
        return;
    if (mode_ == 0)
        emit SigSelectOpCell(index);
    else
        emit SigSelectLayerCell(index);
}

// The buttons are the cells' of the view shown (setMode announces its
// selection): a report moves the other view's selection, and the buttons
// would follow it there and back at every read-back.
void KSV_OpSetDlg::On_SigClickOutputCell(int idx)
{
    if (mode_ == 0 && idx >= 0 && idx < kCellButtons)
        cellButtons_[idx]->setChecked(true);
}

void KSV_OpSetDlg::On_SigClickLayerCell(int idx)
{
    if (mode_ == 1 && idx >= 0 && idx < kCellButtons)
        cellButtons_[idx]->setChecked(true);
}

void KSV_OpSetDlg::On_sigOPOnoff(void* data, int idx)
{
    // The canvas has four output cells; a window beyond them (the panel's
    // HDMI window until the device confirms a switch to DVI) has none, and
    // turning it on must not make one.
    if (!data || idx < 0 || idx >= kCellButtons)
        return;
    const auto& w = *static_cast<const OutputWindowRecord*>(data);
    canvas_->setOutputCell(MosaicArea(w), idx, w.onOff != 0);
}

void KSV_OpSetDlg::On_sigLayerOnoff(void* data, int idx)
{
    if (!data)
        return;
    const auto& l = *static_cast<const LayerRecord*>(data);
    // With the canvas's notifications: the layer panel hears the cell's
    // rectangle and its switch back and sends them, so a switch the panel
    // makes without a command of its own (the layers an output layout
    // replaces) reaches the device, and the device holds what the PC shows.
    if (l.onOff) {
        const LayerSource s = SourceOf(l, *MiddleHandler::GetInstance()->GetCurrentMData());
        canvas_->setLayerCell(LayerRect(l), idx, true, s.gid, s.area, s.dual, s.type, true);
    } else {
        canvas_->setLayerCell(QRect(), idx, false, 0, 0, false, 0, true);
    }
    if (mode_ == 0)
        canvas_->hideLayerCells();
}

void KSV_OpSetDlg::On_sigLayerLogoOnOff(void* data, int idx)
{
    if (!data)
        return;
    const auto& l = *static_cast<const LayerRecord*>(data);
    const int work = MiddleHandler::GetInstance()->GetCurrentMData()->M_AllCfg.workMode;
    canvas_->setLayerSubtitle(idx, Subtitle(work, l.logoOnOff != 0));
    canvas_->setLayerSizeLocked(idx, l.logoOnOff != 0);
    canvas_->setLayerArea(idx, LayerOutputArea(idx));
}

void KSV_OpSetDlg::On_sigLayerRotationSet(int idx, RoationType)
{
    canvas_->setLayerArea(idx, LayerOutputArea(idx));
}

void KSV_OpSetDlg::On_SigRenameInputSrc(int idx, QString renameStr)
{
    buildLayerView();
    inputList_->SetInputName(idx, renameStr);
}

void KSV_OpSetDlg::On_SigRenameToInputSrc(int idx, QString renameStr)
{
    emit SigRenameToInputSrc(idx, renameStr);
}

void KSV_OpSetDlg::On_SigInputTileEnable(int idx, bool bEnable)
{
    buildLayerView();
    inputList_->SetTileEnable(idx, bEnable);
    layerPanel_->SetInputEnable(idx, bEnable);
}

void KSV_OpSetDlg::On_SigChangeInputSubSrc(int Gid, int Pid)
{
    buildLayerView();
    inputList_->On_SigUIRefreshInputCfg();
    layerPanel_->UpdateInputEntry(Gid, Pid);
}

void KSV_OpSetDlg::On_SigUIRefreshOutputWindow(int id)
{
    canvas_->beginReport();
    refreshOutputCell(id);
    canvas_->endReport();
}

void KSV_OpSetDlg::refreshOutputCell(int id)
{
    if (id < 0 || id >= MDataLimits::kOutputWindows)
        return;
    const MData& d = *MiddleHandler::GetInstance()->GetCurrentMData();
    const OutputWindowRecord& w = d.M_OutputData.M_OPDisplayCfg[id];
    const OutputResoCfg& reso = d.M_OutputData.M_OutputResoCfg;
    const int work = d.M_AllCfg.workMode;
    if (work == MOSAIC_MODE || work == BACKUP_MODE) {
        if (reso.outputMode == DVI_MODE) {
            if (id <= 3)
                canvas_->setOutputCell(MosaicArea(w), id, w.onOff != 0);
        } else if (reso.outputMode == HDMI_MODE) {
            if (id >= 4)
                canvas_->setOutputCell(MosaicArea(w), id - 4, w.onOff != 0);
            if (id == 5) {
                canvas_->setOutputCell(QRect(), 2, false);
                canvas_->setOutputCell(QRect(), 3, false);
            }
        }
    } else if (work == SWITCHER_MODE) {
        if (id == 0)
            canvas_->setOutputCell(Inclusive(0, 0, reso.hact, reso.vact), 0, true);
        else if (id <= 3)
            canvas_->setOutputCell(QRect(), id, false);
        else if (id == 5)
            canvas_->setOutputCell(QRect(), 1, false);
    }
}

void KSV_OpSetDlg::On_SigUIRefreshOutputReso()
{
    viewRedraw_->request();
}

void KSV_OpSetDlg::On_SigUIRefreshLayerData(int idx)
{
    if (idx < 0 || idx >= 4)
        return;
    canvas_->beginReport();
    refreshLayerCell(idx);
    canvas_->endReport();
    viewRedraw_->request();
}

void KSV_OpSetDlg::refreshLayerCell(int idx)
{
    const MData& d = *MiddleHandler::GetInstance()->GetCurrentMData();
    const int work = d.M_AllCfg.workMode;
    // A working mode without a layer set of its own says nothing about the
    // layers: the cells stay as they are.
    if (work != MOSAIC_MODE && work != SWITCHER_MODE && work != BACKUP_MODE)
        return;
    const LayerRecord* rec = LiveLayer(d, idx);
    // Backup mode shows the layers that are not the main one's stand-in.
    if (work == BACKUP_MODE && rec && rec->bMain != 0)
        rec = nullptr;
    if (rec && rec->onOff) {
        const LayerSource s = SourceOf(*rec, d);
        canvas_->setLayerCell(LayerRect(*rec), idx, true, s.gid, s.area, s.dual, s.type, false);
    } else {
        canvas_->setLayerCell(QRect(), idx, false, 0, 0, false, 0, false);
    }
    if (rec) {
        canvas_->setLayerSubtitle(idx, Subtitle(work, rec->logoOnOff != 0));
        canvas_->setLayerSizeLocked(idx, rec->logoOnOff != 0);
    }
    canvas_->setLayerArea(idx, LayerOutputArea(idx));
    if (work == SWITCHER_MODE) {
        canvas_->setLayerCell(QRect(), 3, false, 0, 0, false, 0, false);
    } else if (work == BACKUP_MODE) {
        canvas_->setLayerCell(QRect(), 2, false, 0, 0, false, 0, false);
        canvas_->setLayerCell(QRect(), 3, false, 0, 0, false, 0, false);
    }
    // The output view shows no layer cell, not even until its redraw.
    if (mode_ == 0)
        canvas_->hideLayerCells();
}

// A dialog clicks its default push button on Return, and in this page any
// push button that last had the focus is one: a cell's close button, Take,
// a layout button. Return that ends a number typed into a panel's edit would
// click it again, switching an output off or taking anew on the device.
void KSV_OpSetDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && !layerPanel_)
        owesLanguageChange_ = true;
    QDialog::changeEvent(event);
}

void KSV_OpSetDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void KSV_OpSetDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QLatin1String(InputDragInfo::kFormat)))
        event->accept();
    else
        event->ignore();
}

void KSV_OpSetDlg::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(QLatin1String(InputDragInfo::kFormat))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void KSV_OpSetDlg::dragLeaveEvent(QDragLeaveEvent*) {}

// An input let go beside the canvas is taken (so the drag ends as a move,
// not as a refused drop flying back) and changes nothing.
void KSV_OpSetDlg::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasFormat(QLatin1String(InputDragInfo::kFormat))) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}
