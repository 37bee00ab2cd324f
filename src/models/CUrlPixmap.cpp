#include "models/CUrlPixmap.h"

#include <QBuffer>
#include <QDebug>
#include <QEventLoop>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#ifndef QT_NO_SSL
#include <QSslConfiguration>
#include <QSslSocket>
#endif

namespace rj_app::models {

namespace {
const QString kDefaultKey = QStringLiteral("default");
const QString kDefaultPicture = QStringLiteral(":/resources/images/default_user_header.jpg");

// The picture in `data`, or a null one when it is none or declares a size
// beyond `maxSide` (its pixels would be allocated before anything else).
// Any thread.
QImage decodePicture(const QByteArray &data, int maxSide)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize declared = reader.size();
    if (!reader.canRead() || !declared.isValid() || declared.isEmpty() || declared.width() > maxSide
        || declared.height() > maxSide) {
        qWarning() << "avatar refused, format:" << reader.format() << ", declared size:" << declared;
        return QImage();
    }
    return reader.read();
}
} // namespace

QMap<QString, QPixmap> CUrlPixmap::s_pixmapCache;

CUrlPixmap *CUrlPixmap::getInstance()
{
    static CUrlPixmap instance;
    return &instance;
}

CUrlPixmap::CUrlPixmap()
    : QThread(nullptr)
{
}

CUrlPixmap::~CUrlPixmap()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_queued.notify_all();
    if (isRunning()) {
        // Ends a download's wait at once, also one that has not begun yet.
        quit();
        wait();
    }
}

void CUrlPixmap::setDownloadUrl(const QString &url)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_urls.append(url);
    }
    m_queued.notify_all();
    start(QThread::InheritPriority);
}

void CUrlPixmap::setDownloadTimeout(int ms)
{
    m_downloadTimeoutMs = ms;
}

int CUrlPixmap::downloadTimeout() const
{
    return m_downloadTimeoutMs;
}

void CUrlPixmap::setMaxPictureSide(int pixels)
{
    m_iMaxPictureSide = pixels > 0 ? pixels : kDefaultMaxPictureSide;
}

int CUrlPixmap::maxPictureSide() const
{
    return m_iMaxPictureSide;
}

bool CUrlPixmap::takeNext(QString *url)
{
    // Sleeps until there is work or the stop request.
    std::unique_lock<std::mutex> lock(m_mutex);
    m_queued.wait(lock, [this] { return !m_urls.isEmpty() || m_bStop; });
    if (m_bStop)
        return false;
    *url = m_urls.takeFirst();
    return true;
}

void CUrlPixmap::run()
{
    if (!m_pManager) {
        // No parents: both belong to this worker thread.
        m_pManager = new QNetworkAccessManager;
        m_pTimer = new QTimer;
        m_pTimer->setSingleShot(true);
    }

    while (!m_bStop) {
        QString url;
        if (!takeNext(&url))
            continue;
        QByteArray data;
        const QImage picture = fetch(url, &data) ? decodePicture(data, m_iMaxPictureSide) : QImage();
        // The cache belongs to the GUI thread, where this object lives.
        QMetaObject::invokeMethod(this, "slot_ReplyFinished", Qt::QueuedConnection, Q_ARG(QString, url),
                                  Q_ARG(QImage, picture));
    }

    delete m_pManager;
    m_pManager = nullptr;
    delete m_pTimer;
    m_pTimer = nullptr;
}

bool CUrlPixmap::fetch(const QString &url, QByteArray *data)
{
    QNetworkRequest request{QUrl(url)};
#ifndef QT_NO_SSL
    QSslConfiguration ssl = request.sslConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
    request.setSslConfiguration(ssl);
#endif
    QNetworkReply *reply = m_pManager->get(request);

    // The destructor's quit() ends this wait without polling; one that came
    // before it returns at once.
    QEventLoop loop;
    QObject::connect(m_pTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    m_pTimer->start(m_downloadTimeoutMs);
    if (!reply->isFinished())
        loop.exec();
    m_pTimer->stop();
    QObject::disconnect(m_pTimer, nullptr, &loop, nullptr);

    // A download that overran its time is abandoned and counts as failed, so
    // the caller still hears about its address and shows the fallback.
    if (!reply->isFinished())
        reply->abort();
    const bool ok = reply->error() == QNetworkReply::NoError;
    if (ok)
        *data = reply->readAll();
    delete reply;
    return ok;
}

void CUrlPixmap::slot_ReplyFinished(const QString &url, const QImage &picture)
{
    // A body that is no picture, or one too large to decode, is a failed
    // download like a network error: the fallback shows, the address gets
    // no entry.
    m_pixmap = picture.isNull() ? QPixmap() : QPixmap::fromImage(picture);
    if (m_pixmap.isNull()) {
        m_pixmap = QPixmap(kDefaultPicture);
        if (!s_pixmapCache.contains(kDefaultKey))
            s_pixmapCache.insert(kDefaultKey, m_pixmap);
    } else {
        s_pixmapCache.insert(url, m_pixmap);
    }
    emit signal_downloadFinished(url);
}

} // namespace rj_app::models
