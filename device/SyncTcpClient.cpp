#include "SyncTcpClient.h"

#include "DeviceLog.h"

#include <boost/asio/ip/address_v4.hpp>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include <poll.h>
#include <sys/socket.h>

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {
constexpr int kSendBufferSize = 2048;
constexpr int kMaxWrite = 65536;
constexpr std::size_t kReceiveBufferSize = 8192;

using Clock = std::chrono::steady_clock;

enum class Wait { Ready, TimedOut, Failed };

// Waits until fd can be written (a connect has ended, or a send has room)
// or the deadline passes. A shutdown from another thread makes it ready: the
// call that follows then fails.
Wait WaitWritable(int fd, Clock::time_point deadline)
{
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return Wait::TimedOut;
        pollfd p{};
        p.fd = fd;
        p.events = POLLOUT;
        const int n = ::poll(&p, 1, int(std::min<long long>(left, 1 << 30)));
        if (n > 0)
            return Wait::Ready;
        if (n < 0 && errno != EINTR)
            return Wait::Failed;
    }
}

void LogError(const char* what)
{
    DeviceLog("Exception: %s", what);
}
}  // namespace

SyncTcpClient::SyncTcpClient(QObject* parent) : QObject(parent) {}

SyncTcpClient::~SyncTcpClient()
{
    closeConnection();
}

void SyncTcpClient::setTimeouts(int connectMs, int stallMs)
{
    connectTimeoutMs_ = connectMs;
    stallTimeoutMs_ = stallMs;
}

std::shared_ptr<SyncTcpClient::Socket> SyncTcpClient::currentSocket() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return socket_;
}

bool SyncTcpClient::isCurrent(const std::shared_ptr<Socket>& socket) const
{
    std::lock_guard<std::mutex> guard(lock_);
    return socket_ == socket;
}

bool SyncTcpClient::connectTo(const QString& ip, quint16 port)
{
    // The old connection goes first, its receive thread joined, so that no
    // thread reads a socket that is being replaced.
    closeConnection();
    std::shared_ptr<Socket> socket;
    tcp::endpoint endpoint;
    try {
        endpoint = tcp::endpoint(asio::ip::make_address_v4(ip.toStdString()), port);
        socket = std::make_shared<Socket>(io_, tcp::v4());
    } catch (const boost::system::system_error& e) {
        LogError(e.what());
        return false;
    }
    boost::system::error_code ec;
    socket->set_option(asio::socket_base::send_buffer_size(kSendBufferSize), ec);
    if (ec)
        DeviceLog("Set sendbuffsize failed");
    // Non-blocking underneath, so that the connect and every send can wait
    // with a deadline; the receive thread's blocking read waits in Asio's own
    // poll instead.
    socket->native_non_blocking(true, ec);
    if (ec) {
        LogError(ec.message().c_str());
        return false;
    }
    {
        // Published before the connect, so that a close from another
        // thread can break a connect that hangs.
        std::lock_guard<std::mutex> guard(lock_);
        socket_ = socket;
        remoteAddress_ = ip;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(connectTimeoutMs_.load());
    const int fd = socket->native_handle();
    int error = 0;
    if (::connect(fd, endpoint.data(), socklen_t(endpoint.size())) != 0) {
        error = errno;
        // A close that came before the connect started found nothing to wake.
        if (error == EINPROGRESS && isCurrent(socket)) {
            switch (WaitWritable(fd, deadline)) {
            case Wait::Ready: {
                socklen_t length = sizeof(error);
                if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                    error = errno;
                break;
            }
            case Wait::TimedOut:
                error = ETIMEDOUT;
                break;
            case Wait::Failed:
                error = errno;
                break;
            }
        }
    }
    std::lock_guard<std::mutex> guard(lock_);
    if (error != 0 || socket_ != socket || receiveThread_.joinable()) {
        LogError(error == 0 || error == EINPROGRESS ? "connection closed while connecting"
                                                    : std::strerror(error));
        if (socket_ == socket) {
            running_ = false;
            socket_.reset();
        }
        return false;
    }
    // Every connection gets its own receive thread; the previous one was joined above.
    running_ = true;
    receiveThread_ = std::thread(&SyncTcpClient::receiveLoop, this, socket, ip);
    return true;
}

bool SyncTcpClient::sendData(const QByteArray& data)
{
    const std::shared_ptr<Socket> socket = currentSocket();
    if (!socket || !socket->is_open()) {
        running_ = false;
        return false;
    }
    const int fd = socket->native_handle();
    const auto stall = std::chrono::milliseconds(stallTimeoutMs_.load());
    auto deadline = Clock::now() + stall;
    const char* bytes = data.constData();
    std::size_t left = std::size_t(data.size());
    while (left > 0) {
        const ssize_t n =
            ::send(fd, bytes, std::min(left, std::size_t(kMaxWrite)), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            bytes += n;
            left -= std::size_t(n);
            deadline = Clock::now() + stall;
            continue;
        }
        const int error = n < 0 ? errno : EPIPE;
        if (error == EINTR)
            continue;
        if (error == EAGAIN || error == EWOULDBLOCK) {
            const Wait wait = WaitWritable(fd, deadline);
            if (wait == Wait::Ready)
                continue;
            if (wait == Wait::TimedOut) {
                // The board stopped reading: the connection is dead for the
                // upgrade, and its receive thread ends with it.
                LogError("the peer took nothing for the stall time-out");
                boost::system::error_code ignored;
                socket->shutdown(tcp::socket::shutdown_both, ignored);
            } else {
                LogError(std::strerror(errno));
            }
        } else {
            LogError(std::strerror(error));
        }
        running_ = false;
        return false;
    }
    return true;
}

void SyncTcpClient::closeConnection()
{
    std::shared_ptr<Socket> socket;
    std::thread thread;
    {
        std::lock_guard<std::mutex> guard(lock_);
        running_ = false;
        socket = std::move(socket_);
        thread = std::move(receiveThread_);
    }
    if (socket) {
        // Wakes a blocked read, write or connect on any thread; an unconnected
        // socket reports an error that does not matter.
        boost::system::error_code ignored;
        socket->shutdown(tcp::socket::shutdown_both, ignored);
    }
    if (thread.joinable())
        thread.join();
    // The descriptor is closed when the last user lets go of it: here, or at
    // the end of a send that is still failing out on another thread.
}

void SyncTcpClient::receiveLoop(std::shared_ptr<Socket> socket, QString address)
{
    std::vector<char> buffer(kReceiveBufferSize);
    while (running_) {
        boost::system::error_code ec;
        const std::size_t size = socket->read_some(asio::buffer(buffer), ec);
        if (ec) {
            // The peer's close (end of file) or a read error ends the loop silently.
            running_ = false;
            break;
        }
        if (size > 0)
            emit sigRecvData(QByteArray(buffer.data(), int(size)), address);
    }
}
