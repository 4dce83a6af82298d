#pragma once

#include "app/ui/AppWindows.h"
#include "platform/Launcher.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QFrame;

namespace cf {
class AppContext;
class USaveBincc;
}

namespace cf::ui {

class PictureButton;

// The main window with its numbered workflow steps.
class TFTesseleFirmWare : public QWidget {
    Q_OBJECT
public:
    static constexpr int kInitialTimerMs = 60000;
    static constexpr int kRepeatTimerMs = 7200000;

    TFTesseleFirmWare(AppContext &context, ProgramLauncher &launcher, QWidget *parent = nullptr);
    ~TFTesseleFirmWare() override;

    AppContext &context() const { return m_ctx; }
    AppWindows &windows() { return m_windows; }
    ProgramLauncher &launcher() const { return m_launcher; }

    void Btn_Click(QObject *sender);
    void Set_Lang();
    void Change_Language();
    // Writes Tessel.xml; a failure is reported naming the file. Returns success.
    bool Save_Setting();
    void Set_Files();
    void Create_New_Project();
    void Open_Project();
    void Update_Device();
    void Build_EDS_File();
    void Build_GSD_File();
    void Start_Program(const QString &NomeSW, const QString &Parameter, bool tipo);
    void Timer_UpdateTimer();
    // Arms or disarms the version check after start-up or Software Options.
    void Update_Timer_State();
    // Shows the open configuration, or texts 9 and 10 when none is open.
    void Show_Project_Labels();

    // The version check; returns true when a newer version is available.
    void setVersionChecker(std::function<bool()> check) { m_checkVersion = std::move(check); }
    QTimer &updateTimer() { return Timer_Update; }
    // For tests: the wait of Start_Program.
    void setStartProgramTimeout(int ms) { m_startTimeoutMs = ms; }
    bool isWaitingForProgram() const { return m_waiting; }

    PictureButton *Btn_Info;
    PictureButton *Btn_Opz;
    PictureButton *Btn_Close;
    PictureButton *Btn_New;
    PictureButton *Btn_Open;
    PictureButton *Btn_Prm_Gen;
    PictureButton *Btn_SNMP_Manager_Access;
    PictureButton *Btn_CreateBin;
    PictureButton *Btn_PROFIBUS_GSD;
    PictureButton *Btn_SDO_Server_CANopen;
    PictureButton *Btn_SDO_Client_CANopen;
    PictureButton *Btn_PDO_CANopen;
    PictureButton *Btn_CANopen_EDS;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QLabel *LL_Update;
    QLabel *L_Begin;
    QFrame *Shape2;
    QLabel *L_Name_Conf;
    QLabel *L_Name_Conf_L2;
    QLabel *L_Step[8];
    QLabel *L_Velmora;
    QFrame *Shape1;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void createControls();
    PictureButton *makeButton(const char *name, QPoint at, bool wide);

    AppContext &m_ctx;
    ProgramLauncher &m_launcher;
    AppWindows m_windows;
    std::unique_ptr<USaveBincc> m_compiler;
    QTimer Timer_Update;
    std::function<bool()> m_checkVersion;
    int m_startTimeoutMs = kStartProgramTimeoutMs;
    bool m_waiting = false;
    bool m_centred = false;
};

QString homePageUrl();
// The maker's address as L_Velmora shows it.
QString makerAddressText();
QString downloadPageUrl();
// Opens an address in the desktop's default browser.
void openInBrowser(const QString &url);

} // namespace cf::ui
