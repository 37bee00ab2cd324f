// The share-source chooser and the screen capture feeder against the
// simulated engine: the tiles of the engine's screens and the whiteboard,
// thumbnails, selection, sharing and its refusals, closing, scaling, the help
// bubbles; frames fed from the GUI thread's grabs, stopping, a source window
// that disappears and a feeder destroyed while it runs.

#include "support/SignInServer.h"
#include "support/AlertBoxSeam.h"
#include "support/ModalDialogDriver.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/ScreenThread.h"
#include "rjsim_control.h"
#include "views/framework/CModualDlgsManager.h"
#include "views/incall/CArrowWidget.h"
#include "views/incall/CPreview.h"
#include "views/incall/CSelectShareContent.h"
#include "views/incall/CWidgetContentSub.h"
#include "views/incall/CWidgetContents.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTcpServer>
#include <qpa/qwindowsysteminterface.h>

#include <atomic>
#include <memory>
#include <mutex>

using glimora::test::AlertBoxSeam;
using glimora::test::ModalDialogDriver;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::models::ScreenThread;
using rj_app::views::CSelectShareContent;
using Sources = std::vector<rj::engine::RJContentSourceInfo>;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;

// Counts a warning logged on another thread. QTest::ignoreMessage cannot be
// used for it: Qt Test's list of expected messages is edited by the thread
// whose message matches, unguarded against the GUI and engine threads, which
// read it for their own messages at the same time.
std::atomic<int> g_staleStopWarnings{0};
std::atomic<QtMessageHandler> g_forwardHandler{nullptr};
void countStaleStopWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("Invalid m_bIsStopped, set its value to false"))) {
        ++g_staleStopWarnings;
        return;
    }
    g_forwardHandler.load()(type, context, message);
}

// Stands for the layout engine: the parent of the chooser's parent.
class LayoutEngineStub : public QWidget
{
    Q_OBJECT
public:
    Q_INVOKABLE void setShareScreenIndex(int index) { indexes << index; }
    QList<int> indexes;
};

// Records warnings while it lives and passes every message on. Messages come
// from the feeder's thread too; a standard mutex, so that thread checkers
// see it.
class WarningCatcher
{
public:
    WarningCatcher()
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        s_self = this;
        m_previous = qInstallMessageHandler(&WarningCatcher::handle);
    }
    ~WarningCatcher()
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        qInstallMessageHandler(m_previous);
        s_self = nullptr;
    }
    bool seen(const QString &part) const
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        for (const QString &w : m_warnings) {
            if (w.contains(part))
                return true;
        }
        return false;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        QtMessageHandler previous = nullptr;
        {
            std::lock_guard<std::mutex> lock(s_mutex);
            if (!s_self)
                return;
            if (type == QtWarningMsg)
                s_self->m_warnings << text;
            previous = s_self->m_previous;
        }
        if (previous)
            previous(type, context, text);
    }
    static inline std::mutex s_mutex;
    static inline WarningCatcher *s_self = nullptr;
    QtMessageHandler m_previous = nullptr;
    QStringList m_warnings;
};

rj::engine::RJContentSourceInfo source(int type, const std::string &title)
{
    rj::engine::RJContentSourceInfo info;
    info.type = type;
    info.windowTitle = title;
    info.captureSize.width = 1920;
    info.captureSize.height = 1080;
    info.valid = true;
    return info;
}

QStringList names(const CWidgetContents *grid)
{
    QStringList result;
    for (const CWidgetContentSub *tile : grid->tiles())
        result << tile->name();
    return result;
}

// The content operations of the journal, "name arg arg ...", in order.
QStringList contentOps()
{
    static const QStringList ops{"enableContentAudio", "enableContentHighFPS", "stopContent",
                                 "setLocalContentWindow", "setLocalContentSource", "sendContent",
                                 "sendWhiteBoard"};
    QStringList result;
    for (const std::string &line : rjsim::journal()) {
        const QString text = QString::fromStdString(line);
        const QStringList fields = text.split(QLatin1Char('\t'));
        if (ops.contains(fields.value(0)))
            result << fields.join(QLatin1Char(' '));
    }
    return result;
}

} // namespace

class TestSharing : public QObject
{
    Q_OBJECT

    glimora::test::SignInServer m_server; // answers the engine at sign-in
    std::unique_ptr<LayoutEngineStub> m_layout;
    QWidget *m_owner = nullptr; // the toolbar's parent widget

    CCallController *c() { return CCallController::getInstance(); }
    CLoginManager *login() { return CLoginManager::getInstance(); }
    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }

    // Opens a chooser the way the call toolbar does.
    CSelectShareContent *openChooser(const Sources &list)
    {
        auto *chooser = new CSelectShareContent(m_owner);
        chooser->setWindowModality(Qt::WindowModal);
        chooser->setContentSourceList(list);
        chooser->setShareAudioChecked(false);
        chooser->setHighFpsChecked(false);
        chooser->show();
        if (!QTest::qWaitForWindowExposed(chooser))
            qWarning("chooser not exposed");
        return chooser;
    }

    Sources simScreens(const QByteArray &names)
    {
        qputenv("RJSIM_SCREENS", names);
        Sources list = sdk()->getContentSourceList();
        qunsetenv("RJSIM_SCREENS");
        return list;
    }

    static void closeAndDelete(CSelectShareContent *chooser)
    {
        QPointer<CSelectShareContent> guard(chooser);
        if (guard)
            guard->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void clickTile(CWidgetContentSub *tile) { QTest::mouseClick(tile, Qt::LeftButton, {}, QPoint(20, 20)); }

    void endCall()
    {
        if (CCallController::isInCall(c()->getCallStatus())) {
            c()->hangUp();
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        c()->setContentStreamStatus(ContentStreamStatus_None, std::string(), 0);
    }

    void connectCall()
    {
        c()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        login()->initRJSdkManagerInstance();
        login()->initialize();
        QVERIFY(sdk());
        QVERIFY(c());
        CUserConfigUtils::getInstance()->setUseHttps(false);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, m_server.serverPort(), QStringLiteral("alice"),
                               QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(LoggedIn), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);

        m_layout.reset(new LayoutEngineStub);
        m_owner = new QWidget(m_layout.get());
    }

    void init()
    {
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        rjsim_clear_journal();
        m_layout->indexes.clear();
        c()->m_acsJsonWebToken.clear();
    }

    void cleanupTestCase()
    {
        endCall();
        m_layout.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CRJSdkManager::releaseInstance();
    }

    // ------------------------------------------------------------ chooser

    // One tile per screen the engine offers, named in order, then the
    // whiteboard unless the login was skipped; four to a row, with an empty
    // row under a full one. Application windows are never offered.
    void tiles_data()
    {
        QTest::addColumn<QByteArray>("screens");
        QTest::addColumn<bool>("skipped");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("gridHeight");
        QTest::newRow("three screens") << QByteArray("DP-1,DP-2,HDMI-1") << false
                                       << QStringList{"Screen 1", "Screen 2", "Screen 3", "WhiteBoard"} << 240;
        QTest::newRow("two screens") << QByteArray("DP-1,DP-2") << false
                                     << QStringList{"Screen 1", "Screen 2", "WhiteBoard"} << 120;
        QTest::newRow("login skipped") << QByteArray("DP-1,DP-2") << true
                                       << QStringList{"Screen 1", "Screen 2"} << 120;
        QTest::newRow("five tiles") << QByteArray("A,B,C,D") << false
                                    << QStringList{"Screen 1", "Screen 2", "Screen 3", "Screen 4", "WhiteBoard"}
                                    << 240;
    }
    void tiles()
    {
        QFETCH(QByteArray, screens);
        QFETCH(bool, skipped);
        QFETCH(QStringList, expected);
        QFETCH(int, gridHeight);

        const Sources list = simScreens(screens);
        QCOMPARE(int(list.size()), screens.count(',') + 1 + 3); // the screens, then three windows

        const LoginStatus before = login()->m_loginStatus;
        if (skipped)
            login()->m_loginStatus = AnonymousLoggedIn;
        const auto restore = qScopeGuard([this, before]() { login()->m_loginStatus = before; });
        CSelectShareContent *chooser = openChooser(list);
        const auto closer = qScopeGuard([chooser]() { closeAndDelete(chooser); });
        const auto &ui = chooser->form();

        QCOMPARE(chooser->metaObject()->className(), "rj_app::views::CSelectShareContent");
        QCOMPARE(chooser->windowFlags() & (Qt::Tool | Qt::FramelessWindowHint), Qt::Tool | Qt::FramelessWindowHint);
        QCOMPARE(chooser->size(), QSize(752, 536));
        QCOMPARE(ui.titleName->text(), QStringLiteral("Choose to share content"));

        QCOMPARE(names(ui.desktopwidget), expected);
        QCOMPARE(ui.desktopwidget->height(), gridHeight);
        const auto &tiles = ui.desktopwidget->tiles();
        for (int i = 0; i < tiles.size(); ++i) {
            QCOMPARE(tiles[i]->pos(), QPoint((i % 4) * 180, (i / 4) * 120));
            QCOMPARE(tiles[i]->size(), QSize(170, 110));
            QCOMPARE(tiles[i]->isSelected(), i == 0);
            if (tiles[i]->isWhiteBoard()) {
                QVERIFY(tiles[i]->preview()->styleSheet().contains("share-content/icon_whiteboard.png"));
            } else {
                QCOMPARE(tiles[i]->getContentSourceInfo().windowTitle, list[size_t(i)].windowTitle);
                QVERIFY(tiles[i]->preview()->hasThumbnail());
                QVERIFY(!tiles[i]->preview()->hasIcon());
            }
        }
        QCOMPARE(ui.desktopwidget->selectedTile(), tiles.value(0));
        QVERIFY(ui.windowwidget->tiles().isEmpty());
        QVERIFY(ui.windowwidget->isHidden());
        QVERIFY(ui.windowtips->isHidden());
        QVERIFY(ui.cBshareSound->isEnabled());
        QVERIFY(ui.m_pChkBoxContentHighFPS->isEnabled());
        // Every bitmap the engine lent was given back.
        QCOMPARE(rjsim_journal_count("releaseContentSourceBitmap"), rjsim_journal_count("getContentSourceBitmap"));
        QCOMPARE(rjsim_journal_count("getContentSourceBitmap"), screens.count(',') + 1);
    }

    // The engine's thumbnail bytes are blue, green, red, each row padded to
    // a multiple of 4 bytes; the tile shows exactly that picture. A 1280 x
    // 1024 screen gives a thumbnail 87 pixels wide, whose rows are padded.
    // A source the engine has no picture of shows the application image.
    void thumbnails_data()
    {
        QTest::addColumn<QSize>("screenSize"); // invalid: the engine's own screens
        QTest::newRow("1920 x 1080 screens") << QSize();
        QTest::newRow("1280 x 1024 screen") << QSize(1280, 1024);
    }
    void thumbnails()
    {
        QFETCH(QSize, screenSize);
        QScreen *screen = QGuiApplication::primaryScreen();
        const QRect geometry = screen->geometry();
        const QRect available = screen->availableGeometry();
        const auto restoreScreen = qScopeGuard([screen, geometry, available] {
            QWindowSystemInterface::handleScreenGeometryChange(screen, geometry, available);
            QWindowSystemInterface::flushWindowSystemEvents();
        });
        Sources list;
        if (screenSize.isValid()) {
            QWindowSystemInterface::handleScreenGeometryChange(screen, QRect(QPoint(0, 0), screenSize),
                                                               QRect(QPoint(0, 0), screenSize));
            QWindowSystemInterface::flushWindowSystemEvents();
            QCOMPARE(screen->size(), screenSize);
            list = sdk()->getContentSourceList();
            list.resize(1); // the screen; the windows are never offered
        } else {
            list = simScreens("Left,Right");
            list.resize(2);
        }
        const rj::engine::RJContentSourceInfo &shown = list.back();

        rj::engine::RJBitmap bitmap;
        QVERIFY(sdk()->getContentSourceBitmap(shown, 0, 112, 70, bitmap));
        QVERIFY(bitmap.data);
        if (screenSize.isValid())
            QCOMPARE(bitmap.width % 4 != 0, true);
        const int stride = (bitmap.width * 3 + 3) / 4 * 4;
        QImage expected(bitmap.width, bitmap.height, QImage::Format_RGB32);
        bool redDiffersFromBlue = false;
        for (int y = 0; y < bitmap.height; ++y) {
            for (int x = 0; x < bitmap.width; ++x) {
                const unsigned char *px = bitmap.data + y * stride + x * 3;
                expected.setPixelColor(x, y, QColor(px[2], px[1], px[0]));
                redDiffersFromBlue = redDiffersFromBlue || px[2] != px[0];
            }
        }
        // Else a missing swap would go unnoticed.
        QVERIFY(redDiffersFromBlue);
        sdk()->releaseContentSourceBitmap(bitmap);

        Sources withUnknown = list;
        withUnknown.push_back(source(0, "No such screen"));
        CSelectShareContent *chooser = openChooser(withUnknown);
        const auto closer = qScopeGuard([chooser]() { closeAndDelete(chooser); });
        const auto &tiles = chooser->form().desktopwidget->tiles();
        QCOMPARE(tiles.size(), int(withUnknown.size()) + 1);
        const QImage thumb = tiles[int(list.size()) - 1]->preview()->thumbnail();
        QCOMPARE(thumb.convertToFormat(QImage::Format_RGB32), expected);

        CWidgetContentSub *unknown = tiles[int(list.size())];
        QVERIFY(!unknown->preview()->hasThumbnail());
        QVERIFY(unknown->preview()->styleSheet().contains("share-content/icon_app.png"));
        QCOMPARE(unknown->name(), QStringLiteral("Screen %1").arg(list.size() + 1));
    }

    // The whiteboard takes both options away; a screen gives them back
    // unchecked.
    void selection()
    {
        CSelectShareContent *chooser = openChooser(simScreens("DP-1,DP-2"));
        const auto closer = qScopeGuard([chooser]() { closeAndDelete(chooser); });
        const auto &ui = chooser->form();
        const auto &tiles = ui.desktopwidget->tiles();
        QCOMPARE(tiles.size(), 3);
        chooser->setShareAudioChecked(true);
        chooser->setHighFpsChecked(true);

        QSignalSpy selected(ui.desktopwidget, &CWidgetContents::signal_contentSelected);
        clickTile(tiles[2]);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(ui.desktopwidget->selectedTile(), tiles[2]);
        QVERIFY(tiles[2]->isSelected());
        QVERIFY(!tiles[0]->isSelected());
        QCOMPARE(tiles[2]->nameLabel()->styleSheet(), QStringLiteral("color: #ffffff;"));
        QCOMPARE(tiles[0]->nameLabel()->styleSheet(), QStringLiteral("color: #313131;"));
        QVERIFY(!ui.cBshareSound->isChecked());
        QVERIFY(!ui.cBshareSound->isEnabled());
        QVERIFY(!ui.m_pChkBoxContentHighFPS->isChecked());
        QVERIFY(!ui.m_pChkBoxContentHighFPS->isEnabled());

        clickTile(tiles[1]);
        QCOMPARE(ui.desktopwidget->selectedTile(), tiles[1]);
        QVERIFY(!tiles[2]->isSelected());
        QVERIFY(ui.cBshareSound->isEnabled());
        QVERIFY(ui.m_pChkBoxContentHighFPS->isEnabled());
        QVERIFY(!ui.cBshareSound->isChecked());
        QVERIFY(!ui.m_pChkBoxContentHighFPS->isChecked());

        // Clearing forgets the selection; a tile of another grid is never "selected".
        ui.desktopwidget->setSelectedTile(nullptr, false);
        QCOMPARE(ui.desktopwidget->selectedTile(), nullptr);
        QVERIFY(!tiles[1]->isSelected());
        ui.desktopwidget->setCurrentIndex(7);
        QCOMPARE(ui.desktopwidget->selectedTile(), nullptr);
    }

    // Share in a call: a screen, then the whiteboard (which stops the screen
    // first), then a screen again by double click (which stops the
    // whiteboard). Every step reaches the engine and the chooser closes.
    void shareInCall()
    {
        connectCall();
        const auto hangUp = qScopeGuard([this]() { endCall(); });
        const QString qscreen = QGuiApplication::primaryScreen()->name();
        const Sources list = simScreens(QByteArray("Other,") + qscreen.toUtf8());
        rjsim_clear_journal();

        // A screen whose name matches the second source.
        QPointer<CSelectShareContent> chooser = openChooser(list);
        chooser->setShareAudioChecked(true);
        clickTile(chooser->form().desktopwidget->tiles()[1]);
        QTest::mouseClick(chooser->form().pBtShare, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser.isNull());
        QCOMPARE(contentOps(), (QStringList{"enableContentAudio 1", "enableContentHighFPS 0",
                                            "setLocalContentWindow (nil) 0",
                                            QStringLiteral("setLocalContentSource 0 %1 (nil) 1920 0 1920 1080 1")
                                                .arg(qscreen),
                                            "sendContent"}));
        QCOMPARE(m_layout->indexes, (QList<int>{0, 0}));
        QCOMPARE(c()->getContentSourceInfo().windowTitle, qscreen.toStdString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getContentStreamStatus()), int(ContentStreamStatus_SendingContentStarted),
                                  kWaitMs);

        // The whiteboard, once its token is there.
        rjsim_clear_journal();
        m_layout->indexes.clear();
        c()->m_acsJsonWebToken = QStringLiteral("token");
        chooser = openChooser(list);
        clickTile(chooser->form().desktopwidget->tiles()[2]);
        QTest::mouseClick(chooser->form().pBtShare, Qt::LeftButton);
        QCOMPARE(int(c()->getContentStreamStatus()), int(ContentStreamStatus_None)); // reset on the spot
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser.isNull());
        QCOMPARE(contentOps(), (QStringList{"enableContentAudio 0", "enableContentHighFPS 0", "stopContent",
                                            "setLocalContentWindow (nil) 0", "sendWhiteBoard"}));
        QCOMPARE(m_layout->indexes, (QList<int>{0}));
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getContentStreamStatus()),
                                  int(ContentStreamStatus_SendingWhiteBoardStarted), kWaitMs);

        // A double click on the first screen: its name matches no screen.
        rjsim_clear_journal();
        m_layout->indexes.clear();
        chooser = openChooser(list);
        QTest::mouseDClick(chooser->form().desktopwidget->tiles()[0], Qt::LeftButton, {}, QPoint(20, 20));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser.isNull());
        const QStringList ops = contentOps();
        QCOMPARE(ops.value(2), QStringLiteral("stopContent"));
        QVERIFY(ops.value(4).startsWith(QStringLiteral("setLocalContentSource 0 Other ")));
        QCOMPARE(ops.value(5), QStringLiteral("sendContent"));
        QCOMPARE(m_layout->indexes, (QList<int>{0}));
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getContentStreamStatus()), int(ContentStreamStatus_SendingContentStarted),
                                  kWaitMs);
    }

    // Without the whiteboard token, or while a whiteboard is received, the
    // whiteboard is refused with a note and the chooser closes.
    void whiteboardRefused_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("no token") << QString() << int(ContentStreamStatus_None)
                                  << "Service is not connected, please wait...";
        QTest::newRow("receiving whiteboard") << "token" << int(ContentStreamStatus_ReceivingWhiteBoardStarted)
                                              << "Receiving whiteboard.";
    }
    void whiteboardRefused()
    {
        QFETCH(QString, token);
        QFETCH(int, status);
        QFETCH(QString, text);

        c()->m_acsJsonWebToken = token;
        c()->setContentStreamStatus(status, "Erin Park", 5);
        const auto reset = qScopeGuard([this]() { c()->setContentStreamStatus(0, std::string(), 0); });
        AlertBoxSeam seam(QDialogButtonBox::Yes);
        QPointer<CSelectShareContent> chooser = openChooser(simScreens("DP-1"));
        clickTile(chooser->form().desktopwidget->tiles()[1]);
        rjsim_clear_journal();
        QTest::mouseClick(chooser->form().pBtShare, Qt::LeftButton);

        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().title, QStringLiteral("Note"));
        QCOMPARE(seam.last().text, text);
        QCOMPARE(seam.last().buttons, QDialogButtonBox::StandardButtons(QDialogButtonBox::Yes));
        QCOMPARE(seam.last().defaultButton, QDialogButtonBox::NoButton);
        QCOMPARE(seam.last().parent.data(), chooser.data());
        QCOMPARE(contentOps(), (QStringList{"enableContentAudio 0", "enableContentHighFPS 0"}));
        QCOMPARE(int(c()->getContentStreamStatus()), status);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser.isNull());
    }

    // The chooser may be closed and deleted while the note is open (by a
    // call ending, for one); the click that asked must not touch it then.
    void closedDuringQuestion()
    {
        QPointer<CSelectShareContent> chooser = openChooser(simScreens("DP-1"));
        clickTile(chooser->form().desktopwidget->tiles()[1]);
        ModalDialogDriver driver;
        driver.expect("rj_app::views::AlertDlg", [chooser](QWidget *) {
            if (chooser)
                chooser->close();
        });
        QTest::mouseClick(chooser->form().pBtShare, Qt::LeftButton);
        QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join('\n')));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser.isNull());
        QCOMPARE(rjsim_journal_count("sendWhiteBoard"), 0);
    }

    // Closing, by its own button or by the modal-dialog manager, shares
    // nothing; "Share" with nothing to share keeps the chooser open.
    void cancelAndNothingToShare()
    {
        QPointer<CSelectShareContent> chooser = openChooser(simScreens("DP-1"));
        rjsim_clear_journal();
        QTest::mouseClick(chooser->form().close, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser.isNull());
        QVERIFY(contentOps().isEmpty());

        // Something more urgent closes it as well, found by its class name.
        chooser = openChooser(simScreens("DP-1"));
        QCOMPARE(QApplication::activeModalWidget(), chooser.data());
        rj_app::views::CModualDlgsManager::closeAllModualDlgs(true);
        QVERIFY(chooser->isVisible());
        rj_app::views::CModualDlgsManager::closeAllModualDlgs(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser.isNull());
        QVERIFY(contentOps().isEmpty());

        // Only application windows, with the login skipped: no tile at all.
        Sources windows;
        for (const auto &s : sdk()->getContentSourceList()) {
            if (s.type == 1)
                windows.push_back(s);
        }
        QCOMPARE(int(windows.size()), 3);
        const LoginStatus before = login()->m_loginStatus;
        login()->m_loginStatus = AnonymousLoggedIn;
        const auto restore = qScopeGuard([this, before]() { login()->m_loginStatus = before; });
        chooser = openChooser(windows);
        const auto closer = qScopeGuard([chooser]() { closeAndDelete(chooser); });
        QVERIFY(chooser->form().desktopwidget->tiles().isEmpty());
        rjsim_clear_journal();
        QTest::mouseClick(chooser->form().pBtShare, Qt::LeftButton);
        QCOMPARE(rjsim_journal_count("setLocalContentSource"), 0);
        QCOMPARE(rjsim_journal_count("sendContent"), 0);
        QCOMPARE(rjsim_journal_count("sendWhiteBoard"), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!chooser.isNull());
        QVERIFY(chooser->isVisible());
    }

    // The pictures and the sheet the chooser names exist and are readable.
    void resources()
    {
        for (const char *path : {":/resources/qss/select-share-content.qss",
                                 ":/resources/images/share-content/icon_whiteboard.png",
                                 ":/resources/images/share-content/icon_app.png",
                                 ":/resources/images/share-content/icon_help_normal.png",
                                 ":/resources/images/share-content/icon_help_hover.png"}) {
            QFile file(QString::fromLatin1(path));
            QVERIFY2(file.open(QIODevice::ReadOnly) && file.size() > 0, path);
            if (QByteArray(path).endsWith(".png"))
                QVERIFY2(!QImage(QString::fromLatin1(path)).isNull(), path);
        }
    }

    // At scale 2 the tiles, their gaps and previews double.
    void scaleTwo()
    {
        CSelectShareContent *chooser = openChooser(simScreens("A,B,C,D"));
        const auto closer = qScopeGuard([chooser]() { closeAndDelete(chooser); });
        const auto &ui = chooser->form();
        chooser->updateDpi(192);
        QCOMPARE(chooser->fStretchFactor, 2.0);
        QCOMPARE(chooser->size(), QSize(1504, 1072));
        const auto &tiles = ui.desktopwidget->tiles();
        QCOMPARE(tiles.size(), 5);
        QCOMPARE(tiles[0]->size(), QSize(340, 220));
        QCOMPARE(tiles[1]->pos(), QPoint(360, 0));
        QCOMPARE(tiles[3]->pos(), QPoint(1080, 0));
        QCOMPARE(tiles[4]->pos(), QPoint(0, 240));
        QCOMPARE(tiles[0]->preview()->size(), QSize(220, 140));
        QCOMPARE(tiles[4]->preview()->size(), QSize(220, 140));
        QCOMPARE(ui.desktopwidget->height(), 480);
        QCOMPARE(ui.titleName->font().pixelSize(), 24);
        QCOMPARE(ui.cBshareSound->font().pixelSize(), 26);
        QVERIFY(ui.cBshareSound->styleSheet().contains("width: 24px; height: 24px;"));
        QVERIFY(ui.scrollAreaWidgetContents->minimumHeight() >= 480 + 2 * 24 + 30);

        chooser->updateDpi(96);
        QCOMPARE(tiles[1]->pos(), QPoint(180, 0));
        QCOMPARE(tiles[0]->preview()->size(), QSize(110, 70));
        QCOMPARE(ui.desktopwidget->height(), 240);
    }

    // Hovering a help button shows its bubble centred over it, touching its
    // top edge; leaving hides it, and so does losing activation.
    void helpBubbles_data()
    {
        QTest::addColumn<bool>("sound");
        QTest::newRow("sound") << true;
        QTest::newRow("fluency") << false;
    }
    void helpBubbles()
    {
        QFETCH(bool, sound);
        CSelectShareContent *chooser = openChooser(simScreens("DP-1"));
        const auto closer = qScopeGuard([chooser]() { closeAndDelete(chooser); });
        QPushButton *button = sound ? chooser->form().pBtHelp : chooser->form().m_pChkBoxContentHighFPSHelp;
        rj_app::views::CArrowWidget *tip = sound ? chooser->soundTip() : chooser->fluencyTip();
        QCOMPARE(tip->text(), sound ? QStringLiteral("Other participants will be able to hear the audio being "
                                                     "played on your computer")
                                    : QStringLiteral("Ensure shared content fluency first"));
        QVERIFY(tip->isHidden());

        QEnterEvent enter(QPointF(8, 8), QPointF(8, 8), QPointF(button->mapToGlobal(QPoint(8, 8))));
        QCoreApplication::sendEvent(button, &enter);
        QVERIFY(tip->isVisible());
        const QPoint buttonTopLeft = chooser->geometry().topLeft() + button->mapTo(chooser, QPoint(0, 0));
        QCOMPARE(tip->geometry().bottom() + 1, buttonTopLeft.y());
        QVERIFY(qAbs(tip->geometry().center().x() - (buttonTopLeft.x() + button->width() / 2)) <= 1);

        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
        QVERIFY(tip->isHidden());

        QCoreApplication::sendEvent(button, &enter);
        QVERIFY(tip->isVisible());
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(tip, &deactivate);
        QVERIFY(tip->isHidden());
    }

    // ------------------------------------------------------- screen feeder

    // Frames of one window, or of the whole screen, reach the engine at the
    // injected period until stop; no frame without pixels is handed over.
    void feederFeedsFrames_data()
    {
        QTest::addColumn<bool>("whiteBoard");
        QTest::newRow("window") << true;
        QTest::newRow("desktop") << false;
    }
    void feederFeedsFrames()
    {
        QFETCH(bool, whiteBoard);
        QWidget window;
        window.resize(160, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        ScreenThread feeder;
        QCOMPARE(feeder.intervalMs(), 100);
        feeder.setIntervalMs(5);
        feeder.setWhiteBoardAndWinId(whiteBoard, int(window.winId()));
        rjsim_clear_journal();
        feeder.start(QThread::InheritPriority);
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() >= 5, kWaitMs);
        QVERIFY(feeder.isRunning());
        feeder.stop();
        QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished(), kWaitMs);
        const long long frames = rjsim_content_frames();
        QCOMPARE(rjsim_journal_count("setLocalContentSource"), 0);

        // Started again, the same object feeds again.
        feeder.start(QThread::InheritPriority);
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() >= frames + 3, kWaitMs);
        feeder.stop();
        QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished(), kWaitMs);
    }

    // A stop right after start still lets one frame through, and ends the
    // loop; a stop while nothing runs is dropped by the next start.
    void feederStopAndStart()
    {
        QWidget window;
        window.resize(80, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ScreenThread feeder;
        feeder.setIntervalMs(5);
        feeder.setWhiteBoardAndWinId(true, int(window.winId()));

        rjsim_clear_journal();
        feeder.start(QThread::InheritPriority);
        feeder.stop();
        QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished(), kWaitMs);
        QCOMPARE(rjsim_content_frames(), 1LL);

        feeder.stop(); // stale
        // The handler to forward to is known before ours can be called.
        g_forwardHandler = qInstallMessageHandler(nullptr);
        qInstallMessageHandler(g_forwardHandler.load());
        g_staleStopWarnings = 0;
        qInstallMessageHandler(countStaleStopWarning);
        auto restore = qScopeGuard([&feeder] {
            feeder.stop();
            feeder.wait(kWaitMs);
            qInstallMessageHandler(g_forwardHandler.load());
        });
        feeder.start(QThread::InheritPriority);
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() >= 6, kWaitMs);
        QVERIFY(feeder.isRunning());
        feeder.stop();
        QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished(), kWaitMs);
        QCOMPARE(g_staleStopWarnings.load(), 1);
    }

    // An owner that stops and then waits on the GUI thread, where the grabs
    // happen, is not kept waiting for a grab, and the run's frame still goes.
    void feederStopAndWaitOnGuiThread()
    {
        ScreenThread feeder;
        feeder.setIntervalMs(5);
        rjsim_clear_journal();
        QElapsedTimer clock;
        clock.start();
        feeder.start(QThread::InheritPriority);
        feeder.stop();
        QVERIFY(feeder.wait(10000));
        QVERIFY(feeder.isFinished());
        QCOMPARE(rjsim_content_frames(), 1LL);
        QVERIFY2(clock.elapsed() < 900, qPrintable(QString::number(clock.elapsed())));
    }

    // A start right after a stop, before the run has wound down, keeps the
    // feeder running; a stop that arrives while a run winds down is not
    // taken for the next run.
    void feederRestartAndLateStop_data()
    {
        QTest::addColumn<bool>("lateStop");
        QTest::newRow("start at once after stop") << false;
        QTest::newRow("stop while the run winds down") << true;
    }
    void feederRestartAndLateStop()
    {
        QFETCH(bool, lateStop);
        ScreenThread feeder;
        feeder.setIntervalMs(5);
        // The stop that comes while the first run winds down, from the
        // feeder's thread as it finishes.
        std::mutex handlerMutex;
        bool stopOnFinish = lateStop;
        connect(&feeder, &QThread::finished, &feeder, [&feeder, &handlerMutex, &stopOnFinish]() {
            std::lock_guard<std::mutex> lock(handlerMutex);
            if (stopOnFinish) {
                stopOnFinish = false;
                feeder.stop();
            }
        }, Qt::DirectConnection);
        auto lateStopSent = [&handlerMutex, &stopOnFinish]() {
            std::lock_guard<std::mutex> lock(handlerMutex);
            return !stopOnFinish;
        };
        g_forwardHandler = qInstallMessageHandler(nullptr);
        qInstallMessageHandler(g_forwardHandler.load());
        g_staleStopWarnings = 0;
        qInstallMessageHandler(countStaleStopWarning);
        auto restore = qScopeGuard([&feeder, &handlerMutex] {
            feeder.stop();
            feeder.wait(kWaitMs);
            std::lock_guard<std::mutex> lock(handlerMutex); // the last handler call is over
            qInstallMessageHandler(g_forwardHandler.load());
        });

        rjsim_clear_journal();
        feeder.start(QThread::InheritPriority);
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() >= 2, kWaitMs);
        feeder.stop();
        if (lateStop)
            QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished() && lateStopSent(), kWaitMs);
        feeder.start(QThread::InheritPriority);
        const long long frames = rjsim_content_frames();
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() >= frames + 5, kWaitMs);
        QVERIFY(feeder.isRunning());
        QCOMPARE(g_staleStopWarnings.load(), lateStop ? 1 : 0);
        feeder.stop();
        QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished(), kWaitMs);
    }

    // What the engine receives: content frames of the grabbed window or
    // screen, at its full size, 32-bit pixels in blue, green, red, alpha
    // order, whole lines (an odd width included).
    void feederFrameFormat_data()
    {
        QTest::addColumn<bool>("whiteBoard");
        QTest::newRow("window of odd width") << true;
        QTest::newRow("desktop") << false;
    }
    void feederFrameFormat()
    {
        QFETCH(bool, whiteBoard);
        const QColor colour(200, 30, 90);
        QWidget window;
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.setStyleSheet(QStringLiteral("background: rgb(200, 30, 90);"));
        window.setAttribute(Qt::WA_StyledBackground);
        window.setGeometry(40, 40, 161, 121);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);

        struct Frame {
            rj::engine::RJContentSourceInfo info;
            QColor centre;
        };
        std::mutex mutex; // a standard one, so that thread checkers see it
        QList<Frame> frames;
        ScreenThread feeder;
        feeder.setIntervalMs(5);
        feeder.setWhiteBoardAndWinId(whiteBoard, int(window.winId()));
        feeder.setFrameSink([&mutex, &frames, &window](const rj::engine::RJContentSourceInfo &info) {
            // The middle of the window, wherever the frame shows it.
            const QPoint centre = info.captureSize.width == window.width() ? QPoint(80, 60)
                                                                            : window.geometry().center();
            const unsigned char *px = info.frameData + info.bytesPerLine * centre.y() + 4 * centre.x();
            std::lock_guard<std::mutex> lock(mutex);
            frames.append(Frame{info, QColor(px[2], px[1], px[0], px[3])});
            frames.last().info.frameData = nullptr;
        });
        feeder.start(QThread::InheritPriority);
        QTRY_VERIFY_WITH_TIMEOUT([&] {
            std::lock_guard<std::mutex> lock(mutex);
            return frames.size() >= 3;
        }(), kWaitMs);
        feeder.stop();
        QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished(), kWaitMs);

        const QSize expected = whiteBoard ? window.size() : QGuiApplication::primaryScreen()->size();
        Frame last;
        {
            std::lock_guard<std::mutex> lock(mutex);
            last = frames.last();
        }
        QCOMPARE(last.info.type, 3);
        QCOMPARE(last.info.captureX, 0);
        QCOMPARE(last.info.captureY, 0);
        QCOMPARE(QSize(last.info.captureSize.width, last.info.captureSize.height), expected);
        QCOMPARE(last.info.pixelFormat, int(rj::engine::RJ_PIX_FMT_BGRA));
        QVERIFY(last.info.bytesPerLine >= 4 * expected.width());
        QCOMPARE(last.centre, colour);

        // The engine takes the same frames.
        feeder.setFrameSink(nullptr);
        rjsim_clear_journal();
        feeder.start(QThread::InheritPriority);
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() >= 3, kWaitMs);
        feeder.stop();
        QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished(), kWaitMs);
    }

    // The window being grabbed goes away: nothing more is handed over, and
    // the feeder still stops.
    void feederSourceDestroyed()
    {
        WarningCatcher warnings;
        auto *window = new QWidget;
        window->resize(120, 90);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        ScreenThread feeder;
        feeder.setIntervalMs(5);
        feeder.setWhiteBoardAndWinId(true, int(window->winId()));
        rjsim_clear_journal();
        feeder.start(QThread::InheritPriority);
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() >= 2, kWaitMs);

        delete window;
        QTRY_VERIFY_WITH_TIMEOUT(warnings.seen(QStringLiteral("grab failed")), kWaitMs);
        const long long frames = rjsim_content_frames();
        QVERIFY(feeder.isRunning());
        feeder.stop();
        QTRY_VERIFY_WITH_TIMEOUT(feeder.isFinished(), kWaitMs);
        // At most the one frame grabbed before the window went was still on its way.
        QVERIFY(rjsim_content_frames() <= frames + 1);
        QCOMPARE(rjsim_journal_count("setLocalContentSource"), 0);
    }

    // A feeder destroyed while it runs ends its loop first.
    void feederDestroyedWhileRunning()
    {
        auto feeder = std::make_unique<ScreenThread>();
        feeder->setIntervalMs(5);
        rjsim_clear_journal();
        feeder->start(QThread::InheritPriority);
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() >= 2, kWaitMs);
        QVERIFY(feeder->isRunning());
        feeder.reset();
        const long long frames = rjsim_content_frames();
        QCoreApplication::processEvents();
        QCOMPARE(rjsim_content_frames(), frames);
    }
};

GLIMORA_TEST_MAIN(TestSharing)
#include "tst_sharing.moc"
