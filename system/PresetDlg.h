// The preset page, in its first form: the slot through which the system page
// tells it the working mode. Its preset buttons take their places here later.
#pragma once

#include "MData.h"

#include <QWidget>

class PresetDlg : public QWidget {
    Q_OBJECT

public:
    explicit PresetDlg(QWidget* parent);

public slots:
    void On_sigSysWorkModeChange(SystemWorkingMode mode);
};
