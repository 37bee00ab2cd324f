// The Audio, Video and About pages against the simulated engine: device lists
// as the engine gives them, a user's choice reaching the engine, hot-plug,
// the meter while the Audio page is shown, and the About page's version and
// manual update check.

#include "support/AlertBoxSeam.h"
#include "support/TestMain.h"

#include "helpers/AppVersion.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/settings/CDownloadThread.h"
#include "views/settings/CSettingsForm.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

#include <memory>

using glimora::test::AlertBoxSeam;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CSettingsForm;

namespace {

constexpr int kWaitMs = 15000;

QStringList comboTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

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

} // namespace

class TestAvPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<CSettingsForm> m_form;
    std::unique_ptr<AlertBoxSeam> m_seam;

    template <typename T>
    T *child(const char *name)
    {
        T *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qWarning() << "no child" << name;
        return widget;
    }
    QComboBox *combo(const char *name) { return child<QComboBox>(name); }

    void openOn(int page)
    {
        m_form = std::make_unique<CSettingsForm>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->setCurrentPage(page);
        settle();
    }

    void settle()
    {
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // A user's choice in a combo: what activated() brings.
    void choose(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        CLoginManager::getInstance()->initRJSdkManagerInstance();
        CLoginManager::getInstance()->initialize();
        QVERIFY(CRJSdkManager::getInstance());
    }

    void init()
    {
        m_seam = std::make_unique<AlertBoxSeam>(QDialogButtonBox::Ok);
        settle();
        rjsim_clear_journal();
    }

    void cleanup()
    {
        m_form.reset();
        m_seam.reset();
        settle();
    }

    void cleanupTestCase() { CRJSdkManager::releaseInstance(); }

    // The lists are the engine's, in its order; the default microphone and
    // speaker are shown as "System Default", cameras keep their names.
    void listsMatchEngine()
    {
        openOn(rj_app::views::SettingsPageIndex_Audio);
        QCOMPARE(comboTexts(combo("cbbMic")), (QStringList{"System Default", "USB Headset Microphone"}));
        QCOMPARE(comboTexts(combo("cbbSpeaker")), (QStringList{"System Default", "USB Headset"}));
        QCOMPARE(combo("cbbMic")->itemData(1).toInt(), 1);
        QCOMPARE(combo("cbbMic")->currentIndex(),
                 combo("cbbMic")->findData(int(CRJSdkManager::getInstance()->getDevice(rj::engine::RJ_DEVICE_MIC).id)));
        // Listing alone applies nothing.
        QCOMPARE(rjsim_journal_count("setDevice"), 0);

        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_Video);
        settle();
        QCOMPARE(comboTexts(combo("cbbCamera")), (QStringList{"Integrated Camera", "USB Webcam"}));
        QVERIFY(rjsim_journal_count("setLocalVideoWindow") >= 1);
    }

    void choiceReachesEngine_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("comboName");
        QTest::addColumn<QString>("type");
        QTest::newRow("mic") << 2 << "cbbMic" << "0";
        QTest::newRow("speaker") << 2 << "cbbSpeaker" << "1";
        QTest::newRow("camera") << 3 << "cbbCamera" << "2";
    }
    void choiceReachesEngine()
    {
        QFETCH(int, page);
        QFETCH(QString, comboName);
        QFETCH(QString, type);
        openOn(page);
        rjsim_clear_journal();
        choose(combo(comboName.toLatin1().constData()), 1);
        settle();
        QCOMPARE(journalArgs("setDevice"), (QList<QStringList>{{type, "1"}}));
        QCOMPARE(int(CRJSdkManager::getInstance()->getDevice(rj::engine::RJ_DEVICE_TYPE(type.toInt())).id), 1);
        if (page == rj_app::views::SettingsPageIndex_Video)
            QCOMPARE(journalArgs("enablePreview"), QList<QStringList>{{"1"}});
        // Back to the first device for the next case.
        choose(combo(comboName.toLatin1().constData()), 0);
        settle();
    }

    void hotPlug()
    {
        openOn(rj_app::views::SettingsPageIndex_Audio);
        QCOMPARE(rjsim_command("device add mic Desk Microphone"), 0);
        settle();
        QTRY_COMPARE_WITH_TIMEOUT(comboTexts(combo("cbbMic")),
                                  (QStringList{"System Default", "USB Headset Microphone", "Desk Microphone"}), kWaitMs);

        // A camera plugged in while the Audio page is current is listed on
        // entering the Video page.
        const QStringList camerasBefore = comboTexts(combo("cbbCamera"));
        QCOMPARE(rjsim_command("device add camera Doc Camera"), 0);
        settle();
        QCOMPARE(comboTexts(combo("cbbCamera")), camerasBefore);
        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_Video);
        settle();
        QVERIFY(comboTexts(combo("cbbCamera")).contains("Doc Camera"));

        QCOMPARE(rjsim_command("device remove camera Doc Camera"), 0);
        settle();
        QTRY_VERIFY_WITH_TIMEOUT(!comboTexts(combo("cbbCamera")).contains("Doc Camera"), kWaitMs);
        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_Audio);
        settle();
        QCOMPARE(rjsim_command("device remove mic Desk Microphone"), 0);
        settle();
        QTRY_COMPARE_WITH_TIMEOUT(comboTexts(combo("cbbMic")), (QStringList{"System Default", "USB Headset Microphone"}),
                                  kWaitMs);
    }

    void meterFollowsPage()
    {
        openOn(rj_app::views::SettingsPageIndex_Audio);
        auto *timer = child<QTimer>("m_pMicMeterTimer");
        QVERIFY(timer->isActive());
        QVERIFY(CRJSdkManager::getInstance()->getMicVolume() >= 0.0f);
        QCOMPARE(journalArgs("enableMicMeter").last(), QStringList{"1"});
        QMetaObject::invokeMethod(timer, "timeout");
        QVERIFY(child<QProgressBar>("pgbMic")->value() >= 0);
        QVERIFY(child<QProgressBar>("pgbMic")->value() <= 360);

        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_Video);
        settle();
        QVERIFY(!timer->isActive());
        QCOMPARE(journalArgs("enableMicMeter").last(), QStringList{"0"});

        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_Audio);
        settle();
        QVERIFY(timer->isActive());
        m_form->hide();
        settle();
        QVERIFY(!timer->isActive());
        QCOMPARE(journalArgs("enableMicMeter").last(), QStringList{"0"});
    }

    void testSoundToggles()
    {
        openOn(rj_app::views::SettingsPageIndex_Audio);
        auto *button = child<QPushButton>("btnPlayTestSound");
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
        const auto files = journalArgs("setAudioFile");
        QCOMPARE(files.size(), 1);
        QVERIFY(files.first().first().endsWith("/resources/sounds/speaker.wav"));
        QCOMPARE(journalArgs("startAudioPlay"), QList<QStringList>{{"0"}});
        if (CRJSdkManager::getInstance()->isAudioPlaying()) {
            QTest::mouseClick(button, Qt::LeftButton);
            settle();
            QCOMPARE(rjsim_journal_count("stopAudioPlay"), 1);
        }
    }

    void aboutShowsVersionAndChecks()
    {
        openOn(rj_app::views::SettingsPageIndex_About);
        QCOMPARE(child<QLabel>("m_pLabVersion")->text(),
                 QStringLiteral("Version: %1").arg(QLatin1String(rj_app::helpers::kAppVersion)));
        auto *worker = rj_app::views::CDownloadThread::getInstance();
        QSignalSpy done(worker, &rj_app::views::CDownloadThread::signal_updateMessage);
        QTest::mouseClick(child<QPushButton>("m_pBtnCheckUpdate"), Qt::LeftButton);
        // Not signed in: the check finds nothing and the page says so.
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(m_seam->requests().size(), 1, kWaitMs);
        QCOMPARE(m_seam->last().text, QStringLiteral("Not found new version."));
        QTRY_VERIFY_WITH_TIMEOUT(!worker->isRunning(), kWaitMs);
        // Disconnected after the answer: a later check does not reach the page.
        emit worker->signal_updateMessage(false);
        QCoreApplication::processEvents();
        QCOMPARE(m_seam->requests().size(), 1);
    }
};

GLIMORA_TEST_MAIN(TestAvPages)
#include "tst_avpages.moc"
