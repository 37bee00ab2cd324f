// The feedback archive: which files the tidy-up deletes, which the archive
// takes and under which names, and the upload's outcome through the
// simulated engine.

#include "support/HttpFixtureServer.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/settings/CFeedbackArchiver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThreadPool>

#include <private/qzipreader_p.h>

#include <atomic>
#include <memory>
#include <vector>

using glimora::test::HttpFixtureServer;
using glimora::test::readBytes;
using glimora::test::writeBytes;
using rj_app::helpers::CAppConfigUtils;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CRJSdkManager;
using rj_app::views::CFeedbackArchiveTask;
using rj_app::views::CFeedbackArchiver;

namespace {

const int kWaitMs = 10000;

// 2026-03-07 14:05:09 local time: the archive is "/appLog03-07-14-05-09.zip".
QDateTime fixedNow()
{
    return QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9));
}
const char kZipName[] = "/appLog03-07-14-05-09.zip";

QMap<QString, QByteArray> zipEntries(const QString &path)
{
    QMap<QString, QByteArray> entries;
    QZipReader reader(path);
    if (reader.status() != QZipReader::NoError)
        return entries;
    for (const QZipReader::FileInfo &info : reader.fileInfoList())
        entries.insert(info.filePath, reader.fileData(info.filePath));
    return entries;
}

bool setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime);
}

QString field(const std::vector<std::string> &call, std::size_t i)
{
    return i < call.size() ? QString::fromStdString(call[i]) : QStringLiteral("<missing>");
}

} // namespace

class TestFeedbackArchive : public QObject
{
    Q_OBJECT

    QString m_dir; // the user data directory
    std::vector<std::unique_ptr<CAppConfigUtils>> m_appConfigs;

    QString path(const QString &name) const { return m_dir + QLatin1Char('/') + name; }
    bool put(const QString &name, const QByteArray &bytes = QByteArray())
    {
        return writeBytes(path(name), bytes.isEmpty() ? name.toUtf8() : bytes);
    }

    // An archiver whose archive name and deployment configuration the test knows.
    std::unique_ptr<CFeedbackArchiver> archiver(const QString &feedbackAddress = QString())
    {
        const QString ini = glimora::test::isolatedRoot() + QStringLiteral("/deploy/app-config.ini");
        QByteArray text("[Config]\n");
        if (!feedbackAddress.isEmpty())
            text += "FeedbackAddress=" + feedbackAddress.toUtf8() + "\n";
        writeBytes(ini, text);
        // Kept for the whole run: a case may make several archivers.
        m_appConfigs.push_back(std::make_unique<CAppConfigUtils>(ini));
        auto a = std::make_unique<CFeedbackArchiver>();
        a->setClock(fixedNow);
        a->setAppConfig(m_appConfigs.back().get());
        return a;
    }

    QStringList dirEntries() const
    {
        return QDir(m_dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        m_dir = CUserConfigUtils::getUserConfigPath();
        QVERIFY(m_dir.startsWith(glimora::test::isolatedRoot()));
        CRJSdkManager::initInstance();
        QVERIFY(CRJSdkManager::getInstance() && CRJSdkManager::getInstance()->hasEngine());
    }

    void init()
    {
        // Each case starts from an empty user data directory.
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        for (const QFileInfo &entry :
             QDir(m_dir).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (entry.isDir())
                QDir(entry.absoluteFilePath()).removeRecursively();
            else
                QFile::remove(entry.absoluteFilePath());
        }
        rjsim_clear_result(nullptr);
        rjsim_clear_journal();
    }

    void cleanupTestCase()
    {
        QThreadPool::globalInstance()->waitForDone();
        CRJSdkManager::releaseInstance();
        CUserConfigUtils::releaseInstance();
    }

    // Logs, configuration and dumps are taken by name; the tidy-up removes old
    // archives, the engine's own logs and "CEF.log"; other files stay untouched.
    void archiveContents()
    {
        // The last name is not Latin-1: the archive stores it as UTF-8.
        const QStringList taken{"app.log",   "rjsdk_1.log",  "tqsdk.log",        "brondalrc",
                                "privoxy.conf", "RJSDK.log", "app-conflict.log", QString::fromUtf8("rjsdk_\xE6\x97\xA5\xE5\xBF\x97.log")};
        for (const QString &name : taken)
            QVERIFY(put(name));
        const QStringList ignored{"notes.txt", "rjsdk.txt", "noextension", "IMG_0.jpg"};
        for (const QString &name : ignored)
            QVERIFY(put(name));
        const QStringList deleted{"appLog01-02-03-04-05.zip", "CEF.log", "brondal_media.log",
                                  "BrondalZorApp.log.1"};
        for (const QString &name : deleted)
            QVERIFY(put(name));
        // Found by the walk below the data directory; its passwords stay home.
        QVERIFY(put(QStringLiteral("Glimora/Config/config.ini"),
                    "[Config]\nuser=alice\nPassword=s3cret-login\nJoinConfPassword=s3cret-join\n\n"
                    "[SipSetting]\nAuthenticationPassword=s3cret-sip\nDomain=example\n"));
        QVERIFY(put(QStringLiteral("nested/deeper/rjsdk_2.log")));
        // A linked folder pointing back up must not send the walk in circles.
        QVERIFY(QFile::link(m_dir, path(QStringLiteral("nested/loop"))));

        auto a = archiver();
        a->execUploadLog(QStringLiteral("no sound"), QStringLiteral("alice@example.com"));

        QCOMPARE(a->zipName(), QString::fromLatin1(kZipName));
        QCOMPARE(a->tempDir(), path(QStringLiteral("temp")));
        const QMap<QString, QByteArray> entries = zipEntries(m_dir + QLatin1String(kZipName));
        QStringList expected = taken;
        expected << QStringLiteral("config.ini") << QStringLiteral("rjsdk_2.log");
        expected.sort();
        QCOMPARE(entries.keys(), expected);
        QCOMPARE(entries.value(QStringLiteral("app.log")), QByteArray("app.log"));
        QCOMPARE(entries.value(taken.last()), taken.last().toUtf8());
        QCOMPARE(entries.value(QStringLiteral("config.ini")),
                 QByteArray("[Config]\nuser=alice\nPassword=\nJoinConfPassword=\n\n"
                            "[SipSetting]\nAuthenticationPassword=\nDomain=example\n"));
        // The file itself keeps them.
        QVERIFY(readBytes(path(QStringLiteral("Glimora/Config/config.ini"))).contains("s3cret-sip"));

        for (const QString &name : deleted)
            QVERIFY2(!QFileInfo::exists(path(name)), qPrintable(name));
        for (const QString &name : ignored + taken)
            QVERIFY2(QFileInfo::exists(path(name)), qPrintable(name));
        // The collection folder holds exactly what was archived.
        QStringList collected = QDir(path(QStringLiteral("temp"))).entryList(QDir::Files, QDir::Name);
        QCOMPARE(collected, expected);

        // Handed to the engine with both texts; no address configured.
        const auto calls = rjsim::journalOf("uploadFeedbackfile");
        QCOMPARE(int(calls.size()), 1);
        QCOMPARE(field(calls[0], 1), m_dir + QLatin1String(kZipName));
        QCOMPARE(field(calls[0], 2), QStringLiteral("alice@example.com"));
        QCOMPARE(field(calls[0], 3), QStringLiteral("no sound"));
        QCOMPARE(rjsim_journal_count("uploadFeedbackFilesWithAddress"), 0);
    }

    // Every key whose name holds "Password" or "Passwd" loses its value, in
    // any section and any letter case; everything else stays byte for byte.
    void passwordsBlanked_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("archived");
        QTest::newRow("keys of both files")
            << QByteArray("[Config]\nPassword=a\nJoinConfPassword=b\n[SipSetting]\nAuthenticationPassword=c\n")
            << QByteArray("[Config]\nPassword=\nJoinConfPassword=\n[SipSetting]\nAuthenticationPassword=\n");
        QTest::newRow("passwd, any case, any section")
            << QByteArray("[proxy]\nproxyPasswd=x=y\nPASSWORD=z\nuser=alice\n")
            << QByteArray("[proxy]\nproxyPasswd=\nPASSWORD=\nuser=alice\n");
        QTest::newRow("CR LF lines") << QByteArray("[Config]\r\nPassword=a\r\nUser=b\r\n")
                                     << QByteArray("[Config]\r\nPassword=\r\nUser=b\r\n");
        QTest::newRow("no final line feed") << QByteArray("Password=a") << QByteArray("Password=");
        QTest::newRow("password in a value or section name stays")
            << QByteArray("[Password]\nhint=Password=1\nnote Password\n")
            << QByteArray("[Password]\nhint=Password=1\nnote Password\n");
    }
    void passwordsBlanked()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, archived);
        QCOMPARE(CFeedbackArchiveTask::withoutPasswords(ini), archived);
        // And in the archive itself, for both configuration files.
        QVERIFY(put(QStringLiteral("Glimora/Config/config.ini"), ini));
        QVERIFY(put(QStringLiteral("app-config.ini"), ini));
        auto a = archiver();
        a->execUploadLog(QString(), QString());
        const QMap<QString, QByteArray> entries = zipEntries(m_dir + QLatin1String(kZipName));
        QCOMPARE(entries.value(QStringLiteral("config.ini")), archived);
        QCOMPARE(entries.value(QStringLiteral("app-config.ini")), archived);
    }

    // Every key of config.ini that may hold a password, a token or a join
    // URL reaches the archive masked: secrets by the key's name, meetings
    // stored as dialled ("number*password@server") and join URLs by value.
    // What holds none stays byte for byte.
    void configurationSecretsMasked_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("archived");
        QTest::newRow("login password") << QByteArray("[Config]\nPassword=Pw-0815\n")
                                        << QByteArray("[Config]\nPassword=\n");
        QTest::newRow("guest join password") << QByteArray("[Config]\nJoinConfPassword=Pw-0815\n")
                                             << QByteArray("[Config]\nJoinConfPassword=\n");
        QTest::newRow("SIP password") << QByteArray("[SipSetting]\nAuthenticationPassword=Pw-0815\n")
                                      << QByteArray("[SipSetting]\nAuthenticationPassword=\n");
        QTest::newRow("pwd, token and secret keys")
            << QByteArray("[Proxy]\nProxyPwd=Pw-0815\nAccessToken=Pw-0815\nclient_secret=Pw-0815\n")
            << QByteArray("[Proxy]\nProxyPwd=\nAccessToken=\nclient_secret=\n");
        QTest::newRow("running meeting with its password")
            << QByteArray("[ConfRunningStatus]\nConfId=1002*Pw-0815\nIsConfRunning=1\n")
            << QByteArray("[ConfRunningStatus]\nConfId=1002****\nIsConfRunning=1\n");
        QTest::newRow("running meeting, password and server")
            << QByteArray("[ConfRunningStatus]\nConfId=1002*Pw-0815@10.0.0.5\n")
            << QByteArray("[ConfRunningStatus]\nConfId=1002****@10.0.0.5\n");
        QTest::newRow("running meeting without password")
            << QByteArray("[ConfRunningStatus]\nConfId=1001@10.0.0.5\n")
            << QByteArray("[ConfRunningStatus]\nConfId=1001@10.0.0.5\n");
        QTest::newRow("meeting history")
            << QByteArray("[ConferenceIdsSetting]\nConfIdsCount=3\nConfIds_0=1002*Pw-0815\nConfIds_1=1001\n"
                          "ConfIds_2=1003*Pw-0815@sip.example\n")
            << QByteArray("[ConferenceIdsSetting]\nConfIdsCount=3\nConfIds_0=1002****\nConfIds_1=1001\n"
                          "ConfIds_2=1003****@sip.example\n");
        QTest::newRow("guest join number typed as dialled")
            << QByteArray("[Config]\nJoinConfNumber=1002*Pw-0815\nJoinConfServerAddress=10.0.0.5\n")
            << QByteArray("[Config]\nJoinConfNumber=1002****\nJoinConfServerAddress=10.0.0.5\n");
        QTest::newRow("join URLs in any value")
            << QByteArray("[Config]\nJoinConfServerAddress=glimora://joinmeeting/1002/0/Pw-0815/10.0.0.5\n"
                          "[ConfRunningStatus]\nConfId=--url=brondal://m.example/joinmeeting/1002/1/Pw-0815\n")
            << QByteArray("[Config]\nJoinConfServerAddress=glimora://joinmeeting/1002/0/***/10.0.0.5\n"
                          "[ConfRunningStatus]\nConfId=--url=brondal://m.example/joinmeeting/1002/1/***\n");
        QTest::newRow("key names in any case")
            << QByteArray("[ConfRunningStatus]\nconfid=1002*Pw-0815\nCONFIDS_0=1002*Pw-0815\n")
            << QByteArray("[ConfRunningStatus]\nconfid=1002****\nCONFIDS_0=1002****\n");
        QTest::newRow("CR LF lines")
            << QByteArray("[ConfRunningStatus]\r\nConfId=1002*Pw-0815\r\nJoinConfPassword=Pw-0815\r\n")
            << QByteArray("[ConfRunningStatus]\r\nConfId=1002****\r\nJoinConfPassword=\r\n");
        QTest::newRow("other keys stay")
            << QByteArray("[Config]\nUser=alice\nIp=10.0.0.5\nDeviceSn=a*b\nScreenPicPathUtf8=L3Nydg==\n"
                          "[SipSetting]\nSignInAddress=7001*x\nDomain=example\n")
            << QByteArray("[Config]\nUser=alice\nIp=10.0.0.5\nDeviceSn=a*b\nScreenPicPathUtf8=L3Nydg==\n"
                          "[SipSetting]\nSignInAddress=7001*x\nDomain=example\n");
    }
    void configurationSecretsMasked()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, archived);
        QCOMPARE(CFeedbackArchiveTask::withoutPasswords(ini), archived);
        QVERIFY(put(QStringLiteral("Glimora/Config/config.ini"), ini));
        auto a = archiver();
        a->execUploadLog(QString(), QString());
        const QMap<QString, QByteArray> entries = zipEntries(m_dir + QLatin1String(kZipName));
        QCOMPARE(entries.value(QStringLiteral("config.ini")), archived);
        QCOMPARE(readBytes(path(QStringLiteral("Glimora/Config/config.ini"))), ini);
    }

    // The same for config.ini as the client writes it: every setter that may
    // store a password, a meeting as dialled or a join URL.
    void writtenConfigurationMasked()
    {
        QVERIFY(QDir().mkpath(path(QStringLiteral("Glimora/Config"))));
        CUserConfigUtils *config = CUserConfigUtils::getInstance();
        config->setPassword(QStringLiteral("Pw-0815"));
        config->setJoinConfPassword(QStringLiteral("Pw-0815"));
        config->setJoinConfNumber(QStringLiteral("1002*Pw-0815"));
        config->setJoinConfServerAddress(QStringLiteral("glimora://joinmeeting/1002/0/Pw-0815"));
        config->setConfId(QStringLiteral("1002*Pw-0815@10.0.0.5"));
        config->setConfIds({QStringLiteral("1002*Pw-0815@10.0.0.5"), QStringLiteral("1003*Pw-0815")});
        CUserConfigUtils::SipSettings sip;
        sip.authenticationPassword = QStringLiteral("Pw-0815");
        sip.signInAddress = QStringLiteral("7001");
        QVERIFY(config->setSipSettings(sip));
        const QByteArray written = readBytes(path(QStringLiteral("Glimora/Config/config.ini")));
        QCOMPARE(written.count("Pw-0815"), 8);

        auto a = archiver();
        a->execUploadLog(QString(), QString());
        const QByteArray archived = zipEntries(m_dir + QLatin1String(kZipName)).value(QStringLiteral("config.ini"));
        QVERIFY2(!archived.isEmpty(), archived.constData());
        QVERIFY2(!archived.contains("Pw-0815"), archived.constData());
        QVERIFY2(archived.contains("ConfId=1002****@10.0.0.5"), archived.constData());
        QVERIFY2(archived.contains("SignInAddress=7001"), archived.constData());

        config->setConfId(QString());
        config->setConfIds({QStringLiteral("1002"), QStringLiteral("1003")});
    }

    // The logs go as they are, but a join URL's password in them, as earlier
    // versions and the engine may have written it, does not.
    void joinPasswordsMaskedInLogs()
    {
        const QByteArray log =
            "argv[1]: --url=glimora://joinmeeting/1002/0/Pw-0815\n"
            "receiveDuplicatedAppMessage \"--url=brondal://m.example/joinmeeting/1002/1/Pw-0815\"\r\n"
            "argv[1]: glimora://joinmeeting/1002/1/Pw-0815/10.0.0.5\n"
            "unchanged line\n"
            "no password: --url=glimora://joinmeeting/1001/0/NO";
        const QByteArray masked =
            "argv[1]: --url=glimora://joinmeeting/1002/0/***\n"
            "receiveDuplicatedAppMessage \"--url=brondal://m.example/joinmeeting/1002/1/***\r\n"
            "argv[1]: glimora://joinmeeting/1002/1/***/10.0.0.5\n"
            "unchanged line\n"
            "no password: --url=glimora://joinmeeting/1001/0/NO";
        QCOMPARE(CFeedbackArchiveTask::withoutJoinPasswords(log), masked);
        for (const char *name : {"app.log", "app-conflict.log", "rjsdk_1.log"})
            QVERIFY(put(QLatin1String(name), log));
        auto a = archiver();
        a->execUploadLog(QString(), QString());
        const QMap<QString, QByteArray> entries = zipEntries(m_dir + QLatin1String(kZipName));
        for (const char *name : {"app.log", "app-conflict.log", "rjsdk_1.log"})
            QCOMPARE(entries.value(QLatin1String(name)), masked);
        // The logs themselves stay as they are.
        QCOMPARE(readBytes(path(QStringLiteral("app.log"))), log);
    }

    // The five newest dumps stay, older ones go; folders, whatever their
    // names, neither count nor go. Dump copies carry their birth time.
    void dumpsByAge()
    {
        const QDateTime now = fixedNow();
        QStringList names;
        for (int i = 1; i <= 7; ++i) {
            const QString name = QStringLiteral("crash%1.dmp").arg(i);
            QVERIFY(put(name));
            QVERIFY(setModified(path(name), now.addSecs(-3600 * i))); // crash1 newest
            names << name;
        }
        // A folder newer than every dump.
        QVERIFY(QDir(m_dir).mkpath(QStringLiteral("folder.dmp")));

        QStringList expectedCopies;
        for (int i = 0; i < 5; ++i) {
            const QFileInfo info(path(names[i]));
            const QDateTime born = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
            expectedCopies << names[i] + born.toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss")) +
                                  QStringLiteral(".dmp");
        }
        expectedCopies.sort();

        auto a = archiver();
        a->execUploadLog(QString(), QString());

        for (int i = 0; i < 7; ++i)
            QCOMPARE(QFileInfo::exists(path(names[i])), i < 5);
        QVERIFY(QFileInfo(path(QStringLiteral("folder.dmp"))).isDir());
        QCOMPARE(zipEntries(m_dir + QLatin1String(kZipName)).keys(), expectedCopies);
    }

    // Leftovers of an earlier upload never reach the next archive; of two
    // files with one name only one is taken.
    void collectionFolderStartsEmpty()
    {
        QVERIFY(put(QStringLiteral("temp/stale.log")));
        QVERIFY(put(QStringLiteral("temp/old/app.log")));
        QVERIFY(put(QStringLiteral("app.log"), "top"));
        QVERIFY(put(QStringLiteral("sub/app.log"), "sub"));

        auto a = archiver();
        a->execUploadLog(QString(), QString());

        const QMap<QString, QByteArray> entries = zipEntries(m_dir + QLatin1String(kZipName));
        QCOMPARE(entries.keys(), QStringList{QStringLiteral("app.log")});
        QVERIFY(entries.first() == "top" || entries.first() == "sub");
        QCOMPARE(QDir(path(QStringLiteral("temp"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("app.log")});
    }

    // The engine's verdict reaches the dialog side: progress then 100, or one
    // negative value. Each row names the upload variant the engine receives.
    void upload_data()
    {
        QTest::addColumn<bool>("withAddress");
        QTest::addColumn<int>("addressPort"); // 0: the fixture server; otherwise a closed port
        QTest::addColumn<QByteArray>("forced");
        QTest::addColumn<int>("final");

        QTest::newRow("uploaded") << false << 0 << QByteArray() << 100;
        QTest::newRow("uploaded to the address") << true << 0 << QByteArray() << 100;
        QTest::newRow("address unreachable") << true << 1 << QByteArray() << -2;
        QTest::newRow("engine refuses") << false << 0 << QByteArray("uploadFeedbackfile") << -5;
        QTest::newRow("engine refuses the address") << true << 0
                                                    << QByteArray("uploadFeedbackFilesWithAddress") << -5;
    }
    void upload()
    {
        QFETCH(bool, withAddress);
        QFETCH(int, addressPort);
        QFETCH(QByteArray, forced);
        QFETCH(int, final);

        HttpFixtureServer server;
        QVERIFY(server.start());
        const QString address = !withAddress ? QString()
            : addressPort ? QStringLiteral("http://127.0.0.1:%1/feedback").arg(addressPort)
                          : server.baseUrl() + QStringLiteral("/feedback");
        if (!forced.isEmpty())
            rjsim_force_result(forced.constData(), 5, 1);
        QVERIFY(put(QStringLiteral("app.log")));
        for (int i = 0; i < 6; ++i)
            QVERIFY(put(QStringLiteral("IMG_%1.jpg").arg(i)));

        auto a = archiver(address);
        QSignalSpy results(a.get(), &CFeedbackArchiver::sigUploadFeedback);
        a->startUpload(QStringLiteral("description"), QStringLiteral("contact"));
        QVERIFY(a->isUploading());
        QTRY_VERIFY_WITH_TIMEOUT(!results.isEmpty() && (results.last().at(0).toInt() < 0 ||
                                                        results.last().at(0).toInt() == 100),
                                 kWaitMs);
        QCOMPARE(results.last().at(0).toInt(), final);
        QVERIFY(!a->isUploading());
        int previous = 0;
        for (int i = 0; i + 1 < results.size(); ++i) {
            const int progress = results.at(i).at(0).toInt();
            QVERIFY2(progress > previous && progress < 100, qPrintable(QString::number(progress)));
            previous = progress;
        }
        if (final < 0)
            QCOMPARE(results.size(), 1);

        const char *operation = withAddress ? "uploadFeedbackFilesWithAddress" : "uploadFeedbackfile";
        const auto calls = rjsim::journalOf(operation);
        QCOMPARE(int(calls.size()), 1);
        QCOMPARE(field(calls[0], 1), a->zipPath());
        if (withAddress)
            QCOMPARE(field(calls[0], 4), address);

        // The copies made for the archive are gone, whatever the outcome.
        QVERIFY(!a->tempDir().isEmpty());
        QVERIFY(!QFileInfo::exists(a->tempDir()));
        QVERIFY(QFileInfo::exists(path(QStringLiteral("app.log"))));

        // After a success the dialog drops the pictures and the archive.
        QVERIFY(QFileInfo::exists(a->zipPath()));
        if (final == 100) {
            a->removeZip();
            QVERIFY(!QFileInfo::exists(a->zipPath()));
            for (int i = 0; i < 6; ++i)
                QVERIFY(!QFileInfo::exists(path(QStringLiteral("IMG_%1.jpg").arg(i))));
            QVERIFY(QFileInfo::exists(path(QStringLiteral("app.log"))));
        }
    }

    // An archive that cannot be written is not sent; the failure is reported
    // at once instead of leaving the dialog waiting.
    void unwritableArchiveFails()
    {
        QVERIFY(put(QStringLiteral("app.log")));
        // A folder squats on the archive's name.
        QVERIFY(QDir(m_dir).mkpath(QLatin1String(kZipName).mid(1)));

        auto a = archiver();
        QSignalSpy results(a.get(), &CFeedbackArchiver::sigUploadFeedback);
        a->startUpload(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 1, kWaitMs);
        QCOMPARE(results.at(0).at(0).toInt(), -1);
        QVERIFY(!a->isUploading());
        QCOMPARE(rjsim_journal_count("uploadFeedbackfile"), 0);
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("temp"))));
    }

    // Closing the dialog while its archive is being made returns at once,
    // neither crashes nor loses the upload, and the process takes no other
    // upload until that one's final result has come.
    void ownerGoneDuringTask()
    {
        QVERIFY(put(QStringLiteral("app.log")));
        struct Gate
        {
            QSemaphore inClock, release;
            std::atomic<bool> leftClock{false};
        };
        const auto gate = std::make_shared<Gate>();
        auto a = archiver();
        // The task stops in the clock, after collecting and before zipping.
        a->setClock([gate] {
            gate->inClock.release();
            gate->release.tryAcquire(1, 5000);
            gate->leftClock = true;
            return fixedNow();
        });
        QVERIFY(a->startUpload(QStringLiteral("bye"), QString()));
        QVERIFY(gate->inClock.tryAcquire(1, kWaitMs));
        QElapsedTimer closing;
        closing.start();
        a.reset();
        QVERIFY2(closing.elapsed() < 1000, qPrintable(QString::number(closing.elapsed())));
        QVERIFY(!gate->leftClock);

        auto other = archiver();
        QSignalSpy otherResults(other.get(), &CFeedbackArchiver::sigUploadFeedback);
        QVERIFY(!other->startUpload(QStringLiteral("second"), QString()));
        QVERIFY(!other->isUploading());

        gate->release.release();
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(rjsim_journal_count("uploadFeedbackfile"), 1);
        QVERIFY(QFileInfo::exists(m_dir + QLatin1String(kZipName)));
        QTRY_VERIFY_WITH_TIMEOUT(!CFeedbackArchiver::isAnyUploadRunning(), kWaitMs);
        QCOMPARE(otherResults.size(), 0); // the gone dialog's result reaches nobody
    }

    // One upload per process: a second archiver is refused while the first
    // runs, hears none of its results, and may send once it is over.
    void oneUploadAtATime()
    {
        QVERIFY(put(QStringLiteral("app.log")));
        auto first = archiver();
        auto second = archiver();
        QSignalSpy firstResults(first.get(), &CFeedbackArchiver::sigUploadFeedback);
        QSignalSpy secondResults(second.get(), &CFeedbackArchiver::sigUploadFeedback);
        QVERIFY(first->startUpload(QStringLiteral("one"), QString()));
        QVERIFY(CFeedbackArchiver::isAnyUploadRunning());
        QVERIFY(!second->startUpload(QStringLiteral("two"), QString()));
        QVERIFY(first->isUploading() && !second->isUploading());
        QTRY_VERIFY_WITH_TIMEOUT(!firstResults.isEmpty() && firstResults.last().at(0).toInt() == 100, kWaitMs);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(secondResults.size(), 0);
        QCOMPARE(rjsim_journal_count("uploadFeedbackfile"), 1);

        QVERIFY(second->startUpload(QStringLiteral("two"), QString()));
        QTRY_VERIFY_WITH_TIMEOUT(!secondResults.isEmpty() && secondResults.last().at(0).toInt() == 100, kWaitMs);
        const int firstCount = firstResults.size();
        QCoreApplication::processEvents();
        QCOMPARE(firstResults.size(), firstCount);
        const auto calls = rjsim::journalOf("uploadFeedbackfile");
        QCOMPARE(int(calls.size()), 2);
        QCOMPARE(field(calls[1], 3), QStringLiteral("two"));
    }

    // A failed upload leaves its archive for the dialog to save; another
    // dialog's upload tidies every other archive but never that one.
    void otherDialogsArchiveKept()
    {
        QVERIFY(put(QStringLiteral("app.log")));
        QVERIFY(put(QStringLiteral("appLog01-01-01-01-01.zip"))); // of nobody
        rjsim_force_result("uploadFeedbackfile", 5, 1);
        auto failed = archiver();
        failed->setClock([] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); });
        QSignalSpy results(failed.get(), &CFeedbackArchiver::sigUploadFeedback);
        QVERIFY(failed->startUpload(QStringLiteral("one"), QString()));
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 1, kWaitMs);
        QCOMPARE(results.first().at(0).toInt(), -5);
        const QString kept = failed->zipPath();
        QVERIFY(kept.endsWith(QLatin1String("/appLog01-02-03-04-05.zip")) && QFileInfo::exists(kept));

        auto other = archiver();
        QVERIFY(other->startUpload(QStringLiteral("two"), QString()));
        QTRY_VERIFY_WITH_TIMEOUT(!CFeedbackArchiver::isAnyUploadRunning(), kWaitMs);
        QVERIFY(QFileInfo::exists(kept));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("appLog01-01-01-01-01.zip"))));
        QVERIFY(QFileInfo::exists(other->zipPath()));

        // Once its dialog is gone, the next tidy-up takes it too.
        failed.reset();
        QVERIFY(other->startUpload(QStringLiteral("three"), QString()));
        QTRY_VERIFY_WITH_TIMEOUT(!CFeedbackArchiver::isAnyUploadRunning(), kWaitMs);
        QVERIFY(!QFileInfo::exists(kept));
    }

    // Without an engine no upload event can come: the failure is reported here.
    // Last: it replaces the facade.
    void noEngineFails()
    {
        QThreadPool::globalInstance()->waitForDone();
        CRJSdkManager::releaseInstance();
        CRJSdkManager::setEngineFunctions([]() -> rj::engine::IAVEngine * { return nullptr; },
                                          [](rj::engine::IAVEngine *) {});
        CRJSdkManager::initInstance();
        CRJSdkManager::setEngineFunctions(nullptr, nullptr);
        QVERIFY(CRJSdkManager::getInstance() && !CRJSdkManager::getInstance()->hasEngine());

        QVERIFY(put(QStringLiteral("app.log")));
        auto a = archiver();
        QSignalSpy results(a.get(), &CFeedbackArchiver::sigUploadFeedback);
        a->startUpload(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 1, kWaitMs);
        QCOMPARE(results.at(0).at(0).toInt(), -1);
        QVERIFY(!a->isUploading());
    }
};

GLIMORA_TEST_MAIN(TestFeedbackArchive)
#include "tst_feedbackarchive.moc"
