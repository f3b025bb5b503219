#include "report/book_pages.h"

namespace corvane {

std::vector<BookPage> PagesOf(const PageRange& range) {
    std::vector<BookPage> pages;
    for (int page = range.From; page <= range.To; ++page) {
        pages.push_back({range.Side, page});
    }
    return pages;
}

}  // namespace corvane
