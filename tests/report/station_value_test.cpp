// Station texts read as exact values, odd texts included.
#include "report/station_value.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/sample_books.h"

namespace corvane {
namespace {

// The value of each text, formatted, and its tag; "none" when it has no value.
TEST(StationValueTest, TextsAndTheirValues) {
    // text, k, the value ("none": no value) and the tag
    using Case = std::tuple<std::string, int, std::string, std::string>;
    // clang-format off
    const std::vector<Case> cases{
        {"512+50.00", 2, "51250.00", ""}, {"-0+50", 2, "-50", ""}, {"-1+50", 2, "-150", ""},
        {"+1+50", 2, "150", ""}, {"10+250.000", 3, "10250.000", ""}, {"512+5", 2, "51205", ""},
        {"2389+00.00 R1", 2, "238900.00", "R1"}, {" 1040+00.00 \tEB  ", 2, "104000.00", "EB"},
        {"-0+00.50", 2, "-0.50", ""},
        {"512+500", 2, "none", ""},  // more integer digits in B than the file's stations
        {"5+", 2, "none", ""}, {"+5", 2, "none", ""}, {"512+5O.00", 2, "none", ""},
        {"512+50.", 2, "none", ""}, {"512+50.00EB", 2, "none", ""}, {"STA 5", 2, "none", ""},
        {"", 2, "none", ""}, {"EB", 2, "none", ""}, {"512 + 50", 2, "none", ""},
        {"512 +50", 2, "none", ""},
        {"92233720368547758+07", 2, "9223372036854775807", ""},  // the most an int64 holds
        {"92233720368547758+08", 2, "none", ""},
        {"1+00.000000000000000001", 2, "none", ""},  // 19 decimals
        {"0+00.000000000000000001", 2, "0.000000000000000001", ""}};
    // clang-format on
    for (const auto& [text, k, value, tag] : cases) {
        const std::optional<TaggedStation> station = StationValueOf(text, k);
        EXPECT_EQ(station ? FormatStationValue(station->Value) : "none", value) << text;
        EXPECT_EQ(station ? station->Tag : "", tag) << text;
    }
}

TEST(StationValueTest, ValuesCompareByWorthWhateverTheirDecimals) {
    const auto value = [](const char* text) { return StationValueOf(text, 2)->Value; };
    EXPECT_EQ(value("512+50.0"), value("512+50.00"));
    EXPECT_EQ(value("-0+00"), value("0+00.0"));
    EXPECT_LT(value("512+49.999"), value("512+50"));
    EXPECT_LT(value("-1+50.5"), value("-1+50.25"));
    EXPECT_LT(value("-0+99.9"), value("0+00.1"));
    EXPECT_GT(value("513+00"), value("512+99.99999999"));
}

// k is that of the first station with a value, on the first side with one.
TEST(StationValueTest, StationDigitsOfTheFirstStationWithAValue) {
    using test::BookOfStations;
    EXPECT_EQ(StationDigitsOf(
                  BookOfStations({"", "STA", "1+0000000000000000000000", "10+250.000", "5+1"})),
              3);
    EXPECT_EQ(StationDigitsOf(BookOfStations({"", "EB"})), std::nullopt);
    EXPECT_EQ(StationDigitsOf({BookOfStations({"x"}), BookOfStations({"7+5 SB"})}), 1);
}

}  // namespace
}  // namespace corvane
