#pragma once

#include "editors/ParGen.h"

#include <QDialog>
#include <QList>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QValidator;

namespace cf {
class AppContext;
}

namespace cf::ui {

class PictureButton;
class TitlePanel;

// Set Communication: the converter's own addresses on the SNMP Manager and EtherNet/IP
// sides, kept in ParGen.xml of the open configuration.
class TFParGen : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 312;
    static constexpr int kCollapsedHeight = 26;

    TFParGen(AppContext &context, QWidget *parent = nullptr);

    // Loads ParGen.xml (or the defaults) and shows the dialog modally. A file that is not
    // well-formed is reported and the dialog does not open.
    int exec() override;

    // Loads the file into the controls; false (after the general error box) when it cannot be read.
    bool FormShow();
    void FormActivate();
    void Btn_OKClick();
    void Btn_CancelClick();
    bool Controllo_Dati();
    void Btn_GB_Collapse(QObject *sender);
    void Btn_GB_Expande(QObject *sender);
    void Move_GroupBoxs();
    void Set_Lang();

    // The controls' values as written on OK, and the reverse.
    ParGenData Read_Form() const;
    void Write_Form(const ParGenData &data);

    QLineEdit *edit(ParGenItem item) const { return m_edits[std::size_t(item)]; }

    bool Is_Change = false;
    bool GB_SNMP_Manager_Visible = true;
    bool GB_EtherNetIP_Visible = true;

    TitlePanel *titlePanel;
    QGroupBox *GB_SNMP_Manager;
    QGroupBox *GB_EtherNetIP;
    PictureButton *Btn_GB_SNMP_Manager_Collapse;
    PictureButton *Btn_GB_SNMP_Manager_Expande;
    PictureButton *Btn_GB_EtherNetIP_Collapse;
    PictureButton *Btn_GB_EtherNetIP_Expande;
    QLabel *L_IP_SNMP_Manager;
    QLabel *L_SM_SNMP_Manager;
    QLabel *L_Name_Station_SNMP_Manager;
    QLabel *L_IP;
    QLabel *L_SM;
    QLabel *L_PORT;
    QLabel *L_NB_Input;
    QLabel *L_NB_Output;
    QCheckBox *CB_SNMP_Manager_En_GAT;
    QCheckBox *CB_EN_GAT;
    QLineEdit *E_SNMP_Manager_Name_Station;
    QLineEdit *E_PORT;
    QLineEdit *E_NB_Input;
    QLineEdit *E_NB_Output;
    PictureButton *Btn_OK;
    PictureButton *Btn_Cancel;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Group {
        QGroupBox *box;
        PictureButton *collapse;
        PictureButton *expand;
        bool *expanded;
        QWidget *lastControl; // the group's height follows its bottom
        QList<QWidget *> body;
    };

    void FormCreate();
    void createControls();
    void Collapse_Expand_Creation();
    void setExpanded(Group &group, bool expanded);
    Group *groupOf(QObject *button);
    QLineEdit *byteEdit(QGroupBox *box, ParGenItem item, int left, int top);
    void On_Change();
    void On_Click();
    void limitStationName();

    AppContext &m_ctx;
    QValidator *m_noControls = nullptr;
    std::array<QLineEdit *, kParGenItemCount> m_edits{};
    std::array<Group, 2> m_groups;
};

} // namespace cf::ui
