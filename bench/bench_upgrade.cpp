// Benchmark of the video-board upgrade, reported, never asserted: a 64 MB
// package through the worker and MiddleHandler's TCP client to procsim's
// board on the loopback of the private network (goal: at least 100 MB/s).
#include "UpgradeWorker.h"
#include "VideoBoardSim.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {
constexpr int kPackageBytes = 64 * 1024 * 1024;
constexpr int kRuns = 3;
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    ProcSim sim;
    if (!VideoBoardSim::Start(sim)) {
        std::fprintf(stderr, "bench_upgrade: procsim did not start: %s\n",
                     qPrintable(sim.errors()));
        return 1;
    }
    MiddleHandler* h = MiddleHandler::GetInstance();
    if (!VideoBoardSim::SelectDevice(h))
        return 1;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("z9050_venc.tar.gz"));
    {
        QFile f(path);
        QByteArray block(1024 * 1024, Qt::Uninitialized);
        for (int i = 0; i < block.size(); ++i)
            block[i] = char(i * 131 + 7);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        for (int i = 0; i < kPackageBytes / block.size(); ++i)
            f.write(block);
    }

    std::printf("== video-board upgrade (64 MB package, loopback)\n");
    UpgradeWorker worker;
    worker.Start();
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        worker.Request(path);
        while (worker.Message().isEmpty() && t.elapsed() < 60000)
            QThread::usleep(200);
        const qint64 ms = t.elapsed();
        if (worker.Message() != QLatin1String("Update successed. Restart machine")) {
            std::fprintf(stderr, "bench_upgrade: %s\n", qPrintable(worker.Message()));
            return 1;
        }
        std::printf("run %d: %lld ms, %.0f MB/s (goal >= 100 MB/s; file read included)\n", run + 1,
                    ms, kPackageBytes / 1e6 / (double(ms) / 1000.0));
    }
    worker.Stop();
    h->ShutdownForTest();
    return 0;
}
