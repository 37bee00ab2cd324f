// The contacts tab and the participant picker against the loopback fixture:
// when the lists are asked for, what the details page offers, adding and
// deleting while the user keeps clicking, and the picker's ticks.

#include "MeetingsTabFixture.h"

#include "support/AlertBoxSeam.h"
#include "support/TestMain.h"

#include "views/meetings/CConferencesSelectuserPage.h"
#include "views/meetings/CContactsAddListmodel.h"
#include "views/meetings/CContactsAddListview.h"
#include "views/meetings/CContactsListmodel.h"
#include "views/meetings/CContactsListview.h"
#include "views/meetings/CContactsWidget.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTimer>

#include <memory>

using glimora::test::AlertBoxSeam;
using glimora::test::HttpFixtureServer;
using rj_app::models::CUCMApiManager;
using namespace rj_app::views;

namespace {

constexpr int kMe = 11;
constexpr int kWaitMs = 5000;
const QString kUsers = QStringLiteral("/api/rest/v2.0/users");
const QString kContacts = QStringLiteral("/api/rest/v2.0/contacts");

QJsonObject user(int id)
{
    return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("displayName"), QStringLiteral("User %1").arg(id)}};
}

QJsonObject contact(int id, int userId)
{
    return QJsonObject{{QStringLiteral("id"), id},
                       {QStringLiteral("name"), QStringLiteral("User %1").arg(userId)},
                       {QStringLiteral("ownerId"), kMe},
                       {QStringLiteral("userId"), userId},
                       {QStringLiteral("userName"), QStringLiteral("user%1").arg(userId)},
                       {QStringLiteral("callNumber"), QStringLiteral("60%1").arg(userId)}};
}

// The row of the contacts list that shows user `userId`, or -1.
int contactRow(CContactsListview *view, int userId)
{
    for (int row = 0; row < view->contactsModel()->rowCount(); ++row) {
        const contactItemData item = view->itemAt(row);
        if (item.type == contactItemData::Contact && item.contact.userId == userId)
            return row;
    }
    return -1;
}

bool directoryAdded(CContactsAddListview *view, int userId)
{
    for (int row = 0; row < view->usersModel()->rowCount(); ++row) {
        if (view->usersModel()->itemAt(row).user.id == userId)
            return view->usersModel()->itemAt(row).added;
    }
    return false;
}

} // namespace

class TestContactsTab : public QObject
{
    Q_OBJECT

    std::unique_ptr<HttpFixtureServer> m_server;

    void serve(const QJsonArray &users, const QJsonArray &contacts)
    {
        m_server->addRoute("GET", kUsers, 200, compact(users));
        m_server->addRoute("GET", kContacts, 200, compact(contacts));
    }

    // Both lists loaded into the REST client and announced.
    void load(const QJsonArray &users, const QJsonArray &contacts)
    {
        serve(users, contacts);
        CContactsWidget::clearContactsCache();
        CUCMApiManager *api = CUCMApiManager::getInstance();
        api->getContacts(m_server->baseUrl(), QStringLiteral("sim-alice-1"));
        api->getUsers(m_server->baseUrl(), QStringLiteral("sim-alice-1"));
        QCoreApplication::processEvents();
        m_server->clearRequests();
    }

private slots:
    void init()
    {
        m_server = std::make_unique<HttpFixtureServer>();
        QVERIFY(m_server->start());
        signInAgainst(*m_server, kMe);
        CContactsWidget::clearContactsCache();
    }

    void cleanup()
    {
        QTest::qWait(0);
        m_server.reset();
        signOut();
    }

    void requestDataAsksOnlyForEmptyLists_data()
    {
        QTest::addColumn<bool>("haveUsers");
        QTest::addColumn<bool>("haveContacts");
        QTest::addColumn<bool>("signedIn");
        QTest::newRow("both empty") << false << false << true;
        QTest::newRow("users held") << true << false << true;
        QTest::newRow("contacts held") << false << true << true;
        QTest::newRow("both held") << true << true << true;
        QTest::newRow("signed out") << false << false << false;
    }

    void requestDataAsksOnlyForEmptyLists()
    {
        QFETCH(bool, haveUsers);
        QFETCH(bool, haveContacts);
        QFETCH(bool, signedIn);
        load(haveUsers ? QJsonArray{user(21)} : QJsonArray{}, haveContacts ? QJsonArray{contact(5, 21)} : QJsonArray{});
        if (!signedIn)
            signOut();
        CContactsWidget tab;
        tab.requestData();
        QTest::qWait(20);
        QCOMPARE(requestsTo(*m_server, "GET", kUsers).size(), int(signedIn && !haveUsers));
        QCOMPARE(requestsTo(*m_server, "GET", kContacts).size(), int(signedIn && !haveContacts));
    }

    void directoryMarksFollowTheContactsAnswer_data()
    {
        QTest::addColumn<bool>("usersFirst");
        QTest::newRow("users answer first") << true;
        QTest::newRow("contacts answer first") << false;
    }

    // Whichever answer comes last, the directory marks exactly the users who
    // are contacts; a later contacts answer also takes a mark away.
    void directoryMarksFollowTheContactsAnswer()
    {
        QFETCH(bool, usersFirst);
        serve(QJsonArray{user(21), user(22), user(23)}, QJsonArray{contact(5, 21), contact(6, 23)});
        CContactsWidget tab;
        CUCMApiManager *api = CUCMApiManager::getInstance();
        const QString base = m_server->baseUrl();
        const QString token = QStringLiteral("sim-alice-1");
        if (usersFirst) {
            api->getUsers(base, token);
            QCoreApplication::processEvents();
            api->getContacts(base, token);
        } else {
            api->getContacts(base, token);
            QCoreApplication::processEvents();
            api->getUsers(base, token);
        }
        QTRY_COMPARE_WITH_TIMEOUT(tab.directoryView()->usersModel()->rowCount(), 3, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(directoryAdded(tab.directoryView(), 21), kWaitMs);
        QVERIFY(!directoryAdded(tab.directoryView(), 22));
        QVERIFY(directoryAdded(tab.directoryView(), 23));

        m_server->addRoute("GET", kContacts, 200, compact(QJsonArray{contact(6, 23)}));
        api->getContacts(base, token);
        QTRY_VERIFY_WITH_TIMEOUT(!directoryAdded(tab.directoryView(), 21), kWaitMs);
        QVERIFY(directoryAdded(tab.directoryView(), 23));
    }

    void showsAskFromTheSecondOn()
    {
        serve(QJsonArray{}, QJsonArray{});   // empty answers stay empty: asked again
        CContactsWidget tab;
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QCOMPARE(m_server->requestCount(), 0);
        tab.hide();
        tab.show();
        QTRY_COMPARE_WITH_TIMEOUT(m_server->requestCount(), 2, kWaitMs);
        emit rj_app::models::CLoginManager::getInstance()->sigLoginTokenChanged();
        QTRY_COMPARE_WITH_TIMEOUT(m_server->requestCount(), 4, kWaitMs);
    }

    void detailsOfferWhatTheEntryAllows()
    {
        CContactsWidget tab;
        load(QJsonArray{user(kMe), user(21)},
             QJsonArray{QJsonObject{{"id", 4}, {"ownerId", kMe}, {"userId", kMe}, {"name", "Alice"}}, contact(5, 21)});
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QCOMPARE(tab.pages()->currentWidget()->objectName(), QStringLiteral("page_info"));
        auto *del = tab.findChild<QPushButton *>("pBt_delete");
        tab.contactsView()->setCurrentIndex(tab.contactsView()->contactsModel()->index(contactRow(tab.contactsView(), kMe), 0));
        QVERIFY(!del->isVisible());
        tab.contactsView()->setCurrentIndex(tab.contactsView()->contactsModel()->index(contactRow(tab.contactsView(), 21), 0));
        QVERIFY(del->isVisible());
        QSignalSpy calls(&tab, &CContactsWidget::sigUCMP2pCall);
        QTest::mouseClick(tab.findChild<QPushButton *>("pBt_audio"), Qt::LeftButton);
        QTest::mouseClick(tab.findChild<QPushButton *>("pBt_video"), Qt::LeftButton);
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls.at(0), (QVariantList{"6021", QString(), true, QString()}));
        QCOMPARE(calls.at(1), (QVariantList{"6021", QString(), false, QString()}));
        tab.contactsView()->setCurrentIndex(tab.contactsView()->contactsModel()->index(0, 0));
        QCOMPARE(tab.pages()->currentWidget()->objectName(), QStringLiteral("page_add"));
    }

    void deleteFollowsTheUserNotTheSelection()
    {
        CContactsWidget tab;
        load(QJsonArray{user(21), user(22)}, QJsonArray{contact(5, 21), contact(6, 22)});
        tab.slot_getUsers_succeed();
        tab.slot_getContacts_succeed();
        CContactsListview *view = tab.contactsView();
        view->setCurrentIndex(view->contactsModel()->index(contactRow(view, 21), 0));
        QVERIFY(directoryAdded(tab.directoryView(), 21));

        m_server->addRoute("DELETE", kContacts + QStringLiteral("/5"), 200, "{}", 300);
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        // The user moves on to the other contact while the request waits.
        QTimer::singleShot(100, view, [view] { view->setCurrentIndex(view->contactsModel()->index(contactRow(view, 22), 0)); });
        tab.slot_deleteContact_begin();
        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().text, QStringLiteral("Sure you want to delete contact?"));
        QCOMPARE(requestsTo(*m_server, "DELETE", kContacts).size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(contactRow(view, 21), -1, kWaitMs);
        QVERIFY(contactRow(view, 22) >= 0);
        QVERIFY(!directoryAdded(tab.directoryView(), 21));
        QVERIFY(directoryAdded(tab.directoryView(), 22));
        const auto saved = CUCMApiManager::getInstance()->getSavedContacts();
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.first().userId, 22);
    }

    void cancelledDeleteSendsNothing()
    {
        CContactsWidget tab;
        load(QJsonArray{user(21)}, QJsonArray{contact(5, 21)});
        tab.slot_getContacts_succeed();
        tab.contactsView()->setCurrentIndex(tab.contactsView()->contactsModel()->index(contactRow(tab.contactsView(), 21), 0));
        AlertBoxSeam seam(QDialogButtonBox::Cancel);
        tab.slot_deleteContact_begin();
        QTest::qWait(50);
        QCOMPARE(seam.count(), 1);
        QCOMPARE(requestsTo(*m_server, "DELETE", kContacts).size(), 0);
        QVERIFY(contactRow(tab.contactsView(), 21) >= 0);
    }

    void oneAnswerRemovesOneSavedContact()
    {
        // The tab and the picker both hear the answer; the user has two entries.
        CContactsWidget tab;
        CConferencesSelectuserPage picker;
        load(QJsonArray{user(21)}, QJsonArray{contact(5, 21), contact(6, 21)});
        tab.slot_getContacts_succeed();
        tab.contactsView()->setCurrentIndex(tab.contactsView()->contactsModel()->index(contactRow(tab.contactsView(), 21), 0));
        m_server->addRoute("DELETE", kContacts + QStringLiteral("/5"), 200, "{}");
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        tab.slot_deleteContact_begin();
        QTest::qWait(20);
        QCOMPARE(CUCMApiManager::getInstance()->getSavedContacts().size(), 1);
    }

    void secondAddWhilePendingIsIgnored()
    {
        CContactsWidget tab;
        load(QJsonArray{user(21)}, QJsonArray{});
        tab.slot_getUsers_succeed();
        m_server->addRoute("POST", kContacts, 200, QJsonDocument(contact(7, 21)).toJson(), 300);
        QTimer::singleShot(100, &tab, [&tab] { tab.slot_addContact_begin(21); });
        tab.slot_addContact_begin(21);
        QCOMPARE(requestsTo(*m_server, "POST", kContacts).size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(directoryAdded(tab.directoryView(), 21), kWaitMs);
        QVERIFY(contactRow(tab.contactsView(), 21) >= 0);
    }

    void pickerMirrorsTicksAndReturnsThem()
    {
        CConferencesSelectuserPage picker;
        CContactsWidget *tab = picker.contactsWidget();
        QVERIFY(tab->isSelectMode());
        load(QJsonArray{user(kMe), user(21), user(22), user(23)}, QJsonArray{contact(5, 22), contact(6, 23)});
        tab->slot_getUsers_succeed();
        tab->slot_getContacts_succeed();

        picker.setSelectedUsers({kMe, 99});
        QCOMPARE(picker.getSelectedUsers(), (QList<int>{kMe, 99}));

        // A contact's tick reaches the directory, a directory tick the contact.
        CContactsListview *contacts = tab->contactsView();
        contacts->slot_selectContactItem(contacts->contactsModel()->index(contactRow(contacts, 22), 0));
        QCOMPARE(picker.getSelectedUsers(), (QList<int>{kMe, 22, 99}));
        CContactsAddListview *directory = tab->directoryView();
        const QModelIndex user23 = directory->proxyModel()->index(3, 0);
        directory->slot_selectUserItem(user23);
        QVERIFY(contacts->itemAt(contactRow(contacts, 23)).selected);
        QCOMPARE(picker.getSelectedUsers(), (QList<int>{kMe, 22, 23, 99}));
        directory->slot_selectUserItem(user23);
        QVERIFY(!contacts->itemAt(contactRow(contacts, 23)).selected);

        // A reloaded directory keeps the choice.
        tab->slot_getUsers_succeed();
        QCOMPARE(picker.getSelectedUsers(), (QList<int>{kMe, 22, 99}));
    }
};

GLIMORA_TEST_MAIN(TestContactsTab)
#include "tst_contactstab.moc"
