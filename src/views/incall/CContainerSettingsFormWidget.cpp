#include "views/incall/CContainerSettingsFormWidget.h"

#include "ui_CContainerSettingsFormWidget.h"

#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"
#include "views/settings/CSettingsForm.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>
#include <QStyleOption>

namespace rj_app::views {

namespace {
const QString kStyleBase = QStringLiteral(":/resources/qss/container-settings-form-widget");
}

CContainerSettingsFormWidget::CContainerSettingsFormWidget(QWidget *parent)
    : CBaseWgt(parent)
    , ui(std::make_unique<Ui::CContainerSettingsFormWidget>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);

    m_pSettingsForm = new CSettingsForm(this);
    // The SIP page belongs to a skipped login only.
    m_pSettingsForm->setSipSettingsVisible(models::CLoginManager::getInstance()->m_loginStatus
                                           == enums::AnonymousLoggedIn);
    ui->verticalLayout_2->addWidget(m_pSettingsForm);

    connect(ui->m_pBtnClose, &QPushButton::clicked, this, &CContainerSettingsFormWidget::closeTheWindow);
}

CContainerSettingsFormWidget::~CContainerSettingsFormWidget() = default;

void CContainerSettingsFormWidget::setCurrentTab(int index)
{
    qInfo() << RJ_FUNCTION << index;
    if (m_pSettingsForm)
        m_pSettingsForm->setCurrentPage(index);
}

void CContainerSettingsFormWidget::centerWindow()
{
    CBaseWgt::centerWindow();
}

void CContainerSettingsFormWidget::closeTheWindow()
{
    qInfo() << RJ_FUNCTION;
    emit closeWindow();
    close();
}

void CContainerSettingsFormWidget::mousePressEvent(QMouseEvent *event)
{
    const QRect titleBar(ui->Titlebar->mapToGlobal(QPoint(0, 0)), ui->Titlebar->size());
    if (event->button() == Qt::LeftButton && !isMaximized() && titleBar.contains(event->globalPos())) {
        m_bDragging = true;
        m_iLastMouseX = event->globalX();
        m_iLastMouseY = event->globalY();
    }
    CBaseWgt::mousePressEvent(event);
}

void CContainerSettingsFormWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging) {
        move(x() + event->globalX() - m_iLastMouseX, y() + event->globalY() - m_iLastMouseY);
        m_iLastMouseX = event->globalX();
        m_iLastMouseY = event->globalY();
    }
    CBaseWgt::mouseMoveEvent(event);
}

void CContainerSettingsFormWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    CBaseWgt::mouseReleaseEvent(event);
}

void CContainerSettingsFormWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void CContainerSettingsFormWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
    centerWindow();
}

void CContainerSettingsFormWidget::onDpiChanged()
{
    qInfo() << RJ_FUNCTION << fStretchFactor;
    setStyleSheet(QString());
    m_pSettingsForm->updateDpi(fStretchFactor);
    setStyleSheets(kStyleBase);
    m_scaler.rescale(fStretchFactor, this);
}

} // namespace rj_app::views
