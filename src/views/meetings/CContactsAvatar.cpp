#include "views/meetings/CContactsAvatar.h"

#include <QFontMetrics>
#include <QPainter>

namespace rj_app::views {

QRect CContactsAvatar::centredIn(const QRect &rect, int left, int width, int height)
{
    return QRect(left, rect.top() + (rect.height() - height) / 2, width, height);
}

QStringList CContactsAvatar::tickBoxFiles(double scale)
{
    static const QString kImageDir = QStringLiteral(":/resources/images/contacts/");
    QString under;
    if (scale >= 2)
        under = QStringLiteral("_2x");
    else if (scale > 1)
        under = QStringLiteral("_1.5x");
    return {kImageDir + QStringLiteral("checkbox_checked") + under + QStringLiteral(".png"),
            kImageDir + QStringLiteral("checkbox_unchecked") + under + QStringLiteral(".png")};
}

void CContactsAvatar::drawElidedText(QPainter *painter, const QRect &textRect, const QString &text)
{
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
}

} // namespace rj_app::views
