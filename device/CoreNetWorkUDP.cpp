#include "CoreNetWorkUDP.h"

#include "UdpEndpoint.h"

#include <QMetaMethod>

namespace {
// SO_RCVBUF asked for; the system may round it. A read-back arrives as a
// burst of well over a hundred datagrams: with only 8 KB the kernel drops
// most of them whenever this receive thread is not scheduled for a few
// milliseconds, and the pages would show a half-read configuration.
constexpr int kSocketReceiveBuffer = 256 * 1024;
}  // namespace

CoreNetWorkUDP::CoreNetWorkUDP(QObject* parent) : QObject(parent)
{
    RegisterDatagramBatch();
    UdpEndpoint::Options options;
    options.reuseAddress = true;
    options.receiveBufferSize = kSocketReceiveBuffer;
    endpoint_ = std::make_unique<UdpEndpoint>(
        options, [this](DatagramBatch&& batch) {
            {
                std::lock_guard<std::mutex> guard(senderLock_);
                lastSender_ = batch.constLast().sender;
            }
            if (handOff_.Add(std::move(batch)))
                QMetaObject::invokeMethod(this, &CoreNetWorkUDP::deliverPending, Qt::QueuedConnection);
        });
    DeliverRepeatsEachTurn(this, handOff_, &CoreNetWorkUDP::deliverPending);
}

void CoreNetWorkUDP::deliverPending()
{
    const DatagramBatch batch = handOff_.Take();
    if (batch.isEmpty())
        return;
    if (isSignalConnected(QMetaMethod::fromSignal(&CoreNetWorkUDP::sigReadData)))
        for (const Datagram& d : batch)
            emit sigReadData(d.data, d.sender);
    emit sigReadBatch(batch);
}

int CoreNetWorkUDP::pendingDatagrams() const
{
    return handOff_.Pending();
}

CoreNetWorkUDP::~CoreNetWorkUDP()
{
    // The receive thread posts to this object: it stops while the object is whole.
    endpoint_->closePort();
}

bool CoreNetWorkUDP::sendData(const QByteArray& data)
{
    return endpoint_->sendData(data);
}

bool CoreNetWorkUDP::setRemoteIp(const QString& ip)
{
    endpoint_->setRemoteIp(ip);
    return true;
}

QString CoreNetWorkUDP::remoteIp() const
{
    return endpoint_->remoteIp();
}

bool CoreNetWorkUDP::setRemotePort(quint16 port)
{
    endpoint_->setRemotePort(port);
    return true;
}

quint16 CoreNetWorkUDP::remotePort() const
{
    return endpoint_->remotePort();
}

bool CoreNetWorkUDP::setRemote(const QString& ip, quint16 port)
{
    return endpoint_->setRemote(ip, port);
}

bool CoreNetWorkUDP::sendDataTo(const QString& ip, quint16 port, const QByteArray& data)
{
    return endpoint_->sendDataTo(ip, port, data);
}

bool CoreNetWorkUDP::openPort(const QString& localIp, quint16 localPort)
{
    return endpoint_->openPort(localIp, localPort);
}

bool CoreNetWorkUDP::startPort()
{
    return endpoint_->startPort();
}

void CoreNetWorkUDP::closePort()
{
    endpoint_->closePort();
    // What the closed socket received and this thread has not yet taken
    // belongs to the session that ended: it is never delivered.
    handOff_.Take();
}

QString CoreNetWorkUDP::lastSender() const
{
    std::lock_guard<std::mutex> guard(senderLock_);
    return lastSender_;
}
