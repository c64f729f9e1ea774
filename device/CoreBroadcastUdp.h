// The broadcast transport: one socket allowed to broadcast, which sends the
// search, set-IP and take frames and receives the devices' answers.
#pragma once

#include "Datagram.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class UdpEndpoint;

class CoreBroadcastUdp : public QObject {
    Q_OBJECT
public:
    explicit CoreBroadcastUdp(QObject* parent = nullptr);
    ~CoreBroadcastUdp() override;

    virtual bool setRemoteIp(const QString& ip);
    virtual QString remoteIp() const;
    virtual bool setRemotePort(quint16 port);
    virtual quint16 remotePort() const;
    virtual bool setRemote(const QString& ip, quint16 port);
    // Address text of the last openPort, even when its bind failed; empty before.
    virtual QString localIp() const;
    virtual bool sendData(const QByteArray& data);

    bool openPort(const QString& localIp, quint16 localPort);
    bool startPort();
    void closePort();

    // Delivers at once what the receive thread has left, repeats of status
    // frames that wait for this thread's next turn included.
    void deliverPending();
    // The next status frame of every device is delivered at once.
    void forgetRepeats() { handOff_.ForgetRepeats(); }
    // Datagrams received and not yet delivered to this object's thread.
    int pendingDatagrams() const { return handOff_.Pending(); }

signals:
    // Both are raised on this object's thread. One datagram; raised only
    // while something listens to it.
    void sigBroadcastReadData(const QByteArray& data, const QString& sender);
    // Every datagram received since the last delivery, in order.
    void sigBroadcastReadBatch(const DatagramBatch& batch);

private:
    DatagramHandOff handOff_;
    // Last, so that it goes first and its thread never outlives the members above.
    std::unique_ptr<UdpEndpoint> endpoint_;
};
