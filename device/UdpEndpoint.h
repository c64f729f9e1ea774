// One bound UDP socket with its receive thread and its target: the mechanics
// that the unicast and the broadcast transport share. Each transport names
// its socket options and takes the datagrams through its own receiver.
//
// The receive thread blocks for one datagram, then takes whatever else the
// socket already holds (up to a bound) and hands the lot to the receiver in
// one call, so a burst of replies costs one hand-off, not one per datagram.
// While one sender's datagrams come back to back it waits a moment for the
// next one (at most a few milliseconds in all) before handing them on.
//
// Threads: setRemote, sendData and sendDataTo may run on any thread; they
// are serialised by one lock, so a target change never splits sendDataTo.
// openPort, startPort and closePort belong to one controlling thread. The
// receiver runs on the receive thread; it must not close the endpoint.
#pragma once

#include "Datagram.h"

#include <QByteArray>
#include <QString>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class UdpEndpoint {
public:
    struct Options {
        bool reuseAddress = false;
        bool broadcast = false;
        int receiveBufferSize = 0;  // 0 keeps the system's size
    };
    // Called on the receive thread with the datagrams taken in one go, in
    // their order of arrival; never with an empty batch.
    using Receiver = std::function<void(DatagramBatch&& batch)>;
    // Most datagrams handed on in one call.
    static constexpr int kMaxBatch = 256;

    UdpEndpoint(const Options& options, Receiver receiver);
    ~UdpEndpoint();
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    bool openPort(const QString& localIp, quint16 localPort);
    bool startPort();
    void closePort();

    bool setRemote(const QString& ip, quint16 port);
    void setRemoteIp(const QString& ip);
    QString remoteIp() const;
    void setRemotePort(quint16 port);
    quint16 remotePort() const;
    QString localIp() const;

    bool sendData(const QByteArray& data);
    bool sendDataTo(const QString& ip, quint16 port, const QByteArray& data);

private:
    bool bindLocked();
    bool resolveLocked();
    bool sendLocked(const QByteArray& data);
    void receiveLoop(boost::asio::ip::udp::socket& socket);

    const Options options_;
    const Receiver receiver_;
    boost::asio::io_context io_;
    boost::asio::ip::udp::resolver resolver_{io_};
    std::unique_ptr<boost::asio::ip::udp::socket> socket_;
    mutable std::mutex lock_;  // socket_, target texts and target_, local texts, the thread handle
    std::atomic<bool> running_{false};
    QString remoteIp_;
    quint16 remotePort_ = 0;
    QString localIp_;
    quint16 localPort_ = 0;
    std::optional<boost::asio::ip::udp::endpoint> target_;
    std::thread receiveThread_;
};
