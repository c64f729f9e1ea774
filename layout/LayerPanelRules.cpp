#include "LayerPanelRules.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace LayerPanelRules {

namespace {

uint16_t U16(int v)
{
    return uint16_t(std::clamp(v, 0, 0xFFFF));
}

void SetPos(uint16_t& pos, uint16_t act, uint16_t range, int v)
{
    pos = v + act <= range ? U16(v) : U16(int(range) - int(act));
}

void SetAct(uint16_t& act, uint16_t pos, uint16_t range, int v)
{
    v = std::max(v, kMinZoomSize);
    act = v + pos <= range ? U16(v) : U16(int(range) - int(pos));
}

bool SetRange(uint16_t& range, uint16_t& pos, uint16_t& act, int v)
{
    bool changed = false;
    range = U16(v);
    if (range < kMinZoomSize) {
        range = kMinZoomSize;
        changed = true;
    }
    if (range < pos + act) {
        if (pos == 0) {
            act = range;
        } else if (range < act) {
            act = range;
            pos = 0;
        } else {
            pos = range - act;
        }
        changed = true;
    }
    return changed;
}

}  // namespace

std::optional<LayerSlot> SlotOf(MData& data, int layer)
{
    LayerSlot s;
    switch (data.M_AllCfg.workMode) {
    case MOSAIC_MODE: {
        if (layer < 0 || layer >= MDataLimits::kMosaicLayers)
            return std::nullopt;
        auto& set = data.M_MosaicLayerCfg;
        s.layer = &set.layer[layer];
        s.zoom = &set.zoom[layer];
        s.chroma = &set.chromaKey[layer];
        s.addr = {0, set.layer[layer].bMain, uint8_t(layer)};
        return s;
    }
    case SWITCHER_MODE: {
        // The panels edit group 1, stored after group 0.
        if (layer < 0 || layer >= MDataLimits::kSwitchGroupLayers)
            return std::nullopt;
        auto& set = data.M_SwitchLayerCfg;
        const int i = MDataLimits::kSwitchGroupLayers + layer;
        s.layer = &set.layer[i];
        s.zoom = &set.zoom[i];
        s.chroma = &set.chromaKey[i];
        s.addr = {2, 1, uint8_t(layer)};
        return s;
    }
    case BACKUP_MODE: {
        if (layer < 0 || layer >= MDataLimits::kBackupLayers)
            return std::nullopt;
        auto& set = data.M_BackupLayerCfg;
        s.layer = &set.layer[layer];
        s.zoom = &set.zoom[layer];
        s.chroma = &set.chromaKey[layer];
        s.addr = {4, set.layer[layer].bMain, uint8_t(layer)};
        return s;
    }
    default:
        return std::nullopt;
    }
}

void SetHpos(LayerZoomCfg& z, int v)
{
    SetPos(z.hs, z.hact, z.hRange, v);
}

void SetVpos(LayerZoomCfg& z, int v)
{
    SetPos(z.vs, z.vact, z.vRange, v);
}

void SetHact(LayerZoomCfg& z, int v)
{
    SetAct(z.hact, z.hs, z.hRange, v);
}

void SetVact(LayerZoomCfg& z, int v)
{
    SetAct(z.vact, z.vs, z.vRange, v);
}

bool SetHRange(LayerZoomCfg& z, int v)
{
    return SetRange(z.hRange, z.hs, z.hact, v);
}

bool SetVRange(LayerZoomCfg& z, int v)
{
    return SetRange(z.vRange, z.vs, z.vact, v);
}

void Reset(LayerZoomCfg& z)
{
    z.hs = 0;
    z.vs = 0;
    z.hact = z.hRange;
    z.vact = z.vRange;
}

bool MatchTo(LayerZoomCfg& z, int w, int h)
{
    if (w <= 0 || h <= 0)
        return false;
    auto scale = [](uint16_t& pos, uint16_t& act, uint16_t& range, int size) {
        if (range == 0) {
            pos = 0;
            act = 0;
        } else {
            const double r = double(size) / range;
            pos = U16(int(std::trunc(pos * r)));
            act = U16(std::min(int(std::trunc(act * r)), size));
        }
        range = U16(size);
    };
    scale(z.hs, z.hact, z.hRange, w);
    scale(z.vs, z.vact, z.vRange, h);
    return true;
}

QSize SourceSize(const MData& data, const LayerRecord& layer)
{
    const InputData& in = data.M_InputData;
    // Every index here comes from the device; one it does not know gives no
    // size rather than a read outside the record.
    auto inputSize = [&in](int input, int half) {
        if (input < 0 || input >= MDataLimits::kInputs || half < 0 || half >= MDataLimits::kHalves)
            return QSize(0, 0);
        const int port = in.port[input].actId;
        if (port >= MDataLimits::kPorts)
            return QSize(0, 0);
        const InputSignalInfo& s = in.signal[input];
        return QSize(s.width[half][port], s.height[half][port]);
    };
    auto tileSize = [&](int tile) {
        if (tile < 0 || tile >= MDataLimits::kTiles)
            return QSize(0, 0);
        const InputTileCfg& t = in.tile[tile];
        const int n = std::min(t.count, int32_t(MDataLimits::kTileSources));
        if (n < 1)
            return QSize(0, 0);
        int w = 0, h = 0;
        for (int i = 0; i < n; ++i) {
            const QSize s = inputSize(t.input[i], t.half[i]);
            w += s.width();
            h = s.height();
        }
        return QSize(w, h);
    };
    if (layer.tileEnable)
        return tileSize(layer.tileId);
    if (layer.inputId <= 5)
        return inputSize(layer.inputId, layer.halfId);
    return tileSize(layer.inputId - 6);
}

const QuickSet kQuickSetTable[kQuickSets] = {
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Pure Red"), {1, 255, 0, 0, 0, 0}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Pure Green"), {0, 0, 1, 255, 0, 0}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Pure Blue"), {0, 0, 0, 0, 1, 255}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Red Screen Matting"), {0, 192, 0, 255, 0, 255}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Green Screen Matting"), {0, 255, 0, 192, 0, 255}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Blue Screen Matting"), {0, 255, 0, 255, 0, 192}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Red On Black"), {192, 255, 0, 128, 0, 128}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Green On Black"), {0, 128, 192, 255, 0, 128}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Blue On Black"), {0, 128, 0, 128, 192, 255}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Red On White"), {192, 255, 0, 128, 0, 128}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Green On White"), {0, 128, 192, 255, 0, 128}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Blue On White"), {0, 128, 0, 128, 192, 255}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "Black On White"), {0, 64, 0, 64, 0, 64}},
    {QT_TRANSLATE_NOOP("ChromaKeyDlg", "White On Black"), {192, 255, 192, 255, 192, 255}},
};

void ApplyQuickSet(ChromaKeyCfg& c, int k)
{
    if (k < 0 || k >= kQuickSets)
        return;
    const uint8_t* v = kQuickSetTable[k].v;
    c.minR = v[0];
    c.maxR = v[1];
    c.minG = v[2];
    c.maxG = v[3];
    c.minB = v[4];
    c.maxB = v[5];
}

QByteArray FadeBuffer(const bool ticked[4], bool fadeIn, uint8_t duration)
{
    QByteArray b(14, char(0x55));
    bool any = false;
    for (int j = 0; j < 4; ++j) {
        if (!ticked[j])
            continue;
        any = true;
        b[0] = char(0x0A);
        b[1] = char(0x55);
        b[2 + 3 * j] = char(j);
        b[3 + 3 * j] = char(fadeIn ? 1 : 0);
        b[4 + 3 * j] = char(duration);
    }
    return any ? b : QByteArray();
}

}  // namespace LayerPanelRules
