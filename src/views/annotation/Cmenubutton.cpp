#include "views/annotation/Cmenubutton.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>

namespace {

QString fontSizeOf(double scale)
{
    if (scale <= 1.0)
        return QStringLiteral("10px");
    if (scale < 2.0)
        return QStringLiteral("15px");
    return QStringLiteral("20px");
}

} // namespace

Cmenubutton::Cmenubutton(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Cmenubutton"));
    resize(46, 46);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_StyledBackground);

    m_pVerticalLayout = new QVBoxLayout(this);
    m_pVerticalLayout->setObjectName(QStringLiteral("verticalLayout_2"));
    m_pVerticalLayout->setSpacing(0);
    m_pVerticalLayout->setContentsMargins(0, 0, 0, 0);

    m_pImgBg = new QWidget(this);
    m_pImgBg->setObjectName(QStringLiteral("cImgBg"));
    m_pImgLayout = new QHBoxLayout(m_pImgBg);
    m_pImgLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_pImgLayout->setSpacing(0);
    m_pImgLayout->setContentsMargins(0, 0, 0, 0);
    m_pImg = new QLabel(m_pImgBg);
    m_pImg->setObjectName(QStringLiteral("cmenuBttonImg"));
    m_pImg->setFixedSize(29, 29);
    m_pImgLayout->addWidget(m_pImg, 0, Qt::AlignCenter);
    m_pVerticalLayout->addWidget(m_pImgBg);

    m_pCaption = new QLabel(this);
    m_pCaption->setObjectName(QStringLiteral("cmenuButtonLb"));
    m_pCaption->setFixedHeight(17);
    m_pCaption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_pCaption->setStyleSheet(QStringLiteral("#cmenuButtonLb{color: rgb(255, 255, 255); font-size: 12px;}"));
    m_pVerticalLayout->addWidget(m_pCaption);
}

Cmenubutton::~Cmenubutton() = default;

void Cmenubutton::setNormalImage(const QString &basePath)
{
    m_strNormalImage = basePath;
    showImage(m_strNormalImage);
}

void Cmenubutton::setClickImage(const QString &basePath)
{
    m_strClickImage = basePath;
}

void Cmenubutton::setText(const QString &text)
{
    m_pCaption->setText(text);
}

void Cmenubutton::setNormal()
{
    m_iState = 0;
    showImage(m_strNormalImage);
    showWhiteCaption();
}

void Cmenubutton::setSelected()
{
    m_iState = 2;
    showImage(m_strClickImage);
    showBlueCaption();
}

void Cmenubutton::onDpiUpDate(double scale)
{
    m_dScale = scale;
    // The backslash keeps the style-sheet parser from reading "@" as a rule.
    if (scale <= 1.0)
        m_strSuffix = QStringLiteral(".png");
    else if (scale < 2.0)
        m_strSuffix = QStringLiteral("\\@1.5x.png");
    else
        m_strSuffix = QStringLiteral("\\@2x.png");

    if (m_bSelectable && m_iState == 2) {
        showImage(m_strClickImage);
        showBlueCaption();
    } else {
        showImage(m_strNormalImage);
        showWhiteCaption();
    }
    qInfo() << "cmenuBttonImg url:" << m_pImg->styleSheet();

    m_pCaption->setMinimumHeight(static_cast<int>(20 * scale));
    const int side = static_cast<int>(26 * scale);
    m_pImg->setFixedSize(side, side);
}

QString Cmenubutton::imageStyle() const
{
    return m_pImg->styleSheet();
}

QString Cmenubutton::captionStyle() const
{
    return m_pCaption->styleSheet();
}

void Cmenubutton::showImage(const QString &basePath)
{
    m_pImg->setStyleSheet(QStringLiteral("QLabel{border-image:url(") + basePath + m_strSuffix + QStringLiteral(")}"));
}

void Cmenubutton::showWhiteCaption()
{
    m_pCaption->setStyleSheet(QStringLiteral("font-size: %1; color:white").arg(fontSizeOf(m_dScale)));
}

void Cmenubutton::showBlueCaption()
{
    m_pCaption->setStyleSheet(QStringLiteral("font-size: %1; color:#4381ff").arg(fontSizeOf(m_dScale)));
}

void Cmenubutton::setHoverBackground(bool hovered)
{
    const QString style =
        hovered ? QStringLiteral("background-color:#474747;") : QStringLiteral("background-color: rgb(28, 30, 32);");
    setStyleSheet(style);
    m_pImgBg->setStyleSheet(style);
}

void Cmenubutton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bPressed = true;
    if (m_bSelectable && m_iState == 2) {
        m_iState = 0;
        showImage(m_strNormalImage);
        m_pCaption->setStyleSheet(QStringLiteral("font-size: %1; color:white").arg(fontSizeOf(m_dScale)));
    } else {
        setSelected();
    }
    emit btnClicked();
}

void Cmenubutton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_bPressed || !rect().contains(event->pos()))
        return;
    m_bPressed = false;
    if (!m_bSelectable) {
        m_iState = 1;
        showImage(m_strNormalImage);
        showWhiteCaption();
    }
}

void Cmenubutton::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    setHoverBackground(true);
}

void Cmenubutton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (!m_bSelectable) {
        m_iState = 0;
        showImage(m_strNormalImage);
        showWhiteCaption();
    } else if (m_iState != 2) {
        showImage(m_strNormalImage);
        showWhiteCaption();
    }
    setHoverBackground(false);
}
