// The preview's picture conversion (the fitted size and the colours of a
// scaled I420 picture) and its watch over a playing stream.
#include "VideoFrame.h"
#include "VideoPlayer.h"

#include <QtTest>
#include <vector>

class TestVideoFrame : public QObject {
    Q_OBJECT

private slots:
    void fitSize_data();
    void fitSize();
    void colours_data();
    void colours();
    void scalesByNearestSample();
    void lostStreamWatch_data();
    void lostStreamWatch();
};

void TestVideoFrame::fitSize_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("bounds");
    QTest::addColumn<QSize>("fitted");
    QTest::newRow("wide into half window")
        << QSize(1920, 1080) << QSize(335, 250) << QSize(335, 188);
    QTest::newRow("4:3 into wide") << QSize(640, 480) << QSize(400, 100) << QSize(133, 100);
    QTest::newRow("same size") << QSize(848, 480) << QSize(848, 480) << QSize(848, 480);
    QTest::newRow("very thin stays visible") << QSize(4000, 2) << QSize(100, 100) << QSize(100, 1);
    QTest::newRow("empty bounds") << QSize(640, 480) << QSize(0, 0) << QSize();
    QTest::newRow("empty source") << QSize(0, 480) << QSize(100, 100) << QSize();
}

void TestVideoFrame::fitSize()
{
    QFETCH(QSize, source);
    QFETCH(QSize, bounds);
    QFETCH(QSize, fitted);
    QCOMPARE(FitSize(source, bounds), fitted);
}

void TestVideoFrame::colours_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("u");
    QTest::addColumn<int>("v");
    QTest::addColumn<QColor>("rgb");
    // Limited range: 16 is black, 235 white; saturated primaries clamp.
    QTest::newRow("black") << 16 << 128 << 128 << QColor(0, 0, 0);
    QTest::newRow("white") << 235 << 128 << 128 << QColor(255, 255, 255);
    QTest::newRow("below black") << 0 << 128 << 128 << QColor(0, 0, 0);
    QTest::newRow("red") << 81 << 90 << 240 << QColor(255, 0, 0);
    QTest::newRow("blue") << 41 << 240 << 110 << QColor(0, 0, 255);
}

void TestVideoFrame::colours()
{
    QFETCH(int, y);
    QFETCH(int, u);
    QFETCH(int, v);
    QFETCH(QColor, rgb);
    std::vector<uint8_t> Y(4 * 4, uint8_t(y)), U(2 * 2, uint8_t(u)), V(2 * 2, uint8_t(v));
    const I420View view{Y.data(), U.data(), V.data(), 4, 2, 2, 4, 4};
    const QImage out = ScaleI420ToRgb(view, QSize(2, 2));
    QCOMPARE(out.size(), QSize(2, 2));
    const QColor got = out.pixelColor(1, 1);
    QVERIFY2(qAbs(got.red() - rgb.red()) <= 2 && qAbs(got.green() - rgb.green()) <= 2 &&
                 qAbs(got.blue() - rgb.blue()) <= 2,
             qPrintable(got.name()));
}

void TestVideoFrame::scalesByNearestSample()
{
    // Left half black, right half white, rows padded (stride above width).
    const int w = 8, h = 4, stride = 16;
    std::vector<uint8_t> Y(size_t(stride * h), 0), U(size_t(8 * 2), 128), V(size_t(8 * 2), 128);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            Y[size_t(r * stride + c)] = c < w / 2 ? 16 : 235;
    const I420View view{Y.data(), U.data(), V.data(), stride, 8, 8, w, h};
    const QImage out = ScaleI420ToRgb(view, QSize(4, 2));
    QCOMPARE(out.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(out.pixel(1, 1), qRgb(0, 0, 0));
    QCOMPARE(out.pixel(2, 0), qRgb(255, 255, 255));
    QCOMPARE(out.pixel(3, 1), qRgb(255, 255, 255));
    // Nothing to show: no picture.
    QVERIFY(ScaleI420ToRgb(view, QSize()).isNull());
    QVERIFY(ScaleI420ToRgb(I420View{}, QSize(4, 2)).isNull());
}

// Events at their times (ms): 'f' a picture, 'l' a look (expected lost or
// not); the watch starts at 0.
void TestVideoFrame::lostStreamWatch_data()
{
    QTest::addColumn<QList<qint64>>("times");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QList<bool>>("lost");
    QTest::newRow("pictures keep it") << QList<qint64>{1000, 1000, 2000, 2000, 3000, 3000}
                                      << "flflfl" << QList<bool>{false, false, false};
    QTest::newRow("no picture for over 5 s")
        << QList<qint64>{1000, 2000, 3000, 4000, 5000, 6000} << "llllll"
        << QList<bool>{false, false, false, false, false, true};
    QTest::newRow("exactly 5 s is not yet lost")
        << QList<qint64>{1000, 2000, 3000, 4000, 5000} << "lllll"
        << QList<bool>{false, false, false, false, false};
    // The program held up for 6.5 s: the late look judges nothing, and the
    // stream is lost only after a fresh 5 s without a picture.
    QTest::newRow("a late look judges nothing")
        << QList<qint64>{1000, 7500, 8500, 9500, 10500, 11500, 12500, 13000} << "llllllll"
        << QList<bool>{false, false, false, false, false, false, false, true};
    QTest::newRow("a look 2 s after the last is on time")
        << QList<qint64>{2000, 4000, 6000} << "lll" << QList<bool>{false, false, true};
}

void TestVideoFrame::lostStreamWatch()
{
    QFETCH(QList<qint64>, times);
    QFETCH(QString, events);
    QFETCH(QList<bool>, lost);
    LostStreamWatch watch;
    watch.start(0);
    QList<bool> seen;
    for (int i = 0; i < events.size(); ++i) {
        if (events[i] == QLatin1Char('f'))
            watch.frame(times[i]);
        else
            seen << watch.lost(times[i]);
    }
    QCOMPARE(seen, lost);
}

QTEST_MAIN(TestVideoFrame)
#include "test_videoframe.moc"
