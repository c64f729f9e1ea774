// Benchmark of a discovery storm, reported, never asserted. The program's main
// window (every page, offscreen) has found and read back one simulated
// processor; then devices with ever new MACs announce themselves, 20 a second,
// all claiming one address. Printed: the set-IP broadcasts per new device,
// the peak resident memory, the CPU time used over the wall time of the storm,
// the longest stall of the GUI thread, and how long a read-back of the
// selected device takes when started right after the last announcement.
//
//   bench_storm [--count N] [--rate PER_SECOND] [--claim pc|device]
//
// --claim pc: every device claims the PC's own address (each must be given
// another one); --claim device: every device claims 192.168.1.21 (each
// newcomer displaces the one before it). Runs inside the private test network
// (scripts/bench sets it up), with 192.168.1.10, .20 and .21 on loopback.
#include "Announcer.h"
#include "AppPaths.h"
#include "BenchUtil.h"
#include "BenchWindow.h"
#include "DestinationDlg.h"
#include "MachinePageDlg.h"
#include "MainWindow.h"
#include "MiddleHandler.h"
#include "SendCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <map>

using namespace Bench;

namespace {

const QString kPc = QStringLiteral("192.168.1.10");
const QString kDevice = QStringLiteral("192.168.1.20");
const QString kFloodFrom = QStringLiteral("192.168.1.21");
const QString kDeviceMac = QStringLiteral("00:1c:88:00:00:01");

QList<QJsonObject> LogLines(const QString& path)
{
    QList<QJsonObject> lines;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                lines << QJsonDocument::fromJson(line).object();
    return lines;
}

bool BroadcastRx(const QJsonObject& l, int code)
{
    return l.value("dir").toString() == "rx" && l.value("dev").toString() == "255.255.255.255" &&
           l.value("code").toInt() == code;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LEDZ_NO_SEARCH", "1");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption countOpt("count", "Announcing devices (default 300).", "N", "300");
    const QCommandLineOption rateOpt("rate", "Announcements per second (default 20).", "PER_SECOND", "20");
    const QCommandLineOption claimOpt("claim", "Address the devices claim: pc or device.", "WHAT", "pc");
    parser.addOptions({countOpt, rateOpt, claimOpt});
    parser.addHelpOption();
    parser.process(app);
    const int count = parser.value(countOpt).toInt();
    const int rate = std::max(1, parser.value(rateOpt).toInt());
    const QString claimed = parser.value(claimOpt) == "device" ? kFloodFrom : kPc;

    // Logging off, as an operator runs the program.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    Processors sim({"--device", kDevice + "," + kDeviceMac, "--state", StateFile(),
                    "--status-interval", "2000"});
    const QString log = sim.logPath();
    if (!sim.ready()) {
        std::fprintf(stderr, "procsim did not start (inside the test namespace?)\n");
        return 1;
    }

    InitAppResources();
    MiddleHandler* h = MiddleHandler::GetInstance();
    auto* window = new MainWindow;
    window->show();
    int readBacks = 0;
    QObject::connect(h, &MiddleHandler::SigUIRefreshRequstCmdEnd, [&] { ++readBacks; });
    DestinationDlg* comm = SearchAndReadBack(window, kPc, 10000);
    if (!comm) {
        std::fprintf(stderr, "the processor was not found and read back\n");
        return 1;
    }
    const long rssBefore = StatusKb("VmRSS:");

    // The GUI thread's stalls: the longest gap between two ticks of a 10 ms timer.
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestStall = std::max(longestStall, sinceTick.restart());
    });

    Announcer flood(kFloodFrom, kPc);
    if (!flood.isBound()) {
        std::fprintf(stderr, "cannot bind %s\n", qPrintable(kFloodFrom));
        return 1;
    }
    QElapsedTimer wall;
    QElapsedTimer readBackTime;
    int readBacksBefore = 0;
    QObject::connect(&flood, &Announcer::floodDone, [&] {
        readBacksBefore = readBacks;
        readBackTime.start();
        SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
    });
    const double cpuStart = ProcessCpuMs() / 1e3;
    wall.start();
    sinceTick.start();
    ticker.start(10);
    flood.flood(count, 1000 / rate, [&](int) { return claimed; });
    WaitFor([&] { return !flood.flooding(); }, 3600 * 1000);
    const qint64 floodMs = wall.elapsed();
    const bool readBack = WaitFor([&] { return readBacks > readBacksBefore; }, 300 * 1000);
    const double readBackMs = double(readBackTime.nsecsElapsed()) / 1e6;
    // Three more seconds: the repeats of the last set-IP requests.
    WaitFor([] { return false; }, 3000);
    const double cpu = ProcessCpuMs() / 1e3 - cpuStart;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    ticker.stop();

    // A marker behind every set-IP broadcast, then count them per MAC.
    Payload marker;
    marker.set8(0, 0xEE);
    h->SendBroadcastFrame(0x0580, marker.data(), Frame::kHeaderA, Frame::kHeaderB);
    WaitFor([&] {
        const QList<QJsonObject> lines = LogLines(log);
        return std::any_of(lines.begin(), lines.end(),
                           [](const QJsonObject& l) { return BroadcastRx(l, 0x0580); });
    }, 30000);
    std::map<QString, int> perMac;
    int total = 0;
    for (const QJsonObject& l : LogLines(log))
        if (BroadcastRx(l, 0x8100)) {
            ++perMac[l.value("payload").toString().left(12)];
            ++total;
        }
    int most = 0;
    for (const auto& m : perMac)
        most = std::max(most, m.second);

    std::printf("storm: %d announcements at %d/s claiming %s, sent in %.1f s; main window with all pages\n",
                count, rate, qPrintable(claimed), double(floodMs) / 1000.0);
    std::printf("devices listed: %d (cells on \"All Destinations\": %d)\n", h->GetMachineCount(),
                int(comm->page(0)->cells().size()));
    std::printf("set-IP broadcasts: %d in all, to %d devices: %.2f per new device, at most %d\n",
                total, int(perMac.size()), perMac.empty() ? 0.0 : double(total) / double(perMac.size()),
                most);
    std::printf("peak RSS (VmHWM): %.1f MB (RSS before the storm %.1f MB, after %.1f MB)\n",
                double(StatusKb("VmHWM:")) / 1024.0, double(rssBefore) / 1024.0,
                double(StatusKb("VmRSS:")) / 1024.0);
    std::printf("CPU: %.2f s over %.1f s wall = %.0f %% of one core (storm, read-back, 3 s after)\n",
                cpu, seconds, 100.0 * cpu / seconds);
    std::printf("longest GUI-thread stall: %lld ms\n", longestStall);
    if (readBack)
        std::printf("read-back started after the last announcement: ended in %.0f ms\n", readBackMs);
    else
        std::printf("read-back started after the last announcement: not ended within 300 s\n");
    std::fflush(stdout);

    h->ShutdownForTest();
    return 0;
}
