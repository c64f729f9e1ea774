#include "CommandEncoder.h"

#include "DeviceList.h"
#include "DeviceLog.h"
#include "SearchGroups.h"

#include <cstring>

namespace {

constexpr uint8_t kTakeFill = 0xFF;

// Which of data and addr a type reads. Type 21 reads data only for some
// sub-commands; that is checked once the sub-command is known.
enum Needs { NeedsNothing = 0, NeedsData = 1, NeedsAddr = 2, NeedsBoth = NeedsData | NeedsAddr };

Needs NeedsOf(int type)
{
    switch (type) {
    case SEND_INQUIREVERCMD:
    case SEND_ALLCFGCMD:
    case SEND_PRESETLOADCMD:
    case SEND_PRESETSAVECMD:
    case SEND_PRESETCLEARCMD:
    case SEND_PRESETSOURCECMD:
    case SEND_TESTPATTERNCMD:
    case SEND_INPUTPORTCMD:
    case SEND_INPUTTILECMD:
    case SEND_OUTPUTWINDOWCMD:
    case SEND_HDMISETTINGCMD:
    case SEND_TAKEDURATIONCMD:
    case SEND_TASKCONFIGCMD:
    case SEND_TASKRUNCMD:
    case SEND_TASKCLEARCMD:
    case SEND_AUTOBACKUPCMD:
    case SEND_VIDEOFORMATCMD:
    case SEND_SEARCHCMD:
    case SEND_USBCONNECTCMD:
        return NeedsData;
    case SEND_LAYERCMD:
        return NeedsAddr;
    case SEND_INPUTCROPCMD:
    case SEND_INPUTEDIDCMD:
    case SEND_OUTPUTRESOCMD:
    case SEND_LAYERZOOMCMD:
    case SEND_LAYERPICTURECMD:
    case SEND_CHROMAKEYCMD:
    case SEND_LOGOCMD:
        return NeedsBoth;
    default:
        return NeedsNothing;
    }
}

EncodedCommand Refuse(int type, const char* why)
{
    DeviceLog("Command type %d not sent: %s", type, why);
    return {};
}

uint8_t Low(int32_t value)
{
    return static_cast<uint8_t>(value);
}

// Layer commands with code 0x0650, by sub-command.
EncodedCommand EncodeLayer(const void* data, const uint8_t* addr)
{
    EncodedCommand cmd;
    cmd.route = CommandRoute::Queue;
    cmd.code = 0x0650;
    Payload& p = cmd.payload;
    const uint8_t sub = addr[0];

    if (sub == LAYER_RAW) {
        if (!data)
            return Refuse(SEND_LAYERCMD, "no byte count");
        int32_t count = 0;
        std::memcpy(&count, data, sizeof count);
        if (count > Frame::kPayloadSize) {
            DeviceLog("Layer raw bytes: %d cut to %d", count, Frame::kPayloadSize);
            count = Frame::kPayloadSize;
        }
        if (count > 0)
            std::memcpy(p.data(), addr, static_cast<size_t>(count));
        return cmd;
    }
    if (sub > LAYER_ROTATION)
        return cmd;  // unknown sub-commands still go out, all 0x55
    if (!data)
        return Refuse(SEND_LAYERCMD, "no layer record");

    const auto& layer = *static_cast<const LayerRecord*>(data);
    p.set8(0, sub);
    p.set8(2, addr[1]);
    switch (sub) {
    case LAYER_ONOFF:
        p.set8(3, layer.onOff);
        break;
    case LAYER_SOURCE:
        p.set8(3, layer.tileEnable);
        p.set8(4, layer.tileId);
        p.set8(5, layer.inputId);
        p.set8(6, layer.halfId);
        break;
    case LAYER_LOGO:
        p.set8(3, layer.logoOnOff);
        break;
    case LAYER_RECT:
        p.set32(4, layer.hs);
        p.set32(8, layer.vs);
        p.set32(12, layer.hact);
        p.set32(16, layer.vact);
        break;
    case LAYER_ALPHA:
        p.set8(3, layer.alpha);
        break;
    case LAYER_ROTATION:
        p.set8(3, Low(layer.rotation));
        break;
    }
    return cmd;
}

// Fills the 0xFF payload with the current take group's octets.
EncodedCommand EncodeMultiTake(int type, uint16_t code, const CommandContext& ctx)
{
    if (!ctx.takeGroups || ctx.groupIndex < 0 || ctx.groupIndex >= kTakeGroupCount)
        return Refuse(type, "no take group selected");
    const QByteArray& group = ctx.takeGroups[ctx.groupIndex];
    int count = group.size();
    if (count > Frame::kPayloadSize) {
        DeviceLog("Take group %d: %d devices cut to %d", ctx.groupIndex, count,
                  Frame::kPayloadSize);
        count = Frame::kPayloadSize;
    }
    EncodedCommand cmd;
    cmd.route = CommandRoute::Broadcast;
    cmd.code = code;
    cmd.payload.fill(kTakeFill);
    std::memcpy(cmd.payload.data(), group.constData(), static_cast<size_t>(count));
    return cmd;
}

void WriteTaskRecord(Payload& p, int at, const ScheduleTask& task)
{
    const uint8_t head[] = {task.index, task.year,   task.month,  task.day,
                            task.hour,  task.minute, task.second, task.option};
    for (size_t i = 0; i < sizeof head; ++i)
        p.set8(at + static_cast<int>(i), head[i]);
    p.set16(at + 8, task.period);
    p.set8(at + 10, 0x01);  // the device expects 1 here, whatever the task's flag holds
    p.set8(at + 11, task.presetId);
}

Payload TaskRecords(const ScheduleTask* const tasks[], int count)
{
    constexpr int kRecordLength = 14;
    Payload p;
    p.set8(0, 0x00);
    p.set8(1, kRecordLength);
    p.set8(2, static_cast<uint8_t>(count));
    for (int i = 0; i < count; ++i)
        WriteTaskRecord(p, 4 + i * kRecordLength, *tasks[i]);
    return p;
}

void WriteLayerAddress(Payload& p, uint8_t mode, uint8_t second, uint8_t layer, uint8_t kind)
{
    p.set8(0, mode);
    p.set8(1, second);
    p.set8(2, layer);
    p.set8(3, kind);
}

}  // namespace

Payload CropPayload(const InputCropCfg& crop, uint8_t input, uint8_t port)
{
    Q_ASSERT(port < MDataLimits::kPorts);
    Payload p;
    p.set8(0, input);
    p.set8(1, 0x1A);
    p.set8(2, 0x01);
    p.set8(3, port);
    // Left half at index port from P4, right half at index port + 3 from P17.
    for (int half = 0; half < MDataLimits::kHalves; ++half) {
        const int k = half * MDataLimits::kPorts + port;
        const int at = 4 + half * 13;
        p.set8(at, crop.onOff[k] ? 1 : 0);
        p.set16(at + 1, crop.hs[k]);
        p.set16(at + 3, crop.vs[k]);
        p.set16(at + 5, crop.hact[k]);
        p.set16(at + 7, crop.vact[k]);
        p.set16(at + 9, crop.hRange[k]);
        p.set16(at + 11, crop.vRange[k]);
    }
    return p;
}

Payload OutputResoPayload(const OutputResoCfg& reso, uint8_t timingKind)
{
    Payload p;
    p.set8(0, timingKind);
    p.set8(1, 0xFF);
    p.set8(2, Low(reso.outputMode));
    p.set8(3, Low(reso.resoId));
    const uint16_t timing[] = {reso.hact,  reso.vact, reso.fps,    reso.htotal, reso.hsync,
                               reso.hbp,   reso.vtotal, reso.vsync, reso.vbp};
    for (size_t i = 0; i < sizeof timing / sizeof timing[0]; ++i)
        p.set16(4 + 2 * static_cast<int>(i), timing[i]);
    return p;
}

Payload OutputWindowPayload(const OutputWindowRecord& window)
{
    Payload p;
    p.set8(0, window.portID);
    p.set8(1, window.onOff);
    p.set16(2, window.hs);
    p.set16(4, window.vs);
    p.set16(6, window.hact);
    p.set16(8, window.vact);
    p.set32(10, static_cast<uint32_t>(window.mosaicHs));
    p.set32(14, static_cast<uint32_t>(window.mosaicVs));
    p.set32(18, static_cast<uint32_t>(window.mosaicHact));
    p.set32(22, static_cast<uint32_t>(window.mosaicVact));
    return p;
}

Payload LayerRecordPayload(const LayerRecord& record, uint8_t mode, uint8_t second, uint8_t layer)
{
    Payload p;
    WriteLayerAddress(p, mode, second, layer, 0x00);
    p.set8(4, record.onOff);
    p.set8(5, record.tileEnable);
    p.set8(6, record.tileId);
    p.set8(7, record.inputId);
    p.set8(8, record.halfId);
    p.set8(9, record.logoOnOff);
    p.set8(10, record.alpha);
    p.set8(11, Low(record.rotation));
    p.set32(16, record.hs);
    p.set32(20, record.vs);
    p.set32(24, record.hact);
    p.set32(28, record.vact);
    return p;
}

Payload LayerZoomPayload(const LayerZoomCfg& zoom, uint8_t mode, uint8_t second, uint8_t layer)
{
    Payload p;
    WriteLayerAddress(p, mode, second, layer, 0x02);
    p.set8(4, zoom.onOff ? 1 : 0);
    p.set16(5, zoom.hs);
    p.set16(7, zoom.vs);
    p.set16(9, zoom.hact);
    p.set16(11, zoom.vact);
    p.set16(13, zoom.hRange);
    p.set16(15, zoom.vRange);
    return p;
}

Payload LayerPicturePayload(const LayerPictureCfg& picture, uint8_t mode, uint8_t second,
                            uint8_t layer)
{
    Payload p;
    WriteLayerAddress(p, mode, second, layer, 0x01);
    p.set8(4, picture.brightness);
    p.set8(5, picture.contrast);
    p.set8(6, picture.saturation);
    p.set8(7, 0x32);
    p.set8(8, 0x32);
    p.set8(9, Low(picture.colorTempMode));
    p.set8(10, picture.colorTempR);
    p.set8(11, picture.colorTempG);
    p.set8(12, picture.colorTempB);
    return p;
}

Payload ChromaKeyPayload(const ChromaKeyCfg& key, uint8_t mode, uint8_t second, uint8_t layer)
{
    Payload p;
    WriteLayerAddress(p, mode, second, layer, 0x03);
    p.set8(4, key.onOff);
    p.set8(5, key.maxR);
    p.set8(6, key.minR);
    p.set8(7, key.maxG);
    p.set8(8, key.minG);
    p.set8(9, key.maxB);
    p.set8(10, key.minB);
    return p;
}

Payload TaskPayload(const ScheduleTask& task)
{
    const ScheduleTask* const tasks[] = {&task};
    return TaskRecords(tasks, 1);
}

Payload TaskPayload(const ScheduleTask& first, const ScheduleTask& second)
{
    const ScheduleTask* const tasks[] = {&first, &second};
    return TaskRecords(tasks, 2);
}

CommandContext CurrentCommandContext()
{
    return CurrentCommandContext(SEND_DATETIMECMD);
}

CommandContext CurrentCommandContext(int type)
{
    CommandContext ctx;
    ctx.searchHostIp = SearchHostIp;
    ctx.takeGroups = CheckedMachineList;
    ctx.groupIndex = CheckedGroupIndex;
    if (type == SEND_DATETIMECMD)
        ctx.now = QDateTime::currentDateTime();
    return ctx;
}

EncodedCommand EncodeCommand(const void* data, int type, const uint8_t* addr,
                             const CommandContext& ctx)
{
    const Needs needs = NeedsOf(type);
    if ((needs & NeedsData) && !data)
        return Refuse(type, "no data");
    if ((needs & NeedsAddr) && !addr)
        return Refuse(type, "no address");

    const auto* bytes = static_cast<const uint8_t*>(data);
    EncodedCommand cmd;
    cmd.route = CommandRoute::Queue;
    Payload& p = cmd.payload;
    // The many commands that carry a fixed first byte and the caller's byte after it.
    const auto fixedAndByte = [&](uint16_t code, uint8_t first) {
        cmd.code = code;
        p.set8(0, first);
        p.set8(1, bytes[0]);
        return cmd;
    };
    const auto preset = [&](uint8_t op) {
        cmd.code = 0x0603;
        p.set8(0, 0x01);
        p.set8(1, op);
        if (bytes)
            p.set8(2, bytes[0]);
        return cmd;
    };

    switch (type) {
    case SEND_INQUIREALLCMD:
        cmd.code = 0x0600;
        return cmd;
    case SEND_INQUIREPRESETCMD:
        cmd.code = 0x0604;
        return cmd;
    case SEND_INQUIREVERCMD:
        cmd.code = 0x0710;
        p.set8(0, bytes[0]);
        return cmd;
    case SEND_ALLCFGCMD: {
        const auto& cfg = *static_cast<const AllCfg*>(data);
        cmd.code = 0x0601;
        p.set8(0, 0xFF);
        p.set8(1, Low(cfg.workMode));
        p.set8(2, Low(cfg.brightLevel));
        p.set8(3, Low(cfg.gammaMode));
        p.set8(4, cfg.gammaValue);
        p.set8(5, Low(cfg.syncLock));
        p.set8(6, 0x00);
        p.set8(7, 0x00);
        return cmd;
    }
    case SEND_PRESETLOADCMD:
        return preset(0x01);
    case SEND_PRESETSAVECMD:
        return preset(0x00);
    case SEND_PRESETCLEARALLCMD:
        return preset(0x03);  // the preset byte only when one is given
    case SEND_PRESETCLEARCMD:
        return preset(0x02);
    case SEND_PRESETSOURCECMD:
        return preset(0x04);
    case SEND_TESTPATTERNCMD:
        return fixedAndByte(0x0601, 0x05);
    case SEND_DATETIMECMD: {
        const QDate date = ctx.now.date();
        const QTime time = ctx.now.time();
        cmd.code = 0x001F;
        p.set16(0, static_cast<uint16_t>(date.year()));
        p.set8(2, static_cast<uint8_t>(date.month()));
        p.set8(3, static_cast<uint8_t>(date.day()));
        p.set8(4, static_cast<uint8_t>(time.hour()));
        p.set8(5, static_cast<uint8_t>(time.minute()));
        p.set8(6, static_cast<uint8_t>(time.second()));
        return cmd;
    }
    case SEND_INPUTPORTCMD:
        cmd.code = 0x0611;
        p.set8(0, bytes[0]);
        p.set8(1, bytes[1]);
        return cmd;
    case SEND_INPUTCROPCMD:
        if (addr[1] >= MDataLimits::kPorts)
            return Refuse(type, "port out of range");
        cmd.code = DeviceCode::kInputCrop;
        p = CropPayload(*static_cast<const InputCropCfg*>(data), addr[0], addr[1]);
        return cmd;
    case SEND_INPUTTILECMD: {
        const auto& inputs = *static_cast<const InputData*>(data);
        cmd.code = 0x0616;
        p.set8(0, 0x00);
        p.set8(1, 0x09);
        p.set8(2, 0x02);
        for (int t = 0; t < MDataLimits::kTiles; ++t) {
            const InputTileCfg& tile = inputs.tile[t];
            const int at = 4 + t * 9;
            p.set8(at, Low(tile.count));
            for (int k = 0; k < MDataLimits::kTileSources; ++k) {
                p.set8(at + 1 + 2 * k, Low(tile.input[k]));
                p.set8(at + 2 + 2 * k, Low(tile.half[k]));
            }
        }
        return cmd;
    }
    case SEND_INPUTEDIDCMD: {
        const int port = addr[1];
        if (port >= MDataLimits::kPorts)
            return Refuse(type, "port out of range");
        const auto& edid = *static_cast<const InputEdidCfg*>(data);
        cmd.code = 0x0618;
        p.set8(0, addr[0]);
        p.set8(1, 0x09);
        p.set8(2, 0x01);
        p.set8(3, addr[1]);
        p.set8(4, addr[2]);
        p.set16(5, edid.hact[port]);
        p.set16(7, edid.vact[port]);
        p.set16(9, edid.rate[port]);
        p.set16(11, edid.hblank[port]);
        p.set16(13, edid.vblank[port]);
        return cmd;
    }
    case SEND_OUTPUTRESOCMD:
        cmd.code = DeviceCode::kOutputReso;
        p = OutputResoPayload(*static_cast<const OutputResoCfg*>(data), addr[0]);
        return cmd;
    case SEND_LAYERZOOMCMD:
        cmd.code = DeviceCode::kLayerItem;
        p = LayerZoomPayload(*static_cast<const LayerZoomCfg*>(data), addr[0], addr[1], addr[2]);
        return cmd;
    case SEND_OUTPUTWINDOWCMD: {
        const auto& window = *static_cast<const OutputWindowRecord*>(data);
        DeviceLog("Mdata->portID:%d", window.portID);
        cmd.code = DeviceCode::kOutputWindow;
        p = OutputWindowPayload(window);
        return cmd;
    }
    case SEND_HDMISETTINGCMD: {
        const auto& hdmi = *static_cast<const HdmiSettingCfg*>(data);
        cmd.code = 0x0634;
        p.set8(0, 0xFF);
        p.set8(1, Low(hdmi.colorSpace));
        p.set8(2, Low(hdmi.rgbRange));
        p.set8(3, Low(hdmi.colorDepth));
        p.set8(4, hdmi.hdr);
        p.set8(5, hdmi.dviHdmi);
        p.set8(6, hdmi.outputPort);
        return cmd;
    }
    case SEND_LAYERPICTURECMD:
        // The caller's address is {mode, layer, group or bMain}; the frame's is
        // {mode, group or bMain, layer} as for zoom and chroma key.
        cmd.code = DeviceCode::kLayerItem;
        p = LayerPicturePayload(*static_cast<const LayerPictureCfg*>(data), addr[0], addr[2],
                                addr[1]);
        return cmd;
    case SEND_CHROMAKEYCMD:
        cmd.code = DeviceCode::kLayerItem;
        p = ChromaKeyPayload(*static_cast<const ChromaKeyCfg*>(data), addr[0], addr[1], addr[2]);
        return cmd;
    case SEND_LAYERCMD:
        return EncodeLayer(data, addr);
    case SEND_TAKECMD:
        cmd.code = 0x0700;
        return cmd;
    case SEND_TAKEDURATIONCMD: {
        cmd.code = 0x0700;
        const uint8_t head[] = {0x00, 0x11, 0x22, 0x33, 0x02, 0x01};  // item length 2, one item
        for (int i = 0; i < 6; ++i)
            p.set8(i, head[i]);
        p.set8(6, bytes[0]);
        p.set8(7, bytes[1]);
        return cmd;
    }
    case SEND_LOGOCMD: {
        const auto& logo = *static_cast<const LogoInfo*>(data);
        cmd.code = 0x0605;
        p.set8(0, logo.op);
        p.set8(1, Low(logo.workMode));
        p.set8(2, addr[1]);
        p.set8(3, addr[0]);
        p.set8(4, addr[2]);
        return cmd;
    }
    case SEND_FREEZECMD:
        cmd.code = 0x0601;
        p.set8(0, 0x06);
        return cmd;
    case SEND_FACTORYRESETCMD:
        cmd.code = 0x05F0;
        p.set8(0, 0x00);
        return cmd;
    case SEND_REBUILDTESTPATTERNCMD:
        cmd.code = 0x05F0;
        p.set8(0, 0x01);
        return cmd;
    case SEND_TASKCONFIGCMD:
        cmd.code = DeviceCode::kTask;
        p = TaskPayload(*static_cast<const ScheduleTask*>(data));
        return cmd;
    case SEND_TASKRUNCMD:
        return fixedAndByte(DeviceCode::kTask, 0x02);
    case SEND_TASKCLEARCMD:
        return fixedAndByte(DeviceCode::kTask, 0x01);
    case SEND_AUTOBACKUPCMD:
        return fixedAndByte(0x0601, 0x07);
    case SEND_VIDEOFORMATCMD:
        cmd.code = 0x0670;
        p.set8(0, bytes[0]);
        return cmd;
    case SEND_HOSTIPCMD: {
        cmd.code = 0x0401;
        const std::array<uint8_t, 4> octets = Ipv4Octets(ctx.searchHostIp);
        std::memcpy(p.data(), octets.data(), octets.size());
        return cmd;
    }
    case SEND_SEARCHCMD:
        cmd.route = CommandRoute::Broadcast;
        cmd.code = 0x8080;
        p.set8(0, 0xFF);
        for (int i = 0; i < 4; ++i)
            p.set8(1 + i, bytes[i]);
        return cmd;
    case SEND_MULTITAKE1CMD:
        return EncodeMultiTake(type, 0x0580, ctx);
    case SEND_MULTITAKE2CMD:
        return EncodeMultiTake(type, 0x0581, ctx);
    case SEND_USBCONNECTCMD:
        cmd.route = CommandRoute::Usb;
        cmd.code = 0x0001;
        p.set8(0, bytes[0]);
        return cmd;
    default:
        return {};  // 38, 39 and anything unknown: nothing is sent
    }
}
