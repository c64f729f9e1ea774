// What the output settings panel decides without a widget: which window
// record a canvas cell edits in each working mode and output mode, the
// layouts of the outputs, the window cut to the output resolution, the
// reset window, the HDMI settings rows and the switcher variants' texts.
#pragma once

#include "MData.h"

#include <QString>
#include <QVector>

#include <cstdint>

namespace OutputWindowRules {

// Records 0..3 are the DVI outputs, 4 and 5 the HDMI outputs.
constexpr int kWindows = MDataLimits::kOutputWindows;
constexpr int kFirstHdmi = 4;
// The edits take what fits five digits; the window position inside the
// output's raster is a 16-bit field.
constexpr int kMaxEdit = 99999;
constexpr int kMaxPosition = 65535;
// The window that "Reset" gives an output at least this large.
constexpr int kResetWidth = 1920;
constexpr int kResetHeight = 1080;

// The HDMI outputs are in use in switcher mode, and in mosaic or backup mode
// with the HDMI output mode.
bool HdmiOutputsInUse(int workMode, int outputMode);
// The record that canvas cell `cell` stands for; -1 when it lies outside
// 0..5 (cells 2 and 3 while the HDMI outputs are in use).
int RecordOfCell(int cell, int workMode, int outputMode);
// The cell number of a record, as every signal about it carries.
int CellOfRecord(int record, int workMode, int outputMode);

// The records the layout buttons rearrange: 4..5 while the HDMI outputs are
// in use, else 0..3.
struct Range {
    int first = 0;
    int last = 3;
};
Range LayoutRange(int workMode, int outputMode);

enum class Layout { Horizontal, Vertical, Grid };
// Moves the outputs of the range that are on after the first one that is on
// (the anchor, which keeps its place). Returns the records that are on, the
// anchor first, in index order: the ones to announce and send. Sizes, the
// raster window and onOff are left alone.
QVector<int> Arrange(OutputWindowRecord* windows, Range range, Layout layout);

// A window size cut to the output's active size; clipped tells whether
// either value was reduced.
struct Size {
    int width = 0;
    int height = 0;
    bool clipped = false;
};
Size ClipToOutput(int width, int height, const OutputResoCfg& reso);

// "Reset": the window at (0, 0) on the canvas and in the raster, 1920 x 1080
// or the output's size where that is smaller (a window beyond the output
// would show nothing of its lower or right part). onOff stays.
void Reset(OutputWindowRecord& window, const OutputResoCfg& reso);

// An edit's text as a decimal number; 0 for a text that is not one.
int EditValue(const QString& text);
// A position inside the raster, as the 16-bit field holds it.
uint16_t RasterPosition(int value);

// The six rows of the HDMI settings group, in the form's order; each row's
// two buttons write value[0] and value[1].
enum HdmiRow { ColorSpace, ColorDepth, RgbRange, Hdr, DviHdmi, OutputPort, kHdmiRows };
struct HdmiButtons {
    const char* first;  // object name of the row's first button
    const char* second;
    int value[2];
};
extern const HdmiButtons kHdmiRowButtons[kHdmiRows];
int HdmiField(const HdmiSettingCfg& cfg, int row);
void SetHdmiField(HdmiSettingCfg& cfg, int row, int value);
// The button of the row (0 or 1) whose value the field holds; -1 for none.
int HdmiButtonOf(const HdmiSettingCfg& cfg, int row);

// What a switcher variant (M_SwitcherType) shows: the texts of the switcher
// button and of the HDMI output-mode button (untranslated; context
// "OpParamSet"), whether the output-mode row shows after a version report,
// and whether the HDMI settings button is hidden.
struct SwitcherVariant {
    const char* switcherText;
    const char* hdmiText;
    bool modeRowShown;
    bool hideHdmiSettings;
};
SwitcherVariant VariantOf(int switcherType);

}  // namespace OutputWindowRules
