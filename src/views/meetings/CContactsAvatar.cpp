#include "views/meetings/CContactsAvatar.h"

#include "models/CUrlPixmap.h"

#include <QFontMetrics>
#include <QPainter>

namespace rj_app::views {

using rj_app::models::CUrlPixmap;

QPixmap CContactsAvatar::cachedOrDefault(const QString &url)
{
    const auto it = CUrlPixmap::s_pixmapCache.constFind(url);
    if (it != CUrlPixmap::s_pixmapCache.constEnd() && !it->isNull())
        return *it;
    return defaultPicture();
}

bool CContactsAvatar::isCached(const QString &url)
{
    return CUrlPixmap::s_pixmapCache.contains(url);
}

QPixmap CContactsAvatar::defaultPicture()
{
    const auto it = CUrlPixmap::s_pixmapCache.constFind(QStringLiteral("default"));
    if (it != CUrlPixmap::s_pixmapCache.constEnd() && !it->isNull())
        return *it;
    static const QString kBuiltIn = QStringLiteral(":/resources/images/default_user_header.jpg");
    return QPixmap(kBuiltIn);
}

void CContactsAvatar::takeOrQueue(const QString &url, QSet<QString> &pendingUrls, QPixmap &avatar)
{
    if (url.isEmpty()) {
        // Nothing to fetch.
        avatar = defaultPicture();
    } else if (isCached(url)) {
        avatar = cachedOrDefault(url);
    } else if (!pendingUrls.contains(url)) {
        pendingUrls.insert(url);
        CUrlPixmap::getInstance()->setDownloadUrl(url);
    }
}

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
