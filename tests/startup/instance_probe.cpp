// A process with the client's application object, for the single-instance
// tests: "listen" prints "first" or "later", then every message it receives
// as hex on its own line; "send <text>" sends the text when another instance
// runs and prints "sent" or "not sent". The log goes to stderr.

#include "app/CSingleApplication.h"

#include <QTextStream>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("glimora"));
    if (argc < 2)
        return 2;
    const bool listen = std::strcmp(argv[1], "listen") == 0;
    const QByteArray text = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    // Every argument goes to the application object, which logs them.
    int appArgc = argc;
    rj_app::CSingleApplication app(appArgc, argv, rj_app::CSingleApplication::userInstanceKey());
    std::printf("%s\n", app.isRunning() ? "later" : "first");
    std::fflush(stdout);
    if (!listen) {
        const bool sent = app.sendMessage(QString::fromUtf8(text));
        std::printf("%s\n", sent ? "sent" : "not sent");
        return 0;
    }
    QObject::connect(&app, &rj_app::CSingleApplication::messageAvailable, [](const QString &message) {
        std::printf("%s\n", message.toUtf8().toHex().constData());
        std::fflush(stdout);
    });
    return app.exec();
}
