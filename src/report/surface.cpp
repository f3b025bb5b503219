#include "report/surface.h"

#include "report/page_geometry.h"

namespace corvane {

void Surface::PrintInCell(int column, int line, std::string_view text) {
    if (Kind() == SurfaceKind::Window) {
        SetCurrentX(RoundHalfEven(column * kCellWidthTwips * Zoom()));
        SetCurrentY(RoundHalfEven(line * kCellHeightTwips * Zoom()));
    } else {
        SetCurrentX(column);
        SetCurrentY(line);
    }
    Print(text);
}

}  // namespace corvane
