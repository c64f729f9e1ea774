#include "KSV_OpSetDlg.h"

#include "PaintCellCtrl.h"

KSV_OpSetDlg::KSV_OpSetDlg(QWidget* parent) : QDialog(parent)
{
    canvas_ = new PaintCellCtrl(this);
}

KSV_OpSetDlg::~KSV_OpSetDlg() = default;

void KSV_OpSetDlg::setMode(int mode)
{
    if (mode == 0 || mode == 1)
        mode_ = mode;
}

void KSV_OpSetDlg::ResetCells() {}
void KSV_OpSetDlg::UiRefreshAll() {}
void KSV_OpSetDlg::QuickTake() {}
void KSV_OpSetDlg::On_SigOuputMode(OutputMode_Enum) {}
void KSV_OpSetDlg::On_sigOPPosChange(void*, int) {}
void KSV_OpSetDlg::On_sigLayerPosChange(void*, int) {}
void KSV_OpSetDlg::OnClickedZoomBtn() {}
void KSV_OpSetDlg::OnClickedCellBtn() {}
void KSV_OpSetDlg::On_SigClickOutputCell(int) {}
void KSV_OpSetDlg::On_SigClickLayerCell(int) {}
void KSV_OpSetDlg::On_sigOPOnoff(void*, int) {}
void KSV_OpSetDlg::On_sigLayerOnoff(void*, int) {}
void KSV_OpSetDlg::On_sigLayerLogoOnOff(void*, int) {}
void KSV_OpSetDlg::On_sigLayerRotationSet(int, RoationType) {}
void KSV_OpSetDlg::On_SigRenameInputSrc(int, QString) {}
void KSV_OpSetDlg::On_SigRenameToInputSrc(int idx, QString renameStr)
{
    emit SigRenameToInputSrc(idx, renameStr);
}
void KSV_OpSetDlg::On_SigInputTileEnable(int, bool) {}
void KSV_OpSetDlg::On_SigUIRefreshOutputWindow(int) {}
void KSV_OpSetDlg::On_SigUIRefreshOutputReso() {}
void KSV_OpSetDlg::On_SigUIRefreshLayerData(int) {}
void KSV_OpSetDlg::On_SigChangeInputSubSrc(int, int) {}
void KSV_OpSetDlg::dragEnterEvent(QDragEnterEvent*) {}
void KSV_OpSetDlg::dragMoveEvent(QDragMoveEvent*) {}
void KSV_OpSetDlg::dragLeaveEvent(QDragLeaveEvent*) {}
void KSV_OpSetDlg::dropEvent(QDropEvent*) {}
void KSV_OpSetDlg::buildButtons() {}
void KSV_OpSetDlg::connectAll() {}
void KSV_OpSetDlg::setCellButtonsEnabled(bool, bool, bool, bool) {}
