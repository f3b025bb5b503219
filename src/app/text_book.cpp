#include "app/text_book.h"

#include "report/book_pages.h"
#include "report/grid_surface.h"
#include "report/page_header.h"
#include "report/page_renderer.h"

namespace corvane {

namespace {
constexpr int kPageLength = 50;
}

bool WriteTextBook(State& state, Messages& messages, const PageSink& sink) {
    // The header measures the page, so the grid is sized after a header drawn nowhere.
    NullSurface measure;
    PrintRDSForm(measure, state);
    GridSurface grid(RoundHalfEven(state.layout.PageLines));

    std::string page;
    for (const BookPage& bookPage : AllBookPages(state)) {
        MoveCursorTo(state, bookPage);
        grid.Clear();
        PrintRDSForm(grid, state);
        if (!ToPrintAllForms(grid, state, kPageLength, messages))
            return false;
        page.clear();
        grid.AppendPageText(page);
        page += "\f\n";
        if (!sink(page))
            return false;
    }
    return true;
}

bool WriteTextBook(State& state, Messages& messages, std::string& text) {
    return WriteTextBook(state, messages, [&text](std::string_view page) {
        text += page;
        return true;
    });
}

}  // namespace corvane
