#include "models/CLinguist.h"
#include "models/CUCMApiManager.h"
#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QSignalSpy>
#include <QTimer>

#include <functional>
#include <memory>

using glimora::test::CapturedRequest;
using glimora::test::HttpFixtureServer;
using rj_app::models::CUCMApiManager;

namespace {

const QString kToken = QStringLiteral("sim-alice-1");

using Call = std::function<void(CUCMApiManager &, const QString &, const QString &)>;

ucmconferenceReqData sampleRequest()
{
    ucmconferenceReqData req;
    req.name = QStringLiteral("Weekly sync");
    req.startTime = 1767261600000LL;
    req.duration = 3600000;
    req.confPassword = QStringLiteral("1234");
    req.remarks = QStringLiteral("agenda");
    req.userIds = {3, 4};
    req.id = 77;
    req.numericId = 1001;
    return req;
}

// One named operation with fixed arguments, so table rows can name it.
Call operation(const QString &name)
{
    if (name == "getUsers")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.getUsers(p, t); };
    if (name == "getUser")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.getUser(p, t, "17"); };
    if (name == "getContacts")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.getContacts(p, t); };
    if (name == "postContact")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.postContact(p, t, 12); };
    if (name == "deleteContact")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.deleteContact(p, t, "5", "12"); };
    if (name == "getConferences")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.getConferences(p, t); };
    if (name == "postConference")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.postConference(p, t, sampleRequest()); };
    if (name == "putConference")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.putConference(p, t, sampleRequest()); };
    if (name == "deleteConference")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.deleteConference(p, t, "33"); };
    if (name == "terminateConference")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.terminateConference(p, t, "33"); };
    if (name == "getParticipants")
        return [](CUCMApiManager &m, const QString &p, const QString &t) { m.getParticipants(p, t, "44"); };
    qFatal("unknown operation");
    return {};
}

QByteArray signalSignature(const QByteArray &name)
{
    return QByteArray::number(QSIGNAL_CODE) + name + "()";
}

QJsonObject parseObject(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object();
}

} // namespace

class TestUcmApiManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<HttpFixtureServer> m_server;
    std::unique_ptr<CUCMApiManager> m_api;

    QString prefix() const { return m_server->baseUrl(); }

    // Lets queued signals of a finished call arrive.
    static void drainEvents()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        m_server = std::make_unique<HttpFixtureServer>();
        QVERIFY(m_server->start());
        m_api = std::make_unique<CUCMApiManager>();
        m_api->setRequestTimeout(3000);
    }

    void cleanup()
    {
        m_api.reset();
        m_server.reset();
    }

    void operations_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("joinMode");      // expected "joinMode" query item, or empty
        QTest::addColumn<QByteArray>("expectedBody"); // JSON the body must equal; empty: no body
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("signalName");

        const QByteArray contactBody = R"({"id":-1,"name":"","userId":12,"email":"","telephone":"","cellphone":""})";
        const QByteArray postBody = R"({"name":"Weekly sync","startTime":1767261600000,"duration":3600000,
            "confPassword":"1234","remarks":"agenda","userIds":[3,4]})";
        const QByteArray putBody = R"({"id":77,"numericId":1001,"name":"Weekly sync","startTime":1767261600000,
            "duration":3600000,"confPassword":"1234","remarks":"agenda","userIds":[3,4]})";

        QTest::newRow("getUsers") << "getUsers" << QByteArray("GET") << "/api/rest/v2.0/users" << ""
                                  << QByteArray() << QByteArray("[]") << QByteArray("signal_getUsers_succeed");
        QTest::newRow("getUser") << "getUser" << QByteArray("GET") << "/api/rest/v2.0/users/17" << ""
                                 << QByteArray() << QByteArray(R"({"id":17})") << QByteArray("signal_getUser_succeed");
        QTest::newRow("getContacts") << "getContacts" << QByteArray("GET") << "/api/rest/v2.0/contacts" << ""
                                     << QByteArray() << QByteArray("[]") << QByteArray("signal_getContacts_succeed");
        QTest::newRow("postContact") << "postContact" << QByteArray("POST") << "/api/rest/v2.0/contacts" << ""
                                     << contactBody << QByteArray(R"({"id":5,"userId":12})")
                                     << QByteArray("signal_addContact_succeed");
        QTest::newRow("deleteContact") << "deleteContact" << QByteArray("DELETE") << "/api/rest/v2.0/contacts/5" << ""
                                       << QByteArray() << QByteArray("{}")
                                       << QByteArray("signal_deleteContact_succeed");
        QTest::newRow("getConferences") << "getConferences" << QByteArray("GET") << "/api/rest/v2.0/meetings"
                                        << "TOVAN" << QByteArray() << QByteArray("[]")
                                        << QByteArray("signal_getConferences_succeed");
        QTest::newRow("postConference") << "postConference" << QByteArray("POST") << "/api/rest/v2.0/meetings" << ""
                                        << postBody << QByteArray(R"({"id":78})")
                                        << QByteArray("signal_addConference_succeed");
        QTest::newRow("putConference") << "putConference" << QByteArray("PUT") << "/api/rest/v2.0/meetings/77" << ""
                                       << putBody << QByteArray(R"({"id":77})")
                                       << QByteArray("signal_putConference_succeed");
        QTest::newRow("deleteConference") << "deleteConference" << QByteArray("DELETE")
                                          << "/api/rest/v2.0/meetings/33" << "" << QByteArray() << QByteArray("{}")
                                          << QByteArray("signal_deleteConference_succeed");
        QTest::newRow("terminateConference") << "terminateConference" << QByteArray("PUT")
                                             << "/api/rest/v2.0/meetings/33/control/terminate" << ""
                                             << QByteArray() << QByteArray("{}")
                                             << QByteArray("signal_terminateConference_succeed");
        QTest::newRow("getParticipants") << "getParticipants" << QByteArray("GET")
                                         << "/api/rest/v2.0/meetings/44/simpleparticipants" << "" << QByteArray()
                                         << QByteArray("[]") << QByteArray("signal_getParticipants_succeed");
    }

    // Each operation sends its request and announces success only after the
    // call has returned.
    void operations()
    {
        QFETCH(QString, op);
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(QString, joinMode);
        QFETCH(QByteArray, expectedBody);
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, signalName);

        m_server->addRoute(method, path, 200, answer);
        QSignalSpy success(m_api.get(), signalSignature(signalName).constData());
        QSignalSpy error(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        QVERIFY(success.isValid());

        operation(op)(*m_api, prefix(), kToken);

        QCOMPARE(m_server->requestCount(), 1);
        const CapturedRequest req = m_server->lastRequest();
        QCOMPARE(req.method, method);
        QCOMPARE(req.path, path);
        QCOMPARE(req.query.queryItemValue("token"), kToken);
        QCOMPARE(req.query.queryItemValue("joinMode"), joinMode);
        QCOMPARE(req.query.queryItems().size(), joinMode.isEmpty() ? 1 : 2);
        QCOMPARE(req.header("Content-Type"), QByteArray("application/json;charset=UTF-8"));
        if (expectedBody.isEmpty()) {
            QVERIFY(req.body.isEmpty());
        } else {
            QCOMPARE(parseObject(req.body), parseObject(expectedBody));
            QCOMPARE(req.header("Content-Length"), QByteArray::number(req.body.size()));
        }

        drainEvents();
        QCOMPARE(success.count(), 1);
        QCOMPARE(error.count(), 0);
    }

    void blankTokenSendsNothing_data()
    {
        QTest::addColumn<QString>("op");
        for (const char *op : {"getUsers", "getUser", "getContacts", "postContact", "deleteContact", "getConferences",
                               "postConference", "putConference", "deleteConference", "terminateConference",
                               "getParticipants"})
            QTest::newRow(op) << QString::fromLatin1(op);
    }

    void blankTokenSendsNothing()
    {
        QFETCH(QString, op);
        QSignalSpy error(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        operation(op)(*m_api, prefix(), QStringLiteral("  \t"));
        drainEvents();
        QCOMPARE(m_server->requestCount(), 0);
        QCOMPARE(error.count(), 0);
    }

    // Ids and tokens cannot add query items or path segments.
    void queryAndPathValuesAreEncoded()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/meetings", 200, "[]");
        m_server->addRoute("GET", "/api/rest/v2.0/users/1?x=2 #/3", 200, "{}");
        const QString token = QStringLiteral("a&joinMode=EVIL+b c#d");
        m_api->getConferences(prefix(), token);
        m_api->getUser(prefix(), token, QStringLiteral("1?x=2 #/3"));
        QCOMPARE(m_server->requestCount(), 2);

        const auto reqs = m_server->requests();
        QCOMPARE(reqs[0].query.queryItemValue("token"), token);
        QCOMPARE(reqs[0].query.allQueryItemValues("joinMode"), QStringList{"TOVAN"});
        QCOMPARE(reqs[1].query.queryItemValue("token"), token);
        QCOMPARE(reqs[1].query.queryItems().size(), 1);
        QVERIFY2(reqs[1].rawTarget.startsWith("/api/rest/v2.0/users/1%3Fx%3D2%20%23%2F3?token="),
                 qPrintable(reqs[1].rawTarget));
    }

    void requestBodies()
    {
        ucmconferenceReqData req = sampleRequest();
        const QJsonObject withoutId = parseObject(CUCMApiManager::getConferenceJson(req));
        QCOMPARE(withoutId.keys().size(), 6);
        QVERIFY(!withoutId.contains("id"));
        QVERIFY(!withoutId.contains("numericId"));
        QCOMPARE(withoutId.value("startTime").toVariant().toLongLong(), 1767261600000LL);
        QCOMPARE(withoutId.value("userIds").toArray(), QJsonArray({3, 4}));

        const QJsonObject withId = parseObject(CUCMApiManager::getConferenceJsonWithId(req));
        QCOMPARE(withId.keys().size(), 8);
        QCOMPARE(withId.value("id").toInt(), 77);
        QCOMPARE(withId.value("numericId").toInt(), 1001);

        // Written in the indented form.
        QVERIFY(CUCMApiManager::getContactJson(12).contains("\n    "));
        const QJsonObject contact = parseObject(CUCMApiManager::getContactJson(12));
        QCOMPARE(contact, QJsonObject({{"id", -1}, {"name", ""}, {"userId", 12}, {"email", ""},
                                       {"telephone", ""}, {"cellphone", ""}}));
    }

    void usersAreParsed()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/users", 200, R"([
            1,
            {"id":3,"name":"alice","password":"p","displayName":"Alice Chen","email":"a@x","telephone":"t",
             "cellphone":"c","description":"d","callNumber":"8000","imageURL":"/userFiles/a.jpg",
             "lastModifiedTime":"123","systemmanager":true,"vmr":"8201001","sipUserName":"su","sipAuthName":"sa",
             "sipPassword":"sp","status":2,"passwordModifiedByUser":true,"company":9,"companyShortName":"G",
             "endpointId":11},
            {"id":7.5,"imageURL":"","lastModifiedTime":41.6,"systemmanager":"yes"},
            {"id":"7","status":null}
        ])");
        QSignalSpy success(m_api.get(), SIGNAL(signal_getUsers_succeed()));
        m_api->getUsers(prefix(), kToken);
        drainEvents();
        QCOMPARE(success.count(), 1);

        const QList<ucmuserData> &users = m_api->getSavedUsers();
        QCOMPARE(users.size(), 3);
        const ucmuserData &a = users[0];
        QCOMPARE(a.id, 3);
        QCOMPARE(a.name, "alice");
        QCOMPARE(a.password, "p");
        QCOMPARE(a.displayName, "Alice Chen");
        QCOMPARE(a.email, "a@x");
        QCOMPARE(a.telephone, "t");
        QCOMPARE(a.cellphone, "c");
        QCOMPARE(a.description, "d");
        QCOMPARE(a.callNumber, "8000");
        QCOMPARE(a.imageURL, prefix() + "/userFiles/a.jpg");
        QCOMPARE(a.lastModifiedTime, 123u);
        QCOMPARE(a.systemmanager, true);
        QCOMPARE(a.vmr, "8201001");
        QCOMPARE(a.sipUserName, "su");
        QCOMPARE(a.sipAuthName, "sa");
        QCOMPARE(a.sipPassword, "sp");
        QCOMPARE(a.status, 2);
        QCOMPARE(a.passwordModifiedByUser, true);
        QCOMPARE(a.company, 9);
        QCOMPARE(a.companyShortName, "G");
        QCOMPARE(a.endpointId, 11);

        QCOMPARE(users[1].id, 0);                 // 7.5 is not whole
        QCOMPARE(users[1].imageURL, prefix());
        QCOMPARE(users[1].lastModifiedTime, 42u);  // nearest integer
        QCOMPARE(users[1].systemmanager, false);
        QCOMPARE(users[2].id, 0);                 // a string is no number
        QCOMPARE(users[2].imageURL, prefix());

        // The meta type carries the record through a QVariant.
        QCOMPARE(QByteArray(QMetaType::typeName(qMetaTypeId<ucmuserData>())), QByteArray("ucmuserData"));
        QCOMPARE(QByteArray(QMetaType::typeName(qMetaTypeId<ucmcontactData>())), QByteArray("ucmcontactData"));
        QCOMPARE(QVariant::fromValue(a).value<ucmuserData>().displayName, "Alice Chen");
    }

    void singleUserUpdatesDirectoryEntry()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/users", 200, R"([{"id":3,"displayName":"Old"},{"id":4}])");
        m_api->getUsers(prefix(), kToken);
        QCOMPARE(m_api->getSavedUsers().size(), 2);

        m_server->addRoute("GET", "/api/rest/v2.0/users/3", 200, R"({"id":3,"displayName":"New"})");
        m_api->getUser(prefix(), kToken, "3");
        QCOMPARE(m_api->getCurrentUser().displayName, "New");
        QCOMPARE(m_api->getSavedUsers()[0].displayName, "New");

        m_server->addRoute("GET", "/api/rest/v2.0/users/9", 200, R"({"id":9,"displayName":"Stranger"})");
        m_api->getUser(prefix(), kToken, "9");
        QCOMPARE(m_api->getCurrentUser().id, 9);
        QCOMPARE(m_api->getSavedUsers().size(), 2);
        QCOMPARE(m_api->getSavedUsers()[1].id, 4);
    }

    void contactsAreParsedAddedAndRemoved()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/contacts", 200, R"([1, {"id":5,"userId":20}])");
        QSignalSpy got(m_api.get(), SIGNAL(signal_getContacts_succeed()));
        m_api->getContacts(prefix(), kToken);
        QCOMPARE(m_api->getSavedContacts().size(), 1);
        QCOMPARE(m_api->getSavedContacts()[0].id, 5);
        QCOMPARE(m_api->getSavedContacts()[0].imageURL, prefix());

        m_server->addRoute("POST", "/api/rest/v2.0/contacts", 200, R"({"id":6,"name":"Carol Wu","ownerId":3,
            "email":"e","telephone":"t","cellphone":"c","userId":12,"lastModifiedTime":7,"userName":"carol",
            "h323ConfNumber":"h","sipConfNumber":"s","pstn":"p","callNumber":"8001",
            "imageURL":"/userFiles/c.jpg","status":"online"})");
        QSignalSpy added(m_api.get(), SIGNAL(signal_addContact_succeed()));
        m_api->postContact(prefix(), kToken, 12);
        const ucmcontactData &c = m_api->getAddedContact();
        QCOMPARE(c.id, 6);
        QCOMPARE(c.name, "Carol Wu");
        QCOMPARE(c.ownerId, 3);
        QCOMPARE(c.email, "e");
        QCOMPARE(c.telephone, "t");
        QCOMPARE(c.cellphone, "c");
        QCOMPARE(c.userId, 12);
        QCOMPARE(c.lastModifiedTime, 7u);
        QCOMPARE(c.userName, "carol");
        QCOMPARE(c.h323ConfNumber, "h");
        QCOMPARE(c.sipConfNumber, "s");
        QCOMPARE(c.pstn, "p");
        QCOMPARE(c.callNumber, "8001");
        QCOMPARE(c.imageURL, prefix() + "/userFiles/c.jpg");
        QCOMPARE(c.status, "online");
        QCOMPARE(m_api->getSavedContacts().size(), 2);
        QCOMPARE(m_api->getSavedContacts()[1].userId, 12);

        // The contact is deleted by its id; its user id is kept for removeContact.
        m_server->addRoute("DELETE", "/api/rest/v2.0/contacts/6", 200, "{}");
        QSignalSpy deleted(m_api.get(), SIGNAL(signal_deleteContact_succeed()));
        m_api->deleteContact(prefix(), kToken, "6", "12");
        QCOMPARE(m_server->lastRequest().path, "/api/rest/v2.0/contacts/6");
        QCOMPARE(m_api->getDeletingContactId(), "12");
        m_api->removeContact(m_api->getDeletingContactId().toInt());
        QCOMPARE(m_api->getSavedContacts().size(), 1);
        QCOMPARE(m_api->getSavedContacts()[0].userId, 20);
        m_api->removeContact(99);
        QCOMPARE(m_api->getSavedContacts().size(), 1);

        // An empty array empties the list and still succeeds.
        m_server->addRoute("GET", "/api/rest/v2.0/contacts", 200, "[]");
        m_api->getContacts(prefix(), kToken);
        QVERIFY(m_api->getSavedContacts().isEmpty());
        drainEvents();
        QCOMPARE(got.count(), 2);
        QCOMPARE(added.count(), 1);
        QCOMPARE(deleted.count(), 1);
    }

    // Each list is emptied by its own call, and only that list.
    void clearSavedLists_data()
    {
        QTest::addColumn<bool>("users");
        QTest::newRow("users") << true;
        QTest::newRow("contacts") << false;
    }
    void clearSavedLists()
    {
        QFETCH(bool, users);
        m_server->addRoute("GET", "/api/rest/v2.0/users", 200, R"([{"id":3},{"id":4}])");
        m_server->addRoute("GET", "/api/rest/v2.0/contacts", 200, R"([{"id":5,"userId":3},{"id":6,"userId":4}])");
        m_api->getUsers(prefix(), kToken);
        m_api->getContacts(prefix(), kToken);
        QCOMPARE(m_api->getSavedUsers().size(), 2);
        QCOMPARE(m_api->getSavedContacts().size(), 2);

        if (users)
            m_api->clearSavedUsers();
        else
            m_api->clearSavedContacts();
        QCOMPARE(m_api->getSavedUsers().size(), users ? 0 : 2);
        QCOMPARE(m_api->getSavedContacts().size(), users ? 2 : 0);
    }

    void conferencesAndParticipantsAreParsed()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/meetings", 200, R"([
            {"id":1,"name":"Weekly sync","startTime":900.7,"duration":3600000,"numericId":1001,"confPassword":"pw",
             "remarks":"r","status":"ONGOING","users":[{"id":3},{"id":4},9],
             "applicant":{"id":3,"name":"alice","displayName":"Alice Chen"}},
            {"id":2,"startTime":-900.7},
            "skip me"
        ])");
        m_api->getConferences(prefix(), kToken);
        const QList<ucmconferenceData> &list = m_api->getSavedConferences();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].id, 1);
        QCOMPARE(list[0].name, "Weekly sync");
        QCOMPARE(list[0].startTime, 900);
        QCOMPARE(list[0].duration, 3600000);
        QCOMPARE(list[0].numericId, 1001);
        QCOMPARE(list[0].confPassword, "pw");
        QCOMPARE(list[0].remarks, "r");
        QCOMPARE(list[0].status, "ONGOING");
        QCOMPARE(list[0].users, QList<int>({3, 4}));
        QCOMPARE(list[0].applicantId, 3);
        QCOMPARE(list[0].applicantName, "alice");
        QCOMPARE(list[0].applicantDisplayName, "Alice Chen");
        QCOMPARE(list[1].startTime, -900);
        QVERIFY(list[1].users.isEmpty());
        QCOMPARE(list[1].applicantId, 0);
        QVERIFY(list[1].applicantName.isEmpty());

        m_server->addRoute("GET", "/api/rest/v2.0/meetings/44/simpleparticipants", 200,
                           R"([{"userId":12,"name":"Carol Wu","videoMode":true,"sipUserName":"s","halfDuplex":true,
                               "userLastModifiedTime":1700000000123}])");
        m_api->getParticipants(prefix(), kToken, "44");
        const QList<ucmparticipantData> &parts = m_api->getSavedParticipants();
        QCOMPARE(parts.size(), 1);
        QCOMPARE(parts[0].userId, 12);
        QCOMPARE(parts[0].name, "Carol Wu");
        QCOMPARE(parts[0].videoMode, true);
        QCOMPARE(parts[0].avatarUrl, prefix() + "/userFiles/avatar/12.jpg?v=" + kToken);
        QCOMPARE(parts[0].sipUserName, "s");
        QCOMPARE(parts[0].halfDuplex, true);
        QCOMPARE(parts[0].userLastModifiedTime, 1700000000123LL);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<int>("errorCode");   // -1: no error signal
        QTest::addColumn<QString>("errorText");

        QTest::newRow("known code") << "deleteConference" << 200 << QByteArray(R"({"errorCode":1010})") << false
                                    << 1010 << "Invalid token(%1).";
        QTest::newRow("unknown code") << "deleteConference" << 200
                                      << QByteArray(R"({"errorCode":42,"errorInfo":"bad"})") << false << 42
                                      << "bad(%1)";
        QTest::newRow("code not a number") << "getUser" << 200
                                           << QByteArray(R"({"errorCode":"1010","errorInfo":"odd"})") << false << 0
                                           << "odd(%1)";
        QTest::newRow("code with HTTP error") << "putConference" << 400
                                              << QByteArray(R"({"errorCode":3010,"errorInfo":"x"})") << false
                                              << 3010 << "Meeting does not exist(%1).";
        QTest::newRow("list answer object") << "getConferences" << 200 << QByteArray(R"({"errorInfo":"oops"})")
                                            << false << 0 << "oops(%1)";
        // A success of the wrong shape is an error with a readable text.
        const QString unreadable = QStringLiteral("The server's answer could not be read.");
        QTest::newRow("list answer empty object") << "getUsers" << 200 << QByteArray("{}") << false << 200 << unreadable;
        QTest::newRow("list answer scalar") << "getContacts" << 200 << QByteArray("42") << false << 200 << unreadable;
        QTest::newRow("list answer null") << "getParticipants" << 200 << QByteArray("null") << false << 200
                                          << unreadable;
        QTest::newRow("list answer empty body") << "getConferences" << 200 << QByteArray() << false << 200
                                                << unreadable;
        QTest::newRow("object answer scalar") << "postConference" << 200 << QByteArray(R"("ok")") << false << 200
                                              << unreadable;
        QTest::newRow("object answer true") << "putConference" << 201 << QByteArray("true") << false << 201
                                            << unreadable;
        QTest::newRow("object answer blanks") << "postContact" << 200 << QByteArray(" \r\n") << false << 200
                                              << unreadable;
        QTest::newRow("HTTP 500 empty body") << "deleteConference" << 500 << QByteArray() << false << 500
                                             << "Internal Server Error(%1)";
        QTest::newRow("HTTP 500 empty object") << "deleteConference" << 500 << QByteArray("{}") << false << 500
                                               << "Internal Server Error(%1)";
        QTest::newRow("HTTP 403 array") << "getContacts" << 403 << QByteArray("[]") << false << 403
                                        << "Forbidden(%1)";
        QTest::newRow("HTTP 204 empty") << "deleteConference" << 204 << QByteArray() << false << 204 << unreadable;
        QTest::newRow("empty object") << "deleteConference" << 200 << QByteArray("{}") << true << -1 << "";
        QTest::newRow("object answer is array") << "getUser" << 200 << QByteArray("[1,2]") << false << 200
                                                << unreadable;
        QTest::newRow("object answer is empty array") << "terminateConference" << 200 << QByteArray("[]") << false
                                                      << 200 << unreadable;
        QTest::newRow("malformed object") << "postConference" << 200 << QByteArray(R"({"id":)") << false << -1 << "";
        QTest::newRow("malformed list") << "getParticipants" << 200 << QByteArray("[{]") << false << -1 << "";
        QTest::newRow("not json") << "terminateConference" << 200 << QByteArray("<html>ok</html>") << false << -1
                                  << "";
    }

    void errors()
    {
        QFETCH(QString, op);
        QFETCH(int, status);
        QFETCH(QByteArray, answer);
        QFETCH(bool, succeeds);
        QFETCH(int, errorCode);
        QFETCH(QString, errorText);

        for (const QByteArray method : {"GET", "POST", "PUT", "DELETE"}) {
            for (const char *path : {"/api/rest/v2.0/users", "/api/rest/v2.0/users/17", "/api/rest/v2.0/contacts",
                                     "/api/rest/v2.0/meetings", "/api/rest/v2.0/meetings/33",
                                     "/api/rest/v2.0/meetings/77", "/api/rest/v2.0/meetings/33/control/terminate",
                                     "/api/rest/v2.0/meetings/44/simpleparticipants"})
                m_server->addRoute(method, path, status, answer);
        }

        QSignalSpy error(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        int successes = 0;
        const QMetaObject *mo = m_api->metaObject();
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
            const QMetaMethod m = mo->method(i);
            if (m.methodType() == QMetaMethod::Signal && m.name().endsWith("_succeed"))
                connect(m_api.get(), m, this, metaObject()->method(metaObject()->indexOfSlot("countSuccess()")));
        }
        m_successes = 0;
        operation(op)(*m_api, prefix(), kToken);
        QCOMPARE(m_server->requestCount(), 1);
        drainEvents();
        successes = m_successes;

        QCOMPARE(successes, succeeds ? 1 : 0);
        if (errorCode < 0) {
            QCOMPARE(error.count(), 0);
        } else {
            QCOMPARE(error.count(), 1);
            QCOMPARE(error[0][0].toInt(), errorCode);
            QCOMPARE(error[0][1].toString(), errorText);
        }
    }

    // A failed or unreadable list answer keeps the previous list.
    void failedRefreshKeepsList()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/meetings", 200, R"([{"id":1},{"id":2}])");
        m_api->getConferences(prefix(), kToken);
        QCOMPARE(m_api->getSavedConferences().size(), 2);
        for (const QByteArray &bad : {QByteArray("[{"), QByteArray(R"({"errorCode":1999})"), QByteArray()}) {
            m_server->addRoute("GET", "/api/rest/v2.0/meetings", 200, bad);
            m_api->getConferences(prefix(), kToken);
            QCOMPARE(m_api->getSavedConferences().size(), 2);
        }
    }

    void timeoutAbortsAndReportsUnreachable()
    {
        m_api->setRequestTimeout(100);
        QCOMPARE(m_api->requestTimeout(), 100);
        m_server->addRoute("GET", "/api/rest/v2.0/meetings", 200, R"([{"id":1}])", 10000);
        QSignalSpy success(m_api.get(), SIGNAL(signal_getConferences_succeed()));
        QSignalSpy error(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        QSignalSpy unreachable(m_api.get(), SIGNAL(signal_ucmapi_unreachable()));

        QElapsedTimer clock;
        clock.start();
        m_api->getConferences(prefix(), kToken);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        drainEvents();
        QCOMPARE(success.count(), 0);
        QCOMPARE(error.count(), 0);
        QCOMPARE(unreachable.count(), 1);
        QVERIFY(m_api->getSavedConferences().isEmpty());

        // The busy flag is cleared: the next refresh is sent.
        m_api->getConferences(prefix(), kToken);
        QCOMPARE(m_server->requestCount(), 2);
    }

    // No readable answer, for every operation: one unreachable report, no
    // error and no success; its receivers learn whether a background refresh
    // failed, and a failed list refresh says so by its own signal.
    void transportFailures_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("background");
        QTest::addColumn<QByteArray>("failedSignal"); // empty: none
        const struct
        {
            const char *op;
            const char *method;
            const char *path;
            bool background;
            const char *failedSignal;
        } ops[] = {
            {"getUsers", "GET", "/api/rest/v2.0/users", true, "signal_getUsers_failed"},
            {"getUser", "GET", "/api/rest/v2.0/users/17", false, ""},
            {"getContacts", "GET", "/api/rest/v2.0/contacts", true, "signal_getContacts_failed"},
            {"postContact", "POST", "/api/rest/v2.0/contacts", false, ""},
            {"deleteContact", "DELETE", "/api/rest/v2.0/contacts/5", false, ""},
            {"getConferences", "GET", "/api/rest/v2.0/meetings", true, "signal_getConferences_failed"},
            {"postConference", "POST", "/api/rest/v2.0/meetings", false, ""},
            {"putConference", "PUT", "/api/rest/v2.0/meetings/77", false, ""},
            {"deleteConference", "DELETE", "/api/rest/v2.0/meetings/33", false, ""},
            {"terminateConference", "PUT", "/api/rest/v2.0/meetings/33/control/terminate", false, ""},
            {"getParticipants", "GET", "/api/rest/v2.0/meetings/44/simpleparticipants", true, ""},
        };
        for (const char *failure : {"refused", "tls", "time-out", "unreadable"}) {
            for (const auto &op : ops) {
                QTest::addRow("%s, %s", op.op, failure)
                    << QString::fromLatin1(op.op) << QByteArray(op.method) << QString::fromLatin1(op.path)
                    << QString::fromLatin1(failure) << op.background << QByteArray(op.failedSignal);
            }
        }
    }

    void transportFailures()
    {
        QFETCH(QString, op);
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(QString, failure);
        QFETCH(bool, background);
        QFETCH(QByteArray, failedSignal);

        QString base = prefix();
        m_api->setRequestTimeout(100);
        if (failure == "refused") {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            base = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
            probe.close();
        } else if (failure == "tls") {
            base.replace(QLatin1String("http://"), QLatin1String("https://"));
            m_server->addRoute(method, path, 200, "{}");
        } else if (failure == "time-out") {
            m_server->addRoute(method, path, 200, "{}", 10000);
        } else {
            m_server->addRoute(method, path, 200, "<html>busy</html>");
        }

        QSignalSpy error(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        QList<bool> reports; // the kind of request each report names
        connect(m_api.get(), &CUCMApiManager::signal_ucmapi_unreachable, this,
                [&](bool fromRefresh) { reports << fromRefresh; });
        std::unique_ptr<QSignalSpy> failed;
        if (!failedSignal.isEmpty())
            failed = std::make_unique<QSignalSpy>(m_api.get(), signalSignature(failedSignal).constData());
        const QMetaObject *mo = m_api->metaObject();
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
            const QMetaMethod m = mo->method(i);
            if (m.methodType() == QMetaMethod::Signal && m.name().endsWith("_succeed"))
                connect(m_api.get(), m, this, metaObject()->method(metaObject()->indexOfSlot("countSuccess()")));
        }
        m_successes = 0;

        operation(op)(*m_api, base, kToken);
        drainEvents();
        QCOMPARE(reports, QList<bool>{background});
        QCOMPARE(error.count(), 0);
        QCOMPARE(m_successes, 0);
        if (failed)
            QCOMPARE(failed->count(), 1);
    }

    // A list refused by the server, or of the wrong shape, is a failed
    // refresh as well; an empty answer to a change is reported too.
    void otherFailedAnswers_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("unreachable");
        QTest::addColumn<QByteArray>("failedSignal");
        QTest::newRow("list with error code") << "getConferences" << QByteArray("GET") << "/api/rest/v2.0/meetings"
                                              << 200 << QByteArray(R"({"errorCode":1999})") << 1 << 0
                                              << QByteArray("signal_getConferences_failed");
        QTest::newRow("list with empty body") << "getContacts" << QByteArray("GET") << "/api/rest/v2.0/contacts" << 200
                                              << QByteArray() << 1 << 0 << QByteArray("signal_getContacts_failed");
        QTest::newRow("list answered with an object") << "getUsers" << QByteArray("GET") << "/api/rest/v2.0/users"
                                                      << 200 << QByteArray(R"({"id":1})") << 1 << 0
                                                      << QByteArray("signal_getUsers_failed");
        QTest::newRow("list, http error") << "getUsers" << QByteArray("GET") << "/api/rest/v2.0/users" << 502
                                          << QByteArray("<html>bad gateway</html>") << 1 << 0
                                          << QByteArray("signal_getUsers_failed");
        QTest::newRow("change answered 204") << "deleteConference" << QByteArray("DELETE")
                                             << "/api/rest/v2.0/meetings/33" << 204 << QByteArray() << 1 << 0
                                             << QByteArray();
    }

    void otherFailedAnswers()
    {
        QFETCH(QString, op);
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QByteArray, answer);
        QFETCH(int, errors);
        QFETCH(int, unreachable);
        QFETCH(QByteArray, failedSignal);
        m_server->addRoute(method, path, status, answer);
        QSignalSpy errorSpy(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        QSignalSpy unreachableSpy(m_api.get(), SIGNAL(signal_ucmapi_unreachable()));
        std::unique_ptr<QSignalSpy> failed;
        if (!failedSignal.isEmpty())
            failed = std::make_unique<QSignalSpy>(m_api.get(), signalSignature(failedSignal).constData());
        operation(op)(*m_api, prefix(), kToken);
        drainEvents();
        QCOMPARE(errorSpy.count(), errors);
        QCOMPARE(unreachableSpy.count(), unreachable);
        if (failed)
            QCOMPARE(failed->count(), 1);
    }

    // A second list request of the same kind is not sent while the first
    // waits; other operations are.
    void busyListOperationDoesNotNest()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/meetings", 200, R"([{"id":1}])", 300);
        m_server->addRoute("GET", "/api/rest/v2.0/meetings/44/simpleparticipants", 200, R"([{"userId":2}])");
        QTimer::singleShot(50, this, [this] {
            m_api->getConferences(prefix(), kToken);
            m_api->getParticipants(prefix(), kToken, "44");
        });
        m_api->getConferences(prefix(), kToken);
        QCOMPARE(m_server->requestCount(), 2);
        const auto reqs = m_server->requests();
        QCOMPARE(reqs[0].path, "/api/rest/v2.0/meetings");
        QCOMPARE(reqs[1].path, "/api/rest/v2.0/meetings/44/simpleparticipants");
        QCOMPARE(m_api->getSavedConferences().size(), 1);
        QCOMPARE(m_api->getSavedParticipants().size(), 1);
    }

    // The same operation started again from inside the wait: both requests
    // complete, and the outer call, whose answer comes last, is not left
    // waiting on a timer that the inner call stopped.
    void reenteredOperationCompletesBoth()
    {
        m_api->setRequestTimeout(5000);
        m_server->addRoute("PUT", "/api/rest/v2.0/meetings/77", 200, R"({"id":77})", 300);
        m_server->addRoute("PUT", "/api/rest/v2.0/meetings/78", 200, R"({"id":78})");
        QSignalSpy success(m_api.get(), SIGNAL(signal_putConference_succeed()));
        QSignalSpy error(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        bool innerReturned = false;
        QTimer::singleShot(20, this, [&] {
            ucmconferenceReqData inner = sampleRequest();
            inner.id = 78;
            m_api->putConference(prefix(), kToken, inner);
            innerReturned = true;
        });
        QElapsedTimer clock;
        clock.start();
        m_api->putConference(prefix(), kToken, sampleRequest());
        QVERIFY(innerReturned);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        drainEvents();
        QCOMPARE(m_server->requestCount(), 2);
        QCOMPARE(success.count(), 2);
        QCOMPARE(error.count(), 0);
    }

    // The same operation started again from inside the wait of one whose
    // server never answers. Each call returns at its own limit, counted from
    // its own start: an inner call that is answered does not leave the outer
    // one waiting beyond its limit, and an unanswered inner call is not cut
    // short by the outer one's limit (the outer then returns right after it).
    void nestedRequestReturnsAtItsOwnLimit_data()
    {
        QTest::addColumn<bool>("innerAnswered");
        QTest::newRow("inner call answered") << true;
        QTest::newRow("inner call unanswered") << false;
    }
    void nestedRequestReturnsAtItsOwnLimit()
    {
        QFETCH(bool, innerAnswered);
        constexpr int kLimitMs = 600;
        constexpr int kInnerStartMs = 400;
        m_api->setRequestTimeout(kLimitMs);
        m_server->addRoute("PUT", "/api/rest/v2.0/meetings/77", 200, R"({"id":77})", 60000);
        m_server->addRoute("PUT", "/api/rest/v2.0/meetings/78", 200, R"({"id":78})", innerAnswered ? 0 : 60000);
        QSignalSpy success(m_api.get(), SIGNAL(signal_putConference_succeed()));
        QSignalSpy error(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        QElapsedTimer clock;
        qint64 innerStarted = -1;
        qint64 innerReturned = -1;
        QTimer::singleShot(kInnerStartMs, this, [&] {
            ucmconferenceReqData inner = sampleRequest();
            inner.id = 78;
            innerStarted = clock.elapsed();
            m_api->putConference(prefix(), kToken, inner);
            innerReturned = clock.elapsed();
        });
        clock.start();
        m_api->putConference(prefix(), kToken, sampleRequest());
        const qint64 outerReturned = clock.elapsed();

        QVERIFY(innerStarted >= 0);
        QVERIFY(innerReturned >= 0);
        const QString times =
            QStringLiteral("inner %1..%2, outer %3").arg(innerStarted).arg(innerReturned).arg(outerReturned);
        if (innerAnswered) {
            QVERIFY2(innerReturned - innerStarted < 300, qPrintable(times));
            QVERIFY2(outerReturned >= kLimitMs - 50, qPrintable(times));
            QVERIFY2(outerReturned < kLimitMs + 1000, qPrintable(times));
        } else {
            QVERIFY2(innerReturned - innerStarted >= kLimitMs - 50, qPrintable(times));
            QVERIFY2(innerReturned - innerStarted < kLimitMs + 1000, qPrintable(times));
            QVERIFY2(outerReturned - innerReturned < 300, qPrintable(times));
        }
        QCOMPARE(m_server->requestCount(), 2);
        drainEvents();
        QCOMPARE(success.count(), innerAnswered ? 1 : 0);
        QCOMPARE(error.count(), 0);
    }

    // Destroying the client while one of its calls waits ends the wait
    // without touching the destroyed object.
    void destroyedWhileWaiting()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/users", 200, "[]", 5000);
        auto *api = new CUCMApiManager;
        api->setRequestTimeout(5000);
        QTimer::singleShot(50, this, [api] { delete api; });
        QElapsedTimer clock;
        clock.start();
        api->getUsers(prefix(), kToken);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }

    // Receivers run from the event loop after the answer was handled, never
    // inside the answer slot.
    void successIsQueued()
    {
        m_server->addRoute("GET", "/api/rest/v2.0/users", 200, R"([{"id":1}])");
        bool answerHandled = false;
        for (QNetworkAccessManager *nam : m_api->findChildren<QNetworkAccessManager *>())
            connect(nam, &QNetworkAccessManager::finished, this, [&answerHandled] { answerHandled = true; });
        bool receiverSawHandledAnswer = false;
        int received = 0;
        connect(m_api.get(), &CUCMApiManager::signal_getUsers_succeed, this, [&] {
            ++received;
            receiverSawHandledAnswer = answerHandled;
        }, Qt::DirectConnection);
        m_api->getUsers(prefix(), kToken);
        drainEvents();
        QCOMPARE(received, 1);
        QVERIFY(receiverSawHandledAnswer);
    }

    // The language switcher rebuilds the error texts.
    void errorTextFollowsLanguage()
    {
        m_server->addRoute("DELETE", "/api/rest/v2.0/meetings/33", 200, R"({"errorCode":1010})");
        QSignalSpy error(m_api.get(), SIGNAL(signal_ucmapi_error(int, QString)));
        auto *linguist = rj_app::models::CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));

        linguist->changeLanguage(rj_app::models::CLinguist::EN_US);
        m_api->deleteConference(prefix(), kToken, "33");
        drainEvents();
        linguist->changeLanguage(rj_app::models::CLinguist::ZH_CN);
        m_api->deleteConference(prefix(), kToken, "33");
        drainEvents();
        linguist->changeLanguage(rj_app::models::CLinguist::EN_US);

        QCOMPARE(error.count(), 2);
        QCOMPARE(error[0][1].toString(), "Invalid token(%1).");
        QCOMPARE(error[1][1].toString(), QString::fromUtf8("令牌无效(%1)。"));
        QCOMPARE(error[1][0].toInt(), 1010);
    }

    // A reply is parsed with the base URL it was requested with, even when a
    // request to another server was sent while it waited.
    void answerUsesItsOwnBaseUrl()
    {
        HttpFixtureServer other;
        QVERIFY(other.start());
        other.addRoute("GET", "/api/rest/v2.0/meetings/1/simpleparticipants", 200, "[]");
        m_server->addRoute("GET", "/api/rest/v2.0/users", 200, R"([{"id":1,"imageURL":"/a.jpg"}])", 200);
        QTimer::singleShot(20, this, [&] { m_api->getParticipants(other.baseUrl(), "sim-carol-2", "1"); });
        m_api->getUsers(prefix(), kToken);
        QCOMPARE(m_api->getSavedUsers().size(), 1);
        QCOMPARE(m_api->getSavedUsers()[0].imageURL, prefix() + "/a.jpg");
    }

public slots:
    void countSuccess() { ++m_successes; }

private:
    int m_successes = 0;
};

GLIMORA_TEST_MAIN(TestUcmApiManager)
#include "tst_ucmapimanager.moc"
