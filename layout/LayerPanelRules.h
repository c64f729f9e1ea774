// What the layer sub-panels decide without a widget: which record of the
// working mode's layer set a layer index edits and how its commands are
// addressed, the zoom window's correction rules, the source size that
// "Match To Input" takes, the chroma key presets and the group fade buffer.
#pragma once

#include "MData.h"

#include <QByteArray>
#include <QSize>

#include <array>
#include <cstdint>
#include <optional>

namespace LayerPanelRules {

// The records of one layer in the set of the record's working mode, and the
// three address bytes of its zoom and chroma key commands.
struct LayerSlot {
    LayerRecord* layer = nullptr;
    LayerZoomCfg* zoom = nullptr;
    ChromaKeyCfg* chroma = nullptr;
    std::array<uint8_t, 3> addr{};
};

// Nothing for a working mode other than 0, 2, 4 or an index outside the
// mode's set (mosaic 0..3, switcher 0..2 of group 1, backup 0..1).
std::optional<LayerSlot> SlotOf(MData& data, int layer);

// The zoom edits. Each corrects the typed value so that the window stays in
// its range; a result below 0 (a window read from the device larger than
// its range) is stored as 0.
constexpr int kMinZoomSize = 256;
void SetHpos(LayerZoomCfg& z, int v);
void SetVpos(LayerZoomCfg& z, int v);
void SetHact(LayerZoomCfg& z, int v);
void SetVact(LayerZoomCfg& z, int v);
// True when the typed value was changed (raised to 256 or the window moved
// into the range), so that the edits must show the stored values.
bool SetHRange(LayerZoomCfg& z, int v);
bool SetVRange(LayerZoomCfg& z, int v);
void Reset(LayerZoomCfg& z);
// The window scaled from the old range to a source of w x h, which becomes
// the range. False, and nothing changed, for a source without a size: a
// range of 0 would blank the layer on the wall.
bool MatchTo(LayerZoomCfg& z, int w, int h);
// The picture size of the layer's source (input half and active port, or a
// tile's sources side by side); 0 x 0 for a source the record does not know.
QSize SourceSize(const MData& data, const LayerRecord& layer);

struct QuickSet {
    const char* name;
    uint8_t v[6];  // minR, maxR, minG, maxG, minB, maxB
};
constexpr int kQuickSets = 14;
extern const QuickSet kQuickSetTable[kQuickSets];
void ApplyQuickSet(ChromaKeyCfg& c, int k);

// The 14 bytes of a group fade (sub-command 10): per ticked layer j its index,
// 1 in / 0 out and the duration at 2 + 3j. Empty when no layer is ticked.
QByteArray FadeBuffer(const bool ticked[4], bool fadeIn, uint8_t duration);

}  // namespace LayerPanelRules
