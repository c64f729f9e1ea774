#include "KSV_PicSetDlg.h"

#include "PageHelper.h"

KSV_PicSetDlg::KSV_PicSetDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KSV_PicSetDlg"));
    Page::Setup(this);
}

void KSV_PicSetDlg::UiRefreshAll() {}
