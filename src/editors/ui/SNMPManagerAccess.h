#pragma once

#include "editors/ui/RuleTableDialog.h"

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
class TFSNMPManagerAccess : public RuleTableDialog {
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
    void Btn_OKClick() override;
    void Btn_DelRowClick() override;
    void Btn_InsRowClick() override;
    void Btn_CopyRowClick() override;
    void Btn_PasteRowClick() override;

    RuleTableModel &table() const { return *m_table; }
    bool copied() const { return Do_Copy_SNMP; }

    RuleTableView *ACG_SNMP;
    QStringList Hint_SNMP;

private:
    void FormCreate();

    AppContext &m_ctx;
    std::unique_ptr<RuleTableModel> m_table;
    bool Do_Copy_SNMP = false;
};

} // namespace cf::ui
