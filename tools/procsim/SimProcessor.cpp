#include "SimProcessor.h"

#include <QDateTime>

namespace sim {

namespace {

struct Timing {
    int hact, vact, fps, htotal, hsync, hbp, vtotal, vsync, vbp;
};

// The device's own output timings, by resolution index 0..26.
const Timing kResolutions[27] = {
    {1024, 768, 6000, 1344, 136, 160, 806, 6, 29},    // 0
    {1280, 1024, 6000, 1688, 112, 248, 1066, 3, 38},  // 1
    {1024, 768, 12000, 1184, 32, 80, 813, 4, 38},     // 2
    {1280, 720, 5994, 1650, 40, 220, 750, 5, 20},     // 3
    {1280, 720, 6000, 1650, 40, 220, 750, 5, 20},     // 4
    {2048, 1920, 6000, 2208, 32, 80, 1975, 4, 48},    // 5
    {1600, 1200, 6000, 2160, 192, 304, 1250, 3, 46},  // 6
    {1600, 1200, 6000, 1760, 32, 80, 1235, 4, 28},    // 7, reduced blanking
    {1680, 1050, 6000, 2240, 176, 280, 1089, 6, 30},  // 8
    {1920, 1080, 5994, 2200, 44, 148, 1125, 5, 36},   // 9
    {1920, 1080, 6000, 2200, 44, 148, 1125, 5, 36},   // 10
    {1920, 1080, 5000, 2640, 44, 148, 1125, 5, 36},   // 11
    {1920, 1200, 6000, 2080, 32, 80, 1235, 6, 26},    // 12
    {1936, 1280, 6000, 2096, 32, 80, 1318, 4, 30},    // 13
    {2048, 1152, 6000, 2250, 80, 96, 1200, 3, 44},    // 14
    {1024, 1280, 6000, 1184, 32, 80, 1318, 4, 30},    // 15
    {1536, 1536, 6000, 1696, 32, 80, 1580, 4, 36},    // 16
    {3840, 1080, 6000, 4000, 32, 80, 1111, 5, 23},    // 17
    {3840, 2160, 6000, 4400, 88, 296, 2250, 10, 72},  // 18
    {3840, 2160, 3000, 4400, 88, 296, 2250, 10, 72},  // 19
    {4096, 1280, 6000, 4256, 32, 80, 1318, 4, 30},    // 20
    {4096, 2160, 6000, 4400, 88, 128, 2250, 10, 72},  // 21
    {4096, 2160, 3000, 4400, 88, 128, 2250, 10, 72},  // 22
    {2560, 1080, 12000, 2720, 32, 80, 1144, 10, 50},  // 23
    {1920, 1080, 12000, 2200, 44, 148, 1125, 5, 36},  // 24
    {2560, 1440, 9000, 2720, 32, 80, 1490, 5, 41},    // 25
    {1920, 1080, 6000, 2200, 44, 148, 1125, 5, 36}};  // 26

// Reduced-blanking timings around a custom active size.
void DeriveBlanking(OutputReso& r)
{
    r.htotal = r.hact + 160;
    r.hsync = 32;
    r.hbp = 80;
    r.vtotal = r.vact + 45;
    r.vsync = 5;
    r.vbp = 36;
}

const int kTakeMs = 300;
const int kLogoStepMs = 100;

}  // namespace

Processor::Processor(const State& initial) : s(initial), factory(initial) {}

Outcome Processor::apply(const Msg& m)
{
    Outcome o;
    const Bytes32& p = m.p;
    switch (m.code) {
        case 0x0600:
            o.readBack = true;
            break;
        case 0x0601:
            allCfg(p, o);
            break;
        case 0x0603:
            preset(p, o);
            break;
        case 0x0604:
            for (int mode = 0; mode < 5; ++mode)
                o.replies.append(reply::PresetValid(s, mode));
            break;
        case 0x0605:
            logo(p, o);
            break;
        case 0x0607:
            tasks(p, o);
            break;
        case 0x0611:
            if (p.u8(0) < 6 && p.u8(1) < 3) {
                s.M_InputData.port[p.u8(0)].actId = p.u8(1);
                o.replies.append(reply::InputCfg(s));
            }
            break;
        case 0x0614:
            crop(p, o);
            break;
        case 0x0616:
            for (int t = 0; t < 2; ++t) {
                InputTile& tile = s.M_InputData.tile[t];
                const int at = 4 + t * 9;
                tile.count = p.u8(at);
                for (int k = 0; k < 4; ++k) {
                    tile.input[k] = p.u8(at + 1 + 2 * k);
                    tile.half[k] = p.u8(at + 2 + 2 * k);
                }
            }
            o.replies.append(reply::Tiles(s));
            break;
        case 0x0618:
            edid(p, o);
            break;
        case 0x0630:
            outputReso(p, o);
            break;
        case 0x0632:
            outputWindow(p, o);
            break;
        case 0x0634: {
            HdmiSetting& h = s.M_OutputData.M_HdmiSettingCfg;
            h.colorSpace = p.u8(1);
            h.rgbRange = p.u8(2);
            h.colorDepth = p.u8(3);
            h.hdr = p.u8(4);
            h.dviHdmi = p.u8(5);
            h.outputPort = p.u8(6);
            o.replies.append(reply::Hdmi(s));
            break;
        }
        case 0x0650:
            layerCommand(p, o);
            break;
        case 0x0651:
            layerSetting(p, o);
            break;
        case 0x0670:
            videoFormat = p.u8(0);
            o.replies.append(reply::VideoFormat(videoFormat));
            break;
        case 0x0700:
            take(p, o);
            break;
        case 0x0710:
            if (p.u8(0) < 4)
                o.replies.append(reply::Version(s, p.u8(0)));
            break;
        case 0x05F0:
            service(p, o);
            break;
        case 0x0401:
            hostIp =
                QStringLiteral("%1.%2.%3.%4").arg(p.u8(0)).arg(p.u8(1)).arg(p.u8(2)).arg(p.u8(3));
            break;
        case 0x001F:
            clock = QDateTime(QDate(p.u16(0), p.u8(2), p.u8(3)), QTime(p.u8(4), p.u8(5), p.u8(6)))
                        .toString(Qt::ISODate);
            break;
        default:
            break;
    }
    return o;
}

void Processor::allCfg(const Bytes32& p, Outcome& o)
{
    AllCfg& a = s.M_AllCfg;
    switch (p.u8(0)) {
        case 0xFF: {
            const Num oldMode = a.workMode;
            a.workMode = p.u8(1);
            a.brightLevel = p.u8(2);
            a.gammaMode = p.u8(3);
            a.gammaValue = p.u8(4);
            a.syncLock = p.u8(5);
            o.replies.append(reply::AllCfg(s));
            // A new working mode rebuilds the whole configuration on the device.
            o.readBack = a.workMode != oldMode;
            break;
        }
        case 0x05:
            testPattern = p.u8(1);
            break;
        case 0x06:
            a.freeze = a.freeze ? 0 : 1;
            o.replies.append(reply::Freeze(s));
            break;
        case 0x07:
            a.autoBackup = p.u8(1);
            o.replies.append(reply::AllCfg(s));
            break;
        default:
            break;
    }
}

void Processor::preset(const Bytes32& p, Outcome& o)
{
    const Num mode = s.M_AllCfg.workMode;
    if (p.u8(0) != 0x01 || mode < 0 || mode > 4)
        return;
    const int index = p.u8(2);
    Num* row = s.M_PresetValid[mode];
    switch (p.u8(1)) {
        case 0x00:
            if (index < 20)
                row[index] = 1;
            break;
        case 0x02:
            if (index < 20)
                row[index] = 0;
            break;
        case 0x03:
            for (int i = 0; i < 20; ++i)
                row[i] = 0;
            break;
        case 0x04:
            presetSource = index;
            break;
        default:  // 0x01, recall: the layers stay as they are in this model
            break;
    }
    o.replies.append(reply::PresetValid(s, int(mode)));
}

void Processor::crop(const Bytes32& p, Outcome& o)
{
    const int input = p.u8(0), port = p.u8(3);
    if (input >= 6 || port >= 3)
        return;
    InputCrop& c = s.M_InputData.crop[input];
    for (int h = 0; h < 2; ++h) {
        const int at = 4 + 13 * h;
        const int x = h * 3 + port;
        c.onOff[x] = p.u8(at) != 0;
        c.hs[x] = p.u16(at + 1);
        c.vs[x] = p.u16(at + 3);
        c.hact[x] = p.u16(at + 5);
        c.vact[x] = p.u16(at + 7);
        c.hRange[x] = p.u16(at + 9);
        c.vRange[x] = p.u16(at + 11);
    }
    o.replies.append(reply::Crop(s, input, port));
}

void Processor::edid(const Bytes32& p, Outcome& o)
{
    const int input = p.u8(0), port = p.u8(3);
    if (input >= 6 || port >= 3)
        return;
    InputEdid& e = s.M_InputData.edid[input];
    if (p.u8(4) == 0) {  // back to the device's own timing
        e.hact[port] = 1920;
        e.vact[port] = 1080;
        e.rate[port] = 6000;
        e.hblank[port] = 280;
        e.vblank[port] = 45;
    } else {
        e.hact[port] = p.u16(5);
        e.vact[port] = p.u16(7);
        e.rate[port] = p.u16(9);
        e.hblank[port] = p.u16(11);
        e.vblank[port] = p.u16(13);
    }
    o.replies.append(reply::Edid(s, {{input, port}}));
}

void Processor::outputReso(const Bytes32& p, Outcome& o)
{
    OutputReso& r = s.M_OutputData.M_OutputResoCfg;
    const Num oldMode = r.outputMode;
    r.outputMode = p.u8(2);
    r.resoId = p.u8(3);
    const int kind = p.u8(0);
    if (kind == 0 && r.resoId < 27) {
        const Timing& t = kResolutions[r.resoId];
        r.hact = t.hact;
        r.vact = t.vact;
        r.fps = t.fps;
        r.htotal = t.htotal;
        r.hsync = t.hsync;
        r.hbp = t.hbp;
        r.vtotal = t.vtotal;
        r.vsync = t.vsync;
        r.vbp = t.vbp;
    } else {
        r.hact = p.u16(4);
        r.vact = p.u16(6);
        r.fps = p.u16(8);
        if (kind == 2) {
            r.htotal = p.u16(10);
            r.hsync = p.u16(12);
            r.hbp = p.u16(14);
            r.vtotal = p.u16(16);
            r.vsync = p.u16(18);
            r.vbp = p.u16(20);
        } else {
            DeriveBlanking(r);
        }
    }
    o.replies.append(reply::OutputReso(s));
    o.readBack = r.outputMode != oldMode;
}

void Processor::outputWindow(const Bytes32& p, Outcome& o)
{
    const int w = p.u8(0);
    if (w >= 6)
        return;
    OutputWindow& win = s.M_OutputData.M_OPDisplayCfg[w];
    win.portID = w;
    win.onOff = p.u8(1);
    win.hs = p.u16(2);
    win.vs = p.u16(4);
    win.hact = p.u16(6);
    win.vact = p.u16(8);
    win.mosaicHs = qint32(p.u32(10));
    win.mosaicVs = qint32(p.u32(14));
    win.mosaicHact = qint32(p.u32(18));
    win.mosaicVact = qint32(p.u32(22));
    o.replies.append(reply::OutputWindow(s, w));
}

std::array<int, 3> Processor::liveAddress(int n) const
{
    switch (s.M_AllCfg.workMode) {
        case 0:
            return {0, 0, n};
        case 2:
            return {2, 1, n};
        case 4:
            return {4, n >= 0 && n < 2 ? int(s.M_BackupLayerCfg.layer[n].bMain) : 0, n};
        default:
            return {-1, 0, n};
    }
}

void Processor::layerCommand(const Bytes32& p, Outcome& o)
{
    const int sub = p.u8(0);
    if (sub == 10) {
        // Fades: {layer, 1 in / 0 out, duration} from P2, unused slots 0x55.
        for (int at = 2; at + 2 < kPayloadLen; at += 3) {
            const std::array<int, 3> a = liveAddress(p.u8(at));
            const LayerRef r = FindLayer(s, a[0], a[1], a[2]);
            if (p.u8(at) == 0x55 || !r)
                continue;
            r.layer->alpha = p.u8(at + 1) ? 64 : 0;
            o.replies.append(reply::LayerData(s, a[0], a[1], a[2], 0));
        }
        return;
    }
    const std::array<int, 3> a = liveAddress(p.u8(2));
    const LayerRef r = FindLayer(s, a[0], a[1], a[2]);
    if (!r)
        return;
    Layer& l = *r.layer;
    switch (sub) {
        case 0:
            l.onOff = p.u8(3);
            break;
        case 1:
            l.tileEnable = p.u8(3);
            l.tileId = p.u8(4);
            l.inputId = p.u8(5);
            l.halfId = p.u8(6);
            break;
        case 2:
            l.logoOnOff = p.u8(3);
            break;
        case 3:
            l.hs = p.u32(4);
            l.vs = p.u32(8);
            l.hact = p.u32(12);
            l.vact = p.u32(16);
            break;
        case 4:
            l.alpha = p.u8(3);
            break;
        case 5:
            l.rotation = p.u8(3);
            break;
        default:
            return;
    }
    o.replies.append(reply::LayerData(s, a[0], a[1], a[2], 0));
}

void Processor::layerSetting(const Bytes32& p, Outcome& o)
{
    const int mode = p.u8(0), second = p.u8(1), index = p.u8(2), kind = p.u8(3);
    const LayerRef r = FindLayer(s, mode, second, index);
    if (!r || kind > 3)
        return;
    switch (kind) {
        case 0: {
            Layer& l = *r.layer;
            l.onOff = p.u8(4);
            l.tileEnable = p.u8(5);
            l.tileId = p.u8(6);
            l.inputId = p.u8(7);
            l.halfId = p.u8(8);
            l.logoOnOff = p.u8(9);
            l.alpha = p.u8(10);
            l.rotation = p.u8(11);
            l.hs = p.u32(16);
            l.vs = p.u32(20);
            l.hact = p.u32(24);
            l.vact = p.u32(28);
            if (mode != 0)
                l.bMain = second;
            break;
        }
        case 1: {
            Picture& pic = *r.picture;
            pic.brightness = p.u8(4);
            pic.contrast = p.u8(5);
            pic.saturation = p.u8(6);
            pic.colorTempMode = p.u8(9);
            pic.colorTempR = p.u8(10);
            pic.colorTempG = p.u8(11);
            pic.colorTempB = p.u8(12);
            break;
        }
        case 2: {
            Zoom& z = *r.zoom;
            z.onOff = p.u8(4) != 0;
            z.hs = p.u16(5);
            z.vs = p.u16(7);
            z.hact = p.u16(9);
            z.vact = p.u16(11);
            z.hRange = p.u16(13);
            z.vRange = p.u16(15);
            break;
        }
        case 3: {
            // Commands carry each colour's maximum before its minimum.
            ChromaKey& c = *r.chromaKey;
            c.onOff = p.u8(4);
            c.maxR = p.u8(5);
            c.minR = p.u8(6);
            c.maxG = p.u8(7);
            c.minG = p.u8(8);
            c.maxB = p.u8(9);
            c.minB = p.u8(10);
            break;
        }
        default:
            break;
    }
    const int replySecond = mode == 4 ? int(r.layer->bMain) : second;
    o.replies.append(reply::LayerData(s, mode, replySecond, index, kind));
}

void Processor::take(const Bytes32& p, Outcome& o)
{
    const bool marker = p.u8(0) == 0x00 && p.u8(1) == 0x11 && p.u8(2) == 0x22 && p.u8(3) == 0x33;
    if (!marker) {
        o.replies.append(reply::TakeStatus(1));
        o.later.append({kTakeMs, reply::TakeStatus(0)});
        return;
    }
    const int len = p.u8(4), count = p.u8(5);
    for (int k = 0; k < count && len >= 2 && 6 + k * len + 1 < kPayloadLen; ++k) {
        const int mode = p.u8(6 + k * len), duration = p.u8(7 + k * len);
        if (mode == 0)
            s.M_MosaicLayerCfg.durationTime = duration;
        else if (mode == 2)
            s.M_SwitchLayerCfg.durationTime = duration;
        else if (mode == 4)
            s.M_BackupLayerCfg.durationTime = duration;
    }
    o.replies.append(reply::Durations(s));
}

void Processor::logo(const Bytes32& p, Outcome& o)
{
    LogoInfo& l = s.M_LogoInfo;
    l.op = p.u8(0);
    l.workMode = p.u8(1);
    switch (p.u8(4)) {
        case 1: {  // save the picture of the chosen layer of the live set
            const Num mode = s.M_AllCfg.workMode;
            const LayerRef r = FindLayer(s, int(mode), mode == 2 ? 1 : 0, p.u8(3));
            // Saving reports its progress as the hardware does: state 2 at
            // 0, 40 and 100 %, then the saved logo.
            l.state = 2;
            l.progress = 0;
            o.replies.append(reply::Logo(s));
            l.progress = 40;
            o.later.append({kLogoStepMs, reply::Logo(s)});
            l.progress = 100;
            o.later.append({2 * kLogoStepMs, reply::Logo(s)});
            l.state = 3;
            l.progress = 100;
            l.width = r && r.layer->hact > 0 ? qMin<Num>(r.layer->hact, 1920) : 1920;
            l.height = r && r.layer->vact > 0 ? qMin<Num>(r.layer->vact, 1080) : 1080;
            Normalise(s);
            o.later.append({3 * kLogoStepMs, reply::Logo(s)});
            return;
        }
        case 4:
            if (l.state != 0) {
                l.state = 6;
                l.progress = 100;
            }
            break;
        case 7:
            l.state = 0;
            l.progress = 0;
            l.width = 0;
            l.height = 0;
            break;
        default:
            break;
    }
    Normalise(s);
    o.replies.append(reply::Logo(s));
}

void Processor::tasks(const Bytes32& p, Outcome& o)
{
    TaskCfg& t = s.M_TaskCfg;
    QList<int> changed;
    switch (p.u8(0)) {
        case 0x00: {
            const int len = p.u8(1), count = p.u8(2);
            for (int k = 0; k < count && len >= 12 && 4 + k * len + 12 <= kPayloadLen; ++k) {
                const int at = 4 + k * len;
                const int index = p.u8(at);
                if (index >= 20)
                    continue;
                Task& task = t.task[index];
                Num* head[8] = {&task.index, &task.year,   &task.month,  &task.day,
                                &task.hour,  &task.minute, &task.second, &task.option};
                for (int i = 0; i < 8; ++i)
                    *head[i] = p.u8(at + i);
                task.period = p.u16(at + 8);
                task.flag = p.u8(at + 10);
                task.presetId = p.u8(at + 11);
                changed.append(index);
            }
            break;
        }
        case 0x01:
            for (int i = 0; i < 20; ++i) {
                if (p.u8(1) == 0xFF || p.u8(1) == i) {
                    t.task[i] = Task();
                    t.task[i].index = i;
                    changed.append(i);
                }
            }
            break;
        case 0x02:
            t.status = p.u8(1);
            break;
        default:
            return;
    }
    o.replies.append(reply::Tasks(s, changed));
    o.replies.append(reply::TaskStatus(s));
}

void Processor::service(const Bytes32& p, Outcome& o)
{
    if (p.u8(0) == 0x00) {  // factory reset: back to the state it started with
        s = factory;
        o.replies.append(reply::TestPattern(0, 0, 0x55, 0x55));
        if (resetRestarts) {
            o.later.append({1000, reply::TestPattern(0, 0, 0x55, 0x55)});
            o.later.append({2000, reply::TestPattern(0, 1, 0x55, 0x55)});
        } else {
            o.later.append({500, reply::TestPattern(0, 1, 0x55, 0x55)});
        }
    } else if (p.u8(0) == 0x01) {  // rebuild of the test patterns, reported in steps
        o.replies.append(reply::TestPattern(1, 0, 1, 0));
        o.later.append({200, reply::TestPattern(1, 0, 1, 50)});
        o.later.append({400, reply::TestPattern(1, 0, 1, 100)});
    }
}

}  // namespace sim
