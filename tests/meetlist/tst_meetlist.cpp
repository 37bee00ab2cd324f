// The meetings tab's pages: the meeting list (rows, pills and the buttons that
// a meeting's type and ownership allow, clicks, refreshes and rebuilds, row
// widgets made as rows come into view, scale and language), the details page
// (values, actions by type and ownership, signals) and the participant grid
// (geometry, clicks, users from the directory and avatars served by the
// loopback fixture). Times are checked in a zone east of UTC so
// that a start or a duration read in the wrong zone shows.

#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CUCMApiManager.h"
#include "models/CUrlPixmap.h"
#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/CConferencesDelegate.h"
#include "views/meetings/CConferencesDetailPage.h"
#include "views/meetings/CConferencesListWidget.h"
#include "views/meetings/CConferencesMainPage.h"
#include "views/meetings/CConferencesMyroomPage.h"
#include "views/meetings/CConferencesTablemodel.h"
#include "views/meetings/CConferencesToolBtn.h"
#include "views/meetings/CConferencestableview.h"
#include "views/meetings/ConferenceType.h"
#include "views/framework/CScaleRule.h"

#include <QBuffer>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QToolButton>

#include <climits>
#include <ctime>
#include <memory>

using glimora::test::HttpFixtureServer;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CUCMApiManager;
using rj_app::models::CUrlPixmap;

namespace {

constexpr int kWaitMs = 10000;
constexpr int kMe = 11;          // the signed-in user
constexpr int kOther = 12;
const char *const kToken = "sim-alice-1";

// The children of a row, in the order the row creates them.
struct Row
{
    CConferenceItemWidget *widget = nullptr;
    QLabel *pill = nullptr, *title = nullptr, *timeCaption = nullptr, *time = nullptr, *idCaption = nullptr,
           *id = nullptr, *applicantCaption = nullptr, *applicant = nullptr;
    QPushButton *join = nullptr, *end = nullptr, *edit = nullptr, *remove = nullptr;

    explicit Row(CConferenceItemWidget *w)
        : widget(w)
    {
        if (!w)
            return;
        const auto labels = w->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
        const auto buttons = w->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
        if (labels.size() != 8 || buttons.size() != 4)
            return;
        pill = labels[0], title = labels[1], timeCaption = labels[2], time = labels[3];
        idCaption = labels[4], id = labels[5], applicantCaption = labels[6], applicant = labels[7];
        join = buttons[0], end = buttons[1], edit = buttons[2], remove = buttons[3];
    }
    bool complete() const { return remove != nullptr; }
    // "J E Ed D" of the buttons shown, e.g. "JE".
    QString shownButtons() const
    {
        QString shown;
        if (!join->isHidden())
            shown += QLatin1Char('J');
        if (!end->isHidden())
            shown += QLatin1Char('E');
        if (!edit->isHidden())
            shown += QLatin1String("Ed");
        if (!remove->isHidden())
            shown += QLatin1Char('D');
        return shown;
    }
};

ucmconferenceData meeting(int id, const QString &name, int number, const QString &status, int applicantId,
                          qint64 start = 1700000000000LL)
{
    ucmconferenceData m;
    m.id = id;
    m.name = name;
    m.numericId = number;
    m.status = status;
    m.applicantId = applicantId;
    m.applicantDisplayName = applicantId == kMe ? QStringLiteral("Alice Chen") : QStringLiteral("Carol Wu");
    m.startTime = start;
    m.duration = 3600000;
    return m;
}

QByteArray pngBytes(int w, int h, Qt::GlobalColor colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return data;
}

// The colour a row's pill is painted in, read left of its text.
QColor pillColour(QLabel *pill)
{
    const QImage image = pill->grab().toImage();
    return image.pixelColor(2, image.height() / 2);
}

// Whether `widget` shows the picture at `path` at the picture's own size:
// every fully opaque pixel of the picture is painted as it is.
bool showsPicture(QWidget *widget, const QString &path)
{
    const QImage expected = QImage(path).convertToFormat(QImage::Format_ARGB32);
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (expected.isNull() || shown.size() != expected.size())
        return false;
    int opaque = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            if (qAlpha(want) != 255)
                continue;
            ++opaque;
            const QRgb got = shown.pixel(x, y);
            if (qAbs(qRed(got) - qRed(want)) > 2 || qAbs(qGreen(got) - qGreen(want)) > 2 ||
                qAbs(qBlue(got) - qBlue(want)) > 2)
                return false;
        }
    }
    return opaque > 0;
}

template<typename T>
T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

} // namespace

class TestMeetList : public QObject
{
    Q_OBJECT

    std::unique_ptr<HttpFixtureServer> m_server;

    // Loads the user directory of the REST client from the fixture: users 1 to
    // `count` with pictures "/avatars/<id>.png" (user 3 without a picture on
    // the server, user 4 without a picture address at all).
    bool loadUsers(int count)
    {
        QJsonArray users;
        for (int id = 1; id <= count; ++id) {
            QJsonObject user{{QStringLiteral("id"), id},
                             {QStringLiteral("displayName"), QStringLiteral("User %1").arg(id)}};
            if (id != 4)
                user.insert(QStringLiteral("imageURL"), QStringLiteral("/avatars/%1.png").arg(id));
            users.append(user);
        }
        m_server->addRoute("GET", QStringLiteral("/api/rest/v2.0/users"), 200,
                           QJsonDocument(users).toJson(QJsonDocument::Compact));
        CUCMApiManager *api = CUCMApiManager::getInstance();
        api->getUsers(m_server->baseUrl(), QLatin1String(kToken));
        return api->getSavedUsers().size() == count;
    }

    static QString avatarUrl(HttpFixtureServer *server, int id)
    {
        return server->baseUrl() + QStringLiteral("/avatars/%1.png").arg(id);
    }

private slots:
    void initTestCase()
    {
        // East of UTC, without daylight saving: a start read as UTC or a
        // duration read as a local time is eight hours off.
        qputenv("TZ", "CST-8");
        tzset();
        CLoginManager::getInstance()->m_userInfo.userId = kMe;
    }

    void init()
    {
        CUrlPixmap::s_pixmapCache.clear();
        m_server = std::make_unique<HttpFixtureServer>();
        QVERIFY(m_server->start());
        for (int id = 1; id <= 20; ++id) {
            if (id == 3)
                continue;   // no picture on the server: 404
            m_server->addRoute("GET", QStringLiteral("/avatars/%1.png").arg(id), 200,
                               pngBytes(10 + id, 10 + id, Qt::red), 0, "image/png");
        }
    }

    void cleanup()
    {
        // Downloads still under way report to nobody once the grids are gone.
        QTest::qWait(0);
        m_server.reset();
    }

    // ------------------------------------------------------------- type rule

    void typeRule_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("type");
        QTest::newRow("first room, ongoing") << 8201000 << "ONGOING" << int(Fixed);
        QTest::newRow("last room, scheduled") << 8209999 << "" << int(Fixed);
        QTest::newRow("below rooms, ongoing") << 8200999 << "ONGOING" << int(Ongoing);
        QTest::newRow("above rooms, launching") << 8210000 << "LAUNCHING" << int(Ongoing);
        QTest::newRow("lower-case status") << 1001 << "ongoing" << int(Schedule);
        QTest::newRow("empty status") << 1001 << "" << int(Schedule);
        QTest::newRow("other status") << 1005 << "SCHEDULED" << int(Schedule);
        QTest::newRow("most negative number") << INT_MIN << "ONGOING" << int(Ongoing);
        QTest::newRow("largest number") << INT_MAX << "" << int(Schedule);
    }
    void typeRule()
    {
        QFETCH(int, number);
        QFETCH(QString, status);
        QFETCH(int, type);
        ucmconferenceData m;
        m.numericId = number;
        m.status = status;
        QCOMPARE(int(conferenceTypeOf(m)), type);
    }

    // ------------------------------------------------------------ list rows

    void rowShowsTypeAndAllowedButtons_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("applicant");
        QTest::addColumn<QString>("pill");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QString>("start");
        // 1700000000000 ms is 2023-11-14 22:13:20 UTC, 06:13 the next day at UTC+8.
        QTest::newRow("own scheduled") << 1005 << "" << kMe << "Schedule" << "#4381ff" << "EdD"
                                       << "2023/11/15 06:13";
        QTest::newRow("other's scheduled") << 1009 << "" << kOther << "Schedule" << "#4381ff" << ""
                                           << "2023/11/15 06:13";
        QTest::newRow("own ongoing") << 1001 << "ONGOING" << kMe << "Ongoing" << "#28c983" << "JE"
                                     << "2023/11/15 06:13";
        QTest::newRow("other's launching") << 1003 << "LAUNCHING" << kOther << "Ongoing" << "#28c983" << "J"
                                           << "2023/11/15 06:13";
        QTest::newRow("own room") << 8201001 << "ONGOING" << kMe << "Fixed" << "#ff9932" << "J" << "";
        QTest::newRow("other's room") << 8209999 << "" << kOther << "Fixed" << "#ff9932" << "J" << "";
    }
    void rowShowsTypeAndAllowedButtons()
    {
        QFETCH(int, number);
        QFETCH(QString, status);
        QFETCH(int, applicant);
        QFETCH(QString, pill);
        QFETCH(QString, colour);
        QFETCH(QString, buttons);
        QFETCH(QString, start);

        CConferencesMainPage page(nullptr);
        page.updateDpi(1);
        page.setConferences({meeting(7, QStringLiteral("Weekly sync"), number, status, applicant)});
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.listWidget()->count(), 1);
        Row row(page.listWidget()->itemWidgetAt(0));
        QVERIFY(row.complete());
        QCOMPARE(row.pill->text(), pill);
        QCOMPARE(pillColour(row.pill), QColor(colour));
        QCOMPARE(row.title->text(), QStringLiteral("Weekly sync"));
        QCOMPARE(row.time->text(), start);
        QCOMPARE(row.id->text(), QString::number(number));
        QCOMPARE(row.applicant->text(), applicant == kMe ? QStringLiteral("Alice Chen") : QStringLiteral("Carol Wu"));
        QCOMPARE(row.timeCaption->text(), QStringLiteral("Time:"));
        QCOMPARE(row.idCaption->text(), QStringLiteral("Meeting ID:"));
        QCOMPARE(row.applicantCaption->text(), QStringLiteral("Applicant:"));
        QCOMPARE(row.shownButtons(), buttons);
        QCOMPARE(row.widget->data().notOwner, applicant != kMe);
        QCOMPARE(row.widget->data().conference.id, 7);
    }

    // The list as the REST client keeps it, malformed entries included: rows in
    // the same order, records without fields shown blank rather than failing.
    void listFromServerKeepsOrderAndToleratesMissingFields()
    {
        const QByteArray body =
            "["
            "{\"id\":1,\"name\":\"Alice's room\",\"numericId\":8201001,\"status\":\"ONGOING\","
            "\"applicant\":{\"id\":11,\"displayName\":\"Alice Chen\"}},"
            "{\"id\":2,\"name\":\"Weekly sync\",\"numericId\":1001,\"status\":\"ONGOING\",\"startTime\":0,"
            "\"applicant\":{\"id\":11,\"displayName\":\"Alice Chen\"},\"users\":[{\"id\":1},{\"id\":2}]},"
            "{\"id\":3,\"name\":\"<b>All hands</b>\",\"numericId\":1003,\"status\":\"LAUNCHING\","
            "\"applicant\":{\"id\":12,\"displayName\":\"Carol Wu\"}},"
            "\"not a meeting\","
            "{},"
            "{\"id\":\"x\",\"name\":7,\"numericId\":\"1005\",\"status\":null,\"startTime\":\"soon\",\"applicant\":\"Carol\","
            "\"users\":\"all\"}"
            "]";
        m_server->addRoute("GET", QStringLiteral("/api/rest/v2.0/meetings"), 200, body);
        CUCMApiManager *api = CUCMApiManager::getInstance();
        api->getConferences(m_server->baseUrl(), QLatin1String(kToken));
        QCOMPARE(api->getSavedConferences().size(), 5);

        CConferencesMainPage page(nullptr);
        page.updateDpi(1);
        page.setConferences(api->getSavedConferences());
        CConferencesListWidget *list = page.listWidget();
        QCOMPARE(list->count(), 5);

        const QStringList titles{QStringLiteral("Alice's room"), QStringLiteral("Weekly sync"),
                                 QStringLiteral("<b>All hands</b>"), QString(), QString()};
        const QStringList shown{QStringLiteral("J"), QStringLiteral("JE"), QStringLiteral("J"), QString(), QString()};
        for (int i = 0; i < list->count(); ++i) {
            Row row(list->itemWidgetAt(i));
            QVERIFY(row.complete());
            QCOMPARE(row.title->text(), titles[i]);
            QCOMPARE(row.shownButtons(), shown[i]);
            QCOMPARE(row.widget->data().conference.id, api->getSavedConferences().at(i).id);
        }
        // Server text is never taken as markup.
        QCOMPARE(Row(list->itemWidgetAt(2)).title->textFormat(), Qt::PlainText);
        // A start of 0 is the epoch in local time; an empty record shows zeros.
        QCOMPARE(Row(list->itemWidgetAt(1)).time->text(), QStringLiteral("1970/01/01 08:00"));
        Row empty(list->itemWidgetAt(3));
        QCOMPARE(empty.pill->text(), QStringLiteral("Schedule"));
        QCOMPARE(empty.id->text(), QStringLiteral("0"));
        QCOMPARE(empty.applicant->text(), QString());
    }

    void emptyListKeepsRoomRowAndRebuildReplacesRows()
    {
        CConferencesMainPage page(nullptr);
        page.updateDpi(1);
        page.setRoomNumber(QStringLiteral("8201001"));
        page.setConferences({meeting(1, QStringLiteral("a"), 1001, QStringLiteral("ONGOING"), kMe),
                             meeting(2, QStringLiteral("b"), 1002, QString(), kMe)});
        QCOMPARE(page.listWidget()->count(), 2);
        QPointer<CConferenceItemWidget> old = page.listWidget()->itemWidgetAt(0);

        page.setConferences({meeting(3, QStringLiteral("c"), 1003, QString(), kOther)});
        QCOMPARE(page.listWidget()->count(), 1);
        QCOMPARE(Row(page.listWidget()->itemWidgetAt(0)).title->text(), QStringLiteral("c"));
        QTRY_VERIFY(old.isNull());

        page.setConferences({});
        QCOMPARE(page.listWidget()->count(), 0);
        QVERIFY(!child<QWidget>(&page, "myroomitem_widget")->isHidden());
        QCOMPARE(child<QLabel>(&page, "label_meetingid_value")->text(), QStringLiteral("8201001"));

        // Unknown or null widgets have no row.
        QCOMPARE(page.listWidget()->indexOfItemWidget(nullptr), -1);
        QWidget stranger;
        QCOMPARE(page.listWidget()->indexOfItemWidget(&stranger), -1);
    }

    // A refresh brings the list again, the same or changed. Whether the rows
    // were updated in place or built afresh, every row shows the meeting at
    // its position in the new list (title, number, type, colour, buttons) and
    // a click on it or on its button reports that position. In every case
    // but the first, each meeting also turns from scheduled to running or
    // back, so a row left with its old meeting or type shows.
    void refreshShowsAndActsOnTheRightMeeting_data()
    {
        QTest::addColumn<QList<int>>("before");   // meeting ids, in list order
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<bool>("statusChanges");
        const QList<int> four{1, 2, 3, 4};
        QList<int> twenty, twentyNew;
        for (int id = 1; id <= 20; ++id) {
            twenty << id;
            twentyNew << 100 + id;
        }
        QTest::newRow("same meetings, unchanged") << four << four << false;
        QTest::newRow("same meetings, status changed") << four << four << true;
        QTest::newRow("first gone") << four << QList<int>{2, 3, 4} << true;
        QTest::newRow("one gone in the middle") << four << QList<int>{1, 3, 4} << true;
        QTest::newRow("new at the top") << four << QList<int>{9, 1, 2, 3, 4} << true;
        QTest::newRow("one gone, one new in its place") << four << QList<int>{1, 9, 3, 4} << true;
        QTest::newRow("new at the end") << four << QList<int>{1, 2, 3, 4, 9} << true;
        QTest::newRow("reordered") << four << QList<int>{4, 1, 2, 3} << true;
        QTest::newRow("the same meeting twice") << four << QList<int>{1, 2, 2, 3} << true;
        QTest::newRow("twenty, all new") << twenty << twentyNew << true;
        QTest::newRow("twenty, one gone from the top") << twenty << twenty.mid(1) << true;
        QTest::newRow("emptied") << four << QList<int>{} << true;
        QTest::newRow("from empty") << QList<int>{} << four << true;
    }
    void refreshShowsAndActsOnTheRightMeeting()
    {
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        QFETCH(bool, statusChanges);
        // Odd ids run before the refresh; after it the even ones, when the
        // status changes. Titles carry the refresh, so a stale text shows.
        const auto meetings = [](const QList<int> &ids, bool evenRun, const char *when) {
            QList<ucmconferenceData> list;
            for (int id : ids)
                list << meeting(id, QStringLiteral("Meeting %1 %2").arg(id).arg(QLatin1String(when)), 1000 + id,
                                (id % 2 == 0) == evenRun ? QStringLiteral("ONGOING") : QString(), kMe);
            return list;
        };
        const QList<ucmconferenceData> shown = meetings(after, statusChanges, "after");

        CConferencesMainPage page(nullptr);
        page.updateDpi(1);
        page.resize(900, 520);
        page.setConferences(meetings(before, false, "before"));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        CConferencesListWidget *list = page.listWidget();
        QCoreApplication::processEvents();

        page.setConferences(shown);
        QCOMPARE(list->count(), shown.size());
        QSignalSpy detail(&page, &CConferencesMainPage::signal_MeetingDetail_clicked);
        QSignalSpy join(&page, &CConferencesMainPage::signal_Join_clicked);
        QSignalSpy edit(&page, &CConferencesMainPage::signal_Edit_clicked);
        for (int i = 0; i < shown.size(); ++i) {
            list->scrollToItem(list->item(i));
            // The widget the list gave the row, not one made on request.
            QTRY_VERIFY(list->itemWidget(list->item(i)));
            Row row(qobject_cast<CConferenceItemWidget *>(list->itemWidget(list->item(i))));
            QVERIFY(row.complete());
            QTRY_VERIFY(row.widget->isVisible());
            QCOMPARE(row.widget->geometry(), list->visualItemRect(list->item(i)));
            const bool running = shown[i].status == QLatin1String("ONGOING");
            QCOMPARE(row.title->text(), shown[i].name);
            QCOMPARE(row.id->text(), QString::number(shown[i].numericId));
            QCOMPARE(row.pill->text(), running ? QStringLiteral("Ongoing") : QStringLiteral("Schedule"));
            QCOMPARE(pillColour(row.pill), running ? QColor(0x28, 0xc9, 0x83) : QColor(0x43, 0x81, 0xff));
            QCOMPARE(row.shownButtons(), running ? QStringLiteral("JE") : QStringLiteral("EdD"));

            QTest::mouseClick(row.widget, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(detail.size(), i + 1);
            QCOMPARE(detail.last().at(0).toInt(), i);
            QSignalSpy &action = running ? join : edit;
            const int actions = action.size();
            QTest::mouseClick(running ? row.join : row.edit, Qt::LeftButton);
            QCOMPARE(action.size(), actions + 1);
            QCOMPARE(action.last().at(0).toInt(), i);
        }
    }

    // Five hundred meetings: only the rows in or near the viewport have
    // widgets. Scrolling gives the rows coming into view theirs, in place and
    // showing their meeting (no blank rows), and takes them from rows far
    // out of view; a click on a row far down, also after a refresh that
    // shifted every row, reports its position.
    void longListGivesWidgetsToRowsInView()
    {
        QList<ucmconferenceData> meetings;
        for (int id = 1; id <= 500; ++id)
            meetings << meeting(id, QStringLiteral("Meeting %1").arg(id), 100000 + id,
                                id % 7 == 0 ? QStringLiteral("ONGOING") : QString(), kMe);
        CConferencesMainPage page(nullptr);
        page.updateDpi(1);
        page.resize(787, 545);
        page.setConferences(meetings);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        CConferencesListWidget *list = page.listWidget();

        const auto placed = [list](int row) {
            return qobject_cast<CConferenceItemWidget *>(list->itemWidget(list->item(row)));
        };
        const auto widgets = [list, &placed] {
            int made = 0;
            for (int row = 0; row < list->count(); ++row)
                made += placed(row) ? 1 : 0;
            return made;
        };
        // The first row in view whose widget is missing, misplaced or shows
        // another meeting than `meetings` has at its position; empty if none.
        const auto rowsInViewWrong = [list, &placed, &meetings] {
            const int top = list->indexAt(QPoint(0, 0)).row();
            const QModelIndex last = list->indexAt(QPoint(0, list->viewport()->height() - 1));
            // Below the last row the viewport may be empty.
            const int bottom = last.isValid() ? last.row() : list->count() - 1;
            if (top < 0)
                return QStringLiteral("no rows in view");
            for (int row = top; row <= bottom; ++row) {
                CConferenceItemWidget *widget = placed(row);
                if (!widget || !widget->isVisible())
                    return QStringLiteral("row %1 has no widget").arg(row);
                if (widget->geometry() != list->visualItemRect(list->item(row)))
                    return QStringLiteral("row %1's widget is elsewhere").arg(row);
                if (Row(widget).title->text() != meetings[row].name)
                    return QStringLiteral("row %1 shows %2").arg(row).arg(Row(widget).title->text());
            }
            return QString();
        };

        QTRY_VERIFY(placed(0));
        QVERIFY2(rowsInViewWrong().isEmpty(), qPrintable(rowsInViewWrong()));
        QVERIFY(widgets() < 30);

        list->scrollToItem(list->item(250), QAbstractItemView::PositionAtCenter);
        QTRY_VERIFY2(rowsInViewWrong().isEmpty(), qPrintable(rowsInViewWrong()));
        list->scrollToBottom();
        QTRY_VERIFY2(rowsInViewWrong().isEmpty(), qPrintable(rowsInViewWrong()));
        QVERIFY(widgets() < 30);
        QTRY_VERIFY(!placed(0));
        // The widgets given up are gone, not left hidden on the viewport.
        QTRY_COMPARE(list->viewport()->findChildren<CConferenceItemWidget *>(QString(), Qt::FindDirectChildrenOnly)
                         .size(),
                     widgets());

        // A widget looked up for a row out of view and then scrolled to is
        // the one shown there.
        QPointer<CConferenceItemWidget> looked = list->itemWidgetAt(100);
        QVERIFY(looked);
        list->scrollToItem(list->item(100));
        QCoreApplication::processEvents();
        QVERIFY(looked);
        QCOMPARE(placed(100), looked.data());
        QVERIFY(looked->isVisible());
        QVERIFY2(rowsInViewWrong().isEmpty(), qPrintable(rowsInViewWrong()));
        list->scrollToBottom();

        QSignalSpy detail(&page, &CConferencesMainPage::signal_MeetingDetail_clicked);
        QTRY_VERIFY(placed(499));
        QTest::mouseClick(placed(499), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(detail.size(), 1);
        QCOMPARE(detail.last().at(0).toInt(), 499);

        // A new meeting at the top moves every row down by one.
        meetings.prepend(meeting(1000, QStringLiteral("Meeting 1000"), 101000, QString(), kMe));
        page.setConferences(meetings);
        QTRY_VERIFY2(rowsInViewWrong().isEmpty(), qPrintable(rowsInViewWrong()));
        list->scrollToBottom();
        QTRY_VERIFY2(rowsInViewWrong().isEmpty(), qPrintable(rowsInViewWrong()));
        QTest::mouseClick(placed(500), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(detail.last().at(0).toInt(), 500);
        QCOMPARE(Row(placed(500)).title->text(), QStringLiteral("Meeting 500"));
    }

    // A row's buttons and the row itself: which page signal, with which row.
    void rowClicksReachPageSignals_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("mouseButton");
        QTest::addColumn<QString>("signal");
        QTest::newRow("left on row") << "row" << int(Qt::LeftButton) << "detail";
        QTest::newRow("right on row") << "row" << int(Qt::RightButton) << "";
        QTest::newRow("middle on row") << "row" << int(Qt::MiddleButton) << "";
        QTest::newRow("join") << "join" << int(Qt::LeftButton) << "join";
        QTest::newRow("end") << "end" << int(Qt::LeftButton) << "delete";
        QTest::newRow("edit") << "edit" << int(Qt::LeftButton) << "edit";
        QTest::newRow("delete") << "remove" << int(Qt::LeftButton) << "deleteEdit";
    }
    void rowClicksReachPageSignals()
    {
        QFETCH(QString, target);
        QFETCH(int, mouseButton);
        QFETCH(QString, signal);

        CConferencesMainPage page(nullptr);
        page.updateDpi(1);
        page.resize(900, 520);
        // Row 1 is an own running meeting (Join, End), row 2 an own scheduled
        // one (Edit, Delete).
        page.setConferences({meeting(1, QStringLiteral("room"), 8201001, QString(), kOther),
                             meeting(2, QStringLiteral("sync"), 1001, QStringLiteral("ONGOING"), kMe),
                             meeting(3, QStringLiteral("plan"), 1005, QString(), kMe)});
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        QSignalSpy detail(&page, &CConferencesMainPage::signal_MeetingDetail_clicked);
        QSignalSpy join(&page, &CConferencesMainPage::signal_Join_clicked);
        QSignalSpy del(&page, &CConferencesMainPage::signal_Delete_clicked);
        QSignalSpy edit(&page, &CConferencesMainPage::signal_Edit_clicked);
        QSignalSpy deleteEdit(&page, &CConferencesMainPage::signal_DeleteEdit_clicked);

        const int rowNumber = (target == QLatin1String("edit") || target == QLatin1String("remove")) ? 2 : 1;
        Row row(page.listWidget()->itemWidgetAt(rowNumber));
        QVERIFY(row.complete());
        QWidget *widget = row.widget;
        QPoint at(2, 2);   // inside the row, outside every child
        if (target == QLatin1String("join"))
            widget = row.join;
        else if (target == QLatin1String("end"))
            widget = row.end;
        else if (target == QLatin1String("edit"))
            widget = row.edit;
        else if (target == QLatin1String("remove"))
            widget = row.remove;
        if (widget != row.widget) {
            QVERIFY(widget->isVisible());
            at = widget->rect().center();
        }
        QTest::mouseClick(widget, Qt::MouseButton(mouseButton), {}, at);

        const QMap<QString, QSignalSpy *> spies{{QStringLiteral("detail"), &detail},
                                                {QStringLiteral("join"), &join},
                                                {QStringLiteral("delete"), &del},
                                                {QStringLiteral("edit"), &edit},
                                                {QStringLiteral("deleteEdit"), &deleteEdit}};
        for (auto it = spies.cbegin(); it != spies.cend(); ++it) {
            const int expected = it.key() == signal ? 1 : 0;
            QVERIFY2(it.value()->count() == expected, qPrintable(it.key()));
            if (expected)
                QCOMPARE(it.value()->at(0).at(0).toInt(), rowNumber);
        }
    }

    void toolBarAndRoomRow_data()
    {
        QTest::addColumn<QString>("room");
        QTest::newRow("room number") << "8201001";
        QTest::newRow("no room number") << "";
    }
    void toolBarAndRoomRow()
    {
        QFETCH(QString, room);
        CConferencesMainPage page(nullptr);
        page.updateDpi(1);
        page.setRoomNumber(room);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        auto *myroom = child<CConferencesToolBtn>(&page, "myroom_widget");
        auto *schedule = child<CConferencesToolBtn>(&page, "schedule_widget");
        auto *joinBtn = child<CConferencesToolBtn>(&page, "join_widget");
        QVERIFY(myroom && schedule && joinBtn);
        QVERIFY(myroom->isHidden());
        QVERIFY(schedule->isVisible() && joinBtn->isVisible());
        QCOMPARE(schedule->caption(), QStringLiteral("Schedule meeting"));
        QCOMPARE(joinBtn->caption(), QStringLiteral("Join meeting"));
        QCOMPARE(child<QLabel>(&page, "myroomtitle_label")->text(), QStringLiteral("My room"));

        QSignalSpy scheduleSpy(&page, &CConferencesMainPage::signal_schedule_clicked);
        QSignalSpy joinSpy(&page, &CConferencesMainPage::signal_join_clicked);
        QSignalSpy roomSpy(&page, &CConferencesMainPage::signal_ConfJoin_clicked);
        QTest::mouseClick(schedule, Qt::RightButton);
        QCOMPARE(scheduleSpy.count(), 0);
        QTest::mouseClick(schedule, Qt::LeftButton);
        QTest::mouseClick(joinBtn, Qt::LeftButton);
        QCOMPARE(scheduleSpy.count(), 1);
        QCOMPARE(joinSpy.count(), 1);

        // Without a personal room the row shows no number and offers no
        // join (which would open the join dialog on the last number dialled).
        const bool hasRoom = !room.isEmpty();
        auto *roomJoin = child<QPushButton>(&page, "pBtn_confjoin");
        QCOMPARE(roomJoin->isVisible(), hasRoom);
        QCOMPARE(child<QLabel>(&page, "label_meetingid")->isVisible(), hasRoom);
        roomJoin->click();
        QCOMPARE(roomSpy.count(), hasRoom ? 1 : 0);
        if (hasRoom)
            QCOMPARE(roomSpy.at(0).at(0).toString(), room);
        QCOMPARE(child<QLabel>(&page, "label_meetingid_value")->text(), room);
        // A user with a room after one without gets the row back.
        page.setRoomNumber(QStringLiteral("8201002"));
        QVERIFY(roomJoin->isVisible());

        // The tool button's caption by type; other types have none.
        CConferencesToolBtn loose;
        loose.setType(0);
        QCOMPARE(loose.caption(), QStringLiteral("My room"));
        loose.setType(7);
        QCOMPARE(loose.caption(), QString());
    }

    void myroomPageJoinsWithItsNumber()
    {
        CConferencesMyroomPage page(nullptr);
        page.updateDpi(0);
        QCOMPARE(page.fStretchFactor, 1.0);
        page.setRoomNumber(QStringLiteral("8201001"));
        QCOMPARE(child<QLabel>(&page, "label_meetingid_value")->text(), QStringLiteral("8201001"));
        QCOMPARE(child<QLabel>(&page, "label_meetingid")->text(), QStringLiteral("Meeting ID"));
        QSignalSpy back(&page, &CConferencesMyroomPage::signal_back_clicked);
        QSignalSpy joinSpy(&page, &CConferencesMyroomPage::signal_ConfJoin_clicked);
        child<QToolButton>(&page, "back_Btn")->click();
        child<QPushButton>(&page, "pBtn_confjoin")->click();
        QCOMPARE(back.count(), 1);
        QCOMPARE(joinSpy.count(), 1);
        QCOMPARE(joinSpy.at(0).at(0).toString(), QStringLiteral("8201001"));
    }

    // ------------------------------------------------------------- scaling

    void scaleSetsSizesAndPictures_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("stored");
        QTest::addColumn<int>("pillFont");
        QTest::addColumn<int>("titleFont");
        QTest::addColumn<int>("textFont");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("rowHeight");
        QTest::newRow("0 counts as 1") << 0.0 << 1.0 << 10 << 14 << 12 << 24 << "" << 70;
        QTest::newRow("1") << 1.0 << 1.0 << 10 << 14 << 12 << 24 << "" << 70;
        QTest::newRow("1.5") << 1.5 << 1.5 << 15 << 21 << 18 << 36 << "-1.5x" << 105;
        QTest::newRow("2") << 2.0 << 2.0 << 20 << 28 << 24 << 48 << "-2x" << 140;
    }
    void scaleSetsSizesAndPictures()
    {
        QFETCH(double, scale);
        QFETCH(double, stored);
        QFETCH(int, pillFont);
        QFETCH(int, titleFont);
        QFETCH(int, textFont);
        QFETCH(int, button);
        QFETCH(QString, suffix);
        QFETCH(int, rowHeight);

        CConferencesMainPage page(nullptr);
        page.resize(1400, 700);
        page.setConferences({meeting(1, QStringLiteral("sync"), 1001, QStringLiteral("ONGOING"), kMe)});
        page.updateDpi(scale);
        QCOMPARE(page.fStretchFactor, stored);
        // Rows added after the scale change take it too.
        page.setConferences({meeting(1, QStringLiteral("sync"), 1001, QStringLiteral("ONGOING"), kMe),
                             meeting(2, QStringLiteral("plan"), 1005, QString(), kMe)});
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        const auto picture = [&suffix](const char *name) {
            return QStringLiteral(":/resources/images/conferences/%1%2.png").arg(QLatin1String(name), suffix);
        };
        for (int i = 0; i < 2; ++i) {
            Row row(page.listWidget()->itemWidgetAt(i));
            QVERIFY(row.complete());
            QCOMPARE(row.pill->font().pixelSize(), pillFont);
            QCOMPARE(row.title->font().pixelSize(), titleFont);
            for (QLabel *text : {row.timeCaption, row.time, row.idCaption, row.id, row.applicantCaption, row.applicant})
                QCOMPARE(text->font().pixelSize(), textFont);
            for (QPushButton *b : {row.join, row.end, row.edit, row.remove})
                QCOMPARE(b->size(), QSize(button, button));
            QTRY_COMPARE(page.listWidget()->visualItemRect(page.listWidget()->item(i)).height(), rowHeight);
        }
        // Row 0 is a running meeting (join, end), row 1 a scheduled one (edit, delete).
        Row running(page.listWidget()->itemWidgetAt(0));
        Row scheduled(page.listWidget()->itemWidgetAt(1));
        QVERIFY(showsPicture(running.join, picture("icon_list_meeting")));
        QVERIFY(showsPicture(running.end, picture("icon_list_end")));
        QVERIFY(showsPicture(scheduled.edit, picture("icon_list_edit")));
        QVERIFY(showsPicture(scheduled.remove, picture("icon_list_delete")));
        QVERIFY(!showsPicture(scheduled.remove, picture("icon_list_edit")));
        auto *schedule = child<CConferencesToolBtn>(&page, "schedule_widget");
        auto *icon = schedule->findChildren<QLabel *>().value(0);
        QVERIFY(icon);
        QCOMPARE(icon->size(), QSize(int(30 * stored), int(30 * stored)));
        QVERIFY(icon->styleSheet().contains(QStringLiteral("icon_schedule%1.png").arg(suffix)));
    }

    // Every picture and sheet the pages name exists at every scale.
    void resourcesTheCodeNamesExist()
    {
        QStringList paths;
        for (const char *suffix : {"", "-1.5x", "-2x"}) {
            for (const char *name : {"icon_list_meeting", "icon_list_end", "icon_list_edit", "icon_list_delete",
                                     "icon_myroom", "icon_schedule", "icon_topjoin", "icon_back", "icon_edit",
                                     "icon_immediate", "icon_delete", "icon_join", "icon_end", "btn_add",
                                     "icon_deletepeople"})
                paths << QStringLiteral(":/resources/images/conferences/%1%2.png").arg(QLatin1String(name),
                                                                                     QLatin1String(suffix));
        }
        for (double s : {1.0, 1.5, 2.0}) {
            for (const char *base : {"conferences-main-page", "conferences-myroom-page", "conferences-detail-page"})
                paths << rj_app::views::CScaleRule::styleSheetFiles(QStringLiteral(":/resources/qss/") +
                                                                       QLatin1String(base), s);
        }
        paths << QStringLiteral(":/resources/images/default_user_header.jpg");
        for (const QString &path : paths)
            QVERIFY2(QFile::exists(path), qPrintable(path));
    }

    // ------------------------------------------------------------- language

    void languageChangeRetranslatesLabelsNotValues()
    {
        CLinguist *linguist = CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::EN_US);

        CConferencesMainPage page(nullptr);
        page.updateDpi(1);
        page.setConferences({meeting(1, QStringLiteral("sync"), 1001, QStringLiteral("ONGOING"), kMe),
                             meeting(2, QStringLiteral("plan"), 1005, QString(), kMe),
                             meeting(3, QStringLiteral("room"), 8201001, QString(), kMe)});
        CConferencesDetailPage details(nullptr);
        details.setStartTime(1700000000000LL);
        details.setDuration(5400000);

        linguist->changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(linguist->getLanguage(), CLinguist::ZH_CN);
        page.retranslate();
        details.retranslate();

        const QStringList pills{QStringLiteral("进行中"), QStringLiteral("预约"), QStringLiteral("固定")};
        for (int i = 0; i < 3; ++i) {
            Row row(page.listWidget()->itemWidgetAt(i));
            QCOMPARE(row.pill->text(), pills[i]);
            QCOMPARE(row.timeCaption->text(), QStringLiteral("时间："));
            QCOMPARE(row.idCaption->text(), QStringLiteral("会议号："));
            QCOMPARE(row.applicantCaption->text(), QStringLiteral("申请人："));
        }
        QCOMPARE(Row(page.listWidget()->itemWidgetAt(0)).time->text(), QStringLiteral("2023/11/15 06:13"));
        QCOMPARE(child<CConferencesToolBtn>(&page, "schedule_widget")->caption(), QStringLiteral("预约会议"));
        QCOMPARE(child<QLabel>(&page, "myroomtitle_label")->text(), QStringLiteral("我的会议室"));
        QCOMPARE(child<QLabel>(&details, "label")->text(), QStringLiteral("会议详情"));
        QCOMPARE(child<QLabel>(&details, "label_participaints")->text(), QStringLiteral("参会人"));
        QCOMPARE(child<QToolButton>(&details, "tBtn_callnow")->text(), QStringLiteral("立即开始"));
        QCOMPARE(child<QLabel>(&details, "label_starttime_value")->text(), QStringLiteral("2023/11/15 06:13"));
        QCOMPARE(child<QLabel>(&details, "label_duration_value")->text(), QStringLiteral("01:30"));

        linguist->changeLanguage(CLinguist::EN_US);
        page.retranslate();
        details.retranslate();
        QCOMPARE(Row(page.listWidget()->itemWidgetAt(1)).pill->text(), QStringLiteral("Schedule"));
        QCOMPARE(child<QToolButton>(&details, "tBtn_delete")->text(), QStringLiteral("End"));
    }

    // --------------------------------------------------------- details page

    void detailButtonsByTypeAndOwnership_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("notOwner");
        QTest::addColumn<QString>("shown");
        QTest::newRow("own scheduled") << int(Schedule) << false << "edit callnow editdelete";
        QTest::newRow("other's scheduled") << int(Schedule) << true << "";
        QTest::newRow("own running") << int(Ongoing) << false << "confjoin delete";
        QTest::newRow("other's running") << int(Ongoing) << true << "confjoin";
        QTest::newRow("own room") << int(Fixed) << false << "confjoin";
        QTest::newRow("other's room") << int(Fixed) << true << "confjoin";
    }
    void detailButtonsByTypeAndOwnership()
    {
        QFETCH(int, type);
        QFETCH(bool, notOwner);
        QFETCH(QString, shown);

        CConferencesDetailPage page(nullptr);
        page.updateDpi(1);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        // A previous fill must not leak into this one.
        page.setType(Ongoing);
        page.setNotOwner(false);
        page.setType(type);
        page.setNotOwner(notOwner);

        QStringList visible;
        for (const char *name : {"edit", "callnow", "editdelete", "confjoin", "delete"}) {
            if (child<QToolButton>(&page, (QByteArray("tBtn_") + name).constData())->isVisible())
                visible << QLatin1String(name);
        }
        QCOMPARE(visible.join(QLatin1Char(' ')), shown);
        QCOMPARE(page.type(), type);
        QCOMPARE(page.notOwner(), notOwner);

        QSignalSpy back(&page, &CConferencesDetailPage::signal_back_clicked);
        QTest::mouseClick(child<QToolButton>(&page, "back_Btn"), Qt::LeftButton);
        QCOMPARE(back.count(), 1);
    }

    void detailActionsCarryTheMeetingId_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("type");
        QTest::newRow("edit") << "tBtn_edit" << int(Schedule);
        QTest::newRow("immediate") << "tBtn_callnow" << int(Schedule);
        QTest::newRow("delete") << "tBtn_editdelete" << int(Schedule);
        QTest::newRow("join") << "tBtn_confjoin" << int(Ongoing);
        QTest::newRow("end") << "tBtn_delete" << int(Ongoing);
    }
    void detailActionsCarryTheMeetingId()
    {
        QFETCH(QString, button);
        QFETCH(int, type);
        CConferencesDetailPage page(nullptr);
        page.updateDpi(1);
        page.setType(type);
        page.setNotOwner(false);
        page.setMeetingId(1001);
        page.setConferenceId(42);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        QSignalSpy edit(&page, &CConferencesDetailPage::signal_Edit_clicked);
        QSignalSpy callNow(&page, &CConferencesDetailPage::signal_CallNow_clicked);
        QSignalSpy deleteEdit(&page, &CConferencesDetailPage::signal_DeleteEdit_clicked);
        QSignalSpy join(&page, &CConferencesDetailPage::signal_ConfJoin_clicked);
        QSignalSpy del(&page, &CConferencesDetailPage::signal_Delete_clicked);
        auto *b = page.findChild<QToolButton *>(button);
        QVERIFY(b && b->isVisible());
        QTest::mouseClick(b, Qt::LeftButton);

        const QMap<QString, QSignalSpy *> spies{{QStringLiteral("tBtn_edit"), &edit},
                                                {QStringLiteral("tBtn_callnow"), &callNow},
                                                {QStringLiteral("tBtn_editdelete"), &deleteEdit},
                                                {QStringLiteral("tBtn_confjoin"), &join},
                                                {QStringLiteral("tBtn_delete"), &del}};
        for (auto it = spies.cbegin(); it != spies.cend(); ++it) {
            QCOMPARE(it.value()->count(), it.key() == button ? 1 : 0);
            if (it.key() == button)
                QCOMPARE(it.value()->at(0).at(0).toInt(), 42);   // the record id, not the number
        }
    }

    void detailValues_data()
    {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<int>("duration");
        QTest::addColumn<QString>("startText");
        QTest::addColumn<QString>("durationText");
        QTest::newRow("epoch, no length") << qint64(0) << 0 << "1970/01/01 08:00" << "00:00";
        QTest::newRow("90 minutes") << qint64(1700000000000LL) << 5400000 << "2023/11/15 06:13" << "01:30";
        QTest::newRow("seconds cut") << qint64(1700000000000LL) << 3599999 << "2023/11/15 06:13" << "00:59";
        QTest::newRow("just under a day") << qint64(0) << 86399999 << "1970/01/01 08:00" << "23:59";
        // A day or more still shows its length, counting hours on.
        QTest::newRow("a day") << qint64(0) << 86400000 << "1970/01/01 08:00" << "24:00";
        QTest::newRow("26.5 hours") << qint64(0) << 95400000 << "1970/01/01 08:00" << "26:30";
        QTest::newRow("negative") << qint64(0) << -60000 << "1970/01/01 08:00" << "";
    }
    void detailValues()
    {
        QFETCH(qint64, start);
        QFETCH(int, duration);
        QFETCH(QString, startText);
        QFETCH(QString, durationText);
        CConferencesDetailPage page(nullptr);
        page.setType(Schedule);
        page.setNotOwner(false);
        page.setTitle(QStringLiteral("Board review"));
        page.setStartTime(start);
        page.setDuration(duration);
        page.setMeetingId(1002);
        page.setPassword(QStringLiteral("<i>1234</i>"));
        page.setDescription(QStringLiteral("Quarterly numbers\nand the plan"));
        page.setParticipants({});
        page.setConferenceId(9);

        QCOMPARE(child<QLabel>(&page, "label_meetingtitle_value")->text(), QStringLiteral("Board review"));
        QCOMPARE(child<QLabel>(&page, "label_starttime_value")->text(), startText);
        QCOMPARE(child<QLabel>(&page, "label_duration_value")->text(), durationText);
        QCOMPARE(child<QLabel>(&page, "label_meetingid_value")->text(), QStringLiteral("1002"));
        auto *password = child<QLabel>(&page, "label_password_value");
        QCOMPARE(password->text(), QStringLiteral("<i>1234</i>"));
        QCOMPARE(password->textFormat(), Qt::PlainText);
        QCOMPARE(child<QLabel>(&page, "label_description_value")->text(),
                 QStringLiteral("Quarterly numbers\nand the plan"));
        QCOMPARE(child<QLabel>(&page, "label_meetingtitle")->text(), QStringLiteral("Meeting Title"));
        QCOMPARE(child<QLabel>(&page, "label_participaints")->text(), QStringLiteral("Participants"));
        QCOMPARE(page.conferenceId(), 9);
    }

    void detailScaleSetsIcons_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QSize>("back");
        QTest::addColumn<QSize>("action");
        QTest::addColumn<int>("cellHeight");
        QTest::newRow("-1 counts as 1") << -1.0 << QSize(6, 10) << QSize(44, 44) << 68;
        QTest::newRow("1.5") << 1.5 << QSize(10, 16) << QSize(66, 66) << 102;
        QTest::newRow("2") << 2.0 << QSize(12, 20) << QSize(88, 88) << 136;
    }
    void detailScaleSetsIcons()
    {
        QFETCH(double, scale);
        QFETCH(QSize, back);
        QFETCH(QSize, action);
        QFETCH(int, cellHeight);
        CConferencesDetailPage page(nullptr);
        page.updateDpi(scale);
        QCOMPARE(child<QToolButton>(&page, "back_Btn")->iconSize(), back);
        for (const char *name : {"tBtn_edit", "tBtn_callnow", "tBtn_editdelete", "tBtn_confjoin", "tBtn_delete"}) {
            auto *b = child<QToolButton>(&page, name);
            QCOMPARE(b->iconSize(), action);
            QVERIFY(!b->icon().isNull());
        }
        QCOMPARE(page.participantsView()->verticalHeader()->defaultSectionSize(), cellHeight);
        QVERIFY(!page.styleSheet().isEmpty());
    }

    // ---------------------------------------------------- participant grid

    void gridGeometry_data()
    {
        QTest::addColumn<int>("participants");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("none, editable: only Add") << 0 << false << 1 << 1;
        QTest::newRow("none, read-only: empty") << 0 << true << 0 << 0;
        QTest::newRow("3 and Add") << 3 << false << 1 << 4;
        QTest::newRow("7 and Add") << 7 << false << 1 << 8;
        QTest::newRow("8 and Add") << 8 << false << 2 << 8;
        QTest::newRow("8 read-only") << 8 << true << 1 << 8;
        QTest::newRow("17 read-only") << 17 << true << 3 << 8;
    }
    void gridGeometry()
    {
        QFETCH(int, participants);
        QFETCH(bool, readOnly);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QVERIFY(loadUsers(20));
        CConferencestableview view;
        view.init();
        if (readOnly)
            view.setReadOnly();
        QList<int> ids;
        for (int id = 1; id <= participants; ++id)
            ids << id;
        view.setParticipants(ids);
        CConferencesTablemodel *model = view.tableModel();
        QCOMPARE(model->rowCount(), rows);
        QCOMPARE(model->columnCount(), columns);
        QCOMPARE(view.getUserIds(), ids);

        const int cells = participants + (readOnly ? 0 : 1);
        for (int i = 0; i < rows * 8; ++i) {
            const QModelIndex index = model->index(i / 8, i % 8);
            const QVariant type = model->data(index, CConferencesTablemodel::TypeRole);
            if (i >= cells) {
                // Past the end: no data at all (or no such column).
                QVERIFY(!type.isValid());
                QVERIFY(!model->data(index, CConferencesTablemodel::NameRole).isValid());
                continue;
            }
            const bool isAdd = !readOnly && i == cells - 1;
            QCOMPARE(type.toInt(), isAdd ? 2 : 1);
            QCOMPARE(model->data(index, CConferencesTablemodel::NameRole).toString(),
                     isAdd ? QStringLiteral("Add") : QStringLiteral("User %1").arg(i + 1));
            if (!isAdd)
                QCOMPARE(model->data(index, CConferencesTablemodel::UserIdRole).toInt(), i + 1);
            QVERIFY(!model->data(index, Qt::DisplayRole).isValid());
        }
        QVERIFY(!model->data(QModelIndex(), CConferencesTablemodel::NameRole).isValid());
    }

    void gridUnknownAndRepeatedIds()
    {
        QVERIFY(loadUsers(5));
        CConferencestableview view;
        view.init();
        view.setParticipants({2, 99, 2, -1, 5, 0});
        // An id the directory cannot resolve stays as a placeholder, so an
        // edit sends it back; ids of 0 or below are no users.
        QCOMPARE(view.getUserIds(), (QList<int>{2, 99, 2, 5}));
        QCOMPARE(view.tableModel()->itemCount(), 5);   // and "Add"

        // Without a loaded directory every id is kept as a placeholder.
        CUCMApiManager::getInstance()->clearSavedUsers();
        CConferencestableview readOnly;
        readOnly.init();
        readOnly.setReadOnly();
        readOnly.setParticipants({1, 2, 3});
        QCOMPARE(readOnly.tableModel()->itemCount(), 3);
        QCOMPARE(readOnly.getUserIds(), (QList<int>{1, 2, 3}));
    }

    void gridClicks_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QList<int>>("idsAfter");
        QTest::addColumn<int>("addSignals");
        const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        QList<int> without11 = all;
        without11.removeAt(10);
        QTest::newRow("third cell of second row") << false << 1 << 2 << without11 << 0;
        QTest::newRow("first cell") << false << 0 << 0 << all.mid(1) << 0;
        QTest::newRow("Add cell") << false << 1 << 4 << all << 1;
        QTest::newRow("empty cell") << false << 1 << 6 << all << 0;
        QTest::newRow("read-only participant") << true << 1 << 2 << all << 0;
        QTest::newRow("read-only empty cell") << true << 1 << 7 << all << 0;
    }
    void gridClicks()
    {
        QFETCH(bool, readOnly);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QList<int>, idsAfter);
        QFETCH(int, addSignals);
        QVERIFY(loadUsers(12));
        CConferencestableview view;
        view.init();
        if (readOnly)
            view.setReadOnly();
        view.updateDpi(1);
        view.resize(8 * 48 + 20, 3 * 68 + 20);
        view.setParticipants({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QSignalSpy add(&view, &CConferencestableview::signal_addusers);
        const QPoint at(column * 48 + 24, row * 68 + 34);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(view.getUserIds(), idsAfter);
        QCOMPARE(add.count(), addSignals);
        if (!readOnly) {
            // "Add" stays the last cell.
            const int last = view.tableModel()->itemCount() - 1;
            QCOMPARE(view.tableModel()->data(view.tableModel()->index(last / 8, last % 8),
                                             CConferencesTablemodel::TypeRole).toInt(), 2);
        }
        // Removing past the end changes nothing.
        view.tableModel()->removeAt(view.tableModel()->index(5, 0));
        view.tableModel()->removeAt(QModelIndex());
        QCOMPARE(view.getUserIds(), idsAfter);
    }

    // Avatars come from the fixture through the shared downloader; a user
    // listed twice gets the picture in both cells, a failed download the
    // fallback picture; the view is told, so it repaints at once.
    void gridAvatarsFromServer()
    {
        QVERIFY(loadUsers(6));
        CConferencestableview view;
        view.init();
        view.setReadOnly();
        CConferencesTablemodel *model = view.tableModel();
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        view.setParticipants({1, 2, 1, 3, 4});

        auto avatar = [model](int position) {
            return model->data(model->index(position / 8, position % 8), CConferencesTablemodel::AvatarRole)
                .value<QPixmap>();
        };
        QTRY_VERIFY_WITH_TIMEOUT(!avatar(0).isNull() && !avatar(1).isNull() && !avatar(2).isNull() &&
                                     !avatar(3).isNull() && !avatar(4).isNull(),
                                 kWaitMs);
        QCOMPARE(avatar(0).size(), QSize(11, 11));
        QCOMPARE(avatar(1).size(), QSize(12, 12));
        QCOMPARE(avatar(2).size(), QSize(11, 11));      // the repeated user too
        QCOMPARE(avatar(0).toImage().pixelColor(5, 5), QColor(Qt::red));
        // 404 and a user without a picture address: the fallback picture.
        const QPixmap fallback(QStringLiteral(":/resources/images/default_user_header.jpg"));
        QCOMPARE(avatar(3).size(), fallback.size());
        QCOMPARE(avatar(4).size(), fallback.size());
        QVERIFY(CUrlPixmap::s_pixmapCache.contains(avatarUrl(m_server.get(), 1)));
        QVERIFY(!CUrlPixmap::s_pixmapCache.contains(avatarUrl(m_server.get(), 3)));
        QVERIFY(changed.count() >= 3);

        // Cached pictures are taken at once, without a new download.
        const int requests = m_server->requestCount();
        CConferencestableview again;
        again.init();
        again.setReadOnly();
        again.setParticipants({2, 1});
        QVERIFY(!again.tableModel()->data(again.tableModel()->index(0, 0), CConferencesTablemodel::AvatarRole)
                     .value<QPixmap>()
                     .isNull());
        QVERIFY(!again.tableModel()->data(again.tableModel()->index(0, 1), CConferencesTablemodel::AvatarRole)
                     .value<QPixmap>()
                     .isNull());
        QCOMPARE(m_server->requestCount(), requests);

        // A finished download for an address no cell has, or for no address, is ignored.
        model->slot_downloadFinished(QString());
        model->slot_downloadFinished(QStringLiteral("http://127.0.0.1:1/none.png"));
        QCOMPARE(avatar(0).size(), QSize(11, 11));
    }

    void detailPageShowsParticipantsReadOnly()
    {
        QVERIFY(loadUsers(4));
        CConferencesDetailPage page(nullptr);
        page.updateDpi(1);
        page.setParticipants({4, 2, 77});
        CConferencestableview *grid = page.participantsView();
        QVERIFY(grid->isReadOnly());
        QCOMPARE(grid->getUserIds(), (QList<int>{4, 2, 77}));
        QCOMPARE(grid->tableModel()->itemCount(), 3);   // no "Add"
        QCOMPARE(grid->tableModel()->data(grid->tableModel()->index(0, 1), CConferencesTablemodel::NameRole)
                     .toString(),
                 QStringLiteral("User 2"));
        // A refill replaces the cells.
        page.setParticipants({1});
        QCOMPARE(grid->getUserIds(), QList<int>{1});
    }

    // The delete mark is painted over a hovered participant of an editable
    // grid only.
    void hoverMarkOnlyWhenEditable()
    {
        QVERIFY(loadUsers(1));
        auto paintCell = [](bool readOnly, bool hovered) {
            CConferencestableview view;
            view.init();
            if (readOnly)
                view.setReadOnly();
            view.setParticipants({1});
            // A known picture, whatever the download does meanwhile.
            QPixmap white(28, 28);
            white.fill(Qt::white);
            CUrlPixmap::s_pixmapCache.insert(QStringLiteral("probe"), white);
            view.tableModel()->clear();
            participantItemData cell;
            cell.name = QStringLiteral("User 1");
            cell.userId = 1;
            cell.avatarUrl = QStringLiteral("probe");
            view.tableModel()->appendItem(cell);
            view.tableModel()->refresh();

            QImage image(48, 68, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            QStyleOptionViewItem option;
            option.rect = QRect(0, 0, 48, 68);
            option.state = QStyle::State_Enabled | (hovered ? QStyle::State_MouseOver : QStyle::State_None);
            view.tableDelegate()->paint(&painter, option, view.tableModel()->index(0, 0));
            painter.end();
            // Inside the avatar square, outside the delete mark.
            return image.pixelColor(10 + 27, 10 + 27);
        };
        QCOMPARE(paintCell(false, false), QColor(Qt::white));
        QVERIFY(paintCell(false, true).lightness() < 255);
        QCOMPARE(paintCell(true, true), QColor(Qt::white));
    }

    void gridScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("0") << 0.0 << 48 << 68;
        QTest::newRow("1.5") << 1.5 << 72 << 102;
        QTest::newRow("2") << 2.0 << 96 << 136;
    }
    void gridScale()
    {
        QFETCH(double, scale);
        QFETCH(int, width);
        QFETCH(int, height);
        CConferencestableview view;
        view.init();
        view.updateDpi(scale);
        QCOMPARE(view.horizontalHeader()->defaultSectionSize(), width);
        QCOMPARE(view.verticalHeader()->defaultSectionSize(), height);
        QCOMPARE(view.tableDelegate()->sizeHint(QStyleOptionViewItem(), QModelIndex()), QSize(width, height));
        QCOMPARE(view.tableDelegate()->scale(), scale > 0 ? scale : 1.0);
    }
};

GLIMORA_TEST_MAIN(TestMeetList)
#include "tst_meetlist.moc"
