// Turns one decoded I420 picture into an RGB picture of another size in a
// single pass: each output pixel samples the nearest source pixel. Scaling
// first and converting only the pixels shown costs a fraction of converting
// a whole 1080p picture and letting the painter shrink it.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>

struct I420View {
    const uint8_t* y = nullptr;
    const uint8_t* u = nullptr;
    const uint8_t* v = nullptr;
    int yStride = 0;
    int uStride = 0;
    int vStride = 0;
    int width = 0;
    int height = 0;
};

// The size that fits source into bounds with the source's aspect (at least
// 1 x 1; an empty bounds or source gives an empty size).
QSize FitSize(const QSize& source, const QSize& bounds);

// An RGB32 picture of the given size (BT.601, limited range); a null image
// for an empty size or source.
QImage ScaleI420ToRgb(const I420View& source, const QSize& size);
