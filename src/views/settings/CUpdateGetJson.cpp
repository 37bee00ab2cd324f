#include "views/settings/CUpdateGetJson.h"

#include "helpers/LogMacros.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QTimer>
#include <QUrl>
#include <QtDebug>

namespace rj_app::views {

std::atomic<int> CUpdateGetJson::s_timeoutMs{CUpdateGetJson::m_iDefaultTimeoutMs};
std::atomic<bool> CUpdateGetJson::s_destroyed{false};

CUpdateGetJson *CUpdateGetJson::getInstance()
{
    if (s_destroyed.load())
        return nullptr;
    static CUpdateGetJson instance;
    return &instance;
}

CUpdateGetJson::CUpdateGetJson()
    : QObject(nullptr)
{
}

CUpdateGetJson::~CUpdateGetJson()
{
    s_destroyed.store(true);
}

void CUpdateGetJson::setRequestTimeoutMs(int ms)
{
    s_timeoutMs.store(ms > 0 ? ms : m_iDefaultTimeoutMs);
}

int CUpdateGetJson::requestTimeoutMs()
{
    return s_timeoutMs.load();
}

bool CUpdateGetJson::sendRequest(const QString &url)
{
    // A manager per request, owned by the calling thread: the worker thread's
    // event dispatcher does not outlive one run, so sockets and timers kept
    // from an earlier run would be dead.
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, true);
    QNetworkReply *reply = manager.get(request);
    // Certificates are checked: this answer decides which package is offered.
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [](const QList<QSslError> &errors) {
        for (const QSslError &error : errors)
            qWarning() << "CUpdateGetJson ssl error:" << error.errorString();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > m_iMaxAnswerBytes)
            reply->abort();
    });

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(requestTimeoutMs());
    if (!reply->isFinished())
        loop.exec();
    const bool finished = reply->isFinished();

    qInfo() << RJ_FUNCTION << __LINE__ << "response status code:"
            << reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toString();
    if (!finished) {
        if (timer.isActive())
            qInfo() << RJ_FUNCTION << __LINE__ << "request stopped";
        else
            qWarning() << RJ_FUNCTION << __LINE__ << "no complete answer within" << timer.interval() << "ms";
        reply->abort();
        reply->deleteLater();
        return false;
    }
    const QString text = QString::fromUtf8(reply->readAll());
    qInfo() << RJ_FUNCTION << __LINE__ << "Url return:" << text;
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    reply->deleteLater();
    // An error page is no answer, whatever its body looks like.
    if (error != QNetworkReply::NoError) {
        qWarning() << RJ_FUNCTION << __LINE__ << "request failed:" << error << errorText;
        return false;
    }

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        qWarning() << RJ_FUNCTION << __LINE__ << "not JSON:" << parseError.errorString();
        return false;
    }
    const QJsonObject object = document.object();
    QMutexLocker locker(&m_mutex);
    m_qstrPLATFORM = object.value(QStringLiteral("PLATFORM")).toString();
    m_qstrVERSION = object.value(QStringLiteral("VERSION")).toString();
    m_qstrDOWNLOAD_URL = object.value(QStringLiteral("DOWNLOAD_URL")).toString();
    m_qstrVersion = object.value(QStringLiteral("version")).toString();
    m_qstrDownloadUrl = object.value(QStringLiteral("downloadUrl")).toString();
    return true;
}

QString CUpdateGetJson::getVERSION() const
{
    QMutexLocker locker(&m_mutex);
    return m_qstrVERSION;
}

QString CUpdateGetJson::getDOWNLOAD_URL() const
{
    QMutexLocker locker(&m_mutex);
    return m_qstrDOWNLOAD_URL;
}

QString CUpdateGetJson::getVersion() const
{
    QMutexLocker locker(&m_mutex);
    return m_qstrVersion;
}

QString CUpdateGetJson::getDownloadUrl() const
{
    QMutexLocker locker(&m_mutex);
    return m_qstrDownloadUrl;
}

} // namespace rj_app::views
