// What the video-board tests and benchmarks share: procsim playing one
// processor whose video board it serves, and the state the communication
// page leaves behind (the processor selected, its board beside it in the
// device list, the unicast socket open).
#pragma once

#include "MiddleHandler.h"
#include "ProcSim.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QList>
#include <QStringList>

#include <csignal>
#include <sys/types.h>

namespace VideoBoardSim {

inline const QString kPcIp = QStringLiteral("192.168.1.10");
inline const QString kDeviceIp = QStringLiteral("192.168.1.20");
inline const QString kBoardIp = QStringLiteral("192.168.1.22");
inline const MacAddress kMac{{0x02, 0x4b, 0x53, 0x00, 0x00, 0x20}};

// Starts procsim; withBoard: the board listens and streams (--video-board).
inline bool Start(ProcSim& sim, bool withBoard = true)
{
    QStringList args{QStringLiteral("--device"),
                     kDeviceIp + QStringLiteral(",02:4b:53:00:00:20,") + kBoardIp,
                     QStringLiteral("--status-interval"), QStringLiteral("0")};
    if (withBoard)
        args << QStringLiteral("--video-board");
    return sim.start(args);
}

// True when the processor is selected and its board's address is known.
inline bool SelectDevice(MiddleHandler* h)
{
    for (bool board : {false, true}) {
        MachineRecord r;
        r.mac = kMac;
        r.ip = board ? kBoardIp : kDeviceIp;
        r.ethBoard = board ? 1 : 0;
        h->Devices().UpdateMachineRecord(r, kPcIp);
    }
    h->SelectMachine(kDeviceIp);
    return h->GetCurrentEthIp() == kBoardIp && h->SetUnicastRemote(kDeviceIp, kDevicePort) &&
           h->OpenUnicastPort(kPcIp, kDevicePort);
}

// procsim's log lines of the board: board "upgrade" or "rtsp", and the event.
inline QList<QJsonObject> BoardEvents(const ProcSim& sim, const QString& board,
                                      const QString& event)
{
    QList<QJsonObject> out;
    for (const QJsonObject& line : sim.logLines())
        if (line.value(QStringLiteral("board")).toString() == board &&
            line.value(QStringLiteral("event")).toString() == event)
            out.append(line);
    return out;
}

// The procsim that writes logPath gets sig; false when it is not found.
inline bool Signal(const QString& logPath, int sig)
{
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        QFile f(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (ok && f.open(QIODevice::ReadOnly) && f.readAll().contains(logPath.toLocal8Bit()))
            return ::kill(pid_t(pid), sig) == 0;
    }
    return false;
}

// Asks the procsim that writes logPath to end its streams (SIGUSR1).
inline bool EndStreams(const QString& logPath)
{
    return Signal(logPath, SIGUSR1);
}

// Has the board of the procsim that writes logPath restart (SIGUSR2): its
// clients lose their streams without an end of stream.
inline bool DropClients(const QString& logPath)
{
    return Signal(logPath, SIGUSR2);
}

}  // namespace VideoBoardSim
