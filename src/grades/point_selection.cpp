#include "grades/point_selection.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/text.h"
#include "grades/slopes.h"

namespace corvane {

namespace {

// The selection's faults read "Program Error: ", unlike the readers' "Program Error : ".
constexpr std::string_view kSelectionErrorPrefix = "Program Error: ";
constexpr std::string_view kSelectionRoutine = "FilterPoints";

// One point type of the "Show On Report" frame: its box, the text a code must
// contain, and whether the code's letters are compared in upper case. Only the
// edge of pavement test compares the letters as they are.
struct PointType {
    bool PointTypes::*ticked;
    std::string_view text;
    bool ignoreCase;
};

// The order matters: a point matching several types is kept once per type, in this order.
constexpr std::array<PointType, 6> kPointTypes{{
    {&PointTypes::BreakPoints, "BR", true},
    {&PointTypes::EdgeOfPavement, "EOP", false},
    {&PointTypes::JLPoints, "JL", true},
    {&PointTypes::FOCPoints, "FOC", true},
    {&PointTypes::BOCPoints, "BOC", true},
    {&PointTypes::CLPoints, "CL", true},
}};

// Whether `text` (upper case) occurs in `code`, upper-casing the code's
// letters on the fly when asked.
bool Contains(std::string_view code, std::string_view text, bool ignoreCase) {
    if (!ignoreCase) {
        return code.find(text) != std::string_view::npos;
    }
    for (std::size_t start = 0; start + text.size() <= code.size(); ++start) {
        std::size_t matched = 0;
        while (matched < text.size() && ToUpper(code[start + matched]) == text[matched]) {
            ++matched;
        }
        if (matched == text.size()) {
            return true;
        }
    }
    return false;
}

std::string TooManyPointsMessage(const Station& station, std::string_view side) {
    std::string description = "Subscript out of range: station \"" + station.StationText + "\"";
    if (!side.empty()) {
        description += " (" + std::string(side) + ")";
    }
    description += " has more than " + std::to_string(kMaxPoints) + " points to report";
    return ProgramErrorText(kSelectionErrorPrefix, description, kSelectionRoutine);
}

// The places of the points of the ticked types of one station, in the order
// they are kept; false when they are more than a station holds.
bool FindKeptPoints(const std::vector<Point>& points, const PointTypes& types,
                    std::vector<std::size_t>& kept) {
    kept.clear();
    for (std::size_t place = 0; place < points.size(); ++place) {
        for (const PointType& type : kPointTypes) {
            if (!(types.*type.ticked) ||
                !Contains(points[place].Code, type.text, type.ignoreCase)) {
                continue;
            }
            if (kept.size() == static_cast<std::size_t>(kMaxPoints)) {
                return false;
            }
            kept.push_back(place);
        }
    }
    return true;
}

// Whether the kept point at `k` keeps the slope it came with: the point kept
// after it was its neighbour, so its segment is the same one.
bool KeepsItsSegment(const std::vector<std::size_t>& kept, std::size_t k) {
    return k + 1 < kept.size() && kept[k + 1] == kept[k] + 1;
}

// The kept points in place of all the points, each with the slope it came
// with where its segment is kept (and `withSlopes`), else none. Points kept
// once each only move forward, so they are moved where they stand; a point
// kept for several types needs copies.
void KeepOnly(std::vector<Point>& points, const std::vector<std::size_t>& kept, bool withSlopes) {
    const auto keepsSlope = [&](std::size_t k) { return withSlopes && KeepsItsSegment(kept, k); };
    if (!std::is_sorted(kept.begin(), kept.end(), std::less_equal<>())) {
        std::vector<Point> copies;
        copies.reserve(kept.size());
        for (std::size_t k = 0; k < kept.size(); ++k) {
            const Point& point = points[kept[k]];
            copies.push_back({point.Code, point.Offset, point.Elevation,
                              keepsSlope(k) ? point.Slope : CompactText{}});
        }
        points = std::move(copies);
        return;
    }
    for (std::size_t k = 0; k < kept.size(); ++k) {
        if (kept[k] != k) {
            points[k] = std::move(points[kept[k]]);
        }
        if (!keepsSlope(k)) {
            points[k].Slope.clear();
        }
    }
    points.resize(kept.size());
}

// Keeps the points of the ticked types of one station. The kept points get
// slopes of their own, so every slope in the book agrees with the offsets and
// elevations printed beside it; message stations carry no slopes. A kept
// point whose neighbour is kept after it already has its slope: most points
// of a file are kept with their neighbours, and only the segments that now
// span dropped points are computed.
bool SelectStationPoints(Station& station, const PointTypes& types, RoadwayType type,
                         std::vector<std::size_t>& kept) {
    if (!FindKeptPoints(station.Points, types, kept)) {
        return false;
    }
    const bool withSlopes = station.MessageKind.empty();
    KeepOnly(station.Points, kept, withSlopes);
    if (station.Points.empty()) {
        station.Points.emplace_back();  // shown as one empty point
        return true;
    }
    for (std::size_t k = 0; withSlopes && k + 1 < kept.size(); ++k) {
        if (!KeepsItsSegment(kept, k)) {
            CalculateSegmentSlope(station.Points, k, type);
        }
    }
    return true;
}

std::optional<Selection> SelectAll(Roadway roadway, const PointTypes& types, Messages& messages) {
    std::vector<std::size_t> kept;  // reused from station to station
    for (const Side side : roadway.Sides()) {
        const std::string_view sideName = roadway.Type == RoadwayType::Undivided ? ""
                                          : side == Side::Left                   ? "left side"
                                                                                 : "right side";
        for (Station& station : roadway.StationsOf(side)) {
            if (!SelectStationPoints(station, types, roadway.Type, kept)) {
                // The same station would fail again at every attempt; the run stops here.
                messages.Show(TooManyPointsMessage(station, sideName));
                return std::nullopt;
            }
        }
    }
    return Selection{std::move(roadway), types.OffsetPoints};
}

}  // namespace

Selection KeepAllPoints(Roadway roadway) {
    return Selection{std::move(roadway), true};
}

std::optional<Selection> SelectPoints(Roadway roadway, const PointTypes& types,
                                      Messages& messages) {
    try {
        return SelectAll(std::move(roadway), types, messages);
    } catch (const std::exception& error) {
        messages.Show(ProgramErrorText(kSelectionErrorPrefix, error.what(), kSelectionRoutine));
        return std::nullopt;
    }
}

}  // namespace corvane
