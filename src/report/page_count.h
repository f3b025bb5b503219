// Lays every page of a book out once to fill the page-start index, the last
// page numbers and the station finder's lists.
#pragma once

#include "input/messages.h"
#include "report/state.h"
#include "report/surface.h"

namespace corvane {

// Lays out page CurrentPage like ToPrintAllForms and appends its station-list entries.
bool LayOutPage(Surface& surface, State& state, int pageLength, Messages& messages);

// Counts the undivided book, or the left side of a divided roadway.
bool PageCountLeft(State& state, Messages& messages);
// Counts the right side of a divided roadway; does nothing for an undivided one.
bool PageCountRight(State& state, Messages& messages);

}  // namespace corvane
