// The login window's pages against the simulated engine: the account login's
// port rule and what reaches the engine, the HTTPS box and the stored login,
// the guest join's display-name rule and what it saves, the password change
// with bob's first login, the deployment switches of the two links, the page
// that follows the login progress, the title bar, the texts in both
// languages, and the in-call settings window.

#include "support/SignInServer.h"
#include "support/AlertBoxSeam.h"
#include "support/StandInRingtone.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "custom_controls/CClickedLabel.h"
#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/incall/CContainerSettingsFormWidget.h"
#include "views/main/CLoginChangePasswordForm.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CLoginInfoForm.h"
#include "views/main/CLoginJoinConfForm.h"
#include "views/settings/CSettingsForm.h"
#include "rjsim_control.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTcpServer>

#include <memory>

using glimora::test::AlertBoxSeam;
using rj_app::custom_controls::CClickedLabel;
using rj_app::helpers::CAppConfigUtils;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CContainerSettingsFormWidget;
using rj_app::views::CLoginChangePasswordForm;
using rj_app::views::CLoginDlg;
using rj_app::views::CLoginInfoForm;
using rj_app::views::CLoginJoinConfForm;
using rj_app::views::CSettingsForm;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;
const QString kPortPrompt = QStringLiteral("The value of port can only be number from 1 to 65535.");
const QString kEngineHost = QStringLiteral("127.0.0.1");

// A check box reacts to clicks on its box and text, not on the rest of its row.
void clickBox(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

template <class T>
T *child(const QWidget *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child %s", name);
    return found;
}

void setText(const QWidget *parent, const char *name, const QString &text)
{
    if (auto *edit = child<QLineEdit>(parent, name))
        edit->setText(text);
}

QString q(const std::string &text)
{
    return QString::fromStdString(text);
}

// The fields of the one call of an operation the engine received; empty
// when it was called another number of times.
QStringList onlyCall(const char *operation)
{
    const auto calls = rjsim::journalOf(operation);
    QStringList fields;
    if (calls.size() == 1) {
        for (const std::string &f : calls[0])
            fields << q(f);
    }
    return fields;
}

} // namespace

class TestLoginDlg : public QObject
{
    Q_OBJECT

    glimora::test::SignInServer m_server; // answers the engine at sign-in
    std::unique_ptr<CAppConfigUtils> m_appConfig;

    CLoginManager *login() { return CLoginManager::getInstance(); }
    CCallController *call() { return CCallController::getInstance(); }
    CUserConfigUtils *config() { return CUserConfigUtils::getInstance(); }
    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }

    // The deployment configuration of the window, from these [Config] lines.
    void deploy(const QByteArray &lines)
    {
        CLoginDlg::setAppConfig(nullptr);
        const QString ini = glimora::test::isolatedRoot() + QStringLiteral("/deploy/app-config.ini");
        QVERIFY(glimora::test::writeBytes(ini, "[Config]\n" + lines));
        m_appConfig = std::make_unique<CAppConfigUtils>(ini);
        CLoginDlg::setAppConfig(m_appConfig.get());
    }

    QString storedPasswordOf(const QString &plain)
    {
        return q(sdk()->encryptPassword(2, plain.toUtf8().constData(), CLoginManager::m_pszPasswordKey));
    }

    // Ends calls and sessions the last test left and forgets the journal.
    void settle()
    {
        rjsim_clear_result(nullptr);
        if (CCallController::isInCall(call()->getCallStatus())) {
            if (!call()->hangUp())
                call()->declineCall();
            QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QTRY_VERIFY_WITH_TIMEOUT(login()->m_loginStatus != LoggingIn, kWaitMs);
        sdk()->avlogout();
        login()->setLoginStatus(NotLogin);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        rjsim_clear_journal();
    }

    void signInAsBob()
    {
        QVERIFY(login()->login(kEngineHost, false, m_server.serverPort(), QStringLiteral("bob"),
                               QStringLiteral("Bob12345")));
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(NeedChangePassword), kWaitMs);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        rjsim_clear_journal();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(config());
        QVERIFY(CUserConfigUtils::getUserConfigPath().startsWith(glimora::test::isolatedRoot()));
        QVERIFY(glimora::test::useStandInRingtone());
        deploy(QByteArray());

        login()->initRJSdkManagerInstance();
        login()->initialize();
        QVERIFY(sdk());
        // Stands in for the main-window manager's error prompts, which end a
        // login the engine refused.
        connect(sdk(), &CRJSdkManager::eventError, this, [this](rj::engine::RJError err) {
            if (err.action == "getFeature" || err.action == "avlogin")
                login()->onLoggingInFailed(false);
        });
    }

    void init() { settle(); }

    void cleanupTestCase()
    {
        settle();
        CLoginDlg::setAppConfig(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CRJSdkManager::releaseInstance();
        CUserConfigUtils::releaseInstance();
    }

    // The port field, trimmed: empty is the scheme's default, otherwise a
    // number from 1 to 65535; anything else is refused with a message and
    // nothing reaches the engine.
    void accountLoginChecksThePort_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("loginPort");
        QTest::addColumn<QString>("probedPort");
        QTest::newRow("0") << "0" << true << 0 << "";
        QTest::newRow("65536") << "65536" << true << 0 << "";
        QTest::newRow("abc") << "abc" << true << 0 << "";
        QTest::newRow("12a") << "12a" << true << 0 << "";
        QTest::newRow("negative") << "-80" << true << 0 << "";
        QTest::newRow("space inside") << "4 43" << true << 0 << "";
        QTest::newRow("empty") << "" << false << 0 << "80";
        QTest::newRow("blanks") << "   " << false << 0 << "80";
        QTest::newRow("443 in blanks") << " 443 " << false << 443 << "443";
        QTest::newRow("65535") << "65535" << false << 65535 << "65535";
        QTest::newRow("1") << "1" << false << 1 << "1";
    }
    void accountLoginChecksThePort()
    {
        QFETCH(QString, port);
        QFETCH(bool, refused);
        QFETCH(int, loginPort);
        QFETCH(QString, probedPort);
        AlertBoxSeam seam(QDialogButtonBox::Ok);

        CLoginInfoForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        clickBox(child<QCheckBox>(&form, "m_pChkBoxMore"));
        QVERIFY(child<QWidget>(&form, "m_pWgtPortPanel")->isVisible());
        setText(&form, "m_pEditServer", kEngineHost);
        setText(&form, "m_pEditAccount", QStringLiteral("nobody"));
        setText(&form, "m_pEditPassword", QStringLiteral("secret"));
        QTest::keyClicks(child<QLineEdit>(&form, "m_pEditPort"), port);
        QTest::mouseClick(child<QPushButton>(&form, "m_pBtnLogin"), Qt::LeftButton);

        if (refused) {
            QCOMPARE(seam.count(), 1);
            QCOMPARE(seam.last().title, QStringLiteral("Prompt"));
            QCOMPARE(seam.last().text, kPortPrompt);
            QCOMPARE(seam.last().parent.data(), static_cast<QWidget *>(&form));
            QCOMPARE(int(login()->m_loginStatus), int(NotLogin));
            QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
            QCOMPARE(rjsim_journal_count("getFeature"), 0);
            return;
        }
        QCOMPARE(seam.count(), 0);
        QCOMPARE(int(login()->m_loginStatus), int(LoggingIn));
        QCOMPARE(login()->m_iPort, loginPort);
        QCOMPARE(login()->m_qstrServerAddress, kEngineHost);
        // Nothing listens there: the login ends as failed.
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(LoginFailed), kWaitMs);
        QCOMPARE(onlyCall("getFeature"), (QStringList{"getFeature", kEngineHost, probedPort}));
    }

    // The form hands the login manager exactly what was typed, untrimmed,
    // with the HTTPS box; the engine is told the scheme and the account.
    void accountLoginPassesTheFieldsAsTyped()
    {
        CLoginInfoForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        setText(&form, "m_pEditServer", kEngineHost);
        setText(&form, "m_pEditAccount", QStringLiteral(" nobody "));
        setText(&form, "m_pEditPassword", QStringLiteral(" secret"));
        setText(&form, "m_pEditPort", QString::number(m_server.serverPort()));
        child<QCheckBox>(&form, "m_pChkBoxUseHttps")->setChecked(true);
        // The test's server speaks plain HTTP: taken as reachable over HTTPS.
        rjsim_force_result("getFeature", 0, 1);
        rjsim_force_result("avlogin", 0, 1);
        // Enter in a field logs in like the button.
        QTest::keyClick(child<QLineEdit>(&form, "m_pEditPassword"), Qt::Key_Return);

        QCOMPARE(int(login()->m_loginStatus), int(LoggingIn));
        QVERIFY(login()->m_bUseHttps);
        QCOMPARE(login()->getPassword(), QStringLiteral(" secret"));
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(LoginFailed), kWaitMs);
        QCOMPARE(onlyCall("enableSecure"), (QStringList{"enableSecure", "1"}));
        const QStringList avlogin = onlyCall("avlogin");
        QCOMPARE(avlogin.mid(0, 4),
                 (QStringList{"avlogin", kEngineHost, QString::number(m_server.serverPort()), " nobody "}));
    }

    // Wrong status or an empty field: only a log line, no message and nothing
    // for the engine. The status is checked first, before the port.
    void incompleteFormsOnlyLog_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("blank");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("account, server") << "account" << "m_pEditServer" << int(NotLogin) << "empty server";
        QTest::newRow("account, user") << "account" << "m_pEditAccount" << int(LoginFailed) << "empty user";
        QTest::newRow("account, password") << "account" << "m_pEditPassword" << int(NotLogin) << "empty password";
        QTest::newRow("account, logging in") << "account" << "" << int(LoggingIn) << "Invalid loginStatus 2";
        QTest::newRow("account, login skipped")
            << "account" << "" << int(AnonymousLoggedIn) << "Invalid loginStatus 4";
        QTest::newRow("guest, server") << "guest" << "m_pEditServer" << int(NotLogin) << "Empty server address";
        QTest::newRow("guest, number") << "guest" << "m_pEditConfNumber" << int(LoginFailed) << "Empty conf number";
        QTest::newRow("guest, signed in") << "guest" << "" << int(LoggedIn) << "Not suitable login status: 1";
        QTest::newRow("guest, guest join running")
            << "guest" << "" << int(AnonymousLoggingIn) << "Not suitable login status: 5";
    }
    void incompleteFormsOnlyLog()
    {
        QFETCH(QString, page);
        QFETCH(QString, blank);
        QFETCH(int, status);
        QFETCH(QString, message);
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        login()->m_loginStatus = LoginStatus(status);
        auto restore = qScopeGuard([this] { login()->m_loginStatus = NotLogin; });

        std::unique_ptr<QWidget> form;
        QPushButton *go = nullptr;
        if (page == QLatin1String("account")) {
            form.reset(new CLoginInfoForm);
            setText(form.get(), "m_pEditServer", kEngineHost);
            setText(form.get(), "m_pEditAccount", QStringLiteral("nobody"));
            setText(form.get(), "m_pEditPassword", QStringLiteral("secret"));
            setText(form.get(), "m_pEditPort", QStringLiteral("abc")); // would be refused
            go = child<QPushButton>(form.get(), "m_pBtnLogin");
        } else {
            form.reset(new CLoginJoinConfForm);
            setText(form.get(), "m_pEditServer", QStringLiteral("sip.example"));
            setText(form.get(), "m_pEditConfNumber", QStringLiteral("4242"));
            setText(form.get(), "m_pEditDisplayName", QStringLiteral("<guest>")); // would be refused
            go = child<QPushButton>(form.get(), "m_bBtnJoinConf");
        }
        if (!blank.isEmpty())
            setText(form.get(), blank.toLatin1().constData(), QString());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        QTest::ignoreMessage(QtInfoMsg, message.toUtf8().constData());
        QTest::mouseClick(go, Qt::LeftButton);
        QCOMPARE(seam.count(), 0);
        QCOMPARE(int(login()->m_loginStatus), status);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCOMPARE(rjsim_journal_count("getFeature"), 0);
        QCOMPARE(rjsim_journal_count("dialOut"), 0);
    }

    // The HTTPS box writes the scheme's port only when the user clicks it;
    // filling the form from the stored login leaves a typed port alone.
    void httpsBoxWritesThePortOnClickOnly()
    {
        CLoginInfoForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *more = child<QCheckBox>(&form, "m_pChkBoxMore");
        auto *https = child<QCheckBox>(&form, "m_pChkBoxUseHttps");
        auto *port = child<QLineEdit>(&form, "m_pEditPort");
        QVERIFY(child<QWidget>(&form, "m_pWgtPortPanel")->isHidden());
        clickBox(more);
        QVERIFY(https->isVisible());

        port->setText(QStringLiteral("1234"));
        config()->setPort(0);
        config()->setUseHttps(true);
        form.refreshData();
        QVERIFY(https->isChecked());
        QCOMPARE(port->text(), QStringLiteral("1234"));
        config()->setUseHttps(false);
        form.refreshData();
        QVERIFY(!https->isChecked());
        QCOMPARE(port->text(), QStringLiteral("1234"));

        clickBox(https);
        QVERIFY(https->isChecked());
        QCOMPARE(port->text(), QStringLiteral("443"));
        clickBox(https);
        QVERIFY(!https->isChecked());
        QCOMPARE(port->text(), QStringLiteral("80"));

        // A stored port other than 0 is shown.
        config()->setPort(8443);
        form.refreshData();
        QCOMPARE(port->text(), QStringLiteral("8443"));
        config()->setPort(0);

        // Hiding the panel keeps the port, and it is still sent.
        clickBox(more);
        QVERIFY(port->isHidden() || !port->isVisible());
        form.hide();
        form.show();
        QVERIFY(child<QWidget>(&form, "m_pWgtPortPanel")->isHidden());
    }

    // Both pages fill their fields from the stored login and the last guest
    // join, with the deployment's servers where none is stored; the special
    // version offers no stored password unless "remember me" is set.
    void refreshDataFillsBothPages_data()
    {
        QTest::addColumn<QString>("storedServer");
        QTest::addColumn<bool>("specialVersion");
        QTest::addColumn<bool>("rememberMe");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("password");
        QTest::newRow("stored server") << "srv.stored" << false << false << "srv.stored" << "secret";
        QTest::newRow("deployment's server") << "" << false << false << "srv.default" << "secret";
        QTest::newRow("special version") << "srv.stored" << true << false << "srv.stored" << "";
        QTest::newRow("special version, remember me") << "srv.stored" << true << true << "srv.stored" << "secret";
    }
    void refreshDataFillsBothPages()
    {
        QFETCH(QString, storedServer);
        QFETCH(bool, specialVersion);
        QFETCH(bool, rememberMe);
        QFETCH(QString, server);
        QFETCH(QString, password);
        deploy(QByteArray("DefaultLoginServerAddr=srv.default\nDefaultRegisterServerAddr=sip.default\n")
               + (specialVersion ? "IsMorvelSpecialVersion=true\n" : ""));
        auto restore = qScopeGuard([this] { deploy(QByteArray()); });
        config()->setIp(storedServer);
        config()->setUser(QStringLiteral("alice"));
        config()->setPassword(storedPasswordOf(QStringLiteral("secret")));
        config()->setRememberMe(rememberMe);
        config()->setJoinConfServerAddress(storedServer.isEmpty() ? QString() : QStringLiteral("sip.stored"));
        config()->setJoinConfNumber(QStringLiteral("1001"));
        config()->setJoinConfDisplayName(QStringLiteral("Gäst 1"));
        config()->setJoinConfPassword(QStringLiteral("pw"));

        CLoginInfoForm info;
        info.refreshData();
        QCOMPARE(child<QLineEdit>(&info, "m_pEditServer")->text(), server);
        QCOMPARE(child<QLineEdit>(&info, "m_pEditAccount")->text(), QStringLiteral("alice"));
        QCOMPARE(child<QLineEdit>(&info, "m_pEditPassword")->text(), password);

        CLoginJoinConfForm guest;
        guest.refreshData();
        QCOMPARE(child<QLineEdit>(&guest, "m_pEditServer")->text(),
                 storedServer.isEmpty() ? QStringLiteral("sip.default") : QStringLiteral("sip.stored"));
        QCOMPARE(child<QLineEdit>(&guest, "m_pEditConfNumber")->text(), QStringLiteral("1001"));
        QCOMPARE(child<QLineEdit>(&guest, "m_pEditDisplayName")->text(), QStringLiteral("Gäst 1"));
        QCOMPARE(child<QLineEdit>(&guest, "m_pEditPassword")->text(), QStringLiteral("pw"));
    }

    // A display name of up to 16 characters without a quote or angle bracket
    // joins; the length is checked before the characters. A join saves the
    // four values; a refused one saves nothing and reaches no engine.
    void guestJoinChecksTheDisplayName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prompt");
        const QString length = QStringLiteral("The length of username can not exceed 16.");
        const QString chars = QStringLiteral("The username can not contain \", <, >.");
        QTest::newRow("16 characters") << "abcdefghijklmnop" << "";
        QTest::newRow("17 characters") << "abcdefghijklmnopq" << length;
        QTest::newRow("less-than") << "a<b" << chars;
        QTest::newRow("greater-than") << "b>" << chars;
        QTest::newRow("double quote") << "say \"hi\"" << chars;
        QTest::newRow("17 with a less-than") << "<bcdefghijklmnopq" << length;
        QTest::newRow("empty") << "" << "The username can not be empty.";
        QTest::newRow("blanks") << "   " << "";
        QTest::newRow("16 Chinese characters") << QStringLiteral("会议会议会议会议会议会议会议会议") << "";
        QTest::newRow("16 characters beyond the basic plane") << QString(QStringLiteral("\U0001F600")).repeated(16)
                                                              << "";
    }
    void guestJoinChecksTheDisplayName()
    {
        QFETCH(QString, name);
        QFETCH(QString, prompt);
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        config()->setJoinConfServerAddress(QStringLiteral("old.server"));
        config()->setJoinConfNumber(QStringLiteral("1"));
        config()->setJoinConfDisplayName(QStringLiteral("old name"));
        config()->setJoinConfPassword(QStringLiteral("old"));

        CLoginJoinConfForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        setText(&form, "m_pEditServer", QStringLiteral("sip.example"));
        setText(&form, "m_pEditConfNumber", QStringLiteral("4242"));
        setText(&form, "m_pEditDisplayName", name);
        setText(&form, "m_pEditPassword", QStringLiteral("pw"));
        QCOMPARE(child<QLineEdit>(&form, "m_pEditPassword")->echoMode(), QLineEdit::Normal);
        QTest::mouseClick(child<QPushButton>(&form, "m_bBtnJoinConf"), Qt::LeftButton);

        if (!prompt.isEmpty()) {
            QCOMPARE(seam.count(), 1);
            QCOMPARE(seam.last().title, QStringLiteral("Prompt"));
            QCOMPARE(seam.last().text, prompt);
            QCOMPARE(int(login()->m_loginStatus), int(NotLogin));
            QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
            QCOMPARE(rjsim_journal_count("registerSIPServer"), 0);
            QCOMPARE(rjsim_journal_count("dialOut"), 0);
            QCOMPARE(config()->getJoinConfServerAddress(), QStringLiteral("old.server"));
            QCOMPARE(config()->getJoinConfDisplayName(), QStringLiteral("old name"));
            return;
        }
        QCOMPARE(seam.count(), 0);
        QCOMPARE(int(login()->m_loginStatus), int(AnonymousLoggingIn));
        QCOMPARE(config()->getJoinConfServerAddress(), QStringLiteral("sip.example"));
        QCOMPARE(config()->getJoinConfNumber(), QStringLiteral("4242"));
        QCOMPARE(config()->getJoinConfDisplayName(), name);
        QCOMPARE(config()->getJoinConfPassword(), QStringLiteral("pw"));
        // The meeting does not exist: the call ends and the guest is back.
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(NotLogin), kWaitMs);
        QCOMPARE(onlyCall("registerSIPServer").value(2), name);
        QCOMPARE(onlyCall("dialOut"), (QStringList{"dialOut", "4242*pw@sip.example", "1"}));
    }

    // Bob's first login demands a new password. Checks in order: both fields,
    // the confirmation, the engine's policy (its text from the engine), the
    // current password; then the change. Refused or not, bob goes on signed
    // in; a change is kept for the next start too. Skip signs in unchanged.
    void changePasswordAfterFirstLogin_data()
    {
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<bool>("skip");
        QTest::addColumn<int>("engineRefusal");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("password");
        const QString policy = QStringLiteral(
            "The password length is 8-16 characters\nThe following special characters can be input !@#$%^&*\n"
            "Please input at least 2 combinations by upper case letters, numbers and special characters");
        QTest::newRow("both empty") << "" << "" << false << 0 << "" << int(NeedChangePassword) << "Bob12345";
        QTest::newRow("confirmation empty")
            << "Abcdefg1" << "" << false << 0 << "" << int(NeedChangePassword) << "Bob12345";
        QTest::newRow("confirmation differs")
            << "Abcdefg1" << "Abcdefg2" << false << 0 << "Confirm Password is not consistent with New Password."
            << int(NeedChangePassword) << "Bob12345";
        QTest::newRow("policy not met")
            << "short" << "short" << false << 0 << policy << int(NeedChangePassword) << "Bob12345";
        QTest::newRow("same as current") << "Bob12345" << "Bob12345" << false << 0
                                         << "The new and old password is the same." << int(NeedChangePassword)
                                         << "Bob12345";
        QTest::newRow("skipped") << "Abcdefg1" << "Abcdefg1" << true << 0 << "" << int(LoggedIn) << "Bob12345";
        QTest::newRow("engine refuses") << "Abcdefg1" << "Abcdefg1" << false << 6601
                                        << "Change new password failed." << int(LoggedIn) << "Bob12345";
        // Last: the engine keeps bob's new password for the rest of the run.
        QTest::newRow("changed") << "Abcdefg1" << "Abcdefg1" << false << 0 << "" << int(LoggedIn) << "Abcdefg1";
    }
    void changePasswordAfterFirstLogin()
    {
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(bool, skip);
        QFETCH(int, engineRefusal);
        QFETCH(QString, prompt);
        QFETCH(int, status);
        QFETCH(QString, password);
        signInAsBob();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(int(login()->m_loginProgress), int(ChangePasswordPage));
        if (engineRefusal != 0)
            rjsim_force_result("changePassword", engineRefusal, 1);
        AlertBoxSeam seam(QDialogButtonBox::Ok);

        CLoginChangePasswordForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(child<QLineEdit>(&form, "m_pEditPassword")->echoMode(), QLineEdit::Password);
        QCOMPARE(child<QLineEdit>(&form, "m_pEditConfirmPassword")->echoMode(), QLineEdit::Password);
        QTest::keyClicks(child<QLineEdit>(&form, "m_pEditPassword"), newPassword);
        QTest::keyClicks(child<QLineEdit>(&form, "m_pEditConfirmPassword"), confirmation);
        QTest::mouseClick(child<QPushButton>(&form, skip ? "m_pBtnSkip" : "m_pBtnNext"), Qt::LeftButton);

        QCOMPARE(seam.texts(), prompt.isEmpty() ? QStringList() : QStringList{prompt});
        if (!prompt.isEmpty())
            QCOMPARE(seam.last().title, QStringLiteral("Prompt"));
        QCOMPARE(int(login()->m_loginStatus), status);
        QCOMPARE(login()->getPassword(), password);
        QCOMPARE(login()->getConfigPassword(), password);
        QCOMPARE(rjsim_journal_count("getPasswordPolicy"), prompt.startsWith(QLatin1String("The password")) ? 1 : 0);
        const bool asked = !skip && status == LoggedIn;
        QCOMPARE(rjsim_journal_count("changePassword"), asked ? 1 : 0);
    }

    // The policy prompt takes the engine's values literally, in one pass: a
    // marker among the special characters is not filled in, and the engine's
    // UTF-8 text is decoded as such.
    void policyPromptTakesTheEngineTextLiterally()
    {
        rj::engine::RJPasswordPolicy policy;
        policy.minLength = 6;
        policy.maxLength = 20;
        policy.typeCount = 3;
        policy.specialChars = "%2\xE2\x82\xAC%1";
        QCOMPARE(CLoginChangePasswordForm::passwordPolicyText(policy),
                 QStringLiteral("The password length is 6-20 characters\n"
                                "The following special characters can be input %2€%1\n"
                                "Please input at least 3 combinations by upper case letters, numbers and special "
                                "characters"));
    }

    // The page follows the login progress; the change-password page comes
    // up empty; an unknown progress leaves the page.
    void pageFollowsTheProgress()
    {
        CLoginDlg dlg;
        auto *stack = child<QStackedWidget>(&dlg, "m_pStackedWgtContent");
        QCOMPARE(stack->count(), 3);
        QVERIFY(qobject_cast<CLoginInfoForm *>(stack->widget(0)));
        QVERIFY(qobject_cast<CLoginJoinConfForm *>(stack->widget(1)));
        QVERIFY(qobject_cast<CLoginChangePasswordForm *>(stack->widget(2)));
        QCOMPARE(stack->currentIndex(), 0);
        auto *change = stack->widget(2);
        setText(change, "m_pEditPassword", QStringLiteral("typed"));
        setText(change, "m_pEditConfirmPassword", QStringLiteral("typed"));

        const QList<QPair<int, int>> steps{{JoinConfPage, 1}, {LoginInfoPage, 0}, {ChangePasswordPage, 2},
                                           {7, 2},           {NoPageChosen, 0}, {JoinConfPage, 1}};
        for (const auto &step : steps) {
            login()->setLoginProgress(LoginProgress(step.first));
            QCOMPARE(stack->currentIndex(), step.second);
            if (step.first == ChangePasswordPage) {
                QVERIFY(child<QLineEdit>(change, "m_pEditPassword")->text().isEmpty());
                QVERIFY(child<QLineEdit>(change, "m_pEditConfirmPassword")->text().isEmpty());
            }
        }

        // The guest page's way back.
        child<QPushButton>(stack->widget(1), "m_pBtnBack")->click();
        QCOMPARE(int(login()->m_loginProgress), int(LoginInfoPage));
        QCOMPARE(stack->currentIndex(), 0);
    }

    // The deployment may switch either link off; the row arranges what is
    // left: one link at the right end, two links at both ends.
    void linksFollowTheDeployment_data()
    {
        QTest::addColumn<bool>("noSkip");
        QTest::addColumn<bool>("noGuest");
        QTest::newRow("both links") << false << false;
        QTest::newRow("no skip link") << true << false;
        QTest::newRow("no guest link") << false << true;
        QTest::newRow("no links") << true << true;
    }
    void linksFollowTheDeployment()
    {
        QFETCH(bool, noSkip);
        QFETCH(bool, noGuest);
        deploy(QByteArray(noSkip ? "DisableLoginSkipped=true\n" : "")
               + (noGuest ? "DisableGuestJoinMeeting=true\n" : ""));
        auto restore = qScopeGuard([this] { deploy(QByteArray()); });

        CLoginInfoForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *row = child<QWidget>(&form, "m_pWgtLinks");
        auto *skip = child<CClickedLabel>(&form, "m_pLblSkipLogin");
        auto *guest = child<CClickedLabel>(&form, "m_pLblGuestJoinMeeting");
        QCOMPARE(skip->isVisible(), !noSkip);
        QCOMPARE(guest->isVisible(), !noGuest);
        QCOMPARE(row->layout()->count(), noSkip && noGuest ? 2 : 3);
        const int rightEnd = row->width();
        if (!noSkip && !noGuest) {
            QCOMPARE(skip->x(), 0);
            QCOMPARE(skip->x() + skip->width(), skip->sizeHint().width());
            QCOMPARE(guest->x() + guest->width(), rightEnd);
            QCOMPARE(guest->width(), guest->sizeHint().width());
        } else if (!noSkip) {
            QCOMPARE(skip->x() + skip->width(), rightEnd);
            QVERIFY(skip->alignment() & Qt::AlignRight);
        } else if (!noGuest) {
            QCOMPARE(guest->x() + guest->width(), rightEnd);
            QVERIFY(guest->alignment() & Qt::AlignRight);
        }
        // Shown again, the row is not arranged a second time.
        form.hide();
        form.show();
        QCOMPARE(row->layout()->count(), noSkip && noGuest ? 2 : 3);

        // Any mouse button follows a link.
        if (!noGuest) {
            QTest::mouseClick(guest, Qt::RightButton);
            QCOMPARE(int(login()->m_loginProgress), int(JoinConfPage));
            QCOMPARE(int(login()->m_loginStatus), int(NotLogin));
        }
        if (!noSkip) {
            QTest::mouseClick(skip, Qt::LeftButton);
            QCOMPARE(int(login()->m_loginStatus), int(AnonymousLoggedIn));
        }
        login()->setLoginProgress(LoginInfoPage);
    }

    // The title bar: settings opens its own application-modal settings
    // window that deletes itself on close; close asks for the exit.
    void titleBarButtons()
    {
        CLoginDlg dlg;
        auto *titleBar = child<QWidget>(&dlg, "m_pWgtTitlebar");
        QCOMPARE(dlg.dragAreaHeight, titleBar->height());
        QCOMPARE(child<QPushButton>(&dlg, "m_pBtnSetting")->text(), QStringLiteral("Settings"));

        child<QPushButton>(&dlg, "m_pBtnSetting")->click();
        QPointer<CContainerSettingsFormWidget> settings;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *s = qobject_cast<CContainerSettingsFormWidget *>(w))
                settings = s;
        }
        QVERIFY(settings);
        QVERIFY(settings->isVisible());
        QCOMPARE(settings->windowModality(), Qt::ApplicationModal);
        QVERIFY(settings->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!settings->parentWidget());
        settings->close();
        QTRY_VERIFY(!settings);

        QSignalSpy closing(&dlg, &CLoginDlg::sigClose);
        QTest::ignoreMessage(QtInfoMsg, "CLoginDlg::closeEvent");
        child<QPushButton>(&dlg, "m_pBtnClose")->click();
        QCOMPARE(closing.count(), 1);
    }

    // Every text of the window and its pages in both languages; the window
    // keeps the product name as its title, and messages follow too.
    void languageChangeRetranslates()
    {
        CLinguist *linguist = CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::EN_US);

        CLoginDlg dlg;
        auto *stack = child<QStackedWidget>(&dlg, "m_pStackedWgtContent");
        QWidget *info = stack->widget(0);
        QWidget *guest = stack->widget(1);
        QWidget *change = stack->widget(2);
        setText(info, "m_pEditAccount", QStringLiteral("alice"));

        struct Text
        {
            QWidget *page;
            const char *name;
            const char *en;
            QString zh;
        };
        const QList<Text> texts{
            {&dlg, "m_pBtnSetting", "Settings", QStringLiteral("设置")},
            {info, "m_pLblTitle", "Login", QStringLiteral("登录")},
            {info, "m_pBtnLogin", "Login", QStringLiteral("登录")},
            {info, "m_pLblSkipLogin", "Skipped Login", QStringLiteral("跳过登录")},
            {info, "m_pLblGuestJoinMeeting", "Guest Join Meeting", QStringLiteral("访客入会")},
            {info, "m_pChkBoxMore", "More", QStringLiteral("更多")},
            {guest, "m_pLblTitle", "Join Meeting", QStringLiteral("加入会议")},
            {guest, "m_pBtnBack", "Back", QStringLiteral("返回")},
            {guest, "m_pLblPassword", "Meeting Password(Optional)", QStringLiteral("会议密码（可选）")},
            {change, "m_pLblTitle", "Please change the password for security", QStringLiteral("为了账号安全，请修改密码")},
            {change, "m_pBtnNext", "Next", QStringLiteral("下一步")},
            {change, "m_pBtnSkip", "Skip", QStringLiteral("跳过")},
        };
        auto textOf = [](QWidget *page, const char *name) {
            QWidget *w = child<QWidget>(page, name);
            if (auto *label = qobject_cast<QLabel *>(w))
                return label->text();
            if (auto *button = qobject_cast<QAbstractButton *>(w))
                return button->text();
            return QString();
        };

        linguist->changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(linguist->getLanguage(), CLinguist::ZH_CN);
        for (const Text &t : texts)
            QCOMPARE(textOf(t.page, t.name), t.zh);
        QCOMPARE(child<QLineEdit>(info, "m_pEditServer")->placeholderText(), QStringLiteral("请输入服务器地址"));
        QCOMPARE(child<QLineEdit>(guest, "m_pEditDisplayName")->placeholderText(), QStringLiteral("请输入显示名称"));
        QCOMPARE(child<QLineEdit>(info, "m_pEditAccount")->text(), QStringLiteral("alice"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Glimora"));
        {
            AlertBoxSeam seam(QDialogButtonBox::Ok);
            setText(guest, "m_pEditServer", QStringLiteral("sip.example"));
            setText(guest, "m_pEditConfNumber", QStringLiteral("4242"));
            setText(guest, "m_pEditDisplayName", QStringLiteral("abcdefghijklmnopq"));
            child<QPushButton>(guest, "m_bBtnJoinConf")->click();
            QCOMPARE(seam.texts(), QStringList{QStringLiteral("用户名长度不能超过 16。")});
            QCOMPARE(seam.last().title, QStringLiteral("提示"));
        }

        linguist->changeLanguage(CLinguist::EN_US);
        for (const Text &t : texts)
            QCOMPARE(textOf(t.page, t.name), QString::fromUtf8(t.en));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Glimora"));
    }

    // The in-call settings window offers the SIP page only after a skipped
    // login.
    void settingsWindowOffersSipAfterSkippedLoginOnly_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("sip");
        QTest::newRow("not signed in") << int(NotLogin) << false;
        QTest::newRow("signed in") << int(LoggedIn) << false;
        QTest::newRow("login skipped") << int(AnonymousLoggedIn) << true;
    }
    void settingsWindowOffersSipAfterSkippedLoginOnly()
    {
        QFETCH(int, status);
        QFETCH(bool, sip);
        login()->m_loginStatus = LoginStatus(status);
        auto restore = qScopeGuard([this] { login()->m_loginStatus = NotLogin; });
        CContainerSettingsFormWidget window;
        auto *form = window.findChild<CSettingsForm *>();
        QVERIFY(form);
        QCOMPARE(form->parentWidget(), child<QWidget>(&window, "m_pWidgetMain"));
        QCOMPARE(!form->lvSettingsEntrances()->isRowHidden(0), sip);
        QCOMPARE(form->lvSettingsEntrances()->currentRow(), sip ? 0 : 1);
        QVERIFY(window.windowFlags() & Qt::Tool);
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(child<QLabel>(&window, "titleName")->text(), QStringLiteral("Settings"));
    }

    // Opened from a device popup, the window shows that page selected in the
    // list and in the page stack.
    void settingsWindowSelectsTheTab_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("audio") << 2;
        QTest::newRow("video") << 3;
    }
    void settingsWindowSelectsTheTab()
    {
        QFETCH(int, index);
        CContainerSettingsFormWidget window;
        window.setCurrentTab(index);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *form = window.findChild<CSettingsForm *>();
        QCOMPARE(form->lvSettingsEntrances()->currentRow(), index);
        QCOMPARE(form->twgtSettingsPages()->currentIndex(), index);
        QCoreApplication::processEvents(); // a queued page switch would show here
        QCOMPARE(form->twgtSettingsPages()->currentIndex(), index);
        QVERIFY(form->twgtSettingsPages()->currentWidget()->isVisible());
    }

    // The close button tells the opener first, then closes; the opener's
    // delete-on-close takes the window away.
    void settingsWindowCloseButton()
    {
        auto *window = new CContainerSettingsFormWidget();
        window->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<CContainerSettingsFormWidget> alive(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QList<bool> visibleWhenTold;
        connect(window, &CContainerSettingsFormWidget::closeWindow, this,
                [&visibleWhenTold, window] { visibleWhenTold << window->isVisible(); });
        QTest::mouseClick(child<QPushButton>(window, "m_pBtnClose"), Qt::LeftButton);
        QCOMPARE(visibleWhenTold, QList<bool>{true});
        QTRY_VERIFY(!alive);
    }

    // The window restyles and rescales itself and its page set.
    void settingsWindowFollowsTheScale_data()
    {
        QTest::addColumn<uint>("dpi");
        QTest::addColumn<double>("scale");
        QTest::newRow("150 %") << 144u << 1.5;
        QTest::newRow("200 %") << 192u << 2.0;
        QTest::newRow("100 %") << 96u << 1.0;
    }
    void settingsWindowFollowsTheScale()
    {
        QFETCH(uint, dpi);
        QFETCH(double, scale);
        CContainerSettingsFormWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.updateDpi(dpi == 96 ? 144 : 96);
        window.updateDpi(dpi);
        QCOMPARE(window.fStretchFactor, scale);
        const QString base = QStringLiteral(":/resources/qss/container-settings-form-widget");
        const QString general = QString::fromUtf8(glimora::test::readBytes(base + QStringLiteral(".qss")));
        const QString scaled = QString::fromUtf8(glimora::test::readBytes(
            base + QLatin1Char('-') + QString::number(scale, 'g', 6) + QStringLiteral("x.qss")));
        QVERIFY(general.contains(QLatin1String("#Titlebar")));
        QVERIFY(scaled.contains(QLatin1String("#m_pBtnClose")));
        QCOMPARE(window.styleSheet(), general + scaled);
        QCOMPARE(window.size(), QSize(int(786 * scale), int(596 * scale)));
        QCOMPARE(child<QWidget>(&window, "Titlebar")->height(), int(28 * scale));
        QCOMPARE(window.findChild<CSettingsForm *>()->fStretchFactor, scale);
    }

    // Only a left-button press in the title bar drags the window.
    void settingsWindowDragsByTheTitleBarOnly_data()
    {
        QTest::addColumn<QString>("pressOn");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("title bar") << "Titlebar" << int(Qt::LeftButton) << true;
        QTest::newRow("title text") << "titleName" << int(Qt::LeftButton) << true;
        QTest::newRow("page set") << "m_pWidgetMain" << int(Qt::LeftButton) << false;
        QTest::newRow("title bar, right button") << "Titlebar" << int(Qt::RightButton) << false;
    }
    void settingsWindowDragsByTheTitleBarOnly()
    {
        QFETCH(QString, pressOn);
        QFETCH(int, button);
        QFETCH(bool, moves);
        CContainerSettingsFormWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget *target = child<QWidget>(&window, pressOn.toLatin1().constData());
        // A spot of the target that no child of its own covers.
        const QPoint local = pressOn == QLatin1String("m_pWidgetMain") ? QPoint(2, 2) : QPoint(3, 3);
        const QPoint start = window.pos();
        const QPoint global = target->mapToGlobal(local);
        const Qt::MouseButton b = Qt::MouseButton(button);

        QMouseEvent press(QEvent::MouseButtonPress, local, global, b, b, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        const QPoint delta(37, 21);
        QMouseEvent move(QEvent::MouseMove, local + delta, global + delta, Qt::NoButton, b, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, local + delta, global + delta, b, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(target, &release);
        QCOMPARE(window.pos(), moves ? start + delta : start);

        // After the release, moving the mouse drags nothing.
        const QPoint after = window.pos();
        QMouseEvent again(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &again);
        QCOMPARE(window.pos(), after);
    }
};

GLIMORA_TEST_MAIN(TestLoginDlg)
#include "tst_logindlg.moc"
