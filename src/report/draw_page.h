// Drawing one page of a book: the header, the page number line and the body.
#pragma once

#include "report/page_header.h"
#include "report/pagination.h"
#include "report/report_book.h"
#include "report/surface.h"

namespace corvane {

// "(Left)Page No.:2 of 5": the side marker, the 1-based page and the page total.
std::string PageNumberText(const Book& book, int page, int lastPage);

// Draws page `page` (0-based) of the book as the pagination laid it out on a
// page of this size: header, page number line and station blocks. Changes
// nothing. A page the pagination does not have (see Pagination::HasPage) is
// not drawn at all: the result is false.
bool DrawPage(Surface& surface, const Book& book, const Pagination& pagination, int page,
              PageSize pageSize, const HeaderStyle& style);

}  // namespace corvane
