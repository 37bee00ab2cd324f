#include "views/main/CJoinConfDlg.h"

#include "ui_CJoinConfDlg.h"

#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "views/main/CJoinConfFlow.h"

#include <QDebug>
#include <QShowEvent>

namespace rj_app::views {

namespace {
const QString kStyleBase = QStringLiteral(":/resources/qss/join-conf-dlg");
}

CJoinConfDlg::CJoinConfDlg(const QString &confNumber, const QString &password, QWidget *parent)
    : CBaseDlg(parent)
    , ui(std::make_unique<Ui::CJoinConfDlg>())
    , m_qstrConfNumber(confNumber)
    , m_qstrPassword(password)
{
    ui->setupUi(this);
    initControls();
}

CJoinConfDlg::~CJoinConfDlg() = default;

void CJoinConfDlg::initControls()
{
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    ui->m_pWgtTitlebar->setAttribute(Qt::WA_StyledBackground);

    if (CJoinConfFlow::isAudioOnlyCallDisabled()) {
        ui->m_pBtnAudioJoin->hide();
        ui->m_pChkBoxDisableCamera->hide();
    }

    CJoinConfFlow::initCombo(ui->m_pCmbBoxConfNumber, this);
    updateTexts();

    connect(ui->m_pBtnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->m_pBtnVideoJoin, &QPushButton::clicked, this, &CJoinConfDlg::slotOnVideoJoin);
    connect(ui->m_pBtnAudioJoin, &QPushButton::clicked, this, &CJoinConfDlg::slotOnAudioJoin);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CJoinConfDlg::slotOnLanguageChanged);
}

// The texts set outside the form: number placeholder and join buttons.
void CJoinConfDlg::updateTexts()
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

void CJoinConfDlg::showEvent(QShowEvent *event)
{
    qDebug() << RJ_FUNCTION;
    if (m_qstrConfNumber.isEmpty()) {
        CJoinConfFlow::loadRecentNumbers(ui->m_pCmbBoxConfNumber);
    } else {
        ui->m_pCmbBoxConfNumber->setLineEditText(m_qstrConfNumber);
        ui->m_pCmbBoxConfNumber->setEnabled(false);
        ui->m_pEditPassword->setText(m_qstrPassword);
        ui->m_pEditPassword->setEnabled(false);
    }
    CJoinConfFlow::loadDeviceChoices(ui->m_pChkBoxDisableMic, ui->m_pChkBoxDisableCamera);
    qInfo() << RJ_FUNCTION << "Update control values, conf numbers count:" << ui->m_pCmbBoxConfNumber->count();

    m_scaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    // The size depends on the scale just applied.
    centerWindowOnScreen();
}

void CJoinConfDlg::onDpiChanged()
{
    setStyleSheet(QString());
    setStyleSheets(kStyleBase);
    m_scaler.rescale(fStretchFactor, this);
    dragAreaHeight = ui->m_pWgtTitlebar->height();
    ui->m_pCmbBoxConfNumber->setFontScale(fStretchFactor);
}

void CJoinConfDlg::slotOnVideoJoin()
{
    qInfo() << RJ_FUNCTION;
    joinConf(false);
}

void CJoinConfDlg::slotOnAudioJoin()
{
    qInfo() << RJ_FUNCTION;
    joinConf(true);
}

void CJoinConfDlg::joinConf(bool isAudioOnly)
{
    qInfo() << RJ_FUNCTION << "isAudioOnly:" << isAudioOnly;
    // A hidden camera box still counts, with the state that showEvent gave it.
    if (!CJoinConfFlow::join(ui->m_pCmbBoxConfNumber->currentText(), ui->m_pEditPassword->text(),
                             ui->m_pChkBoxDisableMic->isChecked(), ui->m_pChkBoxDisableCamera->isChecked(),
                             isAudioOnly))
        return;
    // The main-window manager may have closed the dialog already while the
    // dial ran; closing again changes nothing.
    close();
}

void CJoinConfDlg::slotOnLanguageChanged()
{
    ui->retranslateUi(this);
    updateTexts();
}

} // namespace rj_app::views
