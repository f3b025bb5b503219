// A book: one side's stations laid out as report blocks, each point cell
// already in the line and column where the page shows it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/compact_text.h"
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
// The same, written into `text`, whose storage is reused: a page prints dozens.
void PrintSlopeInto(const ReportCell& cell, std::string& text);

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
