#pragma once

#include <QRect>

class QWidget;

namespace rj_app::views {

// The maximise of the frameless main windows: the window is fixed to the
// available area of the screen under the mouse cursor and later restored to
// the geometry it had; the window system's maximised state is never used.
class CEmulatedMaximize
{
public:
    // False when there is no screen to fill.
    bool maximize(QWidget *window);
    void restore(QWidget *window);
    bool isMaximized() const { return m_bMaximized; }

private:
    bool m_bMaximized = false;
    QRect m_rectNormalGeometry;
};

} // namespace rj_app::views
