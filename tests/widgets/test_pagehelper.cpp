// The page helper: Escape never closes a page, a language change retranslates
// it, and a burst of device reports gives one redraw per event-loop turn.

#include "GuiTest.h"
#include "PageHelper.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

class Reporter : public QObject {
    Q_OBJECT
signals:
    void report(int idx);
    void reportAll();
};

class TestPageHelper : public QObject {
    Q_OBJECT

private slots:
    void escapeNeverClosesPage();
    void languageChangeRetranslates();
    void burstGivesOneRedrawPerTurn();
    void requestDuringRedrawGivesAnother();
    void hiddenPageRedrawsOnceWhenShown();
};

// Counts the key presses that get past the filters installed after it.
class KeyCounter : public QObject {
public:
    QList<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            keys << static_cast<QKeyEvent*>(event)->key();
        return false;
    }
};

void TestPageHelper::escapeNeverClosesPage()
{
    QDialog page;
    KeyCounter reached;
    page.installEventFilter(&reached);
    Page::Setup(&page);
    QSignalSpy rejected(&page, &QDialog::rejected);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTest::keyClick(&page, Qt::Key_Escape);
    QVERIFY(page.isVisible());
    QCOMPARE(rejected.count(), 0);
    QVERIFY(page.windowFlags() & Qt::FramelessWindowHint);

    // Other keys still reach the page.
    QTest::keyClick(&page, Qt::Key_A);
    QCOMPARE(reached.keys, QList<int>{Qt::Key_A});
}

void TestPageHelper::languageChangeRetranslates()
{
    QWidget page;
    int retranslated = 0;
    Page::Setup(&page, [&] { ++retranslated; });
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&page, &change);
    QCOMPARE(retranslated, 1);

    QWidget plain;
    Page::Setup(&plain);  // no retranslation given: nothing to call
    QCoreApplication::sendEvent(&plain, &change);
}

void TestPageHelper::burstGivesOneRedrawPerTurn()
{
    QObject page;
    Reporter device;
    int redraws = 0;
    auto* redraw = new RedrawCoalescer(&page, [&] { ++redraws; });
    redraw->follow(&device, &Reporter::report);
    redraw->follow(&device, &Reporter::reportAll);

    // A read-back's replies handled in one turn: hundreds of reports.
    for (int i = 0; i < 300; ++i)
        emit device.report(i % 4);
    emit device.reportAll();
    QCOMPARE(redraws, 0);
    QVERIFY(redraw->pending());
    QTRY_COMPARE(redraws, 1);
    QVERIFY(!redraw->pending());

    // The next turn's report gives the next redraw.
    emit device.report(0);
    QTRY_COMPARE(redraws, 2);
    QCoreApplication::processEvents();
    QCOMPARE(redraw->redraws(), 2);
}

// A report raised by the redraw itself (a page that sends and hears back)
// is not lost: it gives one more redraw, in the next turn.
void TestPageHelper::requestDuringRedrawGivesAnother()
{
    QObject page;
    int redraws = 0;
    RedrawCoalescer* redraw = nullptr;
    redraw = new RedrawCoalescer(&page, [&] {
        if (++redraws == 1)
            redraw->request();
    });
    redraw->request();
    QTRY_COMPARE(redraws, 2);
    QCoreApplication::processEvents();
    QCOMPARE(redraws, 2);
}

// A page behind another one in the window's stack follows no report while it
// is hidden: shown, it redraws once for all of them, and then again on every
// report.
void TestPageHelper::hiddenPageRedrawsOnceWhenShown()
{
    QStackedWidget window;
    auto* front = new QWidget;
    auto* page = new QWidget;
    window.addWidget(front);
    window.addWidget(page);
    window.setCurrentWidget(front);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Reporter device;
    int redraws = 0;
    auto* redraw = new RedrawCoalescer(page, [&] { ++redraws; });
    redraw->follow(&device, &Reporter::report);

    for (int turn = 0; turn < 3; ++turn) {
        for (int i = 0; i < 50; ++i)
            emit device.report(i);
        QCoreApplication::processEvents();
    }
    QCOMPARE(redraws, 0);
    QVERIFY(redraw->pending());

    window.setCurrentWidget(page);
    QTRY_COMPARE(redraws, 1);
    QVERIFY(!redraw->pending());
    emit device.report(0);
    QTRY_COMPARE(redraws, 2);

    // Hidden again with nothing owed: showing it redraws nothing.
    window.setCurrentWidget(front);
    window.setCurrentWidget(page);
    QCoreApplication::processEvents();
    QCOMPARE(redraws, 2);
}

LEDZ_GUI_TEST_MAIN(TestPageHelper)
#include "test_pagehelper.moc"
