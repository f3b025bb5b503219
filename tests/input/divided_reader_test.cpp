// The divided reader: left and right groups, their terminators and odd
// cases, StoreSide's column rules, and refused files.
#include <string>

#include "input/reader_messages.h"
#include "reader_fixture.h"

namespace corvane::test {
namespace {

using InputDividedReader = ReaderTest;

// `points` rows of one side of a station, offsets 1, 2, ... to tell them apart.
std::string Group(const std::string& station, const std::string& side, int points) {
    std::string rows;
    for (int p = 1; p <= points; ++p) {
        rows += DividedPoint(station, side, side == "LEFT" ? "LtSgEOP" : "RtSgEOP",
                             std::to_string(p), "90.5");
    }
    return rows;
}

std::string StationRows(const std::string& station, int left, int right) {
    return Group(station, "LEFT", left) + kTerminatorRow + Group(station, "RIGHT", right) +
           kTerminatorRow;
}

TEST_F(InputDividedReader, BothSidesOfAStationShareItsIndex) {
    ASSERT_EQ(Read(kDividedHeader + StationRows("1+00", 3, 2) + StationRows("2+00", 1, 4)),
              ReadOutcome::Read);
    EXPECT_EQ(settings.RoadwayType, kDivided);
    EXPECT_EQ(state_tables.StationCount, 1);  // the last line is the last terminator
    EXPECT_EQ(Left(0).LastPoint, 2);
    EXPECT_EQ(Right(0).LastPoint, 1);
    EXPECT_EQ(Left(1).LastPoint, 0);
    EXPECT_EQ(Right(1).LastPoint, 3);
    EXPECT_EQ(Left(0).Column0Text, "I9");
    EXPECT_EQ(Left(0).Station, "1+00");
    EXPECT_EQ(Right(1).Station, "2+00");
    EXPECT_EQ(Right(1).CrossSectionStation, "2+00");
    EXPECT_EQ(Right(1).Column4Text, "PGL");
    EXPECT_EQ(Left(0).PointCode[2], "LtSgEOP");
    EXPECT_EQ(Left(0).PointOffset[2], "3");
    EXPECT_EQ(Right(1).PointElevation[3], "90.5");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InputDividedReader, StationLosesLeadingSpacesAndBlankColumnsKeepTheLastName) {
    ASSERT_EQ(Read(kDividedHeader + "I9,   1+00 EB,,PT,PGL,1+00,1,2,LEFT,JL,-5,90\n" +
                   " , ,,PT,PGL,1+00,1,2,LEFT,BOC,-4,91\n" +
                   "I9b,1+00 EB,,PT,PGL,1+00,1,2,LEFT,FOC,-3,92\n" + kTerminatorRow +
                   Group("1+00", "RIGHT", 1) + kTerminatorRow),
              ReadOutcome::Read);
    EXPECT_EQ(Left(0).Station, "1+00 EB");
    EXPECT_EQ(Left(0).Column0Text, "I9b");
    EXPECT_EQ(Left(0).LastPoint, 2);
    EXPECT_EQ(Left(0).PointCode[1], "BOC");
}

TEST_F(InputDividedReader, MessageRowsAndTheirLetterCase) {
    ASSERT_EQ(Read(kDividedHeader + "I9,1+00,,ERROR,Median template missing,,,,LEFT,,,\n" +
                   kTerminatorRow + "I9,1+00,,Error,Right side note,,,,RIGHT,,,\n" +
                   kTerminatorRow + "I9,2+00,,Error,PGL,2+00,1,2,LEFT,JL,-5,90\n" + kTerminatorRow +
                   Group("2+00", "RIGHT", 1) + kTerminatorRow),
              ReadOutcome::Read);
    EXPECT_EQ(Left(0).MessageKind, "ERROR");
    EXPECT_EQ(Left(0).MessageText, "Median template missing");
    EXPECT_EQ(Left(0).LastPoint, 1);
    EXPECT_EQ(Right(0).MessageKind, "Error");  // the right side takes any letter case
    EXPECT_EQ(Right(0).MessageText, "Right side note");
    EXPECT_EQ(Right(0).LastPoint, 1);
    // On the left only the exact keyword makes a message row.
    EXPECT_TRUE(Left(1).MessageKind.empty());
    EXPECT_EQ(Left(1).PointCode[0], "JL");
    EXPECT_EQ(Left(1).LastPoint, 0);
}

TEST_F(InputDividedReader, WrongSideMarkerEndsTheProgramWithItsMessage) {
    ASSERT_EQ(Read(kDividedHeader + Group("7+00", "LEFT", 4) +
                   DividedPoint("7+00", "RIGHT", "LEFT-JL", "5", "90") + kTerminatorRow),
              ReadOutcome::EndProgram);
    EXPECT_EQ(
        messages.shown,
        std::vector<std::string>{"Error at LeftSide Station: 7+00(LineNumber: 4) Program Exiting"});
    EXPECT_TRUE(TablesAreEmpty());
}

TEST_F(InputDividedReader, MixedCaseErrorOnTheLeftIsAPointRowThatNeedsItsMarker) {
    EXPECT_EQ(Read(kDividedHeader + "I9,3+00,,Error,LEFT lane closed,,,,,,,\n" + kTerminatorRow),
              ReadOutcome::EndProgram);
    EXPECT_EQ(
        messages.shown,
        std::vector<std::string>{"Error at LeftSide Station: 3+00(LineNumber: 0) Program Exiting"});
}

TEST_F(InputDividedReader, BlankLineCutsTheLeftGroupAndItsRestIsPassedOver) {
    ASSERT_EQ(Read(kDividedHeader + Group("1+00", "LEFT", 2) + "\n" +
                   DividedPoint("1+00", "LEFT", "BOC", "3", "90") +
                   DividedPoint("1+00", "LEFT", "FOC", "4", "90") + kTerminatorRow +
                   Group("1+00", "RIGHT", 2) + kTerminatorRow),
              ReadOutcome::Read);
    EXPECT_EQ(Left(0).LastPoint, 1);
    EXPECT_TRUE(Left(0).PointCode[2].empty());
    EXPECT_EQ(Right(0).LastPoint, 1);
    EXPECT_EQ(Right(0).PointOffset[0], "1");
    EXPECT_EQ(state_tables.StationCount, 0);
}

// Odd endings of station 8+00, each followed by station 9+00 with two left
// points and one right point. Passing over what is left of 8+00 must stop at
// 9+00's first left row, except where a terminator stands where that row
// belongs: then the terminator opens 9+00 and its left record stays empty.
TEST_F(InputDividedReader, WhatFollowsAStationDecidesWhereTheNextOneStarts) {
    struct Case {
        std::string name;
        std::string rows;  // station 8+00
        bool next_left_kept;
    };
    const std::string left = Group("8+00", "LEFT", 1);
    const std::string right = Group("8+00", "RIGHT", 2);
    for (const Case& c : {
             Case{"stray right rows after the terminator",
                  StationRows("8+00", 1, 1) +
                      "RIGHT,8+00,,PT,PGL,8+00,1,2,RIGHT,JL,13,99.7\nRIGHT,,x\n",
                  true},
             Case{"right group cut by a blank line",
                  left + kTerminatorRow + Group("8+00", "RIGHT", 1) + "  \n" + right +
                      kTerminatorRow,
                  true},
             Case{"blank line after the last left row",
                  Group("8+00", "LEFT", 2) + "\n" + kTerminatorRow + right + kTerminatorRow, true},
             Case{"blank line before the right terminator",
                  left + kTerminatorRow + right + "\n" + kTerminatorRow, false},
         }) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Read(kDividedHeader + c.rows + StationRows("9+00", 2, 1)), ReadOutcome::Read);
        EXPECT_EQ(state_tables.StationCount, 1);
        EXPECT_EQ(Left(0).Station, "8+00");
        if (c.next_left_kept) {
            EXPECT_EQ(Left(1).Station, "9+00");
            EXPECT_EQ(Left(1).LastPoint, 1);
            EXPECT_EQ(Left(1).PointOffset[0], "1");
            EXPECT_EQ(Left(1).PointOffset[1], "2");
        } else {
            EXPECT_EQ(Left(1).Station, "");
            EXPECT_EQ(Left(1).LastPoint, -1);
        }
        EXPECT_EQ(Right(1).Station, "9+00");
        EXPECT_EQ(Right(1).LastPoint, 0);
        EXPECT_EQ(Right(1).PointCode[0], "RtSgEOP");
    }
}

TEST_F(InputDividedReader, RightGroupWithoutTerminatorBeforeItLosesItsFirstRow) {
    ASSERT_EQ(Read(kDividedHeader + Group("1+00", "LEFT", 2) +
                   DividedPoint("1+00", "RIGHT", "FOC", "15", "88") +
                   DividedPoint("1+00", "RIGHT", "BOC", "16", "89") +
                   DividedPoint("1+00", "RIGHT", "JL", "28", "87") + kTerminatorRow),
              ReadOutcome::Read);
    EXPECT_EQ(Left(0).LastPoint, 1);
    EXPECT_EQ(Right(0).LastPoint, 1);
    EXPECT_EQ(Right(0).PointCode[0], "BOC");
}

TEST_F(InputDividedReader, EndOfFileRules) {
    // A last line that would begin a station is not read into the tables.
    ASSERT_EQ(Read(kDividedHeader + StationRows("1+00", 1, 1) + Group("2+00", "LEFT", 1)),
              ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 1);
    EXPECT_TRUE(Left(1).Station.empty());
    EXPECT_TRUE(Left(1).PointCode[0].empty());

    // Lines after the last terminator move the count on once more.
    ASSERT_EQ(Read(kDividedHeader + StationRows("1+00", 1, 1) + "\n"), ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 1);
    EXPECT_TRUE(Left(1).Station.empty());
    ASSERT_EQ(Read(kDividedHeader + StationRows("1+00", 1, 1) + kTerminatorRow + kTerminatorRow),
              ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 1);

    // Only the header: no station was read.
    ASSERT_EQ(Read(kDividedHeader), ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 0);
}

TEST_F(InputDividedReader, FileEndingInsideAGroupClosesThatGroup) {
    ASSERT_EQ(Read(kDividedHeader + StationRows("1+00", 1, 1) + Group("2+00", "LEFT", 1) +
                   kTerminatorRow + Group("2+00", "RIGHT", 3)),
              ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 1);
    EXPECT_EQ(Right(1).LastPoint, 2);

    ASSERT_EQ(Read(kDividedHeader + Group("1+00", "LEFT", 4)), ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 0);
    EXPECT_EQ(Left(0).LastPoint, 3);
}

TEST_F(InputDividedReader, ShortPointRowKeepsItsFirstColumnsAndReadingGoesOn) {
    ASSERT_EQ(
        Read(kDividedHeader + Group("1+00", "LEFT", 1) + "I9,1+00,,PT,Short,1+00 X,1,2,LEFT,JL\n" +
             DividedPoint("1+00", "LEFT", "BOC", "3", "90") + kTerminatorRow +
             Group("1+00", "RIGHT", 1) + "I9,1+00,,PT,RIGHT\n" + kTerminatorRow),
        ReadOutcome::Read);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{kErrorInStoreSide, kErrorInStoreSide}));
    const CrossSection& left = Left(0);
    EXPECT_EQ(left.PointCode[1], "JL");
    EXPECT_TRUE(left.PointOffset[1].empty());
    EXPECT_TRUE(left.PointElevation[1].empty());
    EXPECT_EQ(left.Column4Text, "PGL");   // the short row's column 4 was replaced by the next row
    EXPECT_EQ(left.PointCode[2], "BOC");  // the point index moved on past the short row
    EXPECT_EQ(left.LastPoint, 2);
    EXPECT_EQ(Right(0).LastPoint, 1);
}

TEST_F(InputDividedReader, ShortMessageRowKeepsItsKind) {
    ASSERT_EQ(Read(kDividedHeader + "LEFT,1+00,,MESSAGE\n" + kTerminatorRow +
                   Group("1+00", "RIGHT", 1) + kTerminatorRow),
              ReadOutcome::Read);
    EXPECT_EQ(messages.shown, std::vector<std::string>{kErrorInStoreSide});
    EXPECT_EQ(Left(0).MessageKind, "MESSAGE");
    EXPECT_EQ(Left(0).LastPoint, 1);
}

TEST_F(InputDividedReader, LineWithoutCommaWhereRowsAreReadStopsTheRun) {
    // As the first line of a group: the station is that of the last row read.
    EXPECT_EQ(Read(kDividedHeader + StationRows("1+00 EB", 1, 1) + "END OF REPORT\n" +
                   StationRows("2+00", 1, 1)),
              ReadOutcome::Rejected);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{" There is something wrong at Sta. 1+00 EB"});
    EXPECT_TRUE(TablesAreEmpty());
    EXPECT_EQ(state_tables.StationCount, 0);

    messages.shown.clear();
    EXPECT_EQ(Read(kDividedHeader + Group("4+00", "LEFT", 2) + "LEFT\n" + kTerminatorRow),
              ReadOutcome::Rejected);
    EXPECT_EQ(messages.shown, std::vector<std::string>{" There is something wrong at Sta. 4+00"});
    EXPECT_TRUE(TablesAreEmpty());
}

TEST_F(InputDividedReader, EveryRunStartsFromEmptyTables) {
    ASSERT_EQ(Read(kUndividedHeader + UndividedPoint("1+00", "CL", "0", "1")), ReadOutcome::Read);
    ASSERT_EQ(Read(kDividedHeader + StationRows("1+00", 1, 1)), ReadOutcome::Read);
    EXPECT_TRUE(Undivided(0).PointCode[0].empty());
    EXPECT_TRUE(Undivided(0).Station.empty());
}

TEST_F(InputDividedReader, ReadsTheI4Sample) {
    ASSERT_EQ(ReadFile(std::string(CORVANE_TEST_DATA) + "/i4-divided.csv"), ReadOutcome::Read);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state_tables.StationCount, 43);
    EXPECT_EQ(Left(0).Station, "1040+00.00 EB");
    EXPECT_EQ(Left(0).LastPoint, 5);
    EXPECT_EQ(Right(0).PointCode[5], "RtSgShldr");
    EXPECT_EQ(Left(17).MessageKind, "ERROR");
    EXPECT_EQ(Left(17).MessageText, "Median template missing");
    EXPECT_EQ(Left(17).LastPoint, 1);
    EXPECT_EQ(Right(17).LastPoint, 5);
    EXPECT_EQ(Right(43).Station, "1083+00.00 EB");
}

// ---- Limits of the tables.

class InputDividedRefusal : public ReaderTest {
  protected:
    void ExpectRefused(const std::string& content, int line, const std::string& what) {
        EXPECT_EQ(Read(content), ReadOutcome::Rejected);
        ASSERT_EQ(messages.shown.size(), 1u);
        const std::string& text = messages.shown[0];
        EXPECT_EQ(
            text.rfind("Line " + std::to_string(line) + " of " + settings.InputFile + ": ", 0), 0u)
            << text;
        EXPECT_NE(text.find(what), std::string::npos) << text;
        EXPECT_TRUE(TablesAreEmpty());
        EXPECT_EQ(state_tables.StationCount, 0);
    }
};

TEST_F(InputDividedRefusal, ThirtyOnePointsFitAndAThirtySecondIsRefused) {
    ASSERT_EQ(Read(kDividedHeader + StationRows("1+00", 31, 31)), ReadOutcome::Read);
    EXPECT_EQ(Left(0).LastPoint, 30);
    EXPECT_EQ(Right(0).PointOffset[30], "31");

    ExpectRefused(kDividedHeader + StationRows("1+00", 31, 32), 4 + 31 + 1 + 32,
                  "at most 31 points");
    // A cut-short row counts as a point too, so it cannot stretch the group either.
    messages.shown.clear();
    ExpectRefused(
        kDividedHeader + Group("1+00", "LEFT", 31) + "I9,1+00,,PT,LEFT\n" + kTerminatorRow, 4 + 32,
        "at most 31 points");
}

std::string ManyDividedStations(int stations) {
    std::string content = kDividedHeader;
    for (int i = 0; i < stations; ++i) {
        content += StationRows(std::to_string(i) + "+00", 1, 1);
    }
    return content;
}

TEST_F(InputDividedRefusal, StationLimitCountsRecordsAsTheTablesDo) {
    ASSERT_EQ(Read(ManyDividedStations(2001)), ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 2000);
    EXPECT_EQ(Right(2000).Station, "2000+00");
    // One more line would begin a station beyond the tables.
    ExpectRefused(ManyDividedStations(2001) + "\n", 4 + 2001 * 4 + 1, "at most 2001 stations");
}

TEST_F(InputDividedRefusal, ContentNoTextFileHasIsRefused) {
    ExpectRefused(
        kDividedHeader + Group("1+00", "LEFT", 1) + std::string("I9,1+00\0LEFT,", 13) + "\n", 6,
        "NUL");
}

TEST_F(InputDividedRefusal, FileGoneBeforeTheDataIsReadIsAProgramError) {
    settings.InputFile = (folder_ / "gone.csv").string();
    EXPECT_EQ(ReadDivided(state_tables, settings, messages), ReadOutcome::Rejected);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Program Error : cannot open " + settings.InputFile +
                                       " (No such file or directory) occured in ReadDivided"});
}

}  // namespace
}  // namespace corvane::test
