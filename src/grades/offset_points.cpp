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
std::optional<std::string> ComputedText(double value, const FixedPattern& numberFormat) {
    std::string printed;
    if (!PrintValueInto(value, numberFormat, kReportCellWidth, printed)) {
        return std::nullopt;
    }
    return NumberText(value);
}

// The elevation reached by going `run` outward along the outermost slope, or
// no text when the elevation or the slope is missing (a narrow outer segment,
// a single point) or the result is not computable.
std::string ElevationAlongSlope(const OuterPoint& point, double run,
                                const FixedPattern& numberFormat) {
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
    double distance;
    RoadwayType type;
    FixedPattern numberFormat;
};

// Beyond the outermost point of the rule's side: left of point 0 or right of
// point N, the one the mirror image of the other. LastPoint measures the
// distance outward from that point; CenterLine takes it as the new point's
// offset, which must lie beyond it.
OffsetPoint OffsetPointOf(const std::vector<Point>& points, const PlacementRule& rule) {
    if (points.empty()) {
        return {};
    }
    const OuterPoint outer = OuterPointOf(points, /*last=*/rule.rightSide);
    if (!outer.offset) {
        return {};
    }
    const double outward = rule.rightSide ? 1 : -1;
    const double distance = rule.distance;
    if (rule.from == OffsetFrom::LastPoint) {
        return Placed(ComputedText(*outer.offset + outward * distance, rule.numberFormat),
                      ElevationAlongSlope(outer, outward * distance, rule.numberFormat));
    }
    if (outward * *outer.offset >= outward * distance) {
        return {kNotBeyondOffset, kNotBeyondElevation};
    }
    // A divided roadway stores a left point with the distance's sign turned
    // (both sides alike); its elevation still follows the distance as typed.
    const bool turned = !rule.rightSide && rule.type == RoadwayType::Divided;
    return Placed(
        ComputedText(turned ? -distance : distance, rule.numberFormat),
        ElevationAlongSlope(outer, outward * (distance - *outer.offset), rule.numberFormat));
}

// One side's offset point on every station of the roadway. Each side of a
// divided roadway gets its points from its own points only.
void PlaceOffsetPoints(Roadway& roadway, const PlacementRule& rule) {
    for (const Side side : roadway.Sides()) {
        for (Station& station : roadway.StationsOf(side)) {
            if (!station.MessageKind.empty()) {
                continue;
            }
            OffsetPoint& placed = rule.rightSide ? station.RightOffsetPt : station.LeftOffsetPt;
            placed = OffsetPointOf(station.Points, rule);
        }
    }
}

void PlaceAsked(Roadway& roadway, const OffsetRequest& request, bool rightSide,
                std::string_view numberFormat) {
    if (request.Asked) {
        PlaceOffsetPoints(roadway, {rightSide, request.From, request.Distance, roadway.Type,
                                    FixedPattern(numberFormat)});
    }
}

}  // namespace

Roadway AddOffsetPoints(Roadway roadway, const OffsetRequests& requests,
                        const std::string& numberFormat) {
    PlaceAsked(roadway, requests.Left, /*rightSide=*/false, numberFormat);
    PlaceAsked(roadway, requests.Right, /*rightSide=*/true, numberFormat);
    return roadway;
}

}  // namespace corvane
