#pragma once

#include "engine/IAVEngine.h"
#include "engine/RJMetaTypes.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <atomic>
#include <string>
#include <vector>

namespace rj_app {
namespace models {

class CRJSdkEventObserver;

// The one way into the conferencing engine. One instance per process; every
// method wraps one engine operation, logs it and turns the engine's status
// into a bool. Engine events are re-emitted as the signals below, delivered in
// the GUI thread. Takes no lock: the engine accepts calls from any thread.
class CRJSdkManager : public QObject
{
    Q_OBJECT

public:
    using EngineCreator = rj::engine::IAVEngine *(*)();
    using EngineDeleter = void (*)(rj::engine::IAVEngine *);

    static void initInstance();
    static void releaseInstance();
    static CRJSdkManager *getInstance();

    // Replaces createAVEngine/deleteAVEngine for the next initInstance (null
    // restores them). For tests that drive the facade with an engine of their own.
    static void setEngineFunctions(EngineCreator creator, EngineDeleter deleter);

    ~CRJSdkManager() override;

    // False when the engine library could not create an engine: nothing
    // that waits for an engine event may start then.
    bool hasEngine() const { return m_pAVEngine != nullptr; }

    void setLog(int level, const char *log_path, const char *log_file_name, unsigned int max_file_size);
    void enableLog(bool enable);
    bool initialize(const char *config_path, const char *config_file_name);
    bool setRootCA(const char *path);
    bool setUserImage(const char *background_file_path, const char *user_image_path);
    bool enableWhiteBoard(bool enable);
    bool setUserAgent(const char *company, const char *version);
    bool enableSecure(bool enable);
    std::string encryptPassword(int type, const char *plain, const char *key);
    std::string encryptPassword(int type, const char *plain);
    std::string descryptPassword(int type, const char *cipher, const char *key, const char *iv);
    std::vector<rj::engine::RJDevice> getDevices(rj::engine::RJ_DEVICE_TYPE type);
    rj::engine::RJDevice getDevice(rj::engine::RJ_DEVICE_TYPE type);
    void setDevice(rj::engine::RJ_DEVICE_TYPE type, unsigned int id);
    bool enableMicMeter(bool enable);
    bool setAudioFile(const QString &path);
    float getMicVolume();
    bool startAudioPlay(int loop);
    bool stopAudioPlay();
    bool isAudioPlaying();
    bool setRenderType(int type);
    int getRenderType();
    rj::engine::RJVolume getVolume(rj::engine::RJ_DEVICE_TYPE type);
    bool setVolume(rj::engine::RJ_DEVICE_TYPE type, const rj::engine::RJVolume &vol);
    bool setLocalVideoWindow(WId id);
    bool setRemoteVideoWindow(WId id);
    bool setRemoteContentWindow(WId id);
    bool setLocalContentWindow(WId id, int mode);
    std::vector<rj::engine::RJContentSourceInfo> getContentSourceList();
    bool getContentSourceBitmap(const rj::engine::RJContentSourceInfo &info, int bitmapType,
                                int maxWidth, int maxHeight, rj::engine::RJBitmap &bitmap);
    void releaseContentSourceBitmap(rj::engine::RJBitmap &bitmap);
    bool setLocalContentSource(const rj::engine::RJContentSourceInfo &info);
    bool repaintVideo();
    bool downloadUserImage(const char *path);
    bool uploadUserImage(const char *path);
    bool validatePassword(const char *password);
    rj::engine::RJPasswordPolicy getPasswordPolicy();
    bool changePassword(const char *old_password, const char *new_password);
    bool changeDisplayName(const char *display_name);
    bool getUserInfo(rj::engine::RJUserInfo &user);
    std::string getDisplayName();
    bool getRegisterInfo(int type, rj::engine::RJRegisterInfo &info);
    bool enablePreview(bool enable);
    bool setBandwidth(unsigned int kbps);
    unsigned int getBandwidth();
    bool cameraEnabled();
    bool enableCamera(bool enable);
    bool micEnabled();
    bool enableMic(bool enable);
    bool requestRemoteUnmute(bool request);
    bool highFPSEnabled();
    bool enableHighFPS(bool enable);
    bool enableHD(bool enable);
    bool HDEnabled();
    bool getStats(rj::engine::RJStats &stats);
    bool enableNoiseSuppression(bool enable);
    bool sendContent();
    bool sendWhiteBoard();
    bool stopContent();
    bool enableContentAudio(bool enable);
    bool contentAudioEnabled();
    bool enableContentHighFPS(bool enable);
    bool enableContent(bool enable);
    bool contentEnabled();
    bool enableHardDecoder(bool enable);
    bool enableHardEncoder(bool enable);
    bool uploadFeedbackfile(const QString &zipPath, const QString &contact, const QString &description);
    bool uploadFeedbackFilesWithAddress(const QString &zipPath, const QString &contact,
                                        const QString &description, const QString &address);
    rj::engine::RJDiag getDiag();
    std::string getDiagString();
    bool getFeature(const char *server, unsigned int port, rj::engine::AVFeature &feature);
    bool avlogin(const char *server, unsigned int port, const char *username, const char *password);
    bool avlogout();
    bool registerSIPServer(const char *domain, const char *displayName, const char *username,
                           const char *password, const char *protocol);
    bool unregisterSIPServer();
    bool dialOut(const char *number, bool enable_video);
    bool acceptCall(bool enable_video);
    bool hangUp();
    bool declineCall();
    bool conferenceControllable();

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
    CRJSdkManager();
    void createRJEngine();
    static void registerMetaTypes();
    bool hasEngine(const char *function) const;

    rj::engine::IAVEngine *m_pAVEngine = nullptr;
    CRJSdkEventObserver *m_pEventObserver = nullptr;
    EngineDeleter m_engineDeleter = nullptr;

    static std::atomic<CRJSdkManager *> s_instance;
};

} // namespace models
} // namespace rj_app
