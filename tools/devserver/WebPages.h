#pragma once

namespace httplib {
class Server;
} // namespace httplib

namespace devserver {

class DemoWorld;

// The web pages a server of type "ROZ" shows inside the client: the meeting
// list ("conferences"), the in-call conference control ("confControl") and
// the contacts ("contact"), at "/client<key>" and "/client/<key>" (the
// client puts its "urlSuffixForPC", "/client" here, straight before the
// key). A page needs "token" for a user who can sign in; it reads its data
// from the REST routes of the same server with that token and talks to the
// client through the bridge "qtWebObj". Anything else is refused with 401.
// Also the shared script and style sheet under "/client/assets/", and
// "/client/reservation", the page the meeting list opens in a browser.
//
// Installs the routes; the world must outlive the server. Must run before
// any catch-all route.
void installWebPages(httplib::Server &server, const DemoWorld &world);

} // namespace devserver
