#include "views/annotation/WhiteBoardTopWidget.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace rj_app::views {

WhiteBoardTopWidget::WhiteBoardTopWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("WhiteBoardTopWidget"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pBtnShowPicture = new QPushButton(tr("Show PIP"), this);
    m_pBtnShowPicture->setObjectName(QStringLiteral("m_pBtnShowPicture"));
    m_pBtnShowPicture->hide();
    layout->addWidget(m_pBtnShowPicture);
    connect(m_pBtnShowPicture, &QPushButton::clicked, this, [this] {
        m_pBtnShowPicture->hide();
        emit sigOnShowPicture();
    });
}

WhiteBoardTopWidget::~WhiteBoardTopWidget() = default;

void WhiteBoardTopWidget::updateShowPicture(bool visible)
{
    m_pBtnShowPicture->setVisible(visible);
}

bool WhiteBoardTopWidget::isShowPictureButtonVisible() const
{
    return !m_pBtnShowPicture->isHidden();
}

void WhiteBoardTopWidget::slotHidePicture()
{
    m_pBtnShowPicture->show();
}

} // namespace rj_app::views
