// Soak of the whole program, reported, never asserted: the main window as the
// program starts it (device search on) against two simulated processors
// (procsim, the first with its video board unless --no-video-board), its pages clicked in turn and
// the selected processor read back again and again for a set time.
//
// Prints
// - the growth of resident memory and of the heap in use from the end of
//   the warm-up to the end (goal: under 1 MB over 20 minutes);
// - the GUI thread's stalls: a probe timer that should fire every 10 ms
//   notes how late each tick is; after the first paint, the longest stall and
//   when it came, and every stall over 100 ms (goal: none).
//
//   bench_soak [--seconds N] [--warmup N] [--click-ms N] [--readback-every N]
//              [--pages picture,misc,...] [--no-video-board] [--stall-stacks MS]
//
// --stall-stacks MS: a thread of its own takes the GUI thread's stack with gdb
// once a stall has lasted MS (a few per run, to stderr), and notes when it
// was itself held up as long: then the whole process went unscheduled, and
// nothing of its own blocked the GUI thread.
//
// Default: 120 s after 20 s of warm-up; --seconds 1200 for the 20-minute soak.
// Runs inside the private test network (scripts/bench sets it up); without a
// display it runs itself again under xvfb-run.
#include "AppPaths.h"
#include "BenchUtil.h"
#include "MainWindow.h"
#include "MiddleHandler.h"
#include "ProcSim.h"
#include "SendCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <vector>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kProbeMs = 10;
constexpr double kStallGoalMs = 100;

long HeapInUseKb()
{
    const struct mallinfo2 m = mallinfo2();
    return long((m.uordblks + m.hblkhd) / 1024);
}

// A timer of the GUI thread that should fire every kProbeMs: the lateness
// of each tick is how long the thread did something else.
class StallProbe : public QObject {
public:
    struct Stall {
        double atS;
        double ms;
    };

    explicit StallProbe(const QElapsedTimer& clock) : clock_(clock)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kProbeMs);
        connect(&timer_, &QTimer::timeout, this, &StallProbe::tick);
    }
    void start()
    {
        last_ = clock_.nsecsElapsed();
        lastTick_ = last_;
        timer_.start();
        if (stacksAfterMs_ > 0)
            std::thread([this] { watch(); }).detach();
    }
    void takeStacksAfter(int ms) { stacksAfterMs_ = ms; }
    const std::vector<Stall>& stalls() const { return stalls_; }
    Stall longest() const { return longest_; }

private:
    void tick()
    {
        const qint64 now = clock_.nsecsElapsed();
        const double late = (now - last_) / 1e6 - kProbeMs;
        last_ = now;
        lastTick_ = now;
        if (late > longest_.ms)
            longest_ = {now / 1e9, late};
        if (late > kStallGoalMs)
            stalls_.push_back({now / 1e9, late});
    }

    // Runs to the end of the process.
    void watch()
    {
        constexpr int kStepMs = 50;
        constexpr int kMaxStacks = 10;
        int taken = 0;
        qint64 stackedTick = -1;
        qint64 before = clock_.nsecsElapsed();
        while (taken < kMaxStacks) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
            const qint64 now = clock_.nsecsElapsed();
            const double heldMs = (now - before) / 1e6 - kStepMs;
            before = now;
            const qint64 tick = lastTick_.load();
            if (heldMs >= stacksAfterMs_) {
                // The GUI thread was not blocked on its own: no stack for it.
                stackedTick = tick;
                std::fprintf(stderr,
                             "stall watch: the process went unscheduled for %.0f ms at %.2f s\n",
                             heldMs, now / 1e9);
            }
            if ((now - tick) / 1e6 < stacksAfterMs_ || tick == stackedTick)
                continue;
            stackedTick = tick;
            ++taken;
            std::fprintf(stderr, "stall watch: GUI thread stalled %.0f ms at %.2f s, its stack:\n",
                         (now - tick) / 1e6, now / 1e9);
            const std::string command = "gdb -p " + std::to_string(getpid()) +
                                        " -batch -ex 'thread apply 1 bt 40' 1>&2 2>/dev/null";
            (void)!std::system(command.c_str());
            before = clock_.nsecsElapsed();
        }
    }

    const QElapsedTimer& clock_;
    QTimer timer_;
    qint64 last_ = 0;
    std::atomic<qint64> lastTick_{0};
    int stacksAfterMs_ = 0;
    Stall longest_{0, 0};
    std::vector<Stall> stalls_;
};

// Starts the probe at the window's first paint.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(StallProbe& probe, const QElapsedTimer& clock)
        : probe_(probe), clock_(clock)
    {
    }
    double atS = -1;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && atS < 0) {
            atS = clock_.nsecsElapsed() / 1e9;
            probe_.start();
        }
        return false;
    }

private:
    StallProbe& probe_;
    const QElapsedTimer& clock_;
};

// The main window's page buttons by the names of the program's --page.
const char* PageButtonName(const QString& page)
{
    static const std::pair<const char*, const char*> kPages[] = {
        {"picture", "PicSet_Btn"}, {"output", "Output_Btn"},    {"layers", "pushButton_4"},
        {"input", "pushButton_3"}, {"presets", "pushButton_5"}, {"comm", "pushButton_6"},
        {"misc", "pushButton_8"}};
    for (const auto& p : kPages)
        if (page == QLatin1String(p.first))
            return p.second;
    return nullptr;
}

QPushButton* Button(QWidget* window, const char* name)
{
    auto* b = window->findChild<QPushButton*>(QLatin1String(name));
    if (!b) {
        std::fprintf(stderr, "no button %s\n", name);
        std::exit(1);
    }
    return b;
}

}  // namespace

int main(int argc, char** argv)
{
    Bench::RerunUnderXvfb(argc, argv);
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    InitAppResources();

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption secondsOption("seconds", "Measured time after the warm-up.", "N",
                                           "120");
    const QCommandLineOption warmupOption("warmup", "Warm-up after the first read-back.", "N",
                                          "20");
    const QCommandLineOption clickOption("click-ms", "Time between page clicks.", "N", "250");
    const QCommandLineOption readbackOption("readback-every", "Page clicks between read-backs.",
                                            "N", "25");
    const QCommandLineOption pagesOption(
        "pages", "The pages clicked in turn (picture, output, layers, input, presets, comm, misc).",
        "LIST", "picture,misc,output,misc,picture,layers,input,picture,presets,misc,comm");
    const QCommandLineOption noBoardOption("no-video-board",
                                           "The first processor without its video board.");
    const QCommandLineOption stacksOption(
        "stall-stacks", "Take the GUI thread's stack (gdb) once a stall has lasted N ms.", "N",
        "0");
    parser.addOptions({secondsOption, warmupOption, clickOption, readbackOption, pagesOption,
                       noBoardOption, stacksOption});
    parser.process(app);
    const double seconds = parser.value(secondsOption).toDouble();
    const double warmup = parser.value(warmupOption).toDouble();
    const int clickMs = parser.value(clickOption).toInt();
    const int readbackEvery = parser.value(readbackOption).toInt();

    const QString ip1 = qEnvironmentVariable("LEDZ_DEVICE1_IP", "192.168.1.20");
    const QString ip2 = qEnvironmentVariable("LEDZ_DEVICE2_IP", "192.168.1.21");
    const QString ip3 = qEnvironmentVariable("LEDZ_DEVICE3_IP", "192.168.1.22");
    ProcSim sim;
    const QString board = parser.isSet(noBoardOption) ? QString() : ip3;
    QStringList simArgs = {"--device", ip1 + ",02:4b:53:00:00:20," + board};
    if (!board.isEmpty())
        simArgs << "--video-board";
    simArgs << "--device" << ip2 + ",02:4b:53:00:00:21,," + ProcSim::stateFile("z7050-2.json")
            << "--state" << ProcSim::stateFile("z7050-1.json");
    if (!sim.start(simArgs)) {
        std::fprintf(stderr, "procsim did not start: %s\n", qPrintable(sim.errors()));
        return 1;
    }

    StallProbe probe(clock);
    probe.takeStacksAfter(parser.value(stacksOption).toInt());
    FirstPaint firstPaint(probe, clock);
    auto* window = new MainWindow;  // the program leaves it to the end of the process too
    window->installEventFilter(&firstPaint);
    window->show();

    MiddleHandler* h = MiddleHandler::GetInstance();
    bool readingBack = true;
    double firstReadBackS = -1;
    int readBacks = 0;
    QObject::connect(h, &MiddleHandler::SigUIRefreshRequstCmdEnd, [&] {
        readingBack = false;
        if (firstReadBackS < 0)
            firstReadBackS = clock.nsecsElapsed() / 1e9;
    });

    // The pages in turn (--pages): by default the picture and the system
    // page come back most, as an operator goes between them.
    const QStringList pages = parser.value(pagesOption).split(',', Qt::SkipEmptyParts);
    std::vector<QPushButton*> cycle;
    for (const QString& page : pages) {
        const char* name = PageButtonName(page);
        if (!name) {
            std::fprintf(stderr, "unknown page %s\n", qPrintable(page));
            return 2;
        }
        cycle.push_back(Button(window, name));
    }
    const int kCycle = int(cycle.size());
    int clicks = 0;
    long rssStart = -1, heapStart = -1;
    double measureStartS = -1;
    QTimer clicker;
    clicker.setInterval(clickMs);
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        const double now = clock.nsecsElapsed() / 1e9;
        if (measureStartS < 0 && now >= firstReadBackS + warmup) {
            malloc_trim(0);
            rssStart = Bench::ResidentKb();
            heapStart = HeapInUseKb();
            measureStartS = now;
        }
        if (measureStartS >= 0 && now >= measureStartS + seconds) {
            clicker.stop();
            QCoreApplication::exit(0);
            return;
        }
        cycle[size_t(clicks % kCycle)]->click();
        ++clicks;
        if (clicks % readbackEvery == 0 && !readingBack) {
            readingBack = true;
            ++readBacks;
            SendCommand(nullptr, SEND_INQUIREALLCMD, nullptr, QString());
        }
    });
    QTimer waitFirst;
    QObject::connect(&waitFirst, &QTimer::timeout, [&] {
        if (firstReadBackS >= 0) {
            waitFirst.stop();
            clicker.start();
        } else if (clock.elapsed() > 60000) {
            std::fprintf(stderr, "no read-back within 60 s\n");
            QCoreApplication::exit(1);
        }
    });
    waitFirst.start(50);
    if (app.exec() != 0)
        return 1;

    malloc_trim(0);
    const long rssEnd = Bench::ResidentKb();
    const long heapEnd = HeapInUseKb();
    const double span = clock.nsecsElapsed() / 1e9 - measureStartS;
    std::printf(
        "soak: %.0f s after %.0f s of warm-up; first paint at %.2f s, first read-back "
        "at %.2f s; %d page clicks, %d read-backs\n",
        span, warmup, firstPaint.atS, firstReadBackS, clicks, readBacks);
    std::printf("  resident memory  %8ld kB -> %8ld kB: %+7ld kB (%+.1f MB per 20 min)\n", rssStart,
                rssEnd, rssEnd - rssStart, (rssEnd - rssStart) / 1024.0 * 1200 / span);
    std::printf("  heap in use      %8ld kB -> %8ld kB: %+7ld kB (%+.1f MB per 20 min)\n",
                heapStart, heapEnd, heapEnd - heapStart,
                (heapEnd - heapStart) / 1024.0 * 1200 / span);
    const StallProbe::Stall longest = probe.longest();
    std::printf(
        "  longest GUI-thread stall after the first paint: %.1f ms at %.2f s "
        "(goal: none over %.0f ms)\n",
        longest.ms, longest.atS, kStallGoalMs);
    for (const StallProbe::Stall& s : probe.stalls())
        std::printf("    stall %7.1f ms at %7.2f s\n", s.ms, s.atS);
    std::fflush(stdout);
    sim.stop();
    // The program never tears its window down before exit either.
    std::_Exit(0);
}
