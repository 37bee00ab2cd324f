#include "views/settings/CDownloadThread.h"

#include "helpers/AppVersion.h"
#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"
#include "views/framework/AlertDlg.h"
#include "views/settings/CDownloadManager.h"
#include "views/settings/CUpdateGetJson.h"
#include "views/settings/CUpdateMessageWidget.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QStringList>
#include <QtDebug>

namespace rj_app::views {

using helpers::CAppConfigUtils;
using helpers::CUserConfigUtils;
using models::CLoginManager;

static const QString g_latestAppVersionUrlFormat =
    QStringLiteral("%1://%2:%3/api/rest/v2.0/latestAppVersion?appType=%4");

CDownloadThread *CDownloadThread::getInstance()
{
    static CDownloadThread instance;
    return &instance;
}

CDownloadThread::CDownloadThread()
    : QThread(nullptr)
{
    connect(this, &CDownloadThread::signal_updateMessage, this, &CDownloadThread::slot_updateMessage);
    // A failed automatic check stays silent; only a prompt that is already
    // open (a check after a failed download) says so.
    connect(this, &CDownloadThread::signal_updateCheckFailed, this, [this](const QString &reason) {
        if (CUpdateMessageWidget *widget = m_updateMessageWidget.data())
            widget->showCheckFailed(checkFailedText(reason));
    });
    // The worker must not outlive the application object whose network stack
    // and logging it uses.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &CDownloadThread::Tquit);
}

CDownloadThread::~CDownloadThread()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    Tquit();
    // The last run may have finished without anyone waiting for it: take
    // the lock once, so its last writes are seen before the members go.
    std::lock_guard<std::mutex> locker(m_mutex);
    m_pending = Announcement();
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
    startRun();
}

void CDownloadThread::startRun()
{
    // Cleared here rather than in run(): a Tquit between start() and the
    // first line of run() must still count.
    m_bQuit.store(false);
    ++m_iRun;
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
    // Whatever ran before is over: its reads come before what follows.
    (void)m_iRunsEnded.load(std::memory_order_acquire);
}

void CDownloadThread::run()
{
    struct EndOfRun
    {
        std::atomic<quint64> &ended;
        ~EndOfRun() { ended.fetch_add(1, std::memory_order_release); }
    } endOfRun{m_iRunsEnded};
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_bDownloadRequested = false;
    }
    const quint64 run = m_iRun.load();
    checkForUpdate();
    if (m_bQuit.load()) {
        qInfo() << RJ_FUNCTION << __LINE__ << "stopped";
        return;
    }
    bool found = false;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        found = m_bNewVersionFound;
        m_pending = Announcement{true, run, m_bCheckFailed, found, m_qstrCheckError};
    }
    // Announced from the GUI thread once the caller that started this run
    // has returned, so a receiver connected right after Tstart still hears it.
    // The outcome waits under the mutex, not in the queued call, so that a
    // thread checker sees how it crosses threads.
    QMetaObject::invokeMethod(this, "announcePending", Qt::QueuedConnection);
    if (!found)
        return;

    // Wait for the user's choice in the prompt.
    for (;;) {
        {
            std::lock_guard<std::mutex> locker(m_mutex);
            if (m_bDownloadRequested)
                break;
        }
        QThread::msleep(10);
        if (m_bQuit.load())
            return;
    }
    downloadPackage();
}

void CDownloadThread::downloadPackage()
{
    const QString downurl = downloadUrl();
    QString url = downurl;
    if (!downurl.startsWith(QLatin1String("https://")) && !downurl.startsWith(QLatin1String("http://"))
        && !m_useNDMinfoFlag) {
        url = (m_bUseHttps ? QStringLiteral("https://") : QStringLiteral("http://")) + m_qstrServerAddress
              + QLatin1Char(':') + QString::number(m_iPort) + downurl;
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "upgrade package download url:" << url;

    // The manager and its network objects belong to this run's thread and end
    // with it: a later run has a new event dispatcher and must not reuse them.
    auto *manager = new CDownloadManager;
    connect(manager, &CDownloadManager::signal_finished, manager, [this, manager](bool succeed) {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_qstrDownloadedPath = succeed ? manager->getSaveFilePath() : QString();
    }, Qt::DirectConnection);
    connect(manager, &CDownloadManager::signal_downloadProgress, this, &CDownloadThread::downloadProgress);
    connect(manager, &CDownloadManager::signal_finished, this, &CDownloadThread::downloadFinished);
    connect(manager, &CDownloadManager::finished, this, &CDownloadThread::slot_Install);
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_pDownloadManager = manager;
    }
    manager->append(QUrl(url, QUrl::TolerantMode));
    if (!m_bQuit.load())
        exec();
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_pDownloadManager = nullptr;
    }
    // An unfinished transfer is dropped silently: the run that asked for it
    // is over.
    manager->blockSignals(true);
    delete manager;
}

void CDownloadThread::announcePending()
{
    Announcement pending;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        pending = m_pending;
        m_pending.valid = false;
    }
    if (pending.valid)
        announce(pending.run, pending.failed, pending.found, pending.reason);
}

void CDownloadThread::announce(quint64 run, bool failed, bool found, const QString &reason)
{
    // A run stopped or replaced after it finished its check says nothing.
    if (run != m_iRun.load() || m_bQuit.load())
        return;
    if (failed)
        emit signal_updateCheckFailed(reason);
    else
        emit signal_updateMessage(found);
}

void CDownloadThread::checkForUpdate()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_bNewVersionFound = false;
        m_bCheckFailed = false;
        m_qstrCheckError.clear();
    }
    const QString localVersion = QString::fromLatin1(helpers::kAppVersion);

    const QString url = m_useNDMinfoFlag
        ? updateServerUrl(m_updateSource.address, m_updateSource.flag, m_updateSource.bundleId,
                          m_updateSource.appInfo, m_updateSource.appInfoPrefix)
        : latestAppVersionUrl(m_bUseHttps, m_qstrServerAddress, m_iPort);
    qInfo() << RJ_FUNCTION << __LINE__ << "Update Url: " << url;

    if (m_bQuit.load())
        return;
    CUpdateGetJson *pJson = CUpdateGetJson::getInstance();
    QString error;
    const bool ok = pJson && pJson->sendRequest(url, &error);
    qInfo() << RJ_FUNCTION << __LINE__ << "request app info:" << ok;
    if (!ok) {
        // A check without an answer knows nothing about newer versions: it is
        // a failure, never "no new version".
        qWarning() << RJ_FUNCTION << __LINE__ << "update check failed:" << error;
        std::lock_guard<std::mutex> locker(m_mutex);
        m_bCheckFailed = true;
        m_qstrCheckError = error;
        return;
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "m_useNDMinfoFlag:" << m_useNDMinfoFlag;
    const QString version = m_useNDMinfoFlag ? pJson->getVERSION() : pJson->getVersion();
    const QString downurl = m_useNDMinfoFlag ? pJson->getDOWNLOAD_URL() : pJson->getDownloadUrl();
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_version = version;
        m_downurl = downurl;
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "m_version:" << version << ", m_downurl:" << downurl;

    const bool newer = isNewerVersion(version, localVersion);
    std::lock_guard<std::mutex> locker(m_mutex);
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

QString CDownloadThread::appType()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("windows");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("mac");
#else
    return QStringLiteral("linux");
#endif
}

QString CDownloadThread::latestAppVersionUrl(bool useHttps, const QString &serverAddress, int port)
{
    return g_latestAppVersionUrlFormat.arg(useHttps ? QStringLiteral("https") : QStringLiteral("http"),
                                           serverAddress, QString::number(port), appType());
}

QString CDownloadThread::checkFailedText(const QString &reason)
{
    const QString text = tr("update check failed");
    return reason.trimmed().isEmpty() ? text : text + QStringLiteral(": ") + reason.trimmed();
}

QString CDownloadThread::checkError() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_qstrCheckError;
}

bool CDownloadThread::isNewVersionFound() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_bNewVersionFound;
}

QString CDownloadThread::version() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_version;
}

QString CDownloadThread::downloadUrl() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_downurl;
}

void CDownloadThread::setInstallerLauncher(InstallerLauncher launcher)
{
    m_installerLauncher = std::move(launcher);
}

void CDownloadThread::setExitApp(ExitApp exitApp)
{
    m_exitApp = std::move(exitApp);
}

CUpdateMessageWidget *CDownloadThread::updateMessageWidget() const
{
    return m_updateMessageWidget.data();
}

QString CDownloadThread::downloadedFilePath() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_qstrDownloadedPath;
}

bool CDownloadThread::hasDownloadManager() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_pDownloadManager != nullptr;
}

void CDownloadThread::closeMessageWidget()
{
    if (CUpdateMessageWidget *widget = m_updateMessageWidget.data())
        widget->close();
    m_updateMessageWidget = nullptr;
}

void CDownloadThread::slot_updateMessage(bool toUpdate)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "toUpdate:" << toUpdate;
    if (!toUpdate)
        return;
    if (!m_updateMessageWidget) {
        auto *widget = new CUpdateMessageWidget(nullptr);
        m_updateMessageWidget = widget;
        connect(widget, &CUpdateMessageWidget::signal_DownLoad, this, &CDownloadThread::slot_DownLoad);
        connect(widget, &CUpdateMessageWidget::signal_Cancel, this, &CDownloadThread::slot_Cancel);
        connect(widget, &CUpdateMessageWidget::signal_Yes, this, &CDownloadThread::slot_Yes);
        connect(widget, &CUpdateMessageWidget::signal_No, this, &CDownloadThread::slot_No);
    }
    m_updateMessageWidget->showVersion(tr("The latest software is found (%1)").arg(version()));
}

void CDownloadThread::slot_DownLoad()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    std::lock_guard<std::mutex> locker(m_mutex);
    m_qstrDownloadedPath.clear();
    m_bDownloadRequested = true;
}

void CDownloadThread::slot_Cancel()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_bDownloadRequested = false;
    }
    m_bQuit.store(true);
    bool aborted = false;
    if (isRunning()) {
        std::lock_guard<std::mutex> locker(m_mutex);
        if (m_pDownloadManager) {
            qInfo() << RJ_FUNCTION << __LINE__ << "abort manager";
            m_pDownloadManager->abort();
            aborted = true;
        }
    }
    if (!aborted) {
        if (m_updateMessageWidget) {
            qInfo() << RJ_FUNCTION << __LINE__ << "close message widget";
            closeMessageWidget();
        } else {
            qWarning() << RJ_FUNCTION << __LINE__ << "m_updateMessageWidget is null";
        }
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CDownloadThread::slot_Yes()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    Tquit();
    const QString path = downloadedFilePath();
    qInfo() << RJ_FUNCTION << __LINE__ << "startDetached:" << path;
    // Only a package that arrived complete is handed on; the file is opened,
    // never executed by us.
    bool started = false;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        started = m_installerLauncher ? m_installerLauncher(path)
                                      : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    if (!started) {
        qWarning() << RJ_FUNCTION << __LINE__ << "Failed to startDetached";
        AlertDlg::execPrompt(m_updateMessageWidget.data(), tr("Prompt"), tr("Failed to execute upgrade."));
        return;
    }
    closeMessageWidget();
    QThread::msleep(10);
    if (m_exitApp) {
        m_exitApp();
    } else if (QCoreApplication *app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
    }
}

void CDownloadThread::slot_No()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    Tquit();
    closeMessageWidget();
}

void CDownloadThread::downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal, int time)
{
    if (m_updateMessageWidget)
        m_updateMessageWidget->setProgress(bytesReceived, bytesTotal, time);
}

void CDownloadThread::downloadFinished(bool succeed)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "succeed" << succeed;
    if (m_updateMessageWidget)
        m_updateMessageWidget->downfinish(succeed);
    if (!succeed && hasDownloadManager()) {
        // Check again so that the user can retry.
        Tquit();
        startRun();
    }
}

void CDownloadThread::slot_Install()
{
}

void CDownloadThread::slot_setActiveParent()
{
    qInfo() << RJ_FUNCTION << __LINE__;
}

} // namespace rj_app::views
