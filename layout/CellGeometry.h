// The arithmetic of the layout canvas, kept apart from the widgets so that it
// can be checked without a window: the conversion between device units and
// canvas pixels, the nine grab regions of a cell, one drag step with its
// snapping, the rectangle a dropped input gets, and the fit of a layer to
// the outputs under it.
//
// Rectangles are inclusive (right = x + width - 1); a rectangle is empty when
// right < left or bottom < top, as QRect has it.
#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

#include <optional>
#include <vector>

namespace CellGeometry {

constexpr int kNoRegion = 9;
constexpr int kMoveRegion = 8;
constexpr int kNoSnap = 10;
// A partner's edge closer than this, in canvas pixels, catches a dragged cell.
constexpr int kSnapDistance = 5;

QRect screenToDevice(const QRect& px, double sx, double sy);
QRect deviceToScreen(const QRect& dev, double sx, double sy);

// Grab region 0..8 of a cell w x h pixels, in cell pixels.
QRect regionRect(int region, int w, int h);
// The first region 0..8 holding the point, kNoRegion when none does. A
// size-locked cell may only be moved: its corner and edge regions give
// kNoRegion.
int hitRegion(int x, int y, int w, int h, bool sizeLocked);
Qt::CursorShape regionCursor(int region);

struct Partner {
    QRect px;  // the partner's geometry on the canvas
    QRect dev;  // its device rectangle
};

struct DragInput {
    int region = kNoRegion;
    QPoint press;  // where the step is measured from, cell pixels
    QPoint mouse;  // the mouse now, cell pixels
    QRect geometry;  // the cell's pixel rectangle on the canvas
    QRect device;  // its device rectangle
    QRect allowedPx;  // the allowed area in pixels; empty: only the origin limits
    double sx = 8.0;
    double sy = 8.0;
};

struct DragResult {
    QRect geometry;  // the new pixel rectangle
    QRect device;  // the new device rectangle (empty: keep the old one)
    int snapMark = kNoSnap;
    QPoint press;  // the press point for the next step
};

// One drag step; partners are the other cells that are on, in list order
// (outputs first), and the first partner that catches the cell wins.
DragResult dragStep(const DragInput& in, const std::vector<Partner>& partners);

// The device rectangle of a layer made by dropping an input at pos (canvas
// pixels): 1920 x 1080 from the drop point, or, when that does not fit the
// allowed area, half the area centred in it.
QRect dropRect(const QPointF& pos, double sx, double sy, const QRect& area);

struct FitOutput {
    bool on = false;
    QRect px;
    QRect dev;
};

// The bounding box in device units of the outputs that are on and whose
// pixel rectangles meet layerPx, each edge held inside a non-empty area.
// Nothing when no output is under the layer.
std::optional<QRect> fitBox(const QRect& layerPx, const std::vector<FitOutput>& outputs,
                            const QRect& area);

}  // namespace CellGeometry
