#include "views/settings/CUpdateMessageWidget.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QtDebug>

#include <limits>

namespace rj_app::views {

namespace {
// The form's own texts keep the form's translation context.
QString formText(const char *source)
{
    return QCoreApplication::translate("CUpdateMessageWidget", source);
}
} // namespace

CUpdateMessageWidget::CUpdateMessageWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);

    auto *tips = qobject_cast<QVBoxLayout *>(widgettips->layout());
    m_versionText = new QLabel(widgettips);
    m_versionText->setObjectName(QStringLiteral("m_versionText"));
    m_versionText->setWordWrap(true);
    m_downStatus = new QLabel(widgettips);
    m_downStatus->setObjectName(QStringLiteral("m_downStatus"));
    m_progressBar = new QProgressBar(widgettips);
    m_progressBar->setObjectName(QStringLiteral("m_progressBar"));
    m_progressBar->setFixedHeight(6);
    m_progressBar->setFormat(QString());
    m_progressBar->setTextVisible(false);
    m_downValue = new QLabel(widgettips);
    m_downValue->setObjectName(QStringLiteral("m_downValue"));
    tips->addWidget(m_versionText);
    tips->addWidget(m_downStatus);
    tips->addWidget(m_progressBar);
    tips->addWidget(m_downValue);

    helpers::CGeneralUtils::setStyle(this, QStringLiteral(":/resources/qss/update-message-widget.qss"));
    showFoundState();
}

CUpdateMessageWidget::~CUpdateMessageWidget() = default;

void CUpdateMessageWidget::setupUi()
{
    setObjectName(QStringLiteral("CUpdateMessageWidget"));
    setFixedSize(m_iBaseWidth, m_iBaseHeight);
    setWindowTitle(QString());
    auto *root = new QVBoxLayout(this);
    root->setSpacing(0);
    root->setContentsMargins(1, 1, 1, 1);

    Titlebar = new QFrame(this);
    Titlebar->setObjectName(QStringLiteral("Titlebar"));
    Titlebar->setFrameShape(QFrame::StyledPanel);
    Titlebar->setFixedHeight(28);
    auto *titleLayout = new QHBoxLayout(Titlebar);
    titleLayout->setSpacing(0);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    titleName = new QLabel(formText("Software Update"), Titlebar);
    titleName->setObjectName(QStringLiteral("titleName"));
    titleName->setFixedWidth(120);
    titleLayout->addWidget(titleName);
    titleLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    root->addWidget(Titlebar);

    widget = new QWidget(this);
    widget->setObjectName(QStringLiteral("widget"));
    auto *body = new QHBoxLayout(widget);
    body->setSpacing(5);
    body->setContentsMargins(10, 0, 10, 0);
    icon = new QLabel(widget);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setFixedSize(36, 36);
    body->addWidget(icon);
    widgettips = new QWidget(widget);
    widgettips->setObjectName(QStringLiteral("widgettips"));
    auto *tips = new QVBoxLayout(widgettips);
    tips->setSpacing(6);
    tips->setContentsMargins(0, 9, 0, 9);
    body->addWidget(widgettips);
    root->addWidget(widget);

    toolbar = new QFrame(this);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setFrameShape(QFrame::StyledPanel);
    toolbar->setFixedHeight(44);
    auto *bar = new QHBoxLayout(toolbar);
    bar->setSpacing(0);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, toolbar);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(80, 28);
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    m_pBtnNo = button("m_pBtnNo", formText("No"));
    m_pBtnYes = button("m_pBtnYes", formText("Yes"));
    m_pBtnCancel = button("m_pBtnCancel", formText("Cancel"));
    m_pBtnDown = button("m_pBtnDown", formText("Download"));
    bar->addWidget(m_pBtnNo);
    bar->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    bar->addWidget(m_pBtnYes);
    bar->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    bar->addWidget(m_pBtnCancel);
    bar->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    bar->addWidget(m_pBtnDown);
    bar->addItem(new QSpacerItem(20, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    root->addWidget(toolbar);

    QMetaObject::connectSlotsByName(this);
}

void CUpdateMessageWidget::showFoundState()
{
    m_versionText->show();
    m_downStatus->hide();
    m_progressBar->hide();
    m_downValue->hide();
    m_pBtnCancel->show();
    m_pBtnDown->show();
    m_pBtnNo->hide();
    m_pBtnYes->hide();
}

void CUpdateMessageWidget::showVersion(const QString &text)
{
    showFoundState();
    if (m_versionText->text().isEmpty())
        m_versionText->setText(text);
    show();
}

QString CUpdateMessageWidget::speedText(qlonglong bytesReceived, int timeMs)
{
    const double speed = timeMs > 0 ? double(bytesReceived) * 1000.0 / timeMs
                                    : std::numeric_limits<double>::infinity();
    double shown = speed;
    QString unit;
    if (speed < 1024) {
        unit = QStringLiteral("bytes/s");
    } else if (speed < 1024 * 1024) {
        shown = speed / 1024;
        unit = QStringLiteral("kB/s");
    } else {
        shown = speed / (1024 * 1024);
        unit = QStringLiteral("MB/s");
    }
    return QStringLiteral("%1 %2").arg(shown, 3, 'f', 1).arg(unit);
}

void CUpdateMessageWidget::setProgress(qlonglong bytesReceived, qlonglong bytesTotal, int time)
{
    // An unknown total (-1) shows a busy bar instead of a negative range.
    m_progressBar->setMaximum(bytesTotal > 0 ? int(qMin<qlonglong>(bytesTotal, INT_MAX)) : 0);
    m_progressBar->setValue(bytesTotal > 0 ? int(qMin<qlonglong>(bytesReceived, INT_MAX)) : 0);
    m_downValue->setText(speedText(bytesReceived, time));
}

void CUpdateMessageWidget::downfinish(bool succeed)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "succeed:" << succeed;
    if (succeed) {
        m_pBtnCancel->hide();
        m_pBtnDown->hide();
        m_pBtnNo->show();
        m_pBtnYes->show();
        m_downStatus->setText(tr("Do you want to install the latest software?"));
        m_progressBar->setMaximum(100);
        m_progressBar->setValue(100);
        m_downValue->clear();
        return;
    }
    showFoundState();
    m_versionText->setText(tr("download failed"));
}

void CUpdateMessageWidget::showCheckFailed(const QString &text)
{
    qInfo() << RJ_FUNCTION << __LINE__ << text;
    showFoundState();
    m_pBtnDown->hide();
    m_versionText->setText(text);
}

void CUpdateMessageWidget::on_m_pBtnDown_clicked()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    emit signal_DownLoad();
    m_versionText->hide();
    m_downStatus->show();
    m_progressBar->show();
    m_downValue->show();
    m_pBtnCancel->show();
    m_pBtnDown->hide();
    m_pBtnNo->hide();
    m_pBtnYes->hide();
    m_downStatus->setText(tr("Downloading the latest software"));
    m_progressBar->setMaximum(100);
    m_progressBar->setValue(0);
    m_downValue->setText(QStringLiteral("0.0/0.0"));
}

void CUpdateMessageWidget::on_m_pBtnCancel_clicked()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    emit signal_Cancel();
}

void CUpdateMessageWidget::on_m_pBtnYes_clicked()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    emit signal_Yes();
}

void CUpdateMessageWidget::on_m_pBtnNo_clicked()
{
    emit signal_No();
}

void CUpdateMessageWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(m_iBaseWidth, m_iBaseHeight, this);
    CBaseWgt::showEvent(event);
    centerWindow();
}

void CUpdateMessageWidget::onDpiChanged()
{
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    m_scaler.rescale(scale, this);
    const int titlePx = int(12 * scale);
    for (QWidget *w : {static_cast<QWidget *>(titleName), static_cast<QWidget *>(m_pBtnNo),
                       static_cast<QWidget *>(m_pBtnYes), static_cast<QWidget *>(m_pBtnCancel),
                       static_cast<QWidget *>(m_pBtnDown)}) {
        QFont f = titleName->font();
        f.setPixelSize(titlePx);
        w->setFont(f);
    }
    QFont textFont = m_versionText->font();
    textFont.setPixelSize(int(14 * scale));
    m_versionText->setFont(textFont);
    m_downStatus->setFont(textFont);
    m_downValue->setFont(textFont);
}

void CUpdateMessageWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !isMaximized()) {
        const QRect titleRect(Titlebar->pos() + Titlebar->parentWidget()->pos(), Titlebar->size());
        if (titleRect.contains(event->globalPos())) {
            m_bDragging = true;
            m_lastGlobalPos = event->globalPos();
        }
    }
    CBaseWgt::mousePressEvent(event);
}

void CUpdateMessageWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging) {
        move(pos() + event->globalPos() - m_lastGlobalPos);
        m_lastGlobalPos = event->globalPos();
    }
    CBaseWgt::mouseMoveEvent(event);
}

void CUpdateMessageWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    CBaseWgt::mouseReleaseEvent(event);
}

} // namespace rj_app::views
