// glimora-bench-lists: the home window's two long lists in a shown window,
// fed by a loopback server of its own the way the management server's
// answers reach them.
//
//   glimora-bench-lists --directory [--users N] [--loads N] [--rounds N]
//   glimora-bench-lists --meetings [--count N] [--loads N]
//
// --directory: the contacts tab with its user directory on screen. The
// directory answer (N users, 10000 by default, each with a picture) is loaded
// --loads times (3), then a query is typed into the search field one key at
// a time and erased again, --rounds times (2): the first round while the
// users' pictures still arrive, the others once they are all in.
// --meetings: the meetings tab's list. The first answer (N meetings, 500 by
// default) comes as after sign-in, the next --loads - 1 (10) as the tab's
// periodic refresh fetches them: every other one the same list again, the
// others a changed one (the first meeting gone, a new one at the end).
//
// Prints lines starting with "bench:" on stdout, all times in ms:
//   bench: mode=directory load=<i> kind=<first|again> total= answer= apply= paint= build= rows=
//   bench: mode=directory round=<r> pictures=<arrived>/<users> key=<i> query=<text, '+' for blanks> ms= filter=
//          list= rows=
//   bench: mode=meetings load=<i> kind=<first|unchanged|changed> total= answer= apply= paint= build= rows=
// where, for a load: total is from the request to the rows on screen; answer
// the longest single event of the answer's network reply (its reading and
// parsing, which holds up the window); apply the tab's handling of the
// success signal; paint from there to the end of the window update that
// painted the rows; build from the start of that answer event to the same
// end. For a key: ms is from the key press to the end of the window update
// that painted the list again, or, when the rows shown stay the same, of the
// next window update (the key in the search field); filter is the key
// press's own handling, the search included; list is "painted", "same" or
// "not-painted" (not within 250 ms).
// and the summaries
//   bench: mode=directory keys median= worst= settled_median= settled_worst= arriving_median= arriving_worst=
//          pictures=<arrived>/<users>
//   bench: mode=meetings refresh unchanged_median= unchanged_worst= changed_median= changed_worst=
// (the refreshes' build times). Ends with "bench: mode=<mode> done" or
// "bench: error=<what>" (status 1).

#include "helpers/CUserConfigUtils.h"
#include "models/CLoginManager.h"
#include "models/CUCMApiManager.h"
#include "models/CUrlPixmap.h"
#include "views/meetings/CConferencesListWidget.h"
#include "views/meetings/CConferencesMainPage.h"
#include "views/meetings/CConferencesWidget.h"
#include "views/meetings/CContactsAddListview.h"
#include "views/meetings/CContactsListmodel.h"
#include "views/meetings/CContactsListview.h"
#include "views/meetings/CContactsWidget.h"
#include "views/meetings/CSearchAddEdit.h"

#include <httplib.h>

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFont>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using rj_app::models::CLoginManager;
using rj_app::models::CUCMApiManager;
using rj_app::models::CUrlPixmap;
using namespace rj_app::views;

namespace {

constexpr int kSignedInUser = 1;
const char kToken[] = "sim-alice-1";
// What the home window leaves its tabs beside the sidebar and under the title bar.
const QSize kTabSize(787, 545);

QElapsedTimer g_clock;

double nowMs()
{
    return double(g_clock.nsecsElapsed()) / 1e6;
}

// What the event dispatch reports to the measurements.
struct Probe
{
    QWidget *window = nullptr;        // the top-level widget that gets the update requests
    QWidget *viewport = nullptr;      // the list's viewport
    // Whether a paint of `receiver` (a widget, still alive) shows list rows.
    std::function<bool(QObject *receiver)> isRowPaint;

    bool viewportSeen = false;        // in the current window update
    bool rowsSeen = false;
    int updates = 0;                  // window updates
    int viewportUpdates = 0;          // window updates that painted the viewport
    int rowUpdates = 0;               // window updates that painted rows
    double viewportUpdateEnd = -1;
    double rowUpdateEnd = -1;
    double updateEnd = -1;            // the last window update, whatever it painted

    // The longest single event delivered to a network reply since reset.
    double replyLongest = 0;
    double replyLongestStart = -1;

    void resetReply()
    {
        replyLongest = 0;
        replyLongestStart = -1;
    }
};

Probe g_probe;

// Times the events the measurements need; everything else passes unchanged.
class BenchApp : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        // The receiver may be gone when the event returns (a deferred delete):
        // everything about it is read before.
        const QEvent::Type type = event->type();
        const bool toReply = qobject_cast<QNetworkReply *>(receiver) != nullptr;
        const bool windowUpdate = type == QEvent::UpdateRequest && receiver == g_probe.window;
        if (type == QEvent::Paint && g_probe.viewport) {
            if (receiver == g_probe.viewport)
                g_probe.viewportSeen = true;
            if (g_probe.isRowPaint && g_probe.isRowPaint(receiver))
                g_probe.rowsSeen = true;
        }
        const double start = toReply ? nowMs() : 0;
        const bool result = QApplication::notify(receiver, event);
        if (toReply) {
            const double end = nowMs();
            if (end - start > g_probe.replyLongest) {
                g_probe.replyLongest = end - start;
                g_probe.replyLongestStart = start;
            }
        }
        if (windowUpdate) {
            const double end = nowMs();
            g_probe.updateEnd = end;
            ++g_probe.updates;
            if (g_probe.viewportSeen) {
                ++g_probe.viewportUpdates;
                g_probe.viewportUpdateEnd = end;
            }
            if (g_probe.rowsSeen) {
                ++g_probe.rowUpdates;
                g_probe.rowUpdateEnd = end;
            }
            g_probe.viewportSeen = g_probe.rowsSeen = false;
        }
        return result;
    }
};

// Runs events until `done` holds or `limitMs` passed; true when it held.
bool runUntil(const std::function<bool()> &done, double limitMs)
{
    // A tick keeps the wait from sleeping past the limit when nothing happens.
    QTimer tick;
    tick.start(2);
    const double end = nowMs() + limitMs;
    while (!done()) {
        if (nowMs() >= end)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void runFor(double ms)
{
    runUntil([] { return false; }, ms);
}

struct Options
{
    enum Mode { None, Directory, Meetings } mode = None;
    int count = 0;
    int loads = 0;
    int rounds = 2;
};

bool parseOptions(int argc, char **argv, Options *options)
{
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--directory") == 0)
            options->mode = Options::Directory;
        else if (std::strcmp(argv[i], "--meetings") == 0)
            options->mode = Options::Meetings;
        else if ((std::strcmp(argv[i], "--users") == 0 || std::strcmp(argv[i], "--count") == 0) && hasValue)
            options->count = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--loads") == 0 && hasValue)
            options->loads = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--rounds") == 0 && hasValue)
            options->rounds = std::atoi(argv[++i]);
        else
            return false;
    }
    if (options->mode == Options::Directory) {
        options->count = options->count > 0 ? options->count : 10000;
        options->loads = options->loads > 0 ? options->loads : 3;
    } else if (options->mode == Options::Meetings) {
        options->count = options->count > 0 ? options->count : 500;
        options->loads = options->loads > 0 ? options->loads : 11;
    }
    return options->mode != Options::None && options->rounds > 0;
}

// ---- the answers -------------------------------------------------------------

QByteArray compact(const QJsonArray &array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QString userName(int id)
{
    return QStringLiteral("User %1").arg(id);
}

// Users 1 .. count, shaped like the demo server's, every one with a picture.
QByteArray usersAnswer(int count)
{
    QJsonArray list;
    for (int id = 1; id <= count; ++id) {
        const QString callNumber = QString::number(9000 + id);
        list.append(QJsonObject{
            {QStringLiteral("id"), id},
            {QStringLiteral("name"), QStringLiteral("user%1").arg(id)},
            {QStringLiteral("password"), QString()},
            {QStringLiteral("displayName"), userName(id)},
            {QStringLiteral("email"), QStringLiteral("user%1@example.com").arg(id)},
            {QStringLiteral("telephone"), QString()},
            {QStringLiteral("cellphone"), QString()},
            {QStringLiteral("description"), QStringLiteral("Department %1").arg(id % 40)},
            {QStringLiteral("callNumber"), callNumber},
            {QStringLiteral("imageURL"), QStringLiteral("/userFiles/avatar/%1.jpg?v=1").arg(id)},
            {QStringLiteral("lastModifiedTime"), 1765000000},
            {QStringLiteral("systemmanager"), false},
            {QStringLiteral("vmr"), QString::number(8201000 + id)},
            {QStringLiteral("sipUserName"), callNumber},
            {QStringLiteral("sipAuthName"), callNumber},
            {QStringLiteral("sipPassword"), QString()},
            {QStringLiteral("status"), 1},
            {QStringLiteral("passwordModifiedByUser"), true},
            {QStringLiteral("company"), 1},
            {QStringLiteral("companyShortName"), QStringLiteral("Example")},
            {QStringLiteral("endpointId"), 0},
        });
    }
    return compact(list);
}

// The signed-in user's own entry and two contacts.
QByteArray contactsAnswer()
{
    QJsonArray list;
    int id = 1;
    for (int userId : {kSignedInUser, 2, 3}) {
        list.append(QJsonObject{
            {QStringLiteral("id"), id++},
            {QStringLiteral("name"), userName(userId)},
            {QStringLiteral("ownerId"), kSignedInUser},
            {QStringLiteral("userId"), userId},
            {QStringLiteral("userName"), QStringLiteral("user%1").arg(userId)},
            {QStringLiteral("callNumber"), QString::number(9000 + userId)},
            {QStringLiteral("imageURL"), QStringLiteral("/userFiles/avatar/%1.jpg?v=1").arg(userId)},
            {QStringLiteral("status"), QStringLiteral("NORMAL")},
        });
    }
    return compact(list);
}

QJsonObject userRef(int id)
{
    return QJsonObject{{QStringLiteral("id"), id},
                       {QStringLiteral("name"), QStringLiteral("user%1").arg(id)},
                       {QStringLiteral("displayName"), userName(id)}};
}

// Meetings shaped like the demo server's: mostly scheduled ones over the
// coming weeks, some running, a few fixed rooms; a third of them the signed-in
// user's own, each with two to nine people invited. `first` is the first
// meeting's number in the list.
QByteArray meetingsAnswer(int count, int first = 0)
{
    static const char *const topics[] = {"Weekly sync", "Design review", "Planning", "Board review",
                                         "All hands", "Customer call", "Retrospective", "Interview"};
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    QJsonArray list;
    for (int i = first; i < first + count; ++i) {
        const int id = i + 1;
        const bool fixed = i % 50 == 0;
        const bool running = !fixed && i % 7 == 0;
        const int owner = i % 3 == 0 ? kSignedInUser : 2 + i % 20;
        QJsonArray users;
        users.append(userRef(owner));
        for (int k = 0; k < 1 + i % 8; ++k)
            users.append(userRef(30 + (i * 7 + k * 13) % 300));
        list.append(QJsonObject{
            {QStringLiteral("id"), id},
            {QStringLiteral("name"), QStringLiteral("%1 %2").arg(QLatin1String(topics[i % 8])).arg(id)},
            {QStringLiteral("startTime"), double(running ? now - 600000 : now + qint64(i) * 3600000)},
            {QStringLiteral("duration"), double((30 + 30 * (i % 4)) * 60000)},
            {QStringLiteral("numericId"), fixed ? 8201100 + i : 100000 + id},
            {QStringLiteral("confPassword"), i % 4 == 0 ? QStringLiteral("1234") : QString()},
            {QStringLiteral("remarks"), QStringLiteral("Agenda in the shared folder.")},
            {QStringLiteral("status"), fixed ? QStringLiteral("IDLE")
                                             : running ? QStringLiteral("ONGOING") : QStringLiteral("SCHEDULED")},
            {QStringLiteral("users"), users},
            {QStringLiteral("applicant"), userRef(owner)},
        });
    }
    return compact(list);
}

QByteArray pictureBytes()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(QColor(0x43, 0x81, 0xff));
    QPainter painter(&image);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(16, 8, 32, 32));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

// The management server's routes the tabs use, answered on loopback from
// bodies made beforehand, on the server's own threads.
class AnswerServer
{
public:
    AnswerServer(QByteArray users, QByteArray contacts, QByteArray meetings, QByteArray picture)
        : m_users(users.toStdString())
        , m_contacts(contacts.toStdString())
        , m_meetings(meetings.toStdString())
        , m_picture(picture.toStdString())
    {
        // Headers and body leave at once rather than waiting on the
        // client's delayed acknowledgement.
        m_server.set_tcp_nodelay(true);
        const auto json = [](const std::string &body) {
            return [&body](const httplib::Request &, httplib::Response &res) {
                res.set_content(body, "application/json;charset=UTF-8");
            };
        };
        m_server.Get("/api/rest/v2.0/users", json(m_users));
        m_server.Get("/api/rest/v2.0/contacts", json(m_contacts));
        m_server.Get("/api/rest/v2.0/meetings", [this](const httplib::Request &, httplib::Response &res) {
            std::lock_guard<std::mutex> lock(m_mutex);
            res.set_content(m_meetings, "application/json;charset=UTF-8");
        });
        m_server.Get(R"(/userFiles/avatar/[0-9]+\.jpg)", [this](const httplib::Request &, httplib::Response &res) {
            res.set_content(m_picture, "image/jpeg");
        });
        m_server.Get(".*", [](const httplib::Request &, httplib::Response &res) {
            res.status = 404;
            res.set_content(R"({"errorCode":404,"errorInfo":"Not found"})", "application/json");
        });
    }

    ~AnswerServer()
    {
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }

    bool start()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            return false;
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        return true;
    }

    int port() const { return m_port; }

    // The meeting list answered from now on.
    void setMeetings(const QByteArray &meetings)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_meetings = meetings.toStdString();
    }

private:
    std::mutex m_mutex;
    std::string m_users, m_contacts, m_meetings, m_picture;
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};

// As after a sign-in to that server: the tabs read the address and token here.
void signIn(int port)
{
    using rj_app::helpers::CUserConfigUtils;
    if (!CUserConfigUtils::getInstance())
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
    CUserConfigUtils::getInstance()->setUseHttps(false);
    CLoginManager *login = CLoginManager::getInstance();
    login->m_qstrServerHostName = QStringLiteral("127.0.0.1");
    login->m_iPort = port;
    login->m_loginStatus = rj_app::enums::LoggedIn;
    login->m_userInfo.userId = kSignedInUser;
    login->m_userInfo.token = kToken;
    login->m_userInfo.vmr = "8201001";
    login->m_qstrDisplayName = userName(kSignedInUser);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

[[noreturn]] void fail(const char *what)
{
    std::printf("bench: error=%s\n", what);
    std::fflush(stdout);
    std::_Exit(1);
}

// ---- one load ------------------------------------------------------------------

// The success signal of the load under way, seen before and after the tab's
// own slot (connections run in the order they were made).
struct SignalTimes
{
    double before = -1;
    double after = -1;
};

// Sends the request with `send`, then waits for the rows on screen; prints
// the load's line.
double measureLoad(const char *mode, const char *kind, int index, SignalTimes *times,
                   const std::function<void()> &send, const std::function<int()> &rows)
{
    *times = SignalTimes();
    g_probe.resetReply();
    const double start = nowMs();
    send();
    if (!runUntil([times] { return times->after >= 0; }, 10000))
        fail("no-success-signal");
    // Rows painted after the tab had them.
    const int afterSlot = g_probe.rowUpdates;
    if (!runUntil([afterSlot] { return g_probe.rowUpdates > afterSlot; }, 10000))
        fail("rows-not-painted");
    const double end = g_probe.rowUpdateEnd;
    const double build = end - g_probe.replyLongestStart;
    std::printf("bench: mode=%s load=%d kind=%s total=%.2f answer=%.2f apply=%.2f paint=%.2f build=%.2f rows=%d\n",
                mode, index, kind, end - start, g_probe.replyLongest, times->after - times->before,
                end - times->after, build, rows());
    std::fflush(stdout);
    return build;
}

void showTab(QWidget *tab)
{
    tab->resize(kTabSize);
    tab->show();
    if (!QTest::qWaitForWindowExposed(tab, 10000))
        fail("tab-not-exposed");
    runFor(50);
}

// ---- the user directory --------------------------------------------------------

int runDirectory(const Options &options)
{
    AnswerServer server(usersAnswer(options.count), contactsAnswer(), QByteArray("[]"), pictureBytes());
    if (!server.start())
        fail("server-did-not-start");
    signIn(server.port());
    CUCMApiManager *api = CUCMApiManager::getInstance();
    const QString prefix = CLoginManager::getInstance()->getUrlPrefix();
    const QString token = CLoginManager::getInstance()->getToken();

    SignalTimes times;
    QObject::connect(api, &CUCMApiManager::signal_getUsers_succeed, [&times] { times.before = nowMs(); });
    // Built as the home window builds it.
    CContactsWidget tab;
    tab.updateDpi(1.0);
    QObject::connect(api, &CUCMApiManager::signal_getUsers_succeed, [&times] { times.after = nowMs(); });

    int pictures = 0;
    QObject::connect(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished, [&pictures] { ++pictures; });

    showTab(&tab);
    // The own contacts first, then the directory page, as a click on the
    // list's first row opens it.
    api->getContacts(prefix, token);
    if (!runUntil([&tab] { return tab.contactsView()->contactsModel()->rowCount() > 3; }, 10000))
        fail("no-contacts");
    tab.contactsView()->setCurrentIndex(tab.contactsView()->contactsModel()->index(0, 0));
    if (tab.pages()->currentWidget() != tab.directoryView()->parentWidget())
        fail("directory-page-not-shown");
    runFor(50);

    CContactsAddListview *view = tab.directoryView();
    QSortFilterProxyModel *proxy = view->proxyModel();
    g_probe.window = tab.window();
    g_probe.viewport = view->viewport();
    g_probe.isRowPaint = [view, proxy](QObject *receiver) {
        return receiver == view->viewport() && proxy->rowCount() > 0;
    };

    for (int i = 1; i <= options.loads; ++i) {
        measureLoad("directory", i == 1 ? "first" : "again", i, &times, [api, prefix, token] {
            api->clearSavedUsers();
            api->getUsers(prefix, token);
        }, [proxy] { return proxy->rowCount(); });
        runFor(100);
    }

    // Typed, then erased key by key; '+' stands for the blank in the output.
    const QString query = QStringLiteral("user 1234");
    CSearchAddEdit *edit = tab.searchEdit();
    edit->setFocus();
    // Whether a key changed the rows the list shows.
    bool listChanged = false;
    const auto changed = [&listChanged] { listChanged = true; };
    QObject::connect(proxy, &QAbstractItemModel::layoutChanged, changed);
    QObject::connect(proxy, &QAbstractItemModel::rowsInserted, changed);
    QObject::connect(proxy, &QAbstractItemModel::rowsRemoved, changed);
    QObject::connect(proxy, &QAbstractItemModel::modelReset, changed);
    std::vector<double> whileArriving, settled;
    for (int round = 1; round <= options.rounds; ++round) {
        if (round == 2) {
            // The rest of the pictures, before the keys of the later rounds.
            runUntil([&pictures, &options] { return pictures >= options.count; }, 120000);
        }
        const int arrived = pictures;
        for (int key = 0; key < 2 * query.size(); ++key) {
            const bool typing = key < query.size();
            const int updates = g_probe.updates;
            const int viewportUpdates = g_probe.viewportUpdates;
            listChanged = false;
            const double start = nowMs();
            if (typing)
                QTest::keyClick(edit, query.at(key).toLatin1());
            else
                QTest::keyClick(edit, Qt::Key_Backspace);
            const double handled = nowMs();
            // The field shows the key in the next window update; a list
            // whose rows changed is done once it is painted again.
            double end = handled;
            bool painted = false;
            if (listChanged) {
                painted = runUntil([viewportUpdates] { return g_probe.viewportUpdates > viewportUpdates; }, 250);
                end = painted ? g_probe.viewportUpdateEnd : handled;
            } else if (runUntil([updates] { return g_probe.updates > updates; }, 250)) {
                end = g_probe.updateEnd;
            }
            const double ms = end - start;
            (round == 1 ? whileArriving : settled).push_back(ms);
            QString shown = edit->text();
            shown.replace(QLatin1Char(' '), QLatin1Char('+'));
            std::printf("bench: mode=directory round=%d pictures=%d/%d key=%d query=%s ms=%.2f filter=%.2f "
                        "list=%s rows=%d\n",
                        round, arrived, options.count, key + 1, shown.isEmpty() ? "-" : qPrintable(shown), ms,
                        handled - start, !listChanged ? "same" : painted ? "painted" : "not-painted",
                        proxy->rowCount());
            std::fflush(stdout);
            // A person's pause between keys.
            runFor(120);
        }
    }
    std::printf("bench: mode=directory keys median=%.2f worst=%.2f settled_median=%.2f settled_worst=%.2f "
                "arriving_median=%.2f arriving_worst=%.2f pictures=%d/%d\n",
                median([&] {
                    std::vector<double> all = whileArriving;
                    all.insert(all.end(), settled.begin(), settled.end());
                    return all;
                }()),
                std::max(whileArriving.empty() ? 0 : *std::max_element(whileArriving.begin(), whileArriving.end()),
                         settled.empty() ? 0 : *std::max_element(settled.begin(), settled.end())),
                median(settled), settled.empty() ? -1 : *std::max_element(settled.begin(), settled.end()),
                median(whileArriving),
                whileArriving.empty() ? -1 : *std::max_element(whileArriving.begin(), whileArriving.end()),
                pictures, options.count);
    std::printf("bench: mode=directory done\n");
    std::fflush(stdout);
    return 0;
}

// ---- the meeting list ----------------------------------------------------------

int runMeetings(const Options &options)
{
    const QByteArray lists[2] = {meetingsAnswer(options.count), meetingsAnswer(options.count, 1)};
    AnswerServer server(usersAnswer(330), contactsAnswer(), lists[0], pictureBytes());
    if (!server.start())
        fail("server-did-not-start");
    signIn(server.port());
    CUCMApiManager *api = CUCMApiManager::getInstance();

    SignalTimes times;
    QObject::connect(api, &CUCMApiManager::signal_getConferences_succeed, [&times] { times.before = nowMs(); });
    CConferencesWidget tab;
    tab.updateDpi(1.0);
    // Each load below is one refresh; the timer's own would come in between.
    tab.setRefreshInterval(3600 * 1000);
    QObject::connect(api, &CUCMApiManager::signal_getConferences_succeed, [&times] { times.after = nowMs(); });

    showTab(&tab);
    CConferencesListWidget *list = tab.mainPage()->listWidget();
    g_probe.window = tab.window();
    g_probe.viewport = list->viewport();
    g_probe.isRowPaint = [list](QObject *receiver) {
        // The rows are widgets on the viewport.
        return receiver->isWidgetType() && static_cast<QWidget *>(receiver)->parentWidget() == list->viewport();
    };

    std::vector<double> unchanged, changed;
    int shown = 0;
    for (int i = 1; i <= options.loads; ++i) {
        const bool change = i > 1 && i % 2 == 1;
        if (change) {
            shown = 1 - shown;
            server.setMeetings(lists[shown]);
        }
        const char *kind = i == 1 ? "first" : change ? "changed" : "unchanged";
        const double build = measureLoad("meetings", kind, i, &times, [&tab, i] {
            if (i == 1)
                tab.slot_tokenChanged();   // as after the sign-in
            else
                tab.slot_updatePage();     // as the periodic refresh
        }, [list] { return list->count(); });
        if (i > 1)
            (change ? changed : unchanged).push_back(build);
        runFor(100);
    }
    const auto worst = [](const std::vector<double> &v) {
        return v.empty() ? -1 : *std::max_element(v.begin(), v.end());
    };
    std::printf("bench: mode=meetings refresh unchanged_median=%.2f unchanged_worst=%.2f changed_median=%.2f "
                "changed_worst=%.2f\n",
                median(unchanged), worst(unchanged), median(changed), worst(changed));
    std::printf("bench: mode=meetings done\n");
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    g_clock.start();
    Options options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: glimora-bench-lists --directory [--users N] [--loads N] [--rounds N]\n"
                             "       glimora-bench-lists --meetings [--count N] [--loads N]\n");
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("glimora"));
    int qtArgc = 1;
    BenchApp app(qtArgc, argv);
    // The client's own font (see the start-up code).
    QFont::insertSubstitutions(QStringLiteral("Microsoft YaHei"),
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    QApplication::setFont(QFont(QStringLiteral("Microsoft YaHei"), 9));
    // The request log would go to the terminal here, not to the client's log file.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    const int code = options.mode == Options::Directory ? runDirectory(options) : runMeetings(options);
    // Thousands of picture downloads may still be queued: they are not
    // waited for on the way out.
    std::fflush(stdout);
    std::_Exit(code);
}
