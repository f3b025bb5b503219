#include "grades/offset_points.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "grades/slopes.h"
#include "roadway_builder.h"

namespace corvane::testing {
namespace {

using Pair =
    std::array<std::string, 2>;  // a request (from, distance) or a point (offset, elevation)

// One station alone on its roadway (on the left side), the offset points asked
// for it, and what the slopes and offset points make of it. Texts that are not
// computed stay empty, as do results that have no plain text fitting a report
// cell: they never garble a cell.
struct Case {
    const char* what;
    RoadwayType type;
    Texts offsets;
    Texts elevations;
    Pair left;  // choice and distance; an empty choice is not asked for
    Pair right;
    std::string numberFormat;
    Texts order;  // the point codes after the slopes
    Texts slopes;
    Pair leftPoint;  // offset and elevation
    Pair rightPoint;
};

const std::string kLast = kFromLastPoint;
const std::string kCenter = kFromCenterLine;
const Texts kCrown{"-12", "0", "12"};  // slopes 2.00 and -2.00
const Texts kCrownElevations{"99.76", "100.00", "99.76"};
const Texts kCrownSlopes{"2.00", "-2.00", ""};
const Texts kThree{"P0", "P1", "P2"};

// clang-format off
const Case kCases[] = {
    {"from the last point", kUndivided, kCrown, kCrownElevations, {kLast, "2"}, {kLast, "2"},
     "##.00000", kThree, kCrownSlopes, {"-14", "99.72"}, {"14", "99.72"}},
    {"from the centre line", kUndivided, kCrown, kCrownElevations, {kCenter, "-20"},
     {kCenter, "20"}, "##.00000", kThree, kCrownSlopes, {"-20", "99.92"}, {"20", "99.6"}},
    {"not beyond the outermost point", kUndivided, kCrown, kCrownElevations, {kCenter, "-12"},
     {kCenter, "12"}, "##.00000", kThree, kCrownSlopes, {"Error", "Btwn Pts"},
     {"Error", "Btwn Pts"}},
    {"not beyond, inside", kUndivided, kCrown, kCrownElevations, {kCenter, "0"}, {kCenter, "5"},
     "##.00000", kThree, kCrownSlopes, {"Error", "Btwn Pts"}, {"Error", "Btwn Pts"}},
    {"undivided: the left offset as typed", kUndivided, {"25", "35"}, {"100", "101"},
     {kCenter, "20"}, {"", ""}, "##.0000", {"P0", "P1"}, {"10.00", ""}, {"20", "100.5"}, {"", ""}},
    {"divided: the left offset's sign turned", kDivided, {"25", "35"}, {"100", "101"},
     {kCenter, "20"}, {"", ""}, "##.0000", {"P0", "P1"}, {"10.00", ""}, {"-20", "100.5"}, {"", ""}},
    {"outer segments too narrow for a slope", kUndivided, {"-12.1", "-12", "12", "12.1"},
     {"1", "2", "2", "1"}, {kLast, "2"}, {kCenter, "20"}, "##.000", {"P0", "P1", "P2", "P3"},
     {"", ".00", "", ""}, {"-14.1", ""}, {"20", ""}},
    {"a single point", kUndivided, {"3"}, {"100"}, {kLast, "2"}, {kCenter, "20"}, "##.000", {"P0"},
     {""}, {"1", ""}, {"20", ""}},
    {"other choice texts ask for nothing", kUndivided, kCrown, kCrownElevations,
     {"from last point", "2"}, {"From Center Line ", "20"}, "##.00000", kThree, kCrownSlopes,
     {"", ""}, {"", ""}},
    {"a distance that is not a number", kUndivided, kCrown, kCrownElevations, {kLast, "2m"},
     {kLast, "2"}, "##.00000", kThree, kCrownSlopes, {"", ""}, {"14", "99.72"}},
    {"1e308 as the distances", kUndivided, kCrown, kCrownElevations, {kLast, "1e308"},
     {kLast, "1e308"}, "##.00000", kThree, kCrownSlopes, {"", ""}, {"", ""}},
    {"1e23 from the centre line", kUndivided, kCrown, kCrownElevations, {kCenter, "-1e23"},
     {kCenter, "1e23"}, "##.00000", kThree, kCrownSlopes, {"", ""}, {"", ""}},
    {"distances at the fifteen-digit limit", kUndivided, {"0", "12"}, {"100", "100"},
     {kCenter, "-999999999999999.9"}, {kCenter, "999999999999999"}, "##.000", {"P0", "P1"},
     {".00", ""}, {"", ""}, {"999999999999999", "100"}},
    {"a slope of 1E+15 or more", kUndivided, {"0", "0.3", "12"}, {"100", "1e13", "1e13"},
     {kLast, "2"}, {kLast, "1"}, "##.000", kThree, {"", ".00", ""}, {"-2", ""},
     {"13", "10000000000000"}},
    {"an offset-point elevation of 1E+15 or more", kUndivided, {"0", "10"}, {"0", "1e12"},
     {kLast, "1"}, {kLast, "1e4"}, "##.000", {"P0", "P1"}, {"10000000000000.00", ""},
     {"-1", "-100000000000"}, {"10010", ""}},
    {"-0 in the file and as a distance", kUndivided, {"-0", "12"}, {"-0", "0"}, {kLast, "2"},
     {kLast, "-0"}, "##.0000", {"P0", "P1"}, {".00", ""}, {"-2", "0"}, {"12", "0"}},
    {"nan and inf in the file", kUndivided, {"nan", "0", "12"}, {"100", "inf", "99.76"},
     {kLast, "2"}, {kLast, "2"}, "##.00000", kThree, {"", "", ""}, {"", ""}, {"14", ""}},
    {"1e308 in the file", kUndivided, {"-1e308", "0", "1e308"}, {"1", "2", "1e308"}, {kLast, "2"},
     {kCenter, "5"}, "##.00000000", kThree, {".00", "", ""}, {"", ""}, {"Error", "Btwn Pts"}},
    {"a run that overflows", kUndivided, {"-1e308", "1e308"}, {"100", "100"}, {kLast, "1e308"},
     {kLast, "1e308"}, "##.00000000", {"P0", "P1"}, {"", ""}, {"", ""}, {"", ""}},
    {"a number format too long for a cell", kUndivided, {"-12.000000000000000000", "0", "12"},
     kCrownElevations, {kLast, "2"}, {kLast, "2"}, "##.00000000000000000000", kThree, kCrownSlopes,
     {"", ""}, {"", ""}},
    {"divided, 1e308 first moves before the last", kDivided, {"1e308", "2", "4", "6"},
     {"100", "100", "100", "100"}, {kLast, "1"}, {kLast, "1"}, "##.0000000",
     {"P1", "P2", "P0", "P3"},
     {".00", ".00", ".00", ""}, {"1", "100"}, {"7", "100"}},
    {"divided, -0 counts as equal to 0", kDivided, {"0", "-0", "5"}, {"1", "1", "2"},
     {kCenter, "-3"}, {kCenter, "5"}, "##.000", {"P1", "P0", "P2"}, {"", "20.00", ""}, {"3", ""},
     {"Error", "Btwn Pts"}},
    {"divided, inf first stays first", kDivided, {"inf", "2", "4"}, {"1", "1", "1"}, {kLast, "1"},
     {kLast, "1"}, "##.00000", kThree, {"", ".00", ""}, {"", ""}, {"5", "1"}},
};
// clang-format on

OffsetRequest RequestOf(const Pair& request) {
    return {!request[0].empty(), request[1], request[0]};
}

TEST(AddOffsetPoints, ContinueTheOutermostSlopesAndNeverGarbleACell) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        SlopedRoadway sloped =
            CalculateSlopes(RoadwayOf(c.type, {StationAt(c.offsets, c.elevations)}, {Station{}}));
        const Roadway roadway =
            AddOffsetPoints(std::move(sloped.Roadway), {RequestOf(c.left), RequestOf(c.right)},
                            sloped.NumberFormat);
        const Station& station = roadway.Left[0];
        EXPECT_EQ(sloped.NumberFormat, c.numberFormat);
        EXPECT_EQ(Column(station, &Point::Code), c.order);
        EXPECT_EQ(Column(station, &Point::Slope), c.slopes);
        EXPECT_EQ((Pair{station.LeftOffsetPt.Offset, station.LeftOffsetPt.Elevation}), c.leftPoint);
        EXPECT_EQ((Pair{station.RightOffsetPt.Offset, station.RightOffsetPt.Elevation}),
                  c.rightPoint);
    }
}

// Each side of a divided roadway gets both points from its own points;
// message stations and sides not asked for keep what they had.
TEST(AddOffsetPoints, EachSideFromItsOwnPointsMessagesAndUnaskedSidesUntouched) {
    Station message = StationAt({"1", "2"}, {"1", "2"});
    message.MessageKind = "MESSAGE";
    message.LeftOffsetPt = {"a", "b"};
    Station left = StationAt({"-24", "-12"}, {"99", "100"});
    left.RightOffsetPt = {"c", "d"};
    SlopedRoadway sloped = CalculateSlopes(
        RoadwayOf(kDivided, {left, message}, {StationAt({"12", "24"}, {"100", "99.5"}), message}));
    const Roadway roadway = AddOffsetPoints(
        std::move(sloped.Roadway), {{true, "1", kLast}, {false, "4", kLast}}, sloped.NumberFormat);
    const auto text = [](const OffsetPoint& point) { return point.Offset + " " + point.Elevation; };
    EXPECT_EQ(text(roadway.Left[0].LeftOffsetPt) + ", " + text(roadway.Right[0].LeftOffsetPt),
              "-25 98.9167, 11 100.0417");
    EXPECT_EQ(text(roadway.Left[0].RightOffsetPt) + ", " + text(roadway.Right[0].RightOffsetPt),
              "c d,  ");
    EXPECT_EQ(text(roadway.Left[1].LeftOffsetPt) + text(roadway.Right[1].LeftOffsetPt), "a ba b");
}

}  // namespace
}  // namespace corvane::testing
