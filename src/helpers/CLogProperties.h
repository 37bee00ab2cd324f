#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

namespace rj_app::helpers {

// The part of the Java properties format that the logging configuration
// uses: "key=value", "key: value" and "key value" lines, "#" and "!"
// comments, blank lines, leading whitespace, continuation lines ending in an
// odd number of backslashes, and the escapes \t \n \r \f \uXXXX and "\x" for
// any other character x. Keys keep the order of their first appearance; a
// repeated key takes the later value.
class CLogProperties
{
public:
    // Reads an environment variable; an empty result counts as unset.
    using EnvLookup = std::function<QString(const QString &name)>;

    // Adds the properties read from an open device (UTF-8). False when the
    // device cannot be read or holds a malformed \u escape; nothing is added
    // then.
    bool load(QIODevice &device);
    bool load(const QString &text);

    QStringList keys() const { return m_keys; }
    bool contains(const QString &key) const { return m_values.contains(key); }
    QString value(const QString &key, const QString &defaultValue = QString()) const;
    void setValue(const QString &key, const QString &value);
    bool isEmpty() const { return m_keys.isEmpty(); }
    void clear();

    // Every "${NAME}" of the text, left to right, becomes the variable's value
    // with each backslash turned into "/". An unset or empty variable leaves
    // its reference as written, a "${" without a closing "}" stays, and
    // substituted text is not searched again.
    static QString expandVariables(const QString &value, const EnvLookup &env);
    // The process environment.
    static QString systemEnvironment(const QString &name);

    // "app.log", or "app-conflict.log" for a later instance.
    static QString logFileName(bool isConflicted);

    // Reads the logging configuration at `path` into `properties`: variables
    // are expanded in every value, and "log4j.appender.dest.file" gets
    // "/<application name>/<log file name>" appended. False (with a debug or
    // info message) when the file cannot be opened or read; `properties` is
    // then left as it was. `env` defaults to the process environment.
    static bool loadLogConfig(const QString &path, CLogProperties &properties, bool isConflicted,
                              const EnvLookup &env = EnvLookup());

private:
    QStringList m_keys;
    QHash<QString, QString> m_values;
};

} // namespace rj_app::helpers
