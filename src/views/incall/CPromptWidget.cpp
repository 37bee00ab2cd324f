#include "views/incall/CPromptWidget.h"

#include "helpers/LogMacros.h"

#include <QDebug>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QTimer>

namespace rj_app::views {

namespace {
constexpr int kHorizontalPadding = 30;
constexpr int kPlateHeight = 50;
} // namespace

CPromptWidget::CPromptWidget(QWidget *parent)
    : CBaseWgt(parent)
    , m_pTimer(std::make_unique<QTimer>())
{
    setObjectName(QStringLiteral("CPromptWidget"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("m_text"));
    m_text->setStyleSheet(QStringLiteral("border: none; background: transparent; padding: 0px; margin: 0px;"));
    m_text->setText(QStringLiteral("test"));
    m_pTimer->setSingleShot(false);
    connect(m_pTimer.get(), &QTimer::timeout, this, &CPromptWidget::slot_Timer);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

// The timer has no parent: it goes with the prompt and never fires into a
// deleted one.
CPromptWidget::~CPromptWidget() = default;

double CPromptWidget::scale() const
{
    // Before the first show the screen's scale is not known yet.
    return fStretchFactor > 0 ? fStretchFactor : 1.0;
}

void CPromptWidget::fitSize()
{
    const QFontMetrics metrics(m_text->font());
    const int textWidth = metrics.horizontalAdvance(m_text->text());
    m_text->setFixedSize(textWidth, metrics.height());
    const double s = scale();
    setFixedSize(textWidth + static_cast<int>(kHorizontalPadding * s), static_cast<int>(kPlateHeight * s));
}

void CPromptWidget::applyTextStyle()
{
    m_text->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3);")
                              .arg(m_textColor.red())
                              .arg(m_textColor.green())
                              .arg(m_textColor.blue()));
    QFont font = m_text->font();
    font.setPointSize(m_iFontPointSize);
    m_text->setFont(font);
}

void CPromptWidget::centreText()
{
    m_text->move((width() - m_text->width()) / 2, (height() - m_text->height()) / 2);
}

void CPromptWidget::showPrompt(QString text, int msec)
{
    qInfo() << RJ_FUNCTION << "text:" << text << ", msec:" << msec;
    if (msec < 0) {
        // A negative interval would never start the timer and leave the prompt up for good.
        qWarning() << RJ_FUNCTION << "negative duration, taken as 0:" << msec;
        msec = 0;
    }
    m_text->setText(text);
    fitSize();
    applyTextStyle();
    fitSize();
    updatePosition();

    m_pTimer->start(msec);
    m_bShowing = true;
    show();
    updatePosition();
    fitSize();
    centreText();
    raise();

    if (QWidget *owner = parentWidget(); owner && owner->isHidden())
        hide();
}

void CPromptWidget::updatePosition()
{
    QWidget *owner = parentWidget();
    if (!owner)
        return;
    // The prompt is a window of its own: place it in screen coordinates.
    const QPoint origin = owner->mapToGlobal(QPoint(0, 0));
    const int x = origin.x() + (owner->width() - width()) / 2;
    const int y = origin.y() + static_cast<int>(m_iVerticalPercent / 100.0 * (owner->height() - height()));
    move(x, y);
    update();
}

void CPromptWidget::hideIfActive()
{
    if (m_pTimer->isActive())
        hide();
}

void CPromptWidget::showIfActive()
{
    if (m_pTimer->isActive())
        show();
}

void CPromptWidget::slot_Timer()
{
    m_bShowing = false;
    m_pTimer->stop();
    hide();
}

void CPromptWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    QColor plate = m_plateColor;
    plate.setAlpha(m_iPlateAlpha);
    painter.fillRect(rect(), plate);
}

void CPromptWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
}

void CPromptWidget::onDpiChanged()
{
    qInfo() << RJ_FUNCTION << fStretchFactor;
    m_scaler.rescale(fStretchFactor, this);
    fitSize();
}

} // namespace rj_app::views
