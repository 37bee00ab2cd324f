#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

#include <atomic>

class QNetworkReply;

namespace rj_app::views {

// Fetches packages one after the other into the temporary directory. Lives in
// the thread that created it; abort() may be called from any thread.
class CDownloadManager : public QObject
{
    Q_OBJECT

public:
    CDownloadManager();
    ~CDownloadManager() override;

    void append(const QUrl &url);
    // Cancels the transfer in progress (carried out in the manager's thread).
    void abort();
    // Full path of the last package file; only a download that reported
    // success left a complete file there.
    QString getSaveFilePath() const;

    // The file name a package URL is saved under: the last segment of its
    // decoded path, never a path ("..", separators, control characters, a
    // name Qt takes as absolute such as ":x" or "C:x"), and "download.exe"
    // when nothing usable is left.
    static QString fileNameForUrl(const QUrl &url);
    // The file for name directly inside directory; empty when the joined path
    // would lie anywhere else.
    static QString savePathFor(const QString &directory, const QString &name);

    // Seams: the folder packages go to (empty: a private folder, mode 0700,
    // made once per process in the system temporary directory; empty when it
    // cannot be made) and the longest pause without data before a transfer
    // fails.
    static void setSaveDirectory(const QString &dir);
    static QString saveDirectory();
    static void setTransferTimeoutMs(int ms);
    static int transferTimeoutMs();
    static constexpr int m_iDefaultTransferTimeoutMs = 60000;

signals:
    void signal_downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal, int time);
    void signal_finished(bool succeed);
    void finished();

private slots:
    void startNextDownload();
    void downloadProgress(qlonglong bytesReceived, qlonglong bytesTotal);
    void downloadFinished();
    void downloadReadyRead();
    void abortInOwnThread();

private:
    void failTransfer(const QString &why);

    QNetworkAccessManager m_networkManager;
    QList<QUrl> m_urlQueue;
    QNetworkReply *m_pReply = nullptr;
    QFile m_file;
    QElapsedTimer m_elapsedTimer;
    QString m_qstrSavePath;
    bool m_bWriteFailed = false;
    qint64 m_iBytesWritten = 0;
};

} // namespace rj_app::views
