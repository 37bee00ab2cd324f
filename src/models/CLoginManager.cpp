#include "models/CLoginManager.h"

#include "helpers/AppVersion.h"
#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "models/LogMasking.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QScopedValueRollback>
#include <QtConcurrent>
#include <QtDebug>

#include <algorithm>

using rj_app::enums::LoginProgress;
using rj_app::enums::LoginStatus;
using rj_app::helpers::CAppConfigUtils;
using rj_app::helpers::CUserConfigUtils;

namespace rj_app {
namespace models {

namespace {

QByteArray statusName(LoginStatus eStatus)
{
    const char *name = QMetaEnum::fromType<LoginStatus>().valueToKey(eStatus);
    return name ? QByteArray(name) : QByteArray::number(int(eStatus));
}

QByteArray progressName(LoginProgress eProgress)
{
    const char *name = QMetaEnum::fromType<LoginProgress>().valueToKey(eProgress);
    return name ? QByteArray(name) : QByteArray::number(int(eProgress));
}

int defaultPort(bool bHttps)
{
    return bHttps ? 443 : 80;
}

} // namespace

CLoginManager *CLoginManager::getInstance()
{
    static CLoginManager instance;
    return &instance;
}

CLoginManager::CLoginManager(QObject *parent)
    : QObject(parent)
{
    // Queued signals and string-based connections look the enums up by these names.
    qRegisterMetaType<LoginStatus>("rj_app::enums::LoginStatus");
    qRegisterMetaType<LoginProgress>("rj_app::enums::LoginProgress");
}

CLoginManager::~CLoginManager()
{
    // The login task posts back to this object; it must not outlive it.
    waitForLoginTask();
}

void CLoginManager::waitForLoginTask()
{
    for (QFuture<void> &task : m_loginTasks)
        task.waitForFinished();
    m_loginTasks.clear();
}

// ---------------------------------------------------------------------------
// Engine bring-up

void CLoginManager::initRJSdkManagerInstance()
{
    CRJSdkManager::initInstance();
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk) {
        qWarning() << RJ_FUNCTION << __LINE__ << "no engine facade";
        return;
    }
    pSdk->setLog(1, CUserConfigUtils::getUserConfigPath().toLocal8Bit().constData(),
                 CUserConfigUtils::m_pszSdkLogFile,
                 static_cast<unsigned int>(CUserConfigUtils::m_iSdkLogFileSize));
    pSdk->enableLog(true);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CLoginManager::initialize()
{
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk) {
        qWarning() << RJ_FUNCTION << __LINE__ << "no engine facade";
        return;
    }
    if (!m_bSdkSignalsConnected) {
        connect(pSdk, &CRJSdkManager::eventWarn, this, &CLoginManager::onWarn);
        connect(pSdk, &CRJSdkManager::eventLoginSucceed, this, &CLoginManager::onLoginSucceed);
        connect(pSdk, &CRJSdkManager::eventRegisterInfo, this, &CLoginManager::onRegisterInfo);
        connect(pSdk, &CRJSdkManager::eventDownloadUserImageComplete, this,
                &CLoginManager::onDownloadUserImageComplete);
        m_bSdkSignalsConnected = true;
    }
    initSdk();
}

void CLoginManager::initSdk()
{
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    const QByteArray userDir = CUserConfigUtils::getUserConfigPath().toLocal8Bit();

    pSdk->initialize(userDir.constData(), CUserConfigUtils::m_pszSdkConfigFile);
    pSdk->enablePreview(false);
    const QByteArray rootCA =
        (QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(m_pszRootCAFile)).toLocal8Bit();
    pSdk->setRootCA(rootCA.constData());
    pSdk->enableWhiteBoard(true);
    if (pConfig) {
        // The engine starts from its own defaults: the stored media choices
        // reach it at every start, not only once the settings page is shown.
        pSdk->enableNoiseSuppression(pConfig->getAINoiseReduction());
        pSdk->enableHardEncoder(pConfig->getEnableHardEncode());
        pSdk->enableHardDecoder(pConfig->getEnableHardDecode());
    }

    const unsigned int uLineRate = pSdk->getBandwidth();
    const bool bLineRate2M = pConfig && pConfig->getSetBw2m();
    qInfo() << "Current line rate:" << uLineRate << ", isLineRate2M:" << bLineRate2M;
    if (!bLineRate2M) {
        // The call rate is the engine's to keep; the client sets it once per
        // user configuration, later changes come from the settings page. A
        // rate the engine refused is tried again at the next start.
        if (!pSdk->setBandwidth(2048)) {
            qWarning("setLineRate2M failed");
        } else {
            if (pConfig)
                pConfig->setSetBw2m(true);
            qInfo("setLineRate2M done");
        }
    }

    const QByteArray company = CAppConfigUtils::getInstance()->getUserAgentCompanyName().toUtf8();
    pSdk->setUserAgent(company.constData(), rj_app::helpers::kAppVersion);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

// ---------------------------------------------------------------------------
// Login

QString CLoginManager::hostNameForAddress(const QString &qstrServerAddress)
{
    // An IPv6 literal (typed with or without brackets) and this machine are
    // complete as they stand; a suffix would make them unreachable.
    if (qstrServerAddress.contains(QLatin1Char(':'))) {
        if (qstrServerAddress.startsWith(QLatin1Char('[')) && qstrServerAddress.endsWith(QLatin1Char(']')))
            return qstrServerAddress.mid(1, qstrServerAddress.size() - 2);
        return qstrServerAddress;
    }
    if (qstrServerAddress.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return qstrServerAddress;
    if (qstrServerAddress.count(QLatin1Char('.')) < 2)
        return qstrServerAddress + QLatin1String(m_pszServerDomainSuffix);
    return qstrServerAddress;
}

bool CLoginManager::login(const QString &qstrServerAddress, bool bHttps, int iPort, const QString &qstrUserName,
                          const QString &qstrPassword)
{
    qInfo() << "userName:" << qstrUserName << ", port:" << iPort << ", serverAddress:" << qstrServerAddress;
    if (m_loginStatus != enums::NotLogin && m_loginStatus != enums::LoginFailed) {
        qInfo("Can not login for m_loginStatus: %d", int(m_loginStatus));
        return false;
    }
    if (qstrUserName.isEmpty() || qstrPassword.isEmpty() || qstrServerAddress.isEmpty())
        return false;
    if (iPort < 0 || iPort > 65535) {
        qWarning() << "Can not login with port" << iPort;
        return false;
    }
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk || !pSdk->hasEngine()) {
        // The outcome of a login only ever arrives as an engine event.
        qWarning() << RJ_FUNCTION << __LINE__ << "no engine";
        return false;
    }

    m_qstrServerAddress = qstrServerAddress;
    m_qstrServerHostName = hostNameForAddress(qstrServerAddress);
    m_qstrPassword = qstrPassword;
    m_bUseHttps = bHttps;
    m_iPort = iPort;
    m_bAvatarDownloaded = false;

    setLoginStatus(enums::LoggingIn);
    qInfo("Begin to login in a new thread");
    pSdk->enableSecure(bHttps);

    // The task gets everything it needs now: the default port follows this
    // login's scheme, and nothing is read from shared state on the pool.
    const unsigned int uPort = static_cast<unsigned int>(iPort != 0 ? iPort : defaultPort(bHttps));
    const quint64 ullGeneration = ++m_ullLoginGeneration;
    const QString qstrHostName = m_qstrServerHostName;
    const rj::engine::AVFeature feature = m_feature;
    // A task of an earlier, failed login may still be returning from the
    // engine; it works on its own copies, so it is only kept for the destructor.
    m_loginTasks.erase(std::remove_if(m_loginTasks.begin(), m_loginTasks.end(),
                                      [](const QFuture<void> &task) { return task.isFinished(); }),
                       m_loginTasks.end());
    m_loginTasks.append(QtConcurrent::run([this, ullGeneration, qstrHostName, uPort, qstrUserName, qstrPassword,
                                           feature]() {
        runLoginTask(this, ullGeneration, qstrHostName, uPort, qstrUserName, qstrPassword, feature);
    }));
    return true;
}

void CLoginManager::runLoginTask(CLoginManager *pManager, quint64 ullGeneration, QString qstrHostName,
                                 unsigned int uPort, QString qstrUserName, QString qstrPassword,
                                 rj::engine::AVFeature feature)
{
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk)
        return;
    const QByteArray host = qstrHostName.toUtf8();
    const bool bFeatureOk = pSdk->getFeature(host.constData(), uPort, feature);
    // The feature belongs to the GUI thread; it is posted before the login
    // starts, so it is in place before any login event arrives.
    QMetaObject::invokeMethod(
        pManager,
        [pManager, ullGeneration, feature]() {
            if (ullGeneration == pManager->m_ullLoginGeneration)
                pManager->m_feature = feature;
        },
        Qt::QueuedConnection);
    if (!bFeatureOk)
        return;

    const int iType = feature.passwordEncryptionWithAES ? 1 : 0;
    const std::string cipher = pSdk->encryptPassword(iType, qstrPassword.toUtf8().constData());
    pSdk->avlogin(host.constData(), uPort, qstrUserName.toUtf8().constData(), cipher.c_str());
    qInfo("exec login");
}

void CLoginManager::onLoginSucceed(rj::engine::RJUserInfo user)
{
    qInfo() << "userId:" << user.userId;
    m_userInfo = user;
    resetTokenRenewal();

    LoginStatus eNewStatus = enums::LoggedIn;
    if (m_loginStatus == enums::LoggingIn) {
        qInfo("Login succeed and should download avatar");
        downloadAvatar();
        if (user.mustChangePasswd) {
            qInfo("Need to change password");
            setLoginProgress(enums::ChangePasswordPage);
            eNewStatus = enums::NeedChangePassword;
        }
    }

    if (CUserConfigUtils *pConfig = CUserConfigUtils::getInstance()) {
        // A success without a login of ours in memory must not blank what is stored.
        if (!m_qstrServerAddress.isEmpty()) {
            pConfig->setIp(m_qstrServerAddress);
            pConfig->setUseHttps(m_bUseHttps);
            // A default port is not written, but a stored port of an earlier
            // login must not survive it: it would steer the next automatic login.
            if (m_iPort != 0 || pConfig->getPort() != 0)
                pConfig->setPort(m_iPort);
        }
        const QString qstrUserName = QString::fromStdString(user.username);
        qInfo() << "loginStatus:" << statusName(eNewStatus).constData() << ", username:" << qstrUserName;
        pConfig->setUser(qstrUserName);
        CRJSdkManager *pSdk = CRJSdkManager::getInstance();
        if (!m_qstrPassword.isEmpty() && pSdk) {
            const std::string stored =
                pSdk->encryptPassword(2, m_qstrPassword.toUtf8().constData(), m_pszPasswordKey);
            pConfig->setPassword(QString::fromStdString(stored));
        }
    }

    qInfo() << "Login successfully, set m_loginStatus to:" << statusName(m_loginStatus).constData();
    setLoginStatus(eNewStatus);
    setDisplayName(QString::fromStdString(user.displayName));
    emit sigLoginTokenChanged();
}

void CLoginManager::downloadAvatar()
{
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    const QString qstrHeader = pConfig ? pConfig->getHeaderImagePath() : QString();
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk) {
        qWarning() << RJ_FUNCTION << __LINE__ << "no engine facade";
        return;
    }
    if (qstrHeader.isEmpty()) {
        qWarning("no user configuration, avatar not downloaded");
        return;
    }
    if (QFile::exists(qstrHeader)) {
        if (QFile::remove(qstrHeader))
            qInfo("avatar file is removed");
        else
            qWarning("Failed to remove avatar file");
    } else {
        qInfo("avatar file is not existed");
    }

    // A token may hold any character ("/" included); the file name is a hash of it.
    const QByteArray tokenHash =
        QCryptographicHash::hash(QByteArray::fromStdString(m_userInfo.token), QCryptographicHash::Sha1).toHex();
    const QString qstrTarget = CUserConfigUtils::getUserConfigPath() + QLatin1Char('/') +
                               QString::fromLatin1(tokenHash) + QStringLiteral("_header.jpg");
    qInfo() << "Begin to download avatar to:" << qstrTarget;
    m_qstrAvatarTempPath = qstrTarget;
    m_avatarTempPaths.insert(qstrTarget);
    pSdk->downloadUserImage(qstrTarget.toLocal8Bit().constData());
}

void CLoginManager::onDownloadUserImageComplete(std::string szPath)
{
    const QString qstrPath = QString::fromLocal8Bit(szPath.c_str());
    qInfo() << RJ_FUNCTION << __LINE__ << qstrPath;
    // Only files this object asked for are copied or deleted.
    if (!m_avatarTempPaths.remove(qstrPath)) {
        qWarning() << "Ignore avatar download that was not requested:" << qstrPath;
        return;
    }
    if (qstrPath == m_qstrAvatarTempPath) {
        m_qstrAvatarTempPath.clear();
        CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
        const QString qstrHeader = pConfig ? pConfig->getHeaderImagePath() : QString();
        if (!qstrHeader.isEmpty() && QFile::copy(qstrPath, qstrHeader)) {
            m_bAvatarDownloaded = true;
            emit sigAvatarDownloadedOk();
        } else {
            qWarning("Failed to copy avatar file");
        }
    }
    if (!QFile::remove(qstrPath))
        qWarning("Failed to remove download avatar temp file");
}

QString CLoginManager::getLoggedInUserAvatarPath() const
{
    if (!m_bAvatarDownloaded) {
        return QString::fromLatin1(m_loginStatus == enums::AnonymousLoggedIn ? m_pszSkipLoginAvatar
                                                                            : m_pszDefaultAvatar);
    }
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    const QString qstrHeader = pConfig ? pConfig->getHeaderImagePath() : QString();
    if (qstrHeader.isEmpty() || QFileInfo(qstrHeader).size() == 0) {
        qWarning("Downloaded avatar file size is 0, so use default avatar");
        return QString::fromLatin1(m_pszDefaultAvatar);
    }
    return qstrHeader;
}

// ---------------------------------------------------------------------------
// Stored login

QString CLoginManager::getConfigPassword() const
{
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    const QString qstrStored = pConfig ? pConfig->getPassword() : QString();
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (qstrStored.isEmpty() || !pSdk)
        return QString();
    const std::string plain =
        pSdk->descryptPassword(2, qstrStored.toUtf8().constData(), m_pszPasswordKey, "");
    return QString::fromUtf8(plain.c_str());
}

bool CLoginManager::hasValidConfigLoginInfo()
{
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    const QString qstrUser = pConfig ? pConfig->getUser() : QString();
    const QString qstrIp = pConfig ? pConfig->getIp() : QString();
    if (!qstrUser.isEmpty() && !qstrIp.isEmpty() && !getConfigPassword().isEmpty())
        return true;
    qInfo() << "Can not auto login, UserName:" << qstrUser << ", ServerAddress:" << qstrIp << ", invalid password";
    return false;
}

bool CLoginManager::tryAutoLogin(bool bForce)
{
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    if (!pConfig) {
        qInfo("empty login info");
        qInfo("Can not login");
        return false;
    }
    const QString qstrIp = pConfig->getIp();
    const QString qstrUser = pConfig->getUser();
    const QString qstrPassword = getConfigPassword();
    const int iPort = pConfig->getPort();
    const bool bHttps = pConfig->getUseHttps();
    if (qstrIp.isEmpty() || qstrUser.isEmpty() || qstrPassword.isEmpty()) {
        qInfo("empty login info");
        qInfo("Can not login");
        return false;
    }
    const bool bRememberMe = pConfig->getRememberMe();
    qInfo() << "getIsAutoLogin:" << bRememberMe << ", bForceLogin:" << bForce;
    if (bRememberMe || bForce)
        return login(qstrIp, bHttps, iPort, qstrUser, qstrPassword);
    qInfo("Can not login");
    return false;
}

// ---------------------------------------------------------------------------
// Status

void CLoginManager::logout()
{
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (m_loginStatus == enums::LoggedIn && pSdk)
        pSdk->avlogout();
    resetTokenRenewal();
    setLoginStatus(enums::NotLogin);
}

void CLoginManager::onLoggingInFailed(bool bLogout)
{
    qInfo("CLoginManager::onLoggingInFailed: %d", int(bLogout));
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (bLogout && pSdk)
        pSdk->avlogout();
    setLoginStatus(enums::LoginFailed);
    CUrlJoinConfArgsParser::getInstance()->clear();
}

void CLoginManager::setLoginStatus(LoginStatus eStatus)
{
    if (eStatus == m_loginStatus)
        return;
    const LoginStatus eOld = m_loginStatus;
    qInfo() << "Change login status from" << statusName(eOld).constData() << "to" << statusName(eStatus).constData();
    if (eStatus == enums::LoggingIn || eStatus == enums::NotLogin) {
        m_bAvatarDownloaded = false;
        // A download still under way belongs to the session that ends here.
        m_qstrAvatarTempPath.clear();
    }
    if (eStatus == enums::LoginFailed || eStatus == enums::NotLogin) {
        qInfo("Clear register info");
        m_previousRegisterInfo = m_registerInfo;
        m_registerInfo.clear();
        setLoginProgress(eOld == enums::AnonymousLoggingIn ? enums::JoinConfPage : enums::LoginInfoPage);
    }
    if (CUserConfigUtils *pConfig = CUserConfigUtils::getInstance())
        pConfig->setLoginStatus(eStatus);
    m_previousLoginStatus = eOld;
    m_loginStatus = eStatus;
    qInfo("emit loginStatusChanged");
    emit loginStatusChanged(eStatus);
}

void CLoginManager::setLoginProgress(LoginProgress eProgress)
{
    qInfo() << RJ_FUNCTION << __LINE__ << progressName(eProgress).constData();
    m_loginProgress = eProgress;
    emit loginProgressChanged(eProgress);
}

void CLoginManager::setDisplayName(const QString &qstrName)
{
    qInfo() << "CLoginManager::setDisplayName:" << qstrName;
    m_qstrDisplayName = qstrName;
    emit sigDisplayNameChanged();
}

void CLoginManager::setPassword(const QString &qstrPassword)
{
    m_qstrPassword = qstrPassword;
}

void CLoginManager::onRegisterInfo(rj::engine::RJRegisterInfo info)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "state:" << info.state;
    m_previousRegisterInfo = m_registerInfo;
    m_registerInfo = info;
    emit sigRegisterInfoChanged(info);
}

void CLoginManager::onWarn(rj::engine::RJWarn warn)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "code:" << warn.code;
}

void CLoginManager::setCallStatusGetter(CallStatusGetter getter)
{
    m_callStatusGetter = std::move(getter);
}

void CLoginManager::setClock(MonotonicClock clock)
{
    m_clock = std::move(clock);
    // Readings of another clock say nothing about this one.
    m_bTokenRenewed = false;
}

void CLoginManager::resetTokenRenewal()
{
    m_bTokenRenewed = false;
    m_bTokenRefused = false;
}

void CLoginManager::updateLoginToken(bool bLogoutOnFailure)
{
    if (m_loginStatus != enums::LoggedIn) {
        qInfo("Can't update login token for not login.");
        return;
    }
    // The receivers of a renewal ask the server again, and its answers may
    // ask for another renewal while this one is delivered.
    if (m_bRenewingToken) {
        qInfo("Token renewal already running.");
        return;
    }
    if (!m_clock) {
        static QElapsedTimer s_monotonic;
        if (!s_monotonic.isValid())
            s_monotonic.start();
        m_clock = [] { return s_monotonic.elapsed(); };
    }
    const qint64 llNow = m_clock();
    if (m_bTokenRenewed && llNow - m_llLastTokenRenewalMs < m_iTokenRenewalIntervalMs) {
        // A server that refuses every token would otherwise be asked in a loop.
        qWarning() << "Token renewed" << llNow - m_llLastTokenRenewalMs << "ms ago; not again yet.";
        m_bTokenRefused = true;
        return;
    }
    m_bTokenRenewed = true;
    m_llLastTokenRenewalMs = llNow;
    const QScopedValueRollback<bool> renewing(m_bRenewingToken, true);

    qInfo("Update login token.");
    rj::engine::RJUserInfo user;
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (pSdk && pSdk->getUserInfo(user)) {
        if (user.token == m_userInfo.token) {
            // The server has just refused this token; asking it again with
            // the same one cannot help. Signed in the user stays: the engine
            // still holds the login, and the next login brings a new token.
            qWarning("Token renewal brought back the refused token.");
            m_bTokenRefused = true;
            return;
        }
        m_userInfo = user;
        m_bTokenRefused = false;
        const QString qstrName = QString::fromStdString(user.displayName);
        qInfo() << "Updated token:" << maskedToken(user.token).c_str() << ", displayName" << qstrName;
        setDisplayName(qstrName);
        const QScopedValueRollback<bool> delivering(m_bDeliveringRenewedToken, true);
        emit sigLoginTokenChanged();
        return;
    }
    qWarning("Failed to update login token");
    m_bTokenRefused = true;
    const int iCallStatus = m_callStatusGetter ? m_callStatusGetter() : 0;
    if (bLogoutOnFailure && (iCallStatus < 2 || iCallStatus > 5)) {
        setLoginStatus(enums::NotLogin);
        qInfo("Failed to update token and logout.");
    }
}

// ---------------------------------------------------------------------------
// Queries

QString CLoginManager::getToken() const
{
    if (m_loginStatus != enums::LoggedIn)
        return QString();
    return QString::fromStdString(m_userInfo.token);
}

int CLoginManager::getPort() const
{
    if (m_iPort != 0)
        return m_iPort;
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    return defaultPort(pConfig ? pConfig->getUseHttps() : true);
}

QString CLoginManager::getUrlPrefix() const
{
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    const bool bHttps = pConfig ? pConfig->getUseHttps() : true;
    // An IPv6 host is bracketed in an address, or its port would read as part of it.
    const QString qstrHost = m_qstrServerHostName.contains(QLatin1Char(':'))
                                 ? QLatin1Char('[') + m_qstrServerHostName + QLatin1Char(']')
                                 : m_qstrServerHostName;
    return (bHttps ? QStringLiteral("https://") : QStringLiteral("http://")) + qstrHost + QLatin1Char(':') +
           QString::number(getPort());
}

rj::engine::RJRegisterInfo CLoginManager::getRegisterInfo() const
{
    return m_registerInfo;
}

QString CLoginManager::getPassword() const
{
    return m_qstrPassword;
}

} // namespace models
} // namespace rj_app
