// The title bar on an X server (run under Xvfb): the drag of a maximised
// window, and the blinking network icon as the server shows it. On X11 a window's state and size change when the server and the window
// manager answer, not when Qt asks: the offscreen platform in test_widgets
// cannot show what this test looks at, the window as the server shows it.
//
// No window manager runs here. The test plays its part in maximising: it
// gives the maximised window the screen's geometry through the server, as a
// window manager does. It does not restore the size on showNormal() either,
// which is what a window manager's late answer looks like at the moment of
// the first move.

#include "AppPaths.h"
#include "GuiTest.h"
#include "MouseEvents.h"
#include "ServerDrawnIcon.h"
#include "TitleBar.h"

#include <QElapsedTimer>
#include <QLabel>
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

// The largest difference of a colour component between two pictures of one
// size.
int difference(const QImage& a, const QImage& b)
{
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                             qAbs(qBlue(p) - qBlue(q))});
        }
    return most;
}
// Counts one kind of event a widget gets.
class EventCounter : public QObject {
public:
    EventCounter(QObject* target, QEvent::Type type, std::function<void()> seen)
        : target_(target), type_(type), seen_(std::move(seen))
    {
        target_->installEventFilter(this);
    }
    ~EventCounter() override { target_->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == target_ && e->type() == type_)
            seen_();
        return false;
    }

private:
    QObject* target_;
    QEvent::Type type_;
    std::function<void()> seen_;
};
}  // namespace

class TestTitleBar : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dragMaximised_data();
    void dragMaximised();
    void blinkingIconOnScreen_data();
    void blinkingIconOnScreen();
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

LEDZ_GUI_TEST_MAIN(TestTitleBar)
#include "test_titlebar.moc"

void TestTitleBar::blinkingIconOnScreen_data()
{
    QTest::addColumn<bool>("translucent");  // the main window's is
    QTest::newRow("opaque window") << false;
    QTest::newRow("translucent window") << true;
}

// The network icon changes every 800 ms while a device is on line, drawn by
// the server without a paint of the window: the screen shows each picture in
// turn, over the bar's colour, as the label paints it; a grab of the window
// (the program's screenshots) shows the same; no picture shows nothing.
void TestTitleBar::blinkingIconOnScreen()
{
    QFETCH(bool, translucent);
    InitAppResources();
    QWidget owner(nullptr, Qt::FramelessWindowHint);
    owner.setAttribute(Qt::WA_TranslucentBackground, translucent);
    owner.setGeometry(200, 150, 600, 200);
    TitleBar* bar = new TitleBar(&owner);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    auto* label = bar->findChild<QLabel*>(QStringLiteral("statusIcon2"));
    QVERIFY(label);
    QTRY_VERIFY(label->width() == 30 && label->isVisible());

    const auto screen = [&] {
        const QPoint at = label->mapToGlobal(QPoint());
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, at.x(), at.y(), label->width(), label->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    // What a label of the bar's kind paints with a picture, on the bar.
    const auto painted = [&](const QString& path) {
        QLabel plain;
        plain.setScaledContents(true);
        plain.setFixedSize(label->size());
        plain.setPixmap(QPixmap(path));
        QImage expected(label->size(), QImage::Format_RGB32);
        expected.fill(kBar);
        plain.render(&expected, QPoint(), QRegion(), QWidget::DrawChildren);
        return expected;
    };
    const QString tx = QStringLiteral(":/res/Image/netstatus-tx.png");
    const QString rx = QStringLiteral(":/res/Image/netstatus-rx.png");
    QVERIFY(difference(painted(tx), painted(rx)) > 64);

    // The label's paints on screen (a grab paints it too: not counted), and
    // those that come sooner after a change than the paint owed once the
    // pictures stop changing (on a loaded machine a change may come later).
    int paints = 0;
    int paintsWhileChanging = 0;
    bool grabbing = false;
    QElapsedTimer sinceChange;
    sinceChange.start();
    EventCounter counter(label, QEvent::Paint, [&] {
        if (grabbing)
            return;
        ++paints;
        if (sinceChange.elapsed() < ServerDrawnIcon::kSettleMs * 9 / 10)  // a coarse timer
            ++paintsWhileChanging;
    });
    // The first picture gives the label a window of its own, which the
    // server shows, and Qt paints.
    bar->setStatusIcon(TitleBar::kBlinkingStatusIcon, rx);
    QTRY_VERIFY(label->windowHandle() && label->windowHandle()->isExposed());
    QTRY_VERIFY(paints > 0);
    QTRY_VERIFY(difference(screen(), painted(rx)) <= 8);

    // Each picture is drawn once, for the server.
    const QString error = QStringLiteral(":/res/Image/network-error.png");
    for (const QString& path : {error, tx}) {
        bar->setStatusIcon(TitleBar::kBlinkingStatusIcon, path);
        QTRY_VERIFY(difference(screen(), painted(path)) <= 8);
    }

    // From then on the label is not painted while the pictures change.
    QCoreApplication::processEvents();
    paintsWhileChanging = 0;
    for (const QString& path : {rx, tx, rx, tx}) {
        sinceChange.restart();
        bar->setStatusIcon(TitleBar::kBlinkingStatusIcon, path);
        const QImage want = painted(path);
        QTRY_VERIFY2(difference(screen(), want) <= 8, qPrintable(path));
        grabbing = true;
        const QImage grabbed =
            owner.grab(label->geometry().translated(bar->pos())).toImage().convertToFormat(
                QImage::Format_RGB32);
        grabbing = false;
        QVERIFY2(difference(grabbed, want) <= 8, qPrintable(path));
    }
    QCoreApplication::processEvents();
    QCOMPARE(paintsWhileChanging, 0);

    // Once the pictures stop changing (the network error stays), Qt paints
    // the label again: an expose answered with what Qt painted last then
    // shows that picture too.
    paints = 0;
    sinceChange.restart();
    bar->setStatusIcon(TitleBar::kBlinkingStatusIcon, error);
    QTRY_VERIFY(difference(screen(), painted(error)) <= 8);
    QTRY_COMPARE_WITH_TIMEOUT(paints, 1, 10000);
    QCOMPARE(paintsWhileChanging, 0);

    bar->setStatusIcon(TitleBar::kBlinkingStatusIcon, QString());
    QImage bare(label->size(), QImage::Format_RGB32);
    bare.fill(kBar);
    QTRY_VERIFY(difference(screen(), bare) <= 8);
}
