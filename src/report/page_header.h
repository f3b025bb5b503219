// The text primitive and the page header.
#pragma once

#include <string_view>

#include "input/messages.h"
#include "report/state.h"
#include "report/surface.h"

namespace corvane {

// Rounds to the nearest whole number, halves to the even neighbour.
int RoundHalfEven(double value);

// Converts a position in cells of the printer page into the surface's units.
int SurfaceX(const Surface& surface, const LayoutSettings& layout, double column);
int SurfaceY(const Surface& surface, const LayoutSettings& layout, double line);

void PutText(Surface& surface, int x, int y, std::string_view text);

// Measures the printer page (PageColumns, PageLines), sets the font and draws the header.
void WriteHeader(Surface& surface, State& state);
void PrintRDSForm(Surface& surface, State& state);

}  // namespace corvane
