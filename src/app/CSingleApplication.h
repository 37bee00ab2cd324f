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
// of a user holds a shared-memory segment and a local server under one key;
// a later process finds the segment, sends one UTF-8 message ("Activate" or
// its join URL) to the first and exits. Also sets up logging.
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
    // The key of the current user: the fixed part, the user id and the user's
    // runtime directory, so two users (or two isolated sessions) never meet.
    static QString userInstanceKey();
    // Where the local server of a key listens: the user's runtime directory
    // when there is one, else the system's temporary directory.
    static QString serverNameForKey(const QString &key);

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
};

} // namespace rj_app
