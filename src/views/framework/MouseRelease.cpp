#include "views/framework/MouseRelease.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>

namespace rj_app::views {

namespace {

class ReleaseWaiter : public QObject
{
public:
    ReleaseWaiter(QObject *context, std::function<void()> run)
        : QObject(context)
        , m_run(std::move(run))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && QGuiApplication::mouseButtons() == Qt::NoButton
            && m_run) {
            QCoreApplication::instance()->removeEventFilter(this);
            // After the release has reached the pressed widget.
            QMetaObject::invokeMethod(parent(), std::move(m_run), Qt::QueuedConnection);
            m_run = nullptr;
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_run;
};

} // namespace

void runWhenMouseReleased(QObject *context, std::function<void()> run)
{
    if (QGuiApplication::mouseButtons() == Qt::NoButton) {
        run();
        return;
    }
    new ReleaseWaiter(context, std::move(run));
}

} // namespace rj_app::views
