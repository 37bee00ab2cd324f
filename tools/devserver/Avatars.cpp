#include "Avatars.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
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
    // Drawn outside the lock; two threads may draw the same picture once. A
    // picture stored meanwhile wins.
    const Picture picture = draw(userId);
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_cache.constFind(userId);
    if (it != m_cache.constEnd())
        return *it;
    m_cache.insert(userId, picture);
    return picture;
}

void Avatars::store(int userId, const QImage &image)
{
    // Served at the size of the generated ones, and always re-encoded: what
    // goes out is our own file, not the uploaded bytes.
    const QImage fitted = image.width() > kSize || image.height() > kSize
                              ? image.scaled(kSize, kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              : image;
    // JPEG has no transparency: see-through parts become white, not black.
    QImage opaque(fitted.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, fitted);
    }
    const Picture picture = encode(opaque);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cache.insert(userId, picture);
}

std::optional<QImage> Avatars::decode(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide)
        return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return std::nullopt;
    return image;
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
    return encode(image);
}

Avatars::Picture Avatars::encode(const QImage &image)
{
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
