#include "models/ScreenThread.h"

#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace rj_app {
namespace models {

ScreenThread::ScreenThread(QObject *parent)
    : QThread(parent)
{
    qInfo() << RJ_FUNCTION << __LINE__ << objectName() << this;
    m_pGrabTimer = new QTimer(this);
    m_pGrabTimer->setInterval(m_iIntervalMs);
    connect(m_pGrabTimer, &QTimer::timeout, this, &ScreenThread::grabFrame);
    // A running thread object must never be destroyed with the application.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &ScreenThread::abortAndWait);
}

ScreenThread::~ScreenThread()
{
    abortAndWait();
}

void ScreenThread::setWhiteBoardAndWinId(bool isWhiteBoard, int winId)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "isWhiteBoard:" << isWhiteBoard << ", winid:" << winId;
    m_bIsWhiteBoard = isWhiteBoard;
    m_winId = winId;
}

void ScreenThread::setIntervalMs(int intervalMs)
{
    m_iIntervalMs = qMax(1, intervalMs);
    m_pGrabTimer->setInterval(m_iIntervalMs);
}

void ScreenThread::setFrameSink(FrameSink sink)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frameSink = std::move(sink);
}

void ScreenThread::start(QThread::Priority priority)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bLoopActive) {
            // The run has not wound down yet: a stop meant for it is taken
            // back, and it goes on with the new settings.
            if (stopPendingLocked()) {
                m_bIsStopped = false;
                m_uStopRun = 0;
                qInfo() << RJ_FUNCTION << __LINE__ << "stop taken back, run" << m_uRun << "goes on";
            }
            return;
        }
    }
    // The last run is over; its thread is only returning, without waiting on
    // anything of this thread.
    if (isRunning())
        wait();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_uRun;
        m_bLoopActive = true;
        m_bAbort = false;
        m_bGrabFailureLogged = false;
        m_pendingFrame = QImage();
    }
    // The first frame now, so that the loop has it whenever it is stopped.
    grabFrame();
    m_pGrabTimer->start();
    QThread::start(priority);
}

void ScreenThread::stop()
{
    qInfo() << RJ_FUNCTION << __LINE__ << "m_bIsStopped:" << m_bIsStopped.load();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bIsStopped = true;
        // Meant for the run under way; while none is, it is stale and must
        // not end the next one.
        m_uStopRun = m_bLoopActive ? m_uRun : 0;
        m_wake.notify_all();
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "done, m_bIsStopped:" << m_bIsStopped.load();
}

void ScreenThread::abortAndWait()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!isRunning())
            return;
        m_bAbort = true;
        m_wake.notify_all();
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "waiting for the capture loop";
    wait();
    m_pGrabTimer->stop();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bAbort = false;
}

void ScreenThread::run()
{
    qInfo() << RJ_FUNCTION << __LINE__ << "m_bIsStopped:" << m_bIsStopped.load();
    quint64 run = 0;
    bool stale = false;
    bool startedDirectly = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bLoopActive) {
            // Started through QThread::start: a run without a first frame.
            ++m_uRun;
            m_bLoopActive = true;
            m_bGrabFailureLogged = false;
            m_pendingFrame = QImage();
            startedDirectly = true;
        }
        run = m_uRun;
        if (m_bIsStopped && m_uStopRun != run) {
            stale = true;
            m_bIsStopped = false;
            m_uStopRun = 0;
        }
    }
    if (stale)
        qWarning() << RJ_FUNCTION << __LINE__ << "Invalid m_bIsStopped, set its value to false";
    if (startedDirectly) {
        QMetaObject::invokeMethod(
            this, [this]() { m_pGrabTimer->start(); }, Qt::QueuedConnection);
    }

    bool stoppedAtEnd = false;
    for (;;) {
        QImage frame;
        FrameSink sink;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this]() { return m_bAbort || !m_pendingFrame.isNull() || stopPendingLocked(); });
            // Decided under the lock, so that a start() either takes the
            // stop back before this point or finds the run over.
            if (m_bAbort || m_pendingFrame.isNull()) {
                m_bLoopActive = false;
                m_bIsStopped = false;
                m_uStopRun = 0;
                m_bAbort = false;
                m_pendingFrame = QImage();
                stoppedAtEnd = m_bIsStopped;
                break;
            }
            frame = std::move(m_pendingFrame);
            m_pendingFrame = QImage();
            sink = m_frameSink;
        }
        shareScreen(frame, sink);
    }
    // Nothing of this object is touched past the lock above: its owner may
    // destroy it as soon as it sees the loop over.
    qInfo() << RJ_FUNCTION << __LINE__ << "done, run" << run << ", m_bIsStopped:" << stoppedAtEnd;
}

void ScreenThread::grabFrame()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bLoopActive) {
            m_pGrabTimer->stop();
            return;
        }
        // Winding down: the loop sends what it has and ends.
        if (stopPendingLocked())
            return;
    }
    QImage image;
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const WId id = m_bIsWhiteBoard ? WId(static_cast<quint32>(m_winId.load())) : WId(0);
        image = screen->grabWindow(id, 0, 0, -1, -1).toImage();
    }
    bool logFailure = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_bLoopActive)
            return;
        if (!image.isNull()) {
            m_pendingFrame = std::move(image);
            m_wake.notify_all();
        } else if (!m_bGrabFailureLogged) {
            m_bGrabFailureLogged = true;
            logFailure = true;
        }
    }
    // A window that is gone or hidden gives no picture: nothing is sent for it.
    if (logFailure)
        qWarning() << RJ_FUNCTION << __LINE__ << "grab failed, isWhiteBoard:" << m_bIsWhiteBoard.load()
                   << ", winid:" << m_winId.load();
}

void ScreenThread::shareScreen(const QImage &image, const FrameSink &sink)
{
    // The engine takes 32-bit pixels in B, G, R, A byte order with straight
    // alpha: what RGB32 and ARGB32 hold on a little-endian machine.
    const QImage::Format format = image.format();
    const QImage frame = (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32)
                             ? image
                             : image.convertToFormat(format == QImage::Format_ARGB32_Premultiplied
                                                         ? QImage::Format_ARGB32
                                                         : QImage::Format_RGB32);
    rj::engine::RJContentSourceInfo info;
    info.type = 3;
    info.captureX = 0;
    info.captureY = 0;
    info.captureSize.width = frame.width();
    info.captureSize.height = frame.height();
    info.frameData = frame.constBits();
    info.bytesPerLine = static_cast<int>(frame.bytesPerLine());
    info.pixelFormat = rj::engine::RJ_PIX_FMT_BGRA;
    if (sink)
        sink(info);
    else if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        sdk->setLocalContentSource(info);
}

} // namespace models
} // namespace rj_app
