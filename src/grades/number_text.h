// Numbers held as text. Offsets, elevations and slopes stay the texts read from
// the file; they become doubles only inside a computation and go back to text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Locale-independent: optional blanks around, optional sign, digits with an
// optional decimal point, optional exponent. Anything else is not a number.
std::optional<double> ParseNumber(std::string_view text);

// Shortest decimal text with at most 15 significant digits, no exponent in
// ordinary ranges, leading zero kept: -14 -> "-14", 0.1 + 0.2 -> "0.3".
// Magnitudes from 1E+15 and below 1E-04 take an exponent ("1E+15", "1.5E-05").
// A value that is not finite has no text: the result is empty.
std::string NumberText(double value);

// Formats a number held as text with "##.00" or a lengthened form ("##.000...").
// Fixed decimals, no leading zero (".50", "-.50"), half away from zero on the
// 15-significant-digit value, no "-.00". Empty stays empty; a text that is not
// a number passes through unchanged.
std::string FormatNumber(std::string_view text, std::string_view pattern);

// The same formatting for a value already computed. A value that is not
// finite gives an empty text.
std::string FormatValue(double value, std::string_view pattern);

}  // namespace corvane
