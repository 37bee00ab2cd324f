#include "views/annotation/WhiteBoardSelectBgWidget.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {

constexpr int kBaseWidth = 162;
constexpr int kBaseHeight = 70;
constexpr int kButtonSide = 36;

QPushButton *makeButton(QWidget *parent, const char *name, const char *style)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(kButtonSide, kButtonSide);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QLatin1String(style));
    button->setText(QString());
    return button;
}

} // namespace

WhiteBoardSelectBgWidget::WhiteBoardSelectBgWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    setAttribute(Qt::WA_DeleteOnClose);
    // The rounded frame's corners show what lies under the picker.
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);
    connect(m_blackBg, &QPushButton::clicked, this, &WhiteBoardSelectBgWidget::slotClickedBlackBtn);
    connect(m_whiteBg, &QPushButton::clicked, this, &WhiteBoardSelectBgWidget::slotClickedWhiteBtn);
    connect(m_selectImg, &QPushButton::clicked, this, &WhiteBoardSelectBgWidget::slotClickedSelectBtn);
}

WhiteBoardSelectBgWidget::~WhiteBoardSelectBgWidget() = default;

void WhiteBoardSelectBgWidget::setupUi()
{
    setObjectName(QStringLiteral("WhiteBoardSelectBgWidget"));
    resize(kBaseWidth, kBaseHeight);
    setStyleSheet(QStringLiteral("#WhiteBoardSelectBgWidget{background-color: rgba(255, 255, 255, 0);}\n"));
    m_pVerticalLayout = new QVBoxLayout(this);
    m_pVerticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    m_pVerticalLayout->setContentsMargins(0, 0, 0, 0);
    m_pBgFrame = new QFrame(this);
    m_pBgFrame->setObjectName(QStringLiteral("m_pBgFrame"));
    m_pBgFrame->setStyleSheet(
        QStringLiteral("#m_pBgFrame{background-color: rgb(28, 30, 32); border: none; border-radius: 5px;}"));
    m_pHorizontalLayout2 = new QHBoxLayout(m_pBgFrame);
    m_pHorizontalLayout2->setObjectName(QStringLiteral("horizontalLayout_2"));
    m_blackBg = makeButton(m_pBgFrame, "m_blackBg",
                           "#m_blackBg{border-image: url(:/resources/images/ScreenDrawing/color_black_default.png);}");
    m_whiteBg = makeButton(m_pBgFrame, "m_whiteBg",
                           "border-image: url(:/resources/images/ScreenDrawing/color_white_default.png);");
    m_selectImg =
        makeButton(m_pBgFrame, "m_selectImg", "border-image: url(:/resources/images/ScreenDrawing/btn_upload.png);");
    m_pHorizontalLayout2->addWidget(m_blackBg);
    m_pHorizontalLayout2->addWidget(m_whiteBg);
    m_pHorizontalLayout2->addWidget(m_selectImg);
    m_pVerticalLayout->addWidget(m_pBgFrame);
    retranslateUi();
}

void WhiteBoardSelectBgWidget::retranslateUi()
{
    setWindowTitle(QCoreApplication::translate("WhiteBoardSelectBgWidget", "Form"));
}

void WhiteBoardSelectBgWidget::slotClickedBlackBtn()
{
    m_blackBg->setStyleSheet(QStringLiteral(
        "border:2px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/color_black_default.png);"));
    m_whiteBg->setStyleSheet(QStringLiteral(
        "border:0px solid #ffffff;border-image: url(:/resources/images/ScreenDrawing/color_white_default.png);"));
    m_selectImg->setStyleSheet(
        QStringLiteral("border:0px solid #4381ff;border-image: url(:/resources/images/ScreenDrawing/btn_upload.png);"));
    emit sigClickedBlackBtn();
}

void WhiteBoardSelectBgWidget::slotClickedWhiteBtn()
{
    m_blackBg->setStyleSheet(QStringLiteral(
        "border:2px solid #000000;background-image: url(:/resources/images/ScreenDrawing/color_black_default.png);"));
    m_whiteBg->setStyleSheet(QStringLiteral(
        "border:2px solid #4381ff;background-image: url(:/resources/images/ScreenDrawing/color_white_default.png);"));
    m_selectImg->setStyleSheet(
        QStringLiteral("border:0px solid #4381ff;border-image: url(:/resources/images/ScreenDrawing/btn_upload.png);"));
    emit sigClickedWhiteBtn();
}

void WhiteBoardSelectBgWidget::slotClickedSelectBtn()
{
    m_blackBg->setStyleSheet(QStringLiteral(
        "border:0px solid #000000;background-image: url(:/resources/images/ScreenDrawing/color_black_default.png);"));
    m_whiteBg->setStyleSheet(QStringLiteral(
        "border:0px solid #4381ff;border-image: url(:/resources/images/ScreenDrawing/color_white_default.png);"));
    m_selectImg->setStyleSheet(
        QStringLiteral("border:2px solid #4381ff;border-image: url(:/resources/images/ScreenDrawing/btn_upload.png);"));
    emit sigClickedSelectBtn();
}

void WhiteBoardSelectBgWidget::onDpiChanged()
{
    qInfo() << "WhiteBoardSelectBgWidget onDpiChanged";
    const double s = fStretchFactor > 0 ? fStretchFactor : 1.0;
    setFixedSize(static_cast<int>(kBaseWidth * s), static_cast<int>(kBaseHeight * s));
    const int side = static_cast<int>(kButtonSide * s);
    m_blackBg->setFixedSize(side, side);
    m_whiteBg->setFixedSize(side, side);
    m_selectImg->setFixedSize(side, side);
}

} // namespace rj_app::views
