// What a person does, end to end: the start-up code of main brings up the
// login window against the simulated engine and the demo server; a wrong
// password is refused with the server's text and the next attempt signs in;
// the meetings tab lists the demo meetings, schedules one with two
// participants whose names the screen shows whole, and joins another from its
// row; the contacts tab marks the contacts in the directory with "Added", as
// the screen shows it, and adds a person found there; the real executable
// joins a meeting from its start URL, hands a second start to the first and
// exits cleanly.

#include "E2eSupport.h"

#include "support/AlertBoxSeam.h"
#include "support/DemoServerProcess.h"
#include "support/ModalDialogDriver.h"
#include "support/StandInRingtone.h"
#include "support/TestMain.h"

#include "app/AppStartup.h"
#include "app/CSingleApplication.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/CWaitingDlg.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CHomeExitButton.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CLoginChangePasswordForm.h"
#include "views/main/CLoginInfoForm.h"
#include "views/main/CLoginJoinConfForm.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/CConferencesDelegate.h"
#include "views/meetings/CConferencesSchedulePage.h"
#include "views/meetings/CConferencesSelectuserPage.h"
#include "views/meetings/CConferencesTablemodel.h"
#include "views/meetings/CConferencestableview.h"
#include "views/meetings/CConferencesListWidget.h"
#include "views/meetings/CConferencesWidget.h"
#include "views/meetings/CContactsAddDelegate.h"
#include "views/meetings/CContactsAddListmodel.h"
#include "views/meetings/CContactsAddListview.h"
#include "views/meetings/CContactsDelegate.h"
#include "views/meetings/CContactsListview.h"
#include "views/meetings/CContactsWidget.h"
#include "helpers/CUserConfigUtils.h"
#include "views/main/CMainDlgManager.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QSysInfo>
#include <QToolButton>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <iterator>

using glimora::test::AlertBoxSeam;
using glimora::test::ModalDialogDriver;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CHomeDlg;
using rj_app::views::CLayoutBackgroundDlg;
using rj_app::views::CLoginDlg;
using rj_app::views::CMainDlgManager;
using namespace rj_app::enums;

using namespace glimora::test::e2e;

namespace {

// Where in `image` (within `area`) the pixels that `isInk` picks lie, as one
// rectangle; empty when there are none.
QRect inkIn(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &isInk)
{
    QRect ink;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (isInk(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

QString rectText(const QRect &r)
{
    return QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The real executable with an environment of its own: its own user data and
// runtime directories, so it is a first instance beside this test.
class ClientProcess
{
public:
    explicit ClientProcess(const QString &root)
        : m_root(root)
    {
    }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *dir : {"appdata", "HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
            const QString path = m_root + QLatin1Char('/') + QLatin1String(dir);
            QDir().mkpath(path);
            env.insert(QLatin1String(dir), path);
        }
        const QString runtime = m_root + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("RJSIM_TIME_SCALE"), QStringLiteral("0"));
        return env;
    }
    void start(QProcess &process, const QStringList &args) const
    {
        process.setProgram(QStringLiteral(GLIMORA_EXECUTABLE));
        process.setArguments(args);
        process.setProcessEnvironment(environment());
        // stdout is kept: the client must print nothing there.
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
    }
    QString dataDir() const { return m_root + QStringLiteral("/appdata/glimora"); }
    QString log() const { return readFile(dataDir() + QStringLiteral("/app.log")); }

private:
    QString m_root;
};

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};
    int m_exitCode = -1;

    CLoginManager *login() { return CLoginManager::getInstance(); }

    CConferencesListWidget *meetingList()
    {
        return child<CConferencesListWidget>(CHomeDlg::getInstance(), "listWidget");
    }

    // The visible message box with `text` is answered with the button of that
    // caption, as a person does.
    void answerTheBox(const QString &text, const QString &button)
    {
        QWidget *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(box = shownBox(text), kWaitMs);
        QPointer<QWidget> shown(box);
        for (QPushButton *b : box->findChildren<QPushButton *>())
            if (b->isVisible() && b->text() == button) {
                personClicks(b);
                QTRY_VERIFY_WITH_TIMEOUT(!shown || !shown->isVisible(), kWaitMs);
                return;
            }
        QFAIL(qPrintable(QStringLiteral("no button %1 on the box").arg(button)));
    }
    static QWidget *shownBox(const QString &text)
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->inherits("rj_app::views::AlertDlg") &&
                ModalDialogDriver::textOf(window) == text)
                return window;
        return nullptr;
    }

    // A click on a row of the sidebar's menu shows that page.
    void openTab(int row, const char *pageClass)
    {
        CHomeDlg *home = CHomeDlg::getInstance();
        auto *menu = child<QListView>(home, "m_pLvMenus");
        QVERIFY(menu && menu->isVisible());
        const QRect item = menu->visualRect(menu->model()->index(row, 0));
        personClicks(menu->viewport(), item.center());
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromLatin1(home->contentStack()->currentWidget()->metaObject()->className()),
                                  QString::fromLatin1(pageClass), kWaitMs);
        QVERIFY(home->contentStack()->currentWidget()->isVisible());
    }

    // The form's participants are picked from the contacts by their tick
    // boxes; back on the form each one's name is readable under the avatar,
    // whole, as the screen shows it.
    void pickParticipants(rj_app::views::CConferencesWidget *tab, QWidget *form, const QStringList &people)
    {
        auto *table = child<CConferencestableview>(form, "tableView");
        const auto cellsOf = [table](int type) {
            QList<QModelIndex> found;
            QAbstractItemModel *model = table->model();
            for (int row = 0; row < model->rowCount(); ++row)
                for (int column = 0; column < model->columnCount(); ++column) {
                    const QModelIndex index = model->index(row, column);
                    if (index.data(CConferencesTablemodel::TypeRole).toInt() == type)
                        found << index;
                }
            return found;
        };
        const auto namesOnForm = [&cellsOf] {
            QStringList names;
            for (const QModelIndex &cell : cellsOf(participantItemData::Participant))
                names << cell.data(CConferencesTablemodel::NameRole).toString();
            names.sort();
            return names;
        };
        // The organizer is on a new meeting's form from the start.
        QStringList expected = namesOnForm() + people;
        expected.sort();
        const QList<QModelIndex> add = cellsOf(participantItemData::AddCell);
        QCOMPARE(add.size(), 1);
        personClicks(table->viewport(), table->visualRect(add.first()).center());
        QTRY_COMPARE_WITH_TIMEOUT(tab->stackedWidget()->currentWidget(), static_cast<QWidget *>(tab->selectuserPage()),
                                  kWaitMs);

        auto *picker = child<rj_app::views::CContactsListview>(tab->selectuserPage(), "listView");
        const auto rowOf = [picker](const QString &name) {
            for (int row = 0; row < picker->model()->rowCount(); ++row) {
                const rj_app::views::contactItemData item = picker->itemAt(row);
                if (item.type == rj_app::views::contactItemData::Contact && item.text == name)
                    return row;
            }
            return -1;
        };
        for (const QString &person : people) {
            QTRY_VERIFY2_WITH_TIMEOUT(rowOf(person) >= 0, qPrintable(person), kWaitMs);
            const QModelIndex row = picker->model()->index(rowOf(person), 0);
            picker->scrollTo(row);
            const QRect tick = picker->contactsDelegate()->tickRect(picker->visualRect(row));
            personClicks(picker->viewport(), tick.center());
            QTRY_VERIFY2_WITH_TIMEOUT(picker->itemAt(row.row()).selected, qPrintable(person), kWaitMs);
        }
        personClicks(child<QPushButton>(tab->selectuserPage(), "pBtn_ok"));
        QTRY_COMPARE_WITH_TIMEOUT(tab->stackedWidget()->currentWidget(), form, kWaitMs);

        // Each chip's name as the delegate lays it out: whole words, nothing
        // cut with "...", on one line or two.
        QTRY_COMPARE_WITH_TIMEOUT(namesOnForm(), expected, kWaitMs);
        const auto *delegate = qobject_cast<CConferencesDelegate *>(table->itemDelegate());
        QVERIFY(delegate);
        QFont font = table->font();
        font.setPixelSize(CConferencesDelegate::namePixelSize(delegate->scale()));
        const QFontMetrics metrics(font);
        for (const QModelIndex &cell : cellsOf(participantItemData::Participant)) {
            const QString name = cell.data(CConferencesTablemodel::NameRole).toString();
            const QRect area = CConferencesDelegate::nameRect(table->visualRect(cell), delegate->scale())
                                   .intersected(table->viewport()->rect());
            const QStringList lines = CConferencesDelegate::nameLines(name, metrics, area.width());
            QCOMPARE(lines.join(QLatin1Char(' ')), name);
            int widest = 0;
            for (const QString &line : lines)
                widest = qMax(widest, metrics.horizontalAdvance(line));

            // What the screen shows there: ink as wide as the widest line and
            // as tall as the lines, where the widget itself paints it.
            const auto dark = [](QRgb pixel) { return qGray(pixel) < 150; };
            const QRect onScreen(screenRectOf(table->viewport()).topLeft() + area.topLeft(), area.size());
            QImage seen;
            QRect ink;
            const auto readable = [&] {
                seen = grabScreen(onScreen);
                ink = inkIn(seen, seen.rect(), dark);
                return ink.width() >= widest - 3
                       && (lines.size() < 2 || ink.height() > metrics.height());
            };
            QTRY_VERIFY2_WITH_TIMEOUT(readable(),
                                      qPrintable(QStringLiteral("%1 (%2): ink %3 on screen at %4 for lines %5 wide")
                                                     .arg(name, lines.join(QLatin1Char('|')), rectText(ink),
                                                          rectText(onScreen))
                                                     .arg(widest)),
                                      kWaitMs);
            const QImage painted = table->viewport()->grab(area).toImage();
            const QRect paintedInk = inkIn(painted, painted.rect(), dark);
            QVERIFY2(qAbs(paintedInk.left() - ink.left()) <= 1 && qAbs(paintedInk.right() - ink.right()) <= 1
                         && qAbs(paintedInk.top() - ink.top()) <= 1 && qAbs(paintedInk.bottom() - ink.bottom()) <= 1,
                     qPrintable(QStringLiteral("%1: the widget paints %2, the screen shows %3")
                                    .arg(name, rectText(paintedInk), rectText(ink))));
        }
        checkShot(QStringLiteral("participants"), [table] { return grabScreen(screenRectOf(table)); });
    }

    // What a directory row's mark shows on screen: the grey "Added" of a
    // person who is a contact already, or else the red "Add" button; told
    // apart by colour and by the width of the word.
    void expectMarkOnScreen(rj_app::views::CContactsAddListview *directory, const QModelIndex &row, bool added)
    {
        const rj_app::views::CContactsAddDelegate *delegate = directory->usersDelegate();
        const QRect mark = delegate->buttonRect(directory->visualRect(row));
        const QRect onScreen(screenRectOf(directory->viewport()).topLeft() + mark.topLeft(), mark.size());
        QFont font = directory->font();
        font.setPixelSize(int(13 * delegate->scale()));
        const QFontMetrics metrics(font);
        const int word = metrics.horizontalAdvance(added ? QStringLiteral("Added") : QStringLiteral("Add"));
        const int other = metrics.horizontalAdvance(added ? QStringLiteral("Add") : QStringLiteral("Added"));
        const auto pink = [](QRgb p) {
            return qAbs(qRed(p) - 0xff) <= 8 && qAbs(qGreen(p) - 0xdd) <= 8 && qAbs(qBlue(p) - 0xdd) <= 8;
        };
        const auto grey = [](QRgb p) { return qGray(p) < 235 && qAbs(qRed(p) - qBlue(p)) < 12; };
        const auto red = [](QRgb p) { return qRed(p) > 180 && qGreen(p) < 150 && qBlue(p) < 150; };
        QImage seen;
        QRect ink;
        QRect fill;
        const auto shows = [&] {
            seen = grabScreen(onScreen);
            ink = inkIn(seen, seen.rect(), added ? std::function<bool(QRgb)>(grey) : std::function<bool(QRgb)>(red));
            fill = inkIn(seen, seen.rect(), pink);
            const bool button = fill.width() > mark.width() / 2;
            return button != added && qAbs(ink.width() - word) <= 3 && qAbs(ink.width() - other) > 3;
        };
        const QString person = row.data(rj_app::views::CContactsAddListmodel::TextRole).toString();
        QTRY_VERIFY2_WITH_TIMEOUT(shows(),
                                  qPrintable(QStringLiteral("%1: ink %2 (\"%3\" is %4 wide), button fill %5, at %6")
                                                 .arg(person, rectText(ink),
                                                      added ? QStringLiteral("Added") : QStringLiteral("Add"))
                                                 .arg(word)
                                                 .arg(rectText(fill), rectText(onScreen))),
                                  kWaitMs);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());
        CMainDlgManager::getInstance()->setExitFunction([this](int code) { m_exitCode = code; });
    }

    // The login window comes up with the waiting overlay, the engine starts
    // once, then the account page waits for the person.
    void loginWindowComesUp()
    {
        CLoginDlg *dlg = CLoginDlg::getInstance();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        QTRY_VERIFY_WITH_TIMEOUT(CRJSdkManager::getInstance() != nullptr, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!rj_app::views::CWaitingDlg::getInstance()->isVisible(), kWaitMs);
        QVERIFY(child<QPushButton>(dlg, "m_pBtnLogin")->isVisible());
        expectOnScreen(dlg, QStringLiteral("login"));
    }

    // Plain HTTP against the demo server's TLS port cannot reach it; a wrong
    // password shows the server's text and leaves the window ready; the right
    // one reaches the home window with the user's name.
    void signInAsAlice()
    {
        AlertBoxSeam seam;
        submitLogin(m_server.plainPort, QStringLiteral("alice"), QStringLiteral("Alice123"), false);
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, LoginFailed, kWaitMs);
        answerTheBox(QStringLiteral("Server unreachable, please try again later(8)."), QStringLiteral("OK"));
        QCOMPARE(seam.count(), 1);
        QVERIFY(CLoginDlg::getInstance()->isVisible());

        submitLogin(m_server, QStringLiteral("alice"), QStringLiteral("not-her-password"));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, LoginFailed, kWaitMs);
        answerTheBox(QStringLiteral("Invalid username or password."), QStringLiteral("OK"));
        QCOMPARE(seam.count(), 2);
        QVERIFY(CLoginDlg::getInstance()->isVisible());
        QVERIFY(!rj_app::views::CWaitingDlg::getInstance()->isVisible());

        submitLogin(m_server, QStringLiteral("alice"), QStringLiteral("Alice123"));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, LoggedIn, kWaitMs);
        CHomeDlg *home = CHomeDlg::getInstance();
        QTRY_VERIFY_WITH_TIMEOUT(home->isVisible(), kWaitMs);
        QVERIFY(CLoginDlg::getInstance()->isHidden());
        QVERIFY(QTest::qWaitForWindowExposed(home));
        QTRY_COMPARE_WITH_TIMEOUT(child<QToolButton>(home, "m_pBtnRegisterStatus")->text(), QStringLiteral("Online"),
                                  kWaitMs);
        QCOMPARE(QString::fromLatin1(home->contentStack()->currentWidget()->metaObject()->className()),
                 QStringLiteral("rj_app::views::CConferencesWidget"));
        expectOnScreen(home, QStringLiteral("home"));
    }

    // The meetings tab lists what alice owns or is invited to, as the demo
    // world has it, with the number and the organizer of each.
    void meetingsTabListsTheDemoMeetings()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        CConferencesListWidget *list = meetingList();
        QVERIFY(list && list->isVisible());
        const struct
        {
            int number;
            const char *name;
            const char *organizer;
        } demo[] = {{8201001, "Alice's room", "Alice Chen"}, {1001, "Weekly sync", "Alice Chen"},
                    {1002, "Board review", "Alice Chen"},    {1003, "All hands", "Dave Li"},
                    {1004, "Audio bridge", "Erin Park"},     {1005, "Planning", "Alice Chen"},
                    {1006, "Design review", "Dave Li"},      {1007, "Whiteboard session", "Erin Park"}};
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), int(std::size(demo)), kWaitMs);
        for (const auto &meeting : demo) {
            CConferenceItemWidget *row = meetingRow(list, meeting.number);
            QVERIFY2(row, meeting.name);
            const QStringList texts = rowTexts(row);
            QVERIFY2(texts.contains(QString::fromUtf8(meeting.name)), qPrintable(texts.join(QLatin1Char('|'))));
            QVERIFY2(texts.contains(QString::fromUtf8(meeting.organizer)), qPrintable(texts.join(QLatin1Char('|'))));
        }
        QVERIFY(rowTexts(meetingRow(list, 1001)).contains(QStringLiteral("Ongoing")));
        QVERIFY(rowTexts(meetingRow(list, 1005)).contains(QStringLiteral("Schedule")));

        // What the window shows with the list is a picture, not one colour.
        expectOnScreen(CHomeDlg::getInstance(), QStringLiteral("meetings"));
        expectOnScreen(list->viewport(), QStringLiteral("meeting-list"));
        QCOMPARE(seam.count(), 0);
    }

    // The schedule form sends the meeting with two participants, whose names
    // the form shows readably; the list shows it with the next free number,
    // as a meeting still to come.
    void scheduleAMeeting()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        auto *tab = CHomeDlg::getInstance()->findChild<rj_app::views::CConferencesWidget *>();
        personClicks(child<QWidget>(tab, "schedule_widget"));
        QTRY_COMPARE_WITH_TIMEOUT(tab->stackedWidget()->currentWidget()->objectName(),
                                  QStringLiteral("CConferencesSchedulePage"), kWaitMs);
        QWidget *form = tab->stackedWidget()->currentWidget();
        QCOMPARE(form->objectName(), QStringLiteral("CConferencesSchedulePage"));
        QVERIFY(form->isVisible());
        auto *title = child<QLineEdit>(form, "lineEdit_meetingtitle");
        QCOMPARE(title->text(), QStringLiteral("Alice Chen's meeting"));
        personTypes(title, QStringLiteral("Retro, end to end"));
        personTypes(child<QLineEdit>(form, "lineEdit_password"), QStringLiteral("4321"));
        pickParticipants(tab, form, {QStringLiteral("Carol Wu"), QStringLiteral("Dave Li")});
        if (QTest::currentTestFailed())
            return;
        personClicks(child<QPushButton>(form, "pBtn_schedule"));

        QTRY_COMPARE_WITH_TIMEOUT(tab->stackedWidget()->currentWidget()->objectName(),
                                  QStringLiteral("CConferencesMainPage"), kWaitMs);
        CConferencesListWidget *list = meetingList();
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 9, kWaitMs);
        CConferenceItemWidget *row = meetingRow(list, 1101);
        QVERIFY(row);
        const QStringList texts = rowTexts(row);
        QVERIFY2(texts.contains(QStringLiteral("Retro, end to end")), qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY(texts.contains(QStringLiteral("Schedule")));
        QVERIFY(texts.contains(QStringLiteral("Alice Chen")));
        QCOMPARE(seam.count(), 0);
    }

    // The directory's search finds Erin Park; "Add" makes her a contact.
    void addAContactFromTheDirectory()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        openTab(1, "rj_app::views::CContactsWidget");
        auto *tab = CHomeDlg::getInstance()->findChild<rj_app::views::CContactsWidget *>();
        auto *contacts = child<rj_app::views::CContactsListview>(tab, "listView");
        auto names = [contacts] {
            QStringList shown;
            for (int row = 0; row < contacts->model()->rowCount(); ++row)
                if (contacts->itemAt(row).type == rj_app::views::contactItemData::Contact)
                    shown << contacts->itemAt(row).text;
            return shown;
        };
        QTRY_COMPARE_WITH_TIMEOUT(names().size(), 3, kWaitMs);
        QVERIFY(names().contains(QStringLiteral("Carol Wu")));
        QVERIFY(names().contains(QStringLiteral("Dave Li")));
        QVERIFY(!names().contains(QStringLiteral("Erin Park")));

        // The list's first row leads to the directory.
        personClicks(contacts->viewport(), contacts->visualRect(contacts->model()->index(0, 0)).center());
        QTRY_COMPARE_WITH_TIMEOUT(child<QStackedWidget>(tab, "stackedWidget")->currentWidget()->objectName(),
                                  QStringLiteral("page_add"), kWaitMs);
        auto *directory = child<rj_app::views::CContactsAddListview>(tab, "listView_add");
        QTRY_VERIFY_WITH_TIMEOUT(directory->model()->rowCount() > 300, kWaitMs);
        // Right after the sign-in, people who already are contacts are marked,
        // whichever of the two answers came first.
        auto *search = child<QLineEdit>(tab, "lineEdit");
        for (const QString &contact : {QStringLiteral("Carol Wu"), QStringLiteral("Dave Li")}) {
            search->clear();
            personTypes(search, contact);
            QTRY_COMPARE_WITH_TIMEOUT(directory->model()->rowCount(), 1, kWaitMs);
            const QModelIndex row = directory->model()->index(0, 0);
            QCOMPARE(row.data(rj_app::views::CContactsAddListmodel::TextRole).toString(), contact);
            QVERIFY2(row.data(rj_app::views::CContactsAddListmodel::AddedRole).toBool(), qPrintable(contact));
            expectMarkOnScreen(directory, row, true);
            if (QTest::currentTestFailed())
                return;
        }
        search->clear();
        personTypes(search, QStringLiteral("erin"));
        QTRY_COMPARE_WITH_TIMEOUT(directory->model()->rowCount(), 1, kWaitMs);
        const QModelIndex erin = directory->model()->index(0, 0);
        QCOMPARE(erin.data(rj_app::views::CContactsAddListmodel::TextRole).toString(), QStringLiteral("Erin Park"));
        QVERIFY(!erin.data(rj_app::views::CContactsAddListmodel::AddedRole).toBool());
        expectMarkOnScreen(directory, erin, false);
        if (QTest::currentTestFailed())
            return;

        const QRect button = directory->usersDelegate()->buttonRect(directory->visualRect(erin));
        personClicks(directory->viewport(), button.center());
        QTRY_VERIFY_WITH_TIMEOUT(names().contains(QStringLiteral("Erin Park")), kWaitMs);
        QVERIFY(directory->model()->index(0, 0).data(rj_app::views::CContactsAddListmodel::AddedRole).toBool());
        expectMarkOnScreen(directory, directory->model()->index(0, 0), true);
        if (QTest::currentTestFailed())
            return;
        expectOnScreen(tab, QStringLiteral("contacts"));
        QCOMPARE(seam.count(), 0);
    }

    // Meeting 1001's row joins it through the join dialog; the call window
    // comes up connected and its hang-up leads back home.
    void joinFromTheMeetingList()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        openTab(0, "rj_app::views::CConferencesWidget");
        joinFromMeetingList(1001);
        if (QTest::currentTestFailed())
            return;

        expectTheCall(QStringLiteral("Weekly sync"));
        if (QTest::currentTestFailed())
            return;
        leaveTheCall();
        QTRY_VERIFY_WITH_TIMEOUT(CHomeDlg::getInstance()->isVisible(), kWaitMs);
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isHidden());
        QCOMPARE(login()->m_loginStatus, LoggedIn);
        QCOMPARE(seam.count(), 0);
    }

    // The avatar opens the profile with her name; its Logout signs her out.
    void logoutFromTheProfile()
    {
        CHomeDlg *home = CHomeDlg::getInstance();
        QString shownName;
        ModalDialogDriver driver(kWaitMs);
        driver.expect("rj_app::views::CMyInfoDlg", ModalDialogDriver::both(
                                                       [&shownName](QWidget *popup) {
                                                           shownName = child<QLabel>(popup, "m_pLblDisplayName")->text();
                                                       },
                                                       personClicksButtonNamed(QStringLiteral("m_pBtnLogout"))));
        personClicksAndAnswers(child<QLabel>(home, "m_pLblAvatar"), driver);
        QCOMPARE(shownName, QStringLiteral("Alice Chen"));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, NotLogin, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(CLoginDlg::getInstance()->isVisible(), kWaitMs);
        QVERIFY(home->isHidden());
    }

    // Skipping the login reaches
    // the home window registered for calls, and a join URL from a second
    // start dials from there and comes back when the call ends.
    void skipTheLoginAndJoinByUrl()
    {
        QWidget *page = CLoginDlg::getInstance()->findChild<rj_app::views::CLoginInfoForm *>();
        QTRY_VERIFY_WITH_TIMEOUT(page->isVisible(), kWaitMs);
        personClicks(child<QWidget>(page, "m_pLblSkipLogin"));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, AnonymousLoggedIn, kWaitMs);
        CHomeDlg *home = CHomeDlg::getInstance();
        QTRY_VERIFY_WITH_TIMEOUT(home->isVisible(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);

        CMainDlgManager::getInstance()->receiveDuplicatedAppMessage(
            QStringLiteral("--url=glimora://joinmeeting/1001/0/NO"));
        expectTheCall(QStringLiteral("Weekly sync"));
        if (QTest::currentTestFailed())
            return;
        leaveTheCall();
        QTRY_VERIFY_WITH_TIMEOUT(home->isVisible(), kWaitMs);
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isHidden());
    }

    // A guest joins from the guest page and is back at the login window when
    // the meeting ends; the guest fields are kept for the next time.
    void joinAsAGuest()
    {
        // After a skipped login the sidebar's exit leads back to the login.
        auto *exitButton = CHomeDlg::getInstance()->findChild<CHomeExitButton *>();
        QVERIFY(exitButton && exitButton->isVisible());
        personClicks(exitButton);
        QTRY_VERIFY_WITH_TIMEOUT(CLoginDlg::getInstance()->isVisible(), kWaitMs);
        QWidget *info = CLoginDlg::getInstance()->findChild<rj_app::views::CLoginInfoForm *>();
        personClicks(child<QWidget>(info, "m_pLblGuestJoinMeeting"));
        QWidget *guest = CLoginDlg::getInstance()->findChild<rj_app::views::CLoginJoinConfForm *>();
        QTRY_VERIFY_WITH_TIMEOUT(guest->isVisible(), kWaitMs);
        personTypes(child<QLineEdit>(guest, "m_pEditServer"), QStringLiteral("127.0.0.1"));
        personTypes(child<QLineEdit>(guest, "m_pEditConfNumber"), QStringLiteral("1002"));
        personTypes(child<QLineEdit>(guest, "m_pEditDisplayName"), QStringLiteral("Zoë Gast"));
        personTypes(child<QLineEdit>(guest, "m_pEditPassword"), QStringLiteral("1234"));
        personClicks(child<QPushButton>(guest, "m_bBtnJoinConf"));
        // The meeting's name shows, never the dial string with its password.
        expectTheCall(QStringLiteral("Board review"));
        if (QTest::currentTestFailed())
            return;
        leaveTheCall();
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, NotLogin, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(CLoginDlg::getInstance()->isVisible(), kWaitMs);
        QCOMPARE(rj_app::helpers::CUserConfigUtils::getInstance()->getJoinConfDisplayName(), QStringLiteral("Zoë Gast"));
        personClicks(child<QPushButton>(guest, "m_pBtnBack"));
        QTRY_VERIFY_WITH_TIMEOUT(info->isVisible(), kWaitMs);
    }

    // bob must change his first password; the new one signs him in.
    void changeBobsFirstPassword()
    {
        QWidget *info = CLoginDlg::getInstance()->findChild<rj_app::views::CLoginInfoForm *>();
        personTypes(child<QLineEdit>(info, "m_pEditAccount"), QStringLiteral("bob"));
        personTypes(child<QLineEdit>(info, "m_pEditPassword"), QStringLiteral("Bob12345"));
        personClicks(child<QPushButton>(info, "m_pBtnLogin"));
        QWidget *change = CLoginDlg::getInstance()->findChild<rj_app::views::CLoginChangePasswordForm *>();
        QTRY_VERIFY_WITH_TIMEOUT(change->isVisible(), kWaitMs);
        QVERIFY(CHomeDlg::getInstance()->isHidden());
        personTypes(child<QLineEdit>(change, "m_pEditPassword"), QStringLiteral("NewBob#2026"));
        personTypes(child<QLineEdit>(change, "m_pEditConfirmPassword"), QStringLiteral("NewBob#2026"));
        AlertBoxSeam seam;
        personClicks(child<QPushButton>(change, "m_pBtnNext"));
        QCOMPARE(seam.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, LoggedIn, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(CHomeDlg::getInstance()->isVisible(), kWaitMs);
        QCOMPARE(login()->getPassword(), QStringLiteral("NewBob#2026"));
    }

    // The close button asks first (once, however often it is clicked);
    // Cancel keeps the client, Ok ends it through the orderly exit with 0.
    void exitFromTheHomeWindow()
    {
        auto *close = child<QPushButton>(CHomeDlg::getInstance(), "m_pBtnClose");
        AlertBoxSeam seam;
        QString asked;
        auto readIt = [&asked](QWidget *box) { asked = ModalDialogDriver::textOf(box); };
        {
            // A second click on the close button while the question is open
            // asks nothing more; the question still takes the answer.
            ModalDialogDriver driver(kWaitMs);
            driver.expect("rj_app::views::AlertDlg",
                          ModalDialogDriver::both(readIt, ModalDialogDriver::both(
                                                              [close](QWidget *) { personClicks(close); },
                                                              personClicksButtonText(QStringLiteral("Cancel")))));
            personClicks(close);
            QTRY_VERIFY2_WITH_TIMEOUT(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))),
                                      kWaitMs);
        }
        QCOMPARE(asked, QStringLiteral("Are you sure to close app?"));
        QCOMPARE(seam.count(), 1);
        QCOMPARE(m_exitCode, -1);
        QVERIFY(CHomeDlg::getInstance()->isVisible());
        ModalDialogDriver driver(kWaitMs);
        driver.expect("rj_app::views::AlertDlg", personClicksButtonText(QStringLiteral("OK")));
        personClicks(close);
        QTRY_COMPARE_WITH_TIMEOUT(m_exitCode, 0, kWaitMs);
        QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
        QVERIFY(CRJSdkManager::getInstance() == nullptr);
    }

    // The real program: a start URL joins meeting 1001; a second start hands
    // "Activate" over and exits 0; the end of the session ends the client with
    // 0 and no crash report. Neither prints to stdout, and the log names the
    // system it runs on.
    void realExecutable()
    {
        QTemporaryDir root(glimora::test::isolatedRoot() + QStringLiteral("/client-XXXXXX"));
        QVERIFY(root.isValid());
        ClientProcess client(root.path());
        QProcess first;
        client.start(first, {QStringLiteral("--url=glimora://joinmeeting/1001/0/NO")});
        QVERIFY(first.waitForStarted(kWaitMs));
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains(QLatin1String("ConfConnected")), kWaitMs);
        QVERIFY(client.log().contains(QLatin1String("CLayoutBackgroundDlg")));

        QProcess second;
        client.start(second, {});
        QVERIFY(second.waitForFinished(kWaitMs));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(QFile::exists(client.dataDir() + QStringLiteral("/app-conflict.log")));
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains(QLatin1String("Only activate the app")), kWaitMs);

        ::kill(pid_t(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(kWaitMs));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(client.log().contains(QLatin1String("Exit app")));
        QCOMPARE(QString::fromLocal8Bit(first.readAllStandardOutput()), QString());
        QCOMPARE(QString::fromLocal8Bit(second.readAllStandardOutput()), QString());
        QVERIFY(client.log().contains(QStringLiteral("System: %1 , kernel: %2 %3")
                                          .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(),
                                               QSysInfo::kernelVersion())));
        // The log configuration's own lines went into the log, not elsewhere.
        QVERIFY(client.log().contains(QLatin1String("Key: log4j.rootLogger")));
        QCOMPARE(QDir(client.dataDir()).entryList({QStringLiteral("*.dmp")}, QDir::Files), QStringList());
    }
};

GLIMORA_E2E_MAIN(TestEndToEnd, "0")

#include "tst_e2e.moc"
