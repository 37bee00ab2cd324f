#include "views/settings/CWebreportDetailsDlg.h"

#include "helpers/LogMacros.h"
#include "views/framework/AlertDlg.h"
#include "views/settings/CWebreportDataTableWidget.h"
#include "views/settings/CWebreportDetailsDlgUi.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

#include <utility>

namespace rj_app::views {

namespace {
const QString kStyleBase = QStringLiteral(":/resources/qss/webreport-details-dlg");
}

CWebreportDetailsDlg::CWebreportDetailsDlg(QWidget *parent, rj::engine::RJDiag diag, std::string diagText)
    : CBaseDlg(parent)
    , ui(new Ui::CWebreportDetailsDlg)
    , m_diag(std::move(diag))
    , m_strDiagText(std::move(diagText))
{
    ui->setupUi(this);

    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);

    CWebreportDataTableWidget *filler = CWebreportDataTableWidget::getInstance();
    filler->initDetailsTable(ui->m_pTableWgt);
    filler->fillDetailsTable(ui->m_pTableWgt, m_diag);

    connect(ui->m_BtnClose, &QPushButton::clicked, this, &CWebreportDetailsDlg::slotOnClose);
}

CWebreportDetailsDlg::~CWebreportDetailsDlg()
{
    qDebug() << RJ_FUNCTION;
    delete ui;
}

void CWebreportDetailsDlg::showEvent(QShowEvent *event)
{
    qDebug() << RJ_FUNCTION;
    m_layoutScaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    // The size depends on the scale just applied.
    centerWindowOnScreen();
}

void CWebreportDetailsDlg::onDpiChanged()
{
    setStyleSheet(QString());
    setStyleSheets(kStyleBase);
    m_layoutScaler.rescale(fStretchFactor, this);
    dragAreaHeight = ui->m_pWgtTitleBar->height();
    CWebreportDataTableWidget::getInstance()->updateDetailsTableDpi(ui->m_pTableWgt, fStretchFactor);
}

void CWebreportDetailsDlg::slotOnClose()
{
    close();
}

void CWebreportDetailsDlg::on_m_pBtnCopy_clicked()
{
    const QString text = QString::fromStdString(m_strDiagText);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    // Say so only when the text really is there: another client may have
    // kept the clipboard, and a claimed copy that did not happen loses data.
    if (clipboard->text(QClipboard::Clipboard) != text) {
        qWarning() << RJ_FUNCTION << "Clipboard did not take the diagnosis text";
        AlertDlg::execPrompt(this, tr("Prompt"), tr("Failed to copy details to the system clipboard"));
        return;
    }
    AlertDlg::execPrompt(this, tr("Prompt"), tr("Details have been copied to the system clipboard"));
}

} // namespace rj_app::views
