#pragma once

// Reads a start entry back the way a desktop session does: the escapes of a
// string value first, then the field codes, then the quoting of the
// arguments. Independent of the writer, so a round trip shows that what was
// written starts the program it names.

#include <QFile>
#include <QString>
#include <QStringList>

namespace glimora::test {

// The raw value of `key` in the [Desktop Entry] group; null when absent.
inline QString desktopEntryValue(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    bool inGroup = false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0 && line.left(eq).trimmed() == key)
            return line.mid(eq + 1).trimmed();
    }
    return QString();
}

// The argument vector of an Exec value; *error is set when the value breaks
// the format's rules (unknown escape, field code, unquoted reserved
// character, unterminated quote).
inline QStringList execArguments(const QString &value, QString *error)
{
    // 1. Escapes of a string value.
    QString unescaped;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\')) {
            unescaped += c;
            continue;
        }
        if (++i >= value.size()) {
            *error = QStringLiteral("dangling backslash");
            return {};
        }
        switch (value.at(i).unicode()) {
        case 's': unescaped += QLatin1Char(' '); break;
        case 'n': unescaped += QLatin1Char('\n'); break;
        case 't': unescaped += QLatin1Char('\t'); break;
        case 'r': unescaped += QLatin1Char('\r'); break;
        case '\\': unescaped += QLatin1Char('\\'); break;
        default:
            *error = QStringLiteral("unknown escape \\%1").arg(value.at(i));
            return {};
        }
    }
    // 2. Field codes: only the literal percent sign is expected here.
    QString expanded;
    for (int i = 0; i < unescaped.size(); ++i) {
        if (unescaped.at(i) != QLatin1Char('%')) {
            expanded += unescaped.at(i);
            continue;
        }
        if (i + 1 < unescaped.size() && unescaped.at(i + 1) == QLatin1Char('%')) {
            expanded += QLatin1Char('%');
            ++i;
            continue;
        }
        *error = QStringLiteral("field code in %1").arg(unescaped);
        return {};
    }
    // 3. Arguments and their quoting.
    const QString reserved = QStringLiteral("\t\n\"'\\><~|&;$*?#`()");
    QStringList args;
    QString current;
    bool inArg = false;
    for (int i = 0; i < expanded.size(); ++i) {
        const QChar c = expanded.at(i);
        if (c == QLatin1Char(' ')) {
            if (inArg)
                args << current;
            current.clear();
            inArg = false;
            continue;
        }
        inArg = true;
        if (c != QLatin1Char('"')) {
            if (reserved.contains(c)) {
                *error = QStringLiteral("unquoted reserved character '%1'").arg(c);
                return {};
            }
            current += c;
            continue;
        }
        for (++i;; ++i) {
            if (i >= expanded.size()) {
                *error = QStringLiteral("unterminated quote");
                return {};
            }
            const QChar q = expanded.at(i);
            if (q == QLatin1Char('"'))
                break;
            if (q == QLatin1Char('\\')) {
                const QChar next = i + 1 < expanded.size() ? expanded.at(i + 1) : QChar();
                if (next == QLatin1Char('"') || next == QLatin1Char('`') || next == QLatin1Char('$')
                    || next == QLatin1Char('\\')) {
                    current += next;
                    ++i;
                    continue;
                }
                *error = QStringLiteral("stray backslash in quotes");
                return {};
            }
            if (q == QLatin1Char('`') || q == QLatin1Char('$')) {
                *error = QStringLiteral("unescaped '%1' in quotes").arg(q);
                return {};
            }
            current += q;
        }
    }
    if (inArg)
        args << current;
    return args;
}

} // namespace glimora::test
