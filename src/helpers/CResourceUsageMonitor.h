#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QTimer;

namespace rj_app::helpers {

// Writes the process's and the system's memory use into the log every
// 3 seconds. Reads /proc only, so a tick never blocks the GUI thread.
class CResourceUsageMonitor : public QObject
{
    Q_OBJECT
public:
    CResourceUsageMonitor();
    ~CResourceUsageMonitor() override;

    // Starts the 3000 ms timer; later calls do nothing.
    void startMonitor();
    // Logs one line, e.g.
    // "App memory(K):51234 Available physical memory(K):8001234 usage(%):48".
    void outputMemoryUsage();

    // The line logged by outputMemoryUsage, made from the texts of
    // /proc/self/status and /proc/meminfo. Warns when a figure is missing.
    static QString memoryUsageText(const QByteArray &processStatus, const QByteArray &memInfo);

private slots:
    void slotOnTimerMonitor();

private:
    QTimer *m_timer = nullptr;
};

} // namespace rj_app::helpers
