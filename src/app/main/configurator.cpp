#include "app/AppContext.h"
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "lang/VersionCheck.h"
#include "platform/Launcher.h"
#include "platform/ui/QtPrompt.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    cf::QtPrompt prompt;
    cf::ProgramLauncher launcher;
    cf::AppContext context(QCoreApplication::applicationDirPath(), prompt);
    cf::ui::TFTesseleFirmWare mainWindow(context, launcher);
    mainWindow.setVersionChecker([] { return cf::Check_Version(); });
    cf::ui::createDialogs(mainWindow.windows(), context);
    mainWindow.show();
    return app.exec();
}
