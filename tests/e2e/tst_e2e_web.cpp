// End to end with the web pages of a "ROZ" server: the client starts without
// the web engine; signed in against the demo server's "ROZ" port, the home
// window shows the server's meeting list page, whose "Join" leads through
// the join dialog into the call; the contacts page calls a person; the
// conference-control window shows the call's page; and the real executable,
// signing in by itself, loads the web library and shows the pages.

#include "E2eCallSupport.h"
#include "E2eSupport.h"

#include "support/AlertBoxSeam.h"
#include "support/DemoServerProcess.h"
#include "support/ModalDialogDriver.h"
#include "support/PageScript.h"
#include "support/StandInRingtone.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/CWaitingDlg.h"
#include "views/incall/CConfMngtDlg.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "views/meetings/CWebPageHost.h"
#include "views/meetings/WebComponents.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QListView>
#include <QProcess>
#include <QScreen>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <csignal>

using glimora::test::AlertBoxSeam;
using glimora::test::ModalDialogDriver;
using rj_app::models::CLoginManager;
using rj_app::views::CHomeDlg;
using rj_app::views::CLayoutBackgroundDlg;
using rj_app::views::CMainDlgManager;
using rj_app::views::CWebPageHost;
using namespace rj_app::enums;
using namespace glimora::test::e2e;
namespace desktop = glimora::test::desktop;

namespace {

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The shared objects a process has mapped, by file name.
QStringList mappedLibraries(qint64 pid)
{
    QStringList names;
    const QStringList lines = readFile(QStringLiteral("/proc/%1/maps").arg(pid)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString file = line.section(QLatin1Char(' '), -1).section(QLatin1Char('/'), -1);
        if (file.contains(QLatin1String(".so")) && !names.contains(file))
            names << file;
    }
    return names;
}

QStringList matching(const QStringList &names, const QString &part)
{
    QStringList out;
    for (const QString &n : names)
        if (n.contains(part))
            out << n;
    return out;
}

// The window of another program that a person meets at the screen's centre,
// where the client centres its windows: its place on screen, or an empty
// rectangle while one of this process's windows (or none) is there.
QRect foreignWindowAtTheCentre()
{
    const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
    const QList<desktop::WindowId> chain = desktop::windowChainAt(centre);
    if (chain.isEmpty() || desktop::topLevelAt(centre))
        return QRect();
    return desktop::geometryOf(chain.first());
}

// The real executable with user data of its own, so it is a first instance
// beside this test, on the same demo server.
class ClientProcess
{
public:
    ClientProcess(const QString &root, int rozPort)
        : m_root(root)
        , m_rozPort(rozPort)
    {
    }
    ~ClientProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            ::kill(pid_t(process.processId()), SIGTERM);
            if (!process.waitForFinished(kWaitMs))
                process.kill();
        }
    }
    void start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *dir : {"appdata", "HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
            const QString path = m_root + QLatin1Char('/') + QLatin1String(dir);
            QDir().mkpath(path);
            env.insert(QLatin1String(dir), path);
        }
        const QString runtime = m_root + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("RJSIM_TIME_SCALE"), QStringLiteral("0"));
        env.insert(QStringLiteral("RJSIM_ROZ_PORTS"), QString::number(m_rozPort));
        process.setProgram(QStringLiteral(GLIMORA_EXECUTABLE));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start();
    }
    // Where the client keeps its configuration file.
    QString configFile() const { return dataDir() + QStringLiteral("/Glimora/Config/config.ini"); }
    QString dataDir() const { return m_root + QStringLiteral("/appdata/glimora"); }
    QString log() const { return readFile(dataDir() + QStringLiteral("/app.log")); }

    QProcess process;

private:
    QString m_root;
    int m_rozPort;
};

} // namespace

class TestEndToEndWeb : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};
    CallMouse &m_mouse = callMouse();

    CWebPageHost *currentPage(QWidget *window)
    {
        for (CWebPageHost *page : window->findChildren<CWebPageHost *>())
            if (page->isVisible())
                return page;
        return nullptr;
    }

    // Runs a script in a host's page and waits for its value.
    QVariant js(CWebPageHost *host, const QString &script)
    {
        auto *view = host ? host->findChild<QWebEngineView *>() : nullptr;
        return glimora::test::runPageScript(view ? view->page() : nullptr, script, kWaitMs);
    }

    QStringList jsList(CWebPageHost *host, const QString &expression)
    {
        const QByteArray json = js(host, QStringLiteral("JSON.stringify(%1)").arg(expression)).toString().toUtf8();
        QStringList out;
        for (const QJsonValue &v : QJsonDocument::fromJson(json).array())
            out << v.toVariant().toString();
        return out;
    }

    // A person's click on the element the selector finds: the page scrolls
    // it into view and tells where it is; the mouse goes to the web view.
    void clickInPage(CWebPageHost *host, const QString &selector)
    {
        const QStringList at = jsList(host, QStringLiteral("(function () {"
                                                          "  var e = document.querySelector('%1');"
                                                          "  if (!e) return [];"
                                                          "  e.scrollIntoView({block: 'center'});"
                                                          "  var r = e.getBoundingClientRect();"
                                                          "  return [r.left + r.width / 2, r.top + r.height / 2];"
                                                          "})()")
                                                .arg(selector));
        QCOMPARE(at.size(), 2);
        auto *view = host->findChild<QWebEngineView *>();
        const double zoom = view->page()->zoomFactor();
        const QPoint pos(qRound(at.at(0).toDouble() * zoom), qRound(at.at(1).toDouble() * zoom));
        QVERIFY2(view->rect().contains(pos), qPrintable(QStringLiteral("%1 lies outside the page's area").arg(selector)));
        // The page shows something where a person aims, not a blank sheet.
        const QRect around(screenRectOf(view).topLeft() + pos - QPoint(40, 12), QSize(80, 24));
        QVERIFY2(QTest::qWaitFor([&] { return distinctColours(grabScreen(around)) > 2; }, kWaitMs),
                 qPrintable(QStringLiteral("nothing shows at %1").arg(selector)));
        personClicks(view, pos);
    }

    // The "Signed in as" line of a page, empty while hidden.
    QString signedInAs(CWebPageHost *page)
    {
        return js(page, QStringLiteral("document.querySelector('.user').hidden ? '' "
                                       ": document.getElementById('user-name').textContent"))
            .toString();
    }

    void openTab(int row)
    {
        CHomeDlg *home = CHomeDlg::getInstance();
        auto *menu = child<QListView>(home, "m_pLvMenus");
        QVERIFY(menu && menu->isVisible());
        const QRect item = menu->visualRect(menu->model()->index(row, 0));
        personClicks(menu->viewport(), item.center());
        QTRY_COMPARE_WITH_TIMEOUT(home->contentStack()->currentIndex(), row, kWaitMs);
    }

    CWebPageHost *shownPage(QWidget *window, const char *kind)
    {
        CWebPageHost *page = nullptr;
        const bool up = QTest::qWaitFor(
            [&] {
                page = currentPage(window);
                return page && page->displayState() == CWebPageHost::Shown
                       && js(page, QStringLiteral("document.body.dataset.page")).toString() == QLatin1String(kind);
            },
            kWaitMs);
        return up ? page : nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());
        qputenv("RJSIM_ROZ_PORTS", QByteArray::number(m_server.rozPort));
        // Where the application finds the library: beside itself.
        rj_app::views::WebComponents::setLibraryPath(QStringLiteral(GLIMORA_WEB_LIBRARY));
        CMainDlgManager::getInstance()->setExitFunction([](int) {});
    }

    // The client's start, up to a login window waiting for a person, maps
    // no part of the web engine.
    void startsWithoutTheWebEngine()
    {
        QTemporaryDir root;
        ClientProcess client(root.path(), m_server.rozPort);
        client.start();
        QVERIFY(client.process.waitForStarted(kWaitMs));
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains(QLatin1String("automatic login started: false")), kWaitMs);
        // Its login window comes over this process's and shows something.
        QRect shown;
        QVERIFY2(QTest::qWaitFor([&] { return !(shown = foreignWindowAtTheCentre()).isEmpty(); }, kWaitMs),
                 "the client's login window does not show");
        checkShot(QStringLiteral("web-real-client-login"), [&shown] { return grabScreen(shown); });
        const QStringList libraries = mappedLibraries(client.process.processId());
        QVERIFY2(!matching(libraries, QStringLiteral("libQt5Widgets")).isEmpty(), qPrintable(libraries.join(' ')));
        QCOMPARE(matching(libraries, QStringLiteral("WebEngine")), QStringList());
        QCOMPARE(matching(libraries, QStringLiteral("glimora_web")), QStringList());
    }

    // Signed in against the "ROZ" port, the home window shows the server's
    // meeting list page, which lists the demo meetings alice sees.
    void signInShowsTheMeetingsPage()
    {
        rj_app::views::CLoginDlg *dlg = rj_app::views::CLoginDlg::getInstance();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        QTRY_VERIFY_WITH_TIMEOUT(rj_app::models::CRJSdkManager::getInstance() != nullptr, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!rj_app::views::CWaitingDlg::getInstance()->isVisible(), kWaitMs);
        submitLogin(m_server.rozPort, QStringLiteral("alice"), QStringLiteral("Alice123"));
        QTRY_COMPARE_WITH_TIMEOUT(CLoginManager::getInstance()->m_loginStatus, LoggedIn, kWaitMs);
        CHomeDlg *home = CHomeDlg::getInstance();
        QTRY_VERIFY_WITH_TIMEOUT(home->isVisible(), kWaitMs);
        QVERIFY(QTest::qWaitForWindowExposed(home));

        CWebPageHost *page = shownPage(home, "conferences");
        QVERIFY2(page, "the meeting list page did not come up");
        QCOMPARE(QString::fromLatin1(page->metaObject()->className()),
                 QStringLiteral("rj_app::views::CWebBrowserWrapperForm"));
        QCOMPARE(jsList(page, QStringLiteral("Array.from(document.querySelectorAll('tr[data-meeting]'))"
                                             ".map(function (r) { return r.dataset.meeting; }).sort()")),
                 QStringList({"1001", "1002", "1003", "1004", "1005", "1006", "1007", "8201001"}));
        QCOMPARE(js(page, QStringLiteral("document.querySelector('tr[data-meeting=\"1001\"] td.name').textContent"))
                     .toString(),
                 QStringLiteral("Weekly sync"));
        // The page says who is signed in, once the client has told it.
        QTRY_COMPARE_WITH_TIMEOUT(signedInAs(page), QStringLiteral("Alice Chen"), kWaitMs);
        // The page paints a moment after it announced itself: the picture is
        // taken once the page's own area shows something.
        auto *view = page->findChild<QWebEngineView *>();
        const QRect pageArea = screenRectOf(view);
        QVERIFY2(QTest::qWaitFor([&] { return hasContent(grabScreen(pageArea)); }, kWaitMs), "the page shows nothing");
        checkShot(QStringLiteral("web-meetings-page"), [home] { return grabScreen(screenRectOf(home)); });
    }

    // "Join" in the page opens the join dialog with the meeting's number; its
    // join leads into the call, and leaving it back home.
    void joinFromThePage()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        CWebPageHost *page = shownPage(CHomeDlg::getInstance(), "conferences");
        QVERIFY(page);
        QString offered;
        ModalDialogDriver driver(kWaitMs);
        driver.expect("rj_app::views::CJoinConfDlg",
                      ModalDialogDriver::both(
                          [&offered](QWidget *dlg) {
                              offered = child<QComboBox>(dlg, "m_pCmbBoxConfNumber")->currentText();
                          },
                          personClicksButtonNamed(QStringLiteral("m_pBtnVideoJoin"))));
        clickInPage(page, QStringLiteral("tr[data-meeting=\"1001\"] button.join"));
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY_WITH_TIMEOUT(driver.allHandled(), kWaitMs);
        QVERIFY2(driver.failures().isEmpty(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
        QCOMPARE(offered, QStringLiteral("1001"));
        expectTheCall(QStringLiteral("Weekly sync"));
        if (QTest::currentTestFailed())
            return;
        checkShot(QStringLiteral("web-joined-call"),
                  [] { return grabScreen(screenRectOf(CLayoutBackgroundDlg::getInstance())); });

        // The call's conference control is the server's page for this
        // meeting: alice owns it, so the toolbar offers the control.
        m_mouse.install();
        m_mouse.bringUpTheToolbar();
        if (QTest::currentTestFailed())
            return;
        auto *controlButton = child<QWidget>(toolbar(), "m_pBtnConfMngt");
        QTRY_VERIFY_WITH_TIMEOUT(controlButton->isVisible(), kWaitMs);
        personClicks(controlButton);
        if (QTest::currentTestFailed())
            return;
        // The click reaches the client a moment after it was sent.
        rj_app::views::CConfMngtDlg *control = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((control = toolbar()->findChild<rj_app::views::CConfMngtDlg *>()) && control->isVisible(),
                                 kWaitMs);
        CWebPageHost *controlPage = shownPage(control, "confControl");
        QVERIFY2(controlPage, "the conference control page did not come up");
        QCOMPARE(js(controlPage, QStringLiteral("document.getElementById('meeting-name').textContent")).toString(),
                 QStringLiteral("Weekly sync"));
        QVERIFY(!jsList(controlPage, QStringLiteral("Array.from(document.querySelectorAll('tr[data-user] td.name'))"
                                                    ".map(function (c) { return c.textContent; })"))
                     .isEmpty());
        QVERIFY(js(controlPage, QStringLiteral("!document.getElementById('end-area').hidden")).toBool());
        // A person sees the page over the call, above its mouse cover, where
        // the X server shows it. (The client's own idea of its place lags
        // behind now and then: left open.)
        QTRY_VERIFY_WITH_TIMEOUT(desktop::isViewable(control), kWaitMs);
        expectOnTop(control, desktop::geometryOf(control).center());
        auto *controlView = controlPage->findChild<QWebEngineView *>();
        QVERIFY2(QTest::qWaitFor([&] { return hasContent(grabScreen(screenRectOf(controlView))); }, kWaitMs),
                 "the conference control page shows nothing");
        checkShot(QStringLiteral("web-conference-control"), [control] { return grabScreen(screenRectOf(control)); });
        // Closed from its own button, as a person does.
        personClicks(child<QWidget>(control, "m_pBtnClose"));
        QTRY_VERIFY_WITH_TIMEOUT(control->isHidden(), kWaitMs);

        leaveTheCall();
        QTRY_VERIFY_WITH_TIMEOUT(CHomeDlg::getInstance()->isVisible(), kWaitMs);
        QCOMPARE(seam.count(), 0);
        // Back home the page lists the meetings, still says who is signed
        // in, and still reaches its server: the refresh it made when the home
        // window came back leaves no error, and a request of its own works.
        CWebPageHost *back = shownPage(CHomeDlg::getInstance(), "conferences");
        QVERIFY(back);
        QTRY_VERIFY_WITH_TIMEOUT(js(back, QStringLiteral("document.querySelectorAll('tr[data-meeting]').length")).toInt() > 0,
                                 kWaitMs);
        QCOMPARE(signedInAs(back), QStringLiteral("Alice Chen"));
        js(back, QStringLiteral("window.probe = ''; Roz.get('/meetings', { joinMode: 'TOVAN' }).then("
                                "function () { window.probe = 'answered'; },"
                                "function (e) { window.probe = e.message; }); 0"));
        QTRY_VERIFY_WITH_TIMEOUT(!js(back, QStringLiteral("window.probe")).toString().isEmpty(), kWaitMs);
        QCOMPARE(js(back, QStringLiteral("window.probe")).toString(), QStringLiteral("answered"));
        QCOMPARE(js(back, QStringLiteral("document.getElementById('status').textContent")).toString(), QString());
    }

    // The contacts page lists alice's contacts; "Call" dials at once.
    void contactsPageCallsAPerson()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        openTab(1);
        CWebPageHost *page = shownPage(CHomeDlg::getInstance(), "contact");
        QVERIFY2(page, "the contacts page did not come up");
        QCOMPARE(jsList(page, QStringLiteral("Array.from(document.querySelectorAll('#contact-rows td.name'))"
                                             ".map(function (c) { return c.textContent; })")),
                 QStringList({"Carol Wu", "Dave Li"}));
        auto *view = page->findChild<QWebEngineView *>();
        QVERIFY2(QTest::qWaitFor([&] { return hasContent(grabScreen(screenRectOf(view))); }, kWaitMs),
                 "the contacts page shows nothing");
        checkShot(QStringLiteral("web-contacts-page"),
                  [] { return grabScreen(screenRectOf(CHomeDlg::getInstance())); });
        clickInPage(page, QStringLiteral("#contact-rows tr[data-number=\"8001\"] button.call"));
        if (QTest::currentTestFailed())
            return;
        expectTheCall(QStringLiteral("Carol Wu"));
        if (QTest::currentTestFailed())
            return;
        leaveTheCall();
        QTRY_VERIFY_WITH_TIMEOUT(CHomeDlg::getInstance()->isVisible(), kWaitMs);
        QCOMPARE(seam.count(), 0);
    }

    // The real executable, signing in by itself with what this sign-in
    // stored, loads the web library beside it and shows the server's page.
    void realClientShowsTheWebPages()
    {
        QTemporaryDir root;
        ClientProcess client(root.path(), m_server.rozPort);
        const QString stored = rj_app::helpers::CUserConfigUtils::getUserConfigPath()
                               + QStringLiteral("/Glimora/Config/config.ini");
        QVERIFY(QDir().mkpath(QFileInfo(client.configFile()).path()));
        QVERIFY(QFile::copy(stored, client.configFile()));
        client.start();
        QVERIFY(client.process.waitForStarted(kWaitMs));
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains(QLatin1String("CWebJsContext::pageCreated")), kWaitMs);
        const QStringList libraries = mappedLibraries(client.process.processId());
        QCOMPARE(matching(libraries, QStringLiteral("libglimora_web")), QStringList{"libglimora_web.so"});
        QVERIFY2(!matching(libraries, QStringLiteral("libQt5WebEngineCore")).isEmpty(), qPrintable(libraries.join(' ')));
        QVERIFY(!client.log().contains(QLatin1String("web pages are not available")));
        // Its home window, the size of this process's, comes over it with
        // the page painted: the page's heading, where the page lies in this
        // process's home window, shows text (while loading it is blank there).
        CHomeDlg *home = CHomeDlg::getInstance();
        CWebPageHost *ownPage = currentPage(home);
        QVERIFY(ownPage);
        const QRect heading(ownPage->mapTo(home, QPoint(0, 0)), QSize(ownPage->width(), 60));
        const QSize homeSize = desktop::geometryOf(home).size();
        QRect shown;
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         shown = foreignWindowAtTheCentre();
                         return shown.size() == homeSize && hasContent(grabScreen(heading.translated(shown.topLeft())));
                     },
                     kWaitMs),
                 qPrintable(QStringLiteral("the client's page does not show (%1x%2 at the centre)")
                                .arg(shown.width())
                                .arg(shown.height())));
        checkShot(QStringLiteral("web-real-client-home"), [&shown] { return grabScreen(shown); });

        // The end of the session ends it in order, web pages and all.
        QCOMPARE(::kill(pid_t(client.process.processId()), SIGTERM), 0);
        QVERIFY(client.process.waitForFinished(kWaitMs));
        QCOMPARE(client.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(client.process.exitCode(), 0);
        QVERIFY(client.log().contains(QLatin1String("Exit app")));
        QCOMPARE(QDir(client.dataDir()).entryList({QStringLiteral("*.dmp")}), QStringList());
    }
};

GLIMORA_E2E_MAIN(TestEndToEndWeb, "0")
#include "tst_e2e_web.moc"
