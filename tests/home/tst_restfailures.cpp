// A REST request that gets no readable answer (refused, TLS failure, time-out,
// garbage) as the home window meets it: what a person asked for is prompted
// once with "Server unreachable"; a background refresh prompts nothing, and
// its list says that it could not be loaded until a refresh succeeds.

#include "HomeTestEnv.h"

#include "support/AlertBoxSeam.h"
#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include "views/meetings/CConferencesDetailPage.h"
#include "views/meetings/CConferencesListWidget.h"
#include "views/meetings/CConferencesMainPage.h"
#include "views/meetings/CConferencesSchedulePage.h"
#include "views/meetings/CConferencesWidget.h"
#include "views/meetings/CContactsListview.h"
#include "views/meetings/CContactsWidget.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTimer>

#include <memory>

using glimora::test::AlertBoxSeam;
using glimora::test::HttpFixtureServer;
using home_test::kWaitMs;
using rj_app::models::CUCMApiManager;
using rj_app::views::CConferencesWidget;
using rj_app::views::CContactsWidget;
using rj_app::views::CHomeDlg;

namespace {

const QString kUnreachable = QStringLiteral("Server unreachable");

struct Route
{
    QByteArray method;
    QString path;
    QByteArray body;
};

// What the server holds when it answers: one meeting, two contacts, the
// directory; and an empty answer to every change.
QList<Route> goodRoutes(int ownerId)
{
    const QByteArray owner = QByteArray::number(ownerId);
    return {
        {"GET", "/api/rest/v2.0/meetings",
         R"([{"id":33,"numericId":1001,"name":"Weekly sync","startTime":4102444800000,"duration":3600000,)"
         R"("applicant":{"id":)" + owner + "}}]"},
        {"GET", "/api/rest/v2.0/contacts",
         R"([{"id":5,"userId":12,"name":"Carol Wu","ownerId":)" + owner + R"(},)"
         R"({"id":6,"userId":13,"name":"Dave Li","ownerId":)" + owner + "}]"},
        {"GET", "/api/rest/v2.0/users", R"([{"id":12,"name":"Carol Wu"},{"id":13,"name":"Dave Li"}])"},
        {"GET", "/api/rest/v2.0/users/" + QString::number(ownerId), "{}"},
        {"POST", "/api/rest/v2.0/meetings", "{}"},
        {"PUT", "/api/rest/v2.0/meetings/33", "{}"},
        {"DELETE", "/api/rest/v2.0/meetings/33", "{}"},
        {"PUT", "/api/rest/v2.0/meetings/33/control/terminate", "{}"},
        {"POST", "/api/rest/v2.0/contacts", "{}"},
        {"DELETE", "/api/rest/v2.0/contacts/5", "{}"},
    };
}

// A port on which nothing listens.
quint16 closedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void drainEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestRestFailures : public QObject
{
    Q_OBJECT

    home_test::Env m_env;
    std::unique_ptr<HttpFixtureServer> m_server;

    CHomeDlg *home() { return CHomeDlg::getInstance(); }
    CConferencesWidget *meetings() { return home()->conferencesWidget(); }
    CContactsWidget *contacts() { return home()->contactsWidget(); }
    int ownUserId() { return int(m_env.login()->m_userInfo.userId); }

    // The REST client reads prefix and token from the sign-in at each request.
    void pointRestAt(quint16 port, bool https)
    {
        m_env.login()->m_qstrServerHostName = QStringLiteral("127.0.0.1");
        m_env.login()->m_iPort = port;
        rj_app::helpers::CUserConfigUtils::getInstance()->setUseHttps(https);
    }

    void serve(int delayMs, bool garbage)
    {
        m_server->clearRoutes();
        for (const Route &route : goodRoutes(ownUserId()))
            m_server->addRoute(route.method, route.path, 200, garbage ? QByteArray("<html>busy</html>") : route.body,
                               delayMs);
    }

    // The server answers again, and both lists are asked for afresh.
    void recover()
    {
        pointRestAt(m_server->port(), false);
        serve(0, false);
        meetings()->slot_tokenChanged();
        CContactsWidget::clearContactsCache();
        contacts()->slot_tokenChanged();
        drainEvents();
    }

    // Does what a person (or the refresh) does for `op`.
    void perform(const QString &op)
    {
        CUCMApiManager *api = CUCMApiManager::getInstance();
        if (op == "schedule") {
            meetings()->slot_schedule_clicked();
            meetings()->slot_addputConference_begin();
        } else if (op == "edit") {
            meetings()->slot_Edit_clicked(0);
            meetings()->slot_addputConference_begin();
        } else if (op == "delete meeting") {
            meetings()->slot_DeleteEdit_clicked(0);
        } else if (op == "end meeting") {
            meetings()->slot_Delete_clicked(0);
        } else if (op == "add contact") {
            contacts()->slot_addContact_begin(13);
        } else if (op == "delete contact") {
            rj_app::views::CContactsListview *view = contacts()->contactsView();
            view->setCurrentIndex(view->model()->index(3, 0));
            contacts()->slot_deleteContact_begin();
        } else if (op == "rename") {
            // After the engine renamed the user, the directory entry is fetched.
            api->getUser(m_env.login()->getUrlPrefix(), m_env.login()->getToken(), QString::number(ownUserId()));
        } else if (op == "meeting list refresh") {
            meetings()->slot_updatePage();
        } else if (op == "contact list refresh") {
            CContactsWidget::clearContactsCache();
            contacts()->requestData();
        } else {
            QFAIL(qPrintable(op));
        }
        drainEvents();
    }

    // REST requests the server received (the web pages ask for others).
    int restRequests(const QString &path = QStringLiteral("/api/rest/"))
    {
        int count = 0;
        for (const auto &request : m_server->requests())
            count += request.path.startsWith(path) ? 1 : 0;
        return count;
    }

    // The lists as the refresh left them: failed, or showing their rows.
    bool meetingListFailed() { return meetings()->mainPage()->isListLoadFailed(); }
    bool contactListFailed() { return !contacts()->contactsStateLabel()->isHidden(); }
    bool directoryFailed() { return !contacts()->directoryStateLabel()->isHidden(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_env.start());
        m_env.signIn(false);
        QTRY_VERIFY_WITH_TIMEOUT(meetings() && contacts(), kWaitMs);
    }

    void init()
    {
        m_server = std::make_unique<HttpFixtureServer>();
        QVERIFY(m_server->start());
        // Answers that come must count on a busy machine; only the time-out
        // rows wait briefly.
        CUCMApiManager::getInstance()->setRequestTimeout(kWaitMs);
        recover();
        QCOMPARE(meetings()->mainPage()->listWidget()->count(), 1);
        QVERIFY(!meetingListFailed() && !contactListFailed() && !directoryFailed());
    }

    void cleanup()
    {
        m_server.reset();
        pointRestAt(m_env.plain.serverPort(), false);
    }

    // A server that refuses every token: the first refusal renews once, and
    // as the renewal brings back the same token it fails and the polling
    // stops. What the person does is still asked, with at most one renewal a
    // minute, and never takes them off the page they are on.
    void refusedTokenIsNotRenewedInALoop()
    {
        m_server->clearRoutes();
        for (const Route &route : goodRoutes(ownUserId()))
            m_server->addRoute(route.method, route.path, 200, R"({"errorCode":1010,"errorInfo":"Invalid token"})");
        qint64 now = 5000000;
        m_env.login()->setClock([&now] { return now; });
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        rjsim_clear_journal();
        m_server->clearRequests();

        // Four ticks of the list's polling, 15 s apart.
        for (int tick = 0; tick < 4; ++tick) {
            if (tick > 0)
                now += 15000;
            meetings()->slot_updatePage();
            drainEvents();
        }
        QCOMPARE(rjsim_journal_count("getUserInfo"), 1);
        QCOMPARE(restRequests(), 1);
        QVERIFY(m_env.login()->isTokenRefused());

        // The person opens a meeting, then looks at the contacts twice: 45 s
        // after the renewal, and a minute later.
        meetings()->slot_MeetingDetail_clicked(0);
        QWidget *details = meetings()->detailPage();
        QCOMPARE(meetings()->stackedWidget()->currentWidget(), details);
        for (int visit = 0; visit < 2; ++visit) {
            CContactsWidget::clearContactsCache();
            contacts()->requestData();
            drainEvents();
            QCOMPARE(rjsim_journal_count("getUserInfo"), 1 + visit);
            now += 60000;
        }
        QCOMPARE(restRequests(), 5);
        QCOMPARE(meetings()->stackedWidget()->currentWidget(), details);
        QCOMPARE(m_env.login()->m_loginStatus, rj_app::enums::LoggedIn);
        QCOMPARE(seam.count(), 0);

        // A renewal that does bring a new token asks for the list again,
        // still without leaving the meeting's details.
        serve(0, false);
        m_server->clearRequests();
        m_env.login()->m_userInfo.token = "sim-alice-expired";
        m_env.login()->updateLoginToken(true);
        drainEvents();
        QVERIFY(!m_env.login()->isTokenRefused());
        QTRY_COMPARE_WITH_TIMEOUT(restRequests("/api/rest/v2.0/meetings"), 1, kWaitMs);
        QCOMPARE(meetings()->stackedWidget()->currentWidget(), details);
        m_env.login()->setClock({});
    }

    // The list's own polling on its timer, over three minutes of the renewal
    // clock, against a server that refuses every token: one request, one
    // renewal, then nothing more from either tab until the token changes;
    // and after that change one request again, with no second renewal inside
    // the minute. The person stays on the page they are on.
    void pollingStopsAfterAFailedRenewal()
    {
        QVERIFY(meetings()->isVisible());
        QCOMPARE(meetings()->stackedWidget()->currentWidget(), static_cast<QWidget *>(meetings()->mainPage()));
        m_server->clearRoutes();
        for (const Route &route : goodRoutes(ownUserId()))
            m_server->addRoute(route.method, route.path, 200, R"({"errorCode":1010,"errorInfo":"Invalid token"})");
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        rjsim_clear_journal();
        m_server->clearRequests();

        // Each tick of the timer stands for the list's 15 s: the renewal
        // clock runs that much faster than the real one.
        constexpr int kTickMs = 20;
        constexpr qint64 kClockStart = 9000000;
        QElapsedTimer real;
        real.start();
        m_env.login()->setClock([&real] { return kClockStart + real.elapsed() * (15000 / kTickMs); });
        meetings()->setRefreshInterval(kTickMs);
        auto restore = qScopeGuard([this] {
            meetings()->setRefreshInterval(15000);
            m_env.login()->setClock({});
        });
        const auto runFor = [&real](qint64 clockMs) {
            const qint64 until = real.elapsed() + clockMs / (15000 / kTickMs);
            while (real.elapsed() < until)
                QTest::qWait(kTickMs / 4);
        };

        runFor(3 * 60000);
        QCOMPARE(restRequests(), 1);
        QCOMPARE(rjsim_journal_count("getUserInfo"), 1);
        QVERIFY(m_env.login()->isTokenRefused());
        QCOMPARE(meetings()->stackedWidget()->currentWidget(), static_cast<QWidget *>(meetings()->mainPage()));

        // A new token (the engine's next login, say) is asked with once; the
        // server refuses it too, and the renewal it asks for waits for its
        // minute: the tabs are silent again.
        m_server->clearRequests();
        m_env.login()->m_userInfo.token = "sim-alice-expired";
        m_env.login()->updateLoginToken(true);
        QCOMPARE(rjsim_journal_count("getUserInfo"), 2);
        runFor(30000);
        QCOMPARE(restRequests(), 1);
        QCOMPARE(rjsim_journal_count("getUserInfo"), 2);
        QVERIFY(m_env.login()->isTokenRefused());
        QCOMPARE(meetings()->stackedWidget()->currentWidget(), static_cast<QWidget *>(meetings()->mainPage()));
        QCOMPARE(m_env.login()->m_loginStatus, rj_app::enums::LoggedIn);
        QCOMPARE(seam.count(), 0);
    }

    void errorsBelongToTheirRequest_data()
    {
        QTest::addColumn<bool>("personFails"); // else the refresh fails
        QTest::newRow("the person's error while the refresh waits") << true;
        QTest::newRow("the refresh's error while the person's request waits") << false;
    }

    // Whether an error is prompted depends on the request that received it,
    // not on what else waits at that moment.
    void errorsBelongToTheirRequest()
    {
        QFETCH(bool, personFails);
        const QString meetingsPath = QStringLiteral("/api/rest/v2.0/meetings");
        const Route list = goodRoutes(ownUserId()).constFirst();
        m_server->clearRoutes();
        if (personFails) {
            m_server->addRoute("GET", meetingsPath, 200, list.body, 300);
            m_server->addRoute("DELETE", meetingsPath + "/33", 200, R"({"errorCode":3070})");
        } else {
            m_server->addRoute("GET", meetingsPath, 200, R"({"errorCode":1999})");
            m_server->addRoute("DELETE", meetingsPath + "/33", 200, "{}", 300);
        }
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        bool nestedDone = false;
        // The second request starts while the first one waits.
        QTimer::singleShot(50, meetings(), [&] {
            if (personFails)
                meetings()->slot_DeleteEdit_clicked(0);
            else
                meetings()->slot_updatePage();
            nestedDone = true;
        });
        if (personFails)
            meetings()->slot_updatePage();
        else
            meetings()->slot_DeleteEdit_clicked(0);
        QTRY_VERIFY_WITH_TIMEOUT(nestedDone, kWaitMs);
        drainEvents();
        QStringList expected{QStringLiteral("Are you sure to delete meeting?")};
        if (personFails)
            expected << QStringLiteral("The meeting has ended or has been deleted(3070).");
        QCOMPARE(seam.texts(), expected);
    }

    void unreachableServer_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("question"); // asked before the request; empty: none
        QTest::addColumn<bool>("background");
        const struct
        {
            const char *op;
            const char *question;
            bool background;
        } ops[] = {
            {"schedule", "", false},
            {"edit", "", false},
            {"delete meeting", "Are you sure to delete meeting?", false},
            {"end meeting", "Are you sure to terminate meeting?", false},
            {"add contact", "", false},
            {"delete contact", "Sure you want to delete contact?", false},
            {"rename", "", false},
            {"meeting list refresh", "", true},
            {"contact list refresh", "", true},
        };
        for (const char *failure : {"refused", "tls", "time-out", "unreadable"}) {
            for (const auto &op : ops) {
                QTest::addRow("%s, %s", op.op, failure)
                    << QString::fromLatin1(op.op) << QString::fromLatin1(failure) << QString::fromLatin1(op.question)
                    << op.background;
            }
        }
    }

    void unreachableServer()
    {
        QFETCH(QString, op);
        QFETCH(QString, failure);
        QFETCH(QString, question);
        QFETCH(bool, background);

        if (failure == "refused") {
            pointRestAt(closedPort(), false);
        } else if (failure == "tls") {
            pointRestAt(m_server->port(), true); // TLS to a plain HTTP server
        } else if (failure == "time-out") {
            serve(2000, false);
            CUCMApiManager::getInstance()->setRequestTimeout(50);
        } else {
            serve(0, true);
        }

        AlertBoxSeam seam(QDialogButtonBox::Ok);
        perform(op);
        QStringList expected;
        if (!question.isEmpty())
            expected << question;
        if (!background)
            expected << kUnreachable;
        QCOMPARE(seam.texts(), expected);

        if (op == "meeting list refresh")
            QVERIFY(meetingListFailed());
        if (op == "contact list refresh")
            QVERIFY(contactListFailed() && directoryFailed());

        CUCMApiManager::getInstance()->setRequestTimeout(kWaitMs);
        recover();
        QCOMPARE(seam.texts(), expected);
        QVERIFY(!meetingListFailed() && !contactListFailed() && !directoryFailed());
        QCOMPARE(meetings()->mainPage()->listWidget()->count(), 1);
        QVERIFY(meetings()->mainPage()->listWidget()->isVisibleTo(meetings()->mainPage()));
    }
};

GLIMORA_TEST_MAIN(TestRestFailures)

#include "tst_restfailures.moc"
