#include "views/settings/CSettingsPlaceholderPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace rj_app::views {

CSettingsPlaceholderPage::CSettingsPlaceholderPage(QWidget *parent)
    : CBaseWgt(parent)
{
    // Same frame as the finished pages: a 480-pixel column, then free space.
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("wgtPlaceholderColumn"));
    column->setFixedWidth(480);
    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(30, 20, 30, 20);
    m_pLblTitle = new QLabel(column);
    m_pLblTitle->setObjectName(QStringLiteral("lblPlaceholderTitle"));
    m_pLblTitle->setFixedHeight(30);
    columnLayout->addWidget(m_pLblTitle);
    columnLayout->addStretch(1);
    row->addWidget(column);
    row->addStretch(1);
}

void CSettingsPlaceholderPage::setTitle(const QString &title)
{
    m_pLblTitle->setText(title);
}

QString CSettingsPlaceholderPage::title() const
{
    return m_pLblTitle->text();
}

} // namespace rj_app::views
