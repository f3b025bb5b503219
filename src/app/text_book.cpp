#include "app/text_book.h"

#include "app/book_pages.h"
#include "report/grid_surface.h"
#include "report/page_header.h"
#include "report/page_renderer.h"

namespace corvane {

namespace {
constexpr int kPageLength = 50;
}

bool WriteTextBook(State& state, Messages& messages, std::string& text) {
    // The header measures the page first, so the grid is sized after a trial header.
    NullSurface measure;
    PrintRDSForm(measure, state);
    GridSurface grid(RoundHalfEven(state.layout.PageLines));

    bool drawn = true;
    ForEachBookPage(state, [&] {
        grid.Clear();
        PrintRDSForm(grid, state);
        drawn = ToPrintAllForms(grid, state, kPageLength, messages);
        if (drawn)
            text += grid.PageText() + "\f\n";
        return drawn;
    });
    return drawn;
}

}  // namespace corvane
