// Benchmark of the input page, reported, never asserted: the full redraw
// after a read-back (the port records, the signal reports of all eighteen
// ports, the tiles, then painting the page), against the goal of one 16 ms
// frame; and the cost of the record an input drag carries, from the press
// position to the record a drop reads back.
//
//   bench_inputpage [--runs N]
//
// Offscreen and without a network: the page draws the record that stands in
// for the selected device, filled as a busy processor reports it.
#include "AppPaths.h"
#include "BenchUtil.h"
#include "InputDragInfo.h"
#include "InputSrcCell.h"
#include "InputSrcSetDlg.h"
#include "MiddleHandler.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QMimeData>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Bench;

namespace {

void FillRecord(MData& d)
{
    const int types[6][3] = {{1, 2, 0}, {1, 2, 3}, {3, 3, 0}, {4, 0, 0}, {2, 0, 0}, {4, 2, 1}};
    for (int i = 0; i < 6; ++i) {
        InputPortCfg& p = d.M_InputData.port[i];
        p.portNum = 3;
        p.actId = uint8_t(i % 3);
        for (int k = 0; k < 3; ++k) {
            p.inputType[k] = types[i][k];
            p.chnlId[k] = i >= 4 ? 2 : 1;
        }
        InputSignalInfo& s = d.M_InputData.signal[i];
        for (int k = 0; k < 3; ++k) {
            s.width[0][k] = 1920;
            s.height[0][k] = i >= 4 ? 2160 : 1080;
            s.width[1][k] = i >= 4 ? 1920 : 0;
            s.height[1][k] = i >= 4 ? 2160 : 0;
        }
    }
    d.M_InputData.tile[0] = {2, {4, 4, 0, 0}, {0, 1, 0, 0}, QStringLiteral("Wide")};
    d.M_InputData.tile[1] = {4, {0, 1, 2, 3}, {0, 0, 0, 0}, QString()};
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("ledz.*=false"));
    QCommandLineParser parser;
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Redraws to time."),
                                  QStringLiteral("N"), QStringLiteral("200"));
    parser.addOption(runs);
    parser.process(app);
    const int n = std::max(1, parser.value(runs).toInt());
    InitAppResources();

    MiddleHandler* h = MiddleHandler::GetInstance();
    FillRecord(*h->GetCurrentMData());
    InputSrcSetDlg page(nullptr);
    page.resize(1100, 1000);
    page.show();
    QApplication::processEvents();

    std::vector<double> redraw, withPaint;
    QPixmap target(page.size());
    for (int r = 0; r < n; ++r) {
        // Alternate the active ports so that every run changes what is shown.
        for (int i = 0; i < 6; ++i)
            h->GetCurrentMData()->M_InputData.port[i].actId = uint8_t((i + r) % 3);
        QElapsedTimer t;
        t.start();
        page.On_SigUIRefreshInputCfg();
        for (int i = 0; i < 6; ++i)
            for (int p = 0; p < 3; ++p)
                page.On_SigUIRefreshInputSignal(i, p);
        page.On_SigUIRefreshInputTile();
        redraw.push_back(double(t.nsecsElapsed()) / 1e6);
        // Style sheets resolve and layouts settle when the page is painted.
        page.render(&target);
        withPaint.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("input page full redraw after a read-back (%d runs; goal: one 16 ms frame)\n", n);
    std::printf("  record to widgets: median %.2f ms, p95 %.2f ms, max %.2f ms\n",
                Percentile(redraw, 0.5), Percentile(redraw, 0.95), Percentile(redraw, 1.0));
    std::printf("  with painting:     median %.2f ms, p95 %.2f ms, max %.2f ms\n",
                Percentile(withPaint, 0.5), Percentile(withPaint, 0.95),
                Percentile(withPaint, 1.0));

    // The drag record: built from the press on the right half of a split
    // input, carried in the drag's data, read by the drop.
    InputSrcCell* cell = page.cell(4);
    const QPoint right = cell->rightPart()->mapTo(cell, cell->rightPart()->rect().center());
    const int records = 100000;
    QElapsedTimer t;
    t.start();
    int halves = 0;
    for (int k = 0; k < records; ++k) {
        QMimeData mime;
        mime.setData(QLatin1String(InputDragInfo::kFormat), cell->DragPayload(right));
        halves += InputDragInfo::fromMime(&mime)->half;
    }
    std::printf(
        "drag record, press position to the dropped record: %.3f us each (%d of %d "
        "right halves)\n",
        double(t.nsecsElapsed()) / 1e3 / records, halves, records);
    return 0;
}
