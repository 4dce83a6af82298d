#include "editors/RuleTableModel.h"

namespace cf {

RuleTableModel::RuleTableModel(int ruleRows, QList<RuleColumn> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(ruleRows)
    , m_columns(std::move(columns))
{
    m_cells.resize(qsizetype(m_rows) * m_columns.size());
    m_headers.resize(m_columns.size());
}

void RuleTableModel::setChoices(int col, const QStringList &choices)
{
    m_columns[col].choices = choices;
}

void RuleTableModel::setHeaders(const QStringList &captions)
{
    for (int c = 0; c < columnTotal(); ++c)
        m_headers[c] = captions.value(c);
    emit headerDataChanged(Qt::Horizontal, 0, columnTotal() - 1);
}

void RuleTableModel::setHeaderHints(const QStringList &hints)
{
    m_hints = hints;
    emit headerDataChanged(Qt::Horizontal, 0, columnTotal() - 1);
}

void RuleTableModel::setCell(int row, int col, const QString &text)
{
    QString &target = cellRef(row, col);
    if (target == text)
        return;
    target = text;
    const QModelIndex i = index(row - 1, col);
    emit dataChanged(i, i);
}

QStringList RuleTableModel::rowTexts(int row) const
{
    QStringList texts;
    texts.reserve(columnTotal() - 1);
    for (int c = 1; c < columnTotal(); ++c)
        texts.append(cell(row, c));
    return texts;
}

void RuleTableModel::setRowTexts(int row, const QStringList &texts)
{
    for (int c = 1; c < columnTotal(); ++c)
        cellRef(row, c) = texts.value(c - 1);
    notifyRowsChanged(row, row);
}

void RuleTableModel::notifyRowsChanged(int firstRow, int lastRow)
{
    if (firstRow > lastRow)
        return;
    emit dataChanged(index(firstRow - 1, 0), index(lastRow - 1, columnTotal() - 1));
}

int RuleTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int RuleTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columnTotal();
}

QVariant RuleTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int col = index.column();
    const QString &text = cell(index.row() + 1, col);
    const bool check = kind(col) == EditorKind::CheckBox;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        // A check-box cell shows only its box.
        if (check)
            return {};
        return text;
    case Qt::CheckStateRole:
        if (!check)
            return {};
        return text == checkedText() ? Qt::Checked : Qt::Unchecked;
    case TextRole:
        return text;
    case ChoicesRole:
        return m_columns.at(col).choices;
    case EditorKindRole:
        return int(kind(col));
    case Qt::TextAlignmentRole:
        return col == 0 ? QVariant(int(Qt::AlignCenter)) : QVariant();
    default:
        return {};
    }
}

bool RuleTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const int col = index.column();
    if (col == 0)
        return false;
    const bool check = kind(col) == EditorKind::CheckBox;
    QString text;
    if (role == Qt::CheckStateRole && check)
        text = value.toInt() == Qt::Checked ? checkedText() : uncheckedText();
    else if ((role == Qt::EditRole && !check) || role == TextRole)
        text = value.toString();
    else
        return false;
    setCell(index.row() + 1, col, text);
    return true;
}

Qt::ItemFlags RuleTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    switch (kind(index.column())) {
    case EditorKind::Fixed:
        return base;
    case EditorKind::CheckBox:
        return base | Qt::ItemIsUserCheckable;
    default:
        return base | Qt::ItemIsEditable;
    }
}

QVariant RuleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < m_rows)
            return section + 1;
        return {};
    }
    if (section < 0 || section >= columnTotal())
        return {};
    if (role == Qt::DisplayRole)
        return m_headers.at(section);
    if (role == Qt::ToolTipRole && section >= 1 && section <= m_hints.size())
        return m_hints.at(section - 1);
    return {};
}

} // namespace cf
