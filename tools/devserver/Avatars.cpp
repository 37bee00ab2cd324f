#include "Avatars.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>

namespace devserver {

Avatars::Picture Avatars::pictureOf(int userId)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_cache.constFind(userId);
        if (it != m_cache.constEnd())
            return *it;
    }
    // Drawn outside the lock; two threads may draw the same picture once.
    Picture picture = draw(userId);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cache.insert(userId, picture);
    return picture;
}

Avatars::Picture Avatars::draw(int userId)
{
    // Neighbouring ids get clearly different hues.
    const int hue = static_cast<int>((static_cast<unsigned>(userId) * 47u) % 360u);
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(hue, 140, 205));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawEllipse(QPointF(kSize / 2.0, kSize * 0.38), kSize * 0.19, kSize * 0.19);
        painter.drawEllipse(QPointF(kSize / 2.0, kSize * 0.98), kSize * 0.38, kSize * 0.33);
    }

    Picture picture;
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    if (image.save(&buffer, "JPG", 85)) {
        picture.mimeType = "image/jpeg";
    } else {
        // Without the JPEG plugin: the client reads the picture by content.
        picture.data.clear();
        buffer.seek(0);
        image.save(&buffer, "PNG");
        picture.mimeType = "image/png";
    }
    return picture;
}

} // namespace devserver
