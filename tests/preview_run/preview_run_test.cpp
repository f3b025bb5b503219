// The Preview run from the main window's inputs to the laid-out books.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/preview_run.h"

namespace corvane {
namespace {

const std::string kData = CORVANE_TEST_DATA;
const std::string kReminder = "Please Enter Project Number and Control Number";
using Shown = std::vector<std::string>;

// Records what the window would do at each hook.
class RecordingHooks : public PreviewHooks {
  public:
    void FileNameRefused(const std::string& file) override { refused.push_back(file); }
    PrinterAndFont ChoosePrinterAndFont() override {
        ++dialogs;
        return {"Office Laser", "Lucida Console"};
    }
    PageSize PageOf(const PrinterAndFont& chosen) override {
        asked = chosen;
        return page;
    }
    void ShowBooks(PreparedBooks shown) override { books.push_back(std::move(shown)); }

    PageSize page;
    Shown refused;
    int dialogs = 0;
    PrinterAndFont asked;
    std::vector<PreparedBooks> books;
};

struct Previewed {
    RunOutcome outcome;
    RecordingMessages messages;
    RecordingHooks hooks;
};

using Change = std::function<void(PreviewInputs&, RecordingHooks&)>;

Previewed Preview(const std::string& file, const Change& change = {}) {
    PreviewInputs inputs;
    inputs.InputFile = file.find('/') == std::string::npos ? kData + "/" + file : file;
    inputs.ProjectNumber = "0417";
    inputs.ControlNumber = "60-1";
    Previewed run;
    if (change)
        change(inputs, run.hooks);
    run.outcome = RunPreview(inputs, run.messages, run.hooks);
    return run;
}

// A copy of i4-divided.csv with the columns of some rows changed.
std::string ChangedDividedFile(const std::string& name,
                               const std::function<void(std::vector<std::string>&)>& change) {
    std::ifstream source(kData + "/i4-divided.csv", std::ios::binary);
    const std::string path = testing::TempDir() + "/" + name;
    std::ofstream copy(path, std::ios::binary);
    for (std::string line; std::getline(source, line);) {
        std::vector<std::string> columns;
        std::stringstream split(line);
        for (std::string column; std::getline(split, column, ',');)
            columns.push_back(column);
        change(columns);
        for (size_t i = 0; i < columns.size(); ++i)
            copy << (i ? "," : "") << columns[i];
        copy << '\n';
    }
    return path;
}

void Ask(OffsetRequest& side, const std::string& distance) {
    side.Asked = true;
    side.Distance = distance;
}

struct RunCase {
    const char* name;
    std::string file;
    Change change;
    RunOutcome outcome;
    Shown messages;  // "*" matches any one message
    int dialogs;     // times the font and printer dialog was shown
};

TEST(RunPreviewTest, StopsAndMessagesInTheirOrder) {
    // Every point code of the first station's rows on a side matches all six point types.
    auto tooManyPoints = [](const char* sides) {
        return [sides](std::vector<std::string>& columns) {
            if (columns.size() > 9 && columns[1] == "1040+00.00 EB" &&
                std::string(sides).find(columns[8]) != std::string::npos)
                columns[9] = "BREOPJLFOCBOCCL";
        };
    };
    const Change selectTypes = [](PreviewInputs& in, RecordingHooks&) {
        in.CheckAllPoints = false;
    };
    const RunCase cases[] = {
        {"missing numbers only remind",
         "short-undivided.csv",
         [](PreviewInputs& in, RecordingHooks&) { in.ControlNumber.clear(); },
         RunOutcome::Shown,
         {kReminder},
         1},
        {"reminder, then the left distance alone",
         "short-undivided.csv",
         [](PreviewInputs& in, RecordingHooks&) {
             in.ProjectNumber.clear();
             Ask(in.Offsets.Left, "");
             Ask(in.Offsets.Right, "");
         },
         RunOutcome::Stopped,
         {kReminder, "Please Enter Left offset distance"},
         0},
        {"right distance empty",
         "short-undivided.csv",
         [](PreviewInputs& in, RecordingHooks&) { Ask(in.Offsets.Right, ""); },
         RunOutcome::Stopped,
         {"Please Enter Right offset distance"},
         0},
        {"left distance no number",
         "short-undivided.csv",
         [](PreviewInputs& in, RecordingHooks&) { Ask(in.Offsets.Left, "five"); },
         RunOutcome::Stopped,
         {"Left offset distance must be a number"},
         0},
        {"right distance no number",
         "short-undivided.csv",
         [](PreviewInputs& in, RecordingHooks&) { Ask(in.Offsets.Right, "5 ft"); },
         RunOutcome::Stopped,
         {"Right offset distance must be a number"},
         0},
        {"a name without .csv stops silently",
         "short-undivided.txt",
         {},
         RunOutcome::Stopped,
         {},
         0},
        {"a missing file is refused by the reader", "none.csv", {}, RunOutcome::Stopped, {"*"}, 0},
        {"a wrong side marker ends the program",
         ChangedDividedFile("side.csv",
                            [](std::vector<std::string>& columns) {
                                if (columns.size() > 9 && columns[9] == "JL" &&
                                    columns[8] == "LEFT")
                                    columns[8] = "LEFTX";
                            }),
         {},
         RunOutcome::EndProgram,
         {"*"},
         0},
        {"the right side's selection stops",
         ChangedDividedFile("right.csv", tooManyPoints("RIGHT")),
         selectTypes,
         RunOutcome::Stopped,
         {"*"},
         0},
        {"both sides' selections stop: the left one's message alone",
         ChangedDividedFile("both.csv", tooManyPoints("LEFT RIGHT")),
         selectTypes,
         RunOutcome::Stopped,
         {"*"},
         0},
        {"a page outside the range stops after the dialog",
         "short-undivided.csv",
         [](PreviewInputs&, RecordingHooks& hooks) {
             hooks.page = PageSize{96, 110};
         },
         RunOutcome::Stopped,
         {"The printer's page of 96x110 cells is outside the range the book fits on: " +
          AcceptedPageRangeText() + ". Please choose another printer."},
         1},
    };
    for (const RunCase& expected : cases) {
        SCOPED_TRACE(expected.name);
        const Previewed run = Preview(expected.file, expected.change);
        EXPECT_EQ(run.outcome, expected.outcome);
        ASSERT_EQ(run.messages.shown.size(), expected.messages.size());
        for (size_t i = 0; i < expected.messages.size(); ++i) {
            if (expected.messages[i] != "*") {
                EXPECT_EQ(run.messages.shown[i], expected.messages[i]);
            }
        }
        EXPECT_EQ(run.hooks.dialogs, expected.dialogs);
        EXPECT_EQ(run.hooks.books.size(), expected.outcome == RunOutcome::Shown ? 1u : 0u);
        EXPECT_EQ(run.hooks.refused.size(), expected.file.find(".csv") == std::string::npos);
    }
    // The message of a side names it; the left side's comes first.
    for (const char* sides : {"RIGHT", "LEFT RIGHT"}) {
        const Previewed run =
            Preview(ChangedDividedFile("sides.csv", tooManyPoints(sides)), selectTypes);
        ASSERT_EQ(run.messages.shown.size(), 1u);
        EXPECT_NE(run.messages.shown[0].find(sides[0] == 'R' ? "right side" : "left side"),
                  std::string::npos)
            << run.messages.shown[0];
    }
}

TEST(RunPreviewTest, BooksCarryThePageTheHeaderAndThePaginations) {
    const Previewed run = Preview("i4-divided.csv", [](PreviewInputs& in, RecordingHooks& hooks) {
        in.HeaderDate = "12 06 2026";
        hooks.page = PageSize{96, 81};
    });
    ASSERT_EQ(run.outcome, RunOutcome::Shown);
    EXPECT_EQ(run.hooks.asked.Printer, "Office Laser");
    const PreparedBooks& books = run.hooks.books.front();
    EXPECT_EQ(books.PageSize, run.hooks.page);
    EXPECT_EQ(books.Header.ProjectNumber, "0417");
    EXPECT_EQ(books.Header.Date, "12 06 2026");
    EXPECT_EQ(books.Header.FontName, "Lucida Console");
    EXPECT_EQ(books.SourceFile, kData + "/i4-divided.csv");
    ASSERT_EQ(books.Books.size(), 2u);
    for (const Side side : {Side::Left, Side::Right}) {
        const PaginatedBook& book = books.Books[side == Side::Left ? 0 : 1];
        EXPECT_EQ(book.Book.Side, side);
        EXPECT_EQ(book.Pagination.StationList.front().rfind("1            1040+00.00 EB", 0), 0u);
        EXPECT_GE(book.Pagination.LastPage, 1);
    }
}

}  // namespace
}  // namespace corvane
