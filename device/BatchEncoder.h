// Packs whole tables of a device record into the areas of batch frames: each
// area carries complete short frames of the single-item layouts back to back.
#pragma once

#include "Frames.h"
#include "MData.h"

#include <array>
#include <cstdint>
#include <vector>

// One batch frame's data area and the number of short frames in it; the
// bytes after the last short frame are 0x55.
struct BatchArea {
    std::array<uint8_t, Frame::kLongAreaSize> area;
    uint8_t count = 0;
};

// The batch frames of command type 40 (crop), 41 (outputs), 42 (layers, three
// areas: mosaic, switch, backup) or 43 (tasks), in sending order; any other
// type gives none.
std::vector<BatchArea> EncodeBatch(const MData& data, int type);
