#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace cf {

// Starts external programs detached, so they outlive both a time-out and the configurator.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // The process id, or nullopt when the program could not be started.
    virtual std::optional<qint64> start(const QString &program, const QString &commandLine,
                                        bool hidden);
    virtual bool isRunning(qint64 pid);
};

enum class StartOutcome { NotStarted, Ended, TimedOut };

inline constexpr int kStartProgramTimeoutMs = 150000;

// Start_Program: starts the program and waits until it ends or the time-out passes.
// `idle` is called between polls with the number of milliseconds to wait; the window
// program passes one that keeps painting. The program is never killed.
StartOutcome startProgram(ProgramLauncher &launcher, const QString &program,
                          const QString &commandLine, bool hidden,
                          const std::function<void(int)> &idle = {},
                          int timeoutMs = kStartProgramTimeoutMs);

} // namespace cf
