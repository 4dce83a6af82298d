#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

namespace cf {
struct AppSettings;
class RuleTableModel;
} // namespace cf

namespace cf::ui {

// An editable rule grid: a delegate per column kind, Enter handling and the header
// double-click. The two table options are read from the settings at each key or
// click, so a change in Software Options applies at once.
class RuleTableView : public QTableView {
    Q_OBJECT
public:
    RuleTableView(RuleTableModel &model, const AppSettings &settings, QWidget *parent = nullptr);

    RuleTableModel &ruleModel() const { return m_model; }
    // The current rule row (1..N) and column, 0 when there is none.
    int currentRuleRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int col);
    // Applies the model's column widths.
    void applyColumnWidths();

    // Consumes Enter when jumping is on; true when the key was taken.
    bool Grid_Enter_Key(int key);
    void Grid_Header_DblClick(int row, int col);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class RuleCellDelegate;
    RuleTableModel &m_model;
    const AppSettings &m_settings;
};

// Editors by column kind: a line edit, a fixed list, a list with free text, a check box.
class RuleCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit RuleCellDelegate(RuleTableView &view);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    RuleTableView &m_view;
};

} // namespace cf::ui

namespace cf {
class AppContext;
}

namespace cf::ui {

// The row buttons of the rule dialogs, on the grid's current row.
// Delete asks `question` followed by the row number first.
void deleteCurrentRow(RuleTableView &grid, AppContext &context, const QString &question);
void insertCurrentRow(RuleTableView &grid);
// Sets `copied` after the copy.
void copyCurrentRow(RuleTableView &grid, AppContext &context, bool &copied);
void pasteCurrentRow(RuleTableView &grid, AppContext &context, bool copied);

} // namespace cf::ui
