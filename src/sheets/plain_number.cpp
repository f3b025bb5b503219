#include "sheets/plain_number.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace corvane {

namespace {

constexpr int kMostSignificantDigits = 15;

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view WithoutSign(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

bool IsPlainNumber(std::string_view text) {
    const std::string_view unsigned_ = WithoutSign(text);
    const std::string_view whole = unsigned_.substr(0, unsigned_.find('.'));
    const std::string_view decimals =
        whole.size() < unsigned_.size() ? unsigned_.substr(whole.size() + 1) : std::string_view{};
    return whole.size() + decimals.size() > 0 && std::all_of(whole.begin(), whole.end(), IsDigit) &&
           std::all_of(decimals.begin(), decimals.end(), IsDigit);
}

std::optional<StoredNumber> NumberToStore(std::string_view text) {
    if (!IsPlainNumber(text)) {
        return std::nullopt;
    }
    const std::string_view digitsAndPoint = WithoutSign(text);
    const size_t point = digitsAndPoint.find('.');
    const size_t firstSignificant = digitsAndPoint.find_first_not_of("0.");
    if (firstSignificant != std::string_view::npos) {
        const size_t last = digitsAndPoint.size();
        const bool pointBetween = point != std::string_view::npos && point > firstSignificant;
        const size_t significant = last - firstSignificant - (pointBetween ? 1 : 0);
        if (significant > kMostSignificantDigits) {
            return std::nullopt;
        }
    }
    // from_chars takes no "+" and reads any plain number's digits exactly
    // rounded; adding 0 turns a -0 into 0, which a sheet shows without a sign.
    StoredNumber number;
    const std::string_view parsed = text.front() == '+' ? text.substr(1) : text;
    std::from_chars(parsed.data(), parsed.data() + parsed.size(), number.Value,
                    std::chars_format::fixed);
    number.Value += 0.0;
    number.Decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(digitsAndPoint.size() - point - 1);
    return number;
}

}  // namespace corvane
