#include "KSV_PicSetDlg.h"

KSV_PicSetDlg::KSV_PicSetDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KSV_PicSetDlg"));
}

void KSV_PicSetDlg::UiRefreshAll() {}
