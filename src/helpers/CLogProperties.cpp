#include "CLogProperties.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileDevice>
#include <QIODevice>
#include <QRegularExpression>

#include <optional>

namespace rj_app::helpers {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\f');
}

QString stripLeading(const QString &line)
{
    int i = 0;
    while (i < line.size() && isBlank(line.at(i)))
        ++i;
    return line.mid(i);
}

// A line continues on the next one when it ends in an odd number of
// backslashes; an even number is escaped backslashes only.
bool continues(const QString &line)
{
    int count = 0;
    for (int i = line.size() - 1; i >= 0 && line.at(i) == QLatin1Char('\\'); --i)
        ++count;
    return count % 2 == 1;
}

std::optional<QString> unescape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= text.size())
            break; // a lone backslash at the very end of the file
        const QChar e = text.at(i);
        switch (e.unicode()) {
        case 't': out += QLatin1Char('\t'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case 'f': out += QLatin1Char('\f'); break;
        case 'u': {
            const QString hex = text.mid(i + 1, 4);
            static const QRegularExpression fourHex(QStringLiteral("^[0-9A-Fa-f]{4}$"));
            if (!fourHex.match(hex).hasMatch())
                return std::nullopt;
            out += QChar(hex.toUShort(nullptr, 16));
            i += 4;
            break;
        }
        default: out += e; break;
        }
    }
    return out;
}

struct Entry
{
    QString key;
    QString value;
};

// Splits one logical line (leading whitespace already gone) into key and
// value; the key ends at the first unescaped '=', ':' or whitespace.
std::optional<Entry> parseLine(const QString &line)
{
    int pos = 0;
    while (pos < line.size()) {
        const QChar c = line.at(pos);
        if (c == QLatin1Char('\\')) {
            pos += 2;
            continue;
        }
        if (c == QLatin1Char('=') || c == QLatin1Char(':') || isBlank(c))
            break;
        ++pos;
    }
    const int keyEnd = qMin(pos, line.size());
    int valueStart = keyEnd;
    while (valueStart < line.size() && isBlank(line.at(valueStart)))
        ++valueStart;
    if (valueStart < line.size()
        && (line.at(valueStart) == QLatin1Char('=') || line.at(valueStart) == QLatin1Char(':'))) {
        ++valueStart;
        while (valueStart < line.size() && isBlank(line.at(valueStart)))
            ++valueStart;
    }
    const auto key = unescape(line.left(keyEnd));
    const auto value = unescape(line.mid(valueStart));
    if (!key || !value)
        return std::nullopt;
    return Entry{*key, *value};
}

} // namespace

bool CLogProperties::load(QIODevice &device)
{
    if (!device.isReadable())
        return false;
    const QByteArray bytes = device.readAll();
    if (const auto *file = qobject_cast<QFileDevice *>(&device)) {
        if (file->error() != QFileDevice::NoError)
            return false;
    }
    return load(QString::fromUtf8(bytes));
}

bool CLogProperties::load(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineBreak);

    QList<Entry> entries;
    for (int i = 0; i < lines.size(); ++i) {
        QString logical = stripLeading(lines.at(i));
        if (logical.isEmpty() || logical.startsWith(QLatin1Char('#')) || logical.startsWith(QLatin1Char('!')))
            continue;
        while (continues(logical)) {
            logical.chop(1);
            if (++i >= lines.size())
                break;
            logical += stripLeading(lines.at(i));
        }
        const auto entry = parseLine(logical);
        if (!entry)
            return false;
        entries.append(*entry);
    }
    // Only a file read whole is taken, so a broken file changes nothing.
    for (const Entry &entry : qAsConst(entries))
        setValue(entry.key, entry.value);
    return true;
}

QString CLogProperties::value(const QString &key, const QString &defaultValue) const
{
    return m_values.value(key, defaultValue);
}

void CLogProperties::setValue(const QString &key, const QString &value)
{
    if (!m_values.contains(key))
        m_keys.append(key);
    m_values.insert(key, value);
}

void CLogProperties::clear()
{
    m_keys.clear();
    m_values.clear();
}

QString CLogProperties::expandVariables(const QString &value, const EnvLookup &env)
{
    static const QLatin1String open("${");
    QString out;
    int pos = 0;
    for (;;) {
        const int start = value.indexOf(open, pos);
        if (start < 0)
            break;
        const int end = value.indexOf(QLatin1Char('}'), start + open.size());
        if (end < 0)
            break;
        out += value.midRef(pos, start - pos);
        QString replacement = env ? env(value.mid(start + open.size(), end - start - open.size())) : QString();
        if (replacement.isEmpty())
            out += value.midRef(start, end - start + 1);
        else
            out += replacement.replace(QLatin1Char('\\'), QLatin1Char('/'));
        pos = end + 1;
    }
    out += value.midRef(pos);
    return out;
}

QString CLogProperties::systemEnvironment(const QString &name)
{
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

QString CLogProperties::logFileName(bool isConflicted)
{
    return isConflicted ? QStringLiteral("app-conflict.log") : QStringLiteral("app.log");
}

bool CLogProperties::loadLogConfig(const QString &path, CLogProperties &properties, bool isConflicted,
                                   const EnvLookup &env)
{
    const EnvLookup lookup = env ? env : EnvLookup(&CLogProperties::systemEnvironment);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "Failed to open log conf file";
        return false;
    }
    CLogProperties loaded;
    if (!loaded.load(file)) {
        qInfo() << "Failed to load log conf file";
        return false;
    }
    for (const QString &key : loaded.keys()) {
        QString value = loaded.value(key);
        qDebug().noquote().nospace() << "Key: " << key << ", Value: " << value;
        value = expandVariables(value, lookup);
        if (key == QLatin1String("log4j.appender.dest.file")) {
            value += QLatin1Char('/') + QCoreApplication::applicationName() + QLatin1Char('/')
                     + logFileName(isConflicted);
        }
        qDebug().noquote().nospace() << "Key1: " << key << ", Value1: " << value;
        properties.setValue(key, value);
    }
    return true;
}

} // namespace rj_app::helpers
