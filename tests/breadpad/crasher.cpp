// Started by tst_breadpad: installs the crash handler, then fails in the way
// named by the first argument. Usage: crasher <mode> <dump path>
#include "breadpad_wrapper/CBreakpadHandler.h"

#include <QCoreApplication>
#include <QDir>

#include <csignal>
#include <cstdlib>
#include <thread>

#include <unistd.h>

namespace {

int *volatile g_null = nullptr;
volatile int g_zero = 0;
volatile int g_seven = 7; // 1 / x compiles to a comparison, not a division
volatile int g_sink = 0;
volatile int g_depthLimit = -1;

int recurse(int depth)
{
    volatile char frame[1024];
    frame[0] = char(depth);
    if (depth == g_depthLimit)
        return frame[0];
    return recurse(depth + 1) + frame[0];
}

// Stands for a handler installed before ours (another library's).
void earlierHandler(int)
{
    static const char text[] = "earlier handler ran\n";
    (void)!::write(STDERR_FILENO, text, sizeof text - 1);
    ::_exit(77);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString dumpPath = QString::fromLocal8Bit(argv[2]);
    if (mode == "segv-chained")
        std::signal(SIGSEGV, &earlierHandler);
    rj_app::breadpad_wrapper::CBreakpadHandler::getInstance()->setDumpPath(dumpPath);

    if (mode == "segv" || mode == "segv-chained") {
        *g_null = 1;
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "fpe") {
        g_sink = g_seven / g_zero;
    } else if (mode == "ill") {
        __builtin_trap();
    } else if (mode == "bus") {
        std::raise(SIGBUS);
    } else if (mode == "stack-overflow") {
        g_sink = recurse(0);
    } else if (mode == "thread-segv") {
        std::thread([] { *g_null = 2; }).join();
    } else if (mode == "segv-dir-gone") {
        QDir(dumpPath).removeRecursively();
        *g_null = 3;
    }
    return 3; // not reached for a known mode
}
