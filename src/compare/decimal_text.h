// Numbers of two books compared exactly, digit by digit, on the very texts the
// books print: 100.81 - 100.77 is 0.04 and 53.7 equals 53.700, which binary
// floating point cannot promise.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// A decimal number as written: ±Digits × 10^-Decimals. "53.700" is {false,
// "53700", 3}; "-.5" is {true, "5", 1}. Leading zeros are dropped, so zero has
// no digits (and its sign means nothing).
struct DecimalNumber {
    bool Negative = false;
    std::string Digits;
    int Decimals = 0;

    bool IsZero() const { return Digits.empty(); }
};

// An optional sign, digits with an optional decimal point, at least one digit,
// with blanks around; anything else (an exponent, "nan", "Error") is no number.
std::optional<DecimalNumber> ParseDecimal(std::string_view text);

// to - from, with the decimals of the more precise of the two.
DecimalNumber Difference(const DecimalNumber& from, const DecimalNumber& to);

// -1, 0 or 1 as |a| is below, equal to or above |b|.
int CompareMagnitudes(const DecimalNumber& a, const DecimalNumber& b);

// The difference as a change is written: its decimals, a leading zero, and
// its sign ("+0.0250", "-0.04"); zero has no sign ("0.000").
std::string SignedDecimalText(const DecimalNumber& number);

// The largest difference that is still no change, as typed and as a number.
struct Tolerance {
    std::string Text = "0";
    DecimalNumber Value;
};

// A number of zero or more; anything else is no tolerance.
std::optional<Tolerance> ParseTolerance(std::string_view text);

// How one number text of a cell moved from the older book to the newer one.
struct TextChange {
    // Both numbers: the signed difference. Otherwise "same" or "changed", as
    // the texts are equal or not.
    std::string Difference;
    bool BeyondTolerance =
        false;  // two numbers more than the tolerance apart, or two texts that differ
};

TextChange CompareNumberTexts(std::string_view oldText, std::string_view newText,
                              const Tolerance& tolerance);

}  // namespace corvane
