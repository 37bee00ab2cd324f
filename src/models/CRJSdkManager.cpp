#include "models/CRJSdkManager.h"

#include "helpers/LogMacros.h"
#include "models/CRJSdkEventObserver.h"
#include "models/LogMasking.h"

#include <QByteArray>
#include <QDebug>
#include <QThreadPool>

namespace rj_app {
namespace models {

std::atomic<CRJSdkManager *> CRJSdkManager::s_instance{nullptr};

namespace {

CRJSdkManager::EngineCreator g_engineCreator = nullptr;
CRJSdkManager::EngineDeleter g_engineDeleter = nullptr;

void *windowHandle(WId id)
{
    return reinterpret_cast<void *>(id);
}

QDebug streamSource(QDebug dbg, const rj::engine::RJContentSourceInfo &info)
{
    dbg << "type:" << info.type << ", windowTitle:" << info.windowTitle.c_str() << ", windowId"
        << info.windowId << ", keepRatio:" << info.keepRatio << ", captureX:" << info.captureX
        << ", captureY:" << info.captureY << ", captureSize:" << info.captureSize.width
        << info.captureSize.height << ", valid:" << info.valid;
    return dbg;
}

// Stream style: "Failed, rst:" on failure, then "done".
bool streamResult(const char *function, int line, int rst)
{
    if (rst != 0)
        qWarning() << function << line << "Failed, rst:" << rst;
    qInfo() << function << line << "done";
    return rst == 0;
}

// Stream-style completion with a formatted failure text ("Failed to <op>, rst: %d").
bool namedResult(const char *function, int line, const char *operation, int rst)
{
    if (rst != 0)
        qWarning("Failed to %s, rst: %d", operation, rst);
    qInfo() << function << line << "done";
    return rst == 0;
}

// Formatted style on both lines.
bool formattedResult(const char *operation, int rst)
{
    if (rst != 0)
        qWarning("Failed to %s, rst: %d", operation, rst);
    qInfo("%s done", operation);
    return rst == 0;
}

} // namespace

#define RJ_STREAM_RESULT(rst) streamResult(RJ_FUNCTION, __LINE__, (rst))
#define RJ_NAMED_RESULT(op, rst) namedResult(RJ_FUNCTION, __LINE__, (op), (rst))
#define RJ_REQUIRE_ENGINE(result)             \
    do {                                      \
        if (!hasEngine(RJ_FUNCTION))          \
            return result;                    \
    } while (false)

// ---------------------------------------------------------------------------
// Lifecycle

void CRJSdkManager::initInstance()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    if (s_instance.load())
        return;
    auto *instance = new CRJSdkManager();
    instance->createRJEngine();
    s_instance.store(instance);
}

void CRJSdkManager::releaseInstance()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    if (!s_instance.load())
        return;
    // Pool tasks (the login task, feedback uploads, the controllability probe)
    // hold the facade while they call the engine: the engine must outlive them.
    QThreadPool::globalInstance()->waitForDone();
    CRJSdkManager *instance = s_instance.exchange(nullptr);
    delete instance;
}

CRJSdkManager *CRJSdkManager::getInstance()
{
    return s_instance.load();
}

void CRJSdkManager::setEngineFunctions(EngineCreator creator, EngineDeleter deleter)
{
    g_engineCreator = creator;
    g_engineDeleter = deleter;
}

CRJSdkManager::CRJSdkManager()
    : QObject(nullptr)
{
    qInfo() << RJ_FUNCTION << __LINE__;
}

void CRJSdkManager::registerMetaTypes()
{
    qRegisterMetaType<std::string>("std::string");
    qRegisterMetaType<rj::engine::RJError>("rj::engine::RJError");
    qRegisterMetaType<rj::engine::RJWarn>("rj::engine::RJWarn");
    qRegisterMetaType<rj::engine::RJUserInfo>("rj::engine::RJUserInfo");
    qRegisterMetaType<rj::engine::RJCallInfo>("rj::engine::RJCallInfo");
    qRegisterMetaType<rj::engine::RJContentInfo>("rj::engine::RJContentInfo");
    qRegisterMetaType<rj::engine::RJWhiteBoardInfo>("rj::engine::RJWhiteBoardInfo");
    qRegisterMetaType<rj::engine::RJRegisterInfo>("rj::engine::RJRegisterInfo");
    qRegisterMetaType<rj::engine::RJ_DEVICE_TYPE>("rj::engine::RJ_DEVICE_TYPE");
    qRegisterMetaType<rj::engine::RJVolume>("rj::engine::RJVolume");
    qRegisterMetaType<rj::engine::RJDevice>("rj::engine::RJDevice");
    // Without it eventContentSourceStatusChange could not be queued.
    qRegisterMetaType<rj::engine::RJVideoSize>("rj::engine::RJVideoSize");
}

void CRJSdkManager::createRJEngine()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    registerMetaTypes();

    m_pEventObserver = new CRJSdkEventObserver();

    // Queued even when the engine happens to call back on the GUI thread:
    // receivers must never run inside an engine call or a facade call.
    const char *const forwards[] = {
        SIGNAL(eventError(rj::engine::RJError)),
        SIGNAL(eventWarn(rj::engine::RJWarn)),
        SIGNAL(eventLoginSucceed(rj::engine::RJUserInfo)),
        SIGNAL(eventRegisterInfo(rj::engine::RJRegisterInfo)),
        SIGNAL(eventDownloadUserImageComplete(std::string)),
        SIGNAL(eventUploadUserImageComplete(std::string)),
        SIGNAL(eventNetworkState(bool)),
        SIGNAL(eventNetworkQuality(float)),
        SIGNAL(eventCallConnected(rj::engine::RJCallInfo)),
        SIGNAL(eventCallState(rj::engine::RJCallInfo)),
        SIGNAL(eventCallPeerConnected(rj::engine::RJCallInfo)),
        SIGNAL(eventCallEnd(rj::engine::RJCallInfo)),
        SIGNAL(eventContent(rj::engine::RJContentInfo)),
        SIGNAL(eventMuteSpeakingDetected()),
        SIGNAL(eventMicMutedShow(bool)),
        SIGNAL(eventWaitQueue(int)),
        SIGNAL(eventUploadFeedback(int)),
        SIGNAL(eventContentSourceStatusChange(rj::engine::RJVideoSize, int, int, bool, bool)),
        SIGNAL(eventSIPRegister(bool)),
        SIGNAL(eventSIPForceClear()),
        SIGNAL(eventCallIncoming(rj::engine::RJCallInfo)),
        SIGNAL(eventVolume(rj::engine::RJ_DEVICE_TYPE, rj::engine::RJVolume)),
        SIGNAL(eventDeviceAdded(rj::engine::RJDevice)),
        SIGNAL(eventDeviceRemoved(rj::engine::RJDevice)),
        SIGNAL(eventCurrentDeviceChanged(rj::engine::RJDevice)),
        SIGNAL(eventVideoMutedShow(int)),
    };
    // Direct: the observer has already handed each event over into this
    // thread (a queued forward would copy the records across threads again).
    for (const char *signal : forwards) {
        if (!connect(m_pEventObserver, signal, this, signal, Qt::DirectConnection))
            qWarning() << RJ_FUNCTION << __LINE__ << "cannot forward" << (signal + 1);
    }

    const EngineCreator creator = g_engineCreator ? g_engineCreator : &createAVEngine;
    m_engineDeleter = g_engineDeleter ? g_engineDeleter : &deleteAVEngine;
    m_pAVEngine = creator();
    if (!m_pAVEngine) {
        // The facade still exists (callers do not check it); every operation
        // then reports failure instead of reaching the engine.
        qWarning() << RJ_FUNCTION << __LINE__ << "createAVEngine failed";
        return;
    }
    m_pAVEngine->registerEventHandler(m_pEventObserver);
}

CRJSdkManager::~CRJSdkManager()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    if (m_pAVEngine) {
        qInfo() << RJ_FUNCTION << __LINE__ << "invoke release and unregisterEventHandler";
        m_pAVEngine->release();
        m_pAVEngine->unregisterEventHandler(m_pEventObserver);
        m_engineDeleter(m_pAVEngine);
        m_pAVEngine = nullptr;
    }
    delete m_pEventObserver;
    m_pEventObserver = nullptr;
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

bool CRJSdkManager::hasEngine(const char *function) const
{
    if (m_pAVEngine)
        return true;
    qWarning() << function << "m_pAVEngine is nullptr";
    return false;
}

// ---------------------------------------------------------------------------
// Set-up

void CRJSdkManager::setLog(int level, const char *log_path, const char *log_file_name,
                           unsigned int max_file_size)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "level:" << level << ", log_path:" << log_path
            << ", log_file_name:" << log_file_name << ", max_file_size:" << max_file_size;
    RJ_REQUIRE_ENGINE();
    m_pAVEngine->setLog(level, log_path, log_file_name, max_file_size);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkManager::enableLog(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << enable;
    RJ_REQUIRE_ENGINE();
    m_pAVEngine->enableLog(enable);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

bool CRJSdkManager::initialize(const char *config_path, const char *config_file_name)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "config_path:" << config_path
            << ", config_file_name:" << config_file_name;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->initialize(config_path, config_file_name));
}

bool CRJSdkManager::setRootCA(const char *path)
{
    qInfo() << RJ_FUNCTION << __LINE__ << path;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->setRootCA(path));
}

bool CRJSdkManager::setUserImage(const char *background_file_path, const char *user_image_path)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "background_file_path:" << background_file_path
            << ", user_image_path:" << user_image_path;
    RJ_REQUIRE_ENGINE(false);
    return RJ_NAMED_RESULT("setUserImage",
                           m_pAVEngine->setUserImage(background_file_path, user_image_path));
}

bool CRJSdkManager::enableWhiteBoard(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << enable;
    RJ_REQUIRE_ENGINE(false);
    return RJ_NAMED_RESULT("enableWhiteBoard", m_pAVEngine->enableWhiteBoard(enable));
}

bool CRJSdkManager::setUserAgent(const char *company, const char *version)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "company:" << company << ", version:" << version;
    RJ_REQUIRE_ENGINE(false);
    return RJ_NAMED_RESULT("setUserAgent", m_pAVEngine->setUserAgent(company, version));
}

bool CRJSdkManager::enableSecure(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << enable;
    RJ_REQUIRE_ENGINE(false);
    return RJ_NAMED_RESULT("enableSecure", m_pAVEngine->enableSecure(enable));
}

// ---------------------------------------------------------------------------
// Passwords (neither plain texts nor the engine's forms are logged)

std::string CRJSdkManager::encryptPassword(int type, const char *plain, const char *key)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "type:" << type << ", key:" << key;
    RJ_REQUIRE_ENGINE(std::string());
    std::string result = m_pAVEngine->encryptPassword(type, plain, key);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
    return result;
}

std::string CRJSdkManager::encryptPassword(int type, const char *plain)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "type:" << type;
    RJ_REQUIRE_ENGINE(std::string());
    std::string result = m_pAVEngine->encryptPassword(type, plain);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
    return result;
}

std::string CRJSdkManager::descryptPassword(int type, const char *cipher, const char *key,
                                            const char *iv)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "type:" << type << ", key:" << key << ", iv:" << iv;
    RJ_REQUIRE_ENGINE(std::string());
    std::string result = m_pAVEngine->descryptPassword(type, cipher, key, iv);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
    return result;
}

// ---------------------------------------------------------------------------
// Devices and sound

std::vector<rj::engine::RJDevice> CRJSdkManager::getDevices(rj::engine::RJ_DEVICE_TYPE type)
{
    qInfo("CRJSdkManager::getDevices, type: %d", int(type));
    RJ_REQUIRE_ENGINE({});
    std::vector<rj::engine::RJDevice> devices = m_pAVEngine->getDevices(type);
    qInfo("getDevices done");
    return devices;
}

rj::engine::RJDevice CRJSdkManager::getDevice(rj::engine::RJ_DEVICE_TYPE type)
{
    qInfo("CRJSdkManager::getDevice, type: %d", int(type));
    RJ_REQUIRE_ENGINE(rj::engine::RJDevice());
    rj::engine::RJDevice device = m_pAVEngine->getDevice(type);
    qInfo("getDevice done");
    return device;
}

void CRJSdkManager::setDevice(rj::engine::RJ_DEVICE_TYPE type, unsigned int id)
{
    qInfo("CRJSdkManager::setDevice, type: %d, id: %ud", int(type), id);
    RJ_REQUIRE_ENGINE();
    m_pAVEngine->setDevice(type, id);
    qInfo("setDevice done");
}

bool CRJSdkManager::enableMicMeter(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << enable;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->enableMicMeter(enable));
}

bool CRJSdkManager::setAudioFile(const QString &path)
{
    qInfo() << RJ_FUNCTION << __LINE__ << path;
    RJ_REQUIRE_ENGINE(false);
    const QByteArray localPath = path.toLocal8Bit();
    return RJ_STREAM_RESULT(m_pAVEngine->setAudioFile(localPath.constData()));
}

float CRJSdkManager::getMicVolume()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(0.0f);
    const float volume = m_pAVEngine->getMicVolume();
    qInfo() << RJ_FUNCTION << __LINE__ << "done:" << volume;
    return volume;
}

bool CRJSdkManager::startAudioPlay(int loop)
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->startAudioPlay(loop));
}

bool CRJSdkManager::stopAudioPlay()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->stopAudioPlay());
}

bool CRJSdkManager::isAudioPlaying()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    const bool playing = m_pAVEngine->isAudioPlaying();
    qInfo() << RJ_FUNCTION << __LINE__ << "done" << playing;
    return playing;
}

bool CRJSdkManager::setRenderType(int type)
{
    qInfo() << RJ_FUNCTION << __LINE__ << type;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->setRenderType(type));
}

int CRJSdkManager::getRenderType()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(0);
    const int type = m_pAVEngine->getRenderType();
    qInfo() << RJ_FUNCTION << __LINE__ << "done, type:" << type;
    return type;
}

rj::engine::RJVolume CRJSdkManager::getVolume(rj::engine::RJ_DEVICE_TYPE type)
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(rj::engine::RJVolume());
    const rj::engine::RJVolume vol = m_pAVEngine->getVolume(type);
    qInfo() << RJ_FUNCTION << __LINE__ << "mute, volume:" << vol.mute << vol.volume;
    return vol;
}

bool CRJSdkManager::setVolume(rj::engine::RJ_DEVICE_TYPE type, const rj::engine::RJVolume &vol)
{
    qInfo() << RJ_FUNCTION << __LINE__ << int(type) << vol.mute << vol.volume;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->setVolume(type, vol));
}

// ---------------------------------------------------------------------------
// Video windows and content

bool CRJSdkManager::setLocalVideoWindow(WId id)
{
    qInfo("CRJSdkManager::setLocalVideoWindow, id: %p", windowHandle(id));
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("setLocalVideoWindow", m_pAVEngine->setLocalVideoWindow(windowHandle(id)));
}

bool CRJSdkManager::setRemoteVideoWindow(WId id)
{
    qInfo() << RJ_FUNCTION << __LINE__ << windowHandle(id);
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->setRemoteVideoWindow(windowHandle(id)));
}

bool CRJSdkManager::setRemoteContentWindow(WId id)
{
    qInfo("CRJSdkManager::setRemoteContentWindow, id: %p", windowHandle(id));
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("setRemoteContentWindow",
                           m_pAVEngine->setRemoteContentWindow(windowHandle(id)));
}

bool CRJSdkManager::setLocalContentWindow(WId id, int mode)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "id:" << windowHandle(id) << ", mode:" << mode;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->setLocalContentWindow(windowHandle(id), mode));
}

std::vector<rj::engine::RJContentSourceInfo> CRJSdkManager::getContentSourceList()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE({});
    std::vector<rj::engine::RJContentSourceInfo> sources = m_pAVEngine->getContentSourceList();
    for (std::size_t i = 0; i < sources.size(); ++i)
        streamSource(qInfo() << RJ_FUNCTION << __LINE__ << "ContentSourceInfo" << i, sources[i]);
    qInfo() << RJ_FUNCTION << __LINE__ << "done, size" << sources.size();
    return sources;
}

bool CRJSdkManager::getContentSourceBitmap(const rj::engine::RJContentSourceInfo &info,
                                           int bitmapType, int maxWidth, int maxHeight,
                                           rj::engine::RJBitmap &bitmap)
{
    streamSource(qInfo() << RJ_FUNCTION << __LINE__ << "info:", info);
    RJ_REQUIRE_ENGINE(false);
    const int rst = m_pAVEngine->getContentSourceBitmap(info, bitmapType, maxWidth, maxHeight, bitmap);
    qInfo() << RJ_FUNCTION << __LINE__ << "bitmapType:" << bitmapType << ", maxWidth:" << maxWidth
            << ", maxHeight:" << maxHeight << ", bitmap:" << static_cast<void *>(bitmap.data)
            << bitmap.width << bitmap.height;
    return RJ_STREAM_RESULT(rst);
}

void CRJSdkManager::releaseContentSourceBitmap(rj::engine::RJBitmap &bitmap)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "bitmap:" << static_cast<void *>(bitmap.data)
            << bitmap.width << bitmap.height;
    RJ_REQUIRE_ENGINE();
    m_pAVEngine->releaseContentSourceBitmap(bitmap);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

bool CRJSdkManager::setLocalContentSource(const rj::engine::RJContentSourceInfo &info)
{
    streamSource(qInfo() << RJ_FUNCTION << __LINE__ << "info:", info);
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->setLocalContentSource(info));
}

bool CRJSdkManager::repaintVideo()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->repaintVideo());
}

// ---------------------------------------------------------------------------
// Account

bool CRJSdkManager::downloadUserImage(const char *path)
{
    qInfo("CRJSdkManager::downloadUserImage, path: %s", path ? path : "");
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("downloadUserImage", m_pAVEngine->downloadUserImage(path));
}

bool CRJSdkManager::uploadUserImage(const char *path)
{
    qInfo() << RJ_FUNCTION << __LINE__ << path;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->uploadUserImage(path));
}

bool CRJSdkManager::validatePassword(const char *password)
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    const int rst = m_pAVEngine->validatePassword(password);
    if (rst != 0)
        qWarning() << RJ_FUNCTION << __LINE__ << "Failed, rst:" << rst;
    qInfo() << RJ_FUNCTION << __LINE__ << "done, passwordJustRule:" << rst;
    return rst == 0;
}

rj::engine::RJPasswordPolicy CRJSdkManager::getPasswordPolicy()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(rj::engine::RJPasswordPolicy());
    rj::engine::RJPasswordPolicy policy = m_pAVEngine->getPasswordPolicy();
    qInfo() << RJ_FUNCTION << __LINE__ << "done, typeCount:" << policy.typeCount
            << ", minLength:" << policy.minLength << ", maxLength:" << policy.maxLength
            << ", specialChars:" << policy.specialChars.c_str();
    return policy;
}

bool CRJSdkManager::changePassword(const char *old_password, const char *new_password)
{
    qInfo("CRJSdkManager::changePassword");
    RJ_REQUIRE_ENGINE(false);
    const std::string oldTransformed = m_pAVEngine->transformPassword(old_password);
    const std::string newTransformed = m_pAVEngine->transformPassword(new_password);
    return formattedResult("changePassword",
                           m_pAVEngine->changePassword(oldTransformed.c_str(), newTransformed.c_str()));
}

bool CRJSdkManager::changeDisplayName(const char *display_name)
{
    qInfo("CRJSdkManager::changeDisplayName, display_name: %s", display_name ? display_name : "");
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("changeDisplayName", m_pAVEngine->changeDisplayName(display_name));
}

bool CRJSdkManager::getUserInfo(rj::engine::RJUserInfo &user)
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    const int rst = m_pAVEngine->getUserInfo(user);
    if (rst != 0) {
        qWarning() << RJ_FUNCTION << __LINE__ << "Failed, rst:" << rst;
        return false;
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "userId:" << user.userId << ", username:" << user.username.c_str()
            << ", displayName" << user.displayName.c_str() << ", org:" << user.org.c_str()
            << ", orgPortAllocMode:" << user.orgPortAllocMode.c_str()
            << ", orgPortCount:" << user.orgPortCount << ", email:" << user.email.c_str()
            << ", cellphone:" << user.cellphone.c_str() << ", telephone:" << user.telephone.c_str()
            << ", deviceId:" << user.deviceId << ", dept:" << user.dept.c_str()
            << ", everChangedPasswd:" << user.everChangedPasswd
            << ", customizedH5UrlPrefix:" << user.customizedH5UrlPrefix.c_str()
            << ", token:" << maskedToken(user.token).c_str() << ", tessalyVersion:" << user.tessalyVersion.c_str()
            << ", specifiedUpgradingServerAddress:" << user.specifiedUpgradingServerAddress.c_str()
            << ", serverTime:" << user.serverTime << ", callNumber:" << user.callNumber.c_str()
            << ", appServerType:" << user.appServerType.c_str()
            << ", urlSuffixForMobile:" << user.urlSuffixForMobile.c_str()
            << ", urlSuffixForPC:" << user.urlSuffixForPC.c_str() << ", vmr:" << user.vmr.c_str()
            << ", contactWebPage:" << user.contactWebPage << ", p2pCall:" << user.p2pCall
            << ", chatInConference:" << user.chatInConference
            << ", switchingToAudioConference:" << user.switchingToAudioConference
            << ", sitenameIsChangeable" << user.sitenameIsChangeable
            << ", sipUserName:" << user.sipUserName.c_str();
    return true;
}

std::string CRJSdkManager::getDisplayName()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(std::string());
    std::string name = m_pAVEngine->getDisplayName();
    qInfo() << RJ_FUNCTION << __LINE__ << "done:" << name.c_str();
    return name;
}

bool CRJSdkManager::getRegisterInfo(int type, rj::engine::RJRegisterInfo &info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "type:" << type;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->getRegisterInfo(type, info));
}

// ---------------------------------------------------------------------------
// Media options

bool CRJSdkManager::enablePreview(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << enable;
    if (!m_pAVEngine) {
        qWarning("m_pAVEngine is nullptr");
        return false;
    }
    return RJ_STREAM_RESULT(m_pAVEngine->enablePreview(enable));
}

bool CRJSdkManager::setBandwidth(unsigned int kbps)
{
    qInfo("CRJSdkManager::setBandwidth: %u", kbps);
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("setBandwidth", m_pAVEngine->setBandwidth(kbps));
}

unsigned int CRJSdkManager::getBandwidth()
{
    qInfo("CRJSdkManager::getBandwidth");
    RJ_REQUIRE_ENGINE(0u);
    const unsigned int kbps = m_pAVEngine->getBandwidth();
    qInfo("getBandwidth done: %ud", kbps);
    return kbps;
}

bool CRJSdkManager::cameraEnabled()
{
    qInfo("CRJSdkManager::cameraEnabled");
    RJ_REQUIRE_ENGINE(false);
    const bool enabled = m_pAVEngine->cameraEnabled();
    qInfo("cameraEnabled done: %d", enabled);
    return enabled;
}

bool CRJSdkManager::enableCamera(bool enable)
{
    qInfo("CRJSdkManager::enableCamera: %d", enable);
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("enableCamera", m_pAVEngine->enableCamera(enable));
}

bool CRJSdkManager::micEnabled()
{
    qInfo("CRJSdkManager::micEnabled");
    RJ_REQUIRE_ENGINE(false);
    const bool enabled = m_pAVEngine->micEnabled();
    qInfo("micEnabled done: %d", enabled);
    return enabled;
}

bool CRJSdkManager::enableMic(bool enable)
{
    qInfo("CRJSdkManager::enableMic: %d", enable);
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("enableMic", m_pAVEngine->enableMic(enable));
}

bool CRJSdkManager::requestRemoteUnmute(bool request)
{
    qInfo("CRJSdkManager::requestRemoteUnmute: %d", request);
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("requestRemoteUnmute", m_pAVEngine->requestRemoteUnmute(request));
}

bool CRJSdkManager::highFPSEnabled()
{
    qInfo("CRJSdkManager::highFPSEnabled");
    RJ_REQUIRE_ENGINE(false);
    const bool enabled = m_pAVEngine->highFPSEnabled();
    qInfo("highFPSEnabled done: %d", enabled);
    return enabled;
}

bool CRJSdkManager::enableHighFPS(bool enable)
{
    qInfo("CRJSdkManager::enableHighFPS: %d", enable);
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("enableHighFPS", m_pAVEngine->enableHighFPS(enable));
}

bool CRJSdkManager::enableHD(bool enable)
{
    qInfo("CRJSdkManager::enableHD: %d", enable);
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("enableHD", m_pAVEngine->enableHD(enable));
}

bool CRJSdkManager::HDEnabled()
{
    qInfo("CRJSdkManager::HDEnabled");
    RJ_REQUIRE_ENGINE(false);
    const bool enabled = m_pAVEngine->HDEnabled();
    qInfo("HDEnabled done: %d", enabled);
    return enabled;
}

bool CRJSdkManager::getStats(rj::engine::RJStats &stats)
{
    qInfo("CRJSdkManager::getStats");
    RJ_REQUIRE_ENGINE(false);
    return formattedResult("getStats", m_pAVEngine->getStats(stats));
}

bool CRJSdkManager::enableNoiseSuppression(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "enable:" << enable;
    RJ_REQUIRE_ENGINE(false);
    m_pAVEngine->enableNoiseSuppression(enable ? 2 : 0);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
    return true;
}

bool CRJSdkManager::sendContent()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_NAMED_RESULT("sendContent", m_pAVEngine->sendContent());
}

bool CRJSdkManager::sendWhiteBoard()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_NAMED_RESULT("sendWhiteBoard", m_pAVEngine->sendWhiteBoard());
}

bool CRJSdkManager::stopContent()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_NAMED_RESULT("stopContent", m_pAVEngine->stopContent());
}

bool CRJSdkManager::enableContentAudio(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << enable;
    RJ_REQUIRE_ENGINE(false);
    return RJ_NAMED_RESULT("enableContentAudio", m_pAVEngine->enableContentAudio(enable));
}

bool CRJSdkManager::contentAudioEnabled()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    const bool enabled = m_pAVEngine->contentAudioEnabled();
    qInfo() << RJ_FUNCTION << __LINE__ << "done:" << enabled;
    return enabled;
}

bool CRJSdkManager::enableContentHighFPS(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << enable;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->enableContentHighFPS(enable));
}

bool CRJSdkManager::enableContent(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << enable;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->enableContent(enable));
}

bool CRJSdkManager::contentEnabled()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    const bool enabled = m_pAVEngine->contentEnabled();
    qInfo() << RJ_FUNCTION << __LINE__ << "enabled:" << enabled;
    return enabled;
}

namespace {
// (stream kind, codec) pairs the hardware coding switches cover.
constexpr int kCodingPairs[6][2] = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}};
} // namespace

bool CRJSdkManager::enableHardDecoder(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "enable:" << enable;
    RJ_REQUIRE_ENGINE(false);
    for (const auto &pair : kCodingPairs)
        m_pAVEngine->enableHardDecoder(pair[0], pair[1], enable ? 2 : 1);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
    return true;
}

bool CRJSdkManager::enableHardEncoder(bool enable)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "enable:" << enable;
    RJ_REQUIRE_ENGINE(false);
    for (const auto &pair : kCodingPairs)
        m_pAVEngine->enableHardEncoder(pair[0], pair[1], enable ? 2 : 1);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
    return true;
}

// ---------------------------------------------------------------------------
// Feedback and diagnosis

bool CRJSdkManager::uploadFeedbackfile(const QString &zipPath, const QString &contact,
                                       const QString &description)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "path:" << zipPath;
    RJ_REQUIRE_ENGINE(false);
    const std::vector<std::string> files{zipPath.toLocal8Bit().toStdString()};
    const QByteArray contactUtf8 = contact.toUtf8();
    const QByteArray descriptionUtf8 = description.toUtf8();
    return RJ_NAMED_RESULT("uploadFeedbackfile",
                           m_pAVEngine->uploadFeedbackfile(files, contactUtf8.constData(),
                                                           descriptionUtf8.constData()));
}

bool CRJSdkManager::uploadFeedbackFilesWithAddress(const QString &zipPath, const QString &contact,
                                                   const QString &description, const QString &address)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "path:" << zipPath;
    RJ_REQUIRE_ENGINE(false);
    const std::vector<std::string> files{zipPath.toLocal8Bit().toStdString()};
    const QByteArray contactUtf8 = contact.toUtf8();
    const QByteArray descriptionUtf8 = description.toUtf8();
    const QByteArray addressUtf8 = address.toUtf8();
    return RJ_NAMED_RESULT("uploadFeedbackFilesWithAddress",
                           m_pAVEngine->uploadFeedbackFilesWithAddress(
                               files, contactUtf8.constData(), descriptionUtf8.constData(),
                               addressUtf8.constData()));
}

rj::engine::RJDiag CRJSdkManager::getDiag()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(rj::engine::RJDiag());
    rj::engine::RJDiag diag = m_pAVEngine->getDiag();
    qInfo() << RJ_FUNCTION << __LINE__ << "done, advice:" << diag.advice << ", adviceParam"
            << diag.adviceParam.c_str();
    return diag;
}

std::string CRJSdkManager::getDiagString()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(std::string());
    std::string text = m_pAVEngine->getDiagString();
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
    return text;
}

// ---------------------------------------------------------------------------
// Server, login, registration and calls

bool CRJSdkManager::getFeature(const char *server, unsigned int port, rj::engine::AVFeature &feature)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "server:" << server << ", port:" << port;
    RJ_REQUIRE_ENGINE(false);
    const int rst = m_pAVEngine->getFeature(server, port, feature);
    if (rst != 0) {
        qWarning() << RJ_FUNCTION << __LINE__ << "Failed, rst:" << rst;
    } else {
        qInfo() << RJ_FUNCTION << __LINE__ << "feature, version:" << feature.version.c_str()
                << ", apiEnabled:" << feature.apiEnabled << ", appServerType"
                << feature.appServerType.c_str() << ", enableChangePassword: "
                << feature.enableChangePassword
                << ", passwordEncryptionWithAES:" << feature.passwordEncryptionWithAES;
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "done, rst:" << rst;
    return rst == 0 || rst == 9;
}

bool CRJSdkManager::avlogin(const char *server, unsigned int port, const char *username,
                            const char *password)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "server:" << server << ", port:" << port << ", username"
            << username;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->avlogin(server, port, username, password));
}

bool CRJSdkManager::avlogout()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->avlogout());
}

bool CRJSdkManager::registerSIPServer(const char *domain, const char *displayName,
                                      const char *username, const char *password,
                                      const char *protocol)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "domain:" << domain << ", displayName:" << displayName
            << ", username" << username << ", protocol" << protocol;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(
        m_pAVEngine->registerSIPServer(domain, displayName, username, password, protocol));
}

bool CRJSdkManager::unregisterSIPServer()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->unregisterSIPServer());
}

bool CRJSdkManager::dialOut(const char *number, bool enable_video)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "number:" << maskedDialString(number ? number : "").c_str()
            << ", enable_video:" << enable_video;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->dialOut(number, enable_video));
}

bool CRJSdkManager::acceptCall(bool enable_video)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "enable_video:" << enable_video;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->acceptCall(enable_video));
}

bool CRJSdkManager::hangUp()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->hangUp());
}

bool CRJSdkManager::declineCall()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    return RJ_STREAM_RESULT(m_pAVEngine->declineCall());
}

bool CRJSdkManager::conferenceControllable()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    RJ_REQUIRE_ENGINE(false);
    const bool controllable = m_pAVEngine->conferenceControllable();
    qInfo() << RJ_FUNCTION << __LINE__ << "done. controllable:" << controllable;
    return controllable;
}

} // namespace models
} // namespace rj_app
