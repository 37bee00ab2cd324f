#include "views/meetings/CConferencesToolBtn.h"

#include "views/meetings/MeetingsScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

CConferencesToolBtn::CConferencesToolBtn(QWidget *parent)
    : QWidget(parent)
{
    m_pLblIcon = new QLabel(this);
    m_pLblIcon->setFixedSize(30, 30);
    m_pLblText = new QLabel(this);

    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(0);
    layout->addSpacerItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout->addWidget(m_pLblIcon);
    layout->addSpacerItem(new QSpacerItem(10, 10, QSizePolicy::Fixed, QSizePolicy::Minimum));
    layout->addWidget(m_pLblText);
    layout->addSpacerItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    setCursor(Qt::PointingHandCursor);
}

void CConferencesToolBtn::setType(int type)
{
    m_type = type;
    applyCaption();
}

QString CConferencesToolBtn::caption() const
{
    return m_pLblText->text();
}

void CConferencesToolBtn::retranslate()
{
    if (m_type >= 0 && m_type <= 2)
        applyCaption();
}

void CConferencesToolBtn::applyCaption()
{
    switch (m_type) {
    case 0:
        m_pLblText->setText(tr("My room"));
        break;
    case 1:
        m_pLblText->setText(tr("Schedule meeting"));
        break;
    case 2:
        m_pLblText->setText(tr("Join meeting"));
        break;
    default:
        m_pLblText->setText(QString());
        break;
    }
    m_pLblText->adjustSize();
}

void CConferencesToolBtn::updateDpi(double scale)
{
    m_scale = meetings::normalScale(scale);
    static const char *const icons[] = {"icon_myroom", "icon_schedule", "icon_topjoin"};
    static const char *const fonts[] = {"font-size: 14px;", "font-size: 21px;", "font-size: 28px;"};
    if (m_type >= 0 && m_type <= 2) {
        m_pLblIcon->setStyleSheet(
            QStringLiteral("border-image: url(:/resources/images/conferences/%1.png);")
                .arg(QLatin1String(icons[m_type]) + meetings::imageSuffix(m_scale)));
    }
    const int side = meetings::scaled(30, m_scale);
    m_pLblIcon->setFixedSize(side, side);
    m_pLblText->setStyleSheet(QLatin1String(fonts[meetings::sizeSet(m_scale)]));
    m_pLblText->adjustSize();
    setStyleSheet(QStringLiteral("background: #ffffff"));
}

void CConferencesToolBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit signal_clicked();
}

void CConferencesToolBtn::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
