// The join dialog and the join panel against the simulated engine: what a
// join stores, switches and dials, the recent numbers, blank and unknown
// numbers, the read-only form, the deployment without audio-only joins, the
// number box's two editors, the style per scale and the retranslation.

#include "support/AlertBoxSeam.h"
#include "support/ModalDialogDriver.h"
#include "support/StandInRingtone.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/CModualDlgsManager.h"
#include "views/main/CJoinConfCombo.h"
#include "views/main/CJoinConfDlg.h"
#include "views/main/CJoinConfFlow.h"
#include "views/main/CJoinConfWidget.h"
#include "rjsim_control.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopeGuard>

#include <memory>

using glimora::test::AlertBoxSeam;
using glimora::test::ModalDialogDriver;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CJoinConfDlg;
using rj_app::views::CJoinConfFlow;
using rj_app::views::CJoinConfWidget;
using rj_app::views::CModualDlgsManager;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;

// The controls of either form, found by their names.
struct Form
{
    std::unique_ptr<QWidget> window;
    CJoinConfCombo *combo = nullptr;
    QLineEdit *overlay = nullptr;
    QLineEdit *password = nullptr;
    QPushButton *videoJoin = nullptr;
    QPushButton *audioJoin = nullptr;
    QCheckBox *micOff = nullptr;
    QCheckBox *cameraOff = nullptr;
    QLabel *title = nullptr;

    bool complete() const
    {
        return window && combo && overlay && password && videoJoin && audioJoin && micOff && cameraOff && title;
    }
};

// "dialog" (free form, or read-only with a number) or "panel"; shown.
Form openForm(const QString &kind, const QString &number = QString(), const QString &password = QString())
{
    Form f;
    if (kind == QLatin1String("dialog")) {
        f.window.reset(new CJoinConfDlg(number, password));
    } else {
        auto *panel = new CJoinConfWidget();
        panel->updateDpi(1.0);
        f.window.reset(panel);
    }
    f.window->show();
    if (!QTest::qWaitForWindowExposed(f.window.get()))
        return f;
    f.combo = f.window->findChild<CJoinConfCombo *>(QStringLiteral("m_pCmbBoxConfNumber"));
    f.overlay = f.window->findChild<QLineEdit *>(QStringLiteral("m_comboLineEdit"));
    f.password = f.window->findChild<QLineEdit *>(QStringLiteral("m_pEditPassword"));
    f.videoJoin = f.window->findChild<QPushButton *>(QStringLiteral("m_pBtnVideoJoin"));
    f.audioJoin = f.window->findChild<QPushButton *>(QStringLiteral("m_pBtnAudioJoin"));
    f.micOff = f.window->findChild<QCheckBox *>(QStringLiteral("m_pChkBoxDisableMic"));
    f.cameraOff = f.window->findChild<QCheckBox *>(QStringLiteral("m_pChkBoxDisableCamera"));
    f.title = f.window->findChild<QLabel *>(QStringLiteral("m_pLblTitle"));
    return f;
}

// As typed or pasted into the visible editor.
void typeNumber(const Form &f, const QString &number)
{
    f.overlay->clear();
    f.overlay->insert(number);
}

// The operations of a join, in the order the engine received them.
QStringList joinOperations()
{
    QStringList ops;
    for (const std::string &line : rjsim::journal()) {
        const QString op = QString::fromStdString(line);
        if (op.startsWith(QLatin1String("enableMic\t")) || op.startsWith(QLatin1String("enableCamera\t"))
            || op.startsWith(QLatin1String("dialOut\t")))
            ops << op;
    }
    return ops;
}

QString configFile()
{
    return CUserConfigUtils::getUserConfigPath() + QStringLiteral("/Glimora/Config/config.ini");
}

QString readResource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString scaleWord(double scale)
{
    return QString::number(scale, 'g', 6) + QLatin1Char('x');
}

} // namespace

class TestJoinDlg : public QObject
{
    Q_OBJECT

    CCallController *c() { return CCallController::getInstance(); }
    CLoginManager *login() { return CLoginManager::getInstance(); }
    CUserConfigUtils *config() { return CUserConfigUtils::getInstance(); }

    // Ends whatever the last test left running and forgets the journal.
    void settle()
    {
        rjsim_clear_result(nullptr);
        if (CCallController::isInCall(c()->getCallStatus())) {
            if (!c()->hangUp())
                c()->declineCall();
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        rjsim_clear_journal();
    }

    void waitForCallEnd()
    {
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(config());
        QVERIFY(configFile().startsWith(glimora::test::isolatedRoot()));
        QVERIFY(glimora::test::useStandInRingtone());
        // The deployment file beside the test would be created otherwise.
        CJoinConfFlow::setAudioOnlyCallDisabledOverride(false);

        login()->initRJSdkManagerInstance();
        login()->initialize();
        QVERIFY(CRJSdkManager::getInstance());
        // The join panel's setting: login skipped, registered anonymously.
        login()->m_loginStatus = AnonymousLoggedIn;
        c()->whenLoginSkipped();
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);
        QCOMPARE(int(c()->getCallStatus()), int(Idle));
    }

    void init() { settle(); }

    void cleanupTestCase()
    {
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CRJSdkManager::releaseInstance();
    }

    // The modal-dialog manager finds the dialog by its qualified class name
    // and closes it before a window switch.
    void closedByTheModalDialogManager()
    {
        QCOMPARE(QByteArray(CJoinConfDlg::staticMetaObject.className()), QByteArray("rj_app::views::CJoinConfDlg"));
        const QMetaObject &mo = CJoinConfDlg::staticMetaObject;
        QStringList slotNames;
        for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
            slotNames << QString::fromLatin1(mo.method(i).name());
        QCOMPARE(slotNames, (QStringList{"slotOnVideoJoin", "slotOnAudioJoin", "slotOnLanguageChanged"}));

        auto *dlg = new CJoinConfDlg(QString(), QString());
        ModalDialogDriver driver;
        driver.expect("rj_app::views::CJoinConfDlg",
                      [](QWidget *) { CModualDlgsManager::closeAllModualDlgs(false); });
        QCOMPARE(dlg->exec(), int(QDialog::Rejected));
        QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join('\n')));
        delete dlg;
    }

    // On a fresh configuration the microphone box starts checked and the
    // camera box unchecked: the first join switches the microphone off and
    // the camera on, and writes both choices.
    void firstJoinOnFreshConfiguration()
    {
        CUserConfigUtils::releaseInstance();
        QVERIFY(!QFile::exists(configFile()) || QFile::remove(configFile()));
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(config());

        Form f = openForm(QStringLiteral("dialog"));
        QVERIFY(f.complete());
        QVERIFY(f.micOff->isChecked());
        QVERIFY(!f.cameraOff->isChecked());
        typeNumber(f, QStringLiteral("4242"));
        QTest::mouseClick(f.videoJoin, Qt::LeftButton);

        QCOMPARE(joinOperations(),
                 (QStringList{"enableMic\t0", "enableCamera\t1", "dialOut\t4242\t1"}));
        const QString ini = QString::fromUtf8(glimora::test::readBytes(configFile()));
        QVERIFY2(ini.contains(QLatin1String("DisableMicOnJoinConf=true")), qPrintable(ini));
        QVERIFY2(ini.contains(QLatin1String("DisableCameraOnJoinConf=false")), qPrintable(ini));
        waitForCallEnd();
    }

    // Both forms and both buttons: the choices are stored, microphone and
    // camera switched by the boxes (audio join too), and the trimmed number
    // dialled with the password as typed and the video flag of the button.
    // Numbers the service does not know end the call and stay out of the
    // recent numbers.
    void joinStoresChoicesAndDials_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("audio");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("micOff");
        QTest::addColumn<bool>("cameraOff");
        QTest::addColumn<QString>("dialled");

        QTest::newRow("dialog, video, devices on") << "dialog" << false << "4242" << "" << false << false << "4242";
        QTest::newRow("dialog, audio, spaces around number and in password")
            << "dialog" << true << "  4242 " << " 12 34 " << true << false << "4242* 12 34 ";
        QTest::newRow("dialog, video, both off") << "dialog" << false << "4243" << "pw" << true << true << "4243*pw";
        QTest::newRow("panel, video, server in number")
            << "panel" << false << "4244@sim.example" << "99" << false << true << "4244*99@sim.example";
        QTest::newRow("panel, audio, camera off") << "panel" << true << "4245" << "" << false << true << "4245";
        QTest::newRow("panel, audio, camera on") << "panel" << true << "4246" << "" << true << false << "4246";
    }
    void joinStoresChoicesAndDials()
    {
        QFETCH(QString, form);
        QFETCH(bool, audio);
        QFETCH(QString, number);
        QFETCH(QString, password);
        QFETCH(bool, micOff);
        QFETCH(bool, cameraOff);
        QFETCH(QString, dialled);

        // Stored choices opposite to the ones made now.
        config()->setDisableMicOnJoinConf(!micOff);
        config()->setDisableCameraOnJoinConf(!cameraOff);
        const QStringList history{QStringLiteral("1001")};
        config()->setConfIds(history);

        Form f = openForm(form);
        QVERIFY(f.complete());
        QCOMPARE(f.micOff->isChecked(), !micOff);
        QCOMPARE(f.cameraOff->isChecked(), !cameraOff);
        typeNumber(f, number);
        QTest::keyClicks(f.password, password);
        f.micOff->setChecked(micOff);
        f.cameraOff->setChecked(cameraOff);
        QTest::mouseClick(audio ? f.audioJoin : f.videoJoin, Qt::LeftButton);

        const QStringList expected{QStringLiteral("enableMic\t") + (micOff ? "0" : "1"),
                                   QStringLiteral("enableCamera\t") + (cameraOff ? "0" : "1"),
                                   QStringLiteral("dialOut\t") + dialled + (audio ? "\t0" : "\t1")};
        QCOMPARE(joinOperations(), expected);
        QCOMPARE(config()->getDisableMicOnJoinConf(), micOff);
        QCOMPARE(config()->getDisableCameraOnJoinConf(), cameraOff);
        QCOMPARE(c()->getConfNumber(), dialled);
        // The dialog closes after dialling; the panel stays as it is.
        if (form == QLatin1String("dialog")) {
            QVERIFY(!f.window->isVisible());
        } else {
            QVERIFY(f.window->isVisible());
            QCOMPARE(f.password->text(), password);
        }

        waitForCallEnd();
        QCOMPARE(config()->getConfIds(), history);
    }

    // A blank number dials nothing, stores nothing and leaves the form open.
    void blankNumberDoesNothing_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("audio");
        QTest::newRow("dialog, empty") << "dialog" << "" << false;
        QTest::newRow("dialog, spaces") << "dialog" << "   " << true;
        QTest::newRow("panel, empty") << "panel" << "" << true;
        QTest::newRow("panel, tab and spaces") << "panel" << " \t " << false;
    }
    void blankNumberDoesNothing()
    {
        QFETCH(QString, form);
        QFETCH(QString, number);
        QFETCH(bool, audio);

        config()->setConfIds({});
        config()->setDisableMicOnJoinConf(false);
        config()->setDisableCameraOnJoinConf(true);
        const QByteArray before = glimora::test::readBytes(configFile());

        Form f = openForm(form);
        QVERIFY(f.complete());
        QCOMPARE(f.combo->count(), 0);
        typeNumber(f, number);
        QCOMPARE(f.combo->currentText(), number);
        QTest::keyClicks(f.password, QStringLiteral("1234"));
        f.micOff->setChecked(true);
        f.cameraOff->setChecked(false);
        QTest::ignoreMessage(QtInfoMsg, "Empty conf id");
        QTest::mouseClick(audio ? f.audioJoin : f.videoJoin, Qt::LeftButton);

        QCOMPARE(joinOperations(), QStringList());
        QCOMPARE(rjsim_journal_count("dialOut"), 0);
        QCOMPARE(glimora::test::readBytes(configFile()), before);
        QVERIFY(!config()->getDisableMicOnJoinConf());
        QVERIFY(config()->getDisableCameraOnJoinConf());
        QVERIFY(f.window->isVisible());
        QVERIFY(!CCallController::isInCall(c()->getCallStatus()));
    }

    // The free dialog offers the stored recent numbers in their order (blank
    // entries left out) with the first one shown; the read-only dialog shows
    // only the number and password it was given and joins with exactly them.
    void recentNumbersAndReadOnlyForm()
    {
        config()->setConfIds({QStringLiteral("1001"), QString(), QStringLiteral("1002*1234"), QStringLiteral("  "),
                              QStringLiteral("8201001")});
        {
            Form f = openForm(QStringLiteral("dialog"));
            QVERIFY(f.complete());
            QStringList items;
            for (int i = 0; i < f.combo->count(); ++i)
                items << f.combo->itemText(i);
            QCOMPARE(items, (QStringList{"1001", "1002*1234", "8201001"}));
            QCOMPARE(f.combo->currentIndex(), 0);
            QCOMPARE(f.overlay->text(), QStringLiteral("1001"));
            QCOMPARE(f.combo->currentText(), QStringLiteral("1001"));
            QVERIFY(f.combo->isEnabled());
            QVERIFY(f.password->isEnabled());
            QVERIFY(f.password->text().isEmpty());
            QVERIFY(qobject_cast<QListView *>(f.combo->view()));
        }

        Form f = openForm(QStringLiteral("dialog"), QStringLiteral("1002"), QStringLiteral("1234"));
        QVERIFY(f.complete());
        QCOMPARE(f.combo->count(), 0);
        QVERIFY(!f.combo->isEnabled());
        QVERIFY(!f.overlay->isEnabled());
        QCOMPARE(f.overlay->text(), QStringLiteral("1002"));
        QCOMPARE(f.combo->currentText(), QStringLiteral("1002"));
        QVERIFY(!f.password->isEnabled());
        QCOMPARE(f.password->text(), QStringLiteral("1234"));
        f.micOff->setChecked(false);
        f.cameraOff->setChecked(false);
        QTest::mouseClick(f.videoJoin, Qt::LeftButton);
        QCOMPARE(joinOperations(), (QStringList{"enableMic\t1", "enableCamera\t1", "dialOut\t1002*1234\t1"}));
        QVERIFY(!f.window->isVisible());

        // The meeting connects; the controller puts it first in the history.
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(config()->getConfIds(),
                 (QStringList{"1002*1234", "1001", "", "  ", "8201001"}));
    }

    // The panel shown again after a join has an empty password and the
    // recent numbers reloaded, the newest shown.
    void panelRefreshesOnShow()
    {
        config()->setConfIds({QStringLiteral("8201001")});
        Form f = openForm(QStringLiteral("panel"));
        QVERIFY(f.complete());
        typeNumber(f, QStringLiteral("1001"));
        QTest::keyClicks(f.password, QStringLiteral("secret"));
        QTest::mouseClick(f.videoJoin, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.password->text(), QStringLiteral("secret"));
        QVERIFY(c()->hangUp());
        waitForCallEnd();
        QCOMPARE(config()->getConfIds(), (QStringList{"1001*secret", "8201001"}));

        f.window->hide();
        f.window->show();
        QVERIFY(f.password->text().isEmpty());
        QCOMPARE(f.combo->count(), 2);
        QCOMPARE(f.combo->currentIndex(), 0);
        QCOMPARE(f.overlay->text(), QStringLiteral("1001*secret"));
        QCOMPARE(f.combo->currentText(), QStringLiteral("1001*secret"));
    }

    // A deployment without audio-only joins: one button reading "Join", no
    // camera box, and a camera-off choice stored earlier still applies.
    void withoutAudioOnlyJoin_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("dialog") << "dialog";
        QTest::newRow("panel") << "panel";
    }
    void withoutAudioOnlyJoin()
    {
        QFETCH(QString, form);
        CJoinConfFlow::setAudioOnlyCallDisabledOverride(true);
        auto restore = qScopeGuard([] { CJoinConfFlow::setAudioOnlyCallDisabledOverride(false); });
        config()->setDisableCameraOnJoinConf(true);
        config()->setDisableMicOnJoinConf(false);

        Form f = openForm(form);
        QVERIFY(f.complete());
        QVERIFY(f.audioJoin->isHidden());
        QVERIFY(f.cameraOff->isHidden());
        QVERIFY(f.cameraOff->isChecked());
        QCOMPARE(f.videoJoin->text(), QStringLiteral("Join"));
        typeNumber(f, QStringLiteral("4242"));
        QTest::mouseClick(f.videoJoin, Qt::LeftButton);
        QCOMPARE(joinOperations(), (QStringList{"enableMic\t1", "enableCamera\t0", "dialOut\t4242\t1"}));
        QVERIFY(config()->getDisableCameraOnJoinConf());
        waitForCallEnd();
    }

    // What the user sees in the number box is what is dialled: picking from
    // the popup, typing into the overlay, picking the current item again
    // after typing, and typing into the combo's own editor.
    void numberBoxShowsWhatIsDialled()
    {
        config()->setConfIds({QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003")});
        Form f = openForm(QStringLiteral("dialog"));
        QVERIFY(f.complete());
        QCOMPARE(f.overlay->alignment(), Qt::AlignCenter);
        QCOMPARE(f.combo->lineEdit()->alignment(), Qt::AlignCenter);
        QCOMPARE(f.overlay->placeholderText(), QStringLiteral("Input meeting ID"));
        QCOMPARE(f.combo->lineEdit()->placeholderText(), QStringLiteral("Input meeting ID"));
        // The overlay hides the combo's own editor beneath it.
        const QImage overlay = f.overlay->grab().toImage();
        QCOMPARE(overlay.pixelColor(1, 1), QColor(Qt::white));

        auto pick = [&f](int row) {
            f.combo->showPopup();
            auto *view = qobject_cast<QListView *>(f.combo->view());
            QVERIFY(view);
            QTRY_VERIFY(view->isVisible());
            const QRect rect = view->visualRect(view->model()->index(row, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
            QTRY_VERIFY(!view->isVisible());
        };

        pick(2);
        QCOMPARE(f.overlay->text(), QStringLiteral("1003"));
        QCOMPARE(f.combo->currentText(), QStringLiteral("1003"));

        typeNumber(f, QStringLiteral("777"));
        QCOMPARE(f.combo->currentText(), QStringLiteral("777"));
        QCOMPARE(f.combo->currentIndex(), 2);

        pick(2);
        QCOMPARE(f.overlay->text(), QStringLiteral("1003"));
        QCOMPARE(f.combo->currentText(), QStringLiteral("1003"));

        f.combo->lineEdit()->clear();
        QTest::keyClicks(f.combo->lineEdit(), QStringLiteral("4242"));
        QCOMPARE(f.overlay->text(), QStringLiteral("4242"));

        // Typing in the middle of the overlay keeps the cursor where it is.
        f.overlay->setCursorPosition(2);
        QTest::keyClicks(f.overlay, QStringLiteral("9"));
        QCOMPARE(f.overlay->text(), QStringLiteral("42942"));
        QCOMPARE(f.overlay->cursorPosition(), 3);
        QCOMPARE(f.combo->currentText(), QStringLiteral("42942"));

        f.micOff->setChecked(false);
        f.cameraOff->setChecked(false);
        QTest::mouseClick(f.videoJoin, Qt::LeftButton);
        QCOMPARE(rjsim::journalOf("dialOut").size(), size_t(1));
        QCOMPARE(QString::fromStdString(rjsim::journalOf("dialOut")[0][1]), QStringLiteral("42942"));
        waitForCallEnd();
    }

    // A change of scale restyles the dialog with that scale's sheet, scales
    // its size, the overlay's font and the drag strip.
    void dialogScaleChangeRestyles_data()
    {
        QTest::addColumn<uint>("dpi");
        QTest::addColumn<double>("scale");
        QTest::newRow("100 %") << 96u << 1.0;
        QTest::newRow("150 %") << 144u << 1.5;
        QTest::newRow("200 %") << 192u << 2.0;
    }
    void dialogScaleChangeRestyles()
    {
        QFETCH(uint, dpi);
        QFETCH(double, scale);
        Form f = openForm(QStringLiteral("dialog"));
        QVERIFY(f.complete());
        auto *dlg = static_cast<CJoinConfDlg *>(f.window.get());
        dlg->updateDpi(dpi == 96 ? 192 : 96);
        dlg->updateDpi(dpi);
        QCOMPARE(dlg->fStretchFactor, scale);

        const QString base = QStringLiteral(":/resources/qss/join-conf-dlg");
        const QString general = readResource(base + QStringLiteral(".qss"));
        const QString scaled = readResource(base + QLatin1Char('-') + scaleWord(scale) + QStringLiteral(".qss"));
        QVERIFY(!general.isEmpty());
        QVERIFY(!scaled.isEmpty());
        QCOMPARE(dlg->styleSheet(), general + scaled);
        QCOMPARE(dlg->size(), QSize(int(380 * scale), int(330 * scale)));
        QCOMPARE(f.overlay->font().pixelSize(), int(14 * scale));
        auto *titleBar = dlg->findChild<QWidget *>(QStringLiteral("m_pWgtTitlebar"));
        QVERIFY(titleBar);
        QCOMPARE(titleBar->height(), int(30 * scale));
        QCOMPARE(dlg->dragAreaHeight, titleBar->height());
        QCOMPARE(f.title->font().pixelSize(), int(20 * scale));

        // The sheet is in force: the join buttons carry their colours.
        QTRY_COMPARE(f.videoJoin->height(), int(34 * scale));
        const QImage video = f.videoJoin->grab().toImage();
        QCOMPARE(video.pixelColor(video.width() / 2, 4 * video.height() / 5 ), QColor(0x43, 0x81, 0xff));
        const QImage audioImg = f.audioJoin->grab().toImage();
        QCOMPARE(audioImg.pixelColor(audioImg.width() / 2, 4 * audioImg.height() / 5), QColor(0x28, 0xc9, 0x83));
    }

    // The panel takes its scale from the home window; a scale not above 0
    // counts as 1.
    void panelScaleChangeRestyles_data()
    {
        QTest::addColumn<double>("given");
        QTest::addColumn<double>("scale");
        QTest::newRow("1") << 1.0 << 1.0;
        QTest::newRow("1.5") << 1.5 << 1.5;
        QTest::newRow("2") << 2.0 << 2.0;
        QTest::newRow("0") << 0.0 << 1.0;
        QTest::newRow("negative") << -2.0 << 1.0;
    }
    void panelScaleChangeRestyles()
    {
        QFETCH(double, given);
        QFETCH(double, scale);
        Form f = openForm(QStringLiteral("panel"));
        QVERIFY(f.complete());
        auto *panel = static_cast<CJoinConfWidget *>(f.window.get());
        panel->updateDpi(given);
        QCOMPARE(panel->fStretchFactor, scale);
        const QString base = QStringLiteral(":/resources/qss/join-conf-widget");
        const QString general = readResource(base + QStringLiteral(".qss"));
        const QString scaled = readResource(base + QLatin1Char('-') + scaleWord(scale) + QStringLiteral(".qss"));
        QVERIFY(!general.isEmpty());
        QVERIFY(!scaled.isEmpty());
        QCOMPARE(panel->styleSheet(), general + scaled);
        QCOMPARE(f.overlay->font().pixelSize(), int(14 * scale));
        QCOMPARE(f.title->font().pixelSize(), int(20 * scale));
    }

    // A language change re-applies every text of both forms and keeps what
    // the user typed.
    void languageChangeRetranslates_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("noAudioOnly");
        QTest::newRow("dialog") << "dialog" << false;
        QTest::newRow("panel") << "panel" << false;
        QTest::newRow("dialog, join only") << "dialog" << true;
    }
    void languageChangeRetranslates()
    {
        QFETCH(QString, form);
        QFETCH(bool, noAudioOnly);
        CJoinConfFlow::setAudioOnlyCallDisabledOverride(noAudioOnly);
        CLinguist *linguist = CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        auto restore = qScopeGuard([linguist] {
            linguist->changeLanguage(CLinguist::EN_US);
            CJoinConfFlow::setAudioOnlyCallDisabledOverride(false);
        });
        linguist->changeLanguage(CLinguist::EN_US);

        config()->setConfIds({});
        Form f = openForm(form);
        QVERIFY(f.complete());
        typeNumber(f, QStringLiteral("1001"));
        QTest::keyClicks(f.password, QStringLiteral("pw"));

        linguist->changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(linguist->getLanguage(), CLinguist::ZH_CN);
        QCOMPARE(f.title->text(), QStringLiteral("加入会议"));
        QCOMPARE(f.password->placeholderText(), QStringLiteral("密码"));
        QCOMPARE(f.micOff->text(), QStringLiteral("关闭麦克风"));
        QCOMPARE(f.cameraOff->text(), QStringLiteral("关闭摄像头"));
        QCOMPARE(f.overlay->placeholderText(), QStringLiteral("请输入会议号"));
        QCOMPARE(f.combo->lineEdit()->placeholderText(), QStringLiteral("请输入会议号"));
        if (noAudioOnly) {
            QCOMPARE(f.videoJoin->text(), QStringLiteral("加入"));
        } else {
            QCOMPARE(f.videoJoin->text(), QStringLiteral("视频入会"));
            QCOMPARE(f.audioJoin->text(), QStringLiteral("语音入会"));
        }
        QCOMPARE(f.combo->currentText(), QStringLiteral("1001"));
        QCOMPARE(f.password->text(), QStringLiteral("pw"));

        linguist->changeLanguage(CLinguist::EN_US);
        QCOMPARE(f.title->text(), QStringLiteral("Join a Meeting"));
        QCOMPARE(f.password->placeholderText(), QStringLiteral("Password"));
        QCOMPARE(f.micOff->text(), QStringLiteral("Turn off Microphone"));
        QCOMPARE(f.cameraOff->text(), QStringLiteral("Turn off Camera"));
        QCOMPARE(f.overlay->placeholderText(), QStringLiteral("Input meeting ID"));
        QCOMPARE(f.videoJoin->text(), noAudioOnly ? QStringLiteral("Join") : QStringLiteral("Video Join"));
        if (!noAudioOnly)
            QCOMPARE(f.audioJoin->text(), QStringLiteral("Audio Join"));
    }

    // Signed in but not registered: the controller refuses the dial with its
    // message box; the choices are stored and the devices switched already,
    // and the dialog closes all the same.
    void notRegisteredDialIsRefused()
    {
        login()->m_loginStatus = LoggedIn;
        auto restore = qScopeGuard([this] { login()->m_loginStatus = AnonymousLoggedIn; });
        AlertBoxSeam seam(QDialogButtonBox::Yes);
        config()->setDisableMicOnJoinConf(true);

        Form f = openForm(QStringLiteral("dialog"));
        QVERIFY(f.complete());
        typeNumber(f, QStringLiteral("1001"));
        f.micOff->setChecked(false);
        f.cameraOff->setChecked(true);
        QTest::mouseClick(f.videoJoin, Qt::LeftButton);

        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().text, QStringLiteral("Not registered to the video service, please try to log in again."));
        QCOMPARE(joinOperations(), (QStringList{"enableMic\t1", "enableCamera\t0"}));
        QVERIFY(!config()->getDisableMicOnJoinConf());
        QVERIFY(config()->getDisableCameraOnJoinConf());
        QVERIFY(!CCallController::isInCall(c()->getCallStatus()));
        QVERIFY(!f.window->isVisible());
    }

    // A join while a call runs would switch the running call's devices and
    // overwrite the stored choices: it does nothing.
    void joinDuringACallChangesNothing()
    {
        c()->dialOut(QStringLiteral("8201001"), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        config()->setDisableMicOnJoinConf(false);
        config()->setDisableCameraOnJoinConf(false);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        rjsim_clear_journal();

        Form f = openForm(QStringLiteral("panel"));
        QVERIFY(f.complete());
        typeNumber(f, QStringLiteral("4242"));
        f.micOff->setChecked(true);
        f.cameraOff->setChecked(true);
        QTest::mouseClick(f.videoJoin, Qt::LeftButton);

        QCOMPARE(joinOperations(), QStringList());
        QVERIFY(!config()->getDisableMicOnJoinConf());
        QVERIFY(!config()->getDisableCameraOnJoinConf());
        QCOMPARE(int(c()->getCallStatus()), int(ConfConnected));
        QCOMPARE(c()->getConfNumber(), QStringLiteral("8201001"));
    }
};

GLIMORA_TEST_MAIN(TestJoinDlg)
#include "tst_joindlg.moc"
