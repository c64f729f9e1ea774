#include "Simulator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkDatagram>
#include <QSaveFile>

namespace sim {

namespace {
const QHostAddress kForeignAddress(QStringLiteral("192.168.1.30"));
// Datagrams per millisecond tick: a burst stays well inside an 8 KB receive
// buffer (the size a PC may be held to), as the real device's pace does.
const int kDrainBurst = 4;

QString PeerText(const Peer& p)
{
    return QStringLiteral("%1:%2").arg(QHostAddress(p.addr.toIPv4Address()).toString()).arg(p.port);
}

bool AllFill(const Bytes32& p, int from, int count)
{
    for (int i = from; i < from + count; ++i)
        if (p.u8(i) != 0x55)
            return false;
    return true;
}

quint32 IpAt(const Bytes32& p, int at)
{
    return quint32(p.u8(at)) << 24 | quint32(p.u8(at + 1)) << 16 | quint32(p.u8(at + 2)) << 8 |
           quint32(p.u8(at + 3));
}

bool LoadState(const QString& path, State* out, QString* error)
{
    State s;
    if (!path.isEmpty()) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read state %1: %2").arg(path, f.errorString());
            return false;
        }
        QJsonParseError pe;
        const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
        if (!doc.isObject()) {
            *error = QStringLiteral("state %1 is no JSON object: %2").arg(path, pe.errorString());
            return false;
        }
        s = StateFromJson(doc.object());
    }
    Normalise(s);
    *out = s;
    return true;
}
}  // namespace

QString IpText(quint32 ip)
{
    return QHostAddress(ip).toString();
}

// ---------------------------------------------------------------- Device

Device::Device(Simulator* sim, const DeviceSetup& setup, const State& state)
    : sim(sim), ip(setup.ip), board(setup.board), proc(state), toDrop(sim->options().dropFirst)
{
    std::copy(setup.mac, setup.mac + 6, mac);
    proc.resetRestarts = sim->options().resetRestarts;
    connect(&status, &QTimer::timeout, this, &Device::sendStatus);
    if (sim->options().statusIntervalMs > 0)
        status.start(sim->options().statusIntervalMs);
}

bool Device::bind(QString* error)
{
    auto* s = new QUdpSocket(this);
    if (!s->bind(QHostAddress(ip), kDevicePort)) {
        *error = QStringLiteral("cannot bind %1:%2: %3")
                     .arg(ipText())
                     .arg(kDevicePort)
                     .arg(s->errorString());
        delete s;
        return false;
    }
    if (sock)
        sock->deleteLater();
    sock = s;
    connect(sock, &QUdpSocket::readyRead, this, &Device::readPending);
    return true;
}

QString Device::ipText() const
{
    return IpText(ip);
}

QString Device::macText() const
{
    QStringList parts;
    for (uint8_t b : mac)
        parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
    return parts.join(QLatin1Char(':'));
}

QJsonObject Device::settings() const
{
    return QJsonObject{{QStringLiteral("hostIp"), proc.hostIp},
                       {QStringLiteral("clock"), proc.clock},
                       {QStringLiteral("testPattern"), proc.testPattern},
                       {QStringLiteral("videoFormat"), proc.videoFormat},
                       {QStringLiteral("presetSource"), proc.presetSource}};
}

QString Device::boardText() const
{
    return board == kNoBoard ? QString() : IpText(board);
}

void Device::readPending()
{
    while (sock && sock->hasPendingDatagrams()) {
        const QNetworkDatagram d = sock->receiveDatagram();
        receive(d.data(), Peer{d.senderAddress(), quint16(d.senderPort())});
    }
}

void Device::receive(const QByteArray& data, const Peer& from)
{
    const QList<Found> frames = ScanDatagram(data);
    sim->logFrames("rx", ipText(), from, frames, data);
    const Options& opt = sim->options();
    for (const Found& f : frames) {
        if (!f.ok)
            continue;
        if (!f.batch) {
            const Msg m = f.msg();
            // Discovery, addressing and take broadcasts may reach the device
            // directly too; they are never acknowledged.
            if (m.code == 0x8080) {
                if (m.p.u8(0) == 0xFF)
                    search(from, false);
                continue;
            }
            if (m.code == 0x8100) {
                setIp(m, from);
                continue;
            }
            if (m.code == 0x0580 || m.code == 0x0581) {
                multiTake(m, from);
                continue;
            }
            if (m.code == kAck)
                continue;
        }
        if (toDrop > 0) {
            --toDrop;
            continue;
        }
        pc = from;
        if (opt.ackDelayMs > 0)
            QTimer::singleShot(opt.ackDelayMs, this, [this, f, from] { process(f, from); });
        else
            process(f, from);
    }
}

void Device::process(const Found& f, const Peer& from)
{
    Outcome all;
    const QList<Found> commands = f.batch ? BatchContents(f.frame) : QList<Found>{f};
    for (const Found& c : commands) {
        if (!c.ok || c.batch)
            continue;
        const Outcome o = proc.apply(c.msg());
        all.replies.append(o.replies);
        all.later.append(o.later);
        all.readBack = all.readBack || o.readBack;
    }
    // The dump is on disk before the answer leaves, so that whoever reads
    // the answer finds the new state there too.
    sim->dump();
    emit handled();
    const Options& opt = sim->options();
    if (!opt.silent && !opt.noAck) {
        Msg ack{kAck, Bytes32()};
        ack.p.put8(0, f.checksum);
        ack.p.put16(1, opt.wrongAckCode ? uint16_t(f.code + 1) : f.code);
        const QByteArray frame = BuildShort(ack, opt.badChecksum);
        for (int i = 0; i < (opt.dupAck ? 2 : 1); ++i)
            sim->send(sock, ipText(), frame, from);
    }
    sendOutcome(all, from);
}

void Device::sendOutcome(const Outcome& o, const Peer& to)
{
    if (sim->options().silent)
        return;
    sendMsgs(o.replies, to, false);
    if (o.readBack)
        sendMsgs(ReadBack(proc.state()), to, sim->options().batchReplies);
    for (const Later& l : o.later) {
        const Msg m = l.msg;
        QTimer::singleShot(l.ms, this, [this, m, to] { sendMsgs({m}, to, false); });
    }
}

void Device::sendMsgs(const QList<Msg>& msgs, const Peer& to, bool pack)
{
    const Options& opt = sim->options();
    QList<QByteArray> frames;
    for (const Msg& m : msgs)
        frames.append(BuildShort(m, opt.badChecksum && !pack));
    if (pack) {
        QList<QByteArray> batches;
        for (int i = 0; i < frames.size(); i += kBatchMaxFrames)
            batches.append(BuildBatch(frames.mid(i, kBatchMaxFrames), opt.badChecksum));
        frames = batches;
    }
    for (const QByteArray& frame : frames) {
        sim->send(sock, ipText(), frame, to);
        if (opt.foreignReplies)
            sim->sendForeign(frame, to);
    }
}

void Device::sendStatus()
{
    if (sim->options().silent || !pc.known())
        return;
    sim->send(sock, ipText(), BuildShort(reply::Status(proc.state()), sim->options().badChecksum),
              pc);
}

void Device::search(const Peer& from, bool viaBroadcast)
{
    pc = from;
    // An announcement answers only a broadcast search: the PC follows an
    // announcement with a search sent to the device itself, and answering
    // that with another announcement would never end.
    const uint16_t code = sim->options().announce && viaBroadcast ? 0x8081 : 0x8080;
    sim->send(sock, ipText(), BuildShort(reply::Discovery(code, mac, ip, board)), from);
}

bool Device::setIp(const Msg& m, const Peer& from)
{
    for (int i = 0; i < 6; ++i)
        if (m.p.u8(i) != mac[i])
            return false;
    if (m.p.u8(14) != 0xFF && !AllFill(m.p, 6, 4)) {
        const quint32 newIp = IpAt(m.p, 6);
        if (newIp != ip) {
            const quint32 oldIp = ip;
            ip = newIp;
            QString error;
            // A new address that is not local keeps the old socket serving.
            if (!bind(&error))
                qWarning("procsim: device %s keeps its socket: %s", qPrintable(IpText(oldIp)),
                         qPrintable(error));
        }
    }
    if (!AllFill(m.p, 15, 4))
        board = IpAt(m.p, 15);
    sim->dump();
    sim->send(sock, ipText(), BuildShort(reply::Discovery(0x8100, mac, ip, board)), from);
    return true;
}

void Device::multiTake(const Msg& m, const Peer& from)
{
    if (m.code != 0x0581)
        return;
    for (int i = 0; i < kPayloadLen && m.p.u8(i) != 0xFF; ++i) {
        if (m.p.u8(i) == int(ip & 0xFF)) {
            sendOutcome(proc.apply(Msg{0x0700, Bytes32()}), from);
            return;
        }
    }
}

// ---------------------------------------------------------------- Simulator

Simulator::Simulator(const Options& options) : opt(options)
{
    clock.start();
    connect(&drainTimer, &QTimer::timeout, this, [this] {
        if (outbox.isEmpty())
            drainTimer.stop();
        else
            drain();
    });
    connect(&broadcast, &QUdpSocket::readyRead, this, &Simulator::readBroadcast);
}

Simulator::~Simulator() = default;

bool Simulator::start(QString* error)
{
    if (!opt.logPath.isEmpty()) {
        logFile.setFileName(opt.logPath);
        if (!logFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            *error = QStringLiteral("cannot write log %1").arg(opt.logPath);
            return false;
        }
    }
    for (const DeviceSetup& setup : opt.devices) {
        State state;
        if (!LoadState(setup.statePath.isEmpty() ? opt.statePath : setup.statePath, &state, error))
            return false;
        devices.push_back(std::make_unique<Device>(this, setup, state));
        if (!devices.back()->bind(error))
            return false;
    }
    if (opt.videoBoard) {
        for (const auto& dev : devices) {
            if (dev->boardAddress() == kNoBoard)
                continue;
            auto board = std::make_unique<VideoBoard>(
                QHostAddress(dev->boardAddress()), [this](const QJsonObject& line) { log(line); },
                this);
            VideoBoard* b = board.get();
            Device* d = dev.get();
            connect(d, &Device::handled, b, [b, d] { b->setFormat(d->videoFormat()); });
            if (!b->start(error))
                return false;
            boards.push_back(std::move(board));
        }
    }
    if (!broadcast.bind(QHostAddress::Broadcast, kDevicePort,
                        QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        *error = QStringLiteral("cannot bind 255.255.255.255:%1: %2")
                     .arg(kDevicePort)
                     .arg(broadcast.errorString());
        return false;
    }
    if (opt.foreignReplies && !foreign.bind(kForeignAddress, kDevicePort)) {
        *error = QStringLiteral("cannot bind %1:%2: %3")
                     .arg(kForeignAddress.toString())
                     .arg(kDevicePort)
                     .arg(foreign.errorString());
        return false;
    }
    dump();
    return true;
}

void Simulator::readBroadcast()
{
    while (broadcast.hasPendingDatagrams()) {
        const QNetworkDatagram d = broadcast.receiveDatagram();
        const Peer from{d.senderAddress(), quint16(d.senderPort())};
        const QList<Found> frames = ScanDatagram(d.data());
        logFrames("rx", QHostAddress(QHostAddress::Broadcast).toString(), from, frames, d.data());
        for (const Found& f : frames) {
            if (!f.ok || f.batch)
                continue;
            const Msg m = f.msg();
            for (const auto& dev : devices) {
                if (m.code == 0x8080 && m.p.u8(0) == 0xFF)
                    dev->search(from, true);
                else if (m.code == 0x8100)
                    dev->setIp(m, from);
                else if (m.code == 0x0580 || m.code == 0x0581)
                    dev->multiTake(m, from);
            }
        }
    }
}

void Simulator::send(QUdpSocket* from, const QString& devText, const QByteArray& frame,
                     const Peer& to)
{
    outbox.enqueue(Outgoing{from, devText, frame, to});
    // The first datagram goes at once; what follows within the same tick
    // waits for the timer, kDrainBurst per millisecond.
    if (!drainTimer.isActive()) {
        drain();
        drainTimer.start(1);
    }
}

void Simulator::sendForeign(const QByteArray& frame, const Peer& to)
{
    send(&foreign, kForeignAddress.toString(), frame, to);
}

void Simulator::drain()
{
    for (int n = 0; n < kDrainBurst && !outbox.isEmpty(); ++n) {
        const Outgoing out = outbox.dequeue();
        if (!out.from)
            continue;
        // Only frames that are not discovery or addressing answers carry the
        // junk prefix, so that a test can still find the device.
        const QList<Found> frames = ScanDatagram(out.frame);
        const uint16_t code = frames.value(0).code;
        const bool protocol = code != 0x8080 && code != 0x8081 && code != 0x8100;
        QByteArray datagram = out.frame;
        if (opt.junkBefore && protocol)
            datagram.prepend(QByteArray::fromHex("00ed11"));
        out.from->writeDatagram(datagram, out.to.addr, out.to.port);
        logFrames("tx", out.devText, out.to, frames, out.frame);
    }
}

void Simulator::logFrames(const char* dir, const QString& devText, const Peer& peer,
                          const QList<Found>& frames, const QByteArray& datagram)
{
    if (!logFile.isOpen())
        return;
    QJsonObject base;
    base.insert(QStringLiteral("dir"), QLatin1String(dir));
    base.insert(QStringLiteral("dev"), devText);
    base.insert(QStringLiteral("peer"), PeerText(peer));
    if (frames.isEmpty()) {
        QJsonObject line = base;
        line.insert(QStringLiteral("code"), -1);
        line.insert(QStringLiteral("payload"), QString::fromLatin1(datagram.toHex()));
        line.insert(QStringLiteral("ok"), false);
        log(line);
    }
    for (const Found& f : frames) {
        QJsonObject line = base;
        line.insert(QStringLiteral("code"), f.code);
        line.insert(QStringLiteral("payload"),
                    QString::fromLatin1((f.batch ? f.frame : f.frame.mid(6, kPayloadLen)).toHex()));
        line.insert(QStringLiteral("ok"), f.ok);
        log(line);
        if (!f.batch)
            continue;
        // The carried frames too, so that a reader finds every code in one place.
        for (const Found& inner : BatchContents(f.frame)) {
            QJsonObject in = base;
            in.insert(QStringLiteral("code"), inner.code);
            in.insert(QStringLiteral("payload"),
                      QString::fromLatin1(inner.frame.mid(6, kPayloadLen).toHex()));
            in.insert(QStringLiteral("ok"), inner.ok);
            in.insert(QStringLiteral("inBatch"), true);
            log(in);
        }
    }
}

void Simulator::endStreams()
{
    for (const auto& b : boards)
        b->endStreams();
}

void Simulator::dropBoardClients()
{
    for (const auto& b : boards)
        b->dropClients();
}

void Simulator::log(const QJsonObject& line)
{
    QJsonObject o = line;
    o.insert(QStringLiteral("t"), double(clock.elapsed()));
    logFile.write(QJsonDocument(o).toJson(QJsonDocument::Compact));
    logFile.write("\n");
    logFile.flush();
}

void Simulator::dump()
{
    if (opt.dumpPath.isEmpty())
        return;
    QJsonArray list;
    for (const auto& dev : devices) {
        QJsonObject d;
        d.insert(QStringLiteral("ip"), dev->ipText());
        d.insert(QStringLiteral("mac"), dev->macText());
        d.insert(QStringLiteral("videoBoard"), dev->boardText());
        d.insert(QStringLiteral("state"), StateToJson(dev->state()));
        d.insert(QStringLiteral("settings"), dev->settings());
        list.append(d);
    }
    QSaveFile f(opt.dumpPath);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(QJsonDocument(QJsonObject{{QStringLiteral("devices"), list}})
                .toJson(QJsonDocument::Compact));
    f.commit();
}

}  // namespace sim
