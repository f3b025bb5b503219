// One page of a book and a range of pages.
#pragma once

#include <vector>

#include "report/report_book.h"

namespace corvane {

// One page of one book: the book's side (Left for an undivided roadway) and
// the 0-based page.
struct BookPage {
    corvane::Side Side = corvane::Side::Left;
    int Page = 0;
    bool operator==(const BookPage&) const = default;
};

// Pages From..To (0-based, both included) of the book of one side.
struct PageRange {
    corvane::Side Side = corvane::Side::Left;
    int From = 0;
    int To = 0;
    bool operator==(const PageRange&) const = default;
};

// The pages of the range, in order.
std::vector<BookPage> PagesOf(const PageRange& range);

}  // namespace corvane
