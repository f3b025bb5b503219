#include "report/book_pages.h"

#include <algorithm>

namespace corvane {

std::vector<BookPage> PagesOf(const PageRange& range) {
    std::vector<BookPage> pages;
    for (int page = range.From; page <= range.To; ++page) {
        pages.push_back({range.Side, page});
    }
    return pages;
}

std::vector<BookPage> AllBookPages(const std::vector<Book>& books,
                                   const std::vector<Pagination>& paginations) {
    std::vector<BookPage> pages;
    for (size_t i = 0; i < std::min(books.size(), paginations.size()); ++i) {
        const std::vector<BookPage> book = PagesOf({books[i].Side, 0, paginations[i].LastPage});
        pages.insert(pages.end(), book.begin(), book.end());
    }
    return pages;
}

}  // namespace corvane
