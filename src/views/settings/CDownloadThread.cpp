#include "views/settings/CDownloadThread.h"

#include "helpers/AppVersion.h"
#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"
#include "views/settings/CUpdateGetJson.h"

#include <QCoreApplication>
#include <QStringList>
#include <QtDebug>

namespace rj_app::views {

using helpers::CAppConfigUtils;
using helpers::CUserConfigUtils;
using models::CLoginManager;

static const QString g_latestAppVersionUrlFormat =
    QStringLiteral("%1://%2:%3/api/rest/v2.0/latestAppVersion?appType=windows");

CDownloadThread *CDownloadThread::getInstance()
{
    static CDownloadThread instance;
    return &instance;
}

CDownloadThread::CDownloadThread()
    : QThread(nullptr)
{
    connect(this, &CDownloadThread::signal_updateMessage, this, &CDownloadThread::slot_updateMessage);
    // The worker must not outlive the application object whose network stack
    // and logging it uses.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &CDownloadThread::Tquit);
}

CDownloadThread::~CDownloadThread()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    Tquit();
}

void CDownloadThread::setAppConfig(const CAppConfigUtils *config)
{
    m_pAppConfig = config;
}

void CDownloadThread::Tstart(bool useAppConfigServer, bool force)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "useAppConfigServer:" << useAppConfigServer << "force:" << force;
    CLoginManager *pLogin = CLoginManager::getInstance();
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    const QString serverAddress = pLogin->m_qstrServerHostName;
    const bool useHttps = pConfig ? pConfig->getUseHttps() : true;
    const int port = pLogin->getPort();

    const CAppConfigUtils *pAppConfig = m_pAppConfig ? m_pAppConfig : CAppConfigUtils::getInstance();
    const bool useNDMinfo = !pAppConfig->getSoftwareUpdateAddress().trimmed().isEmpty();

    if (!force && useAppConfigServer != useNDMinfo)
        return;

    // The running check reads these members: replace them only once it ended.
    Tquit();
    m_qstrServerAddress = serverAddress;
    m_bUseHttps = useHttps;
    m_iPort = port;
    m_useNDMinfoFlag = useNDMinfo;
    m_updateSource = {pAppConfig->getSoftwareUpdateAddress(), pAppConfig->getSoftwareUpdateFlag(),
                      pAppConfig->getSoftwareUpdateBundleId(), pAppConfig->getSoftwareUpdateAppInfo(),
                      pAppConfig->getSoftwareUpdateAppInfoPrefix()};
    // Cleared here rather than in run(): a Tquit between start() and the
    // first line of run() must still count.
    m_bQuit.store(false);
    start(QThread::InheritPriority);
}

void CDownloadThread::Tquit()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    m_bQuit.store(true);
    if (isRunning()) {
        // quit() also ends the event loop the request waits in.
        quit();
        wait();
    }
}

void CDownloadThread::run()
{
    {
        QMutexLocker locker(&m_mutex);
        m_bDownloadRequested = false;
    }
    checkForUpdate();
    if (m_bQuit.load()) {
        qInfo() << RJ_FUNCTION << __LINE__ << "stopped";
        return;
    }
    emit signal_updateMessage(isNewVersionFound());
}

void CDownloadThread::checkForUpdate()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    {
        QMutexLocker locker(&m_mutex);
        m_bNewVersionFound = false;
    }
    QString remoteVersion;
    const QString localVersion = QString::fromLatin1(helpers::kAppVersion);

    const QString url = m_useNDMinfoFlag
        ? updateServerUrl(m_updateSource.address, m_updateSource.flag, m_updateSource.bundleId,
                          m_updateSource.appInfo, m_updateSource.appInfoPrefix)
        : latestAppVersionUrl(m_bUseHttps, m_qstrServerAddress, m_iPort);
    qInfo() << RJ_FUNCTION << __LINE__ << "Update Url: " << url;

    if (m_bQuit.load())
        return;
    CUpdateGetJson *pJson = CUpdateGetJson::getInstance();
    const bool ok = pJson && pJson->sendRequest(url);
    qInfo() << RJ_FUNCTION << __LINE__ << "request app info:" << ok;
    if (ok) {
        qInfo() << RJ_FUNCTION << __LINE__ << "m_useNDMinfoFlag:" << m_useNDMinfoFlag;
        const QString version = m_useNDMinfoFlag ? pJson->getVERSION() : pJson->getVersion();
        const QString downurl = m_useNDMinfoFlag ? pJson->getDOWNLOAD_URL() : pJson->getDownloadUrl();
        {
            QMutexLocker locker(&m_mutex);
            m_version = version;
            m_downurl = downurl;
        }
        qInfo() << RJ_FUNCTION << __LINE__ << "m_version:" << version << ", m_downurl:" << downurl;
        remoteVersion = version;
    }

    const bool newer = isNewerVersion(remoteVersion, localVersion);
    QMutexLocker locker(&m_mutex);
    m_bNewVersionFound = newer;
}

bool CDownloadThread::isNewerVersion(const QString &remote, const QString &local)
{
    if (remote == local || remote.isEmpty() || local.isEmpty())
        return false;
    const QStringList remoteParts = remote.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    const QStringList localParts = local.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    const int common = qMin(remoteParts.size(), localParts.size());
    for (int i = 0; i < common; ++i) {
        // A part that is not a number reads as 0.
        const qlonglong r = remoteParts.at(i).toLongLong();
        const qlonglong l = localParts.at(i).toLongLong();
        if (r != l)
            return r > l;
    }
    return remoteParts.size() > common;
}

QString CDownloadThread::updateServerUrl(const QString &address, const QString &flag, const QString &bundleId,
                                         const QString &appInfo, const QString &appInfoPrefix)
{
    QString url = address + QLatin1Char('/') + flag + QLatin1Char('/') + bundleId + QLatin1Char('/');
    if (!appInfoPrefix.isEmpty())
        url += appInfoPrefix + QLatin1Char('.');
    return url + appInfo;
}

QString CDownloadThread::latestAppVersionUrl(bool useHttps, const QString &serverAddress, int port)
{
    return g_latestAppVersionUrlFormat.arg(useHttps ? QStringLiteral("https") : QStringLiteral("http"),
                                           serverAddress, QString::number(port));
}

bool CDownloadThread::isNewVersionFound() const
{
    QMutexLocker locker(&m_mutex);
    return m_bNewVersionFound;
}

QString CDownloadThread::version() const
{
    QMutexLocker locker(&m_mutex);
    return m_version;
}

QString CDownloadThread::downloadUrl() const
{
    QMutexLocker locker(&m_mutex);
    return m_downurl;
}

void CDownloadThread::slot_updateMessage(bool toUpdate)
{
    qInfo() << RJ_FUNCTION << __LINE__ << toUpdate;
}

} // namespace rj_app::views
