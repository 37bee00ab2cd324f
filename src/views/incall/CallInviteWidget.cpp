#include "views/incall/CallInviteWidget.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {
const QString kStyleBase = QStringLiteral(":/resources/qss/call-invite-widget");
const QString kHeadImage = QStringLiteral(":/resources/images/default_user_header.jpg");
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kMaxWidth = 4096;
constexpr int kMaxHeight = 3112;
} // namespace

void CallInviteWidget::setupForm()
{
    setObjectName(QStringLiteral("CallInviteWidget"));
    resize(kWidth, kHeight);
    setMaximumSize(kMaxWidth, kMaxHeight);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    callBg = new QWidget(this);
    callBg->setObjectName(QStringLiteral("callBg"));
    callBg->setAttribute(Qt::WA_StyledBackground);
    callBg->setStyleSheet(
        QStringLiteral("#callBg{border-image: url(:/resources/images/background_default.png);}"));
    root->addWidget(callBg);

    auto *body = new QVBoxLayout(callBg);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    auto *headRow = new QHBoxLayout();
    headRow->setSpacing(0);
    headRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    headImg = new QLabel(callBg);
    headImg->setObjectName(QStringLiteral("headImg"));
    headImg->setFixedSize(120, 120);
    headRow->addWidget(headImg);
    headRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    body->addLayout(headRow);

    inviteInfo = new QLabel(callBg);
    inviteInfo->setObjectName(QStringLiteral("inviteInfo"));
    inviteInfo->setAlignment(Qt::AlignCenter);
    inviteInfo->setFixedHeight(60);
    body->addWidget(inviteInfo);

    confNumber = new QLabel(callBg);
    confNumber->setObjectName(QStringLiteral("confNumber"));
    confNumber->setAlignment(Qt::AlignCenter);
    confNumber->setFixedHeight(120);
    body->addWidget(confNumber);

    auto *buttons = new QHBoxLayout();
    buttons->setSpacing(80);
    buttons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    auto makeButton = [this, buttons](const char *name) {
        auto *b = new QPushButton(callBg);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(120, 120);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(b);
        return b;
    };
    m_pBtnAudioAccept = makeButton("m_pBtnAudioAccept");
    m_pBtnHangup = makeButton("m_pBtnHangup");
    m_pBtnVideoAccept = makeButton("m_pBtnVideoAccept");
    buttons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    body->addLayout(buttons);
    body->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

CallInviteWidget::CallInviteWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupForm();
    setAttribute(Qt::WA_DeleteOnClose);
    connect(m_pBtnAudioAccept, &QPushButton::clicked, this, &CallInviteWidget::slotOnAudioAccept);
    connect(m_pBtnVideoAccept, &QPushButton::clicked, this, &CallInviteWidget::slotOnVideoAccept);
    connect(m_pBtnHangup, &QPushButton::clicked, this, &CallInviteWidget::slotOnHangUpAction);
}

CallInviteWidget::~CallInviteWidget() = default;

void CallInviteWidget::onSetMeetingNumber(QString number)
{
    confNumber->setText(number);
}

void CallInviteWidget::setIsAudioOnlyCall(bool isAudioOnly)
{
    qInfo() << RJ_FUNCTION << "isAudioOnly:" << isAudioOnly;
    m_pBtnVideoAccept->setVisible(!isAudioOnly);
}

void CallInviteWidget::slotOnAudioAccept()
{
    qInfo() << RJ_FUNCTION;
    emit sigAcceptCall(true);
}

void CallInviteWidget::slotOnVideoAccept()
{
    qInfo() << RJ_FUNCTION;
    emit sigAcceptCall(false);
}

void CallInviteWidget::slotOnHangUpAction()
{
    qInfo() << "slotOnHangUpAction";
    emit sigHangUp();
}

void CallInviteWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
}

void CallInviteWidget::hideEvent(QHideEvent *event)
{
    qDebug() << RJ_FUNCTION;
    CBaseWgt::hideEvent(event);
}

void CallInviteWidget::onDpiChanged()
{
    qInfo() << RJ_FUNCTION << fStretchFactor;
    setStyleSheet(QString());
    setStyleSheets(kStyleBase);
    m_scaler.rescale(fStretchFactor, this, false);
    // A square label and half-size radii: the picture shows as a circle.
    const int w = headImg->width();
    const int h = headImg->height();
    helpers::CGeneralUtils::drawRectroundImageOnLabel(headImg, kHeadImage, w, h, w / 2, h / 2, false);
}

} // namespace rj_app::views
