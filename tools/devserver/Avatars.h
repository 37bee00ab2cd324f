#pragma once

#include <QByteArray>
#include <QHash>

#include <mutex>

namespace devserver {

// Generated profile pictures: a head-and-shoulders figure on a colour drawn
// from the user id, so every user keeps one recognisable picture. Encoded
// once per user and kept; any thread.
class Avatars
{
public:
    struct Picture
    {
        QByteArray data;
        QByteArray mimeType;
    };

    Picture pictureOf(int userId);

    static constexpr int kSize = 120;

private:
    static Picture draw(int userId);

    std::mutex m_mutex;
    QHash<int, Picture> m_cache;
};

} // namespace devserver
