// The pages of a laid-out book in print order, and how to put the page cursor
// on one of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/state.h"

namespace corvane {

// One page of a book: Side is "LeftSide" or "RightSide" on a divided roadway
// and empty for the undivided book.
struct BookPage {
    std::string Side;
    int32_t Page = 0;
    bool operator==(const BookPage&) const = default;
};

// Every page in print order: the undivided book, or every left page and then
// every right page of a divided roadway. Empty for any other roadway type.
std::vector<BookPage> AllBookPages(const State& state);

// Pages from to to (0-based, both included) of one book.
std::vector<BookPage> PageRange(const std::string& side, int32_t from, int32_t to);

// Makes the page current: CurrentSide (when the page has one) and CurrentPage.
void MoveCursorTo(State& state, const BookPage& page);

}  // namespace corvane
