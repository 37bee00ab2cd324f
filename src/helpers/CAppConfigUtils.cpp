#include "helpers/CAppConfigUtils.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

namespace rj_app::helpers {

namespace {

const char kSecConfig[] = "Config";
const char kConfInfoAddress[] = "ConfInfoAddress";
const char kContactsAddress[] = "ContactsAddress";
const char kConfManagementAddress[] = "ConfManagementAddress";
const char kDisableAudioOnlyCall[] = "DisableAudioOnlyCall";
const char kDefaultLoginServerAddr[] = "DefaultLoginServerAddr";
const char kDefaultRegisterServerAddr[] = "DefaultRegisterServerAddr";
const char kUserAgentCompanyName[] = "UserAgentCompanyName";
const char kIsMorvelSpecialVersion[] = "IsMorvelSpecialVersion";
const char kDisableLoginSkipped[] = "DisableLoginSkipped";
const char kDisableGuestJoinMeeting[] = "DisableGuestJoinMeeting";
const char kDisableResourceMonitor[] = "DisableResourceMonitor";
const char kFeedbackAddress[] = "FeedbackAddress";
const char kSoftwareUpdateAddress[] = "SoftwareUpdateAddress";
const char kSoftwareUpdateFlag[] = "SoftwareUpdateFlag";
const char kSoftwareUpdateBundleId[] = "SoftwareUpdateBundleId";
const char kSoftwareUpdateAppInfo[] = "SoftwareUpdateAppInfo";
const char kSoftwareUpdateAppInfoPrefix[] = "SoftwareUpdateAppInfoPrefix";

} // namespace

CAppConfigUtils *CAppConfigUtils::getInstance()
{
    static CAppConfigUtils instance(QCoreApplication::applicationDirPath() + QStringLiteral("/app-config.ini"));
    return &instance;
}

CAppConfigUtils::CAppConfigUtils(const QString &qstrPath)
{
    qInfo() << "CAppConfigUtils::CAppConfigUtils:" << qstrPath;
    const QByteArray path = QFile::encodeName(qstrPath);
    if (load(path.constData()))
        return;
    // Reading never writes: the file is the deployment's, and the directory
    // beside the executable is often not ours (a build tree, a system
    // folder). Without a usable file every getter gives its default,
    // including for whatever loaded before a fault.
    qInfo("Failed to open CAppConfigUtils");
    if (QFileInfo::exists(qstrPath))
        qWarning() << "Ignoring unreadable deployment configuration" << qstrPath;
    CConfigUtils::operator=(CConfigUtils());
}

QString CAppConfigUtils::readString(const char *pszKey) const
{
    return QString::fromUtf8(getString(kSecConfig, pszKey, ""));
}

bool CAppConfigUtils::readBool(const char *pszKey) const
{
    return readString(pszKey).toLower() == QLatin1String("true");
}

QString CAppConfigUtils::getConfInfoAddress() const { return readString(kConfInfoAddress); }
QString CAppConfigUtils::getConfManagementAddress() const { return readString(kConfManagementAddress); }
QString CAppConfigUtils::getContactsAddress() const { return readString(kContactsAddress); }
QString CAppConfigUtils::getDefaultLoginServerAddr() const { return readString(kDefaultLoginServerAddr); }
QString CAppConfigUtils::getDefaultRegisterServerAddr() const { return readString(kDefaultRegisterServerAddr); }
bool CAppConfigUtils::getDisableAudioOnlyCall() const { return readBool(kDisableAudioOnlyCall); }
bool CAppConfigUtils::getDisableGuestJoinMeeting() const { return readBool(kDisableGuestJoinMeeting); }
bool CAppConfigUtils::getDisableLoginSkipped() const { return readBool(kDisableLoginSkipped); }
bool CAppConfigUtils::getDisableResourceMonitor() const { return readBool(kDisableResourceMonitor); }
QString CAppConfigUtils::getFeedbackAddress() const { return readString(kFeedbackAddress); }
bool CAppConfigUtils::getIsMorvelSpecialVersion() const { return readBool(kIsMorvelSpecialVersion); }
QString CAppConfigUtils::getSoftwareUpdateAddress() const { return readString(kSoftwareUpdateAddress); }
QString CAppConfigUtils::getSoftwareUpdateAppInfo() const { return readString(kSoftwareUpdateAppInfo); }
QString CAppConfigUtils::getSoftwareUpdateAppInfoPrefix() const { return readString(kSoftwareUpdateAppInfoPrefix); }
QString CAppConfigUtils::getSoftwareUpdateBundleId() const { return readString(kSoftwareUpdateBundleId); }
QString CAppConfigUtils::getSoftwareUpdateFlag() const { return readString(kSoftwareUpdateFlag); }
QString CAppConfigUtils::getUserAgentCompanyName() const { return readString(kUserAgentCompanyName); }

} // namespace rj_app::helpers
