#include "grades/offset_points.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "grades/number_text.h"
#include "grades/slopes.h"

namespace corvane {

namespace {

// What an offset point that would not lie beyond the outermost point shows.
const std::string kNotBeyondOffset = "Error";
const std::string kNotBeyondElevation = "Btwn Pts";

enum class OffsetFrom { LastPoint, CenterLine, Nothing };

// The choice is taken exactly as worded; any other text, even one differing
// only in case, asks for nothing.
OffsetFrom ChoiceOf(const std::string& text) {
    if (text == kFromLastPoint) {
        return OffsetFrom::LastPoint;
    }
    if (text == kFromCenterLine) {
        return OffsetFrom::CenterLine;
    }
    return OffsetFrom::Nothing;
}

// The numbers of one end of a station: the outermost point and the slope of
// the segment next to it. Each is empty when it is not a number.
struct OuterPoint {
    std::optional<double> offset;
    std::optional<double> elevation;
    std::optional<double> slope;
};

// Point 0 with the slope of the first segment, or point N with the slope of
// the last segment, which is stored on point N-1.
OuterPoint OuterPointOf(const std::vector<Point>& points, bool last) {
    const Point& point = last ? points.back() : points.front();
    OuterPoint outer{ParseNumber(point.Offset), ParseNumber(point.Elevation), std::nullopt};
    if (points.size() >= 2) {
        outer.slope = ParseNumber(last ? points[points.size() - 2].Slope : points.front().Slope);
    }
    return outer;
}

// The text of a computed offset or elevation, or nothing when the report
// could not print it with the number format (see PrintableValue): an absurd
// result counts as not computed, like one made from a text that is not a number.
std::optional<std::string> ComputedText(double value, std::string_view numberFormat) {
    if (!PrintableValue(value, numberFormat, kReportCellWidth)) {
        return std::nullopt;
    }
    return NumberText(value);
}

// The elevation reached by going `run` outward along the outermost slope, or
// no text when the elevation or the slope is missing (a narrow outer segment,
// a single point) or the result is not computable.
std::string ElevationAlongSlope(const OuterPoint& point, double run,
                                std::string_view numberFormat) {
    if (!point.elevation || !point.slope) {
        return {};
    }
    return ComputedText(*point.elevation + run * *point.slope / kPercent, numberFormat)
        .value_or(std::string{});
}

// A point whose offset is not computable is not placed at all, as when the
// outermost offset is not a number.
OffsetPoint Placed(const std::optional<std::string>& offset, std::string elevation) {
    if (!offset) {
        return {};
    }
    return {*offset, std::move(elevation)};
}

// What one side's pass asks of every station.
struct PlacementRule {
    bool rightSide;
    OffsetFrom from;
    std::optional<double> distance;
    RoadwayType type;
    std::string_view numberFormat;
};

// Left of point 0: "From Last Point" measures outward from it, "From Center
// Line" gives the new point's offset, which must lie beyond it.
OffsetPoint LeftOffsetPoint(const std::vector<Point>& points, const PlacementRule& rule) {
    if (points.empty() || !rule.distance) {
        return {};
    }
    const OuterPoint first = OuterPointOf(points, /*last=*/false);
    if (!first.offset) {
        return {};
    }
    const double distance = *rule.distance;
    if (rule.from == OffsetFrom::LastPoint) {
        return Placed(ComputedText(*first.offset - distance, rule.numberFormat),
                      ElevationAlongSlope(first, -distance, rule.numberFormat));
    }
    if (*first.offset <= distance) {
        return {kNotBeyondOffset, kNotBeyondElevation};
    }
    // A divided roadway stores this point with the distance's sign turned
    // (both sides alike); its elevation still follows the distance as typed.
    const double offset = rule.type == RoadwayType::Divided ? -distance : distance;
    return Placed(ComputedText(offset, rule.numberFormat),
                  ElevationAlongSlope(first, -(distance - *first.offset), rule.numberFormat));
}

// Right of point N, the mirror image of the left side.
OffsetPoint RightOffsetPoint(const std::vector<Point>& points, const PlacementRule& rule) {
    if (points.empty() || !rule.distance) {
        return {};
    }
    const OuterPoint last = OuterPointOf(points, /*last=*/true);
    if (!last.offset) {
        return {};
    }
    const double distance = *rule.distance;
    if (rule.from == OffsetFrom::LastPoint) {
        return Placed(ComputedText(*last.offset + distance, rule.numberFormat),
                      ElevationAlongSlope(last, distance, rule.numberFormat));
    }
    if (*last.offset >= distance) {
        return {kNotBeyondOffset, kNotBeyondElevation};
    }
    return Placed(ComputedText(distance, rule.numberFormat),
                  ElevationAlongSlope(last, distance - *last.offset, rule.numberFormat));
}

// One side's offset point on every station of the roadway. Each side of a
// divided roadway gets its points from its own points only.
void PlaceOffsetPoints(Roadway& roadway, const PlacementRule& rule) {
    if (rule.from == OffsetFrom::Nothing) {
        return;
    }
    for (const Side side : roadway.Sides()) {
        for (Station& station : roadway.StationsOf(side)) {
            if (!station.MessageKind.empty()) {
                continue;
            }
            if (rule.rightSide) {
                station.RightOffsetPt = RightOffsetPoint(station.Points, rule);
            } else {
                station.LeftOffsetPt = LeftOffsetPoint(station.Points, rule);
            }
        }
    }
}

PlacementRule RuleFor(const OffsetRequest& request, bool rightSide, RoadwayType type,
                      std::string_view numberFormat) {
    return {rightSide, request.Asked ? ChoiceOf(request.From) : OffsetFrom::Nothing,
            ParseNumber(request.Distance), type, numberFormat};
}

}  // namespace

Roadway AddOffsetPoints(Roadway roadway, const OffsetRequests& requests,
                        const std::string& numberFormat) {
    PlaceOffsetPoints(roadway, RuleFor(requests.Left, false, roadway.Type, numberFormat));
    PlaceOffsetPoints(roadway, RuleFor(requests.Right, true, roadway.Type, numberFormat));
    return roadway;
}

}  // namespace corvane
