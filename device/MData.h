// The configuration record of one video processor, as the tool knows it.
//
// A plain value type: copied whole, no pointers but its strings. Every field
// starts at zero (strings empty) so that a page reading a record before the
// first reply sees defined values.
#pragma once

#include <QString>
#include <cstdint>

enum SystemWorkingMode { MOSAIC_MODE = 0, SWITCHER_MODE = 2, BACKUP_MODE = 4 };
enum OutputMode_Enum { DVI_MODE = 0, HDMI_MODE = 1 };
enum RoationType {
    ROTATE_NONE = 0,
    ROTATE_90 = 1,
    ROTATE_270 = 2,
    ROTATE_H = 3,
    ROTATE_H180 = 4,
    ROTATE_180 = 5,
    ROTATE_H270 = 6,
    ROTATE_H90 = 7
};
enum VerInfo_Enum { VER_MAINBOARD = 0, VER_UIBOARD = 1, VER_ELECTRIC = 2, VER_ETHBOARD = 3 };

// Index limits of the record's arrays.
namespace MDataLimits {
constexpr int kWorkModes = 5;         // first index of the preset arrays
constexpr int kPresets = 20;
constexpr int kMosaicLayers = 4;
constexpr int kSwitchGroups = 2;
constexpr int kSwitchGroupLayers = 3;
constexpr int kSwitchLayers = kSwitchGroups * kSwitchGroupLayers;
constexpr int kBackupLayers = 2;
constexpr int kInputs = 6;
constexpr int kPorts = 3;
constexpr int kHalves = 2;
constexpr int kTiles = 2;
constexpr int kTileSources = 4;
constexpr int kTasks = 20;
constexpr int kOutputWindows = 6;
constexpr int kVoltages = 7;
constexpr int kBoards = 2;
constexpr int kBuildDateLength = 20;
}  // namespace MDataLimits

struct AllCfg {
    int32_t workMode = 0;
    int32_t brightLevel = 0;
    int32_t gammaMode = 0;
    uint8_t gammaValue = 0;
    int32_t syncLock = 0;
    uint8_t freeze = 0;
    uint8_t autoBackup = 0;
};

struct OutputWindowRecord {
    uint8_t onOff = 0;
    uint8_t portID = 0;
    uint16_t hs = 0;
    uint16_t vs = 0;
    uint16_t hact = 0;
    uint16_t vact = 0;
    int32_t mosaicHs = 0;
    int32_t mosaicVs = 0;
    int32_t mosaicHact = 0;
    int32_t mosaicVact = 0;
};

struct OutputResoCfg {
    int32_t resoId = 0;
    uint16_t hact = 0;
    uint16_t vact = 0;
    uint16_t fps = 0;
    uint16_t htotal = 0;
    uint16_t hsync = 0;
    uint16_t hbp = 0;
    uint16_t vtotal = 0;
    uint16_t vsync = 0;
    uint16_t vbp = 0;
    int32_t outputMode = 0;
};

struct HdmiSettingCfg {
    int32_t colorSpace = 0;
    int32_t rgbRange = 0;
    int32_t colorDepth = 0;
    uint8_t hdr = 0;
    uint8_t dviHdmi = 0;
    uint8_t outputPort = 0;
};

struct OutputData {
    OutputWindowRecord M_OPDisplayCfg[MDataLimits::kOutputWindows];
    OutputResoCfg M_OutputResoCfg;
    HdmiSettingCfg M_HdmiSettingCfg;
};

struct LayerRecord {
    uint8_t onOff = 0;
    uint32_t hs = 0;
    uint32_t vs = 0;
    uint32_t hact = 0;
    uint32_t vact = 0;
    int32_t logoWidth = 0;
    int32_t logoHeight = 0;
    uint8_t inputId = 0;
    uint8_t halfId = 0;
    int32_t rotation = 0;
    uint8_t alpha = 0;
    uint8_t tileEnable = 0;
    uint8_t tileId = 0;
    uint8_t logoOnOff = 0;
    uint8_t bMain = 0;
};

struct LayerZoomCfg {
    uint16_t hs = 0;
    uint16_t hact = 0;
    uint16_t vs = 0;
    uint16_t vact = 0;
    uint16_t hRange = 0;
    uint16_t vRange = 0;
    bool onOff = false;
};

struct ChromaKeyCfg {
    uint8_t minR = 0;
    uint8_t maxR = 0;
    uint8_t minG = 0;
    uint8_t maxG = 0;
    uint8_t minB = 0;
    uint8_t maxB = 0;
    uint8_t onOff = 0;
    uint8_t mode = 0;
};

struct LayerPictureCfg {
    uint8_t brightness = 0;
    uint8_t contrast = 0;
    uint8_t saturation = 0;
    int32_t colorTempMode = 0;
    uint8_t colorTempR = 0;
    uint8_t colorTempG = 0;
    uint8_t colorTempB = 0;
};

// The layers of one working mode. The switch set stores its two groups one
// after the other: entry g * 3 + l is layer l of group g.
template <int N>
struct LayerSet {
    static constexpr int kLayers = N;
    LayerRecord layer[N];
    LayerZoomCfg zoom[N];
    ChromaKeyCfg chromaKey[N];
    LayerPictureCfg picture[N];
    uint8_t durationTime = 0;
};
using MosaicLayerSet = LayerSet<MDataLimits::kMosaicLayers>;
using SwitchLayerSet = LayerSet<MDataLimits::kSwitchLayers>;
using BackupLayerSet = LayerSet<MDataLimits::kBackupLayers>;

struct InputPortCfg {
    uint8_t portNum = 0;
    uint8_t actId = 0;
    uint8_t chnlId[MDataLimits::kPorts] = {};
    int32_t inputType[MDataLimits::kPorts] = {};
    QString inputRename;
};

// Indexed [half][port].
struct InputSignalInfo {
    uint16_t width[MDataLimits::kHalves][MDataLimits::kPorts] = {};
    uint16_t height[MDataLimits::kHalves][MDataLimits::kPorts] = {};
    uint16_t infoA[MDataLimits::kHalves][MDataLimits::kPorts] = {};
    uint16_t infoB[MDataLimits::kHalves][MDataLimits::kPorts] = {};
    bool interlaced[MDataLimits::kHalves][MDataLimits::kPorts] = {};
};

// Indexed half * 3 + port.
struct InputCropCfg {
    static constexpr int kEntries = MDataLimits::kHalves * MDataLimits::kPorts;
    uint16_t hs[kEntries] = {};
    uint16_t hact[kEntries] = {};
    uint16_t vs[kEntries] = {};
    uint16_t vact[kEntries] = {};
    uint16_t hRange[kEntries] = {};
    uint16_t vRange[kEntries] = {};
    bool onOff[kEntries] = {};
};

struct InputTileCfg {
    int32_t count = 0;
    int32_t input[MDataLimits::kTileSources] = {};
    int32_t half[MDataLimits::kTileSources] = {};
    QString name;
};

// Indexed by port.
struct InputEdidCfg {
    uint16_t hact[MDataLimits::kPorts] = {};
    uint16_t vact[MDataLimits::kPorts] = {};
    uint16_t rate[MDataLimits::kPorts] = {};
    uint16_t hblank[MDataLimits::kPorts] = {};
    uint16_t vblank[MDataLimits::kPorts] = {};
};

struct InputData {
    InputPortCfg port[MDataLimits::kInputs];
    InputSignalInfo signal[MDataLimits::kInputs];
    InputCropCfg crop[MDataLimits::kInputs];
    InputTileCfg tile[MDataLimits::kTiles];
    InputEdidCfg edid[MDataLimits::kInputs];
};

struct BoardVersion {
    uint16_t versionB = 0;
    uint16_t versionA = 0;
    QString buildDate;
};

struct MachineInfo {
    uint16_t stdVoltage[MDataLimits::kVoltages] = {};
    uint16_t voltage[MDataLimits::kVoltages] = {};
    BoardVersion board[MDataLimits::kBoards];
    uint16_t ethVersion = 0;
};

struct LogoInfo {
    uint8_t op = 0;
    int32_t workMode = 0;
    uint8_t state = 0;
    uint8_t progress = 0;
    uint16_t valueA = 0;
    uint16_t valueB = 0;
    uint16_t width = 0;
    uint16_t height = 0;
};

struct ScheduleTask {
    uint8_t index = 0;
    uint8_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    uint8_t option = 0;
    uint16_t period = 0;
    uint8_t flag = 0;
    uint8_t presetId = 0;
};

struct TaskCfg {
    ScheduleTask task[MDataLimits::kTasks];
    uint8_t status = 0;
};

struct MData {
    AllCfg M_AllCfg;
    OutputData M_OutputData;
    MosaicLayerSet M_MosaicLayerCfg;
    SwitchLayerSet M_SwitchLayerCfg;
    BackupLayerSet M_BackupLayerCfg;
    uint8_t M_PresetValid[MDataLimits::kWorkModes][MDataLimits::kPresets] = {};
    InputData M_InputData;
    MachineInfo M_MachineInfo;
    LogoInfo M_LogoInfo;
    TaskCfg M_TaskCfg;
    uint8_t M_SwitcherType = 0;
    QString M_PresetName[MDataLimits::kWorkModes][MDataLimits::kPresets];
};

// The values of the record that stands in for the selected device while none
// is selected, before a project or a device fills it.
void InitFallbackRecord(MData& data);
