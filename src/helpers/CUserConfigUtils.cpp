#include "helpers/CUserConfigUtils.h"

#include "helpers/CConfigSaveNotifier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaEnum>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUuid>
#include <QtDebug>

#include <mutex>
#include <sys/stat.h>

namespace rj_app::helpers {

namespace {

const char kSecConfig[] = "Config";
const char kSecConfRunningStatus[] = "ConfRunningStatus";
const char kSecConferenceIds[] = "ConferenceIdsSetting";
const char kSecSip[] = "SipSetting";

const char kDisableCameraOnJoinConf[] = "DisableCameraOnJoinConf";
const char kDisableMicOnJoinConf[] = "DisableMicOnJoinConf";
const char kDisablePrompt[] = "DisablePrompt";
const char kIp[] = "Ip";
const char kUseHttps[] = "useHttps";
const char kPort[] = "port";
const char kUser[] = "User";
const char kPassword[] = "Password";
const char kJoinConfServerAddress[] = "JoinConfServerAddress";
const char kJoinConfNumber[] = "JoinConfNumber";
const char kJoinConfDisplayNameUtf8[] = "JoinConfDisplayNameUtf8";
const char kJoinConfPassword[] = "JoinConfPassword";
const char kSetBw2m[] = "set_bw_2m";
const char kSupport1080P[] = "support1080P";
const char kDeviceSn[] = "DeviceSn";
const char kRememberMe[] = "RememberMe";
const char kAntoAnswer[] = "AntoAnswer";
const char kAutoCaptureWin[] = "autoCaptureWin";
const char kOpenNewWinInContentStream[] = "openNewWinInContentStream";
const char kOpenHighFrameRateVideo[] = "openHighFrameRateVideo";
const char kScreenPicPathUtf8[] = "ScreenPicPathUtf8";
const char kLanguage[] = "language";
const char kLoginStatus[] = "LoginStatus";
const char kFullScreenOnCallConnected[] = "FullScreenOnCallConnected";
const char kConfigFileVersion[] = "ConfigFileVersion";
const char kAINoiseReduction[] = "AINoiseReduction";
const char kEnableHardEncode[] = "EnableHardEncode";
const char kEnableHardDecode[] = "EnableHardDecode";
// Keys of earlier file versions, emptied by the version upgrade.
const char kJoinConfDisplayName[] = "JoinConfDisplayName";
const char kScreenPicPath[] = "ScreenPicPath";
const char kScreenName[] = "ScreenName";

const char kIsConfRunning[] = "IsConfRunning";
const char kConfId[] = "ConfId";

const char kConfIdsCount[] = "ConfIdsCount";
const char kConfIdsPrefix[] = "ConfIds_";

const char kTransportProtocol[] = "TransportProtocol";
const char kScreenNameUtf8[] = "ScreenNameUtf8";
const char kEnableRegistration[] = "EnableRegistration";
const char kProxyServerAddress[] = "ProxyServerAddress";
const char kDomain[] = "Domain";
const char kSignInAddress[] = "SignInAddress";
const char kAuthenticationUserName[] = "AuthenticationUserName";
const char kAuthenticationPassword[] = "AuthenticationPassword";

const char kHeaderImage[] = "header.jpg";

const int kCurrentConfigFileVersion = 2;
// The call controller keeps five numbers; a corrupt count must not make a
// reader allocate millions of entries.
const int kMaxConfIds = 1000;

QByteArray boolText(bool bValue)
{
    return bValue ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

bool isTrueText(const QByteArray &value)
{
    return QString::fromUtf8(value).toLower() == QLatin1String("true");
}

QByteArray confIdKey(int iIndex)
{
    return kConfIdsPrefix + QByteArray::number(iIndex);
}

// The names stored for LoginStatus; NeedChangePassword has none.
const rj_app::enums::LoginStatus kStoredLoginStatuses[] = {
    rj_app::enums::NotLogin,          rj_app::enums::LoggedIn,          rj_app::enums::LoggingIn,
    rj_app::enums::LoginFailed,       rj_app::enums::AnonymousLoggedIn, rj_app::enums::AnonymousLoggingIn,
};

} // namespace

QString CUserConfigUtils::m_qstrAppName;
QString CUserConfigUtils::m_qstrAppPath;
QString CUserConfigUtils::m_qstrUserConfigPath;
QMutex CUserConfigUtils::m_mutex;
QMutex CUserConfigUtils::m_pathMutex;
std::atomic<CUserConfigUtils *> CUserConfigUtils::m_pInstance {nullptr};

// ---------------------------------------------------------------------------
// Process-wide instance and directories

void CUserConfigUtils::initInstance(const char *pszAppFullName)
{
    parseAppNameAndPath(pszAppFullName);
    if (m_pInstance.load())
        return;
    QMutexLocker locker(&m_mutex);
    if (m_pInstance.load())
        return;

    const QString qstrConfigDir = getUserConfigPath() + QStringLiteral("/Glimora/Config");
    if (!QDir(qstrConfigDir).exists())
        QDir().mkpath(qstrConfigDir);
    const QString qstrFile = qstrConfigDir + QStringLiteral("/config.ini");
    qInfo() << "userConfigPath:" << qstrFile;
    m_pInstance.store(new CUserConfigUtils(qstrFile));
}

CUserConfigUtils *CUserConfigUtils::getInstance()
{
    return m_pInstance.load();
}

void CUserConfigUtils::releaseInstance()
{
    QMutexLocker locker(&m_mutex);
    CUserConfigUtils *pInstance = m_pInstance.exchange(nullptr);
    if (!pInstance)
        return;
    qInfo("CUserConfigUtils::releaseInstance");
    delete pInstance;
}

void CUserConfigUtils::parseAppNameAndPath(const char *pszAppFullName)
{
    qInfo() << "pszAppFullName:" << pszAppFullName;
    QMutexLocker locker(&m_pathMutex);
    if (!pszAppFullName) {
        m_qstrAppName.clear();
        m_qstrAppPath.clear();
        return;
    }
    const QString qstrFull = QFile::decodeName(pszAppFullName);
    const int iSep = qstrFull.lastIndexOf(QDir::separator());
    if (iSep <= 0) {
        m_qstrAppName = qstrFull;
        m_qstrAppPath = QDir::currentPath();
    } else {
        m_qstrAppName = qstrFull.mid(iSep + 1);
        m_qstrAppPath = qstrFull.left(iSep);
    }
    const int iDot = m_qstrAppName.indexOf(QLatin1Char('.'));
    if (iDot > 0)
        m_qstrAppName.truncate(iDot);

    qInfo() << "m_qstrAppName:" << m_qstrAppName;
    qInfo() << "m_qstrAppPath:" << m_qstrAppPath;
}

QString CUserConfigUtils::getUserConfigPath()
{
    QMutexLocker locker(&m_pathMutex);
    qInfo() << "m_qstrUserConfigPath:" << m_qstrUserConfigPath;
    if (!m_qstrUserConfigPath.isEmpty())
        return m_qstrUserConfigPath;

    qInfo("m_qstrUserConfigPath is empty");
    m_qstrUserConfigPath = resolveUserConfigPath();
    qInfo() << "m_qstrUserConfigPath:" << m_qstrUserConfigPath;
    return m_qstrUserConfigPath;
}

// Caller holds m_pathMutex.
QString CUserConfigUtils::resolveUserConfigPath()
{
    QString qstrAppData = QProcessEnvironment::systemEnvironment().value(QStringLiteral("appdata"));
    // Without "appdata" the XDG data location stands where it stands on Windows.
    if (qstrAppData.isEmpty())
        qstrAppData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (qstrAppData.isEmpty())
        return m_qstrAppPath;

    qInfo() << "appData:" << qstrAppData;
    qstrAppData.replace(QLatin1Char('\\'), QLatin1Char('/'));
    qInfo() << "parsed appData:" << qstrAppData;
    const QString qstrDir = qstrAppData + QLatin1Char('/') + m_qstrAppName;

    if (!QDir(qstrDir).exists()) {
        // Crash dumps, logs and the login data live here: owner only.
        const QFileInfo info(qstrDir);
        QDir().mkpath(info.absolutePath());
        ::mkdir(QFile::encodeName(info.absoluteFilePath()).constData(), 0700);
        if (!QDir(qstrDir).exists()) {
            qWarning() << "Can not create the user data directory" << qstrDir;
            return m_qstrAppPath;
        }
    }
    return qstrDir;
}

// ---------------------------------------------------------------------------
// Construction, migration, version upgrade

CUserConfigUtils::CUserConfigUtils(const QString &qstrFilePath)
{
    qInfo() << Q_FUNC_INFO << qstrFilePath;
    const QByteArray path = QFile::encodeName(qstrFilePath);
    if (!m_ini.load(path.constData())) {
        qInfo("Failed to open CUserConfigUtils");
        bool bCreate = true;
        if (QFileInfo::exists(qstrFilePath)) {
            // The file is there but unreadable or broken: keep it for the user
            // instead of wiping it.
            const QString qstrAside = setAside(qstrFilePath);
            if (qstrAside.isEmpty()) {
                qWarning() << "Can not move the broken config file aside; settings are not saved:"
                           << qstrFilePath;
                m_ini = CConfigUtils();
                bCreate = false;
            } else {
                qWarning() << "Broken config file kept as" << qstrAside;
            }
        }
        if (bCreate) {
            if (m_ini.create(path.constData())) {
                loadFromOldConfigFile();
            } else {
                qInfo("Failed to create CUserConfigUtils");
            }
        }
    }

    if (m_ini.getInt(kSecConfig, kConfigFileVersion, 0) < kCurrentConfigFileVersion) {
        m_ini.setString(kSecConfig, kJoinConfDisplayName, "");
        m_ini.setString(kSecConfig, kScreenPicPath, "");
        m_ini.setString(kSecSip, kScreenName, "");
        m_ini.setInt(kSecConfig, kConfigFileVersion, kCurrentConfigFileVersion);
        m_ini.save();
    }
}

CUserConfigUtils::~CUserConfigUtils() = default;

QString CUserConfigUtils::setAside(const QString &qstrFilePath)
{
    const QString qstrBase = qstrFilePath + QStringLiteral(".bad");
    for (int i = 0; i < 100; ++i) {
        const QString qstrTarget = i == 0 ? qstrBase : qstrBase + QLatin1Char('.') + QString::number(i);
        if (QFileInfo::exists(qstrTarget))
            continue;
        if (QFile::rename(qstrFilePath, qstrTarget))
            return qstrTarget;
        return QString();
    }
    return QString();
}

void CUserConfigUtils::loadFromOldConfigFile()
{
    qInfo("Load config from old config file");
    QString qstrAppData = QProcessEnvironment::systemEnvironment().value(QStringLiteral("appdata"));
    if (qstrAppData.isEmpty()) {
        qInfo("appdata is null");
        return;
    }
    qstrAppData.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int iPos = qstrAppData.indexOf(QLatin1String("AppData"), 0, Qt::CaseInsensitive);
    if (iPos < 0) {
        qInfo("not found string appdata");
        return;
    }
    const QString qstrOld = qstrAppData.left(iPos) + QStringLiteral("AppData/LocalLow/Glimora/Config/config.ini");
    qInfo() << "localLowConfig:" << qstrOld;
    if (!QFileInfo(qstrOld).isFile())
        qInfo("There is no old config file");

    CConfigUtils oldIni;
    if (!oldIni.load(QFile::encodeName(qstrOld).constData())) {
        qWarning("Failed to open old config file");
        return;
    }

    auto copyString = [&](const char *pszSection, const char *pszKey) {
        m_ini.setString(pszSection, pszKey, oldIni.getString(pszSection, pszKey, "").constData());
    };
    auto copyTrueTest = [&](const char *pszSection, const char *pszKey) {
        m_ini.setString(pszSection, pszKey, boolText(isTrueText(oldIni.getString(pszSection, pszKey, ""))).constData());
    };
    copyString(kSecConfig, kIp);
    m_ini.setInt(kSecConfig, kPort, oldIni.getInt(kSecConfig, kPort, 0));
    copyString(kSecConfig, kUser);
    copyString(kSecConfig, kPassword);
    copyTrueTest(kSecConfig, kSetBw2m);
    copyTrueTest(kSecConfig, kSupport1080P);
    copyString(kSecConfig, kDeviceSn);
    m_ini.setInt(kSecConfig, kRememberMe, oldIni.getInt(kSecConfig, kRememberMe, 1) == 1 ? 1 : 0);
    copyTrueTest(kSecConfig, kAntoAnswer);
    copyTrueTest(kSecConfig, kAutoCaptureWin);
    copyTrueTest(kSecConfig, kOpenNewWinInContentStream);
    copyTrueTest(kSecConfig, kOpenHighFrameRateVideo);
    copyString(kSecConfig, kLanguage);
    copyString(kSecSip, kTransportProtocol);
    copyTrueTest(kSecSip, kEnableRegistration);
    copyString(kSecSip, kProxyServerAddress);
    copyString(kSecSip, kDomain);
    copyString(kSecSip, kSignInAddress);
    copyString(kSecSip, kAuthenticationUserName);
    copyString(kSecSip, kAuthenticationPassword);
    m_ini.save();
}

// ---------------------------------------------------------------------------
// Encodings (callers hold m_lock)

QString CUserConfigUtils::readString(const char *pszSection, const char *pszKey) const
{
    return QString::fromUtf8(m_ini.getString(pszSection, pszKey, ""));
}

bool CUserConfigUtils::readTrueTest(const char *pszSection, const char *pszKey) const
{
    return isTrueText(m_ini.getString(pszSection, pszKey, ""));
}

bool CUserConfigUtils::readFalseTest(const char *pszSection, const char *pszKey) const
{
    return QString::fromUtf8(m_ini.getString(pszSection, pszKey, "")).toLower() != QLatin1String("false");
}

bool CUserConfigUtils::readIntBool(const char *pszSection, const char *pszKey, int iDefault) const
{
    return m_ini.getInt(pszSection, pszKey, iDefault) == 1;
}

QString CUserConfigUtils::readBase64(const char *pszSection, const char *pszKey) const
{
    return QString::fromUtf8(QByteArray::fromBase64(m_ini.getString(pszSection, pszKey, "")));
}

// Stores the value unless the file already holds exactly these bytes: an
// unchanged setting must not rewrite the file (a second instance would
// otherwise overwrite the first one's settings with its stale snapshot).
bool CUserConfigUtils::assign(const char *pszSection, const char *pszKey, const QByteArray &value)
{
    if (m_ini.hasKey(pszSection, pszKey) && m_ini.getString(pszSection, pszKey, "") == value)
        return false;
    m_ini.setString(pszSection, pszKey, value.constData());
    return true;
}

void CUserConfigUtils::store(const char *pszSection, const char *pszKey, const QByteArray &value)
{
    QString failure;
    {
        std::unique_lock<std::shared_mutex> locker(m_lock);
        const CConfigUtils before = m_ini;
        if (!assign(pszSection, pszKey, value))
            return;
        failure = saveOrRevert(before);
    }
    reportSave(failure);
}

// A value that did not reach the file is not kept either: it would look
// saved until the next start, or be written later along with another key.
QString CUserConfigUtils::saveOrRevert(const CConfigUtils &before)
{
    if (m_ini.save())
        return QString();
    const QString reason = m_ini.errorString().isEmpty() ? QStringLiteral("unknown error") : m_ini.errorString();
    m_ini = before;
    return reason;
}

// Outside the lock: a listener reads the values again.
void CUserConfigUtils::reportSave(const QString &failure)
{
    CConfigSaveNotifier::instance()->saved(failure.isEmpty(), failure);
}

// ---------------------------------------------------------------------------
// Accessors

#define RJ_READ(expr)                \
    std::shared_lock<std::shared_mutex> locker(m_lock);     \
    return expr
#define RJ_WRITE(section, key, bytes) store(section, key, bytes)

bool CUserConfigUtils::getDisableCameraOnJoinConf() const { RJ_READ(readTrueTest(kSecConfig, kDisableCameraOnJoinConf)); }
void CUserConfigUtils::setDisableCameraOnJoinConf(bool bValue) { RJ_WRITE(kSecConfig, kDisableCameraOnJoinConf, boolText(bValue)); }
bool CUserConfigUtils::getDisableMicOnJoinConf() const { RJ_READ(readFalseTest(kSecConfig, kDisableMicOnJoinConf)); }
void CUserConfigUtils::setDisableMicOnJoinConf(bool bValue) { RJ_WRITE(kSecConfig, kDisableMicOnJoinConf, boolText(bValue)); }
bool CUserConfigUtils::getDisablePrompt() const { RJ_READ(readFalseTest(kSecConfig, kDisablePrompt)); }
void CUserConfigUtils::setDisablePrompt(bool bValue) { RJ_WRITE(kSecConfig, kDisablePrompt, boolText(bValue)); }
QString CUserConfigUtils::getIp() const { RJ_READ(readString(kSecConfig, kIp)); }
void CUserConfigUtils::setIp(const QString &qstrValue) { RJ_WRITE(kSecConfig, kIp, qstrValue.toUtf8()); }
bool CUserConfigUtils::getUseHttps() const { RJ_READ(readFalseTest(kSecConfig, kUseHttps)); }
void CUserConfigUtils::setUseHttps(bool bValue) { RJ_WRITE(kSecConfig, kUseHttps, boolText(bValue)); }
int CUserConfigUtils::getPort() const { RJ_READ(m_ini.getInt(kSecConfig, kPort, 0)); }
void CUserConfigUtils::setPort(int iValue) { RJ_WRITE(kSecConfig, kPort, QByteArray::number(iValue)); }
QString CUserConfigUtils::getUser() const { RJ_READ(readString(kSecConfig, kUser)); }
void CUserConfigUtils::setUser(const QString &qstrValue) { RJ_WRITE(kSecConfig, kUser, qstrValue.toUtf8()); }
QString CUserConfigUtils::getPassword() const { RJ_READ(readString(kSecConfig, kPassword)); }
void CUserConfigUtils::setPassword(const QString &qstrValue) { RJ_WRITE(kSecConfig, kPassword, qstrValue.toUtf8()); }
QString CUserConfigUtils::getJoinConfServerAddress() const { RJ_READ(readString(kSecConfig, kJoinConfServerAddress)); }
void CUserConfigUtils::setJoinConfServerAddress(const QString &qstrValue) { RJ_WRITE(kSecConfig, kJoinConfServerAddress, qstrValue.toUtf8()); }
QString CUserConfigUtils::getJoinConfNumber() const { RJ_READ(readString(kSecConfig, kJoinConfNumber)); }
void CUserConfigUtils::setJoinConfNumber(const QString &qstrValue) { RJ_WRITE(kSecConfig, kJoinConfNumber, qstrValue.toUtf8()); }
QString CUserConfigUtils::getJoinConfDisplayName() const { RJ_READ(readBase64(kSecConfig, kJoinConfDisplayNameUtf8)); }
void CUserConfigUtils::setJoinConfDisplayName(const QString &qstrValue) { RJ_WRITE(kSecConfig, kJoinConfDisplayNameUtf8, qstrValue.toUtf8().toBase64()); }
QString CUserConfigUtils::getJoinConfPassword() const { RJ_READ(readString(kSecConfig, kJoinConfPassword)); }
void CUserConfigUtils::setJoinConfPassword(const QString &qstrValue) { RJ_WRITE(kSecConfig, kJoinConfPassword, qstrValue.toUtf8()); }
bool CUserConfigUtils::getSetBw2m() const { RJ_READ(readTrueTest(kSecConfig, kSetBw2m)); }
void CUserConfigUtils::setSetBw2m(bool bValue) { RJ_WRITE(kSecConfig, kSetBw2m, boolText(bValue)); }
void CUserConfigUtils::setDeviceSn(const QString &qstrValue) { RJ_WRITE(kSecConfig, kDeviceSn, qstrValue.toUtf8()); }
bool CUserConfigUtils::getRememberMe() const { RJ_READ(readIntBool(kSecConfig, kRememberMe, 1)); }
void CUserConfigUtils::setRememberMe(bool bValue) { RJ_WRITE(kSecConfig, kRememberMe, QByteArray::number(bValue ? 1 : 0)); }
bool CUserConfigUtils::getAntoAnswer() const { RJ_READ(readTrueTest(kSecConfig, kAntoAnswer)); }
void CUserConfigUtils::setAntoAnswer(bool bValue) { RJ_WRITE(kSecConfig, kAntoAnswer, boolText(bValue)); }
bool CUserConfigUtils::getAutoCaptureWin() const { RJ_READ(readTrueTest(kSecConfig, kAutoCaptureWin)); }
void CUserConfigUtils::setAutoCaptureWin(bool bValue) { RJ_WRITE(kSecConfig, kAutoCaptureWin, boolText(bValue)); }
bool CUserConfigUtils::getOpenNewWinInContentStream() const { RJ_READ(readTrueTest(kSecConfig, kOpenNewWinInContentStream)); }
void CUserConfigUtils::setOpenNewWinInContentStream(bool bValue) { RJ_WRITE(kSecConfig, kOpenNewWinInContentStream, boolText(bValue)); }
void CUserConfigUtils::setScreenPicPath(const QString &qstrValue) { RJ_WRITE(kSecConfig, kScreenPicPathUtf8, qstrValue.toUtf8().toBase64()); }
QString CUserConfigUtils::getLanguage() const { RJ_READ(readString(kSecConfig, kLanguage)); }
void CUserConfigUtils::setLanguage(const QString &qstrValue) { RJ_WRITE(kSecConfig, kLanguage, qstrValue.toUtf8()); }
bool CUserConfigUtils::getFullScreenOnCallConnected() const { RJ_READ(readTrueTest(kSecConfig, kFullScreenOnCallConnected)); }
void CUserConfigUtils::setFullScreenOnCallConnected(bool bValue) { RJ_WRITE(kSecConfig, kFullScreenOnCallConnected, boolText(bValue)); }
bool CUserConfigUtils::getAINoiseReduction() const { RJ_READ(readIntBool(kSecConfig, kAINoiseReduction, 1)); }
void CUserConfigUtils::setAINoiseReduction(bool bValue) { RJ_WRITE(kSecConfig, kAINoiseReduction, QByteArray::number(bValue ? 1 : 0)); }
bool CUserConfigUtils::getEnableHardEncode() const { RJ_READ(readTrueTest(kSecConfig, kEnableHardEncode)); }
void CUserConfigUtils::setEnableHardEncode(bool bValue) { RJ_WRITE(kSecConfig, kEnableHardEncode, boolText(bValue)); }
bool CUserConfigUtils::getEnableHardDecode() const { RJ_READ(readTrueTest(kSecConfig, kEnableHardDecode)); }
void CUserConfigUtils::setEnableHardDecode(bool bValue) { RJ_WRITE(kSecConfig, kEnableHardDecode, boolText(bValue)); }

bool CUserConfigUtils::getIsConfRunning() const { RJ_READ(readIntBool(kSecConfRunningStatus, kIsConfRunning, 0)); }
void CUserConfigUtils::setIsConfRunning(bool bValue) { RJ_WRITE(kSecConfRunningStatus, kIsConfRunning, QByteArray::number(bValue ? 1 : 0)); }
QString CUserConfigUtils::getConfId() const { RJ_READ(readString(kSecConfRunningStatus, kConfId)); }
void CUserConfigUtils::setConfId(const QString &qstrValue) { RJ_WRITE(kSecConfRunningStatus, kConfId, qstrValue.toUtf8()); }

QString CUserConfigUtils::getScreenName() const { RJ_READ(readBase64(kSecSip, kScreenNameUtf8)); }
void CUserConfigUtils::setScreenName(const QString &qstrValue) { RJ_WRITE(kSecSip, kScreenNameUtf8, qstrValue.toUtf8().toBase64()); }
void CUserConfigUtils::setTransportProtocol(const QString &qstrValue) { RJ_WRITE(kSecSip, kTransportProtocol, qstrValue.toUtf8()); }
bool CUserConfigUtils::getEnableRegistration() const { RJ_READ(readTrueTest(kSecSip, kEnableRegistration)); }
void CUserConfigUtils::setEnableRegistration(bool bValue) { RJ_WRITE(kSecSip, kEnableRegistration, boolText(bValue)); }
QString CUserConfigUtils::getProxyServerAddress() const { RJ_READ(readString(kSecSip, kProxyServerAddress)); }
void CUserConfigUtils::setProxyServerAddress(const QString &qstrValue) { RJ_WRITE(kSecSip, kProxyServerAddress, qstrValue.toUtf8()); }
QString CUserConfigUtils::getDomain() const { RJ_READ(readString(kSecSip, kDomain)); }
void CUserConfigUtils::setDomain(const QString &qstrValue) { RJ_WRITE(kSecSip, kDomain, qstrValue.toUtf8()); }
QString CUserConfigUtils::getSignInAddress() const { RJ_READ(readString(kSecSip, kSignInAddress)); }
void CUserConfigUtils::setSignInAddress(const QString &qstrValue) { RJ_WRITE(kSecSip, kSignInAddress, qstrValue.toUtf8()); }
QString CUserConfigUtils::getAuthenticationUserName() const { RJ_READ(readString(kSecSip, kAuthenticationUserName)); }
void CUserConfigUtils::setAuthenticationUserName(const QString &qstrValue) { RJ_WRITE(kSecSip, kAuthenticationUserName, qstrValue.toUtf8()); }
QString CUserConfigUtils::getAuthenticationPassword() const { RJ_READ(readString(kSecSip, kAuthenticationPassword)); }
void CUserConfigUtils::setAuthenticationPassword(const QString &qstrValue) { RJ_WRITE(kSecSip, kAuthenticationPassword, qstrValue.toUtf8()); }

#undef RJ_READ
#undef RJ_WRITE

QString CUserConfigUtils::getTransportProtocol() const
{
    std::shared_lock<std::shared_mutex> locker(m_lock);
    const QString qstrValue = readString(kSecSip, kTransportProtocol);
    return qstrValue.trimmed().isEmpty() ? QStringLiteral("TCP") : qstrValue;
}

QString CUserConfigUtils::getDeviceSn()
{
    {
        std::shared_lock<std::shared_mutex> locker(m_lock);
        const QString qstrSn = readString(kSecConfig, kDeviceSn);
        if (!qstrSn.isEmpty())
            return qstrSn;
    }
    std::unique_lock<std::shared_mutex> locker(m_lock);
    const QString qstrSn = readString(kSecConfig, kDeviceSn);
    if (!qstrSn.isEmpty())
        return qstrSn;
    const QString qstrNew = QUuid::createUuid().toString(QUuid::Id128);
    // Kept even when it cannot be saved yet: the id must not change per call.
    if (assign(kSecConfig, kDeviceSn, qstrNew.toUtf8()))
        m_ini.save();
    return qstrNew;
}

QString CUserConfigUtils::getScreenPicPath()
{
    {
        std::shared_lock<std::shared_mutex> locker(m_lock);
        if (!m_ini.getString(kSecConfig, kScreenPicPathUtf8, "").isEmpty())
            return readBase64(kSecConfig, kScreenPicPathUtf8);
    }
    std::unique_lock<std::shared_mutex> locker(m_lock);
    if (!m_ini.getString(kSecConfig, kScreenPicPathUtf8, "").isEmpty())
        return readBase64(kSecConfig, kScreenPicPathUtf8);
    const QString qstrPath = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (assign(kSecConfig, kScreenPicPathUtf8, qstrPath.toUtf8().toBase64()))
        m_ini.save();
    return qstrPath;
}

QString CUserConfigUtils::getHeaderImagePath()
{
    {
        std::shared_lock<std::shared_mutex> locker(m_lock);
        if (!m_qstrHeaderImagePath.isEmpty())
            return m_qstrHeaderImagePath;
    }
    const QString qstrPath = getUserConfigPath() + QLatin1Char('/') + QLatin1String(kHeaderImage);
    std::unique_lock<std::shared_mutex> locker(m_lock);
    if (m_qstrHeaderImagePath.isEmpty())
        m_qstrHeaderImagePath = qstrPath;
    return m_qstrHeaderImagePath;
}

rj_app::enums::LoginStatus CUserConfigUtils::getLoginStatus() const
{
    std::shared_lock<std::shared_mutex> locker(m_lock);
    const QByteArray name = m_ini.getString(kSecConfig, kLoginStatus, "");
    const QMetaEnum metaEnum = QMetaEnum::fromType<rj_app::enums::LoginStatus>();
    for (const auto eStatus : kStoredLoginStatuses) {
        if (name == metaEnum.valueToKey(eStatus))
            return eStatus;
    }
    return rj_app::enums::NotLogin;
}

void CUserConfigUtils::setLoginStatus(rj_app::enums::LoginStatus eStatus)
{
    rj_app::enums::LoginStatus eStored = rj_app::enums::NotLogin;
    for (const auto eKnown : kStoredLoginStatuses) {
        if (eKnown == eStatus)
            eStored = eStatus;
    }
    const QByteArray name = QMetaEnum::fromType<rj_app::enums::LoginStatus>().valueToKey(eStored);
    store(kSecConfig, kLoginStatus, name);
}

CUserConfigUtils::SipSettings CUserConfigUtils::getSipSettings() const
{
    SipSettings settings;
    settings.transportProtocol = getTransportProtocol();
    settings.screenName = getScreenName();
    settings.enableRegistration = getEnableRegistration();
    settings.proxyServerAddress = getProxyServerAddress();
    settings.domain = getDomain();
    settings.signInAddress = getSignInAddress();
    settings.authenticationUserName = getAuthenticationUserName();
    settings.authenticationPassword = getAuthenticationPassword();
    return settings;
}

bool CUserConfigUtils::setSipSettings(const SipSettings &settings)
{
    QString failure;
    {
        std::unique_lock<std::shared_mutex> locker(m_lock);
        const CConfigUtils before = m_ini;
        bool bChanged = assign(kSecSip, kTransportProtocol, settings.transportProtocol.toUtf8());
        bChanged = assign(kSecSip, kScreenNameUtf8, settings.screenName.toUtf8().toBase64()) || bChanged;
        bChanged = assign(kSecSip, kEnableRegistration, boolText(settings.enableRegistration)) || bChanged;
        bChanged = assign(kSecSip, kProxyServerAddress, settings.proxyServerAddress.toUtf8()) || bChanged;
        bChanged = assign(kSecSip, kDomain, settings.domain.toUtf8()) || bChanged;
        bChanged = assign(kSecSip, kSignInAddress, settings.signInAddress.toUtf8()) || bChanged;
        bChanged = assign(kSecSip, kAuthenticationUserName, settings.authenticationUserName.toUtf8()) || bChanged;
        bChanged = assign(kSecSip, kAuthenticationPassword, settings.authenticationPassword.toUtf8()) || bChanged;
        if (!bChanged)
            return true;
        failure = saveOrRevert(before);
    }
    reportSave(failure);
    return failure.isEmpty();
}

QStringList CUserConfigUtils::getConfIds() const
{
    std::shared_lock<std::shared_mutex> locker(m_lock);
    int iCount = m_ini.getInt(kSecConferenceIds, kConfIdsCount, 0);
    if (iCount > kMaxConfIds) {
        qWarning("ConfIdsCount %d is out of range", iCount);
        iCount = kMaxConfIds;
    }
    QStringList qstrlstIds;
    for (int i = 0; i < iCount; ++i)
        qstrlstIds << readString(kSecConferenceIds, confIdKey(i).constData());
    return qstrlstIds;
}

void CUserConfigUtils::setConfIds(const QStringList &qstrlstIds)
{
    QString failure;
    {
        std::unique_lock<std::shared_mutex> locker(m_lock);
        const CConfigUtils before = m_ini;
        bool bChanged = assign(kSecConferenceIds, kConfIdsCount, QByteArray::number(qstrlstIds.size()));
        for (int i = 0; i < qstrlstIds.size(); ++i)
            bChanged = assign(kSecConferenceIds, confIdKey(i).constData(), qstrlstIds.at(i).toUtf8()) || bChanged;
        if (!bChanged)
            return;
        failure = saveOrRevert(before);
    }
    reportSave(failure);
}

} // namespace rj_app::helpers
