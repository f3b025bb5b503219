// A book: one side's stations laid out as report blocks, each cell already in
// the line and column where the page shows it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "grades/stages.h"
#include "input/roadway.h"

namespace corvane {

inline constexpr int kCellLines = 11;   // lines 0..10 of a station block
inline constexpr int kCellColumns = 3;  // three point cells a line

enum CellPart { kCellLabel = 0, kCellOffset = 1, kCellElevation = 2, kCellSlope = 3 };
using ReportCell = std::array<std::string, 4>;

struct ReportStation {
    std::string Label;  // "Cross Sec. Sta." or "Design Sec. Sta."
    std::string StationText;
    std::string Column0Text;
    int LastLine = 0;
    std::string MessageKind;
    std::string MessageText;
    std::array<std::array<ReportCell, kCellColumns>, kCellLines> Cells;
};

struct Book {
    Side Side = Side::Left;
    RoadwayType Type = RoadwayType::Undivided;
    std::vector<ReportStation> Stations;
    int LastStation() const { return static_cast<int>(Stations.size()) - 1; }
};

// Point code to printed label ("BR" -> "Break", ...); any other code unchanged.
std::string SegmentName(const std::string& code);

struct BookOptions {
    OffsetRequests Offsets;       // which offset points were asked for
    bool ShowOffsetPoints = true; // from the selection
    std::string NumberFormat = kInitialNumberFormat;
};

// One book per side of the selected roadway: Left alone, or Left then Right.
std::vector<Book> BuildBooks(const Roadway& selected, const BookOptions& options);

}  // namespace corvane
