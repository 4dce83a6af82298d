#pragma once

#include <optional>
#include <utility>

namespace cf {

class AppContext;
class RuleTableModel;

// Row operations shared by every rule table. Rows are rule rows 1..N; a row outside
// the table (no current row) does nothing. Column 0 is never touched.
void Grid_Delete_Row(int row, RuleTableModel &grid);
void Grid_Insert_Row(int row, RuleTableModel &grid);
// Fills the program-wide copy buffer; the caller then sets its copied flag.
void Grid_Copy_Row(RuleTableModel &grid, int row, AppContext &context);
// Errors 1102 / 1101 and the overwrite question 1100 go through the context's prompt.
void Grid_Paste_Row(RuleTableModel &grid, int row, bool copied, AppContext &context);

// Where Enter moves when jumping is on: nullopt when it stays (column or row 0).
std::optional<std::pair<int, int>> enterKeyTarget(int row, int col, int lastRow, int lastCol);

} // namespace cf
