#pragma once

#include <QPoint>

#include <optional>

#include <xcb/xcb.h>

class QWidget;

namespace rj_app::platform {

// The application's X connection; null on any other platform.
xcb_connection_t *xcbConnection();

// Where the X server has a top-level window's client area now, in root
// coordinates; none when it cannot tell (another platform, no native window).
std::optional<QPoint> serverPlaceOf(QWidget *window);

} // namespace rj_app::platform
