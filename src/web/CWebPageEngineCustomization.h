#pragma once

#include <QSet>
#include <QString>
#include <QWebEnginePage>

class QWebChannel;
class QWebEngineView;

namespace rj_app::views {

// The page behind every embedded web page: servers of a deployment often run
// on certificates of their own, so a certificate error does not stop a page
// of the server the client itself loaded. The trust goes no further than
// that server: a page that leads to another host with a bad certificate is
// stopped there.
class CWebPageEngineCustomization : public QWebEnginePage
{
public:
    explicit CWebPageEngineCustomization(QObject *parent = nullptr);
    ~CWebPageEngineCustomization() override;

    // A new page on `view` (its parent) with a web channel of its own on
    // which `bridge` is the page's "qtWebObj".
    static CWebPageEngineCustomization *createOn(QWebEngineView *view, QObject *bridge);
    // Undoes createOn: page and channel go, the bridge stays, the view has
    // no page. Either pointer may be null already.
    static void release(QWebEngineView *view, CWebPageEngineCustomization *page, QWebChannel *channel,
                        QObject *bridge);
    // Clears the HTTP cache of `loading`'s profile before it loads, unless
    // another page of that profile shows a document: the web engine renews
    // the profile's network connection when it clears the cache, and a page
    // already loaded then fails every request it makes.
    static void clearHttpCacheBeforeLoad(CWebPageEngineCustomization *loading);

protected:
    bool certificateError(const QWebEngineCertificateError &error) override;
    // Notes the host of every address the client loads itself.
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    QSet<QString> m_trustedHosts;
};

} // namespace rj_app::views
