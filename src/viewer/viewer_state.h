// What a person moves in the viewer: the book on show, the page, the finder
// lists, the chosen printer and font. The windows ask it; it asks report/.
//
// Qt-free: a run builds PreparedBooks without the windows, and everything of
// PreparedBooks is defined here, so using it links nothing of the viewer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/book_pages.h"
#include "report/draw_page.h"
#include "report/make_books.h"

namespace corvane {

// What a run hands to the viewer, by value: the books and how to head their pages.
struct PreparedBooks : BookSet {
    HeaderStyle Header;      // project number, date and the report font
    std::string SourceFile;  // the paving-grades file the books were read from
};

// The answer of the font and printer dialog.
struct PrinterFontChoice {
    std::string PrinterName;  // as typed or picked; it may name no installed printer
    std::string FontName;     // empty: the fixed-pitch font of the platform
    // The printable page of the chosen printer; none when the name matches no
    // installed printer that reports one.
    std::optional<corvane::PageSize> PrinterPage;
};

class ViewerState {
  public:
    // Replaces what is shown by a new run's books and opens the first page of
    // the first book (the left side of a divided roadway).
    void Load(PreparedBooks books);
    const PreparedBooks& Books() const { return books_; }

    RoadwayType Type() const { return books_.Type(); }
    Side CurrentSide() const { return side_; }
    int CurrentPage() const { return page_; }  // 0-based
    const PaginatedBook* BookOf(Side side) const { return books_.BookOf(side); }

    // Next and Previous walk the left book and then the right book as one
    // sequence; false (nothing moved) at either end.
    bool NextPage();
    bool PreviousPage();
    // Moves to a page of a side's book; false (nothing moved) when there is no such page.
    bool GoTo(Side side, int page);

    // The stations the pages of a side's book show (none for a missing book).
    const std::vector<StationOnPage>& StationsOnPages(Side side) const;

    // Draws the current page (header, page number line and body) on the
    // surface; false, with nothing drawn, when there are no books.
    bool DrawCurrentPage(Surface& surface) const;

    PageSize Page() const { return books_.PageSize; }
    const HeaderStyle& Header() const { return books_.Header; }

    // Takes the font and printer dialog's answer; kept between runs. The
    // printer's page stays as it was when the answer brings none.
    void Choose(const PrinterFontChoice& choice);
    const std::string& PrinterName() const { return printerName_; }
    const std::string& FontName() const { return fontName_; }
    // The page of the printer chosen last, on which the next run lays its
    // books out: a Letter page with quarter-inch margins until one is measured.
    corvane::PageSize PrinterPage() const { return printerPage_; }

  private:
    PreparedBooks books_;
    Side side_ = Side::Left;
    int page_ = 0;
    std::string printerName_;
    std::string fontName_;
    corvane::PageSize printerPage_;
};

}  // namespace corvane
