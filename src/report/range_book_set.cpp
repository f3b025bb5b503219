#include "report/range_book_set.h"

#include <utility>
#include <vector>

#include "report/station_range.h"
#include "report/station_value.h"

namespace corvane {

namespace {

// k of the file: that of the first book (the left side) that has one.
std::optional<int> StationDigitsOf(const BookSet& books) {
    for (const PaginatedBook& book : books.Books) {
        if (const std::optional<int> digits = corvane::StationDigitsOf(book.Book)) {
            return digits;
        }
    }
    return std::nullopt;
}

// The whole books are copied only to say which stations the file runs over.
std::string NoStationMessage(const BookSet& whole, const StationRange& range) {
    std::vector<Book> books;
    for (const PaginatedBook& book : whole.Books) {
        books.push_back(book.Book);
    }
    return NoStationInRangeMessage(books, range).value_or("");
}

}  // namespace

RangeBookSet BooksInRange(const BookSet& whole, std::string_view rangeText) {
    StationRangeReading reading = ReadStationRange(rangeText, StationDigitsOf(whole));
    if (!reading.Range) {
        return {std::nullopt, std::move(reading.Refusal), true};
    }
    BookSet range;
    range.PageSize = whole.PageSize;
    bool anyStation = false;
    for (const PaginatedBook& book : whole.Books) {
        Book kept = RangeBook(book.Book, *reading.Range);
        anyStation = anyStation || !kept.Stations.empty();
        Pagination pagination = Paginate(kept, range.PageSize);
        range.Books.push_back(PaginatedBook{std::move(kept), std::move(pagination)});
    }
    // The whole book is never refused, even a book without a station.
    if (!anyStation && !reading.Range->IsWholeBook()) {
        return {std::nullopt, NoStationMessage(whole, *reading.Range), false};
    }
    return {std::move(range), "", false};
}

}  // namespace corvane
