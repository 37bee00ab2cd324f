#include "SimDispatcher.h"

#include <QtGlobal>

#include <algorithm>
#include <exception>
#include <map>
#include <utility>

namespace rjsim {

using Clock = std::chrono::steady_clock;

struct SimDispatcher::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    // Keys: (world due, sequence) and (real due, sequence); the sequence keeps
    // tasks with the same due time in the order they were posted.
    std::multimap<std::pair<std::int64_t, std::uint64_t>, Task> world;
    std::multimap<std::pair<Clock::time_point, std::uint64_t>, Task> ambient;
    std::uint64_t sequence = 0;
    std::int64_t virtualNow = 0; // scale 0 only: the due time of the last world task
    bool runningWorld = false;
    bool stopping = false;
    Clock::time_point origin = Clock::now();
    double scale = 1.0;
    std::thread::id threadId;

    std::int64_t worldNowLocked() const
    {
        if (scale <= 0.0)
            return virtualNow;
        const double realMs =
            std::chrono::duration<double, std::milli>(Clock::now() - origin).count();
        return static_cast<std::int64_t>(realMs / scale);
    }

    Clock::time_point realDueOf(std::int64_t worldDue) const
    {
        if (scale <= 0.0)
            return Clock::time_point::min();
        return origin + std::chrono::microseconds(static_cast<std::int64_t>(
                            static_cast<double>(worldDue) * scale * 1000.0));
    }

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            if (stopping)
                return;
            const bool haveWorld = !world.empty();
            const bool haveAmbient = !ambient.empty();
            if (!haveWorld && !haveAmbient) {
                wake.wait(lock);
                continue;
            }
            const Clock::time_point worldDue =
                haveWorld ? realDueOf(world.begin()->first.first) : Clock::time_point::max();
            const Clock::time_point ambientDue =
                haveAmbient ? ambient.begin()->first.first : Clock::time_point::max();
            const bool takeWorld = haveWorld && worldDue <= ambientDue;
            const Clock::time_point due = takeWorld ? worldDue : ambientDue;
            if (due > Clock::now()) {
                wake.wait_until(lock, due);
                continue;
            }
            Task task;
            if (takeWorld) {
                auto it = world.begin();
                if (scale <= 0.0)
                    virtualNow = std::max(virtualNow, it->first.first);
                task = std::move(it->second);
                world.erase(it);
                runningWorld = true;
            } else {
                auto it = ambient.begin();
                task = std::move(it->second);
                ambient.erase(it);
            }
            lock.unlock();
            try {
                task();
            } catch (const std::exception &e) {
                qWarning("rjsim: a task failed: %s", e.what());
            } catch (...) {
                qWarning("rjsim: a task failed");
            }
            task = nullptr;
            lock.lock();
            if (takeWorld) {
                runningWorld = false;
                if (world.empty())
                    idle.notify_all();
            }
        }
    }
};

SimDispatcher::SimDispatcher(double timeScale)
    : m_state(std::make_shared<State>())
    , m_scale(timeScale < 0.0 ? 1.0 : timeScale)
{
    m_state->scale = m_scale;
    std::shared_ptr<State> state = m_state;
    std::unique_lock<std::mutex> lock(state->mutex);
    m_thread = std::thread([state] { state->run(); });
    state->threadId = m_thread.get_id();
}

SimDispatcher::~SimDispatcher()
{
    stop();
    // Only when destroyed from its own task, which the engine forbids
    // (deleteAVEngine from inside a callback): let the thread end alone.
    if (m_thread.joinable())
        m_thread.detach();
}

void SimDispatcher::post(std::int64_t worldDelayMs, Task task)
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        if (m_state->stopping)
            return;
        const std::int64_t due = m_state->worldNowLocked() + std::max<std::int64_t>(0, worldDelayMs);
        m_state->world.emplace(std::make_pair(due, m_state->sequence++), std::move(task));
    }
    m_state->wake.notify_all();
}

void SimDispatcher::postAmbient(std::int64_t realDelayMs, Task task)
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        if (m_state->stopping)
            return;
        const Clock::time_point due =
            Clock::now() + std::chrono::milliseconds(std::max<std::int64_t>(0, realDelayMs));
        m_state->ambient.emplace(std::make_pair(due, m_state->sequence++), std::move(task));
    }
    m_state->wake.notify_all();
}

std::int64_t SimDispatcher::worldNow() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->worldNowLocked();
}

bool SimDispatcher::onDispatcherThread() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return std::this_thread::get_id() == m_state->threadId;
}

bool SimDispatcher::waitIdle(int timeoutMs)
{
    if (onDispatcherThread())
        return false;
    std::unique_lock<std::mutex> lock(m_state->mutex);
    return m_state->idle.wait_for(lock, std::chrono::milliseconds(std::max(0, timeoutMs)), [this] {
        return m_state->stopping || (m_state->world.empty() && !m_state->runningWorld);
    });
}

void SimDispatcher::stop()
{
    std::multimap<std::pair<std::int64_t, std::uint64_t>, Task> world;
    std::multimap<std::pair<Clock::time_point, std::uint64_t>, Task> ambient;
    bool self = false;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stopping = true;
        world.swap(m_state->world);
        ambient.swap(m_state->ambient);
        self = std::this_thread::get_id() == m_state->threadId;
    }
    m_state->wake.notify_all();
    m_state->idle.notify_all();
    // From the dispatcher's own task the thread ends once that task returns;
    // a later stop() from another thread (the destructor) waits for that.
    if (m_thread.joinable() && !self)
        m_thread.join();
}

} // namespace rjsim
