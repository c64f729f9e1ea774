// Benchmark of the output and layer page, reported, never asserted, against
// a simulated processor (procsim, state z7050-1) on a real X server:
//
// - the page's whole refresh (UiRefreshAll: six output windows, the view,
//   four layers, the output panel) after a read-back, with and without the
//   repaint that follows; goal: inside one 16 ms frame;
// - a whole read-back end to end: from SendCommand type 0 to the page's last
//   repaint after the read-back's end (the page redraws as the replies come).
//
//   bench_opsetpage [--runs N] [--readbacks N]
//
// Runs inside the private test network (scripts/bench sets it up); without a
// display it runs itself again under xvfb-run.
#include "AppPaths.h"
#include "BenchUtil.h"
#include "KSV_OpSetDlg.h"
#include "LinkedDevice.h"
#include "MiddleHandler.h"
#include "SendCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Bench;

namespace {

void Report(const char* what, const std::vector<double>& v)
{
    std::printf("  %-30s median %7.2f ms, p95 %7.2f ms, max %7.2f ms\n", what, Percentile(v, 0.5),
                Percentile(v, 0.95), Percentile(v, 1.0));
}

// The time of the last paint event of any widget of the page.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* page) : page_(page) { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    void restart()
    {
        clock_.start();
        last_ = -1;
    }
    double lastMs() const { return last_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            if (w == page_ || page_->isAncestorOf(w))
                last_ = double(clock_.nsecsElapsed()) / 1e6;
        }
        return false;
    }

private:
    QWidget* page_;
    QElapsedTimer clock_;
    double last_ = -1;
};

}  // namespace

int main(int argc, char** argv)
{
    RerunUnderXvfb(argc, argv);
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("ledz.*=false"));
    QCommandLineParser parser;
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Refreshes to time."),
                                  QStringLiteral("N"), QStringLiteral("100"));
    const QCommandLineOption readbacks(QStringLiteral("readbacks"),
                                       QStringLiteral("Read-backs to time."), QStringLiteral("N"),
                                       QStringLiteral("10"));
    parser.addOption(runs);
    parser.addOption(readbacks);
    parser.process(app);
    const int n = std::max(1, parser.value(runs).toInt());
    const int m = std::max(1, parser.value(readbacks).toInt());
    InitAppResources();

    KSV_OpSetDlg page(nullptr);
    page.setGeometry(0, 0, 1200, 900);
    page.show();
    if (!QTest::qWaitForWindowExposed(&page)) {
        std::fprintf(stderr, "the page was not shown\n");
        return 1;
    }
    LinkedDevice device;
    if (!device.link(LinkedDevice::oneDevice())) {
        std::fprintf(stderr, "no simulated processor linked (run inside scripts/netns)\n");
        return 1;
    }
    MiddleHandler* h = device.handler();
    page.setMode(1);
    QApplication::processEvents();

    std::printf("output and layer page, whole refresh after a read-back (%d runs; goal: one "
                "16 ms frame)\n",
                n);
    for (int mode : {0, 1}) {
        page.setMode(mode);
        std::vector<double> refresh, withPaint;
        for (int r = 0; r < n; ++r) {
            QElapsedTimer t;
            t.start();
            page.UiRefreshAll();
            refresh.push_back(double(t.nsecsElapsed()) / 1e6);
            // Painted at once, as the next turn of the event loop would.
            page.repaint();
            withPaint.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::printf(" %s view:\n", mode == 0 ? "output" : "layer");
        Report("record to widgets:", refresh);
        Report("with the repaint:", withPaint);
    }

    // The page in its layer view follows the read-back as the operator sees it.
    page.setMode(1);
    PaintWatch watch(&page);
    std::vector<double> toEnd, toPaint;
    for (int r = 0; r < m; ++r) {
        double endMs = -1;
        QElapsedTimer t;
        const QMetaObject::Connection c =
            QObject::connect(h, &MiddleHandler::SigUIRefreshRequstCmdEnd,
                             [&] { endMs = double(t.nsecsElapsed()) / 1e6; });
        watch.restart();
        t.start();
        SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
        if (!QTest::qWaitFor([&] { return endMs >= 0; }, 10000)) {
            std::fprintf(stderr, "read-back %d did not end\n", r);
            return 1;
        }
        // The page is quiet again: no paint for 300 ms after the end.
        double seen = watch.lastMs();
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 300) {
            QTest::qWait(10);
            if (watch.lastMs() != seen) {
                seen = watch.lastMs();
                quiet.restart();
            }
        }
        QObject::disconnect(c);
        toEnd.push_back(endMs);
        toPaint.push_back(std::max(endMs, watch.lastMs()));
    }
    std::printf("whole read-back against procsim, from SendCommand type 0 (%d read-backs)\n", m);
    Report("to the read-back's end:", toEnd);
    Report("to the page's last repaint:", toPaint);
    h->ShutdownForTest();
    return 0;
}
