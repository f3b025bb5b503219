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

std::vector<std::string> RowOf(const std::string& side, const StationChanges& station,
                               const Change& change) {
    const ReportCell& cell = change.New.Name.empty() ? change.Old : change.New;
    const std::string message = change.Kind == ChangeKind::MessageChanged
                                    ? OrNone(change.OldMessage) + " -> " + OrNone(change.NewMessage)
                                    : std::string();
    return {side,
            std::string(Trim(station.Station.StationText)),
            cell.Name,
            cell.Code,
            ChangeKindText(change.Kind),
            std::string(Trim(change.Old.Offset)),
            std::string(Trim(change.Old.Elevation)),
            std::string(Trim(change.New.Offset)),
            std::string(Trim(change.New.Elevation)),
            change.OffsetChange,
            change.ElevationChange,
            PrintedSlope(change.Old),
            PrintedSlope(change.New),
            message};
}

}  // namespace

std::vector<std::vector<std::string>> ChangeRows(const Comparison& comparison) {
    std::vector<std::vector<std::string>> rows{
        {"Side", "Station", "Name", "Code", "Kind", "Old Offset", "Old Elevation", "New Offset",
         "New Elevation", "Offset Change", "Elevation Change", "Old Slope", "New Slope",
         "Message"}};
    for (const SideChanges& side : comparison.Sides) {
        const std::string sideText = SideText(side);
        for (const StationChanges& station : side.Stations) {
            for (const Change& change : station.Changes) {
                rows.push_back(RowOf(sideText, station, change));
            }
        }
    }
    return rows;
}

}  // namespace corvane
