#include "grades/offset_points.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "grades/number_text.h"
#include "grades/slopes.h"
#include "section_builder.h"

namespace corvane {
namespace {

using testing::MakeTables;
using testing::PointsAt;
using testing::SetPoints;
using testing::SettingsFor;

// Offsets -12, 0, 12 at elevations 99.76, 100.00, 99.76: slopes 2.00 and -2.00.
void SetCrownedSection(CrossSection& section) {
    SetPoints(section, PointsAt({"-12", "0", "12"}, {"99.76", "100.00", "99.76"}));
}

class OffsetPointsTest : public ::testing::Test {
  protected:
    // Runs both computations on station 0 of the given roadway, as the run does.
    void Compute(const std::string& roadwayType) {
        settings.RoadwayType = roadwayType;
        CalculateSlopes(tables, settings);
        CalculateOffsetPoints(tables, settings);
    }
    void AskLeft(const std::string& from, const std::string& distance) {
        settings.LeftOffsetFrom = from;
        settings.LeftOffsetDistance = distance;
    }
    void AskRight(const std::string& from, const std::string& distance) {
        settings.RightOffsetFrom = from;
        settings.RightOffsetDistance = distance;
    }
    const OffsetPoint& Left() const { return tables.Sections[0].LeftOffsetPt; }
    const OffsetPoint& Right() const { return tables.Sections[0].RightOffsetPt; }

    CrossSectionTables tables = MakeTables(0);
    Settings settings;
};

void ExpectPoint(const OffsetPoint& point, const std::string& offset,
                 const std::string& elevation) {
    EXPECT_EQ(point.Offset, offset);
    EXPECT_EQ(point.Elevation, elevation);
}

TEST_F(OffsetPointsTest, FromLastPointContinuesTheOutermostSlopes) {
    SetCrownedSection(tables.Sections[0]);
    AskLeft(kFromLastPoint, "2");
    AskRight(kFromLastPoint, "2");
    Compute(kUndivided);
    ExpectPoint(Left(), "-14", "99.72");
    ExpectPoint(Right(), "14", "99.72");
}

TEST_F(OffsetPointsTest, FromCenterLinePlacesThePointAtTheDistance) {
    SetCrownedSection(tables.Sections[0]);
    AskLeft(kFromCenterLine, "-20");
    AskRight(kFromCenterLine, "20");
    Compute(kUndivided);
    ExpectPoint(Left(), "-20", "99.92");
    ExpectPoint(Right(), "20", "99.6");
}

TEST_F(OffsetPointsTest, FromCenterLineNotBeyondTheOutermostPointIsAnError) {
    SetCrownedSection(tables.Sections[0]);
    AskLeft(kFromCenterLine, "-12");
    AskRight(kFromCenterLine, "12");
    Compute(kUndivided);
    ExpectPoint(Left(), "Error", "Btwn Pts");
    ExpectPoint(Right(), "Error", "Btwn Pts");

    AskLeft(kFromCenterLine, "0");
    AskRight(kFromCenterLine, "5");
    CalculateOffsetPoints(tables, settings);
    ExpectPoint(Left(), "Error", "Btwn Pts");
    ExpectPoint(Right(), "Error", "Btwn Pts");
}

TEST_F(OffsetPointsTest, FromCenterLineOnTheLeftTurnsTheSignOnDividedRoadwaysOnly) {
    // Offsets 25 and 35 at 100 and 101: slope 10.00; the point lies 5 before point 0.
    const auto points = PointsAt({"25", "35"}, {"100", "101"});
    SetPoints(tables.Sections[0], points);
    SetPoints(tables.SectionsLeft[0], points);
    SetPoints(tables.SectionsRight[0], points);
    AskLeft(kFromCenterLine, "20");

    Compute(kUndivided);
    ExpectPoint(tables.Sections[0].LeftOffsetPt, "20", "100.5");

    Compute(kDivided);
    ExpectPoint(tables.SectionsLeft[0].LeftOffsetPt, "-20", "100.5");
    ExpectPoint(tables.SectionsRight[0].LeftOffsetPt, "-20", "100.5");
}

TEST_F(OffsetPointsTest, DividedSidesEachGetBothPointsFromTheirOwnPoints) {
    tables.StationCount = 1;
    for (int i = 0; i <= 1; ++i) {
        SetPoints(tables.SectionsLeft[i], PointsAt({"-24", "-12"}, {"99", "100"}));
        SetPoints(tables.SectionsRight[i], PointsAt({"12", "24"}, {"100", "99.5"}));
    }
    AskLeft(kFromLastPoint, "1");
    AskRight(kFromLastPoint, "4");
    Compute(kDivided);
    for (int i = 0; i <= 1; ++i) {
        ExpectPoint(tables.SectionsLeft[i].LeftOffsetPt, "-25", "98.9167");
        ExpectPoint(tables.SectionsLeft[i].RightOffsetPt, "-8", "100.3332");
        ExpectPoint(tables.SectionsRight[i].LeftOffsetPt, "11", "100.0417");
        ExpectPoint(tables.SectionsRight[i].RightOffsetPt, "28", "99.3332");
    }
}

TEST_F(OffsetPointsTest, MissingOuterSlopeLeavesTheElevationUncomputed) {
    tables.StationCount = 1;
    // Outer segments of 0.1: too narrow to carry a slope.
    SetPoints(tables.Sections[0], PointsAt({"-12.1", "-12", "12", "12.1"}, {"1", "2", "2", "1"}));
    SetPoints(tables.Sections[1], PointsAt({"3"}, {"100"}));
    tables.Sections[1].LeftOffsetPt = {"old", "old"};
    AskLeft(kFromLastPoint, "2");
    AskRight(kFromCenterLine, "20");
    Compute(kUndivided);
    ExpectPoint(tables.Sections[0].LeftOffsetPt, "-14.1", "");
    ExpectPoint(tables.Sections[0].RightOffsetPt, "20", "");
    ExpectPoint(tables.Sections[1].LeftOffsetPt, "1", "");
    ExpectPoint(tables.Sections[1].RightOffsetPt, "20", "");
}

TEST_F(OffsetPointsTest, MessageStationsKeepTheirOffsetPoints) {
    SetCrownedSection(tables.Sections[0]);
    tables.Sections[0].MessageKind = "MESSAGE";
    tables.Sections[0].LeftOffsetPt = {"a", "b"};
    tables.Sections[0].RightOffsetPt = {"c", "d"};
    AskLeft(kFromLastPoint, "2");
    AskRight(kFromCenterLine, "20");
    Compute(kUndivided);
    ExpectPoint(Left(), "a", "b");
    ExpectPoint(Right(), "c", "d");
}

TEST_F(OffsetPointsTest, OnlyTheExactChoiceTextsComputeASide) {
    for (const char* choice : {"", "from last point", "From Center line", "From Last Point "}) {
        SetCrownedSection(tables.Sections[0]);
        tables.Sections[0].LeftOffsetPt = {"a", "b"};
        tables.Sections[0].RightOffsetPt = {"c", "d"};
        AskLeft(choice, "2");
        AskRight(choice, "20");
        Compute(kUndivided);
        ExpectPoint(Left(), "a", "b");
        ExpectPoint(Right(), "c", "d");
    }
}

TEST_F(OffsetPointsTest, ASideWithAnEarlierChoiceIsComputedToo) {
    // Only the right side is asked for now; the left keeps the settings of an earlier run.
    SetCrownedSection(tables.Sections[0]);
    AskLeft(kFromLastPoint, "2");
    AskRight(kFromCenterLine, "20");
    Compute(kUndivided);
    ExpectPoint(Left(), "-14", "99.72");
}

TEST_F(OffsetPointsTest, DistanceThatIsNotANumberComputesNothingForItsSide) {
    SetCrownedSection(tables.Sections[0]);
    tables.Sections[0].LeftOffsetPt = {"old", "old"};
    AskLeft(kFromLastPoint, "2m");
    AskRight(kFromLastPoint, "2");
    Compute(kUndivided);
    ExpectPoint(Left(), "", "");
    ExpectPoint(Right(), "14", "99.72");
}

// Absurd numbers read from the file or typed as distances. A result that is
// not finite, or that has no plain text fitting a report cell, is left
// uncomputed exactly like one made from a text that is not a number; texts
// read from the file move and print as they stand; ordinary values keep their
// results.
struct AbsurdCase {
    const char* what;
    std::string roadway;
    std::vector<std::string> offsets;
    std::vector<std::string> elevations;
    std::array<std::string, 2> left;   // choice, distance
    std::array<std::string, 2> right;  // choice, distance
    std::string numberFormat;
    std::vector<std::string> order;  // the point codes after reordering
    std::vector<std::string> slopes;
    std::array<std::string, 2> leftPoint;  // offset, elevation
    std::array<std::string, 2> rightPoint;
};

const std::string kLast = kFromLastPoint;
const std::string kCenter = kFromCenterLine;
const std::vector<std::string> kCrownOffsets{"-12", "0", "12"};
const std::vector<std::string> kCrownElevations{"99.76", "100.00", "99.76"};
const std::vector<std::string> kCrownSlopes{"2.00", "-2.00", ""};
const std::vector<std::string> kThreeInOrder{"P0", "P1", "P2"};

// Each row: what, roadway, offsets, elevations, left and right request; then
// NumberFormat, point order, slopes, left and right offset point.
// clang-format off
const AbsurdCase kAbsurdCases[] = {
    {"ordinary values", kUndivided, kCrownOffsets, kCrownElevations, {kLast, "2"}, {kCenter, "20"},
     "##.00000", kThreeInOrder, kCrownSlopes, {"-14", "99.72"}, {"20", "99.6"}},
    {"1e308 as the distances", kUndivided, kCrownOffsets, kCrownElevations,
     {kLast, "1e308"}, {kLast, "1e308"},
     "##.00000", kThreeInOrder, kCrownSlopes, {"", ""}, {"", ""}},
    {"1e23 from the centre line", kUndivided, kCrownOffsets, kCrownElevations,
     {kCenter, "-1e23"}, {kCenter, "1e23"},
     "##.00000", kThreeInOrder, kCrownSlopes, {"", ""}, {"", ""}},
    {"distances at the fifteen-digit limit", kUndivided, {"0", "12"}, {"100", "100"},
     {kCenter, "-999999999999999.9"}, {kCenter, "999999999999999"},
     "##.000", {"P0", "P1"}, {".00", ""}, {"", ""}, {"999999999999999", "100"}},
    {"a slope of 1E+15 or more", kUndivided, {"0", "0.3", "12"}, {"100", "1e13", "1e13"},
     {kLast, "2"}, {kLast, "1"},
     "##.000", kThreeInOrder, {"", ".00", ""}, {"-2", ""}, {"13", "10000000000000"}},
    {"an offset-point elevation of 1E+15 or more", kUndivided, {"0", "10"}, {"0", "1e12"},
     {kLast, "1"}, {kLast, "1e4"},
     "##.000", {"P0", "P1"}, {"10000000000000.00", ""}, {"-1", "-100000000000"}, {"10010", ""}},
    {"-0 in the file and as a distance", kUndivided, {"-0", "12"}, {"-0", "0"},
     {kLast, "2"}, {kLast, "-0"},
     "##.0000", {"P0", "P1"}, {".00", ""}, {"-2", "0"}, {"12", "0"}},
    {"nan and inf in the file", kUndivided, {"nan", "0", "12"}, {"100", "inf", "99.76"},
     {kLast, "2"}, {kLast, "2"},
     "##.00000", kThreeInOrder, {"", "", ""}, {"", ""}, {"14", ""}},
    {"1e308 in the file", kUndivided, {"-1e308", "0", "1e308"}, {"1", "2", "1e308"},
     {kLast, "2"}, {kCenter, "5"},
     "##.00000000", kThreeInOrder, {".00", "", ""}, {"", ""}, {"Error", "Btwn Pts"}},
    {"a run that overflows", kUndivided, {"-1e308", "1e308"}, {"100", "100"},
     {kLast, "1e308"}, {kLast, "1e308"},
     "##.00000000", {"P0", "P1"}, {"", ""}, {"", ""}, {"", ""}},
    {"a number format too long for a cell", kUndivided,
     {"-12.000000000000000000", "0", "12"}, kCrownElevations, {kLast, "2"}, {kLast, "2"},
     "##.00000000000000000000", kThreeInOrder, kCrownSlopes, {"", ""}, {"", ""}},
    {"divided, 1e308 first moves before the last", kDivided, {"1e308", "2", "4", "6"},
     {"100", "100", "100", "100"}, {kLast, "1"}, {kLast, "1"},
     "##.0000000", {"P1", "P2", "P0", "P3"}, {".00", ".00", ".00", ""}, {"1", "100"}, {"7", "100"}},
    {"divided, -0 counts as equal to 0", kDivided, {"0", "-0", "5"}, {"1", "1", "2"},
     {kCenter, "-3"}, {kCenter, "5"},
     "##.000", {"P1", "P0", "P2"}, {"", "20.00", ""}, {"3", ""}, {"Error", "Btwn Pts"}},
    {"divided, inf first stays first", kDivided, {"inf", "2", "4"}, {"1", "1", "1"},
     {kLast, "1"}, {kLast, "1"},
     "##.00000", kThreeInOrder, {"", ".00", ""}, {"", ""}, {"5", "1"}},
};
// clang-format on

// A computed text is a plain number (or one of the fixed offset-point texts)
// whose printed form fits a report cell.
void ExpectPrintable(const std::string& text, const std::string& pattern, std::size_t width) {
    if (text == "Error" || text == "Btwn Pts") {
        return;
    }
    EXPECT_EQ(text.find_first_not_of("-.0123456789"), std::string::npos) << '"' << text << '"';
    EXPECT_LE(FormatNumber(text, pattern).size(), width) << '"' << text << '"';
}

TEST(AbsurdNumbers, AreNotComputedAndNeverGarbleAComputedText) {
    for (const AbsurdCase& c : kAbsurdCases) {
        SCOPED_TRACE(c.what);
        CrossSectionTables tables = MakeTables(0);
        Settings settings = SettingsFor(c.roadway);
        std::vector<testing::Point> points;
        for (std::size_t j = 0; j < c.offsets.size(); ++j) {
            points.push_back({"P" + std::to_string(j), c.offsets[j], c.elevations[j]});
        }
        CrossSection& section = c.roadway == kDivided ? tables.SectionsLeft[0] : tables.Sections[0];
        SetPoints(section, points);
        settings.LeftOffsetFrom = c.left[0];
        settings.LeftOffsetDistance = c.left[1];
        settings.RightOffsetFrom = c.right[0];
        settings.RightOffsetDistance = c.right[1];

        CalculateSlopes(tables, settings);
        CalculateOffsetPoints(tables, settings);

        EXPECT_EQ(settings.NumberFormat, c.numberFormat);
        EXPECT_EQ(testing::Codes(section), c.order);
        EXPECT_EQ(testing::Slopes(section), c.slopes);
        ExpectPoint(section.LeftOffsetPt, c.leftPoint[0], c.leftPoint[1]);
        ExpectPoint(section.RightOffsetPt, c.rightPoint[0], c.rightPoint[1]);
        for (const std::string& slope : testing::Slopes(section)) {
            ExpectPrintable(slope, "##.00", kReportCellWidth - 1);  // and a "%"
        }
        for (const OffsetPoint* point : {&section.LeftOffsetPt, &section.RightOffsetPt}) {
            ExpectPrintable(point->Offset, settings.NumberFormat, kReportCellWidth);
            ExpectPrintable(point->Elevation, settings.NumberFormat, kReportCellWidth);
        }
    }
}

TEST_F(OffsetPointsTest, UnknownRoadwayComputesNothing) {
    SetCrownedSection(tables.Sections[0]);
    AskLeft(kFromLastPoint, "2");
    settings.RoadwayType = "RAMP";
    CalculateOffsetPoints(tables, settings);
    ExpectPoint(Left(), "", "");
}

}  // namespace
}  // namespace corvane
