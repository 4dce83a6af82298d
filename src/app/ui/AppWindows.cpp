#include "app/ui/AppWindows.h"

#include "app/AppContext.h"
#include "app/ui/About.h"
#include "app/ui/MainWindow.h"
#include "app/ui/NewProject.h"
#include "app/ui/OpenConf.h"
#include "lang/ui/SoftOptions.h"
#include "editors/ui/CanopenDialog.h"
#include "editors/ui/ParGenDialog.h"
#include "editors/ui/SNMPManagerAccess.h"
#include "update/ui/Boot.h"

namespace cf::ui {

void createDialogs(AppWindows &windows, AppContext &context)
{
    QWidget *parent = windows.main;
    // In this order: New, Open, About, Software Options, Set Communication,
    // SNMP Manager, PDO, SDO client, SDO server, Update Device.
    windows.newProject = new TFNew_Project(context, parent);
    windows.openConf = new TFOpenConf(context, parent);
    windows.about = new TFAbout(context, parent);
    windows.softOptions = new TFSoftOptions(context, parent);
    windows.softOptions->setChangeLanguage([main = windows.main] { main->Change_Language(); });
    windows.parGen = new TFParGen(context, parent);
    windows.snmpManager = new TFSNMPManagerAccess(context, parent);
    windows.pdo = new TFSet_PDO_Access(context, parent);
    windows.sdoClient = new TFSet_SDO_Client_Access(context, parent);
    windows.sdoServer = new TFSet_SDO_Server_Access(context, parent);
    windows.boot = new TFBoot(context, windows.main->launcher(), parent);
}

} // namespace cf::ui
