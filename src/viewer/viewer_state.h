// What a person moves in the viewer: the book on show, the page, the finder
// lists, the chosen printer and font. The windows ask it; it asks report/.
//
// The book on show is the whole book of a run, the book of a station range of
// it, or the changes book of an earlier revision against either. A range and
// a changes book are made from the books the run handed over: the file is
// never read again.
//
// Qt-free: a run builds PreparedBooks without the windows, and everything of
// PreparedBooks is defined here, so using it links nothing of the viewer.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/book_changes.h"
#include "compare/changes_book.h"
#include "report/book_pages.h"
#include "report/draw_page.h"
#include "report/make_books.h"
#include "report/station_range.h"

namespace corvane {

// What a run hands to the viewer, by value: the books and how to head their pages.
struct PreparedBooks : BookSet {
    HeaderStyle Header;      // project number, date and the report font
    std::string SourceFile;  // the paving-grades file the books were read from
    // How the books were made, so that an earlier revision is made the same way.
    ChainOptions Options;
};

// The answer of the font and printer dialog.
struct PrinterFontChoice {
    std::string PrinterName;  // as typed or picked; it may name no installed printer
    std::string FontName;     // empty: the fixed-pitch font of the platform
    // The printable page of the chosen printer; none when the name matches no
    // installed printer that reports one.
    std::optional<corvane::PageSize> PrinterPage;
};

// The changes of an earlier revision against the grade books on show, laid out.
struct RevisionChanges {
    std::string EarlierFile;  // the earlier revision's file, as chosen
    Comparison Changes;
    std::vector<PaginatedChanges> Books;  // one a side, the left before the right
};

class ViewerState {
  public:
    // Replaces what is shown by a new run's whole books and opens the first
    // page of the first book (the left side of a divided roadway).
    void Load(PreparedBooks books);
    // The whole books of the run, whatever is shown.
    const PreparedBooks& Books() const { return books_; }

    RoadwayType Type() const { return books_.Type(); }
    Side CurrentSide() const { return side_; }
    int CurrentPage() const { return page_; }  // 0-based

    // The grade books on show: the whole books, or those of the range shown
    // (also while the changes of a revision against them are shown).
    const BookSet& GradeBooks() const;
    // A side's grade book on show; null when there is none or a changes book is shown.
    const PaginatedBook* BookOf(Side side) const;

    // The 0-based last page of a side's book on show, grade or changes; none
    // when that side has no book.
    std::optional<int> LastPage(Side side) const;
    // Every page on show in print order: the left book before the right.
    std::vector<BookPage> AllPages() const;

    // Next and Previous walk the left book and then the right book as one
    // sequence; false (nothing moved) at either end.
    bool NextPage();
    bool PreviousPage();
    // Moves to a page of a side's book; false (nothing moved) when there is no such page.
    bool GoTo(Side side, int page);

    // The stations the pages of a side's grade book on show show; none for a
    // missing book and while a changes book is shown.
    const std::vector<StationOnPage>& StationsOnPages(Side side) const;

    // Draws a page of the book on show (header, page number line and body) on
    // the surface; false, with nothing drawn, when there is no such page.
    bool DrawPage(Surface& surface, const BookPage& page) const;
    bool DrawCurrentPage(Surface& surface) const { return DrawPage(surface, {side_, page_}); }

    // k of the file: the integer digits of B in its stations (StationDigitsOf
    // the whole books); none when no station has a value.
    std::optional<int> StationDigits() const;
    // A station range of the whole books, "FROM..TO", read with the B digits
    // of the file's stations. Refused as the command line refuses it, and also
    // when no station of the books lies in it.
    StationRangeReading ReadRange(std::string_view text) const;
    // Shows the books of the range (a range of the whole book shows the whole
    // book) from their first page.
    void ShowRange(const StationRange& range);
    // Shows the whole books from their first page.
    void ShowWholeBook();
    // The range shown; none while the whole books are shown.
    const std::optional<StationRange>& Range() const { return range_; }

    // Shows the changes book from its first page; ShowGradeBook returns to
    // the page of the grade book that was shown before.
    void ShowChanges(RevisionChanges changes);
    void ShowGradeBook();
    // The changes on show; null while a grade book is shown.
    const RevisionChanges* Changes() const { return changes_ ? &*changes_ : nullptr; }

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
    const PaginatedChanges* ChangesOf(Side side) const;
    void OpenFirstPage();

    PreparedBooks books_;
    std::optional<StationRange> range_;
    BookSet rangeBooks_;  // the books of range_, each paginated afresh
    std::optional<RevisionChanges> changes_;
    Side side_ = Side::Left;
    int page_ = 0;
    BookPage gradePage_;  // the grade book's page while a changes book is shown
    std::string printerName_;
    std::string fontName_;
    corvane::PageSize printerPage_;
};

}  // namespace corvane
