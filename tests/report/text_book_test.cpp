// The text of a whole book drawn in runs of pages on two threads.
#include "report/text_book.h"

#include <gtest/gtest.h>

#include "report/book_pages.h"
#include "report/draw_page.h"
#include "report/grid_surface.h"
#include "support/sample_books.h"

namespace corvane {
namespace {

// The divided sample's books with their stations repeated until each side
// holds hundreds of pages: many runs of pages for each thread.
BookSet ManyPagedBooks() {
    const PageSize page{96, 63};
    BookSet books{{}, page};
    for (Book& book : test::BooksOf(CORVANE_SAMPLES "/divided-sample.csv")) {
        const std::vector<ReportStation> stations = book.Stations;
        while (book.Stations.size() < 2000)
            book.Stations.insert(book.Stations.end(), stations.begin(), stations.end());
        Pagination pagination = Paginate(book, page);
        books.Books.push_back({std::move(book), std::move(pagination)});
    }
    return books;
}

// Every page drawn alone on a grid of its own, in print order.
std::string PagesOneByOne(const BookSet& books, const HeaderStyle& header) {
    std::string text;
    for (const BookPage& page : AllBookPages(books)) {
        GridSurface grid(RoundHalfEven(books.PageSize.Lines));
        const PaginatedBook& book = *books.BookOf(page.Side);
        DrawPage(grid, book.Book, book.Pagination, page.Page, books.PageSize, header);
        text += grid.PageText() + "\f\n";
    }
    return text;
}

TEST(TextBookTest, RunsOfPagesDrawnOnTwoThreadsComeOutInPrintOrder) {
    const BookSet books = ManyPagedBooks();
    const HeaderStyle header{"SR 9B", "12 06 2026", ""};
    ASSERT_GT(AllBookPages(books).size(), 1000u);
    EXPECT_EQ(TextBook(books, header), PagesOneByOne(books, header));
    EXPECT_EQ(TextBook(BookSet{{}, books.PageSize}, header), "");
}

// A refused write (of a run of this thread or of the second) stops the book:
// nothing more is handed on.
TEST(TextBookTest, ARefusedWriteStopsTheBook) {
    const BookSet books = ManyPagedBooks();
    for (int refused = 1; refused <= 4; ++refused) {
        int writes = 0;
        EXPECT_FALSE(
            WriteTextBook(books, {}, [&](std::string_view) { return ++writes < refused; }));
        EXPECT_EQ(writes, refused);
    }
}

}  // namespace
}  // namespace corvane
