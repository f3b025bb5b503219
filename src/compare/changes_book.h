// The changes book: what changed on one side, in the grade book's page style
// (same header, page number line and paging). Its first page opens with a
// summary; then each station with a change takes a block: its station line
// and one line a change.
#pragma once

#include <string>
#include <vector>

#include "compare/book_changes.h"
#include "report/page_header.h"
#include "report/surface.h"

namespace corvane {

struct ChangesBook {
    corvane::Side Side = corvane::Side::Left;
    RoadwayType Type = RoadwayType::Undivided;
    // The summary, then one block a station with a change; a block is a list of lines.
    std::vector<std::vector<std::string>> Blocks;
};

// Every line at most `columns` cells wide: a wider change goes on over the
// lines after it (ChangeLines), and any other line too wide is cut at the
// edge and goes on below.
ChangesBook MakeChangesBook(const SideChanges& side, const std::string& toleranceText,
                            const std::string& oldFile, const std::string& newFile, int columns);

// The columns a line of the body has on the page, from the leftmost text of
// the page to its right edge.
int BodyColumns(PageSize page);

// A line of a block placed on a page: block, line within the block, page line.
struct PlacedLine {
    int Block = 0;
    int Line = 0;
    int Row = 0;
    bool operator==(const PlacedLine&) const = default;
};

struct ChangesPagination {
    std::vector<std::vector<PlacedLine>> Pages;  // at least one page

    int LastPage() const { return static_cast<int>(Pages.size()) - 1; }  // 0-based
};

// Lays the blocks out on pages of this size (one that fits the grade book's
// layout, PageFitsLayout), in the lines the grade book's body takes. A block
// goes whole onto the page it starts on, with a blank line before it, or else
// to the next page; only a block longer than a page is split.
ChangesPagination PaginateChanges(const ChangesBook& book, PageSize page);

// Draws page `page` (0-based): the grade book's header and page number line,
// then the page's lines. A page the pagination does not have is not drawn:
// the result is false.
bool DrawChangesPage(Surface& surface, const ChangesBook& book, const ChangesPagination& pagination,
                     int page, PageSize pageSize, const HeaderStyle& style);

struct PaginatedChanges {
    ChangesBook Book;
    ChangesPagination Pagination;
};

// The changes books of a comparison, one a side, each paginated.
std::vector<PaginatedChanges> MakeChangesBooks(const Comparison& comparison,
                                               const std::string& oldFile,
                                               const std::string& newFile, PageSize page);

// Every page in print order (the left side before the right), as the text book
// writes pages: each page exactly as many right-trimmed lines as the page has,
// followed by a line holding only a form feed. An empty header date is today's.
std::string ChangesBookText(const std::vector<PaginatedChanges>& books, PageSize page,
                            HeaderStyle style);

}  // namespace corvane
