#pragma once

// The boundary to the conferencing engine library (librjsdk.so): the operation
// interface the client drives and the callback interface it implements.
// Plain C++ only; the engine library compiles this header too. The order of
// the virtual functions is the library's binary interface: append, never
// reorder.
//
// Conventions:
// - Status operations return int: 0 is success, anything else an engine error
//   code.
// - Texts go in as NUL-terminated 8-bit strings and come back by value.
// - Callbacks run on the engine's own threads; record arguments are valid only
//   during the call.

#include "engine/RJTypes.h"

#include <string>
#include <vector>

#if defined(_WIN32)
#define RJ_ENGINE_API __declspec(dllexport)
#else
#define RJ_ENGINE_API __attribute__((visibility("default")))
#endif

namespace rj {
namespace engine {

// ---------------------------------------------------------------------------
// Callbacks. Every callback has an empty default body, so an implementation
// overrides only what it needs.

class IRJEventCallBack
{
public:
    IRJEventCallBack() = default;
    IRJEventCallBack(const IRJEventCallBack &) = default;
    IRJEventCallBack &operator=(const IRJEventCallBack &) = default;
    virtual ~IRJEventCallBack() = default;

    virtual void onError(const RJError &err) { (void)err; }
    virtual void onWarn(const RJWarn &warn) { (void)warn; }
    virtual void onLoginSucceed(const RJUserInfo &user) { (void)user; }
    virtual void onRegisterState(_RJ_CALL_TYPE callType, _RJ_REGISTER_STATE state)
    {
        (void)callType;
        (void)state;
    }
    virtual void onRegisterInfo(const RJRegisterInfo &info) { (void)info; }
    virtual void onDownloadUserImageComplete(const char *path) { (void)path; }
    virtual void onUploadUserImageComplete(const char *path) { (void)path; }
    virtual void onNetworkState(bool reachable) { (void)reachable; }
    virtual void onNetworkQuality(float quality_rating) { (void)quality_rating; }
    virtual void onCallLogUpdated(const RJCallLog &log) { (void)log; }
    virtual void onCallConnected(const RJCallInfo &info) { (void)info; }
    virtual void onCallState(const RJCallInfo &info) { (void)info; }
    virtual void onCallPeerConnected(const RJCallInfo &info) { (void)info; }
    virtual void onCallEnd(const RJCallInfo &info) { (void)info; }
    virtual void onContent(const RJContentInfo &info) { (void)info; }
    virtual void onConntentSourceUpdated(const RJContentSourceInfo &info) { (void)info; }
    virtual void onMuteSpeakingDetected() {}
    virtual void onDeliverFrame(const RJFrame &frame) { (void)frame; }
    virtual void onAudioData(int channel, const unsigned char *data, int length)
    {
        (void)channel;
        (void)data;
        (void)length;
    }
    virtual void onContentPreviewFrame(const unsigned char *data, int length)
    {
        (void)data;
        (void)length;
    }
    virtual void onVideoPreviewFrame(const unsigned char *data, int length)
    {
        (void)data;
        (void)length;
    }
    virtual void onProvision(bool provisioned) { (void)provisioned; }
    virtual void onMicMutedShow(int mic_muted) { (void)mic_muted; }
    virtual void onWaitQueue(int queue_size) { (void)queue_size; }
    virtual void onVidInputStateChanged(int source, int state, int width, int height, int frameRate)
    {
        (void)source;
        (void)state;
        (void)width;
        (void)height;
        (void)frameRate;
    }
    virtual void onUploadFeedback(int number) { (void)number; }
    virtual void onContentSourceStatusChange(RJVideoSize size, int x, int y,
                                             bool isOverlaidorMinimized, bool isAlive)
    {
        (void)size;
        (void)x;
        (void)y;
        (void)isOverlaidorMinimized;
        (void)isAlive;
    }
    virtual void onVoteInvitation(const RJVoteInfo &vote) { (void)vote; }
    virtual void onVolume(RJ_DEVICE_TYPE type, const RJVolume &vol)
    {
        (void)type;
        (void)vol;
    }
    virtual void onDeviceAdded(const RJDevice &device) { (void)device; }
    virtual void onDeviceRemoved(const RJDevice &device) { (void)device; }
    virtual void onCurrentDeviceChanged(const RJDevice &device) { (void)device; }
    virtual void onVideoMutedShow(int video_muted) { (void)video_muted; }
    virtual void onFaceInfo(std::string first, std::string second)
    {
        (void)first;
        (void)second;
    }
};

class IAVEventHandler : public IRJEventCallBack
{
public:
    virtual void onSIPRegister(bool registered) { (void)registered; }
    virtual void onSIPForceClear() {}
    virtual void onCallIncoming(const RJCallInfo &info) { (void)info; }
};

// ---------------------------------------------------------------------------
// Operations.

class IRJCommon
{
public:
    IRJCommon() = default;
    IRJCommon(const IRJCommon &) = default;
    IRJCommon &operator=(const IRJCommon &) = default;
    virtual ~IRJCommon() = default;

    // Logging and set-up
    virtual int setLog(int level, const char *log_path, const char *log_file_name,
                       unsigned int max_file_size) = 0;
    virtual int enableLog(bool enable) = 0;
    virtual int initialize(const char *config_path, const char *config_file_name) = 0;
    virtual int setRootCA(const char *path) = 0;
    virtual int setUserImage(const char *background_file_path, const char *user_image_path) = 0;
    virtual int enableWhiteBoard(bool enable) = 0;
    virtual int setUserAgent(const char *company, const char *version) = 0;
    // Stops all activity; called once before the engine is deleted.
    virtual int release() = 0;
    virtual int enableSecure(bool enable) = 0;

    // Passwords
    virtual std::string encryptPassword(int type, const char *plain, const char *key) = 0;
    virtual std::string encryptPassword(int type, const char *plain) = 0;
    // The form a password takes when it is changed (changePassword).
    virtual std::string transformPassword(const char *password) = 0;
    virtual std::string descryptPassword(int type, const char *cipher, const char *key,
                                         const char *iv) = 0;

    // Devices and sound
    virtual std::vector<RJDevice> getDevices(RJ_DEVICE_TYPE type) = 0;
    virtual RJDevice getDevice(RJ_DEVICE_TYPE type) = 0;
    virtual int setDevice(RJ_DEVICE_TYPE type, std::uint32_t id) = 0;
    virtual int enableMicMeter(bool enable) = 0;
    virtual int setAudioFile(const char *path) = 0;
    virtual float getMicVolume() = 0;
    virtual int startAudioPlay(int loop) = 0;
    virtual int stopAudioPlay() = 0;
    virtual bool isAudioPlaying() = 0;
    // 0 automatic, 1 Direct3D, 2 GDI
    virtual int setRenderType(int type) = 0;
    virtual int getRenderType() = 0;
    virtual RJVolume getVolume(RJ_DEVICE_TYPE type) = 0;
    virtual int setVolume(RJ_DEVICE_TYPE type, const RJVolume &vol) = 0;

    // Video windows and content
    virtual int setLocalVideoWindow(void *id) = 0;
    virtual int setRemoteVideoWindow(void *id) = 0;
    virtual int setRemoteContentWindow(void *id) = 0;
    virtual int setLocalContentWindow(void *id, int mode) = 0;
    virtual std::vector<RJContentSourceInfo> getContentSourceList() = 0;
    // bitmapType 0: 24-bit RGB rows, 1: 32-bit ARGB. The pixels stay the
    // engine's until releaseContentSourceBitmap.
    virtual int getContentSourceBitmap(const RJContentSourceInfo &info, int bitmapType,
                                       int maxWidth, int maxHeight, RJBitmap &bitmap) = 0;
    virtual int releaseContentSourceBitmap(RJBitmap &bitmap) = 0;
    virtual int setLocalContentSource(const RJContentSourceInfo &info) = 0;
    virtual int repaintVideo() = 0;

    // Account
    virtual int downloadUserImage(const char *path) = 0;
    virtual int uploadUserImage(const char *path) = 0;
    // 0 when the password follows the server's rules.
    virtual int validatePassword(const char *password) = 0;
    virtual RJPasswordPolicy getPasswordPolicy() = 0;
    virtual int changePassword(const char *old_password, const char *new_password) = 0;
    virtual int changeDisplayName(const char *display_name) = 0;
    virtual int getUserInfo(RJUserInfo &user) = 0;
    virtual std::string getDisplayName() = 0;
    virtual int getRegisterInfo(int type, RJRegisterInfo &info) = 0;

    // Media options
    virtual int enablePreview(bool enable) = 0;
    virtual int setBandwidth(unsigned int kbps) = 0;
    virtual unsigned int getBandwidth() = 0;
    virtual bool cameraEnabled() = 0;
    virtual int enableCamera(bool enable) = 0;
    virtual bool micEnabled() = 0;
    virtual int enableMic(bool enable) = 0;
    virtual int requestRemoteUnmute(bool request) = 0;
    virtual bool highFPSEnabled() = 0;
    virtual int enableHighFPS(bool enable) = 0;
    virtual int enableHD(bool enable) = 0;
    virtual bool HDEnabled() = 0;
    virtual int getStats(RJStats &stats) = 0;
    // level: 0 off, 2 on
    virtual int enableNoiseSuppression(int level) = 0;
    virtual int sendContent() = 0;
    virtual int sendWhiteBoard() = 0;
    virtual int stopContent() = 0;
    virtual int enableContentAudio(bool enable) = 0;
    virtual bool contentAudioEnabled() = 0;
    virtual int enableContentHighFPS(bool enable) = 0;
    virtual int enableContent(bool enable) = 0;
    virtual bool contentEnabled() = 0;
    // streamKind 1 audio/video call, 2 content, 3 whiteboard; codec 1 H.264,
    // 2 H.265; mode 2 hardware, 1 software.
    virtual int enableHardDecoder(int streamKind, int codec, int mode) = 0;
    virtual int enableHardEncoder(int streamKind, int codec, int mode) = 0;

    // Feedback and diagnosis
    virtual int uploadFeedbackfile(const std::vector<std::string> &files, const char *contact,
                                   const char *description) = 0;
    virtual int uploadFeedbackFilesWithAddress(const std::vector<std::string> &files,
                                               const char *contact, const char *description,
                                               const char *address) = 0;
    virtual RJDiag getDiag() = 0;
    virtual std::string getDiagString() = 0;
};

class IAVEngine : public IRJCommon
{
public:
    virtual int registerEventHandler(IAVEventHandler *handler) = 0;
    // After this returns, no callback runs on the handler any more.
    virtual int unregisterEventHandler(IAVEventHandler *handler) = 0;
    virtual int getFeature(const char *server, unsigned int port, AVFeature &feature) = 0;
    virtual int avlogin(const char *server, unsigned int port, const char *username,
                        const char *password) = 0;
    virtual int avlogout() = 0;
    virtual int registerSIPServer(const char *domain, const char *displayName,
                                  const char *username, const char *password,
                                  const char *protocol) = 0;
    virtual int unregisterSIPServer() = 0;
    virtual int dialOut(const char *number, bool enable_video) = 0;
    virtual int acceptCall(bool enable_video) = 0;
    virtual int hangUp() = 0;
    virtual int declineCall() = 0;
    virtual bool conferenceControllable() = 0;
};

} // namespace engine
} // namespace rj

extern "C" {
// Implemented by the engine library. createAVEngine returns a new engine (null
// when it cannot start); deleteAVEngine destroys one it returned.
RJ_ENGINE_API rj::engine::IAVEngine *createAVEngine();
RJ_ENGINE_API void deleteAVEngine(rj::engine::IAVEngine *engine);
}
