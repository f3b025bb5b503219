// What the header check and the two readers make of a file: stations and
// points, messages, refusals.
#include "input/read_roadway.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>

#include <chrono>
#include <future>
#endif

#include "input/columns.h"
#include "input/line_reader.h"
#include "input/read_in_two.h"
#include "input/text_encoding.h"

namespace corvane::test {
namespace {

const std::string kUndividedHeader =
    " PAVING GRADES REPORT,,,,,,,,,,,\nJob 1 Test,Chain A,,,,,,,,,,\nUNDIVIDED,,,,,,,,,,,\n";
const std::string kDividedHeader =
    " PAVING GRADES REPORT,,,,,,,,,,,\nJob 2 Test,Chain B,,,,,,,,,,\nDIVIDED,,,,,,,,,,,\n"
    "Chain,Station,,Kind,Text,XS Station,North,East,Side,Code,Offset,Elev\n";
const std::string kSeparator = ",,,,,,,,,,,\n";
const std::string kTerminator = ",,,,,,,,,,,,,,,\n";

// `points` undivided point rows of one station, offsets 0, 1, ...
std::string Rows(const std::string& station, int points) {
    std::string rows;
    for (int p = 0; p < points; ++p) {
        rows +=
            "MAIN," + station + ",PT,,PGL," + station + ",1,2,,JL," + std::to_string(p) + ",9\n";
    }
    return rows;
}

// `points` divided rows of one side ("LEFT" or "RIGHT" in column 8) of a station.
std::string Group(const std::string& station, const std::string& side, int points) {
    std::string rows;
    for (int p = 1; p <= points; ++p) {
        rows += "I9," + station + ",,PT,PGL," + station + ",1,2," + side + ",JL," +
                std::to_string(p) + ",9\n";
    }
    return rows;
}

std::string Both(const std::string& station, int left, int right) {
    return Group(station, "LEFT", left) + kTerminator + Group(station, "RIGHT", right) +
           kTerminator;
}

// Stations of one point on each side; undivided ones each closed by a
// separator except the last, which is closed only when `final_separator` is set.
std::string Many(RoadwayType type, int stations, bool final_separator = false) {
    std::string content = type == RoadwayType::Divided ? kDividedHeader : kUndividedHeader;
    for (int i = 0; i < stations; ++i) {
        const std::string name = std::to_string(i);
        content += type == RoadwayType::Divided
                       ? Both(name, 1, 1)
                       : Rows(name, 1) + (i + 1 < stations || final_separator ? kSeparator : "");
    }
    return content;
}

// Each station as "station text/LastPoint", with "!" and the message kind of a
// message station: "1+00/2 /-1 2+00/0!ERROR". A divided roadway shows both sides.
std::string Shape(const Roadway& roadway) {
    std::string shape;
    for (const Side side : roadway.Sides()) {
        if (roadway.Type == RoadwayType::Divided) {
            shape += side == Side::Left ? "L:" : " | R:";
        }
        for (const Station& station : roadway.StationsOf(side)) {
            shape += (shape.empty() || shape.ends_with(':') ? "" : " ") + station.StationText +
                     "/" + std::to_string(station.LastPoint()) +
                     (station.MessageKind.empty() ? "" : "!" + station.MessageKind);
        }
    }
    return shape;
}

// Every text of a station: "chain|station|cross section station|message
// kind|message text" and "[code|offset|elevation]" a point.
std::string Fields(const Station& station) {
    std::string fields = station.ChainName + "|" + station.StationText + "|" +
                         station.CrossSectionStation + "|" + station.MessageKind + "|" +
                         station.MessageText;
    for (const Point& point : station.Points) {
        fields +=
            "[" + point.Code.str() + "|" + point.Offset.str() + "|" + point.Elevation.str() + "]";
    }
    return fields;
}

class InputReading : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = testing::TempDir() + "corvane-input-" + info->name() + ".csv";
        std::filesystem::remove(path_);  // a pipe a run before left
    }
    void TearDown() override { std::filesystem::remove(path_); }

    // Writes `content` byte for byte and reads it; the messages shown are kept.
    ReadResult Read(const std::string& content) {
        messages.shown.clear();
        std::ofstream(path_, std::ios::binary) << content;
        return ReadRoadway(path_, messages);
    }

    // What reading `content` gives, in one line: the Shape of the roadway read,
    // or "refused" or "ends the program"; then each message, shortened without
    // loss: the file reads FILE, "Line 5 of FILE: what. The file has not been
    // read." reads "line 5: what", "Program Error : what occured in R" reads "R: what".
    std::string Describe(const std::string& content) {
        const ReadResult result = Read(content);
        std::string description = result.Outcome == ReadOutcome::Read       ? Shape(result.Roadway)
                                  : result.Outcome == ReadOutcome::Rejected ? "refused"
                                                                            : "ends the program";
        for (std::string text : messages.shown) {
            for (size_t at; (at = text.find(path_)) != std::string::npos;) {
                text.replace(at, path_.size(), "FILE");
            }
            text = std::regex_replace(
                text, std::regex("^Line (.*?) of FILE: (.*)\\. The file has not been read\\.$"),
                "line $1: $2");
            text = std::regex_replace(text, std::regex("^Program Error : (.*) occured in (.*)$"),
                                      "$2: $1");
            description += " + " + text;
        }
        return description;
    }

    RecordingMessages messages;
    std::string path_;
};

struct Case {
    const char* what;
    std::string content;
    std::string description;
};

std::vector<Case> Cases() {
    const std::string U = kUndividedHeader, D = kDividedHeader, T = kTerminator, S = kSeparator;
    const std::string kInvalid = "refused + Invalid File Type check file format";
    const std::string kStoreSide = " + Error in StoreSide";
    const std::string longest =
        "MAIN,1,PT,,PGL,1,,,,JL,5,6," + std::string(kMaxLineLength - 27, 'x');
    // clang-format off
    std::vector<Case> cases = {
        {"the title's first character", "PAVING GRADES REPORT,\n2\nDIVIDED,\n", kInvalid},
        {"another title", " PAVING GRADE REPORT,\n2\nDIVIDED,\n", kInvalid},
        {"no title", ",PAVING\n2\nDIVIDED,\n", kInvalid},
        {"title without comma", " PAVING GRADES REPORT\n2\nUNDIVIDED,\n",
         "refused + GpkBlueTops: the title line of FILE has no comma"},
        {"roadway without comma", " PAVING GRADES REPORT,\n2\nUNDIVIDED\n" + Rows("1", 1),
         "refused + GpkBlueTops: the roadway line (line 3) of FILE has no comma"},
        {"a huge title line", std::string(10 * 1024 * 1024, 'A') + ",\n2\n3,\n",
         "refused + GpkBlueTops: line 1 of FILE is longer than 1048576 characters"},
        {"TWO-WAY is undivided", " PAVING GRADES REPORT,\n2\nTWO-WAY,DIVIDED\n", "/-1"},
        {"so is an empty first column", " PAVING GRADES REPORT,\n2\n,DIVIDED\n", "/-1"},
        // The undivided reader.
        {"a separator closes a station, opens one", U + Rows("1", 3) + S, "1/2 /-1"},
        {"the file ends on a point row", U + Rows("1", 2) + S + Rows("2", 4), "1/1 2/3"},
        {"only the header", U, "/-1"},
        {"two separators", U + Rows("1", 1) + S + S + Rows("3", 1), "1/0 /-1 3/0"},
        {"seven commas anywhere make a separator, the point is lost",
         U + Rows("1", 2) + "MAIN,1,PT,,PGL,1,,,,,,,JL,5.00,99.00\n" + Rows("2", 1), "1/1 2/0"},
        {"a blank row and a row naming no station end the station", U + Rows("1", 2) + "   \n" +
         Rows("2", 1) + ",,PT,,PGL,2,,,,EOP,9.00,98.00\n" + Rows("3", 1), "1/1 /0 3/0"},
        {"the station texts come from its last row", U + Rows("1", 1) + Rows("1 X", 1), "1 X/1"},
        {"a message row ends its station with one entry", U + Rows("2", 2) + "MAIN,2,ERROR,Oh,,\n" +
         Rows("3", 1) + S + "MAIN,4,MESSAGE,Check\n", "2/0!ERROR 3/0 4/0!MESSAGE /-1"},
        {"the keyword is case-sensitive", U + "MAIN,1,message,t,PGL,1,,,,BR,4,5\n", "1/0"},
        {"line ends", " PAVING GRADES REPORT,\r\n2\r\nUNDIVIDED,\r\n"
         "MAIN,1\r2,PT,,PGL,1,,,,JL,5,6\r\n" +
         S + "MAIN,3,PT,,PGL,1,,,,JL,5,6", "1\r2/0 3/0"},  // a lone CR is content
        {"the longest line", U + longest + "\n" + longest + "\r\n", "1/1"},
        {"a longer line", U + longest + "x\r\n", "refused + line 4: the line is longer than "
         "1048576 characters"},
        {"quotes mean nothing", U + "MAIN,\"1,2\",PT,,PGL,1,,,,JL,5,6,7\n", "\"1/0"},
        {"31 points fit", U + Rows("1", 31), "1/30"},
        {"32 points do not", U + Rows("1", 32), "refused + line 35: a station holds at most 31 "
         "points, this row would be point 32"},
        {"words", U + "some words\n",
         "refused + line 4: a point row needs at least 12 columns, this one has 1"},
        {"the separator after the 2001st station is the last line",
         Many(RoadwayType::Undivided, 2001, true), "refused + line 4005: a file holds at most "
         "2001 stations, and this line ends station 2001 and begins one more"},
        // The divided reader.
        {"both sides share the index", D + Both("1", 3, 2) + Both("2", 1, 4),
         "L:1/2 2/0 | R:1/1 2/3"},
        {"only the header, divided", D, "L:/0 | R:/0"},
        {"a last line that would begin a station is not read",
         D + Both("1", 1, 1) + Group("2", "LEFT", 1), "L:1/0 /0 | R:1/0 /0"},
        {"a padded station is trimmed at its end only when no comma follows",
         D + "LEFT, 7 \n" + T + "I9, 7 ,,PT,PGL,7,1,2,RIGHT,JL,1,2\n" + T,
         "L:7/0 | R:7 /0" + kStoreSide},
        {"a line after the last terminator", D + Both("1", 1, 1) + "\n", "L:1/0 /0 | R:1/0 /0"},
        {"terminators open groups without points", D + Both("1", 1, 1) + T + T,
         "L:1/0 /-1 | R:1/0 /-1"},
        {"the file ends inside a right group", D + Both("1", 1, 1) + Group("2", "LEFT", 1) + T +
         Group("2", "RIGHT", 3), "L:1/0 2/0 | R:1/0 2/2"},
        {"the file ends inside a left group", D + Group("1", "LEFT", 4), "L:1/3 | R:/0"},
        {"message rows: exact on the left, any case on the right",
         D + "I9,1,,ERROR,No median,,,,LEFT,,,\n" + T + "I9,1,,Error,Note,,,,RIGHT,,,\n" + T +
         "I9,2,,Error,PGL,2,1,2,LEFT,JL,-5,90\n" + T + Group("2", "RIGHT", 1) + T,
         "L:1/1!ERROR 2/0 | R:1/1!Error 2/0"},
        {"no terminator before the right group: it loses its first row",
         D + Group("1", "LEFT", 2) + Group("1", "RIGHT", 3) + T, "L:1/1 | R:1/1"},
        {"a blank line cuts a left group; its rest is passed over",
         D + Group("1", "LEFT", 2) + "\n" + Both("1", 2, 2), "L:1/1 | R:1/1"},
        // Passing over the rest of a station stops at the next station's first left row,
        // except where a terminator stands where that row belongs: that terminator then
        // opens the station, whose left group has no points.
        {"stray right rows after the terminator", D + Both("8", 1, 1) +
         "RIGHT,8,,PT,PGL,8,1,2,RIGHT,JL,13,99.7\nRIGHT,,x\n" + Both("9", 2, 1),
         "L:8/0 9/1 | R:8/0 9/0"},
        {"a right group cut by a blank line", D + Group("8", "LEFT", 1) + T +
         Group("8", "RIGHT", 1) + "  \n" + Group("8", "RIGHT", 2) + T + Both("9", 2, 1),
         "L:8/0 9/1 | R:8/0 9/0"},
        {"a blank line after the last left row", D + Group("8", "LEFT", 2) + "\n" + T +
         Group("8", "RIGHT", 2) + T + Both("9", 2, 1), "L:8/1 9/1 | R:/-1 9/0"},
        {"a blank line before the right terminator", D + Group("8", "LEFT", 1) + T +
         Group("8", "RIGHT", 2) + "\n" + T + Both("9", 2, 1), "L:8/0 /-1 | R:8/1 9/0"},
        {"short rows keep their first columns and reading goes on", D + Group("1", "LEFT", 1) +
         "I9,1,,PT,Short,1 X,1,2,LEFT,JL\n" + Group("1", "LEFT", 1) + T + Group("1", "RIGHT", 1) +
         "I9,1,,PT,RIGHT\n" + T + "LEFT,2,,MESSAGE\n" + T + Group("2", "RIGHT", 1) + T,
         "L:1/2 2/1!MESSAGE | R:1/1 2/0" + kStoreSide + kStoreSide + kStoreSide},
        {"Error on the left is a point row", D + "I9,3,,Error,LEFT lane,,,,,,,\n" + T,
         "ends the program + Error at LeftSide Station: 3(LineNumber: 0) Program Exiting"},
        {"a wrong side marker on the right", D + Group("5", "LEFT", 1) + T +
         "I9,5,,PT,P,5,1,2,right,RIGHT\n" + T,
         "ends the program + Error at RightSide Station: 5(LineNumber: 0) Program Exiting"},
        {"no comma opening a group", D + Both("1 EB", 1, 1) + "END\n" + Both("2", 1, 1),
         "refused +  There is something wrong at Sta. 1 EB"},
        {"no comma in a group", D + Group("4", "LEFT", 2) + "LEFT\n" + T,
         "refused +  There is something wrong at Sta. 4"},
        {"31 points a group fit", D + Both("1", 31, 31), "L:1/30 | R:1/30"},
        {"a cut-short row counts as a point", D + Group("1", "LEFT", 31) + "I9,1,,PT,LEFT\n",
         "refused + line 36: a group holds at most 31 points, this row would be point 32"},
        {"a line after the 2001st station", Many(RoadwayType::Divided, 2001) + "\n",
         "refused + line 8009: a file holds at most 2001 stations, and this line begins one more"},
        {"a NUL character", D + std::string("I9,1\0LEFT,\n", 11) + Group("1", "LEFT", 1),
         "refused + line 5: the line holds a NUL character, which no text file has"},
    };
    // clang-format on
    for (const std::string title :
         {" PAVING GRADES REPORT,", "\"paving grades report ,", "x  Paving Grades Report  ,x",
          "\xEF\xBB\xBFPAVING GRADES REPORT,", "\xEF\xBB\xBF PAVING GRADES REPORT,,,"}) {
        cases.push_back({"titles", title + "\n2\nUNDIVIDED,\n" + Rows("1", 1), "1/0"});
    }
    for (const std::string line : {"DIVIDED,,,", "  divided ,x", "Divided,"}) {
        cases.push_back({"divided", " PAVING GRADES REPORT,\n2\n" + line + "\n", "L:/0 | R:/0"});
    }
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 37) % 256));
    }
    cases.push_back({"binary", binary, kInvalid});
    return cases;
}

TEST_F(InputReading, FilesBecomeStationsMessagesOrRefusals) {
    for (const Case& c : Cases()) {
        EXPECT_EQ(Describe(c.content), c.description) << c.what;
    }
    EXPECT_TRUE(Describe(Many(RoadwayType::Undivided, 2001)).ends_with(" 1999/0 2000/0"));
    EXPECT_EQ(Read(Many(RoadwayType::Undivided, 2000, true)).Roadway.Left.at(2000).LastPoint(), -1);
    EXPECT_EQ(Read(Many(RoadwayType::Divided, 2001)).Roadway.Right.at(2000).StationText, "2000");
}

TEST_F(InputReading, TextsAreKeptAsReadInUtf8) {
    ReadResult read = Read(std::string(" PAVING GRADES REPORT,\r\n2\r\nUNDIVIDED,\r\n") +
                           "MAIN,10+00 R1,PT,,PGL,10+00 R1,1,2,,BOC,-22.00,100.81\r\n" +
                           "MAIN,10+00 R1,PT,,PGL,10+00,1,2,, CL ,0.000,101.250 \r\n" + kSeparator +
                           "MAIN,1+00,PT,,PGL,1+00,,,,C\xC9 \x80\x96\x81,0.00,100.00\r\n" +
                           "MAIN,2+00,ERROR,Template drop failed,,\r\n" +
                           "MAIN,1+00 \xC3\xA9,PT,,PGL,1+00,,,,JL,12.00,99.76");
    // A Windows-1252 line becomes UTF-8, a UTF-8 line stays as it is; the point
    // read before a message is kept.
    EXPECT_EQ(Fields(read.Roadway.Left[0]),
              "MAIN|10+00 R1|10+00||[BOC|-22.00|100.81][ CL |0.000|101.250 ]");
    EXPECT_EQ(Fields(read.Roadway.Left[1]),
              "MAIN|2+00|1+00|ERROR|Template drop failed"
              "[C\xC3\x89 \xE2\x82\xAC\xE2\x80\x93\xC2\x81|0.00|100.00]");
    EXPECT_EQ(Fields(read.Roadway.Left[2]), "MAIN|1+00 \xC3\xA9|1+00||[JL|12.00|99.76]");
    // Divided: the station loses its leading spaces, blank columns keep the
    // name, a short row stores its point as far as it goes, the line's trailing
    // spaces go.
    read = Read(kDividedHeader + "I9,   1+00 EB,,PT,PGL,1+00,1,2,LEFT,JL,-5,90\n" +
                " , ,,PT,PGL,1+00,1,2,LEFT,BOC,-4,91\n" + "I9,1+00,,PT,Short,1 X,1,2,LEFT,JL\n" +
                "I9b,1+00 EB,,PT,PGL,1+00 X,1,2,LEFT,FOC,-3,92   \n" + kTerminator +
                "I9,1+00,,PT,PGL,1+00,1,2,RIGHT,RtSgEOP,2,90\n" + kTerminator);
    EXPECT_EQ(Fields(read.Roadway.Left[0]),
              "I9b|1+00 EB|1+00 X||[JL|-5|90][BOC|-4|91][JL||][FOC|-3|92]");
    EXPECT_EQ(Fields(read.Roadway.Right[0]), "I9|1+00|1+00||[RtSgEOP|2|90]");
}

#ifndef _WIN32  // named pipes of this kind are a POSIX file type
// A named pipe can be read only once: the header and the data must come from
// one opening. Should the reader open it a second time, the test becomes the
// writer that opening waits for, so that the test fails instead of hanging.
TEST_F(InputReading, NamedPipeIsReadWhole) {
    ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return ReadRoadway(path_, messages); });
    std::ofstream(path_, std::ios::binary) << kUndividedHeader + Rows("1", 1);
    if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        std::ofstream(path_, std::ios::binary) << "";
    }
    EXPECT_EQ(Shape(reading.get().Roadway), "1/0");
    EXPECT_TRUE(messages.shown.empty());
}
#endif

// Lines of every length up to 300, ending with LF or CR LF, land at every
// offset of the reader's blocks, the first one ending the first block;
// asking AtEnd, which may load the next block, must not disturb the line just
// read. From a file and from memory alike.
TEST_F(InputReading, LinesSurviveBlockBoundaries) {
    std::vector<std::string> lines{std::string(kReadBlockSize - 1, 'z')};
    std::string content = lines.front() + "\n";
    for (int i = 0; content.size() < 3 * kReadBlockSize + 40'000; ++i) {
        lines.push_back(std::string(static_cast<size_t>(i % 301), static_cast<char>('a' + i % 26)));
        content += lines.back() + (i % 3 == 0 ? "\r\n" : "\n");
    }
    std::ofstream(path_, std::ios::binary) << content;
    for (const bool from_file : {true, false}) {
        LineReader reader;
        if (from_file) {
            ASSERT_TRUE(reader.Open(path_));
        } else {
            reader.OpenBytes(content);
        }
        for (const std::string& line : lines) {
            ASSERT_EQ(reader.Next(), LineReader::Status::Line);
            const bool at_end = reader.AtEnd();
            ASSERT_TRUE(reader.Text() == line) << "line " << reader.LineNumber();
            ASSERT_EQ(at_end, &line == &lines.back());
        }
        EXPECT_EQ(reader.Next(), LineReader::Status::End);
    }
}

// Every comma splits, wherever it stands in the line and however many follow
// it, and nothing else does, not even the bytes next to a comma's: each line
// is the bits of a number, a comma for each bit set.
TEST(InputColumns, EveryCommaSplits) {
    Columns columns;
    for (uint32_t bits = 0; bits < 1u << 12; ++bits) {
        for (const size_t length : {size_t{12}, size_t{21}, size_t{29}, size_t{40}}) {
            std::string line;
            for (size_t i = 0; i < length; ++i) {
                line += (bits >> (i % 12) & 1) != 0 ? ',' : "-+\xACl"[i % 4];
            }
            columns.Split(line);
            std::string joined;
            for (size_t c = 0; c < columns.Count(); ++c) {
                joined.append(c == 0 ? "" : ",").append(columns[c]);
            }
            ASSERT_EQ(joined, line);
            ASSERT_EQ(columns.Count(),
                      static_cast<size_t>(std::count(line.begin(), line.end(), ',')) + 1);
        }
    }
}

// A run of `length` commas is found wherever it stands in the line.
TEST(InputColumns, CommaRunsAreFoundWherever) {
    for (size_t at = 0; at < 40; ++at) {
        for (size_t run = 12; run <= 15; ++run) {
            std::string line(60, 'x');
            line.replace(at, run, std::string(run, ','));
            EXPECT_EQ(ContainsCommaRun(line, 14), run >= 14) << at << " " << run;
            EXPECT_EQ(ContainsCommaRun(line.substr(at), 14), run >= 14) << at << " " << run;
            for (const size_t end : {line.size(), at + run, at + run - 1}) {
                Columns columns;
                columns.Split(std::string_view(line).substr(0, end));
                EXPECT_EQ(columns.HasCommaRun(14),
                          ContainsCommaRun(std::string_view(line).substr(0, end), 14))
                    << at << " " << run << " " << end;
            }
        }
    }
    EXPECT_FALSE(ContainsCommaRun("a,,,,,,b,,,,,,c", 7));
}

// One pass tells a NUL or a byte above ASCII wherever it stands, in a run of
// sixteen, a word of eight or in the bytes after the last whole word.
TEST(InputBytes, NulAndHighBytesAreFoundWherever) {
    for (size_t length = 1; length <= 40; ++length) {
        for (size_t at = 0; at < length; ++at) {
            for (const char odd : {'\0', '\x80', '\xFF', '\x01', '\x7F'}) {
                std::string bytes(length, 'a');
                bytes[at] = odd;
                const LineBytes seen = ExamineBytes(bytes);
                EXPECT_EQ(seen.nul, odd == '\0') << length << " " << at << " " << int(odd);
                EXPECT_EQ(seen.ascii, static_cast<unsigned char>(odd) < 0x80)
                    << length << " " << at << " " << int(odd);
            }
        }
    }
}

// All a read gives: its outcome, every text of every station, every message.
std::string Everything(const ReadResult& result, const RecordingMessages& messages) {
    std::string all = std::to_string(static_cast<int>(result.Outcome)) + Shape(result.Roadway);
    for (const Side side : {Side::Left, Side::Right}) {
        for (const Station& station : result.Roadway.StationsOf(side)) {
            all += "\n" + Fields(station);
        }
    }
    for (const std::string& text : messages.shown) {
        all += "\n+ " + text;
    }
    return all;
}

// Files read on two threads, the cut searched for from every line end in
// turn, give what they give on one thread, from memory and from the file.
// `joins`: at least one cut has the second thread's part taken.
TEST_F(InputReading, ReadingInTwoGivesWhatReadingInOneGives) {
    const std::string D = kDividedHeader, T = kTerminator, U = kUndividedHeader, S = kSeparator;
    const std::string six = Both("1", 2, 1) + Both("2", 1, 3) + Both("3", 1, 1) + Both("4", 3, 2);
    const std::string right = "I9,5,,PT,PGL,5,1,2,RIGHT,JL,1,9\n";
    struct {
        const char* what;
        std::string content;
        bool joins;
    } cases[] = {
        {"plain", D + six + Both("5", 2, 2), true},
        {"CR LF", std::regex_replace(D + six, std::regex("\n"), "\r\n"), true},
        {"blank lines and stray rows near cuts",
         D + six + Group("5", "LEFT", 1) + "\n" + Group("5", "LEFT", 1) + T + right + "\n" + right +
             T + Both("6", 1, 1) + Group("7", "LEFT", 1) + T + right + T + right + T + right +
             Both("8", 1, 1) + Group("9", "LEFT", 1) + "  \n" + Group("9", "LEFT", 1) + T + right +
             T + Both("10", 1, 1) + "I9,11,,PT,PGL,11,1,2,LEFT,RIGHTEOP,1,9\n" + T +
             Both("12", 1, 1),
         true},
        {"a message station and a too short row in the second half",
         D + six + "I9,5,,ERROR,Drop failed,5,1,2,LEFT,JL,1,9\n" + T + right + T +
             "I9,6,,PT,PGL,6,1,2,LEFT\n" + T + right + T + Both("7", 1, 1),
         true},
        {"a NUL byte in the second half",
         D + six + "I9,5,,PT,PGL,5,1,2,LEFT,J" + '\0' + ",1,9\n" + T + right + T + Both("6", 1, 1),
         false},
        {"a wrong side marker in the second half",
         D + six + "I9,5,,PT,PGL,5,1,2,LEFT,JL,1,9\nI9,5,,PT,PGL,5,1,2,RIGHT,LEFTEOP,1,9\n" + T +
             right + T + Both("6", 1, 1),
         false},
        {"the file ends inside a group", D + six + Group("5", "LEFT", 2) + T + right, true},
        {"a line without a comma opens a station", D + six + "LEFT\n" + T + right + T, false},
        {"undivided", Many(RoadwayType::Undivided, 6, true), true},
        {"undivided stations ended in every way",
         U + Rows("1", 2) + S + Rows("2", 1) + "\n" + Rows("3", 1) + ",,PT,,PGL,3,1,2,,JL,0,9\n" +
             "M,4,ERROR,Drop failed\n" + Rows("5", 1) + S + S + Rows("6", 1) + S + Rows("7", 2) +
             S + Rows("9", 1),
         true},
        {"undivided, at the station limit", Many(RoadwayType::Undivided, kMaxStations), true},
        {"undivided, beyond it", Many(RoadwayType::Undivided, kMaxStations, true), false},
        {"at the station limit", Many(RoadwayType::Divided, kMaxStations), true},
        {"a station beyond the limit", Many(RoadwayType::Divided, kMaxStations + 1), false},
    };
    for (const auto& c : cases) {
        std::ofstream(path_, std::ios::binary) << c.content;
        RecordingMessages one;
        const std::string expected = Everything(ReadRoadwayFromBytes(c.content, path_, one), one);
        // Of the large files, cuts near the middle and near the end.
        const size_t every = c.content.size() > 50'000 ? 601 : 1;
        int lineEnd = 0;
        bool joined[2] = {false, false};  // from memory, from the file
        for (size_t at = c.content.find('\n'); at != std::string::npos;
             at = c.content.find('\n', at + 1), ++lineEnd) {
            if (lineEnd % every != 0) {
                continue;
            }
            for (const bool fromFile : {false, true}) {
                RecordingMessages two;
                bool joinedHere = false;
                const ReadResult read =
                    fromFile ? ReadRoadwayCutFrom(path_, two, at, joinedHere)
                             : ReadRoadwayFromBytesCutFrom(c.content, path_, two, at, joinedHere);
                ASSERT_EQ(Everything(read, two), expected) << c.what << ", from " << at;
                joined[fromFile] = joined[fromFile] || joinedHere;
            }
        }
        EXPECT_EQ(joined[0], c.joins) << c.what;
        EXPECT_EQ(joined[1], c.joins) << c.what;
    }
}

}  // namespace
}  // namespace corvane::test
