#include "TestSupport.h"

#include "MiddleHandler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <cstdio>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif
#include <mutex>

namespace {
// Everything the handler touches: lines come from the transports' threads too.
struct HandlerState {
    std::mutex mutex;
    QtMessageHandler next = nullptr;  // QtTest's handler, or Qt's default
    int users = 0;  // the guard and live captures
    bool guard = false;
    int connectionWarnings = 0;
    int captures = 0;
    bool passOn = false;
    QStringList captured;
};

HandlerState& State()
{
    static HandlerState state;
    return state;
}

bool IsConnectionWarning(const QString& message)
{
    return message.startsWith(QLatin1String("QObject::connect:")) ||
           message.startsWith(QLatin1String("QObject::disconnect:"));
}

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    HandlerState& s = State();
    bool fail = false;
    QtMessageHandler next = nullptr;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        next = s.next;
        if (s.guard && IsConnectionWarning(message)) {
            ++s.connectionWarnings;
            fail = true;
        } else if (s.captures > 0) {
            s.captured << message;
            if (!s.passOn)
                return;
        }
    }
    if (next)
        next(type, context, message);
    // Failed by QtTest only on its own thread and inside a test function;
    // ExitStatus() catches the others.
    if (fail && QCoreApplication::instance() &&
        QThread::currentThread() == QCoreApplication::instance()->thread() &&
        QTest::currentTestFunction())
        QTest::qFail(qPrintable(message), context.file ? context.file : __FILE__,
                     context.file ? context.line : __LINE__);
}

// The handler stays installed while anyone uses it; the one it replaced comes
// back after the last user.
void Use()
{
    HandlerState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.users++ == 0)
        s.next = qInstallMessageHandler(Handle);
}

void Release()
{
    HandlerState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (--s.users == 0) {
        qInstallMessageHandler(s.next);
        s.next = nullptr;
    }
}
}  // namespace

void TestSupport::InstallConnectionGuard()
{
    Use();
    std::lock_guard<std::mutex> lock(State().mutex);
    State().guard = true;
}

void TestSupport::RemoveConnectionGuard()
{
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        if (!State().guard)
            return;
        State().guard = false;
    }
    Release();
}

int TestSupport::ConnectionWarnings()
{
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().connectionWarnings;
}

int TestSupport::ExitStatus(int qtestStatus)
{
#if defined(__SANITIZE_ADDRESS__)
    // The checked build looks for leaks here, while the application and the
    // window system's libraries are still loaded: at exit, Mesa's driver is
    // already unloaded and what it keeps could not be told from ours.
    __lsan_do_leak_check();
#endif
    const int warnings = ConnectionWarnings();
    if (warnings == 0)
        return qtestStatus;
    std::fprintf(stderr, "FAIL: %d connection warning(s) (QObject::connect/disconnect)\n",
                 warnings);
    return qtestStatus != 0 ? qtestStatus : 1;
}

TestSupport::LogCapture::LogCapture(bool passOn)
{
    Use();
    std::lock_guard<std::mutex> lock(State().mutex);
    if (State().captures++ == 0)
        State().captured.clear();
    State().passOn = passOn;
}

TestSupport::LogCapture::~LogCapture()
{
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        --State().captures;
    }
    Release();
}

int TestSupport::LogCapture::count(const QString& text, bool exact) const
{
    std::lock_guard<std::mutex> lock(State().mutex);
    int n = 0;
    for (const QString& line : State().captured)
        n += exact ? line == text : line.contains(text);
    return n;
}

QStringList TestSupport::LogCapture::lines() const
{
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().captured;
}

void TestSupport::LogCapture::clear()
{
    std::lock_guard<std::mutex> lock(State().mutex);
    State().captured.clear();
}

int TestSupport::ThreadCount()
{
    return QDir(QStringLiteral("/proc/self/task"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .size();
}

void TestSupport::ExpectAsioError()
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Exception: ")));
}

bool TestSupport::WaitSenderIdle(MiddleHandler* handler, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (handler->PendingShortFrames() == 0 && handler->PendingLongFrames() == 0)
            return true;
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
}

bool TestSupport::WaitReadBackEnds(MiddleHandler* handler, const QSignalSpy& ends, int count,
                                   int timeoutMs)
{
    return QTest::qWaitFor(
        [&] {
            return ends.count() >= count && handler->PendingShortFrames() == 0 &&
                   handler->PendingLongFrames() == 0;
        },
        timeoutMs);
}
