// USB transport of the control keyboard: 64-byte bulk transfers through
// libusb, a reader thread that fills a ring of received packets and a
// dispatcher thread that emits them in order.
#pragma once

#include <QByteArray>
#include <QObject>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

struct libusb_context;
struct libusb_device_handle;

class SyncUSBport : public QObject {
    Q_OBJECT
public:
    static constexpr int kPacketSize = 64;
    static constexpr int kRingSize = 200;

    SyncUSBport();
    ~SyncUSBport() override;

    // Opens the first device with these ids, claims interface 0 and starts
    // both threads; false (with a log line) on every failure.
    bool openDevice(uint16_t vendorId, uint16_t productId);
    // Stops the threads, then closes the device. Safe when nothing is open.
    void closeDevice();
    // One 64-byte bulk transfer to endpoint 0x01. A buffer shorter than
    // 64 bytes is sent with zeros after its length bytes.
    bool writePacket(const uint8_t* data, int length);

    bool startThreads();
    void stopThreads();

signals:
    void sigUsbReadData(QByteArray data);

private:
    enum class ReadResult { Done, RingFull, Failed };

    ReadResult readPacket();
    void readLoop();
    void dispatchPacket();
    void dispatchLoop();
    void wakeRingWaiters();

    libusb_device_handle* handle_ = nullptr;
    std::mutex writeLock_;
    std::mutex readLock_;
    std::atomic<bool> readerRunning_{false};
    std::atomic<bool> dispatcherRunning_{false};
    std::unique_ptr<std::thread> readerThread_;
    std::unique_ptr<std::thread> dispatcherThread_;
    std::array<std::array<uint8_t, kPacketSize>, kRingSize> ring_{};
    std::array<std::atomic<uint8_t>, kRingSize> ready_;
    std::array<int, kRingSize> lengths_{};
    int dispatchPos_ = 0;
    int fillPos_ = 0;
    std::array<uint8_t, kPacketSize> transferBuffer_{};

    // One libusb context per open device, released on close.
    libusb_context* context_ = nullptr;
    // Wakes the dispatcher when a slot becomes ready and the reader when the
    // slot it waits for has been emitted.
    std::mutex ringMutex_;
    std::condition_variable ringChanged_;
};
