// Storing one data row of a divided roadway into its side's station.
#pragma once

#include <string>
#include <string_view>

#include "input/columns.h"
#include "input/roadway.h"

namespace corvane {

// The rows of a group repeat their station's texts, so a text equal to the one
// held is not copied again.
inline void KeepText(std::string& field, std::string_view text) {
    if (field != text) {
        field = text;
    }
}

enum class DividedRowResult {
    Stored,       // a message row, or a point row
    TooShort,     // the row ends before a column it needs; what came before it is stored
    PointLimit,   // a point row beyond the 31st of its group: nothing is stored
    WrongMarker,  // a point row whose side marker (column 8) is not its group's side
};

// Stores the row whose text from file column 2 on is `remainder` into
// `station`, a point row's point at index `pointIndex`. A message row is
// recognised in column 3: on the left side the keyword exactly as written, on
// the right side in any letter case. `columns` is reused from row to row.
DividedRowResult StoreDividedRow(std::string_view remainder, Side side, int pointIndex,
                                 Station& station, Columns& columns);

}  // namespace corvane
