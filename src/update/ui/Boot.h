#pragma once

#include "platform/IcmpEcho.h"
#include "update/ReachabilityTest.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace cf {
class AppContext;
class ProgramLauncher;
} // namespace cf

namespace cf::ui {

class PictureButton;
class TitlePanel;

// The Update Device dialog: tests that the device answers, writes the job file and
// starts the updater.
class TFBoot : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 449;
    static constexpr int kIpAreaHeight = 49;
    static constexpr int kOptionsAreaHeight = 72;
    static constexpr int kButtonRowHeight = 40;

    TFBoot(AppContext &context, ProgramLauncher &launcher, QWidget *parent = nullptr);

    void Set_Lang();
    void Btn_UpdateClick();
    bool Send_Ping();
    int ping_res() const { return m_test.ping_res(); }

    // The kind of connection; 1 (Ethernet) is the only one this product uses.
    int Form_Type = 1;

    // For tests: another echo client, and the time the reachability test runs on.
    void setEchoClient(EchoClient &client) { m_test.setClient(client); }
    ReachabilityTest &reachability() { return m_test; }
    void setStartProgramTimeout(int ms) { m_startTimeoutMs = ms; }
    bool isBusy() const { return m_busy; }

    TitlePanel *Title;
    QLabel *L_IP;
    QLineEdit *E_IP1;
    QLineEdit *E_IP2;
    QLineEdit *E_IP3;
    QLineEdit *E_IP4;
    QLabel *L_Options;
    QComboBox *CB_Update_Options;
    QCheckBox *CB_Update_Option_Read_Back;
    PictureButton *Btn_Cancel;
    PictureButton *Btn_Update;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void createControls();
    QString typedAddress() const;

    AppContext &m_ctx;
    ProgramLauncher &m_launcher;
    IcmpEcho m_icmp;
    ReachabilityTest m_test;
    QLineEdit *m_edits[4];
    int m_startTimeoutMs;
    bool m_busy = false;
};

} // namespace cf::ui
