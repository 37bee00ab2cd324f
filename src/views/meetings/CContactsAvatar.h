#pragma once

#include <QPixmap>
#include <QString>

namespace rj_app::views {

// The avatar lookups shared by the contacts list and the user directory.
struct CContactsAvatar
{
    // The cached picture of `url`; the fallback picture when the cache holds
    // none for it or only an undecodable one (a failed download or a reply that
    // was not a picture), so a row never stays blank once its download ended.
    static QPixmap cachedOrDefault(const QString &url);
    static bool isCached(const QString &url);
    // The fallback: the cache's "default" entry, else the built-in picture.
    static QPixmap defaultPicture();
};

} // namespace rj_app::views
