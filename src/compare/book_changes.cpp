#include "compare/book_changes.h"

#include <algorithm>

#include "common/text.h"
#include "compare/pairing.h"
#include "compare/station_key.h"
#include "report/station_value.h"
#include "report/text_cells.h"

namespace corvane {

namespace {

// A cell the page shows anything of; the rest of a line's three cells is empty.
bool IsPrinted(const ReportCell& cell) {
    return !IsEmptyOrSpaces(cell.Name) || !IsEmptyOrSpaces(cell.Offset) ||
           !IsEmptyOrSpaces(cell.Elevation);
}

// The cells in the order the page shows them.
std::vector<const ReportCell*> PrintedCells(const ReportStation& station) {
    std::vector<const ReportCell*> cells;
    for (const CellLine& line : station.Lines) {
        for (const ReportCell& cell : line) {
            if (IsPrinted(cell)) {
                cells.push_back(&cell);
            }
        }
    }
    return cells;
}

std::string MessageOf(const ReportStation& station) {
    if (station.MessageKind.empty()) {
        return {};
    }
    return std::string(Trim(station.MessageKind + " " + station.MessageText));
}

Change MakeChange(ChangeKind kind, ReportCell older = {}, ReportCell newer = {}) {
    Change change;
    change.Kind = kind;
    change.Old = std::move(older);
    change.New = std::move(newer);
    return change;
}

ReportStation HeaderOf(const ReportStation& station) {
    ReportStation header;
    header.Label = station.Label;
    header.StationText = station.StationText;
    header.ChainName = station.ChainName;
    header.MessageKind = station.MessageKind;
    header.MessageText = station.MessageText;
    return header;
}

std::vector<Change> CellChanges(const ReportStation& older, const ReportStation& newer,
                                const Tolerance& tolerance) {
    std::vector<Change> changes;
    if (!older.MessageKind.empty() || !newer.MessageKind.empty()) {
        if (older.MessageKind != newer.MessageKind || older.MessageText != newer.MessageText) {
            Change change = MakeChange(ChangeKind::MessageChanged);
            change.OldMessage = MessageOf(older);
            change.NewMessage = MessageOf(newer);
            changes.push_back(std::move(change));
        }
        return changes;
    }
    const std::vector<const ReportCell*> oldCells = PrintedCells(older);
    const std::vector<const ReportCell*> newCells = PrintedCells(newer);
    const Pairing pairing = PairCells(oldCells, newCells);
    for (std::size_t j = 0; j < newCells.size(); ++j) {
        const int i = pairing.OldOfNew[j];
        if (i < 0) {
            continue;
        }
        const ReportCell& was = *oldCells[static_cast<std::size_t>(i)];
        const ReportCell& is = *newCells[j];
        TextChange offset = CompareNumberTexts(was.Offset, is.Offset, tolerance);
        TextChange elevation = CompareNumberTexts(was.Elevation, is.Elevation, tolerance);
        if (offset.BeyondTolerance || elevation.BeyondTolerance) {
            Change& change = changes.emplace_back(MakeChange(ChangeKind::Changed, was, is));
            change.OffsetChange = std::move(offset.Difference);
            change.ElevationChange = std::move(elevation.Difference);
        }
    }
    for (std::size_t j = 0; j < newCells.size(); ++j) {
        if (pairing.OldOfNew[j] < 0) {
            changes.push_back(MakeChange(ChangeKind::Added, {}, *newCells[j]));
        }
    }
    for (std::size_t i = 0; i < oldCells.size(); ++i) {
        if (pairing.NewOfOld[i] < 0) {
            changes.push_back(MakeChange(ChangeKind::Removed, *oldCells[i]));
        }
    }
    return changes;
}

int LongestName(const Book& book) {
    int longest = 0;
    for (const ReportStation& station : book.Stations) {
        for (const ReportCell* cell : PrintedCells(station)) {
            longest = std::max(longest, CellCount(cell->Name));
        }
    }
    return longest;
}

// The station digits of each file, for the station keys.
struct StationDigits {
    std::optional<int> older, newer;
};

SideChanges CompareSide(const Book& older, const Book& newer, const Tolerance& tolerance,
                        StationDigits digits) {
    SideChanges side;
    side.Side = newer.Side;
    side.Type = newer.Type;
    side.NameWidth = std::max(LongestName(older), LongestName(newer));
    const Pairing pairing =
        PairInOrder(StationKeys(older, digits.older), StationKeys(newer, digits.newer));

    // Removed stations are listed where they stood: before the first newer
    // station whose partner came after them.
    std::size_t nextOld = 0;
    const auto listRemovedBefore = [&](std::size_t end) {
        for (; nextOld < end; ++nextOld) {
            if (pairing.NewOfOld[nextOld] < 0) {
                side.Stations.push_back(
                    {HeaderOf(older.Stations[nextOld]), {MakeChange(ChangeKind::StationRemoved)}});
                ++side.StationsRemoved;
            }
        }
    };
    for (std::size_t j = 0; j < newer.Stations.size(); ++j) {
        const ReportStation& station = newer.Stations[j];
        const int partner = pairing.OldOfNew[j];
        if (partner < 0) {
            side.Stations.push_back({HeaderOf(station), {MakeChange(ChangeKind::StationAdded)}});
            ++side.StationsAdded;
            continue;
        }
        const std::size_t i = static_cast<std::size_t>(partner);
        listRemovedBefore(i);
        nextOld = std::max(nextOld, i + 1);
        ++side.StationsCompared;
        std::vector<Change> changes = CellChanges(older.Stations[i], station, tolerance);
        if (!changes.empty()) {
            side.Stations.push_back({HeaderOf(station), std::move(changes)});
            ++side.StationsChanged;
        }
    }
    listRemovedBefore(older.Stations.size());
    return side;
}

}  // namespace

const char* ChangeKindText(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::Changed:
            return "changed";
        case ChangeKind::Added:
            return "added";
        case ChangeKind::Removed:
            return "removed";
        case ChangeKind::StationAdded:
            return "station added";
        case ChangeKind::StationRemoved:
            return "station removed";
        case ChangeKind::MessageChanged:
            return "message changed";
    }
    return "";
}

int SideChanges::ChangeCount() const {
    int count = 0;
    for (const StationChanges& station : Stations) {
        count += static_cast<int>(station.Changes.size());
    }
    return count;
}

bool Comparison::HasChanges() const {
    return std::any_of(Sides.begin(), Sides.end(),
                       [](const SideChanges& side) { return !side.Stations.empty(); });
}

std::string RoadwayTypesDifferMessage(const std::string& oldName, RoadwayType oldType,
                                      const std::string& newName, RoadwayType newType) {
    const auto roadway = [](RoadwayType type) {
        return type == RoadwayType::Divided ? "a divided" : "an undivided";
    };
    return oldName + " is " + roadway(oldType) + " roadway, " + newName + " " + roadway(newType) +
           " one.";
}

std::optional<Comparison> CompareBooks(const std::vector<Book>& oldBooks,
                                       const std::vector<Book>& newBooks,
                                       const Tolerance& tolerance) {
    if (oldBooks.size() != newBooks.size()) {
        return std::nullopt;
    }
    Comparison comparison{tolerance.Text, {}};
    const StationDigits digits{StationDigitsOf(oldBooks), StationDigitsOf(newBooks)};
    for (std::size_t b = 0; b < newBooks.size(); ++b) {
        if (oldBooks[b].Type != newBooks[b].Type || oldBooks[b].Side != newBooks[b].Side) {
            return std::nullopt;
        }
        comparison.Sides.push_back(CompareSide(oldBooks[b], newBooks[b], tolerance, digits));
    }
    return comparison;
}

}  // namespace corvane
