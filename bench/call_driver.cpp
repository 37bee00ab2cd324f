// glimora-bench-call: the client's own start-up in this process, a sign-in
// as alice through the login page and a join of meeting 1001 through the
// client's join-URL path; then, in the connected call, one of:
//
//   --layout [--reps N]          the call window's layout engine: a redraw and
//                                a resize of the shown layout in the normal
//                                mode and in the tiled mode with received
//                                content (all cells), a switch between content
//                                modes, and the pure geometry
//   --idle S [--settle S] [--count-events]
//                                CPU of the idle call over S seconds, from at
//                                least S (default 5) seconds after the connect
//                                and 3 s after the last picture of the
//                                sign-in's downloads arrived
//   --feeder N [--target screen|window]
//                                the screen feeder's cost per frame
//
//   glimora-bench-call --port <demo server port> <mode> [--timeout-ms N]
//
// Prints lines starting with "bench:" on stdout, fields as key=value (times
// in ms unless named otherwise; an "event" line's what= runs to the end of
// the line), or "bench: error=<what>" with exit status 1; then ends the way
// Exit does.

#include "app/AppStartup.h"
#include "app/CSingleApplication.h"
#include "models/CCallController.h"
#include "models/CRJSdkManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "models/CUrlPixmap.h"
#include "models/ScreenThread.h"
#include "rjsim_control.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/CWaitingDlg.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutCellCoverDlg.h"
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutPeopleSettingDlgGeometry.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CLoginInfoForm.h"
#include "views/main/CMainDlgManager.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using rj_app::models::CCallController;
using rj_app::models::CRJSdkManager;
using rj_app::models::ScreenThread;
using rj_app::views::AlertDlg;
using rj_app::views::CLayoutBackgroundDlg;
using rj_app::views::CLayoutCellDlg;
using rj_app::views::CLayoutPeopleSettingDlg;
using rj_app::views::CLoginDlg;
using rj_app::views::CLoginInfoForm;
using rj_app::views::CMainDlgManager;
using rj_app::views::CWaitingDlg;
using namespace rj_app::enums;

namespace {

const char *const kJoinUrl = "--url=glimora://joinmeeting/1001/0/NO";

QElapsedTimer g_clock;

double nowMs()
{
    return double(g_clock.nsecsElapsed()) / 1e6;
}

// CPU time of the calling thread.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Pages the calling thread has faulted in so far.
long threadMinorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

struct Stats
{
    double median = -1;
    double worst = -1;
    size_t n = 0;
};

Stats stats(std::vector<double> v)
{
    Stats s;
    s.n = v.size();
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    s.median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    s.worst = v.back();
    return s;
}

enum class Mode { None, Layout, Idle, Feeder };

struct Options
{
    int port = 0;
    Mode mode = Mode::None;
    int reps = 300;
    double idleSeconds = 30;
    double settleSeconds = 5;
    bool countEvents = false;
    int frames = 100;
    bool feedWindow = false;
    int timeoutMs = 60000;
};

bool parseOptions(int argc, char **argv, Options *o)
{
    for (int i = 1; i < argc; ++i) {
        const bool more = i + 1 < argc;
        if (std::strcmp(argv[i], "--port") == 0 && more) {
            o->port = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--timeout-ms") == 0 && more) {
            o->timeoutMs = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--layout") == 0) {
            o->mode = Mode::Layout;
        } else if (std::strcmp(argv[i], "--reps") == 0 && more) {
            o->reps = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--idle") == 0 && more) {
            o->mode = Mode::Idle;
            o->idleSeconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--settle") == 0 && more) {
            o->settleSeconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--count-events") == 0) {
            o->countEvents = true;
        } else if (std::strcmp(argv[i], "--feeder") == 0 && more) {
            o->mode = Mode::Feeder;
            o->frames = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--target") == 0 && more) {
            const char *t = argv[++i];
            if (std::strcmp(t, "window") == 0)
                o->feedWindow = true;
            else if (std::strcmp(t, "screen") != 0)
                return false;
        } else {
            return false;
        }
    }
    return o->port > 0 && o->mode != Mode::None && o->reps > 0 && o->idleSeconds > 0 && o->settleSeconds >= 0 &&
           o->frames > 1 && o->timeoutMs > 0;
}

template <typename T> T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

// ---------------------------------------------------------------------------
// CPU of the process and of each of its threads, from /proc.

QByteArray readProc(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The fields of a stat line after "(comm)"; field 3 of the man page is [0].
QList<QByteArray> statFields(const QByteArray &stat, QByteArray *comm)
{
    const int open = stat.indexOf('(');
    const int close = stat.lastIndexOf(')');
    if (open < 0 || close < open)
        return {};
    if (comm)
        *comm = stat.mid(open + 1, close - open - 1);
    return stat.mid(close + 2).trimmed().split(' ');
}

struct ThreadSample
{
    QByteArray comm;
    double runMs = 0; // schedstat: time on a CPU
    qint64 switches = 0; // voluntary context switches: times it went to sleep
};

struct ProcSample
{
    double atMs = 0;
    double cpuMs = 0; // utime + stime of the process
    std::map<int, ThreadSample> threads;
};

ProcSample sampleProc()
{
    ProcSample s;
    s.atMs = nowMs();
    const double tick = 1000.0 / double(sysconf(_SC_CLK_TCK));
    const QList<QByteArray> f = statFields(readProc(QStringLiteral("/proc/self/stat")), nullptr);
    if (f.size() > 12)
        s.cpuMs = (f[11].toDouble() + f[12].toDouble()) * tick;
    const QStringList tids = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &tid : tids) {
        const QString base = QStringLiteral("/proc/self/task/") + tid;
        ThreadSample t;
        statFields(readProc(base + QStringLiteral("/stat")), &t.comm);
        t.runMs = readProc(base + QStringLiteral("/schedstat")).split(' ').value(0).toDouble() / 1e6;
        for (const QByteArray &line : readProc(base + QStringLiteral("/status")).split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:"))
                t.switches = line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
        s.threads[tid.toInt()] = t;
    }
    return s;
}

// ---------------------------------------------------------------------------
// What wakes the GUI thread: events by kind and receiver, X events by type.

QByteArray describe(QObject *o)
{
    if (!o)
        return "-";
    QByteArray d = o->metaObject()->className();
    if (!o->objectName().isEmpty())
        d += "(" + o->objectName().toUtf8() + ")";
    return d;
}

class EventCounter : public QObject, public QAbstractNativeEventFilter
{
public:
    std::map<QByteArray, qint64> counts;
    std::map<int, qint64> xEvents;
    qint64 total = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        ++total;
        const QEvent::Type type = event->type();
        QByteArray key;
        switch (type) {
        case QEvent::Timer:
            key = "Timer " + describe(watched);
            if (auto *timer = qobject_cast<QTimer *>(watched))
                key += " every " + QByteArray::number(timer->interval()) + " ms";
            key += " in " + describe(watched->parent());
            break;
        case QEvent::MetaCall:
            key = "queued call to " + describe(watched);
            break;
        case QEvent::UpdateRequest:
        case QEvent::Paint:
        case QEvent::LayoutRequest:
            key = QByteArray(type == QEvent::Paint ? "Paint " : type == QEvent::UpdateRequest ? "UpdateRequest "
                                                                                             : "LayoutRequest ") +
                  describe(watched);
            break;
        default:
            key = "event " + QByteArray::number(int(type)) + " " + QByteArray(watched->metaObject()->className());
            break;
        }
        ++counts[key];
        return false;
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, long *) override
    {
        // An xcb event starts with its response type; the top bit marks one
        // sent by another client.
        if (eventType == "xcb_generic_event_t")
            ++xEvents[static_cast<const unsigned char *>(message)[0] & 0x7f];
        return false;
    }
};

// ---------------------------------------------------------------------------

class Driver : public QObject
{
public:
    explicit Driver(const Options &options)
        : m_options(options)
    {
    }

    void begin()
    {
        connect(&m_poll, &QTimer::timeout, this, [this] { pollReady(); });
        m_poll.start(5);
        m_timeout.setSingleShot(true);
        connect(&m_timeout, &QTimer::timeout, this, [this] { fail("timeout-" + m_stage); });
        m_timeout.start(m_options.timeoutMs);
    }

    int exitCode() const { return m_exitCode; }

private:
    // ---- sign-in and join -------------------------------------------------

    void pollReady()
    {
        CLoginDlg *dlg = CLoginDlg::getInstance();
        if (!dlg->isVisible() || CRJSdkManager::getInstance() == nullptr || CWaitingDlg::getInstance()->isVisible())
            return;
        auto *form = dlg->findChild<CLoginInfoForm *>();
        if (!form || !form->isVisible())
            return;
        auto *button = child<QPushButton>(form, "m_pBtnLogin");
        if (!button || !button->isVisible() || !button->isEnabled())
            return;
        m_poll.stop();
        signIn(form, button);
    }

    void signIn(CLoginInfoForm *form, QPushButton *button)
    {
        m_stage = "signin";
        auto *server = child<QLineEdit>(form, "m_pEditServer");
        auto *more = child<QCheckBox>(form, "m_pChkBoxMore");
        auto *port = child<QLineEdit>(form, "m_pEditPort");
        auto *account = child<QLineEdit>(form, "m_pEditAccount");
        auto *password = child<QLineEdit>(form, "m_pEditPassword");
        auto *https = child<QCheckBox>(form, "m_pChkBoxUseHttps");
        if (!server || !more || !port || !account || !password || !https)
            return fail("login-page-fields-missing");
        server->setText(QStringLiteral("127.0.0.1"));
        if (!more->isChecked())
            more->click();
        // The demo server speaks plain HTTP.
        if (https->isChecked())
            https->click();
        port->setText(QString::number(m_options.port));
        account->setText(QStringLiteral("alice"));
        password->setText(QStringLiteral("Alice123"));
        // Any box is a failure here.
        AlertDlg::setInterceptor([this](const AlertDlg::Request &request) {
            fail("box:" + request.text.toUtf8().replace(' ', '_'));
            return std::optional<QDialogButtonBox::StandardButton>(QDialogButtonBox::Ok);
        });
        // The sign-in queues a download of every directory user's picture;
        // an idle measurement waits for them.
        connect(rj_app::models::CUrlPixmap::getInstance(), &rj_app::models::CUrlPixmap::signal_downloadFinished, this,
                [this] {
                    m_lastPictureAt = nowMs();
                    ++m_pictures;
                });
        // The join as a start URL would carry it: once signed in and
        // registered, the client dials it itself.
        if (!rj_app::models::CUrlJoinConfArgsParser::getInstance()->parse(kJoinUrl))
            return fail("join-url-refused");
        connect(CCallController::getInstance(), &CCallController::sigCallStatusChanged, this,
                [this](CallStatus status) {
                    if (status == ConfConnected && m_connectedAt < 0) {
                        m_connectedAt = nowMs();
                        m_stage = "connected";
                        // Once the call window has laid the call out.
                        QTimer::singleShot(0, this, [this] { onConnected(); });
                    } else if (status == ConfEnded && !m_finished) {
                        fail("call-ended");
                    }
                });
        m_stage = "join";
        button->click();
    }

    void onConnected()
    {
        CLayoutBackgroundDlg *window = CLayoutBackgroundDlg::getInstance();
        if (!window->isVisible() || !window->layoutDlg()->isVisible())
            return fail("call-window-not-shown");
        std::printf("bench: call connected=%.1f window=%dx%d\n", m_connectedAt, window->width(), window->height());
        std::fflush(stdout);
        switch (m_options.mode) {
        case Mode::Layout:
            QTimer::singleShot(1000, this, [this] { runLayout(); });
            break;
        case Mode::Idle:
            QTimer::singleShot(int(m_options.settleSeconds * 1000), this, [this] { settleIdle(); });
            break;
        case Mode::Feeder:
            QTimer::singleShot(1000, this, [this] { startFeeder(); });
            break;
        case Mode::None:
            break;
        }
    }

    // ---- layout -------------------------------------------------------------

    // Lets the window system and Qt finish what a layout change asked for:
    // posted layout requests, the X server's answers, the repaints.
    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QApplication::sync();
        QCoreApplication::processEvents();
    }

    void report(const char *what, int mode, const std::vector<double> &call, const std::vector<double> &settled)
    {
        const Stats c = stats(call);
        const Stats s = stats(settled);
        std::printf("bench: layout op=%s mode=%d n=%zu median=%.3f worst=%.3f settled_median=%.3f "
                    "settled_worst=%.3f\n",
                    what, mode, c.n, c.median, c.worst, s.median, s.worst);
        std::fflush(stdout);
    }

    // A redraw as the call window asks for one, and a resize of the layout
    // (what the call window does on its own resize) between two sizes.
    void timeLayout(int mode)
    {
        CLayoutBackgroundDlg *window = CLayoutBackgroundDlg::getInstance();
        CLayoutPeopleSettingDlg *layout = window->layoutDlg();
        std::vector<double> call, settled;
        for (int i = 0; i < m_options.reps; ++i) {
            const double t0 = nowMs();
            layout->updateLayout();
            const double t1 = nowMs();
            settle();
            call.push_back(t1 - t0);
            settled.push_back(nowMs() - t0);
        }
        report("redraw", mode, call, settled);

        const QRect home = window->geometry();
        const QRect other = home.adjusted(0, 0, 160, 90);
        call.clear();
        settled.clear();
        for (int i = 0; i < m_options.reps; ++i) {
            const QRect target = i % 2 ? home : other;
            const double t0 = nowMs();
            layout->onParentResized(target);
            const double t1 = nowMs();
            settle();
            call.push_back(t1 - t0);
            settled.push_back(nowMs() - t0);
        }
        layout->onParentResized(home);
        settle();
        report("resize", mode, call, settled);
    }

    bool cellsInLayout(CLayoutPeopleSettingDlg *layout)
    {
        for (CLayoutCellDlg *cell :
             {layout->getRemoteContentCell(), layout->getLocalVideoCell(), layout->getRemoteVideoCell()}) {
            if (!cell || !cell->isVisible() || cell->parentWidget() != layout)
                return false;
        }
        return true;
    }

    void runLayout()
    {
        m_stage = "layout";
        CLayoutPeopleSettingDlg *layout = CLayoutBackgroundDlg::getInstance()->layoutDlg();
        if (layout->getLayoutMode() != LayoutMode_NormalPeople)
            return fail("not-in-normal-mode");
        timeLayout(LayoutMode_NormalPeople);

        m_stage = "content";
        if (rjsim_command("content start Dave Li") != 0)
            return fail("content-command-refused");
        QTimer *wait = new QTimer(this);
        connect(wait, &QTimer::timeout, this, [this, wait, layout] {
            if (layout->getLayoutMode() != LayoutMode_RemoteContentOnly || !layout->getRemoteContentCell() ||
                !layout->getRemoteContentCell()->isVisible())
                return;
            wait->deleteLater();
            layout->slotOnChangeLayoutMode(LayoutMode_RemotePreferredContent);
            settle();
            if (layout->getLayoutMode() != LayoutMode_RemotePreferredContent || !cellsInLayout(layout))
                return fail("tiled-layout-not-shown");
            const auto s = layout->getLayoutSize();
            std::printf("bench: layout tiled size=%dx%d content=%dx%d people=%dx%d\n", s.layoutWidth,
                        s.layoutHeight, s.contentWidth, s.contentHeight, s.peopleWidth, s.peopleHeight);
            timeLayout(LayoutMode_RemotePreferredContent);
            timeModeSwitch(layout);
            timeGeometry();
            end(0);
        });
        wait->start(20);
    }

    // The toolbar's layout button: content alone (people in the floating
    // strip) and back to content above the people.
    void timeModeSwitch(CLayoutPeopleSettingDlg *layout)
    {
        std::vector<double> call, settled;
        const int reps = std::max(2, m_options.reps / 3);
        for (int i = 0; i < reps; ++i) {
            const auto to = i % 2 ? LayoutMode_RemotePreferredContent : LayoutMode_RemoteContentOnly;
            const double t0 = nowMs();
            layout->slotOnChangeLayoutMode(to);
            const double t1 = nowMs();
            settle();
            call.push_back(t1 - t0);
            settled.push_back(nowMs() - t0);
        }
        report("switch-1-2", LayoutMode_RemotePreferredContent, call, settled);
    }

    // The geometry alone, over the window sizes a person might use.
    static void timeGeometry()
    {
        namespace layout = rj_app::views::layout;
        std::vector<double> ns;
        volatile int sink = 0;
        const int modes[] = {LayoutMode_NormalPeople, LayoutMode_RemotePreferredContent};
        for (int batch = 0; batch < 200; ++batch) {
            for (int mode : modes) {
                QElapsedTimer t;
                t.start();
                constexpr int kCalls = 1000;
                for (int i = 0; i < kCalls; ++i) {
                    const auto s = layout::calculateLayoutSize(mode, 400 + (i * 7 + batch) % 3500,
                                                               300 + (i * 13 + batch) % 1800);
                    sink = sink + s.layoutWidth;
                }
                ns.push_back(double(t.nsecsElapsed()) / kCalls);
            }
        }
        const Stats s = stats(ns);
        std::printf("bench: geometry calls_per_batch=1000 batches=%zu ns_per_call_median=%.1f "
                    "ns_per_call_worst_batch=%.1f\n",
                    s.n, s.median, s.worst);
        (void)sink;
    }

    // ---- idle -----------------------------------------------------------------

    // Until the pictures have stopped arriving for 3 s.
    void settleIdle()
    {
        constexpr double kQuietMs = 3000;
        const double quiet = nowMs() - m_lastPictureAt;
        if (m_lastPictureAt >= 0 && quiet < kQuietMs) {
            QTimer::singleShot(int(kQuietMs - quiet) + 1, this, [this] { settleIdle(); });
            return;
        }
        std::printf("bench: idle from=%.1f after_connect=%.1f pictures=%d last_picture=%.1f\n", nowMs(),
                    nowMs() - m_connectedAt, m_pictures, m_lastPictureAt);
        std::fflush(stdout);
        startIdle();
    }

    void startIdle()
    {
        m_stage = "idle";
        // Nothing of this driver runs while the call idles.
        m_timeout.stop();
        if (m_options.countEvents) {
            m_counter = std::make_unique<EventCounter>();
            qApp->installEventFilter(m_counter.get());
            QAbstractEventDispatcher::instance()->installNativeEventFilter(m_counter.get());
        }
        m_before = sampleProc();
        QTimer::singleShot(int(m_options.idleSeconds * 1000), this, [this] { endIdle(); });
    }

    void endIdle()
    {
        const ProcSample after = sampleProc();
        if (m_counter) {
            qApp->removeEventFilter(m_counter.get());
            QAbstractEventDispatcher::instance()->removeNativeEventFilter(m_counter.get());
        }
        if (CCallController::getInstance()->getCallStatus() != ConfConnected)
            return fail("call-not-connected-at-the-end");
        const double wall = after.atMs - m_before.atMs;
        const double cpu = after.cpuMs - m_before.cpuMs;
        double run = 0;
        for (const auto &[tid, t] : after.threads) {
            const auto it = m_before.threads.find(tid);
            if (it != m_before.threads.end())
                run += t.runMs - it->second.runMs;
        }
        std::printf("bench: idle seconds=%.2f cpu_ms=%.0f percent=%.2f run_ms=%.1f run_percent=%.3f threads=%zu\n",
                    wall / 1000, cpu, 100 * cpu / wall, run, 100 * run / wall, after.threads.size());
        for (const auto &[tid, t] : after.threads) {
            const auto it = m_before.threads.find(tid);
            const double r = it == m_before.threads.end() ? t.runMs : t.runMs - it->second.runMs;
            const qint64 w = it == m_before.threads.end() ? t.switches : t.switches - it->second.switches;
            QByteArray name = t.comm;
            std::printf("bench: thread tid=%d name=%s run_ms=%.2f wakeups=%lld%s\n", tid,
                        name.replace(' ', '_').constData(), r, static_cast<long long>(w),
                        it == m_before.threads.end() ? " new=1" : "");
        }
        if (m_counter) {
            std::vector<std::pair<qint64, QByteArray>> top;
            for (const auto &[key, n] : m_counter->counts)
                top.emplace_back(n, key);
            std::sort(top.begin(), top.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
            std::printf("bench: events total=%lld\n", static_cast<long long>(m_counter->total));
            for (size_t i = 0; i < top.size() && i < 40; ++i)
                std::printf("bench: event count=%lld what=%s\n", static_cast<long long>(top[i].first),
                            top[i].second.constData());
            for (const auto &[type, n] : m_counter->xEvents)
                std::printf("bench: xevent type=%d count=%lld\n", type, static_cast<long long>(n));
        }
        end(0);
    }

    // ---- feeder ---------------------------------------------------------------

    struct Grab
    {
        double start = 0;
        double end = 0;
        double cpu = 0;
        long faults = 0; // pages faulted in: a fresh frame buffer
    };
    struct HandOver
    {
        double enter = 0;
        double leave = 0;
        double cpuBetween = -1; // the loop's CPU since the last hand-over ended
        double cpuCall = 0;
        int width = 0;
        int height = 0;
    };

    void startFeeder()
    {
        m_stage = "feeder";
        QScreen *screen = QGuiApplication::primaryScreen();
        const QImage sample = screen->grabWindow(0).toImage();
        std::printf("bench: feeder screen=%dx%d grabbed_format=%d\n", screen->geometry().width(),
                    screen->geometry().height(), int(sample.format()));
        m_feeder = new ScreenThread(nullptr);
        if (m_options.feedWindow) {
            // What the client feeds when a whiteboard is shared: one window.
            m_board = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
            m_board->setGeometry(screen->geometry());
            m_board->setAutoFillBackground(true);
            QPalette palette = m_board->palette();
            palette.setColor(QPalette::Window, QColor(250, 250, 245));
            m_board->setPalette(palette);
            m_board->show();
            settle();
            m_feeder->setWhiteBoardAndWinId(true, int(m_board->winId()));
        } else {
            m_feeder->setWhiteBoardAndWinId(false, 0);
        }
        auto *grabTimer = m_feeder->findChild<QTimer *>();
        if (!grabTimer)
            return fail("feeder-timer-missing");
        // The filter sees the timer's event before the feeder's slot runs; a
        // slot connected now runs after it.
        grabTimer->installEventFilter(this);
        m_grabTimer = grabTimer;
        connect(grabTimer, &QTimer::timeout, this, [this] {
            if (m_grabStart < 0)
                return;
            std::lock_guard<std::mutex> lock(m_feedMutex);
            m_grabs.push_back({m_grabStart, nowMs(), threadCpuMs() - m_grabCpu, threadMinorFaults() - m_grabFaults});
            m_grabStart = -1;
        });
        m_feeder->setFrameSink([this](const rj::engine::RJContentSourceInfo &frame) {
            HandOver h;
            h.enter = nowMs();
            const double cpuIn = threadCpuMs();
            if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
                sdk->setLocalContentSource(frame);
            const double cpuOut = threadCpuMs();
            h.leave = nowMs();
            h.cpuCall = cpuOut - cpuIn;
            h.width = frame.captureSize.width;
            h.height = frame.captureSize.height;
            std::lock_guard<std::mutex> lock(m_feedMutex);
            h.cpuBetween = m_loopCpuAtLeave < 0 ? -1 : cpuIn - m_loopCpuAtLeave;
            m_loopCpuAtLeave = cpuOut;
            m_handOvers.push_back(h);
        });
        m_feedPoll = new QTimer(this);
        connect(m_feedPoll, &QTimer::timeout, this, [this] {
            std::lock_guard<std::mutex> lock(m_feedMutex);
            if (int(m_handOvers.size()) > m_options.frames)
                QTimer::singleShot(0, this, [this] { endFeeder(); });
            else
                return;
            m_feedPoll->stop();
        });
        m_feeder->start();
        m_feedPoll->start(50);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_grabTimer && event->type() == QEvent::Timer) {
            m_grabStart = nowMs();
            m_grabCpu = threadCpuMs();
            m_grabFaults = threadMinorFaults();
        }
        return false;
    }

    void endFeeder()
    {
        m_feeder->stop();
        m_feeder->wait();
        std::vector<Grab> grabs;
        std::vector<HandOver> handOvers;
        {
            std::lock_guard<std::mutex> lock(m_feedMutex);
            grabs = m_grabs;
            handOvers = m_handOvers;
        }
        // Each hand-over carries the last frame whose grab began before it
        // (the loop may take a frame before the slot that notes the grab's
        // end has run); the first one, grabbed inside start(), is not paired.
        std::vector<double> grabWall, grabCpu, loopCpu, callCpu, callWall, total, work, latency, reused, fresh;
        size_t paired = 0;
        int width = 0, height = 0;
        for (const HandOver &h : handOvers) {
            const Grab *g = nullptr;
            for (const Grab &c : grabs) {
                if (c.start <= h.enter)
                    g = &c;
            }
            width = h.width;
            height = h.height;
            if (!g || h.cpuBetween < 0)
                continue;
            ++paired;
            grabWall.push_back(g->end - g->start);
            // A frame of 1920x1080 is 2025 pages of 4 KiB.
            (g->faults > 100 ? fresh : reused).push_back(g->end - g->start);
            grabCpu.push_back(g->cpu);
            loopCpu.push_back(h.cpuBetween);
            callCpu.push_back(h.cpuCall);
            callWall.push_back(h.leave - h.enter);
            total.push_back(g->cpu + h.cpuBetween + h.cpuCall);
            // The GUI thread is held for the whole grab, X server included.
            work.push_back(g->end - g->start + h.cpuBetween + h.cpuCall);
            latency.push_back(h.leave - g->start);
        }
        const Stats gw = stats(grabWall), gc = stats(grabCpu), lc = stats(loopCpu), cc = stats(callCpu),
                    cw = stats(callWall), tt = stats(total), wk = stats(work),
                    la = stats(latency), ru = stats(reused), fr = stats(fresh);
        std::printf("bench: feeder target=%s frame=%dx%d interval_ms=%d grabs=%zu handovers=%zu paired=%zu "
                    "grab_median=%.2f grab_worst=%.2f grab_cpu_median=%.2f grab_cpu_worst=%.2f "
                    "loop_cpu_median=%.3f loop_cpu_worst=%.3f engine_cpu_median=%.3f engine_cpu_worst=%.3f "
                    "engine_wall_median=%.3f engine_wall_worst=%.3f cpu_median=%.2f cpu_worst=%.2f "
                    "work_median=%.2f work_worst=%.2f latency_median=%.2f latency_worst=%.2f "
                    "reused_buffer=%zu reused_median=%.2f reused_worst=%.2f fresh_buffer=%zu fresh_median=%.2f "
                    "fresh_worst=%.2f\n",
                    m_options.feedWindow ? "window" : "screen", width, height, m_feeder->intervalMs(), grabs.size(),
                    handOvers.size(), paired, gw.median, gw.worst, gc.median, gc.worst, lc.median, lc.worst,
                    cc.median, cc.worst, cw.median, cw.worst, tt.median, tt.worst, wk.median, wk.worst, la.median,
                    la.worst, ru.n, ru.median, ru.worst, fr.n, fr.median, fr.worst);
        delete m_feeder;
        m_feeder = nullptr;
        m_board.reset();
        end(0);
    }

    // ---- end ------------------------------------------------------------------

    void fail(const QByteArray &what)
    {
        if (m_finished)
            return;
        std::printf("bench: error=%s\n", what.constData());
        end(1);
    }

    // Ends the way Exit does, once the current event is done.
    void end(int code)
    {
        m_finished = true;
        m_exitCode = code;
        std::fflush(stdout);
        m_poll.stop();
        m_timeout.stop();
        QTimer::singleShot(0, CMainDlgManager::getInstance(), [] { CMainDlgManager::getInstance()->exitApp(); });
    }

    Options m_options;
    QTimer m_poll;
    QTimer m_timeout;
    QByteArray m_stage = "login-page";
    double m_connectedAt = -1;
    double m_lastPictureAt = -1;
    int m_pictures = 0;
    bool m_finished = false;
    int m_exitCode = 1;

    ProcSample m_before;
    std::unique_ptr<EventCounter> m_counter;

    ScreenThread *m_feeder = nullptr;
    std::unique_ptr<QWidget> m_board;
    QTimer *m_feedPoll = nullptr;
    QObject *m_grabTimer = nullptr;
    double m_grabStart = -1;
    double m_grabCpu = 0;
    long m_grabFaults = 0;
    std::mutex m_feedMutex;
    std::vector<Grab> m_grabs;
    std::vector<HandOver> m_handOvers;
    double m_loopCpuAtLeave = -1;
};

} // namespace

int main(int argc, char *argv[])
{
    g_clock.start();
    Options options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: glimora-bench-call --port <demo server port>"
                             " (--layout [--reps N] | --idle S [--settle S] [--count-events]"
                             " | --feeder N [--target screen|window]) [--timeout-ms N]\n");
        return 2;
    }
    // Our own arguments are neither Qt's nor a join URL.
    int qtArgc = 1;
    rj_app::startup::prepare(qtArgc, argv);
    rj_app::CSingleApplication app(qtArgc, argv, rj_app::CSingleApplication::userInstanceKey());
    if (!rj_app::startup::start(app, qtArgc, argv)) {
        std::printf("bench: error=not-the-first-instance\n");
        return 1;
    }
    Driver driver(options);
    driver.begin();
    const int code = app.exec();
    AlertDlg::setInterceptor({});
    return code != 0 ? code : driver.exitCode();
}
