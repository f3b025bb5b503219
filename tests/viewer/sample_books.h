// Small books laid out on a 96 x 63 page, for the viewer's tests.
#pragma once

#include <string>

#include "report/pagination.h"
#include "viewer/viewer_state.h"

namespace corvane::test {

// Station i: "L12+00" on the left side of a divided roadway, "R12+00" on its
// right side, "12+00" on an undivided roadway.
inline std::string StationText(const std::string& prefix, int index) {
    return prefix + std::to_string(index) + "+00";
}

// A book of stations of `lines` cell lines each: eight one-line stations a page.
inline PaginatedBook MakeBook(Side side, RoadwayType type, int stations, int lines) {
    const std::string prefix =
        type == RoadwayType::Undivided ? "" : (side == Side::Left ? "L" : "R");
    Book book{side, type, {}};
    for (int i = 0; i < stations; ++i) {
        ReportStation station{"Cross Sec. Sta.", StationText(prefix, i), "", lines - 1, "", "", {}};
        station.Lines.resize(static_cast<size_t>(lines));
        for (CellLine& line : station.Lines) {
            line[0] = {"CL", "0.00", "100.00", "2"};
        }
        book.Stations.push_back(station);
    }
    Pagination pagination = Paginate(book, PageSize{96, 63});
    return {std::move(book), std::move(pagination)};
}

// An undivided book of one-line stations, or a divided roadway whose right
// stations take two lines, so its right book is about twice as long.
inline PreparedBooks SampleBooks(RoadwayType type, int stations) {
    PreparedBooks books{{}, PageSize{96, 63}, HeaderStyle{"P-1", "12 06 2026", ""}, ""};
    books.Books.push_back(MakeBook(Side::Left, type, stations, 1));
    if (type == RoadwayType::Divided) {
        books.Books.push_back(MakeBook(Side::Right, type, stations, 2));
    }
    return books;
}

inline PreparedBooks Undivided(int stations) {
    return SampleBooks(RoadwayType::Undivided, stations);
}
inline PreparedBooks Divided(int stations) {
    return SampleBooks(RoadwayType::Divided, stations);
}

inline int LastPage(const ViewerState& state, Side side) {
    return state.BookOf(side)->Pagination.LastPage;
}

}  // namespace corvane::test
