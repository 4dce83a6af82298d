#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace cf {

// How a data column's cells are edited. Column 0 (the row number) is Fixed.
enum class EditorKind { Fixed, Text, List, ListWithText, CheckBox };

struct RuleColumn {
    EditorKind kind = EditorKind::Text;
    int width = 64;
    QStringList choices; // List and ListWithText
};

// A fixed-size rule table: rule rows 1..ruleRowCount() (model rows 0..N-1), column 0
// the rule number, every cell a text. The captions are the header data; the row
// count never changes while editing.
class RuleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { TextRole = Qt::UserRole + 1, ChoicesRole, EditorKindRole };

    RuleTableModel(int ruleRows, QList<RuleColumn> columns, QObject *parent = nullptr);

    int ruleRowCount() const { return m_rows; }
    int columnTotal() const { return int(m_columns.size()); }
    const RuleColumn &column(int col) const { return m_columns.at(col); }
    EditorKind kind(int col) const { return m_columns.at(col).kind; }
    void setChoices(int col, const QStringList &choices);
    void setHeaders(const QStringList &captions);
    // Entry c - 1 is the hint of column c's header; column 0 has none.
    void setHeaderHints(const QStringList &hints);
    QString headerText(int col) const { return m_headers.value(col); }

    // Rule rows are numbered from 1.
    const QString &cell(int row, int col) const { return m_cells.at(index0(row, col)); }
    void setCell(int row, int col, const QString &text);
    // Columns 1..last of a row.
    QStringList rowTexts(int row) const;
    void setRowTexts(int row, const QStringList &texts);

    // Bulk edits without a signal per cell: mutate through cellRef, then one notice.
    QString &cellRef(int row, int col) { return m_cells[index0(row, col)]; }
    void notifyRowsChanged(int firstRow, int lastRow);

    static QString checkedText() { return QStringLiteral("Y"); }
    static QString uncheckedText() { return QStringLiteral("N"); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    qsizetype index0(int row, int col) const { return qsizetype(row - 1) * m_columns.size() + col; }

    int m_rows;
    QList<RuleColumn> m_columns;
    QStringList m_headers;
    QStringList m_hints;
    QStringList m_cells;
};

} // namespace cf
