#include "TestFrames.h"

#include <algorithm>

QByteArray TestFrames::Bytes(const ShortFrame& frame)
{
    return QByteArray(reinterpret_cast<const char*>(frame.data()), int(frame.size()));
}

QByteArray TestFrames::Bytes(const LongFrame& frame)
{
    return QByteArray(reinterpret_cast<const char*>(frame.data()), int(frame.size()));
}

QByteArray TestFrames::Bytes(const Payload& payload)
{
    return QByteArray(reinterpret_cast<const char*>(payload.data()), Frame::kPayloadSize);
}

QByteArray TestFrames::Padded(const char* hex, char fill)
{
    QByteArray bytes = QByteArray::fromHex(hex);
    bytes.append(Frame::kPayloadSize - bytes.size(), fill);
    return bytes;
}

QByteArray TestFrames::Short(uint16_t code, const QByteArray& head)
{
    Payload p;
    for (int i = 0; i < head.size() && i < Frame::kPayloadSize; ++i)
        p.set8(i, uint8_t(head[i]));
    return Bytes(BuildShortFrame(code, p.data()));
}

QByteArray TestFrames::Ack(const ShortFrame& acked)
{
    Payload p;
    p.set8(0, acked[38]);
    p.set8(1, acked[4]);
    p.set8(2, acked[5]);
    return Bytes(BuildShortFrame(Frame::kAckCode, p.data()));
}

QByteArray TestFrames::Batch(const QList<QByteArray>& shortFrames)
{
    QByteArray area(Frame::kLongAreaSize, char(Frame::kFill));
    const int count = std::min<int>(shortFrames.size(), Frame::kLongMaxFrames);
    for (int i = 0; i < count; ++i)
        area.replace(i * Frame::kShortSize, Frame::kShortSize, shortFrames[i]);
    return Bytes(BuildLongFrame(Frame::kBatchCode,
                                reinterpret_cast<const uint8_t*>(area.constData()),
                                uint8_t(count)));
}
