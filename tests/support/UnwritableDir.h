#pragma once

#include <QString>

namespace glimora::test {

// Makes an existing directory refuse new data for as long as it lives, its
// files kept as they are:
//   Full      a small tmpfs mounted over it, its files copied in, filled up
//             (root, or whoever may mount);
//   ReadOnly  a read-only bind mount over it (the same), else, without the
//             right to mount, the directory's write bit taken away, which
//             only binds a user that is not root.
// ready() is false, with why() saying so, when the way cannot be had here.
class UnwritableDir
{
public:
    enum Way { Full, ReadOnly };

    UnwritableDir(const QString &dir, Way way);
    ~UnwritableDir();
    UnwritableDir(const UnwritableDir &) = delete;
    UnwritableDir &operator=(const UnwritableDir &) = delete;

    bool ready() const { return m_ready; }
    QString why() const { return m_why; }

private:
    QString make(Way way); // the reason it cannot, empty when done

    QString m_dir;
    bool m_ready = false;
    bool m_mounted = false;
    bool m_chmodded = false;
    QString m_why;
};

} // namespace glimora::test
