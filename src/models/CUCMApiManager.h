#pragma once

#include "models/UcmRecords.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

namespace rj_app::models {

// The client's caller of the management server's REST interface for users,
// personal contacts, meetings and meeting participants. GUI thread only.
//
// Every operation sends one request and waits for it inside the call, in a
// local event loop, for at most requestTimeout() ms (5000 by default); a
// request that is not answered by then is aborted.
// The answer is parsed into the kept lists and records, and the outcome is
// announced by a queued signal, so receivers never run on the operation's
// stack: one success signal per operation, signal_ucmapi_error for an error
// the server reports, or signal_ucmapi_unreachable when no readable answer
// came (refused, TLS failure, time-out, an answer that is not JSON); the
// reason goes to the log. A list request that fails either way also emits its
// _failed signal, so the list can say that it could not be loaded.
//
// The list requests (users, contacts, meetings, participants) are the
// background refreshes; every other request is something a person asked for.
// The error and unreachable signals carry which kind of request failed.
//
// Nothing is sent while the token (trimmed) is empty. getUsers, getContacts
// and getConferences send nothing while a request of their own kind waits.
//
// Re-entry: while an operation waits, other events run (timers, clicks,
// queued signals) and may start further requests, including one of the same
// kind for the other operations. Each request has its own timer and loop and
// its answer is parsed as soon as it arrives; a caller whose request finished
// while a later, nested one still waits returns when the nested one ends
// (after at most its own time-out). The object may be destroyed while a
// request waits: the waiting call then returns without touching it.
class CUCMApiManager : public QObject
{
    Q_OBJECT
public:
    static CUCMApiManager *getInstance();

    // The application uses getInstance(); tests build their own.
    explicit CUCMApiManager(QObject *parent = nullptr);
    ~CUCMApiManager() override;

    void getUsers(const QString &urlPrefix, const QString &token);
    void getUser(const QString &urlPrefix, const QString &token, const QString &userId);
    void getContacts(const QString &urlPrefix, const QString &token);
    void postContact(const QString &urlPrefix, const QString &token, int userId);
    // Deletes the contact with id nId; userId (the contact's directory user)
    // is kept for getDeletingContactId, which the contacts tab hands to
    // removeContact once the server confirmed.
    void deleteContact(const QString &urlPrefix, const QString &token, const QString &nId,
                       const QString &userId);
    void getConferences(const QString &urlPrefix, const QString &token);
    void postConference(const QString &urlPrefix, const QString &token, const ucmconferenceReqData &data);
    void putConference(const QString &urlPrefix, const QString &token, const ucmconferenceReqData &data);
    void deleteConference(const QString &urlPrefix, const QString &token, const QString &nId);
    void terminateConference(const QString &urlPrefix, const QString &token, const QString &nId);
    void getParticipants(const QString &urlPrefix, const QString &token, const QString &meetingId);

    const QList<ucmuserData> &getSavedUsers() const;
    const QList<ucmcontactData> &getSavedContacts() const;
    const QList<ucmconferenceData> &getSavedConferences() const;
    const QList<ucmparticipantData> &getSavedParticipants() const;
    const ucmuserData &getCurrentUser() const;
    const ucmcontactData &getAddedContact() const;
    const QString &getDeletingContactId() const;

    // Removes the first kept contact whose userId equals the argument.
    void removeContact(const int &userId);
    void clearSavedUsers();
    void clearSavedContacts();

    // Request bodies.
    static QByteArray getConferenceJson(const ucmconferenceReqData &data);
    static QByteArray getConferenceJsonWithId(const ucmconferenceReqData &data);
    static QByteArray getContactJson(int userId);

    // The wait per request; tests shorten it.
    void setRequestTimeout(int ms);
    int requestTimeout() const;

    // An answer past the byte limit, or a list of more records than the
    // record limit, is refused like an unreadable one: logged and reported
    // as unreachable, the kept data unchanged. The defaults hold the
    // directory of a large organisation (a few hundred bytes a user); a
    // hostile answer of empty objects would otherwise become millions of
    // records.
    static constexpr qint64 m_iMaxAnswerBytes = 128 * 1024 * 1024;
    static constexpr int m_iMaxListRecords = 250000;
    // Tests lower them.
    void setAnswerLimits(qint64 maxBytes, int maxRecords);

signals:
    void signal_getUsers_succeed();
    void signal_getUser_succeed();
    void signal_getContacts_succeed();
    void signal_addContact_succeed();
    void signal_deleteContact_succeed();
    void signal_getConferences_succeed();
    void signal_addConference_succeed();
    void signal_putConference_succeed();
    void signal_deleteConference_succeed();
    void signal_terminateConference_succeed();
    void signal_getParticipants_succeed();
    // errorInfo still holds "%1"; the receiver puts the code there.
    // background: the request that failed was a background refresh.
    void signal_ucmapi_error(int errorCode, QString errorInfo, bool background = false);
    // The server did not answer readably; the reason is in the log.
    void signal_ucmapi_unreachable(bool background = false);
    // The last refresh of the list failed; the kept list is unchanged.
    void signal_getUsers_failed();
    void signal_getContacts_failed();
    void signal_getConferences_failed();

private slots:
    void slot_ReplyFinished_users(QNetworkReply *reply);
    void slot_ReplyFinished_user(QNetworkReply *reply);
    void slot_ReplyFinished_contacts(QNetworkReply *reply);
    void slot_ReplyFinished_contactPost(QNetworkReply *reply);
    void slot_ReplyFinished_contactDelete(QNetworkReply *reply);
    void slot_ReplyFinished_conferences(QNetworkReply *reply);
    void slot_ReplyFinished_conferencePost(QNetworkReply *reply);
    void slot_ReplyFinished_conferencePut(QNetworkReply *reply);
    void slot_ReplyFinished_conferenceDelete(QNetworkReply *reply);
    void slot_ReplyFinished_conferenceTerminate(QNetworkReply *reply);
    void slot_ReplyFinished_participants(QNetworkReply *reply);
    void slotOnLanguageChanged();

private:
    enum Operation : int {
        OpUsers = 0,
        OpUser,
        OpContacts,
        OpContactPost,
        OpContactDelete,
        OpConferences,
        OpConferencePost,
        OpConferencePut,
        OpConferenceDelete,
        OpConferenceTerminate,
        OpParticipants,
        OpCount
    };

    // Sends the request through the operation's manager and waits for it.
    void sendAndWait(Operation op, const QByteArray &verb, const QUrl &url, const QByteArray &body,
                     bool jsonBody, const QString &urlPrefix, const QString &token);
    // The parsed answer of a finished reply; false when there is nothing to
    // act on (cancelled, unreadable or an error that was reported).
    bool readAnswer(Operation op, QNetworkReply *reply, bool listAnswer, QJsonValue *answer);
    void handleObjectAnswer(Operation op, QNetworkReply *reply);
    void handleListAnswer(Operation op, QNetworkReply *reply);
    void emitSucceeded(Operation op);
    void sendApiError(Operation op, int code, const QString &info);
    void reportUnreachable(Operation op, const QString &reason);
    // A success answer of the wrong shape; the text carries no code marker.
    void reportUnreadable(Operation op, int httpStatus);
    static bool isJsonScalar(const QByteArray &body);
    static bool isBackgroundRefresh(Operation op);
    void updateErrorInfoMap();
    bool *busyFlag(Operation op);

    QNetworkAccessManager *m_managers[OpCount] = {};
    int m_requestTimeoutMs = 5000;

    QList<ucmuserData> m_users;
    ucmuserData m_currentUser;
    QList<ucmcontactData> m_contacts;
    ucmcontactData m_addedContact;
    QString m_deletingContactId;
    QList<ucmconferenceData> m_conferences;
    QList<ucmparticipantData> m_participants;
    // Of the request sent last. Answers are parsed with the base URL and
    // token of their own request, which a nested request may have changed.
    QString m_urlPrefix;
    QString m_token;
    bool m_bUsersBusy = false;
    bool m_bContactsBusy = false;
    bool m_bConferencesBusy = false;
    QMap<int, QString> m_errorInfoMap;
    qint64 m_llAnswerLimit = m_iMaxAnswerBytes;
    int m_iRecordLimit = m_iMaxListRecords;
};

} // namespace rj_app::models
