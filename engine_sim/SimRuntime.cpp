#include "SimRuntime.h"

#include "SimWorld.h"

#include <algorithm>
#include <cstdlib>
#include <locale>
#include <sstream>

namespace rjsim {

namespace {
// A person may run the client for hours; the journal keeps the newest entries.
constexpr std::size_t kJournalLimit = 20000;
} // namespace

SimRuntime &SimRuntime::instance()
{
    static SimRuntime runtime;
    return runtime;
}

void SimRuntime::record(const char *operation, std::vector<std::string> args)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_journal.push_back(Entry{operation ? operation : "", std::move(args)});
    while (m_journal.size() > kJournalLimit)
        m_journal.pop_front();
}

std::string SimRuntime::journalText() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string text;
    for (const Entry &entry : m_journal) {
        text += entry.operation;
        for (const std::string &arg : entry.args) {
            text += '\t';
            // Keep one operation per line and one argument per field.
            for (char c : arg)
                text += (c == '\n' || c == '\t' || c == '\r') ? ' ' : c;
        }
        text += '\n';
    }
    return text;
}

int SimRuntime::journalCount(const char *operation) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!operation)
        return static_cast<int>(m_journal.size());
    return static_cast<int>(std::count_if(m_journal.begin(), m_journal.end(),
                                          [operation](const Entry &e) { return e.operation == operation; }));
}

void SimRuntime::clearJournal()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_journal.clear();
    m_frames.store(0, std::memory_order_relaxed);
}

void SimRuntime::forceResult(const std::string &operation, int code, bool once)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_forced[operation] = Forced{code, once};
}

void SimRuntime::clearResult(const std::string &operation)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (operation.empty())
        m_forced.clear();
    else
        m_forced.erase(operation);
}

bool SimRuntime::takeForced(const char *operation, int *code)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_forced.find(operation);
    if (it == m_forced.end())
        return false;
    *code = it->second.code;
    if (it->second.once)
        m_forced.erase(it);
    return true;
}

void SimRuntime::attach(SimEngine *engine)
{
    std::lock_guard<std::mutex> lock(m_engineMutex);
    m_engines.push_back(engine);
}

void SimRuntime::detach(SimEngine *engine)
{
    std::unique_lock<std::mutex> lock(m_engineMutex);
    m_engines.erase(std::remove(m_engines.begin(), m_engines.end(), engine), m_engines.end());
    m_engineReleased.wait(lock, [&] { return m_engineUses[engine] == 0; });
    m_engineUses.erase(engine);
}

SimEngine *SimRuntime::acquire()
{
    std::lock_guard<std::mutex> lock(m_engineMutex);
    SimEngine *engine = m_engines.empty() ? nullptr : m_engines.back();
    if (engine)
        ++m_engineUses[engine];
    return engine;
}

void SimRuntime::release(SimEngine *engine)
{
    if (!engine)
        return;
    {
        std::lock_guard<std::mutex> lock(m_engineMutex);
        --m_engineUses[engine];
    }
    m_engineReleased.notify_all();
}

double SimRuntime::timeScaleFromEnvironment()
{
    const char *text = std::getenv("RJSIM_TIME_SCALE");
    if (!text || !*text)
        return 1.0;
    // Not strtod: the host application may have set a locale with a decimal comma.
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 1.0;
    if (!(in >> value) || value < 0.0 || value != value)
        return 1.0;
    return value;
}

} // namespace rjsim

namespace rjsim {

int SimRuntime::serverTimeoutMs() const
{
    const int set = m_serverTimeoutMs.load();
    if (set > 0)
        return set;
    const char *text = std::getenv("RJSIM_SERVER_TIMEOUT_MS");
    if (!text || !*text)
        return world::kProbeTimeoutMs;
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value <= 0 || value > 600000)
        return world::kProbeTimeoutMs;
    return static_cast<int>(value);
}

} // namespace rjsim
