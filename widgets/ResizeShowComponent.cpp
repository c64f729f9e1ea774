#include "ResizeShowComponent.h"

#include <QDebug>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {
QRect inclusive(int x1, int x2, int y1, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

const Qt::CursorShape kRegionCursors[ResizeShowComponent::kNoRegion] = {
    Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeBDiagCursor,
    Qt::SizeFDiagCursor, Qt::SizeHorCursor,   Qt::SizeVerCursor,
    Qt::SizeHorCursor,   Qt::SizeVerCursor,   Qt::DragMoveCursor};
}  // namespace

ResizeShowComponent::ResizeShowComponent(QWidget* parent) : QWidget(parent)
{
    frame_ = new QFrame(this);
    frame_->setStyleSheet(QStringLiteral("background-color:rgb(166,166,166);border-radius:0px;"));
}

void ResizeShowComponent::setRealCanvas(int x1, int y1, int x2, int y2)
{
    realCanvas_ = QRect(QPoint(x1, y1), QPoint(x2, y2));
    const int canvasW = x2 - x1 + 1;
    const int canvasH = y2 - y1 + 1;
    // An empty canvas or widget has no finite scale: the previous one stays.
    if (canvasW <= 0 || canvasH <= 0 || width() <= 0 || height() <= 0)
        return;
    sx_ = static_cast<float>(canvasW) / static_cast<float>(width());
    sy_ = static_cast<float>(canvasH) / static_cast<float>(height());
}

void ResizeShowComponent::setRealRect(int x1, int y1, int x2, int y2)
{
    realRect_ = QRect(QPoint(x1, y1), QPoint(x2, y2));
    frame_->setGeometry(static_cast<int>(x1 / sx_), static_cast<int>(y1 / sy_),
                        static_cast<int>((x2 - x1 + 1) / sx_),
                        static_cast<int>((y2 - y1 + 1) / sy_));
}

void ResizeShowComponent::setMinimumRealSize(float width, float height)
{
    minRealWidth_ = static_cast<int>(width);
    minRealHeight_ = static_cast<int>(height);
    minWidth_ = width / sx_;
    minHeight_ = height / sy_;
}

// Grab regions of the frame. The far ends of the edge and inside regions are
// the sums L + R - 1 and T + B - 1, so that away from the widget's top-left
// corner they reach past the rectangle.
QRect ResizeShowComponent::regionRect(int region) const
{
    const QRect f = frame_->geometry();
    const int L = f.left(), T = f.top(), R = f.right(), B = f.bottom();
    switch (region) {
    case 0: return inclusive(L, L + 4, T, T + 4);
    case 1: return inclusive(L, L + 4, B - 5, B - 1);
    case 2: return inclusive(R - 5, R - 1, T, T + 4);
    case 3: return inclusive(R - 5, R - 1, B - 5, B - 1);
    case 4: return inclusive(L, L + 4, T + 5, T + B - 1);
    case 5: return inclusive(L + 5, L + R - 1, T, T + 4);
    case 6: return inclusive(R - 5, R - 1, T + 5, T + B - 1);
    case 7: return inclusive(L + 5, L + R - 1, B - 5, B - 1);
    case 8: return inclusive(L + 5, L + R - 1, T + 5, T + B - 1);
    default: return QRect();
    }
}

void ResizeShowComponent::hitRegion(const QPoint& pos)
{
    lastX_ = pos.x();
    lastY_ = pos.y();
    for (int r = 0; r < kNoRegion; ++r) {
        const QRect rc = regionRect(r);
        if (!rc.isEmpty() && rc.contains(pos)) {
            region_ = r;
            setCursor(kRegionCursors[r]);
            return;
        }
    }
}

void ResizeShowComponent::dragTo(const QPoint& pos)
{
    const int dx = pos.x() - lastX_;
    const int dy = pos.y() - lastY_;
    lastX_ = pos.x();
    lastY_ = pos.y();

    const QRect f = frame_->geometry();
    const int L = f.left(), T = f.top(), R = f.right(), B = f.bottom();
    const int wMax = width() - 1, hMax = height() - 1;
    int nl = std::max(L, 0), nt = std::max(T, 0), nr = std::min(R, wMax), nb = std::min(B, hMax);

    const bool left = region_ == 0 || region_ == 1 || region_ == 4;
    const bool top = region_ == 0 || region_ == 2 || region_ == 5;
    const bool right = region_ == 2 || region_ == 3 || region_ == 6;
    const bool bottom = region_ == 1 || region_ == 3 || region_ == 7;
    if (left) {
        int n = L + dx;
        if (R - n + 1 < minWidth_)
            n = R - static_cast<int>(minWidth_) + 1;
        nl = std::max(n, 0);
    }
    if (top) {
        int n = T + dy;
        if (B - n + 1 < minHeight_)
            n = B - static_cast<int>(minHeight_) + 1;
        nt = std::max(n, 0);
    }
    if (right) {
        const int n = R + dx;
        nr = (n - L + 1 < minWidth_) ? std::min(L + static_cast<int>(minWidth_) - 1, wMax)
                                     : std::min(n, wMax);
    }
    if (bottom) {
        const int n = B + dy;
        nb = (n - T + 1 < minHeight_) ? std::min(T + static_cast<int>(minHeight_) - 1, hMax)
                                      : std::min(n, hMax);
    }
    if (region_ == 8) {
        // A move across a border puts the crossing edge on the border and
        // leaves the opposite one: the rectangle grows instead of stopping.
        if (L + dx < 0) {
            nl = 0;
            nr = std::min(R, wMax);
        } else if (R + dx > wMax) {
            nl = std::max(L, 0);
            nr = wMax;
        } else {
            nl = L + dx;
            nr = R + dx;
        }
        if (T + dy < 0) {
            nt = 0;
            nb = std::min(B, hMax);
        } else if (B + dy > hMax) {
            nt = std::max(T, 0);
            nb = hMax;
        } else {
            nt = T + dy;
            nb = B + dy;
        }
    }
    frame_->setGeometry(QRect(QPoint(nl, nt), QPoint(nr, nb)));
    reportFrame(false);
}

void ResizeShowComponent::finishDrag()
{
    region_ = kNoRegion;
    setCursor(Qt::ArrowCursor);
    reportFrame(true);
}

void ResizeShowComponent::reportFrame(bool sendCommand)
{
    const QRect f = frame_->geometry();
    const int left = static_cast<int>(f.left() * sx_ + 0.5f);
    const int top = static_cast<int>(f.top() * sy_ + 0.5f);
    const int w = std::max(static_cast<int>(f.width() * sx_ + 0.5f), minRealWidth_);
    const int h = std::max(static_cast<int>(f.height() * sy_ + 0.5f), minRealHeight_);
    realRect_ = QRect(left, top, w, h);
    qDebug("mRealRc-SRC:  pleft:%d,ptop:%d,width:%d,height:%d", left, top, w, h);
    emit SigRealSize(realRect_, sendCommand);
}

void ResizeShowComponent::mousePressEvent(QMouseEvent* event)
{
    qDebug("MouseButtonPress");
    hitRegion(event->localPos().toPoint());
}

void ResizeShowComponent::mouseMoveEvent(QMouseEvent* event)
{
    qDebug("mouseMoveEvent");
    dragTo(event->localPos().toPoint());
}

void ResizeShowComponent::mouseReleaseEvent(QMouseEvent*)
{
    qDebug("mouseReleaseEvent");
    finishDrag();
}

void ResizeShowComponent::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(16, 16, 16));
}

void ResizeShowComponent::resizeEvent(QResizeEvent*)
{
    frame_->setGeometry(rect());
}
