// Plays devices that announce themselves (code 0x8081) to the PC's broadcast
// socket from one address of the private test network: one device at a time,
// or a flood of devices with ever new MACs at a fixed rate.
#pragma once

#include "Frames.h"
#include "MachineRecord.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUdpSocket>
#include <functional>

namespace Announce {
// The payload of an announcement or a search reply: marker, MAC, the device's
// address in P9..P12 and its video board's in P17..P20.
Payload Reply(const MacAddress& mac, const QString& ip,
              const QString& board = QStringLiteral("255.255.255.255"));
// One announcement frame: marker, MAC, the device's address in P9..P12 and
// its video board's in P17..P20 (255.255.255.255: none).
QByteArray Frame(const MacAddress& mac, const QString& ip,
                 const QString& board = QStringLiteral("255.255.255.255"), uint16_t code = 0x8081);
// The MAC of flood device n: 02:4B:53 (locally administered) and n.
MacAddress FloodMac(int n);
}  // namespace Announce

class Announcer : public QObject {
    Q_OBJECT
public:
    // Sends from an ephemeral port of from; to is the PC's address.
    Announcer(const QString& from, const QString& to, QObject* parent = nullptr);

    bool isBound() const { return bound_; }
    // One announcement now; false when the datagram could not be sent.
    bool announce(const MacAddress& mac, const QString& ip,
                  const QString& board = QStringLiteral("255.255.255.255"));
    // count announcements of flood devices 0..count-1, one every intervalMs
    // (the first at once); ipOf names the address each one claims.
    void flood(int count, int intervalMs, std::function<QString(int)> ipOf);
    bool flooding() const { return next_ < count_; }
    int sent() const { return next_; }

signals:
    void floodDone();

private:
    void sendNext();

    QUdpSocket socket_;
    QString to_;
    bool bound_ = false;
    QTimer timer_;
    int next_ = 0;
    int count_ = 0;
    std::function<QString(int)> ipOf_;
};
