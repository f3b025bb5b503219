#include "grades/slopes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "grades/number_text.h"
#include "grades/table_bounds.h"

namespace corvane {

namespace {

// Segments narrower than this carry no meaningful slope.
constexpr double kMinimumSegmentWidth = 0.2;
constexpr double kPercent = 100.0;
// Slopes always show two decimals, whatever NumberFormat says for offsets.
constexpr std::string_view kSlopePattern = "##.00";
// The report prints a slope with a "%" after it, and both fit in a cell.
constexpr std::size_t kSlopeWidth = kReportCellWidth - 1;

using PointNumbers = std::array<std::optional<double>, kPointCapacity>;

PointNumbers ParsePoints(const std::array<std::string, kPointCapacity>& texts, int lastPoint) {
    PointNumbers numbers;
    for (int j = 0; j <= lastPoint; ++j) {
        numbers[static_cast<std::size_t>(j)] = ParseNumber(texts[static_cast<std::size_t>(j)]);
    }
    return numbers;
}

// The two roadway types part at the limit itself: a gap of exactly 0.2 carries
// a slope on a divided roadway only. Plain double arithmetic decides, so
// offsets 10.2 and 10 (a gap just below 0.2) carry none on either.
bool IsWideEnough(double gap, Roadway roadway) {
    if (roadway == Roadway::Divided) {
        return gap >= kMinimumSegmentWidth;
    }
    return gap > kMinimumSegmentWidth;
}

// The run is taken as an absolute value, so the sign always follows the rise
// from the first point to the next, whichever way the offsets go. A slope
// that has no sensible text (see PrintableValue) is left empty, as is one
// whose run overflows: dividing by it would pass off nonsense as level.
std::string SegmentSlope(std::optional<double> offset, std::optional<double> elevation,
                         std::optional<double> nextOffset, std::optional<double> nextElevation,
                         Roadway roadway) {
    if (!offset || !nextOffset) {
        return {};
    }
    const double gap = std::fabs(*nextOffset - *offset);
    if (!std::isfinite(gap) || !IsWideEnough(gap, roadway) || !elevation || !nextElevation) {
        return {};
    }
    const double slope = (*nextElevation - *elevation) * kPercent / gap;
    return PrintableValue(slope, kSlopePattern, kSlopeWidth).value_or(std::string{});
}

// One "0" more in NumberFormat per decimal of the first offset of the file, so
// the report shows offsets and elevations as precisely as the file gives them.
void LengthenNumberFormat(const SectionTable& table, Settings& settings) {
    if (table.empty() || table.front().LastPoint < 0) {
        return;
    }
    const std::string_view offset = table.front().PointOffset[0];
    const std::size_t point = offset.find('.');
    const std::size_t decimals =
        point == std::string_view::npos ? offset.size() : offset.size() - point - 1;
    settings.NumberFormat.append(decimals, '0');
}

// On a divided roadway the first point of a side is not in offset order with
// the others: it goes where its offset puts it, but never after the last point.
void MoveFirstPointIntoPlace(CrossSection& section) {
    const int lastPoint = LastPointIndex(section);
    if (lastPoint <= 0) {
        return;
    }
    const std::optional<double> movedOffset = ParseNumber(section.PointOffset[0]);
    if (!movedOffset) {
        return;
    }
    int place = lastPoint;
    for (int j = 1; j < lastPoint; ++j) {
        const std::optional<double> offset = ParseNumber(section.PointOffset[j]);
        if (offset && *offset > *movedOffset) {
            place = j;
            break;
        }
    }
    // Points 1..place-1 move one slot forward and the first point lands at place-1;
    // slopes are recomputed afterwards, so they are not moved.
    for (auto* texts : {&section.PointCode, &section.PointOffset, &section.PointElevation}) {
        std::rotate(texts->begin(), texts->begin() + 1, texts->begin() + place);
    }
}

bool IsMessageStation(const CrossSection& section) {
    return !section.MessageKind.empty();
}

void ReorderFirstPoints(CrossSectionTables& tables, SectionTable& table) {
    const int lastStation = LastStationIndex(tables, table);
    for (int i = 0; i <= lastStation; ++i) {
        CrossSection& section = table[static_cast<std::size_t>(i)];
        if (!IsMessageStation(section)) {
            MoveFirstPointIntoPlace(section);
        }
    }
}

void CalculateTableSlopes(CrossSectionTables& tables, SectionTable& table, Roadway roadway) {
    const int lastStation = LastStationIndex(tables, table);
    for (int i = 0; i <= lastStation; ++i) {
        CrossSection& section = table[static_cast<std::size_t>(i)];
        if (!IsMessageStation(section)) {
            CalculateSectionSlopes(section, roadway);
        }
    }
}

}  // namespace

void CalculateSectionSlopes(CrossSection& section, Roadway roadway) {
    const int lastPoint = LastPointIndex(section);
    if (lastPoint < 0) {
        return;
    }
    const PointNumbers offsets = ParsePoints(section.PointOffset, lastPoint);
    const PointNumbers elevations = ParsePoints(section.PointElevation, lastPoint);
    for (std::size_t j = 0; j < static_cast<std::size_t>(lastPoint); ++j) {
        section.PointSlope[j] =
            SegmentSlope(offsets[j], elevations[j], offsets[j + 1], elevations[j + 1], roadway);
    }
    // The last point starts no segment.
    section.PointSlope[static_cast<std::size_t>(lastPoint)].clear();
}

void CalculateSlopes(CrossSectionTables& tables, Settings& settings) {
    switch (RoadwayOf(settings)) {
        case Roadway::Undivided:
            LengthenNumberFormat(tables.Sections, settings);
            CalculateTableSlopes(tables, tables.Sections, Roadway::Undivided);
            break;
        case Roadway::Divided:
            // The format follows the file's first offset as written, before reordering.
            LengthenNumberFormat(tables.SectionsLeft, settings);
            ReorderFirstPoints(tables, tables.SectionsLeft);
            CalculateTableSlopes(tables, tables.SectionsLeft, Roadway::Divided);
            ReorderFirstPoints(tables, tables.SectionsRight);
            CalculateTableSlopes(tables, tables.SectionsRight, Roadway::Divided);
            break;
        case Roadway::Unknown:
            break;
    }
}

}  // namespace corvane
