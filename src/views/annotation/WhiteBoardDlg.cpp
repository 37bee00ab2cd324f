#include "views/annotation/WhiteBoardDlg.h"

#include "helpers/LogMacros.h"
#include "views/annotation/WhiteBoardTopWidget.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {
constexpr int kTitleBarHeight = 28;
}

WhiteBoardDlg::WhiteBoardDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setObjectName(QStringLiteral("WhiteBoardDlg"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    resize(1280, 760);
    centerOnFirstShow = false;

    m_pLayout = new QVBoxLayout(this);
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pLayout->setSpacing(0);

    m_pWgtTitleBar = new QWidget(this);
    m_pWgtTitleBar->setObjectName(QStringLiteral("m_pWgtTitleBar"));
    m_pWgtTitleBar->setFixedHeight(kTitleBarHeight);
    auto *titleLayout = new QHBoxLayout(m_pWgtTitleBar);
    titleLayout->setContentsMargins(8, 0, 8, 0);
    m_pLblTitle = new QLabel(tr("Whiteboard"), m_pWgtTitleBar);
    titleLayout->addWidget(m_pLblTitle);
    titleLayout->addStretch();
    m_pBtnStop = new QPushButton(tr("Stop"), m_pWgtTitleBar);
    m_pBtnStop->setObjectName(QStringLiteral("m_pBtnStop"));
    m_pBtnStop->hide();
    titleLayout->addWidget(m_pBtnStop);
    m_pLayout->addWidget(m_pWgtTitleBar);
    dragAreaHeight = kTitleBarHeight;

    m_pWgtPage = new QWidget(this);
    m_pWgtPage->setObjectName(QStringLiteral("m_pWgtPage"));
    m_pWgtPage->setStyleSheet(QStringLiteral("#m_pWgtPage{background-color: #ffffff;}"));
    m_pLayout->addWidget(m_pWgtPage, 1);

    connect(m_pBtnStop, &QPushButton::clicked, this, &WhiteBoardDlg::sigHiddenWhiteBoard);
}

WhiteBoardDlg::~WhiteBoardDlg()
{
    qInfo() << RJ_FUNCTION;
}

void WhiteBoardDlg::isSendWhiteBoard(bool send)
{
    qInfo() << RJ_FUNCTION << send;
    m_bSending = send;
    m_pBtnStop->setVisible(send);
    if (!send) {
        if (m_pBoardTopWidget)
            m_pBoardTopWidget->hide();
        return;
    }
    if (!m_pBoardTopWidget) {
        m_pBoardTopWidget = new WhiteBoardTopWidget(this);
        m_pLayout->insertWidget(1, m_pBoardTopWidget, 0, Qt::AlignHCenter);
        connect(m_pBoardTopWidget, &WhiteBoardTopWidget::sigRefreshStatus, this,
                &WhiteBoardDlg::sigRefreshStatus);
        connect(m_pBoardTopWidget, &WhiteBoardTopWidget::sigClickManagerButton, this,
                &WhiteBoardDlg::sigClickManagerButton);
    }
    m_pBoardTopWidget->show();
}

void WhiteBoardDlg::updateWebPage()
{
    if (m_bHasPage && !m_bPageUsed) {
        qInfo() << RJ_FUNCTION << "page not used";
        return;
    }
    qInfo() << RJ_FUNCTION << "new page";
    m_bHasPage = true;
    m_bPageUsed = true;
}

void WhiteBoardDlg::hideTitleBar()
{
    m_pWgtTitleBar->hide();
    dragAreaHeight = 0;
}

void WhiteBoardDlg::releaseWebPage()
{
    qInfo() << RJ_FUNCTION;
    m_bHasPage = false;
    m_bPageUsed = false;
}

} // namespace rj_app::views
