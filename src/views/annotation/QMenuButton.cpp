#include "views/annotation/QMenuButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {
const char kWhite[] = "white";
const char kBlue[] = "#4381ff";
const char kRed[] = "#ff4747";
const char kGrey[] = "#919191";
} // namespace

QMenuButton::QMenuButton(QWidget *parent)
    : QPushButton(parent)
{
    m_pText = new QLabel(this);
    m_pText->setFixedHeight(15);
    m_pText->setAlignment(Qt::AlignCenter);
    m_pText->setStyleSheet(QStringLiteral("color:white; font-size: 12px;"));
    m_pIcon = new QLabel(this);
    m_pIcon->setFixedSize(28, 28);
    m_pIcon->setStyleSheet(QStringLiteral("QLabel{border-image:url()}"));

    auto *iconLayout = new QVBoxLayout;
    iconLayout->setContentsMargins(30, 0, 0, 0);
    iconLayout->addWidget(m_pIcon);
    auto *textLayout = new QVBoxLayout;
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->setSpacing(0);
    textLayout->addWidget(m_pText);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(iconLayout);
    outer->addLayout(textLayout);

    setFixedSize(88, 54);
    setStyleSheet(QStringLiteral("border:none"));
}

QMenuButton::~QMenuButton() = default;

void QMenuButton::setLabelText(const QString &text)
{
    m_pText->setText(text);
}

void QMenuButton::setNormalIcon(const QString &path)
{
    m_strNormalIcon = path;
    showIcon(m_strNormalIcon);
}

void QMenuButton::setOnIcon(const QString &path)
{
    m_strOnIcon = path;
}

void QMenuButton::setOffState()
{
    showIcon(m_strNormalIcon);
    showCaption(kWhite);
    m_iState = 0;
    m_bOn = false;
}

void QMenuButton::setOnState()
{
    showIcon(m_strOnIcon);
    showCaption(kRed);
    m_iState = 2;
    m_bOn = true;
}

void QMenuButton::updateScale(double scale)
{
    if (scale <= 1.0)
        m_strFontSize = QStringLiteral("12px");
    else if (scale < 2.0)
        m_strFontSize = QStringLiteral("18px");
    else
        m_strFontSize = QStringLiteral("24px");
    showCaption(m_bCheckable && m_iState != 0 ? kRed : kWhite);
}

QString QMenuButton::captionStyle() const
{
    return m_pText->styleSheet();
}

QString QMenuButton::iconStyle() const
{
    return m_pIcon->styleSheet();
}

void QMenuButton::showIcon(const QString &path)
{
    m_pIcon->setStyleSheet(QStringLiteral("QLabel{border-image:url(") + path + QStringLiteral(")}"));
}

void QMenuButton::showCaption(const char *colour)
{
    m_pText->setStyleSheet(QStringLiteral("color:%1; font-size: %2;").arg(QLatin1String(colour), m_strFontSize));
}

void QMenuButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bPressed = true;
    if (m_bCheckable) {
        m_bOnBeforePress = m_iState == 2;
        if (m_iState == 2)
            setOffState();
        else
            setOnState();
    } else {
        showIcon(m_strOnIcon);
        showCaption(kBlue);
        m_iState = 2;
    }
}

void QMenuButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_bPressed)
        return;
    if (!rect().contains(event->pos())) {
        // No click happened: a two-state button must not show a state its
        // owner never heard of.
        m_bPressed = false;
        if (m_bCheckable) {
            if (m_bOnBeforePress)
                setOnState();
            else
                setOffState();
        }
        return;
    }
    m_bPressed = false;
    if (!m_bCheckable) {
        m_iState = 1;
        showIcon(m_strNormalIcon);
        showCaption(kWhite);
    }
    emit clicked(false);
}

void QMenuButton::enterEvent(QEvent *event)
{
    QPushButton::enterEvent(event);
    setStyleSheet(QStringLiteral("background-color:#474747;"));
    if (!m_bCheckable) {
        m_iState = 1;
        showCaption(kGrey);
    }
    update();
}

void QMenuButton::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    if (!m_bCheckable) {
        m_iState = 0;
        showIcon(m_strNormalIcon);
        showCaption(kWhite);
    } else if (m_iState != 2) {
        showIcon(m_strNormalIcon);
        showCaption(kWhite);
    }
    setStyleSheet(QStringLiteral("background-color: rgb(28, 30, 32);"));
}
