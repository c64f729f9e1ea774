#include "OutputTimingRules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace OutputTimingRules {

namespace {

// Blanking assumed without the advanced timings.
constexpr int kHBlank = 208;
constexpr int kVBlank = 28;
// Front porch the transmitter needs at least, in pixels and lines.
constexpr int kHFront = 16;
constexpr int kVFront = 4;
// Sync plus back porch the transmitter accepts at most.
constexpr int kHSyncPorchMax = 192;
constexpr int kVSyncPorchMax = 24;
constexpr int kMinHact = 640;
constexpr int kMinVact = 480;
constexpr int kMaxVact = 3840;
constexpr int kMaxVtotal = 4096;
constexpr int kMinRate100 = 2300;
constexpr int kMaxRate100 = 9600;
// What the edits accept; a correction never writes a value outside it.
constexpr int kEditMax = 9999;

// A quotient truncated toward zero; a tiny rate makes it far larger than any
// timing, so it is held where later sums cannot overflow.
int64_t Trunc(double v)
{
    return static_cast<int64_t>(std::max(-1e9, std::min(1e9, v)));
}

int64_t Align(int64_t v, int step)
{
    return v - v % step;
}

int ToEdit(int64_t v)
{
    return static_cast<int>(std::clamp<int64_t>(v, 0, kEditMax));
}

bool Hact(Timing& t, const ModeLimits& l, bool advance)
{
    int64_t h = t.hact;
    if (!advance) {
        const double p = double(t.vact + kVBlank) * t.rate;
        if (p <= 0)
            return false;
        h = std::max(Trunc(l.clockMin / p) - kHBlank, std::min(h, Trunc(l.clockMax / p) - kHBlank));
    } else {
        const double p = double(t.vtotal) * t.rate;
        if (p <= 0)
            return false;
        const int64_t tmax = Trunc(l.clockMax / p);
        const int64_t tmin = Trunc(l.clockMin / p);
        const int64_t blank = int64_t(t.hsync) + t.hbp + kHFront;
        if (t.htotal <= h + blank - 1) {
            int64_t total = Align(h + blank, l.step);
            if (total > tmax) {
                total = tmax;
                h = tmax - blank;
            }
            t.htotal = ToEdit(total);
        }
        h = std::max(tmin - blank, std::min(h, tmax - blank));
    }
    h = std::min<int64_t>(std::max<int64_t>(h, kMinHact), l.maxHact);
    t.hact = ToEdit(Align(h, l.step));
    return true;
}

bool Vact(Timing& t, const ModeLimits& l, bool advance)
{
    int64_t v = t.vact;
    if (!advance) {
        const double p = double(t.rate) * (t.hact + kHBlank);
        if (p <= 0)
            return false;
        v = std::max(Trunc(l.clockMin / p) - kVBlank, std::min(v, Trunc(l.clockMax / p) - kVBlank));
    } else {
        const double p = double(t.htotal) * t.rate;
        if (p <= 0)
            return false;
        const int64_t tmax = Trunc(l.clockMax / p);
        const int64_t blank = int64_t(t.vsync) + t.vbp + kVFront;
        if (t.vtotal <= v + blank - 1) {
            int64_t total = v + blank;
            if (total > tmax) {
                total = tmax;
                v = tmax - blank;
            }
            t.vtotal = ToEdit(total);
        }
        v = std::max(Trunc(l.clockMin / p) - blank, std::min(v, tmax - blank));
    }
    v = std::max<int64_t>(std::min<int64_t>(v, kMaxVact), kMinVact);
    t.vact = ToEdit(v);
    return true;
}

// A total within the clock range for the other total and the rate.
bool Total(int& total, int other, float rate, const ModeLimits& l, int64_t most, int step)
{
    const double p = double(other) * rate;
    if (p <= 0)
        return false;
    int64_t v = total;
    if (v > l.clockMax / p)
        v = Trunc(l.clockMax / p);
    else if (v < l.clockMin / p)
        v = Trunc(l.clockMin / p);
    total = ToEdit(Align(std::min(v, most), step));
    return true;
}

bool Rate(Timing& t, const ModeLimits& l, bool advance)
{
    const uint32_t ht = advance ? uint32_t(std::max(t.htotal, 0)) : uint32_t(t.hact + kHBlank);
    const uint32_t vt = advance ? uint32_t(std::max(t.vtotal, 0)) : uint32_t(t.vact + kVBlank);
    const uint32_t n = ht * vt;
    if (n == 0)
        return false;
    const int64_t fmax = int64_t(l.clockMax) / n;
    const int64_t fmin = int64_t(l.clockMin) / n;
    int64_t r = RateToHundredths(t.rate);
    r = std::max(std::min(r, fmax * 100), fmin * 100);
    if (r < kMinRate100)
        r = kMinRate100;
    else if (r > kMaxRate100)
        r = kMaxRate100;
    t.rate = float(r / 100.0);
    return true;
}

}  // namespace

ModeLimits LimitsOf(int mode)
{
    if (mode == 0)
        return {265000000.0, 60000000.0, 4, 2048, 2560};
    return {594000000.0, 120000000.0, 8, 4096, 4600};
}

bool Correct(Timing& t, Field field, int mode, bool advance)
{
    const ModeLimits l = LimitsOf(mode);
    Timing c = t;
    bool done = true;
    switch (field) {
    case Field::Hact:
        done = Hact(c, l, advance);
        break;
    case Field::Vact:
        done = Vact(c, l, advance);
        break;
    case Field::Rate:
        done = Rate(c, l, advance);
        break;
    case Field::Htotal:
        done = Total(c.htotal, c.vtotal, c.rate, l, l.maxHtotal, l.step);
        break;
    case Field::Vtotal:
        done = Total(c.vtotal, c.htotal, c.rate, l, kMaxVtotal, 1);
        break;
    case Field::Hsync:
        c.hsync = ToEdit(Align(std::min(c.hsync, c.htotal - c.hact - c.hbp - kHFront), l.step));
        break;
    case Field::Vsync:
        if (c.vsync >= c.vtotal - c.vact - c.vbp - (kVFront - 1))
            c.vsync = ToEdit(c.vtotal - c.vact - c.vbp - kVFront);
        break;
    case Field::Hbp: {
        int hb = std::min(c.hbp, kHSyncPorchMax - c.hsync);
        if (hb >= c.htotal - c.hact - c.hsync - (kHFront - 1))
            hb = c.htotal - c.hact - c.hsync - kHFront;
        c.hbp = ToEdit(Align(hb, l.step));
        break;
    }
    case Field::Vbp:
        if (c.vbp > kVSyncPorchMax - c.vsync)
            c.vbp = kVSyncPorchMax - c.vsync;
        if (c.vbp >= c.vtotal - c.vact - c.vsync - (kVFront - 1))
            c.vbp = c.vtotal - c.vact - c.vsync - kVFront;
        c.vbp = ToEdit(c.vbp);
        break;
    }
    if (done)
        t = c;
    return done;
}

uint16_t RateToHundredths(float hz)
{
    const double r = std::round(double(hz) * 100.0);
    return static_cast<uint16_t>(std::clamp(r, 0.0, 65535.0));
}

}  // namespace OutputTimingRules
