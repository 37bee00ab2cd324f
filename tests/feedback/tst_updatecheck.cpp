// The update check: the version rule, which caller may start a check, the
// request to either update source against a loopback server, and stopping a
// check in progress.

#include "support/HttpFixtureServer.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/AppVersion.h"
#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CLoginManager.h"
#include "views/settings/CDownloadThread.h"
#include "views/settings/CUpdateGetJson.h"

#include <QElapsedTimer>

#include <memory>

using glimora::test::HttpFixtureServer;
using glimora::test::writeBytes;
using rj_app::helpers::CAppConfigUtils;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLoginManager;
using rj_app::views::CDownloadThread;
using rj_app::views::CUpdateGetJson;

namespace {

const int kWaitMs = 10000;
const char kInfoPath[] = "/update/com.glimora.desktop/windows.json";

QByteArray serverAnswer(const QByteArray &version)
{
    return "{\"PLATFORM\":\"windows\",\"VERSION\":\"" + version +
           "\",\"DOWNLOAD_URL\":\"http://127.0.0.1/pkg/glimora-" + version + ".exe\"}";
}

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

    HttpFixtureServer m_server;
    std::unique_ptr<CAppConfigUtils> m_appConfig;
    QList<bool> m_messages;  // signal_updateMessage, as received in the GUI thread
    QStringList m_failures;  // signal_updateCheckFailed's reasons, likewise

    // Checks that ended, with an answer or with a failure.
    int finishedChecks() const { return m_messages.size() + m_failures.size(); }

    static CDownloadThread *worker() { return CDownloadThread::getInstance(); }

    // The deployment names the fixture as update server, or no update server.
    void deploy(bool updateServer, const QByteArray &prefix = QByteArray())
    {
        worker()->setAppConfig(nullptr);
        const QString ini = glimora::test::isolatedRoot() + QStringLiteral("/deploy/app-config.ini");
        QByteArray text("[Config]\n");
        if (updateServer) {
            text += "SoftwareUpdateAddress=" + m_server.baseUrl().toUtf8() + "\n";
            text += "SoftwareUpdateFlag=update\nSoftwareUpdateBundleId=com.glimora.desktop\n";
            text += "SoftwareUpdateAppInfo=windows.json\n";
            text += "SoftwareUpdateAppInfoPrefix=" + prefix + "\n";
        }
        QVERIFY(writeBytes(ini, text));
        m_appConfig = std::make_unique<CAppConfigUtils>(ini);
        worker()->setAppConfig(m_appConfig.get());
    }

    // Starts a check and waits for its one announcement, either signal. The
    // worker is then stopped and everything it posted delivered, so a second
    // announcement would be counted, not missed.
    bool checkOnce(bool useAppConfigServer, bool force)
    {
        const int before = finishedChecks();
        worker()->Tstart(useAppConfigServer, force);
        QElapsedTimer waited;
        waited.start();
        while (finishedChecks() == before && waited.elapsed() < kWaitMs)
            QTest::qWait(5);
        worker()->Tquit();
        QCoreApplication::sendPostedEvents();
        return finishedChecks() == before + 1;
    }

private slots:
    void initTestCase()
    {
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(CUserConfigUtils::getInstance());
        QVERIFY(m_server.start());
        connect(worker(), &CDownloadThread::signal_updateMessage, this,
                [this](bool toUpdate) { m_messages << toUpdate; });
        connect(worker(), &CDownloadThread::signal_updateCheckFailed, this,
                [this](const QString &reason) { m_failures << reason; });
    }

    void init()
    {
        worker()->Tquit();
        CUpdateGetJson::setRequestTimeoutMs(CUpdateGetJson::m_iDefaultTimeoutMs);
        m_server.clearRoutes();
        m_server.clearRequests();
        QCoreApplication::processEvents();
        m_messages.clear();
        m_failures.clear();
        deploy(true);
    }

    void cleanupTestCase()
    {
        worker()->Tquit();
        worker()->setAppConfig(nullptr);
        m_server.stop();
        CUserConfigUtils::releaseInstance();
    }

    void localVersion() { QCOMPARE(QString::fromLatin1(rj_app::helpers::kAppVersion), QStringLiteral("2.8.0.4")); }

    void versionRule_data()
    {
        QTest::addColumn<QString>("remote");
        QTest::addColumn<bool>("newer");
        const auto row = [](const char *remote, bool newer) {
            QTest::newRow(*remote ? remote : "empty") << QString::fromLatin1(remote) << newer;
        };
        row("2.8.0.4", false);
        row("", false);
        row("2.8.0.5", true);
        row("2.8.1", true);
        row("2.10", true);
        row("3", true);
        row("2.8", false);
        row("2.8.0.3", false);
        row("2.7.9.9", false);
        row("2.8.0.4.0", true);
        row("2.08.0.4", false);
        row("2.x.9", false);
        row("2.8.0.4.", true);      // an empty fifth part still counts as a part
        row("10.0", true);          // numbers, not text
        row("99999999999.0", true); // beyond int
        row("garbage", false);
    }
    void versionRule()
    {
        QFETCH(QString, remote);
        QFETCH(bool, newer);
        QCOMPARE(CDownloadThread::isNewerVersion(remote, QStringLiteral("2.8.0.4")), newer);
    }

    void urls()
    {
        QCOMPARE(CDownloadThread::updateServerUrl("http://u", "f", "b", "info", ""),
                 QStringLiteral("http://u/f/b/info"));
        QCOMPARE(CDownloadThread::updateServerUrl("http://u", "f", "b", "info", "P"),
                 QStringLiteral("http://u/f/b/P.info"));
        QCOMPARE(CDownloadThread::latestAppVersionUrl(true, "meet.example", 443),
                 QStringLiteral("https://meet.example:443/api/rest/v2.0/latestAppVersion?appType=linux"));
        QCOMPARE(CDownloadThread::latestAppVersionUrl(false, "10.0.0.1", 8080),
                 QStringLiteral("http://10.0.0.1:8080/api/rest/v2.0/latestAppVersion?appType=linux"));
    }

    // The configured update server answers; only a complete, successful JSON
    // answer with a later version announces one. A check without a usable
    // answer is reported as failed, never as "no new version", and keeps the
    // version of the last answer.
    void updateServerAnswer_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<bool>("newer");
        QTest::addColumn<QString>("version"); // kept from the answer, or the earlier one

        QTest::newRow("newer") << 200 << serverAnswer("2.8.0.5") << 0 << false << true << "2.8.0.5";
        QTest::newRow("same") << 200 << serverAnswer("2.8.0.4") << 0 << false << false << "2.8.0.4";
        QTest::newRow("older") << 200 << serverAnswer("2.7.9.9") << 0 << false << false << "2.7.9.9";
        QTest::newRow("keys of the other source") << 200 << QByteArray("{\"version\":\"9.0\"}") << 0 << false
                                                  << false << "";
        QTest::newRow("malformed") << 200 << QByteArray("{\"VERSION\":\"9.0\"") << 0 << true << false << "1.0";
        QTest::newRow("HTTP error with JSON body") << 500 << serverAnswer("9.0") << 0 << true << false << "1.0";
        QTest::newRow("not found") << 404 << QByteArray() << 0 << true << false << "1.0";
        // An answer that would come long after the time-out, so that a slow
        // machine never mistakes it for the time-out.
        QTest::newRow("timeout") << 200 << serverAnswer("9.0") << 20000 << true << false << "1.0";
    }
    void updateServerAnswer()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, delayMs);
        QFETCH(bool, failed);
        QFETCH(bool, newer);
        QFETCH(QString, version);

        // A known earlier answer, to see whether a failure keeps it.
        m_server.addRoute("GET", QLatin1String(kInfoPath), 200, serverAnswer("1.0"));
        QVERIFY(checkOnce(true, false));
        QCOMPARE(worker()->version(), QStringLiteral("1.0"));

        CUpdateGetJson::setRequestTimeoutMs(300);
        m_server.addRoute("GET", QLatin1String(kInfoPath), status, body, delayMs);
        const int messagesBefore = m_messages.size();
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(checkOnce(true, false));
        if (failed) {
            QCOMPARE(m_messages.size(), messagesBefore);
            QCOMPARE(m_failures.size(), 1);
            QVERIFY(!m_failures.last().isEmpty());
            QCOMPARE(worker()->checkError(), m_failures.last());
            QCOMPARE(CDownloadThread::checkFailedText(m_failures.last()),
                     QStringLiteral("update check failed: ") + m_failures.last());
        } else {
            QVERIFY(m_failures.isEmpty());
            QCOMPARE(m_messages.size(), messagesBefore + 1);
            QCOMPARE(m_messages.last(), newer);
            QVERIFY(worker()->checkError().isEmpty());
        }
        QCOMPARE(worker()->isNewVersionFound(), newer);
        QVERIFY2(elapsed.elapsed() < kWaitMs, qPrintable(QString::number(elapsed.elapsed())));
        QCOMPARE(worker()->version(), version);
        if (newer)
            QCOMPARE(worker()->downloadUrl(), QStringLiteral("http://127.0.0.1/pkg/glimora-2.8.0.5.exe"));
        QCOMPARE(m_server.lastRequest().path, QLatin1String(kInfoPath));
        QCOMPARE(m_server.lastRequest().method, QByteArray("GET"));
    }

    void appInfoPrefix()
    {
        deploy(true, "beta");
        m_server.addRoute("GET", QStringLiteral("/update/com.glimora.desktop/beta.windows.json"), 200,
                          serverAnswer("2.9"));
        QVERIFY(checkOnce(true, false));
        QCOMPARE(m_messages.last(), true);
    }

    // Without an update server the management server of the sign-in answers,
    // with its own keys.
    void managementServerAnswer()
    {
        deploy(false);
        CLoginManager *login = CLoginManager::getInstance();
        const QString host = login->m_qstrServerHostName;
        const int port = login->m_iPort;
        login->m_qstrServerHostName = QStringLiteral("127.0.0.1");
        login->m_iPort = m_server.port();
        CUserConfigUtils::getInstance()->setUseHttps(false);
        m_server.addRoute("GET", QStringLiteral("/api/rest/v2.0/latestAppVersion"), 200,
                          "{\"version\":\"2.8.1\",\"downloadUrl\":\"http://127.0.0.1/p.exe\",\"VERSION\":\"1\"}");

        const bool ran = checkOnce(false, false);
        login->m_qstrServerHostName = host;
        login->m_iPort = port;
        QVERIFY(ran);
        QCOMPARE(m_messages.last(), true);
        QCOMPARE(worker()->version(), QStringLiteral("2.8.1"));
        QCOMPARE(worker()->downloadUrl(), QStringLiteral("http://127.0.0.1/p.exe"));
        QCOMPARE(m_server.lastRequest().query.queryItemValue(QStringLiteral("appType")), QStringLiteral("linux"));
    }

    // With an update server, the start-up check runs and sign-ins start none;
    // without one, the reverse. The settings page's forced check always runs.
    void whoMayStart_data()
    {
        QTest::addColumn<bool>("updateServer");
        QTest::addColumn<bool>("useAppConfigServer");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("runs");
        QTest::newRow("server, start-up") << true << true << false << true;
        QTest::newRow("server, sign-in") << true << false << false << false;
        QTest::newRow("no server, start-up") << false << true << false << false;
        QTest::newRow("no server, sign-in") << false << false << false << true;
        QTest::newRow("server, settings") << true << true << true << true;
        QTest::newRow("no server, settings") << false << true << true << true;
    }
    void whoMayStart()
    {
        QFETCH(bool, updateServer);
        QFETCH(bool, useAppConfigServer);
        QFETCH(bool, force);
        QFETCH(bool, runs);
        deploy(updateServer);
        CUpdateGetJson::setRequestTimeoutMs(300);
        worker()->Tstart(useAppConfigServer, force);
        if (runs) {
            QTRY_COMPARE_WITH_TIMEOUT(finishedChecks(), 1, kWaitMs);
            QCOMPARE(m_server.requestCount(), updateServer ? 1 : 0);
        } else {
            QVERIFY(!worker()->isRunning());
            QCoreApplication::processEvents();
            QCOMPARE(finishedChecks(), 0);
            QCOMPARE(m_server.requestCount(), 0);
        }
        worker()->Tquit();
    }

    // A stop request ends a check that waits for its answer at once, and the
    // stopped check announces nothing; the next start checks normally.
    void quitStopsRunningCheck()
    {
        CUpdateGetJson::setRequestTimeoutMs(60000);
        m_server.addRoute("GET", QLatin1String(kInfoPath), 200, serverAnswer("3.0"), 30000);
        worker()->Tstart(true, true);
        QVERIFY(m_server.waitForRequests(1, kWaitMs));
        QElapsedTimer elapsed;
        elapsed.start();
        worker()->Tquit();
        QVERIFY(elapsed.elapsed() < 5000);
        QVERIFY(!worker()->isRunning());
        QCoreApplication::processEvents();
        QCOMPARE(finishedChecks(), 0);

        // Stopped before the request went out.
        worker()->Tstart(true, true);
        worker()->Tquit();
        QVERIFY(!worker()->isRunning());

        m_server.addRoute("GET", QLatin1String(kInfoPath), 200, serverAnswer("3.0"));
        QVERIFY(checkOnce(true, true));
        QCOMPARE(m_messages, QList<bool>{true});
        QVERIFY(m_failures.isEmpty());
    }

    // A new start replaces a check in progress: one announcement, the new one.
    void startReplacesRunningCheck()
    {
        CUpdateGetJson::setRequestTimeoutMs(60000);
        m_server.addRoute("GET", QLatin1String(kInfoPath), 200, serverAnswer("3.0"), 30000);
        worker()->Tstart(true, true);
        QVERIFY(m_server.waitForRequests(1, kWaitMs));
        m_server.addRoute("GET", QLatin1String(kInfoPath), 200, serverAnswer("2.8.0.4"));
        worker()->Tstart(true, false);
        QTRY_COMPARE_WITH_TIMEOUT(finishedChecks(), 1, kWaitMs);
        QCOMPARE(m_messages, QList<bool>{false});
        QCOMPARE(worker()->version(), QStringLiteral("2.8.0.4"));
    }
};

GLIMORA_TEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
