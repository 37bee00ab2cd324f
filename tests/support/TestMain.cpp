#include "TestMain.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace glimora::test {

namespace {
QTemporaryDir *g_root = nullptr;
// Qt Test puts in a message handler of its own for the run, which passes
// nothing on; the watcher goes in again above it once the run has begun
// (at the first event), and under it before and after.
std::atomic<QtMessageHandler> g_previousHandler{nullptr};
QtMessageHandler g_outerHandler = nullptr;
QAtomicInt g_styleSheetWarnings;
thread_local bool t_inWatcher = false;

bool isStyleSheetWarning(const QString &message)
{
    return message.startsWith(QLatin1String("QCssParser::"))
        || message.startsWith(QLatin1String("Could not parse stylesheet"))
        || message.startsWith(QLatin1String("Could not parse application stylesheet"));
}

void messageWatcher(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && isStyleSheetWarning(message))
        g_styleSheetWarnings.fetchAndAddRelaxed(1);
    const QtMessageHandler previous = g_previousHandler.load();
    // Qt Test's handler hands messages back to the one under it once its run
    // is over: never round in a circle.
    if (!t_inWatcher && previous) {
        t_inWatcher = true;
        previous(type, context, message);
        t_inWatcher = false;
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
    // The web engine says so while the application object goes, after the
    // test's status was made: the process ends failed right here.
    if (message.startsWith(QLatin1String("Release of profile requested but WebEnginePage still not deleted"))) {
        std::fprintf(stderr, "FAIL: a web page outlived the web engine's profile at exit\n");
        std::fflush(nullptr);
        std::_Exit(1);
    }
}

class WatcherAboveQtTest : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *) override
    {
        // Once: a handler a test puts in later goes above the watcher.
        if (m_done)
            return false;
        const QtMessageHandler previous = qInstallMessageHandler(messageWatcher);
        if (previous != messageWatcher) {
            g_previousHandler.store(previous);
            m_done = true;
        }
        return false;
    }

private:
    bool m_done = false;
};

WatcherAboveQtTest *g_aboveQtTest = nullptr;

void setDir(const char *name, const QString &path)
{
    QDir().mkpath(path);
    qputenv(name, QFile::encodeName(path));
}

} // namespace

void isolateEnvironment()
{
    if (g_root)
        return;
    g_root = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/glimora-test-XXXXXX"));
    if (!g_root->isValid()) {
        qFatal("cannot create a temporary test directory: %s", qPrintable(g_root->errorString()));
    }
    std::atexit([] { delete g_root; g_root = nullptr; });

    const QString root = g_root->path();
    setDir("appdata", root + QStringLiteral("/appdata"));
    setDir("HOME", root + QStringLiteral("/home"));
    setDir("XDG_DATA_HOME", root + QStringLiteral("/xdg-data"));
    setDir("XDG_CONFIG_HOME", root + QStringLiteral("/xdg-config"));
    setDir("XDG_CACHE_HOME", root + QStringLiteral("/xdg-cache"));
    setDir("XDG_RUNTIME_DIR", root + QStringLiteral("/xdg-runtime"));
    QFile::setPermissions(root + QStringLiteral("/xdg-runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString isolatedRoot()
{
    return g_root ? g_root->path() : QString();
}

void watchStyleSheetWarnings()
{
    g_outerHandler = qInstallMessageHandler(messageWatcher);
    g_previousHandler.store(g_outerHandler);
    g_aboveQtTest = new WatcherAboveQtTest;
    QCoreApplication::instance()->installEventFilter(g_aboveQtTest);
}

int styleSheetCheckedStatus(int status)
{
    // Qt Test is done: the watcher stays, over the handler from before.
    QCoreApplication::instance()->removeEventFilter(g_aboveQtTest);
    delete g_aboveQtTest;
    g_aboveQtTest = nullptr;
    qInstallMessageHandler(messageWatcher);
    g_previousHandler.store(g_outerHandler);
    const int warnings = g_styleSheetWarnings.loadRelaxed();
    if (warnings == 0)
        return status;
    std::fprintf(stderr, "FAIL: Qt's style sheet parser warned %d time(s); see the warnings above\n", warnings);
    return status != 0 ? status : 1;
}

} // namespace glimora::test
