// The fast paths must agree with the general conversions to the last bit and
// the last digit, so they are checked against independent references on
// many generated numbers.
#include "grades/quick_decimals.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

#include "grades/number_text.h"

namespace corvane {
namespace {

// A decimal text of up to 15 significant digits, such as "-407.0125".
std::string RandomDecimalText(std::mt19937& random) {
    std::uniform_int_distribution<int> digitCount(1, 15);
    std::uniform_int_distribution<int> digit(0, 9);
    const int digits = digitCount(random);
    const int decimals = std::uniform_int_distribution<int>(0, digits)(random);
    std::string text = random() % 2 ? "-" : "";
    for (int k = 0; k < digits; ++k) {
        if (k == digits - decimals) {
            text += '.';
        }
        text += static_cast<char>('0' + digit(random));
    }
    return text;
}

// Rounds a decimal text half away from zero to the given decimals, digit by
// digit, and writes it the way the report does (".50", no "-.00").
std::string RoundDecimalText(const std::string& text, int decimals) {
    const bool negative = text[0] == '-';
    std::string digits = negative ? text.substr(1) : text;
    const std::size_t point = digits.find('.');
    int fraction = 0;
    if (point != std::string::npos) {
        fraction = static_cast<int>(digits.size() - point - 1);
        digits.erase(point, 1);
    }
    digits.insert(0, "0");  // room for a carry
    if (fraction <= decimals) {
        digits.append(static_cast<std::size_t>(decimals - fraction), '0');
    } else {
        const std::size_t kept = digits.size() - static_cast<std::size_t>(fraction - decimals);
        const bool up = digits[kept] >= '5';
        digits.resize(kept);
        for (std::size_t k = digits.size(); up && k-- > 0;) {
            if (digits[k] == '9') {
                digits[k] = '0';
            } else {
                ++digits[k];
                break;
            }
        }
    }
    std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    whole.erase(0, whole.find_first_not_of('0') == std::string::npos
                       ? whole.size()
                       : whole.find_first_not_of('0'));
    const std::string part = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    const bool zero = whole.empty() && part.find_first_not_of('0') == std::string::npos;
    return (negative && !zero ? "-" : "") + whole + "." + part;
}

TEST(QuickDecimals, PlainDecimalsParseToTheCorrectlyRoundedDouble) {
    std::mt19937 random(20240601);
    for (int n = 0; n < 20000; ++n) {
        const std::string text = RandomDecimalText(random);
        const std::optional<double> quick = ParsePlainDecimal(text);
        ASSERT_TRUE(quick.has_value()) << text;
        double exact = 0;
        std::from_chars(text.data(), text.data() + text.size(), exact);
        ASSERT_EQ(*quick, exact) << text;
    }
}

TEST(QuickDecimals, DeclinesWhatItCannotReadExactly) {
    for (const char* text :
         {"1e5", "1234567890123456789", "9007199254740993", "", ".", "1.2.3", " 1"}) {
        EXPECT_FALSE(ParsePlainDecimal(text).has_value()) << text;
    }
    EXPECT_EQ(ParsePlainDecimal("9007199254740992"), 9007199254740992.0);
}

TEST(QuickDecimals, FormattingAgreesWithDigitByDigitRounding) {
    std::mt19937 random(7);
    for (int n = 0; n < 20000; ++n) {
        const std::string text = RandomDecimalText(random);
        for (const int decimals : {2, 3, 5}) {
            const std::string pattern =
                "##." + std::string(static_cast<std::size_t>(decimals), '0');
            ASSERT_EQ(FormatNumber(text, pattern), RoundDecimalText(text, decimals)) << text;
        }
    }
}

TEST(QuickDecimals, HalvesAreLeftToTheExactDigits) {
    std::string text;
    EXPECT_FALSE(FormatFixedQuickly(2.675, 2, text));
    EXPECT_FALSE(FormatFixedQuickly(0.125, 2, text));
    EXPECT_FALSE(FormatFixedQuickly(1e300, 2, text));
    EXPECT_TRUE(FormatFixedQuickly(-0.001, 2, text));
    EXPECT_EQ(text, ".00");
    EXPECT_TRUE(FormatFixedQuickly(-25.0 / 12, 2, text));
    EXPECT_EQ(text, "-2.08");
}

}  // namespace
}  // namespace corvane
