// One rectangle of the layout canvas: an output window or a layer. It paints
// itself (a coloured block, frame, caption, position and size in device
// units, the mark of its last snap), keeps its rectangle in device units and
// in canvas pixels, and moves or resizes itself under the mouse. The canvas
// drives it through its event filter; the arithmetic is CellGeometry's.
//
// A plain widget painted by QPainter: a single OpenGL widget would put the
// whole main window into OpenGL composition, which on machines without a
// GPU driver (virtual machines, remote desktops) runs in software and costs
// memory, start-up time and CPU on every repaint.
#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class QPushButton;

class PicVideoCell : public QWidget {
    Q_OBJECT

public:
    explicit PicVideoCell(QWidget* parent);

    // Hides the cell and takes it out of the layout, without a signal.
    void closeCell();
    // An empty rectangle is ignored.
    void setDeviceRect(int left, int top, int right, int bottom);
    void setDeviceRect(const QRect& r) { setDeviceRect(r.left(), r.top(), r.right(), r.bottom()); }
    QRect deviceRect() const { return deviceRect_; }
    QRect previousRect() const { return previousRect_; }
    void setAllowedArea(const QRect& area);
    QRect allowedArea() const { return allowedArea_; }
    QRect allowedAreaPx() const { return allowedPx_; }
    void setScale(double sx, double sy);
    double scaleX() const { return sx_; }
    double scaleY() const { return sy_; }

    QRect screenToDevice(const QRect& px) const;
    QRect deviceToScreen(const QRect& dev) const;
    QRect regionRect(int region) const;
    // Picks and stores the grab region under (x, y) and sets its cursor.
    int hitRegion(int x, int y);
    // One drag step to the mouse at (x, y), cell pixels; cells are the
    // canvas's cells, outputs first: those that are on are snap partners.
    void dragTo(int x, int y, const QList<PicVideoCell*>& cells);
    void resetGrab();
    void setPressPoint(const QPoint& p) { press_ = p; }
    int region() const { return region_; }
    int snapMark() const { return snapMark_; }
    QPushButton* closeButton() const { return closeButton_; }
    // Repaints the cell when what it shows now differs from what it painted
    // last: a read-back moves the selection through every cell it reports
    // and back, and the cells it leaves as they were are not painted again.
    void refreshLook();

    // What the canvas reads and writes.
    bool selected = false;
    bool isWnd = false;
    bool sizeLocked = false;
    bool on = false;
    int Gid = 0;
    int AreadId = 0;
    int index = 0;
    QString caption;
    QString subtitle;

signals:
    void SigCellOff(int idx, bool isWnd);

public slots:
    void showClose();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Everything paintEvent draws from but the size (a new size repaints
    // by itself).
    struct Look {
        bool selected = false;
        bool isWnd = false;
        int index = 0;
        int snapMark = 0;
        QRect deviceRect;
        QString caption;
        QString subtitle;
        bool operator==(const Look& o) const
        {
            return selected == o.selected && isWnd == o.isWnd && index == o.index &&
                   snapMark == o.snapMark && deviceRect == o.deviceRect && caption == o.caption &&
                   subtitle == o.subtitle;
        }
    };
    Look look() const;

    QColor blockColor() const;
    // The device rectangle and its predecessor, without touching the
    // geometry; false for an empty rectangle, which is ignored.
    bool storeDeviceRect(const QRect& r);

    QPushButton* closeButton_ = nullptr;
    QPoint press_{0, 0};
    int region_ = 9;
    int snapMark_ = 10;
    QRect deviceRect_;
    QRect previousRect_;
    QRect allowedArea_;
    QRect allowedPx_;
    double sx_ = 8.0;
    double sy_ = 8.0;
    QFont font_;
    Look painted_;
    bool paintedOnce_ = false;
};
