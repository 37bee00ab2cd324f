#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>

namespace rj_app {

// Keeps the screen saver and monitor power-off away while the client runs.
// Window systems that announce them as a system command get that command
// swallowed; on X11 the desktop is asked over D-Bus instead (see
// platform/CScreenSaverInhibitor), so nothing is filtered there.
class CNativeEventFilters : public QAbstractNativeEventFilter
{
public:
    static constexpr unsigned int kSysCommand = 274;          // the system-command message
    static constexpr std::uintptr_t kScreenSave = 0xF140;     // start the screen saver
    static constexpr std::uintptr_t kMonitorPower = 0xF170;   // power the monitor down

    ~CNativeEventFilters() override;

    // True when a system command would start the screen saver or power the
    // monitor down; the command is compared whole.
    static bool isScreenSaverCommand(unsigned int message, std::uintptr_t wParam);

    bool nativeEventFilter(const QByteArray &eventType, void *message, long *result) override;
};

} // namespace rj_app
