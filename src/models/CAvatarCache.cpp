#include "models/CAvatarCache.h"

#include "models/CUrlPixmap.h"

#include <QSet>

namespace rj_app::models {

namespace {

const QString kDefaultKey = QStringLiteral("default");
const QString kBuiltInPicture = QStringLiteral(":/resources/images/default_user_header.jpg");

// Addresses queued with the downloader and not yet reported back. The
// attendee lists are rebuilt every few seconds; without this, each rebuild
// would queue the missing avatars again while their downloads still wait.
QSet<QString> &pending()
{
    static QSet<QString> urls;
    return urls;
}

void trackReports()
{
    static const bool tracked = [] {
        CUrlPixmap *loader = CUrlPixmap::getInstance();
        // Lives with the downloader, so it hears every report, also those
        // that arrive after the model that asked is gone.
        QObject::connect(loader, &CUrlPixmap::signal_downloadFinished, loader,
                         [](const QString &url) { pending().remove(url); });
        return true;
    }();
    Q_UNUSED(tracked)
}

} // namespace

QPixmap CAvatarCache::defaultPicture()
{
    const auto it = CUrlPixmap::s_pixmapCache.constFind(kDefaultKey);
    if (it != CUrlPixmap::s_pixmapCache.constEnd() && !it->isNull())
        return *it;
    return QPixmap(kBuiltInPicture);
}

QPixmap CAvatarCache::cachedOrDefault(const QString &url)
{
    const auto it = CUrlPixmap::s_pixmapCache.constFind(url);
    if (!url.isEmpty() && it != CUrlPixmap::s_pixmapCache.constEnd() && !it->isNull())
        return *it;
    return defaultPicture();
}

bool CAvatarCache::takeOrQueue(const QString &url, QPixmap &avatar)
{
    if (url.isEmpty()) {
        avatar = defaultPicture(); // nothing to fetch
        return true;
    }
    const auto it = CUrlPixmap::s_pixmapCache.constFind(url);
    if (it != CUrlPixmap::s_pixmapCache.constEnd() && !it->isNull()) {
        avatar = *it;
        return true;
    }
    trackReports();
    if (!pending().contains(url)) {
        pending().insert(url);
        CUrlPixmap::getInstance()->setDownloadUrl(url);
    }
    return false;
}

bool CAvatarCache::isPending(const QString &url)
{
    return pending().contains(url);
}

} // namespace rj_app::models
