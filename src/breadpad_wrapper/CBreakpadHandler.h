#pragma once

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace rj_app::breadpad_wrapper {

class CBreakpadHandlerPrivate;

// Process-wide crash reporter. Once a dump path is set, a fatal signal
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) leaves one "<id>.dmp" text
// report (signal, fault address, backtrace, memory map) in that directory;
// the signal is then handed to the previous disposition, so the process
// still dies by it.
class CBreakpadHandler : public QObject
{
    Q_OBJECT
public:
    static CBreakpadHandler *getInstance();
    ~CBreakpadHandler() override;

    // A relative path is taken below the executable's directory. The
    // directory is created; when that fails, no handler is installed.
    void setDumpPath(const QString &path);

    // Runs inside the signal handler after a report attempt, so it only uses
    // async-signal-safe calls: it writes one line naming the report to
    // stderr and returns `succeeded`.
    static bool dumpCallback(const char *dump_dir, const char *dump_id, bool succeeded);

signals:
    // Kept for the interface; a signal handler cannot emit it safely, so
    // it is never emitted.
    void onCrash(bool is_success, QString dump_dir, QString dump_file_name);

private:
    CBreakpadHandler();

    std::unique_ptr<CBreakpadHandlerPrivate> d;

    static std::atomic<CBreakpadHandler *> s_instance;
    static QMutex s_mutex;
};

} // namespace rj_app::breadpad_wrapper
