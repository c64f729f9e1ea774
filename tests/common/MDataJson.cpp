#include "MDataJson.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>

namespace {

QJsonValue J(uint8_t v)
{
    return double(v);
}
QJsonValue J(uint16_t v)
{
    return double(v);
}
QJsonValue J(uint32_t v)
{
    return double(v);
}
QJsonValue J(int32_t v)
{
    return double(v);
}
QJsonValue J(bool v)
{
    return v;
}
QJsonValue J(const QString& v)
{
    return v;
}
QJsonValue J(const AllCfg& v);
QJsonValue J(const OutputWindowRecord& v);
QJsonValue J(const LayerRecord& v);
QJsonValue J(const LayerZoomCfg& v);
QJsonValue J(const ChromaKeyCfg& v);
QJsonValue J(const LayerPictureCfg& v);
QJsonValue J(const InputPortCfg& v);
QJsonValue J(const InputSignalInfo& v);
QJsonValue J(const InputCropCfg& v);
QJsonValue J(const InputTileCfg& v);
QJsonValue J(const InputEdidCfg& v);
QJsonValue J(const BoardVersion& v);
QJsonValue J(const ScheduleTask& v);

template <class T, size_t N>
QJsonValue J(const T (&a)[N])
{
    QJsonArray arr;
    for (const T& e : a)
        arr.append(J(e));
    return arr;
}

QJsonValue J(const AllCfg& v)
{
    return QJsonObject{{"workMode", J(v.workMode)},    {"brightLevel", J(v.brightLevel)},
                       {"gammaMode", J(v.gammaMode)},  {"gammaValue", J(v.gammaValue)},
                       {"syncLock", J(v.syncLock)},    {"freeze", J(v.freeze)},
                       {"autoBackup", J(v.autoBackup)}};
}

QJsonValue J(const OutputWindowRecord& v)
{
    return QJsonObject{{"onOff", J(v.onOff)},
                       {"portID", J(v.portID)},
                       {"hs", J(v.hs)},
                       {"vs", J(v.vs)},
                       {"hact", J(v.hact)},
                       {"vact", J(v.vact)},
                       {"mosaicHs", J(v.mosaicHs)},
                       {"mosaicVs", J(v.mosaicVs)},
                       {"mosaicHact", J(v.mosaicHact)},
                       {"mosaicVact", J(v.mosaicVact)}};
}

QJsonValue J(const OutputResoCfg& v)
{
    return QJsonObject{{"resoId", J(v.resoId)},
                       {"hact", J(v.hact)},
                       {"vact", J(v.vact)},
                       {"fps", J(v.fps)},
                       {"htotal", J(v.htotal)},
                       {"hsync", J(v.hsync)},
                       {"hbp", J(v.hbp)},
                       {"vtotal", J(v.vtotal)},
                       {"vsync", J(v.vsync)},
                       {"vbp", J(v.vbp)},
                       {"outputMode", J(v.outputMode)}};
}

QJsonValue J(const HdmiSettingCfg& v)
{
    return QJsonObject{{"colorSpace", J(v.colorSpace)}, {"rgbRange", J(v.rgbRange)},
                       {"colorDepth", J(v.colorDepth)}, {"hdr", J(v.hdr)},
                       {"dviHdmi", J(v.dviHdmi)},       {"outputPort", J(v.outputPort)}};
}

QJsonValue J(const OutputData& v)
{
    return QJsonObject{{"M_OPDisplayCfg", J(v.M_OPDisplayCfg)},
                       {"M_OutputResoCfg", J(v.M_OutputResoCfg)},
                       {"M_HdmiSettingCfg", J(v.M_HdmiSettingCfg)}};
}

QJsonValue J(const LayerRecord& v)
{
    return QJsonObject{{"onOff", J(v.onOff)},
                       {"hs", J(v.hs)},
                       {"vs", J(v.vs)},
                       {"hact", J(v.hact)},
                       {"vact", J(v.vact)},
                       {"logoWidth", J(v.logoWidth)},
                       {"logoHeight", J(v.logoHeight)},
                       {"inputId", J(v.inputId)},
                       {"halfId", J(v.halfId)},
                       {"rotation", J(v.rotation)},
                       {"alpha", J(v.alpha)},
                       {"tileEnable", J(v.tileEnable)},
                       {"tileId", J(v.tileId)},
                       {"logoOnOff", J(v.logoOnOff)},
                       {"bMain", J(v.bMain)}};
}

QJsonValue J(const LayerZoomCfg& v)
{
    return QJsonObject{{"hs", J(v.hs)},      {"hact", J(v.hact)},     {"vs", J(v.vs)},
                       {"vact", J(v.vact)},  {"hRange", J(v.hRange)}, {"vRange", J(v.vRange)},
                       {"onOff", J(v.onOff)}};
}

QJsonValue J(const ChromaKeyCfg& v)
{
    return QJsonObject{{"minR", J(v.minR)},   {"maxR", J(v.maxR)}, {"minG", J(v.minG)},
                       {"maxG", J(v.maxG)},   {"minB", J(v.minB)}, {"maxB", J(v.maxB)},
                       {"onOff", J(v.onOff)}, {"mode", J(v.mode)}};
}

QJsonValue J(const LayerPictureCfg& v)
{
    return QJsonObject{{"brightness", J(v.brightness)}, {"contrast", J(v.contrast)},
                       {"saturation", J(v.saturation)}, {"colorTempMode", J(v.colorTempMode)},
                       {"colorTempR", J(v.colorTempR)}, {"colorTempG", J(v.colorTempG)},
                       {"colorTempB", J(v.colorTempB)}};
}

template <int N>
QJsonValue J(const LayerSet<N>& v)
{
    return QJsonObject{{"layer", J(v.layer)},
                       {"zoom", J(v.zoom)},
                       {"chromaKey", J(v.chromaKey)},
                       {"picture", J(v.picture)},
                       {"durationTime", J(v.durationTime)}};
}

QJsonValue J(const InputPortCfg& v)
{
    return QJsonObject{{"portNum", J(v.portNum)},
                       {"actId", J(v.actId)},
                       {"chnlId", J(v.chnlId)},
                       {"inputType", J(v.inputType)},
                       {"inputRename", J(v.inputRename)}};
}

QJsonValue J(const InputSignalInfo& v)
{
    return QJsonObject{{"width", J(v.width)},
                       {"height", J(v.height)},
                       {"infoA", J(v.infoA)},
                       {"infoB", J(v.infoB)},
                       {"interlaced", J(v.interlaced)}};
}

QJsonValue J(const InputCropCfg& v)
{
    return QJsonObject{{"hs", J(v.hs)},      {"hact", J(v.hact)},     {"vs", J(v.vs)},
                       {"vact", J(v.vact)},  {"hRange", J(v.hRange)}, {"vRange", J(v.vRange)},
                       {"onOff", J(v.onOff)}};
}

QJsonValue J(const InputTileCfg& v)
{
    return QJsonObject{
        {"count", J(v.count)}, {"input", J(v.input)}, {"half", J(v.half)}, {"name", J(v.name)}};
}

QJsonValue J(const InputEdidCfg& v)
{
    return QJsonObject{{"hact", J(v.hact)},
                       {"vact", J(v.vact)},
                       {"rate", J(v.rate)},
                       {"hblank", J(v.hblank)},
                       {"vblank", J(v.vblank)}};
}

QJsonValue J(const InputData& v)
{
    return QJsonObject{{"port", J(v.port)},
                       {"signal", J(v.signal)},
                       {"crop", J(v.crop)},
                       {"tile", J(v.tile)},
                       {"edid", J(v.edid)}};
}

QJsonValue J(const BoardVersion& v)
{
    return QJsonObject{
        {"versionB", J(v.versionB)}, {"versionA", J(v.versionA)}, {"buildDate", J(v.buildDate)}};
}

QJsonValue J(const MachineInfo& v)
{
    return QJsonObject{{"stdVoltage", J(v.stdVoltage)},
                       {"voltage", J(v.voltage)},
                       {"board", J(v.board)},
                       {"ethVersion", J(v.ethVersion)}};
}

QJsonValue J(const LogoInfo& v)
{
    return QJsonObject{{"op", J(v.op)},         {"workMode", J(v.workMode)},
                       {"state", J(v.state)},   {"progress", J(v.progress)},
                       {"valueA", J(v.valueA)}, {"valueB", J(v.valueB)},
                       {"width", J(v.width)},   {"height", J(v.height)}};
}

QJsonValue J(const ScheduleTask& v)
{
    return QJsonObject{{"index", J(v.index)},   {"year", J(v.year)},        {"month", J(v.month)},
                       {"day", J(v.day)},       {"hour", J(v.hour)},        {"minute", J(v.minute)},
                       {"second", J(v.second)}, {"option", J(v.option)},    {"period", J(v.period)},
                       {"flag", J(v.flag)},     {"presetId", J(v.presetId)}};
}

QJsonValue J(const TaskCfg& v)
{
    return QJsonObject{{"task", J(v.task)}, {"status", J(v.status)}};
}

// "[*]" any index, "*" any one key; matches the path itself and what lies below it.
QRegularExpression IgnoredPattern(const QString& pattern)
{
    QString rx;
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern.midRef(i, 3) == QLatin1String("[*]")) {
            rx += QStringLiteral("\\[\\d+\\]");
            i += 2;
        } else if (pattern[i] == QLatin1Char('*')) {
            rx += QStringLiteral("[^.\\[]*");
        } else {
            rx += QRegularExpression::escape(QString(pattern[i]));
        }
    }
    return QRegularExpression(QStringLiteral("^%1(?:$|[.\\[])").arg(rx));
}

bool Scalar(const QJsonValue& v)
{
    return v.isBool() || v.isDouble();
}
double Number(const QJsonValue& v)
{
    return v.isBool() ? (v.toBool() ? 1 : 0) : v.toDouble();
}

void Compare(const QJsonValue& e, const QJsonValue& a, const QString& path,
             const QList<QRegularExpression>& ignored, QStringList& out)
{
    for (const QRegularExpression& rx : ignored)
        if (rx.match(path).hasMatch())
            return;
    if (e.isObject() && a.isObject()) {
        const QJsonObject eo = e.toObject(), ao = a.toObject();
        QStringList keys = eo.keys();
        for (const QString& k : ao.keys())
            if (!eo.contains(k))
                keys.append(k);
        for (const QString& k : keys)
            Compare(eo.value(k), ao.value(k), path.isEmpty() ? k : path + QLatin1Char('.') + k,
                    ignored, out);
        return;
    }
    if (e.isArray() && a.isArray()) {
        const QJsonArray ea = e.toArray(), aa = a.toArray();
        for (int i = 0; i < qMax(ea.size(), aa.size()); ++i)
            Compare(i < ea.size() ? ea.at(i) : QJsonValue(QJsonValue::Undefined),
                    i < aa.size() ? aa.at(i) : QJsonValue(QJsonValue::Undefined),
                    QStringLiteral("%1[%2]").arg(path).arg(i), ignored, out);
        return;
    }
    const bool same = Scalar(e) && Scalar(a)         ? Number(e) == Number(a)
                      : e.isString() && a.isString() ? e.toString() == a.toString()
                                                     : false;
    if (!same)
        out.append(path);
}

}  // namespace

QJsonObject MDataToJson(const MData& d)
{
    return QJsonObject{{"M_AllCfg", J(d.M_AllCfg)},
                       {"M_OutputData", J(d.M_OutputData)},
                       {"M_MosaicLayerCfg", J(d.M_MosaicLayerCfg)},
                       {"M_SwitchLayerCfg", J(d.M_SwitchLayerCfg)},
                       {"M_BackupLayerCfg", J(d.M_BackupLayerCfg)},
                       {"M_PresetValid", J(d.M_PresetValid)},
                       {"M_InputData", J(d.M_InputData)},
                       {"M_MachineInfo", J(d.M_MachineInfo)},
                       {"M_LogoInfo", J(d.M_LogoInfo)},
                       {"M_TaskCfg", J(d.M_TaskCfg)},
                       {"M_SwitcherType", J(d.M_SwitcherType)},
                       {"M_PresetName", J(d.M_PresetName)}};
}

QStringList CompareMDataJson(const QJsonObject& expected, const QJsonObject& actual,
                             const QStringList& ignoredPaths)
{
    QList<QRegularExpression> ignored;
    for (const QString& p : ignoredPaths)
        ignored.append(IgnoredPattern(p));
    QStringList out;
    Compare(expected, actual, QString(), ignored, out);
    return out;
}

void SetJson(QJsonValueRef ref, const QStringList& path, const QJsonValue& v)
{
    if (path.isEmpty()) {
        ref = v;
        return;
    }
    bool isIndex = false;
    const int i = path.first().toInt(&isIndex);
    if (isIndex) {
        QJsonArray a = ref.toArray();
        SetJson(a[i], path.mid(1), v);
        ref = a;
    } else {
        QJsonObject o = ref.toObject();
        SetJson(o[path.first()], path.mid(1), v);
        ref = o;
    }
}
