#include "views/annotation/WhiteBoard.h"

#include "views/annotation/DrawingPalette.h"

#include <QDebug>
#include <QPalette>
#include <QVBoxLayout>

WhiteBoard::WhiteBoard(QWidget *parent)
    : QWidget(parent)
{
    setupUi();
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = palette();
    pal.setBrush(QPalette::All, QPalette::Window, QBrush(QColor(0, 255, 0, 0), Qt::SolidPattern));
    setPalette(pal);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::Tool);
}

WhiteBoard::~WhiteBoard()
{
    qInfo() << "WhiteBoard::~WhiteBoard";
    qInfo() << "done";
}

void WhiteBoard::setupUi()
{
    setObjectName(QStringLiteral("WhiteBoard"));
    resize(837, 514);
    m_pVerticalLayout = new QVBoxLayout(this);
    m_pVerticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    m_pVerticalLayout->setSpacing(0);
    m_pVerticalLayout->setContentsMargins(0, 0, 0, 6);
    m_pBg = new QWidget(this);
    m_pBg->setObjectName(QStringLiteral("bg"));
    m_pBg->setStyleSheet(QStringLiteral("background-color: rgb(170, 85, 127, 0);"));
    m_pVerticalLayout2 = new QVBoxLayout(m_pBg);
    m_pVerticalLayout2->setObjectName(QStringLiteral("verticalLayout_2"));
    m_pVerticalLayout->addWidget(m_pBg);
    setWindowTitle(QString());
}

void WhiteBoard::setBgColor(const QString &color)
{
    m_pBg->setStyleSheet(QStringLiteral("#bg{background-color: ") + color + QStringLiteral("}"));
}

void WhiteBoard::clearBgColor()
{
    m_pBg->setStyleSheet(QStringLiteral("#bg{background-color: ") + QLatin1String(rj_app::views::kBoardTransparent)
                         + QStringLiteral("}"));
}

// The sheet paints nothing itself; only "bg" may show a colour.
void WhiteBoard::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
}

void WhiteBoard::showEvent(QShowEvent *event)
{
    qInfo() << "WhiteBoard::showEvent";
    QWidget::showEvent(event);
}

void WhiteBoard::hideEvent(QHideEvent *event)
{
    qInfo() << "WhiteBoard::hideEvent";
    QWidget::hideEvent(event);
}
