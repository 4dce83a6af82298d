#include "platform/ui/UiWait.h"

#include <QEventLoop>
#include <QTimer>

namespace cf {

void waitKeepingPainted(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

StartOutcome startProgramKeepingPainted(ProgramLauncher &launcher, const QString &program,
                                        const QString &commandLine, bool hidden, int timeoutMs)
{
    return startProgram(launcher, program, commandLine, hidden, waitKeepingPainted, timeoutMs);
}

} // namespace cf
