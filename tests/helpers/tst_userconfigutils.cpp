#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "support/UnwritableDir.h"

#include "helpers/CConfigSaveNotifier.h"
#include "helpers/CConfigUtils.h"
#include "helpers/CUserConfigUtils.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using rj_app::helpers::CConfigUtils;
using rj_app::helpers::CUserConfigUtils;
using glimora::test::readBytes;
using glimora::test::UnwritableDir;
using rj_app::helpers::CConfigSaveNotifier;
using glimora::test::writeBytes;
namespace enums = rj_app::enums;

namespace {

int modeOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

// Restores an environment variable when the test leaves its scope.
class EnvGuard
{
public:
    explicit EnvGuard(const char *name) : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {}
    ~EnvGuard()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};

const QByteArray kFirstStartFile = "[Config]\n"
                                   "ConfigFileVersion=2\n"
                                   "JoinConfDisplayName=\n"
                                   "ScreenPicPath=\n"
                                   "\n"
                                   "[SipSetting]\n"
                                   "ScreenName=\n"
                                   "\n";

// Every typed accessor by its key, so tables can name them.
struct Accessor
{
    const char *section;
    const char *key;
    std::function<QVariant(CUserConfigUtils &)> get;
    std::function<void(CUserConfigUtils &, const QVariant &)> set;
};

#define RJ_BOOL(sec, key, name) \
    {key, {sec, key, [](CUserConfigUtils &c) { return QVariant(c.get##name()); }, [](CUserConfigUtils &c, const QVariant &v) { c.set##name(v.toBool()); }}}
#define RJ_TEXT(sec, key, name) \
    {key, {sec, key, [](CUserConfigUtils &c) { return QVariant(c.get##name()); }, [](CUserConfigUtils &c, const QVariant &v) { c.set##name(v.toString()); }}}

const QMap<QByteArray, Accessor> &accessors()
{
    static const QMap<QByteArray, Accessor> table {
        RJ_BOOL("Config", "DisableCameraOnJoinConf", DisableCameraOnJoinConf),
        RJ_BOOL("Config", "DisableMicOnJoinConf", DisableMicOnJoinConf),
        RJ_BOOL("Config", "DisablePrompt", DisablePrompt),
        RJ_TEXT("Config", "Ip", Ip),
        RJ_BOOL("Config", "useHttps", UseHttps),
        {"port", {"Config", "port", [](CUserConfigUtils &c) { return QVariant(c.getPort()); },
                  [](CUserConfigUtils &c, const QVariant &v) { c.setPort(v.toInt()); }}},
        RJ_TEXT("Config", "User", User),
        RJ_TEXT("Config", "Password", Password),
        RJ_TEXT("Config", "JoinConfServerAddress", JoinConfServerAddress),
        RJ_TEXT("Config", "JoinConfNumber", JoinConfNumber),
        RJ_TEXT("Config", "JoinConfDisplayNameUtf8", JoinConfDisplayName),
        RJ_TEXT("Config", "JoinConfPassword", JoinConfPassword),
        RJ_BOOL("Config", "set_bw_2m", SetBw2m),
        RJ_TEXT("Config", "DeviceSn", DeviceSn),
        RJ_BOOL("Config", "RememberMe", RememberMe),
        RJ_BOOL("Config", "AntoAnswer", AntoAnswer),
        RJ_BOOL("Config", "autoCaptureWin", AutoCaptureWin),
        RJ_BOOL("Config", "openNewWinInContentStream", OpenNewWinInContentStream),
        RJ_TEXT("Config", "ScreenPicPathUtf8", ScreenPicPath),
        RJ_TEXT("Config", "language", Language),
        {"LoginStatus", {"Config", "LoginStatus", [](CUserConfigUtils &c) { return QVariant(int(c.getLoginStatus())); },
                         [](CUserConfigUtils &c, const QVariant &v) { c.setLoginStatus(enums::LoginStatus(v.toInt())); }}},
        RJ_BOOL("Config", "FullScreenOnCallConnected", FullScreenOnCallConnected),
        RJ_BOOL("Config", "AINoiseReduction", AINoiseReduction),
        RJ_BOOL("Config", "EnableHardEncode", EnableHardEncode),
        RJ_BOOL("Config", "EnableHardDecode", EnableHardDecode),
        RJ_BOOL("ConfRunningStatus", "IsConfRunning", IsConfRunning),
        RJ_TEXT("ConfRunningStatus", "ConfId", ConfId),
        RJ_TEXT("SipSetting", "TransportProtocol", TransportProtocol),
        RJ_TEXT("SipSetting", "ScreenNameUtf8", ScreenName),
        RJ_BOOL("SipSetting", "EnableRegistration", EnableRegistration),
        RJ_TEXT("SipSetting", "ProxyServerAddress", ProxyServerAddress),
        RJ_TEXT("SipSetting", "Domain", Domain),
        RJ_TEXT("SipSetting", "SignInAddress", SignInAddress),
        RJ_TEXT("SipSetting", "AuthenticationUserName", AuthenticationUserName),
        RJ_TEXT("SipSetting", "AuthenticationPassword", AuthenticationPassword),
    };
    return table;
}

#undef RJ_BOOL
#undef RJ_TEXT

} // namespace

class TestUserConfigUtils : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir(glimora::test::isolatedRoot() + QStringLiteral("/user-XXXXXX")));
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("config.ini"));
    }

    // Runs first: it is the only test that goes through the process-wide
    // instance and fixes the cached user data directory.
    void firstStart()
    {
        const QString appData = qEnvironmentVariable("appdata");
        QVERIFY(!appData.isEmpty());
        QVERIFY(!CUserConfigUtils::getInstance());

        CUserConfigUtils::initInstance("/opt/glimora/glimora.bin");
        QVERIFY(CUserConfigUtils::getInstance());
        const QString userDir = appData + QStringLiteral("/glimora");
        QCOMPARE(CUserConfigUtils::getUserConfigPath(), userDir);
        QCOMPARE(modeOf(userDir), 0700);
        const QString file = userDir + QStringLiteral("/Glimora/Config/config.ini");
        QCOMPARE(readBytes(file), kFirstStartFile);

        CUserConfigUtils *first = CUserConfigUtils::getInstance();
        CUserConfigUtils::initInstance("/opt/glimora/glimora.bin");
        QCOMPARE(CUserConfigUtils::getInstance(), first);
        QCOMPARE(CUserConfigUtils::getInstance()->getHeaderImagePath(), userDir + QStringLiteral("/header.jpg"));

        CUserConfigUtils::releaseInstance();
        QVERIFY(!CUserConfigUtils::getInstance());
        QCOMPARE(readBytes(file), kFirstStartFile);
        CUserConfigUtils::releaseInstance(); // a second release is harmless

        // A later start reads the file and leaves it as it is.
        CUserConfigUtils::initInstance("/opt/glimora/glimora.bin");
        QVERIFY(CUserConfigUtils::getInstance());
        QCOMPARE(CUserConfigUtils::getInstance()->getLoginStatus(), enums::NotLogin);
        CUserConfigUtils::releaseInstance();
        QCOMPARE(readBytes(file), kFirstStartFile);
    }

    void appNameAndPath_data()
    {
        QTest::addColumn<QByteArray>("argv0");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("full path") << QByteArray("/opt/glimora/glimora") << "glimora" << "/opt/glimora";
        QTest::newRow("extension cut") << QByteArray("/opt/glimora/glimora.exe") << "glimora" << "/opt/glimora";
        QTest::newRow("cut at the first dot") << QByteArray("/usr/bin/a.b.c") << "a" << "/usr/bin";
        QTest::newRow("bare name") << QByteArray("glimora") << "glimora" << QDir::currentPath();
        QTest::newRow("leading dot kept") << QByteArray("/x/.hidden") << ".hidden" << "/x";
    }
    void appNameAndPath()
    {
        QFETCH(QByteArray, argv0);
        QFETCH(QString, name);
        QFETCH(QString, path);
        CUserConfigUtils::parseAppNameAndPath(argv0.constData());
        QCOMPARE(CUserConfigUtils::m_qstrAppName, name);
        QCOMPARE(CUserConfigUtils::m_qstrAppPath, path);
    }
    void appNameAndPathRestored() { CUserConfigUtils::parseAppNameAndPath("/opt/glimora/glimora"); }

    void userDataDirectory_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<QString>("appData");
        QTest::addColumn<QString>("expected");
        const QString root = glimora::test::isolatedRoot();
        QTest::newRow("backslashes") << true << root + QStringLiteral("\\win\\Roaming")
                                     << root + QStringLiteral("/win/Roaming/glimora");
        QTest::newRow("unset: XDG data location")
            << false << QString()
            << QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/glimora");
        QTest::newRow("cannot be created: executable's directory")
            << true << root + QStringLiteral("/plain-file") << QStringLiteral("/opt/glimora");
    }
    void userDataDirectory()
    {
        QFETCH(bool, set);
        QFETCH(QString, appData);
        QFETCH(QString, expected);
        QVERIFY(writeBytes(glimora::test::isolatedRoot() + QStringLiteral("/plain-file"), "x"));
        EnvGuard guard("appdata");
        if (set)
            qputenv("appdata", QFile::encodeName(appData));
        else
            qunsetenv("appdata");
        QCOMPARE(CUserConfigUtils::resolveUserConfigPath(), expected);
        if (expected.startsWith(glimora::test::isolatedRoot()))
            QCOMPARE(modeOf(expected), 0700);
    }

    // Stored text -> what each kind of getter makes of it.
    void getters_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("stored"); // null: key missing
        QTest::addColumn<QVariant>("expected");
        const QByteArray missing;
        auto row = [](const char *name, const QByteArray &key, const QByteArray &stored, const QVariant &expected) {
            QTest::newRow(name) << key << stored << expected;
        };

        // true-test booleans
        row("true-test: true", "AntoAnswer", "true", true);
        row("true-test: any case", "AntoAnswer", "TrUe", true);
        row("true-test: leading space", "AntoAnswer", " true", false);
        row("true-test: 1", "AntoAnswer", "1", false);
        row("true-test: yes", "EnableHardEncode", "yes", false);
        row("true-test: missing", "AntoAnswer", missing, false);
        row("true-test: camera missing", "DisableCameraOnJoinConf", missing, false);
        row("true-test: SIP registration", "EnableRegistration", "TRUE", true);
        // false-test booleans
        row("false-test: missing mic", "DisableMicOnJoinConf", missing, true);
        row("false-test: missing https", "useHttps", missing, true);
        row("false-test: missing prompt", "DisablePrompt", missing, true);
        row("false-test: false", "useHttps", "false", false);
        row("false-test: any case", "useHttps", "FALSE", false);
        row("false-test: 0", "useHttps", "0", true);
        row("false-test: empty", "DisableMicOnJoinConf", "", true);
        // integer booleans
        row("integer boolean: missing RememberMe", "RememberMe", missing, true);
        row("integer boolean: missing AINoiseReduction", "AINoiseReduction", missing, true);
        row("integer boolean: missing IsConfRunning", "IsConfRunning", missing, false);
        row("integer boolean: 1", "IsConfRunning", "1", true);
        row("integer boolean: 0", "RememberMe", "0", false);
        row("integer boolean: 2", "RememberMe", "2", false);
        row("integer boolean: hexadecimal 1", "RememberMe", "0x1", true);
        row("integer boolean: the word true", "RememberMe", "true", false);
        row("integer boolean: empty", "RememberMe", "", false);
        // integers with automatic base
        row("integer: decimal", "port", "5061", 5061);
        row("integer: hexadecimal", "port", "0x1F", 31);
        row("integer: octal", "port", "010", 8);
        row("integer: text", "port", "abc", 0);
        row("integer: missing", "port", missing, 0);
        row("integer: clamped", "port", "99999999999", INT_MAX);
        // Base64 texts
        row("Base64: Chinese", "JoinConfDisplayNameUtf8", QStringLiteral("张三").toUtf8().toBase64(), QStringLiteral("张三"));
        row("Base64: emoji and accent", "ScreenNameUtf8", QStringLiteral("Zoë 😀").toUtf8().toBase64(), QStringLiteral("Zoë 😀"));
        row("Base64: path", "ScreenPicPathUtf8", QStringLiteral("/home/u/图片").toUtf8().toBase64(), QStringLiteral("/home/u/图片"));
        row("Base64: missing", "JoinConfDisplayNameUtf8", missing, QString());
        // login status names
        for (int i = enums::NotLogin; i <= enums::AnonymousLoggingIn; ++i) {
            const QByteArray name = QMetaEnum::fromType<enums::LoginStatus>().valueToKey(i);
            QTest::newRow(("LoginStatus: " + name).constData()) << QByteArray("LoginStatus") << name << QVariant(i);
        }
        row("LoginStatus: wrong case", "LoginStatus", "loggedin", int(enums::NotLogin));
        row("LoginStatus: NeedChangePassword has no stored name", "LoginStatus", "NeedChangePassword", int(enums::NotLogin));
        row("LoginStatus: number", "LoginStatus", "1", int(enums::NotLogin));
        row("LoginStatus: qualified name", "LoginStatus", "rj_app::enums::LoggedIn", int(enums::NotLogin));
        row("LoginStatus: missing", "LoginStatus", missing, int(enums::NotLogin));
        // strings
        row("string: nothing trimmed", "Ip", " 10.0.0.1 ", QStringLiteral(" 10.0.0.1 "));
        row("string: UTF-8", "User", QStringLiteral("用户").toUtf8(), QStringLiteral("用户"));
        row("string: equals sign", "Password", "a=b==", QStringLiteral("a=b=="));
        row("string: missing", "SignInAddress", missing, QString());
        row("transport: spaces", "TransportProtocol", "   ", QStringLiteral("TCP"));
        row("transport: missing", "TransportProtocol", missing, QStringLiteral("TCP"));
        row("transport: leading space kept", "TransportProtocol", " UDP", QStringLiteral(" UDP"));
    }
    void getters()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, stored);
        QFETCH(QVariant, expected);
        QVERIFY(accessors().contains(key));
        const Accessor &accessor = accessors()[key];
        QByteArray file = "[Config]\nConfigFileVersion=2\n";
        if (!stored.isNull()) {
            if (qstrcmp(accessor.section, "Config") != 0)
                file += QByteArray("[") + accessor.section + "]\n";
            file += key + "=" + stored + "\n";
        }
        QVERIFY(writeBytes(m_path, file));

        CUserConfigUtils config(m_path);
        QCOMPARE(accessor.get(config), expected);
        QCOMPARE(readBytes(m_path), file); // reading never writes
    }

    // Exact stored bytes of each encoding, and that they read back.
    void setterEncodings_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QVariant>("readBack");
        auto row = [](const char *name, const QByteArray &key, const QVariant &value, const QByteArray &stored,
                      const QVariant &readBack) { QTest::newRow(name) << key << value << stored << readBack; };
        row("true-test boolean", "AntoAnswer", true, "true", true);
        row("false-test boolean", "useHttps", false, "false", false);
        row("integer boolean false", "RememberMe", false, "0", false);
        row("integer boolean true", "AINoiseReduction", true, "1", true);
        row("running meeting flag", "IsConfRunning", true, "1", true);
        row("integer", "port", 5061, "5061", 5061);
        row("negative integer", "port", -1, "-1", -1);
        row("Base64 of UTF-8", "JoinConfDisplayNameUtf8", QStringLiteral("张三"), "5byg5LiJ", QStringLiteral("张三"));
        row("Base64 with fill", "ScreenNameUtf8", QStringLiteral("ab"), "YWI=", QStringLiteral("ab"));
        row("plain UTF-8", "User", QStringLiteral("Zoë"), "Zo\xC3\xAB", QStringLiteral("Zoë"));
        row("login status by name", "LoginStatus", int(enums::AnonymousLoggingIn), "AnonymousLoggingIn",
            int(enums::AnonymousLoggingIn));
        row("NeedChangePassword stored as NotLogin", "LoginStatus", int(enums::NeedChangePassword), "NotLogin",
            int(enums::NotLogin));
        row("out-of-range status stored as NotLogin", "LoginStatus", 42, "NotLogin", int(enums::NotLogin));
        row("transport typed as is", "TransportProtocol", QStringLiteral("udp"), "udp", QStringLiteral("udp"));
    }
    void setterEncodings()
    {
        QFETCH(QByteArray, key);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, stored);
        QFETCH(QVariant, readBack);
        const Accessor &accessor = accessors()[key];
        {
            CUserConfigUtils config(m_path);
            accessor.set(config, value);
            QCOMPARE(accessor.get(config).toString(), readBack.toString());
        }
        CConfigUtils raw;
        QVERIFY(raw.load(QFile::encodeName(m_path).constData()));
        QCOMPARE(raw.getString(accessor.section, accessor.key, "<missing>"), stored);
        CUserConfigUtils reloaded(m_path);
        QCOMPARE(accessor.get(reloaded).toString(), readBack.toString());
    }

    // Every setter writes the file at once, and what it wrote reads back.
    void everyAccessorPersists()
    {
        for (auto it = accessors().cbegin(); it != accessors().cend(); ++it) {
            const Accessor &accessor = it.value();
            QVariant probe;
            {
                CUserConfigUtils fresh(m_path);
                probe = accessor.get(fresh);
            }
            QVariant value;
            switch (probe.userType()) {
            case QMetaType::Bool: value = !probe.toBool(); break;
            case QMetaType::Int: value = it.key() == "LoginStatus" ? int(enums::LoginFailed) : 4242; break;
            default: value = QStringLiteral("v %1 é").arg(QString::fromLatin1(it.key())); break;
            }
            {
                CUserConfigUtils writer(m_path);
                accessor.set(writer, value);
                // Not left for the destructor: the file already holds it.
                CUserConfigUtils reader(m_path);
                QVERIFY2(accessor.get(reader) == value, it.key().constData());
            }
            // Written under its exact name, and read from that name alone.
            CConfigUtils raw;
            QVERIFY(raw.load(QFile::encodeName(m_path).constData()));
            QVERIFY2(raw.hasKey(accessor.section, accessor.key), it.key().constData());
            QByteArray alone = "[Config]\nConfigFileVersion=2\n";
            if (qstrcmp(accessor.section, "Config") != 0)
                alone += QByteArray("[") + accessor.section + "]\n";
            alone += it.key() + '=' + raw.getString(accessor.section, accessor.key, "") + '\n';
            const QString alonePath = m_dir->filePath(QStringLiteral("alone.ini"));
            QVERIFY(writeBytes(alonePath, alone));
            CUserConfigUtils reader(alonePath);
            QVERIFY2(accessor.get(reader) == value, it.key().constData());
        }
    }

    void unchangedSetterDoesNotRewrite()
    {
        {
            CUserConfigUtils config(m_path);
            config.setAntoAnswer(true);
            config.setLoginStatus(enums::NotLogin);
            config.setConfIds({});
        }
        const QDateTime old = QDateTime::fromSecsSinceEpoch(946684800, Qt::UTC);
        auto age = [&] {
            QFile file(m_path);
            return file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime);
        };

        // Two instances read the same file; the second holds a stale snapshot.
        CUserConfigUtils first(m_path);
        CUserConfigUtils second(m_path);
        first.setIp(QStringLiteral("10.1.1.1"));
        QVERIFY(age());
        const QByteArray afterFirst = readBytes(m_path);

        second.setAntoAnswer(true);
        second.setLoginStatus(enums::NotLogin);
        second.setConfIds({});
        QCOMPARE(readBytes(m_path), afterFirst);
        QCOMPARE(QFileInfo(m_path).fileTime(QFileDevice::FileModificationTime).toUTC(), old);

        // A real change is written.
        second.setAntoAnswer(false);
        QVERIFY(QFileInfo(m_path).fileTime(QFileDevice::FileModificationTime).toUTC() != old);
    }

    void setConfIdsShrinks()
    {
        CUserConfigUtils config(m_path);
        const QStringList five {"101", "102", "103", "104", "105"};
        config.setConfIds(five);
        QCOMPARE(config.getConfIds(), five);
        config.setConfIds({"201", "202"});
        QCOMPARE(config.getConfIds(), QStringList({"201", "202"}));

        CConfigUtils raw;
        QVERIFY(raw.load(QFile::encodeName(m_path).constData()));
        QCOMPARE(raw.getString("ConferenceIdsSetting", "ConfIdsCount", ""), QByteArray("2"));
        QCOMPARE(raw.getString("ConferenceIdsSetting", "ConfIds_2", ""), QByteArray("103"));
        QCOMPARE(raw.getString("ConferenceIdsSetting", "ConfIds_4", ""), QByteArray("105"));
        QCOMPARE(CUserConfigUtils(m_path).getConfIds(), QStringList({"201", "202"}));
    }

    void confIdsFromOddFiles_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("missing entry reads empty") << QByteArray("ConfIdsCount=3\nConfIds_0=1\nConfIds_2=3\n")
                                                   << QStringList({"1", "", "3"});
        QTest::newRow("negative count") << QByteArray("ConfIdsCount=-4\nConfIds_0=1\n") << QStringList();
        QTest::newRow("no count") << QByteArray("ConfIds_0=1\n") << QStringList();
    }
    void confIdsFromOddFiles()
    {
        QFETCH(QByteArray, section);
        QFETCH(QStringList, expected);
        QVERIFY(writeBytes(m_path, "[ConferenceIdsSetting]\n" + section));
        QCOMPARE(CUserConfigUtils(m_path).getConfIds(), expected);
    }

    void confIdsCountIsBounded()
    {
        QVERIFY(writeBytes(m_path, "[ConferenceIdsSetting]\nConfIdsCount=2147483647\nConfIds_0=1\n"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("ConfIdsCount")));
        const QStringList ids = CUserConfigUtils(m_path).getConfIds();
        QVERIFY(!ids.isEmpty());
        QVERIFY(ids.size() <= 1000);
        QCOMPARE(ids.first(), QStringLiteral("1"));
    }

    void deviceSnGeneratedOnce()
    {
        QString sn;
        {
            CUserConfigUtils config(m_path);
            sn = config.getDeviceSn();
            QVERIFY2(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(sn).hasMatch(), qPrintable(sn));
            QCOMPARE(config.getDeviceSn(), sn);
        }
        CUserConfigUtils reloaded(m_path);
        QCOMPARE(reloaded.getDeviceSn(), sn);
        reloaded.setDeviceSn(QString());
        const QString fresh = reloaded.getDeviceSn();
        QCOMPARE(fresh.size(), 32);
        QVERIFY(fresh != sn);
    }

    void screenPicPathDefaultsToDownloads()
    {
        const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        {
            CUserConfigUtils config(m_path);
            QCOMPARE(config.getScreenPicPath(), downloads);
        }
        CConfigUtils raw;
        QVERIFY(raw.load(QFile::encodeName(m_path).constData()));
        QCOMPARE(raw.getString("Config", "ScreenPicPathUtf8", ""), downloads.toUtf8().toBase64());
    }

    void migrationFromOldLocation()
    {
        EnvGuard guard("appdata");
        const QString home = m_dir->filePath(QStringLiteral("Users/u"));
        qputenv("appdata", QFile::encodeName(home + QStringLiteral("\\appdata\\Roaming")));
        const QString oldFile = home + QStringLiteral("/AppData/LocalLow/Glimora/Config/config.ini");
        const QByteArray oldBytes = "[Config]\n"
                                    "Ip=10.1.2.3\n"
                                    "port=0x50\n"
                                    "User=alice\n"
                                    "set_bw_2m=TRUE\n"
                                    "support1080P=yes\n"
                                    "DeviceSn=0123456789abcdef0123456789abcdef\n"
                                    "rememberme=0\n"
                                    "AntoAnswer=True\n"
                                    "language=zh-CN\n"
                                    "useHttps=false\n"
                                    "[SipSetting]\r\n"
                                    "TransportProtocol=UDP\r\n"
                                    "EnableRegistration=true\r\n"
                                    "Domain=example.org\r\n";
        QVERIFY(writeBytes(oldFile, oldBytes));

        const QString newFile = m_dir->filePath(QStringLiteral("new/config.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(newFile).absolutePath()));
        {
            CUserConfigUtils config(newFile);
            QCOMPARE(config.getPort(), 80);
            QVERIFY(config.getRememberMe());
            QVERIFY(config.getUseHttps()); // not migrated
            QCOMPARE(config.getTransportProtocol(), QStringLiteral("UDP"));
        }
        QCOMPARE(readBytes(newFile), QByteArray("[Config]\n"
                                                "AntoAnswer=true\n"
                                                "ConfigFileVersion=2\n"
                                                "DeviceSn=0123456789abcdef0123456789abcdef\n"
                                                "Ip=10.1.2.3\n"
                                                "JoinConfDisplayName=\n"
                                                "Password=\n"
                                                "RememberMe=1\n"
                                                "ScreenPicPath=\n"
                                                "User=alice\n"
                                                "autoCaptureWin=false\n"
                                                "language=zh-CN\n"
                                                "openHighFrameRateVideo=false\n"
                                                "openNewWinInContentStream=false\n"
                                                "port=80\n"
                                                "set_bw_2m=true\n"
                                                "support1080P=false\n"
                                                "\n"
                                                "[SipSetting]\n"
                                                "AuthenticationPassword=\n"
                                                "AuthenticationUserName=\n"
                                                "Domain=example.org\n"
                                                "EnableRegistration=true\n"
                                                "ProxyServerAddress=\n"
                                                "ScreenName=\n"
                                                "SignInAddress=\n"
                                                "TransportProtocol=UDP\n"
                                                "\n"));
        QCOMPARE(readBytes(oldFile), oldBytes);

        // An existing config.ini is never migrated over, even an old version.
        QVERIFY(writeBytes(newFile, "[Config]\nIp=192.168.0.1\n"));
        {
            CUserConfigUtils config(newFile);
            QCOMPARE(config.getIp(), QStringLiteral("192.168.0.1"));
            QCOMPARE(config.getUser(), QString());
        }
        QCOMPARE(readBytes(newFile), QByteArray("[Config]\nConfigFileVersion=2\nIp=192.168.0.1\nJoinConfDisplayName=\n"
                                                "ScreenPicPath=\n\n[SipSetting]\nScreenName=\n\n"));
    }

    void noMigrationWithoutAppDataInPath()
    {
        EnvGuard guard("appdata");
        qputenv("appdata", QFile::encodeName(m_dir->filePath(QStringLiteral("roaming"))));
        QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("AppData/LocalLow/Glimora/Config/config.ini")),
                           "[Config]\nIp=10.9.9.9\n"));
        CUserConfigUtils config(m_path);
        QCOMPARE(config.getIp(), QString());
        QCOMPARE(readBytes(m_path), kFirstStartFile);
    }

    void brokenConfigKeptAside()
    {
        const QByteArray broken = "[Config]\nIp=10.0.0.7\nUser=bob\n[SipSetting\nDomain=x\n";
        QVERIFY(writeBytes(m_path, broken));
        {
            CUserConfigUtils config(m_path);
            QCOMPARE(config.getIp(), QString());
        }
        QCOMPARE(readBytes(m_path + QStringLiteral(".bad")), broken);
        QCOMPARE(readBytes(m_path), kFirstStartFile);

        // A second broken file does not replace the first one kept aside.
        QVERIFY(writeBytes(m_path, "[oops"));
        { CUserConfigUtils config(m_path); }
        QCOMPARE(readBytes(m_path + QStringLiteral(".bad")), broken);
        QCOMPARE(readBytes(m_path + QStringLiteral(".bad.1")), QByteArray("[oops"));
        QCOMPARE(readBytes(m_path), kFirstStartFile);
    }

    // A FIFO or an oversized file in place of config.ini is set aside like a
    // broken one, without waiting on it, and a fresh file takes its place.
    void unusableConfigSetAside_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("FIFO") << true;
        QTest::newRow("past the size limit") << false;
    }
    void unusableConfigSetAside()
    {
        QFETCH(bool, fifo);
        const QByteArray path = QFile::encodeName(m_path);
        if (fifo)
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else
            QVERIFY(writeBytes(m_path, "[Config]\nIp=10.0.0.7\n" + QByteArray(CConfigUtils::m_iMaxFileBytes, '#')));

        std::promise<QString> read;
        std::future<QString> ip = read.get_future();
        std::thread starter([&] { read.set_value(CUserConfigUtils(m_path).getIp()); });
        const bool blocked = ip.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
        if (blocked) {
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
        starter.join();
        QVERIFY2(!blocked, "the constructor waited on the file");
        QCOMPARE(ip.get(), QString());
        QCOMPARE(readBytes(m_path), kFirstStartFile);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(m_path + QStringLiteral(".bad")).constData(), &st), 0);
        QCOMPARE(S_ISFIFO(st.st_mode), fifo);
    }

    void uncreatableConfigRunsOnDefaults()
    {
        QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("plain")), "file"));
        const QString path = m_dir->filePath(QStringLiteral("plain/config.ini"));
        CUserConfigUtils config(path);
        QVERIFY(config.getUseHttps());
        QSignalSpy failures(CConfigSaveNotifier::instance(), &CConfigSaveNotifier::sigSaveFailed);
        config.setIp(QStringLiteral("1.2.3.4")); // cannot be saved: not kept either, and told
        QCOMPARE(config.getIp(), QString());
        QCOMPARE(failures.count(), 1);
    }

    // A setting that cannot be written: the file stays byte for byte, the
    // value read back is the stored one (also after another key is saved),
    // and the failure is reported with its reason, as the first of its run
    // only once.
    void saveFailureKeepsWhatIsStored_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("disk full") << int(UnwritableDir::Full);
        QTest::newRow("read-only") << int(UnwritableDir::ReadOnly);
    }
    void saveFailureKeepsWhatIsStored()
    {
        QFETCH(int, way);
        {
            CUserConfigUtils config(m_path);
            config.setIp(QStringLiteral("10.0.0.1"));
            config.setAntoAnswer(false);
            config.setConfIds({QStringLiteral("1001")});
        }
        const QByteArray stored = readBytes(m_path);
        CUserConfigUtils config(m_path);
        config.setDomain(QStringLiteral("saved.example")); // a save that works
        const QByteArray before = readBytes(m_path);
        QSignalSpy failures(CConfigSaveNotifier::instance(), &CConfigSaveNotifier::sigSaveFailed);
        {
            UnwritableDir unwritable(m_dir->path(), UnwritableDir::Way(way));
            if (!unwritable.ready())
                QSKIP(qPrintable(unwritable.why()));
            config.setIp(QStringLiteral("10.9.9.9"));
            config.setAntoAnswer(true);
            config.setConfIds({QStringLiteral("1002"), QStringLiteral("1003")});
            config.setLoginStatus(enums::LoggedIn);
            QCOMPARE(config.getIp(), QStringLiteral("10.0.0.1"));
            QVERIFY(!config.getAntoAnswer());
            QCOMPARE(config.getConfIds(), QStringList{QStringLiteral("1001")});
            QCOMPARE(int(config.getLoginStatus()), int(enums::NotLogin));
            QCOMPARE(readBytes(m_path), before);
            QCOMPARE(failures.count(), 4);
            QVERIFY2(!failures[0][0].toString().isEmpty(), "no reason");
            QCOMPARE(failures[0][1].toBool(), true);
            for (int i = 1; i < failures.count(); ++i)
                QCOMPARE(failures[i][1].toBool(), false);
        }
        QVERIFY(before != stored);
        // Writable again: the next setting is saved alone, nothing of the
        // failed ones rides along, and the next failure is the first again.
        config.setAntoAnswer(true);
        const QByteArray after = readBytes(m_path);
        QVERIFY(after.contains("AntoAnswer=true"));
        QVERIFY(after.contains("Ip=10.0.0.1"));
        QVERIFY(!after.contains("1002"));
        QCOMPARE(failures.count(), 4);
    }

    // The SIP page's save: the eight values go in one save, all or none; an
    // unchanged section is not written; a failure is reported once and the
    // file and the values read back stay as stored.
    void sipSettingsSavedTogether_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("disk full") << int(UnwritableDir::Full);
        QTest::newRow("read-only") << int(UnwritableDir::ReadOnly);
    }
    void sipSettingsSavedTogether()
    {
        QFETCH(int, way);
        CUserConfigUtils config(m_path);
        CUserConfigUtils::SipSettings sip;
        sip.transportProtocol = QStringLiteral("UDP");
        sip.screenName = QString::fromUtf8("Front desk \xE5\x89\x8D");
        sip.enableRegistration = true;
        sip.proxyServerAddress = QStringLiteral("sip.example");
        sip.domain = QStringLiteral("example");
        sip.signInAddress = QStringLiteral("7001");
        sip.authenticationUserName = QStringLiteral("u1");
        sip.authenticationPassword = QStringLiteral("secret");
        QVERIFY(config.setSipSettings(sip));
        const QByteArray stored = readBytes(m_path);
        const QByteArray section = stored.mid(stored.indexOf("[SipSetting]\n"));
        for (const QByteArray &line :
             {QByteArray("\nAuthenticationPassword=secret\n"), QByteArray("\nAuthenticationUserName=u1\n"),
              QByteArray("\nDomain=example\n"), QByteArray("\nEnableRegistration=true\n"),
              QByteArray("\nProxyServerAddress=sip.example\n"),
              "\nScreenNameUtf8=" + sip.screenName.toUtf8().toBase64() + "\n", QByteArray("\nSignInAddress=7001\n"),
              QByteArray("\nTransportProtocol=UDP\n")})
            QVERIFY2(section.contains(line), line.constData());
        const auto read = [&config] {
            return QStringList{config.getTransportProtocol(),      config.getScreenName(),
                               QString::number(config.getEnableRegistration()), config.getProxyServerAddress(),
                               config.getDomain(),                 config.getSignInAddress(),
                               config.getAuthenticationUserName(), config.getAuthenticationPassword()};
        };
        const QStringList values = read();
        QCOMPARE(values.last(), QStringLiteral("secret"));

        QSignalSpy failures(CConfigSaveNotifier::instance(), &CConfigSaveNotifier::sigSaveFailed);
        CUserConfigUtils::SipSettings other = sip;
        other.domain = QStringLiteral("other.example");
        other.authenticationPassword = QStringLiteral("changed");
        {
            UnwritableDir unwritable(m_dir->path(), UnwritableDir::Way(way));
            if (!unwritable.ready())
                QSKIP(qPrintable(unwritable.why()));
            // Unchanged: nothing to write, so nothing fails.
            QVERIFY(config.setSipSettings(sip));
            QCOMPARE(failures.count(), 0);
            QVERIFY(!config.setSipSettings(other));
            QCOMPARE(failures.count(), 1);
            QVERIFY2(!failures[0][0].toString().isEmpty(), "no reason");
            QCOMPARE(read(), values);
            QCOMPARE(readBytes(m_path), stored);
        }
        QVERIFY(config.setSipSettings(other));
        QCOMPARE(config.getDomain(), QStringLiteral("other.example"));
        QCOMPARE(config.getAuthenticationPassword(), QStringLiteral("changed"));
        QVERIFY(readBytes(m_path).contains("AuthenticationPassword=changed\n"));
        QCOMPARE(failures.count(), 1);
    }

    // Pool threads read while the GUI thread writes: every value read is one
    // that was written as a whole.
    void concurrentReadersSeeWholeValues()
    {
        CUserConfigUtils config(m_path);
        const QString longIp = QString(300, QLatin1Char('a'));
        const QString shortIp = QStringLiteral("b");
        const QString nameA = QStringLiteral("张三");
        const QString nameB = QStringLiteral("Zoë Müller-Lüdenscheidt");
        const QStringList idsA {"1", "2", "3"};
        const QStringList idsB {"9"};
        config.setIp(shortIp);
        config.setJoinConfDisplayName(nameA);
        config.setConfIds(idsA);

        std::atomic<bool> stop {false};
        std::atomic<int> reads {0};
        QString torn;
        std::thread reader([&] {
            while (!stop.load()) {
                const QString ip = config.getIp();
                const QString name = config.getJoinConfDisplayName();
                const QStringList ids = config.getConfIds();
                const bool https = config.getUseHttps();
                Q_UNUSED(https);
                if (torn.isEmpty()) {
                    if (ip != longIp && ip != shortIp)
                        torn = QStringLiteral("ip: ") + ip.left(20);
                    else if (name != nameA && name != nameB)
                        torn = QStringLiteral("name: ") + name;
                    else if (ids != idsA && ids != idsB)
                        torn = QStringLiteral("ids: ") + ids.join(QLatin1Char(','));
                }
                ++reads;
            }
        });

        QElapsedTimer timer;
        timer.start();
        int writes = 0;
        while (timer.elapsed() < 500 && writes < 100000) {
            const bool odd = writes % 2;
            config.setIp(odd ? longIp : shortIp);
            config.setJoinConfDisplayName(odd ? nameB : nameA);
            config.setConfIds(odd ? idsB : idsA);
            config.setUseHttps(odd);
            ++writes;
        }
        stop = true;
        reader.join();
        QVERIFY2(torn.isEmpty(), qPrintable(torn));
        QVERIFY(reads.load() > 0);
        QVERIFY(writes > 1);
        qInfo("%d rounds of writes, %d rounds of reads", writes, reads.load());
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_path;
};

GLIMORA_TEST_MAIN(TestUserConfigUtils)
#include "tst_userconfigutils.moc"
