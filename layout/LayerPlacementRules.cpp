#include "LayerPlacementRules.h"

#include "InputNames.h"

#include <QCoreApplication>
#include <limits>

namespace LayerPlacement {

namespace {

// The panel translates its messages in its own context.
const char* const kContext = "LayerSettingDlg";

// Edges of an inclusive rectangle in 64 bits: record positions and sizes are
// 32-bit device values whose sums must not overflow on the way.
struct Box {
    qint64 left = 0, top = 0, right = -1, bottom = -1;

    bool empty() const { return right < left || bottom < top; }
    bool intersects(const Box& o) const
    {
        return !empty() && !o.empty() && left <= o.right && o.left <= right && top <= o.bottom &&
               o.top <= bottom;
    }
    bool contains(const Box& o) const
    {
        return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
    }
};

Box FromSize(qint64 x, qint64 y, qint64 w, qint64 h)
{
    return {x, y, x + w - 1, y + h - 1};
}

Box FromRect(const QRect& r)
{
    return {r.left(), r.top(), r.right(), r.bottom()};
}

QRect ToRect(const Box& b)
{
    auto fits = [](qint64 v) {
        return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
    };
    if (b.empty() || !fits(b.left) || !fits(b.top) || !fits(b.right) || !fits(b.bottom))
        return QRect(0, 0, -1, -1);
    return QRect(QPoint(int(b.left), int(b.top)), QPoint(int(b.right), int(b.bottom)));
}

Box LayerBox(const LayerRecord& l, bool useLogo)
{
    if (useLogo && l.logoOnOff)
        return FromSize(l.hs, l.vs, l.logoWidth, l.logoHeight);
    return FromSize(l.hs, l.vs, l.hact, l.vact);
}

// Fixed storage: the rules run on every drag and must not allocate.
struct Regions {
    Box box[4];
    int count = 0;
};

Regions RegionsOf(const MData& data)
{
    Regions r;
    const OutputWindowRecord* w = data.M_OutputData.M_OPDisplayCfg;
    const int mode = data.M_OutputData.M_OutputResoCfg.outputMode;
    if (mode == DVI_MODE) {
        for (int i = 0; i < 4; ++i)
            if (w[i].onOff)
                r.box[r.count++] = FromSize(w[i].mosaicHs, w[i].mosaicVs, w[i].hact, w[i].vact);
    } else if (mode == HDMI_MODE) {
        for (int i = 4; i < 6; ++i) {
            if (!w[i].onOff)
                continue;
            const qint64 half = w[i].hact / 2;
            const qint64 bottom = qint64(w[i].mosaicVs) + w[i].vact - 1;
            r.box[r.count++] = {w[i].mosaicHs, w[i].mosaicVs, w[i].mosaicHs + half - 1, bottom};
            r.box[r.count++] = {w[i].mosaicHs + half, w[i].mosaicVs, w[i].mosaicHs + 2 * half - 1,
                                bottom};
        }
    }
    return r;
}

int Overlaps(const Regions& regions, const Box& b)
{
    int n = 0;
    for (int i = 0; i < regions.count; ++i)
        n += regions.box[i].intersects(b) ? 1 : 0;
    return n;
}

bool ValidInput(int input)
{
    return input >= 0 && input < MDataLimits::kInputs;
}
bool ValidHalf(int half)
{
    return half >= 0 && half < MDataLimits::kHalves;
}
bool ValidTile(int tile)
{
    return tile >= 0 && tile < MDataLimits::kTiles;
}

// The source count of a tile, 0 for a tile index or count out of range.
int TileCount(const MData& data, int tile)
{
    if (!ValidTile(tile))
        return 0;
    const int count = data.M_InputData.tile[tile].count;
    return count >= 0 && count <= MDataLimits::kTileSources ? count : 0;
}

bool ShowsTile(const LayerRecord& l)
{
    return l.tileEnable != 0;
}

}  // namespace

const RuleMessage kResourceRefused = {
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Resource Constraints"),
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Layer Can't Be Applied To Output Windows")};
const RuleMessage kSourceRefused = {
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Resource Constraints"),
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Layer Input Srouce Settings Cannot Be Applied.")};
const RuleMessage kLogoMissing = {QT_TRANSLATE_NOOP("LayerSettingDlg", "Tips"),
                                  QT_TRANSLATE_NOOP("LayerSettingDlg", "LOGO Is Not Exist")};
const RuleMessage kLogoOtherMode = {
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Tips"),
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Current Work Mode LOGO Is Not Exist")};
const RuleMessage kLogoExceedsOutput = {
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Cannot Open Logo"),
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Logo Size Exceed Output Resolution.")};
const RuleMessage kLogoExceedsLayer = {
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Cannot Open Logo"),
    QT_TRANSLATE_NOOP("LayerSettingDlg", "Logo Size Exceed Layer Restrict Size.")};

QString RuleMessage::translatedTitle() const
{
    return title ? QCoreApplication::translate(kContext, title) : QString();
}

QString RuleMessage::translatedText() const
{
    return text ? QCoreApplication::translate(kContext, text) : QString();
}

QVector<QRect> OutputRegions(const MData& data)
{
    const Regions r = RegionsOf(data);
    QVector<QRect> out;
    for (int i = 0; i < r.count; ++i)
        out.append(ToRect(r.box[i]));
    return out;
}

QRect LayerRect(const LayerRecord& layer, bool useLogo)
{
    return ToRect(LayerBox(layer, useLogo));
}

int SignalWidth(const MData& data, int input, int half)
{
    if (!ValidInput(input) || !ValidHalf(half))
        return 0;
    const int port = data.M_InputData.port[input].actId;
    if (port < 0 || port >= MDataLimits::kPorts)
        return 0;
    return data.M_InputData.signal[input].width[half][port];
}

int LayerSourceWidth(const MData& data, int n)
{
    if (n < 0 || n >= MDataLimits::kMosaicLayers)
        return -1;
    const LayerRecord& l = data.M_MosaicLayerCfg.layer[n];
    auto known = [&data](int input, int half) {
        return ValidInput(input) && ValidHalf(half) &&
               data.M_InputData.port[input].actId < MDataLimits::kPorts;
    };
    if (!ShowsTile(l))
        return known(l.inputId, l.halfId) ? SignalWidth(data, l.inputId, l.halfId) : -1;
    if (!ValidTile(l.tileId))
        return -1;
    const InputTileCfg& tile = data.M_InputData.tile[l.tileId];
    if (tile.count < 2 || tile.count > MDataLimits::kTileSources)
        return -1;
    int sum = 0;
    for (int k = 0; k < tile.count; ++k) {
        if (!known(tile.input[k], tile.half[k]))
            return -1;
        sum += SignalWidth(data, tile.input[k], tile.half[k]);
    }
    return sum;
}

bool IsRotationAvailable(const MData& data, int n)
{
    if (data.M_AllCfg.workMode != MOSAIC_MODE || n < 0 || n >= MDataLimits::kMosaicLayers)
        return false;
    const LayerRecord& l = data.M_MosaicLayerCfg.layer[n];
    if (l.logoOnOff)
        return false;
    const int width = LayerSourceWidth(data, n);
    if (width < 0 || width > kMaxRotationWidth)
        return false;
    const int mode = data.M_OutputData.M_OutputResoCfg.outputMode;
    if (mode != DVI_MODE && mode != HDMI_MODE)
        return true;
    const Regions regions = RegionsOf(data);
    const Box rect = LayerBox(l, false);
    int holders = 0;
    for (int i = 0; i < regions.count; ++i)
        if (!rect.empty() && regions.box[i].contains(rect))
            ++holders;
    return holders == 1;
}

bool ExceedsWindowResource(const MData& data, int n, const QRect& rect)
{
    const int mode = data.M_OutputData.M_OutputResoCfg.outputMode;
    if (data.M_AllCfg.workMode != MOSAIC_MODE || (mode != DVI_MODE && mode != HDMI_MODE))
        return false;
    const Regions regions = RegionsOf(data);
    int count = 0;
    for (int i = 0; i < MDataLimits::kMosaicLayers; ++i) {
        if (i == n) {
            count += Overlaps(regions, FromRect(rect));
            continue;
        }
        const LayerRecord& l = data.M_MosaicLayerCfg.layer[i];
        if (l.onOff)
            count += Overlaps(regions, LayerBox(l, false));
    }
    return count > kMaxRegionOverlaps;
}

bool IsLayerSourceAllowed(const MData& data, int n)
{
    switch (data.M_AllCfg.workMode) {
    case SWITCHER_MODE:
        if (n == 1 || n == 2)
            return !data.M_SwitchLayerCfg.layer[MDataLimits::kSwitchGroupLayers + n].tileEnable;
        return true;
    case MOSAIC_MODE:
        break;
    default:
        return true;
    }
    const LayerRecord* l = data.M_MosaicLayerCfg.layer;
    auto on = [l](int i) { return l[i].onOff != 0; };
    auto tiled = [l](int i) { return l[i].tileEnable != 0; };
    auto count = [&data, l](int i) { return TileCount(data, l[i].tileId); };
    switch (n) {
    case 0:
    case 1: {
        const int other = 1 - n;
        // Layer 0 excludes layer 2 with any tile, layer 1 excludes layer 3.
        const int below = n + 2;
        if (!tiled(n))
            return !on(other) || !tiled(other) || count(other) != 4;
        // A tile index from a reply or file that names no tile: the device
        // cannot show it, so the source is refused.
        if (!ValidTile(l[n].tileId) || data.M_InputData.tile[l[n].tileId].count < 0 ||
            data.M_InputData.tile[l[n].tileId].count > MDataLimits::kTileSources)
            return false;
        switch (count(n)) {
        case 2:
            return !on(below) && (!on(other) || !tiled(other) || count(other) == 2);
        case 3:
            return !on(2) && !on(3) && (!on(other) || !tiled(other));
        case 4:
            return !on(other) && !on(2) && !on(3);
        default:
            return true;
        }
    }
    case 2:
        return !tiled(2) && !tiled(0) && (!tiled(1) || count(1) == 2);
    case 3:
        return !tiled(3) && !tiled(1) && (!tiled(0) || count(0) == 2);
    default:
        return true;
    }
}

QRect OutputBoundingRect(const MData& data)
{
    const int workMode = data.M_AllCfg.workMode;
    const bool hdmi =
        workMode == SWITCHER_MODE || ((workMode == MOSAIC_MODE || workMode == BACKUP_MODE) &&
                                      data.M_OutputData.M_OutputResoCfg.outputMode == HDMI_MODE);
    const int first = hdmi ? 4 : 0, last = hdmi ? 5 : 3;
    Box b{std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max(),
          std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::min()};
    bool any = false;
    for (int i = first; i <= last; ++i) {
        const OutputWindowRecord& w = data.M_OutputData.M_OPDisplayCfg[i];
        if (!w.onOff)
            continue;
        any = true;
        b.left = std::min<qint64>(b.left, w.mosaicHs);
        b.top = std::min<qint64>(b.top, w.mosaicVs);
        b.right = std::max<qint64>(b.right, qint64(w.mosaicHs) + w.mosaicHact - 1);
        b.bottom = std::max<qint64>(b.bottom, qint64(w.mosaicVs) + w.mosaicVact - 1);
    }
    return any ? ToRect(b) : QRect(0, 0, -1, -1);
}

bool ParkLayer(LayerRecord& layer, const QRect& bounding)
{
    // Device positions are unsigned: a bounding rectangle left of or above
    // the origin gives no place a record can hold.
    if (bounding.isEmpty() || bounding.left() < 0 || bounding.bottom() < -1)
        return false;
    layer.hs = uint32_t(bounding.left());
    layer.vs = uint32_t(qint64(bounding.bottom()) + 1);
    return true;
}

RuleMessage ParkRefusedLayer(MData& data, int n)
{
    if (n >= 0 && n < MDataLimits::kMosaicLayers)
        ParkLayer(data.M_MosaicLayerCfg.layer[n], OutputBoundingRect(data));
    return kResourceRefused;
}

RuleMessage CheckDrag(MData& data, int n, const QRect& rect)
{
    if (!ExceedsWindowResource(data, n, rect))
        return {};
    return ParkRefusedLayer(data, n);
}

bool StoreDraggedRect(MData& data, int n, const QRect& rect)
{
    LayerRecord* l = WorkingLayer(data, n);
    if (!l || rect.isEmpty() || rect.left() < 0 || rect.top() < 0)
        return false;
    const auto hs = uint32_t(rect.left()), vs = uint32_t(rect.top());
    const auto hact = uint32_t(rect.width()), vact = uint32_t(rect.height());
    l->hs = hs;
    l->vs = vs;
    if (data.M_AllCfg.workMode != BACKUP_MODE) {
        if (!l->logoOnOff) {
            l->hact = hact;
            l->vact = vact;
        }
        return true;
    }
    LayerRecord* b = data.M_BackupLayerCfg.layer;
    LayerRecord& partner = b[1].bMain == 1 ? b[1] : b[0];
    partner.hs = hs;
    partner.vs = vs;
    if (!partner.logoOnOff) {
        l->hact = partner.hact = hact;
        l->vact = partner.vact = vact;
    }
    return true;
}

RuleMessage CheckLayerOn(MData& data, int n)
{
    const int mode = data.M_AllCfg.workMode;
    if (mode != MOSAIC_MODE && mode != SWITCHER_MODE)
        return {};
    if (!IsLayerSourceAllowed(data, n))
        return kSourceRefused;
    if (mode == MOSAIC_MODE && n >= 0 && n < MDataLimits::kMosaicLayers) {
        LayerRecord& l = data.M_MosaicLayerCfg.layer[n];
        if (ExceedsWindowResource(data, n, LayerRect(l, true))) {
            l.onOff = 0;
            return ParkRefusedLayer(data, n);
        }
    }
    return {};
}

namespace {
void SetSource(LayerRecord& l, int gid, int half)
{
    l.inputId = uint8_t(gid);
    l.halfId = uint8_t(half);
    if (gid > MDataLimits::kInputs - 1) {
        l.tileEnable = 1;
        l.tileId = uint8_t(gid - MDataLimits::kInputs);
    } else {
        l.tileEnable = 0;
    }
}
}  // namespace

SourceChange ApplySourceChange(MData& data, int n, int gid, int half)
{
    SourceChange change;
    LayerRecord* l = WorkingLayer(data, n);
    if (!l)
        return change;
    change.oldInputId = l->inputId;
    change.oldHalfId = l->halfId;
    SetSource(*l, gid, half);
    const int mode = data.M_AllCfg.workMode;
    if ((mode == MOSAIC_MODE || mode == SWITCHER_MODE) && !IsLayerSourceAllowed(data, n)) {
        change.message = kSourceRefused;
        if (l->onOff) {
            SetSource(*l, change.oldInputId, change.oldHalfId);
            change.restored = true;
        }
    }
    return change;
}

LogoPlacement CheckLogoOn(const MData& data, int n)
{
    LogoPlacement p;
    const LogoInfo& logo = data.M_LogoInfo;
    if (logo.state == 0) {
        p.message = kLogoMissing;
        return p;
    }
    const int mode = data.M_AllCfg.workMode;
    if (logo.workMode != mode) {
        p.message = kLogoOtherMode;
        return p;
    }
    const LayerRecord* l = WorkingLayer(data, n);
    if (!l)
        return p;
    p.hs = l->hs;
    p.vs = l->vs;
    if (mode != SWITCHER_MODE)
        return p;
    const qint64 W = data.M_OutputData.M_OutputResoCfg.hact;
    const qint64 H = data.M_OutputData.M_OutputResoCfg.vact;
    const qint64 w = logo.width, h = logo.height;
    if (w > W || h > H) {
        p.message = kLogoExceedsOutput;
        return p;
    }
    const QRect area = LayerOutputArea(data, n);
    const qint64 areaW = area.isEmpty() ? 0 : area.width();
    const qint64 areaH = area.isEmpty() ? 0 : area.height();
    if (w > areaW || h > areaH) {
        p.message = kLogoExceedsLayer;
        return p;
    }
    if (qint64(p.hs) + w > W) {
        p.hs = uint32_t(W - w);
        p.moved = true;
    }
    if (qint64(p.vs) + h > H) {
        p.vs = uint32_t(H - h);
        p.moved = true;
    }
    return p;
}

LogoSwitch ApplyLogoSwitch(MData& data, int n, bool checked)
{
    LogoSwitch out;
    const LogoInfo& logo = data.M_LogoInfo;
    const uint8_t on = checked ? 1 : 0;
    if (checked) {
        const LogoPlacement p = CheckLogoOn(data, n);
        if (!p.message.isEmpty()) {
            out.refused = p.message;
            return out;
        }
        LayerRecord* l = WorkingLayer(data, n);
        if (l && data.M_AllCfg.workMode == SWITCHER_MODE) {
            out.moved = p.moved;
            l->hs = p.hs;
            l->vs = p.vs;
        }
    }
    LayerRecord* l = WorkingLayer(data, n);
    if (!l)
        return out;
    out.applied = true;
    l->logoOnOff = on;
    // Unchecked in switcher mode only the state changes: the layer keeps the
    // size the logo had.
    if (checked || data.M_AllCfg.workMode != SWITCHER_MODE) {
        l->logoWidth = logo.width;
        l->logoHeight = logo.height;
    }
    switch (data.M_AllCfg.workMode) {
    case MOSAIC_MODE:
        if (ExceedsWindowResource(data, n, LayerRect(*l, true)))
            out.resource = ParkRefusedLayer(data, n);
        if (checked) {
            l->rotation = ROTATE_NONE;
            out.rotationReset = true;
        }
        break;
    case BACKUP_MODE:
        for (int k = 0; k < MDataLimits::kBackupLayers; ++k) {
            LayerRecord& b = data.M_BackupLayerCfg.layer[k];
            if (b.bMain != 1)
                continue;
            b.logoOnOff = on;
            b.logoWidth = logo.width;
            b.logoHeight = logo.height;
            out.followers.append(k);
        }
        break;
    default:
        break;
    }
    return out;
}

QRect ResetRect(const MData& data, int n)
{
    const QRect area = LayerOutputArea(data, n);
    return area.isEmpty() ? QRect(0, 0, 1920, 1080) : area;
}

namespace {
void TakeRect(LayerRecord& l, const QRect& r)
{
    l.hs = uint32_t(r.left());
    l.vs = uint32_t(r.top());
    l.hact = uint32_t(r.width());
    l.vact = uint32_t(r.height());
}
}  // namespace

RuleMessage ApplyReset(MData& data, int n)
{
    LayerRecord* l = WorkingLayer(data, n);
    if (!l)
        return {};
    const QRect r = ResetRect(data, n);
    if (r.left() < 0 || r.top() < 0)
        return {};
    TakeRect(*l, r);
    if (data.M_AllCfg.workMode == MOSAIC_MODE && ExceedsWindowResource(data, n, r))
        return ParkRefusedLayer(data, n);
    return {};
}

int FirstLiveInput(const MData& data)
{
    for (int i = 0; i < MDataLimits::kInputs; ++i) {
        const int port = data.M_InputData.port[i].actId;
        if (port < 0 || port >= MDataLimits::kPorts)
            continue;
        const InputSignalInfo& s = data.M_InputData.signal[i];
        if (s.width[0][port] && s.height[0][port])
            return i;
    }
    return -1;
}

Replacement ReplaceAfterOutputLayout(MData& data)
{
    Replacement out;
    const QRect bounds = OutputBoundingRect(data);
    // Device coordinates are not negative; a window placed left of or above
    // the origin gives no rectangle a record can hold.
    const bool usable = !bounds.isEmpty() && bounds.left() >= 0 && bounds.top() >= 0;
    const int live = FirstLiveInput(data);
    switch (data.M_AllCfg.workMode) {
    case MOSAIC_MODE: {
        LayerRecord* l = data.M_MosaicLayerCfg.layer;
        if (live >= 0) {
            l[0].inputId = uint8_t(live);
            l[0].halfId = 0;
        }
        if (usable)
            TakeRect(l[0], bounds);
        for (int i = 1; i < MDataLimits::kMosaicLayers; ++i) {
            if (l[i].onOff) {
                l[i].onOff = 0;
                out.switchedOff.append(i);
            }
        }
        out.placed.append(0);
        if (!l[0].onOff) {
            l[0].onOff = 1;
            out.switchedOn = true;
        }
        out.sourced.append(0);
        break;
    }
    case BACKUP_MODE:
        for (int k = 0; k < MDataLimits::kBackupLayers; ++k) {
            LayerRecord& b = data.M_BackupLayerCfg.layer[k];
            if (!b.onOff || b.bMain > 1)
                continue;
            if (b.bMain == 0 && live >= 0) {
                b.inputId = uint8_t(live);
                b.halfId = 0;
            }
            if (usable)
                TakeRect(b, bounds);
            out.placed.append(k);
            if (b.bMain == 0)
                out.sourced.append(k);
        }
        break;
    default:
        break;
    }
    return out;
}

LayerRecord* WorkingLayer(MData& data, int n)
{
    return const_cast<LayerRecord*>(WorkingLayer(static_cast<const MData&>(data), n));
}

const LayerRecord* WorkingLayer(const MData& data, int n)
{
    if (n < 0)
        return nullptr;
    switch (data.M_AllCfg.workMode) {
    case MOSAIC_MODE:
        return n < MDataLimits::kMosaicLayers ? &data.M_MosaicLayerCfg.layer[n] : nullptr;
    case SWITCHER_MODE:
        return n < MDataLimits::kSwitchGroupLayers
                   ? &data.M_SwitchLayerCfg.layer[MDataLimits::kSwitchGroupLayers + n]
                   : nullptr;
    case BACKUP_MODE:
        return n < MDataLimits::kBackupLayers ? &data.M_BackupLayerCfg.layer[n] : nullptr;
    default:
        return nullptr;
    }
}

}  // namespace LayerPlacement
