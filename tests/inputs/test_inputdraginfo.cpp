// The "INFO" drag record: its bytes as the layout canvas reads them.

#include "GuiTest.h"
#include "InputDragInfo.h"

#include <QMimeData>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(InputDragInfo)

class TestInputDragInfo : public QObject {
    Q_OBJECT

private slots:
    void goldenBytes_data();
    void goldenBytes();
    void shortDataIsRefused();
    void mimeCarriesRecord();
    void typeNames();
};

void TestInputDragInfo::goldenBytes_data()
{
    QTest::addColumn<InputDragInfo>("info");
    QTest::addColumn<QByteArray>("bytes");

    auto make = [](int32_t source, int32_t port, int32_t half, uint8_t split, int32_t type) {
        InputDragInfo i;
        i.source = source;
        i.port = port;
        i.half = half;
        i.split = split;
        i.type = type;
        return i;
    };
    QTest::newRow("input 5 split, right half, HDMI on port 1")
        << make(4, 1, 1, 1, 2)
        << QByteArray::fromHex("04000000" "01000000" "01000000" "01000000" "02000000");
    QTest::newRow("input 2, DP on port 2")
        << make(1, 2, 0, 0, 4)
        << QByteArray::fromHex("01000000" "02000000" "00000000" "00000000" "04000000");
    QTest::newRow("tile 2")
        << make(7, 0, 0, 0, 0)
        << QByteArray::fromHex("07000000" "00000000" "00000000" "00000000" "00000000");
    // Values no producer writes still travel whole, in little-endian order.
    QTest::newRow("extremes")
        << make(-1, 0x12345678, int32_t(0x80000000), 0xFF, 0x7FFFFFFF)
        << QByteArray::fromHex("ffffffff" "78563412" "00000080" "ff000000" "ffffff7f");
}

void TestInputDragInfo::goldenBytes()
{
    QFETCH(InputDragInfo, info);
    QFETCH(QByteArray, bytes);
    QCOMPARE(info.toBytes(), bytes);
    const auto back = InputDragInfo::fromBytes(bytes);
    QVERIFY(back);
    QCOMPARE(back->source, info.source);
    QCOMPARE(back->port, info.port);
    QCOMPARE(back->half, info.half);
    QCOMPARE(back->split, info.split);
    QCOMPARE(back->type, info.type);
    QCOMPARE(back->isTile(), info.source == 6 || info.source == 7);
}

void TestInputDragInfo::shortDataIsRefused()
{
    for (int size : {0, 1, 12, 19})
        QVERIFY2(!InputDragInfo::fromBytes(QByteArray(size, '\x01')), qPrintable(QString::number(size)));
    // Longer data is read as far as the record goes.
    QByteArray longer = QByteArray::fromHex("05000000" "00000000" "01000000" "01000000" "03000000")
                        + QByteArray(8, '\x7f');
    const auto info = InputDragInfo::fromBytes(longer);
    QVERIFY(info);
    QCOMPARE(info->source, 5);
    QCOMPARE(info->type, 3);
}

void TestInputDragInfo::mimeCarriesRecord()
{
    InputDragInfo info;
    info.source = 6;
    std::unique_ptr<QMimeData> mime(info.toMime());
    QVERIFY(mime->hasFormat("INFO"));
    QCOMPARE(mime->data("INFO").size(), InputDragInfo::kSize);
    const auto back = InputDragInfo::fromMime(mime.get());
    QVERIFY(back && back->isTile());

    QMimeData other;
    other.setText("6");
    QVERIFY(!InputDragInfo::fromMime(&other));
    QVERIFY(!InputDragInfo::fromMime(nullptr));
    QMimeData shortInfo;
    shortInfo.setData("INFO", QByteArray(4, '\0'));
    QVERIFY(!InputDragInfo::fromMime(&shortInfo));
}

void TestInputDragInfo::typeNames()
{
    const QStringList names = {"VGA", "DVI", "HDMI", "SDI", "DP"};
    for (int t = 0; t < names.size(); ++t)
        QCOMPARE(InputTypeName(t), names[t]);
    for (int t : {-1, 5, 255, int(0x80000000)})
        QVERIFY(InputTypeName(t).isEmpty());
}

LEDZ_GUI_TEST_MAIN(TestInputDragInfo)
#include "test_inputdraginfo.moc"
