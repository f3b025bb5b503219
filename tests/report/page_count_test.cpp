#include "report/page_count.h"

#include <gtest/gtest.h>

#include "report/page_renderer.h"
#include "report/recording_surface.h"
#include "report_fixtures.h"

namespace corvane {
namespace {

using test::TextsAt;

class PageCountTest : public ::testing::Test {
  protected:
    void CountUndivided(const std::vector<int>& linesPerStation) {
        test::UseUndividedBook(state, linesPerStation);
        EXPECT_TRUE(PageCountLeft(state, messages));
        EXPECT_TRUE(PageCountRight(state, messages));
    }

    // The page number line and the station headers of page `page` as drawn.
    RecordingSurface Draw(int page) {
        RecordingSurface printer(SurfaceKind::Printer);
        state.cursor.CurrentPage = page;
        EXPECT_TRUE(ToPrintAllForms(printer, state, 50, messages));
        return printer;
    }

    // How many cells of station `index` the pages 0..LastPage draw. Its cells
    // are renamed first, as the fixture gives every station the same names.
    int CellsDrawnOfStation(int index) {
        ReportStation& station = state.report.FinalReport.at(index);
        for (auto& line : station.Cells) {
            for (ReportCell& cell : line) {
                cell[kCellLabel] = "last " + cell[kCellLabel];
            }
        }
        int drawn = 0;
        for (int page = 0; page <= state.cursor.LastPage; ++page) {
            for (const RecordedText& text : Draw(page).texts) {
                drawn += text.text.starts_with("last ") ? 1 : 0;
            }
        }
        return drawn;
    }

    static std::string Entry(int page, const std::string& station) {
        return std::to_string(page) + "            " + station;
    }

    std::vector<PageStart>& Starts() { return state.cursor.PageStartUndivided; }

    State state = test::FreshState();
    RecordingMessages messages;
};

TEST_F(PageCountTest, BookEndingAfterItsLastStationGetsATrailingEmptyPage) {
    CountUndivided(std::vector<int>(16, 1));  // pages of 8 stations: 0-7, 8-15
    EXPECT_EQ(state.cursor.LastPage, 2);
    EXPECT_EQ(Starts(), (std::vector<PageStart>{{0, 0}, {8, 0}, {16, 0}, {16, 0}}));
    EXPECT_EQ(state.cursor.CurrentPage, 0);
    const RecordingSurface trailing = Draw(2);
    EXPECT_EQ(TextsAt(trailing, 66, 1), std::vector<std::string>{"Page No.:3 of 3"});
    EXPECT_EQ(trailing.texts.size(), 1u);
}

TEST_F(PageCountTest, BookWhoseLastPageBeginsWithTheLastStationEndsThere) {
    CountUndivided(std::vector<int>(9, 1));
    EXPECT_EQ(state.cursor.LastPage, 1);
    EXPECT_EQ(Starts(), (std::vector<PageStart>{{0, 0}, {8, 0}, {9, 0}}));
}

TEST_F(PageCountTest, SingleStationBookHasOnePage) {
    CountUndivided({2});
    EXPECT_EQ(state.cursor.LastPage, 0);
    EXPECT_EQ(TextsAt(Draw(0), 66, 1), std::vector<std::string>{"Page No.:1 of 1"});
    EXPECT_EQ(state.stations.Combo1, std::vector<std::string>{Entry(1, "S0")});
}

// Eight one-line stations fill page 0; the last station's eleven cell lines
// take page 1 (lines 0 to 8, the last at row 55) and page 2 (lines 9 and 10).
TEST_F(PageCountTest, LastStationLongerThanAPageIsNeverCutOff) {
    std::vector<int> lines(8, 1);
    lines.push_back(11);
    CountUndivided(lines);
    EXPECT_EQ(state.cursor.LastPage, 2);
    EXPECT_EQ(Starts(), (std::vector<PageStart>{{0, 0}, {8, 0}, {8, 9}, {9, 0}}));
    EXPECT_EQ(TextsAt(Draw(0), 66, 1), std::vector<std::string>{"Page No.:1 of 3"});
    const RecordingSurface last = Draw(2);
    EXPECT_EQ(TextsAt(last, 66, 1), std::vector<std::string>{"Page No.:3 of 3"});
    EXPECT_EQ(TextsAt(last, 36, 7), std::vector<std::string>{"P9.0"});
    EXPECT_EQ(TextsAt(last, 76, 13), std::vector<std::string>{"P10.2"});
    const std::vector<std::string>& list = state.stations.Combo1;
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[7], Entry(1, "S7"));
    EXPECT_EQ(list[8], Entry(2, "S8"));
    EXPECT_EQ(list[9], Entry(3, "S8"));
    EXPECT_EQ(CellsDrawnOfStation(8), 33);
}

TEST_F(PageCountTest, LastStationAfterEightOthersOnALegalPageIsNeverCutOff) {
    test::UsePage(state, 96, 81);
    std::vector<int> lines(8, 1);
    lines.push_back(11);  // page 1: stations 5 to 7, then lines 0 to 2 of the last one
    CountUndivided(lines);
    EXPECT_EQ(state.cursor.LastPage, 3);
    EXPECT_EQ(Starts(), (std::vector<PageStart>{{0, 0}, {5, 0}, {8, 3}, {8, 9}, {9, 0}}));
    EXPECT_EQ(TextsAt(Draw(3), 66, 19), std::vector<std::string>{"Page No.:4 of 4"});
    EXPECT_EQ(CellsDrawnOfStation(8), 33);
    const std::vector<std::string>& list = state.stations.Combo1;
    EXPECT_EQ(std::vector<std::string>(list.end() - 3, list.end()),
              (std::vector<std::string>{Entry(2, "S8"), Entry(3, "S8"), Entry(4, "S8")}));
}

// A Legal page (81 lines) starts its blocks at row 25: five blocks and one
// more cell line at 55, so six cell lines a page.
TEST_F(PageCountTest, LastStationOnALegalPageIsNeverCutOff) {
    test::UsePage(state, 96, 81);
    std::vector<int> lines(5, 1);
    lines.push_back(11);
    CountUndivided(lines);
    EXPECT_EQ(state.cursor.LastPage, 2);
    EXPECT_EQ(Starts(), (std::vector<PageStart>{{0, 0}, {5, 0}, {5, 6}, {6, 0}}));
    EXPECT_EQ(TextsAt(Draw(2), 36, 25 + 6 * 4), std::vector<std::string>{"P10.0"});
}

TEST_F(PageCountTest, LastStationBeginningMidPageRunsOverTwoMorePages) {
    test::UsePage(state, 96, 81);
    std::vector<int> lines(4, 1);
    lines.push_back(11);  // header at row 49: lines 0 (49) and 1 (55)
    CountUndivided(lines);
    EXPECT_EQ(state.cursor.LastPage, 2);
    EXPECT_EQ(Starts(), (std::vector<PageStart>{{0, 0}, {4, 2}, {4, 8}, {5, 0}}));
    const std::vector<std::string>& list = state.stations.Combo1;
    ASSERT_EQ(list.size(), 7u);
    EXPECT_EQ(list[4], Entry(1, "S4"));
    EXPECT_EQ(list[5], Entry(2, "S4"));
    EXPECT_EQ(list[6], Entry(3, "S4"));
}

TEST_F(PageCountTest, PageBeginningInsideAnEarlierStationKeepsTheTrailingPage) {
    // The split station is not the last, so the last page begins before the
    // last station and the empty page after it is counted as usual.
    CountUndivided({1, 1, 1, 1, 1, 1, 1, 4, 1});
    EXPECT_EQ(state.cursor.LastPage, 2);
    EXPECT_EQ(Starts(), (std::vector<PageStart>{{0, 0}, {7, 2}, {9, 0}, {9, 0}}));
    EXPECT_EQ(state.stations.Combo1[7], Entry(1, "S7"));
    EXPECT_EQ(state.stations.Combo1[8], Entry(2, "S7"));
}

TEST_F(PageCountTest, StationsWithoutAStationTextAreNotListed) {
    test::UseUndividedBook(state, {1, 1, 1});
    state.report.FinalReport[1].Station.clear();
    EXPECT_TRUE(PageCountLeft(state, messages));
    EXPECT_EQ(state.stations.Combo1, (std::vector<std::string>{Entry(1, "S0"), Entry(1, "S2")}));
}

TEST_F(PageCountTest, ListsAreAppendedRunAfterRun) {
    CountUndivided({1});
    CountUndivided({1});
    EXPECT_EQ(state.stations.Combo1.size(), 2u);
}

TEST_F(PageCountTest, NewCountDropsTheEntriesOfALongerEarlierBook) {
    CountUndivided(std::vector<int>(30, 1));
    CountUndivided(std::vector<int>(3, 1));
    // Page 0 begins before the last station: the trailing empty page follows.
    EXPECT_EQ(Starts(), (std::vector<PageStart>{{0, 0}, {3, 0}, {3, 0}}));
    EXPECT_EQ(state.cursor.LastPage, 1);
}

TEST_F(PageCountTest, DividedRoadwayCountsEachSideIntoItsOwnIndexAndList) {
    state.settings.RoadwayType = "DIVIDED";
    state.settings.CurrentSide = kLeftSide;
    state.report.FinalReportLeft.assign(9, test::StationBlock("L", 1));
    state.report.FinalReportRight.assign(9, test::StationBlock("R", 2));
    state.tables.StationCount = 8;
    EXPECT_TRUE(PageCountLeft(state, messages));
    EXPECT_EQ(state.settings.CurrentSide, kLeftSide);
    EXPECT_TRUE(PageCountRight(state, messages));
    EXPECT_EQ(state.settings.CurrentSide, kRightSide);
    EXPECT_EQ(state.cursor.LastPageLeft, 1);
    EXPECT_EQ(state.cursor.LastPageRight, 2);  // four stations a page: 0-3, 4-7, 8
    EXPECT_EQ(state.cursor.PageStartRight.at(1), (PageStart{4, 0}));
    EXPECT_EQ(state.stations.Combo1.size(), 9u);
    EXPECT_EQ(state.stations.Combo2.back(), Entry(3, "R"));
    EXPECT_EQ(state.cursor.CurrentPage, 0);
    EXPECT_EQ(state.cursor.PageStartUndivided.size(), 1u);
}

TEST_F(PageCountTest, RightCountOfAnUndividedRoadwayChangesNothing) {
    test::UseUndividedBook(state, {1, 1});
    state.settings.CurrentSide = kLeftSide;
    state.cursor.LastPageRight = 7;
    EXPECT_TRUE(PageCountRight(state, messages));
    EXPECT_EQ(state.cursor.LastPageRight, 7);
    EXPECT_EQ(state.settings.CurrentSide, kLeftSide);
    EXPECT_TRUE(state.stations.Combo2.empty());
}

TEST_F(PageCountTest, PageTooTallForAnyBlockEndsTheCountWithAMessage) {
    test::UsePage(state, 96, 110);  // the first block would start at line 54
    test::UseUndividedBook(state, {1, 1});
    EXPECT_FALSE(PageCountLeft(state, messages));
    EXPECT_EQ(state.cursor.LastPage, 0);
    EXPECT_EQ(
        messages.shown,
        std::vector<std::string>{"Error : No station block fits on the page occured in PageCount"});
}

TEST_F(PageCountTest, LayOutPageDrawsLikeTheRendererAndListsItsStations) {
    test::UseUndividedBook(state, {1, 1});
    RecordingSurface hidden(SurfaceKind::Window);
    EXPECT_TRUE(LayOutPage(hidden, state, 50, messages));
    RecordingSurface shown(SurfaceKind::Window);
    EXPECT_TRUE(ToPrintAllForms(shown, state, 50, messages));
    ASSERT_EQ(hidden.texts.size(), shown.texts.size());
    for (size_t i = 0; i < shown.texts.size(); ++i) {
        EXPECT_EQ(hidden.texts[i].text, shown.texts[i].text);
        EXPECT_EQ(hidden.texts[i].y, shown.texts[i].y);
    }
    EXPECT_EQ(state.stations.Combo1, (std::vector<std::string>{Entry(1, "S0"), Entry(1, "S1")}));
}

// The largest book: 2001 stations of 31 points and both offset points.
TEST_F(PageCountTest, LargestBookIsLaidOutInOrderWithoutLosingALine) {
    CountUndivided(std::vector<int>(2001, 11));
    const std::vector<PageStart>& starts = Starts();
    ASSERT_EQ(static_cast<int>(starts.size()), state.cursor.LastPage + 2);
    int cellLines = 0;
    for (size_t p = 0; p + 1 < starts.size(); ++p) {
        const PageStart from = starts[p];
        const PageStart to = starts[p + 1];
        cellLines += (to.Station - from.Station) * 11 + to.Line - from.Line;
    }
    EXPECT_EQ(cellLines, 2001 * 11);
    EXPECT_EQ(starts.back(), (PageStart{2001, 0}));
}

}  // namespace
}  // namespace corvane
