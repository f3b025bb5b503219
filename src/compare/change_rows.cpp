#include "compare/change_rows.h"

#include "common/text.h"
#include "compare/change_lines.h"

namespace corvane {

namespace {

std::string SideText(const SideChanges& side) {
    if (side.Type != RoadwayType::Divided) {
        return {};
    }
    return side.Side == Side::Left ? "Left" : "Right";
}

std::string OrNone(const std::string& text) {
    return text.empty() ? "none" : text;
}

Row RowOf(const std::string& side, const StationChanges& station, const Change& change) {
    const ReportCell& cell = change.New.Name.empty() ? change.Old : change.New;
    const std::string message = change.Kind == ChangeKind::MessageChanged
                                    ? OrNone(change.OldMessage) + " -> " + OrNone(change.NewMessage)
                                    : std::string();
    const auto decimal = [](std::string_view text) {
        return Field{std::string(Trim(text)), FieldKind::Decimal};
    };
    const auto percent = [](std::string text) {
        return Field{std::move(text), FieldKind::Percent};
    };
    return {{side},
            {std::string(Trim(station.Station.StationText))},
            {cell.Name.str()},
            {cell.Code.str()},
            {ChangeKindText(change.Kind)},
            decimal(change.Old.Offset),
            decimal(change.Old.Elevation),
            decimal(change.New.Offset),
            decimal(change.New.Elevation),
            decimal(change.OffsetChange),
            decimal(change.ElevationChange),
            percent(PrintedSlope(change.Old)),
            percent(PrintedSlope(change.New)),
            {message}};
}

}  // namespace

RowTable ChangeRows(const Comparison& comparison) {
    RowTable rows({"Side", "Station", "Name", "Code", "Kind", "Old Offset", "Old Elevation",
                   "New Offset", "New Elevation", "Offset Change", "Elevation Change", "Old Slope",
                   "New Slope", "Message"});
    for (const SideChanges& side : comparison.Sides) {
        const std::string sideText = SideText(side);
        for (const StationChanges& station : side.Stations) {
            for (const Change& change : station.Changes) {
                rows.Rows.push_back(RowOf(sideText, station, change));
            }
        }
    }
    return rows;
}

}  // namespace corvane
