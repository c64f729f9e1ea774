#include "PresetDlg.h"

#include "KeyLamps.h"
#include "MiddleHandler.h"
#include "PageHelper.h"
#include "SendCommand.h"

namespace {
constexpr int kFirstPresetKey = 13;
constexpr int kPresetCount = MDataLimits::kPresets;

// The working mode of the record that the pages show, when it names a row of
// the preset tables; else -1.
int PresetRow(const MData& data)
{
    const int mode = data.M_AllCfg.workMode;
    return mode >= 0 && mode < MDataLimits::kWorkModes ? mode : -1;
}
}  // namespace

PresetDlg::PresetDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PresetDlg"));
    Page::Setup(this);
    connect(MiddleHandler::GetInstance(), SIGNAL(SigUiRefreshPresetValid()), this,
            SLOT(On_SigUiRefreshPresetValid()));
}

void PresetDlg::On_sigSysWorkModeChange(SystemWorkingMode) {}

void PresetDlg::On_SigUiRefreshPresetValid()
{
    UpdatePresetLamps();
}

void PresetDlg::ClickPresetByKey(int key)
{
    const int preset = key - kFirstPresetKey;
    if (preset < 0 || preset >= kPresetCount)
        return;
    const MData& data = *MiddleHandler::GetInstance()->GetCurrentMData();
    const int row = PresetRow(data);
    // The button of an empty preset is disabled: its click recalls nothing.
    if (row >= 0 && data.M_PresetValid[row][preset] != 0) {
        const uint8_t index = static_cast<uint8_t>(preset);
        SendCommand(&index, SEND_PRESETLOADCMD, nullptr, QString());
    }
    checkedPreset_ = preset;
    UpdatePresetLamps();
}

void PresetDlg::UpdatePresetLamps()
{
    const MData& data = *MiddleHandler::GetInstance()->GetCurrentMData();
    const int row = PresetRow(data);
    if (row < 0)
        return;
    KeyLampTable& lamps = KeyLamps();
    for (int preset = 0; preset < kPresetCount; ++preset) {
        const uint8_t shown = preset == checkedPreset_ ? 2 : 1;
        const bool stored = data.M_PresetValid[row][preset] != 0;
        KeyLampEntry& e = lamps.entries[kFirstPresetKey + preset];
        e.colorA = stored ? 0 : shown;
        e.colorB = stored ? shown : 0;
        e.kind = LAMP_PLAIN;
        e.dirty = 1;
    }
    FlushKeyLamps();
}
