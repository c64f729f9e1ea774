// The connection guard of the GUI tests, seen from outside: this program's
// test functions make connections that do not resolve, and the CTest test
// (tests/widgets/CMakeLists.txt) checks that exactly those functions failed
// and that the run ended with a failed status.
#include "GuiTest.h"

#include <QPushButton>
#include <QThread>
#include <QtTest>

class ConnectionGuardProbe : public QObject {
    Q_OBJECT
private slots:
    void goodStringConnection()
    {
        QPushButton button;
        QVERIFY(connect(&button, SIGNAL(clicked()), &button, SLOT(hide())));
    }
    // Fails: no such slot.
    void unknownSlot()
    {
        QPushButton button;
        connect(&button, SIGNAL(clicked()), &button, SLOT(noSuchSlot()));
    }
    // Fails, although the line is captured.
    void unknownSignalWhileCapturing()
    {
        TestSupport::LogCapture log;
        QPushButton button;
        connect(&button, SIGNAL(noSuchSignal()), &button, SLOT(hide()));
    }
    // Fails: nothing to disconnect from.
    void disconnectFromNothing()
    {
        QObject* nothing = nullptr;
        disconnect(nothing, nullptr, this, nullptr);
    }
    // Passes itself; counted, and the run's status fails.
    void unknownSlotOnAnotherThread()
    {
        QPushButton button;
        QThread* t = QThread::create([&button] {
            QObject::connect(&button, SIGNAL(clicked()), &button, SLOT(noSuchSlot()));
        });
        t->start();
        QVERIFY(t->wait(10000));
        delete t;
        QCOMPARE(TestSupport::ConnectionWarnings(), 4);
    }
    void goodFunctionPointerConnection()
    {
        QPushButton button;
        QVERIFY(connect(&button, &QPushButton::clicked, &button, &QWidget::hide));
    }
};

LEDZ_GUI_TEST_MAIN(ConnectionGuardProbe)
#include "test_connectionguard.moc"
