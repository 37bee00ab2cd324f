#include "WebPages.h"

#include "DemoWorld.h"

#include <httplib.h>

#include <QFile>
#include <QString>

#include <string>

namespace devserver {

namespace {

using httplib::Request;
using httplib::Response;

const char kHtmlType[] = "text/html;charset=UTF-8";

struct Page
{
    const char *key;
    const char *resource;
};

const Page kPages[] = {
    {"conferences", ":/devserver/roz_conferences.html"},
    {"confControl", ":/devserver/roz_confcontrol.html"},
    {"contact", ":/devserver/roz_contacts.html"},
};

std::string resource(const char *path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

void serveResource(Response &res, const char *path, const char *type)
{
    const std::string body = resource(path);
    if (body.empty()) {
        res.status = 500;
        return;
    }
    // The pages change with the server; a client keeps no stale copy.
    res.set_header("Cache-Control", "no-store");
    res.set_content(body, type);
}

// A page with a bad token still tells the client, which can renew the token;
// it shows nothing of the service.
void refuse(Response &res)
{
    res.status = 401;
    serveResource(res, ":/devserver/roz_refused.html", kHtmlType);
}

} // namespace

void installWebPages(httplib::Server &s, const DemoWorld &world)
{
    for (const Page &page : kPages) {
        const std::string pattern = std::string("/client/?") + page.key;
        s.Get(pattern, [&world, page](const Request &req, Response &res) {
            if (!world.userForToken(QString::fromStdString(req.get_param_value("token")))) {
                refuse(res);
                return;
            }
            serveResource(res, page.resource, kHtmlType);
        });
    }
    s.Get("/client/assets/roz_pages.js", [](const Request &, Response &res) {
        serveResource(res, ":/devserver/roz_pages.js", "text/javascript;charset=UTF-8");
    });
    s.Get("/client/assets/roz_pages.css", [](const Request &, Response &res) {
        serveResource(res, ":/devserver/roz_pages.css", "text/css;charset=UTF-8");
    });
    s.Get("/client/reservation", [](const Request &, Response &res) {
        serveResource(res, ":/devserver/roz_reservation.html", kHtmlType);
    });
}

} // namespace devserver
