// Draws one page of the current book.
#pragma once

#include <functional>

#include "input/messages.h"
#include "report/state.h"
#include "report/surface.h"

namespace corvane {

// The book drawn for the current roadway type and side, or null for none.
const ReportBook* CurrentBook(const State& state);
std::vector<PageStart>* CurrentPageStarts(State& state);
int32_t CurrentLastPage(const State& state);
// Index of the current book's last station; -1 for no book.
int32_t CurrentLastStation(const State& state);

// Lays out page CurrentPage of the current book and records where the next page
// begins, exactly as ToPrintAllForms does; draws only when a surface is given,
// and reports every station header laid out. Returns false after its message
// when the page has no page-start entry.
bool LayOutCurrentPage(Surface* surface, State& state, Messages& messages,
                       const std::function<void(const ReportStation&)>& onStationHeader);

// Draws page CurrentPage of the current book and records where the next page
// begins. pageLength is accepted as every caller passes it (50) and not used.
// Returns false after its message when the page cannot be drawn.
bool ToPrintAllForms(Surface& surface, State& state, int pageLength, Messages& messages);

}  // namespace corvane
