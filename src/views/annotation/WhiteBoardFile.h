#pragma once

#include <QObject>
#include <QString>

// Makes sure the drawing folder "Paint" exists in the user data directory
// (beside the executable it would land in a folder the user may not write,
// shared by every user); a drawing surface creates one as its child. It
// writes no file.
class WhiteBoardFile : public QObject
{
    Q_OBJECT
public:
    explicit WhiteBoardFile(QObject *parent = nullptr);

    QString path() const { return m_strPath; }

    // Test seam: the folder that takes the place of the user data directory.
    // Empty restores the default.
    static void setBaseDirForTesting(const QString &dir);

private:
    QString m_strPath;
};
