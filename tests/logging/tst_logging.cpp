// The log layer: the properties reader and its variable expansion, the log
// file name of a first and a later instance, the shipped configuration,
// layouts, levels, rolling, and Qt's messages from any thread written whole
// and flushed; stderr when there is no usable configuration.

#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CLogProperties.h"
#include "helpers/CLogger.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cstdio>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using glimora::test::readBytes;
using glimora::test::writeBytes;
using rj_app::helpers::CLogger;
using rj_app::helpers::CLogProperties;

namespace {

using Env = QHash<QString, QString>;

CLogProperties::EnvLookup lookupIn(const Env &env)
{
    return [env](const QString &name) { return env.value(name); };
}

// The properties of one appender "dest" writing to `path`.
QString appenderConfig(const QString &path, const QString &pattern,
                       const QString &kind = QStringLiteral("org.apache.log4j.FileAppender"),
                       const QString &extra = QString(), const QString &rootLevel = QStringLiteral("DEBUG"))
{
    return QStringLiteral("log4j.rootLogger=%1, dest\n"
                          "log4j.appender.dest=%2\n"
                          "log4j.appender.dest.File=%3\n"
                          "log4j.appender.dest.layout=org.apache.log4j.PatternLayout\n"
                          "log4j.appender.dest.layout.ConversionPattern=%4\n")
               .arg(rootLevel, kind, path, pattern)
           + extra;
}

bool configureWith(const QString &text)
{
    CLogProperties properties;
    return properties.load(text) && CLogger::configure(properties);
}

QStringList linesOf(const QString &path)
{
    QStringList lines = QString::fromUtf8(readBytes(path)).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void logAt(QtMsgType type, const QString &text)
{
    switch (type) {
    case QtDebugMsg: qDebug().noquote() << text; break;
    case QtInfoMsg: qInfo().noquote() << text; break;
    case QtWarningMsg: qWarning().noquote() << text; break;
    case QtCriticalMsg: qCritical().noquote() << text; break;
    case QtFatalMsg: break; // would end the test
    }
}

// Points file descriptor 2 at a temporary file while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(2);
        ::dup2(m_file.handle(), 2);
    }
    ~StderrCapture() { restore(); }

    QString text()
    {
        restore();
        return QString::fromUtf8(readBytes(m_file.fileName()));
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

QStringList g_captured;
void captureHandler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_captured.append(message);
}

} // namespace

class TestLogging : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void cleanup() { CLogger::shutdown(); }

    void expandsVariables_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("A then B, longer and shorter than their references")
            << "${A}/mid/${B}.log" << "a-rather-long-value/mid/b.log";
        QTest::newRow("A shorter than its reference, B longer")
            << "${S}-${A}" << "s-a-rather-long-value";
        QTest::newRow("B unset stays as written") << "${A}/${UNSET}/x" << "a-rather-long-value/${UNSET}/x";
        QTest::newRow("empty variable stays as written") << "${EMPTY}/${B}" << "${EMPTY}/b";
        QTest::newRow("${ without } stays") << "${B}/${A" << "b/${A";
        QTest::newRow("backslashes become slashes") << "${WIN}/log" << "C:/Users/me/AppData/Roaming/log";
        QTest::newRow("substituted text is not searched again") << "${REF}-${B}" << "${B}-b";
        QTest::newRow("adjacent references") << "${B}${S}${B}" << "bsb";
        QTest::newRow("dollar without brace") << "$A ${B} $" << "$A b $";
        QTest::newRow("no reference") << "plain" << "plain";
    }

    void expandsVariables()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const Env env{{"A", "a-rather-long-value"},
                      {"B", "b"},
                      {"S", "s"},
                      {"EMPTY", ""},
                      {"WIN", "C:\\Users\\me\\AppData\\Roaming"},
                      {"REF", "${B}"}};
        QCOMPARE(CLogProperties::expandVariables(value, lookupIn(env)), expected);
    }

    void parsesProperties_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("values");

        QTest::newRow("separators") << "a=1\nb: 2\nc 3\nd = 4\ne\t:\t5\n"
                                    << QStringList{"a", "b", "c", "d", "e"}
                                    << QStringList{"1", "2", "3", "4", "5"};
        QTest::newRow("comments, blanks, leading whitespace")
            << "# one\n! two\n\n   \n   k=v\n\t#three\n" << QStringList{"k"} << QStringList{"v"};
        QTest::newRow("continuation drops the next line's indent")
            << "k=one \\\n    two \\\n\tthree\nnext=1" << QStringList{"k", "next"}
            << QStringList{"one two three", "1"};
        QTest::newRow("escaped backslash at the end does not continue")
            << "k=C:\\\\\nnext=1" << QStringList{"k", "next"} << QStringList{"C:\\", "1"};
        QTest::newRow("comment ending in a backslash does not continue")
            << "# note \\\nk=v" << QStringList{"k"} << QStringList{"v"};
        QTest::newRow("continued line starting with #") << "k=a\\\n#b" << QStringList{"k"} << QStringList{"a#b"};
        QTest::newRow("escapes") << "k=a\\tb\\u0041\\=\\:\\#\\x" << QStringList{"k"}
                                 << QStringList{"a\tbA=:#x"};
        QTest::newRow("escaped separators in a key") << "a\\=b\\ c=d" << QStringList{"a=b c"}
                                                     << QStringList{"d"};
        QTest::newRow("separators inside the value") << "k=b=c:d" << QStringList{"k"} << QStringList{"b=c:d"};
        QTest::newRow("key without value") << "lonely\n" << QStringList{"lonely"} << QStringList{""};
        QTest::newRow("CRLF and CR line ends") << "a=1\r\nb=2\rc=3\r\n" << QStringList{"a", "b", "c"}
                                               << QStringList{"1", "2", "3"};
        QTest::newRow("repeated key: first place, last value")
            << "a=1\nb=2\na=3" << QStringList{"a", "b"} << QStringList{"3", "2"};
    }

    void parsesProperties()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, values);

        QByteArray bytes = text.toUtf8();
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        CLogProperties properties;
        QVERIFY(properties.load(buffer));
        QCOMPARE(properties.keys(), keys);
        QStringList actual;
        for (const QString &key : keys)
            actual << properties.value(key);
        QCOMPARE(actual, values);
    }

    void rejectsUnreadableInput()
    {
        CLogProperties properties;
        QVERIFY(!properties.load(QStringLiteral("a=1\nk=\\u00G1\n")));
        QVERIFY(properties.isEmpty());

        QBuffer closed;
        QVERIFY(!properties.load(closed));
    }

    // The dest file property names a directory; the application name and the
    // instance's log file name are added to it, and to no other property.
    void namesTheLogFileOfEachInstance_data()
    {
        QTest::addColumn<bool>("conflicted");
        QTest::addColumn<QString>("file");
        QTest::newRow("first instance") << false << "C:/Users/me/AppData/Roaming/glimora/app.log";
        QTest::newRow("later instance") << true << "C:/Users/me/AppData/Roaming/glimora/app-conflict.log";
    }

    void namesTheLogFileOfEachInstance()
    {
        QFETCH(bool, conflicted);
        QFETCH(QString, file);

        const QString path = m_dir->filePath(QStringLiteral("log.properties"));
        QVERIFY(writeBytes(path, "log4j.appender.dest.file=${appdata}\n"
                                 "log4j.appender.dest.File=${appdata}\n"));
        QTest::ignoreMessage(QtDebugMsg, "Key: log4j.appender.dest.file, Value: ${appdata}");
        QTest::ignoreMessage(QtDebugMsg, qPrintable("Key1: log4j.appender.dest.file, Value1: " + file));
        QTest::ignoreMessage(QtDebugMsg, "Key: log4j.appender.dest.File, Value: ${appdata}");
        QTest::ignoreMessage(QtDebugMsg, "Key1: log4j.appender.dest.File, Value1: C:/Users/me/AppData/Roaming");

        CLogProperties properties;
        QVERIFY(CLogProperties::loadLogConfig(path, properties, conflicted,
                                              lookupIn({{"appdata", "C:\\Users\\me\\AppData\\Roaming"}})));
        QCOMPARE(properties.value(QStringLiteral("log4j.appender.dest.file")), file);
        QCOMPARE(properties.value(QStringLiteral("log4j.appender.dest.File")),
                 QStringLiteral("C:/Users/me/AppData/Roaming"));
    }

    // The configuration copied beside the executable puts the log into the
    // user data directory, created private when it is not there yet.
    void shippedConfigurationWritesIntoUserDataDirectory()
    {
        const QString appdata = qEnvironmentVariable("appdata");
        QVERIFY(!appdata.isEmpty());
        const QString expected = appdata + QStringLiteral("/glimora/app.log");
        QVERIFY(!QFileInfo::exists(appdata + QStringLiteral("/glimora")));

        CLogProperties properties;
        QVERIFY(CLogProperties::loadLogConfig(QStringLiteral(GLIMORA_TEST_BIN_DIR "/log4qt_win.properties"),
                                              properties, false));
        CLogger::basicConfigure();
        QVERIFY(CLogger::configure(properties));
        QCOMPARE(CLogger::currentLogFilePath(), expected);

        qInfo("shipped configuration in use");
        QVERIFY(readBytes(expected).contains("INFO  shipped configuration in use\n"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(appdata + QStringLiteral("/glimora")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
    }

    void formatsWithTheConversionPattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("line");

        QTest::newRow("level and message") << "%p %m%n" << int(QtWarningMsg) << "hello" << "^WARN hello$";
        QTest::newRow("left-aligned width") << "%-5p|%m%n" << int(QtInfoMsg) << "x" << "^INFO \\|x$";
        QTest::newRow("right-aligned width") << "%7p|%m%n" << int(QtCriticalMsg) << "x" << "^  ERROR\\|x$";
        QTest::newRow("maximum width keeps the end") << "%.3m%n" << int(QtDebugMsg) << "abcdef" << "^def$";
        QTest::newRow("ISO date") << "%d %m%n" << int(QtDebugMsg) << "x"
                                  << "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} x$";
        QTest::newRow("date format and category") << "%d{yyyy/MM/dd} %c: %m%n" << int(QtDebugMsg) << "x"
                                                  << "^\\d{4}/\\d\\d/\\d\\d default: x$";
        QTest::newRow("location") << "%F:%L %M - %m%n" << int(QtWarningMsg) << "x"
                                  << "^\\S*tst_logging\\.cpp:\\d+ \\S*logAt - x$";
        QTest::newRow("thread and elapsed time") << "[%t] %r %m%n" << int(QtDebugMsg) << "x"
                                                 << QStringLiteral("^\\[%1\\] \\d+ x$").arg(::getpid());
        QTest::newRow("percent, and a line end without %n") << "100%% %m" << int(QtDebugMsg) << "x"
                                                           << "^100% x$";
        QTest::newRow("unknown conversion kept") << "%q %m%n" << int(QtDebugMsg) << "x" << "^%q x$";
        QTest::newRow("multi-line message") << "%p %m%n" << int(QtInfoMsg) << "a\nb" << "^INFO a$";
    }

    void formatsWithTheConversionPattern()
    {
        QFETCH(QString, pattern);
        QFETCH(int, type);
        QFETCH(QString, message);
        QFETCH(QString, line);

        const QString path = m_dir->filePath(QStringLiteral("app.log"));
        QVERIFY(configureWith(appenderConfig(path, pattern)));
        logAt(QtMsgType(type), message);
        const QStringList lines = linesOf(path);
        QVERIFY2(!lines.isEmpty(), "nothing written");
        QVERIFY2(QRegularExpression(line).match(lines.first()).hasMatch(), qPrintable(lines.first()));
        QVERIFY(readBytes(path).endsWith('\n'));
    }

    void filtersByLevel_data()
    {
        QTest::addColumn<QString>("rootLevel");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QStringList>("written");

        QTest::newRow("DEBUG takes all") << "DEBUG" << "" << QStringList{"debug", "info", "warning", "critical"};
        QTest::newRow("WARN drops debug and info") << "WARN" << "" << QStringList{"warning", "critical"};
        QTest::newRow("lower case level") << "info" << "" << QStringList{"info", "warning", "critical"};
        QTest::newRow("appender threshold") << "DEBUG" << "ERROR" << QStringList{"critical"};
        QTest::newRow("OFF drops everything") << "OFF" << "" << QStringList{};
    }

    void filtersByLevel()
    {
        QFETCH(QString, rootLevel);
        QFETCH(QString, threshold);
        QFETCH(QStringList, written);

        const QString path = m_dir->filePath(QStringLiteral("app.log"));
        const QString extra = threshold.isEmpty() ? QString() : "log4j.appender.dest.Threshold=" + threshold + "\n";
        QVERIFY(configureWith(appenderConfig(path, QStringLiteral("%m%n"),
                                             QStringLiteral("org.apache.log4j.FileAppender"), extra, rootLevel)));
        qDebug("debug");
        qInfo("info");
        qWarning("warning");
        qCritical("critical");
        QCOMPARE(QFileInfo::exists(path) ? linesOf(path) : QStringList(), written);
    }

    // Messages from other threads land in the file, each line whole, and
    // each is on disk as soon as the call returns: the file is read while
    // the log is still open.
    void writesWholeLinesFromManyThreads_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("file") << "org.apache.log4j.FileAppender";
        QTest::newRow("rolling file") << "org.apache.log4j.RollingFileAppender";
    }

    void writesWholeLinesFromManyThreads()
    {
        QFETCH(QString, kind);
        const QString path = m_dir->filePath(QStringLiteral("logs/app.log"));
        QVERIFY(configureWith(appenderConfig(path, QStringLiteral("[%t] %m%n"), kind,
                                             QStringLiteral("log4j.appender.dest.MaxFileSize=64MB\n"))));

        qWarning("from the main thread");
        QVERIFY(readBytes(path).endsWith("from the main thread\n"));

        constexpr int kThreads = 8;
        constexpr int kLines = 200;
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([t] {
                const QByteArray body(300, char('a' + t));
                for (int i = 0; i < kLines; ++i)
                    qWarning("T%d %d %s", t, i, body.constData());
            });
        }
        for (std::thread &thread : threads)
            thread.join();

        const QStringList lines = linesOf(path);
        QCOMPARE(lines.size(), 1 + kThreads * kLines);
        static const QRegularExpression whole(QStringLiteral("^\\[(\\d+)\\] T(\\d) (\\d+) ([a-h])\\4{299}$"));
        QVector<int> next(kThreads, 0);
        for (int i = 1; i < lines.size(); ++i) {
            const QRegularExpressionMatch m = whole.match(lines.at(i));
            QVERIFY2(m.hasMatch(), qPrintable(lines.at(i).left(80)));
            const int t = m.captured(2).toInt();
            QCOMPARE(m.captured(4).at(0).toLatin1(), char('a' + t));
            QCOMPARE(m.captured(3).toInt(), next[t]++);
            QVERIFY(m.captured(1).toLongLong() != ::getpid());
        }
    }

    // Backups are File.1 ... File.N, newest first; no record is lost across
    // a roll and no file grows past the limit.
    void rollsAtTheSizeLimit_data()
    {
        QTest::addColumn<int>("backups");
        QTest::newRow("two backups") << 2;
        QTest::newRow("no backup") << 0;
    }

    void rollsAtTheSizeLimit()
    {
        QFETCH(int, backups);
        const QString path = m_dir->filePath(QStringLiteral("app.log"));
        QVERIFY(configureWith(appenderConfig(path, QStringLiteral("%m%n"),
                                             QStringLiteral("org.apache.log4j.RollingFileAppender"),
                                             QStringLiteral("log4j.appender.dest.MaxFileSize=1KB\n"
                                                            "log4j.appender.dest.MaxBackupIndex=%1\n")
                                                 .arg(backups))));
        // 60 records of 100 bytes: ten to a file.
        for (int i = 0; i < 60; ++i)
            qInfo("%04d %s", i, QByteArray(94, 'r').constData());

        QStringList files{path};
        for (int i = 1; i <= backups; ++i)
            files.prepend(path + QLatin1Char('.') + QString::number(i));
        QVERIFY(!QFileInfo::exists(path + QLatin1Char('.') + QString::number(backups + 1)));

        int expected = 60 - 10 * (backups + 1);
        for (const QString &file : qAsConst(files)) {
            QVERIFY2(QFileInfo(file).size() <= 1024, qPrintable(file));
            const QStringList lines = linesOf(file);
            QCOMPARE(lines.size(), 10);
            for (const QString &line : lines)
                QCOMPARE(line.left(4).toInt(), expected++);
        }
        QCOMPARE(expected, 60);
    }

    void appendsOrStartsAfresh_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("append");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("file, appending by default") << "FileAppender" << "" << QByteArray("old\nnew\n");
        QTest::newRow("file, Append=false") << "FileAppender" << "false" << QByteArray("new\n");
        QTest::newRow("rolling, Append=true") << "RollingFileAppender" << "true" << QByteArray("old\nnew\n");
        QTest::newRow("rolling, Append=false") << "RollingFileAppender" << "false" << QByteArray("new\n");
    }

    void appendsOrStartsAfresh()
    {
        QFETCH(QString, kind);
        QFETCH(QString, append);
        QFETCH(QByteArray, content);
        const QString path = m_dir->filePath(QStringLiteral("app.log"));
        QVERIFY(writeBytes(path, "old\n"));
        const QString extra = append.isEmpty() ? QString() : "log4j.appender.dest.Append=" + append + "\n";
        QVERIFY(configureWith(appenderConfig(path, QStringLiteral("%m%n"), "org.apache.log4j." + kind, extra)));
        qInfo("new");
        QCOMPARE(readBytes(path), content);
    }

    // Whatever keeps the file from being used, messages still reach stderr
    // and the reason is told there.
    void fallsBackToStderr_data()
    {
        QTest::addColumn<QString>("config"); // empty: no file at all
        QTest::addColumn<QString>("reason");

        QTest::newRow("no configuration file") << "" << "Failed to open log conf file";
        QTest::newRow("unreadable configuration") << "k=\\uZZZZ\n" << "Failed to load log conf file";
        QTest::newRow("no root logger") << "log4j.appender.dest=org.apache.log4j.FileAppender\n" << "";
        QTest::newRow("log directory below a file")
            << appenderConfig(QStringLiteral("@DIR@/plain-file/sub/app.log"), QStringLiteral("%m%n"))
            << "cannot create the directory";
        QTest::newRow("unknown appender class")
            << appenderConfig(QStringLiteral("@DIR@/app.log"), QStringLiteral("%m%n"),
                              QStringLiteral("org.apache.log4j.net.SocketAppender"))
            << "unsupported appender class";
    }

    void fallsBackToStderr()
    {
        QFETCH(QString, config);
        QFETCH(QString, reason);
        QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("plain-file")), "x"));
        const QString path = m_dir->filePath(QStringLiteral("log4qt_win.properties"));
        if (!config.isEmpty())
            QVERIFY(writeBytes(path, config.replace(QLatin1String("@DIR@"), m_dir->path()).toUtf8()));

        StderrCapture capture;
        CLogger::basicConfigure();
        CLogProperties properties;
        CLogProperties::loadLogConfig(path, properties, false);
        QVERIFY(!CLogger::configure(properties));
        QVERIFY(CLogger::currentLogFilePath().isEmpty());
        qWarning("still heard");
        const QString err = capture.text();

        QVERIFY2(err.contains(QLatin1String("WARN  default - still heard\n")), qPrintable(err));
        QVERIFY2(err.contains(reason), qPrintable(err));
        QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("app.log"))));
    }

    // Before the log is configured, messages wait for it instead of reaching
    // the terminal; only trouble is told on stderr at once. Without a usable
    // configuration stderr is the log, and gets each message once.
    void holdsEarlyMessagesForTheLog_data()
    {
        QTest::addColumn<bool>("fileUsable");
        QTest::newRow("into the log file") << true;
        QTest::newRow("stderr after all") << false;
    }

    void holdsEarlyMessagesForTheLog()
    {
        QFETCH(bool, fileUsable);
        const QString path = m_dir->filePath(QStringLiteral("app.log"));
        StderrCapture capture;
        CLogger::holdUntilConfigured();
        qDebug("Key: log4j.rootLogger, Value: DEBUG, dest");
        qWarning("early trouble");
        if (fileUsable)
            QVERIFY(configureWith(appenderConfig(path, QStringLiteral("%p %m%n"))));
        else
            CLogger::basicConfigure();
        qInfo("later");
        const QString err = capture.text();

        QCOMPARE(err.count(QLatin1String("early trouble")), 1);
        if (fileUsable) {
            QVERIFY2(!err.contains(QLatin1String("Key:")), qPrintable(err));
            QCOMPARE(linesOf(path), (QStringList{QStringLiteral("DEBUG Key: log4j.rootLogger, Value: DEBUG, dest"),
                                                 QStringLiteral("WARN early trouble"), QStringLiteral("INFO later")}));
        } else {
            QCOMPARE(err.count(QLatin1String("Key: log4j.rootLogger")), 1);
            QVERIFY2(err.contains(QLatin1String("later")), qPrintable(err));
            QVERIFY(!QFileInfo::exists(path));
        }
    }

    // Configuring twice keeps the handler from before the first time, and
    // shutting down hands messages back to it.
    void shutdownRestoresThePreviousHandler()
    {
        g_captured.clear();
        const QtMessageHandler testHandler = qInstallMessageHandler(captureHandler);
        auto restore = qScopeGuard([testHandler] { qInstallMessageHandler(testHandler); });

        const QString path = m_dir->filePath(QStringLiteral("app.log"));
        CLogger::basicConfigure();
        QVERIFY(configureWith(appenderConfig(path, QStringLiteral("%m%n"))));
        qWarning("while logging");
        CLogger::shutdown();
        qWarning("after shutdown");

        QVERIFY(qInstallMessageHandler(testHandler) == &captureHandler);
        QCOMPARE(g_captured, QStringList{QStringLiteral("after shutdown")});
        QCOMPARE(readBytes(path), QByteArray("while logging\n"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

GLIMORA_TEST_MAIN(TestLogging)
#include "tst_logging.moc"
