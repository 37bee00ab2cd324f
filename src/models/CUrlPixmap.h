#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

class QNetworkAccessManager;
class QTimer;

namespace rj_app::models {

// Downloads avatar pictures one at a time on a worker thread and keeps them in
// one process-wide cache from address to picture.
//
// The object lives in the GUI thread; setDownloadUrl, the cache and
// signal_downloadFinished belong to it. The worker fetches and decodes: the
// reply is read and decoded into a QImage in the worker thread, so a long
// list's pictures never hold up typing; the GUI thread only turns the image
// into a QPixmap (which exists only there).
//
// List models get their pictures through CAvatarCache, which looks them up
// here, queues each missing address once and gives the fallback picture for
// an address that has no entry (its download failed, or its answer was no
// picture).
class CUrlPixmap : public QThread
{
    Q_OBJECT
public:
    static CUrlPixmap *getInstance();

    // The application uses getInstance(); tests build their own.
    CUrlPixmap();
    ~CUrlPixmap() override;

    // Queues the address (first in, first out; twice queued is fetched twice)
    // and starts the worker when it is not running.
    void setDownloadUrl(const QString &url);

    // The time one download may take before it is abandoned as failed; tests
    // shorten it. Read by the worker at the start of each download.
    void setDownloadTimeout(int ms);
    int downloadTimeout() const;

    // A picture that declares a width or height beyond this is refused before
    // it is decoded (0 or less restores the default). Read by the worker at
    // each decode.
    static constexpr int kDefaultMaxPictureSide = 4096;
    void setMaxPictureSide(int pixels);
    int maxPictureSide() const;

    // Address -> picture, plus the fallback picture under "default" after the
    // first failed download. GUI thread only.
    static QMap<QString, QPixmap> s_pixmapCache;

signals:
    // After each download, failed ones included, once the cache is updated.
    void signal_downloadFinished(QString url);

private slots:
    // `picture` is null when the download failed or brought no picture.
    void slot_ReplyFinished(const QString &url, const QImage &picture);

protected:
    void run() override;

private:
    // Takes the next address off the queue; false when the queue is empty.
    bool takeNext(QString *url);
    // Fetches one address in the worker thread; false when it failed.
    bool fetch(const QString &url, QByteArray *data);

    QNetworkAccessManager *m_pManager = nullptr;   // worker thread
    QPixmap m_pixmap;                              // GUI thread
    QStringList m_urls;                            // guarded by m_mutex
    // std:: rather than Qt's lock so a ThreadSanitizer build sees it (Qt is
    // not instrumented).
    std::mutex m_mutex;
    std::condition_variable m_queued;              // wakes the idle worker
    std::atomic<bool> m_bStop{false};
    QTimer *m_pTimer = nullptr;                    // worker thread
    std::atomic<int> m_downloadTimeoutMs{2000};
    std::atomic<int> m_iMaxPictureSide{kDefaultMaxPictureSide};
};

} // namespace rj_app::models
