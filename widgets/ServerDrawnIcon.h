// A small picture that changes on a timer (the title bar's network icon,
// every 800 ms while a device is on line), shown on X11 as the background of
// its widget's own X window.
//
// Repainted the usual way, each change costs a round trip to the X server:
// Qt's shared-memory backing store waits until the server has read the last
// picture from the shared memory before it paints the same place again, which
// wakes two of the program's threads. The server draws a window's background
// itself, so a change is two requests on a connection of our own and wakes
// nothing. Each picture is sent to the server once.
//
// The widget keeps its own picture too, changed without asking for a paint
// (WithoutRepaint); a grab paints what the server shows. Qt answers an expose
// with the picture it painted last, so the widget is painted the usual way
// once more when the pictures stop changing (kSettleMs after the last): an
// expose while they change shows the one before for less than a change.
#pragma once

#include <QHash>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

struct xcb_connection_t;

class QTimer;

class ServerDrawnIcon {
public:
    static constexpr int kSettleMs = 1000;

    // Null unless the program runs on X11, the widget is on screen and a
    // connection to its display opens. Makes the widget a native window.
    static std::unique_ptr<ServerDrawnIcon> Attach(QWidget* widget);
    ~ServerDrawnIcon();
    ServerDrawnIcon(const ServerDrawnIcon&) = delete;
    ServerDrawnIcon& operator=(const ServerDrawnIcon&) = delete;

    // Shows the picture named `key`; `picture` draws it (the widget's whole
    // area, opaque) the first time that key is shown. False when the server
    // can no longer be reached: the widget then paints itself again.
    bool show(const QString& key, const std::function<QImage()>& picture);
    // The pictures sent so far no longer hold (the widget's look changed).
    void forget();
    // Runs `change` on the widget with its repaints held: what it asks for is
    // not done (the server shows the change instead).
    static void WithoutRepaint(QWidget* widget, const std::function<void()>& change);

private:
    ServerDrawnIcon() = default;
    void release();
    bool giveUp();

    QPointer<QWidget> widget_;
    QTimer* settle_ = nullptr;  // the widget's child
    bool shownOnce_ = false;
    xcb_connection_t* c_ = nullptr;
    uint32_t window_ = 0;
    uint32_t gc_ = 0;
    uint8_t depth_ = 0;
    int width_ = 0;
    int height_ = 0;
    QHash<QString, uint32_t> pixmaps_;
};
