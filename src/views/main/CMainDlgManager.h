#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "helpers/Enums.h"
#include "helpers/Structs.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace rj_app::views {

// Decides which main window (login, home, call) is visible, turns engine
// errors into prompts, runs join URLs and ends the application. Windows never
// show or hide one another: they change the models, and this object reacts to
// the models' signals. GUI thread only.
class CMainDlgManager : public QObject
{
    Q_OBJECT

public:
    // The main window a visibility decision names.
    enum MainDlg { Dlg_None = 0, Dlg_Login = 1, Dlg_Home = 2, Dlg_Call = 4 };
    Q_DECLARE_FLAGS(MainDlgs, MainDlg)

    // Which windows are visible for a login status, call status and
    // content-stream status.
    static MainDlgs visibleMainDlgs(rj_app::enums::LoginStatus loginStatus, int callStatus, int contentStatus);

    // What a join URL that arrives from a second instance leads to.
    enum UrlJoinAction {
        UrlJoin_Discard = 0,       // dropped (logged)
        UrlJoin_Keep,              // stays in the parser for later
        UrlJoin_AutoLogin,         // automatic login; the join waits for it
        UrlJoin_AnonymousJoin,     // guest join through the SIP server
        UrlJoin_Dial,              // dialled now
    };
    static UrlJoinAction duplicatedAppJoinAction(rj_app::enums::LoginStatus loginStatus, int callStatus,
                                                 int registerState, int protocol, bool hasValidLoginInfo);

    static CMainDlgManager *getInstance();
    ~CMainDlgManager() override;

    void initialize();
    void updateMainDlgVisibility();
    QWidget *getActiveMainDlg();
    // Orderly shutdown. Ends the process through the exit function; nothing
    // on the caller's stack runs after it.
    void exitApp();
    // True once exitApp has run: the event loop must not start (again).
    bool isExiting() const { return m_bExiting; }
    void execUrlJoinConfInUnloginStatus(int protocol);
    void execUrlJoinConfInLoginStatus(int protocol);

    // The prompt text for an engine error in the current login status, or
    // an empty text when nothing is shown. May end a running login.
    void handleError(rj::engine::RJError err);
    void initErrorTables();

    // Seam: how exitApp ends the application (default: the log is flushed and
    // the process ends at once with the code). Tests record the call instead;
    // the manager's own slots stay quiet after it.
    using ExitFunction = std::function<void(int)>;
    void setExitFunction(ExitFunction exitFunction);

    QMap<int, QString> m_mapSdkErrorMsgs;
    QMap<int, QString> m_mapServerErrorMsgs;
    QMap<int, QString> m_mapCallEndErrorMsgs;
    bool m_bUpdateMainDlgVisibility = false;
    QList<rj::engine::RJError> m_listPendingErrors;

    static QRect s_rectLastMainDlg;

public slots:
    void slotOnLoginStatusChanged(rj_app::enums::LoginStatus loginStatus);
    void slotOnRegisterInfoChanged(rj::engine::RJRegisterInfo info);
    void slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus);
    void slotOnContentStreamStatusChanged(rj_app::structs::CContentStreamInfo contentStreamInfo);
    void slotOnError(rj::engine::RJError err);
    void receiveDuplicatedAppMessage(QString qstrMsg);
    void slotMainDlgClose();
    void slotOnLanguageChanged();

private:
    CMainDlgManager();

    // The prompt text for an error, empty when none is shown.
    QString errorText(const rj::engine::RJError &err) const;
    void dialParsedUrl();

    bool m_bInitialized = false;
    bool m_bExiting = false;
    ExitFunction m_exitFunction;
};

} // namespace rj_app::views

Q_DECLARE_OPERATORS_FOR_FLAGS(rj_app::views::CMainDlgManager::MainDlgs)
