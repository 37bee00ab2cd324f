#include "views/meetings/CContactsAvatar.h"

#include "models/CUrlPixmap.h"

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

} // namespace rj_app::views
