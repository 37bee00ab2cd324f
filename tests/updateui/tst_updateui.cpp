// The update prompt (states, progress and speed), the package download
// (success, HTTP error, truncated and stalled bodies, unsafe names) and the
// worker's flow from a found version to the installer hand-off and exit.

#include "support/AlertBoxSeam.h"
#include "support/HttpFixtureServer.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CLoginManager.h"
#include "views/settings/CDownloadManager.h"
#include "views/settings/CDownloadThread.h"
#include "views/settings/CUpdateGetJson.h"
#include "views/settings/CUpdateMessageWidget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

using glimora::test::AlertBoxSeam;
using glimora::test::HttpFixtureServer;
using rj_app::helpers::CAppConfigUtils;
using rj_app::helpers::CUserConfigUtils;
using rj_app::views::CDownloadManager;
using rj_app::views::CDownloadThread;
using rj_app::views::CUpdateGetJson;
using rj_app::views::CUpdateMessageWidget;

namespace {

const int kWaitMs = 10000;
const char kInfoPath[] = "/update/com.glimora.desktop/windows.json";

template<typename T>
T *child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QLatin1String(name));
}

bool visible(QWidget *w, const char *name)
{
    QWidget *c = child<QWidget>(w, name);
    return c && c->isVisibleTo(w);
}

// Answers every connection with a header promising more bytes than follow,
// then hangs up: a transfer cut short.
class TruncatingServer : public QTcpServer
{
public:
    TruncatingServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    socket->readAll();
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                                  "Content-Length: 1000\r\nConnection: close\r\n\r\n0123456789");
                    socket->flush();
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
};

} // namespace

class TestUpdateUi : public QObject
{
    Q_OBJECT

    HttpFixtureServer m_server;
    std::unique_ptr<CAppConfigUtils> m_appConfig;
    QString m_saveDir;
    QStringList m_launched;
    int m_exits = 0;
    bool m_launchResult = true;

    static CDownloadThread *worker() { return CDownloadThread::getInstance(); }

    void answerVersion(const QByteArray &version, const QString &packagePath)
    {
        m_server.addRoute("GET", QLatin1String(kInfoPath), 200,
                          "{\"PLATFORM\":\"windows\",\"VERSION\":\"" + version + "\",\"DOWNLOAD_URL\":\""
                              + (m_server.baseUrl() + packagePath).toUtf8() + "\"}");
    }

    // The deployment names the fixture (its port changes on a restart).
    void deploy()
    {
        worker()->setAppConfig(nullptr);
        const QString ini = glimora::test::isolatedRoot() + QStringLiteral("/deploy/app-config.ini");
        QVERIFY(glimora::test::writeBytes(
            ini, "[Config]\nSoftwareUpdateAddress=" + m_server.baseUrl().toUtf8()
                     + "\nSoftwareUpdateFlag=update\nSoftwareUpdateBundleId=com.glimora.desktop\n"
                       "SoftwareUpdateAppInfo=windows.json\n"));
        m_appConfig = std::make_unique<CAppConfigUtils>(ini);
        worker()->setAppConfig(m_appConfig.get());
    }

    // Runs a check that finds a newer version and returns the prompt.
    CUpdateMessageWidget *openPrompt()
    {
        worker()->Tstart(true, true);
        if (!QTest::qWaitFor([] { return worker()->updateMessageWidget() != nullptr; }, kWaitMs))
            return nullptr;
        CUpdateMessageWidget *prompt = worker()->updateMessageWidget();
        return QTest::qWaitForWindowExposed(prompt) ? prompt : nullptr;
    }

    // Runs the manager in this thread until it reports.
    static bool download(CDownloadManager &manager, const QUrl &url, bool *succeed)
    {
        QSignalSpy spy(&manager, &CDownloadManager::signal_finished);
        manager.append(url);
        if (!spy.wait(kWaitMs) && spy.isEmpty())
            return false;
        *succeed = spy.first().first().toBool();
        return true;
    }

private slots:
    void initTestCase()
    {
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(CUserConfigUtils::getInstance());
        QVERIFY(m_server.start());
        m_saveDir = glimora::test::isolatedRoot() + QStringLiteral("/downloads");
        QVERIFY(QDir().mkpath(m_saveDir));
        CDownloadManager::setSaveDirectory(m_saveDir);

        worker()->setInstallerLauncher([this](const QString &path) {
            m_launched << path;
            return m_launchResult;
        });
        worker()->setExitApp([this] { ++m_exits; });
    }

    void init()
    {
        worker()->Tquit();
        if (CUpdateMessageWidget *prompt = worker()->updateMessageWidget())
            prompt->close();
        worker()->slot_No(); // forgets the prompt
        QCoreApplication::processEvents();
        CDownloadManager::setTransferTimeoutMs(CDownloadManager::m_iDefaultTransferTimeoutMs);
        m_server.clearRoutes();
        m_server.clearRequests();
        m_launched.clear();
        m_exits = 0;
        m_launchResult = true;
        deploy();
    }

    void cleanupTestCase()
    {
        worker()->Tquit();
        worker()->slot_No();
        worker()->setInstallerLauncher(nullptr);
        worker()->setExitApp(nullptr);
        worker()->setAppConfig(nullptr);
        m_server.stop();
        CUserConfigUtils::releaseInstance();
    }

    // --- the prompt on its own ---

    void speedText_data()
    {
        QTest::addColumn<qlonglong>("bytes");
        QTest::addColumn<int>("timeMs");
        QTest::addColumn<QString>("text");
        QTest::newRow("bytes") << 100LL << 1000 << QStringLiteral("100.0 bytes/s");
        QTest::newRow("kB lower limit") << 1024LL << 1000 << QStringLiteral("1.0 kB/s");
        QTest::newRow("kB") << 1536LL << 1000 << QStringLiteral("1.5 kB/s");
        QTest::newRow("MB") << 3145728LL << 2000 << QStringLiteral("1.5 MB/s");
        QTest::newRow("padded") << 5LL << 1000 << QStringLiteral("5.0 bytes/s");
    }
    void speedText()
    {
        QFETCH(qlonglong, bytes);
        QFETCH(int, timeMs);
        QFETCH(QString, text);
        QCOMPARE(CUpdateMessageWidget::speedText(bytes, timeMs), text);
        // No elapsed time yet: an endless speed, never a crash or a division fault.
        QVERIFY(CUpdateMessageWidget::speedText(bytes, 0).endsWith(QLatin1String("MB/s")));
    }

    void promptStates()
    {
        auto *prompt = new CUpdateMessageWidget(nullptr);
        QPointer<CUpdateMessageWidget> guard(prompt);
        prompt->showVersion(QStringLiteral("The latest software is found (3.0.0.0)"));
        QVERIFY(QTest::qWaitForWindowExposed(prompt));
        QCOMPARE(child<QLabel>(prompt, "m_versionText")->text(),
                 QStringLiteral("The latest software is found (3.0.0.0)"));
        QVERIFY(visible(prompt, "m_pBtnDown") && visible(prompt, "m_pBtnCancel"));
        QVERIFY(!visible(prompt, "m_pBtnYes") && !visible(prompt, "m_pBtnNo"));
        QVERIFY(!visible(prompt, "m_progressBar"));

        QSignalSpy down(prompt, &CUpdateMessageWidget::signal_DownLoad);
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnDown"), Qt::LeftButton);
        QCOMPARE(down.count(), 1);
        QVERIFY(visible(prompt, "m_progressBar") && visible(prompt, "m_downValue"));
        QVERIFY(!visible(prompt, "m_versionText") && !visible(prompt, "m_pBtnDown"));
        QVERIFY(visible(prompt, "m_pBtnCancel"));
        QCOMPARE(child<QLabel>(prompt, "m_downStatus")->text(), QStringLiteral("Downloading the latest software"));

        auto *bar = child<QProgressBar>(prompt, "m_progressBar");
        prompt->setProgress(1536, 4096, 1000);
        QCOMPARE(bar->maximum(), 4096);
        QCOMPARE(bar->value(), 1536);
        QVERIFY(!bar->isTextVisible() || bar->text().isEmpty());
        QCOMPARE(child<QLabel>(prompt, "m_downValue")->text(), QStringLiteral("1.5 kB/s"));

        prompt->downfinish(true);
        QVERIFY(visible(prompt, "m_pBtnYes") && visible(prompt, "m_pBtnNo"));
        QVERIFY(!visible(prompt, "m_pBtnDown") && !visible(prompt, "m_pBtnCancel"));
        QCOMPARE(bar->value(), bar->maximum());

        prompt->downfinish(false);
        QCOMPARE(child<QLabel>(prompt, "m_versionText")->text(), QStringLiteral("download failed"));
        QVERIFY(visible(prompt, "m_pBtnDown") && visible(prompt, "m_pBtnCancel"));
        QVERIFY(!visible(prompt, "m_pBtnYes") && !visible(prompt, "m_progressBar"));
        // A new check keeps the failure text.
        prompt->showVersion(QStringLiteral("The latest software is found (3.0.0.0)"));
        QCOMPARE(child<QLabel>(prompt, "m_versionText")->text(), QStringLiteral("download failed"));

        QSignalSpy cancel(prompt, &CUpdateMessageWidget::signal_Cancel);
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnCancel"), Qt::LeftButton);
        QCOMPARE(cancel.count(), 1);
        QVERIFY(prompt->isVisible()); // only the worker closes it
        prompt->close();
        QTRY_VERIFY(guard.isNull());
    }

    // --- the downloader ---

    void fileNames_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "http://h/files/client.exe" << "client.exe";
        QTest::newRow("no path") << "http://h" << "download.exe";
        QTest::newRow("trailing slash") << "http://h/files/" << "download.exe";
        QTest::newRow("dot dot") << "http://h/files/.." << "download.exe";
        QTest::newRow("encoded dot dot") << "http://h/files/%2E%2E" << "download.exe";
        QTest::newRow("encoded slashes") << "http://h/a/..%2F..%2F.bashrc" << ".bashrc";
        QTest::newRow("encoded backslashes") << "http://h/a/..%5C..%5Cevil.exe" << "evil.exe";
        QTest::newRow("control characters") << "http://h/a/x%0Ay%00.exe" << "xy.exe";
        QTest::newRow("blank") << "http://h/a/%20%20" << "download.exe";
        QTest::newRow("query ignored") << "http://h/a/pkg.deb?x=../../y" << "pkg.deb";
    }
    void fileNames()
    {
        QFETCH(QString, url);
        QFETCH(QString, name);
        const QString got = CDownloadManager::fileNameForUrl(QUrl(url, QUrl::TolerantMode));
        QCOMPARE(got, name);
        QVERIFY(!got.contains(QLatin1Char('/')) && !got.contains(QLatin1Char('\\')));
    }

    void downloadOutcomes_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<bool>("succeed");
        QTest::newRow("success") << 200 << 0 << 0 << true;
        QTest::newRow("404") << 404 << 0 << 0 << false;
        QTest::newRow("500") << 500 << 0 << 0 << false;
        QTest::newRow("stalled past the timeout") << 200 << 5000 << 200 << false;
    }
    void downloadOutcomes()
    {
        QFETCH(int, status);
        QFETCH(int, delayMs);
        QFETCH(int, timeoutMs);
        QFETCH(bool, succeed);
        if (timeoutMs > 0)
            CDownloadManager::setTransferTimeoutMs(timeoutMs);
        const QByteArray body(70000, 'p');
        m_server.addRoute("GET", QStringLiteral("/pkg/client-9.exe"), status, body, delayMs,
                          "application/octet-stream");
        const QString path = QDir(m_saveDir).filePath(QStringLiteral("client-9.exe"));
        QVERIFY(glimora::test::writeBytes(path, "stale package"));

        CDownloadManager manager;
        QSignalSpy progress(&manager, &CDownloadManager::signal_downloadProgress);
        bool ok = !succeed;
        QVERIFY(download(manager, QUrl(m_server.baseUrl() + QStringLiteral("/pkg/client-9.exe")), &ok));
        QCOMPARE(ok, succeed);
        QCOMPARE(QDir::fromNativeSeparators(manager.getSaveFilePath()), path);
        if (succeed) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), body);
            QVERIFY(!progress.isEmpty());
            QCOMPARE(progress.last().at(0).toLongLong(), qlonglong(body.size()));
        } else {
            // Neither the stale file nor a partial one is left to be started.
            QVERIFY(!QFile::exists(path));
        }
        m_server.stop();
        QVERIFY(m_server.start()); // ends a delay still in progress
    }

    void truncatedBodyFails()
    {
        TruncatingServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        CDownloadManager manager;
        bool ok = true;
        QVERIFY(download(manager, QUrl(QStringLiteral("http://127.0.0.1:%1/cut.exe").arg(server.serverPort())),
                         &ok));
        QVERIFY(!ok);
        QVERIFY(!QFile::exists(QDir(m_saveDir).filePath(QStringLiteral("cut.exe"))));
    }

    void unwritableFolderReportsFailure()
    {
        CDownloadManager::setSaveDirectory(m_saveDir + QStringLiteral("/missing/folder"));
        m_server.addRoute("GET", QStringLiteral("/pkg/a.exe"), 200, "x", 0, "application/octet-stream");
        CDownloadManager manager;
        bool ok = true;
        const bool reported = download(manager, QUrl(m_server.baseUrl() + QStringLiteral("/pkg/a.exe")), &ok);
        CDownloadManager::setSaveDirectory(m_saveDir);
        QVERIFY(reported);
        QVERIFY(!ok);
    }

    // --- the worker's flow ---

    void downloadAndInstall()
    {
        const QByteArray body(50000, 'i');
        answerVersion("3.0.0.0", QStringLiteral("/pkg/glimora-3.0.0.0.exe"));
        m_server.addRoute("GET", QStringLiteral("/pkg/glimora-3.0.0.0.exe"), 200, body, 0, "application/octet-stream");
        CUpdateMessageWidget *prompt = openPrompt();
        QVERIFY(prompt);
        QCOMPARE(child<QLabel>(prompt, "m_versionText")->text(),
                 QStringLiteral("The latest software is found (3.0.0.0)"));

        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnDown"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(visible(prompt, "m_pBtnYes"), kWaitMs);
        QVERIFY(m_launched.isEmpty());
        const QString expected = QDir(m_saveDir).filePath(QStringLiteral("glimora-3.0.0.0.exe"));
        QCOMPARE(QDir::fromNativeSeparators(worker()->downloadedFilePath()), expected);

        QPointer<CUpdateMessageWidget> guard(prompt);
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnYes"), Qt::LeftButton);
        QCOMPARE(m_launched.size(), 1);
        QCOMPARE(QDir::fromNativeSeparators(m_launched.first()), expected);
        QCOMPARE(m_exits, 1);
        QVERIFY(!worker()->isRunning());
        QTRY_VERIFY(guard.isNull());
        QVERIFY(!worker()->updateMessageWidget());
    }

    // The management server answers with a path: the package comes from that
    // server, scheme and port of the sign-in.
    void relativePackageUrlFromManagementServer()
    {
        worker()->setAppConfig(nullptr);
        const QString ini = glimora::test::isolatedRoot() + QStringLiteral("/deploy/none.ini");
        QVERIFY(glimora::test::writeBytes(ini, "[Config]\n"));
        CAppConfigUtils noUpdateServer(ini);
        worker()->setAppConfig(&noUpdateServer);
        rj_app::models::CLoginManager *login = rj_app::models::CLoginManager::getInstance();
        const QString host = login->m_qstrServerHostName;
        const int port = login->m_iPort;
        login->m_qstrServerHostName = QStringLiteral("127.0.0.1");
        login->m_iPort = m_server.port();
        CUserConfigUtils::getInstance()->setUseHttps(false);

        m_server.addRoute("GET", QStringLiteral("/api/rest/v2.0/latestAppVersion"), 200,
                          "{\"version\":\"3.0.0.0\",\"downloadUrl\":\"/files/client.exe\"}");
        m_server.addRoute("GET", QStringLiteral("/files/client.exe"), 200, "pkg", 0, "application/octet-stream");
        worker()->Tstart(false, false);
        const bool opened = QTest::qWaitFor([] { return worker()->updateMessageWidget() != nullptr; }, kWaitMs);
        CUpdateMessageWidget *prompt = worker()->updateMessageWidget();
        if (opened)
            QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnDown"), Qt::LeftButton);
        const bool downloaded = opened && QTest::qWaitFor([prompt] { return visible(prompt, "m_pBtnYes"); }, kWaitMs);

        login->m_qstrServerHostName = host;
        login->m_iPort = port;
        CUserConfigUtils::getInstance()->setUseHttps(true);
        worker()->slot_No();
        worker()->setAppConfig(m_appConfig.get());
        QVERIFY(opened);
        QVERIFY(downloaded);
        QCOMPARE(m_server.lastRequest().path, QStringLiteral("/files/client.exe"));
        QCOMPARE(QFileInfo(worker()->downloadedFilePath()).fileName(), QStringLiteral("client.exe"));
    }

    void launcherRefusesKeepsRunning()
    {
        AlertBoxSeam boxes(QDialogButtonBox::Ok);
        m_launchResult = false;
        answerVersion("3.0.0.0", QStringLiteral("/pkg/b.exe"));
        m_server.addRoute("GET", QStringLiteral("/pkg/b.exe"), 200, "bin", 0, "application/octet-stream");
        CUpdateMessageWidget *prompt = openPrompt();
        QVERIFY(prompt);
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnDown"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(visible(prompt, "m_pBtnYes"), kWaitMs);
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnYes"), Qt::LeftButton);
        QCOMPARE(m_launched.size(), 1);
        QCOMPARE(m_exits, 0);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("Failed to execute upgrade."));
        QCOMPARE(worker()->updateMessageWidget(), prompt);
        QVERIFY(visible(prompt, "m_pBtnYes") && visible(prompt, "m_pBtnNo"));

        QPointer<CUpdateMessageWidget> guard(prompt);
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnNo"), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
        QVERIFY(!worker()->isRunning());
    }

    void failedDownloadIsNeverStarted_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("404") << 404;
        QTest::newRow("403") << 403;
    }
    void failedDownloadIsNeverStarted()
    {
        QFETCH(int, status);
        answerVersion("3.0.0.0", QStringLiteral("/pkg/c.exe"));
        m_server.addRoute("GET", QStringLiteral("/pkg/c.exe"), status, "<html>no</html>", 0, "text/html");
        CUpdateMessageWidget *prompt = openPrompt();
        QVERIFY(prompt);
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnDown"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(prompt, "m_versionText")->text(), QStringLiteral("download failed"),
                                  kWaitMs);
        // The check runs again and offers Download once more.
        QTRY_VERIFY_WITH_TIMEOUT(m_server.requests().size() >= 3, kWaitMs);
        QTRY_VERIFY(visible(prompt, "m_pBtnDown") && visible(prompt, "m_pBtnCancel"));
        QVERIFY(!visible(prompt, "m_pBtnYes"));
        QVERIFY(worker()->downloadedFilePath().isEmpty());
        QVERIFY(!QFile::exists(QDir(m_saveDir).filePath(QStringLiteral("c.exe"))));
        // Yes is not offered; even a stray Yes hands nothing on.
        AlertBoxSeam boxes(QDialogButtonBox::Ok);
        worker()->slot_Yes();
        QVERIFY(m_launched.isEmpty());
        QCOMPARE(m_exits, 0);
    }

    void cancelDuringDownload()
    {
        answerVersion("3.0.0.0", QStringLiteral("/pkg/slow.exe"));
        m_server.addRoute("GET", QStringLiteral("/pkg/slow.exe"), 200, "late", 8000, "application/octet-stream");
        CUpdateMessageWidget *prompt = openPrompt();
        QVERIFY(prompt);
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnDown"), Qt::LeftButton);
        QVERIFY(m_server.waitForRequests(2, kWaitMs));
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnCancel"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(prompt, "m_versionText")->text(), QStringLiteral("download failed"),
                                  kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(visible(prompt, "m_pBtnDown"), kWaitMs);
        QVERIFY(m_launched.isEmpty());
        QVERIFY(!QFile::exists(QDir(m_saveDir).filePath(QStringLiteral("slow.exe"))));
        m_server.stop();
        QVERIFY(m_server.start());
    }

    void cancelBeforeDownloadClosesAndEnds()
    {
        answerVersion("3.0.0.0", QStringLiteral("/pkg/d.exe"));
        CUpdateMessageWidget *prompt = openPrompt();
        QVERIFY(prompt);
        QPointer<CUpdateMessageWidget> guard(prompt);
        QVERIFY(worker()->isRunning()); // waiting for the choice
        QTest::mouseClick(child<QPushButton>(prompt, "m_pBtnCancel"), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
        QVERIFY(!worker()->updateMessageWidget());
        QTRY_VERIFY_WITH_TIMEOUT(!worker()->isRunning(), kWaitMs);
        QCOMPARE(m_server.requestCount(), 1);
        QVERIFY(m_launched.isEmpty());
    }

    void quitEndsWaitingWorker()
    {
        answerVersion("3.0.0.0", QStringLiteral("/pkg/e.exe"));
        QVERIFY(openPrompt());
        QVERIFY(worker()->isRunning());
        worker()->Tquit();
        QVERIFY(!worker()->isRunning());
    }
};

GLIMORA_TEST_MAIN(TestUpdateUi)
#include "tst_updateui.moc"
