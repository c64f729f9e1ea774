// Benchmarks of the device link, reported, never asserted:
//  - decode throughput of the receive path over a recorded read-back, with
//    the device log as shipped;
//  - a command's round trip from SendCommand to its acknowledgement;
//  - wall time of a whole read-back and of a whole-configuration send.
// Runs against the simulated processor inside the private test network
// (scripts/bench sets it up).
#include "BenchUtil.h"
#include "MiddleHandler.h"
#include "SearchGroups.h"
#include "SendCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kPc = QStringLiteral("192.168.1.10");
const QString kDevice = QStringLiteral("192.168.1.20");

bool WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

bool Idle(MiddleHandler* h)
{
    return h->PendingShortFrames() == 0 && h->PendingLongFrames() == 0;
}

// The frames the device sent to the PC's unicast socket, as datagrams.
QList<QByteArray> RecordedReplies(const QString& logPath)
{
    QList<QByteArray> datagrams;
    QFile f(logPath);
    if (!f.open(QIODevice::ReadOnly))
        return datagrams;
    while (!f.atEnd()) {
        const QJsonObject l = QJsonDocument::fromJson(f.readLine()).object();
        const int code = l.value("code").toInt();
        if (l.value("dir").toString() != "tx" || l.value("inBatch").toBool() || code == 0x0400 ||
            code < 0 || l.value("peer").toString() != kPc + ":61214")
            continue;
        const QByteArray payload = QByteArray::fromHex(l.value("payload").toString().toLatin1());
        if (payload.size() != Frame::kPayloadSize)
            continue;
        const ShortFrame s =
            BuildShortFrame(uint16_t(code), reinterpret_cast<const uint8_t*>(payload.constData()));
        datagrams << QByteArray(reinterpret_cast<const char*>(s.data()), int(s.size()));
    }
    return datagrams;
}

// Context switches of every thread of this process: each one is a wake-up.
long long ContextSwitches()
{
    long long total = 0;
    for (const QString& task :
         QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(QStringLiteral("/proc/self/task/%1/status").arg(task));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches") ||
                line.startsWith("nonvoluntary_ctxt_switches"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    }
    return total;
}

double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[size_t(p * double(v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Bench::Processors sim({"--device", kDevice + ",00:1c:88:00:00:01", "--state",
                           Bench::StateFile(), "--status-interval", "1000"});
    if (!sim.ready()) {
        std::fprintf(stderr, "procsim did not start (inside the test namespace?)\n");
        return 1;
    }

    MiddleHandler* h = MiddleHandler::GetInstance();
    h->SetInquiryDelay(200);
    QString found;
    QObject::connect(h, &MiddleHandler::SigMachineIPEvent, [&](QString ip, BYTE*, QString) {
        if (found.isEmpty())
            found = ip;
    });
    h->OpenBroadcastPort(kPc, kBroadcastLocalPort);
    const auto octets = Ipv4Octets(kPc);
    SendCommand(octets.data(), SEND_SEARCHCMD, nullptr, QString());
    SearchHostIp = kPc;
    if (!WaitFor([&] { return !found.isEmpty(); }, 3000)) {
        std::fprintf(stderr, "no device found\n");
        return 1;
    }
    h->SelectMachine(found);
    h->SetUnicastRemote(found, kDevicePort);
    h->OpenUnicastPort(kPc, kDevicePort);

    // Whole read-back, several rounds.
    bool ended = false;
    QObject::connect(h, &MiddleHandler::SigUIRefreshRequstCmdEnd, [&] { ended = true; });

    // The GUI thread's own time for a whole read-back: the event loop sleeps
    // between replies, so its CPU time is the work the replies cost.
    // Logging off, as an operator runs the program; the device's own log
    // lines would otherwise dominate.
    QLoggingCategory::setFilterRules(QStringLiteral("ledz.device.debug=false"));
    std::vector<double> guiTime;
    for (int i = 0; i < 5; ++i) {
        QEventLoop loop;
        auto quit =
            QObject::connect(h, &MiddleHandler::SigUIRefreshRequstCmdEnd, &loop, &QEventLoop::quit);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        const double before = ThreadCpuMs();
        SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
        loop.exec();
        guiTime.push_back(ThreadCpuMs() - before);
        QObject::disconnect(quit);
    }

    // Wake-ups of the idle process while the device heartbeats once a second.
    double idleWakeups = 0;
    {
        QEventLoop loop;
        QTimer::singleShot(500, &loop, &QEventLoop::quit);
        loop.exec();
        const long long before = ContextSwitches();
        QElapsedTimer idle;
        idle.start();
        QTimer::singleShot(4000, &loop, &QEventLoop::quit);
        loop.exec();
        idleWakeups = double(ContextSwitches() - before) / (double(idle.elapsed()) / 1000.0);
    }
    std::vector<double> readBack;
    for (int i = 0; i < 5; ++i) {
        ended = false;
        QElapsedTimer t;
        t.start();
        SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
        WaitFor([&] { return ended; }, 5000);
        readBack.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    // Whole-configuration send.
    std::vector<double> wholeSend;
    for (int i = 0; i < 5; ++i) {
        MData* d = h->GetCurrentMData();
        QElapsedTimer t;
        t.start();
        SendCommand(&d->M_AllCfg, SEND_ALLCFGCMD, nullptr, QString());
        for (int type = SEND_ALLCROPCMD; type <= SEND_ALLTASKCMD; ++type)
            SendBatchCommand(d, type, QString());
        WaitFor([&] { return Idle(h); }, 10000);
        wholeSend.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    // Round trip of lone commands: each after a quiet spell longer than the
    // sender's pacing step, as an operator's changes come.
    std::vector<double> roundTrip;
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer quiet;
        quiet.start();
        WaitFor([&] { return quiet.elapsed() >= 15; }, 100);
        const uint8_t pattern = uint8_t(i & 7);
        QElapsedTimer t;
        t.start();
        SendCommand(&pattern, SEND_TESTPATTERNCMD, nullptr, QString());
        WaitFor([&] { return Idle(h); }, 3000);
        roundTrip.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    // Decode throughput over the recorded replies.
    const QList<QByteArray> replies = RecordedReplies(sim.logPath());
    qint64 frames = 0;
    QElapsedTimer t;
    t.start();
    // As shipped: the logging rules the program starts with (none set here
    // but the environment's), every line it logs written, to /dev/null.
    QLoggingCategory::setFilterRules(QString());
    std::fflush(stderr);
    const int savedStderr = dup(STDERR_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDERR_FILENO);
    while (t.elapsed() < 2000) {
        for (const QByteArray& r : replies)
            h->ParseNetData(reinterpret_cast<const uint8_t*>(r.constData()), r.size(), found);
        frames += replies.size();
    }
    const double decodeRate = double(frames) / (double(t.nsecsElapsed()) / 1e9);
    std::fflush(stderr);
    dup2(savedStderr, STDERR_FILENO);
    close(savedStderr);
    close(devNull);

    std::printf("recorded replies: %d frames\n", int(replies.size()));
    std::printf("idle wake-ups (all threads, one device heartbeating at 1 Hz): %.1f per second\n",
                idleWakeups);
    std::printf("GUI-thread CPU time per whole read-back: median %.2f ms\n",
                Percentile(guiTime, 0.5));
    std::printf("decode (ParseNetData + DispatchCommand, logging as shipped): %.0f frames/s\n",
                decodeRate);
    std::printf(
        "command round trip (SendCommand -> acknowledgement): median %.2f ms, p99 %.2f ms (lone "
        "commands)\n",
        Percentile(roundTrip, 0.5), Percentile(roundTrip, 0.99));
    std::printf("whole read-back: median %.1f ms\n", Percentile(readBack, 0.5));
    std::printf("whole-configuration send (3, 40-43): median %.1f ms\n",
                Percentile(wholeSend, 0.5));

    Bench::Row(QStringLiteral("Reply decode as shipped"),
               QStringLiteral("%1 M frames/s").arg(decodeRate / 1e6, 0, 'f', 2),
               QStringLiteral(">= 5 M frames/s"), decodeRate >= 5e6);

    h->ShutdownForTest();
    return 0;
}
