#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <mutex>
#include <optional>

namespace devserver {

// The answer of one operation: a JSON value, or an error in the form the
// client's REST caller reads ("errorCode" / "errorInfo").
struct Reply
{
    QJsonValue value;
    int errorCode = 0;
    QString errorInfo;

    static Reply ok(const QJsonValue &value) { return {value, 0, {}}; }
    static Reply error(int code, const QString &info) { return {{}, code, info}; }
    bool isError() const { return errorCode != 0; }
};

// Error codes the client's prompt table knows.
namespace errors {
inline constexpr int kInvalidToken = 1010;
inline constexpr int kInvalidParameter = 1020;
inline constexpr int kInvalidMediaType = 1030;
inline constexpr int kNoPermission = 1040;
inline constexpr int kMeetingNotFound = 3010;
inline constexpr int kMeetingRunning = 3040;
inline constexpr int kMeetingEnded = 3070;
} // namespace errors

// The demo world as the management server knows it: the directory, personal
// contacts and meetings. All state sits behind one mutex, so every member may
// be called from any of the HTTP threads at once. Changes live as long as the
// object.
class DemoWorld
{
public:
    using Clock = std::function<qint64()>; // milliseconds since the epoch

    // The world as it stands at `clock()`; ongoing meetings started shortly
    // before, the scheduled one tomorrow at 10:00 local time.
    explicit DemoWorld(Clock clock = {});

    // The user a login token belongs to: "sim-<user>-<digits>" for an account
    // that can sign in.
    std::optional<int> userForToken(const QString &token) const;

    // Directory.
    Reply users() const;
    Reply user(const QString &id) const;
    // Whether the user has a picture (one of the directory has none).
    bool hasAvatar(int userId) const;

    // The caller's own record, the only one a caller may change; an error for
    // another user, an unknown one or an id that is not a number.
    Reply ownProfile(int caller, const QString &id) const;
    // Sets the caller's "displayName"; answers the changed record.
    Reply renameUser(int caller, const QString &id, const QJsonObject &request);
    // The caller's picture was replaced: its address changes, so that clients
    // that keep pictures by address fetch it again. Answers the record.
    Reply pictureReplaced(int caller, const QString &id);

    // Personal contacts of the caller; the first is the caller's own entry.
    Reply contacts(int caller) const;
    Reply addContact(int caller, const QJsonObject &request);
    Reply deleteContact(int caller, const QString &contactId);

    // Meetings the caller owns or is invited to.
    Reply meetings(int caller) const;
    Reply meeting(int caller, const QString &id) const;
    Reply createMeeting(int caller, const QJsonObject &request);
    Reply editMeeting(int caller, const QString &id, const QJsonObject &request);
    Reply deleteMeeting(int caller, const QString &id);
    Reply controlMeeting(int caller, const QString &id, const QString &action);
    // By the number that is dialled, or else by record id.
    Reply participants(const QString &meeting) const;

    // The whiteboard token of a call in a meeting.
    Reply acsToken(int caller, const QString &confNumericId, const QString &deviceId);

    // Number of users in the directory.
    int userCount() const;

private:
    struct User
    {
        int id = 0;
        QString name; // login name
        QString displayName;
        QString callNumber;
        QString vmr;
        QString email;
        QString dept;
        bool canSignIn = false;
        bool mustChangePassword = false;
        bool hasAvatar = true;
        bool audioOnly = false; // joins meetings without video
        qint64 modifiedAt = 0;  // ms since the epoch
        int pictureVersion = 0; // replaced pictures so far
    };
    struct Contact
    {
        int id = 0;
        int ownerId = 0;
        int userId = 0;
    };
    struct Meeting
    {
        int id = 0;
        int numericId = 0;
        QString name;
        qint64 startTime = 0;
        qint64 duration = 0;
        QString password;
        QString remarks;
        int applicantId = 0;
        QList<int> users;
        bool fixedRoom = false;
        bool audioOnly = false;
        bool running = false; // started at seeding; ends on "terminate"
    };

    void seedDirectory();
    void seedContacts();
    void seedMeetings();

    const User *findUser(int id) const;
    User *findUser(int id);
    // The user `id` names when the caller may change that record; else the
    // error.
    Reply checkOwnProfile(int caller, const QString &id, int *userId) const;
    const User *findUserByName(const QString &name) const;
    int meetingIndex(const QString &id) const; // -1: none
    bool canSee(const Meeting &m, int caller) const;
    bool isOngoing(const Meeting &m) const;
    QString statusOf(const Meeting &m) const;
    // Reads the editable fields of a meeting request into m; an error when a
    // field is missing or out of range.
    Reply readMeetingRequest(const QJsonObject &request, Meeting *m) const;

    QJsonObject userJson(const User &u) const;
    QJsonObject userRefJson(int id) const;
    QJsonObject contactJson(const Contact &c) const;
    QJsonObject meetingJson(const Meeting &m) const;
    QString imagePath(const User &u) const;

    Clock m_clock;
    qint64 m_startedAt = 0;
    mutable std::mutex m_mutex;
    QList<User> m_users;
    QList<Contact> m_contacts;
    QList<Meeting> m_meetings;
    int m_nextContactId = 1;
    int m_nextMeetingId = 1;
    int m_nextNumericId = 1101;
    int m_acsCounter = 0;
};

} // namespace devserver
