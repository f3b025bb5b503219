#include "report/report_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

#include "grades/number_text.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "grades/slopes.h"
#include "report_fixtures.h"

namespace corvane {
namespace {

// A station of `points` points coded "C0", "C1", ... with offsets "-<j>.0",
// elevations "10<j>.5" and slopes "<j>.25"; copied to the selected table too.
void SetStation(SectionTable& raw, SectionTable& selected, int index, int points) {
    CrossSection& record = raw[index];
    record.Station = "10+" + std::to_string(index);
    record.CrossSectionStation = record.Station;
    record.Column0Text = "MAIN";
    record.LastPoint = points - 1;
    for (int j = 0; j < points; ++j) {
        record.PointCode[j] = "C" + std::to_string(j);
        record.PointOffset[j] = "-" + std::to_string(j) + ".0";
        record.PointElevation[j] = "10" + std::to_string(j) + ".5";
        record.PointSlope[j] = std::to_string(j) + ".25";
    }
    record.LeftOffsetPt = OffsetPoint{"-30", "99.5"};
    record.RightOffsetPt = OffsetPoint{"30.123", "98"};
    selected[index] = record;
}

class ReportTableTest : public ::testing::Test {
  protected:
    // A few records a table are enough: the build reads records 0..StationCount only.
    void SetUp() override {
        for (SectionTable* table :
             {&state.tables.Sections, &state.tables.SectionsLeft, &state.tables.SectionsRight,
              &state.tables.SelectedSections, &state.tables.SelectedSectionsLeft,
              &state.tables.SelectedSectionsRight}) {
            table->assign(4, CrossSection{});
        }
        state.settings.RoadwayType = "UNDIVIDED";
    }

    const ReportStation& BuildUndivided(int points) {
        SetStation(state.tables.Sections, state.tables.SelectedSections, 0, points);
        Build();
        return state.report.FinalReport.at(0);
    }

    // Builds both sides of a divided roadway with the same station on each.
    void BuildDivided(int points) {
        state.settings.RoadwayType = "DIVIDED";
        SetStation(state.tables.SectionsLeft, state.tables.SelectedSectionsLeft, 0, points);
        SetStation(state.tables.SectionsRight, state.tables.SelectedSectionsRight, 0, points);
        Build();
    }

    void Build() { WritetoFinalReport(state.tables, state.settings, state.flags, state.report); }

    State state = test::FreshState();
};

TEST(SegmentNameTest, TranslatesTheFiveCodesExactlyAndPassesOthersThrough) {
    EXPECT_EQ(SegmentName("LtSgShldr"), "Left Shoulder");
    EXPECT_EQ(SegmentName("LtSgEOP"), "Left Edge");
    EXPECT_EQ(SegmentName("RtSgEOP"), "Right Edge");
    EXPECT_EQ(SegmentName("RtSgShldr"), "Right Shoulder");
    EXPECT_EQ(SegmentName("BR"), "Break");
    EXPECT_EQ(SegmentName("br"), "br");
    EXPECT_EQ(SegmentName("CL"), "CL");
    EXPECT_EQ(SegmentName(" BR"), " BR");
    EXPECT_EQ(SegmentName(""), "");
}

TEST_F(ReportTableTest, ThreePointsFillLineZeroWithoutAdvancingTheLine) {
    const ReportStation& block = BuildUndivided(3);
    EXPECT_EQ(block.LastLine, 0);
    EXPECT_EQ(block.Cells[0][0], (ReportCell{"C0", "-0.0", "100.5", "0.25"}));
    EXPECT_EQ(block.Cells[0][2], (ReportCell{"C2", "-2.0", "102.5", "2.25"}));
    EXPECT_EQ(block.Cells[1][0], ReportCell{});
}

TEST_F(ReportTableTest, FourthPointOpensLineOne) {
    const ReportStation& block = BuildUndivided(4);
    EXPECT_EQ(block.LastLine, 1);
    EXPECT_EQ(block.Cells[1][0][kCellLabel], "C3");
    EXPECT_EQ(block.Cells[1][1], ReportCell{});
}

TEST_F(ReportTableTest, LabelTellsCrossFromDesignSection) {
    SetStation(state.tables.Sections, state.tables.SelectedSections, 0, 1);
    SetStation(state.tables.Sections, state.tables.SelectedSections, 1, 1);
    state.tables.SelectedSections[1].CrossSectionStation = "10+1 ";
    state.tables.StationCount = 1;
    Build();
    EXPECT_EQ(state.report.FinalReport[0].Label, "Cross Sec. Sta.");
    EXPECT_EQ(state.report.FinalReport[1].Label, "Design Sec. Sta.");
    EXPECT_EQ(state.report.FinalReport[1].Station, "10+1");
    EXPECT_EQ(state.report.FinalReport[1].Column0Text, "MAIN");
}

TEST_F(ReportTableTest, LeftOffsetPointTakesTheFirstCellFormatted) {
    state.flags.LeftOffsetPoints = 1;
    const ReportStation& block = BuildUndivided(3);
    EXPECT_EQ(block.Cells[0][0], (ReportCell{"Lt. offsetPt.", "-30.00", "99.50", "0.25"}));
    EXPECT_EQ(block.Cells[0][1][kCellLabel], "C0");
    EXPECT_EQ(block.Cells[1][0][kCellLabel], "C2");
    EXPECT_EQ(block.LastLine, 1);
}

TEST_F(ReportTableTest, OffsetPointsFollowTheLengthenedNumberFormat) {
    state.flags.LeftOffsetPoints = 1;
    state.settings.NumberFormat = "##.000";
    SetStation(state.tables.Sections, state.tables.SelectedSections, 0, 1);
    state.tables.SelectedSections[0].LeftOffsetPt = OffsetPoint{"Btwn Pts", "0.5"};
    Build();
    EXPECT_EQ(state.report.FinalReport[0].Cells[0][0][kCellOffset], "Btwn Pts");
    EXPECT_EQ(state.report.FinalReport[0].Cells[0][0][kCellElevation], ".500");
}

TEST_F(ReportTableTest, OffsetPointsNeedTheOffsetPointsBoxToo) {
    state.flags.LeftOffsetPoints = 1;
    state.flags.RightOffsetPoints = 1;
    state.flags.ShowOffsetPoints = 0;
    const ReportStation& block = BuildUndivided(3);
    EXPECT_EQ(block.Cells[0][0][kCellLabel], "C0");
    EXPECT_EQ(block.LastLine, 0);
    EXPECT_EQ(block.Cells[1][0], ReportCell{});
    // The last point still shows the slope before it.
    EXPECT_EQ(block.Cells[0][2][kCellSlope], "1.25");
}

TEST_F(ReportTableTest, RightOffsetAfterAFullLineOpensTheNextLineUndivided) {
    state.flags.RightOffsetPoints = 1;
    const ReportStation& block = BuildUndivided(3);
    EXPECT_EQ(block.LastLine, 1);
    EXPECT_EQ(block.Cells[1][0], (ReportCell{"Rt. offsetPt.", "30.12", "98.00", ""}));
}

TEST_F(ReportTableTest, RightOffsetCopiesTheSlopeBeforeTheLastPointIntoTheSelectedTable) {
    state.flags.RightOffsetPoints = 1;
    const ReportStation& block = BuildUndivided(5);
    EXPECT_EQ(block.Cells[1][1][kCellSlope], "3.25");
    EXPECT_EQ(state.tables.SelectedSections[0].PointSlope[4], "3.25");
    EXPECT_EQ(state.tables.Sections[0].PointSlope[4], "4.25");
    EXPECT_EQ(block.Cells[1][2][kCellLabel], "Rt. offsetPt.");
}

TEST_F(ReportTableTest, DividedRightOffsetReplacesTheLastPointOfAnOpenLine) {
    state.flags.RightOffsetPoints = 1;
    BuildDivided(2);
    for (const auto* book : {&state.report.FinalReportLeft, &state.report.FinalReportRight}) {
        const ReportStation& block = book->at(0);
        EXPECT_EQ(block.Cells[0][0][kCellLabel], "C0");
        EXPECT_EQ(block.Cells[0][1][kCellLabel], "Rt. offsetPt.");
        EXPECT_EQ(block.Cells[0][2], ReportCell{});
        EXPECT_EQ(block.LastLine, 0);
    }
}

TEST_F(ReportTableTest, DividedRightOffsetAfterAFullLineStartsTheNextLine) {
    state.flags.RightOffsetPoints = 1;
    BuildDivided(3);
    const ReportStation& block = state.report.FinalReportLeft.at(0);
    EXPECT_EQ(block.LastLine, 1);
    EXPECT_EQ(block.Cells[0][2][kCellLabel], "C2");
    EXPECT_EQ(block.Cells[1][0][kCellLabel], "Rt. offsetPt.");
}

TEST_F(ReportTableTest, DividedRightSideWithOnePointGetsNoRightOffset) {
    state.flags.RightOffsetPoints = 1;
    BuildDivided(1);
    EXPECT_EQ(state.report.FinalReportRight.at(0).Cells[0][0][kCellLabel], "C0");
    // The left side has no such exception: the offset point takes the only cell.
    EXPECT_EQ(state.report.FinalReportLeft.at(0).Cells[0][0][kCellLabel], "Rt. offsetPt.");
}

TEST_F(ReportTableTest, MessageStationHasNoCellsAndNoOffsetPoint) {
    state.flags.LeftOffsetPoints = 1;
    state.flags.RightOffsetPoints = 1;
    SetStation(state.tables.Sections, state.tables.SelectedSections, 0, 1);
    for (CrossSection* record : {&state.tables.Sections[0], &state.tables.SelectedSections[0]}) {
        record->MessageKind = "ERROR";
        record->MessageText = "No cross section";
    }
    Build();
    const ReportStation& block = state.report.FinalReport.at(0);
    EXPECT_EQ(block.MessageKind, "ERROR");
    EXPECT_EQ(block.MessageText, "No cross section");
    EXPECT_EQ(block.LastLine, 1);
    for (const auto& line : block.Cells) {
        for (const ReportCell& cell : line) {
            EXPECT_EQ(cell, ReportCell{});
        }
    }
}

TEST_F(ReportTableTest, MessageTestReadsTheUnfilteredTable) {
    SetStation(state.tables.Sections, state.tables.SelectedSections, 0, 2);
    state.tables.SelectedSections[0].MessageKind = "MESSAGE";
    Build();
    EXPECT_EQ(state.report.FinalReport.at(0).MessageKind, "");
    EXPECT_EQ(state.report.FinalReport.at(0).Cells[0][1][kCellLabel], "C1");
}

// 31 points and both offset points make 33 cells: lines 0 to 10, none overwritten.
TEST_F(ReportTableTest, FullStationWithBothOffsetsKeepsEveryCell) {
    state.flags.LeftOffsetPoints = 1;
    state.flags.RightOffsetPoints = 1;
    const ReportStation& block = BuildUndivided(31);
    EXPECT_EQ(block.LastLine, 10);
    EXPECT_EQ(block.Cells[0][0][kCellLabel], "Lt. offsetPt.");
    for (int j = 0; j < 31; ++j) {
        const int cell = j + 1;
        EXPECT_EQ(block.Cells[cell / 3][cell % 3][kCellLabel], "C" + std::to_string(j));
    }
    EXPECT_EQ(block.Cells[10][2][kCellLabel], "Rt. offsetPt.");
}

TEST_F(ReportTableTest, ThirtyCellsAndRightOffsetUseLineTen) {
    state.flags.RightOffsetPoints = 1;
    const ReportStation& block = BuildUndivided(30);
    EXPECT_EQ(block.LastLine, 10);
    EXPECT_EQ(block.Cells[9][2][kCellLabel], "C29");
    EXPECT_EQ(block.Cells[10][0][kCellLabel], "Rt. offsetPt.");
}

TEST_F(ReportTableTest, LowerCaseDividedBuildsBothSidesFromTheirOwnTables) {
    state.settings.RoadwayType = "divided";
    SetStation(state.tables.SectionsLeft, state.tables.SelectedSectionsLeft, 0, 1);
    SetStation(state.tables.SectionsRight, state.tables.SelectedSectionsRight, 0, 2);
    Build();
    ASSERT_EQ(state.report.FinalReportLeft.size(), 1u);
    ASSERT_EQ(state.report.FinalReportRight.size(), 1u);
    EXPECT_EQ(state.report.FinalReportLeft[0].Cells[0][1], ReportCell{});
    EXPECT_EQ(state.report.FinalReportRight[0].Cells[0][1][kCellLabel], "C1");
    EXPECT_TRUE(state.report.FinalReport.empty());
}

TEST_F(ReportTableTest, BookIsRebuiltWithRecordsUpToStationCount) {
    state.report.FinalReport.assign(5, test::StationBlock("old", 3));
    SetStation(state.tables.Sections, state.tables.SelectedSections, 0, 1);
    SetStation(state.tables.Sections, state.tables.SelectedSections, 1, 1);
    state.tables.StationCount = 1;
    Build();
    ASSERT_EQ(state.report.FinalReport.size(), 2u);
    EXPECT_EQ(state.report.FinalReport[1].Cells[0][1], ReportCell{});
    EXPECT_EQ(state.report.FinalReport[1].LastLine, 0);
}

TEST_F(ReportTableTest, OtherRoadwayTypesBuildNothing) {
    state.settings.RoadwayType = "RAMP";
    state.report.FinalReport.assign(2, ReportStation{});
    Build();
    EXPECT_EQ(state.report.FinalReport.size(), 2u);
    EXPECT_TRUE(state.report.FinalReportLeft.empty());
}

TEST_F(ReportTableTest, StationWithoutPointsAndRightOffsetPutsItOnLineOne) {
    state.flags.RightOffsetPoints = 1;
    SetStation(state.tables.Sections, state.tables.SelectedSections, 0, 0);
    Build();
    const ReportStation& block = state.report.FinalReport.at(0);
    EXPECT_EQ(block.LastLine, 1);
    EXPECT_EQ(block.Cells[1][0][kCellLabel], "Rt. offsetPt.");
}

// A book is rebuilt over the old one in place: nothing of the old stations may
// show through, whatever they held.
TEST_F(ReportTableTest, RebuildOverAFullBookEqualsAFreshBuild) {
    SetStation(state.tables.Sections, state.tables.SelectedSections, 0, 2);
    SetStation(state.tables.Sections, state.tables.SelectedSections, 1, 1);
    for (CrossSection* record : {&state.tables.Sections[1], &state.tables.SelectedSections[1]}) {
        record->MessageKind = "MESSAGE";
        record->MessageText = "Design only";
    }
    SetStation(state.tables.Sections, state.tables.SelectedSections, 2, 0);
    state.tables.StationCount = 2;
    State fresh = state;

    ReportStation old = test::StationBlock("old", kCellLines);
    old.Label = "Design Sec. Sta.";
    old.MessageKind = "ERROR";
    old.MessageText = "An old message that is long enough to live on the heap";
    state.report.FinalReport.assign(4, old);
    Build();
    WritetoFinalReport(fresh.tables, fresh.settings, fresh.flags, fresh.report);

    ASSERT_EQ(state.report.FinalReport.size(), 3u);
    ASSERT_EQ(fresh.report.FinalReport.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const ReportStation& rebuilt = state.report.FinalReport[i];
        const ReportStation& expected = fresh.report.FinalReport[i];
        EXPECT_EQ(rebuilt.Label, expected.Label) << i;
        EXPECT_EQ(rebuilt.Station, expected.Station) << i;
        EXPECT_EQ(rebuilt.Column0Text, expected.Column0Text) << i;
        EXPECT_EQ(rebuilt.LastLine, expected.LastLine) << i;
        EXPECT_EQ(rebuilt.MessageKind, expected.MessageKind) << i;
        EXPECT_EQ(rebuilt.MessageText, expected.MessageText) << i;
        EXPECT_EQ(rebuilt.Cells, expected.Cells) << i;
    }
    EXPECT_EQ(state.report.FinalReport[1].MessageText, "Design only");
    EXPECT_EQ(state.report.FinalReport[0].MessageKind, "");
}

// A computed text in the book (a slope, an offset point's offset or
// elevation) is a plain number that fits its 20-column cell, whatever absurd
// numbers the file or the distances hold; the file's own texts print as they stand.
void ExpectComputedCellText(const std::string& text, std::size_t width) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (std::string_view bad : {"inf", "nan", "e+", "e-"}) {
        EXPECT_EQ(lower.find(bad), std::string::npos) << '"' << text << '"';
    }
    EXPECT_LE(text.size(), width) << '"' << text << '"';
}

TEST_F(ReportTableTest, AbsurdNumbersNeverGarbleAComputedCell) {
    const std::vector<std::vector<std::string>> offsets{{"-12.000", "0", "12"},
                                                        {"-1e308", "0", "1e308"},
                                                        {"nan", "-0", "inf", "12"},
                                                        {"0", "0.3", "12"}};
    const std::vector<std::vector<std::string>> elevations{{"99.76", "100", "99.76"},
                                                           {"1", "2", "1e308"},
                                                           {"-0", "1e23", "nan", "99"},
                                                           {"100", "1e13", "1e13"}};
    const std::vector<std::array<std::string, 2>> requests{
        {kFromLastPoint, "2"},     {kFromLastPoint, "1e308"},   {kFromLastPoint, "-1e23"},
        {kFromCenterLine, "1e23"}, {kFromCenterLine, "-1e308"}, {kFromLastPoint, "-0"}};
    state.tables.StationCount = static_cast<int32_t>(offsets.size()) - 1;
    state.flags.LeftOffsetPoints = 1;
    state.flags.RightOffsetPoints = 1;
    const std::array<std::string, 2> roadways{kUndivided, kDivided};
    for (const std::string& roadway : roadways) {
        for (const auto& [from, distance] : requests) {
            SCOPED_TRACE(roadway + " " + from + " " + distance);
            state.settings = Settings{};
            state.settings.RoadwayType = roadway;
            state.settings.LeftOffsetFrom = state.settings.RightOffsetFrom = from;
            state.settings.LeftOffsetDistance = distance;
            state.settings.RightOffsetDistance = distance;
            for (SectionTable* table : {&state.tables.Sections, &state.tables.SectionsLeft,
                                        &state.tables.SectionsRight}) {
                for (size_t i = 0; i < offsets.size(); ++i) {
                    CrossSection& record = (*table)[i] = CrossSection{};
                    record.LastPoint = static_cast<int32_t>(offsets[i].size()) - 1;
                    for (size_t j = 0; j < offsets[i].size(); ++j) {
                        record.PointCode[j] = "C" + std::to_string(j);
                        record.PointOffset[j] = offsets[i][j];
                        record.PointElevation[j] = elevations[i][j];
                    }
                }
            }
            CalculateSlopes(state.tables, state.settings);
            CalculateOffsetPoints(state.tables, state.settings);
            KeepAllPoints(state.tables, state.settings, state.flags);
            Build();

            const ReportBook& book =
                roadway == kDivided ? state.report.FinalReportLeft : state.report.FinalReport;
            ASSERT_EQ(book.size(), offsets.size());
            for (size_t i = 0; i < book.size(); ++i) {
                for (const auto& line : book[i].Cells) {
                    for (const ReportCell& cell : line) {
                        // A slope prints with a "%" after it.
                        ExpectComputedCellText(cell[kCellSlope], kReportCellWidth - 1);
                        if (cell[kCellLabel].find("offsetPt.") != std::string::npos) {
                            ExpectComputedCellText(cell[kCellOffset], kReportCellWidth);
                            ExpectComputedCellText(cell[kCellElevation], kReportCellWidth);
                        } else if (!cell[kCellLabel].empty()) {
                            EXPECT_NE(
                                std::find(offsets[i].begin(), offsets[i].end(), cell[kCellOffset]),
                                offsets[i].end());
                        }
                    }
                }
            }
            // The file's texts as they stand; a first point that is no number stays first.
            EXPECT_EQ(book[2].Cells[0][1][kCellOffset], "nan");
            EXPECT_EQ(book[2].Cells[0][2][kCellElevation], "1e23");
        }
    }
}

}  // namespace
}  // namespace corvane
