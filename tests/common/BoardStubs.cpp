#include "BoardStubs.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The kernel's own receive buffer stays small, so that a board that stops
// reading blocks the sender after little more than what it took.
constexpr int kReceiveBuffer = 4096;
}  // namespace

TakingBoard::TakingBoard(qint64 take) : take_(take)
{
    connect(&server_, &QTcpServer::newConnection, this, &TakingBoard::accept);
}

bool TakingBoard::listen(const QString& ip, quint16 port)
{
    if (!server_.listen(QHostAddress(ip), port))
        return false;
    // Accepted connections inherit the listener's buffer size.
    const int size = kReceiveBuffer;
    return ::setsockopt(int(server_.socketDescriptor()), SOL_SOCKET, SO_RCVBUF, &size,
                        sizeof(size)) == 0;
}

void TakingBoard::accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const int index = sockets_.size();
        sockets_.append(socket);
        received_.append(QByteArray());
        const qint64 take = take_;
        auto read = [this, socket, index, take] {
            QByteArray& got = received_[index];
            const qint64 room = take < 0 ? socket->bytesAvailable() : take - got.size();
            if (room > 0)
                got += socket->read(room);
            // Qt stops reading from the kernel once its own buffer is full.
            if (take >= 0)
                socket->setReadBufferSize(qMax<qint64>(1, take - got.size()));
        };
        if (take >= 0)
            socket->setReadBufferSize(qMax<qint64>(1, take));
        connect(socket, &QTcpSocket::readyRead, this, read);
        read();
    }
}

QByteArray TakingBoard::lastBytes() const
{
    return received_.isEmpty() ? QByteArray() : received_.last();
}

bool ConnectPending(quint16 port)
{
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray remote = ':' + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        // sl, local_address, rem_address, st; 02 is SYN_SENT.
        if (f.size() > 3 && f[2].endsWith(remote) && f[3] == "02")
            return true;
    }
    return false;
}

SilentBoard::~SilentBoard()
{
    for (int fd : waiting_)
        ::close(fd);
    if (listener_ >= 0)
        ::close(listener_);
}

bool SilentBoard::listen(const QString& ip, quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (::inet_pton(AF_INET, ip.toLatin1().constData(), &address.sin_addr) != 1)
        return false;
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
    if (listener_ < 0 ||
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) ||
        ::listen(listener_, 0))
        return false;
    socklen_t length = sizeof(address);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);

    // A queue of length 0 holds one connection that nobody accepts; the
    // kernel reports its length and limit for a listener in tcp_info. Each
    // connect below is made only while the queue has room, so it completes.
    const QDeadlineTimer deadline(10000);
    for (;;) {
        tcp_info info{};
        length = sizeof(info);
        if (::getsockopt(listener_, IPPROTO_TCP, TCP_INFO, &info, &length) != 0)
            return false;
        if (info.tcpi_unacked > info.tcpi_sacked)
            return true;
        if (deadline.hasExpired())
            return false;
        if (waiting_.size() > info.tcpi_unacked) {
            // A connection made is not in the queue yet.
            QThread::yieldCurrentThread();
            continue;
        }
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0)
            return false;
        waiting_.push_back(fd);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
            return false;
    }
}

Rescue::Rescue(std::function<void()> end, int afterMs)
    : thread_([this, end, afterMs] {
          std::unique_lock<std::mutex> lock(lock_);
          if (wake_.wait_for(lock, std::chrono::milliseconds(afterMs), [this] { return over_; }))
              return;
          rescued_ = true;
          lock.unlock();
          end();
      })
{
}

Rescue::~Rescue()
{
    {
        std::lock_guard<std::mutex> lock(lock_);
        over_ = true;
    }
    wake_.notify_all();
    thread_.join();
}
