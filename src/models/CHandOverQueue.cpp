#include "models/CHandOverQueue.h"

#include <QPointer>

#include <utility>

namespace rj_app::models {

CHandOverQueue::CHandOverQueue(QObject *parent)
    : QObject(parent)
{
}

CHandOverQueue::~CHandOverQueue() = default;

void CHandOverQueue::post(std::function<void()> task)
{
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_tasks.push_back(std::move(task));
        if (m_bWakeUpPosted)
            return;
        m_bWakeUpPosted = true;
    }
    // By name and without arguments: the event carries nothing to hand over.
    QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
}

void CHandOverQueue::drain()
{
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        tasks.swap(m_tasks);
        m_bWakeUpPosted = false;
    }
    // A task's receivers may end the owner of this queue (the exit releases
    // the facade): what is left then goes with it.
    const QPointer<CHandOverQueue> self(this);
    for (const std::function<void()> &task : tasks) {
        if (!self)
            return;
        task();
    }
}

} // namespace rj_app::models
