// The final report table: one ReportStation per station, its cells already in
// the line and column where the page renderer prints them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "input/cross_section_tables.h"
#include "input/large_table_allocator.h"

namespace corvane {

inline constexpr int kCellLines = 11;   // lines 0..10 of a station block
inline constexpr int kCellColumns = 3;  // three point cells a line

// Parts of a cell: label, offset, elevation, slope.
enum CellPart { kCellLabel = 0, kCellOffset = 1, kCellElevation = 2, kCellSlope = 3 };
using ReportCell = std::array<std::string, 4>;

struct ReportStation {
    std::string Label;  // "Cross Sec. Sta." or "Design Sec. Sta."
    std::string Station;
    std::string Column0Text;
    int32_t LastLine = 0;
    std::string MessageKind;
    std::string MessageText;
    std::array<std::array<ReportCell, kCellColumns>, kCellLines> Cells;
};

// One book: a station block per station, several megabytes at full size.
using ReportBook = std::vector<ReportStation, LargeTableAllocator<ReportStation>>;

struct ReportTables {
    ReportBook FinalReport;       // undivided roadway
    ReportBook FinalReportLeft;   // divided, left side
    ReportBook FinalReportRight;  // divided, right side
};

// Point code to printed label ("BR" -> "Break", ...); any other code unchanged.
std::string SegmentName(const std::string& code);

// Builds the book(s) of the current roadway type from the selected tables.
// Each book is cut or grown to records 0..StationCount and every record emptied
// before it is filled; the storage of an earlier book is reused.
void WritetoFinalReport(CrossSectionTables& tables, const Settings& settings,
                        const OptionFlags& flags, ReportTables& report);

}  // namespace corvane
