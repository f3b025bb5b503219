#include "report/page_header.h"

#include <gtest/gtest.h>

#include <climits>
#include <regex>

#include "report/recording_surface.h"
#include "report_fixtures.h"

namespace corvane {
namespace {

using test::Find;

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(7.5), 8);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(-7.2), -7);
}

TEST(RoundHalfEvenTest, LargePositionsDoNotWrap) {
    EXPECT_EQ(RoundHalfEven(40000.0), 40000);
    EXPECT_EQ(RoundHalfEven(1e12), INT_MAX);
    EXPECT_EQ(RoundHalfEven(-1e12), INT_MIN);
}

class PageHeaderTest : public ::testing::Test {
  protected:
    State state = test::FreshState();
};

TEST_F(PageHeaderTest, PrinterHeaderOnALetterPage) {
    state.settings.ProjectNumber = "1234-56";
    RecordingSurface printer(SurfaceKind::Printer);
    WriteHeader(printer, state);

    ASSERT_EQ(printer.texts.size(), 5u);
    const std::vector<std::tuple<int, int, std::string>> expected = {
        {7, 1, "Project No: 1234-56"}, {31, 1, "  GEOPAK  "},       {37, 1, " PAVE-GRADES "},
        {55, 1, "  BOOK  "},           {71, 2, "Date: 07 04 2025"},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& [x, y, text] = expected[i];
        EXPECT_EQ(printer.texts[i].x, x) << text;
        EXPECT_EQ(printer.texts[i].y, y) << text;
        EXPECT_EQ(printer.texts[i].text, text);
        EXPECT_TRUE(printer.texts[i].bold);
        EXPECT_TRUE(printer.texts[i].transparent);
        EXPECT_EQ(printer.texts[i].fontSize, 10);
        EXPECT_EQ(printer.texts[i].underline, text == " PAVE-GRADES ") << text;
    }
}

TEST_F(PageHeaderTest, WindowHeaderIsScaledTwipsWithItsOwnBlanks) {
    state.layout.ViewZoom = 0.5;
    RecordingSurface window(SurfaceKind::Window);
    WriteHeader(window, state);

    ASSERT_EQ(window.texts.size(), 5u);
    EXPECT_EQ(window.texts[0].x, 7 * 60);
    EXPECT_EQ(window.texts[0].y, 1 * 120);
    EXPECT_EQ(window.texts[0].text, "Project No: ");
    EXPECT_EQ(window.texts[0].fontSize, 5);
    EXPECT_EQ(window.texts[1].text, " GEOPAK  ");
    EXPECT_EQ(window.texts[1].x, 31 * 60);
    EXPECT_EQ(window.texts[2].text, " PAVE-GRADES ");
    EXPECT_EQ(window.texts[2].x, 39 * 60);
    EXPECT_TRUE(window.texts[2].underline);
    EXPECT_EQ(window.texts[3].text, "  BOOK ");
    EXPECT_EQ(window.texts[4].y, 2 * 120);
}

TEST_F(PageHeaderTest, MeasuresTheCurrentPrinterPageEvenOnAWindow) {
    state.layout.PageColumns = 10;
    state.layout.PageLines = 10;
    state.layout.CurrentPrinterPage = PageSize{136, 81};
    RecordingSurface window(SurfaceKind::Window);
    PrintRDSForm(window, state);
    EXPECT_EQ(state.layout.PageColumns, 136);
    EXPECT_EQ(state.layout.PageLines, 81);
    EXPECT_EQ(window.texts[0].x, (136 - 89) * 120);
    EXPECT_EQ(window.texts[0].y, (81 - 62) * 240);
}

TEST_F(PageHeaderTest, FractionalPageRoundsEachPositionToEven) {
    state.layout.CurrentPrinterPage = PageSize{96.5, 63.5};
    RecordingSurface printer(SurfaceKind::Printer);
    WriteHeader(printer, state);
    // 7.5, 31.5, 37.5, 55.5, 71.5 across; 1.5 and 2.5 down.
    EXPECT_EQ(printer.texts[0].x, 8);
    EXPECT_EQ(printer.texts[1].x, 32);
    EXPECT_EQ(printer.texts[2].x, 38);
    EXPECT_EQ(printer.texts[3].x, 56);
    EXPECT_EQ(printer.texts[4].x, 72);
    EXPECT_EQ(printer.texts[0].y, 2);
    EXPECT_EQ(printer.texts[4].y, 2);
}

TEST_F(PageHeaderTest, WindowRoundsInCellsLikeThePrinter) {
    // On the smallest page W - 89 and H - 62 are -0.5, which rounds to cell 0;
    // rounded in twips the header would sit half a cell off the page.
    test::UsePage(state, 88.5, 61.5);
    state.layout.ViewZoom = 0.5;
    RecordingSurface window(SurfaceKind::Window);
    RecordingSurface printer(SurfaceKind::Printer);
    WriteHeader(window, state);
    WriteHeader(printer, state);
    ASSERT_EQ(window.texts.size(), printer.texts.size());
    for (size_t i = 0; i < printer.texts.size(); ++i) {
        if (printer.texts[i].text != " PAVE-GRADES ") {  // its column differs by design
            EXPECT_EQ(window.texts[i].x, printer.texts[i].x * 60) << printer.texts[i].text;
        }
        EXPECT_EQ(window.texts[i].y, printer.texts[i].y * 120) << printer.texts[i].text;
    }
    EXPECT_EQ(printer.texts[0].x, 0);
    EXPECT_EQ(printer.texts[0].y, 0);
    // H - 61 = 0.5 rounds to 0 too: the date shares the header line.
    EXPECT_EQ(printer.texts[4].y, 0);
}

TEST_F(PageHeaderTest, LeavesTheSurfaceReadyForARegularBody) {
    state.layout.ReportFontName = "Lucida Console";
    state.layout.ViewZoom = 1.5;
    RecordingSurface window(SurfaceKind::Window);
    WriteHeader(window, state);
    window.Print("body");
    const RecordedText& body = window.texts.back();
    EXPECT_FALSE(body.bold);
    EXPECT_FALSE(body.underline);
    EXPECT_TRUE(body.transparent);
    EXPECT_EQ(body.fontSize, 15);
    EXPECT_EQ(body.fontName, "Lucida Console");
}

TEST_F(PageHeaderTest, RefusedFontFallsBackToCourierNew) {
    state.layout.ReportFontName = "No Such Font";
    RecordingSurface printer(SurfaceKind::Printer);
    printer.refusedFonts = {"No Such Font"};
    WriteHeader(printer, state);
    ASSERT_EQ(printer.texts.size(), 5u);
    EXPECT_EQ(printer.texts[0].fontName, "Courier New");
}

TEST_F(PageHeaderTest, EmptyFontNameIsPassedOnAsTheFixedPitchDefault) {
    RecordingSurface printer(SurfaceKind::Printer);
    printer.refusedFonts = {""};
    WriteHeader(printer, state);
    EXPECT_EQ(printer.texts[0].fontName, "");
}

TEST_F(PageHeaderTest, WithoutAFixedDateTheHeaderShowsToday) {
    state.layout.HeaderDate.clear();
    RecordingSurface printer(SurfaceKind::Printer);
    WriteHeader(printer, state);
    EXPECT_TRUE(
        std::regex_match(printer.texts[4].text, std::regex("Date: [01][0-9] [0-3][0-9] [0-9]{4}")))
        << printer.texts[4].text;
}

TEST(PutTextTest, DrawsAtThePositionGiven) {
    RecordingSurface surface;
    PutText(surface, -3, 70000, "x");
    ASSERT_EQ(surface.texts.size(), 1u);
    EXPECT_EQ(surface.texts[0].x, -3);
    EXPECT_EQ(surface.texts[0].y, 70000);
}

}  // namespace
}  // namespace corvane
