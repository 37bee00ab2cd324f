#include "views/meetings/CWebPageEngineCustomization.h"

#include "helpers/LogMacros.h"

#include <QDebug>
#include <QWebChannel>
#include <QWebEngineCertificateError>
#include <QWebEngineView>

namespace rj_app::views {

CWebPageEngineCustomization::CWebPageEngineCustomization(QObject *parent)
    : QWebEnginePage(parent)
{
}

CWebPageEngineCustomization::~CWebPageEngineCustomization()
{
    qInfo() << RJ_FUNCTION;
}

CWebPageEngineCustomization *CWebPageEngineCustomization::createOn(QWebEngineView *view, QObject *bridge)
{
    auto *page = new CWebPageEngineCustomization(view);
    view->setPage(page);
    auto *channel = new QWebChannel(page);
    channel->registerObject(QStringLiteral("qtWebObj"), bridge);
    page->setWebChannel(channel);
    return page;
}

void CWebPageEngineCustomization::release(QWebEngineView *view, CWebPageEngineCustomization *page,
                                          QWebChannel *channel, QObject *bridge)
{
    if (channel) {
        channel->deregisterObject(bridge);
        channel->setParent(nullptr);
    }
    if (page) {
        page->setParent(nullptr);
        delete page;
        view->setPage(nullptr);
    }
    delete channel;
}

bool CWebPageEngineCustomization::certificateError(const QWebEngineCertificateError &error)
{
    const QString host = error.url().host();
    const bool accepted = m_trustedHosts.contains(host) && error.isOverridable();
    qWarning() << RJ_FUNCTION << "certificate error" << error.error() << error.errorDescription() << "from" << host
               << (accepted ? "accepted" : "refused");
    return accepted;
}

bool CWebPageEngineCustomization::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // load() arrives as a typed address; what the page opens by itself does
    // not add to the trust.
    if (isMainFrame && type == NavigationTypeTyped && !url.host().isEmpty())
        m_trustedHosts.insert(url.host());
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

} // namespace rj_app::views
