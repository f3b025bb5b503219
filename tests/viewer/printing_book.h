// Small books laid out on a 96 x 63 page, for the printing and navigation tests.
#pragma once

#include <string>

#include "report/state.h"

namespace corvane::test {

// The station text of station i of a book: "L12+00" on the left side, "R12+00"
// on the right side, "12+00" on an undivided roadway.
std::string StationText(const std::string& prefix, int index);

// An undivided book of `stations` stations of one block each (eight to a page),
// counted, with the station finder's lists filled.
void MakeUndividedBook(State& state, int stations);

// A divided roadway of `stations` stations: left stations take one block, right
// stations two, so the right book is about twice as long.
void MakeDividedBook(State& state, int stations);

}  // namespace corvane::test
