// Drawing one page of a book: the header and the page body. Changes nothing.
#pragma once

#include <string>

#include "report/book.h"
#include "report/pagination.h"
#include "report/surface.h"

namespace corvane {

struct HeaderStyle {
    std::string ProjectNumber;
    std::string ControlNumber;
    std::string Date;      // "mm dd yyyy" as printed; empty means today
    std::string FontName;  // empty: the surface's fixed-pitch font
};

// Draws page `page` (0-based) of the book: header and body. The surface's
// kind decides the header variant (window or printer).
void DrawPage(Surface& surface, const Book& book, const Pagination& pagination, int page,
              PageSize pageSize, const HeaderStyle& style);

}  // namespace corvane
