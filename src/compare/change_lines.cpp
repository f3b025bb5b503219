#include "compare/change_lines.h"

#include <algorithm>

#include "common/text.h"
#include "grades/number_text.h"
#include "report/text_cells.h"

namespace corvane {

namespace {

constexpr int kNameGap = 2;
constexpr std::size_t kKindWidth = 10;  // "removed" and three blanks

std::string PaddedTo(std::string text, std::size_t width) {
    const std::size_t cells = static_cast<std::size_t>(CellCount(text));
    text.append(width > cells ? width - cells : 0, ' ');
    return text;
}

std::string WithKind(const Change& change, int nameWidth, const std::string& rest) {
    const std::string kind = ChangeKindText(change.Kind);
    return PaddedTo(change.New.Name.empty() ? change.Old.Name : change.New.Name,
                    static_cast<std::size_t>(nameWidth + kNameGap)) +
           PaddedTo(kind, std::max(kKindWidth, kind.size() + 3)) + rest;
}

std::string SlopeOrNone(const ReportCell& cell) {
    const std::string slope = PrintedSlope(cell);
    return slope.empty() ? "none" : slope + "%";
}

std::string OrNone(const std::string& text) {
    return text.empty() ? "none" : text;
}

}  // namespace

std::string StationLine(const ReportStation& station) {
    std::string line;
    for (const std::string* part : {&station.Label, &station.StationText, &station.Column0Text}) {
        const std::string_view text = Trim(*part);
        if (!text.empty()) {
            line += (line.empty() ? "" : "  ") + std::string(text);
        }
    }
    return line;
}

std::string ElevationAtOffset(const ReportCell& cell) {
    return std::string(Trim(cell.Elevation)) + " @ " + std::string(Trim(cell.Offset));
}

std::string ChangeLine(const Change& change, int nameWidth) {
    switch (change.Kind) {
        case ChangeKind::Changed:
            return PaddedTo(change.New.Name, static_cast<std::size_t>(nameWidth + kNameGap)) +
                   ElevationAtOffset(change.Old) + "  ->  " + ElevationAtOffset(change.New) +
                   "   elev " + change.ElevationChange + "  offset " + change.OffsetChange +
                   "   slope " + SlopeOrNone(change.Old) + " -> " + SlopeOrNone(change.New);
        case ChangeKind::Added:
            return WithKind(change, nameWidth, ElevationAtOffset(change.New));
        case ChangeKind::Removed:
            return WithKind(change, nameWidth, ElevationAtOffset(change.Old));
        case ChangeKind::MessageChanged:
            return WithKind(change, nameWidth,
                            OrNone(change.OldMessage) + "  ->  " + OrNone(change.NewMessage));
        case ChangeKind::StationAdded:
        case ChangeKind::StationRemoved:
            break;
    }
    return PaddedTo({}, static_cast<std::size_t>(nameWidth + kNameGap)) +
           ChangeKindText(change.Kind);
}

std::vector<std::string> SummaryLines(const SideChanges& side, const std::string& toleranceText,
                                      const std::string& oldFile, const std::string& newFile) {
    std::vector<std::string> lines{"Old file: " + oldFile, "New file: " + newFile,
                                   "Tolerance: " + toleranceText,
                                   "Stations compared: " + std::to_string(side.StationsCompared) +
                                       "  changed: " + std::to_string(side.StationsChanged) +
                                       "  added: " + std::to_string(side.StationsAdded) +
                                       "  removed: " + std::to_string(side.StationsRemoved)};
    if (side.Stations.empty()) {
        lines.push_back("No change.");
    }
    return lines;
}

}  // namespace corvane
