#include "views/meetings/WebComponents.h"

#include "helpers/LogMacros.h"
#include "views/meetings/CWebBrowserLoadFailedForm.h"
#include "views/meetings/CWebPageUnavailableForm.h"
#include "views/meetings/IWebComponents.h"

#include <QCoreApplication>
#include <QDebug>
#include <QPluginLoader>

#include <unistd.h>

namespace rj_app::views {

namespace {

struct LoaderState
{
    QString libraryPath;
    IWebComponents *injected = nullptr;
    IWebComponents *loaded = nullptr;
    bool tried = false;
    QString error;
    std::function<unsigned int()> effectiveUserId;
};

LoaderState &state()
{
    static LoaderState s;
    return s;
}

IWebComponents *load()
{
    LoaderState &s = state();
    const QString path = WebComponents::libraryPath();
    qInfo() << RJ_FUNCTION << "loading" << path;
    QPluginLoader loader(path);
    // Every symbol is bound now: one the executable lacks fails the load
    // here instead of ending the process at its first call.
    loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    QObject *root = loader.instance();
    if (!root) {
        s.error = loader.errorString();
        qWarning() << RJ_FUNCTION << "web pages are not available:" << s.error;
        return nullptr;
    }
    auto *factory = qobject_cast<IWebComponents *>(root);
    if (!factory) {
        s.error = QStringLiteral("%1 is not the web library of this build (%2)")
                      .arg(path, QStringLiteral(GLIMORA_WEB_COMPONENTS_IID));
        qWarning() << RJ_FUNCTION << "web pages are not available:" << s.error;
        return nullptr;
    }
    qInfo() << RJ_FUNCTION << "loaded";
    return factory;
}

} // namespace

IWebComponents *WebComponents::instance()
{
    LoaderState &s = state();
    if (s.injected)
        return s.injected;
    if (!s.tried) {
        s.tried = true;
        s.error = sandboxRefusal();
        if (s.error.isEmpty())
            s.loaded = load();
        else
            qWarning() << RJ_FUNCTION << "web pages are not available:" << s.error;
    }
    return s.loaded;
}

QString WebComponents::errorString()
{
    return state().error;
}

CWebPageHost *WebComponents::createWebBrowserWrapperForm(int urlType, QWidget *parent)
{
    if (IWebComponents *factory = instance()) {
        if (CWebPageHost *page = factory->createWebBrowserWrapperForm(urlType, parent))
            return page;
    }
    return new CWebPageUnavailableForm(urlType, parent,
                                       sandboxRefusal().isEmpty() ? CWebBrowserLoadFailedForm::NoWebComponents
                                                                  : CWebBrowserLoadFailedForm::RunningAsRoot);
}

QString WebComponents::sandboxRefusal()
{
    const LoaderState &s = state();
    const unsigned int euid = s.effectiveUserId ? s.effectiveUserId() : static_cast<unsigned int>(::geteuid());
    if (euid != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return QString();
    // The engine reads its flags from this variable and from the command line.
    QStringList flags = QString::fromLocal8Bit(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")).split(QLatin1Char(' '));
    if (QCoreApplication::instance())
        flags += QCoreApplication::arguments();
    if (flags.contains(QLatin1String("--no-sandbox")))
        return QString();
    return QStringLiteral("web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1");
}

void WebComponents::setEffectiveUserIdSource(std::function<unsigned int()> source)
{
    state().effectiveUserId = std::move(source);
}

void WebComponents::setLibraryPath(const QString &path)
{
    LoaderState &s = state();
    s.libraryPath = path;
    if (!s.loaded) {
        s.tried = false;
        s.error.clear();
    }
}

QString WebComponents::libraryPath()
{
    const QString &path = state().libraryPath;
    return path.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/libglimora_web.so") : path;
}

void WebComponents::setFactory(IWebComponents *factory)
{
    state().injected = factory;
}

} // namespace rj_app::views
