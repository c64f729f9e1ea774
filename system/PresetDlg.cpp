#include "PresetDlg.h"

PresetDlg::PresetDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PresetDlg"));
}

void PresetDlg::On_sigSysWorkModeChange(SystemWorkingMode) {}
