// Storing one data row of a divided roadway into its side's table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "input/columns.h"
#include "input/cross_section_tables.h"
#include "input/messages.h"

namespace corvane {

enum class StoreSideResult {
    Stored,      // the row is stored (a message row, or a point row)
    StoreError,  // "Error in StoreSide" shown: the row lacked columns; reading goes on
    // A point row beyond the 31st of its group: nothing stored, the caller refuses the file.
    PointLimit,
    WrongSideMarker,  // the side-marker message has been shown: the program ends
};

// Stores the row whose text from column 2 on is `remainder` into record
// `station_index` of the side's table (`side` is "LeftSide" or "RightSide"),
// its point at index `k`. `columns` is reused from row to row.
StoreSideResult StoreSide(std::string_view station_text, std::string_view remainder,
                          int32_t station_index, std::string_view side, int32_t k,
                          CrossSectionTables& tables, Messages& messages, Columns& columns);

}  // namespace corvane
