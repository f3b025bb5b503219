// Numbers held as text, and the grade stages (slopes, offset points, points kept)
// on roadways built in memory the way the readers leave them.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "grades/number_text.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "grades/quick_decimals.h"
#include "grades/slopes.h"

namespace corvane {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ParseNumber, ReadsDecimalNumbersOnly) {
    // clang-format off
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
             {"12.5", 12.5}, {"  -7.2500\t", -7.25}, {"+3", 3.0}, {"-.5", -0.5}, {"5.", 5.0},
             {"1e3", 1000.0}, {"1.5E-2", 0.015}, {"2e+2", 200.0},
             {"44667375401.9253275", 44667375401.9253275},  // beyond 2^53: the digits decide
             {"1234567890123456789", 1234567890123456789.0}}) {
        // clang-format on
        EXPECT_EQ(ParseNumber(text), value) << text;
    }
    for (const char* text :
         {"",    "   ", ".",    "-",   "+",   "1,5", "12a",   "e5",    "1e",       "1e+",
          "inf", "nan", "0x10", "1 2", "--1", "+-1", "1.2.3", "Error", "Btwn Pts", "1e999"}) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << '"' << text << '"';
    }
}

// The shortest text of 15 significant digits, no sign on zero, an exponent
// only beyond fifteen integer digits, nothing for what is not finite.
TEST(NumberText, GivesTheShortestTextOfFifteenSignificantDigits) {
    // clang-format off
    for (const auto& [value, text] : std::initializer_list<std::pair<double, const char*>>{
             {-14, "-14"}, {99.72, "99.72"}, {0.1 + 0.2, "0.3"}, {-0.5, "-0.5"},
             {99.76 - 2.0 * 2.0 / 100, "99.72"}, {1.0 / 3, "0.333333333333333"},
             {2.0 / 3, "0.666666666666667"}, {123456789.123456789, "123456789.123457"},
             {1000, "1000"}, {0.0, "0"}, {-0.0, "0"}, {999999999999999, "999999999999999"},
             {1e15, "1E+15"}, {-2.5e20, "-2.5E+20"}, {0.000015, "0.000015"},
             {-1.25e-12, "-0.00000000000125"}, {kInfinity, ""}, {kNaN, ""}}) {
        // clang-format on
        EXPECT_EQ(NumberText(value), text) << text;
    }
    EXPECT_EQ(ParseNumber(NumberText(5.55e-17)), 5.55e-17);
}

// Over values of every size and digit count, the text reads back as the value
// rounded to 15 significant digits (as printf rounds it), written plainly
// without trailing zeros below 1E+15.
TEST(NumberText, AgreesWithPrintfOverManyValues) {
    std::mt19937_64 random(20261207);
    for (int n = 0; n < 20000; ++n) {
        const int digits = std::uniform_int_distribution<int>(1, 17)(random);
        const int exponent = std::uniform_int_distribution<int>(-12, 16)(random);
        const double value =
            (random() % 2 ? -1 : 1) * std::stod(std::to_string(random() % 100000000000000000ULL)
                                                    .substr(0, static_cast<std::size_t>(digits)) +
                                                "e" + std::to_string(exponent - digits));
        char rounded[40];
        std::snprintf(rounded, sizeof rounded, "%.14e", value);
        const std::string text = NumberText(value);
        ASSERT_EQ(std::stod(text), std::stod(rounded)) << text << " for " << rounded;
        if (std::fabs(std::stod(rounded)) < 1e15 && text.find('.') != std::string::npos) {
            ASSERT_NE(text.back(), '0') << text;
            ASSERT_EQ(text.find('E'), std::string::npos) << text;
        }
    }
}

// Fixed decimals without a leading zero, carrying into new digits; a text that
// is not a number passes through. Plain decimals of up to fifteen digits, half
// away from zero on the value written and never "-.00", are QuickDecimals' part.
TEST(FormatNumber, FixedDecimalsAsTheReportPrintsThem) {
    using Case = std::tuple<const char*, const char*, const char*>;  // text, formatted, pattern
                                                                     // clang-format off
    for (const auto& [text, formatted, pattern] : std::initializer_list<Case>{
             {"9.995", "10.00", "##.00"}, {" 5 ", "5.00", "##.00"}, {"", "", "##.00"},
             {"Error", "Error", "##.00"},
             {"12,5", "12,5", "##.00"}, {"1e20", "100000000000000000000.00", "##.00"},
             {"1.23456789012345678", "1.23", "##.00"}, {"1.23456789", "1.2346", "##.0000"},
             {"0.00005", ".0001", "##.0000"}, {"99.72", "99.720000", "##.000000"},
             {"Btwn Pts", "Btwn Pts", "##.000"},
             // Past the fast path's decimals the general rounder takes over.
             {"0.000000000000005", ".00000000000001", "##.00000000000000"},
             {"-0.000000000000004", ".00000000000000", "##.00000000000000"},
             {"0.999999999999995", "1.00000000000000", "##.00000000000000"}}) {
        // clang-format on
        EXPECT_EQ(FormatNumber(text, pattern), formatted) << text << " " << pattern;
    }
}

TEST(PrintableValue, RefusesWhatHasNoFixedTextWithinTheWidth) {
    const std::optional<std::string> none;
    // clang-format off
    for (const auto& [value, pattern, width, expected] : std::initializer_list<
             std::tuple<double, const char*, std::size_t, std::optional<std::string>>>{
             {-25.0 / 12, "##.00", 20, "-2.08"}, {1.005, "##.00", 20, "1.01"},
             {-1e-9, "##.00", 20, ".00"}, {-0.0, "##.0000", 20, ".0000"},
             {-999999999999999.4, "##.00", 19, "-999999999999999.00"},
             {999999999999999.9, "##.00", 20, none},  // rounds to 1E+15
             {1e15, "##.00", 20, none}, {1e308, "##.00", 400, none}, {kInfinity, "##.00", 20, none},
             {kNaN, "##.00", 20, none}, {12345678.5, "##.0000000000", 20, "12345678.5000000000"},
             {1234567890.5, "##.0000000000", 20, none},  // 21 characters
             {0, "##.0000000000000000000", 20, ".0000000000000000000"},
             {0, "##.00000000000000000000", 20, none}, {0, "##.00", 0, none},
             {123.456, "##.00", 6, "123.46"}, {1234.5, "##.00", 6, none},
             {12345678901.5, "##.0000", 20, "12345678901.5000"}}) {
        // clang-format on
        EXPECT_EQ(PrintableValue(value, pattern, width), expected)
            << value << " with " << pattern << " in " << width;
        // Into a compact text, as slopes are printed, the same.
        CompactText compact("stale");
        EXPECT_EQ(PrintValueInto(value, FixedPattern(pattern), width, compact),
                  expected.has_value());
        EXPECT_EQ(compact, expected.value_or(""))
            << value << " with " << pattern << " in " << width;
    }
}

// The fast paths of quick_decimals.h must agree with the general conversions
// to the last bit and the last digit: many generated decimals of up to 15
// significant digits are parsed and rounded, and checked against from_chars
// and against rounding the digits by hand (half up, written as the report does).
TEST(QuickDecimals, AgreeWithTheGeneralConversions) {
    std::mt19937 random(20240601);
    for (int n = 0; n < 20000; ++n) {
        const int count = std::uniform_int_distribution<int>(1, 15)(random);
        const int decimals = std::uniform_int_distribution<int>(0, count)(random);
        const bool negative = random() % 2;
        std::string digits;
        for (int k = 0; k < count; ++k) {
            digits += static_cast<char>('0' + random() % 10);
        }
        const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
        const std::string text = (negative ? "-" : "") + digits.substr(0, whole) +
                                 (decimals > 0 ? "." + digits.substr(whole) : "");
        double exact = 0;
        std::from_chars(text.data(), text.data() + text.size(), exact);
        ASSERT_EQ(ParsePlainDecimal(text), exact) << text;
        for (const int places : {2, 3, 5}) {
            // The digits with `places` decimals, the first one dropped rounding up.
            std::string kept = digits + std::string(std::max(places - decimals, 0), '0');
            if (decimals > places) {
                const std::size_t length = whole + static_cast<std::size_t>(places);
                kept = std::to_string(std::stoll("0" + digits.substr(0, length)) +
                                      (digits[length] >= '5' ? 1 : 0));
            }
            kept.insert(0, std::max(places + 1 - static_cast<int>(kept.size()), 0), '0');
            const std::size_t point = kept.size() - static_cast<std::size_t>(places);
            const std::size_t first = std::min(kept.find_first_not_of('0'), point);
            const bool zero = kept.find_first_not_of('0') == std::string::npos;
            ASSERT_EQ(FormatNumber(text, "##." + std::string(places, '0')),
                      (negative && !zero ? "-" : "") + kept.substr(first, point - first) + "." +
                          kept.substr(point))
                << text;
        }
    }
}

using Texts = std::vector<std::string>;
constexpr RoadwayType kUndivided = RoadwayType::Undivided;
constexpr RoadwayType kDivided = RoadwayType::Divided;
const Texts kFlat(5, "1");  // elevations, as many as the points need

// A station whose points have the given offsets and elevations (as many as
// there are offsets); their codes are the given ones, or P0, P1, ...
Station StationAt(const Texts& offsets, const Texts& elevations, Texts codes = {}) {
    Station station;
    station.Points.clear();
    for (std::size_t j = 0; j < offsets.size(); ++j) {
        const std::string code = j < codes.size() ? codes[j] : "P" + std::to_string(j);
        station.Points.push_back({code, offsets[j], elevations[j], {}});
    }
    return station;
}

// The points of a station in their order, each code with its slope: "P0 2.00, P1".
std::string Points(const Station& station) {
    std::string text;
    for (const Point& point : station.Points) {
        text += (text.empty() ? "" : ", ") + point.Code.str() +
                (point.Slope.empty() ? "" : " " + point.Slope.str());
    }
    return text;
}

// An offset point as "offset elevation", "_" for an empty text.
std::string Text(const OffsetPoint& point) {
    return (point.Offset.empty() ? "_" : point.Offset) + " " +
           (point.Elevation.empty() ? "_" : point.Elevation);
}

// One station on its roadway, then a message station with the same points:
// the first's points P0, P1, ... in their order after the slopes, each with
// its slope; the message station is left as it was.
TEST(CalculateSlopes, SlopeOfEachSegmentOnItsFirstPointAfterOrdering) {
    // clang-format off
    for (const auto& [type, offsets, elevations, points] :
         std::initializer_list<std::tuple<RoadwayType, Texts, Texts, std::string>>{
        // A gap of exactly 0.2 counts on divided roadways only; 10.2 - 10 lies below it.
        {kUndivided, {"0", "0.2"}, {"100", "100.01"}, "P0, P1"},
        {kDivided, {"0", "0.2"}, {"100", "100.01"}, "P0 5.00, P1"},
        {kDivided, {"10", "10.2"}, {"100", "101"}, "P0, P1"},
        // The sign follows the rise, whichever way the offsets go.
        {kUndivided, {"12", "0"}, {"100.25", "100.00"}, "P0 -2.08, P1"},
        {kUndivided, {"8", "2", "4"}, kFlat, "P0 .00, P1 .00, P2"},
        // On a divided roadway the first point goes where its offset puts it, after
        // equal offsets, but never past the last point; slopes follow the new order.
        {kDivided, {"8", "2", "4", "6", "10"}, kFlat, "P1 .00, P2 .00, P3 .00, P0 .00, P4"},
        {kDivided, {"1", "2", "4"}, kFlat, "P0 .00, P1 .00, P2"},
        {kDivided, {"12", "2", "4", "6", "10"}, kFlat, "P1 .00, P2 .00, P3 .00, P0 .00, P4"},
        {kDivided, {"10", "2", "10"}, kFlat, "P1 .00, P0, P2"},
        {kDivided, {"9", "2"}, kFlat, "P0 .00, P1"},
        {kDivided, {"4.0", "2", "4", "4.00", "6"}, kFlat, "P1 .00, P2, P3, P0 .00, P4"},
        {kDivided, {"8", "2", "4", "10"}, {"100.3", "100", "100.1", "100.3"},
         "P1 5.00, P2 5.00, P0 .00, P3"},
        {kDivided, {"3", "1", "4.1"}, {"100", "101", "99.69"}, "P1 -50.00, P0 -28.18, P2"},
    }) {
        // clang-format on
        Station station = StationAt(offsets, elevations);
        for (Point& point : station.Points) {
            point.Slope = "stale";
        }
        Station message = station;
        message.MessageKind = "ERROR";
        const Roadway sloped =
            CalculateSlopes(Roadway{type, {station, message}, {station}}).Roadway;
        EXPECT_EQ(Points(sloped.Left.at(0)), points);
        EXPECT_EQ(Points(sloped.Left.at(1)), Points(message));
    }
}

// One station on its roadway (on the left side, followed by a station whose
// offset has more decimals), the offset points asked for it (choice and
// distance; an empty choice is not asked for), and what the slopes and offset
// points make of it: the number format (grown by the decimals of the first
// offset as written, before any reordering), the points in their order with
// their slopes, the left and the right offset point ("_": empty).
// Texts that are not computed stay empty, as do results that have no plain
// text fitting a report cell: they never garble a cell.
TEST(AddOffsetPoints, ContinueTheOutermostSlopesAndNeverGarbleACell) {
    using Request = std::pair<std::string, std::string>;
    const std::string kLast = "last";
    const std::string kCenter = "centre";
    const Texts kCrown{"-12", "0", "12"};  // slopes 2.00 and -2.00
    const Texts kCrownElevations{"99.76", "100.00", "99.76"};
    // clang-format off
    for (const auto& [what, type, offsets, elevations, left, right, result] :
         std::initializer_list<
             std::tuple<const char*, RoadwayType, Texts, Texts, Request, Request, std::string>>{
    {"from the centre line", kUndivided, kCrown, kCrownElevations, {kCenter, "-20"},
     {kCenter, "20"}, "##.00000: P0 2.00, P1 -2.00, P2; left -20 99.92; right 20 99.6"},
    {"not beyond the outermost point", kUndivided, kCrown, kCrownElevations, {kCenter, "-12"},
     {kCenter, "12"}, "##.00000: P0 2.00, P1 -2.00, P2; left Error Btwn Pts; right Error Btwn Pts"},
    {"undivided: the left offset as typed", kUndivided, {"25", "35"}, {"100", "101"},
     {kCenter, "20"}, {"", ""}, "##.0000: P0 10.00, P1; left 20 100.5; right _ _"},
    {"divided: the left offset's sign turned", kDivided, {"25", "35"}, {"100", "101"},
     {kCenter, "20"}, {"", ""}, "##.0000: P0 10.00, P1; left -20 100.5; right _ _"},
    {"outer segments too narrow for a slope", kUndivided, {"-12.1", "-12", "12", "12.1"},
     {"1", "2", "2", "1"}, {kLast, "2"}, {kCenter, "20"},
     "##.000: P0, P1 .00, P2, P3; left -14.1 _; right 20 _"},
    {"a first station without points", kUndivided, {}, {}, {kLast, "2"}, {},
     "##.00: ; left _ _; right _ _"},
    {"a single point", kUndivided, {"3"}, {"100"}, {kLast, "2"}, {kCenter, "20"},
     "##.000: P0; left 1 _; right 20 _"},
    {"1e308 as the distances", kUndivided, kCrown, kCrownElevations, {kLast, "1e308"},
     {kLast, "1e308"}, "##.00000: P0 2.00, P1 -2.00, P2; left _ _; right _ _"},
    {"1e23 from the centre line", kUndivided, kCrown, kCrownElevations, {kCenter, "-1e23"},
     {kCenter, "1e23"}, "##.00000: P0 2.00, P1 -2.00, P2; left _ _; right _ _"},
    {"distances at the fifteen-digit limit", kUndivided, {"0", "12"}, {"100", "100"},
     {kCenter, "-999999999999999.9"}, {kCenter, "999999999999999"},
     "##.000: P0 .00, P1; left _ _; right 999999999999999 100"},
    {"a slope of 1E+15 or more", kUndivided, {"0", "0.3", "12"}, {"100", "1e13", "1e13"},
     {kLast, "2"}, {kLast, "1"}, "##.000: P0, P1 .00, P2; left -2 _; right 13 10000000000000"},
    {"an offset-point elevation of 1E+15 or more", kUndivided, {"0", "10"}, {"0", "1e12"},
     {kLast, "1"}, {kLast, "1e4"},
     "##.000: P0 10000000000000.00, P1; left -1 -100000000000; right 10010 _"},
    {"-0 in the file and as a distance", kUndivided, {"-0", "12"}, {"-0", "0"}, {kLast, "2"},
     {kLast, "-0"}, "##.0000: P0 .00, P1; left -2 0; right 12 0"},
    {"nan and inf in the file", kUndivided, {"nan", "0", "12"}, {"100", "inf", "99.76"},
     {kLast, "2"}, {kLast, "2"}, "##.00000: P0, P1, P2; left _ _; right 14 _"},
    {"1e308 in the file", kUndivided, {"-1e308", "0", "1e308"}, {"1", "2", "1e308"}, {kLast, "2"},
     {kCenter, "5"}, "##.00000000: P0 .00, P1, P2; left _ _; right Error Btwn Pts"},
    {"a run that overflows", kUndivided, {"-1e308", "1e308"}, {"100", "100"}, {kLast, "1e308"},
     {kLast, "1e308"}, "##.00000000: P0, P1; left _ _; right _ _"},
    {"a number format too long for a cell", kUndivided, {"-12.000000000000000000", "0", "12"},
     kCrownElevations, {kLast, "2"}, {kLast, "2"},
     "##.00000000000000000000: P0 2.00, P1 -2.00, P2; left _ _; right _ _"},
    {"divided, 1e308 first moves before the last", kDivided, {"1e308", "2", "4", "6"},
     {"100", "100", "100", "100"}, {kLast, "1"}, {kLast, "1"},
     "##.0000000: P1 .00, P2 .00, P0 .00, P3; left 1 100; right 7 100"},
    {"divided, -0 counts as equal to 0", kDivided, {"0", "-0", "5"}, {"1", "1", "2"},
     {kCenter, "-3"}, {kCenter, "5"}, "##.000: P1, P0 20.00, P2; left 3 _; right Error Btwn Pts"},
    {"divided, inf first stays first", kDivided, {"inf", "2", "4"}, {"1", "1", "1"}, {kLast, "1"},
     {kLast, "1"}, "##.00000: P0, P1 .00, P2; left _ _; right 5 1"},
    }) {
        // clang-format on
        SlopedRoadway sloped = CalculateSlopes(Roadway{
            type, {StationAt(offsets, elevations), StationAt({"1.125"}, {"1"})}, {Station{}}});
        const auto request = [&](const Request& r) {
            return OffsetRequest{
                !r.first.empty(), ParseNumber(r.second).value_or(0),
                r.first == kCenter ? OffsetFrom::CenterLine : OffsetFrom::LastPoint};
        };
        const Station station =
            AddOffsetPoints(std::move(sloped.Roadway), {request(left), request(right)},
                            sloped.NumberFormat)
                .Left[0];
        EXPECT_EQ(sloped.NumberFormat + ": " + Points(station) + "; left " +
                      Text(station.LeftOffsetPt) + "; right " + Text(station.RightOffsetPt),
                  result)
            << what;
    }
}

// Message stations and sides not asked for keep what they had.
TEST(AddOffsetPoints, MessagesAndUnaskedSidesUntouched) {
    Station message = StationAt({"1", "2"}, {"1", "2"});
    message.MessageKind = "MESSAGE";
    message.LeftOffsetPt = {"a", "b"};
    Station left = StationAt({"-24", "-12"}, {"99", "100"});
    left.RightOffsetPt = {"c", "d"};
    SlopedRoadway sloped = CalculateSlopes(
        Roadway{kDivided, {left, message}, {StationAt({"12", "24"}, {"100", "99.5"}), message}});
    const Roadway roadway = AddOffsetPoints(
        std::move(sloped.Roadway),
        {{true, 1, OffsetFrom::LastPoint}, {false, 4, OffsetFrom::LastPoint}}, sloped.NumberFormat);
    EXPECT_EQ(Text(roadway.Left[0].RightOffsetPt) + ", " + Text(roadway.Right[0].RightOffsetPt),
              "c d, _ _");
    EXPECT_EQ(Text(roadway.Left[1].LeftOffsetPt) + ", " + Text(roadway.Right[1].LeftOffsetPt),
              "a b, a b");
}

// Only the point types named, as "CL BOC": OFFSET, BR, EOP, JL, BOC, FOC, CL.
PointTypes Only(const std::string& names) {
    const auto on = [&](const std::string& name) {
        return (" " + names + " ").find(" " + name + " ") != std::string::npos;
    };
    // clang-format off
    return {.OffsetPoints = on("OFFSET"), .BreakPoints = on("BR"), .EdgeOfPavement = on("EOP"),
            .JLPoints = on("JL"), .BOCPoints = on("BOC"), .FOCPoints = on("FOC"),
            .CLPoints = on("CL")};
    // clang-format on
}

// Points with the given codes at offsets 0, 10, 20, ..., elevations 100, 101, ...
Station Coded(const Texts& codes) {
    Station station = StationAt({}, {});
    for (std::size_t j = 0; j < codes.size(); ++j) {
        station.Points.push_back({codes[j], std::to_string(10 * j), std::to_string(100 + j), {}});
    }
    return station;
}

// What is kept of one station alone on its roadway with the given types,
// its slopes computed first as the books do.
Selection Kept(const Station& station, const PointTypes& types, RoadwayType type = kUndivided) {
    RecordingMessages messages;
    std::optional<Selection> selection =
        SelectPoints(CalculateSlopes(Roadway{type, {station}, {}}).Roadway, types, messages);
    EXPECT_TRUE(selection && messages.shown.empty());
    return selection.value_or(Selection{});
}

// The offset points asked for are shown as the "Offset Points" box says, or
// always when every point is kept.
TEST(SelectPoints, KeepsTheCodesOfTheTickedTypes) {
    // clang-format off
    for (const auto& [codes, types, kept] :
         std::initializer_list<std::tuple<Texts, PointTypes, Texts>>{
             // Only the edge of pavement test compares letters as they are.
             {{"CL", "LtSgEOP", "lteop", "RtSgEOP", "EOPx"}, Only("EOP"), {"LtSgEOP", "RtSgEOP", "EOPx"}},
             {{"br", "BR", "Brk", "CL"}, Only("BR"), {"br", "BR", "Brk"}},
             {{"CL", "XCL", "cl1", "C L"}, Only("CL"), {"CL", "XCL", "cl1"}},
             {{"jl", "FOC", "Boc"}, Only("JL"), {"jl"}},
             {{"jl", "foc", "Boc"}, Only("FOC"), {"foc"}},
             {{"jl", "FOC", "Boc"}, Only("BOC"), {"Boc"}},
             // A point of several types is kept once a type, in the order of the types.
             {{"CL", "BOCCL", "BOC", "x"}, Only("BOC CL BR"), {"CL", "BOCCL", "BOCCL", "BOC"}},
             {{"BRCL"}, PointTypes{}, {"BRCL", "BRCL"}},
             // Nothing kept shows as one empty point.
             {{"CL", "BOC"}, Only("OFFSET"), {""}},
             {{}, PointTypes{}, {""}},
             // Thirty-one copies fit.
             {Texts(31, "CL"), Only("CL"), Texts(31, "CL")},
         }) {
        // clang-format on
        const Selection selection = Kept(Coded(codes), types);
        Texts codesKept;
        for (const Point& point : selection.Roadway.Left.at(0).Points) {
            codesKept.push_back(point.Code.str());
        }
        EXPECT_EQ(codesKept, kept) << codes.size();
        EXPECT_EQ(selection.Roadway.Left.at(0).Points.back().Slope, "");
        EXPECT_EQ(selection.ShowOffsetPoints, types.OffsetPoints);
    }
    EXPECT_TRUE(KeepAllPoints(Roadway{kDivided, {Coded({"x"})}, {Station{}}}).ShowOffsetPoints);
}

TEST(SelectPoints, KeptPointsGetSlopesOfTheirOwnAndKeepTheirStation) {
    const auto kept = [](const Station& station, RoadwayType type = kUndivided) {
        return Kept(station, Only("CL BOC"), type).Roadway.Left.at(0);
    };
    // The EOP at 0.1 lies between the CL and the BOC.
    Station station = StationAt({"0", "0.1", "12", "24"}, {"100", "90", "100.25", "100.25"},
                                {"CL", "EOP", "BOC", "FOC"});
    station.StationText = "2389+00.00 R1";
    station.LeftOffsetPt = {"-14", "99.72"};
    station.Points[0].Slope = "-100.00";
    Station chosen = kept(station);
    EXPECT_EQ(Points(chosen), "CL 2.08, BOC");
    EXPECT_EQ(chosen.StationText + chosen.LeftOffsetPt.Offset, "2389+00.00 R1-14");
    // Duplicates have no slope between them.
    chosen = kept(StationAt({"0", "5", "10"}, {"100", "1", "101"}, {"BOCCL", "X", "CL"}));
    EXPECT_EQ(Points(chosen), "BOCCL, BOCCL 10.00, CL");
    // The gap rule is that of the roadway type.
    const Station narrow = StationAt({"0", "0.2"}, {"100", "100.01"}, {"CL", "CL"});
    EXPECT_EQ(Points(kept(narrow)) + "; " + Points(kept(narrow, kDivided)), "CL, CL; CL 5.00, CL");
    // A message station keeps its message; its points are tested, and get no slopes.
    station.MessageKind = "ERROR";
    station.MessageText = "Bad section";
    chosen = kept(station);
    EXPECT_EQ(chosen.MessageKind + " " + chosen.MessageText, "ERROR Bad section");
    EXPECT_EQ(Points(chosen), "CL, BOC");
}

// A kept point keeps the slope it came with only where its neighbour is kept
// after it; every other segment is computed for the kept points, so the
// slopes are those the kept points would get computed afresh.
TEST(SelectPoints, SlopesCarriedOverAreThoseComputedAfresh) {
    // clang-format off
    for (const auto& [codes, types] : std::initializer_list<std::pair<Texts, std::string>>{
             {{"CL", "BR", "X", "BR", "X", "X", "CL"}, "CL BR"},
             {{"X", "BR", "BR", "X"}, "BR"},
             {{"BOCCL", "X", "CL", "BOC", "BR"}, "CL BOC BR"},  // copies, out of order
             {{"BR", "CL", "BR"}, "CL"},
             {{"X", "X", "BR"}, "BR"},
             {{"BR", "BR", "BR", "BR"}, "BR"},
         }) {
        // clang-format on
        for (const RoadwayType type : {kUndivided, kDivided}) {
            Texts offsets;
            Texts elevations;
            for (std::size_t j = 0; j < codes.size(); ++j) {
                offsets.push_back(std::to_string(3 * j + (j % 2 == 0 ? 0 : 1)) + ".25");
                elevations.push_back(std::to_string(100 + (j * 7) % 5) + ".1" + std::to_string(j));
            }
            const Station station = StationAt(offsets, elevations, codes);
            Station kept = Kept(station, Only(types), type).Roadway.Left.at(0);
            Station afresh = kept;
            for (std::size_t j = 0; j + 1 < afresh.Points.size(); ++j) {
                CalculateSegmentSlope(afresh.Points, j, type);
            }
            EXPECT_EQ(Points(kept), Points(afresh)) << types;
        }
    }
    // Where the neighbour is kept the slope travels as it is, whatever it says.
    Station given =
        StationAt({"0", "5", "10", "15"}, {"100", "101", "102", "110"}, {"CL", "CL", "X", "CL"});
    given.Points[0].Slope = "carried";
    given.Points[1].Slope = "stale";
    given.Points[3].Slope = "last";
    RecordingMessages messages;
    const std::optional<Selection> selection =
        SelectPoints(Roadway{kUndivided, {given}, {}}, Only("CL"), messages);
    ASSERT_TRUE(selection);
    EXPECT_EQ(Points(selection->Roadway.Left.at(0)), "CL carried, CL 90.00, CL");
}

TEST(SelectPoints, MoreThanThirtyOneCopiesStopTheRunNamingTheStation) {
    Station crowded = Coded(Texts(16, "BOCCL"));
    crowded.StationText = "12+50.00";
    RecordingMessages messages;
    EXPECT_FALSE(SelectPoints(Roadway{kDivided, {Coded({"CL"})}, {Coded({"CL"}), crowded}},
                              Only("CL BOC"), messages));
    EXPECT_FALSE(SelectPoints(Roadway{kUndivided, {crowded}, {}}, Only("CL BOC"), messages));
    EXPECT_EQ(messages.shown,
              (Texts{"Program Error: Subscript out of range: station \"12+50.00\" (right side) has "
                     "more than 31 points to report occured in FilterPoints",
                     "Program Error: Subscript out of range: station \"12+50.00\" has more than 31 "
                     "points to report occured in FilterPoints"}));
}

}  // namespace
}  // namespace corvane
