#include "views/meetings/CSearchAddEdit.h"

#include <QHBoxLayout>
#include <QLabel>

namespace rj_app::views {

CSearchAddEdit::CSearchAddEdit(QWidget *parent)
    : QLineEdit(parent)
{
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("m_label"));
    m_label->setFixedSize(14, 14);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(m_label);
    layout->addStretch();
    setTextMargins(36, 0, 36, 0);
    setContentsMargins(0, 0, 0, 0);
}

void CSearchAddEdit::updateDpi(double scale)
{
    if (scale <= 0)
        scale = 1;
    const int side = int(14 * scale);
    m_label->setFixedSize(side, side);
}

} // namespace rj_app::views
