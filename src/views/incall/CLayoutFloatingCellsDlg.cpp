#include "views/incall/CLayoutFloatingCellsDlg.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CRJSdkManager.h"
#include "views/framework/PlaceKeeper.h"
#include "views/incall/CLayoutCellCoverDlg.h"
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutCoverDlg.h"

#include <QDebug>
#include <QTimer>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <cmath>

namespace rj_app::views {

namespace {
const char *const kStyleSheet = ":/resources/qss/layout-floating-cells-dlg.qss";
constexpr int kBaseCellWidth = 378;
constexpr int kBaseCellHeight = 213;
constexpr int kBaseSpacing = 2;
constexpr int kBaseTitleBarHeight = 26;
constexpr int kBaseMinButtonSide = 24;

int scaled(int base, double scale)
{
    return int(std::trunc(base * scale));
}
} // namespace

CLayoutFloatingCellsDlg::CLayoutFloatingCellsDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    m_iBaseCellWidth = kBaseCellWidth;
    m_iBaseCellHeight = kBaseCellHeight;
    m_iBaseSpacing = kBaseSpacing;
    initWidgets();
    m_pLayoutCoverDlg = new CLayoutCoverDlg(nullptr);
    qDebug() << "rj_app::views::CLayoutFloatingCellsDlg::initWidgets";
    updateScaledSizes();
    helpers::CGeneralUtils::setStyle(this, QString::fromLatin1(kStyleSheet));
    m_pLayoutCoverDlg->setParent(this, Qt::SplashScreen);
    centerOnFirstShow = false;
    dragAreaHeight = topTitleBarHeight();
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    m_pLayoutCoverDlg->raise();
    new CPlaceKeeper(m_pLayoutCoverDlg, [this]() -> std::optional<QRect> {
        if (!isVisible())
            return std::nullopt;
        return QRect(x(), y() + topTitleBarHeight(), width(), coverHeight());
    });

    m_repaintVideo = [] {
        // Without the engine facade there is no video to repaint.
        if (models::CRJSdkManager::getInstance())
            models::CCallController::getInstance()->repaintVideo();
    };
}

CLayoutFloatingCellsDlg::~CLayoutFloatingCellsDlg()
{
    // The cells belong to the layout engine: hand them and their overlays
    // back before Qt's parent ownership deletes them with this window.
    QVector<CLayoutCellDlg *> cells = getRemoteVideoCells();
    if (m_pLocalVideoCell)
        cells.append(m_pLocalVideoCell);
    for (CLayoutCellDlg *cell : cells)
        unwatchCell(cell);
    const auto overlays =
        m_pLayoutCoverDlg->findChildren<CLayoutCellCoverDlg *>(QString(), Qt::FindDirectChildrenOnly);
    for (CLayoutCellCoverDlg *overlay : overlays) {
        overlay->hide();
        overlay->setParent(nullptr, overlay->windowFlags());
    }
    const auto children = findChildren<CLayoutCellDlg *>(QString(), Qt::FindDirectChildrenOnly);
    for (CLayoutCellDlg *cell : children) {
        cell->hide();
        cell->setParent(nullptr, cell->windowFlags());
    }
}

void CLayoutFloatingCellsDlg::initWidgets()
{
    setObjectName(QStringLiteral("CLayoutFloatingCellsDlg"));
    resize(180, 300);
    setWindowTitle(QString());

    verticalLayout_2 = new QVBoxLayout(this);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(0);
    verticalLayout_2->setContentsMargins(0, 0, 0, 0);

    m_pWgtTopTitleBar = new QWidget(this);
    m_pWgtTopTitleBar->setObjectName(QStringLiteral("m_pWgtTopTitleBar"));
    m_pWgtTopTitleBar->setFixedHeight(kBaseTitleBarHeight);
    m_pWgtTopTitleBar->setStyleSheet(QString());
    verticalLayout_2->addWidget(m_pWgtTopTitleBar);

    horizontalLayout = new QHBoxLayout(m_pWgtTopTitleBar);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setContentsMargins(8, 0, 4, 0);
    horizontalLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    pBtMin = new QPushButton(m_pWgtTopTitleBar);
    pBtMin->setObjectName(QStringLiteral("pBtMin"));
    pBtMin->setFixedSize(kBaseMinButtonSide, kBaseMinButtonSide);
    pBtMin->setFocusPolicy(Qt::NoFocus);
    horizontalLayout->addWidget(pBtMin);

    verticalLayout_2->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    m_pWgtbnBottomTitleBar = new QWidget(this);
    m_pWgtbnBottomTitleBar->setObjectName(QStringLiteral("m_pWgtbnBottomTitleBar"));
    m_pWgtbnBottomTitleBar->setFixedHeight(kBaseTitleBarHeight);
    m_pWgtbnBottomTitleBar->setStyleSheet(QString());
    verticalLayout_2->addWidget(m_pWgtbnBottomTitleBar);

    horizontalLayout_2 = new QHBoxLayout(m_pWgtbnBottomTitleBar);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));

    QMetaObject::connectSlotsByName(this);
}

void CLayoutFloatingCellsDlg::updateScaledSizes()
{
    m_iCellWidth = scaled(m_iBaseCellWidth, fStretchFactor);
    m_iCellHeight = scaled(m_iBaseCellHeight, fStretchFactor);
    m_iSpacing = scaled(m_iBaseSpacing, fStretchFactor);
}

int CLayoutFloatingCellsDlg::topTitleBarHeight() const
{
    return m_pWgtTopTitleBar->maximumHeight();
}

int CLayoutFloatingCellsDlg::bottomTitleBarHeight() const
{
    return m_pWgtbnBottomTitleBar->maximumHeight();
}

int CLayoutFloatingCellsDlg::calculateHeight() const
{
    const int n = getRemoteVideoCells().size();
    int h = topTitleBarHeight() + (n + 1) * m_iCellHeight;
    if (n >= m_iMaxRemoteCellCount)
        h += bottomTitleBarHeight();
    return h;
}

QVector<CLayoutCellDlg *> CLayoutFloatingCellsDlg::getRemoteVideoCells() const
{
    QVector<CLayoutCellDlg *> cells;
    for (const QPointer<CLayoutCellDlg> &cell : m_vecRemoteVideoCells) {
        if (cell)
            cells.append(cell);
    }
    return cells;
}

void CLayoutFloatingCellsDlg::adoptCell(CLayoutCellDlg *cell)
{
    if (cell->parentWidget() == this && cell->windowType() == Qt::SplashScreen)
        return;
    const QPoint oldPos = cell->pos();
    cell->setOwner(this, (cell->windowFlags() & ~Qt::WindowType_Mask) | Qt::SplashScreen);
    cell->move(oldPos);
}

void CLayoutFloatingCellsDlg::watchCell(CLayoutCellDlg *cell)
{
    if (CLayoutCellCoverDlg *overlay = cell->getCellCoverDlg())
        connect(overlay, &CBaseDlg::sigDragPosChanged, this, &CLayoutFloatingCellsDlg::slotDragPosChanged,
                Qt::UniqueConnection);
    connect(cell, &QObject::destroyed, this, &CLayoutFloatingCellsDlg::slotOnCellDestroyed,
            Qt::UniqueConnection);
}

void CLayoutFloatingCellsDlg::unwatchCell(CLayoutCellDlg *cell)
{
    if (!cell)
        return;
    if (CLayoutCellCoverDlg *overlay = cell->getCellCoverDlg())
        disconnect(overlay, &CBaseDlg::sigDragPosChanged, this, &CLayoutFloatingCellsDlg::slotDragPosChanged);
    disconnect(cell, &QObject::destroyed, this, &CLayoutFloatingCellsDlg::slotOnCellDestroyed);
}

void CLayoutFloatingCellsDlg::slotOnCellDestroyed(QObject *cell)
{
    // A cell deleted by its owner while placed here: forget it and close the gap.
    // The cell says so from ~QWidget, when it is no CLayoutCellDlg any more:
    // the pointers that watch it are compared as plain objects, without the
    // cast to the cell class that QPointer::data() makes.
    const auto watched = [](const QPointer<CLayoutCellDlg> &pointer) -> QObject * {
        return qPointerFromVariant<QObject>(QVariant::fromValue(pointer)).data();
    };
    qDebug() << RJ_FUNCTION << cell;
    if (watched(m_pLocalVideoCell) == cell)
        m_pLocalVideoCell = nullptr;
    for (int i = m_vecRemoteVideoCells.size() - 1; i >= 0; --i) {
        QObject *const object = watched(m_vecRemoteVideoCells.at(i));
        if (!object || object == cell)
            m_vecRemoteVideoCells.removeAt(i);
    }
    setFixedHeight(calculateHeight());
    setLayoutCoverPos();
    setLayoutCoverSize();
}

void CLayoutFloatingCellsDlg::setLocalVideoCell(QWidget *cell)
{
    qDebug() << RJ_FUNCTION << cell;
    if (m_pLocalVideoCell)
        return;
    auto *videoCell = qobject_cast<CLayoutCellDlg *>(cell);
    if (!videoCell) {
        qWarning() << RJ_FUNCTION << "not a video cell:" << cell;
        return;
    }
    m_pLocalVideoCell = videoCell;
    adoptCell(videoCell);
    videoCell->setFixedSize(m_iCellWidth, m_iCellHeight);
    videoCell->setDragEnabled(true);
    qDebug() << RJ_FUNCTION << "m_pWgtTopTitleBar height:" << topTitleBarHeight();
    videoCell->setRelativePos(m_iSpacing, topTitleBarHeight());
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        videoCell->setTopWindowFlags(isVisible());
    else
        videoCell->setNormalWindowFlags();
    watchCell(videoCell);
    // Re-parenting hid it and left it where it was: put it in its slot now.
    videoCell->setVisible(isVisible());
    moveLocalCell();
    setLayoutCoverSize();
    showCellOverlays();
}

void CLayoutFloatingCellsDlg::clearLocalVideoCell()
{
    if (m_pLocalVideoCell) {
        unwatchCell(m_pLocalVideoCell);
        m_pLocalVideoCell = nullptr;
    }
    setLayoutCoverSize();
}

void CLayoutFloatingCellsDlg::setRemoteVideoCells(const QVector<CLayoutCellDlg *> &cells)
{
    qDebug() << RJ_FUNCTION << cells.size();
    for (CLayoutCellDlg *old : getRemoteVideoCells()) {
        if (!cells.contains(old))
            unwatchCell(old);
    }
    m_vecRemoteVideoCells.clear();
    for (CLayoutCellDlg *cell : cells) {
        if (cell && cell != m_pLocalVideoCell)
            m_vecRemoteVideoCells.append(cell);
    }
    setFixedHeight(calculateHeight());

    const bool top = windowFlags() & Qt::WindowStaysOnTopHint;
    const QVector<CLayoutCellDlg *> remote = getRemoteVideoCells();
    for (int i = 0; i < remote.size(); ++i) {
        CLayoutCellDlg *cell = remote.at(i);
        // Re-parenting hides the cell: it takes the strip's visibility after
        // that, and its place after the show, which settles its window.
        adoptCell(cell);
        cell->setCoverParent(m_pLayoutCoverDlg);
        cell->setDragEnabled(true);
        if (top)
            cell->setTopWindowFlags(isVisible());
        else
            cell->setNormalWindowFlags();
        cell->setVisible(isVisible());
        cell->setFixedSize(m_iCellWidth, m_iCellHeight);
        cell->setRelativePos(m_iSpacing, topTitleBarHeight() + (i + 1) * m_iCellHeight);
        cell->moveToOrigin(x(), y());
        watchCell(cell);
    }
    setLayoutCoverSize();
    if (isVisible())
        showCellOverlays();
}

void CLayoutFloatingCellsDlg::clearRemoteVideoCells()
{
    const QVector<CLayoutCellDlg *> remote = getRemoteVideoCells();
    if (remote.isEmpty()) {
        m_vecRemoteVideoCells.clear();
        qDebug() << RJ_FUNCTION << "Empty remote video cell";
        return;
    }
    for (CLayoutCellDlg *cell : remote)
        unwatchCell(cell);
    m_vecRemoteVideoCells.clear();
    setFixedHeight(calculateHeight());
    setLayoutCoverSize();
}

void CLayoutFloatingCellsDlg::clearHideFlag()
{
    m_hideFlag = false;
}

bool CLayoutFloatingCellsDlg::isOwnCell(QWidget *cell) const
{
    if (!cell)
        return false;
    if (cell == m_pLocalVideoCell)
        return true;
    for (const QPointer<CLayoutCellDlg> &own : m_vecRemoteVideoCells) {
        if (own == cell)
            return true;
    }
    return false;
}

void CLayoutFloatingCellsDlg::setHide()
{
    qDebug() << RJ_FUNCTION;
    emit signal_FloatingCellsDlg_Hide();
    m_hideFlag = true;
    hide();
}

void CLayoutFloatingCellsDlg::on_pBtMin_clicked()
{
    qDebug() << RJ_FUNCTION;
    emit signal_FloatingCellsDlg_Hide();
    m_hideFlag = true;
    hide();
}

void CLayoutFloatingCellsDlg::slot_FloatingCellsDlg_Show()
{
    qDebug() << RJ_FUNCTION;
    m_hideFlag = false;
    show();
    // The move places the cells and the cover through moveEvent.
    move(x(), y() + 1);
}

void CLayoutFloatingCellsDlg::slotDragPosChanged(QWidget *sender, int relativeX, int relativeY)
{
    Q_UNUSED(sender)
    move(x() + relativeX, y() + relativeY);
}

void CLayoutFloatingCellsDlg::setVisible(bool visible)
{
    // The user hid the strip: it stays hidden until asked back.
    if (visible && m_hideFlag) {
        qDebug() << RJ_FUNCTION << "m_hideFlag:" << m_hideFlag;
        if (isVisible())
            CBaseDlg::setVisible(false);
        return;
    }
    CBaseDlg::setVisible(visible);
}

void CLayoutFloatingCellsDlg::setTopWindow()
{
    qDebug() << RJ_FUNCTION;
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        return;
    const bool wasVisible = isVisible();
    const QPoint oldPos = pos();
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint | Qt::Tool);
    move(oldPos);
    qDebug() << RJ_FUNCTION << "m_hideFlag:" << m_hideFlag;
    // Cells never show on their own while the strip is away.
    const bool showCells = !m_hideFlag && wasVisible;
    if (m_pLocalVideoCell)
        m_pLocalVideoCell->setTopWindowFlags(showCells);
    for (CLayoutCellDlg *cell : getRemoteVideoCells())
        cell->setTopWindowFlags(showCells);
    const QPoint coverPos = m_pLayoutCoverDlg->pos();
    m_pLayoutCoverDlg->setWindowFlags(m_pLayoutCoverDlg->windowFlags() | Qt::WindowStaysOnTopHint
                                      | Qt::FramelessWindowHint);
    m_pLayoutCoverDlg->move(coverPos);
    if (m_hideFlag)
        hide();
    else if (wasVisible)
        show(); // new flags hid the strip; it keeps showing as it did
}

void CLayoutFloatingCellsDlg::setNonTopWindow()
{
    qDebug() << RJ_FUNCTION;
    if (!(windowFlags() & Qt::WindowStaysOnTopHint))
        return;
    const bool wasVisible = isVisible();
    const QPoint oldPos = pos();
    setWindowFlags((windowFlags() & ~Qt::WindowStaysOnTopHint) | Qt::Tool);
    move(oldPos);
    if (m_pLocalVideoCell)
        m_pLocalVideoCell->setNormalWindowFlags();
    for (CLayoutCellDlg *cell : getRemoteVideoCells())
        cell->setNormalWindowFlags();
    const QPoint coverPos = m_pLayoutCoverDlg->pos();
    m_pLayoutCoverDlg->setWindowFlags(m_pLayoutCoverDlg->windowFlags() & ~Qt::WindowStaysOnTopHint);
    m_pLayoutCoverDlg->move(coverPos);
    if (wasVisible)
        show();
}

void CLayoutFloatingCellsDlg::moveLocalCell()
{
    if (!m_pLocalVideoCell)
        return;
    m_pLocalVideoCell->setCoverParent(m_pLayoutCoverDlg);
    m_pLocalVideoCell->setFixedSize(m_iCellWidth, m_iCellHeight);
    m_pLocalVideoCell->setRelativePos(m_iSpacing, topTitleBarHeight());
    m_pLocalVideoCell->moveToOrigin(x(), y());
}

void CLayoutFloatingCellsDlg::setLayoutCoverPos()
{
    for (CLayoutCellDlg *cell : getRemoteVideoCells())
        cell->moveToOrigin(x(), y());
    m_pLayoutCoverDlg->move(x(), y() + topTitleBarHeight());
    qDebug() << RJ_FUNCTION << "this pos:" << pos() << ", m_pLayoutCoverDlg pos:" << m_pLayoutCoverDlg->pos();
}

int CLayoutFloatingCellsDlg::coverHeight() const
{
    return (m_pLocalVideoCell ? m_iCellHeight : 0) + m_iCellHeight * getRemoteVideoCells().size();
}

void CLayoutFloatingCellsDlg::setLayoutCoverSize()
{
    qDebug() << RJ_FUNCTION;
    if (!isVisible()) {
        qDebug() << RJ_FUNCTION << "do not set size for invisible";
        return;
    }
    const int h = coverHeight();
    if (h <= 0) {
        // Nothing to cover: an empty window would only catch stray clicks.
        m_pLayoutCoverDlg->hide();
        return;
    }
    // Shown first: a window sized before its first show may be reported back
    // by the window system at its old size.
    if (!m_pLayoutCoverDlg->isVisible())
        m_pLayoutCoverDlg->show();
    m_pLayoutCoverDlg->resize(width(), h);
    m_pLayoutCoverDlg->move(x(), y() + topTitleBarHeight());
    qDebug() << RJ_FUNCTION << "m_pLayoutCoverDlg size:" << m_pLayoutCoverDlg->size();
    m_pLayoutCoverDlg->raise();
}

void CLayoutFloatingCellsDlg::showCellOverlays()
{
    QVector<CLayoutCellDlg *> cells = getRemoteVideoCells();
    if (m_pLocalVideoCell)
        cells.prepend(m_pLocalVideoCell);
    for (CLayoutCellDlg *cell : cells) {
        // An overlay never stands alone over a hidden cell.
        CLayoutCellCoverDlg *overlay = cell->getCellCoverDlg();
        if (overlay && cell->isVisible())
            overlay->show();
    }
}

void CLayoutFloatingCellsDlg::prepareLocalCellForShow()
{
    if (!m_pLocalVideoCell)
        return;
    adoptCell(m_pLocalVideoCell);
    if (isVisible())
        m_pLocalVideoCell->show();
    m_pLocalVideoCell->setFixedSize(m_iCellWidth, m_iCellHeight);
    m_pLocalVideoCell->setDragEnabled(true);
    moveLocalCell();
}

void CLayoutFloatingCellsDlg::repaintVideo()
{
    if (m_repaintVideo)
        m_repaintVideo();
}

void CLayoutFloatingCellsDlg::moveEvent(QMoveEvent *event)
{
    CBaseDlg::moveEvent(event);
    moveLocalCell();
    setLayoutCoverPos();
}

void CLayoutFloatingCellsDlg::resizeEvent(QResizeEvent *event)
{
    qDebug() << RJ_FUNCTION << event->size();
    CBaseDlg::resizeEvent(event);
}

void CLayoutFloatingCellsDlg::showEvent(QShowEvent *event)
{
    qDebug() << RJ_FUNCTION << "m_hideFlag:" << m_hideFlag << ", windowState:" << windowState();
    if (m_hideFlag) {
        hide();
        return;
    }
    CBaseDlg::showEvent(event);
    const int h = calculateHeight();
    if (h != height()) {
        qDebug() << RJ_FUNCTION << "this->height():" << height() << ", height:" << h << ", isVisible"
                 << isVisible();
        setFixedHeight(h);
    }
    prepareLocalCellForShow();
    for (CLayoutCellDlg *cell : getRemoteVideoCells())
        cell->show();
    setLayoutCoverPos();
    setLayoutCoverSize();
    repaintVideo();
    // The strip is mapped after this event, on top of what it carries.
    QTimer::singleShot(0, this, &CLayoutFloatingCellsDlg::raiseWithContents);
}

void CLayoutFloatingCellsDlg::mousePressEvent(QMouseEvent *event)
{
    CBaseDlg::mousePressEvent(event);
    // The window manager raised the strip on the press.
    QTimer::singleShot(0, this, &CLayoutFloatingCellsDlg::raiseWithContents);
}

void CLayoutFloatingCellsDlg::raiseWithContents()
{
    if (!isVisible())
        return;
    raise();
    if (m_pLocalVideoCell && m_pLocalVideoCell->isVisible())
        m_pLocalVideoCell->raiseWithCover();
    for (CLayoutCellDlg *cell : getRemoteVideoCells()) {
        if (cell->isVisible())
            cell->raiseWithCover();
    }
    if (m_pLayoutCoverDlg->isVisible())
        m_pLayoutCoverDlg->raise();
}

void CLayoutFloatingCellsDlg::hideEvent(QHideEvent *event)
{
    qDebug() << RJ_FUNCTION << "m_hideFlag:" << m_hideFlag << ", windowState:" << windowState();
    CBaseDlg::hideEvent(event);
    if (m_pLocalVideoCell)
        m_pLocalVideoCell->hide();
    for (CLayoutCellDlg *cell : getRemoteVideoCells())
        cell->hide();
    m_pLayoutCoverDlg->hide();
}

void CLayoutFloatingCellsDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        qDebug() << RJ_FUNCTION << "windowState:" << windowState() << ", WindowStaysOnTopHint:"
                 << bool(windowFlags() & Qt::WindowStaysOnTopHint);
    CBaseDlg::changeEvent(event);
}

void CLayoutFloatingCellsDlg::onDpiChanged()
{
    qDebug() << RJ_FUNCTION << fStretchFactor;
    updateScaledSizes();
    setMinimumWidth(m_iCellWidth + 2 * m_iSpacing);
    setMaximumWidth(m_iCellWidth + 2 * m_iSpacing);
    const int barHeight = scaled(kBaseTitleBarHeight, fStretchFactor);
    m_pWgtTopTitleBar->setFixedHeight(barHeight);
    m_pWgtbnBottomTitleBar->setFixedHeight(barHeight);
    const int side = scaled(kBaseMinButtonSide, fStretchFactor);
    pBtMin->setFixedSize(side, side);
    // The whole title bar drags the strip at every scale.
    dragAreaHeight = barHeight;

    prepareLocalCellForShow();
    const QVector<CLayoutCellDlg *> remote = getRemoteVideoCells();
    for (int i = 0; i < remote.size(); ++i) {
        CLayoutCellDlg *cell = remote.at(i);
        cell->setFixedSize(m_iCellWidth, m_iCellHeight);
        cell->setRelativePos(m_iSpacing, barHeight + (i + 1) * m_iCellHeight);
        if (isVisible())
            cell->show();
    }
    setLayoutCoverPos();
    setLayoutCoverSize();
    repaintVideo();
    setFixedHeight(calculateHeight());
}

} // namespace rj_app::views
