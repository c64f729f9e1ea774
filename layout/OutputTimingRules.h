// The limits of a custom output timing: the device's output transmitter runs
// only within a pixel-clock range (per output mode), steps its horizontal
// timings in whole groups of pixels, and needs a minimum front porch. When an
// edit of the timing is finished the panel corrects the values here, in
// place; nothing is sent by a correction.
#pragma once

#include <cstdint>

namespace OutputTimingRules {

// The custom timing as the operator typed it. rate is in Hz.
struct Timing {
    int hact = 0;
    int vact = 0;
    float rate = 0.0f;
    int htotal = 0;
    int vtotal = 0;
    int hsync = 0;
    int vsync = 0;
    int hbp = 0;
    int vbp = 0;
};

enum class Field { Hact, Vact, Rate, Htotal, Vtotal, Hsync, Vsync, Hbp, Vbp };

struct ModeLimits {
    double clockMax;  // Hz
    double clockMin;  // Hz
    int step;  // horizontal values are multiples of this
    int maxHact;
    int maxHtotal;
};

// 0 DVI; any other mode the HDMI limits.
ModeLimits LimitsOf(int mode);

// Corrects t after the edit of field was finished. advance: the six
// advanced timings are in use (else the blanking is fixed). False, with t
// untouched, when the check would divide by a zero rate or total: the caller
// keeps the previous valid value.
bool Correct(Timing& t, Field field, int mode, bool advance);

// A rate in Hz as the record stores it: hundredths, rounded (59.94 -> 5994),
// within the field's range.
uint16_t RateToHundredths(float hz);

}  // namespace OutputTimingRules
