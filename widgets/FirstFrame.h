// The start-up benchmark's probe (bench/startup), shared by the program and
// the bare Qt program it is compared with, so that both sides measure alike.
// With LEDZ_FIRST_FRAME_NS set to the CLOCK_MONOTONIC time (ns) at which the
// caller started the process, the first frame of the watched window prints
// one line on standard output, "MS CPUMS KB": milliseconds from that start,
// processor milliseconds of the whole process until then and resident KiB
// then. Without the variable nothing is installed. Header-only and Qt-only,
// so the bare side links nothing but Qt.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

class FirstFrame : public QObject {
public:
    // Watches the window when the variable is set; the probe belongs to it.
    static void watch(QWidget* window)
    {
        const QByteArray start = qgetenv("LEDZ_FIRST_FRAME_NS");
        if (!start.isEmpty())
            window->installEventFilter(new FirstFrame(start.toLongLong(), window));
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        // The frame is on screen once the paint has been flushed, which the
        // next turn of the event loop follows.
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("%.3f %.3f %ld\n", double(monotonicNs() - startNs_) / 1e6,
                            processCpuMs(), residentKb());
                std::fflush(stdout);
            });
        }
        return false;
    }

private:
    FirstFrame(qint64 startNs, QObject* parent) : QObject(parent), startNs_(startNs) {}

    static qint64 monotonicNs()
    {
        timespec ts;
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    }

    static double processCpuMs()
    {
        timespec ts;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    }

    static long residentKb()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').first().toLong();
        return -1;
    }

    qint64 startNs_;
    bool seen_ = false;
};
