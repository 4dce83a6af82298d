#pragma once

#include <QStringList>
#include <QTextStream>

namespace cf::cli {

// configurator-cli: the arguments after the program name.
int run(const QStringList &args, QTextStream &out, QTextStream &err);

// configurator-cli texts [--language-file FILE]
int runTexts(const QStringList &args, QTextStream &out, QTextStream &err);

QString usage();

} // namespace cf::cli
