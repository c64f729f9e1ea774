#include "UpgradeWorker.h"

#include "MiddleHandler.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <exception>

namespace {

// The messages belong to the system page's translations.
QString PageText(const char* text)
{
    return QCoreApplication::translate("MiscDlg", text);
}

const char* const kWrongFile = QT_TRANSLATE_NOOP("MiscDlg", "Please Select the correct File");
const char* const kNoBoard = QT_TRANSLATE_NOOP("MiscDlg", "Can not connect the video board");
const char* const kNoFile = QT_TRANSLATE_NOOP("MiscDlg", "Upgrade File is not exist");
const char* const kDone = QT_TRANSLATE_NOOP("MiscDlg", "Update successed. Restart machine");

}  // namespace

UpgradeLink UpgradeLink::FromMiddleHandler()
{
    UpgradeLink link;
    link.boardAddress = [] { return MiddleHandler::GetInstance()->GetCurrentEthIp(); };
    link.connect = [](const QString& ip, quint16 port) {
        return MiddleHandler::GetInstance()->ConnectTcp(ip, port);
    };
    link.send = [](const uint8_t* data, int length) {
        return MiddleHandler::GetInstance()->SendTcpData(data, length);
    };
    link.disconnect = [] { MiddleHandler::GetInstance()->DisconnectTcp(); };
    return link;
}

UpgradeWorker::UpgradeWorker(UpgradeLink link) : link_(std::move(link)) {}

UpgradeWorker::~UpgradeWorker()
{
    Stop();
}

bool UpgradeWorker::IsPackageName(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).fileName() == QLatin1String("z9050_venc.tar.gz");
}

UpgradeWorker::Record UpgradeWorker::StartRecord()
{
    Record r{};
    r[0] = 0xFF;
    r[1] = 0x01;
    r[6] = 'm';
    return r;
}

UpgradeWorker::Record UpgradeWorker::EndRecord(uint32_t count)
{
    Record r{};
    r[0] = 0xFF;
    r[1] = 0x01;
    r[6] = 'o';
    for (int i = 0; i < 4; ++i)
        r[size_t(7 + i)] = uint8_t(count >> (8 * i));
    return r;
}

void UpgradeWorker::Start()
{
    if (thread_.joinable())
        return;
    running_ = true;
    alive_ = true;
    thread_ = std::thread([this] { UpgradeThreadProc(); });
}

void UpgradeWorker::Stop()
{
    Cancel();
    {
        std::lock_guard<std::mutex> lock(wakeLock_);
        running_ = false;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void UpgradeWorker::Cancel()
{
    if (!RequestPending())
        return;
    cancel_ = true;
    if (link_.disconnect)
        link_.disconnect();
}

void UpgradeWorker::Request(const QString& path)
{
    cancel_ = false;
    {
        std::lock_guard<std::mutex> lock(pathLock_);
        path_ = path;
    }
    SetMessage(QString());
    {
        std::lock_guard<std::mutex> lock(wakeLock_);
        // The path is in place before the worker can see the flag.
        request_.store(true, std::memory_order_release);
    }
    wake_.notify_all();
}

QString UpgradeWorker::Message() const
{
    std::lock_guard<std::mutex> lock(messageLock_);
    return message_;
}

void UpgradeWorker::SetMessage(const QString& text)
{
    std::lock_guard<std::mutex> lock(messageLock_);
    message_ = text;
}

void UpgradeWorker::UpgradeThreadProc()
{
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(wakeLock_);
            wake_.wait(lock, [this] {
                return !running_.load() || request_.load(std::memory_order_acquire);
            });
            if (!running_.load())
                break;
        }
        QString path;
        {
            std::lock_guard<std::mutex> lock(pathLock_);
            path = path_;
        }
        try {
            SetMessage(HandleRequest(path));
        } catch (const std::exception& e) {
            // The request flag stays set and the worker ends, as the page
            // expects of a failure it cannot explain.
            qDebug("Exception: %s", e.what());
            break;
        }
        request_.store(false, std::memory_order_release);
    }
    alive_ = false;
}

QString UpgradeWorker::HandleRequest(const QString& path)
{
    if (!IsPackageName(path))
        return PageText(kWrongFile);

    // The package is read before the board is contacted: a file that cannot
    // be read sends nothing, and the worker stays ready for the next one.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PageText(kNoFile);
    const QByteArray package = file.readAll();
    const bool readWhole = file.error() == QFileDevice::NoError && package.size() == file.size();
    file.close();
    if (!readWhole)
        return PageText(kNoFile);
    qDebug("File Lenth:%d", int(package.size()));

    // A cancel that came before the connection existed had nothing to close.
    if (cancel_)
        return QString();
    if (!link_.connect(link_.boardAddress(), kBoardPort))
        return cancel_ ? QString() : PageText(kNoBoard);
    if (cancel_) {
        if (link_.disconnect)
            link_.disconnect();
        return QString();
    }
    const Record start = StartRecord();
    if (!link_.send(start.data(), kRecordBytes))
        return QString();

    const auto* bytes = reinterpret_cast<const uint8_t*>(package.constData());
    const int size = package.size();
    int sent = 0;
    // An empty package is one write of nothing, as the board expects a piece.
    do {
        const int n = qMin(kPieceBytes, size - sent);
        // A piece that does not go through (the board went away, took
        // nothing for the stall time-out, or the operator cancelled) leaves
        // the board with a cut package: no end record, so the board does not
        // take it for whole.
        if (!link_.send(bytes + sent, n))
            return cancel_ ? QString() : PageText(kNoBoard);
        sent += n;
    } while (sent < size);

    const Record end = EndRecord(uint32_t(sent));
    link_.send(end.data(), kRecordBytes);
    return PageText(kDone);
}
