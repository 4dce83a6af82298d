#pragma once

#include "platform/Launcher.h"

#include <QDomDocument>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace cf {

// Split_IP_Text: the four parts of a dotted address, each trimmed, or nullopt unless
// there are three dots and every part converts to 0..255 (further dots stay in part 4).
std::optional<std::array<QString, 4>> Split_IP_Text(const QString &text);

// Indices of the option list of the Update Device dialog.
enum UpdateOption { kFirmwareAndConfiguration = 0, kFirmwareOnly = 1, kConfigurationOnly = 2 };

struct UpdateJob {
    QString deviceAddress;     // as typed, parts joined with "."
    int option = kFirmwareAndConfiguration;
    bool readBack = false;
    QString firmwareFile;      // absolute
    QString configurationFile; // absolute
};

QString jobFilePath(const QString &exeDir);
QString firmwareFilePath(const QString &exeDir);
QString configurationImagePath(const QString &projectDir);
QString updaterPath(const QString &exeDir);

UpdateJob makeUpdateJob(const QString &exeDir, const QString &projectDir, const QString &address,
                        int option, bool readBack);

QDomDocument jobDocument(const UpdateJob &job);

// Compile_XML_Parameter: replaces ExeDir/Ethernet_Update.xml. On failure the error names
// the file and the old file is left whole.
bool Compile_XML_Parameter(const QString &exeDir, const UpdateJob &job, QString *error);

// Starts ExeDir/Ethernet_Update with no arguments and waits for it (Start_Program).
StartOutcome startUpdater(ProgramLauncher &launcher, const QString &exeDir,
                          const std::function<void(int)> &idle = {},
                          int timeoutMs = kStartProgramTimeoutMs);

} // namespace cf
