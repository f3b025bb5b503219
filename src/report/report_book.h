// A book: one side's stations laid out as report blocks, each point cell
// already in the line and column where the page shows it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/compact_text.h"
#include "common/text.h"
#include "grades/offset_points.h"
#include "grades/slopes.h"
#include "input/roadway.h"

namespace corvane {

inline constexpr int kCellLines = 11;   // lines 0..10 of a station block
inline constexpr int kCellColumns = 3;  // three point cells a line

// A point cell: the printed name, offset, elevation and the slope of the
// segment from it (as computed; the page prints it with two decimals and "%").
// A book holds one for every point of the file, so its texts are compact.
struct ReportCell {
    CompactText Name;
    CompactText Offset;
    CompactText Elevation;
    CompactText Slope;
    CompactText Code;            // the point's code from the file; empty for an offset point
    bool IsOffsetPoint = false;  // a computed offset point, not a point of the file

    bool operator==(const ReportCell&) const = default;
};
using CellLine = std::array<ReportCell, kCellColumns>;

// The slope as a cell prints it: two decimals, trimmed, without the "%";
// empty when the cell has none or it is no number.
std::string PrintedSlope(const ReportCell& cell);

// Whether a slope is written as its pattern prints it: an optional "-", the
// integer digits without leading zero, the point and two decimals, at most 15
// digits in all, and not "-.00". Every slope the stages compute is; it is then
// its own printed text (a decimal of up to 15 digits reads back as itself),
// and each page would otherwise read and format all its slopes again.
inline bool IsPrintedSlopeText(std::string_view text) {
    constexpr std::size_t kDecimals = 2;
    constexpr std::size_t kMostDigits = 15;
    if (!text.empty() && text.front() == '-') {
        if (text == "-.00") {
            return false;
        }
        text.remove_prefix(1);
    }
    if (text.size() < kDecimals + 1 || text.size() > kMostDigits + 1 ||
        text[text.size() - kDecimals - 1] != '.' || text.front() == '0') {
        return false;
    }
    return std::all_of(text.begin(), text.end() - kDecimals - 1, IsAsciiDigit) &&
           std::all_of(text.end() - kDecimals, text.end(), IsAsciiDigit);
}

// A slope that is no printed text yet, formatted into `text`.
void FormatSlopeInto(const ReportCell& cell, std::string& text);

// PrintedSlope without a copy: the stored slope itself, as nearly every one
// is already, or its formatted text in `scratch`. A page prints dozens.
inline std::string_view PrintedSlopeView(const ReportCell& cell, std::string& scratch) {
    if (IsPrintedSlopeText(cell.Slope)) {
        return cell.Slope;
    }
    FormatSlopeInto(cell, scratch);
    return scratch;
}

struct ReportStation {
    std::string Label;  // "Cross Sec. Sta." or "Design Sec. Sta."
    std::string StationText;
    std::string ChainName;
    // The last cell line the page draws (0..10); 0 when no line was completed.
    int LastLine = 0;
    std::string MessageKind;  // not empty: a message station, drawn without cells
    std::string MessageText;
    // The cell lines written, at most LastLine + 1; a line not held is empty.
    std::vector<CellLine> Lines;

    // The cell at (line, column); empty when the line is not held.
    const ReportCell& Cell(int line, int column) const;

    bool operator==(const ReportStation&) const = default;
};

struct Book {
    corvane::Side Side = corvane::Side::Left;
    RoadwayType Type = RoadwayType::Undivided;
    std::vector<ReportStation> Stations;

    int LastStation() const { return static_cast<int>(Stations.size()) - 1; }
    // "(Left)" or "(Right)" before a divided roadway's page numbers; empty otherwise.
    std::string SideMarker() const;
};

// Point code to printed label ("BR" -> "Break", ...); any other code unchanged.
std::string SegmentName(const std::string& code);

struct BookOptions {
    OffsetRequests Offsets;                           // which offset points were asked for
    bool ShowOffsetPoints = true;                     // from the selection
    std::string NumberFormat = kInitialNumberFormat;  // for the offset points' numbers
};

// One book per side of the selected roadway: Left alone, or Left then Right.
// Each station is let go once its block is built, so a roadway moved in gives
// its memory back while the books grow.
std::vector<Book> BuildBooks(Roadway selected, const BookOptions& options);

}  // namespace corvane
