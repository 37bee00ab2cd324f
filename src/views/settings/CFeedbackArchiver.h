#pragma once

#include <QDateTime>
#include <QFuture>
#include <QList>
#include <QMetaObject>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace rj_app::helpers {
class CAppConfigUtils;
}
namespace rj_app::models {
class CRJSdkManager;
}

namespace rj_app::views {

// The archive side of the feedback dialog: tidies the user data directory,
// collects logs, configuration and crash dumps into its "temp" folder, zips
// them to "appLog<MM-dd-hh-mm-ss>.zip" and hands the archive to the engine's
// feedback upload. The dialog owns one and forwards its own operations here.
//
// Lives in the GUI thread; execUploadLog and the three steps it calls run on
// a pool thread (startUpload) and touch only files and the two path members.
// Results reach the GUI thread as sigUploadFeedback, both the engine's and
// the ones decided here (the archive could not be written, no engine).
class CFeedbackArchiver : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit CFeedbackArchiver(QObject *parent = nullptr);
    // Waits for its own tasks: they use the members.
    ~CFeedbackArchiver() override;

    // GUI thread: runs execUploadLog with the two texts on the global pool.
    QFuture<void> startUpload(const QString &description, const QString &contact);
    bool isUploading() const { return m_bPending.load(); }

    // The task itself; callable on any thread. Tasks of the whole process
    // run one after another: they share the collection folder.
    void execUploadLog(const QString &description, const QString &contact);
    void removeRedundantFile();
    void backupNeededLogFiles();
    bool collectFiles(const QString &dir, QStringList &out);
    // GUI thread, after a successful upload: the pictures and the archive go.
    void removeZip();

    // "/appLog<time>.zip" of the last upload, and its collection folder.
    QString zipName() const;
    QString tempDir() const;
    // The archive's full path; empty before the first upload.
    QString zipPath() const;

    // Seams: the time stamped into the archive name (local time), and the
    // deployment configuration read for "FeedbackAddress".
    void setClock(Clock clock);
    void setAppConfig(const helpers::CAppConfigUtils *config);

    // Files a dump keeps, newest first; older ones are deleted.
    static constexpr int m_iKeptDumps = 5;

signals:
    // The engine's progress (0..99), 100 for success, negative for failure;
    // only while an upload of this object is under way.
    void sigUploadFeedback(int number);
    // Nothing to archive (no collection folder): the upload was not started
    // and no result follows.
    void sigUploadAbandoned();

private slots:
    void onEngineUploadFeedback(int number);
    void onTaskFailed();
    void onTaskAbandoned();

private:
    QString userDataDir() const;
    QString dumpCopyName(const QString &path) const;
    bool writeArchive(const QString &zipPath, QStringList *names);
    void watchEngine();

    mutable QMutex m_pathMutex;   // the two members below
    QString m_qstrZipName;
    QString m_qstrTempDir;

    Clock m_clock;
    const helpers::CAppConfigUtils *m_pAppConfig = nullptr;
    QPointer<models::CRJSdkManager> m_pWatchedSdk;
    QMetaObject::Connection m_sdkConnection;
    std::atomic<bool> m_bPending{false};
    QList<QFuture<void>> m_tasks; // unfinished ones
};

} // namespace rj_app::views
