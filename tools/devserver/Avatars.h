#pragma once

#include <QByteArray>
#include <QHash>

#include <mutex>
#include <optional>

class QImage;

namespace devserver {

// Profile pictures: a generated head-and-shoulders figure on a colour drawn
// from the user id, so every user keeps one recognisable picture, until the
// user uploads one. Encoded once per user and kept; any thread.
class Avatars
{
public:
    struct Picture
    {
        QByteArray data;
        QByteArray mimeType;
    };

    Picture pictureOf(int userId);
    // Replaces the user's picture for the rest of the run.
    void store(int userId, const QImage &image);

    // An uploaded picture, read without trusting its header: nothing when the
    // data is no picture or claims more than kMaxSide pixels on a side.
    static std::optional<QImage> decode(const QByteArray &data);

    static constexpr int kSize = 120;
    static constexpr int kMaxSide = 4096;

private:
    static Picture draw(int userId);
    static Picture encode(const QImage &image);

    std::mutex m_mutex;
    QHash<int, Picture> m_cache;
};

} // namespace devserver
