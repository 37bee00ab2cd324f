#pragma once

#include <QString>

namespace rj_app::helpers {

class CLogProperties;

// The process-wide log: takes over Qt's message output (qDebug ... qFatal
// from any thread) and writes each message as one whole, flushed line.
//
// Start-up:
//     CLogger::holdUntilConfigured();            // kept in memory until configured
//     CLogProperties properties;
//     if (!CLogProperties::loadLogConfig(CLogger::defaultConfigPath(), properties, isConflicted)
//         || !CLogger::configure(properties))
//         CLogger::basicConfigure();             // stderr after all
//
// Understood properties (log4j names, appender keys case-insensitive):
//     log4j.rootLogger = LEVEL, appender[, appender...]
//         LEVEL: ALL, TRACE, DEBUG, INFO, WARN, ERROR, FATAL or OFF
//     log4j.appender.X = ...FileAppender | ...RollingFileAppender | ...ConsoleAppender
//         (a DailyRollingFileAppender writes one file, without date rolling)
//     log4j.appender.X.File, .Append (default true), .Threshold
//     log4j.appender.X.MaxFileSize ("10MB", "512KB", bytes; default 10MB),
//     log4j.appender.X.MaxBackupIndex (default 1): backups are File.1 ... File.N
//     log4j.appender.X.Target (console: System.out or System.err)
//     log4j.appender.X.layout = ...PatternLayout | ...SimpleLayout | ...TTCCLayout
//     log4j.appender.X.layout.ConversionPattern: %d or %d{Qt date format,
//         ISO8601, ABSOLUTE or DATE}, %p, %t (thread id), %m, %n, %c (category),
//         %r (ms since the log started), %F %L %M %l (location, "?" when the
//         message carries none), %%, with log4j's width modifiers (%-5p, %.30c).
class CLogger
{
public:
    CLogger() = delete;

    // Messages go to stderr; installs the message handler.
    static void basicConfigure();

    // Until the next configure() or basicConfigure(), messages are kept in
    // memory and then written to that output, so nothing reaches a terminal
    // before the log file is known; warnings and worse go to stderr at once
    // as well. Installs the message handler; does nothing while holding.
    static void holdUntilConfigured();

    // Replaces the current output with the appenders that the properties
    // name and installs the message handler. Missing log directories are
    // created (0700). False, with the output left as it was, when there is
    // no root logger or no appender could be opened.
    static bool configure(const CLogProperties &properties);

    // The file of the first file appender; empty while writing to a console.
    static QString currentLogFilePath();

    // "log4qt_win.properties" beside the executable.
    static QString defaultConfigPath();

    // Flushes, closes the files and gives Qt's messages back to the handler
    // that was installed before.
    static void shutdown();
};

} // namespace rj_app::helpers
