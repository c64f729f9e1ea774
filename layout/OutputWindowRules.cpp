#include "OutputWindowRules.h"

#include <QCoreApplication>

#include <algorithm>

namespace OutputWindowRules {

bool HdmiOutputsInUse(int workMode, int outputMode)
{
    if (workMode == SWITCHER_MODE)
        return true;
    return (workMode == MOSAIC_MODE || workMode == BACKUP_MODE) && outputMode == HDMI_MODE;
}

int RecordOfCell(int cell, int workMode, int outputMode)
{
    const int record = HdmiOutputsInUse(workMode, outputMode) ? cell + kFirstHdmi : cell;
    return record >= 0 && record < kWindows ? record : -1;
}

int CellOfRecord(int record, int workMode, int outputMode)
{
    return HdmiOutputsInUse(workMode, outputMode) ? record - kFirstHdmi : record;
}

Range LayoutRange(int workMode, int outputMode)
{
    if (HdmiOutputsInUse(workMode, outputMode))
        return {kFirstHdmi, kWindows - 1};
    return {0, kFirstHdmi - 1};
}

QVector<int> Arrange(OutputWindowRecord* w, Range range, Layout layout)
{
    QVector<int> on;
    for (int i = std::max(range.first, 0); i <= std::min(range.last, kWindows - 1); ++i) {
        if (w[i].onOff)
            on.append(i);
    }
    if (on.isEmpty())
        return on;
    const OutputWindowRecord& anchor = w[on.first()];
    const int right = anchor.mosaicHs + anchor.mosaicHact;
    const int bottom = anchor.mosaicVs + anchor.mosaicVact;
    int x = right;
    int y = bottom;
    for (int k = 1; k < on.size(); ++k) {
        const int i = on[k];
        OutputWindowRecord& o = w[i];
        switch (layout) {
        case Layout::Horizontal:
            o.mosaicHs = x;
            o.mosaicVs = anchor.mosaicVs;
            x += o.mosaicHact;
            break;
        case Layout::Vertical:
            o.mosaicVs = y;
            o.mosaicHs = anchor.mosaicHs;
            y += o.mosaicVact;
            break;
        case Layout::Grid:
            // The outputs meet at the anchor's lower right corner: odd
            // records to its right, even ones below it.
            if (i % 2 == 1) {
                o.mosaicHs = right;
                o.mosaicVs = i == range.first + 1 ? bottom - o.mosaicVact : bottom;
            } else {
                o.mosaicHs = right - o.mosaicHact;
                o.mosaicVs = bottom;
            }
            break;
        }
    }
    return on;
}

Size ClipToOutput(int width, int height, const OutputResoCfg& reso)
{
    Size s{width, height, false};
    if (s.width > reso.hact) {
        s.width = reso.hact;
        s.clipped = true;
    }
    if (s.height > reso.vact) {
        s.height = reso.vact;
        s.clipped = true;
    }
    return s;
}

void Reset(OutputWindowRecord& w, const OutputResoCfg& reso)
{
    const int width = std::min<int>(kResetWidth, reso.hact);
    const int height = std::min<int>(kResetHeight, reso.vact);
    w.mosaicHs = 0;
    w.mosaicVs = 0;
    w.mosaicHact = width;
    w.mosaicVact = height;
    w.hs = 0;
    w.vs = 0;
    w.hact = uint16_t(width);
    w.vact = uint16_t(height);
}

int EditValue(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

uint16_t RasterPosition(int value)
{
    return uint16_t(std::clamp(value, 0, kMaxPosition));
}

const HdmiButtons kHdmiRowButtons[kHdmiRows] = {
    {"pushButton", "pushButton_2", {0, 1}},  // colour space: RGB444, YUV444
    {"pushButton_3", "pushButton_4", {0, 1}},  // colour depth: 8 bit, 10 bit
    {"pushButton_5", "pushButton_6", {1, 0}},  // RGB range: Limited, Full
    {"pushButton_13", "pushButton_12", {1, 0}},  // HDR: ON, OFF
    {"pushButton_17", "pushButton_18", {0, 1}},  // signal: DVI, HDMI
    {"pushButton_19", "pushButton_20", {0, 1}},  // output port: DVI, HDMI
};

int HdmiField(const HdmiSettingCfg& c, int row)
{
    switch (row) {
    case ColorSpace:
        return c.colorSpace;
    case ColorDepth:
        return c.colorDepth;
    case RgbRange:
        return c.rgbRange;
    case Hdr:
        return c.hdr;
    case DviHdmi:
        return c.dviHdmi;
    case OutputPort:
        return c.outputPort;
    default:
        return -1;
    }
}

void SetHdmiField(HdmiSettingCfg& c, int row, int value)
{
    switch (row) {
    case ColorSpace:
        c.colorSpace = value;
        break;
    case ColorDepth:
        c.colorDepth = value;
        break;
    case RgbRange:
        c.rgbRange = value;
        break;
    case Hdr:
        c.hdr = uint8_t(value);
        break;
    case DviHdmi:
        c.dviHdmi = uint8_t(value);
        break;
    case OutputPort:
        c.outputPort = uint8_t(value);
        break;
    default:
        break;
    }
}

int HdmiButtonOf(const HdmiSettingCfg& c, int row)
{
    if (row < 0 || row >= kHdmiRows)
        return -1;
    const int v = HdmiField(c, row);
    for (int b = 0; b < 2; ++b) {
        if (kHdmiRowButtons[row].value[b] == v)
            return b;
    }
    return -1;
}

SwitcherVariant VariantOf(int switcherType)
{
    switch (switcherType) {
    case 0:
        return {QT_TRANSLATE_NOOP("OpParamSet", "HDMI Switcher"),
                QT_TRANSLATE_NOOP("OpParamSet", "HDMI"), true, false};
    case 1:
        return {QT_TRANSLATE_NOOP("OpParamSet", "DP Switcher Mode"),
                QT_TRANSLATE_NOOP("OpParamSet", "DP"), true, true};
    case 4:
        return {QT_TRANSLATE_NOOP("OpParamSet", "Switcher Mode"),
                QT_TRANSLATE_NOOP("OpParamSet", "HDMI"), false, false};
    case 3:
        return {"", "", false, false};
    default:
        return {"", "", true, false};
    }
}

}  // namespace OutputWindowRules
