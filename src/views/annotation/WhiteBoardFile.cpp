#include "views/annotation/WhiteBoardFile.h"

#include "helpers/CUserConfigUtils.h"
#include "views/annotation/DrawingPalette.h"

#include <QDebug>
#include <QDir>

namespace {
QString &baseDirOverride()
{
    static QString dir;
    return dir;
}
} // namespace

WhiteBoardFile::WhiteBoardFile(QObject *parent)
    : QObject(parent)
{
    const QString base = baseDirOverride().isEmpty() ? rj_app::helpers::CUserConfigUtils::getUserConfigPath()
                                                     : baseDirOverride();
    m_strPath = base + QLatin1Char('/') + QLatin1String(rj_app::views::kPaintDirName);
    QDir dir(m_strPath);
    // Nothing depends on the folder yet, so a failure only leaves a trace in the log.
    if (!dir.exists() && !dir.mkdir(m_strPath))
        qWarning() << "WhiteBoardFile: cannot create" << m_strPath;
}

void WhiteBoardFile::setBaseDirForTesting(const QString &dir)
{
    baseDirOverride() = dir;
}
