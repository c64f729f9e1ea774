// Blocking TCP client for the firmware upload to a processor's video board:
// connects to an IPv4 address, writes whole buffers and hands every block
// it receives to a signal from its own receive thread.
//
// Threads: connectTo and sendData run on the upgrade worker's thread while
// the GUI thread may call closeConnection at any time. The socket is shared:
// each operation takes its own reference under a short lock and does its
// blocking work outside it, so closing during a send or a connect only makes
// that call fail (the shutdown wakes it), never frees a socket in use.
// sigRecvData is emitted on the receive thread.
//
// A board that never answers or stops reading must not hold the worker for
// good: a connect gives up after the connect time-out, and a send fails once
// its bytes have made no progress for the stall time-out. Both waits poll the
// non-blocking descriptor (Boost.Asio's blocking calls take no time-out), and
// a close from another thread still wakes them. POSIX sockets only.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

class SyncTcpClient : public QObject {
    Q_OBJECT
public:
    static constexpr int kConnectTimeoutMs = 5000;
    static constexpr int kStallTimeoutMs = 30000;

    explicit SyncTcpClient(QObject* parent = nullptr);
    ~SyncTcpClient() override;

    // For the next connect and send (tests shorten them); any thread.
    void setTimeouts(int connectMs, int stallMs);

    virtual bool sendData(const QByteArray& data);
    bool connectTo(const QString& ip, quint16 port);
    void closeConnection();

signals:
    void sigRecvData(const QByteArray& data, const QString& address);

private:
    using Socket = boost::asio::ip::tcp::socket;
    void receiveLoop(std::shared_ptr<Socket> socket, QString address);
    std::shared_ptr<Socket> currentSocket() const;
    bool isCurrent(const std::shared_ptr<Socket>& socket) const;

    boost::asio::io_context io_;
    mutable std::mutex lock_;  // socket_, receiveThread_, remoteAddress_
    std::shared_ptr<Socket> socket_;
    // Set before the receive thread starts; cleared by closing and by any read or write error.
    std::atomic<bool> running_{false};
    std::thread receiveThread_;
    QString remoteAddress_;
    std::atomic<int> connectTimeoutMs_{kConnectTimeoutMs};
    std::atomic<int> stallTimeoutMs_{kStallTimeoutMs};
};
