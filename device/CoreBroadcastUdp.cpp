#include "CoreBroadcastUdp.h"

#include "UdpEndpoint.h"

#include <QMetaMethod>

CoreBroadcastUdp::CoreBroadcastUdp(QObject* parent) : QObject(parent)
{
    RegisterDatagramBatch();
    UdpEndpoint::Options options;
    options.broadcast = true;
    endpoint_ = std::make_unique<UdpEndpoint>(
        options, [this](DatagramBatch&& batch) {
            if (handOff_.Add(std::move(batch)))
                QMetaObject::invokeMethod(this, &CoreBroadcastUdp::deliverPending, Qt::QueuedConnection);
        });
    DeliverRepeatsEachTurn(this, handOff_, &CoreBroadcastUdp::deliverPending);
}

void CoreBroadcastUdp::deliverPending()
{
    const DatagramBatch batch = handOff_.Take();
    if (batch.isEmpty())
        return;
    if (isSignalConnected(QMetaMethod::fromSignal(&CoreBroadcastUdp::sigBroadcastReadData)))
        for (const Datagram& d : batch)
            emit sigBroadcastReadData(d.data, d.sender);
    emit sigBroadcastReadBatch(batch);
}

CoreBroadcastUdp::~CoreBroadcastUdp()
{
    // The receive thread posts to this object: it stops while the object is whole.
    endpoint_->closePort();
}

bool CoreBroadcastUdp::setRemoteIp(const QString& ip)
{
    endpoint_->setRemoteIp(ip);
    return true;
}

QString CoreBroadcastUdp::remoteIp() const
{
    return endpoint_->remoteIp();
}

bool CoreBroadcastUdp::setRemotePort(quint16 port)
{
    endpoint_->setRemotePort(port);
    return true;
}

quint16 CoreBroadcastUdp::remotePort() const
{
    return endpoint_->remotePort();
}

bool CoreBroadcastUdp::setRemote(const QString& ip, quint16 port)
{
    return endpoint_->setRemote(ip, port);
}

QString CoreBroadcastUdp::localIp() const
{
    return endpoint_->localIp();
}

bool CoreBroadcastUdp::sendData(const QByteArray& data)
{
    return endpoint_->sendData(data);
}

bool CoreBroadcastUdp::openPort(const QString& localIp, quint16 localPort)
{
    return endpoint_->openPort(localIp, localPort);
}

bool CoreBroadcastUdp::startPort()
{
    return endpoint_->startPort();
}

void CoreBroadcastUdp::closePort()
{
    endpoint_->closePort();
    // What the closed socket received and this thread has not yet taken
    // belongs to the session that ended: it is never delivered.
    handOff_.Take();
}
