// The whiteboard window's top bar against the simulated engine: microphone
// and camera always show what the engine reports, folding follows the scale
// and changes the bar's own height, the management probe reaches only a
// living bar, and the picture button hands over to the floating strip.

#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/annotation/Button_share.h"
#include "views/annotation/CSharingControls.h"
#include "views/annotation/QMenuButton.h"
#include "views/annotation/WhiteBoardTopWidget.h"
#include "views/incall/CControllableProbe.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QThreadPool>
#include <QToolButton>

#include <atomic>
#include <malloc.h>
#include <memory>

using rj_app::models::CRJSdkManager;
using rj_app::views::CControllableProbe;
using rj_app::views::CSharingControls;
using rj_app::views::WhiteBoardTopWidget;

namespace {

template <typename T>
T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

// A click as the user gives it: QMenuButton switches state on release.
void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

QString caption(QMenuButton *button)
{
    return button->findChild<QLabel *>()->text();
}

} // namespace

class TestWhiteBoardTopBar : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;

    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }

    // A bar in a window, as the whiteboard window holds it.
    WhiteBoardTopWidget *bar(double scale = 1.0)
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(2000, 400);
        auto *top = new WhiteBoardTopWidget(m_window.get());
        top->updateDpi(scale);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            return nullptr;
        return top;
    }

private slots:
    void initTestCase()
    {
        // Freed memory is overwritten: a late call into a deleted bar
        // crashes here instead of passing by luck.
        mallopt(M_PERTURB, 0xa5);
        qputenv("RJSIM_TIME_SCALE", "0");
        rj_app::helpers::CUserConfigUtils::initInstance(
            QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        rj_app::models::CLoginManager::getInstance()->initRJSdkManagerInstance();
        rj_app::models::CLoginManager::getInstance()->initialize();
        QVERIFY(sdk());
    }

    void init()
    {
        CControllableProbe::setQuery([] { return false; });
        rjsim_clear_result(nullptr);
        QVERIFY(sdk()->enableMic(true));
        QVERIFY(sdk()->enableCamera(true));
    }

    void cleanup()
    {
        m_window.reset();
        CControllableProbe::setQuery({});
    }

    // After every click the button shows what the engine did, also when the
    // engine refused.
    void micAndCameraFollowTheEngine_data()
    {
        QTest::addColumn<bool>("mic");
        QTest::addColumn<bool>("refused");
        QTest::newRow("mic") << true << false;
        QTest::newRow("mic refused") << true << true;
        QTest::newRow("camera") << false << false;
        QTest::newRow("camera refused") << false << true;
    }

    void micAndCameraFollowTheEngine()
    {
        QFETCH(bool, mic);
        QFETCH(bool, refused);
        WhiteBoardTopWidget *top = bar();
        QVERIFY(top);
        auto *button = child<QMenuButton>(top, mic ? "m_muteBtn" : "m_cameraBtn");
        const auto engineOn = [&] { return mic ? sdk()->micEnabled() : sdk()->cameraEnabled(); };
        const QString offCaption = mic ? QStringLiteral("Mute") : QStringLiteral("Stop Video");
        const QString onCaption = mic ? QStringLiteral("Unmute") : QStringLiteral("Enable Video");
        QVERIFY(!button->isOn());
        QCOMPARE(caption(button), offCaption);

        QSignalSpy refreshed(top, &WhiteBoardTopWidget::sigRefreshStatus);
        for (int round = 0; round < 2; ++round) {
            if (refused)
                rjsim_force_result(mic ? "enableMic" : "enableCamera", 1, 1);
            const bool before = engineOn();
            click(button);
            QCOMPARE(engineOn(), refused ? before : !before);
            QCOMPARE(button->isOn(), !engineOn());
            QCOMPARE(caption(button), engineOn() ? offCaption : onCaption);
        }
        QCOMPARE(refreshed.count(), 2);
    }

    // The fold tab folds the bar to its tab and back, at the bar's scale, and
    // the bar's own height follows; never while a popup is open.
    void foldFollowsTheScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }

    void foldFollowsTheScale()
    {
        QFETCH(double, scale);
        WhiteBoardTopWidget *top = bar(scale);
        QVERIFY(top);
        auto *row = child<QWidget>(top, "PropertyWidget");
        auto *buttons = child<QFrame>(top, "m_bg");
        auto *tab = child<Button_share>(top, "m_shareBtnView");
        const int unfolded = int(69 * scale);
        const int folded = int(15 * scale);
        QCOMPARE(top->height(), unfolded);
        QVERIFY(buttons->isVisible());

        emit tab->mySignal();
        QVERIFY(!buttons->isVisible());
        QCOMPARE(top->height(), folded);
        QCOMPARE(row->maximumHeight(), folded);

        emit tab->mySignal();
        QVERIFY(buttons->isVisible());
        QCOMPARE(top->height(), unfolded);
        QTRY_COMPARE(row->height(), unfolded);

        // A device list open: the bar stays.
        click(child<QPushButton>(top, "m_pBtnSelectMicUp"));
        QVERIFY(top->sharingControls()->isPopupOpen());
        emit tab->mySignal();
        QVERIFY(buttons->isVisible());
        QCOMPARE(top->height(), unfolded);
    }

    // Management shows when the conference is controllable; an answer that
    // comes after the bar is gone reaches nothing.
    void managementProbe()
    {
        CControllableProbe::setQuery([] { return true; });
        WhiteBoardTopWidget *top = bar();
        QVERIFY(top);
        auto *manager = child<QMenuButton>(top, "m_managerBtn");
        QTRY_VERIFY(manager->isVisible());
        QCOMPARE(caption(manager), QStringLiteral("Management"));
        QSignalSpy clicked(top, &WhiteBoardTopWidget::sigClickedManagerButton);
        click(manager);
        QCOMPARE(clicked.count(), 1);

        auto release = std::make_shared<std::atomic<bool>>(false);
        auto asked = std::make_shared<std::atomic<bool>>(false);
        CControllableProbe::setQuery([release, asked] {
            *asked = true;
            while (!*release)
                QThread::msleep(1);
            return true;
        });
        QPointer<WhiteBoardTopWidget> late = new WhiteBoardTopWidget(m_window.get());
        QTRY_VERIFY(*asked);
        delete late;
        *release = true;
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(!late);
    }

    // The buttons that only hand over: Drawing, Stop (no question) and Show
    // PIP, which hides itself until the floating strip is hidden again.
    void handOverButtons()
    {
        WhiteBoardTopWidget *top = bar();
        QVERIFY(top);
        QSignalSpy tool(top, &WhiteBoardTopWidget::sigOpenWhiteBoardTool);
        QSignalSpy close(top, &WhiteBoardTopWidget::sigClose);
        QSignalSpy picture(top, &WhiteBoardTopWidget::sigOnShowPicture);
        click(child<QMenuButton>(top, "m_drawBtn"));
        click(child<QMenuButton>(top, "m_closeBtn"));
        QCOMPARE(tool.count(), 1);
        QCOMPARE(close.count(), 1);

        top->updateShowPicture(true);
        auto *pip = child<QToolButton>(top, "m_pBtnShowPic");
        QVERIFY(pip->isVisible());
        click(pip);
        QCOMPARE(picture.count(), 1);
        QVERIFY(!top->isShowPictureButtonVisible());
        top->slotHidePicture();
        QVERIFY(top->isShowPictureButtonVisible());
    }
};

GLIMORA_TEST_MAIN(TestWhiteBoardTopBar)
#include "tst_whiteboardtopbar.moc"
