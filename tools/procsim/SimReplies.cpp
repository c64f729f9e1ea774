#include "SimReplies.h"

namespace sim {

namespace {
Msg Make(uint16_t code)
{
    return Msg{code, Bytes32()};
}

void PutIp(Bytes32& p, int at, quint32 ip)
{
    for (int i = 0; i < 4; ++i)
        p.put8(at + i, ip >> (24 - 8 * i));
}
}  // namespace

LayerRef FindLayer(State& s, int mode, int second, int index)
{
    auto ref = [](auto& set, int i) {
        LayerRef r;
        if (i >= 0 && i < std::remove_reference_t<decltype(set)>::kCount) {
            r.layer = &set.layer[i];
            r.zoom = &set.zoom[i];
            r.chromaKey = &set.chromaKey[i];
            r.picture = &set.picture[i];
        }
        return r;
    };
    switch (mode) {
        case 0:
            return ref(s.M_MosaicLayerCfg, index);
        case 2:
            if (second < 0 || second > 1 || index < 0 || index > 2)
                return {};
            return ref(s.M_SwitchLayerCfg, second * 3 + index);
        case 4:
            return ref(s.M_BackupLayerCfg, index);
        default:
            return {};
    }
}

QList<std::array<int, 3>> LayerAddresses(const State& s, int mode)
{
    QList<std::array<int, 3>> out;
    if (mode == 0)
        for (int l = 0; l < 4; ++l)
            out.append({0, 0, l});
    if (mode == 2)
        for (int g = 0; g < 2; ++g)
            for (int l = 0; l < 3; ++l)
                out.append({2, g, l});
    if (mode == 4)
        for (int l = 0; l < 2; ++l)
            out.append({4, int(s.M_BackupLayerCfg.layer[l].bMain), l});
    return out;
}

namespace reply {

Msg AllCfg(const State& s)
{
    Msg m = Make(0x0602);
    const sim::AllCfg& a = s.M_AllCfg;
    m.p.put8(0, 0xFF);
    m.p.put8(1, a.workMode);
    m.p.put8(2, a.brightLevel);
    m.p.put8(3, a.gammaMode);
    m.p.put8(4, a.gammaValue);
    m.p.put8(5, a.syncLock);
    m.p.put8(7, a.freeze);
    m.p.put8(8, a.autoBackup);
    return m;
}

Msg Freeze(const State& s)
{
    Msg m = Make(0x0602);
    m.p.put8(0, 0x06);
    m.p.put8(1, s.M_AllCfg.freeze);
    return m;
}

Msg PresetValid(const State& s, int mode)
{
    Msg m = Make(0x0604);
    m.p.put8(0, 0x01);
    m.p.put8(1, mode);
    for (int i = 0; i < 20; ++i)
        m.p.put8(2 + i, s.M_PresetValid[mode][i]);
    return m;
}

Msg Logo(const State& s)
{
    Msg m = Make(0x0606);
    const LogoInfo& l = s.M_LogoInfo;
    m.p.put8(0, l.op);
    m.p.put8(1, l.workMode);
    m.p.put8(4, l.state);
    m.p.put8(5, l.progress);
    m.p.put16(6, l.valueA);
    m.p.put16(8, l.valueB);
    m.p.put16(10, l.width);
    m.p.put16(12, l.height);
    return m;
}

// Task records of 12 bytes, two per reply.
QList<Msg> Tasks(const State& s, const QList<int>& tasks)
{
    constexpr int kLen = 12;
    QList<Msg> out;
    for (int k = 0; k < tasks.size(); k += 2) {
        Msg m = Make(0x0608);
        const int n = qMin(2, tasks.size() - k);
        m.p.put8(0, 0x00);
        m.p.put8(1, kLen);
        m.p.put8(2, n);
        for (int r = 0; r < n; ++r) {
            const Task& t = s.M_TaskCfg.task[tasks[k + r]];
            const int at = 4 + r * kLen;
            const Num head[8] = {t.index, t.year,   t.month,  t.day,
                                 t.hour,  t.minute, t.second, t.option};
            for (int i = 0; i < 8; ++i)
                m.p.put8(at + i, head[i]);
            m.p.put16(at + 8, t.period);
            m.p.put8(at + 10, t.flag);
            m.p.put8(at + 11, t.presetId);
        }
        out.append(m);
    }
    return out;
}

Msg TaskStatus(const State& s)
{
    Msg m = Make(0x0608);
    m.p.put8(0, 0x02);
    m.p.put8(1, s.M_TaskCfg.status);
    return m;
}

// Port records of 8 bytes, inputs 0..2 and 3..5.
QList<Msg> InputCfg(const State& s)
{
    constexpr int kLen = 8;
    QList<Msg> out;
    for (int first = 0; first < 6; first += 3) {
        Msg m = Make(0x0612);
        m.p.put8(0, first);
        m.p.put8(1, kLen);
        m.p.put8(2, 3);
        for (int k = 0; k < 3; ++k) {
            const InputPort& in = s.M_InputData.port[first + k];
            const int at = 4 + k * kLen;
            m.p.put8(at, in.portNum);
            m.p.put8(at + 1, in.actId);
            for (int j = 0; j < 3; ++j) {
                m.p.put8(at + 2 + 2 * j, in.chnlId[j]);
                m.p.put8(at + 3 + 2 * j, in.inputType[j]);
            }
        }
        out.append(m);
    }
    return out;
}

// Two half records of 11 bytes from P5.
Msg Signal(const State& s, int input, int port)
{
    constexpr int kHalf = 11;
    Msg m = Make(0x0613);
    const InputSignal& sig = s.M_InputData.signal[input];
    m.p.put8(0, input);
    m.p.put8(1, 2 * kHalf);
    m.p.put8(2, 0x01);
    m.p.put8(3, port);
    for (int h = 0; h < 2; ++h) {
        const int at = 5 + h * kHalf;
        m.p.put8(at, sig.interlaced[h][port] ? 1 : 0);
        m.p.put16(at + 1, sig.width[h][port]);
        m.p.put16(at + 3, sig.height[h][port]);
        m.p.put16(at + 7, sig.infoA[h][port]);
        m.p.put16(at + 9, sig.infoB[h][port]);
    }
    return m;
}

// Two half records of 13 bytes from P4.
Msg Crop(const State& s, int input, int port)
{
    constexpr int kHalf = 13;
    Msg m = Make(0x0615);
    const InputCrop& c = s.M_InputData.crop[input];
    m.p.put8(0, input);
    m.p.put8(1, 2 * kHalf);
    m.p.put8(2, 0x01);
    m.p.put8(3, port);
    for (int h = 0; h < 2; ++h) {
        const int at = 4 + h * kHalf;
        const int x = h * 3 + port;
        m.p.put8(at, c.onOff[x] ? 1 : 0);
        m.p.put16(at + 1, c.hs[x]);
        m.p.put16(at + 3, c.vs[x]);
        m.p.put16(at + 5, c.hact[x]);
        m.p.put16(at + 7, c.vact[x]);
        m.p.put16(at + 9, c.hRange[x]);
        m.p.put16(at + 11, c.vRange[x]);
    }
    return m;
}

Msg Tiles(const State& s)
{
    constexpr int kLen = 9;
    Msg m = Make(0x0617);
    m.p.put8(0, 0);
    m.p.put8(1, kLen);
    m.p.put8(2, 2);
    for (int t = 0; t < 2; ++t) {
        const InputTile& tile = s.M_InputData.tile[t];
        const int at = 4 + t * kLen;
        m.p.put8(at, tile.count);
        for (int k = 0; k < 4; ++k) {
            m.p.put8(at + 1 + 2 * k, tile.input[k]);
            m.p.put8(at + 2 + 2 * k, tile.half[k]);
        }
    }
    return m;
}

// EDID records of 12 bytes, two per reply.
QList<Msg> Edid(const State& s, const QList<std::array<int, 2>>& inputPorts)
{
    constexpr int kLen = 12;
    QList<Msg> out;
    for (int k = 0; k < inputPorts.size(); k += 2) {
        Msg m = Make(0x0619);
        const int n = qMin(2, inputPorts.size() - k);
        m.p.put8(0, 0x00);
        m.p.put8(1, kLen);
        m.p.put8(2, n);
        for (int r = 0; r < n; ++r) {
            const int i = inputPorts[k + r][0];
            const int port = inputPorts[k + r][1];
            const InputEdid& e = s.M_InputData.edid[i];
            const int at = 4 + r * kLen;
            m.p.put8(at, i);
            m.p.put8(at + 1, port);
            m.p.put16(at + 2, e.hact[port]);
            m.p.put16(at + 4, e.vact[port]);
            m.p.put16(at + 6, e.rate[port]);
            m.p.put16(at + 8, e.hblank[port]);
            m.p.put16(at + 10, e.vblank[port]);
        }
        out.append(m);
    }
    return out;
}

Msg OutputReso(const State& s)
{
    Msg m = Make(0x0631);
    const sim::OutputReso& r = s.M_OutputData.M_OutputResoCfg;
    m.p.put8(0, r.resoId == 27 ? 2 : 0);
    m.p.put8(1, 0xFF);
    m.p.put8(2, r.outputMode);
    m.p.put8(3, r.resoId);
    const Num t[9] = {r.hact, r.vact, r.fps, r.htotal, r.hsync, r.hbp, r.vtotal, r.vsync, r.vbp};
    for (int i = 0; i < 9; ++i)
        m.p.put16(4 + 2 * i, t[i]);
    return m;
}

Msg OutputWindow(const State& s, int window)
{
    Msg m = Make(0x0633);
    const sim::OutputWindow& w = s.M_OutputData.M_OPDisplayCfg[window];
    m.p.put8(0, window);
    m.p.put8(1, w.onOff);
    m.p.put16(2, w.hs);
    m.p.put16(4, w.vs);
    m.p.put16(6, w.hact);
    m.p.put16(8, w.vact);
    m.p.put32(10, w.mosaicHs);
    m.p.put32(14, w.mosaicVs);
    m.p.put32(18, w.mosaicHact);
    m.p.put32(22, w.mosaicVact);
    return m;
}

Msg Hdmi(const State& s)
{
    Msg m = Make(0x0635);
    const HdmiSetting& h = s.M_OutputData.M_HdmiSettingCfg;
    m.p.put8(0, 0xFF);
    m.p.put8(1, h.colorSpace);
    m.p.put8(2, h.rgbRange);
    m.p.put8(3, h.colorDepth);
    m.p.put8(4, h.hdr);
    m.p.put8(5, h.dviHdmi);
    m.p.put8(6, h.outputPort);
    return m;
}

Msg LayerData(State& s, int mode, int second, int index, int kind)
{
    Msg m = Make(0x0661);
    const LayerRef r = FindLayer(s, mode, second, index);
    m.p.put8(0, mode);
    m.p.put8(1, mode == 0 ? 0 : second);
    m.p.put8(2, index);
    m.p.put8(3, kind);
    if (!r)
        return m;
    switch (kind) {
        case 0: {
            const Layer& l = *r.layer;
            const Num head[8] = {l.onOff,  l.tileEnable, l.tileId, l.inputId,
                                 l.halfId, l.logoOnOff,  l.alpha,  l.rotation};
            for (int i = 0; i < 8; ++i)
                m.p.put8(4 + i, head[i]);
            m.p.put32(16, l.hs);
            m.p.put32(20, l.vs);
            m.p.put32(24, l.hact);
            m.p.put32(28, l.vact);
            break;
        }
        case 1: {
            const Picture& p = *r.picture;
            m.p.put8(4, p.brightness);
            m.p.put8(5, p.contrast);
            m.p.put8(6, p.saturation);
            m.p.put8(7, 0x32);
            m.p.put8(8, 0x32);
            m.p.put8(9, p.colorTempMode);
            m.p.put8(10, p.colorTempR);
            m.p.put8(11, p.colorTempG);
            m.p.put8(12, p.colorTempB);
            break;
        }
        case 2: {
            const Zoom& z = *r.zoom;
            m.p.put8(4, z.onOff ? 1 : 0);
            m.p.put16(5, z.hs);
            m.p.put16(7, z.vs);
            m.p.put16(9, z.hact);
            m.p.put16(11, z.vact);
            m.p.put16(13, z.hRange);
            m.p.put16(15, z.vRange);
            break;
        }
        case 3: {
            // The device reports each colour's minimum before its maximum.
            const ChromaKey& c = *r.chromaKey;
            const Num v[7] = {c.onOff, c.minR, c.maxR, c.minG, c.maxG, c.minB, c.maxB};
            for (int i = 0; i < 7; ++i)
                m.p.put8(4 + i, v[i]);
            break;
        }
        default:
            break;
    }
    return m;
}

Msg Durations(const State& s)
{
    Msg m = Make(0x0701);
    const uint8_t marker[4] = {0x00, 0x11, 0x22, 0x33};
    for (int i = 0; i < 4; ++i)
        m.p.put8(i, marker[i]);
    m.p.put8(4, 2);
    m.p.put8(5, 3);
    const Num items[3][2] = {{0, s.M_MosaicLayerCfg.durationTime},
                             {2, s.M_SwitchLayerCfg.durationTime},
                             {4, s.M_BackupLayerCfg.durationTime}};
    for (int k = 0; k < 3; ++k) {
        m.p.put8(6 + 2 * k, items[k][0]);
        m.p.put8(7 + 2 * k, items[k][1]);
    }
    return m;
}

Msg TakeStatus(int status)
{
    Msg m = Make(0x0701);
    m.p.put8(4, status);
    return m;
}

Msg Version(const State& s, int kind)
{
    Msg m = Make(0x0710);
    const MachineInfo& mi = s.M_MachineInfo;
    m.p.put8(0, kind);
    if (kind == 0 || kind == 1) {
        const Board& b = mi.board[kind];
        m.p.put16(2, b.versionB);
        m.p.put16(4, b.versionA);
        const QByteArray date = b.buildDate.toLatin1();
        for (int i = 0; i < 20; ++i)
            m.p.put8(6 + i, i < date.size() ? uint8_t(date[i]) : 0);
        if (kind == 0)
            m.p.put8(31, s.M_SwitcherType);
    } else if (kind == 2) {
        for (int i = 0; i < 7; ++i) {
            m.p.put16(2 + 2 * i, mi.stdVoltage[i]);
            m.p.put16(16 + 2 * i, mi.voltage[i]);
        }
    } else if (kind == 3) {
        m.p.put16(2, mi.ethVersion);
    }
    return m;
}

Msg End()
{
    Msg m = Make(0x0600);
    m.p.put8(2, 0xAA);
    return m;
}

Msg TestPattern(int kind, int s1, int s2, int s3)
{
    Msg m = Make(0x05F1);
    m.p.put8(0, kind);
    m.p.put8(1, s1);
    m.p.put8(2, s2);
    m.p.put8(3, s3);
    return m;
}

Msg VideoFormat(int format)
{
    Msg m = Make(0x0671);
    m.p.put8(0, format);
    return m;
}

Msg Status(const State& s)
{
    Msg m = Make(0x0500);
    m.p.put8(6, s.M_AllCfg.syncLock);
    m.p.put8(7, s.M_OutputData.M_HdmiSettingCfg.hdr);
    return m;
}

Msg Discovery(uint16_t code, const uint8_t mac[6], quint32 ip, quint32 board)
{
    Msg m = Make(code);
    m.p.put8(0, 0x02);
    m.p.put8(1, 0x0D);
    m.p.put8(2, 0x04);
    for (int i = 0; i < 6; ++i)
        m.p.put8(3 + i, mac[i]);
    PutIp(m.p, 9, ip);
    PutIp(m.p, 17, board);
    return m;
}

}  // namespace reply

QList<Msg> ReadBack(State& s)
{
    QList<Msg> out;
    out.append(reply::AllCfg(s));
    for (int mode = 0; mode < 5; ++mode)
        out.append(reply::PresetValid(s, mode));
    out.append(reply::InputCfg(s));
    QList<std::array<int, 2>> inputPorts;
    for (int i = 0; i < 6; ++i)
        for (int p = 0; p < 3; ++p)
            inputPorts.append({i, p});
    for (const auto& ip : inputPorts)
        out.append(reply::Signal(s, ip[0], ip[1]));
    for (const auto& ip : inputPorts)
        out.append(reply::Crop(s, ip[0], ip[1]));
    out.append(reply::Tiles(s));
    out.append(reply::Edid(s, inputPorts));
    out.append(reply::OutputReso(s));
    for (int w = 0; w < 6; ++w)
        out.append(reply::OutputWindow(s, w));
    out.append(reply::Hdmi(s));
    for (int mode : {0, 2, 4})
        for (const auto& a : LayerAddresses(s, mode))
            for (int kind = 0; kind < 4; ++kind)
                out.append(reply::LayerData(s, a[0], a[1], a[2], kind));
    out.append(reply::Durations(s));
    for (int kind = 0; kind < 4; ++kind)
        out.append(reply::Version(s, kind));
    out.append(reply::Logo(s));
    QList<int> tasks;
    for (int t = 0; t < 20; ++t)
        tasks.append(t);
    out.append(reply::Tasks(s, tasks));
    out.append(reply::TaskStatus(s));
    out.append(reply::End());
    return out;
}

}  // namespace sim
