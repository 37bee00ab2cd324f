#pragma once

// What the management server's REST interface returns (users, personal
// contacts, meetings, meeting participants) and the meeting request the
// meetings tab builds. Plain values; the list models carry users and
// contacts in QVariants under the meta type names "ucmuserData" and
// "ucmcontactData", which is why these live in the global namespace.
//
// Filling a record from JSON never fails: a missing member, or one of the
// wrong JSON type, leaves the field at its default (0, false, empty).

#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

// One entry of the user directory.
struct ucmuserData
{
    int id = 0;
    QString name;
    QString password;
    QString displayName;
    QString email;
    QString telephone;
    QString cellphone;
    QString description;
    QString callNumber;
    QString imageURL;              // the server's base URL followed by the picture path
    unsigned int lastModifiedTime = 0;
    bool systemmanager = false;
    QString vmr;
    QString sipUserName;
    QString sipAuthName;
    QString sipPassword;
    int status = 0;
    bool passwordModifiedByUser = false;
    int company = 0;
    QString companyShortName;
    int endpointId = 0;

    // urlPrefix: the base URL of the server that sent the object.
    static ucmuserData fromJson(const QJsonObject &obj, const QString &urlPrefix);

    // The same user: a single-user answer updates the directory entry by id.
    bool operator==(const ucmuserData &other) const { return id == other.id; }
    bool operator!=(const ucmuserData &other) const { return !(*this == other); }
};

// One personal contact.
struct ucmcontactData
{
    int id = 0;
    QString name;
    int ownerId = 0;
    QString email;
    QString telephone;
    QString cellphone;
    int userId = 0;
    unsigned int lastModifiedTime = 0;
    QString userName;
    QString h323ConfNumber;
    QString sipConfNumber;
    QString pstn;
    QString callNumber;
    QString imageURL;              // the server's base URL followed by the picture path
    QString status;

    static ucmcontactData fromJson(const QJsonObject &obj, const QString &urlPrefix);

    // The same directory user: contacts are removed by user id.
    bool operator==(const ucmcontactData &other) const { return userId == other.userId; }
    bool operator!=(const ucmcontactData &other) const { return !(*this == other); }
};

// One meeting of the meeting list.
struct ucmconferenceData
{
    int id = 0;
    QString name;
    qint64 startTime = 0;          // milliseconds since the epoch
    int duration = 0;
    int numericId = 0;             // the meeting number that is dialled
    QString confPassword;
    QString remarks;
    QString status;
    QList<int> users;              // ids of the invited users
    int applicantId = 0;
    QString applicantName;
    QString applicantDisplayName;

    static ucmconferenceData fromJson(const QJsonObject &obj);
};

// One entry of a meeting's simple participant list.
struct ucmparticipantData
{
    int userId = 0;
    QString name;
    bool videoMode = false;
    QString avatarUrl;             // built from base URL, user id and login token
    QString sipUserName;
    bool halfDuplex = false;
    qint64 userLastModifiedTime = 0;

    static ucmparticipantData fromJson(const QJsonObject &obj, const QString &urlPrefix,
                                       const QString &token);
};

// The create or update request for a meeting.
struct ucmconferenceReqData
{
    QString name;
    qint64 startTime = 0;          // milliseconds since the epoch
    qint64 duration = 0;
    QString confPassword;
    QString remarks;
    QList<int> userIds;
    int id = 0;                    // update only
    int numericId = 0;             // update only
};

Q_DECLARE_METATYPE(ucmuserData)
Q_DECLARE_METATYPE(ucmcontactData)
