#include "UdpEndpoint.h"

#include "DeviceList.h"
#include "DeviceLog.h"

#include <boost/asio/ip/address_v4.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace asio = boost::asio;
using asio::ip::udp;

namespace {
constexpr std::size_t kReceiveBufferSize = 8192;
constexpr std::chrono::milliseconds kErrorPause{10};
// A device that answers a read-back sends its hundred-odd replies back to
// back, paced a few to the millisecond. Taken as they come, each would wake
// this thread, and each gap between them would hand a delivery to the
// owner's thread and wake it too. From the third datagram in a row of one
// sender, the thread instead sleeps for a gap whenever the socket is empty
// and takes what came meanwhile; the batch goes on once a gap brings
// nothing, or once it has been held kBurstHold. A command's acknowledgement
// and its reply, lone heartbeats and datagrams of several devices that
// happen to coincide are handed on at once. A gap costs the burst's last
// datagrams at most kBurstGap: nothing next to a read-back that takes a
// hundred milliseconds, while each gap slept is a wake of this thread, and
// each batch one of the owner's.
constexpr int kBurstRun = 3;
constexpr std::chrono::milliseconds kBurstGap{8};
constexpr std::chrono::milliseconds kBurstHold{32};

void LogError(const boost::system::error_code& ec)
{
    DeviceLog("Exception: %s", ec.message().c_str());
}

// One sender's datagrams in a row, in the batch being taken.
struct Burst {
    int run = 0;
    std::chrono::steady_clock::time_point since;  // when the run reached kBurstRun
    bool sleptForGap = false;

    void note(bool sameSender)
    {
        run = sameSender ? run + 1 : 1;
        if (run == kBurstRun)
            since = std::chrono::steady_clock::now();
        sleptForGap = false;
    }
    // Whether to sleep for the gap now that the socket is empty.
    bool waitForMore() const
    {
        return run >= kBurstRun && !sleptForGap &&
               std::chrono::steady_clock::now() - since < kBurstHold;
    }
};

// Datagrams taken in one system call (Linux's recvmmsg): a burst that piled
// up while the thread slept costs one call, not two per datagram.
class Inbox {
public:
    static constexpr int kCount = 32;

    Inbox() : buffers_(new char[std::size_t(kCount) * kReceiveBufferSize])
    {
        for (int i = 0; i < kCount; ++i) {
            iov_[i] = {buffers_.get() + std::size_t(i) * kReceiveBufferSize, kReceiveBufferSize};
            msgs_[i].msg_hdr = {};
            msgs_[i].msg_hdr.msg_iov = &iov_[i];
            msgs_[i].msg_hdr.msg_iovlen = 1;
            msgs_[i].msg_hdr.msg_name = &from_[i];
        }
    }

    // The number of datagrams taken (at most `most`), or -errno. `wait`:
    // block for the first one, then take what else is there; otherwise take
    // only what is there.
    int take(int fd, bool wait, int most)
    {
        const unsigned count = unsigned(std::clamp(most, 1, kCount));
        for (unsigned i = 0; i < count; ++i)
            msgs_[i].msg_hdr.msg_namelen = sizeof from_[i];
        int n;
        do
            n = ::recvmmsg(fd, msgs_, count, wait ? MSG_WAITFORONE : MSG_DONTWAIT, nullptr);
        while (n < 0 && errno == EINTR);
        return n < 0 ? -errno : n;
    }

    // A longer datagram is cut to the buffer (the system reports the size
    // it copied).
    QByteArray data(int i) const
    {
        return QByteArray(static_cast<const char*>(iov_[i].iov_base), int(msgs_[i].msg_len));
    }
    const sockaddr_in& sender(int i) const { return from_[i]; }

private:
    std::unique_ptr<char[]> buffers_;  // not cleared: only what a datagram fills is read
    mmsghdr msgs_[kCount];
    iovec iov_[kCount];
    sockaddr_in from_[kCount];
};

bool SameAddress(const sockaddr_in& a, const sockaddr_in& b)
{
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}
}  // namespace

UdpEndpoint::UdpEndpoint(const Options& options, Receiver receiver)
    : options_(options), receiver_(std::move(receiver))
{
}

UdpEndpoint::~UdpEndpoint()
{
    closePort();
}

bool UdpEndpoint::openPort(const QString& localIp, quint16 localPort)
{
    if (localIp.isEmpty())
        return false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        localIp_ = localIp;
        localPort_ = localPort;
    }
    closePort();
    return startPort();
}

bool UdpEndpoint::startPort()
{
    std::unique_lock<std::mutex> guard(lock_);
    if (running_)
        return false;
    // Without a target text the socket still opens; it sends nothing until a
    // target is set.
    if (bindLocked() && (resolveLocked() || remoteIp_.isEmpty())) {
        running_ = true;
        receiveThread_ = std::thread(&UdpEndpoint::receiveLoop, this, std::ref(*socket_));
        return true;
    }
    guard.unlock();
    closePort();
    return false;
}

void UdpEndpoint::closePort()
{
    std::unique_ptr<udp::socket> socket;
    std::thread thread;
    {
        std::lock_guard<std::mutex> guard(lock_);
        running_ = false;
        if (socket_) {
            // Shutting down wakes a receive blocked on the socket (Linux reports
            // ENOTCONN for an unconnected socket but shuts it down all the same).
            boost::system::error_code ignored;
            socket_->shutdown(udp::socket::shutdown_both, ignored);
        }
        socket = std::move(socket_);
        thread = std::move(receiveThread_);
    }
    if (thread.joinable())
        thread.join();
    // Closed only now: until the thread has gone the descriptor stays valid,
    // so its number cannot be handed to another socket under a pending receive.
    socket.reset();
}

bool UdpEndpoint::setRemote(const QString& ip, quint16 port)
{
    std::lock_guard<std::mutex> guard(lock_);
    remoteIp_ = ip;
    remotePort_ = port;
    return resolveLocked();
}

void UdpEndpoint::setRemoteIp(const QString& ip)
{
    std::lock_guard<std::mutex> guard(lock_);
    remoteIp_ = ip;
}

QString UdpEndpoint::remoteIp() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return remoteIp_;
}

void UdpEndpoint::setRemotePort(quint16 port)
{
    std::lock_guard<std::mutex> guard(lock_);
    remotePort_ = port;
}

quint16 UdpEndpoint::remotePort() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return remotePort_;
}

QString UdpEndpoint::localIp() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return localIp_;
}

bool UdpEndpoint::sendData(const QByteArray& data)
{
    std::lock_guard<std::mutex> guard(lock_);
    return sendLocked(data);
}

bool UdpEndpoint::sendDataTo(const QString& ip, quint16 port, const QByteArray& data)
{
    std::lock_guard<std::mutex> guard(lock_);
    remoteIp_ = ip;
    remotePort_ = port;
    return resolveLocked() && sendLocked(data);
}

bool UdpEndpoint::bindLocked()
{
    boost::system::error_code ec;
    const asio::ip::address_v4 address = asio::ip::make_address_v4(localIp_.toStdString(), ec);
    if (ec) {
        LogError(ec);
        return false;
    }
    socket_ = std::make_unique<udp::socket>(io_);
    socket_->open(udp::v4(), ec);
    // Options go on before the bind: SO_REUSEADDR set afterwards has no effect.
    if (!ec && options_.reuseAddress)
        socket_->set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec && options_.broadcast)
        socket_->set_option(asio::socket_base::broadcast(true), ec);
    if (!ec && options_.receiveBufferSize > 0) {
        boost::system::error_code ignored;  // the system may keep a size of its own
        socket_->set_option(asio::socket_base::receive_buffer_size(options_.receiveBufferSize),
                            ignored);
    }
    if (!ec)
        socket_->bind(udp::endpoint(address, localPort_), ec);
    if (ec) {
        LogError(ec);
        return false;
    }
    return true;
}

bool UdpEndpoint::resolveLocked()
{
    target_.reset();
    if (remoteIp_.isEmpty())
        return false;
    boost::system::error_code ec;
    // Targets are address texts: a numeric look-up never waits on a name server.
    const udp::resolver::results_type results =
        resolver_.resolve(udp::v4(), remoteIp_.toStdString(), std::to_string(remotePort_),
                          udp::resolver::numeric_host | udp::resolver::numeric_service, ec);
    if (ec) {
        LogError(ec);
        return false;
    }
    target_ = results.begin()->endpoint();
    return true;
}

bool UdpEndpoint::sendLocked(const QByteArray& data)
{
    if (!socket_ || !target_)
        return false;
    boost::system::error_code ec;
    socket_->send_to(asio::buffer(data.constData(), std::size_t(data.size())), *target_, 0, ec);
    if (ec) {
        LogError(ec);
        return false;
    }
    return true;
}

void UdpEndpoint::receiveLoop(udp::socket& socket)
{
    // Named for whoever looks at the process's threads (top -H, a profiler).
    pthread_setname_np(pthread_self(), "udp-receive");
    const int fd = socket.native_handle();
    Inbox inbox;
    // Most datagrams come from a handful of devices: their address text is
    // made once per sender, not once per datagram.
    sockaddr_in lastSender{};
    QString lastSenderText;
    int errorsInARow = 0;
    DatagramBatch batch;
    Burst burst;
    const auto handOn = [&] {
        receiver_(std::move(batch));
        batch = DatagramBatch();
        burst = Burst();
    };
    while (running_) {
        // Block for the first datagram; take the rest only while more come.
        const int n = inbox.take(fd, batch.isEmpty(), kMaxBatch - batch.size());
        if (!running_)
            break;  // closePort shut the socket down
        if (n == -EAGAIN || n == -EWOULDBLOCK) {
            if (burst.waitForMore()) {
                std::this_thread::sleep_for(kBurstGap);
                burst.sleptForGap = true;
            } else {
                handOn();
            }
            continue;
        }
        if (n <= 0) {
            // One bad datagram must not leave the link deaf: keep receiving.
            // An error that repeats (a socket gone bad) must not spin a core
            // or flood the log either: from the second one in a row, pause.
            LogError(boost::system::error_code(n < 0 ? -n : EIO, boost::system::system_category()));
            if (++errorsInARow > 1)
                std::this_thread::sleep_for(kErrorPause);
            continue;
        }
        errorsInARow = 0;
        const int64_t now = DeviceList::NowMs();
        for (int i = 0; i < n; ++i) {
            const sockaddr_in& sender = inbox.sender(i);
            const bool same = !lastSenderText.isEmpty() && SameAddress(sender, lastSender);
            burst.note(same && !batch.isEmpty());
            if (!same) {
                lastSender = sender;
                char text[INET_ADDRSTRLEN] = {};
                ::inet_ntop(AF_INET, &sender.sin_addr, text, sizeof text);
                lastSenderText = QString::fromLatin1(text);
            }
            batch.append(Datagram{inbox.data(i), lastSenderText, now});
        }
        if (batch.size() >= kMaxBatch)
            handOn();
    }
}
