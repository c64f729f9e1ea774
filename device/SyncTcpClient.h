// Blocking TCP client for the firmware upload to a processor's video board:
// connects to an IPv4 address, writes whole buffers and hands every block
// it receives to a signal from its own receive thread.
//
// Threads: connectTo, sendData and closeConnection run on one caller thread;
// sigRecvData is emitted on the receive thread.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <atomic>
#include <memory>
#include <thread>

class SyncTcpClient : public QObject {
    Q_OBJECT
public:
    explicit SyncTcpClient(QObject* parent = nullptr);
    ~SyncTcpClient() override;

    virtual bool sendData(const QByteArray& data);
    bool connectTo(const QString& ip, quint16 port);
    void closeConnection();

signals:
    void sigRecvData(const QByteArray& data, const QString& address);

private:
    void receiveLoop();

    boost::asio::io_context io_;
    std::unique_ptr<boost::asio::ip::tcp::socket> socket_;
    // Set before the receive thread starts; cleared by closing and by any read or write error.
    std::atomic<bool> running_{false};
    std::thread receiveThread_;
    QString remoteAddress_;
};
