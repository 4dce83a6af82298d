#include "editors/RuleTableOps.h"

#include "app/AppContext.h"
#include "editors/RuleTableModel.h"
#include "platform/Prompt.h"

namespace cf {

namespace {
bool inTable(const RuleTableModel &grid, int row)
{
    return row >= 1 && row <= grid.ruleRowCount();
}
} // namespace

void Grid_Delete_Row(int row, RuleTableModel &grid)
{
    if (!inTable(grid, row))
        return;
    const int last = grid.ruleRowCount();
    const int cols = grid.columnTotal();
    for (int r = row + 1; r <= last; ++r) {
        for (int c = 1; c < cols; ++c)
            grid.cellRef(r - 1, c) = grid.cell(r, c);
    }
    for (int c = 1; c < cols; ++c)
        grid.cellRef(last, c).clear();
    grid.notifyRowsChanged(row, last);
}

void Grid_Insert_Row(int row, RuleTableModel &grid)
{
    if (!inTable(grid, row))
        return;
    const int last = grid.ruleRowCount();
    const int cols = grid.columnTotal();
    for (int r = last - 1; r >= row; --r) {
        for (int c = 1; c < cols; ++c)
            grid.cellRef(r + 1, c) = grid.cell(r, c);
    }
    for (int c = 1; c < cols; ++c)
        grid.cellRef(row, c).clear();
    grid.notifyRowsChanged(row, last);
}

void Grid_Copy_Row(RuleTableModel &grid, int row, AppContext &context)
{
    if (!inTable(grid, row))
        return;
    context.copyBuffer = grid.rowTexts(row);
}

void Grid_Paste_Row(RuleTableModel &grid, int row, bool copied, AppContext &context)
{
    if (!inTable(grid, row))
        return;
    if (!copied) {
        context.prompt().error(context.texts[1102]);
        return;
    }
    if (context.copyBuffer.size() + 1 != grid.columnTotal()) {
        context.prompt().error(context.texts[1101]);
        return;
    }
    bool used = false;
    for (int c = 1; c < grid.columnTotal() && !used; ++c)
        used = grid.kind(c) != EditorKind::CheckBox && !grid.cell(row, c).trimmed().isEmpty();
    if (used && !context.prompt().confirm(context.texts[1100]))
        return;
    grid.setRowTexts(row, context.copyBuffer);
}

std::optional<std::pair<int, int>> enterKeyTarget(int row, int col, int lastRow, int lastCol)
{
    if (row <= 0 || col <= 0)
        return std::nullopt;
    if (col < lastCol)
        return std::pair{row, col + 1};
    return std::pair{row < lastRow ? row + 1 : 1, 1};
}

} // namespace cf
