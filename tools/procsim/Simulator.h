// The simulated processors on the network: one socket per device on its own
// address, one shared socket for limited broadcasts, the paced send queue,
// the frame log and the state dump.
#pragma once

#include "SimProcessor.h"
#include "SimVideoBoard.h"
#include "SimWire.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QTimer>
#include <QUdpSocket>
#include <memory>
#include <vector>

namespace sim {

constexpr quint16 kDevicePort = 61214;
constexpr quint32 kNoBoard = 0xFFFFFFFF;

struct DeviceSetup {
    quint32 ip = 0;
    uint8_t mac[6] = {};
    quint32 board = kNoBoard;
    QString statePath;
};

struct Options {
    std::vector<DeviceSetup> devices;
    QString statePath;
    QString logPath;
    QString dumpPath;
    bool announce = false;
    int statusIntervalMs = 2000;
    bool batchReplies = false;
    // Faults.
    bool noAck = false;
    int dropFirst = 0;
    int ackDelayMs = 0;
    bool dupAck = false;
    bool wrongAckCode = false;
    bool badChecksum = false;
    bool junkBefore = false;
    bool foreignReplies = false;
    bool silent = false;
    bool resetRestarts = false;
    // Each device with a video-board address serves its board (upgrade
    // listener and preview streams) there.
    bool videoBoard = false;
};

struct Peer {
    QHostAddress addr;
    quint16 port = 0;
    bool known() const { return port != 0; }
};

class Simulator;

class Device : public QObject {
    Q_OBJECT
public:
    Device(Simulator* sim, const DeviceSetup& setup, const State& state);

    bool bind(QString* error);
    QString ipText() const;
    QString macText() const;
    QString boardText() const;
    const State& state() const { return proc.state(); }
    // What the device keeps beside its record: host address, clock, test
    // pattern, preview format, preset source.
    QJsonObject settings() const;
    QUdpSocket* socket() const { return sock; }
    quint32 boardAddress() const { return board; }
    int videoFormat() const { return proc.videoFormat; }

    // Frames for this device that came in on the shared broadcast socket.
    void search(const Peer& from, bool viaBroadcast);
    bool setIp(const Msg& m, const Peer& from);
    void multiTake(const Msg& m, const Peer& from);

signals:
    // A frame for this device was handled (its state may have changed).
    void handled();

private slots:
    void readPending();
    void sendStatus();

private:
    void receive(const QByteArray& data, const Peer& from);
    void process(const Found& f, const Peer& from);
    void sendOutcome(const Outcome& o, const Peer& to);
    void sendMsgs(const QList<Msg>& msgs, const Peer& to, bool pack);

    Simulator* sim;
    quint32 ip;
    uint8_t mac[6];
    quint32 board;
    QUdpSocket* sock = nullptr;
    Processor proc;
    Peer pc;
    int toDrop;
    QTimer status;
};

class Simulator : public QObject {
    Q_OBJECT
public:
    explicit Simulator(const Options& options);
    ~Simulator() override;

    // Binds every socket and opens the log; false with a message on failure.
    bool start(QString* error);
    const Options& options() const { return opt; }

    // Queues one frame for sending from a device's socket (or the foreign
    // one); the log line is written when it leaves.
    void send(QUdpSocket* from, const QString& devText, const QByteArray& frame, const Peer& to);
    void sendForeign(const QByteArray& frame, const Peer& to);
    void logFrames(const char* dir, const QString& devText, const Peer& peer,
                   const QList<Found>& frames, const QByteArray& datagram);
    void dump();
    // The video boards end their preview streams (SIGUSR1).
    void endStreams();
    // The video boards drop their preview clients as on a restart (SIGUSR2).
    void dropBoardClients();

private slots:
    void readBroadcast();
    void drain();

private:
    struct Outgoing {
        QPointer<QUdpSocket> from;
        QString devText;
        QByteArray frame;
        Peer to;
    };
    void log(const QJsonObject& line);

    Options opt;
    std::vector<std::unique_ptr<Device>> devices;
    QUdpSocket broadcast;
    QUdpSocket foreign;
    QFile logFile;
    QElapsedTimer clock;
    QQueue<Outgoing> outbox;
    QTimer drainTimer;
    std::vector<std::unique_ptr<VideoBoard>> boards;
};

QString IpText(quint32 ip);

}  // namespace sim
