// A process with the client's application object, for the single-instance
// tests: "listen" prints "first" or "later", then every message it receives
// as hex on its own line; "send <text>" sends the text when another instance
// runs and prints "sent" or "not sent". The log goes to stderr.
//
// "hold <key> [<socket>]" plays another local user (uid 65534 when started as
// root): it makes a shared-memory segment under the key and, when a socket
// path is given, listens there (making its directory, open to all, when
// missing); then prints "held" and waits to be killed.

#include "app/CSingleApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QSharedMemory>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <cerrno>
#include <fcntl.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int hold(int argc, char *argv[])
{
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        return 3;
    QCoreApplication app(argc, argv);
    // The segment Qt would find under the key, made with the system calls
    // directly: Qt's own lock of the key may belong to the other user.
    const QByteArray keyFile = QFile::encodeName(QSharedMemory(QString::fromLocal8Bit(argv[2])).nativeKey());
    const int fd = ::open(keyFile.constData(), O_CREAT | O_RDONLY, 0644);
    if (fd >= 0)
        ::close(fd);
    const key_t ipcKey = ::ftok(keyFile.constData(), 'Q');
    int id = ::shmget(ipcKey, 1, IPC_CREAT | IPC_EXCL | 0600);
    if (id < 0 && errno == EEXIST) {
        // A segment a killed probe left: a new key file may reuse its inode.
        const int stale = ::shmget(ipcKey, 0, 0);
        if (stale >= 0)
            ::shmctl(stale, IPC_RMID, nullptr);
        id = ::shmget(ipcKey, 1, IPC_CREAT | IPC_EXCL | 0600);
    }
    if (id < 0 || ::shmat(id, nullptr, SHM_RDONLY) == reinterpret_cast<void *>(-1)) {
        std::fprintf(stderr, "segment: %s\n", std::strerror(errno));
        return 4;
    }
    QLocalServer server;
    if (argc > 3) {
        const QString socket = QString::fromLocal8Bit(argv[3]);
        const QByteArray dir = QFile::encodeName(QFileInfo(socket).absolutePath());
        if (::mkdir(dir.constData(), 0777) == 0)
            ::chmod(dir.constData(), 0777);
        server.setSocketOptions(QLocalServer::WorldAccessOption);
        if (!server.listen(socket))
            return 5;
    }
    std::printf("held\n");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("glimora"));
    if (argc < 2)
        return 2;
    if (std::strcmp(argv[1], "hold") == 0)
        return argc > 2 ? hold(argc, argv) : 2;
    const bool listen = std::strcmp(argv[1], "listen") == 0;
    const QByteArray text = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    // Every argument goes to the application object, which logs them.
    int appArgc = argc;
    rj_app::CSingleApplication app(appArgc, argv, rj_app::CSingleApplication::userInstanceKey());
    std::printf("%s\n", app.isRunning() ? "later" : "first");
    std::fflush(stdout);
    if (!listen) {
        const bool sent = app.sendMessage(QString::fromUtf8(text));
        std::printf("%s\n", sent ? "sent" : "not sent");
        return 0;
    }
    QObject::connect(&app, &rj_app::CSingleApplication::messageAvailable, [](const QString &message) {
        std::printf("%s\n", message.toUtf8().toHex().constData());
        std::fflush(stdout);
    });
    return app.exec();
}
