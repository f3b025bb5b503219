// A page as a grid of characters: the text form of the book. One cell is one
// character of the printer page; texts are drawn transparent, so a blank in a
// text leaves the cell below it as it was.
//
// An export draws thousands of pages, so a line is kept as the very bytes it is
// written as, and its memory is reused from page to page. Nearly every text is
// plain ASCII and every line of the book is too: there a byte is a cell, and a
// text is copied straight in. Only a line that holds a character of more than
// one byte keeps a list of where its cells begin.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "report/surface.h"

namespace corvane {

class GridSurface final : public Surface {
  public:
    // lineCount lines 0..lineCount-1; characters outside them or at a negative column are dropped.
    explicit GridSurface(int lineCount);

    SurfaceKind Kind() const override { return SurfaceKind::Printer; }
    void SetCurrentX(int x) override { x_ = x; }
    void SetCurrentY(int y) override { y_ = y; }
    void Print(std::string_view text) override;
    bool SetFontName(const std::string&) override { return true; }
    void SetFontSize(double) override {}
    void SetFontBold(bool) override {}
    void SetFontUnderline(bool) override {}
    void SetFontTransparent(bool) override {}
    // A cell is a cell here: no conversion, and one call a text instead of three.
    void PrintInCell(int column, int line, std::string_view text) override;

    // Empties every line for the next page; the lines keep their memory.
    void Clear();
    // The page: exactly lineCount lines, each right-trimmed and ended by '\n'.
    std::string PageText() const;
    // Appends the same text as PageText to out, so a caller can build its
    // output in one string without a copy per page.
    void AppendPageText(std::string& out) const;

  private:
    // One character a cell (see text_cells.h): an ASCII character, a UTF-8
    // character or a stray byte. A line is as long as its last written cell.
    struct Line {
        // The cells' bytes, one cell after the other: the first `length` bytes.
        // While every cell is one byte, blanks may follow them (see DrawShortText).
        std::string bytes;
        std::size_t length = 0;
        // Where each cell begins in bytes; empty while every cell is one byte.
        std::vector<std::size_t> cellStarts;
    };

    static bool DrawShortText(Line& line, int column, std::string_view text);
    static void DrawAnyText(Line& line, int column, std::string_view text);
    static void DrawCells(Line& line, int column, std::string_view text);
    static void SetCell(Line& line, std::size_t column, std::string_view cell);

    int x_ = 0;
    int y_ = 0;
    std::vector<Line> lines_;
};

}  // namespace corvane
