#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QFrame;
class QHBoxLayout;
class QUrl;
class QVBoxLayout;

namespace rj_app::views {

class WebWhiteBoardJSContext;

// The whiteboard page inside the whiteboard window. This class keeps the
// page's life cycle (used, connected, started) and the scripts the window's
// tools run; the web library derives the widget that really holds a web view
// and page. Without the web library this class itself stands in: the window
// then shows why there is no board instead of failing.
class WhiteBoardWebWidget : public QWidget
{
    Q_OBJECT
public:
    using Creator = std::function<WhiteBoardWebWidget *()>;

    explicit WhiteBoardWebWidget(QWidget *parent = nullptr);
    ~WhiteBoardWebWidget() override;

    // The widget of the web library, or this stand-in when it cannot load.
    static WhiteBoardWebWidget *create();
    // Tests put their own widget in; an empty creator restores the default.
    static void setCreator(Creator creator);

    // "%1/acs/index.html?jwt=%2", both inserted unchanged.
    static QString pageAddress(const QString &acsServer, const QString &token);
    // The page's size in a widget of this size: 2 px narrower, at most 1920 wide.
    static QSize pageViewSize(const QSize &widgetSize);

    void setIsSendWhiteBoard(bool send);
    void loadStart();
    void loadUrl();
    void updatePage();
    virtual void createNewPage();
    virtual void releaseCurrentPage();

    // Page functions the window's tools call.
    void didUsePencil();
    void didUseNitePen();
    void didUseEraser();
    void didRevokeOperation();
    void didClearUp();
    void didDisconnectWhiteboard();
    void didChangeBackGround();
    void didChangeBlackBackGround();
    void didChangeWhiteBackGround();
    void didChangeNitePenColor(int r, int g, int b);
    void didChangeNitePenLineWight(int step);
    void didChangePencilLineWight(int step);

    bool isSendWhiteBoard() const { return m_bIsSendWhiteBoard; }
    bool isBoardStarted() const { return m_bIsSetStartBoard; }
    bool isBoardConnected() const { return m_bIsBoardConnected; }
    bool isPageUsed() const { return m_bPageUsed; }
    WebWhiteBoardJSContext *jsContext() const { return m_pJsContext; }

protected:
    // What the web library's widget provides.
    virtual bool hasChannel() const { return true; }
    virtual void runScript(const QString &script);
    virtual void loadAddress(const QUrl &url);
    virtual void clearHttpCache() {}

    // Puts the view in the middle of the dark frame; it is sized by pageViewSize.
    void setPageView(QWidget *view);
    QWidget *pageView() const { return m_pPageView; }

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

protected slots:
    void slotBoardConnected();

private:
    void run(const char *name, const QString &script);
    void fitPageView();

    QVBoxLayout *verticalLayout = nullptr;
    QFrame *webBrowserFrame = nullptr;
    QHBoxLayout *m_pFrameLayout = nullptr;
    QWidget *m_pPageView = nullptr;

    bool m_bIsSendWhiteBoard = false;
    bool m_bIsSetStartBoard = false;
    bool m_bIsBoardConnected = false;
    bool m_bPageUsed = false;
    WebWhiteBoardJSContext *m_pJsContext = nullptr;
};

} // namespace rj_app::views
