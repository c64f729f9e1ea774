#include "BenchUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace Bench {

void RerunUnderXvfb(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("LEDZ_BENCH_XVFB"))
        return;
    setenv("LEDZ_BENCH_XVFB", "1", 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"),
                               const_cast<char*>("-s"),
                               const_cast<char*>("-screen 0 1920x1080x24")};
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp("xvfb-run", args.data());
    std::perror("xvfb-run");
    std::exit(1);
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (done() || t.elapsed() > timeoutMs)
            loop.quit();
    });
    check.start(20);
    if (!done())
        loop.exec();
    return done();
}

double ProcessCpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

std::map<QString, double> ThreadCpuMs()
{
    std::map<QString, double> out;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        QFile sched(tasks.filePath(tid + QStringLiteral("/schedstat")));
        if (!comm.open(QIODevice::ReadOnly) || !sched.open(QIODevice::ReadOnly))
            continue;
        const QString name = QString::fromUtf8(comm.readAll().trimmed());
        // The first field: time spent running, in ns.
        const double ns = sched.readAll().split(' ').value(0).toDouble();
        out[QStringLiteral("%1 (%2)").arg(name, tid)] = ns / 1e6;
    }
    return out;
}

double Percentile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(q * double(v.size())))];
}

Spread SpreadOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2], v.back()};
}

void Row(const QString& measure, const QString& figure, const QString& goal, bool met)
{
    std::printf("ROW|%s|%s|%s|%s\n", qPrintable(measure), qPrintable(figure), qPrintable(goal),
                met ? "yes" : "NO");
    std::fflush(stdout);
}

long long StatusField(const QString& path, const char* field)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    return -1;
}

long StatusKb(const char* field, qint64 pid)
{
    const QString path =
        pid ? QStringLiteral("/proc/%1/status").arg(pid) : QStringLiteral("/proc/self/status");
    return long(StatusField(path, field));
}

long ResidentKb(qint64 pid)
{
    return StatusKb("VmRSS:", pid);
}

QString StateFile()
{
    return qEnvironmentVariable("LEDZ_SOURCE_DIR", QStringLiteral(".")) +
           QStringLiteral("/tools/procsim/states/z7050-1.json");
}

QStringList ProcessorArgs(int count)
{
    QStringList args;
    for (int i = 0; i < count; ++i) {
        const int host = count <= 2 ? 20 + i : 100 + i;
        args << QStringLiteral("--device")
             << QStringLiteral("192.168.1.%1,02:4b:53:00:01:%2")
                    .arg(host)
                    .arg(i, 2, 16, QLatin1Char('0'));
    }
    return args << QStringLiteral("--state") << StateFile();
}

Processors::Processors(const QStringList& args, const QString& log)
    : log_(log.isEmpty() ? dir_.filePath(QStringLiteral("log.jsonl")) : log)
{
    const QString procsim = qEnvironmentVariable(
        "PROCSIM", QCoreApplication::applicationDirPath() + QStringLiteral("/procsim"));
    p_.setProcessChannelMode(QProcess::MergedChannels);
    p_.start(procsim, args + QStringList{QStringLiteral("--log"), log_});
    QElapsedTimer t;
    t.start();
    QByteArray out;
    while (!out.contains("procsim ready") && t.elapsed() < 10000 &&
           p_.state() != QProcess::NotRunning) {
        p_.waitForReadyRead(200);
        out += p_.readAll();
    }
    ready_ = out.contains("procsim ready");
}

Processors::~Processors()
{
    p_.terminate();
    if (!p_.waitForFinished(5000))
        p_.kill();
}

}  // namespace Bench
