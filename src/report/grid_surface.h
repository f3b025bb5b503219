// A page as a grid of characters: the text form of the book. One cell is one
// character of the printer page; texts are drawn transparent, so a blank in a
// text leaves the cell below it as it was.
#pragma once

#include <string>
#include <vector>

#include "report/surface.h"

namespace corvane {

class GridSurface : public Surface {
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

    // Empties every line for the next page.
    void Clear();
    // The page: exactly lineCount lines, each right-trimmed and ended by '\n'.
    std::string PageText() const;

private:
    int x_ = 0;
    int y_ = 0;
    // One character a cell (see text_cells.h); a line is as long as its last written cell.
    std::vector<std::u32string> lines_;
};

}  // namespace corvane
