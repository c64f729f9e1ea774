// Frames as bytes, built the way the device side builds them: the tests
// that feed the protocol object or talk to procsim by hand take them from
// here.
#pragma once

#include "Frames.h"

#include <QByteArray>
#include <QList>

namespace TestFrames {
QByteArray Bytes(const ShortFrame& frame);
QByteArray Bytes(const LongFrame& frame);
QByteArray Bytes(const Payload& payload);
// The bytes that hex names, then fill up to a whole payload (32 bytes).
QByteArray Padded(const char* hex, char fill = char(Frame::kFill));
// A short frame whose payload starts with head (fill after it; longer heads
// are cut at the payload's end).
QByteArray Short(uint16_t code, const QByteArray& head = QByteArray());
// The device's acknowledgement of a frame: its sequence byte and its code.
QByteArray Ack(const ShortFrame& acked);
// A batch frame (0x0402) carrying these short frames in order, fill after them.
QByteArray Batch(const QList<QByteArray>& shortFrames);
}  // namespace TestFrames
