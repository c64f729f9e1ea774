#include "TestSupport.h"

#include "MiddleHandler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QtTest>

#include <mutex>

namespace {
std::mutex g_captureMutex;
QStringList g_captured;
QtMessageHandler g_previousHandler = nullptr;

void CaptureMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    std::lock_guard<std::mutex> lock(g_captureMutex);
    g_captured << message;
}
}  // namespace

TestSupport::LogCapture::LogCapture()
{
    clear();
    g_previousHandler = qInstallMessageHandler(CaptureMessage);
}

TestSupport::LogCapture::~LogCapture()
{
    qInstallMessageHandler(g_previousHandler);
}

int TestSupport::LogCapture::count(const QString& text, bool exact) const
{
    std::lock_guard<std::mutex> lock(g_captureMutex);
    int n = 0;
    for (const QString& line : g_captured)
        n += exact ? line == text : line.contains(text);
    return n;
}

QStringList TestSupport::LogCapture::lines() const
{
    std::lock_guard<std::mutex> lock(g_captureMutex);
    return g_captured;
}

void TestSupport::LogCapture::clear()
{
    std::lock_guard<std::mutex> lock(g_captureMutex);
    g_captured.clear();
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
