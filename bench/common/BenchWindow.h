// What the benchmarks of the whole main window share beside BenchUtil.h: the
// device search, as the communication page runs it.
#pragma once

#include <QString>

class DestinationDlg;
class QWidget;

namespace Bench {

// Starts the search of the window's communication page on the address pc
// alone, with a short inquiry delay, and waits until the selected processor
// has been read back (at most timeoutMs) and everything sent has been
// acknowledged (at most 5 s more). The page, or null when either did not come.
DestinationDlg* SearchAndReadBack(QWidget* window, const QString& pc, int timeoutMs);

}  // namespace Bench
