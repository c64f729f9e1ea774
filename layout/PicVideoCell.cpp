#include "PicVideoCell.h"

#include "CellGeometry.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include <vector>

PicVideoCell::PicVideoCell(QWidget* parent) : QWidget(parent)
{
    // The block covers every pixel: nothing under the cell is painted for it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    closeButton_ = new QPushButton(this);
    // Asked of the style once: each asking looks through the icon theme, and
    // the canvas makes a cell for every output and layer. Never freed, like
    // the title bars' pictures (TitleBar.cpp).
    static const QIcon* closeIcon = new QIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    closeButton_->setIcon(*closeIcon);
    closeButton_->setStyleSheet(QStringLiteral("background-color:transparent;"));
    closeButton_->setMaximumSize(8, 8);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(closeButton_, 0, Qt::AlignRight | Qt::AlignTop);
    connect(closeButton_, SIGNAL(clicked(bool)), this, SLOT(showClose()));
    font_ = QFont(QStringLiteral("Microsoft YaHei"), 12, 75);
}

void PicVideoCell::showClose()
{
    close();
    on = false;
    emit SigCellOff(index, isWnd);
}

void PicVideoCell::closeCell()
{
    close();
    on = false;
}

void PicVideoCell::setDeviceRect(int left, int top, int right, int bottom)
{
    const QRect r(QPoint(left, top), QPoint(right, bottom));
    if (storeDeviceRect(r))
        setGeometry(deviceToScreen(r));
}

bool PicVideoCell::storeDeviceRect(const QRect& r)
{
    if (r.isEmpty())
        return false;
    if (r != deviceRect_)
        previousRect_ = deviceRect_;
    deviceRect_ = r;
    return true;
}

void PicVideoCell::setAllowedArea(const QRect& area)
{
    allowedArea_ = area;
    allowedPx_ = area.isEmpty() ? area : deviceToScreen(area);
}

void PicVideoCell::setScale(double sx, double sy)
{
    sx_ = sx;
    sy_ = sy;
    if (!deviceRect_.isEmpty())
        setGeometry(deviceToScreen(deviceRect_));
    setAllowedArea(allowedArea_);
}

QRect PicVideoCell::screenToDevice(const QRect& px) const
{
    return CellGeometry::screenToDevice(px, sx_, sy_);
}

QRect PicVideoCell::deviceToScreen(const QRect& dev) const
{
    return CellGeometry::deviceToScreen(dev, sx_, sy_);
}

QRect PicVideoCell::regionRect(int region) const
{
    return CellGeometry::regionRect(region, width(), height());
}

int PicVideoCell::hitRegion(int x, int y)
{
    region_ = CellGeometry::hitRegion(x, y, width(), height(), sizeLocked);
    // A locked cell's corners and edges leave the cursor as it was.
    if (region_ != CellGeometry::kNoRegion)
        setCursor(CellGeometry::regionCursor(region_));
    return region_;
}

void PicVideoCell::dragTo(int x, int y, const QList<PicVideoCell*>& cells)
{
    std::vector<CellGeometry::Partner> partners;
    partners.reserve(size_t(cells.size()));
    for (const PicVideoCell* c : cells)
        if (c && c != this && c->on)
            partners.push_back({c->geometry(), c->deviceRect_});
    CellGeometry::DragInput in;
    in.region = region_;
    in.press = press_;
    in.mouse = QPoint(x, y);
    in.geometry = geometry();
    in.device = deviceRect_;
    in.allowedPx = allowedPx_;
    in.sx = sx_;
    in.sy = sy_;
    const CellGeometry::DragResult r = CellGeometry::dragStep(in, partners);
    press_ = r.press;
    snapMark_ = r.snapMark;
    // One geometry change per step, to the step's pixels: the converted
    // device rectangle may differ from them by rounding.
    storeDeviceRect(r.device);
    setGeometry(r.geometry);
    update();
}

void PicVideoCell::resetGrab()
{
    region_ = CellGeometry::kNoRegion;
    snapMark_ = CellGeometry::kNoSnap;
    setCursor(Qt::ArrowCursor);
    update();
}

// The colours that fixed-function lighting gives each block (default light
// and material, normal towards the viewer): every component times 1.2, at
// most 1. Painting them directly gives the same look without OpenGL.
QColor PicVideoCell::blockColor() const
{
    auto lit = [](double r, double g, double b) {
        return QColor::fromRgbF(std::min(1.0, r * 1.2), std::min(1.0, g * 1.2),
                                std::min(1.0, b * 1.2));
    };
    if (isWnd)
        return lit(0.937, 0.61, 0);
    switch (index) {
    case 0:
        return lit(0.5, 0.3, 0.6);
    case 1:
        return lit(0.12, 0.61, 0.57);
    case 2:
        return lit(0.54, 0.63, 0.9);
    case 3:
        return lit(0.54, 0.12, 0.14);
    default:
        return Qt::white;
    }
}

PicVideoCell::Look PicVideoCell::look() const
{
    Look l;
    l.selected = selected;
    l.isWnd = isWnd;
    l.index = index;
    l.snapMark = snapMark_;
    l.deviceRect = deviceRect_;
    l.caption = caption;
    l.subtitle = subtitle;
    return l;
}

void PicVideoCell::refreshLook()
{
    // A hidden cell is painted whole when it is shown.
    if (isVisible() && (!paintedOnce_ || !(look() == painted_)))
        update();
}

void PicVideoCell::paintEvent(QPaintEvent* event)
{
    // Only a paint of all that is visible of the cell (the scroll area
    // clips it) shows the whole of its look.
    if ((visibleRegion() - event->region()).isEmpty()) {
        painted_ = look();
        paintedOnce_ = true;
    } else if (!(look() == painted_)) {
        paintedOnce_ = false;
    }
    const int w = width();
    const int h = height();
    QPainter p(this);
    p.fillRect(rect(), blockColor());
    if (selected)
        p.setPen(QPen(QColor(255, 0, 0), 2, Qt::DashLine));
    else
        p.setPen(QPen(QColor(192, 230, 192), 2, Qt::SolidLine));
    p.drawRect(QRect(QPoint(1, 1), QPoint(w - 2, h - 2)));

    p.setPen(selected ? QColor(242, 49, 64) : QColor(16, 16, 16));
    QFont f = font_;
    f.setPointSize(12);
    p.setFont(f);
    int y = 30;
    p.drawText(5, y, caption);
    if (!subtitle.isEmpty()) {
        y = 50;
        p.drawText(5, y, subtitle);
    }
    f.setPointSize(10);
    p.setFont(f);
    p.drawText(5, y + 20, QString::asprintf("Pos:[%d,%d]", deviceRect_.left(), deviceRect_.top()));
    p.drawText(5, y + 40,
               QString::asprintf("Size:[%d,%d]", deviceRect_.width(), deviceRect_.height()));

    p.setPen(QPen(QColor(0, 255, 0), 2, Qt::SolidLine));
    switch (snapMark_) {
    case 0:
        p.drawLine(1, 0, 1, h - 1);
        break;
    case 1:
        p.drawLine(0, 1, w - 1, 1);
        break;
    case 2:
        p.drawLine(w - 1, 0, w - 1, h - 1);
        break;
    case 3:
        p.drawLine(0, h - 1, w - 1, h - 1);
        break;
    case 5:
        p.drawRect(1, 1, 20, 20);
        break;
    case 6:
        p.drawRect(1, h - 21, 20, 20);
        break;
    case 7:
        p.drawRect(w - 21, 1, 20, 20);
        break;
    case 8:
        p.drawRect(w - 21, h - 21, 20, 20);
        break;
    default:
        break;
    }
    p.end();
}
