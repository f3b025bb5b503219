#include "grades/offset_points.h"

#include <gtest/gtest.h>

#include <string>

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

TEST_F(OffsetPointsTest, UnknownRoadwayComputesNothing) {
    SetCrownedSection(tables.Sections[0]);
    AskLeft(kFromLastPoint, "2");
    settings.RoadwayType = "RAMP";
    CalculateOffsetPoints(tables, settings);
    ExpectPoint(Left(), "", "");
}

}  // namespace
}  // namespace corvane
