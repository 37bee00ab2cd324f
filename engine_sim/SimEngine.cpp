// The engine's core: construction, the plumbing every operation goes
// through (journal, forced results, scheduling, delivery, log), set-up,
// handler registration and the persistent settings.

#include "SimEngine.h"

#include "SimRuntime.h"
#include "SimSupport.h"

#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>

using namespace rj::engine;

namespace rjsim {

namespace {

std::string timestamp()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
    localtime_r(&t, &tm);
    char buffer[64];
    std::strftime(buffer, sizeof(buffer), "%Y-%m-%d %H:%M:%S", &tm);
    char out[80];
    std::snprintf(out, sizeof(out), "%s.%03d", buffer, static_cast<int>(ms));
    return out;
}

} // namespace

// ---------------------------------------------------------------------------
// Construction

SimEngine::SimEngine()
    : m_dispatcher(SimRuntime::timeScaleFromEnvironment())
{
    for (const world::Account &a : world::kAccounts) {
        m_passwords[a.user] = a.password;
        m_mustChange[a.user] = a.mustChangePassword;
    }
    auto addDevices = [this](RJ_DEVICE_TYPE type, const auto &names) {
        std::uint32_t id = 0;
        for (const char *name : names) {
            RJDevice d;
            d.id = id++;
            d.type = type;
            d.name = name;
            d.desc = std::string("simulated ") + deviceKindName(type);
            m_devices[type].push_back(d);
        }
    };
    addDevices(RJ_DEVICE_MIC, world::kMicrophones);
    addDevices(RJ_DEVICE_SPEAKER, world::kSpeakers);
    addDevices(RJ_DEVICE_CAMERA, world::kCameras);
    m_volume[RJ_DEVICE_MIC].volume = 1.0f;
    m_volume[RJ_DEVICE_SPEAKER].volume = 1.0f;
    m_videoReg.type = RJ_CALL_TYPE_VIDEO_SERVICE;
    m_sipReg.type = RJ_CALL_TYPE_SIP;

    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const char *appdata = std::getenv("appdata");
        if (appdata && *appdata)
            setUserDataDirLocked(pathJoin(appdata, "glimora"));
        refreshScreensLocked();
    }
    SimRuntime::instance().attach(this);
    m_dispatcher.postAmbient(kControlPollMs, [this] { pollControlFile(); });
    qInfo("rjsim: engine created, time scale %g", m_dispatcher.timeScale());
}

SimEngine::~SimEngine()
{
    SimRuntime::instance().detach(this);
    m_dispatcher.stop();
    std::lock_guard<std::mutex> lock(m_mutex);
    for (unsigned char *data : m_bitmaps)
        delete[] data;
    m_bitmaps.clear();
}

// ---------------------------------------------------------------------------
// Plumbing

SimEngine::Forced SimEngine::enter(const char *operation, std::vector<std::string> args)
{
    // The log file travels with feedback archives: no secrets in it.
    struct Secret {
        const char *operation;
        std::size_t arg;
    };
    static const Secret secrets[] = {{"avlogin", 3},          {"validatePassword", 0}, {"changePassword", 0},
                                     {"changePassword", 1},   {"registerSIPServer", 3}};
    std::string line = operation;
    for (std::size_t i = 0; i < args.size(); ++i) {
        bool secret = false;
        for (const Secret &s : secrets)
            secret = secret || (i == s.arg && std::strcmp(operation, s.operation) == 0);
        std::string value = secret ? std::string("***") : args[i];
        // "number*password@server": the meeting password goes too.
        const std::string::size_type star = value.find('*');
        if (i == 0 && std::strcmp(operation, "dialOut") == 0 && star != std::string::npos) {
            const std::string::size_type at = value.rfind('@');
            value = value.substr(0, star + 1) + "***" + (at != std::string::npos && at > star ? value.substr(at) : "");
        }
        line += ' ' + value;
    }
    logLine(line);
    SimRuntime::instance().record(operation, std::move(args));
    Forced forced;
    if (!SimRuntime::instance().takeForced(operation, &forced.code))
        return forced;
    logLine(std::string("forced result ") + num(forced.code));
    forced.refused = forced.code != 0;
    forced.zero = forced.code == 0;
    return forced;
}

void SimEngine::note(const char *operation, std::vector<std::string> args)
{
    SimRuntime::instance().record(operation, std::move(args));
}

void SimEngine::runStep(const Step &step)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return;
        Events events;
        step(events);
        reportLocked(std::move(events));
    }
    flushReports(m_dispatcher.worldNow());
}

void SimEngine::reportLocked(Events events, std::int64_t delayMs)
{
    if (events.empty())
        return;
    const std::int64_t now = m_dispatcher.worldNow();
    const std::int64_t due = std::max(now + std::max<std::int64_t>(0, delayMs), m_lastReportDue);
    m_lastReportDue = due;
    m_outbox.push_back(Report{due, std::move(events)});
    m_dispatcher.post(due - now, [this, due] { flushReports(due); });
}

void SimEngine::flushReports(std::int64_t due)
{
    for (;;) {
        Events events;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_released || m_outbox.empty() || m_outbox.front().due > std::max(due, m_dispatcher.worldNow()))
                return;
            events = std::move(m_outbox.front().events);
            m_outbox.pop_front();
        }
        deliver(events);
    }
}

void SimEngine::later(std::int64_t delayMs, Step step)
{
    m_dispatcher.post(delayMs, [this, step = std::move(step)]() { runStep(step); });
}

void SimEngine::laterForUser(std::int64_t delayMs, Step step)
{
    if (m_dispatcher.timeScale() > 0.0)
        later(delayMs, std::move(step));
    else
        m_dispatcher.postAmbient(delayMs, [this, step = std::move(step)]() { runStep(step); });
}

void SimEngine::deliver(Events &events)
{
    for (Event &e : events) {
        std::lock_guard<std::recursive_mutex> lock(m_handlerMutex);
        // A callback that released the engine ends the batch: its caller
        // may delete the engine as soon as the callback returns.
        if (m_released)
            return;
        logLine(std::string("event ") + e.name);
        if (m_handler)
            e.call(*m_handler);
    }
}

void SimEngine::logLine(const std::string &line)
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    if (!m_logEnabled || m_logPath.empty())
        return;
    std::ofstream out(m_logPath, std::ios::app);
    if (!out)
        return;
    out << timestamp() << ' ' << line << '\n';
    const auto size = static_cast<std::uint64_t>(out.tellp());
    out.close();
    if (m_logMax > 0 && size > m_logMax)
        std::rename(m_logPath.c_str(), (m_logPath + ".1").c_str());
}

// ---------------------------------------------------------------------------
// Set-up

int SimEngine::setLog(int level, const char *log_path, const char *log_file_name, unsigned int max_file_size)
{
    const Forced forced = enter("setLog", {num(level), str(log_path), str(log_file_name), num(max_file_size)});
    if (forced.refused)
        return forced.code;
    {
        std::lock_guard<std::mutex> lock(m_logMutex);
        const std::string name = str(log_file_name).empty() ? "rjsdk" : str(log_file_name);
        m_logPath = str(log_path).empty() ? std::string() : pathJoin(str(log_path), name + ".log");
        m_logMax = max_file_size;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    setUserDataDirLocked(str(log_path));
    return forced.done(kOk);
}

int SimEngine::enableLog(bool enable)
{
    const Forced forced = enter("enableLog", {flag(enable)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_logMutex);
    m_logEnabled = enable;
    return forced.done(kOk);
}

int SimEngine::initialize(const char *config_path, const char *config_file_name)
{
    const Forced forced = enter("initialize", {str(config_path), str(config_file_name)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (str(config_path).empty())
        return forced.done(kBadParameter);
    setUserDataDirLocked(str(config_path));
    m_configPath = pathJoin(str(config_path), str(config_file_name).empty() ? "brondalrc" : str(config_file_name));
    loadConfigLocked();
    return forced.done(kOk);
}

int SimEngine::setRootCA(const char *path)
{
    return keepSetting("setRootCA", {str(path)}, [&] { m_rootCA = str(path); });
}

int SimEngine::setUserImage(const char *background_file_path, const char *user_image_path)
{
    const Forced forced = enter("setUserImage", {str(background_file_path), str(user_image_path)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_backgroundImage = str(background_file_path);
    m_userImage = str(user_image_path);
    return forced.done(kOk);
}

int SimEngine::enableWhiteBoard(bool enable)
{
    return keepSetting("enableWhiteBoard", {flag(enable)}, [&] { m_whiteboardEnabled = enable; });
}

int SimEngine::setUserAgent(const char *company, const char *version)
{
    const Forced forced = enter("setUserAgent", {str(company), str(version)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_company = str(company);
    m_version = str(version);
    return forced.done(kOk);
}

int SimEngine::release()
{
    const Forced forced = enter("release", {});
    if (forced.refused)
        return forced.code;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_outbox.clear();
    }
    // Nothing scheduled runs any more; a callback in flight finishes first.
    // Called from inside a callback, the rest of that batch is dropped and
    // the dispatcher thread ends after it; deleteAVEngine waits for that.
    m_dispatcher.stop();
    return forced.done(kOk);
}

int SimEngine::enableSecure(bool enable)
{
    return keepSetting("enableSecure", {flag(enable)}, [&] { m_secure = enable; });
}

// ---------------------------------------------------------------------------
// Handlers

int SimEngine::registerEventHandler(IAVEventHandler *handler)
{
    const Forced forced = enter("registerEventHandler", {ptr(handler)});
    if (forced.refused)
        return forced.code;
    if (!handler)
        return forced.done(kBadParameter);
    std::lock_guard<std::recursive_mutex> lock(m_handlerMutex);
    m_handler = handler;
    return forced.done(kOk);
}

int SimEngine::unregisterEventHandler(IAVEventHandler *handler)
{
    const Forced forced = enter("unregisterEventHandler", {ptr(handler)});
    if (forced.refused)
        return forced.code;
    // Waits for a callback in flight on another thread; from inside a
    // callback the lock is already ours.
    std::lock_guard<std::recursive_mutex> lock(m_handlerMutex);
    if (!handler || handler != m_handler)
        return forced.done(kBadParameter);
    m_handler = nullptr;
    return forced.done(kOk);
}

// ---------------------------------------------------------------------------
// Persistent settings ("brondalrc" in the configuration directory)

void SimEngine::loadConfigLocked()
{
    std::ifstream in(m_configPath);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        int v = 0;
        if (!toInt(value, &v))
            continue;
        if (key == "bandwidth" && v >= 64 && v <= 20480)
            m_bandwidth = static_cast<unsigned int>(v);
        else if (key == "renderType" && v >= 0 && v <= 2)
            m_renderType = v;
        else if (key == "hd")
            m_hd = v != 0;
        else if (key == "highFps")
            m_highFps = v != 0;
        else if (key == "content")
            m_contentAllowed = v != 0;
        else if (key == "mic" || key == "speaker" || key == "camera") {
            const int type = key == "mic" ? 0 : key == "speaker" ? 1 : 2;
            for (const RJDevice &d : m_devices[type])
                if (d.id == static_cast<std::uint32_t>(v))
                    m_currentDevice[type] = d.id;
        }
    }
}

void SimEngine::saveConfigLocked() const
{
    if (m_configPath.empty())
        return;
    const std::string temp = m_configPath + ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out)
            return;
        out << "bandwidth=" << m_bandwidth << "\nrenderType=" << m_renderType << "\nhd=" << int(m_hd)
            << "\nhighFps=" << int(m_highFps) << "\ncontent=" << int(m_contentAllowed) << "\nmic="
            << m_currentDevice[0] << "\nspeaker=" << m_currentDevice[1] << "\ncamera=" << m_currentDevice[2]
            << "\n";
        if (!out.flush())
            return;
    }
    std::rename(temp.c_str(), m_configPath.c_str());
}

} // namespace rjsim
