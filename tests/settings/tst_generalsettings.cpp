// The option controls of the settings page set against the simulated engine:
// the first show handing the stored choices to the engine, the call rate,
// Disable Share and render type decisions, controls that show what is in
// effect after the engine refuses, the session start entry, the language,
// the snapshot folder, the stored options, and the page's texts shown whole
// at every scale.

#include "DesktopEntryReader.h"
#include "support/AlertBoxSeam.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "support/UnwritableDir.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "custom_controls/CWrapCheckBox.h"
#include "platform/CAutoStart.h"
#include "rjsim_control.h"
#include "views/settings/CSaveFailureNotice.h"
#include "views/settings/CSettingsForm.h"
#include "views/settings/FeedBackDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QSet>
#include <QTemporaryDir>
#include <QUuid>

#include <cstring>
#include <functional>
#include <memory>

#include <unistd.h>

using glimora::test::AlertBoxSeam;
using glimora::test::readBytes;
using glimora::test::UnwritableDir;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::platform::CAutoStart;
using rj_app::views::CSettingsForm;

Q_DECLARE_METATYPE(std::function<bool(CUserConfigUtils *)>)
Q_DECLARE_METATYPE(std::function<void(CUserConfigUtils *, bool)>)

namespace {

constexpr int kWaitMs = 15000;

QList<QStringList> journalArgs(const char *operation)
{
    QList<QStringList> calls;
    for (const auto &call : rjsim::journalOf(operation)) {
        QStringList fields;
        for (std::size_t i = 1; i < call.size(); ++i)
            fields << QString::fromStdString(call[i]);
        calls << fields;
    }
    return calls;
}

// The modes that the hardware coding calls gave, each (stream, codec) pair
// counted once: empty when a pair was set twice.
QSet<QString> codingModes(const char *operation)
{
    QSet<QString> modes;
    QSet<QString> pairs;
    for (const QStringList &call : journalArgs(operation)) {
        const QString pair = call.value(0) + QLatin1Char('/') + call.value(1);
        if (pairs.contains(pair))
            return {QStringLiteral("pair %1 set twice").arg(pair)};
        pairs.insert(pair);
        modes.insert(call.value(2));
    }
    return modes;
}

QString configFile()
{
    return CUserConfigUtils::getUserConfigPath() + QStringLiteral("/Glimora/Config/config.ini");
}

} // namespace

class TestGeneralSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<CSettingsForm> m_form;
    std::unique_ptr<AlertBoxSeam> m_seam;
    std::unique_ptr<QTemporaryDir> m_configHome;
    QByteArray m_savedConfigHome;

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
    QCheckBox *box(const char *name) { return child<QCheckBox>(name); }
    QComboBox *callRateCombo() { return child<QComboBox>("m_pCmbBoxCallRate"); }
    QComboBox *languageCombo() { return child<QComboBox>("m_pCmbBoxLanguage"); }
    QString checkedRenderType()
    {
        for (const char *name : {"prbtRenderAuto", "prbtRenderD3d", "prbtRenderGDI"}) {
            if (child<QRadioButton>(name)->isChecked())
                return QLatin1String(name);
        }
        return QStringLiteral("none");
    }
    QString autostartDir() const { return m_configHome->path() + QStringLiteral("/autostart"); }

    void settle()
    {
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // A form on the given page, as the home window shows it after a sign-in.
    void openForm(int page = rj_app::views::SettingsPageIndex_General)
    {
        m_form = std::make_unique<CSettingsForm>();
        // The SIP page is offered as after a skipped login when asked for.
        m_form->setSipSettingsVisible(page == rj_app::views::SettingsPageIndex_SIP);
        m_form->setCurrentPage(page);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        settle();
    }

    void reshow()
    {
        m_form->hide();
        m_form->show();
        settle();
    }

    // The user configuration as a first start finds it: no file.
    void freshConfig()
    {
        CUserConfigUtils::releaseInstance();
        QVERIFY(!QFile::exists(configFile()) || QFile::remove(configFile()));
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(config());
    }

    // One control of a settings page as the save-failure table drives it:
    // what it shows, what the configuration holds for it, and a change as a
    // person makes it (a different value each time).
    struct SavedControl
    {
        std::function<QString()> shown;
        std::function<QString()> stored;
        std::function<void()> change;
    };
    SavedControl savedControl(const QString &name)
    {
        CUserConfigUtils *c = config();
        const auto checkBox = [this](const QString &boxName, std::function<bool()> get) {
            QCheckBox *option = box(qPrintable(boxName));
            return SavedControl{[option] { return QString::number(option->isChecked()); },
                                [get] { return QString::number(get()); }, [option] { option->click(); }};
        };
        if (name == QLatin1String("m_pChkBoxAutoLogin"))
            return checkBox(name, [c] { return c->getRememberMe(); });
        if (name == QLatin1String("m_pChkBoxAutoAnswer"))
            return checkBox(name, [c] { return c->getAntoAnswer(); });
        if (name == QLatin1String("m_pChkBoxDisablePrompt"))
            return checkBox(name, [c] { return c->getDisablePrompt(); });
        if (name == QLatin1String("m_pChkBoxSeperateWin4RemoteContent"))
            return checkBox(name, [c] { return c->getOpenNewWinInContentStream(); });
        if (name == QLatin1String("m_pChkBoxFullScreenOnCallConnected"))
            return checkBox(name, [c] { return c->getFullScreenOnCallConnected(); });
        if (name == QLatin1String("m_pChkBoxAINoiseReduction"))
            return checkBox(name, [c] { return c->getAINoiseReduction(); });
        if (name == QLatin1String("m_pChkBoxHardEncode"))
            return checkBox(name, [c] { return c->getEnableHardEncode(); });
        if (name == QLatin1String("m_pChkBoxHardDecode"))
            return checkBox(name, [c] { return c->getEnableHardDecode(); });
        if (name == QLatin1String("m_pSnapshotPath")) {
            QLineEdit *path = child<QLineEdit>("m_pSnapshotPath");
            auto *button = child<QAbstractButton>("m_pBtnChangeSnapshotPath");
            return {[path] { return path->text(); }, [c] { return c->getScreenPicPath(); },
                    [button] {
                        static int s_folder = 0;
                        const QString folder = QStringLiteral("/srv/shots-%1").arg(++s_folder);
                        CSettingsForm::setFolderChooser(
                            [folder](QWidget *, const QString &, const QString &) { return folder; });
                        button->click();
                    }};
        }
        if (name == QLatin1String("m_pCmbBoxLanguage")) {
            // The combo, and the language the interface is in.
            QComboBox *combo = languageCombo();
            auto *label = child<QLabel>("label_callrate");
            return {[combo, label] {
                        return combo->currentData().toString() + QLatin1Char(' ')
                               + QString::number(CLinguist::getInstance()->getLanguage()) + QLatin1Char(' ')
                               + label->text();
                    },
                    [c] { return c->getLanguage(); },
                    [combo] { combo->setCurrentIndex(1 - combo->currentIndex()); }};
        }
        // The SIP page: every field, saved with its button.
        const auto sipFields = [this] {
            QStringList texts{child<QComboBox>("combobox_protocol")->currentText(),
                              QString::number(box("radio_SIPRegistration")->isChecked())};
            for (const char *field : {"lineedit_screenname", "lineedit_SIPserver", "lineedit_SIPdomain",
                                      "lineedit_SIPnumber", "lineedit_SIPusername", "lineedit_SIPpassword"})
                texts << child<QLineEdit>(field)->text();
            return texts.join(QLatin1Char('|'));
        };
        const auto sipStored = [c] {
            return QStringList{c->getTransportProtocol(),         QString::number(c->getEnableRegistration()),
                               c->getScreenName(),                c->getProxyServerAddress(),
                               c->getDomain(),                    c->getSignInAddress(),
                               c->getAuthenticationUserName(),    c->getAuthenticationPassword()}
                .join(QLatin1Char('|'));
        };
        return {sipFields, sipStored, [this] {
                    static int s_edit = 0;
                    const QString n = QString::number(++s_edit);
                    auto *protocolCombo = child<QComboBox>("combobox_protocol");
                    protocolCombo->setCurrentIndex((protocolCombo->currentIndex() + 1) % protocolCombo->count());
                    child<QLineEdit>("lineedit_screenname")->setText(QStringLiteral("Lobby ") + n);
                    child<QLineEdit>("lineedit_SIPserver")->setText(QStringLiteral("sip%1.example").arg(n));
                    child<QLineEdit>("lineedit_SIPdomain")->setText(QStringLiteral("domain") + n);
                    child<QLineEdit>("lineedit_SIPnumber")->setText(QStringLiteral("70") + n);
                    child<QLineEdit>("lineedit_SIPusername")->setText(QStringLiteral("user") + n);
                    child<QLineEdit>("lineedit_SIPpassword")->setText(QStringLiteral("Pw-") + n);
                    child<QAbstractButton>("pbt_SIPSave")->click();
                }};
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
        CLinguist::getInstance()->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        CLinguist::getInstance()->changeLanguage(CLinguist::EN_US);
        m_savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    }

    void init()
    {
        m_seam = std::make_unique<AlertBoxSeam>(QDialogButtonBox::Cancel);
        m_configHome = std::make_unique<QTemporaryDir>();
        QVERIFY(m_configHome->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome->path()));
        settle();
        rjsim_clear_journal();
    }

    void cleanup()
    {
        m_form.reset();
        m_seam.reset();
        rjsim_clear_result(nullptr);
        CSettingsForm::setFolderChooser(nullptr);
        QFile::setPermissions(autostartDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_configHome.reset();
        qputenv("XDG_CONFIG_HOME", m_savedConfigHome);
        settle();
    }

    void cleanupTestCase()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CRJSdkManager::releaseInstance();
    }

    // The engine keeps no noise suppression or hardware coding choice of its
    // own: the first show hands over the stored ones, on or off, once. Boxes
    // that are on are written back to the configuration.
    void firstShowAppliesStoredChoicesOnce_data()
    {
        QTest::addColumn<bool>("fresh");
        QTest::addColumn<bool>("noise");
        QTest::addColumn<bool>("hardware");
        QTest::addColumn<QString>("noiseLevel");
        QTest::addColumn<QString>("codingMode");
        QTest::newRow("fresh configuration") << true << true << false << "2" << "1";
        QTest::newRow("all stored off") << false << false << false << "0" << "1";
        QTest::newRow("all stored on") << false << true << true << "2" << "2";
    }
    void firstShowAppliesStoredChoicesOnce()
    {
        QFETCH(bool, fresh);
        QFETCH(bool, noise);
        QFETCH(bool, hardware);
        QFETCH(QString, noiseLevel);
        QFETCH(QString, codingMode);
        if (fresh) {
            freshConfig();
        } else {
            config()->setAINoiseReduction(noise);
            config()->setEnableHardEncode(hardware);
            config()->setEnableHardDecode(hardware);
        }
        rjsim_clear_journal();

        m_form = std::make_unique<CSettingsForm>();
        QCOMPARE(rjsim_journal_count("enableNoiseSuppression"), 0); // not before the show
        m_form->setSipSettingsVisible(false);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        settle();

        QCOMPARE(journalArgs("enableNoiseSuppression"), QList<QStringList>{{noiseLevel}});
        QCOMPARE(codingModes("enableHardEncoder"), QSet<QString>{codingMode});
        QCOMPARE(codingModes("enableHardDecoder"), QSet<QString>{codingMode});
        QCOMPARE(box("m_pChkBoxAINoiseReduction")->isChecked(), noise);
        QCOMPARE(box("m_pChkBoxHardEncode")->isChecked(), hardware);
        if (fresh) {
            const QByteArray stored = glimora::test::readBytes(configFile());
            for (const char *line : {"RememberMe=1", "DisablePrompt=true", "AINoiseReduction=1"})
                QVERIFY2(stored.contains(line), line);
        }

        rjsim_clear_journal();
        reshow();
        QCOMPARE(rjsim_journal_count("enableNoiseSuppression"), 0);
        QCOMPARE(rjsim_journal_count("enableHardEncoder"), 0);
        QCOMPARE(rjsim_journal_count("enableHardDecoder"), 0);
    }

    // The combo shows the engine's rate and sets only a different one; a rate
    // the table does not offer shows no entry, so that every entry can be
    // chosen.
    void callRate_data()
    {
        QTest::addColumn<int>("engineKbps");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QList<QStringList>>("calls");
        QTest::newRow("3M is 3027") << 1024 << "1M" << "3M" << QList<QStringList>{{"3027"}};
        QTest::newRow("4M") << 3027 << "3M" << "4M" << QList<QStringList>{{"4096"}};
        QTest::newRow("the rate in effect") << 2048 << "2M" << "2M" << QList<QStringList>{};
        QTest::newRow("first entry after an unlisted rate") << 1000 << "" << "384K" << QList<QStringList>{{"384"}};
    }
    void callRate()
    {
        QFETCH(int, engineKbps);
        QFETCH(QString, shown);
        QFETCH(QString, chosen);
        QFETCH(QList<QStringList>, calls);
        QVERIFY(sdk()->setBandwidth(unsigned(engineKbps)));
        rjsim_clear_journal();
        openForm();
        QCOMPARE(callRateCombo()->count(), 8);
        QCOMPARE(callRateCombo()->currentText(), shown);
        QCOMPARE(rjsim_journal_count("setBandwidth"), 0);

        callRateCombo()->setCurrentIndex(callRateCombo()->findText(chosen));
        QCOMPARE(journalArgs("setBandwidth"), calls);
        QCOMPARE(sdk()->getBandwidth(), calls.isEmpty() ? unsigned(engineKbps) : calls.first().first().toUInt());
    }

    // Checked means sharing is off. The engine is switched only when it
    // disagrees with the box, also after the other settings window changed it.
    void disableShare_data()
    {
        QTest::addColumn<bool>("contentAtShow");
        QTest::addColumn<bool>("contentAtClick");
        QTest::addColumn<QList<QStringList>>("calls");
        QTest::newRow("sharing on, checked") << true << true << QList<QStringList>{{"0"}};
        QTest::newRow("sharing off, unchecked") << false << false << QList<QStringList>{{"1"}};
        QTest::newRow("unchecked while already on") << false << true << QList<QStringList>{};
        QTest::newRow("checked while already off") << true << false << QList<QStringList>{};
    }
    void disableShare()
    {
        QFETCH(bool, contentAtShow);
        QFETCH(bool, contentAtClick);
        QFETCH(QList<QStringList>, calls);
        QVERIFY(sdk()->enableContent(contentAtShow));
        openForm();
        QCheckBox *disable = box("m_pChkBoxDisableShare");
        QCOMPARE(disable->isChecked(), !contentAtShow);
        QVERIFY(sdk()->enableContent(contentAtClick));
        rjsim_clear_journal();

        disable->click();
        QCOMPARE(journalArgs("enableContent"), calls);
        QCOMPARE(sdk()->contentEnabled(), !disable->isChecked());
    }

    // A click applies a type other than the one in effect, also when the
    // other settings window changed it since this form was made.
    void renderType_data()
    {
        QTest::addColumn<int>("engineType");
        QTest::addColumn<int>("changedMeanwhile"); // -1: not changed
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QList<QStringList>>("calls");
        QTest::newRow("another type") << 0 << -1 << "prbtRenderAuto" << "prbtRenderGDI"
                                      << QList<QStringList>{{"2"}};
        QTest::newRow("the type in effect") << 1 << -1 << "prbtRenderD3d" << "prbtRenderD3d" << QList<QStringList>{};
        QTest::newRow("back to the type shown before") << 0 << 2 << "prbtRenderGDI" << "prbtRenderAuto"
                                                       << QList<QStringList>{{"0"}};
    }
    void renderType()
    {
        QFETCH(int, engineType);
        QFETCH(int, changedMeanwhile);
        QFETCH(QString, shown);
        QFETCH(QString, clicked);
        QFETCH(QList<QStringList>, calls);
        QVERIFY(sdk()->setRenderType(engineType));
        openForm(rj_app::views::SettingsPageIndex_Video);
        if (changedMeanwhile >= 0) {
            QVERIFY(sdk()->setRenderType(changedMeanwhile));
            reshow();
        }
        QCOMPARE(checkedRenderType(), shown);
        rjsim_clear_journal();

        auto *radio = child<QRadioButton>(qPrintable(clicked));
        QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
        QCOMPARE(journalArgs("setRenderType"), calls);
        QCOMPARE(checkedRenderType(), clicked);
        QCOMPARE(sdk()->getRenderType(),
                 QStringList({"prbtRenderAuto", "prbtRenderD3d", "prbtRenderGDI"}).indexOf(clicked));
    }

    // When the engine refuses a change, the control shows what is still in
    // effect instead of the wish, and the refusal is logged.
    void engineRefusalShowsEngineState_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("control");
        QTest::newRow("high frame rate") << "enableHighFPS" << "m_pChkBoxEnableHightFrameRate";
        QTest::newRow("1080p") << "enableHD" << "m_pChkBoxEnable1080p";
        QTest::newRow("disable share") << "enableContent" << "m_pChkBoxDisableShare";
        QTest::newRow("call rate") << "setBandwidth" << "m_pCmbBoxCallRate";
        QTest::newRow("render type") << "setRenderType" << "groupbox";
    }
    void engineRefusalShowsEngineState()
    {
        QFETCH(QString, operation);
        QFETCH(QString, control);
        QVERIFY(sdk()->enableHighFPS(false));
        QVERIFY(sdk()->enableHD(false));
        QVERIFY(sdk()->enableContent(true));
        QVERIFY(sdk()->setBandwidth(1024));
        QVERIFY(sdk()->setRenderType(0));
        openForm(rj_app::views::SettingsPageIndex_Video);
        const auto shown = [&]() -> QString {
            if (auto *combo = qobject_cast<QComboBox *>(child<QWidget>(qPrintable(control))))
                return combo->currentText();
            if (control == QLatin1String("groupbox"))
                return checkedRenderType();
            return box(qPrintable(control))->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
        };
        const auto change = [&] {
            if (control == QLatin1String("m_pCmbBoxCallRate"))
                callRateCombo()->setCurrentIndex(callRateCombo()->findText(QStringLiteral("4M")));
            else if (control == QLatin1String("groupbox"))
                QTest::mouseClick(child<QRadioButton>("prbtRenderGDI"), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
            else
                box(qPrintable(control))->click();
        };
        const QString before = shown();

        rjsim_force_result(qPrintable(operation), 7, 1);
        rjsim_clear_journal();
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("CSettingsForm::.*(Failed|engine's state)")));
        change();
        QCOMPARE(rjsim_journal_count(qPrintable(operation)), 1);
        QCOMPARE(shown(), before);

        // The next try goes through.
        rjsim_clear_journal();
        change();
        QCOMPARE(rjsim_journal_count(qPrintable(operation)), 1);
        QVERIFY(shown() != before);
    }

    // The box writes and removes the session's start entry for this program.
    void autoRunRoundTrip()
    {
        openForm();
        QCheckBox *autoRun = box("m_pChkBoxAutoRun");
        QVERIFY(!autoRun->isChecked());
        autoRun->click();
        QVERIFY(autoRun->isChecked());
        QVERIFY(CAutoStart::isEnabled());
        QString error;
        const QString exec = glimora::test::desktopEntryValue(CAutoStart::entryPath(), QStringLiteral("Exec"));
        QCOMPARE(glimora::test::execArguments(exec, &error), QStringList{QCoreApplication::applicationFilePath()});
        QCOMPARE(error, QString());

        autoRun->click();
        QVERIFY(!autoRun->isChecked());
        QVERIFY(!QFile::exists(CAutoStart::entryPath()));
    }

    // An entry left by an earlier installation is shown and, at the first
    // show, pointed at the program running now.
    void existingEntryRewrittenAtShow()
    {
        QVERIFY(glimora::test::writeBytes(CAutoStart::entryPath(),
                                          "[Desktop Entry]\nType=Application\nName=glimora\nExec=/old/glimora\n"));
        openForm();
        QVERIFY(box("m_pChkBoxAutoRun")->isChecked());
        QString error;
        const QString exec = glimora::test::desktopEntryValue(CAutoStart::entryPath(), QStringLiteral("Exec"));
        QCOMPARE(glimora::test::execArguments(exec, &error), QStringList{QCoreApplication::applicationFilePath()});
    }

    // A write or removal that fails is logged, and the box shows whether the
    // session will start the client, not what was asked.
    void autoRunFailureShowsRealState_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<bool>("entryBefore");
        QTest::addColumn<bool>("needsNonRoot");
        QTest::newRow("write blocked by a file") << "file" << false << false;
        QTest::newRow("write into a read-only directory") << "read-only" << false << true;
        QTest::newRow("removal from a read-only directory") << "read-only" << true << true;
    }
    void autoRunFailureShowsRealState()
    {
        QFETCH(QString, obstacle);
        QFETCH(bool, entryBefore);
        QFETCH(bool, needsNonRoot);
        if (needsNonRoot && ::geteuid() == 0)
            QSKIP("permissions do not stop root");
        if (entryBefore)
            QVERIFY(CAutoStart::enable(QCoreApplication::applicationFilePath()));
        if (obstacle == QLatin1String("file")) {
            QVERIFY(glimora::test::writeBytes(autostartDir(), "not a directory"));
        } else {
            QVERIFY(QDir().mkpath(autostartDir()));
            QVERIFY(QFile::setPermissions(autostartDir(), QFile::ReadOwner | QFile::ExeOwner));
        }
        openForm();
        QCheckBox *autoRun = box("m_pChkBoxAutoRun");
        QCOMPARE(autoRun->isChecked(), entryBefore);

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("CAutoStart::(enable|disable).*Failed")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "slotOnChkBoxAutoRun Failed to (write|remove) the auto start entry")));
        autoRun->click();
        QCOMPARE(autoRun->isChecked(), entryBefore);
        QCOMPARE(CAutoStart::isEnabled(), entryBefore);
    }

    // The combo shows the language in effect, also after the other settings
    // window changed it; a language whose translation cannot be loaded
    // leaves the combo on the one still in effect.
    void language()
    {
        CLinguist *linguist = CLinguist::getInstance();
        auto restore = qScopeGuard([linguist] {
            linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
            linguist->changeLanguage(CLinguist::EN_US);
        });
        openForm();
        QCOMPARE(languageCombo()->currentText(), QStringLiteral("English"));
        QCOMPARE(languageCombo()->itemText(1), QStringLiteral("简体中文"));

        linguist->changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(child<QLabel>("label_callrate")->text(), QStringLiteral("呼叫速率"));
        QCOMPARE(languageCombo()->currentText(), QStringLiteral("English")); // until the next show
        reshow();
        QCOMPARE(languageCombo()->currentText(), QStringLiteral("简体中文"));

        languageCombo()->setCurrentIndex(0);
        QCOMPARE(linguist->getLanguage(), CLinguist::EN_US);
        QCOMPARE(child<QLabel>("label_callrate")->text(), QStringLiteral("Call Rate"));

        QTemporaryDir empty;
        linguist->setTranslationDir(empty.path());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("slotOnLanguageCurrentIndexChanged Failed")));
        languageCombo()->setCurrentIndex(1);
        QCOMPARE(linguist->getLanguage(), CLinguist::EN_US);
        QCOMPARE(languageCombo()->currentText(), QStringLiteral("English"));
    }

    // "Change Path" stores the chosen folder; cancelling changes nothing; the
    // field takes no typing, which would never be stored; another window's
    // choice shows at the next show.
    void snapshotFolder()
    {
        config()->setScreenPicPath(QStringLiteral("/srv/shots"));
        openForm();
        QLineEdit *path = child<QLineEdit>("m_pSnapshotPath");
        QCOMPARE(path->text(), QStringLiteral("/srv/shots"));
        QTest::keyClicks(path, QStringLiteral("typed"));
        QCOMPARE(path->text(), QStringLiteral("/srv/shots"));

        QString startedAt;
        QString answer = QStringLiteral("/srv/new shots");
        CSettingsForm::setFolderChooser([&](QWidget *, const QString &, const QString &start) {
            startedAt = start;
            return answer;
        });
        child<QAbstractButton>("m_pBtnChangeSnapshotPath")->click();
        QCOMPARE(startedAt, QStringLiteral("/srv/shots"));
        QCOMPARE(path->text(), answer);
        QCOMPARE(config()->getScreenPicPath(), answer);

        answer.clear();
        child<QAbstractButton>("m_pBtnChangeSnapshotPath")->click();
        QCOMPARE(path->text(), QStringLiteral("/srv/new shots"));
        QCOMPARE(config()->getScreenPicPath(), QStringLiteral("/srv/new shots"));

        config()->setScreenPicPath(QStringLiteral("/srv/other"));
        reshow();
        QCOMPARE(path->text(), QStringLiteral("/srv/other"));
    }

    // Each stored option shows its key at every show and stores a change
    // at once; the whiteboard snapshot box is never shown yet still loaded.
    void storedOptions_data()
    {
        using Getter = std::function<bool(CUserConfigUtils *)>;
        using Setter = std::function<void(CUserConfigUtils *, bool)>;
        QTest::addColumn<QString>("control");
        QTest::addColumn<Getter>("get");
        QTest::addColumn<Setter>("set");
        QTest::addColumn<int>("page");
        const int general = rj_app::views::SettingsPageIndex_General;
        QTest::newRow("auto login") << "m_pChkBoxAutoLogin" << Getter(&CUserConfigUtils::getRememberMe)
                                    << Setter(&CUserConfigUtils::setRememberMe) << general;
        QTest::newRow("auto answer") << "m_pChkBoxAutoAnswer" << Getter(&CUserConfigUtils::getAntoAnswer)
                                     << Setter(&CUserConfigUtils::setAntoAnswer) << general;
        QTest::newRow("whiteboard snapshot") << "m_pChkBoxAutoSaveWhiteBoardSnapshot"
                                             << Getter(&CUserConfigUtils::getAutoCaptureWin)
                                             << Setter(&CUserConfigUtils::setAutoCaptureWin) << general;
        QTest::newRow("disable prompt") << "m_pChkBoxDisablePrompt" << Getter(&CUserConfigUtils::getDisablePrompt)
                                        << Setter(&CUserConfigUtils::setDisablePrompt) << general;
        QTest::newRow("separate window") << "m_pChkBoxSeperateWin4RemoteContent"
                                         << Getter(&CUserConfigUtils::getOpenNewWinInContentStream)
                                         << Setter(&CUserConfigUtils::setOpenNewWinInContentStream) << general;
        QTest::newRow("full screen") << "m_pChkBoxFullScreenOnCallConnected"
                                     << Getter(&CUserConfigUtils::getFullScreenOnCallConnected)
                                     << Setter(&CUserConfigUtils::setFullScreenOnCallConnected) << general;
        QTest::newRow("noise reduction") << "m_pChkBoxAINoiseReduction"
                                         << Getter(&CUserConfigUtils::getAINoiseReduction)
                                         << Setter(&CUserConfigUtils::setAINoiseReduction)
                                         << int(rj_app::views::SettingsPageIndex_Audio);
    }
    void storedOptions()
    {
        using Getter = std::function<bool(CUserConfigUtils *)>;
        using Setter = std::function<void(CUserConfigUtils *, bool)>;
        QFETCH(QString, control);
        QFETCH(Getter, get);
        QFETCH(Setter, set);
        QFETCH(int, page);
        set(config(), true);
        openForm(page);
        QCheckBox *option = box(qPrintable(control));
        QVERIFY(option->isChecked());
        QCOMPARE(option->isVisible(), control != QLatin1String("m_pChkBoxAutoSaveWhiteBoardSnapshot"));

        option->click();
        QVERIFY(!get(config()));
        set(config(), true); // as the other settings window would
        reshow();
        QVERIFY(option->isChecked());
    }

    // Every settings page that stores, against a configuration folder that
    // takes no data: the change tells the person once, with the reason; the
    // control shows what is stored (the SIP fields drop the unsaved text, the
    // interface stays in the stored language), memory and config.ini keep
    // it byte for byte, and nothing says it was saved. Once the folder takes
    // data again, the same change is stored.
    void unsavedSettingShowsStored_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("page");
        const int general = rj_app::views::SettingsPageIndex_General;
        const int audio = rj_app::views::SettingsPageIndex_Audio;
        const int video = rj_app::views::SettingsPageIndex_Video;
        const int sip = rj_app::views::SettingsPageIndex_SIP;
        const struct {
            const char *row;
            const char *control;
            int page;
        } controls[] = {
            {"General: auto login", "m_pChkBoxAutoLogin", general},
            {"General: auto answer", "m_pChkBoxAutoAnswer", general},
            {"General: disable prompt", "m_pChkBoxDisablePrompt", general},
            {"General: separate window", "m_pChkBoxSeperateWin4RemoteContent", general},
            {"General: full screen", "m_pChkBoxFullScreenOnCallConnected", general},
            {"General: snapshot folder", "m_pSnapshotPath", general},
            {"General: language", "m_pCmbBoxLanguage", general},
            {"Audio: noise reduction", "m_pChkBoxAINoiseReduction", audio},
            {"Video: hardware encoding", "m_pChkBoxHardEncode", video},
            {"Video: hardware decoding", "m_pChkBoxHardDecode", video},
            {"SIP: saved fields", "SIP", sip},
        };
        for (const auto &row : controls) {
            QTest::addRow("%s, disk full", row.row) << int(UnwritableDir::Full) << row.control << row.page;
            QTest::addRow("%s, read-only", row.row) << int(UnwritableDir::ReadOnly) << row.control << row.page;
        }
    }
    void unsavedSettingShowsStored()
    {
        QFETCH(int, way);
        QFETCH(QString, control);
        QFETCH(int, page);
        rj_app::views::CSaveFailureNotice::install();
        CLinguist *linguist = CLinguist::getInstance();
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::EN_US);
        config()->setLanguage(QStringLiteral("EN_US"));
        config()->setTransportProtocol(QStringLiteral("UDP"));
        config()->setEnableRegistration(true);
        config()->setProxyServerAddress(QStringLiteral("sip.example"));
        config()->setAuthenticationPassword(QStringLiteral("secret"));
        // A save that succeeds: the notice is owed for the next failure.
        config()->setJoinConfDisplayName(QUuid::createUuid().toString());

        openForm(page);
        const SavedControl saved = savedControl(control);
        const QString shownBefore = saved.shown();
        const QString storedBefore = saved.stored();
        const QByteArray file = readBytes(configFile());
        // In the language the interface is in when it is told: the one just
        // chosen, for the language row.
        const QStringList notices{QStringLiteral("The setting could not be saved: "),
                                  QString::fromUtf8("\xE8\xAE\xBE\xE7\xBD\xAE\xE6\x97\xA0\xE6\xB3\x95"
                                                    "\xE4\xBF\x9D\xE5\xAD\x98\xEF\xBC\x9A")};
        const auto told = [this, notices] {
            int count = 0;
            for (const QString &text : m_seam->texts())
                count += (text.startsWith(notices[0]) || text.startsWith(notices[1])) ? 1 : 0;
            return count;
        };
        const auto savedSaid = [this] { return m_seam->texts().filter(QStringLiteral("Saved Successfully!")).size(); };
        {
            UnwritableDir unwritable(QFileInfo(configFile()).absolutePath(), UnwritableDir::Way(way));
            if (!unwritable.ready())
                QSKIP(qPrintable(unwritable.why()));
            saved.change();
            settle();
            QCOMPARE(told(), 1);
            // With the reason.
            const QString notice = m_seam->last().text;
            QVERIFY2(!notice.mid(notice.startsWith(notices[0]) ? notices[0].size() : notices[1].size()).isEmpty(),
                     qPrintable(notice));
            QCOMPARE(saved.shown(), shownBefore);
            QCOMPARE(saved.stored(), storedBefore);
            QCOMPARE(savedSaid(), 0);
            QCOMPARE(readBytes(configFile()), file);
            if (control == QLatin1String("SIP"))
                QVERIFY(!m_form->isSipSettingsChanged());

            // Told once for the run of failures.
            saved.change();
            settle();
            QCOMPARE(told(), 1);
            QCOMPARE(saved.shown(), shownBefore);
            QCOMPARE(readBytes(configFile()), file);
        }
        saved.change();
        settle();
        QVERIFY(saved.shown() != shownBefore);
        QVERIFY(saved.stored() != storedBefore);
        QVERIFY(readBytes(configFile()) != file);
        QCOMPARE(told(), 1);
        if (control == QLatin1String("SIP"))
            QCOMPARE(savedSaid(), 1);
    }

    // A full disk or a read-only folder: a changed option tells the person
    // why it was not saved, once for the run of failures; the box shows what
    // is stored again, and the file stays byte for byte. Once the folder
    // takes data again, a change is saved.
    void unsavedOptionShowsStored_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("disk full") << int(UnwritableDir::Full);
        QTest::newRow("read-only") << int(UnwritableDir::ReadOnly);
    }
    void unsavedOptionShowsStored()
    {
        QFETCH(int, way);
        rj_app::views::CSaveFailureNotice::install();
        config()->setAntoAnswer(false);
        config()->setRememberMe(true);
        openForm();
        QCheckBox *answer = box("m_pChkBoxAutoAnswer");
        QCheckBox *login = box("m_pChkBoxAutoLogin");
        const QByteArray stored = readBytes(configFile());
        const auto told = [this] {
            return m_seam->texts().filter(QStringLiteral("The setting could not be saved: ")).size();
        };
        {
            UnwritableDir unwritable(QFileInfo(configFile()).absolutePath(), UnwritableDir::Way(way));
            if (!unwritable.ready())
                QSKIP(qPrintable(unwritable.why()));
            answer->click();
            settle();
            QVERIFY(!answer->isChecked());
            QVERIFY(!config()->getAntoAnswer());
            QCOMPARE(told(), 1);
            QVERIFY2(m_seam->last().text.size() > int(std::strlen("The setting could not be saved: ")),
                     qPrintable(m_seam->last().text));
            login->click();
            settle();
            QVERIFY(login->isChecked());
            QCOMPARE(told(), 1);
            QCOMPARE(readBytes(configFile()), stored);
        }
        answer->click();
        settle();
        QVERIFY(answer->isChecked());
        QVERIFY(config()->getAntoAnswer());
        QVERIFY(readBytes(configFile()).contains("AntoAnswer=true"));
        QCOMPARE(told(), 1);
    }

    // Every text of the General page shows whole at every scale, in either
    // language: a check box's caption beside its indicator, on as many lines
    // as it needs, a label's text within the label; all of it within the
    // page's column, which lies within the scrolled page.
    void textsFitAtEveryScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("language");
        for (double scale : {1.0, 1.5, 2.0}) {
            QTest::addRow("English at %g", scale) << scale << int(CLinguist::EN_US);
            QTest::addRow("Chinese at %g", scale) << scale << int(CLinguist::ZH_CN);
        }
    }
    void textsFitAtEveryScale()
    {
        QFETCH(double, scale);
        QFETCH(int, language);
        CLinguist *linguist = CLinguist::getInstance();
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::Language(language));
        QCOMPARE(int(linguist->getLanguage()), language);
        openForm();
        m_form->updateDpi(scale);
        // The size the form is designed for, as its hosts give it.
        m_form->resize(int(796 * scale), int(668 * scale));
        settle();
        QCoreApplication::processEvents();
        const QImage page = m_form->grab().toImage();

        auto *scroll = child<QScrollArea>("m_pScrollGeneral");
        QWidget *column = child<QWidget>("scorllGeneralWidght");
        const QRect columnInView(column->mapTo(scroll->viewport(), QPoint(0, 0)), column->size());
        QVERIFY2(scroll->viewport()->rect().contains(QRect(columnInView.left(), 0, columnInView.width(), 1)),
                 qPrintable(QStringLiteral("column %1 wide at %2, page %3 wide")
                                .arg(columnInView.width())
                                .arg(columnInView.left())
                                .arg(scroll->viewport()->width())));
        const QRect room = column->contentsRect().marginsRemoved(column->layout()->contentsMargins());
        const auto where = [column](QWidget *w) { return QRect(w->mapTo(column, QPoint(0, 0)), w->size()); };
        const auto bare = [](QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); };

        int boxes = 0;
        for (QCheckBox *box : column->findChildren<QCheckBox *>()) {
            if (!box->isVisibleTo(m_form.get()))
                continue;
            ++boxes;
            const QString name = box->objectName();
            QVERIFY2(room.contains(where(box)), qPrintable(name));
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            const QRect caption = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            // The lines that the box paints: a plain check box paints its
            // text on one line, cut where the box ends.
            auto *wrapping = qobject_cast<rj_app::custom_controls::CWrapCheckBox *>(box);
            const QStringList lines = wrapping ? wrapping->captionLines(box->width()) : QStringList{box->text()};
            QCOMPARE(bare(lines.join(QString())), bare(box->text()));
            const QFontMetrics metrics = box->fontMetrics();
            for (const QString &line : lines) {
                QVERIFY2(metrics.horizontalAdvance(line) <= caption.width(),
                         qPrintable(QStringLiteral("%1: \"%2\" is %3 wide, the box has %4")
                                        .arg(name, line)
                                        .arg(metrics.horizontalAdvance(line))
                                        .arg(caption.width())));
            }
            const int tall = metrics.lineSpacing() * (int(lines.size()) - 1) + metrics.height();
            QVERIFY2(tall <= caption.height(),
                     qPrintable(QStringLiteral("%1: %2 lines need %3, the box has %4")
                                    .arg(name)
                                    .arg(lines.size())
                                    .arg(tall)
                                    .arg(caption.height())));

            // What is painted there: the caption's ink stays inside the box
            // and spans its lines.
            const QRect area(box->mapTo(m_form.get(), caption.topLeft()), caption.size());
            QRect ink;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (qGray(page.pixel(x, y)) < 128)
                        ink |= QRect(x, y, 1, 1);
                }
            }
            QVERIFY2(!ink.isEmpty(), qPrintable(name));
            QVERIFY2(ink.right() < area.right(), qPrintable(name));
            QVERIFY2(ink.height() > metrics.lineSpacing() * (int(lines.size()) - 1),
                     qPrintable(QStringLiteral("%1: ink %2 high for %3 lines")
                                    .arg(name)
                                    .arg(ink.height())
                                    .arg(lines.size())));
        }
        QCOMPARE(boxes, 7);

        int labels = 0;
        for (QLabel *label : column->findChildren<QLabel *>()) {
            if (!label->isVisibleTo(m_form.get()) || label->text().isEmpty())
                continue;
            ++labels;
            const QString name = label->objectName();
            QVERIFY2(room.contains(where(label)), qPrintable(name));
            if (label->wordWrap()) {
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                         qPrintable(QStringLiteral("%1 needs %2, has %3")
                                        .arg(name)
                                        .arg(label->heightForWidth(label->width()))
                                        .arg(label->height())));
            } else {
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                         qPrintable(name));
            }
        }
        QCOMPARE(labels, 7);
    }

    // Every click on "Feedback" opens a feedback dialog of its own, which
    // goes away when closed.
    void feedbackOpensDialog()
    {
        openForm();
        const auto dialogs = [] {
            QList<rj_app::views::FeedBackDlg *> found;
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *dlg = qobject_cast<rj_app::views::FeedBackDlg *>(w))
                    found << dlg;
            }
            return found;
        };
        child<QAbstractButton>("btnUploadDiagnosis")->click();
        QCOMPARE(dialogs().size(), 1);
        QVERIFY(dialogs().first()->isVisible());
        QPointer<rj_app::views::FeedBackDlg> dlg = dialogs().first();
        dlg->close();
        QTRY_VERIFY(dlg.isNull());
    }
};

GLIMORA_TEST_MAIN(TestGeneralSettings)
#include "tst_generalsettings.moc"
