#include "views/annotation/CManagerButtonWidget.h"

#include <QLabel>
#include <QMouseEvent>

CManagerButtonWidget::CManagerButtonWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CManagerButtonWidget"));
    setFixedSize(88, 54);
    setAttribute(Qt::WA_StyledBackground);

    m_pImg = new QLabel(this);
    m_pImg->setObjectName(QStringLiteral("m_pImg"));
    m_pImg->setGeometry(30, 0, 28, 28);
    m_pImg->setFixedSize(28, 28);
    m_pImg->setStyleSheet(
        QStringLiteral("#m_pImg{border-image: url(:/resources/images/layout-operationbar/icon_detail.png);}"));

    m_pTitle = new QLabel(this);
    m_pTitle->setObjectName(QStringLiteral("m_pTitle"));
    m_pTitle->setGeometry(0, 36, 88, 15);
    m_pTitle->setStyleSheet(QStringLiteral("#m_pTitle{color: rgb(255, 255, 255);font-size: 12px;}"));
    m_pTitle->setAlignment(Qt::AlignBottom | Qt::AlignHCenter);
    m_pTitle->setText(tr("Management"));

    m_pNumber = new QLabel(this);
    m_pNumber->setObjectName(QStringLiteral("m_pNumber"));
    m_pNumber->setGeometry(45, 0, 30, 21);
    m_pNumber->setStyleSheet(
        QStringLiteral("#m_pNumber{color: rgb(255, 255, 255);background-color: rgba(255, 255, 255, 0);font-size: "
                       "12px;background-color: rgba(255, 255, 255, 0);}\n\n"));
    m_pNumber->setText(QStringLiteral("0"));
    m_pNumber->setAlignment(Qt::AlignCenter);

    setWindowTitle(tr("Form"));
}

CManagerButtonWidget::~CManagerButtonWidget() = default;

void CManagerButtonWidget::setNumber(const QString &number)
{
    m_pNumber->setText(number);
}

void CManagerButtonWidget::setTitle(const QString &title)
{
    m_pTitle->setText(title);
}

void CManagerButtonWidget::updateScale(double scale)
{
    const int side = static_cast<int>(28 * scale);
    m_pImg->setFixedSize(side, side);
    m_pImg->move(static_cast<int>(width() / 2 - 14 * scale), m_pImg->y());
    m_pNumber->setFixedSize(side, side);
    m_pNumber->move(static_cast<int>(width() / 2 + 5 * scale), m_pNumber->y());
    m_pTitle->setFixedSize(static_cast<int>(88 * scale), static_cast<int>(15 * scale));
    m_pTitle->move(0, height() - m_pTitle->height() - 5);

    QString fontSize;
    if (scale <= 1.0)
        fontSize = QStringLiteral("12px");
    else if (scale < 2.0)
        fontSize = QStringLiteral("18px");
    else
        fontSize = QStringLiteral("24px");
    m_pTitle->setStyleSheet(QStringLiteral("#m_pTitle{color: rgb(255, 255, 255);font-size: %1;}").arg(fontSize));
    m_pNumber->setStyleSheet(
        QStringLiteral("#m_pNumber{color: rgb(255, 255, 255);font-size: %1;background-color: rgba(255, 255, 255, 0);}")
            .arg(fontSize));
}

void CManagerButtonWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void CManagerButtonWidget::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    setStyleSheet(QStringLiteral("background-color:#474747;"));
}

void CManagerButtonWidget::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    setStyleSheet(QStringLiteral("background-color: rgb(28, 30, 32);"));
}
