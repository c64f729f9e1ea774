// The output and layer page on a real X server against a simulated
// processor: after the read-back its canvas shows the device's outputs and
// layers; the operator drags and drops on it; and a look at both views.
#include "CellGeometry.h"
#include "InputDragInfo.h"
#include "KSV_OpSetDlg.h"
#include "MiddleHandler.h"
#include "MouseEvents.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"
#include "ProcSim.h"
#include "SelectedSim.h"
#include "TestNet.h"
#include "TestSupport.h"

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
}  // namespace

class TestOpSetPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void outputView();
    void layerView();
    void dragAndDropOnThePage();

private:
    QImage shot(const QString& name, const std::function<bool(const QImage&)>& ready);

    MiddleHandler* h = nullptr;
    std::unique_ptr<ProcSim> sim;
    std::unique_ptr<KSV_OpSetDlg> page;
};

void TestOpSetPage::initTestCase()
{
    REQUIRE_PRIVATE_NETWORK();
    h = MiddleHandler::GetInstance();
    page = std::make_unique<KSV_OpSetDlg>(nullptr);
    page->setGeometry(50, 50, 1100, 700);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    sim = SelectedSim::Start(h, ProcSim::stateFile("z7050-1.json"));
    QVERIFY(sim);
}

void TestOpSetPage::cleanupTestCase()
{
    page.reset();
    sim.reset();
    if (h)
        h->ShutdownForTest();
}

// The page as the X server shows it, once ready holds (at most 10 s).
QImage TestOpSetPage::shot(const QString& name, const std::function<bool(const QImage&)>& ready)
{
    QImage img;
    // The caller checks the picture; a time-out leaves the last one.
    (void)QTest::qWaitFor(
        [&] {
            img = page->screen()
                      ->grabWindow(0, page->x(), page->y(), page->width(), page->height())
                      .toImage()
                      .convertToFormat(QImage::Format_RGB32);
            return ready(img);
        },
        10000);
    img.save(QStringLiteral(LEDZ_SHOT_DIR "/") + name);
    return img;
}

void TestOpSetPage::outputView()
{
    page->setMode(0);
    PaintCellCtrl* c = page->canvas();
    // The device's four output windows of 1920 x 1080 in a 2 x 2 wall.
    const QList<QRect> outputs = {R(0, 0, 1919, 1079), R(1920, 0, 3839, 1079),
                                  R(0, 1080, 1919, 2159), R(1920, 1080, 3839, 2159)};
    QTRY_VERIFY(c->outputCells().at(3)->on);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(c->outputCells().at(i)->deviceRect(), outputs[i]);
        QVERIFY(c->outputCells().at(i)->isVisible());
        QCOMPARE(c->outputCells().at(i)->caption, QString("Output%1").arg(i + 1));
    }
    for (const PicVideoCell* l : c->layerCells())
        QVERIFY(!l->isVisible());
    const QPoint inOutput4 = c->mapTo(page.get(), QPoint(300, 250));
    const QImage img = shot("page-output-view.png", [&](const QImage& i) {
        return i.pixelColor(inOutput4) == QColor(255, 187, 0);
    });
    QCOMPARE(img.pixelColor(inOutput4), QColor(255, 187, 0));
}

void TestOpSetPage::layerView()
{
    page->setMode(1);
    PaintCellCtrl* c = page->canvas();
    QVERIFY(c->inLayerView());
    QCOMPARE(c->maxLayers(), 4);
    const QList<QRect> layers = {R(0, 0, 3839, 2159), R(160, 120, 1119, 659),
                                 R(1920, 1080, 3839, 2159)};
    for (int i = 0; i < 3; ++i) {
        QTRY_COMPARE(c->layerCells().at(i)->deviceRect(), layers[i]);
        QVERIFY(c->layerCells().at(i)->isVisible());
    }
    QTRY_VERIFY(!c->layerCells().at(3)->on);
    QCOMPARE(c->layerCells().at(1)->caption.left(15), QString("Layer 2: Input "));
    for (const PicVideoCell* o : c->outputCells())
        QVERIFY(!o->isVisible());
    // Layer 2's block, lit (0.12, 0.61, 0.57).
    const QPoint inLayer2 = c->mapTo(page.get(), QPoint(60, 22));
    const QImage img = shot("page-layer-view.png", [&](const QImage& i) {
        return i.pixelColor(inLayer2) == QColor(37, 187, 174);
    });
    QCOMPARE(img.pixelColor(inLayer2), QColor(37, 187, 174));
}

void TestOpSetPage::dragAndDropOnThePage()
{
    page->setMode(1);
    PaintCellCtrl* c = page->canvas();
    PicVideoCell* layer = c->layerCells().at(1);
    TestSupport::LogCapture log;
    QSignalSpy moved(c, &PaintCellCtrl::SigMouseMoveLayerCell);
    const QPoint start(40, 40);
    const QPoint g = layer->mapToGlobal(start);
    MouseEvents::press(layer, start);
    QCOMPARE(layer->region(), CellGeometry::kMoveRegion);
    for (int d : {8, 16, 24})
        MouseEvents::moveGlobal(layer, g + QPoint(d, d));
    MouseEvents::release(layer, layer->mapFromGlobal(g + QPoint(24, 24)));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toRect(), R(352, 312, 1311, 851));
    // The page itself sends nothing: the layer panel does.
    QCOMPARE(log.count("Send CommandType"), 0);

    // An input dropped on the canvas fills the free layer 4.
    InputDragInfo info;
    info.source = 2;
    info.type = 2;
    std::unique_ptr<QMimeData> mime(info.toMime());
    QDragEnterEvent enter(QPoint(500, 100), Qt::MoveAction, mime.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(c, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(500, 100), Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &drop);
    QVERIFY(drop.isAccepted());
    QVERIFY(c->layerCells().at(3)->on);
    QCOMPARE(c->layerCells().at(3)->caption, QString("Layer 4: Input  3HDMI"));
}

QTEST_MAIN(TestOpSetPage)
#include "test_opsetpage.moc"
