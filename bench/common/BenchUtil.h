// What the benchmarks share: their X server, their simulated processors, the
// event loop they wait in, the clocks and counters they read and the way
// they print. Qt Core only, so that a benchmark that measures the program
// from outside (bench_startup) links no more than that.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <vector>

namespace Bench {

// Without a display, runs this benchmark again under xvfb-run (one
// 1920 x 1080 x 24 screen, the xcb platform) with the same arguments and
// never returns; exits 1 when xvfb-run cannot be started. Call it first in
// main(), before the application object.
void RerunUnderXvfb(int argc, char** argv);

// Runs the event loop, sleeping while there is nothing to do, until done()
// holds (looked at every 20 ms) or timeoutMs has passed; done()'s last answer.
bool WaitFor(const std::function<bool()>& done, int timeoutMs);

// The processor time of the whole process so far (all its threads), in ms.
double ProcessCpuMs();

// The processor time of each thread of this process so far, in ms, by
// "name (tid)".
std::map<QString, double> ThreadCpuMs();

// The value at fraction q (0: the least, 1: the greatest) of v.
double Percentile(std::vector<double> v, double q);

struct Spread {
    double min, median, max;
};
Spread SpreadOf(std::vector<double> v);

// A line of scripts/bench's table: "ROW|measure|figure|goal|met".
void Row(const QString& measure, const QString& figure, const QString& goal, bool met);

// The number after field ("VmRSS:", "voluntary_ctxt_switches:") in a status
// file of /proc; -1 when there is none.
long long StatusField(const QString& path, const char* field);
// A field of /proc/PID/status (pid 0: this process) in kB.
long StatusKb(const char* field, qint64 pid = 0);
long ResidentKb(qint64 pid = 0);

// $LEDZ_SOURCE_DIR/tools/procsim/states/z7050-1.json
QString StateFile();
// The --device arguments of count processors heartbeating at procsim's
// default period (192.168.1.20 on for two, 192.168.1.100 on for more), then
// --state StateFile().
QStringList ProcessorArgs(int count);

// procsim ($PROCSIM, else the one beside this benchmark) with args and its
// frame log at log (in a directory of its own when log is empty); ready once
// it has said so, ended with this object.
class Processors {
public:
    explicit Processors(const QStringList& args, const QString& log = QString());
    ~Processors();
    Processors(const Processors&) = delete;
    Processors& operator=(const Processors&) = delete;

    bool ready() const { return ready_; }
    QString logPath() const { return log_; }

private:
    QTemporaryDir dir_;
    QString log_;
    QProcess p_;
    bool ready_ = false;
};

}  // namespace Bench
