// The layout canvas on a real X server (Xvfb): drops of an input,
// double-click fits, drags with real mouse events, captions, what each cell
// paints, and a look at the painted canvas as the X server shows it.
#include "CellGeometry.h"
#include "GuiTest.h"
#include "InputDragInfo.h"
#include "MouseEvents.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"

#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {
QRect R(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r, b));
}

// A drag of that data entering the canvas and dropped at pos, as the
// application delivers it (a drop goes to the widget that accepted the
// drag's entry). True when the drop was accepted.
bool drop(PaintCellCtrl* canvas, const QPoint& pos, QMimeData* mime)
{
    QDragEnterEvent enter(pos, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    const bool entered = enter.isAccepted();
    QDropEvent ev(QPointF(pos), Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    ev.setAccepted(false);
    QApplication::sendEvent(canvas, &ev);
    QDragLeaveEvent leave;
    QApplication::sendEvent(canvas, &leave);
    return entered && ev.isAccepted();
}

std::unique_ptr<QMimeData> info(int source, int half, bool split, int type)
{
    InputDragInfo i;
    i.source = source;
    i.half = half;
    i.split = split ? 1 : 0;
    i.type = type;
    return std::unique_ptr<QMimeData>(i.toMime());
}

// What the cell paints, as a picture of it alone.
QImage picture(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels of that colour in the rectangle.
int count(const QImage& img, const QRect& r, const QColor& c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

void doubleClick(QWidget* w, const QPoint& local)
{
    MouseEvents::press(w, local);
    MouseEvents::release(w, local);
    MouseEvents::send(w, QEvent::MouseButtonDblClick, local, Qt::LeftButton, Qt::LeftButton,
                      w->mapToGlobal(local));
    MouseEvents::release(w, local);
}
}  // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captions_data();
    void captions();
    void dropTurnsOnLowestFreeLayer();
    void dropOutsideAreaTakesHalfTheArea();
    void dropWhenFull_data();
    void dropWhenFull();
    void badPayloadIsRefused_data();
    void badPayloadIsRefused();
    void doubleClickFitsAndRestores();
    void lockedLayerIgnoresDoubleClick();
    void dragSnapsAndReportsOnce();
    void outputDragReportsOnce();
    void closeButtonTurnsCellOff();
    void cellPaints_data();
    void cellPaints();
    void screenshot();

private:
    void layout();
    QImage screenShot();

    std::unique_ptr<QScrollArea> area;
    PaintCellCtrl* canvas = nullptr;
};

void TestCanvas::init()
{
    area = std::make_unique<QScrollArea>();
    area->resize(900, 600);
    canvas = new PaintCellCtrl(area.get());
    canvas->setGeometry(0, 0, 10000, 10000);
    area->setWidget(canvas);
    area->show();
    QVERIFY(QTest::qWaitForWindowExposed(area.get()));
}

void TestCanvas::cleanup()
{
    area.reset();
    canvas = nullptr;
}

// Two outputs side by side on, layers all off.
void TestCanvas::layout()
{
    canvas->setOutputCell(R(0, 0, 1919, 1079), 0, true);
    canvas->setOutputCell(R(1920, 0, 3839, 1079), 1, true);
    canvas->setOutputCell(QRect(), 2, false);
    canvas->setOutputCell(QRect(), 3, false);
    for (int i = 0; i < 4; ++i)
        canvas->setLayerCell(QRect(), i, false, 0, 0, false, 0, false);
}

void TestCanvas::captions_data()
{
    QTest::addColumn<int>("layer");
    QTest::addColumn<int>("gid");
    QTest::addColumn<int>("half");
    QTest::addColumn<bool>("split");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("caption");
    QTest::newRow("input 2 HDMI") << 0 << 1 << 0 << false << "HDMI"
                                  << "Layer 1: Input  2HDMI";
    QTest::newRow("input 6 right half") << 2 << 5 << 1 << true << "DP"
                                        << "Layer 3: Input  DP-R";
    QTest::newRow("input 5 left half") << 1 << 4 << 0 << true << "HDMI"
                                       << "Layer 2: Input  HDMI-L";
    QTest::newRow("input 5 whole") << 1 << 4 << 1 << false << "SDI"
                                   << "Layer 2: Input  5SDI";
    QTest::newRow("input 1 split ignored") << 3 << 0 << 1 << true << "DVI"
                                           << "Layer 4: Input  1DVI";
    QTest::newRow("tile 2") << 0 << 7 << 0 << false << "VGA"
                            << "Layer 1: Tile  2";
}

void TestCanvas::captions()
{
    QFETCH(int, layer);
    QFETCH(int, gid);
    QFETCH(int, half);
    QFETCH(bool, split);
    QFETCH(QString, type);
    QFETCH(QString, caption);
    QString text;
    PaintCellCtrl::cellLabel(layer, gid, half, &text, split, type);
    QCOMPARE(text, caption);
}

void TestCanvas::dropTurnsOnLowestFreeLayer()
{
    layout();
    canvas->setLayerCell(R(0, 0, 1919, 1079), 0, true, 1, 0, false, 2, false);
    canvas->setLayerCell(R(0, 0, 1919, 1079), 2, true, 1, 0, false, 2, false);
    QSignalSpy click(canvas, &PaintCellCtrl::SigClickLayerCell);
    QSignalSpy source(canvas, &PaintCellCtrl::SigLayerInputSrcChange);
    QSignalSpy moved(canvas, &PaintCellCtrl::SigMouseMoveLayerCell);
    QSignalSpy onOff(canvas, &PaintCellCtrl::SigLayerCellOnOff);

    QVERIFY(drop(canvas, QPoint(30, 20), info(5, 1, true, 4).get()));
    PicVideoCell* c = canvas->layerCells().at(1);
    QVERIFY(c->on);
    QVERIFY(c->isVisible());
    QCOMPARE(c->deviceRect(), R(240, 160, 2159, 1239));
    QCOMPARE(c->caption, QString("Layer 2: Input  DP-R"));
    QCOMPARE(click.count(), 1);
    QCOMPARE(click.at(0).at(0).toInt(), 1);
    QCOMPARE(source.at(0), (QList<QVariant>{1, 5, 1}));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toRect(), R(240, 160, 2159, 1239));
    QCOMPARE(onOff.at(0), (QList<QVariant>{1, true}));
    int selected = 0;
    for (const PicVideoCell* l : canvas->layerCells())
        selected += l->selected;
    QCOMPARE(selected, 1);
    QVERIFY(c->selected);
}

void TestCanvas::dropOutsideAreaTakesHalfTheArea()
{
    layout();
    canvas->setLayerArea(0, R(0, 0, 3839, 2159));
    QVERIFY(drop(canvas, QPoint(400, 10), info(0, 0, false, 2).get()));
    QCOMPARE(canvas->layerCells().at(0)->deviceRect(), R(960, 540, 2879, 1619));
}

void TestCanvas::dropWhenFull_data()
{
    QTest::addColumn<int>("maxLayers");
    QTest::newRow("mosaic") << 4;
    QTest::newRow("switcher") << 3;
    QTest::newRow("backup") << 1;
}

void TestCanvas::dropWhenFull()
{
    QFETCH(int, maxLayers);
    layout();
    canvas->setMaxLayers(maxLayers);
    for (int i = 0; i < maxLayers; ++i)
        canvas->setLayerCell(R(0, 0, 959, 539), i, true, 0, 0, false, 2, false);
    QList<QRect> before;
    for (const PicVideoCell* c : canvas->layerCells())
        before << c->deviceRect();
    QSignalSpy onOff(canvas, &PaintCellCtrl::SigLayerCellOnOff);
    QVERIFY(!drop(canvas, QPoint(100, 100), info(1, 0, false, 2).get()));
    QCOMPARE(onOff.count(), 0);
    int on = 0;
    for (int i = 0; i < canvas->layerCells().size(); ++i) {
        on += canvas->layerCells().at(i)->on;
        QCOMPARE(canvas->layerCells().at(i)->deviceRect(), before.at(i));
    }
    QCOMPARE(on, maxLayers);
}

void TestCanvas::badPayloadIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("format");
    InputDragInfo ok;
    ok.source = 1;
    QTest::newRow("19 bytes") << ok.toBytes().left(19) << "INFO";
    InputDragInfo src = ok;
    src.source = 8;
    QTest::newRow("source 8") << src.toBytes() << "INFO";
    src.source = -1;
    QTest::newRow("source -1") << src.toBytes() << "INFO";
    InputDragInfo half = ok;
    half.half = 2;
    QTest::newRow("half 2") << half.toBytes() << "INFO";
    QTest::newRow("foreign format") << ok.toBytes() << "text/plain";
}

void TestCanvas::badPayloadIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, format);
    layout();
    QMimeData mime;
    mime.setData(format, bytes);
    QSignalSpy onOff(canvas, &PaintCellCtrl::SigLayerCellOnOff);
    QVERIFY(!drop(canvas, QPoint(10, 10), &mime));
    QCOMPARE(onOff.count(), 0);
    for (const PicVideoCell* c : canvas->layerCells())
        QVERIFY(!c->on);
}

void TestCanvas::doubleClickFitsAndRestores()
{
    layout();
    // Over outputs 1 and 2.
    canvas->setLayerCell(R(1600, 200, 2399, 599), 0, true, 0, 0, false, 2, false);
    PicVideoCell* c = canvas->layerCells().at(0);
    QSignalSpy moved(canvas, &PaintCellCtrl::SigMouseMoveLayerCell);
    doubleClick(c, QPoint(40, 25));
    QCOMPARE(c->deviceRect(), R(0, 0, 3839, 1079));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toRect(), R(0, 0, 3839, 1079));
    doubleClick(c, QPoint(40, 25));
    QCOMPARE(c->deviceRect(), R(1600, 200, 2399, 599));
    QCOMPARE(moved.count(), 2);
    QCOMPARE(c->geometry(), CellGeometry::deviceToScreen(R(1600, 200, 2399, 599), 8, 8));
}

void TestCanvas::lockedLayerIgnoresDoubleClick()
{
    layout();
    canvas->setLayerCell(R(1600, 200, 2399, 599), 0, true, 0, 0, false, 2, false);
    canvas->setLayerSizeLocked(0, true);
    PicVideoCell* c = canvas->layerCells().at(0);
    QSignalSpy moved(canvas, &PaintCellCtrl::SigMouseMoveLayerCell);
    doubleClick(c, QPoint(40, 25));
    QCOMPARE(c->deviceRect(), R(1600, 200, 2399, 599));
    QCOMPARE(moved.count(), 0);
    // Its corners start no grab; its inside still moves it.
    MouseEvents::press(c, QPoint(3, 3));
    QCOMPARE(c->region(), CellGeometry::kNoRegion);
    MouseEvents::release(c, QPoint(3, 3));
}

void TestCanvas::dragSnapsAndReportsOnce()
{
    layout();
    // Layer at pixels (10, 20)-(249, 120): its right edge goes to within 2 px
    // of output 2's left edge (pixel 240) in three steps.
    canvas->setLayerCell(R(80, 160, 1599, 967), 0, true, 0, 0, false, 2, false);
    PicVideoCell* c = canvas->layerCells().at(0);
    const QRect g = c->geometry();
    QCOMPARE(g, R(10, 20, 199, 120));
    QSignalSpy moved(canvas, &PaintCellCtrl::SigMouseMoveLayerCell);
    const QPoint start(g.width() - 5, 50);
    const QPoint startGlobal = c->mapToGlobal(start);
    MouseEvents::press(c, start);
    QCOMPARE(c->region(), 6);
    QCOMPARE(c->cursor().shape(), Qt::SizeHorCursor);
    for (int dx : {10, 25, 38})
        MouseEvents::moveGlobal(c, startGlobal + QPoint(dx, 0));
    QCOMPARE(moved.count(), 0);
    QCOMPARE(c->snapMark(), 2);
    QCOMPARE(c->geometry(), R(10, 20, 239, 120));
    // The green line on the snapped right edge, until the grab ends.
    const QColor green(0, 255, 0);
    const QRect rightEdge(c->width() - 1, 20, 1, c->height() - 40);
    QCOMPARE(count(picture(c), rightEdge, green), rightEdge.height());
    MouseEvents::release(c, c->mapFromGlobal(startGlobal + QPoint(38, 0)));
    QCOMPARE(count(picture(c), rightEdge, green), 0);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toRect(), R(80, 160, 1919, 967));
    QCOMPARE(c->deviceRect(), R(80, 160, 1919, 967));
    QCOMPARE(c->region(), CellGeometry::kNoRegion);
    QCOMPARE(c->snapMark(), CellGeometry::kNoSnap);
}

void TestCanvas::outputDragReportsOnce()
{
    layout();
    PicVideoCell* out = canvas->outputCells().at(1);
    QSignalSpy moved(canvas, &PaintCellCtrl::SigMouseMoveOPCell);
    QSignalSpy layerMoved(canvas, &PaintCellCtrl::SigMouseMoveLayerCell);
    QSignalSpy click(canvas, &PaintCellCtrl::SigClickOutputCell);
    const QPoint start(100, 60);
    const QPoint startGlobal = out->mapToGlobal(start);
    MouseEvents::press(out, start);
    QCOMPARE(click.count(), 1);
    QCOMPARE(click.at(0).at(0).toInt(), 1);
    QCOMPARE(out->region(), 8);
    // Away from output 1 and down: no partner is near.
    for (int d : {10, 20, 40})
        MouseEvents::moveGlobal(out, startGlobal + QPoint(d, d));
    MouseEvents::release(out, out->mapFromGlobal(startGlobal + QPoint(40, 40)));
    QCOMPARE(layerMoved.count(), 0);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toRect(), R(2240, 320, 4159, 1399));
}

void TestCanvas::closeButtonTurnsCellOff()
{
    layout();
    canvas->setLayerCell(R(0, 0, 959, 539), 3, true, 0, 0, false, 2, false);
    QSignalSpy onOff(canvas, &PaintCellCtrl::SigLayerCellOnOff);
    canvas->layerCells().at(3)->closeButton()->click();
    QCOMPARE(onOff.count(), 1);
    QCOMPARE(onOff.at(0), (QList<QVariant>{3, false}));
    QVERIFY(!canvas->layerCells().at(3)->on);
    // Turned off from the layer panel with notification: the same report.
    canvas->setLayerCell(R(0, 0, 959, 539), 2, true, 0, 0, false, 2, false);
    canvas->setLayerCell(QRect(), 2, false, 0, 0, false, 0, true);
    QCOMPARE(onOff.count(), 2);
    QCOMPARE(onOff.at(1), (QList<QVariant>{2, false}));
    // An index beyond the list changes nothing.
    canvas->setLayerCell(QRect(), 9, false, 0, 0, false, 0, true);
    canvas->setLayerRect(R(0, 0, 9, 9), 9);
    canvas->setLayerArea(-1, R(0, 0, 9, 9));
    QCOMPARE(onOff.count(), 2);
    QCOMPARE(canvas->layerCells().size(), 4);
}

// Each block's colour is the lit colour of its kind (every component times
// 1.2, at most 1); the frame and the texts show the selection.
void TestCanvas::cellPaints_data()
{
    QTest::addColumn<bool>("output");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QColor>("block");
    const QColor outputBlock(255, 187, 0);  // (1, 0.732, 0)
    QTest::newRow("output") << true << 1 << false << outputBlock;
    QTest::newRow("output selected") << true << 1 << true << outputBlock;
    QTest::newRow("layer 1") << false << 0 << false << QColor(153, 92, 184);
    QTest::newRow("layer 2 selected") << false << 1 << true << QColor(37, 187, 174);
    QTest::newRow("layer 3") << false << 2 << false << QColor(165, 193, 255);
    QTest::newRow("layer 4 selected") << false << 3 << true << QColor(165, 37, 43);
}

void TestCanvas::cellPaints()
{
    QFETCH(bool, output);
    QFETCH(int, index);
    QFETCH(bool, selected);
    QFETCH(QColor, block);
    layout();
    // 1920 x 1080 device units at scale 8: 240 x 135 pixels.
    const QRect dev = R(0, 1080, 1919, 2159);
    if (output)
        canvas->setOutputCell(dev, index, true);
    else
        canvas->setLayerCell(dev, index, true, 0, 0, false, 2, false);
    PicVideoCell* c = (output ? canvas->outputCells() : canvas->layerCells()).at(index);
    c->selected = selected;
    const QImage img = picture(c);
    QCOMPARE(img.size(), QSize(240, 135));

    // The block, away from the texts and the close button.
    const QRect free(120, 90, 100, 30);
    QCOMPARE(count(img, free, block), free.width() * free.height());
    // The frame along the left edge: solid light green, or dashed red.
    const QRect leftEdge(1, 20, 1, 95);
    if (selected) {
        QVERIFY(count(img, leftEdge, QColor(255, 0, 0)) > 0);
        QVERIFY(count(img, leftEdge, block) > 0);
    } else {
        QCOMPARE(count(img, leftEdge, QColor(192, 230, 192)), leftEdge.height());
    }
    // The caption, the position and the size in the text colour.
    const QColor text = selected ? QColor(242, 49, 64) : QColor(16, 16, 16);
    for (const QRect& line : {QRect(5, 18, 100, 13), QRect(5, 40, 100, 11), QRect(5, 60, 100, 11)})
        QVERIFY2(count(img, line, text) > 0,
                 qPrintable(QStringLiteral("line at %1").arg(line.top())));
}

// The canvas as the X server shows it: the cells' frames as composed on
// screen.
QImage TestCanvas::screenShot()
{
    return area->screen()
        ->grabWindow(area->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void TestCanvas::screenshot()
{
    layout();
    canvas->setOutputCell(R(0, 1080, 1919, 2159), 2, true);
    canvas->setLayerCell(R(400, 300, 2399, 1399), 0, true, 1, 0, false, 2, false);
    canvas->setLayerSubtitle(0, "LOGO");
    canvas->setLayerCell(R(2600, 1200, 3599, 1799), 1, true, 7, 0, false, 0, false);
    canvas->showLayerCells();
    QImage shot;
    // Wait until the cells have been drawn into the window.
    const QString path = QStringLiteral(LEDZ_SHOT_DIR "/canvas-output-view.png");
    QTRY_VERIFY_WITH_TIMEOUT(
        (shot = screenShot(), shot.pixelColor(400, 100) == QColor(255, 187, 0)), 10000);
    QVERIFY(shot.save(path));
    // Layer 1's block: (0.5, 0.3, 0.6) lit, layer 2's (0.12, 0.61, 0.57) lit.
    QCOMPARE(shot.pixelColor(150, 150), QColor(153, 92, 184));
    QCOMPARE(shot.pixelColor(400, 157), QColor(37, 187, 174));
    // Dots of the canvas between the cells; black elsewhere.
    const QPoint dot = canvas->mapTo(area.get(), QPoint(520, 280));
    QCOMPARE(shot.pixelColor(dot), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(dot + QPoint(1, 1)), QColor(Qt::black));

    canvas->enterLayerView();
    QTRY_VERIFY_WITH_TIMEOUT((shot = screenShot(), shot.pixelColor(400, 100) == QColor(Qt::black)),
                             10000);
    QVERIFY(shot.save(QStringLiteral(LEDZ_SHOT_DIR "/canvas-layer-view.png")));
}

LEDZ_GUI_TEST_MAIN(TestCanvas)
#include "test_canvas.moc"
