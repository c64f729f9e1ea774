// A simulated USB control keyboard for tests: a umockdev device (080A:96FF,
// interface 0, bulk endpoints 0x81 and 0x01, 64-byte transfers) that the
// program reaches through the real libusb. It sends the packets a test queues,
// records every transfer the host writes and keeps a lamp per key.
//
// Works only in a process started by umockdev-wrapper (umockdev's preload
// library); construct one SimKeyboard per process before libusb looks for
// devices.
#pragma once

#include <QByteArray>
#include <QList>
#include <QVector>

#include <cstdint>
#include <memory>

// What the simulated keyboard shows on one key. Colour planes set colour A
// (0x00B7 off, 0x00B6 on, 0x00B8 checked) or colour B (0x00BA off, 0x00B9 on,
// 0x00BB checked) and return the key to its colours; plane 0x00BD marks it
// selected, 0x00BC and 0x00C0 give it the marks 3 and 5. A key with mark 5
// keeps the mark through the colour planes of the same flush, which follow
// its 0x00C0 plane.
struct SimLamp {
    enum Mode { Colours, Selected, Mark3, Mark5 };
    int colorA = 0;  // 0 off, 1 on, 2 checked
    int colorB = 0;
    Mode mode = Colours;
};

class SimKeyboard {
public:
    static constexpr uint16_t kVendorId = 0x080A;
    static constexpr uint16_t kProductId = 0x96FF;
    static constexpr int kKeyCount = 79;
    static constexpr int kPacketSize = 64;

    // Creates the test bed with the keyboard unplugged.
    SimKeyboard();
    ~SimKeyboard();
    SimKeyboard(const SimKeyboard&) = delete;
    SimKeyboard& operator=(const SimKeyboard&) = delete;

    // True when the process runs under umockdev's preload library.
    static bool mockEnvironment();

    // Adds the device to the test bed: lamps off, no announcement seen yet.
    void plug();
    // Removes it: packets not yet read are dropped, and a host that still has
    // it open sees its transfers fail as on a real unplug. libusb's hot-plug
    // callbacks hear both (uevents "add" and "remove").
    void unplug();
    bool isPlugged() const;
    // A host holds the plugged keyboard open with interface 0 claimed.
    bool isClaimed() const;

    // Device to host. Packets are read by the host in the order queued.
    static QByteArray keyReport(const QVector<int>& keysDown);  // the ten data bytes
    static QByteArray frame(uint16_t code, const QByteArray& data);  // N + 8 bytes
    void sendKeys(const QVector<int>& keysDown);  // a key report in a 64-byte packet
    void sendFrame(uint16_t code, const QByteArray& data);  // in a 64-byte packet
    void sendPacket(const QByteArray& packet);  // as given, 1..64 bytes; not while unplugged
    int pendingPackets() const;  // queued and not yet read by the host
    int readRequests() const;  // IN transfers the host has started so far
    bool waitUntilRead(int timeoutMs) const;  // every queued packet read

    // Host to device. The record of transfers lasts until clearTransfers().
    QList<QByteArray> transfers() const;  // every OUT transfer, as written
    int transferCount() const;
    bool waitForTransfers(int count, int timeoutMs) const;
    void clearTransfers();
    bool hostAnnounced() const;  // a frame 0x0001 with P0 1 has come
    int badFrames() const;  // OUT transfers without a valid frame
    QByteArray plane(uint16_t code) const;  // last 32-byte plane of that code
    SimLamp lamp(int key) const;

    struct Private;

private:
    std::unique_ptr<Private> d;
};
