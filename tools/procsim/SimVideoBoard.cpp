// GStreamer's headers first: GLib names a struct member "signals", which
// Qt's keyword macro would otherwise rewrite.
#include <gst/gst.h>
#include <gst/rtsp-server/rtsp-server.h>

#include "SimVideoBoard.h"

#include <QCryptographicHash>
#include <QMetaObject>
#include <QTcpSocket>

#include <thread>
#include <vector>

namespace sim {

namespace {

// The upgrade's control record: FF 01, four zero bytes, the kind ('m' start,
// 'o' end), the 32-bit little-endian count (end only), four zero bytes.
bool IsRecord(const QByteArray& r, char kind, quint32* count)
{
    if (r.size() != kUpgradeRecordLen)
        return false;
    const auto* b = reinterpret_cast<const uint8_t*>(r.constData());
    if (b[0] != 0xFF || b[1] != 0x01 || b[6] != uint8_t(kind))
        return false;
    for (int i : {2, 3, 4, 5, 11, 12, 13, 14})
        if (b[i] != 0)
            return false;
    const quint32 n =
        quint32(b[7]) | quint32(b[8]) << 8 | quint32(b[9]) << 16 | quint32(b[10]) << 24;
    if (kind == 'm' && n != 0)
        return false;
    if (count)
        *count = n;
    return true;
}

}  // namespace

UpgradeStream::Fed UpgradeStream::feed(const QByteArray& block)
{
    Fed fed;
    QByteArray bytes = block;
    if (!started_) {
        pending_ += block;
        if (pending_.size() < kUpgradeRecordLen)
            return fed;
        if (!IsRecord(pending_.left(kUpgradeRecordLen), 'm', nullptr)) {
            pending_.clear();
            fed.refused = true;
            return fed;
        }
        started_ = true;
        fed.started = true;
        bytes = pending_.mid(kUpgradeRecordLen);
        pending_.clear();
        data_.clear();
        endCount_ = 0;
    }
    const int before = data_.size();
    data_ += bytes;
    // The PC sends the end record right after the last piece; it ends the
    // stream when it carries exactly the count of the bytes before it. A
    // package whose own last bytes looked like that is not to be expected.
    if (data_.size() >= kUpgradeRecordLen) {
        quint32 count = 0;
        const int length = data_.size() - kUpgradeRecordLen;
        if (IsRecord(data_.mid(length), 'o', &count) && count == quint32(length)) {
            data_.truncate(length);
            endCount_ = count;
            started_ = false;
            fed.ended = true;
        }
    }
    fed.pieceBytes = qMax(0, data_.size() - before);
    return fed;
}

// The two RTSP servers of one board, on a GLib main loop of their own.
class RtspStreams {
public:
    RtspStreams(const QHostAddress& address, VideoBoard* board, std::atomic<int>* format)
        : address_(address.toString().toUtf8()), board_(board), format_(format)
    {
    }

    ~RtspStreams()
    {
        if (loop_) {
            g_main_loop_quit(loop_);
            if (thread_.joinable())
                thread_.join();
        }
        for (GstRTSPServer* s : servers_)
            g_object_unref(s);
        if (loop_)
            g_main_loop_unref(loop_);
        if (context_)
            g_main_context_unref(context_);
    }

    bool start(QString* error)
    {
        GError* gerror = nullptr;
        if (!gst_init_check(nullptr, nullptr, &gerror)) {
            *error = QStringLiteral("GStreamer: %1")
                         .arg(QString::fromUtf8(gerror ? gerror->message : ""));
            g_clear_error(&gerror);
            return false;
        }
        if (!gst_element_factory_find("x264enc")) {
            *error = QStringLiteral("GStreamer: the element x264enc is missing");
            return false;
        }
        context_ = g_main_context_new();
        loop_ = g_main_loop_new(context_, FALSE);
        // Stream 0 a bouncing ball, stream 1 moving colour bars: both halves
        // of the preview show something that changes.
        const struct {
            const char* port;
            const char* pattern;
        } streams[] = {{"654", "pattern=ball background-color=0xff203860"},
                       {"554", "pattern=smpte horizontal-speed=4"}};
        for (const auto& s : streams) {
            GstRTSPServer* server = gst_rtsp_server_new();
            gst_rtsp_server_set_address(server, address_.constData());
            gst_rtsp_server_set_service(server, s.port);
            GstRTSPMediaFactory* factory = gst_rtsp_media_factory_new();
            const QByteArray launch =
                QByteArray("( videotestsrc is-live=true ") + s.pattern +
                " ! capsfilter name=caps caps=video/x-raw,width=848,height=480,framerate=25/1"
                " ! x264enc tune=zerolatency speed-preset=ultrafast key-int-max=25"
                " ! rtph264pay name=pay0 pt=96 config-interval=1 )";
            gst_rtsp_media_factory_set_launch(factory, launch.constData());
            g_signal_connect(factory, "media-configure", G_CALLBACK(&RtspStreams::onMediaConfigure),
                             this);
            GstRTSPMountPoints* mounts = gst_rtsp_server_get_mount_points(server);
            gst_rtsp_mount_points_add_factory(mounts, "/h264", factory);
            g_object_unref(mounts);
            g_signal_connect(server, "client-connected", G_CALLBACK(&RtspStreams::onClient), this);
            if (gst_rtsp_server_attach(server, context_) == 0) {
                *error = QStringLiteral("cannot serve rtsp://%1:%2/h264")
                             .arg(QString::fromUtf8(address_), QLatin1String(s.port));
                g_object_unref(server);
                return false;
            }
            servers_.push_back(server);
        }
        thread_ = std::thread([this] {
            g_main_context_push_thread_default(context_);
            g_main_loop_run(loop_);
            g_main_context_pop_thread_default(context_);
        });
        return true;
    }

    void endStreams()
    {
        g_main_context_invoke(
            context_,
            [](gpointer data) -> gboolean {
                auto* self = static_cast<RtspStreams*>(data);
                for (GstRTSPServer* server : self->servers_) {
                    GstRTSPSessionPool* pool = gst_rtsp_server_get_session_pool(server);
                    GList* sessions = gst_rtsp_session_pool_filter(pool, nullptr, nullptr);
                    for (GList* s = sessions; s; s = s->next) {
                        GList* medias =
                            gst_rtsp_session_filter(GST_RTSP_SESSION(s->data), nullptr, nullptr);
                        for (GList* m = medias; m; m = m->next) {
                            GstRTSPMedia* media =
                                gst_rtsp_session_media_get_media(GST_RTSP_SESSION_MEDIA(m->data));
                            GstElement* element = gst_rtsp_media_get_element(media);
                            // The encoder runs dry: the sender says BYE and the
                            // client sees the end of the stream.
                            gst_element_send_event(element, gst_event_new_eos());
                            gst_object_unref(element);
                        }
                        g_list_free_full(medias, g_object_unref);
                    }
                    g_list_free_full(sessions, g_object_unref);
                    g_object_unref(pool);
                }
                return G_SOURCE_REMOVE;
            },
            this);
    }

    // As a board that restarts: every client's connection closes and every
    // session ends with its stream, so the clients lose their streams without
    // an end of stream; the servers take new clients at once.
    void dropClients()
    {
        g_main_context_invoke(
            context_,
            [](gpointer data) -> gboolean {
                auto* self = static_cast<RtspStreams*>(data);
                for (GstRTSPServer* server : self->servers_) {
                    GstRTSPSessionPool* pool = gst_rtsp_server_get_session_pool(server);
                    g_list_free(gst_rtsp_session_pool_filter(
                        pool,
                        [](GstRTSPSessionPool*, GstRTSPSession*, gpointer) {
                            return GST_RTSP_FILTER_REMOVE;
                        },
                        nullptr));
                    g_object_unref(pool);
                    g_list_free(gst_rtsp_server_client_filter(
                        server,
                        [](GstRTSPServer*, GstRTSPClient*, gpointer) {
                            return GST_RTSP_FILTER_REMOVE;
                        },
                        nullptr));
                }
                return G_SOURCE_REMOVE;
            },
            this);
    }

private:
    void log(const QJsonObject& line)
    {
        // Runs on the loop's thread; the log belongs to the simulator's.
        VideoBoard* board = board_;
        QMetaObject::invokeMethod(
            board, [board, line] { board->log(line); }, Qt::QueuedConnection);
    }

    static void onMediaConfigure(GstRTSPMediaFactory*, GstRTSPMedia* media, gpointer data)
    {
        auto* self = static_cast<RtspStreams*>(data);
        static const char* const kCaps[] = {"video/x-raw,width=848,height=480,framerate=25/1",
                                            "video/x-raw,width=1280,height=720,framerate=25/1",
                                            "video/x-raw,width=1920,height=1080,framerate=25/1"};
        const int format = self->format_->load();
        GstElement* element = gst_rtsp_media_get_element(media);
        GstElement* filter = gst_bin_get_by_name(GST_BIN(element), "caps");
        if (filter && format >= 0 && format < 3) {
            GstCaps* caps = gst_caps_from_string(kCaps[format]);
            g_object_set(filter, "caps", caps, nullptr);
            gst_caps_unref(caps);
        }
        if (filter)
            gst_object_unref(filter);
        gst_object_unref(element);
    }

    static void onClient(GstRTSPServer* server, GstRTSPClient* client, gpointer data)
    {
        auto* self = static_cast<RtspStreams*>(data);
        gchar* service = gst_rtsp_server_get_service(server);
        const int port = atoi(service);
        g_free(service);
        g_object_set_data(G_OBJECT(client), "ledz-port", GINT_TO_POINTER(port));
        g_signal_connect(client, "setup-request", G_CALLBACK(&RtspStreams::onSetup), self);
    }

    static void onSetup(GstRTSPClient* client, GstRTSPContext* ctx, gpointer data)
    {
        auto* self = static_cast<RtspStreams*>(data);
        gchar* transport = nullptr;
        if (ctx->request)
            gst_rtsp_message_get_header(ctx->request, GST_RTSP_HDR_TRANSPORT, &transport, 0);
        QJsonObject line;
        line.insert(QStringLiteral("board"), QStringLiteral("rtsp"));
        line.insert(QStringLiteral("event"), QStringLiteral("setup"));
        line.insert(QStringLiteral("port"),
                    GPOINTER_TO_INT(g_object_get_data(G_OBJECT(client), "ledz-port")));
        line.insert(QStringLiteral("transport"), QString::fromUtf8(transport ? transport : ""));
        self->log(line);
    }

    QByteArray address_;
    VideoBoard* board_;
    std::atomic<int>* format_;
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    std::vector<GstRTSPServer*> servers_;
    std::thread thread_;
};

VideoBoard::VideoBoard(const QHostAddress& address, LogFn log, QObject* parent)
    : QObject(parent), address_(address), log_(std::move(log))
{
    connect(&upgrade_, &QTcpServer::newConnection, this, &VideoBoard::accept);
}

VideoBoard::~VideoBoard() = default;

bool VideoBoard::start(QString* error)
{
    if (!upgrade_.listen(address_, kUpgradePort)) {
        *error = QStringLiteral("cannot listen on %1:%2: %3")
                     .arg(address_.toString())
                     .arg(kUpgradePort)
                     .arg(upgrade_.errorString());
        return false;
    }
    rtsp_ = std::make_unique<RtspStreams>(address_, this, &format_);
    return rtsp_->start(error);
}

void VideoBoard::endStreams()
{
    if (rtsp_)
        rtsp_->endStreams();
}

void VideoBoard::dropClients()
{
    if (rtsp_)
        rtsp_->dropClients();
}

void VideoBoard::log(QJsonObject line)
{
    line.insert(QStringLiteral("dev"), address_.toString());
    log_(line);
}

void VideoBoard::accept()
{
    while (QTcpSocket* socket = upgrade_.nextPendingConnection()) {
        auto stream = std::make_shared<UpgradeStream>();
        const QString peer =
            QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        auto event = [this, peer](const char* what) {
            QJsonObject line;
            line.insert(QStringLiteral("board"), QStringLiteral("upgrade"));
            line.insert(QStringLiteral("event"), QLatin1String(what));
            line.insert(QStringLiteral("peer"), peer);
            return line;
        };
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, stream, event] {
            const UpgradeStream::Fed fed = stream->feed(socket->readAll());
            if (fed.refused) {
                log(event("refused"));
                socket->abort();
                return;
            }
            if (fed.started)
                log(event("start"));
            if (fed.pieceBytes > 0) {
                QJsonObject piece = event("piece");
                piece.insert(QStringLiteral("size"), fed.pieceBytes);
                log(piece);
            }
            if (fed.ended) {
                QJsonObject end = event("end");
                end.insert(QStringLiteral("count"), qint64(stream->endCount()));
                end.insert(QStringLiteral("bytes"), stream->data().size());
                end.insert(QStringLiteral("sha256"),
                           QString::fromLatin1(
                               QCryptographicHash::hash(stream->data(), QCryptographicHash::Sha256)
                                   .toHex()));
                log(end);
            }
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

}  // namespace sim
