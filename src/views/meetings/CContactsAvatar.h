#pragma once

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

    // A `width` x `height` box at `left`, centred vertically in `rect`.
    static QRect centredIn(const QRect &rect, int left, int width, int height);
    // The ticked-box and empty-box pictures for a scale.
    static QStringList tickBoxFiles(double scale);
    // `text` left-aligned in `textRect`, cut short with an ellipsis when long.
    static void drawElidedText(QPainter *painter, const QRect &textRect, const QString &text);
};

} // namespace rj_app::views
