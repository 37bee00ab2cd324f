#include "views/incall/CRemoteContentDlg.h"

#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "views/framework/AppStyles.h"

#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rj_app::views {

void CRemoteContentDlg::setupForm()
{
    setObjectName(QStringLiteral("CRemoteContentDlg"));
    resize(1280, 760);
    setMaximumSize(4096, 3112);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    m_pWgtTitleBar = new QWidget(this);
    m_pWgtTitleBar->setObjectName(QStringLiteral("m_pWgtTitleBar"));
    m_pWgtTitleBar->setFixedHeight(40);
    m_pWgtTitleBar->setAttribute(Qt::WA_StyledBackground);
    m_pWgtTitleBar->setStyleSheet(styles::DarkBackground);
    auto *titleLayout = new QHBoxLayout(m_pWgtTitleBar);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->setSpacing(0);

    m_pWgtTitlePanel = new QWidget(m_pWgtTitleBar);
    m_pWgtTitlePanel->setObjectName(QStringLiteral("m_pWgtTitlePanel"));
    m_pWgtTitlePanel->setAttribute(Qt::WA_StyledBackground);
    m_pWgtTitlePanel->setStyleSheet(styles::DarkBackground);
    auto *horizontalLayout_2 = new QHBoxLayout(m_pWgtTitlePanel);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    // Room on the left as wide as the buttons on the right keeps the title centred.
    horizontalLayout_2->setContentsMargins(120, 0, 0, 0);
    horizontalLayout_2->setSpacing(0);

    m_pLblTitle = new QLabel(m_pWgtTitlePanel);
    m_pLblTitle->setObjectName(QStringLiteral("m_pLblTitle"));
    m_pLblTitle->setAlignment(Qt::AlignCenter);
    m_pLblTitle->setStyleSheet(styles::TitleLabel);
    horizontalLayout_2->addWidget(m_pLblTitle, 1);

    auto makeButton = [this, horizontalLayout_2](const char *name, const QString &style) {
        auto *b = new QPushButton(m_pWgtTitlePanel);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(40, 40);
        b->setFocusPolicy(Qt::NoFocus);
        b->setStyleSheet(style);
        horizontalLayout_2->addWidget(b);
        return b;
    };
    m_pBtnMin = makeButton("m_pBtnMin", styles::MinimizeButton);
    m_pBtnMax = makeButton("m_pBtnMax", styles::MaximizeButton);
    m_pBtnRestore = makeButton("m_pBtnRestore", styles::RestoreButton);
    m_pBtnFullScreen = makeButton("m_pBtnFullScreen", styles::FullScreenButton);
    m_pBtnExitFullScreen = makeButton("m_pBtnExitFullScreen", styles::ExitFullScreenButton);
    titleLayout->addWidget(m_pWgtTitlePanel);
    root->addWidget(m_pWgtTitleBar);

    m_pWgtContent = new QWidget(this);
    m_pWgtContent->setObjectName(QStringLiteral("m_pWgtContent"));
    m_pWgtContent->setAttribute(Qt::WA_StyledBackground);
    m_pWgtContent->setStyleSheet(QStringLiteral("QWidget{background-color:#000;}"));
    m_pWgtContent->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    root->addWidget(m_pWgtContent, 1);
}

CRemoteContentDlg::CRemoteContentDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setupForm();
    setStyleSheet(styles::WhiteDialogFrame);
    setWindowFlags(windowFlags() | Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(tr("PRODUCT_NAME"));
    dragAreaHeight = m_pWgtTitleBar->height();
    m_pBtnMin->hide();
    m_pBtnRestore->hide();
    m_pBtnExitFullScreen->hide();

    connect(m_pBtnMin, &QPushButton::clicked, this, &CRemoteContentDlg::slotOnWinMin);
    connect(m_pBtnMax, &QPushButton::clicked, this, &CRemoteContentDlg::slotOnWinMax);
    connect(m_pBtnRestore, &QPushButton::clicked, this, &CRemoteContentDlg::slotOnWinRestore);
    connect(m_pBtnFullScreen, &QPushButton::clicked, this, &CRemoteContentDlg::slotOnFullScreen);
    connect(m_pBtnExitFullScreen, &QPushButton::clicked, this, &CRemoteContentDlg::slotOnExitFullScreen);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CRemoteContentDlg::slotOnLanguageChanged);
}

CRemoteContentDlg::~CRemoteContentDlg() = default;

void CRemoteContentDlg::setTitle(QString title)
{
    qInfo() << "CReceiveContentDlg::setTitle:" << title;
    m_title = title;
    m_pLblTitle->setText(title);
}

WId CRemoteContentDlg::getContentWindowId()
{
    return m_pWgtContent->winId();
}

void CRemoteContentDlg::slotOnWinMin()
{
    showMinimized();
}

void CRemoteContentDlg::slotOnWinMax()
{
    showMaximized();
}

void CRemoteContentDlg::slotOnWinRestore()
{
    showNormal();
}

void CRemoteContentDlg::slotOnFullScreen()
{
    showFullScreen();
}

void CRemoteContentDlg::slotOnExitFullScreen()
{
    showNormal();
}

void CRemoteContentDlg::retranslateUi()
{
    // The form's own texts are all empty.
    setWindowTitle(QString());
    m_pLblTitle->setText(QString());
}

void CRemoteContentDlg::slotOnLanguageChanged()
{
    qInfo() << RJ_FUNCTION;
    retranslateUi();
    // The title comes from the layout engine, which does not send it again.
    m_pLblTitle->setText(m_title);
}

void CRemoteContentDlg::changeEvent(QEvent *event)
{
    CBaseDlg::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        refreshWindowStateBtns();
}

void CRemoteContentDlg::showEvent(QShowEvent *event)
{
    refreshWindowStateBtns();
    CBaseDlg::showEvent(event);
}

void CRemoteContentDlg::refreshWindowStateBtns()
{
    const Qt::WindowStates state = windowState();
    qInfo("CReceiveContentDlg::refreshWindowStateBtns, windowState: %x", static_cast<unsigned>(state));
    if (state == Qt::WindowNoState) {
        m_pBtnMax->show();
        m_pBtnRestore->hide();
        m_pBtnFullScreen->show();
        m_pBtnExitFullScreen->hide();
    } else if (state == Qt::WindowMaximized) {
        m_pBtnMax->hide();
        m_pBtnRestore->show();
        m_pBtnFullScreen->show();
        m_pBtnExitFullScreen->hide();
    } else if (state == Qt::WindowFullScreen) {
        m_pBtnMax->hide();
        m_pBtnRestore->hide();
        m_pBtnFullScreen->hide();
        m_pBtnExitFullScreen->show();
    }
    // Minimised and combined states leave the buttons as they are.
}

} // namespace rj_app::views
