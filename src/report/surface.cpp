#include "report/surface.h"

#include "report/page_geometry.h"

namespace corvane {

void PutText(Surface& surface, int column, int line, std::string_view text) {
    if (surface.Kind() == SurfaceKind::Window) {
        surface.SetCurrentX(RoundHalfEven(column * kCellWidthTwips * surface.Zoom()));
        surface.SetCurrentY(RoundHalfEven(line * kCellHeightTwips * surface.Zoom()));
    } else {
        surface.SetCurrentX(column);
        surface.SetCurrentY(line);
    }
    surface.Print(text);
}

}  // namespace corvane
