#include "helpers/CResourceUsageMonitor.h"

#include <QDebug>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

namespace rj_app::helpers {

namespace {

constexpr int kMonitorIntervalMs = 3000;

QByteArray readProcFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll(); // /proc files report size 0; readAll reads to the end
}

// The number of a "Key:   1234 kB" line, or -1 when the key is absent.
qint64 kibValue(const QString &text, const QString &key)
{
    const QRegularExpression re(QStringLiteral("^") + QRegularExpression::escape(key)
                                    + QStringLiteral(":\\s*(\\d+)\\s*kB\\s*$"),
                                QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = re.match(text);
    if (!match.hasMatch())
        return -1;
    bool ok = false;
    const qint64 value = match.captured(1).toLongLong(&ok);
    return ok ? value : -1;
}

} // namespace

CResourceUsageMonitor::CResourceUsageMonitor()
    : QObject(nullptr)
{
}

CResourceUsageMonitor::~CResourceUsageMonitor()
{
    if (m_timer) {
        m_timer->stop();
        delete m_timer;
        m_timer = nullptr;
    }
}

void CResourceUsageMonitor::startMonitor()
{
    qDebug() << "rj_app::helpers::CResourceUsageMonitor::startMonitor";
    if (m_timer)
        return;
    m_timer = new QTimer();
    m_timer->setInterval(kMonitorIntervalMs);
    m_timer->setSingleShot(false);
    connect(m_timer, &QTimer::timeout, this, &CResourceUsageMonitor::slotOnTimerMonitor);
    m_timer->start();
    qDebug() << "rj_app::helpers::CResourceUsageMonitor::startMonitor"
             << "done";
}

void CResourceUsageMonitor::outputMemoryUsage()
{
    const QString line = memoryUsageText(readProcFile(QStringLiteral("/proc/self/status")),
                                         readProcFile(QStringLiteral("/proc/meminfo")));
    qInfo().noquote() << line;
}

QString CResourceUsageMonitor::memoryUsageText(const QByteArray &processStatus,
                                               const QByteArray &memInfo)
{
    QString line;

    // Working set of this process: the resident set size.
    const qint64 rss = kibValue(QString::fromLatin1(processStatus), QStringLiteral("VmRSS"));
    if (rss >= 0)
        line = QStringLiteral("App memory(K):") + QString::number(rss);
    else
        qWarning() << "Failed to get process memory info";

    const QString mem = QString::fromLatin1(memInfo);
    const qint64 total = kibValue(mem, QStringLiteral("MemTotal"));
    const qint64 available = kibValue(mem, QStringLiteral("MemAvailable"));
    if (total > 0 && available >= 0 && available <= total) {
        const qint64 load = 100 * (total - available) / total;
        line += QStringLiteral(" Available physical memory(K):") + QString::number(available)
            + QStringLiteral(" usage(%):") + QString::number(load);
    } else {
        qWarning() << "Failed to get system memory info";
    }
    return line;
}

void CResourceUsageMonitor::slotOnTimerMonitor()
{
    outputMemoryUsage();
}

} // namespace rj_app::helpers
