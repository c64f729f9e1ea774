// procsim: plays one or more video processors on UDP for tests and demos.
#include "Simulator.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>

namespace {

int signalPipe[2] = {-1, -1};

// One byte per signal: 1 to end the program, 2 to end the preview streams,
// 3 to drop the preview clients.
void OnSignal(int sig)
{
    const char c = sig == SIGUSR1 ? 2 : sig == SIGUSR2 ? 3 : 1;
    (void)!::write(signalPipe[1], &c, 1);
}

bool ParseMac(const QString& text, uint8_t mac[6])
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 6)
        return false;
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const uint v = parts[i].toUInt(&ok, 16);
        if (!ok || v > 0xFF)
            return false;
        mac[i] = uint8_t(v);
    }
    return true;
}

bool ParseIp(const QString& text, quint32* ip)
{
    QHostAddress a;
    if (!a.setAddress(text) || a.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    *ip = a.toIPv4Address();
    return true;
}

// IP,MAC[,VIDEOBOARD_IP[,STATE.json]]
bool ParseDevice(const QString& text, sim::DeviceSetup* setup)
{
    const QStringList f = text.split(QLatin1Char(','));
    if (f.size() < 2 || f.size() > 4 || !ParseIp(f[0], &setup->ip) || !ParseMac(f[1], setup->mac))
        return false;
    if (f.size() > 2 && !f[2].isEmpty() && !ParseIp(f[2], &setup->board))
        return false;
    if (f.size() > 3)
        setup->statePath = f[3];
    return true;
}

const char* const kDescription =
    "Plays video processors on UDP port 61214, from the device's side.\n"
    "\n"
    "Each device binds its own address:61214; one shared socket on\n"
    "255.255.255.255:61214 receives limited broadcasts. \"procsim ready\" is printed\n"
    "when every socket is bound. SIGTERM and SIGINT end the program after a last\n"
    "state dump.\n"
    "\n"
    "Behaviour: search frames (0x8080, P0 0xFF) are answered with a discovery reply\n"
    "(0x8080, or 0x8081 with --announce); set-IP requests (0x8100) for a device's MAC\n"
    "change its address (the socket moves when the new address is local) or its\n"
    "video-board address, confirmed by 0x8100. Every frame that reaches a device's\n"
    "own socket, short or batch (0x0402), is acknowledged by 0x0400 and then applied\n"
    "to the device's state and answered with its reply; 0x0600 sends the whole\n"
    "configuration, ended by 0x0600 with P2 0xAA. A change of working mode or output\n"
    "mode sends the whole configuration again. Status frames (0x0500) go to the last\n"
    "PC that talked to the device.\n"
    "\n"
    "Preset commands (0x0603) answer the preset validity of the working mode; a\n"
    "take (0x0700 without marker) answers take status 1, then 0 after 300 ms; a\n"
    "factory reset (0x05F0 P0 0) restores the state the device started with and\n"
    "reports 0x05F1 (0, 0), then (0, 1) after 500 ms; a test-pattern rebuild reports\n"
    "progress 0, 50 and 100; saving a logo reports state 2 at 0, 40 and 100 %,\n"
    "then state 3 after 300 ms. A multi-take broadcast 0x0581 that lists a device's\n"
    "last octet takes on that device. Recalling a preset changes no layer.\n"
    "\n"
    "State files are JSON in the shape of the PC's device record (member names as\n"
    "keys, objects for sub-records, arrays for arrays); missing keys are 0 or empty.\n"
    "On loading, the values the hardware derives itself are made consistent: switch\n"
    "layers carry their group in bMain, every layer the stored logo's size, output\n"
    "windows and tasks their own index, build dates 20 Latin-1 bytes (NUL-padded).\n"
    "\n"
    "With --video-board, every device with a video-board address serves its board\n"
    "there: TCP 8877 takes firmware upgrades (start record, package, end record;\n"
    "logged as board \"upgrade\" events start, piece with the bytes read, end with\n"
    "the count carried, the bytes received and their sha256), and\n"
    "rtsp://BOARD:654/h264 and rtsp://BOARD:554/h264 serve a moving H.264 test\n"
    "picture sized by the preview quality (0x0670: 0 480p, 1 720p, 2 1080p) when\n"
    "a client starts it; each SETUP is logged as board \"rtsp\" event setup with\n"
    "its port and transport. SIGUSR1 ends every running stream (the clients see\n"
    "the end of the stream); SIGUSR2 drops every stream client as a board that\n"
    "restarts (connections closed, sessions and their streams gone, no end of\n"
    "stream; new clients are served at once).";

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("procsim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    const QCommandLineOption device(
        QStringLiteral("device"),
        QStringLiteral("A processor to play: IPv4 address, MAC aa:bb:cc:dd:ee:ff, optional "
                       "video-board address (empty or missing: none, reported as "
                       "255.255.255.255) and optional state file of its own. Repeatable."),
        QStringLiteral("IP,MAC[,VIDEOBOARD_IP[,STATE.json]]"));
    const QCommandLineOption state(
        QStringLiteral("state"),
        QStringLiteral("Configuration state for every device without one of its own; each "
                       "device works on its own copy. Without it all fields are 0 or empty."),
        QStringLiteral("FILE.json"));
    const QCommandLineOption log(
        QStringLiteral("log"),
        QStringLiteral(
            "Write one JSON line per frame received or sent: t (ms since start), dir "
            "(rx/tx), dev (device address; 255.255.255.255 for the shared broadcast socket, "
            "192.168.1.30 for foreign replies), peer (ip:port), code (-1 for a datagram "
            "without a frame), payload (hex of the 32 payload bytes; a batch frame "
            "whole, followed by one line per carried frame with inBatch true), ok "
            "(checksum correct)."),
        QStringLiteral("FILE.jsonl"));
    const QCommandLineOption dumpOpt(
        QStringLiteral("dump"),
        QStringLiteral("After every handled frame (before its answer leaves) and at exit, write "
                       "{\"devices\":[{\"ip\", \"mac\", \"videoBoard\", \"state\", \"settings\"}]} "
                       "atomically (temporary file and rename); settings holds hostIp, clock, "
                       "testPattern, videoFormat and presetSource."),
        QStringLiteral("FILE.json"));
    const QCommandLineOption announce(
        QStringLiteral("announce"),
        QStringLiteral("Answer broadcast searches with announcements (0x8081) instead of "
                       "discovery replies; a search sent to the device itself still gets "
                       "0x8080. Nothing is sent at start-up."));
    const QCommandLineOption statusInterval(
        QStringLiteral("status-interval"),
        QStringLiteral("Period of the status frames 0x0500 (P6 sync lock, P7 HDR); 0 sends "
                       "none. Default 2000."),
        QStringLiteral("MS"), QStringLiteral("2000"));
    const QCommandLineOption batchReplies(
        QStringLiteral("batch-replies"),
        QStringLiteral("Send the whole-configuration replies packed into batch frames 0x0402 "
                       "of up to 34 short frames."));
    const QCommandLineOption noAck(QStringLiteral("no-ack"),
                                   QStringLiteral("Fault: acknowledge nothing (replies are still "
                                                  "sent)."));
    const QCommandLineOption dropFirst(
        QStringLiteral("drop-first"),
        QStringLiteral("Fault: each device ignores its first N acknowledged frames entirely."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption ackDelay(
        QStringLiteral("ack-delay"),
        QStringLiteral("Fault: handle each frame (acknowledgement and replies) MS late."),
        QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption dupAck(QStringLiteral("dup-ack"),
                                    QStringLiteral("Fault: send every acknowledgement twice."));
    const QCommandLineOption wrongAckCode(
        QStringLiteral("wrong-ack-code"),
        QStringLiteral("Fault: acknowledgements carry the acknowledged code plus one."));
    const QCommandLineOption badChecksum(
        QStringLiteral("bad-checksum"),
        QStringLiteral("Fault: acknowledgements, replies and status frames carry a wrong "
                       "checksum byte (discovery and set-IP answers stay correct)."));
    const QCommandLineOption junkBefore(
        QStringLiteral("junk-before"),
        QStringLiteral("Fault: three junk bytes (00 ED 11) before each acknowledgement, reply "
                       "and status frame in the same datagram."));
    const QCommandLineOption foreignReplies(
        QStringLiteral("foreign-replies"),
        QStringLiteral("Fault: every data reply is also sent from 192.168.1.30:61214, an "
                       "address of no listed device."));
    const QCommandLineOption silent(
        QStringLiteral("silent"),
        QStringLiteral("Fault: no acknowledgements, replies or status frames; searches and "
                       "set-IP requests are still answered and commands still applied."));
    const QCommandLineOption resetRestarts(
        QStringLiteral("reset-restarts"),
        QStringLiteral("A factory reset reports its start (0x05F1 0, 0) again after 1 s and "
                       "completes only after 2 s."));
    const QCommandLineOption videoBoard(
        QStringLiteral("video-board"),
        QStringLiteral("Serve the video boards: firmware upgrades on TCP 8877 and the two RTSP "
                       "preview streams on 654 and 554 of each video-board address."));
    for (const QCommandLineOption& o :
         {device, state, log, dumpOpt, announce, statusInterval, batchReplies, noAck, dropFirst,
          ackDelay, dupAck, wrongAckCode, badChecksum, junkBefore, foreignReplies, silent,
          resetRestarts, videoBoard})
        parser.addOption(o);
    parser.process(app);

    sim::Options opt;
    for (const QString& text : parser.values(device)) {
        sim::DeviceSetup setup;
        if (!ParseDevice(text, &setup)) {
            std::fprintf(stderr, "procsim: bad --device %s\n", qPrintable(text));
            return 2;
        }
        opt.devices.push_back(setup);
    }
    if (opt.devices.empty()) {
        std::fprintf(stderr, "procsim: at least one --device is needed (see --help)\n");
        return 2;
    }
    bool ok = true;
    auto number = [&](const QCommandLineOption& o) {
        bool good = false;
        const int v = parser.value(o).toInt(&good);
        ok = ok && good && v >= 0;
        return v;
    };
    opt.statePath = parser.value(state);
    opt.logPath = parser.value(log);
    opt.dumpPath = parser.value(dumpOpt);
    opt.announce = parser.isSet(announce);
    opt.statusIntervalMs = number(statusInterval);
    opt.batchReplies = parser.isSet(batchReplies);
    opt.noAck = parser.isSet(noAck);
    opt.dropFirst = number(dropFirst);
    opt.ackDelayMs = number(ackDelay);
    opt.dupAck = parser.isSet(dupAck);
    opt.wrongAckCode = parser.isSet(wrongAckCode);
    opt.badChecksum = parser.isSet(badChecksum);
    opt.junkBefore = parser.isSet(junkBefore);
    opt.foreignReplies = parser.isSet(foreignReplies);
    opt.silent = parser.isSet(silent);
    opt.resetRestarts = parser.isSet(resetRestarts);
    opt.videoBoard = parser.isSet(videoBoard);
    if (!ok) {
        std::fprintf(stderr, "procsim: numbers must be whole and not negative\n");
        return 2;
    }

    sim::Simulator simulator(opt);
    QString error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "procsim: %s\n", qPrintable(error));
        return 1;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        std::perror("procsim: socketpair");
        return 1;
    }
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] {
        char c = 0;
        const bool read = ::read(signalPipe[0], &c, 1) == 1;
        if (read && c == 2)
            simulator.endStreams();
        else if (read && c == 3)
            simulator.dropBoardClients();
        else
            QCoreApplication::quit();
    });
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGUSR1, OnSignal);
    std::signal(SIGUSR2, OnSignal);

    std::printf("procsim ready\n");
    std::fflush(stdout);
    const int rc = app.exec();
    simulator.dump();
    return rc;
}
