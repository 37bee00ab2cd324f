#pragma once

#include <QImage>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

class QTimer;

namespace rj_app {
namespace models {

// Feeds the engine with pictures of one native window, or of the whole
// primary screen, to send as content. Pixmaps belong to the GUI thread, so a
// timer there grabs every interval and hands the image over; the loop in this
// thread passes each image to the engine. The object itself must live in the
// GUI thread.
//
// start() runs the loop; stop() ends it after at least one grab. A stop that
// arrives while no loop runs is stale and dropped by the next start. The
// destructor and the application's aboutToQuit end a running loop at once and
// wait for it.
class ScreenThread : public QThread
{
    Q_OBJECT

public:
    static constexpr int m_iDefaultIntervalMs = 100;
    // How long a stop waits for the first grab when the GUI thread does not
    // deliver one (it may be blocked waiting for this thread).
    static constexpr int m_iFirstGrabWaitMs = 1000;

    explicit ScreenThread(QObject *parent = nullptr);
    ~ScreenThread() override;

    void setWhiteBoardAndWinId(bool isWhiteBoard, int winId);
    void stop();

    // Grab period; takes effect at once. For tests.
    void setIntervalMs(int intervalMs);
    int intervalMs() const { return m_iIntervalMs; }

protected:
    void run() override;

private:
    void shareScreen(const QImage &image);
    void startGrabbing();
    void grabFrame();
    void abortAndWait();

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
    quint64 m_uGrabs = 0;      // grabs tried since the loop started, failed ones too
    bool m_bLoopActive = false;
    bool m_bLoopEnded = false; // the loop is over, the thread not yet finished
    bool m_bStaleStop = false; // the stop request came while no loop ran
    bool m_bAbort = false;
    bool m_bGrabFailureLogged = false;
};

} // namespace models
} // namespace rj_app
