// The limits of the crop and EDID panels and the tile rule, as tables.

#include "InputRules.h"

#include <QtTest>

Q_DECLARE_METATYPE(CropRules::Span)

class TestInputRules : public QObject {
    Q_OBJECT

private slots:
    void crop_data();
    void crop();
    void cropMatch_data();
    void cropMatch();
    void edidWidth_data();
    void edidWidth();
    void edidHeight_data();
    void edidHeight();
    void edidRate_data();
    void edidRate();
    void edidBlanking();
    void edidRateRecord_data();
    void edidRateRecord();
    void tileSources();
    void tileRule_data();
    void tileRule();
};

using CropRules::Span;

namespace {
enum Edit { Pos, Size, Range };
}

void TestInputRules::crop_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<Span>("before");
    QTest::addColumn<int>("value");
    QTest::addColumn<Span>("after");

    QTest::newRow("position 1900, size 100 in 1920")
        << int(Pos) << Span{0, 100, 1920} << 1900 << Span{1820, 100, 1920};
    QTest::newRow("position that fits")
        << int(Pos) << Span{0, 100, 1920} << 500 << Span{500, 100, 1920};
    QTest::newRow("size 10 becomes 64")
        << int(Size) << Span{0, 100, 1920} << 10 << Span{0, 64, 1920};
    QTest::newRow("size 63 becomes 64")
        << int(Size) << Span{0, 100, 1920} << 63 << Span{0, 64, 1920};
    QTest::newRow("size 2000 at 100 in 1920")
        << int(Size) << Span{100, 100, 1920} << 2000 << Span{100, 1820, 1920};
    QTest::newRow("range 1000, position 0, size 1920")
        << int(Range) << Span{0, 1920, 1920} << 1000 << Span{0, 1000, 1000};
    QTest::newRow("range 1000, position 200, size 1920")
        << int(Range) << Span{200, 1920, 1920} << 1000 << Span{0, 1000, 1000};
    QTest::newRow("range 1000, position 500, size 800")
        << int(Range) << Span{500, 800, 1920} << 1000 << Span{200, 800, 1000};
    QTest::newRow("range 50 becomes 64")
        << int(Range) << Span{0, 64, 1920} << 50 << Span{0, 64, 64};
    // Windows the device reported past their range: nothing wraps below 0.
    QTest::newRow("position with size past range")
        << int(Pos) << Span{0, 3000, 1920} << 10 << Span{0, 1920, 1920};
    QTest::newRow("size with position past range")
        << int(Size) << Span{2500, 100, 1920} << 200 << Span{0, 1920, 1920};
}

void TestInputRules::crop()
{
    QFETCH(int, edit);
    QFETCH(Span, before);
    QFETCH(int, value);
    QFETCH(Span, after);
    const Span got = edit == Pos    ? CropRules::SetPosition(before, uint16_t(value))
                     : edit == Size ? CropRules::SetSize(before, uint16_t(value))
                                    : CropRules::SetRange(before, uint16_t(value));
    QCOMPARE(got.pos, after.pos);
    QCOMPARE(got.size, after.size);
    QCOMPARE(got.range, after.range);
}

void TestInputRules::cropMatch_data()
{
    QTest::addColumn<Span>("before");
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("matched");
    QTest::addColumn<Span>("after");

    QTest::newRow("horizontal 100/1720 of 1920 on 3840")
        << Span{100, 1720, 1920} << 3840 << true << Span{200, 3440, 3840};
    QTest::newRow("vertical 50/980 of 1080 on 2160")
        << Span{50, 980, 1080} << 2160 << true << Span{100, 1960, 2160};
    QTest::newRow("down to 1280") << Span{0, 1920, 1920} << 1280 << true << Span{0, 1280, 1280};
    QTest::newRow("no signal") << Span{100, 1720, 1920} << 0 << false << Span{100, 1720, 1920};
    QTest::newRow("no range") << Span{0, 0, 0} << 1920 << false << Span{0, 0, 0};
}

void TestInputRules::cropMatch()
{
    QFETCH(Span, before);
    QFETCH(int, signal);
    QFETCH(bool, matched);
    QFETCH(Span, after);
    Span s = before;
    QCOMPARE(CropRules::MatchToInput(s, uint16_t(signal)), matched);
    QCOMPARE(s.pos, after.pos);
    QCOMPARE(s.size, after.size);
    QCOMPARE(s.range, after.range);
}

using EdidRules::Fields;
using EdidRules::Port;
Q_DECLARE_METATYPE(Fields)
Q_DECLARE_METATYPE(Port)

namespace {
const Port kDviV1{true, 1, 1};
const Port kHdmiV1{true, 1, 2};
const Port kDpV1{true, 1, 4};
const Port kHdmiV2{true, 2, 2};
const Port kDpV2{true, 2, 4};
const Port kNoRecord{false, 0, 0};
}  // namespace

void TestInputRules::edidWidth_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<Port>("port");
    QTest::addColumn<int>("shown");

    QTest::newRow("5000 on DVI v1 at 1080p60")
        << Fields{5000, 1080, 60, 0, 0, false} << kDviV1 << 4120;
    QTest::newRow("4000 on HDMI v1") << Fields{4000, 1080, 60, 0, 0, false} << kHdmiV1 << 3840;
    QTest::newRow("4000 on DP v1") << Fields{4000, 1080, 60, 0, 0, false} << kDpV1 << 3840;
    QTest::newRow("4096 on HDMI v2 at 2160p60")
        << Fields{4096, 2160, 60, 0, 0, false} << kHdmiV2 << 4088;
    QTest::newRow("8192 on DP v2 at 2160p30")
        << Fields{8000, 2160, 30, 0, 0, false} << kDpV2 << 8000;
    QTest::newRow("100 becomes 320") << Fields{100, 1080, 60, 0, 0, false} << kDviV1 << 320;
    // The minimum wins over the clock.
    QTest::newRow("320 over the clock") << Fields{1920, 8000, 121, 0, 0, false} << kDviV1 << 320;
    QTest::newRow("advanced blanking counts")
        << Fields{5000, 1080, 60, 600, 45, true} << kDviV1 << 3800;
    QTest::newRow("rate 0: bounds only") << Fields{9000, 1080, 0, 0, 0, false} << kDviV1 << 8192;
    QTest::newRow("no record") << Fields{9000, 1080, 0, 0, 0, false} << kNoRecord << 8192;
}

void TestInputRules::edidWidth()
{
    QFETCH(Fields, fields);
    QFETCH(Port, port);
    QFETCH(int, shown);
    QCOMPARE(EdidRules::LimitWidth(fields, port), shown);
}

void TestInputRules::edidHeight_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<Port>("port");
    QTest::addColumn<int>("shown");

    QTest::newRow("2200 becomes 2176 (clock allows 2205)")
        << Fields{1920, 2200, 60, 0, 0, false} << kDviV1 << 2176;
    QTest::newRow("100 becomes 320") << Fields{1920, 100, 60, 0, 0, false} << kDviV1 << 320;
    QTest::newRow("clock limit") << Fields{3840, 2160, 60, 0, 0, false} << kDviV1 << 1156;
    QTest::newRow("v2 clock") << Fields{3840, 2160, 60, 0, 0, false} << kHdmiV2 << 2160;
}

void TestInputRules::edidHeight()
{
    QFETCH(Fields, fields);
    QFETCH(Port, port);
    QFETCH(int, shown);
    QCOMPARE(EdidRules::LimitHeight(fields, port), shown);
}

void TestInputRules::edidRate_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<Port>("port");
    QTest::addColumn<QString>("shown");

    QTest::newRow("144 becomes 120 at 1080p")
        << Fields{1920, 1080, 144, 0, 0, false} << kDviV1 << "120";
    QTest::newRow("10 becomes 23") << Fields{1920, 1080, 10, 0, 0, false} << kDviV1 << "23";
    QTest::newRow("59.94 stays") << Fields{1920, 1080, 59.94, 0, 0, false} << kDviV1 << "59.94";
    QTest::newRow("60 at 2160p on 297 MHz")
        << Fields{3840, 2160, 60, 0, 0, false} << kHdmiV1 << "32.6927";
    // The clock wins over the minimum.
    QTest::newRow("8192 x 2176 on DVI")
        << Fields{8192, 2176, 60, 0, 0, false} << kDviV1 << "15.7842";
    QTest::newRow("60 at 2160p on 594 MHz")
        << Fields{3840, 2160, 60, 0, 0, false} << kHdmiV2 << "60";
    QTest::newRow("huge blanking does not overflow")
        << Fields{9999, 9999, 60, 2000000000, 2000000000, true} << kDviV1 << "7.42493e-11";
}

void TestInputRules::edidRate()
{
    QFETCH(Fields, fields);
    QFETCH(Port, port);
    QFETCH(QString, shown);
    QCOMPARE(EdidRules::RateText(EdidRules::LimitRate(fields, port)), shown);
}

void TestInputRules::edidBlanking()
{
    const QList<std::pair<int, int>> h = {{10, 32}, {1000, 960}, {0, 32}, {280, 280}};
    for (const auto& [in, out] : h)
        QCOMPARE(EdidRules::LimitHblank(in), out);
    const QList<std::pair<int, int>> v = {{4, 8}, {600, 512}, {45, 45}};
    for (const auto& [in, out] : v)
        QCOMPARE(EdidRules::LimitVblank(in), out);
}

void TestInputRules::edidRateRecord_data()
{
    QTest::addColumn<double>("hz");
    QTest::addColumn<int>("record");
    QTest::newRow("60") << 60.0 << 6000;
    QTest::newRow("59.94 rounds") << 59.94 << 5994;
    QTest::newRow("23.976") << double(23.976f) << 2398;
    QTest::newRow("0") << 0.0 << 0;
}

void TestInputRules::edidRateRecord()
{
    QFETCH(double, hz);
    QFETCH(int, record);
    QCOMPARE(int(EdidRules::RateToRecord(hz)), record);
}

void TestInputRules::tileSources()
{
    const int inputs[] = {0, 1, 2, 3, 4, 4, 5, 5};
    const int halves[] = {0, 0, 0, 0, 0, 1, 0, 1};
    for (int s = 0; s < 8; ++s) {
        QCOMPARE(TileRules::SourceInput(s), inputs[s]);
        QCOMPARE(TileRules::SourceHalf(s), halves[s]);
        QCOMPARE(TileRules::SourceFor(inputs[s], halves[s]), s);
    }
    QCOMPARE(TileRules::SourceInput(255), 0);
    QCOMPARE(TileRules::SourceHalf(255), 0);
    QCOMPARE(TileRules::SourceFor(6, 0), -1);
}

namespace {
struct Sig {
    int w, h;
    bool interlaced;
};

// Sources 0..7 with these signals: inputs 1..4 on their port 0, inputs 5 and
// 6 split on port 1.
MData Record(int mode, const QList<Sig>& sources)
{
    MData d;
    d.M_AllCfg.workMode = mode;
    for (int i = 0; i < 6; ++i)
        d.M_InputData.port[i].actId = i < 4 ? 0 : 1;
    for (int s = 0; s < sources.size(); ++s) {
        const int in = TileRules::SourceInput(s), half = TileRules::SourceHalf(s);
        const int port = d.M_InputData.port[in].actId;
        d.M_InputData.signal[in].width[half][port] = uint16_t(sources[s].w);
        d.M_InputData.signal[in].height[half][port] = uint16_t(sources[s].h);
        d.M_InputData.signal[in].interlaced[half][port] = sources[s].interlaced;
    }
    return d;
}
const Sig k1080{1920, 1080, false};
const Sig k2048{2048, 1080, false};
const Sig k2049{2049, 1080, false};
const Sig kNone{0, 0, false};
const Sig kInterlaced{1920, 1080, true};
}  // namespace

Q_DECLARE_METATYPE(MData)

void TestInputRules::tileRule_data()
{
    QTest::addColumn<MData>("record");
    QTest::addColumn<QList<int>>("sources");
    QTest::addColumn<bool>("valid");

    const QList<Sig> all1080 = QVector<Sig>(8, k1080).toList();
    QTest::newRow("switcher: two") << Record(SWITCHER_MODE, all1080) << QList<int>{0, 1} << true;
    QTest::newRow("switcher: three refused")
        << Record(SWITCHER_MODE, all1080) << QList<int>{0, 1, 2} << false;
    QTest::newRow("backup: two of 2049")
        << Record(BACKUP_MODE, QVector<Sig>(8, k2049).toList()) << QList<int>{0, 1} << true;
    QTest::newRow("backup: three of 2049 refused")
        << Record(BACKUP_MODE, QVector<Sig>(8, k2049).toList()) << QList<int>{0, 1, 2} << false;
    QTest::newRow("backup: four of 2048")
        << Record(BACKUP_MODE, QVector<Sig>(8, k2048).toList()) << QList<int>{0, 1, 2, 3} << true;
    QTest::newRow("mosaic: four equal")
        << Record(MOSAIC_MODE, all1080) << QList<int>{0, 1, 2, 3} << true;
    QTest::newRow("mosaic: four halves of 5 and 6")
        << Record(MOSAIC_MODE, all1080) << QList<int>{4, 5, 6, 7} << true;
    QTest::newRow("one source") << Record(MOSAIC_MODE, all1080) << QList<int>{0} << false;
    QTest::newRow("five sources") << Record(MOSAIC_MODE, all1080) << QList<int>{0, 1, 2, 3, 4}
                                  << false;
    QTest::newRow("width differs")
        << Record(MOSAIC_MODE, {k1080, k2048}) << QList<int>{0, 1} << false;
    QTest::newRow("height differs")
        << Record(MOSAIC_MODE, {k1080, {1920, 1200, false}}) << QList<int>{0, 1} << false;
    QTest::newRow("second without signal")
        << Record(MOSAIC_MODE, {k1080, kNone}) << QList<int>{0, 1} << false;
    QTest::newRow("first without signal")
        << Record(MOSAIC_MODE, {kNone, k1080}) << QList<int>{0, 1} << false;
    QTest::newRow("interlaced") << Record(MOSAIC_MODE, {k1080, kInterlaced}) << QList<int>{0, 1}
                                << false;
    QTest::newRow("same source twice") << Record(MOSAIC_MODE, all1080) << QList<int>{2, 2} << true;
    QTest::newRow("empty slot inside count")
        << Record(MOSAIC_MODE, all1080) << QList<int>{0, 255} << false;
    MData badPort = Record(MOSAIC_MODE, all1080);
    badPort.M_InputData.port[1].actId = 7;
    QTest::newRow("active port past the records") << badPort << QList<int>{0, 1} << false;
}

void TestInputRules::tileRule()
{
    QFETCH(MData, record);
    QFETCH(QList<int>, sources);
    QFETCH(bool, valid);
    uint8_t s[4] = {255, 255, 255, 255};
    for (int i = 0; i < sources.size() && i < 4; ++i)
        s[i] = uint8_t(sources[i]);
    QCOMPARE(TileRules::IsValid(record, sources.size(), s), valid);
}

QTEST_APPLESS_MAIN(TestInputRules)
#include "test_inputrules.moc"
