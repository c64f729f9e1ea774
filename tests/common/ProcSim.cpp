#include "ProcSim.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

ProcSim::ProcSim(QObject* parent) : QObject(parent) {}

ProcSim::~ProcSim()
{
    stop();
}

bool ProcSim::start(const QStringList& args)
{
    stop();
    const QString program = qEnvironmentVariable("PROCSIM");
    if (program.isEmpty() || !dir.isValid())
        return false;
    proc.setProgram(program);
    // A keyboard test runs under umockdev's preload library (and, in the
    // checked build, AddressSanitizer's runtime before it); the simulated
    // processor touches no USB device and starts without them.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    proc.setProcessEnvironment(env);
    proc.setArguments(args + QStringList{QStringLiteral("--log"), logPath(),
                                         QStringLiteral("--dump"), dumpPath()});
    proc.start();
    if (!proc.waitForStarted(20000))
        return false;
    QDeadlineTimer deadline(20000);
    QByteArray out;
    while (!deadline.hasExpired() && proc.state() == QProcess::Running) {
        proc.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        out += proc.readAllStandardOutput();
        if (out.contains("procsim ready\n"))
            return true;
    }
    return false;
}

void ProcSim::stop()
{
    if (proc.state() == QProcess::NotRunning)
        return;
    proc.terminate();
    if (!proc.waitForFinished(3000)) {
        proc.kill();
        proc.waitForFinished(3000);
    }
}

QList<QJsonObject> ProcSim::logLines() const
{
    QList<QJsonObject> lines;
    QFile f(logPath());
    if (!f.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            lines.append(QJsonDocument::fromJson(line).object());
    return lines;
}

bool ProcSim::waitForLog(const std::function<bool(const QJsonObject&)>& match, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        for (const QJsonObject& line : logLines())
            if (match(line))
                return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
}

QJsonObject ProcSim::dump() const
{
    QFile f(dumpPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

QJsonObject ProcSim::dumpedState(const QString& ip) const
{
    for (const QJsonValue& d : dump().value(QStringLiteral("devices")).toArray())
        if (d.toObject().value(QStringLiteral("ip")).toString() == ip)
            return d.toObject().value(QStringLiteral("state")).toObject();
    return {};
}

QString ProcSim::logPath() const
{
    return dir.filePath(QStringLiteral("procsim.jsonl"));
}

QString ProcSim::dumpPath() const
{
    return dir.filePath(QStringLiteral("procsim-dump.json"));
}

QString ProcSim::errors()
{
    err += proc.readAllStandardError();
    return QString::fromLocal8Bit(err);
}

QString ProcSim::stateFile(const QString& name)
{
    return qEnvironmentVariable("LEDZ_SOURCE_DIR") + QStringLiteral("/tools/procsim/states/") +
           name;
}
