#pragma once

#include <QObject>

class QDBusPendingCallWatcher;

namespace rj_app::platform {

// Holds an org.freedesktop.ScreenSaver inhibition while a window of the
// client is active and releases it otherwise. Without a session bus, or
// without the service on it, it does nothing. Calls are asynchronous so a
// slow bus never blocks the GUI thread.
class CScreenSaverInhibitor : public QObject
{
    Q_OBJECT
public:
    explicit CScreenSaverInhibitor(QObject *parent = nullptr);
    ~CScreenSaverInhibitor() override;

    // Follows the application's active state from now on.
    void followApplicationState();

    void inhibit();
    void uninhibit();
    bool isInhibited() const { return m_uCookie != 0; }

private:
    unsigned int m_uCookie = 0;
    bool m_bWanted = false;
    bool m_bPending = false;
};

} // namespace rj_app::platform
