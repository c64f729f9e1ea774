// Benchmark of the layout canvas, reported, never asserted: one drag step
// with snapping against 8 partner cells (the arithmetic alone, and through
// the cell widget with its geometry update), and one full repaint of the
// canvas with 6 outputs and 4 layers on a real X server. Goals: a drag step
// well under 50 us; a repaint well inside one 60 Hz frame (16 ms).
//
// Without a display it runs itself again under xvfb-run.
#include "BenchUtil.h"
#include "CellGeometry.h"
#include "PaintCellCtrl.h"
#include "PicVideoCell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QTest>
#include <cstdio>
#include <vector>

namespace {

QRect R(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r, b));
}

template <typename F>
double PerCallUs(int n, F f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i)
        f(i);
    return double(t.nsecsElapsed()) / 1000.0 / n;
}

}  // namespace

int main(int argc, char** argv)
{
    Bench::RerunUnderXvfb(argc, argv);
    QApplication app(argc, argv);

    // 8 partners: a 3 x 2 wall of outputs and two layers; the dragged layer's
    // right edge ends within snapping distance of output 2's left edge.
    std::vector<CellGeometry::Partner> partners;
    for (int i = 0; i < 6; ++i) {
        const QRect dev(QPoint(1920 * (i % 3), 1080 * (i / 3)), QSize(1920, 1080));
        partners.push_back({CellGeometry::deviceToScreen(dev, 8, 8), dev});
    }
    for (const QRect& dev : {R(4000, 2500, 5000, 3000), R(100, 1500, 900, 2000)})
        partners.push_back({CellGeometry::deviceToScreen(dev, 8, 8), dev});
    CellGeometry::DragInput in;
    in.region = 6;
    in.press = QPoint(100, 40);
    in.geometry = R(10, 20, 199, 120);
    in.device = CellGeometry::screenToDevice(in.geometry, 8, 8);
    in.allowedPx = R(0, 0, 719, 269);
    int sink = 0;
    const double pure = PerCallUs(200000, [&](int i) {
        in.mouse = QPoint(100 + 30 + (i & 15), 40);
        sink += CellGeometry::dragStep(in, partners).snapMark;
    });
    std::printf("drag step, arithmetic, 8 partners: %.3f us\n", pure);

    QScrollArea area;
    area.resize(1366, 768);
    auto* canvas = new PaintCellCtrl(&area);
    canvas->setGeometry(0, 0, 10000, 10000);
    area.setWidget(canvas);
    for (int i = 0; i < 6; ++i)
        canvas->setOutputCell(partners[size_t(i)].dev, i, true);
    const QRect layers[4] = {R(400, 300, 2399, 1399), R(2600, 1200, 3599, 1799),
                             R(4000, 2500, 5000, 3000), R(100, 1500, 900, 2000)};
    for (int i = 0; i < 4; ++i)
        canvas->setLayerCell(layers[i], i, true, i, 0, false, 2, false);
    canvas->showLayerCells();
    area.show();
    if (!QTest::qWaitForWindowExposed(&area)) {
        std::printf("no window\n");
        return 1;
    }
    PicVideoCell* cell = canvas->layerCells().at(0);
    QList<PicVideoCell*> all = canvas->outputCells() + canvas->layerCells();
    cell->setPressPoint(QPoint(cell->width() - 5, 40));
    cell->hitRegion(cell->width() - 5, 40);
    const QRect start = cell->geometry();
    const double widget = PerCallUs(20000, [&](int i) {
        if ((i & 63) == 0) {
            cell->setDeviceRect(layers[0]);
            cell->setPressPoint(QPoint(start.width() - 5, 40));
        }
        cell->dragTo(start.width() - 5 + (i & 63), 40, all);
    });
    cell->resetGrab();
    std::printf("drag step, cell widget resized (right edge), 9 partners: %.3f us\n", widget);
    cell->setDeviceRect(layers[0]);
    cell->setPressPoint(QPoint(60, 60));
    cell->hitRegion(60, 60);
    const double moved = PerCallUs(20000, [&](int i) {
        if ((i & 63) == 0) {
            cell->setDeviceRect(layers[0]);
            cell->setPressPoint(QPoint(60, 60));
        }
        cell->dragTo(60 + (i & 63), 60 + (i & 31), all);
    });
    cell->resetGrab();
    std::printf("drag step, cell widget moved, 9 partners: %.3f us\n", moved);

    // A full repaint: the canvas's dots and frames and every cell's GL frame,
    // composed and read back (grab renders all of it synchronously).
    for (int i = 0; i < 5; ++i)
        area.grab();
    const double grab = PerCallUs(50, [&](int) { area.grab(); }) / 1000.0;
    std::printf("full repaint of the canvas (6 outputs, 4 layers), grabbed: %.2f ms\n", grab);
    const double repaint = PerCallUs(100,
                                     [&](int) {
                                         area.viewport()->repaint();
                                         QCoreApplication::processEvents();
                                     }) /
                           1000.0;
    std::printf("repaint of the canvas viewport with events: %.2f ms\n", repaint);
    return sink == -1;
}
