// The index ranges a computation may walk. StationCount and LastPoint come
// from the file, so they are kept inside the fixed capacities of the tables.
#pragma once

#include <algorithm>
#include <cstdint>

#include "input/cross_section_tables.h"

namespace corvane {

// Index of the last station of the run within this table; -1 when there is none.
inline int LastStationIndex(const CrossSectionTables& tables, const SectionTable& table) {
    const int lastRecord = static_cast<int>(table.size()) - 1;
    return std::min<int>(tables.StationCount, lastRecord);
}

// Index of the section's last point within the 31 slots; negative when it has none.
inline int LastPointIndex(const CrossSection& section) {
    return std::min<int>(section.LastPoint, kMaxPointIndex);
}

}  // namespace corvane
