#include "InputNames.h"

#include "MiddleHandler.h"

#include <limits>
#include <vector>

QString InputTypeName(int type)
{
    static const char* const kNames[] = {"VGA", "DVI", "HDMI", "SDI", "DP"};
    if (type < 0 || type >= int(sizeof(kNames) / sizeof(kNames[0])))
        return QString();
    return QString::fromLatin1(kNames[type]);
}

QString InputLabel(int input, int type, int version)
{
    QString suffix;
    if (version == 2 && type == 2)
        suffix = QStringLiteral("2.0");
    else if (version == 2 && type == 4)
        suffix = QStringLiteral("1.2");
    return QString::asprintf("Input %d:%s %s", input + 1, qPrintable(InputTypeName(type)),
                             qPrintable(suffix));
}

QRect LayerOutputArea(int layer)
{
    return LayerOutputArea(*MiddleHandler::GetInstance()->GetCurrentMData(), layer);
}

namespace {

// Edges of an inclusive rectangle in 64 bits: the record's coordinates and
// sizes are device values (up to 32 bits unsigned) and their sums must not
// overflow on the way.
struct Edges {
    qint64 left, top, right, bottom;

    bool empty() const { return right < left || bottom < top; }
    bool contains(const Edges& r) const
    {
        return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
    }
    // A rectangle the canvas can hold, or the empty rectangle.
    QRect toRect() const
    {
        auto fits = [](qint64 v) { return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max(); };
        if (!fits(left) || !fits(top) || !fits(right) || !fits(bottom))
            return QRect(0, 0, -1, -1);
        return QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom)));
    }
};

Edges FromSize(qint64 x, qint64 y, qint64 width, qint64 height)
{
    return {x, y, x + width - 1, y + height - 1};
}

}  // namespace

QRect LayerOutputArea(const MData& data, int layer)
{
    const QRect none(0, 0, -1, -1);
    switch (data.M_AllCfg.workMode) {
    case SWITCHER_MODE: {
        const qint64 w = data.M_OutputData.M_OutputResoCfg.hact;
        const qint64 h = data.M_OutputData.M_OutputResoCfg.vact;
        if (layer == 0)
            return FromSize(0, 0, w, h).toRect();
        if (layer == 1)
            return FromSize(0, 0, w / 2, h).toRect();
        if (layer == 2)
            return Edges{w / 2, 0, 2 * (w / 2) - 1, h - 1}.toRect();
        return none;
    }
    case MOSAIC_MODE: {
        if (layer < 0 || layer >= MDataLimits::kMosaicLayers)
            return none;
        const LayerRecord& l = data.M_MosaicLayerCfg.layer[layer];
        if (l.rotation == 0)
            return none;
        const Edges rect = FromSize(l.hs, l.vs, l.hact, l.vact);
        std::vector<Edges> candidates;
        const OutputWindowRecord* windows = data.M_OutputData.M_OPDisplayCfg;
        const int mode = data.M_OutputData.M_OutputResoCfg.outputMode;
        if (mode == DVI_MODE) {
            for (int w = 0; w < 4; ++w)
                if (windows[w].onOff)
                    candidates.push_back(FromSize(windows[w].mosaicHs, windows[w].mosaicVs,
                                                  windows[w].hact, windows[w].vact));
        } else if (mode == HDMI_MODE) {
            for (int w = 4; w < 6; ++w) {
                if (!windows[w].onOff)
                    continue;
                const qint64 x = windows[w].mosaicHs;
                const qint64 y = windows[w].mosaicVs;
                const qint64 half = windows[w].hact / 2;
                const qint64 bottom = y + qint64(windows[w].vact) - 1;
                candidates.push_back({x, y, x + half - 1, bottom});
                candidates.push_back({x + half, y, x + 2 * half - 1, bottom});
            }
        }
        // A candidate matches when it holds the whole layer (and so, both
        // being non-empty, intersects it).
        const Edges* match = nullptr;
        int matches = 0;
        for (const Edges& c : candidates) {
            if (!rect.empty() && !c.empty() && c.contains(rect)) {
                match = &c;
                ++matches;
            }
        }
        return matches == 1 ? match->toRect() : none;
    }
    default:
        return none;
    }
}

int HexToInt(const QString& text)
{
    quint32 value = 0;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        int digit;
        if (u >= '0' && u <= '9')
            digit = u - '0';
        else if (u >= 'a' && u <= 'f')
            digit = u - 'a' + 10;
        else if (u >= 'A' && u <= 'F')
            digit = u - 'A' + 10;
        else
            return 0;
        value = value * 16 + quint32(digit);
    }
    return static_cast<int>(value);
}
