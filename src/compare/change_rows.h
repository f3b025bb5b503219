// The changes as a table: one row a change, after a header row.
#pragma once

#include "compare/book_changes.h"
#include "report/row_table.h"

namespace corvane {

// Side,Station,Name,Code,Kind,Old Offset,Old Elevation,New Offset,New
// Elevation,Offset Change,Elevation Change,Old Slope,New Slope,Message
//
// Side is "Left", "Right", or empty for an undivided roadway; the texts are
// those the books print, trimmed, the slopes without "%". A changed message
// gives "OLD -> NEW" in Message, "none" standing for no message. Offsets,
// elevations and their changes are Decimal fields, the slopes Percent fields,
// so that a workbook stores the numbers among them as numbers.
RowTable ChangeRows(const Comparison& comparison);

// The name of the changes' sheet in a workbook.
inline constexpr const char* kChangesSheetName = "Changes";

}  // namespace corvane
