// umockdev (GLib) first: Qt's keyword macros must not meet the gio headers.
#include <umockdev.h>

#include "SimKeyboard.h"

#include <QString>

#include <fcntl.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

namespace {

constexpr char kSysPath[] = "/sys/devices/kbdsim";
constexpr char kDevNode[] = "/dev/bus/usb/001/002";
constexpr uint8_t kInEndpoint = 0x81;

// Device descriptor, then configuration 1 with interface 0 (vendor class)
// and its two bulk endpoints of 64 bytes.
constexpr uint8_t kDescriptors[] = {
    0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x40, 0x0A, 0x08, 0xFF, 0x96, 0x00, 0x01, 0x00,
    0x00, 0x00, 0x01,                                      // device
    0x09, 0x02, 0x20, 0x00, 0x01, 0x01, 0x00, 0x80, 0x32,  // configuration
    0x09, 0x04, 0x00, 0x00, 0x02, 0xFF, 0x00, 0x00, 0x00,  // interface 0
    0x07, 0x05, 0x81, 0x02, 0x40, 0x00, 0x00,              // bulk IN 0x81
    0x07, 0x05, 0x01, 0x02, 0x40, 0x00, 0x00,              // bulk OUT 0x01
};

constexpr uint16_t kAnnounceCode = 0x0001;
constexpr uint16_t kKeyReportCode = 0x00AC;
constexpr int kFrameSize = 39;
constexpr int kPlaneSize = 32;
constexpr int kPage = 4096;

uint8_t Sum8(const uint8_t* data, int length)
{
    unsigned sum = 0;
    for (int i = 0; i < length; ++i)
        sum += data[i];
    return static_cast<uint8_t>(sum);
}

bool KeyBit(const uint8_t* plane, int key) { return plane[key / 8] & (1u << (key % 8)); }

bool IsPlaneCode(uint16_t code) { return (code >= 0x00B6 && code <= 0x00BD) || code == 0x00C0; }

// One URB of the host: the usbdevfs_urb in the host's memory and its buffer.
struct Urb {
    UMockdevIoctlData* urb = nullptr;
    UMockdevIoctlData* buffer = nullptr;

    usbdevfs_urb* fields() const { return reinterpret_cast<usbdevfs_urb*>(urb->data); }
    void release()
    {
        g_clear_object(&buffer);
        g_clear_object(&urb);
    }
};

// One open file of the device node. A client of an earlier plug-in talks to
// a device that is gone.
struct Client {
    int generation = 0;
    bool claimed = false;
    std::deque<Urb> waiting;  // IN URBs without data yet
    std::deque<Urb> finished;  // URBs to be reaped
};

}  // namespace

struct SimKeyboard::Private {
    UMockdevTestbed* testbed = nullptr;
    UMockdevIoctlBase* handler = nullptr;

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool plugged = false;
    int generation = 0;
    std::map<UMockdevIoctlClient*, Client> clients;

    // libusb sleeps in poll() until the device node is writable and then
    // reaps. The node is a FIFO that is kept full while the current plug-in
    // has nothing to reap; taking one page out of it wakes the host.
    int wakeFd = -1;
    bool awake = false;

    std::deque<QByteArray> inQueue;
    int readRequests = 0;
    QList<QByteArray> transfers;
    bool hostAnnounced = false;
    int badFrames = 0;
    std::map<uint16_t, QByteArray> planes;
    std::array<SimLamp, kKeyCount> lamps{};

    QString nodePath() const
    {
        // The testbed hands over a copy of its root directory's name.
        gchar* root = umockdev_testbed_get_root_dir(testbed);
        const QString path = QString::fromUtf8(root) + QLatin1String(kDevNode);
        g_free(root);
        return path;
    }

    bool reapable(const Client& c) const
    {
        return !c.finished.empty() || (!c.waiting.empty() && !inQueue.empty());
    }

    void updateWake()
    {
        bool want = false;
        for (const auto& entry : clients)
            want = want || (entry.second.generation == generation && reapable(entry.second));
        if (wakeFd < 0 || want == awake)
            return;
        char page[kPage] = {};
        // Page-sized writes and reads on a pipe are atomic: one page out frees
        // one slot (writable), one page in fills it again.
        const ssize_t moved = want ? read(wakeFd, page, kPage) : write(wakeFd, page, kPage);
        awake = want && moved == kPage;
    }

    void makeNode()
    {
        const QByteArray path = nodePath().toUtf8();
        unlink(path.constData());
        if (mkfifo(path.constData(), 0666) != 0) {
            perror("kbdsim: mkfifo");
            return;
        }
        wakeFd = open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        char page[kPage] = {};
        while (wakeFd >= 0 && write(wakeFd, page, kPage) == kPage) {
        }
        awake = false;
    }

    // The hosts of this plug-in lose the device: their URBs end as on a
    // disconnect and their node stays writable so that they reap them.
    void dropNode()
    {
        for (auto& entry : clients) {
            Client& c = entry.second;
            if (c.generation != generation)
                continue;
            for (Urb& u : c.waiting) {
                u.fields()->status = -ESHUTDOWN;
                u.fields()->actual_length = 0;
                c.finished.push_back(u);
            }
            c.waiting.clear();
            c.claimed = false;
        }
        if (wakeFd >= 0) {
            char page[kPage];
            while (read(wakeFd, page, kPage) > 0) {
            }
            close(wakeFd);
            wakeFd = -1;
        }
        unlink(nodePath().toUtf8().constData());
    }

    void applyFrame(const QByteArray& transfer)
    {
        const auto* f = reinterpret_cast<const uint8_t*>(transfer.constData());
        if (transfer.size() < kFrameSize || f[0] != 0xED || f[1] != 0xCB ||
            Sum8(f + 3, kFrameSize - 4) != f[kFrameSize - 1]) {
            ++badFrames;
            return;
        }
        const uint16_t code = static_cast<uint16_t>(f[4] | (f[5] << 8));
        const uint8_t* payload = f + 6;
        if (code == kAnnounceCode && payload[0] == 1)
            hostAnnounced = true;
        if (!IsPlaneCode(code))
            return;
        planes[code] = QByteArray(reinterpret_cast<const char*>(payload), kPlaneSize);
        const auto mark5 = planes.find(0x00C0);
        for (int key = 0; key < kKeyCount; ++key) {
            if (!KeyBit(payload, key))
                continue;
            SimLamp& lamp = lamps[static_cast<size_t>(key)];
            switch (code) {
            case 0x00BD: lamp.mode = SimLamp::Selected; continue;
            case 0x00BC: lamp.mode = SimLamp::Mark3; continue;
            case 0x00C0: lamp.mode = SimLamp::Mark5; continue;
            case 0x00B7: lamp.colorA = 0; break;
            case 0x00B6: lamp.colorA = 1; break;
            case 0x00B8: lamp.colorA = 2; break;
            case 0x00BA: lamp.colorB = 0; break;
            case 0x00B9: lamp.colorB = 1; break;
            case 0x00BB: lamp.colorB = 2; break;
            }
            const bool keepsMark5 =
                mark5 != planes.end() &&
                KeyBit(reinterpret_cast<const uint8_t*>(mark5->second.constData()), key);
            if (!(lamp.mode == SimLamp::Mark5 && keepsMark5))
                lamp.mode = SimLamp::Colours;
        }
    }

    // The ioctl's result for a request of the usbdevfs interface; -errno on failure.
    long handle(UMockdevIoctlClient* client, Client& c)
    {
        const gulong request = umockdev_ioctl_client_get_request(client);
        UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
        const bool gone = c.generation != generation || !plugged;

        if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY)
            return reap(arg, c, gone);
        if (gone)
            return -ENODEV;

        switch (request) {
        case USBDEVFS_GET_CAPABILITIES: {
            const uint32_t caps = USBDEVFS_CAP_BULK_CONTINUATION |
                                  USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_ZERO_PACKET;
            UMockdevIoctlData* out = umockdev_ioctl_data_resolve(arg, 0, sizeof caps, nullptr);
            if (!out)
                return -EFAULT;
            std::memcpy(out->data, &caps, sizeof caps);
            g_object_unref(out);
            return 0;
        }
        case USBDEVFS_GETDRIVER:
            return -ENODATA;  // no kernel driver bound
        case USBDEVFS_CLAIMINTERFACE:
        case USBDEVFS_RELEASEINTERFACE: {
            UMockdevIoctlData* number =
                umockdev_ioctl_data_resolve(arg, 0, sizeof(unsigned), nullptr);
            if (!number)
                return -EFAULT;
            unsigned interface = 0;
            std::memcpy(&interface, number->data, sizeof interface);
            g_object_unref(number);
            if (interface != 0)
                return -EINVAL;
            c.claimed = request == USBDEVFS_CLAIMINTERFACE;
            return 0;
        }
        case USBDEVFS_SUBMITURB:
            return submit(arg, c);
        case USBDEVFS_DISCARDURB:
            return discard(arg, c);
        case USBDEVFS_CLEAR_HALT:
        case USBDEVFS_RESETEP:
        case USBDEVFS_RESET:
        case USBDEVFS_SETINTERFACE:
        case USBDEVFS_SETCONFIGURATION:
            return 0;
        case USBDEVFS_CONTROL:
            return -EPIPE;  // no control requests beyond the descriptors in sysfs
        default:
            return -ENOTTY;
        }
    }

    long submit(UMockdevIoctlData* arg, Client& c)
    {
        Urb u;
        u.urb = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        if (!u.urb)
            return -EFAULT;
        usbdevfs_urb* urb = u.fields();
        const int length = urb->buffer_length;
        const bool in = urb->endpoint == kInEndpoint;
        if (urb->type != USBDEVFS_URB_TYPE_BULK || (!in && urb->endpoint != 0x01) || length <= 0) {
            u.release();
            return -EINVAL;
        }
        u.buffer = umockdev_ioctl_data_resolve(u.urb, offsetof(usbdevfs_urb, buffer),
                                               static_cast<gsize>(length), nullptr);
        if (!u.buffer) {
            u.release();
            return -EFAULT;
        }
        if (in) {
            ++readRequests;
            c.waiting.push_back(u);
            return 0;
        }
        const QByteArray written(reinterpret_cast<const char*>(u.buffer->data), length);
        transfers.append(written);
        applyFrame(written);
        urb->status = 0;
        urb->actual_length = length;
        c.finished.push_back(u);
        return 0;
    }

    long discard(UMockdevIoctlData* arg, Client& c)
    {
        gulong address = 0;
        std::memcpy(&address, arg->data, sizeof address);
        for (auto it = c.waiting.begin(); it != c.waiting.end(); ++it) {
            if (it->urb->client_addr != address)
                continue;
            it->fields()->status = -ENOENT;
            it->fields()->actual_length = 0;
            c.finished.push_back(*it);
            c.waiting.erase(it);
            return 0;
        }
        return -EINVAL;  // already done: the host reaps it as it is
    }

    // A finished URB first; otherwise the oldest waiting IN URB takes the
    // oldest queued packet. Filling at reap time means a packet is never lost
    // to an URB that the host is about to discard on its time-out.
    long reap(UMockdevIoctlData* arg, Client& c, bool gone)
    {
        Urb u;
        if (!c.finished.empty()) {
            u = c.finished.front();
            c.finished.pop_front();
        } else if (!gone && !c.waiting.empty() && !inQueue.empty()) {
            u = c.waiting.front();
            c.waiting.pop_front();
            const QByteArray packet = inQueue.front();
            inQueue.pop_front();
            const int length = std::min<int>(packet.size(), u.buffer->data_len);
            std::memcpy(u.buffer->data, packet.constData(), static_cast<size_t>(length));
            u.fields()->status = 0;
            u.fields()->actual_length = length;
        } else {
            return gone ? -ENODEV : -EAGAIN;
        }
        UMockdevIoctlData* slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
        const bool placed = slot && umockdev_ioctl_data_set_ptr(slot, 0, u.urb);
        if (slot)
            g_object_unref(slot);
        u.release();  // the reply now holds the URB until it is written back
        return placed ? 0 : -EFAULT;
    }

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self)
    {
        auto* p = static_cast<Private*>(self);
        long result;
        {
            std::lock_guard<std::mutex> lock(p->mutex);
            const auto it = p->clients.find(client);
            result = it == p->clients.end() ? -ENODEV : p->handle(client, it->second);
            p->updateWake();
        }
        p->changed.notify_all();
        umockdev_ioctl_client_complete(client, result < 0 ? -1 : result,
                                       result < 0 ? static_cast<int>(-result) : 0);
        return TRUE;
    }

    static void onConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self)
    {
        auto* p = static_cast<Private*>(self);
        {
            std::lock_guard<std::mutex> lock(p->mutex);
            p->clients[g_object_ref(client)].generation = p->generation;
        }
        g_signal_connect(client, "notify::connected", G_CALLBACK(onConnectionChanged), self);
    }

    static void onConnectionChanged(UMockdevIoctlClient* client, GParamSpec*, gpointer self)
    {
        if (umockdev_ioctl_client_get_connected(client))
            return;
        auto* p = static_cast<Private*>(self);
        {
            std::lock_guard<std::mutex> lock(p->mutex);
            const auto it = p->clients.find(client);
            if (it == p->clients.end())
                return;
            for (Urb& u : it->second.waiting)
                u.release();
            for (Urb& u : it->second.finished)
                u.release();
            p->clients.erase(it);
            p->updateWake();
        }
        g_signal_handlers_disconnect_by_data(client, self);
        g_object_unref(client);
        p->changed.notify_all();
    }
};

SimKeyboard::SimKeyboard() : d(std::make_unique<Private>())
{
    // Registering GTask starts GLib's worker thread. The ioctl handler would
    // do it on its own thread a moment after attaching; do it now, so that the
    // process's set of threads does not change behind a test's back.
    g_type_ensure(G_TYPE_TASK);
    d->testbed = umockdev_testbed_new();
    d->handler = umockdev_ioctl_base_new();
    g_signal_connect(d->handler, "handle-ioctl", G_CALLBACK(Private::onIoctl), d.get());
    g_signal_connect(d->handler, "client-connected", G_CALLBACK(Private::onConnected), d.get());
    GError* error = nullptr;
    if (!umockdev_testbed_attach_ioctl(d->testbed, kDevNode, d->handler, &error)) {
        fprintf(stderr, "kbdsim: cannot attach the ioctl handler: %s\n", error->message);
        g_error_free(error);
    }
}

SimKeyboard::~SimKeyboard()
{
    unplug();
    umockdev_testbed_detach_ioctl(d->testbed, kDevNode, nullptr);
    g_signal_handlers_disconnect_by_data(d->handler, d.get());
    {
        // Hosts still connected: forget them.
        std::lock_guard<std::mutex> lock(d->mutex);
        for (auto& entry : d->clients) {
            g_signal_handlers_disconnect_by_data(entry.first, d.get());
            for (Urb& u : entry.second.waiting)
                u.release();
            for (Urb& u : entry.second.finished)
                u.release();
            g_object_unref(entry.first);
        }
        d->clients.clear();
    }
    g_object_unref(d->handler);
    g_object_unref(d->testbed);
}

bool SimKeyboard::mockEnvironment()
{
    // umockdev_in_mock_environment() answers only once a test bed exists and
    // keeps its first answer, so look for the preload library instead.
    const char* preload = getenv("LD_PRELOAD");
    return preload && strstr(preload, "libumockdev-preload");
}

void SimKeyboard::plug()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (d->plugged)
        return;
    QByteArray record = QByteArrayLiteral(
        "P: /devices/kbdsim\n"
        "N: bus/usb/001/002\n"
        "E: SUBSYSTEM=usb\n"
        "E: DEVTYPE=usb_device\n"
        "E: DEVNAME=/dev/bus/usb/001/002\n"
        "E: BUSNUM=001\n"
        "E: DEVNUM=002\n"
        "E: PRODUCT=80a/96ff/100\n"
        "A: idVendor=080a\n"
        "A: idProduct=96ff\n"
        "A: busnum=1\n"
        "A: devnum=2\n"
        "A: speed=12\n"
        "A: bConfigurationValue=1\n"
        "A: bNumConfigurations=1\n"
        "A: dev=189:1\n"
        "H: descriptors=");
    record += QByteArray(reinterpret_cast<const char*>(kDescriptors), sizeof kDescriptors)
                  .toHex()
                  .toUpper();
    record += "\n\n";
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(d->testbed, record.constData(), &error)) {
        fprintf(stderr, "kbdsim: cannot add the device: %s\n", error->message);
        g_error_free(error);
        return;
    }
    // A keyboard plugged in starts dark and unannounced.
    d->hostAnnounced = false;
    d->planes.clear();
    d->lamps = {};
    ++d->generation;
    d->makeNode();
    d->plugged = true;
}

void SimKeyboard::unplug()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (!d->plugged)
            return;
        d->plugged = false;
        d->dropNode();
        // Hot-plug listeners (libusb's among them) learn of it from the uevent.
        umockdev_testbed_uevent(d->testbed, kSysPath, "remove");
        umockdev_testbed_remove_device(d->testbed, kSysPath);
        d->inQueue.clear();
    }
    d->changed.notify_all();
}

bool SimKeyboard::isPlugged() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->plugged;
}

bool SimKeyboard::isClaimed() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    for (const auto& entry : d->clients) {
        if (entry.second.generation == d->generation && entry.second.claimed && d->plugged)
            return true;
    }
    return false;
}

QByteArray SimKeyboard::keyReport(const QVector<int>& keysDown)
{
    QByteArray report(10, '\0');
    for (int key : keysDown) {
        if (key >= 0 && key < kKeyCount)
            report[key / 8] = static_cast<char>(report[key / 8] | (1 << (key % 8)));
    }
    return report;
}

QByteArray SimKeyboard::frame(uint16_t code, const QByteArray& data)
{
    const int n = std::min(data.size(), 255);
    QByteArray f(n + 8, '\0');
    auto* b = reinterpret_cast<uint8_t*>(f.data());
    b[0] = 0xED;
    b[1] = 0xCB;
    b[2] = 0x28;
    b[3] = 0x38;
    b[4] = static_cast<uint8_t>(code);
    b[5] = static_cast<uint8_t>(code >> 8);
    b[6] = static_cast<uint8_t>(n);
    std::memcpy(b + 7, data.constData(), static_cast<size_t>(n));
    b[7 + n] = Sum8(b + 3, n + 4);
    return f;
}

void SimKeyboard::sendKeys(const QVector<int>& keysDown)
{
    sendFrame(kKeyReportCode, keyReport(keysDown));
}

void SimKeyboard::sendFrame(uint16_t code, const QByteArray& data)
{
    QByteArray packet = frame(code, data).left(kPacketSize);
    packet.append(QByteArray(kPacketSize - packet.size(), '\0'));
    sendPacket(packet);
}

void SimKeyboard::sendPacket(const QByteArray& packet)
{
    if (packet.isEmpty() || packet.size() > kPacketSize)
        return;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (!d->plugged)
            return;
        d->inQueue.push_back(packet);
        d->updateWake();
    }
    d->changed.notify_all();
}

int SimKeyboard::pendingPackets() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return static_cast<int>(d->inQueue.size());
}

int SimKeyboard::readRequests() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->readRequests;
}

bool SimKeyboard::waitUntilRead(int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [this] { return d->inQueue.empty(); });
}

QList<QByteArray> SimKeyboard::transfers() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->transfers;
}

int SimKeyboard::transferCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->transfers.size();
}

bool SimKeyboard::waitForTransfers(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [this, count] { return d->transfers.size() >= count; });
}

void SimKeyboard::clearTransfers()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->transfers.clear();
}

bool SimKeyboard::hostAnnounced() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->hostAnnounced;
}

int SimKeyboard::badFrames() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->badFrames;
}

QByteArray SimKeyboard::plane(uint16_t code) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    const auto it = d->planes.find(code);
    return it == d->planes.end() ? QByteArray() : it->second;
}

SimLamp SimKeyboard::lamp(int key) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return key >= 0 && key < kKeyCount ? d->lamps[static_cast<size_t>(key)] : SimLamp();
}
