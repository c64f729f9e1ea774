// Input names, the layer output area, hexadecimal text, and the take groups.
#include "InputNames.h"
#include "SearchGroups.h"

#include <QtTest>

#include <limits>

class TestHelpers : public QObject {
    Q_OBJECT
private slots:
    void inputTypeName_data();
    void inputTypeName();
    void inputLabel_data();
    void inputLabel();
    void hexToInt_data();
    void hexToInt();
    void switcherAreas_data();
    void switcherAreas();
    void mosaicAreas_data();
    void mosaicAreas();
    void extremeDeviceValues_data();
    void extremeDeviceValues();
    void backupHasNoArea();
    void takeGroups();
};

void TestHelpers::inputTypeName_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::newRow("VGA") << 0 << "VGA";
    QTest::newRow("DVI") << 1 << "DVI";
    QTest::newRow("HDMI") << 2 << "HDMI";
    QTest::newRow("SDI") << 3 << "SDI";
    QTest::newRow("DP") << 4 << "DP";
    QTest::newRow("unknown") << 5 << "";
    QTest::newRow("negative") << -1 << "";
}

void TestHelpers::inputTypeName()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    QCOMPARE(InputTypeName(type), name);
}

void TestHelpers::inputLabel_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("label");
    QTest::newRow("unknown type") << 5 << 5 << 0 << "Input 6: ";
    QTest::newRow("HDMI 2.0") << 2 << 2 << 2 << "Input 3:HDMI 2.0";
    QTest::newRow("DVI has no version") << 2 << 1 << 2 << "Input 3:DVI ";
    QTest::newRow("DP 1.2") << 0 << 4 << 2 << "Input 1:DP 1.2";
    QTest::newRow("HDMI 1.x") << 1 << 2 << 1 << "Input 2:HDMI ";
}

void TestHelpers::inputLabel()
{
    QFETCH(int, input);
    QFETCH(int, type);
    QFETCH(int, version);
    QFETCH(QString, label);
    QCOMPARE(InputLabel(input, type, version), label);
}

void TestHelpers::hexToInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("vendor") << "080A" << 2058;
    QTest::newRow("lower case") << "96ff" << 38655;
    QTest::newRow("bad digit") << "12G4" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("wraps in 32 bits") << "100000001" << 1;
    QTest::newRow("wide character") << QString::fromUtf8("1\xe4\xb8\x80") << 0;
}

void TestHelpers::hexToInt()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(HexToInt(text), value);
}

void TestHelpers::switcherAreas_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("layer");
    QTest::addColumn<QRect>("area");
    const auto edges = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); };
    QTest::newRow("whole output") << 1920 << 0 << edges(0, 0, 1919, 1079);
    QTest::newRow("left half") << 1920 << 1 << edges(0, 0, 959, 1079);
    QTest::newRow("odd width loses a column") << 1921 << 2 << edges(960, 0, 1919, 1079);
    QTest::newRow("no such layer") << 1920 << 3 << QRect(0, 0, -1, -1);
}

void TestHelpers::switcherAreas()
{
    QFETCH(int, width);
    QFETCH(int, layer);
    QFETCH(QRect, area);
    MData d;
    d.M_AllCfg.workMode = SWITCHER_MODE;
    d.M_OutputData.M_OutputResoCfg.hact = uint16_t(width);
    d.M_OutputData.M_OutputResoCfg.vact = 1080;
    QCOMPARE(LayerOutputArea(d, layer), area);
}

void TestHelpers::mosaicAreas_data()
{
    QTest::addColumn<int>("outputMode");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QRect>("layer");  // x, y, w, h
    QTest::addColumn<QRect>("area");
    const QRect none(0, 0, -1, -1);
    // DVI: windows 0 (0,0 1920x1080) and 1 (1000,0 1920x1080) overlap; 2 at (0,1080).
    QTest::newRow("unrotated layer has none") << 0 << 0 << QRect(10, 10, 100, 100) << none;
    QTest::newRow("inside one window") << 0 << 1 << QRect(10, 1100, 100, 100)
                                       << QRect(0, 1080, 1920, 1080);
    QTest::newRow("inside two overlapping windows") << 0 << 1 << QRect(1100, 10, 100, 100) << none;
    QTest::newRow("crossing a border") << 0 << 1 << QRect(10, 1000, 100, 200) << none;
    // HDMI: window 4 at (0,0) 1920x1080 split into halves.
    QTest::newRow("hdmi right half") << 1 << 2 << QRect(1000, 10, 100, 100)
                                     << QRect(960, 0, 960, 1080);
    QTest::newRow("hdmi straddles the middle") << 1 << 2 << QRect(900, 10, 100, 100) << none;
    QTest::newRow("other output mode") << 2 << 2 << QRect(10, 10, 100, 100) << none;
}

void TestHelpers::mosaicAreas()
{
    QFETCH(int, outputMode);
    QFETCH(int, rotation);
    QFETCH(QRect, layer);
    QFETCH(QRect, area);
    MData d;
    d.M_AllCfg.workMode = MOSAIC_MODE;
    d.M_OutputData.M_OutputResoCfg.outputMode = outputMode;
    auto window = [&](int i, int x, int y) {
        OutputWindowRecord& w = d.M_OutputData.M_OPDisplayCfg[i];
        w.onOff = 1;
        w.hact = 1920;
        w.vact = 1080;
        w.mosaicHs = x;
        w.mosaicVs = y;
    };
    window(0, 0, 0);
    window(1, 1000, 0);
    window(2, 0, 1080);
    window(4, 0, 0);
    LayerRecord& l = d.M_MosaicLayerCfg.layer[1];
    l.rotation = rotation;
    l.hs = uint32_t(layer.x());
    l.vs = uint32_t(layer.y());
    l.hact = uint32_t(layer.width());
    l.vact = uint32_t(layer.height());
    QCOMPARE(LayerOutputArea(d, 1), area);
}

// Positions and sizes as a device may report them, at the ends of their
// ranges: the area is computed without overflow (sanitizer builds check) and
// a window that reaches the end of the canvas's range still holds its layer.
void TestHelpers::extremeDeviceValues_data()
{
    QTest::addColumn<qint64>("windowX");
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<quint32>("layerX");
    QTest::addColumn<quint32>("layerWidth");
    QTest::addColumn<QRect>("area");
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const QRect none(0, 0, -1, -1);
    QTest::newRow("window ends at the largest coordinate")
        << qint64(kMax - 1919) << 1920 << quint32(kMax) << 1u
        << QRect(QPoint(kMax - 1919, 0), QPoint(kMax, 1079));
    QTest::newRow("window runs past the largest coordinate")
        << qint64(kMax - 100) << 1920 << quint32(kMax) << 1u << none;
    QTest::newRow("layer at the largest unsigned position")
        << qint64(0) << 1920 << quint32(0xFFFFFFFF) << 0xFFFFFFFFu << none;
    QTest::newRow("window at the smallest coordinate")
        << qint64(kMin) << 65535 << 0u << 100u << none;
    QTest::newRow("empty layer") << qint64(0) << 1920 << 10u << 0u << none;
}

void TestHelpers::extremeDeviceValues()
{
    QFETCH(qint64, windowX);
    QFETCH(int, windowWidth);
    QFETCH(quint32, layerX);
    QFETCH(quint32, layerWidth);
    QFETCH(QRect, area);
    MData d;
    d.M_AllCfg.workMode = MOSAIC_MODE;
    d.M_OutputData.M_OutputResoCfg.outputMode = 0;
    OutputWindowRecord& w = d.M_OutputData.M_OPDisplayCfg[0];
    w.onOff = 1;
    w.hact = uint16_t(windowWidth);
    w.vact = 1080;
    w.mosaicHs = int32_t(windowX);
    LayerRecord& l = d.M_MosaicLayerCfg.layer[0];
    l.rotation = 1;
    l.hs = layerX;
    l.hact = layerWidth;
    l.vact = 10;
    QCOMPARE(LayerOutputArea(d, 0), area);
    // The HDMI halves of the same window, and a switcher output at its widest.
    d.M_OutputData.M_OutputResoCfg.outputMode = 1;
    d.M_OutputData.M_OPDisplayCfg[4] = w;
    LayerOutputArea(d, 0);
    d.M_AllCfg.workMode = SWITCHER_MODE;
    d.M_OutputData.M_OutputResoCfg.hact = 65535;
    d.M_OutputData.M_OutputResoCfg.vact = 65535;
    QCOMPARE(LayerOutputArea(d, 2), QRect(QPoint(32767, 0), QPoint(65533, 65534)));
}

void TestHelpers::backupHasNoArea()
{
    MData d;
    d.M_AllCfg.workMode = BACKUP_MODE;
    QCOMPARE(LayerOutputArea(d, 0), QRect(0, 0, -1, -1));
    d.M_AllCfg.workMode = MOSAIC_MODE;
    QCOMPARE(LayerOutputArea(d, 7), QRect(0, 0, -1, -1));  // out of range layer
}

void TestHelpers::takeGroups()
{
    QCOMPARE(CheckedGroupIndex, -1);
    QVERIFY(AddCheckedMachine(0, LastOctetByte("192.168.1.10")));
    QVERIFY(AddCheckedMachine(0, LastOctetByte("10.0.0.10")));  // same octet, other subnet
    QVERIFY(AddCheckedMachine(0, 11));
    QCOMPARE(CheckedMachineList[0], QByteArray("\x0a\x0b"));
    QVERIFY(RemoveCheckedMachine(0, 12));  // not there: unchanged
    QCOMPARE(CheckedMachineList[0], QByteArray("\x0a\x0b"));
    QVERIFY(RemoveCheckedMachine(0, 10));
    QCOMPARE(CheckedMachineList[0], QByteArray("\x0b"));
    QVERIFY(!AddCheckedMachine(4, 1));
    QVERIFY(!AddCheckedMachine(-1, 1));
    QCOMPARE(LastOctetByte("192.168.1.300"), quint8(44));  // truncated to 8 bits
}

QTEST_GUILESS_MAIN(TestHelpers)
#include "test_helpers.moc"
