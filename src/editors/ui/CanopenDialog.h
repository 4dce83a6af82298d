#pragma once

#include "editors/CanopenTables.h"
#include "editors/ui/RuleTableDialog.h"

#include <QStringList>
#include <array>
#include <memory>

class QTabWidget;

namespace cf {
class AppContext;
class RuleTableModel;
} // namespace cf

namespace cf::ui {

class PictureButton;
class RuleTableView;
class TitlePanel;

// A CANopen table dialog: two pages, one rule grid each, driven by the file's layout.
// The grids are the live state; the CanopenTables only carry them through load, check and save.
class CanopenDialog : public RuleTableDialog {
    Q_OBJECT
public:
    CanopenDialog(CanopenFile file, AppContext &context, QWidget *parent = nullptr);
    ~CanopenDialog() override;

    // Resets and reloads both tables; false (after the general error box) when the file
    // cannot be read, and the dialog must not open.
    bool FormShow();
    // FormShow, then the modal loop.
    int exec() override;

    // Runs at creation only: these dialogs keep the language they were created in.
    void Set_Lang();
    void Btn_OKClick() override;
    void Btn_DelRowClick() override;
    void Btn_InsRowClick() override;
    void Btn_CopyRowClick() override;
    void Btn_PasteRowClick() override;

    const CanopenLayout &layout() const { return m_tables.layout(); }
    // What OK would check and save: the grids' contents with the current bounds.
    const CanopenTables &tables();
    RuleTableModel &table(int page) const { return *m_models.at(page); }
    RuleTableView &grid(int page) const { return *m_grids.at(page); }
    int currentPage() const;
    // The copied flag that Paste Row uses on the page.
    bool copied(int page) const { return m_copied.at(flagIndex(page)); }
    // Header hints of the page's data columns 1 onward.
    const QStringList &hints(int page) const { return m_hints.at(page); }

    QTabWidget *PageControl1;
    std::array<QWidget *, 2> Page{};
    RuleTableView *sga;
    RuleTableView *sgb;

private:
    void FormCreate();
    int flagIndex(int page) const { return layout().sharedCopyFlag ? 0 : page; }
    void showTables();
    QString filePath() const;
    RuleTableView &currentGrid() const { return grid(currentPage()); }

    AppContext &m_ctx;
    CanopenTables m_tables;
    std::array<std::unique_ptr<RuleTableModel>, 2> m_models;
    std::array<RuleTableView *, 2> m_grids{};
    std::array<QStringList, 2> m_hints;
    // One flag per table, or only the first when the layout shares one.
    std::array<bool, 2> m_copied{};
};

// The objects the converter publishes: SDO in Read / SDO in Write.
class TFSet_SDO_Server_Access : public CanopenDialog {
    Q_OBJECT
public:
    explicit TFSet_SDO_Server_Access(AppContext &context, QWidget *parent = nullptr);
};

// The SDO requests the converter sends to other nodes.
class TFSet_SDO_Client_Access : public CanopenDialog {
    Q_OBJECT
public:
    explicit TFSet_SDO_Client_Access(AppContext &context, QWidget *parent = nullptr);
};

// The receive and transmit PDOs.
class TFSet_PDO_Access : public CanopenDialog {
    Q_OBJECT
public:
    explicit TFSet_PDO_Access(AppContext &context, QWidget *parent = nullptr);

    // The row operations every rule table shares, under this dialog's names.
    static void Insert_Row(int Num_Row, RuleTableModel &grid);
    static void Delete_Row(int Num_Row, RuleTableModel &grid);
};

} // namespace cf::ui
