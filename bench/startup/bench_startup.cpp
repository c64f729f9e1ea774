// Start-up benchmark: the time from starting the process to the first frame
// of its window on screen, and the resident memory then, for the program's
// main window and for a bare QMainWindow of the same size, alternately in
// fresh processes of this same executable. Prints medians and their ratio.
//
//   bench_startup [--runs N]
//
// Without a display it runs itself again under Xvfb (xvfb-run). The main
// window starts without its device search, so no socket is opened.

#include "AppPaths.h"
#include "MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
qint64 nowNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Notes the first paint of the window; the frame is on screen once the paint
// has been flushed, which the next turn of the event loop follows.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(qint64 startNs) : startNs_(startNs) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [this] {
                std::printf("%.3f %ld\n", (nowNs() - startNs_) / 1e6, residentKb());
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

int child(int argc, char** argv, bool mainWindow, qint64 startNs)
{
    QApplication app(argc, argv);
    InitAppResources();
    QMainWindow* window = mainWindow ? new MainWindow : new QMainWindow;
    if (!mainWindow)
        window->resize(1366, 768);
    FirstFrame probe(startNs);
    window->installEventFilter(&probe);
    window->show();
    const int code = app.exec();
    // The program leaves its main window to the end of the process too.
    return code;
}

struct Sample {
    double ms;
    long kb;
};

bool measure(const QString& self, const char* mode, Sample& out)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LEDZ_NO_SEARCH"), QStringLiteral("1"));
    env.insert(QStringLiteral("LEDZ_APP_DIR"), QStringLiteral(LEDZ_BIN_DIR));
    p.setProcessEnvironment(env);
    const qint64 start = nowNs();
    p.start(self, {QStringLiteral("--child"), QString::fromLatin1(mode), QString::number(start)});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s", p.readAllStandardError().constData());
        return false;
    }
    const QList<QByteArray> fields = p.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return false;
    out = {fields[0].toDouble(), fields[1].toLong()};
    return true;
}

template <typename T>
T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, qstrcmp(argv[2], "main") == 0, QByteArray(argv[3]).toLongLong());

    int runs = 7;
    if (argc >= 3 && qstrcmp(argv[1], "--runs") == 0)
        runs = std::max(1, atoi(argv[2]));
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        QStringList args{QStringLiteral("-a"), QStringLiteral("-s"),
                         QStringLiteral("-screen 0 1920x1080x24"), self};
        args << QCoreApplication::arguments().mid(1);
        return QProcess::execute(QStringLiteral("xvfb-run"), args);
    }

    std::vector<double> msMain, msBare;
    std::vector<long> kbMain, kbBare;
    for (int i = 0; i < runs; ++i) {
        // Alternate the order so that neither side always runs on a warmer cache.
        for (int k = 0; k < 2; ++k) {
            const bool mainFirst = (i % 2 == 0) == (k == 0);
            Sample s;
            if (!measure(self, mainFirst ? "main" : "bare", s)) {
                std::fprintf(stderr, "a measured start failed\n");
                return 1;
            }
            (mainFirst ? msMain : msBare).push_back(s.ms);
            (mainFirst ? kbMain : kbBare).push_back(s.kb);
        }
    }
    const double tMain = median(msMain), tBare = median(msBare);
    std::printf("runs: %d each, medians\n", runs);
    std::printf("bare QMainWindow 1366x768: first frame %.1f ms, resident %ld KiB\n", tBare,
                median(kbBare));
    std::printf("led-z7050 MainWindow:      first frame %.1f ms, resident %ld KiB\n", tMain,
                median(kbMain));
    std::printf("start-up ratio (main / bare): %.2f (goal: at most 1.5)\n", tMain / tBare);
    return 0;
}
