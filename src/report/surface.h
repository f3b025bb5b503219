// The print surface: the few drawing operations the header and the page body
// need. A window surface takes positions in twips scaled by its zoom; every
// other surface takes character cells of the printer page.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// A character cell of the printer page in twips (1440 to the inch): every
// position of the book is given in these cells.
inline constexpr double kCellWidthTwips = 120;
inline constexpr double kCellHeightTwips = 240;

enum class SurfaceKind { Printer, Window };

class Surface {
  public:
    virtual ~Surface() = default;
    virtual SurfaceKind Kind() const = 0;
    // A window's scale (the viewer's zoom factor), applied to its twips and its
    // font size. A printer's cells are never scaled.
    virtual double Zoom() const { return 1; }
    virtual void SetCurrentX(int x) = 0;
    virtual void SetCurrentY(int y) = 0;
    // Draws the text with its top left at the current position, in the current font.
    virtual void Print(std::string_view text) = 0;
    // Returns false when the surface does not accept the font.
    virtual bool SetFontName(const std::string& name) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual void SetFontUnderline(bool underline) = 0;
    virtual void SetFontTransparent(bool transparent) = 0;
    // Draws the text at a whole cell of the printer page (column, line): what
    // PutText does. A surface may draw there in one step of its own, with the
    // same result as placing the text and printing it.
    virtual void PrintInCell(int column, int line, std::string_view text);
};

// Draws the text at a whole cell of the printer page (column, line), converted
// into the surface's units. Positions are rounded in cells first, on every
// surface, so a window shows each text in the very cell the printer puts it in.
inline void PutText(Surface& surface, int column, int line, std::string_view text) {
    surface.PrintInCell(column, line, text);
}

}  // namespace corvane
