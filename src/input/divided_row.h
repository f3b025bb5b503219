// Storing one data row of a divided roadway into its side's station.
#pragma once

#include <string>
#include <string_view>

#include "input/columns.h"
#include "input/roadway.h"

namespace corvane {

enum class DividedRowResult {
    Stored,       // a message row, or a point row
    TooShort,     // the row ends before a column it needs; what came before it is stored
    PointLimit,   // a point row beyond the 31st of its group: nothing is stored
    WrongMarker,  // a point row whose side marker (column 8) is not its group's side
};

// Stores the row split into `columns` into `station`, a point row's point at
// index `pointIndex`. The row's fields are read from file column 2 on, as the
// text after the station column, with the spaces that end the line left out.
// A message row is recognised in column 3: on the left side the keyword
// exactly as written, on the right side in any letter case.
DividedRowResult StoreDividedRow(const Columns& columns, Side side, int pointIndex,
                                 Station& station);

}  // namespace corvane
