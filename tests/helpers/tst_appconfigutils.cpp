#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CAppConfigUtils.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <sys/stat.h>

using rj_app::helpers::CAppConfigUtils;
using glimora::test::readBytes;
using glimora::test::writeBytes;

namespace {

using Getter = std::function<QVariant(const CAppConfigUtils &)>;

#define RJ_GETTER(name) {#name, [](const CAppConfigUtils &c) { return QVariant(c.get##name()); }}

const QMap<QByteArray, Getter> &getters()
{
    static const QMap<QByteArray, Getter> table {
        RJ_GETTER(ConfInfoAddress),         RJ_GETTER(ContactsAddress),
        RJ_GETTER(ConfManagementAddress),   RJ_GETTER(DisableAudioOnlyCall),
        RJ_GETTER(DefaultLoginServerAddr),  RJ_GETTER(DefaultRegisterServerAddr),
        RJ_GETTER(UserAgentCompanyName),    RJ_GETTER(IsMorvelSpecialVersion),
        RJ_GETTER(DisableLoginSkipped),     RJ_GETTER(DisableGuestJoinMeeting),
        RJ_GETTER(DisableResourceMonitor),  RJ_GETTER(FeedbackAddress),
        RJ_GETTER(SoftwareUpdateAddress),   RJ_GETTER(SoftwareUpdateFlag),
        RJ_GETTER(SoftwareUpdateBundleId),  RJ_GETTER(SoftwareUpdateAppInfo),
        RJ_GETTER(SoftwareUpdateAppInfoPrefix),
    };
    return table;
}

#undef RJ_GETTER

QVariant defaultOf(const QVariant &value)
{
    return value.userType() == QMetaType::Bool ? QVariant(false) : QVariant(QString());
}

} // namespace

class TestAppConfigUtils : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir(glimora::test::isolatedRoot() + QStringLiteral("/app-XXXXXX")));
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("app-config.ini"));
    }

    void seventeenKeys() { QCOMPARE(getters().size(), 17); }

    void values_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QVariant>("expected");
        auto row = [](const char *name, const QByteArray &file, const QByteArray &key, const QVariant &expected) {
            QTest::newRow(name) << file << key << expected;
        };
        row("string", "[Config]\nFeedbackAddress=https://fb.example/up\n", "FeedbackAddress",
            QStringLiteral("https://fb.example/up"));
        row("spaces kept", "[Config]\nConfInfoAddress=  http://a/b  \n", "ConfInfoAddress",
            QStringLiteral("  http://a/b  "));
        row("UTF-8", "[Config]\nUserAgentCompanyName=\xE5\x85\xAC\xE5\x8F\xB8\n", "UserAgentCompanyName",
            QStringLiteral("公司"));
        row("boolean true", "[Config]\nDisableAudioOnlyCall=true\n", "DisableAudioOnlyCall", true);
        row("boolean capitals", "[Config]\nDisableResourceMonitor=TRUE\n", "DisableResourceMonitor", true);
        row("boolean 1", "[Config]\nDisableResourceMonitor=1\n", "DisableResourceMonitor", false);
        row("boolean leading space", "[Config]\nDisableLoginSkipped= true\n", "DisableLoginSkipped", false);
        row("boolean yes", "[Config]\nIsMorvelSpecialVersion=yes\n", "IsMorvelSpecialVersion", false);
        row("other section", "[Other]\nDisableGuestJoinMeeting=true\n", "DisableGuestJoinMeeting", false);
        row("before any header", "DisableGuestJoinMeeting=true\n[Config]\n", "DisableGuestJoinMeeting", false);
        row("CR LF file", "[Config]\r\nSoftwareUpdateAddress=upd.example\r\n", "SoftwareUpdateAddress",
            QStringLiteral("upd.example"));
        row("key names are case-sensitive", "[Config]\nsoftwareupdateflag=x\n", "SoftwareUpdateFlag", QString());
    }
    void values()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, key);
        QFETCH(QVariant, expected);
        QVERIFY(writeBytes(m_path, file));
        CAppConfigUtils config(m_path);
        QVERIFY(getters().contains(key));
        QCOMPARE(getters()[key](config), expected);
        QCOMPARE(readBytes(m_path), file);
    }

    // Every key under its exact name: a file holding all of them gives each
    // getter its own value.
    void everyKeyByExactName()
    {
        QByteArray file = "[Config]\n";
        QMap<QByteArray, QVariant> expected;
        int i = 0;
        for (auto it = getters().cbegin(); it != getters().cend(); ++it, ++i) {
            const bool isBool = it.value()(CAppConfigUtils(m_path)).userType() == QMetaType::Bool;
            const QByteArray stored = isBool ? QByteArray("True") : "value " + QByteArray::number(i) + " of " + it.key();
            file += it.key() + '=' + stored + '\n';
            expected.insert(it.key(), isBool ? QVariant(true) : QVariant(QString::fromUtf8(stored)));
        }
        QVERIFY(writeBytes(m_path, file));
        const CAppConfigUtils config(m_path);
        for (auto it = getters().cbegin(); it != getters().cend(); ++it)
            QVERIFY2(it.value()(config) == expected.value(it.key()), it.key().constData());
        QCOMPARE(readBytes(m_path), file);
    }

    // Reading never writes: a missing file stays missing (beside the
    // executable that would be a build tree or a system folder).
    void missingFileNotCreated()
    {
        {
            CAppConfigUtils config(m_path);
            for (auto it = getters().cbegin(); it != getters().cend(); ++it) {
                const QVariant value = it.value()(config);
                QVERIFY2(value == defaultOf(value), it.key().constData());
            }
        }
        QVERIFY(!QFileInfo::exists(m_path));

        const QString besideExecutable = QCoreApplication::applicationDirPath() + QStringLiteral("/app-config.ini");
        const bool existed = QFileInfo::exists(besideExecutable);
        QVERIFY(CAppConfigUtils::getInstance());
        QCOMPARE(QFileInfo::exists(besideExecutable), existed);
    }

    // A FIFO in place of the file neither blocks nor is replaced.
    void fifoGivesDefaults()
    {
        QCOMPARE(::mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
        const CAppConfigUtils config(m_path);
        QCOMPARE(config.getSoftwareUpdateAddress(), QString());
        QVERIFY(!config.getDisableLoginSkipped());
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(m_path).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
    }

    // The deployment's file is never rewritten, even when it does not parse;
    // nothing of it is used then.
    void badFileLeftUntouched()
    {
        const QByteArray bad = "[Config]\nFeedbackAddress=https://fb\nDisableLoginSkipped=true\n[Broken\nx=1\n";
        QVERIFY(writeBytes(m_path, bad));
        {
            CAppConfigUtils config(m_path);
            for (auto it = getters().cbegin(); it != getters().cend(); ++it) {
                const QVariant value = it.value()(config);
                QVERIFY2(value == defaultOf(value), it.key().constData());
            }
        }
        QCOMPARE(readBytes(m_path), bad);
        QVERIFY(!QFileInfo::exists(m_path + QStringLiteral(".bad")));
    }

    void unwritableDirectoryIsNoError()
    {
        QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("plain")), "file"));
        CAppConfigUtils config(m_dir->filePath(QStringLiteral("plain/app-config.ini")));
        QCOMPARE(config.getFeedbackAddress(), QString());
        QVERIFY(!config.getDisableResourceMonitor());
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_path;
};

GLIMORA_TEST_MAIN(TestAppConfigUtils)
#include "tst_appconfigutils.moc"
