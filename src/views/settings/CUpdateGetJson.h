#pragma once

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>

namespace rj_app::views {

// Asks an update source for the latest version: one GET, a JSON object back.
// Used from the update worker's thread; the values of the last answer that
// parsed can be read from any thread.
class CUpdateGetJson : public QObject
{
    Q_OBJECT

public:
    // Null once the instance has been destroyed at process exit.
    static CUpdateGetJson *getInstance();

    // GET url, wait at most requestTimeoutMs(); true when a complete, non-error
    // answer of at most m_iMaxAnswerBytes parsed as a JSON object that is not
    // an error object; its keys then replace the stored values. On false,
    // errorText (when given) says why, e.g. an untrusted certificate; it is
    // empty when the wait ended because the calling thread was asked to quit
    // (QThread::quit). Certificates are verified.
    bool sendRequest(const QString &url, QString *errorText = nullptr);

    QString getVERSION() const;
    QString getDOWNLOAD_URL() const;
    QString getVersion() const;
    QString getDownloadUrl() const;

    // Seam: the answer wait (default 3000 ms).
    static void setRequestTimeoutMs(int ms);
    static int requestTimeoutMs();

    static constexpr int m_iDefaultTimeoutMs = 3000;
    // A version answer is a few hundred bytes; anything far larger is not one.
    static constexpr qint64 m_iMaxAnswerBytes = 1024 * 1024;

    ~CUpdateGetJson() override;

private:
    CUpdateGetJson();

    mutable QMutex m_mutex;
    QString m_qstrPLATFORM;
    QString m_qstrVERSION;
    QString m_qstrDOWNLOAD_URL;
    QString m_qstrVersion;
    QString m_qstrDownloadUrl;

    static std::atomic<int> s_timeoutMs;
    static std::atomic<bool> s_destroyed;
};

} // namespace rj_app::views
