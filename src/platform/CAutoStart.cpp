#include "platform/CAutoStart.h"

#include "helpers/LogMacros.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace rj_app::platform {

namespace {

const char *const kEntryName = "glimora.desktop";
const char *const kGroup = "[Desktop Entry]";

// The escapes of a value of type string, which a reader undoes first.
QString escapeStringValue(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Whether the entry's own keys switch it off.
bool switchedOff(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String(kGroup);
            continue;
        }
        if (!inMainGroup || line.startsWith(QLatin1Char('#')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Hidden") && value == QLatin1String("true"))
            return true;
        if (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false"))
            return true;
    }
    return false;
}

} // namespace

QString CAutoStart::entryPath()
{
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    QString base = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/autostart/") + QLatin1String(kEntryName));
}

bool CAutoStart::isEnabled()
{
    const QString path = entryPath();
    return QFileInfo(path).isFile() && !switchedOff(path);
}

QString CAutoStart::execValue(const QString &program)
{
    // Inside double quotes only ", `, $ and \ need a backslash.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // A literal percent sign would start a field code.
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    return escapeStringValue(quoted);
}

bool CAutoStart::enable(const QString &program)
{
    const QString path = entryPath();
    qInfo() << RJ_FUNCTION << "entry:" << path << ", program:" << program;
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) {
        qWarning() << RJ_FUNCTION << "Failed, cannot create the directory" << dir;
        return false;
    }

    QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        name = QStringLiteral("glimora");
    const QString text = QLatin1String(kGroup) + QStringLiteral("\nType=Application\nVersion=1.0\nName=")
                         + escapeStringValue(name) + QStringLiteral("\nExec=") + execValue(program)
                         + QStringLiteral("\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << RJ_FUNCTION << "Failed to write" << path << ":" << file.errorString();
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        qWarning() << RJ_FUNCTION << "Failed to write" << path << ":" << file.errorString();
        return false;
    }
    qInfo() << RJ_FUNCTION << "done";
    return true;
}

bool CAutoStart::disable()
{
    const QString path = entryPath();
    qInfo() << RJ_FUNCTION << "entry:" << path;
    const QFileInfo info(path);
    // A directory of that name is nobody's entry: nothing to remove.
    if (!info.isFile() && !info.isSymLink())
        return true;
    QFile file(path);
    if (!file.remove()) {
        qWarning() << RJ_FUNCTION << "Failed to remove" << path << ":" << file.errorString();
        return false;
    }
    qInfo() << RJ_FUNCTION << "done";
    return true;
}

} // namespace rj_app::platform
