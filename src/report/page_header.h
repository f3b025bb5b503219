// The text primitive and the page header.
#pragma once

#include <string_view>

#include "input/messages.h"
#include "report/state.h"
#include "report/surface.h"

namespace corvane {

// Rounds to the nearest whole number, halves to the even neighbour.
int RoundHalfEven(double value);

// Converts a position in whole cells of the printer page into the surface's
// units. Positions are rounded in cells first, on every surface, so a window
// shows each text in the very cell the printer puts it in.
int SurfaceX(const Surface& surface, const LayoutSettings& layout, int column);
int SurfaceY(const Surface& surface, const LayoutSettings& layout, int line);

void PutText(Surface& surface, int x, int y, std::string_view text);

// Measures the printer page (PageColumns, PageLines), sets the font and draws the header.
void WriteHeader(Surface& surface, State& state);
void PrintRDSForm(Surface& surface, State& state);

}  // namespace corvane
