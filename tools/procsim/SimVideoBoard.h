// The video board of a simulated processor, at the board's own address:
// - the firmware upgrade listener on TCP 8877, which logs the start record,
//   every block of the package as it is read, and the end record with the
//   count it carries, the bytes that came and their SHA-256;
// - the two preview streams rtsp://BOARD:654/h264 and rtsp://BOARD:554/h264,
//   a moving test picture in H.264 whose size follows the processor's
//   preview quality (0 480p, 1 720p, 2 1080p) when a client starts it. Each
//   client's SETUP is logged with its transport (client ports).
//
// The streams run on gst-rtsp-server in a GLib main loop of their own
// thread; what they log reaches the simulator's log on its own thread.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QJsonObject>
#include <QObject>
#include <QTcpServer>

#include <atomic>
#include <functional>
#include <memory>

namespace sim {

constexpr quint16 kUpgradePort = 8877;
constexpr int kUpgradeRecordLen = 15;

// What the upgrade stream holds so far; fed the bytes as they come.
class UpgradeStream {
public:
    struct Fed {
        bool refused = false;  // no start record: the stream is dropped
        bool started = false;  // the start record came with this block
        int pieceBytes = 0;  // package bytes in this block
        bool ended = false;  // the end record came with this block
    };
    // Feeds one block as read. After the end the stream waits for a new
    // start record.
    Fed feed(const QByteArray& block);
    // Data bytes since the start record (the end record excluded once End).
    const QByteArray& data() const { return data_; }
    quint32 endCount() const { return endCount_; }

private:
    bool started_ = false;
    QByteArray pending_;
    QByteArray data_;
    quint32 endCount_ = 0;
};

class RtspStreams;

class VideoBoard : public QObject {
    Q_OBJECT
public:
    using LogFn = std::function<void(const QJsonObject&)>;
    VideoBoard(const QHostAddress& address, LogFn log, QObject* parent);
    ~VideoBoard() override;

    bool start(QString* error);
    // The processor's preview quality, used by the next stream started.
    void setFormat(int format) { format_ = format; }
    // Ends every running stream as a board would whose encoder stops: the
    // clients get an end of stream.
    void endStreams();
    // Drops every client and its stream as a board that restarts: the
    // clients see their connections close and their streams stop.
    void dropClients();
    // One line of the simulator's log, with the board's address as "dev".
    void log(QJsonObject line);

private:
    void accept();

    QHostAddress address_;
    LogFn log_;
    QTcpServer upgrade_;
    std::atomic<int> format_{0};
    std::unique_ptr<RtspStreams> rtsp_;
};

}  // namespace sim
