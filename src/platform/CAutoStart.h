#pragma once

#include <QString>

namespace rj_app::platform {

// Starting the client with the desktop session: an XDG autostart entry
// "glimora.desktop" in $XDG_CONFIG_HOME/autostart, or in ~/.config/autostart
// when that variable is unset, empty or not an absolute path. Holds no state:
// every call looks at the file system as it is now.
class CAutoStart
{
public:
    // Where the entry lives.
    static QString entryPath();

    // Whether the session will start the client: the entry is a regular file
    // that is not switched off (Hidden=true, X-GNOME-Autostart-enabled=false).
    // The program it names is not compared.
    static bool isEnabled();

    // Writes the entry so that the session starts `program` without arguments,
    // replacing any entry there, in one step: a reader sees the old entry or
    // the new one, never a part. False, with the reason logged, when it cannot
    // be written; an old entry is then left as it was.
    static bool enable(const QString &program);

    // Removes the entry. True when none is left; false, with the reason
    // logged, when it stays.
    static bool disable();

    // The Exec value that starts `program`: one quoted argument, escaped so
    // that a reader of the Desktop Entry format gets the path back unchanged
    // (spaces, quotes, backslashes, dollars, percent signs, newlines).
    static QString execValue(const QString &program);
};

} // namespace rj_app::platform
