#include "InputSrcSetDlg.h"

InputSrcSetDlg::InputSrcSetDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("InputSrcSetDlg"));
}

void InputSrcSetDlg::ResetCells() {}

void InputSrcSetDlg::UiRefreshAll() {}

void InputSrcSetDlg::On_SigRenameToInputSrc(int, QString) {}
