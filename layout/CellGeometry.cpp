#include "CellGeometry.h"

#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace CellGeometry {

namespace {

int Trunc(double v)
{
    return int(std::trunc(v));
}

QRect FromCorners(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom)).normalized();
}

// Which edges each region drags, as bit masks over the regions 0..8.
constexpr int kDragsLeft = 0x13;  // regions 0, 1, 4
constexpr int kDragsTop = 0x25;  // regions 0, 2, 5
constexpr int kDragsRight = 0x4c;  // regions 2, 3, 6
constexpr int kDragsBottom = 0x8a;  // regions 1, 3, 7

bool Drags(int mask, int region)
{
    return region >= 0 && region < kMoveRegion && (mask >> region & 1);
}

// The relations between a dragged rectangle N and a partner O. Boundaries
// are left, right + 1, top and bottom + 1, so that touching cells share one.
enum Rel {
    kTouchLeft,  // N's right boundary at O's left
    kAlignLeft,  // left at left
    kTouchRight,  // N's left at O's right boundary
    kAlignRight,  // right at right
    kTouchTop,  // N's bottom boundary at O's top
    kAlignTop,  // top at top
    kTouchBottom,  // N's top at O's bottom boundary
    kAlignBottom,  // bottom at bottom
    kNone
};

struct Test {
    Rel h;
    Rel v;
    int mark;
};

// The corner tests in groups of four; the first relation of each group is h
// of its first test.
constexpr Test kCorners[4][4] = {
    {{kTouchLeft, kTouchTop, 8},
     {kTouchLeft, kAlignTop, 7},
     {kAlignLeft, kTouchTop, 6},
     {kAlignLeft, kAlignTop, 5}},
    {{kTouchLeft, kAlignBottom, 8},
     {kTouchLeft, kTouchBottom, 7},
     {kAlignLeft, kAlignBottom, 6},
     {kAlignLeft, kTouchBottom, 5}},
    {{kAlignRight, kTouchTop, 8},
     {kAlignRight, kAlignTop, 7},
     {kTouchRight, kAlignTop, 5},
     {kTouchRight, kTouchTop, 6}},
    {{kTouchRight, kAlignBottom, 6},
     {kTouchRight, kTouchBottom, 5},
     {kAlignRight, kAlignBottom, 8},
     {kAlignRight, kTouchBottom, 7}},
};
// Groups whose order changes when both of their horizontal relations hold.
constexpr bool kReorders[4] = {true, true, false, true};

// The edge tests: one relation and an overlap across it.
constexpr Test kEdges[8] = {
    {kTouchLeft, kNone, 2},  {kAlignLeft, kNone, 0},   {kTouchRight, kNone, 0},
    {kAlignRight, kNone, 2}, {kNone, kAlignBottom, 3}, {kNone, kTouchBottom, 1},
    {kNone, kTouchTop, 3},   {kNone, kAlignTop, 1},
};

struct Bounds {
    int l, r, t, b;  // r and b one past the last pixel
    explicit Bounds(const QRect& q) : l(q.left()), r(q.right() + 1), t(q.top()), b(q.bottom() + 1)
    {
    }
};

bool Near(int a, int b)
{
    return std::abs(a - b) <= kSnapDistance;
}

bool Holds(Rel rel, const Bounds& n, const Bounds& o)
{
    switch (rel) {
    case kTouchLeft:
        return Near(n.r, o.l);
    case kAlignLeft:
        return Near(n.l, o.l);
    case kTouchRight:
        return Near(n.l, o.r);
    case kAlignRight:
        return Near(n.r, o.r);
    case kTouchTop:
        return Near(n.b, o.t);
    case kAlignTop:
        return Near(n.t, o.t);
    case kTouchBottom:
        return Near(n.t, o.b);
    case kAlignBottom:
        return Near(n.b, o.b);
    case kNone:
        break;
    }
    return false;
}

bool OverlapV(const Bounds& n, const Bounds& o)
{
    return (o.t < n.b && n.b < o.b) || (n.t < o.b && o.b < n.b);
}

bool OverlapH(const Bounds& n, const Bounds& o)
{
    return (o.l < n.r && n.r < o.r) || (n.l < o.r && o.r < n.r);
}

// The first test that holds between N and O, or nullptr.
const Test* FindTest(const Bounds& n, const Bounds& o)
{
    for (int g = 0; g < 4; ++g) {
        const Test* group = kCorners[g];
        const Rel first = group[0].h;
        const Rel other = group[2].h;
        const bool both = Holds(first, n, o) && Holds(other, n, o);
        int order[4] = {0, 1, 2, 3};
        if (kReorders[g] && both) {
            order[1] = 2;
            order[2] = 3;
            order[3] = 1;
        }
        for (int i : order) {
            const Test& t = group[i];
            if (Holds(t.h, n, o) && Holds(t.v, n, o))
                return &t;
        }
    }
    for (const Test& t : kEdges) {
        if (t.h != kNone && Holds(t.h, n, o) && OverlapV(n, o))
            return &t;
        if (t.v != kNone && Holds(t.v, n, o) && OverlapH(n, o))
            return &t;
    }
    return nullptr;
}

// Moves N's edge named by rel to the partner's boundary: the edge alone when
// the region drags it, else the whole rectangle along that axis.
void ApplyPx(Rel rel, int region, const Bounds& o, QRect& n)
{
    auto setOrShift = [&](bool horizontal, bool lowEdge, int mask, int boundary) {
        // boundary is in the boundary convention: a right or bottom edge sits
        // one pixel before it.
        const int target = lowEdge ? boundary : boundary - 1;
        if (Drags(mask, region)) {
            if (horizontal)
                lowEdge ? n.setLeft(target) : n.setRight(target);
            else
                lowEdge ? n.setTop(target) : n.setBottom(target);
        } else if (horizontal) {
            n.translate(target - (lowEdge ? n.left() : n.right()), 0);
        } else {
            n.translate(0, target - (lowEdge ? n.top() : n.bottom()));
        }
    };
    switch (rel) {
    case kTouchLeft:
        setOrShift(true, false, kDragsRight, o.l);
        break;
    case kAlignLeft:
        setOrShift(true, true, kDragsLeft, o.l);
        break;
    case kTouchRight:
        setOrShift(true, true, kDragsLeft, o.r);
        break;
    case kAlignRight:
        setOrShift(true, false, kDragsRight, o.r);
        break;
    case kTouchTop:
        setOrShift(false, false, kDragsBottom, o.t);
        break;
    case kAlignTop:
        setOrShift(false, true, kDragsTop, o.t);
        break;
    case kTouchBottom:
        setOrShift(false, true, kDragsTop, o.b);
        break;
    case kAlignBottom:
        setOrShift(false, false, kDragsBottom, o.b);
        break;
    case kNone:
        break;
    }
}

// The device value the relation gives: which edge of d it sets, and to what.
// Returns 0 left, 1 right, 2 top, 3 bottom, -1 none.
int ApplyDev(Rel rel, const QRect& o, QRect& d)
{
    switch (rel) {
    case kTouchLeft:
        d.setRight(o.left() - 1);
        return 1;
    case kAlignLeft:
        d.setLeft(o.left());
        return 0;
    case kTouchRight:
        d.setLeft(o.right() + 1);
        return 0;
    case kAlignRight:
        d.setRight(o.right());
        return 1;
    case kTouchTop:
        d.setBottom(o.top() - 1);
        return 3;
    case kAlignTop:
        d.setTop(o.top());
        return 2;
    case kTouchBottom:
        d.setTop(o.bottom() + 1);
        return 2;
    case kAlignBottom:
        d.setBottom(o.bottom());
        return 3;
    case kNone:
        break;
    }
    return -1;
}

}  // namespace

QRect screenToDevice(const QRect& px, double sx, double sy)
{
    const int left = px.left() < 2 ? 0 : std::max(0, Trunc(px.left() * sx));
    const int top = px.top() < 2 ? 0 : std::max(0, Trunc(px.top() * sy));
    const int w = Trunc((px.right() - px.left() + 1) * sx);
    const int h = Trunc((px.bottom() - px.top() + 1) * sy);
    return FromCorners(left, top, left + w - 1, top + h - 1);
}

QRect deviceToScreen(const QRect& dev, double sx, double sy)
{
    // The scales go through single precision first, as the cells have always
    // drawn them; a double scale can land half a pixel elsewhere.
    const double fx = double(float(sx));
    const double fy = double(float(sy));
    auto origin = [](int v, double s) {
        if (v < 2)
            return 0;
        const double p = v / s + 0.5;
        return p > 1.0 ? Trunc(p) : 0;
    };
    const int left = origin(dev.left(), fx);
    const int top = origin(dev.top(), fy);
    const int w = Trunc((dev.right() - dev.left() + 1) / fx + 0.5);
    const int h = Trunc((dev.bottom() - dev.top() + 1) / fy + 0.5);
    return FromCorners(left, top, left + w - 1, top + h - 1);
}

QRect regionRect(int region, int w, int h)
{
    auto r = [](int l, int t, int rr, int b) { return QRect(QPoint(l, t), QPoint(rr, b)); };
    switch (region) {
    case 0:
        return r(0, 0, 14, 14);
    case 1:
        return r(0, h - 16, 14, 2 * h - 18);
    case 2:
        return r(w - 16, 0, 2 * w - 18, 14);
    case 3:
        return r(w - 16, h - 16, 2 * w - 18, 2 * h - 18);
    case 4:
        return r(0, 5, 14, h - 12);
    case 5:
        return r(15, 0, w - 2, 14);
    case 6:
        return r(w - 16, 15, 2 * w - 18, h - 2);
    case 7:
        return r(15, h - 16, w - 2, 2 * h - 18);
    case 8:
        return r(15, 15, w - 2, h + 28);
    default:
        return QRect();
    }
}

int hitRegion(int x, int y, int w, int h, bool sizeLocked)
{
    for (int region = 0; region <= kMoveRegion; ++region) {
        const QRect r = regionRect(region, w, h);
        if (r.isEmpty() || !r.contains(x, y))
            continue;
        if (sizeLocked && region != kMoveRegion)
            return kNoRegion;
        return region;
    }
    return kNoRegion;
}

Qt::CursorShape regionCursor(int region)
{
    switch (region) {
    case 0:
    case 3:
        return Qt::SizeFDiagCursor;
    case 1:
    case 2:
        return Qt::SizeBDiagCursor;
    case 4:
    case 6:
        return Qt::SizeHorCursor;
    case 5:
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::DragMoveCursor;
    default:
        return Qt::ArrowCursor;
    }
}

DragResult dragStep(const DragInput& in, const std::vector<Partner>& partners)
{
    const int dx = in.mouse.x() - in.press.x();
    const int dy = in.mouse.y() - in.press.y();
    const QRect& g = in.geometry;
    const QRect& p = in.allowedPx;
    const bool pValid = !p.isEmpty();
    const int pLeft = pValid ? p.left() : 0;
    const int pTop = pValid ? p.top() : 0;
    const int region = in.region;

    int left = g.left(), top = g.top(), right = g.right(), bottom = g.bottom();
    if (region == kMoveRegion) {
        const int w = g.width(), h = g.height();
        left = g.left() + dx;
        right = g.right() + dx;
        if (left < pLeft) {
            left = pLeft;
            right = left + w - 1;
        } else if (pValid && right > p.right()) {
            right = p.right();
            left = std::max(p.left(), p.right() - (w - 1));
        }
        top = g.top() + dy;
        bottom = g.bottom() + dy;
        if (top < pTop) {
            top = pTop;
            bottom = top + h - 1;
        } else if (pValid && bottom > p.bottom()) {
            bottom = p.bottom();
            top = std::max(p.top(), p.bottom() - (h - 1));
        }
    } else {
        if (Drags(kDragsLeft, region)) {
            left = std::max(g.left() + dx, pLeft);
            if (right - left + 1 < 2)
                left = right - 1;
        }
        if (Drags(kDragsTop, region)) {
            top = std::max(g.top() + dy, pTop);
            if (bottom - top + 1 < 2)
                top = bottom - 1;
        }
        if (Drags(kDragsRight, region)) {
            right = std::max(g.right() + dx, left + 1);
            if (pValid)
                right = std::min(right, p.right());
        }
        if (Drags(kDragsBottom, region)) {
            bottom = std::max(g.bottom() + dy, top + 1);
            if (pValid)
                bottom = std::min(bottom, p.bottom());
        }
    }
    QRect n(QPoint(left, top), QPoint(right, bottom));

    DragResult out;
    out.press = in.press;
    if (region == 3 || region == 6 || region == 7)
        out.press = in.mouse;
    else if (region == 2)
        out.press.setX(in.mouse.x());
    else if (region == 1)
        out.press.setY(in.mouse.y());

    const Test* hit = nullptr;
    const Partner* partner = nullptr;
    const Bounds nb(n);
    for (const Partner& o : partners) {
        hit = FindTest(nb, Bounds(o.px));
        if (hit) {
            partner = &o;
            break;
        }
    }

    QRect dev = screenToDevice(n, in.sx, in.sy);
    const int devW = in.device.width();
    const int devH = in.device.height();
    bool hSet[2] = {false, false};  // left, right set from the partner
    bool vSet[2] = {false, false};  // top, bottom
    if (hit) {
        const Bounds ob(partner->px);
        ApplyPx(hit->h, region, ob, n);
        ApplyPx(hit->v, region, ob, n);
        dev = screenToDevice(n, in.sx, in.sy);
        for (Rel rel : {hit->h, hit->v}) {
            const int edge = ApplyDev(rel, partner->dev, dev);
            if (edge == 0 || edge == 1)
                hSet[edge] = true;
            else if (edge == 2 || edge == 3)
                vSet[edge - 2] = true;
        }
        out.snapMark = hit->mark;
    }
    if (region == kMoveRegion) {
        // A move never changes the device size: the pixel grid would round
        // it by up to a scale's worth of units on every step.
        if (hSet[1] && !hSet[0])
            dev.setLeft(dev.right() - devW + 1);
        else if (!hSet[0] || !hSet[1])
            dev.setRight(dev.left() + devW - 1);
        if (vSet[1] && !vSet[0])
            dev.setTop(dev.bottom() - devH + 1);
        else if (!vSet[0] || !vSet[1])
            dev.setBottom(dev.top() + devH - 1);
    }
    if (dev.left() < 0)
        dev.setLeft(0);
    if (dev.top() < 0)
        dev.setTop(0);
    out.device = dev;
    out.geometry = n;
    return out;
}

QRect dropRect(const QPointF& pos, double sx, double sy, const QRect& area)
{
    const QPoint p = pos.toPoint();  // qRound on each coordinate
    const int left = Trunc(p.x() * sx);
    const int top = Trunc(p.y() * sy);
    QRect r(QPoint(left, top), QPoint(left + 1919, top + 1079));
    if (!area.isEmpty() && !area.contains(r)) {
        const int w = area.right() - area.left() + 1;
        const int h = area.bottom() - area.top() + 1;
        const int l = area.left() + (w >> 2);
        const int t = area.top() + (h >> 2);
        r = QRect(QPoint(l, t), QPoint(l + (w >> 1) - 1, t + (h >> 1) - 1));
    }
    return r;
}

std::optional<QRect> fitBox(const QRect& layerPx, const std::vector<FitOutput>& outputs,
                            const QRect& area)
{
    const bool aValid = !area.isEmpty();
    int minLeft = 10000, maxRight = 0, minTop = 10000, maxBottom = 0;
    int left = 0, right = 0, top = 0, bottom = 0;
    bool any = false;
    for (const FitOutput& o : outputs) {
        if (!o.on || !o.px.intersects(layerPx))
            continue;
        any = true;
        if (o.px.left() < minLeft) {
            minLeft = o.px.left();
            left = aValid ? std::max(o.dev.left(), area.left()) : o.dev.left();
        }
        if (o.px.right() > maxRight) {
            maxRight = o.px.right();
            right = aValid ? std::min(o.dev.right(), area.right()) : o.dev.right();
        }
        if (o.px.top() < minTop) {
            minTop = o.px.top();
            top = aValid ? std::max(o.dev.top(), area.top()) : o.dev.top();
        }
        if (o.px.bottom() > maxBottom) {
            maxBottom = o.px.bottom();
            bottom = aValid ? std::min(o.dev.bottom(), area.bottom()) : o.dev.bottom();
        }
    }
    if (!any)
        return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace CellGeometry
