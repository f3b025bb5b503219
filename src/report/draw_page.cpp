#include "report/draw_page.h"

#include "report/page_layout.h"

namespace corvane {

std::string PageNumberText(const Book& book, int page, int lastPage) {
    return book.SideMarker() + "Page No.:" + std::to_string(int64_t{page} + 1) + " of " +
           std::to_string(int64_t{lastPage} + 1);
}

bool DrawPage(Surface& surface, const Book& book, const Pagination& pagination, int page,
              PageSize pageSize, const HeaderStyle& style) {
    if (!pagination.HasPage(page)) {
        return false;
    }
    const PageStart start = pagination.Starts[static_cast<size_t>(page)];
    if (start.Station < 0 || start.Line < 0) {
        return false;
    }
    DrawPageHeader(surface, pageSize, style);
    PutText(surface, ColumnFromRight(pageSize, kPageNumberColumnFromRight),
            LineFromBottom(pageSize, kHeaderLineFromBottom),
            PageNumberText(book, page, pagination.LastPage));
    LayOutPageBody(book, pageSize, start, &surface);
    return true;
}

}  // namespace corvane
