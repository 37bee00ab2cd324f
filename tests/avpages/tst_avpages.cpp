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
#include <QScopeGuard>
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
        // Real time: the test sound plays for its length (one second).
        qputenv("RJSIM_TIME_SCALE", "1");
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

    // Each tick maps the engine's level (a fraction of full scale) onto the
    // bar: level x 360 in single precision, truncated, kept within the bar.
    void meterScale_data()
    {
        QTest::addColumn<float>("level");
        QTest::addColumn<int>("value");
        QTest::newRow("half") << 0.5f << 180;
        QTest::newRow("full") << 1.0f << 360;
        QTest::newRow("silent") << 0.0f << 0;
        QTest::newRow("truncated, not rounded") << 0.999f << 359;
        QTest::newRow("quarter") << 0.25f << 90;
        QTest::newRow("above full scale") << 1.5f << 360;
        QTest::newRow("below zero") << -0.25f << 0;
    }
    void meterScale()
    {
        QFETCH(float, level);
        QFETCH(int, value);
        CSettingsForm::setMicLevelSource([level] { return level; });
        auto restore = qScopeGuard([] { CSettingsForm::setMicLevelSource(nullptr); });
        openOn(rj_app::views::SettingsPageIndex_Audio);
        auto *bar = child<QProgressBar>("pgbMic");
        bar->setValue(36);
        QMetaObject::invokeMethod(child<QTimer>("m_pMicMeterTimer"), "timeout");
        QCOMPARE(bar->value(), value);
    }

    void meterFollowsPage()
    {
        openOn(rj_app::views::SettingsPageIndex_Audio);
        auto *timer = child<QTimer>("m_pMicMeterTimer");
        QVERIFY(timer->isActive());
        QCOMPARE(journalArgs("enableMicMeter").last(), QStringList{"1"});
        // The engine's meter, as the tick reads it.
        QMetaObject::invokeMethod(timer, "timeout");
        const int value = child<QProgressBar>("pgbMic")->value();
        QVERIFY2(value > 0 && value <= 360, qPrintable(QString::number(value)));

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

    // The first click plays the sound beside the executable (shipped beside
    // this test too), the second stops it.
    void testSoundToggles()
    {
        openOn(rj_app::views::SettingsPageIndex_Audio);
        CRJSdkManager *sdk = CRJSdkManager::getInstance();
        QVERIFY(!sdk->isAudioPlaying());
        auto *button = child<QPushButton>("btnPlayTestSound");
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(sdk->isAudioPlaying());
        const auto files = journalArgs("setAudioFile");
        QCOMPARE(files.size(), 1);
        QCOMPARE(files.first().first(),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/resources/sounds/speaker.wav"));
        QCOMPARE(journalArgs("startAudioPlay"), QList<QStringList>{{"0"}});

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!sdk->isAudioPlaying());
        QCOMPARE(rjsim_journal_count("stopAudioPlay"), 1);
        QCOMPARE(rjsim_journal_count("startAudioPlay"), 1);
        QCOMPARE(button->text(), QStringLiteral("Play Test Music"));
    }

    void aboutShowsVersionAndChecks()
    {
        openOn(rj_app::views::SettingsPageIndex_About);
        QCOMPARE(child<QLabel>("m_pLabVersion")->text(),
                 QStringLiteral("Version: %1").arg(QLatin1String(rj_app::helpers::kAppVersion)));
        auto *worker = rj_app::views::CDownloadThread::getInstance();
        QSignalSpy failed(worker, &rj_app::views::CDownloadThread::signal_updateCheckFailed);
        QTest::mouseClick(child<QPushButton>("m_pBtnCheckUpdate"), Qt::LeftButton);
        // Not signed in: no server to ask, which the page says as a failure,
        // not as "no new version".
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(m_seam->requests().size(), 1, kWaitMs);
        QCOMPARE(m_seam->last().text,
                 rj_app::views::CDownloadThread::checkFailedText(failed.first().first().toString()));
        QVERIFY(m_seam->last().text.startsWith(QLatin1String("update check failed")));
        QTRY_VERIFY_WITH_TIMEOUT(!worker->isRunning(), kWaitMs);
        // Disconnected after the answer: a later check does not reach the page.
        emit worker->signal_updateMessage(false);
        emit worker->signal_updateCheckFailed(QStringLiteral("later"));
        QCoreApplication::processEvents();
        QCOMPARE(m_seam->requests().size(), 1);
    }

    // The Audio, Video and About pages look like the SIP page at every
    // scale: fields start where the SIP page's do, texts and controls scale,
    // the buttons, combo boxes and meter are styled, the About page is white
    // and its logo is drawn from the picture of the scale.
    void pagesStyledLikeSip_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("logo");
        QTest::newRow("1") << 1.0 << ":/resources/images/logo_about.png";
        QTest::newRow("1.5") << 1.5 << ":/resources/images/logo_about@1.5x.png";
        QTest::newRow("2") << 2.0 << ":/resources/images/logo_about@2x.png";
    }
    void pagesStyledLikeSip()
    {
        QFETCH(double, scale);
        QFETCH(QString, logo);
        CSettingsForm::setMicLevelSource([] { return 0.5f; });
        auto restore = qScopeGuard([] { CSettingsForm::setMicLevelSource(nullptr); });
        m_form = std::make_unique<CSettingsForm>();
        m_form->setSipSettingsVisible(true);
        m_form->resize(int(796 * scale), int(668 * scale));
        m_form->updateDpi(scale);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const auto px = [scale](int length) { return int(length * scale); };
        const auto origin = [this](const char *name, const char *page) {
            return child<QWidget>(name)->mapTo(child<QWidget>(page), QPoint(0, 0));
        };
        const auto colour = [](QWidget *w, int x, int y) { return w->grab().toImage().pixelColor(x, y).name(); };
        settle();
        const QPoint sipField = origin("label_protocol", "tabSettingsSIP");
        QCOMPARE(sipField, QPoint(px(30), px(20)));

        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_Audio);
        settle();
        QCOMPARE(origin("lblMic", "tabSettingsAudio"), sipField);
        for (const char *name : {"lblMic", "lblSpeaker", "lblPlayTestSoundTip", "cbbMic", "cbbSpeaker",
                                 "btnPlayTestSound"})
            QVERIFY2(child<QWidget>(name)->font().pixelSize() == px(14), name);
        auto *play = child<QWidget>("btnPlayTestSound");
        QCOMPARE(play->size(), QSize(px(120), px(30)));
        QCOMPARE(colour(play, px(4), play->height() / 2), QStringLiteral("#4381ff"));
        auto *mic = child<QWidget>("cbbMic");
        QCOMPARE(colour(mic, 0, mic->height() / 2), QStringLiteral("#c4c8ce")); // the SIP fields' frame
        QMetaObject::invokeMethod(child<QTimer>("m_pMicMeterTimer"), "timeout");
        auto *meter = child<QProgressBar>("pgbMic");
        QCOMPARE(meter->size(), QSize(px(330), px(16)));
        QCOMPARE(colour(meter, meter->width() / 4, meter->height() / 2), QStringLiteral("#28c983"));
        QCOMPARE(colour(meter, meter->width() * 3 / 4, meter->height() / 2), QStringLiteral("#e3e5e8"));

        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_Video);
        settle();
        QCOMPARE(origin("wgtVideoPreview", "tabSettingsVideo"), sipField);
        QCOMPARE(child<QWidget>("label_camera")->font().pixelSize(), px(14));
        QCOMPARE(child<QWidget>("cbbCamera")->font().pixelSize(), px(14));

        m_form->setCurrentPage(rj_app::views::SettingsPageIndex_About);
        settle();
        auto *about = child<QWidget>("tabSettingsAbout");
        QCOMPARE(colour(about, 2, 2), QStringLiteral("#ffffff"));
        QCOMPARE(colour(about, about->width() - 3, about->height() - 3), QStringLiteral("#ffffff"));
        QCOMPARE(child<QWidget>("label_Zor")->font().pixelSize(), px(18));
        QCOMPARE(child<QWidget>("label_copyright")->font().pixelSize(), px(12));
        QCOMPARE(child<QWidget>("m_pLabVersion")->font().pixelSize(), px(12));
        auto *check = child<QWidget>("m_pBtnCheckUpdate");
        QCOMPARE(check->font().pixelSize(), px(14));
        QCOMPARE(colour(check, px(4), check->height() / 2), QStringLiteral("#4381ff"));
        auto *logoLabel = child<QWidget>("lblLogo");
        QCOMPARE(logoLabel->size(), QSize(px(120), px(120)));
        const QImage drawn = logoLabel->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage picture = QImage(logo).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(picture.size(), logoLabel->size());
        // Drawn as it is, not stretched from a smaller picture.
        QCOMPARE(drawn.pixelColor(px(60), px(12)), picture.pixelColor(px(60), px(12)));
        QCOMPARE(drawn.pixelColor(px(20), px(60)), picture.pixelColor(px(20), px(60)));
        QCOMPARE(drawn.pixelColor(px(12), px(12)), picture.pixelColor(px(12), px(12)));
    }

    // A hidden form never opens the microphone for its meter (nor the camera
    // for its preview): not when a host selects its page before showing it,
    // not when a device plugged in makes it apply a microphone or speaker.
    // The show starts them. Last: it replaces the engine's device lists.
    void hiddenFormKeepsDevicesClosed_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("kind"); // hot-plug of this kind; empty: the host selects the page
        QTest::newRow("Audio page selected while hidden") << int(rj_app::views::SettingsPageIndex_Audio) << "";
        QTest::newRow("Video page selected while hidden") << int(rj_app::views::SettingsPageIndex_Video) << "";
        QTest::newRow("microphone plugged in while hidden") << int(rj_app::views::SettingsPageIndex_Audio) << "mic";
        QTest::newRow("speaker plugged in while hidden") << int(rj_app::views::SettingsPageIndex_Audio)
                                                         << "speaker";
    }
    void hiddenFormKeepsDevicesClosed()
    {
        QFETCH(int, page);
        QFETCH(QString, kind);
        QTimer *timer = nullptr;
        if (kind.isEmpty()) {
            m_form = std::make_unique<CSettingsForm>();
            timer = child<QTimer>("m_pMicMeterTimer");
            m_form->setCurrentPage(page);
        } else {
            openOn(page);
            timer = child<QTimer>("m_pMicMeterTimer");
            m_form->hide();
            settle();
            // The engine loses every device of the kind, then gets a new one:
            // the form applies it as the first of its list.
            const char *comboName = kind == QLatin1String("mic") ? "cbbMic" : "cbbSpeaker";
            for (const QString &name : comboTexts(combo(comboName))) {
                const QString engineName = name == QLatin1String("System Default")
                    ? (kind == QLatin1String("mic") ? QStringLiteral("System Default Microphone")
                                                    : QStringLiteral("System Default Speaker"))
                    : name;
                QCOMPARE(rjsim_command(qPrintable(QStringLiteral("device remove %1 %2").arg(kind, engineName))), 0);
            }
            settle();
            rjsim_clear_journal();
            QCOMPARE(rjsim_command(qPrintable(QStringLiteral("device add %1 Desk %1").arg(kind))), 0);
            settle();
            QTRY_COMPARE_WITH_TIMEOUT(comboTexts(combo(comboName)), QStringList{QStringLiteral("Desk %1").arg(kind)},
                                      kWaitMs);
            QCOMPARE(journalArgs("setDevice").size(), 1); // applied, as the first of the list
        }
        settle();
        QCOMPARE(m_form->isVisible(), false);
        QVERIFY(!journalArgs("enableMicMeter").contains(QStringList{"1"}));
        QVERIFY(!journalArgs("enablePreview").contains(QStringList{"1"}));
        QVERIFY(!timer->isActive());

        rjsim_clear_journal();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        settle();
        if (page == rj_app::views::SettingsPageIndex_Audio) {
            QVERIFY(timer->isActive());
            QCOMPARE(journalArgs("enableMicMeter").value(0), QStringList{"1"});
        } else {
            QCOMPARE(journalArgs("enablePreview").value(0), QStringList{"1"});
        }
    }
};

GLIMORA_TEST_MAIN(TestAvPages)
#include "tst_avpages.moc"
