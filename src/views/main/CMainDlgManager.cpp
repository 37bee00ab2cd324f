#include "views/main/CMainDlgManager.h"

#include "helpers/CLogger.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/CModualDlgsManager.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CLoginDlg.h"
#include "views/settings/CDownloadThread.h"

#include <QDebug>

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace rj_app::views {

using enums::LoginStatus;
using helpers::CUserConfigUtils;
using models::CCallController;
using models::CLoginManager;
using models::CRJSdkManager;
using models::CUrlJoinConfArgsParser;

namespace {

const char *const kActionCallEnd = "onCallEnd";
const char *const kActionUploadUserImage = "uploadUserImage";
const char *const kActionLogin = "avlogin";
const char *const kActionGetFeature = "getFeature";

const char *const kActivateMessage = "Activate";

bool isInCall(int callStatus)
{
    return CCallController::isInCall(callStatus);
}

bool isSendingContent(int contentStatus)
{
    return contentStatus == enums::ContentStreamStatus_SendingContentStarted ||
           contentStatus == enums::ContentStreamStatus_SendingWhiteBoardStarted;
}

// Fills in the code only where the text asks for it: some rows carry no
// marker, and QString::arg on those would only warn.
QString withCode(const QString &text, int code)
{
    return text.contains(QLatin1String("%1")) ? text.arg(code) : text;
}

} // namespace

QRect CMainDlgManager::s_rectLastMainDlg;

CMainDlgManager *CMainDlgManager::getInstance()
{
    static CMainDlgManager s_instance;
    return &s_instance;
}

CMainDlgManager::CMainDlgManager()
{
    initErrorTables();
}

CMainDlgManager::~CMainDlgManager() = default;

CMainDlgManager::MainDlgs CMainDlgManager::visibleMainDlgs(LoginStatus loginStatus, int callStatus,
                                                           int contentStatus)
{
    const bool inCall = isInCall(callStatus);
    const bool sending = isSendingContent(contentStatus);
    switch (loginStatus) {
    case enums::LoggedIn:
    case enums::AnonymousLoggedIn:
        if (!inCall)
            return Dlg_Home;
        return sending ? MainDlgs(Dlg_None) : MainDlgs(Dlg_Call);
    case enums::AnonymousLoggingIn:
        return inCall && !sending ? MainDlgs(Dlg_Call) : MainDlgs(Dlg_None);
    case enums::NotLogin:
    case enums::LoggingIn:
    case enums::LoginFailed:
    case enums::NeedChangePassword:
    default:
        if (inCall && !sending)
            return MainDlgs(Dlg_Login) | Dlg_Call;
        return Dlg_Login;
    }
}

CMainDlgManager::UrlJoinAction CMainDlgManager::duplicatedAppJoinAction(LoginStatus loginStatus, int callStatus,
                                                                        int registerState, int protocol,
                                                                        bool hasValidLoginInfo)
{
    switch (loginStatus) {
    case enums::NotLogin:
    case enums::LoginFailed:
        if (hasValidLoginInfo)
            return UrlJoin_AutoLogin;
        return protocol == models::UrlJoinConfProtocol_Sip ? UrlJoin_AnonymousJoin : UrlJoin_Keep;
    case enums::LoggedIn:
    case enums::AnonymousLoggedIn:
        if (callStatus != enums::Idle && callStatus != enums::ConfEnded)
            return UrlJoin_Discard;
        return registerState == 1 ? UrlJoin_Dial : UrlJoin_Discard;
    case enums::AnonymousLoggingIn:
    case enums::NeedChangePassword:
        return UrlJoin_Keep;
    case enums::LoggingIn:
    default:
        return UrlJoin_Discard;
    }
}

void CMainDlgManager::setExitFunction(ExitFunction exitFunction)
{
    m_exitFunction = std::move(exitFunction);
}

void CMainDlgManager::initialize()
{
    qInfo("%s", RJ_FUNCTION);
    if (m_bInitialized) {
        qWarning("%s: already initialized", RJ_FUNCTION);
        return;
    }
    m_bInitialized = true;
    CLoginManager *login = CLoginManager::getInstance();
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        connect(sdk, &CRJSdkManager::eventError, this, &CMainDlgManager::slotOnError);
    login->initialize();
    connect(login, &CLoginManager::loginStatusChanged, this, &CMainDlgManager::slotOnLoginStatusChanged);
    connect(login, &CLoginManager::sigRegisterInfoChanged, this, &CMainDlgManager::slotOnRegisterInfoChanged);
    // The controller installs the login manager's call-status getter when it
    // is created, so token renewal never signs out during a call.
    CCallController *call = CCallController::getInstance();
    connect(call, &CCallController::sigCallStatusChanged, this, &CMainDlgManager::slotOnCallStatusChanged);
    connect(call, &CCallController::sigContentStreamStatusChanged, this,
            &CMainDlgManager::slotOnContentStreamStatusChanged);
    connect(CLoginDlg::getInstance(), &CLoginDlg::sigClose, this, &CMainDlgManager::slotMainDlgClose);
    connect(CHomeDlg::getInstance(), &CHomeDlg::sigClose, this, &CMainDlgManager::slotMainDlgClose);
    connect(CLayoutBackgroundDlg::getInstance(), &CLayoutBackgroundDlg::sigClose, this,
            &CMainDlgManager::slotMainDlgClose);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CMainDlgManager::slotOnLanguageChanged);
    // After an installer has started, the update worker ends the application
    // the orderly way.
    CDownloadThread::getInstance()->setExitApp([this] { exitApp(); });
}

void CMainDlgManager::updateMainDlgVisibility()
{
    if (m_bExiting)
        return;
    m_bUpdateMainDlgVisibility = true;
    CLoginManager *login = CLoginManager::getInstance();
    CCallController *call = CCallController::getInstance();
    const LoginStatus loginStatus = login->m_loginStatus;
    const int callStatus = call->getCallStatus();
    const int contentStatus = call->getContentStreamStatus();
    qInfo() << RJ_FUNCTION << "loginStatus:" << loginStatus << ", callStatus" << callStatus;

    const MainDlgs visible = visibleMainDlgs(loginStatus, callStatus, contentStatus);
    CLoginDlg *loginDlg = CLoginDlg::getInstance();
    CHomeDlg *homeDlg = CHomeDlg::getInstance();
    CLayoutBackgroundDlg *callDlg = CLayoutBackgroundDlg::getInstance();

    MainDlgs shown;
    const auto apply = [&](QWidget *dlg, MainDlg which, const char *name) {
        if (visible.testFlag(which)) {
            if (dlg->isVisible()) {
                qInfo("%s has been showing", name);
                return;
            }
            if (which == Dlg_Call)
                CModualDlgsManager::closeAllModualDlgs(false);
            qInfo("Show %s", name);
            dlg->show();
            if (which == Dlg_Call && callDlg->isMinimized() && !homeDlg->isMinimized())
                callDlg->showNormal();
            shown |= which;
        } else if (dlg->isVisible()) {
            qInfo("Hide %s", name);
            s_rectLastMainDlg = dlg->geometry();
            dlg->hide();
        }
    };
    apply(loginDlg, Dlg_Login, "CLoginDlg");
    apply(homeDlg, Dlg_Home, "CHomeDlg");
    apply(callDlg, Dlg_Call, "CLayoutBackgroundDlg");

    if (s_rectLastMainDlg.width() > 0 || s_rectLastMainDlg.height() > 0) {
        const QPoint topLeft = s_rectLastMainDlg.topLeft();
        if (shown.testFlag(Dlg_Login)) {
            loginDlg->move(topLeft);
            loginDlg->centerWindowOnScreen();
        } else if (shown.testFlag(Dlg_Home)) {
            const bool maximized = homeDlg->m_bMaximized;
            if (maximized)
                homeDlg->slotOnWinRestore();
            homeDlg->move(topLeft);
            homeDlg->centerWindowOnScreen();
            if (maximized)
                homeDlg->slotOnWinMax();
        } else if (shown.testFlag(Dlg_Call) && !callDlg->m_bFullScreen) {
            if (callDlg->m_bMaximized)
                callDlg->slotOnWinRestore();
            callDlg->move(topLeft);
            callDlg->centerWindowOnScreen();
        }
    }

    // Errors that arrived during the switch, in arrival order; handling one
    // may queue more, which this loop also takes.
    while (!m_listPendingErrors.isEmpty())
        handleError(m_listPendingErrors.takeFirst());
    m_bUpdateMainDlgVisibility = false;
    qInfo("%s done", RJ_FUNCTION);
}

QWidget *CMainDlgManager::getActiveMainDlg()
{
    if (CLoginDlg::getInstance()->isVisible()) {
        qInfo("CLoginDlg activated");
        return CLoginDlg::getInstance();
    }
    if (CHomeDlg::getInstance()->isVisible()) {
        qInfo("CHomeDlg activated");
        return CHomeDlg::getInstance();
    }
    CLayoutBackgroundDlg *callDlg = CLayoutBackgroundDlg::getInstance();
    if (callDlg->isVisible()) {
        qInfo("CLayoutBackgroundDlg activated");
        return callDlg;
    }
    if (QWidget *drawing = callDlg->getScreenDrawing(); drawing && drawing->isVisible()) {
        qInfo("ScreenDrawing activated");
        return drawing;
    }
    qWarning("Failed to get visible dialog, so CHomeDlg as the visible one");
    return CHomeDlg::getInstance();
}

void CMainDlgManager::exitApp()
{
    if (m_bExiting)
        return;
    m_bExiting = true;
    qInfo("%s", RJ_FUNCTION);
    // Before the engine exists (a close within the login window's first
    // moments) there is no call and no session to end.
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        CCallController *call = CCallController::getInstance();
        if (call->getCallStatus() == enums::ConfConnected)
            call->hangUp();
        if (CLoginManager::getInstance()->m_loginStatus == enums::LoggedIn)
            sdk->avlogout();
    }
    // Everything that still calls the engine or reads the configuration from
    // another thread stops first: the update worker, the web pages and the
    // screen feeder (which hands the engine a frame every 100 ms).
    CDownloadThread::getInstance()->Tquit();
    if (m_bInitialized) {
        CHomeDlg::getInstance()->stopWebPages();
        CLayoutBackgroundDlg::getInstance()->stopScreenFeeder();
    }
    CRJSdkManager::releaseInstance();
    // The call's end event, which clears the running meeting, no longer comes
    // once the engine is released: a later start must not find it running.
    if (CUserConfigUtils *config = CUserConfigUtils::getInstance()) {
        config->setIsConfRunning(false);
        config->setConfId(QString());
    }
    CUserConfigUtils::releaseInstance();
    qInfo("Exit app");
    if (m_exitFunction) {
        m_exitFunction(0);
        return;
    }
    // The process ends here. Returning would run on whatever is on the stack
    // (a message box's caller signs in, shows windows, asks the server)
    // against the released engine and configuration; destructors would tear
    // windows down after Qt. Only the log is owed: flushed first.
    helpers::CLogger::shutdown();
    std::fflush(nullptr);
    ::_exit(0);
}

void CMainDlgManager::slotOnLoginStatusChanged(LoginStatus loginStatus)
{
    if (m_bExiting)
        return;
    qInfo() << RJ_FUNCTION << "status:" << loginStatus;
    if (loginStatus == enums::LoggedIn)
        CHomeDlg::getInstance()->updateWebPages();
    updateMainDlgVisibility();
    if (loginStatus == enums::LoggedIn) {
        const int protocol = CUrlJoinConfArgsParser::getInstance()->m_iJoinConfProtocol;
        qInfo() << "UrlJoinConfProtocol:" << protocol;
        execUrlJoinConfInLoginStatus(protocol);
        CDownloadThread::getInstance()->Tstart(false, false);
    } else if (loginStatus != enums::AnonymousLoggedIn &&
               CCallController::getInstance()->getCallStatus() == enums::ConfIncoming) {
        qWarning("Improper call status, change ConfIncoming to Idle");
        CCallController::getInstance()->setCallStatus(enums::Idle);
    }
}

void CMainDlgManager::dialParsedUrl()
{
    CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
    const QString number = parser->m_qstrConfNumber;
    const QString password = parser->m_qstrPassword;
    const bool video = !parser->m_bIsAudioOnly;
    parser->clear();
    CCallController::getInstance()->dialOut(number, password, video, QString());
}

void CMainDlgManager::execUrlJoinConfInLoginStatus(int protocol)
{
    if (m_bExiting)
        return;
    qInfo() << RJ_FUNCTION << "UrlJoinConfType:" << protocol;
    if (protocol == models::UrlJoinConfProtocol_None)
        return;
    const int state = CLoginManager::getInstance()->getRegisterInfo().state;
    if (state == 1) {
        dialParsedUrl();
        return;
    }
    qInfo() << "Can not dialout for invalid register state:" << state;
}

void CMainDlgManager::execUrlJoinConfInUnloginStatus(int protocol)
{
    if (m_bExiting)
        return;
    qInfo() << RJ_FUNCTION << "joinConfProtocol:" << protocol;
    CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
    CLoginManager *login = CLoginManager::getInstance();
    if (protocol == models::UrlJoinConfProtocol_Sip) {
        if (parser->m_qstrSipServerAddress.isEmpty() && parser->m_qstrConfNumber.isEmpty())
            return;
        if (!login->hasValidConfigLoginInfo()) {
            const QString server = parser->m_qstrSipServerAddress;
            const QString number = parser->m_qstrConfNumber;
            const QString password = parser->m_qstrPassword;
            parser->clear();
            CCallController::getInstance()->anonymousJoinConf(server, number, QString(), password);
        } else {
            login->tryAutoLogin(true);
        }
    } else if (protocol == models::UrlJoinConfProtocol_Server) {
        if (!parser->m_qstrServerAddress.isEmpty() && !parser->m_qstrConfNumber.isEmpty() &&
            login->hasValidConfigLoginInfo())
            login->tryAutoLogin(true);
    }
}

void CMainDlgManager::slotOnRegisterInfoChanged(rj::engine::RJRegisterInfo info)
{
    if (m_bExiting)
        return;
    CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
    const LoginStatus loginStatus = CLoginManager::getInstance()->m_loginStatus;
    const int callStatus = CCallController::getInstance()->getCallStatus();
    if (info.state != 1 || parser->m_iJoinConfProtocol == models::UrlJoinConfProtocol_None)
        return;
    if (loginStatus != enums::LoggedIn && loginStatus != enums::AnonymousLoggedIn)
        return;
    if (callStatus != enums::Idle && callStatus != enums::ConfEnded)
        return;
    if (parser->m_qstrConfNumber.isEmpty()) {
        qInfo("Empty conf number");
        return;
    }
    dialParsedUrl();
}

void CMainDlgManager::slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus)
{
    if (m_bExiting)
        return;
    qInfo() << RJ_FUNCTION << "callStatus:" << callStatus;
    updateMainDlgVisibility();
}

void CMainDlgManager::slotOnContentStreamStatusChanged(rj_app::structs::CContentStreamInfo)
{
    if (m_bExiting)
        return;
    updateMainDlgVisibility();
}

void CMainDlgManager::receiveDuplicatedAppMessage(QString qstrMsg)
{
    qInfo() << RJ_FUNCTION << CUrlJoinConfArgsParser::maskedArgument(qstrMsg);
    if (m_bExiting)
        return;
    QWidget *active = getActiveMainDlg();
    active->activateWindow();
    const Qt::WindowStates state = active->windowState();
    active->setWindowState(Qt::WindowMinimized);
    active->setWindowState((state & Qt::WindowMaximized) | Qt::WindowActive);
    active->activateWindow();
    active->raise();
    qInfo("handle msg");
    if (qstrMsg == QLatin1String(kActivateMessage)) {
        qInfo("Only activate the app");
        return;
    }
    qInfo("Not only activate");
    CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
    const QByteArray utf8 = qstrMsg.toUtf8();
    if (!parser->parse(utf8.constData())) {
        qInfo("Invalid url join conf");
        return;
    }
    if (parser->m_iJoinConfProtocol == models::UrlJoinConfProtocol_None) {
        qInfo("joinConfProtocol is None");
        parser->clear();
        return;
    }
    if (parser->m_qstrConfNumber.isEmpty()) {
        qInfo("empty conf number");
        parser->clear();
        return;
    }
    if (!m_bInitialized) {
        // Without the engine nothing can be joined yet: the login window's
        // first delayed show brings it up and then runs the join kept here.
        qInfo("Join kept until the engine is up");
        return;
    }
    CLoginManager *login = CLoginManager::getInstance();
    const LoginStatus loginStatus = login->m_loginStatus;
    const int callStatus = CCallController::getInstance()->getCallStatus();
    const int registerState = login->getRegisterInfo().state;
    const bool hasLoginInfo = (loginStatus == enums::NotLogin || loginStatus == enums::LoginFailed) &&
                              login->hasValidConfigLoginInfo();
    switch (duplicatedAppJoinAction(loginStatus, callStatus, registerState, parser->m_iJoinConfProtocol,
                                    hasLoginInfo)) {
    case UrlJoin_AutoLogin:
        login->tryAutoLogin(true);
        break;
    case UrlJoin_AnonymousJoin: {
        const QString server = parser->m_qstrSipServerAddress;
        const QString number = parser->m_qstrConfNumber;
        const QString password = parser->m_qstrPassword;
        parser->clear();
        CCallController::getInstance()->anonymousJoinConf(server, number, QString(), password);
        break;
    }
    case UrlJoin_Dial:
        dialParsedUrl();
        break;
    case UrlJoin_Keep:
        break;
    case UrlJoin_Discard:
        if (loginStatus == enums::LoggingIn)
            qInfo() << "Invalid login status:" << int(loginStatus);
        else if (callStatus != enums::Idle && callStatus != enums::ConfEnded)
            qInfo() << "Invalid callStatus:" << callStatus;
        else
            qInfo() << "Invalid register state:" << registerState;
        parser->clear();
        break;
    }
}

void CMainDlgManager::slotMainDlgClose()
{
    if (m_bExiting)
        return;
    qInfo("%s", RJ_FUNCTION);
    exitApp();
}

void CMainDlgManager::slotOnLanguageChanged()
{
    initErrorTables();
}

void CMainDlgManager::slotOnError(rj::engine::RJError err)
{
    if (m_bExiting)
        return;
    qInfo() << RJ_FUNCTION << "type:" << err.type << ", code:" << err.code
            << ", m_bUpdateMainDlgVisibility:" << m_bUpdateMainDlgVisibility;
    if (m_bUpdateMainDlgVisibility) {
        m_listPendingErrors.append(err);
        return;
    }
    handleError(err);
}

QString CMainDlgManager::errorText(const rj::engine::RJError &err) const
{
    if (err.action == kActionGetFeature) {
        qInfo("prompt for ACTION_GET_FEATURE");
        if (err.type == 0 && m_mapSdkErrorMsgs.contains(err.code))
            return withCode(m_mapSdkErrorMsgs.value(err.code), err.code);
        return tr("Invalid server address.");
    }
    switch (err.type) {
    case 0:
        return withCode(m_mapSdkErrorMsgs.value(err.code), err.code);
    case 3:
        return withCode(m_mapCallEndErrorMsgs.value(err.code), err.code);
    case 4:
        if (m_mapServerErrorMsgs.contains(err.code))
            return withCode(m_mapServerErrorMsgs.value(err.code), err.code);
        return withCode(err.action == kActionLogin ? tr("Failed to login(%1).") : tr("Received error(%1)."),
                        err.code);
    default:
        // One multi-argument call: the engine's message is never searched
        // for markers of its own.
        return QStringLiteral("SDK error, type: %1, code: %2, msg: %3")
            .arg(QString::number(err.type), QString::number(err.code), QString::fromStdString(err.msg));
    }
}

void CMainDlgManager::handleError(rj::engine::RJError err)
{
    qInfo() << RJ_FUNCTION << "type:" << err.type << ", code:" << err.code;
    CLoginManager *login = CLoginManager::getInstance();
    const LoginStatus loginStatus = login->m_loginStatus;
    if ((loginStatus == enums::NotLogin || loginStatus == enums::LoginFailed) && err.action != kActionCallEnd) {
        qInfo() << "Do not show the error message for the login status is" << loginStatus;
        return;
    }
    if (err.action == kActionUploadUserImage)
        return;
    if (loginStatus == enums::LoggedIn) {
        if (err.type == 0 && err.action != kActionCallEnd) {
            qInfo() << "Do not handle sdk error, since not onCallEnd and the login status is:" << loginStatus;
            return;
        }
        if (err.action == kActionLogin) {
            qInfo() << "Do not handle message:" << err.action.c_str() << ", since the login status is LoggedIn.";
            return;
        }
    }
    if (loginStatus == enums::LoggingIn) {
        qInfo() << "Login failed. Current login status:" << loginStatus;
        login->onLoggingInFailed(true);
    }
    const QString text = errorText(err);
    if (text.isEmpty()) {
        qInfo("Can not show error prompt for the prompt string is empty.");
        return;
    }
    qInfo() << "Show message for SDK error, type:" << err.type << ", code:" << err.code;
    CModualDlgsManager::closeAllModualDlgs(false);
    AlertDlg::showPrompt(getActiveMainDlg(), tr("Prompt"), text);
    qInfo("%s done", RJ_FUNCTION);
}

void CMainDlgManager::initErrorTables()
{
    m_mapSdkErrorMsgs = {
        {1, tr("Unknown error(%1).")},
        {2, tr("Sdk is not initialized(%1).")},
        {3, tr("Bad format for sdk(%1).")},
        {4, tr("The operation is only supported in a conference(%1).")},
        {5, tr("Bad parameter for sdk(%1).")},
        {6, tr("Failed to register(%1).")},
        {7, tr("Internal error in sdk(%1).")},
        {8, tr("Server unreachable, please try again later(%1).")},
        {9, tr("Invalid server(%1).")},
        {10, tr("The other party has hung up(%1).")},
        {11, tr("The other party is busy(%1).")},
        {12, tr("Call timeout(%1).")},
        {13, tr("Not login(%1).")},
        {14, tr("Call timeout, terminate the call(%1).")},
        {16, tr("Failed to resolve domain, please check if the domain service setting is correct(%1).")},
    };
    m_mapServerErrorMsgs = {
        {1010, tr("Invalid token(%1).")},
        {1060, tr("Operation failure(%1).")},
        {1999, tr("Internal error(%1).")},
        {2000, tr("Invalid username or password.")},
        {2001, tr("Invalid username or password.")},
        {2010, tr("Account is locked(%1).")},
        {2020, tr("Account is not used(%1).")},
        {4101, tr("Failed to connect to media server(%1).")},
        {4102, tr("No resource(%1).")},
        {4103, tr("The device is not in allow list(%1).")},
        {4104, tr("The number of concurrent calls reaches maximum(%1).")},
        {4105, tr("Invalid URL address(%1).")},
        {4106, tr("Invalid registration password(%1).")},
        {4107, tr("Invalid registration username(%1).")},
        {4108, tr("Registration identification is used(%1).")},
        {4109, tr("The registration username and authentication username are inconsistent(%1).")},
        {4110, tr("An error occurred in the registration server(%1).")},
        {4111, tr("The endpoint is not registerred(%1).")},
        {4201, tr("Failed to connect to ROZ(%1).")},
        {4202, tr("Failed to connect to ZOV(%1).")},
        {4203, tr("The call is forbidden by ZOV(%1).")},
        {4204, tr("The contact is offline(%1).")},
        {4205, tr("The meeting can not be activated(%1).")},
        {6600, tr("Invalid parameter(%1).")},
        {6601, tr("Invalid meeting room password(%1).")},
        {6602, tr("The meeting room password is required(%1).")},
        {6603, tr("No media resource(%1).")},
        {6604, tr("Failed to create meeting room(%1).")},
        {6605, tr("No permission to create meeting room(%1).")},
        {6606, tr("The meeting room is existed(%1).")},
        {6607, tr("Creating meeting room is forbidden(%1).")},
        {6608, tr("The meeting is locked(%1).")},
    };
    m_mapCallEndErrorMsgs = {
        {11, tr("Network unavailable. Please check and try again(%1).")},
        {100, tr("Meeting ended or terminated by meeting host(%1).")},
        {101, tr("Meeting ended or terminated by meeting host(%1).")},
        {102, tr("Network unavailable. Please check and try again(%1).")},
    };
}

} // namespace rj_app::views
