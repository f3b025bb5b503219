// What changed between the books of two revisions of a roadway, side by side:
// per station, the cells that moved, appeared or went, and the stations and
// messages that appeared, went or changed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compare/decimal_text.h"
#include "report/report_book.h"

namespace corvane {

enum class ChangeKind { Changed, Added, Removed, StationAdded, StationRemoved, MessageChanged };

// "changed", "added", "removed", "station added", "station removed", "message changed".
const char* ChangeKindText(ChangeKind kind);

struct Change {
    ChangeKind Kind = ChangeKind::Changed;
    ReportCell Old;  // empty for an added cell
    ReportCell New;  // empty for a removed cell
    // A changed cell: how far its offset and elevation moved (decimal_text.h).
    std::string OffsetChange;
    std::string ElevationChange;
    // A changed message: "KIND text" of each book, empty where the station has none.
    std::string OldMessage;
    std::string NewMessage;
};

// A station with at least one change.
struct StationChanges {
    // The station's header as the newer book prints it (the older one for a
    // station removed), without its cells.
    ReportStation Station;
    std::vector<Change> Changes;  // changed cells, then added, then removed
};

// The comparison of one side's two books.
struct SideChanges {
    corvane::Side Side = corvane::Side::Left;
    RoadwayType Type = RoadwayType::Undivided;
    int StationsCompared = 0;  // stations found in both books
    int StationsChanged = 0;   // of those, the ones with a change
    int StationsAdded = 0;
    int StationsRemoved = 0;
    int NameWidth = 0;  // the longest cell name of either book, in characters
    // In the newer book's order; a removed station stands where it stood in the older book.
    std::vector<StationChanges> Stations;

    int ChangeCount() const;
};

struct Comparison {
    std::string ToleranceText;
    std::vector<SideChanges> Sides;  // the undivided side, or left then right

    bool HasChanges() const;
};

// Compares each side's books; none when the two roadways are not of the same
// type. A cell changed when its offset or its elevation moved by more than
// the tolerance; a station that holds a message on either side is compared by
// its message alone.
// "OLD.csv is a divided roadway, NEW.csv an undivided one.": why two files of
// different roadway types are not compared.
std::string RoadwayTypesDifferMessage(const std::string& oldName, RoadwayType oldType,
                                      const std::string& newName, RoadwayType newType);

std::optional<Comparison> CompareBooks(const std::vector<Book>& oldBooks,
                                       const std::vector<Book>& newBooks,
                                       const Tolerance& tolerance);

}  // namespace corvane
