#include "grades/offset_points.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "grades/number_text.h"
#include "grades/roadway.h"
#include "grades/table_bounds.h"

namespace corvane {

namespace {

constexpr double kPercent = 100.0;

// What an offset point that would not lie beyond the outermost point shows.
const std::string kNotBeyondOffset = "Error";
const std::string kNotBeyondElevation = "Btwn Pts";

enum class OffsetFrom { LastPoint, CenterLine, Nothing };

// The choice is taken exactly as the combo box shows it; any other text,
// even one differing only in case, asks for nothing.
OffsetFrom ChoiceOf(const std::string& text) {
    if (text == kFromLastPoint) {
        return OffsetFrom::LastPoint;
    }
    if (text == kFromCenterLine) {
        return OffsetFrom::CenterLine;
    }
    return OffsetFrom::Nothing;
}

// The numbers of one end of a cross-section: the outermost point and the
// slope of the segment next to it. Each is empty when it is not a number.
struct OuterPoint {
    std::optional<double> offset;
    std::optional<double> elevation;
    std::optional<double> slope;
};

// Point 0 with the slope of the first segment.
OuterPoint FirstPoint(const CrossSection& section, int lastPoint) {
    OuterPoint point{ParseNumber(section.PointOffset[0]), ParseNumber(section.PointElevation[0]),
                     std::nullopt};
    if (lastPoint >= 1) {
        point.slope = ParseNumber(section.PointSlope[0]);
    }
    return point;
}

// Point N with the slope of the last segment, stored on point N-1.
OuterPoint LastPoint(const CrossSection& section, int lastPoint) {
    const auto n = static_cast<std::size_t>(lastPoint);
    OuterPoint point{ParseNumber(section.PointOffset[n]), ParseNumber(section.PointElevation[n]),
                     std::nullopt};
    if (lastPoint >= 1) {
        point.slope = ParseNumber(section.PointSlope[n - 1]);
    }
    return point;
}

// The text of a computed offset or elevation, or nothing when the report
// could not print it with NumberFormat (see PrintableValue): an absurd result
// counts as not computed, like one made from a text that is not a number.
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

void SetNotBeyond(OffsetPoint& target) {
    target.Offset = kNotBeyondOffset;
    target.Elevation = kNotBeyondElevation;
}

void SetUncomputed(OffsetPoint& target) {
    target.Offset.clear();
    target.Elevation.clear();
}

// A point whose offset is not computable is not placed at all, as when the
// outermost offset is not a number.
void SetPlaced(OffsetPoint& target, const std::optional<std::string>& offset,
               std::string elevation) {
    if (!offset) {
        SetUncomputed(target);
        return;
    }
    target.Offset = *offset;
    target.Elevation = std::move(elevation);
}

// What one pass asks of every cross-section.
struct PlacementRule {
    OffsetFrom from;
    double distance;
    Roadway roadway;
    std::string_view numberFormat;
};

// Left of point 0: "From Last Point" measures outward from it, "From Center
// Line" gives the new point's offset, which must lie beyond it.
void PlaceLeftOffsetPoint(CrossSection& section, const PlacementRule& rule) {
    OffsetPoint& target = section.LeftOffsetPt;
    const int lastPoint = LastPointIndex(section);
    if (lastPoint < 0) {
        SetUncomputed(target);
        return;
    }
    const OuterPoint first = FirstPoint(section, lastPoint);
    if (!first.offset) {
        SetUncomputed(target);
        return;
    }
    const double distance = rule.distance;
    if (rule.from == OffsetFrom::LastPoint) {
        SetPlaced(target, ComputedText(*first.offset - distance, rule.numberFormat),
                  ElevationAlongSlope(first, -distance, rule.numberFormat));
        return;
    }
    if (*first.offset <= distance) {
        SetNotBeyond(target);
        return;
    }
    // A divided roadway stores this point with the distance's sign turned
    // (both sides alike); its elevation still follows the distance as typed.
    SetPlaced(
        target,
        ComputedText(rule.roadway == Roadway::Divided ? -distance : distance, rule.numberFormat),
        ElevationAlongSlope(first, -(distance - *first.offset), rule.numberFormat));
}

// Right of point N, the mirror image of the left side.
void PlaceRightOffsetPoint(CrossSection& section, const PlacementRule& rule) {
    OffsetPoint& target = section.RightOffsetPt;
    const int lastPoint = LastPointIndex(section);
    if (lastPoint < 0) {
        SetUncomputed(target);
        return;
    }
    const OuterPoint last = LastPoint(section, lastPoint);
    if (!last.offset) {
        SetUncomputed(target);
        return;
    }
    const double distance = rule.distance;
    if (rule.from == OffsetFrom::LastPoint) {
        SetPlaced(target, ComputedText(*last.offset + distance, rule.numberFormat),
                  ElevationAlongSlope(last, distance, rule.numberFormat));
        return;
    }
    if (*last.offset >= distance) {
        SetNotBeyond(target);
        return;
    }
    SetPlaced(target, ComputedText(distance, rule.numberFormat),
              ElevationAlongSlope(last, distance - *last.offset, rule.numberFormat));
}

enum class Side { Left, Right };

struct SideRequest {
    Side side;
    OffsetFrom from;
    std::optional<double> distance;
    std::string_view numberFormat;  // what the report prints offset points with
};

void PlaceOffsetPoint(CrossSection& section, const SideRequest& request, Roadway roadway) {
    if (!section.MessageKind.empty()) {
        return;
    }
    if (!request.distance) {
        // The run checks the distances before it starts; this keeps stale or
        // half-computed texts out of the book if it is ever called without that.
        SetUncomputed(request.side == Side::Left ? section.LeftOffsetPt : section.RightOffsetPt);
        return;
    }
    const PlacementRule rule{request.from, *request.distance, roadway, request.numberFormat};
    if (request.side == Side::Left) {
        PlaceLeftOffsetPoint(section, rule);
    } else {
        PlaceRightOffsetPoint(section, rule);
    }
}

void PassOverTable(CrossSectionTables& tables, SectionTable& table, const SideRequest& request,
                   Roadway roadway) {
    const int lastStation = LastStationIndex(tables, table);
    for (int i = 0; i <= lastStation; ++i) {
        PlaceOffsetPoint(table[static_cast<std::size_t>(i)], request, roadway);
    }
}

// One pass over every station. Each side of a divided roadway gets its points
// from its own points only, so the sides may be done one after the other.
void RunPass(CrossSectionTables& tables, const SideRequest& request, Roadway roadway) {
    if (request.from == OffsetFrom::Nothing) {
        return;
    }
    if (roadway == Roadway::Undivided) {
        PassOverTable(tables, tables.Sections, request, roadway);
        return;
    }
    PassOverTable(tables, tables.SectionsLeft, request, roadway);
    PassOverTable(tables, tables.SectionsRight, request, roadway);
}

}  // namespace

void CalculateOffsetPoints(CrossSectionTables& tables, const Settings& settings) {
    const Roadway roadway = RoadwayOf(settings);
    if (roadway == Roadway::Unknown) {
        return;
    }
    // A side not asked for in this run still carries the choice of an earlier
    // run and is computed again from it; the report decides what is printed.
    RunPass(tables,
            {Side::Left, ChoiceOf(settings.LeftOffsetFrom),
             ParseNumber(settings.LeftOffsetDistance), settings.NumberFormat},
            roadway);
    RunPass(tables,
            {Side::Right, ChoiceOf(settings.RightOffsetFrom),
             ParseNumber(settings.RightOffsetDistance), settings.NumberFormat},
            roadway);
}

}  // namespace corvane
