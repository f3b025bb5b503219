#include "report/pagination.h"

#include "report/page_layout.h"

namespace corvane {

namespace {

bool IsAfter(const PageStart& later, const PageStart& earlier) {
    return later.Station > earlier.Station ||
           (later.Station == earlier.Station && later.Line > earlier.Line);
}

}  // namespace

bool Pagination::HasPage(int page) const {
    return page >= 0 && page <= LastPage && static_cast<size_t>(page) < Starts.size();
}

Pagination Paginate(const Book& book, PageSize page) {
    Pagination pagination;
    std::vector<PageStart>& starts = pagination.Starts;
    const int lastStation = book.LastStation();
    for (int p = 0;; ++p) {
        // The book ends after the first page that begins at or after the last
        // station and ends at a station boundary.
        if (p > 0 && starts[p - 1].Station >= lastStation && starts[p].Line == 0) {
            pagination.LastPage = p - 1;
            break;
        }
        const PageStart begun = starts[p];
        starts.push_back(
            LayOutPageBody(book, page, begun, nullptr, [&](const ReportStation& station) {
                if (!station.StationText.empty()) {
                    pagination.Stations.push_back({station.StationText, p});
                }
            }));
        if (begun.Station <= lastStation && !IsAfter(starts.back(), begun)) {
            // Not even one block fits above the line limit: every page would be this one again.
            pagination.LastPage = p;
            break;
        }
    }
    return pagination;
}

}  // namespace corvane
