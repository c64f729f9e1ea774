#include "TestSupport.h"

#include "MiddleHandler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QtTest>

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
