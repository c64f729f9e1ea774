#include "PaintCellCtrl.h"

#include "CellGeometry.h"
#include "InputDragInfo.h"
#include "PageHelper.h"
#include "PicVideoCell.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <cmath>
#include <vector>

namespace {

constexpr int kCellMax = 10000;
constexpr int kCellMin = 2;
constexpr int kDotPitch = 40;

QRect FullHd()
{
    return QRect(QPoint(0, 0), QPoint(1919, 1079));
}

}  // namespace

PaintCellCtrl::PaintCellCtrl(QWidget* parent) : QWidget(parent)
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    for (int i = 0; i < 4; ++i) {
        PicVideoCell* c = newCell(i, true);
        c->setDeviceRect(QRect(QPoint(int(10 * i * sx_), int(50 * i * sy_)), QSize(1920, 1080)));
        c->caption = QString::asprintf("%s%d", "Output", i + 1);
        c->selected = i == 0;
        c->hide();
        outputCells_.append(c);
    }
    for (int i = 0; i < 4; ++i)
        setLayerCell(FullHd(), i, true, 0, 0, false, 5, false);
    setAcceptDrops(true);
    // Not the page's: a hidden page's canvas still tells the panels. Made
    // before the panels' own redraws, it runs before them at the end of a
    // read-back: the output panel then redraws the output the selection
    // names, not the one a report of the output mode made it edit.
    settle_ = new RedrawCoalescer(nullptr, [this] { settle(); });
    settle_->setParent(this);
}

PaintCellCtrl::~PaintCellCtrl() = default;

PicVideoCell* PaintCellCtrl::newCell(int index, bool isWnd)
{
    auto* c = new PicVideoCell(this);
    c->isWnd = isWnd;
    c->index = index;
    c->setScale(sx_, sy_);
    c->installEventFilter(this);
    c->setMaximumSize(kCellMax, kCellMax);
    c->setMinimumSize(kCellMin, kCellMin);
    connect(c, SIGNAL(SigCellOff(int, bool)), this, SLOT(On_SigCellOff(int, bool)));
    return c;
}

QList<PicVideoCell*> PaintCellCtrl::allCells() const
{
    return outputCells_ + layerCells_;
}

void PaintCellCtrl::cellLabel(int layer, int Gid, int AreadId, QString* text, bool bLR,
                              QString TypeStr)
{
    if (!text)
        return;
    if (Gid == 4 || Gid == 5) {
        if (bLR)
            *text += QStringLiteral("Input  ") + TypeStr + QStringLiteral("-") +
                     (AreadId ? QStringLiteral("R") : QStringLiteral("L"));
        else
            *text += QStringLiteral("Input  ") + QString::number(Gid + 1) + TypeStr;
    } else if (Gid >= 0 && Gid <= 3) {
        *text += QStringLiteral("Input  ") + QString::number(Gid + 1) + TypeStr;
    } else if (Gid == 6 || Gid == 7) {
        *text += QStringLiteral("Tile  ") + QString::number(Gid - 5);
    }
    text->insert(0, QString::asprintf("Layer %d: ", layer + 1));
}

void PaintCellCtrl::setLayerCell(QRect rect, int idx, bool on, int Gid, int AreadId, bool bLR,
                                 int type, bool notify)
{
    if (idx < 0)
        return;
    if (!on) {
        if (idx >= layerCells_.size())
            return;
        if (notify)
            layerCells_[idx]->showClose();
        else
            layerCells_[idx]->closeCell();
        return;
    }
    PicVideoCell* c = nullptr;
    if (idx < layerCells_.size()) {
        c = layerCells_[idx];
    } else {
        idx = layerCells_.size();
        c = newCell(idx, false);
        layerCells_.append(c);
    }
    // A read-back reports every layer again, mostly as it stands: only a
    // cell whose look changes is painted again.
    for (PicVideoCell* other : layerCells_) {
        if (other != c && other->selected) {
            other->selected = false;
            if (!reporting_)
                other->update();
        }
    }
    QString label;
    cellLabel(idx, Gid, AreadId, &label, bLR, InputTypeName(type));
    const QRect shownRect = c->deviceRect();
    const bool changed = c->isWnd || !c->on || !c->selected || c->caption != label;
    c->isWnd = false;
    c->caption = label;
    c->setScale(sx_, sy_);
    if (!rect.isEmpty())
        c->setDeviceRect(rect);
    else if (c->deviceRect().isEmpty())
        c->setDeviceRect(FullHd());
    c->on = true;
    c->Gid = Gid;
    c->AreadId = AreadId;
    c->index = idx;
    c->selected = true;
    if ((changed || c->deviceRect() != shownRect) && !reporting_)
        c->update();
    // The output view hides the layers: shown and hidden again, a cell
    // would have the outputs under it repainted at every report.
    if (layersShown_)
        c->show();
    announce(Owed::Layer);
    if (notify) {
        emit SigMouseMoveLayerCell(rect);
        emit SigLayerCellOnOff(idx, true);
    }
}

void PaintCellCtrl::setOutputCell(QRect rect, int idx, bool on)
{
    if (idx < 0)
        return;
    if (!on) {
        if (idx < outputCells_.size()) {
            PicVideoCell* c = outputCells_[idx];
            // In the layer view the output is a frame the canvas draws, and
            // its hidden cell wipes nothing as it closes.
            if (layerView_ && c->on)
                update();
            c->closeCell();
        }
        return;
    }
    PicVideoCell* c = nullptr;
    bool changed = false;
    if (idx < outputCells_.size()) {
        c = outputCells_[idx];
    } else {
        idx = outputCells_.size();
        c = newCell(idx, true);
        c->caption = QString::asprintf("%s%d", "Output", idx + 1);
        if (rect.isEmpty())
            c->setDeviceRect(FullHd());
        outputCells_.append(c);
        changed = true;
    }
    // The canvas draws the outputs' frames, not their selection.
    bool framesChanged = changed || !c->on;
    // As for the layers: what a read-back reports as it stands is not
    // painted again (in the layer view the canvas draws the outputs' frames
    // itself, and its repaint is the whole canvas).
    for (PicVideoCell* other : outputCells_) {
        if (other != c && other->selected) {
            other->selected = false;
            if (!reporting_)
                other->update();
            changed = true;
        }
    }
    const QRect shownRect = c->deviceRect();
    changed = changed || !c->isWnd || !c->on || !c->selected || c->index != idx;
    c->isWnd = true;
    if (!rect.isEmpty())
        c->setDeviceRect(rect);
    c->on = true;
    c->index = idx;
    c->selected = true;
    framesChanged = framesChanged || c->deviceRect() != shownRect;
    changed = changed || c->deviceRect() != shownRect;
    if (changed && !reporting_)
        c->update();
    announce(Owed::Output);
    // In the layer view the outputs are only frames drawn on the canvas.
    if (!layerView_)
        c->show();
    if (reporting_ ? framesChanged : changed)
        update();
}

void PaintCellCtrl::announce(Owed what)
{
    if (reporting_) {
        owed_.removeAll(what);
        owed_.append(what);
        return;
    }
    if (what == Owed::Output) {
        for (int i = 0; i < outputCells_.size(); ++i)
            if (outputCells_[i]->selected) {
                emit SigClickOutputCell(i);
                return;
            }
        return;
    }
    for (int i = 0; i < layerCells_.size(); ++i)
        if (layerCells_[i]->selected) {
            emit SigClickLayerCell(i);
            emit ClickCellEvent(layerCells_[i]->Gid, layerCells_[i]->AreadId);
            return;
        }
}

void PaintCellCtrl::beginReport()
{
    ++reporting_;
}

void PaintCellCtrl::endReport()
{
    if (reporting_ == 0 || --reporting_ > 0)
        return;
    settle_->request();
}

void PaintCellCtrl::settle()
{
    if (reporting_) {
        settle_->request();  // after the report being drawn
        return;
    }
    for (PicVideoCell* c : allCells())
        c->refreshLook();
    const QList<Owed> owed = owed_;
    owed_.clear();
    for (Owed what : owed)
        announce(what);
}

void PaintCellCtrl::setScale(double sx, double sy)
{
    sx_ = sx;
    sy_ = sy;
    for (PicVideoCell* c : layerCells_)
        c->setScale(sx, sy);
    for (PicVideoCell* c : outputCells_)
        c->setScale(sx, sy);
    update();
}

void PaintCellCtrl::setOutputRect(QRect rect, int idx)
{
    if (idx >= 0 && idx < outputCells_.size() && !rect.isEmpty()) {
        outputCells_[idx]->setDeviceRect(rect);
        update();
    }
}

void PaintCellCtrl::setLayerRect(QRect rect, int idx)
{
    if (idx >= 0 && idx < layerCells_.size() && !rect.isEmpty())
        layerCells_[idx]->setDeviceRect(rect);
}

void PaintCellCtrl::setLayerArea(int idx, QRect rect)
{
    if (idx >= 0 && idx < layerCells_.size())
        layerCells_[idx]->setAllowedArea(rect);
}

void PaintCellCtrl::setLayerSizeLocked(int idx, bool locked)
{
    if (idx >= 0 && idx < layerCells_.size())
        layerCells_[idx]->sizeLocked = locked;
}

void PaintCellCtrl::setLayerSubtitle(int idx, QString text)
{
    if (idx >= 0 && idx < layerCells_.size() && layerCells_[idx]->subtitle != text) {
        layerCells_[idx]->subtitle = text;
        if (!reporting_)
            layerCells_[idx]->update();
    }
}

void PaintCellCtrl::setCloseHidden(int idx, bool hide, bool outputs)
{
    const QList<PicVideoCell*>& list = outputs ? outputCells_ : layerCells_;
    if (idx >= 0 && idx < list.size())
        list[idx]->closeButton()->setVisible(!hide);
}

void PaintCellCtrl::hideLayerCells()
{
    layersShown_ = false;
    for (PicVideoCell* c : layerCells_)
        c->hide();
}

void PaintCellCtrl::showLayerCells()
{
    layersShown_ = true;
    for (PicVideoCell* c : layerCells_)
        if (c->on)
            c->show();
}

// The outputs' cells come and go with their own repaints; the canvas itself
// changes only with the view (the layer view draws the outputs' frames).
void PaintCellCtrl::enterLayerView()
{
    for (PicVideoCell* c : outputCells_)
        c->hide();
    if (!layerView_)
        update();
    layerView_ = true;
}

void PaintCellCtrl::enterOutputView()
{
    for (PicVideoCell* c : outputCells_)
        if (c->on)
            c->show();
    if (layerView_)
        update();
    layerView_ = false;
}

void PaintCellCtrl::reannounceSelection()
{
    if (layerView_) {
        for (int i = 0; i < layerCells_.size(); ++i)
            if (layerCells_[i]->selected)
                emit SigClickLayerCell(i);
    } else {
        for (int i = 0; i < outputCells_.size(); ++i)
            if (outputCells_[i]->selected)
                emit SigClickOutputCell(i);
    }
}

void PaintCellCtrl::OnChangeCellInput(int id, int AreadId, bool bLR, QString TypeStr)
{
    for (int i = 0; i < layerCells_.size(); ++i) {
        PicVideoCell* c = layerCells_[i];
        if (!c->selected)
            continue;
        QString label;
        cellLabel(i, id, AreadId, &label, bLR, TypeStr);
        c->caption = label;
        c->Gid = id;
        c->AreadId = AreadId;
        c->update();
        emit SigLayerInputSrcChange(i, id, AreadId);
        return;
    }
}

void PaintCellCtrl::On_ChangeInputSrcEvent(int idx, int id, int AreadId, bool bLR, QString TypeStr,
                                           bool SendCmd)
{
    if (idx < 0 || idx >= layerCells_.size())
        return;
    PicVideoCell* c = layerCells_[idx];
    QString label;
    cellLabel(idx, id, AreadId, &label, bLR, TypeStr);
    c->caption = label;
    c->Gid = id;
    c->AreadId = AreadId;
    c->update();
    if (SendCmd)
        emit SigLayerInputSrcChange(idx, id, AreadId);
}

void PaintCellCtrl::On_SigSelectOpCell(int idx)
{
    for (int i = 0; i < outputCells_.size(); ++i) {
        outputCells_[i]->selected = i == idx;
        outputCells_[i]->update();
    }
}

void PaintCellCtrl::On_SigSelectLayerCell(int idx)
{
    for (int i = 0; i < layerCells_.size(); ++i) {
        layerCells_[i]->selected = i == idx;
        layerCells_[i]->update();
    }
    if (idx >= 0 && idx < layerCells_.size())
        emit ClickCellEvent(layerCells_[idx]->Gid, layerCells_[idx]->AreadId);
}

void PaintCellCtrl::On_SigCellOff(int idx, bool isWnd)
{
    if (isWnd)
        emit SigOutputCellOnOff(idx, false);
    else
        emit SigLayerCellOnOff(idx, false);
}

bool PaintCellCtrl::eventFilter(QObject* watched, QEvent* event)
{
    auto* cell = qobject_cast<PicVideoCell*>(watched);
    if (!cell)
        return QWidget::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    const QPoint pos = me->localPos().toPoint();
    const int layerPos = layerCells_.indexOf(cell);
    const int outputPos = outputCells_.indexOf(cell);

    switch (type) {
    case QEvent::MouseButtonPress: {
        const QRect local(QPoint(0, 0), QPoint(cell->width() - 1, cell->height() - 1));
        if (!local.contains(pos) || me->button() != Qt::LeftButton)
            break;
        cell->setPressPoint(pos);
        cell->hitRegion(pos.x(), pos.y());
        moved_ = false;
        const QList<PicVideoCell*>& list = cell->isWnd ? outputCells_ : layerCells_;
        for (PicVideoCell* c : list) {
            c->selected = c == cell;
            c->update();
        }
        if (cell->isWnd) {
            if (outputPos >= 0)
                emit SigClickOutputCell(outputPos);
        } else if (layerPos >= 0) {
            emit SigClickLayerCell(layerPos);
            emit ClickCellEvent(cell->Gid, cell->AreadId);
        }
        break;
    }
    case QEvent::MouseMove:
        if (cell->region() != CellGeometry::kNoRegion) {
            cell->dragTo(pos.x(), pos.y(), allCells());
            moved_ = true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (cell->region() != CellGeometry::kNoRegion) {
            cell->resetGrab();
            if (moved_) {
                if (cell->isWnd)
                    emit SigMouseMoveOPCell(cell->deviceRect());
                else
                    emit SigMouseMoveLayerCell(cell->deviceRect());
                moved_ = false;
            }
            update();
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (!cell->isWnd && !cell->sizeLocked)
            fitToOutputs(cell);
        break;
    default:
        break;
    }
    return false;
}

void PaintCellCtrl::fitToOutputs(PicVideoCell* layer)
{
    std::vector<CellGeometry::FitOutput> outputs;
    for (const PicVideoCell* o : outputCells_)
        outputs.push_back({o->on, o->geometry(), o->deviceRect()});
    const QRect area = layer->allowedArea();
    const std::optional<QRect> box = CellGeometry::fitBox(layer->geometry(), outputs, area);
    if (!box)
        return;
    if (*box != layer->deviceRect()) {
        layer->setDeviceRect(*box);
    } else {
        const QRect prev = layer->previousRect();
        if (area.isEmpty() || area.contains(prev))
            layer->setDeviceRect(prev);
    }
    layer->update();
    emit SigMouseMoveLayerCell(layer->deviceRect());
}

void PaintCellCtrl::paintEvent(QPaintEvent* event)
{
    const QRect exposed = event->rect();
    QPainter p(this);
    p.fillRect(exposed, Qt::black);

    // Only the dots of the exposed area: the canvas is 10000 pixels square.
    p.setPen(Qt::white);
    const int x0 = (std::max(0, exposed.left()) + kDotPitch - 1) / kDotPitch * kDotPitch;
    const int y0 = (std::max(0, exposed.top()) + kDotPitch - 1) / kDotPitch * kDotPitch;
    const int x1 = std::min(exposed.right(), width() - 1);
    const int y1 = std::min(exposed.bottom(), height() - 1);
    QVector<QPoint> dots;
    for (int y = y0; y <= y1; y += kDotPitch)
        for (int x = x0; x <= x1; x += kDotPitch)
            dots.append(QPoint(x, y));
    p.drawPoints(dots.constData(), dots.size());

    if (layerView_) {
        QFont f(QStringLiteral("Microsoft YaHei"), 12, 80);
        p.setFont(f);
        for (const PicVideoCell* o : outputCells_) {
            if (!o->on)
                continue;
            const QRect r = o->geometry();
            p.setPen(QPen(Qt::red, 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
            p.setPen(QColor(239, 156, 0));
            p.drawText(r.left() + 5, r.top() + 15, o->caption);
        }
    }
}

void PaintCellCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QLatin1String(InputDragInfo::kFormat)))
        event->accept();
    else
        event->ignore();
}

void PaintCellCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(QLatin1String(InputDragInfo::kFormat))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PaintCellCtrl::dragLeaveEvent(QDragLeaveEvent* event)
{
    event->ignore();
}

void PaintCellCtrl::dropEvent(QDropEvent* event)
{
    // A record too short, or naming a source or half that does not exist, is
    // refused like a foreign drop: its numbers would end up in the layer's
    // source command.
    const std::optional<InputDragInfo> info = InputDragInfo::fromMime(event->mimeData());
    if (!info || info->source < 0 || info->source > 7 || info->half < 0 || info->half > 1) {
        event->ignore();
        return;
    }
    int n = 0;
    for (const PicVideoCell* c : layerCells_)
        n += c->on;
    if (n >= maxLayers_) {
        event->ignore();
        return;
    }
    int i = -1;
    for (int k = 0; k < layerCells_.size() && k < maxLayers_; ++k)
        if (!layerCells_[k]->on) {
            i = k;
            break;
        }
    if (i < 0) {
        event->ignore();
        return;
    }
    PicVideoCell* c = layerCells_[i];
    c->isWnd = false;
    c->setScale(sx_, sy_);
    const QRect rect = CellGeometry::dropRect(event->posF(), sx_, sy_, c->allowedArea());
    c->setDeviceRect(rect);
    c->on = true;
    QString label;
    cellLabel(i, info->source, info->half, &label, info->split != 0, InputTypeName(info->type));
    c->caption = label;
    c->index = i;
    c->selected = true;
    c->show();
    c->Gid = info->source;
    c->AreadId = info->half;
    c->update();
    emit SigClickLayerCell(i);
    emit ClickCellEvent(info->source, info->half);
    emit SigLayerInputSrcChange(i, info->source, info->half);
    emit SigMouseMoveLayerCell(rect);
    emit SigLayerCellOnOff(i, true);
    for (PicVideoCell* other : layerCells_)
        if (other != c) {
            other->selected = false;
            other->update();
        }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}
