// The grades of the sample books as CSV against checked files, the workbook
// of the same table read back cell by cell, and the rules of both forms.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "common/messages.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "grades/slopes.h"
#include "input/read_roadway.h"
#include "report/grades_table.h"
#include "sheets/csv_writer.h"
#include "sheets/plain_number.h"
#include "sheets/xlsx_writer.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class SheetsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("corvane-sheets-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Writes the CSV and the workbook of the books and checks the workbook
    // against the CSV; the CSV's bytes.
    std::string CsvMatchingWorkbook(const std::vector<Book>& books, std::string sheetNames) {
        const std::string csv = (folder_ / "grades.csv").string();
        const std::string xlsx = (folder_ / "grades.xlsx").string();
        std::vector<const Book*> all;
        for (const Book& book : books) {
            all.push_back(&book);
        }
        const std::vector<GradeRows> sides = GradeRowsPerBook(all);
        std::vector<SheetRows> sheets;
        for (const GradeRows& side : sides) {
            sheets.push_back({side.SheetName(), side});
        }
        EXPECT_TRUE(WriteCsv(GradeRows(all), csv));
        EXPECT_TRUE(WriteXlsx(sheets, xlsx));
        const std::string check = "/usr/bin/python3 " CORVANE_XLSX_CHECK " " + xlsx + " " + csv +
                                  " --sheets " + sheetNames +
                                  " --numbers 'Station Value' Offset Elevation Slope";
        EXPECT_EQ(std::system(check.c_str()), 0) << check;
        return ReadFile(csv);
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    fs::path folder_;
};

// Every point of the roadway, with the offset points asked.
std::vector<Book> MakeBooks(ReadResult read, const OffsetRequests& offsets = {}) {
    EXPECT_EQ(read.Outcome, ReadOutcome::Read);
    SlopedRoadway sloped = CalculateSlopes(std::move(read.Roadway));
    sloped.Roadway = AddOffsetPoints(std::move(sloped.Roadway), offsets, sloped.NumberFormat);
    Selection selection = KeepAllPoints(std::move(sloped.Roadway));
    return BuildBooks(selection.Roadway,
                      {offsets, selection.ShowOffsetPoints, sloped.NumberFormat});
}

// The undivided sample with both offset points (the divided one, with a point selection and
// two sheets: command_line_test).
TEST_F(SheetsTest, SampleMakesItsCheckedTableAndAMatchingWorkbook) {
    RecordingMessages messages;
    const std::vector<Book> books =
        MakeBooks(ReadRoadway(CORVANE_SAMPLES "/undivided-sample.csv", messages),
                  {{true, 2, OffsetFrom::LastPoint}, {true, 3, OffsetFrom::CenterLine}});
    EXPECT_EQ(CsvMatchingWorkbook(books, "Grades"),
              ReadFile(CORVANE_TEST_DATA "/golden/undivided-sample-offsets.csv"));
}

// Names from a file in Windows-1252 and one in UTF-8 reach both forms as
// UTF-8; names that quote, separate or look like formulas stay texts.
TEST_F(SheetsTest, NamesOfEveryEncodingAndShapeSurviveBothForms) {
    const std::string head =
        " PAVING GRADES REPORT,,,,,,,,,,,\r\nJob,Chain,,,,,,,,,,\r\nUNDIVIDED,\r\n";
    const std::string row = "C,1+00.00,PT,,P,1+00.00,1,1,,";
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> files{
        {head + row + "Caf\xE9,-1.50,10.25\r\n" + row + "=1+2,0,10\r\n",
         ",1+00.00,100.00,Café,Café,-1.50,10.25,-16.67,no,\r\n"
         ",1+00.00,100.00,'=1+2,'=1+2,0,10,,no,\r\n"},
        {head + row + "Bordure—Est,-1.5,10\r\n" + row + "6\" curb,1,9\r\n",
         ",1+00.00,100.00,Bordure—Est,Bordure—Est,-1.5,10,-40.00,no,\r\n"
         ",1+00.00,100.00,\"6\"\" curb\",\"6\"\" curb\",1,9,,no,\r\n"}};
    // clang-format on
    for (const auto& [bytes, rows] : files) {
        RecordingMessages messages;
        const std::vector<Book> books =
            MakeBooks(ReadRoadwayFromBytes(bytes, "names.csv", messages));
        const std::string csv = CsvMatchingWorkbook(books, "Grades");
        const std::string header =
            "Side,Station,Station Value,Name,Code,Offset,Elevation,Slope,Offset Point,Message\r\n";
        EXPECT_EQ(csv, "\xEF\xBB\xBF" + header + rows);
    }
}

TEST(CsvFieldTest, QuotesAndGuardsExactlyWhatNeedsIt) {
    const std::vector<std::pair<std::string, std::string>> cases{{"Left Edge", "Left Edge"},
                                                                 {"a,b", "\"a,b\""},
                                                                 {"6\" curb", "\"6\"\" curb\""},
                                                                 {"two\nlines", "\"two\nlines\""},
                                                                 {"=SUM(A1)", "'=SUM(A1)"},
                                                                 {"+x", "'+x"},
                                                                 {"-", "'-"},
                                                                 {"@home", "'@home"},
                                                                 {"\tx", "'\tx"},
                                                                 {"\rx", "\"'\rx\""},
                                                                 {"=a,b", "\"'=a,b\""},
                                                                 {"-23.500", "-23.500"},
                                                                 {"+5", "+5"},
                                                                 {"-.50", "-.50"},
                                                                 {"-1e5", "'-1e5"},
                                                                 {"- 5", "'- 5"},
                                                                 {"x=1", "x=1"},
                                                                 {"", ""}};
    for (const auto& [text, field] : cases) {
        std::string line;
        AppendCsvField(text, line);
        EXPECT_EQ(line, field) << text;
    }
}

TEST(NumberToStoreTest, PlainNumbersOfAtMostFifteenSignificantDigits) {
    const std::vector<std::tuple<std::string, std::optional<double>, int>> cases{
        {"53.735", 53.735, 3},
        {"-.50", -0.5, 2},
        {"5.", 5, 0},
        {"+100", 100, 0},
        {"-0.00", 0, 2},
        {"123456789.012345", 123456789.012345, 6},
        {"0.000000000000000001", 1e-18, 18},
        {"1234567890123456", std::nullopt, 0},
        {"53.700000000000000000", std::nullopt, 0},
        {"1e308", std::nullopt, 0},
        {"nan", std::nullopt, 0},
        {" 5", std::nullopt, 0},
        {".", std::nullopt, 0},
        {"+", std::nullopt, 0},
        {"1.2.3", std::nullopt, 0}};
    for (const auto& [text, value, decimals] : cases) {
        const std::optional<StoredNumber> number = NumberToStore(text);
        ASSERT_EQ(number.has_value(), value.has_value()) << text;
        if (number) {
            EXPECT_EQ(number->Value, *value) << text;
            EXPECT_FALSE(std::signbit(number->Value) && number->Value == 0) << text;
            EXPECT_EQ(number->Decimals, decimals) << text;
        }
    }
}

// Standard output gets no byte-order mark, and no workbook at all; a device
// is written in place, and its failure is the system's.
TEST(SheetsOutputTest, StandardOutputAndDevices) {
    const RowTable table({"A", "B"}, {{{"1"}, {"x,y"}}});
    testing::internal::CaptureStdout();
    EXPECT_TRUE(WriteCsv(table, "-"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "A,B\r\n1,\"x,y\"\r\n");
    EXPECT_FALSE(WriteXlsx({{"Grades", table}}, "-"));
    EXPECT_TRUE(WriteCsv(table, "/dev/null") && WriteXlsx({{"Grades", table}}, "/dev/null"));
    EXPECT_EQ(WriteCsv(table, "/dev/full").Reason, std::strerror(ENOSPC));
    EXPECT_EQ(WriteXlsx({{"Grades", table}}, "/dev/full").Reason, std::strerror(ENOSPC));
}

// A write that fails at any point (a file size limit, a sheet name the
// workbook refuses, a missing folder) leaves the old file as it was and
// nothing beside it; a good write replaces it.
TEST_F(SheetsTest, WrittenWholeOrNotAtAll) {
    RowTable big({"Name"});
    big.Rows.assign(20000, Row{{"Left Shoulder"}});
    using Writer = std::function<WriteOutcome(const RowSource&, const std::string&)>;
    const Writer csv = [](const RowSource& t, const std::string& path) {
        return WriteCsv(t, path);
    };
    const auto xlsx = [](std::string sheet) -> Writer {
        return [sheet](const RowSource& t, const std::string& path) {
            return WriteXlsx({{sheet, t}}, path);
        };
    };
    const std::string old = (folder_ / "old").string();
    const std::string missing = (folder_ / "none" / "grades").string();
    struct rlimit unlimited {};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    struct rlimit small = unlimited;
    small.rlim_cur = 4096;
    ::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::tuple<Writer, std::string, bool, bool>> cases{
        {csv, old, true, false},
        {xlsx("Grades"), old, true, false},
        {xlsx("Bad/Name"), old, false, false},
        {csv, missing, false, false},
        {xlsx("Grades"), missing, false, false},
        {csv, old, false, true},
        {xlsx("Grades"), old, false, true}};
    for (const auto& [write, path, succeeds, limited] : cases) {
        std::ofstream(old, std::ios::binary) << "old";
        setrlimit(RLIMIT_FSIZE, limited ? &small : &unlimited);
        const WriteOutcome outcome = write(big, path);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(outcome.Written, succeeds) << path << ": " << outcome.Reason;
        EXPECT_EQ(outcome.Reason.empty(), succeeds) << path;
        EXPECT_EQ(ReadFile(old) == "old", !succeeds) << path;
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{"old"}) << path;
    }
    ::signal(SIGXFSZ, SIG_DFL);
}

}  // namespace
}  // namespace corvane
