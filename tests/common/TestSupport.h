// Small helpers that several test executables share.
#pragma once

#include <QStringList>

class MiddleHandler;
class QSignalSpy;

namespace TestSupport {
// Threads of this process, from /proc: tests count the ones a transport
// starts and check that closing it joins them again.
int ThreadCount();
// Expects the next line that a transport logs for a Boost.Asio error.
void ExpectAsioError();
// Processes events until both send queues are empty (every frame
// acknowledged or given up); false when timeoutMs passes first.
bool WaitSenderIdle(MiddleHandler* handler, int timeoutMs = 5000);
// Processes events until the read-backs that ends counts (a spy on
// MiddleHandler::SigUIRefreshRequstCmdEnd) number at least count and both
// send queues are empty: every reply of those read-backs has been handled.
// False when timeoutMs passes first.
bool WaitReadBackEnds(MiddleHandler* handler, const QSignalSpy& ends, int count,
                      int timeoutMs = 10000);

// Collects the lines logged while it lives (the previous message handler is
// put back on destruction). Thread-safe: transports log from their threads.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    // How many captured lines contain the text (or equal it, when exact).
    int count(const QString& text, bool exact = false) const;
    QStringList lines() const;
    void clear();
};
}  // namespace TestSupport
