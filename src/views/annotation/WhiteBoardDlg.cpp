#include "views/annotation/WhiteBoardDlg.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "views/annotation/ColorWidget.h"
#include "views/annotation/DrawingPalette.h"
#include "views/annotation/PaintListWidget.h"
#include "views/annotation/WhiteBoardSelectBgWidget.h"
#include "views/annotation/WhiteBoardTopWidget.h"
#include "views/annotation/WhiteBoardWebWidget.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/MouseRelease.h"
#include "views/framework/PlaceKeeper.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWindow>

#ifndef QT_NO_SSL
#include <QSslConfiguration>
#include <QSslSocket>
#endif

namespace rj_app::views {

namespace {

constexpr int kTitleBarHeight = 28;
constexpr int kBaseWidth = 1280;
constexpr int kBaseHeight = 748;
constexpr int kDefaultUploadTimeoutMs = 30000;
constexpr Qt::WindowFlags kOwnedWindow = Qt::SplashScreen;

WhiteBoardDlg::FileChooser &fileChooser()
{
    static WhiteBoardDlg::FileChooser chooser;
    return chooser;
}

int &uploadTimeoutMs()
{
    static int ms = kDefaultUploadTimeoutMs;
    return ms;
}

void makeOwnedWindow(QWidget *window, QWidget *owner)
{
    window->setParent(owner, (window->windowFlags() & ~Qt::WindowType_Mask) | kOwnedWindow);
}

} // namespace

void WhiteBoardDlg::setFileChooser(FileChooser chooser)
{
    fileChooser() = std::move(chooser);
}

void WhiteBoardDlg::setUploadTimeoutMs(int ms)
{
    uploadTimeoutMs() = ms > 0 ? ms : kDefaultUploadTimeoutMs;
}

WhiteBoardDlg::WhiteBoardDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setupUi();
    dragAreaHeight = m_pWgtTitleBar->height();
    setWindowTitle(tr("PRODUCT_NAME"));
    centerOnFirstShow = false;
    helpers::CGeneralUtils::setStyle(this, QStringLiteral(":/resources/qss/white-board-dlg.qss"));

    m_pWebWidget = WhiteBoardWebWidget::create();
    m_pLayoutContext->addWidget(m_pWebWidget);

    m_pPaintListWidget = new PaintListWidget(nullptr);
    makeOwnedWindow(m_pPaintListWidget, this);
    // Its place is kept on the X server's, or the pickers and the aim of a
    // click go where the bar is not.
    new CServerPlaceFollower(m_pPaintListWidget);
    m_pColorWidget = new ColorWidget(nullptr);
    makeOwnedWindow(m_pColorWidget, this);
    m_pColorWidget->hide();
    m_pSelectBgWidget = new WhiteBoardSelectBgWidget(nullptr);
    makeOwnedWindow(m_pSelectBgWidget, this);
    m_pSelectBgWidget->hide();

    connect(m_pBtnMin, &QPushButton::clicked, this, &WhiteBoardDlg::slotOnWinMin);
    connect(m_pBtnMax, &QPushButton::clicked, this, &WhiteBoardDlg::slotOnWinMax);
    connect(m_pBtnRestore, &QPushButton::clicked, this, &WhiteBoardDlg::slotOnWinRestore);

    PaintListWidget *bar = m_pPaintListWidget;
    connect(bar, &PaintListWidget::penClicked, this, &WhiteBoardDlg::onBtnPenClicked);
    connect(bar, &PaintListWidget::nitePenClicked, this, &WhiteBoardDlg::onBtnNitePenClicked);
    connect(bar, &PaintListWidget::eraserClicked, this, &WhiteBoardDlg::onBtnEraserClicked);
    connect(bar, &PaintListWidget::revokeClicked, this, &WhiteBoardDlg::onBtnRevokeClicked);
    connect(bar, &PaintListWidget::bgClicked, this, &WhiteBoardDlg::onBtnBgClicked);
    connect(bar, &PaintListWidget::clearClicked, this, &WhiteBoardDlg::onBtnClearClicked);
    connect(bar, &PaintListWidget::exitClicked, this, &WhiteBoardDlg::onBtnExitClicked);
    connect(bar, &PaintListWidget::selectPenClicked, this, &WhiteBoardDlg::onBtnSelectPenClicked);
    connect(bar, &PaintListWidget::selectNitePenClicked, this, &WhiteBoardDlg::onBtnSelectNitePenClicked);
    connect(bar, &PaintListWidget::sigSaveClicked, this, &WhiteBoardDlg::slotBtnSaveClicked);
    connect(bar, &PaintListWidget::sigMouseMove, this, &WhiteBoardDlg::slotOnMouseMove4PaintList);
    connect(m_pColorWidget, &ColorWidget::changeColor, this, &WhiteBoardDlg::changePenColor);
    connect(m_pColorWidget, &ColorWidget::changeSize, this, &WhiteBoardDlg::changePenLineSize);
    connect(m_pSelectBgWidget, &WhiteBoardSelectBgWidget::sigClickedBlackBtn, this, &WhiteBoardDlg::slotClickedBlack);
    connect(m_pSelectBgWidget, &WhiteBoardSelectBgWidget::sigClickedWhiteBtn, this, &WhiteBoardDlg::slotClickedWhite);
    connect(m_pSelectBgWidget, &WhiteBoardSelectBgWidget::sigClickedSelectBtn, this,
            &WhiteBoardDlg::slotClickedSelect);
}

WhiteBoardDlg::~WhiteBoardDlg()
{
    qInfo() << RJ_FUNCTION;
    // The owned windows go first, without their connections, so none of
    // them reaches a half-destroyed dialog.
    if (m_pWatchedWindow)
        m_pWatchedWindow->removeEventFilter(this);
    m_pWebWidget->setParent(nullptr);
    delete m_pWebWidget;
    m_pSelectBgWidget->disconnect(this);
    m_pSelectBgWidget->setParent(nullptr);
    delete m_pSelectBgWidget;
    m_pPaintListWidget->disconnect(this);
    m_pPaintListWidget->setParent(nullptr);
    delete m_pPaintListWidget;
    m_pColorWidget->disconnect(this);
    m_pColorWidget->setParent(nullptr);
    delete m_pColorWidget;
    if (m_pBoardTopWidget) {
        m_pBoardTopWidget->disconnect(this);
        m_pBoardTopWidget->setParent(nullptr);
        delete m_pBoardTopWidget;
        m_pBoardTopWidget = nullptr;
    }
    releaseUpload();
}

void WhiteBoardDlg::setupUi()
{
    setObjectName(QStringLiteral("WhiteBoardDlg"));
    resize(kBaseWidth, kBaseHeight);
    setMaximumSize(4096, 3112);
    verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(1, 1, 1, 1);

    m_pWgtTitleBar = new QWidget(this);
    m_pWgtTitleBar->setObjectName(QStringLiteral("m_pWgtTitleBar"));
    m_pWgtTitleBar->setFixedHeight(kTitleBarHeight);
    horizontalLayout = new QHBoxLayout(m_pWgtTitleBar);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    horizontalLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    const auto titleButton = [this](const char *name) {
        auto *b = new QPushButton(m_pWgtTitleBar);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(kTitleBarHeight, kTitleBarHeight);
        b->setFocusPolicy(Qt::NoFocus);
        horizontalLayout->addWidget(b);
        return b;
    };
    m_pBtnMin = titleButton("m_pBtnMin");
    m_pBtnMax = titleButton("m_pBtnMax");
    m_pBtnRestore = titleButton("m_pBtnRestore");
    m_pBtnRestore->hide();
    verticalLayout->addWidget(m_pWgtTitleBar);

    m_pLayout = new QWidget(this);
    m_pLayout->setObjectName(QStringLiteral("m_pLayout"));
    m_pLayoutContext = new QVBoxLayout(m_pLayout);
    m_pLayoutContext->setObjectName(QStringLiteral("m_pLayoutContext"));
    m_pLayoutContext->setContentsMargins(0, 0, 0, 0);
    verticalLayout->addWidget(m_pLayout, 1);
}

bool WhiteBoardDlg::hasWebPage() const
{
    return m_pWebWidget->isPageUsed();
}

// ---- send or receive ----

void WhiteBoardDlg::isSendWhiteBoard(bool send)
{
    qInfo() << RJ_FUNCTION << send;
    m_bSending = send;
    m_pWebWidget->setIsSendWhiteBoard(send);
    if (!send) {
        setWindowFlags(windowFlags() | Qt::Dialog | Qt::FramelessWindowHint);
        m_pPaintListWidget->setReceiveWhiteBoardType();
        if (m_pBoardTopWidget)
            m_pBoardTopWidget->hide();
        return;
    }
    // A plain frameless top-level window: the screen feeder grabs it.
    setWindowFlags((windowFlags() & ~Qt::WindowFlags(0xB)) | Qt::FramelessWindowHint);
    m_pPaintListWidget->setSendWhiteBoardType();
    if (!m_pBoardTopWidget) {
        m_pBoardTopWidget = new WhiteBoardTopWidget(this);
        connect(m_pBoardTopWidget, &WhiteBoardTopWidget::sigOpenWhiteBoardTool, this,
                &WhiteBoardDlg::slotShowWhiteBoardTool);
        connect(m_pBoardTopWidget, &WhiteBoardTopWidget::sigClose, this, &WhiteBoardDlg::slotStopWhiteBoard);
        connect(m_pBoardTopWidget, &WhiteBoardTopWidget::sigRefreshStatus, this, &WhiteBoardDlg::sigRefreshStatus);
        connect(m_pBoardTopWidget, &WhiteBoardTopWidget::sigClickedManagerButton, this,
                &WhiteBoardDlg::sigClickManagerButton);
        if (fStretchFactor > 0)
            m_pBoardTopWidget->updateDpi(fStretchFactor);
    }
    m_pBoardTopWidget->show();
    m_pBoardTopWidget->raise();
    placeTopWidget();
}

void WhiteBoardDlg::raiseTools()
{
    if (m_pBoardTopWidget && m_pBoardTopWidget->isVisible())
        m_pBoardTopWidget->raise();
    // The pickers open from the tool bar and lie over it.
    for (QWidget *tool : {static_cast<QWidget *>(m_pPaintListWidget), static_cast<QWidget *>(m_pColorWidget),
                          static_cast<QWidget *>(m_pSelectBgWidget)}) {
        if (tool->isVisible())
            tool->raise();
    }
}

void WhiteBoardDlg::showToolBar()
{
    // A picker opened from the bar goes where Qt has the bar.
    showPlaced(m_pPaintListWidget, [this] { paintListWidgetPos(); });
    raiseTools();
}

void WhiteBoardDlg::watchNativeWindow()
{
    QWindow *handle = windowHandle();
    if (handle == m_pWatchedWindow)
        return;
    if (m_pWatchedWindow)
        m_pWatchedWindow->removeEventFilter(this);
    m_pWatchedWindow = handle;
    m_bExposed = handle && handle->isExposed();
    if (handle)
        handle->installEventFilter(this);
}

bool WhiteBoardDlg::event(QEvent *event)
{
    // A click on the board raises it: the tools come back over it.
    if (event->type() == QEvent::WindowActivate)
        raiseTools();
    return CBaseDlg::event(event);
}

bool WhiteBoardDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pWatchedWindow && event->type() == QEvent::Expose) {
        const bool exposed = m_pWatchedWindow->isExposed();
        if (exposed && !m_bExposed && m_bToolBarOnExpose) {
            m_bToolBarOnExpose = false;
            showToolBar();
        }
        m_bExposed = exposed;
    }
    return CBaseDlg::eventFilter(watched, event);
}

void WhiteBoardDlg::updateWebPage()
{
    m_pWebWidget->updatePage();
}

void WhiteBoardDlg::hideTitleBar()
{
    m_pWgtTitleBar->hide();
}

void WhiteBoardDlg::releaseWebPage()
{
    m_pWebWidget->releaseCurrentPage();
}

// ---- window ----

void WhiteBoardDlg::slotOnWinMin()
{
    showMinimized();
}

void WhiteBoardDlg::slotOnWinMax()
{
    showMaximized();
    m_pBtnMax->hide();
    m_pBtnRestore->show();
}

void WhiteBoardDlg::slotOnWinRestore()
{
    showNormal();
    m_pBtnRestore->hide();
    m_pBtnMax->show();
}

void WhiteBoardDlg::updateStateButtons()
{
    if (windowState() & Qt::WindowMaximized) {
        m_pBtnMax->hide();
        m_pBtnRestore->show();
    } else if (windowState() == Qt::WindowNoState) {
        m_pBtnRestore->hide();
        m_pBtnMax->show();
    }
}

void WhiteBoardDlg::showEvent(QShowEvent *event)
{
    setAttribute(Qt::WA_Mapped);
    CBaseDlg::showEvent(event);
    watchNativeWindow();
    if (m_bIsSeperateDlg)
        centerWindowOnScreen();
    updateStateButtons();
    qInfo() << RJ_FUNCTION << "size:" << size();
    // The tool bar is the board's own window: shown before the window
    // manager has put the board on screen, it would be taken for a window
    // of its own and stacked under the board. It comes once the board is
    // there.
    if (m_pWatchedWindow && m_pWatchedWindow->isExposed()) {
        showToolBar();
    } else {
        m_bToolBarOnExpose = true;
    }
}

void WhiteBoardDlg::hideEvent(QHideEvent *event)
{
    CBaseDlg::hideEvent(event);
    m_bToolBarOnExpose = false;
    m_pPaintListWidget->hide();
    m_pColorWidget->hide();
    m_pSelectBgWidget->hide();
}

void WhiteBoardDlg::moveEvent(QMoveEvent *event)
{
    CBaseDlg::moveEvent(event);
    placeTopWidget();
    followWithToolBar();
}

void WhiteBoardDlg::resizeEvent(QResizeEvent *event)
{
    CBaseDlg::resizeEvent(event);
    qInfo() << RJ_FUNCTION << "size:" << size();
    placeTopWidget();
    followWithToolBar();
}

void WhiteBoardDlg::followWithToolBar()
{
    // The call layout places the embedded board after it has shown it; its
    // tool bar, a window of its own, would stay behind (over the call
    // window's title bar). A separate window keeps the place the user
    // dragged the tool bar to.
    if (!m_bIsSeperateDlg && m_pPaintListWidget->isVisible())
        paintListWidgetPos();
}

void WhiteBoardDlg::changeEvent(QEvent *)
{
    // The base handling of state and language changes stays off here.
}

void WhiteBoardDlg::placeTopWidget()
{
    if (m_pBoardTopWidget)
        m_pBoardTopWidget->move((width() - m_pBoardTopWidget->width()) / 2, 0);
}

void WhiteBoardDlg::onDpiChanged()
{
    qInfo() << RJ_FUNCTION << "m_bIsSeperateDlg:" << m_bIsSeperateDlg
            << "title bar visible:" << m_pWgtTitleBar->isVisible() << "height:" << m_pWgtTitleBar->height();
    if (!m_bIsSeperateDlg)
        return;
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    m_pWgtTitleBar->setFixedHeight(static_cast<int>(kTitleBarHeight * scale));
    dragAreaHeight = m_pWgtTitleBar->height();
    setFixedSize(static_cast<int>(kBaseWidth * scale), static_cast<int>(kBaseHeight * scale));
    if (m_pBoardTopWidget) {
        m_pBoardTopWidget->updateDpi(scale);
        placeTopWidget();
    }
    QScreen *screen = getDisplayScreen();
    if (!screen) {
        qWarning() << RJ_FUNCTION << "Can not get valid screen";
        return;
    }
    const QRect available = screen->availableGeometry();
    qInfo() << RJ_FUNCTION << "screenRect width:" << available.width() << "height:" << available.height();
    if (height() >= available.height() || width() >= available.width()) {
        setFixedSize(available.size());
        move(available.topLeft());
    }
}

// ---- tool bar and pickers ----

void WhiteBoardDlg::paintListWidgetPos()
{
    const double s = fStretchFactor > 0 ? fStretchFactor : 1.0;
    const QPoint g = mapToGlobal(QPoint(0, 0));
    const int x = g.x() + (width() - m_pPaintListWidget->width()) / 2;
    const int band = m_pBoardTopWidget && m_pBoardTopWidget->isVisible()
                         ? m_pBoardTopWidget->height()
                         : static_cast<int>(m_pWgtTitleBar->height() + 7 * s);
    const int y = static_cast<int>(g.y() + band + 10 * s);
    m_pPaintListWidget->move(x, y);
}

QRect WhiteBoardDlg::toolsArea() const
{
    const double s = fStretchFactor > 0 ? fStretchFactor : 1.0;
    const int band = m_pBoardTopWidget && m_pBoardTopWidget->isVisible()
                         ? m_pBoardTopWidget->height()
                         : static_cast<int>(m_pWgtTitleBar->height() + 7 * s);
    // The pickers open under the bar.
    const int pickers = 10 + qMax(m_pColorWidget->height(), m_pSelectBgWidget->height());
    const int bottom = static_cast<int>(band + 10 * s) + m_pPaintListWidget->height() + pickers;
    return QRect(mapToGlobal(QPoint(0, 0)), QSize(width(), bottom));
}

QPoint WhiteBoardDlg::pickerPosition(const QPoint &barPos, int barHeight, int offsetX, int pickerHeight,
                                     int availableHeight)
{
    const int x = barPos.x() + offsetX;
    if (barPos.y() > availableHeight / 2)
        return {x, barPos.y() - pickerHeight - 10};
    return {x, barPos.y() + barHeight + 10};
}

void WhiteBoardDlg::placePicker(QWidget *picker, int offsetX)
{
    QScreen *primary = QGuiApplication::primaryScreen();
    const int available = primary ? primary->availableVirtualGeometry().height() : 0;
    picker->move(pickerPosition(m_pPaintListWidget->pos(), m_pPaintListWidget->height(), offsetX, picker->height(),
                                available));
    qInfo() << RJ_FUNCTION << picker->objectName() << "at" << picker->pos() << "bar at" << m_pPaintListWidget->pos();
}

void WhiteBoardDlg::hidePickers(bool colour, bool background)
{
    if (colour)
        m_pColorWidget->hide();
    if (background)
        m_pSelectBgWidget->hide();
}

int WhiteBoardDlg::sizeStep(bool highlighter, int size)
{
    const auto &table = highlighter ? kHighlighterSizes : kPenSizes;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] == size)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

QColor WhiteBoardDlg::tableColor(bool highlighter, const QColor &color)
{
    const auto &table = highlighter ? kHighlighterColors : kPenColors;
    for (const QColor &c : table) {
        if (c.rgba() == color.rgba())
            return c;
    }
    return {};
}

void WhiteBoardDlg::changePenColor()
{
    const QColor c = tableColor(m_pColorWidget->m_bIsNitePen, m_pColorWidget->getColor());
    if (!c.isValid()) {
        qWarning() << RJ_FUNCTION << "colour not in the table:" << m_pColorWidget->getColor();
        return;
    }
    m_pWebWidget->didChangeNitePenColor(c.red(), c.green(), c.blue());
}

void WhiteBoardDlg::changePenLineSize()
{
    const bool highlighter = m_pColorWidget->m_bIsNitePen;
    const int step = sizeStep(highlighter, m_pColorWidget->getSize());
    if (step == 0) {
        qWarning() << RJ_FUNCTION << "size not in the table:" << m_pColorWidget->getSize();
        return;
    }
    if (highlighter)
        m_pWebWidget->didChangeNitePenLineWight(step);
    else
        m_pWebWidget->didChangePencilLineWight(step);
}

void WhiteBoardDlg::onBtnPenClicked()
{
    hidePickers(true, true);
    m_pColorWidget->m_bIsNitePen = false;
    changePenLineSize();
    changePenColor();
    m_pWebWidget->didUsePencil();
}

void WhiteBoardDlg::onBtnNitePenClicked()
{
    hidePickers(true, true);
    m_pColorWidget->m_bIsNitePen = true;
    changePenLineSize();
    changePenColor();
    m_pWebWidget->didUseNitePen();
}

void WhiteBoardDlg::onBtnEraserClicked()
{
    hidePickers(true, true);
    m_pWebWidget->didUseEraser();
}

void WhiteBoardDlg::onBtnRevokeClicked()
{
    hidePickers(true, true);
    m_pWebWidget->didRevokeOperation();
}

void WhiteBoardDlg::onBtnClearClicked()
{
    hidePickers(true, true);
    m_pWebWidget->didClearUp();
}

void WhiteBoardDlg::onBtnExitClicked()
{
    m_pPaintListWidget->hide();
    hidePickers(true, true);
}

void WhiteBoardDlg::onBtnBgClicked()
{
    hidePickers(true, false);
    placePicker(m_pSelectBgWidget, m_pPaintListWidget->m_iBgBtnX);
    m_pSelectBgWidget->setVisible(!m_pSelectBgWidget->isVisible());
}

void WhiteBoardDlg::onBtnSelectPenClicked()
{
    onBtnPenClicked();
    changePenLineSize();
    changePenColor();
    m_pSelectBgWidget->hide();
    m_pPaintListWidget->markPenSelected();
    m_pColorWidget->m_bIsNitePen = false;
    placePicker(m_pColorWidget, m_pPaintListWidget->m_iPenBgX);
    m_pColorWidget->refreshSelection();
    m_pColorWidget->show();
}

void WhiteBoardDlg::onBtnSelectNitePenClicked()
{
    onBtnNitePenClicked();
    changePenLineSize();
    changePenColor();
    m_pSelectBgWidget->hide();
    m_pPaintListWidget->markNitePenSelected();
    m_pColorWidget->m_bIsNitePen = true;
    placePicker(m_pColorWidget, m_pPaintListWidget->m_iNitePenBgX);
    m_pColorWidget->refreshSelection();
    m_pColorWidget->show();
}

void WhiteBoardDlg::slotShowWhiteBoardTool()
{
    showToolBar();
}

void WhiteBoardDlg::slotOnMouseMove4PaintList()
{
    emit sigMouseMove4PaintList();
}

// ---- background ----

void WhiteBoardDlg::slotClickedBlack()
{
    m_pWebWidget->didChangeBlackBackGround();
}

void WhiteBoardDlg::slotClickedWhite()
{
    m_pWebWidget->didChangeWhiteBackGround();
}

void WhiteBoardDlg::slotClickedSelect()
{
    if (m_pNam4UploadBackground) {
        qWarning() << RJ_FUNCTION << "m_pNam4UploadBackground is not null, maybe another uploading is running";
        return;
    }
    m_pNam4UploadBackground = new QNetworkAccessManager(this);
    connect(m_pNam4UploadBackground, &QNetworkAccessManager::finished, this,
            &WhiteBoardDlg::slotOnUploadBackgroundFinished);
    m_pUploadBody = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("image/jpg;"));
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QByteArray("form-data; name=\"file\"; filename=\"background.jpg\""));

    const QString path = fileChooser()
                             ? fileChooser()(this)
                             : QFileDialog::getOpenFileName(this, tr("Choose to upload picture"), QStringLiteral("./"),
                                                            tr("Image files(*.jpg *.png *.jpeg);;All files (*.*)"));
    const models::CCallController *call = models::CCallController::getInstance();
    const QNetworkCookie cookie(QByteArrayLiteral("jwt"), call->getAcsJsonWebToken().toUtf8());

    m_pUploadFile = new QFile(path);
    if (path.isEmpty() || !m_pUploadFile->open(QIODevice::ReadOnly)) {
        qWarning() << RJ_FUNCTION << "Open file error!!! strFilePath:" << path;
        releaseUpload();
        return;
    }
    part.setBodyDevice(m_pUploadFile);
    m_pUploadBody->append(part);

    QNetworkRequest request(QUrl(call->getAcsServer() + QStringLiteral("/acs/upload")));
#ifndef QT_NO_SSL
    QSslConfiguration ssl = request.sslConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
    request.setSslConfiguration(ssl);
#endif
    request.setHeader(QNetworkRequest::CookieHeader, QVariant::fromValue(QList<QNetworkCookie>{cookie}));
    // A server that never answers must not keep the upload slot for good.
    request.setTransferTimeout(uploadTimeoutMs());
    m_pNam4UploadBackground->post(request, m_pUploadBody);
}

void WhiteBoardDlg::slotOnUploadBackgroundFinished(QNetworkReply *reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    qInfo() << RJ_FUNCTION << "statusCode:" << status << "error:" << reply->error();
    if (status == 200)
        m_pWebWidget->didChangeBackGround();
    reply->deleteLater();
    // The slot is free again before the person reads why, so the next
    // picture can go at once.
    releaseUpload();
    if (status != 200)
        AlertDlg::showPrompt(this, tr("Note"), uploadFailureText(status));
}

QString WhiteBoardDlg::uploadFailureText(int status)
{
    if (status == 413)
        return tr("The picture is too large for the whiteboard.");
    if (status > 0)
        return tr("The whiteboard did not accept this picture.");
    return tr("The picture could not be uploaded. Please try again.");
}

void WhiteBoardDlg::releaseUpload()
{
    if (m_pNam4UploadBackground) {
        m_pNam4UploadBackground->disconnect(this);
        m_pNam4UploadBackground->setParent(nullptr);
        m_pNam4UploadBackground->deleteLater();
    }
    if (m_pUploadBody)
        m_pUploadBody->deleteLater();
    if (m_pUploadFile)
        m_pUploadFile->deleteLater();
    m_pNam4UploadBackground = nullptr;
    m_pUploadBody = nullptr;
    m_pUploadFile = nullptr;
}

// ---- snapshot and stop ----

void WhiteBoardDlg::slotBtnSaveClicked()
{
    QScreen *primary = QGuiApplication::primaryScreen();
    const QPixmap shot = primary ? primary->grabWindow(winId()) : QPixmap();
    const QString folder = helpers::CUserConfigUtils::getInstance()->getScreenPicPath();
    const QString savePath = folder + QLatin1Char('/') + tr("WhiteBoardshot")
                             + QDateTime::currentDateTime().toString(QStringLiteral("_yyyy-MM-dd_hh-mm-ss.zzz"))
                             + QStringLiteral(".jpg");
    qInfo() << RJ_FUNCTION << "savePath:" << savePath;
    QDir().mkpath(folder);
    const bool saved = !shot.isNull() && shot.save(savePath, "jpg");
    // The person is told where to find the picture.
    const QString note = (saved ? tr("Save successfully") : tr("Save failed")) + QLatin1Char('\n')
                         + QDir::toNativeSeparators(savePath);
    // The tool bar's Save acts on the press: the note waits for the release.
    runWhenMouseReleased(this, [this, note] {
        AlertDlg::execQuestion(this, tr("Note"), note, QDialogButtonBox::Yes, QDialogButtonBox::NoButton);
    });
}

void WhiteBoardDlg::slotStopWhiteBoard()
{
    qInfo() << RJ_FUNCTION;
    if (helpers::CUserConfigUtils::getInstance()->getAutoCaptureWin())
        slotBtnSaveClicked();
    m_pPaintListWidget->selectPen();
    m_pWebWidget->didDisconnectWhiteboard();
    emit sigHiddenWhiteBoard();
}

} // namespace rj_app::views
