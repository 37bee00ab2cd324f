// A second start's messages that reach the first instance after its login
// window shows but before the engine exists: the window is raised, the last
// valid join URL is kept, and the delayed first show joins it once the engine
// is up. The call controller, made before the engine, follows the engine once
// it exists, so this and later calls connect. Without the engine the models'
// engine calls fail quietly.

#include "support/StandInRingtone.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "rjsim_control.h"

using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::models::CUrlJoinConfArgsParser;
using rj_app::views::CLoginDlg;
using rj_app::views::CMainDlgManager;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;

// The numbers the engine was asked to dial, in order.
QStringList dialled()
{
    QStringList numbers;
    for (const auto &fields : rjsim::journalOf("dialOut"))
        numbers << QString::fromStdString(fields.size() > 1 ? fields[1] : std::string());
    return numbers;
}

} // namespace

class TestHandover : public QObject
{
    Q_OBJECT

    CCallController *call() { return CCallController::getInstance(); }
    CMainDlgManager *mgr() { return CMainDlgManager::getInstance(); }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        mgr()->setExitFunction([](int code) { qWarning("exit(%d) asked", code); });
        QVERIFY(!CRJSdkManager::getInstance());
    }

    void cleanupTestCase()
    {
        if (CCallController::isInCall(call()->getCallStatus())) {
            call()->hangUp();
            QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        CLoginDlg::getInstance()->hide();
        CRJSdkManager::releaseInstance();
    }

    // Before the engine exists (and after the exit released it) the models'
    // engine calls report failure and change nothing.
    void engineCallsWithoutTheFacade()
    {
        QVERIFY(!CRJSdkManager::getInstance());
        CCallController *controller = call();
        QVERIFY(!controller->hangUp());
        QVERIFY(!controller->acceptCall(true));
        QVERIFY(!controller->declineCall());
        QVERIFY(!controller->enableMic(false));
        QVERIFY(!controller->isCameraEnabled());
        QVERIFY(!controller->repaintVideo());
        controller->playSound();
        controller->stopSound();
        controller->dialOut(QStringLiteral("1001"), QString(), true, QString());
        controller->anonymousJoinConf(QString(), QStringLiteral("1001"), QString(), QString());
        QCOMPARE(int(controller->getCallStatus()), int(Idle));

        CLoginManager *login = CLoginManager::getInstance();
        login->onLoggingInFailed(true);
        login->logout();
        login->updateLoginToken(false);
        QCOMPARE(int(login->m_loginStatus), int(NotLogin));
        QCOMPARE(rjsim_journal_count(nullptr), 0);
    }

    // A handed-over message is logged with its join password hidden,
    // whether it parses or not.
    void handedOverMessagesLogNoPassword()
    {
        static QStringList s_lines;
        s_lines.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &line) { s_lines << line; });
        for (const char *message :
             {"--url=glimora://joinmeeting/1004/0/Pw-0815", "--url=glimora://joinmeeting/1004/1/Pw-0815/10.0.0.5",
              "--url=brondal://127.0.0.1/joinmeeting/1004/0/Pw-0815", "glimora://joinmeeting/1004/0/Pw-0815",
              "--url=brondal://127.0.0.1/joinmeeting/1004/0/Pw-0815/",
              "--url=glimora://joinmeeting/1004/0/Pw-0815\rPw-0815", "brondal://127.0.0.1/joinmeeting/1004/1/Pw-0815",
              "--url=GLIMORA://JOINMEETING/1004/0/Pw-0815"})
            mgr()->receiveDuplicatedAppMessage(QString::fromLatin1(message));
        qInstallMessageHandler(previous);
        CUrlJoinConfArgsParser::getInstance()->clear();
        const QString log = s_lines.join(QLatin1Char('\n'));
        QVERIFY2(log.contains(QLatin1String("receiveDuplicatedAppMessage")), qPrintable(log));
        QVERIFY2(log.contains(QLatin1String("joinmeeting/1004/0/***")), qPrintable(log));
        QVERIFY2(!log.contains(QLatin1String("Pw-0815")), qPrintable(log));
        QVERIFY(!CRJSdkManager::getInstance());
    }

    // Messages between the first show and the engine: "Activate" and a
    // broken URL only raise the window; of two join URLs the later one is
    // kept. Nothing reaches the engine until it exists; then the kept join is
    // dialled once and connects.
    void joinHandedOverBeforeTheEngine()
    {
        // A view made early may already have asked for the controller.
        QCOMPARE(int(call()->getCallStatus()), int(Idle));

        CLoginDlg *dlg = CLoginDlg::getInstance();
        dlg->show();
        const QStringList messages{QStringLiteral("Activate"), QStringLiteral("--url=glimora://joinmeeting"),
                                   QStringLiteral("--url=glimora://joinmeeting/1004/0/NO"),
                                   QStringLiteral("--url=glimora://joinmeeting/1001/0/NO")};
        for (const QString &message : messages) {
            mgr()->receiveDuplicatedAppMessage(message);
            QVERIFY2(!CRJSdkManager::getInstance(), qPrintable(message));
            QCOMPARE(int(call()->getCallStatus()), int(Idle));
            QCOMPARE(int(CLoginManager::getInstance()->m_loginStatus), int(NotLogin));
        }
        CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
        QCOMPARE(parser->m_iJoinConfProtocol, int(rj_app::models::UrlJoinConfProtocol_Sip));
        QCOMPARE(parser->m_qstrConfNumber, QStringLiteral("1001"));
        QVERIFY(dlg->isVisible());

        QTRY_VERIFY_WITH_TIMEOUT(CRJSdkManager::getInstance(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(dialled(), QStringList{QStringLiteral("1001@")});
        QCOMPARE(parser->m_iJoinConfProtocol, int(rj_app::models::UrlJoinConfProtocol_None));
    }

    // After that call ends, the next handed-over join connects as well.
    void laterJoinConnects()
    {
        QVERIFY(call()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfEnded), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(int(CLoginManager::getInstance()->m_loginStatus), int(NotLogin), kWaitMs);
        rjsim_clear_journal();

        mgr()->receiveDuplicatedAppMessage(QStringLiteral("--url=glimora://joinmeeting/1004/1/NO"));
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(dialled(), QStringList{QStringLiteral("1004@")});
    }
};

GLIMORA_TEST_MAIN(TestHandover)
#include "tst_handover.moc"
