// The video-board upgrade of the system page: a worker thread that the page
// starts with itself and that waits for requests. A request names a package
// file; the worker checks its name ("z9050_venc.tar.gz", case-sensitive),
// reads it, connects to the video board on TCP 8877 and sends it between a
// start and an end record, in pieces of at most 2048 bytes. Its result is a
// message that the page shows 10 s after the request.
//
// Threads: Start, Stop, Cancel, Request and Message run on the GUI thread; the
// request is handled on the worker's thread, the only one that uses the TCP
// client. The path is complete before the worker can see the request
// (release on setting, acquire on testing) and the worker takes its own copy;
// the message is handed over under a lock. The worker sleeps on a condition
// variable between requests. Cancel ends the request in hand from the GUI
// thread by closing the connection, which wakes a blocked connect or write;
// Stop (and the destructor) cancels before it joins, so that leaving the
// page never waits on a board that stopped reading.
#pragma once

#include <QString>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// How the worker reaches the video board; MiddleHandler's TCP client in the
// program, wrapped in tests.
struct UpgradeLink {
    std::function<QString()> boardAddress;
    std::function<bool(const QString& ip, quint16 port)> connect;
    std::function<bool(const uint8_t* data, int length)> send;
    // Any thread: a blocked connect or send returns false.
    std::function<void()> disconnect;

    static UpgradeLink FromMiddleHandler();
};

class UpgradeWorker {
public:
    static constexpr quint16 kBoardPort = 8877;
    static constexpr int kPieceBytes = 2048;
    static constexpr int kRecordBytes = 15;
    using Record = std::array<uint8_t, kRecordBytes>;

    explicit UpgradeWorker(UpgradeLink link = UpgradeLink::FromMiddleHandler());
    ~UpgradeWorker();
    UpgradeWorker(const UpgradeWorker&) = delete;
    UpgradeWorker& operator=(const UpgradeWorker&) = delete;

    // StartUpgradeThread: starts the worker unless it runs already.
    void Start();
    // StopUpgradeThread: the request in hand is cancelled, the worker ends;
    // joined here.
    void Stop();
    // Ends the request in hand (pending or being handled): what it has not
    // sent yet is not sent, it leaves no message, and the worker waits for
    // the next request. Without one in hand, nothing happens: a finished
    // transfer's connection stays open, as the board may still be reading.
    void Cancel();
    // A new request: the path, the request flag, an empty message. A request
    // made while another is pending or in hand replaces its path and is
    // absorbed when the one in hand ends.
    void Request(const QString& path);
    // The message of the last request handled since the last Request (empty
    // while it is in hand).
    QString Message() const;
    // The worker thread exists and has not ended.
    bool IsRunning() const { return alive_.load(); }
    bool RequestPending() const { return request_.load(std::memory_order_acquire); }

    // The name test of a package path (the file name alone counts).
    static bool IsPackageName(const QString& path);
    // The control records around the package: 'm' before, 'o' after with the
    // count of package bytes sent.
    static Record StartRecord();
    static Record EndRecord(uint32_t count);

private:
    void UpgradeThreadProc();
    // One request; returns the message for the operator.
    QString HandleRequest(const QString& path);
    void SetMessage(const QString& text);

    UpgradeLink link_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> alive_{false};
    std::atomic<bool> request_{false};
    // Set by Cancel and Stop, cleared by Request; the worker tests it where
    // the close could not reach it (before the connection exists).
    std::atomic<bool> cancel_{false};
    std::mutex wakeLock_;  // with wake_: the worker's sleep
    std::condition_variable wake_;
    std::mutex pathLock_;
    QString path_;
    mutable std::mutex messageLock_;
    QString message_;
};
