#include "platform/CInputShape.h"

#include "platform/XcbWindows.h"

#include "helpers/LogMacros.h"

#include <QDebug>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace rj_app::platform {

namespace {

xcb_connection_t *shapeConnection()
{
    xcb_connection_t *c = xcbConnection();
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

bool applyInputRegion(xcb_connection_t *c, QWidget *window, const QRegion &region)
{
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

// Holds a window's input region and sets it again whenever the window is
// exposed after a map, i.e. once the window manager has framed it.
class InputRegionKeeper : public QObject
{
public:
    explicit InputRegionKeeper(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        setObjectName(QStringLiteral("CInputShapeKeeper"));
    }

    void keep(const QRegion &region)
    {
        m_region = region;
        QWindow *handle = m_window->windowHandle();
        if (handle != m_handle) {
            if (m_handle)
                m_handle->removeEventFilter(this);
            m_handle = handle;
            m_exposed = handle && handle->isExposed();
            if (handle)
                handle->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_handle && event->type() == QEvent::Expose) {
            const bool exposed = m_handle->isExposed();
            if (exposed && !m_exposed) {
                if (xcb_connection_t *c = shapeConnection())
                    applyInputRegion(c, m_window, m_region);
            }
            m_exposed = exposed;
        }
        return false;
    }

private:
    QWidget *m_window;
    QPointer<QWindow> m_handle;
    QRegion m_region;
    bool m_exposed = false;
};

InputRegionKeeper *keeperOf(QWidget *window, bool create)
{
    auto *keeper = dynamic_cast<InputRegionKeeper *>(
        window->findChild<QObject *>(QStringLiteral("CInputShapeKeeper"), Qt::FindDirectChildrenOnly));
    if (!keeper && create)
        keeper = new InputRegionKeeper(window);
    return keeper;
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
    const bool done = applyInputRegion(c, window, region);
    keeperOf(window, true)->keep(region);
    return done;
}

bool CInputShape::clearInputRegion(QWidget *window)
{
    xcb_connection_t *c = shapeConnection();
    if (!c || !window || !window->isWindow())
        return false;
    const auto id = static_cast<xcb_window_t>(window->winId());
    delete keeperOf(window, false);
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
