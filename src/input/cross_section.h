// The cross-section record: one station of one roadway side with its points.
// Every text is kept exactly as read from the file; numbers are converted
// only inside a computation (see grades/number_text.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "input/large_table_allocator.h"

namespace corvane {

// Fixed capacities of the tables: stations 0..2000, points 0..30.
inline constexpr int kMaxStationIndex = 2000;
inline constexpr int kStationCapacity = kMaxStationIndex + 1;
inline constexpr int kMaxPointIndex = 30;
inline constexpr int kPointCapacity = kMaxPointIndex + 1;

struct OffsetPoint {
    std::string Offset;
    std::string Elevation;
};

struct CrossSection {
    // Index of the last stored point; -1 means no point.
    int32_t LastPoint = 0;
    std::string Column0Text;
    std::string Station;
    std::string Column4Text;
    std::string CrossSectionStation;
    OffsetPoint LeftOffsetPt;
    OffsetPoint RightOffsetPt;
    std::string MessageText;
    std::string MessageKind;  // "ERROR", "MESSAGE" (as read) or empty
    std::array<std::string, kPointCapacity> PointCode;
    std::array<std::string, kPointCapacity> PointOffset;
    std::array<std::string, kPointCapacity> PointElevation;
    std::array<std::string, kPointCapacity> PointSlope;
};

// A table always holds kStationCapacity records; it never grows or shrinks.
using SectionTable = std::vector<CrossSection, LargeTableAllocator<CrossSection>>;

}  // namespace corvane
