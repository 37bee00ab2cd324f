#include "support/UnwritableDir.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glimora::test {

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// Writes until the file system has no block left.
bool fillUp(const QString &dir)
{
    const int fd = ::open(native(dir + QStringLiteral("/.filler")).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    const bool full = errno == ENOSPC;
    // Partial pages too.
    while (::write(fd, block.constData(), 1) > 0) {
    }
    ::close(fd);
    return full;
}

} // namespace

UnwritableDir::UnwritableDir(const QString &dir, Way way)
    : m_dir(QDir(dir).absolutePath())
{
    m_why = make(way);
    m_ready = m_why.isEmpty();
}

QString UnwritableDir::make(Way way)
{
    const QByteArray path = native(m_dir);
    if (way == Full) {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(m_dir).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(m_dir + QLatin1Char('/') + name);
            if (!file.open(QIODevice::ReadOnly))
                return QStringLiteral("cannot read ") + name;
            files.insert(name, file.readAll());
        }
        if (::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k,mode=0700") != 0)
            return QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
        m_mounted = true;
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QFile file(m_dir + QLatin1Char('/') + it.key());
            if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
                return QStringLiteral("cannot copy ") + it.key();
        }
        return fillUp(m_dir) ? QString() : QStringLiteral("cannot fill the tmpfs");
    }
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0) {
        m_mounted = true;
        if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return QStringLiteral("cannot remount read-only: ") + QString::fromLocal8Bit(std::strerror(errno));
        return QString();
    }
    if (::geteuid() == 0)
        return QStringLiteral("root may neither mount nor be kept out by the mode");
    if (::chmod(path.constData(), 0500) != 0)
        return QStringLiteral("cannot change the mode");
    m_chmodded = true;
    return QString();
}

UnwritableDir::~UnwritableDir()
{
    if (m_mounted)
        ::umount2(native(m_dir).constData(), MNT_DETACH);
    if (m_chmodded)
        ::chmod(native(m_dir).constData(), 0700);
}

} // namespace glimora::test
