#include "viewer/viewer_state.h"

#include <algorithm>

#include "report/range_book_set.h"

namespace corvane {

void ViewerState::Load(PreparedBooks books) {
    books_ = std::move(books);
    ShowWholeBook();
}

void ViewerState::OpenFirstPage() {
    const std::vector<BookPage> pages = AllPages();
    side_ = pages.empty() ? Side::Left : pages.front().Side;
    page_ = 0;
}

const BookSet& ViewerState::GradeBooks() const {
    return range_ ? rangeBooks_ : books_;
}

const PaginatedBook* ViewerState::BookOf(Side side) const {
    return changes_ ? nullptr : GradeBooks().BookOf(side);
}

const PaginatedChanges* ViewerState::ChangesOf(Side side) const {
    if (!changes_) {
        return nullptr;
    }
    const auto found =
        std::find_if(changes_->Books.begin(), changes_->Books.end(),
                     [side](const PaginatedChanges& book) { return book.Book.Side == side; });
    return found == changes_->Books.end() ? nullptr : &*found;
}

std::optional<int> ViewerState::LastPage(Side side) const {
    if (changes_) {
        const PaginatedChanges* book = ChangesOf(side);
        return book ? std::optional(book->Pagination.LastPage()) : std::nullopt;
    }
    const PaginatedBook* book = BookOf(side);
    return book ? std::optional(book->Pagination.LastPage) : std::nullopt;
}

std::vector<BookPage> ViewerState::AllPages() const {
    std::vector<BookPage> pages;
    for (const Side side : {Side::Left, Side::Right}) {
        const std::optional<int> last = LastPage(side);
        for (int page = 0; last && page <= *last; ++page) {
            pages.push_back({side, page});
        }
    }
    return pages;
}

bool ViewerState::GoTo(Side side, int page) {
    const std::optional<int> last = LastPage(side);
    if (!last || page < 0 || page > *last) {
        return false;
    }
    side_ = side;
    page_ = page;
    return true;
}

bool ViewerState::NextPage() {
    if (GoTo(side_, page_ + 1)) {
        return true;
    }
    return side_ == Side::Left && GoTo(Side::Right, 0);
}

bool ViewerState::PreviousPage() {
    if (GoTo(side_, page_ - 1)) {
        return true;
    }
    const std::optional<int> left = LastPage(Side::Left);
    return side_ == Side::Right && left && GoTo(Side::Left, *left);
}

const std::vector<StationOnPage>& ViewerState::StationsOnPages(Side side) const {
    static const std::vector<StationOnPage> kNoStations;
    const PaginatedBook* book = BookOf(side);
    return book ? book->Pagination.Stations : kNoStations;
}

bool ViewerState::DrawPage(Surface& surface, const BookPage& page) const {
    if (changes_) {
        const PaginatedChanges* book = ChangesOf(page.Side);
        return book && DrawChangesPage(surface, book->Book, book->Pagination, page.Page,
                                       books_.PageSize, books_.Header);
    }
    const PaginatedBook* book = BookOf(page.Side);
    return book && corvane::DrawPage(surface, book->Book, book->Pagination, page.Page,
                                     books_.PageSize, books_.Header);
}

// That of the file's first book (the left side) that has one.
std::optional<int> ViewerState::StationDigits() const {
    return StationDigitsOf(books_);
}

StationRangeReading ViewerState::ReadRange(std::string_view text) const {
    StationRangeReading reading = ReadStationRange(text, StationDigits());
    if (reading.Range) {
        if (std::optional<std::string> empty =
                NoStationInRangeMessage(BooksOf(books_), *reading.Range)) {
            return {std::nullopt, std::move(*empty)};
        }
    }
    return reading;
}

void ViewerState::ShowRange(const StationRange& range) {
    if (range.IsWholeBook()) {
        ShowWholeBook();
        return;
    }
    rangeBooks_ = PaginatedRangeBooks(books_, range);
    range_ = range;
    changes_.reset();
    OpenFirstPage();
}

void ViewerState::ShowWholeBook() {
    range_.reset();
    rangeBooks_ = {};
    changes_.reset();
    OpenFirstPage();
}

void ViewerState::ShowChanges(RevisionChanges changes) {
    if (!changes_) {
        gradePage_ = {side_, page_};
    }
    changes_ = std::move(changes);
    OpenFirstPage();
}

void ViewerState::ShowGradeBook() {
    if (!changes_) {
        return;
    }
    changes_.reset();
    side_ = gradePage_.Side;
    page_ = gradePage_.Page;
}

void ViewerState::Choose(const PrinterFontChoice& choice) {
    printerName_ = choice.PrinterName;
    fontName_ = choice.FontName;
    if (choice.PrinterPage) {
        printerPage_ = *choice.PrinterPage;
    }
}

}  // namespace corvane
