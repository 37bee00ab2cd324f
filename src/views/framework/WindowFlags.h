#pragma once

#include <Qt>

class QWidget;

namespace rj_app::views {

// Changes the hints of `window`'s native window where it has one already and
// returns true; false when it has none (setWindowFlags is then harmless).
// setWindowFlags would make a new native window, and whatever pointed at the
// old one (video painted into it, windows owned by it) would be left behind.
// The window's type stays as it is.
bool setWindowFlagsInPlace(QWidget *window, Qt::WindowFlags flags);

} // namespace rj_app::views
