#include "DemoWorld.h"

#include "SimWorld.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>

namespace devserver {

namespace world = rjsim::world;

namespace {

constexpr qint64 kMinuteMs = 60 * 1000;
constexpr qint64 kHourMs = 60 * kMinuteMs;
constexpr qint64 kMaxDurationMs = 24 * kHourMs;
constexpr int kGeneratedUsers = 300;
constexpr int kGeneratedFirstId = 101;
constexpr int kGeneratedFirstNumber = 9001;
constexpr int kMaxNameLength = 128;
constexpr int kMaxPasswordLength = 32;
constexpr int kMaxRemarksLength = 2048;
constexpr int kMaxDisplayNameLength = 64; // what the engine accepts
const char kCompany[] = "Glimora Demo";
const char kMailDomain[] = "@glimora.test";
const char kEdgeAddress[] = "127.0.0.1";

// The people of the demo world who cannot sign in. The engine reports them
// with device ids 7000xx; their user ids are the last digits.
struct ExtraPerson
{
    const char *number;
    const char *login;
    const char *dept;
};
const ExtraPerson kExtraPeople[] = {
    {"8002", "dave", "Engineering"},
    {"8003", "erin", "Design"},
    {"8999", "busybee", "Support"},
    {"8998", "nobody", "Support"},
};
// The one user without a picture.
const char kNoAvatarNumber[] = "8998";

const char *const kGeneratedDepts[] = {"Operations", "Sales", "Engineering", "Finance", "Support"};

// Who hosts the meetings that no account that signs in owns, and who is
// invited to each meeting ("*": the whole directory). The host comes first.
struct MeetingCast
{
    const char *number;
    const char *host; // empty: the owner of the engine's table
    const char *invited;
    int startedMinutesAgo;
    int durationMinutes;
};
const MeetingCast kCasts[] = {
    {"8201001", "", "alice", 0, 0},
    {"1001", "", "alice carol dave", 10, 60},
    {"1002", "", "alice bob carol", 25, 60},
    {"1003", "dave", "*", 5, 90},
    {"1004", "erin", "erin alice bob", 15, 30},
    {"1005", "", "alice carol dave", 0, 60},
    {"1006", "dave", "dave alice carol erin", 20, 60},
    {"1007", "erin", "erin alice carol", 5, 45},
};

const MeetingCast *castOf(const QString &number)
{
    for (const MeetingCast &c : kCasts)
        if (number == QLatin1String(c.number))
            return &c;
    return nullptr;
}

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

// A positive decimal id, or nullopt.
std::optional<int> parseId(const QString &text)
{
    bool ok = false;
    const int id = text.toInt(&ok, 10);
    if (!ok || id <= 0 || text.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return id;
}

// A whole JSON number within the range, or nullopt.
std::optional<qint64> wholeNumber(const QJsonValue &value, double min, double max)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!std::isfinite(d) || std::floor(d) != d || d < min || d > max)
        return std::nullopt;
    return static_cast<qint64>(d);
}

QByteArray base64Url(const QJsonObject &obj)
{
    return QJsonDocument(obj).toJson(QJsonDocument::Compact).toBase64(QByteArray::Base64UrlEncoding
                                                                       | QByteArray::OmitTrailingEquals);
}

Reply invalid(const QString &what)
{
    return Reply::error(errors::kInvalidParameter, QStringLiteral("Invalid parameter: %1").arg(what));
}

Reply noPermission()
{
    return Reply::error(errors::kNoPermission, QStringLiteral("No permission"));
}

Reply notFound()
{
    return Reply::error(errors::kMeetingNotFound, QStringLiteral("Meeting does not exist"));
}

Reply inProgress()
{
    return Reply::error(errors::kMeetingRunning, QStringLiteral("The meeting is in progress"));
}

} // namespace

DemoWorld::DemoWorld(Clock clock)
    : m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentMSecsSinceEpoch(); }))
{
    m_startedAt = m_clock();
    seedDirectory();
    seedContacts();
    seedMeetings();
    for (User &u : m_users)
        u.modifiedAt = m_startedAt;
}

// ---- seeding ----

void DemoWorld::seedDirectory()
{
    for (const world::Account &a : world::kAccounts) {
        if (a.refusal != 0)
            continue; // never signs in, not in the directory
        User u;
        u.id = static_cast<int>(a.userId);
        u.name = text(a.user);
        u.displayName = text(a.displayName);
        u.callNumber = text(a.callNumber);
        u.vmr = text(a.vmr);
        u.email = text(a.email);
        u.dept = text(a.dept);
        u.canSignIn = true;
        u.mustChangePassword = a.mustChangePassword;
        m_users.append(u);
    }
    for (const world::Person &p : world::kPeople) {
        const QString number = text(p.number);
        const auto known = std::find_if(m_users.cbegin(), m_users.cend(),
                                        [&](const User &u) { return u.callNumber == number; });
        if (known != m_users.cend())
            continue; // Carol Wu signs in as well
        for (const ExtraPerson &extra : kExtraPeople) {
            if (number != QLatin1String(extra.number))
                continue;
            User u;
            u.id = static_cast<int>(p.deviceId % 100000);
            u.name = text(extra.login);
            u.displayName = text(p.name);
            u.callNumber = number;
            u.email = u.name + QLatin1String(kMailDomain);
            u.dept = text(extra.dept);
            u.hasAvatar = number != QLatin1String(kNoAvatarNumber);
            u.audioOnly = p.kind == world::PersonKind::AnswersAudio;
            m_users.append(u);
        }
    }
    for (int i = 0; i < kGeneratedUsers; ++i) {
        const QString serial = QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0'));
        User u;
        u.id = kGeneratedFirstId + i;
        u.name = QStringLiteral("user") + serial;
        u.displayName = QStringLiteral("User ") + serial;
        u.callNumber = QString::number(kGeneratedFirstNumber + i);
        u.email = u.name + QLatin1String(kMailDomain);
        u.dept = text(kGeneratedDepts[i % (sizeof(kGeneratedDepts) / sizeof(kGeneratedDepts[0]))]);
        m_users.append(u);
    }
}

void DemoWorld::seedContacts()
{
    // Everyone who signs in has the own entry first; alice also knows two
    // people.
    for (const User &u : m_users) {
        if (u.canSignIn)
            m_contacts.append({m_nextContactId++, u.id, u.id});
    }
    const User *alice = findUserByName(QStringLiteral("alice"));
    for (const char *number : {"8001", "8002"}) {
        for (const User &u : m_users) {
            if (alice && u.callNumber == QLatin1String(number))
                m_contacts.append({m_nextContactId++, alice->id, u.id});
        }
    }
}

void DemoWorld::seedMeetings()
{
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(m_startedAt);
    const qint64 minute = m_startedAt - m_startedAt % kMinuteMs;
    const qint64 tomorrowAtTen = QDateTime(now.date().addDays(1), QTime(10, 0)).toMSecsSinceEpoch();

    for (const world::Meeting &wm : world::kMeetings) {
        const QString number = text(wm.number);
        const MeetingCast *cast = castOf(number);
        Meeting m;
        m.id = m_nextMeetingId++;
        m.numericId = number.toInt();
        m.name = text(wm.name);
        m.password = text(wm.password);
        m.audioOnly = wm.kind == world::MeetingKind::AudioOnly;

        const auto roomOwner = std::find_if(m_users.cbegin(), m_users.cend(),
                                            [&](const User &u) { return u.vmr == number; });
        m.fixedRoom = roomOwner != m_users.cend();
        const QString host = cast && *cast->host ? text(cast->host) : text(wm.owner);
        const User *applicant = m.fixedRoom ? &*roomOwner : findUserByName(host);
        m.applicantId = applicant ? applicant->id : 0;

        if (m.fixedRoom) {
            m.startTime = 0;
            m.duration = 0;
        } else if (wm.kind == world::MeetingKind::NotActive) {
            m.startTime = tomorrowAtTen;
            m.duration = (cast ? cast->durationMinutes : 60) * kMinuteMs;
        } else {
            m.running = true;
            m.startTime = minute - (cast ? cast->startedMinutesAgo : 10) * kMinuteMs;
            m.duration = (cast ? cast->durationMinutes : 60) * kMinuteMs;
        }

        if (m.applicantId)
            m.users.append(m.applicantId);
        const QString invited = cast ? text(cast->invited) : QString();
        if (invited == QLatin1String("*")) {
            for (const User &u : m_users)
                if (!m.users.contains(u.id))
                    m.users.append(u.id);
        } else {
            for (const QString &login : invited.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const User *u = findUserByName(login);
                if (u && !m.users.contains(u->id))
                    m.users.append(u->id);
            }
        }
        m_meetings.append(m);
    }
}

// ---- lookups (lock held) ----

const DemoWorld::User *DemoWorld::findUser(int id) const
{
    for (const User &u : m_users)
        if (u.id == id)
            return &u;
    return nullptr;
}

DemoWorld::User *DemoWorld::findUser(int id)
{
    return const_cast<User *>(static_cast<const DemoWorld *>(this)->findUser(id));
}

const DemoWorld::User *DemoWorld::findUserByName(const QString &name) const
{
    for (const User &u : m_users)
        if (u.name == name)
            return &u;
    return nullptr;
}

int DemoWorld::meetingIndex(const QString &id) const
{
    const std::optional<int> n = parseId(id);
    if (!n)
        return -1;
    for (int i = 0; i < m_meetings.size(); ++i)
        if (m_meetings.at(i).id == *n)
            return i;
    return -1;
}

bool DemoWorld::canSee(const Meeting &m, int caller) const
{
    return m.applicantId == caller || m.users.contains(caller);
}

bool DemoWorld::isOngoing(const Meeting &m) const
{
    if (m.fixedRoom)
        return false;
    if (m.running)
        return true;
    const qint64 now = m_clock();
    return now >= m.startTime && now < m.startTime + m.duration;
}

QString DemoWorld::statusOf(const Meeting &m) const
{
    if (m.fixedRoom)
        return QStringLiteral("IDLE");
    if (isOngoing(m))
        return QStringLiteral("ONGOING");
    return m_clock() < m.startTime ? QStringLiteral("SCHEDULED") : QStringLiteral("FINISHED");
}

// ---- JSON ----

QString DemoWorld::imagePath(const User &u) const
{
    // A new picture gets a new address.
    QString version = QString::number(m_startedAt / 1000);
    if (u.pictureVersion > 0)
        version += QLatin1Char('-') + QString::number(u.pictureVersion);
    return QStringLiteral("/userFiles/avatar/%1.jpg?v=%2").arg(u.id).arg(version);
}

QJsonObject DemoWorld::userJson(const User &u) const
{
    return QJsonObject{
        {QStringLiteral("id"), u.id},
        {QStringLiteral("name"), u.name},
        {QStringLiteral("password"), QString()}, // never handed out
        {QStringLiteral("displayName"), u.displayName},
        {QStringLiteral("email"), u.email},
        {QStringLiteral("telephone"), QString()},
        {QStringLiteral("cellphone"), QString()},
        {QStringLiteral("description"), u.dept},
        {QStringLiteral("callNumber"), u.callNumber},
        {QStringLiteral("imageURL"), imagePath(u)},
        {QStringLiteral("lastModifiedTime"), static_cast<double>(u.modifiedAt / 1000)},
        {QStringLiteral("systemmanager"), false},
        {QStringLiteral("vmr"), u.vmr},
        {QStringLiteral("sipUserName"), u.callNumber},
        {QStringLiteral("sipAuthName"), u.callNumber},
        {QStringLiteral("sipPassword"), QString()},
        {QStringLiteral("status"), 1},
        {QStringLiteral("passwordModifiedByUser"), !u.mustChangePassword},
        {QStringLiteral("company"), 1},
        {QStringLiteral("companyShortName"), text(kCompany)},
        {QStringLiteral("endpointId"), 0},
    };
}

QJsonObject DemoWorld::userRefJson(int id) const
{
    const User *u = findUser(id);
    return QJsonObject{
        {QStringLiteral("id"), id},
        {QStringLiteral("name"), u ? u->name : QString()},
        {QStringLiteral("displayName"), u ? u->displayName : QString()},
    };
}

QJsonObject DemoWorld::contactJson(const Contact &c) const
{
    const User *u = findUser(c.userId);
    const User none;
    const User &user = u ? *u : none;
    return QJsonObject{
        {QStringLiteral("id"), c.id},
        {QStringLiteral("name"), user.displayName},
        {QStringLiteral("ownerId"), c.ownerId},
        {QStringLiteral("email"), user.email},
        {QStringLiteral("telephone"), QString()},
        {QStringLiteral("cellphone"), QString()},
        {QStringLiteral("userId"), c.userId},
        {QStringLiteral("lastModifiedTime"), static_cast<double>(qMax(m_startedAt, user.modifiedAt) / 1000)},
        {QStringLiteral("userName"), user.name},
        {QStringLiteral("h323ConfNumber"), QString()},
        {QStringLiteral("sipConfNumber"), user.callNumber},
        {QStringLiteral("pstn"), QString()},
        {QStringLiteral("callNumber"), user.callNumber},
        {QStringLiteral("imageURL"), u ? imagePath(user) : QString()},
        {QStringLiteral("status"), QStringLiteral("NORMAL")},
    };
}

QJsonObject DemoWorld::meetingJson(const Meeting &m) const
{
    QJsonArray users;
    for (int id : m.users)
        users.append(userRefJson(id));
    return QJsonObject{
        {QStringLiteral("id"), m.id},
        {QStringLiteral("name"), m.name},
        {QStringLiteral("startTime"), static_cast<double>(m.startTime)},
        {QStringLiteral("duration"), static_cast<double>(m.duration)},
        {QStringLiteral("numericId"), m.numericId},
        {QStringLiteral("confPassword"), m.password},
        {QStringLiteral("remarks"), m.remarks},
        {QStringLiteral("status"), statusOf(m)},
        {QStringLiteral("users"), users},
        {QStringLiteral("applicant"), userRefJson(m.applicantId)},
    };
}

// ---- tokens and directory ----

std::optional<int> DemoWorld::userForToken(const QString &token) const
{
    // "sim-<user>-<counter>", as the engine hands them out.
    static const QLatin1String prefix("sim-");
    const int dash = token.lastIndexOf(QLatin1Char('-'));
    if (!token.startsWith(prefix) || dash <= prefix.size() || dash == token.size() - 1)
        return std::nullopt;
    for (int i = dash + 1; i < token.size(); ++i)
        if (token.at(i) < QLatin1Char('0') || token.at(i) > QLatin1Char('9'))
            return std::nullopt;
    const QString name = token.mid(prefix.size(), dash - prefix.size());
    std::lock_guard<std::mutex> lock(m_mutex);
    const User *u = findUserByName(name);
    if (!u || !u->canSignIn)
        return std::nullopt;
    return u->id;
}

Reply DemoWorld::users() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QJsonArray list;
    for (const User &u : m_users)
        list.append(userJson(u));
    return Reply::ok(list);
}

Reply DemoWorld::user(const QString &id) const
{
    const std::optional<int> n = parseId(id);
    if (!n)
        return invalid(QStringLiteral("user id"));
    std::lock_guard<std::mutex> lock(m_mutex);
    const User *u = findUser(*n);
    if (!u)
        return invalid(QStringLiteral("no such user"));
    return Reply::ok(userJson(*u));
}

bool DemoWorld::hasAvatar(int userId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const User *u = findUser(userId);
    return u && u->hasAvatar;
}

Reply DemoWorld::checkOwnProfile(int caller, const QString &id, int *userId) const
{
    const std::optional<int> n = parseId(id);
    if (!n)
        return invalid(QStringLiteral("user id"));
    if (!findUser(*n))
        return invalid(QStringLiteral("no such user"));
    if (*n != caller)
        return noPermission();
    *userId = *n;
    return Reply::ok(QJsonValue());
}

Reply DemoWorld::ownProfile(int caller, const QString &id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int userId = 0;
    const Reply check = checkOwnProfile(caller, id, &userId);
    return check.isError() ? check : Reply::ok(userJson(*findUser(userId)));
}

Reply DemoWorld::renameUser(int caller, const QString &id, const QJsonObject &request)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int userId = 0;
    const Reply check = checkOwnProfile(caller, id, &userId);
    if (check.isError())
        return check;
    const QJsonValue value = request.value(QLatin1String("displayName"));
    const QString name = value.toString().trimmed();
    const bool control = std::any_of(name.cbegin(), name.cend(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    if (!value.isString() || name.isEmpty() || name.size() > kMaxDisplayNameLength || control)
        return invalid(QStringLiteral("displayName"));
    User *u = findUser(userId);
    u->displayName = name;
    u->modifiedAt = qMax(u->modifiedAt, m_clock());
    return Reply::ok(userJson(*u));
}

Reply DemoWorld::pictureReplaced(int caller, const QString &id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int userId = 0;
    const Reply check = checkOwnProfile(caller, id, &userId);
    if (check.isError())
        return check;
    User *u = findUser(userId);
    u->hasAvatar = true;
    ++u->pictureVersion;
    u->modifiedAt = qMax(u->modifiedAt, m_clock());
    return Reply::ok(userJson(*u));
}

int DemoWorld::userCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_users.size();
}

// ---- contacts ----

Reply DemoWorld::contacts(int caller) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QJsonArray list;
    // The own entry leads, as the contacts tab expects.
    for (const Contact &c : m_contacts)
        if (c.ownerId == caller && c.userId == caller)
            list.append(contactJson(c));
    for (const Contact &c : m_contacts)
        if (c.ownerId == caller && c.userId != caller)
            list.append(contactJson(c));
    return Reply::ok(list);
}

Reply DemoWorld::addContact(int caller, const QJsonObject &request)
{
    const std::optional<qint64> userId = wholeNumber(request.value(QLatin1String("userId")), 1, INT_MAX);
    if (!userId)
        return invalid(QStringLiteral("userId"));
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!findUser(static_cast<int>(*userId)))
        return invalid(QStringLiteral("no such user"));
    for (const Contact &c : m_contacts) {
        if (c.ownerId == caller && c.userId == *userId)
            return invalid(QStringLiteral("already a contact"));
    }
    const Contact added{m_nextContactId++, caller, static_cast<int>(*userId)};
    m_contacts.append(added);
    return Reply::ok(contactJson(added));
}

Reply DemoWorld::deleteContact(int caller, const QString &contactId)
{
    const std::optional<int> id = parseId(contactId);
    if (!id)
        return invalid(QStringLiteral("contact id"));
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int i = 0; i < m_contacts.size(); ++i) {
        const Contact &c = m_contacts.at(i);
        if (c.id != *id)
            continue;
        // The own entry stays; another owner's contacts are not the caller's.
        if (c.ownerId != caller || c.userId == caller)
            return noPermission();
        m_contacts.removeAt(i);
        return Reply::ok(QJsonObject());
    }
    return invalid(QStringLiteral("no such contact"));
}

// ---- meetings ----

Reply DemoWorld::meetings(int caller) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QJsonArray list;
    for (const Meeting &m : m_meetings) {
        if (canSee(m, caller) && statusOf(m) != QLatin1String("FINISHED"))
            list.append(meetingJson(m));
    }
    return Reply::ok(list);
}

Reply DemoWorld::meeting(int caller, const QString &id) const
{
    if (!parseId(id))
        return invalid(QStringLiteral("meeting id"));
    std::lock_guard<std::mutex> lock(m_mutex);
    const int i = meetingIndex(id);
    if (i < 0)
        return notFound();
    if (!canSee(m_meetings.at(i), caller))
        return noPermission();
    return Reply::ok(meetingJson(m_meetings.at(i)));
}

Reply DemoWorld::readMeetingRequest(const QJsonObject &request, Meeting *m) const
{
    const QJsonValue name = request.value(QLatin1String("name"));
    if (!name.isString() || name.toString().trimmed().isEmpty() || name.toString().size() > kMaxNameLength)
        return invalid(QStringLiteral("name"));
    const std::optional<qint64> start = wholeNumber(request.value(QLatin1String("startTime")), 1, 9.0e15);
    if (!start)
        return invalid(QStringLiteral("startTime"));
    const std::optional<qint64> duration =
        wholeNumber(request.value(QLatin1String("duration")), 1, static_cast<double>(kMaxDurationMs));
    if (!duration)
        return invalid(QStringLiteral("duration"));
    const QJsonValue password = request.value(QLatin1String("confPassword"));
    if (!(password.isUndefined() || password.isString()) || password.toString().size() > kMaxPasswordLength)
        return invalid(QStringLiteral("confPassword"));
    const QJsonValue remarks = request.value(QLatin1String("remarks"));
    if (!(remarks.isUndefined() || remarks.isString()) || remarks.toString().size() > kMaxRemarksLength)
        return invalid(QStringLiteral("remarks"));
    const QJsonValue userIds = request.value(QLatin1String("userIds"));
    if (!(userIds.isUndefined() || userIds.isArray()))
        return invalid(QStringLiteral("userIds"));
    QList<int> users;
    for (const QJsonValue &v : userIds.toArray()) {
        const std::optional<qint64> id = wholeNumber(v, 1, INT_MAX);
        if (!id || !findUser(static_cast<int>(*id)))
            return invalid(QStringLiteral("userIds"));
        if (!users.contains(static_cast<int>(*id)))
            users.append(static_cast<int>(*id));
    }

    m->name = name.toString().trimmed();
    m->startTime = *start;
    m->duration = *duration;
    m->password = password.toString();
    m->remarks = remarks.toString();
    m->users = users;
    return Reply::ok(QJsonValue());
}

Reply DemoWorld::createMeeting(int caller, const QJsonObject &request)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Meeting m;
    const Reply read = readMeetingRequest(request, &m);
    if (read.isError())
        return read;
    m.applicantId = caller;
    if (!m.users.contains(caller))
        m.users.prepend(caller);
    m.id = m_nextMeetingId++;
    m.numericId = m_nextNumericId++;
    m_meetings.append(m);
    return Reply::ok(meetingJson(m));
}

Reply DemoWorld::editMeeting(int caller, const QString &id, const QJsonObject &request)
{
    const std::optional<int> n = parseId(id);
    if (!n)
        return invalid(QStringLiteral("meeting id"));
    const QJsonValue bodyId = request.value(QLatin1String("id"));
    if (!bodyId.isUndefined() && !wholeNumber(bodyId, *n, *n))
        return invalid(QStringLiteral("id"));
    std::lock_guard<std::mutex> lock(m_mutex);
    const int i = meetingIndex(id);
    if (i < 0)
        return notFound();
    Meeting &m = m_meetings[i];
    if (m.applicantId != caller || m.fixedRoom)
        return noPermission();
    if (isOngoing(m))
        return inProgress();
    Meeting edited = m;
    const Reply read = readMeetingRequest(request, &edited);
    if (read.isError())
        return read;
    if (!edited.users.contains(caller))
        edited.users.prepend(caller);
    m = edited;
    return Reply::ok(meetingJson(m));
}

Reply DemoWorld::deleteMeeting(int caller, const QString &id)
{
    if (!parseId(id))
        return invalid(QStringLiteral("meeting id"));
    std::lock_guard<std::mutex> lock(m_mutex);
    const int i = meetingIndex(id);
    if (i < 0)
        return notFound();
    const Meeting &m = m_meetings.at(i);
    if (m.applicantId != caller || m.fixedRoom)
        return noPermission();
    if (isOngoing(m))
        return inProgress();
    m_meetings.removeAt(i);
    return Reply::ok(QJsonObject());
}

Reply DemoWorld::controlMeeting(int caller, const QString &id, const QString &action)
{
    if (!parseId(id))
        return invalid(QStringLiteral("meeting id"));
    if (action != QLatin1String("terminate"))
        return invalid(QStringLiteral("control action"));
    std::lock_guard<std::mutex> lock(m_mutex);
    const int i = meetingIndex(id);
    if (i < 0)
        return notFound();
    const Meeting &m = m_meetings.at(i);
    if (m.applicantId != caller)
        return noPermission();
    if (!isOngoing(m))
        return Reply::error(errors::kMeetingEnded, QStringLiteral("The meeting is not running"));
    // An ended meeting leaves the list.
    m_meetings.removeAt(i);
    return Reply::ok(QJsonObject());
}

Reply DemoWorld::participants(const QString &meeting) const
{
    const std::optional<int> n = parseId(meeting);
    if (!n)
        return invalid(QStringLiteral("meeting"));
    std::lock_guard<std::mutex> lock(m_mutex);
    const Meeting *found = nullptr;
    for (const Meeting &m : m_meetings)
        if (m.numericId == *n)
            found = &m;
    if (!found && meetingIndex(meeting) >= 0)
        found = &m_meetings.at(meetingIndex(meeting));
    if (!found)
        return notFound();
    QJsonArray list;
    for (int id : found->users) {
        const User *u = findUser(id);
        if (!u)
            continue;
        list.append(QJsonObject{
            {QStringLiteral("userId"), u->id},
            {QStringLiteral("name"), u->displayName},
            {QStringLiteral("videoMode"), !(found->audioOnly || u->audioOnly)},
            {QStringLiteral("sipUserName"), u->callNumber},
            {QStringLiteral("halfDuplex"), false},
            {QStringLiteral("userLastModifiedTime"), static_cast<double>(u->modifiedAt)},
        });
    }
    return Reply::ok(list);
}

// ---- whiteboard ----

Reply DemoWorld::acsToken(int caller, const QString &confNumericId, const QString &deviceId)
{
    if (confNumericId.trimmed().isEmpty())
        return invalid(QStringLiteral("confNumericId"));
    std::lock_guard<std::mutex> lock(m_mutex);
    const User *u = findUser(caller);
    // Unsigned: the demo whiteboard trusts whoever holds it.
    const QJsonObject header{{QStringLiteral("alg"), QStringLiteral("none")}, {QStringLiteral("typ"), QStringLiteral("JWT")}};
    const QJsonObject claims{
        {QStringLiteral("sub"), u ? u->name : QString()},
        {QStringLiteral("conf"), confNumericId},
        {QStringLiteral("device"), deviceId},
        {QStringLiteral("iat"), static_cast<double>(m_clock() / 1000)},
        {QStringLiteral("jti"), ++m_acsCounter},
    };
    const QByteArray jwt = base64Url(header) + '.' + base64Url(claims) + '.';
    return Reply::ok(QJsonObject{
        {QStringLiteral("acsJsonWebToken"), QString::fromLatin1(jwt)},
        {QStringLiteral("internalEdgeIp"), text(kEdgeAddress)},
        {QStringLiteral("externalEdgeIp"), text(kEdgeAddress)},
    });
}

} // namespace devserver
