// The pages of a set of books in print order.
#pragma once

#include <vector>

#include "report/pagination.h"
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

// Every page in print order: each book's pages 0..LastPage, the books in the
// order given (the left side before the right). paginations[i] is that of books[i].
std::vector<BookPage> AllBookPages(const std::vector<Book>& books,
                                   const std::vector<Pagination>& paginations);

}  // namespace corvane
