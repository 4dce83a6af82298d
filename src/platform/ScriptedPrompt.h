#pragma once

#include "platform/Prompt.h"

#include <QList>
#include <QStringList>

namespace cf {

// A prompt for tests: records everything shown and answers from a script.
class ScriptedPrompt : public Prompt {
public:
    enum class Kind { Error, Warning, Confirm, GeneralError, SaveFile };
    struct Shown {
        Kind kind;
        QString text;
    };

    void error(const QString &text) override;
    void warning(const QString &text) override;
    bool confirm(const QString &text) override;
    void generalError(const QString &text) override;
    QString saveFileName(const SaveFileRequest &request) override;

    // Answers are consumed in order; when none is left, confirm answers No and
    // the save dialog is cancelled.
    void answerConfirm(bool yes) { m_confirmAnswers.append(yes); }
    void answerSaveFile(const QString &path) { m_saveAnswers.append(path); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    Kind lastKind() const { return m_shown.last().kind; }
    QList<SaveFileRequest> saveRequests() const { return m_saveRequests; }
    void clear();

private:
    QList<Shown> m_shown;
    QList<bool> m_confirmAnswers;
    QStringList m_saveAnswers;
    QList<SaveFileRequest> m_saveRequests;
};

} // namespace cf
