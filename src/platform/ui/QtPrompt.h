#pragma once

#include "platform/Prompt.h"

namespace cf {

// Message boxes and file dialogs on the active window.
class QtPrompt : public Prompt {
public:
    void error(const QString &text) override;
    void warning(const QString &text) override;
    bool confirm(const QString &text) override;
    void generalError(const QString &text) override;
    QString saveFileName(const SaveFileRequest &request) override;
};

} // namespace cf
