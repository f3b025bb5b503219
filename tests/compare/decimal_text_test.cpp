// Exact differences of number texts and the tolerance.
#include "compare/decimal_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DecimalTextTest, DifferencesAreExactWithTheFinerDecimalsAndTheirSign) {
    const struct {
        const char* from;
        const char* to;
        const char* difference;  // to - from
    } cases[] = {
        {"100.77", "100.81", "+0.04"},
        {"53.7", "53.700", "0.000"},
        {"53.7350", "53.76", "+0.0250"},
        {"-23.500", "-23.5", "0.000"},
        {"12", "-12", "-24"},
        {"-0.5", ".5", "+1.0"},
        {"0.1", "0.3", "+0.2"},
        {"99.99", "100", "+0.01"},
        {"-99.99", "-100", "-0.01"},
        {"0.0001", "-0.0001", "-0.0002"},
        {"+5", "5.", "0"},
        {"-0", "0.00", "0.00"},
        {" 7.5 ", "\t8", "+0.5"},
        {"-3", "-5", "-2"},
        {"-5", "-3", "+2"},
        {"007.50", "7.5", "0.00"},
        {"1", "100000000000000000000001", "+100000000000000000000000"},
        {"0.999999999999999999", "1", "+0.000000000000000001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        const auto from = ParseDecimal(c.from);
        const auto to = ParseDecimal(c.to);
        ASSERT_TRUE(from && to);
        EXPECT_EQ(SignedDecimalText(Difference(*from, *to)), c.difference);
    }
}

TEST(DecimalTextTest, TextsThatAreNoNumberAndTolerances) {
    for (const char* text : {"", " ", "-", ".", "+.", "1e5", "nan", "1.2.3", "Error", "1 2", "+-1",
                             "Btwn Pts", "0x10", "5%"}) {
        EXPECT_FALSE(ParseDecimal(text)) << text;
    }
    for (const char* text : {"0", "-0", "0.005", " 2 "}) {
        EXPECT_TRUE(ParseTolerance(text)) << text;
    }
    for (const char* text : {"-0.001", "abc", "1e-3", ""}) {
        EXPECT_FALSE(ParseTolerance(text)) << text;
    }
    EXPECT_EQ(ParseTolerance(" 2 ")->Text, "2");
}

TEST(DecimalTextTest, ChangesBeyondTheToleranceAndTextsComparedAsTexts) {
    const struct {
        const char* oldText;
        const char* newText;
        const char* tolerance;
        const char* difference;
        bool beyond;
    } cases[] = {
        {"53.7350", "53.7600", "0", "+0.0250", true},
        {"53.7", "53.700", "0", "0.000", false},
        {"10.000", "10.005", "0.005", "+0.005", false},
        {"10.000", "10.0051", "0.005", "+0.0051", true},
        {"10", "9.994", "0.005", "-0.006", true},
        {"10", "9.995", "0.0050", "-0.005", false},
        {"Error", "Error", "0", "same", false},
        {"Error", "Btwn Pts", "1", "changed", true},
        {"5", "Error", "100", "changed", true},
        {"", "", "0", "same", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.oldText) + " -> " + c.newText + " within " + c.tolerance);
        const TextChange change =
            CompareNumberTexts(c.oldText, c.newText, *ParseTolerance(c.tolerance));
        EXPECT_EQ(change.Difference, c.difference);
        EXPECT_EQ(change.BeyondTolerance, c.beyond);
    }
}

}  // namespace
}  // namespace corvane
