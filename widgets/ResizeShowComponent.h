// A device canvas (an output or input picture, in device pixels) scaled into
// the widget, with a grey rectangle that the operator moves and resizes. The
// rectangle is reported in device pixels on every drag step and at the release.
#pragma once

#include <QRect>
#include <QWidget>

class QFrame;

class ResizeShowComponent : public QWidget {
    Q_OBJECT

public:
    static constexpr int kNoRegion = 9;

    explicit ResizeShowComponent(QWidget* parent);

    // Inclusive device corners of the area that the whole widget stands for.
    void setRealCanvas(int x1, int y1, int x2, int y2);
    void setRealRect(int x1, int y1, int x2, int y2);
    void setMinimumRealSize(float width, float height);

signals:
    void SigRealSize(QRect realRc, bool bSendCMD);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect regionRect(int region) const;
    void hitRegion(const QPoint& pos);
    void dragTo(const QPoint& pos);
    void finishDrag();
    void reportFrame(bool sendCommand);

    QFrame* frame_ = nullptr;
    int region_ = kNoRegion;
    int lastX_ = 0;
    int lastY_ = 0;
    QRect realRect_{0, 0, 0, 0};
    QRect realCanvas_{0, 0, 0, 0};
    float sx_ = 10.0f;
    float sy_ = 10.0f;
    int minRealWidth_ = 0;
    int minRealHeight_ = 0;
    float minWidth_ = 10.0f;
    float minHeight_ = 10.0f;
};
