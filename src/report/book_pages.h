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

// Pages from..to (0-based, both included) of the book of one side.
std::vector<BookPage> PageRange(Side side, int from, int to);

// Every page in print order: each book's pages 0..LastPage, the books in the
// order given (the left side before the right). paginations[i] is that of books[i].
std::vector<BookPage> AllBookPages(const std::vector<Book>& books,
                                   const std::vector<Pagination>& paginations);

}  // namespace corvane
