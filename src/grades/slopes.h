// Cross slopes in percent between consecutive points.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "input/roadway.h"

namespace corvane {

// The pattern offsets and elevations of offset points are printed with,
// before the file's decimals lengthen it.
inline const std::string kInitialNumberFormat = "##.00";

// Slopes always show two decimals, whatever the number format says for offsets.
inline constexpr std::string_view kSlopePattern = "##.00";
// Slopes are in percent: rise over run times this.
inline constexpr double kPercent = 100.0;

struct SlopedRoadway {
    corvane::Roadway Roadway;
    // kInitialNumberFormat with one more "0" per decimal of the file's first
    // offset ("##.00" and "-7.2500" give "##.000000").
    std::string NumberFormat = kInitialNumberFormat;
};

// kInitialNumberFormat with one more "0" per decimal of the roadway's first
// offset as written (the left side's on a divided roadway).
std::string NumberFormatOf(const Roadway& roadway);

// Reorders the first point of every divided station (it goes where its offset
// puts it, never after the last point) and stores each segment's slope
// ("##.00") on its first point. Message stations stay as they are.
SlopedRoadway CalculateSlopes(Roadway roadway);

// The slope of the segment from points[first] to the point after it, stored
// on points[first], with the gap rule of the roadway type, as CalculateSlopes
// stores it: empty on a segment too narrow or not made of numbers, and where
// the slope has no sensible text (see PrintableValue).
void CalculateSegmentSlope(std::vector<Point>& points, std::size_t first, RoadwayType type);

}  // namespace corvane
