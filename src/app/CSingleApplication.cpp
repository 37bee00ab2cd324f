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

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rj_app {

const char *const CSingleApplication::s_pszInstanceGuid = "5d0c7a3e-9f41-4b8e-a2c6-31e07f9b4d52";

namespace {

// A directory that only this user can enter: owned by the user, no link, no
// access for others.
bool isPrivateDirectory(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

QString runtimeDirectory()
{
    const QString dir = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    return !dir.isEmpty() && isPrivateDirectory(dir) ? dir : QString();
}

// Without a runtime directory: one of the user's own in the temporary
// directory. A name another user took first (or opened to others) is not
// used; a fresh directory then keeps this start apart, unreachable by later
// ones, rather than letting the other user decide whether it may run.
QString fallbackDirectory()
{
    const QString base = QDir::tempPath() + QStringLiteral("/glimora-") + QString::number(::getuid());
    const QByteArray native = QFile::encodeName(base);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        qWarning() << "Can not create" << base << std::strerror(errno);
    if (isPrivateDirectory(base))
        return base;
    QByteArray unique = native + "-XXXXXX";
    if (::mkdtemp(unique.data())) {
        qWarning() << base << "is not this user's own; this start uses" << unique << "and cannot be reached";
        return QFile::decodeName(unique);
    }
    qWarning() << "No private directory for the single-instance channel";
    return QString();
}

// Fixed for the process: later starts must compute the same place.
const QString &instanceDirectory()
{
    static const QString s_dir = [] {
        const QString runtimeDir = runtimeDirectory();
        return runtimeDir.isEmpty() ? fallbackDirectory() : runtimeDir;
    }();
    return s_dir;
}

// The directory is private, so only this user can have put a socket there;
// checked anyway before a message goes to it.
bool socketIsOurs(const QString &path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return true; // nothing there yet; the connect finds no server
    return S_ISSOCK(info.st_mode) && info.st_uid == ::getuid();
}

} // namespace

QString CSingleApplication::userInstanceKey()
{
    QString key = QString::fromLatin1(s_pszInstanceGuid) + QLatin1Char('-') + QString::number(::getuid());
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(instanceDirectory()), QCryptographicHash::Sha1);
    return key + QLatin1Char('-') + QString::fromLatin1(hash.toHex().left(8));
}

QString CSingleApplication::instanceDirectoryPath()
{
    return instanceDirectory();
}

QString CSingleApplication::serverNameForKey(const QString &key)
{
    return instanceDirectory() + QLatin1Char('/') + key;
}

QString CSingleApplication::lockFileForKey(const QString &key)
{
    return instanceDirectory() + QLatin1Char('/') + key + QStringLiteral(".lock");
}

CSingleApplication::CSingleApplication(int &argc, char **argv, const QString &key)
    : QApplication(argc, argv)
    , m_qstrKey(key)
{
    qInfo() << "applicationDirPath:" << QCoreApplication::applicationDirPath();
    qInfo() << "applicationName:" << QCoreApplication::applicationName();

    // The first instance is the one holding the lock file in the private
    // directory; the kernel lets go of it when the process ends, however it
    // ends. Not inherited by child processes, which may outlive this one.
    QString channelError;
    bool first = true;
    if (instanceDirectory().isEmpty()) {
        channelError = QStringLiteral("no private directory");
    } else {
        m_iLockFd = ::open(QFile::encodeName(lockFileForKey(m_qstrKey)).constData(),
                           O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_iLockFd < 0) {
            channelError = QStringLiteral("lock file: ") + QString::fromLocal8Bit(std::strerror(errno));
        } else if (::flock(m_iLockFd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK)
                first = false;
            else
                channelError = QStringLiteral("lock: ") + QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    // The server listens right after the lock is taken: a later instance
    // waits for it. Logging comes after.
    if (first && channelError.isEmpty()) {
        const QString serverName = serverNameForKey(m_qstrKey);
        // Only the holder of the lock gets here, so a socket file left
        // behind belongs to a dead instance.
        QLocalServer::removeServer(serverName);
        m_pLocalServer = new QLocalServer(this);
        m_pLocalServer->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_pLocalServer, &QLocalServer::newConnection, this, &CSingleApplication::receiveMessage);
        if (!m_pLocalServer->listen(serverName))
            channelError = QStringLiteral("listen: ") + m_pLocalServer->errorString();
    }
    if (!first) {
        m_bRunning = true;
        initLogger(true);
        qInfo() << "===================== Conflicted App is starting, version:" << helpers::kAppVersion
                << "=====================";
    } else {
        initLogger(false);
        qInfo() << "===================== App is starting, version:" << helpers::kAppVersion
                << "=====================";
        if (!channelError.isEmpty())
            qWarning() << "Unable to create single instance." << channelError;
        // The segment is a hint for others only: anybody may make one under
        // the key, so it never decides. One left by a killed instance has
        // nobody attached; attaching and detaching removes it.
        {
            QSharedMemory stale(m_qstrKey);
            if (stale.attach())
                stale.detach();
        }
        m_sharedMemory.setKey(m_qstrKey);
        if (!m_sharedMemory.create(1))
            qInfo() << "Single-instance segment not made (only a hint):" << m_sharedMemory.errorString();
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
    if (m_iLockFd >= 0)
        ::close(m_iLockFd);
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
