#include "MiddleHandler.h"

#include "CoreBroadcastUdp.h"
#include "CoreNetWorkUDP.h"
#include "DeviceLog.h"
#include "ReplyDecoder.h"
#include "SyncTcpClient.h"
#include "SyncUSBport.h"

#include <QMetaType>
#include <algorithm>
#include <cstring>

namespace {

std::mutex g_instanceMutex;
std::atomic<MiddleHandler*> g_instance{nullptr};

constexpr int kSenderTickMs = 10;
constexpr int kMaxResends = 3;

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

    connect(unicast_.get(), SIGNAL(sigReadData(QByteArray, QString)), this,
            SLOT(On_ReadData(QByteArray, QString)));
    connect(broadcast_.get(), SIGNAL(sigBroadcastReadData(QByteArray, QString)), this,
            SLOT(On_ReadData(QByteArray, QString)));
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
    StopSendThread();
    unicast_->closePort();
    broadcast_->closePort();
    usb_->closeDevice();
    tcp_->closeConnection();
}

void MiddleHandler::ResetForTest()
{
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        ResetSenderLocked();
    }
    devices_.Clear();
    unicast_->closePort();
    broadcast_->closePort();
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
    queue_.shortPending[slot] = 1;
    shortWritePos_ = (slot + 1) % SendQueue::kShortSlots;
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
    queue_.longPending[slot] = 1;
    longWritePos_ = (slot + 1) % SendQueue::kLongSlots;
}

void MiddleHandler::StartSendThread()
{
    if (sender_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        ResetSenderLocked();
    }
    running_ = true;
    sender_ = std::thread(&MiddleHandler::SendThreadProc, this);
}

void MiddleHandler::StopSendThread()
{
    running_ = false;
    if (sender_.joinable())
        sender_.join();
}

void MiddleHandler::SendThreadProc()
{
    while (running_) {
        SendProcess();
        std::this_thread::sleep_for(std::chrono::milliseconds(kSenderTickMs));
    }
}

void MiddleHandler::SendProcess()
{
    QByteArray frame;
    QString target;
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        const auto now = std::chrono::steady_clock::now();
        if (ready_) {
            if (queue_.shortPending[shortReadPos_]) {
                const ShortFrame& f = queue_.shortFrame[shortReadPos_];
                frame = QByteArray(reinterpret_cast<const char*>(f.data()), int(f.size()));
                target = queue_.shortTarget[shortReadPos_];
            } else if (queue_.longPending[longReadPos_]) {
                const LongFrame& f = queue_.longFrame[longReadPos_];
                frame = QByteArray(reinterpret_cast<const char*>(f.data()), int(f.size()));
                target = queue_.longTarget[longReadPos_];
            } else {
                return;
            }
            ready_ = 0;
            lastSend_ = now;
        } else if (now - lastSend_ > std::chrono::milliseconds(ackTimeoutMs_.load())) {
            ++resendCount_;
            if (resendCount_ <= kMaxResends) {
                DeviceLog("Resend the command \n");
                ready_ = 1;
            } else {
                DeviceLog("The Network is TimeOut\n");
                resendCount_ = 0;
                lastSend_ = now;
                ready_ = 0;
                timedOut_ = 1;
                ClearQueuesLocked();
            }
            return;
        } else {
            return;
        }
    }
    // Target and send are one step of the transport: a selection on the GUI
    // thread cannot redirect this frame. An unsent frame times out like an
    // unacknowledged one.
    unicast_->sendDataTo(target, kDevicePort, frame);
}

void MiddleHandler::HandleAck(const uint8_t* payload, const QString& ip)
{
    const uint8_t checksum = payload[0];
    const uint16_t code = ReadLe16(payload + 1);
    std::lock_guard<std::mutex> lock(queueMutex_);
    // Only the device the frame went to may free its slot.
    const ShortFrame& s = queue_.shortFrame[shortReadPos_];
    if (queue_.shortPending[shortReadPos_] && ReadLe16(&s[4]) == code && s[38] == checksum &&
        queue_.shortTarget[shortReadPos_] == ip) {
        queue_.shortPending[shortReadPos_] = 0;
        shortReadPos_ = (shortReadPos_ + 1) % SendQueue::kShortSlots;
    } else {
        const LongFrame& l = queue_.longFrame[longReadPos_];
        if (!(queue_.longPending[longReadPos_] && ReadLe16(&l[8]) == code && l[1358] == checksum &&
              queue_.longTarget[longReadPos_] == ip))
            return;
        queue_.longPending[longReadPos_] = 0;
        longReadPos_ = (longReadPos_ + 1) % SendQueue::kLongSlots;
    }
    ready_ = 1;
    resendCount_ = 0;
}

bool MiddleHandler::IsTimedOut() const
{
    std::lock_guard<std::mutex> lock(queueMutex_);
    return timedOut_;
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

void MiddleHandler::On_TcpReadData(QByteArray, QString)
{
    // The video board's answers during an upgrade carry nothing we act on.
}

// ---------------------------------------------------------------------------
// Device list

void MiddleHandler::SelectMachine(const QString& ip)
{
    devices_.SelectMachine(ip);
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
    DeviceList::Outbox outbox;
    devices_.SortMachineList(GetBroadcastLocalIp(), outbox);
    Carry(outbox);
}

// Carries out what the list decided, outside its mutex: listeners of
// SigMachineIPEvent select a device and send at once.
void MiddleHandler::Carry(DeviceList::Outbox& outbox)
{
    for (const Payload& request : outbox.setIpRequests)
        SendBroadcastFrame(kSetIpCode, request.data(), Frame::kHeaderA, Frame::kHeaderB);
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
    // aim the broadcasts at everyone again, and publish at once.
    SetBroadcastRemote(Ipv4Text(payload + 9), kDevicePort);
    Payload search;
    search.set8(0, 0xFF);
    const auto octets = Ipv4Octets(localIp);
    for (int i = 0; i < 4; ++i)
        search.set8(1 + i, octets[size_t(i)]);
    SendBroadcastFrame(kSearchCode, search.data(), Frame::kHeaderA, Frame::kHeaderB);
    SetBroadcastRemote(QStringLiteral("255.255.255.255"), kDevicePort);
    SortMachineList();
}

void MiddleHandler::HandleSetIpConfirmation(const uint8_t* payload)
{
    DeviceList::Outbox outbox;
    devices_.HandleSetIpConfirmation(payload, outbox);
    Carry(outbox);
}

// ---------------------------------------------------------------------------
// Receive path

void MiddleHandler::On_ReadData(QByteArray data, QString IpAddr)
{
    ParseNetData(reinterpret_cast<const uint8_t*>(data.constData()), data.size(), IpAddr);
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
    if (record) {
        const RefreshEvents events = DecodeReply(code, payload, *record, fallback_);
        if (selected)
            for (const RefreshEvent& e : events)
                EmitRefresh(e);
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
