#include "platform/ScriptedPrompt.h"

namespace cf {

void ScriptedPrompt::error(const QString &text)
{
    m_shown.append({Kind::Error, text});
}

void ScriptedPrompt::warning(const QString &text)
{
    m_shown.append({Kind::Warning, text});
}

bool ScriptedPrompt::confirm(const QString &text)
{
    m_shown.append({Kind::Confirm, text});
    return m_confirmAnswers.isEmpty() ? false : m_confirmAnswers.takeFirst();
}

void ScriptedPrompt::generalError(const QString &text)
{
    m_shown.append({Kind::GeneralError, text});
}

QString ScriptedPrompt::saveFileName(const SaveFileRequest &request)
{
    m_shown.append({Kind::SaveFile, request.caption});
    m_saveRequests.append(request);
    return m_saveAnswers.isEmpty() ? QString() : m_saveAnswers.takeFirst();
}

QStringList ScriptedPrompt::texts() const
{
    QStringList result;
    for (const Shown &s : m_shown)
        result.append(s.text);
    return result;
}

void ScriptedPrompt::clear()
{
    m_shown.clear();
    m_confirmAnswers.clear();
    m_saveAnswers.clear();
    m_saveRequests.clear();
}

} // namespace cf
