// The start entry of the desktop session: where it lives, that what it
// names is the program given, however odd its path, and that a write or
// removal that fails says so and leaves the truth visible.

#include "DesktopEntryReader.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "platform/CAutoStart.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

#include <unistd.h>

using glimora::test::desktopEntryValue;
using glimora::test::execArguments;
using rj_app::platform::CAutoStart;

class TestAutoStart : public QObject
{
    Q_OBJECT

    QByteArray m_savedConfigHome;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString configHome() const { return m_dir->path() + QStringLiteral("/config home"); }
    QString autostartDir() const { return configHome() + QStringLiteral("/autostart"); }
    QString entry() const { return autostartDir() + QStringLiteral("/glimora.desktop"); }

    // The program the session would start, from the entry as written.
    QStringList startedCommand()
    {
        const QString exec = desktopEntryValue(entry(), QStringLiteral("Exec"));
        QString error;
        const QStringList args = execArguments(exec, &error);
        if (!error.isEmpty())
            qWarning().noquote() << "Exec" << exec << ":" << error;
        return args;
    }

private slots:
    void init()
    {
        m_savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    }

    void cleanup()
    {
        QFile::setPermissions(autostartDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_dir.reset();
        qputenv("XDG_CONFIG_HOME", m_savedConfigHome);
    }

    // An unset, empty or relative XDG_CONFIG_HOME means ~/.config.
    void entryPathFollowsXdgConfigHome_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("expected"); // "~" is the home directory
        QTest::newRow("absolute") << true << QByteArray("/srv/cfg") << "/srv/cfg/autostart/glimora.desktop";
        QTest::newRow("trailing slash") << true << QByteArray("/srv/cfg/") << "/srv/cfg/autostart/glimora.desktop";
        QTest::newRow("unset") << false << QByteArray() << "~/.config/autostart/glimora.desktop";
        QTest::newRow("empty") << true << QByteArray("") << "~/.config/autostart/glimora.desktop";
        QTest::newRow("relative") << true << QByteArray("cfg") << "~/.config/autostart/glimora.desktop";
    }
    void entryPathFollowsXdgConfigHome()
    {
        QFETCH(bool, set);
        QFETCH(QByteArray, value);
        QFETCH(QString, expected);
        if (set)
            qputenv("XDG_CONFIG_HOME", value);
        else
            qunsetenv("XDG_CONFIG_HOME");
        expected.replace(QLatin1Char('~'), QDir::homePath());
        QCOMPARE(CAutoStart::entryPath(), expected);
    }

    // Whatever the path holds, the entry starts exactly that program, as one
    // argument; removing the entry switches the start off.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("plain") << "/opt/glimora/glimora";
        QTest::newRow("spaces") << "/home/a b/My Apps/glimora";
        QTest::newRow("double quote") << "/home/x/\"q\"/glimora";
        QTest::newRow("single quote") << "/home/o'neil/glimora";
        QTest::newRow("percent") << "/home/x/100%/%f %u %%/glimora";
        QTest::newRow("backslash") << "/home/x/a\\b\\\\c/glimora";
        QTest::newRow("shell characters") << "/home/x/$HOME/`id`/a;b|c&d>e<f*?#~()/glimora";
        QTest::newRow("tab and newline") << "/home/x/a\tb\nc/glimora";
        QTest::newRow("non-ASCII") << QStringLiteral("/home/用户/Приложения/glimora");
    }
    void roundTrip()
    {
        QFETCH(QString, program);
        QVERIFY(!CAutoStart::isEnabled());
        QVERIFY(CAutoStart::enable(program));
        QVERIFY(CAutoStart::isEnabled());
        QCOMPARE(startedCommand(), QStringList{program});
        QCOMPARE(desktopEntryValue(entry(), QStringLiteral("Type")), QStringLiteral("Application"));

        QVERIFY(CAutoStart::disable());
        QVERIFY(!CAutoStart::isEnabled());
        QVERIFY(!QFileInfo::exists(entry()));
        QVERIFY(CAutoStart::disable()); // nothing left to remove
    }

    // An entry switched off by the desktop's own settings does not count;
    // enabling again replaces it with one that starts the new program.
    void switchedOffEntryIsReplaced_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Hidden=true") << QByteArray("Hidden=true") << false;
        QTest::newRow("GNOME switch off") << QByteArray("X-GNOME-Autostart-enabled=false") << false;
        QTest::newRow("Hidden=false") << QByteArray("Hidden=false") << true;
    }
    void switchedOffEntryIsReplaced()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, enabled);
        QVERIFY(glimora::test::writeBytes(
            entry(), "[Desktop Entry]\nType=Application\nName=glimora\nExec=/old/glimora\n" + line + "\n"));
        QCOMPARE(CAutoStart::isEnabled(), enabled);

        QVERIFY(CAutoStart::enable(QStringLiteral("/new/glimora")));
        QVERIFY(CAutoStart::isEnabled());
        QCOMPARE(startedCommand(), QStringList{QStringLiteral("/new/glimora")});
        QCOMPARE(QDir(autostartDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"glimora.desktop"});
    }

    // A write or removal that fails is logged and reported; isEnabled tells
    // what the session will really do, and an entry there before is intact.
    void failuresAreReported_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<bool>("oldEntry");
        QTest::addColumn<bool>("needsNonRoot");
        QTest::newRow("autostart is a file") << "file" << false << false;
        QTest::newRow("entry name is a directory") << "directory" << false << false;
        QTest::newRow("read-only directory") << "read-only" << false << true;
        QTest::newRow("read-only directory, old entry") << "read-only" << true << true;
    }
    void failuresAreReported()
    {
        QFETCH(QString, obstacle);
        QFETCH(bool, oldEntry);
        QFETCH(bool, needsNonRoot);
        if (needsNonRoot && ::geteuid() == 0)
            QSKIP("permissions do not stop root");

        const QByteArray old = "[Desktop Entry]\nType=Application\nName=glimora\nExec=/old/glimora\n";
        if (oldEntry)
            QVERIFY(glimora::test::writeBytes(entry(), old));
        if (obstacle == QLatin1String("file")) {
            QVERIFY(QDir().mkpath(configHome()));
            QVERIFY(glimora::test::writeBytes(autostartDir(), "not a directory"));
        } else if (obstacle == QLatin1String("directory")) {
            QVERIFY(QDir().mkpath(entry()));
        } else {
            QVERIFY(QDir().mkpath(autostartDir()));
            QVERIFY(QFile::setPermissions(autostartDir(), QFile::ReadOwner | QFile::ExeOwner));
        }

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("CAutoStart::enable.*Failed")));
        QVERIFY(!CAutoStart::enable(QStringLiteral("/new/glimora")));
        QCOMPARE(CAutoStart::isEnabled(), oldEntry);
        if (oldEntry) {
            QCOMPARE(glimora::test::readBytes(entry()), old);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("CAutoStart::disable.*Failed")));
            QVERIFY(!CAutoStart::disable());
            QVERIFY(CAutoStart::isEnabled());
        } else {
            // Nothing of ours is there: nothing to remove.
            QVERIFY(CAutoStart::disable());
        }
    }
};

GLIMORA_TEST_MAIN(TestAutoStart)
#include "tst_autostart.moc"
