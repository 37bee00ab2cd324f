#include "views/framework/CEmulatedMaximize.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace rj_app::views {

bool CEmulatedMaximize::maximize(QWidget *window)
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    m_rectNormalGeometry = window->normalGeometry();
    const QRect available = screen->availableGeometry();
    window->setFixedSize(available.size());
    window->move(available.topLeft());
    m_bMaximized = true;
    return true;
}

void CEmulatedMaximize::restore(QWidget *window)
{
    m_bMaximized = false;
    if (m_rectNormalGeometry.isValid()) {
        window->setFixedSize(m_rectNormalGeometry.size());
        window->move(m_rectNormalGeometry.topLeft());
    }
}

} // namespace rj_app::views
