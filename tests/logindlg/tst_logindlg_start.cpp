// The process-wide login window against the simulated engine: the delayed
// start after the first show (overlay, engine, page, refreshed forms), later
// shows that start nothing again, the waiting overlay during a login that a
// join URL started, the window's style per scale, and the guest page's
// placeholders shown whole at every scale.

#include "support/SignInServer.h"
#include "support/AlertBoxSeam.h"
#include "support/StandInRingtone.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "views/framework/CWaitingDlg.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "views/settings/CDownloadThread.h"
#include "rjsim_control.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStackedWidget>
#include <QTcpServer>

#include <memory>

using glimora::test::AlertBoxSeam;
using rj_app::helpers::CAppConfigUtils;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::models::CUrlJoinConfArgsParser;
using rj_app::views::CDownloadThread;
using rj_app::views::CLoginDlg;
using rj_app::views::CMainDlgManager;
using rj_app::views::CWaitingDlg;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;

QString readResource(const QString &path)
{
    return QString::fromUtf8(glimora::test::readBytes(path));
}

// What the overlay went through, with the login status at that moment.
class OverlayRecorder : public QObject
{
public:
    struct Change
    {
        bool shown;
        LoginStatus status;
    };
    QList<Change> changes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            changes.append({event->type() == QEvent::Show, CLoginManager::getInstance()->m_loginStatus});
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestLoginDlgStart : public QObject
{
    Q_OBJECT

    glimora::test::SignInServer m_server; // answers the engine at sign-in
    std::unique_ptr<CAppConfigUtils> m_appConfig;

    CLoginManager *login() { return CLoginManager::getInstance(); }
    CUserConfigUtils *config() { return CUserConfigUtils::getInstance(); }
    CLoginDlg *dlg() { return CLoginDlg::getInstance(); }
    CWaitingDlg *overlay() { return CWaitingDlg::getInstance(); }
    QStackedWidget *pages() { return dlg()->findChild<QStackedWidget *>(QStringLiteral("m_pStackedWgtContent")); }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(config());
        QVERIFY(glimora::test::useStandInRingtone());
        const QString ini = glimora::test::isolatedRoot() + QStringLiteral("/deploy/app-config.ini");
        QVERIFY(glimora::test::writeBytes(ini, "[Config]\nDisableResourceMonitor=true\n"));
        m_appConfig = std::make_unique<CAppConfigUtils>(ini);
        CLoginDlg::setAppConfig(m_appConfig.get());
        CDownloadThread::getInstance()->setAppConfig(m_appConfig.get());
        CMainDlgManager::getInstance()->setExitFunction([](int code) { qWarning("exit(%d) asked", code); });
        QVERIFY(!CRJSdkManager::getInstance());
    }

    void cleanupTestCase()
    {
        dlg()->hide();
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        CDownloadThread::getInstance()->Tquit();
        CDownloadThread::getInstance()->setAppConfig(nullptr);
        CLoginDlg::setAppConfig(nullptr);
        CRJSdkManager::releaseInstance();
    }

    // The first show lays the overlay at once; a moment later the engine is
    // created, the page follows the login progress, both forms show the
    // stored values and, with no stored login to try, the overlay goes.
    void firstShowStartsTheMachinery()
    {
        config()->setUser(QStringLiteral("carol"));
        config()->setJoinConfNumber(QStringLiteral("1001"));
        login()->setLoginProgress(JoinConfPage);
        rjsim_clear_journal();

        QCOMPARE(pages()->currentIndex(), 0);
        dlg()->show();
        QVERIFY(overlay()->isVisible());
        QCOMPARE(overlay()->parentWidget(), static_cast<QWidget *>(dlg()));
        QVERIFY(overlay()->windowFlags().testFlag(Qt::SplashScreen));
        QCOMPARE(overlay()->pos(), dlg()->pos());
        QCOMPARE(overlay()->size(), dlg()->size());
        QVERIFY(!CRJSdkManager::getInstance());
        QVERIFY(QTest::qWaitForWindowExposed(dlg()));

        QTRY_VERIFY_WITH_TIMEOUT(CRJSdkManager::getInstance(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!overlay()->isVisible(), kWaitMs);
        QCOMPARE(rjsim_journal_count("setLog"), 1);
        QCOMPARE(rjsim_journal_count("initialize"), 1);
        QCOMPARE(rjsim_journal_count("getFeature"), 0);
        QCOMPARE(int(login()->m_loginStatus), int(NotLogin));
        QCOMPARE(pages()->currentIndex(), 1);
        QCOMPARE(pages()->widget(0)->findChild<QLineEdit *>(QStringLiteral("m_pEditAccount"))->text(),
                 QStringLiteral("carol"));
        QCOMPARE(pages()->widget(1)->findChild<QLineEdit *>(QStringLiteral("m_pEditConfNumber"))->text(),
                 QStringLiteral("1001"));
        QVERIFY(dlg()->isVisible());

        login()->setLoginProgress(LoginInfoPage);
        QCOMPARE(pages()->currentIndex(), 0);
    }

    // Later shows neither lay the overlay nor start anything again.
    void laterShowsStartNothingAgain()
    {
        QVERIFY(CRJSdkManager::getInstance());
        rjsim_clear_journal();
        dlg()->hide();
        dlg()->show();
        QVERIFY(!overlay()->isVisible());
        QTest::qWait(CLoginDlg::kDelayedShowMs + 200);
        QVERIFY(!overlay()->isVisible());
        QCOMPARE(rjsim_journal_count("setLog"), 0);
        QCOMPARE(rjsim_journal_count("initialize"), 0);
        QCOMPARE(rjsim_journal_count("getFeature"), 0);
    }

    // A join URL with a stored login signs in first, from inside the delayed
    // show handling. The overlay follows the login: shown while it runs,
    // never taken away before it ends, gone once it failed.
    void joinUrlLoginKeepsTheOverlayWhileItRuns()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        config()->setIp(QStringLiteral("127.0.0.1"));
        config()->setPort(m_server.serverPort());
        config()->setUseHttps(false);
        config()->setUser(QStringLiteral("nobody"));
        config()->setPassword(QString::fromStdString(CRJSdkManager::getInstance()->encryptPassword(
            2, "secret", CLoginManager::m_pszPasswordKey)));
        QVERIFY(login()->hasValidConfigLoginInfo());
        CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
        QVERIFY(parser->parse("--url=brondal://127.0.0.1/joinmeeting/4242/0/NO"));
        // The engine refuses "nobody"; whoever reports that ends the login.
        connect(CRJSdkManager::getInstance(), &CRJSdkManager::eventError, this, [this](rj::engine::RJError err) {
            if (err.action == "avlogin")
                login()->onLoggingInFailed(false);
        });
        OverlayRecorder recorder;
        overlay()->installEventFilter(&recorder);
        rjsim_clear_journal();

        dlg()->hide();
        dlg()->show();
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(LoginFailed), kWaitMs);
        QCoreApplication::processEvents();
        overlay()->removeEventFilter(&recorder);

        QCOMPARE(rjsim::journalOf("avlogin").size(), size_t(1));
        QCOMPARE(QString::fromStdString(rjsim::journalOf("avlogin")[0][3]), QStringLiteral("nobody"));
        bool shownWhileLoggingIn = false;
        for (const OverlayRecorder::Change &c : recorder.changes) {
            QVERIFY2(c.shown || c.status != LoggingIn, "overlay hidden while the login ran");
            shownWhileLoggingIn = shownWhileLoggingIn || (c.shown && c.status == LoggingIn);
        }
        QVERIFY(shownWhileLoggingIn);
        QVERIFY(!overlay()->isVisible());
        QCOMPARE(parser->m_iJoinConfProtocol, 0);
        QVERIFY(dlg()->isVisible());
    }

    // A change of scale restyles the window and its pages with that scale's
    // sheets, scales its size, title bar and logo.
    void scaleChangeRestyles_data()
    {
        QTest::addColumn<uint>("dpi");
        QTest::addColumn<double>("scale");
        QTest::newRow("150 %") << 144u << 1.5;
        QTest::newRow("200 %") << 192u << 2.0;
        QTest::newRow("100 %") << 96u << 1.0;
    }
    void scaleChangeRestyles()
    {
        QFETCH(uint, dpi);
        QFETCH(double, scale);
        QVERIFY(dlg()->isVisible());
        dlg()->updateDpi(dpi == 96 ? 192 : 96);
        dlg()->updateDpi(dpi);
        QCOMPARE(dlg()->fStretchFactor, scale);
        const QString word = QString::number(scale, 'g', 6) + QStringLiteral("x");

        const struct
        {
            QWidget *widget;
            const char *base;
        } sheets[] = {{dlg(), "login-dlg"},
                      {pages()->widget(0), "login-info-form"},
                      {pages()->widget(1), "login-join-conf-form"},
                      {pages()->widget(2), "login-change-password-form"}};
        for (const auto &s : sheets) {
            const QString base = QStringLiteral(":/resources/qss/") + QLatin1String(s.base);
            const QString general = readResource(base + QStringLiteral(".qss"));
            const QString scaled = readResource(base + QLatin1Char('-') + word + QStringLiteral(".qss"));
            QVERIFY2(!general.isEmpty() && !scaled.isEmpty(), s.base);
            QCOMPARE(s.widget->styleSheet(), general + scaled);
        }

        QCOMPARE(dlg()->size(), QSize(int(320 * scale), int(569 * scale)));
        auto *titleBar = dlg()->findChild<QWidget *>(QStringLiteral("m_pWgtTitlebar"));
        QCOMPARE(titleBar->height(), int(22 * scale));
        QCOMPARE(dlg()->dragAreaHeight, titleBar->height());
        auto *logo = dlg()->findChild<QPushButton *>(QStringLiteral("m_pBtnLogo"));
        const QSize logoSize(int(272 * scale), int(44 * scale));
        QCOMPARE(logo->size(), logoSize);
        QCOMPARE(logo->iconSize(), logoSize);
        const QImage expected(QStringLiteral(":/resources/images/login/logo-") + word + QStringLiteral(".png"));
        QCOMPARE(expected.size(), logoSize);
        QCOMPARE(logo->icon().pixmap(logoSize).toImage().convertToFormat(QImage::Format_ARGB32),
                 expected.convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(dlg()->findChild<QPushButton *>(QStringLiteral("m_pBtnClose"))->width(), int(16 * scale));
    }

    // The guest page's fields show their placeholders whole at every scale,
    // in either language: none is cut short with "...".
    void guestPlaceholdersFit_data()
    {
        QTest::addColumn<uint>("dpi");
        QTest::addColumn<int>("language");
        for (uint dpi : {96u, 144u, 192u}) {
            QTest::addRow("English at %u dpi", dpi) << dpi << int(CLinguist::EN_US);
            QTest::addRow("Chinese at %u dpi", dpi) << dpi << int(CLinguist::ZH_CN);
        }
    }
    void guestPlaceholdersFit()
    {
        QFETCH(uint, dpi);
        QFETCH(int, language);
        CLinguist *linguist = CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::Language(language));
        QCOMPARE(int(linguist->getLanguage()), language);
        login()->setLoginProgress(JoinConfPage);
        QVERIFY(dlg()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(pages()->currentIndex(), 1, kWaitMs);
        dlg()->updateDpi(dpi == 96 ? 192 : 96);
        dlg()->updateDpi(dpi);
        QWidget *guest = pages()->widget(1);
        QCoreApplication::processEvents();

        int fields = 0;
        for (const char *name : {"m_pEditServer", "m_pEditConfNumber", "m_pEditDisplayName", "m_pEditPassword"}) {
            auto *edit = guest->findChild<QLineEdit *>(QLatin1String(name));
            QVERIFY2(edit && edit->isVisible(), name);
            ++fields;
            const QString kept = edit->text();
            auto keep = qScopeGuard([edit, kept] { edit->setText(kept); });
            edit->clear();
            edit->clearFocus();
            const QString placeholder = edit->placeholderText();
            QVERIFY2(!placeholder.isEmpty(), name);

            // Where QLineEdit draws its placeholder: the style's contents
            // rectangle less the text margins and its own 2 pixels a side,
            // one line of the font high; it cuts the text to that width.
            QStyleOptionFrame panel;
            panel.initFrom(edit);
            panel.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, edit)
                                               : 0;
            panel.midLineWidth = 0;
            panel.state |= QStyle::State_Sunken;
            panel.features = QStyleOptionFrame::None;
            const QRect contents = edit->style()
                                       ->subElementRect(QStyle::SE_LineEditContents, &panel, edit)
                                       .marginsRemoved(edit->textMargins());
            const QRect line = contents.adjusted(2, 0, -2, 0);
            const QFontMetrics metrics = edit->fontMetrics();
            const QString shown = metrics.elidedText(placeholder, Qt::ElideRight, line.width());
            QVERIFY2(shown == placeholder,
                     qPrintable(QStringLiteral("%1: \"%2\" is %3 wide, shown as \"%4\" in %5")
                                    .arg(QLatin1String(name), placeholder)
                                    .arg(metrics.horizontalAdvance(placeholder))
                                    .arg(shown)
                                    .arg(line.width())));
            QVERIFY2(metrics.height() <= contents.height(), name);

            // What the field paints: the placeholder's ink as wide as the
            // whole text, all of it inside the field's text area.
            const QImage image = edit->grab().toImage();
            const QRgb ground = image.pixel(line.left(), contents.top());
            QRect ink;
            const QRect area = line.intersected(image.rect());
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (qAbs(qGray(image.pixel(x, y)) - qGray(ground)) > 60)
                        ink |= QRect(x, y, 1, 1);
                }
            }
            QVERIFY2(!ink.isEmpty(), name);
            QVERIFY2(ink.width() >= metrics.horizontalAdvance(placeholder) - metrics.averageCharWidth(),
                     qPrintable(QStringLiteral("%1: ink %2 wide for a text %3 wide")
                                    .arg(QLatin1String(name))
                                    .arg(ink.width())
                                    .arg(metrics.horizontalAdvance(placeholder))));
        }
        QCOMPARE(fields, 4);
    }
};

GLIMORA_TEST_MAIN(TestLoginDlgStart)
#include "tst_logindlg_start.moc"
