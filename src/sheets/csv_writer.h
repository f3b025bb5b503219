// A row table as comma-separated values (RFC 4180): a field is quoted when it
// holds a comma, a quote or a line end, with its quotes doubled; lines end with
// CR LF; the text is UTF-8. A field that is not a number and begins with "=",
// "+", "-", "@", a tab or a CR gets a leading apostrophe, so that a spreadsheet
// opening the file never runs it as a formula.
#pragma once

#include <string>
#include <string_view>

#include "report/row_table.h"
#include "sheets/write_outcome.h"

namespace corvane {

// One field as the file holds it, appended to `line`.
void AppendCsvField(std::string_view text, std::string& line);

// The header and every row, without a byte-order mark.
std::string CsvText(const RowSource& table);

// Writes the table whole or not at all. A file starts with the UTF-8
// byte-order mark, which tells a spreadsheet the encoding; "-" is standard
// output, which gets none.
WriteOutcome WriteCsv(const RowSource& table, const std::string& path);

}  // namespace corvane
