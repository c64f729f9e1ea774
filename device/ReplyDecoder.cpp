#include "ReplyDecoder.h"

#include "DeviceLog.h"
#include "Frames.h"

#include <algorithm>
#include <iterator>

namespace {
using namespace MDataLimits;

constexpr uint16_t kVideoFormatCode = 0x0671;
constexpr uint8_t kTakeMarker[] = {0x00, 0x11, 0x22, 0x33};

// Records of `size` bytes at start, start + length, ... (count of them) lie
// inside the payload. Lengths are never negative, so the last record is the
// one that reaches furthest.
bool RecordsFit(int start, int length, int count, int size)
{
    return count == 0 || (start >= 0 && start + (count - 1) * length + size <= Frame::kPayloadSize);
}

void Refuse(uint16_t code, const char* why)
{
    DeviceLog("Reply 0x%04X ignored: %s", code, why);
}

template <int N>
void SetLogoSize(LayerSet<N>& set, int width, int height)
{
    for (LayerRecord& layer : set.layer) {
        layer.logoWidth = width;
        layer.logoHeight = height;
    }
}

// One layer of a layer set, all four of its records.
struct LayerEntry {
    LayerRecord* layer = nullptr;
    LayerZoomCfg* zoom = nullptr;
    ChromaKeyCfg* chromaKey = nullptr;
    LayerPictureCfg* picture = nullptr;
};

template <int N>
LayerEntry EntryOf(LayerSet<N>& set, int index)
{
    return {&set.layer[index], &set.zoom[index], &set.chromaKey[index], &set.picture[index]};
}

void ReadLayerRecord(const uint8_t* p, LayerRecord& layer)
{
    layer.onOff = p[4];
    layer.tileEnable = p[5];
    layer.tileId = p[6];
    layer.inputId = p[7];
    layer.halfId = p[8];
    layer.logoOnOff = p[9];
    layer.alpha = p[10];
    layer.rotation = p[11];
    layer.hs = ReadLe32(p + 16);
    layer.vs = ReadLe32(p + 20);
    layer.hact = ReadLe32(p + 24);
    layer.vact = ReadLe32(p + 28);
}

void ReadPicture(const uint8_t* p, LayerPictureCfg& picture)
{
    picture.brightness = p[4];
    picture.contrast = p[5];
    picture.saturation = p[6];
    picture.colorTempMode = p[9];
    picture.colorTempR = p[10];
    picture.colorTempG = p[11];
    picture.colorTempB = p[12];
}

void ReadZoom(const uint8_t* p, LayerZoomCfg& zoom)
{
    zoom.onOff = p[4] != 0;
    zoom.hs = ReadLe16(p + 5);
    zoom.vs = ReadLe16(p + 7);
    zoom.hact = ReadLe16(p + 9);
    zoom.vact = ReadLe16(p + 11);
    zoom.hRange = ReadLe16(p + 13);
    zoom.vRange = ReadLe16(p + 15);
}

// The device sends each colour's minimum before its maximum here.
void ReadChromaKey(const uint8_t* p, ChromaKeyCfg& key)
{
    key.onOff = p[4];
    key.minR = p[5];
    key.maxR = p[6];
    key.minG = p[7];
    key.maxG = p[8];
    key.minB = p[9];
    key.maxB = p[10];
}

using ReplyHandler = void (*)(const uint8_t*, MData&, const MData&, RefreshEvents&);
struct DataReply {
    uint16_t code;
    ReplyHandler handler;
};

constexpr DataReply kDataReplies[] = {
    {0x0000, HandlePresetResult},
    {0x012C, HandleSyncLockStatus},
    {0x0500, HandleSyncLockStatus},
    {0x05F1, HandleTestPattern},
    {0x0600, HandleRequestEnd},
    {0x0602, HandleAllCfg},
    {0x0604, HandlePresetValid},
    {0x0606, HandleLogoData},
    {0x0608, HandleTaskData},
    {0x0612, HandleInputCfg},
    {0x0613, HandleInputSignal},
    {0x0615, HandleInputCrop},
    {0x0617, HandleInputTile},
    {0x0619, HandleInputEdid},
    {0x0631, HandleOutputReso},
    {0x0633, HandleOutputWindow},
    {0x0635, HandleOutputHdmiSetting},
    {0x0661, HandleLayerData},
    {kVideoFormatCode, HandleVideoFormat},
    {0x0701, HandleTakeData},
    {0x0710, HandleMachineVer},
};

const DataReply* FindDataReply(uint16_t code)
{
    for (const DataReply& reply : kDataReplies) {
        if (reply.code == code)
            return &reply;
    }
    return nullptr;
}
}  // namespace

bool IsDataReplyCode(uint16_t code)
{
    return FindDataReply(code) != nullptr;
}

bool RaisesHeartbeat(uint16_t code)
{
    return IsDataReplyCode(code) && code != kVideoFormatCode;
}

RefreshEvents DecodeReply(uint16_t code, const uint8_t* payload, MData& record,
                          const MData& fallback)
{
    RefreshEvents out;
    if (const DataReply* reply = FindDataReply(code))
        reply->handler(payload, record, fallback, out);
    return out;
}

void HandlePresetResult(const uint8_t* p, MData&, const MData&, RefreshEvents& out)
{
    out.push_back({Refresh::PresetOPResult, p[2]});
}

void HandleSyncLockStatus(const uint8_t* p, MData&, const MData&, RefreshEvents& out)
{
    out.push_back({Refresh::SyncLock, p[6]});
    out.push_back({Refresh::HDRStatus, p[7]});
}

void HandleTestPattern(const uint8_t* p, MData&, const MData&, RefreshEvents& out)
{
    if (p[0] == 0) {
        out.push_back({Refresh::ResetFactory, p[1]});
    } else if (p[0] == 1) {
        // The device reports pattern 2 as 0 with P2 set.
        const int status = (p[1] == 0 && p[2] == 1) ? 2 : p[1];
        out.push_back({Refresh::TestPattern, status, p[3]});
    }
}

void HandleRequestEnd(const uint8_t* p, MData&, const MData&, RefreshEvents& out)
{
    if (p[2] == 0xAA)
        out.push_back({Refresh::RequstCmdEnd});
}

void HandleAllCfg(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    AllCfg& cfg = record.M_AllCfg;
    if (p[0] == 0xFF) {
        cfg.workMode = p[1];
        cfg.brightLevel = p[2];
        cfg.gammaMode = p[3];
        cfg.gammaValue = p[4];
        cfg.syncLock = p[5];
        cfg.freeze = p[7];
        cfg.autoBackup = p[8];
        out.push_back({Refresh::AllCfg});
    } else if (p[0] == 6) {
        cfg.freeze = p[1];
        out.push_back({Refresh::Freeze});
    }
}

void HandlePresetValid(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out)
{
    if (p[0] != 1)
        return;
    const int mode = p[1];
    if (mode >= kWorkModes) {
        Refuse(0x0604, "working mode out of range");
        return;
    }
    for (int i = 0; i < kPresets; ++i) {
        record.M_PresetValid[mode][i] = p[2 + i];
        QString& name = record.M_PresetName[mode][i];
        if (name.isEmpty())
            name = fallback.M_PresetName[mode][i];
    }
    out.push_back({Refresh::PresetValid});
}

void HandleLogoData(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    LogoInfo& logo = record.M_LogoInfo;
    logo.op = p[0];
    logo.workMode = p[1];
    logo.state = p[4];
    logo.progress = p[5];
    logo.valueA = ReadLe16(p + 6);
    logo.valueB = ReadLe16(p + 8);
    logo.width = ReadLe16(p + 10);
    logo.height = ReadLe16(p + 12);
    SetLogoSize(record.M_MosaicLayerCfg, logo.width, logo.height);
    SetLogoSize(record.M_SwitchLayerCfg, logo.width, logo.height);
    SetLogoSize(record.M_BackupLayerCfg, logo.width, logo.height);
    out.push_back({Refresh::LogoData, p[0]});
}

void HandleTaskData(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    constexpr int kTaskSize = 12;
    if (p[0] == 0) {
        const int length = p[1];
        const int count = p[2];
        if (!RecordsFit(4, length, count, kTaskSize)) {
            Refuse(0x0608, "task records run past the payload");
            return;
        }
        for (int k = 0; k < count; ++k) {
            if (p[4 + k * length] >= kTasks) {
                Refuse(0x0608, "task index out of range");
                return;
            }
        }
        for (int k = 0; k < count; ++k) {
            const uint8_t* r = p + 4 + k * length;
            ScheduleTask& task = record.M_TaskCfg.task[r[0]];
            task.index = r[0];
            task.year = r[1];
            task.month = r[2];
            task.day = r[3];
            task.hour = r[4];
            task.minute = r[5];
            task.second = r[6];
            task.option = r[7];
            task.period = ReadLe16(r + 8);
            task.flag = r[10];
            task.presetId = r[11];
        }
    } else if (p[0] == 2) {
        record.M_TaskCfg.status = p[1];
        out.push_back({Refresh::TaskData});
    }
}

void HandleInputCfg(const uint8_t* p, MData& record, const MData& fallback, RefreshEvents& out)
{
    constexpr int kPortRecordSize = 8;  // portNum, actId, three (chnlId, inputType)
    const int first = p[0];
    const int length = p[1];
    const int count = p[2];
    DeviceLog("startId:%d num:%d", first, count);
    if (first >= kInputs || first + count > kInputs) {
        Refuse(0x0612, "input index out of range");
        return;
    }
    if (!RecordsFit(4, length, count, kPortRecordSize)) {
        Refuse(0x0612, "input records run past the payload");
        return;
    }
    for (int k = 0; k < count; ++k) {
        const uint8_t* r = p + 4 + k * length;
        InputPortCfg& port = record.M_InputData.port[first + k];
        port.portNum = r[0];
        port.actId = r[1];
        for (int j = 0; j < kPorts; ++j) {
            port.chnlId[j] = r[2 + 2 * j];
            port.inputType[j] = r[3 + 2 * j];
        }
        if (port.inputRename.isEmpty())
            port.inputRename = fallback.M_InputData.port[first + k].inputRename;
    }
    // The series of input replies ends with the one that reaches the last input.
    if (first + count == kInputs)
        out.push_back({Refresh::InputCfg});
}

void HandleInputSignal(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    constexpr int kHalfSize = 11;
    const int input = p[0];
    const int half = p[1] / 2;
    const int port = p[3];
    if (input >= kInputs || port >= kPorts) {
        Refuse(0x0613, "input or port index out of range");
        return;
    }
    if (!RecordsFit(5, half, kHalves, kHalfSize)) {
        Refuse(0x0613, "half records run past the payload");
        return;
    }
    InputSignalInfo& signal = record.M_InputData.signal[input];
    for (int h = 0; h < kHalves; ++h) {
        const uint8_t* r = p + 5 + h * half;
        signal.interlaced[h][port] = r[0] != 0;
        signal.width[h][port] = ReadLe16(r + 1);
        signal.height[h][port] = ReadLe16(r + 3);
        signal.infoA[h][port] = ReadLe16(r + 7);
        signal.infoB[h][port] = ReadLe16(r + 9);
    }
    out.push_back({Refresh::InputSignal, input, port});
}

void HandleInputCrop(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    constexpr int kHalfSize = 13;
    const int input = p[0];
    const int half = p[1] / 2;
    const int port = p[3];
    if (input >= kInputs || port >= kPorts) {
        Refuse(0x0615, "input or port index out of range");
        return;
    }
    if (!RecordsFit(4, half, kHalves, kHalfSize)) {
        Refuse(0x0615, "half records run past the payload");
        return;
    }
    InputCropCfg& crop = record.M_InputData.crop[input];
    for (int h = 0; h < kHalves; ++h) {
        const uint8_t* r = p + 4 + h * half;
        const int x = h * kPorts + port;
        crop.onOff[x] = r[0] != 0;
        crop.hs[x] = ReadLe16(r + 1);
        crop.vs[x] = ReadLe16(r + 3);
        crop.hact[x] = ReadLe16(r + 5);
        crop.vact[x] = ReadLe16(r + 7);
        crop.hRange[x] = ReadLe16(r + 9);
        crop.vRange[x] = ReadLe16(r + 11);
    }
    out.push_back({Refresh::InputCrop, input, port});
}

void HandleInputTile(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    constexpr int kTileSize = 9;  // count, four (input, half)
    const int first = p[0];
    const int length = p[1];
    const int count = p[2];
    if (first >= kTiles || first + count > kTiles) {
        Refuse(0x0617, "tile index out of range");
        return;
    }
    // Tile t sits at its own place in the reply, P4 + t * length.
    if (!RecordsFit(4 + first * length, length, count, kTileSize)) {
        Refuse(0x0617, "tile records run past the payload");
        return;
    }
    for (int t = first; t < first + count; ++t) {
        const uint8_t* r = p + 4 + t * length;
        InputTileCfg& tile = record.M_InputData.tile[t];
        tile.count = r[0];
        for (int k = 0; k < kTileSources; ++k) {
            tile.input[k] = r[1 + 2 * k];
            tile.half[k] = r[2 + 2 * k];
        }
    }
    out.push_back({Refresh::InputTile});
}

void HandleInputEdid(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    constexpr int kEdidSize = 12;
    const int length = p[1];
    const int count = p[2];
    if (!RecordsFit(4, length, count, kEdidSize)) {
        Refuse(0x0619, "EDID records run past the payload");
        return;
    }
    for (int k = 0; k < count; ++k) {
        const uint8_t* r = p + 4 + k * length;
        if (r[0] >= kInputs || r[1] >= kPorts) {
            Refuse(0x0619, "input or port index out of range");
            return;
        }
    }
    for (int k = 0; k < count; ++k) {
        const uint8_t* r = p + 4 + k * length;
        const int input = r[0];
        const int port = r[1];
        InputEdidCfg& edid = record.M_InputData.edid[input];
        edid.hact[port] = ReadLe16(r + 2);
        edid.vact[port] = ReadLe16(r + 4);
        edid.rate[port] = ReadLe16(r + 6);
        edid.hblank[port] = ReadLe16(r + 8);
        edid.vblank[port] = ReadLe16(r + 10);
        out.push_back({Refresh::InputEdid, input, port});
    }
}

void HandleOutputReso(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    OutputResoCfg& reso = record.M_OutputData.M_OutputResoCfg;
    reso.outputMode = p[2];
    reso.resoId = p[3];
    uint16_t* const timings[] = {&reso.hact, &reso.vact,   &reso.fps,   &reso.htotal, &reso.hsync,
                                 &reso.hbp,  &reso.vtotal, &reso.vsync, &reso.vbp};
    for (size_t i = 0; i < std::size(timings); ++i)
        *timings[i] = ReadLe16(p + 4 + 2 * i);
    out.push_back({Refresh::OutputReso});
}

void HandleOutputWindow(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    const int id = p[0];
    if (id >= kOutputWindows) {
        Refuse(0x0633, "output window out of range");
        return;
    }
    OutputWindowRecord& window = record.M_OutputData.M_OPDisplayCfg[id];
    window.portID = p[0];
    window.onOff = p[1];
    window.hs = ReadLe16(p + 2);
    window.vs = ReadLe16(p + 4);
    window.hact = ReadLe16(p + 6);
    window.vact = ReadLe16(p + 8);
    window.mosaicHs = static_cast<int32_t>(ReadLe32(p + 10));
    window.mosaicVs = static_cast<int32_t>(ReadLe32(p + 14));
    window.mosaicHact = static_cast<int32_t>(ReadLe32(p + 18));
    window.mosaicVact = static_cast<int32_t>(ReadLe32(p + 22));
    DeviceLog("id:%d MData->M_OutputData.M_OPDisplayCfg[id] OnOff:%d", id, p[1]);
    out.push_back({Refresh::OutputWindow, id});
}

void HandleOutputHdmiSetting(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    if (p[0] != 0xFF && p[0] != 0x00)
        return;
    HdmiSettingCfg& hdmi = record.M_OutputData.M_HdmiSettingCfg;
    hdmi.colorSpace = p[1];
    hdmi.rgbRange = p[2];
    hdmi.colorDepth = p[3];
    hdmi.hdr = p[4];
    hdmi.dviHdmi = p[5];
    hdmi.outputPort = p[6];
    if (p[0] == 0xFF)
        DeviceLog("HDROnoff:%d", p[4]);
    out.push_back({Refresh::OutputHdmiSetting, 0});
}

void HandleLayerData(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    const int mode = p[0];
    const int group = p[1];
    const int index = p[2];
    const int kind = p[3];
    LayerEntry entry;
    switch (mode) {
    case MOSAIC_MODE:
        if (index < kMosaicLayers)
            entry = EntryOf(record.M_MosaicLayerCfg, index);
        break;
    case SWITCHER_MODE:
        if (group < kSwitchGroups && index < kSwitchGroupLayers)
            entry = EntryOf(record.M_SwitchLayerCfg, group * kSwitchGroupLayers + index);
        break;
    case BACKUP_MODE:
        if (index < kBackupLayers)
            entry = EntryOf(record.M_BackupLayerCfg, index);
        break;
    default:
        return;  // names no layer set
    }
    if (kind > 3)
        return;
    if (!entry.layer) {
        Refuse(0x0661, "layer or group index out of range");
        return;
    }

    const bool live = mode == record.M_AllCfg.workMode;
    switch (kind) {
    case 0:
        ReadLayerRecord(p, *entry.layer);
        if (mode != MOSAIC_MODE)
            entry.layer->bMain = p[1];
        if (live)
            out.push_back({Refresh::LayerData, index});
        break;
    case 1:
        ReadPicture(p, *entry.picture);
        // The picture pages show group 1 of the switch set only.
        if (live && !(mode == SWITCHER_MODE && group != 1))
            out.push_back({Refresh::PictureData, index});
        break;
    case 2:
        ReadZoom(p, *entry.zoom);
        if (live)
            out.push_back({Refresh::LayerZoomData, index});
        break;
    case 3:
        ReadChromaKey(p, *entry.chromaKey);
        if (live)
            out.push_back({Refresh::LayerChromaKey, index});
        break;
    }
}

void HandleVideoFormat(const uint8_t* p, MData&, const MData&, RefreshEvents& out)
{
    out.push_back({Refresh::IpBoardVideoFormat, p[0]});
}

void HandleTakeData(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    if (!std::equal(std::begin(kTakeMarker), std::end(kTakeMarker), p)) {
        out.push_back({Refresh::TakeStatus, p[4]});
        return;
    }
    constexpr int kItemSize = 2;  // working mode, duration
    const int length = p[4];
    const int count = p[5];
    if (!RecordsFit(6, length, count, kItemSize)) {
        Refuse(0x0701, "take items run past the payload");
        return;
    }
    for (int k = 0; k < count; ++k) {
        const uint8_t* item = p + 6 + k * length;
        switch (item[0]) {
        case MOSAIC_MODE:
            record.M_MosaicLayerCfg.durationTime = item[1];
            break;
        case SWITCHER_MODE:
            record.M_SwitchLayerCfg.durationTime = item[1];
            break;
        case BACKUP_MODE:
            record.M_BackupLayerCfg.durationTime = item[1];
            break;
        default:
            break;
        }
    }
    out.push_back({Refresh::TakeData});
}

void HandleMachineVer(const uint8_t* p, MData& record, const MData&, RefreshEvents& out)
{
    MachineInfo& info = record.M_MachineInfo;
    const int kind = p[0];
    switch (kind) {
    case VER_MAINBOARD:
    case VER_UIBOARD: {
        BoardVersion& board = info.board[kind];
        board.versionB = ReadLe16(p + 2);
        board.versionA = ReadLe16(p + 4);
        // Exactly as reported, zero bytes included.
        board.buildDate =
            QString::fromLatin1(reinterpret_cast<const char*>(p + 6), kBuildDateLength);
        if (kind == VER_MAINBOARD) {
            record.M_SwitcherType = p[31];
            DeviceLog("buff[31]:%d", p[31]);
        }
        out.push_back({Refresh::MachineVer, kind});
        break;
    }
    case VER_ELECTRIC:
        for (int i = 0; i < kVoltages; ++i) {
            info.stdVoltage[i] = ReadLe16(p + 2 + 2 * i);
            info.voltage[i] = ReadLe16(p + 16 + 2 * i);
        }
        out.push_back({Refresh::MachineElectric});
        break;
    case VER_ETHBOARD:
        info.ethVersion = ReadLe16(p + 2);
        out.push_back({Refresh::MachineVer, VER_ETHBOARD});
        break;
    default:
        break;
    }
}
