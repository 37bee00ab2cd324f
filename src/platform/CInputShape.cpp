#include "platform/CInputShape.h"

#include "helpers/LogMacros.h"

#include <QDebug>
#include <QGuiApplication>
#include <QWidget>
#include <qpa/qplatformnativeinterface.h>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace rj_app::platform {

namespace {

xcb_connection_t *connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (!native)
        return nullptr;
    return static_cast<xcb_connection_t *>(native->nativeResourceForIntegration(QByteArrayLiteral("connection")));
}

xcb_connection_t *shapeConnection()
{
    xcb_connection_t *c = connection();
    if (!c)
        return nullptr;
    const xcb_query_extension_reply_t *shape = xcb_get_extension_data(c, &xcb_shape_id);
    return shape && shape->present ? c : nullptr;
}

int16_t toCoordinate(double v)
{
    const double clamped = std::fmax(std::numeric_limits<int16_t>::min(),
                                     std::fmin(std::numeric_limits<int16_t>::max(), std::floor(v)));
    return static_cast<int16_t>(clamped);
}

uint16_t toLength(double v)
{
    const double clamped = std::fmax(0.0, std::fmin(std::numeric_limits<uint16_t>::max(), std::ceil(v)));
    return static_cast<uint16_t>(clamped);
}

} // namespace

bool CInputShape::isSupported()
{
    return shapeConnection() != nullptr;
}

bool CInputShape::setInputRegion(QWidget *window, const QRegion &region)
{
    xcb_connection_t *c = shapeConnection();
    if (!c || !window || !window->isWindow())
        return false;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // The native window counts device pixels.
    const double ratio = window->devicePixelRatioF();
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(static_cast<size_t>(region.rectCount()));
    for (const QRect &r : region) {
        xcb_rectangle_t x;
        x.x = toCoordinate(r.x() * ratio);
        x.y = toCoordinate(r.y() * ratio);
        x.width = toLength(r.width() * ratio);
        x.height = toLength(r.height() * ratio);
        rects.push_back(x);
    }
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, id, 0, 0,
                         static_cast<uint32_t>(rects.size()), rects.data());
    xcb_flush(c);
    return true;
}

bool CInputShape::clearInputRegion(QWidget *window)
{
    xcb_connection_t *c = shapeConnection();
    if (!c || !window || !window->isWindow())
        return false;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // No pixmap: the input shape goes back to the whole window.
    xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, id, 0, 0, XCB_NONE);
    xcb_flush(c);
    return true;
}

QRegion CInputShape::inputRegion(QWidget *window)
{
    xcb_connection_t *c = shapeConnection();
    if (!c || !window || !window->isWindow() || !window->testAttribute(Qt::WA_WState_Created))
        return QRegion();
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_shape_get_rectangles_cookie_t cookie = xcb_shape_get_rectangles(c, id, XCB_SHAPE_SK_INPUT);
    xcb_shape_get_rectangles_reply_t *reply = xcb_shape_get_rectangles_reply(c, cookie, nullptr);
    if (!reply) {
        qWarning() << RJ_FUNCTION << "no reply for window" << id;
        return QRegion();
    }
    const double ratio = window->devicePixelRatioF();
    QRegion region;
    const xcb_rectangle_t *rects = xcb_shape_get_rectangles_rectangles(reply);
    const int count = xcb_shape_get_rectangles_rectangles_length(reply);
    for (int i = 0; i < count; ++i) {
        const QRectF r(rects[i].x / ratio, rects[i].y / ratio, rects[i].width / ratio, rects[i].height / ratio);
        region += r.toAlignedRect();
    }
    std::free(reply);
    return region;
}

} // namespace rj_app::platform
