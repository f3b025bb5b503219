// The program's whole working state, made once in main and passed by reference.
// Members are grouped by the subsystem that owns them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input/cross_section_tables.h"
#include "report/report_table.h"

namespace corvane {

// Where a page begins: the station index and the cell line within that station.
struct PageStart {
    int32_t Station = 0;
    int32_t Line = 0;
    std::string Text() const { return std::to_string(Station) + ":" + std::to_string(Line); }
    bool operator==(const PageStart&) const = default;
};

// The page cursor, the page totals and the page-start index of each book.
// Entry p of an index is where page p begins; entry 0 is always 0:0.
struct PageCursor {
    int32_t CurrentPage = 0;
    int32_t LastPage = 0;
    int32_t LastPageLeft = 0;
    int32_t LastPageRight = 0;
    std::vector<PageStart> PageStartUndivided{PageStart{}};
    std::vector<PageStart> PageStartLeft{PageStart{}};
    std::vector<PageStart> PageStartRight{PageStart{}};
};

// The printable area of a page in character cells of 120 x 240 twips.
struct PageSize {
    double Columns = 96;  // Letter, quarter-inch margins
    double Lines = 63;
};

struct LayoutSettings {
    double PageColumns = 96;  // measured from the current printer by WriteHeader
    double PageLines = 63;
    double ViewZoom = 1;
    std::string ReportFontName;
    // The current printer's page, kept up to date by whoever changes the printer.
    PageSize CurrentPrinterPage;
    // The header date as "mm dd yyyy"; empty means today's date.
    std::string HeaderDate;
};

// The station finder's lists: page number, twelve blanks, station.
struct StationLists {
    std::vector<std::string> Combo1;  // undivided book or left side
    std::vector<std::string> Combo2;  // right side
};

struct DialogResults {
    std::string ReportPrinterName;
    int16_t PrintFromPage = 0;
    int16_t PrintToPage = 0;
    bool PrintCancelled = true;  // the print-selected-pages dialog was left without Print
    int16_t PageIndexPick = 0;
};

struct State {
    CrossSectionTables tables;
    Settings settings;
    OptionFlags flags;
    ReportTables report;
    PageCursor cursor;
    LayoutSettings layout;
    StationLists stations;
    DialogResults dialogs;
};

}  // namespace corvane
