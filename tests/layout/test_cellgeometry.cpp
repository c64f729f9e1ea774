// The canvas arithmetic without a window: conversions, grab regions, drag
// steps with their limits and snapping, the drop rectangle and the fit box.
#include "CellGeometry.h"

#include <QtTest>

using namespace CellGeometry;

namespace {
QRect R(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r, b));
}
}  // namespace

class TestCellGeometry : public QObject {
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void roundTrips();
    void hitRegions_data();
    void hitRegions();
    void dragLimits_data();
    void dragLimits();
    void snapping_data();
    void snapping();
    void dropRects_data();
    void dropRects();
    void fitBoxes();
};

void TestCellGeometry::conversions_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QRect>("device");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("full HD at 8") << 8.0 << R(0, 0, 1919, 1079) << R(0, 0, 239, 134);
    QTest::newRow("4K at 8") << 8.0 << R(0, 0, 3839, 2159) << R(0, 0, 479, 269);
    QTest::newRow("offset at 4") << 4.0 << R(1920, 1080, 3839, 2159) << R(480, 270, 959, 539);
    QTest::newRow("left below 2 is the origin") << 8.0 << R(1, 1, 1920, 1080) << R(0, 0, 239, 134);
    QTest::newRow("half a pixel rounds up") << 8.0 << R(12, 4, 27, 19) << R(2, 0, 3, 1);
    QTest::newRow("at 1") << 1.0 << R(5, 7, 104, 56) << R(5, 7, 104, 56);
}

void TestCellGeometry::conversions()
{
    QFETCH(double, scale);
    QFETCH(QRect, device);
    QFETCH(QRect, pixels);
    QCOMPARE(deviceToScreen(device, scale, scale), pixels);
}

void TestCellGeometry::roundTrips()
{
    // Pixel rectangles go to device units and back unchanged at every scale
    // the zoom buttons give in whole steps.
    const QList<QRect> rects = {R(0, 0, 239, 134), R(10, 20, 249, 154), R(2, 2, 3, 3),
                                R(480, 270, 959, 539), R(1234, 77, 1300, 400)};
    for (double s : {8.0, 4.0, 2.0, 1.0})
        for (const QRect& px : rects) {
            const QRect dev = screenToDevice(px, s, s);
            QCOMPARE(deviceToScreen(dev, s, s), px);
            QCOMPARE(dev.width(), int(px.width() * s));
        }
    // The pixel left below 2 is the device origin.
    QCOMPARE(screenToDevice(R(1, 1, 240, 135), 8, 8), R(0, 0, 1919, 1079));
}

void TestCellGeometry::hitRegions_data()
{
    QTest::addColumn<QSize>("cell");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("region");
    const QSize big(240, 135);
    QTest::newRow("3 px from the top-left corner") << big << QPoint(3, 3) << false << 0;
    QTest::newRow("top band 20 px in") << big << QPoint(20, 3) << false << 5;
    QTest::newRow("middle") << big << QPoint(120, 67) << false << 8;
    QTest::newRow("bottom-left") << big << QPoint(0, 134) << false << 1;
    QTest::newRow("top-right") << big << QPoint(239, 0) << false << 2;
    QTest::newRow("bottom-right") << big << QPoint(239, 134) << false << 3;
    QTest::newRow("left band") << big << QPoint(14, 60) << false << 4;
    QTest::newRow("right band, 16 px") << big << QPoint(224, 60) << false << 6;
    QTest::newRow("bottom band") << big << QPoint(120, 119) << false << 7;
    QTest::newRow("just inside the bands") << big << QPoint(15, 15) << false << 8;
    QTest::newRow("locked corner") << big << QPoint(3, 3) << true << kNoRegion;
    QTest::newRow("locked edge") << big << QPoint(120, 130) << true << kNoRegion;
    QTest::newRow("locked middle moves") << big << QPoint(120, 67) << true << 8;
    QTest::newRow("16 high, bottom row inside") << QSize(100, 16) << QPoint(50, 15) << false << 8;
    QTest::newRow("16 high, bottom row left")
        << QSize(100, 16) << QPoint(5, 15) << false << kNoRegion;
    QTest::newRow("16 high, bottom row right")
        << QSize(100, 16) << QPoint(99, 15) << false << kNoRegion;
}

void TestCellGeometry::hitRegions()
{
    QFETCH(QSize, cell);
    QFETCH(QPoint, point);
    QFETCH(bool, locked);
    QFETCH(int, region);
    QCOMPARE(hitRegion(point.x(), point.y(), cell.width(), cell.height(), locked), region);
}

void TestCellGeometry::dragLimits_data()
{
    QTest::addColumn<int>("region");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRect>("allowed");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("result");
    QTest::addColumn<QPoint>("pressAfter");  // relative to the press at (50, 50)
    const QRect g = R(100, 100, 199, 199);
    const QRect none;
    QTest::newRow("left edge, minimum 2 px")
        << 4 << g << none << QPoint(200, 0) << R(198, 100, 199, 199) << QPoint(0, 0);
    QTest::newRow("right edge, minimum 2 px")
        << 6 << g << none << QPoint(-200, 0) << R(100, 100, 101, 199) << QPoint(-200, 0);
    QTest::newRow("top edge stops at the origin")
        << 5 << g << none << QPoint(0, -300) << R(100, 0, 199, 199) << QPoint(0, 0);
    QTest::newRow("top-left stops at the area")
        << 0 << g << R(60, 70, 400, 400) << QPoint(-100, -100) << R(60, 70, 199, 199)
        << QPoint(0, 0);
    QTest::newRow("bottom-right stops at the area")
        << 3 << g << R(0, 0, 250, 220) << QPoint(100, 100) << R(100, 100, 250, 220)
        << QPoint(100, 100);
    QTest::newRow("top-right") << 2 << g << none << QPoint(30, -20) << R(100, 80, 229, 199)
                               << QPoint(30, 0);
    QTest::newRow("bottom-left") << 1 << g << none << QPoint(-30, 20) << R(70, 100, 199, 219)
                                 << QPoint(0, 20);
    QTest::newRow("bottom edge") << 7 << g << none << QPoint(5, 40) << R(100, 100, 199, 239)
                                 << QPoint(5, 40);
    QTest::newRow("move keeps the width at the right edge")
        << 8 << R(300, 10, 399, 59) << R(0, 0, 479, 269) << QPoint(150, 0) << R(380, 10, 479, 59)
        << QPoint(0, 0);
    QTest::newRow("move stops at the left edge")
        << 8 << R(60, 60, 159, 109) << R(50, 50, 479, 269) << QPoint(-30, -30) << R(50, 50, 149, 99)
        << QPoint(0, 0);
    QTest::newRow("move stops at the origin")
        << 8 << g << none << QPoint(-500, 20) << R(0, 120, 99, 219) << QPoint(0, 0);
}

void TestCellGeometry::dragLimits()
{
    QFETCH(int, region);
    QFETCH(QRect, geometry);
    QFETCH(QRect, allowed);
    QFETCH(QPoint, delta);
    QFETCH(QRect, result);
    QFETCH(QPoint, pressAfter);
    DragInput in;
    in.region = region;
    in.press = QPoint(50, 50);
    in.mouse = in.press + delta;
    in.geometry = geometry;
    in.device = screenToDevice(geometry, 8, 8);
    in.allowedPx = allowed;
    const DragResult out = dragStep(in, {});
    QCOMPARE(out.geometry, result);
    QCOMPARE(out.snapMark, kNoSnap);
    QCOMPARE(out.press, in.press + pressAfter);
    if (region == kMoveRegion)
        QCOMPARE(out.device.size(), in.device.size());
    else
        QCOMPARE(out.device, screenToDevice(result, 8, 8));
}

void TestCellGeometry::snapping_data()
{
    QTest::addColumn<int>("region");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRect>("device");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QList<QRect>>("partnersPx");
    QTest::addColumn<QRect>("resultPx");
    QTest::addColumn<QRect>("resultDev");
    QTest::addColumn<int>("mark");

    // An output at pixels (300, 0)-(539, 134), device (2400, 0)-(4319, 1079).
    const QRect out = R(300, 0, 539, 134);
    const QRect layer = R(10, 20, 249, 120);
    const QRect layerDev = R(80, 160, 1999, 967);
    QTest::newRow("right edge to an output's left edge")
        << 6 << layer << layerDev << QPoint(48, 0) << QList<QRect>{out} << R(10, 20, 299, 120)
        << R(80, 160, 2399, 967) << 2;
    QTest::newRow("right edge 6 px away stays")
        << 6 << layer << layerDev << QPoint(44, 0) << QList<QRect>{out} << R(10, 20, 293, 120)
        << R(80, 160, 2351, 967) << kNoSnap;
    QTest::newRow("move: top-left corner to the output's")
        << 8 << R(100, 100, 219, 159) << R(800, 800, 1759, 1279) << QPoint(203, -97)
        << QList<QRect>{out} << R(300, 0, 419, 59) << R(2400, 0, 3359, 479) << 5;
    QTest::newRow("corner before edge: right to left and top to top")
        << 8 << R(100, 3, 199, 52) << R(800, 24, 1599, 423) << QPoint(98, 0) << QList<QRect>{out}
        << R(200, 0, 299, 49) << R(1600, 0, 2399, 399) << 7;
    QTest::newRow("first partner wins")
        << 8 << R(100, 200, 199, 249) << R(800, 1600, 1599, 1999) << QPoint(97, 0)
        << QList<QRect>{R(300, 150, 400, 300), R(298, 150, 400, 300)} << R(200, 200, 299, 249)
        << R(1600, 1600, 2399, 1999) << 2;
    QTest::newRow("same top and bottom: no edge snap")
        << 8 << R(100, 0, 199, 134) << R(800, 0, 1599, 1079) << QPoint(60, 0)
        << QList<QRect>{R(300, 0, 539, 134)} << R(160, 0, 259, 134) << R(1280, 0, 2079, 1079)
        << kNoSnap;
    QTest::newRow("move: below the output, bottom-left corner")
        << 8 << R(302, 140, 401, 189) << R(2416, 1120, 3215, 1519) << QPoint(0, -3)
        << QList<QRect>{out} << R(300, 135, 399, 184) << R(2400, 1080, 3199, 1479) << 5;
}

void TestCellGeometry::snapping()
{
    QFETCH(int, region);
    QFETCH(QRect, geometry);
    QFETCH(QRect, device);
    QFETCH(QPoint, delta);
    QFETCH(QList<QRect>, partnersPx);
    QFETCH(QRect, resultPx);
    QFETCH(QRect, resultDev);
    QFETCH(int, mark);
    std::vector<Partner> partners;
    for (const QRect& p : partnersPx)
        partners.push_back({p, screenToDevice(p, 8, 8)});
    DragInput in;
    in.region = region;
    in.press = QPoint(geometry.width() - 5, 30);
    in.mouse = in.press + delta;
    in.geometry = geometry;
    in.device = device;
    const DragResult r = dragStep(in, partners);
    QCOMPARE(r.geometry, resultPx);
    QCOMPARE(r.device, resultDev);
    QCOMPARE(r.snapMark, mark);
}

void TestCellGeometry::dropRects_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("no area") << QPointF(10.4, 20.6) << QRect() << R(80, 168, 1999, 1247);
    QTest::newRow("inside the area") << QPointF(0, 0) << R(0, 0, 3839, 2159) << R(0, 0, 1919, 1079);
    QTest::newRow("sticks out: half the area, a quarter in")
        << QPointF(400, 10) << R(0, 0, 3839, 2159) << R(960, 540, 2879, 1619);
    QTest::newRow("offset area") << QPointF(0, 0) << R(1920, 0, 3839, 1079)
                                 << R(2400, 270, 3359, 809);
}

void TestCellGeometry::dropRects()
{
    QFETCH(QPointF, pos);
    QFETCH(QRect, area);
    QFETCH(QRect, rect);
    QCOMPARE(dropRect(pos, 8, 8, area), rect);
}

void TestCellGeometry::fitBoxes()
{
    // Outputs 1 and 2 side by side, output 3 below them, output 4 off.
    std::vector<FitOutput> outputs;
    for (const QRect& dev :
         {R(0, 0, 1919, 1079), R(1920, 0, 3839, 1079), R(0, 1080, 1919, 2159), R(0, 0, 3839, 2159)})
        outputs.push_back({true, deviceToScreen(dev, 8, 8), dev});
    outputs[3].on = false;

    const QRect layer = R(200, 50, 300, 100);  // over outputs 1 and 2
    QCOMPARE(fitBox(layer, outputs, QRect()), std::optional<QRect>(R(0, 0, 3839, 1079)));
    QCOMPARE(fitBox(layer, outputs, R(100, 0, 3000, 2159)),
             std::optional<QRect>(R(100, 0, 3000, 1079)));
    QCOMPARE(fitBox(R(10, 10, 20, 20), outputs, QRect()),
             std::optional<QRect>(R(0, 0, 1919, 1079)));
    QCOMPARE(fitBox(R(600, 600, 700, 700), outputs, QRect()), std::nullopt);
}

QTEST_GUILESS_MAIN(TestCellGeometry)
#include "test_cellgeometry.moc"
