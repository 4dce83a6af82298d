#include "app/Workspace.h"

#include "app/AppContext.h"
#include "app/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace cf {

bool isSafeConfigurationName(const QString &name)
{
    if (name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    static const QString refused = QStringLiteral("/\\<>:\"|?*");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || refused.contains(c))
            return false;
    }
    return true;
}

std::optional<QString> createConfiguration(AppContext &context, const QString &name)
{
    const LanguageTexts &t = context.texts;
    if (name.isEmpty())
        return t[107];
    // Before the existence test: "." and ".." always exist, and a name with a
    // separator would test a folder somewhere else.
    if (!isSafeConfigurationName(name))
        return t[105];
    const QString dir = context.projectDir(name);
    if (QFileInfo(dir).isDir())
        return t[106];
    if (!QDir().mkdir(dir))
        return t[105];
    // A missing bin folder only stops the image writer later.
    QDir().mkpath(joinPath(dir, QStringLiteral("bin")));
    context.openProject(name);
    return std::nullopt;
}

QStringList Load_Existing_Configuration(const QString &projectsDir)
{
    return QDir(projectsDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
}

int Search_Open_Conf(const QStringList &names, const QString &snc)
{
    const QString wanted = snc.toUpper();
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].toUpper() == wanted)
            return i;
    }
    return -1;
}

int preselectedConfiguration(const QStringList &names, const QString &openName)
{
    const int found = Search_Open_Conf(names, openName);
    if (found >= 0)
        return found;
    return names.isEmpty() ? -1 : 0;
}

} // namespace cf
