// Benchmark of the video-board upgrade, reported, never asserted: a 64 MB
// package through the worker and MiddleHandler's TCP client to procsim's
// board on the loopback of the private network (goal: at least 100 MB/s).
#include "MiddleHandler.h"
#include "ProcSim.h"
#include "UpgradeWorker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {
const QString kPc = QStringLiteral("192.168.1.10");
const QString kDevice = QStringLiteral("192.168.1.20");
const QString kBoard = QStringLiteral("192.168.1.22");
constexpr int kPackageBytes = 64 * 1024 * 1024;
constexpr int kRuns = 3;
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    ProcSim sim;
    if (!sim.start({QStringLiteral("--device"), kDevice + QStringLiteral(",02:4b:53:00:00:20,") + kBoard,
                    QStringLiteral("--video-board"), QStringLiteral("--status-interval"),
                    QStringLiteral("0")})) {
        std::fprintf(stderr, "bench_upgrade: procsim did not start: %s\n", qPrintable(sim.errors()));
        return 1;
    }
    MiddleHandler* h = MiddleHandler::GetInstance();
    for (bool board : {false, true}) {
        MachineRecord r;
        r.mac = {{0x02, 0x4b, 0x53, 0x00, 0x00, 0x20}};
        r.ip = board ? kBoard : kDevice;
        r.ethBoard = board ? 1 : 0;
        h->Devices().UpdateMachineRecord(r, kPc);
    }
    h->SelectMachine(kDevice);

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
