#include "grades/slopes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "grades/number_text.h"

namespace corvane {

namespace {

// Segments narrower than this carry no meaningful slope.
constexpr double kMinimumSegmentWidth = 0.2;
// The report prints a slope with a "%" after it, and both fit in a cell.
constexpr std::size_t kSlopeWidth = kReportCellWidth - 1;

// The two roadway types part at the limit itself: a gap of exactly 0.2 carries
// a slope on a divided roadway only. Plain double arithmetic decides, so
// offsets 10.2 and 10 (a gap just below 0.2) carry none on either.
bool IsWideEnough(double gap, RoadwayType type) {
    if (type == RoadwayType::Divided) {
        return gap >= kMinimumSegmentWidth;
    }
    return gap > kMinimumSegmentWidth;
}

// Every text of a station that takes part in its slopes, parsed once.
struct PointNumbers {
    std::optional<double> offset;
    std::optional<double> elevation;
};

// The run is taken as an absolute value, so the sign always follows the rise
// from the first point to the next, whichever way the offsets go. A slope
// that has no sensible text (see PrintableValue) is left empty, as is one
// whose run overflows: dividing by it would pass off nonsense as level.
void StoreSegmentSlope(const PointNumbers& from, const PointNumbers& to, RoadwayType type,
                       const FixedPattern& pattern, CompactText& slope) {
    if (!from.offset || !to.offset) {
        slope.clear();
        return;
    }
    const double gap = std::fabs(*to.offset - *from.offset);
    if (!std::isfinite(gap) || !IsWideEnough(gap, type) || !from.elevation || !to.elevation) {
        slope.clear();
        return;
    }
    const double value = (*to.elevation - *from.elevation) * kPercent / gap;
    PrintValueInto(value, pattern, kSlopeWidth, slope);
}

void ParsePointNumbers(const std::vector<Point>& points, std::vector<PointNumbers>& numbers) {
    numbers.clear();
    for (const Point& point : points) {
        numbers.push_back({ParseNumber(point.Offset), ParseNumber(point.Elevation)});
    }
}

// The slopes of points whose numbers are parsed: each segment's slope on its
// first point, none on the last.
void StoreSlopes(std::vector<Point>& points, const std::vector<PointNumbers>& numbers,
                 RoadwayType type) {
    if (points.empty()) {
        return;
    }
    const FixedPattern pattern(kSlopePattern);
    for (std::size_t j = 0; j + 1 < points.size(); ++j) {
        StoreSegmentSlope(numbers[j], numbers[j + 1], type, pattern, points[j].Slope);
    }
    // The last point starts no segment.
    points.back().Slope.clear();
}

// On a divided roadway the first point of a side is not in offset order with
// the others: it goes where its offset puts it, but never after the last point.
// Its numbers travel with it.
void MoveFirstPointIntoPlace(Station& station, std::vector<PointNumbers>& numbers) {
    std::vector<Point>& points = station.Points;
    const int lastPoint = station.LastPoint();
    if (lastPoint <= 0) {
        return;
    }
    const std::optional<double> movedOffset = numbers.front().offset;
    if (!movedOffset) {
        return;
    }
    int place = lastPoint;
    for (int j = 1; j < lastPoint; ++j) {
        const std::optional<double> offset = numbers[static_cast<std::size_t>(j)].offset;
        if (offset && *offset > *movedOffset) {
            place = j;
            break;
        }
    }
    // Points 1..place-1 move one place forward and the first point lands at
    // place-1; slopes are computed afterwards, so they need not travel along.
    std::rotate(points.begin(), points.begin() + 1, points.begin() + place);
    std::rotate(numbers.begin(), numbers.begin() + 1, numbers.begin() + place);
}

bool IsMessageStation(const Station& station) {
    return !station.MessageKind.empty();
}

void CalculateSideSlopes(std::vector<Station>& stations, RoadwayType type) {
    std::vector<PointNumbers> numbers;  // reused from station to station
    for (Station& station : stations) {
        if (IsMessageStation(station)) {
            continue;
        }
        ParsePointNumbers(station.Points, numbers);
        if (type == RoadwayType::Divided) {
            MoveFirstPointIntoPlace(station, numbers);
        }
        StoreSlopes(station.Points, numbers, type);
    }
}

}  // namespace

void CalculateSegmentSlope(std::vector<Point>& points, std::size_t first, RoadwayType type) {
    const Point& from = points[first];
    const Point& to = points[first + 1];
    StoreSegmentSlope({ParseNumber(from.Offset), ParseNumber(from.Elevation)},
                      {ParseNumber(to.Offset), ParseNumber(to.Elevation)}, type,
                      FixedPattern(kSlopePattern), points[first].Slope);
}

// One "0" more in the number format per decimal of the first offset of the
// file, so the report shows offsets and elevations as precisely as the file
// gives them.
std::string NumberFormatOf(const Roadway& roadway) {
    std::string format = kInitialNumberFormat;
    const std::vector<Station>& stations = roadway.Left;
    if (stations.empty() || stations.front().Points.empty()) {
        return format;
    }
    const std::string_view offset = stations.front().Points.front().Offset;
    const std::size_t point = offset.find('.');
    format.append(point == std::string_view::npos ? offset.size() : offset.size() - point - 1, '0');
    return format;
}

SlopedRoadway CalculateSlopes(Roadway roadway) {
    SlopedRoadway sloped;
    // The format follows the file's first offset as written, before reordering.
    sloped.NumberFormat = NumberFormatOf(roadway);
    for (const Side side : roadway.Sides()) {
        CalculateSideSlopes(roadway.StationsOf(side), roadway.Type);
    }
    sloped.Roadway = std::move(roadway);
    return sloped;
}

}  // namespace corvane
