// The schedule form: new-meeting and edit defaults, the password rule, the
// request record it yields in several time zones and around daylight-saving
// changes (with an injected clock), its checks before sending, the calendar
// popup, scale and language.

#include "support/AlertBoxSeam.h"
#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include "models/CLinguist.h"
#include "models/CUCMApiManager.h"
#include "views/meetings/CConferencesScheduleCalendar.h"
#include "views/meetings/CConferencesScheduleDataEdit.h"
#include "views/meetings/CConferencesSchedulePage.h"
#include "views/meetings/CConferencesScheduleTimeEdit.h"
#include "views/meetings/CConferencesTablemodel.h"
#include "views/meetings/CConferencestableview.h"

#include <QCheckBox>
#include <QFile>
#include <QApplication>
#include <QJsonArray>
#include <QKeyEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QToolButton>

#include <ctime>
#include <memory>

using glimora::test::AlertBoxSeam;
using glimora::test::HttpFixtureServer;
using rj_app::models::CLinguist;
using rj_app::models::CUCMApiManager;

namespace {

// POSIX rules, so that no time zone database is needed.
const char *const kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";
const char *const kNewYork = "EST5EDT,M3.2.0,M11.1.0";
const char *const kKathmandu = "<+0545>-5:45";
const char *const kUtc = "UTC0";

void setZone(const char *tz)
{
    qputenv("TZ", tz);
    tzset();
}

qint64 utc(const char *iso)
{
    QDateTime dt = QDateTime::fromString(QLatin1String(iso), Qt::ISODateWithMs);
    dt.setTimeSpec(Qt::UTC);
    return dt.toMSecsSinceEpoch();
}

// Key presses with text, also for characters that have no key of their own.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

template<typename T>
T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

struct Form
{
    std::unique_ptr<CConferencesSchedulePage> page;
    qint64 nowMs = 0;

    explicit Form(qint64 now)
        : page(std::make_unique<CConferencesSchedulePage>(nullptr))
        , nowMs(now)
    {
        page->setClock([this] { return QDateTime::fromMSecsSinceEpoch(nowMs); });
    }
    CConferencesScheduleDataEdit *date() const { return child<CConferencesScheduleDataEdit>(page.get(), "dateEdit"); }
    CConferencesScheduleTimeEdit *time() const { return child<CConferencesScheduleTimeEdit>(page.get(), "timeEdit"); }
    CConferencesScheduleTimeEdit *duration() const
    {
        return child<CConferencesScheduleTimeEdit>(page.get(), "timeEdit_duration");
    }
    QCheckBox *now() const { return child<QCheckBox>(page.get(), "checkBox_now"); }
    QLineEdit *password() const { return child<QLineEdit>(page.get(), "lineEdit_password"); }
    QLineEdit *title() const { return child<QLineEdit>(page.get(), "lineEdit_meetingtitle"); }
    QPlainTextEdit *description() const { return child<QPlainTextEdit>(page.get(), "plainTextEdit_description"); }
    QWidget *meetingIdRow() const { return child<QWidget>(page.get(), "widget_meetingid"); }
    QLabel *heading() const { return child<QLabel>(page.get(), "label"); }
};

} // namespace

class TestSchedule : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setZone(kUtc); }

    // ------------------------------------------------------- new meeting

    void newMeetingDefaults_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<qint64>("now");
        QTest::addColumn<QString>("date");     // shown, and the minimum date
        QTest::addColumn<QString>("time");     // hh:mm:ss held by the field
        QTest::addColumn<qint64>("start");     // handed back

        QTest::newRow("seconds kept") << QByteArray(kUtc) << utc("2026-05-04T10:00:30") << "2026-05-04"
                                      << "10:05:30" << utc("2026-05-04T10:05:30");
        QTest::newRow("x4 to x5") << QByteArray(kUtc) << utc("2026-05-04T10:04:00") << "2026-05-04" << "10:05:00"
                                  << utc("2026-05-04T10:05:00");
        QTest::newRow("x5 moves 5") << QByteArray(kUtc) << utc("2026-05-04T10:05:00") << "2026-05-04"
                                    << "10:10:00" << utc("2026-05-04T10:10:00");
        QTest::newRow("x9 to x0") << QByteArray(kUtc) << utc("2026-05-04T10:09:59") << "2026-05-04" << "10:10:59"
                                  << utc("2026-05-04T10:10:59");
        QTest::newRow("23:57 next day") << QByteArray(kUtc) << utc("2026-05-04T23:57:00") << "2026-05-05"
                                        << "00:00:00" << utc("2026-05-05T00:00:00");
        QTest::newRow("local day, not UTC day")
            << QByteArray(kKathmandu) << utc("2026-05-04T18:12:00") << "2026-05-05" << "00:00:00"
            << utc("2026-05-04T18:15:00");
        QTest::newRow("new york evening") << QByteArray(kNewYork) << utc("2026-07-01T01:58:00") << "2026-06-30"
                                          << "22:00:00" << utc("2026-07-01T02:00:00");
        // 01:57:30 CET + 3 min is past the skipped hour: 03:00:30 CEST.
        QTest::newRow("into skipped hour") << QByteArray(kBerlin) << utc("2026-03-29T00:57:30") << "2026-03-29"
                                           << "03:00:30" << utc("2026-03-29T01:00:30");
        // 02:57 CEST + 3 min is 02:00 CET, an hour shown twice: the later one.
        QTest::newRow("into repeated hour") << QByteArray(kBerlin) << utc("2026-10-25T00:57:00") << "2026-10-25"
                                            << "02:00:00" << utc("2026-10-25T01:00:00");
    }

    void newMeetingDefaults()
    {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, now);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(qint64, start);
        setZone(zone.constData());

        Form f(now);
        // Leftovers of an earlier edit are cleared.
        f.page->setMode(CConferencesSchedulePage::EditMeeting);
        f.page->setPassword(QStringLiteral("1234"));
        f.page->setDescription(QStringLiteral("old"));
        f.page->setDuration(90000000);
        f.now()->setChecked(true);

        f.page->setMode(CConferencesSchedulePage::NewMeeting);
        f.page->setTitle(QStringLiteral("Alice Chen"));
        QCOMPARE(f.page->getMode(), 0);
        QCOMPARE(f.heading()->text(), QStringLiteral("Schedule meeting"));
        QCOMPARE(f.date()->date().toString(Qt::ISODate), date);
        QCOMPARE(f.date()->minimumDate().toString(Qt::ISODate), date);
        QCOMPARE(f.time()->time().toString(QStringLiteral("hh:mm:ss")), time);
        QCOMPARE(f.page->getStartTime(), start);
        QCOMPARE(f.duration()->text(), QStringLiteral("01:00"));
        QCOMPARE(f.page->getDuration(), 3600000);
        QCOMPARE(f.page->getTitle(), QStringLiteral("Alice Chen's meeting"));
        QCOMPARE(f.page->getPassword(), QString());
        QCOMPARE(f.page->getDescription(), QString());
        QVERIFY(f.meetingIdRow()->isHidden());
        QVERIFY(!f.now()->isChecked());
        QVERIFY(f.date()->isEnabled());
        QVERIFY(f.page->validationError().isEmpty());
    }

    // ------------------------------------------------------- edit meeting

    void editMeetingDefaults_data()
    {
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<qint64>("start");

        // The clock says 2026-05-04 12:00 in Berlin (CEST).
        QTest::newRow("future kept") << utc("2026-05-06T07:30:00") << "2026-05-06" << "09:30"
                                     << utc("2026-05-06T07:30:00");
        QTest::newRow("past raised to today") << utc("2026-04-01T07:30:00") << "2026-05-04" << "09:30"
                                              << utc("2026-05-04T07:30:00");
        QTest::newRow("repeated hour, second pass kept")
            << utc("2026-10-25T01:30:00") << "2026-10-25" << "02:30" << utc("2026-10-25T01:30:00");
    }

    void editMeetingDefaults()
    {
        QFETCH(qint64, stored);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(qint64, start);
        setZone(kBerlin);

        Form f(utc("2026-05-04T10:00:00"));
        // A new-meeting setup late in the evening leaves tomorrow as minimum.
        f.nowMs = utc("2026-05-04T21:57:00");
        f.page->setMode(CConferencesSchedulePage::NewMeeting);
        QCOMPARE(f.date()->minimumDate(), QDate(2026, 5, 5));
        f.nowMs = utc("2026-05-04T10:00:00");

        f.page->setMode(CConferencesSchedulePage::EditMeeting);
        f.page->setTitle(QStringLiteral("  Board review "));
        f.page->setStartTime(stored);
        f.page->setDuration(5400000);
        f.page->setMeetingId(1002);
        f.page->setPassword(QStringLiteral("1234"));
        f.page->setDescription(QStringLiteral(" agenda\n"));
        f.page->setConferenceId(42);

        QCOMPARE(f.heading()->text(), QStringLiteral("Edit meeting"));
        QVERIFY(!f.meetingIdRow()->isHidden());
        QCOMPARE(f.title()->text(), QStringLiteral("  Board review "));
        QCOMPARE(f.page->getTitle(), QStringLiteral("Board review"));
        QCOMPARE(f.date()->date().toString(Qt::ISODate), date);
        QCOMPARE(f.date()->minimumDate(), QDate(2026, 5, 4));
        QCOMPARE(f.time()->time().toString(QStringLiteral("hh:mm")), time);
        QCOMPARE(f.page->getStartTime(), start);
        QCOMPARE(f.duration()->text(), QStringLiteral("01:30"));
        QCOMPARE(f.page->getDuration(), 5400000);
        QCOMPARE(f.page->getMeetingId(), 1002);
        QCOMPARE(f.page->getConferenceId(), 42);
        QCOMPARE(f.page->getDescription(), QStringLiteral("agenda"));
        QVERIFY(!f.now()->isChecked());
    }

    void durationOutsideTheFieldIsKept_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("handedBack");
        QTest::newRow("zero") << 0 << "00:00" << 0;
        QTest::newRow("seconds") << 90500 << "00:01" << 90500;
        QTest::newRow("last minute") << 86340000 << "23:59" << 86340000;
        QTest::newRow("25 hours") << 90000000 << "23:59" << 90000000;
        QTest::newRow("negative") << -1 << "00:00" << -1;
    }

    void durationOutsideTheFieldIsKept()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, handedBack);
        Form f(utc("2026-05-04T10:00:00"));
        f.page->setMode(CConferencesSchedulePage::EditMeeting);
        f.page->setDuration(7200000);
        f.page->setDuration(stored);
        QCOMPARE(f.duration()->text(), shown);
        QCOMPARE(f.page->getDuration(), handedBack);

        // Once the user sets a duration, that one counts.
        f.duration()->setTime(QTime(2, 15));
        QCOMPARE(f.page->getDuration(), 8100000);
    }

    // ------------------------------------------------------- password

    void passwordRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("12 digits") << "123456789012" << "123456789012";
        QTest::newRow("13th digit refused") << "1234567890123" << "123456789012";
        QTest::newRow("letters refused") << "12a3B4" << "1234";
        QTest::newRow("space refused") << " 12 3" << "123";
        QTest::newRow("signs refused") << "*1@2#" << "12";
        QTest::newRow("full-width digits refused") << QStringLiteral("１２3") << "3";
    }

    void passwordRule()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Form f(utc("2026-05-04T10:00:00"));
        f.page->setMode(CConferencesSchedulePage::NewMeeting);
        typeText(f.password(), typed);
        QCOMPARE(f.password()->text(), kept);
        QCOMPARE(f.page->getPassword(), kept);
        QVERIFY(CConferencesSchedulePage::isPasswordAcceptable(kept));
        QCOMPARE(CConferencesSchedulePage::isPasswordAcceptable(typed), typed == kept);
    }

    // ------------------------------------------------------- request

    void requestRecord_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QTime>("duration");
        QTest::addColumn<qint64>("start");

        // Clock: 2026-01-10 08:00 UTC, so every start below lies ahead.
        QTest::newRow("utc") << QByteArray(kUtc) << 0 << QDate(2026, 2, 1) << QTime(9, 30) << QTime(1, 0)
                             << utc("2026-02-01T09:30:00");
        QTest::newRow("berlin winter") << QByteArray(kBerlin) << 0 << QDate(2026, 2, 1) << QTime(9, 30)
                                       << QTime(0, 45) << utc("2026-02-01T08:30:00");
        QTest::newRow("berlin summer") << QByteArray(kBerlin) << 1 << QDate(2026, 7, 1) << QTime(9, 30)
                                       << QTime(2, 0) << utc("2026-07-01T07:30:00");
        QTest::newRow("new york, other UTC day") << QByteArray(kNewYork) << 0 << QDate(2026, 2, 1)
                                                 << QTime(21, 0) << QTime(1, 0) << utc("2026-02-02T02:00:00");
        QTest::newRow("kathmandu") << QByteArray(kKathmandu) << 0 << QDate(2026, 2, 1) << QTime(0, 10)
                                   << QTime(1, 0) << utc("2026-01-31T18:25:00");
        QTest::newRow("before skipped hour") << QByteArray(kBerlin) << 0 << QDate(2026, 3, 29) << QTime(1, 59)
                                             << QTime(1, 0) << utc("2026-03-29T00:59:00");
        // 02:30 does not exist that night: read with the winter offset, it is 03:30 summer time.
        QTest::newRow("in skipped hour") << QByteArray(kBerlin) << 0 << QDate(2026, 3, 29) << QTime(2, 30)
                                         << QTime(1, 0) << utc("2026-03-29T01:30:00");
        QTest::newRow("after skipped hour") << QByteArray(kBerlin) << 0 << QDate(2026, 3, 29) << QTime(3, 0)
                                            << QTime(1, 0) << utc("2026-03-29T01:00:00");
        QTest::newRow("new york skipped hour") << QByteArray(kNewYork) << 0 << QDate(2026, 3, 8)
                                               << QTime(2, 15) << QTime(1, 0) << utc("2026-03-08T07:15:00");
        // 02:30 happens twice: the first time.
        QTest::newRow("repeated hour") << QByteArray(kBerlin) << 0 << QDate(2026, 10, 25) << QTime(2, 30)
                                       << QTime(1, 0) << utc("2026-10-25T00:30:00");
    }

    void requestRecord()
    {
        QFETCH(QByteArray, zone);
        QFETCH(int, mode);
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(QTime, duration);
        QFETCH(qint64, start);
        setZone(zone.constData());

        Form f(utc("2026-01-10T08:00:00"));
        f.page->setMode(mode);
        f.page->setTitle(QStringLiteral("Planning"));
        if (mode == 1) {
            f.page->setMeetingId(1005);
            f.page->setConferenceId(7);
        }
        f.date()->setDate(date);
        f.time()->setTime(time);
        f.duration()->setTime(duration);
        QTest::keyClicks(f.password(), QStringLiteral("5678"));
        f.description()->setPlainText(QStringLiteral("  quarterly plan  "));

        const ucmconferenceReqData r = f.page->toRequestData();
        QCOMPARE(r.name, mode == 0 ? QStringLiteral("Planning's meeting") : QStringLiteral("Planning"));
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(r.startTime, Qt::UTC), QDateTime::fromMSecsSinceEpoch(start, Qt::UTC));
        QCOMPARE(r.startTime, f.page->getStartTime());
        QCOMPARE(r.duration, qint64(duration.msecsSinceStartOfDay()));
        QCOMPARE(r.confPassword, QStringLiteral("5678"));
        QCOMPARE(r.remarks, QStringLiteral("quarterly plan"));
        QCOMPARE(r.userIds, QList<int>());
        QCOMPARE(r.id, mode == 1 ? 7 : 0);
        QCOMPARE(r.numericId, mode == 1 ? 1005 : 0);
        QVERIFY2(f.page->validationError().isEmpty(), qPrintable(f.page->validationError()));
    }

    void resolveLocalNeverStartsEarlierThanShown()
    {
        setZone(kBerlin);
        // Every minute of both change nights maps to a valid instant that the
        // clock shows at the time chosen, or an hour later inside the skipped hour.
        for (const QDate &day : {QDate(2026, 3, 29), QDate(2026, 10, 25)}) {
            for (int m = 0; m < 24 * 60; ++m) {
                const QTime wall = QTime(0, 0).addSecs(m * 60);
                const QDateTime at = CConferencesSchedulePage::resolveLocal(day, wall);
                QVERIFY(at.isValid());
                const QDateTime shown = at.toLocalTime();
                const bool skipped = day.month() == 3 && wall.hour() == 2;
                QCOMPARE(shown.date(), day);
                QCOMPARE(shown.time(), skipped ? wall.addSecs(3600) : wall);
            }
        }
    }

    // ------------------------------------------------------- Now

    void nowTicksTheMomentOfTicking()
    {
        setZone(kBerlin);
        Form f(utc("2026-05-04T21:57:00"));   // 23:57 local: default is tomorrow 00:00
        f.page->setMode(CConferencesSchedulePage::NewMeeting);
        f.nowMs = utc("2026-05-04T21:58:12.250");
        f.now()->setChecked(true);
        QVERIFY(!f.date()->isEnabled());
        QVERIFY(!f.time()->isEnabled());
        QCOMPARE(f.date()->date(), QDate(2026, 5, 4));   // not held up by tomorrow's minimum
        QCOMPARE(f.time()->time(), QTime(23, 58, 12, 250));
        f.nowMs += 5 * 60000;
        QCOMPARE(f.page->getStartTime(), utc("2026-05-04T21:58:12.250"));
        QVERIFY(f.page->validationError().isEmpty());

        f.now()->setChecked(false);
        QVERIFY(f.date()->isEnabled());
        QVERIFY(f.time()->isEnabled());
        QCOMPARE(f.time()->time(), QTime(23, 58, 12, 250));
    }

    // ------------------------------------------------------- checks

    void validation_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("storedPassword");
        QTest::addColumn<QString>("password");     // set directly, past the keystroke rule
        QTest::addColumn<QTime>("time");           // on the clock's day
        QTest::addColumn<QTime>("duration");
        QTest::addColumn<QString>("error");

        const QString ok;
        const QString pwd = QStringLiteral("The password may hold only digits, at most 12.");
        const QString past = QStringLiteral("The start time has passed, please choose a later time.");
        const QString dur = QStringLiteral("Please set the duration of the meeting.");
        // Clock: 10:00:40.
        QTest::newRow("valid") << 0 << "" << "123" << QTime(10, 5) << QTime(1, 0) << ok;
        QTest::newRow("this minute") << 0 << "" << "" << QTime(10, 0) << QTime(1, 0) << ok;
        QTest::newRow("past start") << 0 << "" << "" << QTime(9, 59) << QTime(1, 0) << past;
        QTest::newRow("zero duration") << 0 << "" << "" << QTime(11, 0) << QTime(0, 0) << dur;
        QTest::newRow("pasted letters") << 0 << "" << "12ab" << QTime(11, 0) << QTime(1, 0) << pwd;
        QTest::newRow("13 digits") << 0 << "" << "1234567890123" << QTime(11, 0) << QTime(1, 0) << pwd;
        QTest::newRow("edit: stored password kept") << 1 << "pw" << "pw" << QTime(11, 0) << QTime(1, 0) << ok;
        QTest::newRow("edit: stored password changed") << 1 << "pw" << "pwx" << QTime(11, 0) << QTime(1, 0) << pwd;
        QTest::newRow("edit: earlier today") << 1 << "" << "" << QTime(8, 0) << QTime(1, 0) << ok;
        QTest::newRow("edit: zero duration") << 1 << "" << "" << QTime(11, 0) << QTime(0, 0) << dur;
    }

    void validation()
    {
        QFETCH(int, mode);
        QFETCH(QString, storedPassword);
        QFETCH(QString, password);
        QFETCH(QTime, time);
        QFETCH(QTime, duration);
        QFETCH(QString, error);
        setZone(kUtc);

        Form f(utc("2026-05-04T10:00:40"));
        f.page->setMode(mode);
        if (mode == 1)
            f.page->setStartTime(utc("2026-05-04T12:00:00"));
        f.page->setPassword(storedPassword);
        f.password()->setText(password);
        f.time()->setTime(time);
        f.duration()->setTime(duration);
        QCOMPARE(f.page->validationError(), error);

        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QSignalSpy scheduled(f.page.get(), &CConferencesSchedulePage::signal_schedule_clicked);
        QTest::mouseClick(child<QPushButton>(f.page.get(), "pBtn_schedule"), Qt::LeftButton);
        if (error.isEmpty()) {
            QCOMPARE(scheduled.count(), 1);
            QCOMPARE(seam.count(), 0);
        } else {
            QCOMPARE(scheduled.count(), 0);
            QCOMPARE(seam.count(), 1);
            QCOMPARE(seam.last().text, error);
            QCOMPARE(seam.last().title, QStringLiteral("Prompt"));
        }
    }

    void secondClickWhileSendingIsIgnored()
    {
        Form f(utc("2026-05-04T10:00:00"));
        f.page->setMode(CConferencesSchedulePage::NewMeeting);
        auto *button = child<QPushButton>(f.page.get(), "pBtn_schedule");
        int sends = 0;
        // The request waits for the server in a local event loop; a click lands there.
        connect(f.page.get(), &CConferencesSchedulePage::signal_schedule_clicked, this, [&] {
            ++sends;
            QTest::mouseClick(button, Qt::LeftButton);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(sends, 1);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(sends, 2);
    }

    // ------------------------------------------------------- signals, grid

    void buttonsAndParticipants()
    {
        HttpFixtureServer server;
        QVERIFY(server.start());
        QJsonArray users;
        for (int id = 1; id <= 3; ++id)
            users.append(QJsonObject{{QStringLiteral("id"), id},
                                     {QStringLiteral("displayName"), QStringLiteral("User %1").arg(id)}});
        server.addRoute("GET", QStringLiteral("/api/rest/v2.0/users"), 200,
                        QJsonDocument(users).toJson(QJsonDocument::Compact));
        CUCMApiManager::getInstance()->getUsers(server.baseUrl(), QStringLiteral("sim-alice-1"));
        QCOMPARE(CUCMApiManager::getInstance()->getSavedUsers().size(), 3);

        Form f(utc("2026-05-04T10:00:00"));
        f.page->setMode(CConferencesSchedulePage::NewMeeting);
        // 99 is a participant the loaded directory does not list: editing the
        // meeting must hand it back, not drop it.
        f.page->setParticipants({3, 1, 99});
        QCOMPARE(f.page->getParticipants(), (QList<int>{3, 1, 99}));
        QCOMPARE(f.page->toRequestData().userIds, (QList<int>{3, 1, 99}));

        QSignalSpy add(f.page.get(), &CConferencesSchedulePage::signal_adduser_clicked);
        auto *grid = child<CConferencestableview>(f.page.get(), "tableView");
        emit grid->signal_addusers();
        QCOMPARE(add.count(), 1);
        QCOMPARE(add.first().first().value<QList<int>>(), (QList<int>{3, 1, 99}));

        QSignalSpy back(f.page.get(), &CConferencesSchedulePage::signal_back_clicked);
        QTest::mouseClick(child<QToolButton>(f.page.get(), "back_Btn"), Qt::LeftButton);
        QCOMPARE(back.count(), 1);
        CUCMApiManager::getInstance()->clearSavedUsers();
    }

    // Ids the directory cannot resolve stay in the grid as placeholder cells
    // (their number and the default picture), editable or read-only, before
    // the directory is loaded and after; a click still removes them.
    void unresolvedParticipantsKept_data()
    {
        QTest::addColumn<bool>("directoryLoaded");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("no directory, editable") << false << false;
        QTest::newRow("no directory, read-only") << false << true;
        QTest::newRow("directory, editable") << true << false;
        QTest::newRow("directory, read-only") << true << true;
    }
    void unresolvedParticipantsKept()
    {
        QFETCH(bool, directoryLoaded);
        QFETCH(bool, readOnly);
        HttpFixtureServer server;
        QVERIFY(server.start());
        auto forget = qScopeGuard([] { CUCMApiManager::getInstance()->clearSavedUsers(); });
        if (directoryLoaded) {
            const QJsonArray users{QJsonObject{{QStringLiteral("id"), 2},
                                               {QStringLiteral("displayName"), QStringLiteral("Bob")}}};
            server.addRoute("GET", QStringLiteral("/api/rest/v2.0/users"), 200,
                            QJsonDocument(users).toJson(QJsonDocument::Compact));
            CUCMApiManager::getInstance()->getUsers(server.baseUrl(), QStringLiteral("sim-alice-1"));
            QCOMPARE(CUCMApiManager::getInstance()->getSavedUsers().size(), 1);
        }

        CConferencestableview grid;
        grid.init();
        if (readOnly)
            grid.setReadOnly();
        const QList<int> ids{7, 2, 7, 41};
        // No user has an id of 0 or below: those are no participants.
        grid.setParticipants({7, 0, 2, 7, -3, 41});
        QCOMPARE(grid.getUserIds(), ids);
        CConferencesTablemodel *model = grid.tableModel();
        QCOMPARE(model->itemCount(), ids.size() + (readOnly ? 0 : 1));
        const QStringList names{QStringLiteral("7"), directoryLoaded ? QStringLiteral("Bob") : QStringLiteral("2"),
                                QStringLiteral("7"), QStringLiteral("41")};
        for (int i = 0; i < ids.size(); ++i) {
            const QModelIndex cell = model->index(0, i);
            QCOMPARE(model->data(cell, CConferencesTablemodel::NameRole).toString(), names.at(i));
            QCOMPARE(model->data(cell, CConferencesTablemodel::TypeRole).toInt(), int(participantItemData::Participant));
            QCOMPARE(model->data(cell, CConferencesTablemodel::UserIdRole).toInt(), ids.at(i));
            if (names.at(i) != QLatin1String("Bob"))
                QVERIFY(!model->data(cell, CConferencesTablemodel::AvatarRole).value<QPixmap>().isNull());
        }

        // The placeholder behaves like any participant cell.
        grid.slot_item_clicked(model->index(0, 3));
        QCOMPARE(grid.getUserIds(), readOnly ? ids : (QList<int>{7, 2, 7}));
    }

    // ------------------------------------------------------- calendar, scale

    void calendarPopup()
    {
        Form f(utc("2026-05-04T10:00:00"));
        CConferencesScheduleCalendar *cal = f.page->calendar();
        QVERIFY(cal);
        QVERIFY(f.date()->calendarPopup());
        QCOMPARE(f.date()->calendarWidget(), static_cast<QCalendarWidget *>(cal));
        QVERIFY(cal->isGridVisible());
        QCOMPARE(cal->firstDayOfWeek(), Qt::Sunday);
        QCOMPARE(cal->selectionMode(), QCalendarWidget::SingleSelection);
        QCOMPARE(cal->verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
        QCOMPARE(cal->horizontalHeaderFormat(), QCalendarWidget::ShortDayNames);
        auto *month = cal->findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
        auto *year = cal->findChild<QToolButton *>(QStringLiteral("qt_calendar_yearbutton"));
        QVERIFY(month && year);
        QVERIFY(!month->isEnabled());
        QVERIFY(!year->isEnabled());
        QCOMPARE(month->toolButtonStyle(), Qt::ToolButtonTextOnly);
        QCOMPARE(month->contextMenuPolicy(), Qt::NoContextMenu);
        QCOMPARE(month->styleSheet(), QStringLiteral("QToolButton{color: white; background: transparent;} "
                                                     "QToolButton::menu-indicator {image: none;}"));
        QCOMPARE(year->styleSheet(), QStringLiteral("color: white; background: transparent;"));
        QCOMPARE(f.date()->displayFormat(), QStringLiteral("yyyy/MM/dd"));
        QCOMPARE(f.time()->displayFormat(), QStringLiteral("HH:mm"));
        QCOMPARE(f.duration()->displayFormat(), QStringLiteral("HH:mm"));
    }

    void scale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QSize>("backIcon");
        QTest::addColumn<QSize>("calendar");
        QTest::newRow("0 counts as 1") << 0.0 << "" << QSize(6, 10) << QSize(300, 250);
        QTest::newRow("1") << 1.0 << "" << QSize(6, 10) << QSize(300, 250);
        QTest::newRow("1.25") << 1.25 << "-1.5x" << QSize(10, 16) << QSize(375, 312);
        QTest::newRow("1.5") << 1.5 << "-1.5x" << QSize(10, 16) << QSize(450, 375);
        QTest::newRow("2") << 2.0 << "-2x" << QSize(12, 20) << QSize(600, 500);
    }

    void scale()
    {
        QFETCH(double, scale);
        QFETCH(QString, suffix);
        QFETCH(QSize, backIcon);
        QFETCH(QSize, calendar);
        Form f(utc("2026-05-04T10:00:00"));
        f.page->updateDpi(scale);
        QCOMPARE(f.page->calendar()->size(), calendar);
        QCOMPARE(f.page->calendar()->minimumSize(), calendar);
        QCOMPARE(child<QToolButton>(f.page.get(), "back_Btn")->iconSize(), backIcon);
        QVERIFY(!f.page->styleSheet().isEmpty());
        const QString date = QStringLiteral(":/resources/images/conferences/icon_date%1.png").arg(suffix);
        const QString time = QStringLiteral(":/resources/images/conferences/icon_time%1.png").arg(suffix);
        QCOMPARE(f.date()->iconLabel()->styleSheet(), QStringLiteral("border-image: url(%1);").arg(date));
        QCOMPARE(f.time()->iconLabel()->styleSheet(), QStringLiteral("border-image: url(%1);").arg(time));
        QCOMPARE(f.duration()->iconLabel()->styleSheet(), QStringLiteral("border-image: url(%1);").arg(time));
        // The icon grows with the picture of its scale.
        const int side = int(14 * (scale <= 0 ? 1.0 : scale));
        QCOMPARE(f.date()->iconLabel()->minimumSize(), QSize(side, side));
        QCOMPARE(f.date()->iconLabel()->maximumSize(), QSize(side, side));
        for (const QString &path :
             {date, time, QStringLiteral(":/resources/images/conferences/icon_back%1.png").arg(suffix)})
            QVERIFY2(QFile::exists(path), qPrintable(path));
    }

    // ------------------------------------------------------- language

    void languageChange()
    {
        CLinguist *linguist = CLinguist::getInstance();
        linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
        linguist->changeLanguage(CLinguist::EN_US);
        setZone(kUtc);

        Form f(utc("2026-05-04T10:00:30"));
        QCOMPARE(f.page->calendar()->locale().language(), QLocale::English);
        f.page->setMode(CConferencesSchedulePage::EditMeeting);
        f.page->setStartTime(utc("2026-05-06T07:30:15"));

        linguist->changeLanguage(CLinguist::ZH_CN);
        QCOMPARE(linguist->getLanguage(), CLinguist::ZH_CN);
        f.page->retranslate();
        QCOMPARE(f.page->calendar()->locale().language(), QLocale::Chinese);
        QCOMPARE(f.heading()->text(), QStringLiteral("编辑会议"));
        QCOMPARE(child<QLabel>(f.page.get(), "label_participaints")->text(), QStringLiteral("参会人"));
        QCOMPARE(child<QPushButton>(f.page.get(), "pBtn_schedule")->text(), QStringLiteral("预约"));
        QCOMPARE(f.now()->text(), QStringLiteral("现在"));
        // Values survive the new display formats.
        QCOMPARE(f.page->getStartTime(), utc("2026-05-06T07:30:15"));

        f.page->setMode(CConferencesSchedulePage::NewMeeting);
        f.page->setTitle(QStringLiteral("Alice"));
        QCOMPARE(f.heading()->text(), QStringLiteral("预约会议"));
        QCOMPARE(f.page->getTitle(), QStringLiteral("Alice的会议"));

        linguist->changeLanguage(CLinguist::EN_US);
        f.page->retranslate();
        QCOMPARE(f.page->calendar()->locale().language(), QLocale::English);
        QCOMPARE(f.heading()->text(), QStringLiteral("Schedule meeting"));
        QCOMPARE(child<QLabel>(f.page.get(), "label_starttime")->text(), QStringLiteral("Start Time"));
        // The source text keeps its old spelling; English reads right.
        QCOMPARE(child<QLabel>(f.page.get(), "label_participaints")->text(), QStringLiteral("Participants"));
    }
};

GLIMORA_TEST_MAIN(TestSchedule)
#include "tst_schedule.moc"
