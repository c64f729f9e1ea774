#include "DestinationDlg.h"

DestinationDlg::DestinationDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DestinationDlg"));
}

void DestinationDlg::StartSearch() {}
