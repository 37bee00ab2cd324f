#include "models/UcmRecords.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QVariant>

#include <cmath>
#include <limits>

namespace {

int toInt(const QJsonObject &obj, const char *key)
{
    return obj.value(QLatin1String(key)).toInt(0);
}

QString toText(const QJsonObject &obj, const char *key)
{
    return obj.value(QLatin1String(key)).toString();
}

bool toBool(const QJsonObject &obj, const char *key)
{
    return obj.value(QLatin1String(key)).toBool(false);
}

// Truncated toward zero; values beyond the 64-bit range saturate instead of
// being undefined.
qint64 toInt64(const QJsonObject &obj, const char *key)
{
    const double value = obj.value(QLatin1String(key)).toDouble(0);
    if (!std::isfinite(value))
        return 0;
    // 2^63 is exactly representable; anything at or above it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit)
        return std::numeric_limits<qint64>::max();
    if (value < -limit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::trunc(value));
}

unsigned int toUnsigned(const QJsonObject &obj, const char *key)
{
    return obj.value(QLatin1String(key)).toVariant().toUInt();
}

} // namespace

ucmuserData ucmuserData::fromJson(const QJsonObject &obj, const QString &urlPrefix)
{
    ucmuserData d;
    d.id = toInt(obj, "id");
    d.name = toText(obj, "name");
    d.password = toText(obj, "password");
    d.displayName = toText(obj, "displayName");
    d.email = toText(obj, "email");
    d.telephone = toText(obj, "telephone");
    d.cellphone = toText(obj, "cellphone");
    d.description = toText(obj, "description");
    d.callNumber = toText(obj, "callNumber");
    d.imageURL = urlPrefix + toText(obj, "imageURL");
    d.lastModifiedTime = toUnsigned(obj, "lastModifiedTime");
    d.systemmanager = toBool(obj, "systemmanager");
    d.vmr = toText(obj, "vmr");
    d.sipUserName = toText(obj, "sipUserName");
    d.sipAuthName = toText(obj, "sipAuthName");
    d.sipPassword = toText(obj, "sipPassword");
    d.status = toInt(obj, "status");
    d.passwordModifiedByUser = toBool(obj, "passwordModifiedByUser");
    d.company = toInt(obj, "company");
    d.companyShortName = toText(obj, "companyShortName");
    d.endpointId = toInt(obj, "endpointId");
    return d;
}

ucmcontactData ucmcontactData::fromJson(const QJsonObject &obj, const QString &urlPrefix)
{
    ucmcontactData d;
    d.id = toInt(obj, "id");
    d.name = toText(obj, "name");
    d.ownerId = toInt(obj, "ownerId");
    d.email = toText(obj, "email");
    d.telephone = toText(obj, "telephone");
    d.cellphone = toText(obj, "cellphone");
    d.userId = toInt(obj, "userId");
    d.lastModifiedTime = toUnsigned(obj, "lastModifiedTime");
    d.userName = toText(obj, "userName");
    d.h323ConfNumber = toText(obj, "h323ConfNumber");
    d.sipConfNumber = toText(obj, "sipConfNumber");
    d.pstn = toText(obj, "pstn");
    d.callNumber = toText(obj, "callNumber");
    d.imageURL = urlPrefix + toText(obj, "imageURL");
    d.status = toText(obj, "status");
    return d;
}

ucmconferenceData ucmconferenceData::fromJson(const QJsonObject &obj)
{
    ucmconferenceData d;
    d.id = toInt(obj, "id");
    d.name = toText(obj, "name");
    d.startTime = toInt64(obj, "startTime");
    d.duration = toInt(obj, "duration");
    d.numericId = toInt(obj, "numericId");
    d.confPassword = toText(obj, "confPassword");
    d.remarks = toText(obj, "remarks");
    d.status = toText(obj, "status");
    const QJsonArray users = obj.value(QLatin1String("users")).toArray();
    for (const QJsonValue &user : users) {
        if (user.isObject())
            d.users.append(toInt(user.toObject(), "id"));
    }
    const QJsonObject applicant = obj.value(QLatin1String("applicant")).toObject();
    d.applicantId = toInt(applicant, "id");
    d.applicantName = toText(applicant, "name");
    d.applicantDisplayName = toText(applicant, "displayName");
    return d;
}

ucmparticipantData ucmparticipantData::fromJson(const QJsonObject &obj, const QString &urlPrefix,
                                                const QString &token)
{
    ucmparticipantData d;
    d.userId = toInt(obj, "userId");
    d.name = toText(obj, "name");
    d.videoMode = toBool(obj, "videoMode");
    d.avatarUrl = QStringLiteral("%1/userFiles/avatar/%2.jpg?v=%3").arg(urlPrefix, QString::number(d.userId), token);
    d.sipUserName = toText(obj, "sipUserName");
    d.halfDuplex = toBool(obj, "halfDuplex");
    d.userLastModifiedTime = toInt64(obj, "userLastModifiedTime");
    return d;
}
