// What both sides of the start-up benchmark measure: the time from the
// process start to the first frame of the window, the processor time the
// process used until then (less at the mercy of other load on the machine)
// and the resident memory then. Header-only, so the bare side links nothing
// but Qt.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <ctime>

inline qint64 MonotonicNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

inline double ProcessCpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

inline long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Notes the first paint of the watched window; the frame is on screen once
// the paint has been flushed, which the next turn of the event loop follows.
// Then prints "MS CPUMS KB" and ends the event loop.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(qint64 startNs) : startNs_(startNs) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [this] {
                std::printf("%.3f %.3f %ld\n", (MonotonicNs() - startNs_) / 1e6, ProcessCpuMs(),
                            ResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    qint64 startNs_;
    bool seen_ = false;
};
