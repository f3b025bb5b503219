#include "report/station_value.h"

#include <limits>

#include "common/text.h"

namespace corvane {
namespace {

// Takes the run of digits at the front of `text` off it.
std::string TakeDigits(std::string_view& text) {
    std::size_t end = 0;
    while (end < text.size() && IsAsciiDigit(text[end])) {
        ++end;
    }
    std::string digits(text.substr(0, end));
    text.remove_prefix(end);
    return digits;
}

// value = value * 10 + digit, unless that leaves the 64-bit range.
bool AppendDigit(std::int64_t& value, char digit) {
    const int d = digit - '0';
    if (value > (std::numeric_limits<std::int64_t>::max() - d) / 10) {
        return false;
    }
    value = value * 10 + d;
    return true;
}

bool AppendDigits(std::int64_t& value, std::string_view digits) {
    for (char digit : digits) {
        if (!AppendDigit(value, digit)) {
            return false;
        }
    }
    return true;
}

std::int64_t PowerOfTen(int exponent) {
    std::int64_t power = 1;
    for (int i = 0; i < exponent; ++i) {
        power *= 10;
    }
    return power;
}

}  // namespace

std::optional<StationText> ParseStationText(std::string_view text) {
    text = TrimBlanks(text);
    StationText parts;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        parts.Negative = text.front() == '-';
        text.remove_prefix(1);
    }
    parts.A = TakeDigits(text);
    if (parts.A.empty() || text.empty() || text.front() != '+') {
        return std::nullopt;
    }
    text.remove_prefix(1);
    parts.BWhole = TakeDigits(text);
    if (parts.BWhole.empty()) {
        return std::nullopt;
    }
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        parts.BDecimals = TakeDigits(text);
        if (parts.BDecimals.empty()) {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return parts;
    }
    // Only blanks may part B from the tag; the text was trimmed, so a tag follows.
    if (!IsSpaceOrTab(text.front())) {
        return std::nullopt;
    }
    parts.Tag = std::string(TrimBlanks(text));
    return parts;
}

std::strong_ordering operator<=>(StationValue a, StationValue b) {
    // Whole units first (truncation keeps the order), then the fractions
    // brought to 18 decimals, which an int64 holds exactly.
    const std::int64_t aUnit = PowerOfTen(a.Decimals);
    const std::int64_t bUnit = PowerOfTen(b.Decimals);
    if (auto whole = a.Scaled / aUnit <=> b.Scaled / bUnit; whole != 0) {
        return whole;
    }
    return (a.Scaled % aUnit) * PowerOfTen(kMostStationDecimals - a.Decimals) <=>
           (b.Scaled % bUnit) * PowerOfTen(kMostStationDecimals - b.Decimals);
}

std::optional<TaggedStation> StationValueOf(std::string_view text, int stationDigits) {
    const std::optional<StationText> parts = ParseStationText(text);
    if (!parts || static_cast<int>(parts->BWhole.size()) > stationDigits ||
        static_cast<int>(parts->BDecimals.size()) > kMostStationDecimals) {
        return std::nullopt;
    }
    // |A| x 10^k + B scaled by 10^decimals is the digits of A, then B's
    // integer digits widened to k with leading zeros, then B's decimals.
    const std::string bWhole =
        std::string(stationDigits - parts->BWhole.size(), '0') + parts->BWhole;
    std::int64_t scaled = 0;
    if (!AppendDigits(scaled, parts->A) || !AppendDigits(scaled, bWhole) ||
        !AppendDigits(scaled, parts->BDecimals)) {
        return std::nullopt;
    }
    const int decimals = static_cast<int>(parts->BDecimals.size());
    return TaggedStation{{parts->Negative ? -scaled : scaled, decimals}, parts->Tag};
}

std::optional<int> StationDigitsOf(const Book& book) {
    for (const ReportStation& station : book.Stations) {
        if (const std::optional<StationText> parts = ParseStationText(station.StationText)) {
            const int digits = static_cast<int>(parts->BWhole.size());
            if (StationValueOf(station.StationText, digits)) {
                return digits;
            }
        }
    }
    return std::nullopt;
}

std::optional<int> StationDigitsOf(const std::vector<Book>& books) {
    for (const Book& book : books) {
        if (const std::optional<int> digits = StationDigitsOf(book)) {
            return digits;
        }
    }
    return std::nullopt;
}

std::string FormatStationValue(StationValue value) {
    const std::int64_t unit = PowerOfTen(value.Decimals);
    // The magnitude never reaches the int64 minimum, so negating is safe.
    const std::int64_t magnitude = value.Scaled < 0 ? -value.Scaled : value.Scaled;
    std::string text = value.Scaled < 0 ? "-" : "";
    text += std::to_string(magnitude / unit);
    if (value.Decimals > 0) {
        const std::string fraction = std::to_string(magnitude % unit);
        text += "." + std::string(value.Decimals - fraction.size(), '0') + fraction;
    }
    return text;
}

}  // namespace corvane
