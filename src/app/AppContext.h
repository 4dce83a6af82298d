#pragma once

#include "app/AppSettings.h"
#include "lang/LanguageTexts.h"

#include <QString>
#include <QStringList>

namespace cf {

class Prompt;

struct ActiveProject {
    QString name;
    QString directory; // empty when no configuration is open
    bool isOpen() const { return !directory.isEmpty(); }
};

// Paths of the editors' files in the open configuration (Set_Files).
struct ProjectFiles {
    QString parGen;
    QString snmpManager;
    QString sdoServer;
    QString sdoClient;
    QString pdo;
};

// The process-wide state every window reads: created once by the main window.
class AppContext {
public:
    AppContext(QString exeDir, Prompt &prompt);

    const QString &exeDir() const { return m_exeDir; }
    QString masterDir() const;
    QString projectsDir() const;
    QString languageDir() const;
    QString settingsPath() const;
    QString projectDir(const QString &name) const;

    // Creates MASTER, PROJECTS and LANGUAGE when missing (one level; failures ignored).
    void createFolders() const;
    // Opens the configuration when its folder exists, else leaves none open; the name stays.
    void openProject(const QString &name);
    void closeProject();
    void Set_Files();

    Prompt &prompt() const { return *m_prompt; }
    void setPrompt(Prompt &prompt) { m_prompt = &prompt; }

    AppSettings settings;
    LanguageTexts texts;
    ActiveProject project;
    ProjectFiles files;
    // The row clipboard shared by every rule table.
    QStringList copyBuffer;

    // Update Device choices kept for the run, not saved.
    int lastUpdateOption = 0;
    bool lastReadBack = false;

private:
    QString m_exeDir;
    Prompt *m_prompt;
};

} // namespace cf
