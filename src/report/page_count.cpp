#include "report/page_count.h"

#include <algorithm>
#include <string>

#include "report/page_renderer.h"

namespace corvane {

namespace {

const std::string kStationEntryGap(12, ' ');

// The station finder's list of the current book.
std::vector<std::string>& CurrentStationList(State& state) {
    const bool rightBook =
        ToUpper(state.settings.RoadwayType) == kDivided && state.settings.CurrentSide != kLeftSide;
    return rightBook ? state.stations.Combo2 : state.stations.Combo1;
}

bool IsAfter(const PageStart& later, const PageStart& earlier) {
    return later.Station > earlier.Station ||
           (later.Station == earlier.Station && later.Line > earlier.Line);
}

// Lays out page CurrentPage, drawing when a surface is given, and appends an
// entry to the station list for every station header laid out.
bool LayOutWithStationList(Surface* surface, State& state, Messages& messages) {
    std::vector<std::string>& list = CurrentStationList(state);
    const std::string pageNumber = std::to_string(int64_t{state.cursor.CurrentPage} + 1);
    return LayOutCurrentPage(surface, state, messages, [&](const ReportStation& station) {
        if (!station.Station.empty()) {
            list.push_back(pageNumber + kStationEntryGap + station.Station);
        }
    });
}

// One book's count: its page-start index, its last page and, for a side of a
// divided roadway, the side to show while it is laid out.
struct BookCount {
    std::vector<PageStart>& starts;
    int32_t& lastPage;
    const std::string* side = nullptr;
};

// Lays the pages out in order, each from where the one before ended, so the
// whole book costs one pass over its stations.
//
// The count stops after the first page that begins at or after the last
// station and ends at a station boundary. A page that ends inside the last
// station never ends the count, so no cell of that station is lost; a page
// that begins before the last station and ends after it is followed by the
// trailing page that holds no station. Page 0 is always laid out, so a book of
// a single station has one page.
bool CountBook(State& state, Messages& messages, BookCount book) {
    if (book.side) {
        state.settings.CurrentSide = *book.side;
    }
    book.starts.assign(1, PageStart{});
    const int32_t lastStation = CurrentLastStation(state);
    bool laidOut = true;
    for (int32_t p = 0;; ++p) {
        if (p > 0 && book.starts[p - 1].Station >= lastStation && book.starts[p].Line == 0) {
            book.lastPage = p - 1;
            break;
        }
        state.cursor.CurrentPage = p;
        // The hidden counting run draws nothing.
        if (!LayOutWithStationList(nullptr, state, messages)) {
            book.lastPage = std::max(p - 1, 0);
            laidOut = false;
            break;
        }
        const PageStart& begun = book.starts[p];
        if (begun.Station <= lastStation && !IsAfter(book.starts[p + 1], begun)) {
            // Not even one block fits above the line limit: every page would be
            // this one again.
            messages.Show("Error : No station block fits on the page occured in PageCount");
            book.lastPage = p;
            laidOut = false;
            break;
        }
    }
    state.cursor.CurrentPage = 0;
    return laidOut;
}

}  // namespace

bool LayOutPage(Surface& surface, State& state, int /*pageLength*/, Messages& messages) {
    return LayOutWithStationList(&surface, state, messages);
}

bool PageCountLeft(State& state, Messages& messages) {
    const std::string roadway = ToUpper(state.settings.RoadwayType);
    if (roadway == kUndivided) {
        return CountBook(state, messages,
                         BookCount{state.cursor.PageStartUndivided, state.cursor.LastPage});
    }
    if (roadway == kDivided) {
        return CountBook(
            state, messages,
            BookCount{state.cursor.PageStartLeft, state.cursor.LastPageLeft, &kLeftSide});
    }
    return true;
}

bool PageCountRight(State& state, Messages& messages) {
    if (ToUpper(state.settings.RoadwayType) != kDivided) {
        return true;
    }
    return CountBook(
        state, messages,
        BookCount{state.cursor.PageStartRight, state.cursor.LastPageRight, &kRightSide});
}

}  // namespace corvane
