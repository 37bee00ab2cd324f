#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

namespace rj_app::models {

// Runs tasks posted from any thread in the thread of this object, in the
// order posted. The task and what it captured cross under a std::mutex,
// which ThreadSanitizer sees; Qt's event queue, which only wakes the
// receiving thread here, it does not (the distribution's Qt is not built for
// it). A payload handed over this way is checked like any other access:
// a race on it is reported, not taken for Qt's business.
class CHandOverQueue : public QObject
{
    Q_OBJECT
public:
    explicit CHandOverQueue(QObject *parent = nullptr);
    ~CHandOverQueue() override;

    // Any thread. Tasks still queued when this object goes are dropped.
    void post(std::function<void()> task);

private:
    Q_INVOKABLE void drain();

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_tasks;
    bool m_bWakeUpPosted = false;
};

} // namespace rj_app::models
