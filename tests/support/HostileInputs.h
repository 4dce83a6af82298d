#pragma once

#include <QList>
#include <QString>

namespace cf::test {

// Inputs meant to break readers: huge, deep, self-expanding or badly encoded files.
struct HostileInput {
    enum class Kind { LanguageFile, Configuration };
    QString name;
    Kind kind = Kind::Configuration;
    QString path; // the language file, or the configuration folder
};

// Writes every hostile input below `dir` (which must exist) and lists them.
QList<HostileInput> writeHostileInputs(const QString &dir);

} // namespace cf::test
