#include "models/CRJSdkEventObserver.h"

#include "helpers/LogMacros.h"
#include "models/CHandOverQueue.h"
#include "models/LogMasking.h"

#include <QDebug>

#include <sstream>

namespace rj_app {
namespace models {

namespace {

// The engine always passes a path; a null one is taken as empty rather than
// handed to std::string.
const char *orEmpty(const char *text)
{
    return text ? text : "";
}

} // namespace

CRJSdkEventObserver::CRJSdkEventObserver(QObject *parent)
    : QObject(parent)
    , m_pHandOver(new CHandOverQueue(this))
{
}

// Always queued, also from the observer's own thread: receivers never run
// on the engine's callback stack.
void CRJSdkEventObserver::deliver(std::function<void()> emission)
{
    m_pHandOver->post(std::move(emission));
}

CRJSdkEventObserver::~CRJSdkEventObserver() = default;

std::string CRJSdkEventObserver::callInfoToString(const rj::engine::RJCallInfo &info)
{
    std::ostringstream os;
    os << "isAudioOnly: " << info.isAudioOnly << ", contentEnabled: " << info.contentEnabled
       << ", isBigConference: " << info.isBigConference << ", isRemoteMuted: " << info.isRemoteMuted
       << ", peer: " << info.peer << ", conference_number: " << maskedDialString(info.conference_number)
       << ", password:" << hiddenSecret(info.password) << ", err.type: " << info.err.type
       << ", err.action: " << info.err.action << ", err.code: " << info.err.code
       << ", svcCallType: " << info.svcCallType << ", svcCallAction: " << info.svcCallAction;
    return os.str();
}

void CRJSdkEventObserver::onError(const rj::engine::RJError &err)
{
    qInfo("CRJSdkEventObserver::onError, type: %d, action: %s, code: %d, msg: %s", err.type,
          err.action.c_str(), err.code, err.msg.c_str());
    deliver([=] { emit eventError(err); });
    qInfo("onError done");
}

void CRJSdkEventObserver::onWarn(const rj::engine::RJWarn &warn)
{
    qInfo("CRJSdkEventObserver::onWarn, code: %d, msg: %s", warn.code, warn.msg.c_str());
    deliver([=] { emit eventWarn(warn); });
    qInfo("onWarn done");
}

void CRJSdkEventObserver::onLoginSucceed(const rj::engine::RJUserInfo &user)
{
    qInfo() << RJ_FUNCTION << __LINE__;
    qInfo() << "userId:" << user.userId;
    qInfo() << "username:" << user.username.c_str() << ", displayName" << user.displayName.c_str()
            << ", org:" << user.org.c_str() << ", orgPortAllocMode:" << user.orgPortAllocMode.c_str()
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
    deliver([=] { emit eventLoginSucceed(user); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onRegisterInfo(const rj::engine::RJRegisterInfo &info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "type:" << info.type << ", state:" << info.state
            << ", transProtocol:" << info.transProtocol << ", useInternalServer:" << info.useInternalServer
            << ", externalServer:" << info.externalServer.c_str()
            << ", internalServer:" << info.internalServer.c_str();
    deliver([=] { emit eventRegisterInfo(info); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onDownloadUserImageComplete(const char *path)
{
    qInfo("CRJSdkEventObserver::onDownloadUserImageComplete: %s", orEmpty(path));
    deliver([this, copy = std::string(orEmpty(path))] { emit eventDownloadUserImageComplete(copy); });
    qInfo("onDownloadUserImageComplete done");
}

void CRJSdkEventObserver::onUploadUserImageComplete(const char *path)
{
    qInfo("CRJSdkEventObserver::onUploadUserImageComplete: %s", orEmpty(path));
    deliver([this, copy = std::string(orEmpty(path))] { emit eventUploadUserImageComplete(copy); });
    qInfo("onUploadUserImageComplete done");
}

void CRJSdkEventObserver::onNetworkState(bool reachable)
{
    qInfo("CRJSdkEventObserver::onNetworkState: %d", reachable);
    deliver([=] { emit eventNetworkState(reachable); });
    qInfo("onNetworkState done");
}

void CRJSdkEventObserver::onNetworkQuality(float quality_rating)
{
    qInfo("CRJSdkEventObserver::onNetworkQuality: %f", double(quality_rating));
    deliver([=] { emit eventNetworkQuality(quality_rating); });
    qInfo("onNetworkQuality done");
}

void CRJSdkEventObserver::onCallConnected(const rj::engine::RJCallInfo &info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << callInfoToString(info).c_str();
    deliver([=] { emit eventCallConnected(info); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onCallState(const rj::engine::RJCallInfo &info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << callInfoToString(info).c_str();
    deliver([=] { emit eventCallState(info); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onCallPeerConnected(const rj::engine::RJCallInfo &info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << callInfoToString(info).c_str();
    deliver([=] { emit eventCallPeerConnected(info); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onCallEnd(const rj::engine::RJCallInfo &info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << callInfoToString(info).c_str();
    deliver([=] { emit eventCallEnd(info); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onContent(const rj::engine::RJContentInfo &info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "enabled:" << info.enabled << ", dir:" << info.dir
            << ", type:" << info.type << ", status:" << info.status
            << ", isBigConference:" << info.isBigConference << ", isRemoteMuted:" << info.isRemoteMuted
            << ", senderName:" << info.senderName.c_str() << ", senderDeviceId:" << info.senderDeviceId;
    deliver([=] { emit eventContent(info); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onMuteSpeakingDetected()
{
    qInfo("CRJSdkEventObserver::onMuteSpeakingDetected");
    deliver([=] { emit eventMuteSpeakingDetected(); });
    qInfo("onMuteSpeakingDetected done");
}

void CRJSdkEventObserver::onMicMutedShow(int mic_muted)
{
    qInfo("CRJSdkEventObserver::onMicMutedShow: %d", mic_muted);
    deliver([=] { emit eventMicMutedShow(mic_muted != 0); });
    qInfo("onMicMutedShow");
}

void CRJSdkEventObserver::onWaitQueue(int queue_size)
{
    qInfo("CRJSdkEventObserver::onWaitQueue: %d", queue_size);
    deliver([=] { emit eventWaitQueue(queue_size); });
    qInfo("onWaitQueue done");
}

void CRJSdkEventObserver::onUploadFeedback(int number)
{
    qInfo("CRJSdkEventObserver::onUploadFeedback: %d", number);
    deliver([=] { emit eventUploadFeedback(number); });
    qInfo("onUploadFeedback done");
}

void CRJSdkEventObserver::onContentSourceStatusChange(rj::engine::RJVideoSize size, int x, int y,
                                                      bool isOverlaidorMinimized, bool isAlive)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "size:" << size.width << size.height << ", x:" << x
            << ", y:" << y << ", isOverlaidorMinimized:" << isOverlaidorMinimized
            << ", isAlive:" << isAlive;
    deliver([=] { emit eventContentSourceStatusChange(size, x, y, isOverlaidorMinimized, isAlive); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onVolume(rj::engine::RJ_DEVICE_TYPE type, const rj::engine::RJVolume &vol)
{
    qInfo("CRJSdkEventObserver::onVolume: %d, %d, %f", int(type), vol.mute, double(vol.volume));
    deliver([=] { emit eventVolume(type, vol); });
    qInfo("onVolume done");
}

void CRJSdkEventObserver::onDeviceAdded(const rj::engine::RJDevice &device)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "type:" << int(device.type) << ", id:" << device.id
            << ", name:" << device.name.c_str();
    deliver([=] { emit eventDeviceAdded(device); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onDeviceRemoved(const rj::engine::RJDevice &device)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "type:" << int(device.type) << ", id:" << device.id
            << ", name:" << device.name.c_str();
    deliver([=] { emit eventDeviceRemoved(device); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onCurrentDeviceChanged(const rj::engine::RJDevice &device)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "type:" << int(device.type) << ", id:" << device.id
            << ", name:" << device.name.c_str() << ", desc:" << device.desc.c_str();
    deliver([=] { emit eventCurrentDeviceChanged(device); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onVideoMutedShow(int video_muted)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "video_muted:" << video_muted;
    deliver([=] { emit eventVideoMutedShow(video_muted); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onSIPForceClear()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    deliver([=] { emit eventSIPForceClear(); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CRJSdkEventObserver::onCallIncoming(const rj::engine::RJCallInfo &info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << callInfoToString(info).c_str();
    deliver([=] { emit eventCallIncoming(info); });
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

} // namespace models
} // namespace rj_app
