// The whole program (build/bin/led-z7050) measured from outside, as an
// operator runs it, against a bare Qt Widgets program (bench_startup_bare:
// one QMainWindow of the same size, no style, no OpenGL), with simulated
// processors (procsim) heartbeating:
//
// - start-up: from starting the process to the first frame of its main
//   window, and the processor time used until then, in pairs of fresh
//   processes whose order alternates (FirstFrame.h reports the frame);
//   resident memory of either side some seconds after that frame;
// - at rest, two processors heartbeating, over a span after the program has
//   settled (it has selected a processor, read it back and rested): wake-ups
//   of all its threads (voluntary context switches; the
//   involuntary ones, preemptions that grow with the machine's load, are
//   printed beside them), its processor time, and its resident memory
//   against the bare program's at rest;
// - 32 processors heartbeating: the program's processor time at rest and
//   the resident memory each processor adds.
//
//   bench_startup [--pairs N] [--rest-ms MS] [--settle S] [--span S]
//                 [--many N] [--only startup|rest|many]
//
// Runs inside the private test network only (scripts/bench sets it up): the
// program searches for processors by broadcast. Without a display it runs
// itself again under Xvfb. Prints lines "ROW|measure|figure|goal|met" for
// scripts/bench's table.

#include "BenchUtil.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace Bench;

namespace {
constexpr double kStartGoal = 1.3;
constexpr double kMemoryGoal = 1.3;
constexpr double kWakeGoal = 5;
constexpr double kManyCpuGoal = 1.0;

qint64 MonotonicNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Per thread of the process: its name, context switches and time on a CPU.
struct TaskCount {
    QString name;
    long long switches = 0;  // voluntary: each one a sleep the thread was woken from
    long long preempted = 0;  // involuntary: more the busier the machine
    long long cpuNs = 0;
};

QMap<QString, TaskCount> Tasks(qint64 pid)
{
    QMap<QString, TaskCount> tasks;
    const QString dir = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& tid : QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString base = dir + QLatin1Char('/') + tid;
        TaskCount t;
        QFile comm(base + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly))
            t.name = QString::fromUtf8(comm.readAll().trimmed());
        const QString status = base + QStringLiteral("/status");
        t.switches = StatusField(status, "voluntary_ctxt_switches:");
        t.preempted = StatusField(status, "nonvoluntary_ctxt_switches:");
        QFile sched(base + QStringLiteral("/schedstat"));
        if (sched.open(QIODevice::ReadOnly))
            t.cpuNs = sched.readAll().split(' ').first().toLongLong();
        tasks.insert(tid, t);
    }
    return tasks;
}

struct Rest {
    double wakeups = 0;  // per second, all threads
    double preempted = 0;  // per second, all threads
    double cpuPercent = 0;  // of one core
    long kb = 0;  // resident at the end
    QString busiest;  // the threads that woke most
};

// Watches the running process for spanS seconds.
Rest Watch(qint64 pid, int spanS)
{
    const QMap<QString, TaskCount> before = Tasks(pid);
    QElapsedTimer t;
    t.start();
    QThread::msleep(quint64(spanS) * 1000);
    const QMap<QString, TaskCount> after = Tasks(pid);
    const double s = double(t.nsecsElapsed()) / 1e9;
    Rest r;
    long long switches = 0, preempted = 0, cpuNs = 0;
    QMap<QString, long long> byName;
    for (auto it = after.begin(); it != after.end(); ++it) {
        const TaskCount b = before.value(it.key());
        const long long n = it->switches - b.switches;
        switches += n;
        preempted += it->preempted - b.preempted;
        cpuNs += it->cpuNs - b.cpuNs;
        byName[it->name] += n;
    }
    r.wakeups = double(switches) / s;
    r.preempted = double(preempted) / s;
    r.cpuPercent = 100.0 * double(cpuNs) / 1e9 / s;
    r.kb = ResidentKb(pid);
    std::vector<std::pair<long long, QString>> named;
    for (auto it = byName.begin(); it != byName.end(); ++it)
        named.push_back({it.value(), it.key()});
    std::sort(named.rbegin(), named.rend());
    for (size_t i = 0; i < std::min<size_t>(4, named.size()); ++i)
        r.busiest += QStringLiteral("%1%2 %3/s")
                         .arg(i ? QStringLiteral(", ") : QString(), named[i].second)
                         .arg(double(named[i].first) / s, 0, 'f', 1);
    return r;
}

// One started program, ended (killed: nothing of it is saved) when it goes.
class Started {
public:
    Started(const QString& program, const QString& appDir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LEDZ_APP_DIR"), appDir);
        startNs_ = MonotonicNs();
        env.insert(QStringLiteral("LEDZ_FIRST_FRAME_NS"), QString::number(startNs_));
        p_.setProcessEnvironment(env);
        p_.setProcessChannelMode(QProcess::SeparateChannels);
        p_.setStandardErrorFile(QProcess::nullDevice());
        p_.start(program, QStringList());
    }
    ~Started()
    {
        p_.kill();
        p_.waitForFinished(10000);
    }
    qint64 pid() const { return p_.processId(); }
    // The first frame's "MS CPUMS KB" line.
    bool firstFrame(double& ms, double& cpuMs)
    {
        QElapsedTimer t;
        t.start();
        while (!p_.canReadLine()) {
            if (p_.state() == QProcess::NotRunning || t.elapsed() > 60000)
                return false;
            p_.waitForReadyRead(1000);
        }
        const QList<QByteArray> f = p_.readLine().trimmed().split(' ');
        if (f.size() != 3)
            return false;
        ms = f[0].toDouble();
        cpuMs = f[1].toDouble();
        return true;
    }

private:
    QProcess p_;
    qint64 startNs_;
};

// The data replies the processors have sent (acknowledgements and status
// frames left out), from procsim's log.
int RepliesSent(const QString& log)
{
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    int n = 0;
    while (!f.atEnd()) {
        const QJsonObject l = QJsonDocument::fromJson(f.readLine()).object();
        const int code = l.value(QStringLiteral("code")).toInt(-1);
        n += l.value(QStringLiteral("dir")).toString() == QLatin1String("tx") && code >= 0 &&
             code != 0x0400 && code != 0x0500;
    }
    return n;
}

// Waits until the program has read a processor back (the replies have come
// and stopped for 3 s) and then until it has run settleS seconds, and at
// least 5 s after the read-back. False when no read-back came in 90 s.
bool Settle(const QElapsedTimer& sinceStart, const QString& log, int settleS)
{
    int seen = 0;
    QElapsedTimer quiet;
    quiet.start();
    for (;;) {
        QThread::msleep(250);
        const int n = RepliesSent(log);
        if (n != seen) {
            seen = n;
            quiet.restart();
        } else if (seen >= 20 && quiet.elapsed() >= 3000) {
            break;
        }
        if (sinceStart.elapsed() > 90000)
            return false;
    }
    const qint64 waitMs = std::max<qint64>(qint64(settleS) * 1000 - sinceStart.elapsed(), 2000);
    QThread::msleep(quint64(waitMs));
    return true;
}

void PrintSpread(const char* name, const Spread& s, const char* unit)
{
    std::printf("  %-34s %9.2f %9.2f %9.2f %s\n", name, s.min, s.median, s.max, unit);
}

QString Fixed(double v, int decimals = 2)
{
    return QString::number(v, 'f', decimals);
}
}  // namespace

int main(int argc, char** argv)
{
    RerunUnderXvfb(argc, argv);
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption pairsOpt(QStringLiteral("pairs"),
                                      QStringLiteral("Start-up pairs (default 7)."),
                                      QStringLiteral("N"), QStringLiteral("7"));
    const QCommandLineOption restOpt(
        QStringLiteral("rest-ms"), QStringLiteral("Rest before the memory is read (default 3000)."),
        QStringLiteral("MS"), QStringLiteral("3000"));
    const QCommandLineOption settleOpt(
        QStringLiteral("settle"), QStringLiteral("Seconds to settle before watching (default 15)."),
        QStringLiteral("S"), QStringLiteral("15"));
    const QCommandLineOption spanOpt(QStringLiteral("span"),
                                     QStringLiteral("Seconds watched at rest (default 20)."),
                                     QStringLiteral("S"), QStringLiteral("20"));
    const QCommandLineOption manyOpt(QStringLiteral("many"),
                                     QStringLiteral("Processors of the busy case (default 32)."),
                                     QStringLiteral("N"), QStringLiteral("32"));
    const QCommandLineOption onlyOpt(QStringLiteral("only"),
                                     QStringLiteral("One part: startup, rest or many."),
                                     QStringLiteral("PART"));
    parser.addOptions({pairsOpt, restOpt, settleOpt, spanOpt, manyOpt, onlyOpt});
    parser.addHelpOption();
    parser.process(app);
    if (qEnvironmentVariableIsEmpty("LEDZ_TEST_NETNS")) {
        std::fprintf(stderr,
                     "bench_startup: run it inside scripts/netns (the program broadcasts)\n");
        return 2;
    }
    const int pairs = std::max(1, parser.value(pairsOpt).toInt());
    const int restMs = std::max(0, parser.value(restOpt).toInt());
    const int settle = std::max(0, parser.value(settleOpt).toInt());
    const int span = std::max(1, parser.value(spanOpt).toInt());
    const int many = std::max(3, parser.value(manyOpt).toInt());
    const QString only = parser.value(onlyOpt);

    const QString binDir = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
    const QString program = binDir + QStringLiteral("/led-z7050");
    const QString bare = binDir + QStringLiteral("/bench_startup_bare");
    QTemporaryDir tmp;

    long bareRestKb = 0;
    long twoKb = 0;
    if (only.isEmpty() || only == QLatin1String("startup")) {
        Processors sims(ProcessorArgs(2), tmp.filePath(QStringLiteral("two.jsonl")));
        if (!sims.ready()) {
            std::fprintf(stderr, "procsim did not start\n");
            return 1;
        }
        std::vector<double> msMain, msBare, ratio, cpuMain, cpuBare, cpuRatio, kbMain, kbBare,
            kbRatio;
        for (int i = 0; i < pairs; ++i) {
            // Alternate the order so that neither side always runs on a warmer cache.
            double ms[2], cpu[2], kb[2];
            for (int k = 0; k < 2; ++k) {
                const int side = (i % 2 == 0) == (k == 0) ? 0 : 1;  // 0: the program
                Started p(side == 0 ? program : bare, binDir);
                if (!p.firstFrame(ms[side], cpu[side])) {
                    std::fprintf(stderr, "%s: no first frame\n",
                                 qPrintable(side == 0 ? program : bare));
                    return 1;
                }
                QThread::msleep(quint64(restMs));
                kb[side] = double(ResidentKb(p.pid()));
            }
            msMain.push_back(ms[0]);
            msBare.push_back(ms[1]);
            ratio.push_back(ms[0] / ms[1]);
            cpuMain.push_back(cpu[0]);
            cpuBare.push_back(cpu[1]);
            cpuRatio.push_back(cpu[0] / cpu[1]);
            kbMain.push_back(kb[0] / 1024.0);
            kbBare.push_back(kb[1] / 1024.0);
            kbRatio.push_back(kb[0] / kb[1]);
        }
        std::printf("start-up, %d alternating pairs, 2 processors heartbeating%25s %9s %9s\n",
                    pairs, "min", "median", "max");
        PrintSpread("bare, first frame", SpreadOf(msBare), "ms");
        PrintSpread("led-z7050, first frame", SpreadOf(msMain), "ms");
        PrintSpread("ratio within a pair", SpreadOf(ratio), "");
        PrintSpread("bare, processor to first frame", SpreadOf(cpuBare), "ms");
        PrintSpread("led-z7050, processor", SpreadOf(cpuMain), "ms");
        PrintSpread("processor ratio within a pair", SpreadOf(cpuRatio), "");
        std::printf(
            "  resident %.1f s after the first frame (the program may still be reading "
            "back):\n",
            restMs / 1000.0);
        PrintSpread("bare, resident", SpreadOf(kbBare), "MiB");
        PrintSpread("led-z7050, resident", SpreadOf(kbMain), "MiB");
        PrintSpread("resident ratio within a pair", SpreadOf(kbRatio), "");
        const Spread r = SpreadOf(ratio);
        bareRestKb = long(SpreadOf(kbBare).median * 1024);
        Row(QStringLiteral("Start-up to first frame, x bare (median of pairs)"),
            QStringLiteral("%1x (bare %2 ms, program %3 ms)")
                .arg(Fixed(r.median))
                .arg(Fixed(SpreadOf(msBare).median, 0))
                .arg(Fixed(SpreadOf(msMain).median, 0)),
            QStringLiteral("<= %1x").arg(kStartGoal), r.median <= kStartGoal);
    }

    if (only.isEmpty() || only == QLatin1String("rest")) {
        const QString log = tmp.filePath(QStringLiteral("rest.jsonl"));
        Processors sims(ProcessorArgs(2), log);
        QElapsedTimer sinceStart;
        sinceStart.start();
        Started p(program, binDir);
        double ms, cpu;
        if (!sims.ready() || !p.firstFrame(ms, cpu)) {
            std::fprintf(stderr, "the program or procsim did not start\n");
            return 1;
        }
        if (!Settle(sinceStart, log, settle)) {
            std::fprintf(stderr, "the program read no processor back\n");
            return 1;
        }
        const Rest r = Watch(p.pid(), span);
        twoKb = r.kb;
        std::printf(
            "at rest, 2 processors heartbeating, %d s after %d s: %.1f wake-ups/s (%s), "
            "%.1f preemptions/s, %.2f %% CPU, resident %.1f MiB\n",
            span, settle, r.wakeups, qPrintable(r.busiest), r.preempted, r.cpuPercent,
            double(r.kb) / 1024.0);
        Row(QStringLiteral("Wake-ups at rest, all threads, 2 processors"),
            QStringLiteral("%1/s (%2)").arg(Fixed(r.wakeups, 1), r.busiest),
            QStringLiteral("< %1/s").arg(kWakeGoal), r.wakeups < kWakeGoal);
        if (bareRestKb <= 0) {
            Started bareAlone(bare, binDir);
            if (!bareAlone.firstFrame(ms, cpu)) {
                std::fprintf(stderr, "the bare program did not start\n");
                return 1;
            }
            QThread::msleep(quint64(restMs));
            bareRestKb = ResidentKb(bareAlone.pid());
        }
        const double m = double(r.kb) / double(bareRestKb);
        Row(QStringLiteral("Resident memory at rest, x bare"),
            QStringLiteral("%1x (bare %2 MiB, program %3 MiB after %4 s)")
                .arg(Fixed(m))
                .arg(Fixed(double(bareRestKb) / 1024.0, 0))
                .arg(Fixed(double(r.kb) / 1024.0, 0))
                .arg(settle + span),
            QStringLiteral("<= %1x").arg(kMemoryGoal), m <= kMemoryGoal);
    }

    if (only.isEmpty() || only == QLatin1String("many")) {
        const QString log = tmp.filePath(QStringLiteral("many.jsonl"));
        Processors sims(ProcessorArgs(many), log);
        QElapsedTimer sinceStart;
        sinceStart.start();
        Started p(program, binDir);
        double ms, cpu;
        if (!sims.ready() || !p.firstFrame(ms, cpu)) {
            std::fprintf(stderr, "the program or procsim did not start\n");
            return 1;
        }
        if (!Settle(sinceStart, log, settle)) {
            std::fprintf(stderr, "the program read no processor back\n");
            return 1;
        }
        const Rest r = Watch(p.pid(), span);
        QString perProcessor;
        if (twoKb > 0)
            perProcessor = QStringLiteral(", +%1 MiB per processor over 2")
                               .arg(Fixed(double(r.kb - twoKb) / 1024.0 / (many - 2)));
        std::printf(
            "at rest, %d processors heartbeating: %.2f %% CPU, %.1f wake-ups/s (%s), "
            "resident %.1f MiB%s\n",
            many, r.cpuPercent, r.wakeups, qPrintable(r.busiest), double(r.kb) / 1024.0,
            qPrintable(perProcessor));
        Row(QStringLiteral("%1 processors heartbeating, CPU").arg(many),
            QStringLiteral("%1 % (resident %2 MiB%3)")
                .arg(Fixed(r.cpuPercent))
                .arg(Fixed(double(r.kb) / 1024.0, 0))
                .arg(perProcessor),
            QStringLiteral("< %1 %").arg(kManyCpuGoal), r.cpuPercent < kManyCpuGoal);
    }
    return 0;
}
