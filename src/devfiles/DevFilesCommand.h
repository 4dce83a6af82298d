#pragma once

#include <QStringList>
#include <QTextStream>

namespace cf {

// configurator-cli eds PROJECT_DIR FILE [--at "YYYY-MM-DD HH:MM"]
// 0 written, 1 the configuration is refused (nothing written), 2 bad usage.
int runEdsCommand(const QStringList &args, QTextStream &out, QTextStream &err);

// configurator-cli gsd PROJECT_DIR FILE: the same exit codes. FILE is written as named.
int runGsdCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace cf
