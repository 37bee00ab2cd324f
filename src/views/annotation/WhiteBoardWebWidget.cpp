#include "views/annotation/WhiteBoardWebWidget.h"

#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/LogMasking.h"
#include "views/annotation/WebWhiteBoardJSContext.h"
#include "views/meetings/IWebComponents.h"
#include "views/meetings/WebComponents.h"

#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QSpacerItem>
#include <QUrl>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {

constexpr int kMaxPageWidth = 1920;

WhiteBoardWebWidget::Creator &creator()
{
    static WhiteBoardWebWidget::Creator c;
    return c;
}

} // namespace

WhiteBoardWebWidget::WhiteBoardWebWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("WhiteBoardWebWidget"));
    resize(400, 300);
    setWindowTitle(tr("Form"));
    verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    webBrowserFrame = new QFrame(this);
    webBrowserFrame->setObjectName(QStringLiteral("webBrowserFrame"));
    webBrowserFrame->setFrameShape(QFrame::StyledPanel);
    webBrowserFrame->setFrameShadow(QFrame::Raised);
    webBrowserFrame->setLineWidth(0);
    webBrowserFrame->setStyleSheet(QStringLiteral("background-color: #2a2a2a;"));
    verticalLayout->addWidget(webBrowserFrame);

    m_pFrameLayout = new QHBoxLayout(webBrowserFrame);
    m_pFrameLayout->setSpacing(0);
    m_pFrameLayout->setContentsMargins(0, 0, 0, 0);
    m_pFrameLayout->addItem(new QSpacerItem(0, 0, QSizePolicy::Preferred, QSizePolicy::Preferred));
    m_pFrameLayout->addItem(new QSpacerItem(0, 0, QSizePolicy::Preferred, QSizePolicy::Preferred));

    m_pJsContext = new WebWhiteBoardJSContext(this);
    connect(m_pJsContext, &WebWhiteBoardJSContext::sigBoardConnected, this, &WhiteBoardWebWidget::slotBoardConnected);
}

WhiteBoardWebWidget::~WhiteBoardWebWidget()
{
    qInfo() << RJ_FUNCTION;
    disconnect(m_pJsContext, &WebWhiteBoardJSContext::sigBoardConnected, this,
               &WhiteBoardWebWidget::slotBoardConnected);
    qInfo() << RJ_FUNCTION << "done";
}

WhiteBoardWebWidget *WhiteBoardWebWidget::create()
{
    if (creator()) {
        if (WhiteBoardWebWidget *w = creator()())
            return w;
    } else if (IWebComponents *factory = WebComponents::instance()) {
        if (WhiteBoardWebWidget *w = factory->createWhiteBoardWebWidget(nullptr))
            return w;
    }
    qWarning() << RJ_FUNCTION << "the web components are not available; the whiteboard shows no page";
    auto *standIn = new WhiteBoardWebWidget();
    auto *note = new QLabel(WebComponents::sandboxRefusal().isEmpty()
                                ? tr("The whiteboard cannot be shown: the web components are not available.")
                                : tr("web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1"));
    note->setObjectName(QStringLiteral("m_pLblNoWebComponents"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #ffffff;"));
    standIn->setPageView(note);
    return standIn;
}

void WhiteBoardWebWidget::setCreator(Creator c)
{
    creator() = std::move(c);
}

QString WhiteBoardWebWidget::pageAddress(const QString &acsServer, const QString &token)
{
    return QStringLiteral("%1/acs/index.html?jwt=%2").arg(acsServer, token);
}

QSize WhiteBoardWebWidget::pageViewSize(const QSize &widgetSize)
{
    if (widgetSize.width() < kMaxPageWidth)
        return {widgetSize.width() - 2, widgetSize.height()};
    return {kMaxPageWidth, widgetSize.height()};
}

void WhiteBoardWebWidget::setPageView(QWidget *view)
{
    if (m_pPageView) {
        m_pFrameLayout->removeWidget(m_pPageView);
        m_pPageView->deleteLater();
    }
    m_pPageView = view;
    if (view) {
        view->setParent(webBrowserFrame);
        view->setMinimumSize(0, 0);
        view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // The spacers on both sides centre it once it reaches its bound.
        m_pFrameLayout->insertWidget(1, view);
        fitPageView();
    }
}

void WhiteBoardWebWidget::setIsSendWhiteBoard(bool send)
{
    qInfo() << RJ_FUNCTION << send;
    m_bIsSendWhiteBoard = send;
    m_bIsSetStartBoard = false;
    m_bIsBoardConnected = false;
}

void WhiteBoardWebWidget::loadStart()
{
    if (m_bPageUsed) {
        qInfo() << RJ_FUNCTION << "Page used and create new page";
        createNewPage();
    }
    if (!hasChannel()) {
        qInfo() << RJ_FUNCTION << "m_pWebChannel is null";
        createNewPage();
    }
    m_bIsBoardConnected = false;
    m_bPageUsed = true;
    qInfo() << RJ_FUNCTION << "m_bIsBoardConnected:" << m_bIsBoardConnected;
    loadUrl();
}

void WhiteBoardWebWidget::loadUrl()
{
    clearHttpCache();
    qInfo() << RJ_FUNCTION << "begin to load url";
    const models::CCallController *call = models::CCallController::getInstance();
    const QString token = call->getAcsJsonWebToken();
    const QString address = pageAddress(call->getAcsServer(), token);
    // The address carries the token: only its masked form is logged.
    qInfo() << RJ_FUNCTION << "WhiteBoardWebWidget url:" << pageAddress(call->getAcsServer(), models::maskedToken(token));
    qInfo() << RJ_FUNCTION << "getAcsJsonWebToken:" << models::maskedToken(token);
    loadAddress(QUrl(address));
}

void WhiteBoardWebWidget::updatePage()
{
    if (!m_bPageUsed) {
        qInfo() << RJ_FUNCTION << "page not used and do not create new page";
        return;
    }
    createNewPage();
    m_bIsBoardConnected = false;
    m_bPageUsed = false;
    qInfo() << RJ_FUNCTION << "m_bIsBoardConnected:" << m_bIsBoardConnected << "m_bPageUsed:" << m_bPageUsed;
}

void WhiteBoardWebWidget::createNewPage()
{
    qInfo() << RJ_FUNCTION;
    releaseCurrentPage();
}

void WhiteBoardWebWidget::releaseCurrentPage()
{
    qInfo() << RJ_FUNCTION;
}

void WhiteBoardWebWidget::runScript(const QString &script)
{
    qInfo() << RJ_FUNCTION << "no page for" << script;
}

void WhiteBoardWebWidget::loadAddress(const QUrl &)
{
    qInfo() << RJ_FUNCTION << "no page to load";
}

void WhiteBoardWebWidget::run(const char *name, const QString &script)
{
    qInfo() << RJ_FUNCTION << name;
    runScript(script);
}

void WhiteBoardWebWidget::didUsePencil()
{
    run("didUsePencil", QStringLiteral("window.pencil('pencil')"));
}

void WhiteBoardWebWidget::didUseNitePen()
{
    run("didUseNitePen", QStringLiteral("window.pencil('nitePen')"));
}

void WhiteBoardWebWidget::didUseEraser()
{
    run("didUseEraser", QStringLiteral("window.eraser()"));
}

void WhiteBoardWebWidget::didRevokeOperation()
{
    run("didRevokeOperation", QStringLiteral("window.undoLastOperation()"));
}

void WhiteBoardWebWidget::didClearUp()
{
    run("didClearUp", QStringLiteral("window.clearProject()"));
}

void WhiteBoardWebWidget::didDisconnectWhiteboard()
{
    run("didDisconnectWhiteboard", QStringLiteral("window.disconnect()"));
}

void WhiteBoardWebWidget::didChangeBackGround()
{
    run("didChangeBackGround", QStringLiteral("window.changeBackground('img')"));
}

void WhiteBoardWebWidget::didChangeBlackBackGround()
{
    run("didChangeBlackBackGround", QStringLiteral("window.changeBackground('black')"));
}

void WhiteBoardWebWidget::didChangeWhiteBackGround()
{
    run("didChangeWhiteBackGround", QStringLiteral("window.changeBackground('white')"));
}

void WhiteBoardWebWidget::didChangeNitePenColor(int r, int g, int b)
{
    run("didChangeNitePenColor", QStringLiteral("window.changeColor('{\"r\":%1,\"g\":%2,\"b\":%3,\"a\":1}')")
                                     .arg(r)
                                     .arg(g)
                                     .arg(b));
}

void WhiteBoardWebWidget::didChangeNitePenLineWight(int step)
{
    run("didChangeNitePenLineWight", QStringLiteral("window.lineWight(%1)").arg(step));
}

void WhiteBoardWebWidget::didChangePencilLineWight(int step)
{
    run("didChangePencilLineWight", QStringLiteral("window.lineWight(%1)").arg(step));
}

void WhiteBoardWebWidget::slotBoardConnected()
{
    qInfo() << RJ_FUNCTION << "m_bIsSendWhiteBoard:" << m_bIsSendWhiteBoard
            << ", m_bIsSetStartBoard:" << m_bIsSetStartBoard;
    if (m_bIsSendWhiteBoard && !m_bIsSetStartBoard) {
        m_bIsSetStartBoard = true;
        didClearUp();
        run("didStartWhiteBoard", QStringLiteral("window.startBoard()"));
    }
    m_bIsBoardConnected = true;
    qInfo() << RJ_FUNCTION << "m_bIsBoardConnected:" << m_bIsBoardConnected;
}

void WhiteBoardWebWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    qInfo() << RJ_FUNCTION << "m_bIsBoardConnected:" << m_bIsBoardConnected;
    if (!hasChannel()) {
        // A page released before it was ever used is not renewed by
        // updatePage; load a fresh one rather than show nothing.
        qWarning() << RJ_FUNCTION << "m_pWebChannel is null, a new page is created";
        loadStart();
        return;
    }
    if (m_bIsBoardConnected) {
        qInfo() << RJ_FUNCTION << "board has been connected";
        return;
    }
    loadStart();
}

void WhiteBoardWebWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    qInfo() << RJ_FUNCTION;
}

void WhiteBoardWebWidget::fitPageView()
{
    // An upper bound rather than a fixed size: a fixed view would hold the
    // whole window at its old size when the call layout makes it smaller.
    if (m_pPageView)
        m_pPageView->setMaximumSize(pageViewSize(size()).expandedTo(QSize(0, 0)));
}

void WhiteBoardWebWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitPageView();
}

} // namespace rj_app::views
