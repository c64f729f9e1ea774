#include "UsbHotplug.h"

#include "DeviceLog.h"

UsbHotplug::UsbHotplug(QObject* parent) : QObject(parent) {}

UsbHotplug::~UsbHotplug()
{
    stop();
}

QString UsbHotplug::devicePath(int vendorId, int productId, int bus, int address)
{
    return QString::asprintf("\\\\?\\USB#VID_%04X&PID_%04X#%d-%d", vendorId, productId, bus,
                             address);
}

QString UsbHotplug::interfacePath(int vendorId, int productId, int bus, int address)
{
    return QString::asprintf("\\\\?\\USB#VID_%04X&PID_%04X&MI_00#%d-%d", vendorId, productId,
                             bus, address);
}

bool UsbHotplug::start()
{
    if (context_)
        return true;
    const int result = libusb_init(&context_);
    if (result < 0) {
        DeviceLog("hotplug init error:%d", result);
        context_ = nullptr;
        return false;
    }
    if (!libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
        DeviceLog("libusb offers no hotplug here");
        stop();
        return false;
    }
    // No enumeration of the devices present: the window opens a keyboard that
    // is attached at start by itself.
    const int registered = libusb_hotplug_register_callback(
        context_,
        static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                          LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
        static_cast<libusb_hotplug_flag>(0), LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
        LIBUSB_HOTPLUG_MATCH_ANY, &UsbHotplug::onHotplug, this, &callback_);
    if (registered != LIBUSB_SUCCESS) {
        DeviceLog("hotplug register error:%d", registered);
        stop();
        return false;
    }
    registered_ = true;
    running_ = true;
    thread_ = std::thread(&UsbHotplug::eventLoop, this);
    return true;
}

void UsbHotplug::stop()
{
    if (thread_.joinable()) {
        running_ = false;
        libusb_interrupt_event_handler(context_);
        thread_.join();
    }
    if (registered_) {
        libusb_hotplug_deregister_callback(context_, callback_);
        registered_ = false;
    }
    if (context_) {
        libusb_exit(context_);
        context_ = nullptr;
    }
}

void UsbHotplug::eventLoop()
{
    // The callbacks run inside this call; the interrupt of stop() ends it.
    while (running_)
        libusb_handle_events_completed(context_, nullptr);
}

int LIBUSB_CALL UsbHotplug::onHotplug(libusb_context*, libusb_device* device,
                                      libusb_hotplug_event event, void* self)
{
    auto* hotplug = static_cast<UsbHotplug*>(self);
    // libusb keeps the descriptor of a device that has left, too.
    libusb_device_descriptor descriptor;
    if (libusb_get_device_descriptor(device, &descriptor) != LIBUSB_SUCCESS)
        return 0;
    const int bus = libusb_get_bus_number(device);
    const int address = libusb_get_device_address(device);
    const QString paths[] = {
        devicePath(descriptor.idVendor, descriptor.idProduct, bus, address),
        interfacePath(descriptor.idVendor, descriptor.idProduct, bus, address),
    };
    for (const QString& path : paths) {
        if (event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED)
            emit hotplug->sigDeviceArrival(path);
        else
            emit hotplug->sigDeviceRemoveComplete(path);
    }
    return 0;  // stay registered
}
