// Station values: a station text "A+B" of a paving-grades file, read as the
// distance along the chain it names, held exactly so that a range of stations
// can be compared and printed without rounding.
//
// The value of "A+B" is +-(|A| x 10^k + B), with A's sign (also for "-0"), where
// k is the number of integer digits of B in the first station of the book that
// has a value: 2 for "512+00.00" (so "512+50.00" is 51250 and "-0+50" is -50),
// 3 for "10+250.000" (10250). A shorter B counts as written ("512+5" is
// 51205); a B with more integer digits than k gives no value.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_book.h"

namespace corvane {

// The parts of a station text: an optional sign and the digits of A, "+", the
// integer digits of B with optional decimals, then optionally blanks and a tag
// ("2389+00.00 R1"). Blanks around the whole text are ignored; blanks anywhere
// else, a missing A or B, or anything but digits in them make no station text.
struct StationText {
    bool Negative = false;  // A was written with "-"
    std::string A;          // digits
    std::string BWhole;     // B's integer digits
    std::string BDecimals;  // B's decimals, without the point; empty when none
    std::string Tag;        // empty when none
};
std::optional<StationText> ParseStationText(std::string_view text);

// A value held exactly as an integer scaled by 10^Decimals: 512+50.00 with
// k = 2 is Scaled 5125000, Decimals 2. Two values compare by what they are
// worth, whatever their decimals (50.0 equals 50.00).
struct StationValue {
    std::int64_t Scaled = 0;
    int Decimals = 0;  // 0..kMostStationDecimals, the decimals of B as written

    friend std::strong_ordering operator<=>(StationValue a, StationValue b);
    friend bool operator==(StationValue a, StationValue b) { return (a <=> b) == 0; }
};
inline constexpr int kMostStationDecimals = 18;

// A station's value and its tag ("" when none).
struct TaggedStation {
    StationValue Value;
    std::string Tag;
};

// The value of a station text of a book whose stations have `stationDigits`
// integer digits in B; none when the text is no station text, its B has more
// integer digits, or its digits cannot be held exactly (more than 18 decimals
// or a scaled value beyond 64 bits).
std::optional<TaggedStation> StationValueOf(std::string_view text, int stationDigits);

// k of one book: the integer digits of B in its first station that has a
// value (measured with its own digits); none when no station has one.
std::optional<int> StationDigitsOf(const Book& book);
// k of a file's books: that of the first book (the left side) that has one.
std::optional<int> StationDigitsOf(const std::vector<Book>& books);

// The value as a decimal number with B's decimals: "51250.00", "-50", "0.5".
std::string FormatStationValue(StationValue value);

}  // namespace corvane
