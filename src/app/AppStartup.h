#pragma once

#include "helpers/Enums.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace rj_app {

class CSingleApplication;

// The program's start-up, split around the construction of the application
// object so that main and the end-to-end tests run the same steps:
//
//     startup::prepare(argc, argv);
//     CSingleApplication app(argc, argv, CSingleApplication::userInstanceKey());
//     if (!startup::start(app, argc, argv)) return 0;   // a later instance
//     return startup::run(app);
namespace startup {

// Lines printed before logging exists, logged once it does.
QStringList &earlyLogCache();

// Before the application object: the user data directory in "appdata", the
// application name, Qt's own scaling off, the user configuration and the
// OpenGL choice.
void prepare(int argc, char **argv);

// After the application object: font, crash handler, join URL, language;
// then either hands the start to a running instance (false) or sets up the
// first instance up to the login window (true: run the event loop).
bool start(CSingleApplication &app, int argc, char **argv);

// The event loop of a first instance, unless the application was already
// asked to end while it started (an exit requested before the loop runs
// would otherwise be lost).
int run(CSingleApplication &app);

// The Direct3D probe of the Windows build; this platform has none, so Qt's
// default OpenGL choice always stays.
bool supportDesktopOpengl();

// The meeting number of a dial string: its part before the first "*"
// (password) or "@" (server).
QString meetingNumberOf(const QString &dialString);

// What a later instance tells the running one, and the box it shows first.
struct LaterInstanceMessage
{
    QString message;  // "Activate" or the join URL argument unchanged
    QString boxText;  // empty: no box
    QString logText;
};
LaterInstanceMessage laterInstanceMessage(int joinProtocol, rj_app::enums::LoginStatus storedLoginStatus,
                                          bool confRunning, const QString &storedConfId,
                                          const QString &parsedConfNumber, const QString &argument);

// Seam: how a later instance shows its box (default: a modal about box).
using InfoBox = std::function<void(const QString &title, const QString &text)>;
void setInfoBox(InfoBox box);

} // namespace startup
} // namespace rj_app
