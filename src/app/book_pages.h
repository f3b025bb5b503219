// Walks every page of the book in print order: the undivided book, or every
// left page and then every right page of a divided roadway.
#pragma once

#include <functional>

#include "report/state.h"

namespace corvane {

// Sets CurrentSide and CurrentPage for each page in turn and calls drawPage;
// stops early when drawPage returns false. Returns the number of pages visited.
int ForEachBookPage(State& state, const std::function<bool()>& drawPage);

}  // namespace corvane
