#include "platform/CTerminationWatcher.h"

#include <QDebug>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace rj_app::platform {

namespace {

int g_fds[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onTerminationSignal(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const int savedErrno = errno;
    [[maybe_unused]] const ssize_t written = ::write(g_fds[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

CTerminationWatcher::CTerminationWatcher(QObject *parent)
    : QObject(parent)
{
    if (g_fds[0] != -1) {
        qWarning("CTerminationWatcher: only one watcher per process");
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) != 0) {
        qWarning("CTerminationWatcher: socketpair failed");
        g_fds[0] = g_fds[1] = -1;
        return;
    }
    ::fcntl(g_fds[0], F_SETFL, ::fcntl(g_fds[0], F_GETFL) | O_NONBLOCK);
    m_pNotifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CTerminationWatcher::onReadable);
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kSignals)
        ::sigaction(sig, &action, nullptr);
}

CTerminationWatcher::~CTerminationWatcher()
{
    if (!m_pNotifier)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int sig : kSignals)
        ::sigaction(sig, &action, nullptr);
    ::close(g_fds[0]);
    ::close(g_fds[1]);
    g_fds[0] = g_fds[1] = -1;
}

void CTerminationWatcher::onReadable()
{
    unsigned char byte = 0;
    if (::read(g_fds[1], &byte, 1) != 1)
        return;
    qInfo() << "Termination requested by signal" << int(byte);
    emit sigTerminationRequested(int(byte));
}

} // namespace rj_app::platform
