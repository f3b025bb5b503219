#include "viewer/viewer_state.h"

namespace corvane {

void ViewerState::Load(PreparedBooks books) {
    books_ = std::move(books);
    side_ = books_.Books.empty() ? Side::Left : books_.Books.front().Book.Side;
    page_ = 0;
}

bool ViewerState::GoTo(Side side, int page) {
    const PaginatedBook* book = BookOf(side);
    if (!book || !book->Pagination.HasPage(page)) {
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
    const PaginatedBook* left = BookOf(Side::Left);
    return side_ == Side::Right && left && GoTo(Side::Left, left->Pagination.LastPage);
}

const std::vector<StationOnPage>& ViewerState::StationsOnPages(Side side) const {
    static const std::vector<StationOnPage> kNoStations;
    const PaginatedBook* book = BookOf(side);
    return book ? book->Pagination.Stations : kNoStations;
}

bool ViewerState::DrawCurrentPage(Surface& surface) const {
    const PaginatedBook* book = BookOf(side_);
    return book &&
           DrawPage(surface, book->Book, book->Pagination, page_, books_.PageSize, books_.Header);
}

void ViewerState::Choose(const PrinterFontChoice& choice) {
    printerName_ = choice.PrinterName;
    fontName_ = choice.FontName;
    if (choice.PrinterPage) {
        printerPage_ = *choice.PrinterPage;
    }
}

}  // namespace corvane
