#include "grades/number_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

#include "common/text.h"
#include "grades/quick_decimals.h"

namespace corvane {

namespace {

// The largest power of ten of a leading digit still written without an
// exponent: from 1E+15 up the 15 significant digits end before the point.
constexpr int kLargestPlainExponent = 14;
constexpr double kFirstExponentMagnitude = 1e15;

// A finite value as sign, significant digits and the power of ten of the first
// digit: 99.72 is {false, "9972", 1}. Zero has no digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    // The digit standing at the given power of ten ('0' outside the digits).
    char DigitAt(int power) const {
        const int index = exponent - power;
        if (index < 0 || index >= static_cast<int>(digits.size())) {
            return '0';
        }
        return digits[static_cast<std::size_t>(index)];
    }
    bool IsZero() const { return digits.empty(); }
};

// The value rounded to 15 significant digits, trailing zeros dropped.
// std::to_chars rounds the exact binary value, so 2.675 (really 2.67499999...)
// becomes the decimal 2.675 that the user wrote.
Decimal ToDecimal(double value) {
    Decimal decimal;
    if (value == 0) {
        return decimal;
    }
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

    // The text reads "-d.dddddddddddddde+XX".
    std::size_t position = 0;
    if (text[position] == '-') {
        decimal.negative = true;
        ++position;
    }
    const std::size_t exponentMark = text.find('e', position);
    for (std::size_t i = position; i < exponentMark; ++i) {
        if (text[i] != '.') {
            decimal.digits.push_back(text[i]);
        }
    }
    std::string_view exponentText = text.substr(exponentMark + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                    decimal.exponent);

    const std::size_t lastNonZero = decimal.digits.find_last_not_of('0');
    decimal.digits.resize(lastNonZero + 1);
    return decimal;
}

// Rounds half away from zero so that no digit is left below 10^-decimals.
void RoundToDecimals(Decimal& decimal, int decimals) {
    if (decimal.IsZero()) {
        return;
    }
    // How many leading digits stand at or above the last kept place.
    const int kept = decimal.exponent + decimals + 1;
    if (kept >= static_cast<int>(decimal.digits.size())) {
        return;
    }
    if (kept < 0) {
        decimal.digits.clear();
        return;
    }
    const bool roundsUp = decimal.digits[static_cast<std::size_t>(kept)] >= '5';
    decimal.digits.resize(static_cast<std::size_t>(kept));
    if (!roundsUp) {
        const std::size_t lastNonZero = decimal.digits.find_last_not_of('0');
        decimal.digits.resize(lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
        return;
    }
    // Add one unit at the last kept place; trailing nines turn into zeros and drop.
    while (!decimal.digits.empty() && decimal.digits.back() == '9') {
        decimal.digits.pop_back();
    }
    if (decimal.digits.empty()) {
        // All nines (or nothing kept): the carry opens a new leading digit.
        decimal.digits.assign(1, '1');
        ++decimal.exponent;
        return;
    }
    ++decimal.digits.back();
}

// Whether the pattern asks for `limit` decimals or more. Looks no further than
// that, so a pattern lengthened by an absurd file costs nothing here.
bool HasAtLeastDecimals(std::string_view pattern, std::size_t limit) {
    const std::size_t point = pattern.find('.');
    if (point == std::string_view::npos) {
        return limit == 0;
    }
    std::size_t decimals = 0;
    for (std::size_t i = point + 1; i < pattern.size() && decimals < limit; ++i) {
        if (pattern[i] == '0') {
            ++decimals;
        }
    }
    return decimals >= limit;
}

// Digits before the decimal point of a fixed text ("-123.45" has 3).
int IntegerDigits(std::string_view fixedText) {
    int digits = 0;
    for (const char c : fixedText.substr(0, fixedText.find('.'))) {
        if (c >= '0' && c <= '9') {
            ++digits;
        }
    }
    return digits;
}

int DecimalsOfPattern(std::string_view pattern) {
    const std::size_t point = pattern.find('.');
    if (point == std::string_view::npos) {
        return 0;
    }
    int decimals = 0;
    for (const char c : pattern.substr(point + 1)) {
        if (c == '0') {
            ++decimals;
        }
    }
    return decimals;
}

std::string PlainText(const Decimal& decimal) {
    std::string text;
    if (decimal.negative) {
        text += '-';
    }
    if (decimal.exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-decimal.exponent - 1), '0');
        text += decimal.digits;
        return text;
    }
    for (int power = decimal.exponent; power >= 0; --power) {
        text += decimal.DigitAt(power);
    }
    const int lastPower = decimal.exponent - static_cast<int>(decimal.digits.size()) + 1;
    if (lastPower < 0) {
        text += '.';
        for (int power = -1; power >= lastPower; --power) {
            text += decimal.DigitAt(power);
        }
    }
    return text;
}

// "1E+15", "-2.5E+20": the exponent has a sign and at least two digits.
std::string ExponentText(const Decimal& decimal) {
    std::string text;
    if (decimal.negative) {
        text += '-';
    }
    text += decimal.digits.front();
    if (decimal.digits.size() > 1) {
        text += '.';
        text.append(decimal.digits, 1);
    }
    text += "E+";
    text += std::to_string(decimal.exponent);
    return text;
}

// Moves past a run of digits and tells how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& position) {
    const std::size_t start = position;
    while (position < text.size() && IsAsciiDigit(text[position])) {
        ++position;
    }
    return position - start;
}

// sign? digits ("." digits?)? | sign? "." digits, then (e|E sign? digits)?
bool HasNumberShape(std::string_view text) {
    std::size_t position = 0;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        ++position;
    }
    std::size_t mantissaDigits = SkipDigits(text, position);
    if (position < text.size() && text[position] == '.') {
        ++position;
        mantissaDigits += SkipDigits(text, position);
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (position < text.size() && (text[position] == 'e' || text[position] == 'E')) {
        ++position;
        if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
            ++position;
        }
        if (SkipDigits(text, position) == 0) {
            return false;
        }
    }
    return position == text.size();
}

// The fixed text of a computed value with the pattern, written into `text`;
// empty when the value is not finite.
void FormatValueInto(double value, const FixedPattern& pattern, std::string& text) {
    if (!std::isfinite(value)) {
        text.clear();
        return;
    }
    const int decimals = pattern.Decimals;
    if (pattern.HasPoint && FormatFixedQuickly(value, decimals, text)) {
        return;
    }
    Decimal decimal = ToDecimal(value);
    RoundToDecimals(decimal, decimals);

    text.clear();
    // A value that rounds to zero loses its sign: ".00", never "-.00".
    if (decimal.negative && !decimal.IsZero()) {
        text += '-';
    }
    // No leading zero: the integer digits start at the first significant one.
    if (!decimal.IsZero()) {
        for (int power = decimal.exponent; power >= 0; --power) {
            text += decimal.DigitAt(power);
        }
    }
    if (pattern.HasPoint) {
        text += '.';
    } else if (text.empty() || text == "-") {
        text.assign(1, '0');
    }
    for (int power = -1; power >= -decimals; --power) {
        text += decimal.DigitAt(power);
    }
}

// The shortest text that reads back as the value, when it has at most 15
// significant digits and the value is below 1E+15: it is then also the value
// rounded to 15 significant digits, the one decimal of at most 15 digits
// within half a unit of the 15th digit, since a double is finer than that
// everywhere. False for zero, whose text has no sign, and any other value.
bool ShortestPlainText(double value, std::string& text) {
    if (value == 0 || !(std::fabs(value) < kFirstExponentMagnitude)) {
        return false;
    }
    char buffer[48];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc{}) {
        return false;  // a tiny value with many leading zeros
    }
    const std::string_view shortest(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t first = shortest.find_first_not_of("-0.");
    int significant = 0;
    for (std::size_t i = first; i < shortest.size(); ++i) {
        significant += shortest[i] != '.' ? 1 : 0;
    }
    if (significant > kSignificantDigits) {
        return false;
    }
    text.assign(shortest);
    return true;
}

}  // namespace

std::optional<double> ParseOtherNumber(std::string_view text) {
    // A text with blanks was refused by the plain decimal's reading; trimmed, it may pass.
    std::string_view number = TrimBlanks(text);
    if (const std::optional<double> plain = ParsePlainDecimal(number)) {
        return plain;
    }
    if (!HasNumberShape(number)) {
        return std::nullopt;
    }
    // std::from_chars takes a minus sign but no plus sign.
    if (number.front() == '+') {
        number.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc{} || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string NumberText(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    if (std::string shortest; ShortestPlainText(value, shortest)) {
        return shortest;
    }
    const Decimal decimal = ToDecimal(value);
    if (decimal.IsZero()) {
        return "0";
    }
    if (decimal.exponent > kLargestPlainExponent) {
        return ExponentText(decimal);
    }
    return PlainText(decimal);
}

FixedPattern::FixedPattern(std::string_view pattern)
    : Decimals(DecimalsOfPattern(pattern)), HasPoint(pattern.find('.') != std::string_view::npos) {}

std::optional<std::string> PrintableValue(double value, std::string_view pattern,
                                          std::size_t width) {
    // Looked at before the pattern is read whole, which an absurd one makes long.
    if (width == 0 || HasAtLeastDecimals(pattern, width)) {
        return std::nullopt;
    }
    std::string text;
    if (!PrintValueInto(value, FixedPattern(pattern), width, text)) {
        return std::nullopt;
    }
    return text;
}

namespace {

// Not finite, or too large even before rounding; or a fixed text, which holds
// at least the point and every decimal, could not fit.
bool RefusedBeforeFormatting(double value, const FixedPattern& pattern, std::size_t width) {
    return !(std::fabs(value) < kFirstExponentMagnitude) || width == 0 ||
           (pattern.HasPoint && static_cast<std::size_t>(pattern.Decimals) >= width);
}

// Too wide, or carried by rounding from just below 1E+15 up to it.
bool RefusedAfterFormatting(std::string_view text, std::size_t width) {
    return text.size() > width || (text.size() > static_cast<std::size_t>(kSignificantDigits) &&
                                   IntegerDigits(text) > kSignificantDigits);
}

}  // namespace

bool PrintValueInto(double value, const FixedPattern& pattern, std::size_t width,
                    std::string& text) {
    if (RefusedBeforeFormatting(value, pattern, width)) {
        text.clear();
        return false;
    }
    FormatValueInto(value, pattern, text);
    if (RefusedAfterFormatting(text, width)) {
        text.clear();
        return false;
    }
    return true;
}

bool PrintValueInto(double value, const FixedPattern& pattern, std::size_t width,
                    CompactText& text) {
    // The quick fixed text is the one FormatValueInto starts with; where it
    // passes the same checks, it is the text the general way gives.
    if (pattern.HasPoint && !RefusedBeforeFormatting(value, pattern, width)) {
        QuickFixedRoom room;
        const std::optional<std::string_view> fixed =
            FixedTextQuickly(value, pattern.Decimals, room);
        if (fixed && !RefusedAfterFormatting(*fixed, width)) {
            text = *fixed;
            return true;
        }
    }
    std::string printed;
    const bool printable = PrintValueInto(value, pattern, width, printed);
    text = printed;
    return printable;
}

std::string FormatNumber(std::string_view text, std::string_view pattern) {
    if (text.empty()) {
        return {};
    }
    const std::optional<double> value = ParseNumber(text);
    if (!value) {
        return std::string(text);
    }
    std::string formatted;
    FormatValueInto(*value, FixedPattern(pattern), formatted);
    return formatted;
}

}  // namespace corvane
