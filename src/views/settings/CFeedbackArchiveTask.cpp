#include "views/settings/CFeedbackArchiveTask.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "models/LogMasking.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSaveFile>
#include <QtDebug>

#include <private/qzipreader_p.h>
#include <private/qzipwriter_p.h>

#include <cerrno>
#include <exception>
#include <utility>

namespace rj_app::views {

using helpers::CGeneralUtils;
using helpers::CUserConfigUtils;
using models::CRJSdkManager;

namespace {

// One collection folder per user data directory: tasks take turns.
QMutex g_collectionMutex;

bool isConfiguration(const QString &name)
{
    return name.contains(QLatin1String("config.ini"), Qt::CaseInsensitive)
           || name.contains(QLatin1String("brondalrc"), Qt::CaseInsensitive);
}

} // namespace

CFeedbackArchiveTask::CFeedbackArchiveTask(Clock clock, QString feedbackAddress, QSet<QString> keptArchives)
    : m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
    , m_qstrFeedbackAddress(std::move(feedbackAddress))
    , m_keptArchives(std::move(keptArchives))
{
}

QString CFeedbackArchiveTask::userDataDir()
{
    return CUserConfigUtils::getUserConfigPath();
}

CFeedbackArchiveTask::Outcome CFeedbackArchiveTask::run(const QString &description, const QString &contact,
                                                        const std::function<void()> &archiveWritten)
{
    QMutexLocker collectionLocker(&g_collectionMutex);
    removeRedundantFile();
    backupNeededLogFiles();

    m_qstrZipName = QStringLiteral("/appLog%1.zip").arg(m_clock().toString(QStringLiteral("MM-dd-hh-mm-ss")));
    const QString qstrZipPath = userDataDir() + m_qstrZipName;
    qInfo() << RJ_FUNCTION << __LINE__ << "Zip file path:" << qstrZipPath;

    if (!QDir(m_qstrTempDir).exists()) {
        qInfo() << RJ_FUNCTION << __LINE__ << "Directory is not existed";
        return Outcome::Abandoned;
    }
    // A broken archive is not worth sending.
    if (!writeArchive(qstrZipPath))
        return Outcome::Failed;
    if (archiveWritten)
        archiveWritten();

    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk || !pSdk->hasEngine()) {
        // No engine, so no upload event will ever come.
        qWarning() << RJ_FUNCTION << __LINE__ << "no engine for the upload";
        return Outcome::Failed;
    }
    // The outcome arrives only as the engine's upload event, refusals included.
    if (!m_qstrFeedbackAddress.isEmpty())
        pSdk->uploadFeedbackFilesWithAddress(qstrZipPath, contact, description, m_qstrFeedbackAddress);
    else
        pSdk->uploadFeedbackfile(qstrZipPath, contact, description);
    return Outcome::Handed;
}

bool CFeedbackArchiveTask::writeArchive(const QString &zipPath)
{
    QZipWriter writer(zipPath, QIODevice::WriteOnly | QIODevice::Truncate);
    if (writer.status() != QZipWriter::NoError) {
        qWarning() << RJ_FUNCTION << __LINE__ << "failed to create zip file:" << zipPath << writer.status();
        return false;
    }
    writer.setCompressionPolicy(QZipWriter::AlwaysCompress);

    QHash<QString, qint64> sizes;
    const QFileInfoList entries =
        QDir(m_qstrTempDir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
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

void CFeedbackArchiveTask::removeRedundantFile()
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
        if (m_keptArchives.contains(file.absoluteFilePath())) {
            qInfo() << RJ_FUNCTION << __LINE__ << "kept for its dialog:" << file.absoluteFilePath();
            continue;
        }
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

void CFeedbackArchiveTask::backupNeededLogFiles()
{
    m_qstrTempDir = userDataDir() + QStringLiteral("/temp");

    // A file or link squatting on the name would send the copies elsewhere.
    const QFileInfo tempInfo(m_qstrTempDir);
    if (tempInfo.isSymLink() || (tempInfo.exists() && !tempInfo.isDir()))
        QFile::remove(m_qstrTempDir);

    if (QDir().mkdir(m_qstrTempDir)) {
        qInfo() << RJ_FUNCTION << __LINE__ << "create temp dir";
    } else {
        qInfo() << RJ_FUNCTION << __LINE__ << "already have folder temp";
        const QFileInfoList entries = QDir(m_qstrTempDir).entryInfoList(
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

        const QString destination = m_qstrTempDir + QLatin1Char('/') + target;
        if (QFileInfo::exists(destination))
            continue; // the first file of a name wins
        const CopyKind kind = suffix == QLatin1String("dmp") ? CopyKind::Verbatim
                              : isConfiguration(name)        ? CopyKind::Configuration
                                                             : CopyKind::Log;
        if (!copyInto(path, destination, kind))
            qWarning() << RJ_FUNCTION << __LINE__ << "failed to copy file:" << path << "to" << destination;
    }
}

bool CFeedbackArchiveTask::copyInto(const QString &source, const QString &destination, CopyKind kind)
{
    if (kind == CopyKind::Verbatim)
        return QFile::copy(source, destination);
    // The archive leaves the machine: no password goes with it.
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    QSaveFile out(destination);
    const QByteArray copy = kind == CopyKind::Configuration ? withoutPasswords(content) : withoutJoinPasswords(content);
    return out.open(QIODevice::WriteOnly) && out.write(copy) >= 0 && out.commit();
}

QByteArray CFeedbackArchiveTask::withoutJoinPasswords(const QByteArray &log)
{
    // Logs of earlier versions, and the engine's, may hold a join URL as typed.
    QList<QByteArray> lines = log.split('\n');
    for (QByteArray &line : lines) {
        if (line.toLower().contains("joinmeeting/"))
            line = models::CUrlJoinConfArgsParser::maskedJoinUrls(QString::fromUtf8(line)).toUtf8();
    }
    return lines.join('\n');
}

QByteArray CFeedbackArchiveTask::withoutPasswords(const QByteArray &ini)
{
    QList<QByteArray> lines = ini.split('\n');
    for (QByteArray &line : lines) {
        // As the configuration reader sees it: a section line starts with
        // "[", anything else with "=" is a key and its value.
        const int eq = line.indexOf('=');
        if (line.startsWith('[') || eq < 0)
            continue;
        const bool cr = line.endsWith('\r');
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1, line.size() - eq - 1 - (cr ? 1 : 0));
        line = key + '=' + archivedValue(key, value) + (cr ? "\r" : "");
    }
    return lines.join('\n');
}

QByteArray CFeedbackArchiveTask::archivedValue(const QByteArray &key, const QByteArray &value)
{
    const QByteArray name = key.toLower();
    for (const char *secret : {"password", "passwd", "pwd", "token", "secret"}) {
        if (name.contains(secret))
            return QByteArray();
    }
    const QString original = QString::fromUtf8(value);
    QString text = original;
    // Meetings are stored as dialled, "number*password@server": the running
    // one (ConfId), the history (ConfIds_<n>) and the guest join's number.
    if (name == "confid" || name.startsWith("confids_") || name == "joinconfnumber")
        text = models::maskedDialString(text);
    // A join URL may stand in any value.
    text = models::CUrlJoinConfArgsParser::maskedJoinUrls(text);
    // Bytes that are not UTF-8 go as they are unless something was hidden.
    return text == original ? value : text.toUtf8();
}

bool CFeedbackArchiveTask::collectFiles(const QString &dir, QStringList &out)
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

QString CFeedbackArchiveTask::dumpCopyName(const QString &path)
{
    const QFileInfo info(path);
    // Not every file system records a birth time.
    QDateTime born = info.birthTime();
    if (!born.isValid())
        born = info.lastModified();
    return info.fileName() + born.toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss")) + QStringLiteral(".dmp");
}

} // namespace rj_app::views
