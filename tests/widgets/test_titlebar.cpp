// The title bar's drag of a maximised window on an X server (run under Xvfb).
// On X11 a window's state and size change when the server and the window
// manager answer, not when Qt asks: the offscreen platform in test_widgets
// cannot show what this test looks at, the window as the server shows it.
//
// No window manager runs here. The test plays its part in maximising: it
// gives the maximised window the screen's geometry through the server, as a
// window manager does. It does not restore the size on showNormal() either,
// which is what a window manager's late answer looks like at the moment of
// the first move.

#include "MouseEvents.h"
#include "TitleBar.h"

#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <QtTest>

using namespace MouseEvents;

namespace {
const QColor kBody(200, 0, 200);
const QColor kBar(46, 46, 46);

bool near(QRgb pixel, const QColor& want)
{
    return qAbs(qRed(pixel) - want.red()) <= 8 && qAbs(qGreen(pixel) - want.green()) <= 8 &&
           qAbs(qBlue(pixel) - want.blue()) <= 8;
}
}  // namespace

class TestTitleBar : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dragMaximised_data();
    void dragMaximised();
};

void TestTitleBar::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
}

void TestTitleBar::dragMaximised_data()
{
    QTest::addColumn<int>("pressX");  // on the maximised bar
    QTest::addColumn<bool>("keepsOffset");
    QTest::newRow("press within the restored width") << 50 << true;
    QTest::newRow("press beyond the restored width") << 1500 << false;
    QTest::newRow("press at the right end") << 1900 << false;
}

void TestTitleBar::dragMaximised()
{
    QFETCH(int, pressX);
    QFETCH(bool, keepsOffset);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(screen.width() > pressX);
    const QRect normal(300, 200, 400, 300);

    QWidget owner(nullptr, Qt::FramelessWindowHint);
    QPalette pal = owner.palette();
    pal.setColor(QPalette::Window, kBody);
    owner.setPalette(pal);
    owner.setAutoFillBackground(true);
    owner.setGeometry(normal);
    TitleBar* bar = new TitleBar(&owner);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QTRY_COMPARE(owner.geometry(), normal);

    bar->findChild<QPushButton*>("maxButton")->click();
    QVERIFY(owner.isMaximized());
    owner.windowHandle()->setGeometry(screen);
    QTRY_COMPARE(owner.geometry(), screen);
    QVERIFY(owner.isMaximized());

    const QPoint pressAt = screen.topLeft() + QPoint(pressX, 10);
    send(bar, QEvent::MouseButtonPress, bar->mapFromGlobal(pressAt), Qt::LeftButton, Qt::LeftButton,
         pressAt);
    const QPoint firstMove = screen.topLeft() + QPoint(600, 400);
    moveGlobal(bar, firstMove);
    QVERIFY(!owner.isMaximized());
    const QPoint dropAt = firstMove + QPoint(30, 20);
    moveGlobal(bar, dropAt);
    release(bar, bar->mapFromGlobal(dropAt));

    // Qt's view, once the server has answered: the restored size, under the
    // pointer.
    QTRY_COMPARE(owner.size(), normal.size());
    QTRY_VERIFY2(owner.geometry().contains(dropAt),
                 qPrintable(QStringLiteral("window at %1,%2 %3x%4")
                                .arg(owner.x())
                                .arg(owner.y())
                                .arg(owner.width())
                                .arg(owner.height())));
    if (keepsOffset)
        QCOMPARE(owner.pos(), dropAt - (pressAt - screen.topLeft()));
    // The pointer stays on the bar.
    QVERIFY(dropAt.y() - owner.y() < TitleBar::kHeight);

    // The server's view: the bar under the pointer, the body inside the
    // restored rectangle and nothing of the window beyond it.
    const QRect window = owner.geometry();
    QVERIFY(screen.contains(window.bottomRight() + QPoint(10, 10)));
    QImage shot;
    const bool shown = QTest::qWaitFor(
        [&] {
            shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            return near(shot.pixel(dropAt), kBar) &&
                   near(shot.pixel(window.bottomRight() - QPoint(5, 5)), kBody) &&
                   !near(shot.pixel(window.bottomRight() + QPoint(10, 10)), kBody) &&
                   !near(shot.pixel(window.topRight() + QPoint(10, 50)), kBody);
        },
        10000);
    // Kept for a look: the screen after the last drag.
    shot.save(QStringLiteral("test_titlebar.png"));
    QVERIFY2(shown, "the screen does not show the restored window under the pointer");
}

QTEST_MAIN(TestTitleBar)
#include "test_titlebar.moc"
