// The simulated engine, driven only through the engine interface and the
// control functions, as the client and the end-to-end tests drive it.

#include "EventRecorder.h"
#include "LoopbackServer.h"
#include "rjsim_control.h"
#include "support/TestMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <memory>
#include <thread>

using namespace rj::engine;

namespace {
constexpr int kWait = 10000;
} // namespace

class TestEngineSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void callbacksComeFromTheEngineThread();
    void nothingArrivesAfterUnregister();
    void unregisterFromInsideACallback();
    void concurrentCallers();

    void login_data();
    void login();
    void getFeatureFailures_data();
    void getFeatureFailures();
    void logoutEndsRegistration();

    void dialEndsInExactlyOneCallEnd_data();
    void dialEndsInExactlyOneCallEnd();
    void incomingCall_data();
    void incomingCall();
    void dialWithoutRegistrationFails();
    void remoteContentInMeetings_data();
    void remoteContentInMeetings();

    void passwordForms();
    void passwordPolicy_data();
    void passwordPolicy();
    void changePasswordClearsMustChange();

    void feedbackUpload_data();
    void feedbackUpload();
    void avatarDownloadAndUpload();

    void contentSourcesAndBitmaps();
    void screensOfTheDisplay();
    void sendingContentAndStatistics();
    void devicesAndVolumes();
    void diagnosisFollowsLoginAndCalls();

    void forcedResults();
    void forcedZeroInEveryPart_data();
    void forcedZeroInEveryPart();
    void injectedEvents_data();
    void injectedEvents();
    void malformedCommands_data();
    void malformedCommands();
    void kickEndsTheSession();
    void journalRecordsArguments();
    void controlFile();
    void timeScaleStretchesDelays();
    void sipRegistration_data();
    void sipRegistration();

private:
    void login(const char *user, const char *password);
    std::string loginForm(const char *password) { return m_engine->encryptPassword(0, password); }

    IAVEngine *m_engine = nullptr;
    std::unique_ptr<EventRecorder> m_rec;
    LoopbackServer m_server;
    quint16 m_port = 0;
    quint16 m_deadPort = 0;
};

void TestEngineSim::initTestCase()
{
    qputenv("RJSIM_TIME_SCALE", "0");
    qputenv("RJSIM_SCREENS", "SIM-A, SIM-B");
    QVERIFY(m_server.start());
    m_port = m_server.port();
    QTcpServer dead;
    QVERIFY(dead.listen(QHostAddress::LocalHost, 0));
    m_deadPort = dead.serverPort();
    dead.close(); // nothing listens there any more
    qputenv("RJSIM_ROZ_PORTS", "1"); // the test server is an ordinary one
}

void TestEngineSim::init()
{
    rjsim_clear_journal();
    rjsim_clear_result(nullptr);
    m_engine = createAVEngine();
    QVERIFY(m_engine);
    m_rec = std::make_unique<EventRecorder>();
    QCOMPARE(m_engine->registerEventHandler(m_rec.get()), 0);
}

void TestEngineSim::cleanup()
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

void TestEngineSim::login(const char *user, const char *password)
{
    AVFeature feature;
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_port, feature), 0);
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_port, user, loginForm(password).c_str()), 0);
    QVERIFY(m_rec->waitFor("onLoginSucceed"));
    QVERIFY(m_rec->waitFor("onRegisterInfo"));
    QCOMPARE(m_rec->named("onRegisterInfo").back().reg.state, 1);
    m_rec->clear();
}

// --- Threads -----------------------------------------------------------------

void TestEngineSim::callbacksComeFromTheEngineThread()
{
    QCOMPARE(rjsim_time_scale(), 0.0);
    QCOMPARE(rjsim_command("warn 42"), 0);
    QVERIFY(m_rec->waitFor("onWarn"));
    const RecordedEvent e = m_rec->named("onWarn").front();
    QCOMPARE(e.warn.code, 42);
    QVERIFY(e.thread != std::this_thread::get_id());

    // Outcomes of calls made on this thread come from the engine's thread too.
    AVFeature feature;
    QVERIFY(m_engine->getFeature("127.0.0.1", m_deadPort, feature) != 0);
    QVERIFY(m_rec->waitFor("onError"));
    QVERIFY(m_rec->named("onError").front().thread != std::this_thread::get_id());
}

void TestEngineSim::nothingArrivesAfterUnregister()
{
    // Slow callbacks, so that unregistering races with one in flight.
    m_rec->hook = [] { std::this_thread::sleep_for(std::chrono::milliseconds(2)); };
    for (int i = 0; i < 1000; ++i)
        QCOMPARE(rjsim_command("warn 1"), 0);
    QVERIFY(m_rec->waitFor("onWarn", 5));
    QCOMPARE(m_engine->unregisterEventHandler(m_rec.get()), 0);
    QVERIFY(!m_rec->inCallback); // the one in flight finished before unregister returned
    const int seen = m_rec->count("onWarn");
    QVERIFY(seen < 1000);
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onWarn"), seen);
    // A second unregister of the same handler is refused.
    QVERIFY(m_engine->unregisterEventHandler(m_rec.get()) != 0);
}

void TestEngineSim::unregisterFromInsideACallback()
{
    m_rec->hook = [this] { m_engine->unregisterEventHandler(m_rec.get()); };
    QCOMPARE(rjsim_command("warn 1"), 0);
    QCOMPARE(rjsim_command("warn 2"), 0);
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onWarn"), 1);
}

void TestEngineSim::concurrentCallers()
{
    // The client calls in from the GUI thread, pool threads and the screen
    // feeder at once, while callbacks call back in; run under TSan.
    m_rec->hook = [this] {
        RJStats stats;
        m_engine->getStats(stats);
        m_engine->micEnabled();
    };
    login("alice", "Alice123");
    QCOMPARE(m_engine->dialOut("1001", true), 0);
    QVERIFY(m_rec->waitFor("onCallConnected"));
    QCOMPARE(m_engine->setLocalContentSource(m_engine->getContentSourceList()[0]), 0);
    QCOMPARE(m_engine->sendContent(), 0);

    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    threads.emplace_back([&] { // the screen feeder
        std::vector<unsigned char> pixels(32 * 4 * 16, 1);
        RJContentSourceInfo frame;
        frame.type = 3;
        frame.captureSize.width = 32;
        frame.captureSize.height = 16;
        frame.bytesPerLine = 32 * 4;
        frame.frameData = pixels.data();
        while (!stop)
            m_engine->setLocalContentSource(frame);
    });
    threads.emplace_back([&] { // pool tasks
        while (!stop) {
            m_engine->conferenceControllable();
            AVFeature feature;
            m_engine->getFeature("127.0.0.1", m_port, feature);
            m_engine->encryptPassword(1, "Alice123");
        }
    });
    threads.emplace_back([&] { // injected events
        while (!stop) {
            rjsim_command("quality 4");
            rjsim_command("warn 5");
            rjsim_wait_idle(1000);
        }
    });
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 200 || (rjsim_content_frames() < 100 && timer.elapsed() < kWait); ++i) { // the GUI thread
        RJStats stats;
        QCOMPARE(m_engine->getStats(stats), 0);
        QVERIFY(stats.count <= RJ_MAX_STREAM_STATS);
        m_engine->getDiag();
        m_engine->enableMic(i % 2 == 0);
        m_engine->getDevices(RJ_DEVICE_CAMERA);
    }
    // The feeder thread may not have been scheduled before the loop above ended.
    QElapsedTimer waited;
    waited.start();
    while (rjsim_content_frames() == 0 && waited.elapsed() < kWait)
        std::this_thread::yield();
    stop = true;
    for (std::thread &t : threads)
        t.join();
    QVERIFY(rjsim_content_frames() > 0);
    QCOMPARE(m_engine->hangUp(), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onCallEnd"), 1);
}

// --- Login ---------------------------------------------------------------------

void TestEngineSim::login_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("errorCode"); // 0: logs in
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<bool>("mustChange");
    QTest::addColumn<QString>("vmr");

    QTest::newRow("alice") << "alice" << "Alice123" << 0 << "Alice Chen" << false << "8201001";
    QTest::newRow("carol") << "carol" << "Carol123" << 0 << "Carol Wu" << false << "";
    QTest::newRow("bob must change") << "bob" << "Bob12345" << 0 << "Bob Stone" << true << "";
    QTest::newRow("locked") << "locked" << "Locked123" << 2010 << "" << false << "";
    QTest::newRow("wrong password") << "alice" << "alice123" << 2000 << "" << false << "";
    QTest::newRow("unknown user") << "mallory" << "Mallory1" << 2000 << "" << false << "";
    QTest::newRow("empty user") << "" << "Alice123" << 2000 << "" << false << "";
}

void TestEngineSim::login()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(int, errorCode);
    QFETCH(QString, displayName);
    QFETCH(bool, mustChange);
    QFETCH(QString, vmr);

    AVFeature feature;
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_port, feature), 0);
    QCOMPARE(feature.appServerType, std::string("ZOV"));
    QVERIFY(feature.apiEnabled);
    QVERIFY(!feature.passwordEncryptionWithAES);
    const std::string form = m_engine->encryptPassword(feature.passwordEncryptionWithAES ? 1 : 0,
                                                       password.toUtf8().constData());
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_port, user.toUtf8().constData(), form.c_str()), 0);

    if (errorCode) {
        QVERIFY(m_rec->waitFor("onError"));
        const RJError e = m_rec->named("onError").front().error;
        QCOMPARE(e.type, 4);
        QCOMPARE(e.action, std::string("avlogin"));
        QCOMPARE(e.code, errorCode);
        QCOMPARE(rjsim_wait_idle(kWait), 1);
        QCOMPARE(m_rec->count("onLoginSucceed"), 0);
        RJUserInfo info;
        QVERIFY(m_engine->getUserInfo(info) != 0);
        return;
    }
    QVERIFY(m_rec->waitFor("onRegisterInfo"));
    QCOMPARE(m_rec->names(), (std::vector<std::string>{"onLoginSucceed", "onRegisterInfo"}));
    const RJUserInfo u = m_rec->named("onLoginSucceed").front().user;
    QCOMPARE(QString::fromStdString(u.username), user);
    QCOMPARE(QString::fromStdString(u.displayName), displayName);
    QCOMPARE(u.mustChangePasswd, mustChange);
    QCOMPARE(QString::fromStdString(u.vmr), vmr);
    QVERIFY(QString::fromStdString(u.token).contains(QRegularExpression("^sim-" + user + "-\\d+$")));
    QCOMPARE(u.appServerType, std::string("ZOV"));
    const RJRegisterInfo reg = m_rec->named("onRegisterInfo").front().reg;
    QCOMPARE(reg.type, 1);
    QCOMPARE(reg.state, 1);

    RJUserInfo again;
    QCOMPARE(m_engine->getUserInfo(again), 0);
    QCOMPARE(again.token, u.token);
    RJRegisterInfo current;
    QCOMPARE(m_engine->getRegisterInfo(1, current), 0);
    QCOMPARE(current.state, 1);
}

void TestEngineSim::getFeatureFailures_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("deadPort");
    QTest::addColumn<int>("code");

    QTest::newRow("nothing listening") << "127.0.0.1" << true << 8;
    QTest::newRow("unknown name") << "nohost.glimora.invalid" << false << 16;
    QTest::newRow("empty name") << "" << false << 16;
}

void TestEngineSim::getFeatureFailures()
{
    QFETCH(QString, host);
    QFETCH(bool, deadPort);
    QFETCH(int, code);

    AVFeature feature;
    const int rc = m_engine->getFeature(host.toUtf8().constData(), deadPort ? m_deadPort : m_port, feature);
    QCOMPARE(rc, code);
    QVERIFY(m_rec->waitFor("onError"));
    const RJError e = m_rec->named("onError").front().error;
    QCOMPARE(e.type, 0);
    QCOMPARE(e.action, std::string("getFeature"));
    QCOMPARE(e.code, code);

    // A login against the same server fails with an event as well.
    m_rec->clear();
    QCOMPARE(m_engine->avlogin(host.toUtf8().constData(), deadPort ? m_deadPort : m_port, "alice",
                               loginForm("Alice123").c_str()),
             0);
    QVERIFY(m_rec->waitFor("onError"));
    QCOMPARE(m_rec->named("onError").front().error.action, std::string("avlogin"));
    QCOMPARE(m_rec->named("onError").front().error.code, code);
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onLoginSucceed"), 0);
}

void TestEngineSim::logoutEndsRegistration()
{
    login("alice", "Alice123");
    QCOMPARE(m_engine->avlogout(), 0);
    QVERIFY(m_rec->waitFor("onRegisterInfo"));
    QCOMPARE(m_rec->named("onRegisterInfo").front().reg.state, 0);
    RJUserInfo info;
    QCOMPARE(m_engine->getUserInfo(info), 13);
}

// --- Calls ----------------------------------------------------------------------

void TestEngineSim::dialEndsInExactlyOneCallEnd_data()
{
    QTest::addColumn<QString>("dial");
    QTest::addColumn<QString>("after");    // what the test does once connected
    QTest::addColumn<int>("errorType");    // -1: no error event
    QTest::addColumn<int>("errorCode");
    QTest::addColumn<bool>("connects");
    QTest::addColumn<bool>("peerConnects");
    QTest::addColumn<bool>("audioOnly");
    QTest::addColumn<int>("waitQueue");    // onWaitQueue events

    QTest::newRow("fixed room, hang up") << "8201001" << "hangUp" << -1 << 0 << true << false << false << 0;
    QTest::newRow("1001, hang up") << "1001" << "hangUp" << -1 << 0 << true << false << false << 0;
    QTest::newRow("1001, ended by host") << "1001" << "remote-end 100" << 3 << 100 << true << false << false << 0;
    QTest::newRow("1002 right password") << "1002*1234" << "hangUp" << -1 << 0 << true << false << false << 0;
    QTest::newRow("1002 wrong password") << "1002*9999" << "" << 4 << 6601 << false << false << false << 0;
    QTest::newRow("1002 no password") << "1002" << "" << 4 << 6602 << false << false << false << 0;
    QTest::newRow("1003 queue") << "1003" << "hangUp" << -1 << 0 << true << false << false << 3;
    QTest::newRow("1004 audio only") << "1004" << "hangUp" << -1 << 0 << true << false << true << 0;
    QTest::newRow("1005 scheduled") << "1005*5678" << "" << 4 << 4205 << false << false << false << 0;
    QTest::newRow("unknown meeting") << "4242" << "" << 4 << 4205 << false << false << false << 0;
    QTest::newRow("8001 answers") << "8001" << "hangUp" << -1 << 0 << true << true << false << 0;
    QTest::newRow("8003 audio") << "8003" << "hangUp" << -1 << 0 << true << true << true << 0;
    QTest::newRow("8999 busy") << "8999" << "" << 0 << 11 << false << false << false << 0;
    QTest::newRow("8998 no answer") << "8998" << "" << 0 << 12 << false << false << false << 0;
    QTest::newRow("guest join with server") << "1001@demo.glimora.test" << "hangUp" << -1 << 0 << true << false
                                            << false << 0;
    QTest::newRow("guest join, unknown server") << "1001@nohost.invalid" << "" << 0 << 16 << false << false << false
                                                << 0;
}

void TestEngineSim::dialEndsInExactlyOneCallEnd()
{
    QFETCH(QString, dial);
    QFETCH(QString, after);
    QFETCH(int, errorType);
    QFETCH(int, errorCode);
    QFETCH(bool, connects);
    QFETCH(bool, peerConnects);
    QFETCH(bool, audioOnly);
    QFETCH(int, waitQueue);

    login("alice", "Alice123");
    QCOMPARE(m_engine->dialOut(dial.toUtf8().constData(), true), 0);
    if (connects) {
        QVERIFY(m_rec->waitFor("onCallConnected"));
        const RJCallInfo info = m_rec->named("onCallConnected").front().call;
        QCOMPARE(info.isAudioOnly, audioOnly);
        QCOMPARE(QString::fromStdString(info.conference_number), dial.section('*', 0, 0).section('@', 0, 0));
        if (peerConnects) {
            QCOMPARE(info.svcCallType, 1);
            QVERIFY(m_rec->waitFor("onCallPeerConnected"));
        }
        if (after == "hangUp")
            QCOMPARE(m_engine->hangUp(), 0);
        else
            QCOMPARE(rjsim_command(after.toUtf8().constData()), 0);
    }
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onCallEnd"), 1);
    QCOMPARE(m_rec->count("onCallConnected"), connects ? 1 : 0);
    QCOMPARE(m_rec->count("onCallPeerConnected"), peerConnects ? 1 : 0);
    QCOMPARE(m_rec->names().back(), std::string("onCallEnd"));

    const auto errors = m_rec->named("onError");
    if (errorType < 0) {
        QVERIFY(errors.empty());
    } else {
        QCOMPARE(int(errors.size()), 1);
        QCOMPARE(errors.front().error.type, errorType);
        QCOMPARE(errors.front().error.action, std::string("onCallEnd"));
        QCOMPARE(errors.front().error.code, errorCode);
        const RJCallInfo ended = m_rec->named("onCallEnd").front().call;
        QCOMPARE(ended.err.code, errorCode);
    }
    const auto queue = m_rec->named("onWaitQueue");
    QCOMPARE(int(queue.size()), waitQueue);
    for (int i = 0; i < waitQueue; ++i)
        QCOMPARE(queue[std::size_t(i)].value, waitQueue - i);

    // The call is gone: hanging up again is refused and ends nothing.
    QVERIFY(m_engine->hangUp() != 0);
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onCallEnd"), 1);
}

void TestEngineSim::incomingCall_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("connects");

    QTest::newRow("accept") << "accept" << true;
    QTest::newRow("decline") << "decline" << false;
    QTest::newRow("caller gives up") << "remote-end 0" << false;
}

void TestEngineSim::incomingCall()
{
    QFETCH(QString, answer);
    QFETCH(bool, connects);

    login("alice", "Alice123");
    QCOMPARE(rjsim_command("incoming Carol Wu 8001 audio"), 0);
    QVERIFY(m_rec->waitFor("onCallIncoming"));
    const RJCallInfo in = m_rec->named("onCallIncoming").front().call;
    QCOMPARE(in.peer, std::string("Carol Wu"));
    QCOMPARE(in.conference_number, std::string("8001"));
    QVERIFY(in.isAudioOnly);
    // A second incoming call while this one rings is not offered.
    QCOMPARE(rjsim_command("incoming Dave Li 8002"), 0);

    if (answer == "accept") {
        QCOMPARE(m_engine->acceptCall(false), 0);
        QVERIFY(m_rec->waitFor("onCallPeerConnected"));
        QCOMPARE(m_engine->hangUp(), 0);
    } else if (answer == "decline") {
        QCOMPARE(m_engine->declineCall(), 0);
    } else {
        QCOMPARE(rjsim_command(answer.toUtf8().constData()), 0);
    }
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onCallIncoming"), 1);
    QCOMPARE(m_rec->count("onCallConnected"), connects ? 1 : 0);
    QCOMPARE(m_rec->count("onCallEnd"), 1);
    QCOMPARE(m_rec->count("onError"), 0);
    QVERIFY(m_engine->acceptCall(true) != 0);
}

void TestEngineSim::dialWithoutRegistrationFails()
{
    QCOMPARE(m_engine->dialOut("1001", true), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(m_rec->named("onError").front().error.code, 13);
    QCOMPARE(m_rec->count("onCallConnected"), 0);
    // One call at a time: while a call rings (in real time, even at scale 0)
    // a dial is refused and starts nothing.
    login("alice", "Alice123");
    QCOMPARE(rjsim_command("incoming Carol Wu 8001"), 0);
    QVERIFY(m_rec->waitFor("onCallIncoming"));
    QVERIFY(m_engine->dialOut("1001", true) != 0);
    QVERIFY(m_engine->dialOut("", true) != 0);
    QCOMPARE(m_engine->declineCall(), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onCallEnd"), 1);
    QCOMPARE(m_rec->count("onCallConnected"), 0);
}

void TestEngineSim::remoteContentInMeetings_data()
{
    QTest::addColumn<QString>("meeting");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<bool>("stops");

    QTest::newRow("1006 content") << "1006" << 2 << "Dave Li" << true;
    QTest::newRow("1007 whiteboard") << "1007" << 3 << "Erin Park" << false;
}

void TestEngineSim::remoteContentInMeetings()
{
    QFETCH(QString, meeting);
    QFETCH(int, type);
    QFETCH(QString, sender);
    QFETCH(bool, stops);

    login("alice", "Alice123");
    QCOMPARE(m_engine->dialOut(meeting.toUtf8().constData(), true), 0);
    QVERIFY(m_rec->waitFor("onContent"));
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    const auto content = m_rec->named("onContent");
    const RJContentInfo start = content.front().content;
    QVERIFY(start.enabled);
    QCOMPARE(start.dir, 1);
    QCOMPARE(start.type, type);
    QCOMPARE(QString::fromStdString(start.senderName), sender);
    QVERIFY(start.senderDeviceId != 0);
    QCOMPARE(int(content.size()), stops ? 2 : 1);
    if (stops)
        QVERIFY(!content.back().content.enabled);
    QCOMPARE(m_engine->hangUp(), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
}

// --- Passwords ------------------------------------------------------------------

void TestEngineSim::passwordForms()
{
    const std::string stored = m_engine->encryptPassword(2, "Alice123", "MK305918");
    QVERIFY(!stored.empty());
    QVERIFY(stored.find("Alice123") == std::string::npos);
    QCOMPARE(m_engine->descryptPassword(2, stored.c_str(), "MK305918", ""), std::string("Alice123"));
    QCOMPARE(m_engine->descryptPassword(2, stored.c_str(), "XX000000", ""), std::string());
    QCOMPARE(m_engine->descryptPassword(2, "garbage", "MK305918", ""), std::string());
    QCOMPARE(m_engine->descryptPassword(2, "", "MK305918", ""), std::string());
    // Both login forms hide the text and are accepted by avlogin (see login()).
    for (int type : {0, 1}) {
        const std::string form = m_engine->encryptPassword(type, "Alice123");
        QVERIFY(!form.empty());
        QVERIFY(form.find("Alice123") == std::string::npos);
    }
    QCOMPARE(m_engine->encryptPassword(7, "Alice123"), std::string());
    // A plain password is not a login form.
    AVFeature feature;
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_port, feature), 0);
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_port, "alice", "Alice123"), 0);
    QVERIFY(m_rec->waitFor("onError"));
    QCOMPARE(m_rec->named("onError").front().error.code, 2000);
}

void TestEngineSim::passwordPolicy_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("valid");

    QTest::newRow("two kinds") << "abcdefg1" << true;
    QTest::newRow("specials") << "abcdefg!" << true;
    QTest::newRow("one kind") << "abcdefgh" << false;
    QTest::newRow("too short") << "Abc1234" << false;
    QTest::newRow("16 chars") << "Abcdefgh12345678" << true;
    QTest::newRow("17 chars") << "Abcdefgh123456789" << false;
    QTest::newRow("foreign char") << "Abcdefg 1" << false;
    QTest::newRow("empty") << "" << false;
}

void TestEngineSim::passwordPolicy()
{
    QFETCH(QString, password);
    QFETCH(bool, valid);
    QCOMPARE(m_engine->validatePassword(password.toUtf8().constData()) == 0, valid);
    const RJPasswordPolicy policy = m_engine->getPasswordPolicy();
    QCOMPARE(policy.minLength, 8);
    QCOMPARE(policy.maxLength, 16);
    QCOMPARE(policy.typeCount, 2);
    QCOMPARE(policy.specialChars, std::string("!@#$%^&*"));
}

void TestEngineSim::changePasswordClearsMustChange()
{
    login("bob", "Bob12345");
    auto change = [this](const char *oldPassword, const char *newPassword) {
        const std::string o = m_engine->transformPassword(oldPassword);
        const std::string n = m_engine->transformPassword(newPassword);
        return m_engine->changePassword(o.c_str(), n.c_str());
    };
    QVERIFY(change("wrong123", "Newpass123") != 0);
    QVERIFY(change("Bob12345", "short") != 0);
    QVERIFY(m_engine->changePassword("Bob12345", "Newpass123") != 0); // not the change form
    QCOMPARE(change("Bob12345", "Newpass123"), 0);
    RJUserInfo info;
    QCOMPARE(m_engine->getUserInfo(info), 0);
    QVERIFY(!info.mustChangePasswd);
    QCOMPARE(m_engine->changeDisplayName("Robert"), 0);
    QCOMPARE(m_engine->getDisplayName(), std::string("Robert"));

    // The new password is the one that logs in now.
    QCOMPARE(m_engine->avlogout(), 0);
    QVERIFY(m_rec->waitFor("onRegisterInfo"));
    m_rec->clear();
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_port, "bob", loginForm("Bob12345").c_str()), 0);
    QVERIFY(m_rec->waitFor("onError"));
    m_rec->clear();
    login("bob", "Newpass123");
    QCOMPARE(m_engine->getUserInfo(info), 0);
    QCOMPARE(info.displayName, std::string("Robert"));
}

// --- Files ---------------------------------------------------------------------------

void TestEngineSim::feedbackUpload_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("address"); // "-": the form without address
    QTest::addColumn<bool>("succeeds");

    QTest::newRow("archive") << true << "-" << true;
    QTest::newRow("missing archive") << false << "-" << false;
    QTest::newRow("reachable address") << true << "http://127.0.0.1:LIVE/feedback" << true;
    QTest::newRow("unreachable address") << true << "http://127.0.0.1:DEAD/feedback" << false;
    QTest::newRow("address without host") << true << "http:///feedback" << false;
}

void TestEngineSim::feedbackUpload()
{
    QFETCH(bool, fileExists);
    QFETCH(QString, address);
    QFETCH(bool, succeeds);

    QTemporaryDir dir;
    const QString path = dir.filePath("feedback.zip");
    if (fileExists) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PK\x05\x06", 4);
    }
    const std::vector<std::string> files{QFile::encodeName(path).toStdString()};
    int rc = 0;
    if (address == "-") {
        rc = m_engine->uploadFeedbackfile(files, "me@example.org", "it broke");
    } else {
        const QString a = QString(address)
                              .replace("LIVE", QString::number(m_port))
                              .replace("DEAD", QString::number(m_deadPort));
        rc = m_engine->uploadFeedbackFilesWithAddress(files, "me@example.org", "it broke", a.toUtf8().constData());
    }
    QCOMPARE(rc, 0); // accepted: the outcome comes as events
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    const auto progress = m_rec->named("onUploadFeedback");
    QVERIFY(!progress.empty());
    if (succeeds) {
        QCOMPARE(progress.back().value, 100);
        for (std::size_t i = 1; i < progress.size(); ++i)
            QVERIFY(progress[i].value > progress[i - 1].value);
    } else {
        QCOMPARE(int(progress.size()), 1);
        QVERIFY(progress.front().value < 0);
    }
}

void TestEngineSim::avatarDownloadAndUpload()
{
    QTemporaryDir dir;
    const std::string target = QFile::encodeName(dir.filePath("token_header.jpg")).toStdString();
    QCOMPARE(m_engine->downloadUserImage(target.c_str()), 13); // not signed in
    login("alice", "Alice123");
    QCOMPARE(m_engine->downloadUserImage(target.c_str()), 0);
    QVERIFY(m_rec->waitFor("onDownloadUserImageComplete"));
    QCOMPARE(m_rec->named("onDownloadUserImageComplete").front().text, target);
    QVERIFY(!QImage(QString::fromStdString(target)).isNull());

    // Upload a picture: later downloads return it.
    const QString upload = dir.filePath("upload_avatar_temp.jpg");
    QImage red(20, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(upload, "PNG"));
    QCOMPARE(m_engine->uploadUserImage(QFile::encodeName(upload).constData()), 0);
    QVERIFY(m_rec->waitFor("onUploadUserImageComplete"));
    QCOMPARE(m_rec->named("onUploadUserImageComplete").front().text, QFile::encodeName(upload).toStdString());
    const std::string second = QFile::encodeName(dir.filePath("again.jpg")).toStdString();
    QCOMPARE(m_engine->downloadUserImage(second.c_str()), 0);
    QVERIFY(m_rec->waitFor("onDownloadUserImageComplete", 2));
    QCOMPARE(QImage(QString::fromStdString(second)).size(), QSize(20, 10));

    // Something that is not a picture fails with an error for the dialog.
    const QString text = dir.filePath("notes.txt");
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("hello");
    f.close();
    QCOMPARE(m_engine->uploadUserImage(QFile::encodeName(text).constData()), 0);
    QVERIFY(m_rec->waitFor("onError"));
    QCOMPARE(m_rec->named("onError").front().error.action, std::string("uploadUserImage"));
}

// --- Content and media -----------------------------------------------------------

void TestEngineSim::contentSourcesAndBitmaps()
{
    const std::vector<RJContentSourceInfo> sources = m_engine->getContentSourceList();
    QVERIFY(sources.size() >= 4);
    QCOMPARE(sources[0].type, 0);
    QCOMPARE(sources[0].windowTitle, std::string("SIM-A"));
    QCOMPARE(sources[1].windowTitle, std::string("SIM-B"));
    const RJContentSourceInfo window = sources[2];
    QCOMPARE(window.type, 1);
    QVERIFY(window.windowId != nullptr);
    QVERIFY(!window.windowTitle.empty());

    // Thumbnail: 24-bit rows padded to 4 bytes, inside the requested box.
    RJBitmap thumb;
    QCOMPARE(m_engine->getContentSourceBitmap(sources[0], 0, 112, 70, thumb), 0);
    QVERIFY(thumb.data);
    QVERIFY(thumb.width <= 112 && thumb.height <= 70);
    QVERIFY(thumb.width == 112 || thumb.height == 70);
    const QImage image(thumb.data, thumb.width, thumb.height, QImage::Format_RGB888);
    QVERIFY(!image.copy().isNull());
    QCOMPARE(m_engine->releaseContentSourceBitmap(thumb), 0);
    QVERIFY(thumb.data == nullptr);

    RJBitmap icon;
    QCOMPARE(m_engine->getContentSourceBitmap(window, 1, 40, 40, icon), 0);
    QCOMPARE(icon.width, 40);
    QCOMPARE(icon.height, 40);
    RJBitmap copy = icon;
    QCOMPARE(m_engine->releaseContentSourceBitmap(icon), 0);
    QVERIFY(m_engine->releaseContentSourceBitmap(copy) != 0); // already returned

    RJBitmap none;
    QVERIFY(m_engine->getContentSourceBitmap(sources[0], 1, 40, 40, none) != 0); // screens have no icon
    RJContentSourceInfo unknown;
    unknown.type = 0;
    unknown.windowTitle = "no such screen";
    QVERIFY(m_engine->getContentSourceBitmap(unknown, 0, 112, 70, none) != 0);
    QVERIFY(none.data == nullptr);
}

void TestEngineSim::screensOfTheDisplay()
{
    // Without RJSIM_SCREENS the screens are the display's, so that the share
    // chooser can match them by name; read on the GUI thread, remembered for
    // calls from other threads.
    const QByteArray saved = qgetenv("RJSIM_SCREENS");
    qunsetenv("RJSIM_SCREENS");
    std::vector<std::string> expected;
    for (QScreen *screen : QGuiApplication::screens())
        expected.push_back(screen->name().trimmed().toStdString());
    auto screenNames = [this] {
        std::vector<std::string> names;
        for (const RJContentSourceInfo &info : m_engine->getContentSourceList())
            if (info.type == 0)
                names.push_back(info.windowTitle);
        return names;
    };
    const std::vector<std::string> onGuiThread = screenNames();
    std::vector<std::string> onOtherThread;
    std::thread([&] { onOtherThread = screenNames(); }).join();
    qputenv("RJSIM_SCREENS", saved);
    QCOMPARE(onGuiThread, expected);
    QCOMPARE(onOtherThread, expected);
}

void TestEngineSim::sendingContentAndStatistics()
{
    login("alice", "Alice123");
    QVERIFY(m_engine->sendContent() != 0); // not in a call
    QCOMPARE(m_engine->dialOut("1001", true), 0);
    QVERIFY(m_rec->waitFor("onCallConnected"));

    RJStats stats;
    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(stats.count, 4); // audio and video, both directions

    const auto sources = m_engine->getContentSourceList();
    QCOMPARE(m_engine->setLocalContentSource(sources[0]), 0);
    QCOMPARE(m_engine->sendContent(), 0);
    QVERIFY(m_rec->waitFor("onContent"));
    const RJContentInfo sending = m_rec->named("onContent").front().content;
    QVERIFY(sending.enabled);
    QCOMPARE(sending.dir, 0);
    QCOMPARE(sending.type, 2);

    // Frames from the screen feeder: counted, not journaled.
    const int journalBefore = rjsim_journal_count(nullptr);
    std::vector<unsigned char> pixels(64 * 4 * 32, 0x80);
    RJContentSourceInfo frame;
    frame.type = 3;
    frame.captureSize.width = 64;
    frame.captureSize.height = 32;
    frame.bytesPerLine = 64 * 4;
    frame.frameData = pixels.data();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m_engine->setLocalContentSource(frame), 0);
    QCOMPARE(rjsim_content_frames(), 5LL);
    QCOMPARE(rjsim_journal_count(nullptr), journalBefore);
    frame.bytesPerLine = 10; // shorter than a line
    QVERIFY(m_engine->setLocalContentSource(frame) != 0);

    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(stats.count, 5);
    QVERIFY(stats.count <= RJ_MAX_STREAM_STATS);
    const RJStreamStats &content = stats.streams[4];
    QCOMPARE(content.streamType, RJ_STREAM_CONTENT);
    QVERIFY(content.direction != 1);
    QCOMPARE(content.width, 64);

    QCOMPARE(m_engine->stopContent(), 0);
    QVERIFY(m_rec->waitFor("onContent", 2));
    QVERIFY(!m_rec->named("onContent").back().content.enabled);

    // A whiteboard (once the client has enabled them), then a remote
    // participant takes the floor.
    QVERIFY(m_engine->sendWhiteBoard() != 0);
    QCOMPARE(m_engine->enableWhiteBoard(true), 0);
    QCOMPARE(m_engine->sendWhiteBoard(), 0);
    QVERIFY(m_rec->waitFor("onContent", 3));
    QCOMPARE(m_rec->named("onContent").back().content.type, 3);
    QCOMPARE(rjsim_command("content start Dave Li"), 0);
    QVERIFY(m_rec->waitFor("onContent", 5));
    const auto all = m_rec->named("onContent");
    QVERIFY(!all[3].content.enabled);
    QCOMPARE(all[3].content.dir, 0);
    QVERIFY(all[4].content.enabled);
    QCOMPARE(all[4].content.dir, 1);
    QCOMPARE(all[4].content.senderName, std::string("Dave Li"));

    QCOMPARE(m_engine->hangUp(), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(m_engine->getStats(stats), 0);
    QCOMPARE(stats.count, 0);
}

void TestEngineSim::devicesAndVolumes()
{
    const auto mics = m_engine->getDevices(RJ_DEVICE_MIC);
    QCOMPARE(int(mics.size()), 2);
    QCOMPARE(mics[0].name, std::string("System Default Microphone"));
    QCOMPARE(mics[1].name, std::string("USB Headset Microphone"));
    QCOMPARE(mics[0].id, 0u);
    QCOMPARE(m_engine->getDevices(RJ_DEVICE_SPEAKER)[1].name, std::string("USB Headset"));
    QCOMPARE(m_engine->getDevices(RJ_DEVICE_CAMERA)[0].name, std::string("Integrated Camera"));
    QCOMPARE(m_engine->getDevice(RJ_DEVICE_MIC).id, 0u);
    QCOMPARE(m_engine->setDevice(RJ_DEVICE_MIC, 1), 0);
    QCOMPARE(m_engine->getDevice(RJ_DEVICE_MIC).id, 1u);
    QVERIFY(m_engine->setDevice(RJ_DEVICE_MIC, 99) != 0);

    // Removing the device in use switches to another one.
    QCOMPARE(rjsim_command("device remove mic USB Headset Microphone"), 0);
    QVERIFY(m_rec->waitFor("onCurrentDeviceChanged"));
    QCOMPARE(m_rec->named("onDeviceRemoved").front().device.id, 1u);
    QCOMPARE(m_engine->getDevice(RJ_DEVICE_MIC).id, 0u);

    RJVolume vol;
    vol.volume = 1.5f;
    QCOMPARE(m_engine->setVolume(RJ_DEVICE_SPEAKER, vol), 0);
    QVERIFY(m_rec->waitFor("onVolume"));
    QCOMPARE(m_engine->getVolume(RJ_DEVICE_SPEAKER).volume, 1.5f);
    vol.volume = 4.0f;
    QVERIFY(m_engine->setVolume(RJ_DEVICE_SPEAKER, vol) != 0);

    // The meter moves only while it is on and the microphone is open: like
    // someone talking, never silent, never still.
    QCOMPARE(m_engine->getMicVolume(), 0.0f);
    QCOMPARE(m_engine->enableMicMeter(true), 0);
    std::vector<float> levels{m_engine->getMicVolume()};
    const auto still = [&levels] {
        return std::all_of(levels.begin(), levels.end(), [&](float l) { return l == levels.front(); });
    };
    QElapsedTimer sampling;
    sampling.start();
    while (still() && sampling.elapsed() < 2000)
        levels.push_back(m_engine->getMicVolume());
    QVERIFY2(!still(), "the level moves");
    for (const float level : levels)
        QVERIFY2(level > 0.0f && level <= 1.0f, qPrintable(QString::number(double(level))));
    QCOMPARE(m_engine->enableMic(false), 0);
    QCOMPARE(m_engine->getMicVolume(), 0.0f);
    QCOMPARE(m_engine->enableMic(true), 0);
    QCOMPARE(m_engine->enableMicMeter(false), 0);
    QCOMPARE(m_engine->getMicVolume(), 0.0f);

    // Sounds: the ringtone repeats until stopped; a missing file is refused.
    QVERIFY(m_engine->setAudioFile("/nonexistent/ring.wav") == 0);
    QVERIFY(m_engine->startAudioPlay(1) != 0);
    QTemporaryDir dir;
    QFile wav(dir.filePath("ring.wav"));
    QVERIFY(wav.open(QIODevice::WriteOnly));
    wav.write(QByteArray(100, '\0'));
    wav.close();
    QCOMPARE(m_engine->setAudioFile(QFile::encodeName(wav.fileName()).constData()), 0);
    QCOMPARE(m_engine->startAudioPlay(1), 0);
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QVERIFY(m_engine->isAudioPlaying());
    QCOMPARE(m_engine->stopAudioPlay(), 0);
    QVERIFY(!m_engine->isAudioPlaying());
}

void TestEngineSim::diagnosisFollowsLoginAndCalls()
{
    RJDiag d = m_engine->getDiag();
    QCOMPARE(d.loginItem.status, 0);

    AVFeature feature;
    m_engine->getFeature("127.0.0.1", m_deadPort, feature);
    d = m_engine->getDiag();
    QCOMPARE(d.loginItem.status, 4);
    QCOMPARE(d.advice, 2);
    QCOMPARE(d.adviceParam, std::string("127.0.0.1"));

    login("alice", "Alice123");
    d = m_engine->getDiag();
    QCOMPARE(d.loginItem.status, 1);
    QCOMPARE(d.registerItem.status, 1);
    QCOMPARE(d.call.callItem.status, 0);
    QCOMPARE(d.advice, 0);

    QCOMPARE(m_engine->dialOut("1004", true), 0);
    QVERIFY(m_rec->waitFor("onCallConnected"));
    QCOMPARE(m_engine->hangUp(), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
    d = m_engine->getDiag();
    QCOMPARE(d.call.callItem.status, 1);
    QVERIFY(d.call.audio.download.quality.status != 0);
    QCOMPARE(d.call.video.download.quality.status, 0); // audio only
    QVERIFY(!d.call.duration.empty());
    QVERIFY(m_engine->getDiagString().find("login") != std::string::npos);
}

// --- Control -------------------------------------------------------------------------

void TestEngineSim::forcedResults()
{
    // A refused dial does nothing and sends nothing.
    rjsim_force_result("dialOut", 7, 0);
    login("alice", "Alice123");
    QCOMPARE(m_engine->dialOut("1001", true), 7);
    QCOMPARE(m_engine->dialOut("1001", true), 7);
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onCallEnd"), 0);
    QCOMPARE(rjsim_journal_count("dialOut"), 2);
    rjsim_clear_result("dialOut");

    // Operations whose outcome is an event still send one.
    QCOMPARE(rjsim_command("result avlogin 1999 once"), 0);
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_port, "alice", loginForm("Alice123").c_str()), 1999);
    QVERIFY(m_rec->waitFor("onError"));
    QCOMPARE(m_rec->named("onError").front().error.action, std::string("avlogin"));
    QCOMPARE(m_rec->named("onError").front().error.code, 1999);
    m_rec->clear();
    QCOMPARE(m_engine->avlogin("127.0.0.1", m_port, "alice", loginForm("Alice123").c_str()), 0); // used up
    QVERIFY(m_rec->waitFor("onLoginSucceed"));

    m_rec->clear();
    rjsim_force_result("uploadFeedbackfile", 3, 1);
    QCOMPARE(m_engine->uploadFeedbackfile({"/tmp/x.zip"}, "", ""), 3);
    QVERIFY(m_rec->waitFor("onUploadFeedback"));
    QVERIFY(m_rec->named("onUploadFeedback").front().value < 0);

    // 9 from getFeature is a success and never comes with an error.
    m_rec->clear();
    rjsim_force_result("getFeature", 9, 1);
    AVFeature feature;
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_deadPort, feature), 9);
    QVERIFY(feature.apiEnabled);
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QCOMPARE(m_rec->count("onError"), 0);
    // Forced failures of getFeature do come with one.
    rjsim_force_result("getFeature", 1, 1);
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_port, feature), 1);
    QVERIFY(m_rec->waitFor("onError"));
    QCOMPARE(m_rec->named("onError").front().error.code, 1);

    // Forced to 0: performed, and 0 whatever the real answer.
    m_rec->clear();
    rjsim_force_result("getFeature", 0, 1);
    QCOMPARE(m_engine->getFeature("127.0.0.1", m_deadPort, feature), 0); // taken as reachable
    QCOMPARE(feature.appServerType, std::string("ZOV"));
    QCOMPARE(rjsim_command("result hangUp 0"), 0);
    QCOMPARE(m_engine->hangUp(), 0); // no call, still 0
    rjsim_force_result("dialOut", 0, 1);
    QCOMPARE(m_engine->dialOut("8999", true), 0); // performed: busy
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(m_rec->named("onError").front().error.code, 11);
    rjsim_force_result("validatePassword", 0, 1);
    QCOMPARE(m_engine->validatePassword("short"), 0); // against the policy, still 0
    QVERIFY(m_engine->validatePassword("short") != 0);
    rjsim_force_result("requestRemoteUnmute", 0, 1);
    QCOMPARE(m_engine->requestRemoteUnmute(true), 0); // no call, still 0
    QVERIFY(m_engine->requestRemoteUnmute(true) != 0);
    // A frame is never forced, whatever the last operation on this thread was.
    rjsim_force_result("repaintVideo", 0, 1);
    QCOMPARE(m_engine->repaintVideo(), 0);
    std::vector<unsigned char> line(16, 0);
    RJContentSourceInfo shortFrame;
    shortFrame.type = 3;
    shortFrame.captureSize.width = 64;
    shortFrame.captureSize.height = 1;
    shortFrame.bytesPerLine = 16; // shorter than a line of 64 pixels
    shortFrame.frameData = line.data();
    QVERIFY(m_engine->setLocalContentSource(shortFrame) != 0);

    QCOMPARE(rjsim_command("result hangUp 5"), 0);
    QCOMPARE(m_engine->hangUp(), 5);
    QCOMPARE(rjsim_command("result clear"), 0);
    QCOMPARE(m_engine->hangUp(), 4); // no call: the real answer again
}

// A forced 0 performs the operation and answers 0, whichever part of the
// engine it belongs to.
void TestEngineSim::forcedZeroInEveryPart_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("realCode"); // the answer without a forced result

    QTest::newRow("set-up") << "initialize" << 5;
    QTest::newRow("passwords") << "validatePassword" << 6600;
    QTest::newRow("devices") << "setDevice" << 5;
    QTest::newRow("content") << "sendContent" << 4;
    QTest::newRow("account") << "getUserInfo" << 13;
    QTest::newRow("calls") << "hangUp" << 4;
    QTest::newRow("feedback") << "uploadFeedbackfile" << 5;
}

void TestEngineSim::forcedZeroInEveryPart()
{
    QFETCH(QString, operation);
    QFETCH(int, realCode);
    const QHash<QString, std::function<int()>> calls{
        {"initialize", [this] { return m_engine->initialize("", "brondalrc"); }},
        {"validatePassword", [this] { return m_engine->validatePassword("short"); }},
        {"setDevice", [this] { return m_engine->setDevice(RJ_DEVICE_MIC, 99); }},
        {"sendContent", [this] { return m_engine->sendContent(); }},
        {"getUserInfo", [this] {
             RJUserInfo user;
             return m_engine->getUserInfo(user);
         }},
        {"hangUp", [this] { return m_engine->hangUp(); }},
        {"uploadFeedbackfile", [this] { return m_engine->uploadFeedbackfile({}, "", ""); }},
    };
    QVERIFY(calls.contains(operation));
    rjsim_force_result(operation.toUtf8().constData(), 0, 1);
    QCOMPARE(calls.value(operation)(), 0);
    QCOMPARE(calls.value(operation)(), realCode); // used up
}

void TestEngineSim::injectedEvents_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("value");

    QTest::newRow("warn") << "warn 77" << "onWarn" << 77;
    QTest::newRow("mic muted") << "mic-muted 1" << "onMicMutedShow" << 1;
    QTest::newRow("mic unmuted") << "mic-muted 0" << "onMicMutedShow" << 0;
    QTest::newRow("video muted") << "video-muted 1" << "onVideoMutedShow" << 1;
    QTest::newRow("mute speaking") << "mute-speaking" << "onMuteSpeakingDetected" << 0;
    QTest::newRow("quality") << "quality 3" << "onNetworkQuality" << 3;
    QTest::newRow("device added") << "device add camera Desk Cam" << "onDeviceAdded" << 2;
    QTest::newRow("error") << "error 2 someAction 5 it went wrong" << "onError" << 5;
}

void TestEngineSim::injectedEvents()
{
    QFETCH(QString, command);
    QFETCH(QString, event);
    QFETCH(int, value);

    QCOMPARE(rjsim_command(command.toUtf8().constData()), 0);
    QVERIFY(m_rec->waitFor(event.toStdString()));
    const RecordedEvent e = m_rec->named(event.toStdString()).front();
    if (event == "onWarn")
        QCOMPARE(e.warn.code, value);
    else if (event == "onNetworkQuality")
        QCOMPARE(e.level, float(value));
    else if (event == "onDeviceAdded") {
        QCOMPARE(int(e.device.type), value);
        QCOMPARE(e.device.name, std::string("Desk Cam"));
        QCOMPARE(int(m_engine->getDevices(RJ_DEVICE_CAMERA).size()), 3);
    } else if (event == "onError") {
        QCOMPARE(e.error.type, 2);
        QCOMPARE(e.error.action, std::string("someAction"));
        QCOMPARE(e.error.code, value);
        QCOMPARE(e.error.msg, std::string("it went wrong"));
    } else if (event != "onMuteSpeakingDetected") {
        QCOMPARE(e.value, value);
    }
    if (command == "mic-muted 1")
        QVERIFY(!m_engine->micEnabled());
    if (command == "video-muted 1")
        QVERIFY(!m_engine->cameraEnabled());
}

void TestEngineSim::malformedCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("unknown") << "bogus";
    QTest::newRow("empty") << "";
    QTest::newRow("warn without code") << "warn";
    QTest::newRow("warn not a number") << "warn x";
    QTest::newRow("content without sender") << "content start";
    QTest::newRow("content bad verb") << "content pause Dave";
    QTest::newRow("device kind") << "device add printer Laser";
    QTest::newRow("device without name") << "device add mic";
    QTest::newRow("incoming without number") << "incoming Carol";
    QTest::newRow("mic-muted 2") << "mic-muted 2";
    QTest::newRow("error too short") << "error 4 avlogin";
    QTest::newRow("result without code") << "result dialOut";
    QTest::newRow("result bad code") << "result dialOut seven";
}

void TestEngineSim::malformedCommands()
{
    QFETCH(QString, command);
    QCOMPARE(rjsim_command(command.toUtf8().constData()), -1);
    QCOMPARE(rjsim_wait_idle(kWait), 1);
    QVERIFY(m_rec->events().empty());
}

void TestEngineSim::kickEndsTheSession()
{
    login("alice", "Alice123");
    QCOMPARE(rjsim_command("kick"), 0);
    QVERIFY(m_rec->waitFor("onRegisterInfo", 2));
    const auto regs = m_rec->named("onRegisterInfo");
    QCOMPARE(regs[0].reg.state, 4);
    QCOMPARE(regs[1].reg.state, 0);
    RJUserInfo info;
    QCOMPARE(m_engine->getUserInfo(info), 13);
}

void TestEngineSim::journalRecordsArguments()
{
    login("alice", "Alice123");
    rjsim_clear_journal();
    QCOMPARE(m_engine->dialOut("1002*1234", false), 0);
    QCOMPARE(m_engine->setBandwidth(2048), 0);
    const auto dials = rjsim::journalOf("dialOut");
    QCOMPARE(int(dials.size()), 1);
    QCOMPARE(dials[0], (std::vector<std::string>{"dialOut", "1002*1234", "0"}));
    QCOMPARE(rjsim::journalOf("setBandwidth")[0][1], std::string("2048"));
    QCOMPARE(rjsim_journal_count("dialOut"), 1);
    char small[8];
    const int full = rjsim_journal(small, sizeof(small));
    QVERIFY(full > int(sizeof(small)));
    QCOMPARE(int(strlen(small)), int(sizeof(small)) - 1);
    rjsim_clear_journal();
    QCOMPARE(rjsim_journal_count(nullptr), 0);
    QCOMPARE(m_engine->hangUp(), 0);
}

void TestEngineSim::controlFile()
{
    // The user data directory is the one the client gives; the file is read
    // from there, only lines appended after the engine looked count.
    QTemporaryDir dir;
    QFile ctl(dir.filePath("rjsim.ctl"));
    QVERIFY(ctl.open(QIODevice::WriteOnly));
    ctl.write("warn 1\n");
    ctl.close();
    QCOMPARE(m_engine->setLog(1, QFile::encodeName(dir.path()).constData(), "rjsdk", 1 << 20), 0);
    QCOMPARE(m_engine->enableLog(true), 0);
    QVERIFY(ctl.open(QIODevice::Append));
    ctl.write("# a comment\n\nwarn 2\nquality 4.5\nwarn");
    ctl.close();
    QVERIFY(m_rec->waitFor("onNetworkQuality"));
    QVERIFY(ctl.open(QIODevice::Append));
    ctl.write(" 3\n");
    ctl.close();
    QVERIFY(m_rec->waitFor("onWarn", 2));
    const auto warns = m_rec->named("onWarn");
    QCOMPARE(warns[0].warn.code, 2);
    QCOMPARE(warns[1].warn.code, 3);
    QFile log(dir.filePath("rjsdk.log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("event onWarn"));
    log.close();

    // Secrets stay out of the log (it travels with feedback archives).
    QCOMPARE(m_engine->validatePassword("Secret#77"), 0);
    QCOMPARE(m_engine->dialOut("1002*Secret#88@demo.glimora.test", true), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray written = log.readAll();
    QVERIFY(written.contains("validatePassword ***"));
    QVERIFY(written.contains("dialOut 1002****@demo.glimora.test"));
    QVERIFY(!written.contains("Secret#77"));
    QVERIFY(!written.contains("Secret#88"));
}

void TestEngineSim::timeScaleStretchesDelays()
{
    // A second engine made with a small scale: delays shrink but keep their
    // order, and the periodic quality report runs.
    cleanup();
    qputenv("RJSIM_TIME_SCALE", "0.05");
    init();
    qputenv("RJSIM_TIME_SCALE", "0");
    QCOMPARE(rjsim_time_scale(), 0.05);
    login("alice", "Alice123");
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(m_engine->dialOut("1003", true), 0);
    QVERIFY(m_rec->waitFor("onCallConnected"));
    // Queue of 3.5 s in world time: 175 ms here.
    QVERIFY(timer.elapsed() >= 150);
    QCOMPARE(m_rec->count("onWaitQueue"), 3);
    // A report at connect and one every 5 s of world time (250 ms here).
    QVERIFY(m_rec->waitFor("onNetworkQuality", 3));
    for (const RecordedEvent &e : m_rec->named("onNetworkQuality"))
        QVERIFY(e.level >= 4.0f && e.level <= 5.0f);
    QCOMPARE(rjsim_wait_idle(100), 0); // a connected call keeps reporting
    QCOMPARE(m_engine->hangUp(), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(rjsim_wait_idle(kWait), 1);
}

void TestEngineSim::sipRegistration_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("errorCode");

    QTest::newRow("anonymous") << "" << "" << 1 << 0;
    QTest::newRow("server") << "sip.glimora.test" << "secret" << 1 << 0;
    QTest::newRow("wrong password") << "sip.glimora.test" << "wrong" << 2 << 4106;
}

void TestEngineSim::sipRegistration()
{
    QFETCH(QString, domain);
    QFETCH(QString, password);
    QFETCH(int, state);
    QFETCH(int, errorCode);

    QCOMPARE(m_engine->registerSIPServer(domain.toUtf8().constData(), "Guest", "dev-1",
                                         password.toUtf8().constData(), "TLS"),
             0);
    QVERIFY(m_rec->waitFor("onRegisterInfo"));
    const RJRegisterInfo reg = m_rec->named("onRegisterInfo").front().reg;
    QCOMPARE(reg.state, state);
    QCOMPARE(reg.type, 2);
    if (errorCode) {
        QCOMPARE(m_rec->named("onError").front().error.action, std::string("registerSIPServer"));
        QCOMPARE(m_rec->named("onError").front().error.code, errorCode);
        return;
    }
    QCOMPARE(m_engine->getDisplayName(), std::string("Guest"));
    // Registered, a call can be made; unregistering sends state 0.
    QCOMPARE(m_engine->dialOut("8001", true), 0);
    QVERIFY(m_rec->waitFor("onCallConnected"));
    QCOMPARE(m_engine->hangUp(), 0);
    QVERIFY(m_rec->waitFor("onCallEnd"));
    QCOMPARE(m_engine->unregisterSIPServer(), 0);
    QVERIFY(m_rec->waitFor("onRegisterInfo", 2));
    QCOMPARE(m_rec->named("onRegisterInfo").back().reg.state, 0);
}

GLIMORA_TEST_MAIN(TestEngineSim)
#include "tst_EngineSim.moc"
