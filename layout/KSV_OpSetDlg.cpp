#include "KSV_OpSetDlg.h"

#include "DeviceLog.h"
#include "InputNames.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "PaintCellCtrl.h"

#include <QHBoxLayout>
#include <QScrollArea>

namespace {

constexpr int kCanvasSize = 10000;

QRect Inclusive(int x, int y, int w, int h)
{
    return QRect(QPoint(x, y), QPoint(x + w - 1, y + h - 1));
}

}  // namespace

KSV_OpSetDlg::KSV_OpSetDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("KSV_OpSetDlg"));
    Page::Setup(this);
    setAttribute(Qt::WA_TranslucentBackground);

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName(QStringLiteral("opSetScrollArea"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    canvas_ = new PaintCellCtrl(scrollArea_);
    canvas_->setObjectName(QStringLiteral("PaintCellCtrl"));
    canvas_->setScale(8.0, 8.0);
    canvas_->setGeometry(0, 0, kCanvasSize, kCanvasSize);
    scrollArea_->setWidget(canvas_);
    auto* layout = new QHBoxLayout(this);
    // The page reaches the window's right edge: the window's one-pixel dark
    // border stays visible beside the scroll bar.
    layout->setContentsMargins(0, 0, 1, 0);
    layout->addWidget(scrollArea_);

    // A read-back brings hundreds of replies; the canvas is redrawn once.
    redraw_ = new RedrawCoalescer(this, [this] { UiRefreshAll(); });
    MiddleHandler* h = MiddleHandler::GetInstance();
    redraw_->follow(h, &MiddleHandler::SigUIRefreshAllCfg);
    redraw_->follow(h, &MiddleHandler::SigUIRefreshOutputReso);
    redraw_->follow(h, &MiddleHandler::SigUIRefreshOutputWindow);
    redraw_->follow(h, &MiddleHandler::SigUIRefreshLayerData);
    redraw_->follow(h, &MiddleHandler::SigUIRefreshInputCfg);
    redraw_->follow(h, &MiddleHandler::SigUIRefreshRequstCmdEnd);
    applyView();
}

void KSV_OpSetDlg::setMode(int mode)
{
    if (mode == 0 || mode == 1) {
        mode_ = mode;
        applyView();
    }
}

void KSV_OpSetDlg::applyView()
{
    const MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const int work = d->M_AllCfg.workMode;
    // The switcher's output is one raster: its layers are shown in both views.
    if (mode_ == 1 || work == SWITCHER_MODE) {
        canvas_->enterLayerView();
        canvas_->showLayerCells();
    } else {
        canvas_->enterOutputView();
        canvas_->hideLayerCells();
    }
    int maxLayers = 4;
    if (work == SWITCHER_MODE) {
        const OutputResoCfg& reso = d->M_OutputData.M_OutputResoCfg;
        maxLayers = reso.outputMode == HDMI_MODE && reso.hact >= 3840 && reso.vact >= 2160 ? 1 : 3;
    } else if (work == BACKUP_MODE) {
        maxLayers = 1;
    }
    if (mode_ == 1)
        canvas_->setMaxLayers(maxLayers);
}

void KSV_OpSetDlg::ResetCells() {}

void KSV_OpSetDlg::UiRefreshAll()
{
    for (int i = 0; i < MDataLimits::kOutputWindows; ++i)
        On_SigUIRefreshOutputWindow(i);
    for (int i = 0; i < MDataLimits::kMosaicLayers; ++i)
        On_SigUIRefreshLayerData(i);
    applyView();
}

void KSV_OpSetDlg::On_SigUIRefreshOutputWindow(int id)
{
    if (id < 0 || id >= MDataLimits::kOutputWindows)
        return;
    const MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const OutputWindowRecord& w = d->M_OutputData.M_OPDisplayCfg[id];
    const OutputResoCfg& reso = d->M_OutputData.M_OutputResoCfg;
    const QRect r = Inclusive(w.mosaicHs, w.mosaicVs, w.mosaicHact, w.mosaicVact);
    const int work = d->M_AllCfg.workMode;
    if (work == MOSAIC_MODE || work == BACKUP_MODE) {
        if (reso.outputMode == 0) {
            if (id <= 3)
                canvas_->setOutputCell(r, id, w.onOff != 0);
        } else if (id >= 4) {
            canvas_->setOutputCell(r, id - 4, w.onOff != 0);
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

void KSV_OpSetDlg::On_SigUIRefreshLayerData(int idx)
{
    if (idx < 0 || idx >= MDataLimits::kMosaicLayers)
        return;
    const MData* d = MiddleHandler::GetInstance()->GetCurrentMData();
    const int work = d->M_AllCfg.workMode;
    const LayerRecord* rec = nullptr;
    if (work == MOSAIC_MODE)
        rec = &d->M_MosaicLayerCfg.layer[idx];
    else if (work == SWITCHER_MODE && idx < MDataLimits::kSwitchGroupLayers)
        rec = &d->M_SwitchLayerCfg.layer[MDataLimits::kSwitchGroupLayers + idx];
    else if (work == BACKUP_MODE && idx < MDataLimits::kBackupLayers)
        rec = &d->M_BackupLayerCfg.layer[idx];
    if (work == BACKUP_MODE && rec && rec->bMain != 0)
        rec = nullptr;
    if (!rec) {
        canvas_->setLayerCell(QRect(), idx, false, 0, 0, false, 0, false);
        canvas_->setLayerArea(idx, LayerOutputArea(idx));
        return;
    }
    const bool logo = rec->logoOnOff != 0;
    const QRect r = logo ? Inclusive(rec->hs, rec->vs, rec->logoWidth, rec->logoHeight)
                         : Inclusive(rec->hs, rec->vs, rec->hact, rec->vact);
    const int gid = rec->tileEnable ? 6 + rec->tileId : rec->inputId;
    int type = -1;
    if (gid >= 0 && gid < MDataLimits::kInputs) {
        const InputPortCfg& port = d->M_InputData.port[gid];
        if (port.actId < MDataLimits::kPorts)
            type = port.inputType[port.actId];
    }
    if (rec->onOff)
        canvas_->setLayerCell(r, idx, true, gid, rec->halfId, false, type, false);
    else
        canvas_->setLayerCell(QRect(), idx, false, 0, 0, false, 0, false);
    canvas_->setLayerArea(idx, LayerOutputArea(idx));
    QString subtitle;
    if (work == BACKUP_MODE)
        subtitle = logo ? QStringLiteral("LOGO  MAIN Layer") : QStringLiteral("MAIN Layer");
    else if (logo)
        subtitle = QStringLiteral("LOGO");
    canvas_->setLayerSubtitle(idx, subtitle);
    canvas_->setLayerSizeLocked(idx, logo);
    if (mode_ == 0 && work != SWITCHER_MODE)
        canvas_->hideLayerCells();
}

// The layer settings panel does the quick take; until it is here, the call
// is only logged.
void KSV_OpSetDlg::QuickTake()
{
    DeviceLog("QuickTake");
}

void KSV_OpSetDlg::On_SigRenameInputSrc(int, QString) {}

void KSV_OpSetDlg::On_SigRenameToInputSrc(int idx, QString renameStr)
{
    emit SigRenameToInputSrc(idx, renameStr);
}

void KSV_OpSetDlg::On_SigInputTileEnable(int, bool) {}

void KSV_OpSetDlg::On_SigChangeInputSubSrc(int, int) {}
