#include "models/CUCMApiManager.h"

#include "models/LogMasking.h"

#include "helpers/LogMacros.h"
#include "models/CLinguist.h"

#include <QDebug>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVariant>

#ifndef QT_NO_SSL
#include <QSslConfiguration>
#include <QSslSocket>
#endif

namespace rj_app::models {

namespace {

const QString kUsersUrl = QStringLiteral("%1/api/rest/v2.0/users?token=%2");
const QString kUserUrl = QStringLiteral("%1/api/rest/v2.0/users/%2?token=%3");
const QString kContactsUrl = QStringLiteral("%1/api/rest/v2.0/contacts?token=%2");
const QString kContactUrl = QStringLiteral("%1/api/rest/v2.0/contacts/%2?token=%3");
const QString kConferencesUrl = QStringLiteral("%1/api/rest/v2.0/meetings?token=%2%3");
const QString kConferenceUrl = QStringLiteral("%1/api/rest/v2.0/meetings/%2?token=%3");
const QString kConferenceControlUrl = QStringLiteral("%1/api/rest/v2.0/meetings/%2/control/%3?token=%4");
const QString kParticipantsUrl = QStringLiteral("%1/api/rest/v2.0/meetings/%2/simpleparticipants?token=%3");

const QByteArray kContentType = QByteArrayLiteral("application/json;charset=UTF-8");

// The base URL and token a reply was requested with: its answer is parsed
// with them even when another request was sent meanwhile.
const char kPrefixProperty[] = "ucmUrlPrefix";
const char kTokenProperty[] = "ucmToken";
// Set on a reply that was cut off for growing past the answer limit.
const char kTooLargeProperty[] = "ucmTooLarge";
// Set on a reply that was aborted because no answer came in time.
const char kTimedOutProperty[] = "ucmTimedOut";

// Ids and tokens go into the URL encoded, so that '&', '#', '/' or blanks in
// them cannot change the request's path or query.
QString encoded(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QUrl makeUrl(const QString &text)
{
    return QUrl(text, QUrl::TolerantMode);
}

const char *const kSucceedSignals[] = {
    "signal_getUsers_succeed",
    "signal_getUser_succeed",
    "signal_getContacts_succeed",
    "signal_addContact_succeed",
    "signal_deleteContact_succeed",
    "signal_getConferences_succeed",
    "signal_addConference_succeed",
    "signal_putConference_succeed",
    "signal_deleteConference_succeed",
    "signal_terminateConference_succeed",
    "signal_getParticipants_succeed",
};

} // namespace

CUCMApiManager *CUCMApiManager::getInstance()
{
    static CUCMApiManager instance;
    return &instance;
}

CUCMApiManager::CUCMApiManager(QObject *parent)
    : QObject(parent)
{
    static_assert(sizeof(kSucceedSignals) / sizeof(kSucceedSignals[0]) == OpCount,
                  "one success signal per operation");
    using Slot = void (CUCMApiManager::*)(QNetworkReply *);
    const Slot answerSlots[OpCount] = {
        &CUCMApiManager::slot_ReplyFinished_users,
        &CUCMApiManager::slot_ReplyFinished_user,
        &CUCMApiManager::slot_ReplyFinished_contacts,
        &CUCMApiManager::slot_ReplyFinished_contactPost,
        &CUCMApiManager::slot_ReplyFinished_contactDelete,
        &CUCMApiManager::slot_ReplyFinished_conferences,
        &CUCMApiManager::slot_ReplyFinished_conferencePost,
        &CUCMApiManager::slot_ReplyFinished_conferencePut,
        &CUCMApiManager::slot_ReplyFinished_conferenceDelete,
        &CUCMApiManager::slot_ReplyFinished_conferenceTerminate,
        &CUCMApiManager::slot_ReplyFinished_participants,
    };
    for (int op = 0; op < OpCount; ++op) {
        m_managers[op] = new QNetworkAccessManager(this);
        connect(m_managers[op], &QNetworkAccessManager::finished, this, answerSlots[op]);
    }
    updateErrorInfoMap();
    connect(CLinguist::getInstance(), &CLinguist::sigLanguageChanged, this,
            &CUCMApiManager::slotOnLanguageChanged);
}

CUCMApiManager::~CUCMApiManager()
{
    // Replies that the managers abort on the way out must not reach the
    // answer slots of a half-destroyed object.
    for (QNetworkAccessManager *&manager : m_managers) {
        manager->disconnect(this);
        delete manager;
        manager = nullptr;
    }
}

// ---- operations ----

void CUCMApiManager::getUsers(const QString &urlPrefix, const QString &token)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token);
    if (token.trimmed().isEmpty() || m_bUsersBusy)
        return;
    sendAndWait(OpUsers, "GET", makeUrl(kUsersUrl.arg(urlPrefix, encoded(token))), {}, false, urlPrefix,
                token);
}

void CUCMApiManager::getUser(const QString &urlPrefix, const QString &token, const QString &userId)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token) << "userId: " << userId;
    if (token.trimmed().isEmpty())
        return;
    sendAndWait(OpUser, "GET", makeUrl(kUserUrl.arg(urlPrefix, encoded(userId), encoded(token))), {}, false,
                urlPrefix, token);
}

void CUCMApiManager::getContacts(const QString &urlPrefix, const QString &token)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token);
    if (token.trimmed().isEmpty() || m_bContactsBusy)
        return;
    sendAndWait(OpContacts, "GET", makeUrl(kContactsUrl.arg(urlPrefix, encoded(token))), {}, false, urlPrefix,
                token);
}

void CUCMApiManager::postContact(const QString &urlPrefix, const QString &token, int userId)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token) << "userId: " << userId;
    if (token.trimmed().isEmpty())
        return;
    sendAndWait(OpContactPost, "POST", makeUrl(kContactsUrl.arg(urlPrefix, encoded(token))),
                getContactJson(userId), true, urlPrefix, token);
}

void CUCMApiManager::deleteContact(const QString &urlPrefix, const QString &token, const QString &nId,
                                   const QString &userId)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token) << "id: " << nId << "userId: " << userId;
    m_deletingContactId = userId;
    if (token.trimmed().isEmpty())
        return;
    sendAndWait(OpContactDelete, "DELETE", makeUrl(kContactUrl.arg(urlPrefix, encoded(nId), encoded(token))), {},
                false, urlPrefix, token);
}

void CUCMApiManager::getConferences(const QString &urlPrefix, const QString &token)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token);
    if (token.trimmed().isEmpty() || m_bConferencesBusy)
        return;
    sendAndWait(OpConferences, "GET",
                makeUrl(kConferencesUrl.arg(urlPrefix, encoded(token), QStringLiteral("&joinMode=TOVAN"))), {},
                false, urlPrefix, token);
}

void CUCMApiManager::postConference(const QString &urlPrefix, const QString &token,
                                    const ucmconferenceReqData &data)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token) << "name: " << data.name;
    if (token.trimmed().isEmpty())
        return;
    sendAndWait(OpConferencePost, "POST", makeUrl(kConferencesUrl.arg(urlPrefix, encoded(token), QString())),
                getConferenceJson(data), true, urlPrefix, token);
}

void CUCMApiManager::putConference(const QString &urlPrefix, const QString &token,
                                   const ucmconferenceReqData &data)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token) << "id: " << data.id;
    if (token.trimmed().isEmpty())
        return;
    sendAndWait(OpConferencePut, "PUT",
                makeUrl(kConferenceUrl.arg(urlPrefix, QString::number(data.id), encoded(token))),
                getConferenceJsonWithId(data), true, urlPrefix, token);
}

void CUCMApiManager::deleteConference(const QString &urlPrefix, const QString &token, const QString &nId)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token) << "id: " << nId;
    if (token.trimmed().isEmpty())
        return;
    sendAndWait(OpConferenceDelete, "DELETE",
                makeUrl(kConferenceUrl.arg(urlPrefix, encoded(nId), encoded(token))), {}, false, urlPrefix,
                token);
}

void CUCMApiManager::terminateConference(const QString &urlPrefix, const QString &token, const QString &nId)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token) << "id: " << nId;
    if (token.trimmed().isEmpty())
        return;
    sendAndWait(OpConferenceTerminate, "PUT",
                makeUrl(kConferenceControlUrl.arg(urlPrefix, encoded(nId), QStringLiteral("terminate"),
                                                  encoded(token))),
                QByteArray(), false, urlPrefix, token);
}

void CUCMApiManager::getParticipants(const QString &urlPrefix, const QString &token, const QString &meetingId)
{
    qInfo() << RJ_FUNCTION << "Ip: " << urlPrefix << "token: " << maskedToken(token) << "meetingId: " << meetingId;
    if (token.trimmed().isEmpty())
        return;
    sendAndWait(OpParticipants, "GET",
                makeUrl(kParticipantsUrl.arg(urlPrefix, encoded(meetingId), encoded(token))), {}, false,
                urlPrefix, token);
}

void CUCMApiManager::sendAndWait(Operation op, const QByteArray &verb, const QUrl &url, const QByteArray &body,
                                 bool jsonBody, const QString &urlPrefix, const QString &token)
{
    m_urlPrefix = urlPrefix;
    m_token = token;
    bool *busy = busyFlag(op);
    if (busy)
        *busy = true;

    QNetworkRequest request(url);
#ifndef QT_NO_SSL
    QSslConfiguration ssl = request.sslConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
    request.setSslConfiguration(ssl);
#endif
    request.setHeader(QNetworkRequest::ContentTypeHeader, kContentType);
    if (jsonBody)
        request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());

    QNetworkAccessManager *manager = m_managers[op];
    QNetworkReply *sent = nullptr;
    if (verb == "GET")
        sent = manager->get(request);
    else if (verb == "POST")
        sent = manager->post(request, body);
    else if (verb == "PUT")
        sent = manager->put(request, body);
    else
        sent = manager->deleteResource(request);
    sent->setProperty(kPrefixProperty, urlPrefix);
    sent->setProperty(kTokenProperty, token);
    // What has arrived is counted, not what progress reports: those reports
    // are throttled, and the last one comes when the reply can no longer be
    // aborted.
    const auto limitAnswer = [sent, limit = m_llAnswerLimit] {
        const QVariant length = sent->header(QNetworkRequest::ContentLengthHeader);
        if (sent->bytesAvailable() > limit || (length.isValid() && length.toLongLong() > limit)) {
            sent->setProperty(kTooLargeProperty, true);
            sent->abort();
        }
    };
    connect(sent, &QNetworkReply::metaDataChanged, sent, limitAnswer);
    connect(sent, &QNetworkReply::readyRead, sent, limitAnswer);

    // The loop below runs other events: this object, or the reply, may be
    // gone when it returns.
    QPointer<CUCMApiManager> self(this);
    QPointer<QNetworkReply> reply(sent);

    // A timer of this request's own: a nested request of the same kind must
    // not stop or restart it.
    QTimer timer;
    timer.setSingleShot(true);
    QEventLoop loop;
    bool timerFired = false;
    connect(&timer, &QTimer::timeout, &loop, [&timerFired, &loop] {
        timerFired = true;
        loop.quit();
    });
    connect(sent, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(sent, &QObject::destroyed, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    timer.start(m_requestTimeoutMs);
    if (!sent->isFinished())
        loop.exec();

    if (!self)
        return;
    if (op == OpParticipants)
        qDebug() << RJ_FUNCTION << "timer is active" << timer.isActive();
    if (timerFired && reply && !reply->isFinished()) {
        qWarning() << RJ_FUNCTION << "timeout";
        reply->setProperty(kTimedOutProperty, m_requestTimeoutMs);
        reply->abort();   // its answer slot reports the server unreachable
        reply->deleteLater();
    } else {
        timer.stop();
    }
    if (busy)
        *busy = false;
}

// ---- answers ----

bool CUCMApiManager::readAnswer(Operation op, QNetworkReply *reply, bool listAnswer, QJsonValue *answer)
{
    if (reply->property(kTooLargeProperty).toBool() || reply->bytesAvailable() > m_llAnswerLimit) {
        reportUnreachable(op, QStringLiteral("answer larger than %1 bytes refused").arg(m_llAnswerLimit));
        return false;
    }
    const QNetworkReply::NetworkError networkError = reply->error();
    if (networkError == QNetworkReply::OperationCanceledError) {
        const QVariant waited = reply->property(kTimedOutProperty);
        // Cancelled otherwise (the client going away): nobody waits for it.
        if (waited.isValid())
            reportUnreachable(op, QStringLiteral("no answer within %1 ms").arg(waited.toInt()));
        return false;
    }

    const int httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // No HTTP answer at all: refused, no route, TLS handshake, closed early.
    // The enum name, never errorString(): that one carries the URL and with
    // it the token.
    if (httpStatus == 0 && networkError != QNetworkReply::NoError) {
        const char *name = QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(networkError);
        reportUnreachable(op, name ? QString::fromLatin1(name) : QString::number(int(networkError)));
        return false;
    }
    const bool httpError = httpStatus >= 400;
    // The reason phrase, never errorString(), for the same reason.
    const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();

    QJsonParseError parseError;
    const QByteArray body = reply->readAll();
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    // The one shape check of every answer: an object where one is due, an
    // array for a list. Anything else that the server calls a success (an
    // empty body, a bare number or text, the other container) is an error
    // the person hears of, never a quiet nothing.
    if (!httpError) {
        const bool wrongShape = body.trimmed().isEmpty() || isJsonScalar(body)
                                || (doc.isArray() && !listAnswer)
                                || (doc.isObject() && listAnswer && !doc.object().contains(QLatin1String("errorCode"))
                                    && doc.object().value(QLatin1String("errorInfo")).toString().isEmpty());
        if (wrongShape) {
            qWarning() << RJ_FUNCTION << "answer of the wrong shape, http status" << httpStatus << "bytes"
                       << body.size();
            reportUnreadable(op, httpStatus);
            return false;
        }
    }
    if (parseError.error != QJsonParseError::NoError) {
        qWarning() << RJ_FUNCTION << "jsonData error" << parseError.errorString() << "http status" << httpStatus
                   << "network error" << networkError;
        // A failed HTTP answer is an error even without a readable body; the
        // caller must not take it for a quiet success.
        if (httpError)
            sendApiError(op, httpStatus, reason);
        // An empty success (204 to a change) is an answer; an empty list, or
        // a body that is not JSON, is not.
        else if (!body.isEmpty() || listAnswer)
            reportUnreachable(op, QStringLiteral("unreadable answer (http status %1): %2")
                                      .arg(httpStatus)
                                      .arg(parseError.errorString()));
        return false;
    }

    if (doc.isObject()) {
        const QJsonObject obj = doc.object();
        const bool hasCode = obj.contains(QLatin1String("errorCode"));
        if (hasCode || listAnswer || httpError) {
            const int code = hasCode ? obj.value(QLatin1String("errorCode")).toInt(0) : (httpError ? httpStatus : 0);
            QString info = obj.value(QLatin1String("errorInfo")).toString();
            if (!hasCode && httpError && info.isEmpty())
                info = reason;
            qWarning().nospace() << RJ_FUNCTION << " errorCode: " << code << ", errorInfo: " << info;
            sendApiError(op, code, info);
            return false;
        }
        *answer = obj;
        return true;
    }

    if (httpError) {
        qWarning().nospace() << RJ_FUNCTION << " errorCode: " << httpStatus << ", errorInfo: " << reason;
        sendApiError(op, httpStatus, reason);
        return false;
    }
    *answer = doc.isArray() ? QJsonValue(doc.array()) : QJsonValue();
    return true;
}

void CUCMApiManager::handleObjectAnswer(Operation op, QNetworkReply *reply)
{
    QJsonValue answer;
    if (readAnswer(op, reply, false, &answer) && answer.isObject()) {
        const QJsonObject obj = answer.toObject();
        const QString prefix = reply->property(kPrefixProperty).toString();
        if (op == OpUser) {
            m_currentUser = ucmuserData::fromJson(obj, prefix);
            for (ucmuserData &user : m_users) {
                if (user == m_currentUser) {
                    user = m_currentUser;
                    break;
                }
            }
        } else if (op == OpContactPost) {
            m_addedContact = ucmcontactData::fromJson(obj, prefix);
            m_contacts.append(m_addedContact);
        }
        emitSucceeded(op);
    }
    reply->deleteLater();
}

void CUCMApiManager::handleListAnswer(Operation op, QNetworkReply *reply)
{
    QJsonValue answer;
    bool usable = readAnswer(op, reply, true, &answer) && answer.isArray();
    if (usable && answer.toArray().size() > m_iRecordLimit) {
        reportUnreachable(op, QStringLiteral("list of %1 entries refused, at most %2")
                                  .arg(answer.toArray().size())
                                  .arg(m_iRecordLimit));
        usable = false;
    }
    if (usable) {
        const QJsonArray array = answer.toArray();
        const QString prefix = reply->property(kPrefixProperty).toString();
        const QString token = reply->property(kTokenProperty).toString();
        switch (op) {
        case OpUsers:
            m_users.clear();
            break;
        case OpContacts:
            m_contacts.clear();
            break;
        case OpConferences:
            m_conferences.clear();
            break;
        case OpParticipants:
            m_participants.clear();
            break;
        default:
            break;
        }
        for (const QJsonValue &element : array) {
            if (!element.isObject())
                continue;
            const QJsonObject obj = element.toObject();
            switch (op) {
            case OpUsers:
                m_users.append(ucmuserData::fromJson(obj, prefix));
                break;
            case OpContacts:
                m_contacts.append(ucmcontactData::fromJson(obj, prefix));
                break;
            case OpConferences:
                m_conferences.append(ucmconferenceData::fromJson(obj));
                break;
            case OpParticipants:
                m_participants.append(ucmparticipantData::fromJson(obj, prefix, token));
                break;
            default:
                break;
            }
        }
        emitSucceeded(op);
    } else {
        const char *failed = op == OpUsers           ? "signal_getUsers_failed"
                             : op == OpContacts      ? "signal_getContacts_failed"
                             : op == OpConferences   ? "signal_getConferences_failed"
                                                     : nullptr;
        if (failed)
            QMetaObject::invokeMethod(this, failed, Qt::QueuedConnection);
    }
    reply->deleteLater();
}

void CUCMApiManager::emitSucceeded(Operation op)
{
    QMetaObject::invokeMethod(this, kSucceedSignals[op], Qt::QueuedConnection);
}

void CUCMApiManager::sendApiError(Operation op, int code, const QString &info)
{
    const QString text = m_errorInfoMap.value(code, info + QStringLiteral("(%1)"));
    QMetaObject::invokeMethod(
        this, [this, code, text, background = isBackgroundRefresh(op)] {
            emit signal_ucmapi_error(code, text, background);
        },
        Qt::QueuedConnection);
}

// Qt's reader takes only an object or an array as a document.
bool CUCMApiManager::isJsonScalar(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument wrapped = QJsonDocument::fromJson("[" + body + "]", &error);
    return error.error == QJsonParseError::NoError && wrapped.array().size() == 1 && !wrapped.array().at(0).isArray()
           && !wrapped.array().at(0).isObject();
}

void CUCMApiManager::reportUnreadable(Operation op, int httpStatus)
{
    const QString text = tr("The server's answer could not be read.");
    QMetaObject::invokeMethod(
        this, [this, httpStatus, text, background = isBackgroundRefresh(op)] {
            emit signal_ucmapi_error(httpStatus, text, background);
        },
        Qt::QueuedConnection);
}

void CUCMApiManager::reportUnreachable(Operation op, const QString &reason)
{
    qWarning().noquote() << RJ_FUNCTION << "server unreachable:" << reason;
    QMetaObject::invokeMethod(
        this, [this, background = isBackgroundRefresh(op)] { emit signal_ucmapi_unreachable(background); },
        Qt::QueuedConnection);
}

bool CUCMApiManager::isBackgroundRefresh(Operation op)
{
    return op == OpUsers || op == OpContacts || op == OpConferences || op == OpParticipants;
}

void CUCMApiManager::slot_ReplyFinished_users(QNetworkReply *reply)
{
    handleListAnswer(OpUsers, reply);
}

void CUCMApiManager::slot_ReplyFinished_user(QNetworkReply *reply)
{
    handleObjectAnswer(OpUser, reply);
}

void CUCMApiManager::slot_ReplyFinished_contacts(QNetworkReply *reply)
{
    handleListAnswer(OpContacts, reply);
}

void CUCMApiManager::slot_ReplyFinished_contactPost(QNetworkReply *reply)
{
    handleObjectAnswer(OpContactPost, reply);
}

void CUCMApiManager::slot_ReplyFinished_contactDelete(QNetworkReply *reply)
{
    handleObjectAnswer(OpContactDelete, reply);
}

void CUCMApiManager::slot_ReplyFinished_conferences(QNetworkReply *reply)
{
    handleListAnswer(OpConferences, reply);
}

void CUCMApiManager::slot_ReplyFinished_conferencePost(QNetworkReply *reply)
{
    handleObjectAnswer(OpConferencePost, reply);
}

void CUCMApiManager::slot_ReplyFinished_conferencePut(QNetworkReply *reply)
{
    handleObjectAnswer(OpConferencePut, reply);
}

void CUCMApiManager::slot_ReplyFinished_conferenceDelete(QNetworkReply *reply)
{
    handleObjectAnswer(OpConferenceDelete, reply);
}

void CUCMApiManager::slot_ReplyFinished_conferenceTerminate(QNetworkReply *reply)
{
    handleObjectAnswer(OpConferenceTerminate, reply);
}

void CUCMApiManager::slot_ReplyFinished_participants(QNetworkReply *reply)
{
    handleListAnswer(OpParticipants, reply);
}

void CUCMApiManager::slotOnLanguageChanged()
{
    updateErrorInfoMap();
}

void CUCMApiManager::updateErrorInfoMap()
{
    QMap<int, QString> map;
    map.insert(1000, tr("Unsupported API version(%1)."));
    map.insert(1010, tr("Invalid token(%1)."));
    map.insert(1020, tr("Invalid parameter(%1)."));
    map.insert(1021, tr("The parameter exceeds the setting range(%1)."));
    map.insert(1030, tr("Invalid media type, only \"application/json\" is supported(%1)."));
    map.insert(1040, tr("You don't have permission to perform this operation(%1)."));
    map.insert(1050, tr("Misspelling of the field name in the JSON string(%1)."));
    map.insert(1999, tr("Internal error(%1)."));
    map.insert(3010, tr("Meeting does not exist(%1)."));
    map.insert(3040, tr("The meeting is being initiated or in progress(%1)."));
    map.insert(3070, tr("The meeting has ended or has been deleted(%1)."));
    m_errorInfoMap = map;
}

bool *CUCMApiManager::busyFlag(Operation op)
{
    switch (op) {
    case OpUsers:
        return &m_bUsersBusy;
    case OpContacts:
        return &m_bContactsBusy;
    case OpConferences:
        return &m_bConferencesBusy;
    default:
        return nullptr;
    }
}

// ---- kept data ----

const QList<ucmuserData> &CUCMApiManager::getSavedUsers() const
{
    return m_users;
}

const QList<ucmcontactData> &CUCMApiManager::getSavedContacts() const
{
    return m_contacts;
}

const QList<ucmconferenceData> &CUCMApiManager::getSavedConferences() const
{
    return m_conferences;
}

const QList<ucmparticipantData> &CUCMApiManager::getSavedParticipants() const
{
    return m_participants;
}

const ucmuserData &CUCMApiManager::getCurrentUser() const
{
    return m_currentUser;
}

const ucmcontactData &CUCMApiManager::getAddedContact() const
{
    return m_addedContact;
}

const QString &CUCMApiManager::getDeletingContactId() const
{
    return m_deletingContactId;
}

void CUCMApiManager::removeContact(const int &userId)
{
    for (int i = 0; i < m_contacts.size(); ++i) {
        if (m_contacts.at(i).userId == userId) {
            m_contacts.removeAt(i);
            return;
        }
    }
}

void CUCMApiManager::clearSavedUsers()
{
    m_users.clear();
}

void CUCMApiManager::clearSavedContacts()
{
    m_contacts.clear();
}

void CUCMApiManager::setAnswerLimits(qint64 maxBytes, int maxRecords)
{
    m_llAnswerLimit = maxBytes;
    m_iRecordLimit = maxRecords;
}

void CUCMApiManager::setRequestTimeout(int ms)
{
    m_requestTimeoutMs = ms;
}

int CUCMApiManager::requestTimeout() const
{
    return m_requestTimeoutMs;
}

// ---- request bodies ----

namespace {

QJsonObject conferenceObject(const ucmconferenceReqData &data)
{
    QJsonObject obj;
    obj.insert(QStringLiteral("name"), data.name);
    obj.insert(QStringLiteral("startTime"), data.startTime);
    obj.insert(QStringLiteral("duration"), data.duration);
    obj.insert(QStringLiteral("confPassword"), data.confPassword);
    obj.insert(QStringLiteral("remarks"), data.remarks);
    QJsonArray userIds;
    for (int id : data.userIds)
        userIds.append(id);
    obj.insert(QStringLiteral("userIds"), userIds);
    return obj;
}

} // namespace

QByteArray CUCMApiManager::getConferenceJson(const ucmconferenceReqData &data)
{
    return QJsonDocument(conferenceObject(data)).toJson();
}

QByteArray CUCMApiManager::getConferenceJsonWithId(const ucmconferenceReqData &data)
{
    QJsonObject obj = conferenceObject(data);
    obj.insert(QStringLiteral("id"), data.id);
    obj.insert(QStringLiteral("numericId"), data.numericId);
    return QJsonDocument(obj).toJson();
}

QByteArray CUCMApiManager::getContactJson(int userId)
{
    QJsonObject obj;
    obj.insert(QStringLiteral("id"), -1);
    obj.insert(QStringLiteral("name"), QString());
    obj.insert(QStringLiteral("userId"), userId);
    obj.insert(QStringLiteral("email"), QString());
    obj.insert(QStringLiteral("telephone"), QString());
    obj.insert(QStringLiteral("cellphone"), QString());
    return QJsonDocument(obj).toJson();
}

} // namespace rj_app::models
