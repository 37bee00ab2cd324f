#include "views/framework/PlaceKeeper.h"

#include "helpers/LogMacros.h"
#include "platform/XcbWindows.h"

#include <QDebug>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace rj_app::views {

CPlaceWatch::CPlaceWatch(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->installEventFilter(this);
}

bool CPlaceWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show)
        && !m_pending) {
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            if (m_window && m_window->isVisible())
                check();
        });
    }
    return QObject::eventFilter(watched, event);
}

CPlaceKeeper::CPlaceKeeper(QWidget *window, WantedPlace wanted)
    : CPlaceWatch(window)
    , m_wanted(std::move(wanted))
{
}

void CPlaceKeeper::check()
{
    const std::optional<QRect> wanted = m_wanted();
    if (!wanted || m_window->geometry() == *wanted) {
        m_tries = 0;
        return;
    }
    if (m_tries >= kMaxTries) {
        if (m_tries++ == kMaxTries)
            qWarning() << RJ_FUNCTION << m_window << "stays at" << m_window->geometry() << "not" << *wanted;
        return;
    }
    ++m_tries;
    qInfo() << RJ_FUNCTION << m_window << "found at" << m_window->geometry() << "goes back to" << *wanted;
    m_window->setGeometry(*wanted);
}

CServerPlaceFollower::CServerPlaceFollower(QWidget *window, std::function<bool()> skip)
    : CPlaceWatch(window)
    , m_skip(std::move(skip))
{
}

void CServerPlaceFollower::check()
{
    follow();
    // A newer move, resize or show starts the later looks again.
    const quint64 generation = ++m_generation;
    for (int delayMs : kLaterChecksMs) {
        QTimer::singleShot(delayMs, this, [this, generation] {
            if (generation == m_generation && m_window && m_window->isVisible())
                follow();
        });
    }
}

void CServerPlaceFollower::follow()
{
    if (!m_window->windowHandle() || (m_skip && m_skip()))
        return;
    const std::optional<QPoint> place = platform::serverPlaceOf(m_window);
    if (!place || *place == m_window->geometry().topLeft())
        return;
    qInfo() << RJ_FUNCTION << m_window << "reported at" << m_window->geometry().topLeft() << "lies at" << *place;
    QWindowSystemInterface::handleGeometryChange(m_window->windowHandle(), QRect(*place, m_window->size()));
}

void showPlaced(QWidget *window, const std::function<void()> &place)
{
    place();
    window->show();
    place();
}

} // namespace rj_app::views
