// The project file: the golden file of a sample record, save and load of
// random records, the conversion rules, and damaged files.
#include "MDataJson.h"
#include "ProjectFile.h"
#include "XmlStreamHelper.h"

#include "FileBytes.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace ProjectFile;

namespace {

// The values that golden/make_sample.py writes, set field by field.
void SetLayer(LayerRecord& r, LayerZoomCfg& z, ChromaKeyCfg& c, LayerPictureCfg& p, int K)
{
    auto u8 = [K](int n) { return uint8_t((K * 7 + n) % 256); };
    auto u16 = [K](int n) { return uint16_t((K * 100 + n) % 65536); };
    r.onOff = u8(1);
    r.logoOnOff = u8(2);
    r.inputId = u8(3);
    r.halfId = u8(4);
    r.tileEnable = u8(5);
    r.tileId = u8(6);
    r.rotation = K - 10;
    r.alpha = u8(8);
    r.bMain = u8(9);
    r.hs = K == 1 ? 2147483647u : uint32_t(K * 1000 + 10);
    r.vs = K * 1000 + 11;
    r.hact = K * 1000 + 12;
    r.vact = K * 1000 + 13;
    z.onOff = K % 2;
    z.hs = u16(15);
    z.vs = u16(16);
    z.hact = u16(17);
    z.vact = u16(18);
    z.hRange = u16(19);
    z.vRange = u16(20);
    c.onOff = u8(21);
    c.mode = u8(22);
    c.minR = u8(23);
    c.maxR = u8(24);
    c.minG = u8(25);
    c.maxG = u8(26);
    c.minB = u8(27);
    c.maxB = u8(28);
    p.brightness = u8(29);
    p.contrast = u8(30);
    p.saturation = u8(31);
    p.colorTempMode = K - 10;
    p.colorTempR = u8(33);
    p.colorTempG = u8(34);
    p.colorTempB = u8(35);
}

template <class Set>
void SetLayers(Set& set, int firstKey)
{
    for (int l = 0; l < Set::kLayers; ++l)
        SetLayer(set.layer[l], set.zoom[l], set.chromaKey[l], set.picture[l], firstKey + l);
}

MData SampleRecord()
{
    MData d;
    d.M_AllCfg.brightLevel = 12;
    d.M_AllCfg.workMode = 4;
    d.M_AllCfg.syncLock = 2;
    d.M_AllCfg.gammaMode = -1;
    d.M_AllCfg.gammaValue = 25;
    d.M_AllCfg.freeze = 1;
    const int portNum[6] = {2, 0, 3, 1, 0, 2};
    const QString names[6] = {QStringLiteral("Camera <A> & \"B\""),
                              QString(),
                              QString::fromUtf8("讲台"),
                              QStringLiteral("In4"),
                              QStringLiteral("In5"),
                              QStringLiteral("In6")};
    for (int i = 0; i < 6; ++i) {
        InputPortCfg& p = d.M_InputData.port[i];
        p.portNum = portNum[i];
        p.actId = i % 3;
        p.inputRename = names[i];
        for (int k = 0; k < 3; ++k) {
            p.chnlId[k] = (i + k) % 3;
            p.inputType[k] = i * 10 + k;
        }
        InputCropCfg& c = d.M_InputData.crop[i];
        for (int e = 0; e < 6; ++e) {
            c.onOff[e] = (i + e) % 2;
            c.hs[e] = 100 * i + e;
            c.vs[e] = 200 + e;
            c.hact[e] = 1920 - e;
            c.vact[e] = 1080 - i;
        }
    }
    d.M_InputData.tile[0].name = QStringLiteral("Tile One");
    d.M_MosaicLayerCfg.durationTime = 5;
    d.M_SwitchLayerCfg.durationTime = 6;
    d.M_BackupLayerCfg.durationTime = 7;
    SetLayers(d.M_MosaicLayerCfg, 1);
    SetLayers(d.M_SwitchLayerCfg, 11);
    SetLayers(d.M_BackupLayerCfg, 21);
    for (int o = 0; o < 6; ++o) {
        OutputWindowRecord& w = d.M_OutputData.M_OPDisplayCfg[o];
        w.onOff = o % 2;
        w.portID = o;
        w.mosaicHs = 1920 * o;
        w.mosaicVs = o;
        w.mosaicHact = 1920;
        w.mosaicVact = 1080 + o;
        w.hs = 10 + o;
        w.vs = 20 + o;
        w.hact = 1900 - o;
        w.vact = 1060 - o;
    }
    OutputResoCfg& r = d.M_OutputData.M_OutputResoCfg;
    r.resoId = 17;
    r.hact = 1920;
    r.vact = 1080;
    r.fps = 6000;
    r.htotal = 2200;
    r.vtotal = 1125;
    r.hsync = 44;
    r.vsync = 5;
    r.hbp = 148;
    r.vbp = 36;
    r.outputMode = 1;
    d.M_OutputData.M_HdmiSettingCfg.colorSpace = 1;
    d.M_OutputData.M_HdmiSettingCfg.colorDepth = 2;
    d.M_OutputData.M_HdmiSettingCfg.rgbRange = 3;
    for (int i = 0; i < 20; ++i) {
        ScheduleTask& t = d.M_TaskCfg.task[i];
        t.index = i;
        t.year = 26;
        t.month = 1 + i % 12;
        t.day = 1 + i;
        t.hour = i;
        t.minute = 2 * i;
        t.second = 3 * i;
        t.option = i % 4;
        t.presetId = 19 - i;
        t.period = 1000 + 100 * i;
    }
    for (int g = 0; g < 5; ++g)
        for (int p = 0; p < 20; ++p)
            if ((g * 20 + p) % 7 == 0)
                d.M_PresetName[g][p] = QStringLiteral("P%1-%2").arg(g).arg(p);
    return d;
}

QString RandomText(QRandomGenerator& rng)
{
    static const QString alphabet = QString::fromUtf8("aZ09 &<>\"'-_讲台輸入é");
    QString s;
    const int n = rng.bounded(0, 12);
    for (int i = 0; i < n; ++i)
        s += alphabet[rng.bounded(alphabet.size())];
    // Leading and trailing blanks stay as written.
    return s;
}

template <class T>
T R(QRandomGenerator& rng)
{
    return T(rng.generate());
}

template <class Set>
void RandomLayers(Set& s, QRandomGenerator& rng)
{
    s.durationTime = R<uint8_t>(rng);
    for (int l = 0; l < Set::kLayers; ++l) {
        LayerRecord& r = s.layer[l];
        r.onOff = R<uint8_t>(rng);
        r.logoOnOff = R<uint8_t>(rng);
        r.inputId = R<uint8_t>(rng);
        r.halfId = R<uint8_t>(rng);
        r.tileEnable = R<uint8_t>(rng);
        r.tileId = R<uint8_t>(rng);
        r.rotation = R<int32_t>(rng);
        r.alpha = R<uint8_t>(rng);
        r.bMain = R<uint8_t>(rng);
        r.hs = R<uint32_t>(rng);
        r.vs = R<uint32_t>(rng);
        r.hact = R<uint32_t>(rng);
        r.vact = R<uint32_t>(rng);
        r.logoWidth = R<int32_t>(rng);
        r.logoHeight = R<int32_t>(rng);
        LayerZoomCfg& z = s.zoom[l];
        z.onOff = rng.bounded(2);
        z.hs = R<uint16_t>(rng);
        z.vs = R<uint16_t>(rng);
        z.hact = R<uint16_t>(rng);
        z.vact = R<uint16_t>(rng);
        z.hRange = R<uint16_t>(rng);
        z.vRange = R<uint16_t>(rng);
        ChromaKeyCfg& c = s.chromaKey[l];
        c = {R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng),
             R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng)};
        LayerPictureCfg& p = s.picture[l];
        p = {R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng), R<int32_t>(rng),
             R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng)};
    }
}

// Every field of the record, those outside the file included.
MData RandomRecord(QRandomGenerator& rng)
{
    MData d;
    AllCfg& a = d.M_AllCfg;
    a = {R<int32_t>(rng), R<int32_t>(rng), R<int32_t>(rng), R<uint8_t>(rng),
         R<int32_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng)};
    for (OutputWindowRecord& w : d.M_OutputData.M_OPDisplayCfg)
        w = {R<uint8_t>(rng),  R<uint8_t>(rng),  R<uint16_t>(rng), R<uint16_t>(rng),
             R<uint16_t>(rng), R<uint16_t>(rng), R<int32_t>(rng),  R<int32_t>(rng),
             R<int32_t>(rng),  R<int32_t>(rng)};
    d.M_OutputData.M_OutputResoCfg = {R<int32_t>(rng),  R<uint16_t>(rng), R<uint16_t>(rng),
                                      R<uint16_t>(rng), R<uint16_t>(rng), R<uint16_t>(rng),
                                      R<uint16_t>(rng), R<uint16_t>(rng), R<uint16_t>(rng),
                                      R<uint16_t>(rng), R<int32_t>(rng)};
    d.M_OutputData.M_HdmiSettingCfg = {R<int32_t>(rng), R<int32_t>(rng), R<int32_t>(rng),
                                       R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng)};
    RandomLayers(d.M_MosaicLayerCfg, rng);
    RandomLayers(d.M_SwitchLayerCfg, rng);
    RandomLayers(d.M_BackupLayerCfg, rng);
    for (auto& row : d.M_PresetValid)
        for (uint8_t& v : row)
            v = R<uint8_t>(rng);
    InputData& in = d.M_InputData;
    for (int i = 0; i < 6; ++i) {
        InputPortCfg& p = in.port[i];
        // Often 0: such an input has no crop windows in the file.
        p.portNum = rng.bounded(3) == 0 ? 0 : R<uint8_t>(rng);
        p.actId = R<uint8_t>(rng);
        for (int k = 0; k < 3; ++k) {
            p.chnlId[k] = R<uint8_t>(rng);
            p.inputType[k] = R<int32_t>(rng);
        }
        p.inputRename = RandomText(rng);
        for (int e = 0; e < 6; ++e) {
            InputCropCfg& c = in.crop[i];
            c.onOff[e] = rng.bounded(2);
            c.hs[e] = R<uint16_t>(rng);
            c.vs[e] = R<uint16_t>(rng);
            c.hact[e] = R<uint16_t>(rng);
            c.vact[e] = R<uint16_t>(rng);
            c.hRange[e] = R<uint16_t>(rng);
            c.vRange[e] = R<uint16_t>(rng);
            in.signal[i].width[e / 3][e % 3] = R<uint16_t>(rng);
        }
        in.edid[i].hact[i % 3] = R<uint16_t>(rng);
    }
    for (InputTileCfg& t : in.tile) {
        t.count = R<int32_t>(rng);
        t.input[1] = R<int32_t>(rng);
        t.name = RandomText(rng);
    }
    d.M_MachineInfo.ethVersion = R<uint16_t>(rng);
    d.M_LogoInfo.width = R<uint16_t>(rng);
    for (ScheduleTask& t : d.M_TaskCfg.task)
        t = {R<uint8_t>(rng),  R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng),
             R<uint8_t>(rng),  R<uint8_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng),
             R<uint16_t>(rng), R<uint8_t>(rng), R<uint8_t>(rng)};
    d.M_TaskCfg.status = R<uint8_t>(rng);
    d.M_SwitcherType = R<uint8_t>(rng);
    for (auto& row : d.M_PresetName)
        for (QString& n : row)
            n = RandomText(rng);
    return d;
}

// A coordinate of 2^31 or more is written unsigned but read back signed,
// out of range, as 0.
template <class Set>
void LoadedCoordinates(Set& s)
{
    for (LayerRecord& r : s.layer)
        for (uint32_t* v : {&r.hs, &r.vs, &r.hact, &r.vact})
            if (*v >= 0x80000000u)
                *v = 0;
}

template <class Set>
void KeepLogoSizes(Set& into, const Set& from)
{
    for (int l = 0; l < Set::kLayers; ++l) {
        into.layer[l].logoWidth = from.layer[l].logoWidth;
        into.layer[l].logoHeight = from.layer[l].logoHeight;
    }
}

// What loading the file of saved into target must give: the file's fields
// of saved, everything else of target.
MData ExpectedLoad(const MData& saved, const MData& target)
{
    MData e = saved;
    e.M_AllCfg.autoBackup = target.M_AllCfg.autoBackup;
    LoadedCoordinates(e.M_MosaicLayerCfg);
    LoadedCoordinates(e.M_SwitchLayerCfg);
    LoadedCoordinates(e.M_BackupLayerCfg);
    KeepLogoSizes(e.M_MosaicLayerCfg, target.M_MosaicLayerCfg);
    KeepLogoSizes(e.M_SwitchLayerCfg, target.M_SwitchLayerCfg);
    KeepLogoSizes(e.M_BackupLayerCfg, target.M_BackupLayerCfg);
    HdmiSettingCfg& h = e.M_OutputData.M_HdmiSettingCfg;
    const HdmiSettingCfg& th = target.M_OutputData.M_HdmiSettingCfg;
    h.hdr = th.hdr;
    h.dviHdmi = th.dviHdmi;
    h.outputPort = th.outputPort;
    for (OutputWindowRecord& w : e.M_OutputData.M_OPDisplayCfg)
        for (int32_t* v : {&w.mosaicHs, &w.mosaicVs, &w.mosaicHact, &w.mosaicVact})
            if (*v < 0)
                *v = 0;
    std::copy(&target.M_PresetValid[0][0], &target.M_PresetValid[0][0] + 100,
              &e.M_PresetValid[0][0]);
    e.M_MachineInfo = target.M_MachineInfo;
    e.M_LogoInfo = target.M_LogoInfo;
    e.M_SwitcherType = target.M_SwitcherType;
    e.M_TaskCfg.status = target.M_TaskCfg.status;
    for (int i = 0; i < 20; ++i) {
        e.M_TaskCfg.task[i].index = i;
        e.M_TaskCfg.task[i].flag = target.M_TaskCfg.task[i].flag;
    }
    // Of the inputs only names and crop windows come from the file; the
    // crop only for inputs with ports, without the range arrays.
    e.M_InputData = target.M_InputData;
    for (int i = 0; i < 6; ++i) {
        e.M_InputData.port[i].inputRename = saved.M_InputData.port[i].inputRename;
        if (saved.M_InputData.port[i].portNum == 0)
            continue;
        InputCropCfg& c = e.M_InputData.crop[i];
        const InputCropCfg& s = saved.M_InputData.crop[i];
        std::copy(s.onOff, s.onOff + 6, c.onOff);
        std::copy(s.hs, s.hs + 6, c.hs);
        std::copy(s.vs, s.vs + 6, c.vs);
        std::copy(s.hact, s.hact + 6, c.hact);
        std::copy(s.vact, s.vact + 6, c.vact);
    }
    return e;
}

QString GoldenPath()
{
    return qEnvironmentVariable("LEDZ_SOURCE_DIR") + "/tests/system/golden/sample.KPrj";
}

}  // namespace

class TestProjectFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void goldenFileWritten();
    void goldenFileLoaded();
    void roundTrip();
    void tablesMatchTheirFields();
    void conversion_data();
    void conversion();
    void valueText_data();
    void valueText();
    void loadKeepsHardwareOfInputs();
    void portCountZeroLeavesCrop();
    void tasks_data();
    void tasks();
    void missingValueTakesTheNextOfItsName();
    void damaged_data();
    void damaged();
    void fourMegabytesLoad();
    void truncatedEvery97thByte();
    void hugeNumbersLoadAsZero();
    void missingFileChangesNothing();
    void failedWriteKeepsTheOldFile();

private:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

void TestProjectFile::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY2(QFile::exists(GoldenPath()), qPrintable(GoldenPath()));
}

void TestProjectFile::goldenFileWritten()
{
    XmlStreamHelper xml;
    QVERIFY(Write(xml, path("sample.KPrj"), SampleRecord()));
    const QByteArray written = ReadFileBytes(path("sample.KPrj"));
    const QByteArray golden = ReadFileBytes(GoldenPath());
    QVERIFY(!golden.isEmpty());
    if (written != golden) {
        const QList<QByteArray> a = written.split('\n'), b = golden.split('\n');
        for (int i = 0; i < std::min(a.size(), b.size()); ++i)
            QVERIFY2(a[i] == b[i], qPrintable(QStringLiteral("line %1: %2 != %3")
                                                  .arg(i + 1)
                                                  .arg(QString::fromUtf8(a[i]))
                                                  .arg(QString::fromUtf8(b[i]))));
        QCOMPARE(written.size(), golden.size());
    }
}

void TestProjectFile::goldenFileLoaded()
{
    // The hardware side of the inputs (port counts, versions, types) and the
    // tiles are the target's own: give the target the sample's.
    const MData sample = SampleRecord();
    MData target;
    target.M_InputData = sample.M_InputData;
    for (int i = 0; i < 6; ++i) {
        target.M_InputData.port[i].inputRename.clear();
        target.M_InputData.crop[i] = InputCropCfg();
    }
    XmlStreamHelper xml;
    QCOMPARE(Read(xml, GoldenPath(), target), ReadResult::Loaded);
    MData expected = sample;
    // The inputs without ports have no crop windows in the file.
    expected.M_InputData.crop[1] = InputCropCfg();
    expected.M_InputData.crop[4] = InputCropCfg();
    const QStringList diff = CompareMDataJson(MDataToJson(expected), MDataToJson(target));
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestProjectFile::roundTrip()
{
    QRandomGenerator rng(20261211);
    XmlStreamHelper xml;  // one helper for all, as the system page has
    for (int round = 0; round < 30; ++round) {
        const MData saved = RandomRecord(rng);
        MData target = RandomRecord(rng);
        const MData expected = ExpectedLoad(saved, target);
        QVERIFY(Write(xml, path("round.KPrj"), saved));
        QCOMPARE(Read(xml, path("round.KPrj"), target), ReadResult::Loaded);
        const QStringList diff = CompareMDataJson(MDataToJson(expected), MDataToJson(target));
        QVERIFY2(diff.isEmpty(),
                 qPrintable(QStringLiteral("round %1: ").arg(round) + diff.mid(0, 10).join(", ")));
    }
}

void TestProjectFile::tablesMatchTheirFields()
{
    // A width that does not suit its field would convert wrongly in one
    // direction only.
    MData d;
    auto check = [](const auto& table, auto slot, const char* name) {
        QSet<QString> tags;
        for (const auto& f : table) {
            QVERIFY2(WidthFits(f.at(slot), f.width), qPrintable(QString(name) + "." + f.tag));
            QVERIFY2(!tags.contains(f.tag), f.tag);
            tags.insert(f.tag);
        }
    };
    check(AllCfgFields(), std::ref(d.M_AllCfg).get(), "ALLCONFG");
    check(InputPortFields(), std::ref(d.M_InputData.port[0]).get(), "INPUTPORTCFG");
    check(InputPortSlotFields(), PortSlot{&d.M_InputData.port[0], 2}, "INPUTPORTCFG");
    check(InputTileFields(), std::ref(d.M_InputData.tile[0]).get(), "INPUTTILECFG");
    check(CropFields(), CropSlot{&d.M_InputData.crop[0], 5}, "INPUTCROP");
    LayerSlot layer{&d.M_BackupLayerCfg.layer[1], &d.M_BackupLayerCfg.zoom[1],
                    &d.M_BackupLayerCfg.chromaKey[1], &d.M_BackupLayerCfg.picture[1]};
    check(LayerFields(), layer, "layer");
    QCOMPARE(int(LayerFields().size()), 35);
    check(OutputWindowFields(), std::ref(d.M_OutputData.M_OPDisplayCfg[5]).get(), "OUTPUT");
    check(ResoFields(), std::ref(d.M_OutputData.M_OutputResoCfg).get(), "RESOCFG");
    check(HdmiFields(), std::ref(d.M_OutputData.M_HdmiSettingCfg).get(), "HDMISETTINGCFG");
    check(TaskFields(), std::ref(d.M_TaskCfg.task[19]).get(), "TASK");
}

void TestProjectFile::conversion_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("stored");
    const int u8 = int(Width::U8), u16 = int(Width::U16), s32 = int(Width::S32),
              u32 = int(Width::U32), flag = int(Width::Flag);
    QTest::newRow("8-bit keeps its low byte") << u8 << "300" << qint64(44);
    QTest::newRow("8-bit of -1") << u8 << "-1" << qint64(255);
    QTest::newRow("16-bit of -1") << u16 << "-1" << qint64(65535);
    QTest::newRow("16-bit of 65536") << u16 << "65536" << qint64(0);
    QTest::newRow("not a number") << u8 << "abc" << qint64(0);
    QTest::newRow("empty") << s32 << "" << qint64(0);
    QTest::newRow("a sign alone") << s32 << "-" << qint64(0);
    QTest::newRow("blanks around") << s32 << " \t42\n " << qint64(42);
    QTest::newRow("plus sign") << s32 << "+7" << qint64(7);
    QTest::newRow("leading zeros") << s32 << "000000000000000000012" << qint64(12);
    QTest::newRow("blank inside") << s32 << "4 2" << qint64(0);
    QTest::newRow("hexadecimal") << s32 << "0x10" << qint64(0);
    QTest::newRow("exponent") << s32 << "1e3" << qint64(0);
    QTest::newRow("decimal point") << s32 << "1.5" << qint64(0);
    QTest::newRow("other digits") << s32 << QString::fromUtf8("٣") << qint64(0);
    QTest::newRow("smallest") << s32 << "-2147483648" << qint64(-2147483648LL);
    QTest::newRow("largest") << s32 << "2147483647" << qint64(2147483647);
    QTest::newRow("above signed range") << s32 << "2147483648" << qint64(0);
    QTest::newRow("below signed range") << s32 << "-2147483649" << qint64(0);
    QTest::newRow("huge") << s32 << "99999999999999999999999999999" << qint64(0);
    QTest::newRow("unsigned field read signed") << u32 << "3000000000" << qint64(0);
    QTest::newRow("unsigned field") << u32 << "2147483647" << qint64(2147483647);
    QTest::newRow("flag of 2") << flag << "2" << qint64(1);
    QTest::newRow("flag of -1") << flag << "-1" << qint64(1);
    QTest::newRow("flag of 0") << flag << "0" << qint64(0);
    QTest::newRow("flag of a word") << flag << "on" << qint64(0);
}

void TestProjectFile::conversion()
{
    QFETCH(int, width);
    QFETCH(QString, text);
    QFETCH(qint64, stored);
    uint8_t u8 = 0x5A;
    uint16_t u16 = 0x5A5A;
    int32_t s32 = 0x5A5A;
    uint32_t u32 = 0x5A5A;
    bool flag = true;
    switch (Width(width)) {
    case Width::U8:
        StoreText(&u8, Width::U8, text);
        QCOMPARE(qint64(u8), stored);
        break;
    case Width::U16:
        StoreText(&u16, Width::U16, text);
        QCOMPARE(qint64(u16), stored);
        break;
    case Width::S32:
        StoreText(&s32, Width::S32, text);
        QCOMPARE(qint64(s32), stored);
        break;
    case Width::U32:
        StoreText(&u32, Width::U32, text);
        QCOMPARE(qint64(u32), stored);
        break;
    case Width::Flag:
        StoreText(&flag, Width::Flag, text);
        QCOMPARE(qint64(flag), stored);
        break;
    case Width::Text:
        break;
    }
}

void TestProjectFile::valueText_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::newRow("negative signed") << qint64(-5) << int(Width::S32) << "-5";
    QTest::newRow("top bit of an unsigned field") << qint64(-1) << int(Width::U32) << "4294967295";
    QTest::newRow("2^31 unsigned") << qint64(INT32_MIN) << int(Width::U32) << "2147483648";
    QTest::newRow("zero") << qint64(0) << int(Width::S32) << "0";
}

void TestProjectFile::valueText()
{
    QFETCH(qint64, value);
    QFETCH(int, width);
    QFETCH(QString, text);
    int32_t v = int32_t(value);
    QCOMPARE(ValueText(&v, Width(width)), text);
    QString name = QStringLiteral("a&b");
    QCOMPARE(ValueText(&name, Width::Text), name);
}

void TestProjectFile::loadKeepsHardwareOfInputs()
{
    // The file says other port counts, versions and types, tile names: the
    // record keeps its own.
    MData saved = SampleRecord();
    XmlStreamHelper xml;
    QVERIFY(Write(xml, path("hw.KPrj"), saved));
    MData target;
    target.M_InputData.port[3].portNum = 4;
    target.M_InputData.port[3].actId = 2;
    target.M_InputData.port[3].chnlId[1] = 9;
    target.M_InputData.port[3].inputType[2] = 99;
    target.M_InputData.signal[3].width[0][0] = 1280;
    target.M_InputData.edid[3].rate[0] = 6000;
    target.M_InputData.tile[0].name = QStringLiteral("mine");
    target.M_InputData.tile[1].count = 3;
    QCOMPARE(Read(xml, path("hw.KPrj"), target), ReadResult::Loaded);
    const InputPortCfg& p = target.M_InputData.port[3];
    QCOMPARE(int(p.portNum), 4);
    QCOMPARE(int(p.actId), 2);
    QCOMPARE(int(p.chnlId[1]), 9);
    QCOMPARE(p.inputType[2], 99);
    QCOMPARE(p.inputRename, QStringLiteral("In4"));
    QCOMPARE(int(target.M_InputData.signal[3].width[0][0]), 1280);
    QCOMPARE(int(target.M_InputData.edid[3].rate[0]), 6000);
    QCOMPARE(target.M_InputData.tile[0].name, QStringLiteral("mine"));
    QCOMPARE(target.M_InputData.tile[1].count, 3);
}

void TestProjectFile::portCountZeroLeavesCrop()
{
    // The file holds crop windows for input 0, but its port count there is 0.
    QByteArray file = ReadFileBytes(GoldenPath());
    file.replace("<PORTNUM>2</PORTNUM>\n        <ACTID>0</ACTID>",
                 "<PORTNUM>0</PORTNUM>\n        <ACTID>0</ACTID>");
    QVERIFY(WriteFileBytes(path("zero.KPrj"), file));
    MData target;
    target.M_InputData.crop[0].hs[0] = 777;
    target.M_InputData.crop[2].hs[0] = 777;
    XmlStreamHelper xml;
    QCOMPARE(Read(xml, path("zero.KPrj"), target), ReadResult::Loaded);
    QCOMPARE(int(target.M_InputData.crop[0].hs[0]), 777);
    QCOMPARE(int(target.M_InputData.crop[2].hs[0]), 200);  // 100 * 2 + 0
}

void TestProjectFile::tasks_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<int>("task5Day");  // task 5's day after the load
    QTest::addColumn<int>("task5Index");
    // Day of task 5 is 6 in the file; the record starts with 99 and index 42.
    QTest::newRow("with TASK5") << QByteArray() << QByteArray() << 6 << 5;
    QTest::newRow("without TASK5") << QByteArray("<TASK5>") << QByteArray("<TASKX>") << 99 << 5;
    QTest::newRow("without TASKCONFIG")
        << QByteArray("TASKCONFIG>") << QByteArray("TASKCONFIX>") << 99 << 42;
}

void TestProjectFile::tasks()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(int, task5Day);
    QFETCH(int, task5Index);
    QByteArray file = ReadFileBytes(GoldenPath());
    if (!from.isEmpty()) {
        file.replace(from, to);
        file.replace("</" + from.mid(1), "</" + to.mid(1));
    }
    QVERIFY(WriteFileBytes(path("tasks.KPrj"), file));
    MData target;
    target.M_TaskCfg.task[5].day = 99;
    target.M_TaskCfg.task[5].index = 42;
    XmlStreamHelper xml;
    QCOMPARE(Read(xml, path("tasks.KPrj"), target), ReadResult::Loaded);
    QCOMPARE(int(target.M_TaskCfg.task[5].day), task5Day);
    QCOMPARE(int(target.M_TaskCfg.task[5].index), task5Index);
}

void TestProjectFile::missingValueTakesTheNextOfItsName()
{
    // Without OUTPUTHS in OUTPUT0 the search runs on to OUTPUT1's; the
    // groups passed over count as missing.
    QByteArray file = ReadFileBytes(GoldenPath());
    file.replace("<OUTPUTHS>10</OUTPUTHS>", "");
    QVERIFY(WriteFileBytes(path("missing.KPrj"), file));
    MData target;
    XmlStreamHelper xml;
    QCOMPARE(Read(xml, path("missing.KPrj"), target), ReadResult::Loaded);
    const OutputWindowRecord* w = target.M_OutputData.M_OPDisplayCfg;
    QCOMPARE(int(w[0].hs), 11);
    QCOMPARE(int(w[0].vs), 21);
    QCOMPARE(int(w[1].onOff), 0);  // OUTPUT1 was passed over, and so
    QCOMPARE(int(w[2].portID), 0);  // is everything after it
    QCOMPARE(int(target.M_OutputData.M_OutputResoCfg.htotal), 0);
    QCOMPARE(target.M_AllCfg.workMode, 4);
}

// The golden project grown to size bytes by a comment inside its root: still
// well-formed, with the same values.
static QByteArray GoldenOfSize(qint64 size)
{
    QByteArray golden = ReadFileBytes(GoldenPath());
    const QByteArray open = "<!--", close = "-->";
    const int pad = int(size - golden.size() - open.size() - close.size());
    golden.insert(golden.lastIndexOf("</PROJECTDATA>"), open + QByteArray(pad, 'x') + close);
    return golden;
}

void TestProjectFile::damaged_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray golden = ReadFileBytes(GoldenPath());
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("wrong root") << QByteArray(golden).replace("PROJECTDATA", "PROJECTDATB");
    QTest::newRow("foreign XML") << QByteArray(
        "<?xml version=\"1.0\"?>\n<html><body><BRIGHTLEVEL>3</BRIGHTLEVEL>"
        "<SYSTEMWORK>2</SYSTEMWORK></body></html>\n");
    QTest::newRow("settings file") << QByteArray("\n<PROJECTPATH>/a.KPrj</PROJECTPATH>");
    QByteArray junk(4096, '\0');
    QRandomGenerator rng(97);
    for (char& c : junk)
        c = char(rng.bounded(256));
    QTest::newRow("binary junk") << junk;
    QTest::newRow("junk after the root") << golden + "<PROJECTDATA>";
    QTest::newRow("mismatched tag") << QByteArray(golden).replace("</GENLOCK>", "</GENLOCKX>");
    QTest::newRow("undefined entity") << QByteArray(golden).replace("Tile One", "&bogus;");
    // 10 MB of open elements inside the root, never closed.
    QByteArray deep = "<PROJECTDATA><ALLCONFG><BRIGHTLEVEL>7</BRIGHTLEVEL>";
    deep += QByteArray("<a>").repeated(10 * 1024 * 1024 / 3);
    QTest::newRow("10 MB of nesting") << deep;
    QTest::newRow("well-formed, a byte over 4 MB") << GoldenOfSize(ProjectFile::kMaxFileBytes + 1);
    QTest::newRow("entity expansion") << QByteArray(
        "<?xml version=\"1.0\"?><!DOCTYPE PROJECTDATA [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
        "\"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e "
        "\"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
        "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g "
        "\"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">"
        "]><PROJECTDATA><ALLCONFG><BRIGHTLEVEL>&g;</BRIGHTLEVEL></ALLCONFG></PROJECTDATA>");
}

void TestProjectFile::damaged()
{
    QFETCH(QByteArray, content);
    QVERIFY(WriteFileBytes(path("damaged.KPrj"), content));
    QRandomGenerator rng(5);
    MData target = RandomRecord(rng);
    const QJsonObject before = MDataToJson(target);
    XmlStreamHelper xml;
    const ReadResult result = Read(xml, path("damaged.KPrj"), target);
    QVERIFY(result != ReadResult::Loaded ||
            QTest::currentDataTag() == QByteArray("entity expansion"));
    const QStringList diff = CompareMDataJson(before, MDataToJson(target));
    if (result != ReadResult::Loaded)
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestProjectFile::fourMegabytesLoad()
{
    const QByteArray content = GoldenOfSize(ProjectFile::kMaxFileBytes);
    QCOMPARE(qint64(content.size()), ProjectFile::kMaxFileBytes);
    QVERIFY(WriteFileBytes(path("large.KPrj"), content));
    MData fromLarge, fromGolden;
    XmlStreamHelper xml;
    QCOMPARE(Read(xml, path("large.KPrj"), fromLarge), ReadResult::Loaded);
    QCOMPARE(Read(xml, GoldenPath(), fromGolden), ReadResult::Loaded);
    const QStringList diff = CompareMDataJson(MDataToJson(fromGolden), MDataToJson(fromLarge));
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(", ")));
}

void TestProjectFile::truncatedEvery97thByte()
{
    const QByteArray golden = ReadFileBytes(GoldenPath());
    QRandomGenerator rng(6);
    MData target = RandomRecord(rng);
    const QJsonObject before = MDataToJson(target);
    XmlStreamHelper xml;
    for (int n = 0; n < golden.size(); n += 97) {
        QVERIFY(WriteFileBytes(path("cut.KPrj"), golden.left(n)));
        QVERIFY2(Read(xml, path("cut.KPrj"), target) == ReadResult::Damaged,
                 qPrintable(QString::number(n)));
        const QStringList diff = CompareMDataJson(before, MDataToJson(target));
        QVERIFY2(diff.isEmpty(), qPrintable(QString::number(n) + ": " + diff.join(", ")));
    }
}

void TestProjectFile::hugeNumbersLoadAsZero()
{
    QByteArray file = ReadFileBytes(GoldenPath());
    file.replace("<BRIGHTLEVEL>12</BRIGHTLEVEL>",
                 "<BRIGHTLEVEL>" + QByteArray(100000, '9') + "</BRIGHTLEVEL>");
    file.replace("<HTOTL>2200</HTOTL>", "<HTOTL>-99999999999999999999</HTOTL>");
    QVERIFY(WriteFileBytes(path("huge.KPrj"), file));
    MData target;
    target.M_AllCfg.brightLevel = 5;
    target.M_OutputData.M_OutputResoCfg.htotal = 5;
    XmlStreamHelper xml;
    QCOMPARE(Read(xml, path("huge.KPrj"), target), ReadResult::Loaded);
    QCOMPARE(target.M_AllCfg.brightLevel, 0);
    QCOMPARE(int(target.M_OutputData.M_OutputResoCfg.htotal), 0);
    QCOMPARE(target.M_AllCfg.workMode, 4);
}

void TestProjectFile::missingFileChangesNothing()
{
    MData target = SampleRecord();
    const QJsonObject before = MDataToJson(target);
    XmlStreamHelper xml;
    QCOMPARE(Read(xml, path("no-such.KPrj"), target), ReadResult::Unreadable);
    QVERIFY(CompareMDataJson(before, MDataToJson(target)).isEmpty());
}

void TestProjectFile::failedWriteKeepsTheOldFile()
{
    XmlStreamHelper xml;
    QVERIFY(!Write(xml, path("no-such-folder/p.KPrj"), SampleRecord()));
    QVERIFY(!QFile::exists(path("no-such-folder/p.KPrj")));
    // The same helper writes the next project whole.
    QVERIFY(Write(xml, path("after.KPrj"), SampleRecord()));
    QCOMPARE(ReadFileBytes(path("after.KPrj")), ReadFileBytes(GoldenPath()));
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_projectfile.moc"
