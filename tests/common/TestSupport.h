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

// The one message handler of the tests, chained in front of QtTest's own.
// It serves two things:
// - LogCapture below: the lines logged while a capture lives;
// - the connection guard: a "QObject::connect:" or "QObject::disconnect:"
//   warning fails the running test. The pages connect with SIGNAL()/SLOT()
//   strings, which fail only at run time and only with that warning.
// LEDZ_TEST_GUILESS_MAIN below and LEDZ_GUI_TEST_MAIN (GuiTest.h) turn the
// guard on for the whole run of a test executable.

// Turns the guard on; call after QtTest has installed its handler (the main
// macros do it between QTest::qInit and QTest::qRun).
void InstallConnectionGuard();
void RemoveConnectionGuard();
// Connection warnings seen so far. The guard fails the running test function
// when one comes on the main thread inside it; one from another thread or
// outside any test function is counted only, and the main macros turn the
// count into a failed exit status.
int ConnectionWarnings();
// The exit status of a test run: QtTest's, or 1 when a connection warning
// was seen. In the checked build, leaks are looked for first.
int ExitStatus(int qtestStatus);

// Collects the lines logged while it lives. Thread-safe: transports log
// from their threads. Captured lines are kept from the test's output unless
// passOn is set; QTest::ignoreMessage() sees only lines passed on.
class LogCapture {
public:
    explicit LogCapture(bool passOn = false);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    // How many captured lines contain the text (or equal it, when exact).
    int count(const QString& text, bool exact = false) const;
    QStringList lines() const;
    void clear();
};
}  // namespace TestSupport

// main() of a test: QTEST_MAIN's, with the connection guard on between
// QtTest's set-up (its message handler installed) and its clean-up.
#define LEDZ_TEST_MAIN_WITH(Application, TestObject)                         \
    int main(int argc, char* argv[])                                         \
    {                                                                        \
        Application app(argc, argv);                                         \
        app.setAttribute(Qt::AA_Use96Dpi, true);                             \
        TestObject tc;                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                           \
        QTest::qInit(&tc, argc, argv);                                       \
        TestSupport::InstallConnectionGuard();                               \
        const int status = QTest::qRun();                                    \
        TestSupport::RemoveConnectionGuard();                                \
        QTest::qCleanup();                                                   \
        return TestSupport::ExitStatus(status);                              \
    }

// Instead of QTEST_GUILESS_MAIN; GuiTest.h has the one for tests with widgets.
#define LEDZ_TEST_GUILESS_MAIN(TestObject) LEDZ_TEST_MAIN_WITH(QCoreApplication, TestObject)
