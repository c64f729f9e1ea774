#include "OutputTimingRules.h"

namespace OutputTimingRules {

ModeLimits LimitsOf(int mode)
{
    if (mode == 0)
        return {265000000.0, 60000000.0, 4, 2048, 2560};
    return {594000000.0, 120000000.0, 8, 4096, 4600};
}

bool Correct(Timing&, Field, int, bool)
{
    return true;
}

uint16_t RateToHundredths(float)
{
    return 0;
}

}  // namespace OutputTimingRules
