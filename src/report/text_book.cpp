#include "report/text_book.h"

#include <algorithm>
#include <future>
#include <vector>

#include "report/draw_page.h"
#include "report/grid_surface.h"

namespace corvane {

namespace {

// Draws pages on a character grid of its own, so two can draw at once.
class PageDrawer {
  public:
    PageDrawer(const BookSet& books, const HeaderStyle& header)
        : books_(books), header_(header), grid_(RoundHalfEven(books.PageSize.Lines)) {}

    // Appends the page's lines and its form feed line.
    void Append(const BookPage& page, std::string& text) {
        grid_.Clear();
        // Every page of AllBookPages is one the pagination laid out.
        const PaginatedBook& book = *books_.BookOf(page.Side);
        DrawPage(grid_, book.Book, book.Pagination, page.Page, books_.PageSize, header_);
        grid_.AppendPageText(text);
        text += "\f\n";
    }

  private:
    const BookSet& books_;
    const HeaderStyle& header_;
    GridSurface grid_;
};

// Pages are drawn in runs of this many: while this thread draws and hands on
// one run, a second thread draws the next.
constexpr size_t kRunPages = 256;

}  // namespace

bool WriteTextBook(const BookSet& books, const HeaderStyle& style, const PageSink& sink) {
    // Today's date is read once, so every page of one book carries the same.
    HeaderStyle header = style;
    if (header.Date.empty())
        header.Date = TodayAsHeaderDate();

    const std::vector<BookPage> pages = AllBookPages(books);
    PageDrawer drawer(books, header);
    PageDrawer secondDrawer(books, header);
    std::string page;
    std::string secondRun;
    for (size_t start = 0; start < pages.size(); start += 2 * kRunPages) {
        const size_t middle = std::min(start + kRunPages, pages.size());
        const size_t end = std::min(middle + kRunPages, pages.size());
        std::future<void> drawn;
        if (middle < end)
            drawn = std::async(std::launch::async, [&] {
                secondRun.clear();
                for (size_t i = middle; i < end; ++i)
                    secondDrawer.Append(pages[i], secondRun);
            });
        for (size_t i = start; i < middle; ++i) {
            page.clear();
            drawer.Append(pages[i], page);
            if (!sink(page))
                return false;  // the second thread is waited for on the way out
        }
        if (drawn.valid()) {
            drawn.get();
            if (!sink(secondRun))
                return false;
        }
    }
    return true;
}

std::string TextBook(const BookSet& books, const HeaderStyle& header) {
    std::string text;
    WriteTextBook(books, header, [&text](std::string_view pages) {
        text += pages;
        return true;
    });
    return text;
}

}  // namespace corvane
