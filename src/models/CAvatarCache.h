#pragma once

#include <QPixmap>
#include <QString>

namespace rj_app::models {

// The avatar of a list row, shared by every list model: the cached picture of
// its address, the fallback picture when there is none to fetch or its
// download failed, and one queued download per missing address however many
// rows, refreshes and models ask for it. Models repaint their rows of an
// address on CUrlPixmap::signal_downloadFinished, taking cachedOrDefault().
// GUI thread only.
class CAvatarCache
{
public:
    // The cache's "default" entry, else the built-in picture.
    static QPixmap defaultPicture();
    // The cached picture of `url`, else the fallback.
    static QPixmap cachedOrDefault(const QString &url);
    // A row's picture for `url`: the fallback for no address, the cached
    // picture when there is one. Otherwise the download is queued, unless one
    // for that address is already on its way, and `avatar` is left as it is;
    // returns false then.
    static bool takeOrQueue(const QString &url, QPixmap &avatar);
    // A download of `url` was queued and has not finished yet.
    static bool isPending(const QString &url);
};

} // namespace rj_app::models
