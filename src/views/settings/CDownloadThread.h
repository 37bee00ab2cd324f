#pragma once

#include <QMutex>
#include <QString>
#include <QThread>

#include <atomic>

namespace rj_app::helpers {
class CAppConfigUtils;
}

namespace rj_app::views {

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
    // "<address>/<flag>/<bundle id>/[<prefix>.]<app info>"
    static QString updateServerUrl(const QString &address, const QString &flag, const QString &bundleId,
                                   const QString &appInfo, const QString &appInfoPrefix);
    // The management server's latest-version resource.
    static QString latestAppVersionUrl(bool useHttps, const QString &serverAddress, int port);

    // Outcome of the last completed check; read after signal_updateMessage.
    bool isNewVersionFound() const;
    QString version() const;
    QString downloadUrl() const;

    // Seam: the deployment configuration read by Tstart (null: the one beside
    // the executable). The object must outlive the worker's use of it.
    void setAppConfig(const helpers::CAppConfigUtils *config);

signals:
    // Once per completed check; not sent when the check was stopped.
    void signal_updateMessage(bool toUpdate);

public slots:
    void slot_updateMessage(bool toUpdate);

protected:
    void run() override;

private:
    CDownloadThread();

    void checkForUpdate();

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
    mutable QMutex m_mutex;            // m_bDownloadRequested and the check's results
    bool m_bNewVersionFound = false;
    bool m_bDownloadRequested = false;
    std::atomic<bool> m_bQuit{false};
    QString m_qstrServerAddress;
    bool m_bUseHttps = true;
    int m_iPort = 0;
    bool m_useNDMinfoFlag = false;
    UpdateSource m_updateSource;
    const helpers::CAppConfigUtils *m_pAppConfig = nullptr;
};

} // namespace rj_app::views
