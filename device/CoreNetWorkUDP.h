// The unicast transport: one socket bound to the PC's search address, which
// sends the queued command frames to one device at a time and receives the
// devices' replies.
#pragma once

#include "Datagram.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <mutex>

class UdpEndpoint;

class CoreNetWorkUDP : public QObject {
    Q_OBJECT
public:
    explicit CoreNetWorkUDP(QObject* parent = nullptr);
    ~CoreNetWorkUDP() override;

    virtual bool sendData(const QByteArray& data);
    virtual bool setRemoteIp(const QString& ip);
    virtual QString remoteIp() const;
    virtual bool setRemotePort(quint16 port);
    virtual quint16 remotePort() const;
    virtual bool setRemote(const QString& ip, quint16 port);

    // Sets the target and sends in one step that no target change from
    // another thread can split. False, sending nothing, for an empty or
    // unresolvable address.
    bool sendDataTo(const QString& ip, quint16 port, const QByteArray& data);

    bool openPort(const QString& localIp, quint16 localPort);
    bool startPort();
    void closePort();

    // Delivers at once what the receive thread has left, repeats of status
    // frames that wait for this thread's next turn included.
    void deliverPending();
    // The next status frame of every device is delivered at once.
    void forgetRepeats() { handOff_.ForgetRepeats(); }

    // Address text of the sender of the last datagram received.
    QString lastSender() const;
    // Datagrams received and not yet delivered to this object's thread.
    int pendingDatagrams() const;

signals:
    // Both are raised on this object's thread. One datagram; raised only
    // while something listens to it.
    void sigReadData(const QByteArray& data, const QString& sender);
    // Every datagram received since the last delivery, in order.
    void sigReadBatch(const DatagramBatch& batch);

private:
    DatagramHandOff handOff_;
    mutable std::mutex senderLock_;
    QString lastSender_;
    // Last, so that it goes first and its thread never outlives the members above.
    std::unique_ptr<UdpEndpoint> endpoint_;
};
