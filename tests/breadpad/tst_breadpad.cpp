#include "support/TestMain.h"

#include "breadpad_wrapper/CBreakpadHandler.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <array>
#include <thread>
#include <vector>

#include <csignal>

using rj_app::breadpad_wrapper::CBreakpadHandler;

namespace {

struct CrashRun
{
    int shellStatus = -1; // 128 + signal when the crasher died by a signal
    QString standardError;
};

// Runs the crasher through sh, which reports a death by signal N as status
// 128 + N; core files are switched off for it, and its stack is capped so the
// stack-overflow case ends quickly even where the stack is unlimited.
CrashRun runCrasher(const QString &program, const QString &mode, const QString &dumpPath)
{
    QProcess process;
    // In a sanitizer build the sanitizer's own fatal-signal handlers must not
    // stand between the crash and the handler under test.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               QStringLiteral("handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0:"
                              "allow_user_segv_handler=1:detect_leaks=0"));
    // The crasher's null store and division by zero are deliberate: UBSan
    // reports them and lets the signal through to the handler.
    env.insert(QStringLiteral("UBSAN_OPTIONS"), QStringLiteral("halt_on_error=0:print_stacktrace=0"));
    process.setProcessEnvironment(env);
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({QStringLiteral("-c"), QStringLiteral("ulimit -c 0; ulimit -s 8192 2>/dev/null; \"$0\" \"$@\"; exit $?"),
                          program, mode, dumpPath});
    process.start();
    CrashRun run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.shellStatus = process.exitCode();
    run.standardError = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QStringList dumpsIn(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.dmp")}, QDir::Files);
}

} // namespace

class TestBreakpad : public QObject
{
    Q_OBJECT
private:
    const QString m_crasher = QStringLiteral(GLIMORA_CRASHER_PATH);

private slots:
    void crashLeavesOneReport_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("faultAddress");
        QTest::newRow("null dereference") << "segv" << int(SIGSEGV) << true;
        QTest::newRow("abort") << "abort" << int(SIGABRT) << false;
        QTest::newRow("division by zero") << "fpe" << int(SIGFPE) << true;
        QTest::newRow("illegal instruction") << "ill" << int(SIGILL) << true;
        QTest::newRow("raised SIGBUS") << "bus" << int(SIGBUS) << false;
        QTest::newRow("stack overflow") << "stack-overflow" << int(SIGSEGV) << true;
        QTest::newRow("crash in another thread") << "thread-segv" << int(SIGSEGV) << true;
    }
    void crashLeavesOneReport()
    {
#if defined(__SANITIZE_THREAD__)
        // ThreadSanitizer takes fatal signals for its own report first.
        QSKIP("crash reports need the process's own signal handling");
#endif
        QFETCH(QString, mode);
        QFETCH(int, signal);
        QFETCH(bool, faultAddress);

        QTemporaryDir dir(glimora::test::isolatedRoot() + QStringLiteral("/dumps-XXXXXX"));
        QVERIFY(dir.isValid());
        const CrashRun run = runCrasher(m_crasher, mode, dir.path());
        QCOMPARE(run.shellStatus, 128 + signal);

        const QStringList dumps = dumpsIn(dir.path());
        QCOMPARE(dumps.size(), 1);
        QVERIFY2(run.standardError.contains(QStringLiteral("Succeed to write minidump, dump path: ")
                                            + dir.path() + QLatin1Char('/') + dumps.first()),
                 qPrintable(run.standardError));

        QFile file(dir.filePath(dumps.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString report = QString::fromUtf8(file.readAll());
        QVERIFY(report.startsWith(QStringLiteral("Crash report\nApplication: tst_breadpad_crasher ")
                                  + QStringLiteral(GLIMORA_VERSION) + QLatin1Char('\n')));
        const QString signalLine = QStringLiteral("\nSignal: %1 (").arg(signal);
        QVERIFY2(report.contains(signalLine), qPrintable(report.left(400)));
        QCOMPARE(report.contains(QStringLiteral("\nFault address: 0x")), faultAddress);
        if (mode == QLatin1String("segv"))
            QVERIFY(report.contains(QStringLiteral("\nFault address: 0x0000000000000000\n")));
        // The backtrace has frames, and the map lets an address be resolved.
        const int backtrace = report.indexOf(QStringLiteral("\nBacktrace:\n"));
        const int maps = report.indexOf(QStringLiteral("\nMemory map:\n"));
        QVERIFY(backtrace > 0 && maps > backtrace);
        QVERIFY(report.mid(backtrace, maps - backtrace).count(QLatin1Char('\n')) > 4);
        QVERIFY(report.mid(maps).contains(QStringLiteral("tst_breadpad_crasher")));
    }

    void earlierHandlerRunsAfterTheReport()
    {
        QTemporaryDir dir(glimora::test::isolatedRoot() + QStringLiteral("/chained-XXXXXX"));
        const CrashRun run = runCrasher(m_crasher, QStringLiteral("segv-chained"), dir.path());
        QCOMPARE(run.shellStatus, 77);
        QCOMPARE(dumpsIn(dir.path()).size(), 1);
        const int report = run.standardError.indexOf(QStringLiteral("Succeed to write minidump"));
        const int earlier = run.standardError.indexOf(QStringLiteral("earlier handler ran"));
        QVERIFY2(report >= 0 && earlier > report, qPrintable(run.standardError));
    }

    void unwritableDumpDirectoryStillDiesBySignal()
    {
#if defined(__SANITIZE_THREAD__)
        // ThreadSanitizer takes fatal signals for its own report first.
        QSKIP("crash reports need the process's own signal handling");
#endif
        QTemporaryDir dir(glimora::test::isolatedRoot() + QStringLiteral("/gone-XXXXXX"));
        const QString dumpDir = dir.filePath(QStringLiteral("dumps"));
        const CrashRun run = runCrasher(m_crasher, QStringLiteral("segv-dir-gone"), dumpDir);
        QCOMPARE(run.shellStatus, 128 + SIGSEGV);
        QVERIFY2(run.standardError.contains(QStringLiteral("Failed to write minidump, dump path: ")
                                            + dumpDir + QLatin1Char('/')),
                 qPrintable(run.standardError));
        QVERIFY(!QFileInfo::exists(dumpDir));
    }

    void relativePathResolvesBelowExecutable()
    {
#if defined(__SANITIZE_THREAD__)
        // ThreadSanitizer takes fatal signals for its own report first.
        QSKIP("crash reports need the process's own signal handling");
#endif
        // A copy of the crasher in a temporary directory, so nothing is
        // written beside the build's executables.
        QTemporaryDir root(glimora::test::isolatedRoot() + QStringLiteral("/app-XXXXXX"));
        QVERIFY(root.isValid());
        const QString binDir = root.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(binDir));
        const QString copy = binDir + QStringLiteral("/tst_breadpad_crasher");
        QVERIFY(QFile::copy(m_crasher, copy));
        QVERIFY(QFile::setPermissions(copy, QFile::permissions(m_crasher)));

        const CrashRun run = runCrasher(copy, QStringLiteral("segv"),
                                        QStringLiteral("crash/../dumps/new"));
        QCOMPARE(run.shellStatus, 128 + SIGSEGV);
        QCOMPARE(dumpsIn(binDir + QStringLiteral("/dumps/new")).size(), 1);
        QVERIFY(!QFileInfo::exists(binDir + QStringLiteral("/crash")));
    }

    void missingDumpDirectoryInstallsNothing()
    {
        QTemporaryDir root(glimora::test::isolatedRoot() + QStringLiteral("/blocked-XXXXXX"));
        QFile blocker(root.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString impossible = blocker.fileName() + QStringLiteral("/dumps");

        struct sigaction before{};
        QCOMPARE(sigaction(SIGSEGV, nullptr, &before), 0);
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable(QStringLiteral("Failed to set dump path which not exists: ")
                                        + impossible));
        CBreakpadHandler::getInstance()->setDumpPath(impossible);
        struct sigaction after{};
        QCOMPARE(sigaction(SIGSEGV, nullptr, &after), 0);
        QVERIFY(before.sa_sigaction == after.sa_sigaction);
    }

    void oneInstanceFromManyThreads()
    {
        // Plain threads: starting and joining them is seen by ThreadSanitizer,
        // unlike a task handed through Qt's (uninstrumented) thread pool,
        // whose construction and deletion on two threads it reports.
        std::array<CBreakpadHandler *, 8> seen{};
        std::vector<std::thread> threads;
        for (CBreakpadHandler *&slot : seen)
            threads.emplace_back([&slot] { slot = CBreakpadHandler::getInstance(); });
        CBreakpadHandler *first = CBreakpadHandler::getInstance();
        for (std::thread &thread : threads)
            thread.join();
        for (CBreakpadHandler *instance : seen)
            QCOMPARE(instance, first);
        QCOMPARE(first->thread(), qApp->thread());
    }
};

GLIMORA_TEST_MAIN(TestBreakpad)
#include "tst_breadpad.moc"
