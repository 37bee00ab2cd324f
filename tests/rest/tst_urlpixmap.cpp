#include "models/CUrlPixmap.h"
#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>

#include <memory>

using glimora::test::HttpFixtureServer;
using rj_app::models::CUrlPixmap;

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

    void notAPictureStoresNullPicture()
    {
        m_loader->setDownloadUrl(url("/notpic"));
        QVERIFY(waitForFinished(1));
        QVERIFY(CUrlPixmap::s_pixmapCache.contains(url("/notpic")));
        QVERIFY(CUrlPixmap::s_pixmapCache.value(url("/notpic")).isNull());
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
