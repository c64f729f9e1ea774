// The preset page, in its first form: the slot through which the system page
// tells it the working mode, and the control keyboard's preset keys with
// their lamps. Its preset buttons take their places here later; until then
// the checked preset is kept here, and a preset counts as clickable when the
// record holds it.
#pragma once

#include "MData.h"

#include <QWidget>

class PresetDlg : public QWidget {
    Q_OBJECT

public:
    explicit PresetDlg(QWidget* parent);

    // Keys 13..32 of the control keyboard: recalls preset key - 13 when it is
    // stored, makes it the checked preset and redraws the preset lamps. Other
    // keys do nothing.
    void ClickPresetByKey(int key);
    // Writes the lamps of keys 13..32 from the presets of the current working
    // mode and flushes them; nothing outside working modes 0..4.
    void UpdatePresetLamps();

public slots:
    void On_sigSysWorkModeChange(SystemWorkingMode mode);
    void On_SigUiRefreshPresetValid();

private:
    int checkedPreset_ = -1;
};
