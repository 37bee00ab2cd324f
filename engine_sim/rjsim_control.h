#pragma once

// Control of the simulated conferencing engine (librjsdk.so) for tests and
// tools. Plain C so that any test, script binding or debugger can call it.
// Every function is thread-safe. Functions that act on "the engine" use the
// engine created last that is still alive.
//
// Commands are the lines of the control language (see engine_sim/README.md):
//   incoming <name> <number> [audio]      remote-end <code>
//   content start|stop [whiteboard] <sender>   content deny
//   call-state audio 0|1   feature aes 0|1
//   warn <code>   mic-muted 0|1   video-muted 0|1   mute-speaking   quality <n>
//   device add|remove mic|speaker|camera <name>   kick
//   error <type> <action> <code> <message>
//   result <operation> <code> [once] | result <operation> off | result clear

#if defined(_WIN32)
#define RJSIM_API __declspec(dllexport)
#else
#define RJSIM_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Runs one command. It changes the engine's state at once, in order with the
// operations; its events come from the engine's thread, after those of every
// earlier change. Returns 0 when the command was accepted,
// -1 when it is unknown or malformed, -2 when it needs an engine and none
// exists.
RJSIM_API int rjsim_command(const char *command);

// Forces the result of an operation (by its interface name, e.g. "dialOut").
// A non-zero code refuses the operation: it does nothing and returns the code;
// where the caller would otherwise wait for an event, the failure event is
// sent too. Code 0 performs the operation and returns 0 whatever it would
// have answered (probed servers are taken as reachable). getFeature forced to
// 9 succeeds with 9. With once != 0 only the next call is forced.
// Forced results belong to the process and outlive engines.
RJSIM_API void rjsim_force_result(const char *operation, int code, int once);
// Removes the forced result of one operation, or of all when operation is null.
RJSIM_API void rjsim_clear_result(const char *operation);

// The journal of operations received by every engine of the process, oldest
// first: one line per operation, its name and its arguments separated by tabs,
// each line ending in '\n'. Frame hand-overs (setLocalContentSource with frame
// data) are only counted. Copies at most size - 1 bytes and a NUL into
// buffer (which may be null when size is 0); returns the full length.
RJSIM_API int rjsim_journal(char *buffer, int size);
// How many operations of that name the journal holds (all when null).
RJSIM_API int rjsim_journal_count(const char *operation);
// Empties the journal and resets the frame counter.
RJSIM_API void rjsim_clear_journal(void);

// Frames handed over through setLocalContentSource since the last clear.
RJSIM_API long long rjsim_content_frames(void);

// The time scale in use: RJSIM_TIME_SCALE when the engine was created
// (default 1; 0 = as fast as possible).
RJSIM_API double rjsim_time_scale(void);

// How long a sign-in (getFeature, avlogin) waits for the server at each step
// (connect, send, answer), in real time and for the whole process; 0 or less
// goes back to RJSIM_SERVER_TIMEOUT_MS, or 2000 ms without it.
RJSIM_API void rjsim_set_server_timeout(int timeout_ms);

// Waits until the engine has no scheduled work left (periodic reports during
// a connected call at a scale above 0 count as work). Returns 1 when idle,
// 0 on time-out, -2 without an engine. Must not be called from a callback.
RJSIM_API int rjsim_wait_idle(int timeout_ms);

#ifdef __cplusplus
} // extern "C"

#include <string>
#include <vector>

namespace rjsim {

// The journal as lines; each line is the operation name followed by its
// arguments, tab-separated.
inline std::vector<std::string> journal()
{
    std::vector<std::string> lines;
    const int size = rjsim_journal(nullptr, 0);
    std::string text(static_cast<std::string::size_type>(size) + 1, '\0');
    const int got = rjsim_journal(&text[0], size + 1);
    text.resize(static_cast<std::string::size_type>(got < size ? got : size));
    std::string::size_type start = 0;
    while (start < text.size()) {
        const std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The journal lines of one operation, each split into its fields (the first
// field is the operation name).
inline std::vector<std::vector<std::string>> journalOf(const std::string &operation)
{
    std::vector<std::vector<std::string>> calls;
    for (const std::string &line : journal()) {
        std::vector<std::string> fields;
        std::string::size_type start = 0;
        for (;;) {
            const std::string::size_type tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos
                                                                          : tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        if (!fields.empty() && fields.front() == operation)
            calls.push_back(fields);
    }
    return calls;
}

} // namespace rjsim
#endif
