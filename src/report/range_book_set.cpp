#include "report/range_book_set.h"

#include <utility>
#include <vector>

#include "report/station_value.h"

namespace corvane {

std::optional<int> StationDigitsOf(const BookSet& books) {
    for (const Book* book : BooksOf(books)) {
        if (const std::optional<int> digits = StationDigitsOf(*book)) {
            return digits;
        }
    }
    return std::nullopt;
}

BookSet PaginatedRangeBooks(const BookSet& whole, const StationRange& range) {
    BookSet books{{}, whole.PageSize};
    for (const PaginatedBook& book : whole.Books) {
        Book kept = RangeBook(book.Book, range);
        Pagination pagination = Paginate(kept, whole.PageSize);
        books.Books.push_back({std::move(kept), std::move(pagination)});
    }
    return books;
}

RangeBookSet BooksInRange(const BookSet& whole, std::string_view rangeText) {
    StationRangeReading reading = ReadStationRange(rangeText, StationDigitsOf(whole));
    if (!reading.Range) {
        return {std::nullopt, std::move(reading.Refusal), true};
    }
    if (std::optional<std::string> none = NoStationInRangeMessage(BooksOf(whole), *reading.Range)) {
        return {std::nullopt, std::move(*none), false};
    }
    return {PaginatedRangeBooks(whole, *reading.Range), "", false};
}

}  // namespace corvane
