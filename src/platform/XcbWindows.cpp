#include "platform/XcbWindows.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <cstdlib>

namespace rj_app::platform {

xcb_connection_t *xcbConnection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (!native)
        return nullptr;
    return static_cast<xcb_connection_t *>(native->nativeResourceForIntegration(QByteArrayLiteral("connection")));
}

std::optional<QPoint> serverPlaceOf(QWidget *window)
{
    xcb_connection_t *c = xcbConnection();
    if (!c || !window || !window->windowHandle() || !window->windowHandle()->handle())
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return std::nullopt;
    xcb_translate_coordinates_reply_t *reply =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, screen->root, 0, 0), nullptr);
    if (!reply)
        return std::nullopt;
    // The X server counts device pixels.
    const qreal ratio = window->devicePixelRatioF();
    const QPoint place(qRound(reply->dst_x / ratio), qRound(reply->dst_y / ratio));
    std::free(reply);
    return place;
}

} // namespace rj_app::platform
