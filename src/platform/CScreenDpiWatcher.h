#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QWindow>

#include <functional>

class QScreen;
class QWindow;

namespace rj_app::platform {

// Stands in for the native DPI-change message: reports the logical horizontal
// DPI of a window's screen whenever the window moves to another screen or the
// screen's logical DPI changes. Qt's own high-DPI scaling stays off; the
// windows scale themselves from this value.
class CScreenDpiWatcher : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(unsigned int dpi)>;

    explicit CScreenDpiWatcher(Handler handler, QObject *parent = nullptr);

    // Starts watching `window` (a native top-level window); watching the same
    // window again does nothing, another window replaces it.
    void watch(QWindow *window);
    QWindow *watchedWindow() const { return m_window; }

    // The value the windows take for a screen: logical DPI X, truncated.
    static unsigned int dpiOf(const QScreen *screen);

    // Keeps Qt from scaling the windows itself (also against QT_SCALE_FACTOR
    // and friends in the environment). Call before the application object
    // is constructed.
    static void keepQtScalingOff();

private:
    void onScreenChanged(QScreen *screen);
    void followScreen(QScreen *screen);

    Handler m_handler;
    QPointer<QWindow> m_window;
    QMetaObject::Connection m_screenConn;
    QMetaObject::Connection m_dpiConn;
};

} // namespace rj_app::platform
