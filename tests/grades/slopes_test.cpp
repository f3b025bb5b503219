#include "grades/slopes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "section_builder.h"

namespace corvane {
namespace {

using testing::Codes;
using testing::MakeTables;
using testing::Offsets;
using testing::PointsAt;
using testing::SetPoints;
using testing::SettingsFor;
using testing::Slopes;
using Texts = std::vector<std::string>;

// Slope texts of one two-point cross-section on the given roadway.
std::string SlopeBetween(const char* offset0, const char* elevation0, const char* offset1,
                         const char* elevation1, const std::string& roadwayType) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor(roadwayType);
    SectionTable& table = roadwayType == kDivided ? tables.SectionsLeft : tables.Sections;
    SetPoints(table[0], PointsAt({offset0, offset1}, {elevation0, elevation1}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(table[0].PointSlope[1], "");
    return table[0].PointSlope[0];
}

TEST(CalculateSlopes, GapOfExactlyTwoTenthsCountsOnDividedRoadwaysOnly) {
    EXPECT_EQ(SlopeBetween("0", "100", "0.2", "100.01", kUndivided), "");
    EXPECT_EQ(SlopeBetween("0", "100", "0.2", "100.01", kDivided), "5.00");
}

TEST(CalculateSlopes, GapJustBelowTheLimitInDoubleArithmeticGetsNoSlope) {
    EXPECT_EQ(SlopeBetween("10", "100", "10.2", "101", kUndivided), "");
    EXPECT_EQ(SlopeBetween("10", "100", "10.2", "101", kDivided), "");
}

TEST(CalculateSlopes, SignFollowsTheRiseWhicheverWayTheOffsetsGo) {
    EXPECT_EQ(SlopeBetween("0", "100.25", "12", "100.00", kUndivided), "-2.08");
    EXPECT_EQ(SlopeBetween("12", "100.25", "0", "100.00", kUndivided), "-2.08");
    EXPECT_EQ(SlopeBetween("0", "100.00", "12", "100.25", kUndivided), "2.08");
    EXPECT_EQ(SlopeBetween("-12", "99.76", "0", "100", kUndivided), "2.00");
    EXPECT_EQ(SlopeBetween("0", "100", "24", "99.88", kUndivided), "-.50");
    EXPECT_EQ(SlopeBetween("0", "100", "5", "100", kUndivided), ".00");
}

TEST(CalculateSlopes, SegmentsNotMadeOfNumbersGetAnEmptySlope) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor(kUndivided);
    SetPoints(tables.Sections[0],
              PointsAt({"0", "x", "12", "24", "36"}, {"100", "100", "100", "", "101"}));
    tables.Sections[0].PointSlope.fill("stale");
    CalculateSlopes(tables, settings);
    EXPECT_EQ(Slopes(tables.Sections[0]), (Texts{"", "", "", "", ""}));
}

TEST(CalculateSlopes, OnePointHasNoSlopeAndTwoPointsOneSlope) {
    CrossSectionTables tables = MakeTables(1);
    Settings settings = SettingsFor(kUndivided);
    SetPoints(tables.Sections[0], PointsAt({"5"}, {"100"}));
    SetPoints(tables.Sections[1], PointsAt({"0", "10"}, {"100", "101"}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(Slopes(tables.Sections[0]), (Texts{""}));
    EXPECT_EQ(Slopes(tables.Sections[1]), (Texts{"10.00", ""}));
}

TEST(CalculateSlopes, SlopesAreAlwaysTwoDecimalsWhateverTheNumberFormat) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor(kUndivided);
    SetPoints(tables.Sections[0], PointsAt({"-12.500", "0.000"}, {"99.760", "100.000"}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(settings.NumberFormat, "##.00000");
    EXPECT_EQ(tables.Sections[0].PointSlope[0], "1.92");
}

TEST(CalculateSlopes, NumberFormatGrowsByTheDecimalsOfTheFirstOffset) {
    struct Case {
        const char* firstOffset;
        const char* format;
    };
    for (const Case& c : {Case{"-7.2500", "##.000000"}, Case{"-12.500", "##.00000"},
                          Case{"12", "##.0000"}, Case{"", "##.00"}, Case{"3.", "##.00"}}) {
        CrossSectionTables tables = MakeTables(0);
        Settings settings = SettingsFor(kUndivided);
        SetPoints(tables.Sections[0], PointsAt({c.firstOffset, "20"}, {"1", "2"}));
        CalculateSlopes(tables, settings);
        EXPECT_EQ(settings.NumberFormat, c.format) << c.firstOffset;
    }
}

TEST(CalculateSlopes, NumberFormatStaysWhenTheFirstStationIsAMessage) {
    CrossSectionTables tables = MakeTables(1);
    Settings settings = SettingsFor(kDivided);
    tables.SectionsLeft[0].MessageKind = "MESSAGE";
    tables.SectionsLeft[0].LastPoint = -1;
    SetPoints(tables.SectionsLeft[1], PointsAt({"1.125", "20"}, {"1", "2"}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(settings.NumberFormat, "##.00");
}

TEST(CalculateSlopes, DividedNumberFormatComesFromTheFirstOffsetBeforeReordering) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor("divided");
    SetPoints(tables.SectionsLeft[0], PointsAt({"8.125", "2", "10"}, {"1", "1", "1"}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(settings.NumberFormat, "##.00000");
    EXPECT_EQ(Offsets(tables.SectionsLeft[0]), (Texts{"2", "8.125", "10"}));
}

TEST(CalculateSlopes, MessageStationsAreLeftUntouched) {
    for (const std::string& roadway : {kUndivided, kDivided}) {
        CrossSectionTables tables = MakeTables(0);
        Settings settings = SettingsFor(roadway);
        for (SectionTable* table :
             {&tables.Sections, &tables.SectionsLeft, &tables.SectionsRight}) {
            CrossSection& section = (*table)[0];
            SetPoints(section, PointsAt({"8", "2", "4"}, {"100", "101", "102"}));
            section.MessageKind = "ERROR";
            section.PointSlope.fill("old");
        }
        const CrossSection before = tables.SectionsRight[0];
        CalculateSlopes(tables, settings);
        for (const SectionTable* table :
             {&tables.Sections, &tables.SectionsLeft, &tables.SectionsRight}) {
            EXPECT_EQ(Offsets((*table)[0]), Offsets(before)) << roadway;
            EXPECT_EQ((*table)[0].PointSlope, before.PointSlope) << roadway;
        }
    }
}

TEST(CalculateSlopes, UnknownRoadwayChangesNothing) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor("RAMP");
    SetPoints(tables.Sections[0], PointsAt({"0.125", "10"}, {"100", "101"}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(settings.NumberFormat, "##.00");
    EXPECT_EQ(tables.Sections[0].PointSlope[0], "");
}

TEST(CalculateSlopes, OnlyTheRunsStationsAreComputed) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor(kUndivided);
    SetPoints(tables.Sections[0], PointsAt({"0", "10"}, {"100", "101"}));
    SetPoints(tables.Sections[1], PointsAt({"0", "10"}, {"100", "101"}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(tables.Sections[0].PointSlope[0], "10.00");
    EXPECT_EQ(tables.Sections[1].PointSlope[0], "");
}

// Offsets of a divided cross-section after the first point has been put in place.
Texts ReorderedOffsets(std::initializer_list<const char*> offsets) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor(kDivided);
    std::vector<testing::Point> points;
    for (const char* offset : offsets) {
        points.push_back({std::string("C") + offset, offset, std::string("E") + offset});
    }
    SetPoints(tables.SectionsRight[0], points);
    CalculateSlopes(tables, settings);
    const CrossSection& section = tables.SectionsRight[0];
    // Codes and elevations travel with their offsets.
    for (int k = 0; k <= section.LastPoint; ++k) {
        EXPECT_EQ(section.PointCode[k], "C" + section.PointOffset[k]);
        EXPECT_EQ(section.PointElevation[k], "E" + section.PointOffset[k]);
    }
    return Offsets(section);
}

TEST(CalculateSlopes, DividedFirstPointMovesToItsPlaceInOffsetOrder) {
    EXPECT_EQ(ReorderedOffsets({"8", "2", "4", "6", "10"}), (Texts{"2", "4", "6", "8", "10"}));
    EXPECT_EQ(ReorderedOffsets({"1", "2", "4"}), (Texts{"1", "2", "4"}));
    EXPECT_EQ(ReorderedOffsets({"5"}), (Texts{"5"}));
}

TEST(CalculateSlopes, DividedFirstPointNeverPassesTheLastPoint) {
    EXPECT_EQ(ReorderedOffsets({"12", "2", "4", "6", "10"}), (Texts{"2", "4", "6", "12", "10"}));
    EXPECT_EQ(ReorderedOffsets({"10", "2", "10"}), (Texts{"2", "10", "10"}));
    EXPECT_EQ(ReorderedOffsets({"9", "2"}), (Texts{"9", "2"}));
}

TEST(CalculateSlopes, DividedFirstPointGoesAfterEqualOffsets) {
    EXPECT_EQ(ReorderedOffsets({"4", "2", "4", "6"}), (Texts{"2", "4", "4", "6"}));
    EXPECT_EQ(ReorderedOffsets({"4.0", "2", "4", "4.00", "6"}),
              (Texts{"2", "4", "4.00", "4.0", "6"}));
}

TEST(CalculateSlopes, DividedSlopesFollowTheNewOrder) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor(kDivided);
    SetPoints(tables.SectionsLeft[0],
              PointsAt({"8", "2", "4", "10"}, {"100.3", "100", "100.1", "100.3"}));
    SetPoints(tables.SectionsRight[0], PointsAt({"3", "1", "4.1"}, {"100", "101", "99.69"}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(Codes(tables.SectionsLeft[0]), (Texts{"P1", "P2", "P0", "P3"}));
    EXPECT_EQ(Slopes(tables.SectionsLeft[0]), (Texts{"5.00", "5.00", ".00", ""}));
    EXPECT_EQ(Offsets(tables.SectionsRight[0]), (Texts{"1", "3", "4.1"}));
    EXPECT_EQ(Slopes(tables.SectionsRight[0]), (Texts{"-50.00", "-28.18", ""}));
}

TEST(CalculateSlopes, UndividedFirstPointIsNotReordered) {
    CrossSectionTables tables = MakeTables(0);
    Settings settings = SettingsFor(kUndivided);
    SetPoints(tables.Sections[0], PointsAt({"8", "2", "4"}, {"100", "100", "100"}));
    CalculateSlopes(tables, settings);
    EXPECT_EQ(Offsets(tables.Sections[0]), (Texts{"8", "2", "4"}));
}

}  // namespace
}  // namespace corvane
