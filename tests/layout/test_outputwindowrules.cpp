// What the output settings panel decides without a widget: the record of a
// canvas cell, the layouts, the window cut to the output, the reset window,
// the edits' numbers, the HDMI settings rows and the switcher variants.
#include "OutputWindowRules.h"

#include <QtTest>

using namespace OutputWindowRules;

namespace {

OutputWindowRecord Window(int on, int x, int y, int w = 1920, int h = 1080)
{
    OutputWindowRecord r;
    r.onOff = uint8_t(on);
    r.mosaicHs = x;
    r.mosaicVs = y;
    r.mosaicHact = w;
    r.mosaicVact = h;
    r.hs = 7;
    r.vs = 9;
    r.hact = uint16_t(w);
    r.vact = uint16_t(h);
    return r;
}

QString Places(const OutputWindowRecord* w)
{
    QStringList out;
    for (int i = 0; i < kWindows; ++i)
        out << QStringLiteral("%1,%2").arg(w[i].mosaicHs).arg(w[i].mosaicVs);
    return out.join(QLatin1Char(' '));
}

OutputResoCfg Reso(int w, int h)
{
    OutputResoCfg r;
    r.hact = uint16_t(w);
    r.vact = uint16_t(h);
    return r;
}

}  // namespace

class TestOutputWindowRules : public QObject {
    Q_OBJECT

private slots:
    void cells_data();
    void cells();
    void layouts_data();
    void layouts();
    void clipping_data();
    void clipping();
    void reset_data();
    void reset();
    void editValues();
    void hdmiRows();
    void switcherVariants();
};

void TestOutputWindowRules::cells_data()
{
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("outputMode");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("record");  // -1: ignored
    QTest::addColumn<int>("first");  // of the layout range
    QTest::newRow("mosaic DVI cell 2") << 0 << 0 << 2 << 2 << 0;
    QTest::newRow("mosaic HDMI cell 2 is record 6") << 0 << 1 << 2 << -1 << 4;
    QTest::newRow("mosaic HDMI cell 1") << 0 << 1 << 1 << 5 << 4;
    QTest::newRow("switcher DVI cell 0") << 2 << 0 << 0 << 4 << 4;
    QTest::newRow("switcher other mode cell 1") << 2 << 7 << 1 << 5 << 4;
    QTest::newRow("backup HDMI cell 0") << 4 << 1 << 0 << 4 << 4;
    QTest::newRow("backup DVI cell 3") << 4 << 0 << 3 << 3 << 0;
    QTest::newRow("mode 3 HDMI cell 3") << 3 << 1 << 3 << 3 << 0;
    QTest::newRow("mosaic other output mode") << 0 << 2 << 1 << 1 << 0;
    QTest::newRow("cell 6 in DVI") << 0 << 0 << 6 << -1 << 0;
    QTest::newRow("negative cell") << 0 << 0 << -1 << -1 << 0;
}

void TestOutputWindowRules::cells()
{
    QFETCH(int, workMode);
    QFETCH(int, outputMode);
    QFETCH(int, cell);
    QFETCH(int, record);
    QFETCH(int, first);
    QCOMPARE(RecordOfCell(cell, workMode, outputMode), record);
    if (record >= 0)
        QCOMPARE(CellOfRecord(record, workMode, outputMode), cell);
    QCOMPARE(LayoutRange(workMode, outputMode).first, first);
    QCOMPARE(LayoutRange(workMode, outputMode).last, first == 0 ? 3 : 5);
}

void TestOutputWindowRules::layouts_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("onOff");  // records 0..5
    QTest::addColumn<QString>("places");
    QTest::addColumn<QString>("moved");

    // Every record starts at (1, 2), record 0 at (100, 50).
    const int h = int(Layout::Horizontal), v = int(Layout::Vertical), g = int(Layout::Grid);
    QTest::newRow("horizontal, all on") << h << 0 << "111100"
                                        << "100,50 2020,50 3940,50 5860,50 1,2 1,2"
                                        << "0 1 2 3";
    QTest::newRow("horizontal, record 0 off") << h << 0 << "011000"
                                              << "100,50 1,2 1921,2 1,2 1,2 1,2"
                                              << "1 2";
    QTest::newRow("vertical, record 2 off") << v << 0 << "110100"
                                            << "100,50 100,1130 1,2 100,2210 1,2 1,2"
                                            << "0 1 3";
    QTest::newRow("2 x 2 of DVI") << g << 0 << "111100"
                                  << "100,50 2020,50 100,1130 2020,1130 1,2 1,2"
                                  << "0 1 2 3";
    QTest::newRow("horizontal HDMI") << h << 4 << "111111"
                                     << "100,50 1,2 1,2 1,2 1,2 1921,2"
                                     << "4 5";
    QTest::newRow("2 x 2 HDMI: 5 beside 4") << g << 4 << "000011"
                                            << "100,50 1,2 1,2 1,2 1,2 1921,2"
                                            << "4 5";
    QTest::newRow("all off") << h << 0 << "000011"
                             << "100,50 1,2 1,2 1,2 1,2 1,2"
                             << "";
}

void TestOutputWindowRules::layouts()
{
    QFETCH(int, layout);
    QFETCH(int, first);
    QFETCH(QString, onOff);
    QFETCH(QString, places);
    QFETCH(QString, moved);
    OutputWindowRecord w[kWindows];
    for (int i = 0; i < kWindows; ++i)
        w[i] = i == 0 ? Window(onOff[i] == '1', 100, 50) : Window(onOff[i] == '1', 1, 2);
    const QVector<int> on = Arrange(w, {first, first == 0 ? 3 : 5}, Layout(layout));
    QStringList movedText;
    for (int i : on)
        movedText << QString::number(i);
    QCOMPARE(movedText.join(QLatin1Char(' ')), moved);
    QCOMPARE(Places(w), places);
    for (const OutputWindowRecord& r : w) {
        QCOMPARE(r.mosaicHact, 1920);
        QCOMPARE(int(r.hs), 7);
        QCOMPARE(int(r.vs), 9);
    }
}

void TestOutputWindowRules::clipping_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("storedWidth");
    QTest::addColumn<int>("storedHeight");
    QTest::addColumn<bool>("clipped");
    QTest::newRow("equal passes") << 1920 << 1080 << 1920 << 1080 << false;
    QTest::newRow("one wider") << 1921 << 1080 << 1920 << 1080 << true;
    QTest::newRow("both beyond") << 2000 << 1200 << 1920 << 1080 << true;
    QTest::newRow("taller only") << 1000 << 1081 << 1000 << 1080 << true;
    QTest::newRow("inside") << 1000 << 500 << 1000 << 500 << false;
}

void TestOutputWindowRules::clipping()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, storedWidth);
    QFETCH(int, storedHeight);
    QFETCH(bool, clipped);
    const Size s = ClipToOutput(width, height, Reso(1920, 1080));
    QCOMPARE(s.width, storedWidth);
    QCOMPARE(s.height, storedHeight);
    QCOMPARE(s.clipped, clipped);
}

void TestOutputWindowRules::reset_data()
{
    QTest::addColumn<int>("outputWidth");
    QTest::addColumn<int>("outputHeight");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("3840 x 2160 gets 1920 x 1080") << 3840 << 2160 << 1920 << 1080;
    QTest::newRow("1920 x 1080") << 1920 << 1080 << 1920 << 1080;
    QTest::newRow("1280 x 720 gets its size") << 1280 << 720 << 1280 << 720;
    QTest::newRow("narrow and tall") << 1024 << 1200 << 1024 << 1080;
}

void TestOutputWindowRules::reset()
{
    QFETCH(int, outputWidth);
    QFETCH(int, outputHeight);
    QFETCH(int, width);
    QFETCH(int, height);
    OutputWindowRecord w = Window(1, 300, 400, 800, 600);
    w.portID = 3;
    Reset(w, Reso(outputWidth, outputHeight));
    QCOMPARE(w.mosaicHs, 0);
    QCOMPARE(w.mosaicVs, 0);
    QCOMPARE(int(w.hs), 0);
    QCOMPARE(int(w.vs), 0);
    QCOMPARE(w.mosaicHact, width);
    QCOMPARE(w.mosaicVact, height);
    QCOMPARE(int(w.hact), width);
    QCOMPARE(int(w.vact), height);
    QCOMPARE(int(w.onOff), 1);
    QCOMPARE(int(w.portID), 3);
}

void TestOutputWindowRules::editValues()
{
    QCOMPARE(EditValue(QStringLiteral("1921")), 1921);
    QCOMPARE(EditValue(QStringLiteral("")), 0);
    QCOMPARE(EditValue(QStringLiteral("12a")), 0);
    QCOMPARE(int(RasterPosition(65535)), 65535);
    // Never the low 16 bits of a larger number (70000 would be 4464).
    QCOMPARE(int(RasterPosition(70000)), 65535);
    QCOMPARE(int(RasterPosition(-3)), 0);
}

void TestOutputWindowRules::hdmiRows()
{
    HdmiSettingCfg c;
    c.colorSpace = 1;
    c.rgbRange = 1;
    c.colorDepth = 5;  // from a project file: no button of its row
    c.hdr = 0;
    c.dviHdmi = 1;
    c.outputPort = 0;
    QCOMPARE(HdmiButtonOf(c, ColorSpace), 1);
    QCOMPARE(HdmiButtonOf(c, RgbRange), 0);  // "Limited" is the row's first button
    QCOMPARE(HdmiButtonOf(c, ColorDepth), -1);
    QCOMPARE(HdmiButtonOf(c, Hdr), 1);  // "OFF" is the second
    QCOMPARE(HdmiButtonOf(c, DviHdmi), 1);
    QCOMPARE(HdmiButtonOf(c, OutputPort), 0);
    SetHdmiField(c, RgbRange, kHdmiRowButtons[RgbRange].value[1]);  // "Full"
    QCOMPARE(c.rgbRange, 0);
    QCOMPARE(c.colorDepth, 5);
    SetHdmiField(c, Hdr, kHdmiRowButtons[Hdr].value[0]);
    QCOMPARE(int(c.hdr), 1);
}

void TestOutputWindowRules::switcherVariants()
{
    struct Row {
        int type;
        const char* switcher;
        const char* hdmi;
        bool rowShown;
        bool hideSettings;
    };
    const Row rows[] = {
        {0, "HDMI Switcher", "HDMI", true, false},
        {1, "DP Switcher Mode", "DP", true, true},
        {4, "Switcher Mode", "HDMI", false, false},
        {3, "", "", false, false},
        {7, "", "", true, false},
    };
    for (const Row& r : rows) {
        const SwitcherVariant v = VariantOf(r.type);
        QCOMPARE(QString::fromUtf8(v.switcherText), QString::fromUtf8(r.switcher));
        QCOMPARE(QString::fromUtf8(v.hdmiText), QString::fromUtf8(r.hdmi));
        QCOMPARE(v.modeRowShown, r.rowShown);
        QCOMPARE(v.hideHdmiSettings, r.hideSettings);
    }
}

QTEST_APPLESS_MAIN(TestOutputWindowRules)
#include "test_outputwindowrules.moc"
