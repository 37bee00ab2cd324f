#include "web/CWebPageEngineCustomization.h"

#include "helpers/LogMacros.h"

#include <QApplication>
#include <QDebug>
#include <QPointer>
#include <QWebChannel>
#include <QWebEngineCertificateError>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace rj_app::views {

namespace {

QSet<CWebPageEngineCustomization *> &livingPages()
{
    static QSet<CWebPageEngineCustomization *> pages;
    return pages;
}

// At the end of the process the web engine releases its profile; a page
// still alive then outlives it. The engine registers its own end routine when
// it starts, that is before the first page exists, and Qt runs these
// routines last registered first, before any window goes: so this one,
// registered with the first page, deletes every page (ours, and those a view
// made by itself) while the profile and the views are still there.
void deletePagesBeforeTheProfile()
{
    QList<QPointer<QWebEnginePage>> pages;
    for (CWebPageEngineCustomization *page : qAsConst(livingPages()))
        pages << page;
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets) {
        if (auto *view = qobject_cast<QWebEngineView *>(widget)) {
            for (QWebEnginePage *page : view->findChildren<QWebEnginePage *>(QString(), Qt::FindDirectChildrenOnly))
                pages << page;
        }
    }
    for (const QPointer<QWebEnginePage> &page : qAsConst(pages))
        delete page.data();
}

} // namespace

CWebPageEngineCustomization::CWebPageEngineCustomization(QObject *parent)
    : QWebEnginePage(parent)
{
    static const bool deletedAtExit = [] {
        qAddPostRoutine(deletePagesBeforeTheProfile);
        return true;
    }();
    Q_UNUSED(deletedAtExit)
    livingPages().insert(this);
}

CWebPageEngineCustomization::~CWebPageEngineCustomization()
{
    qInfo() << RJ_FUNCTION;
    livingPages().remove(this);
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

void CWebPageEngineCustomization::clearHttpCacheBeforeLoad(CWebPageEngineCustomization *loading)
{
    if (!loading)
        return;
    QWebEngineProfile *profile = loading->profile();
    for (CWebPageEngineCustomization *page : qAsConst(livingPages())) {
        if (page != loading && page->profile() == profile && !page->url().isEmpty()
            && page->url() != QUrl(QStringLiteral("about:blank"))) {
            qInfo() << RJ_FUNCTION << "HTTP cache kept: another page of the profile is shown";
            return;
        }
    }
    profile->clearHttpCache();
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
