// The meetings tab against the loopback fixture: which page each flow leaves
// current, the requests it sends (bodies, ids, confirmations), the polling
// that runs only while the list is on screen, and the cases where a request
// still waits or a newer list has arrived when the user acts again.

#include "MeetingsTabFixture.h"

#include "support/AlertBoxSeam.h"
#include "support/TestMain.h"

#include "views/meetings/CConferencesDetailPage.h"
#include "views/meetings/CConferencesMainPage.h"
#include "views/meetings/CConferencesMyroomPage.h"
#include "views/meetings/CConferencesSchedulePage.h"
#include "views/meetings/CConferencesSelectuserPage.h"
#include "views/meetings/CConferencesWidget.h"
#include "views/meetings/ConferenceType.h"

#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>

#include <memory>

using glimora::test::AlertBoxSeam;
using glimora::test::HttpFixtureServer;
using rj_app::models::CUCMApiManager;
using rj_app::views::CConferencesWidget;

namespace {

constexpr int kMe = 11;
constexpr int kWaitMs = 5000;
const QString kMeetings = QStringLiteral("/api/rest/v2.0/meetings");

QJsonObject meeting(int id, int number, const QString &status, int applicant, const QString &name = QString())
{
    return QJsonObject{{QStringLiteral("id"), id},
                       {QStringLiteral("name"), name.isEmpty() ? QStringLiteral("Meeting %1").arg(id) : name},
                       {QStringLiteral("startTime"), 1767254400000LL + id},
                       {QStringLiteral("duration"), 5400000},
                       {QStringLiteral("numericId"), number},
                       {QStringLiteral("confPassword"), QStringLiteral("12%1").arg(id)},
                       {QStringLiteral("remarks"), QStringLiteral("notes %1").arg(id)},
                       {QStringLiteral("status"), status},
                       {QStringLiteral("users"), QJsonArray{QJsonObject{{QStringLiteral("id"), kMe}},
                                                            QJsonObject{{QStringLiteral("id"), 12}}}},
                       {QStringLiteral("applicant"), QJsonObject{{QStringLiteral("id"), applicant}}}};
}

const QDateTime kNow(QDate(2026, 3, 4), QTime(9, 10));

} // namespace

class TestMeetingsTab : public QObject
{
    Q_OBJECT

    std::unique_ptr<HttpFixtureServer> m_server;
    std::unique_ptr<CConferencesWidget> m_tab;

    QWidget *current() const { return m_tab->stackedWidget()->currentWidget(); }

    // Serves `list` and lets the tab receive it.
    void loadList(const QJsonArray &list)
    {
        m_server->addRoute("GET", kMeetings, 200, compact(list));
        m_tab->slot_tokenChanged();
        // The announcement is queued behind the answer.
        QCoreApplication::processEvents();
        m_server->clearRequests();
    }

private slots:
    void init()
    {
        m_server = std::make_unique<HttpFixtureServer>();
        QVERIFY(m_server->start());
        signInAgainst(*m_server, kMe);
        m_tab = std::make_unique<CConferencesWidget>();
        m_tab->setClock([] { return kNow; });
        m_tab->updateDpi(1);
    }

    void cleanup()
    {
        m_tab.reset();
        QTest::qWait(0);
        m_server.reset();
        signOut();
    }

    // ------------------------------------------------ type and ownership

    void detailsFollowTypeAndOwnership_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("applicant");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("notOwner");
        QTest::newRow("room, running, mine") << 8201000 << "ONGOING" << kMe << int(Fixed) << false;
        QTest::newRow("last room, someone else's") << 8209999 << "" << 12 << int(Fixed) << true;
        QTest::newRow("below rooms, launching") << 8200999 << "LAUNCHING" << kMe << int(Ongoing) << false;
        QTest::newRow("above rooms, ongoing") << 8210000 << "ONGOING" << 12 << int(Ongoing) << true;
        QTest::newRow("lower-case status") << 1001 << "ongoing" << kMe << int(Schedule) << false;
        QTest::newRow("no status") << 1002 << "" << 12 << int(Schedule) << true;
    }

    void detailsFollowTypeAndOwnership()
    {
        QFETCH(int, number);
        QFETCH(QString, status);
        QFETCH(int, applicant);
        QFETCH(int, type);
        QFETCH(bool, notOwner);
        loadList(QJsonArray{meeting(40, 1000, "", kMe), meeting(41, number, status, applicant)});
        QCOMPARE(CUCMApiManager::getInstance()->getSavedConferences().size(), 2);

        m_tab->slot_MeetingDetail_clicked(1);
        QCOMPARE(current(), m_tab->detailPage());
        QCOMPARE(m_tab->detailPage()->type(), type);
        QCOMPARE(m_tab->detailPage()->notOwner(), notOwner);
        QCOMPARE(m_tab->detailPage()->conferenceId(), 41);

        // Rows that do not exist do nothing.
        m_tab->slot_back_clicked();
        m_tab->slot_MeetingDetail_clicked(2);
        m_tab->slot_MeetingDetail_clicked(-1);
        QCOMPARE(current(), m_tab->mainPage());
    }

    // ------------------------------------------------------------ flows

    void scheduleSendsTheFormAndShowsTheList()
    {
        loadList(QJsonArray{});
        m_tab->slot_schedule_clicked();
        QCOMPARE(current(), m_tab->schedulePage());
        QCOMPARE(m_tab->schedulePage()->getParticipants(), QList<int>{kMe});
        QCOMPARE(m_tab->schedulePage()->getTitle(), QStringLiteral("Alice's meeting"));

        m_server->addRoute("POST", kMeetings, 200, R"({"id":90})");
        m_server->clearRequests();
        m_tab->slot_addputConference_begin();
        const auto posts = requestsTo(*m_server, "POST", kMeetings);
        QCOMPARE(posts.size(), 1);
        const QJsonObject body = jsonBody(posts.first());
        QCOMPARE(body.value("name").toString(), QStringLiteral("Alice's meeting"));
        QCOMPARE(qint64(body.value("startTime").toDouble()), m_tab->schedulePage()->getStartTime());
        QVERIFY(qint64(body.value("startTime").toDouble()) >= kNow.toMSecsSinceEpoch());
        QCOMPARE(body.value("duration").toInt(), m_tab->schedulePage()->getDuration());
        QCOMPARE(body.value("userIds").toArray(), QJsonArray{kMe});
        QVERIFY(!body.contains("id"));
        QVERIFY(!body.contains("numericId"));
        // Still the form until the confirmation arrives; then the list, asked for again.
        QCOMPARE(current(), m_tab->schedulePage());
        QTRY_COMPARE_WITH_TIMEOUT(current(), m_tab->mainPage(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(requestsTo(*m_server, "GET", kMeetings).size(), 1, kWaitMs);
    }

    void editSendsIdAndBody()
    {
        loadList(QJsonArray{meeting(40, 1000, "", kMe), meeting(77, 1077, "", kMe, "Weekly")});
        m_tab->slot_Edit_clicked(1);
        QCOMPARE(current(), m_tab->schedulePage());
        QCOMPARE(m_tab->schedulePage()->getMode(), int(CConferencesSchedulePage::EditMeeting));
        QCOMPARE(m_tab->schedulePage()->getTitle(), QStringLiteral("Weekly"));

        m_server->addRoute("PUT", kMeetings + QStringLiteral("/77"), 200, R"({"id":77})");
        m_server->clearRequests();
        m_tab->slot_addputConference_begin();
        const auto puts = requestsTo(*m_server, "PUT", kMeetings);
        QCOMPARE(puts.size(), 1);
        QCOMPARE(puts.first().path, kMeetings + QStringLiteral("/77"));
        const QJsonObject body = jsonBody(puts.first());
        QCOMPARE(body.value("id").toInt(), 77);
        QCOMPARE(body.value("numericId").toInt(), 1077);
        QCOMPARE(body.value("name").toString(), QStringLiteral("Weekly"));
        QCOMPARE(body.value("confPassword").toString(), QStringLiteral("1277"));
        QCOMPARE(body.value("remarks").toString(), QStringLiteral("notes 77"));
        QCOMPARE(body.value("duration").toInt(), 5400000);
        QTRY_COMPARE_WITH_TIMEOUT(current(), m_tab->mainPage(), kWaitMs);
    }

    void deleteAndEndAskFirst_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        const QString del = QStringLiteral("Are you sure to delete meeting?");
        const QString end = QStringLiteral("Are you sure to terminate meeting?");
        const QString one = kMeetings + QStringLiteral("/41");
        const QString stop = kMeetings + QStringLiteral("/42/control/terminate");
        for (int answer : {int(QDialogButtonBox::Ok), int(QDialogButtonBox::Cancel)}) {
            const char *tag = answer == QDialogButtonBox::Ok ? "ok" : "cancel";
            QTest::addRow("row delete, %s", tag) << "rowDelete" << answer << del << QByteArray("DELETE") << one;
            QTest::addRow("row end, %s", tag) << "rowEnd" << answer << end << QByteArray("PUT") << stop;
            QTest::addRow("details delete, %s", tag) << "detailDelete" << answer << del << QByteArray("DELETE") << one;
            QTest::addRow("details end, %s", tag) << "detailEnd" << answer << end << QByteArray("PUT") << stop;
        }
    }

    void deleteAndEndAskFirst()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        loadList(QJsonArray{meeting(41, 1041, "", kMe), meeting(42, 1042, "ONGOING", kMe)});
        m_server->addRoute("DELETE", kMeetings + QStringLiteral("/41"), 200, "{}");
        m_server->addRoute("PUT", kMeetings + QStringLiteral("/42/control/terminate"), 200, "{}");
        QWidget *before = m_tab->mainPage();
        if (action.startsWith("detail")) {
            m_tab->slot_MeetingDetail_clicked(action == "detailDelete" ? 0 : 1);
            before = m_tab->detailPage();
        }
        m_server->clearRequests();

        AlertBoxSeam seam{QDialogButtonBox::StandardButton(answer)};
        if (action == "rowDelete")
            m_tab->slot_DeleteEdit_clicked(0);
        else if (action == "rowEnd")
            m_tab->slot_Delete_clicked(1);
        else if (action == "detailDelete")
            m_tab->slot_Detail_DeleteEdit_clicked(41);
        else
            m_tab->slot_Detail_Delete_clicked(42);

        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().title, QStringLiteral("Note"));
        QCOMPARE(seam.last().text, question);
        if (answer != QDialogButtonBox::Ok) {
            QTest::qWait(50);
            QCOMPARE(m_server->requestCount(), 0);
            QCOMPARE(current(), before);
            return;
        }
        const auto sent = requestsTo(*m_server, method, kMeetings);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().path, path);
        QTRY_COMPARE_WITH_TIMEOUT(current(), m_tab->mainPage(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(requestsTo(*m_server, "GET", kMeetings).size(), 1, kWaitMs);
    }

    void startNowMovesOnlyTheStart()
    {
        loadList(QJsonArray{meeting(41, 1041, "", kMe)});
        m_tab->slot_MeetingDetail_clicked(0);
        m_server->addRoute("PUT", kMeetings + QStringLiteral("/41"), 200, R"({"id":41})");
        m_server->clearRequests();
        AlertBoxSeam seam(QDialogButtonBox::Cancel);
        m_tab->slot_Detail_CallNow_clicked(41);
        QCOMPARE(seam.count(), 0);
        const auto puts = requestsTo(*m_server, "PUT", kMeetings);
        QCOMPARE(puts.size(), 1);
        const QJsonObject body = jsonBody(puts.first());
        QCOMPARE(qint64(body.value("startTime").toDouble()), kNow.toMSecsSinceEpoch());
        QCOMPARE(body.value("duration").toInt(), 5400000);
        QCOMPARE(body.value("id").toInt(), 41);
        QCOMPARE(body.value("numericId").toInt(), 1041);
        QCOMPARE(body.value("userIds").toArray(), (QJsonArray{kMe, 12}));
        QCOMPARE(body.value("name").toString(), QStringLiteral("Meeting 41"));
        QCOMPARE(current(), m_tab->detailPage());
        QTRY_COMPARE_WITH_TIMEOUT(current(), m_tab->mainPage(), kWaitMs);

        // A meeting that left the list does nothing.
        m_tab->slot_MeetingDetail_clicked(0);
        m_server->clearRequests();
        m_tab->slot_Detail_CallNow_clicked(999);
        m_tab->slot_Detail_ConfJoin_clicked(999);
        QTest::qWait(50);
        QCOMPARE(m_server->requestCount(), 0);
        QCOMPARE(current(), m_tab->detailPage());
    }

    void joinsCarryNumberAndPassword()
    {
        loadList(QJsonArray{meeting(41, 1041, "ONGOING", kMe)});
        QSignalSpy joins(m_tab.get(), &CConferencesWidget::sigZOVJoinConf);
        m_tab->slot_Join_clicked(0);
        m_tab->slot_join_clicked();
        m_tab->slot_MeetingDetail_clicked(0);
        m_tab->slot_Detail_ConfJoin_clicked(41);
        QCOMPARE(current(), m_tab->mainPage());
        m_tab->slot_Myroom_ConfJoin_clicked(QStringLiteral("8201011"));
        QCOMPARE(joins.size(), 4);
        QCOMPARE(joins.at(0), (QVariantList{"1041", "1241", false, QString()}));
        QCOMPARE(joins.at(1), (QVariantList{QString(), QString(), false, QString()}));
        QCOMPARE(joins.at(2), (QVariantList{"1041", "1241", false, QString()}));
        QCOMPARE(joins.at(3), (QVariantList{"8201011", QString(), false, QString()}));
        QCOMPARE(m_tab->mainPage()->roomNumber(), QStringLiteral("8201011"));
    }

    // ---------------------------------------------------------- polling

    void pollsOnlyWhileTheListIsOnScreen()
    {
        loadList(QJsonArray{meeting(41, 1041, "", kMe)});
        m_tab->setRefreshInterval(40);
        QVERIFY(!m_tab->refreshTimer().isActive());
        m_server->clearRequests();

        m_tab->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tab.get()));
        QVERIFY(m_tab->refreshTimer().isActive());
        QVERIFY(!m_tab->refreshTimer().isSingleShot());
        // The first show sends nothing by itself; the ticks do.
        QTRY_VERIFY_WITH_TIMEOUT(requestsTo(*m_server, "GET", kMeetings).size() >= 2, kWaitMs);

        m_tab->slot_MeetingDetail_clicked(0);
        QTest::qWait(60);
        m_server->clearRequests();
        QTest::qWait(200);
        QCOMPARE(m_server->requestCount(), 0);
        QCOMPARE(current(), m_tab->detailPage());

        m_tab->hide();
        QVERIFY(!m_tab->refreshTimer().isActive());
        m_tab->slot_back_clicked();
        QTest::qWait(200);
        QCOMPARE(m_server->requestCount(), 0);

        // A later show asks at once and returns to the list, also from the form.
        m_tab->slot_schedule_clicked();
        m_tab->setRefreshInterval(60000);
        m_tab->show();
        QCOMPARE(current(), m_tab->mainPage());
        QTRY_COMPARE_WITH_TIMEOUT(requestsTo(*m_server, "GET", kMeetings).size(), 1, kWaitMs);
    }

    void pollingErrorsAreBackgroundUserErrorsAreNot()
    {
        loadList(QJsonArray{meeting(41, 1041, "", kMe)});
        QList<bool> background;
        connect(CUCMApiManager::getInstance(), &CUCMApiManager::signal_ucmapi_error, m_tab.get(),
                [&](int, const QString &, bool fromRefresh) { background.append(fromRefresh); });
        m_server->addRoute("GET", kMeetings, 502, "");
        m_tab->slot_updatePage();
        QTRY_COMPARE_WITH_TIMEOUT(background.size(), 1, kWaitMs);
        QCOMPARE(background.last(), true);
        QTRY_VERIFY_WITH_TIMEOUT(m_tab->mainPage()->isListLoadFailed(), kWaitMs);

        m_server->addRoute("DELETE", kMeetings + QStringLiteral("/41"), 200, R"({"errorCode":1005})");
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        m_tab->slot_DeleteEdit_clicked(0);
        QTRY_COMPARE_WITH_TIMEOUT(background.size(), 2, kWaitMs);
        QCOMPARE(background.last(), false);
        disconnect(CUCMApiManager::getInstance(), &CUCMApiManager::signal_ucmapi_error, m_tab.get(), nullptr);
    }

    // ------------------------------------------- waiting and shifted rows

    void secondSubmitWhileWaitingIsIgnored()
    {
        loadList(QJsonArray{});
        m_tab->slot_schedule_clicked();
        m_server->addRoute("POST", kMeetings, 200, R"({"id":90})", 300);
        m_server->clearRequests();
        QTimer::singleShot(100, m_tab.get(), [this] { m_tab->slot_addputConference_begin(); });
        m_tab->slot_addputConference_begin();
        QTest::qWait(100);
        QCOMPARE(requestsTo(*m_server, "POST", kMeetings).size(), 1);

        // Once answered, the form may be sent again.
        m_tab->slot_schedule_clicked();
        m_tab->slot_addputConference_begin();
        QCOMPARE(requestsTo(*m_server, "POST", kMeetings).size(), 2);
    }

    void rowActionsFollowTheRowShown()
    {
        loadList(QJsonArray{meeting(41, 1041, "", kMe), meeting(42, 1042, "", kMe)});
        // A newer list is parsed, but the rows are rebuilt only when its
        // announcement is handled; the user acts on the rows on screen.
        m_server->addRoute("GET", kMeetings, 200,
                           compact(QJsonArray{meeting(40, 1040, "", kMe), meeting(41, 1041, "", kMe),
                                              meeting(42, 1042, "", kMe)}));
        CUCMApiManager::getInstance()->getConferences(m_server->baseUrl(), QStringLiteral("sim-alice-1"));
        QCOMPARE(CUCMApiManager::getInstance()->getSavedConferences().first().id, 40);

        m_server->addRoute("DELETE", kMeetings + QStringLiteral("/41"), 200, "{}");
        m_server->addRoute("DELETE", kMeetings + QStringLiteral("/40"), 200, "{}");
        m_server->clearRequests();
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QSignalSpy joins(m_tab.get(), &CConferencesWidget::sigZOVJoinConf);
        m_tab->slot_Join_clicked(1);
        m_tab->slot_DeleteEdit_clicked(0);
        QCOMPARE(joins.size(), 1);
        QCOMPARE(joins.first().first().toString(), QStringLiteral("1042"));
        const auto deletes = requestsTo(*m_server, "DELETE", kMeetings);
        QCOMPARE(deletes.size(), 1);
        QCOMPARE(deletes.first().path, kMeetings + QStringLiteral("/41"));
    }

    // ---------------------------------------------------------- picker

    void pickerTicksAndOk()
    {
        loadList(QJsonArray{});
        m_tab->slot_schedule_clicked();
        emit m_tab->schedulePage()->signal_adduser_clicked({kMe, 31});
        QCOMPARE(current(), m_tab->selectuserPage());
        // The directory is not loaded: the ids are carried through unchanged.
        QCOMPARE(m_tab->selectuserPage()->getSelectedUsers(), (QList<int>{kMe, 31}));
        emit m_tab->selectuserPage()->signal_back_clicked();
        QCOMPARE(current(), m_tab->schedulePage());
        QCOMPARE(m_tab->schedulePage()->getParticipants(), QList<int>{kMe});
        emit m_tab->schedulePage()->signal_adduser_clicked({kMe, 31});
        emit m_tab->selectuserPage()->signal_ok_clicked();
        QCOMPARE(current(), m_tab->schedulePage());
        QCOMPARE(m_tab->schedulePage()->getParticipants(), (QList<int>{kMe, 31}));
    }

    void scaleReachesEveryPage()
    {
        m_tab->updateDpi(0);
        QCOMPARE(m_tab->scale(), 1.0);
        m_tab->updateDpi(2);
        QCOMPARE(m_tab->scale(), 2.0);
        QCOMPARE(m_tab->selectuserPage()->fStretchFactor, 2.0);
        QCOMPARE(m_tab->stackedWidget()->count(), 6);
        QCOMPARE(m_tab->stackedWidget()->indexOf(m_tab->selectuserPage()), 5);
    }
};

GLIMORA_TEST_MAIN(TestMeetingsTab)
#include "tst_meetingstab.moc"
