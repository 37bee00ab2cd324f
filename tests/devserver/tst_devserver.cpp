#include "SimWorld.h"
#include "engine/IAVEngine.h"
#include "engine_sim/EventRecorder.h"
#include "helpers/AppVersion.h"
#include "models/CUCMApiManager.h"
#include "support/DemoServerProcess.h"
#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"
#include "views/settings/CDownloadThread.h"
#include "views/settings/CUpdateGetJson.h"

#include <QBuffer>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>

#include <iterator>
#include <memory>

#include <signal.h>

using rj_app::models::CUCMApiManager;
namespace world = rjsim::world;

namespace {

const QString kAlice = QStringLiteral("sim-alice-1");
const QString kCarol = QStringLiteral("sim-carol-7");
const QByteArray kJson = "application/json;charset=UTF-8";
constexpr int kWaitMs = 10000;

// The server under test, started from the executable built beside it.
struct DevServer : glimora::test::DemoServerProcess
{
    DevServer()
        : DemoServerProcess(QStringLiteral(GLIMORA_DEVSERVER))
    {
    }
};

struct Answer
{
    int status = 0;
    QByteArray body;
    QByteArray contentType;

    QJsonValue json() const
    {
        const QJsonDocument doc = QJsonDocument::fromJson(body);
        return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
    }
    QJsonArray array() const { return QJsonDocument::fromJson(body).array(); }
    QJsonObject object() const { return QJsonDocument::fromJson(body).object(); }
    int errorCode() const { return object().value(QLatin1String("errorCode")).toInt(); }
};

Answer send(const QByteArray &method, const QString &url, const QByteArray &body = {},
            const QByteArray &contentType = kJson)
{
    QNetworkAccessManager nam;
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    QNetworkReply *reply = nam.sendCustomRequest(request, method, body);
    // The demo server's certificate is its own, as the client's REST caller takes it.
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [reply] { reply->ignoreSslErrors(); });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    Answer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.body = reply->readAll();
    answer.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    delete reply;
    return answer;
}

QByteArray jsonBytes(const QJsonObject &obj)
{
    return QJsonDocument(obj).toJson();
}

QJsonObject meetingByNumber(const QJsonArray &meetings, int number)
{
    for (const QJsonValue &v : meetings)
        if (v.toObject().value(QLatin1String("numericId")).toInt() == number)
            return v.toObject();
    return {};
}

QJsonObject byField(const QJsonArray &list, const char *field, const QString &value)
{
    for (const QJsonValue &v : list)
        if (v.toObject().value(QLatin1String(field)).toVariant().toString() == value)
            return v.toObject();
    return {};
}

QList<int> intsOf(const QJsonArray &list, const char *field)
{
    QList<int> out;
    for (const QJsonValue &v : list)
        out.append(v.toObject().value(QLatin1String(field)).toInt());
    return out;
}

QJsonObject meetingRequest(const QString &name, qint64 start, qint64 duration, const QList<int> &users)
{
    QJsonArray ids;
    for (int id : users)
        ids.append(id);
    return QJsonObject{{QStringLiteral("name"), name},       {QStringLiteral("startTime"), double(start)},
                       {QStringLiteral("duration"), double(duration)}, {QStringLiteral("confPassword"), QStringLiteral("42")},
                       {QStringLiteral("remarks"), QStringLiteral("demo")}, {QStringLiteral("userIds"), ids}};
}

qint64 daysFromNowAtNine(int days)
{
    return QDateTime(QDate::currentDate().addDays(days), QTime(9, 0)).toMSecsSinceEpoch();
}

// A picture file of one colour, as a client uploads it.
QByteArray pictureBytes(QSize size, const QColor &colour, const char *format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The simulated engine at full speed with its events recorded, signed in as
// alice to a server on loopback.
struct EngineAsAlice
{
    rj::engine::IAVEngine *engine = nullptr;
    EventRecorder events;

    EngineAsAlice()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        engine = createAVEngine();
        engine->registerEventHandler(&events);
    }
    ~EngineAsAlice()
    {
        engine->release();
        engine->unregisterEventHandler(&events);
        deleteAVEngine(engine);
    }
    bool signIn(int port, bool https = false)
    {
        events.clear();
        engine->enableSecure(https);
        rj::engine::AVFeature feature;
        const std::string form = engine->encryptPassword(0, "Alice123");
        return engine->getFeature("127.0.0.1", unsigned(port), feature) == 0
               && engine->avlogin("127.0.0.1", unsigned(port), "alice", form.c_str()) == 0
               && events.waitFor("onLoginSucceed", 1, kWaitMs);
    }
    bool signOut()
    {
        events.clear();
        return engine->avlogout() == 0 && events.waitFor("onRegisterInfo", 1, kWaitMs);
    }
    rj::engine::RJUserInfo user() const { return events.named("onLoginSucceed").back().user; }
};

// Lets queued signals of a finished REST call arrive.
void drainEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestDevServer : public QObject
{
    Q_OBJECT

    std::unique_ptr<DevServer> m_server;

    QString api(const QString &route, const QString &token = kAlice) const
    {
        const QString sep = route.contains(QLatin1Char('?')) ? QStringLiteral("&") : QStringLiteral("?");
        return m_server->base() + QStringLiteral("/api/rest/v2.0") + route + sep + QStringLiteral("token=")
               + QString::fromLatin1(QUrl::toPercentEncoding(token));
    }

    QJsonArray meetingsOf(const QString &token) const { return send("GET", api(QStringLiteral("/meetings"), token)).array(); }

    // "@1001" in a route stands for the record id of the meeting numbered 1001.
    QString resolve(QString route) const
    {
        static const QRegularExpression number(QStringLiteral("@(\\d+)"));
        const QRegularExpressionMatch m = number.match(route);
        if (m.hasMatch()) {
            const QJsonObject meeting = meetingByNumber(meetingsOf(kAlice), m.captured(1).toInt());
            route.replace(m.capturedStart(), m.capturedLength(),
                          QString::number(meeting.value(QLatin1String("id")).toInt(-1)));
        }
        return route;
    }

private slots:
    void init()
    {
        m_server = std::make_unique<DevServer>();
        // What it serves, not how: plain HTTP (tst_devserver_transport has HTTPS).
        QVERIFY2(m_server->startPlainHttp(), qPrintable(QString::fromUtf8(m_server->process.readAllStandardError())));
    }

    void cleanup() { m_server.reset(); }

    // ---- the demo world as the engine knows it ----

    void directoryAgreesWithTheEngine()
    {
        const Answer answer = send("GET", api(QStringLiteral("/users")));
        QCOMPARE(answer.status, 200);
        QVERIFY(answer.contentType.startsWith("application/json"));
        const QJsonArray users = answer.array();
        QCOMPARE(users.size(), 307);

        for (const world::Account &a : world::kAccounts) {
            const QJsonObject u = byField(users, "name", QString::fromUtf8(a.user));
            if (a.refusal != 0) {
                QVERIFY2(u.isEmpty(), a.user);
                continue;
            }
            QCOMPARE(u.value(QLatin1String("id")).toInt(), int(a.userId));
            QCOMPARE(u.value(QLatin1String("displayName")).toString(), QString::fromUtf8(a.displayName));
            QCOMPARE(u.value(QLatin1String("callNumber")).toString(), QString::fromUtf8(a.callNumber));
            QCOMPARE(u.value(QLatin1String("vmr")).toString(), QString::fromUtf8(a.vmr));
        }
        for (const world::Person &p : world::kPeople) {
            const QJsonObject u = byField(users, "displayName", QString::fromUtf8(p.name));
            QCOMPARE(u.value(QLatin1String("callNumber")).toString(), QString::fromUtf8(p.number));
        }
        QCOMPARE(byField(users, "displayName", QStringLiteral("User 001")).value(QLatin1String("callNumber")).toString(),
                 QStringLiteral("9001"));
        QCOMPARE(byField(users, "displayName", QStringLiteral("User 300")).value(QLatin1String("callNumber")).toString(),
                 QStringLiteral("9300"));
        const QList<int> ids = intsOf(users, "id");
        QCOMPARE(QSet<int>(ids.cbegin(), ids.cend()).size(), users.size());

        const QJsonObject one = send("GET", api(QStringLiteral("/users/1"))).object();
        QCOMPARE(one.value(QLatin1String("displayName")).toString(), QStringLiteral("Alice Chen"));
        QCOMPARE(send("GET", api(QStringLiteral("/users/99999"))).errorCode(), 1020);
    }

    void meetingsAgreeWithTheEngine()
    {
        const QJsonArray meetings = send("GET", api(QStringLiteral("/meetings?joinMode=TOVAN"))).array();
        QCOMPARE(meetings.size(), int(std::size(world::kMeetings)));
        for (const world::Meeting &wm : world::kMeetings) {
            const QJsonObject m = meetingByNumber(meetings, QString::fromUtf8(wm.number).toInt());
            QVERIFY2(!m.isEmpty(), wm.number);
            QCOMPARE(m.value(QLatin1String("name")).toString(), QString::fromUtf8(wm.name));
            QCOMPARE(m.value(QLatin1String("confPassword")).toString(), QString::fromUtf8(wm.password));
            // Only what alice owns is hers to control.
            const int applicant = m.value(QLatin1String("applicant")).toObject().value(QLatin1String("id")).toInt();
            QCOMPARE(applicant == 1, QByteArray(wm.owner) == "alice");
            QVERIFY(applicant != 2 && applicant != 3); // nobody else who signs in owns one
            const QString status = m.value(QLatin1String("status")).toString();
            if (wm.kind == world::MeetingKind::NotActive)
                QCOMPARE(status, QStringLiteral("SCHEDULED"));
            else if (QByteArray(wm.number) != "8201001")
                QCOMPARE(status, QStringLiteral("ONGOING"));
        }

        const QJsonObject planning = meetingByNumber(meetings, 1005);
        const QDateTime start =
            QDateTime::fromMSecsSinceEpoch(qint64(planning.value(QLatin1String("startTime")).toDouble()));
        QCOMPARE(start.time(), QTime(10, 0));
        // Tomorrow, as seen when the server started (which may have been yesterday).
        QVERIFY(start.date() == QDate::currentDate().addDays(1) || start.date() == QDate::currentDate());
        QCOMPARE(planning.value(QLatin1String("duration")).toDouble(), 3600000.0);

        // Carol sees only what she is invited to; alice's room is not among it.
        const QJsonArray carols = meetingsOf(kCarol);
        QVERIFY(!carols.isEmpty());
        QVERIFY(meetingByNumber(carols, 8201001).isEmpty());
        QVERIFY(!meetingByNumber(carols, 1001).isEmpty());
    }

    void participants_data()
    {
        QTest::addColumn<QString>("meeting");
        QTest::addColumn<QList<int>>("userIds");
        QTest::addColumn<bool>("video");
        QTest::newRow("weekly sync by number") << "1001" << QList<int>{1, 3, 4} << true;
        QTest::newRow("audio bridge") << "1004" << QList<int>{5, 1, 2} << false;
        QTest::newRow("by record id") << "@1002" << QList<int>{1, 2, 3} << true;
    }

    void participants()
    {
        QFETCH(QString, meeting);
        QFETCH(QList<int>, userIds);
        QFETCH(bool, video);
        const QJsonArray list =
            send("GET", api(resolve(QStringLiteral("/meetings/%1/simpleparticipants").arg(meeting)))).array();
        QCOMPARE(intsOf(list, "userId"), userIds);
        for (const QJsonValue &p : list)
            QCOMPARE(p.toObject().value(QLatin1String("videoMode")).toBool(), video);
    }

    void contactsOfAliceLeadWithHerOwnEntry()
    {
        const QJsonArray contacts = send("GET", api(QStringLiteral("/contacts"))).array();
        QCOMPARE(contacts.size(), 3);
        const QJsonObject own = contacts.at(0).toObject();
        QCOMPARE(own.value(QLatin1String("userId")).toInt(), 1);
        QCOMPARE(own.value(QLatin1String("ownerId")).toInt(), 1);
        QStringList others;
        for (int i = 1; i < contacts.size(); ++i) {
            const QJsonObject c = contacts.at(i).toObject();
            QCOMPARE(c.value(QLatin1String("ownerId")).toInt(), 1);
            others << c.value(QLatin1String("name")).toString() + QLatin1Char('/')
                          + c.value(QLatin1String("callNumber")).toString();
        }
        QCOMPARE(others, (QStringList{QStringLiteral("Carol Wu/8001"), QStringLiteral("Dave Li/8002")}));
        // Bob's list holds only his own entry.
        QCOMPARE(intsOf(send("GET", api(QStringLiteral("/contacts"), QStringLiteral("sim-bob-3"))).array(), "userId"),
                 QList<int>{2});
    }

    // ---- what the client asks outside the REST caller ----

    void updateCheckOffersNothing_data()
    {
        QTest::addColumn<QString>("appType");
        QTest::newRow("windows") << "windows";
        QTest::newRow("linux") << "linux";
    }

    void updateCheckOffersNothing()
    {
        QFETCH(QString, appType);
        using rj_app::views::CDownloadThread;
        using rj_app::views::CUpdateGetJson;
        // The client's own address names this platform; the server answers
        // that and the other platform alike.
        QUrl url(CDownloadThread::latestAppVersionUrl(false, QStringLiteral("127.0.0.1"), m_server->plainPort));
        QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("appType")), QStringLiteral("linux"));
        query.removeAllQueryItems(QStringLiteral("appType"));
        query.addQueryItem(QStringLiteral("appType"), appType);
        url.setQuery(query);
        CUpdateGetJson *json = CUpdateGetJson::getInstance();
        QString why;
        QVERIFY2(json->sendRequest(url.toString(), &why), qPrintable(why));
        QCOMPARE(json->getVersion(), QString::fromLatin1(rj_app::helpers::kAppVersion));
        QVERIFY(!CDownloadThread::isNewerVersion(json->getVersion(), QString::fromLatin1(rj_app::helpers::kAppVersion)));

        QCOMPARE(send("GET", m_server->base() + QStringLiteral("/api/rest/v2.0/latestAppVersion?appType=amiga"))
                     .errorCode(),
                 1020);
    }

    void whiteboardToken()
    {
        const QJsonObject acs =
            send("GET", api(QStringLiteral("/acsToken?confNumericId=1007&deviceId=800001"))).object();
        QCOMPARE(acs.value(QLatin1String("acsJsonWebToken")).toString().count(QLatin1Char('.')), 2);
        QCOMPARE(acs.value(QLatin1String("internalEdgeIp")).toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(acs.value(QLatin1String("externalEdgeIp")).toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(send("GET", api(QStringLiteral("/acsToken?deviceId=800001"))).errorCode(), 1020);
    }

    void avatars()
    {
        const QJsonArray users = send("GET", api(QStringLiteral("/users"))).array();
        // The record's address and the participant form (token as version).
        const QString aliceUrl = m_server->base() + byField(users, "name", QStringLiteral("alice"))
                                                        .value(QLatin1String("imageURL"))
                                                        .toString();
        const QString carolUrl = m_server->base() + QStringLiteral("/userFiles/avatar/3.jpg?v=") + kAlice;
        const Answer alice = send("GET", aliceUrl);
        const Answer carol = send("GET", carolUrl);
        for (const Answer *a : {&alice, &carol}) {
            QCOMPARE(a->status, 200);
            QCOMPARE(a->contentType, QByteArray("image/jpeg"));
            QVERIFY(!QImage::fromData(a->body).isNull());
        }
        QVERIFY(alice.body != carol.body);

        const int nobody = byField(users, "displayName", QStringLiteral("Nobody Home")).value(QLatin1String("id")).toInt();
        QVERIFY(nobody > 0);
        QCOMPARE(send("GET", m_server->base() + QStringLiteral("/userFiles/avatar/%1.jpg").arg(nobody)).status, 404);
        QCOMPARE(send("GET", m_server->base() + QStringLiteral("/userFiles/avatar/99999.jpg")).status, 404);
    }

    // ---- errors ----

    void refusesBadTokens_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("token"); // "-": no token at all
        const struct
        {
            const char *method;
            const char *route;
        } routes[] = {
            {"GET", "/users"},
            {"GET", "/users/1"},
            {"GET", "/contacts"},
            {"POST", "/contacts"},
            {"DELETE", "/contacts/2"},
            {"GET", "/meetings?joinMode=TOVAN"},
            {"POST", "/meetings"},
            {"GET", "/meetings/@1001"},
            {"PUT", "/meetings/@1005"},
            {"DELETE", "/meetings/@1005"},
            {"PUT", "/meetings/@1001/control/terminate"},
            {"GET", "/meetings/1001/simpleparticipants"},
            {"GET", "/acsToken?confNumericId=1007&deviceId=1"},
            {"PATCH", "/users/1"},
            {"PUT", "/users/1/avatar"},
        };
        for (const auto &r : routes)
            QTest::newRow(QByteArray(r.method + QByteArray(" ") + r.route + " without token").constData())
                << QByteArray(r.method) << QString::fromLatin1(r.route) << QStringLiteral("-");
        for (const char *token : {"", "sim-mallory-1", "sim-alice-", "sim-alice-1x", "alice", "sim-locked-1",
                                  "Sim-alice-1", "sim-alice-1 ", "sim--1", "sim-alice-1&token=sim-alice-1"})
            QTest::newRow(qPrintable(QStringLiteral("users with \"%1\"").arg(QLatin1String(token))))
                << QByteArray("GET") << QStringLiteral("/users") << QString::fromLatin1(token);
    }

    void refusesBadTokens()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, route);
        QFETCH(QString, token);
        const QString resolved = resolve(route);
        QString url = m_server->base() + QStringLiteral("/api/rest/v2.0") + resolved;
        if (token != QLatin1String("-"))
            url = api(resolved, token);
        const Answer answer = send(method, url, jsonBytes(meetingRequest(QStringLiteral("x"), daysFromNowAtNine(2),
                                                                          60000, {})));
        // The error form the client's REST caller reads.
        QCOMPARE(answer.status, 200);
        QCOMPARE(answer.errorCode(), 1010);
        QVERIFY(answer.object().contains(QLatin1String("errorInfo")));
        // Nothing changed.
        QCOMPARE(meetingsOf(kAlice).size(), int(std::size(world::kMeetings)));
        QCOMPARE(send("GET", api(QStringLiteral("/contacts"))).array().size(), 3);
    }

    void unknownRoutes_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("errorCode");
        QTest::newRow("root") << QByteArray("GET") << "/" << 404;
        QTest::newRow("no such resource") << QByteArray("GET") << "/api/rest/v2.0/rooms?token=sim-alice-1" << 404;
        QTest::newRow("wrong method") << QByteArray("POST") << "/api/rest/v2.0/users?token=sim-alice-1" << 404;
        QTest::newRow("other API version") << QByteArray("GET") << "/api/rest/v1.0/users?token=sim-alice-1" << 1000;
        QTest::newRow("version look-alike") << QByteArray("GET") << "/api/rest/v2x0/users?token=sim-alice-1" << 1000;
        QTest::newRow("avatar not a number") << QByteArray("GET") << "/userFiles/avatar/abc.jpg" << 404;
    }

    void unknownRoutes()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(int, errorCode);
        const Answer answer = send(method, m_server->base() + path, "{}");
        QCOMPARE(answer.status, 404);
        QCOMPARE(answer.errorCode(), errorCode);
    }

    void meetingRules_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<int>("errorCode");

        const QByteArray later = jsonBytes(meetingRequest(QStringLiteral("Later"), daysFromNowAtNine(3), 1800000, {1}));
        auto with = [](QJsonObject obj, const char *key, const QJsonValue &value) {
            if (value.isUndefined())
                obj.remove(QLatin1String(key));
            else
                obj.insert(QLatin1String(key), value);
            return jsonBytes(obj);
        };
        const QJsonObject base = meetingRequest(QStringLiteral("Later"), daysFromNowAtNine(3), 1800000, {1});

        QTest::newRow("delete running") << kAlice << QByteArray("DELETE") << "/meetings/@1001" << QByteArray() << kJson << 3040;
        QTest::newRow("edit running") << kAlice << QByteArray("PUT") << "/meetings/@1001" << later << kJson << 3040;
        QTest::newRow("delete fixed room") << kAlice << QByteArray("DELETE") << "/meetings/@8201001" << QByteArray() << kJson << 1040;
        QTest::newRow("delete another's") << kCarol << QByteArray("DELETE") << "/meetings/@1005" << QByteArray() << kJson << 1040;
        QTest::newRow("edit another's") << kCarol << QByteArray("PUT") << "/meetings/@1005" << later << kJson << 1040;
        QTest::newRow("end not running") << kAlice << QByteArray("PUT") << "/meetings/@1005/control/terminate" << QByteArray() << kJson << 3070;
        QTest::newRow("end another's") << kCarol << QByteArray("PUT") << "/meetings/@1001/control/terminate" << QByteArray() << kJson << 1040;
        QTest::newRow("end one hosted by dave") << kAlice << QByteArray("PUT") << "/meetings/@1003/control/terminate" << QByteArray() << kJson << 1040;
        QTest::newRow("unknown control") << kAlice << QByteArray("PUT") << "/meetings/@1001/control/pause" << QByteArray() << kJson << 1020;
        QTest::newRow("no such meeting") << kAlice << QByteArray("GET") << "/meetings/9999" << QByteArray() << kJson << 3010;
        QTest::newRow("id not a number") << kAlice << QByteArray("GET") << "/meetings/abc" << QByteArray() << kJson << 1020;
        QTest::newRow("edit, id differs") << kAlice << QByteArray("PUT") << "/meetings/@1005" << with(base, "id", 9999) << kJson << 1020;
        QTest::newRow("no name") << kAlice << QByteArray("POST") << "/meetings" << with(base, "name", QJsonValue::Undefined) << kJson << 1020;
        QTest::newRow("blank name") << kAlice << QByteArray("POST") << "/meetings" << with(base, "name", QStringLiteral("  ")) << kJson << 1020;
        QTest::newRow("zero duration") << kAlice << QByteArray("POST") << "/meetings" << with(base, "duration", 0) << kJson << 1020;
        QTest::newRow("fractional start") << kAlice << QByteArray("POST") << "/meetings" << with(base, "startTime", 1.5) << kJson << 1020;
        QTest::newRow("unknown invitee") << kAlice << QByteArray("POST") << "/meetings" << with(base, "userIds", QJsonArray{1, 99999}) << kJson << 1020;
        QTest::newRow("not JSON") << kAlice << QByteArray("POST") << "/meetings" << QByteArray("{name:") << kJson << 1020;
        QTest::newRow("JSON array") << kAlice << QByteArray("POST") << "/meetings" << QByteArray("[]") << kJson << 1020;
        QTest::newRow("plain text") << kAlice << QByteArray("POST") << "/meetings" << later << QByteArray("text/plain") << 1030;
    }

    void meetingRules()
    {
        QFETCH(QString, token);
        QFETCH(QByteArray, method);
        QFETCH(QString, route);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(int, errorCode);
        const QJsonArray before = meetingsOf(kAlice);
        const Answer answer = send(method, api(resolve(route), token), body, contentType);
        QCOMPARE(answer.status, 200);
        QCOMPARE(answer.errorCode(), errorCode);
        QCOMPARE(meetingsOf(kAlice), before);
    }

    // ---- changes ----

    void meetingRoundTrip()
    {
        const qint64 start = daysFromNowAtNine(2);
        const QJsonObject created =
            send("POST", api(QStringLiteral("/meetings")),
                 jsonBytes(meetingRequest(QStringLiteral("Retro"), start, 1800000, {3})))
                .object();
        QVERIFY(!created.contains(QLatin1String("errorCode")));
        const int id = created.value(QLatin1String("id")).toInt();
        const int number = created.value(QLatin1String("numericId")).toInt();
        QVERIFY(id > 0);
        QVERIFY(number > 0 && meetingByNumber(meetingsOf(kAlice), number) == created);
        QCOMPARE(created.value(QLatin1String("status")).toString(), QStringLiteral("SCHEDULED"));
        QCOMPARE(created.value(QLatin1String("applicant")).toObject().value(QLatin1String("id")).toInt(), 1);
        QCOMPARE(created.value(QLatin1String("startTime")).toDouble(), double(start));
        // The applicant is always among the invited.
        QCOMPARE(intsOf(created.value(QLatin1String("users")).toArray(), "id"), (QList<int>{1, 3}));
        QCOMPARE(meetingByNumber(meetingsOf(kCarol), number), created);
        QCOMPARE(send("GET", api(QStringLiteral("/meetings/%1").arg(id))).object(), created);

        QJsonObject edit = meetingRequest(QStringLiteral("Retro, longer"), start, 3600000, {1, 3, 4});
        edit.insert(QStringLiteral("id"), id);
        edit.insert(QStringLiteral("numericId"), number);
        const QJsonObject edited = send("PUT", api(QStringLiteral("/meetings/%1").arg(id)), jsonBytes(edit)).object();
        QCOMPARE(edited.value(QLatin1String("name")).toString(), QStringLiteral("Retro, longer"));
        QCOMPARE(edited.value(QLatin1String("duration")).toDouble(), 3600000.0);
        QCOMPARE(edited.value(QLatin1String("numericId")).toInt(), number);
        QCOMPARE(meetingByNumber(meetingsOf(kAlice), number), edited);
        QVERIFY(!meetingByNumber(meetingsOf(QStringLiteral("sim-carol-1")), number).isEmpty());

        const Answer deleted = send("DELETE", api(QStringLiteral("/meetings/%1").arg(id)));
        QCOMPARE(deleted.status, 200);
        QCOMPARE(deleted.object(), QJsonObject());
        QVERIFY(meetingByNumber(meetingsOf(kAlice), number).isEmpty());
        QCOMPARE(send("DELETE", api(QStringLiteral("/meetings/%1").arg(id))).errorCode(), 3010);
    }

    void endingAMeetingTakesItOffTheList()
    {
        const QString id = resolve(QStringLiteral("@1001"));
        const Answer ended = send("PUT", api(QStringLiteral("/meetings/%1/control/terminate").arg(id)));
        QCOMPARE(ended.object(), QJsonObject());
        QVERIFY(meetingByNumber(meetingsOf(kAlice), 1001).isEmpty());
        QCOMPARE(send("GET", api(QStringLiteral("/meetings/1001/simpleparticipants"))).errorCode(), 3010);
    }

    void contactRoundTrip()
    {
        const QByteArray bob = CUCMApiManager::getContactJson(2);
        const QJsonObject added = send("POST", api(QStringLiteral("/contacts")), bob).object();
        QCOMPARE(added.value(QLatin1String("userId")).toInt(), 2);
        QCOMPARE(added.value(QLatin1String("ownerId")).toInt(), 1);
        QCOMPARE(added.value(QLatin1String("name")).toString(), QStringLiteral("Bob Stone"));
        QCOMPARE(added.value(QLatin1String("callNumber")).toString(), QStringLiteral("8004"));
        const int id = added.value(QLatin1String("id")).toInt();
        QCOMPARE(intsOf(send("GET", api(QStringLiteral("/contacts"))).array(), "userId"), (QList<int>{1, 3, 4, 2}));

        QCOMPARE(send("POST", api(QStringLiteral("/contacts")), bob).errorCode(), 1020);              // twice
        QCOMPARE(send("POST", api(QStringLiteral("/contacts")), CUCMApiManager::getContactJson(1)).errorCode(),
                 1020);                                                                                  // oneself
        QCOMPARE(send("POST", api(QStringLiteral("/contacts")), CUCMApiManager::getContactJson(99999)).errorCode(),
                 1020);                                                                                  // nobody
        QCOMPARE(send("DELETE", api(QStringLiteral("/contacts/%1").arg(id), kCarol)).errorCode(), 1040); // not hers
        const int own = send("GET", api(QStringLiteral("/contacts"))).array().at(0).toObject().value(QLatin1String("id")).toInt();
        QCOMPARE(send("DELETE", api(QStringLiteral("/contacts/%1").arg(own))).errorCode(), 1040);      // own entry

        QCOMPARE(send("DELETE", api(QStringLiteral("/contacts/%1").arg(id))).object(), QJsonObject());
        QCOMPARE(intsOf(send("GET", api(QStringLiteral("/contacts"))).array(), "userId"), (QList<int>{1, 3, 4}));
        QCOMPARE(send("DELETE", api(QStringLiteral("/contacts/%1").arg(id))).errorCode(), 1020);
    }

    // Carol renames herself and uploads a picture, with the token of one
    // sign-in; everyone sees it from then on, also after her next sign-in.
    void profileChangesReachEveryView()
    {
        const QString carol = QStringLiteral("sim-carol-8");
        const QString before = byField(send("GET", api(QStringLiteral("/contacts"))).array(), "userId", "3")
                                   .value(QLatin1String("imageURL"))
                                   .toString();

        const Answer renamed = send("PATCH", api(QStringLiteral("/users/3"), kCarol),
                                    jsonBytes({{QStringLiteral("displayName"), QStringLiteral("  Carol Wu-Lin ")}}));
        QCOMPARE(renamed.status, 200);
        QCOMPARE(renamed.object().value(QLatin1String("displayName")).toString(), QStringLiteral("Carol Wu-Lin"));

        const Answer uploaded = send("PUT", api(QStringLiteral("/users/3/avatar"), kCarol),
                                     pictureBytes(QSize(300, 200), Qt::red), "image/png");
        QCOMPARE(uploaded.status, 200);
        const QString address = uploaded.object().value(QLatin1String("imageURL")).toString();
        QVERIFY(address.startsWith(QLatin1String("/userFiles/avatar/3.jpg?v=")));
        QVERIFY(address != before);
        // A later picture gets yet another address.
        const QString second = send("PUT", api(QStringLiteral("/users/3/avatar"), kCarol),
                                    pictureBytes(QSize(40, 40), Qt::blue, "JPG"), "image/jpeg")
                                   .object()
                                   .value(QLatin1String("imageURL"))
                                   .toString();
        QVERIFY(second != address && second != before);

        // The directory, alice's contacts, a meeting's invited and its
        // participants, read by alice and by carol's next sign-in.
        const QJsonObject listed = byField(send("GET", api(QStringLiteral("/users"))).array(), "id", "3");
        const QJsonObject contact = byField(send("GET", api(QStringLiteral("/contacts"))).array(), "userId", "3");
        const QJsonObject invited = byField(meetingByNumber(meetingsOf(kAlice), 1001).value(QLatin1String("users")).toArray(),
                                            "id", "3");
        const QJsonObject participant =
            byField(send("GET", api(QStringLiteral("/meetings/1001/simpleparticipants"))).array(), "userId", "3");
        const QJsonObject own = send("GET", api(QStringLiteral("/contacts"), carol)).array().at(0).toObject();
        QCOMPARE(listed.value(QLatin1String("displayName")).toString(), QStringLiteral("Carol Wu-Lin"));
        QCOMPARE(contact.value(QLatin1String("name")).toString(), QStringLiteral("Carol Wu-Lin"));
        QCOMPARE(invited.value(QLatin1String("displayName")).toString(), QStringLiteral("Carol Wu-Lin"));
        QCOMPARE(participant.value(QLatin1String("name")).toString(), QStringLiteral("Carol Wu-Lin"));
        QCOMPARE(own.value(QLatin1String("name")).toString(), QStringLiteral("Carol Wu-Lin"));
        for (const QJsonObject &record : {listed, contact, own})
            QCOMPARE(record.value(QLatin1String("imageURL")).toString(), second);

        // The address serves the new picture, in the size of the others.
        const Answer picture = send("GET", m_server->base() + second);
        QCOMPARE(picture.status, 200);
        QCOMPARE(picture.contentType, QByteArray("image/jpeg"));
        const QImage served = QImage::fromData(picture.body);
        QCOMPARE(served.size(), QSize(40, 40));
        const QColor centre = served.pixelColor(20, 20);
        QVERIFY2(centre.blue() > 200 && centre.red() < 60, qPrintable(centre.name()));
        // Other users keep theirs.
        QCOMPARE(send("GET", api(QStringLiteral("/users/1"))).object().value(QLatin1String("displayName")).toString(),
                 QStringLiteral("Alice Chen"));
    }

    void profileChangesRefused_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("errorCode");

        auto name = [](const QJsonValue &value) { return jsonBytes({{QStringLiteral("displayName"), value}}); };
        const QByteArray png = "image/png";
        const QByteArray picture = pictureBytes(QSize(20, 20), Qt::green);
        QTest::newRow("rename another") << QByteArray("PATCH") << "/users/3" << name("Mallory") << kJson << 200 << 1040;
        QTest::newRow("rename nobody") << QByteArray("PATCH") << "/users/99999" << name("Mallory") << kJson << 200 << 1020;
        QTest::newRow("rename, id not a number") << QByteArray("PATCH") << "/users/me" << name("Mallory") << kJson << 200 << 1020;
        QTest::newRow("no name") << QByteArray("PATCH") << "/users/1" << jsonBytes({{QStringLiteral("name"), QStringLiteral("A")}}) << kJson << 200 << 1020;
        QTest::newRow("blank name") << QByteArray("PATCH") << "/users/1" << name("   ") << kJson << 200 << 1020;
        QTest::newRow("name not a text") << QByteArray("PATCH") << "/users/1" << name(42) << kJson << 200 << 1020;
        QTest::newRow("name too long") << QByteArray("PATCH") << "/users/1" << name(QString(65, QLatin1Char('a'))) << kJson << 200 << 1020;
        QTest::newRow("line break in name") << QByteArray("PATCH") << "/users/1" << name("Alice\nAdmin") << kJson << 200 << 1020;
        QTest::newRow("name as a form") << QByteArray("PATCH") << "/users/1" << QByteArray("displayName=A") << QByteArray("application/x-www-form-urlencoded") << 200 << 1030;
        QTest::newRow("picture of another") << QByteArray("PUT") << "/users/3/avatar" << picture << png << 200 << 1040;
        QTest::newRow("picture, not an image type") << QByteArray("PUT") << "/users/1/avatar" << picture << QByteArray("application/octet-stream") << 200 << 1030;
        QTest::newRow("picture, no picture") << QByteArray("PUT") << "/users/1/avatar" << QByteArray("GIF89a but not really") << QByteArray("image/gif") << 200 << 1020;
        QTest::newRow("picture, empty") << QByteArray("PUT") << "/users/1/avatar" << QByteArray() << png << 200 << 1020;
        QTest::newRow("picture, too many pixels") << QByteArray("PUT") << "/users/1/avatar" << pictureBytes(QSize(5000, 1), Qt::green) << png << 200 << 1020;
        QTest::newRow("picture, too many bytes") << QByteArray("PUT") << "/users/1/avatar" << QByteArray(5 * 1024 * 1024, 'x') << png << 413 << 0;
    }

    void profileChangesRefused()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, route);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(int, status);
        QFETCH(int, errorCode);
        const QJsonArray usersBefore = send("GET", api(QStringLiteral("/users"))).array();
        const QByteArray pictureBefore = send("GET", m_server->base() + QStringLiteral("/userFiles/avatar/1.jpg")).body;

        const Answer answer = send(method, api(route), body, contentType);
        QCOMPARE(answer.status, status);
        QCOMPARE(answer.errorCode(), errorCode);
        QCOMPARE(send("GET", api(QStringLiteral("/users"))).array(), usersBefore);
        QCOMPARE(send("GET", m_server->base() + QStringLiteral("/userFiles/avatar/1.jpg")).body, pictureBefore);
    }

    // ---- the engine passes the user's own changes on ----

    // A rename and a picture made through the engine reach the server it is
    // signed in to, over the scheme of the sign-in, and stay there across the
    // next sign-in.
    void engineCarriesProfileChangesToTheServer_data()
    {
        QTest::addColumn<bool>("https");
        QTest::newRow("https") << true;
        QTest::newRow("http") << false;
    }

    void engineCarriesProfileChangesToTheServer()
    {
        QFETCH(bool, https);
        if (https) {
            m_server = std::make_unique<DevServer>();
            QVERIFY(m_server->start());
        }
        EngineAsAlice alice;
        QVERIFY(alice.signIn(m_server->plainPort, https));
        const QString token = QString::fromStdString(alice.user().token);
        auto record = [this](const QString &with) { return send("GET", api(QStringLiteral("/users/1"), with)).object(); };
        const QString before = record(token).value(QLatin1String("imageURL")).toString();

        QCOMPARE(alice.engine->changeDisplayName("Alice Renamed"), 0);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("upload_avatar_temp.png"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(pictureBytes(QSize(30, 30), Qt::magenta));
        file.close();
        QCOMPARE(alice.engine->uploadUserImage(QFile::encodeName(path).constData()), 0);
        QVERIFY(alice.events.waitFor("onUploadUserImageComplete", 1, kWaitMs));

        QTRY_COMPARE_WITH_TIMEOUT(record(token).value(QLatin1String("displayName")).toString(),
                                  QStringLiteral("Alice Renamed"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(record(token).value(QLatin1String("imageURL")).toString() != before, kWaitMs);
        const QImage served = QImage::fromData(
            send("GET", m_server->base() + record(token).value(QLatin1String("imageURL")).toString()).body);
        QCOMPARE(served.size(), QSize(30, 30));
        const QColor centre = served.pixelColor(15, 15);
        QVERIFY2(centre.red() > 200 && centre.blue() > 200 && centre.green() < 60, qPrintable(centre.name()));

        // Signed in again: the engine and the server tell the same name.
        QVERIFY(alice.signOut());
        QVERIFY(alice.signIn(m_server->plainPort, https));
        const QString again = QString::fromStdString(alice.user().token);
        QVERIFY(again != token);
        QCOMPARE(QString::fromStdString(alice.user().displayName), QStringLiteral("Alice Renamed"));
        QCOMPARE(send("GET", api(QStringLiteral("/contacts"), again)).array().at(0).toObject().value(QLatin1String("name")).toString(),
                 QStringLiteral("Alice Renamed"));
    }

    // The engine answers at once while the server holds its answer for a
    // minute; the request carries the session's token and the change.
    void engineDoesNotWaitForTheServer_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::newRow("rename") << false;
        QTest::newRow("picture") << true;
    }

    void engineDoesNotWaitForTheServer()
    {
        QFETCH(bool, picture);
        // Below the 5 s the engine gives a server to answer, which a change
        // sent on the caller's thread would wait for.
        constexpr int kPromptMs = 4000;
        constexpr int kHeldMs = 60000;
        const QString route = QStringLiteral("/api/rest/v2.0/users/1");
        glimora::test::HttpFixtureServer held;
        QVERIFY(held.start());
        held.addRoute("PATCH", route, 200, "{}", kHeldMs);
        held.addRoute("PUT", route + QStringLiteral("/avatar"), 200, "{}", kHeldMs);
        EngineAsAlice alice;
        QVERIFY(alice.signIn(held.port()));
        held.clearRequests(); // what the sign-in asked

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("upload_avatar_temp.png"));
        const QByteArray bytes = pictureBytes(QSize(16, 16), Qt::cyan);
        QElapsedTimer clock;
        clock.start();
        if (picture) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            QCOMPARE(alice.engine->uploadUserImage(QFile::encodeName(path).constData()), 0);
            QVERIFY(alice.events.waitFor("onUploadUserImageComplete", 1, kPromptMs));
        } else {
            QCOMPARE(alice.engine->changeDisplayName("Held Name"), 0);
            QVERIFY2(clock.elapsed() < kPromptMs, qPrintable(QString::number(clock.elapsed())));
            QCOMPARE(alice.engine->getDisplayName(), std::string("Held Name"));
        }

        QVERIFY(held.waitForRequests(1, kWaitMs));
        const glimora::test::CapturedRequest sent = held.lastRequest();
        QCOMPARE(sent.query.queryItemValue(QStringLiteral("token")), QString::fromStdString(alice.user().token));
        if (picture) {
            QCOMPARE(sent.method, QByteArray("PUT"));
            QCOMPARE(sent.path, route + QStringLiteral("/avatar"));
            QCOMPARE(sent.header("Content-Type"), QByteArray("image/png"));
            QCOMPARE(sent.body, bytes);
        } else {
            QCOMPARE(sent.method, QByteArray("PATCH"));
            QCOMPARE(sent.path, route);
            QVERIFY(sent.header("Content-Type").startsWith("application/json"));
            QCOMPARE(QJsonDocument::fromJson(sent.body).object(),
                     (QJsonObject{{QStringLiteral("displayName"), QStringLiteral("Held Name")}}));
        }
        held.stop(); // lets the engine's request end
    }

    // Requests arrive on a pool of threads; the state stays whole.
    void concurrentCreationsGetDistinctRecords()
    {
        QNetworkAccessManager nam;
        QList<QNetworkReply *> replies;
        for (int i = 0; i < 24; ++i) {
            QNetworkRequest meeting{QUrl(api(QStringLiteral("/meetings")))};
            meeting.setHeader(QNetworkRequest::ContentTypeHeader, kJson);
            replies << nam.post(meeting, jsonBytes(meetingRequest(QStringLiteral("M%1").arg(i), daysFromNowAtNine(4),
                                                                  60000, {1})));
            QNetworkRequest contact{QUrl(api(QStringLiteral("/contacts")))};
            contact.setHeader(QNetworkRequest::ContentTypeHeader, kJson);
            replies << nam.post(contact, CUCMApiManager::getContactJson(101 + i));
        }
        for (QNetworkReply *reply : replies) {
            if (!reply->isFinished()) {
                QSignalSpy finished(reply, &QNetworkReply::finished);
                QVERIFY(finished.wait(kWaitMs));
            }
        }
        QSet<int> meetingIds, numbers, contactIds;
        for (QNetworkReply *reply : replies) {
            const QJsonObject obj = QJsonDocument::fromJson(reply->readAll()).object();
            QVERIFY(!obj.contains(QLatin1String("errorCode")));
            if (obj.contains(QLatin1String("numericId"))) {
                meetingIds << obj.value(QLatin1String("id")).toInt();
                numbers << obj.value(QLatin1String("numericId")).toInt();
            } else {
                contactIds << obj.value(QLatin1String("id")).toInt();
            }
            delete reply;
        }
        QCOMPARE(meetingIds.size(), 24);
        QCOMPARE(numbers.size(), 24);
        QCOMPARE(contactIds.size(), 24);
        QCOMPARE(meetingsOf(kAlice).size(), int(std::size(world::kMeetings)) + 24);
        QCOMPARE(send("GET", api(QStringLiteral("/contacts"))).array().size(), 3 + 24);
    }

    // ---- through the client's own REST caller ----

    void clientReadsEveryAnswer()
    {
        CUCMApiManager client;
        client.setRequestTimeout(kWaitMs);
        const QString prefix = m_server->base(m_server->rozPort); // the same data on both ports
        QSignalSpy errors(&client, &CUCMApiManager::signal_ucmapi_error);

        auto expect = [&](const char *signal, const std::function<void()> &call) {
            QSignalSpy spy(&client, QByteArray(QByteArray::number(QSIGNAL_CODE) + signal + "()").constData());
            call();
            drainEvents();
            return spy.count() == 1 && errors.isEmpty();
        };

        QVERIFY(expect("signal_getUsers_succeed", [&] { client.getUsers(prefix, kAlice); }));
        QCOMPARE(client.getSavedUsers().size(), 307);
        const ucmuserData alice = client.getSavedUsers().at(0);
        QCOMPARE(alice.displayName, QStringLiteral("Alice Chen"));
        QCOMPARE(alice.vmr, QStringLiteral("8201001"));
        QCOMPARE(send("GET", alice.imageURL).status, 200); // the address the client builds

        QVERIFY(expect("signal_getUser_succeed", [&] { client.getUser(prefix, kAlice, QStringLiteral("3")); }));
        QCOMPARE(client.getCurrentUser().displayName, QStringLiteral("Carol Wu"));

        QVERIFY(expect("signal_getContacts_succeed", [&] { client.getContacts(prefix, kAlice); }));
        QList<int> contactUsers;
        for (const ucmcontactData &c : client.getSavedContacts())
            contactUsers << c.userId;
        QCOMPARE(contactUsers, (QList<int>{1, 3, 4}));
        QVERIFY(expect("signal_addContact_succeed", [&] { client.postContact(prefix, kAlice, 5); }));
        QCOMPARE(client.getAddedContact().name, QStringLiteral("Erin Park"));
        QVERIFY(expect("signal_deleteContact_succeed", [&] {
            client.deleteContact(prefix, kAlice, QString::number(client.getAddedContact().id), QStringLiteral("5"));
        }));

        QVERIFY(expect("signal_getConferences_succeed", [&] { client.getConferences(prefix, kAlice); }));
        QSet<int> numbers;
        for (const ucmconferenceData &c : client.getSavedConferences())
            numbers << c.numericId;
        QCOMPARE(numbers, (QSet<int>{8201001, 1001, 1002, 1003, 1004, 1005, 1006, 1007}));

        ucmconferenceReqData request;
        request.name = QStringLiteral("From the client");
        request.startTime = daysFromNowAtNine(5);
        request.duration = 2700000;
        request.userIds = {1, 2};
        QVERIFY(expect("signal_addConference_succeed", [&] { client.postConference(prefix, kAlice, request); }));
        QVERIFY(expect("signal_getConferences_succeed", [&] { client.getConferences(prefix, kAlice); }));
        const ucmconferenceData mine = client.getSavedConferences().last();
        QCOMPARE(mine.name, request.name);
        QCOMPARE(mine.startTime, request.startTime);
        QCOMPARE(mine.users, request.userIds);
        QCOMPARE(mine.applicantId, 1);

        // "Start now" moves the start; the meeting is then running.
        request.id = mine.id;
        request.numericId = mine.numericId;
        request.startTime = QDateTime::currentMSecsSinceEpoch();
        QVERIFY(expect("signal_putConference_succeed", [&] { client.putConference(prefix, kAlice, request); }));
        QVERIFY(expect("signal_terminateConference_succeed",
                       [&] { client.terminateConference(prefix, kAlice, QString::number(mine.id)); }));
        QVERIFY(expect("signal_getParticipants_succeed",
                       [&] { client.getParticipants(prefix, kAlice, QStringLiteral("1006")); }));
        QCOMPARE(client.getSavedParticipants().size(), 4);
        QCOMPARE(client.getSavedParticipants().at(0).name, QStringLiteral("Dave Li"));

        QVERIFY(expect("signal_deleteConference_succeed", [&] {
            client.deleteConference(prefix, kAlice, QString::number(meetingByNumber(meetingsOf(kAlice), 1005)
                                                                        .value(QLatin1String("id"))
                                                                        .toInt()));
        }));

        // A token the server does not know: the client's renewal code.
        client.getConferences(prefix, QStringLiteral("sim-alice-x"));
        drainEvents();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), 1010);
    }

    // ---- the process ----

    void takenPortFailsLoudly_data()
    {
        QTest::addColumn<bool>("takePlain");
        QTest::newRow("ordinary port taken") << true;
        QTest::newRow("ROZ port taken") << false;
    }

    void takenPortFailsLoudly()
    {
        QFETCH(bool, takePlain);
        const int taken = takePlain ? m_server->plainPort : m_server->rozPort;
        DevServer second;
        const QString takenOption = takePlain ? QStringLiteral("--port") : QStringLiteral("--roz-port");
        const QString freeOption = takePlain ? QStringLiteral("--roz-port") : QStringLiteral("--port");
        QVERIFY(second.runToEnd({takenOption, QString::number(taken), freeOption, QStringLiteral("0")}));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QVERIFY(second.process.exitCode() != 0);
        QVERIFY(second.process.readAllStandardOutput().isEmpty());
        const QString error = QString::fromUtf8(second.process.readAllStandardError());
        QVERIFY2(error.contains(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(taken)), qPrintable(error));
        // The first one still serves every request alone.
        for (int i = 0; i < 4; ++i)
            QCOMPARE(send("GET", api(QStringLiteral("/users/1"))).status, 200);
    }

    void fixedPortsAreReported()
    {
        // Two ports that were free a moment ago.
        QTcpServer a, b;
        QVERIFY(a.listen(QHostAddress::LocalHost) && b.listen(QHostAddress::LocalHost));
        const int plain = a.serverPort(), roz = b.serverPort();
        a.close();
        b.close();
        DevServer fixed;
        QVERIFY(fixed.start({QStringLiteral("--port"), QString::number(plain), QStringLiteral("--roz-port"),
                             QString::number(roz), QStringLiteral("--http")}));
        QCOMPARE(fixed.plainPort, plain);
        QCOMPARE(fixed.rozPort, roz);
        QCOMPARE(send("GET", fixed.base(roz) + QStringLiteral("/api/rest/v2.0/users/1?token=sim-carol-2")).status, 200);
    }

    void stopsCleanlyOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }

    void stopsCleanlyOnSignal()
    {
        QFETCH(int, signal);
        // With a connection kept open, as the client keeps them.
        QNetworkAccessManager nam;
        QNetworkReply *reply = nam.get(QNetworkRequest(QUrl(api(QStringLiteral("/users/1")))));
        QSignalSpy finished(reply, &QNetworkReply::finished);
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(::kill(pid_t(m_server->process.processId()), signal), 0);
        QVERIFY(m_server->process.waitForFinished(kWaitMs));
        QCOMPARE(m_server->process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_server->process.exitCode(), 0);
        delete reply;
    }

    void badOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("port without number") << QStringList{QStringLiteral("--port")};
        QTest::newRow("port not a number") << QStringList{QStringLiteral("--port"), QStringLiteral("http")};
        QTest::newRow("port out of range") << QStringList{QStringLiteral("--roz-port"), QStringLiteral("70000")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--verbose")};
    }

    void badOptions()
    {
        QFETCH(QStringList, args);
        DevServer bad;
        QVERIFY(bad.runToEnd(args));
        QCOMPARE(bad.process.exitCode(), 2);
        QVERIFY(bad.process.readAllStandardOutput().isEmpty());
        QVERIFY(!bad.process.readAllStandardError().isEmpty());
    }
};

GLIMORA_TEST_MAIN(TestDevServer)
#include "tst_devserver.moc"
