#include "views/incall/CallWaitingWidget.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {
const QString kStyle = QStringLiteral(":/resources/qss/call-waiting-widget.qss");
constexpr int kWidth = 1313;
constexpr int kHeight = 708;
constexpr int kMeetingNumberPx = 60;
constexpr int kPeopleNumberPx = 40;
} // namespace

void CallWaitingWidget::setupForm()
{
    setObjectName(QStringLiteral("CallWaitingWidget"));
    resize(kWidth, kHeight);
    setMaximumSize(4096, 3112);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    bg = new QWidget(this);
    bg->setObjectName(QStringLiteral("bg"));
    bg->setAttribute(Qt::WA_StyledBackground);
    bg->setStyleSheet(QStringLiteral("#bg{border-image: url(:/resources/images/background_default.png);}"));
    root->addWidget(bg);

    auto *body = new QVBoxLayout(bg);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    meetingNumber = new QLabel(bg);
    meetingNumber->setObjectName(QStringLiteral("meetingNumber"));
    meetingNumber->setAlignment(Qt::AlignCenter);
    meetingNumber->setFixedHeight(120);
    body->addWidget(meetingNumber);

    peopleNumber = new QLabel(bg);
    peopleNumber->setObjectName(QStringLiteral("peopleNumber"));
    peopleNumber->setAlignment(Qt::AlignCenter);
    peopleNumber->setFixedHeight(40);
    body->addWidget(peopleNumber);

    body->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Fixed));

    auto *row = new QHBoxLayout();
    row->setSpacing(0);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_pBtnHangup = new QPushButton(bg);
    m_pBtnHangup->setObjectName(QStringLiteral("m_pBtnHangup"));
    m_pBtnHangup->setFixedSize(100, 100);
    m_pBtnHangup->setCursor(Qt::PointingHandCursor);
    m_pBtnHangup->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_pBtnHangup);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    body->addLayout(row);
    body->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

CallWaitingWidget::CallWaitingWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupForm();
    setAttribute(Qt::WA_DeleteOnClose);
    // The call window's re-parenting replaces these flags.
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    helpers::CGeneralUtils::setStyle(this, kStyle);
    connect(m_pBtnHangup, &QPushButton::clicked, this, &CallWaitingWidget::slotOnHangUpAction);
}

CallWaitingWidget::~CallWaitingWidget() = default;

void CallWaitingWidget::onSetMeetingNumber(QString s)
{
    meetingNumber->setText(s);
}

void CallWaitingWidget::onSetPeopleNumber(QString s)
{
    if (s.isEmpty()) {
        peopleNumber->clear();
        return;
    }
    peopleNumber->setText(tr("Waiting...# ") + s + tr(" now"));
}

void CallWaitingWidget::slotOnHangUpAction()
{
    qInfo() << RJ_FUNCTION;
    emit sigHangUp();
}

void CallWaitingWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
}

void CallWaitingWidget::onDpiChanged()
{
    qInfo() << "CallWaitingWidget onDpiChanged:" << fStretchFactor;
    m_scaler.rescale(fStretchFactor, this, false);
    QFont meetingFont = meetingNumber->font();
    meetingFont.setPixelSize(static_cast<int>(kMeetingNumberPx * fStretchFactor));
    meetingNumber->setFont(meetingFont);
    QFont peopleFont = peopleNumber->font();
    peopleFont.setPixelSize(static_cast<int>(kPeopleNumberPx * fStretchFactor));
    peopleNumber->setFont(peopleFont);
}

} // namespace rj_app::views
