#include "views/incall/CConfMngtDlg.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "views/meetings/CWebPageHost.h"
#include "views/meetings/WebComponents.h"

#include <QCloseEvent>
#include <QDebug>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {
constexpr int kBaseWidth = 662;
constexpr int kBaseHeight = 570;
constexpr int kTitleBarHeight = 28;
} // namespace

CConfMngtDlg::CConfMngtDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    qInfo() << RJ_FUNCTION;
    m_pWebForm = WebComponents::createWebBrowserWrapperForm(enums::ConfControl, nullptr);
    setupForm();
    setWindowTitle(tr("PRODUCT_NAME"));
    setWindowFlags(Qt::FramelessWindowHint);
    helpers::CGeneralUtils::setStyle(this, QStringLiteral(":/resources/qss/conf-mngt-dlg.qss"));
    dragAreaHeight = kTitleBarHeight;
    m_pBtnRestore->hide();

    connect(m_pBtnMax, &QPushButton::clicked, this, &CConfMngtDlg::slotOnWinMax);
    connect(m_pBtnRestore, &QPushButton::clicked, this, &CConfMngtDlg::slotOnWinRestore);
    connect(m_pBtnClose, &QPushButton::clicked, this, &CConfMngtDlg::slotOnWinClose);
    qInfo() << RJ_FUNCTION << "done";
}

CConfMngtDlg::~CConfMngtDlg() = default;

void CConfMngtDlg::setupForm()
{
    setObjectName(QStringLiteral("CConfMngtDlg"));
    resize(kBaseWidth, kBaseHeight);
    auto *root = new QVBoxLayout(this);
    root->setObjectName(QStringLiteral("verticalLayout"));
    root->setContentsMargins(1, 1, 1, 1);
    root->setSpacing(0);

    m_pWgtTitleBar = new QWidget(this);
    m_pWgtTitleBar->setObjectName(QStringLiteral("m_pWgtTitleBar"));
    m_pWgtTitleBar->setAttribute(Qt::WA_StyledBackground);
    m_pWgtTitleBar->setFixedHeight(kTitleBarHeight);
    auto *titleLayout = new QHBoxLayout(m_pWgtTitleBar);
    titleLayout->setObjectName(QStringLiteral("horizontalLayout"));
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->setSpacing(0);
    titleLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    const auto titleButton = [this, titleLayout](const char *name) {
        auto *button = new QPushButton(m_pWgtTitleBar);
        button->setObjectName(QLatin1String(name));
        button->setFixedSize(kTitleBarHeight, kTitleBarHeight);
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
        titleLayout->addWidget(button);
        return button;
    };
    m_pBtnMax = titleButton("m_pBtnMax");
    m_pBtnRestore = titleButton("m_pBtnRestore");
    m_pBtnClose = titleButton("m_pBtnClose");
    root->addWidget(m_pWgtTitleBar);

    m_pLayoutContext = new QVBoxLayout();
    m_pLayoutContext->setObjectName(QStringLiteral("m_pLayoutContext"));
    m_pLayoutContext->setContentsMargins(0, 0, 0, 0);
    m_pLayoutContext->setSpacing(0);
    m_pLayoutContext->addWidget(m_pWebForm);
    root->addLayout(m_pLayoutContext, 1);
}

void CConfMngtDlg::updatePage()
{
    m_pWebForm->updatePage();
}

void CConfMngtDlg::releaseCurrentPage()
{
    m_pWebForm->releaseCurrentPage();
}

void CConfMngtDlg::slotOnWinMax()
{
    qInfo() << RJ_FUNCTION;
    if (!m_maximize.maximize(this))
        return;
    m_pBtnMax->hide();
    m_pBtnRestore->show();
}

void CConfMngtDlg::slotOnWinRestore()
{
    qInfo() << RJ_FUNCTION;
    m_pBtnMax->show();
    m_pBtnRestore->hide();
    m_maximize.restore(this);
}

void CConfMngtDlg::slotOnWinClose()
{
    qInfo() << RJ_FUNCTION;
    close();
}

void CConfMngtDlg::moveEvent(QMoveEvent *event)
{
    // Dragging the maximised window by its title bar gives it back its size.
    if (m_bDrag && m_maximize.isMaximized())
        slotOnWinRestore();
    CBaseDlg::moveEvent(event);
}

void CConfMngtDlg::closeEvent(QCloseEvent *event)
{
    qInfo() << RJ_FUNCTION;
    event->ignore();
    emit sigClose();
}

void CConfMngtDlg::showEvent(QShowEvent *event)
{
    qInfo() << RJ_FUNCTION;
    setAttribute(Qt::WA_Mapped);
    m_layoutScaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    centerWindowOnScreen();
}

void CConfMngtDlg::hideEvent(QHideEvent *event)
{
    qInfo() << RJ_FUNCTION;
    CBaseDlg::hideEvent(event);
}

void CConfMngtDlg::changeEvent(QEvent *event)
{
    // The window system's states are not used: maximise is emulated.
    if (event->type() == QEvent::WindowStateChange)
        return;
    CBaseDlg::changeEvent(event);
}

void CConfMngtDlg::onDpiChanged()
{
    qInfo() << RJ_FUNCTION << fStretchFactor;
    m_layoutScaler.rescale(fStretchFactor, this, !m_maximize.isMaximized());
    m_pWebForm->updateDpi(fStretchFactor);
}

} // namespace rj_app::views
