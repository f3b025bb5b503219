// The layout of a page body, shared by the page renderer and the page count so
// that both break pages at exactly the same places, and the range of printer
// pages the layout fits on. The positions are in page_geometry.h.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "report/page_geometry.h"
#include "report/report_table.h"
#include "report/state.h"
#include "report/surface.h"

namespace corvane {

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

// Whether every text of the layout lands on a page this wide or this tall
// (see page_geometry.h for the bounds).
bool PageColumnsFit(double columns);
bool PageLinesFit(double lines);
bool PageFitsLayout(const PageSize& page);

// For messages about a page: "96x110" (columns x lines), and the range of
// pages the layout fits on, "88.5 to 1000 columns and 61.5 to under 105.5 lines".
std::string PageCellsText(const PageSize& page);
std::string AcceptedPageRangeText();

}  // namespace corvane
