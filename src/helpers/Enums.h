#pragma once

#include <QObject>

// Enumerations shared across the client. Q_ENUM_NS gives their names from the
// meta-object, so stored names and log lines need no hand-written tables.
namespace rj_app {
namespace enums {
Q_NAMESPACE

enum LoginStatus {
    NotLogin = 0,
    LoggedIn = 1,
    LoggingIn = 2,
    LoginFailed = 3,
    AnonymousLoggedIn = 4,  // login skipped
    AnonymousLoggingIn = 5, // guest joining
    NeedChangePassword = 6, // the password must be changed after the first login
};
Q_ENUM_NS(LoginStatus)

// The page the login window shows.
enum LoginProgress {
    NoPageChosen = 0, // the window shows the account page
    LoginInfoPage = 1,
    JoinConfPage = 2,
    ChangePasswordPage = 3,
};
Q_ENUM_NS(LoginProgress)

} // namespace enums
} // namespace rj_app
