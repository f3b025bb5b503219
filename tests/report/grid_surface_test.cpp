#include "report/grid_surface.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "report/text_cells.h"

namespace corvane {
namespace {

using Print = std::tuple<int, int, std::string_view>;  // x, y, text

std::string PageOf(GridSurface& grid, const std::vector<Print>& prints) {
    for (const auto& [x, y, text] : prints) {
        grid.SetCurrentX(x);
        grid.SetCurrentY(y);
        grid.Print(text);
    }
    return grid.PageText();
}

// One character a cell whatever its bytes (a byte of no valid UTF-8 character
// is a cell of its own); what falls off the page is dropped; a line is as long
// as its texts reach. The cell model below checks the rest on many mixes.
TEST(GridSurfaceTest, PagesOfTexts) {
    // clang-format off
    const std::vector<std::tuple<int, std::vector<Print>, std::string>> cases{
        {2, {{-2, 0, "abcd"}, {0, -1, "above"}, {0, 2, "below"}, {150, 1, "far"}}, "cd\n" + std::string(150, ' ') + "far\n"},
        {1, {{0, 0, "a\xC3\xA9" "bcd"}, {1, 0, "\xE2\x82\xAC\xF0\x9F\x98\x80"}, {2, 0, "\xE9"}, {3, 0, "X"}}, "a\xE2\x82\xAC\xE9X" "d\n"},
        {0, {{0, 0, "a"}}, ""}};
    // clang-format on
    for (const auto& [lines, prints, expected] : cases) {
        GridSurface grid(lines);
        EXPECT_EQ(PageOf(grid, prints), expected) << testing::PrintToString(expected);
    }
    EXPECT_EQ(CellCount("a\x80"
                        "b\xE2\x82\xAC\xED\xA0\x80"),
              7);  // a surrogate is 3 bytes, 3 cells
}

// A cleared grid shows nothing of the page before, whatever path drew it: a
// short text, a single character, a long text, a character of several bytes.
TEST(GridSurfaceTest, ClearingLeavesNothingOfThePageBefore) {
    GridSurface grid(4);
    EXPECT_EQ(PageOf(grid, {{0, 0, "a"},
                            {3, 1, "sixteen bytes..."},
                            {0, 2, std::string(40, 'x')},
                            {1, 3, "\xC3\xA9t\xC3\xA9"}}),
              "a\n   sixteen bytes...\n" + std::string(40, 'x') + "\n \xC3\xA9t\xC3\xA9\n");
    grid.Clear();
    EXPECT_EQ(grid.PageText(), "\n\n\n\n");
    EXPECT_EQ(PageOf(grid, {{2, 0, "b  c"}, {41, 2, "y"}, {4, 3, "d"}}),
              "  b  c\n\n" + std::string(41, ' ') + "y\n    d\n");
}

// A plain model of the grid: a list of cells a line.
struct CellModel {
    std::vector<std::vector<std::string>> lines;

    void Print(int x, int y, std::string_view text) {
        if (y < 0 || y >= static_cast<int>(lines.size())) {
            return;
        }
        for (size_t at = 0; at < text.size(); ++x) {
            const std::string cell(text.substr(at, CellLength(text, at)));
            at += cell.size();
            if (x >= 0 && cell != " ") {
                lines[y].resize(std::max<size_t>(lines[y].size(), x + 1), " ");
                lines[y][x] = cell;
            }
        }
    }

    std::string PageText() const {
        std::string page;
        for (std::vector<std::string> line : lines) {
            while (!line.empty() && line.back() == " ") {
                line.pop_back();
            }
            for (const std::string& cell : line) {
                page += cell;
            }
            page += '\n';
        }
        return page;
    }
};

// Many pages of texts made of every kind of piece, at random places, drawn by
// the grid (cleared and reused page after page; placed and printed, or printed
// in a cell at once) and by a fresh model.
TEST(GridSurfaceTest, DrawsEveryMixOfTextsAsTheCellModel) {
    // clang-format off
    const std::string_view pieces[] = {
        "a", "Station 12+00", "1.25 @ ", " ", "   ", "x y", "\t", "\xC3\xA9", "\xC3", "\xA9", "\xE9", "\xFF",
        "\xE2\x82\xAC", "\xE2\x82", "\xF0\x9F\x98\x80", "\xED\xA0\x80", "\xC0\xAF", "\xC2\xA0",
        std::string_view("\0", 1)};
    // clang-format on
    constexpr int kLines = 6;
    std::mt19937 random(20261206);
    GridSurface grid(kLines);
    std::string appended;
    for (int page = 0; page < 200; ++page) {
        grid.Clear();
        CellModel model{std::vector<std::vector<std::string>>(kLines)};
        for (int text = 0; text < 30; ++text) {
            std::string drawn;
            for (unsigned count = 1 + random() % 3; count > 0; --count) {
                drawn += pieces[random() % std::size(pieces)];
            }
            const int x = static_cast<int>(random() % 30) - 5;
            const int y = static_cast<int>(random() % (kLines + 2)) - 1;
            if (random() % 2 == 0) {
                PageOf(grid, {{x, y, drawn}});
            } else {
                grid.PrintInCell(x, y, drawn);
            }
            model.Print(x, y, drawn);
        }
        ASSERT_EQ(grid.PageText(), model.PageText()) << "page " << page;
        const size_t before = appended.size();
        grid.AppendPageText(appended);
        ASSERT_EQ(appended.substr(before), model.PageText());
    }
}

}  // namespace
}  // namespace corvane
