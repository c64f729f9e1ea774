#include "ServerDrawnIcon.h"

#include <QGuiApplication>
#include <QTimer>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {
// The server's pixel layout for a depth, when it is the one QImage's 32-bit
// formats have in memory: 32 bits a pixel, rows padded to 32 bits, least
// significant byte first.
bool Has32BitPixels(const xcb_setup_t* setup, uint8_t depth)
{
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    xcb_format_iterator_t f = xcb_setup_pixmap_formats_iterator(setup);
    for (; f.rem; xcb_format_next(&f))
        if (f.data->depth == depth)
            return f.data->bits_per_pixel == 32 && f.data->scanline_pad == 32;
    return false;
}
}  // namespace

std::unique_ptr<ServerDrawnIcon> ServerDrawnIcon::Attach(QWidget* widget)
{
    if (!widget || !widget->isVisible() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    std::unique_ptr<ServerDrawnIcon> icon(new ServerDrawnIcon);
    // The display Qt uses: DISPLAY, or what main() set it to.
    icon->c_ = xcb_connect(nullptr, nullptr);
    if (!icon->c_ || xcb_connection_has_error(icon->c_))
        return nullptr;
    // Only this widget gets a window of its own, not the bar it sits in.
    widget->setAttribute(Qt::WA_DontCreateNativeAncestors);
    widget->setAttribute(Qt::WA_NativeWindow);
    icon->widget_ = widget;
    icon->window_ = uint32_t(widget->winId());
    if (!icon->window_)
        return nullptr;
    xcb_get_geometry_reply_t* g =
        xcb_get_geometry_reply(icon->c_, xcb_get_geometry(icon->c_, icon->window_), nullptr);
    if (!g)
        return nullptr;
    icon->depth_ = g->depth;
    icon->width_ = g->width;
    icon->height_ = g->height;
    std::free(g);
    // A picture goes to the server in one request: an icon's size.
    constexpr int kMostPixels = 128 * 128;
    if (icon->width_ <= 0 || icon->height_ <= 0 || icon->width_ * icon->height_ > kMostPixels ||
        (icon->depth_ != 24 && icon->depth_ != 32) ||
        !Has32BitPixels(xcb_get_setup(icon->c_), icon->depth_))
        return nullptr;
    icon->gc_ = xcb_generate_id(icon->c_);
    xcb_create_gc(icon->c_, icon->gc_, icon->window_, 0, nullptr);
    icon->settle_ = new QTimer(widget);
    icon->settle_->setSingleShot(true);
    icon->settle_->setInterval(kSettleMs);
    QObject::connect(icon->settle_, &QTimer::timeout, widget, [widget] { widget->update(); });
    return icon;
}

ServerDrawnIcon::~ServerDrawnIcon()
{
    release();
}

void ServerDrawnIcon::release()
{
    if (!c_)
        return;
    // The server keeps a window's background for as long as the window
    // shows it; the pixmaps themselves go with the connection.
    forget();
    if (gc_)
        xcb_free_gc(c_, gc_);
    xcb_disconnect(c_);
    c_ = nullptr;
    if (widget_)
        delete settle_;
    settle_ = nullptr;
}

void ServerDrawnIcon::WithoutRepaint(QWidget* widget, const std::function<void()>& change)
{
    // The attribute itself, not setUpdatesEnabled(): turning updates back on
    // that way repaints the widget.
    const bool held = widget->testAttribute(Qt::WA_UpdatesDisabled);
    widget->setAttribute(Qt::WA_UpdatesDisabled, true);
    change();
    widget->setAttribute(Qt::WA_UpdatesDisabled, held);
}

bool ServerDrawnIcon::giveUp()
{
    release();
    // Painted by Qt again, as it now is.
    if (widget_)
        widget_->update();
    return false;
}

void ServerDrawnIcon::forget()
{
    if (c_)
        for (const uint32_t pixmap : pixmaps_)
            xcb_free_pixmap(c_, pixmap);
    pixmaps_.clear();
}

bool ServerDrawnIcon::show(const QString& key, const std::function<QImage()>& picture)
{
    if (!c_ || !widget_ || xcb_connection_has_error(c_) || uint32_t(widget_->winId()) != window_)
        return giveUp();
    // Errors of requests nobody waits for come back as events: drop them
    // (reading takes only what is there).
    while (xcb_generic_event_t* e = xcb_poll_for_event(c_))
        std::free(e);

    auto it = pixmaps_.find(key);
    if (it == pixmaps_.end()) {
        QImage image = picture();
        if (image.size() != QSize(width_, height_))
            image = image.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Opaque, premultiplied: the server shows the bytes as they are.
        image = image.convertToFormat(QImage::Format_RGB32);
        const uint32_t pixmap = xcb_generate_id(c_);
        xcb_create_pixmap(c_, depth_, pixmap, window_, uint16_t(width_), uint16_t(height_));
        xcb_put_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc_, uint16_t(width_),
                      uint16_t(height_), 0, 0, 0, depth_, uint32_t(image.sizeInBytes()),
                      image.constBits());
        it = pixmaps_.insert(key, pixmap);
    }
    const uint32_t background = *it;
    xcb_change_window_attributes(c_, window_, XCB_CW_BACK_PIXMAP, &background);
    xcb_clear_area(c_, 0, window_, 0, 0, 0, 0);
    xcb_flush(c_);
    if (xcb_connection_has_error(c_))
        return giveUp();
    // The first picture is painted at once: the widget's new window is
    // exposed with what Qt painted last.
    if (!shownOnce_)
        widget_->update();
    else
        settle_->start();
    shownOnce_ = true;
    return true;
}
