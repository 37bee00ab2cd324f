// The call controller against the simulated engine: dial strings, meetings
// and people of the demo world, incoming calls, the content-stream status,
// the running-meeting keys and the history in the configuration, the refusal
// without registration, guests and skipped logins, and the whiteboard token
// fetched from a loopback server.

#include "support/AlertBoxSeam.h"
#include "support/HttpFixtureServer.h"
#include "support/StandInRingtone.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"

#include <QMutex>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QUrlQuery>

using glimora::test::AlertBoxSeam;
using glimora::test::HttpFixtureServer;
using rj_app::helpers::CGeneralUtils;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::structs::CContentStreamInfo;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;
const char *const kAcsPath = "/api/rest/v2.0/acsToken";

// The whiteboard-token requests the fixture received, with their queries.
// The fixture's port also stands for the management server at login (the
// engine only probes it), so other paths are left out.
QList<QUrlQuery> acsQueries(const HttpFixtureServer &server)
{
    QList<QUrlQuery> queries;
    for (const auto &request : server.requests()) {
        if (request.method == "GET" && request.path == QLatin1String(kAcsPath))
            queries.append(request.query);
    }
    return queries;
}

QByteArray q(const std::string &text)
{
    return QByteArray::fromStdString(text);
}

QByteArray tokenAnswer(const QByteArray &token)
{
    return "{\"acsJsonWebToken\":\"" + token + "\",\"externalEdgeIp\":\"edge.example\","
           "\"internalEdgeIp\":\"10.0.0.9\"}";
}

} // namespace

class TestCallController : public QObject
{
    Q_OBJECT

    HttpFixtureServer m_acs;
    QList<int> m_statuses;       // every sigCallStatusChanged
    QList<bool> m_ringing;       // whether the ringtone sounded at each of them
    QList<int> m_callTypes;      // the call type at each of them
    QList<rj::engine::RJError> m_errors;

    CCallController *c() { return CCallController::getInstance(); }
    CLoginManager *login() { return CLoginManager::getInstance(); }
    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }
    CUserConfigUtils *config() { return CUserConfigUtils::getInstance(); }

    // The token answer from now on; a later route replaces the earlier one.
    void answerAcs(int status, const QByteArray &body)
    {
        m_acs.addRoute("GET", QLatin1String(kAcsPath), status, body);
    }
    int acsCount() const { return int(acsQueries(m_acs).size()); }

    QStringList dialled()
    {
        QStringList numbers;
        for (const auto &call : rjsim::journalOf("dialOut"))
            numbers << QString::fromStdString(call[1]);
        return numbers;
    }

    // Ends whatever the last test left running and forgets what it recorded.
    void settle()
    {
        rjsim_clear_result(nullptr);
        if (CCallController::isInCall(c()->getCallStatus())) {
            if (!c()->hangUp())
                c()->declineCall(); // still ringing
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        c()->setAcsRequestIntervalMs(CCallController::m_iAcsRequestIntervalMs);
        m_acs.clearRoutes();
        answerAcs(200, tokenAnswer("tok"));
        m_acs.clearRequests();
        m_statuses.clear();
        m_ringing.clear();
        m_callTypes.clear();
        m_errors.clear();
        rjsim_clear_journal();
    }

    void dialAndConnect(const QString &number)
    {
        c()->dialOut(number, QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(config());
        QVERIFY(CUserConfigUtils::getUserConfigPath().startsWith(glimora::test::isolatedRoot()));
        QVERIFY(glimora::test::useStandInRingtone());

        QVERIFY(m_acs.start());
        answerAcs(200, tokenAnswer("tok"));

        login()->initRJSdkManagerInstance();
        login()->initialize();
        QVERIFY(sdk());
        connect(sdk(), &CRJSdkManager::eventError, this, [this](rj::engine::RJError err) { m_errors << err; });
        // The call window's part: it hands incoming calls to the controller.
        connect(sdk(), &CRJSdkManager::eventCallIncoming, c(), &CCallController::onCallIncoming);
        connect(c(), &CCallController::sigCallStatusChanged, this, [this](CallStatus status) {
            m_statuses << int(status);
            m_ringing << sdk()->isAudioPlaying();
            m_callTypes << c()->getCallTypes();
        });

        // Signed in as alice; the fixture's port stands for the management server.
        config()->setUseHttps(false);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, m_acs.port(), QStringLiteral("alice"),
                               QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(LoggedIn), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);
        QCOMPARE(int(c()->getCallStatus()), int(Idle));
        QCOMPARE(c()->getCallTypes(), 0);
    }

    void init() { settle(); }

    void cleanupTestCase()
    {
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_acs.stop();
        CRJSdkManager::releaseInstance();
    }

    // The four-argument dial puts "*" and the password before the first "@",
    // or at the end; an empty password adds nothing.
    void dialString_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("dialString");
        QTest::addColumn<QString>("pure");
        QTest::addColumn<QString>("storedPassword");
        QTest::newRow("no password") << "1001" << "" << "1001" << "1001" << "";
        QTest::newRow("password at the end") << "1002" << "1234" << "1002*1234" << "1002" << "1234";
        QTest::newRow("password before the server")
            << "1002@127.0.0.1" << "1234" << "1002*1234@127.0.0.1" << "1002" << "1234";
        QTest::newRow("first @ of two") << "1009@a@b" << "pw" << "1009*pw@a@b" << "1009" << "pw@a";
    }
    void dialString()
    {
        QFETCH(QString, number);
        QFETCH(QString, password);
        QFETCH(QString, dialString);
        QFETCH(QString, pure);
        QFETCH(QString, storedPassword);

        c()->dialOut(number, password, true, QStringLiteral("Meeting"));
        QCOMPARE(dialled(), QStringList{dialString});
        QCOMPARE(c()->getConfNumber(), dialString);
        QCOMPARE(c()->getPureConfNumber(), pure);
        QCOMPARE(c()->getConfPassword(), storedPassword);
        QCOMPARE(c()->getDisplayConfName(), QStringLiteral("Meeting"));
        QCOMPARE(m_statuses.value(0), int(ConfDialing));
    }

    // The meetings of the demo world, from dial to end, with the running
    // meeting in the configuration while the call lasts.
    void dialMeetings_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("connects");
        QTest::addColumn<int>("errorCode");
        QTest::addColumn<QList<int>>("queue");
        QTest::addColumn<bool>("audioOnly");
        QTest::newRow("fixed room") << "8201001" << "" << true << 0 << QList<int>() << false;
        QTest::newRow("password right") << "1002" << "1234" << true << 0 << QList<int>() << false;
        QTest::newRow("password wrong") << "1002" << "9999" << false << 6601 << QList<int>() << false;
        QTest::newRow("password missing") << "1002" << "" << false << 6602 << QList<int>() << false;
        QTest::newRow("queue") << "1003" << "" << true << 0 << QList<int>{3, 2, 1} << false;
        QTest::newRow("audio only") << "1004" << "" << true << 0 << QList<int>() << true;
        QTest::newRow("scheduled") << "1005" << "5678" << false << 4205 << QList<int>() << false;
    }
    void dialMeetings()
    {
        QFETCH(QString, number);
        QFETCH(QString, password);
        QFETCH(bool, connects);
        QFETCH(int, errorCode);
        QFETCH(QList<int>, queue);
        QFETCH(bool, audioOnly);

        QList<int> waits;
        QMetaObject::Connection waitConn =
            connect(c(), &CCallController::sigWaitQueue, this, [&waits](int n) { waits << n; });
        const auto disconnectWaits = qScopeGuard([waitConn]() { QObject::disconnect(waitConn); });
        const QString dialString = password.isEmpty() ? number : number + QLatin1Char('*') + password;

        c()->dialOut(number, password, true, QString());
        QCOMPARE(int(c()->getCallStatus()), int(ConfDialing));
        QVERIFY(config()->getIsConfRunning());
        QCOMPARE(config()->getConfId(), dialString);
        QVERIFY(sdk()->isAudioPlaying());

        if (!connects) {
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
            QCOMPARE(m_statuses, (QList<int>{ConfDialing, ConfEnded}));
            QCOMPARE(int(m_errors.size()), 1);
            QCOMPARE(m_errors[0].code, errorCode);
            QVERIFY(!sdk()->isAudioPlaying());
            QVERIFY(!config()->getIsConfRunning());
            QCOMPARE(config()->getConfId(), QString());
            QVERIFY(!config()->getConfIds().contains(dialString));
            return;
        }

        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(m_statuses, (QList<int>{ConfDialing, ConfConnected}));
        QCOMPARE(waits, queue);
        QCOMPARE(c()->getCallTypes(), 1);
        QVERIFY(!sdk()->isAudioPlaying());
        QCOMPARE(c()->getCallInfo().isAudioOnly, audioOnly);
        // The number the engine reports at connect keeps the dial string.
        QCOMPARE(c()->getConfNumber(), dialString);
        QCOMPARE(c()->getPureConfNumber(), number);
        QCOMPARE(config()->getConfIds().value(0), dialString);
        QVERIFY(config()->getIsConfRunning());
        QCOMPARE(config()->getConfId(), dialString);

        QVERIFY(c()->hangUp());
        QCOMPARE(int(c()->getCallStatus()), int(ConfConnected)); // until the engine ends it
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        QVERIFY(!config()->getIsConfRunning());
        QCOMPARE(config()->getConfId(), QString());
        QCOMPARE(c()->getAcsJsonWebToken(), QString());
        QCOMPARE(c()->getAcsServer(), QString());
        QVERIFY(!c()->hangUp()); // nothing left to end
        QCOMPARE(int(c()->getCallStatus()), int(ConfEnded));
    }

    // People: a point-to-point call rings on at its connect (call type 2)
    // until the peer connects (call type 1); a busy or unanswered peer ends it.
    void dialPeople_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("connects");
        QTest::addColumn<int>("errorCode");
        QTest::addColumn<bool>("audioOnly");
        QTest::newRow("Carol Wu") << "8001" << true << 0 << false;
        QTest::newRow("Erin Park, audio") << "8003" << true << 0 << true;
        QTest::newRow("busy") << "8999" << false << 11 << false;
        QTest::newRow("no answer") << "8998" << false << 12 << false;
    }
    void dialPeople()
    {
        QFETCH(QString, number);
        QFETCH(bool, connects);
        QFETCH(int, errorCode);
        QFETCH(bool, audioOnly);

        c()->dialOut(number, QString(), true, QString());
        if (!connects) {
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
            QCOMPARE(m_statuses, (QList<int>{ConfDialing, ConfEnded}));
            QCOMPARE(m_errors.value(0).code, errorCode);
            QCOMPARE(m_ringing, (QList<bool>{true, false}));
            return;
        }
        // Connected as a point-to-point call; its peer a moment later stops
        // the ring and puts the number into the history, and the call stays
        // what it connected as, announced once.
        QTRY_COMPARE_WITH_TIMEOUT(config()->getConfIds().value(0), number, kWaitMs);
        QCOMPARE(m_statuses, (QList<int>{ConfDialing, ConfConnected}));
        QCOMPARE(m_callTypes.mid(1), (QList<int>{2}));
        QCOMPARE(c()->getCallTypes(), 2);
        QCOMPARE(m_ringing, (QList<bool>{true, true}));
        QVERIFY(!sdk()->isAudioPlaying());
        QCOMPARE(c()->getCallInfo().isAudioOnly, audioOnly);
    }

    // An engine that refuses the dial ends it at once, so the call window
    // closes again and the keys are cleared.
    void refusedDial()
    {
        rjsim_force_result("dialOut", 1, 1);
        c()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QCOMPARE(m_statuses, (QList<int>{ConfDialing, ConfEnded}));
        QVERIFY(!sdk()->isAudioPlaying());
        QVERIFY(!config()->getIsConfRunning());
        QCOMPARE(config()->getConfId(), QString());
    }

    // A second dial while a call runs is not taken for the end of that call.
    void dialDuringCallIgnored()
    {
        dialAndConnect(QStringLiteral("1001"));
        m_statuses.clear();
        rjsim_clear_journal();
        c()->dialOut(QStringLiteral("1004"), QString(), true, QString());
        c()->anonymousJoinConf(QStringLiteral("127.0.0.1"), QStringLiteral("1004"), QString(), QString());
        QVERIFY(dialled().isEmpty());
        QCOMPARE(rjsim_journal_count("registerSIPServer"), 0);
        QVERIFY(m_statuses.isEmpty());
        QCOMPARE(int(c()->getCallStatus()), int(ConfConnected));
        QCOMPARE(c()->getConfNumber(), QStringLiteral("1001"));
        QCOMPARE(int(login()->m_loginStatus), int(LoggedIn));
    }

    // Signed in but not registered: a message box, no dial, no change.
    void notRegisteredRefusal()
    {
        AlertBoxSeam seam(QDialogButtonBox::Yes);
        rjsim_force_result("getRegisterInfo", 5, 1);
        c()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().title, QStringLiteral("Note"));
        QCOMPARE(seam.last().text, QStringLiteral("Not registered to the video service, please try to log in again."));
        QCOMPARE(seam.last().buttons, QDialogButtonBox::StandardButtons(QDialogButtonBox::Yes));
        QCOMPARE(seam.last().defaultButton, QDialogButtonBox::NoButton);
        QVERIFY(seam.last().parent.isNull());
        QVERIFY(dialled().isEmpty());
        QCOMPARE(rjsim_journal_count("startAudioPlay"), 0);
        QVERIFY(m_statuses.isEmpty());
    }

    // An incoming call rings until it is accepted (then connects as a
    // point-to-point call) or declined (then ends).
    void incomingCall_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accept") << true;
        QTest::newRow("decline") << false;
    }
    void incomingCall()
    {
        QFETCH(bool, accept);
        QCOMPARE(rjsim_command("incoming Carol Wu 8001"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfIncoming), kWaitMs);
        QCOMPARE(QByteArray::fromStdString(c()->getCallInfo().peer), QByteArray("Carol Wu"));
        QVERIFY(sdk()->isAudioPlaying());
        QVERIFY(config()->getIsConfRunning());
        if (accept) {
            QVERIFY(c()->acceptCall(false));
            QCOMPARE(QByteArray::fromStdString(rjsim::journalOf("acceptCall").at(0).at(1)), QByteArray("0"));
            QTRY_COMPARE_WITH_TIMEOUT(config()->getConfIds().value(0), QStringLiteral("8001"), kWaitMs);
            QCOMPARE(m_statuses, (QList<int>{ConfIncoming, ConfConnected}));
            QCOMPARE(c()->getCallTypes(), 2);
            QVERIFY(!sdk()->isAudioPlaying());
        } else {
            QVERIFY(c()->declineCall());
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
            QCOMPARE(m_statuses, (QList<int>{ConfIncoming, ConfEnded}));
            QVERIFY(!sdk()->isAudioPlaying());
            QVERIFY(!config()->getIsConfRunning());
        }
        QCOMPARE(rjsim_journal_count("setUserImage"), accept ? 1 : 0);
    }

    // A call's number, password and name go with its end; an incoming call
    // is the caller's number, never the last dial string with its password,
    // in the views, as the running meeting and in the history.
    void incomingAfterDial_data()
    {
        QTest::addColumn<QString>("caller");   // empty: the engine gives no number
        QTest::addColumn<QString>("expected"); // the number while it rings and in the history
        QTest::newRow("caller 8001") << "8001" << "8001";
        QTest::newRow("caller without a number") << "" << "";
    }
    void incomingAfterDial()
    {
        QFETCH(QString, caller);
        QFETCH(QString, expected);
        c()->dialOut(QStringLiteral("1002"), QStringLiteral("1234"), true, QStringLiteral("Budget"));
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(config()->getConfIds().value(0), QStringLiteral("1002*1234"));
        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        QCOMPARE(c()->getConfNumber(), QString());
        QCOMPARE(c()->getPureConfNumber(), QString());
        QCOMPARE(c()->getConfPassword(), QString());
        QCOMPARE(c()->getDisplayConfName(), QString());
        config()->setConfIds({QStringLiteral("1002*1234"), QStringLiteral("1001")});

        if (!caller.isEmpty()) {
            QCOMPARE(rjsim_command(qPrintable(QStringLiteral("incoming Carol Wu ") + caller)), 0);
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfIncoming), kWaitMs);
        } else {
            // An engine that tells no number: the controller's own part.
            rj::engine::RJCallInfo info;
            info.peer = "Carol Wu";
            info.svcCallType = 1;
            c()->onCallIncoming(info);
        }
        QCOMPARE(c()->getConfNumber(), expected);
        QCOMPARE(c()->getConfPassword(), QString());
        QCOMPARE(c()->getDisplayConfName(), expected);
        QCOMPARE(config()->getConfId(), expected);

        if (!caller.isEmpty()) {
            m_statuses.clear();
            QVERIFY(c()->acceptCall(true));
            // Connected, then the peer: the number goes into the history,
            // and the call stays the point-to-point call it connected as,
            // announced once.
            QTRY_COMPARE_WITH_TIMEOUT(config()->getConfIds().value(0), expected, kWaitMs);
            QCOMPARE(m_statuses, QList<int>{ConfConnected});
            QCOMPARE(c()->getCallTypes(), 2);
        } else {
            rj::engine::RJCallInfo info = c()->getCallInfo();
            c()->slotOnCallPeerConnected(info);
            c()->setCallStatus(ConfEnded);
        }
        const QStringList history = config()->getConfIds();
        QCOMPARE(history.count(QStringLiteral("1002*1234")), 1);
        QCOMPARE(history.value(0), expected.isEmpty() ? QStringLiteral("1002*1234") : expected);
    }

    // The engine's content events map to the content-stream status; equal
    // values emit nothing; other stream types change nothing.
    void contentMapping_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("dir");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("expected"); // -1: no change
        QTest::newRow("receiving screen") << true << 1 << 2 << 1;
        QTest::newRow("receiving whiteboard") << true << 1 << 3 << 2;
        QTest::newRow("sending screen") << true << 0 << 2 << 3;
        QTest::newRow("sending whiteboard") << true << 0 << 3 << 4;
        QTest::newRow("video stream") << true << 1 << 1 << -1;
        QTest::newRow("stopped") << false << 1 << 2 << 0;
    }
    void contentMapping()
    {
        QFETCH(bool, enabled);
        QFETCH(int, dir);
        QFETCH(int, type);
        QFETCH(int, expected);

        c()->setContentStreamStatus(ContentStreamStatus_ReceivingContentStarted, "Zed", 7);
        c()->setContentStreamStatus(ContentStreamStatus_None, std::string(), 0);
        QSignalSpy spy(c(), &CCallController::sigContentStreamStatusChanged);
        rj::engine::RJContentInfo info;
        info.enabled = enabled;
        info.dir = dir;
        info.type = type;
        info.senderName = "Dave Li";
        info.senderDeviceId = 42;
        c()->slotOnContent(info);
        if (expected <= 0) {
            QCOMPARE(spy.count(), 0);
            QCOMPARE(int(c()->getContentStreamStatus()), 0);
            return;
        }
        QCOMPARE(spy.count(), 1);
        const auto record = spy.at(0).at(0).value<CContentStreamInfo>();
        QCOMPARE(record.getLastStatus(), 0);
        QCOMPARE(record.getCurrentStatus(), expected);
        QCOMPARE(QByteArray::fromStdString(record.getSenderName()), QByteArray("Dave Li"));
        QCOMPARE(record.getSenderDeviceId(), std::int64_t(42));
        c()->slotOnContent(info);
        QCOMPARE(spy.count(), 1); // same status again: nothing
        c()->setContentStreamStatus(ContentStreamStatus_None, std::string(), 0);
    }

    // In a call: remote content and whiteboard, the reset at connect, and the
    // whiteboard record emitted once more when the token arrives late.
    void contentInCall()
    {
        answerAcs(200, "not json");
        c()->setAcsRequestIntervalMs(30);
        dialAndConnect(QStringLiteral("1001"));
        QList<CContentStreamInfo> records;
        connect(c(), &CCallController::sigContentStreamStatusChanged, this,
                [&records](CContentStreamInfo info) { records << info; });
        const auto disconnectRecords = qScopeGuard([this]() {
            disconnect(c(), &CCallController::sigContentStreamStatusChanged, this, nullptr);
        });

        QCOMPARE(rjsim_command("content start Dave Li"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(records.size(), 1, kWaitMs);
        QCOMPARE(records[0].getCurrentStatus(), int(ContentStreamStatus_ReceivingContentStarted));
        QCOMPARE(QByteArray::fromStdString(records[0].getSenderName()), QByteArray("Dave Li"));
        QCOMPARE(rjsim_command("content stop Dave Li"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(records.size(), 2, kWaitMs);
        QCOMPARE(records[1].getLastStatus(), 1);
        QCOMPARE(records[1].getCurrentStatus(), 0);

        QCOMPARE(rjsim_command("content start whiteboard Erin Park"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(records.size(), 3, kWaitMs);
        QCOMPARE(records[2].getCurrentStatus(), int(ContentStreamStatus_ReceivingWhiteBoardStarted));
        QVERIFY(c()->getAcsJsonWebToken().isEmpty());

        answerAcs(200, tokenAnswer("wb-token"));
        QTRY_COMPARE_WITH_TIMEOUT(records.size(), 4, kWaitMs);
        QCOMPARE(c()->getAcsJsonWebToken(), QStringLiteral("wb-token"));
        QCOMPARE(records[3].getLastStatus(), int(ContentStreamStatus_ReceivingWhiteBoardStarted));
        QCOMPARE(records[3].getCurrentStatus(), int(ContentStreamStatus_ReceivingWhiteBoardStarted));
        QCOMPARE(QByteArray::fromStdString(records[3].getSenderName()), QByteArray("Erin Park"));

        // A new connect of the call resets the status.
        rj::engine::RJCallInfo info = c()->getCallInfo();
        info.svcCallType = 2;
        c()->slotOnCallConnected(info);
        QCOMPARE(records.size(), 5);
        QCOMPARE(records[4].getCurrentStatus(), 0);
        QCOMPARE(c()->getCallTypes(), 3);
        QCOMPARE(int(c()->getCallStatus()), int(ConfConnected));
    }

    // The token is asked for at connect and again at every interval until a
    // JSON answer arrives; errors and other answers are retried.
    void whiteboardTokenRetries()
    {
        answerAcs(500, "{\"error\":1}");
        c()->setAcsRequestIntervalMs(20);
        dialAndConnect(QStringLiteral("1001"));
        QTRY_VERIFY_WITH_TIMEOUT(acsCount() >= 3, kWaitMs);
        answerAcs(200, "<html>busy</html>");
        const int before = acsCount();
        QTRY_VERIFY_WITH_TIMEOUT(acsCount() >= before + 2, kWaitMs);
        QVERIFY(c()->getAcsJsonWebToken().isEmpty());
        // The server's error objects, as it sends them with status 200: one
        // bad answer must not leave the whiteboard without a token.
        for (const QByteArray &error : {QByteArray(R"({"errorCode":1010,"errorInfo":"Invalid token"})"),
                                        QByteArray(R"({"errorCode":"3010"})"), QByteArray("[1, 2]")}) {
            answerAcs(200, error);
            const int sent = acsCount();
            QTRY_VERIFY_WITH_TIMEOUT(acsCount() >= sent + 2, kWaitMs);
            QVERIFY(c()->getAcsJsonWebToken().isEmpty());
        }

        answerAcs(200, tokenAnswer("sim-acs-1"));
        QTRY_COMPARE_WITH_TIMEOUT(c()->getAcsJsonWebToken(), QStringLiteral("sim-acs-1"), kWaitMs);
        QCOMPARE(c()->getAcsServer(), QStringLiteral("http://edge.example:%1").arg(m_acs.port()));
        QTest::qWait(50); // a replaced request may still be on its way
        const int done = acsCount();
        QTest::qWait(150);
        QCOMPARE(acsCount(), done);

        const QUrlQuery query = acsQueries(m_acs).last();
        QCOMPARE(query.queryItemValue(QStringLiteral("token")), QString::fromStdString(login()->m_userInfo.token));
        QCOMPARE(query.queryItemValue(QStringLiteral("confNumericId")), QStringLiteral("1001"));
        QCOMPARE(query.queryItemValue(QStringLiteral("deviceId")), QStringLiteral("800001"));

        // The end of the call forgets token and server.
        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        QCOMPARE(c()->getAcsJsonWebToken(), QString());
        QCOMPARE(c()->getAcsServer(), QString());
    }

    // Only a host name or an address is taken as the whiteboard's edge;
    // anything else falls back to the server the client signed in to.
    void whiteboardEdgeAddress_data()
    {
        QTest::addColumn<QByteArray>("edge");
        QTest::addColumn<QString>("host");
        QTest::newRow("host name") << QByteArray("edge.example") << "edge.example";
        QTest::newRow("IPv4") << QByteArray("10.1.2.3") << "10.1.2.3";
        QTest::newRow("IPv6 bracketed") << QByteArray("fe80::1") << "[fe80::1]";
        QTest::newRow("path and query") << QByteArray("evil.example/x?token=") << "127.0.0.1";
        QTest::newRow("user info") << QByteArray("user@evil.example") << "127.0.0.1";
        QTest::newRow("port") << QByteArray("edge.example:99") << "127.0.0.1";
        QTest::newRow("space") << QByteArray("edge example") << "127.0.0.1";
        QTest::newRow("empty") << QByteArray("") << "127.0.0.1";
        QTest::newRow("label too long") << QByteArray(64, 'a') + ".example" << "127.0.0.1";
        QTest::newRow("leading hyphen") << QByteArray("-edge.example") << "127.0.0.1";
    }
    void whiteboardEdgeAddress()
    {
        QFETCH(QByteArray, edge);
        QFETCH(QString, host);
        answerAcs(200, "{\"acsJsonWebToken\":\"t\",\"externalEdgeIp\":\"" + edge + "\",\"internalEdgeIp\":\""
                           + edge + "\"}");
        c()->setAcsRequestIntervalMs(20);
        dialAndConnect(QStringLiteral("1001"));
        QTRY_COMPARE_WITH_TIMEOUT(c()->getAcsJsonWebToken(), QStringLiteral("t"), kWaitMs);
        QCOMPARE(c()->getAcsServer(), QStringLiteral("http://%1:%2").arg(host).arg(m_acs.port()));
        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
    }

    // An answer far larger than a token is refused and the requests go on.
    void whiteboardAnswerTooLarge()
    {
        answerAcs(200, "{\"acsJsonWebToken\":\"" + QByteArray(20000, 'x') + "\",\"externalEdgeIp\":\"e.example\"}");
        c()->setAcsRequestIntervalMs(20);
        dialAndConnect(QStringLiteral("1001"));
        const int first = acsCount();
        QTRY_VERIFY_WITH_TIMEOUT(acsCount() >= first + 2, kWaitMs);
        QVERIFY(c()->getAcsJsonWebToken().isEmpty());
        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
    }

    // JSON without the members still ends the retries; a call that ends stops
    // them too, and a late answer does not fill in the ended call.
    void whiteboardTokenEnds()
    {
        answerAcs(200, "{}");
        c()->setAcsRequestIntervalMs(20);
        dialAndConnect(QStringLiteral("1001"));
        // No edge named: the whiteboard is reached where the client signed in.
        QTRY_COMPARE_WITH_TIMEOUT(c()->getAcsServer(), QStringLiteral("http://127.0.0.1:%1").arg(m_acs.port()),
                                  kWaitMs);
        QCOMPARE(c()->getAcsJsonWebToken(), QString());
        QTest::qWait(50);
        const int done = acsCount();
        QTest::qWait(120);
        QCOMPARE(acsCount(), done);
        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);

        answerAcs(200, "not json");
        dialAndConnect(QStringLiteral("1001"));
        QTRY_VERIFY_WITH_TIMEOUT(acsCount() >= done + 2, kWaitMs);
        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        answerAcs(200, tokenAnswer("late"));
        QTest::qWait(50);
        const int ended = acsCount();
        QTest::qWait(120);
        QCOMPARE(acsCount(), ended);
        QCOMPARE(c()->getAcsJsonWebToken(), QString());
    }

    // The answer to a request still on its way when the call ends does not
    // fill in token or server, and the call that follows starts without them.
    void whiteboardTokenInFlightAtHangUp()
    {
        constexpr int kDelayMs = 400;
        m_acs.addRoute("GET", QLatin1String(kAcsPath), 200, tokenAnswer("late"), kDelayMs);
        c()->setAcsRequestIntervalMs(60000);
        QSignalSpy records(c(), &CCallController::sigContentStreamStatusChanged);
        dialAndConnect(QStringLiteral("1001"));
        QVERIFY(rjsim_command("content start whiteboard Erin Park") == 0);
        QTRY_COMPARE_WITH_TIMEOUT(acsCount(), 1, kWaitMs);
        QVERIFY(c()->getAcsJsonWebToken().isEmpty());

        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        const int recorded = records.count();
        QTest::qWait(kDelayMs + 200); // past the moment the answer comes
        QCOMPARE(c()->getAcsJsonWebToken(), QString());
        QCOMPARE(c()->getAcsServer(), QString());
        QCOMPARE(records.count(), recorded);
        QCOMPARE(acsCount(), 1);
    }

    // The controller's own log lines (logs go into feedback archives) hold
    // neither the meeting password nor the login token, in any of its steps:
    // dial, connect, token request, history, end.
    void secretsNotLogged()
    {
        static QMutex mutex;
        static QStringList lines;
        static QtMessageHandler previous = nullptr;
        lines.clear();
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (text.contains(QLatin1String("CCallController")) || text.contains(QLatin1String("conf number"))) {
                QMutexLocker lock(&mutex);
                lines << text;
            }
            previous(type, context, text);
        });
        const auto restore = qScopeGuard([] { qInstallMessageHandler(previous); });

        c()->setAcsRequestIntervalMs(20);
        answerAcs(200, tokenAnswer("wb-secret-token"));
        c()->dialOut(QStringLiteral("1002"), QStringLiteral("1234"), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(c()->getAcsJsonWebToken(), QStringLiteral("wb-secret-token"), kWaitMs);
        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);

        const QString loginToken = QString::fromStdString(login()->m_userInfo.token);
        QVERIFY(loginToken.size() > 4);
        QMutexLocker lock(&mutex);
        QVERIFY(lines.size() > 5);
        QVERIFY(lines.join('\n').contains(QLatin1String("requestAcsInfo:")));
        for (const QString &line : qAsConst(lines)) {
            for (const QString &secret : {QStringLiteral("1234"), loginToken, QStringLiteral("wb-secret-token")})
                QVERIFY2(!line.contains(secret), qPrintable(line));
        }
    }

    // Token renewal that fails during a call does not sign the user out.
    void tokenRenewalKeepsCall()
    {
        dialAndConnect(QStringLiteral("1001"));
        rjsim_force_result("getUserInfo", 5, 1);
        login()->updateLoginToken(true);
        QCOMPARE(int(login()->m_loginStatus), int(LoggedIn));
    }

    // The dial string kept when the engine reports the bare number, and the
    // split into number and password.
    void confNumberSplit_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("confNumber");
        QTest::addColumn<QString>("pure");
        QTest::addColumn<QString>("password");
        QTest::newRow("bare number keeps the dial string")
            << "1002*1234@srv" << "1002" << false << "1002*1234@srv" << "1002" << "";
        QTest::newRow("other number replaces") << "1002*1234@srv" << "1001" << false << "1001" << "1001" << "";
        QTest::newRow("two stars, two ats")
            << "" << "12*a*b@c@srv" << true << "12*a*b@c@srv" << "12" << "a*b@c";
        QTest::newRow("server, no password") << "" << "1001@srv" << true << "1001@srv" << "1001" << "";
        QTest::newRow("server before star") << "" << "1001@srv*pw" << true << "1001@srv*pw" << "1001@srv" << "pw";
    }
    void confNumberSplit()
    {
        QFETCH(QString, stored);
        QFETCH(QString, number);
        QFETCH(bool, force);
        QFETCH(QString, confNumber);
        QFETCH(QString, pure);
        QFETCH(QString, password);
        c()->setConfNumber(stored, true);
        c()->setConfNumber(number, force);
        QCOMPARE(c()->getConfNumber(), confNumber);
        QCOMPARE(c()->getPureConfNumber(), pure);
        QCOMPARE(c()->getConfPassword(), password);
    }

    // At most five distinct numbers, newest first; blanks and "unknown" are skipped.
    void history()
    {
        config()->setConfIds({"3", "1", "2", "4", "5"});
        c()->setConfNumber(QStringLiteral("1"), true);
        c()->saveCurrentConfNumber2Config();
        QCOMPARE(config()->getConfIds(), (QStringList{"1", "3", "2", "4", "5"}));
        c()->setConfNumber(QStringLiteral("6"), true);
        c()->saveCurrentConfNumber2Config();
        QCOMPARE(config()->getConfIds(), (QStringList{"6", "1", "3", "2", "4"}));
        for (const QString &skipped : {QStringLiteral("   "), QStringLiteral("unknown@srv")}) {
            c()->setConfNumber(skipped, true);
            c()->saveCurrentConfNumber2Config();
        }
        QCOMPARE(config()->getConfIds(), (QStringList{"6", "1", "3", "2", "4"}));
    }

    // The same status twice is announced and written twice.
    void statusRepeated()
    {
        c()->setConfNumber(QStringLiteral("77"), true);
        c()->setCallStatus(ConfEnded);
        config()->setIsConfRunning(true);
        c()->setCallStatus(ConfEnded);
        QCOMPARE(m_statuses, (QList<int>{ConfEnded, ConfEnded}));
        QVERIFY(!config()->getIsConfRunning());
    }

    // Video windows and switches go to the engine.
    void forwarding()
    {
        QVERIFY(c()->setLocalVideoWindow(WId(0x101)));
        QVERIFY(c()->setRemoteVideoWindow(WId(0x102)));
        QVERIFY(c()->setRemoteContentWindow(WId(0x103)));
        QCOMPARE(rjsim_journal_count("setLocalVideoWindow"), 1);
        QCOMPARE(rjsim_journal_count("setRemoteVideoWindow"), 1);
        QCOMPARE(rjsim_journal_count("setRemoteContentWindow"), 1);
        QVERIFY(c()->enableCamera(false));
        QVERIFY(!c()->isCameraEnabled());
        QVERIFY(c()->enableCamera(true));
        QVERIFY(c()->isCameraEnabled());
        QVERIFY(c()->enableMic(false));
        QVERIFY(!c()->isMicEnabled());
        QVERIFY(c()->enableMic(true));
        QVERIFY(c()->isMicEnabled());
    }

    // After a skipped login: registration from the SIP settings, or anonymous.
    void loginSkipped_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QStringList>("expected"); // domain, name, user, password, protocol
        QTest::newRow("registration, no screen name")
            << true << "" << QStringList{"sip.example", "u1", "u1", "secret", "TCP"};
        QTest::newRow("registration, screen name")
            << true << "Front desk" << QStringList{"sip.example", "Front desk", "u1", "secret", "TCP"};
        QTest::newRow("anonymous") << false << "Front desk" << QStringList{"", "Front desk", "<sn>", "", "TCP"};
        QTest::newRow("anonymous, no name")
            << false << "" << QStringList{"", CGeneralUtils::getLocalIpAddress(), "<sn>", "", "TCP"};
    }
    void loginSkipped()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, screenName);
        QFETCH(QStringList, expected);
        config()->setEnableRegistration(enabled);
        config()->setScreenName(screenName);
        config()->setProxyServerAddress(QStringLiteral("sip.example"));
        config()->setAuthenticationUserName(QStringLiteral("u1"));
        config()->setAuthenticationPassword(QStringLiteral("secret"));
        config()->setTransportProtocol(QStringLiteral("TCP"));
        expected.replaceInStrings(QStringLiteral("<sn>"), config()->getDeviceSn());

        c()->whenLoginSkipped();
        const auto calls = rjsim::journalOf("registerSIPServer");
        QCOMPARE(int(calls.size()), 1);
        QStringList got;
        for (std::size_t i = 1; i < calls[0].size(); ++i)
            got << QString::fromStdString(calls[0][i]);
        QCOMPARE(got, expected);
    }

    // A guest: anonymous registration, the dial with the server, the guest
    // status, and back to not signed in when the call ends. Signs alice out.
    void guestJoin()
    {
        login()->logout();
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(NotLogin), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 0, kWaitMs);
        rjsim_clear_journal();

        c()->anonymousJoinConf(QStringLiteral("127.0.0.1"), QStringLiteral("1002"), QString(), QStringLiteral("1234"));
        const auto reg = rjsim::journalOf("registerSIPServer");
        QCOMPARE(int(reg.size()), 1);
        QCOMPARE(q(reg[0][1]), QByteArray(""));
        QCOMPARE(QString::fromStdString(reg[0][2]), CGeneralUtils::getLocalIpAddress());
        QCOMPARE(QString::fromStdString(reg[0][3]), config()->getDeviceSn());
        QCOMPARE(q(reg[0][4]), QByteArray(""));
        QCOMPARE(q(reg[0][5]), QByteArray("TLS"));
        QCOMPARE(dialled(), QStringList{"1002*1234@127.0.0.1"});
        QCOMPARE(int(login()->m_loginStatus), int(AnonymousLoggingIn));
        QCOMPARE(rjsim_journal_count("getRegisterInfo"), 0); // no check for guests

        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(c()->getPureConfNumber(), QStringLiteral("1002"));
        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        QCOMPARE(int(login()->m_loginStatus), int(NotLogin));
    }
};

GLIMORA_TEST_MAIN(TestCallController)
#include "tst_callcontroller.moc"
