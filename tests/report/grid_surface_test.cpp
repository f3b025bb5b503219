#include "report/grid_surface.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

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

// Overlapping texts of every kind on one line: each character replaces
// exactly one cell, whatever the byte lengths of the old and the new one.
TEST(GridSurfaceTest, MixedTextsReplaceCellForCell) {
    GridSurface grid(1);
    PrintAt(grid, 0, 0, "abcdef");
    PrintAt(grid, 2, 0, "\xC3\xA9");  // é over c
    EXPECT_EQ(grid.PageText(),
              "ab\xC3\xA9"
              "def\n");
    PrintAt(grid, 3, 0, "X");  // after the é: the d, not a byte of the é
    EXPECT_EQ(grid.PageText(),
              "ab\xC3\xA9X"
              "ef\n");
    PrintAt(grid, 1, 0, "\xE2\x82\xAC\xF0\x9F\x98\x80");  // € and an emoji over b and é
    EXPECT_EQ(grid.PageText(),
              "a\xE2\x82\xAC\xF0\x9F\x98\x80X"
              "ef\n");
    PrintAt(grid, 2, 0, "\xE9");  // a stray byte over the emoji
    EXPECT_EQ(grid.PageText(),
              "a\xE2\x82\xAC\xE9X"
              "ef\n");
    PrintAt(grid, 0, 0, "12345");  // plain text over all of it
    EXPECT_EQ(grid.PageText(), "12345f\n");
    PrintAt(grid, 8, 0, "\xC3\xBC");  // past the end: padded with blanks
    PrintAt(grid, 10, 0, "z");
    EXPECT_EQ(grid.PageText(), "12345f  \xC3\xBC z\n");
}

// Stray bytes printed side by side may spell a valid character; they stay
// separate cells all the same.
TEST(GridSurfaceTest, StrayBytesStayCellsOfTheirOwn) {
    GridSurface grid(2);
    PrintAt(grid, 0, 0, "\xC3");
    PrintAt(grid, 1, 0, "\xA9");
    PrintAt(grid, 2, 0, "!");
    EXPECT_EQ(grid.PageText(), "\xC3\xA9!\n\n");
    PrintAt(grid, 1, 0, "x");
    EXPECT_EQ(grid.PageText(), "\xC3x!\n\n");
    // A cut sequence is one cell a byte; so is an overlong form.
    PrintAt(grid, 0, 1,
            "\xE2\x82"
            "ab\xC0\xAF");
    PrintAt(grid, 1, 1, "y");
    PrintAt(grid, 5, 1, "z");
    EXPECT_EQ(grid.PageText(), "\xC3x!\n\xE2yab\xC0z\n");
}

TEST(GridSurfaceTest, BlanksOfAnyTextAreTransparent) {
    GridSurface grid(2);
    PrintAt(grid, 0, 0, "\xC3\xA9\xC3\xA9\xC3\xA9");
    PrintAt(grid, 0, 0, "a b");
    EXPECT_EQ(grid.PageText(),
              "a\xC3\xA9"
              "b\n\n");
    PrintAt(grid, 0, 1, "abc");
    PrintAt(grid, 0, 1, "\xC3\xBC \xC3\xBC");
    EXPECT_EQ(grid.PageText(),
              "a\xC3\xA9"
              "b\n\xC3\xBC"
              "b\xC3\xBC\n");
    // Only the blank is transparent: a tab or a no-break space is drawn.
    PrintAt(grid, 0, 1, "\t\xC2\xA0");
    EXPECT_EQ(grid.PageText(),
              "a\xC3\xA9"
              "b\n\t\xC2\xA0\xC3\xBC\n");
}

// Blanks never lengthen a line, so a text of blanks past the end is no change.
TEST(GridSurfaceTest, TrailingBlanksAreNeitherDrawnNorKept) {
    GridSurface grid(3);
    PrintAt(grid, 0, 0, "a");
    PrintAt(grid, 5, 0, "   ");
    PrintAt(grid, 3, 0, "b   ");
    PrintAt(grid, 0, 1, "     ");
    PrintAt(grid, 0, 2, "\xC3\xA9    ");
    PrintAt(grid, 3, 2, "   \xC2\xA0 ");
    EXPECT_EQ(grid.PageText(), "a  b\n\n\xC3\xA9     \xC2\xA0\n");
}

TEST(GridSurfaceTest, DropsNonAsciiThatFallsOffThePage) {
    GridSurface grid(1);
    PrintAt(grid, -2, 0, "\xC3\xA9\xE9x\xE2\x82\xAC");
    PrintAt(grid, 0, -1, "\xC3\xA9");
    PrintAt(grid, 0, 1, "\xC3\xA9");
    EXPECT_EQ(grid.PageText(), "x\xE2\x82\xAC\n");
    PrintAt(grid, -1, 0, "\xC3\xA9 ");
    EXPECT_EQ(grid.PageText(), "x\xE2\x82\xAC\n");
}

TEST(GridSurfaceTest, APageOfNoLinesIsEmpty) {
    GridSurface none(0);
    PrintAt(none, 0, 0, "a");
    EXPECT_EQ(none.PageText(), "");
    GridSurface negative(-3);
    PrintAt(negative, 0, 0, "\xC3\xA9");
    EXPECT_EQ(negative.PageText(), "");
}

// The lines are reused page after page: nothing of a page may show on the next.
TEST(GridSurfaceTest, ClearForgetsNonAsciiLines) {
    GridSurface grid(1);
    PrintAt(grid, 0, 0,
            "\xC3\xA9\xE2\x82\xAC"
            "abc");
    grid.Clear();
    PrintAt(grid, 0, 0, "xy");
    PrintAt(grid, 1, 0, "z");
    EXPECT_EQ(grid.PageText(), "xz\n");
    PrintAt(grid, 3, 0, "\xC3\xA9");
    PrintAt(grid, 4, 0, "w");
    EXPECT_EQ(grid.PageText(), "xz \xC3\xA9w\n");
}

// A plain model of the grid, a list of cells a line, that draws the same texts.
class CellModel {
  public:
    explicit CellModel(int lineCount) : lines_(lineCount) {}

    void Print(int x, int y, std::string_view text) {
        if (y < 0 || y >= static_cast<int>(lines_.size())) {
            return;
        }
        std::vector<std::string>& line = lines_[y];
        int column = x;
        for (size_t at = 0; at < text.size(); ++column) {
            const std::string cell(text.substr(at, CellLength(text, at)));
            at += cell.size();
            if (column < 0 || cell == " ") {
                continue;
            }
            if (column >= static_cast<int>(line.size())) {
                line.resize(column + 1, " ");
            }
            line[column] = cell;
        }
    }

    void Clear() {
        for (auto& line : lines_) {
            line.clear();
        }
    }

    std::string PageText() const {
        std::string page;
        for (const auto& line : lines_) {
            size_t length = line.size();
            while (length > 0 && line[length - 1] == " ") {
                --length;
            }
            for (size_t k = 0; k < length; ++k) {
                page += line[k];
            }
            page += '\n';
        }
        return page;
    }

  private:
    std::vector<std::vector<std::string>> lines_;
};

// Many pages of texts made of every kind of piece, at random places, drawn by
// the grid and by the model.
TEST(GridSurfaceTest, DrawsEveryMixOfTextsAsTheCellModel) {
    const std::string_view pieces[] = {"a",
                                       "Station 12+00",
                                       " ",
                                       "   ",
                                       "x y",
                                       "\t",
                                       "\xC3\xA9",
                                       "\xC3",
                                       "\xA9",
                                       "\xE9",
                                       "\xFF",
                                       "\xE2\x82\xAC",
                                       "\xE2\x82",
                                       "\xF0\x9F\x98\x80",
                                       "\xED\xA0\x80",
                                       "\xC0\xAF",
                                       "\xC2\xA0",
                                       std::string_view("\0", 1)};
    constexpr int kLines = 6;
    std::mt19937 random(20261206);
    GridSurface grid(kLines);
    CellModel model(kLines);
    for (int page = 0; page < 200; ++page) {
        grid.Clear();
        model.Clear();
        for (int text = 0; text < 30; ++text) {
            std::string drawn;
            for (unsigned count = 1 + random() % 3; count > 0; --count) {
                drawn += pieces[random() % std::size(pieces)];
            }
            const int x = static_cast<int>(random() % 30) - 5;
            const int y = static_cast<int>(random() % (kLines + 2)) - 1;
            PrintAt(grid, x, y, drawn);
            model.Print(x, y, drawn);
        }
        ASSERT_EQ(grid.PageText(), model.PageText()) << "page " << page;
    }
}

TEST(TextCellsTest, ValidCharactersAreOneCellAndAnyOtherByteIsOne) {
    EXPECT_EQ(CellLength("\xC3\xA9", 0), 2u);
    EXPECT_EQ(CellLength("\xE2\x82\xAC", 0), 3u);
    EXPECT_EQ(CellLength("\xF0\x9F\x98\x80", 0), 4u);
    EXPECT_EQ(CellLength("a\xC3\xA9", 1), 2u);
    // Overlong forms, encoded surrogates, cut sequences, values past U+10FFFF
    // and bytes that begin nothing are each a cell a byte.
    const std::string_view strays[] = {"\xC0\xAF",
                                       "\xED\xA0\x80",
                                       "\xE2\x82",
                                       "\xFF\xFE",
                                       "\xF4\x90\x80\x80",
                                       "\x80",
                                       "\xE0\x80\xAF",
                                       "\xC3"
                                       "a"};
    for (std::string_view text : strays) {
        EXPECT_EQ(CellLength(text, 0), 1u) << testing::PrintToString(std::string(text));
    }
    EXPECT_EQ(CellCount("\xF0\x9F\x98\x80"), 1);
    EXPECT_EQ(CellCount("\xED\xA0\x80"), 3);
    EXPECT_EQ(CellCount("a\x80"
                        "b\xE2\x82\xAC"),
              4);
}

TEST(GridSurfaceTest, AppendPageTextAppendsExactlyThePageText) {
    GridSurface grid(4);
    PrintAt(grid, 1, 0, "Station \xC3\xA9 \xE9  ");
    PrintAt(grid, 0, 2, "   ");
    PrintAt(grid, 3, 3, "end");
    std::string out = "before\f\n";
    grid.AppendPageText(out);
    EXPECT_EQ(out, "before\f\n" + grid.PageText());
    grid.Clear();
    grid.AppendPageText(out);
    EXPECT_EQ(out, "before\f\n Station \xC3\xA9 \xE9\n\n\n   end\n\n\n\n\n");
}

}  // namespace
}  // namespace corvane
