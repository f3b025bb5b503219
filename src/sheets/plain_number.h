// Which texts of a table are numbers to a spreadsheet. A plain number is an
// optional sign, digits with an optional decimal point, at least one digit and
// nothing else: no blanks, no exponent, no "nan".
#pragma once

#include <optional>
#include <string_view>

namespace corvane {

bool IsPlainNumber(std::string_view text);

// A number a workbook can hold without changing a digit.
struct StoredNumber {
    double Value = 0;
    int Decimals = 0;  // the decimals the text shows, which its cell shows too
};

// The plain number with at most 15 significant digits (a double holds them
// all); nothing for any other text.
std::optional<StoredNumber> NumberToStore(std::string_view text);

}  // namespace corvane
