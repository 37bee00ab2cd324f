#include "Routes.h"

#include "Avatars.h"
#include "DemoWorld.h"
#include "WebPages.h"
#include "Whiteboard.h"

#include <httplib.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cstdio>
#include <exception>
#include <string>

namespace devserver {

namespace {

using httplib::Request;
using httplib::Response;

const char kJsonType[] = "application/json;charset=UTF-8";
const char kApi[] = "/api/rest/v2.0";
const char kApiPattern[] = R"(/api/rest/v2\.0)"; // kApi as a route pattern
// Update checks name the platform of the package they want.
const char *const kAppTypes[] = {"windows", "linux"};

// Bodies are small JSON objects and one picture.
constexpr std::size_t kMaxBodyBytes = 4 * 1024 * 1024;

constexpr int kUnknownRoute = 404;
constexpr int kUnsupportedVersion = 1000;
constexpr int kInternalError = 1999;

QString fromStd(const std::string &s)
{
    return QString::fromStdString(s);
}

std::string api(const char *route)
{
    return std::string(kApiPattern) + route;
}

void sendJson(Response &res, const QJsonValue &value, int status = 200)
{
    const QJsonDocument doc = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    res.status = status;
    res.set_content(doc.toJson(QJsonDocument::Compact).toStdString(), kJsonType);
}

// Errors travel as HTTP 200 with "errorCode" and "errorInfo", as the
// management server answers them.
void sendError(Response &res, int code, const QString &info, int status = 200)
{
    sendJson(res, QJsonObject{{QStringLiteral("errorCode"), code}, {QStringLiteral("errorInfo"), info}}, status);
}

void sendReply(Response &res, const Reply &reply)
{
    if (reply.isError())
        sendError(res, reply.errorCode, reply.errorInfo);
    else
        sendJson(res, reply.value);
}

// The request body as a JSON object; answers the error itself and returns
// false when there is none.
bool readBody(const Request &req, Response &res, QJsonObject *body)
{
    const QString type = fromStd(req.get_header_value("Content-Type")).trimmed();
    if (!type.startsWith(QLatin1String("application/json"), Qt::CaseInsensitive)) {
        sendError(res, errors::kInvalidMediaType, QStringLiteral("Invalid media type"));
        return false;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(req.body), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        sendError(res, errors::kInvalidParameter, QStringLiteral("Invalid parameter: body"));
        return false;
    }
    *body = doc.object();
    return true;
}

void unknownRoute(const Request &req, Response &res)
{
    const QString path = fromStd(req.path);
    if (path.startsWith(QLatin1String("/api/rest/")) && !path.startsWith(QLatin1String(kApi) + QLatin1Char('/'))) {
        sendError(res, kUnsupportedVersion, QStringLiteral("Unsupported API version"), 404);
        return;
    }
    sendError(res, kUnknownRoute, QStringLiteral("No such resource: %1 %2").arg(fromStd(req.method), path), 404);
}

} // namespace

Routes::Routes(DemoWorld &world, Avatars &avatars, RouteOptions options)
    : m_world(world)
    , m_avatars(avatars)
    , m_options(std::move(options))
    , m_whiteboards(std::make_unique<Whiteboards>())
{
}

Routes::~Routes() = default;

Routes::Handler Routes::signedIn(CallerHandler handler) const
{
    return [this, handler = std::move(handler)](const Request &req, Response &res) {
        const std::optional<int> caller = m_world.userForToken(fromStd(req.get_param_value("token")));
        if (!caller) {
            sendError(res, errors::kInvalidToken, QStringLiteral("Invalid token"));
            return;
        }
        handler(*caller, req, res);
    };
}

void Routes::install(httplib::Server &s) const
{
    DemoWorld &w = m_world;

    s.Get(api("/users"), signedIn([&w](int, const Request &, Response &res) { sendReply(res, w.users()); }));
    s.Get(api(R"(/users/([^/]+))"), signedIn([&w](int, const Request &req, Response &res) {
              sendReply(res, w.user(fromStd(req.matches[1])));
          }));
    // The signed-in user's own profile, as the engine passes changes on.
    s.Patch(api(R"(/users/([^/]+))"), signedIn([&w](int caller, const Request &req, Response &res) {
                QJsonObject body;
                if (readBody(req, res, &body))
                    sendReply(res, w.renameUser(caller, fromStd(req.matches[1]), body));
            }));
    s.Put(api(R"(/users/([^/]+)/avatar)"),
          signedIn([this](int caller, const Request &req, Response &res) { uploadAvatar(caller, req, res); }));

    s.Get(api("/contacts"),
          signedIn([&w](int caller, const Request &, Response &res) { sendReply(res, w.contacts(caller)); }));
    s.Post(api("/contacts"), signedIn([&w](int caller, const Request &req, Response &res) {
               QJsonObject body;
               if (readBody(req, res, &body))
                   sendReply(res, w.addContact(caller, body));
           }));
    s.Delete(api(R"(/contacts/([^/]+))"), signedIn([&w](int caller, const Request &req, Response &res) {
                 sendReply(res, w.deleteContact(caller, fromStd(req.matches[1])));
             }));

    // "joinMode" selects how the list is joined; every meeting here joins the
    // same way, so the list does not depend on it.
    s.Get(api("/meetings"),
          signedIn([&w](int caller, const Request &, Response &res) { sendReply(res, w.meetings(caller)); }));
    s.Post(api("/meetings"), signedIn([&w](int caller, const Request &req, Response &res) {
               QJsonObject body;
               if (readBody(req, res, &body))
                   sendReply(res, w.createMeeting(caller, body));
           }));
    s.Get(api(R"(/meetings/([^/]+)/simpleparticipants)"), signedIn([&w](int, const Request &req, Response &res) {
              sendReply(res, w.participants(fromStd(req.matches[1])));
          }));
    s.Put(api(R"(/meetings/([^/]+)/control/([^/]+))"), signedIn([&w](int caller, const Request &req, Response &res) {
              sendReply(res, w.controlMeeting(caller, fromStd(req.matches[1]), fromStd(req.matches[2])));
          }));
    s.Get(api(R"(/meetings/([^/]+))"), signedIn([&w](int caller, const Request &req, Response &res) {
              sendReply(res, w.meeting(caller, fromStd(req.matches[1])));
          }));
    s.Put(api(R"(/meetings/([^/]+))"), signedIn([&w](int caller, const Request &req, Response &res) {
              QJsonObject body;
              if (readBody(req, res, &body))
                  sendReply(res, w.editMeeting(caller, fromStd(req.matches[1]), body));
          }));
    s.Delete(api(R"(/meetings/([^/]+))"), signedIn([&w](int caller, const Request &req, Response &res) {
                 sendReply(res, w.deleteMeeting(caller, fromStd(req.matches[1])));
             }));

    s.Get(api("/acsToken"), signedIn([&w](int caller, const Request &req, Response &res) {
              sendReply(res, w.acsToken(caller, fromStd(req.get_param_value("confNumericId")),
                                        fromStd(req.get_param_value("deviceId"))));
          }));

    // Asked before and without a sign-in.
    s.Get(api("/latestAppVersion"), [this](const Request &req, Response &res) { latestAppVersion(req, res); });

    // Pictures are public: the address carries no valid token in every form.
    s.Get(R"(/userFiles/avatar/([0-9]{1,9})\.jpg)", [this](const Request &req, Response &res) { avatar(req, res); });

    m_whiteboards->install(s);
    installWebPages(s, w);

    // Registered last: routes match in the order they were added.
    s.Get(".*", unknownRoute);
    s.Post(".*", unknownRoute);
    s.Put(".*", unknownRoute);
    s.Patch(".*", unknownRoute);
    s.Delete(".*", unknownRoute);
    s.Options(".*", unknownRoute);

    s.set_payload_max_length(kMaxBodyBytes);
    s.set_exception_handler([](const Request &, Response &res, std::exception_ptr) {
        sendError(res, kInternalError, QStringLiteral("Internal error"), 500);
    });
    if (m_options.logRequests) {
        // The path only: the query carries the token.
        s.set_logger([](const Request &req, const Response &res) {
            std::fprintf(stderr, "devserver: %s %s %d\n", req.method.c_str(), req.path.c_str(), res.status);
        });
    }
}

void Routes::avatar(const Request &req, Response &res) const
{
    const int id = std::stoi(req.matches[1]);
    if (!m_world.hasAvatar(id)) {
        sendError(res, kUnknownRoute, QStringLiteral("No picture"), 404);
        return;
    }
    const Avatars::Picture picture = m_avatars.pictureOf(id);
    res.set_header("Cache-Control", "max-age=3600");
    res.set_content(picture.data.toStdString(), picture.mimeType.toStdString());
}

void Routes::uploadAvatar(int caller, const Request &req, Response &res) const
{
    const QString id = fromStd(req.matches[1]);
    // Nobody's picture is decoded for someone else.
    const Reply own = m_world.ownProfile(caller, id);
    if (own.isError()) {
        sendReply(res, own);
        return;
    }
    const QString type = fromStd(req.get_header_value("Content-Type")).trimmed();
    if (!type.startsWith(QLatin1String("image/"), Qt::CaseInsensitive)) {
        sendError(res, errors::kInvalidMediaType, QStringLiteral("Invalid media type"));
        return;
    }
    const std::optional<QImage> picture = Avatars::decode(QByteArray::fromStdString(req.body));
    if (!picture) {
        sendError(res, errors::kInvalidParameter, QStringLiteral("Invalid parameter: picture"));
        return;
    }
    m_avatars.store(own.value.toObject().value(QLatin1String("id")).toInt(), *picture);
    sendReply(res, m_world.pictureReplaced(caller, id));
}

void Routes::latestAppVersion(const Request &req, Response &res) const
{
    const std::string appType = req.get_param_value("appType");
    for (const char *known : kAppTypes) {
        if (appType == known) {
            // The version this client already has: no update is offered.
            sendJson(res, QJsonObject{{QStringLiteral("version"), m_options.appVersion},
                                      {QStringLiteral("downloadUrl"), QString()},
                                      {QStringLiteral("appType"), fromStd(appType)}});
            return;
        }
    }
    sendError(res, errors::kInvalidParameter, QStringLiteral("Invalid parameter: appType"));
}

} // namespace devserver
