// The exported entry points: the engine factory and the control functions.

#include "SimEngine.h"
#include "SimRuntime.h"
#include "rjsim_control.h"

#include <cstring>
#include <string>
#include <vector>

namespace rjsim {

// "result <operation> <code> [once]", "result <operation> off", "result clear".
int runResultCommand(const std::vector<std::string> &t)
{
    SimRuntime &runtime = SimRuntime::instance();
    if (t.size() == 2 && t[1] == "clear") {
        runtime.clearResult(std::string());
        return 0;
    }
    if (t.size() == 3 && t[2] == "off") {
        runtime.clearResult(t[1]);
        return 0;
    }
    if (t.size() != 3 && !(t.size() == 4 && t[3] == "once"))
        return -1;
    char *end = nullptr;
    const long code = std::strtol(t[2].c_str(), &end, 10);
    if (t[2].empty() || *end != '\0' || code < -2147483647L || code > 2147483647L)
        return -1;
    runtime.forceResult(t[1], static_cast<int>(code), t.size() == 4);
    return 0;
}

} // namespace rjsim

using rjsim::SimEngine;
using rjsim::SimRuntime;

extern "C" {

RJ_ENGINE_API rj::engine::IAVEngine *createAVEngine()
{
    try {
        return new SimEngine();
    } catch (...) {
        return nullptr;
    }
}

RJ_ENGINE_API void deleteAVEngine(rj::engine::IAVEngine *engine)
{
    delete static_cast<SimEngine *>(engine);
}

RJSIM_API int rjsim_command(const char *command)
{
    if (!command)
        return -1;
    const std::string line(command);
    // Forced results need no engine.
    const auto first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line.compare(first, 6, "result") == 0
        && (line.size() == first + 6 || line[first + 6] == ' ' || line[first + 6] == '\t')) {
        std::vector<std::string> t;
        std::string item;
        for (char c : line + " ") {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                if (!item.empty())
                    t.push_back(item);
                item.clear();
            } else {
                item += c;
            }
        }
        return rjsim::runResultCommand(t);
    }
    return SimRuntime::instance().withEngine([&](SimEngine *engine) { return engine ? engine->command(line) : -2; });
}

RJSIM_API void rjsim_force_result(const char *operation, int code, int once)
{
    if (operation && *operation)
        SimRuntime::instance().forceResult(operation, code, once != 0);
}

RJSIM_API void rjsim_clear_result(const char *operation)
{
    SimRuntime::instance().clearResult(operation ? operation : "");
}

RJSIM_API int rjsim_journal(char *buffer, int size)
{
    const std::string text = SimRuntime::instance().journalText();
    if (buffer && size > 0) {
        const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(text.size());
}

RJSIM_API int rjsim_journal_count(const char *operation)
{
    return SimRuntime::instance().journalCount(operation);
}

RJSIM_API void rjsim_clear_journal(void)
{
    SimRuntime::instance().clearJournal();
}

RJSIM_API long long rjsim_content_frames(void)
{
    return SimRuntime::instance().frames();
}

RJSIM_API double rjsim_time_scale(void)
{
    return SimRuntime::instance().withEngine([](SimEngine *engine) {
        return engine ? engine->timeScale() : SimRuntime::timeScaleFromEnvironment();
    });
}

RJSIM_API void rjsim_set_server_timeout(int timeout_ms)
{
    SimRuntime::instance().setServerTimeoutMs(timeout_ms);
}

RJSIM_API int rjsim_wait_idle(int timeout_ms)
{
    return SimRuntime::instance().withEngine(
        [timeout_ms](SimEngine *engine) { return engine ? (engine->waitIdle(timeout_ms) ? 1 : 0) : -2; });
}

} // extern "C"
