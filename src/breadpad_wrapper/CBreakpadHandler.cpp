#include "breadpad_wrapper/CBreakpadHandler.h"

#include "helpers/AppVersion.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMutexLocker>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <execinfo.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace rj_app::breadpad_wrapper {

// Everything below up to the class is used from the signal handler: no
// allocation, no locks, no Qt, only async-signal-safe system calls on data
// prepared by setDumpPath.
namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kSignalCount = int(sizeof(kSignals) / sizeof(kSignals[0]));
constexpr std::size_t kDirMax = 4096;
constexpr std::size_t kIdMax = 96;
constexpr int kMaxFrames = 64;
constexpr std::size_t kAltStackSize = 128 * 1024;

struct sigaction g_previous[kSignalCount];
bool g_installed = false; // changed only under CBreakpadHandler's mutex

// Two buffers, so a new directory is published whole while a crashing
// thread may still read the old one.
char g_dirBuffers[2][kDirMax];
int g_nextDirBuffer = 0;
std::atomic<const char *> g_dumpDir{nullptr};
char g_application[256];

std::atomic<unsigned> g_reportCounter{0};
std::atomic<long> g_crashingThread{0};
static_assert(std::atomic<const char *>::is_always_lock_free, "needed in a signal handler");
static_assert(std::atomic<long>::is_always_lock_free, "needed in a signal handler");
static_assert(std::atomic<unsigned>::is_always_lock_free, "needed in a signal handler");

// Bounded string building into a fixed buffer; always zero-terminated.
struct TextBuffer
{
    char *data;
    std::size_t capacity;
    std::size_t length = 0;
    bool truncated = false;

    TextBuffer(char *buffer, std::size_t size)
        : data(buffer), capacity(size)
    {
        data[0] = '\0';
    }
    void add(const char *text)
    {
        for (; *text; ++text) {
            if (length + 1 >= capacity) {
                truncated = true;
                break;
            }
            data[length++] = *text;
        }
        data[length] = '\0';
    }
    void addNumber(unsigned long long value, unsigned base = 10, int minDigits = 1)
    {
        char digits[32];
        int count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value != 0 && count < 32);
        while (count < minDigits && count < 32)
            digits[count++] = '0';
        char text[33];
        for (int i = 0; i < count; ++i)
            text[i] = digits[count - 1 - i];
        text[count] = '\0';
        add(text);
    }
    void addSigned(long long value)
    {
        if (value < 0) {
            add("-");
            addNumber(0ULL - static_cast<unsigned long long>(value));
        } else {
            addNumber(static_cast<unsigned long long>(value));
        }
    }
};

bool writeAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

bool writeText(int fd, const TextBuffer &text)
{
    return writeAll(fd, text.data, text.length);
}

const char *signalName(int sig)
{
    switch (sig) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "?";
    }
}

// "<seconds>-<nanoseconds>-<pid>-<counter>": unique per report, sortable by time.
void makeReportId(TextBuffer &id)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    id.addNumber(static_cast<unsigned long long>(now.tv_sec));
    id.add("-");
    id.addNumber(static_cast<unsigned long long>(now.tv_nsec), 10, 9);
    id.add("-");
    id.addNumber(static_cast<unsigned long long>(getpid()));
    id.add("-");
    id.addNumber(g_reportCounter.fetch_add(1));
}

bool copyFile(const char *source, int fd)
{
    const int in = ::open(source, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    char chunk[4096];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(in, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        if (!writeAll(fd, chunk, std::size_t(got))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    return ok;
}

bool writeReportBody(int fd, int sig, const siginfo_t *info, long thread)
{
    char buffer[1024];
    TextBuffer text(buffer, sizeof buffer);
    text.add("Crash report\nApplication: ");
    text.add(g_application);
    text.add("\nProcess: ");
    text.addNumber(static_cast<unsigned long long>(getpid()));
    text.add("\nThread: ");
    text.addSigned(thread);
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    text.add("\nTime: ");
    text.addSigned(now.tv_sec);
    text.add(" (seconds since 1970-01-01 UTC)\nSignal: ");
    text.addSigned(sig);
    text.add(" (");
    text.add(signalName(sig));
    text.add(")\nCode: ");
    text.addSigned(info ? info->si_code : 0);
    if (info && info->si_code <= 0) {
        // Sent by kill(), raise() or abort(): there is no fault address.
        text.add("\nSent by process: ");
        text.addSigned(info->si_pid);
    } else {
        text.add("\nFault address: 0x");
        text.addNumber(reinterpret_cast<std::uintptr_t>(info ? info->si_addr : nullptr), 16,
                       int(2 * sizeof(void *)));
    }
    text.add("\n\nBacktrace:\n");
    bool ok = writeText(fd, text);

    void *frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    backtrace_symbols_fd(frames, count, fd);

    static const char maps[] = "\nMemory map:\n";
    ok = writeAll(fd, maps, sizeof maps - 1) && ok;
    ok = copyFile("/proc/self/maps", fd) && ok;
    return ok;
}

void writeReport(int sig, const siginfo_t *info, long thread)
{
    const char *dir = g_dumpDir.load();
    if (!dir)
        return;

    char idBuffer[kIdMax];
    char pathBuffer[kDirMax + kIdMax + 8];
    int fd = -1;
    for (int attempt = 0; attempt < 4 && fd < 0; ++attempt) {
        TextBuffer id(idBuffer, sizeof idBuffer);
        makeReportId(id);
        TextBuffer path(pathBuffer, sizeof pathBuffer);
        path.add(dir);
        path.add("/");
        path.add(id.data);
        path.add(".dmp");
        fd = ::open(path.data, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            break;
    }

    bool ok = fd >= 0;
    if (ok) {
        ok = writeReportBody(fd, sig, info, thread);
        ok = (::close(fd) == 0) && ok;
    }
    CBreakpadHandler::dumpCallback(dir, idBuffer, ok);
}

// Hands the signal to whatever handled it before us. It is blocked while
// this handler runs, so the raised signal arrives when the handler returns.
void restoreAndRaise(int sig)
{
    for (int i = 0; i < kSignalCount; ++i) {
        if (kSignals[i] == sig)
            sigaction(sig, &g_previous[i], nullptr);
    }
    raise(sig);
}

void crashSignalHandler(int sig, siginfo_t *info, void *)
{
    const int savedErrno = errno;
    const long thread = syscall(SYS_gettid);
    long expected = 0;
    if (g_crashingThread.compare_exchange_strong(expected, thread)) {
        writeReport(sig, info, thread);
    } else if (expected != thread) {
        // Another thread is writing the report and will end the process;
        // wait for it (bounded) rather than cut its report short.
        for (int i = 0; i < 500; ++i) {
            timespec pause{0, 10 * 1000 * 1000};
            nanosleep(&pause, nullptr);
        }
    }
    restoreAndRaise(sig);
    errno = savedErrno;
}

void installSignalHandlers()
{
    // backtrace() loads libgcc on its first call, which is not safe inside
    // a signal handler; make that first call now.
    void *warmUp[2];
    backtrace(warmUp, 2);

    // An alternate stack lets the handler run after a stack overflow of
    // this (the main) thread.
    stack_t current{};
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE)) {
        stack_t stack{};
        stack.ss_size = kAltStackSize;
        stack.ss_sp = std::malloc(stack.ss_size); // lives as long as the process
        stack.ss_flags = 0;
        if (stack.ss_sp && sigaltstack(&stack, nullptr) != 0)
            qWarning() << "CBreakpadHandler: no alternate signal stack, errno" << errno;
    }

    struct sigaction action{};
    action.sa_sigaction = &crashSignalHandler;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int sig : kSignals)
        sigaddset(&action.sa_mask, sig);
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &action, &g_previous[i]);
    g_installed = true;
}

void uninstallSignalHandlers()
{
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
    g_installed = false;
}

} // namespace

class CBreakpadHandlerPrivate
{
public:
    bool handlerInstalled = false;
    QString dumpDir;
};

std::atomic<CBreakpadHandler *> CBreakpadHandler::s_instance{nullptr};
QMutex CBreakpadHandler::s_mutex;

CBreakpadHandler::CBreakpadHandler()
    : QObject(nullptr)
    , d(std::make_unique<CBreakpadHandlerPrivate>())
{
}

CBreakpadHandler::~CBreakpadHandler()
{
    QMutexLocker lock(&s_mutex);
    if (d->handlerInstalled) {
        g_dumpDir.store(nullptr);
        uninstallSignalHandlers();
    }
    d.reset();
    s_instance.store(nullptr);
}

CBreakpadHandler *CBreakpadHandler::getInstance()
{
    CBreakpadHandler *instance = s_instance.load(std::memory_order_acquire);
    if (instance)
        return instance;
    QMutexLocker lock(&s_mutex);
    instance = s_instance.load(std::memory_order_relaxed);
    if (!instance) {
        instance = new CBreakpadHandler();
        // Lives until exit; keep it out of a worker thread that may end.
        if (QCoreApplication *app = QCoreApplication::instance())
            instance->moveToThread(app->thread());
        s_instance.store(instance, std::memory_order_release);
    }
    return instance;
}

void CBreakpadHandler::setDumpPath(const QString &path)
{
    QString dir = path;
    if (QDir::isRelativePath(dir))
        dir = QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') + dir);

    QDir().mkpath(dir);
    if (!QDir(dir).exists()) {
        qDebug("Failed to set dump path which not exists: %s", dir.toLocal8Bit().constData());
        return;
    }

    const QByteArray nativeDir = QFile::encodeName(dir);
    if (std::size_t(nativeDir.size()) >= kDirMax) {
        qWarning("Dump path too long, crash reports are off: %s", nativeDir.constData());
        return;
    }

    QMutexLocker lock(&s_mutex);
    char *buffer = g_dirBuffers[g_nextDirBuffer];
    g_nextDirBuffer = 1 - g_nextDirBuffer;
    std::memcpy(buffer, nativeDir.constData(), std::size_t(nativeDir.size()) + 1);
    g_dumpDir.store(buffer);

    const QByteArray application = QCoreApplication::applicationName().toUtf8() + ' '
        + rj_app::helpers::kAppVersion;
    qstrncpy(g_application, application.constData(), sizeof g_application);

    if (!g_installed)
        installSignalHandlers();
    d->handlerInstalled = true;
    d->dumpDir = dir;
}

bool CBreakpadHandler::dumpCallback(const char *dump_dir, const char *dump_id, bool succeeded)
{
    char buffer[kDirMax + kIdMax + 64];
    TextBuffer line(buffer, sizeof buffer);
    line.add(succeeded ? "Succeed to write minidump" : "Failed to write minidump");
    line.add(", dump path: ");
    line.add(dump_dir ? dump_dir : "");
    line.add("/");
    line.add(dump_id ? dump_id : "");
    line.add(".dmp\n");
    writeText(STDERR_FILENO, line);
    return succeeded;
}

} // namespace rj_app::breadpad_wrapper
