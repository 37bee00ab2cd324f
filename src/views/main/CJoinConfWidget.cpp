#include "views/main/CJoinConfWidget.h"

#include "ui_CJoinConfWidget.h"

#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "views/main/CJoinConfFlow.h"

#include <QDebug>
#include <QShowEvent>

namespace rj_app::views {

namespace {
const QString kStyleBase = QStringLiteral(":/resources/qss/join-conf-widget");
}

CJoinConfWidget::CJoinConfWidget(QWidget *parent)
    : CBaseWgt(parent)
    , ui(std::make_unique<Ui::CJoinConfWidget>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    CJoinConfFlow::initCombo(ui->m_pCmbBoxConfNumber, this);
    updateTexts();

    connect(ui->m_pBtnVideoJoin, &QPushButton::clicked, this, &CJoinConfWidget::slotOnVideoJoin);
    connect(ui->m_pBtnAudioJoin, &QPushButton::clicked, this, &CJoinConfWidget::slotOnAudioJoin);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CJoinConfWidget::slotOnLanguageChanged);
}

CJoinConfWidget::~CJoinConfWidget() = default;

// The texts set outside the form: number placeholder and join buttons.
void CJoinConfWidget::updateTexts()
{
    ui->m_pCmbBoxConfNumber->setPlaceholderText(tr("Input meeting ID"));
    ui->m_pChkBoxDisableMic->adjustSize();
    ui->m_pChkBoxDisableCamera->adjustSize();
    if (CJoinConfFlow::isAudioOnlyCallDisabled()) {
        ui->m_pBtnVideoJoin->setText(tr("Join"));
    } else {
        ui->m_pBtnVideoJoin->setText(tr("Video Join"));
        ui->m_pBtnAudioJoin->setText(tr("Audio Join"));
    }
}

// The scale comes from the home window (updateDpi), not from the screen.
void CJoinConfWidget::showEvent(QShowEvent *event)
{
    qDebug() << RJ_FUNCTION;
    if (CJoinConfFlow::isAudioOnlyCallDisabled()) {
        ui->m_pBtnAudioJoin->hide();
        ui->m_pChkBoxDisableCamera->hide();
    }
    CJoinConfFlow::loadRecentNumbers(ui->m_pCmbBoxConfNumber);
    ui->m_pEditPassword->clear();
    CJoinConfFlow::loadDeviceChoices(ui->m_pChkBoxDisableMic, ui->m_pChkBoxDisableCamera);
    qInfo() << RJ_FUNCTION << "Update control values, conf numbers count:" << ui->m_pCmbBoxConfNumber->count();
    QWidget::showEvent(event);
}

void CJoinConfWidget::updateDpi(double scale)
{
    fStretchFactor = scale > 0 ? scale : 1;
    setStyleSheet(QString());
    setStyleSheets(kStyleBase);
    ui->m_pCmbBoxConfNumber->setFontScale(fStretchFactor);
}

void CJoinConfWidget::slotOnVideoJoin()
{
    qInfo() << RJ_FUNCTION;
    joinConf(false);
}

void CJoinConfWidget::slotOnAudioJoin()
{
    qInfo() << RJ_FUNCTION;
    joinConf(true);
}

void CJoinConfWidget::joinConf(bool isAudioOnly)
{
    qInfo() << RJ_FUNCTION << "isAudioOnly:" << isAudioOnly;
    CJoinConfFlow::join(ui->m_pCmbBoxConfNumber->currentText(), ui->m_pEditPassword->text(),
                        ui->m_pChkBoxDisableMic->isChecked(), ui->m_pChkBoxDisableCamera->isChecked(), isAudioOnly);
}

void CJoinConfWidget::slotOnLanguageChanged()
{
    ui->retranslateUi(this);
    updateTexts();
}

} // namespace rj_app::views
