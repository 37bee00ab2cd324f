#pragma once

#include "engine/IAVEngine.h"
#include "engine/RJMetaTypes.h"

#include <QObject>

#include <functional>
#include <string>

namespace rj_app {
namespace models {

class CHandOverQueue;

// Turns the engine's callbacks into Qt signals carrying copies of the engine's
// data. Callbacks arrive on engine threads: the copies cross into the
// observer's thread through a hand-over queue and the signals are emitted
// there, in the order of the callbacks. Only CRJSdkManager connects to them.
class CRJSdkEventObserver : public QObject, public rj::engine::IAVEventHandler
{
    Q_OBJECT

public:
    explicit CRJSdkEventObserver(QObject *parent = nullptr);
    ~CRJSdkEventObserver() override;

    static std::string callInfoToString(const rj::engine::RJCallInfo &info);

    void onError(const rj::engine::RJError &err) override;
    void onWarn(const rj::engine::RJWarn &warn) override;
    void onLoginSucceed(const rj::engine::RJUserInfo &user) override;
    void onRegisterInfo(const rj::engine::RJRegisterInfo &info) override;
    void onDownloadUserImageComplete(const char *path) override;
    void onUploadUserImageComplete(const char *path) override;
    void onNetworkState(bool reachable) override;
    void onNetworkQuality(float quality_rating) override;
    void onCallConnected(const rj::engine::RJCallInfo &info) override;
    void onCallState(const rj::engine::RJCallInfo &info) override;
    void onCallPeerConnected(const rj::engine::RJCallInfo &info) override;
    void onCallEnd(const rj::engine::RJCallInfo &info) override;
    void onContent(const rj::engine::RJContentInfo &info) override;
    void onMuteSpeakingDetected() override;
    void onMicMutedShow(int mic_muted) override;
    void onWaitQueue(int queue_size) override;
    void onUploadFeedback(int number) override;
    void onContentSourceStatusChange(rj::engine::RJVideoSize size, int x, int y,
                                     bool isOverlaidorMinimized, bool isAlive) override;
    void onVolume(rj::engine::RJ_DEVICE_TYPE type, const rj::engine::RJVolume &vol) override;
    void onDeviceAdded(const rj::engine::RJDevice &device) override;
    void onDeviceRemoved(const rj::engine::RJDevice &device) override;
    void onCurrentDeviceChanged(const rj::engine::RJDevice &device) override;
    void onVideoMutedShow(int video_muted) override;
    void onSIPForceClear() override;
    void onCallIncoming(const rj::engine::RJCallInfo &info) override;

signals:
    void eventError(rj::engine::RJError err);
    void eventWarn(rj::engine::RJWarn warn);
    void eventLoginSucceed(rj::engine::RJUserInfo user);
    void eventRegisterInfo(rj::engine::RJRegisterInfo info);
    void eventDownloadUserImageComplete(std::string szPath);
    void eventUploadUserImageComplete(std::string szPath);
    void eventNetworkState(bool reachable);
    void eventNetworkQuality(float quality_rating);
    void eventCallConnected(rj::engine::RJCallInfo info);
    void eventCallState(rj::engine::RJCallInfo info);
    void eventCallPeerConnected(rj::engine::RJCallInfo info);
    void eventCallEnd(rj::engine::RJCallInfo info);
    void eventContent(rj::engine::RJContentInfo info);
    void eventMuteSpeakingDetected();
    void eventMicMutedShow(bool mic_muted);
    void eventWaitQueue(int queue_size);
    void eventUploadFeedback(int number);
    void eventContentSourceStatusChange(rj::engine::RJVideoSize size, int x, int y,
                                        bool isOverlaidorMinimized, bool isAlive);
    void eventSIPRegister(bool registered);
    void eventSIPForceClear();
    void eventCallIncoming(rj::engine::RJCallInfo info);
    void eventVolume(rj::engine::RJ_DEVICE_TYPE type, rj::engine::RJVolume vol);
    void eventDeviceAdded(rj::engine::RJDevice device);
    void eventDeviceRemoved(rj::engine::RJDevice device);
    void eventCurrentDeviceChanged(rj::engine::RJDevice device);
    void eventVideoMutedShow(int video_muted);

private:
    // Hands the emission over into the observer's thread.
    void deliver(std::function<void()> emission);

    CHandOverQueue *m_pHandOver = nullptr;
};

} // namespace models
} // namespace rj_app
