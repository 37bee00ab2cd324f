#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace devserver {

class Avatars;
class DemoWorld;
class Whiteboards;

struct RouteOptions
{
    QString appVersion;       // answered by the update check
    bool logRequests = true;  // one line per request on stderr (path only, no token)
};

// The management server's routes. Installed on one or more HTTP servers, whose
// handlers refer to this object: it must outlive them, as must the world and
// the avatars.
class Routes
{
public:
    Routes(DemoWorld &world, Avatars &avatars, RouteOptions options);
    ~Routes();

    void install(httplib::Server &server) const;

private:
    using Handler = std::function<void(const httplib::Request &, httplib::Response &)>;
    using CallerHandler = std::function<void(int caller, const httplib::Request &, httplib::Response &)>;

    // Runs the handler for the user that the "token" query item belongs to;
    // anything else is answered as an invalid token.
    Handler signedIn(CallerHandler handler) const;

    void avatar(const httplib::Request &req, httplib::Response &res) const;
    void uploadAvatar(int caller, const httplib::Request &req, httplib::Response &res) const;
    void latestAppVersion(const httplib::Request &req, httplib::Response &res) const;

    DemoWorld &m_world;
    Avatars &m_avatars;
    const RouteOptions m_options;
    // One board per conference, whichever port a page came through.
    const std::unique_ptr<Whiteboards> m_whiteboards;
};

} // namespace devserver
