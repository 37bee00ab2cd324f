#include "app/CNativeEventFilters.h"

namespace rj_app {

CNativeEventFilters::~CNativeEventFilters() = default;

bool CNativeEventFilters::isScreenSaverCommand(unsigned int message, std::uintptr_t wParam)
{
    return message == kSysCommand && (wParam == kScreenSave || wParam == kMonitorPower);
}

bool CNativeEventFilters::nativeEventFilter(const QByteArray &, void *, long *)
{
    // X11 and Wayland deliver no system commands; the D-Bus inhibition does
    // this job there.
    return false;
}

} // namespace rj_app
