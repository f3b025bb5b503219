#include "grades/point_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "section_builder.h"

namespace corvane {
namespace {

using testing::Codes;
using testing::MakeTables;
using testing::Offsets;
using testing::Point;
using testing::PointsAt;
using testing::SetPoints;
using testing::SettingsFor;
using testing::Slopes;
using Texts = std::vector<std::string>;

OptionFlags NothingTicked() {
    OptionFlags flags;
    for (int32_t OptionFlags::*flag :
         {&OptionFlags::ShowBreakPoints, &OptionFlags::ShowEdgeOfPavement,
          &OptionFlags::ShowJLPoints, &OptionFlags::ShowFOCPoints, &OptionFlags::ShowBOCPoints,
          &OptionFlags::ShowCLPoints}) {
        flags.*flag = 0;
    }
    return flags;
}

OptionFlags Only(int32_t OptionFlags::*flag) {
    OptionFlags flags = NothingTicked();
    flags.*flag = 1;
    return flags;
}

// Points with the given codes at offsets 0, 10, 20, ... all at elevation 100.
std::vector<Point> PointsCoded(std::initializer_list<const char*> codes) {
    std::vector<Point> points;
    for (const char* code : codes) {
        points.push_back({code, std::to_string(10 * points.size()), "100"});
    }
    return points;
}

// Codes kept from one undivided station with the given flags.
Texts KeptCodes(std::initializer_list<const char*> codes, const OptionFlags& flags) {
    CrossSectionTables tables = MakeTables(0);
    SetPoints(tables.Sections[0], PointsCoded(codes));
    RecordingMessages messages;
    EXPECT_TRUE(FilterPoints(tables, SettingsFor(kUndivided), flags, messages));
    EXPECT_TRUE(messages.shown.empty());
    return Codes(tables.SelectedSections[0]);
}

TEST(FilterPoints, EdgeOfPavementComparesLettersAsTheyAre) {
    EXPECT_EQ(KeptCodes({"CL", "LtSgEOP", "lteop", "RtSgEOP", "EOPx"},
                        Only(&OptionFlags::ShowEdgeOfPavement)),
              (Texts{"LtSgEOP", "RtSgEOP", "EOPx"}));
}

TEST(FilterPoints, OtherTypesIgnoreCase) {
    EXPECT_EQ(KeptCodes({"br", "BR", "Brk", "CL"}, Only(&OptionFlags::ShowBreakPoints)),
              (Texts{"br", "BR", "Brk"}));
    EXPECT_EQ(KeptCodes({"CL", "XCL", "cl1", "C L"}, Only(&OptionFlags::ShowCLPoints)),
              (Texts{"CL", "XCL", "cl1"}));
    EXPECT_EQ(KeptCodes({"jl", "FOC", "Boc"}, Only(&OptionFlags::ShowJLPoints)), (Texts{"jl"}));
    EXPECT_EQ(KeptCodes({"jl", "foc", "Boc"}, Only(&OptionFlags::ShowFOCPoints)), (Texts{"foc"}));
    EXPECT_EQ(KeptCodes({"jl", "FOC", "Boc"}, Only(&OptionFlags::ShowBOCPoints)), (Texts{"Boc"}));
}

TEST(FilterPoints, PointMatchingSeveralTypesIsCopiedOncePerTypeInTypeOrder) {
    OptionFlags flags = NothingTicked();
    flags.ShowBOCPoints = 1;
    flags.ShowCLPoints = 1;
    flags.ShowBreakPoints = 1;
    EXPECT_EQ(KeptCodes({"CL", "BOCCL", "BOC", "x"}, flags),
              (Texts{"CL", "BOCCL", "BOCCL", "BOC"}));
    // "BRCL" matches the break test (first) and the CL test (last).
    EXPECT_EQ(KeptCodes({"BRCL"}, OptionFlags{}), (Texts{"BRCL", "BRCL"}));
}

TEST(FilterPoints, FlagsOtherThanOneCountAsUnticked) {
    OptionFlags flags = NothingTicked();
    flags.ShowCLPoints = -1;
    flags.ShowBOCPoints = 2;
    EXPECT_EQ(KeptCodes({"CL", "BOC"}, flags), (Texts{""}));
}

TEST(FilterPoints, NothingKeptLeavesOneEmptyPoint) {
    CrossSectionTables tables = MakeTables(0);
    SetPoints(tables.Sections[0], PointsCoded({"CL", "BOC"}));
    SetPoints(tables.SelectedSections[0], PointsCoded({"old", "old", "old"}));
    tables.SelectedSections[0].PointSlope[0] = "9.99";
    RecordingMessages messages;
    EXPECT_TRUE(FilterPoints(tables, SettingsFor(kUndivided), NothingTicked(), messages));
    const CrossSection& target = tables.SelectedSections[0];
    EXPECT_EQ(target.LastPoint, 0);
    EXPECT_EQ(target.PointCode[0], "");
    EXPECT_EQ(target.PointOffset[0], "");
    EXPECT_EQ(target.PointElevation[0], "");
    EXPECT_EQ(target.PointSlope[0], "");
}

TEST(FilterPoints, CopiesHeaderFieldsAndLeavesTheSourceUnchanged) {
    CrossSectionTables tables = MakeTables(0);
    CrossSection& source = tables.Sections[0];
    SetPoints(source, PointsCoded({"CL", "EOP"}));
    source.Column0Text = "c0";
    source.Station = "2389+00.00 R1";
    source.Column4Text = "c4";
    source.CrossSectionStation = "2389+00.00";
    source.LeftOffsetPt = {"-14", "99.72"};
    source.RightOffsetPt = {"Error", "Btwn Pts"};
    source.PointSlope[0] = "1.00";
    const CrossSection before = source;
    RecordingMessages messages;
    ASSERT_TRUE(
        FilterPoints(tables, SettingsFor(kUndivided), Only(&OptionFlags::ShowCLPoints), messages));
    const CrossSection& target = tables.SelectedSections[0];
    EXPECT_EQ(target.Column0Text, "c0");
    EXPECT_EQ(target.Station, "2389+00.00 R1");
    EXPECT_EQ(target.Column4Text, "c4");
    EXPECT_EQ(target.CrossSectionStation, "2389+00.00");
    EXPECT_EQ(target.LeftOffsetPt.Offset, "-14");
    EXPECT_EQ(target.LeftOffsetPt.Elevation, "99.72");
    EXPECT_EQ(target.RightOffsetPt.Offset, "Error");
    EXPECT_EQ(target.RightOffsetPt.Elevation, "Btwn Pts");
    EXPECT_EQ(Codes(source), Codes(before));
    EXPECT_EQ(source.PointSlope, before.PointSlope);
}

TEST(FilterPoints, KeptPointsGetSlopesOfTheirOwn) {
    CrossSectionTables tables = MakeTables(0);
    // The EOP at 0.1 lies between the CL and the BOC.
    SetPoints(tables.Sections[0], {{"CL", "0", "100"},
                                   {"EOP", "0.1", "90"},
                                   {"BOC", "12", "100.25"},
                                   {"FOC", "24", "100.25"}});
    tables.SelectedSections[0].PointSlope.fill("stale");
    OptionFlags flags = Only(&OptionFlags::ShowCLPoints);
    flags.ShowBOCPoints = 1;
    RecordingMessages messages;
    ASSERT_TRUE(FilterPoints(tables, SettingsFor(kUndivided), flags, messages));
    EXPECT_EQ(Codes(tables.SelectedSections[0]), (Texts{"CL", "BOC"}));
    EXPECT_EQ(Slopes(tables.SelectedSections[0]), (Texts{"2.08", ""}));
}

TEST(FilterPoints, DuplicatesHaveNoSlopeBetweenThem) {
    CrossSectionTables tables = MakeTables(0);
    SetPoints(tables.Sections[0], {{"BOCCL", "0", "100"}, {"X", "5", "1"}, {"CL", "10", "101"}});
    OptionFlags flags = Only(&OptionFlags::ShowCLPoints);
    flags.ShowBOCPoints = 1;
    RecordingMessages messages;
    ASSERT_TRUE(FilterPoints(tables, SettingsFor(kUndivided), flags, messages));
    EXPECT_EQ(Offsets(tables.SelectedSections[0]), (Texts{"0", "0", "10"}));
    EXPECT_EQ(Slopes(tables.SelectedSections[0]), (Texts{"", "10.00", ""}));
}

TEST(FilterPoints, KeptSlopesUseTheGapRuleOfTheRoadway) {
    CrossSectionTables tables = MakeTables(0);
    const std::vector<Point> points{{"CL", "0", "100"}, {"CL", "0.2", "100.01"}};
    SetPoints(tables.Sections[0], points);
    SetPoints(tables.SectionsLeft[0], points);
    SetPoints(tables.SectionsRight[0], points);
    RecordingMessages messages;
    const OptionFlags flags = Only(&OptionFlags::ShowCLPoints);
    ASSERT_TRUE(FilterPoints(tables, SettingsFor(kUndivided), flags, messages));
    ASSERT_TRUE(FilterPoints(tables, SettingsFor("divided"), flags, messages));
    EXPECT_EQ(Slopes(tables.SelectedSections[0]), (Texts{"", ""}));
    EXPECT_EQ(Slopes(tables.SelectedSectionsLeft[0]), (Texts{"5.00", ""}));
    EXPECT_EQ(Slopes(tables.SelectedSectionsRight[0]), (Texts{"5.00", ""}));
}

TEST(FilterPoints, MessageStationsAreCopiedWithTheirPointsTestedButNoSlopes) {
    CrossSectionTables tables = MakeTables(0);
    CrossSection& source = tables.Sections[0];
    SetPoints(source, PointsAt({"0", "10"}, {"100", "101"}));
    source.PointCode = {"CL", "CL"};
    source.MessageKind = "ERROR";
    source.MessageText = "Bad section";
    tables.SelectedSections[0].PointSlope.fill("stale");
    RecordingMessages messages;
    ASSERT_TRUE(
        FilterPoints(tables, SettingsFor(kUndivided), Only(&OptionFlags::ShowCLPoints), messages));
    const CrossSection& target = tables.SelectedSections[0];
    EXPECT_EQ(target.MessageKind, "ERROR");
    EXPECT_EQ(target.MessageText, "Bad section");
    EXPECT_EQ(Offsets(target), (Texts{"0", "10"}));
    EXPECT_EQ(Slopes(target), (Texts{"", ""}));
}

TEST(FilterPoints, ThirtyOneCopiesFit) {
    CrossSectionTables tables = MakeTables(0);
    std::vector<Point> points(15, Point{"BOCCL", "0", "100"});
    points.push_back({"CL", "0", "100"});
    SetPoints(tables.Sections[0], points);
    OptionFlags flags = Only(&OptionFlags::ShowCLPoints);
    flags.ShowBOCPoints = 1;
    RecordingMessages messages;
    ASSERT_TRUE(FilterPoints(tables, SettingsFor(kUndivided), flags, messages));
    EXPECT_EQ(tables.SelectedSections[0].LastPoint, 30);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(FilterPoints, MoreThanThirtyOneCopiesStopTheRunNamingTheStation) {
    CrossSectionTables tables = MakeTables(2);
    SetPoints(tables.SectionsLeft[0], PointsCoded({"CL"}));
    SetPoints(tables.SectionsRight[0], PointsCoded({"CL"}));
    SetPoints(tables.SectionsLeft[1], PointsCoded({"CL"}));
    SetPoints(tables.SectionsRight[1], std::vector<Point>(16, Point{"BOCCL", "0", "100"}));
    tables.SectionsRight[1].Station = "12+50.00";
    SetPoints(tables.SectionsRight[2], PointsCoded({"CL"}));
    OptionFlags flags = Only(&OptionFlags::ShowCLPoints);
    flags.ShowBOCPoints = 1;
    RecordingMessages messages;
    EXPECT_FALSE(FilterPoints(tables, SettingsFor(kDivided), flags, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string& message = messages.shown[0];
    EXPECT_EQ(message.rfind("Program Error: ", 0), 0u) << message;
    EXPECT_NE(message.find("12+50.00"), std::string::npos) << message;
    EXPECT_NE(message.find("right side"), std::string::npos) << message;
    const std::string suffix = " occured in FilterPoints";
    EXPECT_EQ(message.substr(message.size() - suffix.size()), suffix);
    // Stations before the failure are copied, the one after is not.
    EXPECT_EQ(Codes(tables.SelectedSectionsRight[0]), (Texts{"CL"}));
    EXPECT_EQ(tables.SelectedSectionsRight[2].PointCode[0], "");
}

TEST(FilterPoints, UnknownRoadwayCopiesNothing) {
    CrossSectionTables tables = MakeTables(0);
    SetPoints(tables.Sections[0], PointsCoded({"CL"}));
    RecordingMessages messages;
    EXPECT_TRUE(FilterPoints(tables, SettingsFor("RAMP"), OptionFlags{}, messages));
    EXPECT_EQ(tables.SelectedSections[0].PointCode[0], "");
}

TEST(KeepAllPoints, TargetEqualsSourceAndOffsetPointsAreShown) {
    CrossSectionTables tables = MakeTables(1);
    for (SectionTable* table : {&tables.SectionsLeft, &tables.SectionsRight}) {
        for (CrossSection& source : *table) {
            SetPoints(source, PointsCoded({"x", "CL", "y"}));
            source.PointSlope = {"1.00", "-2.00", ""};
            source.Station = "1+00";
            source.CrossSectionStation = "1+00";
            source.Column0Text = "c0";
            source.Column4Text = "c4";
            source.LeftOffsetPt = {"-5", "99"};
            source.RightOffsetPt = {"25", "98"};
        }
    }
    tables.SectionsRight[1].MessageKind = "MESSAGE";
    tables.SectionsRight[1].MessageText = "note";
    OptionFlags flags = NothingTicked();
    flags.ShowOffsetPoints = 0;
    KeepAllPoints(tables, SettingsFor(kDivided), flags);
    EXPECT_EQ(flags.ShowOffsetPoints, 1);
    for (int i = 0; i <= 1; ++i) {
        // Records hold exactly the three points, so whole records compare equal.
        const auto equal = [](const CrossSection& a, const CrossSection& b) {
            return a.LastPoint == b.LastPoint && a.PointCode == b.PointCode &&
                   a.PointOffset == b.PointOffset && a.PointElevation == b.PointElevation &&
                   a.PointSlope == b.PointSlope && a.Station == b.Station &&
                   a.CrossSectionStation == b.CrossSectionStation &&
                   a.Column0Text == b.Column0Text && a.Column4Text == b.Column4Text &&
                   a.LeftOffsetPt.Offset == b.LeftOffsetPt.Offset &&
                   a.LeftOffsetPt.Elevation == b.LeftOffsetPt.Elevation &&
                   a.RightOffsetPt.Offset == b.RightOffsetPt.Offset &&
                   a.RightOffsetPt.Elevation == b.RightOffsetPt.Elevation &&
                   a.MessageKind == b.MessageKind && a.MessageText == b.MessageText;
        };
        EXPECT_TRUE(equal(tables.SelectedSectionsLeft[i], tables.SectionsLeft[i])) << i;
        EXPECT_TRUE(equal(tables.SelectedSectionsRight[i], tables.SectionsRight[i])) << i;
    }
    // Station 2 is beyond the run.
    EXPECT_EQ(tables.SelectedSectionsLeft[2].PointCode[0], "");
}

TEST(KeepAllPoints, CopiesTheUndividedTable) {
    CrossSectionTables tables = MakeTables(0);
    SetPoints(tables.Sections[0], PointsCoded({"x", "y"}));
    tables.Sections[0].PointSlope[0] = "3.00";
    OptionFlags flags;
    KeepAllPoints(tables, SettingsFor("undivided"), flags);
    EXPECT_EQ(Codes(tables.SelectedSections[0]), (Texts{"x", "y"}));
    EXPECT_EQ(Slopes(tables.SelectedSections[0]), (Texts{"3.00", ""}));
}

}  // namespace
}  // namespace corvane
