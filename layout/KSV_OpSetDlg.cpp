#include "KSV_OpSetDlg.h"

#include "DeviceLog.h"
#include "PageHelper.h"

KSV_OpSetDlg::KSV_OpSetDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("KSV_OpSetDlg"));
    Page::Setup(this);
    setAttribute(Qt::WA_TranslucentBackground);
}

void KSV_OpSetDlg::setMode(int mode)
{
    if (mode == 0 || mode == 1)
        mode_ = mode;
}

void KSV_OpSetDlg::ResetCells() {}

void KSV_OpSetDlg::UiRefreshAll() {}

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
