#include "SyncUSBport.h"

#include "DeviceLog.h"

#include <libusb.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {
constexpr unsigned char kOutEndpoint = 0x01;
constexpr unsigned char kInEndpoint = 0x81;
constexpr unsigned kTimeoutMs = 10;
}  // namespace

SyncUSBport::SyncUSBport()
{
    for (auto& flag : ready_)
        flag.store(0, std::memory_order_relaxed);
}

SyncUSBport::~SyncUSBport()
{
    closeDevice();
}

bool SyncUSBport::openDevice(uint16_t vendorId, uint16_t productId)
{
    // A second open must not leave the first handle, context or threads behind.
    closeDevice();

    int result = libusb_init(&context_);
    if (result < 0) {
        DeviceLog("init error:%d", result);
        context_ = nullptr;
        return false;
    }
    const auto fail = [this] {
        libusb_exit(context_);
        context_ = nullptr;
        return false;
    };

    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context_, &list);
    if (count < 0) {
        DeviceLog("get device list error:%zd", count);
        return fail();
    }
    libusb_device* found = nullptr;
    for (ssize_t i = 0; i < count && !found; ++i) {
        libusb_device_descriptor descriptor;
        result = libusb_get_device_descriptor(list[i], &descriptor);
        if (result < 0) {
            DeviceLog("get device descriptor error:%d", result);
            libusb_free_device_list(list, 1);
            return fail();
        }
        if (descriptor.idVendor == vendorId && descriptor.idProduct == productId)
            found = list[i];
    }
    if (!found) {
        DeviceLog("find dev error");
        libusb_free_device_list(list, 1);
        return fail();
    }

    libusb_device_handle* handle = nullptr;
    result = libusb_open(found, &handle);
    // The handle holds its own reference on the device.
    libusb_free_device_list(list, 1);
    if (result < 0 || !handle) {
        DeviceLog("open device error:%d", result);
        return fail();
    }
    if (libusb_kernel_driver_active(handle, 0) == 1) {
        libusb_detach_kernel_driver(handle, 0);
        DeviceLog("driver error");
    }
    result = libusb_claim_interface(handle, 0);
    if (result < 0) {
        DeviceLog("claim interface error:%d", result);
        libusb_close(handle);
        return fail();
    }
    {
        std::scoped_lock lock(writeLock_, readLock_);
        handle_ = handle;
    }

    int configuration = 0;
    libusb_get_configuration(handle, &configuration);
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_config_descriptor(libusb_get_device(handle), 0, &config) < 0)
        return false;  // stays open until the next closeDevice
    libusb_free_config_descriptor(config);

    return startThreads();
}

void SyncUSBport::closeDevice()
{
    stopThreads();
    libusb_device_handle* handle = nullptr;
    {
        // Waits for a write in progress; none starts after this.
        std::scoped_lock lock(writeLock_, readLock_);
        handle = handle_;
        handle_ = nullptr;
    }
    if (handle) {
        libusb_release_interface(handle, 0);
        libusb_close(handle);
    }
    if (context_) {
        libusb_exit(context_);
        context_ = nullptr;
    }
}

bool SyncUSBport::writePacket(const uint8_t* data, int length)
{
    if (!data)
        return false;
    // Never read past the caller's buffer: what it lacks of 64 bytes is zero.
    std::array<uint8_t, kPacketSize> transfer{};
    std::memcpy(transfer.data(), data, static_cast<size_t>(std::clamp(length, 0, kPacketSize)));

    std::lock_guard<std::mutex> lock(writeLock_);
    if (!handle_)
        return false;
    int moved = 0;
    return libusb_bulk_transfer(handle_, kOutEndpoint, transfer.data(), kPacketSize, &moved,
                                kTimeoutMs) == 0;
}

bool SyncUSBport::startThreads()
{
    readerRunning_ = true;
    dispatcherRunning_ = true;
    if (!readerThread_)
        readerThread_ = std::make_unique<std::thread>(&SyncUSBport::readLoop, this);
    if (!dispatcherThread_)
        dispatcherThread_ = std::make_unique<std::thread>(&SyncUSBport::dispatchLoop, this);
    return true;
}

void SyncUSBport::stopThreads()
{
    readerRunning_ = false;
    wakeRingWaiters();
    if (readerThread_) {
        readerThread_->join();
        readerThread_.reset();
    }
    dispatcherRunning_ = false;
    wakeRingWaiters();
    if (dispatcherThread_) {
        dispatcherThread_->join();
        dispatcherThread_.reset();
    }
}

void SyncUSBport::wakeRingWaiters()
{
    // Taking the mutex orders this after a waiter's check of its condition.
    { std::lock_guard<std::mutex> lock(ringMutex_); }
    ringChanged_.notify_all();
}

SyncUSBport::ReadResult SyncUSBport::readPacket()
{
    std::lock_guard<std::mutex> lock(readLock_);
    if (!handle_)
        return ReadResult::Failed;
    if (ready_[static_cast<size_t>(fillPos_)].load(std::memory_order_acquire))
        return ReadResult::RingFull;

    transferBuffer_.fill(0);
    int received = 0;
    const int result = libusb_bulk_transfer(handle_, kInEndpoint, transferBuffer_.data(),
                                            kPacketSize, &received, kTimeoutMs);
    if (result == LIBUSB_ERROR_TIMEOUT)
        return ReadResult::Done;
    if (result != 0)
        return ReadResult::Failed;

    const auto slot = static_cast<size_t>(fillPos_);
    received = std::clamp(received, 0, kPacketSize);
    std::memcpy(ring_[slot].data(), transferBuffer_.data(), static_cast<size_t>(received));
    lengths_[slot] = received;
    ready_[slot].store(1, std::memory_order_release);
    fillPos_ = (fillPos_ + 1) % kRingSize;
    wakeRingWaiters();
    return ReadResult::Done;
}

void SyncUSBport::readLoop()
{
    while (readerRunning_) {
        const ReadResult result = readPacket();
        if (result == ReadResult::Done)
            continue;
        std::unique_lock<std::mutex> lock(ringMutex_);
        if (result == ReadResult::RingFull) {
            // Until the dispatcher has emitted the packet in the slot to fill.
            ringChanged_.wait(lock, [this] {
                return !readerRunning_ ||
                       !ready_[static_cast<size_t>(fillPos_)].load(std::memory_order_acquire);
            });
        } else {
            // A failed transfer (a device gone) would otherwise be retried at
            // full speed until the device is closed.
            ringChanged_.wait_for(lock, std::chrono::milliseconds(kTimeoutMs),
                                  [this] { return !readerRunning_; });
        }
    }
}

void SyncUSBport::dispatchPacket()
{
    const auto slot = static_cast<size_t>(dispatchPos_);
    if (!ready_[slot].load(std::memory_order_acquire))
        return;
    emit sigUsbReadData(
        QByteArray(reinterpret_cast<const char*>(ring_[slot].data()), lengths_[slot]));
    ready_[slot].store(0, std::memory_order_release);
    dispatchPos_ = (dispatchPos_ + 1) % kRingSize;
    wakeRingWaiters();
}

void SyncUSBport::dispatchLoop()
{
    while (dispatcherRunning_) {
        {
            std::unique_lock<std::mutex> lock(ringMutex_);
            ringChanged_.wait(lock, [this] {
                return !dispatcherRunning_ ||
                       ready_[static_cast<size_t>(dispatchPos_)].load(std::memory_order_acquire);
            });
        }
        dispatchPacket();
    }
}
