// The USB transport through the real libusb against the simulated keyboard
// (runs under umockdev-wrapper).
#include "Frames.h"
#include "SimKeyboard.h"
#include "SyncUSBport.h"
#include "TestSupport.h"

#include <QScopeGuard>
#include <QSemaphore>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

// The transport's two threads and libusb's event thread show up in the
// process while a device is open.
using TestSupport::ThreadCount;

// A 64-byte packet that carries its number in bytes 0 and 1.
QByteArray Numbered(int n)
{
    QByteArray p(SyncUSBport::kPacketSize, '\0');
    p[0] = static_cast<char>(n & 0xFF);
    p[1] = static_cast<char>(n >> 8);
    p[63] = static_cast<char>(0xA5);
    return p;
}

QByteArray Bytes(const UsbTransfer& t)
{
    return QByteArray(reinterpret_cast<const char*>(t.data()), int(t.size()));
}

// Receives the packets on the test thread, as the protocol object does on
// the GUI thread: a queued call from the dispatcher thread.
class Collector : public QObject {
    Q_OBJECT
public:
    QList<QByteArray> packets;

public slots:
    void take(QByteArray data) { packets.append(data); }
};

}  // namespace

class TestUsbPort : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openFailsWithoutTheKeyboard_data();
    void openFailsWithoutTheKeyboard();
    void openClaimsAndReadsKeyReports();
    void packetKeepsItsLength_data();
    void packetKeepsItsLength();
    void ringKeepsOrderAcrossWrap();
    void fullRingStopsReading();
    void writeMovesOneWholeTransfer_data();
    void writeMovesOneWholeTransfer();
    void shortBufferIsZeroFilled();
    void lampPlanesReachTheKeyboard();
    void writeWithoutOpenDeviceFails();
    void closeAndOpenAgain();
    void secondOpenKeepsOneHandle();
    void unplugWhileOpen();

private:
    bool open(SyncUSBport& port)
    {
        return port.openDevice(SimKeyboard::kVendorId, SimKeyboard::kProductId);
    }

    std::unique_ptr<SimKeyboard> sim_;
    int baseThreads_ = 0;
};

void TestUsbPort::initTestCase()
{
    if (!SimKeyboard::mockEnvironment())
        QSKIP("needs umockdev's preload library: run under umockdev-wrapper");
    sim_ = std::make_unique<SimKeyboard>();
}

void TestUsbPort::init()
{
    sim_->plug();
    sim_->clearTransfers();
    baseThreads_ = ThreadCount();
}

void TestUsbPort::cleanup()
{
    sim_->unplug();
}

void TestUsbPort::openFailsWithoutTheKeyboard_data()
{
    QTest::addColumn<bool>("plugged");
    QTest::addColumn<int>("productId");
    QTest::newRow("unplugged") << false << int(SimKeyboard::kProductId);
    QTest::newRow("other product id") << true << 0x96FE;
}

void TestUsbPort::openFailsWithoutTheKeyboard()
{
    QFETCH(bool, plugged);
    QFETCH(int, productId);
    if (!plugged)
        sim_->unplug();
    SyncUSBport port;
    QTest::ignoreMessage(QtDebugMsg, "find dev error");
    QVERIFY(!port.openDevice(SimKeyboard::kVendorId, static_cast<uint16_t>(productId)));
    // No reader, no dispatcher, and libusb released again.
    QTRY_COMPARE(ThreadCount(), baseThreads_);
}

void TestUsbPort::openClaimsAndReadsKeyReports()
{
    SyncUSBport port;
    Collector got;
    connect(&port, &SyncUSBport::sigUsbReadData, &got, &Collector::take);
    QVERIFY(open(port));
    QVERIFY(sim_->isClaimed());

    sim_->sendKeys({0, 13, 78});
    sim_->sendKeys({});
    QTRY_COMPARE(got.packets.size(), 2);
    // Key 0: bit 0 of byte 0; key 13: bit 5 of byte 1; key 78: bit 6 of byte 9;
    // the checksum sums bytes 3..16.
    QByteArray expected = QByteArray::fromHex("EDCB2838AC000A" "01200000000000000040" "4F");
    expected.append(QByteArray(64 - expected.size(), '\0'));
    QCOMPARE(got.packets[0].toHex(), expected.toHex());
    QCOMPARE(got.packets[1].left(18).toHex(), QByteArray("edcb2838ac000a00000000000000000000ee"));
}

void TestUsbPort::packetKeepsItsLength_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("whole transfer") << 64;
    QTest::newRow("bare key report frame") << 18;
    QTest::newRow("frame without data") << 8;
    QTest::newRow("one byte") << 1;
}

void TestUsbPort::packetKeepsItsLength()
{
    QFETCH(int, length);
    SyncUSBport port;
    Collector got;
    connect(&port, &SyncUSBport::sigUsbReadData, &got, &Collector::take);
    QVERIFY(open(port));

    QByteArray packet(length, '\0');
    for (int i = 0; i < length; ++i)
        packet[i] = static_cast<char>(0xFF - i);
    sim_->sendPacket(packet);
    QTRY_COMPARE(got.packets.size(), 1);
    QCOMPARE(got.packets[0].toHex(), packet.toHex());
}

void TestUsbPort::ringKeepsOrderAcrossWrap()
{
    SyncUSBport port;
    Collector got;
    connect(&port, &SyncUSBport::sigUsbReadData, &got, &Collector::take);
    QVERIFY(open(port));

    const int count = 2 * SyncUSBport::kRingSize + 50;  // wraps from slot 199 to 0 twice
    for (int n = 0; n < count; ++n)
        sim_->sendPacket(Numbered(n));
    QTRY_COMPARE_WITH_TIMEOUT(got.packets.size(), count, 20000);
    for (int n = 0; n < count; ++n)
        QCOMPARE(got.packets[n], Numbered(n));
}

void TestUsbPort::fullRingStopsReading()
{
    QSemaphore proceed;
    std::atomic<bool> first{true};
    SyncUSBport port;
    Collector got;
    connect(&port, &SyncUSBport::sigUsbReadData, &got, &Collector::take);
    // Runs on the dispatcher thread: the first emission waits for the test,
    // so its slot stays ready while the reader fills the others.
    connect(&port, &SyncUSBport::sigUsbReadData, [&](const QByteArray&) {
        if (first.exchange(false))
            proceed.acquire();
    });
    const auto release = qScopeGuard([&] { proceed.release(); });
    QVERIFY(open(port));

    const int count = 450;
    for (int n = 0; n < count; ++n)
        sim_->sendPacket(Numbered(n));
    // Slots 0..199 hold packets 0..199; slot 0 is still being emitted.
    QTRY_COMPARE(sim_->pendingPackets(), count - SyncUSBport::kRingSize);
    const int requests = sim_->readRequests();
    QTest::qWait(50);  // five transfer time-outs
    QCOMPARE(sim_->pendingPackets(), count - SyncUSBport::kRingSize);
    QCOMPARE(sim_->readRequests(), requests);

    proceed.release();
    QTRY_COMPARE_WITH_TIMEOUT(got.packets.size(), count, 20000);
    for (int n = 0; n < count; ++n)
        QCOMPARE(got.packets[n], Numbered(n));
}

void TestUsbPort::writeMovesOneWholeTransfer_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("announce, P0 1") << 0x0001 << QByteArray(1, '\1');
    QTest::newRow("selected plane, keys 0 and 78")
        << 0x00BD << QByteArray::fromHex("01000000000000000040").leftJustified(32, '\0');
    QTest::newRow("reset plane, colour A off") << 0x00B7 << QByteArray(32, '\xFF');
}

void TestUsbPort::writeMovesOneWholeTransfer()
{
    QFETCH(int, code);
    QFETCH(QByteArray, data);
    SyncUSBport port;
    QVERIFY(open(port));

    const UsbTransfer t = BuildUsbTransfer(static_cast<uint16_t>(code),
                                           reinterpret_cast<const uint8_t*>(data.constData()),
                                           data.size());
    QVERIFY(port.writePacket(t.data(), int(t.size())));
    QCOMPARE(sim_->transferCount(), 1);
    const QByteArray written = sim_->transfers().first();
    QCOMPARE(written.toHex(), Bytes(t).toHex());
    QCOMPARE(written.mid(39), QByteArray(25, '\0'));
    QCOMPARE(sim_->badFrames(), 0);  // the keyboard accepts the checksum over bytes 3..37
}

void TestUsbPort::shortBufferIsZeroFilled()
{
    SyncUSBport port;
    QVERIFY(open(port));
    const uint8_t planeBits[32] = {0x20};
    const UsbTransfer t = BuildUsbTransfer(0x00B6, planeBits, 32);
    QVERIFY(port.writePacket(t.data(), Frame::kShortSize));
    QCOMPARE(sim_->transfers().value(0).toHex(), Bytes(t).toHex());
}

void TestUsbPort::lampPlanesReachTheKeyboard()
{
    SyncUSBport port;
    QVERIFY(open(port));
    const auto send = [&](uint16_t code, QVector<int> keys) {
        QByteArray plane(32, '\0');
        for (int k : keys)
            plane[k / 8] = static_cast<char>(plane[k / 8] | (1 << (k % 8)));
        const UsbTransfer t =
            BuildUsbTransfer(code, reinterpret_cast<const uint8_t*>(plane.constData()), 32);
        return port.writePacket(t.data(), int(t.size()));
    };
    QVERIFY(!sim_->hostAnnounced());  // plugged in afresh by init()
    const uint8_t announce[1] = {1};
    const UsbTransfer hello = BuildUsbTransfer(0x0001, announce, 1);
    QVERIFY(port.writePacket(hello.data(), int(hello.size())));
    QVERIFY(sim_->hostAnnounced());

    QVERIFY(send(0x00B6, {5, 78}));  // colour A on
    QVERIFY(send(0x00BD, {5}));  // key 5 selected
    QCOMPARE(sim_->lamp(5).mode, SimLamp::Selected);
    QCOMPARE(sim_->lamp(78).mode, SimLamp::Colours);
    QCOMPARE(sim_->lamp(78).colorA, 1);
    QVERIFY(send(0x00B9, {5}));  // colour B on: back to its colours
    QCOMPARE(sim_->lamp(5).mode, SimLamp::Colours);
    QCOMPARE(sim_->lamp(5).colorA, 1);
    QCOMPARE(sim_->lamp(5).colorB, 1);
    QCOMPARE(sim_->lamp(4).colorA, 0);  // keys without their bit are left alone
    QCOMPARE(sim_->plane(0x00BD).toHex(), QByteArray("20").leftJustified(64, '0'));
}

void TestUsbPort::writeWithoutOpenDeviceFails()
{
    SyncUSBport port;
    const UsbTransfer t = BuildUsbTransfer(0x0001, nullptr, 0);
    QVERIFY(!port.writePacket(t.data(), int(t.size())));  // never opened

    QVERIFY(open(port));
    port.closeDevice();
    QVERIFY(!port.writePacket(t.data(), int(t.size())));
    QCOMPARE(sim_->transferCount(), 0);
    port.closeDevice();  // closing twice is harmless
}

void TestUsbPort::closeAndOpenAgain()
{
    SyncUSBport port;
    Collector got;
    connect(&port, &SyncUSBport::sigUsbReadData, &got, &Collector::take);
    QVERIFY(open(port));
    sim_->sendKeys({1});
    QTRY_COMPARE(got.packets.size(), 1);

    port.closeDevice();
    QTRY_COMPARE(ThreadCount(), baseThreads_);  // threads joined, libusb released
    QTRY_VERIFY(!sim_->isClaimed());

    QVERIFY(open(port));
    QVERIFY(sim_->isClaimed());
    sim_->sendKeys({2});
    QTRY_COMPARE(got.packets.size(), 2);
    QCOMPARE(got.packets[1].mid(7, 10), SimKeyboard::keyReport({2}));
}

void TestUsbPort::secondOpenKeepsOneHandle()
{
    SyncUSBport port;
    Collector got;
    connect(&port, &SyncUSBport::sigUsbReadData, &got, &Collector::take);
    QVERIFY(open(port));
    const int openThreads = ThreadCount();
    QVERIFY(openThreads > baseThreads_);

    QVERIFY(open(port));
    QTRY_COMPARE(ThreadCount(), openThreads);
    sim_->sendKeys({3});
    QVERIFY(sim_->waitUntilRead(5000));
    QTRY_COMPARE(got.packets.size(), 1);
    port.closeDevice();
    QTRY_COMPARE(ThreadCount(), baseThreads_);
}

void TestUsbPort::unplugWhileOpen()
{
    SyncUSBport port;
    Collector got;
    connect(&port, &SyncUSBport::sigUsbReadData, &got, &Collector::take);
    QVERIFY(open(port));
    sim_->sendKeys({4});
    QTRY_COMPARE(got.packets.size(), 1);

    sim_->unplug();
    const UsbTransfer t = BuildUsbTransfer(0x0001, nullptr, 0);
    QVERIFY(!port.writePacket(t.data(), int(t.size())));
    QTest::qWait(30);  // the reader meets the missing device a few times
    port.closeDevice();
    QTRY_COMPARE(ThreadCount(), baseThreads_);
    QCOMPARE(got.packets.size(), 1);

    // Plugged in again, the keyboard opens as new.
    sim_->plug();
    QVERIFY(open(port));
    sim_->sendKeys({5});
    QTRY_COMPARE(got.packets.size(), 2);
}

QTEST_GUILESS_MAIN(TestUsbPort)
#include "test_usbport.moc"
