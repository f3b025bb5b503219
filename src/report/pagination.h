// Where each page of a book begins, found by laying every page out once.
#pragma once

#include <string>
#include <vector>

#include "report/page_geometry.h"
#include "report/report_book.h"

namespace corvane {

// Where a page begins: the station index and the cell line within that station.
struct PageStart {
    int Station = 0;
    int Line = 0;
    bool operator==(const PageStart&) const = default;
};

// A station header shown on a page: the station's text and the page (0-based).
struct StationOnPage {
    std::string StationText;
    int Page = 0;
    bool operator==(const StationOnPage&) const = default;
};

struct Pagination {
    // Starts[p] is where page p begins, for every page and the one after the
    // last; Starts[0] is 0:0.
    std::vector<PageStart> Starts{PageStart{}};
    int LastPage = 0;  // 0-based
    // Every station header a page shows, in layout order (a station split
    // over two pages is listed with both). Stations without a station text
    // are not listed.
    std::vector<StationOnPage> Stations;

    // Whether page (0-based) is one of the book's pages, 0..LastPage.
    bool HasPage(int page) const;
};

// Lays out every page of the book once, each from where the one before ended.
// Page 0 is always laid out, so a book has at least one page; the last station
// is never cut off. A book whose last page begins before its last station and
// ends after it gets one more page, which holds no station block.
//
// The page must fit the layout (PageFitsLayout): on any such page the first
// block starts above the line limit, so every page moves the book on. On a
// page where no block fits, the book ends with the first page, which holds no
// station block.
Pagination Paginate(const Book& book, PageSize page);

}  // namespace corvane
