#include "MData.h"

void InitFallbackRecord(MData& data)
{
    data.M_AllCfg.workMode = MOSAIC_MODE;
    data.M_AllCfg.brightLevel = 17;
    data.M_AllCfg.gammaMode = 8;  // "Disable"
    data.M_AllCfg.gammaValue = 0;
    data.M_AllCfg.syncLock = 0;
    data.M_AllCfg.freeze = 0;
    data.M_SwitcherType = 0;
}
