#include "report/page_renderer.h"

#include <algorithm>

#include "report/page_layout.h"

namespace corvane {

namespace {

const std::string kErrorPrefix = "Program Error: ";
const std::string kErrorSuffix = " occured in ToPrintAllForms";
const std::string kSubscriptOutOfRange = "Subscript out of range";

enum class Book { None, Undivided, Left, Right };

Book CurrentBookKind(const State& state) {
    const std::string roadway = ToUpper(state.settings.RoadwayType);
    if (roadway == kUndivided) {
        return Book::Undivided;
    }
    if (roadway == kDivided) {
        return state.settings.CurrentSide == kLeftSide ? Book::Left : Book::Right;
    }
    return Book::None;
}

// The side marker goes by CurrentSide itself, so a side that is neither reads plain.
std::string SideMarker(const State& state) {
    if (CurrentBookKind(state) == Book::Undivided) {
        return {};
    }
    if (state.settings.CurrentSide == kLeftSide) {
        return "(Left)";
    }
    if (state.settings.CurrentSide == kRightSide) {
        return "(Right)";
    }
    return {};
}

}  // namespace

const ReportBook* CurrentBook(const State& state) {
    switch (CurrentBookKind(state)) {
        case Book::Undivided:
            return &state.report.FinalReport;
        case Book::Left:
            return &state.report.FinalReportLeft;
        case Book::Right:
            return &state.report.FinalReportRight;
        case Book::None:
            break;
    }
    return nullptr;
}

std::vector<PageStart>* CurrentPageStarts(State& state) {
    switch (CurrentBookKind(state)) {
        case Book::Undivided:
            return &state.cursor.PageStartUndivided;
        case Book::Left:
            return &state.cursor.PageStartLeft;
        case Book::Right:
            return &state.cursor.PageStartRight;
        case Book::None:
            break;
    }
    return nullptr;
}

int32_t CurrentLastPage(const State& state) {
    switch (CurrentBookKind(state)) {
        case Book::Undivided:
            return state.cursor.LastPage;
        case Book::Left:
            return state.cursor.LastPageLeft;
        case Book::Right:
            return state.cursor.LastPageRight;
        case Book::None:
            break;
    }
    return 0;
}

int32_t CurrentLastStation(const State& state) {
    const ReportBook* book = CurrentBook(state);
    if (!book) {
        return -1;
    }
    // A book built for fewer stations than the tables hold ends with its last record.
    return std::min<int32_t>(state.tables.StationCount, static_cast<int32_t>(book->size()) - 1);
}

bool LayOutCurrentPage(Surface* surface, State& state, Messages& messages,
                       const std::function<void(const ReportStation&)>& onStationHeader) {
    const ReportBook* book = CurrentBook(state);
    std::vector<PageStart>* starts = CurrentPageStarts(state);
    if (!book || !starts) {
        return true;  // no book for this roadway type: nothing to draw
    }
    const int32_t page = state.cursor.CurrentPage;
    if (page < 0 || static_cast<size_t>(page) >= starts->size() || (*starts)[page].Station < 0 ||
        (*starts)[page].Line < 0) {
        messages.Show(kErrorPrefix + kSubscriptOutOfRange + kErrorSuffix);
        return false;
    }
    if (surface) {
        DrawPageNumberLine(*surface, state.layout,
                           PageNumberText(SideMarker(state), page, CurrentLastPage(state)));
    }
    const BookView view{*book, CurrentLastStation(state)};
    const PageStart next =
        LayOutPageBody(view, state.layout, (*starts)[page], surface, onStationHeader);
    if (static_cast<size_t>(page) + 1 == starts->size()) {
        starts->push_back(next);
    } else {
        (*starts)[page + 1] = next;
    }
    return true;
}

bool ToPrintAllForms(Surface& surface, State& state, int /*pageLength*/, Messages& messages) {
    return LayOutCurrentPage(&surface, state, messages, {});
}

}  // namespace corvane
