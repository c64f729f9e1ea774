// The rules that decide where a layer may lie and what it may show, over the
// device record alone: rotation, output-window resources, tiles and logo
// size, the parking place below the outputs, and the re-placing of the layers
// after the outputs were rearranged. The layer settings panel calls them
// before it stores an edit; they show nothing and send nothing, and hand back
// the message the panel shows.
//
// Every index read from the record (input, half, active port, tile, tile
// source, tile size) comes from a device reply or a project file; one out of
// range (255 marks an empty slot) counts as a picture of width 0 and makes a
// rule that needs it false. Nothing here reads outside an array.
#pragma once

#include "MData.h"

#include <QRect>
#include <QString>
#include <QVector>

namespace LayerPlacement {

// The tool's source width limit for a rotated layer (the scaler's line
// buffer): a wider picture cannot be turned.
constexpr int kMaxRotationWidth = 2176;
// Output-window regions the mosaic layers may touch together.
constexpr int kMaxRegionOverlaps = 8;

// A message of the panel: title and text as source texts of the panel's
// translation context; empty when the edit may go on.
struct RuleMessage {
    const char* title = nullptr;
    const char* text = nullptr;

    bool isEmpty() const { return text == nullptr; }
    // Title and text translated in the panel's context ("LayerSettingDlg").
    QString translatedTitle() const;
    QString translatedText() const;
};

extern const RuleMessage kResourceRefused;  // "Layer Can't Be Applied To Output Windows"
extern const RuleMessage kSourceRefused;  // "Layer Input Srouce Settings Cannot Be Applied."
extern const RuleMessage kLogoMissing;  // "LOGO Is Not Exist"
extern const RuleMessage kLogoOtherMode;  // "Current Work Mode LOGO Is Not Exist"
extern const RuleMessage kLogoExceedsOutput;  // "Logo Size Exceed Output Resolution."
extern const RuleMessage kLogoExceedsLayer;  // "Logo Size Exceed Layer Restrict Size."

// The output regions of the rotation and resource rules, inclusive, in device
// units: the windows 0..3 that are on in DVI output mode, the halves (left
// first) of the windows 4 and 5 that are on in HDMI output mode, none else.
QVector<QRect> OutputRegions(const MData& data);

// A layer record's rectangle (hs, vs, hact x vact), or with useLogo and the
// logo on, the logo's size in place of hact x vact. Empty (0, 0, -1, -1) when
// it cannot be held in int.
QRect LayerRect(const LayerRecord& layer, bool useLogo = false);

// The width of input's picture on half at its active port; 0 when input,
// half or the active port is out of range.
int SignalWidth(const MData& data, int input, int half);

// The width of the picture that mosaic layer n shows: one input's half, or the
// sum over a tile's sources. -1 when an index it needs is out of range.
int LayerSourceWidth(const MData& data, int n);

// Mosaic layer n may be rotated: mosaic mode, its logo off, its source at most
// kMaxRotationWidth wide, and (in output modes 0 and 1) exactly one output
// region holding its rectangle. False for n outside 0..3.
bool IsRotationAvailable(const MData& data, int n);

// Mosaic layer n at rect would make the mosaic layers touch more than
// kMaxRegionOverlaps output regions in all (mosaic mode, output mode 0 or 1
// only). The other layers count with their records' rectangles when on.
bool ExceedsWindowResource(const MData& data, int n, const QRect& rect);

// The tile rule for layer n of the working mode's set, on the record as it
// stands (a source change writes the candidate first).
bool IsLayerSourceAllowed(const MData& data, int n);

// The smallest rectangle around the outputs that are on (windows 4 and 5 in
// switcher mode and in HDMI output mode, 0..3 otherwise), with their area
// sizes; empty (0, 0, -1, -1) when none is on.
QRect OutputBoundingRect(const MData& data);

// Moves layer to the left edge of bounding, just below it; the size stays.
// False (and nothing moves) when bounding is empty.
bool ParkLayer(LayerRecord& layer, const QRect& bounding);

// The resource refusal of mosaic layer n: parks it below the outputs. The
// panel then redraws, raises sigLayerPosChange, sends LAYER_RECT for n and
// shows the returned message.
RuleMessage ParkRefusedLayer(MData& data, int n);

// A drag of the current layer n to rect (mosaic mode): the message to show
// when the resource rule refuses it (the layer is parked then), empty when
// the panel may store rect.
RuleMessage CheckDrag(MData& data, int n, const QRect& rect);

// Stores a drag that the resource rule let through: layer n of the working
// mode's set takes rect's position, and its size unless a logo fixes it. In
// backup mode the partner record (record 1 when its bMain is 1, else record
// 0) takes the same, the size written into both only while the partner's
// logo is off. The panel sends LAYER_RECT for n only. False for n outside the
// set.
bool StoreDraggedRect(MData& data, int n, const QRect& rect);

// The layer on/off button switched layer n on. kSourceRefused: the button
// springs back, nothing changes. kResourceRefused (mosaic mode): onOff is 0
// and the layer is parked; send LAYER_RECT, not LAYER_ONOFF. Empty: the
// panel sets onOff and sends LAYER_ONOFF.
RuleMessage CheckLayerOn(MData& data, int n);

// A source change of layer n of the working mode's set to input gid, half
// half (gid 6 and 7 are the tiles). Writes the candidate source; when the
// tile rule refuses it and the layer is on, the old source (with its own
// tile) comes back.
struct SourceChange {
    RuleMessage message;  // kSourceRefused when refused
    bool restored = false;  // the old source came back (the layer is on)
    uint8_t oldInputId = 0;
    uint8_t oldHalfId = 0;
};
SourceChange ApplySourceChange(MData& data, int n, int gid, int half);

// The logo of layer n of the working mode's set to be switched on: the
// existence checks, then in switcher mode the size checks and the position
// that keeps the logo inside the output.
struct LogoPlacement {
    RuleMessage message;  // refused: the logo button springs back, nothing changes
    uint32_t hs = 0;  // switcher mode: the position the layer takes
    uint32_t vs = 0;
    bool moved = false;  // switcher mode: send LAYER_RECT before the logo command
};
LogoPlacement CheckLogoOn(const MData& data, int n);

// The logo button of layer n of the working mode's set. refused (only when
// switched on): the button springs back and nothing changed. Otherwise the
// record holds the logo state and size and the panel, in this order: in
// mosaic mode, when resource is set, runs the resource refusal for the parked
// layer (LAYER_RECT, the message) and goes on; sends LAYER_ROTATION when
// rotationReset (ROTATE_NONE, sigLayerRotationSet); in switcher mode sends
// LAYER_RECT when moved; in backup mode raises sigLayerPosChange for each
// record in followers; then sigLayerPosChange and LAYER_LOGO for n (only when
// applied: nothing is sent in another working mode).
struct LogoSwitch {
    RuleMessage refused;
    RuleMessage resource;
    bool rotationReset = false;
    bool moved = false;
    QVector<int> followers;
    bool applied = false;
};
LogoSwitch ApplyLogoSwitch(MData& data, int n, bool checked);

// The rectangle Reset gives layer n: its output area, or 0, 0, 1920 x 1080.
QRect ResetRect(const MData& data, int n);
// Reset of layer n of the working mode's set: its record takes ResetRect. In
// mosaic mode the resource rule follows: kResourceRefused when it parks the
// layer (sigLayerPosChange, LAYER_RECT and the message, as for a drag);
// empty otherwise (sigLayerPosChange, the layer selected again, LAYER_RECT).
RuleMessage ApplyReset(MData& data, int n);

// Re-placing the layers after the outputs were rearranged. The record is
// changed as the panel would; the panel raises the signals and sends the
// commands listed. Mosaic mode, in this order: sigLayerOnoff for each layer
// switched off; sigLayerPosChange and LAYER_RECT for layer 0; sigLayerOnoff
// for layer 0 when switched on; the source hand-back of layer 0. Backup mode,
// per record k in placed: sigLayerPosChange, LAYER_RECT, then the source
// hand-back when k is in sourced, and a panel redraw.
struct Replacement {
    QVector<int> switchedOff;  // mosaic layers 1..3 that were on
    QVector<int> placed;  // layers given the bounding rectangle (LAYER_RECT each)
    bool switchedOn = false;  // mosaic layer 0 was off and is on now
    QVector<int> sourced;  // layers whose source is handed back to the canvas
};
Replacement ReplaceAfterOutputLayout(MData& data);

// The first input (0..5) whose active port shows a picture on half 0, -1 when
// none does.
int FirstLiveInput(const MData& data);

// The layer record of set index n of the working mode (mosaic 0..3, switch
// group 1 0..2, backup 0..1), null outside the set or in another mode.
LayerRecord* WorkingLayer(MData& data, int n);
const LayerRecord* WorkingLayer(const MData& data, int n);

}  // namespace LayerPlacement
