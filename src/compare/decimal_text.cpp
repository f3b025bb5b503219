#include "compare/decimal_text.h"

#include <algorithm>
#include <cstddef>

#include "common/text.h"

namespace corvane {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void DropLeadingZeros(std::string& digits) {
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
}

// The digits scaled to `decimals` places (never fewer than the number has).
std::string DigitsAt(const DecimalNumber& number, int decimals) {
    return number.Digits + std::string(static_cast<std::size_t>(decimals - number.Decimals), '0');
}

// Both without leading zeros.
int CompareDigits(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    const int order = a.compare(b);
    return (order > 0) - (order < 0);
}

std::string AddDigits(const std::string& a, const std::string& b) {
    std::string sum;
    int carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
        const int left = i < a.size() ? a[a.size() - 1 - i] - '0' : 0;
        const int right = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
        const int digit = left + right + carry;
        sum.push_back(static_cast<char>('0' + digit % 10));
        carry = digit / 10;
    }
    std::reverse(sum.begin(), sum.end());
    DropLeadingZeros(sum);
    return sum;
}

// larger - smaller, larger >= smaller.
std::string SubtractDigits(const std::string& larger, const std::string& smaller) {
    std::string rest;
    int borrow = 0;
    for (std::size_t i = 0; i < larger.size(); ++i) {
        const int right = i < smaller.size() ? smaller[smaller.size() - 1 - i] - '0' : 0;
        int digit = larger[larger.size() - 1 - i] - '0' - right - borrow;
        borrow = digit < 0;
        digit += borrow ? 10 : 0;
        rest.push_back(static_cast<char>('0' + digit));
    }
    std::reverse(rest.begin(), rest.end());
    DropLeadingZeros(rest);
    return rest;
}

}  // namespace

std::optional<DecimalNumber> ParseDecimal(std::string_view text) {
    while (!text.empty() && IsSpaceOrTab(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpaceOrTab(text.back())) {
        text.remove_suffix(1);
    }
    DecimalNumber number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.Negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool point = false;
    bool digit = false;
    for (const char c : text) {
        if (IsDigit(c)) {
            digit = true;
            number.Digits.push_back(c);
            number.Decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) {
        return std::nullopt;
    }
    DropLeadingZeros(number.Digits);
    return number;
}

DecimalNumber Difference(const DecimalNumber& from, const DecimalNumber& to) {
    DecimalNumber result;
    result.Decimals = std::max(from.Decimals, to.Decimals);
    std::string minuend = DigitsAt(to, result.Decimals);
    std::string subtrahend = DigitsAt(from, result.Decimals);
    DropLeadingZeros(minuend);
    DropLeadingZeros(subtrahend);
    // to - from = to + (-from): like signs add, unlike signs subtract.
    const bool subtrahendNegated = !from.Negative;
    if (to.Negative == subtrahendNegated) {
        result.Digits = AddDigits(minuend, subtrahend);
        result.Negative = to.Negative;
    } else if (CompareDigits(minuend, subtrahend) >= 0) {
        result.Digits = SubtractDigits(minuend, subtrahend);
        result.Negative = to.Negative;
    } else {
        result.Digits = SubtractDigits(subtrahend, minuend);
        result.Negative = subtrahendNegated;
    }
    return result;
}

int CompareMagnitudes(const DecimalNumber& a, const DecimalNumber& b) {
    const int decimals = std::max(a.Decimals, b.Decimals);
    std::string left = DigitsAt(a, decimals);
    std::string right = DigitsAt(b, decimals);
    DropLeadingZeros(left);
    DropLeadingZeros(right);
    return CompareDigits(left, right);
}

std::string SignedDecimalText(const DecimalNumber& number) {
    const std::size_t decimals = static_cast<std::size_t>(number.Decimals);
    std::string digits = number.Digits;
    if (digits.size() <= decimals) {
        digits.insert(0, decimals + 1 - digits.size(), '0');
    }
    if (decimals > 0) {
        digits.insert(digits.size() - decimals, 1, '.');
    }
    if (number.IsZero()) {
        return digits;
    }
    return (number.Negative ? "-" : "+") + digits;
}

std::optional<Tolerance> ParseTolerance(std::string_view text) {
    std::optional<DecimalNumber> value = ParseDecimal(text);
    if (!value || (value->Negative && !value->IsZero())) {
        return std::nullopt;
    }
    return Tolerance{std::string(Trim(text)), *value};
}

TextChange CompareNumberTexts(std::string_view oldText, std::string_view newText,
                              const Tolerance& tolerance) {
    const std::optional<DecimalNumber> oldNumber = ParseDecimal(oldText);
    const std::optional<DecimalNumber> newNumber = ParseDecimal(newText);
    if (!oldNumber || !newNumber) {
        const bool differ = Trim(oldText) != Trim(newText);
        return {differ ? "changed" : "same", differ};
    }
    const DecimalNumber difference = Difference(*oldNumber, *newNumber);
    return {SignedDecimalText(difference), CompareMagnitudes(difference, tolerance.Value) > 0};
}

}  // namespace corvane
