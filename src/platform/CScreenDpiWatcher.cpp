#include "platform/CScreenDpiWatcher.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWindow>

namespace rj_app::platform {

CScreenDpiWatcher::CScreenDpiWatcher(Handler handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{
}

void CScreenDpiWatcher::watch(QWindow *window)
{
    if (window == m_window)
        return;
    disconnect(m_screenConn);
    disconnect(m_dpiConn);
    m_window = window;
    if (!window)
        return;
    m_screenConn = connect(window, &QWindow::screenChanged, this, &CScreenDpiWatcher::onScreenChanged);
    followScreen(window->screen());
}

unsigned int CScreenDpiWatcher::dpiOf(const QScreen *screen)
{
    return screen ? static_cast<unsigned int>(screen->logicalDotsPerInchX()) : 0;
}

void CScreenDpiWatcher::keepQtScalingOff()
{
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
}

void CScreenDpiWatcher::onScreenChanged(QScreen *screen)
{
    followScreen(screen);
    if (screen && m_handler)
        m_handler(dpiOf(screen));
}

void CScreenDpiWatcher::followScreen(QScreen *screen)
{
    disconnect(m_dpiConn);
    if (!screen)
        return;
    m_dpiConn = connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this, screen] {
        if (m_handler)
            m_handler(dpiOf(screen));
    });
}

} // namespace rj_app::platform
