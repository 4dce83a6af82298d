#pragma once

namespace cf {

class AppContext;
class ProgramLauncher;

namespace ui {

class TFTesseleFirmWare;
class TFNew_Project;
class TFOpenConf;
class TFAbout;
class TFSoftOptions;
class TFParGen;
class TFSNMPManagerAccess;
class TFSet_PDO_Access;
class TFSet_SDO_Client_Access;
class TFSet_SDO_Server_Access;
class TFBoot;

// Every window of the program; created once, main window first, alive until the end.
// A window not built yet stays null and its button does nothing.
struct AppWindows {
    TFTesseleFirmWare *main = nullptr;
    TFNew_Project *newProject = nullptr;
    TFOpenConf *openConf = nullptr;
    TFAbout *about = nullptr;
    TFSoftOptions *softOptions = nullptr;
    TFParGen *parGen = nullptr;
    TFSNMPManagerAccess *snmpManager = nullptr;
    TFSet_PDO_Access *pdo = nullptr;
    TFSet_SDO_Client_Access *sdoClient = nullptr;
    TFSet_SDO_Server_Access *sdoServer = nullptr;
    TFBoot *boot = nullptr;
};

// Creates the dialogs after the main window, in the fixed order, parented to it.
void createDialogs(AppWindows &windows, AppContext &context);

} // namespace ui
} // namespace cf
