// Frame layouts shared with the processor and the control keyboard, and
// their 8-bit additive checksums. Pure functions over bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Frame {
constexpr int kShortSize = 39;
constexpr int kPayloadSize = 32;
constexpr int kPayloadOffset = 6;
constexpr int kLongSize = 1359;
constexpr int kLongAreaOffset = 14;
constexpr int kLongAreaSize = 1344;
constexpr int kLongMaxFrames = kLongAreaSize / kShortSize;  // 34
constexpr int kUsbTransferSize = 64;

constexpr uint8_t kShortSync0 = 0xED;
constexpr uint8_t kShortSync1 = 0xCB;
constexpr uint8_t kHeaderA = 0x28;
constexpr uint8_t kHeaderB = 0x38;
constexpr uint8_t kFill = 0x55;
constexpr std::array<uint8_t, 8> kLongSync = {0xD1, 0xE2, 0xF3, 0x04, 0x15, 0x26, 0x37, 0x48};
constexpr uint16_t kBatchCode = 0x0402;
constexpr uint16_t kAckCode = 0x0400;
constexpr uint16_t kKeyReportCode = 0x00AC;
}  // namespace Frame

using ShortFrame = std::array<uint8_t, Frame::kShortSize>;
using LongFrame = std::array<uint8_t, Frame::kLongSize>;
using UsbTransfer = std::array<uint8_t, Frame::kUsbTransferSize>;

// 32 payload bytes, every byte not written 0x55.
class Payload {
public:
    Payload() { fill(Frame::kFill); }
    void fill(uint8_t value) { bytes_.fill(value); }
    void set8(int index, uint8_t value) { bytes_[static_cast<size_t>(index)] = value; }
    void set16(int index, uint16_t value);
    void set32(int index, uint32_t value);
    uint8_t at(int index) const { return bytes_[static_cast<size_t>(index)]; }
    const uint8_t* data() const { return bytes_.data(); }
    uint8_t* data() { return bytes_.data(); }
    const std::array<uint8_t, Frame::kPayloadSize>& bytes() const { return bytes_; }

private:
    std::array<uint8_t, Frame::kPayloadSize> bytes_;
};

inline uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t ReadLe32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void WriteLe16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteLe32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Writes into byte length - 1 the 8-bit sum of bytes 0 .. length - 2.
void MakeChecksum(uint8_t* buffer, int length);

// Compares the 8-bit sum of bytes 0 .. length - 1 with the received byte;
// logs the mismatch.
bool VerifyChecksum(const uint8_t* data, int length, uint8_t received);

// A network short frame: sync, header bytes, code, payload (all 0x55 when
// none is given), sum of bytes 0..37.
ShortFrame BuildShortFrame(uint16_t code, const uint8_t* payload,
                           uint8_t headerA = Frame::kHeaderA, uint8_t headerB = Frame::kHeaderB);

// A batch frame: the area is copied whole (1344 bytes), count is the number
// of short frames in it; sum of bytes 0..1357.
LongFrame BuildLongFrame(uint16_t code, const uint8_t* area, uint8_t count);

// A short frame for the keyboard in its zeroed 64-byte transfer: the first
// min(length, 32) data bytes over the 0x55 payload, sum of bytes 3..37.
UsbTransfer BuildUsbTransfer(uint16_t code, const uint8_t* data, int length);
