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

std::string NamePadding(const Change& change, int nameWidth) {
    return PaddedTo((change.New.Name.empty() ? change.Old.Name : change.New.Name).str(),
                    static_cast<std::size_t>(nameWidth + kNameGap));
}

std::string WithKind(const Change& change, int nameWidth, const std::string& rest) {
    const std::string kind = ChangeKindText(change.Kind);
    return NamePadding(change, nameWidth) + PaddedTo(kind, std::max(kKindWidth, kind.size() + 3)) +
           rest;
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
    for (const std::string* part : {&station.Label, &station.StationText, &station.ChainName}) {
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

namespace {

// The line cut where it may break when it is too wide: every part but the
// first begins with the blanks that set it off.
std::vector<std::string> ChangeLineParts(const Change& change, int nameWidth) {
    switch (change.Kind) {
        case ChangeKind::Changed:
            return {NamePadding(change, nameWidth) + ElevationAtOffset(change.Old) + "  ->  " +
                        ElevationAtOffset(change.New),
                    "   elev " + change.ElevationChange + "  offset " + change.OffsetChange,
                    "   slope " + SlopeOrNone(change.Old) + " -> " + SlopeOrNone(change.New)};
        case ChangeKind::Added:
            return {WithKind(change, nameWidth, ElevationAtOffset(change.New))};
        case ChangeKind::Removed:
            return {WithKind(change, nameWidth, ElevationAtOffset(change.Old))};
        case ChangeKind::MessageChanged:
            return {WithKind(change, nameWidth, OrNone(change.OldMessage)),
                    "  ->  " + OrNone(change.NewMessage)};
        case ChangeKind::StationAdded:
        case ChangeKind::StationRemoved:
            break;
    }
    return {PaddedTo({}, static_cast<std::size_t>(nameWidth + kNameGap)) +
            ChangeKindText(change.Kind)};
}

// The byte where the text's cell `cells` begins (the text's size when it has fewer).
std::size_t ByteOfCell(std::string_view text, int cells) {
    std::size_t at = 0;
    for (int cell = 0; cell < cells && at < text.size(); ++cell) {
        at += CellLength(text, at);
    }
    return at;
}

// Cuts a line wider than the columns at the page's edge; what is left goes on,
// indented, on the lines after it.
void CutToColumns(std::string line, int columns, int indent, std::vector<std::string>& lines) {
    while (CellCount(line) > columns) {
        const std::size_t cut = ByteOfCell(line, columns);
        lines.push_back(line.substr(0, cut));
        line = std::string(static_cast<std::size_t>(indent), ' ') + line.substr(cut);
    }
    lines.push_back(std::move(line));
}

}  // namespace

std::string ChangeLine(const Change& change, int nameWidth) {
    std::string line;
    for (const std::string& part : ChangeLineParts(change, nameWidth)) {
        line += part;
    }
    return line;
}

std::vector<std::string> ChangeLines(const Change& change, int nameWidth, int columns) {
    return FitParts(ChangeLineParts(change, nameWidth), columns, nameWidth + kNameGap);
}

std::vector<std::string> FitParts(const std::vector<std::string>& parts, int columns, int indent) {
    columns = std::max(columns, 1);
    indent = std::clamp(indent, 0, columns / 2);
    const std::string margin(static_cast<std::size_t>(indent), ' ');
    std::vector<std::string> lines;
    // The parts from `first` on, as the line that begins with them writes them.
    const auto lineFrom = [&](std::size_t first, std::size_t end) {
        std::string line;
        for (std::size_t part = first; part < end; ++part) {
            line += parts[part];
        }
        if (first == 0) {
            return line;
        }
        const std::size_t text = line.find_first_not_of(' ');
        return margin + (text == std::string::npos ? std::string() : line.substr(text));
    };
    // Breaks at the first place left for as long as the rest is too wide.
    std::size_t first = 0;
    std::string rest = lineFrom(0, parts.size());
    while (CellCount(rest) > columns && first + 1 < parts.size()) {
        CutToColumns(lineFrom(first, first + 1), columns, indent, lines);
        rest = lineFrom(++first, parts.size());
    }
    CutToColumns(std::move(rest), columns, indent, lines);
    return lines;
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
