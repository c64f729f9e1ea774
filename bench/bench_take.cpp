// The take controls of the layer panel against procsim in the private
// network, reported, never asserted:
// - the quick take's pause: from the take to the restored duration as the
//   processor received them, on its own clock (goal: 200 ms +- 50);
// - a take end to end: from the Take button's click until the processor's
//   report that the take began (status 1) has reached the panel, and until
//   the report that it ended (status 0).
#include "BenchUtil.h"
#include "LayerSettingDlg.h"
#include "LinkedDevice.h"
#include "MiddleHandler.h"
#include "ProgressHelper.h"
#include "TakeControl.h"
#include "TestNet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Bench;

namespace {

constexpr int kRuns = 20;

// The processor's time of the first frame since the mark whose text starts
// with prefix; -1 when none came.
double TimeOf(const FrameLog& log, const QString& prefix, double after = -1)
{
    for (const LoggedFrame& f : log.received(QString(), true))
        if (f.t > after && f.text().startsWith(prefix))
            return f.t;
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    // The processor in switcher mode, where Take is enabled.
    QTemporaryDir dir;
    QFile in(ProcSim::stateFile(QStringLiteral("z7050-1.json")));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_take: no state file (LEDZ_SOURCE_DIR)\n");
        return 1;
    }
    QJsonObject state = QJsonDocument::fromJson(in.readAll()).object();
    QJsonObject all = state.value("M_AllCfg").toObject();
    all["workMode"] = SWITCHER_MODE;
    state["M_AllCfg"] = all;
    const QString path = dir.filePath(QStringLiteral("switcher.json"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(QJsonDocument(state).toJson());
    out.close();

    LinkedDevice device;
    device.handler()->SetInquiryDelay(300);
    if (!device.link({"--device", TestNet::kDeviceIp1 + "," + LinkedDevice::kMac1 + ",," + path})) {
        std::fprintf(stderr, "bench_take: the processor was not linked\n");
        return 1;
    }
    LayerSettingDlg panel(nullptr);
    emit device.handler()->SigUIRefreshAllCfg();
    auto* take = panel.findChild<QPushButton*>(QStringLiteral("TakeBtn"));
    MiddleHandler* h = device.handler();

    std::vector<double> pauses;
    for (int run = 0; run < kRuns; ++run) {
        if (!device.settle())
            return 1;
        panel.QuickTake();
        double tTake = -1, tBack = -1;
        (void)QTest::qWaitFor(
            [&] {
                tTake = TimeOf(device.frames(), QStringLiteral("0700"));
                // The duration restored after the take (the CUT came before it).
                for (const LoggedFrame& f : device.frames().received(QString(), true))
                    if (f.text() == QLatin1String("0700"))
                        tTake = f.t;
                tBack = tTake < 0
                            ? -1
                            : TimeOf(device.frames(), QStringLiteral("0700 001122330201"), tTake);
                return tBack >= 0 && !panel.takeControl()->isQuickTakeWaiting();
            },
            5000);
        if (tTake < 0 || tBack < 0) {
            std::fprintf(stderr, "bench_take: quick take run %d incomplete\n", run + 1);
            return 1;
        }
        pauses.push_back(tBack - tTake);
        // The take's progress (status 1, then 0 after 300 ms) ends before the
        // next run.
        (void)QTest::qWaitFor([&] { return !panel.takeControl()->progress()->isRunning(); }, 5000);
    }
    const Spread p = SpreadOf(pauses);
    std::printf(
        "quick take, take -> restored duration on the processor's clock (%d runs): "
        "min %.1f, median %.1f, max %.1f ms (goal 200 +- 50)\n",
        kRuns, p.min, p.median, p.max);

    std::vector<double> begun, ended;
    for (int run = 0; run < kRuns; ++run) {
        if (!device.settle())
            return 1;
        int status = -1;
        double tBegun = -1, tEnded = -1;
        QElapsedTimer clock;
        const QMetaObject::Connection c =
            QObject::connect(h, &MiddleHandler::SigUiRefreshTakeStatus, [&](int s) {
                status = s;
                (s == 1 ? tBegun : tEnded) = double(clock.nsecsElapsed()) / 1e6;
            });
        clock.start();
        take->click();
        (void)QTest::qWaitFor([&] { return tEnded >= 0; }, 5000);
        QObject::disconnect(c);
        if (tBegun < 0 || tEnded < 0) {
            std::fprintf(stderr, "bench_take: take run %d got no status %d\n", run + 1,
                         tBegun < 0 ? 1 : 0);
            return 1;
        }
        begun.push_back(tBegun);
        ended.push_back(tEnded);
    }
    const Spread b = SpreadOf(begun), e = SpreadOf(ended);
    std::printf(
        "take, click -> status 1 at the panel (%d runs): min %.1f, median %.1f, "
        "max %.1f ms\n",
        kRuns, b.min, b.median, b.max);
    std::printf(
        "take, click -> status 0 at the panel (the processor takes 300 ms): min %.1f, "
        "median %.1f, max %.1f ms\n",
        e.min, e.median, e.max);
    device.stop();
    h->ShutdownForTest();
    return 0;
}
