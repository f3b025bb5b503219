#include "grades/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstddef>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "grades/quick_decimals.h"

namespace corvane {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ParseNumber, ReadsDecimalNumbersOnly) {
    struct Case {
        const char* text;
        double value;
    };
    // clang-format off
    for (const Case& c : {Case{"12.5", 12.5}, {"  -7.2500\t", -7.25}, {"+3", 3.0}, {"-.5", -0.5},
                          {"5.", 5.0}, {"1e3", 1000.0}, {"1.5E-2", 0.015}, {"2e+2", 200.0}}) {
        // clang-format on
        EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
    }
    for (const char* text : {"", "   ", ".", "-", "+", "1,5", "12a", "e5", "1e", "1e+", "inf",
                             "nan", "0x10", "1 2", "--1", "+-1", "Error", "Btwn Pts", "1e999"}) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
    }
}

// The shortest text of 15 significant digits, no sign on zero, an exponent
// only beyond fifteen integer digits, nothing for what is not finite.
TEST(NumberText, GivesTheShortestTextOfFifteenSignificantDigits) {
    struct Case {
        double value;
        const char* text;
    };
    // clang-format off
    for (const Case& c : {Case{-14, "-14"}, {99.72, "99.72"}, {0.1 + 0.2, "0.3"}, {-0.5, "-0.5"},
             {99.76 - 2.0 * 2.0 / 100, "99.72"}, {1.0 / 3, "0.333333333333333"},
             {2.0 / 3, "0.666666666666667"}, {123456789.123456789, "123456789.123457"},
             {1000, "1000"}, {0.0, "0"}, {-0.0, "0"}, {999999999999999, "999999999999999"},
             {1e15, "1E+15"}, {-2.5e20, "-2.5E+20"}, {0.000015, "0.000015"},
             {-1.25e-12, "-0.00000000000125"}, {kInfinity, ""}, {kNaN, ""}}) {
        // clang-format on
        EXPECT_EQ(NumberText(c.value), c.text) << c.text;
    }
    EXPECT_EQ(ParseNumber(NumberText(5.55e-17)), 5.55e-17);
}

// Fixed decimals without a leading zero, half away from zero on the decimal
// value the user wrote, carrying into new digits, no "-.00"; a text that is
// not a number passes through.
TEST(FormatNumber, FixedDecimalsAsTheReportPrintsThem) {
    struct Case {
        const char* text;
        const char* pattern;
        const char* formatted;
    };
    // clang-format off
    for (const Case& c : {Case{"2.0833", "##.00", "2.08"}, {"-0.5", "##.00", "-.50"},
             {"0", "##.00", ".00"}, {"12.4", "##.00", "12.40"}, {"-14", "##.00", "-14.00"},
             {" 5 ", "##.00", "5.00"}, {"1e20", "##.00", "100000000000000000000.00"},
             {"2.675", "##.00", "2.68"}, {"-2.675", "##.00", "-2.68"}, {"0.285", "##.00", ".29"},
             {"0.125", "##.00", ".13"}, {"1.005", "##.00", "1.01"}, {"2.6749", "##.00", "2.67"},
             {"1.23456789012345678", "##.00", "1.23"}, {"9.995", "##.00", "10.00"},
             {"-99.999", "##.00", "-100.00"}, {"0.995", "##.00", "1.00"}, {"0.005", "##.00", ".01"},
             {"0.00999", "##.00", ".01"}, {"-0.004", "##.00", ".00"}, {"-0", "##.00", ".00"},
             {"-0.0000001", "##.00", ".00"}, {"-0.005", "##.00", "-.01"},
             {"-12.5", "##.00000", "-12.50000"}, {"1.23456789", "##.0000", "1.2346"},
             {"0.00005", "##.0000", ".0001"}, {"99.72", "##.000000", "99.720000"},
             {"", "##.00", ""}, {"Error", "##.00", "Error"}, {"Btwn Pts", "##.000", "Btwn Pts"},
             {"12,5", "##.00", "12,5"}}) {
        // clang-format on
        EXPECT_EQ(FormatNumber(c.text, c.pattern), c.formatted) << c.text << " " << c.pattern;
    }
}

TEST(PrintableValue, RefusesWhatHasNoFixedTextWithinTheWidth) {
    struct Case {
        double value;
        const char* pattern;
        std::size_t width;
        std::optional<std::string> expected;
    };
    const std::optional<std::string> none;
    // clang-format off
    for (const Case& c : {Case{-25.0 / 12, "##.00", 20, "-2.08"}, {1.005, "##.00", 20, "1.01"},
             {-1e-9, "##.00", 20, ".00"}, {-0.0, "##.0000", 20, ".0000"},
             {1e-300, "##.00", 20, ".00"}, {-999999999999999.4, "##.00", 19, "-999999999999999.00"},
             {999999999999999.9, "##.00", 20, none},  // rounds to 1E+15
             {1e15, "##.00", 20, none}, {1e308, "##.00", 400, none}, {kInfinity, "##.00", 20, none},
             {-kInfinity, "##.00", 20, none}, {kNaN, "##.00", 20, none},
             {12345678.5, "##.0000000000", 20, "12345678.5000000000"},
             {1234567890.5, "##.0000000000", 20, none},  // 21 characters
             {0, "##.0000000000000000000", 20, ".0000000000000000000"},
             {0, "##.00000000000000000000", 20, none}, {0, "##.00", 0, none}}) {
        // clang-format on
        EXPECT_EQ(PrintableValue(c.value, c.pattern, c.width), c.expected)
            << c.value << " with " << c.pattern << " in " << c.width;
    }
}

// The fast paths of quick_decimals.h must agree with the general conversions to
// the last bit and the last digit, so they are checked against independent
// references on many generated decimals of up to 15 significant digits.
// Rounds the digits of a decimal text (sign dropped) half up to `decimals`
// places, digit by digit, and writes them as the report does (".50", no "-.00").
std::string RoundDecimalText(std::string text, int decimals) {
    const bool negative = text[0] == '-';
    std::string digits = "0" + text.substr(negative ? 1 : 0);  // room for a carry
    const std::size_t point = digits.find('.');
    const int fraction =
        point == std::string::npos ? 0 : static_cast<int>(digits.size() - point - 1);
    if (point != std::string::npos) {
        digits.erase(point, 1);
    }
    digits.append(static_cast<std::size_t>(std::max(decimals - fraction, 0)), '0');
    if (fraction > decimals) {
        const bool up =
            digits[digits.size() - static_cast<std::size_t>(fraction - decimals)] >= '5';
        digits.resize(digits.size() - static_cast<std::size_t>(fraction - decimals));
        for (std::size_t k = digits.size(); up && k-- > 0;) {
            digits[k] = digits[k] == '9' ? '0' : static_cast<char>(digits[k] + 1);
            if (digits[k] != '0') {
                break;
            }
        }
    }
    const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
    const std::size_t first = std::min(digits.find_first_not_of('0'), whole);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return (negative && !zero ? "-" : "") + digits.substr(first, whole - first) + "." +
           digits.substr(whole);
}

TEST(QuickDecimals, AgreeWithTheGeneralConversions) {
    std::mt19937 random(20240601);
    for (int n = 0; n < 20000; ++n) {
        const int digits = std::uniform_int_distribution<int>(1, 15)(random);
        const int decimals = std::uniform_int_distribution<int>(0, digits)(random);
        std::string text = random() % 2 ? "-" : "";
        for (int k = 0; k < digits; ++k) {
            text += std::string(k == digits - decimals ? "." : "") +
                    static_cast<char>('0' + random() % 10);
        }
        double exact = 0;
        std::from_chars(text.data(), text.data() + text.size(), exact);
        ASSERT_EQ(ParsePlainDecimal(text), exact) << text;
        for (const int places : {2, 3, 5}) {
            ASSERT_EQ(
                FormatNumber(text, "##." + std::string(static_cast<std::size_t>(places), '0')),
                RoundDecimalText(text, places))
                << text;
        }
    }
}

TEST(QuickDecimals, DeclineWhatOnlyTheGeneralConversionsCanDo) {
    for (const char* text :
         {"1e5", "1234567890123456789", "9007199254740993", "", ".", "1.2.3", " 1"}) {
        EXPECT_FALSE(ParsePlainDecimal(text).has_value()) << text;
    }
    EXPECT_EQ(ParsePlainDecimal("9007199254740992"), 9007199254740992.0);
    std::string text;
    EXPECT_FALSE(FormatFixedQuickly(2.675, 2, text));  // halves are left to the exact digits
    EXPECT_FALSE(FormatFixedQuickly(0.125, 2, text));
    EXPECT_FALSE(FormatFixedQuickly(1e300, 2, text));
    EXPECT_TRUE(FormatFixedQuickly(-0.001, 2, text));
    EXPECT_EQ(text, ".00");
    EXPECT_TRUE(FormatFixedQuickly(-25.0 / 12, 2, text));
    EXPECT_EQ(text, "-2.08");
}

}  // namespace
}  // namespace corvane
