#pragma once

#include <QPointer>
#include <QString>
#include <QThread>

#include <atomic>
#include <mutex>
#include <functional>

namespace rj_app::helpers {
class CAppConfigUtils;
}

namespace rj_app::views {

class CDownloadManager;
class CUpdateMessageWidget;

// The software-update worker. The object and its slots live in the GUI
// thread; run() asks the update source for the latest version on the worker's
// own thread and announces the outcome with signal_updateMessage.
class CDownloadThread : public QThread
{
    Q_OBJECT

public:
    // The one worker, created on first use (GUI thread); stopped when the
    // application quits and when the process ends.
    static CDownloadThread *getInstance();

    ~CDownloadThread() override;

    // GUI thread. Takes the server address, port and HTTPS flag of the
    // sign-in; checks when force is set or useAppConfigServer matches whether
    // "SoftwareUpdateAddress" is configured. A check in progress is stopped
    // first.
    void Tstart(bool useAppConfigServer, bool force);
    // GUI thread. Stops the worker and waits, without a time limit, until it
    // has ended.
    void Tquit();

    // True when remote is a later version than local: parts split at "." and
    // compared as numbers (a non-number part counts 0); with all common parts
    // equal, the one with more parts is later.
    static bool isNewerVersion(const QString &remote, const QString &local);
    // The package kind this build asks for: "linux", "windows" or "mac".
    static QString appType();
    // "<address>/<flag>/<bundle id>/[<prefix>.]<app info>"
    static QString updateServerUrl(const QString &address, const QString &flag, const QString &bundleId,
                                   const QString &appInfo, const QString &appInfoPrefix);
    // The management server's latest-version resource for appType().
    static QString latestAppVersionUrl(bool useHttps, const QString &serverAddress, int port);

    // Outcome of the last completed check; read after signal_updateMessage.
    bool isNewVersionFound() const;
    // Why the last completed check failed; empty when it got an answer.
    QString checkError() const;
    // The text a person sees for a failed check: "update check failed",
    // followed by the reason when there is one.
    static QString checkFailedText(const QString &reason);
    QString version() const;
    QString downloadUrl() const;

    // Seam: the deployment configuration read by Tstart (null: the one beside
    // the executable). The object must outlive the worker's use of it.
    void setAppConfig(const helpers::CAppConfigUtils *config);

    // Seam: hands the downloaded package to the platform; true when it was
    // taken. Default: the desktop opens the file. Null restores the default.
    using InstallerLauncher = std::function<bool(const QString &path)>;
    void setInstallerLauncher(InstallerLauncher launcher);
    // Seam: ends the application once the installer has started. Default:
    // the application's event loop is asked to quit. Null restores it.
    using ExitApp = std::function<void()>;
    void setExitApp(ExitApp exitApp);

    // The open prompt, null when none is open.
    CUpdateMessageWidget *updateMessageWidget() const;
    // The package of the last download that completed; empty otherwise.
    QString downloadedFilePath() const;

signals:
    // Once per check that got an answer: whether it names a newer version.
    // A failed check sends signal_updateCheckFailed instead; a stopped one
    // sends neither. Both are emitted in the GUI thread, after the call that
    // started the check has returned, and never for a check that was stopped
    // or replaced meanwhile.
    void signal_updateMessage(bool toUpdate);
    void signal_updateCheckFailed(QString reason);

public slots:
    void slot_updateMessage(bool toUpdate);
    void slot_DownLoad();
    void slot_Cancel();
    void slot_Yes();
    void slot_No();
    void downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal, int time);
    void downloadFinished(bool succeed);
    void slot_Install();
    void slot_setActiveParent();

protected:
    void run() override;

private:
    CDownloadThread();

    void checkForUpdate();
    void downloadPackage();
    void startRun();
    void announce(quint64 run, bool failed, bool found, const QString &reason);
    Q_INVOKABLE void announcePending();
    void closeMessageWidget();
    bool hasDownloadManager() const;

    // The update source as Tstart found it, so the worker reads no GUI-thread
    // objects.
    struct UpdateSource
    {
        QString address;
        QString flag;
        QString bundleId;
        QString appInfo;
        QString appInfoPrefix;
    };

    QString m_version;
    QString m_downurl;
    // A standard mutex, so that thread checkers see what it guards.
    mutable std::mutex m_mutex;            // m_bDownloadRequested, the check's results, the manager pointer
    bool m_bNewVersionFound = false;
    bool m_bCheckFailed = false;
    QString m_qstrCheckError;
    bool m_bDownloadRequested = false;
    std::atomic<bool> m_bQuit{false};
    // The outcome of the last check, waiting for the GUI thread; under m_mutex.
    struct Announcement {
        bool valid = false;
        quint64 run = 0;
        bool failed = false;
        bool found = false;
        QString reason;
    };
    Announcement m_pending;
    std::atomic<quint64> m_iRun{0};    // the run whose results may still be announced
    // Counted as the last step of every run; read after waiting for one. The
    // wait itself goes through Qt's own locks, which a thread sanitizer does
    // not see, so this is where the run's reads visibly end before the
    // members they read are replaced.
    std::atomic<quint64> m_iRunsEnded{0};
    QString m_qstrServerAddress;
    bool m_bUseHttps = true;
    int m_iPort = 0;
    bool m_useNDMinfoFlag = false;
    CDownloadManager *m_pDownloadManager = nullptr;   // lives in, and dies with, a run
    QPointer<CUpdateMessageWidget> m_updateMessageWidget;
    QString m_qstrDownloadedPath;      // under m_mutex
    InstallerLauncher m_installerLauncher;
    ExitApp m_exitApp;
    UpdateSource m_updateSource;
    const helpers::CAppConfigUtils *m_pAppConfig = nullptr;
};

} // namespace rj_app::views
