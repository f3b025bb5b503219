// Draws one page of the current book.
#pragma once

#include "input/messages.h"
#include "report/state.h"
#include "report/surface.h"

namespace corvane {

// The book drawn for the current roadway type and side, or null for none.
const std::vector<ReportStation>* CurrentBook(const State& state);
std::vector<PageStart>* CurrentPageStarts(State& state);
int32_t CurrentLastPage(const State& state);

// Draws page CurrentPage of the current book and records where the next page
// begins. pageLength is accepted as every caller passes it (50) and not used.
// Returns false after its message when the page cannot be drawn.
bool ToPrintAllForms(Surface& surface, State& state, int pageLength, Messages& messages);

}  // namespace corvane
