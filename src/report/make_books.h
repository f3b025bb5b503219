// The chain from a roadway just read to its paginated books:
//
//   slopes -> offset points (when asked) -> the points kept -> books
//   -> the page -> one pagination a book
//
// The window, the command line, the tests, the fuzzer and the benchmarks all
// run this one chain; they differ only in where the options and the page come
// from and where the messages go.
#pragma once

#include <algorithm>
#include <functional>
#include <variant>
#include <vector>

#include "common/messages.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "input/roadway.h"
#include "report/book_pages.h"
#include "report/page_geometry.h"
#include "report/pagination.h"
#include "report/report_book.h"

namespace corvane {

// What a person chooses for the books: which points, which offset points.
struct ChainOptions {
    bool KeepAllPoints = true;  // "Check All Points"; otherwise only Types are kept
    PointTypes Types;
    OffsetRequests Offsets;  // distances that are numbers (checked before the file is read)
};

// A book with its pages laid out.
struct PaginatedBook {
    corvane::Book Book;
    corvane::Pagination Pagination;
};

// The books of one roadway, one a side, paginated for one page.
struct BookSet {
    std::vector<PaginatedBook> Books;  // the undivided book, or left then right
    corvane::PageSize PageSize;        // the page the books were paginated for

    // The book of a side; null when there is none.
    const PaginatedBook* BookOf(Side side) const {
        const auto found =
            std::find_if(Books.begin(), Books.end(),
                         [side](const PaginatedBook& book) { return book.Book.Side == side; });
        return found == Books.end() ? nullptr : &*found;
    }
    // The type of the roadway the books were made from (Undivided without books).
    RoadwayType Type() const {
        return Books.empty() ? RoadwayType::Undivided : Books.front().Book.Type;
    }
};

// The books of the set, in their order, without their pages.
std::vector<const Book*> BooksOf(const BookSet& books);

// Every page of the books in print order: each book's pages 0..LastPage, the
// left side before the right.
std::vector<BookPage> AllBookPages(const BookSet& books);

// Why a run ended without books.
enum class RunStop {
    Stopped,     // a message may have been shown; nothing else happens
    EndProgram,  // the file's side marker was wrong: the program must end
};

// Asked for the page once the books are made, and only then: the window shows
// its printer dialog at that point, after any message of the selection.
using PageQuestion = std::function<PageSize()>;

// The books of the roadway (moved in: its stations are let go as the books
// grow) laid out on the page. Stopped, after its message, when the selection
// refuses the points or the page is outside the range the layout fits on
// (PageFitsLayout). The number format of the offset points follows the file's
// first offset. The stations are made in parts on two threads; the messages
// come in the order of a run that took the stations in turn.
std::variant<BookSet, RunStop> MakeBooks(Roadway roadway, const ChainOptions& options,
                                         const PageQuestion& page, Messages& messages);

inline std::variant<BookSet, RunStop> MakeBooks(Roadway roadway, const ChainOptions& options,
                                                PageSize page, Messages& messages) {
    return MakeBooks(
        std::move(roadway), options, [page] { return page; }, messages);
}

}  // namespace corvane
