#pragma once

#include <QByteArray>
#include <QString>

namespace glimora::test {

// The bytes of a file as they are on disk; "<unreadable>" when it cannot be
// opened, so a comparison fails with a clear value instead of an empty one.
QByteArray readBytes(const QString &path);

// Writes exactly these bytes, creating missing parent directories first.
// False when the file cannot be opened or is written short.
bool writeBytes(const QString &path, const QByteArray &bytes);

} // namespace glimora::test
