#pragma once

#include <QList>
#include <QPixmap>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>

class QPainter;

namespace rj_app::views {

// The avatar lookups and row painting pieces shared by the contacts list and
// the user directory.
struct CContactsAvatar
{
    // The cached picture of `url`; the fallback picture when the cache holds
    // none for it or only an undecodable one (a failed download or a reply that
    // was not a picture), so a row never stays blank once its download ended.
    static QPixmap cachedOrDefault(const QString &url);
    static bool isCached(const QString &url);
    // The fallback: the cache's "default" entry, else the built-in picture.
    static QPixmap defaultPicture();
    // A row's picture for `url`: the fallback for no address, the cached one
    // when known, else the download is queued once (in `pendingUrls`) and
    // `avatar` stays as it is until it finishes.
    static void takeOrQueue(const QString &url, QSet<QString> &pendingUrls, QPixmap &avatar);
    // A finished download of `url`: every row of that address takes the
    // picture (one download serves all), each row announced on its own, since
    // a reset per arrival would re-filter the list and throw the view back to
    // the top while scrolling.
    template <typename Item, typename ImageUrlOf, typename Announce>
    static void applyFinishedDownload(const QString &url, const QList<Item *> &items,
                                      QSet<QString> &pendingUrls, ImageUrlOf imageUrlOf, Announce announce)
    {
        if (url.isEmpty())
            return;
        pendingUrls.remove(url);
        for (int row = 0; row < items.size(); ++row) {
            Item *item = items[row];
            if (item->avatarUrl != url)
                continue;
            item->avatar = cachedOrDefault(imageUrlOf(*item));
            announce(row);
        }
    }

    // A `width` x `height` box at `left`, centred vertically in `rect`.
    static QRect centredIn(const QRect &rect, int left, int width, int height);
    // The ticked-box and empty-box pictures for a scale.
    static QStringList tickBoxFiles(double scale);
    // `text` left-aligned in `textRect`, cut short with an ellipsis when long.
    static void drawElidedText(QPainter *painter, const QRect &textRect, const QString &text);
};

} // namespace rj_app::views
