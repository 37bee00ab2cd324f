#include "SimEngine.h"

#include "SimNet.h"
#include "SimRuntime.h"

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

using namespace rj::engine;

namespace rjsim {

namespace {

// Engine result codes (the client's prompt tables know them).
constexpr int kOk = 0;
constexpr int kRefused = 1;        // the operation is not possible now
constexpr int kNotInitialized = 2; // after release()
constexpr int kNotInConference = 4;
constexpr int kBadParameter = 5;
constexpr int kInternal = 7;
constexpr int kUnreachable = 8;
constexpr int kFeatureAlternateOk = 9;
constexpr int kNotLoggedIn = 13;
constexpr int kUnresolved = 16;
constexpr int kWrongOldPassword = 2001;
constexpr int kPolicyViolation = 6600;
constexpr int kSipWrongPassword = 4106;

constexpr int kContentEventDelayMs = 100;
constexpr int kHangUpDelayMs = 200;
constexpr int kQualityPeriodMs = 5000;
constexpr int kIncomingTimeoutMs = 30000;
constexpr int kControlPollMs = 500;

std::string str(const char *text)
{
    return text ? std::string(text) : std::string();
}

std::string flag(bool value)
{
    return value ? "1" : "0";
}

template<typename T>
std::string num(T value)
{
    return std::to_string(value);
}

std::string ptr(const void *p)
{
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%p", p);
    return buffer;
}

std::string fmt(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.*f", decimals, value);
    return buffer;
}

std::string pathJoin(const std::string &dir, const std::string &name)
{
    if (dir.empty())
        return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

RJError makeError(int type, const std::string &action, int code, const std::string &msg)
{
    RJError e;
    e.type = type;
    e.action = action;
    e.code = code;
    e.msg = msg;
    return e;
}

// --- Password forms -------------------------------------------------------
// The login form (types 0 and 1), the stored form (type 2 with a key) and the
// change form are all reversible by this engine and by nobody else; each
// carries a prefix so that a plain text is never mistaken for one.

std::string keystreamXor(const std::string &data, const std::string &key)
{
    std::string out = data;
    std::uint32_t h = 2166136261u;
    for (char c : key)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    for (std::size_t i = 0; i < out.size(); ++i) {
        h = (h ^ static_cast<std::uint32_t>(i & 0xff)) * 16777619u;
        out[i] = static_cast<char>(out[i] ^ static_cast<char>((h >> 13) & 0xff));
    }
    return out;
}

std::string toBase64(const std::string &data)
{
    return QByteArray(data.data(), static_cast<int>(data.size())).toBase64().toStdString();
}

bool fromBase64(const std::string &text, std::string *data)
{
    const auto result = QByteArray::fromBase64Encoding(QByteArray(text.data(), static_cast<int>(text.size())),
                                                       QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return false;
    data->assign(result.decoded.constData(), static_cast<std::size_t>(result.decoded.size()));
    return true;
}

constexpr const char *kLoginKey = "rjsim-login";
constexpr const char *kChangeKey = "rjsim-change";
constexpr const char *kStoredMagic = "RJ2:";

bool startsWith(const std::string &text, const std::string &head)
{
    return text.compare(0, head.size(), head) == 0;
}

// Login form back to plain text; false when the text is not a login form.
bool decodeLoginForm(const std::string &text, std::string *plain)
{
    std::string data;
    if (startsWith(text, "rjp0:"))
        return fromBase64(text.substr(5), plain);
    if (startsWith(text, "rjp1:") && fromBase64(text.substr(5), &data)) {
        *plain = keystreamXor(data, kLoginKey);
        return true;
    }
    return false;
}

bool decodeChangeForm(const std::string &text, std::string *plain)
{
    std::string data;
    if (!startsWith(text, "rjt:") || !fromBase64(text.substr(4), &data))
        return false;
    *plain = keystreamXor(data, kChangeKey);
    return true;
}

// --- Small helpers ---------------------------------------------------------

const char *deviceKindName(int type)
{
    switch (type) {
    case RJ_DEVICE_MIC:
        return "mic";
    case RJ_DEVICE_SPEAKER:
        return "speaker";
    default:
        return "camera";
    }
}

bool validDeviceType(int type)
{
    return type >= RJ_DEVICE_MIC && type <= RJ_DEVICE_CAMERA;
}

std::vector<std::string> tokens(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    std::string t;
    while (in >> t)
        out.push_back(t);
    return out;
}

bool toInt(const std::string &text, int *value)
{
    if (text.empty())
        return false;
    char *end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -2147483647L - 1 || v > 2147483647L)
        return false;
    *value = static_cast<int>(v);
    return true;
}

bool toFloat(const std::string &text, float *value)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double v = 0;
    if (!(in >> v) || !in.eof() || v != v)
        return false;
    *value = static_cast<float>(v);
    return true;
}

std::string joinFrom(const std::vector<std::string> &t, std::size_t from)
{
    std::string out;
    for (std::size_t i = from; i < t.size(); ++i) {
        if (!out.empty())
            out += ' ';
        out += t[i];
    }
    return out;
}

std::uint32_t seedOf(const std::string &text)
{
    std::uint32_t h = 2166136261u;
    for (char c : text)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

bool portIsRoz(unsigned int port)
{
    const char *env = std::getenv("RJSIM_ROZ_PORTS");
    const std::string list = (env && *env) ? env : world::kRozPortsDefault;
    std::string item;
    for (char c : list + ",") {
        if (c == ',' || c == ' ') {
            int value = 0;
            if (toInt(item, &value) && value >= 0 && static_cast<unsigned int>(value) == port)
                return true;
            item.clear();
        } else {
            item += c;
        }
    }
    return false;
}

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

int protocolCode(const std::string &protocol)
{
    std::string p;
    for (char c : protocol)
        p += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (p == "TCP")
        return 1;
    if (p == "TLS")
        return 2;
    return 0; // UDP and anything else
}

// Set by enter() when the operation's result is forced to 0; read by done()
// on the same thread before the operation returns.
thread_local bool t_forcedZero = false;

int done(int result)
{
    return t_forcedZero ? 0 : result;
}

bool forcedZero()
{
    return t_forcedZero;
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

bool SimEngine::enter(const char *operation, std::vector<std::string> args, int *code)
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
        line += ' ' + (secret ? std::string("***") : args[i]);
    }
    logLine(line);
    SimRuntime::instance().record(operation, std::move(args));
    t_forcedZero = false;
    int forced = 0;
    if (!SimRuntime::instance().takeForced(operation, &forced))
        return false;
    logLine(std::string("forced result ") + num(forced));
    if (forced == 0) {
        t_forcedZero = true; // performed, and answers 0 whatever happens
        return false;
    }
    *code = forced;
    return true;
}

void SimEngine::note(const char *operation, std::vector<std::string> args)
{
    SimRuntime::instance().record(operation, std::move(args));
}

void SimEngine::runStep(const Step &step)
{
    Events events;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return;
        step(events);
    }
    deliver(events);
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
        logLine(std::string("event ") + e.name);
        std::lock_guard<std::recursive_mutex> lock(m_handlerMutex);
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
    int code = 0;
    if (enter("setLog", {num(level), str(log_path), str(log_file_name), num(max_file_size)}, &code))
        return code;
    {
        std::lock_guard<std::mutex> lock(m_logMutex);
        const std::string name = str(log_file_name).empty() ? "rjsdk" : str(log_file_name);
        m_logPath = str(log_path).empty() ? std::string() : pathJoin(str(log_path), name + ".log");
        m_logMax = max_file_size;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    setUserDataDirLocked(str(log_path));
    return done(kOk);
}

int SimEngine::enableLog(bool enable)
{
    int code = 0;
    if (enter("enableLog", {flag(enable)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_logMutex);
    m_logEnabled = enable;
    return done(kOk);
}

int SimEngine::initialize(const char *config_path, const char *config_file_name)
{
    int code = 0;
    if (enter("initialize", {str(config_path), str(config_file_name)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (str(config_path).empty())
        return done(kBadParameter);
    setUserDataDirLocked(str(config_path));
    m_configPath = pathJoin(str(config_path), str(config_file_name).empty() ? "brondalrc" : str(config_file_name));
    loadConfigLocked();
    return done(kOk);
}

// An operation whose whole effect is to keep one setting: journal it, honour a
// forced result, store the value.
template <typename Store>
int SimEngine::keepSetting(const char *operation, std::vector<std::string> args, Store store)
{
    int code = 0;
    if (enter(operation, std::move(args), &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    store();
    return done(kOk);
}

int SimEngine::setRootCA(const char *path)
{
    return keepSetting("setRootCA", {str(path)}, [&] { m_rootCA = str(path); });
}

int SimEngine::setUserImage(const char *background_file_path, const char *user_image_path)
{
    int code = 0;
    if (enter("setUserImage", {str(background_file_path), str(user_image_path)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_backgroundImage = str(background_file_path);
    m_userImage = str(user_image_path);
    return done(kOk);
}

int SimEngine::enableWhiteBoard(bool enable)
{
    return keepSetting("enableWhiteBoard", {flag(enable)}, [&] { m_whiteboardEnabled = enable; });
}

int SimEngine::setUserAgent(const char *company, const char *version)
{
    int code = 0;
    if (enter("setUserAgent", {str(company), str(version)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_company = str(company);
    m_version = str(version);
    return done(kOk);
}

int SimEngine::release()
{
    int code = 0;
    if (enter("release", {}, &code))
        return code;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
    }
    // Nothing scheduled runs any more; a callback in flight finishes first
    // (unless release is called from inside it).
    m_dispatcher.stop();
    return done(kOk);
}

int SimEngine::enableSecure(bool enable)
{
    return keepSetting("enableSecure", {flag(enable)}, [&] { m_secure = enable; });
}

// ---------------------------------------------------------------------------
// Passwords

std::string SimEngine::encryptPassword(int type, const char *plain, const char *key)
{
    note("encryptPassword", {num(type), str(plain), str(key)});
    const std::string text = str(plain);
    if (type == 2) {
        if (str(key).empty())
            return std::string();
        return "rjs2:" + toBase64(keystreamXor(kStoredMagic + text, str(key)));
    }
    return encryptPassword(type, plain);
}

std::string SimEngine::encryptPassword(int type, const char *plain)
{
    note("encryptPassword", {num(type), str(plain)});
    const std::string text = str(plain);
    switch (type) {
    case 0:
        return "rjp0:" + toBase64(text);
    case 1:
        return "rjp1:" + toBase64(keystreamXor(text, kLoginKey));
    default:
        return std::string();
    }
}

std::string SimEngine::transformPassword(const char *password)
{
    note("transformPassword", {str(password)});
    return "rjt:" + toBase64(keystreamXor(str(password), kChangeKey));
}

std::string SimEngine::descryptPassword(int type, const char *cipher, const char *key, const char *iv)
{
    note("descryptPassword", {num(type), str(cipher), str(key), str(iv)});
    const std::string text = str(cipher);
    std::string data;
    if (type == 2) {
        if (!startsWith(text, "rjs2:") || str(key).empty() || !fromBase64(text.substr(5), &data))
            return std::string();
        const std::string plain = keystreamXor(data, str(key));
        // A wrong key gives noise; the magic tells it apart from a password.
        if (!startsWith(plain, kStoredMagic))
            return std::string();
        return plain.substr(std::string(kStoredMagic).size());
    }
    std::string plain;
    if ((type == 0 || type == 1) && decodeLoginForm(text, &plain))
        return plain;
    return std::string();
}

// ---------------------------------------------------------------------------
// Devices and sound

std::vector<RJDevice> SimEngine::getDevices(RJ_DEVICE_TYPE type)
{
    note("getDevices", {num(int(type))});
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!validDeviceType(type))
        return {};
    return m_devices[type];
}

RJDevice SimEngine::getDevice(RJ_DEVICE_TYPE type)
{
    note("getDevice", {num(int(type))});
    std::lock_guard<std::mutex> lock(m_mutex);
    RJDevice none;
    if (!validDeviceType(type))
        return none;
    none.type = type;
    for (const RJDevice &d : m_devices[type])
        if (d.id == m_currentDevice[type])
            return d;
    return none;
}

int SimEngine::setDevice(RJ_DEVICE_TYPE type, std::uint32_t id)
{
    int code = 0;
    if (enter("setDevice", {num(int(type)), num(id)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!validDeviceType(type))
        return done(kBadParameter);
    for (const RJDevice &d : m_devices[type]) {
        if (d.id == id) {
            m_currentDevice[type] = id;
            saveConfigLocked();
            return done(kOk);
        }
    }
    return done(kBadParameter);
}

int SimEngine::enableMicMeter(bool enable)
{
    return keepSetting("enableMicMeter", {flag(enable)}, [&] { m_micMeter = enable; });
}

int SimEngine::setAudioFile(const char *path)
{
    return keepSetting("setAudioFile", {str(path)}, [&] { m_audioFile = str(path); });
}

float SimEngine::getMicVolume()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_micMeter || !m_mic || m_volume[RJ_DEVICE_MIC].mute)
        return 0.0f;
    // Someone talking: a level between 0 and 1 that moves with real time.
    const double t = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    const double level = 0.35 + 0.3 * std::sin(t * 5.3) + 0.15 * std::sin(t * 13.1);
    return static_cast<float>(std::clamp(level, 0.0, 1.0));
}

int SimEngine::startAudioPlay(int loop)
{
    int code = 0;
    if (enter("startAudioPlay", {num(loop)}, &code))
        return code;
    std::string file;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        file = m_audioFile;
    }
    const long long duration = media::soundDurationMs(file);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (file.empty() || duration < 0)
        return done(kBadParameter);
    m_audioPlaying = true;
    const std::uint64_t token = ++m_audioToken;
    // Mode 1 repeats until stopped (the ringtone); other modes play once.
    if (loop != 1) {
        later(std::max<long long>(duration, 1), [this, token](Events &) {
            if (m_audioToken == token)
                m_audioPlaying = false;
        });
    }
    return done(kOk);
}

int SimEngine::stopAudioPlay()
{
    int code = 0;
    if (enter("stopAudioPlay", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_audioPlaying = false;
    ++m_audioToken;
    return done(kOk);
}

bool SimEngine::isAudioPlaying()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_audioPlaying;
}

int SimEngine::setRenderType(int type)
{
    int code = 0;
    if (enter("setRenderType", {num(type)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (type < 0 || type > 2)
        return done(kBadParameter);
    m_renderType = type;
    saveConfigLocked();
    return done(kOk);
}

int SimEngine::getRenderType()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_renderType;
}

RJVolume SimEngine::getVolume(RJ_DEVICE_TYPE type)
{
    note("getVolume", {num(int(type))});
    std::lock_guard<std::mutex> lock(m_mutex);
    return validDeviceType(type) ? m_volume[type] : RJVolume();
}

int SimEngine::setVolume(RJ_DEVICE_TYPE type, const RJVolume &vol)
{
    int code = 0;
    if (enter("setVolume", {num(int(type)), num(vol.mute), fmt(vol.volume, 3)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!validDeviceType(type) || vol.volume < 0.0f || vol.volume > 3.0f || vol.volume != vol.volume)
        return done(kBadParameter);
    m_volume[type] = vol;
    m_volume[type].mute = vol.mute ? 1 : 0;
    const RJVolume copy = m_volume[type];
    later(0, [type, copy](Events &events) {
        events.push_back({"onVolume", [type, copy](IAVEventHandler &h) { h.onVolume(type, copy); }});
    });
    return done(kOk);
}

// ---------------------------------------------------------------------------
// Video windows and content sources

int SimEngine::setLocalVideoWindow(void *id)
{
    return keepSetting("setLocalVideoWindow", {ptr(id)}, [&] { m_localVideoWindow = id; });
}

int SimEngine::setRemoteVideoWindow(void *id)
{
    return keepSetting("setRemoteVideoWindow", {ptr(id)}, [&] { m_remoteVideoWindow = id; });
}

int SimEngine::setRemoteContentWindow(void *id)
{
    return keepSetting("setRemoteContentWindow", {ptr(id)}, [&] { m_remoteContentWindow = id; });
}

int SimEngine::setLocalContentWindow(void *id, int mode)
{
    int code = 0;
    if (enter("setLocalContentWindow", {ptr(id), num(mode)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_localContentWindow = id;
    m_localContentMode = mode;
    return done(kOk);
}

void SimEngine::refreshScreensLocked()
{
    std::vector<media::Screen> screens;
    if (media::readScreens(&screens))
        m_screens = screens;
    if (m_screens.empty())
        m_screens.push_back(media::Screen{"SIM-1", 0, 0, 1920, 1080});
}

std::vector<RJContentSourceInfo> SimEngine::sourcesLocked() const
{
    std::vector<RJContentSourceInfo> list;
    for (const media::Screen &s : m_screens) {
        RJContentSourceInfo info;
        info.type = 0;
        info.windowTitle = s.name;
        info.keepRatio = true;
        info.captureX = s.x;
        info.captureY = s.y;
        info.captureSize.width = s.width;
        info.captureSize.height = s.height;
        info.valid = true;
        list.push_back(info);
    }
    for (const media::Window &w : media::demoWindows()) {
        RJContentSourceInfo info;
        info.type = 1;
        info.windowTitle = w.title;
        info.windowId = reinterpret_cast<void *>(w.id);
        info.keepRatio = true;
        info.captureSize.width = w.width;
        info.captureSize.height = w.height;
        info.valid = true;
        list.push_back(info);
    }
    return list;
}

std::vector<RJContentSourceInfo> SimEngine::getContentSourceList()
{
    note("getContentSourceList", {});
    std::lock_guard<std::mutex> lock(m_mutex);
    refreshScreensLocked();
    return sourcesLocked();
}

const media::Window *SimEngine::findWindowLocked(const RJContentSourceInfo &info) const
{
    for (const media::Window &w : media::demoWindows())
        if ((info.windowId && reinterpret_cast<std::uintptr_t>(info.windowId) == w.id) || info.windowTitle == w.title)
            return &w;
    return nullptr;
}

int SimEngine::getContentSourceBitmap(const RJContentSourceInfo &info, int bitmapType, int maxWidth, int maxHeight,
                                      RJBitmap &bitmap)
{
    int code = 0;
    if (enter("getContentSourceBitmap",
              {num(info.type), info.windowTitle, ptr(info.windowId), num(bitmapType), num(maxWidth), num(maxHeight)},
              &code))
        return code;
    if (maxWidth <= 0 || maxHeight <= 0 || (bitmapType != 0 && bitmapType != 1))
        return done(kBadParameter);
    int sourceWidth = 0, sourceHeight = 0;
    std::uint32_t seed = seedOf(info.windowTitle);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (info.type == 0) {
            const auto it = std::find_if(m_screens.begin(), m_screens.end(),
                                         [&](const media::Screen &s) { return s.name == info.windowTitle; });
            if (it == m_screens.end() || bitmapType != 0) // screens have no icon
                return done(kBadParameter);
            sourceWidth = it->width;
            sourceHeight = it->height;
        } else if (info.type == 1) {
            const media::Window *w = findWindowLocked(info);
            if (!w)
                return done(kBadParameter);
            sourceWidth = w->width;
            sourceHeight = w->height;
            seed = seedOf(w->title);
        } else {
            return done(kBadParameter);
        }
    }
    int width = 0, height = 0;
    if (bitmapType == 0) {
        media::fitInto(sourceWidth, sourceHeight, maxWidth, maxHeight, &width, &height);
    } else {
        width = height = std::min(maxWidth, maxHeight);
    }
    unsigned char *data = media::renderSourceBitmap(info.type, seed, width, height, bitmapType);
    if (!data)
        return done(kInternal);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bitmaps.insert(data);
    bitmap.width = width;
    bitmap.height = height;
    bitmap.data = data;
    return done(kOk);
}

int SimEngine::releaseContentSourceBitmap(RJBitmap &bitmap)
{
    int code = 0;
    if (enter("releaseContentSourceBitmap", {ptr(bitmap.data), num(bitmap.width), num(bitmap.height)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_bitmaps.find(bitmap.data);
    if (it == m_bitmaps.end())
        return done(kBadParameter); // not lent by this engine, or already returned
    delete[] *it;
    m_bitmaps.erase(it);
    bitmap = RJBitmap();
    return done(kOk);
}

int SimEngine::setLocalContentSource(const RJContentSourceInfo &info)
{
    if (info.frameData) {
        // A captured frame: counted, checked, never journaled (ten a second)
        // and never forced.
        t_forcedZero = false;
        int bytesPerPixel = 0;
        switch (info.pixelFormat) {
        case RJ_PIX_FMT_RGBA:
        case RJ_PIX_FMT_BGRA:
        case RJ_PIX_FMT_ARGB:
            bytesPerPixel = 4;
            break;
        case RJ_PIX_FMT_RGB24:
        case RJ_PIX_FMT_BGR24:
            bytesPerPixel = 3;
            break;
        default:
            return done(kBadParameter);
        }
        const int w = info.captureSize.width, h = info.captureSize.height;
        if (w <= 0 || h <= 0 || w > 16384 || h > 16384 || info.bytesPerLine < w * bytesPerPixel)
            return done(kBadParameter);
        // Read the first and last pixel of every line, as an encoder would
        // read them all: a short buffer shows up here, not later.
        unsigned sum = 0;
        for (int y = 0; y < h; ++y) {
            const unsigned char *line = info.frameData + static_cast<std::size_t>(info.bytesPerLine) * y;
            sum += line[0] + line[w * bytesPerPixel - 1];
        }
        (void)sum;
        SimRuntime::instance().countFrame();
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto now = std::chrono::steady_clock::now();
        m_frameTimes.push_back(now);
        while (!m_frameTimes.empty() && now - m_frameTimes.front() > std::chrono::seconds(2))
            m_frameTimes.pop_front();
        m_source.captureSize = info.captureSize;
        m_haveSource = true;
        return done(kOk);
    }
    int code = 0;
    if (enter("setLocalContentSource",
              {num(info.type), info.windowTitle, ptr(info.windowId), num(info.captureX), num(info.captureY),
               num(info.captureSize.width), num(info.captureSize.height), flag(info.valid)},
              &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (info.type < 0 || info.type > 3)
        return done(kBadParameter);
    if (info.type == 1 && !findWindowLocked(info))
        return done(kBadParameter);
    m_source = info;
    m_source.frameData = nullptr;
    m_haveSource = true;
    return done(kOk);
}

int SimEngine::repaintVideo()
{
    int code = 0;
    if (enter("repaintVideo", {}, &code))
        return code;
    return done(kOk);
}

// ---------------------------------------------------------------------------
// Account

int SimEngine::downloadUserImage(const char *path)
{
    int code = 0;
    if (enter("downloadUserImage", {str(path)}, &code))
        return code;
    const std::string target = str(path);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return done(kNotLoggedIn);
    if (target.empty())
        return done(kBadParameter);
    const std::string user = m_session.user;
    later(300, [this, target, user](Events &events) {
        if (!media::writeAvatar(target, user, m_avatars[user])) {
            const RJError e = makeError(0, "downloadUserImage", kInternal, "cannot write " + target);
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
            return;
        }
        events.push_back({"onDownloadUserImageComplete",
                          [target](IAVEventHandler &h) { h.onDownloadUserImageComplete(target.c_str()); }});
    });
    return done(kOk);
}

int SimEngine::uploadUserImage(const char *path)
{
    int code = 0;
    if (enter("uploadUserImage", {str(path)}, &code))
        return code;
    const std::string source = str(path);
    std::string bytes;
    const bool readable = media::readPicture(source, &bytes);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return done(kNotLoggedIn);
    const std::string user = m_session.user;
    if (!readable) {
        later(300, [source](Events &events) {
            const RJError e = makeError(0, "uploadUserImage", kBadParameter, "not a picture: " + source);
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
        });
        return done(kOk);
    }
    later(800, [this, source, user, bytes](Events &events) {
        m_avatars[user] = bytes;
        events.push_back({"onUploadUserImageComplete",
                          [source](IAVEventHandler &h) { h.onUploadUserImageComplete(source.c_str()); }});
    });
    return done(kOk);
}

int SimEngine::validatePassword(const char *password)
{
    int code = 0;
    if (enter("validatePassword", {str(password)}, &code))
        return code;
    return done(world::passwordFollowsPolicy(str(password)) ? kOk : kPolicyViolation);
}

RJPasswordPolicy SimEngine::getPasswordPolicy()
{
    note("getPasswordPolicy", {});
    RJPasswordPolicy policy;
    policy.minLength = world::kPasswordMinLength;
    policy.maxLength = world::kPasswordMaxLength;
    policy.typeCount = world::kPasswordTypeCount;
    policy.specialChars = world::kPasswordSpecials;
    return policy;
}

int SimEngine::changePassword(const char *old_password, const char *new_password)
{
    int code = 0;
    if (enter("changePassword", {str(old_password), str(new_password)}, &code))
        return code;
    std::string oldPlain, newPlain;
    if (!decodeChangeForm(str(old_password), &oldPlain) || !decodeChangeForm(str(new_password), &newPlain))
        return done(kBadParameter);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return done(kNotLoggedIn);
    if (m_passwords[m_session.user] != oldPlain)
        return done(kWrongOldPassword);
    if (!world::passwordFollowsPolicy(newPlain))
        return done(kPolicyViolation);
    m_passwords[m_session.user] = newPlain;
    m_mustChange[m_session.user] = false;
    m_session.info.mustChangePasswd = false;
    m_session.info.everChangedPasswd = true;
    return done(kOk);
}

int SimEngine::changeDisplayName(const char *display_name)
{
    int code = 0;
    if (enter("changeDisplayName", {str(display_name)}, &code))
        return code;
    const std::string name = str(display_name);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return done(kNotLoggedIn);
    if (name.empty() || name.size() > 64)
        return done(kBadParameter);
    m_displayNames[m_session.user] = name;
    m_session.info.displayName = name;
    return done(kOk);
}

int SimEngine::getUserInfo(RJUserInfo &user)
{
    int code = 0;
    if (enter("getUserInfo", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return done(kNotLoggedIn);
    user = m_session.info;
    return done(kOk);
}

std::string SimEngine::getDisplayName()
{
    note("getDisplayName", {});
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_session.loggedIn ? m_session.info.displayName : m_sipDisplayName;
}

int SimEngine::getRegisterInfo(int type, RJRegisterInfo &info)
{
    int code = 0;
    if (enter("getRegisterInfo", {num(type)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (type == RJ_CALL_TYPE_VIDEO_SERVICE)
        info = m_videoReg;
    else if (type == RJ_CALL_TYPE_SIP)
        info = m_sipReg;
    else
        return done(kBadParameter);
    return done(kOk);
}

// ---------------------------------------------------------------------------
// Media options

int SimEngine::enablePreview(bool enable)
{
    return keepSetting("enablePreview", {flag(enable)}, [&] { m_preview = enable; });
}

int SimEngine::setBandwidth(unsigned int kbps)
{
    int code = 0;
    if (enter("setBandwidth", {num(kbps)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (kbps < 64 || kbps > 20480)
        return done(kBadParameter);
    m_bandwidth = kbps;
    saveConfigLocked();
    return done(kOk);
}

unsigned int SimEngine::getBandwidth()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bandwidth;
}

bool SimEngine::cameraEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_camera;
}

int SimEngine::enableCamera(bool enable)
{
    return keepSetting("enableCamera", {flag(enable)}, [&] { m_camera = enable; });
}

bool SimEngine::micEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mic;
}

int SimEngine::enableMic(bool enable)
{
    int code = 0;
    if (enter("enableMic", {flag(enable)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (enable && m_remoteMuted)
        return done(kRefused); // muted by the conference: ask to speak instead
    m_mic = enable;
    return done(kOk);
}

int SimEngine::requestRemoteUnmute(bool request)
{
    int code = 0;
    if (enter("requestRemoteUnmute", {flag(request)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    return done(m_call.phase == Phase::Connected ? kOk : kNotInConference);
}

bool SimEngine::highFPSEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_highFps;
}

int SimEngine::enableHighFPS(bool enable)
{
    int code = 0;
    if (enter("enableHighFPS", {flag(enable)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_highFps = enable;
    saveConfigLocked();
    return done(kOk);
}

int SimEngine::enableHD(bool enable)
{
    int code = 0;
    if (enter("enableHD", {flag(enable)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hd = enable;
    saveConfigLocked();
    return done(kOk);
}

bool SimEngine::HDEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hd;
}

int SimEngine::getStats(RJStats &stats)
{
    int code = 0;
    if (enter("getStats", {}, &code))
        return code;
    stats.count = 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Connected)
        return done(kOk);
    const double seconds = std::max<std::int64_t>(0, m_dispatcher.worldNow() - m_call.connectedAt) / 1000.0;
    auto add = [&](RJ_STREAM_TYPE type, int direction, const char *codec, double rate, double fps, int w, int h) {
        if (stats.count >= RJ_MAX_STREAM_STATS)
            return;
        RJStreamStats &s = stats.streams[stats.count++];
        s = RJStreamStats();
        s.streamType = type;
        s.direction = direction;
        s.codec = codec;
        s.lineRate = static_cast<float>(rate);
        s.actualLineRate = static_cast<float>(rate * (0.92 + 0.05 * std::sin(seconds)));
        s.jitter = 3 + static_cast<int>(seconds) % 4;
        s.delay = 18 + static_cast<int>(seconds) % 7;
        s.frameRate = static_cast<float>(fps);
        s.width = w;
        s.height = h;
        s.packetsLost = static_cast<std::uint64_t>(seconds / 7.0) * (direction == 1 ? 1 : 0);
        s.packetLossRate = direction == 1 ? 0.1f : 0.0f;
        s.encrypted = m_secure;
    };
    const bool audioOnly = m_call.info.isAudioOnly;
    const double videoRate = std::max(64.0, m_bandwidth * 0.45);
    const int vw = m_hd ? 1920 : 1280, vh = m_hd ? 1080 : 720;
    const double vfps = m_highFps ? 60.0 : 30.0;
    add(RJ_STREAM_AUDIO, 1, "OPUS", 64, 0, 0, 0);
    add(RJ_STREAM_AUDIO, 0, "OPUS", 64, 0, 0, 0);
    if (!audioOnly) {
        add(RJ_STREAM_VIDEO, 1, "H.264", videoRate, vfps, vw, vh);
        if (m_call.video && m_camera)
            add(RJ_STREAM_VIDEO, 0, "H.264", videoRate, vfps, vw, vh);
    }
    switch (m_call.content) {
    case ContentState::ReceivingContent:
    case ContentState::ReceivingWhiteboard:
        add(RJ_STREAM_CONTENT, 1, "H.264", std::max(64.0, m_bandwidth * 0.4), 5, 1920, 1080);
        break;
    case ContentState::SendingContent:
    case ContentState::SendingWhiteboard: {
        const auto now = std::chrono::steady_clock::now();
        const auto recent = std::count_if(m_frameTimes.begin(), m_frameTimes.end(), [&](const auto &t) {
            return now - t <= std::chrono::seconds(1);
        });
        const int w = m_source.captureSize.width > 0 ? m_source.captureSize.width : 1920;
        const int h = m_source.captureSize.height > 0 ? m_source.captureSize.height : 1080;
        add(RJ_STREAM_CONTENT, 0, "H.264", std::max(64.0, m_bandwidth * 0.4), double(recent), w, h);
        break;
    }
    case ContentState::None:
        break;
    }
    return done(kOk);
}

int SimEngine::enableNoiseSuppression(int level)
{
    return keepSetting("enableNoiseSuppression", {num(level)}, [&] { m_noiseLevel = level; });
}

rj::engine::RJContentInfo SimEngine::contentInfoLocked(bool enabled, int dir, int type) const
{
    RJContentInfo ci;
    ci.enabled = enabled;
    ci.dir = dir;
    ci.type = type;
    ci.status = enabled ? 1 : 0;
    ci.isBigConference = m_call.info.isBigConference;
    ci.isRemoteMuted = m_remoteMuted;
    if (dir == 0) {
        ci.senderName = m_session.loggedIn ? m_session.info.displayName : m_sipDisplayName;
        ci.senderDeviceId = m_session.loggedIn ? m_session.info.deviceId : 0;
    } else {
        ci.senderName = m_call.contentSender;
        ci.senderDeviceId = m_call.contentSenderId;
    }
    return ci;
}

int SimEngine::sendContent()
{
    int code = 0;
    if (enter("sendContent", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Connected)
        return done(kNotInConference);
    if (!m_contentAllowed || !m_call.info.contentEnabled)
        return done(kRefused);
    if (!m_haveSource)
        return done(kBadParameter);
    Events now;
    if (m_call.content == ContentState::ReceivingContent || m_call.content == ContentState::ReceivingWhiteboard)
        remoteContentLocked(false, false, std::string(), now); // sending takes the floor
    else if (m_call.content == ContentState::SendingWhiteboard)
        stopSendingLocked(now);
    m_call.content = ContentState::SendingContent;
    m_call.hadContent = true;
    const RJContentInfo ci = contentInfoLocked(true, 0, 2);
    now.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
    const std::uint64_t id = m_call.id;
    later(kContentEventDelayMs, [this, id, now](Events &events) {
        if (m_call.id == id)
            events.insert(events.end(), now.begin(), now.end());
    });
    return done(kOk);
}

int SimEngine::sendWhiteBoard()
{
    int code = 0;
    if (enter("sendWhiteBoard", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Connected)
        return done(kNotInConference);
    if (!m_whiteboardEnabled || !m_call.info.contentEnabled)
        return done(kRefused);
    Events now;
    if (m_call.content == ContentState::ReceivingContent || m_call.content == ContentState::ReceivingWhiteboard)
        remoteContentLocked(false, false, std::string(), now);
    else if (m_call.content == ContentState::SendingContent)
        stopSendingLocked(now);
    m_call.content = ContentState::SendingWhiteboard;
    m_call.hadContent = true;
    const RJContentInfo ci = contentInfoLocked(true, 0, 3);
    now.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
    const std::uint64_t id = m_call.id;
    later(kContentEventDelayMs, [this, id, now](Events &events) {
        if (m_call.id == id)
            events.insert(events.end(), now.begin(), now.end());
    });
    return done(kOk);
}

void SimEngine::stopSendingLocked(Events &events)
{
    int type = 0;
    if (m_call.content == ContentState::SendingContent)
        type = 2;
    else if (m_call.content == ContentState::SendingWhiteboard)
        type = 3;
    else
        return;
    m_call.content = ContentState::None;
    const RJContentInfo ci = contentInfoLocked(false, 0, type);
    events.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
}

int SimEngine::stopContent()
{
    int code = 0;
    if (enter("stopContent", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    Events now;
    stopSendingLocked(now);
    if (!now.empty()) {
        const std::uint64_t id = m_call.id;
        later(kContentEventDelayMs, [this, id, now](Events &events) {
            if (m_call.id == id)
                events.insert(events.end(), now.begin(), now.end());
        });
    }
    return done(kOk);
}

int SimEngine::enableContentAudio(bool enable)
{
    return keepSetting("enableContentAudio", {flag(enable)}, [&] { m_contentAudio = enable; });
}

bool SimEngine::contentAudioEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_contentAudio;
}

int SimEngine::enableContentHighFPS(bool enable)
{
    return keepSetting("enableContentHighFPS", {flag(enable)}, [&] { m_contentHighFps = enable; });
}

int SimEngine::enableContent(bool enable)
{
    int code = 0;
    if (enter("enableContent", {flag(enable)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_contentAllowed = enable;
    saveConfigLocked();
    return done(kOk);
}

bool SimEngine::contentEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_contentAllowed;
}

int SimEngine::enableHardDecoder(int streamKind, int codec, int mode)
{
    return keepSetting("enableHardDecoder", {num(streamKind), num(codec), num(mode)}, [&] { m_hardDecoder[{streamKind, codec}] = mode; });
}

int SimEngine::enableHardEncoder(int streamKind, int codec, int mode)
{
    return keepSetting("enableHardEncoder", {num(streamKind), num(codec), num(mode)}, [&] { m_hardEncoder[{streamKind, codec}] = mode; });
}

// ---------------------------------------------------------------------------
// Feedback

namespace {

// "scheme://host[:port]/path" or "host[:port]"; false when no host is given.
bool parseAddress(const std::string &address, std::string *host, unsigned int *port)
{
    std::string rest = address;
    unsigned int defaultPort = 80;
    const auto scheme = rest.find("://");
    if (scheme != std::string::npos) {
        if (rest.compare(0, scheme, "https") == 0)
            defaultPort = 443;
        rest = rest.substr(scheme + 3);
    }
    rest = rest.substr(0, rest.find('/'));
    const auto colon = rest.rfind(':');
    *port = defaultPort;
    if (colon != std::string::npos && rest.find(']') == std::string::npos) {
        int p = 0;
        if (!toInt(rest.substr(colon + 1), &p) || p <= 0 || p > 65535)
            return false;
        *port = static_cast<unsigned int>(p);
        rest = rest.substr(0, colon);
    }
    *host = rest;
    return !rest.empty();
}

bool readableFile(const std::string &path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

} // namespace

int SimEngine::uploadFeedbackfile(const std::vector<std::string> &files, const char *contact, const char *description)
{
    return uploadFeedbackFilesWithAddress(files, contact, description, nullptr);
}

int SimEngine::uploadFeedbackFilesWithAddress(const std::vector<std::string> &files, const char *contact,
                                              const char *description, const char *address)
{
    std::vector<std::string> args;
    std::string fileList;
    for (const std::string &f : files)
        fileList += (fileList.empty() ? "" : ";") + f;
    args = {fileList, str(contact), str(description)};
    if (address)
        args.push_back(str(address));
    int code = 0;
    const char *operation = address ? "uploadFeedbackFilesWithAddress" : "uploadFeedbackfile";
    // The client waits for the outcome event only, so every refusal sends one.
    auto fail = [this](int result, int event) {
        later(100, [event](Events &events) {
            events.push_back({"onUploadFeedback", [event](IAVEventHandler &h) { h.onUploadFeedback(event); }});
        });
        return result;
    };
    if (enter(operation, std::move(args), &code))
        return fail(code, -std::abs(code));
    if (files.empty())
        return done(fail(kBadParameter, -1));
    bool allReadable = true;
    for (const std::string &f : files)
        allReadable = allReadable && readableFile(f);
    if (!allReadable)
        return fail(kOk, -1);
    if (address && *address) {
        std::string host;
        unsigned int port = 0;
        if (!parseAddress(str(address), &host, &port))
            return fail(kOk, -3);
        if (!forcedZero() && probeServer(host, port, world::kProbeTimeoutMs) != Reach::Connected)
            return fail(kOk, -2);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::uint64_t upload = ++m_feedbackCounter;
    (void)upload;
    int step = 0;
    for (int progress : {10, 35, 60, 85, 100}) {
        later(150 * ++step, [progress](Events &events) {
            events.push_back(
                {"onUploadFeedback", [progress](IAVEventHandler &h) { h.onUploadFeedback(progress); }});
        });
    }
    return done(kOk);
}

// ---------------------------------------------------------------------------
// Diagnosis

std::string SimEngine::callDurationText(std::int64_t ms) const
{
    const std::int64_t s = std::max<std::int64_t>(0, ms / 1000);
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>((s / 60) % 60), static_cast<long long>(s % 60));
    return buffer;
}

RJDiag SimEngine::getDiag()
{
    note("getDiag", {});
    std::lock_guard<std::mutex> lock(m_mutex);
    RJDiag d;
    const std::string host = m_session.loggedIn ? m_session.server + ":" + num(m_session.port) : m_loginHost;
    switch (m_loginOutcome) {
    case LoginOutcome::None:
        break;
    case LoginOutcome::Normal:
        d.loginItem = {host, 1, "logged in"};
        d.dnsItem = {m_loginHost, 1, "resolved"};
        break;
    case LoginOutcome::Unreachable:
        d.loginItem = {m_loginHost, 4, "connection timed out or refused"};
        d.dnsItem = {m_loginHost, 1, "resolved"};
        d.advice = 2;
        d.adviceParam = m_loginHost;
        break;
    case LoginOutcome::Unresolved:
        d.loginItem = {m_loginHost, 4, "name not resolved"};
        d.dnsItem = {m_loginHost, 5, "not resolved"};
        d.advice = 1;
        d.adviceParam = m_loginHost;
        break;
    case LoginOutcome::Failed:
        d.loginItem = {m_loginHost, 5, "login refused"};
        d.dnsItem = {m_loginHost, 1, "resolved"};
        break;
    }
    if (m_registerStatus != 0)
        d.registerItem = {m_registerServer, m_registerStatus, m_registerStatus == 1 ? "registered" : "failed"};

    // The running call, else the last one.
    LastCall c = m_lastCall;
    if (m_call.phase == Phase::Connected) {
        c.exists = true;
        c.failed = false;
        c.audioOnly = m_call.info.isAudioOnly;
        c.hadContent = m_call.hadContent;
        c.number = m_call.info.conference_number;
        c.peer = m_call.info.peer;
        c.durationMs = m_dispatcher.worldNow() - m_call.connectedAt;
    }
    if (c.exists) {
        RJDiagCall &call = d.call;
        call.callItem = {c.number, c.failed ? 5 : 1, c.failed ? "call failed" : "call connected"};
        call.number = c.number;
        call.peer = c.peer;
        call.duration = callDurationText(c.durationMs);
        call.startTime = "";
        call.protocol = m_secure ? "SIP/TLS" : "SIP/TCP";
        if (!c.failed) {
            const std::string rate = num(m_bandwidth) + " kbps";
            call.downloadRate = {"download", "call rate", {rate, 1, ""}};
            call.uploadRate = {"upload", "call rate", {rate, 1, ""}};
            auto media = [](const char *desc, const char *codec, int quality) {
                RJDiagMedia m;
                m.description = desc;
                m.codec = codec;
                m.quality = {quality == 1 ? "good" : "fair", quality, ""};
                m.packetLost = {"0.1%", 1, ""};
                m.jitter = {"4 ms", 1, ""};
                return m;
            };
            call.audio.download = media("Opus 48 kHz", "OPUS", 1);
            call.audio.upload = media("Opus 48 kHz", "OPUS", 1);
            call.audio.delay = {"22 ms", 1, ""};
            if (!c.audioOnly) {
                call.video.download = media(m_hd ? "1920x1080 30 fps" : "1280x720 30 fps", "H.264", 1);
                call.video.upload = media(m_hd ? "1920x1080 30 fps" : "1280x720 30 fps", "H.264", 2);
                call.video.delay = {"35 ms", 1, ""};
            }
            if (c.hadContent) {
                call.content.download = media("1920x1080 5 fps", "H.264", 1);
                call.content.upload = media("1920x1080 5 fps", "H.264", 1);
                call.content.delay = {"40 ms", 1, ""};
            }
        }
    }
    return d;
}

std::string SimEngine::getDiagString()
{
    const RJDiag d = getDiag();
    note("getDiagString", {});
    std::ostringstream out;
    auto item = [&out](const char *label, const RJDiagItem &i) {
        out << label << ": " << (i.value.empty() ? "-" : i.value) << " status " << i.status;
        if (!i.detail.empty())
            out << " (" << i.detail << ")";
        out << "\n";
    };
    item("login", d.loginItem);
    item("dns", d.dnsItem);
    item("register", d.registerItem);
    item("call", d.call.callItem);
    if (d.call.callItem.status != 0) {
        out << "call number: " << d.call.number << "\ncall peer: " << d.call.peer
            << "\ncall duration: " << d.call.duration << "\ncall protocol: " << d.call.protocol << "\n";
        item("download rate", d.call.downloadRate.rateItem);
        item("upload rate", d.call.uploadRate.rateItem);
        item("audio in", d.call.audio.download.quality);
        item("audio out", d.call.audio.upload.quality);
        item("video in", d.call.video.download.quality);
        item("video out", d.call.video.upload.quality);
        item("content in", d.call.content.download.quality);
        item("content out", d.call.content.upload.quality);
    }
    out << "advice: " << d.advice;
    if (!d.adviceParam.empty())
        out << " (" << d.adviceParam << ")";
    out << "\n";
    return out.str();
}

// ---------------------------------------------------------------------------
// Handlers

int SimEngine::registerEventHandler(IAVEventHandler *handler)
{
    int code = 0;
    if (enter("registerEventHandler", {ptr(handler)}, &code))
        return code;
    if (!handler)
        return done(kBadParameter);
    std::lock_guard<std::recursive_mutex> lock(m_handlerMutex);
    m_handler = handler;
    return done(kOk);
}

int SimEngine::unregisterEventHandler(IAVEventHandler *handler)
{
    int code = 0;
    if (enter("unregisterEventHandler", {ptr(handler)}, &code))
        return code;
    // Waits for a callback in flight on another thread; from inside a
    // callback the lock is already ours.
    std::lock_guard<std::recursive_mutex> lock(m_handlerMutex);
    if (!handler || handler != m_handler)
        return done(kBadParameter);
    m_handler = nullptr;
    return done(kOk);
}

// ---------------------------------------------------------------------------
// Server, login, registration

int SimEngine::getFeature(const char *server, unsigned int port, AVFeature &feature)
{
    int code = 0;
    const bool forced = enter("getFeature", {str(server), num(port)}, &code);
    const std::string host = str(server);
    auto failWith = [this, &host](int result, LoginOutcome outcome, const std::string &msg) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_loginHost = host;
        if (outcome != LoginOutcome::None)
            m_loginOutcome = outcome;
        later(0, [result, msg](Events &events) {
            const RJError e = makeError(0, "getFeature", result, msg);
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
        });
        return result;
    };
    if (forced && code != kOk && code != kFeatureAlternateOk)
        return done(failWith(code, LoginOutcome::None, "forced result"));
    const Reach reach = (forced || forcedZero()) ? Reach::Connected : probeServer(host, port, world::kProbeTimeoutMs);
    if (reach == Reach::Unresolved)
        return done(failWith(kUnresolved, LoginOutcome::Unresolved, "cannot resolve " + host));
    if (reach == Reach::Unreachable)
        return done(failWith(kUnreachable, LoginOutcome::Unreachable, "cannot reach " + host + ":" + num(port)));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_loginHost = host;
    }
    feature.clear();
    feature.appServerType = portIsRoz(port) ? "ROZ" : "ZOV";
    feature.version = world::kServerVersion;
    feature.apiEnabled = true;
    feature.passwordEncryptionWithAES = false;
    feature.enableChangePassword = true;
    return forced ? code : done(kOk);
}

int SimEngine::avlogin(const char *server, unsigned int port, const char *username, const char *password)
{
    int code = 0;
    const bool forced = enter("avlogin", {str(server), num(port), str(username), str(password)}, &code);
    const std::string host = str(server);
    const std::string user = str(username);
    const std::string cipher = str(password);
    if (forced && code != kOk) {
        later(0, [code](Events &events) {
            const RJError e = makeError(0, "avlogin", code, "forced result");
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
        });
        return code;
    }
    // The login connects to the server as the feature query did (this runs
    // on the caller's thread, a pool thread in the client).
    const Reach reach = forcedZero() ? Reach::Connected : probeServer(host, port, world::kProbeTimeoutMs);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_released)
        return done(kNotInitialized);
    const std::uint64_t generation = ++m_loginGeneration;
    m_loginHost = host;
    if (reach != Reach::Connected) {
        const int result = reach == Reach::Unresolved ? kUnresolved : kUnreachable;
        const LoginOutcome outcome = reach == Reach::Unresolved ? LoginOutcome::Unresolved : LoginOutcome::Unreachable;
        later(300, [this, generation, result, outcome, host](Events &events) {
            if (generation != m_loginGeneration)
                return;
            m_loginOutcome = outcome;
            const RJError e = makeError(0, "avlogin", result, "cannot reach " + host);
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
        });
        return done(kOk);
    }
    later(400, [this, generation, host, port, user, cipher](Events &events) {
        if (generation != m_loginGeneration)
            return;
        std::string plain;
        const world::Account *account = world::findAccount(user);
        int refusal = 0;
        if (!account || !decodeLoginForm(cipher, &plain) || plain != m_passwords[user])
            refusal = world::kBadCredentials;
        else if (account->refusal)
            refusal = account->refusal;
        if (refusal) {
            m_loginOutcome = LoginOutcome::Failed;
            const RJError e = makeError(4, "avlogin", refusal,
                                        refusal == world::kBadCredentials ? "invalid username or password"
                                                                          : "account is locked");
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
            return;
        }
        const bool roz = portIsRoz(port);
        RJUserInfo info;
        info.userId = account->userId;
        info.username = account->user;
        info.displayName = m_displayNames.count(user) ? m_displayNames[user] : account->displayName;
        info.org = "Glimora Demo";
        info.orgPortAllocMode = "shared";
        info.orgPortCount = 100;
        info.email = account->email;
        info.deviceId = 800000 + account->userId;
        info.dept = account->dept;
        info.mustChangePasswd = m_mustChange[user];
        info.everChangedPasswd = !info.mustChangePasswd;
        info.token = "sim-" + user + "-" + num(++m_tokenCounter);
        info.serverTime = static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                         std::chrono::system_clock::now().time_since_epoch())
                                                         .count());
        info.callNumber = account->callNumber;
        info.appServerType = roz ? "ROZ" : "ZOV";
        info.urlSuffixForMobile = roz ? "/mobile" : "";
        info.urlSuffixForPC = roz ? world::kUrlSuffixRoz : "";
        info.contactWebPage = roz;
        info.p2pCall = true;
        info.switchingToAudioConference = true;
        info.sitenameIsChangeable = true;
        info.vmr = account->vmr;
        info.sipUserName = account->callNumber;
        m_session.loggedIn = true;
        m_session.user = user;
        m_session.info = info;
        m_session.server = host;
        m_session.port = port;
        m_loginOutcome = LoginOutcome::Normal;
        events.push_back({"onLoginSucceed", [info](IAVEventHandler &h) { h.onLoginSucceed(info); }});
        later(200, [this, generation, host](Events &next) {
            if (generation != m_loginGeneration || !m_session.loggedIn)
                return;
            m_videoReg.state = RJ_REGISTER_STATE_REGISTERED;
            m_videoReg.externalServer = host;
            m_videoReg.internalServer = host;
            m_videoReg.useInternalServer = false;
            m_videoReg.transProtocol = m_secure ? 2 : 1;
            m_registerServer = host;
            m_registerStatus = 1;
            const RJRegisterInfo reg = m_videoReg;
            next.push_back({"onRegisterInfo", [reg](IAVEventHandler &h) { h.onRegisterInfo(reg); }});
        });
    });
    return done(kOk);
}

int SimEngine::avlogout()
{
    int code = 0;
    if (enter("avlogout", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_loginGeneration; // a login still under way no longer completes
    if (!m_session.loggedIn)
        return done(kOk);
    m_session = Session();
    m_videoReg.clear();
    m_videoReg.type = RJ_CALL_TYPE_VIDEO_SERVICE;
    const RJRegisterInfo reg = m_videoReg;
    later(100, [reg](Events &events) {
        events.push_back({"onRegisterInfo", [reg](IAVEventHandler &h) { h.onRegisterInfo(reg); }});
    });
    return done(kOk);
}

int SimEngine::registerSIPServer(const char *domain, const char *displayName, const char *username,
                                 const char *password, const char *protocol)
{
    int code = 0;
    const bool forced = enter("registerSIPServer",
                              {str(domain), str(displayName), str(username), str(password), str(protocol)}, &code);
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::uint64_t generation = ++m_sipGeneration;
    m_sipReg.clear();
    m_sipReg.type = RJ_CALL_TYPE_SIP;
    m_sipReg.transProtocol = protocolCode(str(protocol));
    const std::string server = str(domain);
    const bool wrong = forced ? code != kOk : (!server.empty() && str(password) == "wrong");
    const int errorCode = forced ? code : kSipWrongPassword;
    m_sipReg.state = RJ_REGISTER_STATE_REGISTERING;
    m_sipDisplayName = str(displayName);
    later(500, [this, generation, server, wrong, errorCode](Events &events) {
        if (generation != m_sipGeneration || m_sipReg.state != RJ_REGISTER_STATE_REGISTERING)
            return;
        m_registerServer = server.empty() ? "anonymous" : server;
        if (wrong) {
            m_sipReg.state = RJ_REGISTER_STATE_FAILED;
            m_registerStatus = 5;
            const RJError e = makeError(4, "registerSIPServer", errorCode, "registration refused");
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
        } else {
            m_sipReg.state = RJ_REGISTER_STATE_REGISTERED;
            m_sipReg.externalServer = server;
            m_registerStatus = 1;
        }
        const RJRegisterInfo reg = m_sipReg;
        events.push_back({"onRegisterInfo", [reg](IAVEventHandler &h) { h.onRegisterInfo(reg); }});
    });
    return forced ? code : done(kOk);
}

int SimEngine::unregisterSIPServer()
{
    int code = 0;
    if (enter("unregisterSIPServer", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_sipReg.state != RJ_REGISTER_STATE_REGISTERED && m_sipReg.state != RJ_REGISTER_STATE_REGISTERING)
        return done(kOk);
    ++m_sipGeneration;
    m_sipReg.clear();
    m_sipReg.type = RJ_CALL_TYPE_SIP;
    const RJRegisterInfo reg = m_sipReg;
    later(100, [reg](Events &events) {
        events.push_back({"onRegisterInfo", [reg](IAVEventHandler &h) { h.onRegisterInfo(reg); }});
    });
    return done(kOk);
}

// ---------------------------------------------------------------------------
// Calls

bool SimEngine::callIs(std::uint64_t id, Phase phase) const
{
    return m_call.id == id && m_call.phase == phase;
}

void SimEngine::endCallLocked(std::uint64_t id, const RJError *error, Events &events)
{
    if (m_call.id != id || m_call.phase == Phase::None)
        return; // already ended: one end per call
    if (m_call.content != ContentState::None) {
        const bool sending =
            m_call.content == ContentState::SendingContent || m_call.content == ContentState::SendingWhiteboard;
        const bool board =
            m_call.content == ContentState::SendingWhiteboard || m_call.content == ContentState::ReceivingWhiteboard;
        const RJContentInfo ci = contentInfoLocked(false, sending ? 0 : 1, board ? 3 : 2);
        events.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
    }
    RJCallInfo info = m_call.info;
    if (error) {
        info.err = *error;
        const RJError e = *error;
        events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
    }
    events.push_back({"onCallEnd", [info](IAVEventHandler &h) { h.onCallEnd(info); }});

    m_lastCall.exists = true;
    m_lastCall.failed = m_call.connectedAt < 0 && error != nullptr;
    m_lastCall.audioOnly = m_call.info.isAudioOnly;
    m_lastCall.hadContent = m_call.hadContent;
    m_lastCall.number = m_call.info.conference_number;
    m_lastCall.peer = m_call.info.peer;
    m_lastCall.durationMs = m_call.connectedAt < 0 ? 0 : m_dispatcher.worldNow() - m_call.connectedAt;
    m_lastCall.startedAt = m_call.startedAt;
    m_call = Call();
    m_remoteMuted = false;
    m_haveSource = false;
}

void SimEngine::connectCallLocked(std::uint64_t id, Events &events)
{
    if (m_call.id != id)
        return;
    m_call.phase = Phase::Connected;
    m_call.connectedAt = m_dispatcher.worldNow();
    const RJCallInfo info = m_call.info;
    events.push_back({"onCallConnected", [info](IAVEventHandler &h) { h.onCallConnected(info); }});

    if (m_call.person || !m_call.outgoing) {
        const int delay = m_call.outgoing ? world::kPeerConnectDelayMs : 200;
        later(delay, [this, id](Events &next) {
            if (!callIs(id, Phase::Connected) || m_call.peerConnected)
                return;
            m_call.peerConnected = true;
            const RJCallInfo peer = m_call.info;
            next.push_back({"onCallPeerConnected", [peer](IAVEventHandler &h) { h.onCallPeerConnected(peer); }});
        });
    }
    if (m_call.meeting && (m_call.meeting->kind == world::MeetingKind::RemoteContent
                           || m_call.meeting->kind == world::MeetingKind::RemoteWhiteboard)) {
        const bool board = m_call.meeting->kind == world::MeetingKind::RemoteWhiteboard;
        const std::string sharer = m_call.meeting->sharer;
        later(world::kRemoteShareDelayMs, [this, id, board, sharer](Events &next) {
            if (!callIs(id, Phase::Connected))
                return;
            remoteContentLocked(true, board, sharer, next);
            if (board)
                return;
            later(world::kRemoteContentDurationMs, [this, id, sharer](Events &last) {
                if (callIs(id, Phase::Connected) && m_call.content == ContentState::ReceivingContent
                    && m_call.contentSender == sharer)
                    remoteContentLocked(false, false, sharer, last);
            });
        });
    }
    startQualityLocked(id, events);
}

void SimEngine::startQualityLocked(std::uint64_t id, Events &events)
{
    if (!callIs(id, Phase::Connected))
        return;
    const std::uint64_t tick = m_call.qualityTick++;
    float q = m_call.quality;
    if (!m_call.qualityForced) {
        q = 4.0f + static_cast<float>((tick * 7 + 3) % 11) / 10.0f; // 4.0 to 5.0
        m_call.quality = q;
    }
    events.push_back({"onNetworkQuality", [q](IAVEventHandler &h) { h.onNetworkQuality(q); }});
    // At scale 0 a periodic report would spin; one report at connect (and on
    // "quality") is what tests get.
    if (m_dispatcher.timeScale() > 0.0)
        later(kQualityPeriodMs, [this, id](Events &next) { startQualityLocked(id, next); });
}

void SimEngine::remoteContentLocked(bool start, bool whiteboard, const std::string &sender, Events &events)
{
    const bool receiving =
        m_call.content == ContentState::ReceivingContent || m_call.content == ContentState::ReceivingWhiteboard;
    if (receiving) {
        const RJContentInfo ci =
            contentInfoLocked(false, 1, m_call.content == ContentState::ReceivingWhiteboard ? 3 : 2);
        m_call.content = ContentState::None;
        events.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
    }
    if (!start)
        return;
    stopSendingLocked(events); // someone else takes the floor
    m_call.content = whiteboard ? ContentState::ReceivingWhiteboard : ContentState::ReceivingContent;
    m_call.contentSender = sender;
    const world::Person *person = world::findPersonByName(sender);
    m_call.contentSenderId = person ? person->deviceId : 700000 + seedOf(sender) % 100000;
    m_call.hadContent = true;
    const RJContentInfo ci = contentInfoLocked(true, 1, whiteboard ? 3 : 2);
    events.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
}

int SimEngine::dialOut(const char *number, bool enable_video)
{
    int code = 0;
    if (enter("dialOut", {str(number), flag(enable_video)}, &code))
        return code;
    const std::string dial = str(number);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_released)
        return done(kNotInitialized);
    if (m_call.phase != Phase::None)
        return done(kRefused); // one call at a time
    if (dial.empty())
        return done(kBadParameter);

    // number[*password][@server]
    const auto star = dial.find('*');
    const auto at = dial.rfind('@');
    std::string plainNumber = dial.substr(0, std::min(star, at));
    std::string password;
    if (star != std::string::npos)
        password = dial.substr(star + 1, at == std::string::npos || at < star ? std::string::npos : at - star - 1);
    const std::string server = at == std::string::npos ? std::string() : dial.substr(at + 1);
    if (plainNumber.empty())
        return done(kBadParameter);

    Call call;
    call.id = ++m_nextCallId;
    call.phase = Phase::Dialing;
    call.outgoing = true;
    call.video = enable_video;
    call.startedAt = m_dispatcher.worldNow();
    call.info.conference_number = plainNumber;
    call.info.password = password;
    call.meeting = world::findMeeting(plainNumber);
    call.person = call.meeting ? nullptr : world::findPerson(plainNumber);
    if (call.meeting) {
        call.info.peer = call.meeting->name;
        call.info.isAudioOnly = call.meeting->kind == world::MeetingKind::AudioOnly;
        call.info.isBigConference = call.meeting->big;
    } else if (call.person) {
        call.info.peer = call.person->name;
        call.info.isAudioOnly = call.person->kind == world::PersonKind::AnswersAudio;
        call.info.svcCallType = 1;
    } else {
        call.info.peer = plainNumber;
    }
    m_call = call;
    const std::uint64_t id = call.id;

    auto endAfter = [this, id](int delay, RJError error) {
        later(delay, [this, id, error](Events &events) {
            if (callIs(id, Phase::Dialing))
                endCallLocked(id, &error, events);
        });
    };
    auto connectAfter = [this, id](int delay) {
        later(delay, [this, id](Events &events) {
            if (callIs(id, Phase::Dialing))
                connectCallLocked(id, events);
        });
    };

    const bool registered = (m_session.loggedIn && m_videoReg.state == RJ_REGISTER_STATE_REGISTERED)
                            || m_sipReg.state == RJ_REGISTER_STATE_REGISTERED
                            || m_sipReg.state == RJ_REGISTER_STATE_REGISTERING;
    if (!registered && server.empty()) {
        endAfter(300, makeError(0, "onCallEnd", kNotLoggedIn, "not registered"));
        return done(kOk);
    }
    if (!server.empty() && isReservedInvalidName(server)) {
        endAfter(300, makeError(0, "onCallEnd", kUnresolved, "cannot resolve " + server));
        return done(kOk);
    }
    if (const world::Meeting *m = call.meeting) {
        const std::string required = m->password;
        if (m->kind == world::MeetingKind::NotActive) {
            endAfter(m->connectDelayMs, makeError(4, "onCallEnd", world::kMeetingNotActive, "meeting not active"));
        } else if (!required.empty() && password.empty()) {
            endAfter(500, makeError(4, "onCallEnd", world::kMeetingPasswordRequired, "password required"));
        } else if (!required.empty() && password != required) {
            endAfter(500, makeError(4, "onCallEnd", world::kMeetingWrongPassword, "wrong meeting password"));
        } else if (m->kind == world::MeetingKind::Queue) {
            for (int waiting = 3; waiting >= 1; --waiting) {
                later(500 + (3 - waiting) * 1000, [this, id, waiting](Events &events) {
                    if (callIs(id, Phase::Dialing))
                        events.push_back(
                            {"onWaitQueue", [waiting](IAVEventHandler &h) { h.onWaitQueue(waiting); }});
                });
            }
            connectAfter(3500);
        } else {
            connectAfter(m->connectDelayMs);
        }
    } else if (const world::Person *p = call.person) {
        switch (p->kind) {
        case world::PersonKind::Answers:
        case world::PersonKind::AnswersAudio:
            connectAfter(world::kAnswerDelayMs);
            break;
        case world::PersonKind::Busy:
            endAfter(world::kAnswerDelayMs, makeError(0, "onCallEnd", world::kBusyCode, "busy"));
            break;
        case world::PersonKind::NoAnswer:
            endAfter(world::kNoAnswerAfterMs, makeError(0, "onCallEnd", world::kNoAnswerCode, "no answer"));
            break;
        }
    } else {
        endAfter(600, makeError(4, "onCallEnd", world::kMeetingNotActive, "unknown number"));
    }
    return done(kOk);
}

int SimEngine::acceptCall(bool enable_video)
{
    int code = 0;
    if (enter("acceptCall", {flag(enable_video)}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Incoming)
        return done(kNotInConference);
    m_call.phase = Phase::Answering;
    m_call.video = enable_video;
    const std::uint64_t id = m_call.id;
    later(300, [this, id](Events &events) {
        if (callIs(id, Phase::Answering))
            connectCallLocked(id, events);
    });
    return done(kOk);
}

int SimEngine::hangUp()
{
    int code = 0;
    if (enter("hangUp", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase == Phase::None)
        return done(kNotInConference);
    if (m_call.phase == Phase::Ending)
        return done(kOk);
    m_call.phase = Phase::Ending;
    const std::uint64_t id = m_call.id;
    later(kHangUpDelayMs, [this, id](Events &events) { endCallLocked(id, nullptr, events); });
    return done(kOk);
}

int SimEngine::declineCall()
{
    int code = 0;
    if (enter("declineCall", {}, &code))
        return code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Incoming)
        return done(kNotInConference);
    m_call.phase = Phase::Ending;
    const std::uint64_t id = m_call.id;
    later(kHangUpDelayMs, [this, id](Events &events) { endCallLocked(id, nullptr, events); });
    return done(kOk);
}

bool SimEngine::conferenceControllable()
{
    note("conferenceControllable", {});
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_call.phase == Phase::Connected && m_call.meeting && m_session.loggedIn
           && m_session.user == m_call.meeting->owner;
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

// ---------------------------------------------------------------------------
// Control commands

void SimEngine::setUserDataDirLocked(const std::string &dir)
{
    if (dir.empty() || dir == m_userDataDir)
        return;
    m_userDataDir = dir;
    m_controlPath = pathJoin(dir, "rjsim.ctl");
    // Only lines appended from now on count.
    struct stat st;
    m_controlOffset = (::stat(m_controlPath.c_str(), &st) == 0) ? static_cast<long long>(st.st_size) : 0;
    m_controlPending.clear();
}

void SimEngine::pollControlFile()
{
    std::string path;
    long long offset = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return;
        path = m_controlPath;
        offset = m_controlOffset;
    }
    std::vector<std::string> lines;
    if (!path.empty()) {
        struct stat st;
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            const long long size = static_cast<long long>(st.st_size);
            if (size < offset)
                offset = 0; // rewritten from scratch
            std::string chunk;
            if (size > offset) {
                std::ifstream in(path, std::ios::binary);
                in.seekg(offset);
                chunk.resize(static_cast<std::size_t>(size - offset));
                in.read(&chunk[0], static_cast<std::streamsize>(chunk.size()));
                chunk.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
            }
            std::lock_guard<std::mutex> lock(m_mutex);
            if (path == m_controlPath) {
                m_controlOffset = offset + static_cast<long long>(chunk.size());
                m_controlPending += chunk;
                std::string::size_type nl;
                while ((nl = m_controlPending.find('\n')) != std::string::npos) {
                    lines.push_back(m_controlPending.substr(0, nl));
                    m_controlPending.erase(0, nl + 1);
                }
            }
        }
    }
    for (std::string &line : lines) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const int rc = command(line);
        if (rc != 0)
            qWarning("rjsim: control file: cannot run \"%s\" (%d)", line.c_str(), rc);
        else
            qInfo("rjsim: control file: %s", line.c_str());
    }
    m_dispatcher.postAmbient(kControlPollMs, [this] { pollControlFile(); });
}

struct SimEngine::Parsed {
    enum Kind {
        Incoming, RemoteEnd, Content, Warn, MicMuted, VideoMuted, MuteSpeaking, Quality, Device, Kick, Error
    } kind;
    std::string text;   // name, sender, action, device name
    std::string number; // incoming number
    std::string message;
    bool on = false; // audio, start, add
    bool whiteboard = false;
    int value = 0; // codes, type, device kind
    int code = 0;
    float level = 0;
};

int runResultCommand(const std::vector<std::string> &t); // SimControl.cpp

int SimEngine::command(const std::string &line)
{
    const std::vector<std::string> t = tokens(line);
    if (t.empty())
        return -1;
    const std::string &verb = t[0];
    if (verb == "result")
        return runResultCommand(t);
    Parsed p{};
    if (verb == "incoming") {
        std::vector<std::string> rest(t.begin() + 1, t.end());
        if (!rest.empty() && rest.back() == "audio") {
            p.on = true;
            rest.pop_back();
        }
        if (rest.size() < 2)
            return -1;
        p.kind = Parsed::Incoming;
        p.number = rest.back();
        rest.pop_back();
        p.text = joinFrom(rest, 0);
    } else if (verb == "remote-end") {
        if (t.size() != 2 || !toInt(t[1], &p.code))
            return -1;
        p.kind = Parsed::RemoteEnd;
    } else if (verb == "content") {
        if (t.size() < 2 || (t[1] != "start" && t[1] != "stop"))
            return -1;
        p.kind = Parsed::Content;
        p.on = t[1] == "start";
        std::size_t i = 2;
        if (i < t.size() && t[i] == "whiteboard") {
            p.whiteboard = true;
            ++i;
        }
        p.text = joinFrom(t, i);
        if (p.on && p.text.empty())
            return -1;
    } else if (verb == "warn") {
        if (t.size() < 2 || !toInt(t[1], &p.code))
            return -1;
        p.kind = Parsed::Warn;
        p.message = t.size() > 2 ? joinFrom(t, 2) : "simulated warning " + t[1];
    } else if (verb == "mic-muted" || verb == "video-muted") {
        if (t.size() != 2 || (t[1] != "0" && t[1] != "1"))
            return -1;
        p.kind = verb == "mic-muted" ? Parsed::MicMuted : Parsed::VideoMuted;
        p.on = t[1] == "1";
    } else if (verb == "mute-speaking") {
        if (t.size() != 1)
            return -1;
        p.kind = Parsed::MuteSpeaking;
    } else if (verb == "quality") {
        if (t.size() != 2 || !toFloat(t[1], &p.level))
            return -1;
        p.kind = Parsed::Quality;
    } else if (verb == "device") {
        if (t.size() < 4 || (t[1] != "add" && t[1] != "remove"))
            return -1;
        p.kind = Parsed::Device;
        p.on = t[1] == "add";
        if (t[2] == "mic")
            p.value = RJ_DEVICE_MIC;
        else if (t[2] == "speaker")
            p.value = RJ_DEVICE_SPEAKER;
        else if (t[2] == "camera")
            p.value = RJ_DEVICE_CAMERA;
        else
            return -1;
        p.text = joinFrom(t, 3);
    } else if (verb == "kick") {
        if (t.size() != 1)
            return -1;
        p.kind = Parsed::Kick;
    } else if (verb == "error") {
        if (t.size() < 4 || !toInt(t[1], &p.value) || !toInt(t[3], &p.code))
            return -1;
        p.kind = Parsed::Error;
        p.text = t[2];
        p.message = joinFrom(t, 4);
    } else {
        return -1;
    }
    note("command", {line});
    runParsed(p);
    return 0;
}

void SimEngine::runParsed(const Parsed &p)
{
    later(0, [this, p](Events &events) {
        switch (p.kind) {
        case Parsed::Incoming: {
            if (m_call.phase != Phase::None) {
                qWarning("rjsim: incoming call ignored: a call is active");
                return;
            }
            Call call;
            call.id = ++m_nextCallId;
            call.phase = Phase::Incoming;
            call.outgoing = false;
            call.startedAt = m_dispatcher.worldNow();
            call.info.peer = p.text;
            call.info.conference_number = p.number;
            call.info.isAudioOnly = p.on;
            call.info.svcCallType = 1;
            call.person = world::findPerson(p.number);
            m_call = call;
            const RJCallInfo info = call.info;
            events.push_back({"onCallIncoming", [info](IAVEventHandler &h) { h.onCallIncoming(info); }});
            const std::uint64_t id = call.id;
            laterForUser(kIncomingTimeoutMs, [this, id](Events &next) {
                if (callIs(id, Phase::Incoming))
                    endCallLocked(id, nullptr, next); // the caller gave up
            });
            break;
        }
        case Parsed::RemoteEnd: {
            if (m_call.phase == Phase::None) {
                qWarning("rjsim: remote-end ignored: no call");
                return;
            }
            if (p.code != 0) {
                const RJError e = makeError(3, "onCallEnd", p.code, "ended by the remote side");
                endCallLocked(m_call.id, &e, events);
            } else {
                endCallLocked(m_call.id, nullptr, events);
            }
            break;
        }
        case Parsed::Content:
            if (m_call.phase != Phase::Connected) {
                qWarning("rjsim: content ignored: no connected call");
                return;
            }
            if (!p.on && !p.text.empty() && p.text != m_call.contentSender)
                return;
            remoteContentLocked(p.on, p.whiteboard, p.text, events);
            break;
        case Parsed::Warn: {
            RJWarn w;
            w.code = p.code;
            w.msg = p.message;
            events.push_back({"onWarn", [w](IAVEventHandler &h) { h.onWarn(w); }});
            break;
        }
        case Parsed::MicMuted: {
            m_remoteMuted = p.on;
            m_mic = !p.on;
            if (m_call.phase != Phase::None) {
                m_call.info.isRemoteMuted = p.on;
                const RJCallInfo info = m_call.info;
                events.push_back({"onCallState", [info](IAVEventHandler &h) { h.onCallState(info); }});
            }
            const int muted = p.on ? 1 : 0;
            events.push_back({"onMicMutedShow", [muted](IAVEventHandler &h) { h.onMicMutedShow(muted); }});
            break;
        }
        case Parsed::VideoMuted: {
            m_camera = !p.on;
            const int muted = p.on ? 1 : 0;
            events.push_back({"onVideoMutedShow", [muted](IAVEventHandler &h) { h.onVideoMutedShow(muted); }});
            break;
        }
        case Parsed::MuteSpeaking:
            events.push_back({"onMuteSpeakingDetected", [](IAVEventHandler &h) { h.onMuteSpeakingDetected(); }});
            break;
        case Parsed::Quality: {
            const float q = p.level;
            if (m_call.phase == Phase::Connected) {
                m_call.quality = q;
                m_call.qualityForced = true;
            }
            events.push_back({"onNetworkQuality", [q](IAVEventHandler &h) { h.onNetworkQuality(q); }});
            break;
        }
        case Parsed::Device: {
            auto &list = m_devices[p.value];
            const auto type = static_cast<RJ_DEVICE_TYPE>(p.value);
            if (p.on) {
                std::uint32_t id = 0;
                for (const RJDevice &d : list)
                    id = std::max(id, d.id + 1);
                RJDevice d;
                d.id = id;
                d.type = type;
                d.name = p.text;
                d.desc = std::string("simulated ") + deviceKindName(p.value);
                list.push_back(d);
                events.push_back({"onDeviceAdded", [d](IAVEventHandler &h) { h.onDeviceAdded(d); }});
                break;
            }
            auto it = std::find_if(list.begin(), list.end(), [&](const RJDevice &d) { return d.name == p.text; });
            if (it == list.end()) {
                qWarning("rjsim: no %s named \"%s\"", deviceKindName(p.value), p.text.c_str());
                return;
            }
            const RJDevice removed = *it;
            list.erase(it);
            events.push_back({"onDeviceRemoved", [removed](IAVEventHandler &h) { h.onDeviceRemoved(removed); }});
            if (removed.id == m_currentDevice[p.value]) {
                RJDevice current;
                current.type = type;
                if (!list.empty())
                    current = list.front();
                m_currentDevice[p.value] = current.id;
                events.push_back(
                    {"onCurrentDeviceChanged", [current](IAVEventHandler &h) { h.onCurrentDeviceChanged(current); }});
            }
            break;
        }
        case Parsed::Kick: {
            // Signed in elsewhere: the registration is taken away, the session
            // ends; a running call goes on.
            if (!m_session.loggedIn) {
                qWarning("rjsim: kick ignored: not logged in");
                return;
            }
            RJRegisterInfo kicked = m_videoReg;
            kicked.type = RJ_CALL_TYPE_VIDEO_SERVICE;
            kicked.state = RJ_REGISTER_STATE_KICKED;
            m_session = Session();
            ++m_loginGeneration;
            m_videoReg.clear();
            m_videoReg.type = RJ_CALL_TYPE_VIDEO_SERVICE;
            const RJRegisterInfo cleared = m_videoReg;
            events.push_back({"onRegisterInfo", [kicked](IAVEventHandler &h) { h.onRegisterInfo(kicked); }});
            events.push_back({"onRegisterInfo", [cleared](IAVEventHandler &h) { h.onRegisterInfo(cleared); }});
            break;
        }
        case Parsed::Error: {
            const RJError e = makeError(p.value, p.text, p.code, p.message);
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
            break;
        }
        }
    });
}

} // namespace rjsim
