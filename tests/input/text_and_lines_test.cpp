// The building blocks under the readers: tables, column splitting, line
// reading and text decoding.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "input/columns.h"
#include "input/cross_section_tables.h"
#include "input/line_reader.h"
#include "input/text_encoding.h"

namespace corvane::test {
namespace {

TEST(InputCrossSectionTables, ResetGivesFullSizeEmptyTablesAndClearEmptiesInPlace) {
    CrossSectionTables tables;
    ResetTables(tables);
    for (const SectionTable* table :
         {&tables.Sections, &tables.SectionsLeft, &tables.SectionsRight, &tables.SelectedSections,
          &tables.SelectedSectionsLeft, &tables.SelectedSectionsRight}) {
        ASSERT_EQ(table->size(), 2001u);
        EXPECT_EQ(table->back().LastPoint, 0);
        EXPECT_TRUE(table->back().PointCode[30].empty());
    }
    tables.SelectedSectionsRight[2000].PointSlope[30] = "1.00";
    tables.SectionsLeft[7].LeftOffsetPt.Elevation = "12.5";
    tables.Sections[3].LastPoint = 9;
    const CrossSection* before = tables.Sections.data();
    ClearTables(tables);
    EXPECT_EQ(tables.Sections.data(), before);  // no reallocation
    EXPECT_TRUE(tables.SelectedSectionsRight[2000].PointSlope[30].empty());
    EXPECT_TRUE(tables.SectionsLeft[7].LeftOffsetPt.Elevation.empty());
    EXPECT_EQ(tables.Sections[3].LastPoint, 0);

    const OptionFlags flags;
    for (int32_t flag :
         {flags.ShowBreakPoints, flags.ShowEdgeOfPavement, flags.ShowJLPoints, flags.ShowBOCPoints,
          flags.ShowFOCPoints, flags.ShowCLPoints, flags.ShowOffsetPoints}) {
        EXPECT_EQ(flag, 1);
    }
}

TEST(InputTextHelpers, TrimRemovesSpacesOnlyAndToUpperAsciiLetters) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\tx\t"), "\tx\t");  // a tab is content, not padding
    EXPECT_EQ(ToUpper("Divided \xC3\xA9"), "DIVIDED \xC3\xA9");
}

TEST(InputColumns, SplitsAtEveryCommaAndQuotesMeanNothing) {
    Columns columns;
    columns.Split("a,\"b,c\",,d ");
    ASSERT_EQ(columns.Count(), 5u);
    EXPECT_EQ(columns[1], "\"b");
    EXPECT_EQ(columns[2], "c\"");
    EXPECT_EQ(columns[3], "");
    EXPECT_EQ(columns[4], "d ");
    columns.Split("");
    EXPECT_EQ(columns.Count(), 1u);
    columns.Split(",");
    EXPECT_EQ(columns.Count(), 2u);
}

TEST(InputColumns, CommaRunsAreFoundWherever) {
    const std::string seven = ",,,,,,,";
    for (const std::string& line : {seven, "x" + seven, seven + "x", "ab,,c" + seven + ",d",
                                    std::string("a,b,c,d,e,f,g,h,,,,,,,")}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(ContainsCommaRun(line, 7));
    }
    for (const std::string& line : {std::string(",,,,,,"), std::string("a,,,,,,b,,,,,,c"),
                                    std::string("x,,,,,,"), std::string()}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ContainsCommaRun(line, 7));
    }
    // Every position of a run in a long line, checked against a plain search.
    for (size_t at = 0; at < 40; ++at) {
        for (size_t run = 12; run <= 15; ++run) {
            std::string line(60, 'x');
            line.replace(at, run, std::string(run, ','));
            EXPECT_EQ(ContainsCommaRun(line, 14), run >= 14) << at << " " << run;
        }
    }
}

TEST(InputTextEncoding, Utf8IsKeptAndAnythingElseIsReadAsWindows1252) {
    std::string scratch;
    EXPECT_EQ(DecodeLine("plain", scratch), "plain");
    EXPECT_EQ(DecodeLine("caf\xC3\xA9 \xE2\x82\xAC", scratch), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(DecodeLine("caf\xE9 \x80 \x96", scratch), "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x93");
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
}

class InputLineReading : public ::testing::Test {
  protected:
    // A file of this test's own: CTest may run the tests side by side.
    static std::filesystem::path TestFile(const std::string& purpose) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return std::filesystem::temp_directory_path() /
               ("corvane-input-" + std::string(info->name()) + "-" + purpose + ".csv");
    }

    std::vector<std::string> ReadAll(const std::string& content) {
        const auto path = TestFile("lines");
        std::ofstream(path, std::ios::binary) << content;
        std::vector<std::string> lines;
        {  // closed before the removal, which Windows refuses for an open file
            LineReader reader;
            EXPECT_TRUE(reader.Open(path.string()));
            while (reader.Next() == LineReader::Status::Line) {
                lines.emplace_back(reader.Text());
                EXPECT_EQ(reader.LineNumber(), static_cast<int64_t>(lines.size()));
            }
            EXPECT_TRUE(reader.AtEnd());
        }
        std::filesystem::remove(path);
        return lines;
    }
};

TEST_F(InputLineReading, LineEndsAndTheLastLine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(ReadAll(""), Lines{});
    EXPECT_EQ(ReadAll("\n"), Lines{""});
    EXPECT_EQ(ReadAll("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(ReadAll("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(ReadAll("a\rb\n"), Lines{"a\rb"});  // a lone carriage return is content
}

TEST_F(InputLineReading, LinesLongerThanTheBufferArriveWhole) {
    const std::string long_line(200'000, 'q');
    EXPECT_EQ(ReadAll("x\n" + long_line + "\r\ny"),
              (std::vector<std::string>{"x", long_line, "y"}));
}

TEST_F(InputLineReading, AtEndIsTrueOnlyAfterTheLastLine) {
    const auto path = TestFile("atend");
    std::ofstream(path, std::ios::binary) << "one\ntwo\n";
    {  // closed before the removal
        LineReader reader;
        ASSERT_TRUE(reader.Open(path.string()));
        EXPECT_FALSE(reader.AtEnd());
        ASSERT_EQ(reader.Next(), LineReader::Status::Line);
        EXPECT_FALSE(reader.AtEnd());
        EXPECT_EQ(reader.Text(), "one");  // testing for the end keeps the current line
        ASSERT_EQ(reader.Next(), LineReader::Status::Line);
        EXPECT_TRUE(reader.AtEnd());
        EXPECT_EQ(reader.Text(), "two");
        EXPECT_EQ(reader.Next(), LineReader::Status::End);
    }
    std::filesystem::remove(path);
}

// The limit is on the content: the line end, LF or CR LF, does not count.
TEST_F(InputLineReading, LineLengthLimitCountsTheContentOnly) {
    const auto path = TestFile("long");
    for (const std::string line_end : {"\n", "\r\n"}) {
        for (const size_t length : {kMaxLineLength, kMaxLineLength + 1}) {
            SCOPED_TRACE(std::to_string(length) + " characters and line end of " +
                         std::to_string(line_end.size()));
            std::ofstream(path, std::ios::binary)
                << "ok\n"
                << std::string(length, 'z') << line_end << "next\n";
            LineReader reader;
            ASSERT_TRUE(reader.Open(path.string()));
            EXPECT_EQ(reader.Next(), LineReader::Status::Line);
            if (length > kMaxLineLength) {
                EXPECT_EQ(reader.Next(), LineReader::Status::TooLong);
                EXPECT_EQ(reader.LineNumber(), 2);
                continue;
            }
            ASSERT_EQ(reader.Next(), LineReader::Status::Line);
            EXPECT_EQ(reader.Text().size(), length);
            ASSERT_EQ(reader.Next(), LineReader::Status::Line);
            EXPECT_EQ(reader.Text(), "next");
        }
    }
    std::filesystem::remove(path);
}

TEST_F(InputLineReading, DirectoryIsReported) {
    // A folder opens on some systems but cannot be read as a file.
    LineReader folder;
    if (folder.Open(std::filesystem::temp_directory_path().string())) {
        EXPECT_EQ(folder.Next(), LineReader::Status::ReadError);
        EXPECT_FALSE(folder.ErrorReason().empty());
    } else {
        EXPECT_FALSE(folder.ErrorReason().empty());
    }
}

}  // namespace
}  // namespace corvane::test
