// glimora-bench-signin: the client's own start-up, in this process, then one
// sign-in through the login page, timed from the click.
//
//   glimora-bench-signin --port <demo server port> [--wrong-password | --until-meetings] [--timeout-ms N]
//
// Prints one line starting with "bench:" on stdout, all times in ms:
//   bench: mode=signin ready=<since main> shown=<home window's Show> exposed=<its first exposure>
//   bench: mode=signin ready=.. shown=.. exposed=.. rows=<the meeting list's first row painted> rowcount=<rows>
//   bench: mode=wrong ready=<since main> refused=<status LoginFailed seen> box=<refusal box asked for>
// or "bench: error=<what>" with exit status 1. Then it ends the way Exit does.

#include "app/AppStartup.h"
#include "app/CSingleApplication.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/CWaitingDlg.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CLoginInfoForm.h"
#include "views/main/CMainDlgManager.h"
#include "views/meetings/CConferencesListWidget.h"
#include "views/meetings/CConferencesMainPage.h"
#include "views/meetings/CConferencesWidget.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::AlertDlg;
using rj_app::views::CHomeDlg;
using rj_app::views::CLoginDlg;
using rj_app::views::CLoginInfoForm;
using rj_app::views::CConferencesWidget;
using rj_app::views::CMainDlgManager;
using rj_app::views::CWaitingDlg;

namespace {

QElapsedTimer g_sinceMain;

double nowMs()
{
    return double(g_sinceMain.nsecsElapsed()) / 1e6;
}

struct Options
{
    int port = 0;
    bool wrongPassword = false;
    // Goes on after the home window until the meetings tab paints its list.
    bool untilMeetings = false;
    int timeoutMs = 30000;
};

bool parseOptions(int argc, char **argv, Options *options)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc)
            options->port = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--timeout-ms") == 0 && i + 1 < argc)
            options->timeoutMs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--wrong-password") == 0)
            options->wrongPassword = true;
        else if (std::strcmp(argv[i], "--until-meetings") == 0)
            options->untilMeetings = true;
        else
            return false;
    }
    return options->port > 0 && options->timeoutMs > 0 && !(options->wrongPassword && options->untilMeetings);
}

template <typename T> T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

class Driver : public QObject
{
public:
    explicit Driver(const Options &options)
        : m_options(options)
    {
    }

    void begin()
    {
        connect(&m_poll, &QTimer::timeout, this, [this] { pollReady(); });
        m_poll.start(2);
        QTimer::singleShot(m_options.timeoutMs, this, [this] { fail("timeout"); });
    }

    int exitCode() const { return m_exitCode; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_clickAt < 0 || m_finished)
            return false;
        if (event->type() == QEvent::Show && !m_home) {
            if (auto *home = qobject_cast<CHomeDlg *>(watched)) {
                m_home = home;
                m_shownAt = nowMs();
            }
        } else if (event->type() == QEvent::Expose && m_home && m_exposedAt < 0 && watched->isWindowType() &&
                   watched == m_home->windowHandle() && static_cast<QWindow *>(watched)->isExposed()) {
            m_exposedAt = nowMs();
            finishSignIn();
        } else if (event->type() == QEvent::Paint && m_options.untilMeetings && m_home && m_rowsAt < 0 &&
                   meetingRowCount(watched) > 0) {
            m_rowsAt = nowMs();
            finishSignIn();
        }
        return false;
    }

private:
    // The account page waits for the person: the engine is up, the waiting
    // overlay is gone and the sign-in button can be pressed.
    void pollReady()
    {
        CLoginDlg *dlg = CLoginDlg::getInstance();
        if (!dlg->isVisible() || CRJSdkManager::getInstance() == nullptr || CWaitingDlg::getInstance()->isVisible())
            return;
        auto *form = dlg->findChild<CLoginInfoForm *>();
        if (!form || !form->isVisible())
            return;
        auto *button = child<QPushButton>(form, "m_pBtnLogin");
        if (!button || !button->isVisible() || !button->isEnabled())
            return;
        m_poll.stop();
        m_readyAt = nowMs();
        signIn(form, button);
    }

    void signIn(CLoginInfoForm *form, QPushButton *button)
    {
        auto *server = child<QLineEdit>(form, "m_pEditServer");
        auto *more = child<QCheckBox>(form, "m_pChkBoxMore");
        auto *port = child<QLineEdit>(form, "m_pEditPort");
        auto *account = child<QLineEdit>(form, "m_pEditAccount");
        auto *password = child<QLineEdit>(form, "m_pEditPassword");
        auto *https = child<QCheckBox>(form, "m_pChkBoxUseHttps");
        if (!server || !more || !port || !account || !password || !https)
            return fail("login-page-fields-missing");
        server->setText(QStringLiteral("127.0.0.1"));
        if (!more->isChecked())
            more->click();
        if (!port->isVisible())
            return fail("port-field-hidden");
        // The demo server speaks plain HTTP.
        if (https->isChecked())
            https->click();
        port->setText(QString::number(m_options.port));
        account->setText(QStringLiteral("alice"));
        password->setText(m_options.wrongPassword ? QStringLiteral("not-her-password") : QStringLiteral("Alice123"));

        connect(CLoginManager::getInstance(), &CLoginManager::loginStatusChanged, this,
                [this](rj_app::enums::LoginStatus status) {
                    if (status == rj_app::enums::LoginFailed && m_refusedAt < 0)
                        m_refusedAt = nowMs();
                });
        // Boxes are answered here: the refusal is the end of a wrong-password
        // run and any box is a failure of a sign-in run.
        AlertDlg::setInterceptor([this](const AlertDlg::Request &request) {
            onBox(request.text);
            return std::optional<QDialogButtonBox::StandardButton>(QDialogButtonBox::Ok);
        });
        qApp->installEventFilter(this);

        m_clickAt = nowMs();
        button->click();
    }

    void onBox(const QString &text)
    {
        if (m_finished)
            return;
        if (!m_options.wrongPassword)
            return fail("box:" + text.toUtf8().replace(' ', '_'));
        if (text != QLatin1String("Invalid username or password."))
            return fail("unexpected-box:" + text.toUtf8().replace(' ', '_'));
        const double boxAt = nowMs();
        if (m_refusedAt < 0)
            return fail("box-without-LoginFailed");
        std::printf("bench: mode=wrong ready=%.1f refused=%.1f box=%.1f\n", m_readyAt, m_refusedAt - m_clickAt,
                    boxAt - m_clickAt);
        end(0);
    }

    // The rows of the meetings tab's list are widgets on its viewport: the
    // list's row count when `watched` is one of them, else 0.
    int meetingRowCount(QObject *watched) const
    {
        CConferencesWidget *tab = m_home->conferencesWidget();
        if (!tab || !watched->isWidgetType())
            return 0;
        CConferencesListWidget *list = tab->mainPage()->listWidget();
        return static_cast<QWidget *>(watched)->parentWidget() == list->viewport() ? list->count() : 0;
    }

    // At the home window's exposure, or with --until-meetings once the
    // meeting list's rows are painted as well.
    void finishSignIn()
    {
        if (m_options.wrongPassword)
            return fail("home-window-after-wrong-password");
        if (CLoginManager::getInstance()->m_loginStatus != rj_app::enums::LoggedIn)
            return fail("home-window-before-LoggedIn");
        if (!m_options.untilMeetings) {
            std::printf("bench: mode=signin ready=%.1f shown=%.1f exposed=%.1f\n", m_readyAt, m_shownAt - m_clickAt,
                        m_exposedAt - m_clickAt);
            return end(0);
        }
        if (m_exposedAt < 0 || m_rowsAt < 0)
            return;
        std::printf("bench: mode=signin ready=%.1f shown=%.1f exposed=%.1f rows=%.1f rowcount=%d\n", m_readyAt,
                    m_shownAt - m_clickAt, m_exposedAt - m_clickAt, m_rowsAt - m_clickAt,
                    m_home->conferencesWidget()->mainPage()->listWidget()->count());
        end(0);
    }

    void fail(const QByteArray &what)
    {
        if (m_finished)
            return;
        std::printf("bench: error=%s\n", what.constData());
        end(1);
    }

    // Ends the way Exit does, once the current event is done.
    void end(int code)
    {
        m_finished = true;
        m_exitCode = code;
        std::fflush(stdout);
        m_poll.stop();
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, CMainDlgManager::getInstance(), [] { CMainDlgManager::getInstance()->exitApp(); });
    }

    Options m_options;
    QTimer m_poll;
    QPointer<CHomeDlg> m_home;
    double m_readyAt = -1;
    double m_clickAt = -1;
    double m_refusedAt = -1;
    double m_shownAt = -1;
    double m_exposedAt = -1;
    double m_rowsAt = -1;
    bool m_finished = false;
    int m_exitCode = 1;
};

} // namespace

int main(int argc, char *argv[])
{
    g_sinceMain.start();
    Options options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: glimora-bench-signin --port <demo server port> [--wrong-password | --until-meetings]"
                     " [--timeout-ms N]\n");
        return 2;
    }
    // Our own arguments are neither Qt's nor a join URL.
    int qtArgc = 1;
    rj_app::startup::prepare(qtArgc, argv);
    rj_app::CSingleApplication app(qtArgc, argv, rj_app::CSingleApplication::userInstanceKey());
    if (!rj_app::startup::start(app, qtArgc, argv)) {
        std::printf("bench: error=not-the-first-instance\n");
        return 1;
    }
    Driver driver(options);
    driver.begin();
    const int code = app.exec();
    AlertDlg::setInterceptor({});
    return code != 0 ? code : driver.exitCode();
}
