#include "TestMain.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

namespace glimora::test {

namespace {
QTemporaryDir *g_root = nullptr;

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

} // namespace glimora::test
