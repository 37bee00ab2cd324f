#pragma once

#include "web/CWebPageEngineCustomization.h"
#include "views/meetings/CWebPageHost.h"

#include <QPointer>

class QFrame;
class QTimer;
class QVBoxLayout;
class QWebChannel;
class QWebEngineView;

namespace rj_app::views {

class CWebBrowserLoadFailedForm;
class CWebBrowserLoadingForm;
class CWebJsContext;

// One embedded web page of a "ROZ" server (part of the web library): a web
// view, the bridge the page reaches as "qtWebObj", a loading form while the
// page starts and a load-failed form with "Reload". The page announces
// itself by calling the bridge's pageCreated(); that call, not the browser's
// own load result, decides success. GUI thread only.
class CWebBrowserWrapperForm : public CWebPageHost
{
    Q_OBJECT
public:
    explicit CWebBrowserWrapperForm(int urlType, QWidget *parent = nullptr);
    ~CWebBrowserWrapperForm() override;

    QString getUrl() const;
    void loadStart();
    void loadUrl();
    void createNewPage();
    void releaseCurrentPage() override;
    void updatePage() override;
    void clearConfListCache() override;
    void stopWeb() override;
    void updateDpi(double scale) override;
    bool hasPage() const override { return !m_pWebPage.isNull(); }
    double zoomFactor() const override { return m_dZoomFactor; }

    QWebEngineView *webView() const { return m_pWebView; }
    // The current page; null after releaseCurrentPage().
    CWebPageEngineCustomization *webPage() const { return m_pWebPage; }
    CWebJsContext *jsContext() const { return m_pJsContext; }

    // How long a load may take before the failed form shows (20 s).
    static void setLoadTimeoutMs(int ms);
    static int loadTimeoutMs();

    // The page call that hands over the display name, as a script with the
    // name as a string literal, whatever characters it holds.
    static QString updateLoginUserScript(const QString &displayName);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void slotOnLoginTokenChanged();
    void slotOnDisplayNameChanged();
    void slotOnPageCreated();
    void slotOnLoadStarted();
    void slotOnLoadProgress(int progress);
    void slotOnLoadFinished(bool ok);
    void slotOnTimerLoadUrl();
    void slotOnTimerTimeout();
    void slotReload();
    void slotOnLanguageChanged();

private:
    void setupUi();
    void connectPage();
    void disconnectPage();
    void loadSucceed();
    void loadTimeout();
    void updateToken();
    void refreshConferences();
    void refreshContacts();
    // Runs a page function on the current page; without a page, nothing.
    void runScript(const QString &script);

    QVBoxLayout *verticalLayout = nullptr;
    QFrame *webBrowserFrame = nullptr;
    QWebEngineView *m_pWebView = nullptr;
    // The form's own page: the view would make a bare page (no bridge, no
    // certificate rule) for anyone who asks it for one it does not have.
    QPointer<CWebPageEngineCustomization> m_pWebPage;
    QWebChannel *m_pWebChannel = nullptr;
    CWebJsContext *m_pJsContext = nullptr;
    QString m_qstrTypeUrl;
    QString m_qstrConfiguredUrl;
    QTimer *m_pTimerLoadUrl = nullptr;
    CWebBrowserLoadingForm *m_pLoadingForm = nullptr;
    CWebBrowserLoadFailedForm *m_pLoadFailedForm = nullptr;
    QTimer *m_pTimerTimeout = nullptr;
    bool m_showFlag = false;
    bool m_bPageUsed = false;
    bool m_bPageCreated = false;
    double m_dZoomFactor = 1.0;
};

} // namespace rj_app::views
