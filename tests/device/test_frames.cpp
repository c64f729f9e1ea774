// Frame layouts and checksums against golden bytes.
#include "Frames.h"

#include <QtTest>
#include <numeric>

class TestFrames : public QObject {
    Q_OBJECT
private slots:
    void shortFrameGolden_data();
    void shortFrameGolden();
    void shortFrameLayout();
    void keyboardTransferGolden();
    void keyboardTransferCopiesAtMost32Bytes();
    void emptyBatchGolden();
    void batchLayout();
    void makeChecksumLengths();
    void verifyChecksum_data();
    void verifyChecksum();
};

void TestFrames::shortFrameGolden_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("checksum");
    // 0xED + 0xCB + 0x28 + 0x38 + code bytes + 32 * fill, modulo 256.
    QTest::newRow("read-back request, 0x55 payload") << 0x0600 << 0x55 << 0xBE;
    QTest::newRow("zero payload") << 0x0600 << 0x00 << 0x1E;
    QTest::newRow("high code byte counts") << 0x8080 << 0x55 << 0xB8;
}

void TestFrames::shortFrameGolden()
{
    QFETCH(int, code);
    QFETCH(int, fill);
    QFETCH(int, checksum);
    Payload p;
    p.fill(static_cast<uint8_t>(fill));
    const ShortFrame f = BuildShortFrame(static_cast<uint16_t>(code), p.data());
    QCOMPARE(int(f[38]), checksum);
}

void TestFrames::shortFrameLayout()
{
    Payload p;
    p.set8(0, 0xFF);
    p.set16(1, 0x1234);
    p.set32(3, 0xA1B2C3D4);
    const ShortFrame f = BuildShortFrame(0x0651, p.data());
    const uint8_t expectHead[] = {0xED, 0xCB, 0x28, 0x38, 0x51, 0x06, 0xFF, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1};
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(f.data()), 13),
             QByteArray(reinterpret_cast<const char*>(expectHead), 13));
    for (int i = 13; i < 38; ++i)
        QCOMPARE(int(f[i]), 0x55);
    const unsigned sum = std::accumulate(f.begin(), f.begin() + 38, 0u);
    QCOMPARE(int(f[38]), int(sum & 0xFF));

    // No payload: all 0x55.
    const ShortFrame empty = BuildShortFrame(0x0600, nullptr);
    QCOMPARE(int(empty[38]), 0xBE);
}

void TestFrames::keyboardTransferGolden()
{
    const uint8_t zeros[32] = {};
    const UsbTransfer t = BuildUsbTransfer(0x00BD, zeros, 32);
    QCOMPARE(int(t[0]), 0xED);
    QCOMPARE(int(t[1]), 0xCB);
    QCOMPARE(int(t[4]), 0xBD);
    QCOMPARE(int(t[5]), 0x00);
    QCOMPARE(int(t[38]), 0xF5);  // sum of bytes 3..37 only
    for (int i = 39; i < 64; ++i)
        QCOMPARE(int(t[i]), 0x00);

    // Without data the payload stays 0x55.
    const UsbTransfer n = BuildUsbTransfer(0x0001, nullptr, 32);
    for (int i = 6; i < 38; ++i)
        QCOMPARE(int(n[i]), 0x55);
}

void TestFrames::keyboardTransferCopiesAtMost32Bytes()
{
    uint8_t data[40];
    std::fill(std::begin(data), std::end(data), 0x01);
    const UsbTransfer t = BuildUsbTransfer(0x0001, data, 40);
    for (int i = 6; i < 38; ++i)
        QCOMPARE(int(t[i]), 0x01);
    QCOMPARE(int(t[39]), 0x00);

    const UsbTransfer one = BuildUsbTransfer(0x0001, data, 1);
    QCOMPARE(int(one[6]), 0x01);
    QCOMPARE(int(one[7]), 0x55);
}

void TestFrames::emptyBatchGolden()
{
    std::array<uint8_t, Frame::kLongAreaSize> area;
    area.fill(0x55);
    const LongFrame f = BuildLongFrame(0x0402, area.data(), 0);
    QCOMPARE(int(f[1358]), 0xA9);
}

void TestFrames::batchLayout()
{
    std::array<uint8_t, Frame::kLongAreaSize> area;
    area.fill(0x55);
    const ShortFrame a = BuildShortFrame(0x0614, nullptr);
    std::copy(a.begin(), a.end(), area.begin());
    const LongFrame f = BuildLongFrame(0x0402, area.data(), 1);
    const uint8_t head[] = {0xD1, 0xE2, 0xF3, 0x04, 0x15, 0x26, 0x37, 0x48, 0x02, 0x04, 0x01, 0x55, 0x55, 0x55};
    for (int i = 0; i < 14; ++i)
        QCOMPARE(int(f[i]), int(head[i]));
    QVERIFY(std::equal(a.begin(), a.end(), f.begin() + 14));
    const unsigned sum = std::accumulate(f.begin(), f.begin() + 1358, 0u);
    QCOMPARE(int(f[1358]), int(sum & 0xFF));
}

void TestFrames::makeChecksumLengths()
{
    uint8_t one[1] = {0x77};
    MakeChecksum(one, 1);
    QCOMPARE(int(one[0]), 0);

    uint8_t three[3] = {0xFF, 0x02, 0x00};
    MakeChecksum(three, 3);
    QCOMPARE(int(three[2]), 0x01);
}

void TestFrames::verifyChecksum_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("received");
    QTest::addColumn<bool>("ok");
    QTest::newRow("match") << QByteArray("\x01\x02\x03", 3) << 6 << true;
    QTest::newRow("overflow keeps low byte") << QByteArray("\xFF\xFF\x03", 3) << 0x01 << true;
    QTest::newRow("mismatch") << QByteArray("\x01\x02\x03", 3) << 7 << false;
    QTest::newRow("empty sums to zero") << QByteArray() << 0 << true;
}

void TestFrames::verifyChecksum()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, received);
    QFETCH(bool, ok);
    if (!ok)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Checksum Error, Rec: 0x07, Cal: 0x06$"));
    QCOMPARE(VerifyChecksum(reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size(),
                            static_cast<uint8_t>(received)),
             ok);
}

QTEST_GUILESS_MAIN(TestFrames)
#include "test_frames.moc"
