#include "CLogger.h"

#include "CLogProperties.h"
#include "LogMacros.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QVector>

#include <spdlog/details/file_helper.h>
#include <spdlog/details/os.h>
#include <spdlog/logger.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/base_sink.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/sinks/stdout_sinks.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <limits>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <sys/types.h>

namespace rj_app::helpers {

namespace {

// Levels in log4j order; Qt's enum values are not ordered by severity.
enum Rank { RankDebug = 0, RankInfo, RankWarn, RankError, RankFatal, RankOff };

int rankOf(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return RankDebug;
    case QtInfoMsg: return RankInfo;
    case QtWarningMsg: return RankWarn;
    case QtCriticalMsg: return RankError;
    case QtFatalMsg: return RankFatal;
    }
    return RankDebug;
}

int rankOf(const QString &levelName, int fallback)
{
    static const QHash<QString, int> ranks{
        {QStringLiteral("ALL"), RankDebug},   {QStringLiteral("TRACE"), RankDebug},
        {QStringLiteral("DEBUG"), RankDebug}, {QStringLiteral("INFO"), RankInfo},
        {QStringLiteral("WARN"), RankWarn},   {QStringLiteral("ERROR"), RankError},
        {QStringLiteral("FATAL"), RankFatal}, {QStringLiteral("OFF"), RankOff}};
    return ranks.value(levelName.trimmed().toUpper(), fallback);
}

spdlog::level::level_enum spdlogLevel(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return spdlog::level::debug;
    case QtInfoMsg: return spdlog::level::info;
    case QtWarningMsg: return spdlog::level::warn;
    case QtCriticalMsg: return spdlog::level::err;
    case QtFatalMsg: return spdlog::level::critical;
    }
    return spdlog::level::debug;
}

const char *levelName(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return "DEBUG";
    case QtInfoMsg: return "INFO";
    case QtWarningMsg: return "WARN";
    case QtCriticalMsg: return "ERROR";
    case QtFatalMsg: return "FATAL";
    }
    return "DEBUG";
}

const std::chrono::steady_clock::time_point &logStart()
{
    static const auto start = std::chrono::steady_clock::now();
    return start;
}

// A log4j conversion pattern, parsed once and applied to every message.
class Layout
{
public:
    explicit Layout(const QString &pattern) { parse(pattern); }

    QByteArray format(QtMsgType type, const QMessageLogContext &context, const QString &message) const
    {
        QString line;
        for (const Part &part : m_parts) {
            if (part.conversion.isNull()) {
                line += part.text;
                continue;
            }
            QString field = convert(part, type, context, message);
            if (part.maxWidth >= 0 && field.size() > part.maxWidth)
                field = field.right(part.maxWidth);
            if (field.size() < part.minWidth) {
                const QString pad(part.minWidth - field.size(), QLatin1Char(' '));
                field = part.leftAlign ? field + pad : pad + field;
            }
            line += field;
        }
        // Every record ends its own line, so records never run together.
        if (!line.endsWith(QLatin1Char('\n')))
            line += QLatin1Char('\n');
        return line.toUtf8();
    }

private:
    struct Part
    {
        QChar conversion; // null for literal text
        QString text;     // the literal, or the {option}
        int minWidth = 0;
        int maxWidth = -1;
        bool leftAlign = false;
    };

    void parse(const QString &pattern)
    {
        static const QRegularExpression spec(QStringLiteral("%(-?)(\\d*)(?:\\.(\\d+))?([A-Za-z%])(?:\\{([^}]*)\\})?"));
        int pos = 0;
        auto it = spec.globalMatch(pattern);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            if (m.capturedStart() > pos)
                m_parts.append(Part{QChar(), pattern.mid(pos, m.capturedStart() - pos)});
            Part part;
            part.conversion = m.captured(4).at(0);
            part.text = m.captured(5);
            part.leftAlign = !m.captured(1).isEmpty();
            part.minWidth = m.captured(2).toInt();
            if (m.capturedLength(3) > 0)
                part.maxWidth = m.captured(3).toInt();
            if (part.conversion == QLatin1Char('%'))
                m_parts.append(Part{QChar(), QStringLiteral("%")});
            else
                m_parts.append(part);
            pos = m.capturedEnd();
        }
        if (pos < pattern.size())
            m_parts.append(Part{QChar(), pattern.mid(pos)});
    }

    static QString dateFormat(const QString &option)
    {
        if (option.isEmpty() || option == QLatin1String("ISO8601"))
            return QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
        if (option == QLatin1String("ABSOLUTE"))
            return QStringLiteral("HH:mm:ss.zzz");
        if (option == QLatin1String("DATE"))
            return QStringLiteral("dd MMM yyyy HH:mm:ss.zzz");
        return option;
    }

    static QString convert(const Part &part, QtMsgType type, const QMessageLogContext &context,
                           const QString &message)
    {
        static const QString unknown = QStringLiteral("?");
        const QString file = context.file ? QString::fromUtf8(context.file) : unknown;
        const QString line = context.line > 0 ? QString::number(context.line) : unknown;
        const QString function = context.function
                                     ? QString::fromUtf8(qualifiedFunctionName(context.function))
                                     : unknown;
        switch (part.conversion.unicode()) {
        case 'd':
            return QLocale::c().toString(QDateTime::currentDateTime(), dateFormat(part.text));
        case 'p': return QLatin1String(levelName(type));
        case 't': return QString::number(spdlog::details::os::thread_id());
        case 'm': return message;
        case 'n': return QStringLiteral("\n");
        case 'c':
            return context.category ? QString::fromUtf8(context.category) : QStringLiteral("default");
        case 'r':
            return QString::number(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now() - logStart())
                                       .count());
        case 'F': return file;
        case 'L': return line;
        case 'M': return function;
        case 'l':
            if (!context.file && !context.function)
                return unknown;
            return function + QLatin1Char('(') + file + QLatin1Char(':') + line + QLatin1Char(')');
        default:
            return QLatin1Char('%') + part.conversion;
        }
    }

    QVector<Part> m_parts;
};

// log4j's rolling file: when a record would take the file past its size,
// File.N-1 ... File.1 move up one, File becomes File.1 and a new File
// starts. The names keep "app.log" in them, which is what the feedback
// collection looks for.
class RollingFileSink final : public spdlog::sinks::base_sink<std::mutex>
{
public:
    RollingFileSink(const QString &path, qint64 maxSize, int maxBackups, bool truncate)
        : m_path(path), m_maxSize(maxSize), m_maxBackups(maxBackups)
    {
        m_file.open(QFile::encodeName(path).toStdString(), truncate);
        m_open = true;
        m_size = static_cast<qint64>(m_file.size());
    }

protected:
    void sink_it_(const spdlog::details::log_msg &msg) override
    {
        spdlog::memory_buf_t formatted;
        formatter_->format(msg, formatted);
        const auto length = static_cast<qint64>(formatted.size());
        if (m_open && m_size > 0 && m_size + length > m_maxSize)
            rotate();
        if (!reopenIfClosed())
            return;
        m_file.write(formatted);
        m_size += length;
    }

    void flush_() override
    {
        if (m_open)
            m_file.flush();
    }

private:
    static bool renameOver(const QString &from, const QString &to)
    {
        return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    }

    void rotate()
    {
        m_file.close();
        m_open = false;
        bool moved = true;
        if (m_maxBackups > 0) {
            const auto backup = [this](int i) { return m_path + QLatin1Char('.') + QString::number(i); };
            QFile::remove(backup(m_maxBackups));
            for (int i = m_maxBackups - 1; i >= 1; --i) {
                if (QFile::exists(backup(i)))
                    renameOver(backup(i), backup(i + 1));
            }
            moved = renameOver(m_path, backup(1));
        }
        // When the file could not be moved it keeps growing; the next
        // attempt waits for another full file instead of coming every record.
        m_size = 0;
        reopen(moved);
    }

    bool reopen(bool truncate)
    {
        m_lastOpenAttempt = std::chrono::steady_clock::now();
        try {
            m_file.reopen(truncate);
            m_open = true;
        } catch (const spdlog::spdlog_ex &) {
            m_open = false;
        }
        return m_open;
    }

    // A file that could not be reopened after a roll (a full or vanished
    // disk) is tried again at most once a second; records meanwhile are lost.
    bool reopenIfClosed()
    {
        if (m_open)
            return true;
        if (std::chrono::steady_clock::now() - m_lastOpenAttempt < std::chrono::seconds(1))
            return false;
        return reopen(false);
    }

    QString m_path;
    qint64 m_maxSize;
    int m_maxBackups;
    qint64 m_size = 0;
    bool m_open = false;
    std::chrono::steady_clock::time_point m_lastOpenAttempt;
    spdlog::details::file_helper m_file;
};

struct Appender
{
    std::shared_ptr<spdlog::logger> logger;
    std::shared_ptr<const Layout> layout;
    int threshold = RankDebug;
    QString filePath;
};

struct State
{
    QVector<Appender> appenders;
    int rootRank = RankDebug;
    QString filePath;
    // No output yet: messages are kept for the one that comes.
    bool holding = false;
};

// A message kept while no output is configured.
struct Held
{
    QtMsgType type;
    QString message;
};

// Enough for a start-up; a process that never configures its log does not
// grow without end.
constexpr int kMaxHeld = 2000;

struct Globals
{
    std::mutex mutex;
    std::shared_ptr<const State> state;
    QtMessageHandler previous = nullptr;
    bool installed = false;
    QVector<Held> held;
};

// Never destroyed: Qt may still log from static destructors at exit.
Globals &globals()
{
    static Globals *instance = new Globals;
    return *instance;
}

std::shared_ptr<const State> currentState()
{
    Globals &g = globals();
    std::lock_guard<std::mutex> lock(g.mutex);
    return g.state;
}

void writeToStderr(QtMsgType type, const QString &message)
{
    const QByteArray line = QByteArray(levelName(type)) + " " + message.toUtf8() + "\n";
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

void writeToAppenders(const State &state, int rank, QtMsgType type, const QMessageLogContext &context,
                      const QString &message)
{
    for (const Appender &appender : state.appenders) {
        if (rank < appender.threshold)
            continue;
        const QByteArray line = appender.layout->format(type, context, message);
        appender.logger->log(spdlog::source_loc{}, spdlogLevel(type),
                             spdlog::string_view_t(line.constData(), static_cast<size_t>(line.size())));
    }
}

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // A message raised while a message is being written (a sink error, say)
    // must not come back here.
    static thread_local bool busy = false;
    const std::shared_ptr<const State> state = busy ? nullptr : currentState();
    if (!state) {
        writeToStderr(type, message);
        return;
    }
    const int rank = rankOf(type);
    if (state->holding) {
        // Trouble before the log exists is worth the terminal at once.
        if (rank >= RankWarn)
            writeToStderr(type, message);
        Globals &g = globals();
        std::lock_guard<std::mutex> lock(g.mutex);
        if (g.held.size() < kMaxHeld)
            g.held.append({type, message});
        return;
    }
    if (rank < state->rootRank)
        return;
    busy = true;
    writeToAppenders(*state, rank, type, context, message);
    busy = false;
}

std::shared_ptr<spdlog::logger> makeLogger(const QString &name, std::shared_ptr<spdlog::sinks::sink> sink)
{
    // The layout has made the whole line already.
    sink->set_formatter(std::make_unique<spdlog::pattern_formatter>("%v", spdlog::pattern_time_type::local,
                                                                    std::string()));
    auto logger = std::make_shared<spdlog::logger>(name.toStdString(), std::move(sink));
    logger->set_level(spdlog::level::trace);
    logger->flush_on(spdlog::level::trace);
    return logger;
}

// Installs `state`; an output (not a holding state) first gets the messages
// kept so far, except, when `onStderr`, those that went to stderr already.
void install(std::shared_ptr<const State> state, bool onStderr = false)
{
    Globals &g = globals();
    std::shared_ptr<const State> old;
    QVector<Held> held;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        old = std::move(g.state);
        g.state = state;
        if (!state->holding)
            held.swap(g.held);
        if (!g.installed) {
            g.previous = qInstallMessageHandler(&messageHandler);
            g.installed = true;
        }
    }
    const QMessageLogContext noContext;
    for (const Held &message : qAsConst(held)) {
        const int rank = rankOf(message.type);
        if (rank < state->rootRank || (onStderr && rank >= RankWarn))
            continue;
        writeToAppenders(*state, rank, message.type, noContext, message.message);
    }
    // Released outside the lock: closing a file may take a moment.
    old.reset();
}

// Creates the missing directories of `path`, each private to the user.
bool ensureDirectory(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    if (info.exists())
        return false;
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath() && !ensureDirectory(parent))
        return false;
    return ::mkdir(QFile::encodeName(info.absoluteFilePath()).constData(), 0700) == 0 || errno == EEXIST;
}

qint64 parseFileSize(const QString &text, qint64 fallback)
{
    static const QRegularExpression size(QStringLiteral("^\\s*(\\d+)\\s*(KB|MB|GB)?\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = size.match(text);
    if (!m.hasMatch())
        return fallback;
    bool ok = false;
    qint64 value = m.captured(1).toLongLong(&ok);
    const QString unit = m.captured(2).toUpper();
    const qint64 factor = unit == QLatin1String("KB")   ? 1024
                          : unit == QLatin1String("MB") ? 1024 * 1024
                          : unit == QLatin1String("GB") ? 1024 * 1024 * 1024
                                                        : 1;
    if (!ok || value <= 0 || value > std::numeric_limits<qint64>::max() / factor)
        return fallback;
    return value * factor;
}

// Appender properties are matched without regard to case, as log4j does for
// its bean properties ("File", "file").
class AppenderProperties
{
public:
    AppenderProperties(const CLogProperties &properties, const QString &name)
        : m_prefix(QStringLiteral("log4j.appender.") + name.toLower())
    {
        for (const QString &key : properties.keys())
            m_values.insert(key.toLower(), properties.value(key));
    }

    QString get(const QString &suffix = QString()) const
    {
        return m_values.value(suffix.isEmpty() ? m_prefix : m_prefix + QLatin1Char('.') + suffix.toLower())
            .trimmed();
    }

private:
    QString m_prefix;
    QHash<QString, QString> m_values;
};

QString layoutPattern(const AppenderProperties &props)
{
    const QString layout = props.get(QStringLiteral("layout"));
    if (layout.endsWith(QLatin1String("SimpleLayout")))
        return QStringLiteral("%p - %m%n");
    if (layout.endsWith(QLatin1String("TTCCLayout")))
        return QStringLiteral("%r [%t] %p %c - %m%n");
    const QString pattern = props.get(QStringLiteral("layout.ConversionPattern"));
    return pattern.isEmpty() ? QStringLiteral("%m%n") : pattern;
}

// Opens one appender; on failure returns false with the reason in `error`.
bool makeAppender(const CLogProperties &properties, const QString &name, Appender &appender, QString &error)
{
    const AppenderProperties props(properties, name);
    const QString kind = props.get();
    appender.threshold = rankOf(props.get(QStringLiteral("Threshold")), RankDebug);
    appender.layout = std::make_shared<const Layout>(layoutPattern(props));

    try {
        if (kind.endsWith(QLatin1String("ConsoleAppender"))) {
            std::shared_ptr<spdlog::sinks::sink> sink;
            if (props.get(QStringLiteral("Target")).compare(QLatin1String("System.err"), Qt::CaseInsensitive) == 0)
                sink = std::make_shared<spdlog::sinks::stderr_sink_mt>();
            else
                sink = std::make_shared<spdlog::sinks::stdout_sink_mt>();
            appender.logger = makeLogger(name, std::move(sink));
            return true;
        }
        const bool rolling = kind.endsWith(QLatin1String("RollingFileAppender"))
                             && !kind.endsWith(QLatin1String("DailyRollingFileAppender"));
        if (!rolling && !kind.endsWith(QLatin1String("FileAppender"))) {
            error = QStringLiteral("unsupported appender class \"%1\"").arg(kind);
            return false;
        }
        const QString file = props.get(QStringLiteral("File"));
        if (file.isEmpty()) {
            error = QStringLiteral("no file");
            return false;
        }
        appender.filePath = QFileInfo(file).absoluteFilePath();
        if (!ensureDirectory(QFileInfo(appender.filePath).absolutePath())) {
            error = QStringLiteral("cannot create the directory of %1").arg(appender.filePath);
            return false;
        }
        const bool truncate =
            props.get(QStringLiteral("Append")).compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
        std::shared_ptr<spdlog::sinks::sink> sink;
        if (rolling) {
            bool ok = false;
            int backups = props.get(QStringLiteral("MaxBackupIndex")).toInt(&ok);
            if (!ok)
                backups = 1;
            const qint64 maxSize = parseFileSize(props.get(QStringLiteral("MaxFileSize")), 10 * 1024 * 1024);
            sink = std::make_shared<RollingFileSink>(appender.filePath, maxSize, qMax(0, backups), truncate);
        } else {
            sink = std::make_shared<spdlog::sinks::basic_file_sink_mt>(
                QFile::encodeName(appender.filePath).toStdString(), truncate);
        }
        appender.logger = makeLogger(name, std::move(sink));
        return true;
    } catch (const spdlog::spdlog_ex &e) {
        error = QString::fromLocal8Bit(e.what());
        return false;
    }
}

} // namespace

void CLogger::basicConfigure()
{
    logStart();
    auto state = std::make_shared<State>();
    Appender appender;
    appender.layout = std::make_shared<const Layout>(QStringLiteral("%d{ISO8601} [%t] %-5p %c - %m%n"));
    appender.logger = makeLogger(QStringLiteral("stderr"), std::make_shared<spdlog::sinks::stderr_sink_mt>());
    state->appenders.append(appender);
    install(std::move(state), true);
}

void CLogger::holdUntilConfigured()
{
    logStart();
    const std::shared_ptr<const State> current = currentState();
    if (current && current->holding)
        return;
    auto state = std::make_shared<State>();
    state->holding = true;
    install(std::move(state));
}

bool CLogger::configure(const CLogProperties &properties)
{
    logStart();
    const QString root = properties.value(QStringLiteral("log4j.rootLogger"));
    QStringList fields = root.split(QLatin1Char(','));
    const QString level = fields.takeFirst();
    auto state = std::make_shared<State>();
    state->rootRank = rankOf(level, RankDebug);
    for (const QString &field : qAsConst(fields)) {
        const QString name = field.trimmed();
        if (name.isEmpty())
            continue;
        Appender appender;
        QString error;
        if (!makeAppender(properties, name, appender, error)) {
            qWarning().noquote() << "log appender" << name << "not used:" << error;
            continue;
        }
        if (state->filePath.isEmpty())
            state->filePath = appender.filePath;
        state->appenders.append(appender);
    }
    if (state->appenders.isEmpty())
        return false;
    install(std::move(state));
    return true;
}

QString CLogger::currentLogFilePath()
{
    const auto state = currentState();
    return state ? state->filePath : QString();
}

QString CLogger::defaultConfigPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/log4qt_win.properties");
}

void CLogger::shutdown()
{
    Globals &g = globals();
    std::shared_ptr<const State> old;
    QtMessageHandler previous = nullptr;
    bool wasInstalled = false;
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        old = std::move(g.state);
        previous = g.previous;
        wasInstalled = g.installed;
        g.previous = nullptr;
        g.installed = false;
    }
    if (wasInstalled)
        qInstallMessageHandler(previous);
    if (old) {
        for (const Appender &appender : old->appenders)
            appender.logger->flush();
    }
}

} // namespace rj_app::helpers
