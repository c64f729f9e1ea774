// The whole main window on an X server (run under Xvfb): its size and frame,
// its title bar, the seven page buttons and the caption, taken from the
// pixels on the screen. The picture is kept as test_screenshot.png.

#include "AppPaths.h"
#include "MainWindow.h"
#include "TitleBar.h"

#include "TitleBar.h"
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {
bool near(QRgb pixel, const QColor& want, int tolerance = 12)
{
    return qAbs(qRed(pixel) - want.red()) <= tolerance &&
           qAbs(qGreen(pixel) - want.green()) <= tolerance &&
           qAbs(qBlue(pixel) - want.blue()) <= tolerance;
}

int countNear(const QImage& img, const QRect& area, const QColor& want)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += near(img.pixel(x, y), want, 40);
    return n;
}

const QColor kAccent(239, 156, 0);
const QColor kTitleBar(46, 46, 46);
const QColor kBody(64, 64, 64);
}  // namespace

class TestScreenshot : public QObject {
    Q_OBJECT

private slots:
    void wholeWindow();
};

void TestScreenshot::wholeWindow()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    InitAppResources();
    QTemporaryDir appDir;
    QVERIFY(appDir.isValid());
    qputenv("LEDZ_APP_DIR", appDir.path().toLocal8Bit());
    QVERIFY(QDir(appDir.path()).mkdir("Language"));
    QVERIFY(QFile::copy(QStringLiteral(LEDZ_LANGUAGE_DIR "/KSV_Z9050_English.qm"),
                        appDir.filePath("Language/KSV_Z9050_English.qm")));

    MainWindow w;
    w.move(100, 50);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.size(), QSize(1366, 768));
    QCOMPARE(w.frameGeometry(), w.geometry());  // no frame around it

    // The screen as the server shows it, once the window's first frames
    // have reached it: the title bar, the body and the caption drawn.
    auto* caption = w.findChild<TitleBar*>(QString(), Qt::FindDirectChildrenOnly)
                        ->findChild<QLabel*>("titleText1");
    QVERIFY(caption);
    const QRect captionArea = caption->geometry().intersected(QRect(0, 0, 1366, 32));
    QImage shot;
    const auto drawn = [&] {
        shot = w.screen()
                   ->grabWindow(0, w.x(), w.y(), w.width(), w.height())
                   .toImage()
                   .convertToFormat(QImage::Format_RGB32);
        return shot.size() == QSize(1366, 768) && near(shot.pixel(700, 3), kTitleBar) &&
               near(shot.pixel(1000, 758), kBody) && countNear(shot, captionArea, kAccent) > 20;
    };
    const bool shown = QTest::qWaitFor(drawn, 10000);
    shot.save(QStringLiteral("test_screenshot.png"));
    QVERIFY2(shown, "the window's first frame did not reach the screen");
    QCOMPARE(shot.size(), QSize(1366, 768));

    // Title bar across the top, the window body below it, the dark border.
    QVERIFY(near(shot.pixel(700, 3), kTitleBar));
    QVERIFY(near(shot.pixel(1150, 28), kTitleBar));
    QVERIFY(near(shot.pixel(1000, 758), kBody));
    QVERIFY(near(shot.pixel(0, 440), QColor(16, 16, 16)));  // between two buttons
    QVERIFY(near(shot.pixel(1365, 400), QColor(16, 16, 16)));

    // The caption "OUTPUT" is drawn in the accent colour in its label.
    QCOMPARE(caption->text(), QStringLiteral("OUTPUT"));
    QVERIFY2(countNear(shot, captionArea, kAccent) > 20, "caption not drawn");

    // Seven page buttons in a column left of the pages; only the output
    // button wears the accent bar of the selected look.
    const char* names[] = {"PicSet_Btn",   "Output_Btn",   "pushButton_3", "pushButton_4",
                           "pushButton_5", "pushButton_6", "pushButton_8"};
    int lastBottom = 32;
    for (const char* name : names) {
        auto* b = w.findChild<QPushButton*>(name);
        QVERIFY2(b && b->isVisible(), name);
        const QRect r(b->mapTo(&w, QPoint(0, 0)), b->size());
        QVERIFY2(r.top() >= lastBottom, name);
        QVERIFY2(r.right() < 185 && r.width() == 168, name);
        lastBottom = r.bottom();
        const QRgb bar = shot.pixel(r.left() + 2, r.center().y());
        QCOMPARE(near(bar, kAccent, 30), QByteArray(name) == "Output_Btn");
        QVERIFY2(countNear(shot, r.adjusted(10, 4, -10, -4), QColor(235, 235, 235)) +
                         countNear(shot, r.adjusted(10, 4, -10, -4), kAccent) >
                     20,
                 name);
    }
}

QTEST_MAIN(TestScreenshot)
#include "test_screenshot.moc"
