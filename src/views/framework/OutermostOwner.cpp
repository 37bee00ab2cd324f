#include "views/framework/OutermostOwner.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace rj_app::views {

COutermostOwner::COutermostOwner(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
    QCoreApplication::instance()->installEventFilter(this);
}

COutermostOwner::~COutermostOwner()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

QWidget *COutermostOwner::outermostOf(QWidget *window)
{
    QWidget *outermost = window;
    while (outermost->parentWidget())
        outermost = outermost->parentWidget()->window();
    return outermost;
}

bool COutermostOwner::eventFilter(QObject *watched, QEvent *event)
{
    // The show event comes before the window is mapped: the window manager
    // learns the owner when it first sees the window.
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!window->isWindow() || !window->parentWidget() || !m_owner || !m_owner->windowHandle())
        return false;
    if (outermostOf(window) != m_owner || !window->windowHandle())
        return false;
    if (window->windowHandle()->transientParent() != m_owner->windowHandle())
        window->windowHandle()->setTransientParent(m_owner->windowHandle());
    return false;
}

} // namespace rj_app::views
