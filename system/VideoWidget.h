// The surface a preview stream is shown on: it paints the last picture its
// player handed it (already scaled to the widget's size by the player),
// centred on black, and black before the first one.
#pragma once

#include <QImage>
#include <QWidget>

class VideoWidget : public QWidget {
    Q_OBJECT
public:
    explicit VideoWidget(QWidget* parent);

    void setFrame(const QImage& picture);
    // Drops the picture: the widget is black again.
    void clearFrame();
    // Pictures shown since the widget was made.
    quint64 frameCount() const { return frames_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    quint64 frames_ = 0;
};
