// Payloads crossing threads: the hand-over queue runs tasks posted from other
// threads in its own thread, in order, and ThreadSanitizer sees it; and a race
// of ours on a payload that Qt's queued call copies is still reported, not
// taken for Qt's business by a suppression (sanitizer builds only). Each
// sanitizer case is a process of its own: this executable started with
// "--child <case>".

#include "support/TestMain.h"

#include "models/CHandOverQueue.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using rj_app::models::CHandOverQueue;

struct RacyPayload
{
    std::string text;
};
Q_DECLARE_METATYPE(RacyPayload)

class PayloadSender : public QObject
{
    Q_OBJECT
signals:
    // By reference: the copy for the queued call is Qt's, made in
    // QMetaTypeFunctionHelper<RacyPayload>::Construct on the emitting thread.
    void payload(const RacyPayload &value);
};

class PayloadReceiver : public QObject
{
    Q_OBJECT
public slots:
    void take(const RacyPayload &value)
    {
        m_text = value.text;
        QCoreApplication::quit();
    }

public:
    std::string m_text;
};

namespace {

RacyPayload g_shared;
std::atomic<bool> g_written{false};

// The payload the worker emits is written here, by the main thread, with no
// synchronisation the sanitizer could see (relaxed atomics order nothing):
// a race of ours on the copy that Qt's queued call makes.
int raceInQueuedPayload(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qRegisterMetaType<RacyPayload>();
    PayloadSender sender;
    PayloadReceiver receiver;
    QObject::connect(&sender, &PayloadSender::payload, &receiver, &PayloadReceiver::take, Qt::QueuedConnection);
    std::thread worker([&sender] {
        while (!g_written.load(std::memory_order_relaxed)) {
        }
        emit sender.payload(g_shared);
    });
    g_shared.text = std::string(64, 'x');
    g_written.store(true, std::memory_order_relaxed);
    app.exec();
    worker.join();
    return receiver.m_text.size() == 64 ? 0 : 1;
}

// The same payload made by the worker and handed over through the queue:
// nothing to report.
int handedOverPayload(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    CHandOverQueue queue;
    std::string got;
    std::thread worker([&queue, &got] {
        RacyPayload value{std::string(64, 'x')};
        queue.post([value, &got] {
            got = value.text;
            QCoreApplication::quit();
        });
    });
    app.exec();
    worker.join();
    return got.size() == 64 ? 0 : 1;
}

struct ChildRun
{
    int exitCode = -1;
    QByteArray stderrText;
};

ChildRun runChild(const char *which)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), QLatin1String(which)});
    ChildRun run;
    if (!child.waitForFinished(60000))
        return run;
    run.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    run.stderrText = child.readAllStandardError();
    return run;
}

bool isTsanBuild()
{
#if defined(__SANITIZE_THREAD__)
    return true;
#else
    return false;
#endif
}

} // namespace

class TestHandOver : public QObject
{
    Q_OBJECT

private slots:
    // Tasks of two threads arrive in the queue's thread, each thread's in
    // its order; none after the queue is gone.
    void tasksRunInOwnThreadInOrder()
    {
        auto *queue = new CHandOverQueue;
        std::vector<int> ran;
        std::atomic<int> offThread{0};
        QThread *const home = QThread::currentThread();
        std::vector<std::thread> workers;
        for (int w = 0; w < 2; ++w) {
            workers.emplace_back([queue, &ran, &offThread, home, w] {
                for (int i = 0; i < 100; ++i)
                    queue->post([&ran, &offThread, home, w, i] {
                        if (QThread::currentThread() != home)
                            ++offThread;
                        ran.push_back(w * 1000 + i);
                    });
            });
        }
        for (std::thread &worker : workers)
            worker.join();
        QTRY_COMPARE(int(ran.size()), 200);
        QCOMPARE(offThread.load(), 0);
        int last[2] = {-1, -1};
        for (const int value : ran) {
            const int w = value / 1000;
            QVERIFY(value % 1000 > last[w]);
            last[w] = value % 1000;
        }

        queue->post([&ran] { ran.push_back(-1); });
        delete queue;
        QCoreApplication::processEvents();
        QCOMPARE(int(ran.size()), 200);
    }

    void raceInQueuedPayloadIsReported()
    {
        if (!isTsanBuild())
            QSKIP("only a ThreadSanitizer build reports races");
        const ChildRun run = runChild("race");
        QVERIFY2(run.stderrText.contains("ThreadSanitizer: data race"), run.stderrText.right(4000).constData());
        QVERIFY2(run.stderrText.contains("raceInQueuedPayload"), run.stderrText.right(4000).constData());
        QVERIFY2(run.stderrText.contains("QMetaTypeFunctionHelper"), run.stderrText.right(4000).constData());
        QVERIFY2(run.exitCode != 0, run.stderrText.right(4000).constData());
    }

    void handedOverPayloadIsClean()
    {
        if (!isTsanBuild())
            QSKIP("only a ThreadSanitizer build reports races");
        const ChildRun run = runChild("handover");
        QVERIFY2(!run.stderrText.contains("ThreadSanitizer"), run.stderrText.right(4000).constData());
        QCOMPARE(run.exitCode, 0);
    }
};

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        int childArgc = 1;
        if (std::strcmp(argv[2], "race") == 0)
            return raceInQueuedPayload(childArgc, argv);
        if (std::strcmp(argv[2], "handover") == 0)
            return handedOverPayload(childArgc, argv);
        return 2;
    }
    glimora::test::isolateEnvironment();
    QCoreApplication app(argc, argv);
    TestHandOver tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_threadhandover.moc"
