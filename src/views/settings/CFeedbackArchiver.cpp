#include "views/settings/CFeedbackArchiver.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CGeneralUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThreadPool>
#include <QtConcurrent>
#include <QtDebug>

#include <private/qzipreader_p.h>
#include <private/qzipwriter_p.h>

#include <algorithm>
#include <cerrno>
#include <exception>

namespace rj_app::views {

using helpers::CAppConfigUtils;
using helpers::CGeneralUtils;
using helpers::CUserConfigUtils;
using models::CRJSdkManager;

namespace {

// One collection folder per user data directory: archive tasks of all
// dialogs take turns.
QMutex g_collectionMutex;

const int kPictureCount = 6;

} // namespace

CFeedbackArchiver::CFeedbackArchiver(QObject *parent)
    : QObject(parent)
    , m_clock([] { return QDateTime::currentDateTime(); })
{
}

CFeedbackArchiver::~CFeedbackArchiver()
{
    for (QFuture<void> &task : m_tasks)
        task.waitForFinished();
}

QFuture<void> CFeedbackArchiver::startUpload(const QString &description, const QString &contact)
{
    qInfo() << RJ_FUNCTION << __LINE__;
    watchEngine();
    m_bPending.store(true);
    m_tasks.erase(std::remove_if(m_tasks.begin(), m_tasks.end(),
                                 [](const QFuture<void> &task) { return task.isFinished(); }),
                  m_tasks.end());
    const QFuture<void> task = QtConcurrent::run(QThreadPool::globalInstance(), [this, description, contact] {
        execUploadLog(description, contact);
    });
    m_tasks.append(task);
    return task;
}

void CFeedbackArchiver::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); });
}

void CFeedbackArchiver::setAppConfig(const CAppConfigUtils *config)
{
    m_pAppConfig = config;
}

QString CFeedbackArchiver::zipName() const
{
    QMutexLocker locker(&m_pathMutex);
    return m_qstrZipName;
}

QString CFeedbackArchiver::tempDir() const
{
    QMutexLocker locker(&m_pathMutex);
    return m_qstrTempDir;
}

QString CFeedbackArchiver::zipPath() const
{
    const QString name = zipName();
    return name.isEmpty() ? QString() : userDataDir() + name;
}

QString CFeedbackArchiver::userDataDir() const
{
    return CUserConfigUtils::getUserConfigPath();
}

// ---------------------------------------------------------------------------
// Pool thread

void CFeedbackArchiver::execUploadLog(const QString &description, const QString &contact)
{
    QMutexLocker collectionLocker(&g_collectionMutex);
    removeRedundantFile();
    backupNeededLogFiles();

    const QString qstrZipName =
        QStringLiteral("/appLog%1.zip").arg(m_clock().toString(QStringLiteral("MM-dd-hh-mm-ss")));
    {
        QMutexLocker locker(&m_pathMutex);
        m_qstrZipName = qstrZipName;
    }
    const QString qstrZipPath = userDataDir() + qstrZipName;
    qInfo() << RJ_FUNCTION << __LINE__ << "Zip file path:" << qstrZipPath;

    if (!QDir(tempDir()).exists()) {
        qInfo() << RJ_FUNCTION << __LINE__ << "Directory is not existed";
        QMetaObject::invokeMethod(this, &CFeedbackArchiver::onTaskAbandoned, Qt::QueuedConnection);
        return;
    }

    QStringList names;
    if (!writeArchive(qstrZipPath, &names)) {
        // A broken archive is not worth sending; say so instead of waiting
        // for an engine verdict on it.
        QMetaObject::invokeMethod(this, &CFeedbackArchiver::onTaskFailed, Qt::QueuedConnection);
        return;
    }

    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk || !pSdk->hasEngine()) {
        // No engine, so no upload event will ever come.
        qWarning() << RJ_FUNCTION << __LINE__ << "no engine for the upload";
        QMetaObject::invokeMethod(this, &CFeedbackArchiver::onTaskFailed, Qt::QueuedConnection);
        return;
    }
    const CAppConfigUtils *pAppConfig = m_pAppConfig ? m_pAppConfig : CAppConfigUtils::getInstance();
    const QString qstrAddress = pAppConfig->getFeedbackAddress();
    // The outcome arrives only as the engine's upload event, refusals included.
    if (!qstrAddress.isEmpty())
        pSdk->uploadFeedbackFilesWithAddress(qstrZipPath, contact, description, qstrAddress);
    else
        pSdk->uploadFeedbackfile(qstrZipPath, contact, description);
}

bool CFeedbackArchiver::writeArchive(const QString &zipPath, QStringList *names)
{
    QZipWriter writer(zipPath, QIODevice::WriteOnly | QIODevice::Truncate);
    if (writer.status() != QZipWriter::NoError) {
        qWarning() << RJ_FUNCTION << __LINE__ << "failed to create zip file:" << zipPath << writer.status();
        return false;
    }
    writer.setCompressionPolicy(QZipWriter::AlwaysCompress);

    QHash<QString, qint64> sizes;
    const QFileInfoList entries =
        QDir(tempDir()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::NoSort);
    qInfo() << RJ_FUNCTION << __LINE__ << "begin to add files to compress";
    for (const QFileInfo &entry : entries) {
        const QString path = entry.absoluteFilePath();
        try {
            if (!CGeneralUtils::isFileExist(path)) {
                qInfo() << RJ_FUNCTION << __LINE__ << "File is not existed:" << path;
                continue;
            }
            qInfo() << RJ_FUNCTION << __LINE__ << "add file:" << path;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                qWarning() << RJ_FUNCTION << __LINE__ << "failed to open file:" << path;
                continue;
            }
            const QByteArray data = file.readAll();
            if (file.error() != QFileDevice::NoError) {
                qWarning() << RJ_FUNCTION << __LINE__ << "failed to read file:" << path << file.errorString();
                continue;
            }
            writer.addFile(entry.fileName(), data);
            sizes.insert(entry.fileName(), data.size());
            names->append(entry.fileName());
        } catch (const std::exception &e) {
            qWarning() << RJ_FUNCTION << __LINE__ << "std::exception for zip file:" << e.what();
        } catch (...) {
            qWarning() << RJ_FUNCTION << __LINE__ << "exception for zip file, errno:" << errno;
        }
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "zipping...";
    writer.close();

    // The writer does not notice failed writes (a full disk): read the
    // archive back and make sure every entry made it.
    QZipReader reader(zipPath);
    if (reader.status() != QZipReader::NoError) {
        qWarning() << RJ_FUNCTION << __LINE__ << "zip file unreadable:" << zipPath << reader.status();
        return false;
    }
    const QVector<QZipReader::FileInfo> written = reader.fileInfoList();
    bool complete = written.size() == sizes.size();
    for (const QZipReader::FileInfo &info : written)
        complete = complete && sizes.value(info.filePath, -1) == info.size;
    if (!complete) {
        qWarning() << RJ_FUNCTION << __LINE__ << "zip file incomplete:" << zipPath << written.size() << "of"
                   << sizes.size();
        return false;
    }
    return true;
}

void CFeedbackArchiver::removeRedundantFile()
{
    const QString qstrDir = userDataDir();
    QDir dir(qstrDir);
    if (!dir.exists())
        return;

    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &file : files) {
        const QString name = file.fileName();
        const QString suffix = file.suffix();
        const bool redundant =
            (name.contains(QLatin1String("Brondal"), Qt::CaseInsensitive) && suffix == QLatin1String("log")) ||
            name.contains(QLatin1String("BrondalZorApp.log"), Qt::CaseInsensitive) ||
            suffix == QLatin1String("zip") || name == QLatin1String("CEF.log");
        if (!redundant)
            continue;
        qInfo() << RJ_FUNCTION << __LINE__ << "remove file:" << file.absoluteFilePath();
        QFile::remove(file.absoluteFilePath());
    }

    // Only dumps count towards the kept ones: a folder in the listing must
    // not push a recent dump out.
    const QFileInfoList dumps = dir.entryInfoList(QStringList{QStringLiteral("*.dmp")},
                                                  QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Time);
    int position = 0;
    for (const QFileInfo &dump : dumps) {
        qInfo() << RJ_FUNCTION << __LINE__ << "birth time:" << dump.birthTime();
        if (position++ >= m_iKeptDumps) {
            qInfo() << RJ_FUNCTION << __LINE__ << "remove file:" << dump.absoluteFilePath();
            QFile::remove(dump.absoluteFilePath());
        }
    }
}

void CFeedbackArchiver::backupNeededLogFiles()
{
    const QString qstrTempDir = userDataDir() + QStringLiteral("/temp");
    {
        QMutexLocker locker(&m_pathMutex);
        m_qstrTempDir = qstrTempDir;
    }

    // A file or link squatting on the name would send the copies elsewhere.
    const QFileInfo tempInfo(qstrTempDir);
    if (tempInfo.isSymLink() || (tempInfo.exists() && !tempInfo.isDir()))
        QFile::remove(qstrTempDir);

    if (QDir().mkdir(qstrTempDir)) {
        qInfo() << RJ_FUNCTION << __LINE__ << "create temp dir";
    } else {
        qInfo() << RJ_FUNCTION << __LINE__ << "already have folder temp";
        const QFileInfoList entries = QDir(qstrTempDir).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo &entry : entries) {
            if (entry.isDir() && !entry.isSymLink())
                QDir(entry.absoluteFilePath()).removeRecursively();
            else
                QFile::remove(entry.absoluteFilePath());
        }
        qInfo() << RJ_FUNCTION << __LINE__ << "Cleared folder temp";
    }

    QStringList files;
    collectFiles(userDataDir(), files);

    for (const QString &path : qAsConst(files)) {
        if (!CGeneralUtils::isFileExist(path)) {
            qWarning() << RJ_FUNCTION << __LINE__ << "File not existed:" << path;
            continue;
        }
        const QFileInfo info(path);
        const QString name = info.fileName();
        const QString suffix = info.suffix();
        const auto has = [&name](const char *part) {
            return name.contains(QLatin1String(part), Qt::CaseInsensitive);
        };
        QString target;
        if (suffix == QLatin1String("dmp"))
            target = dumpCopyName(path);
        else if (has("app.log") || has("app-conflict.log") || has("config.ini"))
            target = name;
        else if ((has("rjsdk") || has("tqsdk")) && suffix == QLatin1String("log"))
            target = name;
        else if (has("brondalrc") || has("privoxy"))
            target = name;
        else
            continue;

        const QString destination = qstrTempDir + QLatin1Char('/') + target;
        if (QFileInfo::exists(destination))
            continue; // the first file of a name wins
        if (!QFile::copy(path, destination))
            qWarning() << RJ_FUNCTION << __LINE__ << "failed to copy file:" << path << "to" << destination;
    }
}

bool CFeedbackArchiver::collectFiles(const QString &dir, QStringList &out)
{
    QDir qdir(dir);
    if (!qdir.exists())
        return false;

    const QFileInfoList entries =
        qdir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            // A linked folder may lead back up the tree.
            if (!entry.isSymLink())
                collectFiles(entry.absoluteFilePath(), out);
        } else if (!entry.suffix().isEmpty()) {
            out.append(entry.absoluteFilePath());
        }
    }

    const QString sdkConfig = dir + QStringLiteral("/brondalrc");
    if (CGeneralUtils::isFileExist(sdkConfig))
        out.append(sdkConfig);
    const QString userConfig = dir + QStringLiteral("/Glimora/Config/config.ini");
    if (CGeneralUtils::isFileExist(userConfig))
        out.append(userConfig);
    return true;
}

QString CFeedbackArchiver::dumpCopyName(const QString &path) const
{
    const QFileInfo info(path);
    // Not every file system records a birth time.
    QDateTime born = info.birthTime();
    if (!born.isValid())
        born = info.lastModified();
    return info.fileName() + born.toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss")) + QStringLiteral(".dmp");
}

// ---------------------------------------------------------------------------
// GUI thread

void CFeedbackArchiver::removeZip()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    const QString dir = userDataDir();
    for (int i = 0; i < kPictureCount; ++i) {
        const QString picture = dir + QStringLiteral("/IMG_%1.jpg").arg(i);
        if (QFileInfo::exists(picture))
            QFile::remove(picture);
    }
    const QString name = zipName();
    if (!name.isEmpty() && QFileInfo::exists(dir + name))
        QFile::remove(dir + name);
}

void CFeedbackArchiver::watchEngine()
{
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (pSdk == m_pWatchedSdk)
        return;
    disconnect(m_sdkConnection);
    m_pWatchedSdk = pSdk;
    if (pSdk)
        m_sdkConnection = connect(pSdk, &CRJSdkManager::eventUploadFeedback, this,
                                  &CFeedbackArchiver::onEngineUploadFeedback);
}

void CFeedbackArchiver::onEngineUploadFeedback(int number)
{
    if (!m_bPending.load())
        return;
    if (number < 0 || number == 100)
        m_bPending.store(false);
    emit sigUploadFeedback(number);
}

void CFeedbackArchiver::onTaskFailed()
{
    if (!m_bPending.exchange(false))
        return;
    emit sigUploadFeedback(-1);
}

void CFeedbackArchiver::onTaskAbandoned()
{
    m_bPending.store(false);
    emit sigUploadAbandoned();
}

} // namespace rj_app::views
