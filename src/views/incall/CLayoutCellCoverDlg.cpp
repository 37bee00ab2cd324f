#include "views/incall/CLayoutCellCoverDlg.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"

#include <QDebug>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <cmath>

namespace rj_app::views {

namespace {
const char *const kStyleSheet = ":/resources/qss/layout-cell-cover-dlg.qss";
const char *const kContentSenderStyle =
    "border-image: url(:/resources/images/layout-operationbar/icon_content_sender.png)  0px 0px no-repeat;";
const char *const kMuteStyle =
    "border-image: url(:/resources/images/layout-operationbar/icon_mute.png)  0px 0px no-repeat;";
constexpr int kLabelPointSize = 9;
} // namespace

CLayoutCellCoverDlg::CLayoutCellCoverDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setupUi();
    helpers::CGeneralUtils::setStyle(this, QString::fromLatin1(kStyleSheet));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    // The cell places its overlay; centring it on the screen would leave it
    // beside the cell until the next move.
    centerOnFirstShow = false;

    m_pWgtContent->installEventFilter(this);
    m_pWgtContent->setAttribute(Qt::WA_MouseTracking);

    m_bIsMuted = false;
    m_pBtnStatusImage->hide();
    m_iCellType = CellType_Normal;
    applyStatusIconStyle();
    // Shown on demand by the mouse or the muted mark.
    m_pWgtTitlebar->hide();
}

void CLayoutCellCoverDlg::setupUi()
{
    setObjectName(QStringLiteral("CLayoutCellCoverDlg"));
    resize(400, 300);
    setMaximumSize(4096, 3112);
    setWindowTitle(QString());

    m_pLayoutDlg = new QVBoxLayout(this);
    m_pLayoutDlg->setObjectName(QStringLiteral("m_pLayoutDlg"));
    m_pLayoutDlg->setSpacing(0);
    m_pLayoutDlg->setContentsMargins(3, 3, 3, 3);

    m_pWgtContent = new QWidget(this);
    m_pWgtContent->setObjectName(QStringLiteral("m_pWgtContent"));
    m_pLayoutDlg->addWidget(m_pWgtContent);

    verticalLayout_2 = new QVBoxLayout(m_pWgtContent);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(0);
    verticalLayout_2->setContentsMargins(0, 0, 0, 0);
    verticalLayout_2->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    m_pLayoutMain = new QWidget(m_pWgtContent);
    m_pLayoutMain->setObjectName(QStringLiteral("m_pLayoutMain"));
    verticalLayout_2->addWidget(m_pLayoutMain);

    m_pLayoutMain2 = new QVBoxLayout(m_pLayoutMain);
    m_pLayoutMain2->setObjectName(QStringLiteral("m_pLayoutMain2"));
    m_pLayoutMain2->setSpacing(0);
    m_pLayoutMain2->setContentsMargins(0, 0, 0, 0);

    m_pWgtTitlebarPanel = new QWidget(m_pLayoutMain);
    m_pWgtTitlebarPanel->setObjectName(QStringLiteral("m_pWgtTitlebarPanel"));
    m_pLayoutMain2->addWidget(m_pWgtTitlebarPanel);

    horizontalLayout_2 = new QHBoxLayout(m_pWgtTitlebarPanel);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(0);
    horizontalLayout_2->setContentsMargins(0, 0, 0, 0);

    m_pWgtTitlebar = new QWidget(m_pWgtTitlebarPanel);
    m_pWgtTitlebar->setObjectName(QStringLiteral("m_pWgtTitlebar"));
    horizontalLayout_2->addWidget(m_pWgtTitlebar);
    horizontalLayout_2->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    m_pLayoutTitlebar = new QHBoxLayout(m_pWgtTitlebar);
    m_pLayoutTitlebar->setObjectName(QStringLiteral("m_pLayoutTitlebar"));
    m_pLayoutTitlebar->setSpacing(5);
    m_pLayoutTitlebar->setContentsMargins(2, 5, 5, 5);

    m_pBtnStatusImage = new QPushButton(m_pWgtTitlebar);
    m_pBtnStatusImage->setObjectName(QStringLiteral("m_pBtnStatusImage"));
    m_pBtnStatusImage->setMinimumSize(10, 10);
    m_pBtnStatusImage->setMaximumSize(10, 10);
    m_pBtnStatusImage->setFocusPolicy(Qt::NoFocus);
    m_pLayoutTitlebar->addWidget(m_pBtnStatusImage);

    m_pLblSiteName = new QLabel(m_pWgtTitlebar);
    m_pLblSiteName->setObjectName(QStringLiteral("m_pLblSiteName"));
    QFont font = m_pLblSiteName->font();
    font.setPointSize(kLabelPointSize);
    m_pLblSiteName->setFont(font);
    m_pLayoutTitlebar->addWidget(m_pLblSiteName);
}

void CLayoutCellCoverDlg::applyStatusIconStyle()
{
    // The icon size follows the cell type, so it is scaled here rather than
    // left to the layout scaler's record of the first show.
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    const bool content = m_iCellType == CellType_Content;
    const int side = int(std::trunc((content ? 14 : 20) * scale));
    m_pBtnStatusImage->setFixedSize(side, side);
    m_pBtnStatusImage->setStyleSheet(QString::fromLatin1(content ? kContentSenderStyle : kMuteStyle));
}

void CLayoutCellCoverDlg::setCellType(int type)
{
    m_iCellType = type;
    applyStatusIconStyle();
    if (type == CellType_Content) {
        m_bIsMuted = false;
        m_pBtnStatusImage->show();
    } else {
        // A cell that stops showing content must not keep its icon as a
        // muted mark it does not have.
        m_pBtnStatusImage->setVisible(m_bIsMuted);
    }
    updateSiteNameLabel();
}

void CLayoutCellCoverDlg::updateLocalTitleBar()
{
    if (m_iCellType != CellType_Local)
        return;
    if (m_bIsMuted)
        updateTitleBarVisibility();
    else
        m_pWgtTitlebar->hide();
}

void CLayoutCellCoverDlg::setIsMuted(bool isMuted)
{
    m_bIsMuted = isMuted;
    // The content sender's icon is no muted mark and stays.
    if (m_iCellType != CellType_Content)
        m_pBtnStatusImage->setVisible(isMuted);
    updateSiteNameLabel();
    updateLocalTitleBar();
}

void CLayoutCellCoverDlg::setSiteName(const QString &qstrSiteName)
{
    qDebug() << RJ_FUNCTION << qstrSiteName;
    if (qstrSiteName.isEmpty()) {
        qDebug() << RJ_FUNCTION << "Empty qstrSiteName";
        return;
    }
    if (m_iCellType == CellType_Content)
        m_qstrSiteName = tr("%1's Screen Sharing").arg(qstrSiteName);
    else
        m_qstrSiteName = qstrSiteName;
    updateSiteNameLabel();
    updateLocalTitleBar();
}

void CLayoutCellCoverDlg::setBorderColor(const QString &qstrBorderColor)
{
    m_qstrBorderColor = qstrBorderColor;
    update();
}

void CLayoutCellCoverDlg::changeWindowFlags(Qt::WindowFlags flags)
{
    // New flags hide a window; the overlay keeps showing as it did.
    const bool wasVisible = isVisible();
    const QPoint oldPos = pos();
    setWindowFlags(flags);
    move(oldPos);
    if (wasVisible)
        show();
}

void CLayoutCellCoverDlg::setNormalWindowFlags()
{
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        changeWindowFlags(windowFlags() & ~Qt::WindowStaysOnTopHint);
}

void CLayoutCellCoverDlg::setTopWindowFlags()
{
    if (!(windowFlags() & Qt::WindowStaysOnTopHint))
        changeWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
}

void CLayoutCellCoverDlg::updateTitleBarVisibility()
{
    if (!m_bIsMuted && m_qstrSiteName.isEmpty()) {
        m_pWgtTitlebar->hide();
        return;
    }
    m_pWgtTitlebar->setVisible(isVisible());
}

void CLayoutCellCoverDlg::updateSiteNameLabel()
{
    if (m_qstrSiteName.isEmpty()) {
        m_pLblSiteName->hide();
        return;
    }
    m_pLblSiteName->show();

    const QMargins outer = m_pLayoutDlg->contentsMargins();
    const int available = width() - outer.left() - outer.right();
    const QMargins bar = m_pLayoutTitlebar->contentsMargins();
    int used = bar.left() + bar.right();
    // Whatever icon is shown takes room, the content sender's included.
    if (!m_pBtnStatusImage->isHidden())
        used += m_pLayoutTitlebar->spacing() + m_pBtnStatusImage->maximumWidth();

    const QFontMetrics metrics(m_pLblSiteName->font());
    const int textWidth = metrics.horizontalAdvance(m_qstrSiteName);
    QString text = m_qstrSiteName;
    if (available - used < textWidth) {
        text = metrics.elidedText(m_qstrSiteName, Qt::ElideRight, qMax(0, available - used));
        m_pWgtTitlebar->setFixedWidth(qMax(0, available));
    } else {
        m_pWgtTitlebar->setFixedWidth(used + textWidth);
    }
    m_pLblSiteName->setText(text);
}

bool CLayoutCellCoverDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pWgtContent && event->type() == QEvent::MouseMove)
        updateTitleBarVisibility();
    return CBaseDlg::eventFilter(watched, event);
}

void CLayoutCellCoverDlg::mousePressEvent(QMouseEvent *event)
{
    m_bCoverDragging = false;
    CBaseDlg::mousePressEvent(event);
    emit sigMousePress(event);
}

void CLayoutCellCoverDlg::mouseDoubleClickEvent(QMouseEvent *event)
{
    qDebug() << RJ_FUNCTION << this;
    emit sigMouseDoubleClick(this, event);
}

void CLayoutCellCoverDlg::mouseMoveEvent(QMouseEvent *event)
{
    updateTitleBarVisibility();
    // Only a cell that lends its whole height as drag area (a cell of the
    // floating strip) is dragged; the owner follows sigDragPosChanged.
    if (dragAreaHeight > 0 && m_bDrag && (event->buttons() & Qt::LeftButton)) {
        m_bCoverDragging = true;
        CBaseDlg::mouseMoveEvent(event);
    }
    emit sigMouseMove(event);
}

void CLayoutCellCoverDlg::mouseReleaseEvent(QMouseEvent *event)
{
    CBaseDlg::mouseReleaseEvent(event);
    m_bCoverDragging = false;
}

void CLayoutCellCoverDlg::enterEvent(QEvent *event)
{
    CBaseDlg::enterEvent(event);
    updateTitleBarVisibility();
}

void CLayoutCellCoverDlg::leaveEvent(QEvent *event)
{
    CBaseDlg::leaveEvent(event);
    if (m_iCellType == CellType_Local && m_bIsMuted)
        return;
    m_pWgtTitlebar->hide();
}

void CLayoutCellCoverDlg::paintEvent(QPaintEvent *event)
{
    CBaseDlg::paintEvent(event);
    if (m_qstrBorderColor.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor(m_qstrBorderColor), 2));
    const int w = width();
    const int h = height();
    painter.drawLine(0, 0, w - 1, 0);
    painter.drawLine(0, 0, 0, h - 1);
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.drawLine(0, h - 1, w - 1, h - 1);
}

void CLayoutCellCoverDlg::resizeEvent(QResizeEvent *event)
{
    CBaseDlg::resizeEvent(event);
    updateSiteNameLabel();
}

void CLayoutCellCoverDlg::showEvent(QShowEvent *event)
{
    m_dpiScaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    if (m_iCellType == CellType_Local)
        updateTitleBarVisibility();
}

void CLayoutCellCoverDlg::hideEvent(QHideEvent *event)
{
    CBaseDlg::hideEvent(event);
    m_bCoverDragging = false;
    m_pWgtTitlebar->hide();
}

void CLayoutCellCoverDlg::onDpiChanged()
{
    qDebug() << RJ_FUNCTION << fStretchFactor;
    m_dpiScaler.rescale(fStretchFactor, this, false);
    applyStatusIconStyle();
    QFont font = m_pLblSiteName->font();
    font.setPointSize(int(std::trunc(kLabelPointSize * fStretchFactor)));
    m_pLblSiteName->setFont(font);
    updateSiteNameLabel();
}

} // namespace rj_app::views
