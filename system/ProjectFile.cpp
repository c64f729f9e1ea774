#include "ProjectFile.h"

#include "XmlStreamHelper.h"

#include <QFileInfo>

#include <limits>

namespace ProjectFile {

namespace {

const QString kRoot = QStringLiteral("PROJECTDATA");

#define FIELD(slot, tag, width, expr)                                  \
    Field<slot>                                                        \
    {                                                                  \
        tag, Width::width, [](slot& s) -> FieldRef { return &(expr); } \
    }
#define WRITTEN_ONLY(slot, tag, width, expr)                                  \
    Field<slot>                                                               \
    {                                                                         \
        tag, Width::width, [](slot& s) -> FieldRef { return &(expr); }, false \
    }

QString Tag(const char* base, const QString& suffix)
{
    return QLatin1String(base) + suffix;
}

QString Numbered(const char* base, int index)
{
    return QLatin1String(base) + QString::number(index);
}

// Slot is a sub-record (taken by reference) or a small struct of pointers
// into one (taken as it comes).
template <class Slot, class S>
void WriteFields(XmlStreamHelper& xml, const std::vector<Field<Slot>>& table, S&& slot,
                 const QString& suffix = QString())
{
    for (const Field<Slot>& f : table)
        xml.writeTextElement(Tag(f.tag, suffix), ValueText(f.at(slot), f.width));
}

template <class Slot>
void ReadField(XmlStreamHelper& xml, const Field<Slot>& f, Slot& slot, const QString& suffix)
{
    QString text;
    if (xml.findElementText(Tag(f.tag, suffix), text))
        StoreText(f.at(slot), f.width, text);
}

template <class Slot, class S>
void ReadFields(XmlStreamHelper& xml, const std::vector<Field<Slot>>& table, S&& slot,
                const QString& suffix = QString())
{
    for (const Field<Slot>& f : table)
        if (f.read)
            ReadField(xml, f, slot, suffix);
}

template <class Set>
LayerSlot SlotOf(Set& set, int index)
{
    return {&set.layer[index], &set.zoom[index], &set.chromaKey[index], &set.picture[index]};
}

template <class Set>
void WriteLayerSet(XmlStreamHelper& xml, const char* setTag, const char* blockTag, Set& set,
                   int blocks, int layersPerBlock)
{
    xml.writeStartElement(QLatin1String(setTag));
    xml.writeTextElement(QStringLiteral("DURATIONTIME"),
                         ValueText(FieldRef(&set.durationTime), Width::U8));
    for (int b = 0; b < blocks; ++b) {
        xml.writeStartElement(Numbered(blockTag, b));
        if (layersPerBlock == 1) {
            WriteFields(xml, LayerFields(), SlotOf(set, b));
        } else {
            for (int k = 0; k < layersPerBlock; ++k)
                WriteFields(xml, LayerFields(), SlotOf(set, layersPerBlock * b + k),
                            QString::number(k));
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

template <class Set>
void ReadLayerSet(XmlStreamHelper& xml, const char* setTag, const char* blockTag, Set& set,
                  int blocks, int layersPerBlock)
{
    if (!xml.findElement(QLatin1String(setTag)))
        return;
    QString text;
    if (xml.findElementText(QStringLiteral("DURATIONTIME"), text))
        StoreText(&set.durationTime, Width::U8, text);
    for (int b = 0; b < blocks; ++b) {
        if (!xml.findElement(Numbered(blockTag, b)))
            continue;
        if (layersPerBlock == 1) {
            ReadFields(xml, LayerFields(), SlotOf(set, b));
        } else {
            for (int k = 0; k < layersPerBlock; ++k)
                ReadFields(xml, LayerFields(), SlotOf(set, layersPerBlock * b + k),
                           QString::number(k));
        }
    }
}

}  // namespace

const std::vector<Field<AllCfg>>& AllCfgFields()
{
    static const std::vector<Field<AllCfg>> t = {
        FIELD(AllCfg, "BRIGHTLEVEL", S32, s.brightLevel),
        FIELD(AllCfg, "SYSTEMWORK", S32, s.workMode),
        FIELD(AllCfg, "GENLOCK", S32, s.syncLock),
        FIELD(AllCfg, "GAMMAMODE", S32, s.gammaMode),
        FIELD(AllCfg, "GAMMAVALUE", U8, s.gammaValue),
        FIELD(AllCfg, "FREEZE", U8, s.freeze),
    };
    return t;
}

const std::vector<Field<InputPortCfg>>& InputPortFields()
{
    static const std::vector<Field<InputPortCfg>> t = {
        FIELD(InputPortCfg, "PORTNUM", U8, s.portNum),
        WRITTEN_ONLY(InputPortCfg, "ACTID", U8, s.actId),
        FIELD(InputPortCfg, "INPUTRENAME", Text, s.inputRename),
    };
    return t;
}

const std::vector<Field<PortSlot>>& InputPortSlotFields()
{
    static const std::vector<Field<PortSlot>> t = {
        WRITTEN_ONLY(PortSlot, "CHNLID", U8, s.cfg->chnlId[s.port]),
        WRITTEN_ONLY(PortSlot, "INPUTTYPE", S32, s.cfg->inputType[s.port]),
    };
    return t;
}

const std::vector<Field<InputTileCfg>>& InputTileFields()
{
    static const std::vector<Field<InputTileCfg>> t = {
        FIELD(InputTileCfg, "INPUTRENAME", Text, s.name),
    };
    return t;
}

const std::vector<Field<CropSlot>>& CropFields()
{
    static const std::vector<Field<CropSlot>> t = {
        FIELD(CropSlot, "INPTUCROPONOFF", Flag, s.cfg->onOff[s.entry]),
        FIELD(CropSlot, "CROPHS", U16, s.cfg->hs[s.entry]),
        FIELD(CropSlot, "CROPVS", U16, s.cfg->vs[s.entry]),
        FIELD(CropSlot, "CROPHACT", U16, s.cfg->hact[s.entry]),
        FIELD(CropSlot, "CROPVACT", U16, s.cfg->vact[s.entry]),
    };
    return t;
}

const std::vector<Field<LayerSlot>>& LayerFields()
{
    static const std::vector<Field<LayerSlot>> t = {
        FIELD(LayerSlot, "LAYERONOFF", U8, s.layer->onOff),
        FIELD(LayerSlot, "LAYERLOGOONOFF", U8, s.layer->logoOnOff),
        FIELD(LayerSlot, "LAYERGID", U8, s.layer->inputId),
        FIELD(LayerSlot, "LAYERAID", U8, s.layer->halfId),
        FIELD(LayerSlot, "LAYERTILEENABLE", U8, s.layer->tileEnable),
        FIELD(LayerSlot, "LAYERTID", U8, s.layer->tileId),
        FIELD(LayerSlot, "LAYERROTATION", S32, s.layer->rotation),
        FIELD(LayerSlot, "LAYERALPHA", U8, s.layer->alpha),
        FIELD(LayerSlot, "LAYERBMAIN", U8, s.layer->bMain),
        FIELD(LayerSlot, "LAYERHS", U32, s.layer->hs),
        FIELD(LayerSlot, "LAYERVS", U32, s.layer->vs),
        FIELD(LayerSlot, "LAYERHACT", U32, s.layer->hact),
        FIELD(LayerSlot, "LAYERVACT", U32, s.layer->vact),
        FIELD(LayerSlot, "ZOOMONOFF", Flag, s.zoom->onOff),
        FIELD(LayerSlot, "ZOOMHS", U16, s.zoom->hs),
        FIELD(LayerSlot, "ZOOMVS", U16, s.zoom->vs),
        FIELD(LayerSlot, "ZOOMHACT", U16, s.zoom->hact),
        FIELD(LayerSlot, "ZOOMVACT", U16, s.zoom->vact),
        FIELD(LayerSlot, "ZOOMHRANG", U16, s.zoom->hRange),
        FIELD(LayerSlot, "ZOOMVRANG", U16, s.zoom->vRange),
        FIELD(LayerSlot, "CHROMAONOFF", U8, s.chromaKey->onOff),
        FIELD(LayerSlot, "CHROMAMODE", U8, s.chromaKey->mode),
        FIELD(LayerSlot, "CHROMAMINR", U8, s.chromaKey->minR),
        FIELD(LayerSlot, "CHROMAMAXR", U8, s.chromaKey->maxR),
        FIELD(LayerSlot, "CHROMAMING", U8, s.chromaKey->minG),
        FIELD(LayerSlot, "CHROMAMAXG", U8, s.chromaKey->maxG),
        FIELD(LayerSlot, "CHROMAMINB", U8, s.chromaKey->minB),
        FIELD(LayerSlot, "CHROMAMAXB", U8, s.chromaKey->maxB),
        FIELD(LayerSlot, "BRIGHTNESS", U8, s.picture->brightness),
        FIELD(LayerSlot, "CONTRAST", U8, s.picture->contrast),
        FIELD(LayerSlot, "SATURATION", U8, s.picture->saturation),
        FIELD(LayerSlot, "COLORTEMPMODE", S32, s.picture->colorTempMode),
        FIELD(LayerSlot, "COLORTEMPR", U8, s.picture->colorTempR),
        FIELD(LayerSlot, "COLORTEMPG", U8, s.picture->colorTempG),
        FIELD(LayerSlot, "COLORTEMPB", U8, s.picture->colorTempB),
    };
    return t;
}

const std::vector<Field<OutputWindowRecord>>& OutputWindowFields()
{
    static const std::vector<Field<OutputWindowRecord>> t = {
        FIELD(OutputWindowRecord, "OUTPUTONOFF", U8, s.onOff),
        FIELD(OutputWindowRecord, "OUTPUTID", U8, s.portID),
        FIELD(OutputWindowRecord, "OUTPUTMOSAICHS", U32, s.mosaicHs),
        FIELD(OutputWindowRecord, "OUTPUTMOSAICVS", U32, s.mosaicVs),
        FIELD(OutputWindowRecord, "OUTPUTMOSAICHACT", U32, s.mosaicHact),
        FIELD(OutputWindowRecord, "OUTPUTMOSAICVACT", U32, s.mosaicVact),
        FIELD(OutputWindowRecord, "OUTPUTHS", U16, s.hs),
        FIELD(OutputWindowRecord, "OUTPUTVS", U16, s.vs),
        FIELD(OutputWindowRecord, "OUTPUTHACT", U16, s.hact),
        FIELD(OutputWindowRecord, "OUTPUTVACT", U16, s.vact),
    };
    return t;
}

const std::vector<Field<OutputResoCfg>>& ResoFields()
{
    static const std::vector<Field<OutputResoCfg>> t = {
        FIELD(OutputResoCfg, "RESOID", S32, s.resoId),
        FIELD(OutputResoCfg, "HACT", U16, s.hact),
        FIELD(OutputResoCfg, "VACT", U16, s.vact),
        FIELD(OutputResoCfg, "FPS", U16, s.fps),
        FIELD(OutputResoCfg, "HTOTL", U16, s.htotal),
        FIELD(OutputResoCfg, "VTOTL", U16, s.vtotal),
        FIELD(OutputResoCfg, "HSYNC", U16, s.hsync),
        FIELD(OutputResoCfg, "VSYNC", U16, s.vsync),
        FIELD(OutputResoCfg, "HBP", U16, s.hbp),
        FIELD(OutputResoCfg, "VBP", U16, s.vbp),
        FIELD(OutputResoCfg, "OUTPUTMODE", S32, s.outputMode),
    };
    return t;
}

const std::vector<Field<HdmiSettingCfg>>& HdmiFields()
{
    static const std::vector<Field<HdmiSettingCfg>> t = {
        FIELD(HdmiSettingCfg, "COLORSPACE", S32, s.colorSpace),
        FIELD(HdmiSettingCfg, "COLORDEPTH", S32, s.colorDepth),
        FIELD(HdmiSettingCfg, "RGBRANGE", S32, s.rgbRange),
    };
    return t;
}

const std::vector<Field<ScheduleTask>>& TaskFields()
{
    static const std::vector<Field<ScheduleTask>> t = {
        FIELD(ScheduleTask, "YEAR", U8, s.year),
        FIELD(ScheduleTask, "MONTH", U8, s.month),
        FIELD(ScheduleTask, "DAY", U8, s.day),
        FIELD(ScheduleTask, "HOUR", U8, s.hour),
        FIELD(ScheduleTask, "MIN", U8, s.minute),
        FIELD(ScheduleTask, "SEC", U8, s.second),
        FIELD(ScheduleTask, "TASKOPTION", U8, s.option),
        FIELD(ScheduleTask, "TASKPRESETID", U8, s.presetId),
        FIELD(ScheduleTask, "TASKPRIED", U16, s.period),
    };
    return t;
}

#undef FIELD
#undef WRITTEN_ONLY

bool WidthFits(const FieldRef& ref, Width width)
{
    switch (width) {
    case Width::U8:
        return std::holds_alternative<uint8_t*>(ref);
    case Width::Flag:
        return std::holds_alternative<bool*>(ref);
    case Width::U16:
        return std::holds_alternative<uint16_t*>(ref);
    case Width::S32:
        return std::holds_alternative<int32_t*>(ref);
    case Width::U32:
        return std::holds_alternative<uint32_t*>(ref) || std::holds_alternative<int32_t*>(ref);
    case Width::Text:
        return std::holds_alternative<QString*>(ref);
    }
    return false;
}

QString ValueText(const FieldRef& ref, Width width)
{
    return std::visit(
        [width](auto* p) -> QString {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, QString>) {
                return *p;
            } else if constexpr (std::is_same_v<T, bool>) {
                return QString::number(*p ? 1 : 0);
            } else if constexpr (std::is_same_v<T, int32_t>) {
                // A 32-bit unsigned field kept in a signed member.
                if (width == Width::U32)
                    return QString::number(uint32_t(*p));
                return QString::number(*p);
            } else {
                return QString::number(*p);
            }
        },
        ref);
}

int32_t ParseNumber(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    if (i == t.size())
        return 0;
    for (int k = i; k < t.size(); ++k)
        if (t[k] < QLatin1Char('0') || t[k] > QLatin1Char('9'))
            return 0;
    // Eleven significant digits already leave the 32-bit range; longer runs
    // are not converted at all, so a huge number cannot overflow.
    int first = i;
    while (first < t.size() - 1 && t[first] == QLatin1Char('0'))
        ++first;
    if (t.size() - first > 11)
        return 0;
    bool ok = false;
    qlonglong v = t.mid(first).toLongLong(&ok, 10);
    if (t[0] == QLatin1Char('-'))
        v = -v;
    if (!ok || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return 0;
    return int32_t(v);
}

void StoreText(const FieldRef& ref, Width width, const QString& text)
{
    if (auto* s = std::get_if<QString*>(&ref)) {
        **s = text;
        return;
    }
    const int32_t n = ParseNumber(text);
    std::visit(
        [n, width](auto* p) {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, bool>) {
                *p = n != 0;
            } else if constexpr (std::is_same_v<T, uint8_t>) {
                *p = uint8_t(uint32_t(n) & 0xFFu);
            } else if constexpr (std::is_same_v<T, uint16_t>) {
                *p = uint16_t(uint32_t(n) & 0xFFFFu);
            } else if constexpr (std::is_same_v<T, int32_t>) {
                *p = n;
            } else if constexpr (std::is_same_v<T, uint32_t>) {
                *p = uint32_t(n);
            }
            (void)width;
        },
        ref);
}

bool Write(XmlStreamHelper& xml, const QString& path, const MData& record)
{
    // The tables hand out pointers for both directions; writing reads only.
    MData& r = const_cast<MData&>(record);
    const bool opened = xml.openWrite(path);
    xml.beginDocument(kRoot);

    xml.writeStartElement(QStringLiteral("ALLCONFG"));
    WriteFields(xml, AllCfgFields(), r.M_AllCfg);
    xml.writeEndElement();

    InputData& in = r.M_InputData;
    for (int i = 0; i < MDataLimits::kInputs; ++i) {
        xml.writeStartElement(Numbered("INPUTPORTCFG", i));
        WriteFields(xml, InputPortFields(), in.port[i]);
        for (int p = 0; p < MDataLimits::kPorts; ++p)
            WriteFields(xml, InputPortSlotFields(), PortSlot{&in.port[i], p}, QString::number(p));
        xml.writeEndElement();
    }
    for (int t = 0; t < MDataLimits::kTiles; ++t) {
        xml.writeStartElement(Numbered("INPUTTILECFG", t));
        WriteFields(xml, InputTileFields(), in.tile[t]);
        xml.writeEndElement();
    }
    for (int i = 0; i < MDataLimits::kInputs; ++i) {
        if (in.port[i].portNum == 0)
            continue;
        xml.writeStartElement(Numbered("INPUTCROPCFG", i));
        for (int h = 0; h < MDataLimits::kHalves; ++h) {
            xml.writeStartElement(Numbered("INPUTCROP", h));
            for (int p = 0; p < MDataLimits::kPorts; ++p)
                WriteFields(xml, CropFields(), CropSlot{&in.crop[i], MDataLimits::kPorts * h + p},
                            QString::number(p));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }

    WriteLayerSet(xml, "MOSAICLAYERCFG", "MOSAICLAYER", r.M_MosaicLayerCfg,
                  MDataLimits::kMosaicLayers, 1);
    WriteLayerSet(xml, "SWITCHLAYERCFG", "SWITCHLAYER", r.M_SwitchLayerCfg,
                  MDataLimits::kSwitchGroups, MDataLimits::kSwitchGroupLayers);
    WriteLayerSet(xml, "BACKUPLAYERCFG", "BACKUPLAYER", r.M_BackupLayerCfg,
                  MDataLimits::kBackupLayers, 1);

    OutputData& out = r.M_OutputData;
    xml.writeStartElement(QStringLiteral("OUTPUTCFG"));
    for (int o = 0; o < MDataLimits::kOutputWindows; ++o) {
        xml.writeStartElement(Numbered("OUTPUT", o));
        WriteFields(xml, OutputWindowFields(), out.M_OPDisplayCfg[o]);
        xml.writeEndElement();
    }
    xml.writeStartElement(QStringLiteral("RESOCFG"));
    WriteFields(xml, ResoFields(), out.M_OutputResoCfg);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("HDMISETTINGCFG"));
    WriteFields(xml, HdmiFields(), out.M_HdmiSettingCfg);
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("TASKCONFIG"));
    for (int i = 0; i < MDataLimits::kTasks; ++i) {
        xml.writeStartElement(Numbered("TASK", i));
        WriteFields(xml, TaskFields(), r.M_TaskCfg.task[i]);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("PRESET_NAME"));
    for (int g = 0; g < MDataLimits::kWorkModes; ++g)
        for (int p = 0; p < MDataLimits::kPresets; ++p)
            xml.writeTextElement(QStringLiteral("PRESET_NAME%1-%2").arg(g).arg(p),
                                 r.M_PresetName[g][p]);
    xml.writeEndElement();

    const bool written = xml.endDocument();
    return opened && written;
}

ReadResult Read(XmlStreamHelper& xml, const QString& path, MData& record)
{
    if (!xml.openRead(path))
        return ReadResult::Unreadable;
    if (QFileInfo(path).size() > kMaxFileBytes) {
        xml.close();
        return ReadResult::Damaged;
    }
    if (!xml.rootIs(kRoot)) {
        xml.close();
        return ReadResult::Damaged;
    }
    MData work = record;
    QString text;

    // The search is forward-only, in the order the file holds the elements:
    // a missing group leaves the rest of the file unread, as stored files
    // from other tools expect.
    const auto& all = AllCfgFields();
    if (xml.findChildElementText(QStringLiteral("ALLCONFG"), QLatin1String(all[0].tag), text))
        StoreText(all[0].at(work.M_AllCfg), all[0].width, text);
    for (size_t k = 1; k < all.size(); ++k)
        ReadField(xml, all[k], work.M_AllCfg, QString());

    InputData& in = work.M_InputData;
    for (int i = 0; i < MDataLimits::kInputs; ++i)
        if (xml.findElement(Numbered("INPUTPORTCFG", i)))
            ReadFields(xml, InputPortFields(), in.port[i]);
    for (int t = 0; t < MDataLimits::kTiles; ++t)
        if (xml.findElement(Numbered("INPUTTILECFG", t)))
            ReadFields(xml, InputTileFields(), in.tile[t]);
    for (int i = 0; i < MDataLimits::kInputs; ++i) {
        if (in.port[i].portNum == 0 || !xml.findElement(Numbered("INPUTCROPCFG", i)))
            continue;
        for (int h = 0; h < MDataLimits::kHalves; ++h) {
            if (!xml.findElement(Numbered("INPUTCROP", h)))
                continue;
            for (int p = 0; p < MDataLimits::kPorts; ++p)
                ReadFields(xml, CropFields(), CropSlot{&in.crop[i], MDataLimits::kPorts * h + p},
                           QString::number(p));
        }
    }

    ReadLayerSet(xml, "MOSAICLAYERCFG", "MOSAICLAYER", work.M_MosaicLayerCfg,
                 MDataLimits::kMosaicLayers, 1);
    ReadLayerSet(xml, "SWITCHLAYERCFG", "SWITCHLAYER", work.M_SwitchLayerCfg,
                 MDataLimits::kSwitchGroups, MDataLimits::kSwitchGroupLayers);
    ReadLayerSet(xml, "BACKUPLAYERCFG", "BACKUPLAYER", work.M_BackupLayerCfg,
                 MDataLimits::kBackupLayers, 1);

    OutputData& out = work.M_OutputData;
    if (xml.findElement(QStringLiteral("OUTPUTCFG")))
        for (int o = 0; o < MDataLimits::kOutputWindows; ++o)
            if (xml.findElement(Numbered("OUTPUT", o)))
                ReadFields(xml, OutputWindowFields(), out.M_OPDisplayCfg[o]);
    if (xml.findElement(QStringLiteral("RESOCFG")))
        ReadFields(xml, ResoFields(), out.M_OutputResoCfg);
    if (xml.findElement(QStringLiteral("HDMISETTINGCFG")))
        ReadFields(xml, HdmiFields(), out.M_HdmiSettingCfg);

    if (xml.findElement(QStringLiteral("TASKCONFIG"))) {
        for (int i = 0; i < MDataLimits::kTasks; ++i) {
            work.M_TaskCfg.task[i].index = uint8_t(i);
            if (xml.findElement(Numbered("TASK", i)))
                ReadFields(xml, TaskFields(), work.M_TaskCfg.task[i]);
        }
    }

    if (xml.findElement(QStringLiteral("PRESET_NAME")))
        for (int g = 0; g < MDataLimits::kWorkModes; ++g)
            for (int p = 0; p < MDataLimits::kPresets; ++p)
                if (xml.findElementText(QStringLiteral("PRESET_NAME%1-%2").arg(g).arg(p), text))
                    work.M_PresetName[g][p] = text;

    // A half-read record is worse than none: the operator would send it to
    // the wall. Only a whole, well-formed document is applied.
    const bool whole = xml.readToEndWellFormed();
    xml.close();
    if (!whole)
        return ReadResult::Damaged;

    // The ports, signals, EDID timings and tiles describe the hardware the
    // record belongs to; a file only brings the inputs' names and crops.
    InputData kept = record.M_InputData;
    for (int i = 0; i < MDataLimits::kInputs; ++i) {
        kept.crop[i] = in.crop[i];
        kept.port[i].inputRename = in.port[i].inputRename;
    }
    record = work;
    record.M_InputData = kept;
    return ReadResult::Loaded;
}

}  // namespace ProjectFile
