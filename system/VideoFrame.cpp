#include "VideoFrame.h"

#include <algorithm>
#include <vector>

QSize FitSize(const QSize& source, const QSize& bounds)
{
    if (source.isEmpty() || bounds.isEmpty())
        return QSize();
    QSize fitted = source.scaled(bounds, Qt::KeepAspectRatio);
    return fitted.expandedTo(QSize(1, 1));
}

namespace {
inline uint8_t Clamp(int v)
{
    return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
}
}  // namespace

QImage ScaleI420ToRgb(const I420View& s, const QSize& size)
{
    if (size.isEmpty() || s.width <= 0 || s.height <= 0 || !s.y || !s.u || !s.v)
        return QImage();
    const int w = size.width();
    const int h = size.height();
    QImage out(w, h, QImage::Format_RGB32);
    // Source column of every output column, computed once per picture.
    std::vector<int> column(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x)
        column[size_t(x)] = int((int64_t(x) * s.width + s.width / 2) / w);
    for (int y = 0; y < h; ++y) {
        const int sy = std::min(s.height - 1, int((int64_t(y) * s.height + s.height / 2) / h));
        const uint8_t* yRow = s.y + ptrdiff_t(sy) * s.yStride;
        const uint8_t* uRow = s.u + ptrdiff_t(sy / 2) * s.uStride;
        const uint8_t* vRow = s.v + ptrdiff_t(sy / 2) * s.vStride;
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int sx = std::min(s.width - 1, column[size_t(x)]);
            // Fixed-point BT.601: 298 = 1.164 * 256 and so on.
            const int c = 298 * (int(yRow[sx]) - 16);
            const int d = int(uRow[sx / 2]) - 128;
            const int e = int(vRow[sx / 2]) - 128;
            line[x] =
                qRgb(Clamp((c + 409 * e + 128) >> 8), Clamp((c - 100 * d - 208 * e + 128) >> 8),
                     Clamp((c + 516 * d + 128) >> 8));
        }
    }
    return out;
}
