#include "MiddleHandler.h"

#include "CoreBroadcastUdp.h"
#include "CoreNetWorkUDP.h"
#include "DeviceLog.h"
#include "ReplyDecoder.h"
#include "SyncTcpClient.h"
#include "SyncUSBport.h"

#include <QMetaType>
#include <QThread>
#include <algorithm>
#include <cstring>

namespace {

std::mutex g_instanceMutex;
std::atomic<MiddleHandler*> g_instance{nullptr};

constexpr int kMaxResends = 3;

// The inquiry of a device's whole configuration; the device ends its answer
// with a reply of the same code.
constexpr uint16_t kInquireAllCode = 0x0600;

}  // namespace

MiddleHandler* MiddleHandler::GetInstance()
{
    MiddleHandler* instance = g_instance.load(std::memory_order_acquire);
    if (instance)
        return instance;
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    instance = g_instance.load(std::memory_order_relaxed);
    if (!instance) {
        instance = new MiddleHandler;
        g_instance.store(instance, std::memory_order_release);
    }
    return instance;
}

MiddleHandler::MiddleHandler()
    : QObject(nullptr),
      tcp_(std::make_unique<SyncTcpClient>()),
      unicast_(std::make_unique<CoreNetWorkUDP>()),
      broadcast_(std::make_unique<CoreBroadcastUdp>()),
      usb_(std::make_unique<SyncUSBport>())
{
    qRegisterMetaType<VerInfo_Enum>("VerInfo_Enum");
    InitFallbackRecord(fallback_);
    SetBroadcastRemote(QStringLiteral("255.255.255.255"), kDevicePort);

    // Replies arrive as batches: all that a transport received since this
    // thread last came round to it.
    connect(unicast_.get(), SIGNAL(sigReadBatch(DatagramBatch)), this,
            SLOT(On_ReadBatch(DatagramBatch)));
    connect(broadcast_.get(), SIGNAL(sigBroadcastReadBatch(DatagramBatch)), this,
            SLOT(On_ReadBatch(DatagramBatch)));
    connect(usb_.get(), SIGNAL(sigUsbReadData(QByteArray)), this, SLOT(On_ReadUsbData(QByteArray)));
    connect(tcp_.get(), SIGNAL(sigRecvData(QByteArray, QString)), this,
            SLOT(On_TcpReadData(QByteArray, QString)));

    StartSendThread();
}

MiddleHandler::~MiddleHandler()
{
    ShutdownForTest();
}

void MiddleHandler::ShutdownForTest()
{
    EndReadBack();
    StopSendThread();
    unicast_->closePort();
    broadcast_->closePort();
    usb_->closeDevice();
    tcp_->closeConnection();
}

void MiddleHandler::ResetForTest()
{
    EndReadBack();
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        ResetSenderLocked();
    }
    devices_.Clear();
    unicast_->closePort();
    broadcast_->closePort();
    tcp_->setTimeouts(SyncTcpClient::kConnectTimeoutMs, SyncTcpClient::kStallTimeoutMs);
    SetBroadcastRemote(QStringLiteral("255.255.255.255"), kDevicePort);
}

// ---------------------------------------------------------------------------
// Send queues

void MiddleHandler::ClearQueuesLocked()
{
    shortReadPos_ = shortWritePos_ = 0;
    longReadPos_ = longWritePos_ = 0;
    std::fill(std::begin(queue_.shortPending), std::end(queue_.shortPending), 0);
    std::fill(std::begin(queue_.longPending), std::end(queue_.longPending), 0);
}

void MiddleHandler::ResetSenderLocked()
{
    ClearQueuesLocked();
    ready_ = 1;
    timedOut_ = 0;
    resendCount_ = 0;
    lastSend_ = Clock::time_point();
}

void MiddleHandler::EnqueueShortFrame(uint16_t code, const uint8_t* payload, const QString& target,
                                      uint8_t headerA, uint8_t headerB)
{
    if (target.isEmpty()) {
        // Nothing could acknowledge it, and its give-up would empty both queues.
        DeviceLog("No device selected: frame 0x%04X not queued", code);
        return;
    }
    std::lock_guard<std::mutex> lock(queueMutex_);
    // The first frame after a give-up starts the sender afresh; the give-up
    // has emptied both queues already.
    if (timedOut_)
        ResetSenderLocked();
    const int slot = shortWritePos_;
    if (queue_.shortPending[slot])
        return;  // the queue is full: the frame is dropped
    queue_.shortFrame[slot] = BuildShortFrame(code, payload, headerA, headerB);
    queue_.shortTarget[slot] = target;
    queue_.shortSent[slot] = 0;
    queue_.shortPending[slot] = 1;
    shortWritePos_ = (slot + 1) % SendQueue::kShortSlots;
    WakeSenderLocked();
    if (code == kInquireAllCode) {
        if (QThread::currentThread() == thread())
            BeginReadBack(target);
        else
            QMetaObject::invokeMethod(this, [this, target] { BeginReadBack(target); });
    }
}

void MiddleHandler::BeginReadBack(const QString& ip)
{
    if (!readBackTimer_) {
        readBackTimer_ = new QTimer(this);
        readBackTimer_->setSingleShot(true);
        connect(readBackTimer_, &QTimer::timeout, this, &MiddleHandler::ReadBackTimeout);
    }
    // Another device's read-back in the middle ends the wait for the first's.
    readBackUnderWay_ = true;
    readBackIp_ = ip;
    readBackLastReply_.start();
    readBackTimer_->start(kReadBackQuietMs);
}

// One timer per read-back, not one restart per reply: when it runs out while
// replies still come, it is set again for the rest of the quiet time.
void MiddleHandler::ReadBackTimeout()
{
    if (!readBackUnderWay_)
        return;
    const qint64 quiet = readBackLastReply_.elapsed();
    if (quiet < kReadBackQuietMs) {
        readBackTimer_->start(int(kReadBackQuietMs - quiet));
        return;
    }
    DeviceLog("Read-back of %s: no end after %d ms of quiet", qPrintable(readBackIp_),
              kReadBackQuietMs);
    EndReadBack();
}

void MiddleHandler::EndReadBack()
{
    if (!readBackUnderWay_)
        return;
    readBackUnderWay_ = false;
    readBackIp_.clear();
    if (readBackTimer_)
        readBackTimer_->stop();
    emit SigReadBackDone();
}

void MiddleHandler::EnqueueLongFrame(uint16_t code, const uint8_t* area, uint8_t count,
                                     const QString& target)
{
    if (target.isEmpty()) {
        DeviceLog("No device selected: batch frame 0x%04X not queued", code);
        return;
    }
    std::lock_guard<std::mutex> lock(queueMutex_);
    if (timedOut_)
        ResetSenderLocked();
    const int slot = longWritePos_;
    if (queue_.longPending[slot])
        return;
    queue_.longFrame[slot] = BuildLongFrame(code, area, count);
    queue_.longTarget[slot] = target;
    queue_.longSent[slot] = 0;
    queue_.longPending[slot] = 1;
    longWritePos_ = (slot + 1) % SendQueue::kLongSlots;
    WakeSenderLocked();
}

void MiddleHandler::StartSendThread()
{
    if (sender_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        ResetSenderLocked();
        wakePending_ = false;
    }
    running_ = true;
    sender_ = std::thread(&MiddleHandler::SendThreadProc, this);
}

void MiddleHandler::StopSendThread()
{
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        running_ = false;
        WakeSenderLocked();
    }
    if (sender_.joinable())
        sender_.join();
}

void MiddleHandler::WakeSenderLocked()
{
    wakePending_ = true;
    senderWake_.notify_one();
}

void MiddleHandler::SetClockForTest(std::function<Clock::time_point()> clock)
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    clock_ = std::move(clock);
}

MiddleHandler::Clock::time_point MiddleHandler::NowLocked() const
{
    return clock_ ? clock_() : Clock::now();
}

// The sender sleeps until its next step is due: the end of the pacing gap, the
// end of the acknowledgement wait, or a wake-up by an enqueue, an
// acknowledgement or a search broadcast. Idle, it does not wake at all.
void MiddleHandler::SendThreadProc()
{
    while (running_) {
        const Clock::time_point due = SendProcess();
        std::unique_lock<std::mutex> lock(queueMutex_);
        auto woken = [this] { return wakePending_ || !running_; };
        if (due == Clock::time_point::max())
            senderWake_.wait(lock, woken);
        else
            senderWake_.wait_until(lock, due, woken);
        wakePending_ = false;
    }
}

MiddleHandler::Clock::time_point MiddleHandler::SendProcess()
{
    QByteArray frame;
    QString target;
    const char* logLine = nullptr;
    Clock::time_point due = Clock::time_point::max();
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        const Clock::time_point now = NowLocked();
        const auto ackTimeout = std::chrono::milliseconds(ackTimeoutMs_.load());
        if (ready_) {
            const bool shortWaiting = queue_.shortPending[shortReadPos_];
            const bool longWaiting = queue_.longPending[longReadPos_];
            if (!shortWaiting && !longWaiting)
                return due;  // idle until something is queued
            // At most one frame per pacing step goes to the devices.
            const Clock::time_point paced = lastSend_ + std::chrono::milliseconds(pacingMs_.load());
            if (now < paced)
                return paced;
            if (shortWaiting) {
                const ShortFrame& f = queue_.shortFrame[shortReadPos_];
                frame = QByteArray(reinterpret_cast<const char*>(f.data()), int(f.size()));
                target = queue_.shortTarget[shortReadPos_];
                queue_.shortSent[shortReadPos_] = 1;
            } else {
                const LongFrame& f = queue_.longFrame[longReadPos_];
                frame = QByteArray(reinterpret_cast<const char*>(f.data()), int(f.size()));
                target = queue_.longTarget[longReadPos_];
                queue_.longSent[longReadPos_] = 1;
            }
            ready_ = 0;
            lastSend_ = now;
            ++sentFrames_;
            // "More than" the wait: the step after it is the one that resends.
            due = now + ackTimeout + std::chrono::milliseconds(1);
        } else if (now - lastSend_ > ackTimeout) {
            ++resendCount_;
            if (resendCount_ <= kMaxResends) {
                logLine = "Resend the command \n";
                ready_ = 1;
                due = now;  // the frame at the read position goes out again
            } else {
                logLine = "The Network is TimeOut\n";
                resendCount_ = 0;
                lastSend_ = now;
                ready_ = 0;
                timedOut_ = 1;
                ClearQueuesLocked();
                due = now + ackTimeout + std::chrono::milliseconds(1);
            }
        } else {
            due = lastSend_ + ackTimeout + std::chrono::milliseconds(1);
        }
    }
    // Logged and sent outside the queue's mutex: neither may hold up the GUI
    // thread's enqueues and acknowledgements.
    if (logLine)
        DeviceLog("%s", logLine);
    if (!frame.isEmpty()) {
        // Target and send are one step of the transport: a selection on the
        // GUI thread cannot redirect this frame. An unsent frame times out
        // like an unacknowledged one.
        unicast_->sendDataTo(target, kDevicePort, frame);
    }
    return due;
}

void MiddleHandler::HandleAck(const uint8_t* payload, const QString& ip)
{
    const uint8_t checksum = payload[0];
    const uint16_t code = ReadLe16(payload + 1);
    std::lock_guard<std::mutex> lock(queueMutex_);
    // Only the device the frame went to may free its slot, and only once the
    // frame has gone out: a repeated or late acknowledgement of an earlier,
    // identical frame must not free the next one before it is ever sent.
    const ShortFrame& s = queue_.shortFrame[shortReadPos_];
    if (queue_.shortPending[shortReadPos_] && queue_.shortSent[shortReadPos_] &&
        ReadLe16(&s[4]) == code && s[38] == checksum && queue_.shortTarget[shortReadPos_] == ip) {
        queue_.shortPending[shortReadPos_] = 0;
        shortReadPos_ = (shortReadPos_ + 1) % SendQueue::kShortSlots;
    } else {
        const LongFrame& l = queue_.longFrame[longReadPos_];
        if (!(queue_.longPending[longReadPos_] && queue_.longSent[longReadPos_] &&
              ReadLe16(&l[8]) == code && l[1358] == checksum &&
              queue_.longTarget[longReadPos_] == ip))
            return;
        queue_.longPending[longReadPos_] = 0;
        longReadPos_ = (longReadPos_ + 1) % SendQueue::kLongSlots;
    }
    ready_ = 1;
    resendCount_ = 0;
    WakeSenderLocked();
}

bool MiddleHandler::IsTimedOut() const
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    return timedOut_;
}

int MiddleHandler::ResendCount() const
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    return resendCount_;
}

quint64 MiddleHandler::SentFrameCount() const
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    return sentFrames_;
}

int MiddleHandler::PendingShortFrames() const
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    return int(std::count(std::begin(queue_.shortPending), std::end(queue_.shortPending), 1));
}

int MiddleHandler::PendingLongFrames() const
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    return int(std::count(std::begin(queue_.longPending), std::end(queue_.longPending), 1));
}

// ---------------------------------------------------------------------------
// Immediate sends

void MiddleHandler::SendBroadcastFrame(uint16_t code, const uint8_t* payload, uint8_t headerA,
                                       uint8_t headerB)
{
    const ShortFrame f = BuildShortFrame(code, payload, headerA, headerB);
    broadcast_->sendData(QByteArray(reinterpret_cast<const char*>(f.data()), int(f.size())));
}

void MiddleHandler::SendBroadcastCommand(uint16_t code, const uint8_t* payload, const QString&)
{
    if (code == 0x0580 || code == 0x0581) {
        SendBroadcastFrame(code, payload, Frame::kHeaderA, Frame::kHeaderB);
    } else if (code == kSearchCode) {
        SendBroadcastFrame(code, payload, Frame::kHeaderA, Frame::kHeaderB);
        QTimer::singleShot(inquiryDelayMs_, this, SLOT(On_InquireTimer()));
        // A frame awaiting its acknowledgement goes out again at the next
        // step, without counting as a resend.
        std::lock_guard<std::mutex> lock(queueMutex_);
        ready_ = 1;
        resendCount_ = 0;
        WakeSenderLocked();
    }
}

bool MiddleHandler::SendUsbFrame(uint16_t code, const uint8_t* data, int length)
{
    const UsbTransfer t = BuildUsbTransfer(code, data, length);
    return usb_->writePacket(t.data(), int(t.size()));
}

// ---------------------------------------------------------------------------
// Pass-through to the transports

bool MiddleHandler::OpenUnicastPort(const QString& localIp, quint16 port)
{
    return unicast_->openPort(localIp, port);
}

bool MiddleHandler::OpenBroadcastPort(const QString& localIp, quint16 port)
{
    devices_.Clear();
    // A publication still due belongs to the list just emptied.
    if (publishTimer_)
        publishTimer_->stop();
    return broadcast_->openPort(localIp, port);
}

bool MiddleHandler::SetUnicastRemote(const QString& ip, quint16 port)
{
    return unicast_->setRemote(ip, port);
}

bool MiddleHandler::SetBroadcastRemote(const QString& ip, quint16 port)
{
    return broadcast_->setRemote(ip, port);
}

QString MiddleHandler::GetBroadcastLocalIp() const
{
    return broadcast_->localIp();
}

QString MiddleHandler::GetBroadcastRemoteIp() const
{
    return broadcast_->remoteIp();
}

bool MiddleHandler::OpenUsbPort(quint16 vendorId, quint16 productId)
{
    usb_->closeDevice();
    return usb_->openDevice(vendorId, productId);
}

void MiddleHandler::CloseUsbPort()
{
    usb_->closeDevice();
}

bool MiddleHandler::ConnectTcp(const QString& ip, quint16 port)
{
    return tcp_->connectTo(ip, port);
}

void MiddleHandler::DisconnectTcp()
{
    tcp_->closeConnection();
}

bool MiddleHandler::SendTcpData(const uint8_t* data, int length)
{
    if (length < 0)
        return false;
    return tcp_->sendData(QByteArray(reinterpret_cast<const char*>(data), length));
}

void MiddleHandler::SetTcpTimeouts(int connectMs, int stallMs)
{
    tcp_->setTimeouts(connectMs, stallMs);
}

void MiddleHandler::On_TcpReadData(QByteArray, QString)
{
    // The video board's answers during an upgrade carry nothing we act on.
}

// ---------------------------------------------------------------------------
// Device list

void MiddleHandler::SelectMachine(const QString& ip)
{
    devices_.SelectMachine(ip);
    // The main window shows the selected device's sync lock: the newly
    // selected one's next status frame must not wait as a repeat.
    unicast_->forgetRepeats();
    broadcast_->forgetRepeats();
    // The pages now show another record: they wait for no other device.
    if (readBackUnderWay_ && ip != readBackIp_)
        EndReadBack();
}

MData* MiddleHandler::GetCurrentMData()
{
    MData* current = devices_.CurrentMData();
    return current ? current : &fallback_;
}

QString MiddleHandler::GetCurrentIp() const
{
    return devices_.CurrentIp();
}

MData* MiddleHandler::FindMDataByIp(const QString& ip, bool* selected)
{
    return devices_.FindMDataByIp(ip, selected);
}

QString MiddleHandler::GetCurrentEthIp() const
{
    return devices_.CurrentEthIp();
}

int MiddleHandler::GetMachineCount() const
{
    return devices_.Count();
}

void MiddleHandler::On_InquireTimer()
{
    SortMachineList();
}

void MiddleHandler::SortMachineList()
{
    lastSortMs_ = DeviceList::NowMs();
    if (publishTimer_)
        publishTimer_->stop();
    // The interfaces are asked here, not under the list's mutex.
    const LocalNetmasks locals = LocalInterfaceNetmasks();
    DeviceList::Outbox outbox;
    devices_.SortMachineList(GetBroadcastLocalIp(), locals, lastSortMs_, outbox);
    Carry(outbox);
}

// Carries out what the list decided, outside its mutex: listeners of
// SigMachineIPEvent select a device and send at once.
void MiddleHandler::Carry(DeviceList::Outbox& outbox)
{
    for (const QString& line : outbox.log)
        DeviceLog("%s", qPrintable(line));
    for (const Payload& request : outbox.setIpRequests)
        SendBroadcastFrame(kSetIpCode, request.data(), Frame::kHeaderA, Frame::kHeaderB);
    if (!outbox.setIpRequests.empty())
        ArmSetIpRepeat();
    for (DeviceList::Announcement& a : outbox.announcements) {
        if (a.ip.isEmpty())
            emit SigMachineIPEvent(QString(), nullptr, QString());
        else
            emit SigMachineIPEvent(a.ip, a.mac.data(), a.ethIp);
    }
}

void MiddleHandler::HandleDiscovery(uint16_t code, const uint8_t* payload)
{
    const QString localIp = GetBroadcastLocalIp();
    if (!devices_.HandleDiscoveryReply(code, payload, localIp))
        return;
    // An announcement: answer the device directly with our search frame, then
    // aim the broadcasts at everyone again, and publish.
    SetBroadcastRemote(Ipv4Text(payload + 9), kDevicePort);
    Payload search;
    search.set8(0, 0xFF);
    const auto octets = Ipv4Octets(localIp);
    for (int i = 0; i < 4; ++i)
        search.set8(1 + i, octets[size_t(i)]);
    SendBroadcastFrame(kSearchCode, search.data(), Frame::kHeaderA, Frame::kHeaderB);
    SetBroadcastRemote(QStringLiteral("255.255.255.255"), kDevicePort);
    PublishSoon();
}

void MiddleHandler::HandleSetIpConfirmation(const uint8_t* payload)
{
    DeviceList::Outbox outbox;
    devices_.HandleSetIpConfirmation(payload, outbox);
    Carry(outbox);
}

// ---------------------------------------------------------------------------
// Discovery: coalesced publishing and set-IP repeats

QTimer* MiddleHandler::DiscoveryTimer(QTimer*& timer, void (MiddleHandler::*handler)())
{
    if (!timer) {
        timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, handler);
    }
    return timer;
}

// The first announcement after a quiet spell is published at once; the rest
// of a burst waits for the end of the gap, so that a flood of announcements
// costs one sort and one publication per kPublishGapMs.
void MiddleHandler::PublishSoon()
{
    QTimer* timer = DiscoveryTimer(publishTimer_, &MiddleHandler::PublishDue);
    if (timer->isActive())
        return;
    const int64_t since = DeviceList::NowMs() - lastSortMs_;
    if (lastSortMs_ < 0 || since >= kPublishGapMs) {
        SortMachineList();
        return;
    }
    timer->start(int(kPublishGapMs - since));
}

void MiddleHandler::PublishDue()
{
    // The list emptied meanwhile (a new search step): nothing is due.
    if (devices_.Count() > 0)
        SortMachineList();
}

void MiddleHandler::ArmSetIpRepeat()
{
    QTimer* timer = DiscoveryTimer(setIpTimer_, &MiddleHandler::RepeatSetIpRequests);
    const int64_t due = devices_.NextSetIpRepeatMs();
    if (due < 0) {
        timer->stop();
        return;
    }
    timer->start(int(std::max<int64_t>(0, due - DeviceList::NowMs())));
}

void MiddleHandler::RepeatSetIpRequests()
{
    DeviceList::Outbox outbox;
    devices_.RepeatSetIpRequests(DeviceList::NowMs(), outbox);
    Carry(outbox);
    ArmSetIpRepeat();
}

// ---------------------------------------------------------------------------
// Receive path

void MiddleHandler::On_ReadData(QByteArray data, QString IpAddr)
{
    ParseNetData(reinterpret_cast<const uint8_t*>(data.constData()), data.size(), IpAddr);
}

void MiddleHandler::On_ReadBatch(DatagramBatch batch)
{
    const int64_t outer = receivedMs_;
    for (const Datagram& d : batch) {
        receivedMs_ = d.receivedMs;
        ParseNetData(reinterpret_cast<const uint8_t*>(d.data.constData()), d.data.size(), d.sender);
    }
    receivedMs_ = outer;
}

int64_t MiddleHandler::ReceivedAtMs() const
{
    return receivedMs_ >= 0 ? receivedMs_ : DeviceList::NowMs();
}

void MiddleHandler::TakeWaitingDatagrams()
{
    unicast_->deliverPending();
    broadcast_->deliverPending();
}

void MiddleHandler::ParseNetData(const uint8_t* data, int length, const QString& ip)
{
    int p = 0;
    while (p < length) {
        const int left = length - p;
        if (left >= 2 && data[p] == Frame::kShortSync0 && data[p + 1] == Frame::kShortSync1) {
            if (left < Frame::kShortSize)
                return;
            const uint8_t* f = data + p;
            p += Frame::kShortSize;
            if (VerifyChecksum(f, Frame::kShortSize - 1, f[Frame::kShortSize - 1]))
                DispatchCommand(f + Frame::kPayloadOffset, ReadLe16(f + 4), Frame::kPayloadSize, ip);
            else
                DeviceLog("chech Sum Error\n");
        } else if (left >= int(Frame::kLongSync.size()) &&
                   std::equal(Frame::kLongSync.begin(), Frame::kLongSync.end(), data + p)) {
            if (left < Frame::kLongSize)
                return;
            const uint8_t* f = data + p;
            p += Frame::kLongSize;
            if (VerifyChecksum(f, Frame::kLongSize - 1, f[Frame::kLongSize - 1]))
                GetLongCommandParam(f + 8, Frame::kLongSize - 8, ip);
            else
                DeviceLog("chech Sum Error\n");
        } else {
            ++p;
        }
    }
}

void MiddleHandler::GetLongCommandParam(const uint8_t* batch, int available, const QString& ip)
{
    // batch points at the code; the area starts 6 bytes later.
    constexpr int kAreaFromCode = Frame::kLongAreaOffset - 8;
    if (available < kAreaFromCode + Frame::kLongAreaSize || ReadLe16(batch) != Frame::kBatchCode)
        return;
    const int count = batch[2];
    DeviceLog("GetLongCommandParam B_Frac_Num:%d", count);
    const int span = std::min(count * Frame::kShortSize, Frame::kLongAreaSize);
    ParseNetData(batch + kAreaFromCode, span, ip);
}

void MiddleHandler::On_ReadUsbData(QByteArray data)
{
    ParseUsbData(reinterpret_cast<const uint8_t*>(data.constData()), data.size());
}

void MiddleHandler::ParseUsbData(const uint8_t* data, int length)
{
    int p = 0;
    while (p < length) {
        if (length - p >= 2 && data[p] == Frame::kShortSync0 && data[p + 1] == Frame::kShortSync1) {
            if (p + 6 >= length)
                return;
            const int n = data[p + 6];
            if (p + n + 8 > length)
                return;
            const uint8_t* f = data + p;
            p += n + 8;
            if (VerifyChecksum(f + 3, n + 4, f[n + 7]))
                DispatchUsbCommand(f + 7, ReadLe16(f + 4), n);
            else
                DeviceLog("chech Sum Error\n");
        } else {
            ++p;
        }
    }
}

void MiddleHandler::DispatchUsbCommand(const uint8_t* data, uint16_t code, int length)
{
    if (code == Frame::kKeyReportCode)
        EmitUsbNormalToPc(data, length);
}

void MiddleHandler::EmitUsbNormalToPc(const uint8_t* data, int length)
{
    emit SigUsbNormalToPc(QByteArray(reinterpret_cast<const char*>(data), length));
}

void MiddleHandler::DispatchCommand(const uint8_t* payload, uint16_t code, int, const QString& ip)
{
    if (code != 0x0500)
        DeviceLog("CommandType:%x IPAddr:%s", code, qPrintable(ip));

    switch (code) {
    case Frame::kAckCode:
        HandleAck(payload, ip);
        return;
    case kSearchCode:
    case kAnnounceCode:
        HandleDiscovery(code, payload);
        return;
    case kSetIpCode:
        HandleSetIpConfirmation(payload);
        return;
    default:
        break;
    }
    if (!IsDataReplyCode(code))
        return;

    bool selected = false;
    MData* record = FindMDataByIp(ip, &selected);
    const bool readBackReply = readBackUnderWay_ && ip == readBackIp_;
    if (readBackReply)
        readBackLastReply_.start();
    if (record) {
        const RefreshEvents events = DecodeReply(code, payload, *record, fallback_);
        if (selected)
            for (const RefreshEvent& e : events)
                EmitRefresh(e);
        // The device's end of its answer; the pages' redraws follow it.
        if (readBackReply && readBackUnderWay_)
            for (const RefreshEvent& e : events)
                if (e.signal == Refresh::RequstCmdEnd) {
                    EndReadBack();
                    break;
                }
    }
    if (RaisesHeartbeat(code))
        emit SigHpsEvent(ip);
}

void MiddleHandler::EmitRefresh(const RefreshEvent& e)
{
    switch (e.signal) {
    case Refresh::RequstCmdEnd: emit SigUIRefreshRequstCmdEnd(); break;
    case Refresh::AllCfg: emit SigUIRefreshAllCfg(); break;
    case Refresh::Freeze: emit SigUIRefreshFreeze(); break;
    case Refresh::PresetValid: emit SigUiRefreshPresetValid(); break;
    case Refresh::PresetOPResult: emit SigUiRefreshPresetOPResult(e.arg1); break;
    case Refresh::InputCfg: emit SigUIRefreshInputCfg(); break;
    case Refresh::InputSignal: emit SigUIRefreshInputSignal(e.arg1, e.arg2); break;
    case Refresh::InputCrop: emit SigUIRefreshInputCrop(e.arg1, e.arg2); break;
    case Refresh::InputEdid: emit SigUIRefreshInputEdid(e.arg1, e.arg2); break;
    case Refresh::InputTile: emit SigUIRefreshInputTile(); break;
    case Refresh::OutputReso: emit SigUIRefreshOutputReso(); break;
    case Refresh::OutputWindow: emit SigUIRefreshOutputWindow(e.arg1); break;
    case Refresh::OutputHdmiSetting: emit SigUIRefreshOutputHdmiSetting(e.arg1); break;
    case Refresh::LayerData: emit SigUIRefreshLayerData(e.arg1); break;
    case Refresh::PictureData: emit SigUIRefreshPictureData(e.arg1); break;
    case Refresh::LayerZoomData: emit SigUIRefreshLayerZoomData(e.arg1); break;
    case Refresh::LayerChromaKey: emit SigUIRefreshLayerChromaKey(e.arg1); break;
    case Refresh::TakeData: emit SigUIRefreshTakeData(); break;
    case Refresh::TakeStatus: emit SigUiRefreshTakeStatus(e.arg1); break;
    case Refresh::MachineVer: emit SigUIRefreshMachineVer(static_cast<VerInfo_Enum>(e.arg1)); break;
    case Refresh::MachineElectric: emit SigUIRefreshMachineElectric(); break;
    case Refresh::LogoData: emit SigUIRefreshLogoData(e.arg1); break;
    case Refresh::TestPattern: emit SigUIRefreshTestPattern(e.arg1, e.arg2); break;
    case Refresh::ResetFactory: emit SigUIRefreshResetFactory(e.arg1); break;
    case Refresh::TaskData: emit SigUIRefreshTaskData(); break;
    case Refresh::SyncLock: emit SigUIRefreshSyncLock(e.arg1); break;
    case Refresh::HDRStatus: emit SigUIRefreshHDRStatus(e.arg1); break;
    case Refresh::IpBoardVideoFormat: emit SigIpBoardVideoFormat(e.arg1); break;
    }
}
