#include "models/CAvatarCache.h"
#include "models/CUrlPixmap.h"
#include "views/incall/CAttendeesListmodel.h"
#include "views/meetings/CConferencesTablemodel.h"
#include "views/meetings/CContactsListmodel.h"
#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>

#include <memory>

using glimora::test::HttpFixtureServer;
using rj_app::models::CAvatarCache;
using rj_app::models::CUrlPixmap;
using rj_app::views::CContactsListmodel;
using rj_app::views::contactItemData;

namespace {

QByteArray pngBytes(int w, int h, Qt::GlobalColor colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return data;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A small valid PNG whose header declares w x h: decoding it would allocate
// the whole picture first.
QByteArray pngDeclaring(quint32 w, quint32 h)
{
    QByteArray png = pngBytes(1, 1, Qt::black);
    auto put32 = [&png](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
    };
    // Signature (8), IHDR length (4), "IHDR" at 12, width at 16, height at 20,
    // five more bytes, CRC of type and data at 29.
    put32(16, w);
    put32(20, h);
    put32(29, crc32(png.mid(12, 17)));
    return png;
}

// The voluntary and involuntary context switches of this process's thread
// of that name so far; -1 when there is no such thread.
qint64 contextSwitchesOf(const QByteArray &threadName)
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != threadName)
            continue;
        QFile status(tasks.filePath(tid + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        qint64 switches = 0;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.contains("ctxt_switches:"))
                switches += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
        return switches;
    }
    return -1;
}

} // namespace

class TestUrlPixmap : public QObject
{
    Q_OBJECT

    std::unique_ptr<HttpFixtureServer> m_server;
    std::unique_ptr<CUrlPixmap> m_loader;
    QStringList m_finished;     // addresses in the order reported
    bool m_offGuiThread = false;

    QString url(const char *path) const { return m_server->baseUrl() + QLatin1String(path); }

    bool waitForFinished(int count, int timeoutMs = 5000)
    {
        QElapsedTimer clock;
        clock.start();
        while (m_finished.size() < count && clock.elapsed() < timeoutMs)
            QTest::qWait(5);
        return m_finished.size() >= count;
    }

private slots:
    void init()
    {
        CUrlPixmap::s_pixmapCache.clear();
        m_finished.clear();
        m_offGuiThread = false;
        m_server = std::make_unique<HttpFixtureServer>();
        QVERIFY(m_server->start());
        m_server->addRoute("GET", "/a.png", 200, pngBytes(4, 3, Qt::red), 0, "image/png");
        m_server->addRoute("GET", "/b.png", 200, pngBytes(5, 5, Qt::blue), 0, "image/png");
        m_server->addRoute("GET", "/c.png", 200, pngBytes(6, 2, Qt::green), 0, "image/png");
        m_server->addRoute("GET", "/notpic", 200, "hello", 0, "text/plain");
        m_server->addRoute("GET", "/slow.png", 200, pngBytes(1, 1, Qt::black), 60000, "image/png");
        m_loader = std::make_unique<CUrlPixmap>();
        connect(m_loader.get(), &CUrlPixmap::signal_downloadFinished, this, [this](const QString &u) {
            // The cache is updated before the signal.
            if (QThread::currentThread() != thread())
                m_offGuiThread = true;
            m_finished.append(u);
        }, Qt::DirectConnection);
    }

    void cleanup()
    {
        m_loader.reset();
        m_server.reset();
    }

    void downloadsDecodeIntoCacheOnGuiThread()
    {
        m_loader->setDownloadUrl(url("/a.png"));
        QVERIFY(waitForFinished(1));
        QCOMPARE(m_finished, QStringList{url("/a.png")});
        QVERIFY(!m_offGuiThread);
        QVERIFY(CUrlPixmap::s_pixmapCache.contains(url("/a.png")));
        QCOMPARE(CUrlPixmap::s_pixmapCache.value(url("/a.png")).size(), QSize(4, 3));
        QVERIFY(!CUrlPixmap::s_pixmapCache.contains("default"));
    }

    // The first failure adds the fallback picture under "default"; the failed
    // address itself gets no entry; later failures keep the first fallback.
    void failedDownloadUsesFallback()
    {
        m_loader->setDownloadUrl(url("/missing.png"));
        QVERIFY(waitForFinished(1));
        QCOMPARE(m_finished, QStringList{url("/missing.png")});
        QVERIFY(!CUrlPixmap::s_pixmapCache.contains(url("/missing.png")));
        QVERIFY(CUrlPixmap::s_pixmapCache.contains("default"));
        const QPixmap fallback = CUrlPixmap::s_pixmapCache.value("default");
        QVERIFY(!fallback.isNull());

        CUrlPixmap::s_pixmapCache.insert("default", QPixmap(1, 1));
        m_loader->setDownloadUrl(QStringLiteral("http://127.0.0.1:1/refused.png"));
        QVERIFY(waitForFinished(2));
        QCOMPARE(CUrlPixmap::s_pixmapCache.value("default").size(), QSize(1, 1));
        QCOMPARE(CUrlPixmap::s_pixmapCache.size(), 1);
    }

    // A body that is no picture, or a picture declaring a size beyond the
    // limit, is a failed download: the fallback, no entry for the address.
    // It is refused before decoding, so a huge declared size costs nothing.
    void refusedBodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("maxSide");
        QTest::addColumn<QSize>("stored"); // invalid: refused
        QTest::newRow("text") << QByteArray("hello") << 0 << QSize();
        QTest::newRow("cut short") << pngBytes(8, 8, Qt::red).left(30) << 0 << QSize();
        QTest::newRow("declares 60000 x 60000") << pngDeclaring(60000, 60000) << 0 << QSize();
        QTest::newRow("declares 5000 x 10") << pngDeclaring(5000, 10) << 0 << QSize();
        QTest::newRow("wider than the limit") << pngBytes(65, 20, Qt::red) << 64 << QSize();
        QTest::newRow("at the limit") << pngBytes(64, 64, Qt::red) << 64 << QSize(64, 64);
        QTest::newRow("usual avatar") << pngBytes(200, 200, Qt::red) << 0 << QSize(200, 200);
    }
    void refusedBodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, maxSide);
        QFETCH(QSize, stored);
        QCOMPARE(m_loader->maxPictureSide(), CUrlPixmap::kDefaultMaxPictureSide);
        m_loader->setMaxPictureSide(maxSide);
        m_server->addRoute("GET", "/body", 200, body, 0, "image/png");
        QElapsedTimer clock;
        clock.start();
        m_loader->setDownloadUrl(url("/body"));
        QVERIFY(waitForFinished(1));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_finished, QStringList{url("/body")});
        if (!stored.isValid()) {
            QVERIFY(!CUrlPixmap::s_pixmapCache.contains(url("/body")));
            QVERIFY(!CUrlPixmap::s_pixmapCache.value("default").isNull());
        } else {
            QCOMPARE(CUrlPixmap::s_pixmapCache.value(url("/body")).size(), stored);
            QVERIFY(!CUrlPixmap::s_pixmapCache.contains("default"));
        }
    }

    // The worker sleeps until work arrives, and while a download waits it
    // waits on that download alone: no wake-ups to look around.
    void workerSleeps_data()
    {
        QTest::addColumn<bool>("downloading");
        QTest::newRow("idle") << false;
        QTest::newRow("waiting for a slow server") << true;
    }
    void workerSleeps()
    {
        QFETCH(bool, downloading);
        m_loader->setObjectName(QStringLiteral("avatar-worker"));
        m_loader->setDownloadTimeout(60000);
        m_loader->setDownloadUrl(url("/a.png"));
        QVERIFY(waitForFinished(1));
        if (downloading) {
            m_loader->setDownloadUrl(url("/slow.png"));
            QVERIFY(m_server->waitForRequests(2));
        }
        QTest::qWait(50);
        const qint64 before = contextSwitchesOf("avatar-worker");
        QVERIFY(before >= 0);
        QTest::qWait(300);
        const qint64 woken = contextSwitchesOf("avatar-worker") - before;
        QVERIFY2(woken <= 3, qPrintable(QString::number(woken)));
        QCOMPARE(m_finished.size(), 1);
    }

    // One at a time, first in first out; an address queued twice is fetched
    // and reported twice.
    void queueOrder()
    {
        for (const char *p : {"/a.png", "/b.png", "/b.png", "/c.png"})
            m_loader->setDownloadUrl(url(p));
        QVERIFY(waitForFinished(4));
        QCOMPARE(m_finished, QStringList({url("/a.png"), url("/b.png"), url("/b.png"), url("/c.png")}));
        QStringList served;
        for (const auto &r : m_server->requests())
            served << r.path;
        QCOMPARE(served, QStringList({"/a.png", "/b.png", "/b.png", "/c.png"}));
        QCOMPARE(CUrlPixmap::s_pixmapCache.size(), 3);
    }

    // A download is fetched again when queued again and replaces its entry:
    // the list models only queue what the cache lacks.
    void cacheEntryIsReplacedOnRefetch()
    {
        m_loader->setDownloadUrl(url("/a.png"));
        QVERIFY(waitForFinished(1));
        const qint64 firstKey = CUrlPixmap::s_pixmapCache.value(url("/a.png")).cacheKey();
        m_server->addRoute("GET", "/a.png", 200, pngBytes(7, 7, Qt::white), 0, "image/png");
        m_loader->setDownloadUrl(url("/a.png"));
        QVERIFY(waitForFinished(2));
        QCOMPARE(m_server->requestCount(), 2);
        QVERIFY(CUrlPixmap::s_pixmapCache.value(url("/a.png")).cacheKey() != firstKey);
        QCOMPARE(CUrlPixmap::s_pixmapCache.value(url("/a.png")).size(), QSize(7, 7));
    }

    // A server that does not answer in time does not hold up later addresses;
    // the overrun download is reported as failed.
    void slowServerDoesNotHoldUpQueue()
    {
        m_loader->setDownloadTimeout(100);
        QCOMPARE(m_loader->downloadTimeout(), 100);
        QElapsedTimer clock;
        clock.start();
        m_loader->setDownloadUrl(url("/slow.png"));
        m_loader->setDownloadUrl(url("/a.png"));
        QVERIFY(waitForFinished(2));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_finished, QStringList({url("/slow.png"), url("/a.png")}));
        QVERIFY(!CUrlPixmap::s_pixmapCache.contains(url("/slow.png")));
        QVERIFY(CUrlPixmap::s_pixmapCache.contains("default"));
        QVERIFY(!CUrlPixmap::s_pixmapCache.value(url("/a.png")).isNull());
    }

    // The list models' avatars: one download per missing address however
    // many rows and models ask, each row then showing the picture; the
    // fallback for no address and for a failed download, which is asked for
    // again by the next row that needs it.
    void avatarsOfListModels()
    {
        CUrlPixmap *shared = CUrlPixmap::getInstance();
        QSignalSpy done(shared, &CUrlPixmap::signal_downloadFinished);
        const QString avatar = url("/a.png");
        m_server->addRoute("GET", "/a.png", 200, pngBytes(4, 3, Qt::red), 200, "image/png");

        CAttendeesListmodel attendees;
        CContactsListmodel contacts;
        CConferencesTablemodel participants;
        for (int i = 0; i < 2; ++i) {
            attendees.addItem(AttendeeItem{QStringLiteral("Carol Wu"), 0, 3, QPixmap(), avatar});
            contactItemData contact;
            contact.contact.userId = 3 + i;
            contact.contact.imageURL = avatar;
            contact.avatarUrl = avatar;
            contacts.appendItem(contact);
            participantItemData cell;
            cell.userId = 3 + i;
            cell.avatarUrl = avatar;
            participants.appendItem(cell);
        }
        QVERIFY(CAvatarCache::isPending(avatar));
        QPixmap picture;
        QVERIFY(!CAvatarCache::takeOrQueue(avatar, picture));
        QVERIFY(picture.isNull());

        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 5000);
        QTest::qWait(50);
        QCOMPARE(done.count(), 1);
        QCOMPARE(m_server->requestCount(), 1);
        QVERIFY(!CAvatarCache::isPending(avatar));
        const QImage red = CUrlPixmap::s_pixmapCache.value(avatar).toImage();
        QCOMPARE(red.size(), QSize(4, 3));
        for (int row = 0; row < 2; ++row) {
            QCOMPARE(attendees.index(row).data(CAttendeesListmodel::AvatarRole).value<QPixmap>().toImage(), red);
            QCOMPARE(contacts.index(row).data(CContactsListmodel::AvatarRole).value<QPixmap>().toImage(), red);
            QCOMPARE(participants.index(0, row).data(CConferencesTablemodel::AvatarRole).value<QPixmap>().toImage(),
                     red);
        }
        QVERIFY(CAvatarCache::takeOrQueue(avatar, picture));
        QCOMPARE(picture.toImage(), red);

        // Nothing to fetch, and a failed download: the fallback.
        QVERIFY(CAvatarCache::takeOrQueue(QString(), picture));
        QCOMPARE(picture.toImage(), CAvatarCache::defaultPicture().toImage());
        QVERIFY(!picture.isNull());
        const QString missing = url("/missing.png");
        QVERIFY(!CAvatarCache::takeOrQueue(missing, picture));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 5000);
        QCOMPARE(CAvatarCache::cachedOrDefault(missing).toImage(),
                 CUrlPixmap::s_pixmapCache.value("default").toImage());
        QVERIFY(!CAvatarCache::takeOrQueue(missing, picture));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 3, 5000);
        QCOMPARE(m_server->requestCount(), 3);
    }

    void destructionEndsWorkerPromptly()
    {
        // Idle worker.
        m_loader->setDownloadUrl(url("/a.png"));
        QVERIFY(waitForFinished(1));
        QElapsedTimer clock;
        clock.start();
        m_loader.reset();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));

        // Worker inside a long download.
        m_loader = std::make_unique<CUrlPixmap>();
        m_loader->setDownloadTimeout(60000);
        m_loader->setDownloadUrl(url("/slow.png"));
        QVERIFY(m_server->waitForRequests(2));
        clock.restart();
        m_loader.reset();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }
};

GLIMORA_TEST_MAIN(TestUrlPixmap)
#include "tst_urlpixmap.moc"
