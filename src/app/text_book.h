// The text form of the book: what the printer prints, one character a cell.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "input/messages.h"
#include "report/state.h"

namespace corvane {

// Receives the book one page at a time; returns false to stop (a write failed).
using PageSink = std::function<bool(std::string_view page)>;

// Every page of the laid-out book in print order. Each page is exactly
// PageLines (rounded half to even) right-trimmed lines followed by a line
// holding only a form feed. Returns false when a page cannot be drawn (after
// the renderer's message) or the sink refuses a page.
bool WriteTextBook(State& state, Messages& messages, const PageSink& sink);

// The same, collected in one string.
bool WriteTextBook(State& state, Messages& messages, std::string& text);

}  // namespace corvane
