#include "InputNames.h"

#include "MiddleHandler.h"

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

static QRect FromEdges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect LayerOutputArea(const MData& data, int layer)
{
    const QRect none(0, 0, -1, -1);
    switch (data.M_AllCfg.workMode) {
    case SWITCHER_MODE: {
        const int w = data.M_OutputData.M_OutputResoCfg.hact;
        const int h = data.M_OutputData.M_OutputResoCfg.vact;
        if (layer == 0)
            return FromEdges(0, 0, w - 1, h - 1);
        if (layer == 1)
            return FromEdges(0, 0, w / 2 - 1, h - 1);
        if (layer == 2)
            return FromEdges(w / 2, 0, 2 * (w / 2) - 1, h - 1);
        return none;
    }
    case MOSAIC_MODE: {
        if (layer < 0 || layer >= MDataLimits::kMosaicLayers)
            return none;
        const LayerRecord& l = data.M_MosaicLayerCfg.layer[layer];
        if (l.rotation == 0)
            return none;
        const QRect rect = FromEdges(int(l.hs), int(l.vs), int(l.hs + l.hact) - 1, int(l.vs + l.vact) - 1);
        std::vector<QRect> candidates;
        const OutputWindowRecord* windows = data.M_OutputData.M_OPDisplayCfg;
        const int mode = data.M_OutputData.M_OutputResoCfg.outputMode;
        if (mode == DVI_MODE) {
            for (int w = 0; w < 4; ++w)
                if (windows[w].onOff)
                    candidates.push_back(FromEdges(windows[w].mosaicHs, windows[w].mosaicVs,
                                                   windows[w].mosaicHs + windows[w].hact - 1,
                                                   windows[w].mosaicVs + windows[w].vact - 1));
        } else if (mode == HDMI_MODE) {
            for (int w = 4; w < 6; ++w) {
                if (!windows[w].onOff)
                    continue;
                const int x = windows[w].mosaicHs;
                const int y = windows[w].mosaicVs;
                const int half = windows[w].hact / 2;
                const int bottom = y + windows[w].vact - 1;
                candidates.push_back(FromEdges(x, y, x + half - 1, bottom));
                candidates.push_back(FromEdges(x + half, y, x + 2 * half - 1, bottom));
            }
        }
        QRect match = none;
        int matches = 0;
        for (const QRect& c : candidates) {
            const bool inside = rect.left() >= c.left() && rect.top() >= c.top() &&
                                rect.right() <= c.right() && rect.bottom() <= c.bottom();
            if (inside && c.intersects(rect)) {
                match = c;
                ++matches;
            }
        }
        return matches == 1 ? match : none;
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
