// Encodes one operator action or data request into the code and 32-byte
// payload of a short frame. Pure: the caller gathers everything the encoder
// reads besides data and addr into a CommandContext, and hands the result on.
#pragma once

#include "Frames.h"
#include "MData.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>

// What `data` must point to is noted per value; "byte" means data[0], "n bytes"
// data[0..n-1]. addr is three bytes unless noted; null where "addr -".
enum CommandType {
    SEND_INQUIREALLCMD = 0,           // data -, addr -
    SEND_INQUIREPRESETCMD = 1,        // data -, addr -
    SEND_INQUIREVERCMD = 2,           // data: byte (VerInfo_Enum), addr -
    SEND_ALLCFGCMD = 3,               // data: AllCfg, addr -
    SEND_PRESETLOADCMD = 4,           // data: byte (preset index), addr -
    SEND_PRESETSAVECMD = 5,           // data: byte (preset index), addr -
    SEND_PRESETCLEARALLCMD = 6,       // data: byte or null, addr -
    SEND_PRESETCLEARCMD = 7,          // data: byte (preset index), addr -
    SEND_PRESETSOURCECMD = 8,         // data: byte (1 preview, 0 program), addr -
    SEND_TESTPATTERNCMD = 9,          // data: byte (test pattern), addr -
    SEND_DATETIMECMD = 10,            // data -, addr - (reads CommandContext::now)
    SEND_INPUTPORTCMD = 11,           // data: 2 bytes {input, active port}, addr -
    SEND_INPUTCROPCMD = 12,           // data: InputCropCfg, addr {input, port 0..2}
    SEND_INPUTTILECMD = 13,           // data: InputData (both tiles), addr -
    SEND_INPUTEDIDCMD = 14,           // data: InputEdidCfg, addr {input, port, 2 accept/0 reset}
    SEND_OUTPUTRESOCMD = 15,          // data: OutputResoCfg, addr {timing kind 0/1/2}
    SEND_LAYERZOOMCMD = 16,           // data: LayerZoomCfg, addr {mode, bMain or group, layer}
    SEND_OUTPUTWINDOWCMD = 17,        // data: OutputWindowRecord, addr -
    SEND_HDMISETTINGCMD = 18,         // data: HdmiSettingCfg, addr -
    SEND_LAYERPICTURECMD = 19,        // data: LayerPictureCfg, addr {mode, layer, bMain or group}
    SEND_CHROMAKEYCMD = 20,           // data: ChromaKeyCfg, addr {mode, bMain or group, layer}
    SEND_LAYERCMD = 21,               // addr {LayerSubCommand, layer}; data: LayerRecord for
                                      // sub-commands 0..5; for LAYER_RAW data is an int32_t
                                      // count n and addr the n bytes; others read no data
    SEND_TAKECMD = 22,                // data -, addr -
    SEND_TAKEDURATIONCMD = 23,        // data: 2 bytes {working mode, duration}, addr -
    SEND_LOGOCMD = 24,                // data: LogoInfo, addr {layer, preview/program, operation}
    SEND_FREEZECMD = 25,              // data -, addr -
    SEND_FACTORYRESETCMD = 26,        // data -, addr -
    SEND_REBUILDTESTPATTERNCMD = 27,  // data -, addr -
    SEND_TASKCONFIGCMD = 28,          // data: ScheduleTask, addr -
    SEND_TASKRUNCMD = 29,             // data: byte (1 run, 0 stop), addr -
    SEND_TASKCLEARCMD = 30,           // data: byte (task index, 0xFF all), addr -
    SEND_AUTOBACKUPCMD = 31,          // data: byte (autoBackup), addr -
    SEND_VIDEOFORMATCMD = 32,         // data: byte (preview quality 0..2), addr -
    SEND_HOSTIPCMD = 33,              // data -, addr - (reads CommandContext::searchHostIp)
    SEND_SEARCHCMD = 34,              // data: 4 bytes (search address octets), addr -
    SEND_MULTITAKE1CMD = 35,          // data -, addr - (reads the current take group)
    SEND_MULTITAKE2CMD = 36,          // data -, addr - (reads the current take group)
    SEND_USBCONNECTCMD = 37,          // data: byte (1 keyboard attached), addr -
    // 38 has no name: nothing is sent.
    SEND_USBFREEZECMD = 39,  // nothing is sent
    SEND_ALLCROPCMD = 40,    // batch: every input's crop
    SEND_ALLOUTPUTCMD = 41,  // batch: output timing and windows
    SEND_ALLLAYERCMD = 42,   // batch: the three layer sets
    SEND_ALLTASKCMD = 43     // batch: the scheduled tasks
};

// addr[0] of SEND_LAYERCMD.
enum LayerSubCommand {
    LAYER_ONOFF = 0,
    LAYER_SOURCE = 1,
    LAYER_LOGO = 2,
    LAYER_RECT = 3,
    LAYER_ALPHA = 4,
    LAYER_ROTATION = 5,
    LAYER_RAW = 10
};

// Device codes that both encoders use.
namespace DeviceCode {
constexpr uint16_t kInputCrop = 0x0614;
constexpr uint16_t kOutputReso = 0x0630;
constexpr uint16_t kOutputWindow = 0x0632;
constexpr uint16_t kLayerItem = 0x0651;  // zoom, picture, chroma key (and batch layer frames)
constexpr uint16_t kTask = 0x0607;
}  // namespace DeviceCode

enum class CommandRoute {
    None,       // nothing is sent
    Queue,      // queued for the target device
    Broadcast,  // broadcast at once
    Usb         // to the USB control keyboard
};

struct EncodedCommand {
    CommandRoute route = CommandRoute::None;
    uint16_t code = 0;
    Payload payload;
};

// What the encoder reads besides data and addr, gathered by the caller so the
// encoder stays pure.
struct CommandContext {
    QString searchHostIp;                  // SEND_HOSTIPCMD
    const QByteArray* takeGroups = nullptr;  // kTakeGroupCount groups; SEND_MULTITAKE1/2CMD
    int groupIndex = -1;                   // the take group to send, 0..3
    QDateTime now;                         // SEND_DATETIMECMD
};

// The process-wide search address and take groups and the local clock, now.
CommandContext CurrentCommandContext();
// The same for command type alone: the local clock only for the one type that
// carries it (reading it reads the time zone again, on every frame sent).
CommandContext CurrentCommandContext(int type);

// Route, code and payload of command type 0..39. A type whose data or addr is
// needed but null, or whose address or take group cannot be encoded, gives
// route None and one log line.
EncodedCommand EncodeCommand(const void* data, int type, const uint8_t* addr,
                             const CommandContext& ctx);

// Single-item payload layouts, shared with the batch encoder.

// Crop of one port: port 0..2 (left half, index port) and its right half (index port + 3).
Payload CropPayload(const InputCropCfg& crop, uint8_t input, uint8_t port);
// Output timing; timingKind 0 table timing, 1 custom, 2 custom with advanced timings.
Payload OutputResoPayload(const OutputResoCfg& reso, uint8_t timingKind);
Payload OutputWindowPayload(const OutputWindowRecord& window);
// Layer items with code 0x0651: P0 mode, P1 second address byte, P2 layer,
// P3 the item (0 the whole layer record, 1 picture, 2 zoom, 3 chroma key).
Payload LayerRecordPayload(const LayerRecord& record, uint8_t mode, uint8_t second,
                           uint8_t layer);
Payload LayerZoomPayload(const LayerZoomCfg& zoom, uint8_t mode, uint8_t second, uint8_t layer);
Payload LayerPicturePayload(const LayerPictureCfg& picture, uint8_t mode, uint8_t second,
                            uint8_t layer);
Payload ChromaKeyPayload(const ChromaKeyCfg& key, uint8_t mode, uint8_t second, uint8_t layer);
// One task record, or two in one frame.
Payload TaskPayload(const ScheduleTask& task);
Payload TaskPayload(const ScheduleTask& first, const ScheduleTask& second);
