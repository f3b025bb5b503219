#include "app/text_book.h"

#include "report/draw_page.h"
#include "report/grid_surface.h"

namespace corvane {

bool WriteTextBook(const PreparedBooks& books, const PageSink& sink) {
    // Today's date is read once, so every page of one book carries the same.
    HeaderStyle header = books.Header;
    if (header.Date.empty())
        header.Date = TodayAsHeaderDate();

    GridSurface grid(RoundHalfEven(books.PageSize.Lines));
    std::string page;
    for (const PaginatedBook& book : books.Books) {
        for (int number = 0; number <= book.Pagination.LastPage; ++number) {
            grid.Clear();
            // Every page 0..LastPage is one the pagination laid out.
            DrawPage(grid, book.Book, book.Pagination, number, books.PageSize, header);
            page.clear();
            grid.AppendPageText(page);
            page += "\f\n";
            if (!sink(page))
                return false;
        }
    }
    return true;
}

std::string TextBook(const PreparedBooks& books) {
    std::string text;
    WriteTextBook(books, [&text](std::string_view page) {
        text += page;
        return true;
    });
    return text;
}

}  // namespace corvane
