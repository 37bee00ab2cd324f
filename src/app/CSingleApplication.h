#pragma once

#include <QApplication>
#include <QSharedMemory>
#include <QString>

class QLocalServer;

namespace rj_app::helpers {
class CLogProperties;
}

namespace rj_app {

// The application object with its single-instance channel: the first process
// of a user holds a lock file in the user's private runtime directory and
// listens there; a later process finds the lock taken, sends one UTF-8
// message ("Activate" or its join URL) to the first and exits. The
// shared-memory segment under the key is made as a hint only: anybody may
// make one, so it never decides. Also sets up logging.
class CSingleApplication : public QApplication
{
    Q_OBJECT
public:
    static constexpr const char *m_pszLogFileName = "app.log";
    static constexpr const char *m_pszConflictLogFileName = "app-conflict.log";
    // How long each socket step of the channel may take.
    static constexpr int m_iSocketTimeoutMs = 1000;
    // Pause between connection attempts of a later instance.
    static constexpr int m_iConnectRetryMs = 10;

    // The fixed part of the single-instance key.
    static const char *const s_pszInstanceGuid;
    // The key of the current user: the fixed part, the user id and the
    // instance directory, so two users (or two isolated sessions) never meet.
    static QString userInstanceKey();
    // The user's own directory of the channel: $XDG_RUNTIME_DIR when it is
    // private to the user, else "glimora-<uid>" in the temporary directory,
    // made 0700 and used only when it is the user's own. Fixed per process.
    static QString instanceDirectoryPath();
    // Where the local server of a key listens, and the lock file that makes
    // the first instance; both in the instance directory.
    static QString serverNameForKey(const QString &key);
    static QString lockFileForKey(const QString &key);

    CSingleApplication(int &argc, char **argv, const QString &key);
    ~CSingleApplication() override;

    bool isRunning() const { return m_bRunning; }
    bool sendMessage(const QString &message);

    void initLogger(bool isConflicted);
    // Reads the log properties file; false when it cannot be read.
    static bool loadLogConfig(const QString &path, helpers::CLogProperties &properties, bool isConflicted);

signals:
    void messageAvailable(QString message);

public slots:
    void receiveMessage();

private:
    bool m_bRunning = false;
    QString m_qstrKey;
    QSharedMemory m_sharedMemory;
    QLocalServer *m_pLocalServer = nullptr;
    int m_iLockFd = -1;
};

} // namespace rj_app
