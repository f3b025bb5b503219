// A station range, FROM..TO: the stations of one day's work area, and the
// books of only those stations, each paginated afresh as a book of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_book.h"
#include "report/station_value.h"

namespace corvane {

struct StationRange {
    std::string Text;      // as given, "512+00..530+00", for messages
    std::string FromText;  // the bounds as given, trimmed; empty: an open bound
    std::string ToText;
    std::optional<StationValue> From;  // none: open below
    std::optional<StationValue> To;    // none: open above
    std::string Tag;                   // the bounds' tag; empty: stations of any tag
    // k, the integer digits of B in the file's stations; none when no station
    // of the file has a value, and then no station lies in a bounded range.
    std::optional<int> StationDigits;

    // ".." alone: the whole book, stations without a value included.
    bool IsWholeBook() const { return !From && !To; }
    // Whether a station of the file, by its station text, lies in the range:
    // it has a value within [From, To] and, when the bounds carry a tag, that tag.
    bool Holds(std::string_view stationText) const;
};

// A range read from its text, or why it cannot be one.
struct StationRangeReading {
    std::optional<StationRange> Range;
    std::string Refusal;  // when Range is empty: quotes the range and says why
};

// Reads "FROM..TO" against the file's k (StationDigitsOf the whole books).
// Either bound may be left out ("..530+00", "512+00.."; ".." is the whole
// book). Refused: a text without "..", a bound that is no station text, a
// bound whose B has more integer digits than the file's stations, FROM above
// TO, and bounds with two different tags.
StationRangeReading ReadStationRange(std::string_view text, std::optional<int> stationDigits);

// The book of only the stations the range holds, in file order, side and
// roadway type kept; paginate it as any book. A side without a station in
// range gives an empty book (one page, its header only).
Book RangeBook(const Book& whole, const StationRange& range);
std::vector<Book> RangeBooks(const std::vector<Book>& whole, const StationRange& range);

// "No station lies in FROM..TO; the file runs from FIRST to LAST." when no
// side of the file has a station in range; none otherwise. FIRST and LAST are
// the first and the last station texts of the file that have a value.
std::optional<std::string> NoStationInRangeMessage(const std::vector<Book>& whole,
                                                   const StationRange& range);
// The same for books held elsewhere (the books of a run, beside their pages).
std::optional<std::string> NoStationInRangeMessage(const std::vector<const Book*>& whole,
                                                   const StationRange& range);

}  // namespace corvane
