#pragma once

#include <atomic>
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
    void detach(SimEngine *engine);
    // Runs fn with the current engine (or null) while no engine can be
    // destroyed.
    template<typename Fn>
    auto withEngine(Fn fn) -> decltype(fn(static_cast<SimEngine *>(nullptr)))
    {
        std::lock_guard<std::recursive_mutex> lock(m_engineMutex);
        return fn(m_engines.empty() ? nullptr : m_engines.back());
    }

    // The scale engines are created with: RJSIM_TIME_SCALE, default 1.
    static double timeScaleFromEnvironment();

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

    std::recursive_mutex m_engineMutex;
    std::vector<SimEngine *> m_engines;
};

} // namespace rjsim
