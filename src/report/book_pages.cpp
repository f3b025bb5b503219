#include "report/book_pages.h"

#include "input/cross_section_tables.h"

namespace corvane {

std::vector<BookPage> AllBookPages(const State& state) {
    const std::string roadway = ToUpper(state.settings.RoadwayType);
    std::vector<BookPage> pages;
    if (roadway == kUndivided) {
        pages = PageRange({}, 0, state.cursor.LastPage);
    } else if (roadway == kDivided) {
        pages = PageRange(kLeftSide, 0, state.cursor.LastPageLeft);
        const std::vector<BookPage> right = PageRange(kRightSide, 0, state.cursor.LastPageRight);
        pages.insert(pages.end(), right.begin(), right.end());
    }
    return pages;
}

std::vector<BookPage> PageRange(const std::string& side, int32_t from, int32_t to) {
    std::vector<BookPage> pages;
    for (int32_t page = from; page <= to; ++page) {
        pages.push_back({side, page});
    }
    return pages;
}

void MoveCursorTo(State& state, const BookPage& page) {
    if (!page.Side.empty()) {
        state.settings.CurrentSide = page.Side;
    }
    state.cursor.CurrentPage = page.Page;
}

}  // namespace corvane
