// Helpers that several pages share: input type names and labels, the output
// area a layer must lie in, and a hexadecimal text parser.
#pragma once

#include "MData.h"

#include <QRect>
#include <QString>

QString InputTypeName(int type);
QString InputLabel(int input, int type, int version);

// Inclusive rectangle on the layout canvas, or (0, 0, -1, -1) when no area
// applies. The first form reads the selected device's record.
QRect LayerOutputArea(int layer);
QRect LayerOutputArea(const MData& data, int layer);

// The value of a hexadecimal text, wrapping in 32 bits; 0 for an empty text
// or any character that is not a hexadecimal digit.
int HexToInt(const QString& text);
