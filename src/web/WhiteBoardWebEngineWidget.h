#pragma once

#include "views/annotation/WhiteBoardWebWidget.h"

#include <QPointer>

class QWebChannel;
class QWebEngineView;

namespace rj_app::views {

class CWebPageEngineCustomization;

// The whiteboard page in a web view, with the bridge "qtWebObj" on every
// page. Built into the web library only.
class WhiteBoardWebEngineWidget : public WhiteBoardWebWidget
{
    Q_OBJECT
public:
    explicit WhiteBoardWebEngineWidget(QWidget *parent = nullptr);
    ~WhiteBoardWebEngineWidget() override;

    void createNewPage() override;
    void releaseCurrentPage() override;

    QWebEngineView *webView() const { return m_pWebView; }
    // The page in use; null once released.
    CWebPageEngineCustomization *currentPage() const { return m_pPage; }

protected:
    bool hasChannel() const override { return m_pWebChannel != nullptr; }
    void runScript(const QString &script) override;
    void loadAddress(const QUrl &url) override;
    void clearHttpCache() override;

private slots:
    void slotOnLoadStarted();
    void slotOnLoadProgress(int progress);
    void slotOnLoadFinished(bool ok);

private:
    void setUpPage();
    void connectPage();
    void disconnectPage();

    QWebEngineView *m_pWebView = nullptr;
    // The view makes a bare page of its own on demand; only this one has
    // the bridge and the certificate rule, so every use goes through it.
    QPointer<CWebPageEngineCustomization> m_pPage;
    QWebChannel *m_pWebChannel = nullptr;
};

} // namespace rj_app::views
