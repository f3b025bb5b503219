#include "grades/quick_decimals.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace corvane {

namespace {

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
constexpr auto kExactPowersOfTen = PowersOfTen<double, 23>();
constexpr auto kIntegerPowersOfTen = PowersOfTen<std::uint64_t, 16>();

// Integers up to 2^53 are exact in a double.
constexpr std::uint64_t kLargestExactInteger = 1ULL << 53;
constexpr int kMostDigits = 18;

// The decimal value is within 5e-15 of the double (15 significant digits) and
// the scaling adds a rounding of its own; closer than this to a half, the
// exact digits decide.
constexpr double kHalfMargin = 1e-13;

void AppendDigits(std::uint64_t number, int width, std::string& text) {
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    for (int pad = count; pad < width; ++pad) {
        text += '0';
    }
    while (count > 0) {
        text += digits[--count];
    }
}

}  // namespace

std::optional<double> ParsePlainDecimal(std::string_view text) {
    std::size_t position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    std::uint64_t mantissa = 0;
    int digitCount = 0;
    int decimals = 0;
    bool afterPoint = false;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9' || ++digitCount > kMostDigits) {
            return std::nullopt;
        }
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        if (afterPoint) {
            ++decimals;
        }
    }
    if (digitCount == 0 || mantissa > kLargestExactInteger) {
        return std::nullopt;
    }
    // Both operands are exact, so the one division rounds correctly.
    const double magnitude =
        static_cast<double>(mantissa) / kExactPowersOfTen[static_cast<std::size_t>(decimals)];
    return negative ? -magnitude : magnitude;
}

bool FormatFixedQuickly(double value, int decimals, std::string& text) {
    if (decimals < 0 || decimals >= static_cast<int>(kIntegerPowersOfTen.size())) {
        return false;
    }
    const double scaled = std::fabs(value) * kExactPowersOfTen[static_cast<std::size_t>(decimals)];
    if (!(scaled < static_cast<double>(kLargestExactInteger))) {
        return false;
    }
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= scaled * kHalfMargin) {
        return false;
    }
    const auto rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    const std::uint64_t unit = kIntegerPowersOfTen[static_cast<std::size_t>(decimals)];

    text.clear();
    if (value < 0 && rounded != 0) {
        text += '-';
    }
    if (rounded >= unit) {
        AppendDigits(rounded / unit, 0, text);
    }
    text += '.';
    if (decimals > 0) {
        AppendDigits(rounded % unit, decimals, text);
    }
    return true;
}

}  // namespace corvane
