// Fast paths for the numbers a paving-grades file is made of: short plain
// decimals in, fixed decimals out. Each gives exactly the result of the
// general conversion or declines, so callers fall back to it; they exist
// because every point's offset and elevation is read several times a run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

namespace quick {

template <typename Number, std::size_t Count>
constexpr std::array<Number, Count> PowersOfTen() {
    std::array<Number, Count> powers{};
    Number power = 1;
    for (Number& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}

// 10^0 .. 10^22 are exact in a double; 10^15 is the largest scale that still
// leaves room for a fraction below 2^53.
inline constexpr auto kExactPowersOfTen = PowersOfTen<double, 23>();
// Integers up to 2^53 are exact in a double.
inline constexpr std::uint64_t kLargestExactInteger = 1ULL << 53;
inline constexpr std::size_t kMostDigits = 18;

// Appends the run of digits at `position` to `mantissa`, moves past it and
// tells how many there were.
inline std::size_t TakeDigits(std::string_view text, std::size_t& position,
                              std::uint64_t& mantissa) {
    const std::size_t start = position;
    for (; position < text.size(); ++position) {
        const auto digit = static_cast<unsigned>(text[position] - '0');
        if (digit > 9) {
            break;
        }
        mantissa = mantissa * 10 + digit;
    }
    return position - start;
}

}  // namespace quick

// The value of a text of the form [sign] digits [. digits] with at most 18
// digits, or nothing when the text is longer or has an exponent. Inline: it
// reads two numbers of every point, and a call returning an optional double
// costs about as much as the reading.
inline std::optional<double> ParsePlainDecimal(std::string_view text) {
    std::size_t position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    // Digits beyond kMostDigits may wrap the mantissa; such a text is refused below.
    std::uint64_t mantissa = 0;
    const std::size_t integerDigits = quick::TakeDigits(text, position, mantissa);
    std::size_t decimals = 0;
    if (position < text.size() && text[position] == '.') {
        ++position;
        decimals = quick::TakeDigits(text, position, mantissa);
    }
    const std::size_t digitCount = integerDigits + decimals;
    if (position != text.size() || digitCount == 0 || digitCount > quick::kMostDigits ||
        mantissa > quick::kLargestExactInteger) {
        return std::nullopt;
    }
    // Both operands are exact, so the one division rounds correctly.
    const double magnitude = static_cast<double>(mantissa) / quick::kExactPowersOfTen[decimals];
    return negative ? -magnitude : magnitude;
}

// The value with `decimals` fixed decimals, half away from zero, without
// leading zero and without "-" on zero, as the 15-digit rule gives it. Returns
// false, leaving `text` alone, when the value is too large or lies so close to
// a half that only the exact digits can decide.
bool FormatFixedQuickly(double value, int decimals, std::string& text);

// Room for any text FormatFixedQuickly gives: 16 digits, the point and a sign.
using QuickFixedRoom = std::array<char, 32>;

// The same text written into `room`, where the view shows it; nothing when
// FormatFixedQuickly declines. No string is touched: a slope is formatted
// for every segment of the file.
std::optional<std::string_view> FixedTextQuickly(double value, int decimals, QuickFixedRoom& room);

}  // namespace corvane
