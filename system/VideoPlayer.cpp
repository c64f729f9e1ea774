// GStreamer's headers come first: GLib names a struct member "signals",
// which Qt's keyword macro would otherwise rewrite.
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include "VideoPlayer.h"

#include "VideoFrame.h"
#include "VideoWidget.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QMetaObject>
#include <QRegularExpression>
#include <thread>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

qint64 NowMs()
{
    return QDeadlineTimer::current().deadline();
}

// What a bus message means to the player.
enum BusKind { kBusEos = 1, kBusError = 2 };

bool InitGst()
{
    static const bool ok = [] {
        GError* error = nullptr;
        if (!gst_init_check(nullptr, nullptr, &error)) {
            qWarning("GStreamer: %s", error ? error->message : "cannot initialise");
            g_clear_error(&error);
            return false;
        }
        for (const char* name :
             {"rtspsrc", "rtph264depay", "avdec_h264", "videoconvert", "appsink"}) {
            GstElementFactory* factory = gst_element_factory_find(name);
            if (!factory) {
                qWarning("GStreamer: the element %s is missing", name);
                return false;
            }
            gst_object_unref(factory);
        }
        return true;
    }();
    return ok;
}

// The first pipeline loads the plug-ins' libraries (the H.264 decoder's
// among them) and initialises their element classes: one to three seconds on
// a loaded machine, which on the GUI thread froze the program a few seconds
// after start, when the selected device's video board is connected. A thread
// of its own does that once, as soon as the first instance exists. A
// pipeline is built only once it has ended: built before, it would wait on
// the GUI thread for the libraries the warm-up is loading.
class GstWarmUp {
public:
    static GstWarmUp& Start()
    {
        static GstWarmUp warmUp;
        return warmUp;
    }

    // Runs job on context's thread once the warm-up has ended: at once when
    // it has, else through a queued call. Forget drops what context waits
    // for (before context goes away).
    void WhenDone(QObject* context, std::function<void()> job)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!done_) {
                waiting_.push_back({context, std::move(job)});
                return;
            }
        }
        job();
    }
    void Forget(QObject* context)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        waiting_.erase(std::remove_if(waiting_.begin(), waiting_.end(),
                                      [context](const Waiting& w) { return w.context == context; }),
                       waiting_.end());
    }

private:
    struct Waiting {
        QObject* context;
        std::function<void()> job;
    };

    GstWarmUp()
        : thread_([this] {
              if (InitGst())
                  for (const char* name :
                       {"rtspsrc", "rtph264depay", "avdec_h264", "videoconvert", "appsink"})
                      if (GstElement* e = gst_element_factory_make(name, nullptr))
                          gst_object_unref(e);
              // Under the lock: a context forgets (on its own thread) before
              // it goes; a queued call already handed over is dropped with it.
              std::lock_guard<std::mutex> lock(mutex_);
              done_ = true;
              for (Waiting& w : waiting_)
                  QMetaObject::invokeMethod(w.context, std::move(w.job), Qt::QueuedConnection);
              waiting_.clear();
          })
    {
    }
    ~GstWarmUp() { thread_.join(); }

    std::mutex mutex_;
    bool done_ = false;
    std::vector<Waiting> waiting_;
    std::thread thread_;
};

quint32 PackSize(const QSize& s)
{
    return (quint32(qBound(0, s.width(), 0xFFFF)) << 16) | quint32(qBound(0, s.height(), 0xFFFF));
}

QSize UnpackSize(quint32 v)
{
    return QSize(int(v >> 16), int(v & 0xFFFF));
}

}  // namespace

QStringList Video::args()
{
    return QStringList();
}

VideoInstance::VideoInstance(const QStringList&, QObject* parent) : QObject(parent)
{
    GstWarmUp::Start();
}

bool VideoInstance::isValid() const
{
    return InitGst();
}

VideoMedia::VideoMedia(const QString& location, VideoInstance* instance)
    : QObject(instance), location_(location), instance_(instance)
{
}

void VideoMedia::setOption(const QString& option)
{
    static const QRegularExpression pattern(QStringLiteral("^:([a-z-]+)=(\\d+)$"));
    const QRegularExpressionMatch m = pattern.match(option);
    if (!m.hasMatch())
        return;
    bool ok = false;
    const int value = m.captured(2).toInt(&ok);
    if (!ok)
        return;
    if (m.captured(1) == QLatin1String("rtp-client-port") && value > 0 && value < 65535)
        clientPort_ = value;
    else if (m.captured(1) == QLatin1String("network-caching"))
        latencyMs_ = value;
}

// One pipeline, and what its streaming threads call back with: the player
// and the generation that marks what they hand over. It lives until the
// pipeline has stopped, on the player's thread, after the player has let go.
struct VideoMediaPlayer::Pipeline {
    VideoMediaPlayer* player = nullptr;
    GstElement* bin = nullptr;
    quint64 generation = 0;
};

// The state changes of one player's pipelines, in the order they were asked
// for, on a thread of their own. Going to NULL joins a pipeline's streaming
// threads, and rtspsrc waits there for the board's answer to its TEARDOWN
// (until its time-out when the board has frozen): the GUI thread must not
// wait with it. The order keeps a new pipeline from starting before the old
// one has let go of the client ports that both bind.
class VideoMediaPlayer::StateWorker {
public:
    StateWorker() : thread_([this] { run(); }) {}

    // Runs what is queued, then joins.
    ~StateWorker()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    void post(std::function<void()> job)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        wake_.notify_one();
    }

private:
    void run()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return quit_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            std::function<void()> job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            job();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool quit_ = false;
    std::thread thread_;
};

VideoMediaPlayer::VideoMediaPlayer(VideoInstance* instance) : QObject(nullptr), instance_(instance)
{
    watchdog_.setInterval(kWatchdogMs);
    connect(&watchdog_, &QTimer::timeout, this, [this] {
        if (state_ == Video::Playing && lostWatch_.lost(NowMs()))
            endStream();
    });
}

VideoMediaPlayer::~VideoMediaPlayer()
{
    shutdown();
}

void VideoMediaPlayer::shutdown()
{
    if (waitsForWarmUp_) {
        GstWarmUp::Start().Forget(this);
        waitsForWarmUp_ = false;
    }
    stopPipeline();
    // The streaming threads call back into this player until their pipeline
    // has reached NULL: it must not go away before.
    worker_.reset();
}

void VideoMediaPlayer::post(std::function<void()> job)
{
    if (!worker_)
        worker_ = std::make_unique<StateWorker>();
    worker_->post(std::move(job));
}

void VideoMediaPlayer::setVideoWidget(VideoWidget* widget)
{
    widget_ = widget;
    target_ = widget ? PackSize(widget->size()) : 0;
}

void VideoMediaPlayer::open(VideoMedia* media)
{
    media_ = media;
    startPipeline();
}

void VideoMediaPlayer::play()
{
    if (state_ == Video::Playing || state_ == Video::Opening || state_ == Video::Buffering)
        return;
    if (media_)
        startPipeline();
}

void VideoMediaPlayer::stop()
{
    stopPipeline();
    if (state_ != Video::Idle)
        setState(Video::Stopped);
}

void VideoMediaPlayer::setState(Video::State state)
{
    if (media_)
        media_->state_ = state;
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged();
}

void VideoMediaPlayer::startPipeline()
{
    stopPipeline();
    frames_ = 0;
    if (!warmedUp_ && media_ && instance_) {
        // Opening until the plug-ins are loaded. A stop in the meantime
        // leaves the state Stopped, and of two starts the first to run
        // builds the pipeline (a new generation): the other's call finds
        // itself outrun.
        setState(Video::Opening);
        waitsForWarmUp_ = true;
        const quint64 generation = generation_;
        GstWarmUp::Start().WhenDone(this, [this, generation] {
            warmedUp_ = true;
            if (!waitsForWarmUp_)
                return;  // shut down, or started by another start's call
            waitsForWarmUp_ = false;
            if (generation == generation_ && state_ == Video::Opening)
                startPipeline();
        });
        return;
    }
    if (!media_ || !instance_ || !instance_->isValid()) {
        setState(Video::Error);
        return;
    }
    GError* error = nullptr;
    GstElement* bin = gst_parse_launch(
        "rtspsrc name=src ! rtph264depay ! avdec_h264 ! videoconvert ! "
        "appsink name=sink caps=video/x-raw,format=I420 sync=false max-buffers=2 drop=true",
        &error);
    if (!bin || error) {
        qWarning("GStreamer: %s", error ? error->message : "cannot build the pipeline");
        g_clear_error(&error);
        if (bin)
            gst_object_unref(bin);
        setState(Video::Error);
        return;
    }
    pipeline_ = new Pipeline;
    pipeline_->player = this;
    pipeline_->bin = bin;
    pipeline_->generation = ++generation_;

    GstElement* src = gst_bin_get_by_name(GST_BIN(bin), "src");
    g_object_set(src, "location", media_->location().toUtf8().constData(), "latency",
                 guint(qMax(0, media_->latencyMs())), nullptr);
    if (media_->clientPort() > 0) {
        // RTP takes an even port and RTCP the odd one above it: an odd port
        // asked for is the RTCP half of the pair below (as other RTSP
        // clients do it), so the port asked for is always one of the two.
        const int rtp = media_->clientPort() & ~1;
        const QByteArray range = QByteArray::number(rtp) + '-' + QByteArray::number(rtp + 1);
        g_object_set(src, "port-range", range.constData(), nullptr);
    }
    gst_object_unref(src);

    GstElement* sink = gst_bin_get_by_name(GST_BIN(bin), "sink");
    GstAppSinkCallbacks callbacks = {};
    callbacks.new_sample = [](GstAppSink* s, gpointer data) {
        return GstFlowReturn(newSample(s, data));
    };
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, pipeline_, nullptr);
    gst_object_unref(sink);

    GstBus* bus = gst_element_get_bus(bin);
    gst_bus_set_sync_handler(
        bus,
        [](GstBus* b, GstMessage* m, gpointer data) {
            return GstBusSyncReply(busSync(b, m, data));
        },
        pipeline_, nullptr);
    gst_object_unref(bus);

    framePending_ = false;
    setState(Video::Opening);
    const quint64 generation = pipeline_->generation;
    post([this, bin, generation] {
        if (gst_element_set_state(bin, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE)
            return;
        QMetaObject::invokeMethod(
            this, [this, generation] { onBusMessage(generation, kBusError, QString()); },
            Qt::QueuedConnection);
    });
}

void VideoMediaPlayer::stopPipeline()
{
    watchdog_.stop();
    if (!pipeline_)
        return;
    Pipeline* old = pipeline_;
    pipeline_ = nullptr;
    // Whatever the old pipeline still has queued, or hands over until it has
    // stopped, carries its own generation, an old one from now on.
    ++generation_;
    post([old] {
        // NULL joins the streaming threads: no callback runs after this line.
        gst_element_set_state(old->bin, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(old->bin);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(old->bin);
        delete old;
    });
}

int VideoMediaPlayer::busSync(void*, void* message, void* data)
{
    const auto* pipeline = static_cast<const Pipeline*>(data);
    VideoMediaPlayer* self = pipeline->player;
    auto* m = static_cast<GstMessage*>(message);
    int kind = 0;
    QString text;
    if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_EOS) {
        kind = kBusEos;
    } else if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_ERROR) {
        kind = kBusError;
        GError* error = nullptr;
        gst_message_parse_error(m, &error, nullptr);
        text = QString::fromUtf8(error ? error->message : "");
        g_clear_error(&error);
    }
    if (kind != 0) {
        const quint64 generation = pipeline->generation;
        QMetaObject::invokeMethod(
            self, [self, generation, kind, text] { self->onBusMessage(generation, kind, text); },
            Qt::QueuedConnection);
    }
    return GST_BUS_DROP;
}

int VideoMediaPlayer::newSample(void* sink, void* data)
{
    const auto* pipeline = static_cast<const Pipeline*>(data);
    VideoMediaPlayer* self = pipeline->player;
    GstSample* sample = gst_app_sink_pull_sample(static_cast<GstAppSink*>(sink));
    if (!sample)
        return GST_FLOW_OK;
    // The GUI has not shown the last picture yet: converting this one would
    // be wasted work.
    if (self->framePending_.load()) {
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    }
    GstVideoInfo info;
    GstVideoFrame frame;
    QImage picture;
    if (gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) &&
        gst_video_frame_map(&frame, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) {
        I420View view;
        view.y = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0));
        view.u = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 1));
        view.v = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 2));
        view.yStride = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0);
        view.uStride = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 1);
        view.vStride = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 2);
        view.width = GST_VIDEO_FRAME_WIDTH(&frame);
        view.height = GST_VIDEO_FRAME_HEIGHT(&frame);
        const QSize size =
            FitSize(QSize(view.width, view.height), UnpackSize(self->target_.load()));
        picture = ScaleI420ToRgb(view, size);
        gst_video_frame_unmap(&frame);
    }
    gst_sample_unref(sample);
    if (!picture.isNull()) {
        self->framePending_ = true;
        const quint64 generation = pipeline->generation;
        QMetaObject::invokeMethod(
            self, [self, generation, picture] { self->onFrame(generation, picture); },
            Qt::QueuedConnection);
    }
    return GST_FLOW_OK;
}

void VideoMediaPlayer::onBusMessage(quint64 generation, int kind, const QString& text)
{
    if (generation != generation_.load() || !pipeline_)
        return;
    if (kind == kBusError)
        qDebug("Video: %s", qPrintable(text));
    // A stream that has played and then fails was lost (the board went away
    // or restarted): an end like the board's own. A stream that never played
    // is an error: the address or the board is wrong.
    if (kind == kBusEos || (kind == kBusError && state_ == Video::Playing)) {
        endStream();
    } else if (kind == kBusError) {
        stopPipeline();
        setState(Video::Error);
    }
}

void VideoMediaPlayer::onFrame(quint64 generation, const QImage& picture)
{
    framePending_ = false;
    if (generation != generation_.load() || !pipeline_)
        return;
    if (widget_) {
        widget_->setFrame(picture);
        target_ = PackSize(widget_->size());
    }
    ++frames_;
    lostWatch_.frame(NowMs());
    if (state_ != Video::Playing) {
        lostWatch_.start(NowMs());
        watchdog_.start();
        setState(Video::Playing);
        emit playing();
    }
}

void VideoMediaPlayer::endStream()
{
    stopPipeline();
    setState(Video::Ended);
    emit end();
}
