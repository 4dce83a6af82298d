#include "app/AppContext.h"

#include "app/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace cf {

AppContext::AppContext(QString exeDir, Prompt &prompt)
    : m_exeDir(QDir::toNativeSeparators(exeDir))
    , m_prompt(&prompt)
{
    while (m_exeDir.size() > 1 && m_exeDir.endsWith(QDir::separator()))
        m_exeDir.chop(1);
}

QString AppContext::masterDir() const { return joinPath(m_exeDir, QStringLiteral("MASTER")); }
QString AppContext::projectsDir() const { return joinPath(m_exeDir, QStringLiteral("PROJECTS")); }
QString AppContext::languageDir() const { return joinPath(m_exeDir, QStringLiteral("LANGUAGE")); }
QString AppContext::settingsPath() const { return joinPath(m_exeDir, AppSettings::fileName()); }
QString AppContext::projectDir(const QString &name) const { return joinPath(projectsDir(), name); }

void AppContext::createFolders() const
{
    for (const QString &dir : {masterDir(), projectsDir(), languageDir()}) {
        if (!QFileInfo(dir).isDir())
            QDir().mkdir(dir);
    }
}

void AppContext::openProject(const QString &name)
{
    project.name = name;
    const QString dir = projectDir(name);
    project.directory = !name.isEmpty() && QFileInfo(dir).isDir() ? dir : QString();
    settings.projectname = name;
    Set_Files();
}

void AppContext::closeProject()
{
    project.directory.clear();
    Set_Files();
}

void AppContext::Set_Files()
{
    const QString &d = project.directory;
    files.parGen = joinPath(d, QStringLiteral("ParGen.xml"));
    files.snmpManager = joinPath(d, QStringLiteral("SNMP_Manager.xml"));
    files.sdoServer = joinPath(d, QStringLiteral("SDO_Server_CANopen.xml"));
    files.sdoClient = joinPath(d, QStringLiteral("SDO_Client_CANopen.xml"));
    files.pdo = joinPath(d, QStringLiteral("PDO_CANopen.xml"));
}

} // namespace cf
