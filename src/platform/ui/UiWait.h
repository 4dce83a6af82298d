#pragma once

#include "platform/Launcher.h"

namespace cf {

// Waits for ms milliseconds while windows keep painting; user input is held back.
void waitKeepingPainted(int ms);

// Start_Program for the window program: the wait keeps the windows painting.
StartOutcome startProgramKeepingPainted(ProgramLauncher &launcher, const QString &program,
                                        const QString &commandLine, bool hidden,
                                        int timeoutMs = kStartProgramTimeoutMs);

} // namespace cf
