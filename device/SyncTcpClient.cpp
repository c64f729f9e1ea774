#include "SyncTcpClient.h"

#include "DeviceLog.h"

#include <boost/asio/ip/address_v4.hpp>
#include <boost/asio/write.hpp>

#include <algorithm>
#include <vector>

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {
constexpr int kSendBufferSize = 2048;
constexpr int kMaxWrite = 65536;
constexpr std::size_t kReceiveBufferSize = 8192;
}  // namespace

SyncTcpClient::SyncTcpClient(QObject* parent) : QObject(parent) {}

SyncTcpClient::~SyncTcpClient()
{
    closeConnection();
}

std::shared_ptr<SyncTcpClient::Socket> SyncTcpClient::currentSocket() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return socket_;
}

bool SyncTcpClient::connectTo(const QString& ip, quint16 port)
{
    // The old connection goes first, its receive thread joined, so that no
    // thread reads a socket that is being replaced.
    closeConnection();
    std::shared_ptr<Socket> socket;
    try {
        const tcp::endpoint endpoint(asio::ip::make_address_v4(ip.toStdString()), port);
        socket = std::make_shared<Socket>(io_, tcp::v4());
        boost::system::error_code ec;
        socket->set_option(asio::socket_base::send_buffer_size(kSendBufferSize), ec);
        if (ec)
            DeviceLog("Set sendbuffsize failed");
        {
            // Published before the connect, so that a close from another
            // thread can break a connect that hangs.
            std::lock_guard<std::mutex> guard(lock_);
            socket_ = socket;
            remoteAddress_ = ip;
        }
        socket->connect(endpoint);
    } catch (const boost::system::system_error& e) {
        DeviceLog("Exception: %s", e.what());
        std::lock_guard<std::mutex> guard(lock_);
        if (socket_ == socket)
            socket_.reset();
        return false;
    }
    std::lock_guard<std::mutex> guard(lock_);
    if (socket_ != socket || receiveThread_.joinable())
        return false;  // closed (or replaced) while connecting
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
    for (int offset = 0; offset < data.size(); offset += kMaxWrite) {
        const int length = std::min(kMaxWrite, data.size() - offset);
        boost::system::error_code ec;
        asio::write(*socket, asio::buffer(data.constData() + offset, std::size_t(length)), ec);
        if (ec) {
            DeviceLog("Exception: %s", ec.message().c_str());
            running_ = false;
            return false;
        }
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
