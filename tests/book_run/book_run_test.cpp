// The run from the main window's inputs to the laid-out books.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/book_run.h"

namespace corvane {
namespace {

const std::string kData = CORVANE_TEST_DATA;
const std::string kReminder = "Please Enter Project Number and Control Number";
using Shown = std::vector<std::string>;

// Records what the window would do at each hook.
class RecordingHooks : public RunHooks {
  public:
    void FileNameRefused(const std::string& file) override { refused.push_back(file); }
    PrinterFontChoice ChoosePrinterAndFont() override {
        ++dialogs;
        return {"Office Laser", "Lucida Console", page};
    }
    void ShowBooks(PreparedBooks shown) override { books.push_back(std::move(shown)); }

    std::optional<PageSize> page;
    Shown refused;
    int dialogs = 0;
    std::vector<PreparedBooks> books;
};

struct Previewed {
    RunOutcome outcome;
    RecordingMessages messages;
    RecordingHooks hooks;
};

using Change = std::function<void(RunInputs&, RecordingHooks&)>;

Previewed Preview(const std::string& file, const Change& change = {}) {
    RunInputs inputs;
    inputs.InputFile = file.find('/') == std::string::npos ? kData + "/" + file : file;
    inputs.ProjectNumber = "0417";
    inputs.ControlNumber = "60-1";
    Previewed run;
    if (change)
        change(inputs, run.hooks);
    run.outcome = RunAndShowBooks(inputs, run.messages, run.hooks);
    return run;
}

// Asks for the offset points whose distances are given (nullptr: not asked).
Change Ask(const char* left, const char* right) {
    return [=](RunInputs& in, RecordingHooks&) {
        in.LeftOffset.Asked = left != nullptr;
        in.LeftOffset.Distance = left ? left : "";
        in.RightOffset.Asked = right != nullptr;
        in.RightOffset.Distance = right ? right : "";
    };
}

// A divided file of one station of six points a side; on the sides named every
// code matches all six point types: 36 copies, more than a station may show.
std::string TooManyPoints(const std::string& sides) {
    std::string rows;
    for (const std::string side : {"LEFT", "RIGHT"}) {
        const std::string code = sides.find(side) != std::string::npos ? "BREOPJLFOCBOCCL" : "CL";
        for (int p = 0; p < 6; ++p)
            rows +=
                "I4,1+00,,PT,PGL,1+00,1,2," + side + "," + code + "," + std::to_string(p) + ",9\n";
        rows += ",,,,,,,,,,,,,,,\n";
    }
    const std::string path = testing::TempDir() + "/" + sides + ".csv";
    std::ofstream(path, std::ios::binary)
        << " PAVING GRADES REPORT,\n2\nDIVIDED,\nheadings\n" + rows;
    return path;
}

struct RunCase {
    std::string file;
    Change change;
    RunOutcome outcome;
    Shown messages;  // "*text": any message holding text
    int dialogs;     // times the font and printer dialog was shown
};

TEST(RunPreviewTest, StopsAndMessagesInTheirOrder) {
    const std::string kShort = "short-undivided.csv";
    const Change selectTypes = [](RunInputs& in, RecordingHooks&) { in.CheckAllPoints = false; };
    const auto stopped = RunOutcome::Stopped;
    const Change noControl = [](RunInputs& in, RecordingHooks&) { in.ControlNumber.clear(); };
    const Change noProjectNorDistances = [](RunInputs& in, RecordingHooks& hooks) {
        in.ProjectNumber.clear();
        Ask("", "")(in, hooks);
    };
    // clang-format off
    const RunCase cases[] = {
        {kShort, noControl, RunOutcome::Shown, {kReminder}, 1},
        {kShort, noProjectNorDistances, stopped, {kReminder, "Please Enter Left offset distance"}, 0},
        {kShort, Ask(nullptr, ""), stopped, {"Please Enter Right offset distance"}, 0},
        {kShort, Ask("five", nullptr), stopped, {"Left offset distance must be a number"}, 0},
        {kShort, Ask(nullptr, "5 ft"), stopped, {"Right offset distance must be a number"}, 0},
        {"short-undivided.txt", {}, stopped, {}, 0},
        {"none.csv", {}, stopped, {"Program Error : cannot open " + kData +
                                   "/none.csv (No such file or directory) occured in GpkBlueTops"}, 0},
        {TooManyPoints("LEFT RIGHT"), selectTypes, stopped, {"*left side"}, 0},
    };
    // clang-format on
    for (const RunCase& expected : cases) {
        SCOPED_TRACE(expected.file + " " + std::to_string(&expected - cases));
        const Previewed run = Preview(expected.file, expected.change);
        EXPECT_EQ(run.outcome, expected.outcome);
        ASSERT_EQ(run.messages.shown.size(), expected.messages.size());
        for (size_t i = 0; i < expected.messages.size(); ++i) {
            const std::string& want = expected.messages[i];
            if (want.starts_with('*'))
                EXPECT_NE(run.messages.shown[i].find(want.substr(1)), std::string::npos);
            else
                EXPECT_EQ(run.messages.shown[i], want);
        }
        EXPECT_EQ(run.hooks.dialogs, expected.dialogs);
        EXPECT_EQ(run.hooks.books.size(), expected.outcome == RunOutcome::Shown ? 1u : 0u);
        EXPECT_EQ(run.hooks.refused.size(), expected.file.find(".csv") == std::string::npos);
    }
}

TEST(RunPreviewTest, BooksCarryThePageTheHeaderAndThePaginations) {
    const Previewed run = Preview("i4-divided.csv", [](RunInputs& in, RecordingHooks& hooks) {
        in.HeaderDate = "12 06 2026";
        hooks.page = PageSize{96, 81};
    });
    ASSERT_EQ(run.outcome, RunOutcome::Shown);
    const PreparedBooks& books = run.hooks.books.front();
    EXPECT_EQ(books.PageSize, run.hooks.page);
    EXPECT_EQ(std::tie(books.Header.ProjectNumber, books.Header.Date, books.Header.FontName,
                       books.SourceFile),
              std::make_tuple("0417", "12 06 2026", "Lucida Console", kData + "/i4-divided.csv"));
    ASSERT_EQ(books.Books.size(), 2u);
    for (const Side side : {Side::Left, Side::Right}) {
        const PaginatedBook& book = books.Books[side == Side::Left ? 0 : 1];
        EXPECT_EQ(book.Book.Side, side);
        const StationOnPage& first = book.Pagination.Stations.front();
        EXPECT_TRUE(first.StationText.starts_with("1040+00.00 EB") && first.Page == 0);
        EXPECT_EQ(book.Pagination.LastPage, 15);  // 16 pages of 81 lines a side
    }
}

}  // namespace
}  // namespace corvane
