#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <string>

namespace rj_app::helpers {

// The client's own INI reader and writer. Keeps the whole file in memory as
// section -> key -> value (all byte strings, compared byte-wise) and rewrites
// the whole file on save. Not thread-safe: the owner decides on locking.
class CConfigUtils
{
public:
    CConfigUtils();
    virtual ~CConfigUtils();

    CConfigUtils(const CConfigUtils &) = default;
    CConfigUtils &operator=(const CConfigUtils &) = default;

    // Replaces the table with the file's content; true when the whole file
    // was read. Anything but a regular file of at most m_iMaxFileBytes fails
    // to load. The path is kept for save() even when loading fails.
    bool load(const char *pszPath);
    // Binds to the path, empties the table and leaves an empty file there.
    bool create(const char *pszPath);
    // Writes the table when something changed. The file is replaced
    // atomically; on failure the old file stays and the table stays dirty.
    bool save();

    // A copy of the stored value, or the default when section or key is absent.
    QByteArray getString(const char *pszSection, const char *pszKey, const char *pszDefault) const;
    // The stored value as an integer with automatic base, clamped to int.
    int getInt(const char *pszSection, const char *pszKey, int iDefault) const;
    bool hasKey(const char *pszSection, const char *pszKey) const;

    void setString(const char *pszSection, const char *pszKey, const char *pszValue);
    void setInt(const char *pszSection, const char *pszKey, int iValue);

    bool isDirty() const { return m_bDirty; }
    // Why the last save failed, empty after a successful one.
    QString errorString() const { return m_qstrError; }
    QByteArray path() const { return QByteArray::fromStdString(m_strPath); }

    // Both configuration files hold a few dozen short lines.
    static constexpr qint64 m_iMaxFileBytes = 1024 * 1024;

private:
    using KeyTable = std::map<std::string, std::string>;

    bool writeFile();
    bool readWholeFile(std::string *pContent) const;

    std::map<std::string, KeyTable> m_sections;
    bool m_bDirty = false;
    std::string m_strPath;
    QString m_qstrError;
};

} // namespace rj_app::helpers
