#include "Frames.h"

#include "DeviceLog.h"

#include <algorithm>
#include <cstring>

void Payload::set16(int index, uint16_t value)
{
    WriteLe16(bytes_.data() + index, value);
}

void Payload::set32(int index, uint32_t value)
{
    WriteLe32(bytes_.data() + index, value);
}

static uint8_t Sum8(const uint8_t* data, int length)
{
    unsigned sum = 0;
    for (int i = 0; i < length; ++i)
        sum += data[i];
    return static_cast<uint8_t>(sum);
}

void MakeChecksum(uint8_t* buffer, int length)
{
    if (length < 1)
        return;
    buffer[length - 1] = Sum8(buffer, length - 1);
}

bool VerifyChecksum(const uint8_t* data, int length, uint8_t received)
{
    const uint8_t computed = length > 0 ? Sum8(data, length) : 0;
    if (computed == received)
        return true;
    DeviceLog("Checksum Error, Rec: 0x%02X, Cal: 0x%02X\n", received, computed);
    return false;
}

ShortFrame BuildShortFrame(uint16_t code, const uint8_t* payload, uint8_t headerA, uint8_t headerB)
{
    ShortFrame f;
    f.fill(Frame::kFill);
    f[0] = Frame::kShortSync0;
    f[1] = Frame::kShortSync1;
    f[2] = headerA;
    f[3] = headerB;
    WriteLe16(&f[4], code);
    if (payload)
        std::memcpy(&f[Frame::kPayloadOffset], payload, Frame::kPayloadSize);
    MakeChecksum(f.data(), Frame::kShortSize);
    return f;
}

LongFrame BuildLongFrame(uint16_t code, const uint8_t* area, uint8_t count)
{
    LongFrame f;
    f.fill(Frame::kFill);
    std::copy(Frame::kLongSync.begin(), Frame::kLongSync.end(), f.begin());
    WriteLe16(&f[8], code);
    f[10] = count;
    if (area)
        std::memcpy(&f[Frame::kLongAreaOffset], area, Frame::kLongAreaSize);
    MakeChecksum(f.data(), Frame::kLongSize);
    return f;
}

UsbTransfer BuildUsbTransfer(uint16_t code, const uint8_t* data, int length)
{
    UsbTransfer t{};  // the 25 bytes after the frame stay 0x00
    std::fill(t.begin(), t.begin() + Frame::kShortSize, Frame::kFill);
    t[0] = Frame::kShortSync0;
    t[1] = Frame::kShortSync1;
    t[2] = Frame::kHeaderA;
    t[3] = Frame::kHeaderB;
    WriteLe16(&t[4], code);
    if (data && length > 0)
        std::memcpy(&t[Frame::kPayloadOffset], data,
                    static_cast<size_t>(std::min(length, Frame::kPayloadSize)));
    // Towards the keyboard the sum starts at byte 3.
    MakeChecksum(&t[3], Frame::kShortSize - 3);
    return t;
}
