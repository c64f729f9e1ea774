// One entry of the device list: a processor (or its Ethernet video board)
// found on the local network, with its configuration record.
#pragma once

#include "MData.h"

#include <QString>
#include <array>
#include <cstdint>

using MacAddress = std::array<uint8_t, 6>;

struct MachineRecord {
    MacAddress mac{};
    QString ip;
    uint8_t needsNewIp = 0;  // the address was changed here; a set-IP request is outstanding
    uint8_t ethBoard = 0;    // the Ethernet video board of the processor with the same MAC
    uint8_t announced = 0;   // announced itself (0x8081) and is to be reported again
    uint8_t reported = 0;    // SigMachineIPEvent has been raised for it
    uint8_t selected = 0;
    MData data;
};
