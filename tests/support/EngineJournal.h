#pragma once

#include "rjsim_control.h"

#include <QString>
#include <QStringList>

namespace glimora::test {

// The operations of the simulated engine's journal that are among `wanted`,
// in the order the engine saw them.
inline QStringList journalOps(const QStringList &wanted)
{
    QStringList ops;
    for (const std::string &line : rjsim::journal()) {
        const QString op = QString::fromStdString(line).section(QLatin1Char('\t'), 0, 0);
        if (wanted.contains(op))
            ops << op;
    }
    return ops;
}

} // namespace glimora::test
