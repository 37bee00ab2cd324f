#pragma once

#include "SimDispatcher.h"
#include "SimMedia.h"
#include "SimNet.h"
#include "SimWorld.h"

#include "engine/IAVEngine.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace rjsim {

// The simulated conferencing engine. Operations may come from any thread at
// once; all state sits behind m_mutex. Everything that happens later, and
// every callback, runs on the dispatcher thread; callbacks run without
// m_mutex held, under m_handlerMutex only, so that unregisterEventHandler can
// wait for one in flight.
class SimEngine final : public rj::engine::IAVEngine
{
public:
    SimEngine();
    ~SimEngine() override;

    // Control (rjsim_control.h).
    int command(const std::string &line);
    bool waitIdle(int timeoutMs) { return m_dispatcher.waitIdle(timeoutMs); }
    double timeScale() const { return m_dispatcher.timeScale(); }

    // IRJCommon
    int setLog(int level, const char *log_path, const char *log_file_name, unsigned int max_file_size) override;
    int enableLog(bool enable) override;
    int initialize(const char *config_path, const char *config_file_name) override;
    int setRootCA(const char *path) override;
    int setUserImage(const char *background_file_path, const char *user_image_path) override;
    int enableWhiteBoard(bool enable) override;
    int setUserAgent(const char *company, const char *version) override;
    int release() override;
    int enableSecure(bool enable) override;
    std::string encryptPassword(int type, const char *plain, const char *key) override;
    std::string encryptPassword(int type, const char *plain) override;
    std::string transformPassword(const char *password) override;
    std::string descryptPassword(int type, const char *cipher, const char *key, const char *iv) override;
    std::vector<rj::engine::RJDevice> getDevices(rj::engine::RJ_DEVICE_TYPE type) override;
    rj::engine::RJDevice getDevice(rj::engine::RJ_DEVICE_TYPE type) override;
    int setDevice(rj::engine::RJ_DEVICE_TYPE type, std::uint32_t id) override;
    int enableMicMeter(bool enable) override;
    int setAudioFile(const char *path) override;
    float getMicVolume() override;
    int startAudioPlay(int loop) override;
    int stopAudioPlay() override;
    bool isAudioPlaying() override;
    int setRenderType(int type) override;
    int getRenderType() override;
    rj::engine::RJVolume getVolume(rj::engine::RJ_DEVICE_TYPE type) override;
    int setVolume(rj::engine::RJ_DEVICE_TYPE type, const rj::engine::RJVolume &vol) override;
    int setLocalVideoWindow(void *id) override;
    int setRemoteVideoWindow(void *id) override;
    int setRemoteContentWindow(void *id) override;
    int setLocalContentWindow(void *id, int mode) override;
    std::vector<rj::engine::RJContentSourceInfo> getContentSourceList() override;
    int getContentSourceBitmap(const rj::engine::RJContentSourceInfo &info, int bitmapType, int maxWidth,
                               int maxHeight, rj::engine::RJBitmap &bitmap) override;
    int releaseContentSourceBitmap(rj::engine::RJBitmap &bitmap) override;
    int setLocalContentSource(const rj::engine::RJContentSourceInfo &info) override;
    int repaintVideo() override;
    int downloadUserImage(const char *path) override;
    int uploadUserImage(const char *path) override;
    int validatePassword(const char *password) override;
    rj::engine::RJPasswordPolicy getPasswordPolicy() override;
    int changePassword(const char *old_password, const char *new_password) override;
    int changeDisplayName(const char *display_name) override;
    int getUserInfo(rj::engine::RJUserInfo &user) override;
    std::string getDisplayName() override;
    int getRegisterInfo(int type, rj::engine::RJRegisterInfo &info) override;
    int enablePreview(bool enable) override;
    int setBandwidth(unsigned int kbps) override;
    unsigned int getBandwidth() override;
    bool cameraEnabled() override;
    int enableCamera(bool enable) override;
    bool micEnabled() override;
    int enableMic(bool enable) override;
    int requestRemoteUnmute(bool request) override;
    bool highFPSEnabled() override;
    int enableHighFPS(bool enable) override;
    int enableHD(bool enable) override;
    bool HDEnabled() override;
    int getStats(rj::engine::RJStats &stats) override;
    int enableNoiseSuppression(int level) override;
    int sendContent() override;
    int sendWhiteBoard() override;
    int stopContent() override;
    int enableContentAudio(bool enable) override;
    bool contentAudioEnabled() override;
    int enableContentHighFPS(bool enable) override;
    int enableContent(bool enable) override;
    bool contentEnabled() override;
    int enableHardDecoder(int streamKind, int codec, int mode) override;
    int enableHardEncoder(int streamKind, int codec, int mode) override;
    int uploadFeedbackfile(const std::vector<std::string> &files, const char *contact,
                           const char *description) override;
    int uploadFeedbackFilesWithAddress(const std::vector<std::string> &files, const char *contact,
                                       const char *description, const char *address) override;
    rj::engine::RJDiag getDiag() override;
    std::string getDiagString() override;

    // IAVEngine
    int registerEventHandler(rj::engine::IAVEventHandler *handler) override;
    int unregisterEventHandler(rj::engine::IAVEventHandler *handler) override;
    int getFeature(const char *server, unsigned int port, rj::engine::AVFeature &feature) override;
    int avlogin(const char *server, unsigned int port, const char *username, const char *password) override;
    int avlogout() override;
    int registerSIPServer(const char *domain, const char *displayName, const char *username,
                          const char *password, const char *protocol) override;
    int unregisterSIPServer() override;
    int dialOut(const char *number, bool enable_video) override;
    int acceptCall(bool enable_video) override;
    int hangUp() override;
    int declineCall() override;
    bool conferenceControllable() override;

private:
    struct Event {
        const char *name;
        std::function<void(rj::engine::IAVEventHandler &)> call;
    };
    using Events = std::vector<Event>;
    using Step = std::function<void(Events &)>;

    enum class Phase { None, Dialing, Incoming, Answering, Connected, Ending };
    enum class ContentState { None, ReceivingContent, ReceivingWhiteboard, SendingContent, SendingWhiteboard };
    enum class LoginOutcome { None, Normal, Unreachable, Unresolved, Failed };

    struct Call {
        std::uint64_t id = 0;
        Phase phase = Phase::None;
        bool outgoing = false;
        bool video = true;
        bool peerConnected = false;
        rj::engine::RJCallInfo info;
        const world::Meeting *meeting = nullptr;
        const world::Person *person = nullptr;
        std::int64_t connectedAt = -1; // world ms
        std::int64_t startedAt = 0;    // world ms
        ContentState content = ContentState::None;
        std::string contentSender;
        std::uint64_t contentSenderId = 0;
        bool hadContent = false;
        bool denyShare = false; // the meeting refuses the next share
        float quality = 5.0f;
        bool qualityForced = false;
        std::uint64_t qualityTick = 0;
    };

    struct LastCall {
        bool exists = false;
        bool failed = false;
        bool audioOnly = false;
        bool hadContent = false;
        std::string number;
        std::string peer;
        std::int64_t durationMs = 0;
        std::int64_t startedAt = 0;
    };

    struct Session {
        bool loggedIn = false;
        std::string user;
        rj::engine::RJUserInfo info;
        std::string server;
        unsigned int port = 0;
        bool secure = false;
    };

    struct Parsed; // a parsed control command

    // What a forced result asks of the operation that enter() admitted: a
    // non-zero code refuses it (return code at once); a forced 0 performs it
    // and answers 0 whatever it would have answered (done()).
    struct Forced {
        bool refused = false;
        int code = 0;
        bool zero = false;
        int done(int result) const { return zero ? 0 : result; }
    };

    // Journals an int operation and looks up its forced result.
    [[nodiscard]] Forced enter(const char *operation, std::vector<std::string> args);
    // An operation whose whole effect is to keep one setting: journal it,
    // honour a forced result, store the value.
    template <typename Store>
    int keepSetting(const char *operation, std::vector<std::string> args, Store store)
    {
        const Forced forced = enter(operation, std::move(args));
        if (forced.refused)
            return forced.code;
        std::lock_guard<std::mutex> lock(m_mutex);
        store();
        return forced.done(0);
    }
    void note(const char *operation, std::vector<std::string> args);

    // Runs step under m_mutex on the dispatcher thread after a world delay,
    // then reports the events it produced (reportLocked).
    void later(std::int64_t delayMs, Step step);
    // Like later(), for waits on the local user (an incoming call rings for
    // 30 s): at time scale 0 these stay real time, or nobody could answer.
    void laterForUser(std::int64_t delayMs, Step step);
    void runStep(const Step &step);
    // Under m_mutex: queues the events of a state change made just now. They
    // are delivered delayMs (world) from now, and never before the events of
    // an earlier state change: events follow the order of the changes that
    // cause them, whatever the delays and the time scale.
    void reportLocked(Events events, std::int64_t delayMs = 0);
    // Dispatcher thread: delivers, oldest first, the queued events that are
    // due at world time `due`.
    void flushReports(std::int64_t due);
    void deliver(Events &events);
    void logLine(const std::string &line);

    // Under m_mutex:
    bool callIs(std::uint64_t id, Phase phase) const;
    void endCallLocked(std::uint64_t id, const rj::engine::RJError *error, Events &events);
    void connectCallLocked(std::uint64_t id, Events &events);
    void startQualityLocked(std::uint64_t id, Events &events);
    void remoteContentLocked(bool start, bool whiteboard, const std::string &sender, Events &events);
    void stopSendingLocked(Events &events);
    void remoteMuteLocked(bool muted, Events &events);
    int shareLocked(ContentState sending, int contentType, const Forced &forced);
    rj::engine::RJContentInfo contentInfoLocked(bool enabled, int dir, int type) const;
    void refreshScreensLocked();
    std::vector<rj::engine::RJContentSourceInfo> sourcesLocked() const;
    const media::Window *findWindowLocked(const rj::engine::RJContentSourceInfo &info) const;
    void setUserDataDirLocked(const std::string &dir);
    void loadConfigLocked();
    void saveConfigLocked() const;
    std::string callDurationText(std::int64_t ms) const;

    // Asks host:port as a sign-in does, over the scheme enableSecure chose.
    // Takes m_mutex only to read that choice.
    Reach askSignInServer(const std::string &host, unsigned int port);

    void pollControlFile();
    void runParsed(const Parsed &parsed);

    SimDispatcher m_dispatcher;

    std::recursive_mutex m_handlerMutex;
    rj::engine::IAVEventHandler *m_handler = nullptr;

    mutable std::mutex m_logMutex;
    std::string m_logPath;
    std::uint64_t m_logMax = 0;
    bool m_logEnabled = false;

    mutable std::mutex m_mutex;
    // Also read without m_mutex while events are delivered.
    std::atomic<bool> m_released{false};
    struct Report {
        std::int64_t due = 0; // world ms
        Events events;
    };
    std::deque<Report> m_outbox;
    std::int64_t m_lastReportDue = 0;
    std::string m_userDataDir;
    std::string m_configPath;
    std::string m_controlPath;
    long long m_controlOffset = 0;
    long long m_controlMtime = 0;
    std::string m_controlPending;

    bool m_secure = false;
    bool m_whiteboardEnabled = false;
    std::string m_rootCA, m_backgroundImage, m_userImage, m_company, m_version;

    std::map<std::string, std::string> m_passwords;
    std::map<std::string, bool> m_mustChange;
    std::map<std::string, std::string> m_displayNames;
    std::map<std::string, std::string> m_avatars;
    std::uint64_t m_tokenCounter = 0;
    std::uint64_t m_loginGeneration = 0;
    std::uint64_t m_sipGeneration = 0;
    Session m_session;
    rj::engine::RJRegisterInfo m_videoReg;
    rj::engine::RJRegisterInfo m_sipReg;
    std::string m_sipDisplayName;
    LoginOutcome m_loginOutcome = LoginOutcome::None;
    std::string m_loginHost;
    std::string m_registerServer;
    int m_registerStatus = 0; // diagnosis: 0 none, 1 normal, 5 failed

    std::vector<rj::engine::RJDevice> m_devices[3];
    std::uint32_t m_currentDevice[3] = {0, 0, 0};
    rj::engine::RJVolume m_volume[3];
    bool m_micMeter = false;
    std::string m_audioFile;
    bool m_audioPlaying = false;
    std::uint64_t m_audioToken = 0;
    int m_renderType = 0;
    unsigned int m_bandwidth = 1024;
    bool m_preview = false, m_camera = true, m_mic = true, m_remoteMuted = false;
    std::uint64_t m_unmuteRequest = 0; // the latest request to the host; 0 none
    bool m_featureAes = false; // servers ask for the AES login form ("feature aes 1")
    bool m_highFps = false, m_hd = false, m_contentAllowed = true, m_contentAudio = false, m_contentHighFps = false;
    int m_noiseLevel = 2;
    std::map<std::pair<int, int>, int> m_hardDecoder, m_hardEncoder;
    void *m_localVideoWindow = nullptr, *m_remoteVideoWindow = nullptr, *m_remoteContentWindow = nullptr,
         *m_localContentWindow = nullptr;
    int m_localContentMode = 0;

    std::vector<media::Screen> m_screens;
    bool m_haveSource = false;
    rj::engine::RJContentSourceInfo m_source;
    std::deque<std::chrono::steady_clock::time_point> m_frameTimes;
    std::set<unsigned char *> m_bitmaps;

    std::uint64_t m_nextCallId = 0;
    Call m_call;
    LastCall m_lastCall;
    std::uint64_t m_feedbackCounter = 0;
};

} // namespace rjsim
