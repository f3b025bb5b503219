// The page header: project number, title and date above every page.
#pragma once

#include <string>

#include "report/page_geometry.h"
#include "report/surface.h"

namespace corvane {

// What the header shows and the font of the whole page.
struct HeaderStyle {
    std::string ProjectNumber;
    std::string Date;      // "mm dd yyyy" as printed; empty means today
    std::string FontName;  // empty: the surface's fixed-pitch font
};

// Today's date as the header prints it, "mm dd yyyy".
std::string TodayAsHeaderDate();

// Sets the report font and draws the header of a page of this size; leaves the
// surface ready for the body (regular weight, same size). The window and the
// printer variants differ in the blanks around GEOPAK and BOOK and in the
// column of the underlined title. A font the surface refuses falls back to
// "Courier New".
void DrawPageHeader(Surface& surface, PageSize page, const HeaderStyle& style);

}  // namespace corvane
