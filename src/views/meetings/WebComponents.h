#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace rj_app::views {

class CWebPageHost;
class IWebComponents;

// The one way into the web library. Loading it maps the web engine (a
// hundred megabytes and more), so it happens when the first web page is
// made, never at start-up. When the library cannot be loaded, the reason is
// logged once and every page place shows a failed state instead.
class WebComponents
{
public:
    // The library's factory, loaded on the first call; null when it cannot
    // be loaded.
    static IWebComponents *instance();
    // Why the library could not be loaded; empty when it was, or not yet tried.
    static QString errorString();

    // A page of the library, or a stand-in that shows that web pages are not
    // available.
    static CWebPageHost *createWebBrowserWrapperForm(int urlType, QWidget *parent = nullptr);

    // Where the library is looked for: "libglimora_web.so" beside the
    // executable unless set (tests run from another directory). Setting it
    // allows another attempt.
    static void setLibraryPath(const QString &path);
    static QString libraryPath();
    // Replaces the library (tests without the web engine); null goes back to
    // loading it.
    static void setFactory(IWebComponents *factory);

    // Why the web engine cannot start in this process, or empty. As root it
    // starts only with its sandbox off (QTWEBENGINE_DISABLE_SANDBOX set, or
    // --no-sandbox among the Chromium flags); otherwise it ends the process
    // at the first page, so the library is not even loaded.
    static QString sandboxRefusal();
    // Replaces geteuid() in that check; null goes back to it.
    static void setEffectiveUserIdSource(std::function<unsigned int()> source);

private:
    WebComponents() = delete;
};

} // namespace rj_app::views
