// Numbers held as text. Offsets, elevations and slopes stay the texts read from
// the file; they become doubles only inside a computation and go back to text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/compact_text.h"
#include "grades/quick_decimals.h"

namespace corvane {

// Every value is reduced to this many significant digits before it becomes
// text, so results agree with what a user can read and type back.
inline constexpr int kSignificantDigits = 15;

// Locale-independent: optional blanks around, optional sign, digits with an
// optional decimal point, optional exponent. Anything else is not a number.
// A plain decimal without blanks, as nearly every text is, is read inline.
std::optional<double> ParseOtherNumber(std::string_view text);
inline std::optional<double> ParseNumber(std::string_view text) {
    if (const std::optional<double> plain = ParsePlainDecimal(text)) {
        return plain;
    }
    return ParseOtherNumber(text);
}

// Shortest decimal text with at most 15 significant digits, leading zero kept:
// -14 -> "-14", 0.1 + 0.2 -> "0.3", 0.000015 -> "0.000015". Only magnitudes
// from 1E+15 up, whose digits end before the decimal point, take an exponent
// ("1E+15"). A value that is not finite has no text: the result is empty.
std::string NumberText(double value);

// Formats a number held as text with "##.00" or a lengthened form ("##.000...").
// Fixed decimals, no leading zero (".50", "-.50"), half away from zero on the
// 15-significant-digit value, no "-.00". Empty stays empty; a text that is not
// a number passes through unchanged.
std::string FormatNumber(std::string_view text, std::string_view pattern);

// The width of a point cell of the report, in characters.
inline constexpr std::size_t kReportCellWidth = 20;

// The text a computed value prints as with the pattern, or nothing when no
// sensible text exists: the value is not finite, it is 1E+15 or more once
// rounded (beyond the 15 significant digits a value carries, where the plain
// text would show invented digits and NumberText needs an exponent), or its
// text is wider than `width`. Computations treat such a result as not
// computed, exactly like one made from a text that is not a number.
std::optional<std::string> PrintableValue(double value, std::string_view pattern,
                                          std::size_t width);

// A pattern read once, for the many values a stage prints with the same one.
struct FixedPattern {
    explicit FixedPattern(std::string_view pattern);
    int Decimals = 0;       // the "0"s after the point
    bool HasPoint = false;  // whether the text has a decimal point
};

// PrintableValue written into `text`, whose storage is reused: true with the
// text, or false with `text` empty when there is no sensible text.
bool PrintValueInto(double value, const FixedPattern& pattern, std::size_t width,
                    std::string& text);
// The same for a compact text: the usual value is written without a string
// between (a slope is printed for every segment of the file).
bool PrintValueInto(double value, const FixedPattern& pattern, std::size_t width,
                    CompactText& text);

}  // namespace corvane
