#pragma once

#include "views/settings/CFeedbackArchiveTask.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

namespace rj_app::helpers {
class CAppConfigUtils;
}

namespace rj_app::views {

// The archive side of the feedback dialog. The dialog owns one and forwards
// its own operations here; the file work is a CFeedbackArchiveTask that runs
// on the global pool and needs nothing of this object, so a dialog may close
// while its archive is being made.
//
// The engine reports upload results without saying whose upload they are,
// so the process runs one feedback upload at a time: from startUpload until
// its final result (also when its dialog is gone by then). Results reach
// only the archiver that started that upload. GUI thread only, except
// execUploadLog.
class CFeedbackArchiver : public QObject
{
    Q_OBJECT

public:
    using Clock = CFeedbackArchiveTask::Clock;

    explicit CFeedbackArchiver(QObject *parent = nullptr);
    ~CFeedbackArchiver() override;

    // Starts the archive task on the global pool; false, and nothing
    // started, while an upload of the process is still running.
    bool startUpload(const QString &description, const QString &contact);
    // This archiver's upload has not had its final result yet.
    bool isUploading() const;
    // Some upload of the process has not had its final result yet.
    static bool isAnyUploadRunning();

    // The task itself, run here and now (any thread); no signal follows.
    CFeedbackArchiveTask::Outcome execUploadLog(const QString &description, const QString &contact);
    // After a successful upload: the pictures and this archiver's archive go.
    void removeZip();

    // "/appLog<time>.zip" of the last upload, and its collection folder.
    QString zipName() const { return m_qstrZipName; }
    QString tempDir() const { return m_qstrTempDir; }
    // The archive's full path; empty before the first upload.
    QString zipPath() const;

    // Seams: the time stamped into the archive name (local time), and the
    // deployment configuration read for "FeedbackAddress".
    void setClock(Clock clock);
    void setAppConfig(const helpers::CAppConfigUtils *config);

signals:
    // The engine's progress (0..99), 100 for success, negative for failure;
    // only for this archiver's upload.
    void sigUploadFeedback(int number);
    // Nothing to archive (no collection folder): the upload was not started
    // and no result follows.
    void sigUploadAbandoned();

private:
    friend class FeedbackUploadGate;
    void takeTaskResult(const QString &zipName, const QString &tempDir);
    QString feedbackAddress() const;

    Clock m_clock;
    const helpers::CAppConfigUtils *m_pAppConfig = nullptr;
    QString m_qstrZipName;
    QString m_qstrTempDir;
};

} // namespace rj_app::views
