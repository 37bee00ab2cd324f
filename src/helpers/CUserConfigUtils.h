#pragma once

#include "helpers/CConfigUtils.h"
#include "helpers/Enums.h"

#include <QMutex>
#include <QString>
#include <QStringList>

#include <atomic>
#include <shared_mutex>

class TestUserConfigUtils;

namespace rj_app::helpers {

// The per-user data directory and its "config.ini". Setters run in the GUI
// thread and write the file at once; getters may run on any thread. Every
// accessor holds the lock and hands out copies.
class CUserConfigUtils
{
public:
    static constexpr const char *m_pszSdkConfigFile = "brondalrc";
    static constexpr const char *m_pszSdkLogFile = "rjsdk";
    static constexpr int m_iSdkLogFileSize = 31457280;

    static void initInstance(const char *pszAppFullName);
    static CUserConfigUtils *getInstance();
    static void releaseInstance();
    static QString getUserConfigPath();
    static void parseAppNameAndPath(const char *pszAppFullName);

    virtual ~CUserConfigUtils();
    CUserConfigUtils(const CUserConfigUtils &) = delete;
    CUserConfigUtils &operator=(const CUserConfigUtils &) = delete;

    // Section Config
    bool getDisableCameraOnJoinConf() const;
    void setDisableCameraOnJoinConf(bool bValue);
    bool getDisableMicOnJoinConf() const;
    void setDisableMicOnJoinConf(bool bValue);
    bool getDisablePrompt() const;
    void setDisablePrompt(bool bValue);
    QString getIp() const;
    void setIp(const QString &qstrValue);
    bool getUseHttps() const;
    void setUseHttps(bool bValue);
    int getPort() const;
    void setPort(int iValue);
    QString getUser() const;
    void setUser(const QString &qstrValue);
    QString getPassword() const;
    void setPassword(const QString &qstrValue);
    QString getJoinConfServerAddress() const;
    void setJoinConfServerAddress(const QString &qstrValue);
    QString getJoinConfNumber() const;
    void setJoinConfNumber(const QString &qstrValue);
    QString getJoinConfDisplayName() const;
    void setJoinConfDisplayName(const QString &qstrValue);
    QString getJoinConfPassword() const;
    void setJoinConfPassword(const QString &qstrValue);
    bool getSetBw2m() const;
    void setSetBw2m(bool bValue);
    QString getDeviceSn();
    void setDeviceSn(const QString &qstrValue);
    bool getRememberMe() const;
    void setRememberMe(bool bValue);
    bool getAntoAnswer() const;
    void setAntoAnswer(bool bValue);
    bool getAutoCaptureWin() const;
    void setAutoCaptureWin(bool bValue);
    bool getOpenNewWinInContentStream() const;
    void setOpenNewWinInContentStream(bool bValue);
    QString getScreenPicPath();
    void setScreenPicPath(const QString &qstrValue);
    QString getLanguage() const;
    void setLanguage(const QString &qstrValue);
    rj_app::enums::LoginStatus getLoginStatus() const;
    void setLoginStatus(rj_app::enums::LoginStatus eStatus);
    bool getFullScreenOnCallConnected() const;
    void setFullScreenOnCallConnected(bool bValue);
    bool getAINoiseReduction() const;
    void setAINoiseReduction(bool bValue);
    bool getEnableHardEncode() const;
    void setEnableHardEncode(bool bValue);
    bool getEnableHardDecode() const;
    void setEnableHardDecode(bool bValue);
    QString getHeaderImagePath();

    // Section ConfRunningStatus
    bool getIsConfRunning() const;
    void setIsConfRunning(bool bValue);
    QString getConfId() const;
    void setConfId(const QString &qstrValue);

    // Section ConferenceIdsSetting
    QStringList getConfIds() const;
    void setConfIds(const QStringList &qstrlstIds);

    // Section SipSetting
    QString getTransportProtocol() const;
    void setTransportProtocol(const QString &qstrValue);
    QString getScreenName() const;
    void setScreenName(const QString &qstrValue);
    bool getEnableRegistration() const;
    void setEnableRegistration(bool bValue);
    QString getProxyServerAddress() const;
    void setProxyServerAddress(const QString &qstrValue);
    QString getDomain() const;
    void setDomain(const QString &qstrValue);
    QString getSignInAddress() const;
    void setSignInAddress(const QString &qstrValue);
    QString getAuthenticationUserName() const;
    void setAuthenticationUserName(const QString &qstrValue);
    QString getAuthenticationPassword() const;
    void setAuthenticationPassword(const QString &qstrValue);

    // The whole section as the SIP page saves it.
    struct SipSettings
    {
        QString transportProtocol;
        QString screenName;
        bool enableRegistration = false;
        QString proxyServerAddress;
        QString domain;
        QString signInAddress;
        QString authenticationUserName;
        QString authenticationPassword;

        bool operator==(const SipSettings &o) const
        {
            return transportProtocol == o.transportProtocol && screenName == o.screenName
                   && enableRegistration == o.enableRegistration && proxyServerAddress == o.proxyServerAddress
                   && domain == o.domain && signInAddress == o.signInAddress
                   && authenticationUserName == o.authenticationUserName
                   && authenticationPassword == o.authenticationPassword;
        }
    };
    SipSettings getSipSettings() const;
    // Stores all eight values in one save, or none of them: when the save
    // fails the table is put back and the notifier hears of it, as with the
    // single setters. Returns whether the file holds them.
    bool setSipSettings(const SipSettings &settings);

private:
    friend class ::TestUserConfigUtils;

    explicit CUserConfigUtils(const QString &qstrFilePath);

    static QString resolveUserConfigPath();
    static QString setAside(const QString &qstrFilePath);
    void loadFromOldConfigFile();

    // Callers hold m_lock (but not store).
    QString readString(const char *pszSection, const char *pszKey) const;
    bool readTrueTest(const char *pszSection, const char *pszKey) const;
    bool readFalseTest(const char *pszSection, const char *pszKey) const;
    bool readIntBool(const char *pszSection, const char *pszKey, int iDefault) const;
    QString readBase64(const char *pszSection, const char *pszKey) const;
    bool assign(const char *pszSection, const char *pszKey, const QByteArray &value);
    // Stores one value and saves; when the save fails, the table is put back
    // as the file holds it and the notifier hears of it. Takes the lock.
    void store(const char *pszSection, const char *pszKey, const QByteArray &value);
    // Saves after the caller's assignments; puts back `before` on failure.
    // The caller holds the lock; returns the failure reason, empty on success.
    QString saveOrRevert(const CConfigUtils &before);
    static void reportSave(const QString &failure);

    // std::shared_mutex rather than QReadWriteLock: the sanitizer sees into it.
    mutable std::shared_mutex m_lock;
    CConfigUtils m_ini;
    QString m_qstrHeaderImagePath;

    static QString m_qstrAppName;
    static QString m_qstrAppPath;
    static QString m_qstrUserConfigPath;
    static QMutex m_mutex;     // creation of the instance
    static QMutex m_pathMutex; // the three directory values above
    static std::atomic<CUserConfigUtils *> m_pInstance;
};

} // namespace rj_app::helpers
