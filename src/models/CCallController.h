#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "helpers/Enums.h"
#include "helpers/Structs.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace rj_app {
namespace models {

// The client's model of the one call that can exist at a time: starts,
// answers and ends calls through the engine facade, turns the engine's call
// and content events into the call status and the content-stream status, and
// owns the ringtone, the SIP registration of guests and skipped logins, the
// recent-number history, the running-meeting keys of the configuration and
// the whiteboard token. GUI thread only.
class CRJSdkManager;

class CCallController : public QObject
{
    Q_OBJECT

public:
    // Builds the network access manager of one whiteboard-token request.
    using NetworkAccessFactory = std::function<QNetworkAccessManager *(QObject *parent)>;

    static constexpr int m_iAcsRequestIntervalMs = 10000;
    static constexpr const char *m_pszAcsTokenUrlFormat =
        "%1/api/rest/v2.0/acsToken?token=%2&confNumericId=%3&deviceId=%4";
    static constexpr int m_iConfHistorySize = 5;

    // Made on first use; connects to the engine facade whenever one exists.
    static CCallController *getInstance();

    static QString getDefaultBackgroundPath();
    static QString getDefaultUserAvatarPath();
    static QString getRingtonePath();

    ~CCallController() override;

    // Calls.
    void dialOut(QString number, QString password, bool enableVideo, QString confName);
    void dialOut(QString uri, bool enableVideo, QString confName);
    void anonymousJoinConf(QString serverAddress, QString confNumber, QString displayName, QString password);
    void whenLoginSkipped();
    bool acceptCall(bool enableVideo);
    bool declineCall();
    bool hangUp();
    void onCallIncoming(rj::engine::RJCallInfo info);

    bool registerSIPServer(const char *domain, const char *displayName, const char *username,
                           const char *password, const char *protocol);
    bool unregisterSIPServer();

    // Media switches and video windows.
    bool enableCamera(bool enable);
    bool enableMic(bool enable);
    bool isCameraEnabled();
    bool isMicEnabled();
    bool setLocalVideoWindow(WId id);
    bool setRemoteVideoWindow(WId id);
    bool setRemoteContentWindow(WId id);
    bool repaintVideo();

    // State.
    void setCallStatus(rj_app::enums::CallStatus status);
    void setContentStreamStatus(int status, std::string senderName, std::int64_t senderDeviceId);
    void setContentSourceInfo(rj::engine::RJContentSourceInfo info);
    void setConfNumber(QString number, bool force);
    void setPureConfNumber(QString number);
    void setConfPassword(QString password);
    QString getDisplayConfName() const;

    void playSound();
    void stopSound();
    void setAnonymousUserImage();
    void setLoggedInUserImage();
    void saveCurrentConfNumber2Config();

    rj_app::enums::CallStatus getCallStatus() const { return m_callStatus; }
    int getCallTypes() const { return m_callTypes; }
    QString getConfNumber() const { return m_confNumber; }
    QString getPureConfNumber() const { return m_pureConfNumber; }
    QString getConfPassword() const { return m_confPassword; }
    rj::engine::RJCallInfo getCallInfo() const { return m_callInfo; }
    rj_app::enums::ContentStreamStatus getContentStreamStatus() const { return m_contentStreamStatus; }
    QString getAcsJsonWebToken() const { return m_acsJsonWebToken; }
    QString getAcsServer() const { return m_acsServer; }
    rj::engine::RJContentSourceInfo getContentSourceInfo() const { return m_contentSourceInfo; }

    // True for the statuses 1 to 5: a call is being set up, rings or runs.
    static bool isInCall(int status) { return status >= 1 && status <= 5; }

    // Seams for tests: the retry interval of the whiteboard-token requests,
    // the network access they use (null restores the default) and the
    // ringtone file (empty restores the default).
    void setAcsRequestIntervalMs(int intervalMs);
    void setNetworkAccessFactory(NetworkAccessFactory factory);
    static void setRingtonePath(const QString &path);

    // Read directly by the views.
    rj_app::enums::CallStatus m_callStatus = rj_app::enums::Idle;
    int m_callTypes = 0;
    QString m_confNumber;
    QString m_pureConfNumber;
    QString m_confPassword;
    QString m_acsJsonWebToken;
    QString m_acsServer;
    rj::engine::RJCallInfo m_callInfo;
    rj_app::enums::ContentStreamStatus m_contentStreamStatus = rj_app::enums::ContentStreamStatus_None;
    rj_app::structs::CContentStreamInfo m_lastContentStreamInfo;
    QPointer<QNetworkReply> m_acsReply; // the pending whiteboard-token request
    QTimer *m_acsTimer = nullptr;
    rj::engine::RJContentSourceInfo m_contentSourceInfo;
    QString m_confName;

signals:
    void sigCallStatusChanged(enums::CallStatus status);
    void sigCallStateChanged();
    void sigConfNumberChanged(QString &qstrConfNumber);
    void sigContentStreamStatusChanged(structs::CContentStreamInfo info);
    void sigWaitQueue(int queueSize);

public slots:
    void slotOnCallConnected(rj::engine::RJCallInfo info);
    void slotOnCallState(rj::engine::RJCallInfo info);
    void slotOnCallPeerConnected(rj::engine::RJCallInfo info);
    void slotOnCallEnd(rj::engine::RJCallInfo callInfo);
    void slotOnContent(rj::engine::RJContentInfo contentInfo);
    void slotOnWaitQueue(int queueSize);
    void onSlotAcsInfoReplyFinished(QNetworkReply *reply);
    void onSlotRequestAcsInfoTimeout();

private:
    CCallController();

    static void registerMetaTypes();
    // Connects the facade's call and content signals once per facade.
    void connectSdkSignals();
    // The facade, or null (logged) before it is made and after the exit.
    static CRJSdkManager *sdk(const char *function);
    void cancelAcsRequest();
    static QString schemePrefix();
    static QString connectedConfNumber(const rj::engine::RJCallInfo &info);

    QPointer<CRJSdkManager> m_pConnectedSdk;
    int m_iAcsIntervalMs = m_iAcsRequestIntervalMs;
    NetworkAccessFactory m_networkAccessFactory;
};

} // namespace models
} // namespace rj_app
