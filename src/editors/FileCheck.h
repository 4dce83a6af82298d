#pragma once

#include <QString>
#include <QTextStream>

namespace cf {

// The outcome of loading an editor file as its dialog does and running the dialog's OK validation.
struct FileCheck {
    enum class Status { Ok, Failed, Malformed };
    Status status = Status::Ok;
    // Failed: the exact text of the dialog's error box. Malformed: the parser's message.
    QString message;

    static FileCheck ok() { return {}; }
    static FileCheck failed(const QString &text) { return {Status::Failed, text}; }
    static FileCheck malformed(const QString &text) { return {Status::Malformed, text}; }
};

class LanguageTexts;

// One checker per editor file; `projectDir` lets a checker read the files it depends on.
using FileChecker = FileCheck (*)(const QString &projectDir, const QString &filePath,
                                  const LanguageTexts &texts);

struct CheckedFile {
    const char *fileName;
    FileChecker check; // null until that editor exists
};

// The editor files in the order `check` examines them.
extern const CheckedFile kCheckedFiles[5];

// configurator-cli check PROJECT_DIR: 0 all pass, 1 one fails, 2 not well-formed or bad usage.
int runCheckCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace cf
