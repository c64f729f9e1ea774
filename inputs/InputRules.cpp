#include "InputRules.h"

#include <QtGlobal>

#include <algorithm>
#include <climits>
#include <cmath>

namespace CropRules {

// A record from the device may already hold a window past its range; the
// fields are unsigned, so every difference is taken only where it cannot go
// below zero.
Span SetPosition(Span s, uint16_t value)
{
    s.pos = value;
    if (int(s.pos) + s.size > s.range) {
        if (s.size <= s.range) {
            s.pos = uint16_t(s.range - s.size);
        } else {
            s.pos = 0;
            s.size = s.range;
        }
    }
    return s;
}

Span SetSize(Span s, uint16_t value)
{
    s.size = std::max(value, kMinSize);
    if (int(s.pos) + s.size > s.range) {
        if (s.pos <= s.range) {
            s.size = uint16_t(s.range - s.pos);
        } else {
            s.pos = 0;
            s.size = s.range;
        }
    }
    return s;
}

Span SetRange(Span s, uint16_t value)
{
    s.range = std::max(value, kMinSize);
    if (int(s.pos) + s.size > s.range) {
        if (s.pos == 0) {
            s.size = s.range;
        } else if (s.size > s.range) {
            s.size = s.range;
            s.pos = 0;
        } else {
            s.pos = uint16_t(s.range - s.size);
        }
    }
    return s;
}

bool MatchToInput(Span& s, uint16_t signal)
{
    if (signal == 0 || s.range == 0)
        return false;
    const double scale = double(signal) / double(s.range);
    const auto scaled = [scale](uint16_t v) {
        return uint16_t(std::min<double>(std::trunc(v * scale), 65535.0));
    };
    s.pos = scaled(s.pos);
    s.size = std::min<uint16_t>(scaled(s.size), signal);
    s.range = signal;
    return true;
}

}  // namespace CropRules

namespace EdidRules {

namespace {
constexpr double kClock = 297000000.0;
constexpr double kClockV2 = 594000000.0;
// Blanking assumed while the advanced fields are hidden.
constexpr int kHblankDefault = 280;
constexpr int kVblankDefault = 45;
constexpr int kMinActive = 320;
constexpr int kMaxHeight = 2176;
constexpr double kMinRate = 23.0;
constexpr double kMaxRate = 121.0;

int Hb(const Fields& f)
{
    return f.advanced ? f.hblank : kHblankDefault;
}

int Vb(const Fields& f)
{
    return f.advanced ? f.vblank : kVblankDefault;
}
}  // namespace

double PixelClock(const Port& port)
{
    return port.present && port.version == 2 ? kClockV2 : kClock;
}

int MaxWidth(const Port& port)
{
    if (!port.present)
        return 8192;
    if (port.version == 2)
        return port.type == 2 ? 4088 : 8192;
    return port.type == 2 || port.type == 4 ? 3840 : 8192;
}

// A rate of 0 (an empty field) gives no clock limit: the bounds alone apply.
int LimitWidth(const Fields& f, const Port& port)
{
    int h = f.hact;
    const double divisor = double(f.vact + Vb(f)) * f.rate;
    if (divisor > 0) {
        const double limit = std::trunc(PixelClock(port) / divisor);
        if (h + Hb(f) > limit)
            h = int(std::max(limit - Hb(f), double(INT_MIN / 2)));
    }
    if (h < kMinActive)
        return kMinActive;
    return std::min(h, MaxWidth(port));
}

int LimitHeight(const Fields& f, const Port& port)
{
    int v = f.vact;
    const double divisor = double(f.hact + Hb(f)) * f.rate;
    if (divisor > 0) {
        const double limit = std::trunc(PixelClock(port) / divisor);
        if (v + Vb(f) > limit)
            v = int(std::max(limit - Vb(f), double(INT_MIN / 2)));
    }
    return std::max(std::min(v, kMaxHeight), kMinActive);
}

// The total size in 64 bits: the blanking fields have no validator and a
// product of large values would overflow 32.
double LimitRate(const Fields& f, const Port& port)
{
    double rate = std::min(std::max(f.rate, kMinRate), kMaxRate);
    const long long total = (long long)(f.hact + Hb(f)) * (long long)(f.vact + Vb(f));
    if (total > 0)
        rate = std::min(rate, PixelClock(port) / double(total));
    return rate;
}

int LimitHblank(int value)
{
    return qBound(32, value, 960);
}

int LimitVblank(int value)
{
    return qBound(8, value, 512);
}

QString RateText(double hz)
{
    return QString::number(hz, 'g', 6);
}

uint16_t RateToRecord(double hz)
{
    return uint16_t(qBound(0.0, std::round(hz * 100.0), 65535.0));
}

}  // namespace EdidRules

namespace TileRules {

namespace {
constexpr int kSourceInput[4] = {4, 4, 5, 5};
constexpr int kSourceHalf[4] = {0, 1, 0, 1};
}  // namespace

int SourceInput(int source)
{
    if (source >= 0 && source < 4)
        return source;
    if (source >= 4 && source < kSources)
        return kSourceInput[source - 4];
    return 0;
}

int SourceHalf(int source)
{
    if (source >= 4 && source < kSources)
        return kSourceHalf[source - 4];
    return 0;
}

int SourceFor(int input, int half)
{
    if (input < 0 || input >= MDataLimits::kInputs)
        return -1;
    if (input < 4)
        return input;
    return (input == 4 ? 4 : 6) + (half != 0 ? 1 : 0);
}

SourceSignal SignalOf(const MData& data, int source)
{
    const int input = SourceInput(source);
    const int half = SourceHalf(source);
    const int port = data.M_InputData.port[input].actId;
    SourceSignal s;
    // An active port the records have no entry for has no signal.
    if (port >= MDataLimits::kPorts)
        return s;
    const InputSignalInfo& info = data.M_InputData.signal[input];
    s.width = info.width[half][port];
    s.height = info.height[half][port];
    s.interlaced = info.interlaced[half][port];
    return s;
}

bool IsValid(const MData& data, int count, const uint8_t s[4])
{
    if (count < 2 || count > 4)
        return false;
    const uint8_t mode = uint8_t(data.M_AllCfg.workMode);
    if (mode == SWITCHER_MODE && count != 2)
        return false;
    const SourceSignal first = SignalOf(data, s[0]);
    // The backup scaler takes four sources only up to 2048 pixels wide.
    if (mode == BACKUP_MODE && first.width > 2048 && count > 2)
        return false;
    for (int i = 0; i < count; ++i) {
        if (s[i] >= kSources)
            return false;
        const SourceSignal sig = SignalOf(data, s[i]);
        if (sig.width == 0 || sig.height == 0 || sig.interlaced)
            return false;
        if (i > 0 && (sig.width != first.width || sig.height != first.height))
            return false;
    }
    return true;
}

}  // namespace TileRules
