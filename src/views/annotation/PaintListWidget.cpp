#include "views/annotation/PaintListWidget.h"

#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "views/annotation/CimageWidget.h"
#include "views/annotation/Cmenubutton.h"

#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>

namespace rj_app::views {

namespace {
const char kImageDir[] = ":/resources/images/ScreenDrawing/";
} // namespace

PaintListWidget::PaintListWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);

    m_pBtnMouse->m_bSelectable = true;
    m_pBtnMouse->setNormal();
    m_pBtnPen->m_bSelectable = true;
    m_pBtnPen->setSelected();
    m_pBtnNitePen->m_bSelectable = true;
    m_pBtnEraser->m_bSelectable = true;

    connect(m_pBtnMouse, &Cmenubutton::btnClicked, this, &PaintListWidget::onBtnMouseClicked);
    connect(m_pBtnPen, &Cmenubutton::btnClicked, this, &PaintListWidget::onBtnPenClicked);
    connect(m_pBtnNitePen, &Cmenubutton::btnClicked, this, &PaintListWidget::onBtnNitePenClicked);
    connect(m_pBtnEraser, &Cmenubutton::btnClicked, this, &PaintListWidget::onBtnEraserClicked);
    connect(m_pBtnRevoke, &Cmenubutton::btnClicked, this, &PaintListWidget::onBtnRevokeClicked);
    connect(m_pBtnBackground, &Cmenubutton::btnClicked, this, &PaintListWidget::onBtnBgClicked);
    connect(m_pBtnClear, &Cmenubutton::btnClicked, this, &PaintListWidget::onBtnClearClicked);
    connect(m_pBtnSave, &Cmenubutton::btnClicked, this, &PaintListWidget::slotBtnSaveClicked);
    connect(m_pBtnExit, &Cmenubutton::btnClicked, this, &PaintListWidget::onBtnExitClicked);
    connect(m_pBtnPenSelect, &CimageWidget::btnClicked, this, &PaintListWidget::onBtnSelectPenClicked);
    connect(m_pBtnNitePenSelect, &CimageWidget::btnClicked, this, &PaintListWidget::onBtnSelectNitePenClicked);
    connect(rj_app::models::CLinguist::getInstance(), &rj_app::models::CLinguist::sigLanguageChanged, this,
            &PaintListWidget::slotOnLanguageChanged);

    m_pBgFrame->setMouseTracking(true);
    m_pBgFrame->installEventFilter(this);

    slotOnLanguageChanged();
}

PaintListWidget::~PaintListWidget() = default;

Cmenubutton *PaintListWidget::makeButton(QWidget *parent, const char *name, const char *normal, const char *click)
{
    auto *button = new Cmenubutton(parent);
    button->setObjectName(QLatin1String(name));
    button->setNormalImage(QLatin1String(kImageDir) + QLatin1String(normal));
    button->setClickImage(QLatin1String(kImageDir) + QLatin1String(click));
    return button;
}

void PaintListWidget::setupUi()
{
    setObjectName(QStringLiteral("PaintListWidget"));
    resize(730, 56);
    setCursor(Qt::SizeAllCursor);
    m_pHorizontalLayout = new QHBoxLayout(this);
    m_pHorizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_pHorizontalLayout->setContentsMargins(0, 0, 0, 0);

    m_pBgFrame = new QFrame(this);
    m_pBgFrame->setObjectName(QStringLiteral("m_pBgFrame"));
    m_pBgFrame->setStyleSheet(
        QStringLiteral("#m_pBgFrame{background-color: rgb(28, 30, 32); border: none; border-radius: 5px;}"));
    m_pFrameLayout = new QHBoxLayout(m_pBgFrame);
    m_pFrameLayout->setObjectName(QStringLiteral("horizontalLayout_5"));
    m_pFrameLayout->setSpacing(30);
    m_pFrameLayout->setContentsMargins(20, 5, 20, 5);

    m_pBtnMouse = makeButton(m_pBgFrame, "button_mouse", "icon_mouse_default", "icon_mouse_click");

    m_pPenBg = new QWidget(m_pBgFrame);
    m_pPenBg->setObjectName(QStringLiteral("m_pPenBg"));
    m_pPenBg->setFixedWidth(64);
    auto *penLayout = new QHBoxLayout(m_pPenBg);
    penLayout->setObjectName(QStringLiteral("horizontalLayout_3"));
    penLayout->setSpacing(0);
    penLayout->setContentsMargins(0, 0, 0, 0);
    m_pBtnPen = makeButton(m_pPenBg, "button_pen", "icon_brush_default", "icon_brush_click");
    m_pBtnPenSelect = new CimageWidget(m_pPenBg);
    m_pBtnPenSelect->setObjectName(QStringLiteral("button_pen_select"));
    m_pBtnPenSelect->setFixedWidth(18);
    penLayout->addWidget(m_pBtnPen);
    penLayout->addWidget(m_pBtnPenSelect);

    m_pNitePenBg = new QWidget(m_pBgFrame);
    m_pNitePenBg->setObjectName(QStringLiteral("m_pNitePenBg"));
    m_pNitePenBg->setFixedWidth(64);
    auto *nitePenLayout = new QHBoxLayout(m_pNitePenBg);
    nitePenLayout->setObjectName(QStringLiteral("horizontalLayout_2"));
    nitePenLayout->setSpacing(0);
    nitePenLayout->setContentsMargins(0, 0, 0, 0);
    m_pBtnNitePen =
        makeButton(m_pNitePenBg, "button_niteWriterPen", "icon_highlighter_default", "icon_highlighter_click");
    m_pBtnNitePenSelect = new CimageWidget(m_pNitePenBg);
    m_pBtnNitePenSelect->setObjectName(QStringLiteral("button_nite_pen_select"));
    m_pBtnNitePenSelect->setFixedWidth(18);
    nitePenLayout->addWidget(m_pBtnNitePen);
    nitePenLayout->addWidget(m_pBtnNitePenSelect);

    m_pBtnEraser = makeButton(m_pBgFrame, "button_eraser", "icon_eraser_default", "icon_eraser_click");
    m_pBtnRevoke = makeButton(m_pBgFrame, "button_revocation", "icon_revoke_default", "icon_revoke_click");
    m_pBtnBackground = makeButton(m_pBgFrame, "button_paintBackground", "icon_bg_default", "icon_bg_click");
    m_pBtnClear = makeButton(m_pBgFrame, "button_paintClear", "icon_clear_default", "icon_clear_click");
    m_pBtnSave = makeButton(m_pBgFrame, "button_save", "icon_save_default", "icon_save_click");
    m_pBtnExit = makeButton(m_pBgFrame, "button_exit", "icon_exit_default", "icon_exit_click");

    m_pFrameLayout->addWidget(m_pBtnMouse);
    m_pFrameLayout->addWidget(m_pPenBg);
    m_pFrameLayout->addWidget(m_pNitePenBg);
    m_pFrameLayout->addWidget(m_pBtnEraser);
    m_pFrameLayout->addWidget(m_pBtnRevoke);
    m_pFrameLayout->addWidget(m_pBtnBackground);
    m_pFrameLayout->addWidget(m_pBtnClear);
    m_pFrameLayout->addWidget(m_pBtnSave);
    m_pFrameLayout->addWidget(m_pBtnExit);
    m_pHorizontalLayout->addWidget(m_pBgFrame);
}

void PaintListWidget::selectTool(Cmenubutton *tool)
{
    for (Cmenubutton *button : {m_pBtnMouse, m_pBtnPen, m_pBtnNitePen, m_pBtnEraser}) {
        if (button == tool)
            button->setSelected();
        else
            button->setNormal();
    }
}

void PaintListWidget::markPenSelected()
{
    selectTool(m_pBtnPen);
}

void PaintListWidget::markNitePenSelected()
{
    selectTool(m_pBtnNitePen);
}

void PaintListWidget::selectPen()
{
    onBtnPenClicked();
}

void PaintListWidget::setReceiveWhiteBoardType()
{
    qInfo() << RJ_FUNCTION;
    m_pBtnMouse->hide();
    m_pBtnExit->hide();
}

void PaintListWidget::setSendWhiteBoardType()
{
    qInfo() << RJ_FUNCTION;
    m_pBtnMouse->hide();
    m_pBtnExit->show();
}

void PaintListWidget::onBtnMouseClicked()
{
    selectTool(m_pBtnMouse);
    emit enabelMouse();
}

void PaintListWidget::onBtnPenClicked()
{
    selectTool(m_pBtnPen);
    emit penClicked();
}

void PaintListWidget::onBtnNitePenClicked()
{
    selectTool(m_pBtnNitePen);
    emit nitePenClicked();
}

void PaintListWidget::onBtnEraserClicked()
{
    selectTool(m_pBtnEraser);
    emit eraserClicked();
}

void PaintListWidget::onBtnRevokeClicked()
{
    emit revokeClicked();
}

void PaintListWidget::onBtnBgClicked()
{
    emit bgClicked();
}

void PaintListWidget::onBtnClearClicked()
{
    emit clearClicked();
}

void PaintListWidget::onBtnExitClicked()
{
    emit exitClicked();
}

void PaintListWidget::onBtnSelectPenClicked()
{
    emit selectPenClicked();
}

void PaintListWidget::onBtnSelectNitePenClicked()
{
    emit selectNitePenClicked();
}

void PaintListWidget::slotBtnSaveClicked()
{
    emit sigSaveClicked();
}

void PaintListWidget::slotOnLanguageChanged()
{
    setWindowTitle(QString());
    m_pBtnMouse->setText(tr("Mouse"));
    m_pBtnPen->setText(tr("Pen"));
    m_pBtnNitePen->setText(tr("Marker"));
    m_pBtnEraser->setText(tr("Eraser"));
    m_pBtnRevoke->setText(tr("Revoke"));
    m_pBtnBackground->setText(tr("Background"));
    m_pBtnClear->setText(tr("Clear"));
    m_pBtnSave->setText(tr("Save"));
    m_pBtnExit->setText(tr("Exit"));
}

bool PaintListWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pBgFrame && event->type() == QEvent::MouseMove)
        emit sigMouseMove();
    return QObject::eventFilter(watched, event);
}

void PaintListWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bDragging = true;
    m_iPressX = event->pos().x();
    m_iPressY = event->pos().y();
}

void PaintListWidget::mouseReleaseEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    m_bDragging = false;
}

void PaintListWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_bDragging)
        return;
    move(pos() + QPoint(event->pos().x() - m_iPressX, event->pos().y() - m_iPressY));
}

void PaintListWidget::onDpiChanged()
{
    qInfo() << "PaintListWidget onDpiChanged";
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    setFixedSize(static_cast<int>(730 * scale), static_cast<int>(56 * scale));
    // The groups were fixed at their base width when built; widen them with the scale.
    const int groupWidth = static_cast<int>(64 * scale);
    const int arrowWidth = static_cast<int>(18 * scale);
    m_pPenBg->setMinimumWidth(groupWidth);
    m_pNitePenBg->setMinimumWidth(groupWidth);
    m_pPenBg->setMaximumWidth(groupWidth);
    m_pNitePenBg->setMaximumWidth(groupWidth);
    m_pBtnPenSelect->setMinimumWidth(arrowWidth);
    m_pBtnNitePenSelect->setMinimumWidth(arrowWidth);
    m_pBtnPenSelect->setMaximumWidth(arrowWidth);
    m_pBtnNitePenSelect->setMaximumWidth(arrowWidth);
    for (Cmenubutton *button : {m_pBtnMouse, m_pBtnPen, m_pBtnNitePen, m_pBtnEraser, m_pBtnRevoke, m_pBtnBackground,
                                m_pBtnClear, m_pBtnSave, m_pBtnExit})
        button->onDpiUpDate(scale);
    // Positions only hold once the layout has placed the groups.
    if (layout())
        layout()->activate();
    m_pFrameLayout->activate();
    m_iPenBgX = m_pPenBg->mapTo(this, QPoint(0, 0)).x();
    m_iNitePenBgX = m_pNitePenBg->mapTo(this, QPoint(0, 0)).x();
    m_iBgBtnX = m_pBtnBackground->mapTo(this, QPoint(0, 0)).x();
}

} // namespace rj_app::views
