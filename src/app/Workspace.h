#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace cf {

class AppContext;

// A name that stays one folder level below PROJECTS and that every file system
// the program runs on can hold: no separators, not "." or "..", no control
// characters and none of < > : " | ? *.
bool isSafeConfigurationName(const QString &name);

// Creates PROJECTS/<name> with its empty bin folder and opens it. The name is
// used as typed. Returns the refusal text, or nothing when the configuration is open.
std::optional<QString> createConfiguration(AppContext &context, const QString &name);

// The configuration folders below projectsDir in directory order; files and
// hidden folders are left out.
QStringList Load_Existing_Configuration(const QString &projectsDir);

// Position of the first entry equal to snc when both are upper-cased, or -1.
int Search_Open_Conf(const QStringList &names, const QString &snc);

// The entry the Open dialog selects: the open configuration, else the first
// one; -1 when the list is empty.
int preselectedConfiguration(const QStringList &names, const QString &openName);

} // namespace cf
