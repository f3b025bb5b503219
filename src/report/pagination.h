// Where each page of a book begins, found by laying every page out once.
#pragma once

#include <string>
#include <vector>

#include "report/book.h"
#include "report/page_geometry.h"

namespace corvane {

// Where a page begins: the station index and the cell line within that station.
struct PageStart {
    int Station = 0;
    int Line = 0;
    bool operator==(const PageStart&) const = default;
};

struct Pagination {
    std::vector<PageStart> Starts;  // Starts[p] is where page p begins; Starts[0] is 0:0
    int LastPage = 0;               // 0-based
    // The station finder's list: page number (1-based), twelve blanks, station.
    std::vector<std::string> StationList;
};

// Lays out every page of the book once. The last station is never cut off.
// A page on which no station block fits gives no pagination (nullopt); callers
// check the page size first (see page_geometry.h), so this does not happen.
Pagination Paginate(const Book& book, PageSize page);

}  // namespace corvane
