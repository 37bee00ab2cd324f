#pragma once

#include <QObject>

// Enumerations shared across the client. Q_ENUM_NS gives their names from the
// meta-object, so stored names and log lines need no hand-written tables. A
// fixed underlying type makes every int a valid value: a status read from a
// file or a signal that is none of the names is handled, not undefined.
namespace rj_app {
namespace enums {
Q_NAMESPACE

enum LoginStatus : int {
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
enum LoginProgress : int {
    NoPageChosen = 0, // the window shows the account page
    LoginInfoPage = 1,
    JoinConfPage = 2,
    ChangePasswordPage = 3,
};
Q_ENUM_NS(LoginProgress)

// Status of the one call that can exist at a time. 2 and 3 have no name and
// are never set; they count as "a meeting is running" like 1 and 4.
enum CallStatus : int {
    Idle = 0,
    ConfDialing = 1,
    ConfIncoming = 4,
    ConfConnected = 5,
    ConfEnded = 6,
};
Q_ENUM_NS(CallStatus)

// The content stream of the current call as this client sees it.
enum ContentStreamStatus : int {
    ContentStreamStatus_None = 0,
    ContentStreamStatus_ReceivingContentStarted = 1,
    ContentStreamStatus_ReceivingWhiteBoardStarted = 2,
    ContentStreamStatus_SendingContentStarted = 3,
    ContentStreamStatus_SendingWhiteBoardStarted = 4,
};
Q_ENUM_NS(ContentStreamStatus)

// How the call window lays out its video. 1 to 4 are chosen by the user;
// 0 and 5 to 7 follow from the call and its content.
enum LayoutModeType : int {
    LayoutMode_NormalPeople = 0,
    LayoutMode_RemotePreferredContent = 1,
    LayoutMode_RemoteContentOnly = 2,
    LayoutMode_RemotePreferredWhiteBoard = 3,
    LayoutMode_RemoteWhiteBoardOnly = 4,
    LayoutMode_LocalContent = 5,
    LayoutMode_LocalWhiteBoard = 6,
    LayoutMode_AudioOnly = 7,
};
Q_ENUM_NS(LayoutModeType)

} // namespace enums
} // namespace rj_app
