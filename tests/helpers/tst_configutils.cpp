#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CConfigUtils.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using rj_app::helpers::CConfigUtils;
using glimora::test::readBytes;
using glimora::test::writeBytes;

namespace {

// Caps the size of files this process may write, so that a save fails part
// way through its write even when the tests run as root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit capped = m_old;
        capped.rlim_cur = limit;
        m_active = setrlimit(RLIMIT_FSIZE, &capped) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

const char kDefault[] = "<default>";
const int kIntDefault = -99;

} // namespace

class TestConfigUtils : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir(glimora::test::isolatedRoot() + QStringLiteral("/ini-XXXXXX")));
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("test.ini"));
    }

    // One row per byte rule: the file as found on disk, what load() reports,
    // one lookup through getString() and getInt(), then an optional change
    // and the exact bytes save() leaves on disk.
    void byteRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("loadOk");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("expectedInt");
        QTest::addColumn<QByteArray>("setValue"); // null: no change, the file must stay as it was
        QTest::addColumn<QByteArray>("saved");

        const QByteArray none;
        auto row = [](const char *name, const QByteArray &file, bool ok, const QByteArray &section,
                      const QByteArray &key, const QByteArray &expected, int expectedInt,
                      const QByteArray &setValue, const QByteArray &saved) {
            QTest::newRow(name) << file << ok << section << key << expected << expectedInt << setValue
                                << (setValue.isNull() ? file : saved);
        };

        // Output order and shape.
        row("sorted, empty line after each section", "[Config]\nb=2\na=1\n[Abc]\nx=\n", true, "Config",
            "a", "1", 1, "1", "[Abc]\nx=\n\n[Config]\na=1\nb=2\n\n");
        row("new section gets a header", "[S]\nk=v\n", true, "T", "k", kDefault, kIntDefault, "w",
            "[S]\nk=v\n\n[T]\nk=w\n\n");
        row("unsigned byte order of sections", "[\xC3\xA9]\nk=1\n[z]\nk=2\n", true, "z", "k", "2", 2, "2",
            "[z]\nk=2\n\n[\xC3\xA9]\nk=1\n\n");
        row("case-sensitive key order", "[S]\na=1\nZ=2\n", true, "S", "Z", "2", 2, "2",
            "[S]\nZ=2\na=1\n\n");
        row("keys compared case-sensitively", "[S]\nKey=1\n", true, "S", "key", kDefault, kIntDefault, none,
            none);
        row("missing section", "[S]\nk=1\n", true, "T", "k", kDefault, kIntDefault, none, none);
        row("empty file keeps an unnamed empty section", "", true, "S", "k", kDefault, kIntDefault, "v",
            "\n[S]\nk=v\n\n");

        // Integers with automatic base.
        row("decimal", "[S]\nv=42\n", true, "S", "v", "42", 42, none, none);
        row("hexadecimal", "[S]\nv=0x1F\n", true, "S", "v", "0x1F", 31, none, none);
        row("hexadecimal upper-case prefix", "[S]\nv=0X10\n", true, "S", "v", "0X10", 16, none, none);
        row("octal", "[S]\nv=010\n", true, "S", "v", "010", 8, none, none);
        row("octal stops at 8", "[S]\nv=08\n", true, "S", "v", "08", 0, none, none);
        row("digits then text", "[S]\nv=12abc\n", true, "S", "v", "12abc", 12, none, none);
        row("no digits", "[S]\nv=abc\n", true, "S", "v", "abc", 0, none, none);
        row("empty value", "[S]\nv=\n", true, "S", "v", "", 0, none, none);
        row("leading space and minus", "[S]\nv=  -42\n", true, "S", "v", "  -42", -42, none, none);
        row("plus sign", "[S]\nv=+7\n", true, "S", "v", "+7", 7, none, none);
        row("negative hexadecimal", "[S]\nv=-0x10\n", true, "S", "v", "-0x10", -16, none, none);
        row("int max", "[S]\nv=2147483647\n", true, "S", "v", "2147483647", INT_MAX, none, none);
        row("int min", "[S]\nv=-2147483648\n", true, "S", "v", "-2147483648", INT_MIN, none, none);
        row("above int clamps", "[S]\nv=99999999999\n", true, "S", "v", "99999999999", INT_MAX, none, none);
        row("below int clamps", "[S]\nv=-99999999999\n", true, "S", "v", "-99999999999", INT_MIN, none,
            none);
        row("hexadecimal above int clamps", "[S]\nv=0xFFFFFFFF\n", true, "S", "v", "0xFFFFFFFF", INT_MAX,
            none, none);
        row("beyond 64 bits clamps", "[S]\nv=123456789012345678901234567890\n", true, "S", "v",
            "123456789012345678901234567890", INT_MAX, none, none);

        // Headers.
        row("text after the closing bracket", "[S] trailing\nk=v\n", true, "S", "k", "v", 0, "v",
            "[S]\nk=v\n\n");
        row("header without closing bracket fails", "[A]\na=1\n[B\nb=2\n", false, "A", "a", "1", 1, none,
            none);
        row("keys after a broken header are lost", "[A]\na=1\n[B\nb=2\n", false, "B", "b", kDefault,
            kIntDefault, none, none);
        row("keys before the first header are dropped", "a=1\n[S]\nb=2\n", true, "", "a", kDefault,
            kIntDefault, none, none);
        row("keys after the first header stay", "a=1\n[S]\nb=2\n", true, "S", "b", "2", 2, none, none);
        row("no header at all: unnamed section", "a=1\nb=2\n", true, "", "a", "1", 1, "3",
            "a=3\nb=2\n\n");
        row("section twice keeps the last occurrence", "[S]\na=1\n[S]\nb=2\n", true, "S", "a", kDefault,
            kIntDefault, "1", "[S]\na=1\nb=2\n\n");
        row("empty header dropped at the next header", "[]\na=1\n[S]\nb=2\n", true, "", "a", kDefault,
            kIntDefault, none, none);
        row("empty header kept at end of file", "[S]\nb=2\n[]\na=1\n", true, "", "a", "1", 1, "1",
            "a=1\n\n[S]\nb=2\n\n");
        row("bracket not first byte is no header", "[S]\n [T]\nk=v\n", true, "S", "k", "v", 0, "v",
            "[S]\nk=v\n\n");

        // Keys and values.
        row("nothing trimmed", "[S]\n k = v \n", true, "S", " k ", " v ", 0, " v ", "[S]\n k = v \n\n");
        row("further equals signs belong to the value", "[S]\nk=a=b\n", true, "S", "k", "a=b", 0, none,
            none);
        row("empty key", "[S]\n=v\n", true, "S", "", "v", 0, none, none);
        row("last repeated key wins", "[S]\nk=1\nk=2\n", true, "S", "k", "2", 2, "2", "[S]\nk=2\n\n");
        row("comments and plain text ignored", "; note\n# x\n[S]\nplain text\n\nk=v\n", true, "S", "k",
            "v", 0, "v", "[S]\nk=v\n\n");
        row("last line without line feed", "[S]\nk=v", true, "S", "k", "v", 0, none, none);

        // Line ends and long lines.
        row("CR LF line ends", "[S]\r\nk=v\r\n", true, "S", "k", "v", 0, "w", "[S]\nk=w\n\n");
        row("only one CR dropped", "[S]\nk=v\r\r\n", true, "S", "k", "v\r", 0, none, none);
        row("CR inside a line kept", "[S]\nk=a\rb\n", true, "S", "k", "a\rb", 0, none, none);
        const QByteArray longValue = QByteArray(6000, 'x').toBase64();
        row("long value read whole", "[S]\nk=" + longValue + "\nz=1\n", true, "S", "k", longValue, 0,
            longValue, "[S]\nk=" + longValue + "\nz=1\n\n");
        row("line feed in a value is cut", "[S]\nk=v\n", true, "S", "k", "v", 0, "a\nb=c\n[T]",
            "[S]\nk=a\n\n");
    }
    void byteRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, loadOk);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        QFETCH(int, expectedInt);
        QFETCH(QByteArray, setValue);
        QFETCH(QByteArray, saved);

        QVERIFY(writeBytes(m_path, file));
        CConfigUtils ini;
        QCOMPARE(ini.load(QFile::encodeName(m_path).constData()), loadOk);
        QCOMPARE(ini.isDirty(), false);
        QCOMPARE(ini.getString(section.constData(), key.constData(), kDefault), expected);
        QCOMPARE(ini.getInt(section.constData(), key.constData(), kIntDefault), expectedInt);
        QCOMPARE(ini.hasKey(section.constData(), key.constData()), expected != kDefault);

        if (!setValue.isNull()) {
            if (setValue.contains('\n'))
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("line feed")));
            ini.setString(section.constData(), key.constData(), setValue.constData());
            QVERIFY(ini.isDirty());
        }
        QVERIFY(ini.save());
        QCOMPARE(ini.isDirty(), false);
        QCOMPARE(readBytes(m_path), saved);

        // What was saved reads back the same (an unnamed section is written
        // without a header, so it survives only as the first section).
        if (!setValue.isNull() && !section.isEmpty()) {
            CConfigUtils reread;
            QVERIFY(reread.load(QFile::encodeName(m_path).constData()));
            QCOMPARE(reread.getString(section.constData(), key.constData(), kDefault),
                     ini.getString(section.constData(), key.constData(), kDefault));
        }
    }

    void setIntWritesDecimal()
    {
        CConfigUtils ini;
        QVERIFY(ini.create(QFile::encodeName(m_path).constData()));
        ini.setInt("S", "neg", -5);
        ini.setInt("S", "min", INT_MIN);
        ini.setInt("S", "zero", 0);
        QVERIFY(ini.save());
        QCOMPARE(readBytes(m_path), QByteArray("[S]\nmin=-2147483648\nneg=-5\nzero=0\n\n"));
        QCOMPARE(ini.getInt("S", "neg", 0), -5);
    }

    void missingFileGivesDefaults()
    {
        const QByteArray path = QFile::encodeName(m_dir->filePath(QStringLiteral("absent.ini")));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral(
                                            "^Can not open config file: .*absent\\.ini, err: 2$")));
        CConfigUtils ini;
        QVERIFY(!ini.load(path.constData()));
        QCOMPARE(ini.getString("S", "k", "dflt"), QByteArray("dflt"));
        QCOMPARE(ini.getInt("S", "k", 7), 7);
        QVERIFY(ini.save()); // nothing to write
        QVERIFY(!QFile::exists(QFile::decodeName(path)));
    }

    // Only a regular file of sane size is read; anything else fails to load
    // at once, as a missing file does, and is never written.
    void onlyRegularFilesOfSaneSize_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("loadOk");
        QTest::newRow("regular file") << "regular" << true;
        QTest::newRow("link to a regular file") << "link" << true;
        QTest::newRow("regular file at the limit") << "at limit" << true;
        QTest::newRow("regular file past the limit") << "past limit" << false;
        QTest::newRow("directory") << "directory" << false;
        QTest::newRow("FIFO") << "fifo" << false;
        QTest::newRow("link to /dev/null") << "/dev/null" << false;
        QTest::newRow("link to /dev/zero") << "/dev/zero" << false;
    }
    void onlyRegularFilesOfSaneSize()
    {
        QFETCH(QString, kind);
        QFETCH(bool, loadOk);
        const QByteArray good = "[S]\nk=v\n";
        const QByteArray path = QFile::encodeName(m_path);
        // Comment lines up to the wanted size; the key stays readable.
        const auto padded = [&good](qint64 size) {
            QByteArray bytes = good;
            while (bytes.size() < size)
                bytes += QByteArray(qMin<qint64>(999, size - bytes.size() - 1), '#') + '\n';
            return bytes.left(int(size));
        };
        if (kind == QLatin1String("regular")) {
            QVERIFY(writeBytes(m_path, good));
        } else if (kind == QLatin1String("link")) {
            QVERIFY(writeBytes(m_path + QStringLiteral(".real"), good));
            QVERIFY(QFile::link(m_path + QStringLiteral(".real"), m_path));
        } else if (kind == QLatin1String("at limit")) {
            QVERIFY(writeBytes(m_path, padded(CConfigUtils::m_iMaxFileBytes)));
        } else if (kind == QLatin1String("past limit")) {
            QVERIFY(writeBytes(m_path, padded(CConfigUtils::m_iMaxFileBytes + 1)));
        } else if (kind == QLatin1String("directory")) {
            QVERIFY(QDir().mkpath(m_path));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        } else {
            QVERIFY(QFile::link(kind, m_path));
        }

        CConfigUtils ini;
        std::promise<bool> loaded;
        std::future<bool> result = loaded.get_future();
        std::thread loader([&] { loaded.set_value(ini.load(path.constData())); });
        const bool blocked = result.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
        if (blocked && kind == QLatin1String("fifo")) {
            // A writer that comes and goes ends the reader's wait.
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
        loader.join();
        QVERIFY2(!blocked, "load() waited on the file");
        QCOMPARE(result.get(), loadOk);
        QCOMPARE(ini.getString("S", "k", kDefault), loadOk ? QByteArray("v") : QByteArray(kDefault));
        QVERIFY(ini.save());
        if (kind == QLatin1String("fifo")) {
            struct stat st {};
            QCOMPARE(::stat(path.constData(), &st), 0);
            QVERIFY(S_ISFIFO(st.st_mode));
        }
    }

    void createEmptiesFileAndTable()
    {
        QVERIFY(writeBytes(m_path, "[S]\nk=v\n"));
        CConfigUtils ini;
        QVERIFY(ini.load(QFile::encodeName(m_path).constData()));
        QVERIFY(ini.create(QFile::encodeName(m_path).constData()));
        QVERIFY(!ini.hasKey("S", "k"));
        QVERIFY(!ini.isDirty());
        QCOMPARE(readBytes(m_path), QByteArray());
    }

    // A load followed by a save without any change must not touch the file,
    // even one that is not in canonical order.
    void saveWithoutChangeLeavesFileUntouched()
    {
        const QByteArray original = "; hand-edited\n[Z]\nb=2\na=1\r\n[A]\nx=y\n";
        QVERIFY(writeBytes(m_path, original));
        const QDateTime old = QDateTime::fromSecsSinceEpoch(946684800, Qt::UTC);
        {
            QFile file(m_path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }
        CConfigUtils ini;
        QVERIFY(ini.load(QFile::encodeName(m_path).constData()));
        QVERIFY(ini.save());
        QCOMPARE(readBytes(m_path), original);
        QCOMPARE(QFileInfo(m_path).fileTime(QFileDevice::FileModificationTime).toUTC(), old);
    }

    void unwritablePathFailsAndStaysDirty_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("parent is a regular file") << QStringLiteral("plain/config.ini");
        QTest::newRow("parent is missing") << QStringLiteral("missing/config.ini");
    }
    void unwritablePathFailsAndStaysDirty()
    {
        QFETCH(QString, relativePath);
        QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("plain")), "not a directory"));
        const QByteArray path = QFile::encodeName(m_dir->filePath(relativePath));

        CConfigUtils created;
        QVERIFY(!created.create(path.constData()));

        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("^Can not open config file")));
        CConfigUtils ini;
        QVERIFY(!ini.load(path.constData()));
        ini.setString("S", "k", "v");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Can not write config file")));
        QVERIFY(!ini.save());
        QVERIFY(ini.isDirty());
        QCOMPARE(ini.getString("S", "k", ""), QByteArray("v"));
        QCOMPARE(readBytes(m_dir->filePath(QStringLiteral("plain"))), QByteArray("not a directory"));
        // The destructor tries once more.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Can not write config file")));
    }

    // A write that fails half way must leave the old file as it was and the
    // change pending, so a later save can still write it.
    void failedWriteKeepsOldFile()
    {
        const QByteArray original = "[S]\nk=old\n\n";
        QVERIFY(writeBytes(m_path, original));
        CConfigUtils ini;
        QVERIFY(ini.load(QFile::encodeName(m_path).constData()));
        ini.setString("S", "k", QByteArray(4096, 'n').constData());
        {
            FileSizeLimit limit(16);
            if (!limit.active())
                QSKIP("cannot lower the file size limit");
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Can not write config file")));
            QVERIFY(!ini.save());
        }
        QVERIFY(ini.isDirty());
        QCOMPARE(readBytes(m_path), original);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList {QStringLiteral("test.ini")});

        QVERIFY(ini.save());
        QVERIFY(!ini.isDirty());
        QCOMPARE(readBytes(m_path), "[S]\nk=" + QByteArray(4096, 'n') + "\n\n");
    }

    void destructorWritesPendingChanges()
    {
        {
            CConfigUtils ini;
            QVERIFY(ini.create(QFile::encodeName(m_path).constData()));
            ini.setString("S", "k", "v");
        }
        QCOMPARE(readBytes(m_path), QByteArray("[S]\nk=v\n\n"));
        {
            QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("^Can not open config file")));
            CConfigUtils ini;
            QVERIFY(!ini.load(QFile::encodeName(m_dir->filePath(QStringLiteral("missing/x.ini"))).constData()));
            ini.setString("S", "k", "v");
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Can not write config file")));
        } // gives up without a crash
    }

    // Readers of the file (a second instance, an editor) see either the old
    // or the new content, never a truncated one.
    void concurrentReaderSeesWholeFiles()
    {
        const QByteArray shortFile = "[S]\nk=a\n\n";
        const QByteArray longFile = "[S]\nk=" + QByteArray(20000, 'b') + "\n\n";
        QVERIFY(writeBytes(m_path, shortFile));
        CConfigUtils ini;
        QVERIFY(ini.load(QFile::encodeName(m_path).constData()));

        std::atomic<bool> stop {false};
        std::atomic<int> reads {0};
        QByteArray torn;
        std::thread reader([&] {
            while (!stop.load()) {
                const QByteArray bytes = readBytes(m_path);
                if (bytes != shortFile && bytes != longFile && torn.isEmpty())
                    torn = bytes.left(64) + "... (" + QByteArray::number(bytes.size()) + " bytes)";
                ++reads;
            }
        });
        for (int i = 0; i < 300; ++i) {
            ini.setString("S", "k", i % 2 ? "a" : QByteArray(20000, 'b').constData());
            if (!ini.save())
                break;
        }
        stop = true;
        reader.join();
        QVERIFY2(torn.isEmpty(), torn.constData());
        QVERIFY(reads.load() > 0);
        QVERIFY(!ini.isDirty());
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_path;
};

GLIMORA_TEST_MAIN(TestConfigUtils)
#include "tst_configutils.moc"
