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

struct PointNumbers {
    std::optional<double> offset;
    std::optional<double> elevation;
};

// The run is taken as an absolute value, so the sign always follows the rise
// from the first point to the next, whichever way the offsets go. A slope
// that has no sensible text (see PrintableValue) is left empty, as is one
// whose run overflows: dividing by it would pass off nonsense as level.
std::string SegmentSlope(const PointNumbers& from, const PointNumbers& to, RoadwayType type) {
    if (!from.offset || !to.offset) {
        return {};
    }
    const double gap = std::fabs(*to.offset - *from.offset);
    if (!std::isfinite(gap) || !IsWideEnough(gap, type) || !from.elevation || !to.elevation) {
        return {};
    }
    const double slope = (*to.elevation - *from.elevation) * kPercent / gap;
    return PrintableValue(slope, kSlopePattern, kSlopeWidth).value_or(std::string{});
}

// One "0" more in the number format per decimal of the first offset of the
// file, so the report shows offsets and elevations as precisely as the file
// gives them.
std::string NumberFormatFor(const std::vector<Station>& stations) {
    std::string format = kInitialNumberFormat;
    if (stations.empty() || stations.front().Points.empty()) {
        return format;
    }
    const std::string_view offset = stations.front().Points.front().Offset;
    const std::size_t point = offset.find('.');
    format.append(point == std::string_view::npos ? offset.size() : offset.size() - point - 1, '0');
    return format;
}

// On a divided roadway the first point of a side is not in offset order with
// the others: it goes where its offset puts it, but never after the last point.
void MoveFirstPointIntoPlace(Station& station) {
    std::vector<Point>& points = station.Points;
    const int lastPoint = station.LastPoint();
    if (lastPoint <= 0) {
        return;
    }
    const std::optional<double> movedOffset = ParseNumber(points.front().Offset);
    if (!movedOffset) {
        return;
    }
    int place = lastPoint;
    for (int j = 1; j < lastPoint; ++j) {
        const std::optional<double> offset =
            ParseNumber(points[static_cast<std::size_t>(j)].Offset);
        if (offset && *offset > *movedOffset) {
            place = j;
            break;
        }
    }
    // Points 1..place-1 move one place forward and the first point lands at
    // place-1; slopes are computed afterwards, so they need not travel along.
    std::rotate(points.begin(), points.begin() + 1, points.begin() + place);
}

bool IsMessageStation(const Station& station) {
    return !station.MessageKind.empty();
}

void CalculateSideSlopes(std::vector<Station>& stations, RoadwayType type) {
    for (Station& station : stations) {
        if (IsMessageStation(station)) {
            continue;
        }
        if (type == RoadwayType::Divided) {
            MoveFirstPointIntoPlace(station);
        }
        CalculateStationSlopes(station, type);
    }
}

}  // namespace

void CalculateStationSlopes(Station& station, RoadwayType type) {
    std::vector<Point>& points = station.Points;
    if (points.empty()) {
        return;
    }
    PointNumbers next{ParseNumber(points[0].Offset), ParseNumber(points[0].Elevation)};
    for (std::size_t j = 0; j + 1 < points.size(); ++j) {
        const PointNumbers current = next;
        next = {ParseNumber(points[j + 1].Offset), ParseNumber(points[j + 1].Elevation)};
        points[j].Slope = SegmentSlope(current, next, type);
    }
    // The last point starts no segment.
    points.back().Slope.clear();
}

SlopedRoadway CalculateSlopes(Roadway roadway) {
    SlopedRoadway sloped;
    // The format follows the file's first offset as written, before reordering.
    sloped.NumberFormat = NumberFormatFor(roadway.Left);
    for (const Side side : roadway.Sides()) {
        CalculateSideSlopes(roadway.StationsOf(side), roadway.Type);
    }
    sloped.Roadway = std::move(roadway);
    return sloped;
}

}  // namespace corvane
