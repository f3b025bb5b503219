// What a person moves in the viewer: the book on show, the page, the finder
// lists, the chosen printer and font. The windows ask it; it asks report/.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/draw_page.h"
#include "report/pagination.h"
#include "report/report_book.h"

namespace corvane {

// A book with its pages laid out: what one Preview run produces per side.
struct PaginatedBook {
    Book Book;
    Pagination Pagination;
};

// Everything a Preview run hands to the viewer, by value.
struct PreparedBooks {
    std::vector<PaginatedBook> Books;  // the undivided book, or left then right
    PageSize PageSize;
    HeaderStyle Header;
};

class ViewerState {
  public:
    // Replaces what is shown by a new run's books and opens the first page of
    // the first book (the left side of a divided roadway).
    void Load(PreparedBooks books);
    bool HasBooks() const;

    RoadwayType Type() const;
    Side CurrentSide() const;
    int CurrentPage() const;  // 0-based
    const PaginatedBook& Current() const;
    const PaginatedBook* BookOf(Side side) const;  // null when there is no such book

    // Next and Previous walk the left book and then the right book as one
    // sequence; false (nothing moved) at either end.
    bool NextPage();
    bool PreviousPage();
    // Moves to a page of a side's book; false when there is no such page.
    bool GoTo(Side side, int page);

    // The station finder's list of a side's book (empty for a missing book).
    const std::vector<std::string>& StationList(Side side) const;

    // Draws the current page (header and body) on the surface.
    void DrawCurrentPage(Surface& surface) const;

    PageSize Page() const;
    const HeaderStyle& Header() const;

    // Chosen in the font and printer dialog; kept between runs.
    std::string PrinterName;
    std::string FontName;

  private:
    PreparedBooks books_;
    Side side_ = Side::Left;
    int page_ = 0;
};

}  // namespace corvane
