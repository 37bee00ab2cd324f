#include "views/annotation/SelectBgColorWidget.h"

#include "views/annotation/DrawingPalette.h"

#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>

namespace rj_app::views {

namespace {

constexpr int kBaseWidth = 162;
constexpr int kBaseHeight = 70;
constexpr int kButtonSide = 36;

QPushButton *makeSwatch(QWidget *parent, const char *name, const char *style)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(kButtonSide, kButtonSide);
    button->setCursor(Qt::PointingHandCursor);
    button->setText(QString());
    button->setStyleSheet(QLatin1String(style));
    return button;
}

} // namespace

SelectBgColorWidget::SelectBgColorWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    setAttribute(Qt::WA_DeleteOnClose);
    // The rounded frame's corners show what lies under the picker.
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);
    m_pClearBg->setStyleSheet(QStringLiteral(
        "border:2px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/bg_transparent_default.png);"));
    connect(m_pBlackBg, &QPushButton::clicked, this, &SelectBgColorWidget::selectBlackBg);
    connect(m_pWhiteBg, &QPushButton::clicked, this, &SelectBgColorWidget::selectWhiteBg);
    connect(m_pClearBg, &QPushButton::clicked, this, &SelectBgColorWidget::selectClearBg);
}

SelectBgColorWidget::~SelectBgColorWidget() = default;

void SelectBgColorWidget::setupUi()
{
    setObjectName(QStringLiteral("SelectBgColorWidget"));
    resize(kBaseWidth, kBaseHeight);
    setStyleSheet(QStringLiteral("#SelectBgColorWidget{background-color: rgba(255, 255, 255, 0);}\n"));
    setWindowTitle(QString());
    m_pHorizontalLayout = new QHBoxLayout(this);
    m_pHorizontalLayout->setContentsMargins(0, 0, 0, 0);
    m_pBgFrame = new QFrame(this);
    m_pBgFrame->setObjectName(QStringLiteral("m_pBgFrame"));
    m_pBgFrame->setStyleSheet(
        QStringLiteral("#m_pBgFrame{background-color: rgb(28, 30, 32); border: none; border-radius: 5px;}"));
    m_pFrameLayout = new QHBoxLayout(m_pBgFrame);
    m_pBlackBg = makeSwatch(m_pBgFrame, "blackBg",
                            "border-image: url(:/resources/images/ScreenDrawing/color_black_default.png);");
    m_pWhiteBg = makeSwatch(m_pBgFrame, "whiteBg",
                            "border-image: url(:/resources/images/ScreenDrawing/color_white_default.png);");
    m_pClearBg = makeSwatch(m_pBgFrame, "clearBg",
                            "border-image: url(:/resources/images/ScreenDrawing/bg_transparent_default.png);");
    m_pFrameLayout->addWidget(m_pBlackBg);
    m_pFrameLayout->addWidget(m_pWhiteBg);
    m_pFrameLayout->addWidget(m_pClearBg);
    m_pHorizontalLayout->addWidget(m_pBgFrame);
}

void SelectBgColorWidget::selectBlackBg()
{
    m_pBlackBg->setStyleSheet(QStringLiteral(
        "border:2px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/color_black_default.png);"));
    m_pWhiteBg->setStyleSheet(QStringLiteral(
        "border:2px solid #ffffff;border-image: url(:/resources/images/ScreenDrawing/color_white_default.png);"));
    m_pClearBg->setStyleSheet(QStringLiteral(
        "border:0px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/bg_transparent_default.png);"));
    m_strBgColor = QLatin1String(kBoardBlack);
    emit changeDrawBg(m_strBgColor);
}

void SelectBgColorWidget::selectWhiteBg()
{
    m_pBlackBg->setStyleSheet(QStringLiteral(
        "border:2px solid #000000;background-image: url(:/resources/images/ScreenDrawing/color_black_default.png);"));
    m_pWhiteBg->setStyleSheet(QStringLiteral(
        "border:2px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/color_white_default.png);"));
    m_pClearBg->setStyleSheet(QStringLiteral(
        "border:0px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/bg_transparent_default.png);"));
    m_strBgColor = QLatin1String(kBoardWhite);
    emit changeDrawBg(m_strBgColor);
}

void SelectBgColorWidget::applyClearLook()
{
    m_pBlackBg->setStyleSheet(QStringLiteral(
        "border:2px solid #000000;background-image: url(:/resources/images/ScreenDrawing/color_black_default.png);"));
    m_pWhiteBg->setStyleSheet(QStringLiteral(
        "border:2px solid #4381ff;border-image: url(:/resources/images/ScreenDrawing/color_white_default.png);"));
    m_pClearBg->setStyleSheet(QStringLiteral(
        "border:2px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/bg_transparent_default.png);"));
    m_strBgColor = QLatin1String(kBoardTransparent);
}

void SelectBgColorWidget::selectClearBg()
{
    applyClearLook();
    emit changeDrawBg(m_strBgColor);
}

void SelectBgColorWidget::initSelection()
{
    applyClearLook();
}

void SelectBgColorWidget::onDpiChanged()
{
    qInfo() << "WhiteBoardSelectBgWidget onDpiChanged";
    const double s = fStretchFactor > 0 ? fStretchFactor : 1.0;
    setFixedSize(static_cast<int>(kBaseWidth * s), static_cast<int>(kBaseHeight * s));
    const int side = static_cast<int>(kButtonSide * s);
    for (QPushButton *button : {m_pBlackBg, m_pWhiteBg, m_pClearBg})
        button->setFixedSize(side, side);
}

} // namespace rj_app::views
