#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QPainter;

namespace rj_app::views {

// The row painting pieces shared by the contacts list and the user
// directory. Their avatars come from models::CAvatarCache.
struct CContactsAvatar
{
    // A `width` x `height` box at `left`, centred vertically in `rect`.
    static QRect centredIn(const QRect &rect, int left, int width, int height);
    // The ticked-box and empty-box pictures for a scale.
    static QStringList tickBoxFiles(double scale);
    // `text` left-aligned in `textRect`, cut short with an ellipsis when long.
    static void drawElidedText(QPainter *painter, const QRect &textRect, const QString &text);
};

} // namespace rj_app::views
