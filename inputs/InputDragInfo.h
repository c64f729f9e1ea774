// The record that a drag out of an input cell carries to the layout canvas:
// 20 bytes under the MIME format "INFO", integers little-endian. It never
// leaves the process and is never stored.
//
//   0-3   source  int32  0..5 inputs 1..6, 6..7 tiles 1..2
//   4-7   port    int32  the input's active port (no reader uses it)
//   8-11  half    int32  1: the drag began on the shown right half
//   12    split   uint8  the cell showed two halves
//   13-15         left 0
//   16-19 type    int32  type of the active port: 0 VGA, 1 DVI, 2 HDMI, 3 SDI, 4 DP
#pragma once

#include "InputNames.h"  // InputTypeName, for the captions of a dropped record

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

class QMimeData;

struct InputDragInfo {
    static constexpr int kSize = 20;
    static const char* const kFormat;  // "INFO"

    int32_t source = 0;
    int32_t port = 0;
    int32_t half = 0;
    uint8_t split = 0;
    int32_t type = 0;

    bool isTile() const { return source == 6 || source == 7; }

    QByteArray toBytes() const;
    // Nothing for data shorter than the record: no producer makes it, and a
    // reader must not read past what it got. Longer data is read as far as
    // the record goes.
    static std::optional<InputDragInfo> fromBytes(const QByteArray& bytes);
    // The record of a drag's data, when it carries one.
    static std::optional<InputDragInfo> fromMime(const QMimeData* mime);
    // A new QMimeData carrying this record, for a QDrag to own.
    QMimeData* toMime() const;
};
