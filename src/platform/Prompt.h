#pragma once

#include <QString>

namespace cf {

struct SaveFileRequest {
    QString caption;
    QString directory;     // initial folder
    QString fileName;      // proposed name, may be empty
    QString filter;        // Qt filter text, e.g. "Electronic Data Sheet (*.eds)"
    QString defaultSuffix; // without the dot, e.g. "eds"
};

// Every message box, confirmation and file dialog of the program goes through here,
// so tests can script the answers and read the texts.
class Prompt {
public:
    virtual ~Prompt() = default;
    // Refusal: error icon, OK.
    virtual void error(const QString &text) = 0;
    // Warning icon, OK.
    virtual void warning(const QString &text) = 0;
    // Question with Yes and No; true for Yes.
    virtual bool confirm(const QString &text) = 0;
    // The general error box through which parser and file errors reach the user.
    virtual void generalError(const QString &text) = 0;
    // Empty when cancelled.
    virtual QString saveFileName(const SaveFileRequest &request) = 0;
};

} // namespace cf
