#include "views/annotation/WhiteBoard.h"

#include "platform/CInputShape.h"
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
    m_pBg->setStyleSheet(QStringLiteral("background-color: rgba(170, 85, 127, 0);"));
    m_pVerticalLayout2 = new QVBoxLayout(m_pBg);
    m_pVerticalLayout2->setObjectName(QStringLiteral("verticalLayout_2"));
    m_pVerticalLayout->addWidget(m_pBg);
    setWindowTitle(QString());
}

void WhiteBoard::setBgColor(const QString &color)
{
    const QColor parsed = rj_app::views::boardColor(color);
    if (!parsed.isValid()) {
        qWarning() << "WhiteBoard::setBgColor" << "not a board colour:" << color;
        return;
    }
    applyColor(parsed);
}

void WhiteBoard::clearBgColor()
{
    applyColor(rj_app::views::boardColor(QLatin1String(rj_app::views::kBoardTransparent)));
}

void WhiteBoard::applyColor(const QColor &color)
{
    m_pBg->setStyleSheet(QStringLiteral("#bg{background-color: ") + rj_app::views::styleSheetColor(color)
                         + QStringLiteral("}"));
    m_bTakesMouse = color.alpha() != 0;
    updateInputRegion();
}

void WhiteBoard::updateInputRegion()
{
    // Without a native window there is nothing to shape yet; the show does it.
    if (!testAttribute(Qt::WA_WState_Created))
        return;
    // The strip under "bg" stays transparent, so it lets the mouse through too.
    rj_app::platform::CInputShape::setInputRegion(this, m_bTakesMouse ? QRegion(m_pBg->geometry()) : QRegion());
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
    updateInputRegion();
}

void WhiteBoard::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateInputRegion();
}

void WhiteBoard::hideEvent(QHideEvent *event)
{
    qInfo() << "WhiteBoard::hideEvent";
    QWidget::hideEvent(event);
}
