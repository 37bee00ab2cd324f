#include "web/CWebBrowserWrapperForm.h"

#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/LogMasking.h"
#include "views/meetings/CWebBrowserLoadFailedForm.h"
#include "views/meetings/CWebBrowserLoadingForm.h"
#include "views/meetings/CWebJsContext.h"
#include "web/CWebPageEngineCustomization.h"

#include <QDebug>
#include <QFrame>
#include <QOperatingSystemVersion>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace rj_app::views {

namespace {

constexpr int kDefaultLoadTimeoutMs = 20000;
constexpr int kDelayedLoadMs = 500;

int &timeoutMs()
{
    static int ms = kDefaultLoadTimeoutMs;
    return ms;
}

// Old Windows (6.1 and below) needs a moment before its first page loads;
// no other system does.
bool firstLoadWaits()
{
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    return os.type() == QOperatingSystemVersion::Windows
           && os <= QOperatingSystemVersion(QOperatingSystemVersion::Windows, 6, 1);
}

// A JavaScript string literal holding `text` exactly. Besides quotes and
// backslashes, the characters that end a line or could close a script element
// around it are written as escapes.
QString jsStringLiteral(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u < 0x20 || u == 0x7f || u == u'<' || u == u'>' || u == u'&' || u == 0x2028 || u == 0x2029) {
            out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString maskedToken(const std::string &token)
{
    return QString::fromStdString(models::maskedToken(token));
}

} // namespace

CWebBrowserWrapperForm::CWebBrowserWrapperForm(int urlType, QWidget *parent)
    : CWebPageHost(urlType, parent)
{
    setupUi();
    m_qstrConfiguredUrl = configuredAddress(urlType);
    m_qstrTypeUrl = pageKey(urlType);

    m_pWebView = new QWebEngineView(this);
    m_pWebView->setObjectName(QStringLiteral("m_pWebView"));
    m_pWebView->setContextMenuPolicy(Qt::NoContextMenu);
    m_pJsContext = new CWebJsContext(this);
    m_pWebPage = CWebPageEngineCustomization::createOn(m_pWebView, m_pJsContext);
    m_pWebChannel = m_pWebPage->webChannel();

    m_pLoadingForm = new CWebBrowserLoadingForm(this);
    m_pLoadingForm->setObjectName(QStringLiteral("m_pLoadingForm"));
    m_pLoadFailedForm = new CWebBrowserLoadFailedForm(this);
    m_pLoadFailedForm->setObjectName(QStringLiteral("m_pLoadFailedForm"));
    m_pWebView->hide();
    m_pLoadingForm->hide();
    m_pLoadFailedForm->hide();

    m_pTimerTimeout = new QTimer(this);
    connect(m_pTimerTimeout, &QTimer::timeout, this, &CWebBrowserWrapperForm::slotOnTimerTimeout);

    models::CLoginManager *login = models::CLoginManager::getInstance();
    connect(m_pLoadFailedForm, &CWebBrowserLoadFailedForm::signal_reload, this, &CWebBrowserWrapperForm::slotReload);
    connect(login, &models::CLoginManager::sigLoginTokenChanged, this,
            &CWebBrowserWrapperForm::slotOnLoginTokenChanged);
    connect(login, &models::CLoginManager::sigDisplayNameChanged, this,
            &CWebBrowserWrapperForm::slotOnDisplayNameChanged);
    connect(m_pJsContext, &CWebJsContext::sigJoinConf, this, &CWebPageHost::sigJoinConf);
    connect(m_pJsContext, &CWebJsContext::sigPageCreated, this, &CWebBrowserWrapperForm::slotOnPageCreated);
    connectPage();
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CWebBrowserWrapperForm::slotOnLanguageChanged);
    qInfo() << RJ_FUNCTION << "Cache path:" << m_pWebPage->profile()->cachePath();
}

CWebBrowserWrapperForm::~CWebBrowserWrapperForm()
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType;
    for (QTimer *timer : {m_pTimerLoadUrl, m_pTimerTimeout}) {
        if (timer) {
            timer->stop();
            timer->deleteLater();
        }
    }
    disconnect(m_pJsContext, &CWebJsContext::sigJoinConf, this, &CWebPageHost::sigJoinConf);
    disconnect(m_pJsContext, &CWebJsContext::sigPageCreated, this, &CWebBrowserWrapperForm::slotOnPageCreated);
    if (m_pWebPage)
        disconnectPage();
    m_pLoadingForm->deleteLater();
    m_pLoadFailedForm->deleteLater();
    qInfo() << RJ_FUNCTION << "done";
}

void CWebBrowserWrapperForm::setupUi()
{
    setObjectName(QStringLiteral("CWebBrowserWrapperForm"));
    resize(650, 476);
    setWindowTitle(QString());
    verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    webBrowserFrame = new QFrame(this);
    webBrowserFrame->setObjectName(QStringLiteral("webBrowserFrame"));
    webBrowserFrame->setFrameShape(QFrame::StyledPanel);
    webBrowserFrame->setFrameShadow(QFrame::Raised);
    verticalLayout->addWidget(webBrowserFrame);
}

void CWebBrowserWrapperForm::setLoadTimeoutMs(int ms)
{
    timeoutMs() = ms > 0 ? ms : kDefaultLoadTimeoutMs;
}

int CWebBrowserWrapperForm::loadTimeoutMs()
{
    return timeoutMs();
}

QString CWebBrowserWrapperForm::updateLoginUserScript(const QString &displayName)
{
    // A page still loading has not defined it yet; it hears the name again
    // once it announces itself.
    return QStringLiteral("if (typeof updateLoginUser === 'function') updateLoginUser(%1);")
        .arg(jsStringLiteral(displayName));
}

void CWebBrowserWrapperForm::connectPage()
{
    connect(m_pWebPage, &QWebEnginePage::loadStarted, this, &CWebBrowserWrapperForm::slotOnLoadStarted);
    connect(m_pWebPage, &QWebEnginePage::loadProgress, this, &CWebBrowserWrapperForm::slotOnLoadProgress);
    connect(m_pWebPage, &QWebEnginePage::loadFinished, this, &CWebBrowserWrapperForm::slotOnLoadFinished);
}

void CWebBrowserWrapperForm::disconnectPage()
{
    disconnect(m_pWebPage, &QWebEnginePage::loadStarted, this, &CWebBrowserWrapperForm::slotOnLoadStarted);
    disconnect(m_pWebPage, &QWebEnginePage::loadProgress, this, &CWebBrowserWrapperForm::slotOnLoadProgress);
    disconnect(m_pWebPage, &QWebEnginePage::loadFinished, this, &CWebBrowserWrapperForm::slotOnLoadFinished);
}

QString CWebBrowserWrapperForm::getUrl() const
{
    AddressParts parts = currentAddressParts();
    parts.configured = m_qstrConfiguredUrl;
    const QString url = pageAddress(m_qstrTypeUrl, parts);
    qInfo() << RJ_FUNCTION << "GetUrl:" << addressForLog(url, parts.token) << ", m_qstrTypeUrl:" << m_qstrTypeUrl;
    return url;
}

void CWebBrowserWrapperForm::loadStart()
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType;
    if (m_bPageUsed) {
        qInfo("Page used and create new page");
        createNewPage();
    }
    if (!m_pWebChannel) {
        qInfo("m_pWebChannel is null");
        createNewPage();
    }
    m_bPageUsed = true;
    m_pWebView->hide();
    m_pLoadingForm->show();
    m_pLoadFailedForm->hide();
    m_bPageCreated = false;
    setDisplayState(Loading);

    if (firstLoadWaits() && !m_pTimerLoadUrl) {
        qInfo() << "Load the url delayed, m_webBrowserUrlType:" << m_webBrowserUrlType;
        m_pTimerLoadUrl = new QTimer;
        m_pTimerLoadUrl->setSingleShot(true);
        m_pTimerLoadUrl->setInterval(kDelayedLoadMs);
        connect(m_pTimerLoadUrl, &QTimer::timeout, this, &CWebBrowserWrapperForm::slotOnTimerLoadUrl);
        m_pTimerLoadUrl->start();
    } else {
        qInfo("Load the url directly");
        loadUrl();
    }

    m_pTimerTimeout->stop();
    m_pTimerTimeout->setInterval(timeoutMs());
    m_pTimerTimeout->start();
}

void CWebBrowserWrapperForm::loadUrl()
{
    if (!m_pWebPage) {
        qWarning() << RJ_FUNCTION << "web page is null, m_webBrowserUrlType:" << m_webBrowserUrlType;
        return;
    }
    CWebPageEngineCustomization::clearHttpCacheBeforeLoad(m_pWebPage);
    const QString url = getUrl();
    if (url.isEmpty()) {
        // Nothing to load: the timeout shows the failed form.
        qWarning() << RJ_FUNCTION << "no address for the page, m_webBrowserUrlType:" << m_webBrowserUrlType;
        return;
    }
    qInfo("begin to load url");
    m_pWebPage->load(QUrl(url));
}

void CWebBrowserWrapperForm::createNewPage()
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType;
    releaseCurrentPage();
    m_pWebPage = CWebPageEngineCustomization::createOn(m_pWebView, m_pJsContext);
    m_pWebChannel = m_pWebPage->webChannel();
    connectPage();
    qInfo() << RJ_FUNCTION << "Cache path:" << m_pWebPage->profile()->cachePath();
}

void CWebBrowserWrapperForm::releaseCurrentPage()
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType << ", m_bPageUsed:" << m_bPageUsed
            << ", page:" << static_cast<void *>(m_pWebPage.data()) << ", channel:" << static_cast<void *>(m_pWebChannel);
    if (!m_pWebChannel)
        return;
    qInfo("release page and channel");
    if (m_pWebPage)
        disconnectPage();
    CWebPageEngineCustomization::release(m_pWebView, m_pWebPage, m_pWebChannel, m_pJsContext);
    m_pWebChannel = nullptr;
}

void CWebBrowserWrapperForm::updatePage()
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType;
    if (!m_bPageUsed) {
        qInfo("page not used and do not create new page");
        return;
    }
    createNewPage();
    m_bPageUsed = false;
}

void CWebBrowserWrapperForm::clearConfListCache()
{
    qInfo() << RJ_FUNCTION;
    if (!m_pWebPage)
        return;
    qInfo("exec clearConfListCache");
    runScript(QStringLiteral("clearConfListCache()"));
}

void CWebBrowserWrapperForm::stopWeb()
{
    qInfo() << RJ_FUNCTION << "m_showFlag:" << m_showFlag;
    if (m_showFlag && m_pWebPage)
        m_pWebPage->triggerAction(QWebEnginePage::Stop);
}

void CWebBrowserWrapperForm::updateDpi(double scale)
{
    m_dZoomFactor = scale > 0 ? scale : 1.0;
    if (m_pWebPage)
        m_pWebPage->setZoomFactor(m_dZoomFactor);
    if (scale > 0) {
        m_pLoadingForm->updateDpi(scale);
        m_pLoadFailedForm->updateDpi(scale);
    }
}

void CWebBrowserWrapperForm::runScript(const QString &script)
{
    if (m_pWebPage)
        m_pWebPage->runJavaScript(script);
}

void CWebBrowserWrapperForm::loadSucceed()
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType;
    m_pTimerTimeout->stop();
    m_pWebView->show();
    m_pLoadingForm->hide();
    m_pLoadFailedForm->hide();
    if (m_pWebPage)
        m_pWebPage->setZoomFactor(m_dZoomFactor);
    setDisplayState(Shown);
}

void CWebBrowserWrapperForm::loadTimeout()
{
    qWarning() << RJ_FUNCTION << "the page did not come up, m_webBrowserUrlType:" << m_webBrowserUrlType;
    m_pTimerTimeout->stop();
    m_pWebView->hide();
    m_pLoadingForm->hide();
    m_pLoadFailedForm->show();
    setDisplayState(Failed);
}

void CWebBrowserWrapperForm::updateToken()
{
    qInfo() << RJ_FUNCTION << "token:" << maskedToken(models::CLoginManager::getInstance()->m_userInfo.token)
            << ", reload the web page";
    loadStart();
}

void CWebBrowserWrapperForm::refreshConferences()
{
    runScript(QStringLiteral("refreshConferences()"));
}

void CWebBrowserWrapperForm::refreshContacts()
{
    runScript(QStringLiteral("refreshContacts()"));
}

void CWebBrowserWrapperForm::showEvent(QShowEvent *event)
{
    // The host passes the scale: no scale of the form's own.
    QWidget::showEvent(event);
    m_showFlag = true;
    // A released page has nothing to refresh: it is loaded afresh.
    if (m_bPageUsed && m_pWebPage) {
        qInfo("Page used, only show the web page");
        if (m_webBrowserUrlType == enums::Conferences)
            refreshConferences();
        else if (m_webBrowserUrlType == enums::Contact)
            refreshContacts();
        return;
    }
    loadStart();
}

void CWebBrowserWrapperForm::hideEvent(QHideEvent *event)
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType;
    QWidget::hideEvent(event);
}

void CWebBrowserWrapperForm::resizeEvent(QResizeEvent *event)
{
    qInfo() << RJ_FUNCTION << "size:" << event->size();
    QWidget::resizeEvent(event);
    m_pWebView->resize(event->size());
    m_pLoadingForm->resize(event->size());
    m_pLoadFailedForm->resize(event->size());
}

void CWebBrowserWrapperForm::slotOnLoginTokenChanged()
{
    updateToken();
}

void CWebBrowserWrapperForm::slotOnDisplayNameChanged()
{
    const QString name = models::CLoginManager::getInstance()->m_qstrDisplayName;
    qInfo() << RJ_FUNCTION << "display name:" << name;
    if (m_pWebPage)
        runScript(updateLoginUserScript(name));
}

void CWebBrowserWrapperForm::slotOnPageCreated()
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType << ", m_bPageCreated:" << m_bPageCreated;
    // One announcement counts per load.
    if (m_bPageCreated)
        return;
    m_bPageCreated = true;
    loadSucceed();
    // A name told while the page was loading went nowhere.
    const QString name = models::CLoginManager::getInstance()->m_qstrDisplayName;
    if (!name.isEmpty())
        runScript(updateLoginUserScript(name));
}

void CWebBrowserWrapperForm::slotOnLoadStarted()
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType;
}

void CWebBrowserWrapperForm::slotOnLoadProgress(int progress)
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType << ", progress:" << progress;
}

void CWebBrowserWrapperForm::slotOnLoadFinished(bool ok)
{
    qInfo() << RJ_FUNCTION << "m_webBrowserUrlType:" << m_webBrowserUrlType << ", ok:" << ok;
    if (ok && m_pWebPage)
        runScript(QStringLiteral("loadFinished()"));
}

void CWebBrowserWrapperForm::slotOnTimerLoadUrl()
{
    if (m_pWebPage) {
        loadUrl();
        return;
    }
    qWarning() << RJ_FUNCTION << "web page is null, m_webBrowserUrlType:" << m_webBrowserUrlType;
}

void CWebBrowserWrapperForm::slotOnTimerTimeout()
{
    loadTimeout();
}

void CWebBrowserWrapperForm::slotReload()
{
    qInfo() << RJ_FUNCTION;
    loadStart();
}

void CWebBrowserWrapperForm::slotOnLanguageChanged()
{
    setWindowTitle(QString());
    m_pLoadFailedForm->retranslateUi();
    m_pLoadingForm->retranslateUi();
}

} // namespace rj_app::views
