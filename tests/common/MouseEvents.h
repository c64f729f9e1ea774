// Mouse events with explicit global positions and held buttons, sent straight
// to a widget: QTest's helpers give a move event no held button in Qt 5.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace MouseEvents {
inline void send(QWidget* w, QEvent::Type type, const QPoint& local, Qt::MouseButton button,
                 Qt::MouseButtons held, const QPoint& global)
{
    QMouseEvent event(type, QPointF(local), QPointF(local), QPointF(global), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void press(QWidget* w, const QPoint& local, Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, local, button, button, w->mapToGlobal(local));
}

// A move with the button held; global positions are given where the widget
// itself moves during the drag.
inline void moveGlobal(QWidget* w, const QPoint& global, Qt::MouseButtons held = Qt::LeftButton)
{
    send(w, QEvent::MouseMove, w->mapFromGlobal(global), Qt::NoButton, held, global);
}

inline void move(QWidget* w, const QPoint& local, Qt::MouseButtons held = Qt::LeftButton)
{
    send(w, QEvent::MouseMove, local, Qt::NoButton, held, w->mapToGlobal(local));
}

inline void release(QWidget* w, const QPoint& local, Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonRelease, local, button, Qt::NoButton, w->mapToGlobal(local));
}
}  // namespace MouseEvents
