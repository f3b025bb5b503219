// The undivided reader: how rows become stations and points, and how files
// that do not fit the tables are refused.
#include <string>

#include "input/reader_messages.h"
#include "reader_fixture.h"

namespace corvane::test {
namespace {

using InputUndividedReader = ReaderTest;

std::string Station(const std::string& name, int points) {
    std::string rows;
    for (int p = 0; p < points; ++p) {
        rows +=
            UndividedPoint(name, "JL", std::to_string(p) + ".00", "100.0" + std::to_string(p % 10));
    }
    return rows;
}

TEST_F(InputUndividedReader, ThreePointRowsThenSeparatorMakeOneStation) {
    ASSERT_EQ(Read(kUndividedHeader + UndividedPoint("10+00 R1", "BOC", "-22.00", "100.81") +
                   UndividedPoint("10+00 R1", " CL ", "0.000", "101.250") +
                   UndividedPoint("10+00 R1", "BOC", "22.00", "100.81") + kSeparatorRow),
              ReadOutcome::Read);
    const CrossSection& station = Undivided(0);
    EXPECT_EQ(station.LastPoint, 2);
    EXPECT_EQ(station.Column0Text, "MAIN");
    EXPECT_EQ(station.Station, "10+00 R1");
    EXPECT_EQ(station.Column4Text, "PGL");
    EXPECT_EQ(station.CrossSectionStation, "10+00 R1");
    EXPECT_EQ(station.PointCode[1], " CL ");  // texts are kept exactly, blanks included
    EXPECT_EQ(station.PointOffset[1], "0.000");
    EXPECT_EQ(station.PointElevation[2], "100.81");
    EXPECT_TRUE(station.MessageKind.empty());
    // The separator closed the station and opened an empty last record.
    EXPECT_EQ(state_tables.StationCount, 1);
    EXPECT_EQ(Undivided(1).LastPoint, -1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InputUndividedReader, FileEndingOnAPointRowEndsOnItsLastStation) {
    ASSERT_EQ(Read(kUndividedHeader + Station("1+00", 2) + kSeparatorRow + Station("2+00", 4)),
              ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 1);
    EXPECT_EQ(Undivided(0).LastPoint, 1);
    EXPECT_EQ(Undivided(1).LastPoint, 3);
    EXPECT_EQ(Undivided(1).Station, "2+00");
}

TEST_F(InputUndividedReader, OnlyTheHeaderGivesOneRecordWithoutPoints) {
    ASSERT_EQ(Read(kUndividedHeader), ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 0);
    EXPECT_EQ(Undivided(0).LastPoint, -1);
}

TEST_F(InputUndividedReader, TwoSeparatorsLeaveAStationWithoutPointsBetweenThem) {
    ASSERT_EQ(Read(kUndividedHeader + Station("1+00", 1) + kSeparatorRow + kSeparatorRow +
                   Station("3+00", 1)),
              ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 2);
    EXPECT_EQ(Undivided(1).LastPoint, -1);
    EXPECT_EQ(Undivided(2).Station, "3+00");
}

TEST_F(InputUndividedReader, SevenCommasAnywhereMakeASeparatorAndThePointIsLost) {
    ASSERT_EQ(Read(kUndividedHeader + Station("1+00", 2) +
                   "MAIN,1+00,PT,,PGL,1+00,,,,,,,JL,5.00,99.00\n" + Station("2+00", 1)),
              ReadOutcome::Read);
    EXPECT_EQ(Undivided(0).LastPoint, 1);
    EXPECT_TRUE(Undivided(0).PointCode[2].empty());
    EXPECT_EQ(Undivided(1).Station, "2+00");
}

TEST_F(InputUndividedReader, BlankRowsAndRowsWithoutStationEndTheStation) {
    // A blank row of spaces ends the station; so does a point row whose
    // columns 0 and 1 are empty, and its point is stored but not counted.
    ASSERT_EQ(Read(kUndividedHeader + Station("1+00", 2) + "   \n" + Station("2+00", 1) +
                   ",,PT,,PGL,2+00,,,,EOP,9.00,98.00\n" + Station("3+00", 1)),
              ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 2);
    EXPECT_EQ(Undivided(0).LastPoint, 1);
    EXPECT_EQ(Undivided(1).LastPoint, 0);
    EXPECT_EQ(Undivided(1).PointCode[1], "EOP");
    EXPECT_TRUE(Undivided(1).Station.empty());  // the last row that named the record
    EXPECT_EQ(Undivided(2).Station, "3+00");
}

TEST_F(InputUndividedReader, StationTextsComeFromItsLastRow) {
    ASSERT_EQ(Read(kUndividedHeader + UndividedPoint("1+00", "JL", "1", "2") +
                   UndividedPoint("1+00 X", "JL", "3", "4")),
              ReadOutcome::Read);
    EXPECT_EQ(Undivided(0).Station, "1+00 X");
    EXPECT_EQ(Undivided(0).LastPoint, 1);
}

TEST_F(InputUndividedReader, MessageRowEndsItsStationWithOneEntry) {
    ASSERT_EQ(Read(kUndividedHeader + Station("1+00", 3) + kSeparatorRow + Station("2+00", 2) +
                   "MAIN,2+00,ERROR,Template drop failed,,\n" + Station("3+00", 1) + kSeparatorRow +
                   "MAIN,4+00,MESSAGE,Check grades\n"),
              ReadOutcome::Read);
    const CrossSection& message = Undivided(1);
    EXPECT_EQ(message.MessageKind, "ERROR");
    EXPECT_EQ(message.MessageText, "Template drop failed");
    EXPECT_EQ(message.LastPoint, 0);
    EXPECT_EQ(message.PointCode[1], "JL");  // read before the message, kept but not counted
    EXPECT_EQ(Undivided(2).Station, "3+00");
    EXPECT_EQ(Undivided(3).MessageKind, "MESSAGE");
    EXPECT_EQ(Undivided(3).MessageText, "Check grades");
    // The closing message row opens one more, empty record.
    EXPECT_EQ(state_tables.StationCount, 4);
    EXPECT_EQ(Undivided(4).LastPoint, -1);
}

TEST_F(InputUndividedReader, MessageKeywordIsCaseSensitive) {
    ASSERT_EQ(Read(kUndividedHeader + "MAIN,1+00,message,text,PGL,1+00,,,,BR,4.0,5.0\n"),
              ReadOutcome::Read);
    EXPECT_TRUE(Undivided(0).MessageKind.empty());
    EXPECT_EQ(Undivided(0).PointCode[0], "BR");
    EXPECT_EQ(Undivided(0).LastPoint, 0);
}

TEST_F(InputUndividedReader, AcceptsCrlfMissingLastLineEndAndWindows1252) {
    ASSERT_EQ(Read(" PAVING GRADES REPORT,\r\n2\r\nUNDIVIDED,\r\n"
                   "MAIN,1+00 \xC9st,PT,,PGL,1+00,,,,CL,0.00,100.00\r\n"
                   "MAIN,1+00 \xC3\xA9,PT,,PGL,1+00,,,,JL,12.00,99.76"),
              ReadOutcome::Read);
    EXPECT_EQ(Undivided(0).PointElevation[0], "100.00");  // no carriage return left
    EXPECT_EQ(Undivided(0).PointElevation[1], "99.76");   // the unterminated last line
    EXPECT_EQ(Undivided(0).LastPoint, 1);
    EXPECT_EQ(Undivided(0).Station, "1+00 \xC3\xA9");  // valid UTF-8 stays as it is
}

TEST_F(InputUndividedReader, Windows1252LineBecomesUtf8) {
    ASSERT_EQ(Read(kUndividedHeader + "MAIN,1+00 \xC9st \x80,PT,,PGL,1+00,,,,CL,0.00,100.00\n"),
              ReadOutcome::Read);
    EXPECT_EQ(Undivided(0).Station, "1+00 \xC3\x89st \xE2\x82\xAC");
}

TEST_F(InputUndividedReader, EveryRunStartsFromEmptyTables) {
    ASSERT_EQ(Read(kUndividedHeader + Station("1+00", 5) + "MAIN,2+00,ERROR,old,\n"),
              ReadOutcome::Read);
    ASSERT_EQ(Read(kUndividedHeader + Station("9+00", 2) + kSeparatorRow + Station("9+50", 1)),
              ReadOutcome::Read);
    EXPECT_TRUE(Undivided(0).PointCode[4].empty());
    EXPECT_TRUE(Undivided(1).MessageKind.empty());
    EXPECT_TRUE(Undivided(1).MessageText.empty());
    EXPECT_EQ(state_tables.StationCount, 1);
}

TEST_F(InputUndividedReader, ReadsTheSr60Sample) {
    ASSERT_EQ(ReadFile(std::string(CORVANE_TEST_DATA) + "/sr60-undivided.csv"), ReadOutcome::Read);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(settings.RoadwayType, kUndivided);
    const CrossSection& first = Undivided(0);
    EXPECT_EQ(first.Station, "2389+00.00 R1");
    EXPECT_EQ(first.CrossSectionStation, "2389+12.00 R1");
    EXPECT_EQ(first.LastPoint, 8);
    EXPECT_EQ(first.PointCode[0], "LtSgEOP");
    EXPECT_EQ(first.PointOffset[8], "24.000");
    int errors = 0;
    int messages_rows = 0;
    for (int i = 0; i <= state_tables.StationCount; ++i) {
        errors += Undivided(i).MessageKind == "ERROR";
        messages_rows += Undivided(i).MessageKind == "MESSAGE";
    }
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(messages_rows, 1);
}

// ---- Files that do not fit the tables are refused with the line that is wrong.

class InputUndividedRefusal : public ReaderTest {
  protected:
    // Reads and checks that the file was refused with one message about `line`.
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

TEST_F(InputUndividedRefusal, ThirtyOnePointsFitAndAThirtySecondIsRefused) {
    ASSERT_EQ(Read(kUndividedHeader + Station("1+00", 31)), ReadOutcome::Read);
    EXPECT_EQ(Undivided(0).LastPoint, 30);
    EXPECT_EQ(Undivided(0).PointOffset[30], "30.00");
    ExpectRefused(kUndividedHeader + Station("1+00", 2) + kSeparatorRow + Station("2+00", 32),
                  3 + 2 + 1 + 32, "at most 31 points");
}

TEST_F(InputUndividedRefusal, ShortRowsAreRefused) {
    ExpectRefused(kUndividedHeader + Station("1+00", 1) + "MAIN,1+00,PT,,PGL,1+00,,,,JL,5.0\n", 5,
                  "a point row needs at least 12 columns, this one has 11");
    messages.shown.clear();
    ExpectRefused(kUndividedHeader + "MAIN,1+00,ERROR\n", 4,
                  "a message row needs at least 4 columns, this one has 3");
    messages.shown.clear();
    ExpectRefused(kUndividedHeader + "just some words\n", 4, "this one has 1");
}

// Builds `stations` stations of one point each, each closed by a separator,
// except that the last one is closed only when `final_separator` is set.
std::string ManyStations(int stations, bool final_separator) {
    std::string content = kUndividedHeader;
    for (int i = 0; i < stations; ++i) {
        content += UndividedPoint(std::to_string(i) + "+00", "CL", "0.00", "100.00");
        if (i + 1 < stations || final_separator) {
            content += kSeparatorRow;
        }
    }
    return content;
}

TEST_F(InputUndividedRefusal, StationLimitCountsRecordsAsTheTablesDo) {
    ASSERT_EQ(Read(ManyStations(2001, false)), ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 2000);
    EXPECT_EQ(Undivided(2000).Station, "2000+00");
    EXPECT_EQ(Undivided(2000).LastPoint, 0);

    ASSERT_EQ(Read(ManyStations(2000, true)), ReadOutcome::Read);
    EXPECT_EQ(state_tables.StationCount, 2000);
    EXPECT_EQ(Undivided(2000).LastPoint, -1);

    // The separator after the 2001st station is the file's last line.
    ExpectRefused(ManyStations(2001, true), 3 + 2001 * 2, "at most 2001 stations");
}

TEST_F(InputUndividedRefusal, ContentNoTextFileHasIsRefused) {
    ExpectRefused(kUndividedHeader + Station("1+00", 1) + std::string("MAIN,1+00\0,PT", 13) +
                      ",PGL,1+00,,,,JL,5.0,6.0\n",
                  5, "NUL");
    messages.shown.clear();
    ExpectRefused(kUndividedHeader + Station("1+00", 1) + std::string(10'000'000, 'x') + "\n", 5,
                  "longer than 1048576 characters");
}

TEST_F(InputUndividedRefusal, FileGoneBeforeTheDataIsReadIsAProgramError) {
    ASSERT_EQ(Read(kUndividedHeader + Station("1+00", 3)), ReadOutcome::Read);
    std::filesystem::remove(settings.InputFile);
    EXPECT_EQ(GPKUndivided(state_tables, settings, messages), ReadOutcome::Rejected);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Program Error : cannot open " + settings.InputFile +
                                     " (No such file or directory) occured in GPKUndivided");
    EXPECT_TRUE(TablesAreEmpty());
}

}  // namespace
}  // namespace corvane::test
