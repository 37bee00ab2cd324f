#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace rjsim {

class SimEngine;

// What belongs to the process rather than to one engine: the journal of
// operations, the forced results, the frame counter and the engine the
// control functions talk to.
class SimRuntime
{
public:
    static SimRuntime &instance();

    void record(const char *operation, std::vector<std::string> args);
    std::string journalText() const;
    int journalCount(const char *operation) const;
    void clearJournal();

    void forceResult(const std::string &operation, int code, bool once);
    void clearResult(const std::string &operation); // empty: all
    // True when a result is forced for the operation; a one-shot force is
    // used up.
    bool takeForced(const char *operation, int *code);

    void countFrame() { m_frames.fetch_add(1, std::memory_order_relaxed); }
    long long frames() const { return m_frames.load(std::memory_order_relaxed); }

    void attach(SimEngine *engine);
    // Waits until no control call uses the engine any more.
    void detach(SimEngine *engine);
    // Runs fn with the current engine (or null); the engine cannot be
    // destroyed meanwhile. No lock is held while fn runs, so fn may wait.
    template<typename Fn>
    auto withEngine(Fn fn) -> decltype(fn(static_cast<SimEngine *>(nullptr)))
    {
        SimEngine *engine = acquire();
        struct Release {
            SimRuntime *runtime;
            SimEngine *engine;
            ~Release() { runtime->release(engine); }
        } guard{this, engine};
        return fn(engine);
    }

    // The scale engines are created with: RJSIM_TIME_SCALE, default 1.
    static double timeScaleFromEnvironment();

    // How long a sign-in waits for the server at each step (connect, send,
    // answer), in real time: the value set through the control API, else
    // RJSIM_SERVER_TIMEOUT_MS, else the world's 2 s.
    int serverTimeoutMs() const;
    void setServerTimeoutMs(int ms) { m_serverTimeoutMs.store(ms > 0 ? ms : 0); } // 0: back to the default

private:
    SimRuntime() = default;

    struct Forced {
        int code = 0;
        bool once = false;
    };
    struct Entry {
        std::string operation;
        std::vector<std::string> args;
    };

    mutable std::mutex m_mutex;
    std::deque<Entry> m_journal;
    std::map<std::string, Forced> m_forced;
    std::atomic<long long> m_frames{0};
    std::atomic<int> m_serverTimeoutMs{0};

    SimEngine *acquire();
    void release(SimEngine *engine);

    std::mutex m_engineMutex;
    std::condition_variable m_engineReleased;
    std::vector<SimEngine *> m_engines;
    std::map<SimEngine *, int> m_engineUses;
};

} // namespace rjsim
