#include "views/incall/CLayoutCellDlg.h"

#include "helpers/LogMacros.h"
#include "views/framework/PlaceKeeper.h"
#include "views/framework/WindowFlags.h"
#include "views/incall/CLayoutCellCoverDlg.h"

#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace rj_app::views {

CLayoutCellDlg::CLayoutCellDlg(QWidget *parent)
    : QDialog(parent)
{
    setupUi();
    m_pCellCoverDlg = new CLayoutCellCoverDlg(nullptr);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);

    // The cell stays where the layout put it, and its cover on it.
    new CPlaceKeeper(this, [this]() -> std::optional<QRect> {
        if (!m_placedAt)
            return std::nullopt;
        // The layout gives the cell a fixed size.
        return QRect(*m_placedAt, minimumSize() == maximumSize() ? minimumSize() : size());
    });
    new CPlaceKeeper(m_pCellCoverDlg, [this]() -> std::optional<QRect> {
        if (!isVisible() || m_pCellCoverDlg->isDragging())
            return std::nullopt;
        return geometry();
    });

    connect(m_pCellCoverDlg, &CLayoutCellCoverDlg::sigMouseMove, this, &CLayoutCellDlg::sigMouseMove);
    connect(m_pCellCoverDlg, &CLayoutCellCoverDlg::sigMousePress, this, &CLayoutCellDlg::sigMousePress);
    connect(m_pCellCoverDlg, &CLayoutCellCoverDlg::sigMouseDoubleClick, this,
            &CLayoutCellDlg::slotOnMouseDoubleClick);
}

CLayoutCellDlg::~CLayoutCellDlg()
{
    // The video window goes with the cell.
    announceVideoWindowGoing();
    // The overlay is a window of its own, often owned by another window: it
    // must not stay on screen over a cell that is gone.
    delete m_pCellCoverDlg;
}

void CLayoutCellDlg::setupUi()
{
    setObjectName(QStringLiteral("CLayoutCellDlg"));
    resize(400, 300);
    setMinimumSize(0, 0);
    setMaximumSize(4096, 3112);
    setWindowTitle(QString());

    verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);

    createVideoWidget();
}

void CLayoutCellDlg::createVideoWidget()
{
    horizontalWidget = new QWidget(this);
    horizontalWidget->setObjectName(QStringLiteral("horizontalWidget"));
    verticalLayout->addWidget(horizontalWidget);

    horizontalLayout = new QHBoxLayout(horizontalWidget);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);

    m_pWgtVideo = new QWidget(horizontalWidget);
    m_pWgtVideo->setObjectName(QStringLiteral("m_pWgtVideo"));
    // The engine paints into this widget's own native window. Its ancestors
    // stay as they are: a widget marked native makes every child of its
    // parent native, and the cell's parent is another window (the strip, the
    // layout), whose children would die unseen with its native window.
    m_pWgtVideo->setAttribute(Qt::WA_DontCreateNativeAncestors);
    m_pWgtVideo->setAttribute(Qt::WA_NativeWindow);
    m_pWgtVideo->setStyleSheet(QStringLiteral("QWidget{background-color: #666;}"));
    horizontalLayout->addWidget(m_pWgtVideo);
}

void CLayoutCellDlg::announceVideoWindowGoing()
{
    if (m_lastVideoWindowId == 0 || m_bGoingAnnounced)
        return;
    m_bGoingAnnounced = true;
    qInfo() << RJ_FUNCTION << "video window going" << m_lastVideoWindowId;
    emit sigVideoWindowAboutToChange(m_lastVideoWindowId);
}

void CLayoutCellDlg::renewVideoWindow()
{
    // The engine would paint into a window that is gone: make the video
    // windows afresh and hand out the new id.
    announceVideoWindowGoing();
    delete horizontalWidget;
    createVideoWidget();
    horizontalWidget->show();
    m_lastVideoWindowId = m_pWgtVideo->winId();
    m_topLevelWindowId = windowHandle() ? windowHandle()->winId() : 0;
    m_bGoingAnnounced = false;
    qInfo() << RJ_FUNCTION << "new video window" << m_lastVideoWindowId;
    emit sigVideoWindowIdChanged(m_lastVideoWindowId);
}

bool CLayoutCellDlg::event(QEvent *event)
{
    // A new parent may cost the cell its native window, and the video window
    // inside goes with it: announced now, replaced at the next show.
    if (event->type() == QEvent::ParentAboutToChange && testAttribute(Qt::WA_WState_Created))
        announceVideoWindowGoing();
    return QDialog::event(event);
}

void CLayoutCellDlg::dropNativeMark()
{
    // winId() marks the cell native. A native widget given a parent
    // (setParent, and setWindowFlags through it) makes every child of that
    // parent native (the strip's title bars, the layout's widgets), and those
    // die unseen with the parent's window when its stacking hint changes: Qt
    // then paints into windows the X server no longer has. A window is
    // native anyway.
    setAttribute(Qt::WA_NativeWindow, false);
}

void CLayoutCellDlg::setOwner(QWidget *owner, Qt::WindowFlags flags)
{
    dropNativeMark();
    setParent(owner, flags);
}

void CLayoutCellDlg::setVisible(bool visible)
{
    if (!visible || isVisible() || m_lastVideoWindowId == 0) {
        QDialog::setVisible(visible);
        return;
    }
    // The platform makes a new native window for the cell when it is shown
    // after a change of its stacking hint; the video windows inside the old
    // one go with it while Qt keeps their ids. Drop them before the show so
    // nothing paints into them, and make them afresh after it.
    if (m_bStackingChanged) {
        m_bStackingChanged = false;
        announceVideoWindowGoing();
        delete horizontalWidget;
        horizontalWidget = nullptr;
        m_pWgtVideo = nullptr;
        QDialog::setVisible(true);
        renewVideoWindow();
        return;
    }
    QDialog::setVisible(true);
    if (m_bGoingAnnounced || (windowHandle() && windowHandle()->winId() != m_topLevelWindowId))
        renewVideoWindow();
}

WId CLayoutCellDlg::getVideoWindowId()
{
    m_lastVideoWindowId = m_pWgtVideo->winId();
    m_bGoingAnnounced = false;
    m_topLevelWindowId = windowHandle() ? windowHandle()->winId() : 0;
    return m_lastVideoWindowId;
}

void CLayoutCellDlg::placeCover()
{
    if (m_pCellCoverDlg && !m_pCellCoverDlg->isDragging())
        m_pCellCoverDlg->move(pos());
}

void CLayoutCellDlg::moveToOrigin(int x, int y)
{
    m_placedAt = QPoint(x + m_iRelativeX, y + m_iRelativeY);
    move(*m_placedAt);
    // Qt keeps a hidden window's new place and size to itself until the show
    // and meanwhile takes whatever the X server reports for the window. A
    // late report of where the cell stood while still shown (moved, then
    // hidden by a new owner) would replace the new place, and the show would
    // leave the cell there. Asked now, the server's last report is this one.
    if (QWindow *window = windowHandle(); window && window->handle() && !isVisible())
        window->setGeometry(geometry());
    placeCover();
}

void CLayoutCellDlg::setRelativePos(int x, int y)
{
    m_iRelativeX = x;
    m_iRelativeY = y;
}

void CLayoutCellDlg::applyCoverDragArea()
{
    if (m_pCellCoverDlg)
        m_pCellCoverDlg->dragAreaHeight = m_bDragEnabled ? height() : 0;
}

void CLayoutCellDlg::setCoverParent(QWidget *parent)
{
    if (!m_pCellCoverDlg || m_pCellCoverDlg->parentWidget() == parent)
        return;
    m_pCellCoverDlg->setParent(parent, Qt::SplashScreen | Qt::FramelessWindowHint);
    m_pCellCoverDlg->resize(size());
    applyCoverDragArea();
    m_pCellCoverDlg->move(pos());
    if (isVisible())
        m_pCellCoverDlg->show();
}

void CLayoutCellDlg::setDragEnabled(bool enabled)
{
    m_bDragEnabled = enabled;
    applyCoverDragArea();
}

void CLayoutCellDlg::setCellType(int type)
{
    if (m_pCellCoverDlg)
        m_pCellCoverDlg->setCellType(type);
}

void CLayoutCellDlg::setIsMuted(bool isMuted)
{
    qDebug() << RJ_FUNCTION << "isMuted:" << isMuted;
    if (m_pCellCoverDlg)
        m_pCellCoverDlg->setIsMuted(isMuted);
}

void CLayoutCellDlg::setSiteName(const char *siteName)
{
    if (m_pCellCoverDlg)
        m_pCellCoverDlg->setSiteName(QString::fromUtf8(siteName ? siteName : ""));
}

void CLayoutCellDlg::setBorderColor(QString color)
{
    if (m_pCellCoverDlg)
        m_pCellCoverDlg->setBorderColor(color);
}

void CLayoutCellDlg::changeWindowFlags(Qt::WindowFlags flags, bool visible)
{
    const bool stackingChanged = (windowFlags() ^ flags) & Qt::WindowStaysOnTopHint;
    // A new native window for the cell would take the video window inside
    // with it while the engine still paints into it.
    if (setWindowFlagsInPlace(this, flags)) {
        if (stackingChanged)
            m_bStackingChanged = true;
    } else {
        const QPoint oldPos = pos();
        dropNativeMark();
        setWindowFlags(flags); // hides the window
        move(oldPos);
    }
    setVisible(visible);
}

void CLayoutCellDlg::setNormalWindowFlags()
{
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        changeWindowFlags(windowFlags() & ~Qt::WindowStaysOnTopHint, isVisible());
    if (m_pCellCoverDlg) {
        m_pCellCoverDlg->setNormalWindowFlags();
        m_pCellCoverDlg->setVisible(isVisible());
        placeCover();
    }
}

void CLayoutCellDlg::setTopWindowFlags(bool visible)
{
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        return;
    changeWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint, visible);
    if (m_pCellCoverDlg) {
        m_pCellCoverDlg->setTopWindowFlags();
        m_pCellCoverDlg->setVisible(isVisible());
        placeCover();
    }
}

void CLayoutCellDlg::raiseWithCover()
{
    raise();
    if (m_pCellCoverDlg && m_pCellCoverDlg->isVisible())
        m_pCellCoverDlg->raise();
}

void CLayoutCellDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_pCellCoverDlg) {
        m_pCellCoverDlg->show();
        m_pCellCoverDlg->resize(size());
        placeCover();
    }
}

void CLayoutCellDlg::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (m_pCellCoverDlg)
        m_pCellCoverDlg->hide();
}

void CLayoutCellDlg::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    // Whoever moves the cell, its overlay goes with it.
    placeCover();
}

void CLayoutCellDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_pCellCoverDlg)
        m_pCellCoverDlg->resize(size());
    applyCoverDragArea();
}

void CLayoutCellDlg::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit sigMouseDoubleClick(this, event);
}

void CLayoutCellDlg::slotOnMouseDoubleClick(QWidget *sender, QMouseEvent *event)
{
    qDebug() << RJ_FUNCTION << sender;
    emit sigMouseDoubleClick(this, event);
}

} // namespace rj_app::views
