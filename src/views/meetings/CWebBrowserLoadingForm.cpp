#include "views/meetings/CWebBrowserLoadingForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace rj_app::views {

CWebBrowserLoadingForm::CWebBrowserLoadingForm(QWidget *parent)
    : QWidget(parent)
    , m_pMovie(new QMovie)
{
    setupUi();
    label_laodgif->setMovie(m_pMovie);
    label_text->setStyleSheet(QStringLiteral("font-size: 12px;"));
}

CWebBrowserLoadingForm::~CWebBrowserLoadingForm()
{
    m_pMovie->stop();
    delete m_pMovie;
}

void CWebBrowserLoadingForm::setupUi()
{
    setObjectName(QStringLiteral("CWebBrowserLoadingForm"));
    resize(400, 300);
    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    verticalLayout->addItem(new QSpacerItem(20, 96, QSizePolicy::Minimum, QSizePolicy::Expanding));

    auto *row = new QHBoxLayout();
    row->setObjectName(QStringLiteral("horizontalLayout"));
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    label_laodgif = new QLabel(this);
    label_laodgif->setObjectName(QStringLiteral("label_laodgif"));
    label_laodgif->setFixedSize(70, 70);
    label_laodgif->setScaledContents(true);
    row->addWidget(label_laodgif);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    verticalLayout->addLayout(row);

    label_text = new QLabel(this);
    label_text->setObjectName(QStringLiteral("label_text"));
    label_text->setFixedHeight(30);
    label_text->setAlignment(Qt::AlignCenter);
    verticalLayout->addWidget(label_text);
    verticalLayout->addItem(new QSpacerItem(20, 96, QSizePolicy::Minimum, QSizePolicy::Expanding));
    retranslateUi();
}

void CWebBrowserLoadingForm::retranslateUi()
{
    label_text->setText(tr("Trying to load..."));
}

void CWebBrowserLoadingForm::updateDpi(double scale)
{
    m_scaler.init(width(), height(), this);
    m_scaler.rescale(scale, this, false);

    QString gif = m_qstrGif1x;
    int fontPx = 12;
    if (scale >= 2) {
        gif = m_qstrGif2x;
        fontPx = 24;
    } else if (scale > 1) {
        gif = m_qstrGif15x;
        fontPx = 18;
    }
    m_pMovie->stop();
    label_laodgif->clear();
    m_pMovie->setFileName(gif);
    label_text->setStyleSheet(QStringLiteral("font-size: %1px;").arg(fontPx));
    label_laodgif->setMovie(m_pMovie);
    m_pMovie->start();
}

} // namespace rj_app::views
