// The attendees button and window against a loopback management server that
// answers the participant list and serves the avatars: names in the video and
// audio tabs, avatars with their fallback, the count on the button, the
// periodic refresh, failed refreshes, an empty list, a new meeting, and
// objects that go away while a request waits.

#include "support/HttpFixtureServer.h"
#include "support/StandInRingtone.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUCMApiManager.h"
#include "models/CUrlPixmap.h"
#include "rjsim_control.h"
#include "views/incall/CAttendeesButton.h"
#include "views/incall/CAttendeesDelegate.h"
#include "views/incall/CAttendeesListmodel.h"
#include "views/incall/CAttendeesListview.h"
#include "views/incall/CAttendessWidgets.h"

#include <QBuffer>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

using glimora::test::HttpFixtureServer;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::models::CUCMApiManager;
using rj_app::models::CUrlPixmap;
using rj_app::views::CAttendessWidgets;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;
const QString kDefaultPicture = QStringLiteral(":/resources/images/default_user_header.jpg");

struct Person
{
    int userId;
    const char *name;
    bool video;
};

// Carol and Dave with video, Erin audio only.
const QList<Person> kThree = {{11, "Carol Wu", true}, {12, "Dave Li", true}, {13, "Erin Park", false}};

QByteArray participantsJson(const QList<Person> &people)
{
    QByteArray json = "[";
    for (const Person &p : people) {
        if (json.size() > 1)
            json += ",";
        json += QStringLiteral(R"({"userId":%1,"name":"%2","videoMode":%3,"sipUserName":"u%1"})")
                    .arg(p.userId)
                    .arg(QString::fromUtf8(p.name))
                    .arg(p.video ? QStringLiteral("true") : QStringLiteral("false"))
                    .toUtf8();
    }
    return json + "]";
}

QByteArray pngBytes(Qt::GlobalColor colour)
{
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return data;
}

QString participantsPath(const QString &meeting)
{
    return QStringLiteral("/api/rest/v2.0/meetings/%1/simpleparticipants").arg(meeting);
}

QString avatarPath(int userId)
{
    return QStringLiteral("/userFiles/avatar/%1.jpg").arg(userId);
}

void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

template <typename T>
T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QLatin1String(name));
    if (!c)
        qWarning() << "no child" << name << "in" << w;
    return c;
}

QStringList names(const CAttendeesListview *view)
{
    QStringList out;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        out << view->model()->index(row, 0).data(CAttendeesListmodel::NameRole).toString();
    return out;
}

QImage avatarOf(const CAttendeesListview *view, int row)
{
    return view->model()->index(row, 0).data(CAttendeesListmodel::AvatarRole).value<QPixmap>().toImage();
}

bool allAvatarsShown(const CAttendeesListview *view)
{
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (avatarOf(view, row).isNull())
            return false;
    }
    return true;
}

QImage defaultAvatar()
{
    return QPixmap(kDefaultPicture).toImage();
}

QStringList tabTexts(CAttendessWidgets *w)
{
    auto *tabs = child<QTabWidget>(w, "tabWidget");
    return {tabs->tabText(0), tabs->tabText(1)};
}

// Pixels near white right of the icon, where the count is drawn.
int whitePixelsRightOfIcon(QWidget *button)
{
    const QImage img = button->grab().toImage();
    int count = 0;
    for (int y = 4; y < 32; ++y) {
        for (int x = button->width() / 2 + 13; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() > 200)
                ++count;
        }
    }
    return count;
}

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &globalPos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, w->mapFromGlobal(globalPos), globalPos, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

} // namespace

class TestAttendees : public QObject
{
    Q_OBJECT

    HttpFixtureServer m_server; // the management server; the engine probes its port at login

    CCallController *c() { return CCallController::getInstance(); }
    CLoginManager *login() { return CLoginManager::getInstance(); }
    CUCMApiManager *api() { return CUCMApiManager::getInstance(); }
    QString token() { return QString::fromStdString(login()->m_userInfo.token); }

    void answerParticipants(const QString &meeting, const QList<Person> &people, int delayMs = 0)
    {
        m_server.addRoute("GET", participantsPath(meeting), 200, participantsJson(people), delayMs);
    }

    int requestsTo(const QString &path) const
    {
        int n = 0;
        for (const auto &r : m_server.requests())
            n += r.path == path ? 1 : 0;
        return n;
    }

    QList<glimora::test::CapturedRequest> requestsOf(const QString &path) const
    {
        QList<glimora::test::CapturedRequest> out;
        for (const auto &r : m_server.requests()) {
            if (r.path == path)
                out << r;
        }
        return out;
    }

    // A window shown as the toolbar shows it.
    CAttendessWidgets *openWindow()
    {
        auto *w = new CAttendessWidgets(nullptr);
        w->show();
        if (!QTest::qWaitForWindowExposed(w))
            qWarning() << "attendees window not exposed";
        return w;
    }

    static QString number(const CAttendeesButton &b) { return b.m_qstrNumber; }
    static QTimer &refreshTimer(CAttendeesButton &b) { return b.m_refreshTimer; }
    static QLabel *caption(CAttendeesButton &b) { return b.m_pLabelCaption; }
    static QPixmap icon(CAttendeesButton &b) { return b.m_pixmapIcon; }

    void endCall()
    {
        if (CCallController::isInCall(c()->getCallStatus())) {
            c()->hangUp();
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());

        login()->initRJSdkManagerInstance();
        login()->initialize();
        QVERIFY(CRJSdkManager::getInstance());
        CUserConfigUtils::getInstance()->setUseHttps(false);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, m_server.port(), QStringLiteral("alice"),
                               QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(LoggedIn), kWaitMs);
        QCOMPARE(login()->getUrlPrefix(), m_server.baseUrl());
        QVERIFY(!token().isEmpty());
    }

    void init()
    {
        endCall();
        m_server.clearRoutes();
        m_server.clearRequests();
        CUrlPixmap::s_pixmapCache.clear();
        api()->setRequestTimeout(5000);
        c()->setPureConfNumber(QStringLiteral("1001"));
        m_server.addRoute("GET", avatarPath(11), 200, pngBytes(Qt::red), 0, "image/jpeg");
        m_server.addRoute("GET", avatarPath(12), 200, pngBytes(Qt::blue), 0, "image/jpeg");
        // 13 has no picture on the server: 404.
    }

    void cleanup()
    {
        setScreenDpi(96);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void cleanupTestCase()
    {
        endCall();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_server.stop();
        CRJSdkManager::releaseInstance();
    }

    // ------------------------------------------------------------- window

    // The server's participants, each in the tab of its media, in the
    // server's order; avatars downloaded from the server, a missing one
    // shown as the default picture; rows repaint when their avatar arrives
    // and cannot be selected.
    void windowListsParticipantsWithAvatars()
    {
        answerParticipants(QStringLiteral("1001"), kThree);
        rj_app::views::requestParticipants();
        const auto sent = requestsOf(participantsPath(QStringLiteral("1001")));
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.at(0).query.queryItemValue(QStringLiteral("token")), token());

        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        auto *video = child<CAttendeesListview>(w.data(), "listView_video");
        auto *audio = child<CAttendeesListview>(w.data(), "listView_audio");
        QSignalSpy videoChanged(video->model(), &QAbstractItemModel::dataChanged);

        QCOMPARE(child<QLabel>(w.data(), "label")->text(), QStringLiteral("Attendees"));
        QCOMPARE(names(video), (QStringList{QStringLiteral("Carol Wu"), QStringLiteral("Dave Li")}));
        QCOMPARE(names(audio), QStringList{QStringLiteral("Erin Park")});
        QCOMPARE(video->model()->index(1, 0).data(CAttendeesListmodel::UserIdRole).toInt(), 12);
        QCOMPARE(audio->model()->index(0, 0).data(CAttendeesListmodel::IsAudioRole).toInt(), 1);
        QCOMPARE(tabTexts(w.data()), (QStringList{QStringLiteral("Video(2)"), QStringLiteral("Audio(1)")}));
        QCOMPARE(child<QTabWidget>(w.data(), "tabWidget")->currentIndex(), 0);

        QTRY_VERIFY_WITH_TIMEOUT(allAvatarsShown(video) && allAvatarsShown(audio), kWaitMs);
        QCOMPARE(avatarOf(video, 0).pixelColor(2, 2), QColor(Qt::red));
        QCOMPARE(avatarOf(video, 1).pixelColor(2, 2), QColor(Qt::blue));
        QCOMPARE(avatarOf(audio, 0), defaultAvatar());
        QVERIFY(videoChanged.count() >= 2);
        const auto avatarRequests = requestsOf(avatarPath(11));
        QCOMPARE(avatarRequests.size(), 1);
        QCOMPARE(avatarRequests.at(0).query.queryItemValue(QStringLiteral("v")), token());

        // Painted: the first row's avatar on the left, then the second row's.
        const QImage shot = video->viewport()->grab().toImage();
        QCOMPARE(shot.pixelColor(24, 20), QColor(Qt::red));
        QCOMPARE(shot.pixelColor(24, 60), QColor(Qt::blue));

        // Rows cannot be selected.
        QCOMPARE(video->model()->flags(video->model()->index(0, 0)), Qt::NoItemFlags);
        QTest::mouseClick(video->viewport(), Qt::LeftButton, {}, QPoint(100, 20));
        QVERIFY(!video->selectionModel()->hasSelection());
    }

    // An address that fails, or that answers with no picture, shows the
    // default picture; an address in the cache is not downloaded again.
    void avatarFallback_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("cached");
        QTest::addColumn<QColor>("expected"); // invalid: the default picture
        QTest::newRow("download fails") << 404 << QByteArray() << false << QColor();
        QTest::newRow("not a picture") << 200 << QByteArray("<html>nope</html>") << false << QColor();
        QTest::newRow("already cached") << 200 << pngBytes(Qt::red) << true << QColor(Qt::green);
    }
    void avatarFallback()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, cached);
        QFETCH(QColor, expected);

        m_server.addRoute("GET", avatarPath(11), status, body, 0, "image/jpeg");
        answerParticipants(QStringLiteral("1001"), {{11, "Carol Wu", true}});
        rj_app::views::requestParticipants();
        const QString url = api()->getSavedParticipants().value(0).avatarUrl;
        QCOMPARE(url, m_server.baseUrl() + avatarPath(11) + QStringLiteral("?v=") + token());
        if (cached) {
            QPixmap green(8, 8);
            green.fill(Qt::green);
            CUrlPixmap::s_pixmapCache.insert(url, green);
        }
        QSignalSpy finished(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished);

        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        auto *video = child<CAttendeesListview>(w.data(), "listView_video");
        QTRY_VERIFY_WITH_TIMEOUT(allAvatarsShown(video), kWaitMs);
        if (expected.isValid())
            QCOMPARE(avatarOf(video, 0).pixelColor(2, 2), expected);
        else
            QCOMPARE(avatarOf(video, 0), defaultAvatar());
        QCOMPARE(requestsTo(avatarPath(11)), cached ? 0 : 1);
        if (!cached)
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
    }

    // Refreshes while an avatar is still on its way do not queue it again;
    // one person in the meeting from two devices gets the avatar in both rows.
    void avatarAskedOnceWhileDownloading()
    {
        m_server.addRoute("GET", avatarPath(11), 200, pngBytes(Qt::red), 400, "image/jpeg");
        answerParticipants(QStringLiteral("1001"), {{11, "Carol Wu", true}, {11, "Carol Wu", true}});
        rj_app::views::requestParticipants();
        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        auto *video = child<CAttendeesListview>(w.data(), "listView_video");
        QSignalSpy finished(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished);

        QSignalSpy succeeded(api(), &CUCMApiManager::signal_getParticipants_succeed);
        rj_app::views::requestParticipants();
        rj_app::views::requestParticipants();
        QTRY_COMPARE_WITH_TIMEOUT(succeeded.count(), 2, kWaitMs);
        QCOMPARE(names(video), (QStringList{QStringLiteral("Carol Wu"), QStringLiteral("Carol Wu")}));

        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QVERIFY(allAvatarsShown(video));
        QCOMPARE(avatarOf(video, 0).pixelColor(2, 2), QColor(Qt::red));
        QCOMPARE(avatarOf(video, 1).pixelColor(2, 2), QColor(Qt::red));
        QCOMPARE(requestsTo(avatarPath(11)), 1);
    }

    // The window's views own their models: closing the window releases them,
    // and answers or avatars that arrive afterwards find nothing to touch.
    void windowClosedBeforeAnswers()
    {
        m_server.addRoute("GET", avatarPath(11), 200, pngBytes(Qt::red), 300, "image/jpeg");
        answerParticipants(QStringLiteral("1001"), kThree);
        rj_app::views::requestParticipants();
        QSignalSpy finished(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished);

        QPointer<CAttendessWidgets> w(openWindow());
        QPointer<QAbstractItemModel> model = child<CAttendeesListview>(w.data(), "listView_video")->model();
        QPointer<QAbstractItemDelegate> delegate =
            child<CAttendeesListview>(w.data(), "listView_video")->itemDelegate();
        QVERIFY(model && delegate);
        QTest::mouseClick(child<QPushButton>(w.data(), "close"), Qt::LeftButton);
        QTRY_VERIFY(w.isNull());
        QVERIFY(model.isNull());
        QVERIFY(delegate.isNull());

        QSignalSpy succeeded(api(), &CUCMApiManager::signal_getParticipants_succeed);
        rj_app::views::requestParticipants();
        QTRY_COMPARE_WITH_TIMEOUT(succeeded.count(), 1, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, kWaitMs);
    }

    // Tab titles and the title follow the language.
    void languageChangeRetranslates()
    {
        CLinguist *linguist = CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::EN_US);

        answerParticipants(QStringLiteral("1001"), kThree);
        rj_app::views::requestParticipants();
        CAttendeesButton button;
        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);

        linguist->changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(linguist->getLanguage(), CLinguist::ZH_CN);
        QCOMPARE(child<QLabel>(w.data(), "label")->text(), QStringLiteral("参会者"));
        QCOMPARE(tabTexts(w.data()), (QStringList{QStringLiteral("视频(2)"), QStringLiteral("音频(1)")}));
        QCOMPARE(caption(button)->text(), QStringLiteral("参会者"));

        linguist->changeLanguage(CLinguist::EN_US);
        QCOMPARE(child<QLabel>(w.data(), "label")->text(), QStringLiteral("Attendees"));
        QCOMPARE(tabTexts(w.data()), (QStringList{QStringLiteral("Video(2)"), QStringLiteral("Audio(1)")}));
        QCOMPARE(caption(button)->text(), QStringLiteral("Attendees"));
    }

    // The window follows the screen's scale: its size, its rows and tabs.
    void windowScale_data()
    {
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<double>("scale");
        QTest::newRow("100 %") << qreal(96) << 1.0;
        QTest::newRow("150 %") << qreal(144) << 1.5;
        QTest::newRow("200 %") << qreal(192) << 2.0;
    }
    void windowScale()
    {
        QFETCH(qreal, dpi);
        QFETCH(double, scale);
        setScreenDpi(dpi);
        answerParticipants(QStringLiteral("1001"), kThree);
        rj_app::views::requestParticipants();
        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);

        QCOMPARE(w->size(), QSize(int(386 * scale), int(415 * scale)));
        auto *video = child<CAttendeesListview>(w.data(), "listView_video");
        const QRect firstRow = video->visualRect(video->model()->index(0, 0));
        QCOMPARE(firstRow.height(), int(40 * scale));
        QCOMPARE(firstRow.width(), video->viewport()->width());
        QCOMPARE(static_cast<CAttendeesDelegate *>(video->itemDelegate())->scale(), scale);
        auto *tabBar = child<QTabWidget>(w.data(), "tabWidget")->tabBar();
        QCOMPARE(tabBar->tabRect(0).size(), QSize(int(120 * scale), int(40 * scale)));
        QCOMPARE(child<QPushButton>(w.data(), "close")->size(), QSize(int(28 * scale), int(28 * scale)));
    }

    // The title bar drags the window; the rest of the window does not.
    void dragByTitle()
    {
        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        const QPoint start = w->pos();

        const QPoint inTitle = child<QLabel>(w.data(), "label")->mapToGlobal(QPoint(5, 5));
        sendMouse(w.data(), QEvent::MouseButtonPress, inTitle, Qt::LeftButton, Qt::LeftButton);
        sendMouse(w.data(), QEvent::MouseMove, inTitle + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
        sendMouse(w.data(), QEvent::MouseMove, inTitle + QPoint(40, 25), Qt::NoButton, Qt::LeftButton);
        sendMouse(w.data(), QEvent::MouseButtonRelease, inTitle + QPoint(40, 25), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(w->pos(), start + QPoint(40, 25));

        const QPoint moved = w->pos();
        const QPoint inBody = w->mapToGlobal(QPoint(w->width() / 2, w->height() - 5));
        sendMouse(w.data(), QEvent::MouseButtonPress, inBody, Qt::LeftButton, Qt::LeftButton);
        sendMouse(w.data(), QEvent::MouseMove, inBody + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
        sendMouse(w.data(), QEvent::MouseButtonRelease, inBody + QPoint(30, 20), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(w->pos(), moved);
    }

    // ------------------------------------------------------------- button

    // The count of the answer beside the icon, in white; none hides the button.
    void buttonShowsCount_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("visible");
        QTest::newRow("three") << participantsJson(kThree) << "3" << true;
        QTest::newRow("one") << participantsJson({{13, "Erin Park", false}}) << "1" << true;
        QTest::newRow("empty list") << QByteArray("[]") << "0" << false;
    }
    void buttonShowsCount()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, shown);
        QFETCH(bool, visible);

        m_server.addRoute("GET", participantsPath(QStringLiteral("1001")), 200, answer);
        CAttendeesButton button;
        QVERIFY(!button.isVisible());
        button.setShowAllowed(true);
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QEvent leave(QEvent::Leave); // the toolbar's dark background
        QCoreApplication::sendEvent(&button, &leave);
        QCOMPARE(whitePixelsRightOfIcon(&button), 0);
        QSignalSpy clicked(&button, &CAttendeesButton::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::RightButton);
        QCOMPARE(clicked.count(), 1);

        QSignalSpy succeeded(api(), &CUCMApiManager::signal_getParticipants_succeed);
        button.startRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(succeeded.count(), 1, kWaitMs);
        QCOMPARE(requestsTo(participantsPath(QStringLiteral("1001"))), 1);
        QCoreApplication::processEvents();
        QCOMPARE(button.isVisible(), visible);
        QCOMPARE(number(button), shown);
        if (visible)
            QVERIFY(whitePixelsRightOfIcon(&button) > 0);
        QVERIFY(refreshTimer(button).isActive());
        QCOMPARE(refreshTimer(button).interval(), 10000);

        button.stopRefresh();
        QVERIFY(!refreshTimer(button).isActive());
    }

    // The button shows only while its owner allows it (the toolbar does not
    // while the management button takes its place), and then only when the
    // last answer listed someone.
    void buttonFollowsOwner_data()
    {
        QTest::addColumn<bool>("allowedBefore");
        QTest::addColumn<int>("listed");
        QTest::addColumn<int>("allowedAfter"); // -1: no change after the answer
        QTest::addColumn<bool>("visible");
        QTest::newRow("not allowed, three listed") << false << 3 << -1 << false;
        QTest::newRow("allowed, three listed") << true << 3 << -1 << true;
        QTest::newRow("allowed, nobody listed") << true << 0 << -1 << false;
        QTest::newRow("allowed, then taken away") << true << 3 << 0 << false;
        QTest::newRow("allowed after the answer") << false << 3 << 1 << true;
        QTest::newRow("allowed after an empty answer") << false << 0 << 1 << false;
    }
    void buttonFollowsOwner()
    {
        QFETCH(bool, allowedBefore);
        QFETCH(int, listed);
        QFETCH(int, allowedAfter);
        QFETCH(bool, visible);
        answerParticipants(QStringLiteral("1001"), kThree.mid(0, listed));
        QWidget toolbar;
        auto *button = new CAttendeesButton(&toolbar);
        toolbar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
        QVERIFY(!button->isVisible());
        button->setShowAllowed(allowedBefore);
        QCOMPARE(button->isShowAllowed(), allowedBefore);
        QSignalSpy succeeded(api(), &CUCMApiManager::signal_getParticipants_succeed);
        button->startRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(succeeded.count(), 1, kWaitMs);
        QCoreApplication::processEvents();
        if (allowedAfter >= 0)
            button->setShowAllowed(allowedAfter == 1);
        QCOMPARE(button->isVisible(), visible);
        QCOMPARE(number(*button), QString::number(listed));
        button->stopRefresh();
    }

    // The toolbar starts the refresh from its call-status slot. The
    // receivers connected after it (the layout engine, the call window)
    // still get the statuses in the order they happened, also when the
    // call ends while the participants are asked for.
    void laterReceiversSeeStatusesInOrder()
    {
        answerParticipants(QStringLiteral("1001"), kThree, 500);
        CAttendeesButton button;
        bool farEndLeft = false;
        QList<int> seen;
        const QMetaObject::Connection toolbar = connect(
            c(), &CCallController::sigCallStatusChanged, &button, [&button, &farEndLeft](CallStatus status) {
                if (status == ConfConnected && !farEndLeft) {
                    farEndLeft = true;
                    rjsim_command("remote-end 0");
                    button.startRefresh();
                } else if (status == ConfEnded) {
                    button.stopRefresh();
                }
            });
        const QMetaObject::Connection later = connect(
            c(), &CCallController::sigCallStatusChanged, this, [&seen](CallStatus status) { seen << int(status); });
        const auto disconnectBoth = qScopeGuard([toolbar, later] {
            QObject::disconnect(toolbar);
            QObject::disconnect(later);
        });

        c()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QTRY_VERIFY_WITH_TIMEOUT(seen.contains(ConfEnded), kWaitMs);
        QCOMPARE(seen, (QList<int>{ConfDialing, ConfConnected, ConfEnded}));
        QVERIFY(!refreshTimer(button).isActive());
    }

    // Every 10 seconds while refreshing, a new list replaces the old one on
    // the button and in an open window.
    void refreshReplacesList()
    {
        answerParticipants(QStringLiteral("1001"), kThree);
        CAttendeesButton button;
        button.setShowAllowed(true);
        button.startRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(number(button), QStringLiteral("3"), kWaitMs);
        QVERIFY(button.isVisible());
        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(tabTexts(w.data()), (QStringList{QStringLiteral("Video(2)"), QStringLiteral("Audio(1)")}));

        answerParticipants(QStringLiteral("1001"), {{11, "Carol Wu", true}, {15, "Grace Ho", false}});
        refreshTimer(button).setInterval(20); // the test's clock
        QTRY_VERIFY_WITH_TIMEOUT(requestsTo(participantsPath(QStringLiteral("1001"))) >= 2, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(number(button), QStringLiteral("2"), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(tabTexts(w.data()),
                                  (QStringList{QStringLiteral("Video(1)"), QStringLiteral("Audio(1)")}), kWaitMs);
        QCOMPARE(names(child<CAttendeesListview>(w.data(), "listView_video")), QStringList{QStringLiteral("Carol Wu")});
        QCOMPARE(names(child<CAttendeesListview>(w.data(), "listView_audio")), QStringList{QStringLiteral("Grace Ho")});

        // Everyone left but the server still answers: the button hides, the
        // window empties.
        m_server.addRoute("GET", participantsPath(QStringLiteral("1001")), 200, "[]");
        QTRY_VERIFY_WITH_TIMEOUT(!button.isVisible(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(tabTexts(w.data()),
                                  (QStringList{QStringLiteral("Video(0)"), QStringLiteral("Audio(0)")}), kWaitMs);
        button.stopRefresh();
        QVERIFY(!refreshTimer(button).isActive());
        // An empty window (a new opening) lists nobody either.
        QScopedPointer<CAttendessWidgets> again(openWindow());
        again->setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(tabTexts(again.data()), (QStringList{QStringLiteral("Video(0)"), QStringLiteral("Audio(0)")}));
    }

    // A new login token asks again while refreshing, not otherwise.
    void tokenChangeRefreshesWhileRefreshing()
    {
        answerParticipants(QStringLiteral("1001"), kThree);
        CAttendeesButton button;
        button.startRefresh();
        const QString path = participantsPath(QStringLiteral("1001"));
        QTRY_COMPARE_WITH_TIMEOUT(requestsTo(path), 1, kWaitMs);
        emit login()->sigLoginTokenChanged();
        QCOMPARE(requestsTo(path), 2);
        button.stopRefresh();
        emit login()->sigLoginTokenChanged();
        QCOMPARE(requestsTo(path), 2);
    }

    // After a failed token renewal the refresh stops asking; the next
    // token asks again.
    void refusedTokenPausesRefresh()
    {
        answerParticipants(QStringLiteral("1001"), kThree);
        const QString path = participantsPath(QStringLiteral("1001"));
        CAttendeesButton button;
        button.startRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(requestsTo(path), 1, kWaitMs);

        // Two renewals within the minute: the second one fails.
        login()->setClock([] { return qint64(0); });
        login()->updateLoginToken(false);
        login()->updateLoginToken(false);
        QVERIFY(login()->isTokenRefused());
        const int asked = requestsTo(path);
        refreshTimer(button).setInterval(20); // the test's clock
        QTest::qWait(300);
        QCOMPARE(requestsTo(path), asked);

        login()->clearTokenRefused();
        emit login()->sigLoginTokenChanged();
        QVERIFY(requestsTo(path) > asked);
        // ... and so does each period again.
        QTRY_VERIFY_WITH_TIMEOUT(requestsTo(path) > asked + 2, kWaitMs);
        button.stopRefresh();
        login()->setClock({});
    }

    // A failed refresh shows nothing: the button and an open window keep
    // the last list.
    void failedRefreshKeepsState_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("delayMs");
        QTest::newRow("server error") << 200 << QByteArray(R"({"errorCode":1010})") << 0;
        QTest::newRow("object without code") << 200 << QByteArray(R"({"errorInfo":"busy"})") << 0;
        QTest::newRow("not JSON") << 500 << QByteArray("Internal Server Error") << 0;
        QTest::newRow("no answer") << 200 << participantsJson({{11, "Carol Wu", true}}) << 2000;
    }
    void failedRefreshKeepsState()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, delayMs);

        answerParticipants(QStringLiteral("1001"), kThree);
        CAttendeesButton button;
        button.setShowAllowed(true);
        button.startRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(number(button), QStringLiteral("3"), kWaitMs);
        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        auto *video = child<CAttendeesListview>(w.data(), "listView_video");
        QCOMPARE(video->model()->rowCount(), 2);

        api()->setRequestTimeout(300);
        m_server.addRoute("GET", participantsPath(QStringLiteral("1001")), status, body, delayMs);
        QSignalSpy succeeded(api(), &CUCMApiManager::signal_getParticipants_succeed);
        button.slot_timeout();
        QCOMPARE(requestsTo(participantsPath(QStringLiteral("1001"))), 2);
        QCoreApplication::processEvents();
        QCOMPARE(succeeded.count(), 0);
        QVERIFY(button.isVisible());
        QCOMPARE(number(button), QStringLiteral("3"));
        QCOMPARE(names(video), (QStringList{QStringLiteral("Carol Wu"), QStringLiteral("Dave Li")}));
        QCOMPARE(tabTexts(w.data()), (QStringList{QStringLiteral("Video(2)"), QStringLiteral("Audio(1)")}));
        button.stopRefresh();
    }

    // In the next meeting the button and the window show no one until the
    // server has answered for that meeting.
    void newMeetingShowsNoPreviousPeople()
    {
        answerParticipants(QStringLiteral("1001"), kThree);
        CAttendeesButton button;
        button.startRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(number(button), QStringLiteral("3"), kWaitMs);
        button.stopRefresh();

        c()->setPureConfNumber(QStringLiteral("1002"));
        m_server.addRoute("GET", participantsPath(QStringLiteral("1002")), 200, R"({"errorCode":3010})");
        button.startRefresh();
        QCOMPARE(number(button), QStringLiteral("0"));
        QTRY_COMPARE_WITH_TIMEOUT(requestsTo(participantsPath(QStringLiteral("1002"))), 1, kWaitMs);
        QCOMPARE(number(button), QStringLiteral("0"));
        QScopedPointer<CAttendessWidgets> w(openWindow());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(tabTexts(w.data()), (QStringList{QStringLiteral("Video(0)"), QStringLiteral("Audio(0)")}));

        answerParticipants(QStringLiteral("1002"), {{12, "Dave Li", true}});
        button.slot_timeout();
        QTRY_COMPARE_WITH_TIMEOUT(number(button), QStringLiteral("1"), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(names(child<CAttendeesListview>(w.data(), "listView_video")),
                                  QStringList{QStringLiteral("Dave Li")}, kWaitMs);
        button.stopRefresh();
    }

    // A "ROZ" server or a skipped login: no request, no timer.
    void noRefreshWithoutOwnServer_data()
    {
        QTest::addColumn<QString>("serverType");
        QTest::addColumn<int>("loginStatus");
        QTest::newRow("ROZ server") << "ROZ" << int(LoggedIn);
        QTest::newRow("skipped login") << "ZOV" << int(AnonymousLoggedIn);
    }
    void noRefreshWithoutOwnServer()
    {
        QFETCH(QString, serverType);
        QFETCH(int, loginStatus);
        const std::string savedType = login()->m_userInfo.appServerType;
        auto restore = qScopeGuard([this, savedType] {
            login()->m_userInfo.appServerType = savedType;
            login()->m_loginStatus = LoggedIn;
        });
        login()->m_userInfo.appServerType = serverType.toStdString();
        login()->m_loginStatus = LoginStatus(loginStatus);

        answerParticipants(QStringLiteral("1001"), kThree);
        CAttendeesButton button;
        button.startRefresh();
        QCoreApplication::processEvents();
        QCOMPARE(requestsTo(participantsPath(QStringLiteral("1001"))), 0);
        QVERIFY(!refreshTimer(button).isActive());
    }

    // The request waits for its answer while events run: the button may be
    // deleted, or the call end, before it returns.
    void goneOrStoppedDuringRequest_data()
    {
        QTest::addColumn<bool>("deleteButton");
        QTest::newRow("button deleted") << true;
        QTest::newRow("refresh stopped") << false;
    }
    void goneOrStoppedDuringRequest()
    {
        QFETCH(bool, deleteButton);
        answerParticipants(QStringLiteral("1001"), kThree, 300);
        auto *button = new CAttendeesButton;
        QPointer<CAttendeesButton> alive(button);
        QTimer::singleShot(50, button, [button, deleteButton] {
            if (deleteButton)
                delete button;
            else
                button->stopRefresh();
        });
        button->startRefresh();
        QCOMPARE(requestsTo(participantsPath(QStringLiteral("1001"))), 0); // sent from the event loop
        QTRY_COMPARE_WITH_TIMEOUT(requestsTo(participantsPath(QStringLiteral("1001"))), 1, kWaitMs);
        if (deleteButton) {
            QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), kWaitMs);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!refreshTimer(*button).isActive(), kWaitMs);
            delete button;
        }
    }

    // The button's look follows the toolbar's scale.
    void buttonScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("fontSize");
        QTest::newRow("1") << 1.0 << 12;
        QTest::newRow("1.25") << 1.25 << 18;
        QTest::newRow("1.5") << 1.5 << 18;
        QTest::newRow("2") << 2.0 << 24;
        QTest::newRow("not positive counts as 1") << 0.0 << 12;
    }
    void buttonScale()
    {
        QFETCH(double, scale);
        QFETCH(int, fontSize);
        CAttendeesButton button;
        QCOMPARE(button.size(), QSize(88, 60));
        button.setScale(scale);
        const double s = scale > 0 ? scale : 1.0;
        QCOMPARE(caption(button)->size(), QSize(int(88 * s), int(20 * s)));
        QCOMPARE(caption(button)->styleSheet(), QStringLiteral("color: #fff; font-size: %1px;").arg(fontSize));
        const int iconSide = fontSize == 12 ? 28 : fontSize == 18 ? 42 : 56;
        QCOMPARE(icon(button).size(), QSize(iconSide, iconSide));
    }

    // ------------------------------------------------------------- model

    void modelRolesAndFilter()
    {
        CAttendeesListmodel model;
        model.setAudioFilter(1);
        AttendeeItem withVideo{QStringLiteral("Carol Wu"), 0, 11, QPixmap(), QString()};
        AttendeeItem audioOnly{QStringLiteral("Erin Park"), 1, 13, QPixmap(), QString()};
        model.addItem(withVideo);
        model.addItem(audioOnly);
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex row = model.index(0);
        QCOMPARE(row.data(CAttendeesListmodel::NameRole).toString(), QStringLiteral("Erin Park"));
        QCOMPARE(row.data(CAttendeesListmodel::IsAudioRole).toInt(), 1);
        QCOMPARE(row.data(CAttendeesListmodel::UserIdRole).toInt(), 13);
        QVERIFY(row.data(CAttendeesListmodel::AvatarRole).value<QPixmap>().isNull());
        QVERIFY(!row.data(Qt::UserRole + 99).isValid());
        QVERIFY(!model.data(model.index(1), CAttendeesListmodel::NameRole).isValid());
        QVERIFY(!model.data(QModelIndex(), CAttendeesListmodel::NameRole).isValid());
        QCOMPARE(model.flags(row), Qt::NoItemFlags);

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(row, QStringLiteral("Erin P."), CAttendeesListmodel::NameRole));
        QCOMPARE(row.data(CAttendeesListmodel::NameRole).toString(), QStringLiteral("Erin P."));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!model.setData(row, QStringLiteral("x"), Qt::DisplayRole));
        QVERIFY(!model.setData(model.index(3), QStringLiteral("x"), CAttendeesListmodel::NameRole));
        QCOMPARE(changed.count(), 1);

        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }

    // ------------------------------------------------------ end to end

    // In a meeting dialled through the engine the button asks for that
    // meeting's participants with the signed-in user's token.
    void connectedMeetingIsAsked()
    {
        c()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(c()->getPureConfNumber(), QStringLiteral("1001"));
        answerParticipants(QStringLiteral("1001"), kThree);
        CAttendeesButton button;
        button.startRefresh();
        QTRY_COMPARE_WITH_TIMEOUT(requestsTo(participantsPath(QStringLiteral("1001"))), 1, kWaitMs);
        const auto sent = requestsOf(participantsPath(QStringLiteral("1001")));
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.at(0).method, QByteArray("GET"));
        QCOMPARE(sent.at(0).query.queryItemValue(QStringLiteral("token")), token());
        QTRY_COMPARE_WITH_TIMEOUT(number(button), QStringLiteral("3"), kWaitMs);
        button.stopRefresh();
        endCall();
    }
};

GLIMORA_TEST_MAIN(TestAttendees)
#include "tst_attendees.moc"
