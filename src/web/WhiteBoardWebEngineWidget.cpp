#include "web/WhiteBoardWebEngineWidget.h"

#include "helpers/LogMacros.h"
#include "views/annotation/WebWhiteBoardJSContext.h"
#include "web/CWebPageEngineCustomization.h"

#include <QDebug>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace rj_app::views {

WhiteBoardWebEngineWidget::WhiteBoardWebEngineWidget(QWidget *parent)
    : WhiteBoardWebWidget(parent)
{
    m_pWebView = new QWebEngineView(this);
    m_pWebView->setObjectName(QStringLiteral("m_pWebView"));
    m_pWebView->setContextMenuPolicy(Qt::NoContextMenu);
    setUpPage();
    setPageView(m_pWebView);
}

WhiteBoardWebEngineWidget::~WhiteBoardWebEngineWidget()
{
    qInfo() << RJ_FUNCTION;
    if (m_pPage)
        disconnectPage();
}

void WhiteBoardWebEngineWidget::setUpPage()
{
    m_pPage = CWebPageEngineCustomization::createOn(m_pWebView, jsContext());
    m_pWebChannel = m_pPage->webChannel();
    m_pPage->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    connectPage();
}

void WhiteBoardWebEngineWidget::connectPage()
{
    connect(m_pPage, &QWebEnginePage::loadStarted, this, &WhiteBoardWebEngineWidget::slotOnLoadStarted);
    connect(m_pPage, &QWebEnginePage::loadProgress, this, &WhiteBoardWebEngineWidget::slotOnLoadProgress);
    connect(m_pPage, &QWebEnginePage::loadFinished, this, &WhiteBoardWebEngineWidget::slotOnLoadFinished);
}

void WhiteBoardWebEngineWidget::disconnectPage()
{
    disconnect(m_pPage, &QWebEnginePage::loadStarted, this, &WhiteBoardWebEngineWidget::slotOnLoadStarted);
    disconnect(m_pPage, &QWebEnginePage::loadProgress, this, &WhiteBoardWebEngineWidget::slotOnLoadProgress);
    disconnect(m_pPage, &QWebEnginePage::loadFinished, this, &WhiteBoardWebEngineWidget::slotOnLoadFinished);
}

void WhiteBoardWebEngineWidget::createNewPage()
{
    WhiteBoardWebWidget::createNewPage(); // logs and releases the current page
    setUpPage();
    qInfo() << RJ_FUNCTION << "Cache path:" << m_pPage->profile()->cachePath();
}

void WhiteBoardWebEngineWidget::releaseCurrentPage()
{
    qInfo() << RJ_FUNCTION << "page:" << static_cast<void *>(m_pPage.data())
            << "channel:" << static_cast<void *>(m_pWebChannel);
    if (m_pPage)
        disconnectPage();
    CWebPageEngineCustomization::release(m_pWebView, m_pPage, m_pWebChannel, jsContext());
    m_pWebChannel = nullptr;
}

void WhiteBoardWebEngineWidget::runScript(const QString &script)
{
    if (!m_pPage) {
        qWarning() << RJ_FUNCTION << "no page for" << script;
        return;
    }
    m_pPage->runJavaScript(script);
}

void WhiteBoardWebEngineWidget::loadAddress(const QUrl &url)
{
    if (m_pPage)
        m_pPage->load(url);
}

void WhiteBoardWebEngineWidget::clearHttpCache()
{
    CWebPageEngineCustomization::clearHttpCacheBeforeLoad(m_pPage);
}

void WhiteBoardWebEngineWidget::slotOnLoadStarted()
{
    qInfo() << RJ_FUNCTION;
}

void WhiteBoardWebEngineWidget::slotOnLoadProgress(int progress)
{
    qInfo() << RJ_FUNCTION << ", progress:" << progress;
}

void WhiteBoardWebEngineWidget::slotOnLoadFinished(bool ok)
{
    qInfo() << RJ_FUNCTION << "ok:" << ok;
}

} // namespace rj_app::views
