// The Preview run from the main window's inputs to the laid-out books.
#include <gtest/gtest.h>

#include <filesystem>
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

PreviewInputs Inputs(const std::string& file) {
    PreviewInputs inputs;
    inputs.InputFile = kData + "/" + file;
    inputs.ProjectNumber = "0417";
    inputs.ControlNumber = "60-1";
    return inputs;
}

void Ask(OffsetRequest& side, const std::string& distance) {
    side.Asked = true;
    side.Distance = distance;
}

// Whether any cell of the book's stations has this label.
bool HasCellLabel(const Book& book, const std::string& label) {
    for (const ReportStation& station : book.Stations)
        for (const CellLine& line : station.Lines)
            for (const ReportCell& cell : line)
                if (cell[kCellLabel] == label)
                    return true;
    return false;
}

struct RunCase {
    const char* name;
    const char* file;
    std::function<void(PreviewInputs&, RecordingHooks&)> change;
    RunOutcome outcome;
    Shown messages;  // "*" matches any one message
    int dialogs;     // times the font and printer dialog was shown
};

const RunCase kRunCases[] = {
    {"missing numbers only remind",
     "short-undivided.csv",
     [](PreviewInputs& in, RecordingHooks&) { in.ControlNumber.clear(); },
     RunOutcome::Shown,
     {kReminder},
     1},
    {"both distances empty: the left message alone",
     "short-undivided.csv",
     [](PreviewInputs& in, RecordingHooks&) {
         Ask(in.Offsets.Left, "");
         Ask(in.Offsets.Right, "");
     },
     RunOutcome::Stopped,
     {"Please Enter Left offset distance"},
     0},
    {"right distance empty",
     "short-undivided.csv",
     [](PreviewInputs& in, RecordingHooks&) { Ask(in.Offsets.Right, ""); },
     RunOutcome::Stopped,
     {"Please Enter Right offset distance"},
     0},
    {"reminder, then the distance stops",
     "short-undivided.csv",
     [](PreviewInputs& in, RecordingHooks&) {
         in.ProjectNumber.clear();
         Ask(in.Offsets.Left, "");
     },
     RunOutcome::Stopped,
     {kReminder, "Please Enter Left offset distance"},
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
    {"a name without .csv stops silently", "short-undivided.txt", {}, RunOutcome::Stopped, {}, 0},
    {"a missing file is refused by the reader",
     "does-not-exist.csv",
     {},
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
    {"divided", "i4-divided.csv", {}, RunOutcome::Shown, {}, 1},
};

TEST(RunPreviewTest, StopsAndMessagesInTheirOrder) {
    for (const RunCase& run : kRunCases) {
        SCOPED_TRACE(run.name);
        PreviewInputs inputs = Inputs(run.file);
        RecordingHooks hooks;
        if (run.change)
            run.change(inputs, hooks);
        RecordingMessages messages;
        EXPECT_EQ(RunPreview(inputs, messages, hooks), run.outcome);
        ASSERT_EQ(messages.shown.size(), run.messages.size());
        for (size_t i = 0; i < run.messages.size(); ++i) {
            if (run.messages[i] != "*") {
                EXPECT_EQ(messages.shown[i], run.messages[i]);
            }
        }
        EXPECT_EQ(hooks.dialogs, run.dialogs);
        EXPECT_EQ(hooks.books.size(), run.outcome == RunOutcome::Shown ? 1u : 0u);
        EXPECT_EQ(hooks.refused.size(),
                  std::string(run.file).find(".csv") == std::string::npos ? 1u : 0u);
    }
}

TEST(RunPreviewTest, AnyLetterCaseOfCsvAnywhereInTheNamePasses) {
    const std::filesystem::path folder = testing::TempDir() + "/preview-run-names";
    std::filesystem::create_directories(folder);
    for (const char* name : {"grades.CSV", "grades.Csv.old"}) {
        std::filesystem::copy_file(kData + "/short-undivided.csv", folder / name,
                                   std::filesystem::copy_options::overwrite_existing);
        PreviewInputs inputs = Inputs("");
        inputs.InputFile = (folder / name).string();
        RecordingHooks hooks;
        RecordingMessages messages;
        EXPECT_EQ(RunPreview(inputs, messages, hooks), RunOutcome::Shown) << name;
    }
    PreviewInputs inputs = Inputs("short-undivided.txt");
    RecordingHooks hooks;
    RecordingMessages messages;
    EXPECT_EQ(RunPreview(inputs, messages, hooks), RunOutcome::Stopped);
    EXPECT_EQ(hooks.refused, Shown{inputs.InputFile});
}

TEST(RunPreviewTest, BooksCarryThePageTheHeaderAndThePaginations) {
    PreviewInputs inputs = Inputs("i4-divided.csv");
    inputs.HeaderDate = "12 06 2026";
    RecordingHooks hooks;
    hooks.page = PageSize{96, 81};
    RecordingMessages messages;
    ASSERT_EQ(RunPreview(inputs, messages, hooks), RunOutcome::Shown);
    EXPECT_EQ(hooks.asked.Printer, "Office Laser");
    const PreparedBooks& books = hooks.books.front();
    EXPECT_EQ(books.PageSize, hooks.page);
    EXPECT_EQ(books.Header.ProjectNumber, "0417");
    EXPECT_EQ(books.Header.Date, "12 06 2026");
    EXPECT_EQ(books.Header.FontName, "Lucida Console");
    EXPECT_EQ(books.SourceFile, inputs.InputFile);
    ASSERT_EQ(books.Books.size(), 2u);
    EXPECT_EQ(books.Books[0].Book.Side, Side::Left);
    EXPECT_EQ(books.Books[1].Book.Side, Side::Right);
    for (const PaginatedBook& book : books.Books) {
        EXPECT_EQ(book.Pagination.Starts.front(), PageStart{});
        EXPECT_EQ(book.Pagination.StationList.front().rfind("1            ", 0), 0u);
        EXPECT_GE(book.Pagination.LastPage, 1);
    }
}

TEST(RunPreviewTest, OffsetPointsAndPointTypesReachTheBooks) {
    PreviewInputs inputs = Inputs("short-undivided.csv");
    Ask(inputs.Offsets.Right, "2.5");
    inputs.Offsets.Right.From = kFromCenterLine;
    RecordingHooks hooks;
    RecordingMessages messages;
    ASSERT_EQ(RunPreview(inputs, messages, hooks), RunOutcome::Shown);
    const Book& all = hooks.books.back().Books.front().Book;
    EXPECT_TRUE(HasCellLabel(all, "Rt. offsetPt."));
    EXPECT_FALSE(HasCellLabel(all, "Lt. offsetPt."));
    EXPECT_TRUE(HasCellLabel(all, "JL"));

    // Only the centre line, and the offset points left out.
    inputs.CheckAllPoints = false;
    inputs.Types = PointTypes{false, false, false, false, false, false, true};
    ASSERT_EQ(RunPreview(inputs, messages, hooks), RunOutcome::Shown);
    const Book& centreLine = hooks.books.back().Books.front().Book;
    EXPECT_TRUE(HasCellLabel(centreLine, "CL"));
    EXPECT_FALSE(HasCellLabel(centreLine, "JL"));
    EXPECT_FALSE(HasCellLabel(centreLine, "Rt. offsetPt."));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(RunPreviewTest, AWrongSideMarkerEndsTheProgram) {
    std::ifstream source(kData + "/i4-divided.csv", std::ios::binary);
    std::stringstream text;
    text << source.rdbuf();
    std::string broken = text.str();
    const size_t second = broken.find("LEFT,", broken.find("LEFT,") + 1);
    broken.replace(second, 5, "LEFTX,");
    const std::string path = testing::TempDir() + "/broken-side.csv";
    std::ofstream(path, std::ios::binary) << broken;

    PreviewInputs inputs = Inputs("");
    inputs.InputFile = path;
    RecordingHooks hooks;
    RecordingMessages messages;
    EXPECT_EQ(RunPreview(inputs, messages, hooks), RunOutcome::EndProgram);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(hooks.dialogs, 0);
}

}  // namespace
}  // namespace corvane
