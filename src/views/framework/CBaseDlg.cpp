#include "views/framework/CBaseDlg.h"

#include "helpers/CGeneralUtils.h"
#include "platform/CScreenDpiWatcher.h"
#include "views/framework/CScaleRule.h"

#include <QDebug>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace rj_app::views {

namespace {
// Moves within this many pixels of the right or bottom edge are left alone.
constexpr int kEdgeMargin = 8;
} // namespace

CBaseDlg::CBaseDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowIcon(QIcon(QStringLiteral(":/resources/images/logo_about.png")));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    setAttribute(Qt::WA_MouseTracking);
    m_pDpiWatcher = new platform::CScreenDpiWatcher(
        [this](unsigned int dpi) {
            if (isVisible())
                updateDpi(dpi);
        },
        this);
}

CBaseDlg::~CBaseDlg()
{
    delete m_pDpiWatcher; // its handler calls into this object
}

QScreen *CBaseDlg::getDisplayScreen(QWidget *reference) const
{
    return CScaleRule::screenOf(reference ? reference : this);
}

void CBaseDlg::centerWindowOnScreen(QWidget *reference)
{
    CScaleRule::centerOn(this, getDisplayScreen(reference));
}

void CBaseDlg::setStyleSheets(const QString &basePath)
{
    helpers::CGeneralUtils::setStyle(this, CScaleRule::styleSheetFiles(basePath, fStretchFactor));
}

void CBaseDlg::updateDpi(unsigned int dpi)
{
    if (CScaleRule::takeDpi("rj_app::views::CBaseDlg::updateDpi", this, dpi, m_uLastDpi, fStretchFactor))
        onDpiChanged();
}

void CBaseDlg::onDpiChanged()
{
    qDebug() << "rj_app::views::CBaseDlg::onDpiChanged" << this << fStretchFactor;
}

void CBaseDlg::disableDefaultButtons()
{
    const auto buttons = findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void CBaseDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && windowState() != Qt::WindowMaximized
        && !isFullScreen()) {
        qDebug() << "LeftButton press and not maximized, set m_bDrag to true.";
        m_bDrag = true;
        m_pressPos = event->pos();
    }
    QDialog::mousePressEvent(event);
}

void CBaseDlg::dragTo(const QPoint &globalPos)
{
    const QPoint oldPos = pos();
    const QPoint newPos = globalPos - m_pressPos;
    move(newPos);
    emit sigDragPosChanged(this, newPos.x() - oldPos.x(), newPos.y() - oldPos.y());
}

void CBaseDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging && !(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere (hidden mid-drag, grab lost): the drag is over.
        m_bDragging = false;
        m_bDrag = false;
    }
    if (m_bDragging) {
        dragTo(event->globalPos());
        return;
    }
    const QPoint p = event->pos();
    const QRect inner(0, 0, width() - kEdgeMargin, height() - kEdgeMargin);
    if (rect().contains(p) && !inner.contains(p)) {
        event->ignore();
        return;
    }
    setCursor(Qt::ArrowCursor);
    if (p.y() > dragAreaHeight)
        return;
    if (m_bDrag && (event->buttons() & Qt::LeftButton)) {
        m_bDragging = true;
        dragTo(event->globalPos());
    }
    QDialog::mouseMoveEvent(event);
}

void CBaseDlg::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDrag = false;
    if (m_bDragging) {
        dragTo(event->globalPos());
        m_bDragging = false;
    }
    setCursor(Qt::ArrowCursor);
    QDialog::mouseReleaseEvent(event);
}

void CBaseDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // no dialog is rejected by Escape
        return;
    }
    QDialog::keyPressEvent(event);
}

void CBaseDlg::showEvent(QShowEvent *event)
{
    if (m_bFirstShow) {
        m_bFirstShow = false;
        qDebug() << "rj_app::views::CBaseDlg::showEvent first show, centerOnFirstShow"
                 << centerOnFirstShow << this << pos() << size();
        if (centerOnFirstShow)
            centerWindowOnScreen();
    }
    QScreen *screen = getDisplayScreen();
    if (!screen) {
        qWarning() << "Can not get valid screen";
        return;
    }
    if (isWindow())
        m_pDpiWatcher->watch(windowHandle());
    updateDpi(platform::CScreenDpiWatcher::dpiOf(screen));
    QDialog::showEvent(event);
}

bool CBaseDlg::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    // DPI changes arrive through CScreenDpiWatcher here; native messages pass on.
    return QDialog::nativeEvent(eventType, message, result);
}

} // namespace rj_app::views
