// Which item of the older list is which item of the newer one: stations by
// their key, point cells by their code and nearest offset.
#pragma once

#include <string>
#include <vector>

#include "report/report_book.h"

namespace corvane {

// For each item its partner in the other list, or -1: an older item without
// one was removed, a newer item without one was added.
struct Pairing {
    std::vector<int> NewOfOld;
    std::vector<int> OldOfNew;
};

// Items with equal keys pair in list order: the first with the first, ...
Pairing PairInOrder(const std::vector<std::string>& oldKeys,
                    const std::vector<std::string>& newKeys);

// What makes two cells the same point: the point's code, or the name of a
// computed offset point (which has no code).
std::string_view CellKey(const ReportCell& cell);

// Cells of the same key pair nearest offsets first; equally near pairs in
// the order of the cells (older first, then newer); each cell pairs once. A
// pair whose offsets are not both numbers comes after every pair that has a
// distance.
Pairing PairCells(const std::vector<const ReportCell*>& oldCells,
                  const std::vector<const ReportCell*>& newCells);

}  // namespace corvane
