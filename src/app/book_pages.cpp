#include "app/book_pages.h"

#include "input/cross_section_tables.h"

namespace corvane {

namespace {

bool WalkBook(State& state, const std::string& side, int32_t lastPage,
              const std::function<bool()>& drawPage, int& visited) {
    for (int32_t page = 0; page <= lastPage; ++page) {
        if (!side.empty())
            state.settings.CurrentSide = side;
        state.cursor.CurrentPage = page;
        ++visited;
        if (!drawPage())
            return false;
    }
    return true;
}

}  // namespace

int ForEachBookPage(State& state, const std::function<bool()>& drawPage) {
    int visited = 0;
    const std::string roadway = ToUpper(state.settings.RoadwayType);
    if (roadway == kUndivided) {
        WalkBook(state, {}, state.cursor.LastPage, drawPage, visited);
    } else if (roadway == kDivided) {
        if (WalkBook(state, kLeftSide, state.cursor.LastPageLeft, drawPage, visited))
            WalkBook(state, kRightSide, state.cursor.LastPageRight, drawPage, visited);
    }
    return visited;
}

}  // namespace corvane
