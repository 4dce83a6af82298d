#include "app/ui/AppWindows.h"

#include "app/AppContext.h"
#include "app/ui/MainWindow.h"
#include "update/ui/Boot.h"

namespace cf::ui {

void createDialogs(AppWindows &windows, AppContext &context)
{
    QWidget *parent = windows.main;
    Q_UNUSED(parent);
    Q_UNUSED(context);
    // In this order: New, Open, About, Software Options, Set Communication,
    // SNMP Manager, PDO, SDO client, SDO server, Update Device.
    windows.boot = new TFBoot(context, windows.main->launcher(), parent);
}

} // namespace cf::ui
