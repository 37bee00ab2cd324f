#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace rjsim {

// The engine's own thread. Everything the world does later (a call that
// connects after a second, a queue that counts down) is a task on it, and
// every callback to the client runs from it.
//
// Two kinds of task:
// - world tasks run in world time: a delay in world milliseconds is stretched
//   by the time scale. With scale 0 they run as fast as possible, still one
//   after another in world-time order (a virtual clock jumps to each task).
// - ambient tasks run in real time whatever the scale (the control-file poll,
//   periodic reports); they never count as pending work.
class SimDispatcher
{
public:
    using Task = std::function<void()>;

    explicit SimDispatcher(double timeScale);
    ~SimDispatcher();

    SimDispatcher(const SimDispatcher &) = delete;
    SimDispatcher &operator=(const SimDispatcher &) = delete;

    void post(std::int64_t worldDelayMs, Task task);
    void postAmbient(std::int64_t realDelayMs, Task task);

    // Current world time in milliseconds since the dispatcher started.
    std::int64_t worldNow() const;
    double timeScale() const { return m_scale; }

    bool onDispatcherThread() const;

    // Waits until no world task is queued or running. False on time-out.
    bool waitIdle(int timeoutMs);

    // Drops what is queued and ends the thread. A task that is running
    // finishes first. Called from that task itself, it returns at once and
    // the thread ends right after the task; a later stop() from another
    // thread (or the destructor) then waits until it has.
    void stop();

private:
    struct State;
    std::shared_ptr<State> m_state;
    double m_scale;
    std::thread m_thread;
};

} // namespace rjsim
