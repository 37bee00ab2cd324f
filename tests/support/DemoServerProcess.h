#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace glimora::test {

// The demo server (tools/devserver) as a process of its own, on ports the
// system picks unless told otherwise. It speaks HTTPS with a certificate of
// its own unless started with --http. Stopped with SIGTERM when destroyed.
class DemoServerProcess
{
public:
    explicit DemoServerProcess(const QString &program);
    ~DemoServerProcess();
    DemoServerProcess(const DemoServerProcess &) = delete;
    DemoServerProcess &operator=(const DemoServerProcess &) = delete;

    // Starts it with the arguments (plus --quiet) and reads its ports line.
    bool start(const QStringList &args = {QStringLiteral("--port"), QStringLiteral("0")});
    // The same over plain HTTP, for tests about what it serves rather than how.
    bool startPlainHttp() { return start({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--http")}); }
    // Runs it to its end (for starts that must fail); false when it kept running.
    bool runToEnd(const QStringList &args);
    void stop();

    // "https://127.0.0.1:<port>" (or "http://" with --http); the ordinary
    // port when none is given.
    QString base(int port = 0) const;

    QProcess process;
    int plainPort = 0;
    int rozPort = 0;
    bool tls = true;

private:
    QString m_program;
};

} // namespace glimora::test
