#include "models/ScreenThread.h"

#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <chrono>

namespace rj_app {
namespace models {

ScreenThread::ScreenThread(QObject *parent)
    : QThread(parent)
{
    qInfo() << RJ_FUNCTION << __LINE__ << objectName() << this;
    m_pGrabTimer = new QTimer(this);
    m_pGrabTimer->setInterval(m_iIntervalMs);
    connect(m_pGrabTimer, &QTimer::timeout, this, &ScreenThread::grabFrame);
    // Runs in this thread while it finishes: from here on isRunning() is
    // false, so a later stop() counts as stale again.
    connect(this, &QThread::finished, this, [this]() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_bLoopEnded = false;
    }, Qt::DirectConnection);
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

void ScreenThread::stop()
{
    qInfo() << RJ_FUNCTION << __LINE__ << "m_bIsStopped:" << m_bIsStopped.load();
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        // From start() until the loop is over the request is for this loop,
        // even when the loop has not begun yet.
        m_bStaleStop = !isRunning() || m_bLoopEnded;
        m_bIsStopped = true;
        m_wake.notify_all();
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "done, m_bIsStopped:" << m_bIsStopped.load();
}

void ScreenThread::setIntervalMs(int intervalMs)
{
    m_iIntervalMs = qMax(1, intervalMs);
    m_pGrabTimer->setInterval(m_iIntervalMs);
}

void ScreenThread::abortAndWait()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!isRunning())
            return;
        // A loop that is over already must not leave the request to the next one.
        if (!m_bLoopEnded) {
            m_bAbort = true;
            m_wake.notify_all();
        }
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "waiting for the capture loop";
    wait();
    m_pGrabTimer->stop();
}

void ScreenThread::run()
{
    qInfo() << RJ_FUNCTION << __LINE__ << "m_bIsStopped:" << m_bIsStopped.load();
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_bIsStopped && m_bStaleStop) {
            qWarning() << RJ_FUNCTION << __LINE__ << "Invalid m_bIsStopped, set its value to false";
            m_bIsStopped = false;
        }
        m_bStaleStop = false;
        m_bLoopActive = true;
        m_bGrabFailureLogged = false;
        m_uGrabs = 0;
        m_pendingFrame = QImage();
    }
    QMetaObject::invokeMethod(this, [this]() { startGrabbing(); }, Qt::QueuedConnection);

    quint64 seen = 0;
    bool waitingForFirstGrab = false;
    std::chrono::steady_clock::time_point firstGrabDeadline;
    bool leave = false;
    bool aborted = false;
    while (!leave) {
        QImage frame;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            for (;;) {
                if (m_bAbort) {
                    leave = aborted = true;
                    break;
                }
                if (!m_pendingFrame.isNull() || m_uGrabs != seen)
                    break;
                if (m_bIsStopped) {
                    if (seen > 0) {
                        leave = true;
                        break;
                    }
                    if (!waitingForFirstGrab) {
                        waitingForFirstGrab = true;
                        firstGrabDeadline =
                            std::chrono::steady_clock::now() + std::chrono::milliseconds(m_iFirstGrabWaitMs);
                    }
                    if (m_wake.wait_until(lock, firstGrabDeadline) == std::cv_status::timeout
                        && m_pendingFrame.isNull() && m_uGrabs == seen && !m_bAbort) {
                        qWarning() << RJ_FUNCTION << __LINE__ << "stopped before the first grab arrived";
                        leave = true;
                        break;
                    }
                } else {
                    m_wake.wait(lock);
                }
            }
            frame = m_pendingFrame;
            m_pendingFrame = QImage();
            seen = m_uGrabs;
        }
        if (!frame.isNull() && !aborted)
            shareScreen(frame);
        // The period is the grab timer's; the stop is checked after each grab.
        if (m_bIsStopped && seen > 0)
            leave = true;
    }

    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_bLoopActive = false;
        m_bLoopEnded = true;
        m_bIsStopped = false;
        m_bStaleStop = false;
        m_bAbort = false;
        m_pendingFrame = QImage();
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "done, m_bIsStopped:" << m_bIsStopped.load();
}

void ScreenThread::startGrabbing()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_bLoopActive)
            return;
    }
    m_pGrabTimer->start();
    grabFrame();
}

void ScreenThread::grabFrame()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_bLoopActive) {
            m_pGrabTimer->stop();
            return;
        }
    }
    QImage image;
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const WId id = m_bIsWhiteBoard ? WId(static_cast<quint32>(m_winId.load())) : WId(0);
        image = screen->grabWindow(id, 0, 0, -1, -1).toImage();
    }
    bool logFailure = false;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        ++m_uGrabs;
        if (!image.isNull()) {
            m_pendingFrame = std::move(image);
        } else if (!m_bGrabFailureLogged) {
            m_bGrabFailureLogged = true;
            logFailure = true;
        }
        m_wake.notify_all();
    }
    // A window that is gone or hidden gives no picture: nothing is sent for it.
    if (logFailure)
        qWarning() << RJ_FUNCTION << __LINE__ << "grab failed, isWhiteBoard:" << m_bIsWhiteBoard.load()
                   << ", winid:" << m_winId.load();
}

void ScreenThread::shareScreen(const QImage &image)
{
    // The engine takes 32-bit pixels in B, G, R, A byte order.
    const QImage::Format format = image.format();
    const QImage frame = (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                          || format == QImage::Format_ARGB32_Premultiplied)
                             ? image
                             : image.convertToFormat(QImage::Format_RGB32);
    rj::engine::RJContentSourceInfo info;
    info.type = 3;
    info.captureX = 0;
    info.captureY = 0;
    info.captureSize.width = frame.width();
    info.captureSize.height = frame.height();
    info.frameData = frame.constBits();
    info.bytesPerLine = static_cast<int>(frame.bytesPerLine());
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        sdk->setLocalContentSource(info);
}

} // namespace models
} // namespace rj_app
