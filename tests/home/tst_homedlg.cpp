// The home window against the simulated engine: its pages and menu for each
// kind of sign-in, the question before leaving unsaved SIP settings, the
// forced logout, the REST error prompt, the emulated maximise and closing.

#include "HomeTestEnv.h"

#include "support/AlertBoxSeam.h"
#include "support/FakeWebComponents.h"
#include "support/TestMain.h"

#include "custom_controls/CHomeMenuListModel.h"
#include "custom_controls/CHomeMenuListView.h"
#include "views/main/CHomeExitButton.h"
#include "views/main/CJoinConfWidget.h"
#include "views/meetings/CConferencesWidget.h"
#include "views/meetings/CContactsWidget.h"
#include "views/meetings/CWebPageHost.h"
#include "views/settings/CSettingsForm.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QtTest/qtestspontaneevent.h>

using glimora::test::AlertBoxSeam;
using home_test::kWaitMs;
using rj_app::custom_controls::CHomeMenuListModel;
using rj_app::views::CHomeDlg;
using rj_app::views::CSettingsForm;
using namespace rj_app::enums;

class TestHomeDlg : public QObject
{
    Q_OBJECT

    home_test::Env m_env;

    CHomeDlg *home() { return CHomeDlg::getInstance(); }

    QStringList menuCaptions()
    {
        QStringList captions;
        QAbstractItemModel *model = home()->menuList()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            captions << model->index(row, 0).data(CHomeMenuListModel::CaptionRole).toString();
        return captions;
    }

    QStringList pageClasses()
    {
        QStringList names;
        QStackedWidget *stack = home()->contentStack();
        for (int i = 0; i < stack->count(); ++i)
            names << QString::fromLatin1(stack->widget(i)->metaObject()->className()).section(QLatin1String("::"), -1);
        return names;
    }

    bool sipRowVisible() { return !home()->settingsForm()->lvSettingsEntrances()->item(0)->isHidden(); }

    void skipLogin()
    {
        if (m_env.login()->m_loginStatus == LoggedIn)
            m_env.login()->logout();
        m_env.login()->setLoginStatus(NotLogin);
        m_env.login()->setLoginStatus(AnonymousLoggedIn);
        m_env.settle();
    }

private slots:
    void initTestCase()
    {
        glimora::test::useFakeWebPages();
        QVERIFY(m_env.start());
        m_env.settle();
    }

    void init() { m_env.settle(); }

    // Before anyone signs in the window already holds the native tabs; each
    // kind of sign-in then gets its own menu and pages, and a page of one
    // kind never lives beside the page of the other kind in the same row.
    void compositionFollowsTheSignIn()
    {
        QCOMPARE(pageClasses(), QStringList({"CConferencesWidget", "CContactsWidget", "CSettingsForm"}));
        QVERIFY(!sipRowVisible());

        skipLogin();
        QCOMPARE(menuCaptions(), QStringList({"Join", "Settings"}));
        QCOMPARE(pageClasses(), QStringList({"CJoinConfWidget", "CSettingsForm"}));
        QCOMPARE(home()->menuList()->currentIndex().row(), 0);
        QCOMPARE(home()->contentStack()->currentIndex(), 0);
        QVERIFY(sipRowVisible());
        QTRY_VERIFY_WITH_TIMEOUT(home()->isVisible(), kWaitMs);
        QVERIFY(home()->findChild<CHomeExitButton *>()->isVisible());
        QVERIFY(home()->findChild<QPushButton *>(QStringLiteral("m_pBtnJoinConf"))->isHidden());
        // The native tabs survive a skipped login.
        QVERIFY(home()->conferencesWidget() && home()->contactsWidget());

        m_env.signIn(true);
        QCOMPARE(menuCaptions(), QStringList({"Meetings", "Contacts", "Settings"}));
        QCOMPARE(pageClasses(), QStringList({"FakeWebPage", "FakeWebPage", "CSettingsForm"}));
        QCOMPARE(home()->confListWebPage()->urlType(), int(rj_app::enums::Conferences));
        QCOMPARE(home()->contactsWebPage()->urlType(), int(rj_app::enums::Contact));
        QVERIFY(!home()->conferencesWidget() && !home()->contactsWidget() && !home()->joinConfWidget());
        QVERIFY(!sipRowVisible());
        QVERIFY(home()->findChild<CHomeExitButton *>()->isHidden());
        QVERIFY(home()->findChild<QPushButton *>(QStringLiteral("m_pBtnJoinConf"))->isVisible());

        m_env.signIn(false);
        QCOMPARE(pageClasses(), QStringList({"CConferencesWidget", "CContactsWidget", "CSettingsForm"}));
        QVERIFY(!home()->confListWebPage() && !home()->contactsWebPage());
    }

    // Unsaved SIP settings: Cancel keeps the settings page and the edits, Ok
    // discards the edits and goes where the user clicked.
    void leavingUnsavedSipSettingsAsks()
    {
        skipLogin();
        QTRY_VERIFY_WITH_TIMEOUT(home()->isVisible(), kWaitMs);
        CSettingsForm *settings = home()->settingsForm();
        const int settingsRow = home()->contentStack()->indexOf(settings);
        home()->menuList()->setCurrentRow(settingsRow);
        home()->contentStack()->setCurrentIndex(settingsRow);
        auto *name = settings->findChild<QLineEdit *>(QStringLiteral("lineedit_screenname"));
        QVERIFY(name);
        const QString stored = name->text();
        name->setText(stored + QStringLiteral("-edited"));
        QVERIFY(settings->isSipSettingsChanged());

        AlertBoxSeam seam(QDialogButtonBox::Cancel);
        home()->contentStack()->setCurrentIndex(0);
        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().text, QStringLiteral("Changes are not saved, Are you sure you want to leave?"));
        QCOMPARE(home()->contentStack()->currentWidget(), settings);
        QCOMPARE(home()->menuList()->currentIndex().row(), settingsRow);
        QCOMPARE(name->text(), stored + QStringLiteral("-edited"));

        seam.answerAll(QDialogButtonBox::Ok);
        home()->contentStack()->setCurrentIndex(0);
        QCOMPARE(seam.count(), 2);
        QCOMPARE(home()->contentStack()->currentIndex(), 0);
        QCOMPARE(name->text(), stored);

        // Unchanged values ask nothing.
        home()->contentStack()->setCurrentIndex(settingsRow);
        home()->contentStack()->setCurrentIndex(0);
        QCOMPARE(seam.count(), 2);
    }

    // Signed in elsewhere while idle: the box, then the logout. During a call
    // nothing shows until the call has ended.
    void forcedLogoutWaitsForTheCall()
    {
        m_env.signIn(false);
        {
            AlertBoxSeam seam(QDialogButtonBox::Ok);
            QCOMPARE(rjsim_command("kick"), 0);
            QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
            QVERIFY(seam.last().text.startsWith(QLatin1String("Your account logged in on another device at ")));
            const QString stamp = seam.last().text.section(QLatin1String(" at "), 1).section(QLatin1Char('.'), 0, 0);
            QVERIFY2(QDateTime::fromString(stamp, QStringLiteral("yyyy/MM/dd HH:mm:ss")).isValid(), qPrintable(stamp));
            QTRY_COMPARE_WITH_TIMEOUT(m_env.login()->m_loginStatus, NotLogin, kWaitMs);
        }

        m_env.settle();
        m_env.signIn(false);
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        m_env.call()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(m_env.call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(rjsim_command("kick"), 0);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QTest::qWait(50);
        QCOMPARE(seam.count(), 0);
        QCOMPARE(m_env.login()->m_loginStatus, LoggedIn);
        // An error of the attendees refresh during the call is not prompted.
        emit rj_app::models::CUCMApiManager::getInstance()->signal_ucmapi_error(
            1999, QStringLiteral("Internal error(%1)."), true);
        QTest::qWait(20);
        QCOMPARE(seam.count(), 0);

        QVERIFY(m_env.call()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
        QVERIFY(seam.last().text.startsWith(QLatin1String("Your account logged in on another device at ")));
        QTRY_COMPARE_WITH_TIMEOUT(m_env.login()->m_loginStatus, NotLogin, kWaitMs);
    }

    void restErrorPrompt_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("shown"); // empty: no box
        QTest::newRow("token renewal is silent") << 1010 << "Invalid token(%1)." << QString();
        QTest::newRow("code in its place") << 3010 << "Meeting does not exist(%1)." << "Meeting does not exist(3010).";
        QTest::newRow("server's own markers stay") << 2042 << "Disk 90%1 full, 5%2 left(%1)."
                                                   << "Disk 90%1 full, 5%2 left(2042).";
    }

    // What the user asked for is prompted with the server's text as it
    // stands; only the trailing code marker is filled in.
    void restErrorPrompt()
    {
        QFETCH(int, code);
        QFETCH(QString, info);
        QFETCH(QString, shown);
        m_env.signIn(false);
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        home()->slot_ucmapi_error(code, info);
        QCOMPARE(seam.count(), shown.isEmpty() ? 0 : 1);
        if (!shown.isEmpty())
            QCOMPARE(seam.last().text, shown);
    }

    // Maximise fills the available area of the screen; restore and a drag of
    // the maximised window bring back the saved geometry first.
    void emulatedMaximize()
    {
        m_env.signIn(false);
        QTRY_VERIFY_WITH_TIMEOUT(home()->isVisible(), kWaitMs);
        QVERIFY(QTest::qWaitForWindowExposed(home()));
        const QRect normal = home()->geometry();
        auto *maxButton = home()->findChild<QPushButton *>(QStringLiteral("m_pBtnMax"));
        auto *restoreButton = home()->findChild<QPushButton *>(QStringLiteral("m_pBtnRestore"));
        QTest::mouseClick(maxButton, Qt::LeftButton);
        QVERIFY(home()->m_bMaximized);
        const QRect available = home()->screen()->availableGeometry();
        QTRY_COMPARE(home()->size(), available.size());
        QVERIFY(maxButton->isHidden() && restoreButton->isVisible());
        QTest::mouseClick(restoreButton, Qt::LeftButton);
        QVERIFY(!home()->m_bMaximized);
        QTRY_COMPARE(home()->size(), normal.size());
        QVERIFY(maxButton->isVisible() && restoreButton->isHidden());

        // A press on the content area never drags.
        const QPoint before = home()->pos();
        QWidget *content = home()->contentStack();
        QTest::mousePress(content, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseMove(content, QPoint(120, 90));
        QTest::mouseRelease(content, Qt::LeftButton, {}, QPoint(120, 90));
        QCOMPARE(home()->pos(), before);

        // Dragging the maximised window by its title bar restores it first.
        home()->slotOnWinMax();
        QVERIFY(home()->m_bMaximized);
        QWidget *title = home()->findChild<QWidget *>(QStringLiteral("m_pWgtTitleBar"));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), title->mapToGlobal(QPoint(10, 10)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(home(), &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 30), title->mapToGlobal(QPoint(40, 30)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(home(), &move);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(40, 30), title->mapToGlobal(QPoint(40, 30)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(home(), &release);
        QVERIFY(!home()->m_bMaximized);
        QCOMPARE(home()->size(), normal.size());
    }

    // The client's own show centres the window; the window system's show on
    // a restore from minimised leaves it where the person put it.
    void restoredWhereLeft()
    {
        m_env.signIn(false);
        QTRY_VERIFY_WITH_TIMEOUT(home()->isVisible(), kWaitMs);
        QVERIFY(QTest::qWaitForWindowExposed(home()));
        const QPoint centred = home()->pos();
        const QPoint left = centred + QPoint(-37, 23);
        home()->move(left);
        QTRY_COMPARE(home()->pos(), left);
        // As the window system delivers it (sendEvent would clear the flag).
        QShowEvent restored;
        QSpontaneKeyEvent::setSpontaneous(&restored);
        static_cast<QObject *>(home())->event(&restored);
        QCOMPARE(home()->pos(), left);
        home()->hide();
        home()->show();
        QTRY_COMPARE(home()->pos(), centred);
    }

    // The sidebar's exit button: hover picture only while hovered, a click
    // only for the left button.
    void exitButton()
    {
        CHomeExitButton button;
        button.updateDpi(1.0);
        QSignalSpy clicked(&button, &CHomeExitButton::clicked);
        QTest::mousePress(&button, Qt::RightButton);
        QCOMPARE(clicked.count(), 0);
        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&button, &enter);
        QVERIFY(button.isHovered());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
        QVERIFY(!button.isHovered());
    }

    // Last: the close button asks; Cancel keeps the application, Ok ends it.
    void closeAsksFirst()
    {
        m_env.signIn(false);
        QTRY_VERIFY_WITH_TIMEOUT(home()->isVisible(), kWaitMs);
        auto *close = home()->findChild<QPushButton *>(QStringLiteral("m_pBtnClose"));
        AlertBoxSeam seam(QDialogButtonBox::Cancel);
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().text, QStringLiteral("Are you sure to close app?"));
        QCOMPARE(m_env.exitCode, -1);
        QVERIFY(home()->isVisible());
        seam.answerAll(QDialogButtonBox::Ok);
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(m_env.exitCode, 0);
    }
};

GLIMORA_TEST_MAIN(TestHomeDlg)

#include "tst_homedlg.moc"
