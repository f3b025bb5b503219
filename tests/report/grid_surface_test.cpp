#include "report/grid_surface.h"

#include <gtest/gtest.h>

#include "report/text_cells.h"

namespace corvane {
namespace {

void PrintAt(GridSurface& grid, int x, int y, std::string_view text) {
    grid.SetCurrentX(x);
    grid.SetCurrentY(y);
    grid.Print(text);
}

TEST(GridSurfaceTest, PageHasExactlyItsLinesEachRightTrimmed) {
    GridSurface grid(3);
    PrintAt(grid, 2, 1, "ab   ");
    EXPECT_EQ(grid.PageText(), "\n  ab\n\n");
}

TEST(GridSurfaceTest, BlanksAreTransparent) {
    GridSurface grid(1);
    PrintAt(grid, 0, 0, "ABCD");
    PrintAt(grid, 1, 0, " x  y");
    EXPECT_EQ(grid.PageText(), "ABxD y\n");
}

TEST(GridSurfaceTest, DropsWhatFallsOffThePage) {
    GridSurface grid(2);
    PrintAt(grid, -2, 0, "abcd");
    PrintAt(grid, 0, -1, "above");
    PrintAt(grid, 0, 2, "below");
    PrintAt(grid, 150, 1, "far");
    const std::string page = grid.PageText();
    EXPECT_EQ(page.substr(0, 3), "cd\n");
    EXPECT_EQ(page.substr(3), std::string(150, ' ') + "far\n");
}

TEST(GridSurfaceTest, ClearEmptiesThePageForTheNext) {
    GridSurface grid(2);
    PrintAt(grid, 0, 0, "page one");
    grid.Clear();
    PrintAt(grid, 0, 1, "two");
    EXPECT_EQ(grid.PageText(), "\ntwo\n");
}

TEST(GridSurfaceTest, OneCharacterTakesOneCellWhateverItsBytes) {
    GridSurface grid(1);
    PrintAt(grid, 0, 0, "\xC3\xA9t\xC3\xA9");  // "été" in UTF-8
    PrintAt(grid, 3, 0, "!");
    EXPECT_EQ(grid.PageText(), "\xC3\xA9t\xC3\xA9!\n");
    EXPECT_EQ(CellCount("\xC3\xA9t\xC3\xA9"), 3);
    // A byte of a Windows code page is a cell of its own and is kept.
    EXPECT_EQ(CellCount("caf\xE9 x"), 6);
    PrintAt(grid, 0, 0, "caf\xE9");
    EXPECT_EQ(grid.PageText(), "caf\xE9\n");
}

TEST(TextCellsTest, EveryByteSequenceComesBackUnchanged) {
    // Overlong forms, encoded surrogates, truncated sequences and stray bytes.
    const std::string texts[] = {"\xC0\xAF",
                                 "\xED\xA0\x80",
                                 "\xE2\x82",
                                 "\xFF\xFE",
                                 "\xF0\x9F\x98\x80",
                                 "\xF4\x90\x80\x80",
                                 "a\x80"
                                 "b"};
    for (const std::string& text : texts) {
        EXPECT_EQ(EncodeCells(DecodeCells(text)), text);
    }
    EXPECT_EQ(CellCount("\xF0\x9F\x98\x80"), 1);
    EXPECT_EQ(CellCount("\xED\xA0\x80"), 3);
}

}  // namespace
}  // namespace corvane
