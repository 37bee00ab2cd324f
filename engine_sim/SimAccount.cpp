// Servers, login, the account's own data, video and SIP registration.

#include "SimEngine.h"

#include "SimNet.h"
#include "SimRuntime.h"
#include "SimServerSync.h"
#include "SimSupport.h"

#include <cctype>
#include <chrono>
#include <cstdlib>

using namespace rj::engine;

namespace rjsim {

namespace {

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

// A change for the server a session is signed in to.
ProfileChange profileChangeOf(const std::string &server, unsigned int port, bool secure, const RJUserInfo &info,
                              ProfileChange::Kind kind, const std::string &value)
{
    ProfileChange change;
    change.kind = kind;
    change.host = server;
    change.port = port;
    change.secure = secure;
    change.token = info.token;
    change.userId = info.userId;
    change.value = value;
    return change;
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

} // namespace

// ---------------------------------------------------------------------------
// Account

int SimEngine::downloadUserImage(const char *path)
{
    const Forced forced = enter("downloadUserImage", {str(path)});
    if (forced.refused)
        return forced.code;
    const std::string target = str(path);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return forced.done(kNotLoggedIn);
    if (target.empty())
        return forced.done(kBadParameter);
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
    return forced.done(kOk);
}

int SimEngine::uploadUserImage(const char *path)
{
    const Forced forced = enter("uploadUserImage", {str(path)});
    if (forced.refused)
        return forced.code;
    const std::string source = str(path);
    std::string bytes;
    const bool readable = media::readPicture(source, &bytes);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return forced.done(kNotLoggedIn);
    const std::string user = m_session.user;
    const ProfileChange change = profileChangeOf(m_session.server, m_session.port, m_session.secure, m_session.info,
                                                 ProfileChange::Kind::Picture, bytes);
    if (!readable) {
        later(300, [source](Events &events) {
            const RJError e = makeError(0, "uploadUserImage", kBadParameter, "not a picture: " + source);
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
        });
        return forced.done(kOk);
    }
    later(800, [this, source, user, bytes, change](Events &events) {
        m_avatars[user] = bytes;
        forwardProfileChange(change);
        events.push_back({"onUploadUserImageComplete",
                          [source](IAVEventHandler &h) { h.onUploadUserImageComplete(source.c_str()); }});
    });
    return forced.done(kOk);
}

int SimEngine::changeDisplayName(const char *display_name)
{
    const Forced forced = enter("changeDisplayName", {str(display_name)});
    if (forced.refused)
        return forced.code;
    const std::string name = str(display_name);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return forced.done(kNotLoggedIn);
    if (name.empty() || name.size() > 64)
        return forced.done(kBadParameter);
    m_displayNames[m_session.user] = name;
    m_session.info.displayName = name;
    forwardProfileChange(profileChangeOf(m_session.server, m_session.port, m_session.secure, m_session.info,
                                         ProfileChange::Kind::DisplayName, name));
    return forced.done(kOk);
}

int SimEngine::getUserInfo(RJUserInfo &user)
{
    const Forced forced = enter("getUserInfo", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return forced.done(kNotLoggedIn);
    user = m_session.info;
    return forced.done(kOk);
}

std::string SimEngine::getDisplayName()
{
    note("getDisplayName", {});
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_session.loggedIn ? m_session.info.displayName : m_sipDisplayName;
}

int SimEngine::getRegisterInfo(int type, RJRegisterInfo &info)
{
    const Forced forced = enter("getRegisterInfo", {num(type)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (type == RJ_CALL_TYPE_VIDEO_SERVICE)
        info = m_videoReg;
    else if (type == RJ_CALL_TYPE_SIP)
        info = m_sipReg;
    else
        return forced.done(kBadParameter);
    return forced.done(kOk);
}

// ---------------------------------------------------------------------------
// Server, login, registration

Reach SimEngine::askSignInServer(const std::string &host, unsigned int port)
{
    bool secure = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        secure = m_secure;
    }
    // Without the lock: the answer may take the whole time-out.
    return askServer(host, port, secure, SimRuntime::instance().serverTimeoutMs());
}

int SimEngine::getFeature(const char *server, unsigned int port, AVFeature &feature)
{
    const Forced forced = enter("getFeature", {str(server), num(port)});
    const std::string host = str(server);
    auto failWith = [this, &host](int result, LoginOutcome outcome, const std::string &msg) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_loginHost = host;
        if (outcome != LoginOutcome::None)
            m_loginOutcome = outcome;
        const RJError e = makeError(0, "getFeature", result, msg);
        reportLocked({{"onError", [e](IAVEventHandler &h) { h.onError(e); }}});
        return result;
    };
    if (forced.refused && forced.code != kFeatureAlternateOk)
        return failWith(forced.code, LoginOutcome::None, "forced result");
    const Reach reach = (forced.refused || forced.zero) ? Reach::Connected : askSignInServer(host, port);
    if (reach == Reach::Unresolved)
        return forced.done(failWith(kUnresolved, LoginOutcome::Unresolved, "cannot resolve " + host));
    if (reach == Reach::Unreachable)
        return forced.done(failWith(kUnreachable, LoginOutcome::Unreachable, "cannot reach " + host + ":" + num(port)));
    bool aes = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_loginHost = host;
        aes = m_featureAes;
    }
    feature.clear();
    feature.appServerType = portIsRoz(port) ? "ROZ" : "ZOV";
    feature.version = world::kServerVersion;
    feature.apiEnabled = true;
    feature.passwordEncryptionWithAES = aes;
    feature.enableChangePassword = true;
    return forced.refused ? forced.code : forced.done(kOk);
}

int SimEngine::avlogin(const char *server, unsigned int port, const char *username, const char *password)
{
    const Forced forced = enter("avlogin", {str(server), num(port), str(username), str(password)});
    const std::string host = str(server);
    const std::string user = str(username);
    const std::string cipher = str(password);
    if (forced.refused) {
        const RJError e = makeError(0, "avlogin", forced.code, "forced result");
        std::lock_guard<std::mutex> lock(m_mutex);
        reportLocked({{"onError", [e](IAVEventHandler &h) { h.onError(e); }}});
        return forced.code;
    }
    // The login asks the server as the feature query did (this runs on the
    // caller's thread, a pool thread in the client).
    const Reach reach = forced.zero ? Reach::Connected : askSignInServer(host, port);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_released)
        return forced.done(kNotInitialized);
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
        return forced.done(kOk);
    }
    later(400, [this, generation, host, port, user, cipher](Events &events) {
        if (generation != m_loginGeneration)
            return;
        std::string plain;
        const world::Account *account = world::findAccount(user);
        int refusal = 0;
        // A server that asks for the AES form takes no other.
        const bool formAccepted = !m_featureAes || cipher.compare(0, 5, "rjp1:") == 0;
        if (!account || !formAccepted || !decodeLoginForm(cipher, &plain) || plain != m_passwords[user])
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
        m_session.secure = m_secure;
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
    return forced.done(kOk);
}

int SimEngine::avlogout()
{
    const Forced forced = enter("avlogout", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_loginGeneration; // a login still under way no longer completes
    if (!m_session.loggedIn)
        return forced.done(kOk);
    m_session = Session();
    m_videoReg.clear();
    m_videoReg.type = RJ_CALL_TYPE_VIDEO_SERVICE;
    const RJRegisterInfo reg = m_videoReg;
    reportLocked({{"onRegisterInfo", [reg](IAVEventHandler &h) { h.onRegisterInfo(reg); }}}, 100);
    return forced.done(kOk);
}

int SimEngine::registerSIPServer(const char *domain, const char *displayName, const char *username,
                                 const char *password, const char *protocol)
{
    const Forced forced = enter("registerSIPServer",
                                {str(domain), str(displayName), str(username), str(password), str(protocol)});
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::uint64_t generation = ++m_sipGeneration;
    m_sipReg.clear();
    m_sipReg.type = RJ_CALL_TYPE_SIP;
    m_sipReg.transProtocol = protocolCode(str(protocol));
    const std::string server = str(domain);
    const bool wrong = forced.refused || (!server.empty() && str(password) == "wrong");
    const int errorCode = forced.refused ? forced.code : kSipWrongPassword;
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
    return forced.refused ? forced.code : forced.done(kOk);
}

int SimEngine::unregisterSIPServer()
{
    const Forced forced = enter("unregisterSIPServer", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_sipReg.state != RJ_REGISTER_STATE_REGISTERED && m_sipReg.state != RJ_REGISTER_STATE_REGISTERING)
        return forced.done(kOk);
    ++m_sipGeneration;
    m_sipReg.clear();
    m_sipReg.type = RJ_CALL_TYPE_SIP;
    const RJRegisterInfo reg = m_sipReg;
    reportLocked({{"onRegisterInfo", [reg](IAVEventHandler &h) { h.onRegisterInfo(reg); }}}, 100);
    return forced.done(kOk);
}

} // namespace rjsim
