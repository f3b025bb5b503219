#include "report/page_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "report/grid_surface.h"
#include "report/page_header.h"
#include "report/page_layout.h"
#include "report/recording_surface.h"
#include "report_fixtures.h"

namespace corvane {
namespace {

using test::Find;
using test::TextsAt;

class PageRendererTest : public ::testing::Test {
  protected:
    // Draws page `page` on a fresh printer recording and returns it.
    RecordingSurface DrawPage(int page) {
        RecordingSurface printer(SurfaceKind::Printer);
        state.cursor.CurrentPage = page;
        EXPECT_TRUE(ToPrintAllForms(printer, state, 50, messages));
        return printer;
    }

    // Draws pages 0..last in order, as the viewer's first pass does.
    void DrawPagesUpTo(int last) {
        for (int page = 0; page <= last; ++page) {
            DrawPage(page);
        }
    }

    // Rows at which the station headers (their labels) were drawn.
    static std::vector<int> HeaderRows(const RecordingSurface& surface) {
        std::vector<int> rows;
        for (const RecordedText& text : surface.texts) {
            if (text.text == "Cross Sec. Sta.") {
                rows.push_back(text.y);
            }
        }
        return rows;
    }

    std::vector<PageStart>& Starts() { return state.cursor.PageStartUndivided; }

    State state = test::FreshState();
    RecordingMessages messages;
};

TEST_F(PageRendererTest, LetterPageExamplePositions) {
    test::UseUndividedBook(state, {2});
    const RecordingSurface page = DrawPage(0);
    EXPECT_EQ(TextsAt(page, 66, 1), std::vector<std::string>{"Page No.:1 of 1"});
    EXPECT_EQ(TextsAt(page, 7, 7), std::vector<std::string>{"Cross Sec. Sta."});
    EXPECT_EQ(TextsAt(page, 7, 8), std::vector<std::string>{"S0"});
    EXPECT_EQ(TextsAt(page, 7, 9), std::vector<std::string>{"MAIN"});
    EXPECT_EQ(TextsAt(page, 36, 7), std::vector<std::string>{"P0.0"});
    EXPECT_EQ(TextsAt(page, 56, 7), std::vector<std::string>{"P0.1"});
    EXPECT_EQ(TextsAt(page, 76, 7), std::vector<std::string>{"P0.2"});
    EXPECT_EQ(TextsAt(page, 36, 8), std::vector<std::string>{"100.50 @ -12.00"});
    EXPECT_EQ(TextsAt(page, 36 + 12, 9), std::vector<std::string>{"2.50%"});
    EXPECT_EQ(TextsAt(page, 36, 13), std::vector<std::string>{"P1.0"});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PageRendererTest, CellTextsAndTheSlopeIndent) {
    test::UseUndividedBook(state, {1});
    ReportStation& station = state.report.FinalReport[0];
    station.Cells[0][0] = ReportCell{"CL", "12.5", "  101.25 ", "-2"};
    station.Cells[0][1] = ReportCell{"BOC", "-7.25", "", ".5"};
    station.Cells[0][2] = ReportCell{" Edge ", "  ", "99", ""};
    const RecordingSurface page = DrawPage(0);

    EXPECT_EQ(TextsAt(page, 36, 8), std::vector<std::string>{"101.25 @ 12.5"});
    EXPECT_EQ(TextsAt(page, 46, 9), std::vector<std::string>{"-2.00%"});
    // No elevation: no second line; the indent counts " @ " and the offset alone.
    EXPECT_TRUE(TextsAt(page, 56, 8).empty());
    EXPECT_EQ(TextsAt(page, 56 + 5, 9), std::vector<std::string>{".50%"});
    // A blank offset hides the second line; the label is drawn as it is.
    EXPECT_EQ(TextsAt(page, 76, 7), std::vector<std::string>{" Edge "});
    EXPECT_TRUE(TextsAt(page, 76, 8).empty());
    EXPECT_EQ(page.texts.size(), 10u);
}

TEST_F(PageRendererTest, LetterPageHoldsEightBlocks) {
    test::UseUndividedBook(state, std::vector<int>(9, 1));
    const RecordingSurface page = DrawPage(0);
    EXPECT_EQ(HeaderRows(page), (std::vector<int>{7, 13, 19, 25, 31, 37, 43, 49}));
    EXPECT_EQ(Starts().at(1), (PageStart{8, 0}));
}

TEST_F(PageRendererTest, TallerPageHoldsSevenBlocks) {
    test::UsePage(state, 96, 66);
    test::UseUndividedBook(state, std::vector<int>(9, 1));
    EXPECT_EQ(HeaderRows(DrawPage(0)), (std::vector<int>{10, 16, 22, 28, 34, 40, 46}));
    EXPECT_EQ(Starts().at(1), (PageStart{7, 0}));
}

TEST_F(PageRendererTest, CellLineMayStartAtFiftyFiveAfterOneAtFortyNine) {
    test::UseUndividedBook(state, {1, 1, 1, 1, 1, 1, 1, 4});
    const RecordingSurface first = DrawPage(0);
    EXPECT_EQ(TextsAt(first, 36, 49), std::vector<std::string>{"P0.0"});
    EXPECT_EQ(TextsAt(first, 36, 55), std::vector<std::string>{"P1.0"});
    EXPECT_EQ(Starts().at(1), (PageStart{7, 2}));

    // The next page repeats the header and goes on at the first undrawn line.
    const RecordingSurface second = DrawPage(1);
    EXPECT_EQ(HeaderRows(second), std::vector<int>{7});
    EXPECT_EQ(TextsAt(second, 7, 8), std::vector<std::string>{"S7"});
    EXPECT_EQ(TextsAt(second, 36, 7), std::vector<std::string>{"P2.0"});
    EXPECT_EQ(TextsAt(second, 36, 13), std::vector<std::string>{"P3.0"});
    EXPECT_EQ(Starts().at(2), (PageStart{8, 0}));
}

TEST_F(PageRendererTest, StationWhoseHeaderWouldStartAtFiftyWaitsForTheNextPage) {
    test::UseUndividedBook(state, {3, 3, 2, 1});  // blocks 0-2, 3-5, 6-7; header 3 at row 55
    const RecordingSurface page = DrawPage(0);
    EXPECT_EQ(HeaderRows(page), (std::vector<int>{7, 25, 43}));
    EXPECT_EQ(Starts().at(1), (PageStart{3, 0}));
}

TEST_F(PageRendererTest, MessageStationTakesOneBlockWhateverItsLastLine) {
    test::UseUndividedBook(state, {1, 1, 1});
    ReportStation& message = state.report.FinalReport[1];
    message.MessageKind = "ERROR";
    message.MessageText = "Station not found";
    message.LastLine = 4;
    const RecordingSurface page = DrawPage(0);
    EXPECT_EQ(HeaderRows(page), (std::vector<int>{7, 13, 19}));
    EXPECT_EQ(TextsAt(page, 36, 13), std::vector<std::string>{"ERROR"});
    EXPECT_EQ(TextsAt(page, 36, 14), std::vector<std::string>{"Station not found"});
    EXPECT_EQ(Find(page, "P1.0"), nullptr);
    EXPECT_EQ(Starts().at(1), (PageStart{3, 0}));
}

TEST_F(PageRendererTest, PageNumberLineNamesTheSideAndTheBookTotal) {
    state.settings.RoadwayType = "Divided";
    state.report.FinalReportLeft.assign(20, test::StationBlock("L", 1));
    state.report.FinalReportRight.assign(20, test::StationBlock("R", 1));
    state.tables.StationCount = 19;
    state.cursor.LastPageLeft = 4;
    state.cursor.LastPageRight = 2;
    state.settings.CurrentSide = kLeftSide;
    DrawPagesUpTo(1);
    EXPECT_EQ(TextsAt(DrawPage(1), 66, 1), std::vector<std::string>{"(Left)Page No.:2 of 5"});
    state.settings.CurrentSide = kRightSide;
    EXPECT_EQ(TextsAt(DrawPage(0), 66, 1), std::vector<std::string>{"(Right)Page No.:1 of 3"});
    EXPECT_EQ(state.cursor.PageStartRight.at(1), (PageStart{8, 0}));
    state.settings.CurrentSide = "rightside";  // neither side: no marker, the right book
    EXPECT_EQ(TextsAt(DrawPage(0), 66, 1), std::vector<std::string>{"Page No.:1 of 3"});
}

TEST_F(PageRendererTest, LastPageRecordsTheStationAfterTheLast) {
    test::UseUndividedBook(state, {1, 1, 1});
    DrawPage(0);
    EXPECT_EQ(Starts().at(1), (PageStart{3, 0}));
}

TEST_F(PageRendererTest, RedrawingAPageRewritesOnlyTheEntryAfterIt) {
    test::UseUndividedBook(state, std::vector<int>(20, 1));
    DrawPagesUpTo(2);
    ASSERT_EQ(Starts().size(), 4u);
    Starts()[2] = PageStart{99, 0};
    DrawPage(0);
    EXPECT_EQ(Starts()[1], (PageStart{8, 0}));
    EXPECT_EQ(Starts()[2], (PageStart{99, 0}));
}

TEST_F(PageRendererTest, PageNeverLaidOutIsReportedAndNotDrawn) {
    test::UseUndividedBook(state, {1});
    RecordingSurface printer(SurfaceKind::Printer);
    state.cursor.CurrentPage = 3;
    EXPECT_FALSE(ToPrintAllForms(printer, state, 50, messages));
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{
                  "Program Error: Subscript out of range occured in ToPrintAllForms"});
    EXPECT_TRUE(printer.texts.empty());
    EXPECT_EQ(Starts().size(), 1u);
}

TEST_F(PageRendererTest, OtherRoadwayTypesDrawNothing) {
    test::UseUndividedBook(state, {1});
    state.settings.RoadwayType = "";
    RecordingSurface printer(SurfaceKind::Printer);
    EXPECT_TRUE(ToPrintAllForms(printer, state, 50, messages));
    EXPECT_TRUE(printer.texts.empty());
    EXPECT_EQ(Starts().size(), 1u);
}

TEST_F(PageRendererTest, WindowPositionsAreZoomedTwips) {
    test::UseUndividedBook(state, {1});
    state.layout.ViewZoom = 0.75;
    RecordingSurface window(SurfaceKind::Window);
    EXPECT_TRUE(ToPrintAllForms(window, state, 50, messages));
    EXPECT_EQ(TextsAt(window, 36 * 90, 7 * 180), std::vector<std::string>{"P0.0"});
    EXPECT_EQ(TextsAt(window, 66 * 90, 1 * 180), std::vector<std::string>{"Page No.:1 of 1"});
}

TEST_F(PageRendererTest, LargeWindowPositionsDoNotWrap) {
    test::UsePage(state, 136, 63);
    test::UseUndividedBook(state, {1});
    state.layout.ViewZoom = 3;
    RecordingSurface window(SurfaceKind::Window);
    EXPECT_TRUE(ToPrintAllForms(window, state, 50, messages));
    EXPECT_EQ(TextsAt(window, 116 * 360, 7 * 720), std::vector<std::string>{"P0.2"});
}

TEST_F(PageRendererTest, FractionalPageRoundsRowsBeforeTheLimit) {
    // H - 56 = 6.5 rounds to 6; 6.5 + 6 b rounds to 6, 12 (12.5), 18 (18.5)... 48 (48.5): eight
    // blocks.
    test::UsePage(state, 96, 62.5);
    test::UseUndividedBook(state, std::vector<int>(10, 1));
    EXPECT_EQ(HeaderRows(DrawPage(0)), (std::vector<int>{6, 12, 18, 24, 30, 36, 42, 48}));
}

// The accepted pages are exactly those on which the header and the first page
// of a book land whole: no text left of column 0 or above line 0, and a block.
TEST_F(PageRendererTest, AcceptedPagesAreThoseTheLayoutFitsOn) {
    const std::vector<PageSize> pages = {{88.5, 61.5}, {88.4, 63},   {96, 61.4},   {96, 105.4},
                                         {96, 105.5},  {89.5, 62.5}, {88.5, 105.4}};
    test::UseUndividedBook(state, {2});
    for (const PageSize& page : pages) {
        test::UsePage(state, page.Columns, page.Lines);
        RecordingSurface printer(SurfaceKind::Printer);
        PrintRDSForm(printer, state);
        EXPECT_TRUE(ToPrintAllForms(printer, state, 50, messages));
        const bool onThePage =
            std::all_of(printer.texts.begin(), printer.texts.end(),
                        [](const RecordedText& t) { return t.x >= 0 && t.y >= 0; });
        const bool landsWhole = onThePage && !HeaderRows(printer).empty();
        EXPECT_EQ(PageFitsLayout(page), landsWhole) << page.Columns << "x" << page.Lines;
    }
}

TEST(PageCellsTextTest, ShortButNeverRoundedOntoTheOtherSideOfABound) {
    EXPECT_EQ(PageCellsText({96, 70.157}), "96x70.16");
    EXPECT_EQ(PageCellsText({88.496, 61.4999}), "88.496x61.4999");
    EXPECT_EQ(PageCellsText({1000.004, 105.4999}), "1000.004x105.4999");
}

// The whole first page of a small book on the character grid, as the printer prints it.
TEST_F(PageRendererTest, LetterPageAsText) {
    state.settings.ProjectNumber = "0417";
    test::UseUndividedBook(state, {1});
    ReportStation& station = state.report.FinalReport[0];
    station.Station = "2389+00.00 R1";
    station.Cells[0][0] = ReportCell{"Left Edge", "-24.00", "100.77", "-2.00"};
    station.Cells[0][1] = ReportCell{"CL", "0.00", "101.25", "2"};
    station.Cells[0][2] = ReportCell{};
    GridSurface grid(63);
    PrintRDSForm(grid, state);
    EXPECT_TRUE(ToPrintAllForms(grid, state, 50, messages));

    std::vector<std::string> lines(63);
    // The printer's title starts inside "  GEOPAK  ", so its P takes the cell of the K.
    lines[1] = "       Project No: 0417          GEOPAPAVE-GRADES        BOOK     Page No.:1 of 1";
    lines[2] = std::string(71, ' ') + "Date: 07 04 2025";
    lines[7] = "       Cross Sec. Sta.              Left Edge           CL";
    lines[8] = "       2389+00.00 R1                100.77 @ -24.00     101.25 @ 0.00";
    lines[9] = "       MAIN" + std::string(37, ' ') + "-2.00%            2.00%";
    std::string expected;
    for (const std::string& line : lines) {
        expected += line + "\n";
    }
    EXPECT_EQ(grid.PageText(), expected);
}

}  // namespace
}  // namespace corvane
