#include "grades/quick_decimals.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "grades/number_text.h"

namespace corvane {

namespace {

constexpr auto kIntegerPowersOfTen = quick::PowersOfTen<std::uint64_t, 16>();

// The decimal value is within 5e-15 of the double (15 significant digits) and
// the scaling adds a rounding of its own; closer than this to a half, the
// exact digits decide.
constexpr double kHalfMargin = 1e-13;

// `rounded` units of 10^-decimals, written without leading zero and without
// "-" on zero, at the end of `room`.
std::string_view WriteFixed(bool negative, std::uint64_t rounded, int decimals,
                            QuickFixedRoom& room) {
    // Built backwards: rounded stays below 2^53, so 16 digits, the point and
    // the sign fit. Only divisions by the constant 10, which cost a multiplication.
    char* const end = room.data() + room.size();
    char* begin = end;
    std::uint64_t rest = rounded;
    for (int written = 0; written < decimals; ++written) {
        *--begin = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    *--begin = '.';
    for (; rest != 0; rest /= 10) {
        *--begin = static_cast<char>('0' + rest % 10);
    }
    if (negative && rounded != 0) {
        *--begin = '-';
    }
    return {begin, static_cast<std::size_t>(end - begin)};
}

// The 15 significant digits of a value as an integer, and the power of ten
// they are scaled by: 0.575 is {575000000000000, 15}. Below 10^15, scaling by
// an exact power of ten errs by at most 1/16, so the digits are certain unless
// the scaled value lies within kDigitMargin of a half.
struct SignificantDigits {
    std::uint64_t digits;
    int scale;
};
constexpr double kDigitMargin = 0.125;
constexpr double kFifteenDigitsLow = 1e14;
constexpr double kFifteenDigitsHigh = 1e15;

// The power of ten of the leading digit of a positive magnitude, found in the
// table of exact powers (a logarithm costs more than the rest of a value).
// Rounding may make it miss by one next to a power of ten; the caller checks
// the digits it scales to. Magnitudes outside the table give its ends.
int LeadingPower(double magnitude) {
    const int powers = static_cast<int>(quick::kExactPowersOfTen.size());
    if (magnitude >= 1) {
        int power = 0;
        while (power + 1 < powers &&
               quick::kExactPowersOfTen[static_cast<std::size_t>(power) + 1] <= magnitude) {
            ++power;
        }
        return power;
    }
    int shift = 1;
    while (shift + 1 < powers &&
           magnitude * quick::kExactPowersOfTen[static_cast<std::size_t>(shift)] < 1) {
        ++shift;
    }
    return -shift;
}

std::optional<SignificantDigits> FifteenDigits(double magnitude) {
    const int scale = kSignificantDigits - 1 - LeadingPower(magnitude);
    if (scale < 0 || scale >= static_cast<int>(quick::kExactPowersOfTen.size())) {
        return std::nullopt;
    }
    const double scaled = magnitude * quick::kExactPowersOfTen[static_cast<std::size_t>(scale)];
    // log10 may miss by one next to a power of ten; such values are left to
    // the general conversion, as is any value whose last digit is in doubt.
    if (!(scaled >= kFifteenDigitsLow + 1 && scaled < kFifteenDigitsHigh - 1)) {
        return std::nullopt;
    }
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= kDigitMargin) {
        return std::nullopt;
    }
    return SignificantDigits{static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0), scale};
}

// A value next to a half of its last decimal, as the general conversion
// rounds it: its 15 significant digits, then half away from zero. Computed
// slopes land there all the time: a rise of .023 over 4 is .575 percent.
std::optional<std::uint64_t> RoundNearHalf(double magnitude, int decimals) {
    const std::optional<SignificantDigits> value = FifteenDigits(magnitude);
    if (!value) {
        return std::nullopt;
    }
    const int dropped = value->scale - decimals;
    if (dropped <= 0 || dropped >= static_cast<int>(kIntegerPowersOfTen.size())) {
        return std::nullopt;
    }
    const std::uint64_t unit = kIntegerPowersOfTen[static_cast<std::size_t>(dropped)];
    const std::uint64_t half = unit / 2;
    return value->digits / unit + (value->digits % unit >= half ? 1 : 0);
}

}  // namespace

std::optional<std::string_view> FixedTextQuickly(double value, int decimals, QuickFixedRoom& room) {
    if (decimals < 0 || decimals >= static_cast<int>(kIntegerPowersOfTen.size())) {
        return std::nullopt;
    }
    const double scaled =
        std::fabs(value) * quick::kExactPowersOfTen[static_cast<std::size_t>(decimals)];
    if (!(scaled < static_cast<double>(quick::kLargestExactInteger))) {
        return std::nullopt;
    }
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= scaled * kHalfMargin) {
        const std::optional<std::uint64_t> rounded = RoundNearHalf(std::fabs(value), decimals);
        if (!rounded) {
            return std::nullopt;
        }
        return WriteFixed(value < 0, *rounded, decimals, room);
    }
    return WriteFixed(value < 0, static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0),
                      decimals, room);
}

bool FormatFixedQuickly(double value, int decimals, std::string& text) {
    QuickFixedRoom room;
    const std::optional<std::string_view> fixed = FixedTextQuickly(value, decimals, room);
    if (!fixed) {
        return false;
    }
    text.assign(*fixed);
    return true;
}

}  // namespace corvane
