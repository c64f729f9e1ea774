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

bool SyncTcpClient::connectTo(const QString& ip, quint16 port)
{
    // The old connection goes first, its receive thread joined, so that no
    // thread reads a socket that is being replaced.
    closeConnection();
    remoteAddress_ = ip;
    try {
        const tcp::endpoint endpoint(asio::ip::make_address_v4(ip.toStdString()), port);
        socket_ = std::make_unique<tcp::socket>(io_, tcp::v4());
        boost::system::error_code ec;
        socket_->set_option(asio::socket_base::send_buffer_size(kSendBufferSize), ec);
        if (ec)
            DeviceLog("Set sendbuffsize failed");
        socket_->connect(endpoint);
    } catch (const boost::system::system_error& e) {
        DeviceLog("Exception: %s", e.what());
        closeConnection();
        return false;
    }
    // Every connection gets its own receive thread; the previous one was joined above.
    running_ = true;
    receiveThread_ = std::thread(&SyncTcpClient::receiveLoop, this);
    return true;
}

bool SyncTcpClient::sendData(const QByteArray& data)
{
    if (!socket_ || !socket_->is_open()) {
        running_ = false;
        return false;
    }
    for (int offset = 0; offset < data.size(); offset += kMaxWrite) {
        const int length = std::min(kMaxWrite, data.size() - offset);
        boost::system::error_code ec;
        asio::write(*socket_, asio::buffer(data.constData() + offset, std::size_t(length)), ec);
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
    running_ = false;
    if (socket_) {
        // Wakes the blocked read; an unconnected socket reports an error that does not matter.
        boost::system::error_code ignored;
        socket_->shutdown(tcp::socket::shutdown_both, ignored);
    }
    if (receiveThread_.joinable())
        receiveThread_.join();
    // Closed only after the join: no thread is left reading the descriptor.
    socket_.reset();
}

void SyncTcpClient::receiveLoop()
{
    // socket_ and remoteAddress_ change only while no receive thread runs.
    tcp::socket& socket = *socket_;
    std::vector<char> buffer(kReceiveBufferSize);
    while (running_) {
        boost::system::error_code ec;
        const std::size_t size = socket.read_some(asio::buffer(buffer), ec);
        if (ec) {
            // The peer's close (end of file) or a read error ends the loop silently.
            running_ = false;
            break;
        }
        if (size > 0)
            emit sigRecvData(QByteArray(buffer.data(), int(size)), remoteAddress_);
    }
}
