#include "VideoWidget.h"

#include <QPainter>

VideoWidget::VideoWidget(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted here: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(16, 16);
}

void VideoWidget::setFrame(const QImage& picture)
{
    picture_ = picture;
    ++frames_;
    update();
}

void VideoWidget::clearFrame()
{
    picture_ = QImage();
    update();
}

void VideoWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull())
        return;
    // The picture keeps the stream's aspect; after a resize it is drawn at
    // the new size until the next picture comes in at that size.
    const QSize fitted = picture_.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), fitted);
    target.moveCenter(rect().center());
    if (fitted == picture_.size())
        painter.drawImage(target.topLeft(), picture_);
    else
        painter.drawImage(target, picture_);
}
