// Runs the simulated processor (tools/procsim) for a test: starts it with a
// frame log and a state dump in a private temporary directory, waits until
// its sockets are bound, and stops it when the object goes away.
#pragma once

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

class ProcSim : public QObject {
    Q_OBJECT
public:
    explicit ProcSim(QObject* parent = nullptr);
    ~ProcSim() override;

    // Starts the program named by $PROCSIM with args plus --log and --dump;
    // true once it printed "procsim ready" (at most 5 s).
    bool start(const QStringList& args);
    // Terminates it (killed when it does not end within 3 s).
    void stop();

    // The lines of its frame log so far.
    QList<QJsonObject> logLines() const;
    // Processes events until a log line matches or timeoutMs has passed.
    bool waitForLog(const std::function<bool(const QJsonObject&)>& match, int timeoutMs);
    // The last state dump, whole, and the "state" of the device at ip
    // (empty when there is none).
    QJsonObject dump() const;
    QJsonObject dumpedState(const QString& ip) const;

    QString logPath() const;
    QString dumpPath() const;
    // What the program wrote to stderr so far, for failure messages.
    QString errors();

    // $LEDZ_SOURCE_DIR/tools/procsim/states/<name>
    static QString stateFile(const QString& name);

private:
    QTemporaryDir dir;
    QProcess proc;
    QByteArray err;
};
