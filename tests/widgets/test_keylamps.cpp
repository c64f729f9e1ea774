// The control keyboard's lamp table turned into its nine bit planes, and the
// radio-group marking of the key reports; no keyboard needed.
#include "KeyLamps.h"

#include <QtTest>

namespace {

// One lamp as a row sets it.
struct Lamp {
    int key;
    int colorA;
    int colorB;
    int kind;
    bool dirty;
};

// Which keys each plane code must carry.
using PlaneKeys = QMap<int, QVector<int>>;

QByteArray Bits(const QVector<int>& keys)
{
    QByteArray plane(kLampPlaneSize, '\0');
    for (int k : keys)
        plane[k / 8] = static_cast<char>(plane[k / 8] | (1 << (k % 8)));
    return plane;
}

QByteArray Bytes(const LampPlane& plane)
{
    return QByteArray(reinterpret_cast<const char*>(plane.data()), int(plane.size()));
}

}  // namespace

Q_DECLARE_METATYPE(QList<Lamp>)
Q_DECLARE_METATYPE(PlaneKeys)

class TestKeyLamps : public QObject {
    Q_OBJECT
private slots:
    void init();

    void planes_data();
    void planes();
    void flushTakesOnlyChangesSince();
    void bitPositions();
    void radioGroup_data();
    void radioGroup();
};

void TestKeyLamps::init()
{
    KeyLamps() = KeyLampTable();
}

void TestKeyLamps::planes_data()
{
    QTest::addColumn<QList<Lamp>>("lamps");
    QTest::addColumn<PlaneKeys>("expected");

    QTest::newRow("nothing dirty: nine empty planes") << QList<Lamp>{} << PlaneKeys{};
    QTest::newRow("clean entries stay out")
        << QList<Lamp>{{7, 1, 2, LAMP_SELECTED, false}, {8, 2, 1, LAMP_PLAIN, false}}
        << PlaneKeys{};
    QTest::newRow("colour values 0, 1, 2 of A and B")
        << QList<Lamp>{{0, 0, 0, LAMP_PLAIN, true},
                       {1, 1, 1, LAMP_PLAIN, true},
                       {2, 2, 2, LAMP_PLAIN, true},
                       {3, 0, 2, LAMP_PLAIN, true}}
        << PlaneKeys{{0x00B7, {0, 3}}, {0x00BA, {0}},    {0x00B6, {1}},
                     {0x00B9, {1}},    {0x00B8, {2}},    {0x00BB, {2, 3}}};
    QTest::newRow("selected key only in its own plane")
        << QList<Lamp>{{5, 1, 2, LAMP_SELECTED, true}} << PlaneKeys{{0x00BD, {5}}};
    QTest::newRow("mark 5 keeps its colours")
        << QList<Lamp>{{20, 1, 0, LAMP_MARK5, true}}
        << PlaneKeys{{0x00C0, {20}}, {0x00B6, {20}}, {0x00BA, {20}}};
    QTest::newRow("mark 3 only in its own plane")
        << QList<Lamp>{{30, 1, 1, LAMP_MARK3, true}} << PlaneKeys{{0x00BC, {30}}};
    QTest::newRow("a kind no writer uses shows its colours")
        << QList<Lamp>{{40, 0, 1, 1, true}} << PlaneKeys{{0x00B7, {40}}, {0x00B9, {40}}};
    QTest::newRow("a colour outside 0..2 sets no plane of its own")
        << QList<Lamp>{{9, 3, 1, LAMP_PLAIN, true}} << PlaneKeys{{0x00B9, {9}}};
    QTest::newRow("first and last key")
        << QList<Lamp>{{0, 1, 0, LAMP_PLAIN, true}, {78, 1, 0, LAMP_SELECTED, true}}
        << PlaneKeys{{0x00B6, {0}}, {0x00BA, {0}}, {0x00BD, {78}}};
}

void TestKeyLamps::planes()
{
    QFETCH(QList<Lamp>, lamps);
    QFETCH(PlaneKeys, expected);
    KeyLampTable table;
    for (const Lamp& l : lamps)
        table.entries[l.key] = {uint8_t(l.colorA), uint8_t(l.colorB), uint8_t(l.kind),
                                uint8_t(l.dirty)};
    const LampPlanes planes = TakeLampPlanes(table);
    for (int i = 0; i < kLampPlaneCount; ++i) {
        const int code = kLampPlaneCodes[i];
        QVERIFY2(Bytes(planes[i]) == Bits(expected.value(code)),
                 qPrintable(QString::asprintf("plane 0x%04X: ", code) + Bytes(planes[i]).toHex()));
    }
    for (const KeyLampEntry& e : table.entries)
        QCOMPARE(e.dirty, uint8_t(0));
    // Colours and kinds stay as they were.
    for (const Lamp& l : lamps) {
        QCOMPARE(int(table.entries[l.key].colorA), l.colorA);
        QCOMPARE(int(table.entries[l.key].kind), l.kind);
    }
}

void TestKeyLamps::flushTakesOnlyChangesSince()
{
    KeyLampTable table;
    table.entries[12] = {1, 1, LAMP_PLAIN, 1};
    TakeLampPlanes(table);
    table.entries[40].colorB = 2;
    table.entries[40].dirty = 1;
    const LampPlanes planes = TakeLampPlanes(table);
    QCOMPARE(Bytes(planes[2]), Bits({40}));  // colour A off
    QCOMPARE(Bytes(planes[7]), Bits({40}));  // colour B checked
    QCOMPARE(Bytes(planes[3]), Bits({}));  // key 12's colour A on is not sent again
}

void TestKeyLamps::bitPositions()
{
    QCOMPARE(kLampPlaneCodes, (std::array<uint16_t, kLampPlaneCount>{
                                  0x00BD, 0x00C0, 0x00B7, 0x00B6, 0x00BA, 0x00B9, 0x00B8,
                                  0x00BB, 0x00BC}));
    KeyLampTable table;
    table.entries[0] = {0, 0, LAMP_SELECTED, 1};
    table.entries[13] = {0, 0, LAMP_SELECTED, 1};
    table.entries[78] = {0, 0, LAMP_SELECTED, 1};
    // Key 0: bit 0 of byte 0; key 13: bit 5 of byte 1; key 78: bit 6 of byte 9;
    // bit 7 of byte 9 and bytes 10..31 stay clear.
    QCOMPARE(Bytes(TakeLampPlanes(table)[0]).toHex(),
             QByteArray("01200000000000000040").leftJustified(64, '0'));
}

void TestKeyLamps::radioGroup_data()
{
    QTest::addColumn<QVector<int>>("selectedBefore");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("key");
    QTest::addColumn<QVector<int>>("selectedAfter");
    QTest::addColumn<QVector<int>>("dirty");

    QTest::newRow("first key of a group") << QVector<int>{} << 0 << 9 << 5 << QVector<int>{5}
                                          << QVector<int>{5};
    QTest::newRow("moves within the group")
        << QVector<int>{3} << 0 << 9 << 5 << QVector<int>{5} << QVector<int>{3, 5};
    QTest::newRow("the same key again") << QVector<int>{5} << 0 << 9 << 5 << QVector<int>{5}
                                        << QVector<int>{5};
    QTest::newRow("the other group keeps its key")
        << QVector<int>{3, 20} << 13 << 32 << 14 << QVector<int>{3, 14} << QVector<int>{14, 20};
    QTest::newRow("group ends are inclusive")
        << QVector<int>{13} << 13 << 32 << 32 << QVector<int>{32} << QVector<int>{13, 32};
}

void TestKeyLamps::radioGroup()
{
    QFETCH(QVector<int>, selectedBefore);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, key);
    QFETCH(QVector<int>, selectedAfter);
    QFETCH(QVector<int>, dirty);
    KeyLampTable& table = KeyLamps();
    for (KeyLampEntry& e : table.entries)
        e = {2, 1, LAMP_PLAIN, 0};
    for (int k : selectedBefore)
        table.entries[k].kind = LAMP_SELECTED;

    SelectLampInGroup(first, last, key);
    for (int k = 0; k < KeyLampTable::kKeyCount; ++k) {
        const KeyLampEntry& e = table.entries[k];
        QCOMPARE(e.kind == LAMP_SELECTED, selectedAfter.contains(k));
        QCOMPARE(e.dirty != 0, dirty.contains(k));
        // Colours are never touched.
        QCOMPARE(int(e.colorA), 2);
        QCOMPARE(int(e.colorB), 1);
    }
}

QTEST_GUILESS_MAIN(TestKeyLamps)
#include "test_keylamps.moc"
