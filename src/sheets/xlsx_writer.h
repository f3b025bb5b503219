// Row tables as an Excel workbook, one sheet a table, written in constant
// memory (a row leaves memory once the next begins).
//
// Each sheet's header row is bold and stays in view (frozen); each column is
// as wide as its longest text + 2, at most 60. A Decimal field that is a plain
// number of at most 15 significant digits is stored as that number, shown with
// the decimals of its text; a Percent field likewise as its hundredth, shown
// as a percentage. Every other text is stored as a string, never as a formula.
#pragma once

#include <string>
#include <vector>

#include "report/row_table.h"
#include "sheets/write_outcome.h"

namespace corvane {

// A sheet of the workbook: its name and its rows.
struct SheetRows {
    std::string Name;
    const RowSource& Rows;
};

// Writes the workbook whole or not at all. A workbook is never written to
// standard output ("-"): that is refused.
WriteOutcome WriteXlsx(const std::vector<SheetRows>& sheets, const std::string& path);

}  // namespace corvane
