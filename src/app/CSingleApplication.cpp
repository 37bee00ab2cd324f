#include "app/CSingleApplication.h"

#include "helpers/AppVersion.h"
#include "helpers/CLogProperties.h"
#include "helpers/CLogger.h"
#include "models/CUrlJoinConfArgsParser.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

namespace rj_app {

const char *const CSingleApplication::s_pszInstanceGuid = "5d0c7a3e-9f41-4b8e-a2c6-31e07f9b4d52";

namespace {

QString runtimeDirectory()
{
    const QString dir = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    return !dir.isEmpty() && QDir(dir).exists() ? dir : QString();
}

// Outside the user's own runtime directory the socket lies in a directory
// everybody writes to: only a socket of this user is talked to.
bool socketIsOurs(const QString &path)
{
    if (!runtimeDirectory().isEmpty())
        return true;
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return true; // nothing there yet; the connect finds no server
    return S_ISSOCK(info.st_mode) && info.st_uid == ::getuid();
}

} // namespace

QString CSingleApplication::userInstanceKey()
{
    QString key = QString::fromLatin1(s_pszInstanceGuid) + QLatin1Char('-') + QString::number(::getuid());
    const QString runtimeDir = runtimeDirectory();
    if (!runtimeDir.isEmpty()) {
        const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(runtimeDir), QCryptographicHash::Sha1);
        key += QLatin1Char('-') + QString::fromLatin1(hash.toHex().left(8));
    }
    return key;
}

QString CSingleApplication::serverNameForKey(const QString &key)
{
    const QString runtimeDir = runtimeDirectory();
    return (runtimeDir.isEmpty() ? QDir::tempPath() : runtimeDir) + QLatin1Char('/') + key;
}

CSingleApplication::CSingleApplication(int &argc, char **argv, const QString &key)
    : QApplication(argc, argv)
    , m_qstrKey(key)
{
    qInfo() << "applicationDirPath:" << QCoreApplication::applicationDirPath();
    qInfo() << "applicationName:" << QCoreApplication::applicationName();

    // A segment left by a killed instance has nobody attached: attaching and
    // detaching again removes it. A live instance stays attached, so its
    // segment survives this.
    {
        QSharedMemory stale(m_qstrKey);
        if (stale.attach())
            stale.detach();
    }
    m_sharedMemory.setKey(m_qstrKey);
    const bool created = m_sharedMemory.create(1);
    // The server listens right after the segment appears: a later instance
    // that finds the segment must find the server too. Logging comes after.
    QString listenError;
    if (created) {
        const QString serverName = serverNameForKey(m_qstrKey);
        // Only the holder of the segment gets here, so a socket file left
        // behind belongs to a dead instance.
        QLocalServer::removeServer(serverName);
        m_pLocalServer = new QLocalServer(this);
        m_pLocalServer->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_pLocalServer, &QLocalServer::newConnection, this, &CSingleApplication::receiveMessage);
        if (!m_pLocalServer->listen(serverName))
            listenError = m_pLocalServer->errorString();
    }
    if (!created && m_sharedMemory.error() == QSharedMemory::AlreadyExists) {
        m_bRunning = true;
        initLogger(true);
        qInfo() << "===================== Conflicted App is starting, version:" << helpers::kAppVersion
                << "=====================";
    } else {
        initLogger(false);
        qInfo() << "===================== App is starting, version:" << helpers::kAppVersion
                << "=====================";
        if (!created)
            qWarning() << "Unable to create single instance." << m_sharedMemory.errorString();
        else if (!listenError.isEmpty())
            qWarning() << "Failed to listen:" << listenError;
    }
    const QStringList args = QCoreApplication::arguments();
    qInfo() << "argc:" << args.size();
    for (int i = 0; i < args.size(); ++i)
        qInfo().noquote() << QStringLiteral("argv[%1]:").arg(i)
                          << models::CUrlJoinConfArgsParser::maskedArgument(args.at(i));
}

CSingleApplication::~CSingleApplication()
{
    if (m_pLocalServer)
        m_pLocalServer->close();
}

bool CSingleApplication::sendMessage(const QString &message)
{
    if (!m_bRunning)
        return false;
    QLocalSocket socket;
    // A first instance that has just made its segment may not listen yet:
    // a refused connection is tried again until the time-out.
    const QDeadlineTimer deadline(m_iSocketTimeoutMs);
    const QString serverName = serverNameForKey(m_qstrKey);
    for (;;) {
        if (!socketIsOurs(serverName)) {
            qWarning() << "Not handing over: the socket" << serverName << "belongs to another user";
            return false;
        }
        socket.connectToServer(serverName, QIODevice::WriteOnly);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        const bool notYet = socket.error() == QLocalSocket::ServerNotFoundError
                            || socket.error() == QLocalSocket::ConnectionRefusedError;
        if (!notYet || deadline.hasExpired()) {
            qWarning() << "waitForConnected error:" << socket.errorString();
            return false;
        }
        socket.abort();
        QThread::msleep(m_iConnectRetryMs);
    }
    socket.write(message.toUtf8());
    if (!socket.waitForBytesWritten(m_iSocketTimeoutMs)) {
        qWarning() << "waitForBytesWritten error:" << socket.errorString();
        return false;
    }
    // Closing tells the receiver that the message is complete.
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(m_iSocketTimeoutMs);
    return true;
}

void CSingleApplication::receiveMessage()
{
    if (!m_pLocalServer)
        return;
    while (QLocalSocket *socket = m_pLocalServer->nextPendingConnection()) {
        // The message is complete when the sender closes; a sender that
        // stalls gets the time-out, not the GUI thread.
        QDeadlineTimer deadline(m_iSocketTimeoutMs);
        QByteArray data;
        bool complete = false;
        for (;;) {
            data += socket->readAll();
            if (socket->state() != QLocalSocket::ConnectedState) {
                data += socket->readAll();
                complete = true;
                break;
            }
            if (deadline.hasExpired() || !socket->waitForReadyRead(int(deadline.remainingTime()))) {
                if (socket->state() != QLocalSocket::ConnectedState) {
                    data += socket->readAll();
                    complete = true;
                }
                break;
            }
        }
        if (complete && !data.isEmpty()) {
            emit messageAvailable(QString::fromUtf8(data));
        } else {
            qWarning() << "waitForReadyRead error:" << socket->errorString();
        }
        socket->abort();
        socket->deleteLater();
    }
}

void CSingleApplication::initLogger(bool isConflicted)
{
    // What is said before the file is open belongs in the file, not on the
    // terminal; without a usable configuration stderr is the log after all.
    helpers::CLogger::holdUntilConfigured();
    helpers::CLogProperties properties;
    if (!loadLogConfig(QCoreApplication::applicationDirPath() + QStringLiteral("/log4qt_win.properties"), properties,
                       isConflicted)
        || !helpers::CLogger::configure(properties))
        helpers::CLogger::basicConfigure();
}

bool CSingleApplication::loadLogConfig(const QString &path, helpers::CLogProperties &properties, bool isConflicted)
{
    return helpers::CLogProperties::loadLogConfig(path, properties, isConflicted);
}

} // namespace rj_app
