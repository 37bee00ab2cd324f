// The simulated engine's events against its state: they follow the order of
// the changes that cause them at any time scale, the outcomes a meeting's
// host decides, the server's login form, and a release from inside a
// callback.

#include "EventRecorder.h"
#include "LoopbackServer.h"
#include "rjsim_control.h"
#include "support/TestMain.h"

#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

using namespace rj::engine;

namespace {

constexpr int kWait = 10000;

// One onContent as text: "out" this client sends, "in" it receives, "board-"
// for whiteboards; "+" started, "-" stopped, "!" refused by the meeting.
std::string contentText(const RJContentInfo &c)
{
    std::string text = c.type == 3 ? "board-" : "";
    text += c.dir == 0 ? "out" : "in";
    text += c.status == 3 ? "!" : c.enabled ? "+" : "-";
    return text;
}

// The content rows of the statistics, as contentText would name a stream
// that runs.
std::string contentStats(const RJStats &stats)
{
    std::string text;
    for (int i = 0; i < stats.count; ++i) {
        if (stats.streams[i].streamType == RJ_STREAM_CONTENT)
            text += std::string(text.empty() ? "" : " ") + (stats.streams[i].direction == 1 ? "in+" : "out+");
    }
    return text;
}

int videoRows(const RJStats &stats)
{
    int rows = 0;
    for (int i = 0; i < stats.count; ++i)
        rows += stats.streams[i].streamType == RJ_STREAM_VIDEO ? 1 : 0;
    return rows;
}

} // namespace

class TestEngineSimEvents : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void lastContentEventAgreesWithStatistics_data();
    void lastContentEventAgreesWithStatistics();
    void contentDenied();
    void callTurnsAudioOnly();
    void hostAnswersUnmuteRequest_data();
    void hostAnswersUnmuteRequest();
    void serverAsksForAesLoginForm();
    void releaseFromInsideACallback();

private:
    void start(const char *timeScale);
    void connectTo(const char *number);
    bool run(const QString &action);
    std::vector<std::string> contentEvents() const;

    IAVEngine *m_engine = nullptr;
    std::unique_ptr<EventRecorder> m_rec;
    LoopbackServer m_server;
};

void TestEngineSimEvents::initTestCase()
{
    qputenv("RJSIM_SCREENS", "SIM-A");
    qputenv("RJSIM_ROZ_PORTS", "1");
    QVERIFY(m_server.start());
}

void TestEngineSimEvents::start(const char *timeScale)
{
    rjsim_clear_journal();
    rjsim_clear_result(nullptr);
    qputenv("RJSIM_TIME_SCALE", timeScale);
    m_engine = createAVEngine();
    QVERIFY(m_engine);
    m_rec = std::make_unique<EventRecorder>();
    QCOMPARE(m_engine->registerEventHandler(m_rec.get()), 0);
}

void TestEngineSimEvents::cleanup()
{
    if (m_engine) {
        m_engine->release();
        m_engine->unregisterEventHandler(m_rec.get());
        deleteAVEngine(m_engine);
        m_engine = nullptr;
    }
    m_rec.reset();
    rjsim_clear_result(nullptr);
}

// Signed in as alice, connected to a meeting, a screen chosen for sharing.
void TestEngineSimEvents::connectTo(const char *number)
{
    AVFeature feature;
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_server.port(), feature), 0);
    const std::string form = m_engine->encryptPassword(0, "Alice123");
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_server.port(), "alice", form.c_str()), 0);
    QVERIFY(m_rec->waitFor("onRegisterInfo"));
    QCOMPARE(m_engine->enableWhiteBoard(true), 0);
    QCOMPARE(m_engine->dialOut(number, true), 0);
    QVERIFY(m_rec->waitFor("onCallConnected"));
    QCOMPARE(m_engine->setLocalContentSource(m_engine->getContentSourceList().at(0)), 0);
    m_rec->clear();
}

// An operation of the client by its name, anything else a control command.
bool TestEngineSimEvents::run(const QString &action)
{
    if (action == "sendContent")
        return m_engine->sendContent() == 0;
    if (action == "sendWhiteBoard")
        return m_engine->sendWhiteBoard() == 0;
    if (action == "stopContent")
        return m_engine->stopContent() == 0;
    return rjsim_command(action.toUtf8().constData()) == 0;
}

std::vector<std::string> TestEngineSimEvents::contentEvents() const
{
    std::vector<std::string> texts;
    for (const RecordedEvent &e : m_rec->named("onContent"))
        texts.push_back(contentText(e.content));
    return texts;
}

// Starting or stopping a share changes the state at once and reports it a
// moment later; whatever changes next is reported after it, so the client's
// last word on content is the engine's state.
void TestEngineSimEvents::lastContentEventAgreesWithStatistics_data()
{
    QTest::addColumn<QString>("before");   // done and reported first; "" nothing
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");   // issued right after the first
    QTest::addColumn<QString>("expected"); // the onContent events, in order

    QTest::newRow("share, then a remote share")
        << "" << "sendContent" << "content start Dave Li" << "out+ out- in+";
    QTest::newRow("whiteboard, then a remote share")
        << "" << "sendWhiteBoard" << "content start Dave Li" << "board-out+ board-out- in+";
    QTest::newRow("share, then a remote whiteboard")
        << "" << "sendContent" << "content start whiteboard Erin Park" << "out+ out- board-in+";
    QTest::newRow("stop sharing, then a remote share")
        << "sendContent" << "stopContent" << "content start Dave Li" << "out- in+";
    QTest::newRow("share, then the call ends")
        << "" << "sendContent" << "remote-end 0" << "out+ out-";
    QTest::newRow("a remote share, then share")
        << "" << "content start Dave Li" << "sendContent" << "in+ in- out+";
    QTest::newRow("share, then a whiteboard")
        << "" << "sendContent" << "sendWhiteBoard" << "out+ out- board-out+";
}

void TestEngineSimEvents::lastContentEventAgreesWithStatistics()
{
    QFETCH(QString, before);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, expected);

    // A small scale, not 0: the delays are real and short.
    start("0.02");
    connectTo("1001");
    if (QTest::currentTestFailed())
        return;
    if (!before.isEmpty()) {
        QVERIFY(run(before));
        QVERIFY(m_rec->waitFor("onContent"));
        m_rec->clear();
    }

    QVERIFY(run(first));
    QVERIFY(run(second));
    const std::vector<std::string> wanted = [&] {
        std::vector<std::string> texts;
        for (const QString &t : expected.split(' '))
            texts.push_back(t.toStdString());
        return texts;
    }();
    QVERIFY(m_rec->waitFor("onContent", int(wanted.size())));
    // Anything still on its way is reported before this.
    QVERIFY(run("warn 999"));
    QVERIFY(m_rec->waitFor("onWarn"));
    QCOMPARE(contentEvents(), wanted);

    const RJContentInfo last = m_rec->named("onContent").back().content;
    RJStats stats;
    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(contentStats(stats), last.enabled ? std::string(last.dir == 0 ? "out+" : "in+") : std::string());
}

// A meeting whose host forbids sharing refuses the next share: status 3,
// nothing is sent; the share after it goes through.
void TestEngineSimEvents::contentDenied()
{
    start("0");
    connectTo("1001");
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(rjsim_command("content deny"), 0);
    QCOMPARE(m_engine->sendContent(), 0); // the request is made; the meeting answers
    QVERIFY(m_rec->waitFor("onContent"));
    const RJContentInfo refused = m_rec->named("onContent").front().content;
    QCOMPARE(refused.status, 3);
    QVERIFY(!refused.enabled);
    QCOMPARE(refused.dir, 0);
    QCOMPARE(refused.type, 2);
    RJStats stats;
    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(contentStats(stats), std::string());

    QCOMPARE(m_engine->sendContent(), 0);
    QVERIFY(m_rec->waitFor("onContent", 2));
    QCOMPARE(contentEvents(), (std::vector<std::string>{"out!", "out+"}));
    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(contentStats(stats), std::string("out+"));
}

// The meeting turns the call audio-only and back; the statistics follow.
void TestEngineSimEvents::callTurnsAudioOnly()
{
    start("0");
    connectTo("1001");
    if (QTest::currentTestFailed())
        return;
    RJStats stats;
    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(videoRows(stats), 2);

    QCOMPARE(rjsim_command("call-state audio 1"), 0);
    QVERIFY(m_rec->waitFor("onCallState"));
    QVERIFY(m_rec->named("onCallState").back().call.isAudioOnly);
    QCOMPARE(m_rec->named("onCallState").back().call.conference_number, std::string("1001"));
    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(videoRows(stats), 0);

    QCOMPARE(rjsim_command("call-state audio 0"), 0);
    QVERIFY(m_rec->waitFor("onCallState", 2));
    QVERIFY(!m_rec->named("onCallState").back().call.isAudioOnly);
    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(videoRows(stats), 2);

    QCOMPARE(rjsim_command("call-state audio 2"), -1);
    QCOMPARE(rjsim_command("call-state video 1"), -1);
}

// A participant muted by the host asks to speak; the host unmutes 2 s
// (world time) later, unless the request was withdrawn.
void TestEngineSimEvents::hostAnswersUnmuteRequest_data()
{
    QTest::addColumn<bool>("muted");
    QTest::addColumn<bool>("withdrawn");
    QTest::addColumn<bool>("answered");

    QTest::newRow("muted, asks") << true << false << true;
    QTest::newRow("muted, asks and withdraws") << true << true << false;
    QTest::newRow("not muted, asks") << false << false << false;
}

void TestEngineSimEvents::hostAnswersUnmuteRequest()
{
    QFETCH(bool, muted);
    QFETCH(bool, withdrawn);
    QFETCH(bool, answered);

    const double scale = 0.02;
    start("0.02");
    connectTo("1001");
    if (QTest::currentTestFailed())
        return;
    if (muted) {
        QCOMPARE(rjsim_command("mic-muted 1"), 0);
        QVERIFY(m_rec->waitFor("onMicMutedShow"));
        QVERIFY(!m_engine->micEnabled());
        QVERIFY(m_engine->enableMic(true) != 0); // muted by the host
    }
    m_rec->clear();

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(m_engine->requestRemoteUnmute(true), 0);
    if (withdrawn)
        QCOMPARE(m_engine->requestRemoteUnmute(false), 0);
    if (answered) {
        QVERIFY(m_rec->waitFor("onMicMutedShow"));
        QVERIFY(timer.elapsed() >= qint64(2000 * scale));
        QCOMPARE(m_rec->named("onMicMutedShow").front().value, 0);
        QVERIFY(!m_rec->named("onCallState").back().call.isRemoteMuted);
        QVERIFY(m_engine->micEnabled());
        return;
    }
    // Two network reports 5 s (world) apart: the 2 s of an answer are past.
    QVERIFY(m_rec->waitFor("onNetworkQuality", 2, kWait));
    QCOMPARE(m_rec->count("onMicMutedShow"), 0);
    QCOMPARE(m_engine->micEnabled(), !muted);
}

// A server that asks for the AES login form takes no other.
void TestEngineSimEvents::serverAsksForAesLoginForm()
{
    start("0");
    QCOMPARE(rjsim_command("feature aes 1"), 0);
    AVFeature feature;
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_server.port(), feature), 0);
    QVERIFY(feature.passwordEncryptionWithAES);

    std::string form = m_engine->encryptPassword(0, "Alice123");
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_server.port(), "alice", form.c_str()), 0);
    QVERIFY(m_rec->waitFor("onError"));
    QCOMPARE(m_rec->named("onError").front().error.code, 2000);

    form = m_engine->encryptPassword(1, "Alice123");
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_server.port(), "alice", form.c_str()), 0);
    QVERIFY(m_rec->waitFor("onLoginSucceed"));

    QCOMPARE(rjsim_command("feature aes 0"), 0);
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_server.port(), feature), 0);
    QVERIFY(!feature.passwordEncryptionWithAES);
}

// The facade releases the engine, possibly from inside a callback, and then
// deletes it from another thread: the rest of that batch of events is
// dropped, and the deletion waits until the engine's thread has left it.
void TestEngineSimEvents::releaseFromInsideACallback()
{
    start("0");
    IAVEngine *engine = m_engine;
    std::promise<void> released;
    std::atomic<bool> callbackReturned{false};
    std::atomic<int> callbacks{0};
    std::atomic<int> releaseResult{-1};
    m_rec->hook = [&] {
        if (callbacks++ != 0)
            return;
        releaseResult = engine->release();
        released.set_value();
        // Still inside the callback while the other thread deletes.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        callbackReturned = true;
    };
    // One batch of two events: the device in use goes, another takes over.
    QCOMPARE(rjsim_command("device remove mic System Default Microphone"), 0);
    QCOMPARE(released.get_future().wait_for(std::chrono::milliseconds(kWait)), std::future_status::ready);
    deleteAVEngine(m_engine);
    m_engine = nullptr;
    QVERIFY2(callbackReturned, "the deletion waited for the callback in flight");
    QCOMPARE(releaseResult.load(), 0);
    QCOMPARE(callbacks.load(), 1);
    QCOMPARE(m_rec->names(), std::vector<std::string>{"onDeviceRemoved"});
}

GLIMORA_TEST_MAIN(TestEngineSimEvents)
#include "tst_EngineSimEvents.moc"
