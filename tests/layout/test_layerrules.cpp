// What the layer sub-panels decide without a widget: the record and address
// of a layer in each working mode, the zoom corrections, "Match To Input"
// and the group fade buffer.
#include "LayerPanelRules.h"

#include <QtTest>

using namespace LayerPanelRules;

class TestLayerRules : public QObject {
    Q_OBJECT

private slots:
    void layerSlots_data();
    void layerSlots();
    void matchTo_data();
    void matchTo();
    void sourceSizes();
    void fadeBuffers();
};

void TestLayerRules::layerSlots_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("layer");
    QTest::addColumn<int>("index");  // -1: none
    QTest::addColumn<QByteArray>("addr");
    QTest::newRow("mosaic 2") << 0 << 2 << 2 << QByteArray::fromHex("000102");
    QTest::newRow("mosaic 4 is outside") << 0 << 4 << -1 << QByteArray();
    QTest::newRow("switcher 1: group 1") << 2 << 1 << 4 << QByteArray::fromHex("020101");
    QTest::newRow("switcher 3 is outside") << 2 << 3 << -1 << QByteArray();
    QTest::newRow("backup 1") << 4 << 1 << 1 << QByteArray::fromHex("040101");
    QTest::newRow("backup 2 is outside") << 4 << 2 << -1 << QByteArray();
    QTest::newRow("mode 1") << 1 << 0 << -1 << QByteArray();
    QTest::newRow("negative") << 0 << -1 << -1 << QByteArray();
}

void TestLayerRules::layerSlots()
{
    QFETCH(int, mode);
    QFETCH(int, layer);
    QFETCH(int, index);
    QFETCH(QByteArray, addr);
    MData d;
    d.M_AllCfg.workMode = mode;
    for (auto& l : d.M_MosaicLayerCfg.layer)
        l.bMain = 1;
    for (auto& l : d.M_BackupLayerCfg.layer)
        l.bMain = 1;
    const auto slot = SlotOf(d, layer);
    QCOMPARE(bool(slot), index >= 0);
    if (!slot)
        return;
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(slot->addr.data()), 3), addr);
    if (mode == 0)
        QCOMPARE(slot->zoom, &d.M_MosaicLayerCfg.zoom[index]);
    if (mode == 2)
        QCOMPARE(slot->chroma, &d.M_SwitchLayerCfg.chromaKey[index]);
    if (mode == 4)
        QCOMPARE(slot->layer, &d.M_BackupLayerCfg.layer[index]);
}

void TestLayerRules::matchTo_data()
{
    QTest::addColumn<QList<int>>("before");  // hs vs hact vact hRange vRange
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QList<int>>("after");  // empty: refused
    QTest::newRow("4K input") << QList<int>{960, 540, 960, 540, 1920, 1080} << QSize(3840, 2160)
                              << QList<int>{1920, 1080, 1920, 1080, 3840, 2160};
    QTest::newRow("size held to the source")
        << QList<int>{0, 0, 1920, 1080, 1920, 1080} << QSize(1280, 720)
        << QList<int>{0, 0, 1280, 720, 1280, 720};
    QTest::newRow("old range 0 on an axis")
        << QList<int>{10, 10, 300, 300, 0, 1080} << QSize(1920, 1080)
        << QList<int>{0, 10, 0, 300, 1920, 1080};
    QTest::newRow("no source: refused")
        << QList<int>{10, 10, 300, 300, 1920, 1080} << QSize(0, 0) << QList<int>{};
}

void TestLayerRules::matchTo()
{
    QFETCH(QList<int>, before);
    QFETCH(QSize, source);
    QFETCH(QList<int>, after);
    LayerZoomCfg z;
    z.hs = uint16_t(before[0]);
    z.vs = uint16_t(before[1]);
    z.hact = uint16_t(before[2]);
    z.vact = uint16_t(before[3]);
    z.hRange = uint16_t(before[4]);
    z.vRange = uint16_t(before[5]);
    const bool done = MatchTo(z, source.width(), source.height());
    QCOMPARE(done, !after.isEmpty());
    const QList<int> now = {z.hs, z.vs, z.hact, z.vact, z.hRange, z.vRange};
    QCOMPARE(now, after.isEmpty() ? before : after);
}

void TestLayerRules::sourceSizes()
{
    MData d;
    d.M_InputData.port[1].actId = 1;
    d.M_InputData.signal[1].width[1][1] = 1920;
    d.M_InputData.signal[1].height[1][1] = 2160;
    d.M_InputData.tile[1].count = 3;
    for (int i = 0; i < 3; ++i) {
        d.M_InputData.tile[1].input[i] = 1;
        d.M_InputData.tile[1].half[i] = 1;
    }
    LayerRecord l;
    l.inputId = 1;
    l.halfId = 1;
    QCOMPARE(SourceSize(d, l), QSize(1920, 2160));
    l.inputId = 7;
    QCOMPARE(SourceSize(d, l), QSize(5760, 2160));
    l.inputId = 0;
    l.tileEnable = 1;
    l.tileId = 1;
    QCOMPARE(SourceSize(d, l), QSize(5760, 2160));
    // Indexes from the device that the record does not have give no size.
    l.tileId = 2;
    QCOMPARE(SourceSize(d, l), QSize(0, 0));
    l.tileEnable = 0;
    l.inputId = 9;
    QCOMPARE(SourceSize(d, l), QSize(0, 0));
    l.inputId = 1;
    d.M_InputData.port[1].actId = 3;
    QCOMPARE(SourceSize(d, l), QSize(0, 0));
    l.halfId = 2;
    d.M_InputData.port[1].actId = 1;
    QCOMPARE(SourceSize(d, l), QSize(0, 0));
    d.M_InputData.tile[1].count = 99;  // more sources than the record holds
    d.M_InputData.tile[1].input[3] = 1;
    d.M_InputData.tile[1].half[3] = 1;
    l.inputId = 7;
    QCOMPARE(SourceSize(d, l), QSize(7680, 2160));
}

void TestLayerRules::fadeBuffers()
{
    const bool ticks[4] = {true, false, true, false};
    QCOMPARE(FadeBuffer(ticks, true, 10), QByteArray::fromHex("0a5500010a55555502010a555555"));
    QCOMPARE(FadeBuffer(ticks, false, 10), QByteArray::fromHex("0a5500000a55555502000a555555"));
    const bool last[4] = {false, false, false, true};
    QCOMPARE(FadeBuffer(last, true, 3), QByteArray::fromHex("0a55555555555555555555030103"));
    const bool none[4] = {};
    QVERIFY(FadeBuffer(none, true, 10).isEmpty());
}

QTEST_GUILESS_MAIN(TestLayerRules)
#include "test_layerrules.moc"
