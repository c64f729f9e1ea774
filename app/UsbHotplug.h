// USB hot-plug on Linux: libusb's hot-plug callbacks, heard on a thread of
// our own and handed to the GUI thread as device-path texts in the form that
// Windows device notifications carry ("\\?\USB#VID_080A&PID_96FF#..."), so
// that the main window handles both platforms alike.
//
// Like Windows with a filter for all interface classes, every arrival and
// every removal is announced twice: once for the device and once for its
// interface 0.
#pragma once

#include <QObject>
#include <QString>

#include <libusb.h>

#include <atomic>
#include <thread>

class UsbHotplug : public QObject {
    Q_OBJECT

public:
    explicit UsbHotplug(QObject* parent = nullptr);
    // Stops and joins the event thread, then releases libusb.
    ~UsbHotplug() override;

    // Starts listening for every USB device; false (with a log line) when
    // libusb cannot be set up or offers no hot-plug here.
    bool start();

    // The two paths under which one device is announced.
    static QString devicePath(int vendorId, int productId, int bus, int address);
    static QString interfacePath(int vendorId, int productId, int bus, int address);

signals:
    // Emitted on the event thread; receivers on the GUI thread get them queued.
    void sigDeviceArrival(QString DevicePath);
    void sigDeviceRemoveComplete(QString DevicePath);

private:
    static int LIBUSB_CALL onHotplug(libusb_context* context, libusb_device* device,
                                     libusb_hotplug_event event, void* self);
    void eventLoop();
    void stop();

    libusb_context* context_ = nullptr;
    libusb_hotplug_callback_handle callback_ = 0;
    bool registered_ = false;
    std::atomic<bool> running_{false};
    std::thread thread_;
};
