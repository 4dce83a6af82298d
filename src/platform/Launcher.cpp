#include "platform/Launcher.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace cf {

std::optional<qint64> ProgramLauncher::start(const QString &program, const QString &commandLine,
                                             bool hidden)
{
    Q_UNUSED(hidden); // no window-show flag for detached programs here
    if (!QFileInfo(program).isFile())
        return std::nullopt;
    qint64 pid = 0;
    const QStringList args = QProcess::splitCommand(commandLine);
    if (!QProcess::startDetached(program, args, QFileInfo(program).absolutePath(), &pid))
        return std::nullopt;
    return pid;
}

bool ProgramLauncher::isRunning(qint64 pid)
{
#ifdef Q_OS_WIN
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h)
        return false;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    CloseHandle(h);
    return running;
#else
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return false;
    // A detached program is adopted by another process; until that one reaps it,
    // an ended program lingers as a zombie.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        if (close >= 0 && close + 2 < line.size() && line.at(close + 2) == 'Z')
            return false;
    }
    return true;
#endif
}

StartOutcome startProgram(ProgramLauncher &launcher, const QString &program,
                          const QString &commandLine, bool hidden,
                          const std::function<void(int)> &idle, int timeoutMs)
{
    const std::optional<qint64> pid = launcher.start(program, commandLine, hidden);
    if (!pid)
        return StartOutcome::NotStarted;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (!launcher.isRunning(*pid))
            return StartOutcome::Ended;
        if (clock.elapsed() >= timeoutMs)
            return StartOutcome::TimedOut;
        if (idle)
            idle(10);
        else
            QThread::msleep(10);
    }
}

} // namespace cf
