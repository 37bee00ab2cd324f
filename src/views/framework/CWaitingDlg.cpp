#include "views/framework/CWaitingDlg.h"

#include "views/framework/CAppLifetimeInstance.h"

#include "helpers/CGeneralUtils.h"

#include <QApplication>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QVBoxLayout>

namespace rj_app::views {

CWaitingDlg::CWaitingDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setObjectName(QStringLiteral("CWaitingDlg"));
    resize(400, 300);
    auto *root = new QVBoxLayout(this);
    auto *row = new QHBoxLayout();
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_pLblDisplay = new QLabel(this);
    m_pLblDisplay->setObjectName(QStringLiteral("m_pLblDisplay"));
    row->addWidget(m_pLblDisplay);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    root->addLayout(row);

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    m_pMovie = new QMovie();
    m_qstrGif1x = QStringLiteral(":/resources/images/waiting.gif");
    m_qstrGif15x = QStringLiteral(":/resources/images/waiting_1.5x.gif");
    m_qstrGif2x = QStringLiteral(":/resources/images/waiting_2x.gif");
    helpers::CGeneralUtils::setStyle(this, QStringLiteral(":/resources/qss/waiting-dlg.qss"));
    setWindowOpacity(0.7);
}

CWaitingDlg::~CWaitingDlg()
{
    m_pLblDisplay->setMovie(nullptr);
    delete m_pMovie;
}

CWaitingDlg *CWaitingDlg::getInstance()
{
    static CAppLifetimeInstance<CWaitingDlg> s_instance;
    return s_instance.get([] {
        auto *dlg = new CWaitingDlg(nullptr);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, dlg, &QObject::deleteLater);
        return dlg;
    });
}

void CWaitingDlg::setScaledFixedSize(int width, int height)
{
    setFixedSize(static_cast<int>(width * fStretchFactor), static_cast<int>(height * fStretchFactor));
}

void CWaitingDlg::mouseMoveEvent(QMouseEvent *event)
{
    Q_UNUSED(event) // the overlay is not dragged
}

void CWaitingDlg::showEvent(QShowEvent *event)
{
    CBaseDlg::showEvent(event);
    QString gif;
    if (fStretchFactor < 1.0 || helpers::CGeneralUtils::isDoubleEqual(fStretchFactor, 1.0))
        gif = m_qstrGif1x;
    else if (fStretchFactor < 2.0)
        gif = m_qstrGif15x;
    else
        gif = m_qstrGif2x;
    m_pMovie->stop();
    m_pMovie->setFileName(gif);
    m_pLblDisplay->setMovie(m_pMovie);
    m_pMovie->start();
}

void CWaitingDlg::hideEvent(QHideEvent *event)
{
    m_pMovie->stop();
    m_pLblDisplay->clear();
    CBaseDlg::hideEvent(event);
}

} // namespace rj_app::views
