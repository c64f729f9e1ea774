#include "InputSrcSetDlg.h"

#include "PageHelper.h"

InputSrcSetDlg::InputSrcSetDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("InputSrcSetDlg"));
    Page::Setup(this);
}

void InputSrcSetDlg::ResetCells() {}

void InputSrcSetDlg::UiRefreshAll() {}

void InputSrcSetDlg::On_SigRenameToInputSrc(int, QString) {}
