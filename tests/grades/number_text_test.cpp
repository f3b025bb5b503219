#include "grades/number_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

namespace corvane {
namespace {

TEST(ParseNumber, ReadsSignsDecimalsExponentsAndSurroundingBlanks) {
    EXPECT_EQ(ParseNumber("12.5"), 12.5);
    EXPECT_EQ(ParseNumber("  -7.2500\t"), -7.25);
    EXPECT_EQ(ParseNumber("+3"), 3.0);
    EXPECT_EQ(ParseNumber("-.5"), -0.5);
    EXPECT_EQ(ParseNumber("5."), 5.0);
    EXPECT_EQ(ParseNumber("1e3"), 1000.0);
    EXPECT_EQ(ParseNumber("1.5E-2"), 0.015);
    EXPECT_EQ(ParseNumber("2e+2"), 200.0);
}

TEST(ParseNumber, RejectsEverythingElse) {
    for (const char* text : {"", "   ", ".", "-", "+", "1,5", "12a", "e5", "1e", "1e+", "inf",
                             "nan", "0x10", "1 2", "--1", "+-1", "Error", "Btwn Pts", "1e999"}) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(NumberText, GivesTheShortestTextOfFifteenSignificantDigits) {
    EXPECT_EQ(NumberText(-14), "-14");
    EXPECT_EQ(NumberText(99.72), "99.72");
    EXPECT_EQ(NumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(NumberText(0.5), "0.5");
    EXPECT_EQ(NumberText(-0.5), "-0.5");
    EXPECT_EQ(NumberText(99.76 - 2.0 * 2.0 / 100), "99.72");
    EXPECT_EQ(NumberText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(NumberText(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(NumberText(123456789.123456789), "123456789.123457");
    EXPECT_EQ(NumberText(1000), "1000");
}

TEST(NumberText, ZeroHasNoSign) {
    EXPECT_EQ(NumberText(0.0), "0");
    EXPECT_EQ(NumberText(-0.0), "0");
}

TEST(NumberText, UsesAnExponentOnlyBeyondFifteenIntegerDigits) {
    EXPECT_EQ(NumberText(999999999999999), "999999999999999");
    EXPECT_EQ(NumberText(1e15), "1E+15");
    EXPECT_EQ(NumberText(-2.5e20), "-2.5E+20");
    EXPECT_EQ(NumberText(0.0001), "0.0001");
    EXPECT_EQ(NumberText(0.000015), "0.000015");
    EXPECT_EQ(NumberText(-1.25e-12), "-0.00000000000125");
    EXPECT_EQ(ParseNumber(NumberText(5.55e-17)), 5.55e-17);
}

TEST(NumberText, NonFiniteValuesHaveNoText) {
    EXPECT_EQ(NumberText(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(NumberText(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(FormatNumber, FixedDecimalsWithoutLeadingZero) {
    EXPECT_EQ(FormatNumber("2.0833", "##.00"), "2.08");
    EXPECT_EQ(FormatNumber("-0.5", "##.00"), "-.50");
    EXPECT_EQ(FormatNumber("0", "##.00"), ".00");
    EXPECT_EQ(FormatNumber("12.4", "##.00"), "12.40");
    EXPECT_EQ(FormatNumber("0.5", "##.00"), ".50");
    EXPECT_EQ(FormatNumber("-14", "##.00"), "-14.00");
    EXPECT_EQ(FormatNumber(" 5 ", "##.00"), "5.00");
    EXPECT_EQ(FormatNumber("1e20", "##.00"), "100000000000000000000.00");
}

TEST(FormatNumber, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    // 2.675 and 0.285 are stored just below the half; the user wrote the half.
    EXPECT_EQ(FormatNumber("2.675", "##.00"), "2.68");
    EXPECT_EQ(FormatNumber("-2.675", "##.00"), "-2.68");
    EXPECT_EQ(FormatNumber("0.285", "##.00"), ".29");
    EXPECT_EQ(FormatNumber("0.125", "##.00"), ".13");
    EXPECT_EQ(FormatNumber("1.005", "##.00"), "1.01");
    EXPECT_EQ(FormatNumber("2.6749", "##.00"), "2.67");
    EXPECT_EQ(FormatNumber("1.23456789012345678", "##.00"), "1.23");
}

TEST(FormatNumber, CarriesIntoNewDigits) {
    EXPECT_EQ(FormatNumber("9.995", "##.00"), "10.00");
    EXPECT_EQ(FormatNumber("-99.999", "##.00"), "-100.00");
    EXPECT_EQ(FormatNumber("0.995", "##.00"), "1.00");
    EXPECT_EQ(FormatNumber("0.005", "##.00"), ".01");
    EXPECT_EQ(FormatNumber("0.00999", "##.00"), ".01");
}

TEST(FormatNumber, ValuesRoundingToZeroLoseTheirSign) {
    EXPECT_EQ(FormatNumber("-0.004", "##.00"), ".00");
    EXPECT_EQ(FormatNumber("-0", "##.00"), ".00");
    EXPECT_EQ(FormatNumber("-0.0000001", "##.00"), ".00");
    EXPECT_EQ(FormatNumber("-0.005", "##.00"), "-.01");
}

TEST(FormatNumber, LengthenedPatternsGiveMoreDecimals) {
    EXPECT_EQ(FormatNumber("-12.5", "##.00000"), "-12.50000");
    EXPECT_EQ(FormatNumber("1.23456789", "##.0000"), "1.2346");
    EXPECT_EQ(FormatNumber("0.00005", "##.0000"), ".0001");
    EXPECT_EQ(FormatNumber("99.72", "##.000000"), "99.720000");
}

TEST(FormatNumber, EmptyStaysEmptyAndOtherTextsPassThrough) {
    EXPECT_EQ(FormatNumber("", "##.00"), "");
    EXPECT_EQ(FormatNumber("Error", "##.00"), "Error");
    EXPECT_EQ(FormatNumber("Btwn Pts", "##.000"), "Btwn Pts");
    EXPECT_EQ(FormatNumber("12,5", "##.00"), "12,5");
}

TEST(FormatValue, FormatsComputedValuesLikeTheirText) {
    EXPECT_EQ(FormatValue(-25.0 / 12, "##.00"), "-2.08");
    EXPECT_EQ(FormatValue(1.005, "##.00"), "1.01");
    EXPECT_EQ(FormatValue(-1e-9, "##.00"), ".00");
    EXPECT_EQ(FormatValue(std::numeric_limits<double>::infinity(), "##.00"), "");
}

TEST(PrintableValue, RefusesWhatHasNoFixedTextWithinTheWidth) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        const char* pattern;
        std::size_t width;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {-2.0833, "##.00", 20, "-2.08"},
        {-0.0, "##.0000", 20, ".0000"},
        {1e-300, "##.00", 20, ".00"},
        {-999999999999999.4, "##.00", 19, "-999999999999999.00"},
        {999999999999999.9, "##.00", 20, std::nullopt},  // rounds to 1E+15
        {1e15, "##.00", 20, std::nullopt},
        {1e308, "##.00", 400, std::nullopt},
        {kInfinity, "##.00", 20, std::nullopt},
        {-kInfinity, "##.00", 20, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), "##.00", 20, std::nullopt},
        {12345678.5, "##.0000000000", 20, "12345678.5000000000"},
        {1234567890.5, "##.0000000000", 20, std::nullopt},  // 21 characters
        {0, "##.0000000000000000000", 20, ".0000000000000000000"},
        {0, "##.00000000000000000000", 20, std::nullopt},
        {0, "##.00", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrintableValue(c.value, c.pattern, c.width), c.expected)
            << c.value << " with " << c.pattern << " in " << c.width;
    }
}

}  // namespace
}  // namespace corvane
