// Hostile answers of the management server: every list operation of the REST
// client against answers past its size limits, as the server and as a raw
// socket deliver them. A refused answer leaves the kept list as it was and
// announces nothing.

#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include "models/CUCMApiManager.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

using glimora::test::HttpFixtureServer;
using rj_app::models::CUCMApiManager;

namespace {

const QString kToken = QStringLiteral("tok");

// One list operation: how to call it, where it goes, what it signals and how
// many records it keeps.
struct ListOperation
{
    QString path;
    std::function<void(CUCMApiManager &, const QString &)> call;
    void (CUCMApiManager::*succeeded)();
    std::function<int(const CUCMApiManager &)> kept;
};

const QMap<QString, ListOperation> &operations()
{
    static const QMap<QString, ListOperation> table{
        {QStringLiteral("users"),
         {QStringLiteral("/api/rest/v2.0/users"),
          [](CUCMApiManager &m, const QString &prefix) { m.getUsers(prefix, kToken); },
          &CUCMApiManager::signal_getUsers_succeed,
          [](const CUCMApiManager &m) { return m.getSavedUsers().size(); }}},
        {QStringLiteral("contacts"),
         {QStringLiteral("/api/rest/v2.0/contacts"),
          [](CUCMApiManager &m, const QString &prefix) { m.getContacts(prefix, kToken); },
          &CUCMApiManager::signal_getContacts_succeed,
          [](const CUCMApiManager &m) { return m.getSavedContacts().size(); }}},
        {QStringLiteral("meetings"),
         {QStringLiteral("/api/rest/v2.0/meetings"),
          [](CUCMApiManager &m, const QString &prefix) { m.getConferences(prefix, kToken); },
          &CUCMApiManager::signal_getConferences_succeed,
          [](const CUCMApiManager &m) { return m.getSavedConferences().size(); }}},
        {QStringLiteral("participants"),
         {QStringLiteral("/api/rest/v2.0/meetings/9/simpleparticipants"),
          [](CUCMApiManager &m, const QString &prefix) { m.getParticipants(prefix, kToken, QStringLiteral("9")); },
          &CUCMApiManager::signal_getParticipants_succeed,
          [](const CUCMApiManager &m) { return m.getSavedParticipants().size(); }}},
    };
    return table;
}

QByteArray emptyObjects(int count)
{
    QByteArray list = "[";
    list += QByteArray("{},").repeated(count);
    list.chop(count > 0 ? 1 : 0);
    return list + ']';
}

// An answer with no length announced: the header and a few bytes first, the
// bulk 20 ms later in one burst, then the connection closes.
class BurstServer : public QTcpServer
{
public:
    explicit BurstServer(const QByteArray &body)
    {
        const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: application/json;charset=UTF-8\r\n"
                                "Connection: close\r\n\r\n";
        connect(this, &QTcpServer::newConnection, this, [this, head, body] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket, head, body] {
                    socket->readAll();
                    socket->write(head + body.left(10));
                    socket->flush();
                    QTimer::singleShot(20, socket, [socket, body] {
                        socket->write(body.mid(10));
                        socket->flush();
                        socket->disconnectFromHost();
                    });
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
};

} // namespace

// Lowered for the limit cases, so their answers stay small.
constexpr qint64 kByteLimit = 1024 * 1024;
constexpr int kRecordLimit = 2000;

class TestOutsideInput : public QObject
{
    Q_OBJECT

    HttpFixtureServer m_server;

private slots:
    void initTestCase() { QVERIFY(m_server.start()); }
    void cleanupTestCase() { m_server.stop(); }
    void init() { m_server.clearRoutes(); }

    void listAnswerLimits_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("burst"); // close-delimited, bulk in one late burst
        QTest::addColumn<int>("kept");   // -1: refused

        const int records = kRecordLimit;
        const int bytes = int(kByteLimit);
        const QByteArray pastBytes = '[' + QByteArray(bytes, ' ') + ']';
        const QByteArray underBytes = '[' + QByteArray(bytes - 2, ' ') + ']';
        for (auto it = operations().cbegin(); it != operations().cend(); ++it) {
            const QString op = it.key();
            const auto row = [&op](const char *what) -> QTestData & {
                return QTest::newRow(qPrintable(op + QLatin1String(what)));
            };
            row(": empty objects past the record limit") << op << emptyObjects(records + 1) << false << -1;
            row(": at the record limit") << op << emptyObjects(records) << false << records;
            row(": past the byte limit") << op << pastBytes << false << -1;
            row(": past the byte limit, late burst") << op << pastBytes << true << -1;
            row(": at the byte limit, late burst") << op << underBytes << true << 0;
        }
    }

    void listAnswerLimits()
    {
        QFETCH(QString, operation);
        QFETCH(QByteArray, body);
        QFETCH(bool, burst);
        QFETCH(int, kept);
        const ListOperation &op = operations()[operation];

        CUCMApiManager manager;
        manager.setAnswerLimits(kByteLimit, kRecordLimit);
        QSignalSpy succeeded(&manager, op.succeeded);
        QSignalSpy errors(&manager, &CUCMApiManager::signal_ucmapi_error);
        QSignalSpy unreachable(&manager, &CUCMApiManager::signal_ucmapi_unreachable);

        // One record kept from an earlier answer.
        m_server.addRoute("GET", op.path, 200, "[{\"id\":7,\"userId\":7}]");
        op.call(manager, m_server.baseUrl());
        QTRY_COMPARE(succeeded.count(), 1);
        QCOMPARE(op.kept(manager), 1);

        BurstServer burstServer(body);
        QString prefix = m_server.baseUrl();
        if (burst) {
            QVERIFY(burstServer.listen(QHostAddress::LocalHost));
            prefix = QStringLiteral("http://127.0.0.1:%1").arg(burstServer.serverPort());
        } else {
            m_server.addRoute("GET", op.path, 200, body);
        }
        op.call(manager, prefix);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(succeeded.count(), kept < 0 ? 1 : 2);
        QCOMPARE(op.kept(manager), kept < 0 ? 1 : kept);
        QCOMPARE(errors.count(), 0);
        // A refused answer is reported, never dropped in silence.
        QCOMPARE(unreachable.count(), kept < 0 ? 1 : 0);
    }

    // The default limits hold the directory of a large organisation.
    void largeDirectoryLoads()
    {
        const int count = 100000;
        QByteArray body = "[";
        for (int id = 1; id <= count; ++id) {
            if (id > 1)
                body += ',';
            const QByteArray n = QByteArray::number(id);
            body += "{\"id\":" + n + ",\"name\":\"user" + n + "\",\"displayName\":\"User Number " + n
                    + "\",\"imageURL\":\"/userFiles/avatar/" + n + ".jpg\",\"email\":\"user" + n
                    + "@example.org\",\"cellphone\":\"+86 138 0000 " + n + "\",\"org\":\"Example Org\","
                    + "\"dept\":\"Unit " + QByteArray::number(id % 97) + "\"}";
        }
        body += ']';
        m_server.addRoute("GET", QStringLiteral("/api/rest/v2.0/users"), 200, body);
        CUCMApiManager manager;
        manager.setRequestTimeout(60000);
        QSignalSpy succeeded(&manager, &CUCMApiManager::signal_getUsers_succeed);
        QSignalSpy unreachable(&manager, &CUCMApiManager::signal_ucmapi_unreachable);
        manager.getUsers(m_server.baseUrl(), QStringLiteral("token"));
        QTRY_COMPARE(succeeded.count(), 1);
        QCOMPARE(unreachable.count(), 0);
        QCOMPARE(manager.getSavedUsers().size(), count);
        QCOMPARE(manager.getSavedUsers().last().id, count);
    }
};

GLIMORA_TEST_MAIN(TestOutsideInput)
#include "tst_outsideinput.moc"
