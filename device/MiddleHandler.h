// The one protocol object of the process: owns the transports, the two send
// queues with their sender thread, the device list and the fallback record.
// Every page reaches a device only through it, and it answers with signals.
//
// Threads: the object belongs to the thread that first calls GetInstance,
// which in the program is the GUI thread; everything not marked otherwise
// below belongs to that thread. The transports' receive threads never call
// into it: what they receive is handed to this thread's event loop, so the
// receive path, the records and every signal run on the GUI thread, and the
// pages' slots are called directly. The sender thread runs SendProcess only;
// it shares the two queues and the sender's state with the GUI thread under
// queueMutex_, and reaches the network only through the unicast transport's
// locked sendDataTo. The device list has a mutex of its own, but the records
// it hands out (GetCurrentMData, FindMDataByIp) are not locked: the GUI thread
// alone reads and writes them.
#pragma once

#include "Datagram.h"
#include "DeviceList.h"
#include "ReplyDecoder.h"
#include "Frames.h"
#include "MData.h"
#include "MachineRecord.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class CoreBroadcastUdp;
class CoreNetWorkUDP;
class SyncTcpClient;
class SyncUSBport;

typedef unsigned char BYTE;

constexpr quint16 kDevicePort = 61214;
constexpr quint16 kBroadcastLocalPort = 61215;

// Frames queued for devices: fixed slots, each free or pending (sent or to be
// sent, not yet acknowledged).
struct SendQueue {
    static constexpr int kShortSlots = 40;
    static constexpr int kLongSlots = 30;
    ShortFrame shortFrame[kShortSlots];
    QString shortTarget[kShortSlots];
    uint8_t shortPending[kShortSlots] = {};
    LongFrame longFrame[kLongSlots];
    QString longTarget[kLongSlots];
    uint8_t longPending[kLongSlots] = {};
    // 1 once the slot's frame has gone out: only then can an acknowledgement
    // be meant for it.
    uint8_t shortSent[kShortSlots] = {};
    uint8_t longSent[kLongSlots] = {};
};

class MiddleHandler : public QObject {
    Q_OBJECT

public:
    // Any thread; the first call creates the object on the calling thread.
    static MiddleHandler* GetInstance();

    // --- Send queues and immediate sends -------------------------------
    // The two enqueues take queueMutex_ and wake the sender; the pages call
    // them from the GUI thread. The immediate sends go out on the calling
    // thread under the transport's own lock; the key lamps call SendUsbFrame
    // on the GUI thread. SendBroadcastCommand arms a timer of this object for
    // a search: GUI thread only.
    void EnqueueShortFrame(uint16_t code, const uint8_t* payload, const QString& target,
                           uint8_t headerA, uint8_t headerB);
    void EnqueueLongFrame(uint16_t code, const uint8_t* area, uint8_t count, const QString& target);
    void SendBroadcastFrame(uint16_t code, const uint8_t* payload, uint8_t headerA, uint8_t headerB);
    void SendBroadcastCommand(uint16_t code, const uint8_t* payload, const QString& ignored);
    bool SendUsbFrame(uint16_t code, const uint8_t* data, int length);

    // GUI thread. Stop wakes the sender thread and joins it once it has
    // finished its current step.
    void StartSendThread();
    void StopSendThread();

    using Clock = std::chrono::steady_clock;
    // One step of the sender: sends the next frame, or resends, or gives up.
    // Returns when the next step is due (Clock::time_point::max(): only when
    // woken). The sender thread runs it; tests with the thread stopped call it.
    // It logs and sends after releasing queueMutex_.
    Clock::time_point SendProcess();

    // The acknowledgement wait (more than this many ms: resend), the shortest
    // gap between two sends and the delay between a search frame and the sort
    // of the device list. Tests shorten them: the first two are atomic and
    // may be set from any thread, the inquiry delay on the GUI thread.
    void SetAckTimeout(int ms) { ackTimeoutMs_ = ms; }
    void SetSendPacing(int ms) { pacingMs_ = ms; }
    void SetInquiryDelay(int ms) { inquiryDelayMs_ = ms; }
    // The sender's clock; tests step it by hand. Empty: the steady clock. Set
    // under queueMutex_, and called by the sender thread under it.
    void SetClockForTest(std::function<Clock::time_point()> clock);

    // Stops the sender thread and closes every transport, joining their
    // threads. The program never calls it (the object lives as long as the
    // process); tests do at teardown, on the GUI thread.
    void ShutdownForTest();
    // Empties both queues and the device list and closes both UDP sockets;
    // tests use it between cases, on the GUI thread.
    void ResetForTest();

    // --- Transports ----------------------------------------------------
    // Opening, closing and aiming the UDP and USB transports: GUI thread (one
    // controlling thread per transport; OpenBroadcastPort also empties the
    // device list and stops this object's publishing timer). The USB
    // transport's reader and dispatcher threads are its own.
    bool OpenUnicastPort(const QString& localIp, quint16 port);
    bool OpenBroadcastPort(const QString& localIp, quint16 port);
    bool SetUnicastRemote(const QString& ip, quint16 port);
    bool SetBroadcastRemote(const QString& ip, quint16 port);
    QString GetBroadcastLocalIp() const;
    QString GetBroadcastRemoteIp() const;
    bool OpenUsbPort(quint16 vendorId, quint16 productId);
    void CloseUsbPort();
    // The video board's upgrade: ConnectTcp and SendTcpData block; they belong to
    // the upgrade worker's thread, never the GUI thread. DisconnectTcp may
    // run on any thread at any time: it wakes a blocked connect or send,
    // which then fails. A connect gives up after 5 s on a board that does not
    // answer, a send after 30 s in which the board took nothing; tests
    // shorten both (any thread, for the next connect or send).
    bool ConnectTcp(const QString& ip, quint16 port);
    void DisconnectTcp();
    bool SendTcpData(const uint8_t* data, int length);
    void SetTcpTimeouts(int connectMs, int stallMs);

    // --- Device list ---------------------------------------------------
    // GUI thread. The list locks itself; the MData records and the fallback
    // record are read and written without a lock, by the GUI thread alone.
    void SelectMachine(const QString& ip);
    MData* GetCurrentMData();
    QString GetCurrentIp() const;
    MData* FindMDataByIp(const QString& ip, bool* selected);
    QString GetCurrentEthIp() const;
    int GetMachineCount() const;
    DeviceList& Devices() { return devices_; }
    MData& FallbackRecord() { return fallback_; }

    // --- Receive path ---------------------------------------------------
    // GUI thread: the transports deliver here through queued calls (the UDP
    // transports as batches, the USB and TCP transports one block each). An
    // acknowledgement frees its slot under queueMutex_ and wakes the sender.
    void ParseNetData(const uint8_t* data, int length, const QString& ip);
    void GetLongCommandParam(const uint8_t* batchFromCode, int available, const QString& ip);
    void ParseUsbData(const uint8_t* data, int length);
    void DispatchCommand(const uint8_t* payload, uint16_t code, int length, const QString& ip);
    void DispatchUsbCommand(const uint8_t* data, uint16_t code, int length);
    void EmitUsbNormalToPc(const uint8_t* data, int length);
    // When the datagram being handled was received (DeviceList::NowMs); the
    // current time outside the handling of a datagram. A repeated status
    // frame waits for this thread's next turn, so a heartbeat is dated by
    // this, not by the time it is handled.
    int64_t ReceivedAtMs() const;
    // Handles at once what the UDP transports hold back: before deciding
    // that a device fell silent, take in the repeats that have come.
    void TakeWaitingDatagrams();

    // --- Read-back (GUI thread) -------------------------------------------
    // From the inquiry of a device's whole configuration until that device
    // ends its answer (or has sent nothing for kReadBackQuietMs): the answer
    // comes in many batches, and the pages' coalesced redraws (PageHelper's
    // RedrawCoalescer) wait for SigReadBackDone, so that a read-back costs
    // each of them one redraw instead of one per batch.
    static constexpr int kReadBackQuietMs = 300;
    bool ReadBackUnderWay() const { return readBackUnderWay_; }

    // State of the sender, for diagnostics and tests; any thread (each takes
    // queueMutex_).
    bool IsTimedOut() const;
    int ResendCount() const;
    // Queued frames handed to the unicast transport since the start, resends included.
    quint64 SentFrameCount() const;
    int PendingShortFrames() const;
    int PendingLongFrames() const;

signals:
    // All emitted on the GUI thread. The MAC bytes of SigMachineIPEvent live
    // only as long as the emission.
    void SigMachineIPEvent(QString ip, BYTE* macAddr, QString EthIp);
    void SigHpsEvent(QString ip);
    void SigUIRefreshRequstCmdEnd();
    void SigUIRefreshAllCfg();
    void SigUIRefreshFreeze();
    void SigUiRefreshPresetValid();
    void SigUiRefreshPresetOPResult(int id);
    void SigUIRefreshInputCfg();
    void SigUIRefreshInputSignal(int GId, int PortId);
    void SigUIRefreshInputCrop(int Gid, int Pid);
    void SigUIRefreshInputEdid(int Gid, int Pid);
    void SigUIRefreshInputTile();
    void SigUIRefreshOutputReso();
    void SigUIRefreshOutputWindow(int idx);
    void SigUIRefreshOutputHdmiSetting(int idx);
    void SigUIRefreshLayerData(int idx);
    void SigUIRefreshPictureData(int idx);
    void SigUIRefreshLayerZoomData(int idx);
    void SigUIRefreshLayerChromaKey(int idx);
    void SigUIRefreshTakeData();
    void SigUiRefreshTakeStatus(int Status);
    void SigUIRefreshMachineVer(VerInfo_Enum VerType);
    void SigUIRefreshMachineElectric();
    void SigUIRefreshLogoData(int idx);
    void SigUIRefreshTestPattern(int Status1, int Status2);
    void SigUIRefreshResetFactory(int Status);
    void SigUIRefreshTaskData();
    void SigUIRefreshSyncLock(int Status);
    void SigUIRefreshHDRStatus(int Status);
    void SigUsbNormalToPc(QByteArray data);
    void SigIpBoardVideoFormat(int format);
    // The read-back under way has ended (emitted after its last reply's
    // signals), or was given up.
    void SigReadBackDone();

public slots:
    void On_ReadData(QByteArray data, QString IpAddr);
    void On_ReadBatch(DatagramBatch batch);
    void On_ReadUsbData(QByteArray data);
    void On_TcpReadData(QByteArray data, QString IpAddr);
    void On_InquireTimer();

private:
    MiddleHandler();
    ~MiddleHandler() override;

    void SendThreadProc();
    // Wakes the sender thread: a frame was queued, acknowledged or released.
    void WakeSenderLocked();
    Clock::time_point NowLocked() const;
    void HandleAck(const uint8_t* payload, const QString& ip);
    void HandleDiscovery(uint16_t code, const uint8_t* payload);
    void HandleSetIpConfirmation(const uint8_t* payload);
    void SortMachineList();
    void Carry(DeviceList::Outbox& outbox);
    void EmitRefresh(const RefreshEvent& event);
    void ClearQueuesLocked();
    void BeginReadBack(const QString& ip);
    void EndReadBack();
    void ReadBackTimeout();
    // Empty queues, ready, not timed out, no resend counted.
    void ResetSenderLocked();

    std::unique_ptr<SyncTcpClient> tcp_;
    std::unique_ptr<CoreNetWorkUDP> unicast_;
    std::unique_ptr<CoreBroadcastUdp> broadcast_;
    std::unique_ptr<SyncUSBport> usb_;

    // Queue state, shared by the GUI thread and the sender thread.
    mutable std::mutex queueMutex_;
    SendQueue queue_;
    int longReadPos_ = 0;
    int longWritePos_ = 0;
    uint8_t ready_ = 1;
    int shortReadPos_ = 0;
    int shortWritePos_ = 0;
    uint8_t timedOut_ = 0;
    Clock::time_point lastSend_{};
    int resendCount_ = 0;
    quint64 sentFrames_ = 0;
    std::condition_variable senderWake_;
    bool wakePending_ = false;
    std::function<Clock::time_point()> clock_;

    DeviceList devices_;
    MData fallback_;
    int64_t receivedMs_ = -1;  // of the datagram being handled

    std::thread sender_;
    std::atomic<bool> running_{false};
    std::atomic<int> ackTimeoutMs_{2000};
    std::atomic<int> pacingMs_{10};
    int inquiryDelayMs_ = 3000;

    // --- Discovery: coalesced publishing and set-IP repeats (GUI thread) ---
    static constexpr int64_t kPublishGapMs = 100;
    QTimer* DiscoveryTimer(QTimer*& timer, void (MiddleHandler::*handler)());
    void PublishSoon();
    void PublishDue();
    void ArmSetIpRepeat();
    void RepeatSetIpRequests();
    QTimer* publishTimer_ = nullptr;  // the end of a burst of announcements
    QTimer* setIpTimer_ = nullptr;    // the next set-IP repeat that is due
    int64_t lastSortMs_ = -1;

    // --- Read-back under way (GUI thread) ---
    bool readBackUnderWay_ = false;
    QString readBackIp_;
    QElapsedTimer readBackLastReply_;
    QTimer* readBackTimer_ = nullptr;
};
