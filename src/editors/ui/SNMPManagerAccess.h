#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

class QLabel;

namespace cf {
class AppContext;
class RuleTableModel;
} // namespace cf

namespace cf::ui {

class PictureButton;
class RuleTableView;
class TitlePanel;

// The table of SNMP requests, kept in SNMP_Manager.xml.
class TFSNMPManagerAccess : public QDialog {
    Q_OBJECT
public:
    TFSNMPManagerAccess(AppContext &context, QWidget *parent = nullptr);
    ~TFSNMPManagerAccess() override;

    // Rebuilds the table from the files; false (after the general error box) when a
    // file cannot be read, and the dialog must not open.
    bool FormShow();
    // FormShow, then the modal loop.
    int exec() override;

    void Set_Lang();
    void Btn_OKClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();

    RuleTableModel &table() const { return *m_table; }
    bool copied() const { return Do_Copy_SNMP; }

    TitlePanel *Title;
    RuleTableView *ACG_SNMP;
    PictureButton *Btn_OK;
    PictureButton *Btn_Cancel;
    PictureButton *Btn_DelRow;
    PictureButton *Btn_InsRow;
    PictureButton *Btn_CopyRow;
    PictureButton *Btn_PasteRow;
    QStringList Hint_SNMP;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();

    AppContext &m_ctx;
    std::unique_ptr<RuleTableModel> m_table;
    bool Do_Copy_SNMP = false;
};

} // namespace cf::ui
