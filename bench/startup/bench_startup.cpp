// Start-up benchmark: the time from starting the process to the first frame
// of its window on screen, the processor time used until then and the
// resident memory then, for the program's
// main window and for a bare QMainWindow of the same size built as a program
// of its own (bench_startup_bare, beside this one), in pairs of fresh
// processes whose order alternates. Prints the spread (min, median, max) of
// either side and of the ratio within each pair.
//
//   bench_startup [--runs N]
//
// Without a display it runs itself again under Xvfb (xvfb-run). The main
// window starts without its device search, so no socket is opened.

#include "AppPaths.h"
#include "FirstFrame.h"
#include "MainWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr double kGoal = 1.3;

int child(int argc, char** argv, qint64 startNs)
{
    QApplication app(argc, argv);
    InitAppResources();
    auto* window = new MainWindow;  // the program leaves it to the end of the process too
    FirstFrame probe(startNs);
    window->installEventFilter(&probe);
    window->show();
    return app.exec();
}

struct Sample {
    double ms;
    double cpuMs;
    long kb;
};

bool measure(const QString& program, QStringList args, Sample& out)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LEDZ_NO_SEARCH"), QStringLiteral("1"));
    env.insert(QStringLiteral("LEDZ_APP_DIR"), QStringLiteral(LEDZ_BIN_DIR));
    p.setProcessEnvironment(env);
    const qint64 start = MonotonicNs();
    args << QString::number(start);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s: %s", qPrintable(program), p.readAllStandardError().constData());
        return false;
    }
    const QList<QByteArray> fields = p.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 3)
        return false;
    out = {fields[0].toDouble(), fields[1].toDouble(), fields[2].toLong()};
    return true;
}

struct Spread {
    double min, median, max;
};

template <typename T>
Spread spreadOf(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return {double(v.front()), double(v[v.size() / 2]), double(v.back())};
}

void printRow(const char* name, const Spread& s, const char* unit)
{
    std::printf("%-32s %9.2f %9.2f %9.2f %s\n", name, s.min, s.median, s.max, unit);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, QByteArray(argv[2]).toLongLong());

    int runs = 9;
    if (argc >= 3 && qstrcmp(argv[1], "--runs") == 0)
        runs = std::max(1, atoi(argv[2]));
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString bare = QFileInfo(self).absolutePath() + QStringLiteral("/bench_startup_bare");
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        QStringList args{QStringLiteral("-a"), QStringLiteral("-s"),
                         QStringLiteral("-screen 0 1920x1080x24"), self};
        args << QCoreApplication::arguments().mid(1);
        return QProcess::execute(QStringLiteral("xvfb-run"), args);
    }

    std::vector<double> msMain, msBare, ratio, cpuMain, cpuBare, cpuRatio, kbRatio;
    std::vector<long> kbMain, kbBare;
    for (int i = 0; i < runs; ++i) {
        // Alternate the order so that neither side always runs on a warmer cache.
        Sample m, b;
        const bool mainFirst = i % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool isMain = mainFirst == (k == 0);
            const bool ok =
                isMain ? measure(self, {QStringLiteral("--child")}, m) : measure(bare, {}, b);
            if (!ok) {
                std::fprintf(stderr, "a measured start failed\n");
                return 1;
            }
        }
        msMain.push_back(m.ms);
        msBare.push_back(b.ms);
        kbMain.push_back(m.kb);
        kbBare.push_back(b.kb);
        ratio.push_back(m.ms / b.ms);
        cpuMain.push_back(m.cpuMs);
        cpuBare.push_back(b.cpuMs);
        cpuRatio.push_back(m.cpuMs / b.cpuMs);
        kbRatio.push_back(double(m.kb) / double(b.kb));
    }
    std::printf("%d pairs; %-22s %9s %9s %9s\n", runs, "", "min", "median", "max");
    printRow("bare QMainWindow, first frame", spreadOf(msBare), "ms");
    printRow("led-z7050 MainWindow, first frame", spreadOf(msMain), "ms");
    printRow("ratio within a pair", spreadOf(ratio), "");
    printRow("bare QMainWindow, processor", spreadOf(cpuBare), "ms");
    printRow("led-z7050 MainWindow, processor", spreadOf(cpuMain), "ms");
    printRow("processor ratio within a pair", spreadOf(cpuRatio), "");
    printRow("bare QMainWindow, resident", spreadOf(kbBare), "KiB");
    printRow("led-z7050 MainWindow, resident", spreadOf(kbMain), "KiB");
    printRow("resident ratio within a pair", spreadOf(kbRatio), "");
    std::printf("goal: median ratio (first frame) at most %.1f\n", kGoal);
    return 0;
}
