#include "Announcer.h"

#include "DeviceList.h"
#include "Frames.h"

#include <QHostAddress>

namespace {
constexpr quint16 kPcBroadcastPort = 61215;
}

Payload Announce::Reply(const MacAddress& mac, const QString& ip, const QString& board)
{
    Payload p;
    p.set8(0, 0x02);
    p.set8(1, 0x0D);
    p.set8(2, 0x04);
    for (int i = 0; i < 6; ++i)
        p.set8(3 + i, mac[size_t(i)]);
    const auto address = Ipv4Octets(ip);
    const auto boardAddress = Ipv4Octets(board);
    for (int i = 0; i < 4; ++i) {
        p.set8(9 + i, address[size_t(i)]);
        p.set8(17 + i, boardAddress[size_t(i)]);
    }
    return p;
}

QByteArray Announce::Frame(const MacAddress& mac, const QString& ip, const QString& board,
                           uint16_t code)
{
    const Payload p = Reply(mac, ip, board);
    const ShortFrame f = BuildShortFrame(code, p.data());
    return QByteArray(reinterpret_cast<const char*>(f.data()), int(f.size()));
}

MacAddress Announce::FloodMac(int n)
{
    return {0x02, 0x4B, 0x53, uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
}

Announcer::Announcer(const QString& from, const QString& to, QObject* parent)
    : QObject(parent), to_(to)
{
    bound_ = socket_.bind(QHostAddress(from), 0);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Announcer::sendNext);
}

bool Announcer::announce(const MacAddress& mac, const QString& ip, const QString& board)
{
    const QByteArray frame = Announce::Frame(mac, ip, board);
    return socket_.writeDatagram(frame, QHostAddress(to_), kPcBroadcastPort) == frame.size();
}

void Announcer::flood(int count, int intervalMs, std::function<QString(int)> ipOf)
{
    next_ = 0;
    count_ = count;
    ipOf_ = std::move(ipOf);
    sendNext();
    if (flooding())
        timer_.start(intervalMs);
}

void Announcer::sendNext()
{
    if (!flooding())
        return;
    announce(Announce::FloodMac(next_), ipOf_(next_));
    if (++next_ == count_) {
        timer_.stop();
        emit floodDone();
    }
}
