#pragma once

#include "engine/RJTypes.h"

#include <QImage>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class QTimer;

namespace rj_app {
namespace models {

// Feeds the engine with pictures of one native window, or of the whole
// primary screen, to send as content. Pixmaps belong to the GUI thread, so a
// timer there grabs every interval and hands the image over; the loop in this
// thread passes each image to the engine. The object itself must live in the
// GUI thread, and start, stop and the setters are called there.
//
// Every start() begins a run; start() grabs the run's first frame itself, so
// a stop right after it still sends one frame and the loop never waits on the
// GUI thread. stop() is meant for the run under way: a start() before that
// run has wound down takes it back and the run goes on; a stop that arrives
// while no run is under way is stale, dropped with a warning by the next run.
// The destructor and the application's aboutToQuit end a running loop at
// once and wait for it.
class ScreenThread : public QThread
{
    Q_OBJECT

public:
    static constexpr int m_iDefaultIntervalMs = 100;

    // Where the frames go instead of the engine.
    using FrameSink = std::function<void(const rj::engine::RJContentSourceInfo &frame)>;

    explicit ScreenThread(QObject *parent = nullptr);
    ~ScreenThread() override;

    void setWhiteBoardAndWinId(bool isWhiteBoard, int winId);
    void stop();

    // Grab period; takes effect at once. For tests.
    void setIntervalMs(int intervalMs);
    int intervalMs() const { return m_iIntervalMs; }
    // Replaces the engine as the receiver of frames (null restores it). The
    // frame's pixels live only while the sink runs. For tests.
    void setFrameSink(FrameSink sink);

public slots:
    // Hides QThread::start, whose runs would neither grab a first frame nor
    // take back a stop.
    void start(QThread::Priority priority = QThread::InheritPriority);

protected:
    void run() override;

private:
    void shareScreen(const QImage &image, const FrameSink &sink);
    void grabFrame();
    void abortAndWait();
    bool stopPendingLocked() const { return m_bIsStopped && m_uStopRun == m_uRun; }

    // Shared with the loop; read by it once per frame.
    std::atomic<bool> m_bIsStopped{false};
    std::atomic<bool> m_bIsWhiteBoard{false};
    std::atomic<int> m_winId{0};

    int m_iIntervalMs = m_iDefaultIntervalMs;
    QTimer *m_pGrabTimer = nullptr; // GUI thread

    // Hand-over between the GUI thread and the loop, under m_mutex (a
    // standard mutex, so that thread checkers see it).
    std::mutex m_mutex;
    std::condition_variable m_wake;
    QImage m_pendingFrame;
    quint64 m_uRun = 0;        // the run under way, or the last one
    quint64 m_uStopRun = 0;    // the run the stop request is meant for; 0: stale
    bool m_bLoopActive = false; // from start() until the loop decides to end
    bool m_bAbort = false;
    bool m_bGrabFailureLogged = false;
    FrameSink m_frameSink;
};

} // namespace models
} // namespace rj_app
