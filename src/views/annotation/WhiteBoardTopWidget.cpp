#include "views/annotation/WhiteBoardTopWidget.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace rj_app::views {

WhiteBoardTopWidget::WhiteBoardTopWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("WhiteBoardTopWidget"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#WhiteBoardTopWidget{background-color: rgb(28, 30, 32);border-radius: 5px;}"
                                 "QPushButton{color: #ffffff;}"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 0, 20, 0);
    m_drawBtn = new QPushButton(tr("Drawing"), this);
    m_drawBtn->setObjectName(QStringLiteral("m_drawBtn"));
    m_closeBtn = new QPushButton(tr("Stop"), this);
    m_closeBtn->setObjectName(QStringLiteral("m_closeBtn"));
    m_pBtnShowPic = new QPushButton(tr("Show PIP"), this);
    m_pBtnShowPic->setObjectName(QStringLiteral("m_pBtnShowPic"));
    m_pBtnShowPic->hide();
    layout->addWidget(m_drawBtn);
    layout->addWidget(m_closeBtn);
    layout->addWidget(m_pBtnShowPic);
    resize(300, 54);
    connect(m_drawBtn, &QPushButton::clicked, this, &WhiteBoardTopWidget::sigOpenWhiteBoardTool);
    connect(m_closeBtn, &QPushButton::clicked, this, &WhiteBoardTopWidget::sigClose);
    connect(m_pBtnShowPic, &QPushButton::clicked, this, [this] {
        emit sigOnShowPicture();
        updateShowPicture(false);
    });
}

WhiteBoardTopWidget::~WhiteBoardTopWidget() = default;

void WhiteBoardTopWidget::updateDpi(double scale)
{
    m_dScale = scale;
    resize(static_cast<int>(300 * scale), static_cast<int>(54 * scale));
}

void WhiteBoardTopWidget::updateShowPicture(bool visible)
{
    m_pBtnShowPic->setVisible(visible);
}

bool WhiteBoardTopWidget::isShowPictureButtonVisible() const
{
    return !m_pBtnShowPic->isHidden();
}

void WhiteBoardTopWidget::slotHidePicture()
{
    updateShowPicture(true);
}

} // namespace rj_app::views
