#include "app/AppStartup.h"

#include "app/CNativeEventFilters.h"
#include "app/CSingleApplication.h"
#include "breadpad_wrapper/CBreakpadHandler.h"
#include "helpers/CLogger.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "models/CUrlPixmap.h"
#include "platform/CScreenDpiWatcher.h"
#include "platform/CScreenSaverInhibitor.h"
#include "platform/CTerminationWatcher.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "views/settings/CDownloadThread.h"
#include "views/settings/CSaveFailureNotice.h"

#include <QDebug>
#include <QDir>
#include <QFont>
#include <QMessageBox>
#include <QSysInfo>
#include <QStandardPaths>
#include <QThread>

namespace rj_app::startup {

namespace {

const char *const kActivate = "Activate";

InfoBox &infoBox()
{
    static InfoBox s_box;
    return s_box;
}

// Nothing goes to stdout: the line waits for the log.
void cacheEarly(const QString &line)
{
    earlyLogCache() << line << QStringLiteral("\n");
}


} // namespace

QString meetingNumberOf(const QString &dialString)
{
    int end = dialString.size();
    for (const QChar mark : {QLatin1Char('*'), QLatin1Char('@')}) {
        const int at = dialString.indexOf(mark);
        if (at >= 0 && at < end)
            end = at;
    }
    return dialString.left(end);
}

QStringList &earlyLogCache()
{
    static QStringList s_cache;
    return s_cache;
}

void setInfoBox(InfoBox box)
{
    infoBox() = std::move(box);
}

bool supportDesktopOpengl()
{
    cacheEarly(QStringLiteral("load d3d9.dll failed!"));
    return false;
}

void prepare(int argc, char **argv)
{
    // Until the log file is open, what the steps below report waits for it.
    helpers::CLogger::holdUntilConfigured();
    // Everything below reads "appdata"; without it the data live where the
    // desktop keeps application data.
    if (qEnvironmentVariableIsEmpty("appdata")) {
        const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        qputenv("appdata", QFile::encodeName(dataDir));
    }
    QCoreApplication::setApplicationName(QStringLiteral("glimora"));
    platform::CScreenDpiWatcher::keepQtScalingOff();

    const char *program = argc > 0 ? argv[0] : "glimora";
    cacheEarly(QStringLiteral("argv[0]: ") + QString::fromLocal8Bit(program));
    cacheEarly(QStringLiteral("dir path: ") + QDir::currentPath());

    helpers::CUserConfigUtils::initInstance(program);

    if (supportDesktopOpengl()) {
        cacheEarly(QStringLiteral("openGL supported, set to AA_UseOpenGLES(ANGEL)"));
        QCoreApplication::setAttribute(Qt::AA_UseOpenGLES);
    } else {
        cacheEarly(QStringLiteral("Not support openGL, use default"));
    }
}

LaterInstanceMessage laterInstanceMessage(int joinProtocol, enums::LoginStatus storedLoginStatus, bool confRunning,
                                          const QString &storedConfId, const QString &parsedConfNumber,
                                          const QString &argument)
{
    const QString activate = QLatin1String(kActivate);
    if (joinProtocol == models::UrlJoinConfProtocol_None)
        return {activate, QString(), QStringLiteral("Invalid url")};
    if (storedLoginStatus == enums::LoggingIn) {
        const QString text = QCoreApplication::translate("main", "Another process of the application is logging in.");
        return {activate, text, QStringLiteral("loginStatus: LoggingIn ") + text};
    }
    // The running meeting is stored as dialled, with its password and server;
    // only the numbers are compared, and only they are logged.
    const QString runningNumber = meetingNumberOf(storedConfId);
    const QString urlNumber = meetingNumberOf(parsedConfNumber);
    if (confRunning && runningNumber == urlNumber)
        return {activate, QString(),
                QStringLiteral("Another app with same address running started and conf running")};
    if (confRunning)
        return {activate, QCoreApplication::translate("main", "Another meeting is running on the application."),
                QStringLiteral("Another conference is running on the application. Running conf id: %1, current conf id: %2")
                    .arg(runningNumber, urlNumber)};
    return {argument, QString(), QStringLiteral("Another app not logined and inform it")};
}

bool start(CSingleApplication &app, int argc, char **argv)
{
    // The configured family is a Windows font; the desktop's CJK font stands
    // in for it where it is missing.
    QFont::insertSubstitutions(QStringLiteral("Microsoft YaHei"),
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    QApplication::setFont(QFont(QStringLiteral("Microsoft YaHei"), 9));

    qInfo().noquote() << "Cached log:" << earlyLogCache().join(QString());
    earlyLogCache().clear();

    breadpad_wrapper::CBreakpadHandler::getInstance()->setDumpPath(helpers::CUserConfigUtils::getUserConfigPath());

    qInfo().noquote() << "System:" << QSysInfo::prettyProductName() << ", kernel:" << QSysInfo::kernelType()
                      << QSysInfo::kernelVersion();
    qInfo() << "Application initialized, pid:" << QCoreApplication::applicationPid();
    qInfo() << "Thread id:" << QThread::currentThreadId();

    models::CUrlJoinConfArgsParser *parser = models::CUrlJoinConfArgsParser::getInstance();
    qInfo("construct CUrlJoinConfArgsParser");
    if (argc > 1)
        parser->parse(argv[1]);

    models::CLinguist::getInstance()->loadConfigLanguage();

    helpers::CUserConfigUtils *config = helpers::CUserConfigUtils::getInstance();
    if (app.isRunning()) {
        qInfo("There is another app running.");
        qInfo() << "joinConfProtocol:" << parser->m_iJoinConfProtocol;
        const LaterInstanceMessage decision = laterInstanceMessage(
            parser->m_iJoinConfProtocol, config->getLoginStatus(), config->getIsConfRunning(), config->getConfId(),
            parser->m_qstrConfNumber, argc > 1 ? QString::fromUtf8(argv[1]) : QString());
        qInfo().noquote() << decision.logText;
        if (!decision.boxText.isEmpty()) {
            if (infoBox())
                infoBox()(QCoreApplication::translate("main", "Prompt"), decision.boxText);
            else
                QMessageBox::about(nullptr, QCoreApplication::translate("main", "Prompt"), decision.boxText);
        }
        app.sendMessage(decision.message);
        return false;
    }

    qInfo("There is no app running. Go ahead.");
    // Before the first setter: the reset below may already fail to save.
    views::CSaveFailureNotice::install();
    config->setIsConfRunning(false);
    config->setConfId(QString());
    config->setLoginStatus(enums::NotLogin);
    qRegisterMetaType<enums::LoginStatus>("rj_app::enums::LoginStatus");

    // The model singletons that worker threads use are made here, on the GUI
    // thread, before a worker could be the first to ask for one (its objects
    // would live in that thread). The REST client is used from the GUI
    // thread only and is made on first use: its network managers load plug-ins
    // the login window does not need.
    models::CLoginManager::getInstance();
    models::CUrlPixmap::getInstance();
    views::CDownloadThread::getInstance();

    // The end of the session, or Ctrl+C in a terminal, ends the client the
    // same way as its Exit; armed before the first window shows.
    auto *termination = new platform::CTerminationWatcher(&app);
    QObject::connect(termination, &platform::CTerminationWatcher::sigTerminationRequested, &app,
                     [] { views::CMainDlgManager::getInstance()->exitApp(); });
    // So does an event loop asked to end from outside (the session manager).
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app,
                     [] { views::CMainDlgManager::getInstance()->exitApp(); });

    static CNativeEventFilters s_filter;
    app.installNativeEventFilter(&s_filter);
    static platform::CScreenSaverInhibitor *s_inhibitor = new platform::CScreenSaverInhibitor(&app);
    s_inhibitor->followApplicationState();

    qInfo() << "AA_UseDesktopOpenGL:" << QCoreApplication::testAttribute(Qt::AA_UseDesktopOpenGL)
            << "AA_UseOpenGLES:" << QCoreApplication::testAttribute(Qt::AA_UseOpenGLES)
            << "AA_UseSoftwareOpenGL:" << QCoreApplication::testAttribute(Qt::AA_UseSoftwareOpenGL);

    // A second start may already be waiting: its message is taken from the
    // first window on, so the channel is connected before that window shows.
    views::CMainDlgManager *manager = views::CMainDlgManager::getInstance();
    QObject::connect(&app, &CSingleApplication::messageAvailable, manager,
                     &views::CMainDlgManager::receiveDuplicatedAppMessage);
    views::CLoginDlg::getInstance()->show();
    return true;
}

int run(CSingleApplication &app)
{
    if (views::CMainDlgManager::getInstance()->isExiting())
        return 0;
    return app.exec();
}

} // namespace rj_app::startup
