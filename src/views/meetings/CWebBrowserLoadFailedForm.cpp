#include "views/meetings/CWebBrowserLoadFailedForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {

QHBoxLayout *centredRow(QWidget *widget)
{
    auto *row = new QHBoxLayout();
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    row->addWidget(widget);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    return row;
}

} // namespace

CWebBrowserLoadFailedForm::CWebBrowserLoadFailedForm(QWidget *parent, Reason reason)
    : QWidget(parent)
    , m_reason(reason)
{
    setupUi();
    label->setStyleSheet(QStringLiteral("font-size: 12px;"));
    pBtReload->setStyleSheet(m_qstrBtnStyle.arg(12));
    pBtReload->setVisible(m_reason == PageNotLoaded);
    connect(pBtReload, &QPushButton::clicked, this, &CWebBrowserLoadFailedForm::signal_reload);
}

CWebBrowserLoadFailedForm::~CWebBrowserLoadFailedForm() = default;

void CWebBrowserLoadFailedForm::setupUi()
{
    setObjectName(QStringLiteral("CWebBrowserLoadFailedForm"));
    resize(764, 671);
    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    verticalLayout->addItem(new QSpacerItem(20, 132, QSizePolicy::Minimum, QSizePolicy::Expanding));

    label_failedpic = new QLabel(this);
    label_failedpic->setObjectName(QStringLiteral("label_failedpic"));
    label_failedpic->setFixedSize(452, 308);
    label_failedpic->setStyleSheet(
        QStringLiteral("border-image: url(:/resources/images/default_page_nonetwork.png);"));
    verticalLayout->addLayout(centredRow(label_failedpic));
    verticalLayout->addItem(new QSpacerItem(20, 5, QSizePolicy::Minimum, QSizePolicy::Fixed));

    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    label->setFixedHeight(30);
    label->setAlignment(Qt::AlignCenter);
    verticalLayout->addWidget(label);
    verticalLayout->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Fixed));

    pBtReload = new QPushButton(this);
    pBtReload->setObjectName(QStringLiteral("pBtReload"));
    pBtReload->setFixedSize(98, 28);
    pBtReload->setCursor(Qt::PointingHandCursor);
    verticalLayout->addLayout(centredRow(pBtReload));
    verticalLayout->addItem(new QSpacerItem(20, 132, QSizePolicy::Minimum, QSizePolicy::Expanding));
    retranslateUi();
}

void CWebBrowserLoadFailedForm::retranslateUi()
{
    switch (m_reason) {
    case NoWebComponents:
        label->setText(tr("Web pages cannot be shown: a part of the application is missing."));
        break;
    case RunningAsRoot:
        label->setText(tr("web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1"));
        break;
    default:
        label->setText(tr("Failed to load, please check your network."));
        break;
    }
    pBtReload->setText(tr("Reload"));
}

void CWebBrowserLoadFailedForm::updateDpi(double scale)
{
    m_scaler.init(width(), height(), this);
    m_scaler.rescale(scale, this, false);

    QString picture = QStringLiteral("border-image: url(:/resources/images/default_page_nonetwork.png);");
    int fontPx = 12;
    if (scale >= 2) {
        picture = QStringLiteral("border-image: url(:/resources/images/default_page_nonetwork_2x.png);");
        fontPx = 24;
    } else if (scale > 1) {
        picture = QStringLiteral("border-image: url(:/resources/images/default_page_nonetwork_1.5x.png);");
        fontPx = 18;
    }
    label_failedpic->setStyleSheet(picture);
    label->setStyleSheet(QStringLiteral("font-size: %1px;").arg(fontPx));
    pBtReload->setStyleSheet(m_qstrBtnStyle.arg(fontPx));
}

} // namespace rj_app::views
