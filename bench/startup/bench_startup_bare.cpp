// The baseline of the start-up benchmark: a bare QMainWindow of the main
// window's size in an executable of its own that links Qt Widgets and
// nothing of the program, so that the ratio compares the program with what
// any Qt program pays.
//
//   bench_startup_bare START_NS
//
// Prints the milliseconds from START_NS (CLOCK_MONOTONIC, taken by the
// caller just before starting this process) to the first frame, the
// processor milliseconds used until then and the resident memory in KiB.

#include "FirstFrame.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const qint64 startNs = QByteArray(argv[1]).toLongLong();
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1366, 768);
    FirstFrame probe(startNs);
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
}
