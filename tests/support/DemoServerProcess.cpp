#include "DemoServerProcess.h"

#include <QRegularExpression>

namespace glimora::test {

namespace {
constexpr int kWaitMs = 10000;
}

DemoServerProcess::DemoServerProcess(const QString &program)
    : m_program(program)
{
}

DemoServerProcess::~DemoServerProcess()
{
    stop();
}

bool DemoServerProcess::start(const QStringList &args)
{
    tls = !args.contains(QStringLiteral("--http"));
    process.setProgram(m_program);
    process.setArguments(args + QStringList{QStringLiteral("--quiet")});
    process.start();
    if (!process.waitForStarted(kWaitMs))
        return false;
    while (!process.canReadLine()) {
        if (process.state() != QProcess::Running || !process.waitForReadyRead(kWaitMs))
            return false;
    }
    const QString line = QString::fromUtf8(process.readLine()).trimmed();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^devserver ports (\\d+) (\\d+)$")).match(line);
    if (!m.hasMatch())
        return false;
    plainPort = m.captured(1).toInt();
    rozPort = m.captured(2).toInt();
    return plainPort > 0 && rozPort > 0;
}

bool DemoServerProcess::runToEnd(const QStringList &args)
{
    process.setProgram(m_program);
    process.setArguments(args);
    process.start();
    return process.waitForFinished(kWaitMs);
}

void DemoServerProcess::stop()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(kWaitMs))
        process.kill();
    process.waitForFinished(kWaitMs);
}

QString DemoServerProcess::base(int port) const
{
    return QStringLiteral("%1://127.0.0.1:%2")
        .arg(tls ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(port ? port : plainPort);
}

} // namespace glimora::test
