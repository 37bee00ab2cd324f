// The login manager against the simulated engine: engine bring-up, the login
// sequence and what it stores, the status machine's side effects, failures,
// automatic login, token renewal and the avatar.

#include "support/SignInServer.h"
#include "support/TestMain.h"

#include "helpers/AppVersion.h"
#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "rjsim_control.h"

#include <QDir>
#include <QScopeGuard>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTcpServer>

#include <memory>

using rj_app::helpers::CAppConfigUtils;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::models::CUrlJoinConfArgsParser;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;

QByteArray q(const std::string &text)
{
    return QByteArray::fromStdString(text);
}

QString configFilePath()
{
    return CUserConfigUtils::getUserConfigPath() + QStringLiteral("/Glimora/Config/config.ini");
}

// The keys of the [Config] section as the file holds them.
QMap<QString, QString> storedConfig()
{
    QMap<QString, QString> keys;
    QFile file(configFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inConfig = false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inConfig = line == QLatin1String("[Config]");
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (inConfig && eq > 0)
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

// The avatar downloads left behind in the user data directory.
QStringList avatarTempFiles()
{
    return QDir(CUserConfigUtils::getUserConfigPath()).entryList({QStringLiteral("*_header.jpg")}, QDir::Files);
}

} // namespace

// Signs in at the test server and returns from the test when that failed.
#define LOGIN_AND_WAIT(...)                   \
    do {                                      \
        loginAndWait(__VA_ARGS__);            \
        if (QTest::currentTestFailed())       \
            return;                           \
    } while (false)

class TestLoginManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<CLoginManager> m;
    glimora::test::SignInServer m_server; // answers the engine at sign-in
    QStringList m_events;
    std::vector<std::vector<std::string>> m_bringUpSetLog;
    QByteArray m_bringUpEnableLog;

    CUserConfigUtils *config() { return CUserConfigUtils::getInstance(); }
    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }

    quint16 serverPort() const { return m_server.serverPort(); }

    void loginAndWait(const QString &user, const QString &password, LoginStatus expected = LoggedIn)
    {
        QVERIFY(m->login(QStringLiteral("127.0.0.1"), false, serverPort(), user, password));
        QTRY_COMPARE_WITH_TIMEOUT(m->m_loginStatus, expected, kWaitMs);
    }

    void newManager()
    {
        m.reset(new CLoginManager);
        m->initialize();
        rjsim_clear_journal();
    }

    // Qt Test's list of expected messages (QTest::ignoreMessage) is not guarded
    // against messages logged on other threads: a message of the login task or
    // of the engine's thread read the entry the GUI thread was matching and
    // freeing, and corrupted the heap. An expectation is only armed once both
    // have nothing left to log; the engine's events then wait, queued, for the
    // GUI thread.
    void quietBackgroundThreads()
    {
        m->waitForLoginTask();
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
    }

    // Ends whatever the engine still does for the last test: the login task,
    // the session and every event on its way.
    void settle()
    {
        if (m)
            m->waitForLoginTask();
        rjsim_clear_result(nullptr);
        sdk()->avlogout();
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        qRegisterMetaType<LoginStatus>();
        qRegisterMetaType<LoginProgress>();
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(config());
        // The account login writes into the isolated directory only.
        QVERIFY(CUserConfigUtils::getUserConfigPath().startsWith(glimora::test::isolatedRoot()));

        rjsim_clear_journal();
        CLoginManager manager;
        manager.initRJSdkManagerInstance();
        QVERIFY(sdk());
        m_bringUpSetLog = rjsim::journalOf("setLog");
        const auto enableLog = rjsim::journalOf("enableLog");
        QCOMPARE(int(enableLog.size()), 1);
        m_bringUpEnableLog = q(enableLog[0][1]);
    }

    void cleanupTestCase()
    {
        CRJSdkManager::releaseInstance();
        CUserConfigUtils::releaseInstance();
    }

    // Bring-up: the facade and the log, then the engine's configuration; the
    // call rate is set once per user configuration.
    void engineBringUp()
    {
        const QByteArray userDir = CUserConfigUtils::getUserConfigPath().toLocal8Bit();
        QVERIFY(sdk());
        QCOMPARE(int(m_bringUpSetLog.size()), 1);
        QCOMPARE(q(m_bringUpSetLog[0][1]), QByteArray("1"));
        QCOMPARE(q(m_bringUpSetLog[0][2]), userDir);
        QCOMPARE(q(m_bringUpSetLog[0][3]), QByteArray("rjsdk"));
        QCOMPARE(q(m_bringUpSetLog[0][4]), QByteArray("31457280"));
        QCOMPARE(m_bringUpEnableLog, QByteArray("1"));

        CLoginManager manager;
        config()->setSetBw2m(false);
        QVERIFY(!config()->getSetBw2m());
        rjsim_clear_journal();
        manager.initialize();
        QStringList ops;
        for (const std::string &line : rjsim::journal())
            ops << QString::fromStdString(line.substr(0, line.find('\t')));
        ops.removeAll(QStringLiteral("enableNoiseSuppression"));
        ops.removeAll(QStringLiteral("enableHardEncoder"));
        ops.removeAll(QStringLiteral("enableHardDecoder"));
        QCOMPARE(ops, QStringList({"initialize", "enablePreview", "setRootCA", "enableWhiteBoard",
                                   "setBandwidth", "setUserAgent"}));
        const auto init = rjsim::journalOf("initialize")[0];
        QCOMPARE(q(init[1]), userDir);
        QCOMPARE(q(init[2]), QByteArray("brondalrc"));
        QCOMPARE(q(rjsim::journalOf("enablePreview")[0][1]), QByteArray("0"));
        QCOMPARE(q(rjsim::journalOf("setRootCA")[0][1]),
                 (QCoreApplication::applicationDirPath() + QStringLiteral("/rootca.pem")).toLocal8Bit());
        QCOMPARE(q(rjsim::journalOf("enableWhiteBoard")[0][1]), QByteArray("1"));
        QCOMPARE(q(rjsim::journalOf("setBandwidth")[0][1]), QByteArray("2048"));
        const auto agent = rjsim::journalOf("setUserAgent")[0];
        QCOMPARE(q(agent[1]), CAppConfigUtils::getInstance()->getUserAgentCompanyName().toUtf8());
        QCOMPARE(q(agent[2]), QByteArray(rj_app::helpers::kAppVersion));
        QCOMPARE(q(agent[2]), QByteArray("2.8.0.4"));
        QVERIFY(config()->getSetBw2m());

        // The rate the user chose later stays the engine's.
        rjsim_clear_journal();
        manager.initialize();
        QCOMPARE(rjsim_journal_count("setBandwidth"), 0);
        QCOMPARE(rjsim_journal_count("setUserAgent"), 1);

        // A rate the engine refused is not taken as set: the next start tries again.
        config()->setSetBw2m(false);
        rjsim_force_result("setBandwidth", 5, 1);
        manager.initialize();
        QVERIFY(!config()->getSetBw2m());
        rjsim_clear_journal();
        manager.initialize();
        QCOMPARE(rjsim_journal_count("setBandwidth"), 1);
        QVERIFY(config()->getSetBw2m());
    }

    // The stored noise and hardware-coding choices reach the engine at every
    // start, whether or not the settings page is ever shown.
    void storedMediaChoicesAtStart_data()
    {
        QTest::addColumn<bool>("noise");
        QTest::addColumn<bool>("encode");
        QTest::addColumn<bool>("decode");
        QTest::newRow("all off") << false << false << false;
        QTest::newRow("all on") << true << true << true;
        QTest::newRow("mixed") << false << true << false;
    }
    void storedMediaChoicesAtStart()
    {
        QFETCH(bool, noise);
        QFETCH(bool, encode);
        QFETCH(bool, decode);
        config()->setAINoiseReduction(noise);
        config()->setEnableHardEncode(encode);
        config()->setEnableHardDecode(decode);
        CLoginManager manager;
        rjsim_clear_journal();
        manager.initialize();
        const auto noiseCalls = rjsim::journalOf("enableNoiseSuppression");
        QCOMPARE(int(noiseCalls.size()), 1);
        QCOMPARE(q(noiseCalls[0][1]), noise ? QByteArray("2") : QByteArray("0"));
        const auto encoders = rjsim::journalOf("enableHardEncoder");
        const auto decoders = rjsim::journalOf("enableHardDecoder");
        QVERIFY(!encoders.empty());
        QVERIFY(!decoders.empty());
        for (const auto &e : encoders)
            QCOMPARE(q(e[3]), encode ? QByteArray("2") : QByteArray("1"));
        for (const auto &d : decoders)
            QCOMPARE(q(d[3]), decode ? QByteArray("2") : QByteArray("1"));
    }

    void init()
    {
        // A fresh configuration file for every test.
        CUserConfigUtils::releaseInstance();
        QFile::remove(configFilePath());
        QFile::remove(CUserConfigUtils::getUserConfigPath() + QStringLiteral("/header.jpg"));
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        config()->setSetBw2m(true);
        CUrlJoinConfArgsParser::getInstance()->clear();
        m_events.clear();
        newManager();
    }

    void cleanup()
    {
        settle();
        m.reset();
        for (const QString &name : avatarTempFiles())
            QFile::remove(CUserConfigUtils::getUserConfigPath() + QLatin1Char('/') + name);
    }

    // ---------------------------------------------------------------------
    // The login sequence and what it stores

    void loginSequence_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("https");
        QTest::addColumn<int>("port"); // -1: the port of the test server
        QTest::addColumn<bool>("storedHttps"); // useHttps of an earlier login
        QTest::addColumn<int>("storedPort");   // port of an earlier login, 0 none
        QTest::addColumn<QString>("host");     // what the engine is asked to contact
        QTest::addColumn<int>("enginePort");   // -1: the port of the test server

        const QString suffix = QLatin1String(CLoginManager::m_pszServerDomainSuffix);
        QTest::newRow("dotted IPv4, explicit port")
            << "127.0.0.1" << false << -1 << false << 0 << "127.0.0.1" << -1;
        QTest::newRow("no dot: suffix, https default port")
            << "meet" << true << 0 << true << 0 << QString("meet" + suffix) << 443;
        QTest::newRow("one dot: suffix, http default port")
            << "demo.local" << false << 0 << false << 0 << QString("demo.local" + suffix) << 80;
        QTest::newRow("two dots: as typed")
            << "a.b.c" << true << 8443 << true << 0 << "a.b.c" << 8443;
        QTest::newRow("default port follows this login, not the stored https")
            << "10.1.2.3" << false << 0 << true << 0 << "10.1.2.3" << 80;
        QTest::newRow("default port follows this login, stored http")
            << "10.1.2.3" << true << 0 << false << 0 << "10.1.2.3" << 443;
        QTest::newRow("stale stored port is not kept")
            << "10.1.2.3" << true << 0 << true << 8080 << "10.1.2.3" << 443;
        // Complete as they stand: a suffix would make them unreachable.
        QTest::newRow("localhost: no suffix") << "localhost" << false << 8080 << false << 0 << "localhost" << 8080;
        QTest::newRow("IPv6 literal: no suffix") << "::1" << true << 0 << true << 0 << "::1" << 443;
        QTest::newRow("bracketed IPv6 literal") << "[fd00::7]" << false << 8080 << false << 0 << "fd00::7" << 8080;
    }

    void loginSequence()
    {
        QFETCH(QString, address);
        QFETCH(bool, https);
        QFETCH(int, port);
        QFETCH(bool, storedHttps);
        QFETCH(int, storedPort);
        QFETCH(QString, host);
        QFETCH(int, enginePort);
        if (port < 0)
            port = serverPort();
        if (enginePort < 0)
            enginePort = serverPort();

        config()->setUseHttps(storedHttps);
        if (storedPort)
            config()->setPort(storedPort);
        if (host != QLatin1String("127.0.0.1")) {
            // Names outside the loopback are never looked up: the engine takes
            // the server as reachable.
            rjsim_force_result("getFeature", 0, 0);
            rjsim_force_result("avlogin", 0, 0);
        }

        QSignalSpy tokenSpy(m.get(), &CLoginManager::sigLoginTokenChanged);
        QSignalSpy nameSpy(m.get(), &CLoginManager::sigDisplayNameChanged);
        QVERIFY(m->login(address, https, port, QStringLiteral("alice"), QStringLiteral("Alice123")));
        QCOMPARE(m->m_loginStatus, LoggingIn);
        QCOMPARE(m->m_qstrServerHostName, host);
        QTRY_COMPARE_WITH_TIMEOUT(m->m_loginStatus, LoggedIn, kWaitMs);

        // What the engine was asked.
        const auto secure = rjsim::journalOf("enableSecure");
        QCOMPARE(int(secure.size()), 1);
        QCOMPARE(q(secure[0][1]), QByteArray(https ? "1" : "0"));
        const auto feature = rjsim::journalOf("getFeature");
        QCOMPARE(int(feature.size()), 1);
        QCOMPARE(q(feature[0][1]), host.toUtf8());
        QCOMPARE(q(feature[0][2]), QByteArray::number(enginePort));
        const auto login = rjsim::journalOf("avlogin");
        QCOMPARE(int(login.size()), 1);
        QCOMPARE(q(login[0][1]), host.toUtf8());
        QCOMPARE(q(login[0][2]), QByteArray::number(enginePort));
        QCOMPARE(q(login[0][3]), QByteArray("alice"));
        // The server asks for no AES: the login form of type 0.
        QCOMPARE(login[0][4], sdk()->encryptPassword(0, "Alice123"));

        // What is stored.
        const QMap<QString, QString> stored = storedConfig();
        QCOMPARE(stored.value("Ip"), address);
        QCOMPARE(stored.value("useHttps"), QString(https ? "true" : "false"));
        if (port != 0)
            QCOMPARE(stored.value("port"), QString::number(port));
        else if (storedPort == 0)
            QVERIFY2(!stored.contains("port"), "a default port is not written");
        else
            QCOMPARE(config()->getPort(), 0);
        QCOMPARE(stored.value("User"), QString("alice"));
        QCOMPARE(stored.value("LoginStatus"), QString("LoggedIn"));
        const QString storedPassword = stored.value("Password");
        QCOMPARE(storedPassword.toStdString(), sdk()->encryptPassword(2, "Alice123", "MK305918"));
        QVERIFY(!storedPassword.contains("Alice123"));
        QCOMPARE(m->getConfigPassword(), QString("Alice123"));
        QVERIFY(m->hasValidConfigLoginInfo());

        // The state the windows read.
        QCOMPARE(m->m_qstrServerAddress, address);
        QCOMPARE(m->m_iPort, port);
        QCOMPARE(m->getPort(), port != 0 ? port : (https ? 443 : 80));
        const QString urlHost = host.contains(':') ? '[' + host + ']' : host;
        QCOMPARE(m->getUrlPrefix(), QString("%1://%2:%3").arg(https ? "https" : "http", urlHost).arg(m->getPort()));
        QCOMPARE(m->m_qstrDisplayName, QString("Alice Chen"));
        QVERIFY(m->getToken().startsWith("sim-alice-"));
        QCOMPARE(m->m_userInfo.username, std::string("alice"));
        QCOMPARE(m->m_feature.appServerType, std::string("ZOV"));
        QCOMPARE(m->m_feature.apiEnabled, true);
        QCOMPARE(tokenSpy.count(), 1);
        QCOMPARE(nameSpy.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(m->getRegisterInfo().state, 1, kWaitMs);
    }

    // A server that asks for the AES form gets the password encrypted with
    // type 1, before the login.
    void aesPasswordForm()
    {
        QCOMPARE(rjsim_command("feature aes 1"), 0);
        const auto restore = qScopeGuard([] { rjsim_command("feature aes 0"); });
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        QVERIFY(m->m_feature.passwordEncryptionWithAES);

        QStringList order;
        for (const std::string &line : rjsim::journal())
            order << QString::fromStdString(line.substr(0, line.find('\t')));
        const auto encryptions = rjsim::journalOf("encryptPassword");
        QVERIFY(!encryptions.empty());
        QCOMPARE(q(encryptions.front()[1]), QByteArray("1"));
        QCOMPARE(q(encryptions.front()[2]), QByteArray("Alice123"));
        QVERIFY(order.indexOf("encryptPassword") < order.indexOf("avlogin"));
        const auto login = rjsim::journalOf("avlogin");
        QCOMPARE(int(login.size()), 1);
        QCOMPARE(login[0][4], sdk()->encryptPassword(1, "Alice123"));
    }

    // Every registration record the engine reports reaches the windows as
    // it is, the one of a sign-in elsewhere (state 4) included.
    void registerInfoChanges()
    {
        QSignalSpy engineSpy(sdk(), &CRJSdkManager::eventRegisterInfo);
        QSignalSpy changes(m.get(), &CLoginManager::sigRegisterInfoChanged);
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 1, kWaitMs);
        QCOMPARE(rjsim_command("kick"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(changes.count(), 3, kWaitMs);

        QCOMPARE(engineSpy.count(), 3);
        QList<int> states;
        for (int i = 0; i < changes.count(); ++i) {
            const auto got = changes.at(i).at(0).value<rj::engine::RJRegisterInfo>();
            const auto sent = engineSpy.at(i).at(0).value<rj::engine::RJRegisterInfo>();
            QCOMPARE(got.type, sent.type);
            QCOMPARE(got.state, sent.state);
            QCOMPARE(got.externalServer, sent.externalServer);
            QCOMPARE(got.internalServer, sent.internalServer);
            QCOMPARE(got.transProtocol, sent.transProtocol);
            QCOMPARE(got.useInternalServer, sent.useInternalServer);
            QCOMPARE(got.type, 1);
            states << got.state;
        }
        QCOMPARE(states, QList<int>({1, 4, 0}));
        QCOMPARE(changes.at(0).at(0).value<rj::engine::RJRegisterInfo>().externalServer, std::string("127.0.0.1"));
        QCOMPARE(m->getRegisterInfo().state, 0);
        QCOMPARE(m->m_previousRegisterInfo.state, 4);
    }

    // Without a user configuration (not loaded, or already released at
    // exit) nothing that reads it fails.
    void withoutUserConfiguration()
    {
        CUserConfigUtils::releaseInstance();
        QVERIFY(!config());
        QVERIFY(!m->hasValidConfigLoginInfo());
        QVERIFY(!m->tryAutoLogin(true));
        m->m_bAvatarDownloaded = true;
        QCOMPARE(m->getLoggedInUserAvatarPath(), QString(CLoginManager::m_pszDefaultAvatar));
        m->m_bAvatarDownloaded = false;

        // A login success starts no avatar download without a place to put it.
        m->m_loginStatus = LoggingIn;
        rj::engine::RJUserInfo user;
        user.username = "alice";
        user.displayName = "Alice Chen";
        user.token = "sim-alice-9";
        m->onLoginSucceed(user);
        QCOMPARE(m->m_loginStatus, LoggedIn);
        QCOMPARE(rjsim_journal_count("downloadUserImage"), 0);
        m->onDownloadUserImageComplete("/nonexistent/x_header.jpg");
        QVERIFY(!m->m_bAvatarDownloaded);
    }

    void loginRefusedWithoutTask_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("port");
        QTest::newRow("no address") << "" << "alice" << "Alice123" << 0;
        QTest::newRow("no user") << "127.0.0.1" << "" << "Alice123" << 0;
        QTest::newRow("no password") << "127.0.0.1" << "alice" << "" << 0;
        QTest::newRow("port out of range") << "127.0.0.1" << "alice" << "Alice123" << 70000;
        QTest::newRow("negative port") << "127.0.0.1" << "alice" << "Alice123" << -1;
    }

    void loginRefusedWithoutTask()
    {
        QFETCH(QString, address);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, port);
        QSignalSpy statusSpy(m.get(), &CLoginManager::loginStatusChanged);
        QVERIFY(!m->login(address, false, port, user, password));
        QCOMPARE(m->m_loginStatus, NotLogin);
        QCOMPARE(statusSpy.count(), 0);
        QCOMPARE(rjsim_journal_count(nullptr), 0);
    }

    void secondLoginWhileLoggingIn()
    {
        QVERIFY(m->login(QStringLiteral("127.0.0.1"), false, serverPort(), "alice", "Alice123"));
        // Still LoggingIn: the outcome is queued for the GUI thread.
        quietBackgroundThreads();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(m->m_loginStatus, LoggingIn);
        QTest::ignoreMessage(QtInfoMsg, "Can not login for m_loginStatus: 2");
        QVERIFY(!m->login(QStringLiteral("127.0.0.1"), false, serverPort(), "carol", "Carol123"));
        QTRY_COMPARE_WITH_TIMEOUT(m->m_loginStatus, LoggedIn, kWaitMs);
        QCOMPARE(rjsim_journal_count("avlogin"), 1);
        QCOMPARE(m->m_userInfo.username, std::string("alice"));
        // Signed in, a further login is refused as well.
        QVERIFY(!m->login(QStringLiteral("127.0.0.1"), false, serverPort(), "carol", "Carol123"));
    }

    // ---------------------------------------------------------------------
    // Status side effects

    void sameStatusTwice()
    {
        QSignalSpy statusSpy(m.get(), &CLoginManager::loginStatusChanged);
        QSignalSpy progressSpy(m.get(), &CLoginManager::loginProgressChanged);
        m->setLoginStatus(AnonymousLoggedIn);
        QCOMPARE(statusSpy.count(), 1);
        QCOMPARE(config()->getLoginStatus(), AnonymousLoggedIn);
        // Another writer changed the stored value; a repeated status leaves it alone.
        config()->setLoginStatus(NotLogin);
        m->setLoginStatus(AnonymousLoggedIn);
        QCOMPARE(statusSpy.count(), 1);
        QCOMPARE(progressSpy.count(), 0);
        QCOMPARE(config()->getLoginStatus(), NotLogin);
        QCOMPARE(m->m_previousLoginStatus, NotLogin);
    }

    void statusSideEffects_data()
    {
        QTest::addColumn<LoginStatus>("from");
        QTest::addColumn<LoginStatus>("to");
        QTest::addColumn<bool>("clearsRegisterInfo");
        QTest::addColumn<int>("progress"); // -1: not touched

        QTest::newRow("account login failed") << LoggingIn << LoginFailed << true << int(LoginInfoPage);
        QTest::newRow("logout") << LoggedIn << NotLogin << true << int(LoginInfoPage);
        QTest::newRow("guest call ended") << AnonymousLoggingIn << NotLogin << true << int(JoinConfPage);
        QTest::newRow("guest join failed") << AnonymousLoggingIn << LoginFailed << true << int(JoinConfPage);
        QTest::newRow("login succeeded") << LoggingIn << LoggedIn << false << -1;
        QTest::newRow("login skipped") << NotLogin << AnonymousLoggedIn << false << -1;
    }

    void statusSideEffects()
    {
        QFETCH(LoginStatus, from);
        QFETCH(LoginStatus, to);
        QFETCH(bool, clearsRegisterInfo);
        QFETCH(int, progress);

        m->setLoginStatus(from);
        rj::engine::RJRegisterInfo info;
        info.type = 1;
        info.state = 1;
        info.externalServer = "edge.example";
        m->onRegisterInfo(info);
        m->m_bAvatarDownloaded = true;

        QSignalSpy statusSpy(m.get(), &CLoginManager::loginStatusChanged);
        QSignalSpy progressSpy(m.get(), &CLoginManager::loginProgressChanged);
        m->setLoginStatus(to);
        QCOMPARE(statusSpy.count(), 1);
        QCOMPARE(statusSpy.at(0).at(0).value<LoginStatus>(), to);
        QCOMPARE(m->m_loginStatus, to);
        QCOMPARE(m->m_previousLoginStatus, from);
        QCOMPARE(config()->getLoginStatus(), to == NeedChangePassword ? NotLogin : to);
        if (clearsRegisterInfo) {
            QCOMPARE(m->getRegisterInfo().state, 0);
            QCOMPARE(m->getRegisterInfo().externalServer, std::string());
            QCOMPARE(m->m_previousRegisterInfo.state, 1);
            QCOMPARE(m->m_previousRegisterInfo.externalServer, std::string("edge.example"));
        } else {
            QCOMPARE(m->getRegisterInfo().state, 1);
        }
        if (progress < 0) {
            QCOMPARE(progressSpy.count(), 0);
        } else {
            QCOMPARE(progressSpy.count(), 1);
            QCOMPARE(int(m->m_loginProgress), progress);
        }
        QCOMPARE(m->m_bAvatarDownloaded, to != NotLogin && to != LoggingIn);
    }

    void changePasswordAccount()
    {
        connect(m.get(), &CLoginManager::loginProgressChanged, this,
                [this](LoginProgress p) { m_events << QStringLiteral("progress %1").arg(int(p)); });
        connect(m.get(), &CLoginManager::loginStatusChanged, this,
                [this](LoginStatus s) { m_events << QStringLiteral("status %1").arg(int(s)); });
        LOGIN_AND_WAIT(QStringLiteral("bob"), QStringLiteral("Bob12345"), NeedChangePassword);
        QCOMPARE(m_events, QStringList({QStringLiteral("status %1").arg(int(LoggingIn)),
                                        QStringLiteral("progress %1").arg(int(ChangePasswordPage)),
                                        QStringLiteral("status %1").arg(int(NeedChangePassword))}));
        QCOMPARE(m->m_loginProgress, ChangePasswordPage);
        // Not signed in yet as far as the management server is concerned.
        QCOMPARE(m->getToken(), QString());
        QVERIFY(!m->m_userInfo.token.empty());
        QCOMPARE(storedConfig().value("User"), QString("bob"));
        QCOMPARE(m->getConfigPassword(), QString("Bob12345"));
        // The change-password form stores the new password and finishes the login.
        m->setPassword(QStringLiteral("NewPass99"));
        QCOMPARE(m->getPassword(), QString("NewPass99"));
        m->setLoginStatus(LoggedIn);
        QCOMPARE(m->getToken(), QString::fromStdString(m->m_userInfo.token));
    }

    void tokenOnlyWhenLoggedIn_data()
    {
        QTest::addColumn<LoginStatus>("status");
        for (LoginStatus s : {NotLogin, LoggedIn, LoggingIn, LoginFailed, AnonymousLoggedIn, AnonymousLoggingIn,
                              NeedChangePassword})
            QTest::newRow(QMetaEnum::fromType<LoginStatus>().valueToKey(s)) << s;
    }

    void tokenOnlyWhenLoggedIn()
    {
        QFETCH(LoginStatus, status);
        m->m_userInfo.token = "tok/en+1";
        m->setLoginStatus(status);
        QCOMPARE(m->getToken(), status == LoggedIn ? QString("tok/en+1") : QString());
    }

    // A success the client did not ask for is recorded but starts no download.
    void loginSucceedOutsideLogin()
    {
        QSignalSpy tokenSpy(m.get(), &CLoginManager::sigLoginTokenChanged);
        rj::engine::RJUserInfo user;
        user.userId = 7;
        user.username = "carol";
        user.displayName = "Carol Wu";
        user.token = "sim-carol-1";
        user.mustChangePasswd = true;
        config()->setIp(QStringLiteral("192.168.7.7"));
        config()->setPassword(QStringLiteral("kept"));
        m->onLoginSucceed(user);
        QCOMPARE(m->m_loginStatus, LoggedIn);
        QCOMPARE(m->m_qstrDisplayName, QString("Carol Wu"));
        QCOMPARE(tokenSpy.count(), 1);
        QCOMPARE(rjsim_journal_count("downloadUserImage"), 0);
        QCOMPARE(config()->getUser(), QString("carol"));
        // No login of ours in memory: what is stored stays.
        QCOMPARE(config()->getIp(), QString("192.168.7.7"));
        QCOMPARE(config()->getPassword(), QString("kept"));
    }

    // ---------------------------------------------------------------------
    // Failures

    // A login the engine refuses ends through the error prompts of the
    // main-window manager; tests/mainmgr drives those failures.

    void loggingInFailedWithLogout()
    {
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        rjsim_clear_journal();
        m->onLoggingInFailed(true);
        QCOMPARE(rjsim_journal_count("avlogout"), 1);
        QCOMPARE(m->m_loginStatus, LoginFailed);
        QCOMPARE(m->getRegisterInfo().state, 0);
    }

    void logout_data()
    {
        QTest::addColumn<LoginStatus>("status");
        QTest::addColumn<int>("engineLogouts");
        QTest::newRow("signed in") << LoggedIn << 1;
        QTest::newRow("skipped") << AnonymousLoggedIn << 0;
    }

    void logout()
    {
        QFETCH(LoginStatus, status);
        QFETCH(int, engineLogouts);
        m->setLoginStatus(status);
        m->logout();
        QCOMPARE(rjsim_journal_count("avlogout"), engineLogouts);
        QCOMPARE(m->m_loginStatus, NotLogin);
        QCOMPARE(config()->getLoginStatus(), NotLogin);
    }

    // ---------------------------------------------------------------------
    // Automatic login

    void autoLoginWithoutStoredData()
    {
        QTest::ignoreMessage(QtInfoMsg, "empty login info");
        QTest::ignoreMessage(QtInfoMsg, "Can not login");
        QVERIFY(!m->tryAutoLogin(true));
        QVERIFY(!m->hasValidConfigLoginInfo());
        QCOMPARE(rjsim_journal_count("getFeature"), 0);
    }

    void autoLogin_data()
    {
        QTest::addColumn<bool>("rememberMe");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("started");
        QTest::newRow("remember me") << true << false << true;
        QTest::newRow("forced") << false << true << true;
        QTest::newRow("neither") << false << false << false;
    }

    void autoLogin()
    {
        QFETCH(bool, rememberMe);
        QFETCH(bool, force);
        QFETCH(bool, started);
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        m->logout();
        settle();
        newManager();
        m->m_qstrPassword.clear(); // a new process: nothing in memory
        config()->setRememberMe(rememberMe);

        if (!started)
            QTest::ignoreMessage(QtInfoMsg, "Can not login");
        QCOMPARE(m->tryAutoLogin(force), started);
        if (!started) {
            QCOMPARE(m->m_loginStatus, NotLogin);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(m->m_loginStatus, LoggedIn, kWaitMs);
        const auto login = rjsim::journalOf("avlogin");
        QCOMPARE(int(login.size()), 1);
        QCOMPARE(q(login[0][1]), QByteArray("127.0.0.1"));
        QCOMPARE(q(login[0][2]), QByteArray::number(serverPort()));
        QCOMPARE(q(login[0][3]), QByteArray("alice"));
        QCOMPARE(q(rjsim::journalOf("enableSecure")[0][1]), QByteArray("0"));
        QCOMPARE(m->getPassword(), QString("Alice123"));
    }

    // An automatic login that could not start says so.
    void autoLoginReportsRefusedLogin()
    {
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        quietBackgroundThreads();
        if (QTest::currentTestFailed())
            return;
        rjsim_clear_journal();
        QTest::ignoreMessage(QtInfoMsg, "Can not login for m_loginStatus: 1");
        QVERIFY(!m->tryAutoLogin(true));
        QCOMPARE(rjsim_journal_count("getFeature"), 0);
    }

    void undecryptableStoredPassword()
    {
        config()->setUser(QStringLiteral("alice"));
        config()->setIp(QStringLiteral("127.0.0.1"));
        config()->setPassword(QStringLiteral("not-an-engine-cipher"));
        QCOMPARE(m->getConfigPassword(), QString());
        QTest::ignoreMessage(QtInfoMsg,
                             "Can not auto login, UserName: \"alice\" , ServerAddress: \"127.0.0.1\" , invalid password");
        QVERIFY(!m->hasValidConfigLoginInfo());
        QVERIFY(!m->tryAutoLogin(true));
    }

    // ---------------------------------------------------------------------
    // Token renewal

    void tokenRenewal()
    {
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        const std::string token = m->m_userInfo.token;
        QVERIFY(sdk()->changeDisplayName("Alice C."));
        const auto restoreName = qScopeGuard([this] { sdk()->changeDisplayName("Alice Chen"); });
        m->m_userInfo.token = "stale";

        m_events.clear();
        connect(m.get(), &CLoginManager::sigDisplayNameChanged, this, [this] { m_events << "name"; });
        connect(m.get(), &CLoginManager::sigLoginTokenChanged, this, [this] { m_events << "token"; });
        m->updateLoginToken(true);
        QCOMPARE(m_events, QStringList({"name", "token"}));
        QCOMPARE(m->m_userInfo.token, token);
        QCOMPARE(m->getToken(), QString::fromStdString(token));
        QCOMPARE(m->m_qstrDisplayName, QString("Alice C."));
        QCOMPARE(m->m_loginStatus, LoggedIn);
    }

    void tokenRenewalNotSignedIn()
    {
        m->setLoginStatus(NeedChangePassword);
        QSignalSpy tokenSpy(m.get(), &CLoginManager::sigLoginTokenChanged);
        QTest::ignoreMessage(QtInfoMsg, "Can't update login token for not login.");
        m->updateLoginToken(true);
        QCOMPARE(rjsim_journal_count("getUserInfo"), 0);
        QCOMPARE(tokenSpy.count(), 0);
        QCOMPARE(m->m_loginStatus, NeedChangePassword);
    }

    void tokenRenewalFailure_data()
    {
        QTest::addColumn<bool>("logoutOnFailure");
        QTest::addColumn<int>("callStatus"); // -1: no call controller installed
        QTest::addColumn<bool>("signedOut");
        QTest::newRow("no call controller") << true << -1 << true;
        QTest::newRow("idle") << true << 0 << true;
        QTest::newRow("dialling") << true << 1 << true;
        QTest::newRow("call status 2") << true << 2 << false;
        QTest::newRow("call status 3") << true << 3 << false;
        QTest::newRow("call status 4") << true << 4 << false;
        QTest::newRow("call status 5") << true << 5 << false;
        QTest::newRow("call ended") << true << 6 << true;
        QTest::newRow("not asked to sign out") << false << 0 << false;
    }

    void tokenRenewalFailure()
    {
        QFETCH(bool, logoutOnFailure);
        QFETCH(int, callStatus);
        QFETCH(bool, signedOut);
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        const std::string token = m->m_userInfo.token;
        if (callStatus >= 0)
            m->setCallStatusGetter([callStatus] { return callStatus; });
        rjsim_force_result("getUserInfo", 1010, 0);
        rjsim_clear_journal();

        QSignalSpy tokenSpy(m.get(), &CLoginManager::sigLoginTokenChanged);
        QSignalSpy statusSpy(m.get(), &CLoginManager::loginStatusChanged);
        m->updateLoginToken(logoutOnFailure);
        QCOMPARE(rjsim_journal_count("getUserInfo"), 1);
        QCOMPARE(tokenSpy.count(), 0);
        QCOMPARE(m->m_userInfo.token, token);
        QCOMPARE(m->m_loginStatus, signedOut ? NotLogin : LoggedIn);
        QCOMPARE(statusSpy.count(), signedOut ? 1 : 0);
        // The engine is not told: the session is simply left.
        QCOMPARE(rjsim_journal_count("avlogout"), 0);
        QCOMPARE(config()->getLoginStatus(), signedOut ? NotLogin : LoggedIn);
    }

    // ---------------------------------------------------------------------
    // Avatar

    void avatarDownload()
    {
        const QString header = config()->getHeaderImagePath();
        QVERIFY(header.startsWith(CUserConfigUtils::getUserConfigPath()));
        QFile stale(header);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("an avatar of an earlier login");
        stale.close();

        QCOMPARE(m->getLoggedInUserAvatarPath(), QString(CLoginManager::m_pszDefaultAvatar));
        QSignalSpy avatarSpy(m.get(), &CLoginManager::sigAvatarDownloadedOk);
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        QVERIFY(avatarSpy.count() == 1 || avatarSpy.wait(kWaitMs));
        QCOMPARE(avatarSpy.count(), 1);

        const auto download = rjsim::journalOf("downloadUserImage");
        QCOMPARE(int(download.size()), 1);
        const QFileInfo target(QString::fromLocal8Bit(download[0][1].c_str()));
        QCOMPARE(target.absolutePath(), QFileInfo(CUserConfigUtils::getUserConfigPath()).absoluteFilePath());
        QVERIFY(target.fileName().endsWith("_header.jpg"));

        QFile copied(header);
        QVERIFY(copied.open(QIODevice::ReadOnly));
        const QByteArray bytes = copied.readAll();
        QVERIFY(bytes.startsWith("\xFF\xD8") || bytes.startsWith("\x89PNG"));
        QVERIFY(m->m_bAvatarDownloaded);
        QCOMPARE(m->getLoggedInUserAvatarPath(), header);
        QCOMPARE(avatarTempFiles(), QStringList());

        // Signing out forgets the picture.
        m->logout();
        QCOMPARE(m->getLoggedInUserAvatarPath(), QString(CLoginManager::m_pszDefaultAvatar));
    }

    // A token is no file name: it may hold "/" and "..".
    void avatarNameFromUnsafeToken()
    {
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        QTRY_VERIFY_WITH_TIMEOUT(m->m_bAvatarDownloaded, kWaitMs);
        rjsim_clear_journal();

        m->m_loginStatus = LoggingIn; // a fresh success of a login in progress
        rj::engine::RJUserInfo user = m->m_userInfo;
        user.token = "../../evil/a+b/==";
        QSignalSpy avatarSpy(m.get(), &CLoginManager::sigAvatarDownloadedOk);
        m->onLoginSucceed(user);
        QVERIFY(avatarSpy.wait(kWaitMs));
        const auto download = rjsim::journalOf("downloadUserImage");
        QCOMPARE(int(download.size()), 1);
        const QFileInfo target(QString::fromLocal8Bit(download[0][1].c_str()));
        QCOMPARE(target.absolutePath(), QFileInfo(CUserConfigUtils::getUserConfigPath()).absoluteFilePath());
        QVERIFY(!target.fileName().contains("evil"));
        QVERIFY(!download[0][1].empty() && download[0][1].find("..") == std::string::npos);
        QVERIFY(QFileInfo(config()->getHeaderImagePath()).size() > 0);
        QCOMPARE(avatarTempFiles(), QStringList());
    }

    // A download that completes after the user signed out is not the
    // avatar of whoever signs in (or skips the login) next.
    void avatarCompletedAfterLogout()
    {
        LOGIN_AND_WAIT(QStringLiteral("alice"), QStringLiteral("Alice123"));
        QTRY_VERIFY_WITH_TIMEOUT(m->m_bAvatarDownloaded, kWaitMs);
        rjsim_clear_journal();

        // A fresh success whose download is still under way when the user signs out.
        m->m_loginStatus = LoggingIn;
        QSignalSpy completions(sdk(), &CRJSdkManager::eventDownloadUserImageComplete);
        QSignalSpy avatarSpy(m.get(), &CLoginManager::sigAvatarDownloadedOk);
        m->onLoginSucceed(m->m_userInfo);
        QCOMPARE(rjsim_journal_count("downloadUserImage"), 1);
        m->logout();
        QVERIFY(completions.wait(kWaitMs));

        QCOMPARE(avatarSpy.count(), 0);
        QVERIFY(!m->m_bAvatarDownloaded);
        QVERIFY(!QFile::exists(config()->getHeaderImagePath()));
        QCOMPARE(avatarTempFiles(), QStringList());
        m->setLoginStatus(AnonymousLoggedIn);
        QCOMPARE(m->getLoggedInUserAvatarPath(), QString(CLoginManager::m_pszSkipLoginAvatar));
    }

    void avatarCompletionNotRequested()
    {
        const QString foreign = CUserConfigUtils::getUserConfigPath() + QStringLiteral("/someone_header.jpg");
        QFile file(foreign);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not ours");
        file.close();
        QSignalSpy avatarSpy(m.get(), &CLoginManager::sigAvatarDownloadedOk);
        m->onDownloadUserImageComplete(foreign.toLocal8Bit().toStdString());
        QCOMPARE(avatarSpy.count(), 0);
        QVERIFY(QFile::exists(foreign));
        QVERIFY(!QFile::exists(config()->getHeaderImagePath()));
        QVERIFY(!m->m_bAvatarDownloaded);
    }

    void avatarPath_data()
    {
        QTest::addColumn<LoginStatus>("status");
        QTest::addColumn<bool>("downloaded");
        QTest::addColumn<int>("headerSize"); // -1: no file
        QTest::addColumn<QString>("expected"); // "header": the downloaded file

        const QString def = QLatin1String(CLoginManager::m_pszDefaultAvatar);
        const QString skip = QLatin1String(CLoginManager::m_pszSkipLoginAvatar);
        QTest::newRow("not downloaded") << LoggedIn << false << 10 << def;
        QTest::newRow("login skipped") << AnonymousLoggedIn << false << -1 << skip;
        QTest::newRow("downloaded") << LoggedIn << true << 10 << "header";
        QTest::newRow("downloaded but empty") << LoggedIn << true << 0 << def;
        QTest::newRow("downloaded but gone") << LoggedIn << true << -1 << def;
    }

    void avatarPath()
    {
        QFETCH(LoginStatus, status);
        QFETCH(bool, downloaded);
        QFETCH(int, headerSize);
        QFETCH(QString, expected);
        const QString header = config()->getHeaderImagePath();
        if (headerSize >= 0) {
            QFile file(header);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(headerSize, 'x'));
        }
        m->m_loginStatus = status;
        m->m_bAvatarDownloaded = downloaded;
        if (expected == QLatin1String("header"))
            expected = header;
        if (downloaded && headerSize <= 0)
            QTest::ignoreMessage(QtWarningMsg, "Downloaded avatar file size is 0, so use default avatar");
        QCOMPARE(m->getLoggedInUserAvatarPath(), expected);
    }

    // Without an engine no event would ever end the login: it is refused
    // instead of leaving the status at LoggingIn. Runs last: it replaces the
    // facade the other tests use.
    void loginRefusedWithoutEngine()
    {
        settle();
        m.reset();
        CRJSdkManager::releaseInstance();
        CRJSdkManager::setEngineFunctions([]() -> rj::engine::IAVEngine * { return nullptr; },
                                          [](rj::engine::IAVEngine *) {});
        auto restore = qScopeGuard([] {
            CRJSdkManager::releaseInstance();
            CRJSdkManager::setEngineFunctions(nullptr, nullptr);
            CRJSdkManager::initInstance();
        });
        CRJSdkManager::initInstance();
        QVERIFY(sdk());
        QVERIFY(!sdk()->hasEngine());

        m.reset(new CLoginManager);
        QSignalSpy statusSpy(m.get(), &CLoginManager::loginStatusChanged);
        QVERIFY(!m->login(QStringLiteral("127.0.0.1"), false, serverPort(), "alice", "Alice123"));
        QCOMPARE(m->m_loginStatus, NotLogin);
        QCOMPARE(statusSpy.count(), 0);
        m.reset();
    }
};

GLIMORA_TEST_MAIN(TestLoginManager)
#include "tst_loginmanager.moc"
