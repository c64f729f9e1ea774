// Batch areas: order, addresses and layouts of the carried short frames.
#include "BatchEncoder.h"
#include "CommandEncoder.h"
#include "TestFrames.h"

#include <QtTest>
#include <numeric>

using namespace TestFrames;

namespace {

// A record whose tables hold distinct values per entry.
MData MakeRecord()
{
    MData m;
    for (int i = 0; i < MDataLimits::kInputs; ++i)
        for (int k = 0; k < InputCropCfg::kEntries; ++k) {
            InputCropCfg& c = m.M_InputData.crop[i];
            c.hs[k] = static_cast<uint16_t>(0x100 * i + k);
            c.hact[k] = static_cast<uint16_t>(0x1000 + 0x100 * i + k);
            c.vs[k] = static_cast<uint16_t>(0x2000 + 0x100 * i + k);
            c.vact[k] = static_cast<uint16_t>(0x3000 + 0x100 * i + k);
            c.hRange[k] = static_cast<uint16_t>(0x4000 + 0x100 * i + k);
            c.vRange[k] = static_cast<uint16_t>(0x5000 + 0x100 * i + k);
            c.onOff[k] = (i + k) % 2;
        }

    OutputData& out = m.M_OutputData;
    out.M_OutputResoCfg.resoId = 5;
    out.M_OutputResoCfg.hact = 1920;
    out.M_OutputResoCfg.vact = 1080;
    out.M_OutputResoCfg.fps = 6000;
    out.M_OutputResoCfg.outputMode = 1;
    for (int w = 0; w < MDataLimits::kOutputWindows; ++w) {
        out.M_OPDisplayCfg[w].portID = static_cast<uint8_t>(w);
        out.M_OPDisplayCfg[w].onOff = w % 2;
        out.M_OPDisplayCfg[w].mosaicHs = 1920 * w;
    }

    LayerRecord& mosaic1 = m.M_MosaicLayerCfg.layer[1];
    mosaic1.onOff = 1;
    mosaic1.tileEnable = 1;
    mosaic1.tileId = 0;
    mosaic1.inputId = 4;
    mosaic1.halfId = 1;
    mosaic1.logoOnOff = 0;
    mosaic1.alpha = 0x40;
    mosaic1.rotation = 0x107;
    mosaic1.hs = 0x11223344;
    mosaic1.vs = 0x200;
    mosaic1.hact = 1920;
    mosaic1.vact = 1080;
    mosaic1.logoWidth = 0x7777;  // not carried

    LayerPictureCfg& switch4 = m.M_SwitchLayerCfg.picture[4];
    switch4.brightness = 11;
    switch4.contrast = 22;
    switch4.saturation = 33;
    switch4.colorTempMode = 0x108;
    switch4.colorTempR = 1;
    switch4.colorTempG = 2;
    switch4.colorTempB = 3;

    for (int k = 0; k < MDataLimits::kTasks; ++k) {
        ScheduleTask& t = m.M_TaskCfg.task[k];
        t.index = static_cast<uint8_t>(k);
        t.year = 24;
        t.month = static_cast<uint8_t>(1 + k % 12);
        t.day = static_cast<uint8_t>(k + 1);
        t.hour = static_cast<uint8_t>(k);
        t.minute = static_cast<uint8_t>(2 * k);
        t.second = static_cast<uint8_t>(3 * k);
        t.option = static_cast<uint8_t>(k % 4);
        t.period = static_cast<uint16_t>(0x100 + k);
        t.flag = 0x77;
        t.presetId = static_cast<uint8_t>(19 - k);
    }
    return m;
}

const uint8_t* FrameAt(const BatchArea& b, int index)
{
    return b.area.data() + index * Frame::kShortSize;
}

QByteArray PayloadAt(const BatchArea& b, int index)
{
    return QByteArray(reinterpret_cast<const char*>(FrameAt(b, index) + Frame::kPayloadOffset),
                      Frame::kPayloadSize);
}

int CodeAt(const BatchArea& b, int index)
{
    return ReadLe16(FrameAt(b, index) + 4);
}

}  // namespace

class TestBatch : public QObject {
    Q_OBJECT
private slots:
    void framesAreCompleteAndAreaTailIsFill_data();
    void framesAreCompleteAndAreaTailIsFill();
    void otherTypesGiveNothing_data();
    void otherTypesGiveNothing();
    void cropInInputPortOrder();
    void outputTimingKind_data();
    void outputTimingKind();
    void outputWindowsFollowTiming();
    void layerSetsAndAddresses();
    void layerFrameGolden();
    void tasksTwoPerFrame();
};

void TestBatch::framesAreCompleteAndAreaTailIsFill_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVector<int>>("counts");
    QTest::newRow("40 crop") << 40 << QVector<int>{18};
    QTest::newRow("41 outputs") << 41 << QVector<int>{7};
    QTest::newRow("42 layers") << 42 << QVector<int>{16, 24, 8};
    QTest::newRow("43 tasks") << 43 << QVector<int>{10};
}

void TestBatch::framesAreCompleteAndAreaTailIsFill()
{
    QFETCH(int, type);
    QFETCH(QVector<int>, counts);
    const MData m = MakeRecord();
    const std::vector<BatchArea> batches = EncodeBatch(m, type);
    QCOMPARE(int(batches.size()), counts.size());
    for (int b = 0; b < counts.size(); ++b) {
        const BatchArea& batch = batches[size_t(b)];
        QCOMPARE(int(batch.count), counts[b]);
        for (int i = 0; i < batch.count; ++i) {
            const uint8_t* f = FrameAt(batch, i);
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(f), 4).toHex(' '),
                     QByteArray("ed cb 28 38"));
            const unsigned sum = std::accumulate(f, f + 38, 0u);
            QCOMPARE(int(f[38]), int(sum & 0xFF));
        }
        const auto tail = batch.area.begin() + batch.count * Frame::kShortSize;
        QVERIFY(std::all_of(tail, batch.area.end(), [](uint8_t v) { return v == 0x55; }));
    }
}

void TestBatch::otherTypesGiveNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("3 is a single command") << 3;
    QTest::newRow("39") << 39;
    QTest::newRow("44") << 44;
    QTest::newRow("-1") << -1;
}

void TestBatch::otherTypesGiveNothing()
{
    QFETCH(int, type);
    QVERIFY(EncodeBatch(MakeRecord(), type).empty());
}

void TestBatch::cropInInputPortOrder()
{
    const MData m = MakeRecord();
    const BatchArea batch = EncodeBatch(m, SEND_ALLCROPCMD).at(0);
    for (int i = 0; i < MDataLimits::kInputs; ++i)
        for (int p = 0; p < MDataLimits::kPorts; ++p) {
            const int index = i * MDataLimits::kPorts + p;
            const uint8_t addr[] = {uint8_t(i), uint8_t(p), 0};
            const EncodedCommand single =
                EncodeCommand(&m.M_InputData.crop[i], SEND_INPUTCROPCMD, addr, CommandContext());
            QCOMPARE(CodeAt(batch, index), 0x0614);
            QCOMPARE(PayloadAt(batch, index).toHex(' '), Bytes(single.payload).toHex(' '));
        }
    // One frame in full: input 2, port 1, halves at index 1 and 4.
    QCOMPARE(PayloadAt(batch, 7).toHex(' '),
             Padded("02 1A 01 01  01 01 02 01 22 01 12 01 32 01 42 01 52"
                    "  00 04 02 04 22 04 12 04 32 04 42 04 52")
                 .toHex(' '));
}

void TestBatch::outputTimingKind_data()
{
    QTest::addColumn<int>("resoId");
    QTest::addColumn<int>("kind");
    QTest::newRow("custom timing") << 27 << 2;
    QTest::newRow("table timing") << 5 << 0;
    QTest::newRow("first table entry") << 0 << 0;
}

void TestBatch::outputTimingKind()
{
    QFETCH(int, resoId);
    QFETCH(int, kind);
    MData m = MakeRecord();
    m.M_OutputData.M_OutputResoCfg.resoId = resoId;
    const BatchArea batch = EncodeBatch(m, SEND_ALLOUTPUTCMD).at(0);
    QCOMPARE(CodeAt(batch, 0), 0x0630);
    const QByteArray head = QByteArray::fromHex("00 FF 01 00 80 07 38 04 70 17");
    QByteArray expected = head;
    expected[0] = char(kind);
    expected[3] = char(resoId);
    QCOMPARE(PayloadAt(batch, 0).left(head.size()).toHex(' '), expected.toHex(' '));
}

void TestBatch::outputWindowsFollowTiming()
{
    const MData m = MakeRecord();
    const BatchArea batch = EncodeBatch(m, SEND_ALLOUTPUTCMD).at(0);
    for (int w = 0; w < MDataLimits::kOutputWindows; ++w) {
        QCOMPARE(CodeAt(batch, 1 + w), 0x0632);
        QCOMPARE(PayloadAt(batch, 1 + w).toHex(' '),
                 Bytes(OutputWindowPayload(m.M_OutputData.M_OPDisplayCfg[w])).toHex(' '));
        QCOMPARE(int(PayloadAt(batch, 1 + w).at(0)), w);  // portID
    }
}

void TestBatch::layerSetsAndAddresses()
{
    const std::vector<BatchArea> batches = EncodeBatch(MakeRecord(), SEND_ALLLAYERCMD);
    QCOMPARE(int(batches.size()), 3);
    const int modes[] = {0, 2, 4};
    for (int b = 0; b < 3; ++b) {
        const BatchArea& batch = batches[size_t(b)];
        for (int i = 0; i < batch.count; ++i) {
            const int entry = i / 4;
            const QByteArray p = PayloadAt(batch, i);
            QCOMPARE(CodeAt(batch, i), 0x0651);
            QCOMPARE(int(p[0]), modes[b]);
            QCOMPARE(int(p[3]), i % 4);  // record, picture, zoom, chroma key
            const int second = b == 0 ? 0 : b == 1 ? entry / 3 : entry;
            const int layer = b == 1 ? entry % 3 : entry;
            QCOMPARE(int(p[1]), second);
            QCOMPARE(int(p[2]), layer);
        }
    }
    // The switch batch's 12th frame: group 0, layer 2, chroma key; the 13th:
    // group 1, layer 0, layer record.
    QCOMPARE(PayloadAt(batches[1], 11).left(4).toHex(' '), QByteArray("02 00 02 03"));
    QCOMPARE(PayloadAt(batches[1], 12).left(4).toHex(' '), QByteArray("02 01 00 00"));
    // The backup set's second layer: P1 = P2 = 1.
    for (int i = 4; i < 8; ++i)
        QCOMPARE(PayloadAt(batches[2], i).mid(1, 2).toHex(' '), QByteArray("01 01"));
}

void TestBatch::layerFrameGolden()
{
    const std::vector<BatchArea> batches = EncodeBatch(MakeRecord(), SEND_ALLLAYERCMD);
    // Mosaic layer 1, kind 0: the whole layer record.
    QCOMPARE(PayloadAt(batches[0], 4).toHex(' '),
             Padded("00 00 01 00  01 01 00 04 01 00 40 07  55 55 55 55"
                    "  44 33 22 11 00 02 00 00 80 07 00 00 38 04 00 00")
                 .toHex(' '));
    // Switch group 1 layer 1 (entry 4), picture: P1 the group, P2 the layer.
    QCOMPARE(PayloadAt(batches[1], 17).toHex(' '),
             Padded("02 01 01 01  0B 16 21 32 32 08 01 02 03").toHex(' '));
}

void TestBatch::tasksTwoPerFrame()
{
    const MData m = MakeRecord();
    const BatchArea batch = EncodeBatch(m, SEND_ALLTASKCMD).at(0);
    QCOMPARE(CodeAt(batch, 0), 0x0607);
    QCOMPARE(PayloadAt(batch, 0).toHex(' '),
             QByteArray::fromHex("00 0E 02 55"
                                 "  00 18 01 01 00 00 00 00 00 01 01 13 55 55"
                                 "  01 18 02 02 01 02 03 01 01 01 01 12 55 55")
                 .toHex(' '));
    // Frame j carries tasks 2j and 2j + 1.
    for (int j = 0; j < 10; ++j) {
        const QByteArray p = PayloadAt(batch, j);
        QCOMPARE(int(p[4]), 2 * j);
        QCOMPARE(int(p[18]), 2 * j + 1);
        QCOMPARE(int(p[14]), 1);
        QCOMPARE(int(p[28]), 1);
    }
}

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
