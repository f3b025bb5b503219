// The layout of a page body, shared by the page renderer and the page count so
// that both break pages at exactly the same places.
//
// Positions are in character cells of the printer page, each rounded to a
// whole number as it is computed (W = PageColumns, H = PageLines):
//   page number line  column W - 30, line H - 62
//   block b           line H - 56 + 6 b; a station header or message takes one
//                     block, each further cell line of a station the next one
//   station header    column W - 89 (label, station, column-0 text on three lines)
//   cells             columns W - 60, W - 40, W - 20
// A block is started only while the row laid out last lies above line 50, so
// a station's cell line may still start below it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "report/report_table.h"
#include "report/state.h"
#include "report/surface.h"

namespace corvane {

inline constexpr int kPageLineLimit = 50;

// One book as the layout sees it.
struct BookView {
    const ReportBook& stations;
    int32_t lastStation;  // index of the book's last station
};

// Lays out the body of the page that begins at `start` and returns where the
// next page begins. Draws on `surface` when it is given; calls `onStationHeader`
// (when given) for every station header laid out, in order.
PageStart LayOutPageBody(const BookView& book, const LayoutSettings& layout, PageStart start,
                         Surface* surface,
                         const std::function<void(const ReportStation&)>& onStationHeader = {});

// "(Left)Page No.:2 of 5": the side marker, the 1-based page and the page total.
std::string PageNumberText(const std::string& sideMarker, int32_t page, int32_t lastPage);
void DrawPageNumberLine(Surface& surface, const LayoutSettings& layout, const std::string& text);

}  // namespace corvane
