#include "views/incall/CNumberButton.h"

#include "models/CLinguist.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <cmath>

using rj_app::models::CLinguist;

namespace {

const QString kHoverStyle = QStringLiteral("background-color:#616161;");
const QString kNormalStyle = QStringLiteral("background-color:#1c1e20;");

int scaled(int value, double scale)
{
    return static_cast<int>(value * scale);
}

struct ScaleLook
{
    int fontPx;
    int titleGap; // from the title's bottom to the button's bottom
};

ScaleLook lookFor(double scale)
{
    if (qFuzzyCompare(scale, 1.0))
        return {12, 7};
    if (qFuzzyCompare(scale, 1.5))
        return {18, 12};
    return {24, 19};
}

} // namespace

CNumberButton::CNumberButton(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CNumberButton"));
    setFixedSize(88, 60);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_StyledBackground);

    m_pImg = new QLabel(this);
    m_pImg->setObjectName(QStringLiteral("m_pImg"));
    m_pImg->setGeometry(30, 6, 28, 28);
    m_pImg->setStyleSheet(QStringLiteral(
        "#m_pImg{border-image: url(\":/resources/images/layout-operationbar/icon_detail.png\");}"));

    m_pTitle = new QLabel(this);
    m_pTitle->setObjectName(QStringLiteral("m_pTitle"));
    m_pTitle->setGeometry(0, 34, 88, 20);
    m_pTitle->setAlignment(Qt::AlignCenter);
    m_pTitle->setStyleSheet(QStringLiteral("#m_pTitle{color: #fff;font-size: 12px;}"));

    m_pNumber = new QLabel(this);
    m_pNumber->setObjectName(QStringLiteral("m_pNumber"));
    m_pNumber->setGeometry(45, 0, 30, 21);
    m_pNumber->setAlignment(Qt::AlignCenter);
    QFont font = m_pNumber->font();
    font.setPointSize(8);
    m_pNumber->setFont(font);
    m_pNumber->setAttribute(Qt::WA_StyledBackground);
    m_pNumber->setStyleSheet(
        QStringLiteral("#m_pNumber{color: rgb(255, 255, 255);background-color: rgba(255, 255, 255, 0);}\n"));

    auto *layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("verticalLayout_3"));

    retranslateUi();
    connect(CLinguist::getInstance(), &CLinguist::sigLanguageChanged, this, &CNumberButton::retranslateUi);
}

CNumberButton::~CNumberButton() = default;

void CNumberButton::retranslateUi()
{
    setWindowTitle(tr("Form"));
    m_pTitle->setText(tr("Management"));
}

void CNumberButton::setNumber(const QString &number)
{
    m_pNumber->setText(number);
}

void CNumberButton::setScale(double scale)
{
    const int square = scaled(28, scale);
    const int half = width() / 2;
    m_pImg->setFixedSize(square, square);
    m_pImg->move(static_cast<int>(half - 14 * scale), m_pImg->y());
    m_pNumber->setFixedSize(square, square);
    m_pNumber->move(static_cast<int>(half + 5 * scale), m_pNumber->y());
    m_pTitle->setFixedSize(scaled(88, scale), scaled(14, scale));

    const ScaleLook look = lookFor(scale);
    m_pTitle->setStyleSheet(
        QStringLiteral("#m_pTitle{color: rgb(255, 255, 255);font-size: %1px;}").arg(look.fontPx));
    m_pNumber->setStyleSheet(QStringLiteral("#m_pNumber{color: rgb(255, 255, 255);font-size: %1px;"
                                            "background-color: rgba(255, 255, 255, 0);}")
                                 .arg(look.fontPx));
    m_pTitle->move(0, height() - m_pTitle->height() - look.titleGap);
}

void CNumberButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void CNumberButton::enterEvent(QEvent *event)
{
    setStyleSheet(kHoverStyle);
    QWidget::enterEvent(event);
}

void CNumberButton::leaveEvent(QEvent *event)
{
    setStyleSheet(kNormalStyle);
    QWidget::leaveEvent(event);
}
