#include "report/text_book.h"

#include <algorithm>
#include <array>
#include <future>
#include <vector>

#include "report/draw_page.h"
#include "report/grid_surface.h"

namespace corvane {

namespace {

// Pages Begin..End-1 of the book's pages.
struct PageRun {
    size_t Begin;
    size_t End;
};

// Draws pages on a character grid of its own, so two can draw at once.
class PageDrawer {
  public:
    PageDrawer(const BookSet& books, const HeaderStyle& header)
        : books_(books), header_(header), grid_(RoundHalfEven(books.PageSize.Lines)) {}

    // Appends the pages' lines, each page followed by its form feed line.
    void AppendPages(const std::vector<BookPage>& pages, PageRun run, std::string& text) {
        text.clear();
        for (size_t i = run.Begin; i < run.End; ++i) {
            grid_.Clear();
            // Every page of AllBookPages is one the pagination laid out.
            const BookPage& page = pages[i];
            const PaginatedBook& book = *books_.BookOf(page.Side);
            DrawPage(grid_, book.Book, book.Pagination, page.Page, books_.PageSize, header_);
            grid_.AppendPageText(text);
            text += "\f\n";
        }
    }

  private:
    const BookSet& books_;
    const HeaderStyle& header_;
    GridSurface grid_;
};

// Pages are drawn in runs of this many, each run in a text of its own that
// is handed on whole: the runs alternate between this thread and a second.
constexpr size_t kRunPages = 128;

PageRun RunOf(size_t run, size_t pageCount) {
    const size_t begin = std::min(run * kRunPages, pageCount);
    return {begin, std::min(begin + kRunPages, pageCount)};
}

}  // namespace

// This thread draws the even runs and hands on every run in order; the second
// draws the odd ones, one ahead, into two texts in turn, so that it draws the
// next while this thread hands on the last.
bool WriteTextBook(const BookSet& books, const HeaderStyle& style, const PageSink& sink) {
    // Today's date is read once, so every page of one book carries the same.
    HeaderStyle header = style;
    if (header.Date.empty())
        header.Date = TodayAsHeaderDate();

    const std::vector<BookPage> pages = AllBookPages(books);
    const size_t runCount = (pages.size() + kRunPages - 1) / kRunPages;
    PageDrawer drawer(books, header);
    PageDrawer secondDrawer(books, header);
    std::string ownRun;
    std::array<std::string, 2> secondRuns;
    size_t secondSlot = 0;
    // Declared last, so that a return waits for the second thread before the
    // texts it draws into go away.
    std::future<void> secondDrawn;
    const auto drawSecond = [&](size_t run) {
        if (run < runCount)
            secondDrawn = std::async(std::launch::async, [&, run, slot = secondSlot] {
                secondDrawer.AppendPages(pages, RunOf(run, pages.size()), secondRuns[slot]);
            });
    };
    drawSecond(1);
    for (size_t run = 0; run < runCount; run += 2) {
        drawer.AppendPages(pages, RunOf(run, pages.size()), ownRun);
        if (!sink(ownRun))
            return false;
        if (!secondDrawn.valid())
            break;
        secondDrawn.get();
        const std::string& drawn = secondRuns[secondSlot];
        secondSlot = 1 - secondSlot;
        drawSecond(run + 3);
        if (!sink(drawn))
            return false;
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
