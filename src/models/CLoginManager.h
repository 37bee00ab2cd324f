#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "helpers/Enums.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

class TestLoginManager;

namespace rj_app {
namespace models {

// The login state of the client and the engine's bring-up. One process-wide
// object living in the GUI thread; windows read its state directly and listen
// to its signals. Every member function runs in the GUI thread; the only work
// done elsewhere is the login task on the global thread pool, which is handed
// copies of what it needs and reports back through queued calls.
class CLoginManager : public QObject
{
    Q_OBJECT

public:
    // Completes short server addresses (fewer than two dots) to a host name;
    // "localhost" and IPv6 literals stay as they are.
    static constexpr const char *m_pszServerDomainSuffix = ".glimora.example";
    // Key of the engine's stored-password encryption.
    static constexpr const char *m_pszPasswordKey = "MK305918";
    static constexpr const char *m_pszDefaultAvatar =
        ":/resources/images/home-window/default_logged_in_user_avatar.png";
    static constexpr const char *m_pszSkipLoginAvatar =
        ":/resources/images/home-window/skip_logged_in_user_avatar.png";

    // Status of the call controller's current call; updateLoginToken never
    // signs out while it is between 2 and 5 (a call is under way).
    using CallStatusGetter = std::function<int()>;

    static CLoginManager *getInstance();

    ~CLoginManager() override;

    // Engine bring-up.
    void initRJSdkManagerInstance();
    void initialize();

    // Account operations.
    bool login(const QString &qstrServerAddress, bool bHttps, int iPort, const QString &qstrUserName,
               const QString &qstrPassword);
    void logout();
    void onLoggingInFailed(bool bLogout);
    bool tryAutoLogin(bool bForce);
    bool hasValidConfigLoginInfo();
    void updateLoginToken(bool bLogoutOnFailure);
    void setLoginStatus(rj_app::enums::LoginStatus eStatus);
    void setLoginProgress(rj_app::enums::LoginProgress eProgress);
    void setDisplayName(const QString &qstrName);
    void setPassword(const QString &qstrPassword);

    // Queries.
    QString getToken() const;
    int getPort() const;
    QString getUrlPrefix() const;
    rj::engine::RJRegisterInfo getRegisterInfo() const;
    QString getPassword() const;
    QString getConfigPassword() const;
    QString getLoggedInUserAvatarPath() const;

    // The host name a server address is contacted at (an IPv6 literal without
    // brackets).
    static QString hostNameForAddress(const QString &qstrServerAddress);

    // Installed by the call controller; without it no call is assumed.
    void setCallStatusGetter(CallStatusGetter getter);

    // Token renewal. At most one runs at a time and at most one per
    // m_iTokenRenewalIntervalMs; a renewal that brings back the token the
    // server refused fails. After a failed renewal isTokenRefused() holds
    // until the token changes, and background refreshes stop asking.
    static constexpr int m_iTokenRenewalIntervalMs = 60000;
    bool isTokenRefused() const { return m_bTokenRefused; }
    // The person acted, or the server took the token again: background
    // refreshes may ask once more.
    void clearTokenRefused() { m_bTokenRefused = false; }
    // True while sigLoginTokenChanged of a renewal (not of a login) is
    // delivered: the pages keep what the person is looking at.
    bool isDeliveringRenewedToken() const { return m_bDeliveringRenewedToken; }
    // Milliseconds of a monotonic clock; tests step it.
    using MonotonicClock = std::function<qint64()>;
    void setClock(MonotonicClock clock);

    // State read directly by the windows; written only by this class.
    rj_app::enums::LoginStatus m_previousLoginStatus = rj_app::enums::NotLogin;
    rj_app::enums::LoginStatus m_loginStatus = rj_app::enums::NotLogin;
    rj_app::enums::LoginProgress m_loginProgress = rj_app::enums::NoPageChosen;
    QString m_qstrServerAddress;  // as typed in the login form
    QString m_qstrServerHostName; // the address completed with the domain suffix
    int m_iPort = 0;              // 0: the default port of the scheme
    bool m_bUseHttps = false;
    QString m_qstrPassword;
    rj::engine::RJRegisterInfo m_previousRegisterInfo;
    rj::engine::RJRegisterInfo m_registerInfo;
    rj::engine::RJUserInfo m_userInfo;
    QString m_qstrDisplayName;
    bool m_bAvatarDownloaded = false;
    rj::engine::AVFeature m_feature;
    static constexpr const char *m_pszRootCAFile = "rootca.pem";

signals:
    void loginStatusChanged(rj_app::enums::LoginStatus status);
    void loginProgressChanged(rj_app::enums::LoginProgress progress);
    void sigDisplayNameChanged();
    void sigLoginTokenChanged();
    void sigAvatarDownloadedOk();
    void sigRegisterInfoChanged(rj::engine::RJRegisterInfo info);

public slots:
    void onWarn(rj::engine::RJWarn warn);
    void onLoginSucceed(rj::engine::RJUserInfo user);
    void onRegisterInfo(rj::engine::RJRegisterInfo info);
    void onDownloadUserImageComplete(std::string szPath);

private:
    friend class ::TestLoginManager;

    explicit CLoginManager(QObject *parent = nullptr);

    void initSdk();
    void downloadAvatar();
    void waitForLoginTask();
    static void runLoginTask(CLoginManager *pManager, quint64 ullGeneration, QString qstrHostName,
                             unsigned int uPort, QString qstrUserName, QString qstrPassword,
                             rj::engine::AVFeature feature);

    void resetTokenRenewal();

    CallStatusGetter m_callStatusGetter;
    MonotonicClock m_clock;
    qint64 m_llLastTokenRenewalMs = 0;
    bool m_bTokenRenewed = false;      // m_llLastTokenRenewalMs is set
    bool m_bRenewingToken = false;
    bool m_bTokenRefused = false;
    bool m_bDeliveringRenewedToken = false;
    bool m_bSdkSignalsConnected = false;
    QList<QFuture<void>> m_loginTasks;
    quint64 m_ullLoginGeneration = 0;
    QString m_qstrAvatarTempPath;     // the download of the current login
    QSet<QString> m_avatarTempPaths;  // every download asked for and not yet completed
};

} // namespace models
} // namespace rj_app
