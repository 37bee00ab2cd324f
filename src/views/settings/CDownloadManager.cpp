#include "views/settings/CDownloadManager.h"

#include "helpers/LogMacros.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QMutex>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryDir>
#include <QTimer>
#include <QtDebug>

namespace rj_app::views {

namespace {
QMutex g_seamMutex;
QString g_saveDirectory;
QString g_privateDirectory;
std::atomic<int> g_transferTimeoutMs{CDownloadManager::m_iDefaultTransferTimeoutMs};
const QString kDefaultFileName = QStringLiteral("download.exe");
} // namespace

CDownloadManager::CDownloadManager()
    : QObject(nullptr)
{
}

CDownloadManager::~CDownloadManager()
{
    if (m_pReply) {
        // Dying mid-transfer: nobody may be told "finished", and the partial
        // file must not stay behind under the package's name.
        m_pReply->disconnect(this);
        m_pReply->abort();
        delete m_pReply;
        m_pReply = nullptr;
        m_file.close();
        QFile::remove(m_qstrSavePath);
    }
}

void CDownloadManager::setSaveDirectory(const QString &dir)
{
    QMutexLocker locker(&g_seamMutex);
    g_saveDirectory = dir;
}

QString CDownloadManager::saveDirectory()
{
    QMutexLocker locker(&g_seamMutex);
    if (!g_saveDirectory.isEmpty())
        return g_saveDirectory;
    if (!g_privateDirectory.isEmpty() && QFileInfo(g_privateDirectory).isDir())
        return g_privateDirectory;
    // Never a predictable name in the shared temporary directory: another
    // user could plant a file or a link there before the package arrives.
    // mkdtemp makes the folder 0700. It stays after exit: the desktop opens
    // the package once the client has quit.
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/glimora-update-XXXXXX"));
    dir.setAutoRemove(false);
    if (!dir.isValid()) {
        qWarning() << RJ_FUNCTION << __LINE__ << "no private download folder:" << dir.errorString();
        return QString();
    }
    g_privateDirectory = dir.path();
    return g_privateDirectory;
}

void CDownloadManager::setTransferTimeoutMs(int ms)
{
    g_transferTimeoutMs.store(ms > 0 ? ms : m_iDefaultTransferTimeoutMs);
}

int CDownloadManager::transferTimeoutMs()
{
    return g_transferTimeoutMs.load();
}

void CDownloadManager::append(const QUrl &url)
{
    if (m_urlQueue.isEmpty())
        QTimer::singleShot(10, this, &CDownloadManager::startNextDownload);
    m_urlQueue.append(url);
}

void CDownloadManager::abort()
{
    QMetaObject::invokeMethod(this, &CDownloadManager::abortInOwnThread, Qt::QueuedConnection);
}

void CDownloadManager::abortInOwnThread()
{
    if (m_pReply && m_pReply->isRunning())
        m_pReply->abort();
}

QString CDownloadManager::getSaveFilePath() const
{
    return m_qstrSavePath;
}

QString CDownloadManager::fileNameForUrl(const QUrl &url)
{
    // The name comes from the server: it may only ever name a file directly
    // in the save folder.
    const QString path = url.path(QUrl::FullyDecoded);
    QString name = path.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    QString clean;
    clean.reserve(name.size());
    for (const QChar c : qAsConst(name)) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7f)
            clean.append(c);
    }
    clean = clean.trimmed();
    if (clean.isEmpty() || clean == QLatin1String(".") || clean == QLatin1String(".."))
        return kDefaultFileName;
    // Qt takes ":name" for a resource path and "C:name" for a drive; joined
    // to the folder, either would leave it.
    const bool drive = clean.size() >= 2 && clean.at(1) == QLatin1Char(':') && clean.at(0).isLetter();
    if (drive || QDir::isAbsolutePath(clean))
        return kDefaultFileName;
    return clean;
}

QString CDownloadManager::savePathFor(const QString &directory, const QString &name)
{
    if (directory.isEmpty() || name.isEmpty())
        return QString();
    const QString folder = QDir(directory).absolutePath();
    const QString path = QDir(folder).filePath(name);
    // Whatever the name, the file lies directly in the folder.
    const QFileInfo info(path);
    if (info.absolutePath() != folder || info.fileName() != name)
        return QString();
    return path;
}

void CDownloadManager::startNextDownload()
{
    if (m_urlQueue.isEmpty()) {
        emit finished();
        return;
    }
    const QUrl url = m_urlQueue.takeFirst();
    const QString path = savePathFor(saveDirectory(), fileNameForUrl(url));
    m_qstrSavePath = QDir::toNativeSeparators(path);
    qInfo() << RJ_FUNCTION << __LINE__ << "Save upgrade package to:" << m_qstrSavePath;

    if (!path.isEmpty() && QFileInfo::exists(path))
        QFile::remove(path);
    m_file.setFileName(path);
    // NewOnly: a file or link that reappeared under the name is not followed.
    if (path.isEmpty() || !m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        qWarning() << RJ_FUNCTION << __LINE__ << "Failed to open file" << m_file.errorString();
        // The prompt would wait for ever on a download that never began.
        emit signal_finished(false);
        startNextDownload();
        return;
    }
    m_bWriteFailed = false;
    m_iBytesWritten = 0;

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, true);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(transferTimeoutMs());
    // Certificates are checked: what arrives here is handed to the desktop.
    m_pReply = m_networkManager.get(request);
    connect(m_pReply, &QNetworkReply::downloadProgress, this, &CDownloadManager::downloadProgress);
    connect(m_pReply, &QNetworkReply::finished, this, &CDownloadManager::downloadFinished);
    connect(m_pReply, &QNetworkReply::readyRead, this, &CDownloadManager::downloadReadyRead);
    m_elapsedTimer.start();
}

void CDownloadManager::downloadReadyRead()
{
    if (!m_pReply)
        return;
    const QByteArray data = m_pReply->readAll();
    if (m_bWriteFailed || data.isEmpty())
        return;
    if (m_file.write(data) != data.size()) {
        qWarning() << RJ_FUNCTION << __LINE__ << "write failed:" << m_file.errorString();
        m_bWriteFailed = true;
        m_pReply->abort();
        return;
    }
    m_iBytesWritten += data.size();
}

void CDownloadManager::downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal)
{
    emit signal_downloadProgress(bytesReceived, bytesTotal, int(m_elapsedTimer.elapsed()));
}

void CDownloadManager::failTransfer(const QString &why)
{
    qWarning() << RJ_FUNCTION << __LINE__ << "Failed to download" << why;
    // A partial package must never be mistaken for one that can be started.
    QFile::remove(m_qstrSavePath);
    emit signal_finished(false);
}

void CDownloadManager::downloadFinished()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    QNetworkReply *reply = m_pReply;
    if (!reply)
        return;
    if (reply->bytesAvailable() > 0)
        downloadReadyRead();
    const bool flushed = m_file.flush();
    m_file.close();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (reply->error() != QNetworkReply::NoError)
        failTransfer(reply->errorString());
    else if (status < 200 || status >= 300)
        failTransfer(QStringLiteral("HTTP status %1").arg(status));
    else if (m_bWriteFailed || !flushed)
        failTransfer(QStringLiteral("the file could not be written"));
    else if (length.isValid() && length.toLongLong() != m_iBytesWritten)
        failTransfer(QStringLiteral("%1 of %2 bytes").arg(m_iBytesWritten).arg(length.toLongLong()));
    else
        emit signal_finished(true);

    reply->deleteLater();
    m_pReply = nullptr;
    startNextDownload();
}

} // namespace rj_app::views
