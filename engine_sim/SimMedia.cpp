#include "SimMedia.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace rjsim::media {

namespace {

std::vector<std::string> splitList(const std::string &text)
{
    std::vector<std::string> items;
    std::string item;
    for (char c : text + ",") {
        if (c == ',') {
            const auto b = item.find_first_not_of(" \t");
            const auto e = item.find_last_not_of(" \t");
            if (b != std::string::npos)
                items.push_back(item.substr(b, e - b + 1));
            item.clear();
        } else {
            item += c;
        }
    }
    return items;
}

QColor colourFor(std::uint32_t seed, int shift)
{
    return QColor::fromHsv(static_cast<int>((seed * 47u + static_cast<std::uint32_t>(shift) * 97u) % 360u), 140, 210);
}

QImage drawSource(int sourceType, std::uint32_t seed, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, width, height);
    bg.setColorAt(0, colourFor(seed, 0));
    bg.setColorAt(1, colourFor(seed, 1).darker(150));
    p.fillRect(image.rect(), bg);
    // A desktop with two windows, or a window with a title bar and text lines;
    // no text is drawn, so no font is needed off the GUI thread.
    if (sourceType == 0) {
        p.fillRect(QRectF(0, height * 0.94, width, height * 0.06), QColor(30, 30, 30, 200));
        p.fillRect(QRectF(width * 0.08, height * 0.1, width * 0.5, height * 0.55), QColor(250, 250, 250));
        p.fillRect(QRectF(width * 0.45, height * 0.35, width * 0.45, height * 0.5), QColor(235, 240, 250));
    } else {
        p.fillRect(QRectF(0, 0, width, height * 0.12), colourFor(seed, 2).darker(130));
        p.setPen(QPen(QColor(120, 120, 120), std::max(1.0, height / 60.0)));
        for (int i = 1; i < 6; ++i) {
            const double y = height * (0.15 + i * 0.13);
            p.drawLine(QPointF(width * 0.08, y), QPointF(width * (0.5 + 0.07 * (i % 3)), y));
        }
    }
    return image;
}

QImage drawIcon(std::uint32_t seed, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colourFor(seed, 3));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(size * 0.05, size * 0.05, size * 0.9, size * 0.9), size * 0.2, size * 0.2);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(size * 0.3, size * 0.3, size * 0.4, size * 0.4));
    return image;
}

} // namespace

bool readScreens(std::vector<Screen> *screens)
{
    const char *env = std::getenv("RJSIM_SCREENS");
    if (env && *env) {
        screens->clear();
        int x = 0;
        for (const std::string &name : splitList(env)) {
            Screen s;
            s.name = name;
            s.x = x;
            x += s.width;
            screens->push_back(s);
        }
        return true;
    }
    // QGuiApplication::screens() belongs to the GUI thread; the client calls
    // in from there when it lists share sources.
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread())
        return false;
    screens->clear();
    for (QScreen *screen : QGuiApplication::screens()) {
        Screen s;
        s.name = screen->name().trimmed().toStdString();
        const QRect g = screen->geometry();
        s.x = g.x();
        s.y = g.y();
        s.width = std::max(1, g.width());
        s.height = std::max(1, g.height());
        screens->push_back(s);
    }
    return true;
}

const std::vector<Window> &demoWindows()
{
    static const std::vector<Window> windows = {
        {"Text Editor - notes.txt", 0x3a00007u, 1024, 768},
        {"Web Browser - Glimora Help", 0x3c00011u, 1280, 800},
        {"Terminal", 0x4200005u, 800, 500},
    };
    return windows;
}

void fitInto(int width, int height, int maxWidth, int maxHeight, int *outWidth, int *outHeight)
{
    width = std::max(1, width);
    height = std::max(1, height);
    double scale = std::min(double(maxWidth) / width, double(maxHeight) / height);
    *outWidth = std::max(1, int(width * scale));
    *outHeight = std::max(1, int(height * scale));
}

unsigned char *renderSourceBitmap(int sourceType, std::uint32_t seed, int width, int height,
                                  int bitmapType)
{
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192)
        return nullptr;
    if (bitmapType == 0) {
        const QImage image = drawSource(sourceType, seed, width, height).convertToFormat(QImage::Format_RGB888);
        const int stride = (width * 3 + 3) & ~3;
        auto *data = new unsigned char[static_cast<std::size_t>(stride) * height]();
        for (int y = 0; y < height; ++y) {
            const uchar *src = image.constScanLine(y);
            unsigned char *dst = data + static_cast<std::size_t>(stride) * y;
            for (int x = 0; x < width; ++x) {
                dst[x * 3 + 0] = src[x * 3 + 2];
                dst[x * 3 + 1] = src[x * 3 + 1];
                dst[x * 3 + 2] = src[x * 3 + 0];
            }
        }
        return data;
    }
    if (bitmapType == 1) {
        const QImage image = drawIcon(seed, std::min(width, height)).scaled(width, height);
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        auto *data = new unsigned char[static_cast<std::size_t>(width) * height * 4];
        for (int y = 0; y < height; ++y)
            std::memcpy(data + static_cast<std::size_t>(width) * 4 * y, argb.constScanLine(y),
                        static_cast<std::size_t>(width) * 4);
        return data;
    }
    return nullptr;
}

bool writeAvatar(const std::string &path, const std::string &user, const std::string &uploaded)
{
    QByteArray bytes;
    if (!uploaded.empty()) {
        bytes = QByteArray(uploaded.data(), static_cast<int>(uploaded.size()));
    } else {
        std::uint32_t seed = 2166136261u;
        for (char c : user)
            seed = (seed ^ static_cast<unsigned char>(c)) * 16777619u;
        QImage image(160, 160, QImage::Format_RGB32);
        image.fill(colourFor(seed, 0));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(QRectF(52, 28, 56, 56));
        p.drawEllipse(QRectF(24, 96, 112, 100));
        p.end();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // JPEG when the image plugin is there, PNG (always built in) otherwise;
        // readers sniff the content.
        if (!image.save(&buffer, "JPG")) {
            bytes.clear();
            buffer.seek(0);
            image.save(&buffer, "PNG");
        }
    }
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

bool readPicture(const std::string &path, std::string *bytes)
{
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    QImage image;
    if (data.isEmpty() || !image.loadFromData(data))
        return false;
    bytes->assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

long long soundDurationMs(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return -1;
    char header[44] = {};
    in.read(header, sizeof(header));
    if (in.gcount() < 44 || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return 1000;
    auto u32 = [&](int at) {
        return std::uint32_t(std::uint8_t(header[at])) | std::uint32_t(std::uint8_t(header[at + 1])) << 8
               | std::uint32_t(std::uint8_t(header[at + 2])) << 16 | std::uint32_t(std::uint8_t(header[at + 3])) << 24;
    };
    const std::uint32_t byteRate = u32(28);
    in.seekg(0, std::ios::end);
    const long long size = static_cast<long long>(in.tellg());
    if (byteRate == 0 || size <= 44)
        return 1000;
    return (size - 44) * 1000 / byteRate;
}

} // namespace rjsim::media
