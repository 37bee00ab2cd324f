#include "views/framework/WindowFlags.h"

#include <QWidget>
#include <QWindow>

namespace rj_app::views {

bool setWindowFlagsInPlace(QWidget *window, Qt::WindowFlags flags)
{
    QWindow *handle = window->windowHandle();
    if (!handle || !handle->handle())
        return false;
    flags = (flags & ~Qt::WindowType_Mask) | (window->windowFlags() & Qt::WindowType_Mask);
    window->overrideWindowFlags(flags);
    handle->setFlags(flags);
    return true;
}

} // namespace rj_app::views
