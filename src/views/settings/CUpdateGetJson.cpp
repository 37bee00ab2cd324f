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
#include <QStringList>
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

bool CUpdateGetJson::sendRequest(const QString &url, QString *errorText)
{
    const auto fail = [errorText](const QString &why) {
        if (errorText)
            *errorText = why;
        return false;
    };
    if (errorText)
        errorText->clear();

    // A manager per request, owned by the calling thread: the worker thread's
    // event dispatcher does not outlive one run, so sockets and timers kept
    // from an earlier run would be dead.
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, true);
    // No compressed answers: a few kilobytes on the wire could inflate to
    // gigabytes before any limit saw them. A version answer is tiny anyway.
    request.setRawHeader("Accept-Encoding", "identity");
    QNetworkReply *reply = manager.get(request);
    // Certificates are checked: this answer decides which package is offered.
    QStringList sslErrors;
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [&sslErrors](const QList<QSslError> &errors) {
        for (const QSslError &error : errors) {
            qWarning() << "CUpdateGetJson ssl error:" << error.errorString();
            sslErrors << error.errorString();
        }
    });
    // The limit holds for what is read, whatever progress the transport
    // reports; a promised size past it ends the transfer early.
    QByteArray body;
    bool tooLarge = false;
    const auto drain = [reply, &body, &tooLarge] {
        while (!tooLarge && reply->bytesAvailable() > 0) {
            body += reply->read(m_iMaxAnswerBytes + 1 - body.size());
            if (body.size() > m_iMaxAnswerBytes) {
                tooLarge = true;
                reply->abort();
            }
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, reply, drain);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, &tooLarge](qint64 received, qint64 total) {
                         if (!tooLarge && (received > m_iMaxAnswerBytes || total > m_iMaxAnswerBytes)) {
                             tooLarge = true;
                             reply->abort();
                         }
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
        const bool stopped = timer.isActive();
        if (stopped)
            qInfo() << RJ_FUNCTION << __LINE__ << "request stopped";
        else
            qWarning() << RJ_FUNCTION << __LINE__ << "no complete answer within" << timer.interval() << "ms";
        reply->disconnect();
        reply->abort();
        reply->deleteLater();
        return fail(stopped ? QString() : tr("No answer within %1 ms.").arg(timer.interval()));
    }
    drain();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QString reasonPhrase = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorString = reply->errorString();
    reply->disconnect();
    reply->deleteLater();
    if (tooLarge) {
        qWarning() << RJ_FUNCTION << __LINE__ << "answer larger than" << m_iMaxAnswerBytes << "bytes";
        return fail(tr("The answer is larger than %1 bytes.").arg(m_iMaxAnswerBytes));
    }
    // A version answer is short; an error page need not fill the log.
    qInfo() << RJ_FUNCTION << __LINE__ << "Url return:" << QString::fromUtf8(body.left(2048));
    // An error page is no answer, whatever its body looks like.
    if (error != QNetworkReply::NoError) {
        qWarning() << RJ_FUNCTION << __LINE__ << "request failed:" << error << errorString;
        if (!sslErrors.isEmpty())
            return fail(sslErrors.join(QStringLiteral("; ")));
        if (status.isValid())
            return fail(tr("The server answered %1 %2.").arg(status.toInt()).arg(reasonPhrase));
        return fail(errorString);
    }

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        qWarning() << RJ_FUNCTION << __LINE__ << "not JSON:" << parseError.errorString();
        return fail(tr("The answer is not JSON (%1).").arg(parseError.errorString()));
    }
    if (!document.isObject()) {
        qWarning() << RJ_FUNCTION << __LINE__ << "not a JSON object";
        return fail(tr("The answer is not a JSON object."));
    }
    const QJsonObject object = document.object();
    // The management server answers errors as an object with a code.
    const QJsonValue errorCode = object.value(QStringLiteral("errorCode"));
    if (!errorCode.isUndefined() && !errorCode.isNull() && errorCode.toVariant().toLongLong() != 0) {
        const QString info = object.value(QStringLiteral("errorInfo")).toString();
        qWarning() << RJ_FUNCTION << __LINE__ << "error answer:" << errorCode.toVariant() << info;
        return fail(QStringLiteral("%1 (%2)").arg(info, errorCode.toVariant().toString()));
    }
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
