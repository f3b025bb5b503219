// The changes as a row table for the sheet writers: the rows of ChangeRows,
// with the numbers marked so that a workbook stores them as numbers.
#pragma once

#include "compare/book_changes.h"
#include "report/row_table.h"

namespace corvane {

// The offsets, elevations and their changes are decimals, the slopes percent;
// every other field is text.
RowTable ChangeTable(const Comparison& comparison);

// The name of the changes' sheet in a workbook.
inline constexpr const char* kChangesSheetName = "Changes";

}  // namespace corvane
