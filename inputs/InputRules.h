// The limits of the input page's panels and the tile rule, apart from any
// widget: the crop window of a port, the EDID timing a port offers, and which
// sources may form a tile in each working mode.
#pragma once

#include "MData.h"

#include <QString>

#include <cstdint>

namespace CropRules {

// One crop window in one direction: position and size inside the range.
struct Span {
    uint16_t pos = 0;
    uint16_t size = 0;
    uint16_t range = 0;
};

// The device refuses windows smaller than this in either direction.
constexpr uint16_t kMinSize = 64;

// Each rule stores the typed value and then brings position + size back
// within the range. The position edit keeps the size, the size edit the
// position, the range edit the size where it can.
Span SetPosition(Span s, uint16_t value);
Span SetSize(Span s, uint16_t value);
Span SetRange(Span s, uint16_t value);

// "Match To Input": the window keeps its place and proportion while the range
// becomes the measured signal (width or height). False, with s unchanged, for
// a port without signal or a window without range: there is nothing to match.
bool MatchToInput(Span& s, uint16_t signal);

}  // namespace CropRules

namespace EdidRules {

// What the limits of one port depend on.
struct Port {
    bool present = true;  // false: no current record
    int version = 0;  // CHNLID
    int type = 1;  // INPUTTYPE
};

struct Fields {
    int hact = 0;
    int vact = 0;
    double rate = 0;  // Hz
    int hblank = 0;
    int vblank = 0;
    bool advanced = false;  // the blanking fields count only while shown
};

double PixelClock(const Port& port);
int MaxWidth(const Port& port);

int LimitWidth(const Fields& f, const Port& port);
int LimitHeight(const Fields& f, const Port& port);
double LimitRate(const Fields& f, const Port& port);
int LimitHblank(int value);
int LimitVblank(int value);

// The rate as the field shows it: shortest form, six significant digits.
QString RateText(double hz);
// The rate in hundredths of a hertz as the record keeps it, rounded: the
// field's 59.94 is 5994 (truncating the binary product would give 5993).
uint16_t RateToRecord(double hz);

}  // namespace EdidRules

namespace TileRules {

constexpr uint8_t kNoSource = 255;
constexpr int kSources = 8;

// Input index and half of a tile source 0..7; any other value is input 0,
// half 0.
int SourceInput(int source);
int SourceHalf(int source);
// The source that shows (input, half); -1 for an input outside 0..5.
int SourceFor(int input, int half);

// What the rule needs to know of each source: the signal on the active port
// of its input, for its half.
struct SourceSignal {
    uint16_t width = 0;
    uint16_t height = 0;
    bool interlaced = false;
};
SourceSignal SignalOf(const MData& data, int source);

// May these sources (the first count of s) form a tile in this working mode?
// Switcher: exactly two. Backup: a third or fourth source only while the
// first is at most 2048 wide. Every source has a progressive signal of the
// first one's size.
bool IsValid(const MData& data, int count, const uint8_t s[4]);

}  // namespace TileRules
