#include "views/incall/CWidgetContentSub.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"
#include "views/incall/CPreview.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <QVBoxLayout>

using rj_app::models::CRJSdkManager;

namespace {
constexpr int kPreviewWidth = 110;
constexpr int kPreviewHeight = 70;
constexpr int kNameMaxWidth = 150;
constexpr int kNamePixelSize = 12;
// The engine fits the picture into these boxes.
constexpr int kThumbnailMaxWidth = 112;
constexpr int kThumbnailMaxHeight = 70;
constexpr int kIconMaxSize = 40;

// The engine's bitmaps (rj::engine::RJBitmap) carry no row length; it is
// fixed by the kind. A thumbnail (type 0) has 24-bit pixels in blue, green,
// red order, each row padded to a multiple of 4 bytes; an icon (type 1) has
// 32-bit pixels laid out as QImage::Format_ARGB32, rows unpadded.
int thumbnailBytesPerLine(int width)
{
    return (width * 3 + 3) / 4 * 4;
}

int iconBytesPerLine(int width)
{
    return width * 4;
}
} // namespace

CWidgetContentSub::CWidgetContentSub(QWidget *parent, bool isWhiteBoard)
    : QFrame(parent)
    , m_bIsWhiteBoard(isWhiteBoard)
{
    setObjectName(QStringLiteral("CWidgetContentSub"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_MouseTracking);

    m_pMainLayout = new QVBoxLayout(this);
    m_pMainLayout->setContentsMargins(1, 1, 1, 1);
    m_pMainLayout->setSpacing(0);
    m_pTopSpacer = new QSpacerItem(20, 8, QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_pMainLayout->addItem(m_pTopSpacer);

    m_pPreviewLayout = new QHBoxLayout();
    m_pPreviewLayout->setContentsMargins(0, 0, 0, 0);
    m_pPreviewLayout->setSpacing(0);
    m_pPreviewLeftSpacer = new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_pPreviewLayout->addItem(m_pPreviewLeftSpacer);
    m_pPreview = new CPreview(this);
    m_pPreview->setObjectName(QStringLiteral("preview"));
    m_pPreview->setFixedSize(kPreviewWidth, kPreviewHeight);
    m_pPreview->setAttribute(Qt::WA_MouseTracking);
    m_pPreview->installEventFilter(this);
    m_pPreviewLayout->addWidget(m_pPreview);
    m_pPreviewRightSpacer = new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_pPreviewLayout->addItem(m_pPreviewRightSpacer);
    m_pMainLayout->addLayout(m_pPreviewLayout);

    m_pNameLayout = new QHBoxLayout();
    m_pNameLayout->setContentsMargins(0, 0, 0, 0);
    m_pNameLayout->setSpacing(0);
    m_pNameLeftSpacer = new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_pNameLayout->addItem(m_pNameLeftSpacer);
    m_pNameLabel = new QLabel(QStringLiteral("nametext"), this);
    m_pNameLabel->setObjectName(QStringLiteral("name"));
    m_pNameLabel->setMaximumWidth(kNameMaxWidth);
    QFont font = m_pNameLabel->font();
    font.setPixelSize(kNamePixelSize);
    m_pNameLabel->setFont(font);
    m_pNameLayout->addWidget(m_pNameLabel);
    m_pNameRightSpacer = new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_pNameLayout->addItem(m_pNameRightSpacer);
    m_pMainLayout->addLayout(m_pNameLayout);

    applyNameStyle();
}

void CWidgetContentSub::setContentSourceInfo(const rj::engine::RJContentSourceInfo &info)
{
    m_contentSourceInfo = info;
}

void CWidgetContentSub::setName(const QString &name)
{
    m_pNameLabel->setText(name);
}

QString CWidgetContentSub::name() const
{
    return m_pNameLabel->text();
}

void CWidgetContentSub::setSelected(bool selected)
{
    m_bSelected = selected;
    applyNameStyle();
    update();
}

void CWidgetContentSub::setRowCol(int row, int col)
{
    m_iRow = row;
    m_iCol = col;
}

void CWidgetContentSub::applyNameStyle()
{
    const QString style = m_bSelected ? QStringLiteral("color: #ffffff;") : QStringLiteral("color: #313131;");
    if (m_pNameLabel->styleSheet() != style)
        m_pNameLabel->setStyleSheet(style);
}

void CWidgetContentSub::loadPreview()
{
    if (m_bIsWhiteBoard) {
        m_pPreview->setStyleSheet(
            QStringLiteral("border-image: url(:/resources/images/share-content/icon_whiteboard.png);"));
        return;
    }
    if (m_contentSourceInfo.type != 0 && m_contentSourceInfo.type != 1)
        return;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (!sdk) {
        qWarning() << RJ_FUNCTION << __LINE__ << "no engine facade";
        return;
    }

    rj::engine::RJBitmap bitmap;
    sdk->getContentSourceBitmap(m_contentSourceInfo, 0, kThumbnailMaxWidth, kThumbnailMaxHeight, bitmap);
    if (bitmap.data && bitmap.width > 0 && bitmap.height > 0) {
        // Blue, green, red: swapped into a copy of its own before the bitmap
        // goes back.
        const QImage image = QImage(bitmap.data, bitmap.width, bitmap.height, thumbnailBytesPerLine(bitmap.width),
                                    QImage::Format_RGB888)
                                 .rgbSwapped();
        m_pPreview->setThumbnail(image);
        sdk->releaseContentSourceBitmap(bitmap);
    } else {
        if (bitmap.data)
            sdk->releaseContentSourceBitmap(bitmap);
        m_pPreview->setStyleSheet(
            QStringLiteral("border-image: url(:/resources/images/share-content/icon_app.png);"));
    }

    if (m_contentSourceInfo.type == 1) {
        rj::engine::RJBitmap icon;
        sdk->getContentSourceBitmap(m_contentSourceInfo, 1, kIconMaxSize, kIconMaxSize, icon);
        if (icon.data && icon.width > 0 && icon.height > 0) {
            m_pPreview->setIcon(
                QImage(icon.data, icon.width, icon.height, iconBytesPerLine(icon.width), QImage::Format_ARGB32).copy());
            sdk->releaseContentSourceBitmap(icon);
        } else if (icon.data) {
            sdk->releaseContentSourceBitmap(icon);
        }
    }
}

void CWidgetContentSub::setScale(double scale)
{
    if (rj_app::helpers::CGeneralUtils::isDoubleEqual(scale, m_dScale))
        return;
    m_dScale = scale;
    m_pPreview->setFixedSize(static_cast<int>(kPreviewWidth * scale), static_cast<int>(kPreviewHeight * scale));
    QFont font = m_pNameLabel->font();
    font.setPixelSize(static_cast<int>(kNamePixelSize * scale));
    m_pNameLabel->setFont(font);
    m_pNameLabel->setMaximumWidth(static_cast<int>(kNameMaxWidth * scale));
}

void CWidgetContentSub::showNameTip(const QPoint &globalPos)
{
    QToolTip::showText(globalPos, m_pNameLabel->text(), this);
}

bool CWidgetContentSub::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pPreview && event->type() == QEvent::MouseMove) {
        showNameTip(static_cast<QMouseEvent *>(event)->globalPos());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void CWidgetContentSub::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        setSelected(true);
        emit signal_selected();
    }
    QFrame::mousePressEvent(event);
}

void CWidgetContentSub::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Sharing may close the chooser, and a question on the way may let it be
    // deleted with this tile.
    QPointer<CWidgetContentSub> self(this);
    emit signal_doubliClicked();
    if (self)
        QFrame::mouseDoubleClickEvent(event);
}

void CWidgetContentSub::mouseMoveEvent(QMouseEvent *event)
{
    showNameTip(event->globalPos());
    QFrame::mouseMoveEvent(event);
}

void CWidgetContentSub::enterEvent(QEvent *event)
{
    m_bHovered = true;
    update();
    QFrame::enterEvent(event);
}

void CWidgetContentSub::leaveEvent(QEvent *event)
{
    m_bHovered = false;
    update();
    QFrame::leaveEvent(event);
}

void CWidgetContentSub::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_bHovered ? QColor(67, 129, 255) : QColor(225, 225, 225));
    painter.setBrush(m_bSelected ? QColor(67, 129, 255) : QColor(Qt::white));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}
