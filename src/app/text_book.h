// The text form of the book: what the printer prints, one character a cell.
#pragma once

#include <string>

#include "input/messages.h"
#include "report/state.h"

namespace corvane {

// Every page of the laid-out book in print order. Each page is exactly
// PageLines (rounded half to even) right-trimmed lines followed by a line
// holding only a form feed. Returns false (after the renderer's message) when a
// page cannot be drawn; text then holds the pages before it.
bool WriteTextBook(State& state, Messages& messages, std::string& text);

}  // namespace corvane
