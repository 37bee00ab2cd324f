#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace glimora::test {

// The demo server (tools/devserver) as a process of its own, on ports the
// system picks unless told otherwise. Stopped with SIGTERM when destroyed.
class DemoServerProcess
{
public:
    explicit DemoServerProcess(const QString &program);
    ~DemoServerProcess();
    DemoServerProcess(const DemoServerProcess &) = delete;
    DemoServerProcess &operator=(const DemoServerProcess &) = delete;

    // Starts it with the arguments (plus --quiet) and reads its ports line.
    bool start(const QStringList &args = {QStringLiteral("--port"), QStringLiteral("0")});
    // Runs it to its end (for starts that must fail); false when it kept running.
    bool runToEnd(const QStringList &args);
    void stop();

    QString base(int port = 0) const;

    QProcess process;
    int plainPort = 0;
    int rozPort = 0;

private:
    QString m_program;
};

} // namespace glimora::test
