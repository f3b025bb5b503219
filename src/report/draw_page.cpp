#include "report/draw_page.h"

#include <string>

#include "report/page_layout.h"

namespace corvane {

namespace {

std::string& AppendPageNumberText(std::string& text, const Book& book, int page, int lastPage) {
    return text.append(book.SideMarker())
        .append("Page No.:")
        .append(std::to_string(int64_t{page} + 1))
        .append(" of ")
        .append(std::to_string(int64_t{lastPage} + 1));
}

}  // namespace

std::string PageNumberText(const Book& book, int page, int lastPage) {
    std::string text;
    return AppendPageNumberText(text, book, page, lastPage);
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
    // Built in a buffer each thread keeps: an export draws thousands of pages.
    thread_local std::string pageNumber;
    pageNumber.clear();
    PutText(surface, ColumnFromRight(pageSize, kPageNumberColumnFromRight),
            LineFromBottom(pageSize, kHeaderLineFromBottom),
            AppendPageNumberText(pageNumber, book, page, pagination.LastPage));
    LayOutPageBody(book, pageSize, start, &surface);
    return true;
}

}  // namespace corvane
