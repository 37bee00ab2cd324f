// The settings page set against the simulated engine: the page list and the
// page stack, offering the SIP page after a skipped login, the change check,
// loading and saving the SIP settings with the re-registration that follows,
// the unsaved-edits question, the microphone meter and preview switches, the
// scale and the language.

#include "support/AlertBoxSeam.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/settings/CSettingsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <mutex>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <memory>

using glimora::test::AlertBoxSeam;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CSettingsForm;

namespace {

constexpr int kWaitMs = 15000;

// Every Qt message while a capture is installed, from any thread.
std::mutex g_messagesMutex;
QStringList g_messages;
QtMessageHandler g_previousHandler = nullptr;
void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    {
        std::lock_guard<std::mutex> locker(g_messagesMutex);
        g_messages << text;
    }
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

QStringList fieldsOf(const std::vector<std::string> &call)
{
    QStringList fields;
    for (std::size_t i = 1; i < call.size(); ++i)
        fields << QString::fromStdString(call[i]);
    return fields;
}

// The arguments of every journal line of one operation.
QList<QStringList> journalArgs(const char *operation)
{
    QList<QStringList> calls;
    for (const auto &call : rjsim::journalOf(operation))
        calls << fieldsOf(call);
    return calls;
}

} // namespace

class TestSettingsForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<CSettingsForm> m_form;
    // Answers every message box (Cancel unless a test says otherwise), so
    // that no box can block a test.
    std::unique_ptr<AlertBoxSeam> m_seam;

    CUserConfigUtils *config() { return CUserConfigUtils::getInstance(); }
    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }

    template <typename T>
    T *child(const char *name)
    {
        T *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qWarning() << "no child" << name;
        return widget;
    }
    QListWidget *list() { return m_form->lvSettingsEntrances(); }
    QTabWidget *pages() { return m_form->twgtSettingsPages(); }
    QTimer *meterTimer() { return child<QTimer>("m_pMicMeterTimer"); }
    QLineEdit *edit(const char *name) { return child<QLineEdit>(name); }
    QComboBox *protocol() { return child<QComboBox>("combobox_protocol"); }
    QCheckBox *registration() { return child<QCheckBox>("radio_SIPRegistration"); }
    QWidget *registrationPanel() { return child<QWidget>("widget_SIPregistration"); }

    // The stored SIP settings every test starts from.
    void storeSipSettings()
    {
        config()->setTransportProtocol(QStringLiteral("UDP"));
        config()->setScreenName(QStringLiteral("Front desk"));
        config()->setEnableRegistration(true);
        config()->setProxyServerAddress(QStringLiteral("sip.example"));
        config()->setDomain(QStringLiteral("example"));
        config()->setSignInAddress(QStringLiteral("7001"));
        config()->setAuthenticationUserName(QStringLiteral("u1"));
        config()->setAuthenticationPassword(QStringLiteral("secret"));
    }

    // A form offering the SIP page, as after a skipped login, shown on page 0.
    void openForm(bool show = true)
    {
        m_form = std::make_unique<CSettingsForm>();
        m_form->setSipSettingsVisible(true);
        if (show) {
            m_form->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        }
    }

    void clickRow(int row)
    {
        const QRect rect = list()->visualItemRect(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    // A click on the box itself (the middle of the row may be empty).
    void clickRegistration()
    {
        QTest::mouseClick(registration(), Qt::LeftButton, Qt::NoModifier, QPoint(8, registration()->height() / 2));
    }

    void settleEngine()
    {
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(config());
        CLoginManager::getInstance()->initRJSdkManagerInstance();
        CLoginManager::getInstance()->initialize();
        QVERIFY(sdk());
    }

    void init()
    {
        m_seam = std::make_unique<AlertBoxSeam>(QDialogButtonBox::Cancel);
        storeSipSettings();
        settleEngine();
        rjsim_clear_journal();
    }

    void cleanup()
    {
        m_form.reset();
        m_seam.reset();
        settleEngine();
    }

    void cleanupTestCase()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CRJSdkManager::releaseInstance();
    }

    // Six pages in a fixed order; the list is the only page selector and a
    // click changes the page one event-loop turn later.
    void pageListDrivesStack_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("page");
        QTest::newRow("SIP") << 0 << "SIP" << "tabSettingsSIP";
        QTest::newRow("General") << 1 << "General" << "tabSettingsGeneral";
        QTest::newRow("Audio") << 2 << "Audio" << "tabSettingsAudio";
        QTest::newRow("Video") << 3 << "Video" << "tabSettingsVideo";
        QTest::newRow("Network Report") << 4 << "Network Report" << "tabSettingReport";
        QTest::newRow("About") << 5 << "About" << "tabSettingsAbout";
    }
    void pageListDrivesStack()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, page);
        openForm();
        QCOMPARE(list()->count(), 6);
        QCOMPARE(pages()->count(), 6);
        QVERIFY(!pages()->findChild<QTabBar *>()->isVisible());
        QCOMPARE(list()->item(row)->text(), text);
        QCOMPARE(pages()->widget(row)->objectName(), page);
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(pages()->currentIndex(), 0);

        // From another page, so that every row is a change.
        const int from = row == 1 ? 2 : 1;
        m_form->setCurrentPage(from);
        QCOMPARE(list()->currentRow(), from);
        QCOMPARE(pages()->currentIndex(), from);

        clickRow(row);
        QCOMPARE(list()->currentRow(), row);
        QTRY_COMPARE(pages()->currentIndex(), row);
        QCOMPARE(pages()->currentWidget()->objectName(), page);
        QCOMPARE(m_seam->count(), 0);
    }

    // A page switch still queued from a list change does not undo a later
    // setCurrentPage: list and page end on the same page.
    void queuedSwitchDoesNotUndoSetCurrentPage()
    {
        openForm();
        m_form->setCurrentPage(4);
        m_form->setCurrentPage(1);
        QCoreApplication::processEvents();
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(pages()->currentIndex(), 1);
    }

    // Row 0 is offered only after a skipped login; the current page moves off
    // or onto it as the hosts rely on.
    void sipPageVisibility_data()
    {
        QTest::addColumn<int>("fromRow");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("toRow");
        QTest::newRow("offered while on General: SIP page") << 1 << true << 0;
        QTest::newRow("offered while on SIP: stays") << 0 << true << 0;
        QTest::newRow("offered while on Audio: stays") << 2 << true << 2;
        QTest::newRow("withdrawn while on SIP: General") << 0 << false << 1;
        QTest::newRow("withdrawn while on Video: stays") << 3 << false << 3;
        QTest::newRow("withdrawn while on General: stays") << 1 << false << 1;
    }
    void sipPageVisibility()
    {
        QFETCH(int, fromRow);
        QFETCH(bool, visible);
        QFETCH(int, toRow);
        AlertBoxSeam &seam = *m_seam;
        seam.answerAll(QDialogButtonBox::Cancel);
        openForm();
        m_form->setCurrentPage(fromRow);
        // Unsaved edits change nothing here: withdrawing the page asks nothing.
        edit("lineedit_SIPdomain")->setText(QStringLiteral("edited"));

        m_form->setSipSettingsVisible(visible);
        QCOMPARE(list()->isRowHidden(0), !visible);
        QCOMPARE(list()->currentRow(), toRow);
        QCOMPARE(pages()->currentIndex(), toRow);
        QCoreApplication::processEvents(); // the queued list-to-page call changes nothing
        QCOMPARE(pages()->currentIndex(), toRow);
        QCOMPARE(seam.count(), 0);
        if (!visible)
            QVERIFY(!m_form->isSipSettingsChanged());
    }

    // Offering the page fills the fields from the stored settings; offering it
    // again (a host's page rebuild) keeps what the user is typing.
    void offeringLoadsButKeepsEdits()
    {
        openForm(false);
        m_form->setSipSettingsVisible(false);
        QCOMPARE(list()->currentRow(), 1);
        config()->setDomain(QStringLiteral("stored.example"));
        m_form->setSipSettingsVisible(true);
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(edit("lineedit_SIPdomain")->text(), QStringLiteral("stored.example"));

        edit("lineedit_SIPdomain")->setText(QStringLiteral("typed.example"));
        m_form->setSipSettingsVisible(true);
        QCOMPARE(edit("lineedit_SIPdomain")->text(), QStringLiteral("typed.example"));
        QVERIFY(m_form->isSipSettingsChanged());

        // Without edits, offering it again picks up what another form stored.
        m_form->loadSipSettings();
        config()->setSignInAddress(QStringLiteral("7002"));
        m_form->setSipSettingsVisible(true);
        QCOMPARE(edit("lineedit_SIPnumber")->text(), QStringLiteral("7002"));
    }

    // Each control against its stored value, both sides trimmed.
    void changeCheck_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("changed");
        QTest::newRow("untouched") << "" << "" << false;
        QTest::newRow("protocol") << "combobox_protocol" << "TLS" << true;
        QTest::newRow("screen name") << "lineedit_screenname" << "Lobby" << true;
        QTest::newRow("screen name, spaces around") << "lineedit_screenname" << "  Front desk " << false;
        QTest::newRow("screen name, other case") << "lineedit_screenname" << "front desk" << true;
        QTest::newRow("registration") << "radio_SIPRegistration" << "" << true;
        QTest::newRow("server") << "lineedit_SIPserver" << "sip2.example" << true;
        QTest::newRow("server, spaces around") << "lineedit_SIPserver" << " sip.example  " << false;
        QTest::newRow("domain") << "lineedit_SIPdomain" << "other" << true;
        QTest::newRow("number") << "lineedit_SIPnumber" << "7009" << true;
        QTest::newRow("user name") << "lineedit_SIPusername" << "u2" << true;
        QTest::newRow("password") << "lineedit_SIPpassword" << "Secret" << true;
        QTest::newRow("password, spaces around") << "lineedit_SIPpassword" << " secret " << false;
        QTest::newRow("password emptied") << "lineedit_SIPpassword" << "" << true;
    }
    void changeCheck()
    {
        QFETCH(QString, control);
        QFETCH(QString, value);
        QFETCH(bool, changed);
        openForm();
        QVERIFY(!m_form->isSipSettingsChanged());
        if (control == QLatin1String("combobox_protocol"))
            protocol()->setCurrentText(value);
        else if (control == QLatin1String("radio_SIPRegistration"))
            registration()->setChecked(!registration()->isChecked());
        else if (!control.isEmpty())
            edit(control.toLatin1().constData())->setText(value);
        QCOMPARE(m_form->isSipSettingsChanged(), changed);

        // Never while the page is not offered.
        m_form->setSipSettingsVisible(false);
        QVERIFY(!m_form->isSipSettingsChanged());
    }

    // Loading fills every field and the panel from the stored values and
    // throws edits away; an unknown protocol shows "TCP" and counts as a change.
    void loadDiscardsEdits_data()
    {
        QTest::addColumn<QString>("storedProtocol");
        QTest::addColumn<bool>("storedRegistration");
        QTest::addColumn<QString>("shownProtocol");
        QTest::addColumn<bool>("changedAfterLoad");
        QTest::newRow("UDP, registration on") << "UDP" << true << "UDP" << false;
        QTest::newRow("TLS, registration off") << "TLS" << false << "TLS" << false;
        QTest::newRow("nothing stored: TCP") << "" << true << "TCP" << false;
        QTest::newRow("lower case tcp") << "tcp" << true << "TCP" << true;
    }
    void loadDiscardsEdits()
    {
        QFETCH(QString, storedProtocol);
        QFETCH(bool, storedRegistration);
        QFETCH(QString, shownProtocol);
        QFETCH(bool, changedAfterLoad);
        openForm();
        protocol()->setCurrentIndex(2);
        edit("lineedit_screenname")->setText(QStringLiteral("typed"));
        edit("lineedit_SIPpassword")->setText(QStringLiteral("typed"));
        clickRegistration();
        QVERIFY(!registration()->isChecked());
        QVERIFY(!registrationPanel()->isVisible());

        config()->setTransportProtocol(storedProtocol);
        config()->setEnableRegistration(storedRegistration);
        m_form->loadSipSettings();
        QCOMPARE(protocol()->currentText(), shownProtocol);
        QCOMPARE(edit("lineedit_screenname")->text(), QStringLiteral("Front desk"));
        QCOMPARE(registration()->isChecked(), storedRegistration);
        QCOMPARE(registrationPanel()->isVisible(), storedRegistration);
        QCOMPARE(edit("lineedit_SIPserver")->text(), QStringLiteral("sip.example"));
        QCOMPARE(edit("lineedit_SIPdomain")->text(), QStringLiteral("example"));
        QCOMPARE(edit("lineedit_SIPnumber")->text(), QStringLiteral("7001"));
        QCOMPARE(edit("lineedit_SIPusername")->text(), QStringLiteral("u1"));
        QCOMPARE(edit("lineedit_SIPpassword")->text(), QStringLiteral("secret"));
        QCOMPARE(m_form->isSipSettingsChanged(), changedAfterLoad);
    }

    // Only the user's click moves the registration panel; nothing is stored.
    void registrationClickTogglesPanel()
    {
        config()->setEnableRegistration(false);
        openForm();
        QVERIFY(!registrationPanel()->isVisible());
        clickRegistration();
        QVERIFY(registration()->isChecked());
        QVERIFY(registrationPanel()->isVisible());
        QVERIFY(!config()->getEnableRegistration());
        clickRegistration();
        QVERIFY(!registrationPanel()->isVisible());
    }

    // The screen name refuses quotes, angle brackets, plus signs and a 65th
    // character.
    void screenNameValidator_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("plain") << "Front desk 2" << "Front desk 2";
        QTest::newRow("quote") << "a\"b" << "ab";
        QTest::newRow("angle brackets") << "<a>" << "a";
        QTest::newRow("plus") << "+86" << "86";
        QTest::newRow("65 characters") << QString(65, QLatin1Char('x')) << QString(64, QLatin1Char('x'));
        QTest::newRow("other scripts") << "前台" << "前台";
    }
    void screenNameValidator()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        openForm();
        QLineEdit *name = edit("lineedit_screenname");
        name->clear();
        // One character at a time through the validator, as typing does.
        for (const QChar c : typed)
            name->insert(QString(c));
        QCOMPARE(name->text(), kept);
    }

    // The password is never shown in clear.
    void passwordHidden()
    {
        openForm();
        QCOMPARE(edit("lineedit_SIPpassword")->echoMode(), QLineEdit::Password);
        QCOMPARE(edit("lineedit_SIPpassword")->text(), QStringLiteral("secret"));
        QVERIFY(!edit("lineedit_SIPpassword")->displayText().contains(QLatin1String("secret")));
    }

    // Save validates, stores the eight trimmed values, registers again from
    // them through the call model and says so; the engine's outcome follows
    // as events.
    void save_data()
    {
        QTest::addColumn<bool>("registrationOn");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("registerState"); // -1: no registration
        QTest::addColumn<int>("errorCode");
        QTest::newRow("registration, accepted")
            << true << " sip2.example " << " pw 1 " << "Saved Successfully!" << true << 1 << 0;
        // Refused by the engine (as for a wrong password), with a password
        // that no log line holds by chance.
        QTest::newRow("registration, refused")
            << true << "sip2.example" << "Wr0ng-4106" << "Saved Successfully!" << true << 2 << 4106;
        QTest::newRow("registration without a server")
            << true << "   " << "Pa55-none" << "Input Server Address" << false << -1 << 0;
        QTest::newRow("anonymous, empty server")
            << false << "" << "Pa55-anon" << "Saved Successfully!" << true << 1 << 0;
    }
    void save()
    {
        QFETCH(bool, registrationOn);
        QFETCH(QString, server);
        QFETCH(QString, password);
        QFETCH(QString, prompt);
        QFETCH(bool, stored);
        QFETCH(int, registerState);
        QFETCH(int, errorCode);
        AlertBoxSeam &seam = *m_seam;
        seam.answerAll(QDialogButtonBox::Ok);
        // Every message of the case, the engine's later outcome included.
        g_messages.clear();
        g_previousHandler = qInstallMessageHandler(captureMessage);
        auto checkMessages = qScopeGuard([password] {
            qInstallMessageHandler(g_previousHandler);
            std::lock_guard<std::mutex> locker(g_messagesMutex);
            QVERIFY(!g_messages.isEmpty());
            for (const QString &line : qAsConst(g_messages))
                QVERIFY2(!line.contains(password.trimmed()), qPrintable(line));
        });
        if (errorCode)
            rjsim_force_result("registerSIPServer", errorCode, 1);
        openForm();
        QSignalSpy errors(sdk(), &CRJSdkManager::eventError);
        QSignalSpy registrations(sdk(), &CRJSdkManager::eventRegisterInfo);

        protocol()->setCurrentText(QStringLiteral("TLS"));
        edit("lineedit_screenname")->setText(QStringLiteral(" Lobby "));
        registration()->setChecked(registrationOn);
        edit("lineedit_SIPserver")->setText(server);
        edit("lineedit_SIPdomain")->setText(QStringLiteral(" dom "));
        edit("lineedit_SIPnumber")->setText(QString());
        edit("lineedit_SIPusername")->setText(QStringLiteral("u2"));
        edit("lineedit_SIPpassword")->setText(password);

        QTest::mouseClick(child<QPushButton>("pbt_SIPSave"), Qt::LeftButton);

        QCOMPARE(seam.texts(), QStringList{prompt});
        QCOMPARE(seam.last().title, QStringLiteral("Prompt"));
        QCOMPARE(seam.last().parent.data(), static_cast<QWidget *>(m_form.get()));

        if (!stored) {
            QCOMPARE(config()->getTransportProtocol(), QStringLiteral("UDP"));
            QCOMPARE(config()->getScreenName(), QStringLiteral("Front desk"));
            QCOMPARE(config()->getProxyServerAddress(), QStringLiteral("sip.example"));
            QCOMPARE(config()->getAuthenticationPassword(), QStringLiteral("secret"));
            QCOMPARE(rjsim_journal_count("registerSIPServer"), 0);
            QVERIFY(m_form->isSipSettingsChanged());
            return;
        }
        QCOMPARE(config()->getTransportProtocol(), QStringLiteral("TLS"));
        QCOMPARE(config()->getScreenName(), QStringLiteral("Lobby"));
        QCOMPARE(config()->getEnableRegistration(), registrationOn);
        QCOMPARE(config()->getProxyServerAddress(), server.trimmed());
        QCOMPARE(config()->getDomain(), QStringLiteral("dom"));
        QCOMPARE(config()->getSignInAddress(), QString());
        QCOMPARE(config()->getAuthenticationUserName(), QStringLiteral("u2"));
        QCOMPARE(config()->getAuthenticationPassword(), password.trimmed());
        // The fields keep what was typed; trimmed, they match what was stored.
        QCOMPARE(edit("lineedit_screenname")->text(), QStringLiteral(" Lobby "));
        QVERIFY(!m_form->isSipSettingsChanged());

        const QList<QStringList> calls = journalArgs("registerSIPServer");
        QCOMPARE(calls.size(), 1);
        if (registrationOn) {
            QCOMPARE(calls[0], (QStringList{server.trimmed(), "Lobby", "u2", password.trimmed(), "TLS"}));
        } else {
            QCOMPARE(calls[0].value(0), QString());
            QCOMPARE(calls[0].value(1), QStringLiteral("Lobby"));
            QCOMPARE(calls[0].value(2), config()->getDeviceSn());
            QCOMPARE(calls[0].value(3), QString());
        }

        // The engine's outcome of the new registration.
        QTRY_VERIFY_WITH_TIMEOUT(!registrations.isEmpty()
                                     && registrations.last().at(0).value<rj::engine::RJRegisterInfo>().state
                                            == registerState,
                                 kWaitMs);
        QCOMPARE(registrations.last().at(0).value<rj::engine::RJRegisterInfo>().type, int(rj::engine::RJ_CALL_TYPE_SIP));
        if (errorCode) {
            QCOMPARE(errors.size(), 1);
            const auto err = errors.first().at(0).value<rj::engine::RJError>();
            QCOMPARE(err.type, 4);
            QCOMPARE(QString::fromStdString(err.action), QStringLiteral("registerSIPServer"));
            QCOMPARE(err.code, errorCode);
        } else {
            QCOMPARE(errors.size(), 0);
        }

        // Saved: leaving the page asks nothing.
        clickRow(1);
        QTRY_COMPARE(pages()->currentIndex(), 1);
        QCOMPARE(seam.count(), 1);
    }

    // A second save drops the registration it made and registers again.
    void saveAgainReRegisters()
    {
        AlertBoxSeam &seam = *m_seam;
        seam.answerAll(QDialogButtonBox::Ok);
        openForm();
        QTest::mouseClick(child<QPushButton>("pbt_SIPSave"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(CLoginManager::getInstance()->getRegisterInfo().state == 1, kWaitMs);
        rjsim_clear_journal();
        edit("lineedit_SIPusername")->setText(QStringLiteral("u3"));
        QTest::mouseClick(child<QPushButton>("pbt_SIPSave"), Qt::LeftButton);
        settleEngine();
        QCOMPARE(rjsim_journal_count("unregisterSIPServer"), 1);
        const QList<QStringList> calls = journalArgs("registerSIPServer");
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].value(2), QStringLiteral("u3"));
        QTRY_COMPARE_WITH_TIMEOUT(CLoginManager::getInstance()->getRegisterInfo().state, 1, kWaitMs);
        QCOMPARE(seam.texts(), (QStringList{"Saved Successfully!", "Saved Successfully!"}));
    }

    // Leaving the SIP page with edits asks first: Cancel stays with the edits
    // (and starts nothing of the page that was not entered), Ok reloads.
    void leavingWithEditsAsks_data()
    {
        QTest::addColumn<int>("target");
        QTest::newRow("to General") << 1;
        QTest::newRow("to Audio") << 2;
        QTest::newRow("to Video") << 3;
    }
    void leavingWithEditsAsks()
    {
        QFETCH(int, target);
        AlertBoxSeam &seam = *m_seam;
        openForm();
        edit("lineedit_SIPserver")->setText(QStringLiteral("typed.example"));

        seam.answerNext(QDialogButtonBox::Cancel);
        clickRow(target);
        QTRY_COMPARE(seam.count(), 1);
        QCOMPARE(seam.last().kind, AlertBoxSeam::Request::Question);
        QCOMPARE(seam.last().title, QStringLiteral("Note"));
        QCOMPARE(seam.last().text, QStringLiteral("Changes are not saved, Are you sure you want to leave?"));
        QCOMPARE(seam.last().buttons, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(seam.last().defaultButton, QDialogButtonBox::Ok);
        QCoreApplication::processEvents();
        QCOMPARE(pages()->currentIndex(), 0);
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(edit("lineedit_SIPserver")->text(), QStringLiteral("typed.example"));
        QVERIFY(!meterTimer()->isActive());
        QCOMPARE(rjsim_journal_count("enableMicMeter"), 0);
        QCOMPARE(rjsim_journal_count("enablePreview"), 0);

        // Asked again; now Ok.
        seam.answerNext(QDialogButtonBox::Ok);
        clickRow(target);
        QTRY_COMPARE(pages()->currentIndex(), target);
        QCOMPARE(seam.count(), 2);
        QCOMPARE(edit("lineedit_SIPserver")->text(), QStringLiteral("sip.example"));
        QVERIFY(!m_form->isSipSettingsChanged());
        QCOMPARE(meterTimer()->isActive(), target == 2);

        // Without edits nothing is asked.
        m_form->setCurrentPage(0);
        m_form->setCurrentPage(target);
        QCOMPARE(seam.count(), 2);
    }

    // Entering and leaving the Audio and Video pages switches the engine's
    // microphone meter and preview; hiding stops both, showing resumes.
    void meterAndPreview()
    {
        openForm();
        QCOMPARE(rjsim_journal_count("enableMicMeter"), 0); // first show on page 0: nothing
        QCOMPARE(rjsim_journal_count("enablePreview"), 0);

        clickRow(2);
        QTRY_VERIFY(meterTimer()->isActive());
        QCOMPARE(meterTimer()->interval(), 200);
        QCOMPARE(journalArgs("enableMicMeter"), QList<QStringList>{{"1"}});

        clickRow(3);
        QTRY_VERIFY(!meterTimer()->isActive());
        QCOMPARE(journalArgs("enableMicMeter"), (QList<QStringList>{{"1"}, {"0"}}));
        QCOMPARE(journalArgs("enablePreview"), QList<QStringList>{{"1"}});

        rjsim_clear_journal();
        m_form->hide();
        QCOMPARE(journalArgs("enableMicMeter"), QList<QStringList>{{"0"}});
        QCOMPARE(journalArgs("enablePreview"), QList<QStringList>{{"0"}});
        QCOMPARE(pages()->currentIndex(), 3);

        rjsim_clear_journal();
        m_form->show();
        QCOMPARE(journalArgs("enablePreview"), QList<QStringList>{{"1"}});
        QVERIFY(!meterTimer()->isActive());

        clickRow(3); // already current: nothing happens
        QCoreApplication::processEvents();
        QCOMPARE(journalArgs("enablePreview"), QList<QStringList>{{"1"}});
    }

    // The in-call settings window selects the Audio page before showing its
    // form: the meter waits for the show.
    void openedOnAudioPage()
    {
        openForm(false);
        m_form->setSipSettingsVisible(false);
        m_form->setCurrentPage(2);
        QVERIFY(!meterTimer()->isActive());
        QCOMPARE(rjsim_journal_count("enableMicMeter"), 0);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QVERIFY(meterTimer()->isActive());
        QCOMPARE(journalArgs("enableMicMeter"), QList<QStringList>{{"1"}});
        m_form->hide();
        QVERIFY(!meterTimer()->isActive());
        QCOMPARE(journalArgs("enableMicMeter").last(), QStringList{"0"});
        QCOMPARE(journalArgs("enablePreview").last(), QStringList{"0"});
    }

    // Sheets, sizes and list icons follow the host's scale; odd scales take
    // the nearest set rather than files that do not exist.
    void scaleChange_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("applied");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("1") << 1.0 << 1.0 << "";
        QTest::newRow("1.5") << 1.5 << 1.5 << "@1.5x";
        QTest::newRow("2") << 2.0 << 2.0 << "@2x";
        QTest::newRow("1.25") << 1.25 << 1.5 << "@1.5x";
        QTest::newRow("0") << 0.0 << 1.0 << "";
        QTest::newRow("3") << 3.0 << 2.0 << "@2x";
    }
    void scaleChange()
    {
        QFETCH(double, scale);
        QFETCH(double, applied);
        QFETCH(QString, suffix);
        openForm();
        m_form->updateDpi(2.0);
        m_form->updateDpi(scale);

        QCOMPARE(m_form->fStretchFactor, applied);
        const int px = int(applied * 14);
        QVERIFY2(m_form->styleSheet().contains(QStringLiteral("font-size: %1px;").arg(px)),
                 qPrintable(m_form->styleSheet().left(400)));
        QCOMPARE(list()->iconSize(), QSize(int(applied * 20), int(applied * 20)));
        const char *const icons[] = {"icon_sip",   "icon_general",       "icon_audio",
                                     "icon_video", "icon_nav_webreport", "icon_about"};
        for (int row = 0; row < 6; ++row) {
            const QString path = QStringLiteral(":/resources/images/%1%2.png").arg(QLatin1String(icons[row]), suffix);
            QVERIFY2(QFile::exists(path), qPrintable(path));
            QCOMPARE(list()->item(row)->icon().availableSizes(),
                     QList<QSize>{QSize(int(applied * 20), int(applied * 20))});
        }
        QCOMPARE(child<QWidget>("wgtSettingsEntrances")->width(), int(applied * 250));
        QCOMPARE(child<QWidget>("scorllSIPWidght")->width(), int(applied * 480));
        QCOMPARE(child<QPushButton>("pbt_SIPSave")->size(), QSize(int(applied * 120), int(applied * 30)));
        QCOMPARE(edit("lineedit_SIPserver")->height(), int(applied * 30));
    }

    // Every picture the sheets name exists at every scale.
    void styleSheetResources()
    {
        openForm();
        for (double scale : {1.0, 1.5, 2.0}) {
            m_form->updateDpi(scale);
            const QString sheet = m_form->styleSheet();
            QVERIFY(!sheet.isEmpty());
            static const QRegularExpression url(QStringLiteral("url\\(\"(:/[^\"]+)\"\\)"));
            auto it = url.globalMatch(sheet);
            QVERIFY(it.hasNext());
            while (it.hasNext()) {
                const QString path = it.next().captured(1);
                QVERIFY2(QFile::exists(path), qPrintable(path));
            }
        }
    }

    // A language switch retranslates the rows (row 0 stays "SIP") and the
    // labels, and leaves the typed values alone.
    void languageChange()
    {
        CLinguist *linguist = CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::EN_US);
        openForm();
        edit("lineedit_SIPserver")->setText(QStringLiteral("typed.example"));
        protocol()->setCurrentText(QStringLiteral("TLS"));

        linguist->changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(list()->item(0)->text(), QStringLiteral("SIP"));
        QCOMPARE(list()->item(1)->text(), QStringLiteral("常规"));
        QCOMPARE(list()->item(4)->text(), QStringLiteral("网络报告"));
        QCOMPARE(child<QLabel>("label_SIPserver")->text(), QStringLiteral("SIP服务器"));
        QCOMPARE(child<QPushButton>("pbt_SIPSave")->text(), QStringLiteral("保存"));
        QCOMPARE(edit("lineedit_SIPserver")->text(), QStringLiteral("typed.example"));
        QCOMPARE(protocol()->currentText(), QStringLiteral("TLS"));

        linguist->changeLanguage(CLinguist::EN_US);
        QCOMPARE(list()->item(1)->text(), QStringLiteral("General"));
        QCOMPARE(child<QLabel>("label_SIPserver")->text(), QStringLiteral("SIP Server"));
        QCOMPARE(registration()->text(), QStringLiteral("Enable SIP Registration"));
    }
};

GLIMORA_TEST_MAIN(TestSettingsForm)
#include "tst_settingsform.moc"
