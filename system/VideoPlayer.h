// The preview's stream player: a thin layer over GStreamer in the shape the
// preview window was designed around (an instance, a media with its location
// and options, a player that opens, plays and stops it and reports its state,
// and a video widget the player draws into).
//
// One pipeline per player: rtspsrc ! rtph264depay ! avdec_h264 ! videoconvert
// ! appsink. The decoder's I420 frames are scaled and converted once, on the
// streaming thread, straight to the widget's size (see VideoFrame.h), so the
// GUI thread only paints a picture of the size it shows.
//
// Threads: every method and signal belongs to the GUI thread. GStreamer's
// streaming threads only hand bus messages and finished pictures over through
// queued calls. Each player changes its pipelines' states on a thread of its
// own, in order (going to NULL can wait on a board that has frozen); the
// player joins that thread before it goes away.
#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class VideoWidget;

// The player states, numbered as the preview window expects them.
namespace Video {
enum State {
    Idle = 0,
    Opening = 1,
    Buffering = 2,
    Playing = 3,
    Paused = 4,
    Stopped = 5,
    Ended = 6,
    Error = 7,
};
// The arguments every instance is made with (none are needed today).
QStringList args();
}  // namespace Video

// Makes sure GStreamer is initialised; one per stream, like the players.
class VideoInstance : public QObject {
    Q_OBJECT
public:
    VideoInstance(const QStringList& args, QObject* parent);
    // False when GStreamer or one of the elements the pipeline needs is
    // missing; the players of such an instance go to Error when opened.
    // GStreamer and the pipeline's plug-ins are loaded by a thread of their
    // own, started with the first instance: neither the program's start-up
    // nor the first pipeline waits for them on the GUI thread.
    bool isValid() const;

private:
};

// A stream location with its options. The options the preview uses are
// ":rtp-client-port=N" (the client's RTP/RTCP port pair that holds N: N and
// N + 1 for an even N, N - 1 and N for an odd one, as RTP sits on the even
// port) and
// ":network-caching=MS" (the jitter buffer's latency); others are ignored.
class VideoMedia : public QObject {
    Q_OBJECT
public:
    VideoMedia(const QString& location, VideoInstance* instance);

    void setOption(const QString& option);
    QString location() const { return location_; }
    // 0 when no client port was asked for.
    int clientPort() const { return clientPort_; }
    int latencyMs() const { return latencyMs_; }
    // The state of the player that last opened this media (Idle before).
    Video::State state() const { return state_; }
    VideoInstance* instance() const { return instance_; }

private:
    friend class VideoMediaPlayer;
    QString location_;
    QPointer<VideoInstance> instance_;
    int clientPort_ = 0;
    int latencyMs_ = 200;
    Video::State state_ = Video::Idle;
};

// Whether a stream that plays has been lost: no picture for kLostAfterMs,
// looked at about once a second. A look that comes late (the program was
// held up: a loaded machine, a suspended process) judges nothing, since no
// picture could have been shown meanwhile: the stream gets a fresh
// kLostAfterMs. Times are ms of a monotonic clock.
class LostStreamWatch {
public:
    static constexpr qint64 kLostAfterMs = 5000;
    static constexpr qint64 kLateLookMs = 2000;

    void start(qint64 nowMs) { lastFrame_ = lastLook_ = nowMs; }
    void frame(qint64 nowMs) { lastFrame_ = nowMs; }
    bool lost(qint64 nowMs)
    {
        const bool late = nowMs - lastLook_ > kLateLookMs;
        lastLook_ = nowMs;
        if (late)
            lastFrame_ = nowMs;
        return nowMs - lastFrame_ > kLostAfterMs;
    }

private:
    qint64 lastFrame_ = 0;
    qint64 lastLook_ = 0;
};

class VideoMediaPlayer : public QObject {
    Q_OBJECT
public:
    // A stream that has played and then shows no picture for this long is
    // lost (the board streams without pause).
    static constexpr int kLostAfterMs = int(LostStreamWatch::kLostAfterMs);

    explicit VideoMediaPlayer(VideoInstance* instance);
    ~VideoMediaPlayer() override;

    void setVideoWidget(VideoWidget* widget);
    // Takes media as the current one and starts playing it.
    void open(VideoMedia* media);
    // Plays the current media again; a running stream is left alone.
    void play();
    // Stops the stream; the media stays current. The pipeline stops on the
    // player's own thread: the call does not wait for it.
    void stop();
    // Stops the stream and waits until every pipeline of the player has
    // stopped: for leaving the program, after which no thread of the player
    // may run.
    void shutdown();
    Video::State state() const { return state_; }
    // Frames decoded since the last open or play (for diagnostics and tests).
    quint64 frameCount() const { return frames_; }

signals:
    // The first decoded frame of an open or play reached the widget.
    void playing();
    void stateChanged();
    // The stream ended: the server finished it, or it was lost after it had
    // played (an error, or no picture for kLostAfterMs: a board that went
    // away may leave the client waiting far longer for an error).
    void end();

private:
    struct Pipeline;
    class StateWorker;
    void startPipeline();
    void post(std::function<void()> job);
    void stopPipeline();
    void setState(Video::State state);
    void endStream();
    // From the streaming threads, through queued calls.
    void onBusMessage(quint64 generation, int kind, const QString& text);
    void onFrame(quint64 generation, const QImage& picture);
    static int busSync(void* bus, void* message, void* data);
    static int newSample(void* sink, void* data);

    QPointer<VideoInstance> instance_;
    QPointer<VideoMedia> media_;
    // The plug-ins' warm-up has ended (a pipeline is built only then), or a
    // start waits for it.
    bool warmedUp_ = false;
    bool waitsForWarmUp_ = false;
    QPointer<VideoWidget> widget_;
    Pipeline* pipeline_ = nullptr;
    // Started with the first pipeline.
    std::unique_ptr<StateWorker> worker_;
    Video::State state_ = Video::Idle;
    quint64 frames_ = 0;
    // While playing: looks at the pictures once a second.
    static constexpr int kWatchdogMs = 1000;
    LostStreamWatch lostWatch_;
    QTimer watchdog_;
    // Bumped for every new pipeline, so that messages and frames of an old
    // one that are still queued are recognised and dropped.
    std::atomic<quint64> generation_{0};
    // The size to scale to, read by the streaming thread.
    std::atomic<quint32> target_{0};
    // A picture is queued and not yet shown: the streaming thread skips
    // converting the next ones rather than piling them up.
    std::atomic<bool> framePending_{false};
};
