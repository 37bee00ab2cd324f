#include "views/annotation/ColorWidget.h"

#include "views/annotation/DrawingPalette.h"

#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {

constexpr int kButtonSide = 36;
const char kImageDir[] = ":/resources/images/ScreenDrawing/";

QString swatchImage(DrawMode mode, int swatch)
{
    return QLatin1String(kImageDir) + QStringLiteral("color_") + swatchName(mode, swatch)
        + QStringLiteral("_default.png");
}

QString sizeIcon(int step, bool selected)
{
    return QLatin1String(kImageDir) + (selected ? QStringLiteral("size_click_") : QStringLiteral("size_default_"))
        + QString::number(step) + QStringLiteral(".png");
}

} // namespace

ColorWidget::ColorWidget(QWidget *parent)
    : CBaseWgt(parent)
    , m_iPenSize(static_cast<qint16>(paletteSize(DrawMode::Pen, 1)))
    , m_iNitePenSize(static_cast<qint16>(paletteSize(DrawMode::Highlighter, 1)))
    , m_penColor(paletteColor(DrawMode::Pen, 1))
    , m_nitePenColor(paletteColor(DrawMode::Highlighter, 1))
{
    setupUi();
    setAttribute(Qt::WA_DeleteOnClose);
    // The rounded frame's corners show what lies under the picker.
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);
    m_swatches[0]->setStyleSheet(
        QStringLiteral("border:2px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/"
                       "color_black_default.png);"));

    connect(m_swatches[0], &QPushButton::clicked, this, &ColorWidget::onClickedBlackColor);
    connect(m_swatches[1], &QPushButton::clicked, this, &ColorWidget::onClickedWhiteColor);
    connect(m_swatches[2], &QPushButton::clicked, this, &ColorWidget::onClickedBlueColor);
    connect(m_swatches[3], &QPushButton::clicked, this, &ColorWidget::onClickedGreenColor);
    connect(m_swatches[4], &QPushButton::clicked, this, &ColorWidget::onClickedYellowColor);
    connect(m_swatches[5], &QPushButton::clicked, this, &ColorWidget::onClickedOrangleColor);
    connect(m_swatches[6], &QPushButton::clicked, this, &ColorWidget::onClickedRedColor);
    connect(m_swatches[7], &QPushButton::clicked, this, &ColorWidget::onClickedPurpleColor);
    connect(m_sizeButtons[0], &QPushButton::clicked, this, &ColorWidget::onButtonSize1Clicked);
    connect(m_sizeButtons[1], &QPushButton::clicked, this, &ColorWidget::onButtonSize2Clicked);
    connect(m_sizeButtons[2], &QPushButton::clicked, this, &ColorWidget::onButtonSize3Clicked);
    connect(m_sizeButtons[3], &QPushButton::clicked, this, &ColorWidget::onButtonSize4Clicked);
}

ColorWidget::~ColorWidget() = default;

void ColorWidget::setupUi()
{
    setObjectName(QStringLiteral("ColorWidget"));
    resize(250, 184);
    setStyleSheet(QStringLiteral("#ColorWidget{background-color: rgba(255, 255, 255, 0);}\n"));
    m_pVerticalLayout = new QVBoxLayout(this);
    m_pVerticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    m_pVerticalLayout->setContentsMargins(0, 0, 0, 0);
    m_pBgFrame = new QFrame(this);
    m_pBgFrame->setObjectName(QStringLiteral("m_pBgFrame"));
    m_pBgFrame->setStyleSheet(
        QStringLiteral("#m_pBgFrame{background-color: rgb(28, 30, 32); border: none; border-radius: 5px;}"));
    m_pGridLayout = new QGridLayout(m_pBgFrame);
    m_pGridLayout->setObjectName(QStringLiteral("gridLayout"));

    static const char *const swatchNames[] = {"color_black", "color_white", "color_blue",   "color_green",
                                              "color_yellow", "color_orange", "color_red", "color_purple"};
    for (int i = 0; i < 8; ++i) {
        auto *swatch = new QPushButton(m_pBgFrame);
        swatch->setObjectName(QLatin1String(swatchNames[i]));
        swatch->setFixedSize(kButtonSide, kButtonSide);
        swatch->setCursor(Qt::PointingHandCursor);
        swatch->setText(QString());
        swatch->setStyleSheet(QStringLiteral("border-image: url(") + swatchImage(DrawMode::Pen, i + 1)
                              + QStringLiteral(");"));
        m_pGridLayout->addWidget(swatch, i / 4, i % 4);
        m_swatches[static_cast<size_t>(i)] = swatch;
    }
    for (int i = 0; i < 4; ++i) {
        auto *button = new QPushButton(m_pBgFrame);
        button->setObjectName(QStringLiteral("size_%1").arg(i + 1));
        button->setFixedSize(kButtonSide, kButtonSide);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFlat(true);
        button->setStyleSheet(QStringLiteral("background-color:transparent"));
        button->setText(QString());
        button->setIcon(QIcon(sizeIcon(i + 1, i == 0)));
        button->setIconSize(QSize(20, 20));
        m_pGridLayout->addWidget(button, 2, i);
        m_sizeButtons[static_cast<size_t>(i)] = button;
    }
    m_pVerticalLayout->addWidget(m_pBgFrame);
}

QColor ColorWidget::getColor() const
{
    return m_bIsNitePen ? m_nitePenColor : m_penColor;
}

qint16 ColorWidget::getSize() const
{
    return m_bIsNitePen ? m_iNitePenSize : m_iPenSize;
}

QString ColorWidget::swatchStyle(int swatch, bool selected, int selectedSwatch) const
{
    const DrawMode mode = m_bIsNitePen ? DrawMode::Highlighter : DrawMode::Pen;
    const QString image = swatchImage(mode, swatch);
    if (mode == DrawMode::Pen) {
        // The white swatch shows its own frame; selected, it is plain white.
        if (swatch == 2 && selected)
            return QStringLiteral("border:2px solid #4381ff;background-color: #ffffff;");
        if (swatch == 2)
            return QStringLiteral("border:2px solid #ffffff;border-image: url(") + image + QStringLiteral(");");
        if (swatch == 6 && selectedSwatch == 5)
            return QStringLiteral("border:2px solid #ff8517;border-image: url(") + image + QStringLiteral(");");
    }
    const QString border = selected ? QString::fromLatin1(kAccentColorName) : swatchHex(mode, swatch);
    return QStringLiteral("border:2px solid ") + border + QStringLiteral(";background-image: url(") + image
        + QStringLiteral(");");
}

void ColorWidget::chooseSwatch(int swatch)
{
    if (m_bIsNitePen)
        m_nitePenColor = paletteColor(DrawMode::Highlighter, swatch);
    else
        m_penColor = paletteColor(DrawMode::Pen, swatch);
    for (int j = 1; j <= kSwatchCount; ++j)
        m_swatches[static_cast<size_t>(j - 1)]->setStyleSheet(swatchStyle(j, j == swatch, swatch));
    emit changeColor();
}

void ColorWidget::chooseSize(int step)
{
    if (m_bIsNitePen)
        m_iNitePenSize = static_cast<qint16>(paletteSize(DrawMode::Highlighter, step));
    else
        m_iPenSize = static_cast<qint16>(paletteSize(DrawMode::Pen, step));
    for (int j = 1; j <= kSizeStepCount; ++j)
        m_sizeButtons[static_cast<size_t>(j - 1)]->setIcon(QIcon(sizeIcon(j, j == step)));
    emit changeSize();
}

void ColorWidget::refreshSelection()
{
    const DrawMode mode = m_bIsNitePen ? DrawMode::Highlighter : DrawMode::Pen;
    const int swatch = swatchOfColor(mode, getColor());
    if (swatch > 0)
        chooseSwatch(swatch);
    const int step = stepOfSize(mode, getSize());
    if (step > 0)
        chooseSize(step);
}

void ColorWidget::onClickedBlackColor() { chooseSwatch(1); }
void ColorWidget::onClickedWhiteColor() { chooseSwatch(2); }
void ColorWidget::onClickedBlueColor() { chooseSwatch(3); }
void ColorWidget::onClickedGreenColor() { chooseSwatch(4); }
void ColorWidget::onClickedYellowColor() { chooseSwatch(5); }
void ColorWidget::onClickedOrangleColor() { chooseSwatch(6); }
void ColorWidget::onClickedRedColor() { chooseSwatch(7); }
void ColorWidget::onClickedPurpleColor() { chooseSwatch(8); }
void ColorWidget::onButtonSize1Clicked() { chooseSize(1); }
void ColorWidget::onButtonSize2Clicked() { chooseSize(2); }
void ColorWidget::onButtonSize3Clicked() { chooseSize(3); }
void ColorWidget::onButtonSize4Clicked() { chooseSize(4); }

void ColorWidget::onDpiChanged()
{
    qInfo() << "ColorWidget onDpiChanged";
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    setFixedSize(static_cast<int>(248 * scale), static_cast<int>(184 * scale));
    const int side = static_cast<int>(kButtonSide * scale);
    for (QPushButton *button : m_swatches)
        button->setFixedSize(side, side);
    for (QPushButton *button : m_sizeButtons)
        button->setFixedSize(side, side);
}

} // namespace rj_app::views
