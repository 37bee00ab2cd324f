#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

namespace rj_app::views {

// One feedback upload's file work: tidies the user data directory, collects
// logs, configuration and crash dumps into its "temp" folder, zips them to
// "appLog<MM-dd-hh-mm-ss>.zip" and hands the archive to the engine's upload.
//
// A plain object that holds everything it needs, so that a pool task can own
// it and go on after the dialog that asked for it is gone. Tasks of the
// whole process take turns: they share the collection folder.
class CFeedbackArchiveTask
{
public:
    using Clock = std::function<QDateTime()>;

    enum class Outcome {
        Handed,    // the engine has the archive; its event tells the rest
        Abandoned, // nothing to archive: no collection folder
        Failed,    // no usable archive, or no engine to send it
    };

    // feedbackAddress: the deployment's "FeedbackAddress", empty for the
    // engine's own destination. keptArchives: archive paths of other dialogs
    // that the tidy-up leaves alone (one may be about to be saved after a
    // failed upload).
    CFeedbackArchiveTask(Clock clock, QString feedbackAddress, QSet<QString> keptArchives = {});

    // archiveWritten runs (on this thread) once the archive is complete,
    // before the engine gets it.
    Outcome run(const QString &description, const QString &contact,
                const std::function<void()> &archiveWritten = {});

    // "/appLog<time>.zip" and the collection folder, once run has set them.
    QString zipName() const { return m_qstrZipName; }
    QString tempDir() const { return m_qstrTempDir; }

    void removeRedundantFile();
    void backupNeededLogFiles();
    static bool collectFiles(const QString &dir, QStringList &out);

    // A configuration file as the archive takes it (see archivedValue), line
    // by line; section lines, lines without "=" and line ends stay as they are.
    static QByteArray withoutPasswords(const QByteArray &ini);
    // A log as the archive takes it: every join URL's password hidden.
    static QByteArray withoutJoinPasswords(const QByteArray &log);

    // Files a dump keeps, newest first; older ones are deleted.
    static constexpr int m_iKeptDumps = 5;

private:
    // One value of a configuration file as the archive takes it: blank when
    // the key's name holds "Password", "Passwd", "Pwd", "Token" or "Secret"
    // (any case, any section); the password of a meeting stored as dialled
    // ("ConfId", "ConfIds_<n>", "JoinConfNumber": "number*password@server")
    // and of any join URL hidden; anything else byte for byte.
    static QByteArray archivedValue(const QByteArray &key, const QByteArray &value);
    static QString userDataDir();
    static QString dumpCopyName(const QString &path);
    enum class CopyKind { Verbatim, Configuration, Log };
    bool copyInto(const QString &source, const QString &destination, CopyKind kind);
    bool writeArchive(const QString &zipPath);

    Clock m_clock;
    QString m_qstrFeedbackAddress;
    QSet<QString> m_keptArchives;
    QString m_qstrZipName;
    QString m_qstrTempDir;
};

} // namespace rj_app::views
