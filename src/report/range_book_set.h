// The books of a station range from the whole books already laid out: the
// roadway is computed whole first, then only the range's stations are kept,
// and each side is paginated afresh as a book of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "report/make_books.h"
#include "report/station_range.h"

namespace corvane {

struct RangeBookSet {
    std::optional<BookSet> Books;  // the range's books; none when the range gives none
    std::string Message;           // why none: quotes the range and says why
    bool RangeRefused = false;     // the range itself is refused; otherwise no station lies in it
};

// k of the file: that of the first book (the left side) that has one.
std::optional<int> StationDigitsOf(const BookSet& books);

// Each book's stations in the range, paginated afresh on the page the whole
// books were laid out on.
BookSet PaginatedRangeBooks(const BookSet& whole, const StationRange& range);

// Reads "FROM..TO" against the file's stations (ReadStationRange) and keeps
// the stations it holds (RangeBooks), on the page the whole books were laid
// out on. A range holding no station of either side gives no books and
// NoStationInRangeMessage.
RangeBookSet BooksInRange(const BookSet& whole, std::string_view rangeText);

}  // namespace corvane
