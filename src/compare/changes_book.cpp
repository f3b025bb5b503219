#include "compare/changes_book.h"

#include <iterator>

#include "compare/change_lines.h"
#include "report/draw_page.h"
#include "report/grid_surface.h"

namespace corvane {

namespace {

// The lines of the grade book's body: from its first block row down to the
// slope line of a cell line started from the last block row above the limit.
int FirstBodyLine(PageSize page) {
    return LineFromBottom(page, kFirstBlockLineFromBottom);
}
constexpr int kLastBodyLine = kPageLineLimit - 1 + kBlockLines + 2;

}  // namespace

ChangesBook MakeChangesBook(const SideChanges& side, const std::string& toleranceText,
                            const std::string& oldFile, const std::string& newFile, int columns) {
    ChangesBook book{side.Side, side.Type, {{}}};
    const auto append = [](std::vector<std::string>& block, std::vector<std::string> lines) {
        block.insert(block.end(), std::make_move_iterator(lines.begin()),
                     std::make_move_iterator(lines.end()));
    };
    for (const std::string& line : SummaryLines(side, toleranceText, oldFile, newFile)) {
        append(book.Blocks.front(), FitParts({line}, columns, 0));
    }
    for (const StationChanges& station : side.Stations) {
        std::vector<std::string>& block = book.Blocks.emplace_back();
        block.reserve(station.Changes.size() + 1);
        append(block, FitParts({StationLine(station.Station)}, columns, 0));
        for (const Change& change : station.Changes) {
            append(block, ChangeLines(change, side.NameWidth, columns));
        }
    }
    return book;
}

int BodyColumns(PageSize page) {
    return static_cast<int>(page.Columns) - ColumnFromRight(page, kLeftmostColumnFromRight);
}

ChangesPagination PaginateChanges(const ChangesBook& book, PageSize page) {
    ChangesPagination pagination;
    pagination.Pages.emplace_back();
    const int first = FirstBodyLine(page);
    int row = first;
    const auto newPage = [&] {
        pagination.Pages.emplace_back();
        row = first;
    };
    for (std::size_t b = 0; b < book.Blocks.size(); ++b) {
        const int lines = static_cast<int>(book.Blocks[b].size());
        if (!pagination.Pages.back().empty()) {
            // A blank line between blocks; a block that does not fit below it starts a page.
            if (row + lines <= kLastBodyLine) {
                ++row;
            } else {
                newPage();
            }
        }
        for (int line = 0; line < lines; ++line) {
            if (row > kLastBodyLine) {
                newPage();  // only a block longer than a page gets here
            }
            pagination.Pages.back().push_back({static_cast<int>(b), line, row++});
        }
    }
    return pagination;
}

bool DrawChangesPage(Surface& surface, const ChangesBook& book, const ChangesPagination& pagination,
                     int page, PageSize pageSize, const HeaderStyle& style) {
    if (page < 0 || page > pagination.LastPage()) {
        return false;
    }
    DrawPageHeader(surface, pageSize, style);
    PutText(surface, ColumnFromRight(pageSize, kPageNumberColumnFromRight),
            LineFromBottom(pageSize, kHeaderLineFromBottom),
            PageNumberText(Book{book.Side, book.Type, {}}, page, pagination.LastPage()));
    const int x = ColumnFromRight(pageSize, kLeftmostColumnFromRight);
    for (const PlacedLine& placed : pagination.Pages[static_cast<std::size_t>(page)]) {
        const std::string& text = book.Blocks[static_cast<std::size_t>(placed.Block)]
                                             [static_cast<std::size_t>(placed.Line)];
        if (!text.empty()) {
            PutText(surface, x, placed.Row, text);
        }
    }
    return true;
}

std::vector<PaginatedChanges> MakeChangesBooks(const Comparison& comparison,
                                               const std::string& oldFile,
                                               const std::string& newFile, PageSize page) {
    std::vector<PaginatedChanges> books;
    for (const SideChanges& side : comparison.Sides) {
        ChangesBook book =
            MakeChangesBook(side, comparison.ToleranceText, oldFile, newFile, BodyColumns(page));
        ChangesPagination pagination = PaginateChanges(book, page);
        books.push_back({std::move(book), std::move(pagination)});
    }
    return books;
}

std::string ChangesBookText(const std::vector<PaginatedChanges>& books, PageSize page,
                            HeaderStyle style) {
    if (style.Date.empty()) {
        style.Date = TodayAsHeaderDate();  // read once: every page carries the same date
    }
    GridSurface grid(RoundHalfEven(page.Lines));
    std::string text;
    for (const PaginatedChanges& book : books) {
        for (int p = 0; p <= book.Pagination.LastPage(); ++p) {
            grid.Clear();
            DrawChangesPage(grid, book.Book, book.Pagination, p, page, style);
            grid.AppendPageText(text);
            text += "\f\n";
        }
    }
    return text;
}

}  // namespace corvane
